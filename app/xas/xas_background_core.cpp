// Pre-edge background, normalisation, atomic background mu0 and chi(k).
#include "xas/xas_background.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "fit/fit_model.h"
#include "xas/exafs_fit.h"
#include "xas/model_fft.h"
#include "xas/xas_reduction.h"
#include "zelva.h"

namespace {

const double PI = 3.14159265358979323846;
const int32_t MAX_GRAD = 20;
const int32_t MIN_KNOTEN = 3;
const int32_t MAX_KNOTEN = 40;

bool Endlich(double v) { return std::isfinite(v); }

// x^e, by multiplication for the small integer exponents of the weights and
// the Victoreen terms (the same value as pow to rounding, several times
// faster).
double Potenz(double x, double e)
{
    if (e == std::floor(e) && std::fabs(e) <= 16.0) {
        int32_t k = static_cast<int32_t>(std::fabs(e));
        double r = 1.0, b = x;
        while (k) {
            if (k & 1) r *= b;
            b *= b;
            k >>= 1;
        }
        return e < 0.0 ? 1.0 / r : r;
    }
    return std::pow(x, e);
}

// Weighted least squares by the normal equations (Cholesky, columns
// equilibrated): for the well-conditioned spline basis, whose many grid
// rows make the QR route the slowest step of a spectrum's reduction.
// Returns 1, or 0 when the matrix is not positive definite.
int32_t NormalGleichungen(const std::vector<double>& a, int32_t m, int32_t p, const double* y, const double* w,
                          double* c)
{
    // Column by column: the weighted column times each column, with four
    // partial sums so that the additions do not wait on each other.
    auto skalar = [m](const double* u, const double* v) {
        double s0 = 0.0, s1 = 0.0, s2 = 0.0, s3 = 0.0;
        int32_t i = 0;
        for (; i + 3 < m; i += 4) {
            s0 += u[i] * v[i];
            s1 += u[i + 1] * v[i + 1];
            s2 += u[i + 2] * v[i + 2];
            s3 += u[i + 3] * v[i + 3];
        }
        for (; i < m; ++i) s0 += u[i] * v[i];
        return (s0 + s1) + (s2 + s3);
    };
    for (int32_t i = 0; i < m; ++i) {
        const double wi = w ? w[i] : 1.0;
        if (!(wi >= 0.0) || !std::isfinite(wi) || !std::isfinite(y[i])) return 0;
    }
    std::vector<double> n(static_cast<size_t>(p) * p, 0.0), r(p, 0.0), wa(static_cast<size_t>(m));
    for (int32_t j = 0; j < p; ++j) {
        const double* aj = &a[static_cast<size_t>(j) * m];
        for (int32_t i = 0; i < m; ++i) wa[i] = (w ? w[i] : 1.0) * aj[i];
        r[j] = skalar(wa.data(), y);
        for (int32_t l = 0; l <= j; ++l) n[static_cast<size_t>(j) * p + l] = skalar(wa.data(), &a[static_cast<size_t>(l) * m]);
    }
    std::vector<double> d(p);
    for (int32_t j = 0; j < p; ++j) {
        const double v = n[static_cast<size_t>(j) * p + j];
        if (!(v > 0.0)) return 0;
        d[j] = 1.0 / std::sqrt(v);
    }
    for (int32_t j = 0; j < p; ++j) {
        for (int32_t l = 0; l <= j; ++l) n[static_cast<size_t>(j) * p + l] *= d[j] * d[l];
        r[j] *= d[j];
    }
    // Cholesky in the lower triangle.
    for (int32_t j = 0; j < p; ++j) {
        double* nj = &n[static_cast<size_t>(j) * p];
        for (int32_t l = 0; l < j; ++l) {
            const double* nl = &n[static_cast<size_t>(l) * p];
            double s = nj[l];
            for (int32_t q = 0; q < l; ++q) s -= nj[q] * nl[q];
            nj[l] = s / nl[l];
        }
        double s = nj[j];
        for (int32_t q = 0; q < j; ++q) s -= nj[q] * nj[q];
        if (!(s > 1e-12)) return 0;
        nj[j] = std::sqrt(s);
    }
    for (int32_t j = 0; j < p; ++j) {
        double s = r[j];
        for (int32_t q = 0; q < j; ++q) s -= n[static_cast<size_t>(j) * p + q] * r[q];
        r[j] = s / n[static_cast<size_t>(j) * p + j];
    }
    for (int32_t j = p - 1; j >= 0; --j) {
        double s = r[j];
        for (int32_t q = j + 1; q < p; ++q) s -= n[static_cast<size_t>(q) * p + j] * r[q];
        r[j] = s / n[static_cast<size_t>(j) * p + j];
    }
    for (int32_t j = 0; j < p; ++j)
        if (!std::isfinite(r[j] * d[j])) return 0;
    for (int32_t j = 0; j < p; ++j) c[j] = r[j] * d[j];
    return 1;
}

// Second derivatives of the natural spline through (kx, ky) into y2 (k
// entries; u is scratch of k entries).
void ZweiteAbleitungen(const double* kx, const double* ky, int32_t k, double* y2, double* u)
{
    y2[0] = 0.0;
    u[0] = 0.0;
    for (int32_t i = 1; i <= k - 2; ++i) {
        const double sig = (kx[i] - kx[i - 1]) / (kx[i + 1] - kx[i - 1]);
        const double p = sig * y2[i - 1] + 2.0;
        y2[i] = (sig - 1.0) / p;
        u[i] = (6.0 * ((ky[i + 1] - ky[i]) / (kx[i + 1] - kx[i]) - (ky[i] - ky[i - 1]) / (kx[i] - kx[i - 1])) /
                    (kx[i + 1] - kx[i - 1]) -
                sig * u[i - 1]) /
               p;
    }
    y2[k - 1] = 0.0;
    for (int32_t i = k - 2; i >= 0; --i) y2[i] = y2[i] * y2[i + 1] + u[i];
}

// Fit of the columns built by `spalte` over the section; the shared part of
// the pre-edge fits.
template <class SPALTE>
int32_t SektionsFit(const double* x, const double* y, int32_t n, double von, double bis, int32_t p,
                    const double* gewicht, SPALTE spalte, double* c)
{
    int32_t lo = 0, hi = -1;
    const int32_t m = SektionsIndizes(x, n, von, bis, &lo, &hi);
    if (m < 3 || m < p) return 0;
    std::vector<double> a(static_cast<size_t>(m) * p);
    for (int32_t j = 0; j < p; ++j)
        for (int32_t i = 0; i < m; ++i) a[static_cast<size_t>(j) * m + i] = spalte(j, x[lo + i]);
    return LineareAusgleichung(a, m, p, y + lo, gewicht ? gewicht + lo : nullptr, c);
}

}  // namespace

