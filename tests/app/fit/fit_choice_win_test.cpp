// The function choice dialog, the function borders and the parameter
// files, driven in-process as a user or the macro player would.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "app/fit/parameter_dialog_fixture.h"
#include "app/spectra/data_commands_fixture.h"
#include "app/temp_folder.h"
#include "fit/fit_choice_win.h"
#include "fit/fit_model.h"
#include "fit/parameter_file_win.h"
#include "resource_ids.h"
#include "shell/haupt_fenster.h"
#include "shell/dispatcher.h"
#include "shell/shell_globals.h"

namespace {

std::string Text(HWND dlg, int id)
{
    char t[64] = "";
    GetDlgItemTextA(dlg, id, t, sizeof t);
    return t;
}

bool Sichtbar(HWND dlg, int id) { return IsWindowVisible(GetDlgItem(dlg, id)) != FALSE; }

std::string ParameterDatei;
BOOL WINAPI DateiAntwort(LPOPENFILENAMEA ofn)
{
    std::snprintf(ofn->lpstrFile, ofn->nMaxFile, "%s", ParameterDatei.c_str());
    return TRUE;
}

}  // namespace

class FitChoiceWin : public EigeneTabellenWin {
protected:
    void TearDown() override
    {
        ParameterOeffnenDialog = GetOpenFileNameA;
        ParameterSpeichernDialog = GetSaveFileNameA;
        EigeneTabellenWin::TearDown();
    }
    // Window 0's model.
    void FensterModell(std::initializer_list<int32_t> codes, int32_t grad = 0)
    {
        grafik_fenster& g = GrafikFenster[0];
        g.AnzahlFunktionen = 0;
        for (int32_t c : codes) g.FunktionsTypen[g.AnzahlFunktionen++] = c;
        g.PolyGrad = grad;
    }
    std::vector<int32_t> Typen() const
    {
        const grafik_fenster& g = GrafikFenster[0];
        return std::vector<int32_t>(g.FunktionsTypen, g.FunktionsTypen + g.AnzahlFunktionen);
    }
    // Command 135 with the steps; the dialog's result.
    INT_PTR Waehlen(std::vector<DialogSchritt> schritte)
    {
        INT_PTR r = -1;
        EXPECT_TRUE(MitDialogen(std::move(schritte), [&] {
            Fenster0();
            r = FunktionWaehlen(&HAUPTDATEN);
        }));
        return r;
    }
};

TEST_F(FitChoiceWin, OpensWithTheModelAndRebuildsIt)
{
    Kurve(0, 101, [](double x) { return std::exp(-0.5 * (x - 40) * (x - 40) / 25.0); });
    FensterModell({1, 7, 1}, 2);
    std::string gauss, poly, lorentz;
    bool versteckt = false;
    EXPECT_EQ(Waehlen({[&](HWND d) {
                           gauss = Text(d, IDC_GF_COUNT + 1);
                           poly = Text(d, IDC_GF_COUNT + 7);
                           versteckt = !Sichtbar(d, IDC_GF_COUNT + 2) && !Sichtbar(d, IDC_GF_THRESHOLD);
                           Bild(d, "get_function.png");
                       },
                       Druecke(IDOK)}),
              1);
    EXPECT_EQ(gauss, "2");
    EXPECT_EQ(poly, "2");
    EXPECT_TRUE(versteckt);
    EXPECT_EQ(Typen(), (std::vector<int32_t>{1, 1, 7}));
    EXPECT_EQ(GrafikFenster[0].PolyGrad, 2);
    EXPECT_EQ(HAUPTDATEN.DialogWerte[0], -1.0);
}

