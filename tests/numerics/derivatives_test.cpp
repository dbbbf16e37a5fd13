#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "numerics/curve_support.h"
#include "zelva.h"

namespace {

// Polynomial with coefficients c[0] + c[1] x + ...
double Poly(const std::vector<double>& c, double x)
{
    double v = 0.0;
    for (size_t i = c.size(); i-- > 0;) v = v * x + c[i];
    return v;
}
double PolyDerivative(const std::vector<double>& c, double x, int order)
{
    std::vector<double> d = c;
    for (int o = 0; o < order; ++o) {
        for (size_t i = 0; i + 1 < d.size(); ++i) d[i] = d[i + 1] * (i + 1.0);
        if (!d.empty()) d.pop_back();
    }
    return Poly(d, x);
}

const std::vector<double> kQuadratic = {1.0, -2.0, 0.75};
const std::vector<double> kCubic = {-3.0, 1.0, -2.0, 0.5};
const std::vector<double> kQuartic = {0.5, -1.0, 0.25, 2.0, -0.3};
const std::vector<double> kQuintic = {2.0, 0.5, -1.0, 0.25, 0.1, -0.02};

std::vector<double> gModel;
int gCalls = 0;
double gLastIndex = -1.0;
double PolyModel(double x, double index, double* xs, double*, int32_t)
{
    EXPECT_EQ(xs, nullptr);
    ++gCalls;
    gLastIndex = index;
    return Poly(gModel, x);
}

}  // namespace

// One-sided three-point ends are exact for quadratics, the five-point
// interior for quartics.
TEST(ArrayDerivatives, FirstDerivativeStencils)
{
    const double h = 0.25;
    Curve q(12, [](double t) { return Poly(kQuadratic, t); }, -1.0, h);
    std::vector<double> out(12);
    ASSERT_EQ(q.z.FeldErsteAbleitung(out.data(), h), 1);
    for (int i = 0; i < 12; ++i) EXPECT_NEAR(out[i], PolyDerivative(kQuadratic, q.x[i], 1), 1e-12) << i;

    Curve p(12, [](double t) { return Poly(kQuartic, t); }, -1.0, h);
    ASSERT_EQ(p.z.FeldErsteAbleitung(out.data(), h), 1);
    for (int i = 2; i < 10; ++i) EXPECT_NEAR(out[i], PolyDerivative(kQuartic, p.x[i], 1), 1e-11) << i;
}

// One-sided four-point ends are exact for cubics, the interior for quintics.
TEST(ArrayDerivatives, SecondDerivativeStencils)
{
    const double h = 0.5;
    Curve c(9, [](double t) { return Poly(kCubic, t); }, 0.0, h);
    std::vector<double> out(9);
    ASSERT_EQ(c.z.FeldZweiteAbleitung(out.data(), h), 1);
    for (int i = 0; i < 9; ++i) EXPECT_NEAR(out[i], PolyDerivative(kCubic, c.x[i], 2), 1e-11) << i;

    Curve p(9, [](double t) { return Poly(kQuintic, t); }, 0.0, h);
    ASSERT_EQ(p.z.FeldZweiteAbleitung(out.data(), h), 1);
    for (int i = 2; i < 7; ++i) EXPECT_NEAR(out[i], PolyDerivative(kQuintic, p.x[i], 2), 1e-10) << i;
}

TEST(ArrayDerivatives, TooFewPointsWriteNothing)
{
    for (int n : {0, 1, 2, 4}) {
        Curve c(n, [](double t) { return t; });
        std::vector<double> out(5, 42.0);
        EXPECT_EQ(c.z.FeldErsteAbleitung(out.data(), 1.0), 0);
        EXPECT_EQ(c.z.FeldZweiteAbleitung(out.data(), 1.0), 0);
        EXPECT_EQ(out, std::vector<double>(5, 42.0));
    }
    Curve big(35000, [](double t) { return std::sin(t); }, 0.0, 0.001);
    std::vector<double> out(35000);
    ASSERT_EQ(big.z.FeldErsteAbleitung(out.data(), 0.001), 1);
    EXPECT_NEAR(out[34999], std::cos(big.x[34999]), 1e-6);
    ASSERT_EQ(big.z.FeldZweiteAbleitung(out.data(), 0.001), 1);
    EXPECT_NEAR(out[20000], -std::sin(big.x[20000]), 1e-5);
}

