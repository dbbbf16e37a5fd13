// The background commands through the dispatcher with prepared values, as
// the macro player runs them: their results, history lines, the
// background file, what a refused or failed step leaves (nothing), and the
// window's model after a cancelled dialog.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/spectra/data_commands_fixture.h"
#include "app/temp_folder.h"
#include "fit/fit_model.h"
#include "resource_ids.h"
#include "shell/dispatcher.h"
#include "xas/xas_background.h"
#include "xas/xas_background_win.h"
#include "xas/xas_reduction.h"

namespace {

using Feld = std::vector<double>;

std::string Format(const char* f, ...)
{
    char t[2000];
    va_list a;
    va_start(a, f);
    std::vsnprintf(t, sizeof t, f, a);
    va_end(a);
    return t;
}

}  // namespace

class Hintergrund : public EditFixture {
protected:
    TempOrdner ordner;
    std::string altOrdner;

    void SetUp() override
    {
        EditFixture::SetUp();
        altOrdner = HAUPTDATEN.DatenOrdner ? HAUPTDATEN.DatenOrdner : "";
        if (HAUPTDATEN.DatenOrdner)
            std::snprintf(HAUPTDATEN.DatenOrdner, ORDNER_BYTES, "%s", ordner.Ordner().c_str());
        FehlerCode = 0;
    }
    void TearDown() override
    {
        if (HAUPTDATEN.DatenOrdner) std::snprintf(HAUPTDATEN.DatenOrdner, ORDNER_BYTES, "%s", altOrdner.c_str());
        FehlerCode = 0;
        EditFixture::TearDown();
    }
    // Window 0 slot 0: n points from x0 in steps of h with y = f(x).
    void Setze(int n, double x0, double h, double (*f)(double))
    {
        grafik_fenster& g = GrafikFenster[0];
        for (int i = 0; i < n; ++i) {
            g.GetXFeld(0)[i] = x0 + i * h;
            g.GetYFeld(0)[i] = f(x0 + i * h);
        }
        for (int s = 0; s < 4; ++s) {
            g.DateiInfo.PunkteProKurve[s] = s == 0 ? n : 0;
            g.KurvenFlags[s] = 0;
            g.XasStufe[s] = 0;
            g.SlotKGewicht[s] = 0.0;
        }
        g.KurvenZaehler = g.NeuesterZaehler = 0;
        g.SetFullBorder();
    }
    int Slot() const { return GrafikFenster[0].AktuellerSlot(); }
    // The history line after "--: kurve.dat".
    std::string Zeile() const { return CommandText ? std::string(CommandText) : std::string(); }
    double* P() const { return GrafikFenster[0].Parameter; }
};

