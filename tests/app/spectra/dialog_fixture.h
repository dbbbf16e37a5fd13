// Opens a dialog of the program's own resources in this process and
// answers it from the test: each step runs on a timer tick inside the
// dialog's modal loop, on the dialog that is on top at that moment.
#ifndef KORLAN_TESTS_DIALOG_FIXTURE_H
#define KORLAN_TESTS_DIALOG_FIXTURE_H

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "shell/haupt_fenster.h"
#include "spectra/grafik_fenster.h"

using Schritt = std::function<void(HWND)>;

// Result when the steps ran out and the dialog was still open.
const INT_PTR HAENGT = -4242;

// Runs template `name` with `proc` modally; the steps run one per tick.
INT_PTR OeffneDialog(const char* name, DLGPROC proc, std::vector<Schritt> schritte);
// Runs oeffnen (a command that opens dialogs of its own), answering the
// dialog on top with the steps; name names the case in failures.
INT_PTR MitDialogen(const char* name, const std::function<INT_PTR()>& oeffnen, std::vector<Schritt> schritte);

// Step helpers. Klick posts the button's click; Kreuze sets a check box or
// radio button and posts its click, as a mouse click would.
Schritt Text(int id, const char* text);
Schritt Klick(int id);
Schritt Kreuze(int id, bool an = true);
Schritt Waehle(int id, int eintrag);            // combo box selection
Schritt WaehleListe(int id, int eintrag);       // list box selection with LBN_SELCHANGE
Schritt Pruefe(std::function<void(HWND)> f);    // assertions while the dialog is open

std::string TextVon(HWND dlg, int id);
bool Sichtbar(HWND dlg, int id);
bool Aktiv(HWND dlg, int id);
bool Gecheckt(HWND dlg, int id);

struct GezeigteMeldung {
    std::string text, titel;
    int32_t hilfeThema;  // HilfeThema while the box was up
};

// Keeps every global the dialogs read or write and restores it afterwards;
// message boxes are recorded and answered with OK.
class DialogFixture : public ::testing::Test {
protected:
    static std::vector<GezeigteMeldung> meldungen;
    static int WINAPI Antworte(HWND, LPCSTR text, LPCSTR titel, UINT art);

    void SetUp() override;
    void TearDown() override;

    // Marks window w open (a hidden real window as its handle) with a file
    // name and the newest counter and current counter given.
    void OeffneFenster(int w, const char* datei, int32_t neuester, int32_t aktuell);
    // DialogWerte filled with 100 + i, so that untouched values show.
    void MarkiereWerte();
    bool WerteUnveraendert(int ausser = -1) const;

    std::unique_ptr<grafik_fenster[]> alteFenster;
    HWND alteHandles[4] = {};
    HWND fenster[4] = {};
    double alteWerte[14] = {};
    COLORREF altePalette[12] = {};
    int32_t altesAktives = -1, altesThema = 0, alteGroesse = 0, altesMetafile = 0;
    int32_t alteAnzahl = 0, alterGrad = 0, alteArt = 0;
    int32_t* alteTypen = nullptr;
    double* alteParameter = nullptr;
    char* alterText = nullptr;
    std::vector<char> textPuffer;
};

#endif
