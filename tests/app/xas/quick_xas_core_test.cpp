// The rules of the quick XAS reduction: the spline count, the roads, the
// smallest spectrum and the edge on uneven spacing.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "xas/quick_xas.h"

namespace {

// An edge at e0 (keV) of width b: arctan step on top of a falling line.
double Kante(double e, double e0, double b) { return 0.5 + std::atan((e - e0) / b) / M_PI - 0.3 * (e - 8.9); }

}  // namespace

TEST(QuickXasRegeln, SplineCountFollowsTheUpperK)
{
    struct Fall {
        double k;
        int32_t splines;
    };
    // (k - 2) * 1.8 / pi + 1: 14.0 gives 7.87; below 3.75 one or none.
    const Fall faelle[] = {{14.0, 7}, {5.5, 3}, {5.4, 2}, {4.4, 2}, {3.74, 1}, {2.0, 1}, {1.0, 0}, {-3.0, 0},
                           {26.0, 14}};
    for (const Fall& f : faelle) EXPECT_EQ(QuickSplineAnzahl(f.k), f.splines) << f.k;
    EXPECT_EQ(QuickSplineAnzahl(std::nan("")), 0);
}

TEST(QuickXasRegeln, SevenPointsAreRefusedEightTaken)
{
    EXPECT_FALSE(QuickGenugPunkte(7));
    EXPECT_FALSE(QuickGenugPunkte(0));
    EXPECT_TRUE(QuickGenugPunkte(8));
}

TEST(QuickXasRegeln, RoadsByTheReachAboveTheEdge)
{
    // x in keV; the second-last point decides.
    const double e0 = 8.98;
    struct Fall {
        double vorletzt;
        bool zwei;
    };
    const Fall faelle[] = {{e0 + 0.5, false}, {e0 + 0.4, false}, {e0 + 0.5001, true}, {e0 + 1.2, true}};
    for (const Fall& f : faelle) {
        std::vector<double> x = {8.8, 8.85, 8.9, 8.95, 8.97, 8.98, 9.0, f.vorletzt - 0.01, f.vorletzt, 10.5};
        EXPECT_EQ(QuickZweiPolynome(x.data(), static_cast<int32_t>(x.size()), e0), f.zwei) << f.vorletzt;
    }
    // 809's curve is normalised only when its fifth point from the end lies
    // above E0 + 0.1.
    std::vector<double> x = {8.8, 8.9, 8.95, 9.0, 9.081, 9.09, 9.1, 9.2, 9.3};
    EXPECT_TRUE(QuickNormieren(x.data(), 9, 8.98));
    x[4] = 9.07;
    EXPECT_FALSE(QuickNormieren(x.data(), 9, 8.98));
}

TEST(QuickXasRegeln, ValuesOfTheSteps)
{
    std::vector<double> x(20);
    for (int i = 0; i < 20; ++i) x[i] = 8.8 + 0.05 * i;
    double dw[14];
    for (double& v : dw) v = 99.0;
    QuickWerteZweiPolynome(x.data(), 20, 9.0, dw);
    const double erwartet[14] = {x[5], x[5] + 0.5 * (9.0 - x[3]), -1, 1, 1, 0, 9.1, x[15], 0, 0, 0, 0, 0, 0};
    for (int i = 0; i < 14; ++i) EXPECT_DOUBLE_EQ(dw[i], erwartet[i]) << i;
    QuickWertePolynom(x.data(), 9.0, dw);
    EXPECT_DOUBLE_EQ(dw[0], x[2]);
    EXPECT_DOUBLE_EQ(dw[1], 9.0 - 0.25 * (9.0 - x[1]));
    EXPECT_EQ(dw[2], 0.0);
    QuickWerteNormierung(9.0, dw);
    EXPECT_DOUBLE_EQ(dw[0], 9.05);
    EXPECT_DOUBLE_EQ(dw[1], 9.1);
    QuickWerteSpline(14.0, 7, dw);
    EXPECT_EQ(dw[0], 2.0);
    EXPECT_EQ(dw[1], 14.0);
    EXPECT_EQ(dw[3], 7.0);
    EXPECT_EQ(dw[5], 3.0);
    QuickWerteFourier(2.1, 13.9, dw);
    const double ft[14] = {1, 0, 4, 2.1, 13.9, 4, 3, 0, 0, 2048, -1, 0, 0, 0};
    for (int i = 0; i < 14; ++i) EXPECT_EQ(dw[i], ft[i]) << i;
}

TEST(QuickXasRegeln, OfEqualMaximaTheLowerIndexWins)
{
    const double d[] = {0.0, 3.0, 1.0, 3.0, 2.0};
    EXPECT_EQ(QuickMaximum(d, 5), 1);
    const double flach[] = {-5.0, -5.0};
    EXPECT_EQ(QuickMaximum(flach, 2), 0);
    EXPECT_EQ(QuickMaximum(d, 0), -1);
}

TEST(QuickXasRegeln, EdgeOnAnUnevenScanIsItsSteepestRise)
{
    // Coarse steps before the edge, 0.5 eV across it, 3 eV after: the
    // derivative on the real spacing finds the arctan's centre. A step
    // taken as x[2] - x[1] (10 eV) everywhere would not change the place
    // of the maximum but the smoothing on a wrong grid would.
    std::vector<double> x, y;
    for (double e = 8.80; e < 8.97; e += 0.010) x.push_back(e);
    for (double e = 8.970; e < 8.995; e += 0.0005) x.push_back(e);
    for (double e = 8.995; e < 9.5; e += 0.003) x.push_back(e);
    for (double e : x) y.push_back(Kante(e, 8.9812, 0.002));
    double e0 = 0.0;
    ASSERT_TRUE(QuickKante(x.data(), y.data(), static_cast<int32_t>(x.size()), nullptr, &e0));
    EXPECT_NEAR(e0, 8.9812, 0.0005);
    // Fewer than five points: no edge.
    EXPECT_FALSE(QuickKante(x.data(), y.data(), 4, nullptr, &e0));
}
