// The curve tools of the Numeric menu in-process, as the macro player runs
// them (lParam 2): the new slot against closed forms, the history lines
// byte for byte, refusals that change nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/spectra/data_commands_fixture.h"
#include "fit/fit_model.h"
#include "fit/numeric_tools_dialogs_win.h"
#include "resource_ids.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "shell/results_window.h"
#include "shell/shell_globals.h"

namespace {

const double PI = 3.14159265358979323846;

}  // namespace

class NumerikWerkzeuge : public EditFixture {
protected:
    // Window 0's slot 0: n points of f on a ... b.
    void Gitter(int n, double a, double b, double (*f)(double))
    {
        grafik_fenster& g = GrafikFenster[0];
        for (int i = 0; i < n; ++i) {
            const double x = a + (b - a) * i / (n - 1);
            g.GetXFeld(0)[i] = x;
            g.GetYFeld(0)[i] = f(x);
        }
        for (int s = 0; s < 4; ++s) {
            g.DateiInfo.PunkteProKurve[s] = s == 0 ? n : 0;
            g.KurvenFlags[s] = 0;
        }
        g.KurvenZaehler = 0;
        g.NeuesterZaehler = 0;
        g.SetFullBorder();
    }
    std::string Zeile() const { return CommandText ? CommandText : ""; }
    // Window 0's model: one Gaussian of height h at c with fwhm w.
    void Gauss(double h, double c, double w)
    {
        grafik_fenster& g = GrafikFenster[0];
        HAUPTDATEN.ModellCallback = ModellFunktion;
        g.AnzahlFunktionen = 1;
        g.FunktionsTypen[0] = 1;
        g.Parameter[0] = h;
        g.Parameter[1] = c;
        g.Parameter[2] = w;
    }
    // Window 0's model: one polynomial 1 + 2x + 3x^2, derivative 2 + 6x.
    void Parabel()
    {
        grafik_fenster& g = GrafikFenster[0];
        HAUPTDATEN.ModellCallback = ModellFunktion;
        g.AnzahlFunktionen = 1;
        g.FunktionsTypen[0] = 7;
        g.PolyGrad = 2;
        g.Parameter[0] = 1;
        g.Parameter[1] = 2;
        g.Parameter[2] = 3;
    }

    // A tool from the menu with the dialog steps against the same tool with
    // prepared values, both on 100 points of f over 0 ... 2 pi: the same
    // slot and history line, or (no prepared values) nothing changed.
    struct MenueFall {
        int32_t id;
        std::vector<DialogSchritt> schritte;
        std::vector<double> vorbereitet;  // empty: nothing may change
        int32_t fehler;
    };
    void WieVorbereitet(const MenueFall& f, double (*kurve)(double))
    {
        grafik_fenster& g = GrafikFenster[0];
        std::vector<double> erwartet;
        std::string zeile;
        if (!f.vorbereitet.empty()) {
            Gitter(100, 0.0, 2 * PI, kurve);
            Prepared(f.id, f.vorbereitet);
            ASSERT_EQ(g.AktuellerSlot(), 1) << f.id;
            erwartet = Y(0, 1);
            zeile = Zeile();
        }
        Gitter(100, 0.0, 2 * PI, kurve);
        for (int i = 0; i < 14; ++i) HAUPTDATEN.DialogWerte[i] = 0;
        if (CommandText) CommandText[0] = 0;
        FehlerCode = 0;
        const int id = f.id;
        EXPECT_TRUE(MitDialogen(f.schritte, [id] { HAUPTDATEN.Befehl(id, 0); })) << f.id;
        EXPECT_EQ(FehlerCode, f.fehler) << f.id;
        if (!f.vorbereitet.empty()) {
            ASSERT_EQ(g.AktuellerSlot(), 1) << f.id;
            EXPECT_EQ(Y(0, 1), erwartet) << f.id;
            EXPECT_EQ(Zeile(), zeile) << f.id;
        } else {
            EXPECT_EQ(g.AktuellerSlot(), 0) << f.id;
            EXPECT_EQ(Zeile(), "") << f.id;
        }
        FehlerCode = 0;
    }
};

