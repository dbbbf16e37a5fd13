// The XAFS menu's frame and its inline steps through the dispatcher, with
// prepared values as the macro player gives them, and the dialogs
// GETPOLYGRAD and CALCXAS answered through the dialog watcher.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/spectra/data_commands_fixture.h"
#include "app/temp_folder.h"
#include "fit/fit_model.h"
#include "resource_ids.h"
#include "shell/dispatcher.h"
#include "spectra/data_commands_win.h"
#include "xas/xas_commands_win.h"
#include "xas/section_dialog_win.h"
#include "xas/xas_reduction.h"

namespace {

using Feld = std::vector<double>;

std::string Text(HWND dlg, int id)
{
    char t[200] = {};
    GetDlgItemTextA(dlg, id, t, sizeof t);
    return t;
}

std::string Gewaehlt(HWND dlg, int id)
{
    const LRESULT i = SendDlgItemMessageA(dlg, id, CB_GETCURSEL, 0, 0);
    if (i == CB_ERR) return "";
    char t[200] = {};
    SendDlgItemMessageA(dlg, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(t));
    return t;
}

bool Sichtbar(HWND dlg, int id) { return IsWindowVisible(GetDlgItem(dlg, id)) != 0; }

}  // namespace

class XafsBefehle : public EditFixture {
protected:
    // Window 0 slot 0: n energies from e (keV) in steps of h with y = f.
    void Energien(int n, double e, double h, double (*f)(double))
    {
        grafik_fenster& g = GrafikFenster[0];
        for (int i = 0; i < n; ++i) {
            g.GetXFeld(0)[i] = e + i * h;
            g.GetYFeld(0)[i] = f(e + i * h);
        }
        for (int s = 0; s < 4; ++s) {
            g.DateiInfo.PunkteProKurve[s] = s == 0 ? n : 0;
            g.KurvenFlags[s] = 0;
        }
        g.KurvenZaehler = g.NeuesterZaehler = 0;
        g.SetFullBorder();
    }
    int Slot() const { return GrafikFenster[0].AktuellerSlot(); }
};

TEST_F(XafsBefehle, TheFrameRoutesOrRefuses)
{
    Kurve(0, 8, [](double x) { return x * x; });
    GrafikFenster[0].DateiInfo.Spalten = 2;

    // A number without a case and without a menu item does nothing.
    NichtVerfuegbarVergessen();
    Prepared(853, {});
    EXPECT_EQ(FehlerCode, 0);
    EXPECT_EQ(Slot(), 0);
    EXPECT_STREQ(NichtVerfuegbarText(), "");
    // "Set Points..." of the DXAS calibration is a menu item that is not
    // built: it says so (and stops a replay) instead of doing nothing.
    HAUPTDATEN.Befehl(820, 0);
    EXPECT_NE(std::string(NichtVerfuegbarText()).find("Set Points"), std::string::npos) << NichtVerfuegbarText();
    EXPECT_EQ(Slot(), 0);
    Prepared(820, {});
    EXPECT_EQ(FehlerCode, 1000);
    FehlerCode = 0;
    boxen.clear();

    // 802 with "Third Column" on a two-column file.
    HAUPTDATEN.Befehl(847, 0);
    HAUPTDATEN.Befehl(802, 0);
    EXPECT_EQ(FehlerCode, 109);
    FehlerCode = 0;
    Prepared(802, {});
    EXPECT_EQ(FehlerCode, 1000);
    FehlerCode = 0;

    // 842 without the McMaster table does nothing, not even "not available".
    const double alt = McMasterTable[0];
    McMasterTable[0] = MCMASTER_NOT_LOADED;
    NichtVerfuegbarVergessen();
    HAUPTDATEN.Befehl(842, 0);
    McMasterTable[0] = alt;
    EXPECT_STREQ(NichtVerfuegbarText(), "");
    EXPECT_TRUE(boxen.empty());

    // 815 on more points than the k grid only warns.
    const int32_t kp = ExafsOptionen.KPunkte;
    ExafsOptionen.KPunkte = 4;
    HAUPTDATEN.Befehl(815, 0);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_NE(boxen[0].text.find("Number of datapoints exceeds"), std::string::npos);
    EXPECT_STREQ(NichtVerfuegbarText(), "");
    // A replay stops there instead of going on without the transform.
    Prepared(815, {});
    ExafsOptionen.KPunkte = kp;
    EXPECT_EQ(boxen.size(), 1u);
    EXPECT_EQ(FehlerCode, 1000);
    FehlerCode = 0;

    // A command that is not built answers "not available"; 1000 in a replay.
    Prepared(820, {});
    EXPECT_EQ(FehlerCode, 1000);
    EXPECT_STRNE(NichtVerfuegbarText(), "");
    FehlerCode = 0;

    // Without a window: 111.
    HAUPTDATEN.GrafikHandles[0] = HAUPTDATEN.GrafikHandles[1] = nullptr;
    Prepared(810, {});
    EXPECT_EQ(FehlerCode, 111);
    HAUPTDATEN.GrafikHandles[0] = grafik[0];
    HAUPTDATEN.GrafikHandles[1] = grafik[1];
}

TEST_F(XafsBefehle, AtomicBackgroundOnANarrowEnergyRangeAsksFirst)
{
    // 1 keV of data: narrower than the 2.0 the k-space fits expect.
    Energien(200, 8.9, 0.005, [](double e) { return e; });
    for (int id : {806, 828, 837}) {
        boxen.clear();
        NichtVerfuegbarVergessen();
        antwort = IDCANCEL;
        HAUPTDATEN.Befehl(id, 0);
        ASSERT_EQ(boxen.size(), 1u) << id;
        EXPECT_EQ(boxen[0].titel, "Caution !!");
        EXPECT_NE(boxen[0].text.find("Atomic absorption fit should be carried out"), std::string::npos);
        // Cancel ends the command before the fit is reached.
        EXPECT_STREQ(NichtVerfuegbarText(), "") << id;
        EXPECT_EQ(Slot(), 0);
    }
}

