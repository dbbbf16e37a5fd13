// How a fit starts, stops and fails: result codes, the stop rules, the
// set-up test, the sigma block's lifetime, weighting, R-factor and the work
// blocks of long curves.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "fit_test_support.h"

using fit_test::FitSetup;
using fit_test::g_par;

namespace {

double Gauss(double x, double, double* xs, double* ys, int32_t n)
{
    auto f = [](double t) {
        const double u = (t - g_par[1]) / g_par[2];
        return g_par[0] * std::exp(-0.5 * u * u) + g_par[3];
    };
    if (xs) { for (int32_t i = 0; i < n; ++i) ys[i] = f(xs[i]); return 0.0; }
    return f(x);
}

// A model that ignores parameter 1: its column of the curvature matrix is 0.
double IgnoresSecond(double x, double, double* xs, double* ys, int32_t n)
{
    if (xs) { for (int32_t i = 0; i < n; ++i) ys[i] = g_par[0] * xs[i]; return 0.0; }
    return g_par[0] * x;
}

struct Curve {
    std::vector<double> x, y;
};

Curve GaussCurve(int n)
{
    Curve c;
    for (int i = 0; i < n; ++i) {
        const double t = -5.0 + 10.0 * i / (n - 1);
        const double u = (t - 0.4) / 1.3;
        c.x.push_back(t);
        c.y.push_back(2.5 * std::exp(-0.5 * u * u) + 0.1 + 0.02 * std::sin(11.0 * i));
    }
    return c;
}

// FitSetup holds the object, which cannot be copied or moved.
FitSetup* NewGaussFit(const Curve& c)
{
    return new FitSetup(Gauss, c.x, c.y, {2.0, 0.0, 1.0, 0.0}, {0, 1, 2, 3});
}

}  // namespace

TEST(FitStop, EightSmallChangesEndTheFit)
{
    const Curve c = GaussCurve(80);
    std::unique_ptr<FitSetup> f(NewGaussFit(c));
    f->z.SetAbbruch(1e30, 1e-5, 50);  // every change is small
    int32_t rc = 0;
    for (int call = 1; call <= 8; ++call) {
        rc = f->z.LeastSquareFit(f->rFactor, f->chisq, f->iteration);
        if (call < 8) {
            ASSERT_EQ(rc, 1) << call;
        }
    }
    EXPECT_EQ(rc, -1);
    EXPECT_EQ(f->iteration, 8);
    EXPECT_EQ(f->z.sigma, nullptr);
    EXPECT_EQ(f->z.sigmaHandle, nullptr);
}

// The first call initialises and makes its first trial, then the step of
// the call itself: on a straight line both are accepted, lambda 0.001 / 100.
TEST(FitStop, FirstCallMakesTwoSteps)
{
    auto line = [](double x, double, double* xs, double* ys, int32_t n) {
        if (xs) { for (int32_t i = 0; i < n; ++i) ys[i] = g_par[0] + g_par[1] * xs[i]; return 0.0; }
        return g_par[0] + g_par[1] * x;
    };
    std::vector<double> x, y;
    for (int i = 0; i < 20; ++i) {
        x.push_back(0.5 * i);
        y.push_back(1.0 - 0.3 * x.back() + 0.05 * std::sin(5.0 * i));
    }
    FitSetup f(line, x, y, {4.0, 2.0}, {0, 1});
    f.z.SetAbbruch(1e-12, 1e-5, 50);
    ASSERT_EQ(f.z.LeastSquareFit(f.rFactor, f.chisq, f.iteration), 1);
    EXPECT_EQ(f.iteration, 1);
    EXPECT_NEAR(f.z.lambda, 1e-5, 1e-20);
}

