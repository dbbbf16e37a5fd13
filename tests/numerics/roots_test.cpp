#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "zelva.h"

namespace {

const double PI = 3.14159265358979323846;

double Cubic(double x, double, double*, double*, int32_t) { return x * x * x - 2.0; }
double Sine(double x, double, double*, double*, int32_t) { return std::sin(x); }
double Line(double x, double, double*, double*, int32_t) { return x - 3.0; }
double Positive(double x, double, double*, double*, int32_t) { return 1.0 + x * x; }

// Accuracy of the method: tol1 = 2 * 3e-8 |b| + tol / 2.
const double BRENT_EPS = 3e-8;

}  // namespace

TEST(BrentNullstelle, RootsOfTheModel)
{
    def_zelva z;
    double root = 0.0;
    z.SetFunction(Cubic);
    EXPECT_EQ(z.BrentNullstelle(0.0, 3.0, 1e-12, root, 1, 0), 1);
    EXPECT_NEAR(root, std::cbrt(2.0), 4 * BRENT_EPS * std::cbrt(2.0));

    z.SetFunction(Sine);
    EXPECT_EQ(z.BrentNullstelle(3.0, 3.3, 1e-12, root, 1, 0), 1);
    EXPECT_NEAR(root, PI, 4 * BRENT_EPS * PI);

    // A root exactly at either end of the interval.
    z.SetFunction(Line);
    EXPECT_EQ(z.BrentNullstelle(3.0, 5.0, 1e-10, root, 1, 0), 1);
    EXPECT_EQ(root, 3.0);
    EXPECT_EQ(z.BrentNullstelle(1.0, 3.0, 1e-10, root, 1, 0), 1);
    EXPECT_EQ(root, 3.0);

    // No sign change: not converged.
    z.SetFunction(Positive);
    EXPECT_EQ(z.BrentNullstelle(-1.0, 2.0, 1e-10, root, 1, 0), 0);
}

namespace {

int g_calls = 0;
double Jump(double x, double, double*, double*, int32_t)
{
    ++g_calls;
    return x < 0.3 ? -1.0 : 1.0;
}

}  // namespace

// At a jump |f| never falls: the search ends when the bracket has closed
// to the tolerance, not at the iteration limit.
TEST(BrentNullstelle, JumpEndsWhenTheBracketHasClosed)
{
    def_zelva z;
    z.SetFunction(Jump);
    for (double tol : {1e-6, 1e-10}) {
        double root = 0.0;
        g_calls = 0;
        EXPECT_EQ(z.BrentNullstelle(0.0, 1.0, tol, root, 1, 0), 1) << tol;
        EXPECT_NEAR(root, 0.3, tol + 4 * BRENT_EPS) << tol;
        EXPECT_LT(g_calls, 100) << tol;
    }
}

TEST(BrentNullstelle, RootsOfTheCurve)
{
    def_zelva z;
    std::vector<double> x, y;
    for (int i = 0; i <= 40; ++i) {
        x.push_back(0.1 * i);
        y.push_back(x.back() * x.back() - 2.0);
    }
    z.SetField(x.data(), y.data());
    z.SetAnzahl(static_cast<int32_t>(x.size()), -1, -1);
    double root = 0.0;
    // Straight lines between the points: the chord's zero between 1.4 and 1.5.
    EXPECT_EQ(z.BrentNullstelle(1.0, 2.0, 1e-12, root, 0, 0), 1);
    const double chord = 1.4 + (2.0 - 1.96) / (2.25 - 1.96) * 0.1;
    EXPECT_NEAR(root, chord, 1e-7);
    // The cubic spline follows the parabola much more closely.
    EXPECT_EQ(z.BrentNullstelle(1.0, 2.0, 1e-12, root, 0, 1), 1);
    EXPECT_LT(std::fabs(root - std::sqrt(2.0)), 0.1 * std::fabs(chord - std::sqrt(2.0)));
}

