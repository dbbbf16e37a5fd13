// The graphic parameter entry driven as a user would: mouse picks in the
// preview, the defaults of the Lorentzian, the fix boxes, the table behind
// "&Flags" and Cancel.
#include "parameter_dialog_fixture.h"

#include <fstream>
#include <sstream>

#include "plotting/plot_test_support.h"

namespace {

// A left click over the data point (x, y) of the preview.
DialogSchritt KlickBei(double x, double y)
{
    return [x, y](HWND d) {
        // The plotting object maps with the layout it drew last.
        SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_SP_SHOW, BN_CLICKED), 0);
        int px = 0, py = 0;
        Plotter.GetScreen(x, y, px, py);
        POINT p = {px, py};
        MapWindowPoints(GetDlgItem(d, IDC_SP_PREVIEW), d, &p, 1);
        SendMessageA(d, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    };
}

}  // namespace

class GraphicParameterWin : public ParameterTableWin {
protected:
    int32_t Grafisch(std::vector<DialogSchritt> schritte)
    {
        int32_t r = -1;
        EXPECT_TRUE(MitDialogen(std::move(schritte), [&] {
            Fenster0();
            r = GrafischeParameter(&HAUPTDATEN);
        }));
        return r;
    }
    const double* P() const { return GrafikFenster[0].Parameter; }
};

TEST_F(GraphicParameterWin, PicksBecomeHeightPositionAndWidth)
{
    Modell({1});  // the curve y = 0.1 x on 0 .. 49
    std::string knopf;
    EXPECT_EQ(Grafisch({[&](HWND d) {
                            char t[16];
                            GetDlgItemTextA(d, IDOK, t, sizeof t);
                            knopf = t;
                        },
                        Fokus(IDC_SP_VALUE), KlickBei(10, 1), KlickBei(10, 3),  // height: y distance
                        KlickBei(25, 2),                                        // position: x
                        KlickBei(30, 2), KlickBei(20, 4),                       // fwhm: x distance
                        Sende(IDOK)}),
              1);
    EXPECT_EQ(knopf, "OK");
    EXPECT_NEAR(P()[0], 2.0, 0.1);
    EXPECT_NEAR(P()[1], 25.0, 0.3);
    EXPECT_NEAR(P()[2], 10.0, 0.3);
    // A click with no edit active, or outside the plot, changes nothing.
    Modell({1});
    EXPECT_EQ(Grafisch({Fokus(IDC_SP_FLAGS), KlickBei(25, 2), Fokus(IDC_SP_VALUE + 1), KlickBei(-500, 2),
                        Sende(IDOK)}),
              1);
    EXPECT_EQ(P()[0], 1.0);
    EXPECT_EQ(P()[1], 2.0);
}

TEST_F(GraphicParameterWin, LorentzianAlphaIsFixedAndCancelRestoresEverything)
{
    Modell({2, 1});
    const TABELLEN_STAND vorher = TabellenMerken();
    const int32_t frei = MaxFitParameter;
    std::string zustand;
    int32_t freiOffen = 0;
    EXPECT_EQ(Grafisch({[&](HWND d) {
                            freiOffen = MaxFitParameter;
                            char t[16], a[16];
                            GetDlgItemTextA(d, IDOK, t, sizeof t);
                            GetDlgItemTextA(d, IDC_SP_VALUE + 3, a, sizeof a);
                            zustand = std::string(t) + "|" + a + "|" +
                                      std::to_string(IsWindowEnabled(GetDlgItem(d, IDC_SP_VALUE + 3))) + "|" +
                                      std::to_string(IsDlgButtonChecked(d, IDC_SP_FIX + 3)) + "|" +
                                      std::to_string(IsWindowEnabled(GetDlgItem(d, IDC_SP_BACK)));
                        },
                        Fokus(IDC_SP_VALUE), Umschalten(IDC_SP_FIX + 1),
                        [&](HWND d) {
                            zustand += "|" + std::to_string(IsWindowEnabled(GetDlgItem(d, IDC_SP_VALUE + 1))) +
                                       "|" + std::to_string(flags[1]);
                        },
                        SetzeText(IDC_SP_VALUE, ""), Sende(IDOK),
                        [&](HWND d) {
                            char t[16];
                            GetDlgItemTextA(d, IDOK, t, sizeof t);
                            zustand += std::string("|") + t + "|" + std::to_string(P()[0]) + "|" +
                                       std::to_string(FitFunctionCount);
                        },
                        Sende(IDCANCEL)}),
              0);
    EXPECT_EQ(freiOffen, frei - 1);
    EXPECT_EQ(zustand, "Next|1|0|1|0|0|1|OK|0.000000|2");
    GleicherStand(vorher, TabellenMerken());
    EXPECT_EQ(FitFunctionCount, 2);
}

