// The plain parts of the fit run and its report: the start bounds of a new
// model, the F test, the status text and the report of a straight-line fit
// checked against the closed-form least-squares errors.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/fit/model_fixture.h"
#include "fit/fit_report.h"
#include "fit/fit_run.h"
#include "fit/report_text.h"
#include "xas/feff_path.h"

namespace {

const std::string DASHES(63, '-');
const std::string DOTS(63, '.');

std::string Zeile(const std::string& text, const std::string& anfang)
{
    const std::size_t a = text.find(anfang);
    if (a == std::string::npos) return "";
    return text.substr(a, text.find("\r\n", a) - a);
}

}  // namespace

class FitRunCore : public ModelFixture {};

TEST_F(FitRunCore, NewModelBoundsPerType)
{
    // Pseudo-Voigt, Voigt with a zero height and tiny widths, Pearson VII
    // with zero exponents, polynomial of degree 2.
    FitPolyDegree = 2;
    Model({3, 12, 13, 7}, {1, 2, 3, 0.4, 0, 5, 0.001, 0.002, 1, 2, 3, 0, 5, 0, 9, 9, 9});
    ParameterFlags[16] = PF_FIXED;
    bool voigt = false;
    ASSERT_EQ(ModellGrenzenSetzen(&voigt), 17);
    EXPECT_TRUE(voigt);
    EXPECT_EQ(MaxParameter, 16);
    EXPECT_EQ(MaxFitParameter, 16);
    EXPECT_EQ(ParameterFlags[16], 0);  // the tables start afresh
    struct Fall { int32_t p; double unten, oben, wert; };
    const Fall faelle[] = {{3, 0, 1, 0.4}, {6, 0.001, 1000, 0.5}, {7, 0.001, 1000, 0.5},
                           {11, 0, 100, 1.0}, {13, 0, 100, 1.0}};
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.p);
        EXPECT_EQ(ParameterFlags[f.p], PF_CONSTRAINED);
        EXPECT_EQ(block[LowerBoundIndex(f.p)], f.unten);
        EXPECT_EQ(block[UpperBoundIndex(f.p)], f.oben);
        EXPECT_EQ(block[f.p], f.wert);
    }
    EXPECT_EQ(block[4], 1.0);                          // Voigt height was 0
    for (int p = 14; p <= 16; ++p) EXPECT_EQ(block[p], 0.0);  // polynomial
    for (int p : {0, 1, 2, 5, 8, 9, 10, 12}) EXPECT_EQ(ParameterFlags[p], 0) << p;

    Model({1});
    EXPECT_EQ(ModellGrenzenSetzen(&voigt), 3);
    EXPECT_FALSE(voigt);
}

TEST_F(FitRunCore, FTestProbability)
{
    // With d = 2 the incomplete beta I_x(1, 1) is x: p = 2 / (1 + F).
    EXPECT_NEAR(FTestWahrscheinlichkeit(zelva, 3.0, 1.0, 2), 0.5, 1e-6);
    EXPECT_NEAR(FTestWahrscheinlichkeit(zelva, 1.0, 3.0, 2), 0.5, 1e-6);
    EXPECT_EQ(FTestWahrscheinlichkeit(zelva, 2.0, 2.0, 100), 1.0);
    EXPECT_EQ(FTestWahrscheinlichkeit(zelva, 0.0, 0.0, 100), 1.0);
    EXPECT_EQ(FTestWahrscheinlichkeit(zelva, 0.0, 1.0, 100), 0.0);
    // Far apart on many points: below 0.001, shown as 0.
    EXPECT_EQ(FTestWahrscheinlichkeit(zelva, 1.0, 2.0, 1000), 0.0);
    EXPECT_EQ(FitSignaturVon(12, 5, 1001), 12 + 10 * 1006);
}

