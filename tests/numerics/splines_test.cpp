#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "numerics/curve_support.h"
#include "zelva.h"

namespace {

double Cubic(double t) { return 0.5 * t * t * t - 2.0 * t * t + t - 3.0; }
double CubicSlope(double t) { return 1.5 * t * t - 4.0 * t + 1.0; }

}  // namespace

// Natural spline through (0,0), (1,1), (2,0): y2[1] = -3 by hand, so the
// value at 0.5 is 0.5 + 3 * 0.375 / 6.
TEST(NaturalSpline, SmallCaseByHand)
{
    Curve c({0.0, 1.0, 2.0}, {0.0, 1.0, 0.0});
    std::vector<double> y2(3, 99.0);
    c.z.spline(y2.data());
    EXPECT_DOUBLE_EQ(y2[0], 0.0);
    EXPECT_DOUBLE_EQ(y2[1], -3.0);
    EXPECT_DOUBLE_EQ(y2[2], 0.0);
    EXPECT_DOUBLE_EQ(c.z.helpsplint(0.5, y2.data()), 0.6875);
    EXPECT_DOUBLE_EQ(c.z.helpsplint(1.5, y2.data()), 0.6875);
    EXPECT_DOUBLE_EQ(c.z.helpsplint(1.0, y2.data()), 1.0);
    // Without second derivatives: the polygon.
    EXPECT_DOUBLE_EQ(c.z.helpsplint(0.25, nullptr), 0.25);
    EXPECT_DOUBLE_EQ(c.z.helpsplint(1.75, nullptr), 0.25);
}

TEST(NaturalSpline, RangeToleranceAtTheEnds)
{
    Curve c(11, [](double t) { return 2.0 * t - 150.0; }, 100.0, 1.0);
    // Within 1e-4 * |x| of the first point the end interval extends.
    EXPECT_NEAR(c.z.helpsplint(99.995, nullptr), 2.0 * 99.995 - 150.0, 1e-12);
    EXPECT_EQ(c.z.helpsplint(99.98, nullptr), 0.0);
    EXPECT_NEAR(c.z.helpsplint(110.01, nullptr), 2.0 * 110.01 - 150.0, 1e-12);
    EXPECT_EQ(c.z.helpsplint(110.02, nullptr), 0.0);
}

// The bracket is shared by all objects: a long curve leaves it near its end,
// a shorter curve must not use it past its own last point.
TEST(NaturalSpline, BracketAcrossCurvesOfDifferentLength)
{
    auto line = [](double t) { return 3.0 * t + 1.0; };
    Curve longer(10, line);
    Curve shorter(9, line);
    Curve tiny(2, line);
    std::vector<double> y2long(10), y2short(9), y2tiny(2);
    longer.z.spline(y2long.data());
    shorter.z.spline(y2short.data());
    tiny.z.spline(y2tiny.data());

    EXPECT_NEAR(longer.z.helpsplint(8.5, y2long.data()), line(8.5), 1e-12);
    EXPECT_NEAR(shorter.z.helpsplint(7.5, y2short.data()), line(7.5), 1e-12);
    EXPECT_NEAR(longer.z.helpsplint(8.6, y2long.data()), line(8.6), 1e-12);
    // Just past the last point of the short curve (inside the tolerance).
    EXPECT_NEAR(shorter.z.helpsplint(8.0005, y2short.data()), line(8.0005), 1e-12);
    EXPECT_NEAR(tiny.z.helpsplint(0.5, y2tiny.data()), line(0.5), 1e-12);
    EXPECT_NEAR(longer.z.helpsplint(2.5, nullptr), line(2.5), 1e-12);
    // A rising sequence walks the bracket upwards.
    for (double t = 0.05; t < 9.0; t += 0.1)
        EXPECT_NEAR(longer.z.helpsplint(t, y2long.data()), line(t), 1e-12) << t;
}

TEST(NaturalSpline, TinyCurves)
{
    Curve none(0, Cubic);
    Curve one(1, [](double) { return 4.0; }, 2.0);
    double y2[8] = {};
    double xs[2] = {2.0, 3.0}, ys[2] = {-1.0, -1.0};
    none.z.spline(y2);
    EXPECT_EQ(none.z.helpsplint(1.0, y2), 0.0);
    none.z.Splint(2, xs, ys);
    EXPECT_EQ(ys[0], 0.0);
    one.z.Splint(2, xs, ys);
    EXPECT_EQ(ys[0], 4.0);
    EXPECT_EQ(ys[1], 0.0);
    ys[0] = -1.0;
    one.z.Splint(0, xs, ys);
    EXPECT_EQ(ys[0], -1.0);
}

