// The dialog of command 816 (PHASENAMPLITUDEN); the command itself is
// PhasenAmplituden in xas_entries.h.
#ifndef KORLAN_XAS_PHASES_AMPLITUDES_WIN_H
#define KORLAN_XAS_PHASES_AMPLITUDES_WIN_H

#include <windows.h>

// On OK: DialogWerte[1], [2] N and R (modified, or a real curve), [3] -1
// K/L1 or +1 L2/L3 edge, [4] 100 save or 1, [5] 1 "  Amplitude" of a real
// curve else -1; with saving CommandText holds the typed name without its
// extension ("test" when empty). Ends with 100 (modified, or a real
// curve), 1 (simple) or 0 (Cancel).
INT_PTR CALLBACK PhasenAmplitudenProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

#endif