TEST_F(FitRunCore, StatusTextLines)
{
    Model({1, 7}, {5, 20, 7, 0.5});
    FIT_STATUS s;
    s.Iterationen = 3;
    s.Chi2 = 1.5;
    s.RFaktor = 0.25;
    s.Strichlinie = DASHES.c_str();
    s.Punktlinie = DOTS.c_str();
    char text[2000];
    FitStatusTextKern(text, sizeof text, s);
    const std::string d29 = std::string(29, '-') + "\r\n", p29 = std::string(29, '.') + "\r\n";
    const std::string erwartet =
        "Iterations:    3\r\n"
        "(CHI)'2:       1.5\r\n"
        "Residual:      0.25\r\n"
        "No F-Test!\r\n" + d29 +
        " Gaussian \r\n" + p29 +
        "#1  Height:       5            \r\n"
        "#2  Position:     20           \r\n"
        "#3  fwhm:         7            \r\n" + d29 +
        " Polynomial \r\n" + p29 +
        "#4  1. coeff.:    0.5          \r\n" + d29;
    EXPECT_EQ(std::string(text), erwartet);

    s.Iterationen = 10000 + 42;
    s.MitFTest = true;
    s.FTest = 0.123456;
    block[1] = 20.123456789012;
    FitStatusTextKern(text, sizeof text, s);
    const std::string t = text;
    EXPECT_EQ(t.substr(0, t.find("\r\n")), "Iterations:       aborted after 42 iterations");
    EXPECT_NE(t.find("F-Test:        0.12346\r\n"), std::string::npos);
    // The value is cut to 14 characters.
    EXPECT_NE(t.find("#2  Position:     20.12346     \r\n"), std::string::npos);

    // A short buffer takes what fits, ended.
    char klein[10];
    FitStatusTextKern(klein, sizeof klein, s);
    EXPECT_EQ(std::string(klein), "Iteration");
}

// Straight line on 11 points with the experimental error as sigma: the
// errors are sqrt(diag(sigma^2 (X^T X)^-1)) and the reduced chi2 is
// chi2 / (11 - 2).
TEST_F(FitRunCore, StraightLineReport)
{
    FitPolyDegree = 1;
    Model({7}, {1.0, 1.0});
    std::vector<double> x(11), y(11);
    const double rauschen[11] = {0.03, -0.05, 0.02, 0.08, -0.04, -0.07, 0.01, 0.06, -0.02, 0.05, -0.06};
    for (int i = 0; i < 11; ++i) {
        x[i] = i;
        y[i] = 2.0 + 0.5 * i + rauschen[i];
    }
    results[0] = 1.0;
    results[1] = 1.0;
    const double sigma = 0.05;
    double r = 0, chi2 = 0;
    int32_t it = 0;
    ASSERT_EQ(FitToEnd(x, y, sigma, 1000, &r, &chi2, &it), -1);

    // Closed form: X^T X = [[n, Sx], [Sx, Sxx]].
    const double n = 11, sx = 55, sxx = 385, det = n * sxx - sx * sx;
    const double e0 = sigma * std::sqrt(sxx / det), e1 = sigma * std::sqrt(n / det);
    double sy = 0, sxy = 0;
    for (int i = 0; i < 11; ++i) { sy += y[i]; sxy += x[i] * y[i]; }
    const double b = (n * sxy - sx * sy) / det, a = (sy - b * sx) / n;
    EXPECT_NEAR(block[0], a, 1e-7);
    EXPECT_NEAR(block[1], b, 1e-8);

    FIT_STATUS s;
    s.Iterationen = it;
    s.Chi2 = chi2;
    s.RFaktor = r;
    s.Strichlinie = DASHES.c_str();
    s.Punktlinie = DOTS.c_str();
    char status[4000];
    FitStatusTextKern(status, sizeof status, s);

    BERICHT_EINGABE e;
    e.Datei = "line.txt";
    e.Slot = 2;
    e.Punkte = 11;
    e.X = x.data();
    e.Untergrenze = 0;
    e.Obergrenze = 10;
    e.Status = status;
    e.Chi2 = chi2;
    e.Numerik = &zelva;
    e.Modell = Callback;
    e.Ergebnisse = results.data();
    e.Strichlinie = DASHES;
    e.Punktlinie = DOTS;
    const BERICHT ber = FitBericht(e);

    EXPECT_EQ(ber.Kurz.substr(0, ber.Kurz.find("Iterations")),
              "--LEAST-SQUARES FIT     ( active : 2 )\r\n-- FILE :  line.txt\r\n\r\n");
    const std::string z0 = Zeile(ber.Kurz, "#1 "), z1 = Zeile(ber.Kurz, "#2 ");
    ASSERT_NE(z0.find(" +- "), std::string::npos) << z0;
    EXPECT_NEAR(std::atof(z0.c_str() + z0.find(" +- ") + 4), e0, 1e-6 * e0);
    EXPECT_NEAR(std::atof(z1.c_str() + z1.find(" +- ") + 4), e1, 1e-6 * e1);
    const std::string red = Zeile(ber.Lang, "reduced chi2:");
    EXPECT_NEAR(std::atof(red.c_str() + 15), chi2 / 9.0, 1e-7 * chi2);
    EXPECT_EQ(Zeile(ber.Kurz, "data points:"), "data points:   11");
    // The fit text: the initial value at column 55, the area of the line.
    const std::string l0 = Zeile(ber.Lang, "#1 ");
    ASSERT_GE(l0.size(), 56u);
    EXPECT_EQ(l0.substr(55), "1     ");  // "%-6.7G", not cut for a coefficient
    EXPECT_NE(ber.Lang.find(" initial parameter"), std::string::npos);
    EXPECT_NEAR(results[1000], 10 * a + 50 * b, 1e-6);
    EXPECT_NE(ber.Lang.find(" weight  :  1\r\n"), std::string::npos);
    EXPECT_NE(ber.Lang.find("- Correlation matrix  :"), std::string::npos);
    // Afterwards the fitted values stand where the start values stood.
    EXPECT_EQ(results[0], block[0]);
    EXPECT_EQ(results[1], block[1]);
}

