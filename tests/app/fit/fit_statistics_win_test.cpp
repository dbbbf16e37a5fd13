// Restore parameters (521), the automated F tests (522) and the confidence
// limits (523) in-process after a fit run as the macro player drives it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/spectra/data_commands_fixture.h"
#include "fit/fit_model.h"
#include "fit/fit_run.h"
#include "fit/fit_statistics.h"
#include "resource_ids.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "shell/menu_rules.h"
#include "shell/shell_globals.h"
#include "spectra/ascii_file.h"
#include "spectra/spectra_globals.h"

class StatistikBefehle : public EditFixture {
protected:
    void SetUp() override
    {
        EditFixture::SetUp();
        HAUPTDATEN.ModellCallback = ModellFunktion;
        HAUPTDATEN.FitZustand = 0;
        HAUPTDATEN.MakroSchrittAktiv = 0;
        antwort = IDNO;  // the statistics only when a test asks for them
        Numerik.SetExpError(0.001);
        Numerik.SetWichtung(1);
        Numerik.SetFunction(ModellFunktion);
        Numerik.SetFitProcedure(0, nullptr);
        // A Gaussian on a constant, 201 points, with a little ripple.
        grafik_fenster& g = GrafikFenster[0];
        for (int i = 0; i <= 200; ++i) {
            const double x = i / 10.0, u = (x - 9.0) / 3.0;
            g.GetXFeld(0)[i] = x;
            g.GetYFeld(0)[i] = 5.0 * std::exp(-2.772589 * u * u) + 1.0 + 0.02 * std::sin(3.0 * i);
        }
        for (int s = 0; s < 4; ++s) {
            g.DateiInfo.PunkteProKurve[s] = s == 0 ? 201 : 0;
            g.KurvenFlags[s] = 0;
        }
        g.KurvenZaehler = 0;
        g.SetFullBorder();
        g.AnzahlFunktionen = 2;
        g.FunktionsTypen[0] = 1;
        g.FunktionsTypen[1] = 7;
        g.PolyGrad = 0;
        const double start[4] = {4.5, 9.5, 3.3, 0.9};
        for (int p = 0; p < 4; ++p) g.Parameter[p] = start[p];
        BefehlsFenster(&HAUPTDATEN, false);
        ASSERT_EQ(ResetModelTables(), 4);
    }
    void TearDown() override
    {
        HAUPTDATEN.FitZustand = 0;
        SetMenu(hwnd, HAUPTDATEN.Hauptmenue);
        EditFixture::TearDown();
    }
    // The fit to its end as the player runs it, then its end (command 22).
    void Fitten()
    {
        for (int k = 0; k < 500; ++k) {
            HAUPTDATEN.Befehl(507, LP_PREPARED);
            MSG m;
            while (PeekMessageA(&m, hwnd, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {}
            if (HAUPTDATEN.FitZustand != 1) break;
        }
        ASSERT_EQ(HAUPTDATEN.FitZustand, -1);
        HAUPTDATEN.Befehl(CM_FIT_CANCEL, 0);
        ASSERT_EQ(HAUPTDATEN.FitZustand, 0);
        // The report leaves the results window on top.
        BringWindowToTop(grafik[0]);
    }
    bool Wiederherstellbar(int w)
    {
        MENUE_ZUSTAND z;
        return MenueZustandLeser && MenueZustandLeser(w, &z) && z.Wiederherstellbar;
    }
};

TEST_F(StatistikBefehle, RestoreOnlyIntoTheModelTheStartValuesBelongTo)
{
    grafik_fenster& g = GrafikFenster[0];
    EXPECT_FALSE(Wiederherstellbar(0));
    Fitten();
    EXPECT_NEAR(g.Parameter[1], 9.0, 1e-3);
    EXPECT_TRUE(Wiederherstellbar(0));
    // Window 1 has a model of its own: nothing goes there.
    grafik_fenster& h = GrafikFenster[1];
    Kurve(1, 20, [](double x) { return x; });
    h.AnzahlFunktionen = 2;
    h.FunktionsTypen[0] = 1;
    h.FunktionsTypen[1] = 7;
    for (int p = 0; p < 4; ++p) h.Parameter[p] = 100.0 + p;
    EXPECT_FALSE(Wiederherstellbar(1));
    BringWindowToTop(grafik[1]);
    HAUPTDATEN.Befehl(521, 0);
    for (int p = 0; p < 4; ++p) EXPECT_EQ(h.Parameter[p], 100.0 + p) << p;
    // A changed model in window 0: not either.
    BringWindowToTop(grafik[0]);
    g.PolyGrad = 1;
    EXPECT_FALSE(Wiederherstellbar(0));
    HAUPTDATEN.Befehl(521, 0);
    EXPECT_NEAR(g.Parameter[1], 9.0, 1e-3);
    // The model the fit ran on gets its start values back, once.
    g.PolyGrad = 0;
    HAUPTDATEN.Befehl(521, 0);
    EXPECT_EQ(g.Parameter[0], 4.5);
    EXPECT_EQ(g.Parameter[1], 9.5);
    EXPECT_EQ(g.Parameter[3], 0.9);
    EXPECT_FALSE(Wiederherstellbar(0));
}

TEST_F(StatistikBefehle, FTestAndConfidenceLimitsAfterTheFit)
{
    grafik_fenster& g = GrafikFenster[0];
    // Before any fit there is nothing to test.
    boxen.clear();
    HAUPTDATEN.Befehl(522, 0);
    EXPECT_EQ(boxen.size(), 1u);
    Fitten();
    const std::vector<double> gefittet(g.Parameter, g.Parameter + 4);
    const std::vector<int32_t> liste(FreeParameterList, FreeParameterList + 4);
    const std::vector<int32_t> flags(ParameterFlags, ParameterFlags + 4);
    const int32_t maxFit = MaxFitParameter;
    CommandText[0] = 0;
    HAUPTDATEN.Befehl(522, 0);
    std::string t = CommandText;
    EXPECT_EQ(t.rfind("\r\n -- Automated F-test for current fitting parameters -  \r\n Original R value: ", 0), 0u)
        << t;
    for (const char* par : {" Par #01:", " Par #02:", " Par #03:", " Par #04:"})
        EXPECT_NE(t.find(par), std::string::npos) << par;
    EXPECT_NE(Historie().find("Automated F-test"), std::string::npos);
    EXPECT_EQ(std::vector<double>(g.Parameter, g.Parameter + 4), gefittet);
    EXPECT_EQ(std::vector<int32_t>(FreeParameterList, FreeParameterList + 4), liste);
    EXPECT_EQ(std::vector<int32_t>(ParameterFlags, ParameterFlags + 4), flags);
    EXPECT_EQ(MaxFitParameter, maxFit);

    HAUPTDATEN.KonfidenzNiveau = 0.9;
    CommandText[0] = 0;
    BringWindowToTop(grafik[0]);
    HAUPTDATEN.Befehl(523, 0);
    HAUPTDATEN.KonfidenzNiveau = 0.95;
    t = CommandText;
    EXPECT_EQ(t.rfind("\r\n -- Confidence limits of current fitting parameters -  \r\n"
                      " Variation of residual within 90 % \r\n\r\n Par #01:  ",
                      0),
              0u)
        << t;
    EXPECT_EQ(t.find("search failed"), std::string::npos) << t;
    for (int p = 0; p < 4; ++p) EXPECT_NEAR(g.Parameter[p], gefittet[p], 1e-6 * (1 + std::fabs(gefittet[p])));
    EXPECT_EQ(std::vector<int32_t>(FreeParameterList, FreeParameterList + 4), liste);
    EXPECT_EQ(MaxFitParameter, maxFit);
}

// 519: the parameter table of a point-by-point model, then a fit without
// dialogs (507 with lParam 2 posted); other model kinds and Cancel start
// nothing.
TEST_F(StatistikBefehle, ParameterTableStartsAPreparedFit)
{
    grafik_fenster& g = GrafikFenster[0];
    auto gepostet = [this] {
        MSG m;
        bool fit = false;
        while (PeekMessageA(&m, hwnd, WM_COMMAND, WM_COMMAND, PM_REMOVE))
            if (LOWORD(m.wParam) == 507 && m.lParam == LP_PREPARED) fit = true;
        return fit;
    };
    gepostet();
    EXPECT_TRUE(MitDialogen({Druecke(IDCANCEL)}, [] { HAUPTDATEN.Befehl(519, 0); }));
    EXPECT_FALSE(gepostet());
    EXPECT_TRUE(MitDialogen({Druecke(IDOK)}, [] { HAUPTDATEN.Befehl(519, 0); }));
    EXPECT_TRUE(gepostet());
    g.ModellArt = 4;
    HAUPTDATEN.Befehl(519, 0);
    EXPECT_FALSE(gepostet());
    g.ModellArt = 0;
}

// The end of a fit run by the user offers the statistics: "Yes" runs the
// confidence limits and then the F tests into the history.
namespace {

WNDPROC altesStatic = nullptr;

// As the graphic window does, a redraw brings the stand-in to the front.
LRESULT CALLBACK NachVorn(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COMMAND && LOWORD(wParam) == CM_REDRAW) BringWindowToTop(h);
    return CallWindowProcA(altesStatic, h, msg, wParam, lParam);
}

}  // namespace

TEST_F(StatistikBefehle, TheEndOfAFitOffersTheStatistics)
{
    altesStatic = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(grafik[0], GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(NachVorn)));
    KonfidenzFrage = 1;
    antwort = IDYES;
    Fitten();
    const std::string h = Historie();
    const size_t konfidenz = h.find(" -- Confidence limits of current fitting parameters");
    const size_t ftest = h.find(" -- Automated F-test for current fitting parameters");
    ASSERT_NE(konfidenz, std::string::npos) << h;
    ASSERT_NE(ftest, std::string::npos) << h;
    EXPECT_LT(konfidenz, ftest);
    KonfidenzFrage = 0;
    SetWindowLongPtrA(grafik[0], GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(altesStatic));
}

