// Ordinate and abscissa arithmetic, operand resampling and the paired sort.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

#include "spectra/data_arithmetic.h"

namespace {

std::vector<double> Linspace(double a, double b, int n)
{
    std::vector<double> v(n);
    for (int i = 0; i < n; ++i) v[i] = a + (b - a) * i / (n - 1);
    return v;
}

double Doppelt(double v, double, double*, double*, int32_t) { return 2.0 * v + 1.0; }

}  // namespace

// Each function code against its closed form, through the ordinate
// arithmetic on the curve itself: y := f(factor * y + constant).
TEST(OrdinateArithmetic, FunctionCodesMatchClosedForms)
{
    struct Fall {
        int32_t code;
        double v;
        double erwartet;
    };
    const Fall faelle[] = {
        {FUNK_KEINE, -3.5, -3.5},
        {FUNK_LOG10, 1000.0, 3.0},
        {FUNK_LOG10, 0.0, 0.0},
        {FUNK_LOG10, -5.0, 0.0},
        {FUNK_LN, std::exp(2.5), 2.5},
        {FUNK_LN, -1.0, 0.0},
        {FUNK_EXP, 1.0, 2.718281828459045},
        {FUNK_EXP, 1000.0, HUGE_VAL},
        {FUNK_INVERS, 4.0, 0.25},
        {FUNK_INVERS, 0.0, 0.0},
        {FUNK_WURZEL, 2.25, 1.5},
        {FUNK_WURZEL, -4.0, 0.0},
        {FUNK_KUBIKWURZEL, 27.0, 3.0},
        {FUNK_KUBIKWURZEL, -8.0, -2.0},
        {FUNK_QUADRAT, -1.5, 2.25},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(testing::Message() << "code " << f.code << " v " << f.v);
        if (std::isinf(f.erwartet))
            EXPECT_TRUE(std::isinf(FunktionsWert(f.code, f.v)));
        else
            EXPECT_NEAR(FunktionsWert(f.code, f.v), f.erwartet, 1e-7 * (1.0 + std::fabs(f.erwartet)));
        // factor 2, constant -1 ahead of the function: v = (v' + 1) / 2
        double x = 0.0, y = (f.v + 1.0) / 2.0;
        ASSERT_EQ(SpektrenShiftFeld(&x, &y, 1, 2.0, -1.0, f.code), 1);
        if (std::isinf(f.erwartet))
            EXPECT_TRUE(std::isinf(y));
        else
            EXPECT_NEAR(y, f.erwartet, 1e-7 * (1.0 + std::fabs(f.erwartet)));
    }
}

TEST(OrdinateArithmetic, NeutralFactorAndConstantLeaveTheCurveAsItIs)
{
    std::vector<double> x = Linspace(0, 1, 7), y = {0.1, -2.0, 3e300, -0.0, 1e-300, 5.0, 7.0};
    const std::vector<double> vorher = y;
    ASSERT_EQ(SpektrenShiftFeld(x.data(), y.data(), 7, 1.0, 0.0, FUNK_KEINE), 1);
    for (int i = 0; i < 7; ++i) EXPECT_EQ(std::memcmp(&y[i], &vorher[i], sizeof(double)), 0) << i;
}

// A second operand with the curve's point count is taken index by index,
// whatever its x: the combination codes against their closed forms.
TEST(OrdinateArithmetic, CombinationsWithAnOperandOfEqualLength)
{
    const std::vector<double> x = Linspace(1, 5, 5);
    const std::vector<double> fremdX = {900, -3, 17, 0.5, 2};  // ignored
    const std::vector<double> op = {2, 0, -4, 0.5, 10};
    struct Fall {
        int32_t komb;
        std::vector<double> erwartet;
    };
    // O = 3 * op + 1 = {7, 1, -11, 2.5, 31}; y = {1..5}
    const Fall faelle[] = {
        {KOMB_PLUS, {8, 3, -8, 6.5, 36}},
        {KOMB_MINUS, {-6, 1, 14, 1.5, -26}},
        {KOMB_MAL, {7, 2, -33, 10, 155}},
        {KOMB_DURCH, {1.0 / 7, 2.0, -3.0 / 11, 1.6, 5.0 / 31}},
    };
    for (const Fall& f : faelle) {
        std::vector<double> y = x;
        ASSERT_EQ(SpektrenShiftFeld(x.data(), y.data(), 5, 3.0, 1.0, FUNK_KEINE, 1, f.komb,
                                    fremdX.data(), op.data(), 5),
                  1);
        for (int i = 0; i < 5; ++i) EXPECT_NEAR(y[i], f.erwartet[i], 1e-12) << f.komb << " " << i;
    }
    // A zero divisor gives 0, the function applies to the operand.
    std::vector<double> y = {4, 4}, null = {0, 4};
    ASSERT_EQ(SpektrenShiftFeld(x.data(), y.data(), 2, 1.0, 0.0, FUNK_WURZEL, 101, KOMB_DURCH,
                                x.data(), null.data(), 2),
              1);
    EXPECT_EQ(y[0], 0.0);
    EXPECT_DOUBLE_EQ(y[1], 2.0);
}

