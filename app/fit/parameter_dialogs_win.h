// The parameter table SET_ALL_PARAMETER, the constraint dialog and the row
// routines they share with the other parameter dialogs.
#ifndef KORLAN_FIT_PARAMETER_DIALOGS_WIN_H
#define KORLAN_FIT_PARAMETER_DIALOGS_WIN_H

#include <windows.h>

#include <cstdint>

class haupt_fenster;

// 1 OK, 0 Cancel (every value and table as before the dialog).
INT_PTR CALLBACK SetAllParameterProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
// Bottom into DialogWerte[1], top into DialogWerte[2]; 1 OK, 0 Cancel.
INT_PTR CALLBACK SetConstrainProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

// Hides rows 0 to n-1 of the table: function caption and value edits, and
// with n < 5 also the parameter captions.
void ShowParameterRow(HWND dlg, int32_t n);
// The parameters of function FitFunctionCount from the edits first,
// first + 1, ... (an empty edit reads 0).
void ReadParameterTexts(HWND dlg, int32_t ersteId);
// Function caption, values ("%.8G"), edit colours by flag word and, unless
// zeilenText is -1, the row captions of function FitFunctionCount; rows
// beyond its parameters are hidden.
void SetParameterCaptions(HWND dlg, int32_t ersteId, int32_t funktionsText, int32_t zeilenText);

// The parameter table as commands 21 and 136 open it (HilfeThema gives
// the mode: 100, -111 simulation, -222 fit). Returns the dialog's result.
int32_t ParameterTabelle(haupt_fenster* app);

#endif