TEST(ModelDerivatives, ExactOnPolynomials)
{
    def_zelva z;
    EXPECT_EQ(z.FuncErsteAbleitung(1.0, 0.1), -1.0);
    EXPECT_EQ(z.FuncZweiteAbleitung(1.0, 0.1), -1.0);
    EXPECT_EQ(z.FuncIntegralSimps(0.0, 1.0, 4), -1.0);
    z.SetFunction(PolyModel);
    gModel = kQuartic;
    for (double x : {-1.3, 0.0, 2.2})
        EXPECT_NEAR(z.FuncErsteAbleitung(x, 0.05), PolyDerivative(kQuartic, x, 1), 1e-10) << x;
    EXPECT_EQ(gLastIndex, 0.0);
    gModel = kQuintic;
    for (double x : {-1.3, 0.0, 2.2})
        EXPECT_NEAR(z.FuncZweiteAbleitung(x, 0.05), PolyDerivative(kQuintic, x, 2), 1e-8) << x;
}

// Simpson is exact for cubics with any number of panels.
TEST(ModelDerivatives, SimpsonExactOnCubics)
{
    def_zelva z;
    z.SetFunction(PolyModel);
    gModel = kCubic;
    auto integral = [](double x) { return -3.0 * x + 0.5 * x * x - 2.0 / 3.0 * x * x * x + 0.125 * x * x * x * x; };
    for (int n : {1, 2, 7}) {
        gCalls = 0;
        EXPECT_NEAR(z.FuncIntegralSimps(-1.0, 2.5, n), integral(2.5) - integral(-1.0), 1e-12) << n;
        EXPECT_EQ(gCalls, 2 * n + 1);
        EXPECT_EQ(gLastIndex, n - 1.0);  // b comes last, with the index n - 1
    }
    EXPECT_NEAR(z.FuncIntegralSimps(2.5, -1.0, 3), integral(-1.0) - integral(2.5), 1e-12);
    EXPECT_NEAR(z.FuncIntegralSimps(-1.0, 2.5, 0), integral(2.5) - integral(-1.0), 1e-12);
}

// The data integral takes the absolute spline value: a line through zero
// keeps both of its triangles.
TEST(DataIntegral, AbsoluteValueOfTheSpline)
{
    Curve line(21, [](double t) { return t - 1.0; }, 0.0, 0.1);
    EXPECT_NEAR(line.z.FeldIntegralSimps(0.0, 2.0), 1.0, 1e-12);
    EXPECT_NEAR(line.z.FeldIntegralSimps(1.0, 2.0), 0.5, 1e-12);
    Curve positive(11, [](double t) { return 3.0 + 2.0 * t; }, 1.0, 0.5);
    EXPECT_NEAR(positive.z.FeldIntegralSimps(1.5, 5.0), 3.0 * 3.5 + (25.0 - 2.25), 1e-10);
    // Outside the data the spline is 0.
    EXPECT_NEAR(positive.z.FeldIntegralSimps(6.5, 9.0), 0.0, 1e-15);
    for (int n : {0, 1, 2}) {
        Curve c(n, [](double) { return 1.0; }, 0.0, 1.0);
        const double v = c.z.FeldIntegralSimps(0.0, 1.0);
        EXPECT_NEAR(v, n == 2 ? 1.0 : 0.0, 1e-3) << n;
    }
}

namespace {

// Smoothing a unit impulse in the middle of a long enough curve returns the
// convolution coefficients, already shifted to the start of the arrays.
std::vector<double> ImpulseResponse(int order, int width, int m)
{
    const int n = 4 * m + 4, j0 = 2 * m + 1;
    Curve c(n, [](double) { return 0.0; }, 0.0, 1.0);
    c.y[j0] = 1.0;
    EXPECT_EQ(c.z.GolaySavitzkySmooth(1, order, width), n - 2 * m - 2);
    EXPECT_EQ(c.x[0], m + 1.0);
    return std::vector<double>(c.y.begin(), c.y.begin() + 2 * m + 1);
}

struct GolayTable {
    int order;
    int m;
    std::vector<double> half;  // coefficients for k = -m .. 0
    double norm;
};

}  // namespace

