// The XANES fit (802, 812) in-process on a synthetic edge in keV, run with
// prepared values as the macro player runs it, its failures, and the dialog
// XASPEAKE driven through the dialog watcher.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/dialog_watcher.h"
#include "app/spectra/data_commands_fixture.h"
#include "fit/fit_model.h"
#include "fit/fit_run.h"
#include "fit/fit_run_win.h"
#include "resource_ids.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "shell/macro_bar.h"
#include "shell/macro_file.h"
#include "shell/shell_globals.h"
#include "xas/section_dialog_win.h"
#include "xas/xanes_fit_win.h"

namespace {

const double PI = 3.14159265358979323846;
// The edge: an arctangent step of height 1 at 8.979 keV (width 2 eV) and a
// Gaussian white line of 0.4 at 8.9825 keV (fwhm 3 eV).
const double STUFE = 8.979, LINIE = 8.9825;

double Kante(double e)
{
    const double u = (e - LINIE) / 0.003;
    return std::atan((e - STUFE) * PI / 0.002) / PI + 0.5 + 0.4 * std::exp(-2.772589 * u * u);
}

std::string Text(HWND dlg, int id)
{
    char t[100] = "";
    GetDlgItemTextA(dlg, id, t, sizeof t);
    return t;
}

}  // namespace

class XanesFitWin : public EditFixture {
protected:
    int32_t alteFrage = 0;
    void SetUp() override
    {
        EditFixture::SetUp();
        HAUPTDATEN.ModellCallback = ModellFunktion;
        HAUPTDATEN.FitZustand = 0;
        HAUPTDATEN.MakroSchrittAktiv = 0;
        Numerik.SetExpError(0.001);
        Numerik.SetWichtung(1);
        Numerik.SetFitProcedure(0, nullptr);
        alteFrage = KonfidenzFrage;
        KonfidenzFrage = -1;
        // 0.5 eV steps from 8.950 to 9.010 keV.
        grafik_fenster& g = GrafikFenster[0];
        const int n = 121;
        for (int i = 0; i < n; ++i) {
            g.GetXFeld(0)[i] = 8.950 + 0.0005 * i;
            g.GetYFeld(0)[i] = Kante(g.GetXFeld(0)[i]);
        }
        for (int s = 0; s < 4; ++s) {
            g.DateiInfo.PunkteProKurve[s] = s == 0 ? n : 0;
            g.KurvenFlags[s] = 0;
        }
        g.KurvenZaehler = g.NeuesterZaehler = 0;
        g.SetFullBorder();
        g.DateiInfo.Koeffizienten[0] = 8.5;
        g.DateiInfo.Spalten = 2;
        HAUPTDATEN.Befehl(847, 0);
    }
    void TearDown() override
    {
        KonfidenzFrage = alteFrage;
        HAUPTDATEN.FitZustand = 0;
        SetMenu(hwnd, HAUPTDATEN.Hauptmenue);
        EditFixture::TearDown();
    }
    // The window's model: types with their parameters (start values).
    void Modell(const std::vector<int32_t>& typen, const std::vector<double>& p, int32_t grad = 0)
    {
        grafik_fenster& g = GrafikFenster[0];
        g.AnzahlFunktionen = static_cast<int32_t>(typen.size());
        for (size_t i = 0; i < typen.size(); ++i) g.FunktionsTypen[i] = typen[i];
        g.PolyGrad = grad;
        for (size_t i = 0; i < p.size(); ++i) g.Parameter[i] = p[i];
        BefehlsFenster(&HAUPTDATEN, false);
        ASSERT_GE(ResetModelTables(), 0);
    }
    double E0() const { return GrafikFenster[0].DateiInfo.Koeffizienten[0]; }
};

