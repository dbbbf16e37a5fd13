// The value rules of the option dialogs: what a typed or chosen value
// becomes in the stored settings.
#include <gtest/gtest.h>

#include <cmath>

#include "shell/option_dialogs.h"

TEST(OptionRules, ConfidenceOutsideZeroToOneBecomesTheDefault)
{
    const struct { double ein, aus; } faelle[] = {
        {1.0, 1.0}, {0.0, 0.0}, {0.68, 0.68}, {1.01, 0.95}, {-0.1, 0.95}, {95.0, 0.95}, {NAN, 0.95},
    };
    for (const auto& f : faelle) EXPECT_DOUBLE_EQ(KonfidenzAusEingabe(f.ein), f.aus) << f.ein;
}

TEST(OptionRules, ChoicesAndStoredWordsMapBothWays)
{
    // Re-new mode: the words of each choice, and the choice the words show.
    const struct { int32_t wahl, erstes, zweites; } erneuerung[] = {{0, 1, 0}, {1, 0, 1}, {2, 0, 0}};
    for (const auto& f : erneuerung) {
        int32_t w[2] = {7, 7};
        FitErneuerungAusWahl(f.wahl, w);
        EXPECT_EQ(w[0], f.erstes) << f.wahl;
        EXPECT_EQ(w[1], f.zweites) << f.wahl;
        EXPECT_EQ(FitErneuerungWahl(w), f.wahl);
    }
    // Both words set (a file written by hand) shows "no re-new".
    const int32_t beide[2] = {1, 1};
    EXPECT_EQ(FitErneuerungWahl(beide), 0);

    const struct { int32_t punkte, wahl, zurueck; } k[] = {
        {512, 0, 512}, {1024, 1, 1024}, {2048, 2, 2048}, {4096, 2, 2048}, {0, 2, 2048},
    };
    for (const auto& f : k) {
        EXPECT_EQ(KPunkteWahl(f.punkte), f.wahl) << f.punkte;
        EXPECT_EQ(KPunkteAusWahl(KPunkteWahl(f.punkte)), f.zurueck) << f.punkte;
    }
}

TEST(OptionRules, EnergyRangeAboveHalfAKeVIsTaken)
{
    EXPECT_FALSE(EnergieBereichNehmen(0.5));
    EXPECT_FALSE(EnergieBereichNehmen(0.0));
    EXPECT_FALSE(EnergieBereichNehmen(-40.0));
    EXPECT_TRUE(EnergieBereichNehmen(0.6));
    EXPECT_DOUBLE_EQ(EnergieBereichVon(50.0), 5.0);
}

TEST(OptionRules, ProfileValuesTheReaderWouldRefuseAreNamed)
{
    int32_t p[15] = {0, 14, 14, 14, 14, 1, 1, 1, 1, 1};
    EXPECT_EQ(SchriftProfilFehler(p), 0);
    const struct { int index, wert; } faelle[] = {
        {1, 0}, {1, 60}, {2, -3}, {4, 100}, {5, 0}, {8, 21},
    };
    for (const auto& f : faelle) {
        int32_t q[15];
        for (int i = 0; i < 15; ++i) q[i] = p[i];
        q[f.index] = f.wert;
        EXPECT_EQ(SchriftProfilFehler(q), f.index) << f.index << " = " << f.wert;
    }
    p[1] = 59;
    p[8] = 20;
    EXPECT_EQ(SchriftProfilFehler(p), 0);
}