TEST(ReducedChi2, DividesByTheDegreesOfFreedom)
{
    EXPECT_EQ(ReduziertesChi2(18.0, 11, 2), "reduced chi2:  2\r\n");
    EXPECT_EQ(ReduziertesChi2(18.0, 3, 3), "reduced chi2:  undefined\r\n");
    EXPECT_EQ(ReduziertesChi2(18.0, 2, 3), "reduced chi2:  undefined\r\n");
}

namespace {

// The report of the working model as it stands (no fit run: every error is
// 0), on 201 points over 0 ... 20.
struct OhneFit {
    std::vector<double> x = std::vector<double>(201);
    BERICHT_EINGABE e;
    char status[20000];
    OhneFit(def_zelva& z, ModellCallback modell, double* ergebnisse)
    {
        for (int i = 0; i <= 200; ++i) x[i] = i / 10.0;
        FIT_STATUS s;
        s.Strichlinie = DASHES.c_str();
        s.Punktlinie = DOTS.c_str();
        FitStatusTextKern(status, sizeof status, s);
        z.SetFunction(modell);
        e.Punkte = 201;
        e.X = x.data();
        e.Obergrenze = 20.0;
        e.Status = status;
        e.Numerik = &z;
        e.Modell = modell;
        e.Ergebnisse = ergebnisse;
        e.Strichlinie = DASHES;
        e.Punktlinie = DOTS;
        e.Wellenlaenge = 154.06;
        e.InstrumentB = 0.02;
        e.InstrumentL = 0.01;
        e.InstrumentG = 0.03;
    }
};

double Wert(const std::string& text, const std::string& marke)
{
    const std::size_t a = text.find(marke);
    return a == std::string::npos ? -1e300 : std::atof(text.c_str() + a + marke.size());
}

}  // namespace

