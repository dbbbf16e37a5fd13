// The help viewer NUMERIC_HELP and the assistant ASSIST.
#ifndef KORLAN_HELP_VIEWER_WIN_H
#define KORLAN_HELP_VIEWER_WIN_H

#include <windows.h>

// NUMERIC_HELP: the topic HilfeThema of the help file of the chosen
// language, assembled in CommandText.
INT_PTR CALLBACK NumericHelpProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

// ASSIST: the modeless assistant; its handle is AssistentDialog.
INT_PTR CALLBACK AssistProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

// Command 191: opens the assistant unless it is open.
void AssistentOeffnen();

#endif
