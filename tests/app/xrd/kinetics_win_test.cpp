// The kinetic calculator (913) on a window of the test fixture, answered
// by the dialog watcher: model choice, regression, OK and Cancel.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/spectra/data_commands_fixture.h"
#include "fit/fit_model.h"
#include "resource_ids.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/grafik_fenster.h"
#include "xas/feff_path.h"
#include "xrd/kinetics.h"
#include "xrd/kinetics_win.h"

namespace {

// First-order conversion with -ln(1 - a) = 0.02 t + 0.1; from t = 195 on
// the curve is complete (a = 1), where ln(1 - a) has no value.
double Mampel(double t) { return t >= 195.0 ? 1.0 : 1.0 - std::exp(-(0.02 * t + 0.1)); }
double Halb(double) { return 0.5; }

std::string Text(HWND dlg, int id)
{
    char t[64] = "";
    GetDlgItemTextA(dlg, id, t, sizeof t);
    return t;
}

struct Modellstand {
    int32_t anzahl, grad;
    std::vector<int32_t> typen;
    std::vector<double> parameter;
    bool operator==(const Modellstand& o) const
    {
        return anzahl == o.anzahl && grad == o.grad && typen == o.typen && parameter == o.parameter;
    }
};

Modellstand Stand(const grafik_fenster& g)
{
    return {g.AnzahlFunktionen, g.PolyGrad, std::vector<int32_t>(g.FunktionsTypen, g.FunktionsTypen + 20),
            std::vector<double>(g.Parameter, g.Parameter + 40)};
}

}  // namespace

class KinetikRechnerTest : public EditFixture {};

TEST_F(KinetikRechnerTest, ModelsStartFromTheKeptCurveAndCancelGivesEverythingBack)
{
    Kurve(0, 200, Mampel);
    grafik_fenster& g = GrafikFenster[0];
    const Modellstand vorher = Stand(g);
    std::vector<double> x200, y200;
    int32_t n212 = -1;
    auto merke = [&](HWND) {
        x200 = X(0, 1);
        y200 = Y(0, 1);
    };
    auto zaehle = [&](HWND) { n212 = g.Punkte(); };
    EXPECT_TRUE(MitDialogen({Waehle(212), zaehle, Waehle(206), Waehle(200), merke, Waehle(212),
                             Druecke(IDC_KIN_REGRESSION), Druecke(IDCANCEL)},
                            [&] { HAUPTDATEN.Befehl(913, 0); }));
    // 913 worked on a copy in the next slot.
    EXPECT_EQ(g.AktuellerSlot(), 1);
    EXPECT_EQ(X(0, 0), X(0, 1));
    // Mampel leaves out the five points at a = 1.
    EXPECT_EQ(n212, 195);
    // 212, 206, then " None": the curve of the opening, bit for bit.
    EXPECT_EQ(x200, X(0, 0));
    EXPECT_EQ(y200, Y(0, 0));
    // Cancel after a regression: curve and model as they were.
    EXPECT_EQ(Y(0, 1), Y(0, 0));
    EXPECT_TRUE(Stand(g) == vorher);
    EXPECT_EQ(g.ZeigeFunktion, 0);
}

TEST_F(KinetikRechnerTest, RegressionOnMampelGivesTheRateConstantAndOkKeepsTheLine)
{
    Kurve(0, 200, Mampel);
    grafik_fenster& g = GrafikFenster[0];
    // The preview draws the window's own model, not the fixture's stand-in.
    HAUPTDATEN.ModellCallback = ModellFunktion;
    FitFunctionTypes = g.FunktionsTypen;
    FitParameters = g.Parameter;
    std::string k, c0, titel;
    auto lies = [&](HWND dlg) {
        k = Text(dlg, IDC_KIN_STEIGUNG);
        c0 = Text(dlg, IDC_KIN_ORDINATE);
        char t[80] = "";
        GetWindowTextA(dlg, t, sizeof t);
        titel = t;
    };
    auto foto = [](HWND dlg) { EXPECT_TRUE(FensterFoto(dlg, "kinetic_calc.png")); };
    EXPECT_TRUE(MitDialogen({Waehle(212), Druecke(IDC_KIN_REGRESSION), lies, foto, Druecke(IDOK)},
                            [&] { HAUPTDATEN.Befehl(913, 0); }));
    HAUPTDATEN.ModellCallback = altesModell;
    EXPECT_EQ(titel, "Kinetic Calculator");
    EXPECT_EQ(k, "0.02");
    EXPECT_EQ(c0, "0.1");
    EXPECT_EQ(g.AnzahlFunktionen, 1);
    EXPECT_EQ(g.FunktionsTypen[0], 7);
    EXPECT_EQ(g.PolyGrad, 1);
    EXPECT_NEAR(g.Parameter[0], 0.1, 1e-10);
    EXPECT_NEAR(g.Parameter[1], 0.02, 1e-10);
    EXPECT_EQ(g.ZeigeFunktion, 1);
    // The window keeps g(a): -ln(1 - a) of the kept points.
    ASSERT_EQ(g.Punkte(), 195);
    EXPECT_NEAR(Y(0, 1)[100], 0.02 * 100 + 0.1, 1e-12);
    EXPECT_NE(Historie().find("KINETIC CALCULATOR"), std::string::npos);
}

