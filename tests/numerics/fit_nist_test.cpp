// The fit against certified results: NIST StRD nonlinear regression
// problems of lower, average and higher difficulty from both start points,
// and a straight line against its closed-form covariance.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "fit_test_support.h"

using fit_test::FitSetup;
using fit_test::g_par;

namespace {

double Misra1a(double x, double, double* xs, double* ys, int32_t n)
{
    auto f = [](double t) { return g_par[0] * (1.0 - std::exp(-g_par[1] * t)); };
    if (xs) { for (int32_t i = 0; i < n; ++i) ys[i] = f(xs[i]); return 0.0; }
    return f(x);
}

double Misra1c(double x, double, double* xs, double* ys, int32_t n)
{
    auto f = [](double t) { return g_par[0] * (1.0 - std::pow(1.0 + 2.0 * g_par[1] * t, -0.5)); };
    if (xs) { for (int32_t i = 0; i < n; ++i) ys[i] = f(xs[i]); return 0.0; }
    return f(x);
}

double DanWood(double x, double, double* xs, double* ys, int32_t n)
{
    auto f = [](double t) { return g_par[0] * std::pow(t, g_par[1]); };
    if (xs) { for (int32_t i = 0; i < n; ++i) ys[i] = f(xs[i]); return 0.0; }
    return f(x);
}

double Mgh09(double x, double, double* xs, double* ys, int32_t n)
{
    auto f = [](double t) {
        return g_par[0] * (t * t + t * g_par[1]) / (t * t + t * g_par[2] + g_par[3]);
    };
    if (xs) { for (int32_t i = 0; i < n; ++i) ys[i] = f(xs[i]); return 0.0; }
    return f(x);
}

double Thurber(double x, double, double* xs, double* ys, int32_t n)
{
    auto f = [](double t) {
        const double* b = g_par;
        return (b[0] + b[1] * t + b[2] * t * t + b[3] * t * t * t) /
               (1.0 + b[4] * t + b[5] * t * t + b[6] * t * t * t);
    };
    if (xs) { for (int32_t i = 0; i < n; ++i) ys[i] = f(xs[i]); return 0.0; }
    return f(x);
}

struct NistProblem {
    std::string name;
    ModellCallback model;
    std::vector<double> x, y;
    std::vector<double> start1, start2, certified, certifiedError;
    double certifiedRss;
    // The derivative step is absolute: one that suits the parameter scale.
    double step;
};

// Data and certified values as published by NIST (Statistical Reference
// Datasets, nonlinear regression; public domain).
const std::vector<double> kMisraX = {77.6,  114.9, 141.1, 190.8, 239.9, 289.0, 332.8,
                                     378.4, 434.8, 477.3, 536.8, 593.1, 689.1, 760.0};
const std::vector<double> kMisraY = {10.07, 14.73, 17.94, 23.93, 29.61, 35.18, 40.02,
                                     44.82, 50.76, 55.05, 61.01, 66.40, 75.47, 81.78};

std::vector<NistProblem> Problems()
{
    return {
        // lower difficulty
        {"Misra1a", Misra1a, kMisraX, kMisraY, {500.0, 1e-4}, {250.0, 5e-4},
         {2.3894212918E+02, 5.5015643181E-04}, {2.7070075241E+00, 7.2668688436E-06},
         1.2455138894E-01, 1e-6},
        {"DanWood", DanWood, {1.309, 1.471, 1.490, 1.565, 1.611, 1.680},
         {2.138, 3.421, 3.597, 4.340, 4.882, 5.660}, {1.0, 5.0}, {0.7, 4.0},
         {7.6886226176E-01, 3.8604055871E+00}, {1.8281973860E-02, 5.1726610913E-02},
         4.3173084083E-03, 1e-6},
        // average difficulty
        {"Misra1c", Misra1c, kMisraX, kMisraY, {500.0, 1e-4}, {600.0, 2e-4},
         {6.3642725809E+02, 2.0813627256E-04}, {4.6638326572E+00, 1.7728423155E-06},
         4.0966836971E-02, 1e-6},
        // higher difficulty
        {"MGH09", Mgh09,
         {4.0, 2.0, 1.0, 0.5, 0.25, 0.167, 0.125, 0.1, 0.0833, 0.0714, 0.0625},
         {0.1957, 0.1947, 0.1735, 0.1600, 0.0844, 0.0627, 0.0456, 0.0342, 0.0323, 0.0235, 0.0246},
         {25.0, 39.0, 41.5, 39.0}, {0.25, 0.39, 0.415, 0.39},
         {1.9280693458E-01, 1.9128232873E-01, 1.2305650693E-01, 1.3606233068E-01},
         {1.1435312227E-02, 1.9633220911E-01, 8.0842031232E-02, 9.0025542308E-02},
         3.0750560385E-04, 1e-4},
        {"Thurber", Thurber,
         {-3.067, -2.981, -2.921, -2.912, -2.840, -2.797, -2.702, -2.699, -2.633, -2.481,
          -2.363, -2.322, -1.501, -1.460, -1.274, -1.212, -1.100, -1.046, -0.915, -0.714,
          -0.566, -0.545, -0.400, -0.309, -0.109, -0.103, 0.010,  0.119,  0.377,  0.790,
          0.963,  1.006,  1.115,  1.572,  1.841,  2.047,  2.200},
         {80.574,   84.248,   87.264,   87.195,   89.076,   89.608,   89.868,   90.101,
          92.405,   95.854,   100.696,  101.060,  401.672,  390.724,  567.534,  635.316,
          733.054,  759.087,  894.206,  990.785,  1090.109, 1080.914, 1122.643, 1178.351,
          1260.531, 1273.514, 1288.339, 1327.543, 1353.863, 1414.509, 1425.208, 1421.384,
          1442.962, 1464.350, 1468.705, 1447.894, 1457.628},
         {1000.0, 1000.0, 400.0, 40.0, 0.7, 0.3, 0.03},
         {1300.0, 1500.0, 500.0, 75.0, 1.0, 0.4, 0.05},
         {1.2881396800E+03, 1.4910792535E+03, 5.8323836877E+02, 7.5416644291E+01,
          9.6629502864E-01, 3.9797285797E-01, 4.9727297349E-02},
         {4.6647963344E+00, 3.9571156086E+01, 2.8698696102E+01, 5.5675370270E+00,
          3.1333340687E-02, 1.4984928198E-02, 6.5842344623E-03},
         5.6427082397E+03, 1e-4},
    };
}

std::vector<int32_t> AllFitted(std::size_t n)
{
    std::vector<int32_t> l;
    for (std::size_t i = 0; i < n; ++i) l.push_back(static_cast<int32_t>(i));
    return l;
}

}  // namespace

