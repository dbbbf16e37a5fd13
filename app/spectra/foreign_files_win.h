// The ".fio" import (data commands 609 and 615) and the multi-scan
// splitter (command 90): their open dialogs and messages. The file work
// is in fio_file_core.cpp and scan_split_core.cpp.
#ifndef KORLAN_FOREIGN_FILES_WIN_H
#define KORLAN_FOREIGN_FILES_WIN_H

#include <windows.h>

#include <cstdint>

// The open dialog of both; tests answer it in place of the user.
typedef BOOL (WINAPI *FREMD_DATEIDIALOG)(LPOPENFILENAMEA);
extern FREMD_DATEIDIALOG FremdDateiDialog;

// Asks for a "*.fio" file (CommandText receives its path, the remembered
// filter becomes "*.fio" and the data folder the file's folder) and writes
// the four-column grid file beside it. Returns 1 when written, 0 when
// cancelled or refused (with a message).
int32_t ImportFio(int32_t modus);

// Asks for a multi-scan file and writes one file per scan. Returns 1 after
// splitting, 0 when cancelled or the file cannot be opened.
int32_t SplitAnkaFile(HWND besitzer);

#endif
