// Bounds, parameter rules (correlation words, multiple-scattering rule) and
// the chi-square callback path of the fit.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "fit_test_support.h"

using fit_test::FitSetup;
using fit_test::g_par;

namespace {

double Decay(double x, double, double* xs, double* ys, int32_t n)
{
    auto f = [](double t) { return g_par[0] * std::exp(-g_par[1] * t); };
    if (xs) { for (int32_t i = 0; i < n; ++i) ys[i] = f(xs[i]); return 0.0; }
    return f(x);
}

std::vector<double> Grid(int n, double step)
{
    std::vector<double> x;
    for (int i = 0; i < n; ++i) x.push_back(step * i);
    return x;
}

std::vector<double> Sample(ModellCallback model, const std::vector<double>& x, std::vector<double> p)
{
    double* keep = g_par;
    g_par = p.data();
    std::vector<double> y;
    for (double t : x) y.push_back(model(t, 0.0, nullptr, nullptr, 0));
    g_par = keep;
    return y;
}

}  // namespace

// A bound that excludes the best value holds the parameter exactly on it;
// only the flag bit 2 clamps.
TEST(FitBounds, ClampExactlyOnlyWithFlagBitTwo)
{
    const std::vector<double> x = Grid(30, 0.2);
    const std::vector<double> y = Sample(Decay, x, {2.0, 0.5});
    struct Case { int32_t flag; double lower, upper, start; double expect; bool exact; };
    const Case cases[] = {
        {2, 0.8, 5.0, 1.0, 0.8, true},    // step would cross the lower bound
        {3, 0.8, 5.0, 1.0, 0.8, true},    // other bits do not matter
        {2, 0.0, 0.3, 0.2, 0.3, true},    // upper bound
        {2, 0.8, 5.0, 0.1, 0.8, true},    // start value below the bound
        {1, 0.8, 5.0, 1.0, 0.5, false},   // bit 2 clear: free
        {4, 0.8, 5.0, 1.0, 0.5, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flag);
        FitSetup f(Decay, x, y, {1.0, c.start}, {0, 1});
        f.flags[1] = c.flag;
        f.par[500 + 2 * 1] = c.lower;
        f.par[501 + 2 * 1] = c.upper;
        f.z.SetAbbruch(1e-14, 1e-6, 200);
        ASSERT_EQ(f.Run(), -1);
        if (c.exact)
            EXPECT_EQ(f.par[1], c.expect);
        else
            EXPECT_NEAR(f.par[1], c.expect, 1e-8);
    }
}

namespace {

// A small rule set-up: parameters by index, list in a different order.
struct RuleSetup {
    def_zelva z;
    double a[8] = {3.0, 0.0, 0.25, 0.5, 10.0, 7.0, 2.0, 0.0};
    int32_t liste[8] = {4, 0, 2, 1, 3, 5, 6, 7};  // parameter at each list position
    int32_t flags[8];
    double values[8] = {};
    RuleSetup()
    {
        for (auto& f : flags) f = -1;
        z.SetParameterCorrelation(flags, values);
        z.SetParameterDifference(a, nullptr, nullptr, liste);
        z.SetAnzahl(-1, 7, 1);  // positions 0 and 1 (parameters 4 and 0) fitted
    }
    // Applies the rules of parameter 0 (list position 1) by index.
    void Apply() { z.EvaluateCorrelation(1, a, a, true); }
};

}  // namespace

TEST(FitRules, EachOperationAgainstItsClosedForm)
{
    struct Case { int32_t word; double operand; double expect; };
    const double s = 3.0;
    const Case cases[] = {
        {0x100, 1.5, s + 1.5},
        {0x200, 1.5, s - 1.5},
        {0x400, 1.5, s * 1.5},
        {0x800, 1.5, s / 1.5},
        {0x800, 0.0, -99.0},                 // operand 0: left as it was
        {0x1000, 1.0, 1.0 - s - 0.25 - 0.5}, // minus the group members 2 and 3
        {0x300, 1.5, s + 1.5},               // first operation bit wins
        {0xC00, 1.5, s * 1.5},
        {0x2000 | 0x400, 5.2, s * 7.0},      // operand: parameter 5 (index + 0.2)
        {0x2000 | 0x100, 4.2, s + 10.0},     // parameter 4, at list position 0
        {0x2000 | 0x100, 6.2, s + 2.0},      // parameter 6, not fitted
        {0x2000 | 0x100, 9.2, -99.0},        // no such parameter: left as it was
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        RuleSetup r;
        r.a[1] = -99.0;
        r.flags[1] = c.word | 0;  // follows parameter 0
        r.values[1] = c.operand;
        r.flags[2] = 0x4000 | 0;
        r.flags[3] = 0x4000 | 0;
        r.Apply();
        EXPECT_DOUBLE_EQ(r.a[1], c.expect);
        EXPECT_EQ(r.a[0], 3.0);  // the source itself is untouched
    }
}

