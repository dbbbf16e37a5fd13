// The dialog of command 903.
#ifndef KORLAN_XRD_FOURIER_SYNTHESIS_WIN_H
#define KORLAN_XRD_FOURIER_SYNTHESIS_WIN_H

#include <windows.h>

// FOURIERSYNTHESE: 1 on OK (at least 3 coefficients; L, f(0) and the
// coefficients then stored in the synthesis globals, FitParameters[0..N]
// and CommandArgs[0..N]), 0 on Cancel (nothing stored).
INT_PTR FourierSyntheseDialog(HWND besitzer);

#endif
