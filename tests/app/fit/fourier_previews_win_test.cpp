// The previews of the Fourier dialog on the copper foil's chi(k): what they
// draw (pictures looked at), the weight a click picks, the comparison
// scaling, and the window record they leave exactly as it was.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/fit/fourier_fixture.h"
#include "fit/fourier_transform.h"
#include "fit/fourier_transform_win.h"
#include "plotting/plot_test_support.h"
#include "resource_ids.h"
#include "shell/dialog_helpers.h"

namespace {

// Everything of the current slot a preview could touch.
struct Abbild {
    std::vector<double> x, y;
    int32_t punkte, zaehler;
    uint32_t flags;
    double kGewicht;
    std::string xText, yText;
    // Byte for byte: -0 and 0, or two NaNs, are told apart.
    bool operator==(const Abbild& o) const
    {
        auto gleich = [](const std::vector<double>& a, const std::vector<double>& b) {
            return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
        };
        return gleich(x, o.x) && gleich(y, o.y) && punkte == o.punkte && zaehler == o.zaehler &&
               flags == o.flags && std::memcmp(&kGewicht, &o.kGewicht, sizeof kGewicht) == 0 &&
               xText == o.xText && yText == o.yText;
    }
};

Abbild Aufnahme(grafik_fenster& g)
{
    const int32_t s = g.AktuellerSlot(), n = g.Punkte();
    return Abbild{std::vector<double>(g.GetXFeld(s), g.GetXFeld(s) + 2 * n + 2),
                  std::vector<double>(g.GetYFeld(s), g.GetYFeld(s) + 2 * n + 2),
                  n,
                  g.KurvenZaehler,
                  g.KurvenFlags[s],
                  g.KGewicht,
                  g.XText[s],
                  g.YText[s]};
}

// A left click at the fraction (fx, fy) of the dialog's client area.
DialogSchritt Klick(double fx, double fy)
{
    return [fx, fy](HWND dlg) {
        RECT r;
        GetClientRect(dlg, &r);
        PostMessageA(dlg, WM_LBUTTONUP, 0,
                     MAKELPARAM(static_cast<int>(fx * r.right), static_cast<int>(fy * r.bottom)));
    };
}

}  // namespace

class FourierVorschau : public FourierBefehl {
protected:
    void SetUp() override
    {
        FourierBefehl::SetUp();
        Kupfer();
        grafik_fenster& g = GrafikFenster[0];
        // chi(k) k^2, as the XAFS menu leaves it.
        const int32_t n = g.Punkte();
        for (int32_t i = 0; i < n; ++i) g.GetYFeld(0)[i] *= g.GetXFeld(0)[i] * g.GetXFeld(0)[i];
        g.KurvenFlags[0] = SLOT_K_GEWICHTET;
        g.KGewicht = 2.0;
        g.SetGrafikTexte("k [\xC5~{-1}]", "^c(k)*k~2", nullptr, nullptr);
        AktivesFenster = 0;
        FtVorschau.Fenster = FTWINDOW{5, 14.0, 3.0, 20.0, 0.0};
        FtVorschau.Phase = 0;
    }
    INT_PTR Vorschau(const char* vorlage, DLGPROC proc, std::vector<DialogSchritt> schritte)
    {
        INT_PTR ende = -99;
        EXPECT_TRUE(MitDialogen(std::move(schritte), [&] {
            ende = DialogBoxParamA(ProgrammModul(), vorlage, hwnd, proc, 0);
        }));
        return ende;
    }
};

