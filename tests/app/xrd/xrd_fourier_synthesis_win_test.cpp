// Command 903: the synthesis dialog answered by the tests' dialog helper;
// the window then shows the cosine series instead of its data.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <string>

#include "app/spectra/data_commands_fixture.h"
#include "fit/model_function.h"
#include "resource_ids.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"

class XrdSynthese : public EditFixture {};

TEST_F(XrdSynthese, CoefficientsBecomeTheWindowsCosineSeries)
{
    Kurve(0, 50, [](double x) { return x; });
    grafik_fenster& g = GrafikFenster[0];
    ASSERT_TRUE(MitDialogen({SetzeText(IDC_FS_PERIODE, "10"), SetzeText(IDC_FS_F0, "0"),
                             SetzeText(IDC_FS_KOEFFIZIENTEN, "1\r\n0.5\r\n0.25"), Druecke(IDOK)},
                            [&] { HAUPTDATEN.Befehl(903, 0); }));
    ASSERT_EQ(g.AnzahlFunktionen, 1);
    EXPECT_EQ(g.FunktionsTypen[0], 51);
    EXPECT_EQ(g.ZeigeDaten, 0);
    EXPECT_EQ(g.ZeigeFunktion, 1);
    EXPECT_EQ(g.Grenzen[0], 5.0);
    EXPECT_EQ(g.Grenzen[1], -5.0);
    EXPECT_TRUE(GetMenuState(HAUPTDATEN.Hauptmenue, 19, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(GetMenuState(HAUPTDATEN.Hauptmenue, 45, MF_BYCOMMAND) & MF_CHECKED);
    // The evaluator of the window's model on -5 ... 5.
    BefehlsFenster(&HAUPTDATEN, false);
    const double pi = 3.14159265358979323846;
    for (int i = 0; i <= 100; ++i) {
        const double x = -5.0 + 0.1 * i;
        const double soll = std::cos(2 * pi * x / 10) + 0.5 * std::cos(4 * pi * x / 10) + 0.25 * std::cos(6 * pi * x / 10);
        EXPECT_NEAR(ModellFunktion(x, i, nullptr, nullptr, 0), soll, 1e-12) << x;
    }

    // Reopened, the dialog shows the three lines again.
    std::string gezeigt;
    ASSERT_TRUE(MitDialogen({[&](HWND dlg) {
                                 char t[200];
                                 GetDlgItemTextA(dlg, IDC_FS_KOEFFIZIENTEN, t, sizeof t);
                                 gezeigt = t;
                             },
                             Druecke(IDCANCEL)},
                            [&] { HAUPTDATEN.Befehl(903, 0); }));
    EXPECT_EQ(gezeigt, "1\r\n0.5\r\n0.25");

    // Two lines: a message, and after Cancel neither the model nor
    // parameter 0 has changed.
    g.FunktionsTypen[0] = 1;
    g.Parameter[0] = 7.5;
    boxen.clear();
    ASSERT_TRUE(MitDialogen({SetzeText(IDC_FS_F0, "3"), SetzeText(IDC_FS_KOEFFIZIENTEN, "1\r\n2"), Druecke(IDOK),
                             Druecke(IDCANCEL)},
                            [&] { HAUPTDATEN.Befehl(903, 0); }));
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_NE(boxen[0].text.find("at least 3 coefficients"), std::string::npos);
    EXPECT_EQ(g.FunktionsTypen[0], 1);
    EXPECT_EQ(g.Parameter[0], 7.5);
}
