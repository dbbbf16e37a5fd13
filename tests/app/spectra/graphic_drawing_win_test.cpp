// Drawing of graphic-window records into metafiles and bitmaps: show-all
// panels, the fit's difference panel, legends, series offsets and combined
// curves whose offsets never reach the stored data.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "plotting/plot_test_support.h"
#include "shell/haupt_fenster.h"
#include "spectra/graphic_drawing.h"
#include "spectra/spectra_globals.h"

namespace {

using plot_test::Canvas;
using plot_test::EmfContent;
using plot_test::Metafile;

const int W = 800, H = 600;

class Zeichnen : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (grafik_fenster& g : GrafikFenster) g.Reset();
        differenzAlt = FitDifferenzen;
    }
    void TearDown() override
    {
        for (int i = 0; i < 4; ++i) {
            GrafikFenster[i].FreeFelder();
            GrafikFenster[i].Reset();
            if (HAUPTDATEN.GrafikHandles[i]) DestroyWindow(HAUPTDATEN.GrafikHandles[i]);
            HAUPTDATEN.GrafikHandles[i] = nullptr;
        }
        HAUPTDATEN.FitZustand = 0;
        FitDifferenzen = differenzAlt;
    }
    // Window w with a curve in `slot`: n points from x0 to x1, y = f(x).
    grafik_fenster& Kurve(int w, int slot, int n, double x0, double x1, double (*f)(double),
                          const char* xText = "X")
    {
        grafik_fenster& g = GrafikFenster[w];
        if (!g.GetXFeld(0)) {
            EXPECT_EQ(g.AllocFelder(), 1);
        }
        g.FensterNummer = w;
        g.ZeigeDaten = 1;
        for (int i = 0; i < n; ++i) {
            const double x = x0 + (x1 - x0) * i / (n - 1);
            g.GetXFeld(slot)[i] = x;
            g.GetYFeld(slot)[i] = f(x);
        }
        g.DateiInfo.PunkteProKurve[slot] = n;
        std::snprintf(g.XText[slot], GRAFIK_TEXT, "%s", xText);
        return g;
    }
    // Marks window w as open for the combined plots.
    void Offen(int w)
    {
        HAUPTDATEN.GrafikHandles[w] = CreateWindowA("STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr,
                                                    GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(HAUPTDATEN.GrafikHandles[w], nullptr);
    }
    static std::vector<plot_test::EmfText> Texte(const EmfContent& c, const std::string& t)
    {
        std::vector<plot_test::EmfText> out;
        for (const auto& e : c.texts)
            if (e.text == t) out.push_back(e);
        return out;
    }
    static std::string Alle(const EmfContent& c)
    {
        std::string s;
        for (const auto& e : c.texts) s += "[" + e.text + "@" + std::to_string(e.at.x) + "," + std::to_string(e.at.y) + "]";
        return s;
    }
    double* differenzAlt = nullptr;
};

double Rampe(double x) { return x / 10.0; }
double Parabel(double x) { return x * x; }