// Savitzky and Golay (1964) tables I and II with the corrections of
// Steinier, Termonia and Deltour (1972).
TEST(GolaySavitzky, CoefficientsOfThePublishedTables)
{
    const std::vector<GolayTable> tables = {
        {2, 2, {-3, 12, 17}, 35},
        {2, 3, {-2, 3, 6, 7}, 21},
        {2, 4, {-21, 14, 39, 54, 59}, 231},
        {2, 5, {-36, 9, 44, 69, 84, 89}, 429},
        {2, 6, {-11, 0, 9, 16, 21, 24, 25}, 143},
        {2, 7, {-78, -13, 42, 87, 122, 147, 162, 167}, 1105},
        {2, 12, {-253, -138, -33, 62, 147, 222, 287, 342, 387, 422, 447, 462, 467}, 5175},
        {3, 3, {5, -30, 75, 131}, 231},
        {3, 4, {15, -55, 30, 135, 179}, 429},
        {3, 5, {18, -45, -10, 60, 120, 143}, 429},
        {3, 6, {110, -198, -135, 110, 390, 600, 677}, 2431},
        {3, 7, {2145, -2860, -2937, -165, 3755, 7500, 10125, 11063}, 46189},
        {1, 2, {1, 1, 1}, 5},
        {1, 4, {1, 1, 1, 1, 1}, 9},
    };
    for (const GolayTable& t : tables) {
        const std::vector<double> got = ImpulseResponse(t.order, 2 * t.m + 1, t.m);
        for (int k = -t.m; k <= t.m; ++k) {
            const double want = t.half[t.m - std::abs(k)] / t.norm;
            EXPECT_NEAR(got[t.m + k], want, 1e-14) << "order " << t.order << " m " << t.m << " k " << k;
        }
    }
}

TEST(GolaySavitzky, WidthRulesAndPolynomials)
{
    // Width 4 is raised to 5; width 3 with order 3 becomes 5 (m = 2 both).
    EXPECT_NEAR(ImpulseResponse(2, 4, 2)[2], 17.0 / 35.0, 1e-15);
    Curve c(20, [](double t) { return Poly(kQuintic, t); }, -1.0, 0.1);
    std::vector<double> x0 = c.x;
    EXPECT_EQ(c.z.GolaySavitzkySmooth(1, 3, 3), 20 - 6);
    EXPECT_EQ(c.x[0], x0[3]);

    // Quadratic smoothing keeps cubics, quartic smoothing quintics, over
    // several passes.
    Curve cubic(40, [](double t) { return Poly(kCubic, t); }, -2.0, 0.1);
    x0 = cubic.x;
    ASSERT_EQ(cubic.z.GolaySavitzkySmooth(3, 2, 9), 40 - 10);
    for (int i = 0; i < 30; ++i) EXPECT_NEAR(cubic.y[i], Poly(kCubic, x0[i + 5]), 1e-12) << i;
    Curve quintic(40, [](double t) { return Poly(kQuintic, t); }, -2.0, 0.1);
    x0 = quintic.x;
    ASSERT_EQ(quintic.z.GolaySavitzkySmooth(2, 3, 11), 40 - 12);
    for (int i = 0; i < 28; ++i) EXPECT_NEAR(quintic.y[i], Poly(kQuintic, x0[i + 6]), 1e-12) << i;
}

TEST(GolaySavitzky, RefusesOtherOrdersAndShortCurves)
{
    Curve c(30, [](double t) { return t * t; });
    std::vector<double> y0 = c.y;
    EXPECT_EQ(c.z.GolaySavitzkySmooth(1, 4, 9), 0);
    EXPECT_EQ(c.z.GolaySavitzkySmooth(1, 0, 9), 0);
    EXPECT_EQ(c.y, y0);
    for (int n : {0, 1, 2, 6}) {
        Curve s(n, [](double t) { return t; });
        EXPECT_EQ(s.z.GolaySavitzkySmooth(1, 2, 5), 0) << n;  // needs 2m + 3 = 7 points
    }
    Curve seven(7, [](double t) { return t; });
    EXPECT_EQ(seven.z.GolaySavitzkySmooth(1, 2, 5), 1);
    EXPECT_DOUBLE_EQ(seven.y[0], 3.0);
    Curve big(35000, [](double t) { return std::sin(t); }, 0.0, 0.001);
    ASSERT_EQ(big.z.GolaySavitzkySmooth(2, 3, 25), 35000 - 26);
    EXPECT_NEAR(big.y[0], std::sin(0.013), 1e-9);
}

