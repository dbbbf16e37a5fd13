#include "xas/xas_fourier.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

void XasBetragHuelle(double* y, int32_t n)
{
    for (int32_t i = 0; i < n; ++i) {
        const double m = std::sqrt(y[i] * y[i] + y[n + 1 + i] * y[n + 1 + i]);
        y[i] = m;
        y[n + 1 + i] = -m;
    }
    if (n > 0) y[n] = y[n - 1];
}

int32_t XasErsterUeber(const double* x, int32_t n, double grenze)
{
    for (int32_t i = 0; i < n; ++i)
        if (x[i] > grenze) return i;
    return n;
}

void XasKomplexBehalten(double* x, double* y, int32_t n, int32_t von, int32_t anzahl)
{
    if (anzahl < 1 || von < 0 || von + anzahl > n) return;
    // The imaginary run is read before the real one overwrites what lies
    // behind the kept points.
    std::vector<double> ix(x + n + 1 + von, x + n + 1 + von + anzahl);
    std::vector<double> iy(y + n + 1 + von, y + n + 1 + von + anzahl);
    std::memmove(x, x + von, sizeof(double) * anzahl);
    std::memmove(y, y + von, sizeof(double) * anzahl);
    x[anzahl] = x[anzahl - 1];
    y[anzahl] = y[anzahl - 1];
    std::memcpy(x + anzahl + 1, ix.data(), sizeof(double) * anzahl);
    std::memcpy(y + anzahl + 1, iy.data(), sizeof(double) * anzahl);
}

bool XasRueckSchnitt(const double* x, int32_t n, double kMax, double unten, double oben, int32_t* von,
                     int32_t* anzahl)
{
    if (n < 1) return false;
    const int32_t m0 = n > 0 && x[n - 1] > kMax ? XasErsterUeber(x, n, kMax) : n;
    if (m0 < 2) return false;
    int32_t j = 0;
    while (j < m0 - 1 && x[j] < unten) ++j;
    int32_t m = m0 - 1;
    while (m > 4 && x[m] > oben) --m;
    const int32_t c = m - j + 1;
    if (c < 2) return false;
    *von = j;
    *anzahl = c;
    return true;
}

std::string XasFtYText(double kGewicht, bool phasenKorrektur, bool mitAmplitude)
{
    char t[80];
    if (kGewicht > 1.0) std::snprintf(t, sizeof t, "FT(^c(k)*k~%d)", static_cast<int>(kGewicht + 0.2));
    else std::snprintf(t, sizeof t, "%s", kGewicht > 0.0 ? "FT(^c(k)*k)" : "FT(^c(k))");
    std::string s = t;
    if (phasenKorrektur) s += mitAmplitude ? " phase & amplitude corr." : " phase corr.";
    return s;
}

std::string XasFtHistorie(const char* dateiName, const XAS_FT_ZEILE& z)
{
    std::string s = "--: ";
    s += dateiName ? dateiName : "";
    s += " --XAS-FOURIER TRANSFORM  - ";
    char t[400];
    if (z.Art == 1) {
        char name[41];
        std::snprintf(name, sizeof name, "%s", z.FensterName ? z.FensterName : "");
        std::snprintf(t, sizeof t, " window : %s  - Beta : %.8G  - from : %.8G , to : %.8G -  ( active : %d )\r\n",
                      name, z.Beta, z.Von, z.Bis, static_cast<int>(z.Aktiv));
        s += t;
    } else if (z.Art == 2) {
        std::snprintf(t, sizeof t, " Backtransform -  square window  from : %.8G , to : %.8G -  ( active : %d )\r\n",
                      z.Von, z.Bis, static_cast<int>(z.Aktiv));
        s += t;
    }
    return s;
}