TEST_F(NumerikWerkzeuge, PreparedToolsWriteTheNextSlotAndTheirHistoryLine)
{
    // Spline: 100 points of sin on 0 ... 2 pi respaced to 1,000.
    Gitter(100, 0.0, 2 * PI, [](double x) { return std::sin(x); });
    Prepared(503, {1000});
    grafik_fenster& g = GrafikFenster[0];
    ASSERT_EQ(g.AktuellerSlot(), 1);
    std::vector<double> x = X(0, 1), y = Y(0, 1);
    ASSERT_EQ(x.size(), 1000u);
    EXPECT_DOUBLE_EQ(x.back(), 2 * PI);
    for (int i = 100; i < 900; ++i) EXPECT_NEAR(y[i], std::sin(x[i]), 1e-6) << i;
    EXPECT_EQ(Zeile(), "--: kurve.dat --SPLINE-INTERPOLATION   - points : 1000  - ( active : 2 )\r\n");
    EXPECT_NE(Historie().find(Zeile()), std::string::npos);

    // First derivative of the respaced sine, on its own spacing.
    Prepared(505, {2 + 4, 2 * PI / 999});
    ASSERT_EQ(g.AktuellerSlot(), 2);
    x = X(0, 2);
    y = Y(0, 2);
    ASSERT_EQ(x.size(), 1000u);
    for (int i = 100; i < 900; ++i) EXPECT_NEAR(y[i], std::cos(x[i]), 1e-4) << i;
    EXPECT_EQ(Zeile(), "--: kurve.dat --DIFFERENTIATION - of data array 1. derivative    (active : 3 )\r\n");

    // Fourier smoothing keeps the cosine.
    Prepared(501, {10});
    ASSERT_EQ(g.AktuellerSlot(), 3);
    EXPECT_EQ(Zeile(), "--: kurve.dat --SMOOTHING (Fourier)  Interval : 10  - ( active : 4 )\r\n");
    y = Y(0, 3);
    for (int i = 200; i < 800; ++i) EXPECT_NEAR(y[i], std::cos(x[i]), 2e-3) << i;

    // Polynomial interpolation of a cubic from 7 points to 50.
    Gitter(7, 0.0, 6.0, [](double x) { return 0.5 * x * x * x - 2 * x * x + x - 3; });
    Prepared(509, {50});
    x = X(0, 1);
    y = Y(0, 1);
    ASSERT_EQ(x.size(), 50u);
    for (int i = 0; i < 50; ++i) EXPECT_NEAR(y[i], 0.5 * x[i] * x[i] * x[i] - 2 * x[i] * x[i] + x[i] - 3, 1e-9);
    EXPECT_EQ(Zeile(), "--: kurve.dat --POLYNOM-INTERPOLATION   - points : 50  - ( active : 2 )\r\n");
}

TEST_F(NumerikWerkzeuge, DerivativeOfTheModelTakesItsCountFromTheValues)
{
    Gitter(101, 0.0, 10.0, [](double x) { return x; });
    Parabel();
    Prepared(505, {1 + 2 + 4, 0.001, 40});
    std::vector<double> x = X(0, 1), y = Y(0, 1);
    ASSERT_EQ(x.size(), 41u);
    for (size_t i = 0; i < x.size(); ++i) EXPECT_NEAR(y[i], 2 + 6 * x[i], 1e-6) << i;
    EXPECT_EQ(Zeile(), "--: kurve.dat --DIFFERENTIATION -  1. derivative of function - points : 41  -   (active : 2 )\r\n");
}

TEST_F(NumerikWerkzeuge, RefusalsAndCancelChangeNothing)
{
    Gitter(100, 0.0, 2 * PI, [](double x) { return std::sin(x); });
    grafik_fenster& g = GrafikFenster[0];
    const struct { int32_t id; std::vector<double> dw; int32_t fehler; } faelle[] = {
        {503, {1}, 108},   // one point: the step would be range / 0
        {503, {0}, 108},
        {501, {0}, 0},     // end code 0: Cancel
        {505, {0, 0.1}, 0},
        {505, {2 + 4, -0.1}, 0},
        {509, {0}, 0},
        {510, {5, 100, 0}, 108},   // fewer than 6 points
        {510, {100, 0, 0}, 108},   // no weight
        {511, {50, 97}, 108},      // degree above n - 4
        {511, {1, 3}, 108},
        {508, {2, 2, 95}, 0},      // interval + 10 not below n: nothing
        {513, {100, 1, 1.5}, 108},  // weight above 100 %
        {513, {100, 0, 0.5}, 108},  // no polynomial
        {513, {1, 1, 0.5}, 108},
    };
    for (const auto& f : faelle) {
        FehlerCode = 0;
        if (CommandText) CommandText[0] = 0;
        Prepared(f.id, f.dw);
        EXPECT_EQ(g.AktuellerSlot(), 0) << f.id;
        EXPECT_EQ(FehlerCode, f.fehler) << f.id;
        EXPECT_EQ(Zeile(), "") << f.id;
    }
    FehlerCode = 0;
}

TEST_F(NumerikWerkzeuge, RegressionMakesTheModelTheLine)
{
    Gitter(6, 0.0, 5.0, [](double x) { return 2.5 * x - 1.0 + ((int(x + 0.5) % 2) ? 0.1 : -0.1); });
    grafik_fenster& g = GrafikFenster[0];
    HAUPTDATEN.Befehl(515, LP_PREPARED);
    EXPECT_EQ(g.AktuellerSlot(), 0);
    EXPECT_EQ(g.AnzahlFunktionen, 1);
    EXPECT_EQ(g.FunktionsTypen[0], 7);
    EXPECT_EQ(g.PolyGrad, 1);
    // The closed form of the least-squares line.
    const std::vector<double> x = X(0, 0), y = Y(0, 0);
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (size_t i = 0; i < x.size(); ++i) {
        sx += x[i]; sy += y[i]; sxx += x[i] * x[i]; sxy += x[i] * y[i];
    }
    const double n = 6, b = (n * sxy - sx * sy) / (n * sxx - sx * sx);
    EXPECT_NEAR(g.Parameter[1], b, 1e-12);
    EXPECT_NEAR(g.Parameter[0], (sy - b * sx) / n, 1e-12);
    EXPECT_EQ(Zeile().substr(0, 60), "--: kurve.dat --LINEAR REGRESSION - ( active : 1 )\r\n      - ");
}

