// The plain rules of the FEFF path dialogs and the EXAFS set-up: filter
// spins, which rows a transfer takes, the proposed R range, the name lists
// and the DialogWerte of the set-up's controls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "xas/feff_fit_dialog.h"

TEST(FeffFitDialogRules, SpinsStopAtTheirLimits)
{
    struct Fall { double von; int schritt; double nach; bool ok; };
    for (const Fall& f : {Fall{98, 1, 99, true}, Fall{99, 1, 99, false}, Fall{1, -1, 0, true},
                          Fall{0, -1, 0, false}, Fall{2.5, 1, 3.5, true}}) {
        double v = f.von;
        EXPECT_EQ(FilterSchritt(&v, f.schritt), f.ok) << f.von;
        EXPECT_EQ(v, f.nach) << f.von;
    }
    struct BFall { int von; int schritt; int nach; bool ok; };
    for (const BFall& f : {BFall{9, 1, 10, true}, BFall{10, 1, 10, false}, BFall{3, -1, 2, true},
                           BFall{2, -1, 2, false}}) {
        int32_t b = f.von;
        EXPECT_EQ(BeineSchritt(&b, f.schritt), f.ok) << f.von;
        EXPECT_EQ(b, f.nach) << f.von;
    }
}

TEST(FeffFitDialogRules, TransferTakesSelectedRowsUpToTheLimits)
{
    const std::vector<bool> m = {true, false, true, true, false, true};
    int32_t stopp = -1;
    EXPECT_EQ(UebernahmeZeilen(m, 0, 100, &stopp), (std::vector<int32_t>{0, 2, 3, 5}));
    EXPECT_EQ(stopp, FEFF_ALLE_UEBERNOMMEN);
    // The parameter limit leaves room for two more paths.
    EXPECT_EQ(UebernahmeZeilen(m, 60, 62, &stopp), (std::vector<int32_t>{0, 2}));
    EXPECT_EQ(stopp, FEFF_PARAMETER_GRENZE);
    // The 101st path is refused.
    EXPECT_EQ(UebernahmeZeilen(m, 98, 500, &stopp), (std::vector<int32_t>{0, 2}));
    EXPECT_EQ(stopp, FEFF_PFAD_GRENZE);
    EXPECT_TRUE(UebernahmeZeilen(m, 100, 500, &stopp).empty());
    EXPECT_EQ(stopp, FEFF_PFAD_GRENZE);
    EXPECT_TRUE(UebernahmeZeilen({false, false}, 100, 500, &stopp).empty());
    EXPECT_EQ(stopp, FEFF_ALLE_UEBERNOMMEN);
}

TEST(FeffFitDialogRules, RRangeFromTheChosenPaths)
{
    double von = 0, bis = 0;
    ASSERT_TRUE(RBereichAusReff({2.6, 1.9}, &von, &bis));
    EXPECT_NEAR(von, 1.1, 1e-12);
    EXPECT_NEAR(bis, 2.8, 1e-12);
    ASSERT_TRUE(RBereichAusReff({2.55, 3.5, 3.61 - 0.11}, &von, &bis));
    EXPECT_NEAR(von, 1.75, 1e-12);
    EXPECT_EQ(bis, 3.5);
    EXPECT_FALSE(RBereichAusReff({}, &von, &bis));
}

