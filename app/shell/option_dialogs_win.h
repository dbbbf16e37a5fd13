// The font-profile dialog DEFAULTFONT (194) and the option dialogs
// FITOPTIONEN (140), FILEOPTIONEN (172) and OPTEXAFS (813), with the
// writers of the settings files they own.
#ifndef KORLAN_OPTION_DIALOGS_WIN_H
#define KORLAN_OPTION_DIALOGS_WIN_H

#include <windows.h>

#include <cstdint>

// The settings files of the program folder, written from the application
// object through a temporary file (settings_win.cpp). False when the file
// could not be written; the values stay in memory for the run.
bool SpeichereNumericIns();
bool SpeichereXasERange();
bool SpeichereBrowserDat();

INT_PTR CALLBACK DefaultFontProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FitOptionenProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FileOptionenProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK OptExafsProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

// Command 194: DEFAULTFONT; on OK profile 1 goes to the active graphic
// window, "numeric.ins" is written and the window redrawn. Returns the
// dialog's result (1 OK, 0 Cancel).
int32_t StandardSchriften();
// Command 193: the active graphic window gets the other profile.
void SchriftWechseln();
// Commands 140 and 172: the dialog's result, also stored in DialogWerte[0].
int32_t FitOptionen();
int32_t DateiOptionen();
// Command 813 (xas/xas_entries.h declares it for the XAFS menu).
int32_t ExafsOptionenDialog();

#endif
