// Frame, ticks, tick numbers and inscription, checked on the pixels of a
// memory bitmap and on the records of an enhanced metafile.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "plotting/plot_test_support.h"

using namespace plot_test;

namespace {

constexpr COLORREF BLACK = RGB(0, 0, 0);
constexpr COLORREF RED = RGB(255, 0, 0);

double Wave(double x) { return 1.0 + 0.5 * std::cos(x); }

const EmfText* FindText(const EmfContent& c, const std::string& s)
{
    for (const EmfText& t : c.texts)
        if (t.text == s) return &t;
    return nullptr;
}

int BlackShare(const Canvas& cv, int x0, int y0, int x1, int y1)
{
    int n = 0, black = 0;
    const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    for (int i = 0; i <= steps; ++i) {
        const int x = x0 + (x1 - x0) * i / std::max(steps, 1);
        const int y = y0 + (y1 - y0) * i / std::max(steps, 1);
        ++n;
        if (cv.Pixel(x, y) == BLACK) ++black;
    }
    return 100 * black / n;
}

class FrameTest : public ::testing::Test {
protected:
    Fonts fonts;
    feld_plot p;
    Curve curve = MakeCurve(101, 0.0, 10.0, Wave);
};

TEST_F(FrameTest, LayoutFollowsTheRoomRules)
{
    Canvas cv(640, 480);
    Prepare(p, fonts, curve, nullptr);
    ASSERT_EQ(p.PlotFrame(cv.dc, 1, 0, 0), 1);
    // Description font 16 high, number font 16 high and 7 wide:
    // y description 2 x 16 at the left, x description 16/2 + 2 x 16 and the
    // x numbers 2 x 16 below, a quarter of 16 at the top, 5/2 x 7 at the right.
    EXPECT_EQ(p.GraphLeft, 32);
    EXPECT_EQ(p.GraphTop, 4);
    EXPECT_EQ(p.GraphHeight, 480 - 40 - 32 - 4);
    EXPECT_EQ(p.GraphLeft + p.LeftMargin + p.GraphWidth, 640 - 17);
    const int widest = std::max({TextWidth(fonts, "0.0"), TextWidth(fonts, "1.0"),
                                 TextWidth(fonts, "2.0"), TextWidth(fonts, "3.0"),
                                 TextWidth(fonts, "4.0")});
    EXPECT_EQ(p.LeftMargin, 16 * 4 / 5 + widest + 7);
    // y 0..4 above zero: 90 % of the height, zero row 3 % above the bottom.
    EXPECT_NEAR(p.YScale, 0.9 * p.GraphHeight / 4.0, 1e-9);
    EXPECT_NEAR(p.YZero, p.GraphTop + p.GraphHeight - 1 - 0.03 * p.GraphHeight, 1e-9);
    EXPECT_NEAR(p.XScale, (p.GraphWidth - 1) / 10.0, 1e-9);
    EXPECT_EQ(p.ZeroLine, 0);

    const int L = p.GraphLeft + p.LeftMargin, R = L + p.GraphWidth - 1;
    const int T = p.GraphTop, B = p.GraphTop + p.GraphHeight - 1;
    EXPECT_GE(BlackShare(cv, L, T, L, B), 98);  // y axis
    EXPECT_GE(BlackShare(cv, L, B, R, B), 98);  // x axis
    EXPECT_GE(BlackShare(cv, R, T, R, B), 95);  // right edge
    EXPECT_GE(BlackShare(cv, L, T, R, T), 95);  // top edge
    // Inside the plot, away from ticks and curve, the background shows.
    EXPECT_EQ(cv.Pixel((L + R) / 2 + 3, T + 30), RGB(255, 255, 255));
    // The outer frame is the rectangle handed in.
    EXPECT_EQ(cv.Pixel(0, 240), BLACK);
    EXPECT_EQ(cv.Pixel(320, 479), BLACK);
}

TEST_F(FrameTest, TickMarksHaveTheirLengths)
{
    Canvas cv(640, 480);
    Prepare(p, fonts, curve, nullptr);
    ASSERT_EQ(p.PlotFrame(cv.dc, 1, 0, 0), 1);
    const int L = p.GraphLeft + p.LeftMargin;
    const int T = p.GraphTop, B = p.GraphTop + p.GraphHeight - 1;
    const int numbered = 7 * 3 / 2 + 1, minor = 7 * 5 / 7 + 1;  // 11 and 6 pixels
    // x: numbered every 2.5, minor every 0.5 (5 lines per interval).
    for (double v : {2.5, 5.0, 7.5}) {
        const int px = static_cast<int>(L + v * p.XScale);
        for (int d = 1; d < numbered; ++d) EXPECT_EQ(cv.Pixel(px, B - d), BLACK) << v << " " << d;
        EXPECT_NE(cv.Pixel(px, B - numbered - 1), BLACK) << v;
        for (int d = 1; d < numbered; ++d) EXPECT_EQ(cv.Pixel(px, T + d), BLACK) << v;
    }
    for (double v : {1.0, 3.5, 6.0}) {
        const int px = static_cast<int>(L + v * p.XScale);
        for (int d = 1; d < minor; ++d) EXPECT_EQ(cv.Pixel(px, B - d), BLACK) << v;
        EXPECT_NE(cv.Pixel(px, B - minor - 1), BLACK) << v;
    }
    // y: numbered every 1.0 from the left axis inward and from the right edge.
    const int R = L + p.GraphWidth - 1;
    for (double v : {1.0, 2.0, 3.0}) {
        const int py = static_cast<int>(p.YZero - v * p.YScale);
        for (int d = 1; d < numbered; ++d) EXPECT_EQ(cv.Pixel(L + d, py), BLACK) << v;
        EXPECT_NE(cv.Pixel(L + numbered + 1, py), BLACK) << v;
        for (int d = 1; d < numbered; ++d) EXPECT_EQ(cv.Pixel(R - d, py), BLACK) << v;
    }
}

TEST_F(FrameTest, TickNumbersSitWhereTheLayoutPutsThem)
{
    Metafile mf;
    Prepare(p, fonts, curve, nullptr);
    ASSERT_EQ(p.PlotFrame(mf.dc, 1, 0, 0), 1);
    const EmfContent c = mf.Finish();
    const int L = p.GraphLeft + p.LeftMargin, B = p.GraphTop + p.GraphHeight - 1;
    // x numbers: centred under the tick, 7 x 4/3 below the axis.
    for (const auto& [text, v] : {std::pair<const char*, double>{"0", 0.0}, {"2.5", 2.5},
                                  {"5", 5.0}, {"7.5", 7.5}, {"10", 10.0}}) {
        const EmfText* t = FindText(c, text);
        ASSERT_NE(t, nullptr) << text;
        const int px = static_cast<int>(L + v * p.XScale);
        EXPECT_NEAR(t->at.x + TextWidth(fonts, text) / 2.0, px, 1.5) << text;
        EXPECT_EQ(t->at.y, B + 7 * 4 / 3) << text;
    }
    // y numbers with ".0", right-aligned one character width left of the axis.
    for (int k = 0; k <= 4; ++k) {
        const std::string s = std::to_string(k) + ".0";
        const EmfText* t = FindText(c, s);
        ASSERT_NE(t, nullptr) << s;
        EXPECT_EQ(t->at.x + TextWidth(fonts, s.c_str()), L - 7) << s;
        const int py = static_cast<int>(p.YZero - k * p.YScale);
        EXPECT_NEAR(t->at.y + 8, py, 2) << s;  // centred on the tick (text 16 high)
    }
    EXPECT_EQ(FindText(c, "5.0"), nullptr);  // beyond the plot
    // Descriptions: x centred under the plot, y (rotated) left of the numbers.
    const EmfText* xd = FindText(c, "x [mm]");
    ASSERT_NE(xd, nullptr);
    EXPECT_NEAR(xd->at.x + TextWidth(fonts, "x [mm]") / 2.0, L + p.GraphWidth / 2.0, 1.5);
    EXPECT_GT(xd->at.y, B + 16);
    const EmfText* yd = FindText(c, "y");
    ASSERT_NE(yd, nullptr);
    EXPECT_EQ(yd->at.x, p.GraphLeft - 16 * 3 / 2);
}

TEST_F(FrameTest, SignFactorTurnsTheXNumbersForOneFrame)
{
    Prepare(p, fonts, curve, nullptr);
    p.SetBorder(-10.0, 0.0);
    for (double& x : curve.x) x -= 10.0;
    p.SignFactor = -1.0;
    {
        Metafile mf;
        ASSERT_EQ(p.PlotFrame(mf.dc, 1, 0, 0), 1);
        const EmfContent c = mf.Finish();
        EXPECT_NE(FindText(c, "10"), nullptr);
        EXPECT_EQ(FindText(c, "-10"), nullptr);
    }
    EXPECT_EQ(p.SignFactor, 1.0);
    Prepare(p, fonts, curve, nullptr);
    p.SetBorder(-10.0, 0.0);
    Metafile mf;
    ASSERT_EQ(p.PlotFrame(mf.dc, 1, 0, 0), 1);
    EXPECT_NE(FindText(mf.Finish(), "-10"), nullptr);
}

TEST_F(FrameTest, OneShotFlagsAreClearedByTheFrame)
{
    Canvas cv(640, 480);
    Prepare(p, fonts, curve, nullptr);
    p.SetRightAxis(1);
    p.Set3D(1, 0.0, 1.0, 0.0, 45.0, 4.0);
    p.SetNoReduction(1);
    p.SignFactor = -1.0;
    ASSERT_EQ(p.PlotFrame(cv.dc, 1, 0, 0), 1);
    EXPECT_EQ(p.RightAxis, 0);
    EXPECT_EQ(p.Is3D, 0);
    EXPECT_EQ(p.NoReduction, 0);
    EXPECT_EQ(p.SignFactor, 1.0);
}

TEST_F(FrameTest, SmallPlotIsReduced)
{
    Metafile mf;
    Prepare(p, fonts, curve, nullptr, 640, 150);
    ASSERT_EQ(p.PlotFrame(mf.dc, 1, 0, 0), 1);
    ASSERT_EQ(p.PlotFieldFunction(mf.dc, 1, 0, 0, 0), 1);
    EXPECT_EQ(p.Reduced, 1);
    const EmfContent c = mf.Finish();
    EXPECT_TRUE(c.texts.empty());        // no numbers, no descriptions
    EXPECT_FALSE(c.polylines.empty());   // the curve is there
    EXPECT_EQ(p.ShowXText, 1);           // restored for the next frame

    Metafile again;
    Prepare(p, fonts, curve, nullptr, 640, 150);
    p.SetNoReduction(1);
    ASSERT_EQ(p.PlotFrame(again.dc, 1, 0, 0), 1);
    EXPECT_FALSE(again.Finish().texts.empty());
}

TEST_F(FrameTest, TitleOnlyWhenPrintingOrAskedFor)
{
    Prepare(p, fonts, curve, nullptr);
    p.SetXYBeschriftung("x", "y", "Title", 546, "z");
    {
        Metafile mf;
        ASSERT_EQ(p.PlotFrame(mf.dc, 1, 0, 0), 1);
        EXPECT_EQ(FindText(mf.Finish(), "Title"), nullptr);
    }
    Prepare(p, fonts, curve, nullptr);
    p.SetXYBeschriftung("x", "y", "Title", 546, "z");
    p.SetPrintCap(1);
    Metafile mf;
    ASSERT_EQ(p.PlotFrame(mf.dc, 1, 0, 0), 1);
    const EmfText* t = FindText(mf.Finish(), "Title");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->at.y, p.GraphTop - 16 * 3 / 2);
    EXPECT_EQ(p.GraphTop, 2 * 16 + 4);  // room for the title above the plot
}

