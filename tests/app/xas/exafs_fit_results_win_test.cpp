// The results window after the in-process EXAFS refinement of the synthetic
// spectrum of exafs_fit_fixture.h: the
// "Feff SS paths" report (807), the fit-difference view with its tables
// "resid_c.dat" and "resid_f.dat" (121), the report's side files of an
// R-space fit and the complex residual of the refits.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/spectra/data_commands_fixture.h"
#include "app/xas/exafs_fit_fixture.h"
#include "app/temp_folder.h"
#include "fit/exafs_terms.h"
#include "fit/fit_model.h"
#include "fit/fit_run.h"
#include "fit/fit_run_win.h"
#include "fit/fit_statistics.h"
#include "fit/fit_statistics_win.h"
#include "fit/model_function.h"
#include "fit/residual_view.h"
#include "fit/xafs_table.h"
#include "plotting/plot_test_support.h"
#include "resource_ids.h"
#include "shell/haupt_fenster.h"
#include "shell/macro_bar.h"
#include "shell/results_window.h"
#include "shell/shell_globals.h"
#include "spectra/spectra_globals.h"
#include "xas/exafs_fit_win.h"
#include "xas/feff_path.h"
#include "xas/model_fft.h"

namespace {

using namespace exafs_fixture;

std::vector<std::vector<double>> Spalten(const std::string& pfad)
{
    std::vector<std::vector<double>> zeilen;
    for (const std::string& z : LiesZeilen(pfad)) {
        std::istringstream in(z);
        std::vector<double> w;
        double v;
        while (in >> v) w.push_back(v);
        zeilen.push_back(w);
    }
    return zeilen;
}

// The number that follows marke in the line of text that starts with
// anfang.
double ZahlNach(const std::string& text, const std::string& anfang, std::size_t spalte)
{
    const std::size_t a = text.find(anfang);
    if (a == std::string::npos) return -1e300;
    return std::atof(text.c_str() + a + spalte);
}

class ExafsFitResults : public ExafsFitFixture {
protected:
    TempOrdner daten;
    std::string alterDatenOrdner;

    void SetUp() override
    {
        ExafsFitFixture::SetUp();
        ExafsOptionen.MaxR = 6.0;
        ASSERT_NE(HAUPTDATEN.DatenOrdner, nullptr);
        alterDatenOrdner = HAUPTDATEN.DatenOrdner;
        std::snprintf(HAUPTDATEN.DatenOrdner, ORDNER_BYTES, "%s", daten.Ordner().c_str());
    }
    void TearDown() override
    {
        std::snprintf(HAUPTDATEN.DatenOrdner, ORDNER_BYTES, "%s", alterDatenOrdner.c_str());
        ResultsWindow.Ansicht = 0;
        ExafsFitFixture::TearDown();
    }

    // The model on the current curve's x in the window's model kind.
    std::vector<double> ModellAufKurve()
    {
        grafik_fenster& g = GrafikFenster[0];
        const int n = g.Punkte();
        std::vector<double> x(g.GetXFeld(-1), g.GetXFeld(-1) + n), y(4 * n + 2, 0.0);
        const int32_t alt = FitModellArt;
        FitModellArt = g.ModellArt;
        ModellFunktion(0.0, 0.0, x.data(), y.data(), n);
        FitModellArt = alt;
        y.resize(n);
        return y;
    }

    // Paints the view into a bitmap: each (quadrant, colour) pair must
    // show a trace (0 top left, 1 top right, 2 bottom left, 3 bottom right).
    void Bild(const char* datei, const std::vector<std::pair<int, COLORREF>>& spuren)
    {
        plot_test::Canvas cv(900, 640);
        ResultsWindow.FitDifferenzZeichnen(cv.dc, cv.w, cv.h);
        GdiFlush();
        for (const auto& s : spuren) {
            const int x0 = (s.first % 2) * cv.w / 2, y0 = (s.first / 2) * cv.h / 2;
            int n = 0;
            for (int y = y0; y < y0 + cv.h / 2; ++y)
                for (int x = x0; x < x0 + cv.w / 2; ++x) n += cv.Pixel(x, y) == s.second;
            EXPECT_GT(n, 100) << datei << " quadrant " << s.first << " colour " << std::hex << s.second;
        }
        char pfad[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, pfad, MAX_PATH);
        std::string ziel = pfad;
        ziel = ziel.substr(0, ziel.find_last_of("\\/") + 1) + datei;
        EXPECT_TRUE(cv.WritePng(ziel.c_str()));
    }
};

}  // namespace