TEST_F(XanesFitWin, E0IsThePositionOfTheChosenFunction)
{
    const struct {
        int32_t funktion;
        double e0;
    } faelle[] = {{0, STUFE}, {1, LINIE}};
    for (const auto& f : faelle) {
        Modell({8, 1}, {0.9, 8.9785, 0.0025, 0.35, 8.9822, 0.0034});
        Prepared(812, {8.960, 9.000, static_cast<double>(f.funktion), 0.0});
        EXPECT_EQ(FehlerCode, 0);
        EXPECT_NEAR(E0(), f.e0, 1e-5) << f.funktion;
        // The spectrum is current again; the fitted section stays behind it.
        EXPECT_EQ(GrafikFenster[0].AktuellerSlot(), 0);
        EXPECT_EQ(GrafikFenster[0].DateiInfo.PunkteProKurve[1], 81);
        EXPECT_EQ(HAUPTDATEN.FitZustand, 0);
        EXPECT_EQ(GrafikFenster[0].ZeigeFunktion, 0);
    }
    // Recorded: the section, the function, 0, the model and its fitted values.
    char ordner[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, ordner), 0u);
    const std::string makro = std::string(ordner) + "korlan_xanes_test.MAK";
    ASSERT_EQ(MakroDateiAnlegen(makro), MAKRO_SATZ);
    std::snprintf(ButtonBar.MakroPfad, sizeof ButtonBar.MakroPfad, "%s", makro.c_str());
    HAUPTDATEN.MakroAufnahme = 1;
    Modell({8, 1}, {0.9, 8.9785, 0.0025, 0.35, 8.9822, 0.0034});
    Prepared(812, {8.960, 9.000, 1.0, 0.0});
    HAUPTDATEN.MakroAufnahme = 0;
    ButtonBar.MakroPfad[0] = '\0';
    std::vector<MakroSatz> saetze;
    ASSERT_EQ(MakroDateiLesen(makro, saetze), MAKRO_SATZ);
    DeleteFileA(makro.c_str());
    ASSERT_EQ(saetze.size(), 1u);
    EXPECT_EQ(saetze[0].Befehl, 812);
    EXPECT_EQ(saetze[0].Werte, (std::vector<double>{8.960, 9.000, 1.0, 0.0}));
    EXPECT_EQ(saetze[0].FunktionsTypen, (std::vector<int32_t>{8, 1}));
    EXPECT_EQ(saetze[0].MaxParameter, 5);
    ASSERT_EQ(saetze[0].Parameter.size(), 6u);
    EXPECT_NEAR(saetze[0].Parameter[4], LINIE, 1e-5);

    const std::string h = Historie();
    EXPECT_NE(h.find(" --DETERMINATION OF E0 - XANES Fit - E0 = 8.9825"), std::string::npos) << h;
    EXPECT_NE(h.find("    profile functions : \r\n      0.   mod. atan  - position : 8.979"), std::string::npos) << h;
    EXPECT_NE(h.find("      1.   Gaussian  - position : 8.9825"), std::string::npos) << h;
}

TEST_F(XanesFitWin, AFunctionWithoutPositionOrAFailedFitKeepsE0)
{
    // A polynomial chosen: E0 stays, the replay stops.
    Modell({7, 8, 1}, {0.0, 0.9, 8.9785, 0.0025, 0.35, 8.9822, 0.0034}, 0);
    Prepared(812, {8.960, 9.000, 0.0, 0.0});
    EXPECT_EQ(FehlerCode, 1000);
    EXPECT_DOUBLE_EQ(E0(), 8.5);
    EXPECT_EQ(GrafikFenster[0].AktuellerSlot(), 0);
    FehlerCode = 0;

    // Two identical Gaussians of no height: neither position nor width
    // moves the model, the curvature is singular, the fit fails and
    // nothing is taken from it.
    boxen.clear();
    Modell({1, 1}, {0.0, 8.9825, 0.003, 0.0, 8.9825, 0.003});
    const std::vector<double> x = X(0, 0);
    for (int id : {812, 802}) {
        HAUPTDATEN.Befehl(848, 0);
        Prepared(id, {8.960, 9.000, 0.0, 8.99});
        EXPECT_EQ(FehlerCode, 1000) << id;
        EXPECT_DOUBLE_EQ(E0(), 8.5) << id;
        EXPECT_EQ(GrafikFenster[0].AktuellerSlot(), 0) << id;
        EXPECT_EQ(X(0, 0), x) << id;
        EXPECT_EQ(HAUPTDATEN.FitZustand, 0) << id;
        EXPECT_NE(GetMenu(hwnd), nullptr) << id;
        FehlerCode = 0;
    }
    // The fit said why.
    EXPECT_FALSE(boxen.empty());
}