TEST_F(XafsBefehle, EnergiesInEvAndAnE0OutsideTheDataAskBeforeAnything)
{
    Energien(50, 8900.0, 5.0, [](double e) { return e; });
    HAUPTDATEN.Befehl(848, 0);
    const struct {
        int id;
        const char* text;
    } faelle[] = {
        {808, "Your spectrum seems to be versus eV.\r\n    Don't forget to change to keV."},
        {811, "Your spectrum seems to be versus eV.\r\n      Please change to keV."},
        {810, "Your spectrum seems to be versus eV!\r\n      Please change to keV."},
    };
    for (const auto& f : faelle) {
        boxen.clear();
        NichtVerfuegbarVergessen();
        antwort = IDCANCEL;
        HAUPTDATEN.Befehl(f.id, 0);
        ASSERT_EQ(boxen.size(), 1u) << f.id;
        EXPECT_EQ(boxen[0].text, f.text);
        EXPECT_EQ(boxen[0].titel, "Caution !!");
        EXPECT_STREQ(NichtVerfuegbarText(), "") << f.id;
        EXPECT_EQ(Slot(), 0) << f.id;
    }
    // In keV with E0 beyond the data: 810 asks, Cancel converts nothing.
    Energien(50, 8.9, 0.005, [](double e) { return e; });
    GrafikFenster[0].DateiInfo.Koeffizienten[0] = 9.5;
    boxen.clear();
    antwort = IDCANCEL;
    HAUPTDATEN.Befehl(810, 0);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].text, "E0 (9.5 keV) exceeds the file range.\r\nShall the conversion be carried out ?");
    EXPECT_EQ(Slot(), 0);
    // OK converts, with points below E0 at negative k.
    boxen.clear();
    antwort = IDOK;
    HAUPTDATEN.Befehl(810, 0);
    ASSERT_EQ(Slot(), 1);
    for (double k : X(0, 1)) EXPECT_LT(k, 0.0);
}

TEST_F(XafsBefehle, CalibrationSourceAndTheOptionsWordAreTwoSettings)
{
    const int cases[3][3] = {{846, 1, 0}, {847, 2, 0}, {848, 3, 1}};
    for (const auto& c : cases) {
        HAUPTDATEN.Befehl(c[0], 0);
        EXPECT_EQ(HAUPTDATEN.KalibrierReferenz, c[1]) << c[0];
        EXPECT_EQ(ExafsOptionen.KalibrierQuelle, c[2]) << c[0];
    }
}

TEST_F(XafsBefehle, OddEvenKeepsEveryPoint)
{
    for (int n : {7, 8}) {
        Kurve(0, n, [](double x) { return 10 * x; });
        Prepared(823, {});
        const Feld ungerade = X(0, Slot()), gerade = X(0, (Slot() + 3) & 3);
        EXPECT_EQ(gerade.size() + ungerade.size(), static_cast<size_t>(n));
        EXPECT_EQ(gerade.front(), 0.0);
        EXPECT_EQ(ungerade.front(), 1.0);
        EXPECT_EQ(std::max(gerade.back(), ungerade.back()), n - 1.0);
        EXPECT_STREQ(GrafikFenster[0].XText[Slot()], "diodes");
    }
}

TEST_F(XafsBefehle, DxasPolynomialConvertsXWithItsHistoryLine)
{
    Kurve(0, 5, [](double x) { return x; });
    Prepared(819, {8.9, 0.01, 1e-4});
    Feld x = X(0, Slot());
    for (int i = 0; i < 5; ++i) EXPECT_NEAR(x[i], 8.9 + 0.01 * i + 1e-4 * i * i, 1e-12);
    EXPECT_NE(Historie().find("--DEXAFS energy conversion -"), std::string::npos);
    EXPECT_NE(Historie().find("C(1)= 8.9, C(2)= 0.01, C(3)= 0.0001  - ( active : 2 )"), std::string::npos);
    Prepared(821, {1.0, 2.0, 0.0});
    x = X(0, Slot());
    EXPECT_NEAR(x[4], 1.0 + 2.0 * (8.9 + 0.04 + 1.6e-3), 1e-12);
    EXPECT_NE(Historie().find("diodes -> energy"), std::string::npos);
    EXPECT_DOUBLE_EQ(HAUPTDATEN.DxasPolynom[1], 2.0);
}

TEST_F(XafsBefehle, ConversionToKWeightingAndNormalisation)
{
    Energien(40, 8.95, 0.005, [](double e) { return std::sin(e * 100.0); });
    grafik_fenster& g = GrafikFenster[0];
    const Feld e = X(0, 0), chi = Y(0, 0);
    Prepared(818, {8.979});
    EXPECT_DOUBLE_EQ(g.DateiInfo.Koeffizienten[0], 8.979);
    EXPECT_EQ(Slot(), 0);

    Prepared(810, {});
    const int ks = Slot();
    const Feld k = X(0, ks);
    for (size_t i = 0; i < k.size(); ++i) {
        EXPECT_NEAR(EnergieAusK(k[i], 8.979), e[i], 1e-12);
        EXPECT_EQ(k[i] <= 0.0, e[i] <= 8.979);
    }
    EXPECT_STREQ(g.XText[ks], "k [\xC5~{-1}]");

    Prepared(814, {2.0});
    // The frame marks the slot it found current; the weighting its own.
    EXPECT_EQ(g.XasStufe[ks], -1);
    EXPECT_EQ(g.XasStufe[Slot()], 2);
    Prepared(814, {3.0});
    Feld y = Y(0, Slot());
    for (size_t i = 0; i < k.size(); ++i) EXPECT_NEAR(y[i], chi[i] * std::pow(std::fabs(k[i]), 3.0), 1e-12);
    EXPECT_STREQ(g.YText[Slot()], "^c(k)*k~3");
    EXPECT_TRUE(g.KurvenFlags[Slot()] & SLOT_K_GEWICHTET);
    Prepared(814, {0.0});
    y = Y(0, Slot());
    for (size_t i = 0; i < k.size(); ++i)
        if (k[i] != 0.0) {
            EXPECT_NEAR(y[i], chi[i], 1e-12);
        }
    EXPECT_STREQ(g.YText[Slot()], "^c(k)");
    EXPECT_FALSE(g.KurvenFlags[Slot()] & SLOT_K_GEWICHTET);
    // A fractional weight on negative k stays finite.
    Prepared(814, {2.6});
    for (double v : Y(0, Slot())) EXPECT_TRUE(std::isfinite(v));
    EXPECT_NE(Historie().find("--k-WEIGHT -"), std::string::npos);

    Energien(3, 7.110, 0.002, [](double) { return 1.0; });
    Prepared(830, {7.112});
    EXPECT_NEAR(X(0, Slot())[1], 0.0, 1e-9);
    EXPECT_NEAR(X(0, Slot())[2], 2.0, 1e-9);
    EXPECT_STREQ(g.XText[Slot()], "photoelectron energy (E-E@0) [eV]");
}

