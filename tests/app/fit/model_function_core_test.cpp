// The model evaluator: the values of the catalogue functions against their
// closed forms and against each other, the parameter walk, point and array
// mode, switching functions, the model's range and the size limits.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "model_fixture.h"

namespace {

const double PI = 3.14159265358979323846;

std::vector<double> Grid(double from, double to, int n)
{
    std::vector<double> x;
    for (int i = 0; i < n; ++i) x.push_back(from + (to - from) * i / (n - 1));
    return x;
}

}  // namespace

class Evaluator : public ModelFixture {};

TEST_F(Evaluator, GaussianHalfMaximumAndTheWalkPastSwitchedOffFunctions)
{
    Model({1}, {2.0, 5.0, 1.0});
    EXPECT_NEAR(At(4.5), 1.0, 1e-6);
    EXPECT_NEAR(At(5.5), 1.0, 1e-6);
    EXPECT_DOUBLE_EQ(At(5.0), 2.0);
    // A zero width gives the full height everywhere.
    block[2] = 0.0;
    EXPECT_DOUBLE_EQ(At(-40.0), 2.0);

    // Switched off: nothing, and the next function still reads from 3.
    Model({101, 1}, {2.0, 5.0, 1.0, 3.0, 0.0, 2.0});
    EXPECT_DOUBLE_EQ(At(0.0), 3.0);
    EXPECT_NEAR(At(5.0), 3.0 * std::exp(-2.772589 * 6.25), 1e-15);
}

TEST_F(Evaluator, ProfilesThatMustCoincide)
{
    const std::vector<double> xs = Grid(-6.0, 9.0, 61);
    auto curve = [&](std::initializer_list<int32_t> code, std::initializer_list<double> p) {
        Model(code, p);
        return Array(xs);
    };
    const std::vector<double> lorentz = curve({2}, {1.5, 1.0, 2.0, 1.0});
    const std::vector<double> pv0 = curve({3}, {1.5, 1.0, 2.0, 0.0});
    const std::vector<double> pv1 = curve({3}, {1.5, 1.0, 2.0, 1.0});
    const std::vector<double> gauss = curve({1}, {1.5, 1.0, 2.0});
    const std::vector<double> pearson = curve({13}, {1.5, 1.0, 2.0, 1.0, 2.0, 1.0});
    const std::vector<double> asymLorentz = curve({5}, {1.5, 1.0, 2.0, 2.0, 1.0});
    const std::vector<double> asymPv = curve({6}, {1.5, 1.0, 2.0, 2.0, 1.0});
    for (size_t i = 0; i < xs.size(); ++i) {
        const double u = (xs[i] - 1.0) / 2.0;
        EXPECT_NEAR(lorentz[i], 1.5 / (1.0 + 4.0 * u * u), 1e-15);
        EXPECT_NEAR(pv0[i], lorentz[i], 1e-15);
        EXPECT_NEAR(pv1[i], gauss[i], 1e-15);
        EXPECT_NEAR(pearson[i], lorentz[i], 1e-15);
        EXPECT_NEAR(asymLorentz[i], lorentz[i], 1e-15);
        EXPECT_NEAR(asymPv[i], gauss[i], 1e-15);
    }
}

TEST_F(Evaluator, AsymmetricPeaksChooseTheirSideAtThePosition)
{
    Model({4}, {1.0, 2.0, 1.0, 4.0});
    const double x = 2.5;  // half a left width, an eighth of a right width
    EXPECT_DOUBLE_EQ(At(2.0), 1.0);
    EXPECT_NEAR(At(2.0 - 0.5), 0.5, 1e-6);
    EXPECT_NEAR(At(x), std::exp(-2.772589 * 0.125 * 0.125), 1e-15);
    EXPECT_NEAR(At(2.0 + 1e-9), 1.0, 1e-12);
    // Pearson7: exponent and width of the side.
    Model({13}, {1.0, 0.0, 2.0, 1.0, 4.0, 2.0});
    EXPECT_NEAR(At(-1.0), 0.5, 1e-15);
    EXPECT_NEAR(At(2.0), 0.5, 1e-15);
}