TEST_F(FitRunCore, FixedAndZeroParametersAndTheMatrix)
{
    // A Gaussian with its width fixed and a zero-valued free background.
    Model({1, 7}, {2.0, 10.0, 3.0, 0.0});
    FixParameter(2);
    for (int p = 0; p < 4; ++p) results[p] = block[p];
    OhneFit o(zelva, Callback, results.data());
    const BERICHT b = FitBericht(o.e);
    const std::string fest = Zeile(b.Lang, "#3 ");
    EXPECT_EQ(fest.substr(fest.size() - 8), "   FIXED") << fest;
    EXPECT_EQ(Zeile(b.Kurz, "#3 ").find("CHECK"), std::string::npos);
    // Errors of 0 on nonzero free values print " +- 0"; the zero-valued
    // free coefficient gets the hint.
    EXPECT_NE(Zeile(b.Kurz, "#1 ").find(" +- 0"), std::string::npos);
    EXPECT_NE(Zeile(b.Kurz, "#4 ").find("   CHECK Exp.Error! "), std::string::npos);
    // Matrix: columns 1, 2 and 4, no row for 3.
    const std::size_t m = b.Lang.find("- Correlation matrix  :\r\n");
    ASSERT_NE(m, std::string::npos);
    const std::string kopf = std::string(12, ' ') + "1" + std::string(10, ' ') + "2" + std::string(10, ' ') + "4" +
                             std::string(10, ' ') + "\r\n\r\n";
    EXPECT_EQ(b.Lang.substr(m + 25 + 51, kopf.size()), kopf);
    EXPECT_EQ(b.Lang.find("\r\n 3   "), std::string::npos);
    EXPECT_NE(b.Lang.find("\r\n 4   0           0           0           \r\n"), std::string::npos);

    // 25 functions: no matrix.
    std::vector<double> werte;
    for (int k = 0; k < 25; ++k) werte.insert(werte.end(), {1.0, 0.8 * k, 0.5});
    FitFunctionCount = 25;
    for (int k = 0; k < 25; ++k) types[k] = 1;
    for (std::size_t i = 0; i < werte.size(); ++i) block[i] = werte[i];
    ASSERT_EQ(ResetModelTables(), 75);
    OhneFit o25(zelva, Callback, results.data());
    EXPECT_EQ(FitBericht(o25.e).Lang.find("Correlation matrix"), std::string::npos);
}

TEST_F(FitRunCore, VoigtBreadths)
{
    // Voigt: area 3, position (2 theta) 10, Lorentz 0.4, Gauss 0.6.
    Model({12}, {3.0, 10.0, 0.4, 0.6});
    OhneFit o(zelva, Callback, results.data());
    const BERICHT b = FitBericht(o.e);
    const double pi = 3.14159265358979;
    const double bl = pi / 2.0 * 0.4, bg = 0.6 / (2.0 * std::sqrt(std::log(2.0) / pi));
    EXPECT_NEAR(Wert(b.Kurz, "#1  Lorentz  Breadth [b(L)]: "), bl, 1e-7);
    EXPECT_NEAR(Wert(b.Kurz, "#1  Gaussian Breadth [b(G)]: "), bg, 1e-7);
    EXPECT_NEAR(Wert(b.Kurz, "#1  Deconv. Lorentz [cb(L)]: "), bl - 0.01, 1e-7);
    EXPECT_NEAR(Wert(b.Kurz, "#1  Deconv. Gaussian[cb(G)]: "), std::sqrt(bg * bg - 0.03 * 0.03), 1e-7);
    EXPECT_NEAR(Wert(b.Kurz, "#1  Bragg angle     [T]    : "), 5.0, 1e-12);
    // The height is the largest model value at the points, the integral
    // breadth the area over it.
    double h = 0;
    for (double xi : o.x) h = std::max(h, At(xi));
    EXPECT_NEAR(Wert(b.Kurz, "#1  Voigt Height           : "), h, 1e-7 * h);
    EXPECT_NEAR(Wert(b.Kurz, "#1  Integral Breadth       : "), results[1000] / h, 1e-6);
    const double rad = pi / 180.0, t = 5.0 * rad;
    EXPECT_NEAR(results[2800], 0.01 * 154.06 / (std::cos(t) * (bl - 0.01) * rad), 1e-6);
    EXPECT_NEAR(results[2700], std::sqrt(bg * bg - 0.03 * 0.03) * rad / (4.0 * std::tan(t)), 1e-9);
    // One function: the total area and no per-function lines.
    EXPECT_NE(b.Kurz.find(" total:    "), std::string::npos);
    EXPECT_EQ(b.Kurz.find(" Voigt :"), std::string::npos);
    EXPECT_NEAR(results[1000], 3.0, 0.05);  // most of the area lies within 0 ... 20
}