TEST(BrentAlleNullstellenFunc, FindsEverySignChange)
{
    def_zelva z;
    z.SetFunction(Sine);
    double roots[10];
    int32_t count = -1;
    double tol = 1e-12;
    z.BrentAlleNullstellenFunc(0.5, 10.0, 0.5, tol, count, roots);
    ASSERT_EQ(count, 3);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(roots[k], (k + 1) * PI, 1e-6);
    EXPECT_EQ(tol, 1e-12);

    // 3 pi lies in the last, shortened step from 8.5 to 9.45.
    z.BrentAlleNullstellenFunc(0.5, 9.45, 1.0, tol, count, roots);
    ASSERT_EQ(count, 3);
    EXPECT_NEAR(roots[2], 3 * PI, 1e-6);

    // A zero at a is not reported; one at b is.
    z.BrentAlleNullstellenFunc(0.0, 4.0, 0.5, tol, count, roots);
    ASSERT_EQ(count, 1);
    EXPECT_NEAR(roots[0], PI, 1e-6);
    z.SetFunction(Line);
    z.BrentAlleNullstellenFunc(0.5, 3.0, 1.0, tol, count, roots);
    ASSERT_EQ(count, 1);
    EXPECT_EQ(roots[0], 3.0);
}

TEST(BrentAlleNullstellenFunc, StepAndCapacity)
{
    def_zelva z;
    z.SetFunction(Sine);
    double roots[3] = {-1.0, -1.0, -1.0};
    int32_t count = -1;
    for (double step : {0.0, -0.1, std::nan("")}) {
        double tol = 1e-10;
        z.BrentAlleNullstellenFunc(0.5, 10.0, step, tol, count, roots);  // must end
        EXPECT_EQ(count, 0);
        EXPECT_EQ(tol, 0.0);
    }
    z.SetArrayCapacity(2);
    double tol = 1e-10;
    z.BrentAlleNullstellenFunc(0.5, 30.0, 0.25, tol, count, roots);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(roots[2], -1.0);
}

TEST(BrentAlleNullstellenFeld, FindsSignChangesOfTheCurve)
{
    def_zelva z;
    std::vector<double> x, y;
    for (int i = 0; i <= 100; ++i) {
        x.push_back(0.1 * i);
        y.push_back(std::sin(x.back()));
    }
    z.SetField(x.data(), y.data());
    z.SetAnzahl(101, -1, -1);
    std::vector<double> roots(10, 0.0);
    int32_t count = 0;
    double tol = 1e-12;
    // 3 pi = 9.4248 lies between the last two points of the range.
    EXPECT_EQ(z.BrentAlleNullstellenFeld(0.5, 9.45, tol, count, roots.data(), 1, 0), 1);
    ASSERT_EQ(count, 3);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(roots[k], (k + 1) * PI, 1e-5);

    count = 0;
    EXPECT_EQ(z.BrentAlleNullstellenFeld(0.5, 9.45, tol, count, roots.data(), 1, 2), 1);
    EXPECT_EQ(count, 2);

    EXPECT_EQ(z.BrentAlleNullstellenFeld(3.0, 3.0, tol, count, roots.data(), 1, 0), 0);
    EXPECT_EQ(count, 0);
}

// The scan starts one point lower when a lies in the lower half of its
// interval: the sign change of that interval counts, even below a.
TEST(BrentAlleNullstellenFeld, StartMovesDownFromTheLowerHalf)
{
    def_zelva z;
    std::vector<double> x, y;
    for (int i = 0; i <= 10; ++i) {
        x.push_back(i);
        y.push_back(i - 4.2);
    }
    z.SetField(x.data(), y.data());
    z.SetAnzahl(11, -1, -1);
    struct Case { double a; int32_t count; };
    for (const Case c : {Case{4.3, 1}, Case{4.49, 1}, Case{4.7, 0}, Case{3.9, 1}}) {
        double roots[4] = {};
        int32_t count = -1;
        double tol = 1e-12;
        EXPECT_EQ(z.BrentAlleNullstellenFeld(c.a, 9.0, tol, count, roots, 0, 0), 1) << c.a;
        ASSERT_EQ(count, c.count) << c.a;
        if (count) {
            EXPECT_NEAR(roots[0], 4.2, 1e-9) << c.a;
        }
    }
}