TEST_F(Zeichnen, ShowAllDrawsOneTwoOrFourPanels)
{
    const char* texte[4] = {"Xnull", "Xeins", "Xzwei", "Xdrei"};
    for (int s = 0; s < 4; ++s) Kurve(0, s, 50, 0.0, 10.0, Parabel, texte[s]);
    grafik_fenster& g = GrafikFenster[0];
    const struct { int32_t neuester; int panels; } faelle[] = {{0, 1}, {1, 2}, {3, 4}, {6, 4}};
    for (const auto& f : faelle) {
        g.Multiplot = 1;
        g.ZeigeFunktion = 1;
        g.NeuesterZaehler = f.neuester;
        g.KurvenZaehler = f.neuester > 3 ? 5 : f.neuester;  // current slot: 1 for 6
        Metafile mf;
        g.PaintGrafik(mf.dc, 0, 0, W, H, 7, 16);
        const EmfContent c = mf.Finish();
        EXPECT_EQ(g.ZeigeFunktion, 0);
        EXPECT_EQ(g.KurvenZaehler, f.neuester > 3 ? 5 : f.neuester);
        for (int s = 0; s < 4; ++s) {
            const auto t = Texte(c, texte[s]);
            if (s >= f.panels) {
                EXPECT_TRUE(t.empty()) << f.neuester << " " << s;
                continue;
            }
            ASSERT_EQ(t.size(), 1u) << f.neuester << " slot " << s << Alle(c);
            // Slots 0 and 2 on the left, 1 and 3 on the right; with three
            // or four panels 2 and 3 in the lower half.
            EXPECT_EQ(t[0].at.x < W / 2, s % 2 == 0) << f.neuester << " " << s;
            if (f.panels > 2) EXPECT_EQ(t[0].at.y > H / 2, s >= 2) << f.neuester << " " << s;
            else EXPECT_GT(t[0].at.y, H / 2) << f.neuester << " " << s;
        }
        // The panel of the current slot is framed.
        const int aktuell = g.KurvenZaehler & 3;
        const int b = W / 2, h = f.panels > 2 ? H / 2 : H;
        const RECT rahmen{(aktuell % 2) * b, (aktuell / 2) * h, (aktuell % 2) * b + b, (aktuell / 2) * h + h};
        bool gefunden = false;
        for (const RECT& r : c.rectangles)
            gefunden |= r.left == rahmen.left && r.top == rahmen.top &&
                        std::abs(r.right - rahmen.right) <= 1 && std::abs(r.bottom - rahmen.bottom) <= 1;
        EXPECT_TRUE(gefunden) << f.neuester;
    }
    // A negative newest counter draws nothing.
    g.NeuesterZaehler = -1;
    Metafile mf;
    g.PaintGrafik(mf.dc, 0, 0, W, H, 7, 16);
    EXPECT_TRUE(mf.Finish().texts.empty());
}

TEST_F(Zeichnen, WhileAFitRunsThePlotTakesThreeQuartersAndTheDifferenceTheRest)
{
    grafik_fenster& g = Kurve(0, 0, 100, 0.0, 10.0, Parabel, "Energie");
    std::snprintf(g.YText[0], GRAFIK_TEXT, "Absorption");
    std::vector<double> differenz(100);
    for (int i = 0; i < 100; ++i) differenz[i] = std::sin(i * 0.3);
    FitDifferenzen = differenz.data();

    // Without a fit the plot fills the height.
    Metafile ohne;
    g.PaintGrafik(ohne.dc, 0, 0, W, H, 7, 16);
    const EmfContent c0 = ohne.Finish();
    ASSERT_EQ(Texte(c0, "Energie").size(), 1u) << Alle(c0);
    EXPECT_GT(Texte(c0, "Energie")[0].at.y, H * 3 / 4);
    EXPECT_TRUE(Texte(c0, "Difference").empty());

    HAUPTDATEN.FitZustand = 1;
    g.Multiplot = 1;
    g.Kombinieren = 1;
    Metafile mf;
    g.PaintGrafik(mf.dc, 0, 0, W, H, 7, 16);
    const EmfContent c = mf.Finish();
    EXPECT_EQ(g.Multiplot, 0);
    EXPECT_EQ(g.Kombinieren, 0);
    const auto x = Texte(c, "Energie");
    ASSERT_EQ(x.size(), 2u) << Alle(c);
    EXPECT_LT(std::min(x[0].at.y, x[1].at.y), H * 3 / 4);
    EXPECT_GT(std::max(x[0].at.y, x[1].at.y), H * 3 / 4);
    const auto y = Texte(c, "Absorption");
    ASSERT_EQ(y.size(), 1u) << Alle(c);
    EXPECT_LT(y[0].at.y, H * 3 / 4);
    const auto d = Texte(c, "Difference");
    ASSERT_EQ(d.size(), 1u) << Alle(c);
    EXPECT_GT(d[0].at.y, H * 3 / 4);
    // Nothing of the plot below the line but the difference panel.
    for (const auto& p : c.polylines)
        for (const POINT& pt : p) EXPECT_LE(pt.y, H + 1);
}