TEST_F(Hintergrund, PreEdgeLinesAreSubtractedWithTheirHistoryLines)
{
    grafik_fenster& g = GrafikFenster[0];
    // A line over a sloped edge: 809 of degree 1 over the pre-edge.
    Setze(200, 8.8, 0.002, [](double e) { return 0.3 - 0.02 * e + (e > 9.0 ? 1.0 : 0.0); });
    g.PolyGrad = 1;
    Prepared(809, {8.8, 8.95});
    ASSERT_EQ(FehlerCode, 0);
    ASSERT_EQ(Slot(), 1);
    const Feld y = Y(0, 1);
    EXPECT_NEAR(y[10], 0.0, 1e-12);
    EXPECT_NEAR(y[190], 1.0, 1e-12);
    EXPECT_STREQ(g.YText[1], "absorption [a.u.]");
    EXPECT_STREQ(g.XText[1], "photon energy [keV]");
    EXPECT_EQ(Zeile(), Format("--: kurve.dat --XAS-BACKGROUND CORRECTION -\r\n      - formula : Polynomial   degree : 1 "
                              " - (activated : 2 )\r\n   border :  from  8.8   to   8.95\r\n   Parameter :\r\n"
                              "     No. 1 :  %.8G\r\n     No. 2 :  %.8G\r\n",
                              P()[0], P()[1]));
    EXPECT_NEAR(P()[0], 0.3, 1e-10);
    EXPECT_NEAR(P()[1], -0.02, 1e-10);
    EXPECT_NE(Historie().find(Zeile()), std::string::npos);

    // Victoreen: the three exponents in the line, three coefficients fitted.
    Setze(200, 8.8, 0.002, [](double e) { return -1.25 + 830.0 / (e * e * e) - 2100.0 / (e * e * e * e); });
    Prepared(803, {8.8, 9.1});
    ASSERT_EQ(FehlerCode, 0);
    EXPECT_NEAR(P()[0], -1.25, 1e-6);
    EXPECT_NEAR(P()[1], 830.0, 1e-3);
    EXPECT_EQ(g.FunktionsTypen[0], 20);
    for (double v : Y(0, Slot())) EXPECT_NEAR(v, 0.0, 1e-9);
    EXPECT_EQ(Zeile(), Format("--: kurve.dat --XAS-BACKGROUND CORRECTION -\r\n      - formula :   Victoreen  (Coeff. 0, -3, -4)  - "
                              "(activated : 2 )\r\n   border :  from  8.8   to   9.1\r\n   Parameter :\r\n"
                              "     No. 1 :  %.8G\r\n     No. 2 :  %.8G\r\n     No. 3 :  %.8G\r\n",
                              P()[0], P()[1], P()[2]));

    // Normalisation divides by the mean of the section.
    Setze(100, 9.0, 0.01, [](double e) { return e < 9.5 ? 1.0 : 2.5; });
    Prepared(804, {9.6, 9.9});
    ASSERT_EQ(FehlerCode, 0);
    EXPECT_NEAR(Y(0, Slot()).back(), 1.0, 1e-12);
    EXPECT_NEAR(CommandArgs[0], 2.5, 1e-12);
    EXPECT_EQ(Zeile(), "--: kurve.dat --XAS-NORMALIZATION -\r\n      - range from 9.6  to  9.9  - zero order = 2.5 "
                       "(activated : 2 )\r\n");
}

TEST_F(Hintergrund, TwoPolynomialsFindTheEdgeAndReportTheJump)
{
    grafik_fenster& g = GrafikFenster[0];
    Setze(300, 8.8, 0.001, [](double e) { return 0.1 + 1.2 / (1.0 + std::exp(-(e - 8.98) / 0.003)); });
    g.DateiInfo.Koeffizienten[0] = 0.0;
    Prepared(841, {8.8, 8.95, 0, 1, 1, 0, 9.02, 9.099});
    ASSERT_EQ(FehlerCode, 0);
    const double e0 = g.DateiInfo.Koeffizienten[0];
    EXPECT_NEAR(e0, 8.98, 0.0015);  // the steepest rise of the smoothed curve
    const Feld y = Y(0, Slot());
    for (double v : y) ASSERT_TRUE(std::isfinite(v));
    EXPECT_NEAR(y.front(), 0.0, 1e-3);
    EXPECT_NEAR(y.back(), 1.0, 1e-3);
    EXPECT_NEAR(CommandArgs[0], 1.2, 1e-3);
    EXPECT_EQ(CommandArgs[1], e0);
    EXPECT_STREQ(g.YText[Slot()], "norm. absorption [a.u.]");
    EXPECT_EQ(Zeile(), Format("--: kurve.dat --XAS-BACKGROUND CORRECTION -\r\n      - formula :  - (activated : 2 )\r\n"
                              "    Two Polynomial Fit:\r\n      pre-edge:  1 from      8.8 to     8.95\r\n"
                              "      post-edge: 1 from     9.02 to    9.099\r\n      Edge Jump: mue*x = %G \r\n"
                              "      Edge Position    = %G keV\r\n",
                              CommandArgs[0], e0));

    // Equal pre- and post-edge sections: no jump, nothing changes.
    Setze(300, 8.8, 0.001, [](double e) { return 0.1 + 0.0 * e; });
    Prepared(841, {8.8, 8.95, 0, 1, 1, 0, 8.8, 8.95});
    EXPECT_EQ(FehlerCode, 1000);
    EXPECT_EQ(Slot(), 0);
}

