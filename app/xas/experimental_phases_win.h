// The experimental phases and amplitudes of the EXAFS set-up on the
// program's objects (experimental_phases_win.cpp).
#ifndef KORLAN_XAS_EXPERIMENTAL_PHASES_WIN_H
#define KORLAN_XAS_EXPERIMENTAL_PHASES_WIN_H

#include <cstdint>

#include "spectra/grafik_fenster.h"

// Where the model of the shells is evaluated.
enum SCHALEN_ART {
    SCHALEN_K_RAUM,     // the current curve, cut to the phases' range
    SCHALEN_R_RAUM,     // chi(k) two slots back (an R-space fit); only a warning beyond the range
    SCHALEN_TRANSFORM   // the phase-corrected transform: one shell, the amplitude optional, no cut
};

// The reference shell of a phase file's ".par" (4.0 and 1.9 without one).
struct SCHALEN_REFERENZ {
    double N = 4.0;
    double R = 1.9;
};

// Shell i's phase (field i of CommandText2) and amplitude (field schalen
// + i) read and put on the data grid into PhasenTabellen[i] and
// AmplitudenTabellen[i]; referenz (may be null, else schalen entries)
// receives the reference shells. In k space a current curve beyond a
// phase's range (its ends widened by 1 %) is first
// cut into the next slot to the range narrowed by 1 %, which gains slot
// flag 0x10 and becomes the data. Returns 1, or 0 with FehlerCode 108
// (no or missing files, more than 10 shells, a grid of fewer than 3
// points).
int32_t SchalenPhasenLaden(grafik_fenster& g, int32_t schalen, int32_t art, SCHALEN_REFERENZ* referenz);

// Start values of the working model's shells: N and R of the reference
// shells, the rest 0; when keeping, the old values with implausible ones
// replaced.
void SchalenStartWerte(int32_t schalen, const SCHALEN_REFERENZ* referenz, bool behalten);

#endif
