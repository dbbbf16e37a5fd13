// The fit command 507 and its run in-process: as the macro player drives
// it (lParam 2), its failures, the F test between two fits and the report
// that command 22 writes.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "app/spectra/data_commands_fixture.h"
#include "fit/fit_model.h"
#include "fit/fit_run.h"
#include "fit/fit_run_win.h"
#include "resource_ids.h"
#include "shell/dispatcher.h"
#include "shell/macro_bar.h"
#include "shell/haupt_fenster.h"
#include "shell/results_window.h"
#include "shell/shell_globals.h"

namespace {

// The profiles' 4 ln 2 as the evaluator rounds it.
const double GAUSS = 2.772589;
const double WAHR[13] = {5, 20, 7, 3, 38, 11.8, 4, 60, 5.9, 2, 78, 14.1, 0.5};

double Synthetisch(double x)
{
    double y = WAHR[12];
    for (int k = 0; k < 4; ++k) {
        const double u = (x - WAHR[3 * k + 1]) / WAHR[3 * k + 2];
        y += WAHR[3 * k] * std::exp(-GAUSS * u * u);
    }
    return y;
}

std::string TextVon(HWND h)
{
    char t[200] = "";
    GetWindowTextA(h, t, sizeof t);
    return t;
}

}  // namespace

