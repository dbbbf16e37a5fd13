#include "shell/plot_dialogs.h"

#include <cmath>

#include "shell/printing.h"

int32_t PunktAbstandWahl(double dotScale)
{
    if (dotScale > 0.55) return 2;
    if (dotScale > 0.35) return 1;
    return 0;
}

double PunktAbstandAusWahl(int32_t wahl)
{
    if (wahl == 2) return 0.6;
    if (wahl == 1) return 0.4;
    return 0.2;
}

int32_t BalkenBreiteAusEingabe(bool automatisch, double wert)
{
    if (automatisch) return -1;
    const double b = std::fabs(wert);
    if (!(b < 1e9)) return 1000000000;
    return static_cast<int32_t>(b);
}

bool FesterBereichGueltig(double yMin, double yMax, double xMin, double xMax)
{
    return yMin < yMax && xMin < xMax;
}

int32_t GewichtWahl(int32_t gewicht)
{
    if (gewicht == 400) return 0;
    if (gewicht == 500) return 1;
    return 2;
}

int32_t GewichtAusWahl(int32_t wahl)
{
    if (wahl == 0) return 400;
    if (wahl == 1) return 500;
    return 700;
}

int32_t SchriftBreite(int32_t hoehe)
{
    return (hoehe - 2) / 2;
}

void DruckGroesse(int32_t k, int32_t seitenBreite, int32_t seitenHoehe, int32_t* breite,
                  int32_t* hoehe)
{
    const DruckFlaeche f = BerechneDruckFlaeche(true, false, k, 0, 0, seitenBreite, seitenHoehe);
    *breite = f.Breite;
    *hoehe = f.Hoehe;
}
