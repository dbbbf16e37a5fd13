// Saved results (".ERG"): the shown text of the results window written as
// it stands. Plain file code, no windows.
#ifndef KORLAN_SHELL_RESULTS_DATEI_H
#define KORLAN_SHELL_RESULTS_DATEI_H

#include <cstddef>

// The save dialog's file buffer and the most of a text that is saved.
const size_t ERGEBNIS_DATEINAME_BYTES = 2000;
const size_t ERGEBNIS_SPEICHERN_MAX = 30000;

// Creates pfad anew and writes text byte for byte ("\r\n" line ends kept).
// false when the file cannot be created or written.
bool ErgebnisseSpeichern(const char* pfad, const char* text);

#endif
