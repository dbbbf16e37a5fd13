// Command 849, WRITE_FILES: the paths of the active window's FEFF model as
// a new files.dat with the paths.dat blocks of those paths.
#ifndef KORLAN_XAS_FEFF_FILES_WIN_H
#define KORLAN_XAS_FEFF_FILES_WIN_H

#include <windows.h>

#include <cstdint>
#include <string>

// The dialog; 1 after OK (the file written, or the user told why not), 0
// on Cancel.
int32_t WriteFilesBefehl();

// Result codes of FeffListeSchreiben.
const int32_t FEFF_LISTE_OK = 1;
const int32_t FEFF_LISTE_EINGABE = -1;     // the output is one of the files read
const int32_t FEFF_LISTE_SCHREIBEN = -2;   // the output could not be written
const int32_t FEFF_LISTE_OHNE_FENSTER = -3;  // no active window with a curve

// Writes the list of the active window's model to `ausgabe`: FEFF's
// "FILES.DAT" and "PATHS.DAT" of the FEFF folder read first, the weights
// of the paths from the model over the window's k curve, the text into a
// temporary file beside the output, which then takes its place. Refuses an
// output that names (as a full path) one of the files read or the
// files.dat of a path of the model.
int32_t FeffListeSchreiben(const std::string& ausgabe, bool original, double filter);

#endif
