#include <gtest/gtest.h>

#include <cmath>

#include "zelva.h"

// Called across the library boundary: log Gamma against std::lgamma.
TEST(Gammln, MatchesLgamma)
{
    def_zelva z;
    for (double x : {0.1, 0.5, 1.0, 2.5, 10.0, 171.3}) {
        EXPECT_NEAR(z.gammln(x), std::lgamma(x), 1e-9 * (1.0 + std::fabs(std::lgamma(x)))) << x;
    }
    EXPECT_NEAR(z.gammln(5.0), std::log(24.0), 1e-10);
}
