// What the XAFS-in-one dialog keeps: the steps open at each moment, the
// result each step starts from, and whose results survive a new opening.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "xas/xafs_in_one.h"

namespace {

uint32_t Bit(int s) { return 1u << s; }

}  // namespace

TEST(XafsInOne, StepsOpenInOrderAndOnlyAResultOpensTheNext)
{
    XIO_STAND st;
    // Three columns: calibration only; two columns: background at once.
    uint32_t offen = XioOeffnen(&st, 0, "C:\\d\\cu.dat", 3);
    EXPECT_EQ(offen, Bit(XIO_KALIBRIERUNG));
    EXPECT_EQ(XioOeffnen(&st, 0, "C:\\d\\cu.dat", 2), Bit(XIO_UNTERGRUND));

    const std::vector<double> x = {1, 2, 3}, y = {4, 5, 6};
    offen = XioOeffnen(&st, 0, "C:\\d\\cu.dat", 3);
    // A cancelled or failed step keeps nothing and opens nothing.
    EXPECT_EQ(XioNachSchritt(&st, XIO_KALIBRIERUNG, false, x.data(), y.data(), 3, offen), offen);
    EXPECT_FALSE(st.Ergebnis[XIO_KALIBRIERUNG].Da);
    EXPECT_EQ(XioStart(st, XIO_UNTERGRUND), nullptr);
    for (int s = XIO_KALIBRIERUNG; s < XIO_SCHRITTE; ++s) {
        offen = XioNachSchritt(&st, s, true, x.data(), y.data(), 3, offen);
        EXPECT_TRUE(st.Ergebnis[s].Da);
        if (s + 1 < XIO_SCHRITTE) {
            EXPECT_TRUE(offen & Bit(s + 1)) << s;
        }
    }
    EXPECT_EQ(offen, Bit(XIO_SCHRITTE) - 1);
    EXPECT_EQ(XioBefehl(XIO_UNTERGRUND), 841);
    EXPECT_EQ(XioBefehl(XIO_FOURIER), 815);
}

TEST(XafsInOne, ARepeatedStepStartsFromTheResultBeforeIt)
{
    XIO_STAND st;
    uint32_t offen = XioOeffnen(&st, 1, "a.dat", 2);
    const std::vector<double> e0x = {1, 2, 3, 4, 5}, e0y = {0.1, 0.2, 0.3, 0.4, 0.5};
    offen = XioNachSchritt(&st, XIO_KRAUM, true, e0x.data(), e0y.data(), 5, offen);
    const std::vector<double> aa = {9, 9};
    offen = XioNachSchritt(&st, XIO_ATOMAR, true, aa.data(), aa.data(), 2, offen);
    // Atomic absorption again: from the E0 result, not from its own.
    const XIO_KURVE* start = XioStart(st, XIO_ATOMAR);
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(start->x, e0x);
    EXPECT_EQ(start->y, e0y);
    EXPECT_EQ(XioStart(st, XIO_KALIBRIERUNG), nullptr);
    // A curve of 5,000 points is kept whole.
    std::vector<double> lang(5000);
    for (int i = 0; i < 5000; ++i) lang[i] = i;
    XioNachSchritt(&st, XIO_KRAUM, true, lang.data(), lang.data(), 5000, offen);
    EXPECT_EQ(XioStart(st, XIO_ATOMAR)->x.size(), 5000u);
}

TEST(XafsInOne, CalibrationAndE0ResultsBelongToTheirWindowAndFile)
{
    XIO_STAND st;
    const std::vector<double> x = {1, 2}, y = {3, 4};
    uint32_t offen = XioOeffnen(&st, 0, "a.dat", 3);
    for (int s = XIO_KALIBRIERUNG; s < XIO_SCHRITTE; ++s) offen = XioNachSchritt(&st, s, true, x.data(), y.data(), 2, offen);
    // Again on the same window and file: calibration and E0 stay, so the
    // background and the atomic absorption can start from them.
    EXPECT_EQ(XioOeffnen(&st, 0, "a.dat", 3), Bit(XIO_KALIBRIERUNG) | Bit(XIO_UNTERGRUND) | Bit(XIO_ATOMAR));
    EXPECT_TRUE(st.Ergebnis[XIO_KRAUM].Da);
    EXPECT_FALSE(st.Ergebnis[XIO_UNTERGRUND].Da);
    EXPECT_FALSE(st.Ergebnis[XIO_ATOMAR].Da);
    // Another window, or another file in the same window: nothing.
    EXPECT_EQ(XioOeffnen(&st, 1, "a.dat", 3), Bit(XIO_KALIBRIERUNG));
    for (const XIO_KURVE& k : st.Ergebnis) EXPECT_FALSE(k.Da);
    offen = XioNachSchritt(&st, XIO_KALIBRIERUNG, true, x.data(), y.data(), 2, Bit(XIO_KALIBRIERUNG));
    EXPECT_EQ(XioOeffnen(&st, 1, "b.dat", 3), Bit(XIO_KALIBRIERUNG));
    EXPECT_FALSE(st.Ergebnis[XIO_KALIBRIERUNG].Da);
}

TEST(XafsInOne, TransformMagnitude)
{
    // 3 real values, a spare, 3 imaginary ones.
    const std::vector<double> y = {3, 0, -1, 99, 4, 2, 0};
    std::vector<double> b;
    XioBetrag(y.data(), 3, &b);
    ASSERT_EQ(b.size(), 3u);
    EXPECT_DOUBLE_EQ(b[0], 5.0);
    EXPECT_DOUBLE_EQ(b[1], 2.0);
    EXPECT_DOUBLE_EQ(b[2], 1.0);
}