// Each value comes from the polynomial through the 6 points around it (all
// points when there are fewer): exact for every polynomial of degree below
// min(n, 6), on the whole new grid including the last half-interval.
TEST(Polint, ExactOnPolynomialsOfLowerDegree)
{
    for (int n = 2; n <= 12; ++n) {
        for (int degree = 0; degree < std::min(n, 6); ++degree) {
            auto f = [degree](double t) {
                double v = 1.0;
                for (int i = 0; i < degree; ++i) v = v * (t - 0.3 * i) + 0.5;
                return v;
            };
            const int count = 5 * (n - 1);
            Curve c(n, f, -1.0, 1.0, count);
            ASSERT_EQ(c.z.Polint(count, count), count);
            for (int k = 0; k < count; ++k) {
                const double X = -1.0 + k * (n - 1.0) / count;
                EXPECT_NEAR(c.x[k], X, 1e-12);
                EXPECT_NEAR(c.y[k], f(X), 1e-9 * (1.0 + std::fabs(f(X))))
                    << "n " << n << " degree " << degree << " X " << X;
            }
        }
    }
}

// One polynomial through all points swings between them without bound (an
// arctan edge of 100 points gave 5e15); the local one follows the edge, and
// a point changes only the values of the intervals next to it.
TEST(Polint, FollowsAnEdgeAndStaysLocal)
{
    auto edge = [](double t) { return std::atan(3.0 * t); };
    for (int n : {10, 50, 100, 500}) {
        const int count = 3 * n;
        Curve c(n, edge, -5.0, 10.0 / (n - 1), count);
        ASSERT_EQ(c.z.Polint(count, count), count);
        double err = 0.0;
        for (int k = 0; k < count; ++k) err = std::max(err, std::fabs(c.y[k] - edge(c.x[k])));
        EXPECT_LT(err, n == 10 ? 0.2 : 20.0 / (n * n)) << n;  // 10 points: 0.13
    }
    const int n = 40, count = 3 * n;
    Curve a(n, edge, -5.0, 0.25, count), b(n, edge, -5.0, 0.25, count);
    b.y[0] += 1.0;  // shifts only the values from the first 3 intervals
    ASSERT_EQ(a.z.Polint(count, count), count);
    ASSERT_EQ(b.z.Polint(count, count), count);
    for (int k = 0; k < count; ++k) {
        if (a.x[k] < -5.0 + 3 * 0.25 - 1e-9)
            EXPECT_NE(a.y[k], b.y[k]) << k;
        else
            EXPECT_EQ(a.y[k], b.y[k]) << k;
    }
}

// The program's longest curve: 35,000 points onto 35,000 in moments (one
// polynomial through all of them would take hours and end in NaN).
TEST(Polint, LongestCurve)
{
    const int n = 35000;
    auto f = [](double t) { return std::sin(t) + 0.1 * t; };
    Curve c(n, f, 0.0, 1e-3, n);
    ASSERT_EQ(c.z.Polint(n, n), n);
    double err = 0.0;
    for (int k = 0; k < n; ++k) {
        ASSERT_NEAR(c.x[k], k * (n - 1) * 1e-3 / n, 1e-9);
        err = std::max(err, std::fabs(c.y[k] - f(c.x[k])));
    }
    EXPECT_LT(err, 1e-13);
}

TEST(Polint, CubeOverSixPoints)
{
    Curve c(6, [](double t) { return t * t * t; }, 0.0, 1.0, 25);
    ASSERT_EQ(c.z.Polint(25, 25), 25);
    EXPECT_NEAR(c.x[23], 4.6, 1e-12);
    EXPECT_NEAR(c.y[23], 97.336, 1e-9);
    EXPECT_NEAR(c.y[24], 4.8 * 4.8 * 4.8, 1e-9);
}