TEST_F(XafsBefehle, EachSlotKeepsItsOwnKWeight)
{
    Energien(40, 8.95, 0.005, [](double e) { return std::cos(e * 70.0); });
    grafik_fenster& g = GrafikFenster[0];
    Prepared(818, {8.979});
    Prepared(810, {});
    const Feld k = X(0, Slot()), chi = Y(0, Slot());
    Prepared(814, {2.0});
    const int k2 = Slot();
    Prepared(814, {3.0});
    // Back to the k^2 curve: the window's last weight is 3 now, but
    // unweighting must take off the 2 this curve carries.
    g.SetCurveSlots(g.KurvenZaehler - 1, g.NeuesterZaehler);
    ASSERT_EQ(Slot(), k2);
    Prepared(814, {0.0});
    const Feld y = Y(0, Slot());
    for (size_t i = 0; i < k.size(); ++i)
        if (k[i] != 0.0) {
            EXPECT_NEAR(y[i], chi[i], 1e-12) << k[i];
        }
    // A section of a weighted curve keeps its weight with it.
    g.SetCurveSlots(g.KurvenZaehler - 1, g.NeuesterZaehler);
    ASSERT_EQ(Slot(), k2);
    ASSERT_GT(g.CutSection(0, 0.0, 0.0, 0), 0);
    Prepared(814, {1.0});
    const Feld z = Y(0, Slot());
    for (size_t i = 0; i < k.size(); ++i) EXPECT_NEAR(z[i], chi[i] * std::fabs(k[i]), 1e-12) << k[i];
}

TEST_F(XafsBefehle, ReferenceEdgeShiftsAndShiftsBack)
{
    Energien(50, 8.9, 0.0037, [](double e) { return e; });
    const Feld x0 = X(0, 0);
    Prepared(845, {8.9805, 8.979});
    Feld x = X(0, Slot());
    for (size_t i = 0; i < x.size(); ++i) EXPECT_NEAR(x[i], x0[i] + 8.979 - 8.9805, 1e-12);
    Prepared(845, {8.979, 8.9805});
    x = X(0, Slot());
    for (size_t i = 0; i < x.size(); ++i) EXPECT_NEAR(x[i], x0[i], 1e-12);
    // A tabulated edge of 0 (an unknown element) is refused.
    const int vorher = Slot();
    Prepared(845, {8.9805, 0.0});
    EXPECT_EQ(FehlerCode, 1000);
    EXPECT_EQ(Slot(), vorher);
}

TEST_F(XafsBefehle, SameSpectrumCalibrationShiftsACopyByItsOwnEdge)
{
    Energien(400, 8.90, 0.0005, [](double e) { return std::atan((e - 8.9806) / 0.0015); });
    HAUPTDATEN.Befehl(848, 0);
    Prepared(808, {0.0, 8.979, 8.975, 8.985, 0.0, -1.0});
    ASSERT_EQ(FehlerCode, 0);
    EXPECT_NEAR(HAUPTDATEN.DialogWerte[0], 8.9806, 0.0001);
    // The curve of the start keeps its slot; the shifted copy is current.
    EXPECT_EQ(Slot(), 2);
    EXPECT_NEAR(X(0, 0)[0], 8.90, 1e-12);
    EXPECT_NEAR(X(0, 2)[0], 8.90 - (HAUPTDATEN.DialogWerte[0] - 8.979), 1e-12);
    // Borders without an edge: nothing shifted, 1000.
    Prepared(808, {0.0, 8.979, 9.02, 9.05, 0.0, -1.0});
    EXPECT_EQ(FehlerCode, 1000);
    EXPECT_EQ(Slot(), 2);
}

TEST_F(XafsBefehle, EdgeSearchWithoutRootKeepsE0)
{
    Energien(400, 8.90, 0.0005, [](double e) { return std::atan((e - 8.9806) / 0.0015); });
    GrafikFenster[0].DateiInfo.Koeffizienten[0] = 8.5;
    Prepared(811, {0.0, 9.02, 9.05, 0.0, 0.0, -1.0});
    EXPECT_EQ(FehlerCode, 1000);
    EXPECT_DOUBLE_EQ(GrafikFenster[0].DateiInfo.Koeffizienten[0], 8.5);
    FehlerCode = 0;
    Prepared(811, {0.0, 8.975, 8.985, 0.0, 0.0, -1.0});
    EXPECT_NEAR(GrafikFenster[0].DateiInfo.Koeffizienten[0], 8.9806, 0.0001);
    EXPECT_NE(Historie().find("--DETERMINATION OF E0 -"), std::string::npos);
}

// ---- GETPOLYGRAD ----

