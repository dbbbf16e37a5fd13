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

// The table over a model of `gesamt` functions, as SET_XAFS_PARAMETERS
// when the first function is the S0^2 of an EXAFS model (25) and the main
// window is not narrow, else as SET_ALL_PARAMETER. Opened by the graphic
// entry (ausGrafik), its "&Graphic" button ends it with 1 and sets
// *zurueckGrafik. Returns the dialog's result.
INT_PTR ParameterTabelleOeffnen(HWND eltern, int32_t gesamt, bool ausGrafik, int32_t* zurueckGrafik);

// SET_PARAMETER over the working model: 1 OK (or OK of the table opened
// by "&Flags"), 0 Cancel (every value and table as before).
INT_PTR CALLBACK SetParameterProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
int32_t GrafischeParameter(haupt_fenster* app);

// ---- the open table's services for its XAFS layout ----
void TabelleSeiteLesen(HWND dlg);
void TabelleSeiteZeigen(HWND dlg);
// " Show MS paths": with `an` off the pages skip the paths of more than
// two legs.
void TabelleMsPfade(HWND dlg, bool an);
int32_t TabelleParameter();   // the current parameter, -1 for none
int32_t TabelleEdit();        // the edit that last had the focus
int32_t TabelleGesamt();
const double* TabelleAnfang();  // the parameter block at opening

// ---- the XAFS layout (xafs_table_win.cpp) ----
void XafsTabelleOeffnen(HWND dlg);
// The boxes 255-257 for parameter j (-1 none).
void XafsBoxen(HWND dlg, int32_t j);
// The free count into edit 821.
void XafsZaehler(HWND dlg);
// What "Next" and "E&xit" take from the layout besides the values.
void XafsWeiter(HWND dlg);
// The column commands; false for an id that is not one.
bool XafsBefehl(HWND dlg, int id, int code);

// The parameter table as commands 21 and 136 open it (HilfeThema gives
// the mode: 100, -111 simulation, -222 fit). Returns the dialog's result.
int32_t ParameterTabelle(haupt_fenster* app);

#endif