// k space: the pair line repeats the fitted values, "resid_c.dat" holds
// (k, data - model), "resid_f.dat" the three transforms of the view.
TEST_F(ExafsFitResults, KSpaceReportAndDifferenceView)
{
    Chi();
    Verfeinern(1.0, -1.0, -1.0);
    ASSERT_TRUE(ResultsWindow.FitTextDa);
    const std::string fit = ResultsWindow.FitText;

    // 807 of the results window.
    SendMessageA(HAUPTDATEN.KindFenster[KIND_ERGEBNIS], WM_COMMAND, 807, 0);
    const std::string t = CommandText;
    const std::size_t s0 = fit.find("#1  S0^2");
    ASSERT_NE(s0, std::string::npos) << fit;
    EXPECT_EQ(t.substr(0, fit.find("\r\n", s0) + 2), fit.substr(0, fit.find("\r\n", s0) + 2));
    EXPECT_NE(t.find(" feff-Fit  - feff0001.dat, Cu - Cu\r\n"), std::string::npos) << t;
    const std::size_t paar = t.find("  Cu - Cu  ;");
    ASSERT_NE(paar, std::string::npos) << t;
    const std::string zeile = t.substr(paar, t.find("\r\n", paar) - paar);
    std::vector<double> feld;
    for (std::size_t p = zeile.find(';'); p != std::string::npos; p = zeile.find(';', p + 1))
        feld.push_back(std::atof(zeile.c_str() + p + 1));
    ASSERT_EQ(feld.size(), 5u) << zeile;
    // CN, R, sigma^2, E0 as the fit report prints them ("#n  caption
    // value"), to the digits the pair line keeps; w(%) 100 for one path.
    const double* p = GrafikFenster[0].Parameter;
    const double werte[4] = {p[1], p[2], p[3], p[4]};
    const int stellen[4] = {3, 4, 3, 3};
    const char* marken[4] = {"#2 ", "#3 ", "#4 ", "#5 "};
    for (int i = 0; i < 4; ++i) {
        const double bericht = ZahlNach(fit, marken[i], 17);
        EXPECT_NEAR(bericht, werte[i], 1e-6 * std::fabs(werte[i])) << marken[i];
        EXPECT_NEAR(feld[i], bericht, 0.6 * std::pow(10.0, std::floor(std::log10(std::fabs(bericht))) - stellen[i] + 1))
            << i << " " << zeile;
    }
    EXPECT_EQ(feld[4], 100.0) << zeile;
    EXPECT_NE(t.find("- Correlation matrix  :\r\n"), std::string::npos);

    // 121: the view's tables in the data folder.
    SendMessageA(HAUPTDATEN.KindFenster[KIND_ERGEBNIS], WM_COMMAND, 121, 0);
    EXPECT_EQ(ResultsWindow.Ansicht, 1);
    DIFFERENZ_ANSICHT a;
    ASSERT_TRUE(FitDifferenzBerechnen(&a));
    EXPECT_TRUE(a.KRaum);
    grafik_fenster& g = GrafikFenster[0];
    const int n = g.Punkte();
    const std::vector<double> modell = ModellAufKurve();
    const auto c = Spalten(daten.Datei("resid_c.dat"));
    ASSERT_EQ(static_cast<int>(c.size()), n);
    std::vector<double> resid(n);
    for (int i = 0; i < n; ++i) {
        resid[i] = g.GetYFeld(-1)[i] - modell[i];
        ASSERT_EQ(c[i].size(), 2u);
        EXPECT_NEAR(c[i][0], g.GetXFeld(-1)[i], 1e-9);
        EXPECT_NEAR(c[i][1], resid[i], 1e-9);
    }
    // The residual is small against the data: the fit recovered the model.
    double groesste = 0.0, rest = 0.0;
    for (int i = 0; i < n; ++i) {
        groesste = std::max(groesste, std::fabs(g.GetYFeld(-1)[i]));
        rest = std::max(rest, std::fabs(resid[i]));
    }
    EXPECT_LT(rest, 1e-3 * groesste);

    std::vector<double> rx, ry;
    std::vector<std::vector<double>> spalten;
    int32_t m = 0;
    const double* quellen[3] = {g.GetYFeld(-1), resid.data(), modell.data()};
    for (const double* quelle : quellen) {
        def_zelva z;
        m = ResidualFT(z, g.GetXFeld(-1), quelle, n, nk, rSchritt, 6.0, rx, ry);
        spalten.push_back(Betraege(ry, m));
    }
    const auto f = Spalten(daten.Datei("resid_f.dat"));
    ASSERT_EQ(static_cast<int>(f.size()), m);
    EXPECT_GT(rx[m - 1], 6.0);
    EXPECT_LE(rx[m - 2], 6.0);
    for (int s = 0; s < 3; ++s) {
        const double gr = *std::max_element(spalten[s].begin(), spalten[s].end());
        for (int i = 0; i < m; ++i) EXPECT_NEAR(f[i][s + 1], spalten[s][i], 1e-9 * gr) << s << " " << i;
    }
    for (int i = 0; i < m; ++i) EXPECT_NEAR(f[i][0], rx[i], 1e-9);
    // No side files of an R-space fit.
    EXPECT_FALSE(std::ifstream(daten.Datei("XAFS_FT_i_mag.dat")).good());
    const COLORREF gruen = 0x008000, blau = 0x800000, rot = 0x000080;
    // The model of an exact fit covers the data's trace (the long curve
    // below shows both).
    Bild("exafs_fit_difference_k.png", {{0, gruen}, {1, blau}, {2, gruen}, {3, gruen}});
}

