#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

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

TEST(NumericsObject, DefaultsAndCounts)
{
    def_zelva z;
    double lEnd, a, h;
    int32_t it;
    z.GetLambdaAbbruch(lEnd, a, h, it);
    EXPECT_EQ(lEnd, 0.0);
    EXPECT_EQ(a, 1e-5);
    EXPECT_EQ(h, 1e-5);
    EXPECT_EQ(it, 50);
    EXPECT_EQ(z.GetWichtung(), 1);
    z.SetAnzahl(300, 7, 2);
    z.SetAnzahl(-1, 5, -1);
    EXPECT_EQ(z.anzahl, 300);
    EXPECT_EQ(z.maxParameter, 5);
    EXPECT_EQ(z.maxFitParameter, 2);
    EXPECT_EQ(z.SetAbleitung(2), 2);
    ASSERT_NE(z.covar, nullptr);
    ASSERT_NE(z.workY, nullptr);
    EXPECT_EQ(z.covar[400 * 401 - 1], 0.0);
}

TEST(NumericsObject, OptionsLineRoundTrip)
{
    def_zelva z;
    z.SetWichtung(3);
    z.SetAbbruch(2.5e-4, 1e-5, 50);
    FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(z.SaveOptions(f), 1);
    std::rewind(f);
    char line[64] = {};
    ASSERT_NE(std::fgets(line, sizeof line, f), nullptr);
    EXPECT_EQ(line[0], '3');
    EXPECT_EQ(line[1], ',');
    std::rewind(f);
    def_zelva back;
    EXPECT_EQ(back.LoadOptions(f), 1);
    EXPECT_EQ(back.GetWichtung(), 3);
    EXPECT_DOUBLE_EQ(back.abbruch, 2.5e-4);
    std::fclose(f);
}