// A FEFF model filled by hand: the amplitude term, a single-scattering
// path and a three-leg path, fitted in R space with two data sets.
TEST_F(FitRunCore, FeffModelReport)
{
    struct Pfade {
        Pfade()
        {
            FeffPfad& a = FeffPfade[1];
            a = FeffPfad{};
            a.Beine = 2;
            a.Reff = 1.95;
            std::snprintf(a.Dateiname, sizeof a.Dateiname, "feff0001.dat");
            std::snprintf(a.AtomSymbole[0], 4, "Cu");
            std::snprintf(a.AtomSymbole[1], 4, "O");
            FeffPfad& b = FeffPfade[2];
            b = FeffPfad{};
            b.Beine = 3;
            b.Reff = 3.6;
            b.AbsorberWinkel = 60.0;
            std::snprintf(b.Dateiname, sizeof b.Dateiname, "feff0005.dat");
        }
        ~Pfade() { FeffPfade[1] = FeffPfad{}; FeffPfade[2] = FeffPfad{}; }
    } pfade;
    Model({25, 21, 21}, {0.9, 6, 0.05, 0.003, 1.5, 2, 0.1, 0.8, 0.2});
    results[1000] = 7.5;
    results[1001] = 9.0;
    results[1002] = 1.0;
    results[1003] = 3.0;
    results[1004] = -1.0;
    OhneFit o(zelva, Callback, results.data());
    o.e.FeffSaetze = 2;
    const std::string status = o.status;
    EXPECT_NE(status.find(" feff-Fit  - feff0001.dat, Cu - O \r\n"), std::string::npos) << status;
    EXPECT_NE(status.find(" feff-Fit  - feff0005.dat, MS(3) [< 60]\r\n"), std::string::npos) << status;

    for (int runde = 0; runde < 2; ++runde) {
        SCOPED_TRACE(runde);
        const BERICHT b = FitBericht(o.e);
        const std::string erwartet =
            "\r\nFit carried out in R space.\r\n"
            "   Bottom border: 1\r\n"
            "   Top border:    3\r\n"
            "Number of independent parameters   :  7.5\r\n"
            "Number of free running parameters  :  9\r\n\r\n"
            "Number of single scattering paths  :  1\r\n"
            "Number of multiple scattering paths:  1\r\n\r\n"
            "  CAUTION :  !! parameters will be strongly correlated  !!\r\n\r\n"
            "  Weight for FEFF file No. 1 :  0.8\r\n"
            "  Weight for FEFF file No. 2 :  0.2\r\n\r\n";
        EXPECT_NE(b.Lang.find(erwartet), std::string::npos) << b.Lang;
        EXPECT_NE(b.Kurz.find(" MS(3) [< 60]\r\n"), std::string::npos);
        EXPECT_NE(b.Kurz.find(" area under XAFS paths:\r\n"), std::string::npos);
        EXPECT_EQ(b.Kurz.find(" total:"), std::string::npos);
        // The path's distance starts from its reff.
        const std::string r = Zeile(b.Lang, "#3 ");
        ASSERT_GE(r.size(), 56u);
        EXPECT_EQ(r.substr(55, 4), "1.95");
        // The areas have an array of their own: the set-up's cells stay.
        EXPECT_EQ(results[1002], 1.0);
        EXPECT_EQ(results[1003], 3.0);
        EXPECT_EQ(results[1004], -1.0);
        EXPECT_EQ(results[1000], 7.5);
    }

    // A common Debye temperature: its block follows the counters in the
    // status text; the report copies it with the rule before it, and the
    // rule after it becomes the title line.
    ParameterFlags[3] |= PF_TEMPERATURE_MODEL;
    const int32_t altesModell = DebyeWallerModell;
    DebyeWallerModell = -1;
    OhneFit mitT(zelva, Callback, results.data());
    DebyeWallerModell = altesModell;
    const std::string temperatur = "\r\n   Debye Temperature:   0.003 K\r\n\r\n";
    const std::string block = temperatur + std::string(29, '.') + "\r\n";
    EXPECT_NE(std::string(mitT.status).find("No F-Test!\r\n" + std::string(29, '-') + "\r\n" + block),
              std::string::npos) << mitT.status;
    const BERICHT b = FitBericht(mitT.e);
    const std::string vor = "data points:   201\r\n" + std::string(29, '-') + "\r\n" + temperatur;
    EXPECT_NE(b.Kurz.find(vor + std::string(29, '.') + "\r\n feff-S0 \r\n"), std::string::npos) << b.Kurz;
    EXPECT_NE(b.Lang.find(temperatur + std::string(29, '.') + "                  initial parameter\r\n feff-S0 \r\n"),
              std::string::npos) << b.Lang;
}

