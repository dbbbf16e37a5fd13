#include "xas/quick_xas.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace {

const double PI = 3.14159265358979323846;
const double K_UNTEN = 2.0;
const int32_t KANTEN_GLAETTUNG = 10;
// The road boundary in eV; a spectrum ending exactly 500 eV above E0 takes
// the polynomial road whatever the rounding of its keV values.
const double LANGER_WEG_EV = 500.0;
const double EV_TOLERANZ = 1e-9;

void Leeren(double* dw) { std::memset(dw, 0, 14 * sizeof(double)); }

}  // namespace

int32_t QuickMaximum(const double* d, int32_t n)
{
    int32_t best = -1;
    double m = -1e30;
    for (int32_t i = 0; i < n; ++i)
        if (d[i] > m) {
            m = d[i];
            best = i;
        }
    return best;
}

bool QuickKante(const double* x, const double* y, int32_t n, GLAETTER glaetten, double* e0)
{
    if (n < 5) return false;
    std::vector<double> gx, d1, d2;
    KantenKurven(x, y, n, KANTEN_GLAETTUNG, glaetten, &gx, &d1, &d2);
    const int32_t i = QuickMaximum(d1.data(), static_cast<int32_t>(d1.size()));
    if (i < 0) return false;
    *e0 = gx[i];
    return true;
}

bool QuickZweiPolynome(const double* x, int32_t n, double e0)
{
    return (x[n - 2] - e0) * 1000.0 > LANGER_WEG_EV + EV_TOLERANZ;
}

void QuickWerteZweiPolynome(const double* x, int32_t n, double e0, double* dw)
{
    Leeren(dw);
    dw[0] = x[5];
    dw[1] = x[5] + 0.5 * (e0 - x[3]);
    dw[2] = -1.0;
    dw[3] = 1.0;
    dw[4] = 1.0;
    dw[6] = e0 + 0.1;
    dw[7] = x[n - 5];
}

void QuickWertePolynom(const double* x, double e0, double* dw)
{
    Leeren(dw);
    dw[0] = x[2];
    dw[1] = e0 - 0.25 * (e0 - x[1]);
}

bool QuickNormieren(const double* x, int32_t n, double e0) { return n >= 5 && x[n - 5] > e0 + 0.1; }

void QuickWerteNormierung(double e0, double* dw)
{
    Leeren(dw);
    dw[0] = e0 + 0.05;
    dw[1] = e0 + 0.1;
}

int32_t QuickSplineAnzahl(double kOben)
{
    const double s = (kOben - K_UNTEN) * 2.0 * QUICK_SPLINE_R / PI + 1.0;
    if (!(s >= 1.0)) return 0;
    if (s > 1e6) return 1000000;
    return static_cast<int32_t>(s);
}

void QuickWerteSpline(double kOben, int32_t splines, double* dw)
{
    Leeren(dw);
    dw[0] = K_UNTEN;
    dw[1] = kOben;
    dw[3] = splines;
    dw[5] = QUICK_K_GEWICHT;
}

void QuickWerteFourier(double kVon, double kBis, double* dw)
{
    Leeren(dw);
    dw[0] = 1.0;
    dw[1] = 0.0;
    dw[2] = 4.0;
    dw[3] = kVon;
    dw[4] = kBis;
    dw[5] = 4.0;
    dw[6] = QUICK_K_GEWICHT;
    dw[9] = 2048.0;
    dw[10] = -1.0;
}