TEST_F(NumerikWerkzeuge, MinMaxOfACosineWithOrdinatesAndHighestOnly)
{
    Gitter(2001, -PI, 3 * PI, [](double x) { return std::cos(x); });
    Prepared(517, {-1, 1, -1, 3, -1});
    ASSERT_NE(CommandArgs, nullptr);
    EXPECT_NEAR(CommandArgs[0], 0.0, 1e-4);
    EXPECT_NEAR(CommandArgs[1], 1.0, 1e-4);
    EXPECT_NEAR(CommandArgs[2], PI, 1e-4);
    EXPECT_NEAR(CommandArgs[3], -1.0, 1e-4);
    EXPECT_NEAR(CommandArgs[4], 2 * PI, 1e-4);
    const std::string z = Zeile();
    EXPECT_EQ(z.substr(0, z.find("\r\n") + 2), "--: kurve.dat --MIN-MAX SEARCH  :  -   (active : 1 )\r\n");
    EXPECT_NE(z.find("      2. Max/Min\t    X =  3.14159"), std::string::npos);
    EXPECT_NE(z.find("      3. Max/Min"), std::string::npos);
    Prepared(517, {1, 1, -1, 3, 1});
    const std::string h = Zeile();
    EXPECT_NE(h.find("      1. Max/Min"), std::string::npos);
    EXPECT_EQ(h.find("      2. Max/Min"), std::string::npos);
    EXPECT_EQ(GrafikFenster[0].AktuellerSlot(), 0);
}

TEST_F(NumerikWerkzeuge, SmoothingAndSplineFamilyKeepAQuadratic)
{
    auto quadrat = [](double x) { return 0.3 * x * x - x + 2.0; };
    Gitter(101, 0.0, 10.0, quadrat);
    // Golay-Savitzky, degree class 2, interval 7, two passes.
    Prepared(508, {2, 2, 7});
    std::vector<double> x = X(0, 1), y = Y(0, 1);
    ASSERT_GT(x.size(), 70u);
    ASSERT_LT(x.size(), 101u);
    for (size_t i = 0; i < x.size(); ++i) EXPECT_NEAR(y[i], quadrat(x[i]), 1e-9) << i;
    EXPECT_EQ(Zeile(), "--: kurve.dat --GOLAY-SAVITZKY-SMOOTH   - points : 7  - iterations : 2  degree of "
                       "polynom : 4  - (active : 2 )\r\n");

    // Level-off spline, "interpolate": within 1e-4 of the curve.
    Gitter(101, 0.0, 10.0, quadrat);
    Prepared(510, {101, 1000.0 * 100, 0});
    x = X(0, 1);
    y = Y(0, 1);
    ASSERT_EQ(x.size(), 101u);
    for (size_t i = 0; i < x.size(); ++i) EXPECT_NEAR(y[i], quadrat(x[i]), 1e-4) << i;
    EXPECT_EQ(Zeile(), "--: kurve.dat --LEVEL-OUTSPLINE  - points : 101  - weight : 100000  - ( active : 2 )\r\n");

    // B-spline of a straight line stays on it.
    Gitter(20, 0.0, 19.0, [](double x) { return 2.0 * x + 1.0; });
    Prepared(511, {40, 3});
    x = X(0, 1);
    y = Y(0, 1);
    ASSERT_EQ(x.size(), 40u);
    for (size_t i = 0; i < x.size(); ++i) EXPECT_NEAR(y[i], 2.0 * x[i] + 1.0, 1e-9) << i;
    EXPECT_EQ(Zeile(), "--: kurve.dat -- BSPLINE  - points : 40  - degree of polynom : 3  - ( active : 2 )\r\n");
}

TEST_F(NumerikWerkzeuge, IntegralOfAGaussianModelAndOfEachFunction)
{
    Gitter(101, -20.0, 30.0, [](double x) { return x; });
    grafik_fenster& g = GrafikFenster[0];
    Gauss(3.0, 5.0, 1.5);
    Prepared(504, {1, -20, 30});
    // The evaluator's 4 ln 2 is 2.772589.
    const double flaeche = 3.0 * 1.5 * std::sqrt(PI / 2.772589);
    EXPECT_NEAR(CommandArgs[0], flaeche, 1e-8);
    EXPECT_EQ(g.AktuellerSlot(), 0);
    std::string z = Zeile();
    EXPECT_EQ(z.substr(0, z.find("\r\n") + 2), "--INTEGRATION of function from -20  to 30  - ( active : 1 )\r\n");
    // Three functions: the whole model and each alone.
    g.AnzahlFunktionen = 3;
    g.FunktionsTypen[1] = 1;
    g.FunktionsTypen[2] = 1;
    const double p[9] = {3.0, 5.0, 1.5, 1.0, -3.0, 2.0, 0.5, 12.0, 4.0};
    for (int i = 0; i < 9; ++i) g.Parameter[i] = p[i];
    for (int i = 0; i < 4; ++i) CommandArgs[i] = -1.0;
    Prepared(504, {1, -20, 30});
    for (int f = 0; f < 3; ++f)
        EXPECT_NEAR(CommandArgs[f + 1], p[3 * f] * p[3 * f + 2] * std::sqrt(PI / 2.772589), 1e-8) << f;
    EXPECT_NEAR(CommandArgs[0], CommandArgs[1] + CommandArgs[2] + CommandArgs[3], 1e-8);
    EXPECT_EQ(g.FunktionsTypen[0], 1);  // every function on again
    EXPECT_EQ(g.FunktionsTypen[2], 1);
    z = Zeile();
    size_t zeilen = 0;
    for (size_t p0 = z.find(" Gaussian "); p0 != std::string::npos; p0 = z.find(" Gaussian ", p0 + 1)) ++zeilen;
    EXPECT_EQ(zeilen, 3u);
}