int32_t SektionsIndizes(const double* x, int32_t n, double von, double bis, int32_t* lo, int32_t* hi)
{
    if (!x || n < 3) return 0;
    if (von > bis) std::swap(von, bis);
    int32_t a = 0;
    while (a < n && x[a] < von) ++a;
    if (a >= n) return 0;
    if (a > 0 && von < 0.5 * (x[a - 1] + x[a])) --a;
    int32_t b = n - 1;
    while (b >= 0 && x[b] > bis) --b;
    if (b < 0) return 0;
    if (b < n - 1 && bis > 0.5 * (x[b] + x[b + 1])) ++b;
    if (b - a + 1 < 3) return 0;
    *lo = a;
    *hi = b;
    return b - a + 1;
}

int32_t LineareAusgleichung(const std::vector<double>& a, int32_t m, int32_t p, const double* y,
                            const double* w, double* c)
{
    if (p < 1 || m < p || !y || !c || a.size() < static_cast<size_t>(m) * p) return 0;
    // Rows scaled by sqrt(w); columns scaled to unit length so that the rank
    // test does not depend on the units of x.
    std::vector<double> q(a.begin(), a.begin() + static_cast<size_t>(m) * p), b(y, y + m);
    for (int32_t i = 0; i < m; ++i) {
        const double wi = w ? w[i] : 1.0;
        if (!(wi >= 0.0) || !Endlich(wi) || !Endlich(y[i])) return 0;
        const double s = std::sqrt(wi);
        b[i] *= s;
        for (int32_t j = 0; j < p; ++j) q[static_cast<size_t>(j) * m + i] *= s;
    }
    std::vector<double> skala(p, 1.0);
    for (int32_t j = 0; j < p; ++j) {
        double s = 0.0;
        for (int32_t i = 0; i < m; ++i) s += q[static_cast<size_t>(j) * m + i] * q[static_cast<size_t>(j) * m + i];
        s = std::sqrt(s);
        if (!(s > 0.0) || !Endlich(s)) return 0;
        skala[j] = s;
        for (int32_t i = 0; i < m; ++i) q[static_cast<size_t>(j) * m + i] /= s;
    }
    // Householder QR; R stays in the upper triangle of q.
    std::vector<double> diag(p);
    for (int32_t k = 0; k < p; ++k) {
        double* s = &q[static_cast<size_t>(k) * m];
        double norm = 0.0;
        for (int32_t i = k; i < m; ++i) norm += s[i] * s[i];
        norm = std::sqrt(norm);
        if (!(norm > 1e-13)) return 0;
        const double alpha = s[k] > 0.0 ? -norm : norm;
        s[k] -= alpha;
        double vv = 0.0;
        for (int32_t i = k; i < m; ++i) vv += s[i] * s[i];
        for (int32_t j = k + 1; j < p; ++j) {
            double* t = &q[static_cast<size_t>(j) * m];
            double d = 0.0;
            for (int32_t i = k; i < m; ++i) d += s[i] * t[i];
            const double f = 2.0 * d / vv;
            for (int32_t i = k; i < m; ++i) t[i] -= f * s[i];
        }
        double d = 0.0;
        for (int32_t i = k; i < m; ++i) d += s[i] * b[i];
        const double f = 2.0 * d / vv;
        for (int32_t i = k; i < m; ++i) b[i] -= f * s[i];
        diag[k] = alpha;
    }
    std::vector<double> loesung(p);
    for (int32_t k = p - 1; k >= 0; --k) {
        double s = b[k];
        for (int32_t j = k + 1; j < p; ++j) s -= q[static_cast<size_t>(j) * m + k] * loesung[j];
        loesung[k] = s / diag[k];
    }
    for (int32_t j = 0; j < p; ++j) {
        if (!Endlich(loesung[j] / skala[j])) return 0;
    }
    for (int32_t j = 0; j < p; ++j) c[j] = loesung[j] / skala[j];
    return 1;
}