TEST_F(FrameTest, NothingIsDrawnWithoutARange)
{
    Canvas cv(640, 480);
    const auto blank = cv.Snapshot();
    Prepare(p, fonts, curve, nullptr);
    p.SetBorder(5.0, 5.0);
    EXPECT_EQ(p.PlotFrame(cv.dc, 1, 0, 0), 0);
    Prepare(p, fonts, curve, nullptr);
    p.SetMinMax(0.0, 0.0);
    EXPECT_EQ(p.PlotFrame(cv.dc, 1, 0, 0), 0);
    Prepare(p, fonts, curve, nullptr);
    p.SetKomplex(1, 101, 0);
    p.SetKomplexMode(0, 0);
    EXPECT_EQ(p.PlotFrame(cv.dc, 1, 0, 0), 0);
    EXPECT_EQ(cv.Snapshot(), blank);
}

TEST_F(FrameTest, EqualLimitsAreWidenedAndDrawnAtOnce)
{
    Canvas cv(640, 480);
    Prepare(p, fonts, curve, nullptr);
    p.SetMinMax(3.0, 3.0);
    ASSERT_EQ(p.PlotFrame(cv.dc, 1, 0, 0), 1);
    EXPECT_NEAR(p.YMin, 2.97, 1e-12);
    EXPECT_NEAR(p.YMax, 3.03, 1e-12);
}

