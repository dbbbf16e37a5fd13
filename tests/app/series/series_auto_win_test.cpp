// The automatic macro analysis (824) on a dispersive series built from the
// measured Fe K spectrum EMG003: AUTODEX answered as a user would, a
// one-step macro played on every column, the curves file and the
// parameter table, and the choices that run nothing.
#include <gtest/gtest.h>
#include <windows.h>
#include <commdlg.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/series/series_fixture.h"
#include "app/series/series_test_files.h"
#include "resource_ids.h"
#include "series/series.h"
#include "shell/haupt_fenster.h"
#include "shell/macro_bar.h"
#include "shell/shell_globals.h"

class SerienAnalyse : public SerienOrdnerFixture {
protected:
    std::vector<double> mu;
    int32_t fenster = -1;

    void SetUp() override
    {
        SerienOrdnerFixture::SetUp();
        std::ifstream in(std::string(KORLAN_TEST_DIR) + "/app/series/data/EMG003.txt");
        for (std::string z; std::getline(in, z);) {
            double a, b;
            if (!z.empty() && z[0] != '#' && std::sscanf(z.c_str(), "%lf %lf", &a, &b) == 2) mu.push_back(b);
        }
        // x = diodes; I0(1) in column 2, dark in 3, I0(2) in 12; the
        // sample columns dark + I0(c) e^-mu with I0 drifting 8 %.
        const int n = static_cast<int>(mu.size()), K = 14;
        std::vector<std::vector<double>> s(K);
        for (int i = 0; i < n; ++i) s[0].push_back(i);
        for (int k = 2; k <= K; ++k)
            for (int i = 0; i < n; ++i) {
                const double i0a = 20000.0 + 3000.0 * std::sin(0.004 * i), dunkel = 150.0 + 0.01 * i;
                const double i0 = i0a * (1.0 + 0.08 * (k - 2) / 10.0);
                s[k - 1].push_back(k == 3 ? dunkel : (k == 2 || k == 12) ? dunkel + i0 : dunkel + i0 * std::exp(-mu[i]));
            }
        const std::string pfad = tmp.Datei("dxas.dxa");
        const double koeff[3] = {0, 0, 0};
        ASSERT_TRUE(SchreibeMcDatei(pfad.c_str(), s, koeff, "dxas.dxa", nullptr));
        fenster = OeffneOhneDialog(pfad.c_str());
        ASSERT_GE(fenster, 0);
        AktivesFenster = fenster;
        DialogAntwort() = tmp.Datei("ganz.MAK");
        std::ofstream(DialogAntwort()) << "Makro\n605,0,1127,0,0\n0\n0\n0,0\n";
        MakroOeffnenDialog = DialogAntworten;
    }
    void TearDown() override
    {
        MakroOeffnenDialog = GetOpenFileNameA;
        SerienOrdnerFixture::TearDown();
    }
    std::vector<DialogSchritt> Wahl(const char* erste, const char* letzte, int ausgabe, const char* name)
    {
        return {Waehle(IDC_AUTO_DXAS), SetzeText(IDC_AUTO_ERSTE, erste), SetzeText(IDC_AUTO_LETZTE, letzte),
                Waehle(IDC_AUTO_INTERPOLATION), SetzeText(IDC_AUTO_I01, "2"), SetzeText(IDC_AUTO_I02, "12"),
                Waehle(ausgabe), SetzeText(IDC_AUTO_NAME, name), Druecke(IDOK)};
    }
};

TEST_F(SerienAnalyse, EveryColumnBecomesTheAbsorptionOfTheMeasuredSpectrum)
{
    ASSERT_TRUE(MitDialogen(Wahl("4", "11", IDC_AUTO_KURVEN, "kurven"), [] { HAUPTDATEN.Befehl(824, 0); }));
    ASSERT_TRUE(std::filesystem::exists(tmp.Datei("kurven.dxa")));
    const McInhalt mc = LiesMc(tmp.Datei("kurven.dxa"));
    ASSERT_EQ(mc.spalten.size(), 9u);
    EXPECT_EQ(mc.kopf.Worte[11], 9);
    for (std::size_t c = 1; c < mc.spalten.size(); ++c) {
        ASSERT_EQ(mc.spalten[c].size(), mu.size());
        for (std::size_t i = 0; i < mu.size(); ++i) ASSERT_NEAR(mc.spalten[c][i], mu[i], 1e-5) << c << " " << i;
    }
    EXPECT_EQ(RedrawPerMessage, 1);
}

