// Coordinate conversion and the turned printer page.
#include <gtest/gtest.h>

#include <cmath>

#include "plotting/plot_test_support.h"

using namespace plot_test;

namespace {

constexpr COLORREF RED = RGB(255, 0, 0);
constexpr COLORREF BLACK = RGB(0, 0, 0);

double Bump(double x) { return 2.0 + std::sin(x); }

TEST(Coordinates, ScreenAndValueRoundTripWithinAPixel)
{
    Fonts fonts;
    Curve c = MakeCurve(201, -3.0, 7.0, Bump);
    // Ranges of every kind: above zero, across zero, below zero.
    const struct {
        double y0, y1, shift;
    } ranges[] = {{0.0, 4.0, 0.0}, {1.0, 3.5, 0.0}, {-2.0, 4.0, -1.5}, {-4.0, -0.5, -3.5}};
    for (const auto& r : ranges) {
        feld_plot p;
        Curve s = c;
        for (double& y : s.y) y += r.shift;
        Canvas cv(640, 480);
        Prepare(p, fonts, s, nullptr);
        p.SetBorder(-3.0, 7.0);
        p.SetMinMax(r.y0, r.y1);
        ASSERT_EQ(p.PlotFrame(cv.dc, 1, 0, 0), 1);
        ASSERT_EQ(p.PlotFieldFunction(cv.dc, 1, 0, 0, 0), 1);
        for (int i = 5; i < 200; i += 13) {
            const double x = s.x[i], y = s.y[i];
            int px = 0, py = 0;
            ASSERT_EQ(p.GetScreen(x, y, px, py), 1) << x << " " << y;
            EXPECT_TRUE(cv.Near(px, py, RED, 1)) << x << " " << y;
            double bx = 0, by = 0;
            ASSERT_EQ(p.GetXYValue(bx, by, px, py, 1, 0), 1);
            EXPECT_LE(std::fabs(bx - x), 1.0 / p.XScale + 1e-12) << x;
            EXPECT_LE(std::fabs(by - y), 1.0 / p.YScale + 1e-12) << y;
        }
    }
}

TEST(Coordinates, OutsideAndFrameLineAreRefused)
{
    Fonts fonts;
    feld_plot p;
    Curve c = MakeCurve(101, 0.0, 10.0, Bump);
    Canvas cv(640, 480);
    Prepare(p, fonts, c, nullptr);
    ASSERT_EQ(p.PlotFrame(cv.dc, 1, 0, 0), 1);
    const int L = p.GraphLeft + p.LeftMargin;
    const int bottom = p.GraphTop + p.GraphHeight - 1;
    double x = 0, y = 0;
    EXPECT_EQ(p.GetXYValue(x, y, L + 50, bottom, 1, 0), 0);  // the frame line
    EXPECT_EQ(p.GetXYValue(x, y, L + 50, bottom - 1, 1, 0), 1);
    EXPECT_EQ(p.GetXYValue(x, y, L + 50, bottom - 1, 0, 0), 0);
    EXPECT_EQ(p.GetXYValue(x, y, L - 1, 100, 0, 1), 0);
    EXPECT_EQ(p.GetXYValue(x, y, L + p.GraphWidth + 1, 100, 1, 1), 0);
    EXPECT_EQ(p.GetXYValue(x, y, L + 10, p.GraphTop, 1, 0), 0);
    int px = 0, py = 0;
    EXPECT_EQ(p.GetScreen(-5.0, 2.0, px, py), 0);
    EXPECT_LT(px, L);  // set even when outside
    EXPECT_EQ(p.GetScreen(5.0, 100.0, px, py), 0);
}

TEST(Coordinates, PrintedFullPageIsTurned)
{
    Fonts fonts;
    feld_plot p;
    Curve c = MakeCurve(101, 0.0, 10.0, Bump);
    Canvas page(1100, 850);  // landscape device
    Prepare(p, fonts, c, nullptr, 1100, 850);
    p.SetIsPrinting(1);
    p.SetFullPage(1);
    ASSERT_EQ(p.PlotFrame(page.dc, 1, 0, 0), 1);
    ASSERT_EQ(p.PlotFieldFunction(page.dc, 1, 0, 0, 0), 1);
    // The layout is portrait: width and height exchanged, the width of the
    // portrait system is the device height.
    EXPECT_EQ(p.PageWidth, 850);
    EXPECT_EQ(p.GraphLeft + p.LeftMargin + p.GraphWidth, 850 - 17);
    const int W = p.PageWidth;
    // (x, y) -> (y, PageWidth - x)
    for (int i = 4; i < 100; i += 9) {
        int px = 0, py = 0;
        ASSERT_EQ(p.GetScreen(c.x[i], c.y[i], px, py), 1);
        EXPECT_TRUE(page.Near(py, W - px, RED, 1)) << i;
        EXPECT_FALSE(page.Near(px, py, RED, 0)) << i;
    }
    // The portrait y axis is a device row.
    const int L = p.GraphLeft + p.LeftMargin;
    int black = 0, n = 0;
    for (int row = p.GraphTop + 2; row < p.GraphTop + p.GraphHeight - 2; ++row, ++n)
        black += page.Pixel(row, W - L) == BLACK || page.Pixel(row, W - L - 1) == BLACK;
    EXPECT_EQ(black, n);
    // Clip rectangles of texts cover the turned page.
    RECT clip{1, 2, 3, 4};
    const POINT at = p.mTextOut(10, 20, &clip);
    EXPECT_EQ(at.x, 20);
    EXPECT_EQ(at.y, W - 10);
    EXPECT_EQ(clip.right, p.GraphHeight * 3 / 2);
    EXPECT_EQ(clip.bottom, W);
    POINT pts[2] = {{1, 2}, {3, 4}};
    p.mPolyline(page.dc, pts, 2);
    EXPECT_EQ(pts[0].x, 2);
    EXPECT_EQ(pts[0].y, W - 1);
}

TEST(Coordinates, FullPageOnScreenIsNotTurned)
{
    Fonts fonts;
    Curve c = MakeCurve(101, 0.0, 10.0, Bump);
    Canvas a(640, 480), b(640, 480);
    {
        feld_plot p;
        Prepare(p, fonts, c, nullptr);
        ASSERT_EQ(p.PlotFrame(a.dc, 1, 0, 0), 1);
        ASSERT_EQ(p.PlotFieldFunction(a.dc, 1, 0, 0, 0), 1);
    }
    feld_plot p;
    Prepare(p, fonts, c, nullptr);
    p.SetFullPage(1);
    ASSERT_EQ(p.PlotFrame(b.dc, 1, 0, 0), 1);
    ASSERT_EQ(p.PlotFieldFunction(b.dc, 1, 0, 0, 0), 1);
    EXPECT_EQ(a.Snapshot(), b.Snapshot());
    RECT clip{1, 2, 3, 4};
    const POINT at = p.mTextOut(10, 20, &clip);
    EXPECT_EQ(at.x, 10);
    EXPECT_EQ(at.y, 20);
    EXPECT_EQ(clip.right, 3);
}

}  // namespace