double PolynomWert(const double* c, int32_t grad, double x)
{
    double s = 0.0;
    for (int32_t j = grad; j >= 0; --j) s = s * x + c[j];
    return s;
}

int32_t PolynomFit(const double* x, const double* y, int32_t n, double von, double bis, int32_t grad,
                   double kGewicht, double* c)
{
    if (grad < 0 || grad > MAX_GRAD || !x || !y) return 0;
    std::vector<double> w;
    if (kGewicht != 0.0) {
        w.resize(n);
        for (int32_t i = 0; i < n; ++i) w[i] = Potenz(std::fabs(x[i]), kGewicht);
    }
    return SektionsFit(x, y, n, von, bis, grad + 1, w.empty() ? nullptr : w.data(),
                       [](int32_t j, double v) { return Potenz(v, j); }, c);
}

double VictoreenWert(const double* c, const double* e, double x)
{
    return c[0] * Potenz(x, e[0]) + c[1] * Potenz(x, e[1]) + c[2] * Potenz(x, e[2]);
}

int32_t VictoreenFit(const double* x, const double* y, int32_t n, double von, double bis, const double* e,
                     double* c)
{
    if (!x || !y || !e) return 0;
    return SektionsFit(x, y, n, von, bis, 3, nullptr, [e](int32_t j, double v) { return Potenz(v, e[j]); },
                       c);
}

int32_t ZweiPolynomNormierung(const double* x, double* y, int32_t n, const double* pre, int32_t preGrad,
                              const double* post, int32_t postGrad, double e0, double* sprung)
{
    if (sprung) *sprung = 0.0;
    int32_t e = 0;
    while (e < n && x[e] < e0) ++e;
    if (e >= n) return ZP_E0_JENSEITS;
    const double j = PolynomWert(post, postGrad, x[e]) - PolynomWert(pre, preGrad, x[e]);
    if (sprung) *sprung = j;
    double groesse = std::fabs(PolynomWert(post, postGrad, x[e])) + std::fabs(PolynomWert(pre, preGrad, x[e]));
    if (!Endlich(j) || !(std::fabs(j) > 1e-9 * groesse) || j == 0.0) return ZP_SPRUNG_NULL;
    // Above E0 the post-edge line must stay on the side of the jump; where
    // it meets the pre-edge line the flattening would divide by zero.
    std::vector<double> nenner(n);
    for (int32_t i = 0; i < n; ++i) {
        const double p = PolynomWert(pre, preGrad, x[i]);
        nenner[i] = i < e ? j : PolynomWert(post, postGrad, x[i]) - p;
        if (!(nenner[i] / j > 1e-3) || !Endlich(nenner[i])) return ZP_NENNER_NULL;
    }
    for (int32_t i = 0; i < n; ++i) y[i] = (y[i] - PolynomWert(pre, preGrad, x[i])) / nenner[i];
    return ZP_OK;
}