TEST(LabelEscapes, RunsAreGreekRaisedAndLowered)
{
    Fonts fonts;
    feld_plot p;
    fonts.Hand(p);
    Metafile mf;
    p.InscribeLegend(mf.dc, const_cast<char*>("^c(k)*k~3 E@0 A~{-1}"), 100, 200);
    const EmfContent c = mf.Finish();
    std::vector<std::string> runs;
    for (const EmfText& t : c.texts) runs.push_back(t.text);
    EXPECT_EQ(runs, (std::vector<std::string>{"?", "(k)*k", "3", " E", "0", " A", "-1"}));
    ASSERT_EQ(c.texts.size(), 7u);
    EXPECT_EQ(c.texts[0].wide, u"\u03C7");  // "^c" is chi, in Unicode
    for (size_t i = 1; i < c.texts.size(); ++i) EXPECT_FALSE(c.texts[i].greek) << i;
    EXPECT_EQ(c.texts[0].at.x, 100);
    EXPECT_EQ(c.texts[1].at.y, 200);
    EXPECT_EQ(c.texts[2].at.y, 200 - 16 / 3);  // superscript
    EXPECT_EQ(c.texts[4].at.y, 200 + 16 / 3);  // subscript
    EXPECT_EQ(c.texts[6].at.y, 200 - 16 / 3);  // group superscript
    // Each run starts where the previous one ended.
    EXPECT_EQ(c.texts[3].at.x, c.texts[2].at.x + TextWidth(fonts, "3"));
}