class FitRunWin : public EditFixture {
protected:
    void SetUp() override
    {
        EditFixture::SetUp();
        HAUPTDATEN.ModellCallback = ModellFunktion;
        HAUPTDATEN.FitErneuerung[0] = 1;
        HAUPTDATEN.FitErneuerung[1] = 0;
        HAUPTDATEN.FitZustand = 0;
        HAUPTDATEN.MakroSchrittAktiv = 0;
        FitSignatur = 0;
        // The end of a fit asks whether the statistics should follow; these
        // tests look at the report alone.
        antwort = IDNO;
        Numerik.SetExpError(0.001);
        Numerik.SetWichtung(1);
        Numerik.SetFunction(ModellFunktion);
        Numerik.SetFitProcedure(0, nullptr);
        // 1,001 points on 0 ... 100.
        grafik_fenster& g = GrafikFenster[0];
        for (int i = 0; i <= 1000; ++i) {
            g.GetXFeld(0)[i] = i / 10.0;
            g.GetYFeld(0)[i] = Synthetisch(i / 10.0);
        }
        for (int s = 0; s < 4; ++s) {
            g.DateiInfo.PunkteProKurve[s] = s == 0 ? 1001 : 0;
            g.KurvenFlags[s] = 0;
        }
        g.KurvenZaehler = 0;
        g.SetFullBorder();
        Modell4();
    }
    void TearDown() override
    {
        HAUPTDATEN.FitZustand = 0;
        HAUPTDATEN.MakroSchrittAktiv = 0;
        SetMenu(hwnd, HAUPTDATEN.Hauptmenue);
        EditFixture::TearDown();
    }
    // [4 Gaussians, polynomial degree 0], started 5-10 % off.
    void Modell4()
    {
        grafik_fenster& g = GrafikFenster[0];
        g.AnzahlFunktionen = 5;
        const int32_t t[5] = {1, 1, 1, 1, 7};
        for (int i = 0; i < 5; ++i) g.FunktionsTypen[i] = t[i];
        g.PolyGrad = 0;
        const double faktor[13] = {1.05, 1.06, 0.93, 0.92, 1.05, 1.08, 1.07, 0.95, 0.91, 1.1, 1.05, 0.94, 1.1};
        for (int p = 0; p < 13; ++p) g.Parameter[p] = WAHR[p] * faktor[p];
        BefehlsFenster(&HAUPTDATEN, false);
        ASSERT_EQ(ResetModelTables(), 13);
    }
    // The player's loop: 507 with lParam 2 until the state is -1, the
    // states seen on the way; the fit's own posts are taken out.
    std::vector<int32_t> Lauf(int grenze = 500)
    {
        std::vector<int32_t> zustaende;
        for (int k = 0; k < grenze; ++k) {
            HAUPTDATEN.Befehl(507, LP_PREPARED);
            MSG m;
            while (PeekMessageA(&m, hwnd, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {}
            zustaende.push_back(HAUPTDATEN.FitZustand);
            if (HAUPTDATEN.FitZustand != 1) break;
        }
        return zustaende;
    }
};

TEST_F(FitRunWin, SyntheticFourGaussiansAsThePlayerRunsIt)
{
    const std::vector<double> start(GrafikFenster[0].Parameter, GrafikFenster[0].Parameter + 13);
    const std::vector<int32_t> z = Lauf();
    ASSERT_FALSE(z.empty());
    EXPECT_EQ(z.back(), -1);
    for (size_t k = 0; k + 1 < z.size(); ++k) EXPECT_EQ(z[k], 1) << k;
    // The fit mode: no menu, the panel shown.
    EXPECT_EQ(GetMenu(hwnd), nullptr);
    EXPECT_TRUE(IsWindowVisible(HAUPTDATEN.FitPanel[FIT_CANCEL]));
    EXPECT_EQ(TextVon(HAUPTDATEN.FitPanel[FIT_CANCEL]), "OK");
    for (int p = 0; p < 13; ++p) {
        EXPECT_NEAR(GrafikFenster[0].Parameter[p], WAHR[p], 1e-6) << p;
        EXPECT_EQ(CommandArgs[p], start[p]) << p;
        EXPECT_EQ(FitStartWerte[p], start[p]) << p;
    }
    EXPECT_NE(std::string(StatusText).find("Iterations:"), std::string::npos);

    HAUPTDATEN.Befehl(CM_FIT_CANCEL, 0);
    EXPECT_EQ(HAUPTDATEN.FitZustand, 0);
    EXPECT_EQ(GetMenu(hwnd), HAUPTDATEN.Hauptmenue);
    EXPECT_FALSE(IsWindowVisible(HAUPTDATEN.FitPanel[FIT_CANCEL]));
    for (int p = 0; p < 13; ++p) EXPECT_EQ(CommandArgs[p], GrafikFenster[0].Parameter[p]) << p;
    const std::string bericht = CommandText;
    EXPECT_EQ(bericht.rfind("--LEAST-SQUARES FIT", 0), 0u) << bericht;
    EXPECT_NE(bericht.find("-- FILE :  kurve.dat"), std::string::npos);
    EXPECT_NE(bericht.find("#8  Position:     60"), std::string::npos) << bericht;
    size_t fehler = 0;
    for (size_t a = bericht.find(" +- "); a != std::string::npos; a = bericht.find(" +- ", a + 1)) ++fehler;
    EXPECT_EQ(fehler, 13u);
    // The areas of the Gaussians: the closed form of each whole line, also
    // of the one at 78 whose tail reaches beyond the section's end at 100.
    for (int f = 1; f <= 4; ++f) {
        const double h = WAHR[3 * f - 3], w = WAHR[3 * f - 1];
        const double flaeche = h * w * std::sqrt(3.14159265358979 / (4.0 * std::log(2.0)));
        EXPECT_NEAR(CommandArgs[1000 + f], flaeche, 1e-6 * flaeche) << f;
    }
    EXPECT_NEAR(CommandArgs[1005], 50.0, 1e-9);
    EXPECT_NE(std::string(ResultsWindow.FitText).find("- Correlation matrix  :"), std::string::npos);
}

TEST_F(FitRunWin, FailureEndsTheFitWithTheLastGoodParameters)
{
    // A duplicate entry in the list of fitted parameters.
    FreeParameterList[1] = 0;
    const std::vector<double> start(GrafikFenster[0].Parameter, GrafikFenster[0].Parameter + 13);
    boxen.clear();
    HAUPTDATEN.Befehl(507, LP_PREPARED);
    EXPECT_EQ(HAUPTDATEN.FitZustand, 0);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].text, "Error in fit algorithm!\r\n Parameters may exceed limits.");
    EXPECT_EQ(GetMenu(hwnd), HAUPTDATEN.Hauptmenue);
    EXPECT_FALSE(IsWindowVisible(HAUPTDATEN.FitPanel[FIT_CANCEL]));
    for (int p = 0; p < 13; ++p) EXPECT_EQ(GrafikFenster[0].Parameter[p], start[p]) << p;

