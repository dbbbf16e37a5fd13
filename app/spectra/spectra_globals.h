// Globals of the spectra subsystem, and what it needs of the application
// object (filled in by the shell at start-up; every pointer may stay null).
#ifndef KORLAN_SPECTRA_GLOBALS_H
#define KORLAN_SPECTRA_GLOBALS_H

#include <cstddef>
#include <cstdint>

#include "spectra/grafik_fenster.h"

struct SpektrenAnbindung {
    int32_t* FehlerCode;            // deferred error of the shell
    double* VollerXBereich;         // first and last x of the application object
    const int32_t* GlitchKorrektur; // glitch filter on/off
    const double* GlitchProzent;    // default 10.0
    const int32_t* GlitchPunkte;    // default 2
    HWND SchriftCombo;              // font-size combo box of the toolbar, may be null
};

// Wired to the application object by its constructor.
extern SpektrenAnbindung SpektrenShell;
extern grafik_fenster GrafikFenster[4];

// Menu state of graphic window 0-3 for the main menu's rules; false when
// the window is not open.
struct MENUE_ZUSTAND;
bool GrafikMenueZustand(int32_t fenster, MENUE_ZUSTAND* zustand);

// Status field 400 text of a curve: x range, y range and point count.
void StatusText400(char* aus, size_t groesse, double xErstes, double xLetztes, double yMin,
                   double yMax, int32_t punkte);

// Graphic window fenster (0-3) shows the columns of its series view
// (series count and list set by the caller) in its combined view: the
// combine flag is set as the Combine button sets it, show-all is switched
// off, and the ranges are taken anew at the next paint. The Combine button
// ends the view again.
void SerienAnsichtEin(int32_t fenster);

// Error code raised by the records when SpektrenShell.FehlerCode is null.
extern int32_t SpektrenFehler;

#endif
