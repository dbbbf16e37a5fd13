// Pages, captions and the table copy of the parameter dialogs.
#include <gtest/gtest.h>

#include <cstdio>

#include "fit/parameter_dialogs.h"
#include "xas/feff_path.h"
#include "model_fixture.h"

class ParameterDialogsCore : public ModelFixture {};

TEST_F(ParameterDialogsCore, PagesReachEveryFunction)
{
    struct Fall { int32_t anzahl, zeilen, seiten, letzteErste, letzteLetzte; };
    for (const Fall& f : {Fall{1, 4, 1, 1, 1}, Fall{4, 4, 1, 1, 4}, Fall{5, 4, 2, 5, 5}, Fall{101, 4, 26, 101, 101},
                          Fall{101, 10, 11, 101, 101}, Fall{100, 10, 10, 91, 100}}) {
        const TABELLEN_SEITEN s = TabellenSeiten(f.anzahl, f.zeilen, {});
        ASSERT_EQ(static_cast<int32_t>(s.size()), f.seiten) << f.anzahl;
        EXPECT_EQ(s.back().front(), f.letzteErste) << f.anzahl;
        EXPECT_EQ(s.back().back(), f.letzteLetzte) << f.anzahl;
    }
    EXPECT_EQ(TabellenSeiten(0, 4, {}).size(), 1u);
    EXPECT_TRUE(TabellenSeiten(0, 4, {}).front().empty());
    // Only the marked functions, in order, across the page break.
    const TABELLEN_SEITEN s = TabellenSeiten(5, 2, {true, false, true, true, true});
    EXPECT_EQ(s, (TABELLEN_SEITEN{{1, 3}, {4, 5}}));
}

TEST_F(ParameterDialogsCore, CaptionsAndConstraintDefaults)
{
    EXPECT_EQ(ParameterBeschriftung(1, 0), "Height: ");
    EXPECT_EQ(ParameterBeschriftung(101, 2), "fwhm: ");  // switched off
    EXPECT_EQ(ParameterBeschriftung(7, 2), "3. coeff.: ");
    EXPECT_EQ(ParameterBeschriftung(12, 3), "Gauss: ");
    std::string u, o;
    SchrankenVorgaben(1, u, o);
    EXPECT_EQ(u + "|" + o, "0|CN");
    SchrankenVorgaben(3, u, o);
    EXPECT_EQ(u + "|" + o, "0.0001|0.05");
    SchrankenVorgaben(7, u, o);
    EXPECT_EQ(u + "|" + o, "|");
}

TEST_F(ParameterDialogsCore, CopyPutsBackEveryTable)
{
    Model({1, 2}, {1, 2, 3, 4, 5, 6, 7});
    const TABELLEN_STAND s = TabellenMerken();
    const auto b = block;
    const auto fl = flags;
    const auto li = freeList;
    FixParameter(2);
    flags[4] |= PF_CONSTRAINED;
    block[LowerBoundIndex(4)] = -3;
    block[0] = 99;
    SetCorrelation(5, CorrelationWord(1, CW_TIMES), 2.0);
    TabellenZurueck(s);
    EXPECT_EQ(block, b);
    EXPECT_EQ(flags, fl);
    EXPECT_EQ(freeList, li);
    EXPECT_EQ(MaxFitParameter, 6);
    EXPECT_EQ(words[5], 0);
}