TEST_F(Zeichnen, LegendLinesAreWrittenOnlyInsideThePlot)
{
    grafik_fenster& g = Kurve(0, 0, 100, 0.0, 10.0, Parabel);
    std::strcpy(g.LegendenText, "innen\naussen\nunten");
    g.LegendenAnzahl = 3.0;
    g.LegendenPos[0] = 5.0;  g.LegendenPos[1] = 50.0;    // inside
    g.LegendenPos[2] = 25.0; g.LegendenPos[3] = 50.0;    // right of the x range
    g.LegendenPos[4] = 5.0;  g.LegendenPos[5] = -900.0;  // below the y range
    Metafile mf;
    g.PaintGrafik(mf.dc, 0, 0, W, H, 7, 16);
    const EmfContent c = mf.Finish();
    const auto innen = Texte(c, "innen  ");
    ASSERT_EQ(innen.size(), 1u) << Alle(c);
    EXPECT_GT(innen[0].at.x, 100);
    EXPECT_LT(innen[0].at.x, W);
    for (const auto& t : c.texts) {
        EXPECT_EQ(t.text.find("aussen"), std::string::npos);
        EXPECT_EQ(t.text.find("unten"), std::string::npos);
    }
}

TEST_F(Zeichnen, SeriesModeTwentyShiftsEachFrameByThreeRangesOverCountMinusOne)
{
    // A series file of three identical frames y = x / 10 (range 0 .. 1).
    const int n = 101;
    grafik_fenster& g = Kurve(0, 0, n, 0.0, 10.0, Rampe);
    const char* name = "grafik_series_mode20.dxa";
    std::strcpy(g.DateiInfo.DateiName, name);
    g.DateiInfo.Ordner[0] = '\0';
    ASSERT_EQ(g.SchreibeBinaer(name, 0, 4, 1), SPEKTRUM_OK);
    ASSERT_EQ(g.SchreibeBinaer(name, 100, 4, 0), SPEKTRUM_OK);
    ASSERT_EQ(g.SchreibeBinaer(name, 100, 4, 2), SPEKTRUM_OK);
    ASSERT_EQ(g.SchreibeBinaer(name, 100, 4, 2), SPEKTRUM_OK);
    g.DateiInfo.Binaer = 1;
    g.DateiInfo.Punkte = n;
    g.Kombinieren = 1;
    g.SerienFrames = 3;
    g.SerienListe[0] = 2;
    g.SerienListe[1] = 3;
    g.SerienListe[2] = 4;
    g.SerienModus = 20;
    g.Paintinfo.PlotColor = RGB(255, 0, 0);
    g.Paintinfo.PlotWidth = 1;

    Canvas cv(W, H);
    g.PaintGrafik(cv.dc, 0, 0, W, H, 7, 16);
    // Step 3 x 1 / 2 = 1.5: frame i lies at x / 10 + 1.5 i, the top grew to 4.
    EXPECT_GE(Plotter.YMax, 4.0);
    for (int i = 0; i < 3; ++i)
        for (double x : {2.0, 5.0, 8.0}) {
            int px = 0, py = 0;
            ASSERT_TRUE(Plotter.GetScreen(x, x / 10.0 + 1.5 * i, px, py)) << i << " " << x;
            EXPECT_TRUE(cv.Near(px, py, RGB(255, 0, 0), 2)) << i << " " << x;
        }
    // Nothing between the frames (at half a step).
    int px = 0, py = 0;
    ASSERT_TRUE(Plotter.GetScreen(5.0, 0.5 + 0.75, px, py));
    EXPECT_FALSE(cv.Near(px, py, RGB(255, 0, 0), 2));
    EXPECT_EQ(g.KombiModus, 0);
    std::remove(name);
}

