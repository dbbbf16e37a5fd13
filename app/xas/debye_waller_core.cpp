// Einstein and correlated Debye models of the Debye-Waller factor.
#include "xas/debye_waller.h"

#include <cmath>

#include "xas/feff_path.h"

namespace {

constexpr double HBAR2_C2_DURCH_2KB = 3.6198466809937743e-29;  // hbar^2 c^2 / (2 k_B), SI
constexpr double LICHT = 299792458.0;                          // m/s
constexpr double M2_IN_A2 = 1e20;
constexpr double HBAR2_DURCH_KB_U = 48.508459393094;  // hbar^2 / (k_B u), A^2 K
constexpr double NEUN_PI_HALBE = 14.137166941154069;
constexpr double BOHR = 0.529177249;                  // Angstrom
constexpr double Z_GRENZE = 1e-20;
constexpr int32_t SIMPSON_PAARE = 50;

const FeffPfad* Pfad(int32_t i) { return i >= 0 && i + 1 < FEFF_PFADE ? &FeffPfade[i + 1] : nullptr; }

struct Punkt {
    double x, y, z;
};

// Atom A_k of a path of n legs: position slot k - 1 (slot n for A_0).
Punkt Position(const FeffPfad& p, int32_t k, int32_t n)
{
    const int32_t s = k == 0 ? n : k - 1;
    return {p.AtomX[s], p.AtomY[s], p.AtomZ[s]};
}

Punkt Differenz(const Punkt& a, const Punkt& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double Laenge(const Punkt& a) { return std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z); }

}  // namespace

double CorrDebyeIntegrand(double z, double a, double b)
{
    if (a < 0.0) a = 0.0;
    if (z < Z_GRENZE) return 2.0 * a;
    const double t = b > 0.0 ? std::sin(z * b) / b : z;
    if (a == 0.0) return t;  // T = 0: coth = 1
    // (1 + e) / (1 - e) with e = exp(-z / a), = coth(z / (2a)).
    const double e = std::exp(-z / a);
    return (1.0 + e) * t / -std::expm1(-z / a);
}

double CorrDebyeIntegral(double b, double a)
{
    const double h = 1.0 / (2.0 * SIMPSON_PAARE);
    double ungerade = 0.0, gerade = 0.0;
    for (int32_t k = 0; k < SIMPSON_PAARE; ++k) ungerade += CorrDebyeIntegrand((2 * k + 1) * h, a, b);
    for (int32_t k = 1; k < SIMPSON_PAARE; ++k) gerade += CorrDebyeIntegrand(2 * k * h, a, b);
    return h / 3.0 *
           (CorrDebyeIntegrand(0.0, a, b) + CorrDebyeIntegrand(1.0, a, b) + 4.0 * ungerade + 2.0 * gerade);
}

double CorrDebyePair(double r, double thetaD, double t, double m1, double m2, double rs)
{
    if (!(thetaD > 0.0) || !(rs > 0.0) || !(m1 > 0.0) || !(m2 > 0.0) || !std::isfinite(r)) return 0.0;
    const double a = t > 0.0 ? t / thetaD : 0.0;
    const double kD = std::pow(NEUN_PI_HALBE, 1.0 / 3.0) / (rs * BOHR);
    const double vorfaktor = 1.5 * HBAR2_DURCH_KB_U / (std::sqrt(m1 * m2) * thetaD);
    return vorfaktor * CorrDebyeIntegral(kD * r, a);
}

double EinsteinSigma2(const FeffPfad& pfad, double t, double thetaE)
{
    const double mu = pfad.ReduzierteMasse;
    if (!(thetaE > 0.0) || !(mu > 0.0)) return 0.0;
    // coth(thetaE / 2T); 1 in the limit T -> 0.
    const double coth = t > 0.0 ? 1.0 / std::tanh(thetaE / (2.0 * t)) : 1.0;
    const double s2 = coth / (mu * LICHT * LICHT * thetaE) * HBAR2_C2_DURCH_2KB * M2_IN_A2;
    return std::isfinite(s2) ? s2 : 0.0;
}

double AtomAbstand(const FeffPfad& pfad, int32_t p, int32_t q)
{
    if (p < 0 || q < 0 || p >= FEFF_ATOME || q >= FEFF_ATOME) return 0.0;
    return Laenge({pfad.AtomX[p] - pfad.AtomX[q], pfad.AtomY[p] - pfad.AtomY[q],
                   pfad.AtomZ[p] - pfad.AtomZ[q]});
}

double CorrDebyeSigma2(const FeffPfad& pfad, double t, double thetaD)
{
    const int32_t n = pfad.Beine;
    if (n < 2 || n > FEFF_MAX_BEINE || !(thetaD > 0.0) || !(pfad.Rnrmav > 0.0)) return 0.0;
    for (int32_t k = 0; k <= n; ++k)
        if (!(pfad.AtomGewichte[k] > 0.0)) return 0.0;
    auto g = [&](int32_t p, int32_t q) {
        const double r = Laenge(Differenz(Position(pfad, p, n), Position(pfad, q, n)));
        return CorrDebyePair(r, thetaD, t, pfad.AtomGewichte[p], pfad.AtomGewichte[q], pfad.Rnrmav);
    };
    double summe = 0.0;
    for (int32_t j = 1; j <= n; ++j) {
        const Punkt bj = Differenz(Position(pfad, j, n), Position(pfad, j - 1, n));
        const double lj = Laenge(bj);
        if (lj == 0.0) continue;
        for (int32_t l = j; l <= n; ++l) {
            const Punkt bl = Differenz(Position(pfad, l, n), Position(pfad, l - 1, n));
            const double ll = Laenge(bl);
            if (ll == 0.0) continue;
            double q = g(j, l) + g(j - 1, l - 1) - g(j, l - 1) - g(j - 1, l);
            const double cosinus = (bj.x * bl.x + bj.y * bl.y + bj.z * bl.z) / (lj * ll);
            if (j != l) q *= 2.0;
            summe += q * cosinus;
        }
    }
    return std::isfinite(summe) ? summe / 4.0 : 0.0;
}

double EinsteinSigma2(double t, double thetaE, int32_t i)
{
    const FeffPfad* p = Pfad(i);
    return p ? EinsteinSigma2(*p, t, thetaE) : 0.0;
}

double CorrDebyeSigma2(double t, double thetaD, int32_t i)
{
    const FeffPfad* p = Pfad(i);
    return p ? CorrDebyeSigma2(*p, t, thetaD) : 0.0;
}

double AtomAbstand(int32_t p, int32_t q, int32_t i)
{
    const FeffPfad* pf = Pfad(i);
    return pf ? AtomAbstand(*pf, p, q) : 0.0;
}