TEST_F(FrameTest, RotatedDescriptionRaisesToTheLeft)
{
    Metafile mf;
    Prepare(p, fonts, curve, nullptr);
    p.SetXYBeschriftung("x", "k~3 k@2", "", 546, "z");
    ASSERT_EQ(p.PlotFrame(mf.dc, 1, 0, 0), 1);
    const EmfContent c = mf.Finish();
    const EmfText* base = FindText(c, "k");
    const EmfText* up = FindText(c, "3");
    const EmfText* down = FindText(c, "2");
    ASSERT_TRUE(base && up && down);
    EXPECT_EQ(up->at.x, base->at.x - 16 / 3);
    EXPECT_EQ(down->at.x, base->at.x + 16 / 3);
    EXPECT_LT(up->at.y, base->at.y);  // the text runs upwards
}

TEST(LabelEscapes, HostileTextsStayInBounds)
{
    Fonts fonts;
    feld_plot p;
    fonts.Hand(p);
    Metafile mf;
    // An unclosed group ends with the text.
    p.InscribeLegend(mf.dc, const_cast<char*>("k~{-1"), 10, 50);
    // A group is cut at 99 characters, a text at 119.
    std::string group = "~{" + std::string(150, 'a') + "}";
    p.InscribeLegend(mf.dc, &group[0], 10, 100);
    std::string longText(300, 'b');
    p.InscribeLegend(mf.dc, &longText[0], 10, 150);
    // Escapes at the very end have nothing to act on.
    p.InscribeLegend(mf.dc, const_cast<char*>("end^"), 10, 200);
    p.InscribeLegend(mf.dc, const_cast<char*>("~{"), 10, 250);
    p.InscribeLegend(mf.dc, nullptr, 10, 250);
    const EmfContent c = mf.Finish();
    std::vector<std::string> runs;
    for (const EmfText& t : c.texts) runs.push_back(t.text);
    ASSERT_EQ(runs.size(), 5u);
    EXPECT_EQ(runs[0], "k");
    EXPECT_EQ(runs[1], "-1");
    EXPECT_EQ(runs[2], std::string(99, 'a'));
    EXPECT_EQ(runs[3], std::string(119, 'b'));
    EXPECT_EQ(runs[4], "end");
}

TEST_F(FrameTest, HostileLabelsDrawInAFrame)
{
    Canvas cv(640, 480);
    Prepare(p, fonts, curve, nullptr);
    const std::string longText(300, 'W');
    p.SetXYBeschriftung(longText.c_str(), "^{unclosed", longText.c_str(), 0x777, "@{");
    p.SetPrintCap(1);
    p.SetRightAxis(1);
    p.SetFieldFunction(curve.x.data(), curve.y.data(), nullptr, curve.y.data(),
                       static_cast<int32_t>(curve.x.size()));
    p.SetMinMax(0.0, 4.0, 0.0, 2.0);
    EXPECT_EQ(p.PlotFrame(cv.dc, 1, 0, 0), 1);
    p.SetRightAxis(1);
    EXPECT_EQ(p.PlotFieldFunction(cv.dc, 1, 0, 0, 0), 1);
    EXPECT_GT(cv.Count(RED), 100);
}

}  // namespace

