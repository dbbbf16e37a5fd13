// The peak search dialog of command 904 under the dialog watcher: search,
// wavelength presets, the background spline with a dragged node, Subtract
// then Cancel, the automatic fit and OK with its peak list; and the LaB6
// section of the 11-BM pattern as a picture.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/spectra/data_commands_fixture.h"
#include "app/temp_folder.h"
#include "fit/fit_model.h"
#include "resource_ids.h"
#include "shell/shell_globals.h"
#include "vantor.h"

namespace {

// Two Gaussian lines (fwhm 0.1) on a sloped background, 2 theta = 3 + 0.01 i.
double Linien(double i)
{
    const double t = 3.0 + 0.01 * i, c = 4.0 * std::log(2.0) / 0.01;
    return 10.0 + 2.0 * t + 500.0 * std::exp(-c * (t - 4.5) * (t - 4.5)) +
           1000.0 * std::exp(-c * (t - 6.25) * (t - 6.25));
}

std::string Text(HWND d, int id)
{
    char t[4096] = "";
    GetDlgItemTextA(d, id, t, sizeof t);
    return t;
}

bool An(HWND d, int id) { return IsWindowEnabled(GetDlgItem(d, id)) != FALSE; }

DialogSchritt Quelle(int i)
{
    return [i](HWND d) {
        SendDlgItemMessageA(d, IDC_PS_QUELLE, CB_SETCURSEL, i, 0);
        SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_PS_QUELLE, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(d, IDC_PS_QUELLE)));
    };
}

DialogSchritt Regler(int id, int pos)
{
    return [id, pos](HWND d) {
        HWND r = GetDlgItem(d, id);
        SendMessageA(r, TBM_SETPOS, TRUE, pos);
        SendMessageA(d, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, pos), reinterpret_cast<LPARAM>(r));
    };
}

// A press at data point (x, y) of the preview, a move by (dx, dy) pixels
// and the release; ziel receives the data point of the release.
DialogSchritt Ziehe(double x, double y, int dx, int dy, double* ziel = nullptr)
{
    return [=](HWND d) {
        int px = 0, py = 0;
        ASSERT_TRUE(Plotter.GetScreen(x, y, px, py));
        POINT p{px, py};
        MapWindowPoints(GetDlgItem(d, IDC_PS_VORSCHAU), d, &p, 1);
        SendMessageA(d, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        SendMessageA(d, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x + dx, p.y + dy));
        SendMessageA(d, WM_LBUTTONUP, 0, MAKELPARAM(p.x + dx, p.y + dy));
        if (ziel) {
            ASSERT_TRUE(Plotter.GetXYValue(ziel[0], ziel[1], px + dx, py + dy, 1, 0));
        }
    };
}

// Pixels of the preview in each colour of the search: blue peaks, the
// green spline, its dark green nodes.
struct Farben {
    int blau = 0, gruen = 0, dunkelgruen = 0;
};

Farben Zaehle(HWND d)
{
    InvalidateRect(d, nullptr, FALSE);
    UpdateWindow(d);
    HWND bild = GetDlgItem(d, IDC_PS_VORSCHAU);
    RECT rc;
    GetClientRect(bild, &rc);
    HDC dc = GetDC(bild);
    Farben f;
    for (int y = 0; y < rc.bottom; ++y)
        for (int x = 0; x < rc.right; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            f.blau += c == RGB(0, 0, 255), f.gruen += c == RGB(0, 255, 0), f.dunkelgruen += c == RGB(0, 128, 0);
        }
    ReleaseDC(bild, dc);
    return f;
}

}  // namespace

class PeakSucheDialogTest : public EditFixture {
protected:
    TempOrdner daten;
    std::string altOrdner;
    void SetUp() override
    {
        EditFixture::SetUp();
        altOrdner = HAUPTDATEN.DatenOrdner;
        std::snprintf(HAUPTDATEN.DatenOrdner, ORDNER_BYTES, "%s", daten.Ordner().c_str());
        HAUPTDATEN.Roentgenwellenlaenge = 154.2;
        Kurve(0, 500, Linien);
        grafik_fenster& g = GrafikFenster[0];
        for (int i = 0; i < 500; ++i) g.GetXFeld(0)[i] = 3.0 + 0.01 * i;
        g.SetFullBorder();
    }
    void TearDown() override
    {
        std::snprintf(HAUPTDATEN.DatenOrdner, ORDNER_BYTES, "%s", altOrdner.c_str());
        EditFixture::TearDown();
    }
    bool Suche(std::vector<DialogSchritt> schritte)
    {
        boxen.clear();
        return MitDialogen(std::move(schritte), [] { HAUPTDATEN.Befehl(904, 0); });
    }
};

