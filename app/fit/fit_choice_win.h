// The dialogs of the fit model choice and the commands that open them:
// "Choose Function" (135), "Change Borders" (155), and the automatic
// start-value search on the active window.
#ifndef KORLAN_FIT_FIT_CHOICE_WIN_H
#define KORLAN_FIT_FIT_CHOICE_WIN_H

#include <windows.h>

#include <cstdint>

class haupt_fenster;

// GET_FUNCTION: 0 Cancel (or nothing chosen), 1 model built, 99 model and
// parameters taken from a file, 999 try again with the old tables, 9999
// keep the flags and enter new values.
INT_PTR CALLBACK GetFunctionDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
// FUNCBORDER: DialogWerte[0] from, [1] to; 1 OK, 0 Cancel.
INT_PTR CALLBACK FuncBorderDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

// Start values of the active window's model from the curve x, y of n
// points (the numerics object is left as it was).
void AutoPeakSearch(double threshold, double fwhm, int32_t n, const double* x, const double* y);

// Command 135: the function choice dialog on the target window. Returns
// the dialog's result.
INT_PTR FunktionWaehlen(haupt_fenster* app);
// Command 155: the borders from FUNCBORDER, or from DialogWerte with
// lParam 2; from not below to sets FehlerCode 102.
void FunktionsGrenzen(haupt_fenster* app, int32_t fenster, LPARAM lParam);

#endif
