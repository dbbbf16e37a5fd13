#include "shell/dialog_helpers.h"

#include <cstdio>

#include "shell/shell_globals.h"

void CenterDialog(HWND fenster)
{
    if (!fenster) return;
    RECT r;
    if (!GetWindowRect(fenster, &r)) return;
    int breite = 0, hoehe = 0;
    if (HDC dc = GetDC(nullptr)) {
        breite = GetDeviceCaps(dc, HORZRES);
        hoehe = GetDeviceCaps(dc, VERTRES);
        ReleaseDC(nullptr, dc);
    }
    const int links = breite / 2 - (r.right - r.left) / 2;
    const int oben = hoehe / 2 - (r.bottom - r.top) / 2;
    SetWindowPos(fenster, nullptr, links, oben, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
}

void DialogHilfe(int32_t thema)
{
    const int32_t alt = HilfeThema;
    HilfeThema = thema;
    ZeigeHilfe(HilfeThema);
    HilfeThema = alt;
}