TEST(BrentAlleNullstellenFeld, SignChangeBetweenTheLastTwoPoints)
{
    def_zelva z;
    std::vector<double> x, y;
    for (int i = 0; i <= 100; ++i) {
        x.push_back(0.1 * i);
        y.push_back(x.back() - 9.95);
    }
    z.SetField(x.data(), y.data());
    z.SetAnzahl(101, -1, -1);
    double roots[4];
    int32_t count = 0;
    double tol = 1e-12;
    EXPECT_EQ(z.BrentAlleNullstellenFeld(0.0, 10.0, tol, count, roots, 0, 0), 1);
    ASSERT_EQ(count, 1);
    EXPECT_NEAR(roots[0], 9.95, 1e-9);
}

TEST(BrentAlleNullstellenFeld, NoMoreRootsThanTheCapacity)
{
    def_zelva z;
    std::vector<double> x, y;
    for (int i = 0; i <= 1000; ++i) {
        x.push_back(0.1 * i);
        y.push_back(std::sin(x.back()));
    }
    z.SetField(x.data(), y.data());
    z.SetAnzahl(1001, -1, -1);
    z.SetArrayCapacity(5);
    std::vector<double> roots(5);  // exactly the capacity: ASan watches the end
    int32_t count = 0;
    double tol = 1e-10;
    EXPECT_EQ(z.BrentAlleNullstellenFeld(0.5, 99.0, tol, count, roots.data(), 0, 0), 1);
    EXPECT_EQ(count, 5);
}

TEST(VoigtIntegral, MatchesTheClosedFormAtTheCentre)
{
    // At X = 0 the integral is pi erfcx(Y) / Y, erfcx(Y) = exp(Y^2) erfc(Y).
    def_zelva z;
    const double sqrtLn2 = std::sqrt(std::log(2.0));
    for (double Y = 0.01; Y <= 10.0 * 1.0001; Y *= std::pow(10.0, 0.25)) {
        const double G = 1.3;
        const double L = Y * G / sqrtLn2;
        const double expected = PI * std::exp(Y * Y) * std::erfc(Y) / Y;
        EXPECT_NEAR(z.VoigtIntegral(4.0, 0.0, 4.0, L, G) / expected, 1.0, 1e-6) << Y;
    }
}

namespace {

// The defining integral by Simpson's rule with steps far below the
// Lorentzian width.
double VoigtByQuadrature(double X, double Y)
{
    const double h = std::min(Y, 1.0) / 200.0;
    const double a = X - 60.0 * std::max(Y, 1.0) - 10.0, b = X + 60.0 * std::max(Y, 1.0) + 10.0;
    const int n = 2 * static_cast<int>((b - a) / (2 * h));
    const double step = (b - a) / n;
    auto f = [&](double t) { return std::exp(-t * t) / (Y * Y + (X - t) * (X - t)); };
    double sum = f(a) + f(b);
    for (int i = 1; i < n; ++i) sum += f(a + i * step) * (i % 2 ? 4.0 : 2.0);
    // The Lorentzian tails beyond the range: integral of exp(-t^2) there is 0.
    return sum * step / 3.0;
}

}  // namespace

TEST(VoigtIntegral, MatchesTheDefiningIntegralForNarrowAndWideLorentzians)
{
    def_zelva z;
    const double sqrtLn2 = std::sqrt(std::log(2.0));
    struct Case { double X, Y; };
    for (const Case c : {Case{0.7, 0.02}, Case{1.5, 0.1}, Case{3.0, 0.05}, Case{0.3, 1.0},
                         Case{6.0, 0.5}, Case{12.0, 3.0}, Case{2.0, 8.0}}) {
        const double G = 2.0;
        const double L = c.Y * G / sqrtLn2;
        const double x = c.X * G / (2.0 * sqrtLn2) + 1.0;
        EXPECT_NEAR(z.VoigtIntegral(x, 0.0, 1.0, L, G) / VoigtByQuadrature(c.X, c.Y), 1.0, 1e-7)
            << c.X << " " << c.Y;
    }
}