// Every model on a curve that lies on g(a) = 0.02 t + 0.1: the dialog shows
// the slope and the ordinate, and OK leaves the straight line as the model.
// The formulas themselves are checked against closed forms natively; here
// a(t) is g inverted by bisection.
TEST_F(KinetikRechnerTest, EveryModelShowsTheRateConstantAndOkLeavesTheLine)
{
    grafik_fenster& g = GrafikFenster[0];
    HAUPTDATEN.ModellCallback = ModellFunktion;
    FitFunctionTypes = g.FunktionsTypen;
    FitParameters = g.Parameter;
    for (int32_t id = 200; id <= 214; ++id) {
        auto gVon = [id](double a) {
            double w = 0.0;
            EXPECT_TRUE(KinetikG(id, a, &w)) << id << " at " << a;
            return w;
        };
        const double t0 = (gVon(0.02) - 0.1) / 0.02, t1 = (gVon(0.98) - 0.1) / 0.02;
        for (int i = 0; i < 200; ++i) {
            const double t = t0 + (t1 - t0) * i / 199.0;
            double lo = 0.0, hi = 1.0;
            for (int k = 0; k < 200 && lo < hi; ++k) {
                const double m = 0.5 * (lo + hi);
                if (m == lo || m == hi) break;
                if (gVon(m) < 0.02 * t + 0.1) lo = m; else hi = m;
            }
            g.GetXFeld(0)[i] = t;
            g.GetYFeld(0)[i] = 0.5 * (lo + hi);
        }
        NurSlotNull(0, 200);
        std::string k, c0;
        auto lies = [&](HWND dlg) {
            k = Text(dlg, IDC_KIN_STEIGUNG);
            c0 = Text(dlg, IDC_KIN_ORDINATE);
        };
        EXPECT_TRUE(MitDialogen({Waehle(id), Druecke(IDC_KIN_REGRESSION), lies, Druecke(IDOK)},
                                [&] { HAUPTDATEN.Befehl(913, 0); }));
        EXPECT_EQ(k, "0.02") << id;
        EXPECT_EQ(c0, "0.1") << id;
        EXPECT_EQ(g.Punkte(), 200) << id;
        EXPECT_EQ(g.AnzahlFunktionen, 1) << id;
        EXPECT_EQ(g.FunktionsTypen[0], 7) << id;
        EXPECT_EQ(g.PolyGrad, 1) << id;
        EXPECT_NEAR(g.Parameter[0], 0.1, 1e-10) << id;
        EXPECT_NEAR(g.Parameter[1], 0.02, 1e-10) << id;
    }
    HAUPTDATEN.ModellCallback = altesModell;
}

TEST_F(KinetikRechnerTest, TwoPointsAreTooFewForTheLine)
{
    Kurve(0, 2, Halb);
    grafik_fenster& g = GrafikFenster[0];
    const Modellstand vorher = Stand(g);
    boxen.clear();
    std::string k;
    EXPECT_TRUE(MitDialogen({Druecke(IDC_KIN_REGRESSION), [&](HWND dlg) { k = Text(dlg, IDC_KIN_STEIGUNG); },
                             Druecke(IDOK)},
                            [&] { HAUPTDATEN.Befehl(913, 0); }));
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_NE(boxen[0].text.find("too few points"), std::string::npos);
    EXPECT_EQ(k, "");
    EXPECT_TRUE(Stand(g) == vorher);
    EXPECT_EQ(g.ZeigeFunktion, 0);
}