// A trial is judged by its chi-square (one model call per point); only a
// kept trial costs the 2 m derivative calls per point of its curvature
// (two-point rule: every curvature of the fit is made by it).
TEST(FitStop, RejectedTrialCostsOneCallPerPoint)
{
    static long calls = 0;
    auto counted = [](double x, double i, double* xs, double* ys, int32_t n) {
        if (!xs) ++calls;
        return Gauss(x, i, xs, ys, n);
    };
    const int n = 50, m = 4;
    const Curve c = GaussCurve(n);
    FitSetup f(counted, c.x, c.y, {2.0, 0.0, 1.0, 0.0}, {0, 1, 2, 3});
    f.z.SetAbleitung(2);
    f.z.SetAbbruch(1e-12, 1e-5, 60);
    calls = 0;
    long trials = 0, kept = 0;
    int32_t rc = 1;
    while (rc == 1) {
        const double before = f.iteration == 0 ? 0.001 : f.z.lambda;
        const int32_t steps = f.iteration == 0 ? 2 : 1;
        rc = f.z.LeastSquareFit(f.rFactor, f.chisq, f.iteration);
        // Each kept step divides lambda by 10, each rejected one multiplies it.
        const double after = rc == -1 ? f.z.lambdaEnd : f.z.lambda;
        const long up = std::lround(std::log10(after / before));
        trials += steps;
        kept += (steps - up) / 2;
    }
    ASSERT_EQ(rc, -1);
    EXPECT_GT(trials - kept, 5);  // the stop rule needs rejected steps
    EXPECT_EQ(calls, n * ((1 + 2 * m) * (1 + kept) + trials));
}

namespace {

// Solves a x = b (n x n, rows of 400) by elimination with partial pivoting
// and returns the inverse of a in inv (rows of n).
void SolveAndInvert(const std::vector<double>& a, int n, const double* b, double* x,
                    std::vector<double>& inv)
{
    std::vector<double> m(n * (2 * n + 1));
    const int w = 2 * n + 1;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) m[i * w + j] = a[i * 400 + j];
        for (int j = 0; j < n; ++j) m[i * w + n + j] = i == j ? 1.0 : 0.0;
        m[i * w + 2 * n] = b[i];
    }
    for (int col = 0; col < n; ++col) {
        int piv = col;
        for (int r = col + 1; r < n; ++r)
            if (std::fabs(m[r * w + col]) > std::fabs(m[piv * w + col])) piv = r;
        for (int j = 0; j < w; ++j) std::swap(m[col * w + j], m[piv * w + j]);
        const double d = m[col * w + col];
        for (int j = 0; j < w; ++j) m[col * w + j] /= d;
        for (int r = 0; r < n; ++r) {
            if (r == col) continue;
            const double q = m[r * w + col];
            for (int j = 0; j < w; ++j) m[r * w + j] -= q * m[col * w + j];
        }
    }
    inv.assign(n * n, 0.0);
    for (int i = 0; i < n; ++i) {
        x[i] = m[i * w + 2 * n];
        for (int j = 0; j < n; ++j) inv[i * n + j] = m[i * w + n + j];
    }
}

}  // namespace

