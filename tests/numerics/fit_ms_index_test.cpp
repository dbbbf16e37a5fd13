// The multiple-scattering rule with a second operand index of 128 or more:
// the index field is an unsigned byte, even though the word is negative.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "zelva.h"

TEST(FitRules, MultipleScatteringReadsIndicesAbove127)
{
    const int32_t n = 210;
    def_zelva z;
    std::vector<double> a(n + 1, 0.0), values(n + 1, 0.0);
    std::vector<int32_t> liste(n + 1), words(n + 1, 0);
    for (int32_t i = 0; i <= n; ++i) liste[i] = i;
    z.SetParameterCorrelation(words.data(), values.data());
    z.SetParameterDifference(a.data(), nullptr, nullptr, liste.data());
    z.SetAnzahl(-1, n, n - 1);  // parameter 210 outside the fitted part

    const double b = 2.5, e = 1.75, deg = 120.0;
    a[17] = b;
    a[200] = e;
    words[n] = static_cast<int32_t>(0x8000u | (17u << 16) | (200u << 24));
    ASSERT_LT(words[n], 0);
    values[n] = deg;
    z.MS_Correlation(a.data(), a.data(), false, 0);
    const double c = std::cos(deg * 3.141592653589793 / 180.0);
    EXPECT_NEAR(a[n], (b + e + std::sqrt(b * b + e * e - 2.0 * b * e * c)) / 2.0, 1e-12);
}
