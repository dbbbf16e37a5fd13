// Printing arithmetic: plot sizes of the print options, the margins and
// the pages of a long results text.
#include <gtest/gtest.h>

#include <string>

#include "shell/printing.h"

TEST(DruckLayout, PlotSizeFollowsTheOptions)
{
    struct Fall {
        bool interaktiv, ganz;
        int32_t groesse, kb, kh, seiteB, seiteH;
        int32_t b, h;
        bool hochkant;
    };
    const Fall faelle[] = {
        {true, false, 0, 0, 0, 4800, 6600, 1200, 895, false},   // small: a quarter, / 1.34
        {true, false, 1, 0, 0, 4800, 6600, 2400, 1791, false},
        {true, false, 2, 0, 0, 4800, 6600, 4800, 3582, false},
        {true, false, 3, 0, 0, 4800, 6600, 4800, 3582, false},  // others without values
        {true, false, 3, 1000, 700, 4800, 6600, 1000, 700, false},
        {true, false, 3, 1000, 0, 4800, 6600, 4800, 3582, false},
        {true, true, 0, 0, 0, 4800, 6600, 4800, 6600, true},     // full portrait page
        {true, true, 0, 0, 0, 6600, 4800, 6600, 4800, false},
        {false, true, 0, 0, 0, 1200, 895, 1200, 895, false},     // no job: the target's size
    };
    for (const Fall& f : faelle) {
        const DruckFlaeche d = BerechneDruckFlaeche(f.interaktiv, f.ganz, f.groesse, f.kb, f.kh, f.seiteB, f.seiteH);
        EXPECT_EQ(d.Breite, f.b) << f.groesse << " " << f.seiteB;
        EXPECT_EQ(d.Hoehe, f.h) << f.groesse << " " << f.seiteB;
        EXPECT_EQ(d.Hochkant, f.hochkant) << f.groesse << " " << f.seiteB;
    }
}

TEST(DruckLayout, Margins)
{
    // Interactive: two title cells around; portrait full page: narrow.
    DruckRand r = BerechneDruckRand(true, false, true, 1200, 895, 30, 40, 10, 20);
    EXPECT_EQ(r.Links, 60);
    EXPECT_EQ(r.Oben, 80);
    EXPECT_EQ(r.Breite, 1080);
    EXPECT_EQ(r.Hoehe, 735);
    r = BerechneDruckRand(true, true, true, 4800, 6600, 30, 40, 10, 20);
    EXPECT_EQ(r.Links, 10);
    EXPECT_EQ(r.Oben, 20);
    EXPECT_EQ(r.Breite, 4730);
    EXPECT_EQ(r.Hoehe, 6580);
    // No job: room for the title only when there is one.
    r = BerechneDruckRand(false, false, true, 1200, 895, 30, 40, 10, 20);
    EXPECT_EQ(r.Links, 0);
    EXPECT_EQ(r.Oben, 80);
    EXPECT_EQ(r.Hoehe, 895 - 160 - 30);
    r = BerechneDruckRand(false, false, false, 1200, 895, 30, 40, 10, 20);
    EXPECT_EQ(r.Oben, 0);
    EXPECT_EQ(r.Hoehe, 895);
    EXPECT_EQ(r.Breite, 1200);
}

TEST(DruckLayout, LongTextRunsOverPagesEachFrom50PixelsDown)
{
    std::string text;
    for (int i = 1; i <= 200; ++i) text += "line " + std::to_string(i) + "\r\n";
    // Line height 50 on 6600 pixels: 66 per line, full past 6400, so 97
    // lines fit a page: 97 + 97 + 6.
    const auto z = DruckTextSeiten(text, 50, 6600);
    ASSERT_EQ(z.size(), 200u);
    EXPECT_EQ(z[0].Y, 50);
    EXPECT_EQ(z[0].X, 100);
    EXPECT_EQ(z[0].Text, "line 1");
    EXPECT_EQ(z[96].Seite, 0);
    EXPECT_EQ(z[96].Y, 50 + 96 * 66);
    EXPECT_EQ(z[97].Seite, 1);
    EXPECT_EQ(z[97].Y, 50);
    EXPECT_EQ(z[194].Seite, 2);
    EXPECT_EQ(z[199].Seite, 2);
    EXPECT_EQ(z[199].Text, "line 200");
    // Exactly one page full: no empty page behind it.
    std::string voll;
    for (int i = 0; i < 97; ++i) voll += "x\n";
    EXPECT_EQ(DruckTextSeiten(voll, 50, 6600).back().Seite, 0);
}
