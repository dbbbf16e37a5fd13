#include "shell/option_dialogs.h"

const char* const WICHTUNG_TEXTE[6] = {
    "one", "1 / sqrt ( N )", "1 / N", "sqrt ( N )", "N\xB2", "N\xB3",
};

double KonfidenzAusEingabe(double wert)
{
    if (!(wert >= 0.0 && wert <= 1.0)) return KONFIDENZ_VORGABE;
    return wert;
}

int32_t FitErneuerungWahl(const int32_t woerter[2])
{
    if (woerter[0]) return 0;
    if (woerter[1]) return 1;
    return 2;
}

void FitErneuerungAusWahl(int32_t wahl, int32_t woerter[2])
{
    woerter[0] = wahl == 0 ? 1 : 0;
    woerter[1] = wahl == 1 ? 1 : 0;
}

int32_t KPunkteWahl(int32_t kPunkte)
{
    if (kPunkte == 512) return 0;
    if (kPunkte == 1024) return 1;
    return 2;
}

int32_t KPunkteAusWahl(int32_t wahl)
{
    if (wahl == 0) return 512;
    if (wahl == 1) return 1024;
    return 2048;
}

bool EnergieBereichNehmen(double keV)
{
    return keV > ENERGIE_BEREICH_MIN;
}

double EnergieBereichVon(double keV)
{
    return keV / 10.0;
}

int32_t SchriftProfilFehler(const int32_t werte[15])
{
    for (int32_t i = 1; i <= 4; ++i)
        if (werte[i] < SCHRIFT_HOEHE_MIN || werte[i] > SCHRIFT_HOEHE_MAX) return i;
    for (int32_t i = 5; i <= 8; ++i)
        if (werte[i] < 1 || werte[i] > STIFT_BREITE_MAX) return i;
    return 0;
}