// R space: the other quadrants (curve, model, residual as they are), the
// side files of the report with N lines of five and the chi(k) table in
// four, the k range, and the refits' residual over both halves.
TEST_F(ExafsFitResults, RSpaceSideFilesViewAndComplexResidual)
{
    Chi();
    RRaum();
    Verfeinern(-1.0, 1.4, 3.0);
    grafik_fenster& g = GrafikFenster[0];
    const int n = g.Punkte();
    const std::string fit = ResultsWindow.FitText;
    char bereich[100];
    std::snprintf(bereich, sizeof bereich, "   k range from   %.5G  to  %.5G\r\n", g.KMin, g.KMax);
    EXPECT_NE(fit.find(bereich), std::string::npos) << fit;

    const std::vector<double> modell = ModellAufKurve();
    const auto ft = Spalten(daten.Datei("XAFS_FT_i_mag.dat"));
    ASSERT_EQ(static_cast<int>(ft.size()), n);
    for (int i = 0; i < n; ++i) {
        ASSERT_EQ(ft[i].size(), 5u);
        EXPECT_NEAR(ft[i][0], g.GetXFeld(-1)[i], 1e-9);
        EXPECT_NEAR(ft[i][1], g.GetYFeld(-1)[i], 1e-9 * std::fabs(g.GetYFeld(-1)[i]) + 1e-12);
        EXPECT_NEAR(ft[i][3], modell[i], 1e-9 * std::fabs(modell[i]) + 1e-12);
    }
    const auto chi = Spalten(daten.Datei("XAFS_chi_exp_theo.dat"));
    ASSERT_EQ(chi.size(), 380u);
    for (const auto& z : chi) {
        ASSERT_EQ(z.size(), 4u);
        EXPECT_NEAR(z[3], z[1] - z[2], 1e-9);
    }
    EXPECT_NEAR(chi[0][0], 2.0, 1e-9);

    DIFFERENZ_ANSICHT a;
    ASSERT_TRUE(FitDifferenzBerechnen(&a));
    EXPECT_FALSE(a.KRaum);
    const auto f = Spalten(daten.Datei("resid_f.dat"));
    ASSERT_EQ(static_cast<int>(f.size()), n);
    for (int i = 0; i < n; ++i) {
        EXPECT_NEAR(f[i][1], g.GetYFeld(-1)[i], 1e-12);
        EXPECT_NEAR(f[i][2], modell[i], 1e-9 * std::fabs(modell[i]) + 1e-12);
        EXPECT_NEAR(f[i][3], g.GetYFeld(-1)[i] - modell[i], 1e-9);
    }
    EXPECT_FALSE(std::ifstream(daten.Datei("resid_c.dat")).good());
    ResultsWindow.Ansicht = 1;
    const COLORREF gruen = 0x008000, blau = 0x800000, rot = 0x000080;
    Bild("exafs_fit_difference_r.png", {{0, gruen}, {1, blau}, {2, rot}, {3, rot}, {3, gruen}});

    // The refits of 522 and 523 take the weighted residual of magnitudes
    // and imaginary parts: 2N + 1 values.
    NACHFIT_AUFBAU nach = NachfitAufbau(&HAUPTDATEN, g);
    ASSERT_TRUE(nach.Gewichte && nach.ImagDaten && nach.ImagModell);
    std::vector<double> werte;
    for (int i = 0; i < n; ++i) werte.push_back(Numerik.difference[i] * FitGewichte[i]);
    werte.push_back(0.0);
    for (int i = 0; i < n; ++i) werte.push_back((FitImagDaten[i] - FitImagModell[i]) * FitGewichte[i]);
    double mittel = 0.0, varianz = 0.0;
    Numerik.avevar(werte.data(), static_cast<int32_t>(werte.size()), mittel, varianz);
    EXPECT_DOUBLE_EQ(ResiduumVarianz(nach), varianz);
    // A k-space slot keeps the difference array alone.
    g.KurvenFlags[g.AktuellerSlot()] &= ~SLOT_FIT_ANSICHT;
    EXPECT_EQ(NachfitAufbau(&HAUPTDATEN, g).Gewichte, nullptr);
}