// Operand on another grid: the natural spline reproduces a straight line
// exactly and a smooth curve closely; no common range spreads the column
// over the curve's indices; curve points beyond the column get nothing.
TEST(OrdinateArithmetic, OperandOnAnotherGridIsResampledBySpline)
{
    const std::vector<double> x = Linspace(0, 10, 41);
    const std::vector<double> x2 = Linspace(-1, 11, 29);
    std::vector<double> lin(29), sinus(29);
    for (int i = 0; i < 29; ++i) {
        lin[i] = 3.0 * x2[i] - 2.0;
        sinus[i] = std::sin(0.4 * x2[i]);
    }
    std::vector<double> y(41, 1.0);
    ASSERT_EQ(SpektrenShiftFeld(x.data(), y.data(), 41, 1.0, 0.0, FUNK_KEINE, 3, KOMB_PLUS,
                                x2.data(), lin.data(), 29),
              1);
    for (int i = 0; i < 41; ++i) EXPECT_NEAR(y[i], 1.0 + 3.0 * x[i] - 2.0, 1e-10) << i;

    std::fill(y.begin(), y.end(), 0.0);
    ASSERT_EQ(SpektrenShiftFeld(x.data(), y.data(), 41, 1.0, 0.0, FUNK_KEINE, 102, KOMB_PLUS,
                                x2.data(), sinus.data(), 29),
              1);
    for (int i = 0; i < 41; ++i) EXPECT_NEAR(y[i], std::sin(0.4 * x[i]), 1e-3) << i;

    // Column wholly above the curve: n points from its first to its last x.
    const std::vector<double> x3 = Linspace(100, 110, 11);
    std::vector<double> y3(11);
    for (int i = 0; i < 11; ++i) y3[i] = 2.0 * x3[i];
    std::vector<double> o(41);
    ASSERT_EQ(OperandAufAbszisse(x.data(), 41, x3.data(), y3.data(), 11, o.data()), 1);
    for (int i = 0; i < 41; ++i) EXPECT_NEAR(o[i], 2.0 * (100.0 + i * 0.25), 1e-9) << i;

    // Partial overlap: the curve's points below the column's range get 0.
    const std::vector<double> x4 = Linspace(5, 20, 16);
    ASSERT_EQ(OperandAufAbszisse(x.data(), 41, x4.data(), x4.data(), 16, o.data()), 1);
    EXPECT_EQ(o[0], 0.0);
    EXPECT_EQ(o[19], 0.0);  // x = 4.75
    EXPECT_NEAR(o[20], 5.0, 1e-12);
    EXPECT_NEAR(o[40], 10.0, 1e-12);
}

TEST(OrdinateArithmetic, RefusesWhatItCannotDoAndLeavesTheCurve)
{
    const std::vector<double> x = Linspace(0, 1, 4), op = {1, 2, 3, 4};
    std::vector<double> y = {1, 2, 3, 4};
    EXPECT_EQ(SpektrenShiftFeld(x.data(), y.data(), 4, 2.0, 1.0, FUNK_LN, 500, KOMB_PLUS,
                                x.data(), op.data(), 4),
              0);  // no such operand mode
    EXPECT_EQ(SpektrenShiftFeld(x.data(), y.data(), 4, 2.0, 1.0, FUNK_LN, 1, 7, x.data(),
                                op.data(), 4),
              0);  // no such combination
    EXPECT_EQ(SpektrenShiftFeld(x.data(), y.data(), 4, 2.0, 1.0, FUNK_LN, 1, KOMB_PLUS,
                                x.data(), op.data(), 1),
              0);  // one point cannot be resampled
    EXPECT_EQ(y, (std::vector<double>{1, 2, 3, 4}));
}