TEST(Polint, SameCountAndCapacity)
{
    Curve c(5, [](double t) { return t * t; }, 1.0, 2.0);
    std::vector<double> before = c.y;
    // Default capacity: the registered count.
    EXPECT_EQ(c.z.Polint(6), 0);
    EXPECT_EQ(c.z.Polint(0), 0);
    EXPECT_EQ(c.y, before);
    ASSERT_EQ(c.z.Polint(5), 5);
    EXPECT_EQ(c.x[0], 1.0);
    EXPECT_NEAR(c.x[1], 1.0 + 8.0 / 5.0, 1e-12);
    EXPECT_NEAR(c.y[4], std::pow(1.0 + 4 * 8.0 / 5.0, 2), 1e-9);
}

TEST(Polint, FewPointsManyOutputs)
{
    Curve none(0, Cubic, 0.0, 1.0, 4);
    EXPECT_EQ(none.z.Polint(2, 4), 0);
    Curve one(1, [](double) { return 7.0; }, 3.0, 1.0, 3);
    ASSERT_EQ(one.z.Polint(3, 3), 3);
    EXPECT_EQ(one.y[2], 7.0);
    EXPECT_EQ(one.x[2], 3.0);
    const int count = 35000;
    Curve many(4, Cubic, 0.0, 1.0, count);
    ASSERT_EQ(many.z.Polint(count, count), count);
    EXPECT_NEAR(many.y[count - 1], Cubic(many.x[count - 1]), 1e-9);
}

// The order-2 curve is the polygon: at integer parameters the data points.
TEST(BSpline, OrderTwoIsThePolygon)
{
    Curve c({0.0, 1.0, 3.0, 4.0, 7.0}, {2.0, -1.0, 5.0, 0.5, 1.0});
    std::vector<double> x0 = c.x, y0 = c.y;
    ASSERT_EQ(c.z.BSpline(4, 2), 4);
    for (int k = 0; k < 4; ++k) {
        EXPECT_NEAR(c.x[k], x0[k], 1e-14);
        EXPECT_NEAR(c.y[k], y0[k], 1e-14);
    }
}

// Uniform cubic B-spline away from the ends: at a knot the point is
// (P[m] + 4 P[m+1] + P[m+2]) / 6.
TEST(BSpline, CubicInteriorIsTheUniformBSpline)
{
    const int n = 12;
    Curve c(n, [](double t) { return std::sin(t) * 3.0; }, 0.0, 0.7);
    std::vector<double> x0 = c.x, y0 = c.y;
    ASSERT_EQ(c.z.BSpline(n - 3, 4), n - 3);  // parameter step 1
    for (int m = 3; m <= n - 7; ++m) {
        EXPECT_NEAR(c.y[m], (y0[m] + 4.0 * y0[m + 1] + y0[m + 2]) / 6.0, 1e-13) << m;
        EXPECT_NEAR(c.x[m], (x0[m] + 4.0 * x0[m + 1] + x0[m + 2]) / 6.0, 1e-13) << m;
    }
    EXPECT_EQ(c.y[0], y0[0]);  // clamped start
}

// A constant stays constant up to the last sample: nothing of the zeros
// behind the data may enter the last span.
TEST(BSpline, ConstantStaysConstantWithZeroTail)
{
    for (int order = 1; order <= 6; ++order) {
        for (int count : {1, 2, 7, 40}) {
            const int n = 8;
            Curve c(n, [](double) { return 2.5; }, 10.0, 0.5, 64);
            ASSERT_EQ(c.z.BSpline(count, order, 64), count) << order;
            for (int k = 0; k < count; ++k) {
                EXPECT_NEAR(c.y[k], 2.5, 1e-13) << "order " << order << " k " << k;
                EXPECT_GE(c.x[k], 10.0 - 1e-12);
                EXPECT_LE(c.x[k], 13.5 + 1e-12);
            }
        }
    }
}

TEST(BSpline, RefusesWhatItCannotDo)
{
    Curve c(5, Cubic);
    std::vector<double> y0 = c.y;
    EXPECT_EQ(c.z.BSpline(6, 3), 0);     // beyond the arrays
    EXPECT_EQ(c.z.BSpline(3, 6), 0);     // order above the point count
    EXPECT_EQ(c.z.BSpline(3, 0), 0);
    EXPECT_EQ(c.z.BSpline(0, 3), 0);
    EXPECT_EQ(c.y, y0);
    Curve big(35000, [](double t) { return 1.0 - 0.5 * t; }, 0.0, 0.001);
    ASSERT_EQ(big.z.BSpline(35000, 4), 35000);
    for (int k = 1; k < 35000; ++k) ASSERT_GT(big.x[k], big.x[k - 1]);
}

