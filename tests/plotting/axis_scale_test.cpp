// Tick step, tick positions and tick numbers, checked with numbers alone.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>

#include "vantor.h"
// The pure axis functions are internal to the library; their source is
// compiled into the test program so that they can be called directly.
#include "../plotting/src/axis_scale.cpp"

namespace {

struct StepCase {
    int numbers;
    double span;
    double step;
    int decimals;  // -1: left unchanged
};

TEST(FindAxisScale, ReproducesTheTableOfSteps)
{
    const StepCase cases[] = {
        {5, 10.0, 2.5, -1},  {5, 1.0, 0.25, -1},  {5, 7.0, 2.0, -1},
        {5, 0.03, 0.005, 3}, {4, 10.0, 2.75, -1},
    };
    feld_plot plot;
    for (const StepCase& c : cases) {
        int decimals = -1;
        const double step = plot.FindAxisScale(c.numbers, 0.0, c.span, 0, decimals);
        EXPECT_NEAR(step, c.step, c.step * 1e-12) << c.numbers << " " << c.span;
        EXPECT_EQ(decimals, c.decimals) << c.numbers << " " << c.span;
    }
}

TEST(FindAxisScale, FollowsItsFactorsRatherThanFourIntervals)
{
    // With n = 5 the factors stop at 5: span 0.03 gets six intervals of 0.005.
    int decimals = 0;
    const double step = vantor_axis::FindStep(5, 0.03, decimals);
    EXPECT_EQ(static_cast<int>(std::floor(0.03 / step + 1e-9)), 6);
    // Every other n finds a factor below 10 that keeps at most n - 1 intervals.
    for (int n = 2; n <= 12; ++n) {
        if (n == 5) continue;
        for (double span : {0.37, 1.0, 3.3, 12.0, 99.0, 1234.5}) {
            const double s = vantor_axis::FindStep(n, span, decimals);
            ASSERT_GT(s, 0.0);
            EXPECT_LE(std::floor(span / s), n - 1) << n << " " << span;
        }
    }
}

TEST(FindAxisScale, ReturnsAtOnceWithoutAStep)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        int numbers;
        double span;
    } cases[] = {{5, 0.0}, {5, nan}, {5, inf}, {0, 10.0}, {-3, 10.0}, {5, -0.0}};
    const auto start = std::chrono::steady_clock::now();
    for (const auto& c : cases) {
        int decimals = 7;
        EXPECT_EQ(vantor_axis::FindStep(c.numbers, c.span, decimals), 0.0);
        EXPECT_EQ(decimals, 7);
    }
    // Extremely small and large spans still end.
    int decimals = 0;
    EXPECT_GT(vantor_axis::FindStep(5, 1e-310, decimals), 0.0);
    EXPECT_GT(vantor_axis::FindStep(5, 1e300, decimals), 0.0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_TRUE(vantor_axis::AxisTicks(0.0, 4.0, 0.0, 5, 1.15).empty());
}

TEST(WiderStep, ClimbsThroughOneTwoTwoAndAHalfFive)
{
    const struct {
        double step, wider;
    } cases[] = {{1.0, 2.0},    {2.0, 2.5},     {2.5, 5.0},     {5.0, 10.0},
                 {0.0005, 0.001}, {0.002, 0.0025}, {250.0, 500.0}, {1.25, 2.0},
                 {2.75, 5.0},   {7.5, 10.0},    {0.0, 0.0},     {-1.0, 0.0}};
    for (const auto& c : cases) EXPECT_NEAR(vantor_axis::WiderStep(c.step), c.wider, c.wider * 1e-12) << c.step;
    EXPECT_EQ(vantor_axis::WiderStep(std::numeric_limits<double>::infinity()), 0.0);
}

TEST(AxisTicks, RangeZeroToFourIsNumberedInUnits)
{
    int decimals = 0;
    const double F = vantor_axis::FindStep(5, 4.0, decimals);
    ASSERT_DOUBLE_EQ(F, 1.0);
    std::vector<std::string> numbered;
    int minor = 0;
    for (const vantor_axis::Tick& t : vantor_axis::AxisTicks(0.0, 4.0, F, 5, 1.15)) {
        if (t.value > 4.0 + 1e-9) continue;  // beyond the range: the caller's axis decides
        if (t.numbered)
            numbered.push_back(vantor_axis::TickText(t.value, 2, 1.0, 1.0));
        else
            ++minor;
    }
    EXPECT_EQ(numbered, (std::vector<std::string>{"0.0", "1.0", "2.0", "3.0", "4.0"}));
    EXPECT_EQ(minor, 16);
}