TEST_F(NumerikWerkzeuge, RootsOfACubicInTheResults)
{
    Gitter(401, 0.0, 4.0, [](double x) { return (x - 1) * (x - 2) * (x - 3); });
    Prepared(502, {8, 0.01, 1e-10, 0.503, 3.5, 1});
    EXPECT_NEAR(CommandArgs[0], 1.0, 1e-7);
    EXPECT_NEAR(CommandArgs[1], 2.0, 1e-7);
    EXPECT_NEAR(CommandArgs[2], 3.0, 1e-7);
    const std::string z = Zeile();
    EXPECT_EQ(z.substr(0, z.find("\r\n") + 2), "--ROOTS of data array  from  0.503  to 3.5  - ( active : 1 )\r\n");
    EXPECT_NE(z.find("  3. root    x(3) =  3"), std::string::npos) << z;
    // One root of the model, to 1e-9.
    HAUPTDATEN.ModellCallback = ModellFunktion;
    grafik_fenster& g = GrafikFenster[0];
    g.AnzahlFunktionen = 1;
    g.FunktionsTypen[0] = 7;
    g.PolyGrad = 3;
    const double c[4] = {-6, 11, -6, 1};
    for (int i = 0; i < 4; ++i) g.Parameter[i] = c[i];
    Prepared(502, {1 + 4, 0.01, 1e-12, 1.5, 2.5, -1});
    EXPECT_NEAR(CommandArgs[0], 2.0, 1e-9);
    EXPECT_NE(Zeile().find("  root    x =  2"), std::string::npos) << Zeile();
}

TEST_F(NumerikWerkzeuge, ConvolutionWithTheWindowsModelAsResponse)
{
    Gitter(401, -20.0, 20.0, [](double x) { return std::exp(-2.772588722 * (x / 2.0) * (x / 2.0)); });
    grafik_fenster& g = GrafikFenster[0];
    Gauss(1.0, 0.0, 3.0);
    Prepared(514, {0});
    ASSERT_EQ(g.AktuellerSlot(), 1);
    const std::vector<double> x = X(0, 1), y = Y(0, 1);
    size_t top = 0;
    for (size_t i = 1; i < y.size(); ++i)
        if (y[i] > y[top]) top = i;
    EXPECT_NEAR(x[top], 0.0, 0.1);  // within one step
    size_t l = top, r = top;
    while (y[l] > y[top] / 2) --l;
    while (y[r] > y[top] / 2) ++r;
    const double h = y[top] / 2;
    const double breite = (x[r - 1] + (h - y[r - 1]) / (y[r] - y[r - 1]) * 0.1) - (x[l] + (h - y[l]) / (y[l + 1] - y[l]) * 0.1);
    EXPECT_NEAR(breite, std::sqrt(13.0), 0.01 * std::sqrt(13.0));
    EXPECT_EQ(Zeile(), "--: kurve.dat --CONVOLUTION  : 0 -   (active : 2 )\r\n");
}

TEST_F(NumerikWerkzeuge, LevelOffPolynomialsKeepAQuadratic)
{
    auto quadrat = [](double x) { return 0.3 * x * x - x + 2.0; };
    Gitter(101, 0.0, 10.0, quadrat);
    grafik_fenster& g = GrafikFenster[0];
    g.Parameter[0] = 2;
    g.Parameter[1] = 3;
    Prepared(513, {60, 2, 0.5});
    const std::vector<double> x = X(0, 1), y = Y(0, 1);
    ASSERT_EQ(x.size(), 60u);
    for (size_t i = 0; i < x.size(); ++i) EXPECT_NEAR(y[i], quadrat(x[i]), 1e-8) << i;
    EXPECT_EQ(Zeile(), "--: kurve.dat --LEVEL-OUT POLYNOME  - points : 60  - number : 2 - degree : 2 / 3 - "
                       "weigth : 0.5 -   (active : 2 )\r\n");
    // A negative degree is refused.
    Gitter(101, 0.0, 10.0, quadrat);
    g.Parameter[1] = -1;
    FehlerCode = 0;
    Prepared(513, {60, 2, 0.5});
    EXPECT_EQ(FehlerCode, 108);
    EXPECT_EQ(g.AktuellerSlot(), 0);
    FehlerCode = 0;
}