std::vector<double> SplineKnoten(double xlo, double xhi, int32_t n, const SplineAbschnitte* abschnitte)
{
    std::vector<double> k;
    if (!(xhi > xlo)) return k;
    if (!abschnitte || abschnitte->Knoten.empty()) {
        if (n < 2) return k;
        for (int32_t i = 0; i < n; ++i) k.push_back(xlo + i * (xhi - xlo) / (n - 1));
        return k;
    }
    const int32_t s = static_cast<int32_t>(abschnitte->Knoten.size());
    const double breite = (xhi - xlo) / s;
    k.push_back(xlo);
    for (int32_t a = 0; a < s; ++a) {
        const double start = xlo + a * breite;
        const int32_t m = static_cast<int32_t>(abschnitte->Knoten[a]);
        for (int32_t j = 1; m > 1 && j < m; ++j) k.push_back(start + j * breite / m);
        k.push_back(a == s - 1 ? xhi : xlo + (a + 1) * breite);
    }
    return k;
}

void NatuerlicherSpline(const double* kx, const double* ky, int32_t k, const double* xs, double* ys, int32_t m)
{
    if (k < 1) {
        for (int32_t i = 0; i < m; ++i) ys[i] = 0.0;
        return;
    }
    if (k == 1) {
        for (int32_t i = 0; i < m; ++i) ys[i] = ky[0];
        return;
    }
    std::vector<double> y2(k, 0.0), u(k, 0.0);
    ZweiteAbleitungen(kx, ky, k, y2.data(), u.data());
    int32_t a = 0;
    for (int32_t i = 0; i < m; ++i) {
        const double v = xs[i];
        if (a > 0 && v < kx[a]) a = 0;
        while (a < k - 2 && v > kx[a + 1]) ++a;
        const double h = kx[a + 1] - kx[a];
        const double A = (kx[a + 1] - v) / h, B = (v - kx[a]) / h;
        ys[i] = A * ky[a] + B * ky[a + 1] + ((A * A * A - A) * y2[a] + (B * B * B - B) * y2[a + 1]) * h * h / 6.0;
    }
}

