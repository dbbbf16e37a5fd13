// The bar of the progress window.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "shell/progress_window.h"

TEST(ProgressBar, BarGrowsWithTheValueInsideItsFrame)
{
    BALKEN_RECHTECK b;
    ASSERT_TRUE(ProgressBalken(500, 300, 0.0, 10.0, 5.0, &b));
    EXPECT_EQ(b.Links, 100);
    EXPECT_EQ(b.Oben, 60);
    EXPECT_EQ(b.Rechts, 250);
    EXPECT_EQ(b.Unten, 180);
    ASSERT_TRUE(ProgressBalken(500, 300, 0.0, 10.0, 10.0, &b));
    EXPECT_EQ(b.Rechts, 400);
    const BALKEN_RECHTECK r = ProgressRahmen(500, 300);
    EXPECT_EQ(r.Links, 99);
    EXPECT_EQ(r.Oben, 59);
    EXPECT_EQ(r.Rechts, 401);
    EXPECT_EQ(r.Unten, 181);
    // A falling range fills as well.
    ASSERT_TRUE(ProgressBalken(500, 300, 10.0, 0.0, 7.5, &b));
    EXPECT_EQ(b.Rechts, 100 + 75);
}

TEST(ProgressBar, EmptyRangeDrawsNoBarAndOutsideValuesStayInTheFrame)
{
    BALKEN_RECHTECK b;
    EXPECT_FALSE(ProgressBalken(500, 300, 3.0, 3.0, 3.0, &b));
    EXPECT_FALSE(ProgressBalken(500, 300, 0.0, 1.0, std::numeric_limits<double>::quiet_NaN(), &b));
    ASSERT_TRUE(ProgressBalken(500, 300, 0.0, 1.0, 1e300, &b));
    EXPECT_EQ(b.Rechts, 400);
    ASSERT_TRUE(ProgressBalken(500, 300, 0.0, 1.0, -7.0, &b));
    EXPECT_EQ(b.Rechts, 100);
}