TEST_F(Hintergrund, SplineBackgroundLeavesChiItsFileAndTheFourierGrid)
{
    grafik_fenster& g = GrafikFenster[0];
    // mu0 (1 + chi) on a k grid.
    Setze(400, 0.5, 0.04, [](double k) {
        return (2.0 - 0.045 * k) * (1.0 + 0.01 * std::sin(5.1 * k) * std::exp(-0.006 * k * k));
    });
    std::strcpy(g.DateiInfo.DateiName, "Cu_foil.dat");
    const Feld k = X(0, 0);
    Prepared(828, {0.5, 16.46, 0, 9, 0, 2.0});
    ASSERT_EQ(FehlerCode, 0);
    ASSERT_EQ(Slot(), 1);
    const Feld chi = Y(0, 1);
    ASSERT_EQ(chi.size(), 400u);
    for (int i = 60; i < 380; i += 40)
        EXPECT_NEAR(chi[i] / (k[i] * k[i]), 0.01 * std::sin(5.1 * k[i]) * std::exp(-0.006 * k[i] * k[i]), 1e-3);
    EXPECT_STREQ(g.YText[1], "^c(k)*k~2");
    EXPECT_STREQ(g.XText[1], "k [\xC5~{-1}]");
    EXPECT_TRUE(g.KurvenFlags[1] & SLOT_K_GEWICHTET);
    EXPECT_EQ(g.KGewicht, 2.0);
    EXPECT_EQ(g.SlotKGewicht[1], 2.0);
    EXPECT_EQ(g.XasStufe[1], 2);  // chi carries the k-weighted stage
    EXPECT_EQ(g.FunktionsTypen[0], 1);
    EXPECT_EQ(SplineKnotCount, 9);
    EXPECT_DOUBLE_EQ(P()[600], 0.5);
    EXPECT_EQ(Zeile(), "--: Cu_foil.dat --XAS-MUE_ZERO - cubic spline fit from : 0.5 , to : 16.46  - number : 9"
                       "  - weighting : 2   -  (active : 2 )\r\n  -  spline saved as 'filename'.MUE in data folder\r\n");
    // The EXAFS set-up's grid: k_j and mu0 there.
    const double schritt = (3.14159265358979323846 / ExafsOptionen.RSchritt) / (ExafsOptionen.KPunkte - 1);
    ASSERT_GT(MueGridCount, 10);
    ASSERT_EQ(XafsWorkX.size(), static_cast<size_t>(MueGridCount));
    EXPECT_NEAR(XafsWorkX[5], 0.5 + 5 * schritt, 1e-12);
    EXPECT_NEAR(XafsWorkY[MueGridCount / 2], 2.0 - 0.045 * XafsWorkX[MueGridCount / 2], 2e-3);
    // The file: x, mu0 and the weighted chi.
    std::FILE* f = std::fopen(ordner.Datei("Cu_foil-dat.mue").c_str(), "r");
    ASSERT_NE(f, nullptr);
    double a, b, c;
    ASSERT_EQ(std::fscanf(f, "%lf %lf %lf", &a, &b, &c), 3);
    std::fclose(f);
    EXPECT_EQ(a, k[0]);
    EXPECT_NEAR(c, chi[0], 1e-10 * (1 + std::fabs(chi[0])));

    // An unwritable folder: the history says so instead of "saved".
    std::snprintf(HAUPTDATEN.DatenOrdner, ORDNER_BYTES, "%s", ordner.Datei("fehlt\\nicht").c_str());
    Setze(400, 0.5, 0.04, [](double k) { return 2.0 - 0.045 * k; });
    Prepared(828, {0.5, 16.46, 0, 9, 0, 0.0});
    ASSERT_EQ(FehlerCode, 0);
    EXPECT_EQ(Zeile().find("spline saved as"), std::string::npos);
    EXPECT_NE(Zeile().find("could not be saved"), std::string::npos);
    EXPECT_STREQ(g.YText[Slot()], "^c(k)");
}