TEST_F(Zeichnen, CombinedCurvesAreShiftedOnlyWhereTheyAreDrawn)
{
    Kurve(0, 0, 101, 0.0, 10.0, Rampe);
    Kurve(1, 2, 101, 0.0, 10.0, Rampe);
    Offen(0);
    Offen(1);
    grafik_fenster& g = GrafikFenster[0];
    g.Kombinieren = 1;
    g.KombiAnzahl = 2;
    g.KombiListe[0] = 0;   // window 0, slot 0
    g.KombiListe[1] = 12;  // window 1, slot 2
    g.KombiModus = 12;
    g.KombiVersatz[0] = 2.0;
    const std::vector<double> vorher(GrafikFenster[1].GetYFeld(2), GrafikFenster[1].GetYFeld(2) + 101);

    double ylo = 0, yhi = 0, xlo = 0, xhi = 0, rlo = 0, rhi = 0;
    EXPECT_EQ(g.GetPlotRange(&ylo, &yhi, &xlo, &xhi, &rlo, &rhi), 2);
    EXPECT_DOUBLE_EQ(xlo, 0.0);
    EXPECT_DOUBLE_EQ(xhi, 10.0);
    EXPECT_DOUBLE_EQ(ylo, 0.0);
    EXPECT_DOUBLE_EQ(yhi, 3.0);
    EXPECT_EQ(rlo, 1e30);

    Canvas cv(W, H);
    g.PaintGrafik(cv.dc, 0, 0, W, H, 7, 16);
    const COLORREF erste = HAUPTDATEN.Farbpalette[0], zweite = HAUPTDATEN.Farbpalette[1];
    for (double x : {2.0, 5.0, 8.0}) {
        int px = 0, py = 0;
        ASSERT_TRUE(Plotter.GetScreen(x, x / 10.0, px, py));
        EXPECT_TRUE(cv.Near(px, py, erste, 2)) << x;
        ASSERT_TRUE(Plotter.GetScreen(x, x / 10.0 + 2.0, px, py));
        EXPECT_TRUE(cv.Near(px, py, zweite, 2)) << x;
    }
    for (int i = 0; i < 101; ++i) ASSERT_EQ(GrafikFenster[1].GetYFeld(2)[i], vorher[i]) << i;

    // A closed window's curve is left out of range and drawing.
    DestroyWindow(HAUPTDATEN.GrafikHandles[1]);
    HAUPTDATEN.GrafikHandles[1] = nullptr;
    xlo = xhi = 0.0;
    EXPECT_EQ(g.GetPlotRange(&ylo, &yhi, &xlo, &xhi, &rlo, &rhi), 2);
    EXPECT_DOUBLE_EQ(yhi, 1.0);
}

// A model of constant functions: function j (type code j) is worth j.
double Stufen(double, double, double* xs, double* ys, int32_t n)
{
    double summe = 0.0;
    for (int32_t j = 0; j < FitFunctionCount; ++j)
        if (FitFunctionTypes[j] < 100) summe += FitFunctionTypes[j];
    if (xs && ys)
        for (int32_t i = 0; i < n; ++i) ys[i] = summe;
    return summe;
}

TEST_F(Zeichnen, SeparateFunctionsAreDrawnOneByOneAndTheChosenOneInGreen)
{
    grafik_fenster& g = Kurve(0, 0, 101, 0.0, 10.0, Rampe);
    int32_t typen[2] = {1, 2};
    g.FunktionsTypen = typen;
    g.AnzahlFunktionen = 2;
    g.ZeigeFunktion = 1;
    g.ZeigeDaten = 0;
    g.FunktionenGetrennt = 1;
    ASSERT_EQ(g.SetFullBorder(), 1);  // the function's x range without shown data
    g.Paintinfo.FuncColor = RGB(0, 0, 255);
    ModellCallback alt = HAUPTDATEN.ModellCallback;
    HAUPTDATEN.ModellCallback = Stufen;
    GrafikAnzeige.GewaehlteFunktion = 2;
    Canvas cv(W, H);
    g.PaintGrafik(cv.dc, 0, 0, W, H, 7, 16);
    GrafikAnzeige.GewaehlteFunktion = 0;
    HAUPTDATEN.ModellCallback = alt;
    // The whole model (3) in the function colour, function 1 in purple,
    // the chosen function 2 in green; every type code is switched on again.
    const struct { double y; COLORREF farbe; } linien[] = {
        {3.0, RGB(0, 0, 255)}, {1.0, RGB(128, 0, 128)}, {2.0, RGB(0, 255, 0)}};
    for (const auto& l : linien) {
        int px = 0, py = 0;
        ASSERT_TRUE(Plotter.GetScreen(5.0, l.y, px, py)) << l.y;
        EXPECT_TRUE(cv.Near(px, py, l.farbe, 2)) << l.y;
    }
    EXPECT_EQ(typen[0], 1);
    EXPECT_EQ(typen[1], 2);
}