TEST_F(XanesFitWin, CalibrationMovesTheFittedEdgeToTheNewEnergy)
{
    // "Same Spectrum": the fitted section itself is calibrated.
    HAUPTDATEN.Befehl(848, 0);
    Modell({8, 1}, {0.9, 8.9785, 0.0025, 0.35, 8.9822, 0.0034});
    Prepared(812, {8.960, 9.000, 0.0, 0.0});
    const double gefittet = E0();
    ASSERT_NEAR(gefittet, STUFE, 1e-5);

    // The new edge equal to the fitted one: the energies stay.
    GrafikFenster[0].KurvenZaehler = GrafikFenster[0].NeuesterZaehler = 0;
    GrafikFenster[0].SetFullBorder();
    Prepared(802, {8.960, 9.000, 0.0, gefittet});
    ASSERT_EQ(FehlerCode, 0);
    ASSERT_EQ(GrafikFenster[0].AktuellerSlot(), 1);
    const std::vector<double> ohne = X(0, 1);
    ASSERT_EQ(ohne.size(), 81u);
    for (size_t i = 0; i < ohne.size(); ++i) EXPECT_NEAR(ohne[i], 8.960 + 0.0005 * i, 1e-8);
    EXPECT_NE(Historie().find(" --ENERGY CALIBRATION - XANES Fit - old E0 = 8.979"), std::string::npos);

    // To 8.990: every energy moves by 11 eV, E0 is not touched.
    GrafikFenster[0].KurvenZaehler = GrafikFenster[0].NeuesterZaehler = 0;
    GrafikFenster[0].SetFullBorder();
    Prepared(802, {8.960, 9.000, 0.0, 8.990});
    ASSERT_EQ(FehlerCode, 0);
    const std::vector<double> mit = X(0, 1);
    for (size_t i = 0; i < mit.size(); ++i) EXPECT_NEAR(mit[i], 8.960 + 0.0005 * i + 0.011, 2e-6);
    EXPECT_DOUBLE_EQ(E0(), gefittet);
    // A fit on the calibrated curve finds the step at the new energy.
    Modell({8, 1}, {0.9, 8.9895, 0.0025, 0.35, 8.9932, 0.0034});
    Prepared(812, {8.975, 9.005, 0.0, 0.0});
    EXPECT_NEAR(E0(), 8.990, 1e-5);
}

// Start values by type, whatever order the function choice gives the model.
int32_t StartWerte(haupt_fenster*)
{
    int32_t p = 0;
    for (int32_t i = 0; i < FitFunctionCount; ++i) {
        const bool stufe = FitFunctionTypes[i] == 8;
        const double w[3] = {stufe ? 0.9 : 0.35, stufe ? 8.9785 : 8.9822, stufe ? 0.0025 : 0.0034};
        for (double v : w) FitParameters[p++] = v;
    }
    return 1;
}

// Answers the dialogs of 812 by what they are, whenever they come up:
// GET_FUNCTION with OK, XASPEAKE with the arctangent step and OK (or Cancel).
struct Regie {
    bool abbrechen = false;
    std::string alt;
    int xaspeake = 0;
};
Regie regie;

void CALLBACK RegieTakt(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dlg = dialog_waechter::ObersterDialog();
    if (!dlg) return;
    char titel[100] = "";
    GetWindowTextA(dlg, titel, sizeof titel);
    if (std::strcmp(titel, "Set XAS profile") == 0) {
        ++regie.xaspeake;
        const LRESULT k = SendDlgItemMessageA(dlg, IDC_XP_LISTE, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                              reinterpret_cast<LPARAM>(" mod. atan "));
        SendDlgItemMessageA(dlg, IDC_XP_LISTE, LB_SETCURSEL, k, 0);
        SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_XP_LISTE, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDC_XP_LISTE)));
        regie.alt = Text(dlg, IDC_XP_ALT);
        PostMessageA(dlg, WM_COMMAND, regie.abbrechen ? IDCANCEL : IDOK, 0);
    } else if (GetDlgItem(dlg, IDC_GF_TYPE + 8)) {
        PostMessageA(dlg, WM_COMMAND, IDOK, 0);
    }
}

TEST_F(XanesFitWin, TheDialogsOf812InTurn)
{
    Modell({8, 1}, {});
    SektionsAntwort = [](HWND, int32_t modus) -> INT_PTR {
        HAUPTDATEN.DialogWerte[0] = 8.960;
        HAUPTDATEN.DialogWerte[1] = 9.000;
        return modus == 0 ? 1 : 0;
    };
    const FIT_PARAMETER_EINGABE alt = FitParameterEingabe;
    FitParameterEingabe = StartWerte;
    dialog_waechter::Beginne();
    const UINT_PTR uhr = SetTimer(nullptr, 0, 20, RegieTakt);
    // Cancel in XASPEAKE drops the fitted section.
    regie = Regie();
    regie.abbrechen = true;
    HAUPTDATEN.Befehl(812, 0);
    EXPECT_EQ(regie.xaspeake, 1);
    EXPECT_EQ(GrafikFenster[0].AktuellerSlot(), 0);
    EXPECT_DOUBLE_EQ(E0(), 8.5);
    // GET_FUNCTION, the fit, the step chosen in XASPEAKE.
    regie = Regie();
    HAUPTDATEN.Befehl(812, 0);
    KillTimer(nullptr, uhr);
    dialog_waechter::Beende();
    SektionsAntwort = nullptr;
    FitParameterEingabe = alt;
    EXPECT_EQ(regie.xaspeake, 1);
    EXPECT_NEAR(E0(), STUFE, 1e-5);
    EXPECT_NEAR(std::atof(regie.alt.c_str()), STUFE, 1e-5);
    EXPECT_EQ(GrafikFenster[0].AktuellerSlot(), 0);
    EXPECT_EQ(FehlerCode, 0);
}

