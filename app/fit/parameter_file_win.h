// The file dialogs of the ".par" parameter files (commands 171 and 187 and
// the function choice dialog).
#ifndef KORLAN_FIT_PARAMETER_FILE_WIN_H
#define KORLAN_FIT_PARAMETER_FILE_WIN_H

#include <windows.h>
#include <commdlg.h>

#include <cstdint>

// The active window's fit model to a file the user chooses: 1 written, 0
// cancelled or not written (a write failure is reported).
int32_t SaveParameterFile();
// A ".par" file into the active window's model: 1 loaded, 0 cancelled, not
// readable or refused (a damaged file is reported and changes nothing).
// name, when given, receives the file name without its folder (up to 300
// characters).
int32_t LoadParameterFile(char* name, HWND besitzer);

// The file dialogs; tests answer them in place of the user.
typedef BOOL (WINAPI *PARAMETER_DATEIDIALOG)(LPOPENFILENAMEA);
extern PARAMETER_DATEIDIALOG ParameterOeffnenDialog;
extern PARAMETER_DATEIDIALOG ParameterSpeichernDialog;

#endif