TEST(OrdinateArithmetic, ExternalFunctionAndCombinationLimit)
{
    std::vector<double> x = Linspace(0, 1, 4), y = {1, 2, 3, 4};
    // Negative mode: the external function replaces the table's function.
    ASSERT_EQ(SpektrenShiftFeld(x.data(), y.data(), 4, 3.0, 0.0, FUNK_LN, -1, 0, nullptr,
                                nullptr, 0, Doppelt),
              1);
    EXPECT_EQ(y, (std::vector<double>{7, 13, 19, 25}));
    // Only the first kombiPunkte points are combined.
    const std::vector<double> op = {1, 1, 1, 1};
    ASSERT_EQ(SpektrenShiftFeld(x.data(), y.data(), 4, 1.0, 0.0, FUNK_KEINE, 101, KOMB_MINUS,
                                x.data(), op.data(), 4, nullptr, 2),
              1);
    EXPECT_EQ(y, (std::vector<double>{6, 12, 19, 25}));
}

TEST(LocalNaturalSpline, MatchesTheClosedFormThroughThreePoints)
{
    // Natural spline through (0,0) (1,1) (2,0): M1 = -3, so S(0.5) = 0.6875.
    const double x[] = {0, 1, 2}, y[] = {0, 1, 0};
    LocalNaturalSpline s;
    ASSERT_TRUE(s.Prepare(x, y, 3));
    EXPECT_DOUBLE_EQ(s.Value(0.5), 0.6875);
    EXPECT_DOUBLE_EQ(s.Value(1.5), 0.6875);
    EXPECT_DOUBLE_EQ(s.Value(1.0), 1.0);
    EXPECT_EQ(s.Value(2.5), 0.0);  // outside the table
    // A table measured top-down is the same spline.
    const double xr[] = {2, 1, 0};
    ASSERT_TRUE(s.Prepare(xr, y, 3));
    EXPECT_DOUBLE_EQ(s.Value(0.5), 0.6875);
    EXPECT_FALSE(s.Prepare(x, y, 1));
}

// Abscissa arithmetic: factor, constant, function, and the reversal of a
// descending axis with or without the y values.
TEST(AbscissaArithmetic, FunctionsAndReversal)
{
    struct Fall {
        const char* name;
        std::vector<double> x, y;
        double factor, constant;
        int32_t code;
        std::vector<double> xErw, yErw;
    };
    const std::vector<Fall> faelle = {
        {"ascending never reversed", {1, 2, 4}, {5, 6, 7}, 2.0, 1.0, FUNK_KEINE, {3, 5, 9}, {5, 6, 7}},
        {"square ascending", {1, 2, 3}, {5, 6, 7}, 1.0, 0.0, FUNK_QUADRAT, {1, 4, 9}, {5, 6, 7}},
        {"descending without y", {3, 2, 1}, {5, 6, 7}, 1.0, 0.0, FUNK_KEINE, {1, 2, 3}, {5, 6, 7}},
        {"descending with y", {3, 2, 1}, {5, 6, 7}, 1.0, 0.0, 1000 + FUNK_KEINE, {1, 2, 3}, {7, 6, 5}},
        {"negation reverses", {1, 2, 3, 4}, {5, 6, 7, 8}, -1.0, 0.0, 1000 + FUNK_KEINE,
         {-4, -3, -2, -1}, {8, 7, 6, 5}},
        {"inversion with y", {1, 2, 4}, {5, 6, 7}, 1.0, 0.0, 1000 + FUNK_INVERS, {0.25, 0.5, 1},
         {7, 6, 5}},
        {"single point", {-1}, {5}, -1.0, 0.0, 1000 + FUNK_KEINE, {1}, {5}},
        {"sort bottom-up with y", {3, 1, 4, 2}, {30, 10, 40, 20}, 1.0, 0.0, 1000 + FUNK_SORT_AUF,
         {1, 2, 3, 4}, {10, 20, 30, 40}},
        {"sort top-down with y", {3, 1, 4, 2}, {30, 10, 40, 20}, 1.0, 0.0, 1000 + FUNK_SORT_AB,
         {4, 3, 2, 1}, {40, 30, 20, 10}},
        {"sort top-down without y", {3, 1, 4, 2}, {30, 10, 40, 20}, 1.0, 0.0, FUNK_SORT_AB,
         {4, 3, 2, 1}, {30, 10, 40, 20}},
    };
    for (const Fall& f : faelle) {
        std::vector<double> x = f.x, y = f.y;
        ASSERT_EQ(AbzissenShiftFeld(x.data(), y.data(), static_cast<int32_t>(x.size()), f.factor,
                                    f.constant, f.code),
                  1);
        EXPECT_EQ(x, f.xErw) << f.name;
        EXPECT_EQ(y, f.yErw) << f.name;
    }
    // Negative code: the external function, v := f(v, 0).
    std::vector<double> x = {1, 2}, y = {0, 0};
    ASSERT_EQ(AbzissenShiftFeld(x.data(), y.data(), 2, 1.0, 0.0, -FUNK_QUADRAT, Doppelt), 1);
    EXPECT_EQ(x, (std::vector<double>{3, 5}));
}