namespace {

std::vector<const EmfText*> Runs(const EmfContent& c, int angle)
{
    std::vector<const EmfText*> out;
    for (const EmfText& t : c.texts)
        if (t.angle == angle) out.push_back(&t);
    return out;
}

TEST_F(FrameTest, ThirdAxisDescriptionReadsDownwardsCentredOnTheAxis)
{
    // The program turns the right axis font by 270 degrees: its runs go
    // down the page from the upper end, the subscript to the text's right
    // side, which is the left of the page.
    std::vector<double> counts(curve.x.size());
    for (size_t i = 0; i < counts.size(); ++i) counts[i] = 5000.0 + 3000.0 * curve.y[i];
    for (unsigned bits : {0x20u, 0x10u, 0x40u}) {
        Metafile mf;
        Prepare(p, fonts, curve, nullptr);
        p.SetXYBeschriftung("x", "^m(E)", "", static_cast<int>(bits), "I@{0} (counts)");
        p.SetFieldFunction(curve.x.data(), curve.y.data(), nullptr, counts.data(),
                           static_cast<int32_t>(curve.x.size()));
        p.SetMinMax(0.0, 4.0, 5000.0, 20000.0);
        p.SetRightAxis(1);
        ASSERT_EQ(p.PlotFrame(mf.dc, 1, 0, 0), 1);
        const EmfContent c = mf.Finish();
        const std::vector<const EmfText*> runs = Runs(c, 2700);
        ASSERT_EQ(runs.size(), 3u) << bits;
        EXPECT_EQ(runs[0]->text, "I");
        EXPECT_EQ(runs[1]->text, "0");
        EXPECT_EQ(runs[2]->text, " (counts)");
        const int wI = TextWidth(fonts, "I"), w0 = TextWidth(fonts, "0");
        const int w = wI + w0 + TextWidth(fonts, " (counts)");
        EXPECT_EQ(runs[1]->at.y, runs[0]->at.y + wI);
        EXPECT_EQ(runs[2]->at.y, runs[1]->at.y + w0);
        EXPECT_EQ(runs[1]->at.x, runs[0]->at.x - 16 / 3);  // subscript
        EXPECT_EQ(runs[2]->at.x, runs[0]->at.x);
        // Right of the right axis numbers, inside the page.
        const int R = p.GraphLeft + p.LeftMargin + p.GraphWidth - 1;
        EXPECT_GT(runs[0]->at.x - 19, R + p.RightMargin - p.ZAxisDistance - 16 / 3) << bits;
        EXPECT_LT(runs[0]->at.x, 640) << bits;
        const int top = p.GraphTop, bottom = p.GraphTop + p.GraphHeight;
        if (bits == 0x20)
            EXPECT_NEAR(runs[0]->at.y + w / 2.0, (top + bottom) / 2.0, 2.0);
        else if (bits == 0x10)
            EXPECT_EQ(runs[0]->at.y + w, bottom);
        else
            EXPECT_EQ(runs[0]->at.y, top);
        // The left description reads upwards, also centred by default.
        const std::vector<const EmfText*> left = Runs(c, 900);
        ASSERT_EQ(left.size(), 2u) << bits;
        EXPECT_LT(left[1]->at.y, left[0]->at.y);
        if (bits == 0x20) {
            const int lw = (left[0]->at.y - left[1]->at.y) + TextWidth(fonts, "(E)");
            EXPECT_NEAR(left[0]->at.y - lw / 2.0, (top + bottom) / 2.0, 2.0);
        }
    }
}

TEST_F(FrameTest, ThirdAxisDescriptionInAnUpwardFontReadsUpwards)
{
    Metafile mf;
    Prepare(p, fonts, curve, nullptr);
    p.SetFonts(fonts.text, fonts.rotated, fonts.greek, fonts.greekRotated, fonts.text, fonts.text,
               fonts.text, fonts.rotated, fonts.greekRotated);
    p.SetXYBeschriftung("x", "", "", 546, "I@{0} (counts)");
    p.SetFieldFunction(curve.x.data(), curve.y.data(), nullptr, curve.y.data(),
                       static_cast<int32_t>(curve.x.size()));
    p.SetMinMax(0.0, 4.0, 0.0, 4.0);
    p.SetRightAxis(1);
    ASSERT_EQ(p.PlotFrame(mf.dc, 1, 0, 0), 1);
    const EmfContent c = mf.Finish();
    const std::vector<const EmfText*> runs = Runs(c, 900);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[1]->at.y, runs[0]->at.y - TextWidth(fonts, "I"));
    const int w = TextWidth(fonts, "I") + TextWidth(fonts, "0") + TextWidth(fonts, " (counts)");
    EXPECT_NEAR(runs[0]->at.y - w / 2.0, p.GraphTop + p.GraphHeight / 2.0, 2.0);
    // Its cell lies inside the room of the description.
    const int x0 = p.GraphLeft + p.GraphWidth + p.RightMargin + p.LeftMargin;
    EXPECT_GE(runs[0]->at.x, x0);
    EXPECT_LE(runs[0]->at.x + 19, x0 + 2 * 16 + 7);
}

