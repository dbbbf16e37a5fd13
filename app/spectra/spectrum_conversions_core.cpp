// Curve conversions of the main menu: the arithmetic.
#include "spectra/spectrum_conversions.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

void FtBetrag(double* y, int32_t n)
{
    if (!y || n < 1) return;
    for (int32_t i = 0; i < n; ++i) {
        const double betrag = std::hypot(y[i], y[n + 1 + i]);
        y[i] = betrag;
        y[n + 1 + i] = -betrag;
    }
    y[n] = y[n - 1];
}

int32_t JcpVerschachteln(const double* x, const double* const spalten[JCP_SPALTEN], int32_t n,
                         double* xAus, double* yAus)
{
    if (!x || !xAus || !yAus || n < 2) return 0;
    for (int32_t k = 0; k < JCP_SPALTEN; ++k)
        if (!spalten[k]) return 0;
    const double schritt = (x[1] - x[0]) / JCP_SPALTEN;
    for (int32_t i = 0; i < n; ++i)
        for (int32_t k = 0; k < JCP_SPALTEN; ++k) {
            xAus[JCP_SPALTEN * i + k] = x[i] + k * schritt;
            yAus[JCP_SPALTEN * i + k] = spalten[k][i];
        }
    return JCP_SPALTEN * n;
}

namespace {

// Up to hoechstens numbers at the start of the line [a, e); how many were read.
int32_t Zahlen(const char* a, const char* e, double* werte, int32_t hoechstens)
{
    std::string zeile(a, e);
    const char* p = zeile.c_str();
    int32_t n = 0;
    while (n < hoechstens) {
        char* ende = nullptr;
        const double v = std::strtod(p, &ende);
        if (ende == p) break;
        werte[n++] = v;
        p = ende;
        while (*p == ' ' || *p == '\t' || *p == ',' || *p == ';') ++p;
    }
    return n;
}

bool Leer(const char* a, const char* e)
{
    for (; a < e; ++a)
        if (*a != ' ' && *a != '\t' && *a != '\r') return false;
    return true;
}

}  // namespace

int32_t EnergieAusWinkeln(const char* text, std::size_t laenge, std::vector<double>* x,
                          std::vector<double>* y)
{
    x->clear();
    y->clear();
    if (!text) return 0;
    const double pi = std::acos(-1.0);
    const char* ende = text + laenge;
    bool habeD = false;
    double d = 0.0;
    for (const char* a = text; a < ende;) {
        const char* e = static_cast<const char*>(std::memchr(a, '\n', ende - a));
        if (!e) e = ende;
        const char* weiter = e < ende ? e + 1 : ende;
        if (Leer(a, e)) {
            a = weiter;
            continue;
        }
        double w[3] = {};
        const int32_t n = Zahlen(a, e, w, 3);
        if (!habeD) {
            // Header lines hold no number at their start.
            if (n >= 1) {
                d = w[0];
                habeD = true;
                if (!(d > 0.0) || !std::isfinite(d)) return 0;
            }
            a = weiter;
            continue;
        }
        if (n < 3) break;
        const double s = std::sin(w[0] / 1000.0 * pi / 180.0);
        const double xe = (12.398 / d) / s;
        a = weiter;
        if (!std::isfinite(xe)) continue;
        const double q = w[2] != 0.0 ? w[1] / w[2] : 0.0;
        const double ye = q > 0.0 ? std::log(q) : 0.0;
        // A row that does not go beyond the last kept x is dropped.
        if (!x->empty() && !(xe > x->back())) continue;
        x->push_back(xe);
        y->push_back(ye);
    }
    return static_cast<int32_t>(x->size());
}
