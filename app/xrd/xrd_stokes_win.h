// Command 905's worker.
#ifndef KORLAN_XRD_STOKES_WIN_H
#define KORLAN_XRD_STOKES_WIN_H

#include <cstdint>

// The Stokes deconvolution of the active window's current curve. mode -1:
// the instrument file is the player's CommandText2 (a trailing line feed
// removed); 0: asked with the file dialog and afterwards left in
// CommandText2 for the recorder; 1: asked. The result goes into the next
// slot. Returns 2 when it did, 1 when nothing changed (dialog cancelled,
// file missing or unusable, with a message; a replay stops there).
int32_t StokesDeconvolution(int32_t mode);
// The instrument file of the last deconvolution that was done.
const char* StokesInstrument();

#endif