TEST_F(FitChoiceWin, CountsIgnoredDroppedAndAllHidden)
{
    Kurve(0, 101, [](double x) { return x; });
    FensterModell({1, 2, 7}, 3);
    EXPECT_EQ(Waehlen({SetzeText(IDC_GF_COUNT + 1, "150"), SetzeText(IDC_GF_COUNT + 2, "0"),
                       SetzeText(IDC_GF_COUNT + 7, "0"), Druecke(IDC_GF_TYPE + 3), Druecke(IDOK)}),
              1);
    EXPECT_EQ(Typen(), (std::vector<int32_t>{3, 7}));  // the new row reads 1
    EXPECT_EQ(GrafikFenster[0].PolyGrad, 0);
    // Every row hidden: 0 and the model stays.
    EXPECT_EQ(Waehlen({Druecke(IDC_GF_TYPE + 3), Druecke(IDC_GF_TYPE + 7), Druecke(IDOK)}), 0);
    EXPECT_EQ(Typen(), (std::vector<int32_t>{3, 7}));
    EXPECT_EQ(FitFunctionCount, 2);
}

TEST_F(FitChoiceWin, SpinsAndTheOrderOfTheChecks)
{
    Kurve(0, 101, [](double x) { return x; });
    FensterModell({1, 7}, 7);
    std::string nach;
    auto spin = [](int t, int code) {
        return [t, code](HWND d) {
            SendMessageA(d, WM_VSCROLL, MAKEWPARAM(code, 0),
                         reinterpret_cast<LPARAM>(GetDlgItem(d, IDC_GF_SPIN + t)));
        };
    };
    EXPECT_EQ(Waehlen({spin(7, SB_LINEUP), spin(1, SB_LINEDOWN), [&](HWND d) {
                           nach = Text(d, IDC_GF_COUNT + 7) + "," + Text(d, IDC_GF_COUNT + 1);
                       },
                       spin(7, SB_LINEDOWN), Druecke(IDOK)}),
              1);
    EXPECT_EQ(nach, "7,1");
    EXPECT_EQ(GrafikFenster[0].PolyGrad, 6);
    // 601 before 600: the model stays.
    EXPECT_EQ(Waehlen({Waehle(IDC_GF_KEEP_FLAGS), Waehle(IDC_GF_TRY_AGAIN), Druecke(IDC_GF_TYPE + 2),
                       Druecke(IDOK)}),
              999);
    EXPECT_EQ(Typen(), (std::vector<int32_t>{1, 7}));
    EXPECT_EQ(Waehlen({Waehle(IDC_GF_KEEP_FLAGS), Druecke(IDOK)}), 9999);
    EXPECT_EQ(FitFunctionCount, 2);
}

TEST_F(FitChoiceWin, NoiseEstimateAndPeakSearchFromTheDialog)
{
    static std::mt19937 gen(3);
    static std::normal_distribution<double> rauschen(0.0, 0.01);
    Kurve(0, 200, [](double x) {
        return 2.0 * std::exp(-0.5 * (x - 3) * (x - 3) / 100.0) + std::exp(-0.5 * (x - 150) * (x - 150) / 100.0) +
               rauschen(gen);
    });
    FensterModell({1, 1});
    std::string fehler;
    EXPECT_EQ(Waehlen({[&](HWND d) { fehler = Text(d, IDC_GF_ERROR); }, Waehle(IDC_GF_PEAKSEARCH),
                       SetzeText(IDC_GF_THRESHOLD, "0.3"), SetzeText(IDC_GF_FWHM, "20"), Druecke(IDOK)}),
              1);
    EXPECT_NEAR(std::atof(fehler.c_str()), 0.01, 0.002);
    EXPECT_EQ(HAUPTDATEN.DialogWerte[0], 1.0);
    const double* p = GrafikFenster[0].Parameter;
    // The peak at the curve's start is not one the library's search finds;
    // the other one is.
    EXPECT_NEAR(std::max(p[1], p[4]), 150.0, 2.0);
}