// The sort keeps pairs together and survives the inputs that exhaust the
// stack of a sort that recurses on one side only.
TEST(QuickSortFeld, LargeAdverseInputsStayPaired)
{
    const int n = 35000;
    struct Muster {
        const char* name;
        double (*x)(int i, int n);
    };
    const Muster muster[] = {
        {"reversed", [](int i, int n) { return double(n - i); }},
        {"equal", [](int, int) { return 7.25; }},
        {"sorted", [](int i, int) { return double(i); }},
        {"organ pipe", [](int i, int n) { return double(i < n / 2 ? i : n - i); }},
        {"few values", [](int i, int) { return double((i * 7919) % 5); }},
    };
    for (const Muster& m : muster) {
        std::vector<double> x(n), y(n);
        std::vector<std::pair<double, double>> paare(n);
        for (int i = 0; i < n; ++i) {
            x[i] = m.x(i, n);
            y[i] = i + 0.5;  // distinct, so every pair is identifiable
            paare[i] = {x[i], y[i]};
        }
        QuickSortFeld(x.data(), y.data(), 0, n - 1, 1);
        EXPECT_TRUE(std::is_sorted(x.begin(), x.end())) << m.name;
        std::vector<std::pair<double, double>> danach(n);
        for (int i = 0; i < n; ++i) danach[i] = {x[i], y[i]};
        std::sort(paare.begin(), paare.end());
        std::sort(danach.begin(), danach.end());
        EXPECT_TRUE(paare == danach) << m.name;
    }
}

TEST(QuickSortFeld, WithoutYAndSubrange)
{
    std::vector<double> x = {9, 8, 7, 6, 5, 4, 3, 2, 1, 0}, y = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    QuickSortFeld(x.data(), y.data(), 2, 6, 0);
    EXPECT_EQ(x, (std::vector<double>{9, 8, 3, 4, 5, 6, 7, 2, 1, 0}));
    EXPECT_EQ(y, (std::vector<double>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    QuickSortFeld(x.data(), nullptr, 0, 9, 0);
    EXPECT_EQ(x, (std::vector<double>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

// The dialog values as commands 607 and 608 turn them into calls.
TEST(ArithmeticDialogValues, TurnIntoCalls)
{
    ShiftSchritt s[2];
    const double einfach[14] = {222, 2.5, -1, 1, 0, 1, 0, 220};
    ASSERT_EQ(OrdinatenSchritte(einfach, s), 1);
    EXPECT_EQ(s[0].code, 222);
    EXPECT_EQ(s[0].factor, 2.5);
    EXPECT_EQ(s[0].constant, -1.0);
    EXPECT_EQ(s[0].mode, 0);

    // Second operand: the first graph (101), divided (4).
    const double zwei[14] = {220, 1, 0, 4, 101, 3, 0.5, 225};
    ASSERT_EQ(OrdinatenSchritte(zwei, s), 2);
    EXPECT_EQ(s[1].mode, 101);
    EXPECT_EQ(s[1].combination, KOMB_DURCH);
    EXPECT_EQ(s[1].code, FUNK_WURZEL);
    EXPECT_EQ(s[1].factor, 3.0);
    EXPECT_EQ(s[1].constant, 0.5);
    EXPECT_EQ(OperandArtVon(s[1].mode), OperandArt::Kurve);
    EXPECT_EQ(OperandArtVon(-1), OperandArt::Extern);
    EXPECT_EQ(OperandArtVon(100), OperandArt::Spalte);
    EXPECT_EQ(OperandArtVon(1000), OperandArt::Modell);
    EXPECT_EQ(OperandArtVon(105), OperandArt::Ungueltig);

    const double abszisse[14] = {1227, 1, 0, -1};
    EXPECT_EQ(AbszissenCode(abszisse), -1227);
    const double ohne[14] = {1227, 1, 0, 1};
    EXPECT_EQ(AbszissenCode(ohne), 1227);
    // A damaged macro value converts without undefined behaviour.
    EXPECT_EQ(DwInt(1e300), 2147483647);
    EXPECT_EQ(DwInt(std::nan("")), 0);
}