TEST_F(PeakSucheDialogTest, SearchPresetsAndTheFitButtonFollowTheProfile)
{
    const int32_t funktionen = GrafikFenster[0].AnzahlFunktionen;
    std::string lambda, grenze, knoten, lambdaMo, peaks, liste, grenzeRegler;
    bool fitAnfang = true, fitNachSuche = false, fitNachProfil = true, reglerAnfang = true;
    ASSERT_TRUE(Suche({
        [&](HWND d) {
            lambda = Text(d, IDC_PS_LAMBDA), grenze = Text(d, IDC_PS_GRENZE), knoten = Text(d, IDC_PS_KNOTEN);
            fitAnfang = An(d, IDC_PS_FIT), reglerAnfang = An(d, IDC_PS_GRENZE_REGLER);
        },
        // A slider before the first search does nothing.
        Regler(IDC_PS_GRENZE_REGLER, 20), [&](HWND d) { grenzeRegler = Text(d, IDC_PS_GRENZE); },
        Quelle(1), [&](HWND d) { lambdaMo = Text(d, IDC_PS_LAMBDA); },
        Waehle(IDC_PS_VOIGT), Druecke(IDC_PS_SUCHEN),
        [&](HWND d) {
            peaks = Text(d, IDC_PS_PEAKS), liste = Text(d, IDC_PS_LISTE), fitNachSuche = An(d, IDC_PS_FIT);
        },
        Waehle(IDC_PS_GAUSS), [&](HWND d) { fitNachProfil = An(d, IDC_PS_FIT); },
        Druecke(IDCANCEL),
    }));
    EXPECT_EQ(lambda, "154.2");
    EXPECT_EQ(grenze, "10");
    EXPECT_EQ(knoten, "8");
    EXPECT_FALSE(fitAnfang);
    EXPECT_FALSE(reglerAnfang);
    EXPECT_EQ(grenzeRegler, "10");
    EXPECT_EQ(lambdaMo, "71.07");
    EXPECT_EQ(peaks, "2");
    EXPECT_EQ(liste.rfind("-- X-RAY DIFFRACTION : PEAK SEARCH", 0), 0u) << liste;
    EXPECT_TRUE(fitNachSuche);
    EXPECT_FALSE(fitNachProfil);
    EXPECT_TRUE(boxen.empty());
    // Cancel: the window's model is the one of the opening again.
    EXPECT_EQ(GrafikFenster[0].AnzahlFunktionen, funktionen);
    EXPECT_EQ(GrafikFenster[0].FunktionsTypen[0], 0);
}

TEST_F(PeakSucheDialogTest, DraggedEndNodeSubtractThenCancelRestoresCurveAndModel)
{
    grafik_fenster& g = GrafikFenster[0];
    // A model of the window before: a Gaussian with a constrained width
    // and a tied height on a straight line.
    g.AnzahlFunktionen = 2;
    g.PolyGrad = 1;
    g.FunktionsTypen[0] = 1;
    g.FunktionsTypen[1] = 7;
    const double werte[5] = {300.0, 5.0, 0.2, 12.0, 0.5};
    std::copy(werte, werte + 5, g.Parameter);
    ParameterFlags[2] = 2;
    CorrelationWords[0] = 3;
    CorrelationConstants[0] = 1.5;
    const std::vector<double> parameterVorher(g.Parameter, g.Parameter + 1000);
    const int32_t funktionen = g.AnzahlFunktionen;
    const std::vector<double> vorher = Y(0, 0);
    std::vector<double> nachAbzug;
    bool abziehenAn = false;
    const double y0 = vorher[0];
    double knoten[2] = {};
    Farben farben;
    ASSERT_TRUE(Suche({
        Druecke(IDC_PS_SUCHEN),
        Druecke(IDC_PS_ZEIGEN),
        [&](HWND d) { abziehenAn = An(d, IDC_PS_ABZIEHEN); },
        [&](HWND d) {
            farben = Zaehle(d);
            EXPECT_TRUE(FensterFoto(d, "peak_search_background.png"));
        },
        // The first node, at the section's start, is pulled up and sideways.
        Ziehe(3.0, y0, 40, -30, knoten),
        Druecke(IDC_PS_ABZIEHEN),
        [&](HWND) { nachAbzug = Y(0, 0); },
        Druecke(IDCANCEL),
    }));
    EXPECT_TRUE(abziehenAn);
    ASSERT_EQ(nachAbzug.size(), vorher.size());
    // The node went up (30 pixels are about 100 counts here), so the first
    // point lies well below 0 after Subtract.
    EXPECT_LT(nachAbzug[0], -50.0);
    // It went up only: still at the section's start, the spline passes
    // through it there (a node 40 pixels to the right would leave the
    // first point to the spline's extrapolation).
    EXPECT_GT(knoten[0], 3.2);
    EXPECT_NEAR(vorher[0] - nachAbzug[0], knoten[1], 1e-6 * std::fabs(knoten[1]));
    EXPECT_EQ(Y(0, 0), vorher);
    EXPECT_GT(farben.blau, 20);
    EXPECT_GT(farben.gruen, 50);
    EXPECT_GT(farben.dunkelgruen, 20);
    EXPECT_EQ(g.AnzahlFunktionen, funktionen);
    EXPECT_EQ(g.PolyGrad, 1);
    EXPECT_EQ(g.FunktionsTypen[0], 1);
    EXPECT_EQ(g.FunktionsTypen[1], 7);
    EXPECT_EQ(std::vector<double>(g.Parameter, g.Parameter + 1000), parameterVorher);
    EXPECT_EQ(ParameterFlags[2], 2);
    EXPECT_EQ(ParameterFlags[5], 0);
    EXPECT_EQ(CorrelationWords[0], 3);
    EXPECT_EQ(CorrelationConstants[0], 1.5);
    EXPECT_TRUE(boxen.empty());
}