TEST(SectionPolynomials, ReproducesAPolynomial)
{
    int32_t degrees[1] = {3};
    Curve c(15, [](double t) { return Poly(kCubic, t); }, -1.0, 0.3);
    std::vector<double> x0 = c.x;
    ASSERT_EQ(c.z.Ausgleichspolynome(15, 1, degrees, 1.0, 1.0, nullptr), 15);
    for (int i = 0; i < 15; ++i) {
        EXPECT_EQ(c.x[i], x0[i]);
        EXPECT_NEAR(c.y[i], Poly(kCubic, x0[i]), 1e-11) << i;
    }
    // Another count: the even grid, more points than the curve had.
    int32_t five[1] = {5};
    Curve d(15, [](double t) { return Poly(kCubic, t); }, -1.0, 0.3, 50);
    ASSERT_EQ(d.z.Ausgleichspolynome(50, 1, five, 1.0, 2.0, nullptr, 50), 50);
    for (int k = 0; k < 50; ++k) {
        EXPECT_NEAR(d.x[k], -1.0 + k * 4.2 / 50, 1e-12);
        EXPECT_NEAR(d.y[k], Poly(kCubic, d.x[k]), 1e-10) << k;
    }
}

// Least squares: the weighted residuals are orthogonal to 1, x and x^2.
TEST(SectionPolynomials, WeightedResidualsAreOrthogonal)
{
    const int n = 30;
    Curve c(n, [](double t) { return std::cos(3.0 * t) + 0.1 * std::sin(37.0 * t); }, 0.0, 0.1);
    std::vector<double> x0 = c.x, y0 = c.y, w(n);
    for (int i = 0; i < n; ++i) w[i] = 0.5 + (i % 3);
    int32_t degrees[1] = {2};
    ASSERT_EQ(c.z.Ausgleichspolynome(n, 1, degrees, 1.0, 0.0, w.data()), n);
    for (int power = 0; power <= 2; ++power) {
        double s = 0.0, scale = 0.0;
        for (int i = 0; i < n; ++i) {
            s += w[i] * (y0[i] - c.y[i]) * std::pow(x0[i], power);
            scale += w[i] * std::fabs(y0[i]) * std::pow(x0[i], power);
        }
        EXPECT_NEAR(s / scale, 0.0, 1e-12) << power;
    }
}

// Two sections with no weight outside: each fits its own line exactly, the
// result is the mean of the two lines.
TEST(SectionPolynomials, SectionsAreAveraged)
{
    const int n = 20;
    const double xp = 10 * 0.5;
    Curve c(n, [xp](double t) { return t <= xp ? 2.0 + 0.5 * (t - xp) : 2.0 - 3.0 * (t - xp); }, 0.0, 0.5);
    int32_t degrees[2] = {1, 1};
    ASSERT_EQ(c.z.Ausgleichspolynome(n, 2, degrees, 0.0, 1.0, nullptr), n);
    for (int i = 0; i < n; ++i) EXPECT_NEAR(c.y[i], 2.0 - 1.25 * (c.x[i] - xp), 1e-12) << i;
}

TEST(SectionPolynomials, RefusalsAndDegreesAboveThePoints)
{
    int32_t degrees[2] = {6, 6};
    Curve c(3, [](double t) { return 1.0 + t * t; }, 0.0, 1.0, 8);
    std::vector<double> y0 = c.y;
    EXPECT_EQ(c.z.Ausgleichspolynome(4, 1, degrees, 1.0, 1.0, nullptr), 0);
    EXPECT_EQ(c.z.Ausgleichspolynome(3, 0, degrees, 1.0, 1.0, nullptr), 0);
    EXPECT_EQ(c.y, y0);
    ASSERT_EQ(c.z.Ausgleichspolynome(3, 1, degrees, 1.0, 1.0, nullptr), 3);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(c.y[i], y0[i], 1e-13);
    ASSERT_EQ(c.z.Ausgleichspolynome(8, 1, degrees, 1.0, 1.0, nullptr, 8), 8);
    EXPECT_NEAR(c.y[5], 1.0 + 1.25 * 1.25, 1e-13);
    for (int n : {1, 2}) {
        Curve s(n, [](double t) { return 4.0 - t; });
        ASSERT_EQ(s.z.Ausgleichspolynome(n, 2, degrees, 1.0, 1.0, nullptr), n);
        EXPECT_NEAR(s.y[n - 1], 4.0 - (n - 1), 1e-13);
    }
    Curve big(35000, [](double t) { return 1.0 + t; }, 0.0, 0.001);
    int32_t two[2] = {2, 2};
    ASSERT_EQ(big.z.Ausgleichspolynome(35000, 2, two, 0.1, 1.0, nullptr), 35000);
    EXPECT_NEAR(big.y[34999], 1.0 + big.x[34999], 1e-9);
}

