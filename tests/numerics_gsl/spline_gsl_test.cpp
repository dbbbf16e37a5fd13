// The natural cubic spline against GSL's cspline, an implementation
// written elsewhere (native builds only).
#include <gtest/gtest.h>

#include <gsl/gsl_errno.h>
#include <gsl/gsl_spline.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "zelva.h"

namespace {

bool ReadColumns(const std::string& path, std::vector<double>& x, std::vector<double>& y)
{
    FILE* f = std::fopen(path.c_str(), "r");
    if (!f) return false;
    char line[512];
    while (std::fgets(line, sizeof line, f)) {
        if (line[0] == '#') continue;
        double a, b;
        if (std::sscanf(line, "%lf %lf", &a, &b) == 2) {
            x.push_back(a);
            y.push_back(b);
        }
    }
    std::fclose(f);
    return true;
}

class GslSpline {
public:
    GslSpline(const std::vector<double>& x, const std::vector<double>& y)
    {
        gsl_set_error_handler_off();
        acc_ = gsl_interp_accel_alloc();
        spline_ = gsl_spline_alloc(gsl_interp_cspline, x.size());
        gsl_spline_init(spline_, x.data(), y.data(), x.size());
    }
    ~GslSpline()
    {
        gsl_spline_free(spline_);
        gsl_interp_accel_free(acc_);
    }
    double At(double t) { return gsl_spline_eval(spline_, t, acc_); }
    double Integral(double a, double b) { return gsl_spline_eval_integ(spline_, a, b, acc_); }

private:
    gsl_interp_accel* acc_;
    gsl_spline* spline_;
};

// Compares at many abscissae, rising and then in a scattered order that
// makes the kept bracket useless.
void CompareWithGsl(std::vector<double> x, std::vector<double> y)
{
    const int n = static_cast<int>(x.size());
    GslSpline gsl(x, y);
    def_zelva z;
    z.SetField(x.data(), y.data());
    z.SetAnzahl(n, -1, -1);
    const int m = 20 * n;
    std::vector<double> at(m), out(m);
    const double x0 = x.front(), range = x.back() - x.front();
    for (int k = 0; k < m; ++k) at[k] = x0 + range * k / (m - 1.0);
    at[m - 1] = x.back();
    z.Splint(m, at.data(), out.data());
    double scale = 0.0;
    for (double v : y) scale = std::max(scale, std::fabs(v));
    for (int k = 0; k < m; ++k) ASSERT_NEAR(out[k], gsl.At(at[k]), 1e-12 * scale) << at[k];

    std::vector<double> y2(n);
    z.spline(y2.data());
    for (int k = 0; k < m; ++k) {
        const double t = x0 + range * ((k * 7919) % m) / (m - 1.0);
        ASSERT_NEAR(z.helpsplint(t, y2.data()), gsl.At(t), 1e-12 * scale) << t;
    }
}

}  // namespace

TEST(NaturalSplineVsGsl, MeasuredCopperSpectrum)
{
    std::vector<double> x, y;
    ASSERT_TRUE(ReadColumns(std::string(KORLAN_TEST_DIR) + "/numerics_gsl/data/cu_10k.xmu", x, y));
    ASSERT_EQ(x.size(), 612u);
    CompareWithGsl(x, y);
}

TEST(NaturalSplineVsGsl, UnevenSyntheticPoints)
{
    std::vector<double> x, y;
    double t = -3.0;
    for (int i = 0; i < 57; ++i) {
        x.push_back(t);
        y.push_back(std::exp(-t * t) * 40.0 + std::sin(5.0 * t));
        t += 0.05 + 0.2 * std::fabs(std::sin(1.7 * i));
    }
    CompareWithGsl(x, y);
    CompareWithGsl({0.0, 1.0, 2.5}, {1.0, -2.0, 0.5});
}

// The data integral (Simpson over the spline) against GSL's exact integral
// of the same spline; the copper spectrum is positive throughout. Over the
// whole range 4000 panels span the close points at the edge only coarsely.
TEST(NaturalSplineVsGsl, DataIntegral)
{
    std::vector<double> x, y;
    ASSERT_TRUE(ReadColumns(std::string(KORLAN_TEST_DIR) + "/numerics_gsl/data/cu_10k.xmu", x, y));
    GslSpline gsl(x, y);
    def_zelva z;
    z.SetField(x.data(), y.data());
    z.SetAnzahl(static_cast<int32_t>(x.size()), -1, -1);
    for (const auto& ab : {std::make_pair(x.front(), x.back()), std::make_pair(8970.0, 9050.0),
                           std::make_pair(9500.5, 11000.25)}) {
        const double want = gsl.Integral(ab.first, ab.second);
        EXPECT_NEAR(z.FeldIntegralSimps(ab.first, ab.second), want, 1e-6 * std::fabs(want))
            << ab.first << " " << ab.second;
    }
}