TEST(VoigtIntegral, LimitsOfTheWidths)
{
    def_zelva z;
    // Vanishing Lorentzian: pi / Y times the Gaussian exp(-X^2).
    const double sqrtLn2 = std::sqrt(std::log(2.0));
    const double Y = 1e-9, X = 1.3;
    const double v = z.VoigtIntegral(X / (2 * sqrtLn2), 0.0, 0.0, Y / sqrtLn2, 1.0);
    EXPECT_NEAR(v * Y / PI, std::exp(-X * X), 1e-7);
    // Vanishing Gaussian: the integral goes to 0 like
    // sqrt(pi) / (X^2 + Y^2) = sqrt(pi) G^2 / (ln 2 (4 (x - centre)^2 + L^2)).
    EXPECT_EQ(z.VoigtIntegral(1.0, 0.0, 0.0, 0.5, 0.0), 0.0);
    const double small = z.VoigtIntegral(1.0, 0.0, 0.0, 0.5, 1e-6);
    EXPECT_NEAR(small / (std::sqrt(PI) * 1e-12 / (std::log(2.0) * (4.0 + 0.25))), 1.0, 1e-6);
}

TEST(Betai, PercentagePointsOfTheFDistribution)
{
    // Upper tail Q(F; d1, d2) = I_{d2 / (d2 + d1 F)}(d2 / 2, d1 / 2) at the
    // published 5 % and 1 % points.
    def_zelva z;
    struct Point { double d1, d2, f, q; };
    for (const Point p : {Point{1, 1, 161.4476, 0.05}, Point{2, 10, 4.1028, 0.05},
                          Point{5, 10, 3.3258, 0.05}, Point{10, 20, 2.3479, 0.05},
                          Point{4, 30, 2.6896, 0.05}, Point{3, 60, 2.7581, 0.05},
                          Point{1, 10, 10.0443, 0.01}, Point{5, 20, 4.1027, 0.01},
                          Point{10, 10, 4.8491, 0.01}}) {
        const double q = z.betai(p.d2 / 2, p.d1 / 2, p.d2 / (p.d2 + p.d1 * p.f));
        EXPECT_NEAR(q, p.q, 2e-5 + 1e-3 * p.q) << p.d1 << " " << p.d2;
    }
}

TEST(Betai, ClosedFormsAndEdges)
{
    def_zelva z;
    for (double x : {0.05, 0.3, 0.5, 0.77, 0.99}) {
        EXPECT_NEAR(z.betai(2.5, 1.0, x), std::pow(x, 2.5), 1e-7) << x;
        EXPECT_NEAR(z.betai(1.0, 3.5, x), 1.0 - std::pow(1.0 - x, 3.5), 1e-7) << x;
        EXPECT_NEAR(z.betai(4.0, 7.0, x) + z.betai(7.0, 4.0, 1.0 - x), 1.0, 1e-7) << x;
    }
    EXPECT_EQ(z.betai(2.0, 3.0, 0.0), 0.0);
    EXPECT_EQ(z.betai(2.0, 3.0, 1.0), 1.0);
    EXPECT_EQ(z.betai(2.0, 3.0, 1.5), -1.0);
    EXPECT_EQ(z.betai(2.0, 3.0, -0.1), -1.0);
    EXPECT_EQ(z.betai(0.0, 3.0, 0.5), -1.0);
}

TEST(Avevar, MeanAndSampleVariance)
{
    def_zelva z;
    double data[3] = {1.0, 2.0, 3.0};
    double mean = 0.0, variance = 0.0;
    EXPECT_EQ(z.avevar(data, 3, mean, variance), 1.0);
    EXPECT_EQ(mean, 2.0);
    EXPECT_EQ(variance, 1.0);
    EXPECT_EQ(z.avevar(data, 1, mean, variance), 0.0);
    EXPECT_EQ(mean, 1.0);
    EXPECT_TRUE(std::isfinite(variance));
}