TEST_F(Zeichnen, ExafsFitViewWithoutFourierWeightsShowsKSpaceWithNoFit)
{
    grafik_fenster& g = Kurve(0, 0, 101, 0.0, 10.0, Parabel, "Energie");
    std::vector<double> kGitter(5001), exp(200), theo(200), kDiff(200), differenz(101, 0.1);
    for (int i = 0; i < 200; ++i) {
        kGitter[i] = 2.0 + 0.05 * i;
        exp[i] = std::sin(2.0 * kGitter[i]);
        theo[i] = 0.9 * exp[i];
        kDiff[i] = exp[i] - theo[i];
    }
    kGitter[5000] = 200.0;
    const EXAFS_FIT_ANSICHT altAnsicht = ExafsFitAnsicht;
    ExafsFitAnsicht.Anzeige = 1;
    ExafsFitAnsicht.KGewicht[0] = ExafsFitAnsicht.KGewicht[1] = -1.0;
    ExafsFitAnsicht.FitKGewicht = 2;
    ExafsFitAnsicht.KGitter = kGitter.data();
    ExafsFitAnsicht.KExperiment = exp.data();
    ExafsFitAnsicht.KTheorie = theo.data();
    ExafsFitAnsicht.KDifferenz = kDiff.data();
    FitDifferenzen = differenz.data();
    HAUPTDATEN.FitZustand = 1;
    char xVorher[GRAFIK_TEXT];
    std::strcpy(xVorher, g.XText[0]);

    Metafile mf;
    g.PaintGrafik(mf.dc, 0, 0, W, H, 7, 16);
    const EmfContent c = mf.Finish();
    ExafsFitAnsicht = altAnsicht;

    bool noFit = false;
    for (const auto& t : c.texts)
        if (t.text.size() >= 9 && t.text.compare(t.text.size() - 9, 9, ", No Fit!") == 0) {
            noFit = true;
            EXPECT_LT(t.at.x, W / 2);
            EXPECT_LT(t.at.y, H * 3 / 4);
        }
    EXPECT_TRUE(noFit) << Alle(c);
    // The k-space panel on the left, the curve on the right, both differences below.
    bool kLinks = false;
    for (const auto& t : c.texts) kLinks |= t.text.rfind("k, (A", 0) == 0 && t.at.x < W / 2;
    EXPECT_TRUE(kLinks) << Alle(c);
    const auto energie = Texte(c, "Energie");
    ASSERT_FALSE(energie.empty()) << Alle(c);
    for (const auto& t : energie) EXPECT_GT(t.at.x, W / 2);
    const auto d = Texte(c, "Difference");
    ASSERT_EQ(d.size(), 2u) << Alle(c);
    EXPECT_NE(d[0].at.x < W / 2, d[1].at.x < W / 2);
    // The window's texts and borders are its own again.
    EXPECT_STREQ(g.XText[0], xVorher);
    EXPECT_DOUBLE_EQ(g.Grenzen[1], 0.0);
    EXPECT_DOUBLE_EQ(g.Grenzen[0], 10.0);
}

// Numbers among the metafile's upright texts.
bool IstZahl(const std::string& t, double* wert)
{
    char* ende = nullptr;
    const double v = std::strtod(t.c_str(), &ende);
    if (t.empty() || ende != t.c_str() + t.size()) return false;
    if (wert) *wert = v;
    return true;
}