TEST(AxisTicks, NegativeAndPositivePartsMeetAtZeroOnce)
{
    const auto ticks = vantor_axis::AxisTicks(-3.0, 2.0, 1.0, 2, 1.15);
    int zeros = 0;
    std::vector<double> numbered;
    for (const auto& t : ticks) {
        if (t.value == 0.0) ++zeros;
        if (t.numbered) numbered.push_back(t.value);
        EXPECT_NEAR(std::fmod(std::fabs(t.value), 0.5), 0.0, 1e-12);
    }
    EXPECT_EQ(zeros, 1);
    std::sort(numbered.begin(), numbered.end());
    EXPECT_EQ(numbered, (std::vector<double>{-3, -2, -1, 0, 1, 2}));
}

TEST(AxisTicks, PositiveRangeStartsAtTheFirstMinorTickAboveLo)
{
    // lo = 1.3, step 0.5, two minor per numbered interval: minor 1.5, numbered 1.5...
    const auto ticks = vantor_axis::AxisTicks(1.3, 3.1, 0.5, 2, 1.0);
    ASSERT_FALSE(ticks.empty());
    EXPECT_NEAR(ticks.front().value, 1.5, 1e-12);
    for (const auto& t : ticks) {
        const bool multiple = std::fabs(t.value / 0.5 - std::round(t.value / 0.5)) < 1e-9;
        EXPECT_EQ(t.numbered, multiple) << t.value;
    }
    // Lines outside 1..20 count as 2.
    EXPECT_EQ(vantor_axis::AxisTicks(0, 1, 0.5, 0, 1.0).size(),
              vantor_axis::AxisTicks(0, 1, 0.5, 2, 1.0).size());
}

TEST(TickText, FormatsPerAxis)
{
    const struct {
        double value;
        int kind;
        double sign, zsign;
        const char* text;
    } cases[] = {
        {5, 2, 1, 1, "5.0"},       {-10, 2, 1, 1, "-10.0"}, {100, 2, 1, 1, "100"},
        {-100, 4, 1, 1, "-100"},   {2.5, 2, 1, 1, "2.5"},   {1e6, 2, 1, 1, "1E+06"},
        {-10, 1, -1.0, 1, "10"},   {7.5, 1, 1, 1, "7.5"},   {5, 1, 1, 1, "5"},
        {3, 3, 1, -1.0, "-3"},     {0.0, 2, 1, 1, "0.0"},   {-0.0, 1, -1.0, 1, "0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(vantor_axis::TickText(c.value, c.kind, c.sign, c.zsign), c.text)
            << c.value << " kind " << c.kind;
}

TEST(ScaleY, PlacesTheZeroRowByTheLayoutRules)
{
    // 0..4 on 400 rows from row 10: bottom row - 1 raised by 3 %, 90 % of the height.
    auto r = vantor_axis::ScaleY(0.0, 4.0, 10.0, 400.0, false, 0.03, 0.04);
    EXPECT_NEAR(r.zero, 10 + 400 - 1 - 12, 1e-9);
    EXPECT_NEAR(r.scale, 0.9 * 400 / 4, 1e-9);
    // Entirely negative: zero row near the top, 91 %.
    r = vantor_axis::ScaleY(-4.0, -1.0, 0.0, 400.0, false, 0.03, 0.04);
    EXPECT_NEAR(r.zero, 20.0, 1e-9);
    EXPECT_NEAR(r.scale, 0.91 * 400 / 3, 1e-9);
    // Both signs: the whole range stays inside the plot.
    r = vantor_axis::ScaleY(-1.0, 3.0, 0.0, 400.0, false, 0.03, 0.04);
    EXPECT_GT(r.zero - 3.0 * r.scale, 0.0);
    EXPECT_LT(r.zero + 1.0 * r.scale, 400.0);
    // No range: no scale, no division by zero.
    EXPECT_EQ(vantor_axis::ScaleY(2.0, 2.0, 0.0, 400.0, false, 0.03, 0.04).scale, 0.0);
    EXPECT_DOUBLE_EQ(vantor_axis::YReference(2, 5), 2);
    EXPECT_DOUBLE_EQ(vantor_axis::YReference(-5, -2), -2);
    EXPECT_DOUBLE_EQ(vantor_axis::YReference(-5, 2), 0);
}

}  // namespace
