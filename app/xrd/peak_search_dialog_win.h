// The peak search dialog PEAKSEARCH (command 904) and its preview.
#ifndef KORLAN_XRD_PEAK_SEARCH_DIALOG_WIN_H
#define KORLAN_XRD_PEAK_SEARCH_DIALOG_WIN_H

#include <windows.h>

#include <cstdint>

// Opens PEAKSEARCH on the active window's current curve. OK (1) leaves the
// search's model in the window and DialogWerte[0] = lambda (pm), [1] = the
// detection limit (%), [5] = the profile; Cancel (0) puts the window's
// model and curve back as they were at opening. 0 without a window or with
// fewer than 5 points.
int32_t PeakSucheDialog(HWND owner);

// The preview while the dialog is open: the current curve over the section
// (with scale < 100 its y range cut to scale percent), the peaks as blue
// points, and with a background the spline in green and its nodes in dark
// green. Returns 1; 0 when the dialog is not open.
int32_t PlotPeakSearch(int32_t scale, HWND plot, double* positionen, double* hoehen, int32_t anzahl,
                       double* bx, double* by, double* nx, double* ny);

#endif