// From the menu each tool asks for its values: OK runs the same path as the
// prepared values; Cancel, an end code of 0 and refused values (message
// 108) change and record nothing.
TEST_F(NumerikWerkzeuge, MenuDialogsRunTheToolOrChangeNothing)
{
    auto welle = [](double x) { return std::cos(x) + 0.2 * std::cos(49.5 * x); };
    grafik_fenster& g = GrafikFenster[0];
    const MenueFall faelle[] = {
        {501, {SetzeText(IDC_FSMOOTH_INTERVAL, "10"), Druecke(IDOK)}, {10}, 0},
        {501, {SetzeText(IDC_FSMOOTH_INTERVAL, "10"), Druecke(IDCANCEL)}, {}, 0},
        {501, {SetzeText(IDC_FSMOOTH_INTERVAL, "0"), Druecke(IDOK)}, {}, 0},
        {503, {SetzeText(IDC_NT_NEUE_PUNKTE, "1000"), Druecke(IDCANCEL)}, {}, 0},
        {503, {SetzeText(IDC_NT_NEUE_PUNKTE, "1"), Druecke(IDOK)}, {}, 108},  // the step would be range / 0
        {509, {SetzeText(IDC_NT_NEUE_PUNKTE, "0"), Druecke(IDOK)}, {}, 108},
        // Golay-Savitzky: the defaults are degree class 3, interval 5, two runs.
        {508, {Druecke(IDOK)}, {2, 3, 5}, 0},
        {508, {Waehle(IDC_GOLAY_GRAD01), SetzeText(IDC_GOLAY_INTERVALL, "-7"),
               SetzeText(IDC_GOLAY_DURCHLAEUFE, "3"), Druecke(IDOK)}, {3, 1, 7}, 0},
        {508, {Druecke(IDCANCEL)}, {}, 0},
        // B-spline: the new number defaults to the curve's, the degree to 3.
        {511, {SetzeText(IDC_NT_NEUE_PUNKTE, "50"), Druecke(IDOK)}, {50, 3}, 0},
        {511, {SetzeText(IDC_BSPLINE_GRAD, "97"), Druecke(IDOK)}, {}, 108},  // above n - 4
        {511, {SetzeText(IDC_BSPLINE_GRAD, "1"), Druecke(IDOK)}, {}, 108},
    };
    for (const MenueFall& f : faelle) WieVorbereitet(f, welle);

    // The spline and the polynomial interpolation take the new number of
    // points typed in; the dialog first shows the curve's own count.
    const struct { int32_t id; const char* text; size_t punkte; double fehler; } neu[] = {
        {503, "1000", 1000u, 1e-6},
        {509, "50", 50u, 1e-4},
    };
    for (const auto& f : neu) {
        Gitter(f.id == 503 ? 100 : 9, 0.0, PI, [](double x) { return std::sin(x); });
        const int id = f.id;
        std::string gezeigt;
        EXPECT_TRUE(MitDialogen({[&gezeigt](HWND dlg) {
                                     char t[32] = "";
                                     GetDlgItemTextA(dlg, IDC_NT_PUNKTE, t, sizeof t);
                                     gezeigt = t;
                                 },
                                 SetzeText(IDC_NT_NEUE_PUNKTE, f.text), Druecke(IDOK)},
                                [id] { HAUPTDATEN.Befehl(id, 0); }))
            << f.id;
        EXPECT_EQ(gezeigt, f.id == 503 ? "100" : "9");
        ASSERT_EQ(g.AktuellerSlot(), 1) << f.id;
        const std::vector<double> x = X(0, 1), y = Y(0, 1);
        ASSERT_EQ(x.size(), f.punkte) << f.id;
        for (size_t i = 0; i < x.size(); ++i) {
            // the spline's free ends are left out
            if (f.id == 503 && (i < 50 || i > 950)) continue;
            EXPECT_NEAR(y[i], std::sin(x[i]), f.fehler) << f.id << " " << i;
        }
    }
}