int32_t SplineMu0(const double* x, const double* y, int32_t n, double von, double bis, int32_t knoten, double w,
                  const SplineAbschnitte* abschnitte, int32_t gitter, SplineHintergrund* erg)
{
    int32_t lo = 0, hi = -1;
    const int32_t N = SektionsIndizes(x, n, von, bis, &lo, &hi);
    if (N < 3 || gitter < 3 || !erg) return 0;
    const double xlo = x[lo], xhi = x[hi];
    std::vector<double> kx = SplineKnoten(xlo, xhi, knoten, abschnitte);
    const int32_t k = static_cast<int32_t>(kx.size());
    if (k < MIN_KNOTEN || k > MAX_KNOTEN) return 0;
    for (int32_t i = 1; i < k; ++i)
        if (!(kx[i] > kx[i - 1])) return 0;
    // The section data on the fit grid.
    std::vector<double> gx(gitter), gy(gitter);
    for (int32_t j = 0; j < gitter; ++j) gx[j] = xlo + j * (xhi - xlo) / (gitter - 1);
    gx[gitter - 1] = xhi;
    NatuerlicherSpline(x + lo, y + lo, N, gx.data(), gy.data(), gitter);
    // Weights: x^w, or x^e_s by sections of the grid.
    std::vector<double> gew;
    const bool mitAbschnitten = abschnitte && !abschnitte->Knoten.empty();
    if (w != 0.0 || mitAbschnitten) {
        gew.resize(gitter);
        const int32_t s = mitAbschnitten ? static_cast<int32_t>(abschnitte->Knoten.size()) : 1;
        const double breite = (gx[gitter - 1] - gx[0]) / s;
        int32_t a = 0;
        for (int32_t j = 0; j < gitter; ++j) {
            double e = w;
            if (mitAbschnitten) {
                while (a < s - 1 && gx[j] > gx[0] + (a + 1) * breite) ++a;
                e = a < static_cast<int32_t>(abschnitte->Exponenten.size()) ? abschnitte->Exponenten[a] : 0.0;
            }
            gew[j] = Potenz(std::fabs(gx[j]), e);
        }
    }
    // The spline is linear in its knot heights: with y2 = M h (M from the
    // unit vectors), each grid value is A h_a + B h_a+1 + C (M h)_a + D (M
    // h)_a+1 of its interval a.
    std::vector<double> mm(static_cast<size_t>(k) * k), einheit(k, 0.0), y2(k), u(k);
    for (int32_t c = 0; c < k; ++c) {
        einheit[c] = 1.0;
        ZweiteAbleitungen(kx.data(), einheit.data(), k, y2.data(), u.data());
        for (int32_t r = 0; r < k; ++r) mm[static_cast<size_t>(r) * k + c] = y2[r];
        einheit[c] = 0.0;
    }
    std::vector<double> a(static_cast<size_t>(gitter) * k, 0.0);
    int32_t iv = 0;
    for (int32_t j = 0; j < gitter; ++j) {
        const double v = gx[j];
        while (iv < k - 2 && v > kx[iv + 1]) ++iv;
        const double h = kx[iv + 1] - kx[iv];
        const double A = (kx[iv + 1] - v) / h, B = (v - kx[iv]) / h;
        const double C = (A * A * A - A) * h * h / 6.0, D = (B * B * B - B) * h * h / 6.0;
        for (int32_t c = 0; c < k; ++c)
            a[static_cast<size_t>(c) * gitter + j] =
                C * mm[static_cast<size_t>(iv) * k + c] + D * mm[static_cast<size_t>(iv + 1) * k + c];
        a[static_cast<size_t>(iv) * gitter + j] += A;
        a[static_cast<size_t>(iv + 1) * gitter + j] += B;
    }
    std::vector<double> ky(k);
    if (!NormalGleichungen(a, gitter, k, gy.data(), gew.empty() ? nullptr : gew.data(), ky.data())) return 0;
    erg->Lo = lo;
    erg->Hi = hi;
    erg->KnotenX = kx;
    erg->KnotenY = ky;
    erg->Mu0.assign(N, 0.0);
    NatuerlicherSpline(kx.data(), ky.data(), k, x + lo, erg->Mu0.data(), N);
    return N;
}

bool RRaumUntergrundGitter(const double* x, const double* y, int32_t lo, int32_t hi, int32_t nk, double dR,
                           double abstand, RRaumUntergrund* d)
{
    *d = RRaumUntergrund{};
    if (!x || !y || lo < 0 || hi - lo + 1 < 3 || nk < 4 || (nk & (nk - 1)) != 0 || !(dR > 0.0)) return false;
    const int32_t N = hi - lo + 1;
    const double dk = (PI / dR) / (nk - 1);
    d->KX.resize(nk);
    d->KY.assign(nk, 0.0);
    for (int32_t j = 0; j < nk; ++j) d->KX[j] = x[lo] + j * dk;
    // The data up to the first grid point at or beyond the section's end.
    int32_t ende = nk - 1;
    for (int32_t j = 0; j < nk; ++j)
        if (d->KX[j] >= x[hi]) {
            ende = j;
            break;
        }
    NatuerlicherSpline(x + lo, y + lo, N, d->KX.data(), d->KY.data(), ende + 1);
    if (ende > 0 && d->KX[ende] >= x[hi]) d->KY[ende] = d->KY[ende - 1];
    d->KPunkte = ende + 1;
    // The R points of the transform, 0 to 8 A.
    const double dr = PI / (nk * dk);
    for (int32_t i = 0; i < nk / 2; ++i) {
        const double r = i * dr;
        if (r > R_UNTERGRUND_MAX) break;
        d->R.push_back(r);
        d->Ziel.push_back(R_UNTERGRUND_ZIEL);
        d->Gewicht.push_back(r <= abstand ? 1.0 : 0.0);
    }
    return true;
}

