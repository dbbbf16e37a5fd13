// The XRD structure terms: Bragg angles from the cell, widths from the UVW
// law, the zero shift, K-alpha2 partners and the cut-off of far peaks.
#include <gtest/gtest.h>

#include <cmath>

#include "model_fixture.h"
#include "xrd/xrd_geometry.h"
#include "xrd/xrd_phase.h"

namespace {

const double DEG = 180.0 / 3.14159265358979323846;

// 2 theta from a d spacing (Angstrom) and a wavelength in pm.
double TwoTheta(double d, double lambda) { return 2.0 * std::asin(lambda / 100.0 / (2.0 * d)) * DEG; }

}  // namespace

class XrdTerms : public ModelFixture {
protected:
    void SetUp() override
    {
        ModelFixture::SetUp();
        XrdPhasenVorgaben();
        const int miller[][3] = {{1, 0, 0}, {1, 1, 0}, {1, 1, 1}, {2, 0, 0}};
        for (int m = 0; m < 4; ++m) {
            XrdPhaseTable[0].H[m] = miller[m][0];
            XrdPhaseTable[0].K[m] = miller[m][1];
            XrdPhaseTable[0].L[m] = miller[m][2];
        }
        env.Wellenlaenge = 41.3128;
    }
    void TearDown() override
    {
        XrdPhasenVorgaben();
        ModelFixture::TearDown();
    }
    // x of the largest model value on a fine grid around x0.
    double Maximum(double x0)
    {
        double best = x0, top = -1e300;
        for (int i = -2000; i <= 2000; ++i) {
            const double x = x0 + i * 1e-5;
            const double y = At(x);
            if (y > top) {
                top = y;
                best = x;
            }
        }
        return best;
    }
};

TEST_F(XrdTerms, CubicCellPlacesTheFixedPeaksAndTiesItsConstants)
{
    Model({29, 30, 1, 1, 1}, {0.01, 4.15692, 3.0, 9.0, 90.0, 90.0, 90.0,
                              1.0, 5.0, 0.05, 1.0, 8.0, 0.05, 1.0, 10.0, 0.05});
    for (int p : {8, 11, 14}) flags[p] = PF_FIXED;
    const double expected[] = {5.6966, 8.0595, 9.8749};
    std::vector<double> xs = {5.0, 8.0, 10.0};
    Array(xs);
    EXPECT_EQ(block[2], 4.15692);
    EXPECT_EQ(block[3], 4.15692);
    EXPECT_EQ(XrdPhaseTable[0].Gitter[1], 4.15692);
    EXPECT_EQ(XrdPhaseTable[0].Gitter[2], 4.15692);
    EXPECT_EQ(XrdPhaseTable[0].Nullpunkt, 0.01);
    for (int m = 0; m < 3; ++m) {
        EXPECT_NEAR(block[8 + 3 * m], expected[m], 1e-4) << m;
        EXPECT_NEAR(Maximum(expected[m] + 0.01), expected[m] + 0.01, 1e-4) << m;
    }
    // A position without the fixed flag stays the user's.
    flags[11] = 0;
    block[11] = 8.3;
    At(0.0);
    EXPECT_EQ(block[11], 8.3);
    // Switched off, the function after the lattice stops the derivation.
    types[2] = 101;
    block[8] = 1.0;
    At(0.0);
    EXPECT_EQ(block[8], 1.0);
}

TEST_F(XrdTerms, TetragonalCellTiesOnlyB)
{
    XrdPhaseTable[0].Kristallsystem = 1;
    Model({30, 1}, {4.0, 3.0, 6.0, 80.0, 85.0, 95.0, 1.0, 5.0, 0.05});
    flags[7] = PF_FIXED;
    At(0.0);
    EXPECT_EQ(block[1], 4.0);
    EXPECT_EQ(block[2], 6.0);
    EXPECT_EQ(XrdPhaseTable[0].Gitter[3], 90.0);  // angles the system does not use stay
    EXPECT_NEAR(block[7], TwoTheta(4.0, 41.3128), 1e-12);
}

