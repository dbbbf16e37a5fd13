// The McMaster calculator's look-ups on the real table (mucal.dat of the
// program folder): copper at 9.2 keV and the ion chamber's gas mixture.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "xas/mcmaster_calc.h"
#include "xas_test_support.h"

TEST(McMasterRechner, CopperAtNinePointTwoKeV)
{
    McMasterElement cu;
    ASSERT_EQ(McMasterSuche(McMasterTabelle(), "cu", 9.2, &cu), McMasterFehler::Keiner);
    EXPECT_EQ(cu.Z, 29);
    EXPECT_EQ(cu.Gewicht(), 63.54);
    EXPECT_EQ(cu.Dichte(), 8.94);
    EXPECT_NEAR(cu.Absorption(), 2428.4, 2428.4 * 5e-4);
    EXPECT_NEAR(cu.Massenabsorption(), 271.64, 271.64 * 5e-4);
    EXPECT_EQ(cu.Kanten[0], 8.979);
    // The second list: cross sections, jumps and yields in caption order;
    // the total is the sum of the three cross sections.
    const std::vector<double> w = McMasterListenWerte(cu);
    ASSERT_EQ(w.size(), 12u);
    EXPECT_NEAR(w[3], w[0] + w[1] + w[2], w[3] * 1e-9);
    EXPECT_NEAR(w[3], cu.Massenabsorption(), cu.Massenabsorption() * 1e-6);
    EXPECT_EQ(w[8], cu.Ausbeuten[0]);
    EXPECT_EQ(w[11], cu.Ausbeuten[3]);
}

TEST(McMasterRechner, UnknownElementsAndEnergiesAreRefused)
{
    McMasterElement r;
    r.Z = -7;
    const struct {
        const char* element;
        double e;
        McMasterFehler fehler;
    } faelle[] = {
        {"Xx", 9.2, McMasterFehler::Element},  {"", 9.2, McMasterFehler::Element},
        {"Copper", 9.2, McMasterFehler::Element}, {"Po", 9.2, McMasterFehler::Element},
        {"Cu", 0.0, McMasterFehler::Energie},  {"Cu", -3.0, McMasterFehler::Energie},
    };
    for (const auto& f : faelle) {
        EXPECT_EQ(McMasterSuche(McMasterTabelle(), f.element, f.e, &r), f.fehler) << f.element << " " << f.e;
        EXPECT_EQ(r.Z, -7) << "a refused search leaves the result untouched";
    }
    EXPECT_EQ(McMasterSuche(nullptr, "Cu", 9.2, &r), McMasterFehler::Element);
}

TEST(McMasterRechner, IonChamberOfTwoGases)
{
    IonenKammer k;
    ASSERT_TRUE(IonenKammerAbsorption(McMasterTabelle(), "N", "Ar", 9.2, 25.0, 95.0, &k));
    EXPECT_EQ(k.Prozent1, 95.0);
    EXPECT_EQ(k.Prozent2, 5.0);
    EXPECT_NEAR(k.Absorption, 27.54, 0.01);
    // Out of bounds: all of gas #1, none of gas #2.
    for (double p : {120.0, -1.0}) {
        ASSERT_TRUE(IonenKammerAbsorption(McMasterTabelle(), "N", "Ar", 9.2, 25.0, p, &k));
        EXPECT_EQ(k.Prozent1, 100.0);
        EXPECT_EQ(k.Prozent2, 0.0);
        EXPECT_NEAR(k.Absorption, 13.73, 0.01);
    }
    // Beer-Lambert: a pure gas over twice the length absorbs 1 - T^2.
    IonenKammer einfach, doppelt;
    ASSERT_TRUE(IonenKammerAbsorption(McMasterTabelle(), "Ar", "N", 9.2, 10.0, 100.0, &einfach));
    ASSERT_TRUE(IonenKammerAbsorption(McMasterTabelle(), "Ar", "N", 9.2, 20.0, 100.0, &doppelt));
    const double t = 1.0 - einfach.Absorption / 100.0;
    EXPECT_NEAR(doppelt.Absorption, 100.0 * (1.0 - t * t), 1e-9);
    EXPECT_FALSE(IonenKammerAbsorption(McMasterTabelle(), "Qq", "Ar", 9.2, 25.0, 95.0, &k));
    EXPECT_FALSE(IonenKammerAbsorption(McMasterTabelle(), "N", "Qq", 9.2, 25.0, 95.0, &k));
}

TEST(McMasterRechner, CaptionListsSplitAtCommas)
{
    const auto t = TeileBeschriftungen("K-edge:,L1-edge:,,M-edge:");
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[0], "K-edge:");
    EXPECT_EQ(t[2], "M-edge:");
    EXPECT_TRUE(TeileBeschriftungen("").empty());
}
