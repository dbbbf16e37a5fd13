// Slot picking, axis side, combine list and zoom rectangle of the mouse in
// a graphic window.
#include <gtest/gtest.h>

#include "spectra/graphic_mouse.h"

TEST(GraphicMouse, QuadrantAndCounterOfAClick)
{
    const int32_t w = 400, h = 300;
    const struct { int32_t x, y; bool alle; int32_t neuester, ohne, q, c; } faelle[] = {
        {10, 10, true, 6, 0, 0, 4},     // top left: the newest counter of slot 0 is 4
        {300, 10, true, 6, 0, 1, 5},
        {10, 250, true, 6, 0, 2, 6},    // bottom left with newest 6: counter 6
        {10, 250, true, 5, 0, 2, 2},    // with newest 5: counter 2
        {300, 250, true, 6, 0, 3, 3},
        {300, 250, true, 3, 0, 3, 3},
        {200, 150, true, 3, 0, 0, 0},   // the middle lines count to the left and top
        {201, 151, true, 3, 0, 3, 3},
        {300, 250, true, 1, 0, 1, 1},   // two curves: left or right only
        {10, 250, true, 1, 0, 0, 0},
        {300, 250, false, 0, 0, 0, 0},  // one-curve view: the given slot
        {300, 250, false, 0, 2, 2, 2},
    };
    for (const auto& f : faelle) {
        const int32_t q = MausQuadrant(f.x, f.y, w, h, f.alle, f.neuester, f.ohne);
        EXPECT_EQ(q, f.q) << f.x << "," << f.y << " newest " << f.neuester;
        EXPECT_EQ(MausZaehler(q, f.neuester), f.c) << f.x << "," << f.y << " newest " << f.neuester;
    }
    // Every counter found lies in the slot and not above the newest.
    for (int32_t neu = 4; neu < 40; ++neu)
        for (int32_t q = 0; q < 4; ++q) {
            const int32_t c = MausZaehler(q, neu);
            EXPECT_LE(c, neu);
            if (c >= 1) {
                EXPECT_EQ(c % 4, q);
                EXPECT_GT(c + 4, neu);
            }
        }
}

TEST(GraphicMouse, RightAxisIsTheRightHalfOfWindowOrQuadrant)
{
    const int32_t w = 400;
    EXPECT_FALSE(MausRechteAchse(200, w, false));
    EXPECT_TRUE(MausRechteAchse(201, w, false));
    EXPECT_FALSE(MausRechteAchse(99, w, true));
    EXPECT_TRUE(MausRechteAchse(100, w, true));   // left column from w / 4
    EXPECT_TRUE(MausRechteAchse(200, w, true));
    EXPECT_FALSE(MausRechteAchse(300, w, true));  // right column above 3 w / 4
    EXPECT_TRUE(MausRechteAchse(301, w, true));
}

TEST(GraphicMouse, DropsBuildTheCombineListUpToItsCapacity)
{
    int32_t liste[4] = {-7, -7, -7, -7};
    int32_t n = 0;
    // Window 1, slot 3 onto the right half of window 0 (slot 0).
    ASSERT_TRUE(KombiHinzufuegen(liste, &n, 4, 0, 0, 3, 1, true));
    ASSERT_EQ(n, 2);
    EXPECT_EQ(liste[0], 0);
    EXPECT_EQ(liste[1], 113);
    // Counters above 3 name their slot.
    ASSERT_TRUE(KombiHinzufuegen(liste, &n, 4, 0, 0, 6, 2, false));
    EXPECT_EQ(liste[2], 22);
    ASSERT_TRUE(KombiHinzufuegen(liste, &n, 4, 0, 0, 1, 3, false));
    EXPECT_EQ(n, 4);
    EXPECT_FALSE(KombiHinzufuegen(liste, &n, 4, 0, 0, 2, 3, false));
    EXPECT_EQ(n, 4);
    // A first drop needs two entries.
    int32_t eins[1] = {-7};
    int32_t m = 0;
    EXPECT_FALSE(KombiHinzufuegen(eins, &m, 1, 0, 0, 1, 1, false));
    EXPECT_EQ(m, 0);
    EXPECT_EQ(eins[0], -7);
}

TEST(GraphicMouse, ZoomRectangleInBothDirectionsAndWithoutSize)
{
    ZOOM_BEREICH a{}, b{};
    ASSERT_TRUE(ZoomAusRechteck(1.0, 8.0, 5.0, -2.0, &a));   // top left to bottom right
    ASSERT_TRUE(ZoomAusRechteck(5.0, -2.0, 1.0, 8.0, &b));   // bottom right to top left
    for (const ZOOM_BEREICH& z : {a, b}) {
        EXPECT_EQ(z.XUnten, 1.0);
        EXPECT_EQ(z.XOben, 5.0);
        EXPECT_EQ(z.YUnten, -2.0);
        EXPECT_EQ(z.YOben, 8.0);
    }
    ZOOM_BEREICH c{9, 9, 9, 9};
    EXPECT_FALSE(ZoomAusRechteck(1.0, 8.0, 1.0, -2.0, &c));
    EXPECT_FALSE(ZoomAusRechteck(1.0, 8.0, 5.0, 8.0, &c));
    EXPECT_EQ(c.XUnten, 9.0);
}