int32_t RRaumSplineFit(def_zelva& z, double (*modell)(double, double, double*, double*, int32_t),
                       double (*chi)(int32_t, int32_t, double*, double*, double*, double*, double*, double*),
                       const double* x, const double* y, int32_t n, double von, double bis, int32_t knoten,
                       const SplineAbschnitte* abschnitte, int32_t nk, double dR, double abstand,
                       SplineHintergrund* erg)
{
    double* p = FitParameters;
    if (!p || !FitFunctionTypes || !ParameterFlags || !FreeParameterList || !CorrelationWords ||
        !CorrelationConstants || !modell || !chi || !erg)
        return 0;
    int32_t lo = 0, hi = -1;
    const int32_t N = SektionsIndizes(x, n, von, bis, &lo, &hi);
    if (N < 3) return 0;
    const std::vector<double> kx = SplineKnoten(x[lo], x[hi], knoten, abschnitte);
    const int32_t k = static_cast<int32_t>(kx.size());
    if (k < MIN_KNOTEN || k > MAX_KNOTEN) return 0;
    for (int32_t i = 1; i < k; ++i)
        if (!(kx[i] > kx[i - 1])) return 0;
    RRaumUntergrund d;
    if (!RRaumUntergrundGitter(x, y, lo, hi, nk, dR, abstand, &d) || d.R.size() < 2) return 0;

    // The block as it was, for a fit that fails.
    const std::vector<double> alt(p, p + SPLINE_KNOT_INDEX + MAX_MODEL_PARAMETERS_SMALL + MAX_KNOTEN);
    for (int32_t j = 0; j < k; ++j) {
        int32_t i = lo + 1;
        while (i <= hi && !(x[i] > kx[j])) ++i;
        p[j] = j == 0 ? y[lo] : y[i <= hi ? i : hi];
        p[SPLINE_KNOT_INDEX + j] = kx[j];
    }

    // The model: one spline of k knots in kind 4 with the background mode 1.
    const int32_t altArt = FitModellArt, altModus = ExafsZusatz.UntergrundModus;
    FitFunctionCount = 1;
    FitFunctionTypes[0] = 53;
    FitPolyDegree = k;
    SplineKnotCount = k;
    ResetModelTables();
    MaxParameter = MaxFitParameter = k - 1;
    FitModellArt = 4;
    ExafsZusatz.UntergrundModus = 1;
    FftModelX = d.KX;
    FftModelY = d.KY;
    FftModelPunkte = d.KPunkte;

    // The library's set-up, given back at the end.
    struct Zelva {
        def_zelva& z;
        double *x, *y, *p, *diff, *gewicht, fehler;
        int32_t anzahl, maxP, maxF, benutzen, *flags, *liste;
        ModellCallback f;
        ChiQuadratCallback c;
        ~Zelva()
        {
            z.SetField(x, y);
            z.anzahl = anzahl;
            z.maxParameter = maxP;
            z.maxFitParameter = maxF;
            z.SetParameterDifference(p, diff, flags, liste);
            z.SetWeightFunction(gewicht);
            z.SetExpError(fehler);
            z.SetFunction(f);
            z.SetFitProcedure(benutzen, c);
        }
    } zurueck{z, z.xField, z.yField, z.parameter, z.difference, z.weightFunction, z.expError, z.anzahl,
               z.maxParameter, z.maxFitParameter, z.useFitProcedure, z.parameterFlags, z.fitListe,
               z.function, z.fitProcedure};
    const int32_t m = static_cast<int32_t>(d.R.size());
    std::vector<double> rx(d.R), ry(d.Ziel), gewicht(d.Gewicht), differenz(static_cast<size_t>(m) + 11, 0.0);
    z.SetField(rx.data(), ry.data());
    z.SetAnzahl(m, k - 1, k - 1);
    z.SetParameterDifference(p, differenz.data(), ParameterFlags, FreeParameterList);
    z.SetParameterCorrelation(CorrelationWords, CorrelationConstants);
    z.SetFunction(modell);
    z.SetFitProcedure(1, chi);
    z.SetWeightFunction(gewicht.data());
    z.SetExpError(1.0);
    double rFaktor = 0.0, chi2 = 0.0;
    int32_t iteration = 0, zustand = 1;
    for (int32_t schritte = 0; zustand == 1 && schritte < 10000; ++schritte)
        zustand = z.LeastSquareFit(rFaktor, chi2, iteration);
    FitModellArt = altArt;
    ExafsZusatz.UntergrundModus = altModus;

    bool gut = true;
    for (int32_t j = 0; j < k; ++j) gut = gut && std::isfinite(p[j]);
    if (!gut) {
        std::copy(alt.begin(), alt.end(), p);
        return 0;
    }
    erg->Lo = lo;
    erg->Hi = hi;
    erg->KnotenX = kx;
    erg->KnotenY.assign(p, p + k);
    erg->Mu0.assign(N, 0.0);
    NatuerlicherSpline(kx.data(), erg->KnotenY.data(), k, x + lo, erg->Mu0.data(), N);
    return N;
}

