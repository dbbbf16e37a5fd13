// The Fourier transformation command (506) and its dialogs: FTRANSFORMATION
// and the two previews SHOWWINDOW and WEIGHTFT.
#ifndef KORLAN_FOURIER_TRANSFORM_WIN_H
#define KORLAN_FOURIER_TRANSFORM_WIN_H

#include <windows.h>

#include <cstdint>

#include "zelva.h"

// FTRANSFORMATION: mode from HilfeThema (1 XAFS, 0 numeric) at
// WM_INITDIALOG; fills DialogWerte[1..10] and ends with 0 (Cancel),
// 1 (forward) or 2 (back).
INT_PTR CALLBACK FTransformationProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

// SHOWWINDOW: the window function DialogWerte[2] over [3, 4] with
// parameter [5] on the active window's current curve; ends with 1 and the
// parameter of its edit in [5].
INT_PTR CALLBACK ShowWindowProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

// WEIGHTFT: the transform of the current chi(k) with three k weights;
// ends with the weight of the clicked quadrant, or -1.
INT_PTR CALLBACK WeightFTProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

// What the k-weight preview transforms with: the window the Fourier
// dialog's "&K" gives it, and the phase-correction flag.
struct FT_VORSCHAU {
    FTWINDOW Fenster{5, 0.0, 0.0, 20.0, 0.0};
    int32_t Phase = 0;
};
extern FT_VORSCHAU FtVorschau;

#endif