class PolyGrad : public XafsBefehle {
protected:
    INT_PTR Oeffne(int modus, std::vector<DialogSchritt> schritte, bool* fertig = nullptr)
    {
        INT_PTR r = -1;
        HilfeThema = modus;
        const bool ok = MitDialogen(std::move(schritte), [&] { r = PolyGradDialogOeffnen(hwnd); });
        HilfeThema = 0;
        if (fertig) *fertig = ok;
        return r;
    }
};

TEST_F(PolyGrad, EveryModeShowsItsFieldsAndStoresItsValues)
{
    Kurve(0, 5, [](double x) { return x; });
    grafik_fenster& g = GrafikFenster[0];
    double* dw = HAUPTDATEN.DialogWerte;
    std::string titel, gruppe, feld, feld2;
    bool sichtbar2 = false, symbol = false;
    auto merke = [&](HWND d) {
        char t[100] = {};
        GetWindowTextA(d, t, sizeof t);
        titel = t;
        gruppe = Text(d, IDC_POLY_GRUPPE);
        feld = Text(d, IDC_POLY_FELD);
        feld2 = Text(d, IDC_POLY_FELD2);
        sichtbar2 = Sichtbar(d, IDC_POLY_FELD2);
        symbol = Sichtbar(d, IDC_POLY_SYMBOL);
    };

    g.PolyGrad = 3;
    EXPECT_EQ(Oeffne(0, {merke, SetzeText(IDC_POLY_FELD, "5"), Druecke(IDOK)}), 1);
    EXPECT_EQ(titel, "Enter degree of polynomial");
    EXPECT_EQ(feld, "3");
    EXPECT_FALSE(sichtbar2);
    EXPECT_EQ(g.PolyGrad, 5);
    EXPECT_EQ(FitPolyDegree, 5);

    dw[0] = 8.98;
    EXPECT_EQ(Oeffne(1, {merke, SetzeText(IDC_POLY_FELD, "8.979"), Druecke(IDOK)}), 1);
    EXPECT_EQ(titel, "Energy calibration");
    EXPECT_EQ(feld, "8.98");
    EXPECT_TRUE(symbol);
    EXPECT_DOUBLE_EQ(dw[1], 8.979);

    g.KurvenFlags[0] = SLOT_K_GEWICHTET;
    g.KGewicht = 2.5;
    EXPECT_EQ(Oeffne(2, {merke, SetzeText(IDC_POLY_FELD, "3"), Druecke(IDOK)}), 1);
    EXPECT_EQ(titel, "k - Weighting");
    EXPECT_EQ(feld, "2.5");
    EXPECT_DOUBLE_EQ(dw[0], 3.0);
    g.KurvenFlags[0] = 0;
    EXPECT_EQ(Oeffne(2, {merke, Druecke(IDCANCEL)}), 0);
    EXPECT_EQ(feld, "0");

    g.Parameter[50] = 1.7, g.Parameter[51] = 2.2, g.Parameter[52] = -3.9;
    EXPECT_EQ(Oeffne(3, {merke, SetzeText(IDC_POLY_FELD3, "4"), Druecke(IDOK)}), 1);
    EXPECT_EQ(titel, "Victoreen-Fit");
    EXPECT_EQ(feld, "1");
    EXPECT_TRUE(sichtbar2);
    EXPECT_EQ(g.Parameter[52], 4.0);
    EXPECT_EQ(g.Parameter[50], 1.0);

    // An element symbol is looked up and the dialog stays open.
    dw[0] = 0.0;
    EXPECT_EQ(Oeffne(4, {SetzeText(IDC_POLY_FELD, "Cu"), Druecke(IDOK), merke, Druecke(IDOK)}), 1);
    EXPECT_EQ(feld, "8.979");
    EXPECT_DOUBLE_EQ(dw[0], 8.979);
    // An unknown symbol is refused with a message and stays open too.
    boxen.clear();
    EXPECT_EQ(Oeffne(5, {merke, SetzeText(IDC_POLY_FELD, "Xx"), Druecke(IDOK), SetzeText(IDC_POLY_FELD, "7.112"),
                         Druecke(IDOK)}),
              1);
    EXPECT_EQ(titel, "Set E0 for reference");
    EXPECT_EQ(boxen.size(), 1u);
    EXPECT_DOUBLE_EQ(dw[0], 7.112);

    // Mode 6 and 7 read and write their settings files.
    std::remove(Pfad("ini_mue-p.par").c_str());
    EXPECT_EQ(Oeffne(6, {merke, SetzeText(IDC_POLY_FELD2, "2"), Druecke(IDOK)}), 1);
    EXPECT_EQ(feld, "6");
    EXPECT_EQ(feld2, "3");
    EXPECT_EQ(Lies("ini_mue-p.par"), "6\n2\n");
    EXPECT_DOUBLE_EQ(dw[5], 2.0);
    Schreibe("ini_2poly.par", "3\n\n");
    EXPECT_EQ(Oeffne(7, {merke, SetzeText(IDC_POLY_FELD, "2.7"), Druecke(IDOK)}), 1);
    EXPECT_EQ(feld, "3");
    EXPECT_EQ(feld2, "1");
    EXPECT_EQ(Lies("ini_2poly.par"), "2\n1\n");
    EXPECT_DOUBLE_EQ(dw[3], 2.0);
    EXPECT_EQ(Oeffne(7, {merke, Druecke(IDCANCEL)}), 0);
    EXPECT_EQ(feld, "2");

    // Mode 8 looks up field 100 only; a symbol in 201 is read as 0.
    EXPECT_EQ(Oeffne(8, {merke, SetzeText(IDC_POLY_FELD, "8.9805"), SetzeText(IDC_POLY_FELD2, "Cu"),
                         Druecke(IDOK), Druecke(IDOK)}),
              1);
    EXPECT_EQ(titel, "Set reference Eo for calibration");
    EXPECT_EQ(feld2, "8.979");
    EXPECT_DOUBLE_EQ(dw[0], 8.9805);
    EXPECT_DOUBLE_EQ(dw[1], 8.979);
    EXPECT_EQ(Oeffne(8, {SetzeText(IDC_POLY_FELD, "Cu"), SetzeText(IDC_POLY_FELD2, "9.0"), Druecke(IDOK)}), 1);
    EXPECT_DOUBLE_EQ(dw[0], 0.0);

    HAUPTDATEN.Roentgenwellenlaenge = 154.2;
    EXPECT_EQ(Oeffne(9, {merke, SetzeText(IDC_POLY_FELD, "70.93"), Druecke(IDOK)}), 1);
    EXPECT_EQ(titel, "Set XRD wavelength");
    EXPECT_EQ(feld, "154.2");
    EXPECT_DOUBLE_EQ(HAUPTDATEN.Roentgenwellenlaenge, 70.93);
}