TEST(FeffFitDialogRules, NameListsAreCappedAndMakeCommandText2)
{
    std::string l = "OLD,";
    ASSERT_TRUE(NameAnhaengen(&l, "C:\\PH\\CU1.PHA", true, 5000));
    ASSERT_TRUE(NameAnhaengen(&l, "C:\\PH\\CU2.PHA", false, 5000));
    EXPECT_EQ(l, "C:\\PH\\CU1.PHA,C:\\PH\\CU2.PHA,");
    EXPECT_EQ(NamenAusListe(l), (std::vector<std::string>{"C:\\PH\\CU1.PHA", "C:\\PH\\CU2.PHA"}));
    // A name that would pass the 5,000 bytes leaves the list.
    const std::string vorher = l;
    EXPECT_FALSE(NameAnhaengen(&l, std::string(4980, 'x'), false, 5000));
    EXPECT_EQ(l, vorher);

    std::string t;
    ASSERT_TRUE(PhasenAmplitudenText({"p1", "p2"}, {"a1", "a2"}, 2, 5000, &t));
    EXPECT_EQ(t, "p1,p2,a1,a2,");
    t = "unchanged";
    EXPECT_FALSE(PhasenAmplitudenText({"p1", "p2"}, {"a1"}, 2, 5000, &t));
    EXPECT_FALSE(PhasenAmplitudenText({"p1", ""}, {"a1", "a2"}, 2, 5000, &t));
    EXPECT_FALSE(PhasenAmplitudenText({"p1"}, {"a1"}, 0, 5000, &t));
    EXPECT_FALSE(PhasenAmplitudenText({std::string(3000, 'p')}, {std::string(3000, 'a')}, 1, 5000, &t));
    EXPECT_EQ(t, "unchanged");
    EXPECT_EQ(BloserName("C:\\DATA\\CU_FOIL.PHA"), "CU_FOIL");
    EXPECT_EQ(BloserName("shell1"), "shell1");
    EXPECT_EQ(BloserName("D:/x.y/ni.amp"), "ni");
}

TEST(FeffFitDialogRules, AtMostFourFeffCalculations)
{
    std::string l;
    for (int s = 0; s < 4; ++s) ASSERT_TRUE(SatzNameAnhaengen(&l, "F" + std::to_string(s), s, 10000));
    EXPECT_EQ(l, ",F0,F1,F2,F3");
    EXPECT_FALSE(SatzNameAnhaengen(&l, "F4", 4, 10000));
    EXPECT_EQ(l, ",F0,F1,F2,F3");
    std::string k = ",A";
    EXPECT_FALSE(SatzNameAnhaengen(&k, std::string(20, 'B'), 1, 20));
}

// The set-up's DialogWerte for a table of control states.
TEST(FeffFitDialogRules, DialogValuesOfTheControls)
{
    struct Fall {
        ExafsDialogZustand z;
        double dw[14];
    };
    ExafsDialogZustand a;
    a.KKante = true, a.Schalen = 5, a.KGewicht = 2, a.RVon = 1.1, a.RBis = 2.8, a.KRaum = true;
    a.Behalten = true, a.Flags = true, a.EinzelE0 = true, a.FeffUnveraendert = true;
    ExafsDialogZustand b = a;
    b.KKante = false, b.KRaum = false, b.Dritter = true, b.Vierter = true, b.Behalten = false;
    b.Simulation = true, b.EinzelE0 = false, b.AddK = true, b.AddKFit = true, b.ExtraPotenz = 3;
    b.FeffUnveraendert = false;
    ExafsDialogZustand c = b;
    c.ExtraPotenz = 5, c.Simulation = false;
    ExafsDialogZustand d = b;
    d.AddKFit = false;
    const Fall faelle[] = {
        {a, {0, -1, 5, 2, -1, -1, 1, -1, -1, -1, 1, 1, -1, 1}},
        {b, {0, 1, 5, 2, 1.1, 2.8, -1, 1, 1, 1, -1, -1, 3, 0}},
        {c, {0, 1, 5, 2, 1.1, 2.8, -1, 1, 1, 1, 1, -1, -1, 0}},
        {d, {0, 1, 5, 2, 1.1, 2.8, -1, 1, 1, 1, -1, -1, -1, 0}},
    };
    int n = 0;
    for (const Fall& f : faelle) {
        double dw[14] = {};
        ExafsDialogWerte(f.z, dw);
        for (int i = 1; i < 14; ++i) EXPECT_EQ(dw[i], f.dw[i]) << "case " << n << " slot " << i;
        ++n;
    }
}