TEST_F(GraphicParameterWin, FlagsOpensTheTableWhoseGraphicComesBack)
{
    Modell({1, 1});
    std::string zustand;
    EXPECT_EQ(Grafisch({Sende(IDOK), Klick(IDC_SP_FLAGS),
                        [&](HWND d) {
                            zustand = std::to_string(IsWindowEnabled(GetDlgItem(d, IDC_PT_GRAPHIC)));
                        },
                        Fokus(IDC_PT_VALUE), Umschalten(IDC_PT_FIXED), Sende(IDC_PT_GRAPHIC),
                        [&](HWND d) {
                            char t[40];
                            GetDlgItemTextA(d, IDC_SP_FUNCTION, t, sizeof t);
                            zustand += std::string("|") + t + "|" + std::to_string(FitFunctionCount);
                        },
                        Sende(IDOK)}),
              1);
    EXPECT_EQ(zustand, "1| Gaussian |2");
    EXPECT_EQ(flags[0], PF_FIXED);
    EXPECT_EQ(FitFunctionCount, 2);

    // Cancel in the table ends the graphic entry with nothing changed.
    Modell({1, 1});
    const TABELLEN_STAND vorher = TabellenMerken();
    EXPECT_EQ(Grafisch({SetzeText(IDC_SP_VALUE, "9"), Klick(IDC_SP_FLAGS), Fokus(IDC_PT_VALUE),
                        Umschalten(IDC_PT_FIXED), Sende(IDCANCEL)}),
              0);
    GleicherStand(vorher, TabellenMerken());
}

TEST_F(GraphicParameterWin, PreviewShowsTheCopperSpectrum)
{
    std::ifstream in(KORLAN_TEST_DIR "/app/spectra/data/cu_10k.xmu");
    std::string zeile;
    grafik_fenster& g = GrafikFenster[0];
    int n = 0;
    while (std::getline(in, zeile)) {
        double e = 0.0, mu = 0.0;
        if (zeile.empty() || zeile[0] == '#' || !(std::istringstream(zeile) >> e >> mu)) continue;
        g.GetXFeld(0)[n] = e;
        g.GetYFeld(0)[n++] = mu;
    }
    ASSERT_EQ(n, 612);
    g.DateiInfo.PunkteProKurve[0] = n;
    g.SetFullBorder();
    Modell({3});
    COLORREF mitte = 0;
    double x = 0.0, y = 0.0;
    EXPECT_EQ(Grafisch({Fokus(IDC_SP_VALUE + 1),
                        [&](HWND d) {
                            SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_SP_SHOW, BN_CLICKED), 0);
                            Bild(d, "set_parameter.png");
                            HWND v = GetDlgItem(d, IDC_SP_PREVIEW);
                            RECT r;
                            GetClientRect(v, &r);
                            HDC dc = GetDC(v);
                            mitte = GetPixel(dc, r.right / 2, r.bottom / 2);
                            ReleaseDC(v, dc);
                            Plotter.GetXYValue(x, y, r.right / 2, r.bottom / 2, 1, 0);
                        },
                        Sende(IDCANCEL)}),
              0);
    // The preview maps the copper edge region onto the control.
    EXPECT_GT(x, 8700.0);
    EXPECT_LT(x, 11400.0);
    EXPECT_NE(mitte, CLR_INVALID);
}
