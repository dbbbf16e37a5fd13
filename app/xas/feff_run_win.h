// Starting the outside programs of the FEFF dialogs (FEFF, ATOMS, the
// viewer, the text editor).
#ifndef KORLAN_XAS_FEFF_RUN_WIN_H
#define KORLAN_XAS_FEFF_RUN_WIN_H

#include <windows.h>

#include <cstdint>
#include <string>

// Starts programm (a full path; empty: the first word of argumente is the
// program, searched for as Windows does, the program's own folder first)
// with the command line argumente in arbeitsOrdner (empty: the current
// folder), shown as zeigen (SW_...). Returns 0, or the error code of the
// start (never 0). With prozess the caller gets the process handle and
// closes it.
DWORD FeffProgrammStarten(const std::string& programm, const std::string& argumente,
                          const std::string& arbeitsOrdner, int zeigen, HANDLE* prozess);


// ---- the triangle-angle change (feff_angle_win.cpp) ----

// Seconds RunFeff waits for FEFF before it ends it (default 300).
extern int32_t FeffWartezeit;

// Result of RunFeff when FEFF did not run or did not end well (after a
// message); the model is unchanged.
const int32_t FEFF_LAUF_NICHT_GESTARTET = -3;

// Rewrites the program's "feff\feff.inp" from the FEFF folder's input for
// path pfadIndex + 1 of the model at the angle winkel (degrees; runMode < 0:
// the first run, all FEFF modules), runs "feff\feff.exe" there and waits
// (serving messages; Cancel of the dialog and the time limit end it), and
// loads the recomputed path onto the grid x (punkte values). 1: the path
// (and the four-leg paths that match) loaded; -2: loaded, the four-leg
// partner's amplitude set to 0; -1: no row of the new "files.dat" at the
// new length, or its file gave no rows; FEFF_LAUF_NICHT_GESTARTET.
int32_t RunFeff(int32_t runMode, int32_t pfadIndex, double winkel, int32_t punkte, double* x);

// CHANGEFEFFANGLE over owner; returns 1.
int32_t FeffWinkelDialog(HWND owner);

#endif
