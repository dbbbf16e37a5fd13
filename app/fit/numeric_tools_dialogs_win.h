// The dialogs of the Numeric menu's curve tools. Each fills DialogWerte and
// ends with a code the tool's handler reads; 0 means nothing is to be done.
#ifndef KORLAN_NUMERIC_TOOLS_DIALOGS_WIN_H
#define KORLAN_NUMERIC_TOOLS_DIALOGS_WIN_H

#include <windows.h>

#include <cstdint>

// GET_FSMOOTH: the interval of the Fourier smoothing in DialogWerte[0];
// ends with the interval (0 for Cancel or an interval of 0).
INT_PTR CALLBACK GetFSmoothProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

// SPLINE and POLINT (lParam: the curve's point count): the new number of
// points in DialogWerte[0]; ends with it. SPLINE refuses fewer than two
// points and POLINT fewer than one with message 108 and ends with 0.
INT_PTR CALLBACK SplineProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PolintProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

// GOLAYSMOOTH: DialogWerte[1] = degree class 1-3, [2] = |interval|,
// [0] = |iterations|; ends with the iterations.
INT_PTR CALLBACK GolaySmoothProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
// BSPLINE (lParam: the curve's point count): [0] = new number (at least 2),
// [1] = degree (2 .. points - 4); ends with the number, or with 0 and
// message 108 for values outside these limits.
INT_PTR CALLBACK BSplineProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

// Opens the dialog of tool `befehl` over `eigner` for a curve of `punkte`
// points; returns its end code,
// or -1 when the tool has no dialog yet.
INT_PTR NumerikDialog(int32_t befehl, HWND eigner, int32_t punkte);

#endif