RECT TextKasten(const plot_test::EmfText& t, HFONT font)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ alt = SelectObject(dc, font);
    SIZE s{0, 0};
    GetTextExtentPoint32A(dc, t.text.c_str(), static_cast<int>(t.text.size()), &s);
    SelectObject(dc, alt);
    DeleteDC(dc);
    return RECT{t.at.x, t.at.y, t.at.x + s.cx, t.at.y + s.cy};
}

double Kante(double e) { return 0.5 + std::atan((e - 8980.0) / 4.0) / 3.0; }

TEST_F(Zeichnen, DifferencePanelSharesTheXAxisOfThePlotAndKeepsItsTextsApart)
{
    // A Cu edge and a difference of a few 1e-3: the difference panel's
    // numbers are wider than the plot's; both panels still share one axis.
    grafik_fenster& g = Kurve(0, 0, 300, 8900.0, 9200.0, Kante, "Energie");
    std::snprintf(g.YText[0], GRAFIK_TEXT, "^m(E)*d");
    g.Paintinfo.PlotStyle = 1 | 2;  // circles widen the x range
    g.Paintinfo.PlotColor = RGB(255, 0, 0);
    std::vector<double> differenz(300);
    for (int i = 0; i < 300; ++i) differenz[i] = 0.0015 * std::sin(i * 0.2);
    FitDifferenzen = differenz.data();
    HAUPTDATEN.FitZustand = 1;

    Canvas cv(W, H);
    g.PaintGrafik(cv.dc, 0, 0, W, H, 7, 16);
    ASSERT_TRUE(cv.WritePng("grafik_difference_panel.png"));
    // The difference curve in green, inside the lower quarter.
    int gruen = 0;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (cv.Pixel(x, y) == RGB(0, 128, 0)) {
                ++gruen;
                EXPECT_GT(y, H * 3 / 4);
            }
    EXPECT_GT(gruen, 200);

    Metafile mf;
    g.PaintGrafik(mf.dc, 0, 0, W, H, 7, 16);
    const EmfContent c = mf.Finish();
    const HFONT skala = HAUPTDATEN.Schriften[SCHRIFT_SKALA];
    // The same energy has the same column in both panels.
    int gemeinsam = 0;
    for (const auto& a : c.texts)
        for (const auto& b : c.texts) {
            double e = 0.0;
            if (&a == &b || a.text != b.text || !IstZahl(a.text, &e) || e < 8900.0) continue;
            if (a.at.y < H * 3 / 4 && b.at.y > H * 3 / 4) {
                EXPECT_EQ(a.at.x, b.at.x) << a.text << Alle(c);
                ++gemeinsam;
            }
        }
    EXPECT_GE(gemeinsam, 2) << Alle(c);
    // The panel's numbers keep apart, its description lies inside.
    std::vector<RECT> zahlen;
    for (const auto& t : c.texts)
        if (t.angle == 0 && t.at.y > H * 3 / 4 && IstZahl(t.text, nullptr)) zahlen.push_back(TextKasten(t, skala));
    ASSERT_GE(zahlen.size(), 4u) << Alle(c);
    for (size_t i = 0; i < zahlen.size(); ++i)
        for (size_t j = i + 1; j < zahlen.size(); ++j) {
            const RECT& a = zahlen[i];
            const RECT& b = zahlen[j];
            EXPECT_FALSE(a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom)
                << i << " " << j << Alle(c);
        }
    const auto x = Texte(c, "Energie");
    ASSERT_EQ(x.size(), 2u) << Alle(c);
    const RECT unten = TextKasten(x[1].at.y > x[0].at.y ? x[1] : x[0], HAUPTDATEN.Schriften[SCHRIFT_ACHSE]);
    EXPECT_LE(unten.bottom, H - 1);
}

