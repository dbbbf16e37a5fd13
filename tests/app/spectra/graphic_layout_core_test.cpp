// Panel layout, series and combine offsets of the drawing, as numbers.
#include <gtest/gtest.h>

#include "spectra/graphic_layout.h"

TEST(GrafikLayout, ShowAllDrawsOneTwoOrFourPanelsInTheirQuadrants)
{
    const struct { int32_t neuester, panels; } faelle[] = {
        {-1, 0}, {0, 1}, {1, 2}, {2, 3}, {3, 4}, {9, 4}};
    for (const auto& f : faelle) EXPECT_EQ(AllePanels(f.neuester), f.panels) << f.neuester;

    // One or two panels: half the width, the whole height, side by side.
    for (int32_t anzahl : {1, 2}) {
        const FLAECHE a = AllePanel(anzahl, 0, 10, 20, 800, 600);
        EXPECT_EQ(a.Links, 10);
        EXPECT_EQ(a.Oben, 20);
        EXPECT_EQ(a.Breite, 400);
        EXPECT_EQ(a.Hoehe, 600);
    }
    const FLAECHE b = AllePanel(2, 1, 10, 20, 800, 600);
    EXPECT_EQ(b.Links, 410);
    EXPECT_EQ(b.Oben, 20);
    // Three or four: a 2 x 2 grid, slot 0 top left to slot 3 bottom right.
    const int32_t links[4] = {10, 410, 10, 410}, oben[4] = {20, 20, 320, 320};
    for (int32_t i = 0; i < 4; ++i) {
        const FLAECHE c = AllePanel(4, i, 10, 20, 801, 601);
        EXPECT_EQ(c.Links, i % 2 ? 410 : 10) << i;
        EXPECT_EQ(c.Oben, oben[i]) << i;
        EXPECT_EQ(c.Breite, 400) << i;
        EXPECT_EQ(c.Hoehe, 300) << i;
        EXPECT_EQ(AllePanel(3, i, 10, 20, 801, 601).Links, links[i]) << i;
    }
}

TEST(GrafikLayout, AFitLeavesTheLowestQuarterToTheDifference)
{
    EXPECT_EQ(PlotHoehe(601, 0), 601);
    EXPECT_EQ(PlotHoehe(601, 1), 450);
    EXPECT_EQ(PlotHoehe(601, -1), 450);
    EXPECT_EQ(PlotHoehe(601, 101), 450);
    const FLAECHE d = DifferenzFlaeche(5, 10, 700, 601);
    EXPECT_EQ(d.Links, 5);
    EXPECT_EQ(d.Oben, 10 + 450);
    EXPECT_EQ(d.Breite, 700);
    EXPECT_EQ(d.Hoehe, -150);
    const FLAECHE r = HalbPanel(1, 5, 10, 701, 300);
    EXPECT_EQ(r.Links, 5 + 350);
    EXPECT_EQ(r.Breite, 350);
}

TEST(GrafikLayout, SeriesFramesShiftByTheModesStep)
{
    // Range 2 .. 6 (|range| 4) over five frames.
    const struct { int32_t modus; double schritt, zuwachs; } faelle[] = {
        {0, 0.0, 0.0}, {10, 1.0, 4.0}, {20, 3.0, 12.0}, {30, 6.0, 24.0}, {40, 0.25, 1.0}, {50, 0.0, 0.0}};
    for (const auto& f : faelle) {
        EXPECT_DOUBLE_EQ(SerienVersatz(f.modus, 6.0, 2.0, 5, 0.25), f.schritt) << f.modus;
        EXPECT_DOUBLE_EQ(SerienZuwachs(f.modus, 6.0, 2.0, 5, 0.25), f.zuwachs) << f.modus;
    }
    // One frame has no step to divide.
    EXPECT_EQ(SerienVersatz(20, 6.0, 2.0, 1, 0.0), 0.0);
}

TEST(GrafikLayout, CombineOffsetsFollowTheListAndTheAxis)
{
    double s[2];
    // Mode 12, three curves on a left range of 10: steps of 4.
    KombiSchritte(12, 3, -2.0, 8.0, 1e30, -1e30, 0.0, s);
    EXPECT_DOUBLE_EQ(s[0], 4.0);
    EXPECT_DOUBLE_EQ(s[1], 0.0);
    KombiSchritte(11, 3, 0.0, 10.0, 0.0, 2.0, 0.0, s);
    EXPECT_DOUBLE_EQ(s[0], 1.5);
    EXPECT_DOUBLE_EQ(s[1], 0.3);
    KombiSchritte(13, 2, 0.0, 10.0, 0.0, 2.0, 0.0, s);
    EXPECT_DOUBLE_EQ(s[0], 18.0);
    EXPECT_DOUBLE_EQ(s[1], 2.8);
    KombiSchritte(14, 7, 0.0, 10.0, 0.0, 2.0, 0.7, s);
    EXPECT_DOUBLE_EQ(s[0], 0.7);
    EXPECT_DOUBLE_EQ(s[1], 0.7);
    KombiSchritte(11, 1, 0.0, 10.0, 0.0, 2.0, 0.0, s);
    EXPECT_EQ(s[0], 0.0);

    const int32_t liste[5] = {0, 11, 102, 20, 113};
    const bool offen[5] = {true, false, true, true, true};
    const double schritte[2] = {4.0, 0.5};
    double v[5];
    KombiVersaetze(liste, offen, 5, schritte, v);
    const double erwartet[5] = {0.0, 0.0, 0.0, 4.0, 0.5};
    for (int k = 0; k < 5; ++k) EXPECT_DOUBLE_EQ(v[k], erwartet[k]) << k;

    EXPECT_DOUBLE_EQ(TiefenPosition(0.0, 10.0, 5, 2), 5.0);
    EXPECT_DOUBLE_EQ(TiefenPosition(1.0, 10.0, 1, 0), 1.0);
}

TEST(GraphicLayout, TilesFillTheAreaByTheNumberOfWindowsTiled)
{
    // Area 800 x 600 from y = 40: two columns, rows by the count.
    const struct { int32_t k, anzahl; FLAECHE f; } faelle[] = {
        {0, 2, {0, 40, 400, 600}},   {1, 2, {400, 40, 400, 600}},
        {0, 3, {0, 40, 400, 300}},   {1, 3, {400, 40, 400, 300}},  {2, 3, {0, 340, 400, 300}},
        {3, 4, {400, 340, 400, 300}}, {4, 5, {0, 440, 400, 200}},
    };
    for (const auto& c : faelle) {
        const FLAECHE f = KachelFlaeche(c.k, c.anzahl, 40, 800, 600);
        EXPECT_EQ(f.Links, c.f.Links) << c.k << "/" << c.anzahl;
        EXPECT_EQ(f.Oben, c.f.Oben) << c.k << "/" << c.anzahl;
        EXPECT_EQ(f.Breite, c.f.Breite) << c.k << "/" << c.anzahl;
        EXPECT_EQ(f.Hoehe, c.f.Hoehe) << c.k << "/" << c.anzahl;
        // Every tile lies inside the area.
        EXPECT_LE(f.Oben + f.Hoehe, 40 + 600);
    }
}