// The dialogs of the level-off spline, the level-off polynomials and the
// derivative from the menu: OK runs what the prepared values run; refused
// values (message 108), Cancel and an unusable smoothing interval change
// and record nothing.
TEST_F(NumerikWerkzeuge, LevelOffAndDerivativeDialogsRunTheTool)
{
    auto welle = [](double x) { return std::cos(x) + 0.2 * std::cos(49.5 * x); };
    grafik_fenster& g = GrafikFenster[0];
    // The smallest spacing of the grid, as the dialog finds it.
    Gitter(100, 0.0, 2 * PI, welle);
    double h = 1e30;
    const std::vector<double> gitter = X(0, 0);
    for (size_t i = 1; i < gitter.size(); ++i) h = std::min(h, gitter[i] - gitter[i - 1]);
    const MenueFall faelle[] = {
        // Level-off spline: "interpolate" is the weight 1000, written * 100.
        {510, {SetzeText(IDC_NT_NEUE_PUNKTE, "50"), Waehle(IDC_ASPLINE_INTERPOLIEREN), Druecke(IDOK)},
         {50, 100000, 0}, 0},
        // The default weight (slight, 1) and the first derivative.
        {510, {SetzeText(IDC_NT_NEUE_PUNKTE, "120"), Waehle(IDC_ASPLINE_SPLINE + 1), Druecke(IDOK)},
         {120, 100, 1}, 0},
        {510, {Waehle(IDC_ASPLINE_STARK), Druecke(IDOK)}, {100, 1, 0}, 0},
        {510, {SetzeText(IDC_NT_NEUE_PUNKTE, "5"), Druecke(IDOK)}, {}, 108},
        {510, {Waehle(IDC_ASPLINE_ANDERE), SetzeText(IDC_ASPLINE_GEWICHT, "0"), Druecke(IDOK)}, {}, 108},
        {510, {Druecke(IDCANCEL)}, {}, 0},
        // Derivative of the data: the step is the curve's own spacing.
        {505, {Druecke(IDOK)}, {2 + 4, h}, 0},
        {505, {Waehle(IDC_DIFF_ZWEITE), Druecke(IDOK)}, {2, h}, 0},
        {505, {Druecke(IDCANCEL)}, {}, 0},
        // Level-off polynomials: refused values.
        {513, {SetzeText(IDC_APOLY_GRADE, "-1"), Druecke(IDOK)}, {}, 108},
        {513, {SetzeText(IDC_APOLY_GEWICHT, "150"), Druecke(IDOK)}, {}, 108},
        {513, {SetzeText(IDC_APOLY_ANZAHL, "0"), Druecke(IDOK)}, {}, 108},
        {513, {SetzeText(IDC_NT_NEUE_PUNKTE, "1"), Druecke(IDOK)}, {}, 108},
        {513, {SetzeText(IDC_APOLY_ANZAHL, "97"), Druecke(IDOK)}, {}, 108},  // above n - 4
        {513, {Druecke(IDCANCEL)}, {}, 0},
    };
    for (const MenueFall& f : faelle) WieVorbereitet(f, welle);

    // The level-off polynomials take their degrees line by line into the
    // parameter block: two quadratics keep a quadratic.
    auto quadrat = [](double x) { return 0.3 * x * x - x + 2.0; };
    Gitter(101, 0.0, 10.0, quadrat);
    g.Parameter[0] = g.Parameter[1] = 7;
    EXPECT_TRUE(MitDialogen({SetzeText(IDC_NT_NEUE_PUNKTE, "60"), SetzeText(IDC_APOLY_ANZAHL, "2"),
                             SetzeText(IDC_APOLY_GEWICHT, "50"), SetzeText(IDC_APOLY_GRADE, "2\r\n 3\r\n"),
                             Druecke(IDOK)},
                            [] { HAUPTDATEN.Befehl(513, 0); }));
    EXPECT_EQ(g.Parameter[0], 2.0);
    EXPECT_EQ(g.Parameter[1], 3.0);
    ASSERT_EQ(g.AktuellerSlot(), 1);
    const std::vector<double> x = X(0, 1), y = Y(0, 1);
    ASSERT_EQ(x.size(), 60u);
    for (size_t i = 0; i < x.size(); ++i) EXPECT_NEAR(y[i], quadrat(x[i]), 1e-8) << i;
    EXPECT_EQ(Zeile(), "--: kurve.dat --LEVEL-OUT POLYNOME  - points : 60  - number : 2 - degree : 2 / 3 - "
                       "weigth : 0.5 -   (active : 2 )\r\n");

    // The derivative of the model: the number of points comes from the
    // dialog, whatever an earlier command left in DialogWerte[2].
    Gitter(101, 0.0, 10.0, [](double x) { return x; });
    Parabel();
    g.ZeigeFunktion = 1;
    HAUPTDATEN.DialogWerte[2] = 9999;
    std::string schritt, punkte;
    EXPECT_TRUE(MitDialogen({Waehle(IDC_NT_FUNKTION),
                             [&](HWND d) {
                                 char t[32] = "";
                                 GetDlgItemTextA(d, IDC_DIFF_SCHRITT, t, sizeof t);
                                 schritt = t;
                                 GetDlgItemTextA(d, IDC_DIFF_PUNKTE, t, sizeof t);
                                 punkte = t;
                             },
                             SetzeText(IDC_DIFF_PUNKTE, "40"), Druecke(IDOK)},
                            [] { HAUPTDATEN.Befehl(505, 0); }));
    EXPECT_EQ(schritt, "0.001");
    EXPECT_EQ(punkte, "101");
    const std::vector<double> xa = X(0, 1), ya = Y(0, 1);
    ASSERT_EQ(xa.size(), 41u);
    for (size_t i = 0; i < xa.size(); ++i) EXPECT_NEAR(ya[i], 2 + 6 * xa[i], 1e-6) << i;
}

