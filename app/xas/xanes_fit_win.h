// The XANES fit of the XAFS menu (802 energy calibration, 812 E0) with its
// dialog XASPEAKE, and the linear-combination XANES set-up (844) with its
// dialog LC_XANES. The plain parts are in xanes_fit.h.
#ifndef KORLAN_XAS_XANES_FIT_WIN_H
#define KORLAN_XAS_XANES_FIT_WIN_H

#include <windows.h>
#include <commdlg.h>

#include <cstdint>

// XASPEAKE: the window's model functions by catalogue name, the old and
// the new edge position of the chosen one (HilfeThema 2: E0, the old
// position disabled). OK: DialogWerte[2] the chosen entry, [3] the new
// edge position; 1. Cancel: 0.
INT_PTR CALLBACK XasPeakeProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

// LC_XANES: the references of a linear-combination fit. Ends with their
// count (OK), -1 (OK while it reads "&Repeat Fit") or 0. On OK:
// DialogWerte[1] -1.0 with " Add profile function" checked, else 1.0;
// [2], [3] the fit range; the f-correction of reference i in FeffPfade[i];
// CommandText the comma-separated full paths; the LC limit of
// ExafsOptionen.
INT_PTR CALLBACK LcXanesProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

// The file choice of button 100 of LC_XANES (multiple selection); tests
// answer it in place of the user.
typedef BOOL (WINAPI *LC_DATEIDIALOG)(LPOPENFILENAMEA);
extern LC_DATEIDIALOG LcDateiDialog;

#endif
