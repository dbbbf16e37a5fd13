// Bragg angles against the metric tensor of the cell, published LaB6 line
// positions, the width laws and the check of cell and reflection.
#include <gtest/gtest.h>

#include <cmath>

#include "xrd/xrd_geometry.h"

namespace {

const double DEG = 180.0 / 3.14159265358979323846;

// 1/d^2 = h^T G^-1 h with the metric tensor G of the cell (3x3 inverse by
// cofactors): an independent route to the same d spacing.
double InverseDSquared(const double cell[6], int h, int k, int l)
{
    const double a = cell[0], b = cell[1], c = cell[2];
    const double ca = std::cos(cell[3] / DEG), cb = std::cos(cell[4] / DEG), cg = std::cos(cell[5] / DEG);
    const double g[3][3] = {{a * a, a * b * cg, a * c * cb}, {a * b * cg, b * b, b * c * ca}, {a * c * cb, b * c * ca, c * c}};
    double inv[3][3];
    const double det = g[0][0] * (g[1][1] * g[2][2] - g[1][2] * g[2][1]) -
                       g[0][1] * (g[1][0] * g[2][2] - g[1][2] * g[2][0]) +
                       g[0][2] * (g[1][0] * g[2][1] - g[1][1] * g[2][0]);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            const int r0 = (j + 1) % 3, r1 = (j + 2) % 3, c0 = (i + 1) % 3, c1 = (i + 2) % 3;
            inv[i][j] = (g[r0][c0] * g[r1][c1] - g[r0][c1] * g[r1][c0]) / det;
        }
    const double v[3] = {double(h), double(k), double(l)};
    double s = 0.0;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) s += v[i] * inv[i][j] * v[j];
    return s;
}

}  // namespace

TEST(XrdGeometry, BraggAngleAgreesWithTheMetricTensorOfATriclinicCell)
{
    const double cell[6] = {5, 6, 7, 80, 95, 105};
    const double lambda = 154.06;
    for (int h = -3; h <= 3; ++h)
        for (int k = -3; k <= 3; ++k)
            for (int l = -3; l <= 3; ++l) {
                if (h == 0 && k == 0 && l == 0) continue;
                const double s = lambda / 100.0 * 0.5 * std::sqrt(InverseDSquared(cell, h, k, l));
                const double got = BraggWinkel(lambda, cell[0], cell[1], cell[2], cell[3], cell[4], cell[5], h, k, l, 1);
                if (s > 1.0) {
                    EXPECT_TRUE(std::isnan(got)) << h << k << l;
                    EXPECT_EQ(XrdReflexPruefen(lambda, cell, h, k, l), XRD_REFLEX_UNERREICHBAR);
                    continue;
                }
                EXPECT_NEAR(got, 2.0 * std::asin(s) * DEG, 1e-12) << h << " " << k << " " << l;
                EXPECT_EQ(XrdReflexPruefen(lambda, cell, h, k, l), XRD_REFLEX_OK);
            }
}

TEST(XrdGeometry, PublishedLinePositions)
{
    EXPECT_NEAR(BraggWinkel(154.06, 5.21, 5.21, 5.21, 90, 90, 90, 1, 1, 1, 1), 29.6757, 5e-5);
    // LaB6 (SRM 660a, a = 4.15692 Angstrom) at 41.3128 pm, as refined for
    // the 11-BM pattern in the shared data.
    const int hkl[10][3] = {{1, 0, 0}, {1, 1, 0}, {1, 1, 1}, {2, 0, 0}, {2, 1, 0},
                            {2, 1, 1}, {2, 2, 0}, {2, 2, 1}, {3, 1, 0}, {3, 1, 1}};
    const double tth[10] = {5.6966, 8.0595, 9.8749, 11.4073, 12.7591,
                            13.9827, 16.1593, 17.1466, 18.0817, 18.9722};
    for (int i = 0; i < 10; ++i)
        EXPECT_NEAR(BraggWinkel(41.3128, 4.15692, 4.15692, 4.15692, 90, 90, 90, hkl[i][0], hkl[i][1], hkl[i][2], 1),
                    tth[i], 1e-4) << i;
}

TEST(XrdGeometry, CheckRefusesBadCellsAndUnreachableReflections)
{
    const double cubic[6] = {5.21, 5.21, 5.21, 90, 90, 90};
    EXPECT_EQ(XrdReflexPruefen(154.06, cubic, 1, 1, 1), XRD_REFLEX_OK);
    EXPECT_EQ(XrdReflexPruefen(154.06, cubic, 9, 9, 9), XRD_REFLEX_UNERREICHBAR);
    EXPECT_EQ(XrdReflexPruefen(0.0, cubic, 1, 0, 0), XRD_REFLEX_UNERREICHBAR);
    EXPECT_EQ(XrdReflexPruefen(154.06, cubic, 0, 0, 0), XRD_REFLEX_000);
    const double zero[6] = {0, 0, 0, 0, 0, 0};
    EXPECT_EQ(XrdReflexPruefen(154.06, zero, 1, 0, 0), XRD_ZELLE_UNGUELTIG);
    const double flat[6] = {5, 5, 5, 120, 120, 120};  // V'^2 = 0: the three axes lie in a plane
    EXPECT_EQ(XrdReflexPruefen(154.06, flat, 1, 0, 0), XRD_ZELLE_UNGUELTIG);
    const double negative[6] = {5, -5, 5, 90, 90, 90};
    EXPECT_EQ(XrdReflexPruefen(154.06, negative, 1, 0, 0), XRD_ZELLE_UNGUELTIG);
    EXPECT_TRUE(std::isnan(BraggWinkel(154.06, 0, 0, 0, 0, 0, 0, 1, 0, 0, 1)));
}

TEST(XrdGeometry, WidthLawsTakeThetaForCagliotiAndTwoThetaForTheQuadraticLaws)
{
    struct Fall { int law; double want; } faelle[] = {{1, 0.0500489}, {2, 15.803}, {3, 15.803}, {0, 0.0}, {4, 0.0}};
    for (const Fall& f : faelle)
        EXPECT_NEAR(XrdFwhm(0.01, -0.005, 0.003, 40.0, f.law), f.want, 5e-7) << f.law;
    // Law 1 takes the magnitude under the root.
    const double t = std::tan(15.0 / DEG);
    EXPECT_NEAR(XrdFwhm(-0.02, 0.0, 0.0, 30.0, 1), std::sqrt(0.02 * t * t), 1e-15);
}