// Roots, integral and extrema from their dialogs write the same results as
// the prepared values; the dialogs start from the section and from what the
// window shows.
TEST_F(NumerikWerkzeuge, RootIntegralAndExtremaDialogsReportAsPrepared)
{
    grafik_fenster& g = GrafikFenster[0];
    auto kubik = [](double x) { return (x - 1) * (x - 2) * (x - 3); };
    const struct {
        int32_t id;
        std::vector<DialogSchritt> schritte;
        std::vector<double> vorbereitet;
    } faelle[] = {
        // All roots of the data between the section borders.
        {502, {Druecke(IDOK)}, {8, 0.01, 1e-10, 0.0, 4.0, -1}},
        {502, {Waehle(IDC_NULL_ERSTE), Waehle(IDC_NULL_SPLINE), SetzeText(IDC_NT_VON, "1.5"),
               SetzeText(IDC_NT_BIS, "2.5"), Druecke(IDOK)},
         {4, 0.01, 1e-10, 1.5, 2.5, 1}},
        {504, {SetzeText(IDC_NT_VON, "0.5"), Druecke(IDOK)}, {2, 0.5, 4.0}},
        // Extrema: none chosen means maxima; ordinates are saved at first.
        {517, {Druecke(IDOK)}, {1, 1, -1, 3, -1}},
        {517, {Waehle(IDC_MINMAX_BEIDE), Waehle(IDC_MINMAX_GLAETTEN), SetzeText(IDC_MINMAX_INTERVALL, "20"),
               Druecke(IDOK)},
         {-1, 1, 1, 20, -1}},
        // "Highest/lowest only" selects the minima and keeps the ordinates.
        {517, {Waehle(IDC_MINMAX_EXTREMSTES), Druecke(IDOK)}, {0, 1, -1, 3, 1}},
    };
    for (const auto& f : faelle) {
        Gitter(401, 0.0, 4.0, kubik);
        Prepared(f.id, f.vorbereitet);
        const std::string erwartet = Zeile();
        ASSERT_NE(erwartet, "") << f.id;
        Gitter(401, 0.0, 4.0, kubik);
        if (CommandText) CommandText[0] = 0;
        const int id = f.id;
        EXPECT_TRUE(MitDialogen(f.schritte, [id] { HAUPTDATEN.Befehl(id, 0); })) << f.id;
        EXPECT_EQ(Zeile(), erwartet) << f.id;
        EXPECT_EQ(g.AktuellerSlot(), 0) << f.id;
    }
    // The one minimum of the cubic, at 2 + 1 / sqrt 3.
    EXPECT_NEAR(CommandArgs[0], 2.0 + 1.0 / std::sqrt(3.0), 1e-3);

    // Cancel, a from above to, and a smoothing interval above n / 2 do
    // nothing.
    const struct { int32_t id; std::vector<DialogSchritt> schritte; } nichts[] = {
        {502, {Druecke(IDCANCEL)}},
        {504, {Druecke(IDCANCEL)}},
        {517, {Druecke(IDCANCEL)}},
        {517, {Waehle(IDC_MINMAX_GLAETTEN), SetzeText(IDC_MINMAX_INTERVALL, "300"), Druecke(IDOK)}},
        {504, {SetzeText(IDC_NT_VON, "3"), SetzeText(IDC_NT_BIS, "1"), Druecke(IDOK), Druecke(IDCANCEL)}},
    };
    for (const auto& f : nichts) {
        Gitter(401, 0.0, 4.0, kubik);
        if (CommandText) CommandText[0] = 0;
        const int id = f.id;
        EXPECT_TRUE(MitDialogen(f.schritte, [id] { HAUPTDATEN.Befehl(id, 0); })) << f.id;
        EXPECT_EQ(Zeile(), "") << f.id;
    }

    // With the model shown, the integral takes the function first; the data
    // button is disabled while the window hides its data.
    Gitter(101, -20.0, 30.0, [](double x) { return x; });
    Gauss(3.0, 5.0, 1.5);
    g.ZeigeFunktion = 1;
    g.ZeigeDaten = 0;
    bool funktion = false, daten = true;
    EXPECT_TRUE(MitDialogen({[&](HWND d) {
                                 funktion = IsDlgButtonChecked(d, IDC_NT_FUNKTION) == BST_CHECKED;
                                 daten = IsWindowEnabled(GetDlgItem(d, IDC_NT_DATEN)) != FALSE;
                             },
                             Druecke(IDOK)},
                            [] { HAUPTDATEN.Befehl(504, 0); }));
    g.ZeigeDaten = 1;
    EXPECT_TRUE(funktion);
    EXPECT_FALSE(daten);
    EXPECT_NEAR(CommandArgs[0], 3.0 * 1.5 * std::sqrt(PI / 2.772589), 1e-8);
}

// Opened by the XAFS background (HilfeThema 1), the level-off polynomial
// dialog asks for the k weight and starts from the values used last.
TEST_F(NumerikWerkzeuge, LevelOffPolynomialDialogInItsKWeightForm)
{
    grafik_fenster& g = GrafikFenster[0];
    Gitter(101, 0.0, 10.0, [](double x) { return x; });
    FitParameters = g.Parameter;
    g.Parameter[0] = 2;
    g.Parameter[1] = 4;
    HAUPTDATEN.DialogWerte[3] = 2;
    HAUPTDATEN.DialogWerte[4] = 0.3;
    HilfeThema = 1;
    NUMERIK_KURVE k;
    k.Punkte = 101;
    std::string titel, kGewicht, anzahl, gewicht, grade;
    INT_PTR ende = -1;
    EXPECT_TRUE(MitDialogen({[&](HWND d) {
                                 char t[64] = "";
                                 GetDlgItemTextA(d, IDC_APOLY_TITEL, t, sizeof t);
                                 titel = t;
                                 GetDlgItemTextA(d, IDC_NT_NEUE_PUNKTE, t, sizeof t);
                                 kGewicht = t;
                                 GetDlgItemTextA(d, IDC_APOLY_ANZAHL, t, sizeof t);
                                 anzahl = t;
                                 GetDlgItemTextA(d, IDC_APOLY_GEWICHT, t, sizeof t);
                                 gewicht = t;
                                 GetDlgItemTextA(d, IDC_APOLY_GRADE, t, sizeof t);
                                 grade = t;
                             },
                             SetzeText(IDC_NT_NEUE_PUNKTE, "2"), SetzeText(IDC_APOLY_GRADE, "3\r\n1"),
                             Druecke(IDOK)},
                            [&] { ende = AusgleichsPolynomDialog(HAUPTDATEN.Hauptfenster, k); }));
    HilfeThema = 0;
    EXPECT_EQ(titel, "k - Weight");
    EXPECT_EQ(kGewicht, "0");
    EXPECT_EQ(anzahl, "2");
    EXPECT_EQ(gewicht, "30");
    EXPECT_EQ(grade, "2\r\n4\r\n");
    EXPECT_EQ(ende, 1);
    EXPECT_EQ(HAUPTDATEN.DialogWerte[5], 2.0);
    EXPECT_EQ(HAUPTDATEN.DialogWerte[1], 2.0);
    EXPECT_NEAR(HAUPTDATEN.DialogWerte[2], 0.3, 1e-15);
    EXPECT_EQ(g.Parameter[0], 3.0);
    EXPECT_EQ(g.Parameter[1], 1.0);
}