TEST_F(FourierVorschau, WindowPreviewShowsTheWindowAndLeavesTheCurve)
{
    grafik_fenster& g = GrafikFenster[0];
    const Abbild vorher = Aufnahme(g);
    double* dw = HAUPTDATEN.DialogWerte;
    dw[2] = 5;
    dw[3] = 3.0;
    dw[4] = 14.0;
    dw[5] = 20;
    const INT_PTR ende = Vorschau("SHOWWINDOW", ShowWindowProc,
                                  {[](HWND dlg) {
                                       char t[40] = "";
                                       GetDlgItemTextA(dlg, 80, t, sizeof t);
                                       EXPECT_STREQ(t, "Hanning");
                                   },
                                   SetzeText(40, "60"), Druecke(37), [](HWND) {},
                                   [](HWND dlg) { EXPECT_TRUE(FensterFoto(dlg, "showwindow.png")); },
                                   Druecke(IDOK)});
    EXPECT_EQ(ende, 1);
    EXPECT_EQ(dw[5], 60.0);
    EXPECT_TRUE(Aufnahme(g) == vorher);
}

TEST_F(FourierVorschau, WeightPreviewReturnsTheClickedWeightAndLeavesTheCurve)
{
    grafik_fenster& g = GrafikFenster[0];
    const Abbild vorher = Aufnahme(g);
    const struct { double fx, fy; INT_PTR weight; } klicks[] = {
        {0.25, 0.25, 1}, {0.75, 0.25, 2}, {0.25, 0.75, 3}, {0.75, 0.75, 3}};
    bool foto = false;
    for (const auto& k : klicks) {
        std::vector<DialogSchritt> schritte = {[](HWND) {}};
        if (!foto) schritte.push_back([](HWND dlg) { EXPECT_TRUE(FensterFoto(dlg, "weightft.png")); });
        foto = true;
        schritte.push_back(Klick(k.fx, k.fy));
        EXPECT_EQ(Vorschau("WEIGHTFT", WeightFTProc, schritte), k.weight) << k.fx << " " << k.fy;
        EXPECT_TRUE(Aufnahme(g) == vorher);
    }
    // Other weights typed in and shown; "&Return" picks none.
    EXPECT_EQ(Vorschau("WEIGHTFT", WeightFTProc,
                       {SetzeText(559, "0"), SetzeText(560, "1"), SetzeText(561, "3"), Druecke(37), Druecke(IDOK)}),
              -1);
    EXPECT_TRUE(Aufnahme(g) == vorher);
}

// The bottom-right panel shows the three magnitudes for the weights 1, 2
// and 3 with the second divided by 7 and the third by 49: each scaled
// peak lies on a pixel of its curve's colour.
TEST_F(FourierVorschau, ComparisonPanelScalesTheHigherWeightsDown)
{
    grafik_fenster& g = GrafikFenster[0];
    FT_KURVE chi;
    chi.x = X(0, 0);
    chi.y = Y(0, 0);
    FtKGewichten(chi, true, 2.0, 0.0);
    const double lo = g.Grenzen[1], hi = g.Grenzen[0];
    double rSpitze[3], spitze[3];
    for (int w = 1; w <= 3; ++w) {
        FT_KURVE b;
        def_zelva z;
        ASSERT_TRUE(FtGewichtVorschau(z, chi, lo, hi, FtVorschau.Fenster, w, ExafsOptionen.KPunkte,
                                      ExafsOptionen.RSchritt, ExafsOptionen.MaxR, nullptr, b));
        size_t best = 0;
        for (size_t i = 0; i < b.y.size(); ++i)
            if (b.y[i] > b.y[best]) best = i;
        rSpitze[w - 1] = b.x[best];
        spitze[w - 1] = b.y[best];
    }
    // The three scaled peaks are far enough apart to tell (about 0.022,
    // 0.024 and 0.030 on the copper foil).
    ASSERT_GT(spitze[2] / 49 - spitze[1] / 7, 0.1 * spitze[0]);
    bool geprueft = false;
    // The first tick lets the dialog show and paint itself; the panels are
    // then drawn again and read back at once.
    Vorschau("WEIGHTFT", WeightFTProc,
             {[](HWND) {},
              [&](HWND dlg) {
                  UpdateWindow(dlg);
                  HAUPTDATEN.DrawWeightFT(dlg, 1, 2, 3);
                  GdiFlush();
                  HWND flaeche = GetDlgItem(dlg, IDC_FTV_FLAECHE);
                  RECT r;
                  GetClientRect(flaeche, &r);
                  plot_test::Canvas cv(r.right, r.bottom);
                  HDC quelle = GetDC(flaeche);
                  BitBlt(cv.dc, 0, 0, cv.w, cv.h, quelle, 0, 0, SRCCOPY);
                  ReleaseDC(flaeche, quelle);
                  const struct { double r, y; COLORREF farbe; } spitzen[] = {
                      {rSpitze[1], spitze[1] / 7, RGB(0, 0, 255)},
                      {rSpitze[2], spitze[2] / 49, RGB(255, 0, 255)}};
                  for (const auto& s : spitzen) {
                      int px = 0, py = 0;
                      ASSERT_TRUE(Plotter.GetScreen(s.r, s.y, px, py)) << s.y;
                      // In the bottom-right quadrant.
                      EXPECT_GT(px, r.right / 2);
                      EXPECT_GT(py, r.bottom / 2);
                      EXPECT_TRUE(cv.Near(px, py, s.farbe, 2)) << s.r << " " << s.y;
                  }
                  geprueft = true;
              },
              Druecke(IDOK)});
    EXPECT_TRUE(geprueft);
}