TEST_F(Evaluator, ClosedFormsOfTheOtherFunctions)
{
    FitPolyDegree = 2;
    Model({7}, {1.0, 2.0, 3.0});
    EXPECT_DOUBLE_EQ(At(2.0), 1.0 + 4.0 + 12.0);

    Model({11}, {4.0, 0.5, 1.0});  // Avrami: p0 (1 - 1/e) at x = 1/p1
    EXPECT_NEAR(At(2.0), 4.0 * (1.0 - std::exp(-1.0)), 1e-15);
    block[1] = 1.0;
    block[2] = 200.0;               // (p1 x)^p2 = 2^200: overflowing exponent, 0
    EXPECT_EQ(At(2.0), 0.0);

    Model({8}, {3.0, 1.5, 0.5});    // mod. atan: half height at its position
    EXPECT_DOUBLE_EQ(At(1.5), 1.5);
    EXPECT_NEAR(At(1.5 + 0.5 / PI), 3.0 * 0.75, 1e-15);  // atan(1) = pi/4
    block[2] = 0.0;
    EXPECT_DOUBLE_EQ(At(100.0), 1.5);

    Model({19}, {3.0, 1.5, 0.5, 2.0});  // new atan: plus the slope beyond
    EXPECT_NEAR(At(3.5), 3.0 * std::atan(4.0 * PI) / PI + 1.5 + 4.0, 1e-14);
    EXPECT_NEAR(At(-0.5), 3.0 * std::atan(-4.0 * PI) / PI + 1.5, 1e-14);

    Model({32}, {2.5, 1.0, 3.0, 4.0});  // background: p0 at x = 0
    EXPECT_DOUBLE_EQ(At(0.0), 2.5);
    EXPECT_NEAR(At(90.0), 2.5 + 90.0 + 3.0 * std::sin(PI / 4) + 4.0, 1e-12);

    Model({10}, {2.0, 3.0, 0.5});
    EXPECT_NEAR(At(0.7), 2.0 * std::cos(2.6), 1e-15);
    Model({9}, {2.0, 0.5, 1.0, 99.0});
    EXPECT_NEAR(At(2.0), 2.0 * std::exp(2.0), 1e-14);
    block[1] = 0.0;
    EXPECT_DOUBLE_EQ(At(2.0), 2.0);

    // The two-dimensional Gaussian takes y from the index argument.
    Model({80}, {2.0, 1.0, 3.0, 2.0});
    EXPECT_DOUBLE_EQ(At(1.0, 3.0), 2.0);
    EXPECT_NEAR(At(1.0, 3.5), 2.0 * std::exp(-2.772589 * 0.25), 1e-15);
    EXPECT_NEAR(At(2.0, 4.0), 2.0 * std::exp(-2.0 * 2.772589), 1e-15);

    // The Fourier synthesis reads its coefficients from the block's start.
    FourierOrdnung = 2;
    FourierPeriode = 4.0;
    Model({1, 51}, {0.5, 0.25, 0.125});
    block[1] = 1e9;  // as the Gaussian's position: far away
    const double x = 0.3;
    EXPECT_NEAR(At(x), 0.5 + 1e9 * std::cos(2 * PI * x / 4.0) + 0.125 * std::cos(4 * PI * x / 4.0),
                1e-6);
    FourierOrdnung = 0;
}

TEST_F(Evaluator, ParameterOffsetsFollowTheCatalogueCounts)
{
    // The first function's parameters stay 0, so that it adds nothing; the
    // Gaussian (7, 2, 1) after it gives 7 at x = 2 only from its own place.
    struct Case { int32_t first; int32_t polyDegree; int offset; };
    const Case cases[] = {{11, 0, 3}, {9, 0, 4}, {7, 2, 3}, {14, 0, 5}, {25, 0, 1}, {28, 0, 3}, {129, 0, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first);
        FitPolyDegree = c.polyDegree;
        std::fill(block.begin(), block.begin() + 20, 0.0);
        Model({c.first, 1});
        EXPECT_EQ(MaxParameter, c.offset + 2);
        block[c.offset] = 7.0;
        block[c.offset + 1] = 2.0;
        block[c.offset + 2] = 1.0;
        EXPECT_DOUBLE_EQ(At(2.0), 7.0);
        block[c.offset] = 0.0;
        EXPECT_EQ(At(2.0), 0.0);
    }
}

