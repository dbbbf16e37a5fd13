// The peak search on synthetic patterns of known lines: positions, heights,
// the model records, the cap of the model size, short and odd-sized curves
// under the sanitizers, the background spline and the peak table.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/fit/model_fixture.h"
#include "fit/fit_model.h"
#include "xrd/xrd_peak_search.h"

namespace {

const double DEG = 180.0 / 3.14159265358979323846;

// Gaussian lines of fwhm w on a flat background over x0 + step i.
struct Muster {
    std::vector<double> x, y;
    Muster(double x0, double step, int n, const std::vector<double>& pos, const std::vector<double>& hoehe,
           double w = 0.1, double grund = 10.0)
    {
        const double c = 4.0 * std::log(2.0) / (w * w);
        for (int i = 0; i < n; ++i) {
            const double xi = x0 + step * i;
            double yi = grund;
            for (size_t k = 0; k < pos.size(); ++k) yi += hoehe[k] * std::exp(-c * (xi - pos[k]) * (xi - pos[k]));
            x.push_back(xi);
            y.push_back(yi);
        }
    }
    int n() const { return static_cast<int>(x.size()); }
};

class XrdPeakSearch : public ModelFixture {};

}  // namespace

TEST_F(XrdPeakSearch, FindsSeparatedLinesForEveryProfile)
{
    const std::vector<double> pos = {11.003, 13.5, 15.257, 17.75, 19.1}, hoehe = {200, 400, 600, 800, 1000};
    const Muster m(10.0, 0.01, 1000, pos, hoehe);
    for (int profil = 0; profil < 3; ++profil) {
        Model({});
        PeakFund fund;
        const int k = FindPeaks(zelva, profil, m.x.data(), m.y.data(), m.n(), 10.0, fund);
        ASSERT_EQ(k, 5) << profil;
        const int s = PeakStride(profil);
        EXPECT_EQ(FitFunctionCount, 6);
        EXPECT_EQ(FitFunctionTypes[5], 7);
        EXPECT_EQ(FitPolyDegree, 1);
        EXPECT_EQ(block[5 * s], std::min(m.y[1], m.y[m.n() - 2]));
        EXPECT_EQ(block[5 * s + 1], 0.0);
        EXPECT_FALSE(fund.begrenzt);
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(FitFunctionTypes[i], PeakTyp(profil));
            EXPECT_NEAR(block[s * i + 1], pos[i], 1e-4) << profil << " " << i;
            EXPECT_EQ(block[s * i + 1], fund.positionen[i]);
            // The height is y at the first point past the top.
            const int top = static_cast<int>(std::ceil((fund.positionen[i] - 10.0) / 0.01 - 1e-9));
            EXPECT_TRUE(block[s * i] == m.y[top] || block[s * i] == m.y[top + 1]) << i;
            EXPECT_NEAR(block[s * i], hoehe[i] + 10.0, 0.035 * hoehe[i]);  // at most one step beside the top
            const double breite = profil == 0 ? block[s * i + 2] : profil == 1 ? block[s * i + 2] / 0.75
                                                                               : block[s * i + 2] / 0.5;
            EXPECT_GT(breite, 0.02);
            EXPECT_LT(breite, 0.2);
            if (profil == 1) {
                EXPECT_EQ(block[s * i + 3], block[s * i + 2]);
                EXPECT_EQ(block[s * i + 4], 0.5);
                EXPECT_EQ(flags[s * i + 4], PF_CONSTRAINED);
                EXPECT_EQ(block[LowerBoundIndex(s * i + 4)], 0.0);
                EXPECT_EQ(block[UpperBoundIndex(s * i + 4)], 1.0);
            }
            if (profil == 2) {
                EXPECT_EQ(block[s * i + 4], block[s * i + 2]);
                for (int e : {3, 5}) {
                    EXPECT_EQ(block[s * i + e], 1.0);
                    EXPECT_EQ(flags[s * i + e], PF_CONSTRAINED);
                    EXPECT_EQ(block[UpperBoundIndex(s * i + e)], 10.0);
                }
            }
        }
    }
}

TEST_F(XrdPeakSearch, FlatPatternAndZeroLimit)
{
    std::vector<double> x(300), y(300, 10.0);
    for (int i = 0; i < 300; ++i) x[i] = 5.0 + 0.01 * i;
    Model({});
    PeakFund fund;
    EXPECT_EQ(FindPeaks(zelva, 0, x.data(), y.data(), 300, 10.0, fund), 0);
    EXPECT_EQ(FitFunctionCount, 1);
    EXPECT_EQ(FitFunctionTypes[0], 7);
    EXPECT_EQ(block[0], 10.0);
    EXPECT_TRUE(std::isfinite(block[0]));

    // Limit 0 leaves the model as it was.
    Model({1, 7}, {5.0, 6.0, 0.1, 2.0, 0.0});
    const std::vector<double> vorher = block;
    const Muster m(10.0, 0.01, 500, {12.0}, {500});
    EXPECT_EQ(FindPeaks(zelva, 0, m.x.data(), m.y.data(), m.n(), 0.0, fund), 0);
    EXPECT_EQ(FitFunctionCount, 2);
    EXPECT_EQ(block, vorher);
}