    // In a macro the run goes on and the report says that it failed.
    boxen.clear();
    HAUPTDATEN.MakroSchrittAktiv = 1;
    HAUPTDATEN.Befehl(507, LP_PREPARED);
    EXPECT_EQ(HAUPTDATEN.FitZustand, -1);
    EXPECT_TRUE(boxen.empty());
    EXPECT_EQ(FitFehlgeschlagen, 101);
    HAUPTDATEN.Befehl(CM_FIT_CANCEL, 0);
    HAUPTDATEN.MakroSchrittAktiv = 0;
    EXPECT_EQ(HAUPTDATEN.FitZustand, 0);
    EXPECT_EQ(std::string(CommandText).rfind(" FIT FAILED: Error in fit algorithm!", 0), 0u) << CommandText;
}

TEST_F(FitRunWin, MissingSetUpHasItsOwnMessage)
{
    GrafikFenster[0].DateiInfo.PunkteProKurve[0] = 0;
    boxen.clear();
    HAUPTDATEN.Befehl(507, LP_PREPARED);
    EXPECT_EQ(HAUPTDATEN.FitZustand, 0);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].text, "Error in fit set-up!\r\n No data points, model or free parameters.");
}

TEST_F(FitRunWin, FTestAfterARefitOfTheSameModel)
{
    Lauf();
    HAUPTDATEN.Befehl(CM_FIT_CANCEL, 0);
    const std::string erster = StatusText;
    EXPECT_NE(erster.find("No F-Test!"), std::string::npos);
    // The same model from the same start on the same curve.
    Modell4();
    Lauf();
    EXPECT_NE(std::string(StatusText).find("F-Test:        "), std::string::npos) << StatusText;
    HAUPTDATEN.Befehl(CM_FIT_CANCEL, 0);
    // One function more: a small fifth Gaussian before the polynomial.
    grafik_fenster& g = GrafikFenster[0];
    Modell4();
    g.AnzahlFunktionen = 6;
    g.FunktionsTypen[4] = 1;
    g.FunktionsTypen[5] = 7;
    g.Parameter[12] = 0.01;
    g.Parameter[13] = 90;
    g.Parameter[14] = 5;
    g.Parameter[15] = 0.5;
    BefehlsFenster(&HAUPTDATEN, false);
    ASSERT_EQ(ResetModelTables(), 16);
    HAUPTDATEN.Befehl(507, LP_PREPARED);
    EXPECT_NE(std::string(StatusText).find("No F-Test!"), std::string::npos);
}

TEST_F(FitRunWin, PreparedFitOutsideAReplayKeepsItsStartValues)
{
    // 519 and the XANES fit leave 1.0 in the first dialog value: no search.
    HAUPTDATEN.DialogWerte[0] = 1.0;
    const std::vector<double> start(GrafikFenster[0].Parameter, GrafikFenster[0].Parameter + 13);
    HAUPTDATEN.Befehl(507, LP_PREPARED);
    ASSERT_EQ(HAUPTDATEN.FitZustand, 1);
    for (int p = 0; p < 13; ++p) EXPECT_EQ(CommandArgs[p], start[p]) << p;
}

TEST_F(FitRunWin, SeriesAnalysisTakesTheLongReport)
{
    Lauf();
    RedrawPerMessage = 0;
    HAUPTDATEN.Befehl(CM_FIT_CANCEL, 0);
    RedrawPerMessage = 1;
    const std::string lang = ResultsWindow.FitText;
    EXPECT_EQ(std::string(CommandText), lang);
    EXPECT_NE(lang.find("reduced chi2:"), std::string::npos);
    EXPECT_NE(lang.find("initial parameter"), std::string::npos);
}

TEST_F(FitRunWin, ContinueAfterTheEndDoesNothing)
{
    HAUPTDATEN.Befehl(507, LP_CONTINUE_FIT);
    EXPECT_EQ(HAUPTDATEN.FitZustand, 0);
    EXPECT_EQ(GetMenu(hwnd), HAUPTDATEN.Hauptmenue);
}