TEST_F(Evaluator, VictoreenReadsItsExponentsAndTruncatesOnlyACopy)
{
    Model({20}, {1.0, 2.0, 3.0});
    block[50] = 2.0;
    block[51] = -1.5;
    block[52] = 0.5;
    EXPECT_NEAR(At(4.0), 16.0 + 2.0 * 0.125 + 3.0 * 2.0, 1e-14);
    // Negative x: whole exponents 2, -1, 0.
    EXPECT_NEAR(At(-2.0), 4.0 - 1.0 + 3.0, 1e-14);
    EXPECT_EQ(block[51], -1.5);
    EXPECT_EQ(block[52], 0.5);
}

TEST_F(Evaluator, VoigtIsAnAreaNormalisedProfileWithItsLimits)
{
    Model({12}, {2.0, 0.5, 0.3, 0.4});
    zelva.SetFunction(Callback);
    const double w = 0.4;
    EXPECT_NEAR(zelva.FuncIntegralSimps(0.5 - 1000 * w, 0.5 + 1000 * w, 400000), 2.0, 1e-3);

    const double g = 0.4, l = 0.3, d = 0.25;
    Model({12}, {2.0, 0.5, 0.0, g});  // Lorentz 0: the Gaussian of area p0
    const double gauss = 2.0 * 2.0 * std::sqrt(std::log(2.0) / PI) / g * std::exp(-4.0 * std::log(2.0) * d * d / (g * g));
    EXPECT_NEAR(At(0.5 + d), gauss, 1e-12);
    block[2] = 1e-9;
    EXPECT_NEAR(At(0.5 + d), gauss, 1e-6);
    Model({12}, {2.0, 0.5, l, 0.0});  // Gauss 0: the Lorentzian of area p0
    const double lorentz = 2.0 * l / (2.0 * PI) / (d * d + l * l / 4.0);
    EXPECT_NEAR(At(0.5 + d), lorentz, 1e-12);
    block[3] = 1e-7;
    EXPECT_NEAR(At(0.5 + d), lorentz, 1e-6);
    Model({12}, {2.0, 0.5, 0.0, 0.0});
    EXPECT_EQ(At(0.5), 0.0);
    EXPECT_EQ(At(0.7), 0.0);
}

TEST_F(Evaluator, ArrayModeZeroesAndSums)
{
    Model({1, 1}, {1.0, 0.0, 1.0, 2.0, 1.0, 1.0});
    std::vector<double> ys = Array({0.0, 1.0});
    EXPECT_NEAR(ys[0], 1.0 + 2.0 * std::exp(-2.772589), 1e-15);
    // n below 2 clears ys[0] only; nothing else is written.
    std::vector<double> x = {1.0, 5.0}, y = {9.0, 9.0};
    ModellAuswerten(env, 0.0, 0.0, x.data(), y.data(), 0);
    EXPECT_EQ(y[0], 0.0);
    EXPECT_EQ(y[1], 9.0);
    // xs without ys is a point call at x.
    EXPECT_NEAR(ModellAuswerten(env, 1.0, 0.0, x.data(), nullptr, 2), 2.0 + std::exp(-2.772589), 1e-15);
}

// Tabulated model 54: the model before it is applied as a relative change
// of the spline through the knots (here the line x + 1).
TEST_F(Evaluator, TabulatedModelScalesTheModelBeforeIt)
{
    SplineKnotCount = 4;
    std::vector<double> tx = Grid(0.0, 3.0, 31), tf(31, 0.0);
    TabellenX = tx.data();
    TabellenFaktor = tf.data();
    TabellenPunkte = 31;
    Model({1, 54}, {2.0, 1.0, 0.5});
    for (int i = 0; i < 4; ++i) {
        block[SPLINE_KNOT_INDEX + i] = i;
        block[MaxParameter - 3 + i] = i + 1.0;
    }
    double* keepX = zelva.xField;
    zelva.anzahl = 17;
    const std::vector<double> ys = Array(tx);
    for (int j = 0; j < 31; ++j) {
        const double u = (tx[j] - 1.0) / 0.5;
        EXPECT_NEAR(ys[j], (2.0 * std::exp(-2.772589 * u * u) + 1.0) * (tx[j] + 1.0), 1e-12) << j;
        EXPECT_NEAR(At(tx[j], j), ys[j], 1e-15) << j;
    }
    EXPECT_EQ(zelva.xField, keepX);
    EXPECT_EQ(zelva.anzahl, 17);
    // A derivative step moves one knot value and evaluates a later point
    // alone: the table follows the knot (its value at x = 2, 3, becomes 4).
    block[MaxParameter - 1] = 4.0;
    const double u = (tx[20] - 1.0) / 0.5;
    EXPECT_NEAR(At(tx[20], 20), (2.0 * std::exp(-2.772589 * u * u) + 1.0) * 4.0, 1e-12);
    TabellenX = TabellenFaktor = nullptr;
    TabellenPunkte = 0;
}