TEST_F(KinetikRechnerTest, AWindowWithoutACurveIsNamed)
{
    NurSlotNull(0, 0);
    boxen.clear();
    EXPECT_TRUE(MitDialogen({}, [&] { HAUPTDATEN.Befehl(913, 0); }));
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_NE(boxen[0].text.find("holds no curve"), std::string::npos);
    EXPECT_EQ(GrafikFenster[0].AktuellerSlot(), 0);
}

// ---- isoconversional analysis (914) ----

namespace {

std::string g_ordner, g_namen;

int32_t Wahl(HWND, char* pfad, char* titel, int32_t, int32_t)
{
    std::snprintf(pfad, 2000, "%s", g_ordner.c_str());
    std::snprintf(titel, 500, "%s", g_namen.c_str());
    return 1;
}

// First-order curve at T with Ea = 80 kJ/mol, t from 0 to 5 t1/2.
std::string ErsteOrdnung(double T, int punkte)
{
    const double k = 0.01 * std::exp(-(80000.0 / 8.3144) * (1.0 / T - 1.0 / 423.0));
    const double ende = 5.0 * std::log(2.0) / k;
    std::string text;
    char zeile[64];
    for (int i = 0; i < punkte; ++i) {
        const double t = ende * i / (punkte - 1.0);
        std::snprintf(zeile, sizeof zeile, "%.10g %.10g\n", t, 1.0 - std::exp(-k * t));
        text += zeile;
    }
    return text;
}

}  // namespace

class IsoconvDialog : public EditFixture {
protected:
    ISOCONV_DATEIWAHL alteWahl = nullptr;
    void SetUp() override
    {
        EditFixture::SetUp();
        alteWahl = IsoconvDateiWahl;
        IsoconvDateiWahl = Wahl;
        g_ordner = ordner + "\\";
    }
    void TearDown() override
    {
        IsoconvDateiWahl = alteWahl;
        EditFixture::TearDown();
    }
    void Kurven(int anzahl)
    {
        g_namen.clear();
        for (int j = 0; j < anzahl; ++j) {
            const std::string name = "kin_" + std::to_string(j) + ".dat";
            Schreibe(name.c_str(), ErsteOrdnung(373.0 + 25.0 * (j % 5), 500 + 97 * (j % 5)));
            g_namen += (j ? "," : "") + name;
        }
    }
    std::string Ausgabe(const char* name) const
    {
        std::FILE* f = std::fopen((std::string(HAUPTDATEN.DatenOrdner) + name).c_str(), "rt");
        std::string text;
        if (!f) return text;
        char puffer[512];
        while (std::fgets(puffer, sizeof puffer, f)) text += puffer;
        std::fclose(f);
        return text;
    }
};

