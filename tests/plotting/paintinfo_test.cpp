#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>

#include "vantor.h"

// The record is stored per graphic window: its layout is fixed.
#define AT(field, offset) static_assert(offsetof(PAINTINFO, field) == (offset), #field)
AT(PlotWidth, 0); AT(FuncWidth, 4); AT(AxisWidth, 8); AT(FrameWidth, 12);
AT(XNumbers, 16); AT(YNumbers, 20); AT(ZNumbers, 24);
AT(PlotPenStyle, 28); AT(FuncPenStyle, 32); AT(FuncStyle, 36); AT(PlotStyle, 40);
AT(XLines, 44); AT(YLines, 48); AT(ZLines, 52); AT(PlotHatch, 56); AT(FuncHatch, 60);
AT(TriangleHeight, 64); AT(KreisRadius, 68);
AT(XAxisDistance, 72); AT(YAxisDistance, 76); AT(ZAxisDistance, 80);
AT(BarWidth, 84); AT(BeschriftungFlags, 88);
AT(AxisFontWidth, 92); AT(AxisFontHeight, 96); AT(ScaleFontWidth, 100); AT(ScaleFontHeight, 104);
AT(InscriptionFontWidth, 108); AT(InscriptionFontHeight, 112);
AT(CapitalFontWidth, 116); AT(CapitalFontHeight, 120);
AT(PlotColor, 124); AT(FuncColor, 128); AT(BkgColor, 132);
AT(ShowGrid, 136); AT(ShowFrame, 140); AT(OnlyXPoints, 144); AT(KomplexReal, 148);
AT(KomplexImag, 152); AT(BarBrush, 156); AT(ShowXText, 160); AT(ShowYText, 164);
AT(DotScale, 168); AT(SignFactor, 176);
#undef AT
static_assert(sizeof(PAINTINFO) == 42 * 4 + 2 * 8, "PAINTINFO is 42 int32 then 2 doubles");

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

TEST(Paintinfo, FortyFourDistinctValuesReachTheirMembers)
{
    // Distinct bit patterns per word (negative and colour values included),
    // so that a swapped pair of fields cannot pass.
    PAINTINFO in{};
    int32_t* words = reinterpret_cast<int32_t*>(&in);
    for (int i = 0; i < 42; ++i) words[i] = (i % 2 ? -1 : 1) * (1000 * (i + 1) + i);
    in.PlotColor = 0x00123456u;
    in.FuncColor = 0x00FEDCBAu;
    in.BkgColor = 0x00C0C0C0u;
    in.DotScale = 0.6125;
    in.SignFactor = -1.0;
    feld_plot plot;
    plot.SetPaintinfo(&in);
    EXPECT_EQ(plot.PlotWidth, in.PlotWidth);
    EXPECT_EQ(plot.KreisRadius, in.KreisRadius);
    EXPECT_EQ(plot.BeschriftungFlags, in.BeschriftungFlags);
    EXPECT_EQ(plot.CapitalFontHeight, in.CapitalFontHeight);
    EXPECT_EQ(plot.PlotColor, 0x00123456u);
    EXPECT_EQ(plot.FuncColor, 0x00FEDCBAu);
    EXPECT_EQ(plot.ShowYText, in.ShowYText);
    EXPECT_EQ(plot.DotScale, 0.6125);
    PAINTINFO out;
    std::memset(&out, 0xAB, sizeof out);
    plot.GetPaintinfo(&out);
    EXPECT_EQ(std::memcmp(&in, &out, sizeof in), 0);
}

