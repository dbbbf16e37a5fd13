// The confidence contour of two parameters of the last refinement (520).
#ifndef KORLAN_FIT_CONTOUR_WIN_H
#define KORLAN_FIT_CONTOUR_WIN_H

#include <cstdint>

class haupt_fenster;

// Opens FITCONTOUR on the target window after a fit. 1 when the dialog
// ended with "Save" (the outline is the window's current curve), else -1.
int32_t FitKontur(haupt_fenster* app, int32_t fenster);

#endif