TEST_F(FitChoiceWin, BordersFromTheMacroPlayer)
{
    Kurve(0, 11, [](double x) { return x; });
    Prepared(155, {2.5, 7.5});
    EXPECT_EQ(FehlerCode, 0);
    EXPECT_EQ(GrafikFenster[0].Grenzen[1], 2.5);
    EXPECT_EQ(GrafikFenster[0].Grenzen[0], 7.5);
    Prepared(155, {4.0, 4.0});
    EXPECT_EQ(FehlerCode, 102);
    EXPECT_EQ(GrafikFenster[0].Grenzen[1], 2.5);
    FehlerCode = 0;
    // The dialog: Cancel changes nothing, OK stores.
    EXPECT_TRUE(MitDialogen({SetzeText(IDC_FB_FROM, "1"), SetzeText(IDC_FB_TO, "3"), Druecke(IDOK)},
                            [] { HAUPTDATEN.Befehl(155, 0); }));
    EXPECT_EQ(GrafikFenster[0].Grenzen[1], 1.0);
    EXPECT_EQ(GrafikFenster[0].Grenzen[0], 3.0);
    EXPECT_TRUE(MitDialogen({SetzeText(IDC_FB_FROM, "0"), Druecke(IDCANCEL)},
                            [] { HAUPTDATEN.Befehl(155, 0); }));
    EXPECT_EQ(GrafikFenster[0].Grenzen[1], 1.0);
}

TEST_F(FitChoiceWin, ParameterFileThroughBothCommands)
{
    TempOrdner ordner;
    ParameterDatei = ordner.Datei("modell.par");
    ParameterOeffnenDialog = DateiAntwort;
    ParameterSpeichernDialog = DateiAntwort;
    Kurve(0, 11, [](double x) { return x; });
    FensterModell({1, 7}, 1);
    double* p = GrafikFenster[0].Parameter;
    for (int j = 0; j < 5; ++j) p[j] = 1.5 * j + 0.25;
    Fenster0();
    ASSERT_EQ(ResetModelTables(), 5);
    FixParameter(1);
    GrafikFenster[0].ZeigeFunktion = 0;
    HAUPTDATEN.Befehl(171, 0);
    // Another model in the window, then load.
    FensterModell({2}, 0);
    for (int j = 0; j < 5; ++j) p[j] = 0;
    MaxFitParameter = 4;
    HAUPTDATEN.Befehl(187, 0);
    EXPECT_EQ(Typen(), (std::vector<int32_t>{1, 7}));
    EXPECT_EQ(GrafikFenster[0].PolyGrad, 1);
    EXPECT_EQ(p[4], 6.25);
    EXPECT_EQ(flags[1], PF_FIXED);
    EXPECT_EQ(MaxFitParameter, 3);
    EXPECT_EQ(GrafikFenster[0].ZeigeFunktion, 1);
    EXPECT_TRUE(boxen.empty());
    // A damaged file: a message, and the model stays.
    SchreibeBytes(ParameterDatei, "111111\n1,2,x,3\n0,1,2\n0,0,0\n0,0,0\n0,0,0\n");
    HAUPTDATEN.Befehl(187, 0);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_NE(boxen[0].text.find("not a number"), std::string::npos);
    EXPECT_EQ(Typen(), (std::vector<int32_t>{1, 7}));
    EXPECT_EQ(p[4], 6.25);
}

TEST_F(FitChoiceWin, FunctionsAndParametersFromAFile)
{
    TempOrdner ordner;
    ParameterDatei = ordner.Datei("zwei.par");
    SchreibeBytes(ParameterDatei, "111111\n2,1,2,3,1\n0,1,2,6\n0,0,0,1\n0,0,0,0\n0,0,0,0\n"
                                  "1,4,5,6\n4,5,3\n0,0,0\n0,0,0\n0,0,0\n");
    ParameterOeffnenDialog = DateiAntwort;
    Kurve(0, 11, [](double x) { return x; });
    FensterModell({7}, 3);
    std::string name, zeilen;
    EXPECT_EQ(Waehlen({Waehle(IDC_GF_FROM_FILE),
                       [&](HWND d) {
                           name = Text(d, IDC_GF_FILE_NAME);
                           zeilen = Text(d, IDC_GF_COUNT + 1) + "," + Text(d, IDC_GF_COUNT + 2) + "," +
                                    (Sichtbar(d, IDC_GF_COUNT + 7) ? "poly" : "");
                       },
                       Druecke(IDOK)}),
              99);
    EXPECT_EQ(name, "zwei.par");
    EXPECT_EQ(zeilen, "1,1,");
    EXPECT_EQ(Typen(), (std::vector<int32_t>{2, 1}));
    EXPECT_EQ(GrafikFenster[0].Parameter[4], 4.0);
    EXPECT_EQ(MaxFitParameter, 5);
}
