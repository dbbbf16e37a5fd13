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

// What the dialogs show of the target window's current curve.
struct NUMERIK_KURVE {
    int32_t Punkte = 0;
    double Unten = 0.0, Oben = 0.0;      // section borders
    bool ZeigtDaten = true, ZeigtFunktion = false;
    double KleinsterAbstand = 0.0;       // smallest spacing of neighbouring x
};

// AUSGLEICHSSPLINE: [0] = new number (at least 6), [1] = weight * 100
// (above 0; presets interpolate 1000, slight 1, strong 0.01), [2] = result
// 0 spline, 1-3 its derivatives; ends with the number, or 0 and message
// 108 for values outside these limits.
INT_PTR CALLBACK AusgleichsSplineProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
// AUSGLEICHSPOLYNOM: the degrees (one per line) into FitParameters[0 ..],
// [1] = number of polynomials, [2] = weight in per cent / 100, [0] = the
// new number, which is also the end code. A new number below 2, no
// polynomial, more than points - 4, a negative degree or a weight outside
// 0 .. 100 set message 108 and end with 0. Opened with HilfeThema 1 (the
// XAFS background), the first field is the k weight, shown as 0 and read
// into [5], the others start from [3], [4] * 100 and the degrees in the
// parameter block, and OK ends with 1.
INT_PTR CALLBACK AusgleichsPolynomProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
// NULLSTELLEN: [1] step, [2] tolerance, [3] from, [4] to, [5] 1 with the
// cubic spline else -1; ends with the mode: 1 function (else data), 4
// first root only, 8 all roots.
INT_PTR CALLBACK NullstellenProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
// GET_INTEGRAL: [1] from, [2] to; ends with 1 for the function, 2 for the
// data array.
INT_PTR CALLBACK GetIntegralProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
// DIFFERENTIATION: [1] step, [2] points of the function's derivative;
// ends with the mode 2 + 1 function + 4 first derivative + 8 data
// resampled by spline to the step.
INT_PTR CALLBACK DifferentiationProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
// MINMAX: [0] -1 both, 0 minima, 1 maxima; [1], [2], [4] 1 or -1 for
// ordinates, smoothing, extreme only; [3] the smoothing interval. Ends
// with 1, or 0 for a smoothing interval below 2 or above points / 2.
INT_PTR CALLBACK MinMaxProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

// Opens the dialog of tool `befehl` over `eigner` for the curve k; returns
// its end code, or -1 when the tool has no dialog.
INT_PTR NumerikDialog(int32_t befehl, HWND eigner, const NUMERIK_KURVE& k);
// AUSGLEICHSPOLYNOM for other callers; its form follows HilfeThema.
INT_PTR AusgleichsPolynomDialog(HWND eigner, const NUMERIK_KURVE& k);

#endif