// The library's counts still from a larger model: the report reads only
// what it allocated (the sanitizers watch).
TEST_F(FitRunCore, ReportAfterTheModelShrank)
{
    Model({1}, {2.0, 10.0, 3.0});
    zelva.SetAnzahl(201, 60, 60);
    OhneFit o(zelva, Callback, results.data());
    const BERICHT b = FitBericht(o.e);
    EXPECT_NE(b.Kurz.find("#3 "), std::string::npos);
    EXPECT_NE(b.Lang.find("- Correlation matrix  :"), std::string::npos);
}

TEST_F(FitRunCore, NarrowLinesGetTheirWholeAreaAndBreadth)
{
    // Lines of FWHM 0.1 on a section of 0 ... 20 (a 300-step Simpson sum
    // takes points 0.067 apart and misses up to a third of such a line):
    // Gaussian, Lorentzian of exponent 1.5, pseudo-Voigt with Gaussian part
    // 0.3, and a background.
    Model({1, 2, 3, 7}, {5.0, 3.013, 0.1, 2.0, 7.051, 0.1, 1.5, 4.0, 12.37, 0.1, 0.3, 0.0});
    OhneFit o(zelva, Callback, results.data());
    FitBericht(o.e);
    const double pi = 3.14159265358979323846;
    const double g = std::sqrt(pi / (4.0 * std::log(2.0)));
    const double flaeche[3] = {5.0 * 0.1 * g, 2.0 * 0.05 * std::sqrt(pi) * std::tgamma(1.0) / std::tgamma(1.5),
                               4.0 * (0.3 * 0.1 * g + 0.7 * 0.05 * pi)};
    const double hoehe[3] = {5.0, 2.0, 4.0};
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(results[1001 + i], flaeche[i], 1e-12) << i;
        // The breadth of function i stands where the size table reads it.
        EXPECT_NEAR(results[2700 + i], flaeche[i] / hoehe[i], 1e-12) << i;
    }
    // The closed forms agree with a fine sum over the line alone.
    SetFunktionFlag(2, 1);
    EXPECT_NEAR(zelva.FuncIntegralSimps(6.0, 8.1, 20000), flaeche[1], 2e-3 * flaeche[1]);
    SetFunktionFlag(0, 0);

    // A Lorentzian of exponent 0.4 has no area on the whole axis: its sum
    // over the section takes steps fine enough for the line.
    Model({2, 7}, {3.0, 7.051, 0.1, 0.4, 0.0});
    FitBericht(o.e);
    SetFunktionFlag(1, 1);
    const double fein = zelva.FuncIntegralSimps(0.0, 20.0, 200000);
    SetFunktionFlag(0, 0);
    EXPECT_NEAR(results[1001], fein, 1e-5 * fein);
    EXPECT_NEAR(results[2700], fein / 3.0, 1e-5 * fein);
}

// LC-XANES with two references and one without absorption: the block of
// weights corrected by each reference's absorption, byte for byte.
TEST_F(FitRunCore, LcXanesAbsorptionBlock)
{
    const char* namen[3] = {"ref_a.dat", "ref_b.dat", "none"};
    const double mu[3] = {2.0, 0.5, 0.0};
    for (int j = 1; j <= 3; ++j) {
        FeffPfade[j] = FeffPfad{};
        FeffPfade[j].Entartung = mu[j - 1];
        std::snprintf(FeffPfade[j].Dateiname, sizeof FeffPfade[j].Dateiname, "%s", namen[j - 1]);
    }
    Model({26, 26, 26}, {0.6, 0.0, 0.1, 0.0, 0.2, 0.0});
    OhneFit o(zelva, Callback, results.data());
    const BERICHT b = FitBericht(o.e);
    for (int j = 1; j <= 3; ++j) FeffPfade[j] = FeffPfad{};
    // T = 0.6 / 2 + 0.1 / 0.5; the third reference has no weight.
    const std::string block = "\r\n--------------------------------------------------------------------\r\n"
                              "Absorption Correction for LC XANES Fit\r\n\r\n"
                              " Specie #1 [ref_a.dat]: c'(1)= 0.6       mue(1)= 2         c(1)= 60      Weight-%\r\n"
                              " Specie #2 [ref_b.dat]: c'(2)= 0.1       mue(2)= 0.5       c(2)= 40      Weight-%\r\n"
                              " Specie #3 [none     ]: c'(3)= 0.2       mue(3)= 0         c(3)= 0       Weight-%\r\n"
                              "\r\n";
    const std::size_t k = b.Kurz.find(block), l = b.Lang.find(block);
    ASSERT_NE(k, std::string::npos) << b.Kurz;
    ASSERT_NE(l, std::string::npos);
    // After the parameter lines, and no areas for these references.
    EXPECT_GT(k, b.Kurz.find("#6 "));
    EXPECT_EQ(b.Kurz.find(" area under"), std::string::npos);
}