// With four-point derivatives, steps far from the minimum are steered by
// one-sided derivatives (one model value per point and parameter for a kept
// step; from one array call per parameter when the array mode gives the
// point mode's values, else point by point), but the fit still ends where
// the four-point fit ends and reports its covariance: at the final values
// the four-point Gauss-Newton step is negligible against the errors, and
// covar is the inverse of the four-point curvature there. A large
// derivative step makes the one-sided minimum lie visibly apart.
TEST(FitStop, FarStepsSteeredEndOnTheFourPointMinimum)
{
    static long pointCalls = 0, arrayCalls = 0;
    static bool arraysAgree = true;
    auto counted = [](double x, double i, double* xs, double* ys, int32_t n) {
        if (!xs) {
            ++pointCalls;
            return Gauss(x, i, xs, ys, n);
        }
        ++arrayCalls;
        Gauss(x, i, xs, ys, n);
        if (!arraysAgree)
            for (int32_t k = 0; k < n; ++k) ys[k] += 1e-9;
        return 0.0;
    };
    const int n = 60, m = 4;
    const Curve c = GaussCurve(n);
    struct Case { double h; bool agree; };
    for (const Case k : {Case{1e-5, true}, Case{3e-2, true}, Case{1e-5, false}}) {
        SCOPED_TRACE(testing::Message() << "h " << k.h << (k.agree ? "" : ", array mode differs"));
        arraysAgree = k.agree;
        FitSetup f(counted, c.x, c.y, {1.6, -0.5, 0.7, 0.3}, {0, 1, 2, 3});
        f.z.SetAbbruch(1e-14, k.h, 200);
        int32_t rc = 1;
        bool steered = false;
        while (rc == 1) {
            pointCalls = arrayCalls = 0;
            const bool first = f.iteration == 0;
            rc = f.z.LeastSquareFit(f.rFactor, f.chisq, f.iteration);
            if (first || rc != 1) continue;
            // One trial and the difference array, then nothing more
            // (rejected, or kept at rounding level), a steered curvature,
            // or a four-point one (kept, or after a rejection).
            ASSERT_EQ(pointCalls % n, 0);
            const long per = pointCalls / n;
            // (The steered curvature first compares one array call.)
            const bool steer = k.agree ? per == 1 && arrayCalls == 2 + m : per == 2 + m && arrayCalls == 2;
            EXPECT_TRUE(steer || (per == 1 && arrayCalls == 1) || (per == 2 + 4 * m && arrayCalls == 1))
                << per << " " << arrayCalls;
            steered = steered || steer;
        }
        ASSERT_EQ(rc, -1);
        EXPECT_TRUE(steered);

        std::vector<double> alpha(400 * 401, 0.0), inv;
        double beta[400] = {}, step[4], chi = 0.0;
        f.z.initmarquardt(nullptr, alpha.data(), beta, chi, 0);
        EXPECT_NEAR(chi, f.chisq, 1e-12 * f.chisq);
        SolveAndInvert(alpha, m, beta, step, inv);
        double err[4];
        ASSERT_EQ(f.z.GetError(err), m);
        for (int j = 0; j < m; ++j) {
            EXPECT_LT(std::fabs(step[j]), 1e-7 * err[j]) << j;
            for (int q = 0; q < m; ++q)
                EXPECT_NEAR(f.z.covar[j * 400 + q], inv[j * m + q], 1e-9 * err[j] * err[q]) << j << q;
        }
    }
}

// With no change counted as small the limit ends the fit; the call that
// reaches it still makes its step and the covariance step.
TEST(FitStop, IterationLimitAndRaisedCounter)
{
    const Curve c = GaussCurve(80);
    {
        std::unique_ptr<FitSetup> f(NewGaussFit(c));
        f->z.SetAbbruch(0.0, 1e-5, 50);
        int32_t calls = 0, rc = 1;
        while (rc == 1 && calls < 100) { rc = f->z.LeastSquareFit(f->rFactor, f->chisq, f->iteration); ++calls; }
        EXPECT_EQ(rc, -1);
        EXPECT_EQ(calls, 50);
        EXPECT_EQ(f->iteration, 50);
    }
    {
        std::unique_ptr<FitSetup> f(NewGaussFit(c));
        f->z.SetAbbruch(0.0, 1e-5, 50);
        ASSERT_EQ(f->z.LeastSquareFit(f->rFactor, f->chisq, f->iteration), 1);
        ASSERT_EQ(f->z.LeastSquareFit(f->rFactor, f->chisq, f->iteration), 1);
        f->iteration += 10000;  // the program's stop request
        EXPECT_EQ(f->z.LeastSquareFit(f->rFactor, f->chisq, f->iteration), -1);
        double err[4];
        f->z.GetError(err);
        for (double e : err) EXPECT_GT(e, 0.0);
        EXPECT_GT(f->z.lambdaEnd, 0.0);
        // Nothing left to continue.
        EXPECT_EQ(f->z.LeastSquareFit(f->rFactor, f->chisq, f->iteration), -2);
    }
}

