// The difference resampling and the ratio regression, against GSL's
// natural spline and closed forms of synthetic EXAFS shells.
#include <gtest/gtest.h>
#include <gsl/gsl_spline.h>

#include <cmath>
#include <string>
#include <vector>

#include "xas/difference_ratio.h"

namespace {

using Feld = std::vector<double>;

// GSL's natural cubic spline through (x, y) at t.
double GslSpline(const Feld& x, const Feld& y, double t)
{
    gsl_interp_accel* acc = gsl_interp_accel_alloc();
    gsl_spline* sp = gsl_spline_alloc(gsl_interp_cspline, x.size());
    gsl_spline_init(sp, x.data(), y.data(), x.size());
    const double v = gsl_spline_eval(sp, t, acc);
    gsl_spline_free(sp);
    gsl_interp_accel_free(acc);
    return v;
}

// An EXAFS shell: amplitude N e^(-2 s2 k^2) / (k R^2), phase 2 k R + phi(k).
double Amplitude(double k, double n, double r, double s2) { return n * std::exp(-2.0 * s2 * k * k) / (k * r * r); }
double Phase(double k, double r) { return 2.0 * k * r - 1.2 + 0.3 * k - 0.01 * k * k; }

}  // namespace

TEST(DifferenceSpectrum, EqualCountsSubtractIndexByIndexAndOtherCountsInterpolateByX)
{
    // Data: 61 points 8.9 ... 9.5; reference on every third data point but
    // the last six, with other x where the counts are equal.
    Feld x, y;
    for (int i = 0; i <= 60; ++i) {
        x.push_back(8.9 + 0.01 * i);
        y.push_back(std::sin(3.0 * x.back()) + x.back());
    }
    const int n = static_cast<int>(x.size());

    // Same count, box unchecked: the reference's x do not matter.
    Feld xr(n), yr(n);
    for (int i = 0; i < n; ++i) {
        xr[i] = 100.0 + i;
        yr[i] = 0.5 * i;
    }
    Feld r;
    std::vector<char> innen;
    ASSERT_EQ(DifferenzReferenz(x.data(), n, xr.data(), yr.data(), n, false, &r, &innen), VERGLEICH_OK);
    Feld d = y;
    EXPECT_EQ(DifferenzAbziehen(d.data(), n, r, innen), n);
    for (int i = 0; i < n; ++i) EXPECT_DOUBLE_EQ(d[i], y[i] - 0.5 * i);

    // Every third point up to index 54: m differs from n, box unchecked.
    Feld xs, ys;
    for (int i = 0; i <= 54; i += 3) {
        xs.push_back(x[i]);
        ys.push_back(std::cos(5.0 * x[i]));
    }
    const int m = static_cast<int>(xs.size());
    for (bool box : {false, true}) {
        ASSERT_EQ(DifferenzReferenz(x.data(), n, xs.data(), ys.data(), m, box, &r, &innen), VERGLEICH_OK);
        d = y;
        EXPECT_EQ(DifferenzAbziehen(d.data(), n, r, innen), 55);
        for (int i = 0; i < n; ++i) {
            if (i <= 54)
                EXPECT_NEAR(d[i], y[i] - GslSpline(xs, ys, x[i]), 1e-9) << i;
            else
                EXPECT_EQ(d[i], y[i]) << "outside the reference " << i;
        }
    }
    // A spectrum minus itself, interpolated, is 0 to rounding.
    ASSERT_EQ(DifferenzReferenz(x.data(), n, x.data(), y.data(), n, true, &r, &innen), VERGLEICH_OK);
    d = y;
    DifferenzAbziehen(d.data(), n, r, innen);
    for (double v : d) EXPECT_NEAR(v, 0.0, 1e-12);
}

TEST(DifferenceSpectrum, UnusableReferencesAreRefused)
{
    const Feld x = {1, 2, 3, 4}, y = {1, 1, 1, 1};
    Feld r;
    std::vector<char> innen;
    EXPECT_EQ(DifferenzReferenz(x.data(), 4, x.data(), y.data(), 0, false, &r, &innen), VERGLEICH_KEINE_REFERENZ);
    // Interpolation needs two rising points.
    const Feld fallend = {3, 2, 1};
    EXPECT_EQ(DifferenzReferenz(x.data(), 4, fallend.data(), y.data(), 3, false, &r, &innen),
              VERGLEICH_NICHT_STEIGEND);
    EXPECT_EQ(DifferenzReferenz(x.data(), 4, x.data(), y.data(), 1, true, &r, &innen), VERGLEICH_NICHT_STEIGEND);
}

class RatioMethod : public ::testing::Test {
protected:
    // Reference N 12, R 2.55, s2 0.003; sample N 9, R 2.60, s2 0.005; k 3-13.
    Feld k, ampRef, ampProbe, phiRef, phiProbe, kRef;
    void SetUp() override
    {
        for (int i = 0; i <= 200; ++i) {
            k.push_back(3.0 + 0.05 * i);
            ampProbe.push_back(Amplitude(k.back(), 9, 2.60, 0.005));
            phiProbe.push_back(Phase(k.back(), 2.60));
        }
        // The reference on a grid of its own, a little wider.
        for (int i = 0; i <= 420; ++i) {
            kRef.push_back(2.9 + 0.025 * i);
            ampRef.push_back(Amplitude(kRef.back(), 12, 2.55, 0.003));
            phiRef.push_back(Phase(kRef.back(), 2.55));
        }
    }
};

