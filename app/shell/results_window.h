// The results window: the results of the last command, the history of all
// commands of the run and the last fit's report in one text control, and
// the fit-difference view painted in its place. While the result log is
// on, the same texts go to "results.dat" of the program folder.
#ifndef KORLAN_SHELL_RESULTS_FENSTER_H
#define KORLAN_SHELL_RESULTS_FENSTER_H

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "shell/results_text.h"
#include "shell/macro_bar.h"

// Commands of the results window besides those it shares with the menu.
const int32_t CM_NEUES_ERGEBNIS = 2001;
const int32_t CM_HISTORIENZEILE = 2003;
const int32_t CM_KOPIEREN = 7777;
const int32_t ID_ERGEBNIS_EDIT = 1111;

class results_fenster : public fenster_objekt {
public:
    int32_t ErgebnisLog = 1;     // append results to "results.dat"
    int32_t FensterIndex = -1;   // graphic window the results belong to
    int32_t Folgen = 0;          // follow flag, cleared when another window takes over

    HWND Edit = nullptr;
    int32_t RichEdit = 0;        // the control is the platform's rich-edit control
    int32_t ErgebnisGezeigt = 0; // command 2001 showed the results text
    int32_t FitTextDa = 0;       // the fit report has written FitText
    int32_t Ansicht = 0;         // 0 text, 1 fit-difference view
    int32_t Breite = 0, Hoehe = 0;
    HMENU PopupMenue = nullptr;  // "ResultPopup" (its first submenu is shown)
    char ErgebnisText[ERGEBNIS_TEXTBLOCK] = {};
    char FitText[ERGEBNIS_TEXTBLOCK] = {};
    char HistorieText[ERGEBNIS_TEXTBLOCK] = {};
    int32_t Beschaeftigt = 0;

    LRESULT Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    // Commands that other code sends as 2001 and 2003 (CommandText holds the
    // text); callable directly too.
    void NeuesErgebnis();
    void HistorienZeile();
    // Path of "results.dat".
    static void LogPfad(char* ziel, size_t groesse);
    // Enables the popup's items as the state asks (fit text, EXAFS model).
    void PopupEinstellen(HMENU popup) const;
    // The fit-difference view, through Plotter, whose settings are put back
    // afterwards: the last fit's residual (FitDifferenzen) against the x
    // values of the active window's current curve; for an EXAFS model four
    // quadrants (residual, transforms or R-space curves).
    void FitDifferenzZeichnen(HDC dc, int breite, int hoehe);
    // Command 807: the "Feff SS paths" report of the last FEFF fit into
    // CommandText, shown in the text control.
    void FeffSsPfade();

private:
    LRESULT OnCreate();
    LRESULT OnDestroy();
    LRESULT OnSize();
    LRESULT OnPaint();
    LRESULT OnMouseActivate();
    LRESULT OnGetMinMaxInfo();
    LRESULT OnCommand();
    LRESULT OnSysCommand();
    LRESULT OnMouseMove();
    LRESULT OnRButtonUp();
    LRESULT OnParentNotify();
    void Befehl(int32_t id);
    void Zeige(const char* text, const char* titel);
    void HistorieAnfuegen(const char* text);
    void Verbergen();
    void NachVorn();
    void Popup(POINT bildschirm);
    void Speichern();
};

extern results_fenster ResultsWindow;

// The most of the shown text that Save writes into a ".ERG" file.
const size_t ERGEBNIS_SPEICHERN_MAX = 30000;

// y range of a residual of n points, widened by 5 % (a flat one by 5 % of
// its value, or 1 at 0). false for no points or values that are not finite.
struct DIFFERENZ_ANSICHT;
// The curves of the fit-difference view of the active window's EXAFS
// model, with "resid_c.dat" (k-space fits) and "resid_f.dat" written to
// the data folder. false for another model or nothing to show.
bool FitDifferenzBerechnen(DIFFERENZ_ANSICHT* aus);

bool ResidualBereich(const double* r, int32_t n, double* lo, double* hi);


#endif
