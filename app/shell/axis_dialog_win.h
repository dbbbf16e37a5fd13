// The axis inscription dialog ACHSEN (command 450) and the legend drawing
// of its preview.
#ifndef KORLAN_AXIS_DIALOG_WIN_H
#define KORLAN_AXIS_DIALOG_WIN_H

#include <windows.h>

#include <cstdint>

INT_PTR CALLBACK AchsenProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

// Draws a legend into the dialog's preview control: with redraw the whole
// preview (the active window's plot, then the entries) is drawn anew;
// without, the entries are painted over in the preview's background colour.
// positions holds x, y in data units per entry.
void DrawLegend(HWND control, const double* positions, const char* text, int32_t count,
                int32_t redraw);

// Command 450: ACHSEN on the active graphic window, then a redraw of that
// window whether the dialog ended with OK or Cancel. Returns the result.
int32_t AchsenBeschriften();

#endif