TEST(FitStop, FailuresReturn101AndReleaseTheFit)
{
    const Curve c = GaussCurve(40);
    double weights[40];
    for (double& w : weights) w = 1.0;
    struct Case { std::string name; std::function<void(FitSetup&)> spoil; };
    const Case cases[] = {
        {"duplicate list entry", [](FitSetup& f) { f.liste[2] = 0; }},
        {"list entry out of range", [](FitSetup& f) { f.liste[1] = 7; }},
        {"more fitted than parameters", [](FitSetup& f) { f.z.SetAnzahl(-1, 2, 3); }},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        std::unique_ptr<FitSetup> f(NewGaussFit(c));
        f->z.SetWeightFunction(weights);
        f->z.SetFitProcedure(1, nullptr);
        k.spoil(*f);
        f->rFactor = f->chisq = -7.0;
        EXPECT_EQ(f->z.LeastSquareFit(f->rFactor, f->chisq, f->iteration), 101);
        EXPECT_EQ(f->z.GetWeightFunction(), nullptr);
        EXPECT_EQ(f->z.useFitProcedure, 0);
        EXPECT_EQ(f->z.sigma, nullptr);
        EXPECT_EQ(f->z.sigmaHandle, nullptr);
        EXPECT_EQ(f->rFactor, -7.0);  // outputs only on 1 and -1
        EXPECT_EQ(f->chisq, -7.0);
        // A failed fit cannot be continued; its block is not freed twice.
        f->iteration = 1;
        EXPECT_EQ(f->z.LeastSquareFit(f->rFactor, f->chisq, f->iteration), -2);
    }
    // Singular curvature matrix: a fitted parameter the model ignores.
    std::vector<double> x = {1, 2, 3, 4}, y = {2, 4, 6, 8};
    FitSetup s(IgnoresSecond, x, y, {1.0, 1.0}, {0, 1});
    s.z.SetWeightFunction(weights);
    EXPECT_EQ(s.Run(), 101);
    EXPECT_EQ(s.z.GetWeightFunction(), nullptr);
    EXPECT_EQ(s.z.sigma, nullptr);
}

// Bad set-ups: -2 on every call, nothing allocated, nothing written.
TEST(FitSetUp, MissingSetUpChangesNothing)
{
    const Curve c = GaussCurve(40);
    double weights[40] = {};
    struct Case { std::string name; std::function<void(FitSetup&)> spoil; };
    const Case cases[] = {
        {"one point", [](FitSetup& f) { f.z.SetAnzahl(1, -1, -1); }},
        {"no points", [](FitSetup& f) { f.z.SetAnzahl(0, -1, -1); }},
        {"no model", [](FitSetup& f) { f.z.SetFunction(nullptr); }},
        {"no abscissae", [](FitSetup& f) { f.z.SetField(nullptr, f.y.data()); }},
        {"no ordinates", [](FitSetup& f) { f.z.SetField(f.x.data(), nullptr); }},
        {"no parameters", [](FitSetup& f) { f.z.SetParameterDifference(nullptr, f.diff.data(), f.flags, f.liste); }},
        {"no difference", [](FitSetup& f) { f.z.SetParameterDifference(f.par, nullptr, f.flags, f.liste); }},
        {"no flags", [](FitSetup& f) { f.z.SetParameterDifference(f.par, f.diff.data(), nullptr, f.liste); }},
        {"no list", [](FitSetup& f) { f.z.SetParameterDifference(f.par, f.diff.data(), f.flags, nullptr); }},
        {"400 parameters", [](FitSetup& f) { f.z.maxParameter = 400; }},
        {"400 fitted", [](FitSetup& f) { f.z.maxFitParameter = 400; }},
        {"negative fitted", [](FitSetup& f) { f.z.maxFitParameter = -1; }},
        {"continued without a start", [](FitSetup& f) { f.iteration = 3; }},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        std::unique_ptr<FitSetup> f(NewGaussFit(c));
        f->z.SetWeightFunction(weights);
        k.spoil(*f);
        const int32_t it = f->iteration;
        double* workX = f->z.workX;
        f->rFactor = f->chisq = -7.0;
        f->diff.assign(f->diff.size(), -3.0);
        for (int call = 0; call < 2; ++call)
            EXPECT_EQ(f->z.LeastSquareFit(f->rFactor, f->chisq, f->iteration), -2);
        EXPECT_EQ(f->iteration, it);
        EXPECT_EQ(f->z.sigma, nullptr);
        EXPECT_EQ(f->z.sigmaHandle, nullptr);
        EXPECT_EQ(f->z.workX, workX);
        EXPECT_EQ(f->z.GetWeightFunction(), weights);
        EXPECT_EQ(f->rFactor, -7.0);
        EXPECT_EQ(f->chisq, -7.0);
        EXPECT_EQ(f->par[0], 2.0);
        for (double d : f->diff) ASSERT_EQ(d, -3.0);
    }
}

