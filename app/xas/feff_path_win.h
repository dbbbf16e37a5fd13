// The files.dat list of the FEFF path dialogs.
#ifndef KORLAN_XAS_FEFF_PATH_WIN_H
#define KORLAN_XAS_FEFF_PATH_WIN_H

#include <windows.h>
#include <cstdint>

#include "xas/feff_path.h"

// Control ids of the path dialogs that ReadFilesDat fills.
const int IDC_FEFF_TITEL = 80;      // title line of files.dat
const int IDC_FEFF_ZEILEN = 37;     // listed rows (multiple selection)
const int IDC_FEFF_GEWAEHLT = 102;  // rows of the paths in the model

// Lists the rows of the files.dat named in CommandText in the dialog:
// the title in control 80, the rows that pass the filter (FilterFilesDat)
// in list 37, their path numbers in FeffListenPfade. With mode > 0 and a
// model whose first function has type 25, the rows of the model's paths
// from this file are listed and selected; in mode 10 list 102 then shows
// the model's paths. Returns 1, or -1 when the file cannot be read or
// holds no path row (the lists are then left as they were).
int32_t ReadFilesDat(HWND dialog, int32_t modus, double minVerhaeltnis, int32_t maxBeine);

#endif