// Partition of unity; the repeated end knots give zero-width quotients.
TEST(BSpline, BasisSumsToOne)
{
    def_zelva z;
    z.SetAnzahl(6, -1, -1);
    int32_t knots[10] = {0, 0, 0, 1, 2, 3, 4, 4, 4, 4};  // order 3, six points
    double basis[12];
    EXPECT_EQ(z.BVektor(0.0, 3, basis, knots), 2);
    EXPECT_DOUBLE_EQ(basis[0], 1.0);
    for (double t : {0.0, 0.3, 1.0, 1.7, 2.5, 3.99}) {
        const int end = z.BVektor(t, 3, basis, knots);
        double sum = 0.0;
        for (int j = end - 2; j <= end; ++j) {
            EXPECT_GE(basis[j], 0.0);
            sum += basis[j];
        }
        EXPECT_NEAR(sum, 1.0, 1e-14) << t;
        EXPECT_LE(end, 5);
    }
}

// Not-a-knot and clamped (with the true end slopes) reproduce a cubic
// exactly on uneven spacing; outside the points the result is 0.
TEST(CubicSpline, ExactOnCubics)
{
    std::vector<double> xs = {0.0, 0.7, 1.5, 1.9, 3.0, 4.2, 5.0};
    for (int points = 3; points <= 7; ++points) {
        for (int mode : {0, 1}) {
            if (mode == 0 && points == 3) continue;  // a parabola, not a cubic
            std::vector<double> x(xs.begin(), xs.begin() + points), y;
            for (double t : x) y.push_back(Cubic(t));
            Curve c(x, y);
            std::vector<double> at, out;
            for (double t = -0.5; t <= x.back() + 0.5; t += 0.05) at.push_back(t);
            out.assign(at.size(), 99.0);
            EXPECT_EQ(c.z.CubicSpline(static_cast<int32_t>(at.size()), at.data(), out.data(), mode,
                                      CubicSlope(x.front()), CubicSlope(x.back())),
                      0);
            for (size_t k = 0; k < at.size(); ++k) {
                const double want = (at[k] < 0.0 || at[k] > x.back()) ? 0.0 : Cubic(at[k]);
                EXPECT_NEAR(out[k], want, 1e-11) << "points " << points << " mode " << mode << " at " << at[k];
            }
        }
    }
}

TEST(CubicSpline, FewPoints)
{
    // Three points, not-a-knot: the parabola through them.
    auto parabola = [](double t) { return 2.0 * t * t - t + 1.0; };
    Curve three({0.0, 1.0, 3.0}, {parabola(0.0), parabola(1.0), parabola(3.0)});
    double at[3] = {0.5, 2.0, 3.0}, out[3];
    three.z.CubicSpline(3, at, out, 0, 0.0, 0.0);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(out[k], parabola(at[k]), 1e-12);
    // Two points with slopes: the Hermite cubic, exact on a cubic.
    Curve two({1.0, 2.5}, {Cubic(1.0), Cubic(2.5)});
    two.z.CubicSpline(3, at, out, 1, CubicSlope(1.0), CubicSlope(2.5));
    EXPECT_EQ(out[0], 0.0);
    EXPECT_NEAR(out[1], Cubic(2.0), 1e-12);
    // Natural end conditions on a line: the line.
    Curve line({0.0, 1.0, 2.0, 3.0}, {1.0, 3.0, 5.0, 7.0});
    line.z.CubicSpline(3, at, out, 2, 0.0, 0.0);
    EXPECT_NEAR(out[1], 5.0, 1e-12);
    Curve one({2.0}, {4.0});
    one.z.CubicSpline(3, at, out, 0, 0.0, 0.0);
    EXPECT_EQ(out[0], 0.0);
    EXPECT_EQ(out[1], 4.0);
}

