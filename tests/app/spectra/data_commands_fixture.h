// The program's main window with graphic windows 0 and 1 standing in for
// real ones (each record holds arrays, a model and a known curve), and a
// helper that answers the dialogs a command opens.
#ifndef KORLAN_TESTS_EDIT_FIXTURE_H
#define KORLAN_TESTS_EDIT_FIXTURE_H

#include <functional>
#include <string>
#include <vector>

#include "app/shell/shell_fixture.h"
#include "spectra/spectra_globals.h"

using DialogSchritt = std::function<void(HWND)>;

// Runs aktion (which opens modal dialogs) while the steps run one per
// timer tick on the dialog on top. Returns false when a dialog was still
// open after the steps (it is then ended so that the test cannot hang).
bool MitDialogen(std::vector<DialogSchritt> schritte, const std::function<void()>& aktion);
DialogSchritt SetzeText(int id, const char* text);
DialogSchritt Druecke(int id);
DialogSchritt Waehle(int id);  // radio button or check box, as a click would
// The lines of list box id of a dialog.
std::vector<std::string> ListenZeilen(HWND dlg, int id);

// A picture of a window as the screen shows it, written as a PNG beside
// the test program (the program's start changes the folder); false when
// it could not be written.
bool FensterFoto(HWND fenster, const char* datei);

class EditFixture : public LaufendesProgramm {
protected:
    HWND grafik[2] = {};
    std::vector<int32_t> typen[2];
    std::vector<double> parameter[2];
    ModellCallback altesModell = nullptr;

    void SetUp() override;
    void TearDown() override;

    // Window w's slot 0 holds n points x = 0, 1, ... with y = f(x); the
    // ring starts again at slot 0.
    void Kurve(int w, int n, double (*f)(double));
    // The ring of window w starts again at slot 0, which holds n points
    // (its arrays filled before); the section is the whole curve.
    void NurSlotNull(int w, int n);
    // Slot s of window w as vectors.
    std::vector<double> X(int w, int s) const;
    std::vector<double> Y(int w, int s) const;
    // The command with prepared values DW[0..].
    void Prepared(int32_t id, std::vector<double> dw);
    std::string Historie() const;
};

#endif