TEST_F(Evaluator, SetFunktionFlagRows)
{
    struct Case { std::vector<int32_t> before; int32_t n, mode; std::vector<int32_t> after; int32_t result; };
    const Case cases[] = {
        {{101, 2, 103}, 0, 0, {1, 2, 3}, 1},
        {{101, 2, 103}, 0, 7, {1, 2, 3}, 1},
        {{1, 2, 3}, 2, 2, {1, 102, 3}, 1},
        {{1, 102, 3}, 2, 2, {1, 102, 3}, 1},
        {{1, 102, 3}, 3, 1, {101, 102, 3}, 1},
        {{101, 2, 3}, 1, 1, {1, 102, 103}, 1},
        {{101, 102, 3}, 2, 0, {1, 102, 3}, 1},
        {{1, 2, 3}, 3, 0, {1, 2, 103}, 1},
        {{1, 2, 3}, 2, 3, {1, 2, 3}, 0},
        {{1, 2, 3}, 4, 1, {1, 2, 3}, 0},
        {{1, 2, 3}, -1, 1, {1, 2, 3}, 0},
    };
    for (const Case& c : cases) {
        FitFunctionCount = static_cast<int32_t>(c.before.size());
        std::copy(c.before.begin(), c.before.end(), types.begin());
        EXPECT_EQ(SetFunktionFlag(c.n, c.mode), c.result) << c.n << " " << c.mode;
        EXPECT_EQ(std::vector<int32_t>(types.begin(), types.begin() + 3), c.after) << c.n << " " << c.mode;
    }
}

// Array mode gives at index j what point mode gives for point j, for every
// code on its own and for mixed models at kinds 0 and above 100.
TEST_F(Evaluator, ArrayModeEqualsPointMode)
{
    const std::vector<double> xs = Grid(0.3, 9.7, 40);
    std::vector<double> phase(60), amp(60);
    for (int j = 0; j < 60; ++j) {
        phase[j] = 0.1 * j;
        amp[j] = 1.0 + 0.01 * j;
    }
    for (int i = 0; i < SHELL_TABLES; ++i) {
        PhasenTabellen[i] = phase.data();
        AmplitudenTabellen[i] = amp.data();
    }
    ShellTabellenPunkte = 60;
    env.KurvenFlags = 0x10;
    FourierOrdnung = 3;
    FourierPeriode = 7.0;
    FitPolyDegree = 3;
    auto check = [&](const std::string& what) {
        const std::vector<double> ys = Array(xs, 0.0);
        double betrag = 0.0;
        for (size_t j = 0; j < xs.size(); ++j) {
            const double punkt = At(xs[j], static_cast<double>(j));
            if (!(std::fabs(ys[j] - punkt) <= 1e-15)) {
                ADD_FAILURE() << what << " at " << j << ": " << ys[j] << " against " << punkt;
                break;
            }
            betrag += std::fabs(ys[j]);
        }
        return betrag;
    };
    const double values[] = {1.3, 4.2, 2.1, 0.7, 1.9, 0.6, 0.002, 0.5, 0.001};
    for (int32_t code : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 25, 27,
                         28, 29, 30, 31, 32, 51, 80}) {
        FitModellArt = 0;
        types[0] = code;
        FitFunctionCount = 1;
        ASSERT_GE(ResetModelTables(), 0);
        for (int i = 0; i < 9; ++i) block[i] = values[i];
        block[50] = 1.5;
        if (code == 17 || code == 18) block[4] = block[5] = 0.003;  // cumulants within limits
        const double betrag = check(std::to_string(code));
        const bool nichts = code == 14 || code == 25 || code == 27 || (code >= 28 && code <= 31);
        EXPECT_EQ(betrag == 0.0, nichts) << code;
    }
    for (int32_t art : {0, 101, 102, 103, 104, 106, 110}) {
        FitModellArt = art;
        Model({7, 1, 15, 104, 13, 12, 32}, {0.1, 0.2, 0.3, 0.05, 1.0, 3.0, 0.8, 6.0, 2.5, 0.004, 1.0,
                                             1.0, 5.0, 1.0, 2.0, 1.0, 6.0, 1.0, 2.0, 1.5, 2.0, 0.4,
                                             0.5, 0.6, 0.2, 0.1, 0.05, 0.02, 0.01});
        if (art == 103) types[2] = 115;  // shells contribute only to arrays there
        EXPECT_GT(check(std::to_string(art)), 0.0);
    }
    for (int i = 0; i < SHELL_TABLES; ++i) PhasenTabellen[i] = AmplitudenTabellen[i] = nullptr;
    ShellTabellenPunkte = 0;
    FourierOrdnung = 0;
}

