#include "shell/progress_window_win.h"

#include <cstring>

#include "shell/haupt_fenster.h"

namespace {

const COLORREF ROT = 0x0000FF;
const COLORREF BLAU = 0xFF0000;

void Fuellen(HDC dc, const BALKEN_RECHTECK& b, COLORREF farbe)
{
    const RECT r = {b.Links, b.Oben, b.Rechts, b.Unten};
    HBRUSH pinsel = CreateSolidBrush(farbe);
    FillRect(dc, &r, pinsel);
    DeleteObject(pinsel);
}

}  // namespace

LRESULT progress_fenster::Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    SetzeMeldung(Meldungsblock, hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY && Fenster == hwnd) Fenster = nullptr;
    if (Beschaeftigt) return 0;
    switch (msg) {
    case WM_CREATE:
        Fenster = hwnd;
        std::strcpy(Text, PROGRESS_VORGABE_TEXT);
        return 0;
    case WM_SIZE:
        Breite = LOWORD(lParam);
        Hoehe = HIWORD(lParam);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        Malen(dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) != 37) return 0;
        if (lParam <= 0) {
            ShowWindow(hwnd, SW_HIDE);
        } else if (IsWindowVisible(hwnd)) {
            const RECT r = {Breite / 5 - 3, Hoehe / 5 - 3, 4 * Breite / 5 + 3, 3 * Hoehe / 5 + 3};
            InvalidateRect(hwnd, &r, TRUE);
            UpdateWindow(hwnd);
        } else {
            Platzieren();
        }
        return 0;
    default:
        return 0;
    }
}

void progress_fenster::Platzieren()
{
    HWND h = Fenster;
    if (!h) return;
    RECT haupt = {};
    GetClientRect(HAUPTDATEN.Hauptfenster, &haupt);
    const int w = haupt.right / 4, hh = haupt.bottom / 6;
    MoveWindow(h, w, hh, w, hh, FALSE);
    ShowWindow(h, SW_SHOW);
    RECT c;
    GetClientRect(h, &c);
    SendMessageA(h, WM_SIZE, SIZE_RESTORED, MAKELPARAM(c.right, c.bottom));
    BringWindowToTop(h);
    InvalidateRect(h, nullptr, TRUE);
    UpdateWindow(h);
}

int32_t progress_fenster::SetProgress()
{
    HWND h = Fenster;
    if (!h) return 1;
    if (!IsWindowVisible(h)) {
        Platzieren();
        return 1;
    }
    BALKEN_RECHTECK b;
    if (Gezeigt && !Unterdrueckt && ProgressBalken(Breite, Hoehe, Unten, Oben, Aktuell, &b)) {
        HDC dc = GetDC(h);
        Fuellen(dc, b, BLAU);
        TextMalen(dc);
        ReleaseDC(h, dc);
        GdiFlush();
    }
    return 1;
}

void progress_fenster::Malen(HDC dc)
{
    Fuellen(dc, {0, 0, Breite, Hoehe}, ROT);
    if (!Gezeigt || Unterdrueckt) return;
    const BALKEN_RECHTECK rahmen = ProgressRahmen(Breite, Hoehe);
    Rectangle(dc, rahmen.Links, rahmen.Oben, rahmen.Rechts, rahmen.Unten);
    BALKEN_RECHTECK b;
    if (ProgressBalken(Breite, Hoehe, Unten, Oben, Aktuell, &b)) Fuellen(dc, b, BLAU);
    TextMalen(dc);
}

// The text, centred below the bar on the red ground; a computation may
// change it between two steps.
void progress_fenster::TextMalen(HDC dc)
{
    const int laenge = static_cast<int>(strnlen(Text, sizeof Text));
    const int zeichen = HAUPTDATEN.ZeichenBreite > 0 ? HAUPTDATEN.ZeichenBreite : 8;
    const int hoehe = HAUPTDATEN.ZeichenHoehe > 0 ? HAUPTDATEN.ZeichenHoehe : 16;
    const int y = Hoehe - 3 * hoehe;
    Fuellen(dc, {0, y, Breite, y + hoehe}, ROT);
    SetBkColor(dc, ROT);
    SetBkMode(dc, OPAQUE);
    TextOutA(dc, (Breite - zeichen * laenge) / 2, y, Text, laenge);
}