// Ink of a text drawn alone into a bitmap: which pixels are not white.
std::vector<bool> Ink(const Canvas& cv)
{
    std::vector<bool> ink;
    for (int y = 0; y < cv.h; ++y)
        for (int x = 0; x < cv.w; ++x) ink.push_back(cv.Pixel(x, y) != RGB(255, 255, 255));
    return ink;
}

TEST(GreekLetters, AreDrawnAsTheUnicodeLetters)
{
    // "^{c}" and "^{m}" against chi and mu from a Unicode font with Greek,
    // the same size, written at the same place; and against the Latin c.
    Fonts fonts;
    feld_plot p;
    fonts.Hand(p);
    HFONT unicode = CreateFontW(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH, L"DejaVu Sans");
    ASSERT_NE(unicode, nullptr);
    auto reference = [&](const wchar_t* s, HFONT f) {
        auto cv = std::make_unique<Canvas>(40, 30);
        SetBkMode(cv->dc, TRANSPARENT);
        HGDIOBJ old = SelectObject(cv->dc, f);
        TextOutW(cv->dc, 10, 5, s, 1);
        SelectObject(cv->dc, old);
        return Ink(*cv);
    };
    auto drawn = [&](const char* label) {
        Canvas cv(40, 30);
        SetBkMode(cv.dc, TRANSPARENT);
        p.InscribeAxis(cv.dc, const_cast<char*>(label), 0, 0, 10, 5);
        return Ink(cv);
    };
    const std::vector<bool> chi = drawn("^{c}"), mu = drawn("^m");
    EXPECT_GT(std::count(chi.begin(), chi.end(), true), 15);
    EXPECT_EQ(chi, reference(L"\u03C7", unicode));
    EXPECT_EQ(mu, reference(L"\u03BC", unicode));
    EXPECT_NE(chi, reference(L"c", fonts.text));
    EXPECT_NE(mu, reference(L"m", fonts.text));
    DeleteObject(unicode);

    // A rotated description turns its Greek runs with it.
    Metafile mf;
    Curve c = MakeCurve(101, 0.0, 10.0, Wave);
    Prepare(p, fonts, c, nullptr);
    p.SetXYBeschriftung("E", "^m(E)", "", 546, "");
    ASSERT_EQ(p.PlotFrame(mf.dc, 1, 0, 0), 1);
    const EmfContent e = mf.Finish();
    const EmfText* m = nullptr;
    for (const EmfText& t : e.texts)
        if (t.greek) m = &t;
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->wide, u"\u03BC");
    EXPECT_EQ(m->angle, 900);
    EXPECT_EQ(m->face, "DejaVu Sans");
}

// Whether two text boxes of a metafile overlap.
bool Overlap(const RECT& a, const RECT& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

RECT TextRect(const Fonts& fonts, const EmfText& t)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, fonts.text);
    SIZE s{0, 0};
    GetTextExtentPoint32A(dc, t.text.c_str(), static_cast<int>(t.text.size()), &s);
    SelectObject(dc, old);
    DeleteDC(dc);
    return RECT{t.at.x, t.at.y, t.at.x + s.cx, t.at.y + s.cy};
}

