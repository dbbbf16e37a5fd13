// The McMaster table as the program loads it at start-up, the look-ups on
// the program's table, and the FEFF path records that start-up clears.
#include <gtest/gtest.h>

#include <string>

#include "app/shell/shell_fixture.h"
#include "xas/feff_path.h"
#include "xas/mcmaster.h"

TEST_F(ShellFixture, StartUpLoadsTheMcMasterTableRowByRowAndClearsThePathRecords)
{
    KopiereMucal();
    FeffPfade[7].Pfadnummer = 3;
    FeffKPunkte = 12;
    HWND hwnd = Starte();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_TRUE(boxen.empty());
    EXPECT_EQ(FeffPfade[7].Pfadnummer, 0);
    EXPECT_EQ(FeffKPunkte, 0);
    // Copper (position 28): K edge, atomic weight, conversion factor, yields.
    EXPECT_EQ(McMasterTable[0 * 100 + 28], 8.979);
    EXPECT_EQ(McMasterTable[9 * 100 + 28], 63.54);
    EXPECT_EQ(McMasterTable[12 * 100 + 28], 105.5);
    EXPECT_EQ(McMasterTable[14 * 100 + 28], 0.0016);
    EXPECT_EQ(McMasterTable[16 * 100 + 28], 0.011);

    char symbol[] = "Cu2";
    EXPECT_EQ(GetEdgeEnergy(symbol), 0.952);
    EXPECT_STREQ(symbol, "Cu");
    double kanten[9], werte[11], ausbeuten[4];
    char cu[] = "cu";
    EXPECT_EQ(McMasterCalc(cu, 10.0, kanten, werte, ausbeuten, 'C', -1), 29);
    EXPECT_NEAR(werte[3], 219.3, 219.3 * 0.005);
    EXPECT_EQ(Schliesse(hwnd), 0);
}

TEST_F(ShellFixture, DamagedMcMasterTableIsReportedAndMarked)
{
    KopiereMucal();
    const std::string text = Lies("mucal.dat", true);
    Schreibe("mucal.dat", text.substr(0, text.size() / 2));
    HWND hwnd = Starte();
    ASSERT_NE(hwnd, nullptr);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].titel, "Error!");
    EXPECT_DOUBLE_EQ(McMasterTable[0], MCMASTER_NOT_LOADED);
    // Nothing of the half that was read reached the table.
    EXPECT_EQ(McMasterTable[28], 0.0);
    char symbol[] = "Cu";
    EXPECT_EQ(GetEdgeEnergy(symbol), 0.0);
    EXPECT_EQ(Schliesse(hwnd), 0);
}
