// The multi-column plot (825): the dialog MULTICOLPLOT and its command.
#ifndef KORLAN_SERIES_MULTIPLOT_WIN_H
#define KORLAN_SERIES_MULTIPLOT_WIN_H

#include <windows.h>

#include <cstdint>

class haupt_fenster;

// MULTICOLPLOT over the series of the active window. OK stores the column
// list (column c of the file, 2 the first data column), the displacement
// code (0 none, 1 pseudo-3D, 10/20/30/40 slight, medium, strong, by the
// value), the value, the pseudo-3D flag and borders in the window's series
// view and "Mark every" (-1 for 0) in the drawing's highlight word, and
// ends with the number of columns; more than 100 columns set FehlerCode
// 116 and end with 0; a choice that gives no column keeps the dialog open.
// Cancel clears the displacement code and the pseudo-3D flag and ends
// with 0.
INT_PTR CALLBACK MultiColPlotDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

// Command 825: the dialog over a binary multi-column file, then the window
// draws the chosen columns together. Returns the dialog's result.
int32_t MehrspaltenPlot(haupt_fenster* app);

#endif