TEST_F(PeakSucheDialogTest, FitThenOkListsThePeaksAndAppendsTheFitFile)
{
    // The fit needs the program's own model functions.
    HAUPTDATEN.ModellCallback = altesModell;
    std::string fitListe;
    ASSERT_TRUE(Suche({
        Waehle(IDC_PS_VOIGT), Druecke(IDC_PS_SUCHEN), Druecke(IDC_PS_FIT),
        [&](HWND d) { fitListe = Text(d, IDC_PS_LISTE); },
        Druecke(IDOK),
    }));
    EXPECT_TRUE(boxen.empty());
    grafik_fenster& g = GrafikFenster[0];
    EXPECT_EQ(g.AnzahlFunktionen, 3);
    EXPECT_EQ(g.FunktionsTypen[0], 6);
    EXPECT_EQ(g.ZeigeFunktion, 1);
    EXPECT_EQ(HAUPTDATEN.DialogWerte[5], 1.0);
    EXPECT_EQ(HAUPTDATEN.DialogWerte[0], 154.2);
    // The fitted positions stand in the model and in the list.
    EXPECT_NEAR(g.Parameter[1], 4.5, 1e-4);
    EXPECT_NEAR(g.Parameter[6], 6.25, 1e-4);
    EXPECT_EQ(fitListe.find("failed"), std::string::npos) << fitListe;
    EXPECT_EQ(std::strncmp(CommandText, "-- X-RAY DIFFRACTION : PEAK SEARCH", 34), 0) << CommandText;
    std::ifstream f(daten.Datei("XRD_fit.dat"));
    std::vector<std::string> zeilen;
    for (std::string z; std::getline(f, z);) zeilen.push_back(z);
    ASSERT_EQ(zeilen.size(), 4u);
    EXPECT_EQ(zeilen[0].rfind("#  XRD auto peak fit routine", 0), 0u);
    EXPECT_EQ(zeilen[1], "");
    double werte[6];
    EXPECT_EQ(std::sscanf(zeilen[3].c_str(), "%lf %lf %lf %lf %lf %lf", &werte[0], &werte[1], &werte[2], &werte[3],
                          &werte[4], &werte[5]),
              6);
    EXPECT_NEAR(werte[0], 6.25, 1e-4);
}

TEST_F(PeakSucheDialogTest, NodeCountAndLimitOutsideTheirRangesAreRefused)
{
    const int32_t funktionen = GrafikFenster[0].AnzahlFunktionen;
    ASSERT_TRUE(Suche({
        SetzeText(IDC_PS_KNOTEN, "1"), Druecke(IDC_PS_ZEIGEN),
        SetzeText(IDC_PS_KNOTEN, "501"), Druecke(IDC_PS_ZEIGEN),
        SetzeText(IDC_PS_GRENZE, "0"), Druecke(IDC_PS_SUCHEN),
        [](HWND d) { EXPECT_FALSE(An(d, IDC_PS_ABZIEHEN)); },
        Druecke(IDCANCEL),
    }));
    ASSERT_EQ(boxen.size(), 3u);
    EXPECT_NE(boxen[0].text.find("between 2 and 500"), std::string::npos);
    EXPECT_NE(boxen[1].text.find("between 2 and 500"), std::string::npos);
    EXPECT_NE(boxen[2].text.find("detection limit"), std::string::npos);
    EXPECT_EQ(GrafikFenster[0].AnzahlFunktionen, funktionen);
}