// Curves longer than the object's 10,000-point work blocks.
TEST(FitSetUp, LongCurveGrowsTheWorkBlocks)
{
    const Curve c = GaussCurve(12000);
    std::unique_ptr<FitSetup> f(NewGaussFit(c));
    f->z.SetAbbruch(1e-9, 1e-5, 100);
    f->z.SetAbleitung(2);
    ASSERT_EQ(f->Run(), -1);
    EXPECT_GE(f->z.workPoints, 12000);
    EXPECT_NEAR(f->par[1], 0.4, 1e-3);
    double sum = 0.0;
    for (int i = 0; i < 12000; ++i) {
        const double d = c.y[i] - Gauss(c.x[i], 0.0, nullptr, nullptr, 0);
        ASSERT_NEAR(f->diff[i], d, 1e-12) << i;
        sum += d * d;
    }
    double r = 0.0, ss = 0.0;
    EXPECT_EQ(f->z.GetResidual(r, ss), 12000);
    EXPECT_NEAR(ss, sum, 1e-9 * sum);
    EXPECT_NEAR(r, f->rFactor, 1e-12);
    // The residual of a count beyond the copied abscissae is refused.
    f->z.SetAnzahl(f->z.workPoints + 1, -1, -1);
    r = ss = -1.0;
    EXPECT_EQ(f->z.GetResidual(r, ss), 0);
    EXPECT_EQ(r, -1.0);
}

// A new start while a fit runs releases the running fit's block.
TEST(FitSetUp, RestartWhileIterating)
{
    const Curve c = GaussCurve(60);
    std::unique_ptr<FitSetup> f(NewGaussFit(c));
    ASSERT_EQ(f->z.LeastSquareFit(f->rFactor, f->chisq, f->iteration), 1);
    f->iteration = 0;
    EXPECT_EQ(f->Run(), -1);
    EXPECT_NEAR(f->par[2], 1.3, 1e-2);
}

