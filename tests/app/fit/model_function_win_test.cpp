// The model callback as the program installs it: what it takes from the
// active graphic window and the application object.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "fit/exafs_terms.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "spectra/spectra_globals.h"
#include "xrd/xrd_geometry.h"

class ModellFunktionWin : public ::testing::Test {
protected:
    std::vector<double> block = std::vector<double>(PARAMETER_BLOCK_DOUBLES, 0.0);
    std::vector<int32_t> typen = std::vector<int32_t>(MAX_MODEL_FUNCTIONS, 0);
    std::vector<int32_t> flags = std::vector<int32_t>(PARAMETER_TABLE_ENTRIES, 0);
    std::vector<double> tabelle = std::vector<double>(201, 1.0);

    void SetUp() override
    {
        grafik_fenster& g = GrafikFenster[0];
        ASSERT_EQ(g.AllocFelder(), 1);
        for (int i = 0; i < 201; ++i) g.XFeld[0][i] = 0.05 * i;
        g.DateiInfo.PunkteProKurve[0] = 201;
        g.KurvenZaehler = 0;
        AktivesFenster = 0;
        FitParameters = block.data();
        FitFunctionTypes = typen.data();
        ParameterFlags = flags.data();
        FitModellArt = 0;
        XrdPhasenVorgaben();
    }
    void TearDown() override
    {
        GrafikFenster[0].FreeFelder();
        GrafikFenster[0].KurvenFlags[0] = 0;
        AktivesFenster = -1;
        FitParameters = nullptr;
        FitFunctionTypes = nullptr;
        ParameterFlags = nullptr;
        FitFunctionCount = 0;
        FitModellArt = 0;
        PhasenTabellen[0] = AmplitudenTabellen[0] = nullptr;
        ShellTabellenPunkte = 0;
    }
    void Modell(std::initializer_list<int32_t> codes)
    {
        FitFunctionCount = 0;
        for (int32_t c : codes) typen[FitFunctionCount++] = c;
        MaxParameter = CheckWorkingModelSize() - 1;
    }
};

TEST_F(ModellFunktionWin, ExafsTermsFollowTheCurrentSlotsFlags)
{
    PhasenTabellen[0] = AmplitudenTabellen[0] = tabelle.data();
    ShellTabellenPunkte = 201;
    Modell({15});
    block[0] = 6.0;
    block[1] = 2.5;
    GrafikFenster[0].KurvenFlags[0] = SLOT_K_FIT;
    EXPECT_NE(ModellFunktion(3.0, 60.0, nullptr, nullptr, 0), 0.0);
    GrafikFenster[0].KurvenFlags[0] = 0;
    EXPECT_EQ(ModellFunktion(3.0, 60.0, nullptr, nullptr, 0), 0.0);
    // Another slot of the window is current.
    GrafikFenster[0].KurvenFlags[1] = SLOT_K_FIT;
    GrafikFenster[0].KurvenZaehler = 1;
    GrafikFenster[0].DateiInfo.PunkteProKurve[1] = 201;
    EXPECT_NE(ModellFunktion(3.0, 60.0, nullptr, nullptr, 0), 0.0);
    GrafikFenster[0].KurvenFlags[1] = 0;
}

TEST_F(ModellFunktionWin, RangeOfKindsOnTheCurveUsesItsPoints)
{
    FitPolyDegree = 1;
    Modell({7});
    block[1] = 1.0;  // y = x
    double lo = 0, hi = 0;
    GetModellMinMax(&lo, &hi, -100.0, 100.0);
    EXPECT_DOUBLE_EQ(lo, -100.0);
    EXPECT_DOUBLE_EQ(hi, 100.0);
    FitModellArt = 106;
    GetModellMinMax(&lo, &hi, -100.0, 100.0);
    EXPECT_DOUBLE_EQ(lo, 0.0);
    EXPECT_DOUBLE_EQ(hi, 10.0);
    EXPECT_EQ(Numerik.function, HAUPTDATEN.ModellCallback ? HAUPTDATEN.ModellCallback : &ModellFunktion);
}

TEST_F(ModellFunktionWin, XrdPeaksTakeTheProgramsWavelength)
{
    Modell({30, 1});
    for (int i = 0; i < 3; ++i) block[i] = 4.0;
    for (int i = 3; i < 6; ++i) block[i] = 90.0;
    flags[7] = PF_FIXED;
    XrdPhaseTable[0].H[0] = 1;
    const double alt = HAUPTDATEN.Roentgenwellenlaenge;
    HAUPTDATEN.Roentgenwellenlaenge = 71.07;
    ModellFunktion(0.0, 0.0, nullptr, nullptr, 0);
    EXPECT_NEAR(block[7], BraggWinkel(71.07, 4, 4, 4, 90, 90, 90, 1, 0, 0, 1), 1e-12);
    HAUPTDATEN.Roentgenwellenlaenge = alt;
}
