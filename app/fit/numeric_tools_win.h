// The curve tools of the Numeric menu inside NumerikBefehl.
#ifndef KORLAN_NUMERIC_TOOLS_WIN_H
#define KORLAN_NUMERIC_TOOLS_WIN_H

#include <windows.h>

#include <cstdint>

class haupt_fenster;

// Whether `befehl` is one of the tools below.
bool NumerikWerkzeugGebaut(int32_t befehl);

// Runs tool `befehl` (501-505, 508-511, 513-515, 517, 518) on the current curve of
// graphic window `fenster` with the values in DialogWerte. Returns false
// when the number is not one of these tools.
bool NumerikWerkzeug(haupt_fenster* app, int32_t befehl, int32_t fenster, LPARAM lParam);

#endif
