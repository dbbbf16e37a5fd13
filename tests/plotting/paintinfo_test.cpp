#include <gtest/gtest.h>

#include <cstddef>

#include "vantor.h"

static_assert(sizeof(PAINTINFO) == 42 * 4 + 2 * 8, "PAINTINFO is 42 int32 then 2 doubles");
static_assert(offsetof(PAINTINFO, ShowYText) == 41 * 4, "ShowYText is the 42nd int32");
static_assert(offsetof(PAINTINFO, DotScale) == 42 * 4, "no gap before the doubles");

TEST(Paintinfo, RoundTripAcrossLibrary)
{
    PAINTINFO in{};
    int32_t* words = reinterpret_cast<int32_t*>(&in);
    for (int i = 0; i < 42; ++i) words[i] = 100 + i;
    in.DotScale = 0.25;
    in.SignFactor = -1.0;
    feld_plot plot;
    plot.SetPaintinfo(&in);
    PAINTINFO out{};
    plot.GetPaintinfo(&out);
    const int32_t* back = reinterpret_cast<const int32_t*>(&out);
    for (int i = 0; i < 42; ++i) EXPECT_EQ(back[i], 100 + i) << i;
    EXPECT_EQ(out.DotScale, 0.25);
    EXPECT_EQ(out.SignFactor, -1.0);
    plot.SetPaintinfo(nullptr);
    plot.GetPaintinfo(nullptr);
}