// A hand-written macro: a 507 step recorded after a peak search, with
// both Gaussians started at the same place, from which no fit separates
// them. The replay searches on the curve and reaches the true values.
// (The library's peak search finds the two narrow peaks of the synthetic
// spectrum only, so this curve holds those two.)
TEST_F(FitRunWin, ReplayedStepWithPeakSearch)
{
    const double wahr[7] = {5, 20, 7, 4, 60, 5.9, 0.5};
    grafik_fenster& g = GrafikFenster[0];
    for (int i = 0; i <= 1000; ++i) {
        const double x = i / 10.0;
        double y = wahr[6];
        for (int k = 0; k < 2; ++k) {
            const double u = (x - wahr[3 * k + 1]) / wahr[3 * k + 2];
            y += wahr[3 * k] * std::exp(-GAUSS * u * u);
        }
        g.GetYFeld(0)[i] = y;
    }
    std::string mak = "Makro\n507,1,0,!,1,50,10,1,50,10,0\n6\n6\n3,1,1,7,0\n";
    mak += "0,1,2,3,4,5,6\n0,0,0,0,0,0,0\n0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\n"
           "0,0,0,0,0,0,0\n0,0,0,0,0,0,0\n";
    Schreibe("suche.MAK", mak);
    ButtonBar.MakroDatei = std::fopen(Pfad("suche.MAK").c_str(), "r");
    ASSERT_NE(ButtonBar.MakroDatei, nullptr);
    boxen.clear();
    EXPECT_EQ(ButtonBar.MakroRun(1, -1), 1);
    ButtonBar.MakroClose();
    for (const GezeigteBox& b : boxen) EXPECT_EQ(b.text.find("stopped"), std::string::npos) << b.text;
    EXPECT_EQ(HAUPTDATEN.FitZustand, 0);
    EXPECT_EQ(MakroFitMitSuche, 0);
    for (int p = 0; p < 7; ++p) EXPECT_NEAR(g.Parameter[p], wahr[p], 1e-6) << p << StatusText;
    // The report of the end of the fit reached the history.
    EXPECT_NE(std::string(ResultsWindow.HistorieText).find("--LEAST-SQUARES FIT"), std::string::npos);
}

// ---- the interactive fit under the fit panel ----

