#include "spectra/graphic_layout.h"

#include <cmath>

int32_t PlotHoehe(int32_t hoehe, int32_t fitZustand)
{
    return fitZustand != 0 ? hoehe * 3 / 4 : hoehe;
}

FLAECHE DifferenzFlaeche(int32_t links, int32_t oben, int32_t breite, int32_t hoehe)
{
    return FLAECHE{links, oben + hoehe * 3 / 4, breite, -(hoehe / 4)};
}

int32_t AllePanels(int32_t neuesterZaehler)
{
    if (neuesterZaehler < 0) return 0;
    return (neuesterZaehler < 3 ? neuesterZaehler : 3) + 1;
}

FLAECHE AllePanel(int32_t anzahl, int32_t i, int32_t links, int32_t oben, int32_t breite,
                  int32_t hoehe)
{
    const int32_t b = breite / 2;
    const int32_t h = anzahl >= 3 ? hoehe / 2 : hoehe;
    return FLAECHE{links + (i % 2) * b, oben + (i / 2) * h, b, h};
}

FLAECHE HalbPanel(int32_t i, int32_t links, int32_t oben, int32_t breite, int32_t hoehe)
{
    const int32_t b = breite / 2;
    return FLAECHE{links + (i ? b : 0), oben, b, hoehe};
}

FLAECHE KachelFlaeche(int32_t k, int32_t anzahl, int32_t oben, int32_t breite, int32_t hoehe)
{
    const int32_t zeilen = anzahl > 0 ? (anzahl + 1) / 2 : 1;
    const int32_t b = breite / 2, h = hoehe / zeilen;
    return FLAECHE{(k % 2) * b, oben + (k / 2) * h, b, h};
}

namespace {

double Vielfaches(int32_t modus)
{
    switch (modus) {
    case 10: return 1.0;
    case 20: return 3.0;
    case 30: return 6.0;
    default: return 0.0;
    }
}

}  // namespace

double SerienVersatz(int32_t modus, double yOben, double yUnten, int32_t anzahl, double schritt)
{
    if (modus == 40) return schritt;
    const double f = Vielfaches(modus);
    if (f == 0.0 || anzahl < 2) return 0.0;
    return f * std::fabs(yOben - yUnten) / (anzahl - 1);
}

double SerienZuwachs(int32_t modus, double yOben, double yUnten, int32_t anzahl, double schritt)
{
    if (modus == 40) return anzahl > 1 ? (anzahl - 1) * schritt : 0.0;
    return Vielfaches(modus) * std::fabs(yOben - yUnten);
}

void KombiSchritte(int32_t modus, int32_t n, double yUnten, double yOben, double rUnten,
                   double rOben, double dialogWert, double schritte[2])
{
    schritte[0] = schritte[1] = 0.0;
    if (modus == 14) {
        schritte[0] = schritte[1] = dialogWert;
        return;
    }
    double links = 0.0, rechts = 0.0;
    switch (modus) {
    case 11: links = rechts = 0.3; break;
    case 12: links = rechts = 0.8; break;
    case 13: links = 1.8; rechts = 1.4; break;
    default: return;
    }
    if (n < 2) return;
    const double spanneL = std::fabs(yOben - yUnten);
    // An axis without curves keeps its unset range: no offset there.
    const double spanneR = (rUnten < 1e30 && rOben > -1e30) ? std::fabs(rOben - rUnten) : 0.0;
    schritte[0] = links * spanneL / (n - 1);
    schritte[1] = rechts * spanneR / (n - 1);
}

void KombiVersaetze(const int32_t* liste, const bool* offen, int32_t anzahl,
                    const double schritte[2], double* versaetze)
{
    double laufend[2] = {0.0, 0.0};
    for (int32_t k = 0; k < anzahl; ++k) {
        versaetze[k] = 0.0;
        if (!offen[k]) continue;
        const int achse = liste[k] >= 100 ? 1 : 0;
        versaetze[k] = laufend[achse];
        laufend[achse] += schritte[achse];
    }
}

double TiefenPosition(double zUnten, double zOben, int32_t anzahl, int32_t k)
{
    if (anzahl < 2) return zUnten;
    return zUnten + (zOben - zUnten) / (anzahl - 1) * k;
}
