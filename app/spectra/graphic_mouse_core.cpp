#include "spectra/graphic_mouse.h"

int32_t MausQuadrant(int32_t x, int32_t y, int32_t w, int32_t h, bool alleZeigen, int32_t neuester,
                     int32_t ohneAlle)
{
    if (!alleZeigen) return ohneAlle;
    const int32_t rechts = x > w / 2 ? 1 : 0;
    if (neuester < 2) return rechts;
    return rechts + (y > h / 2 ? 2 : 0);
}

int32_t MausZaehler(int32_t q, int32_t neuester)
{
    if (neuester <= 3) return q;
    int32_t c = neuester;
    while (c >= 1 && c % 4 != q) --c;
    return c;
}

bool MausRechteAchse(int32_t x, int32_t w, bool alleZeigen)
{
    if (!alleZeigen) return x > w / 2;
    if (x <= w / 2) return x >= w / 4;
    return x > 3 * w / 4;
}

bool KombiHinzufuegen(int32_t* liste, int32_t* anzahl, int32_t kapazitaet, int32_t zielSlot,
                      int32_t zielFenster, int32_t slot, int32_t fenster, bool rechts)
{
    const int32_t n = *anzahl < 0 ? 0 : *anzahl;
    const int32_t neu = n == 0 ? 2 : 1;
    if (n + neu > kapazitaet) return false;
    int32_t i = n;
    if (n == 0) liste[i++] = zielSlot % 4 + 10 * zielFenster;
    liste[i++] = slot % 4 + 10 * fenster + (rechts ? 100 : 0);
    *anzahl = i;
    return true;
}

bool ZoomAusRechteck(double x1, double y1, double x2, double y2, ZOOM_BEREICH* aus)
{
    if (!(x1 != x2) || !(y1 != y2)) return false;
    aus->XUnten = x1 < x2 ? x1 : x2;
    aus->XOben = x1 < x2 ? x2 : x1;
    aus->YUnten = y1 < y2 ? y1 : y2;
    aus->YOben = y1 < y2 ? y2 : y1;
    return true;
}