TEST_F(PolyGrad, TheDeglitchingAsksItsDegreeHere)
{
    Kurve(0, 5, [](double x) { return x; });
    int32_t grad = -1;
    EXPECT_TRUE(MitDialogen({SetzeText(IDC_POLY_FELD, "2"), Druecke(IDOK)}, [&] { grad = PolynomGradDialog(); }));
    EXPECT_EQ(grad, 3);
}

TEST_F(PolyGrad, InteractiveStepsUseTheDialog)
{
    Energien(10, 8.97, 0.002, [](double e) { return e; });
    GrafikFenster[0].DateiInfo.Koeffizienten[0] = 8.971;
    EXPECT_TRUE(MitDialogen({SetzeText(IDC_POLY_FELD, "Cu"), Druecke(IDOK), Druecke(IDOK)},
                            [&] { HAUPTDATEN.Befehl(818, 0); }));
    EXPECT_DOUBLE_EQ(GrafikFenster[0].DateiInfo.Koeffizienten[0], 8.979);
}

// ---- CALCXAS ----

class CalcXas : public XafsBefehle {
protected:
    TempOrdner daten;
    // A raw file of 3 header lines and 10 rows of 8 columns in window 0.
    void RohDatei()
    {
        Kurve(0, 4, [](double x) { return x; });
        std::string t = "header one\r\nheader two\nheader three\n";
        for (int i = 0; i < 10; ++i) {
            const double e = 8950.0 + 10.0 * i;
            char z[200];
            std::snprintf(z, sizeof z, "%g %d %d %d %d %d %d %d\n", e, 1000 + i, 400, 300, 5, 6, 7, 8);
            t += z;
        }
        SchreibeBytes(daten.Datei("raw.dat"), t);
        DateiInfo& info = GrafikFenster[0].DateiInfo;
        std::snprintf(info.Ordner, sizeof info.Ordner, "%s\\", daten.Ordner().c_str());
        std::strcpy(info.DateiName, "raw.dat");
        info.Kopfzeilen = 3;
        info.Punkte = 10;
        info.Spalten = 8;
        info.AlleSpalten[0] = 8;
        for (int k = 1; k <= 8; ++k) info.AlleSpalten[k] = k;
    }
};