// A k curve of 5,000 points: the view's residual and tables cover every
// point.
TEST_F(ExafsFitResults, LongCurveIsNotCut)
{
    const int m = 5000;
    Chi(m, 14.0 / (m - 1));
    grafik_fenster& g = GrafikFenster[0];
    g.ModellArt = 6;
    // A slightly different model than the data.
    g.Parameter[0] = 0.8;
    FitModellLaden(g);
    DIFFERENZ_ANSICHT a;
    ASSERT_TRUE(FitDifferenzBerechnen(&a));
    ASSERT_EQ(static_cast<int>(a.Residuum.size()), m);
    const auto c = Spalten(daten.Datei("resid_c.dat"));
    ASSERT_EQ(static_cast<int>(c.size()), m);
    EXPECT_NEAR(c[m - 1][0], 16.0, 1e-9);
    // data = 0.87 / 0.8 model.
    const std::vector<double> modell = ModellAufKurve();
    for (int i = 0; i < m; i += 499) EXPECT_NEAR(c[i][1], modell[i] * (0.87 / 0.8 - 1.0), 1e-9) << i;
    ResultsWindow.Ansicht = 1;
    const COLORREF gruen = 0x008000, blau = 0x800000, rot = 0x000080;
    Bild("exafs_fit_difference_long.png", {{0, gruen}, {1, blau}, {2, rot}, {2, gruen}, {3, rot}, {3, blau}, {3, gruen}});
}

