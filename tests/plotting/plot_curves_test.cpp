// Data arrays and model functions drawn into a memory bitmap and into an
// enhanced metafile: positions, point counts, long stretches, styles, 3D views.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
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

TEST_F(CurvesTest, LongArraysKeepTheExtremesOfEachPixelColumn)
{
    Curve c = MakeCurve(3000, 0.0, 10.0, [](double x) { return 2.0 + std::sin(x) + 0.3 * std::sin(400.0 * x); });
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
    // Each column's first, lowest, highest and last point, in order.
    std::vector<POINT> expected;
    int column = INT_MIN;
    std::vector<std::pair<int, POINT>> group;
    auto close = [&]() {
        if (group.empty()) return;
        auto lo = group.front(), hi = group.front();
        for (const auto& g : group) {
            if (c.y[g.first] < c.y[lo.first]) lo = g;
            if (c.y[g.first] > c.y[hi.first]) hi = g;
        }
        std::vector<std::pair<int, POINT>> keep = {group.front(), lo, hi, group.back()};
        std::sort(keep.begin(), keep.end(), [](auto& a, auto& b) { return a.first < b.first; });
        for (size_t k = 0; k < keep.size(); ++k)
            if (k == 0 || keep[k].first != keep[k - 1].first) expected.push_back(keep[k].second);
        group.clear();
    };
    for (int i = 0; i < 3000; ++i) {
        int px = 0, py = 0;
        p.GetScreen(c.x[i], c.y[i], px, py);
        if (px != column) close();
        column = px;
        group.emplace_back(i, POINT{px, py});
    }
    close();
    ASSERT_EQ(line->size(), expected.size());
    EXPECT_LT(line->size(), 4u * p.GraphWidth);
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ((*line)[i].x, expected[i].x) << i;
        EXPECT_EQ((*line)[i].y, expected[i].y) << i;
    }
}