TEST(FitWeighting, SigmaByMode)
{
    def_zelva z;
    double y[4] = {4.0, -0.25, 0.0, 9.0};
    z.SetField(y, y);
    z.SetAnzahl(3, -1, -1);
    double s[3 + 2];
    z.sigma = s;
    const double inf = std::numeric_limits<double>::infinity();
    struct Case { int32_t mode; double expError; double e0, e1, e2; };
    const Case cases[] = {
        {0, 0.001, 1, 1, 1},
        {1, 0.001, 0.001, 0.001, 0.001},
        {1, 0.0, 1, 1, 1},
        {2, 0.001, 0.5, 2, inf},
        {3, 0.001, 0.25, 4, inf},
        {4, 0.001, 2, 0.5, 0},
        {5, 0.001, 16, 0.0625, 0},
        {6, 0.001, 64, 0.015625, 0},
        {7, 0.001, 1, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        for (double& v : s) v = -1.0;
        z.SetWichtung(c.mode);
        z.SetExpError(c.expError);
        z.calc_sigma();
        EXPECT_DOUBLE_EQ(s[0], c.e0);
        EXPECT_DOUBLE_EQ(s[1], c.e1);
        EXPECT_EQ(s[2], c.e2);
        EXPECT_EQ(s[3], 0.0);
        EXPECT_EQ(s[4], 0.0);
    }
    z.sigma = nullptr;
}

// Mode 3 gives a point at y = 0 an infinite sigma and so no weight: a wild
// point there does not move the fit.
TEST(FitWeighting, ZeroWeightPointIsIgnored)
{
    Curve c = GaussCurve(50);
    for (double& v : c.y) v += 1.0;  // keep the others away from 0
    // Reference: the same fit without the point.
    Curve less = c;
    less.x.erase(less.x.begin() + 10);
    less.y.erase(less.y.begin() + 10);
    std::unique_ptr<FitSetup> ref(NewGaussFit(less));
    ref->z.SetWichtung(3);
    ref->z.SetAbbruch(1e-15, 1e-6, 200);
    ASSERT_EQ(ref->Run(), -1);
    c.y[10] = 0.0;
    std::unique_ptr<FitSetup> w(NewGaussFit(c));
    w->z.SetWichtung(3);
    w->z.SetAbbruch(1e-15, 1e-6, 200);
    ASSERT_EQ(w->Run(), -1);
    for (int j = 0; j < 4; ++j) EXPECT_NEAR(w->par[j], ref->par[j], 1e-7) << j;
}

// The R-factor with registered weights is sum |(y - m) w| / sum |y w|, the
// same from the fit and from GetResidual.
TEST(FitWeighting, WeightedRFactor)
{
    const Curve c = GaussCurve(64);
    std::vector<double> w(64);
    for (int i = 0; i < 64; ++i) w[i] = 0.5 + (i % 5);
    std::unique_ptr<FitSetup> f(NewGaussFit(c));
    f->z.SetWeightFunction(w.data());
    f->z.SetAbbruch(1e-12, 1e-6, 200);
    ASSERT_EQ(f->Run(), -1);
    double num = 0.0, den = 0.0, plain = 0.0;
    for (int i = 0; i < 64; ++i) {
        const double m = Gauss(c.x[i], 0.0, nullptr, nullptr, 0);
        num += std::fabs((c.y[i] - m) * w[i]);
        den += std::fabs(c.y[i] * w[i]);
        plain += (c.y[i] - m) * (c.y[i] - m);
    }
    EXPECT_NEAR(f->rFactor, 100.0 * num / den, 1e-10);
    double r = 0.0, ss = 0.0;
    EXPECT_EQ(f->z.GetResidual(r, ss), 64);
    EXPECT_NEAR(r, f->rFactor, 1e-12);
    EXPECT_NEAR(ss, plain, 1e-12);
    // Without weights: sum |y - m| / sum |y|.
    f->z.SetWeightFunction(nullptr);
    num = den = 0.0;
    for (int i = 0; i < 64; ++i) {
        num += std::fabs(c.y[i] - Gauss(c.x[i], 0.0, nullptr, nullptr, 0));
        den += std::fabs(c.y[i]);
    }
    f->z.GetResidual(r, ss);
    EXPECT_NEAR(r, 100.0 * num / den, 1e-10);
}

TEST(FitDerivatives, AgainstAnalyticAndParameterRestored)
{
    double p[4] = {2.0, 0.3, 1.1, 0.0};
    g_par = p;
    def_zelva z;
    z.SetFunction(Gauss);
    z.SetParameterDifference(p, nullptr, nullptr, nullptr);
    z.SetAnzahl(-1, 3, 3);
    const double x = 0.9;
    const double u = (x - p[1]) / p[2];
    const double e = std::exp(-0.5 * u * u);
    const double exact[4] = {e, p[0] * e * u / p[2], p[0] * e * u * u / p[2], 1.0};
    for (int32_t k = 0; k < 4; ++k) {
        const double before = p[k];
        z.SetAbbruch(1e-5, 1e-3, 50);
        EXPECT_NEAR(z.ErstePartielleAbleitungVier(x, k), exact[k], 1e-10) << k;
        EXPECT_NEAR(z.ErstePartielleAbleitungZwei(x, k), exact[k], 1e-5) << k;
        EXPECT_EQ(p[k], before);
    }
}

// Lines in the older form "mode," keep the threshold; an empty mode field
// does not take the threshold's place.
TEST(FitOptions, LoadOptionsFields)
{
    struct Case { const char* text; int32_t rc; int32_t wichtung; double abbruch; };
    const Case cases[] = {
        {"3,\n", 1, 3, 2e-5},
        {"4,1E-07\n", 1, 4, 1e-7},
        {",0.5\n", 1, 1, 0.5},
        {"6,2.5E-4,extra\r\n", 1, 6, 2.5e-4},
        {"\n", 0, 1, 2e-5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        FILE* f = std::tmpfile();
        ASSERT_NE(f, nullptr);
        std::fputs(c.text, f);
        std::rewind(f);
        def_zelva z;
        z.SetAbbruch(2e-5, 1e-5, 50);
        EXPECT_EQ(z.LoadOptions(f), c.rc);
        EXPECT_EQ(z.GetWichtung(), c.wichtung);
        EXPECT_DOUBLE_EQ(z.abbruch, c.abbruch);
        std::fclose(f);
    }
}

// The object owns its heap blocks: a copy would free them twice.
static_assert(!std::is_copy_constructible<def_zelva>::value, "def_zelva must not be copyable");
static_assert(!std::is_copy_assignable<def_zelva>::value, "def_zelva must not be assignable");