TEST_F(SerienAnalyse, ParameterTableHasOneRowPerColumnAfterTheFileName)
{
    ASSERT_TRUE(MitDialogen(Wahl("4", "10", IDC_AUTO_PARAMETER, "tabelle.txt"), [] { HAUPTDATEN.Befehl(824, 0); }));
    std::ifstream in(tmp.Datei("tabelle.par"));
    std::vector<std::string> zeilen;
    for (std::string z; std::getline(in, z);) zeilen.push_back(z);
    ASSERT_EQ(zeilen.size(), 8u);
    EXPECT_EQ(zeilen[0], GrafikFenster[fenster].DateiInfo.DateiName);
    for (int c = 4; c <= 10; ++c) EXPECT_EQ(zeilen[c - 3].rfind(std::to_string(c) + ", ", 0), 0u) << zeilen[c - 3];
    EXPECT_FALSE(std::filesystem::exists(tmp.Datei("tabelle.dxa")));
}

TEST_F(SerienAnalyse, ChoicesThatRunNothing)
{
    grafik_fenster& g = GrafikFenster[fenster];
    const int32_t slot = g.AktuellerSlot();
    // First column after the last one: the range error, no macro asked for.
    FehlerCode = 0;
    ASSERT_TRUE(MitDialogen(Wahl("9", "6", IDC_AUTO_KURVEN, "nichts"), [] { HAUPTDATEN.Befehl(824, 0); }));
    EXPECT_EQ(FehlerCode, 102);
    FehlerCode = 0;
    // An I0 column outside the file.
    ASSERT_TRUE(MitDialogen({SetzeText(IDC_AUTO_I01, "15"), Druecke(IDOK)}, [] { HAUPTDATEN.Befehl(824, 0); }));
    // "No" to overwriting an existing curves file.
    std::ofstream(tmp.Datei("alt.dxa")) << "old";
    antwort = IDNO;
    ASSERT_TRUE(MitDialogen({SetzeText(IDC_AUTO_NAME, "alt"), Druecke(IDOK)}, [] { HAUPTDATEN.Befehl(824, 0); }));
    antwort = IDOK;
    EXPECT_EQ(LiesBytes(tmp.Datei("alt.dxa")), "old");
    // A width of 0 for the convolution is refused in the dialog.
    boxen.clear();
    ASSERT_TRUE(MitDialogen({Waehle(IDC_AUTO_FALTUNG), SetzeText(IDC_AUTO_BREITE, "0"), Druecke(IDOK),
                             Druecke(IDCANCEL)},
                            [] { HAUPTDATEN.Befehl(824, 0); }));
    ASSERT_FALSE(boxen.empty());
    EXPECT_NE(boxen[0].text.find("FWHM"), std::string::npos);
    EXPECT_EQ(g.AktuellerSlot(), slot);
    EXPECT_FALSE(std::filesystem::exists(tmp.Datei("nichts.dxa")));

    // DXAS on and off again restores the columns.
    std::string vorher, nachher;
    auto lies = [](std::string* t) {
        return [t](HWND dlg) {
            char a[20], b[20];
            GetDlgItemTextA(dlg, IDC_AUTO_ERSTE, a, sizeof a);
            GetDlgItemTextA(dlg, IDC_AUTO_LETZTE, b, sizeof b);
            *t = std::string(a) + "-" + b;
        };
    };
    const DialogSchritt aus = [](HWND dlg) {
        CheckDlgButton(dlg, IDC_AUTO_DXAS, BST_UNCHECKED);
        SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_AUTO_DXAS, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDC_AUTO_DXAS)));
    };
    ASSERT_TRUE(MitDialogen({lies(&vorher), Waehle(IDC_AUTO_DXAS), aus, lies(&nachher),
                             Druecke(IDCANCEL)},
                            [] { HAUPTDATEN.Befehl(824, 0); }));
    EXPECT_EQ(vorher, "2-14");
    EXPECT_EQ(nachher, vorher);
}
