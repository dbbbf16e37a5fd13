// Pages, captions and the table copy of the parameter dialogs.
#include <gtest/gtest.h>

#include "fit/parameter_dialogs.h"
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
