// Border check, step removal, spline counts and "adv_spline.par".
#include "xas/section_dialog.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {

const double PI = 3.14159265358979323846;

double Toleranz(double x, double schritt) { return std::max(1e-5 * std::fabs(x), 1e-3 * std::fabs(schritt)); }

int32_t FuehrendeZahl(const std::string& zeile)
{
    const char* s = zeile.c_str();
    while (*s == ' ' || *s == '\t') ++s;
    char* ende = nullptr;
    const long v = std::strtol(s, &ende, 10);
    if (ende == s) return 0;
    return static_cast<int32_t>(std::max(-1000000L, std::min(1000000L, v)));
}

}  // namespace

int32_t SektionsGrenzen(double u, double l, double datenOben, double datenUnten, double schritt, double* oben,
                        double* unten)
{
    if (!std::isfinite(u) || !std::isfinite(l)) return 0;
    if (u == 0.0 && l == 0.0) return 0;
    if (l > u) std::swap(u, l);
    if (u == l) {
        const double h = 2e-5 * std::fabs(u);
        u += h;
        l -= h;
    }
    if (u > datenOben + Toleranz(datenOben, schritt) || l < datenUnten - Toleranz(datenUnten, schritt)) return 0;
    *oben = u + Toleranz(u, schritt);
    *unten = l - Toleranz(l, schritt);
    return 1;
}

bool StufeEntfernen(double* y, int32_t n, int32_t bereichLo, int32_t bereichHi, int32_t lo, int32_t hi)
{
    if (!y || lo > hi || lo - bereichLo <= 2 || bereichHi - hi <= 2 || hi >= n || lo < 0) return false;
    const double stufe = y[lo] - y[hi];
    for (int32_t i = hi; i < n; ++i) y[i] += stufe;
    return true;
}

int32_t AutoSplineAnzahl(double oben, double unten, double r)
{
    return static_cast<int32_t>((oben - unten) * 2.0 * r / PI + 1.0);
}

int32_t SplineVorschlag(double obereGrenze) { return static_cast<int32_t>((obereGrenze - 2.0) * 2.0 * 0.8 / PI + 1.0); }

bool LeseAdvSpline(const std::string& text, AdvSpline* a)
{
    std::istringstream ein(text);
    std::vector<std::string> zeilen;
    for (std::string z; std::getline(ein, z);) zeilen.push_back(z.substr(0, 10));
    if (zeilen.size() < 2) return false;
    a->KGewicht = FuehrendeZahl(zeilen[0]);
    int32_t c = FuehrendeZahl(zeilen[1]);
    c = std::max(0, std::min(5, c));
    a->Grad.clear();
    a->Gewicht.clear();
    for (int32_t i = 0; i < c && 3 + 2 * static_cast<size_t>(i) < zeilen.size(); ++i) {
        a->Grad.push_back(FuehrendeZahl(zeilen[2 + 2 * i]));
        a->Gewicht.push_back(FuehrendeZahl(zeilen[3 + 2 * i]));
    }
    return true;
}

std::string SchreibeAdvSpline(double kGewicht, const AdvSpline& a)
{
    std::string t;
    char z[40];
    const size_t c = std::min(a.Grad.size(), a.Gewicht.size());
    std::snprintf(z, sizeof z, "%d\n%d\n", static_cast<int>(kGewicht + 0.1), static_cast<int>(c + 0.1));
    t += z;
    for (size_t i = 0; i < c; ++i) {
        std::snprintf(z, sizeof z, "%d\n%d\n", a.Grad[i], a.Gewicht[i]);
        t += z;
    }
    return t;
}
