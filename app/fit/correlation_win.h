// The correlation dialog of the parameter table.
#ifndef KORLAN_FIT_CORRELATION_WIN_H
#define KORLAN_FIT_CORRELATION_WIN_H

#include <windows.h>

// SET_CORRELATION for the selected parameter given as the dialog's
// lParam: OK (1) stores the rules with SP as master, Cancel (0) stores
// nothing.
INT_PTR CALLBACK SetCorrelationProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

// SET_MSCORRELATION for the selected parameter given as the dialog's
// lParam: OK (1, only once both lists have a choice) makes it follow the
// two chosen single-scattering distances and the angle; Cancel (0) stores
// nothing.
INT_PTR CALLBACK SetMsCorrelationProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

#endif