namespace {

int32_t ParameterOk(haupt_fenster*) { return 1; }

// Runs the messages that are queued now (the fit's own posts among them).
void Nachrichten()
{
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

}  // namespace

class FitRunInteraktiv : public FitRunWin {
protected:
    void SetUp() override
    {
        FitRunWin::SetUp();
        FitParameterEingabe = ParameterOk;
        // "iteration stop": every step waits for Continue.
        HAUPTDATEN.FitErneuerung[0] = 0;
        HAUPTDATEN.FitErneuerung[1] = 0;
        ShowWindow(hwnd, SW_SHOWMAXIMIZED);
        UpdateWindow(hwnd);
    }
    void TearDown() override
    {
        Numerik.SetAbbruch(1e-5, 1e-5, 50);
        FitParameterEingabe = altEingabe;
        FitRunWin::TearDown();
    }
    FIT_PARAMETER_EINGABE altEingabe = FitParameterEingabe;
    // 507 from the menu: the model choice keeps the model and its flags,
    // the parameter entry is answered with OK.
    void Starten()
    {
        ASSERT_TRUE(MitDialogen({Waehle(IDC_GF_KEEP_FLAGS), Druecke(IDOK)},
                                [&] { HAUPTDATEN.Befehl(507, 0); }));
    }
    int32_t Iterationen() const { return HAUPTDATEN.FitIterationen; }
};

TEST_F(FitRunInteraktiv, TheMenuFitAsksForTheStartValuesAndItsCancelStartsNothing)
{
    FitParameterEingabe = altEingabe;  // the program's own entry
    ASSERT_TRUE(MitDialogen({Waehle(IDC_GF_KEEP_FLAGS), Druecke(IDOK), Druecke(IDCANCEL)},
                            [&] { HAUPTDATEN.Befehl(507, 0); }));
    EXPECT_EQ(HAUPTDATEN.FitZustand, 0);
    EXPECT_NE(GetMenu(hwnd), nullptr);
    // OK steps through the model's functions, one page each.
    std::vector<DialogSchritt> schritte = {Waehle(IDC_GF_KEEP_FLAGS), Druecke(IDOK)};
    for (int32_t f = 0; f < GrafikFenster[0].AnzahlFunktionen; ++f) schritte.push_back(Druecke(IDOK));
    ASSERT_TRUE(MitDialogen(schritte, [&] { HAUPTDATEN.Befehl(507, 0); }));
    EXPECT_EQ(HAUPTDATEN.FitZustand, 1);
}

TEST_F(FitRunInteraktiv, FitModeStepsOncePerContinue)
{
    Starten();
    ASSERT_EQ(HAUPTDATEN.FitZustand, 1);
    EXPECT_EQ(GetMenu(hwnd), nullptr);
    for (int i : {FIT_TEXT, FIT_CONTINUE, FIT_INTERRUPT, FIT_CANCEL})
        EXPECT_TRUE(IsWindowVisible(HAUPTDATEN.FitPanel[i])) << i;
    EXPECT_FALSE(IsWindowVisible(grafik[1]));
    EXPECT_TRUE(IsWindowVisible(grafik[0]));
    EXPECT_EQ(TextVon(HAUPTDATEN.FitPanel[FIT_CONTINUE]), "Con&tinue");
    EXPECT_EQ(TextVon(HAUPTDATEN.FitPanel[FIT_CANCEL]), "&Cancel");
    // The panel stands at the right edge, the graph left of it.
    RECT haupt, panel, bild;
    GetClientRect(hwnd, &haupt);
    GetWindowRect(HAUPTDATEN.FitPanel[FIT_TEXT], &panel);
    GetWindowRect(grafik[0], &bild);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&panel), 2);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&bild), 2);
    EXPECT_EQ(panel.right, haupt.right);
    EXPECT_LE(bild.right, panel.left);
    EXPECT_EQ(TextVon(HAUPTDATEN.FitPanel[FIT_TEXT]).substr(0, 11), "Iterations:");
    EXPECT_TRUE(FensterFoto(hwnd, "fit_mode.png"));

    // Nothing was posted: each Continue runs one iteration.
    const int32_t n = Iterationen();
    Nachrichten();
    EXPECT_EQ(Iterationen(), n);
    for (int k = 1; k <= 3; ++k) {
        HAUPTDATEN.Befehl(CM_FIT_CONTINUE, 0);
        Nachrichten();
        EXPECT_EQ(Iterationen(), n + k);
    }

    // Interrupt opens the parameter table (two pages: Next, then OK); OK
    // goes on from a chi2 of 1e30.
    ASSERT_TRUE(MitDialogen({Druecke(IDOK), Druecke(IDOK)}, [&] { HAUPTDATEN.Befehl(CM_FIT_INTERRUPT, 0); }));
    EXPECT_EQ(HAUPTDATEN.FitChi2, 1e30);
    Nachrichten();
    EXPECT_EQ(Iterationen(), n + 4);
    EXPECT_LT(HAUPTDATEN.FitChi2, 1e30);

    // "I" typed during an iteration interrupts as the button does; "S"
    // only redraws.
    PostMessageA(hwnd, WM_CHAR, 'S', 0);
    HAUPTDATEN.Befehl(CM_FIT_CONTINUE, 0);
    Nachrichten();
    EXPECT_EQ(HAUPTDATEN.FitZustand, 1);

    // Cancel while iterating: the next iteration ends the fit and reports
    // the abort.
    HAUPTDATEN.Befehl(CM_FIT_CANCEL, 0);
    EXPECT_EQ(HAUPTDATEN.FitZustand, 1);
    HAUPTDATEN.Befehl(CM_FIT_CONTINUE, 0);
    Nachrichten();
    EXPECT_EQ(HAUPTDATEN.FitZustand, -1);
    const std::string status = TextVon(HAUPTDATEN.FitPanel[FIT_TEXT]);
    char erwartet[80];
    std::snprintf(erwartet, sizeof erwartet, "Iterations:       aborted after %d iterations",
                  static_cast<int>(Iterationen() - 10000));
    EXPECT_EQ(status.substr(0, status.find("\r\n")), erwartet);
    EXPECT_LT(Iterationen() - 10000, 10000);
    EXPECT_EQ(TextVon(HAUPTDATEN.FitPanel[FIT_CANCEL]), "OK");
    EXPECT_FALSE(IsWindowEnabled(HAUPTDATEN.FitPanel[FIT_CONTINUE]));
    EXPECT_FALSE(IsWindowEnabled(HAUPTDATEN.FitPanel[FIT_INTERRUPT]));
    // A late Continue changes nothing; OK ends the fit.
    HAUPTDATEN.Befehl(CM_FIT_CONTINUE, 0);
    Nachrichten();
    EXPECT_EQ(HAUPTDATEN.FitZustand, -1);
    HAUPTDATEN.Befehl(CM_FIT_CANCEL, 0);
    EXPECT_EQ(HAUPTDATEN.FitZustand, 0);
    EXPECT_EQ(GetMenu(hwnd), HAUPTDATEN.Hauptmenue);
    EXPECT_TRUE(IsWindowVisible(grafik[1]));
}