TEST(FitRules, OnlyNegativeWordsAreSources)
{
    RuleSetup r;
    r.flags[0] = 5;  // parameter 0 follows parameter 5 and is no source
    r.flags[1] = 0x100 | 0;
    r.values[1] = 1.0;
    r.a[1] = -1.0;
    r.Apply();
    EXPECT_EQ(r.a[1], -1.0);
    // A rule whose source byte names another parameter is not applied.
    RuleSetup q;
    q.flags[1] = 0x100 | 6;
    q.a[1] = -1.0;
    q.Apply();
    EXPECT_EQ(q.a[1], -1.0);
}

TEST(FitRules, MultipleScatteringDistance)
{
    const double b = 2.5, c = 1.75, deg = 130.0;
    const double expect = (b + c + std::sqrt(b * b + c * c - 2 * b * c * std::cos(deg * 3.141592653589793 / 180.0))) / 2;
    RuleSetup r;
    r.a[6] = b;
    r.a[5] = c;
    r.flags[7] = 0x8000 | (6 << 16) | (5 << 24);
    r.values[7] = deg;
    r.z.MS_Correlation(r.a, r.a, false, 0);
    EXPECT_DOUBLE_EQ(r.a[7], expect);
    // Collinear paths: the distance is the sum of the two legs.
    r.values[7] = 180.0;
    r.z.MS_Correlation(r.a, r.a, false, 0);
    EXPECT_NEAR(r.a[7], b + c, 1e-12);
}

// In the trial pass the source vector is kept by list position; rules must
// read every fitted parameter at its own list position.
TEST(FitRules, TrialPassReadsValuesByListPosition)
{
    RuleSetup r;
    r.z.SetAnzahl(-1, 7, 3);  // parameters 4, 0, 2, 1 fitted
    double trial[8] = {40.0, 30.0, 0.125, 0.0625};  // by list position
    r.flags[3] = 0x1000 | 0;  // 3 = 1 - p0 - members
    r.values[3] = 1.0;
    r.flags[2] = 0x4000 | 0;  // fitted member
    r.flags[5] = 0x4000 | 0;  // unfitted member: its current value
    r.a[5] = 0.75;
    r.z.EvaluateCorrelation(1, r.a, trial, false);
    EXPECT_DOUBLE_EQ(r.a[3], 1.0 - 30.0 - 0.125 - 0.75);

    r.flags[6] = 0x2000 | 0x400 | 0;  // p6 = p0 * p4 (fitted, list position 0)
    r.values[6] = 4.2;
    r.z.EvaluateCorrelation(1, r.a, trial, false);
    EXPECT_DOUBLE_EQ(r.a[6], 30.0 * 40.0);

    // Multiple scattering with fitted operands 1 and 4 (positions 3 and 0).
    r.flags[7] = 0x8000 | (1 << 16) | (4 << 24);
    r.values[7] = 90.0;
    r.z.MS_Correlation(r.a, trial, true, 0);
    EXPECT_NEAR(r.a[7], (0.0625 + 40.0 + std::hypot(0.0625, 40.0)) / 2, 1e-12);
    // Without trial values: the parameter vector.
    r.z.MS_Correlation(r.a, trial, false, 0);
    EXPECT_NEAR(r.a[7], (r.a[1] + r.a[4] + std::hypot(r.a[1], r.a[4])) / 2, 1e-12);
}

namespace {

// Three components whose amounts add up to 1: the third follows the first
// two by the remainder rule.
double Mixture(double x, double, double* xs, double* ys, int32_t n)
{
    auto f = [](double t) {
        return g_par[0] * std::exp(-t) + g_par[1] * std::exp(-0.3 * t) + g_par[2] * std::cos(t);
    };
    if (xs) { for (int32_t i = 0; i < n; ++i) ys[i] = f(xs[i]); return 0.0; }
    return f(x);
}

// Chi-square of the mixture with the derivatives of the tied model (the
// third amount moves with the first two); the fitted list is (1, 0). The
// third amount is read as the library's trial pass left it.
double MixtureChiSquare(int32_t anzahl, int32_t, double* x, double* y, double* p,
                        double* alpha, double* beta, double*)
{
    double chi = 0.0;
    for (int32_t i = 0; i < anzahl; ++i) {
        const double g0 = std::exp(-x[i]), g1 = std::exp(-0.3 * x[i]), g2 = std::cos(x[i]);
        const double dy = y[i] - (p[0] * g0 + p[1] * g1 + p[2] * g2);
        const double d[2] = {g1 - g2, g0 - g2};
        for (int32_t j = 0; j < 2; ++j) {
            for (int32_t k = 0; k <= j; ++k) alpha[j * 400 + k] += d[j] * d[k];
            beta[j] += dy * d[j];
        }
        chi += dy * dy;
    }
    return chi;
}

}  // namespace