TEST_F(CurvesTest, NarrowPeaksKeepTheirHeightWhereverTheyLie)
{
    // 35,000 points over 700 eV, one peak of 0.4 eV FWHM on a flat line:
    // wherever it sits between two pixel columns, its top is drawn.
    const int n = 35000;
    const double e0 = 8900.0, e1 = 9600.0;
    for (double offset : {0.0, 0.13, 0.31, 0.55, 0.77}) {
        Canvas cv(640, 480);
        Curve c;
        Prepare(p, fonts, c, nullptr);
        c.x.resize(n);
        c.y.resize(n);
        const double sigma = 0.4 / 2.3548;
        // The peak centre sits on a data point, moved across a pixel column.
        const double spacing = (e1 - e0) / (n - 1);
        const int top = 17500 + static_cast<int>(offset * 60);
        for (int i = 0; i < n; ++i) {
            c.x[i] = e0 + spacing * i;
            const double d = (i - top) * spacing;
            c.y[i] = 0.2 + std::exp(-d * d / (2 * sigma * sigma));
        }
        p.SetFieldFunction(c.x.data(), c.y.data(), nullptr, nullptr, n);
        p.SetBorder(e0, e1);
        p.SetMinMax(0.0, 0.0);
        ASSERT_EQ(p.PlotFrame(cv.dc, 1, 0, 1), 1);
        ASSERT_EQ(p.PlotFieldFunction(cv.dc, 1, 0, 0, 0), 1);
        int px = 0, py = 0;
        p.GetScreen(c.x[top], c.y[top], px, py);
        int bestRow = cv.h, bestColumn = -1;
        for (int x = px - 10; x <= px + 10; ++x)
            for (int y = 0; y < cv.h; ++y)
                if (cv.Pixel(x, y) == RED && y < bestRow) {
                    bestRow = y;
                    bestColumn = x;
                }
        EXPECT_NEAR(bestColumn, px, 1) << offset;
        EXPECT_NEAR(bestRow, py, 1) << offset;
        if (offset == 0.31) {
            ASSERT_TRUE(cv.WritePng("vantor_narrow_peak.png"));
        }
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

TEST_F(CurvesTest, OnlyXPointsThinsALongGridToTheWorkBlock)
{
    Curve c = MakeCurve(20000, 0.0, 10.0, Bump);
    Canvas cv(640, 480);
    Prepare(p, fonts, c, BumpModel);
    p.SetOnlyXPoints(1);
    ASSERT_EQ(p.PlotFrame(cv.dc, 1, 1, 1), 1);
    g_calls = ModelCalls{};
    ASSERT_EQ(p.PlotFieldFunction(cv.dc, 0, 1, 0, 0), 1);
    EXPECT_EQ(g_calls.lastN, VANTOR_WORK_VALUES);
    EXPECT_EQ(g_calls.lastIndex, 0.0);
    // Data x values from the first to the last, evenly thinned.
    EXPECT_EQ(p.WorkX[0], c.x[0]);
    EXPECT_EQ(p.WorkX[VANTOR_WORK_VALUES - 1], c.x.back());
    for (int k = 1; k < VANTOR_WORK_VALUES; ++k) {
        const double gap = (p.WorkX[k] - p.WorkX[k - 1]) / (c.x[1] - c.x[0]);
        ASSERT_GE(gap, 2.0 - 1e-6) << k;
        ASSERT_LE(gap, 3.0 + 1e-6) << k;
    }
    // The model curve reaches the right end of the plot.
    for (double x : {0.2, 5.0, 9.3, 9.9}) {
        int px = 0, py = 0;
        p.GetScreen(x, Bump(x), px, py);
        EXPECT_TRUE(cv.Near(px, py, BLUE, 2)) << x;
    }
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
    // The legend at a data position inside the plot, its text inside too.
    int lx = 0, ly = 0;
    ASSERT_EQ(p.GetScreen(2.9, 3.05, lx, ly), 1);
    SetBkMode(cv.dc, OPAQUE);
    char legend[] = "data: ^m@{exp}(E), model: 2 + sin x";
    p.InscribeLegend(cv.dc, legend, lx, ly);
    const int L = p.GraphLeft + p.LeftMargin;
    EXPECT_GT(lx, L);
    Metafile mf;
    p.InscribeLegend(mf.dc, legend, lx, ly);
    const EmfContent runs = mf.Finish();
    ASSERT_EQ(runs.texts.size(), 4u);
    EXPECT_LT(runs.texts.back().at.x + TextWidth(fonts, runs.texts.back().text.c_str()),
              L + p.GraphWidth - 1);
    EXPECT_GT(ly, p.GraphTop);
    EXPECT_LT(ly + 19, p.GraphTop + p.GraphHeight - 1);
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

namespace {

TEST_F(CurvesTest, MultiplotStylesFollowTheListPositionOnEveryPaint)
{
    // Two curves drawn per paint from a list of three: every paint gives
    // them entries 1 and 2 again.
    Curve c = MakeCurve(101, 0.0, 10.0, Wave);
    Canvas cv(640, 480);
    int32_t list[4] = {3, 1 | (10 << 16), 2 | (11 << 16), 8 | (22 << 16)};
    std::vector<int> seen;
    for (int paint = 0; paint < 3; ++paint) {
        Prepare(p, fonts, c, nullptr);
        p.PlotStyle = 9;
        p.SetMultiplot(1, list);
        ASSERT_EQ(p.PlotFrame(cv.dc, 1, 0, 0), 1);
        for (int k = 0; k < 2; ++k) {
            ASSERT_EQ(p.PlotFieldFunction(cv.dc, 1, 0, 0, 0), 1);
            seen.push_back(p.PlotStyle * 100 + p.PlotPenStyle * 10 + p.PlotWidth);
        }
    }
    EXPECT_EQ(seen, (std::vector<int>{101, 211, 101, 211, 101, 211}));
    // Switching it off gives the style of the window back at once.
    p.SetMultiplot(0, nullptr);
    EXPECT_EQ(p.PlotStyle, 9);

    // A curve asks for its own list position: a left-out curve before it
    // does not shift its style; positions wrap around the list.
    p.SetMultiplot(1, list);
    p.SetMultiplotEntry(2);
    ASSERT_EQ(p.PlotFieldFunction(cv.dc, 1, 0, 0, 0), 1);
    EXPECT_EQ(p.PlotStyle, 9);  // entry 3 was the last: the cycle ended
    p.SetMultiplotEntry(1);
    ASSERT_EQ(p.PlotFieldFunction(cv.dc, 1, 0, 0, 0), 1);
    EXPECT_EQ(p.PlotStyle, 2);
    EXPECT_EQ(p.PlotPenStyle, 1);
    p.SetMultiplotEntry(3);
    ASSERT_EQ(p.PlotFieldFunction(cv.dc, 1, 0, 0, 0), 1);
    EXPECT_EQ(p.PlotStyle, 1);
    p.SetMultiplot(0, nullptr);
}

// A waterfall of five peaks at depths 0..4, the back ones higher; the
// front curve red, the others in their own colours.
const COLORREF DEPTH_COLOURS[5] = {RGB(255, 0, 0), RGB(0, 128, 0), RGB(0, 0, 255),
                                   RGB(160, 0, 160), RGB(0, 128, 128)};
double WaterfallY(int k, double x) { return 0.5 + 0.4 * k + 2.0 * std::exp(-(x - 3.0 - k) * (x - 3.0 - k)); }

void DrawWaterfall(feld_plot& p, const Fonts& fonts, Canvas& cv, double angle,
                   std::vector<Curve>& curves)
{
    curves.clear();
    for (int k = 0; k < 5; ++k) {
        Curve c;
        for (int i = 0; i <= 200; ++i) {
            c.x.push_back(i * 0.05);
            c.y.push_back(WaterfallY(k, i * 0.05));
        }
        curves.push_back(c);
    }
    Prepare(p, fonts, curves[0], nullptr);
    // As in the program, the depth axis is described in a font slanted by
    // the view's angle.
    static HFONT slanted[2] = {nullptr, nullptr};
    HFONT& s = slanted[angle > 90.0 ? 1 : 0];
    if (!s) s = Fonts::Make(static_cast<int>(angle * 10), ANSI_CHARSET, "Liberation Sans");
    p.ZFont = s;
    p.SetMinMax(0.0, 4.5);
    p.SetXYBeschriftung("E (eV)", "^m(E)", "", 546, "frame");
    p.Set3D(1, 0.0, 4.0, 0.0, angle, 4.0);
    ASSERT_EQ(p.PlotFrame(cv.dc, 1, 0, 0), 1);
    for (int k = 0; k < 5; ++k) {
        p.SetFieldFunction(curves[k].x.data(), curves[k].y.data(), nullptr, nullptr, 201);
        p.SetPlotOptions(DEPTH_COLOURS[k], 0, 0, 0, 1, 0, 0, 0, 0);
        p.Set3D(1, 0.0, 4.0, k, angle, 4.0);
        ASSERT_EQ(p.PlotFieldFunction(cv.dc, 1, 0, 0, 0), 1);
    }
}

TEST_F(CurvesTest, ThreeDViewLeaningLeftDrawsEveryCurveInsideTheFrame)
{
    Canvas cv(640, 480);
    std::vector<Curve> curves;
    DrawWaterfall(p, fonts, cv, 120.0, curves);
    ASSERT_TRUE(cv.WritePng("vantor_3d_120.png"));
    ASSERT_LT(p.Depth3DX, -20.0);
    const int L = p.GraphLeft + p.LeftMargin, R = L + p.GraphWidth - 1;
    const int farLeft = L + static_cast<int>(p.Depth3DX);
    const int top = p.GraphTop, bottom = p.GraphTop + p.GraphHeight - 1;
    for (int k = 0; k < 5; ++k) {
        int inside = 0, outside = 0, onAxis = 0;
        for (int y = 0; y < cv.h; ++y)
            for (int x = 0; x < cv.w; ++x) {
                if (cv.Pixel(x, y) != DEPTH_COLOURS[k]) continue;
                const bool in = x >= farLeft - 1 && x <= R + 1 && y >= top && y <= bottom;
                (in ? inside : outside) += 1;
                if (x == L) ++onAxis;
            }
        EXPECT_GT(inside, 40) << k;
        EXPECT_EQ(outside, 0) << k;
        EXPECT_LE(onAxis, 3) << k;  // no smear along the front axis
        // Its start lies left of the front axis by its depth offset.
        const double s = k * p.DepthScale;
        int px = 0, py = 0;
        p.GetScreen(0.0, WaterfallY(k, 0.0), px, py);
        px += static_cast<int>(s * p.Depth3DX / p.DepthLength);
        py -= static_cast<int>(s * p.Depth3DY / p.DepthLength);
        if (k > 0) {
            EXPECT_LT(px, L - 10) << k;
        }
        EXPECT_TRUE(cv.Near(px, py, DEPTH_COLOURS[k], 2)) << k;
    }
    // Behind the front peak nothing of the back curves shows.
    int px = 0, py = 0;
    p.GetScreen(3.0, 1.5, px, py);
    for (int k = 1; k < 5; ++k) EXPECT_FALSE(cv.Near(px, py, DEPTH_COLOURS[k], 3)) << k;
}

TEST_F(CurvesTest, ThreeDViewAt45DegreesIsWrittenAndSeesThroughBelowTheFront)
{
    Canvas cv(640, 480);
    std::vector<Curve> curves;
    DrawWaterfall(p, fonts, cv, 45.0, curves);
    ASSERT_TRUE(cv.WritePng("vantor_3d_45.png"));
    for (int k = 0; k < 5; ++k) EXPECT_GT(cv.Count(DEPTH_COLOURS[k]), 40) << k;
}

TEST_F(CurvesTest, HiddenLinesEndWhereTheyMeetTheHorizon)
{
    // A floor line and a tall peak just behind it hide what lies between
    // them.  A sparse flat line further back goes behind the peak's left
    // flank and comes out at its right flank, both times right at the
    // peak, not at its next data point.
    const COLORREF green = RGB(0, 160, 0);
    Curve floor = MakeCurve(401, 0.0, 10.0, [](double) { return 0.2; });
    Curve peak = MakeCurve(401, 0.0, 10.0, [](double x) { return 0.3 + 3.0 * std::exp(-(x - 5.0) * (x - 5.0)); });
    Curve back = MakeCurve(6, 0.0, 10.0, [](double) { return 1.5; });
    for (double angle : {45.0, 120.0}) {
        Canvas cv(640, 480);
        Prepare(p, fonts, peak, nullptr);
        p.SetMinMax(0.0, 3.5);
        p.Set3D(1, 0.0, 4.0, 0.0, angle, 4.0);
        ASSERT_EQ(p.PlotFrame(cv.dc, 1, 0, 0), 1);
        const struct { Curve* c; double z; COLORREF colour; } curves[] = {
            {&floor, 0.0, BLUE}, {&peak, 0.05, RED}, {&back, 1.0, green}};
        for (const auto& k : curves) {
            p.SetFieldFunction(k.c->x.data(), k.c->y.data(), nullptr, nullptr,
                               static_cast<int32_t>(k.c->x.size()));
            p.SetPlotOptions(k.colour, 0, 0, 0, 1, 0, 0, 0, 0);
            p.Set3D(1, 0.0, 4.0, k.z, angle, 4.0);
            ASSERT_EQ(p.PlotFieldFunction(cv.dc, 1, 0, 0, 0), 1);
        }
        ASSERT_TRUE(cv.WritePng(angle < 90 ? "vantor_hidden_45.png" : "vantor_hidden_120.png"));
        // The row of the back line and its gap.
        int px = 0, row = 0;
        p.GetScreen(0.5, 1.5, px, row);
        row -= static_cast<int>(p.DepthScale * p.Depth3DY / p.DepthLength);
        int gapLeft = -1, gapRight = -1;
        bool seen = false;
        for (int x = 0; x < cv.w; ++x) {
            const bool g = cv.Near(x, row, green, 1);
            if (g && gapLeft >= 0 && gapRight < 0) gapRight = x;
            if (seen && !g && gapLeft < 0) gapLeft = x - 1;
            seen |= g;
        }
        ASSERT_GT(gapLeft, 0) << angle;
        ASSERT_GT(gapRight, gapLeft + 10) << angle;
        EXPECT_TRUE(cv.Near(gapLeft + 1, row, RED, 2)) << angle << " " << gapLeft;
        EXPECT_TRUE(cv.Near(gapRight - 1, row, RED, 2)) << angle << " " << gapRight;
        // The peak, drawn over nothing but the floor, is whole: its steep
        // flanks, several points to a column, do not hide themselves.
        const double s = 0.05 * p.DepthScale;
        for (int i = 140; i <= 260; i += 3) {
            int qx = 0, qy = 0;
            p.GetScreen(peak.x[i], peak.y[i], qx, qy);
            qx += static_cast<int>(s * p.Depth3DX / p.DepthLength);
            qy -= static_cast<int>(s * p.Depth3DY / p.DepthLength);
            EXPECT_TRUE(cv.Near(qx, qy, RED, 1)) << angle << " " << peak.x[i];
        }
        // Nothing of the back line between the flanks.
        for (int x = gapLeft + 3; x < gapRight - 3; ++x) EXPECT_FALSE(cv.Near(x, row, green, 1)) << x;
    }
}

}  // namespace
