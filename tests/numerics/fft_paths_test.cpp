// The transform's portable arithmetic (processors without SSE2), compiled
// here apart, gives the library's results bit for bit: the same operations
// in the same order, whatever instructions carry them out.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "zelva.h"

#define ZELVA_FFT_PORTABLE 1
#define zelva_detail zelva_portable
#include "../../numerics/src/fft.cpp"
#undef zelva_detail

TEST(Four1, PortableArithmeticGivesTheSameBits)
{
    def_zelva z;
    std::mt19937 gen(5);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    for (int n = 2; n <= 32768; n *= 2) {
        for (int isign : {1, -1}) {
            std::vector<double> a(2 * n);
            for (double& v : a) v = u(gen);
            std::vector<double> b = a;
            ASSERT_EQ(z.Four1(n, isign, a.data()), 1);
            zelva_portable::ComplexFft(n, isign, b.data());
            ASSERT_EQ(a, b) << n << " " << isign;
        }
    }
    for (int n = 4; n <= 4096; n *= 4) {
        for (int sign : {1, -1}) {
            std::vector<double> a(n);
            for (double& v : a) v = u(gen);
            std::vector<double> work = a, out(n);
            const double nyquist = zelva_portable::RealFft(n, sign, work.data(), 0.5, out.data());
            // The real spectrum from the complex transform of the same values.
            std::vector<double> full(2 * n, 0.0);
            for (int j = 0; j < n; ++j) full[2 * j] = a[j];
            ASSERT_EQ(z.Four1(n, sign, full.data()), 1);
            EXPECT_NEAR(nyquist, 0.5 * full[n], 1e-13 * n);
            for (int k = 0; k < n / 2; ++k) {
                EXPECT_NEAR(out[2 * k], 0.5 * full[2 * k], 1e-13 * n) << n << " " << k;
                EXPECT_NEAR(out[2 * k + 1], 0.5 * full[2 * k + 1], 1e-13 * n) << n << " " << k;
            }
        }
    }
}

// Accuracy against the direct sum in extended precision, and agreement
// with the radix-2 recurrence that the transform replaced.
TEST(Four1, AccuracyAndAgreementWithTheRecurrence)
{
    def_zelva z;
    std::mt19937 gen(9);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    for (int n : {64, 1024, 4096}) {
        std::vector<double> a(2 * n);
        for (double& v : a) v = u(gen);
        std::vector<double> fast = a, old = a;
        ASSERT_EQ(z.Four1(n, 1, fast.data()), 1);
        zelva_portable::ComplexFftRecurrence(n, 1, old.data());
        long double errSq = 0.0L, normSq = 0.0L, diff = 0.0L, maxOld = 0.0L;
        const long double pi = 3.141592653589793238462643383279502884L;
        std::vector<long double> cs(n), sn(n);
        for (int m = 0; m < n; ++m) {
            cs[m] = std::cos(2.0L * pi * m / n);
            sn[m] = std::sin(2.0L * pi * m / n);
        }
        for (int k = 0; k < n; ++k) {
            long double re = 0.0L, im = 0.0L;
            for (int j = 0, m = 0; j < n; ++j, m = (m + k) & (n - 1)) {
                re += a[2 * j] * cs[m] - a[2 * j + 1] * sn[m];
                im += a[2 * j] * sn[m] + a[2 * j + 1] * cs[m];
            }
            errSq += (fast[2 * k] - re) * (fast[2 * k] - re) + (fast[2 * k + 1] - im) * (fast[2 * k + 1] - im);
            normSq += re * re + im * im;
            diff = std::max(diff, static_cast<long double>(std::fabs(fast[2 * k] - old[2 * k])));
            diff = std::max(diff, static_cast<long double>(std::fabs(fast[2 * k + 1] - old[2 * k + 1])));
            maxOld = std::max(maxOld, static_cast<long double>(std::hypot(old[2 * k], old[2 * k + 1])));
        }
        EXPECT_LT(std::sqrt(errSq / normSq), 1e-15L) << n;
        EXPECT_LT(diff / maxOld, 1e-13L) << n;
    }
}