TEST(Tridiag, SolvesAgainstTheMatrix)
{
    def_zelva z;
    const int n = 7;
    double sub[n], diag[n], sup[n], rhs[n];
    double a[n][3];
    for (int i = 0; i < n; ++i) {
        sub[i] = a[i][0] = 0.5 + 0.1 * i;
        diag[i] = a[i][1] = 4.0 - 0.2 * i;
        sup[i] = a[i][2] = -1.0 + 0.3 * i;
        rhs[i] = std::cos(i);
    }
    std::vector<double> b(rhs, rhs + n);
    EXPECT_EQ(z.tridiag(n, sub, diag, sup, rhs), 1);
    for (int i = 0; i < n; ++i) {
        double row = a[i][1] * rhs[i];
        if (i > 0) row += a[i][0] * rhs[i - 1];
        if (i < n - 1) row += a[i][2] * rhs[i + 1];
        EXPECT_NEAR(row, b[i], 1e-13);
    }
}

// A straight line has no curvature to smooth away: value and derivatives
// stay those of the line for any smoothing.
TEST(SmoothingSpline, StraightLineForAnySmoothing)
{
    for (double smoothing : {0.0, 0.1, 100.0}) {
        for (int derivative = 0; derivative <= 3; ++derivative) {
            const int n = 23, count = 40;
            Curve c(n, [](double t) { return -1.5 * t + 4.0; }, 2.0, 0.25, count);
            ASSERT_EQ(c.z.Ausgleichsspline(count, smoothing, derivative, nullptr, count), count);
            const double want[4] = {0.0, -1.5, 0.0, 0.0};
            for (int k = 0; k < count; ++k) {
                const double X = 2.0 + k * 5.5 / count;
                EXPECT_NEAR(c.x[k], X, 1e-12);
                const double w = derivative == 0 ? -1.5 * X + 4.0 : want[derivative];
                EXPECT_NEAR(c.y[k], w, 1e-10) << smoothing << " " << derivative << " " << k;
            }
        }
    }
}

// The two limits: heavy data weight gives the interpolating natural
// spline, a light one the least-squares line.
TEST(SmoothingSpline, LimitsAreInterpolationAndRegression)
{
    std::vector<double> x = {0.0, 0.5, 1.1, 1.5, 2.0, 2.6, 3.0, 3.4, 4.1, 4.5};
    std::vector<double> y;
    for (double t : x) y.push_back(std::sin(2.0 * t) + 0.3 * t);
    const int n = static_cast<int>(x.size());

    Curve stiff(x, y);
    std::vector<double> y2(n);
    stiff.z.spline(y2.data());
    std::vector<double> at(n), natural(n);
    for (int k = 0; k < n; ++k) at[k] = x[0] + k * (x[n - 1] - x[0]) / n;
    for (int k = 0; k < n; ++k) natural[k] = stiff.z.helpsplint(at[k], y2.data());
    ASSERT_EQ(stiff.z.Ausgleichsspline(n, 1e12, 0, nullptr), n);
    for (int k = 0; k < n; ++k) EXPECT_NEAR(stiff.y[k], natural[k], 1e-8) << k;

    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (int i = 0; i < n; ++i) {
        sx += x[i]; sy += y[i]; sxx += x[i] * x[i]; sxy += x[i] * y[i];
    }
    const double slope = (n * sxy - sx * sy) / (n * sxx - sx * sx);
    const double icpt = (sy - slope * sx) / n;
    Curve loose(x, y);
    ASSERT_EQ(loose.z.Ausgleichsspline(n, 1e-9, 0, nullptr), n);
    for (int k = 0; k < n; ++k) EXPECT_NEAR(loose.y[k], icpt + slope * loose.x[k], 1e-6) << k;
}

