// The kinetic calculator dialog (command 913).
#pragma once

#include <windows.h>

#include <cstdint>

class haupt_fenster;

// Dialog procedure of KINETIC_CALC, run modally on the active window.
INT_PTR CALLBACK KineticCalcDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

// 913: copies the current curve of window `fenster` into the next slot and
// runs the calculator on it; writes the history line. A replay cannot run
// a dialog that waits for a person: it stops there.
void KinetikRechner(haupt_fenster* app, int32_t fenster, bool vorbereitet);
