// The Stokes deconvolution: an instrument on its own, longer grid, and the
// closed form of two Gaussians.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "xrd/xrd_stokes.h"

TEST(XrdStokes, GaussianByGaussianLeavesTheDifferenceOfVariances)
{
    // Sample: sigma 4 steps at 14 degrees, 1,000 points from 10 in 0.01.
    // Instrument: 8,001 points on a grid of its own, sigma 1.5 sample
    // steps, centred on sample point 500.
    const int n = 1000, m = 8001;
    std::vector<double> x(n), y(n), ix(m), iy(m);
    for (int i = 0; i < n; ++i) {
        x[i] = 10.0 + 0.01 * i;
        y[i] = std::exp(-0.5 * std::pow((x[i] - 14.0) / 0.04, 2));
    }
    for (int j = 0; j < m; ++j) {
        ix[j] = 9.9 + 10.2 * j / (m - 1);
        iy[j] = std::exp(-0.5 * std::pow((ix[j] - 15.0) / 0.015, 2));
    }
    def_zelva z;
    std::vector<double> xo, yo;
    ASSERT_TRUE(XrdStokes(z, x.data(), y.data(), n, ix.data(), iy.data(), m, xo, yo));
    ASSERT_EQ(yo.size(), static_cast<std::size_t>(n));
    const double s = std::sqrt(16.0 - 2.25) * 0.01;
    for (int i = 0; i < n; ++i) {
        EXPECT_EQ(xo[i], x[i]);
        ASSERT_NEAR(yo[i], std::exp(-0.5 * std::pow((x[i] - 14.0) / s, 2)), 1e-6) << i;
    }
}

TEST(XrdStokes, CircularConvolutionIsUndone)
{
    const int n = 1000;
    std::vector<double> x(n), f(n), inst(n), y(n, 0.0);
    for (int i = 0; i < n; ++i) {
        x[i] = 20.0 + 0.02 * i;
        f[i] = std::exp(-0.5 * std::pow((i - 300.0) / 7.0, 2)) + 0.4 * std::exp(-0.5 * std::pow((i - 330.0) / 3.0, 2));
        inst[i] = std::exp(-std::fabs(i - 500.0) / 2.0);
    }
    for (int i = 0; i < n; ++i)
        for (int k = 0; k < n; ++k) y[i] += f[k] * inst[(i - k + n) % n];
    def_zelva z;
    std::vector<double> xo, yo;
    ASSERT_TRUE(XrdStokes(z, x.data(), y.data(), n, x.data(), inst.data(), n, xo, yo));
    const double fmax = *std::max_element(f.begin(), f.end());
    // The input comes back with its halves swapped, scaled to maximum 1.
    for (int i = 0; i < n; ++i) ASSERT_NEAR(yo[(i + n / 2) % n], f[i] / fmax, 1e-8) << i;
}

TEST(XrdStokes, RefusesAnInstrumentWithoutRisingX)
{
    std::vector<double> x = {1, 2, 3}, y = {0, 1, 0}, ix = {1, 1, 2}, iy = {0, 1, 0};
    def_zelva z;
    std::vector<double> xo, yo;
    EXPECT_FALSE(XrdStokes(z, x.data(), y.data(), 3, ix.data(), iy.data(), 3, xo, yo));
    EXPECT_FALSE(XrdStokes(z, x.data(), y.data(), 3, ix.data(), iy.data(), 1, xo, yo));
    EXPECT_TRUE(yo.empty());
}