// The response of the convolution from the menu: one function chosen in
// GET_FUNCTION, its values in the parameter table, its position put to 0.
TEST_F(NumerikWerkzeuge, ConvolutionResponseChosenFromTheMenu)
{
    auto gauss = [](double x) { return std::exp(-2.772588722 * (x / 2.0) * (x / 2.0)); };
    grafik_fenster& g = GrafikFenster[0];
    HAUPTDATEN.ModellCallback = ModellFunktion;
    // Prepared: the window's model is the response already.
    Gitter(401, -20.0, 20.0, gauss);
    g.AnzahlFunktionen = 1;
    g.FunktionsTypen[0] = 1;
    g.Parameter[0] = 1.0;
    g.Parameter[1] = 0.0;
    g.Parameter[2] = 3.0;
    Prepared(514, {0});
    const std::vector<double> erwartet = Y(0, 1);

    Gitter(401, -20.0, 20.0, gauss);
    g.AnzahlFunktionen = 0;
    if (CommandText) CommandText[0] = 0;
    // Cancel in GET_FUNCTION: nothing happens.
    EXPECT_TRUE(MitDialogen({Druecke(IDCANCEL)}, [] { HAUPTDATEN.Befehl(514, 0); }));
    EXPECT_EQ(g.AktuellerSlot(), 0);
    EXPECT_EQ(Zeile(), "");
    // The model's tables, which the choice resets.
    std::vector<int32_t> flags(PARAMETER_TABLE_ENTRIES), worte(PARAMETER_TABLE_ENTRIES), liste(FREE_LIST_ENTRIES);
    std::vector<double> konstanten(PARAMETER_TABLE_ENTRIES);
    int32_t* alt[3] = {ParameterFlags, CorrelationWords, FreeParameterList};
    double* altK = CorrelationConstants;
    ParameterFlags = flags.data();
    CorrelationWords = worte.data();
    FreeParameterList = liste.data();
    CorrelationConstants = konstanten.data();
    EXPECT_TRUE(MitDialogen({Druecke(IDC_GF_TYPE + 1), Druecke(IDOK), SetzeText(IDC_PT_VALUE, "1"),
                             SetzeText(IDC_PT_VALUE + 1, "4"), SetzeText(IDC_PT_VALUE + 2, "3"), Druecke(IDOK)},
                            [] { HAUPTDATEN.Befehl(514, 0); }));
    ParameterFlags = alt[0];
    CorrelationWords = alt[1];
    FreeParameterList = alt[2];
    CorrelationConstants = altK;
    EXPECT_EQ(g.AnzahlFunktionen, 1);
    EXPECT_EQ(g.FunktionsTypen[0], 1);
    EXPECT_EQ(g.Parameter[1], 0.0);
    ASSERT_EQ(g.AktuellerSlot(), 1);
    const std::vector<double> y = Y(0, 1);
    ASSERT_EQ(y.size(), erwartet.size());
    for (size_t i = 0; i < y.size(); ++i) EXPECT_NEAR(y[i], erwartet[i], 1e-12) << i;
    // The line shows the first dialog value, which GET_FUNCTION leaves at -1.
    EXPECT_EQ(Zeile(), "--: kurve.dat --CONVOLUTION  : -1 -   (active : 2 )\r\n");
}

// Each dialog of the analysis and level-off tools opens with its defaults;
// its picture is written for a look.
TEST_F(NumerikWerkzeuge, DialogPictures)
{
    Gitter(101, 0.0, 10.0, [](double x) { return std::sin(x); });
    const struct { int32_t id; const char* bild; } faelle[] = {
        {502, "nullstellen.png"}, {504, "get_integral.png"}, {505, "differentiation.png"},
        {510, "ausgleichsspline.png"}, {513, "ausgleichspolynom.png"}, {517, "minmax.png"},
    };
    for (const auto& f : faelle) {
        const int id = f.id;
        const char* bild = f.bild;
        EXPECT_TRUE(MitDialogen({[bild](HWND d) { EXPECT_TRUE(FensterFoto(d, bild)); }, Druecke(IDCANCEL)},
                                [id] { HAUPTDATEN.Befehl(id, 0); }))
            << f.id;
        EXPECT_EQ(GrafikFenster[0].AktuellerSlot(), 0) << f.id;
    }
}
