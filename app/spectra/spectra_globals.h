// Globals of the spectra subsystem, and what it needs of the application
// object (filled in by the shell at start-up; every pointer may stay null).
#ifndef KORLAN_SPECTRA_GLOBALS_H
#define KORLAN_SPECTRA_GLOBALS_H

#include <cstdint>

#include "spectra/grafik_fenster.h"

struct SpektrenAnbindung {
    int32_t* FehlerCode;            // deferred error of the shell
    double* VollerXBereich;         // first and last x of the application object
    const int32_t* GlitchKorrektur; // glitch filter on/off
    const double* GlitchProzent;    // default 10.0
    const int32_t* GlitchPunkte;    // default 2
    const GrafikSchriften* Schriften;  // font sizes for the record's defaults
};

extern SpektrenAnbindung SpektrenShell;
extern grafik_fenster GrafikFenster[4];

// Error code raised by the records when SpektrenShell.FehlerCode is null.
extern int32_t SpektrenFehler;

#endif
