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

#endif