// The range passes: the whole model, then each function alone, sampled at
// x1, x1 + 0.4, ..., 100; every function is on at the end.
TEST_F(Evaluator, ModelRangeSamplesEachFunctionAndSwitchesAllOn)
{
    Model({1, 1, 25}, {1.0, 0.2, 0.1, -3.0, 60.0, 1.0, 1.0});
    double lo = 0, hi = 0;
    ModellMinMax(env, Callback, &lo, &hi, -100.0, 100.0);
    // The narrow peak at 0.2 lies between the samples 0.0 and 0.4.
    EXPECT_NEAR(hi, std::exp(-2.772589 * 4.0), 1e-12);
    EXPECT_NEAR(lo, -3.0, 1e-12);
    EXPECT_EQ(types[0], 1);
    EXPECT_EQ(types[2], 25);
    EXPECT_EQ(zelva.function, &Callback);

    block[1] = 0.4;  // on a sample now
    ModellMinMax(env, Callback, &lo, &hi, -100.0, 100.0);
    EXPECT_NEAR(hi, 1.0, 1e-12);
    // The last sample is x2 itself.
    FitPolyDegree = 1;
    Model({7}, {0.0, 1.0});
    ModellMinMax(env, Callback, &lo, &hi, -100.0, 100.0);
    EXPECT_DOUBLE_EQ(lo, -100.0);
    EXPECT_DOUBLE_EQ(hi, 100.0);
    // Other kinds: arrays on x1 - step, x1, ... below x2.
    FitModellArt = 101;
    ModellMinMax(env, Callback, &lo, &hi, -100.0, 100.0);
    EXPECT_NEAR(lo, -100.4, 1e-9);
    EXPECT_NEAR(hi, 99.6, 1e-9);
    // Kinds of a transform or a FEFF fit use the curve's own points.
    const std::vector<double> curve = {3.0, 7.0, 5.0};
    env.KurveX = curve.data();
    env.KurvenPunkte = 3;
    FitModellArt = 106;
    ModellMinMax(env, Callback, &lo, &hi, -100.0, 100.0);
    EXPECT_DOUBLE_EQ(lo, 3.0);
    EXPECT_DOUBLE_EQ(hi, 7.0);

    // A function that was off is on afterwards (its own pass included it).
    FitModellArt = 0;
    Model({1, 101}, {1.0, 0.0, 1.0, 5.0, 0.0, 1.0});
    ModellMinMax(env, Callback, &lo, &hi, -1.0, 1.0);
    EXPECT_DOUBLE_EQ(hi, 5.0);
    EXPECT_EQ(types[1], 1);
}

TEST_F(Evaluator, OversizedModelContributesNothing)
{
    FitFunctionCount = 84;
    for (int i = 0; i < 84; ++i) types[i] = 1;
    block[0] = 1.0;
    EXPECT_EQ(At(0.0), 0.0);
    FitFunctionCount = 83;
    EXPECT_EQ(At(0.0), 1.0);
}

// A long curve at a post-processed kind: the blocks are sized from n.
TEST_F(Evaluator, LongArraysAtAPostProcessedKind)
{
    Model({1}, {1.0, 0.0, 1.0});
    FitModellArt = 1;
    const std::vector<double> xs = Grid(-5.0, 5.0, 20000);
    const std::vector<double> ys = Array(xs);
    EXPECT_NEAR(ys[10000], std::exp(-2.772589 * std::pow(xs[10000], 2)), 1e-15);
    FitModellArt = 3;  // kind 3: no walk, only the post-processing
    EXPECT_EQ(Array(xs)[10000], 0.0);
}
