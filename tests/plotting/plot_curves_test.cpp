// Data arrays and model functions drawn into a memory bitmap and into an
// enhanced metafile: positions, point counts, resampling, styles.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "plotting/plot_test_support.h"

using namespace plot_test;

namespace {

constexpr COLORREF RED = RGB(255, 0, 0);
constexpr COLORREF BLUE = RGB(0, 0, 255);

double Wave(double x) { return 1.0 + 0.5 * std::cos(x); }
double Bump(double x) { return 2.0 + std::sin(x); }

// Model callback with a closed form; records how it was called.
struct ModelCalls {
    int arrayCalls = 0, pointCalls = 0, lastN = 0;
    double lastIndex = -1.0;
} g_calls;

double BumpModel(double x, double index, double* xs, double* ys, int32_t n)
{
    if (xs) {
        ++g_calls.arrayCalls;
        g_calls.lastN = n;
        g_calls.lastIndex = index;
        for (int32_t i = 0; i < n; ++i) ys[i] = Bump(xs[i]);
        return 0.0;
    }
    ++g_calls.pointCalls;
    return Bump(x);
}

const std::vector<POINT>* Longest(const EmfContent& c)
{
    const std::vector<POINT>* best = nullptr;
    for (const auto& pl : c.polylines)
        if (!best || pl.size() > best->size()) best = &pl;
    return best;
}

class CurvesTest : public ::testing::Test {
protected:
    void SetUp() override { g_calls = ModelCalls{}; }
    Fonts fonts;
    feld_plot p;
};

TEST_F(CurvesTest, DataPointsLandOnTheirPixels)
{
    Canvas cv(640, 480);
    Curve c = MakeCurve(101, 0.0, 10.0, Wave);
    Prepare(p, fonts, c, nullptr);
    ASSERT_EQ(p.PlotFrame(cv.dc, 1, 0, 0), 1);
    ASSERT_EQ(p.PlotFieldFunction(cv.dc, 1, 0, 0, 0), 1);
    for (int i = 3; i < 100; i += 7) {
        int px = 0, py = 0;
        ASSERT_EQ(p.GetScreen(c.x[i], c.y[i], px, py), 1);
        EXPECT_TRUE(cv.Near(px, py, RED, 1)) << i;
    }
    EXPECT_EQ(p.FirstIndex, 0);
    EXPECT_EQ(p.LastIndex, 100);
}

TEST_F(CurvesTest, ThePointCountIsHonoured)
{
    // 60 points inside a larger array whose stale tail still rises in x.
    Curve c = MakeCurve(100, 0.0, 9.9, Wave);
    for (int i = 60; i < 100; ++i) c.y[i] = 3.9;
    c.y[59] = 0.0;  // a real last point at y = 0
    Prepare(p, fonts, c, nullptr);
    p.SetPointCount(60);
    Metafile mf;
    ASSERT_EQ(p.PlotFrame(mf.dc, 1, 0, 0), 1);
    ASSERT_EQ(p.PlotFieldFunction(mf.dc, 1, 0, 0, 0), 1);
    const EmfContent e = mf.Finish();
    const std::vector<POINT>* line = Longest(e);
    ASSERT_NE(line, nullptr);
    ASSERT_EQ(line->size(), 60u);
    int px = 0, py = 0;
    p.GetScreen(c.x[59], 0.0, px, py);
    EXPECT_EQ(line->back().x, px);
    EXPECT_EQ(line->back().y, py);
    EXPECT_EQ(p.LastIndex, 59);

    // An array without any memory behind it: exactly its points.
    std::vector<double> x(c.x.begin(), c.x.begin() + 25), y(c.y.begin(), c.y.begin() + 25);
    p.SetFieldFunction(x.data(), y.data(), nullptr, nullptr, 25);
    p.SetBorder(0.0, 10.0);
    Metafile mf2;
    ASSERT_EQ(p.PlotFrame(mf2.dc, 1, 0, 1), 1);
    ASSERT_EQ(p.PlotFieldFunction(mf2.dc, 1, 0, 0, 0), 1);
    const EmfContent e2 = mf2.Finish();
    ASSERT_NE(Longest(e2), nullptr);
    EXPECT_EQ(Longest(e2)->size(), 25u);

    // Count 0 draws nothing.
    p.SetFieldFunction(x.data(), y.data(), nullptr, nullptr, 0);
    Canvas cv(640, 480);
    EXPECT_EQ(p.PlotFrame(cv.dc, 1, 0, 1), 0);
    EXPECT_EQ(p.PlotFieldFunction(cv.dc, 1, 0, 0, 0), 0);
}

TEST_F(CurvesTest, UnknownCountStillScansAZeroFilledArray)
{
    std::vector<double> x(200, 0.0), y(200, 0.0);
    for (int i = 0; i < 50; ++i) {
        x[i] = 0.1 + 0.2 * i;
        y[i] = Wave(x[i]);
    }
    Curve none;
    Prepare(p, fonts, none, nullptr);  // fonts and options only
    p.SetFieldFunction(x.data(), y.data());
    p.SetBorder(0.0, 10.0);
    Metafile mf;
    ASSERT_EQ(p.PlotFrame(mf.dc, 1, 0, 0), 1);
    ASSERT_EQ(p.PlotFieldFunction(mf.dc, 1, 0, 0, 0), 1);
    EXPECT_EQ(p.LastIndex, 49);
    const EmfContent e = mf.Finish();
    ASSERT_NE(Longest(e), nullptr);
    EXPECT_EQ(Longest(e)->size(), 50u);
}

TEST_F(CurvesTest, LongArraysAreResampledAndLeftUnchanged)
{
    Curve c = MakeCurve(3000, 0.0, 10.0, Bump);
    const Curve copy = c;
    Prepare(p, fonts, c, nullptr);
    Metafile mf;
    ASSERT_EQ(p.PlotFrame(mf.dc, 1, 0, 0), 1);
    ASSERT_EQ(p.PlotFieldFunction(mf.dc, 1, 0, 0, 0), 1);
    const EmfContent e = mf.Finish();
    EXPECT_EQ(std::memcmp(c.x.data(), copy.x.data(), c.x.size() * sizeof(double)), 0);
    EXPECT_EQ(std::memcmp(c.y.data(), copy.y.data(), c.y.size() * sizeof(double)), 0);
    EXPECT_EQ(p.FirstIndex, 0);
    EXPECT_EQ(p.LastIndex, 2999);

    const std::vector<POINT>* line = Longest(e);
    ASSERT_NE(line, nullptr);
    // 1500 intervals of 1/1500 of the span: 1501 points.
    ASSERT_EQ(line->size(), 1501u);
    for (size_t i = 0; i < line->size(); ++i) {
        const double x = 10.0 * i / 1500.0;
        int px = 0, py = 0;
        p.GetScreen(x, Bump(x), px, py);
        EXPECT_EQ((*line)[i].x, px) << i;
        EXPECT_NEAR((*line)[i].y, py, 1) << i;
    }

    // The same in a bitmap: the curve is where the closed form says.
    Canvas cv(640, 480);
    Prepare(p, fonts, c, nullptr);
    ASSERT_EQ(p.PlotFrame(cv.dc, 1, 0, 0), 1);
    ASSERT_EQ(p.PlotFieldFunction(cv.dc, 1, 0, 0, 0), 1);
    for (double x = 0.3; x < 10.0; x += 0.77) {
        int px = 0, py = 0;
        p.GetScreen(x, Bump(x), px, py);
        EXPECT_TRUE(cv.Near(px, py, RED, 1)) << x;
    }
}

TEST_F(CurvesTest, ModelFunctionIsEvaluatedOnAGridAndDrawn)
{
    Canvas cv(640, 480);
    Curve c = MakeCurve(101, 0.0, 10.0, Wave);
    Prepare(p, fonts, c, BumpModel);
    ASSERT_EQ(p.PlotFrame(cv.dc, 0, 1, 1), 1);
    EXPECT_LE(p.YMin, 1.0 + 1e-3);
    EXPECT_GE(p.YMax, 3.0 - 1e-3);
    g_calls = ModelCalls{};
    ASSERT_EQ(p.PlotFieldFunction(cv.dc, 0, 1, 0, 0), 1);
    EXPECT_EQ(g_calls.arrayCalls, 1);
    // Two pixels apart over the plot width.
    EXPECT_NEAR(g_calls.lastN, p.GraphWidth / 2 + 1, 1);
    for (double x = 0.2; x < 10.0; x += 0.61) {
        int px = 0, py = 0;
        p.GetScreen(x, Bump(x), px, py);
        EXPECT_TRUE(cv.Near(px, py, BLUE, 2)) << x;
    }
    EXPECT_EQ(cv.Count(RED), 0);
}

TEST_F(CurvesTest, DottedModelUsesTheMeanFontWidthAsStep)
{
    Canvas cv(640, 480);
    Curve c = MakeCurve(101, 0.0, 10.0, Wave);
    Prepare(p, fonts, c, BumpModel);
    p.SetPlotOptions(RGB(255, 0, 0), RGB(0, 0, 255), 0, 2, 1, 1, 0, 0, 0);
    p.SetScalExtent(6, 0, 0, 0, 9, 0, 9, 0);  // mean of 6, 9 and 9 = 8
    ASSERT_EQ(p.PlotFrame(cv.dc, 1, 1, 1), 1);
    ASSERT_EQ(p.PlotFieldFunction(cv.dc, 0, 1, 0, 0), 1);
    EXPECT_NEAR(g_calls.lastN, p.GraphWidth / 8 + 1, 1);
}

TEST_F(CurvesTest, WithoutAModelNothingIsDrawnForIt)
{
    Canvas cv(640, 480);
    Curve c = MakeCurve(101, 0.0, 10.0, Wave);
    Prepare(p, fonts, c, nullptr);
    ASSERT_EQ(p.PlotFrame(cv.dc, 1, 0, 0), 1);
    const auto before = cv.Snapshot();
    EXPECT_EQ(p.PlotFieldFunction(cv.dc, 0, 1, 0, 0), 0);
    EXPECT_EQ(cv.Snapshot(), before);
    // A frame for the function alone finds no range.
    Prepare(p, fonts, c, nullptr);
    EXPECT_EQ(p.PlotFrame(cv.dc, 0, 1, 1), 0);
}

TEST_F(CurvesTest, OnlyXPointsIsBoundedByTheWorkBlock)
{
    Curve c = MakeCurve(20000, 0.0, 10.0, Bump);
    Canvas cv(640, 480);
    Prepare(p, fonts, c, BumpModel);
    p.SetOnlyXPoints(1);
    ASSERT_EQ(p.PlotFrame(cv.dc, 1, 1, 1), 1);
    ASSERT_EQ(p.PlotFieldFunction(cv.dc, 1, 1, 0, 0), 1);
    EXPECT_EQ(g_calls.lastN, VANTOR_WORK_VALUES);
    EXPECT_EQ(g_calls.lastIndex, 0.0);
    EXPECT_GT(cv.Count(BLUE), 100);
}

TEST_F(CurvesTest, MultiplotCyclesThroughItsEntries)
{
    Curve c = MakeCurve(101, 0.0, 10.0, Wave);
    Canvas cv(640, 480);
    Prepare(p, fonts, c, nullptr);
    p.PlotStyle = 9;
    p.PlotWidth = 3;
    int32_t list[4] = {3, 1 | (10 << 16), 2 | ((2 + 20) << 16), 0x40 | (11 << 16)};
    p.SetMultiplot(1, list);
    ASSERT_EQ(p.PlotFrame(cv.dc, 1, 0, 0), 1);
    const int styles[] = {1, 2, 9, 1, 2};  // after the third entry the cycle ends
    const int widths[] = {1, 2, 3, 1, 2};
    for (int k = 0; k < 5; ++k) {
        ASSERT_EQ(p.PlotFieldFunction(cv.dc, 1, 0, 0, 0), 1);
        EXPECT_EQ(p.PlotStyle, styles[k]) << k;
        EXPECT_EQ(p.PlotWidth, widths[k]) << k;
    }
    EXPECT_EQ(p.PlotPenStyle, 2);
    p.SetMultiplot(0, nullptr);
    ASSERT_EQ(p.PlotFieldFunction(cv.dc, 1, 0, 0, 0), 1);
    EXPECT_EQ(p.PlotStyle, 9);
    EXPECT_EQ(p.PlotWidth, 3);

    // A list of 40 is cut to 17 entries and cycles without harm.
    int32_t big[41];
    big[0] = 40;
    for (int i = 1; i <= 40; ++i) big[i] = (i % 7 + 1) | ((i % 3 + 10 * (i % 4)) << 16);
    p.SetMultiplot(1, big);
    for (int k = 0; k < 40; ++k) EXPECT_EQ(p.PlotFieldFunction(cv.dc, 1, 0, 0, 0), 1);
    p.SetMultiplot(0, nullptr);
    p.PlotFieldFunction(cv.dc, 1, 0, 0, 0);
}

TEST_F(CurvesTest, SymbolsAndBarsAreDrawn)
{
    Curve c = MakeCurve(11, 0.0, 10.0, Wave);
    Prepare(p, fonts, c, nullptr);
    p.SetPlotOptions(RGB(255, 0, 0), 0, 0, 0, 2 | 4 | 8 | 0x10 | 0x20 | 0x40, 0, 4, 6, 0);
    Metafile mf;
    ASSERT_EQ(p.PlotFrame(mf.dc, 1, 0, 0), 1);
    ASSERT_EQ(p.PlotFieldFunction(mf.dc, 1, 0, 0, 0), 1);
    const EmfContent e = mf.Finish();
    // Circles and upright ellipses: two per point.
    EXPECT_EQ(e.ellipses.size(), 22u);
    int tall = 0;
    for (const RECT& r : e.ellipses)
        if (r.bottom - r.top > r.right - r.left) ++tall;
    EXPECT_EQ(tall, 11);
}

TEST_F(CurvesTest, BlackBarsAreHatchedOthersSolid)
{
    Curve c = MakeCurve(6, 1.0, 9.0, Wave);
    Canvas solid(640, 480), hatched(640, 480);
    Prepare(p, fonts, c, nullptr);
    p.SetPlotOptions(RGB(255, 0, 0), 0, 0, 0, 0x40, 0, 0, 0, 0);
    ASSERT_EQ(p.PlotFrame(solid.dc, 1, 0, 0), 1);
    ASSERT_EQ(p.PlotFieldFunction(solid.dc, 1, 0, 0, 0), 1);
    int px = 0, py = 0;
    p.GetScreen(c.x[2], c.y[2] / 2, px, py);
    int filled = 0;
    for (int dx = -3; dx <= 3; ++dx)
        for (int dy = -3; dy <= 3; ++dy) filled += solid.Pixel(px + dx, py + dy) == RED;
    EXPECT_EQ(filled, 49);

    Prepare(p, fonts, c, nullptr);
    p.SetPlotOptions(0, 0, 0, 0, 0x40, 0, 0, 0, 0);
    ASSERT_EQ(p.PlotFrame(hatched.dc, 1, 0, 0), 1);
    ASSERT_EQ(p.PlotFieldFunction(hatched.dc, 1, 0, 0, 0), 1);
    int black = 0, white = 0;
    for (int dx = -3; dx <= 3; ++dx)
        for (int dy = -3; dy <= 3; ++dy) {
            const COLORREF v = hatched.Pixel(px + dx, py + dy);
            black += v == RGB(0, 0, 0);
            white += v == RGB(255, 255, 255);
        }
    EXPECT_GT(black, 0);
    EXPECT_GT(white, 0);
}

TEST_F(CurvesTest, ThreeDViewsWithHostileDepthsDraw)
{
    Curve c = MakeCurve(101, 0.0, 10.0, Bump);
    Canvas cv(640, 480);
    // z1 = z2: no depth range, the frame falls back to a flat view.
    Prepare(p, fonts, c, BumpModel);
    p.Set3D(1, 2.0, 2.0, 2.0, 45.0, 4.0);
    ASSERT_EQ(p.PlotFrame(cv.dc, 1, 1, 1), 1);
    p.Set3D(1, 2.0, 2.0, 2.0, 45.0, 4.0);
    EXPECT_EQ(p.PlotFieldFunction(cv.dc, 1, 1, 0, 0), 1);

    // A waterfall of five curves at 45 and at 120 degrees.
    for (double angle : {45.0, 120.0}) {
        cv.Clear();
        Prepare(p, fonts, c, BumpModel);
        p.Set3D(1, 0.0, 4.0, 0.0, angle, 4.0);
        ASSERT_EQ(p.PlotFrame(cv.dc, 1, 1, 1), 1) << angle;
        EXPECT_GT(p.DepthLength, 0.0);
        for (int k = 0; k <= 4; ++k) {
            p.Set3D(1, 0.0, 4.0, k, angle, 4.0);
            EXPECT_EQ(p.PlotFieldFunction(cv.dc, 1, 0, 0, 0), 1);
        }
        EXPECT_GT(cv.Count(RED), 300) << angle;
    }
}

TEST_F(CurvesTest, ComplexSpectrumDrawsBothParts)
{
    // Real part then the imaginary part 101 values behind it.
    Curve c = MakeCurve(101, 0.0, 10.0, Wave);
    std::vector<double> y(c.y);
    for (double x : c.x) y.push_back(3.0 + 0.2 * std::sin(x));
    Prepare(p, fonts, c, nullptr);
    p.SetFieldFunction(c.x.data(), y.data(), nullptr, nullptr, 101);
    p.SetKomplex(1, 101, 0);
    Metafile mf;
    ASSERT_EQ(p.PlotFrame(mf.dc, 1, 0, 1), 1);
    EXPECT_GT(p.YMax, 3.19);  // the imaginary part reaches 3.2
    p.SetKomplex(1, 101, 0);
    ASSERT_EQ(p.PlotFieldFunction(mf.dc, 1, 0, 0, 0), 1);
    EXPECT_EQ(p.Komplex, 0);
    const EmfContent e = mf.Finish();
    int curves = 0;
    for (const auto& pl : e.polylines) curves += pl.size() == 101u;
    EXPECT_EQ(curves, 2);
}

TEST_F(CurvesTest, TypicalFramePictureIsWritten)
{
    Canvas cv(640, 480);
    Curve c = MakeCurve(61, 0.0, 10.0, [](double x) { return 2.0 + std::sin(x) + 0.08 * std::cos(7 * x); });
    Prepare(p, fonts, c, BumpModel);
    p.SetPlotOptions(RGB(200, 0, 0), RGB(0, 0, 255), 0, 0, 1 | 2, 1, 2, 0, 0);
    p.SetXYBeschriftung("k [\xC5~{-1}]", "^c(k)*k~3", "", 546, "z");
    p.BkgColor = RGB(255, 255, 240);
    p.ShowGrid = 1;
    ASSERT_EQ(p.PlotFrame(cv.dc, 1, 1, 1), 1);
    ASSERT_EQ(p.PlotFieldFunction(cv.dc, 1, 1, 0, 0), 1);
    int lx = 0, ly = 0;
    p.GetScreen(4.6, 3.3, lx, ly);
    SetBkMode(cv.dc, OPAQUE);
    p.InscribeLegend(cv.dc, const_cast<char*>("data: ^m@{exp}(E), model: 2 + sin x"), lx, ly);
    ASSERT_TRUE(cv.WritePng("vantor_typical_frame.png"));
    FILE* f = std::fopen("vantor_typical_frame.png", "rb");
    ASSERT_NE(f, nullptr);
    std::fseek(f, 0, SEEK_END);
    EXPECT_GT(std::ftell(f), 640 * 480 * 3);
    std::fclose(f);
    EXPECT_GT(cv.Count(RGB(200, 0, 0)), 200);
    EXPECT_GT(cv.Count(BLUE), 200);
}

}  // namespace

