#include "spectra/data_commands.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "spectra/data_arithmetic.h"
#include "zelva.h"

bool IndexBereichFeld(const double* x, int32_t n, double x1, double x2, int32_t* first,
                      int32_t* last)
{
    int32_t f = 0, l = 0;
    if (x && n > 0) {
        while (f < n - 1 && x[f] < x1) ++f;
        if (f > 0 && 0.5 * (x[f - 1] + x[f]) > x1) --f;
        while (l < n - 1 && x2 > x[l] && x[l + 1] > x[l]) ++l;
        if (l != f && l > 0 && 0.5 * (x[l - 1] + x[l]) > x2) --l;
    }
    if (first) *first = f;
    if (last) *last = l;
    return l > f;
}

int32_t PruefeSektionsReihenfolge(double a, double b)
{
    if (std::isnan(a) || std::isnan(b) || a > b) return FEHLER_BEREICH;
    return DATEN_OK;
}

int32_t PruefeSektionsGrenzen(double a, double b, double lower, double upper)
{
    if (PruefeSektionsReihenfolge(a, b) != DATEN_OK) return FEHLER_BEREICH;
    if (a + std::fabs(a) * 1e-4 < lower || upper < b - std::fabs(b) * 1e-4) return FEHLER_BEREICH;
    return DATEN_OK;
}

int32_t PasteQuellBereich(const double* x, int32_t n, double from, double to, int32_t* i0,
                          int32_t* i1)
{
    int32_t a = n - 1, b = 0;
    if (!x || n < 1 || std::isnan(from) || std::isnan(to)) {
        if (i0) *i0 = 0;
        if (i1) *i1 = 0;
        return FEHLER_BEREICH;
    }
    for (int32_t i = 0; i < n; ++i)
        if (x[i] > from) { a = i; break; }
    if (a > 0 && from < 0.5 * (x[a - 1] + x[a])) --a;
    for (int32_t i = n - 1; i >= 0; --i)
        if (x[i] <= to) { b = i; break; }
    if (b < n - 1 && 0.5 * (x[b] + x[b + 1]) < to) ++b;
    if (i0) *i0 = a;
    if (i1) *i1 = b;
    // An inverted range used to be pasted backwards over the destination.
    if (a > b) return FEHLER_BEREICH;
    return a == b ? DATEN_NICHTS : DATEN_OK;
}

int32_t PasteZielSlot(double dw0)
{
    if (dw0 == 10.0) return 10;
    const int32_t s = DwInt(dw0 + 0.2);
    return (s >= 0 && s <= 3 && dw0 > -0.2) ? s : -1;
}

int32_t PasteFeld(const double* srcX, const double* srcY, int32_t srcN, int32_t i0, int32_t i1,
                  const double* dstX, double* dstY, int32_t dstN)
{
    if (!srcX || !srcY || !dstX || !dstY || dstN < 1) return FEHLER_BEREICH;
    if (i0 < 0 || i1 >= srcN || i0 >= i1) return FEHLER_BEREICH;
    if (srcX[i0] < dstX[0] || srcX[i1] > dstX[dstN - 1]) return FEHLER_BEREICH;
    int32_t j0 = 0, j1 = 0;
    while (j0 < dstN - 1 && dstX[j0] < srcX[i0]) ++j0;
    while (j1 < dstN - 1 && dstX[j1] < srcX[i1]) ++j1;
    if (j1 <= j0) return FEHLER_BEREICH;
    if (j1 - j0 == i1 - i0) {
        std::copy(srcY + i0, srcY + i1, dstY + j0);
        return DATEN_OK;
    }
    LocalNaturalSpline spline;
    if (!spline.Prepare(srcX, srcY, srcN)) return FEHLER_BEREICH;
    for (int32_t j = j0; j < j1; ++j) dstY[j] = spline.Value(dstX[j]);
    return DATEN_OK;
}