TEST_F(Hintergrund, RefusedKnotCountsAndFailedFitsLeaveNothing)
{
    grafik_fenster& g = GrafikFenster[0];
    Setze(100, 1.0, 0.1, [](double k) { return 2.0 + 0.1 * k; });
    struct Fall {
        int32_t id;
        std::vector<double> dw;
        double grad;
    } faelle[] = {
        {828, {1.0, 10.0, 0, 2}, 1},     // too few knots, also on replay
        {828, {1.0, 10.0, 0, 41}, 1},    // too many
        {837, {1.0, 10.0, 0, 5}, 1},     // no section layout
        {806, {1.0, 10.0, 0, 0, 0, 0}, 25},  // a degree the fit does not take
        {806, {5.0, 5.1, 0, 0, 0, 0}, 1},    // a section of two points
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.id);
        g.PolyGrad = static_cast<int32_t>(f.grad);
        g.FunktionsTypen[0] = 3;
        P()[0] = 7.5;
        if (CommandText) CommandText[0] = '\0';
        FehlerCode = 0;
        Prepared(f.id, f.dw);
        EXPECT_EQ(FehlerCode, 1000);
        EXPECT_EQ(Slot(), 0);
        EXPECT_EQ(g.FunktionsTypen[0], 3);  // the user's model is back
        EXPECT_EQ(P()[0], 7.5);
        EXPECT_EQ(Zeile(), "");
    }
}

TEST_F(Hintergrund, PolynomialMu0AndTheSectionLayout)
{
    grafik_fenster& g = GrafikFenster[0];
    Setze(300, 1.0, 0.05, [](double k) { return (1.5 + 0.02 * k) * (1.0 + 0.01 * std::sin(5.0 * k)); });
    g.PolyGrad = 1;
    Prepared(806, {2.0, 14.0, 0, 0, 0, 0});
    ASSERT_EQ(FehlerCode, 0);
    EXPECT_EQ(g.FunktionsTypen[0], 7);  // the polynomial stays in the window
    EXPECT_EQ(Zeile(), "--: kurve.dat --XAS-MUE_ZERO_FIT - polynome degree : 1  - range from 2  to 14  - ( active : 2 )\r\n");
    EXPECT_EQ(g.XasStufe[Slot()], 2);
    const Feld x = X(0, Slot()), chi = Y(0, Slot());
    EXPECT_NEAR(x.front(), 2.0, 1e-12);
    EXPECT_NEAR(x.back(), 14.0, 1e-12);
    for (size_t i = 20; i < x.size(); i += 37) EXPECT_NEAR(chi[i], 0.01 * std::sin(5.0 * x[i]), 1.5e-3);

    // 837 on a layout of three sections of 3 knots each (k weights 1, 2, 3).
    Setze(300, 1.0, 0.05, [](double k) { return (1.5 + 0.02 * k) * (1.0 + 0.01 * std::sin(5.0 * k)); });
    double* p = P();
    p[1000] = 1111.0;
    p[1001] = 3;
    for (int s = 1; s <= 3; ++s) {
        p[1001 + s] = 3;
        p[1010 + s] = s;
    }
    Prepared(837, {1.0, 15.95, 0, 10, 0, 2.5});
    ASSERT_EQ(FehlerCode, 0);
    EXPECT_EQ(SplineKnotCount, 10);
    EXPECT_EQ(Zeile(), "--: kurve.dat --XAS-MUE_ZERO - advanced cubic spline fit from : 1 , to : 15.95  - number of "
                       "sections: 3  - weighting : 2.5   -  (active : 2 )\r\n  -  spline saved as 'filename'.MUE in data "
                       "folder\r\n");
    EXPECT_STREQ(g.YText[Slot()], "^c(k)*k~2");
}
