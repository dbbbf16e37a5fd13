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

// Dialog procedure of ISOCONV_KINETIC (command 914).
INT_PTR CALLBACK IsoconvKineticDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

// The file choice of the analysis (FileDialog kind 200). Tests set it to
// answer without the common dialog; same contract as FileDialog.
typedef int32_t (*ISOCONV_DATEIWAHL)(HWND owner, char* pfad, char* titel, int32_t art, int32_t oeffnen);
extern ISOCONV_DATEIWAHL IsoconvDateiWahl;

// 914: runs the analysis dialog; a replay stops at it.
void IsoconvAnalyse(haupt_fenster* app, bool vorbereitet);
