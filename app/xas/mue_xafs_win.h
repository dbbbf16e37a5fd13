// FEFF scattering paths in the atomic background fit: the options dialog
// MUE_XAFS, the choice behind the section dialog's box " Feff - &Xafs",
// and the background engine's fit of the spline with the paths.
#ifndef KORLAN_XAS_MUE_XAFS_WIN_H
#define KORLAN_XAS_MUE_XAFS_WIN_H

#include <windows.h>

#include <cstdint>

// MUE_XAFS: on OK DialogWerte[0] = 1.0 for " All free, (5 % constrain)",
// -1.0 for " xyz correlation", DialogWerte[1] = 1.0 for " All free, (0 -
// 0.05)", -1.0 for "Potential Debye T"; 1, or 0 on Cancel.
INT_PTR CALLBACK MueXafsDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
int32_t MueXafsDialog(HWND owner);

// The model of the active window from the paths in records 1 .. pfade
// (chosen as FEFF_FIT leaves them) and the options in DialogWerte[0] and
// [1]: each record loaded onto the current curve's grid, then the spline
// with `knoten` knots, S0^2 and the paths (MueXafsModell) in the window and
// the working model. Returns the number of paths, or 0 after a message
// (the window keeps one function).
int32_t MueXafsModellSetzen(HWND owner, int32_t pfade, int32_t knoten);

// The box: MUE_XAFS, the FEFF files.dat, FEFF_FIT and the model. The
// number of paths in the model, 0 when cancelled or refused (the window
// then holds one function).
int32_t MueXafsHinzufuegen(HWND owner);

// Back to the spline alone (the box unchecked).
void MueXafsEntfernen();

// The background engine's FEFF variant (first function the spline and
// FEFF paths behind it) over [von, bis] of the active window's current
// curve: with n below 1000 the knot heights, the free distances, sigma^2
// and the E0 shift are fitted on 300 points of the section; with n of 1000
// or more the n - 1000 knots in the block are kept. outX/outY (N values)
// receive the section abscissae and mu0 there; with featX and featY the
// fitted absorption at the section abscissae, and "mue_xafs.txt", the
// table in CommandText and "spline_XAS.mue" are written. Returns N, or 0.
int32_t MueXafsRechnen(double von, double bis, int32_t n, double* outX, double* outY, double* featX,
                       double* featY);

#endif