// 520: the scan of two parameters around the fitted values. A tolerance
// that admits nothing shows the two notices and changes nothing; one that
// admits every grid point gives an outline whose p2 half-width is
// w2 r2 (nX - 1) / nX, and the R grid goes to "Fit_Contour.dxa" with
// nX + 1 columns of nY rows.
TEST_F(StatistikBefehle, ContourOfTwoParametersWritesTheGridAndItsOutline)
{
    grafik_fenster& g = GrafikFenster[0];
    g.ZeigeDaten = 1;
    Fitten();
    const std::vector<double> gefittet(g.Parameter, g.Parameter + 4);
    ASSERT_NE(HAUPTDATEN.DatenOrdner, nullptr);
    const std::string datenOrdner = HAUPTDATEN.DatenOrdner;
    std::snprintf(HAUPTDATEN.DatenOrdner, ORDNER_BYTES, "%s", ordner.c_str());
    const int32_t slot = g.AktuellerSlot();

    bool hinweise = false;
    std::string grenze1, grenze2;
    auto lies = [&](HWND dlg) {
        hinweise = IsWindowVisible(GetDlgItem(dlg, IDC_FK_HINWEIS1)) && IsWindowVisible(GetDlgItem(dlg, IDC_FK_HINWEIS2));
    };
    ASSERT_TRUE(MitDialogen({SetzeText(IDC_FK_TOLERANZ, "100"), Druecke(IDC_FK_ZEIGEN), lies, Druecke(IDCANCEL)},
                            [] { HAUPTDATEN.Befehl(520, 0); }));
    EXPECT_TRUE(hinweise);
    EXPECT_EQ(g.AktuellerSlot(), slot);
    EXPECT_EQ(std::vector<double>(g.Parameter, g.Parameter + 4), gefittet);

    auto grenzen = [&](HWND dlg) {
        lies(dlg);
        char t[40] = "";
        GetDlgItemTextA(dlg, IDC_FK_GRENZE1, t, sizeof t);
        grenze1 = t;
        GetDlgItemTextA(dlg, IDC_FK_GRENZE2, t, sizeof t);
        grenze2 = t;
        EXPECT_TRUE(FensterFoto(dlg, "fit_contour.png"));
    };
    ASSERT_TRUE(MitDialogen({SetzeText(IDC_FK_TOLERANZ, "-1E8"), SetzeText(IDC_FK_BEREICH1, "2"),
                             SetzeText(IDC_FK_BEREICH2, "4"), Druecke(IDC_FK_ZEIGEN), grenzen, Druecke(IDOK)},
                            [] { HAUPTDATEN.Befehl(520, 0); }));
    std::snprintf(HAUPTDATEN.DatenOrdner, ORDNER_BYTES, "%s", datenOrdner.c_str());
    EXPECT_FALSE(hinweise);
    EXPECT_NEAR(std::atof(grenze2.c_str()), gefittet[1] * 0.04 * 49.0 / 50.0, 1e-3 * gefittet[1] * 0.04) << grenze2;
    EXPECT_GT(std::atof(grenze1.c_str()), 0.0);
    // "Save": the outline is the current curve, 2500 - 2 points, p1 rising.
    EXPECT_EQ(g.AktuellerSlot(), (slot + 1) & 3);
    const std::vector<double> x = X(0, g.AktuellerSlot());
    EXPECT_EQ(x.size(), 2498u);
    // Drawn only where x rises.
    for (size_t i = 1; i < x.size(); ++i) ASSERT_LT(x[i - 1], x[i]) << i << " " << x[0] << " " << x[1];
    const std::vector<double> y = Y(0, g.AktuellerSlot());
    for (size_t i = 0; i < y.size(); ++i) ASSERT_NEAR(y[i], gefittet[1], 0.041 * gefittet[1]) << i;
    EXPECT_STREQ(g.XText[g.AktuellerSlot()], "R(Parameter # 1)");
    EXPECT_STREQ(g.YText[g.AktuellerSlot()], "R(Parameter # 2)");
    EXPECT_EQ(std::vector<double>(g.Parameter, g.Parameter + 4), gefittet);

    // The file, read back with the program's readers: x = p1 of the first
    // column, then one R column per p2 value, as the scan gives them.
    KONTUR_EINSTELLUNG k;
    k.R1 = 0.02;
    k.R2 = 0.04;
    k.T = -1e6;
    const KONTUR_ERGEBNIS e = KonturScan(Numerik, k, nullptr);
    ASSERT_EQ(e.R.size(), 50u);
    DateiInfo info;
    DateiInfoLeeren(&info);
    std::snprintf(info.Ordner, sizeof info.Ordner, "%s\\", ordner.c_str());
    std::snprintf(info.DateiName, sizeof info.DateiName, "Fit_Contour.dxa");
    SpektrumDaten d;
    int32_t fehler = 0;
    ASSERT_EQ(LeseSpektrum(&info, &d, nullptr, nullptr, &fehler), 50) << fehler;
    for (int b = 0; b < 50; ++b) {
        EXPECT_NEAR(d.x[b], (0.98 + b * 0.04 / 50.0) * gefittet[0], 1e-6 * gefittet[0]) << b;
        EXPECT_NEAR(d.y[b], e.R[0][b], 1e-6 * std::fabs(e.R[0][b])) << b;
    }
    // Column 1 is x; columns 2 to 51 the R values of the 50 p2 values.
    std::vector<double> spalte(100);
    ASSERT_EQ(LeseSerienFrame(info, spalte.data(), 100, 0, 0.0, 2), 0);
    int spalten = 0;
    for (int f = 1; f <= 60; ++f) {
        const int32_t n = LeseSerienFrame(info, spalte.data(), 100, f, 0.0, 2);
        if (n < 0) break;
        ASSERT_EQ(n, 50);
        for (int b = 0; b < 50; ++b) {
            const double soll = f == 1 ? d.x[b] : e.R[f - 2][b];
            ASSERT_NEAR(spalte[b], soll, 1e-6 * std::fabs(soll)) << f;
        }
        ++spalten;
    }
    LeseSerienFrame(info, spalte.data(), 100, -1, 0.0, 2);
    EXPECT_EQ(spalten, 51);

    // In a replay the dialog would wait for a person: 1000.
    FehlerCode = 0;
    HAUPTDATEN.Befehl(520, LP_PREPARED);
    EXPECT_EQ(FehlerCode, 1000);
    FehlerCode = 0;
}
