// The McMaster calculator MUCAL through command 842, answered through the
// dialog watcher on the program's real table.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/spectra/data_commands_fixture.h"
#include "resource_ids.h"
#include "shell/dispatcher.h"
#include "xas/xas_entries.h"

namespace {

std::string Text(HWND dlg, int id)
{
    char t[200] = {};
    GetDlgItemTextA(dlg, id, t, sizeof t);
    return t;
}

// What the dialog shows at one moment.
struct Anzeige {
    std::string knopf, element, z, gewicht, dichte, absorption, masse, prozent1, prozent2, kammer;
    std::vector<std::string> kantenText, kanten, werteText, werte;
};

DialogSchritt Merke(Anzeige* a)
{
    return [a](HWND d) {
        a->knopf = Text(d, IDOK), a->element = Text(d, IDC_MC_ELEMENT), a->z = Text(d, IDC_MC_Z);
        a->gewicht = Text(d, IDC_MC_GEWICHT), a->dichte = Text(d, IDC_MC_DICHTE);
        a->absorption = Text(d, IDC_MC_ABSORPTION), a->masse = Text(d, IDC_MC_MASSE);
        a->prozent1 = Text(d, IDC_MC_PROZENT1), a->prozent2 = Text(d, IDC_MC_PROZENT2);
        a->kammer = Text(d, IDC_MC_KAMMER);
        a->kantenText = ListenZeilen(d, IDC_MC_KANTEN_TEXT), a->kanten = ListenZeilen(d, IDC_MC_KANTEN);
        a->werteText = ListenZeilen(d, IDC_MC_WERTE_TEXT), a->werte = ListenZeilen(d, IDC_MC_WERTE);
    };
}

double Zahl(const std::string& t) { return std::atof(t.c_str()); }

}  // namespace

class McMasterDialogTest : public EditFixture {
protected:
    // Opens the calculator as the XAFS menu does; the dialog's return.
    bool Oeffne(std::vector<DialogSchritt> schritte)
    {
        boxen.clear();
        return MitDialogen(std::move(schritte), [&] { Prepared(842, {}); });
    }
};

TEST_F(McMasterDialogTest, SearchShowsCopperAndTheIonChamberThenExits)
{
    Anzeige vorher, nachher;
    ASSERT_TRUE(Oeffne({Merke(&vorher), Druecke(IDOK), Merke(&nachher),
                        [](HWND d) { EXPECT_TRUE(FensterFoto(d, "mcmaster_calc.png")); },
                        Druecke(IDOK)}));
    EXPECT_TRUE(boxen.empty());
    EXPECT_EQ(vorher.knopf, "Search");
    EXPECT_EQ(vorher.element, "Cu");
    EXPECT_EQ(vorher.prozent1, "95");
    EXPECT_TRUE(vorher.kanten.empty());

    EXPECT_EQ(nachher.knopf, "EXIT");
    EXPECT_EQ(nachher.z, "29");
    EXPECT_EQ(nachher.gewicht, "63.54");
    EXPECT_EQ(nachher.dichte, "8.94");
    EXPECT_NEAR(Zahl(nachher.absorption), 2428.4, 2428.4 * 5e-4);
    EXPECT_NEAR(Zahl(nachher.masse), 271.64, 271.64 * 5e-4);
    ASSERT_EQ(nachher.kantenText.size(), 9u);
    ASSERT_EQ(nachher.kanten.size(), 9u);
    EXPECT_EQ(nachher.kantenText[0], "K-edge:");
    EXPECT_EQ(nachher.kantenText[8], "l-beta1:");
    EXPECT_EQ(nachher.kanten[0], "8.979");
    ASSERT_EQ(nachher.werteText.size(), 12u);
    ASSERT_EQ(nachher.werte.size(), 12u);
    EXPECT_EQ(nachher.werteText[3], "total x-section(cm^2/g):");
    EXPECT_EQ(nachher.werteText[11], "l3 fluorescence yield:");
    // The total cross section in cm2/g is the mass absorption coefficient.
    EXPECT_NEAR(Zahl(nachher.werte[3]), 271.64, 271.64 * 5e-4);
    EXPECT_EQ(nachher.prozent2, "5");
    EXPECT_NEAR(Zahl(nachher.kammer), 27.54, 0.01);
}

TEST_F(McMasterDialogTest, PercentageAboveHundredAndEditsAfterASearch)
{
    Anzeige a, b;
    ASSERT_TRUE(Oeffne({SetzeText(IDC_MC_PROZENT1, "120"), Druecke(IDOK), Merke(&a),
                        SetzeText(IDC_MC_ELEMENT, "Fe"), Merke(&b), Druecke(IDCANCEL)}));
    EXPECT_EQ(a.knopf, "EXIT");
    EXPECT_EQ(a.prozent1, "100");
    EXPECT_EQ(a.prozent2, "0");
    EXPECT_NEAR(Zahl(a.kammer), 13.73, 0.01);
    EXPECT_EQ(b.knopf, "Search");
    EXPECT_TRUE(boxen.empty());

    // Each of the fields a search reads turns "EXIT" back into "Search".
    for (int id : {IDC_MC_ENERGIE, IDC_MC_LAENGE, IDC_MC_GAS1, IDC_MC_GAS2, IDC_MC_PROZENT1}) {
        Anzeige c;
        ASSERT_TRUE(Oeffne({Druecke(IDOK), SetzeText(id, "7"), Merke(&c), Druecke(IDCANCEL)}));
        EXPECT_EQ(c.knopf, "Search") << id;
    }
}

TEST_F(McMasterDialogTest, UnknownElementGasOrEnergyIsReported)
{
    // An unknown element: the message, copper again, the lists emptied,
    // still in search mode.
    Anzeige a;
    ASSERT_TRUE(Oeffne({Druecke(IDOK), SetzeText(IDC_MC_ELEMENT, "Xx"), Druecke(IDOK), Merke(&a),
                        Druecke(IDCANCEL)}));
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].titel, "Error!");
    EXPECT_EQ(boxen[0].text, "  No data found for that element!  ");
    EXPECT_EQ(a.element, "Cu");
    EXPECT_TRUE(a.kanten.empty());
    EXPECT_TRUE(a.werte.empty());
    EXPECT_EQ(a.knopf, "Search");

    // An unknown gas: the same message after the element was shown.
    Anzeige g;
    ASSERT_TRUE(Oeffne({SetzeText(IDC_MC_GAS2, "Qq"), Druecke(IDOK), Merke(&g), Druecke(IDCANCEL)}));
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].text, "  No data found for that element!  ");
    EXPECT_EQ(g.z, "29");
    EXPECT_TRUE(g.kanten.empty());
    EXPECT_EQ(g.kantenText.size(), 9u);

    // An energy of 0 is no energy: its own message, and nothing shown changes.
    Anzeige vorher, nachher;
    ASSERT_TRUE(Oeffne({Druecke(IDOK), SetzeText(IDC_MC_ENERGIE, "0"), Merke(&vorher), Druecke(IDOK),
                        Merke(&nachher), Druecke(IDCANCEL)}));
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].text, "Energy must be above 0 keV.");
    EXPECT_EQ(nachher.knopf, "Search");
    EXPECT_EQ(nachher.z, vorher.z);
    EXPECT_EQ(nachher.kanten, vorher.kanten);
    EXPECT_EQ(nachher.kammer, vorher.kammer);
}
