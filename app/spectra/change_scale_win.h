// The axis-scaling dialog "CHANGESCALE" of the graphic windows.
#ifndef KORLAN_SPECTRA_CHANGE_SCALE_WIN_H
#define KORLAN_SPECTRA_CHANGE_SCALE_WIN_H

#include <windows.h>

#include <cstdint>

// Dialog procedure of "CHANGESCALE": edits the PAINTINFO of AktivesFenster
// (tick numbers, grid lines and axis distances of the three axes, and the
// sign of the y axis) and repaints that window after every change. Ends
// with 1 (OK) or 0 (Cancel; the changes made so far stay).
INT_PTR CALLBACK ChangeScaleProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

// Opens "CHANGESCALE" for graphic window `fenster` (it becomes the active
// one), owned by that window. Returns the dialog's result, -1 when the
// window is not open.
INT_PTR SkalenDialog(int32_t fenster);

#endif