TEST_F(XrdTerms, UvwWidthsAndKAlpha2Partners)
{
    XrdPhase& p = XrdPhaseTable[0];
    p.KAlphaAufspaltung = 1;
    p.Breitengesetz = 2;
    // Lattice, UVW, then a peak with its alpha2 partner and a second peak.
    Model({30, 31, 3, 3, 1}, {4.0, 4.0, 4.0, 90.0, 90.0, 90.0, 1e-4, 2e-3, 0.05,
                              2.0, 0.0, 0.0, 0.7, 9.0, 9.0, 9.0, 0.1, 1.0, 0.0, 0.0});
    for (int q : {10, 11, 14, 15, 13, 16, 18, 19}) flags[q] = PF_FIXED;
    env.Wellenlaenge = p.KAlpha[0];
    At(0.0);
    const double pos1 = TwoTheta(4.0, p.KAlpha[0]);
    const double pos2 = TwoTheta(4.0, p.KAlpha[1]);
    auto law = [](double x) { return 1e-4 * x * x + 2e-3 * x + 0.05; };  // q = 2 theta
    EXPECT_NEAR(block[10], pos1, 1e-12);
    EXPECT_NEAR(block[11], law(pos1), 1e-12);
    EXPECT_NEAR(block[14], pos2, 1e-12);   // partner from K-alpha2
    EXPECT_NEAR(block[15], law(pos2), 1e-12);
    EXPECT_EQ(block[13], 1.0);             // half the peak's height
    EXPECT_EQ(block[16], 0.7);             // its Gaussian part copied
    EXPECT_NEAR(block[18], TwoTheta(4.0 / std::sqrt(2.0), p.KAlpha[0]), 1e-12);
    EXPECT_EQ(p.UVW[0], 1e-4);
    EXPECT_EQ(p.UVW[2], 0.05);

    // Without UVW the partner copies the peak's width.
    p.KAlphaAufspaltung = 1;
    Model({30, 1, 1}, {4.0, 4.0, 4.0, 90.0, 90.0, 90.0, 2.0, 0.0, 0.3, 0.0, 0.0, 0.0});
    for (int q : {9, 10, 11}) flags[q] = PF_FIXED;
    At(0.0);
    EXPECT_EQ(block[9], 1.0);
    EXPECT_EQ(block[11], 0.3);
}

TEST_F(XrdTerms, CutOffPassesOverFarPeaksInPointModeOnly)
{
    XrdPhaseTable[0].Abschneiden = 1;
    XrdPhaseTable[0].Abschneidefaktor = 5.0;
    Model({29, 1}, {0.5, 1.0, 20.0, 0.1});
    // Centre 20.5, reach 0.5.
    EXPECT_GT(At(20.9), 0.0);
    EXPECT_EQ(At(21.1), 0.0);
    EXPECT_EQ(At(19.9), 0.0);
    EXPECT_GT(Array({21.1})[0], 0.0);
    XrdPhaseTable[0].Abschneiden = 0;
    EXPECT_GT(At(21.1), 0.0);
}

// The zero shift moves a peak's centre to position + s; an asymmetric peak
// changes sides there, where its two halves meet.
TEST_F(XrdTerms, ZeroShiftMovesTheCentreAndTheSideOfAsymmetricPeaks)
{
    Model({29, 4}, {0.5, 1.0, 20.0, 0.1, 0.4});
    EXPECT_DOUBLE_EQ(At(20.5), 1.0);
    EXPECT_NEAR(At(20.45), 0.5, 1e-6);   // left fwhm 0.1
    EXPECT_NEAR(At(20.7), 0.5, 1e-6);    // right fwhm 0.4
    EXPECT_NEAR(At(20.5 - 1e-9), 1.0, 1e-9);
    EXPECT_NEAR(At(20.5 + 1e-9), 1.0, 1e-9);
    Model({29, 13}, {0.5, 1.0, 20.0, 0.1, 1.0, 0.4, 1.0});
    EXPECT_NEAR(At(20.45), 0.5, 1e-12);
    EXPECT_NEAR(At(20.7), 0.5, 1e-12);
}