TEST_F(IsoconvDialog, FiveCurvesGiveTheActivationEnergyFilesAndPlots)
{
    Kurven(5);
    std::string liste, temperaturen, schritt, titel;
    auto lies = [&](HWND dlg) {
        liste = std::to_string(SendDlgItemMessageA(dlg, IDC_ISO_LISTE, LB_GETCOUNT, 0, 0));
        temperaturen = Text(dlg, IDC_ISO_TEMPERATUREN);
        char t[80] = "";
        GetWindowTextA(dlg, t, sizeof t);
        titel = t;
    };
    auto foto = [](const char* datei) {
        return [datei](HWND dlg) { EXPECT_TRUE(FensterFoto(dlg, datei)); };
    };
    auto blaettern = [&](HWND dlg) {
        SendMessageA(dlg, WM_VSCROLL, SB_LINEUP, reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDC_ISO_BALKEN)));
        schritt = Text(dlg, IDC_ISO_SCHRITT_GEZEIGT);
        EXPECT_EQ(IsDlgButtonChecked(dlg, IDC_ISO_LNK), BST_CHECKED);
        EXPECT_EQ(IsDlgButtonChecked(dlg, IDC_ISO_EA), BST_UNCHECKED);
    };
    // The plots come from the dialog's own record: the user's windows and
    // the current model stay as they are.
    const int32_t slot = GrafikFenster[0].AktuellerSlot(), punkte = GrafikFenster[0].Punkte();
    const std::vector<double> x0 = X(0, slot), y0 = Y(0, slot);
    FitFunctionTypes = GrafikFenster[0].FunktionsTypen;
    FitParameters = GrafikFenster[0].Parameter;
    boxen.clear();
    EXPECT_TRUE(MitDialogen({Druecke(IDC_ISO_DATEIEN), lies, Druecke(IDC_ISO_RECHNEN), foto("isoconv_kind1.png"),
                             Waehle(IDC_ISO_HALBWERT), foto("isoconv_kind2.png"), Waehle(IDC_ISO_NORMIERT),
                             foto("isoconv_kind3.png"), Waehle(IDC_ISO_EA), foto("isoconv_kind4.png"),
                             Waehle(IDC_ISO_LNK), blaettern, foto("isoconv_kind5.png"), Druecke(IDOK)},
                            [&] { HAUPTDATEN.Befehl(914, 0); }));
    EXPECT_TRUE(boxen.empty()) << (boxen.empty() ? "" : boxen[0].text);
    EXPECT_EQ(GrafikFenster[0].AktuellerSlot(), slot);
    EXPECT_EQ(GrafikFenster[0].Punkte(), punkte);
    EXPECT_EQ(X(0, slot), x0);
    EXPECT_EQ(Y(0, slot), y0);
    // The current model is a window's (the windows' own paints load theirs).
    const bool einesFensters = (FitFunctionTypes == GrafikFenster[0].FunktionsTypen &&
                                FitParameters == GrafikFenster[0].Parameter) ||
                               (FitFunctionTypes == GrafikFenster[1].FunktionsTypen &&
                                FitParameters == GrafikFenster[1].Parameter);
    EXPECT_TRUE(einesFensters);
    EXPECT_EQ(titel, "Isoconversional kinetic anaylsis of isothermal a(t) curves");
    EXPECT_EQ(liste, "5");
    EXPECT_EQ(temperaturen, "373\r\n398\r\n423\r\n448\r\n473\r\n");
    EXPECT_EQ(schritt, "0.1");
    const std::string ea = Ausgabe("apparent_Ea_v_a.dat");
    int werte = 0;
    for (std::size_t p = 0; (p = ea.find('\n', p)) != std::string::npos; ++p) {
        double a = 0.0, e = 0.0;
        if (std::sscanf(ea.c_str() + p + 1, "%lf, %lf", &a, &e) == 2) {
            ++werte;
            EXPECT_NEAR(e, 80.0, 0.8) << a;
        }
    }
    EXPECT_EQ(werte, 19);
    EXPECT_NE(ea.find("# kin_4.dat at T=473 K\n"), std::string::npos);
    EXPECT_EQ(Ausgabe("halflife_v_T.dat").substr(0, 30), "# Half-life v Temperature for\n");
    EXPECT_EQ(Ausgabe("t12n_kin_2.dat").substr(0, 36), "# Half-life normalized curve, t1/2 =");
}

TEST_F(IsoconvDialog, ACurveThatStartsPastHalfHasNoHalfLife)
{
    Kurven(3);
    // kin_1.dat starts at a = 0.5.
    std::string text;
    char zeile[64];
    for (int i = 0; i < 300; ++i) {
        std::snprintf(zeile, sizeof zeile, "%d %.10g\n", i, 1.0 - 0.5 * std::exp(-0.01 * i));
        text += zeile;
    }
    Schreibe("kin_1.dat", text);
    boxen.clear();
    EXPECT_TRUE(MitDialogen({Druecke(IDC_ISO_DATEIEN), Druecke(IDC_ISO_RECHNEN), Druecke(IDOK)},
                            [&] { HAUPTDATEN.Befehl(914, 0); }));
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_NE(boxen[0].text.find("kin_1.dat"), std::string::npos);
    EXPECT_EQ(boxen[0].text.find("kin_0.dat"), std::string::npos);
    const std::string h = Ausgabe("halflife_v_T.dat");
    EXPECT_NE(h.find("\n373, "), std::string::npos);
    EXPECT_EQ(h.find("\n398, "), std::string::npos);
    EXPECT_NE(h.find("\n423, "), std::string::npos);
    EXPECT_NE(h.find("# kin_1.dat at T=398 K\n"), std::string::npos);
    EXPECT_NE(Ausgabe("t12n_kin_0.dat"), "");
    EXPECT_EQ(Ausgabe("t12n_kin_1.dat"), "");
}

