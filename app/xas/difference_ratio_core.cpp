// The plain part of the difference spectrum and the ratio method.
#include "xas/difference_ratio.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "zelva.h"

namespace {

bool Steigend(const double* x, int32_t m)
{
    for (int32_t i = 1; i < m; ++i)
        if (!(x[i] > x[i - 1])) return false;
    return true;
}

// The natural spline of the reference at the points of x inside its range;
// innen marks them.
void ReferenzAufPunkten(const double* x, int32_t n, const double* xr, const double* yr, int32_t m,
                        std::vector<double>* r, std::vector<char>* innen)
{
    std::vector<double> xs(xr, xr + m), ys(yr, yr + m), y2(static_cast<size_t>(m) + 1, 0.0);
    def_zelva z;
    z.SetField(xs.data(), ys.data());
    z.SetAnzahl(m, -1, -1);
    z.spline(y2.data());
    // Abscissae read back from a text file may differ from the range's ends
    // in their last digits.
    const double toleranz = 1e-12 * std::max(std::fabs(xr[0]), std::fabs(xr[m - 1]));
    r->assign(static_cast<size_t>(n), 0.0);
    innen->assign(static_cast<size_t>(n), 0);
    for (int32_t i = 0; i < n; ++i) {
        if (!(x[i] >= xr[0] - toleranz && x[i] <= xr[m - 1] + toleranz)) continue;
        (*r)[static_cast<size_t>(i)] = z.helpsplint(std::min(std::max(x[i], xr[0]), xr[m - 1]), y2.data());
        (*innen)[static_cast<size_t>(i)] = 1;
    }
}

}  // namespace

int32_t DifferenzReferenz(const double* x, int32_t n, const double* xr, const double* yr, int32_t m,
                          bool interpolieren, std::vector<double>* r, std::vector<char>* innen)
{
    if (n < 1 || m < 1 || !x || !xr || !yr) return VERGLEICH_KEINE_REFERENZ;
    if (m == n && !interpolieren) {
        r->assign(yr, yr + m);
        innen->assign(static_cast<size_t>(n), 1);
        return VERGLEICH_OK;
    }
    if (m < 2 || !Steigend(xr, m)) return VERGLEICH_NICHT_STEIGEND;
    ReferenzAufPunkten(x, n, xr, yr, m, r, innen);
    return VERGLEICH_OK;
}

int32_t DifferenzAbziehen(double* y, int32_t n, const std::vector<double>& r, const std::vector<char>& innen)
{
    int32_t k = 0;
    for (int32_t i = 0; i < n && static_cast<size_t>(i) < r.size() && static_cast<size_t>(i) < innen.size(); ++i)
        if (innen[static_cast<size_t>(i)]) {
            y[i] -= r[static_cast<size_t>(i)];
            ++k;
        }
    return k;
}

int32_t RatioMethodeRechnen(const double* k, const double* y, int32_t n, const double* xr, const double* yr,
                            int32_t m, bool phase, RATIO_ERGEBNIS* e)
{
    *e = RATIO_ERGEBNIS{};
    if (n < 1 || m < 1 || !k || !y || !xr || !yr) return VERGLEICH_KEINE_REFERENZ;
    if (m < 2 || !Steigend(xr, m)) return VERGLEICH_NICHT_STEIGEND;
    std::vector<double> r;
    std::vector<char> innen;
    ReferenzAufPunkten(k, n, xr, yr, m, &r, &innen);
    for (int32_t i = 0; i < n; ++i) {
        const size_t j = static_cast<size_t>(i);
        if (!innen[j]) {
            ++e->Ausgelassen;
            continue;
        }
        if (phase) {
            e->x.push_back(k[i]);
            e->y.push_back(y[i] - r[j]);
            continue;
        }
        const double q = r[j] != 0.0 ? std::fabs(y[i] / r[j]) : 0.0;
        if (!(q > 0.0) || !std::isfinite(q)) {
            ++e->Ausgelassen;
            continue;
        }
        e->x.push_back(k[i] * k[i]);
        e->y.push_back(std::log(q));
    }
    if (e->x.size() < 3) return VERGLEICH_ZU_WENIG;
    def_zelva z;
    z.SetField(e->x.data(), e->y.data());
    z.SetAnzahl(static_cast<int32_t>(e->x.size()), -1, -1);
    double aus[5] = {};
    if (!z.LineareRegression(aus)) return VERGLEICH_ZU_WENIG;
    e->B = aus[0];
    e->A = aus[1];
    e->S = aus[2];
    e->R = aus[3];
    return VERGLEICH_OK;
}

RATIO_STRUKTUR RatioStruktur(const RATIO_ERGEBNIS& e, bool phase, bool struktur, double rRef, double nRef,
                             double rProbe)
{
    RATIO_STRUKTUR s;
    if (!struktur) return s;
    if (phase) {
        if (rRef > 0.0) {
            s.Abstand = true;
            s.R = rRef + e.A / 2.0;
        }
    } else if (rRef > 0.0 && nRef > 0.0 && rProbe > 0.0) {
        s.DebyeWaller = true;
        s.Ds2 = -e.A / 2.0;
        s.N = nRef * std::exp(e.B) * rProbe * rProbe / (rRef * rRef);
    }
    return s;
}

std::string RatioHistorie(const char* dateiName, const char* referenz, int32_t slot, const RATIO_ERGEBNIS& e,
                          const RATIO_STRUKTUR& s)
{
    std::string t = "--: ";
    t += dateiName ? dateiName : "";
    char zeile[1200];
    std::snprintf(zeile, sizeof zeile, " --XAS-RATIO - METHOD -  File : %s   -   ( active : %d )\r\n",
                  referenz ? referenz : "", static_cast<int>(slot));
    t += zeile;
    std::snprintf(zeile, sizeof zeile,
                  "   Results of Linear Regression (Ax+B=y) :  A = %.8G, B = %.8G  -  Standard deviation : %.8G\r\n",
                  e.A, e.B, e.S);
    t += zeile;
    if (s.Abstand) {
        std::snprintf(zeile, sizeof zeile, "      Distance    R = %.8G\r\n", s.R);
        t += zeile;
    }
    if (s.DebyeWaller) {
        std::snprintf(zeile, sizeof zeile,
                      "      Debye-Waller-Factor   ds\xB2 = %.8G\r\n      Coordination No.      N   = %.8G\r\n", s.Ds2,
                      s.N);
        t += zeile;
    }
    return t;
}