// [S0^2, paths 1-3 of FEFF 8.5's copper (tests/app/xas/data/cu_feff85_noSCF,
// copied from ../shared/data/feff/cu_feff85_noSCF)]: after the refinement
// the path report keeps the two single-scattering blocks and passes over
// path 3's three-leg block.
TEST_F(ExafsFitResults, PathReportPassesOverTheMultipleScatteringPath)
{
    const std::string feff85 = KORLAN_TEST_DIR "/app/xas/data/cu_feff85_noSCF/files.dat";
    for (int r = 1; r <= 3; ++r) {
        FeffPfadFreigeben(&FeffPfade[r]);
        FeffPfade[r].Pfadnummer = r;
        std::snprintf(FeffPfade[r].FilesDatPfad, sizeof FeffPfade[r].FilesDatPfad, "%s", feff85.c_str());
    }
    grafik_fenster& g = GrafikFenster[0];
    // S0^2; N, R, sigma^2, E0 of the three paths.
    const double wahr[13] = {0.9, 12, 2.5427, 0.0086, 2.0, 6, 3.62, 0.012, 2.0, 48, 3.829, 0.012, 2.0};
    const int m = 380;
    double* x = g.GetXFeld(0);
    for (int i = 0; i < m; ++i) x[i] = 2.0 + i * 0.04;
    for (int s = 0; s < 4; ++s) {
        g.DateiInfo.PunkteProKurve[s] = s == 0 ? m : 0;
        g.KurvenFlags[s] = 0;
    }
    g.KurvenZaehler = g.NeuesterZaehler = 0;
    g.KurvenFlags[0] = SLOT_K_FIT;
    g.SetFullBorder();
    g.AnzahlFunktionen = 4;
    g.FunktionsTypen[0] = 25;
    for (int i = 1; i < 4; ++i) g.FunktionsTypen[i] = 21;
    std::copy(wahr, wahr + 13, g.Parameter);
    FitModellLaden(g);
    ASSERT_EQ(ResetModelTables(), 13);
    for (int r = 1; r <= 3; ++r) ASSERT_GT(LoadFeffPath(1, &FeffPfade[r], m, x), 0) << r;
    ModellKGewicht = 2.0;
    FitModellArt = 6;
    ModellFunktion(0.0, 0.0, x, g.GetYFeld(0), m);
    FitModellArt = 0;

    // Start off the truth; the coordination numbers and path 3 held.
    const double start[13] = {0.85, 12, 2.55, 0.007, 1.0, 6, 3.61, 0.010, 2.0, 48, 3.829, 0.012, 2.0};
    std::copy(start, start + 13, g.Parameter);
    ASSERT_EQ(ResetModelTables(), 13);
    for (int p : {1, 5, 9, 10, 11, 12}) FixParameter(p);
    Numerik.SetAnzahl(-1, MaxParameter, MaxFitParameter);
    const double dw[14] = {21, -1, 3, 2, -1, -1, 1.0, -1, -1, 1, 1, -1, -1, 0};
    std::copy(dw, dw + 14, HAUPTDATEN.DialogWerte);
    HAUPTDATEN.MakroSchrittAktiv = 1;
    HAUPTDATEN.Befehl(807, LP_PREPARED);
    ASSERT_EQ(FehlerCode, 0);
    MSG msg;
    while (PeekMessageA(&msg, hwnd, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {}
    for (int k = 0; k < 300; ++k) {
        HAUPTDATEN.Befehl(507, LP_PREPARED);
        while (PeekMessageA(&msg, hwnd, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {}
        if (HAUPTDATEN.FitZustand != 1) break;
    }
    ASSERT_EQ(HAUPTDATEN.FitZustand, -1);
    HAUPTDATEN.Befehl(CM_FIT_CANCEL, 0);
    HAUPTDATEN.MakroSchrittAktiv = 0;
    EXPECT_NEAR(g.Parameter[2], wahr[2], 1e-4);
    EXPECT_NEAR(g.Parameter[6], wahr[6], 1e-3);

    const std::string fit = ResultsWindow.FitText;
    ASSERT_NE(fit.find("feff0003.dat, MS(3)"), std::string::npos) << fit;
    SendMessageA(HAUPTDATEN.KindFenster[KIND_ERGEBNIS], WM_COMMAND, 807, 0);
    const std::string t = CommandText;
    EXPECT_NE(t.find(" feff-Fit  - feff0001.dat, Cu - Cu\r\n"), std::string::npos) << t;
    EXPECT_NE(t.find(" feff-Fit  - feff0002.dat, Cu - Cu\r\n"), std::string::npos) << t;
    EXPECT_EQ(t.find("MS("), std::string::npos) << t;
    EXPECT_EQ(t.find("#10 "), std::string::npos);
    // Both single-scattering blocks end with their parameter lines.
    EXPECT_NE(t.find("#9 "), std::string::npos);
    // One pair line per single-scattering path.
    std::size_t paare = 0;
    for (std::size_t p = t.find("  Cu - Cu  ;"); p != std::string::npos; p = t.find("  Cu - Cu  ;", p + 1)) ++paare;
    EXPECT_EQ(paare, 2u) << t;
    for (int r = 2; r <= 3; ++r) FeffPfadFreigeben(&FeffPfade[r]);
}