TEST(SectionPolynomials, SkalSums)
{
    Curve c(4, [](double t) { return 2.0 * t; }, 1.0, 1.0);  // x 1..4, y 2..8
    double w[4] = {1, 2, 1, 2};
    double alpha[3] = {0.0, 2.5, 0.0}, beta[3] = {0, 0, 0};
    EXPECT_DOUBLE_EQ(c.z.skal(0, 1, w, alpha, beta), 6.0);
    EXPECT_DOUBLE_EQ(c.z.skal(0, 2, w, alpha, beta), 2 + 8 + 6 + 16);
    EXPECT_DOUBLE_EQ(c.z.skal(0, 3, w, alpha, beta), 1 + 4 + 3 + 8);
    // p1 = x - 2.5: sum of w (x - 2.5)^2.
    EXPECT_DOUBLE_EQ(c.z.skal(1, 1, w, alpha, beta), 2.25 + 0.5 + 0.25 + 4.5);
    EXPECT_EQ(c.z.skal(1, 4, w, alpha, beta), 0.0);
}

// Residuals (1, -1, -1, 1) are orthogonal to 1 and x: the line is 2 + 3x
// and the residual deviation sqrt(4 / 2).
TEST(Regression, ClosedForm)
{
    Curve c(4, [](double t) { return 2.0 + 3.0 * t; });
    const double e[4] = {1, -1, -1, 1};
    for (int i = 0; i < 4; ++i) c.y[i] += e[i];
    double out[4] = {};
    ASSERT_EQ(c.z.LineareRegression(out), 1);
    EXPECT_NEAR(out[0], 2.0, 1e-14);
    EXPECT_NEAR(out[1], 3.0, 1e-14);
    EXPECT_NEAR(out[2], std::sqrt(2.0), 1e-14);
    // r = Sxy / sqrt(Sxx Syy) with Sxx = 5, Sxy = 15, Syy = 45 + 4.
    EXPECT_NEAR(out[3], 15.0 / std::sqrt(5.0 * 49.0), 1e-14);
}

TEST(Regression, CollinearAndFarFromZero)
{
    Curve c(50, [](double t) { return 7.0 - 0.5 * (t - 1e8); }, 1e8, 0.25);
    double out[4] = {};
    ASSERT_EQ(c.z.LineareRegression(out), 1);
    EXPECT_NEAR(out[1], -0.5, 1e-12);
    EXPECT_NEAR(out[0] - 0.5e8, 7.0, 1e-4);
    EXPECT_NEAR(out[2], 0.0, 1e-6);
    EXPECT_LE(std::fabs(out[3]), 1.0);
    EXPECT_GT(std::fabs(out[3]), 1.0 - 1e-12);
}

TEST(Regression, TooFewPointsOrOneAbscissa)
{
    for (int n : {0, 1, 2}) {
        Curve c(n, [](double t) { return t; });
        double out[4] = {9, 9, 9, 9};
        EXPECT_EQ(c.z.LineareRegression(out), 0) << n;
        EXPECT_EQ(out[2], 9.0);
    }
    Curve same(5, [](double) { return 1.0; }, 3.0, 0.0);
    double out[4] = {9, 9, 9, 9};
    EXPECT_EQ(same.z.LineareRegression(out), 0);
    EXPECT_EQ(out[1], 9.0);
}

namespace {

double Gauss(double x, double height, double centre, double sigma)
{
    return height * std::exp(-(x - centre) * (x - centre) / (2.0 * sigma * sigma));
}

}  // namespace