namespace {

TEST(Coordinates, MetafilePointsConvertBackOntoTheCurve)
{
    Fonts fonts;
    feld_plot p;
    Curve c = MakeCurve(97, 0.0, 10.0, Bump);
    Prepare(p, fonts, c, nullptr);
    Metafile mf;
    ASSERT_EQ(p.PlotFrame(mf.dc, 1, 0, 0), 1);
    ASSERT_EQ(p.PlotFieldFunction(mf.dc, 1, 0, 0, 0), 1);
    const EmfContent e = mf.Finish();
    const std::vector<POINT>* line = nullptr;
    for (const auto& pl : e.polylines)
        if (pl.size() == c.x.size()) line = &pl;
    ASSERT_NE(line, nullptr);
    for (size_t i = 0; i < line->size(); ++i) {
        double x = 0, y = 0;
        ASSERT_EQ(p.GetXYValue(x, y, (*line)[i].x, (*line)[i].y, 1, 0), 1) << i;
        EXPECT_LE(std::fabs(x - c.x[i]), 1.0 / p.XScale + 1e-12) << i;
        EXPECT_LE(std::fabs(y - c.y[i]), 1.0 / p.YScale + 1e-12) << i;
    }
}

TEST(Coordinates, NonFiniteRangesDrawNothing)
{
    Fonts fonts;
    feld_plot p;
    Curve c = MakeCurve(50, 0.0, 10.0, Bump);
    Canvas cv(320, 240);
    const auto blank = cv.Snapshot();
    Prepare(p, fonts, c, nullptr, 320, 240);
    p.SetMinMax(-HUGE_VAL, 4.0);
    EXPECT_EQ(p.PlotFrame(cv.dc, 1, 0, 0), 0);
    Prepare(p, fonts, c, nullptr, 320, 240);
    p.SetBorder(NAN, 10.0);
    EXPECT_EQ(p.PlotFrame(cv.dc, 1, 0, 0), 0);
    EXPECT_EQ(cv.Snapshot(), blank);
}

}  // namespace
