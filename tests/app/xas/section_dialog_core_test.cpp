// The border check of the section dialog, the step removal, the proposed
// spline counts and the "adv_spline.par" text.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "xas/section_dialog.h"

TEST(SectionBorders, TheTableOfAcceptedAndRefusedEdits)
{
    // Data range of a k curve that keeps points below E0: -2.5 .. 17.4.
    const double oben = 17.4, unten = -2.5, schritt = 0.05;
    struct Fall {
        double u, l;
        int32_t ok;
    } faelle[] = {
        {17.4, -2.5, 1},                    // the data range itself, negative lower border
        {-2.5, 17.4, 1},                    // swapped
        {17.4 * (1 + 0.9e-5), -2.5, 1},     // wider by less than 1e-5
        {17.4 * (1 + 5e-5), -2.5, 0},       // wider by more
        {10.0, -2.5 * (1 + 0.9e-5), 1},
        {10.0, -2.6, 0},
        {5.0, 5.0, 1},                      // equal nonzero borders
        {0.0, 0.0, 0},                      // both 0
        {std::numeric_limits<double>::quiet_NaN(), 1.0, 0},
    };
    for (const Fall& f : faelle) {
        double o = -99, u = -99;
        EXPECT_EQ(SektionsGrenzen(f.u, f.l, oben, unten, schritt, &o, &u), f.ok) << f.u << " " << f.l;
        if (f.ok) {
            EXPECT_GT(o, u);
            EXPECT_GE(o, std::max(f.u, f.l));
            EXPECT_LE(u, std::min(f.u, f.l));
        }
    }
    double o, u;
    ASSERT_EQ(SektionsGrenzen(5.0, 5.0, oben, unten, schritt, &o, &u), 1);
    EXPECT_NEAR((o - u) / 5.0, 4e-5 + 2e-5, 1e-5);  // about 4e-5 wide, plus the tolerance
    // A border at 0 gets a tolerance from the step.
    ASSERT_EQ(SektionsGrenzen(10.0, 0.0, oben, 0.0, schritt, &o, &u), 1);
    EXPECT_LT(u, 0.0);
}

TEST(SectionBorders, StepRemovalNeedsThreePointsOnEitherSide)
{
    std::vector<double> y = {1, 1, 1, 1, 1, 3, 3, 3, 3, 3};
    std::vector<double> kopie = y;
    EXPECT_FALSE(StufeEntfernen(y.data(), 10, 0, 9, 2, 5));  // within 2 points of the start
    EXPECT_FALSE(StufeEntfernen(y.data(), 10, 0, 9, 4, 7));  // within 2 of the end
    EXPECT_EQ(y, kopie);
    ASSERT_TRUE(StufeEntfernen(y.data(), 10, 0, 9, 3, 5));
    for (double v : y) EXPECT_EQ(v, 1.0);
}

TEST(SplineDialogs, ProposedCountsAndTheSettingsFile)
{
    EXPECT_EQ(SplineVorschlag(12.0), 6);          // 20 * 0.8 / pi + 1 = 6.09
    EXPECT_EQ(AutoSplineAnzahl(3.5, 3.0, 3.0), 1);  // 1.955
    AdvSpline a;
    a.Grad = {2, 4};
    a.Gewicht = {1, 3};
    EXPECT_EQ(SchreibeAdvSpline(2.5, a), "2\n2\n2\n1\n4\n3\n");
    AdvSpline b;
    ASSERT_TRUE(LeseAdvSpline("3\n2\n5x\n1\nabc\n2\n", &b));
    EXPECT_EQ(b.KGewicht, 3);
    EXPECT_EQ(b.Grad, (std::vector<int32_t>{5, 0}));
    EXPECT_EQ(b.Gewicht, (std::vector<int32_t>{1, 2}));
    ASSERT_TRUE(LeseAdvSpline("2\n9\n1\n1\n1\n1\n1\n1\n1\n1\n1\n1\n1\n1\n", &b));
    EXPECT_EQ(b.Grad.size(), 5u);  // five sections at most
    EXPECT_FALSE(LeseAdvSpline("2\n", &b));
}