// End to end: fitted in list order (1, 0) so that list positions and
// indexes differ; the tied amount must follow the trial values, or the trial
// chi-square belongs to other parameters than the ones accepted.
TEST(FitRules, RemainderRuleFollowsTrialValues)
{
    const std::vector<double> x = Grid(60, 0.1);
    const std::vector<double> y = Sample(Mixture, x, {0.3, 0.5, 0.2});
    FitSetup f(Mixture, x, y, {0.2, 0.2, 0.6}, {1, 0});
    f.corrFlags[0] = -1;
    f.corrFlags[1] = 0x4000 | 0;
    f.corrFlags[2] = 0x1000 | 0;
    f.corrValues[2] = 1.0;
    f.z.SetFitProcedure(1, MixtureChiSquare);
    f.z.SetAbbruch(1e-20, 1e-6, 200);
    ASSERT_EQ(f.Run(), -1);
    EXPECT_NEAR(f.par[0], 0.3, 1e-7);
    EXPECT_NEAR(f.par[1], 0.5, 1e-7);
    EXPECT_NEAR(f.par[2], 0.2, 1e-7);
    EXPECT_LT(f.chisq, 1e-12);
}

namespace {

double Lorentz(double t, double c) { return 1.0 / (1.0 + (t - c) * (t - c)); }

// Two Lorentzian lines; the second sits at a distance that the
// multiple-scattering rule finds from parameters 2 and 3.
double Doublet(double x, double, double* xs, double* ys, int32_t n)
{
    auto f = [](double t) { return g_par[0] * (Lorentz(t, g_par[1]) + 0.5 * Lorentz(t, g_par[4])); };
    if (xs) { for (int32_t i = 0; i < n; ++i) ys[i] = f(xs[i]); return 0.0; }
    return f(x);
}

// Fitted list (3, 0); parameter 4 = (p2 + p3 + sqrt(p2^2 + p3^2)) / 2 (90
// degrees), read as the library's trial pass left it.
double DoubletChiSquare(int32_t anzahl, int32_t, double* x, double* y, double* p,
                        double* alpha, double* beta, double*)
{
    const double dd = 0.5 * (1.0 + p[3] / std::hypot(p[2], p[3]));
    double chi = 0.0;
    for (int32_t i = 0; i < anzahl; ++i) {
        const double l1 = Lorentz(x[i], p[1]), l2 = Lorentz(x[i], p[4]);
        const double dy = y[i] - p[0] * (l1 + 0.5 * l2);
        const double d[2] = {0.5 * p[0] * 2.0 * (x[i] - p[4]) * l2 * l2 * dd, l1 + 0.5 * l2};
        for (int32_t j = 0; j < 2; ++j) {
            for (int32_t k = 0; k <= j; ++k) alpha[j * 400 + k] += d[j] * d[k];
            beta[j] += dy * d[j];
        }
        chi += dy * dy;
    }
    return chi;
}

}  // namespace

TEST(FitRules, MultipleScatteringRuleFollowsTrialValues)
{
    const double b = 2.0, c = 3.0;
    const double d = (b + c + std::sqrt(b * b + c * c)) / 2;
    const std::vector<double> x = Grid(200, 0.05);
    const std::vector<double> y = Sample(Doublet, x, {1.5, 3.0, b, c, d});
    FitSetup f(Doublet, x, y, {1.0, 3.0, b, 2.5, 0.0}, {3, 0});
    f.corrFlags[4] = 0x8000 | (2 << 16) | (3 << 24);
    f.corrValues[4] = 90.0;
    f.z.SetFitProcedure(1, DoubletChiSquare);
    f.z.SetAbbruch(1e-20, 1e-6, 200);
    ASSERT_EQ(f.Run(), -1);
    EXPECT_NEAR(f.par[3], c, 1e-7);
    EXPECT_NEAR(f.par[0], 1.5, 1e-7);
    EXPECT_NEAR(f.par[4], d, 1e-7);
}