int32_t DeglitchFeld(const double* x, double* y, int32_t n, double glitchFrom, double glitchTo,
                     int32_t mode, double fitFrom, double fitTo, int32_t grad)
{
    if (mode == 10) return DATEN_NICHTS;
    if (PruefeSektionsReihenfolge(glitchFrom, glitchTo) != DATEN_OK ||
        PruefeSektionsReihenfolge(fitFrom, fitTo) != DATEN_OK)
        return FEHLER_BEREICH;
    if (!x || !y || n < 1) return DATEN_NICHTS;
    int32_t k0, k1, g0, g1;
    IndexBereichFeld(x, n, fitFrom, fitTo, &k0, &k1);
    IndexBereichFeld(x, n, glitchFrom, glitchTo, &g0, &g1);
    if (!(g0 > k0 + 2 && g1 < k1 - 2) || g1 < g0) return DATEN_NICHTS;

    const int32_t m = k1 - k0 + 1;
    std::vector<double> xs(x + k0, x + k1 + 1), ys(y + k0, y + k1 + 1), w(m, 1.0);
    for (int32_t i = g0; i <= g1; ++i) w[i - k0] = 0.0;
    const int32_t gewichtet = m - (g1 - g0 + 1);
    const int32_t g = std::max(0, std::min({grad, DEGLITCH_MAX_GRAD, gewichtet - 1}));
    // The library's weighted least-squares polynomial (one section)
    // replaces ys by its values at the same x.
    def_zelva numerik;
    numerik.SetField(xs.data(), ys.data());
    numerik.SetAnzahl(m, -1, -1);
    int32_t grade[1] = {g};
    if (numerik.Ausgleichspolynome(m, 1, grade, 1.0, 1.0, w.data(), m) != m) return DATEN_NICHTS;
    for (int32_t i = g0; i <= g1; ++i) y[i] = ys[i - k0];
    return DATEN_OK;
}

uint64_t RauschGenerator::Next()
{
    uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

double RauschGenerator::Uniform()
{
    return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0);
}

int32_t RauschenFeld(double* y, int32_t n, double level)
{
    if (!y || n < 1 || !(level > 0.0) || !std::isfinite(level)) return DATEN_NICHTS;
    double m = 0.0;
    for (int32_t i = 0; i < n; ++i)
        if (std::isfinite(y[i])) m = std::max(m, std::fabs(y[i]));
    if (m == 0.0) m = 1.0;
    const double rms = level * m;
    // A uniform deviate on [-h, h] has the rms h / sqrt(3).
    const double h = rms * std::sqrt(3.0);
    uint64_t seed;
    std::memcpy(&seed, &rms, sizeof seed);
    RauschGenerator gen(seed);
    for (int32_t i = 0; i < n; ++i) y[i] += h * (2.0 * gen.Uniform() - 1.0);
    return DATEN_OK;
}

int32_t DiodenFeld(double* y, const double* a, const double* b, int32_t n)
{
    if (!y || !a || !b || n < 1) return 0;
    std::vector<double> r(static_cast<size_t>(n));
    int32_t positiv = 0;
    for (int32_t i = 0; i < n; ++i) {
        const double d = y[i] - b[i];
        const double q = d == 0.0 ? -1.0 : (a[i] - b[i]) / d;
        if (q > 0.0) {
            r[i] = std::log(q);
            ++positiv;
        } else {
            r[i] = 0.0;
        }
    }
    if (positiv > 0) std::copy(r.begin(), r.end(), y);
    return positiv;
}

int32_t ImaginaerTeilFeld(double* y, int32_t n, int32_t kapazitaet)
{
    if (!y || n < 1 || static_cast<int64_t>(2) * n + 1 > kapazitaet) return DATEN_NICHTS;
    for (int32_t i = 0; i < n; ++i) y[i] = y[n + 1 + i];
    return DATEN_OK;
}

int32_t KopierZiel(double v, int32_t* fenster, int32_t* slot)
{
    if (!(v >= 0.0) || v > 40.0) return DATEN_NICHTS;
    const int32_t w = DwInt(v / 10.0 + 0.05);
    const int32_t s = DwInt(v - 10.0 * w + 0.05);
    if (w < 0 || w > 3 || s < 0 || s > 3) return DATEN_NICHTS;
    if (fenster) *fenster = w;
    if (slot) *slot = s;
    return DATEN_OK;
}

void KopierBildGroesse(int32_t groesse, int32_t aufloesung, int32_t eigeneBreite,
                       int32_t eigeneHoehe, double dw0, double dw1, int32_t* breite,
                       int32_t* hoehe)
{
    int32_t b = aufloesung;
    int32_t h = 0;
    bool eigen = false;
    switch (groesse) {
    case 0: b = aufloesung / 4; break;
    case 1: b = aufloesung / 2; break;
    case 3:
        if (eigeneBreite > 0 && eigeneHoehe > 0) {
            b = eigeneBreite;
            h = eigeneHoehe;
            eigen = true;
        }
        break;
    default: break;
    }
    if (!eigen) h = static_cast<int32_t>(static_cast<float>(b) / 1.34f);
    // Sizes from a dialog or a macro are capped, so that a damaged value
    // cannot ask for a picture the display cannot hold.
    const double grenze = 10000.0;
    if (dw0 > 20.0) b = static_cast<int32_t>(dw0 < grenze ? dw0 : grenze);
    if (dw1 > 20.0) h = static_cast<int32_t>(dw1 < grenze ? dw1 : grenze);
    if (b < 1) b = 1;
    if (h < 1) h = 1;
    if (breite) *breite = b;
    if (hoehe) *hoehe = h;
}
