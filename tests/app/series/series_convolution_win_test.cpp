// The convolution width (SETCONVOLFWHM, "&S" of AUTODEX) on a dispersive
// series built from the measured Fe K spectrum EMG003: its four panes, the
// width and kind handed back to AUTODEX, the window's own model untouched,
// width refusals, closing as cancel, and the message for small files.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "app/series/series_fixture.h"
#include "app/spectra/data_commands_fixture.h"
#include "resource_ids.h"
#include "series/series.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"

class FaltungsBreite : public SerienOrdnerFixture {
protected:
    int32_t fenster = -1;

    // x = diodes; I0 in column 2, dark in 3, I0 again in 12, the sample
    // columns dark + I0 e^-mu; n points (mu of EMG003 repeated).
    int32_t Serie(int32_t n, int32_t spalten, const char* name)
    {
        std::vector<double> mu;
        std::ifstream in(std::string(KORLAN_TEST_DIR) + "/app/series/data/EMG003.txt");
        for (std::string z; std::getline(in, z);) {
            double a, b;
            if (!z.empty() && z[0] != '#' && std::sscanf(z.c_str(), "%lf %lf", &a, &b) == 2) mu.push_back(b);
        }
        std::vector<std::vector<double>> s(static_cast<std::size_t>(spalten));
        for (int i = 0; i < n; ++i) s[0].push_back(i);
        for (int k = 2; k <= spalten; ++k)
            for (int i = 0; i < n; ++i) {
                // I0 with a sharp structure that the convolution smooths.
                const double i0 = 20000.0 + 3000.0 * std::sin(0.004 * i) + (i % 40 == 0 ? 2500.0 : 0.0);
                const double dunkel = 150.0 + 0.01 * i, m = mu[static_cast<std::size_t>(i) % mu.size()];
                s[static_cast<std::size_t>(k - 1)].push_back(k == 3 ? dunkel : (k == 2 || k == 12) ? dunkel + i0
                                                                       : dunkel + i0 * std::exp(-m));
            }
        const std::string pfad = tmp.Datei(name);
        const double koeff[3] = {0, 0, 0};
        EXPECT_TRUE(SchreibeMcDatei(pfad.c_str(), s, koeff, name, nullptr));
        const int32_t w = OeffneOhneDialog(pfad.c_str());
        if (w >= 0) {
            AktivesFenster = w;
            SetWindowPos(HAUPTDATEN.GrafikHandles[w], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        }
        return w;
    }
    void SetUp() override
    {
        SerienOrdnerFixture::SetUp();
        fenster = Serie(1128, 14, "dxas.dxa");
        ASSERT_GE(fenster, 0);
    }
    static DialogSchritt Lies(int id, std::string* t)
    {
        return [id, t](HWND dlg) {
            char text[64] = "";
            GetDlgItemTextA(dlg, id, text, sizeof text);
            *t = text;
        };
    }
    static DialogSchritt Foto(const char* datei)
    {
        return [datei](HWND dlg) {
            InvalidateRect(dlg, nullptr, TRUE);
            UpdateWindow(dlg);
            EXPECT_TRUE(FensterFoto(dlg, datei));
        };
    }
};

TEST_F(FaltungsBreite, FourPanesAndTheWidthHandedBack)
{
    grafik_fenster& g = GrafikFenster[fenster];
    const int32_t funktionen = g.AnzahlFunktionen, typ = g.FunktionsTypen[0];
    const std::vector<double> parameter(g.Parameter, g.Parameter + 8);
    const int32_t slot = g.AktuellerSlot(), punkte = g.Punkte();
    const double y5 = g.GetYFeld(-1)[5];
    std::string breite, kind;
    ASSERT_TRUE(MitDialogen({SetzeText(IDC_AUTO_I01, "2"), Druecke(IDC_AUTO_S), Foto("setconvolfwhm_open.png"),
                             SetzeText(IDC_SCF_BREITE, "12"), Druecke(IDC_SCF_ZEIGEN),
                             Foto("setconvolfwhm_fwhm12.png"), Waehle(IDC_SCF_LORENTZ),
                             SetzeText(IDC_SCF_BREITE, "2.5"), Druecke(IDOK), Lies(IDC_AUTO_BREITE, &breite),
                             Druecke(IDCANCEL)},
                            [] { HAUPTDATEN.Befehl(824, 0); }));
    // 2.5 stays 2.5; the kind Lorentzian comes back as 2.1.
    EXPECT_EQ(breite, "2.5");
    EXPECT_DOUBLE_EQ(HAUPTDATEN.DialogWerte[12], 2.1);
    // The window keeps its model and its curve.
    EXPECT_EQ(g.AnzahlFunktionen, funktionen);
    EXPECT_EQ(g.FunktionsTypen[0], typ);
    EXPECT_EQ(std::vector<double>(g.Parameter, g.Parameter + 8), parameter);
    EXPECT_EQ(g.AktuellerSlot(), slot);
    EXPECT_EQ(g.Punkte(), punkte);
    EXPECT_EQ(g.GetYFeld(-1)[5], y5);
}

TEST_F(FaltungsBreite, RefusedWidthsAndClosingHandNothingBack)
{
    std::string breite;
    boxen.clear();
    // Empty, 0 and -1 keep the dialog open with a message; closing it
    // leaves the width of AUTODEX and the kind as they were.
    ASSERT_TRUE(MitDialogen({Druecke(IDC_AUTO_S), SetzeText(IDC_SCF_BREITE, ""), Druecke(IDOK),
                             SetzeText(IDC_SCF_BREITE, "0"), Druecke(IDC_SCF_ZEIGEN),
                             SetzeText(IDC_SCF_BREITE, "-1"), Druecke(IDOK), Waehle(IDC_SCF_LORENTZ),
                             SetzeText(IDC_SCF_BREITE, "7"), Druecke(IDCANCEL), Lies(IDC_AUTO_BREITE, &breite),
                             Druecke(IDCANCEL)},
                            [] { HAUPTDATEN.Befehl(824, 0); }));
    ASSERT_EQ(boxen.size(), 3u);
    for (const GezeigteBox& b : boxen) EXPECT_NE(b.text.find("FWHM"), std::string::npos) << b.text;
    EXPECT_EQ(breite, "3");
    EXPECT_DOUBLE_EQ(HAUPTDATEN.DialogWerte[12], 1.1);
}

TEST_F(FaltungsBreite, SmallFilesGetAMessageInsteadOfThePreview)
{
    struct Fall { int32_t punkte, spalten; };
    for (const Fall f : {Fall{400, 14}, Fall{500, 14}, Fall{1128, 6}}) {
        SCOPED_TRACE(std::to_string(f.punkte) + " points, " + std::to_string(f.spalten) + " columns");
        ASSERT_GE(Serie(f.punkte, f.spalten, "klein.dxa"), 0);
        boxen.clear();
        std::string breite;
        ASSERT_TRUE(MitDialogen({SetzeText(IDC_AUTO_I01, "2"), Druecke(IDC_AUTO_S), Lies(IDC_AUTO_BREITE, &breite),
                                 Druecke(IDCANCEL)},
                                [] { HAUPTDATEN.Befehl(824, 0); }));
        ASSERT_EQ(boxen.size(), 1u);
        EXPECT_NE(boxen[0].text.find("more than 500 points"), std::string::npos);
        EXPECT_EQ(breite, "3");
        // The window is closed again for the next file, and the main
        // window takes note of it.
        DestroyWindow(HAUPTDATEN.GrafikHandles[AktivesFenster]);
        for (MSG m; PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }
}