void ChiAusMu(const double* x, double* y, const double* mu0, int32_t n, double w)
{
    for (int32_t i = 0; i < n; ++i) {
        const double c = mu0[i] != 0.0 ? (y[i] - mu0[i]) / mu0[i] : 0.0;
        y[i] = w != 0.0 ? KGewichtet(x[i], c, w) : c;
    }
}

void Mu0AufFourierGitter(const double* x, const double* mu0, int32_t n, double dR, int32_t nk,
                         std::vector<double>* kx, std::vector<double>* ky)
{
    kx->clear();
    ky->clear();
    if (n < 2 || !(dR > 0.0) || nk < 2) return;
    const double schritt = (PI / dR) / (nk - 1);
    for (int32_t j = 0;; ++j) {
        const double k = x[0] + j * schritt;
        if (!(k < x[n - 1])) break;
        kx->push_back(k);
    }
    ky->resize(kx->size());
    NatuerlicherSpline(x, mu0, n, kx->data(), ky->data(), static_cast<int32_t>(kx->size()));
}

std::string MueDateiName(const std::string& dateiName)
{
    std::string s = dateiName;
    const size_t trenner = s.find_last_of("\\/:");
    if (trenner != std::string::npos) s = s.substr(trenner + 1);
    const size_t punkt = s.rfind('.');
    if (punkt != std::string::npos) s[punkt] = '-';
    return s + ".mue";
}

std::string MueDateiText(const double* x, const double* mu0, const double* chi, int32_t n)
{
    std::string t;
    char zeile[120];
    for (int32_t i = 0; i < n; ++i) {
        std::snprintf(zeile, sizeof zeile, "%.10E   %.10E   %.10E\n", x[i], mu0[i], chi[i]);
        t += zeile;
    }
    return t;
}

int32_t VorschauTransform(def_zelva& z, const double* x, const double* chi, int32_t n, double von, double bis,
                          double w, int32_t nk, double dR, double rMax, std::vector<double>* r,
                          std::vector<double>* betrag, FTWINDOW* aussen, std::vector<double>* realteil)
{
    r->clear();
    betrag->clear();
    if (realteil) realteil->clear();
    if (nk < 4 || (nk & (nk - 1)) != 0 || !(dR > 0.0)) return 0;
    std::vector<double> sx, sy;
    for (int32_t i = 0; i < n; ++i)
        if (x[i] >= von && x[i] <= bis) {
            sx.push_back(x[i]);
            sy.push_back(chi[i]);
        }
    if (sx.size() < 3) return 0;
    const double schritt = (PI / dR) / (nk - 1);
    std::vector<double> gx(nk + 5), gy(nk + 5, 0.0), im(nk + 5, 0.0);
    for (int32_t j = 0; j < nk; ++j) gx[j] = von + j * schritt;
    // Beyond the last chi point the window is 0; the values there are held
    // at 0 rather than extrapolated.
    NatuerlicherSpline(sx.data(), sy.data(), static_cast<int32_t>(sx.size()), gx.data(), gy.data(), nk);
    for (int32_t j = 0; j < nk; ++j)
        if (gx[j] > sx.back() || gx[j] < sx.front()) gy[j] = 0.0;
    double* altX = z.xField;
    double* altY = z.yField;
    const int32_t altN = z.anzahl;
    z.SetField(gx.data(), gy.data());
    z.anzahl = nk;
    FTWINDOW fenster{4, bis, von, 4.0, 0.0};
    const int32_t m = z.DoCommonFFT(im.data(), -1, &fenster, nullptr, w, PI / (schritt * nk));
    z.SetField(altX, altY);
    z.anzahl = altN;
    if (m < 1) return 0;
    if (aussen) *aussen = fenster;
    for (int32_t j = 0; j < m; ++j) {
        r->push_back(gx[j]);
        betrag->push_back(std::hypot(gy[j], im[j]));
        if (realteil) realteil->push_back(gy[j]);
        if (gx[j] > 0.8 * rMax) break;
    }
    return static_cast<int32_t>(r->size());
}