TEST_F(XanesFitWin, CancelInTheSectionDialogChangesNothing)
{
    Modell({8, 1}, {0.9, 8.9785, 0.0025, 0.35, 8.9822, 0.0034});
    SektionsAntwort = [](HWND, int32_t) -> INT_PTR { return 0; };
    HAUPTDATEN.Befehl(812, 0);
    SektionsAntwort = nullptr;
    EXPECT_EQ(GrafikFenster[0].AktuellerSlot(), 0);
    EXPECT_DOUBLE_EQ(E0(), 8.5);
    EXPECT_EQ(FehlerCode, 0);
}

TEST_F(XanesFitWin, XasPeakeShowsPositionsAndReturnsTheChoice)
{
    // Arctangent, a polynomial of degree 1 and a Gaussian.
    Modell({8, 7, 1}, {1.0, 8.979, 0.002, 0.5, -0.1, 0.4, 8.9825, 0.003}, 1);
    struct Bild {
        std::vector<std::string> namen;
        std::string alt[3], neu[3];
        bool altAn = true;
    } bild;
    auto waehle = [](int k) {
        return [k](HWND dlg) {
            SendDlgItemMessageA(dlg, IDC_XP_LISTE, LB_SETCURSEL, k, 0);
            SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_XP_LISTE, LBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDC_XP_LISTE)));
        };
    };
    auto merke = [&bild](int k) {
        return [k, &bild](HWND dlg) {
            bild.alt[k] = Text(dlg, IDC_XP_ALT);
            bild.neu[k] = Text(dlg, IDC_XP_NEU);
        };
    };
    for (int32_t modus : {1, 2}) {
        HilfeThema = modus;
        INT_PTR r = -5;
        const bool ok = MitDialogen(
            {[&bild](HWND dlg) {
                 bild.namen.clear();
                 const LRESULT n = SendDlgItemMessageA(dlg, IDC_XP_LISTE, LB_GETCOUNT, 0, 0);
                 for (LRESULT i = 0; i < n; ++i) {
                     char t[100] = "";
                     SendDlgItemMessageA(dlg, IDC_XP_LISTE, LB_GETTEXT, i, reinterpret_cast<LPARAM>(t));
                     bild.namen.push_back(t);
                 }
                 bild.altAn = IsWindowEnabled(GetDlgItem(dlg, IDC_XP_ALT)) != 0;
             },
             merke(0), waehle(1), merke(1), waehle(2), merke(2), SetzeText(IDC_XP_NEU, "8.99"), Druecke(IDOK)},
            [&] { r = DialogBoxParamA(HAUPTDATEN.Instanz, "XASPEAKE", hwnd, XasPeakeProc, 0); });
        HilfeThema = 0;
        ASSERT_TRUE(ok) << modus;
        EXPECT_EQ(r, 1);
        EXPECT_EQ(bild.namen, (std::vector<std::string>{" mod. atan ", " Polynomial ", " Gaussian "}));
        EXPECT_EQ(bild.alt[0], "8.979");
        EXPECT_EQ(bild.neu[0], "8.979");
        EXPECT_EQ(bild.alt[1], "0");
        EXPECT_EQ(bild.neu[1], "0");
        EXPECT_EQ(bild.alt[2], "8.9825");
        EXPECT_EQ(bild.altAn, modus == 1) << modus;
        EXPECT_DOUBLE_EQ(HAUPTDATEN.DialogWerte[2], 2.0);
        EXPECT_DOUBLE_EQ(HAUPTDATEN.DialogWerte[3], 8.99);
    }
    // Cancel: 0.
    INT_PTR r = -5;
    ASSERT_TRUE(MitDialogen({Druecke(IDCANCEL)},
                            [&] { r = DialogBoxParamA(HAUPTDATEN.Instanz, "XASPEAKE", hwnd, XasPeakeProc, 0); }));
    EXPECT_EQ(r, 0);
}