TEST_F(FrameTest, ShortPanelKeepsItsNumbersApartAndItsDescriptionInside)
{
    // A difference panel: 80 pixels under a plot, values of a few 1e-3.
    std::vector<double> diff(curve.x.size());
    for (size_t i = 0; i < diff.size(); ++i) diff[i] = 0.0015 * std::sin(3.0 * curve.x[i]);
    for (int height : {80, 110, 150}) {
        Metafile mf;
        Prepare(p, fonts, curve, nullptr, 640, 480);
        p.GraphDimension(0, 400, 640, -height, 7, 16);
        p.SetFieldFunction(curve.x.data(), diff.data(), nullptr, nullptr,
                           static_cast<int32_t>(diff.size()));
        p.SetMinMax(0.0, 0.0);
        p.SetXYBeschriftung("Energie", "Difference", "", 546, "");
        p.SetNoReduction(1);
        ASSERT_EQ(p.PlotFrame(mf.dc, 1, 0, 1), 1) << height;
        ASSERT_EQ(p.ShortLayout, 1);
        const EmfContent c = mf.Finish();
        std::vector<RECT> numbers;
        const int L = p.GraphLeft + p.LeftMargin;
        for (const EmfText& t : c.texts)
            if (t.angle == 0 && t.at.x < L && t.text != "Energie") numbers.push_back(TextRect(fonts, t));
        ASSERT_GE(numbers.size(), 2u) << height;
        for (size_t i = 0; i < numbers.size(); ++i)
            for (size_t j = i + 1; j < numbers.size(); ++j)
                EXPECT_FALSE(Overlap(numbers[i], numbers[j])) << height << " " << i << " " << j;
        const EmfText* e = FindText(c, "Energie");
        ASSERT_NE(e, nullptr) << height;
        const RECT r = TextRect(fonts, *e);
        EXPECT_LE(r.bottom, 400 + height - 1) << height;  // above the panel's frame line
        for (const EmfText& t : c.texts) {
            if (t.angle == 0 && t.at.y > p.GraphTop + p.GraphHeight && &t != e) {
                EXPECT_FALSE(Overlap(TextRect(fonts, t), r)) << t.text;
            }
        }
    }
}

TEST_F(FrameTest, PanelsFollowTheXLayoutOfTheFirst)
{
    // The upper plot has narrow numbers, the lower one wide ones: the lower
    // panel takes the upper one's axis column, right end and x range.
    Curve wide = MakeCurve(101, 0.0, 10.0, [](double x) { return -0.0015 * std::cos(x); });
    Canvas cv(640, 600);
    Prepare(p, fonts, curve, nullptr, 640, 450);
    p.SetPlotOptions(RGB(255, 0, 0), 0, 0, 0, 1 | 2, 0, 3, 0, 0);  // circles widen the x range
    ASSERT_EQ(p.PlotFrame(cv.dc, 1, 0, 1), 1);
    const int L1 = p.GraphLeft + p.LeftMargin, R1 = L1 + p.GraphWidth - 1;
    const double x0 = p.XMin, x1 = p.XMax;
    int px1 = 0, py = 0;
    p.GetScreen(7.3, 1.0, px1, py);

    Prepare(p, fonts, wide, nullptr, 640, 450);
    p.GraphDimension(0, 450, 640, -150, 7, 16);
    p.SetMinMax(0.0, 0.0);
    p.SetNoReduction(1);
    p.SetXLayout(L1, R1, x0, x1);
    ASSERT_EQ(p.PlotFrame(cv.dc, 1, 0, 1), 1);
    EXPECT_EQ(p.GraphLeft + p.LeftMargin, L1);
    EXPECT_EQ(p.GraphLeft + p.LeftMargin + p.GraphWidth - 1, R1);
    EXPECT_EQ(p.XMin, x0);
    EXPECT_EQ(p.XMax, x1);
    int px2 = 0;
    p.GetScreen(7.3, 0.0, px2, py);
    EXPECT_EQ(px2, px1);
    EXPECT_EQ(p.LayoutColumn, 0);  // one frame only

    // Its own numbers need more room than that: the axis moves right.
    Prepare(p, fonts, wide, nullptr, 640, 450);
    p.GraphDimension(0, 450, 640, -150, 7, 16);
    p.SetMinMax(0.0, 0.0);
    p.SetNoReduction(1);
    p.SetXLayout(40, 0, 0.0, 0.0);
    ASSERT_EQ(p.PlotFrame(cv.dc, 1, 0, 1), 1);
    EXPECT_GT(p.GraphLeft + p.LeftMargin, 40 + 16);
}

}  // namespace
