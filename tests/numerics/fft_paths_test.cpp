// The transform's portable arithmetic (processors without SSE2), compiled
// here apart, gives the library's results bit for bit: the same operations
// in the same order, whatever instructions carry them out.
#include <gtest/gtest.h>

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
            std::vector<double> work = a, re(n / 2), im(n / 2);
            const double nyquist = zelva_portable::RealFft(n, sign, work.data(), 0.5, re.data(), im.data());
            // The real spectrum from the complex transform of the same values.
            std::vector<double> full(2 * n, 0.0);
            for (int j = 0; j < n; ++j) full[2 * j] = a[j];
            ASSERT_EQ(z.Four1(n, sign, full.data()), 1);
            EXPECT_NEAR(nyquist, 0.5 * full[n], 1e-13 * n);
            for (int k = 0; k < n / 2; ++k) {
                EXPECT_NEAR(re[k], 0.5 * full[2 * k], 1e-13 * n) << n << " " << k;
                EXPECT_NEAR(im[k], 0.5 * full[2 * k + 1], 1e-13 * n) << n << " " << k;
            }
        }
    }
}
