// The EXAFS fit on the program's objects: the surroundings of the model
// kinds from the active graphic window, the chi-square callback, the set-up
// of commands 807 and 817, and the FEFF part of their macro records.
#ifndef KORLAN_XAS_EXAFS_FIT_WIN_H
#define KORLAN_XAS_EXAFS_FIT_WIN_H

#include <cstdint>

#include "xas/exafs_fit.h"

struct MakroFeffTeil;

// The surroundings of ModellFeldFFT from the active graphic window, the
// EXAFS options and the set-up's state; false without an active window.
bool ExafsUmfeldLesen(EXAFS_FFT_UMFELD* u);

// The FEFF part of an 807 record from the path records of the working
// model (recording), and back into the records (replay).
void ExafsMakroFeffAufnehmen(MakroFeffTeil* f);
void ExafsMakroFeffSetzen(const MakroFeffTeil& f);

#endif