namespace {

TEST_F(CurvesTest, ThickDashedLinesAreDrawnInPieces)
{
    Curve c = MakeCurve(101, 0.0, 10.0, Bump);
    Prepare(p, fonts, c, nullptr);
    p.SetPlotOptions(RGB(255, 0, 0), 0, 1, 0, 1, 0, 0, 0, 0);
    p.PlotWidth = 3;
    Metafile mf;
    ASSERT_EQ(p.PlotFrame(mf.dc, 1, 0, 1), 1);
    Metafile curveOnly;
    ASSERT_EQ(p.PlotFieldFunction(curveOnly.dc, 1, 0, 0, 0), 1);
    const EmfContent e = curveOnly.Finish();
    EXPECT_TRUE(e.polylines.empty());
    // Dashes: many separate pieces, each starting on the curve.
    EXPECT_GT(e.moves.size(), 30u);
    for (const POINT& m : e.moves) {
        double x = 0, y = 0;
        ASSERT_EQ(p.GetXYValue(x, y, m.x, m.y, 1, 0), 1);
        EXPECT_NEAR(y, Bump(x), 3.0 / p.YScale + std::fabs(std::cos(x)) * 2.0 / p.XScale) << x;
    }
    mf.Finish();
}

}  // namespace

namespace {

TEST_F(CurvesTest, WaterfallHidesWhatLiesBehindEarlierCurves)
{
    // Three flat curves at depths 0, 2 and 4: the third lies between the
    // first two where they overlap and is hidden there.
    const COLORREF green = RGB(0, 160, 0);
    std::vector<double> x, y0, y1, y2;
    for (int i = 0; i <= 200; ++i) {
        x.push_back(i * 0.05);
        y0.push_back(0.2);
        y1.push_back(3.5);
        y2.push_back(2.0);
    }
    Canvas cv(640, 480);
    Curve none;
    Prepare(p, fonts, none, nullptr);
    p.SetFieldFunction(x.data(), y0.data(), nullptr, nullptr, 201);
    p.Set3D(1, 0.0, 4.0, 0.0, 45.0, 4.0);
    ASSERT_EQ(p.PlotFrame(cv.dc, 1, 0, 0), 1);
    const int L = p.GraphLeft + p.LeftMargin, R = L + p.GraphWidth - 1;
    const double* curves[] = {y0.data(), y1.data(), y2.data()};
    for (int k = 0; k < 3; ++k) {
        p.SetFieldFunction(x.data(), const_cast<double*>(curves[k]), nullptr, nullptr, 201);
        p.SetPlotOptions(k == 2 ? green : RGB(255, 0, 0), 0, 0, 0, 1, 0, 0, 0, 0);
        p.Set3D(1, 0.0, 4.0, 2.0 * k, 45.0, 4.0);
        ASSERT_EQ(p.PlotFieldFunction(cv.dc, 1, 0, 0, 0), 1);
    }
    int hidden = 0, shown = 0;
    for (int col = 0; col < cv.w; ++col)
        for (int row = 0; row < cv.h; ++row) {
            if (cv.Pixel(col, row) != green) continue;
            if (col > L + 5 && col < R - 5) ++hidden;
            if (col > R + 5) ++shown;
        }
    EXPECT_EQ(hidden, 0);
    EXPECT_GT(shown, 20);
}

}  // namespace