TEST_F(IsoconvDialog, TooManyFilesAndBadTemperaturesAreNamed)
{
    Kurven(21);
    boxen.clear();
    EXPECT_TRUE(MitDialogen({Druecke(IDC_ISO_DATEIEN), SetzeText(IDC_ISO_TEMPERATUREN, "373\r\n0\r\n423"),
                             Druecke(IDC_ISO_RECHNEN), SetzeText(IDC_ISO_TEMPERATUREN, "373\r\n398"),
                             Druecke(IDC_ISO_RECHNEN), Druecke(IDCANCEL)},
                            [&] { HAUPTDATEN.Befehl(914, 0); }));
    ASSERT_EQ(boxen.size(), 3u);
    EXPECT_NE(boxen[0].text.find("kin_20.dat"), std::string::npos);
    EXPECT_EQ(boxen[0].text.find("kin_19.dat"), std::string::npos);
    EXPECT_NE(boxen[1].text.find("line 2"), std::string::npos);
    EXPECT_NE(boxen[2].text.find("line 3"), std::string::npos);
    // Nothing was calculated, so nothing was written.
    EXPECT_EQ(Ausgabe("apparent_Ea_v_a.dat"), "");
}

TEST_F(IsoconvDialog, AChoiceCutByTheNameBufferIsNamed)
{
    // 20 names of 38 characters do not fit the 500 characters of the list:
    // 12 whole names and a cut one.
    g_namen.clear();
    for (int j = 0; j < 20; ++j) {
        char name[64];
        std::snprintf(name, sizeof name, "conversion_curve_with_long_name_%02d.dat", j);
        Schreibe(name, ErsteOrdnung(373.0 + 25.0 * (j % 5), 50));
        g_namen += (j ? "," : "") + std::string(name);
    }
    boxen.clear();
    std::string liste;
    auto lies = [&](HWND dlg) { liste = std::to_string(SendDlgItemMessageA(dlg, IDC_ISO_LISTE, LB_GETCOUNT, 0, 0)); };
    EXPECT_TRUE(MitDialogen({Druecke(IDC_ISO_DATEIEN), lies, Druecke(IDCANCEL)}, [&] { HAUPTDATEN.Befehl(914, 0); }));
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_NE(boxen[0].text.find("too long"), std::string::npos);
    EXPECT_NE(boxen[0].text.find("conversion_curve_with_long_name_11.dat"), std::string::npos);
    EXPECT_EQ(liste, "12");
}

TEST_F(IsoconvDialog, UnwritableFolderIsNamedAndTheFeffPathsStay)
{
    Kurven(5);
    std::vector<char> feff(reinterpret_cast<const char*>(FeffPfade),
                           reinterpret_cast<const char*>(FeffPfade) + sizeof FeffPfade);
    const std::string alt = HAUPTDATEN.DatenOrdner;
    std::snprintf(HAUPTDATEN.DatenOrdner, 260, "%s", (g_ordner + "no_such_folder\\").c_str());
    boxen.clear();
    std::string ab, auf, getippt, gezeigt;
    auto balken = [&](HWND dlg) {
        getippt = Text(dlg, IDC_ISO_SCHRITT);
        gezeigt = Text(dlg, IDC_ISO_SCHRITT_GEZEIGT);
        HWND b = GetDlgItem(dlg, IDC_ISO_BALKEN);
        SendMessageA(dlg, WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(b));  // 0.05: stays
        ab = Text(dlg, IDC_ISO_SCHRITT_GEZEIGT);
        for (int i = 0; i < 60; ++i) SendMessageA(dlg, WM_VSCROLL, SB_LINEUP, reinterpret_cast<LPARAM>(b));
        auf = Text(dlg, IDC_ISO_SCHRITT_GEZEIGT);
    };
    EXPECT_TRUE(MitDialogen({Druecke(IDC_ISO_DATEIEN), SetzeText(IDC_ISO_SCHRITT, "0.01"),
                             Druecke(IDC_ISO_RECHNEN), balken, Druecke(IDOK)},
                            [&] { HAUPTDATEN.Befehl(914, 0); }));
    std::snprintf(HAUPTDATEN.DatenOrdner, 260, "%s", alt.c_str());
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_NE(boxen[0].text.find("no_such_folder\\apparent_Ea_v_a.dat"), std::string::npos);
    EXPECT_NE(boxen[0].text.find("t12n_kin_4.dat"), std::string::npos);
    // The step was raised to the limit, and the level steps stop below 1.
    EXPECT_EQ(getippt, "0.02");
    EXPECT_EQ(gezeigt, "0.02");
    EXPECT_EQ(ab, "0.02");
    EXPECT_EQ(auf, "0.98");
    EXPECT_TRUE(std::memcmp(feff.data(), FeffPfade, sizeof FeffPfade) == 0);
}