TEST_F(FitRunInteraktiv, KeyCEndsTheFit)
{
    Starten();
    ASSERT_EQ(HAUPTDATEN.FitZustand, 1);
    PostMessageA(hwnd, WM_CHAR, 'C', 0);
    HAUPTDATEN.Befehl(CM_FIT_CONTINUE, 0);
    Nachrichten();
    // The key asked for the end; the next step finishes.
    EXPECT_GT(Iterationen(), 10000);
    HAUPTDATEN.Befehl(CM_FIT_CONTINUE, 0);
    Nachrichten();
    EXPECT_EQ(HAUPTDATEN.FitZustand, -1);
}

TEST_F(FitRunInteraktiv, FirstIterationAlreadyFinished)
{
    Numerik.SetAbbruch(1e-5, 1e-5, 1);
    Starten();
    ASSERT_EQ(HAUPTDATEN.FitZustand, -1);
    EXPECT_EQ(TextVon(HAUPTDATEN.FitPanel[FIT_CANCEL]), "&Cancel");
    HAUPTDATEN.Befehl(CM_FIT_CONTINUE, 0);
    Nachrichten();
    EXPECT_EQ(HAUPTDATEN.FitZustand, -1);
    EXPECT_EQ(TextVon(HAUPTDATEN.FitPanel[FIT_CANCEL]), "OK");
    HAUPTDATEN.Befehl(CM_FIT_CANCEL, 0);
    EXPECT_EQ(HAUPTDATEN.FitZustand, 0);
}

namespace {
int ParameterAufrufe = 0;
int32_t ParameterZaehlen(haupt_fenster*)
{
    ++ParameterAufrufe;
    return 1;
}
}  // namespace

TEST_F(FitRunInteraktiv, RetryKeepsTheTablesAndCtrlFSteps)
{
    // "try again" (999): no bound reset, no parameter entry.
    FitParameterEingabe = ParameterZaehlen;
    ParameterAufrufe = 0;
    ASSERT_EQ(FixParameter(2), 1);
    const int32_t frei = MaxFitParameter;
    ASSERT_TRUE(MitDialogen({Waehle(IDC_GF_TRY_AGAIN), Druecke(IDOK)}, [&] { HAUPTDATEN.Befehl(507, 0); }));
    EXPECT_EQ(ParameterAufrufe, 0);
    ASSERT_EQ(HAUPTDATEN.FitZustand, 1);
    EXPECT_EQ(ParameterFlags[2], PF_FIXED);
    EXPECT_EQ(MaxFitParameter, frei);
    // 507 from its accelerator while the fit runs: no dialog, one step.
    const int32_t n = Iterationen();
    ASSERT_TRUE(MitDialogen({}, [&] { HAUPTDATEN.Befehl(507, 0); }));
    EXPECT_EQ(Iterationen(), n + 1);
}