TEST_F(CalcXas, LayoutsSelectTheirColumnsAndOkKeepsTheFavourite)
{
    RohDatei();
    std::remove(Pfad("favorite.ini").c_str());
    std::remove(Pfad("calc_xas.ini").c_str());
    std::string erster, vorschau, kopf, punkte;
    std::string e, i0, i1, i2;
    bool trans = false, fluo = false, mittel = false;
    std::string von, bis;
    auto merke = [&](HWND d) {
        e = Gewaehlt(d, IDC_CALC_E), i0 = Gewaehlt(d, IDC_CALC_I0);
        i1 = Gewaehlt(d, IDC_CALC_I1), i2 = Gewaehlt(d, IDC_CALC_I2);
        trans = IsDlgButtonChecked(d, IDC_CALC_TRANS) == BST_CHECKED;
        fluo = IsDlgButtonChecked(d, IDC_CALC_FLUO) == BST_CHECKED;
        mittel = IsDlgButtonChecked(d, IDC_CALC_MITTEL) == BST_CHECKED;
        von = Text(d, IDC_CALC_VON), bis = Text(d, IDC_CALC_BIS);
        char t[2000] = {};
        GetDlgItemTextA(d, IDC_CALC_VORSCHAU, t, sizeof t);
        vorschau = t;
        kopf = Text(d, IDC_CALC_KOPF), punkte = Text(d, IDC_CALC_PUNKTE);
        char l[100] = {};
        SendDlgItemMessageA(d, IDC_CALC_LAYOUT, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(l));
        erster = l;
    };
    auto waehleLayout = [](int index) {
        return [index](HWND d) {
            SendDlgItemMessageA(d, IDC_CALC_LAYOUT, CB_SETCURSEL, index, 0);
            SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_CALC_LAYOUT, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(GetDlgItem(d, IDC_CALC_LAYOUT)));
        };
    };
    INT_PTR r = -1;
    // Entries: "no format selected", then 351-355; 354 is the HASYLAB XAFS row.
    std::string hasylab[4];
    bool hasylabTrans = false;
    auto merkeHasylab = [&](HWND d) {
        const int ids[4] = {IDC_CALC_E, IDC_CALC_I0, IDC_CALC_I1, IDC_CALC_I2};
        for (int k = 0; k < 4; ++k) hasylab[k] = Gewaehlt(d, ids[k]);
        hasylabTrans = IsDlgButtonChecked(d, IDC_CALC_TRANS) == BST_CHECKED;
    };
    ASSERT_TRUE(MitDialogen({merke, waehleLayout(4), merkeHasylab, waehleLayout(2), merke, Druecke(IDCANCEL)},
                            [&] { r = CalcXasDialogOeffnen(hwnd); }));
    EXPECT_EQ(r, 0);
    EXPECT_EQ(hasylab[0], "1. column");
    EXPECT_EQ(hasylab[1], "6. column");
    EXPECT_EQ(hasylab[2], "7. column");
    EXPECT_EQ(hasylab[3], "8. column");
    EXPECT_TRUE(hasylabTrans);
    EXPECT_EQ(erster, "no format selected");
    EXPECT_EQ(std::count(vorschau.begin(), vorschau.end(), '\n'), 13);
    EXPECT_EQ(vorschau.find("header one\r\nheader two\r\n"), 0u);
    EXPECT_EQ(kopf, "3");
    EXPECT_EQ(punkte, "10");
    // The last merke: the Jumbo row (fluorescence, I2 0 leaves the list).
    EXPECT_EQ(e, "1. column");
    EXPECT_EQ(i0, "3. column");
    EXPECT_EQ(i1, "2. column");
    EXPECT_EQ(i2, "8. column");
    EXPECT_TRUE(fluo);
    EXPECT_FALSE(trans);
    EXPECT_FALSE(mittel);

    // OK in fluorescence with a reversed run: -1 and no range kept.
    ASSERT_TRUE(MitDialogen({waehleLayout(2), Waehle(IDC_CALC_MITTEL), SetzeText(IDC_CALC_VON, "20"),
                             SetzeText(IDC_CALC_BIS, "12"), Druecke(IDOK)},
                            [&] { r = CalcXasDialogOeffnen(hwnd); }));
    EXPECT_EQ(r, 1);
    const double* dw = HAUPTDATEN.DialogWerte;
    EXPECT_EQ(dw[0], -1.0);
    EXPECT_EQ(dw[5], -1.0);
    EXPECT_EQ(dw[1], 1.0);
    EXPECT_EQ(dw[2], 3.0);
    // I2 had no choice: the Jumbo row's 0 left the list empty.
    EXPECT_EQ(Lies("favorite.ini", true), " your favorite format      |-1,3,2,0");

    // A range: the favourite ends in "#" and comes first next time.
    ASSERT_TRUE(MitDialogen({Waehle(IDC_CALC_MITTEL), SetzeText(IDC_CALC_VON, "5"), SetzeText(IDC_CALC_BIS, "8"),
                             Druecke(IDOK)},
                            [&] { r = CalcXasDialogOeffnen(hwnd); }));
    EXPECT_EQ(Lies("favorite.ini", true), " your favorite format      |-1,3,2,0,5,8#");
    ASSERT_TRUE(MitDialogen({merke, Druecke(IDCANCEL)}, [&] { r = CalcXasDialogOeffnen(hwnd); }));
    EXPECT_EQ(erster, " your favorite format      |-1,3,2,0,5,8#");
    EXPECT_TRUE(mittel);
    EXPECT_EQ(von, "5");
    EXPECT_EQ(bis, "8");

    // Transmission 1, 2, 3 without I2 through 843 itself.
    ASSERT_TRUE(MitDialogen({waehleLayout(1), [](HWND d) { SendDlgItemMessageA(d, IDC_CALC_I2, CB_SETCURSEL, -1, 0); },
                             [](HWND d) {
                                 SendDlgItemMessageA(d, IDC_CALC_E, CB_SETCURSEL, 0, 0);
                                 SendDlgItemMessageA(d, IDC_CALC_I0, CB_SETCURSEL, 1, 0);
                                 SendDlgItemMessageA(d, IDC_CALC_I1, CB_SETCURSEL, 2, 0);
                             },
                             Waehle(IDC_CALC_TRANS), Druecke(IDOK)},
                            [&] { HAUPTDATEN.Befehl(843, 0); }));
    EXPECT_EQ(Lies("favorite.ini", true), " your favorite format      | 1,2,3,0");
    const Feld x = X(0, Slot()), y = Y(0, Slot());
    ASSERT_EQ(x.size(), 10u);
    EXPECT_NEAR(x[0], 8.95, 1e-12);
    EXPECT_NEAR(y[3], std::log(1003.0 / 400.0), 1e-12);
    EXPECT_STREQ(GrafikFenster[0].XText[Slot()], "photon energy [keV]");

    // The reference channel by the favourite: ln(I1 / I2) of columns 3, 4
    // (400 and 300 in every row).
    Schreibe("favorite.ini", "| 1,2,3,4");
    ASSERT_EQ(LadeReferenz(2, GrafikFenster[0]), 1);
    EXPECT_NEAR(Y(0, Slot())[0], std::log(400.0 / 300.0), 1e-12);
    // The fluorescence sum of channels 5 to 7 divided by I0.
    Schreibe("favorite.ini", "|-1,2,3,0,5,8#");
    ASSERT_EQ(LadeReferenz(1, GrafikFenster[0]), 1);
    EXPECT_NEAR(Y(0, Slot())[2], (5.0 + 6.0 + 7.0) / 1002.0, 1e-12);
}

TEST_F(CalcXas, TheLayoutListOffersTheFilesThenTheStringTable)
{
    RohDatei();
    std::remove(Pfad("favorite.ini").c_str());
    std::remove(Pfad("calc_xas.ini").c_str());
    std::vector<std::string> eintraege;
    auto liste = [&](HWND d) {
        eintraege.clear();
        const LRESULT n = SendDlgItemMessageA(d, IDC_CALC_LAYOUT, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < n; ++i) {
            char t[100] = {};
            SendDlgItemMessageA(d, IDC_CALC_LAYOUT, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(t));
            eintraege.push_back(t);
        }
    };
    ASSERT_TRUE(MitDialogen({liste, Druecke(IDCANCEL)}, [&] { CalcXasDialogOeffnen(hwnd); }));
    ASSERT_EQ(eintraege.size(), 6u);
    EXPECT_EQ(eintraege[0], "no format selected");
    EXPECT_EQ(eintraege[5], "HASYLAB, X1.2, E4, QEXAFS   |1,3,4,5");
    // The user's own layouts come first and "no format selected" goes.
    Schreibe("calc_xas.ini", "mine one | 2,3,4,0\r\nmine two |-1,5,6,0\n");
    ASSERT_TRUE(MitDialogen({liste, Druecke(IDCANCEL)}, [&] { CalcXasDialogOeffnen(hwnd); }));
    ASSERT_EQ(eintraege.size(), 7u);
    EXPECT_EQ(eintraege[0], "mine one | 2,3,4,0");
    EXPECT_EQ(eintraege[1], "mine two |-1,5,6,0");
    EXPECT_EQ(eintraege[2], "SSRL, BL 4-1                | 3,4,5,0");
    std::remove(Pfad("calc_xas.ini").c_str());
}