// A transform fitted in R space: N lines of five columns (R, measured
// magnitude and imaginary part, model magnitude and imaginary part) and
// the chi(k) table in four; a fit of another curve writes none.
TEST_F(FitRunCore, ComplexSlotSideFiles)
{
    FitPolyDegree = 1;
    Model({7}, {1.0, 0.5});
    OhneFit o(zelva, Callback, results.data());
    const std::vector<double> r = {1.0, 2.0}, y = {3.0, 4.0}, imD = {0.25, -0.5}, imM = {0.125, 0.0};
    std::vector<std::vector<double>> chi(4, std::vector<double>(BERICHT_TABELLE_ANZAHL + 1, 0.0));
    const double werte[3][4] = {{3.0, 0.5, 0.25, 0.25}, {3.05, -0.125, 0.0, -0.125}, {3.1, 1e-3, 2e-3, -1e-3}};
    for (int i = 0; i < 3; ++i)
        for (int s = 0; s < 4; ++s) chi[s][i] = werte[i][s];
    chi[0][BERICHT_TABELLE_ANZAHL] = 3;
    o.e.Punkte = 2;
    o.e.X = r.data();
    o.e.Komplex = true;
    o.e.Y = y.data();
    o.e.ImagDaten = imD.data();
    o.e.ImagModell = imM.data();
    o.e.ImagLaenge = 2;
    for (int s = 0; s < 4; ++s) o.e.ChiTabelle[s] = chi[s].data();
    const BERICHT b = FitBericht(o.e);
    ASSERT_TRUE(b.FtDateien);
    // The model 1 + 0.5 x at R = 1 and 2.
    EXPECT_EQ(b.FtBetragText,
              "1.0000000000E+00   3.0000000000E+00   2.5000000000E-01   1.5000000000E+00   1.2500000000E-01\n"
              "2.0000000000E+00   4.0000000000E+00   -5.0000000000E-01   2.0000000000E+00   0.0000000000E+00\n");
    EXPECT_EQ(b.ChiText,
              "3.0000000000E+00   5.0000000000E-01   2.5000000000E-01   2.5000000000E-01\n"
              "3.0500000000E+00   -1.2500000000E-01   0.0000000000E+00   -1.2500000000E-01\n"
              "3.1000000000E+00   1.0000000000E-03   2.0000000000E-03   -1.0000000000E-03\n");
    const std::string ansage = "  FT Mag + Imag. saved as 4-col ascii file:\r\n   'XAFS_FT_i_mag.dat'\r\n\r\n"
                               "  chi(k) Exp. + Theo. saved as 3-col ascii file:\r\n   'XAFS_chi_exp_theo.dat'\r\n\r\n";
    EXPECT_NE(b.Kurz.find(ansage), std::string::npos);
    EXPECT_NE(b.Lang.find(ansage), std::string::npos);

    o.e.Komplex = false;
    const BERICHT ohne = FitBericht(o.e);
    EXPECT_FALSE(ohne.FtDateien);
    EXPECT_TRUE(ohne.FtBetragText.empty() && ohne.ChiText.empty());
    EXPECT_EQ(ohne.Kurz.find("XAFS_FT_i_mag"), std::string::npos);
}