// At a moderate smoothing the four outputs must belong to one C2 piecewise
// cubic: each derivative is the slope of the one before.
TEST(SmoothingSpline, DerivativesBelongToOneCurve)
{
    std::vector<double> x = {0.0, 0.4, 1.0, 1.3, 2.0, 2.4, 3.1, 3.5, 4.0};
    std::vector<double> y = {1.0, 2.0, 0.5, 1.5, 3.0, 2.0, 2.5, 0.0, 1.0};
    const int count = 4000;
    std::vector<std::vector<double>> out;
    for (int derivative = 0; derivative <= 3; ++derivative) {
        std::vector<double> xs = x, ys = y;
        xs.resize(count);
        ys.resize(count);
        def_zelva z;
        z.SetField(xs.data(), ys.data());
        z.SetAnzahl(static_cast<int32_t>(x.size()), -1, -1);
        ASSERT_EQ(z.Ausgleichsspline(count, 0.5, derivative, nullptr, count), count);
        out.push_back(ys);
    }
    const double h = 4.0 / count;
    for (int d = 0; d < 3; ++d) {
        double scale = 0.0;
        for (double v : out[d + 1]) scale = std::max(scale, std::fabs(v));
        int checked = 0;
        for (int k = 1; k < count - 1; ++k) {
            // Skip the knots, where the higher derivative jumps or kinks.
            bool nearKnot = false;
            for (double t : x) nearKnot = nearKnot || std::fabs(k * h - t) < 1.5 * h;
            if (nearKnot) continue;
            const double slope = (out[d][k + 1] - out[d][k - 1]) / (2.0 * h);
            EXPECT_NEAR(slope, out[d + 1][k], 1e-3 * scale) << "derivative " << d << " k " << k;
            ++checked;
        }
        EXPECT_GT(checked, count / 2);
    }
    // Smoothing pulls the curve off the points, towards their mean.
    EXPECT_LT(out[0][2000], y[4] - 0.1);
    EXPECT_GT(out[0][0], y[0] + 0.1);
}

// Reinsch's conditions for the minimiser of sum (y - g)^2 + lambda int g''^2
// with lambda = |x[1] - x[0]| / smoothing: g' is continuous at the points,
// and y[j] - g(x[j]) = lambda times the jump of the third derivative there.
TEST(SmoothingSpline, ReinschConditions)
{
    const int n = 12, s = 500, count = (n - 1) * s;
    const double h = 0.3, smoothing = 0.7, lambda = h / smoothing;
    std::vector<double> y0(n);
    for (int j = 0; j < n; ++j) y0[j] = std::sin(1.3 * j) + 0.2 * j;
    std::vector<std::vector<double>> out;
    for (int derivative : {0, 1, 3}) {
        Curve c(n, [](double) { return 0.0; }, 0.0, h, count);
        for (int j = 0; j < n; ++j) c.y[j] = y0[j];
        ASSERT_EQ(c.z.Ausgleichsspline(count, smoothing, derivative, nullptr, count), count);
        out.push_back(c.y);
    }
    const std::vector<double>& g = out[0];
    const std::vector<double>& g1 = out[1];
    const std::vector<double>& g3 = out[2];
    double previousThird = 0.0;  // the third derivative is 0 left of the first point
    for (int j = 0; j < n - 1; ++j) {
        const int k = j * s;
        EXPECT_NEAR(y0[j] - g[k], lambda * (g3[k] - previousThird), 1e-10) << j;
        if (j > 0) {
            EXPECT_NEAR(g1[k], g1[k - 1], 0.05 * h) << j;  // no kink
        }
        previousThird = g3[k];
    }
}

TEST(SmoothingSpline, EdgeCounts)
{
    Curve c(6, Cubic);
    std::vector<double> y0 = c.y;
    EXPECT_EQ(c.z.Ausgleichsspline(7, 1.0, 0, nullptr), 0);
    EXPECT_EQ(c.z.Ausgleichsspline(0, 1.0, 0, nullptr), 0);
    EXPECT_EQ(c.y, y0);
    // An unknown derivative leaves y and moves x.
    ASSERT_EQ(c.z.Ausgleichsspline(6, 1.0, 9, nullptr), 6);
    EXPECT_EQ(c.y, y0);
    EXPECT_NEAR(c.x[1], 5.0 / 6.0, 1e-14);
    // Smoothing 0 acts as 0.1.
    Curve a(9, Cubic), b(9, Cubic);
    a.z.Ausgleichsspline(9, 0.0, 0, nullptr);
    b.z.Ausgleichsspline(9, 0.1, 0, nullptr);
    EXPECT_EQ(a.y, b.y);

    Curve one(1, Cubic);
    EXPECT_EQ(one.z.Ausgleichsspline(1, 1.0, 0, nullptr), 0);
    Curve two(2, [](double t) { return 1.0 + t; }, 0.0, 1.0, 4);
    ASSERT_EQ(two.z.Ausgleichsspline(4, 1.0, 0, nullptr, 4), 4);
    EXPECT_NEAR(two.y[3], 1.75, 1e-14);

    Curve big(35000, [](double t) { return std::sin(t); }, 0.0, 0.01);
    ASSERT_EQ(big.z.Ausgleichsspline(35000, 5.0, 1, nullptr), 35000);
    EXPECT_NEAR(big.y[17000], std::cos(big.x[17000]), 1e-3);
}