TEST_F(CalcXas, OkWritesTheCountsBackAndKeepsNoColumnAbove99AsFavourite)
{
    RohDatei();
    GrafikFenster[0].DateiInfo.AlleSpalten[8] = 100;
    Schreibe("favorite.ini", "| 1,2,3,4");
    boxen.clear();
    INT_PTR r = -1;
    ASSERT_TRUE(MitDialogen({[](HWND d) {
                                 const LRESULT i = SendDlgItemMessageA(d, IDC_CALC_I1, CB_FINDSTRINGEXACT,
                                                                       static_cast<WPARAM>(-1),
                                                                       reinterpret_cast<LPARAM>("100. column"));
                                 SendDlgItemMessageA(d, IDC_CALC_I1, CB_SETCURSEL, i, 0);
                             },
                             SetzeText(IDC_CALC_KOPF, "4"), SetzeText(IDC_CALC_PUNKTE, "9"), Druecke(IDOK)},
                            [&] { r = CalcXasDialogOeffnen(hwnd); }));
    EXPECT_EQ(r, 1);
    EXPECT_EQ(HAUPTDATEN.DialogWerte[3], 100.0);
    EXPECT_EQ(GrafikFenster[0].DateiInfo.Kopfzeilen, 4);
    EXPECT_EQ(GrafikFenster[0].DateiInfo.Punkte, 9);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_NE(boxen[0].text.find("above 99"), std::string::npos) << boxen[0].text;
    // The favourite stays as it was: a three-digit column would read back
    // as two digits.
    EXPECT_EQ(Lies("favorite.ini", true), "| 1,2,3,4");
}

TEST_F(CalcXas, ThePreviewStopsAtItsTextBlockWithWholeLines)
{
    RohDatei();
    // 25 header lines of 2,900 characters: more than the text block holds.
    std::string t;
    for (int i = 0; i < 25; ++i) t += std::string(2899, static_cast<char>('a' + i % 26)) + "|\n";
    for (int i = 0; i < 10; ++i) t += std::to_string(8950 + 10 * i) + " 1000 400 300 5 6 7 8\n";
    SchreibeBytes(daten.Datei("raw.dat"), t);
    GrafikFenster[0].DateiInfo.Kopfzeilen = 25;
    std::string vorschau;
    ASSERT_TRUE(MitDialogen({[&](HWND) { vorschau = CommandText; }, Druecke(IDCANCEL)},
                            [&] { CalcXasDialogOeffnen(hwnd); }));
    ASSERT_LT(vorschau.size(), static_cast<size_t>(COMMAND_TEXT_BYTES));
    // As many whole lines of 2,902 bytes (with CR LF) as fit with the
    // closing zero; fewer than the 25 the file offers.
    const size_t passen = (COMMAND_TEXT_BYTES - 1) / 2902;
    ASSERT_LT(passen, 25u);
    EXPECT_EQ(vorschau.size(), passen * 2902u);
    size_t zeilen = 0;
    for (size_t p = 0; (p = vorschau.find("|\r\n", p)) != std::string::npos; p += 3) ++zeilen;
    EXPECT_EQ(zeilen, passen);
}

TEST_F(CalcXas, PreparedValuesBuildTheSpectrumWithoutTheDialog)
{
    RohDatei();
    const int vorher = Slot();
    Prepared(843, {-1.0, 1.0, 2.0, 5.0, 0.0, 1.0, 5.0, 7.0});
    ASSERT_EQ(FehlerCode, 0);
    EXPECT_EQ(Slot(), (vorher + 1) & 3);
    EXPECT_NEAR(Y(0, Slot())[1], (5.0 + 6.0) / 1001.0, 1e-12);
    // A column the file does not have: nothing changes, 1000.
    Prepared(843, {1.0, 1.0, 2.0, 9.0});
    EXPECT_EQ(FehlerCode, 1000);
}

TEST_F(XafsBefehle, F15ConversionKeepsBoundedLinesAndReportsAnUnreadableFile)
{
    TempOrdner daten;
    std::string t = "title\nsecond\n";
    for (int i = 0; i < 27; ++i) t += "skipped\n";
    t += "1 2 3 4 5 6 7 8\n\nafter\n";
    SchreibeBytes(daten.Datei("cu.F15"), t);
    static std::string gewaehlt;
    gewaehlt = daten.Datei("cu.F15");
    const XAS_DATEIDIALOG alt = XasDateiDialog;
    XasDateiDialog = [](LPOPENFILENAMEA o) -> BOOL {
        std::snprintf(o->lpstrFile, o->nMaxFile, "%s", gewaehlt.c_str());
        return TRUE;
    };
    HAUPTDATEN.Befehl(822, 0);
    EXPECT_EQ(LiesBytes(daten.Datei("cu.M15")), "title\nsecond\n1 2 3 4 5 6 7\n");
    EXPECT_TRUE(boxen.empty());
    gewaehlt = daten.Datei("none.F15");
    HAUPTDATEN.Befehl(822, 0);
    XasDateiDialog = alt;
    EXPECT_EQ(boxen.size(), 1u);
}