// The FEFF blocks of the status text ahead of the parameters: cluster
// coefficients and the paths' own temperatures, copied into the report;
// the R-space k range.
TEST_F(FitRunCore, FeffClusterAndPathTemperatureBlocks)
{
    for (int r = 1; r <= 4; ++r) {
        FeffPfade[r] = FeffPfad{};
        FeffPfade[r].Beine = r == 3 ? 3 : 2;
        FeffPfade[r].Reff = 2.0 + r;
        std::snprintf(FeffPfade[r].Dateiname, sizeof FeffPfade[r].Dateiname, "feff%04d.dat", r);
        std::snprintf(FeffPfade[r].AtomSymbole[0], 4, "Cu");
        std::snprintf(FeffPfade[r].AtomSymbole[1], 4, "%s", r == 2 ? "O" : "Cu");
    }
    Model({25, 21, 21, 21, 21},
          {0.9, 12, 2.5, 250.0, 1.0, 6, 3.6, 300.0, 1.0, 24, 4.4, 0.01, 1.0, 12, 5.1, 0.02, 1.0});
    // The cluster flag on the distance of the third-last function, the
    // path temperatures on parameter 3; path 4's temperature fixed.
    ParameterFlags[(5 - 4) * 4 + 2] |= PF_CLUSTER;
    ParameterFlags[3] |= PF_MS;
    ParameterFlags[7] |= PF_MS;
    FixParameter(15);
    results[1000] = 7.5;
    results[1002] = 1.0;
    results[1003] = 3.0;
    results[1004] = -1.0;
    const int32_t altesModell = DebyeWallerModell;
    DebyeWallerModell = 1;
    OhneFit o(zelva, Callback, results.data());
    DebyeWallerModell = altesModell;
    const std::string punkte = std::string(29, '.') + "\r\n";
    const std::string cluster = "\r\n feff cluster fit:\r\n  xyz-Coeff. #1: 3.6\r\n  xyz-Coeff. #2: 4.4\r\n"
                                "  xyz-Coeff. #3: 5.1\r\n" + punkte;
    const std::string temperaturen =
        "\r\n  Einstein Temperature (Cu):   250 K\r\n  Einstein Temperature ( O):   300 K\r\n\r\n" + punkte;
    EXPECT_NE(std::string(o.status).find(cluster + temperaturen + " feff-S0 "), std::string::npos) << o.status;

    o.e.KBereichBekannt = true;
    o.e.KBereich[0] = 2.5;
    o.e.KBereich[1] = 14.25;
    const BERICHT b = FitBericht(o.e);
    // Both blocks with the rule before each; the last dotted rule starts
    // the parameter table.
    const std::string regel = std::string(29, '-') + "\r\n";
    EXPECT_NE(b.Kurz.find(regel + cluster + temperaturen + " feff-S0 "), std::string::npos) << b.Kurz;
    EXPECT_NE(b.Lang.find("   Top border:    3\r\n   k range from   2.5  to  14.25\r\n"), std::string::npos);

    // Path record 0 keeps the coefficients. With the results of the model
    // run the last three functions show their distances from the cluster
    // in place of the coefficients; the first path shows its own.
    EXPECT_EQ(FeffPfade[0].ClusterKoeffizienten[0], 3.6);
    EXPECT_EQ(FeffPfade[0].ClusterKoeffizienten[1], 4.4);
    EXPECT_EQ(FeffPfade[0].ClusterKoeffizienten[2], 5.1);
    results[5001] = 9.0;
    results[5002] = 3.6123;
    results[5003] = 4.4321;
    results[5004] = 5.1011;
    FIT_STATUS s;
    s.Strichlinie = DASHES.c_str();
    s.Punktlinie = DOTS.c_str();
    s.Ergebnisse = results.data();
    char text[20000];
    FitStatusTextKern(text, sizeof text, s);
    const std::string t = text;
    const struct {
        int nummer;
        const char* wert;
    } zeilen[] = {{3, " 2.5          "}, {7, " 3.6123       "}, {11, " 4.4321       "}, {15, " 5.1011       "}};
    for (const auto& z : zeilen) {
        char zeile[80];
        std::snprintf(zeile, sizeof zeile, "#%-2d %-13s%-14s\r\n", z.nummer, KatalogTitel(21, 1), z.wert);
        EXPECT_NE(t.find(zeile), std::string::npos) << zeile << t;
    }
    EXPECT_NE(t.find("  xyz-Coeff. #1: 3.6\r\n"), std::string::npos);
    FeffPfade[0] = FeffPfad{};
    for (int r = 1; r <= 4; ++r) FeffPfade[r] = FeffPfad{};
}