// The typed-in data and certified values must agree with each other before
// they can judge the fit.
TEST(FitNist, CertifiedValuesGiveCertifiedResidualSum)
{
    for (const NistProblem& p : Problems()) {
        double b[8] = {};
        for (std::size_t i = 0; i < p.certified.size(); ++i) b[i] = p.certified[i];
        g_par = b;
        double rss = 0.0;
        for (std::size_t i = 0; i < p.x.size(); ++i) {
            const double d = p.y[i] - p.model(p.x[i], 0.0, nullptr, nullptr, 0);
            rss += d * d;
        }
        EXPECT_NEAR(rss, p.certifiedRss, 1e-8 * p.certifiedRss) << p.name;
    }
}

TEST(FitNist, BothStartsReachCertifiedValuesAndErrors)
{
    for (const NistProblem& p : Problems()) {
        for (int s = 1; s <= 2; ++s) {
            SCOPED_TRACE(p.name + " start " + std::to_string(s));
            const std::vector<double>& start = s == 1 ? p.start1 : p.start2;
            FitSetup f(p.model, p.x, p.y, start, AllFitted(start.size()));
            f.z.SetAbbruch(1e-14 * p.certifiedRss, p.step, 2000);
            ASSERT_EQ(f.Run(), -1);
            const std::size_t np = start.size();
            EXPECT_NEAR(f.chisq, p.certifiedRss, 1e-7 * p.certifiedRss);
            double err[8] = {};
            EXPECT_EQ(f.z.GetError(err), static_cast<int32_t>(np));
            const double scale = std::sqrt(f.chisq / static_cast<double>(p.x.size() - np));
            for (std::size_t j = 0; j < np; ++j) {
                EXPECT_NEAR(f.par[j], p.certified[j], 1e-6 * std::fabs(p.certified[j])) << j;
                EXPECT_NEAR(err[j] * scale, p.certifiedError[j], 1e-3 * p.certifiedError[j]) << j;
            }
            // The difference array holds data minus the fitted model.
            double sum = 0.0;
            for (double d : f.diff) sum += d * d;
            EXPECT_NEAR(sum, p.certifiedRss, 1e-7 * p.certifiedRss);
        }
    }
}

namespace {
double Line(double x, double, double* xs, double* ys, int32_t n)
{
    if (xs) { for (int32_t i = 0; i < n; ++i) ys[i] = g_par[0] + g_par[1] * xs[i]; return 0.0; }
    return g_par[0] + g_par[1] * x;
}
}  // namespace

// Straight line: the fitted values and covar against the normal equations
// solved in closed form, (X^T X)^-1.
TEST(FitNist, StraightLineMatchesClosedForm)
{
    std::vector<double> x, y;
    for (int i = 0; i < 40; ++i) {
        x.push_back(0.25 * i - 3.0);
        y.push_back(1.7 - 0.45 * x.back() + 0.3 * std::sin(3.1 * i));  // scatter
    }
    double sx = 0, sxx = 0, sy = 0, sxy = 0;
    const double n = static_cast<double>(x.size());
    for (std::size_t i = 0; i < x.size(); ++i) {
        sx += x[i]; sxx += x[i] * x[i]; sy += y[i]; sxy += x[i] * y[i];
    }
    const double det = n * sxx - sx * sx;
    const double c00 = sxx / det, c11 = n / det, c01 = -sx / det;
    const double b = (n * sxy - sx * sy) / det;
    const double a = (sy - b * sx) / n;

    // List order 1, 0: everything after the fit is by list position.
    FitSetup f(Line, x, y, {0.0, 0.0}, {1, 0});
    f.z.SetAbbruch(1e-12, 1e-3, 200);
    ASSERT_EQ(f.Run(), -1);
    EXPECT_NEAR(f.par[0], a, 1e-9);
    EXPECT_NEAR(f.par[1], b, 1e-9);
    double err[2];
    f.z.GetError(err);
    EXPECT_NEAR(err[0] * err[0], c11, 1e-8 * c11);
    EXPECT_NEAR(err[1] * err[1], c00, 1e-8 * c00);
    double corr[4] = {};
    EXPECT_EQ(f.z.GetCorrelation(corr), 0.0);
    const double r = c01 / std::sqrt(c00 * c11);
    EXPECT_NEAR(corr[1], r, 1e-8);
    EXPECT_NEAR(corr[2], r, 1e-8);
    EXPECT_NEAR(corr[0], 1.0, 1e-12);
    EXPECT_NEAR(corr[3], 1.0, 1e-12);
}
