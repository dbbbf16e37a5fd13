// The program's main window with graphic window 0 standing in for a real
// one (its record has a model), the macro file dialogs answered by the
// test and the player's steps watched on their way to the dispatcher.
#ifndef KORLAN_TESTS_MAKRO_FIXTURE_H
#define KORLAN_TESTS_MAKRO_FIXTURE_H

#include <string>
#include <vector>

#include "app/shell/shell_fixture.h"
#include "shell/child_windows.h"
#include "spectra/spectra_globals.h"

// What a command saw when it was recorded or replayed.
struct Schritt {
    int32_t befehl = 0;
    LPARAM lParam = 0;
    std::vector<double> dialog;
    int32_t anzahl = 0, grad = 0, maxPar = 0, maxFit = 0;
    std::vector<int32_t> typen;
    std::vector<double> parameter;   // 0..5 and the bounds 500..511
    std::vector<int32_t> freie, flags, worte;
    std::vector<double> konst;
    std::string text2;
};

class MakroFixture : public LaufendesProgramm {
protected:
    HWND grafik = nullptr;
    std::vector<int32_t> typen;
    std::vector<double> parameter;
    int32_t* alteTypen = nullptr;
    double* alteParameter = nullptr;

    static std::vector<Schritt> schritte;
    // Run by the watcher before the step goes on to the dispatcher.
    static void (*beimSchritt)(int32_t befehl, LPARAM lParam);
    // Commands whose handlers this version does not have yet: the watcher
    // plays them (beimSchritt) and does not hand them to the dispatcher,
    // which would stop the replay.
    static std::vector<int32_t> gespielt;
    static std::string dialogPfad;      // empty: the dialog is cancelled
    static std::string dialogTitel;
    static DWORD dialogFlags;

    static Schritt Jetzt(int32_t befehl, LPARAM lParam);
    static void Beobachter(int32_t befehl, LPARAM lParam);
    static BOOL WINAPI Dialog(LPOPENFILENAMEA ofn);

    void SetUp() override;
    void TearDown() override;

    // Graphic window 0's model and the fit tables as a fit leaves them.
    void FitZustandSetzen();
    // The button bar's commands as its buttons send them.
    void Knopf(int32_t id) { SendMessageA(ButtonBar.Fenster, WM_COMMAND, id, 0); }
};

#endif
