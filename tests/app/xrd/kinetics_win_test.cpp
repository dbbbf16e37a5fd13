// The kinetic calculator (913) on a window of the test fixture, answered
// by the dialog watcher: model choice, regression, OK and Cancel.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "app/spectra/data_commands_fixture.h"
#include "fit/fit_model.h"
#include "resource_ids.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/grafik_fenster.h"

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
    std::string k, c0;
    auto lies = [&](HWND dlg) {
        k = Text(dlg, IDC_KIN_STEIGUNG);
        c0 = Text(dlg, IDC_KIN_ORDINATE);
    };
    auto foto = [](HWND dlg) { EXPECT_TRUE(FensterFoto(dlg, "kinetic_calc.png")); };
    EXPECT_TRUE(MitDialogen({Waehle(212), Druecke(IDC_KIN_REGRESSION), lies, foto, Druecke(IDOK)},
                            [&] { HAUPTDATEN.Befehl(913, 0); }));
    HAUPTDATEN.ModellCallback = altesModell;
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