TEST_F(XafsBefehle, CalibrationToTheMeasuredEdgeChangesNothing)
{
    Energien(400, 8.90, 0.0005, [](double e) { return std::atan((e - 8.9806) / 0.0015); });
    HAUPTDATEN.Befehl(848, 0);
    Prepared(808, {0.0, 8.979, 8.975, 8.985, 0.0, -1.0});
    const double gemessen = HAUPTDATEN.DialogWerte[0];
    Energien(400, 8.90, 0.0005, [](double e) { return std::atan((e - 8.9806) / 0.0015); });
    Prepared(808, {0.0, gemessen, 8.975, 8.985, 0.0, -1.0});
    ASSERT_EQ(FehlerCode, 0);
    const Feld x0 = X(0, 0), x = X(0, Slot());
    ASSERT_EQ(x.size(), x0.size());
    for (size_t i = 0; i < x.size(); ++i) EXPECT_EQ(x[i], x0[i]);
}

TEST_F(PolyGrad, ReferenceEdgeTakesTheElementTypedIntoTheTabulatedField)
{
    Energien(20, 8.97, 0.001, [](double e) { return e; });
    const Feld x0 = X(0, 0);
    ASSERT_TRUE(MitDialogen({SetzeText(IDC_POLY_FELD, "8.9805"), SetzeText(IDC_POLY_FELD2, "Cu"), Druecke(IDOK),
                             Druecke(IDOK)},
                            [&] { HAUPTDATEN.Befehl(845, 0); }));
    const Feld x = X(0, Slot());
    ASSERT_EQ(Slot(), 1);
    for (size_t i = 0; i < x.size(); ++i) EXPECT_NEAR(x[i], x0[i] + 8.979 - 8.9805, 1e-12);
    EXPECT_NE(Historie().find("Set reference E0 = 8.9805  new E0 = 8.979"), std::string::npos);
}

TEST_F(XafsBefehle, E0IsSavedWithTheSpectrumFile)
{
    TempOrdner daten;
    Energien(20, 8.97, 0.001, [](double e) { return e; });
    Prepared(818, {8.979});
    const std::string pfad = daten.Datei("e0.mes");
    ASSERT_EQ(GrafikFenster[0].SchreibeBinaer(pfad.c_str(), 0, 2, 0), SPEKTRUM_OK);
    DateiInfo info;
    DateiInfoLeeren(&info);
    SpektrumDaten d;
    int32_t fehler = 0;
    ASSERT_EQ(LeseBinaerSpektrumDatei(pfad.c_str(), &info, &d, &fehler), 20);
    // The file keeps E0 in whole eV.
    EXPECT_NEAR(info.Koeffizienten[0], 8.979, 1e-9);
}

TEST_F(XafsBefehle, DerivativeSpectrumAndTheInteractiveEdgeSteps)
{
    Energien(200, 8.95, 0.0005, [](double e) { return 2.0 + std::atan((e - 8.9806) / 0.0015); });
    grafik_fenster& g = GrafikFenster[0];
    HAUPTDATEN.DialogWerte[10] = -1.0;
    ASSERT_EQ(AbleitungsSpektrum(g), 1);
    EXPECT_EQ(Slot(), 2);
    double a = 0.0;
    for (double v : Y(0, 0)) a = std::max(a, std::fabs(v));
    for (int s : {1, 2}) {
        double b = 0.0;
        for (double v : Y(0, s)) b = std::max(b, std::fabs(v));
        EXPECT_NEAR(b, a, 1e-12) << s;
    }
    const Feld d1 = Y(0, 1);
    const size_t spitze = std::max_element(d1.begin(), d1.end()) - d1.begin();
    EXPECT_NEAR(X(0, 1)[spitze], 8.9806, 0.0005);

    // Driven through the section dialog (OK on its proposal), 811 and 808
    // find the E0 that their replays find (to the 8 digits the dialog
    // shows).
    Energien(400, 8.90, 0.0005, [](double e) { return std::atan((e - 8.9806) / 0.0015); });
    SektionsAntwort = [](HWND dlg, int32_t modus) -> INT_PTR {
        EXPECT_EQ(modus, 6);
        SendMessageA(dlg, WM_COMMAND, IDOK, 0);
        return 0;
    };
    antwort = IDCANCEL;  // no conversion to k afterwards
    HAUPTDATEN.Befehl(811, 0);
    const double interaktiv = g.DateiInfo.Koeffizienten[0];
    const std::vector<double> satz(HAUPTDATEN.DialogWerte, HAUPTDATEN.DialogWerte + 6);
    EXPECT_EQ(Slot(), 0);
    EXPECT_FALSE(g.MultiplotAktiv);
    EXPECT_NEAR(interaktiv, 8.9806, 0.0005);
    g.DateiInfo.Koeffizienten[0] = 0.0;
    Prepared(811, {satz[0], satz[1], satz[2], satz[3], satz[4], satz[5]});
    EXPECT_EQ(FehlerCode, 0);
    EXPECT_NEAR(g.DateiInfo.Koeffizienten[0], interaktiv, 1e-7);
    // 808 on the same spectrum as its reference: no shift, E0 to the
    // tabulated value the GETPOLYGRAD step proposes.
    SektionsAntwort = nullptr;
    antwort = IDOK;
    HAUPTDATEN.Befehl(848, 0);
    g.DateiInfo.Koeffizienten[0] = interaktiv;
    const bool kalibriert = MitDialogen({Druecke(IDOK), Druecke(IDOK)}, [] { HAUPTDATEN.Befehl(808, 0); });
    EXPECT_TRUE(kalibriert);
    const std::vector<double> satz808(HAUPTDATEN.DialogWerte, HAUPTDATEN.DialogWerte + 6);
    EXPECT_NEAR(satz808[0], interaktiv, 1e-9);
    const int nach808 = Slot();
    Energien(400, 8.90, 0.0005, [](double e) { return std::atan((e - 8.9806) / 0.0015); });
    Prepared(808, {satz808[0], satz808[1], satz808[2], satz808[3], satz808[4], satz808[5]});
    EXPECT_EQ(FehlerCode, 0);
    EXPECT_EQ(Slot(), nach808);
    EXPECT_NEAR(HAUPTDATEN.DialogWerte[0], satz808[0], 1e-7);
    HAUPTDATEN.Befehl(846, 0);
}