TEST(PlotObject, ConstructorDefaults)
{
    feld_plot p;
    PAINTINFO d{};
    p.GetPaintinfo(&d);
    EXPECT_EQ(d.PlotWidth, 1);
    EXPECT_EQ(d.XNumbers, 5);
    EXPECT_EQ(d.XLines, 5);
    EXPECT_EQ(d.PlotHatch, 2);
    EXPECT_EQ(d.FuncHatch, 3);
    EXPECT_EQ(d.TriangleHeight, 4);
    EXPECT_EQ(d.KreisRadius, 3);
    EXPECT_EQ(d.BarWidth, -1);
    EXPECT_EQ(d.BeschriftungFlags, 546);
    EXPECT_EQ(d.AxisFontWidth, 7);
    EXPECT_EQ(d.CapitalFontHeight, 16);
    EXPECT_EQ(d.ShowFrame, 1);
    EXPECT_EQ(d.KomplexReal, 1);
    EXPECT_EQ(d.BarBrush, 1);
    EXPECT_EQ(d.ShowXText, 1);
    EXPECT_EQ(d.DotScale, 0.6);
    EXPECT_EQ(d.SignFactor, 1.0);
    EXPECT_EQ(p.Angle3D, 45.0);
    EXPECT_EQ(p.Depth3D, 4.0);
    EXPECT_EQ(p.NonZeroBar, 1);
    EXPECT_EQ(p.CharWidth, 7);
    EXPECT_EQ(p.CharHeight, 16);
    EXPECT_STREQ(p.XText, "X");
    EXPECT_STREQ(p.YText, "Y");
    EXPECT_STREQ(p.CapitalText, "");
    EXPECT_STREQ(p.ZText, "Z");
    ASSERT_NE(p.WorkX, nullptr);
    ASSERT_NE(p.WorkY, nullptr);
    EXPECT_EQ(p.WorkX[VANTOR_WORK_VALUES - 1], 0.0);
}

TEST(PlotObject, SettersKeepWhatTheyMustKeep)
{
    feld_plot p;
    p.SetScalExtent(9, 0, -1, 20, 0, 0, 11, -5);
    int aw, ah, iw, ih, sw, sh, cw, ch;
    p.GetScalExtent(aw, ah, iw, ih, sw, sh, cw, ch);
    EXPECT_EQ(aw, 9);
    EXPECT_EQ(ah, 16);
    EXPECT_EQ(iw, 7);
    EXPECT_EQ(ih, 20);
    EXPECT_EQ(sw, 7);
    EXPECT_EQ(sh, 16);
    EXPECT_EQ(cw, 11);
    EXPECT_EQ(ch, 16);

    p.SetPlotOptions(255, 0xFF0000, 1, 2, 3, 4, 0, 0, 1);
    EXPECT_EQ(p.KreisRadius, 3);
    EXPECT_EQ(p.TriangleHeight, 4);
    EXPECT_EQ(p.PlotColor, 255u);
    EXPECT_EQ(p.OnlyXPoints, 1);
    p.SetPlotOptions(255, 0xFF0000, 1, 2, 3, 4, 8, 9, 0);
    EXPECT_EQ(p.KreisRadius, 8);
    EXPECT_EQ(p.TriangleHeight, 9);

    EXPECT_EQ(p.SetPrintCap(1), 1);
    p.SetPBkgColor(7);
    EXPECT_EQ(p.GetPBkgColor(), 1);
}

TEST(PlotObject, Set3DTurnsADescendingDepthRange)
{
    feld_plot p;
    p.Set3D(1, 5.0, 1.0, 2.0, 30.0, 3.0);
    EXPECT_EQ(p.ZMin, -5.0);
    EXPECT_EQ(p.ZMax, -1.0);
    EXPECT_EQ(p.ZSign, -1.0);
    EXPECT_EQ(p.ZValue, -2.0);
    EXPECT_EQ(p.Angle3D, 30.0);
    EXPECT_EQ(p.Depth3D, 3.0);
    p.Set3D(1, 5.0, 1.0, 1e8, 45.0, 4.0);
    EXPECT_EQ(p.ZValue, p.ZMin);
    p.Set3D(1, 1.0, 5.0, 1e8, 45.0, 4.0);
    EXPECT_EQ(p.ZSign, 1.0);
    EXPECT_EQ(p.ZValue, 1.0);
    p.Set3D(0, 2.0, 2.0, 2.0, 45.0, 4.0);
    EXPECT_EQ(p.ZSign, 1.0);
}

