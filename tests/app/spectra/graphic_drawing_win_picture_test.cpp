// A graphic window of the running program showing the Cu foil spectrum;
// the picture is kept as grafik_cu_foil.png in the test folder of the build
// tree for a person to look at.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "../shell/shell_fixture.h"
#include "plotting/plot_test_support.h"
#include "spectra/spectra_globals.h"

namespace {

class GrafikBild : public LaufendesProgramm {
protected:
    void SetUp() override
    {
        LaufendesProgramm::SetUp();
    }
    void TearDown() override
    {
        for (int i = 0; i < 4; ++i) {
            if (HWND g = HAUPTDATEN.GrafikHandles[i]) DestroyWindow(g);
            HAUPTDATEN.GrafikHandles[i] = nullptr;
            GrafikFenster[i].FreeFelder();
            GrafikFenster[i].Reset();
        }
        for (HWND& h : ModelessList) h = nullptr;
        AnzahlFenster = 0;
        LaufendesProgramm::TearDown();
    }
};

TEST_F(GrafikBild, CuFoilSpectrumInAGraphicWindow)
{
    grafik_fenster& g = GrafikFenster[0];
    ASSERT_EQ(g.AllocFelder(), 1);
    DateiInfo info;
    DateiInfoLeeren(&info);
    std::snprintf(info.Ordner, sizeof info.Ordner, "%s", KORLAN_TEST_DIR "/app/spectra/data/");
    std::strcpy(info.DateiName, "cu_metal_rt.xdi");
    SpektrumDaten d;
    int32_t fehler = 0;
    // Energy against mutrans = ln(i0 / itrans).
    const int32_t n = LeseSpalten(info, 1, 4, &d, &fehler);
    ASSERT_EQ(n, 408) << fehler;
    ASSERT_EQ(g.SpeichereKurve(d), 1);
    g.DateiInfo = info;
    g.DateiInfo.PunkteProKurve[0] = n;
    g.ZeigeDaten = 1;
    g.SetGrafikTexte("E, (eV)", "^m(E)*d", "Cu foil, room temperature", nullptr);
    g.SetFullBorder();
    std::strcpy(g.LegendenText, "Cu K edge");
    g.LegendenAnzahl = 1.0;
    g.LegendenPos[0] = 9500.0;
    g.LegendenPos[1] = -0.4;

    const int W = 800, H = 560;
    HWND f = CreateWindowA("paint", "cu_metal_rt.xdi  No.1", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                           0, 0, W, H, hwnd, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(f, nullptr);
    HAUPTDATEN.GrafikHandles[0] = f;
    AnzahlFenster = 1;
    AktivesFenster = 0;
    BringWindowToTop(f);
    InvalidateRect(f, nullptr, TRUE);
    UpdateWindow(f);

    plot_test::Canvas cv(W, H);
    HDC fensterDc = GetDC(f);
    ASSERT_TRUE(BitBlt(cv.dc, 0, 0, W, H, fensterDc, 0, 0, SRCCOPY));
    ReleaseDC(f, fensterDc);
    // Beside the test program, not in the temporary program folder.
    const std::string bild = std::string(altesVerzeichnis) + "\\grafik_cu_foil.png";
    ASSERT_TRUE(cv.WritePng(bild.c_str()));

    // The curve in the window's data colour, the plot on its grey.
    EXPECT_GT(cv.Count(RGB(255, 0, 0)), 400);
    EXPECT_GT(cv.Count(RGB(0xC0, 0xC0, 0xC0)), W * H / 3);
    // The edge: the curve rises between 8970 and 9000 eV, so its pixels there
    // span far more rows than on the flat pre-edge.
    int vorne = 0, kante = 0;
    for (double x : {8850.0, 8990.0}) {
        int px = 0, py = 0;
        Plotter.GetScreen(x, -1.0, px, py);
        int oben = H, unten = -1;
        for (int y = 0; y < H; ++y)
            for (int dx = -1; dx <= 1; ++dx)
                if (cv.Pixel(px + dx, y) == RGB(255, 0, 0)) {
                    oben = std::min(oben, y);
                    unten = std::max(unten, y);
                }
        (x < 8900.0 ? vorne : kante) = unten - oben;
    }
    EXPECT_GT(kante, 4 * vorne + 20) << vorne << " " << kante;
}

TEST_F(GrafikBild, CuFoilWithTheIncidentBeamOnARightAxis)
{
    // mu(E) on the left axis and I0 on the right one, combined in one
    // window; the right axis description reads downwards in the program's
    // font turned by 270 degrees.
    // A program started earlier in this test process took the shared fonts
    // with it at its end.
    if (!HAUPTDATEN.Schriften[SCHRIFT_ACHSE]) HAUPTDATEN.ErzeugeSchriften();
    grafik_fenster& g = GrafikFenster[0];
    ASSERT_EQ(g.AllocFelder(), 1);
    DateiInfo info;
    DateiInfoLeeren(&info);
    std::snprintf(info.Ordner, sizeof info.Ordner, "%s", KORLAN_TEST_DIR "/app/spectra/data/");
    std::strcpy(info.DateiName, "cu_metal_rt.xdi");
    int32_t fehler = 0;
    SpektrumDaten mu, i0;
    ASSERT_EQ(LeseSpalten(info, 1, 4, &mu, &fehler), 408) << fehler;
    ASSERT_EQ(LeseSpalten(info, 1, 2, &i0, &fehler), 408) << fehler;
    g.KurvenZaehler = 1;
    ASSERT_EQ(g.SpeichereKurve(i0), 1);
    g.SetGrafikTexte("E, (eV)", "I@{0}", nullptr, nullptr);
    g.KurvenZaehler = 0;
    ASSERT_EQ(g.SpeichereKurve(mu), 1);
    g.DateiInfo = info;
    g.DateiInfo.PunkteProKurve[0] = g.DateiInfo.PunkteProKurve[1] = 408;
    g.NeuesterZaehler = 1;
    g.ZeigeDaten = 1;
    g.SetGrafikTexte("E, (eV)", "^m(E)*d", "Cu foil, room temperature", "I@{0} (counts)");
    g.SetFullBorder();
    g.Kombinieren = 1;
    g.KombiAnzahl = 2;
    g.KombiListe[0] = 0;    // window 0, slot 0 on the left axis
    g.KombiListe[1] = 101;  // window 0, slot 1 on the right axis
    g.BereichNeu = 1;

    const int W = 800, H = 560;
    HWND f = CreateWindowA("paint", "cu_metal_rt.xdi  No.1", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                           0, 0, W, H, hwnd, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(f, nullptr);
    HAUPTDATEN.GrafikHandles[0] = f;
    AnzahlFenster = 1;
    AktivesFenster = 0;
    BringWindowToTop(f);
    InvalidateRect(f, nullptr, TRUE);
    UpdateWindow(f);

    plot_test::Canvas cv(W, H);
    HDC fensterDc = GetDC(f);
    ASSERT_TRUE(BitBlt(cv.dc, 0, 0, W, H, fensterDc, 0, 0, SRCCOPY));
    ReleaseDC(f, fensterDc);
    const std::string bild = std::string(altesVerzeichnis) + "\\grafik_cu_foil_right_axis.png";
    ASSERT_TRUE(cv.WritePng(bild.c_str()));

    // Both curves in their palette colours; the right axis range is I0's.
    EXPECT_GT(cv.Count(HAUPTDATEN.Farbpalette[0]), 300);
    EXPECT_GT(cv.Count(HAUPTDATEN.Farbpalette[1]), 300);
    EXPECT_GT(Plotter.RightMax, 100000.0);
    EXPECT_LT(Plotter.YMax, 10.0);
    // The same drawing into a metafile: the right description's runs go
    // down the page in order, centred on the axis.
    plot_test::Metafile mf;
    g.BereichNeu = 1;
    g.PaintGrafik(mf.dc, 0, 0, W, H, HAUPTDATEN.ZeichenBreite, HAUPTDATEN.ZeichenHoehe);
    const plot_test::EmfContent c = mf.Finish();
    std::vector<const plot_test::EmfText*> runs;
    for (const auto& t : c.texts)
        if (t.angle == 2700) runs.push_back(&t);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0]->text, "I");
    EXPECT_EQ(runs[1]->text, "0");
    EXPECT_EQ(runs[2]->text, " (counts)");
    EXPECT_LT(runs[0]->at.y, runs[1]->at.y);
    EXPECT_LT(runs[1]->at.y, runs[2]->at.y);
    HDC mess = CreateCompatibleDC(nullptr);
    HGDIOBJ alt = SelectObject(mess, HAUPTDATEN.Schriften[SCHRIFT_ACHSE]);
    int lang = 0;
    for (const auto* r : runs) {
        SIZE sz{0, 0};
        GetTextExtentPoint32A(mess, r->text.c_str(), static_cast<int>(r->text.size()), &sz);
        lang += sz.cx;
    }
    SelectObject(mess, alt);
    DeleteDC(mess);
    EXPECT_NEAR(runs[0]->at.y + lang / 2.0, Plotter.GraphTop + Plotter.GraphHeight / 2.0, 2.0);
    // mu is drawn as the Greek letter.
    bool mu_ = false;
    for (const auto& t : c.texts) mu_ |= t.wide == u"\u03BC";
    EXPECT_TRUE(mu_);
}

}  // namespace