namespace {

// The library's own loop, written out with analytic derivatives of the
// decay model, for the fitted list (0, 1).
double DecayChiSquare(int32_t anzahl, int32_t maxFit, double* x, double* y, double* p,
                      double* alpha, double* beta, double* sigma)
{
    double chi = 0.0;
    for (int32_t i = 0; i < anzahl; ++i) {
        const double e = std::exp(-p[1] * x[i]);
        const double m = p[0] * e;
        const double d[2] = {e, -p[0] * x[i] * e};
        const double w = sigma[i] != 0.0 ? 1.0 / (sigma[i] * sigma[i]) : 1.0;
        const double dy = y[i] - m;
        for (int32_t j = 0; j <= maxFit; ++j) {
            for (int32_t k = 0; k <= j; ++k) alpha[j * 400 + k] += d[j] * w * d[k];
            beta[j] += dy * d[j] * w;
        }
        chi += dy * dy * w;
    }
    return chi;
}

}  // namespace

TEST(FitCallback, SameFitAsTheLibraryLoop)
{
    const std::vector<double> x = Grid(25, 0.3);
    std::vector<double> y = Sample(Decay, x, {2.0, 0.7});
    for (std::size_t i = 0; i < y.size(); ++i) y[i] += 0.01 * std::sin(7.0 * i);
    for (int32_t mode : {0, 4}) {
        SCOPED_TRACE(mode);
        FitSetup own(Decay, x, y, {1.0, 0.3}, {0, 1});
        own.z.SetWichtung(mode);
        own.z.SetAbbruch(1e-15, 1e-6, 200);
        ASSERT_EQ(own.Run(), -1);

        FitSetup cb(Decay, x, y, {1.0, 0.3}, {0, 1});
        cb.z.SetWichtung(mode);
        cb.z.SetAbbruch(1e-15, 1e-6, 200);
        cb.z.SetFitProcedure(1, DecayChiSquare);
        ASSERT_EQ(cb.Run(), -1);
        EXPECT_EQ(cb.z.useFitProcedure, 0);  // cleared by the end of the fit

        EXPECT_NEAR(cb.par[0], own.par[0], 1e-8);
        EXPECT_NEAR(cb.par[1], own.par[1], 1e-8);
        EXPECT_NEAR(cb.chisq, own.chisq, 1e-9 * own.chisq);
        double e1[2], e2[2];
        own.z.GetError(e1);
        cb.z.GetError(e2);
        EXPECT_NEAR(e2[0], e1[0], 1e-6 * e1[0]);
        EXPECT_NEAR(e2[1], e1[1], 1e-6 * e1[1]);
    }
}

// A transform fit (callback, weights and both transform arrays registered):
// the R-factor also sums |(realFT - imagFT) w| over |y w| of the ordinates
// stored behind the curve, from the fit as from GetResidual.
TEST(FitCallback, RFactorWithTransformTerms)
{
    const int n = 25;
    const std::vector<double> x = Grid(n, 0.3);
    std::vector<double> y = Sample(Decay, x, {2.0, 0.7});
    for (int i = 0; i < n; ++i) y[i] += 0.01 * std::sin(7.0 * i);
    y.resize(2 * n + 1, 0.0);
    std::vector<double> re(n), im(n), w(n);
    for (int i = 0; i < n; ++i) {
        y[n + 1 + i] = 0.4 + 0.05 * i;
        re[i] = 0.3 * std::sin(1.3 * i);
        im[i] = 0.02 * i;
        w[i] = 1.0 + i % 3;
    }
    FitSetup f(Decay, x, y, {1.0, 0.3}, {0, 1});
    f.z.SetFitProcedure(1, DecayChiSquare);
    f.z.SetWeightFunction(w.data());
    f.z.SetRealFT(re.data());
    f.z.SetImagFT(im.data());
    f.z.SetAbbruch(1e-15, 1e-6, 200);
    ASSERT_EQ(f.Run(), -1);
    double num = 0.0, den = 0.0, plainNum = 0.0, plainDen = 0.0;
    for (int i = 0; i < n; ++i) {
        const double m = Decay(x[i], 0.0, nullptr, nullptr, 0);
        plainNum += std::fabs((y[i] - m) * w[i]);
        plainDen += std::fabs(y[i] * w[i]);
        num += std::fabs((re[i] - im[i]) * w[i]);
        den += std::fabs(y[n + 1 + i] * w[i]);
    }
    const double expected = 100.0 * (plainNum + num) / (plainDen + den);
    EXPECT_NEAR(f.rFactor, expected, 1e-10 * expected);
    EXPECT_GT(std::fabs(expected - 100.0 * plainNum / plainDen), 1.0);  // the terms matter
    double r = 0.0, ss = 0.0;
    ASSERT_EQ(f.z.GetResidual(r, ss), n);
    EXPECT_NEAR(r, expected, 1e-10 * expected);
}
