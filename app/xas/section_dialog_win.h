// The section dialog SET_BORDER with its live preview (one at a time; the
// section, deglitching, background, normalisation, mu0 and E0 steps open it
// through SektionsDialog, spectra/data_commands_win.h), the border reading
// of its two edits, the background preview and the hook through which
// tests answer it.
#ifndef KORLAN_XAS_SECTION_DIALOG_WIN_H
#define KORLAN_XAS_SECTION_DIALOG_WIN_H

#include <windows.h>

#include <cstdint>

// Settings of the mu0 section dialog that outlive it: the R value and the
// switch of the automatic spline count, the R-space switch (+1 on, -1 off)
// and the last automatic spline count.
extern double AutoSplineR;
extern int32_t AutoSpline;
extern int32_t RRaum;
extern int32_t SplineAnzahl;

INT_PTR CALLBACK SetBorderProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

// The two border edits (35 upper, 36 lower) as a section of the data range
// of the open dialog (see SektionsGrenzen). 1 with the borders, else 0.
int32_t GetBorderValues(HWND dlg, double* oben, double* unten);

// The three panels of the background preview in the dialog's picture
// control: the curve with mu0 (green), chi(k) k^w with a smooth guide
// (blue), |FT| with the previous preview's (blue). The current curve, its
// count and flags are as before afterwards.
void PlotXafsPreview(HWND dlg, double von, double bis);

// A responder for tests: called once the dialog has painted for the first
// time, with its handle and mode. When it returns while the dialog is still
// open, its value ends the dialog. Null: none.
typedef INT_PTR (*SEKTIONS_ANTWORT)(HWND dlg, int32_t modus);
extern SEKTIONS_ANTWORT SektionsAntwort;

// The preview control's point of a data x (and y) in dialog client
// coordinates, by the last frame drawn; false without one. Used to click.
bool SektionsPunkt(HWND dlg, double x, double y, POINT* p);

#endif
