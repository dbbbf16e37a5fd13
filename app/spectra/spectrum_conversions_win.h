// Handlers of the curve conversions of the main menu (164, 175, 189).
// Each works on graphic window `fenster` (BefehlsFenster's choice), puts
// its result into the next curve slot and returns 1, or 0 when nothing
// changed (with FehlerCode set when the file or curve was unusable).
#ifndef KORLAN_SPECTRUM_CONVERSIONS_WIN_H
#define KORLAN_SPECTRUM_CONVERSIONS_WIN_H

#include <windows.h>

#include <cstdint>

class haupt_fenster;

int32_t FtBetragZeigen(haupt_fenster* app, int32_t fenster, LPARAM lParam);  // 164
int32_t JcpNachMes(haupt_fenster* app, int32_t fenster);                   // 175
int32_t WinkelNachEnergie(haupt_fenster* app, int32_t fenster);            // 189

#endif