// 120 lines above the limit: the model holds 41 Pearson VII peaks with its
// background; the count says "(limit)" and the list names the 2 theta
// beyond which lines were left out.
TEST_F(PeakSucheDialogTest, MoreLinesThanTheModelHoldsAreCapped)
{
    const int n = 6100;
    grafik_fenster& g = GrafikFenster[0];
    ASSERT_NE(g.ResizeFelder(n), 0);
    const double c = 4.0 * std::log(2.0) / 0.01;
    for (int i = 0; i < n; ++i) {
        const double t = 10.0 + 0.01 * i;
        double y = 10.0;
        for (int k = 0; k < 120; ++k) {
            const double p = 10.5 + 0.5 * k;
            if (std::fabs(t - p) < 1.0) y += (500.0 + 3.0 * k) * std::exp(-c * (t - p) * (t - p));
        }
        g.GetXFeld(0)[i] = t;
        g.GetYFeld(0)[i] = y;
    }
    g.DateiInfo.PunkteProKurve[0] = n;
    g.SetFullBorder();
    std::string peaks, liste;
    ASSERT_TRUE(Suche({
        Waehle(IDC_PS_PEARSON), Druecke(IDC_PS_SUCHEN),
        [&](HWND d) { peaks = Text(d, IDC_PS_PEAKS), liste = Text(d, IDC_PS_LISTE); },
        Druecke(IDCANCEL),
    }));
    EXPECT_EQ(peaks, "41 (limit)");
    // The last line: the 41st line lies at 10.5 + 40 * 0.5 = 30.5 degrees.
    const size_t p = liste.rfind("(limit)");
    ASSERT_NE(p, std::string::npos) << liste;
    EXPECT_NE(liste.find("30.5", p), std::string::npos) << liste.substr(p);
    EXPECT_EQ(liste.find("\r\n", p), liste.size() - 2);
    EXPECT_TRUE(boxen.empty());
}

#ifdef KORLAN_SHARED_DATA
// The 11-BM LaB6 pattern between 5.5 and 19.3 degrees: the ten lines found
// there and the picture of peaks and background.
TEST_F(PeakSucheDialogTest, LaB6SectionShowsItsLines)
{
    std::ifstream f(std::string(KORLAN_SHARED_DATA) + "xrd/11bmb_3844.fxye");
    if (!f) GTEST_SKIP() << "shared data not found";
    std::vector<double> x, y;
    bool daten = false;
    for (std::string zeile; std::getline(f, zeile);) {
        if (!daten) {
            daten = zeile.compare(0, 4, "BANK") == 0;
            continue;
        }
        std::istringstream z(zeile);
        double a, b;
        if (z >> a >> b && a * 0.01 >= 5.5 && a * 0.01 <= 19.3) x.push_back(a * 0.01), y.push_back(b);
    }
    ASSERT_GT(x.size(), 27000u);
    grafik_fenster& g = GrafikFenster[0];
    ASSERT_NE(g.ResizeFelder(static_cast<int32_t>(x.size())), 0);
    std::copy(x.begin(), x.end(), g.GetXFeld(0));
    std::copy(y.begin(), y.end(), g.GetYFeld(0));
    g.DateiInfo.PunkteProKurve[0] = static_cast<int32_t>(x.size());
    g.SetFullBorder();
    std::string peaks;
    Farben ganz, gezoomt;
    ASSERT_TRUE(Suche({
        SetzeText(IDC_PS_LAMBDA, "41.3128"), Waehle(IDC_PS_VOIGT), Druecke(IDC_PS_SUCHEN),
        SetzeText(IDC_PS_KNOTEN, "12"), Druecke(IDC_PS_ZEIGEN),
        [&](HWND d) {
            ganz = Zaehle(d);
            EXPECT_TRUE(FensterFoto(d, "peak_search_lab6.png"));
        },
        // Zoomed into the foot of the lines, whose tops lie above the range.
        Regler(IDC_PS_ZOOM, 90),
        [&](HWND d) {
            peaks = Text(d, IDC_PS_PEAKS);
            gezoomt = Zaehle(d);
            EXPECT_TRUE(FensterFoto(d, "peak_search_lab6_zoom.png"));
        },
        Druecke(IDOK),
    }));
    EXPECT_GE(std::atoi(peaks.c_str()), 10);
    EXPECT_GT(ganz.blau, 100);
    EXPECT_GT(ganz.gruen, 50);
    EXPECT_GT(ganz.dunkelgruen, 20);
    EXPECT_GT(gezoomt.gruen, 100);
    EXPECT_GT(gezoomt.dunkelgruen, 20);
    const double lab6[10] = {5.6966, 8.0595, 9.8749, 11.4073, 12.7591, 13.9827, 16.1593, 17.1466, 18.0817, 18.9722};
    ASSERT_GE(CommandArgs[0], 10.0);
    for (int i = 0; i < 10; ++i) EXPECT_NEAR(CommandArgs[1 + 3 * i], lab6[i], 0.002) << i;
}
#endif
