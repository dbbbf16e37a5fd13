#include "xrd/xrd_geometry.h"

#include <cmath>

double BraggWinkel(double lambda, double a, double b, double c, double alpha, double beta,
                   double gamma, int32_t h, int32_t k, int32_t l, int32_t)
{
    const double rad = 3.14159265358979323846 / 180.0;
    const double ca = std::cos(alpha * rad), cb = std::cos(beta * rad), cg = std::cos(gamma * rad);
    const double sa = std::sin(alpha * rad), sb = std::sin(beta * rad), sg = std::sin(gamma * rad);
    const double H = h, K = k, L = l;
    const double s = H * H * b * b * c * c * sa * sa + K * K * a * a * c * c * sb * sb +
                     L * L * a * a * b * b * sg * sg + 2.0 * H * K * a * b * c * c * (ca * cb - cg) +
                     2.0 * K * L * a * a * b * c * (cb * cg - ca) +
                     2.0 * H * L * a * b * b * c * (cg * ca - cb);
    const double v = std::sqrt(1.0 - ca * ca - cb * cb - cg * cg + 2.0 * ca * cb * cg);
    const double inverseD = std::sqrt(s) / (a * b * c * v);
    return 2.0 * std::asin(lambda / 100.0 * 0.5 * inverseD) / rad;
}

double XrdFwhm(double U, double V, double W, double p, int32_t law)
{
    if (law == 1) {
        const double t = std::tan(p * 3.14159265358979323846 / 180.0);
        return std::sqrt(std::fabs(U * t * t + V * t + W));
    }
    if (law == 2 || law == 3) {
        const double q = 2.0 * p;
        return U * q * q + V * q + W;
    }
    return 0.0;
}