TEST_F(Zeichnen, ExafsPanelDrawsTheFitArraysAsRealCurves)
{
    // The slot holds a complex curve; the k-space arrays of the fit are
    // plain: nothing behind their 200 values may reach the picture.
    grafik_fenster& g = Kurve(0, 0, 101, 0.0, 10.0, Parabel, "Energie");
    g.KurvenFlags[0] |= SLOT_KOMPLEX;
    std::vector<double> kGitter(5001), exp(600, 1e6), theo(600, 1e6), kDiff(600, 1e6),
        differenz(101, 0.1);
    for (int i = 0; i < 200; ++i) {
        kGitter[i] = 2.0 + 0.05 * i;
        exp[i] = std::sin(2.0 * kGitter[i]);
        theo[i] = 0.9 * exp[i];
        kDiff[i] = exp[i] - theo[i];
    }
    kGitter[5000] = 200.0;
    const EXAFS_FIT_ANSICHT altAnsicht = ExafsFitAnsicht;
    ExafsFitAnsicht.Anzeige = 1;
    ExafsFitAnsicht.KGewicht[0] = ExafsFitAnsicht.KGewicht[1] = -1.0;
    ExafsFitAnsicht.FitKGewicht = 2;
    ExafsFitAnsicht.KGitter = kGitter.data();
    ExafsFitAnsicht.KExperiment = exp.data();
    ExafsFitAnsicht.KTheorie = theo.data();
    ExafsFitAnsicht.KDifferenz = kDiff.data();
    FitDifferenzen = differenz.data();
    HAUPTDATEN.FitZustand = 1;
    Metafile mf;
    g.PaintGrafik(mf.dc, 0, 0, W, H, 7, 16);
    const EmfContent c = mf.Finish();
    Canvas cv(W, H);
    g.PaintGrafik(cv.dc, 0, 0, W, H, 7, 16);
    ExafsFitAnsicht = altAnsicht;
    ASSERT_TRUE(cv.WritePng("grafik_exafs_fit_view.png"));
    int links = 0;
    for (const auto& t : c.texts) {
        double v = 0.0;
        if (t.at.x >= W / 2 || t.at.y > H * 3 / 4 || !IstZahl(t.text, &v)) continue;
        ++links;
        EXPECT_LT(std::fabs(v), 20.0) << t.text << Alle(c);
    }
    EXPECT_GE(links, 4) << Alle(c);
}

TEST_F(Zeichnen, MultiplotStylesStayOnRepaintsAndFollowTheListPosition)
{
    // Two curves of a combined plot and a multiplot list of three: the
    // second curve has circles (entry 2) on every paint, also when the
    // first curve's window is closed.
    Kurve(0, 0, 41, 0.0, 10.0, Rampe);
    Kurve(1, 2, 41, 0.0, 10.0, Parabel);
    Offen(0);
    Offen(1);
    grafik_fenster& g = GrafikFenster[0];
    g.Kombinieren = 1;
    g.KombiAnzahl = 2;
    g.KombiListe[0] = 0;
    g.KombiListe[1] = 12;
    g.BereichNeu = 1;
    g.MultiplotAktiv = 1;
    g.MultiplotAnzahl = 3;
    g.MultiplotListe[0] = 1 | (10 << 16);
    g.MultiplotListe[1] = 1 | 2 | (10 << 16);
    g.MultiplotListe[2] = 8 | (20 << 16);
    std::vector<uint32_t> erstes;
    for (int paint = 0; paint < 3; ++paint) {
        Canvas cv(W, H);
        g.PaintGrafik(cv.dc, 0, 0, W, H, 7, 16);
        if (paint == 0) erstes = cv.Snapshot();
        else EXPECT_TRUE(cv.Snapshot() == erstes) << paint;
        Metafile mf;
        g.PaintGrafik(mf.dc, 0, 0, W, H, 7, 16);
        EXPECT_EQ(mf.Finish().ellipses.size(), 41u) << paint;
    }
    DestroyWindow(HAUPTDATEN.GrafikHandles[0]);
    HAUPTDATEN.GrafikHandles[0] = nullptr;
    g.BereichNeu = 1;
    Metafile mf;
    g.PaintGrafik(mf.dc, 0, 0, W, H, 7, 16);
    EXPECT_EQ(mf.Finish().ellipses.size(), 41u);
}

}  // namespace