TEST_F(XrdPeakSearch, ModelSizeCapsThePeakCountAndSaysWhere)
{
    std::vector<double> pos, hoehe;
    for (int i = 0; i < 120; ++i) {
        pos.push_back(10.5 + 0.5 * i);
        hoehe.push_back(500.0 + 3.0 * i);
    }
    const Muster m(10.0, 0.01, 6100, pos, hoehe);
    const int erwartet[3] = {82, 49, 41};
    for (int profil = 0; profil < 3; ++profil) {
        Model({});
        PeakFund fund;
        const int k = FindPeaks(zelva, profil, m.x.data(), m.y.data(), m.n(), 10.0, fund);
        EXPECT_EQ(k, erwartet[profil]);
        EXPECT_EQ(k, PeakHoechstzahl(profil));
        EXPECT_TRUE(fund.begrenzt);
        EXPECT_NEAR(fund.grenze, pos[k - 1], 1e-3);
        EXPECT_LE((k + 0) * PeakStride(profil) + 2, MAX_MODEL_PARAMETERS);
        EXPECT_EQ(FitFunctionCount, k + 1);
    }
}

TEST_F(XrdPeakSearch, CurvesOfEveryLengthAroundAPowerOfTwoRunClean)
{
    for (int n : {5, 6, 7, 27, 32, 33, 251, 256, 257, 1019, 1024, 1025}) {
        // A line cut off by the end: its rising flank has no top.
        const Muster m(0.0, 0.01, n, {0.005 + 0.01 * (n / 2), 0.01 * (n - 1)}, {300, 800}, 0.05);
        Model({});
        PeakFund fund;
        const int k = FindPeaks(zelva, 1, m.x.data(), m.y.data(), n, 10.0, fund);
        EXPECT_GE(k, 0) << n;
        EXPECT_LE(k, 2) << n;
        for (double p : fund.positionen) EXPECT_LE(p, m.x.back()) << n;
        EXPECT_EQ(FitFunctionCount, k + 1);
    }
    Model({1, 7}, {5.0, 6.0, 0.1, 2.0, 0.0});
    PeakFund fund;
    const double x[4] = {0, 1, 2, 3}, y[4] = {0, 5, 1, 0};
    EXPECT_EQ(FindPeaks(zelva, 0, x, y, 4, 10.0, fund), 0);
    EXPECT_EQ(FitFunctionCount, 2);
}

TEST_F(XrdPeakSearch, BackgroundSplineThroughTheNodes)
{
    // A straight background: the spline through nodes on it reproduces it.
    std::vector<double> x(401), y(401), bx(401), by(401), nx(500), ny(500);
    for (int i = 0; i < 401; ++i) {
        x[i] = 10.0 + 0.025 * i;
        y[i] = 3.0 + 0.5 * x[i];
    }
    ASSERT_EQ(InterpolatePattern(zelva, 0, x.data(), y.data(), 401, 10.0, 20.0, bx.data(), by.data(), 8, nx.data(), ny.data()), 1);
    EXPECT_EQ(nx[0], 10.0);
    EXPECT_EQ(nx[7], 20.0);
    EXPECT_NEAR(nx[3], 10.0 + 3 * 10.0 / 7, 1e-12);
    for (int i = 0; i < 401; ++i) {
        EXPECT_EQ(bx[i], x[i]);
        EXPECT_NEAR(by[i], y[i], 0.03) << i;
    }
    // A moved node with mode -1 keeps the node positions.
    ny[3] += 10.0;
    ASSERT_EQ(InterpolatePattern(zelva, -1, x.data(), y.data(), 401, 10.0, 20.0, bx.data(), by.data(), 8, nx.data(), ny.data()), 1);
    const int at = static_cast<int>(std::lround((nx[3] - 10.0) / 0.025));
    EXPECT_GT(by[at], y[at] + 9.0);
    // Node counts the blocks cannot hold, and nodes out of order, are refused.
    const std::vector<double> vorher = by;
    for (int m : {1, 0, 501})
        EXPECT_EQ(InterpolatePattern(zelva, 0, x.data(), y.data(), 401, 10.0, 20.0, bx.data(), by.data(), m, nx.data(), ny.data()), 0) << m;
    nx[4] = nx[2];
    EXPECT_EQ(InterpolatePattern(zelva, -1, x.data(), y.data(), 401, 10.0, 20.0, bx.data(), by.data(), 8, nx.data(), ny.data()), 0);
    EXPECT_EQ(by, vorher);
}

TEST_F(XrdPeakSearch, PeakTableHoldsTwoThetaPercentAndBraggSpacing)
{
    Model({6, 6, 7}, {400, 20.0, 0.1, 0.1, 0.5, 800, 40.0, 0.1, 0.1, 0.5, 1.0, 0.0});
    std::vector<double> args(35000, -1.0);
    EXPECT_EQ(XrdPeakTabelle(5, 154.06, args.data(), 35000), 2);
    EXPECT_EQ(args[0], 2.0);
    EXPECT_EQ(args[1], 20.0);
    EXPECT_EQ(args[2], 50.0);
    EXPECT_EQ(args[5], 100.0);
    for (int i = 0; i < 2; ++i) {
        const double d = args[3 + 3 * i];
        EXPECT_NEAR(154.06 / (2.0 * d), std::sin(args[1 + 3 * i] / 2.0 / DEG), 1e-15);
    }
    // No peaks: a count of 0.
    Model({7}, {1.0, 0.0});
    EXPECT_EQ(XrdPeakTabelle(5, 154.06, args.data(), 35000), 0);
    EXPECT_EQ(args[0], 0.0);
}