// The four texts the k-weight preview saves come back in the order
// SetGrafikTexte takes them; a null buffer is skipped.
TEST_F(FourierVorschau, AxisTextsComeBackInTheOrderTheyAreSet)
{
    grafik_fenster& g = GrafikFenster[0];
    g.SetGrafikTexte("k [A~{-1}]", "chi(k)", "Cu foil", "z text");
    char x[GRAFIK_TEXT] = "", y[GRAFIK_TEXT] = "", titel[GRAFIK_TEXT] = "", z[GRAFIK_TEXT] = "";
    g.GetGrafikTexte(x, y, titel, z);
    EXPECT_STREQ(x, "k [A~{-1}]");
    EXPECT_STREQ(y, "chi(k)");
    EXPECT_STREQ(titel, "Cu foil");
    EXPECT_STREQ(z, "z text");
    char nurY[GRAFIK_TEXT] = "";
    g.GetGrafikTexte(nullptr, nurY, nullptr, nullptr);
    EXPECT_STREQ(nurY, "chi(k)");
}

TEST(FourierVorschauRechnung, ClicksAndComparisonScaling)
{
    // 400 x 300: the top half splits left and right, the bottom half is w3.
    EXPECT_EQ(FtGewichtVonKlick(10, 10, 400, 300, 1, 2, 3), 1);
    EXPECT_EQ(FtGewichtVonKlick(390, 150, 400, 300, 1, 2, 3), 2);
    EXPECT_EQ(FtGewichtVonKlick(10, 151, 400, 300, 1, 2, 3), 3);
    EXPECT_EQ(FtGewichtVonKlick(390, 299, 400, 300, 1, 2, 3), 3);
    EXPECT_EQ(FtVergleichsTeiler(1, 2), 7.0);
    EXPECT_EQ(FtVergleichsTeiler(1, 3), 49.0);
    EXPECT_EQ(FtVergleichsTeiler(2, 2), 1.0);
    EXPECT_EQ(FtVergleichsTeiler(3, 1), 1.0);
}

TEST(FourierVorschauRechnung, WindowPictureIsNormalisedAndZeroOutside)
{
    const double x[6] = {0, 1, 2, 3, 4, 5}, y[6] = {10, -4, 2, 1, -1, 8}, W[6] = {0, 0.5, 1, 1, 0.5, 0};
    const FT_FENSTER_BILD b = FtFensterBild(x, y, W, 6, 1.0, 4.0);
    // Inside [1, 4] the largest |y| is 4.
    const double D[6] = {0, -1, 0.5, 0.25, -0.25, 0};
    for (int i = 0; i < 6; ++i) {
        EXPECT_DOUBLE_EQ(b.D[i], D[i]) << i;
        EXPECT_DOUBLE_EQ(b.V[i], W[i] * D[i]) << i;
    }
    EXPECT_DOUBLE_EQ(b.YUnten, -1.0);
    EXPECT_DOUBLE_EQ(b.YOben, 1.0);
}
