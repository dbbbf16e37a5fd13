#include "xrd/xrd_geometry.h"

#include <cmath>
#include <limits>

namespace {

const double GRAD = 3.14159265358979323846 / 180.0;

// V'^2 of the cell angles (the squared volume of the unit-edge cell).
double VolumenQuadrat(double alpha, double beta, double gamma)
{
    const double ca = std::cos(alpha * GRAD), cb = std::cos(beta * GRAD), cg = std::cos(gamma * GRAD);
    return 1.0 - ca * ca - cb * cb - cg * cg + 2.0 * ca * cb * cg;
}

// 1/d in inverse Angstrom, or -1 for a cell that is not valid.
double InverserNetzebenenabstand(double a, double b, double c, double alpha, double beta,
                                 double gamma, int32_t h, int32_t k, int32_t l)
{
    const double v2 = VolumenQuadrat(alpha, beta, gamma);
    // Angles whose axes lie (within rounding) in one plane close no cell.
    if (!(a > 0.0) || !(b > 0.0) || !(c > 0.0) || !(v2 > 1e-12)) return -1.0;
    const double ca = std::cos(alpha * GRAD), cb = std::cos(beta * GRAD), cg = std::cos(gamma * GRAD);
    const double sa = std::sin(alpha * GRAD), sb = std::sin(beta * GRAD), sg = std::sin(gamma * GRAD);
    const double H = h, K = k, L = l;
    const double s = H * H * b * b * c * c * sa * sa + K * K * a * a * c * c * sb * sb +
                     L * L * a * a * b * b * sg * sg + 2.0 * H * K * a * b * c * c * (ca * cb - cg) +
                     2.0 * K * L * a * a * b * c * (cb * cg - ca) +
                     2.0 * H * L * a * b * b * c * (cg * ca - cb);
    return std::sqrt(std::fabs(s)) / (a * b * c * std::sqrt(v2));
}

}  // namespace

double BraggWinkel(double lambda, double a, double b, double c, double alpha, double beta,
                   double gamma, int32_t h, int32_t k, int32_t l, int32_t)
{
    const double inverseD = InverserNetzebenenabstand(a, b, c, alpha, beta, gamma, h, k, l);
    if (inverseD < 0.0) return std::numeric_limits<double>::quiet_NaN();
    return 2.0 * std::asin(lambda / 100.0 * 0.5 * inverseD) / GRAD;
}

double XrdFwhm(double U, double V, double W, double p, int32_t law)
{
    if (law == 1) {
        const double t = std::tan(0.5 * p * GRAD);
        return std::sqrt(std::fabs(U * t * t + V * t + W));
    }
    if (law == 2 || law == 3) {
        const double q = p;
        return U * q * q + V * q + W;
    }
    return 0.0;
}

XrdReflexStatus XrdReflexPruefen(double lambda, const double zelle[6], int32_t h, int32_t k,
                                 int32_t l)
{
    const double inverseD =
        InverserNetzebenenabstand(zelle[0], zelle[1], zelle[2], zelle[3], zelle[4], zelle[5], h, k, l);
    if (inverseD < 0.0) return XRD_ZELLE_UNGUELTIG;
    if (h == 0 && k == 0 && l == 0) return XRD_REFLEX_000;
    const double sinTheta = lambda / 100.0 * 0.5 * inverseD;
    if (!(lambda > 0.0) || !(sinTheta <= 1.0)) return XRD_REFLEX_UNERREICHBAR;
    return XRD_REFLEX_OK;
}