// Noise-free Gaussians: every detection recovers the exact parameters.
TEST(PeakSearch, FindsTwoGaussiansThenNone)
{
    Curve c(1001, [](double t) { return Gauss(t, 5.0, 30.0, 2.0) + Gauss(t, 2.0, 70.3, 3.0); }, 0.0, 0.1);
    double height = 0, position = 0, fwhm = 0;
    ASSERT_EQ(c.z.PeakSearch(height, position, fwhm, 0.0, 0.0), 1);
    ASSERT_EQ(c.z.PeakSearch(height, position, fwhm, 0.0, 5.0), 1);
    EXPECT_NEAR(position, 30.0, 1e-9);
    EXPECT_NEAR(height, 5.0, 1e-9);
    EXPECT_NEAR(fwhm, 2.0 * std::sqrt(2.0 * std::log(2.0)) * 2.0, 1e-7);
    ASSERT_EQ(c.z.PeakSearch(height, position, fwhm, 0.0, 5.0), 1);
    EXPECT_NEAR(position, 70.3, 1e-9);
    EXPECT_NEAR(height, 2.0, 1e-9);
    EXPECT_NEAR(fwhm, 2.0 * std::sqrt(2.0 * std::log(2.0)) * 3.0, 1e-7);
    EXPECT_EQ(c.z.PeakSearch(height, position, fwhm, 0.0, 5.0), 0);
    EXPECT_EQ(c.z.PeakSearch(height, position, fwhm, 0.0, 5.0), 0);

    // The reset returns 1 and leaves the outputs; the search starts again.
    height = position = fwhm = -1.0;
    EXPECT_EQ(c.z.PeakSearch(height, position, fwhm, 0.0, 0.0), 1);
    EXPECT_EQ(height, -1.0);
    EXPECT_EQ(c.z.PeakSearch(height, position, fwhm, 0.0, 5.0), 1);
    EXPECT_NEAR(position, 30.0, 1e-9);
    // Above the threshold only the first peak rises.
    c.z.PeakSearch(height, position, fwhm, 0.0, 0.0);
    EXPECT_EQ(c.z.PeakSearch(height, position, fwhm, 1.5, 5.0), 1);
    EXPECT_NEAR(position, 30.0, 0.5);
    EXPECT_EQ(c.z.PeakSearch(height, position, fwhm, 1.5, 5.0), 0);
}

// A window of 2c + 1 points sees a Gaussian with the middle highest about c
// times: three detections (c = 3, centre on a point) are ignored, four
// (c = 4, centre between points) accepted.
TEST(PeakSearch, RunsOfThreeAreIgnored)
{
    double height = 0, position = 0, fwhm = 0;
    Curve onPoint(101, [](double t) { return Gauss(t, 1.0, 50.0, 3.0); });
    onPoint.z.PeakSearch(height, position, fwhm, 0.0, 0.0);
    EXPECT_EQ(onPoint.z.PeakSearch(height, position, fwhm, 0.0, 6.0), 0);
    EXPECT_EQ(height, 0.0);

    Curve between(101, [](double t) { return Gauss(t, 1.0, 50.5, 3.0); });
    between.z.PeakSearch(height, position, fwhm, 0.0, 0.0);
    ASSERT_EQ(between.z.PeakSearch(height, position, fwhm, 0.0, 8.0), 1);
    EXPECT_NEAR(position, 50.5, 1e-9);

    // Twice the expected width or more: six detections, not accepted, but
    // the outputs keep what the run found.
    Curve fine(401, [](double t) { return Gauss(t, 1.0, 50.125, 3.0); }, 0.0, 0.25);
    fine.z.PeakSearch(height, position, fwhm, 0.0, 0.0);
    height = position = fwhm = 0.0;
    EXPECT_EQ(fine.z.PeakSearch(height, position, fwhm, 0.0, 3.0), 0);
    EXPECT_NEAR(position, 50.125, 1e-9);
    EXPECT_NEAR(fwhm, 2.35482005 * 3.0, 1e-7);
}

TEST(PeakSearch, ShortAndLongCurves)
{
    double height = 0, position = 0, fwhm = 0;
    for (int n : {0, 1, 2}) {
        Curve c(n, [](double) { return 1.0; });
        c.z.PeakSearch(height, position, fwhm, 0.0, 0.0);
        EXPECT_EQ(c.z.PeakSearch(height, position, fwhm, 0.1, 2.0), 0) << n;
    }
    Curve flat(10, [](double) { return 1.0; }, 0.0, 0.0);
    EXPECT_EQ(flat.z.PeakSearch(height, position, fwhm, 0.1, 2.0), 0);
    Curve big(35000, [](double t) { return Gauss(t, 3.0, 1234.5, 4.0) + 0.01; }, 0.0, 0.1);
    big.z.PeakSearch(height, position, fwhm, 0.0, 0.0);
    ASSERT_EQ(big.z.PeakSearch(height, position, fwhm, 0.01, 10.0), 1);
    EXPECT_NEAR(position, 1234.5, 1e-6);
    EXPECT_EQ(big.z.PeakSearch(height, position, fwhm, 0.01, 10.0), 0);
}