TEST_F(ParameterDialogsCore, PickKindsByCaption)
{
    struct Fall { int32_t typ, c, art; };
    for (const Fall& f : {Fall{1, 0, PICK_DY}, Fall{1, 1, PICK_X}, Fall{1, 2, PICK_DX},   // Gaussian
                          Fall{4, 2, PICK_DX}, Fall{4, 3, PICK_DX},                        // right, left fwhm
                          Fall{3, 3, PICK_X},                                             // Gauss. part
                          Fall{7, 4, PICK_Y}, Fall{20, 1, PICK_Y},                        // coefficients
                          Fall{12, 0, PICK_DY}, Fall{12, 2, PICK_DX}, Fall{12, 3, PICK_DX}, // Voigt
                          Fall{9, 0, PICK_DY},                                            // Scaling
                          Fall{2, 3, PICK_Y}, Fall{13, 3, PICK_Y}, Fall{102, 2, PICK_DX}}) // alpha, Exponent, off
        EXPECT_EQ(PickArt(f.typ, f.c), f.art) << f.typ << "/" << f.c;
    EXPECT_EQ(PickWert(PICK_X, 3.0, 4.0, 9.0, 1.0), 3.0);
    EXPECT_EQ(PickWert(PICK_Y, 3.0, 4.0, 9.0, 1.0), 4.0);
    EXPECT_EQ(PickWert(PICK_DX, 9.0, 4.0, 3.0, 1.0), 6.0);
    EXPECT_EQ(PickWert(PICK_DY, 3.0, 1.0, 9.0, 4.0), 3.0);
}

TEST_F(ParameterDialogsCore, GraphicDefaultsFixAlphaOfTheLorentzian)
{
    // Lorentzian, pseudo-Voigt, Voigt with a zero and a set width, asym. Lorentzian.
    Model({2, 3, 12, 5}, {1, 2, 3, 0.5, 1, 2, 3, 0.2, 1, 2, 0, 4, 1, 2, 3, 4, 0.3});
    const int32_t frei = MaxFitParameter;
    GrafikVorgaben();
    EXPECT_EQ(block[3], 1.0);
    EXPECT_EQ(flags[3], PF_FIXED);
    EXPECT_EQ(block[7], 0.7);
    EXPECT_EQ(block[10], 1.0);
    EXPECT_EQ(block[11], 4.0);
    EXPECT_EQ(block[16], 1.0);
    EXPECT_EQ(flags[16], PF_FIXED);
    EXPECT_EQ(MaxFitParameter, frei - 2);
    GrafikVorgaben();  // a second opening changes nothing more
    EXPECT_EQ(MaxFitParameter, frei - 2);
}

TEST_F(ParameterDialogsCore, ExtraRowsNameAmplitudeFilesAndPaths)
{
    Model({15, 15, 21, 26});
    const std::vector<ZUSATZ_ZEILE> a = ZusatzZeilen(2, "C:\\data\\first.amp,D:\\amp\\second.file.amp");
    ASSERT_EQ(a.size(), 1u);
    EXPECT_EQ(a[0].Spalte, 6);
    EXPECT_EQ(a[0].Titel, " Amplitude");
    EXPECT_EQ(a[0].Text, "second.file");
    EXPECT_EQ(ZusatzZeilen(1, "").at(0).Text, "");

    FeffPfad& s = FeffPfade[2];
    std::snprintf(s.Dateiname, sizeof s.Dateiname, "feff0001.dat");
    std::snprintf(s.AtomSymbole[0], 4, "Cu");
    std::snprintf(s.AtomSymbole[1], 4, "O");
    s.Beine = 2;
    s.AmplitudenVerhaeltnis = 23.0;
    std::snprintf(FeffPfade[4].Dateiname, sizeof FeffPfade[4].Dateiname, "ref.dat");
    const std::vector<ZUSATZ_ZEILE> p = ZusatzZeilen(3, nullptr);
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(p[0].Spalte, 4);
    EXPECT_EQ(p[0].Titel + p[0].Text, " file :feff0001.dat, Cu - O ");
    EXPECT_EQ(p[1].Titel + p[1].Text, " weight23");
    EXPECT_TRUE(p[1].Grau);
    EXPECT_EQ(FunktionsTitel(3), " feff-Fit , # 3");
    EXPECT_EQ(ZusatzZeilen(4, nullptr).at(0).Text, "ref.dat");  // LC-XANES: record f
    EXPECT_EQ(FunktionsTitel(1), " stand. exafs ");
    FeffPfadeLeeren();
}