TEST_F(RatioMethod, AmplitudeAndPhaseGiveTheShellDifferences)
{
    RATIO_ERGEBNIS e;
    ASSERT_EQ(RatioMethodeRechnen(k.data(), ampProbe.data(), static_cast<int>(k.size()), kRef.data(), ampRef.data(),
                                  static_cast<int>(kRef.size()), false, &e),
              VERGLEICH_OK);
    EXPECT_EQ(e.x.size(), k.size());
    EXPECT_DOUBLE_EQ(e.x[0], 9.0);  // k^2
    RATIO_STRUKTUR s = RatioStruktur(e, false, true, 2.55, 12.0, 2.60);
    ASSERT_TRUE(s.DebyeWaller);
    EXPECT_NEAR(s.Ds2, 0.002, 1e-4);
    EXPECT_NEAR(s.N, 9.0, 1e-4);
    EXPECT_NEAR(e.S, 0.0, 1e-6);

    ASSERT_EQ(RatioMethodeRechnen(k.data(), phiProbe.data(), static_cast<int>(k.size()), kRef.data(), phiRef.data(),
                                  static_cast<int>(kRef.size()), true, &e),
              VERGLEICH_OK);
    EXPECT_DOUBLE_EQ(e.x[0], 3.0);  // k stays
    s = RatioStruktur(e, true, true, 2.55, 0.0, 0.0);
    ASSERT_TRUE(s.Abstand);
    EXPECT_NEAR(s.R, 2.60, 1e-4);
    // Without R of the reference only the line is written.
    EXPECT_FALSE(RatioStruktur(e, true, true, 0.0, 0.0, 0.0).Abstand);
    EXPECT_FALSE(RatioStruktur(e, false, true, 2.55, 12.0, 0.0).DebyeWaller);
    EXPECT_FALSE(RatioStruktur(e, false, false, 2.55, 12.0, 2.6).DebyeWaller);
}

TEST_F(RatioMethod, PointsWithoutARatioAreLeftOut)
{
    // A zero of the reference amplitude at one k, and a zero of the sample
    // at another: neither point enters the line.
    RATIO_ERGEBNIS ganz, luecke;
    const int n = static_cast<int>(k.size());
    const int m = static_cast<int>(kRef.size());
    // The reference on the sample's own grid, so that a zero stays at its
    // point (the spline would spread it over the neighbours).
    Feld refAufK(n);
    for (int i = 0; i < n; ++i) refAufK[i] = Amplitude(k[i], 12, 2.55, 0.003);
    ASSERT_EQ(RatioMethodeRechnen(k.data(), ampProbe.data(), n, k.data(), refAufK.data(), n, false, &ganz),
              VERGLEICH_OK);
    EXPECT_EQ(ganz.Ausgelassen, 0);
    refAufK[48] = 0.0;
    Feld probe = ampProbe;
    probe[120] = 0.0;
    ASSERT_EQ(RatioMethodeRechnen(k.data(), probe.data(), n, k.data(), refAufK.data(), n, false, &luecke),
              VERGLEICH_OK);
    EXPECT_EQ(luecke.Ausgelassen, 2);
    EXPECT_EQ(static_cast<int>(luecke.x.size()), n - 2);
    EXPECT_NEAR(luecke.A, ganz.A, 1e-9);
    EXPECT_NEAR(luecke.B, ganz.B, 1e-9);

    // Sample points outside the reference's range are left out in both
    // modes; fewer than three usable points are refused.
    const Feld kurz = {3.0, 3.1, 3.2};
    ASSERT_EQ(RatioMethodeRechnen(k.data(), phiProbe.data(), n, kurz.data(), kurz.data(), 3, true, &luecke),
              VERGLEICH_OK);
    EXPECT_EQ(luecke.x.size(), 5u);  // k 3.0 ... 3.2
    const Feld eng = {3.0, 3.06};
    EXPECT_EQ(RatioMethodeRechnen(k.data(), phiProbe.data(), n, eng.data(), eng.data(), 2, true, &luecke),
              VERGLEICH_ZU_WENIG);
    Feld null(n, 0.0);
    EXPECT_EQ(RatioMethodeRechnen(k.data(), null.data(), n, kRef.data(), ampRef.data(), m, false, &luecke),
              VERGLEICH_ZU_WENIG);
}

TEST(RatioMethodText, HistoryLines)
{
    RATIO_ERGEBNIS e;
    e.A = -0.004;
    e.B = -0.3;
    e.S = 1.5e-7;
    RATIO_STRUKTUR s;
    s.DebyeWaller = true;
    s.Ds2 = 0.002;
    s.N = 9;
    EXPECT_EQ(RatioHistorie("cu.mes", "C:\\d\\ref.amp", 2, e, s),
              "--: cu.mes --XAS-RATIO - METHOD -  File : C:\\d\\ref.amp   -   ( active : 2 )\r\n"
              "   Results of Linear Regression (Ax+B=y) :  A = -0.004, B = -0.3  -  Standard deviation : 1.5E-07\r\n"
              "      Debye-Waller-Factor   ds\xB2 = 0.002\r\n"
              "      Coordination No.      N   = 9\r\n");
    s = RATIO_STRUKTUR{};
    s.Abstand = true;
    s.R = 2.6;
    EXPECT_EQ(RatioHistorie("a", "b", 1, e, s),
              "--: a --XAS-RATIO - METHOD -  File : b   -   ( active : 1 )\r\n"
              "   Results of Linear Regression (Ax+B=y) :  A = -0.004, B = -0.3  -  Standard deviation : 1.5E-07\r\n"
              "      Distance    R = 2.6\r\n");
}
