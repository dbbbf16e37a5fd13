#include "spectra/data_table.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

void TabellenZeile(char* ziel, std::size_t groesse, int32_t i, const double* x, const double* y,
                   int32_t n, bool komplex)
{
    if (komplex)
        std::snprintf(ziel, groesse, "%4d.  % -10G  % -10G  % -10G", static_cast<int>(i), x[i], y[i],
                      y[n + 1 + i]);
    else
        std::snprintf(ziel, groesse, "%4d.  % -10G  % -10G", static_cast<int>(i), x[i], y[i]);
}

void TabellenKopfIndex(char* ziel, std::size_t groesse, int32_t i)
{
    std::snprintf(ziel, groesse, "  %d.", static_cast<int>(i));
}

void TabellenKopfWert(char* ziel, std::size_t groesse, double wert)
{
    char text[64];
    std::snprintf(text, sizeof text, "  %G", wert);
    if (std::strlen(text) > 12) {
        std::snprintf(text, sizeof text, "  %.5E", wert);
        text[15] = '\0';
    }
    std::snprintf(ziel, groesse, "%s", text);
}

double TabellenEingabe(const char* text)
{
    char kopie[20] = {};
    std::strncpy(kopie, text, 19);
    return std::atof(kopie);
}

bool TabellenPunktLoeschen(double* x, double* y, int32_t* n, int32_t i, bool komplex)
{
    const int32_t alt = *n;
    if (i < 0 || i >= alt) return false;
    std::memmove(x + i, x + i + 1, sizeof(double) * static_cast<std::size_t>(alt - 1 - i));
    std::memmove(y + i, y + i + 1, sizeof(double) * static_cast<std::size_t>(alt - 1 - i));
    if (komplex) {
        // Imaginary part of point j: y[alt + 1 + j] before, y[alt + j] after.
        double* im = y + alt + 1;
        std::memmove(y + alt, im, sizeof(double) * static_cast<std::size_t>(i));
        std::memmove(y + alt + i, im + i + 1, sizeof(double) * static_cast<std::size_t>(alt - 1 - i));
    }
    *n = alt - 1;
    return true;
}

int32_t TabellenVertikalMax(int32_t n, int32_t hoehe, int32_t zeile)
{
    if (zeile < 1) zeile = 1;
    return std::max(n - hoehe / zeile + 1, 0);
}

int32_t TabellenHorizontalMax(int32_t zeilenBreite, int32_t breite, int32_t zeichen)
{
    if (zeichen < 1) zeichen = 1;
    return std::max((zeilenBreite - breite) / zeichen + 2, 0);
}

void TabellenZeilenBereich(int32_t oben, int32_t unten, int32_t zeile, int32_t erste, int32_t n,
                           int32_t* von, int32_t* bis)
{
    if (zeile < 1) zeile = 1;
    *von = std::max(0, oben / zeile - 1 + erste);
    *bis = std::min(n, unten / zeile + erste);
}

int32_t TabellenNaechsterPunkt(const double* x, int32_t n, double xk)
{
    if (n < 1) return -1;
    int32_t i = 0;
    while (i < n - 1 && x[i] < xk) ++i;
    if (i > 0 && (x[i - 1] + x[i]) / 2.0 > xk) --i;
    return i;
}