TEST(PlotObject, MultiplotListIsClampedToItsEntries)
{
    feld_plot p;
    int32_t list[41];
    list[0] = 40;
    for (int i = 1; i <= 40; ++i) list[i] = i;
    p.SetMultiplot(1, list);
    EXPECT_EQ(p.MultiplotMode, 1);
    EXPECT_EQ(p.MultiplotList[0], VANTOR_MULTIPLOT_MAX);
    EXPECT_EQ(p.MultiplotList[VANTOR_MULTIPLOT_MAX], VANTOR_MULTIPLOT_MAX);
    p.SetMultiplot(0, list);
    EXPECT_EQ(p.MultiplotMode, 0);
    p.SetMultiplot(2, list);
    p.SetMultiplot(2, nullptr);
    EXPECT_EQ(p.MultiplotMode, 0);
    list[0] = -4;
    p.SetMultiplot(1, list);
    EXPECT_EQ(p.MultiplotList[0], 0);
    EXPECT_EQ(p.MultiplotMode, 0);
}

TEST(PlotObject, LabelsAreCutToTheirBlocks)
{
    feld_plot p;
    const std::string longText(300, 'x');
    p.SetX(longText.c_str());
    p.SetXYBeschriftung(longText.c_str(), longText.c_str(), longText.c_str(), 7, longText.c_str());
    for (const char* block : {p.XText, p.YText, p.CapitalText, p.ZText})
        EXPECT_EQ(std::string(block), std::string(VANTOR_LABEL_SIZE - 1, 'x'));
    char out[VANTOR_LABEL_SIZE + 8];
    std::memset(out, '#', sizeof out);
    p.GetY(out);
    EXPECT_EQ(std::strlen(out), size_t(VANTOR_LABEL_SIZE - 1));
    EXPECT_EQ(out[VANTOR_LABEL_SIZE], '#');
    EXPECT_EQ(p.BeschriftungFlags, 7);
}

TEST(PlotObject, OptionsTextRoundTrip)
{
    feld_plot a;
    a.SetPlotOptions(0x00123456, 0x00FF0000, 1, 2, 3, 65, 6, 8, 1);
    a.SetKomplexMode(0, 1);
    a.SetBrushStyle(4, 5, 1);
    a.SetXYScaling(3, 4, 6, 37.5, 4.0);
    a.SetGridBreite(1, 2, 3, 4, 5, 0);
    a.SetXYBeschriftung("E [eV]", "^m(E)", "", 0x124, nullptr);
    a.SetScalExtent(8, 17, 9, 18, 10, 19, 11, 20);

    FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(a.SaveOptions(f), 1);
    std::rewind(f);
    char line[600];
    int lines = 0;
    while (std::fgets(line, sizeof line, f)) ++lines;
    EXPECT_EQ(lines, 4);
    std::rewind(f);

    feld_plot b;
    EXPECT_EQ(b.LoadOptions(f), 1);
    std::fclose(f);
    EXPECT_EQ(b.PlotColor, 0x00123456u);
    EXPECT_EQ(b.FuncColor, 0x00FF0000u);
    EXPECT_EQ(b.PlotPenStyle, 1);
    EXPECT_EQ(b.FuncStyle, 65);
    EXPECT_EQ(b.KreisRadius, 6);
    EXPECT_EQ(b.TriangleHeight, 8);
    EXPECT_EQ(b.OnlyXPoints, 1);
    EXPECT_EQ(b.KomplexReal, 0);
    EXPECT_EQ(b.PlotHatch, 4);
    EXPECT_EQ(b.ZNumbers, 6);
    EXPECT_EQ(b.Angle3D, 37.5);
    EXPECT_EQ(b.ShowGrid, 1);
    EXPECT_EQ(b.PlotWidth, 4);
    EXPECT_EQ(b.ShowFrame, 0);
    EXPECT_STREQ(b.XText, "E [eV]");
    EXPECT_STREQ(b.YText, "^m(E)");
    EXPECT_STREQ(b.CapitalText, " ");
    EXPECT_STREQ(a.CapitalText, " ");
    EXPECT_EQ(b.BeschriftungFlags, 0x124);
    EXPECT_EQ(b.AxisFontWidth, 8);
    EXPECT_EQ(b.CapitalFontHeight, 20);
}

TEST(PlotObject, OptionsTextWithAMissingLineIsRefused)
{
    FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    std::fputs("1,2,3,4,5,6,7,8,9\n1,1,2,3\n", f);
    std::rewind(f);
    feld_plot p;
    EXPECT_EQ(p.LoadOptions(f), 0);
    EXPECT_EQ(p.PlotStyle, 5);  // the complete first line was taken
    EXPECT_EQ(p.XNumbers, 5);   // the short second line was not
    std::fclose(f);
}