// Collinear control points give evenly spaced Bezier points; in the middle
// a Bezier segment meets the uniform cubic B-spline, whose midpoint is
// (P[j-1] + 23 P[j] + 23 P[j+1] + P[j+2]) / 48.
TEST(BezierSpline, LinearPrecisionAndBSplineSegments)
{
    def_zelva z;
    const int n = 10;
    std::vector<double> p(600, 0.0), bz(600, -7.0);
    for (int j = 0; j <= n; ++j) {
        p[j] = j;
        p[200 + j] = 2.0 * j - 1.0;
        p[400 + j] = std::sin(j);
    }
    EXPECT_EQ(z.BezierSpline(n, p.data(), bz.data()), 1);
    for (int k = 0; k <= 3 * n; ++k) {
        EXPECT_NEAR(bz[k], k / 3.0, 1e-14);
        EXPECT_NEAR(bz[200 + k], 2.0 * k / 3.0 - 1.0, 1e-14);
    }
    EXPECT_EQ(bz[3 * n + 1], -7.0);
    const double* q = &bz[400];
    for (int j = 1; j <= n - 2; ++j) {
        const double* b = q + 3 * j;
        const double mid = (b[0] + 3.0 * b[1] + 3.0 * b[2] + b[3]) / 8.0;
        const double* c = &p[400];
        EXPECT_NEAR(mid, (c[j - 1] + 23.0 * c[j] + 23.0 * c[j + 1] + c[j + 2]) / 48.0, 1e-14) << j;
    }
    EXPECT_EQ(z.BezierSpline(0, p.data(), bz.data()), 0);
    EXPECT_EQ(z.BezierSpline(67, p.data(), bz.data()), 0);
}

// Every member on curves of 0, 1, 2 and 35,000 points: results stay inside
// the arrays and finite (the sanitizer build checks each access).
TEST(SplineMembers, CurvesOfZeroOneTwoAndManyPoints)
{
    for (int n : {0, 1, 2, 35000}) {
        auto f = [](double t) { return 1.0 + 0.25 * t; };
        const double step = 0.01;
        Curve c(n, f, 1.0, step);
        std::vector<double> y2(n + 1, 0.0);
        c.z.spline(y2.data());
        const int m = 2 * n + 3;
        std::vector<double> at(m), out(m, -5.0);
        for (int k = 0; k < m; ++k) at[k] = 1.0 + (k - 1) * step / 2.0;
        c.z.Splint(m, at.data(), out.data());
        for (int k = 0; k < m; ++k) {
            const bool inside = n > 0 && at[k] >= 1.0 - 1e-4 * at[k] && at[k] <= 1.0 + (n - 1) * step + 1e-4 * at[k];
            EXPECT_NEAR(out[k], inside ? f(at[k]) : 0.0, 1e-9) << n << " " << k;
        }
        std::vector<double> cs(m, -5.0);
        c.z.CubicSpline(m, at.data(), cs.data(), 0, 0.0, 0.0);
        for (int k = 0; k < m; ++k) {
            const bool inside = n > 0 && at[k] >= 1.0 && at[k] <= 1.0 + (n - 1) * step;
            EXPECT_NEAR(cs[k], inside ? f(at[k]) : 0.0, 1e-9) << n << " " << k;
        }
        if (n > 0) {
            Curve b(n, f, 1.0, step);
            EXPECT_EQ(b.z.BSpline(n, 1), n);
            if (n <= 2) {
                Curve p(n, f, 1.0, step);
                EXPECT_EQ(p.z.Polint(n), n);
                EXPECT_NEAR(p.y[n - 1], f(p.x[n - 1]), 1e-12);
            }
        } else {
            EXPECT_EQ(c.z.BSpline(1, 1, 0), 0);
            EXPECT_EQ(c.z.Ausgleichsspline(1, 1.0, 0, nullptr, 0), 0);
        }
    }
}
