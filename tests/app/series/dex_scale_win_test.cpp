// The DXAS energy scale in the running program: 821 on EMG003 sampled on
// a diode axis, and 819 against the real Fe foil fe.060 added to
// "dexfoil.dat" through 890 after its normalisation by 841, with the
// scroll bars, the inverted overlay, Cancel and a missing table.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/series/dex_series_fixture.h"
#include "app/spectra/data_commands_fixture.h"
#include "app/temp_folder.h"
#include "resource_ids.h"
#include "series/dex_scale_win.h"
#include "shell/macro_bar.h"
#include "shell/macro_file.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "zelva.h"

namespace {

double E(const double c[3], double d) { return c[0] + c[1] * d + c[2] * d * d; }

// Natural spline of (x, y) at each of xs.
std::vector<double> Spline(std::vector<double> x, std::vector<double> y, const std::vector<double>& xs)
{
    def_zelva z;
    std::vector<double> y2(x.size()), r;
    z.SetField(x.data(), y.data());
    z.SetAnzahl(static_cast<int32_t>(x.size()), -1, -1);
    z.spline(y2.data());
    for (double v : xs) r.push_back(z.helpsplint(v, y2.data()));
    return r;
}

// The pixels of a window's client area.
std::vector<uint32_t> Pixel(HWND w)
{
    RECT r;
    GetClientRect(w, &r);
    HDC dc = GetDC(w);
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bild = CreateCompatibleBitmap(dc, r.right, r.bottom);
    HGDIOBJ alt = SelectObject(mem, bild);
    BitBlt(mem, 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
    SelectObject(mem, alt);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = r.right;
    bi.bmiHeader.biHeight = -r.bottom;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> p(static_cast<std::size_t>(r.right) * r.bottom);
    GetDIBits(mem, bild, 0, r.bottom, p.data(), &bi, DIB_RGB_COLORS);
    DeleteObject(bild);
    DeleteDC(mem);
    ReleaseDC(w, dc);
    return p;
}

DialogSchritt WaehleFolie(int eintrag)
{
    return [eintrag](HWND dlg) {
        SendDlgItemMessageA(dlg, IDC_DEX_FOLIE, CB_SETCURSEL, eintrag, 0);
        SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_DEX_FOLIE, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDC_DEX_FOLIE)));
    };
}

DialogSchritt Rolle(int balken, int code)
{
    return [balken, code](HWND dlg) {
        SendMessageA(dlg, balken == IDC_DEX_NULL ? WM_HSCROLL : WM_VSCROLL, MAKEWPARAM(code, 0),
                     reinterpret_cast<LPARAM>(GetDlgItem(dlg, balken)));
    };
}

class DexSkala : public EditFixture {
protected:
    std::vector<double> folieE, folieA;  // fe.060 as normalised by 841

    // Window 0 slot 0 := (x, y); the file holds `punkte` points per column.
    void Setze(const std::vector<double>& x, const std::vector<double>& y, int32_t punkte)
    {
        grafik_fenster& g = GrafikFenster[0];
        if (static_cast<int32_t>(x.size()) + 5 > g.FeldGroesse()) g.ResizeFelder(static_cast<int32_t>(x.size()) + 5);
        std::copy(x.begin(), x.end(), g.GetXFeld(0));
        std::copy(y.begin(), y.end(), g.GetYFeld(0));
        for (int s = 0; s < 4; ++s) g.DateiInfo.PunkteProKurve[s] = s == 0 ? static_cast<int32_t>(x.size()) : 0;
        g.KurvenZaehler = g.NeuesterZaehler = 0;
        g.ZeigeDaten = 1;
        g.DateiInfo.Punkte = punkte;
        g.SetFullBorder();
    }

    // fe.060 as ln(I0 / It) in keV, normalised by 841, added as "Fe K".
    void FolieAnlegen()
    {
        std::ifstream in(std::string(KORLAN_TEST_DIR) + "/app/series/data/fe.060");
        std::string zeile;
        std::vector<double> e, mu;
        while (std::getline(in, zeile)) {
            double a, b, c;
            if (std::sscanf(zeile.c_str(), "%lf %lf %lf", &a, &b, &c) == 3 && b > 0 && c > 0) {
                e.push_back(a / 1000.0);
                mu.push_back(std::log(b / c));
            }
        }
        Setze(e, mu, static_cast<int32_t>(e.size()));
        Prepared(841, {6.912, 7.09, 0, 1, 1, 0, 7.15, 7.40});
        ASSERT_EQ(FehlerCode, 0);
        folieE = X(0, Slot());
        folieA = Y(0, Slot());
        std::snprintf(CommandText, COMMAND_TEXT_BYTES, "Fe K");
        HAUPTDATEN.Befehl(890, 2);
        ASSERT_TRUE(Existiert("dexfoil.dat"));
    }

    // The foil seen on m diodes through c.
    void Messung(const double c[3], int m)
    {
        std::vector<double> x, en;
        for (int d = 0; d < m; ++d) {
            x.push_back(d);
            en.push_back(E(c, d));
        }
        Setze(x, Spline(folieE, folieA, en), m);
    }
    int Slot() const { return GrafikFenster[0].AktuellerSlot(); }
};

}  // namespace

TEST_F(DexSkala, TypedPolynomialConvertsEmg003OnItsDiodeAxis)
{
    std::vector<double> e, mu;
    dex_serie::LiesEmg(&e, &mu);
    for (double& v : e) v /= 1000.0;
    const double c[3] = {7.0800, 1.4e-4, 1e-8};
    std::vector<double> d, en;
    for (int i = 0; i < 1128; ++i) {
        d.push_back(i);
        en.push_back(E(c, i));
    }
    const std::vector<double> y = Spline(e, mu, en);
    Setze(d, y, 1128);
    const std::string makro = Pfad("dxas.MAK");
    ASSERT_EQ(MakroDateiAnlegen(makro), MAKRO_SATZ);
    std::snprintf(ButtonBar.MakroPfad, sizeof ButtonBar.MakroPfad, "%s", makro.c_str());
    HAUPTDATEN.MakroAufnahme = 1;
    const bool ok = MitDialogen({SetzeText(IDC_DEX_C0, "7.0800"), SetzeText(IDC_DEX_C1, "1.4E-4"),
                                 SetzeText(IDC_DEX_C2, "1E-8"), Druecke(IDOK)},
                                [] { HAUPTDATEN.Befehl(821, 0); });
    HAUPTDATEN.MakroAufnahme = 0;
    ButtonBar.MakroPfad[0] = '\0';
    ASSERT_TRUE(ok);
    std::vector<MakroSatz> saetze;
    ASSERT_EQ(MakroTextLesen(LiesBytes(makro), saetze), MAKRO_SATZ);
    ASSERT_EQ(saetze.size(), 1u);
    EXPECT_EQ(saetze[0].Befehl, 821);
    ASSERT_GE(saetze[0].Werte.size(), 3u);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(saetze[0].Werte[i], c[i]);
    ASSERT_EQ(Slot(), 1);
    const std::vector<double> x = X(0, 1);
    ASSERT_EQ(x.size(), 1128u);
    for (int i = 0; i < 1128; ++i) ASSERT_NEAR(x[i], en[i], 1e-12) << i;
    EXPECT_EQ(Y(0, 1), y);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(HAUPTDATEN.DxasPolynom[i], c[i]);
        EXPECT_EQ(HAUPTDATEN.DialogWerte[i], c[i]);
    }
    EXPECT_STREQ(GrafikFenster[0].XText[1], "photon energy [keV]");
    EXPECT_NE(Historie().find("      Polynome : C(1)= 7.08, C(2)= 0.00014, C(3)= 1E-08  - (active : 2 )"),
              std::string::npos);
    // Cancel: nothing changes; the dialog shows the polynomial in use.
    std::string gezeigt;
    ASSERT_TRUE(MitDialogen({[&gezeigt](HWND dlg) {
                                 char t[64] = "";
                                 GetDlgItemTextA(dlg, IDC_DEX_C1, t, sizeof t);
                                 gezeigt = t;
                             },
                             SetzeText(IDC_DEX_C0, "9"), Druecke(IDCANCEL)},
                            [] { HAUPTDATEN.Befehl(821, 0); }));
    EXPECT_EQ(gezeigt, "0.00014");
    EXPECT_EQ(Slot(), 1);
    EXPECT_EQ(HAUPTDATEN.DxasPolynom[0], 7.08);
}

TEST_F(DexSkala, FoilCalibrationOfTheRealFeFoilKeepsEveryPointOfTheMeasurement)
{
    FolieAnlegen();
    const double wahr[3] = {7.000, 7e-4, 1e-8};
    Messung(wahr, 1000);
    const std::vector<double> y = Y(0, 0);
    for (double& v : HAUPTDATEN.DxasPolynom) v = 0.0;
    const std::vector<int32_t> typenVorher = typen[0];
    std::string status;
    const std::string makro = Pfad("foil.MAK");
    ASSERT_EQ(MakroDateiAnlegen(makro), MAKRO_SATZ);
    std::snprintf(ButtonBar.MakroPfad, sizeof ButtonBar.MakroPfad, "%s", makro.c_str());
    HAUPTDATEN.MakroAufnahme = 1;
    std::vector<std::string> liste;
    auto folien = [&liste](HWND dlg) {
        HWND box = GetDlgItem(dlg, IDC_DEX_FOLIE);
        const int n = static_cast<int>(SendMessageA(box, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            char t[100] = "";
            SendMessageA(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(t));
            liste.push_back(t);
        }
    };
    const bool ok = MitDialogen({folien, WaehleFolie(1),
                                 [&status](HWND dlg) {
                                     char t[200] = "";
                                     GetDlgItemTextA(dlg, IDC_DEX_STATUS, t, sizeof t);
                                     status = t;
                                     FensterFoto(dlg, "dexscale_fe_foil.png");
                                 },
                                 Druecke(IDOK)},
                                [] { HAUPTDATEN.Befehl(819, 0); });
    HAUPTDATEN.MakroAufnahme = 0;
    ButtonBar.MakroPfad[0] = '\0';
    ASSERT_TRUE(ok);
    EXPECT_EQ(liste, (std::vector<std::string>{"None", "Fe K"}));
    EXPECT_NE(status.find("extrema matched"), std::string::npos) << status;
    const double* c = HAUPTDATEN.DxasPolynom;
    // One record, 819 with the polynomial: the resampling before the
    // dialog is not recorded.
    std::vector<MakroSatz> saetze;
    ASSERT_EQ(MakroTextLesen(LiesBytes(makro), saetze), MAKRO_SATZ);
    ASSERT_EQ(saetze.size(), 1u);
    EXPECT_EQ(saetze[0].Befehl, 819);
    ASSERT_GE(saetze[0].Werte.size(), 3u);
    for (int i = 0; i < 3; ++i) EXPECT_DOUBLE_EQ(saetze[0].Werte[i], c[i]);
    double fehler = 0;
    for (int d = 0; d < 1000; ++d) fehler = std::max(fehler, std::fabs(E(c, d) - E(wahr, d)));
    EXPECT_LT(fehler, 1.0e-3) << "keV";
    // The conversion took the measurement with all 1,000 points.
    ASSERT_EQ(GrafikFenster[0].Punkte(), 1000);
    const std::vector<double> x = X(0, Slot());
    for (int d = 0; d < 1000; d += 111) EXPECT_NEAR(x[d], E(c, d), 1e-12);
    EXPECT_EQ(Y(0, Slot()), y);
    EXPECT_EQ(typen[0], typenVorher);
    EXPECT_NE(Historie().find("--DEXAFS energy conversion -"), std::string::npos);
}

TEST_F(DexSkala, AnEdgeWithoutExtremaGetsTheDefaultSlopeOfTheWindowsFile)
{
    FolieAnlegen();
    // 1,000 diodes of a smooth edge at diode 400; the file's points per
    // column set the slope, not the 500 points the dialog works on.
    for (const int32_t proSpalte : {1000, 749}) {
        std::vector<double> x, y;
        for (int d = 0; d < 1000; ++d) {
            x.push_back(d);
            y.push_back(0.5 + std::atan((d - 400.0) / 6.0) / 3.14159265358979323846);
        }
        Setze(x, y, proSpalte);
        std::string status;
        ASSERT_TRUE(MitDialogen({WaehleFolie(1),
                                 [&status](HWND dlg) {
                                     char t[200] = "";
                                     GetDlgItemTextA(dlg, IDC_DEX_STATUS, t, sizeof t);
                                     status = t;
                                 },
                                 Druecke(IDOK)},
                                [] { HAUPTDATEN.Befehl(819, 0); }));
        // (Its flat ends may show a few derivative zeros; none match the foil.)
        EXPECT_NE(status.find(": straight line through the half heights."), std::string::npos) << status;
        const double s0 = proSpalte < 750 ? 0.00035 : 0.0007;
        EXPECT_DOUBLE_EQ(HAUPTDATEN.DxasPolynom[1], s0) << proSpalte;
        EXPECT_EQ(HAUPTDATEN.DxasPolynom[2], 0.0);
        // The half heights meet: the foil's lies at the edge's diode.
        int a = 0;
        while (folieA[a] < 0.5) ++a;
        EXPECT_NEAR(HAUPTDATEN.DxasPolynom[0] + s0 * 400.0, folieE[a], 0.003) << proSpalte;
        EXPECT_EQ(GrafikFenster[0].Punkte(), 1000);
    }
}

TEST_F(DexSkala, ScrollBarsOverlayNoneAndCancel)
{
    FolieAnlegen();
    const double wahr[3] = {7.000, 7e-4, 1e-8};
    Messung(wahr, 1000);
    const double start[3] = {7.001, 6.9e-4, 1.1e-8};
    for (int i = 0; i < 3; ++i) HAUPTDATEN.DxasPolynom[i] = start[i];
    const std::vector<int32_t> typenVorher = typen[0];
    const std::vector<double> parameterVorher = parameter[0];
    struct Mess {
        double c[3] = {};
        double pivotE = 0, pivotX = 0;
        std::vector<double> ref;
        double versatz = 0;
        bool gleich = false, anders = false;
    };
    Mess none, nachFolie, zeile, seite, zweite, null, hoch, getippt;
    // With the true polynomial typed and applied, the reference (raised by
    // the offset of one unit) lies on the measurement.
    double lageFehler = 1.0;
    int32_t dialogPunkte = 0;
    auto lage = [&lageFehler, &dialogPunkte](HWND) {
        const DexSkalaStand* s = DexSkalaZustand();
        if (!s) return;
        dialogPunkte = s->Punkte;
        lageFehler = 0.0;
        for (int32_t j = s->Punkte / 10; j < 9 * s->Punkte / 10; ++j)
            lageFehler = std::max(lageFehler, std::fabs(s->Referenz[j] - 1.0 / 300.0 - s->Y[j]));
    };
    auto merke = [](Mess* m) {
        return [m](HWND) {
            const DexSkalaStand* s = DexSkalaZustand();
            for (int i = 0; i < 3; ++i) m->c[i] = HAUPTDATEN.DxasPolynom[i];
            if (!s) return;
            m->ref = s->Referenz;
            m->versatz = s->Versatz;
            int32_t i = 0;
            while (i < s->Punkte && s->Referenz[i] < 0.5) ++i;
            m->pivotX = s->X[i];
            m->pivotE = E(m->c, m->pivotX);
        };
    };
    auto zweimal = [](Mess* m) {
        return [m](HWND) {
            const DexSkalaStand* s = DexSkalaZustand();
            const std::vector<uint32_t> vorher = Pixel(s->Vorschau);
            DexDrawOverlay();
            m->anders = Pixel(s->Vorschau) != vorher;
            DexDrawOverlay();
            m->gleich = Pixel(s->Vorschau) == vorher;
        };
    };
    ASSERT_TRUE(MitDialogen({WaehleFolie(0), merke(&none), WaehleFolie(1), merke(&nachFolie),
                             zweimal(&nachFolie), Rolle(IDC_DEX_ERSTE, SB_LINEDOWN), merke(&zeile),
                             Rolle(IDC_DEX_ERSTE, SB_PAGEDOWN), merke(&seite), Rolle(IDC_DEX_ZWEITE, SB_LINEDOWN),
                             merke(&zweite), Rolle(IDC_DEX_NULL, SB_LINELEFT), merke(&null),
                             Rolle(IDC_DEX_VERSATZ, SB_LINEUP), merke(&hoch), SetzeText(IDC_DEX_C0, "7.0"),
                             SetzeText(IDC_DEX_C1, "7E-4"), SetzeText(IDC_DEX_C2, "1E-8"), Druecke(CM_REDRAW),
                             merke(&getippt), zweimal(&getippt), lage, Druecke(IDCANCEL)},
                            [] { HAUPTDATEN.Befehl(819, 0); }));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(none.c[i], start[i]);  // "None" changes nothing
    EXPECT_TRUE(nachFolie.anders);
    EXPECT_TRUE(nachFolie.gleich);
    EXPECT_NEAR(zeile.c[1] - nachFolie.c[1], 2e-6, 1e-15);
    EXPECT_NEAR(E(zeile.c, nachFolie.pivotX), nachFolie.pivotE, 1e-12);
    EXPECT_NEAR(seite.c[1] - zeile.c[1], 4e-5, 1e-15);
    EXPECT_NEAR(zweite.c[2] - seite.c[2], 5e-9, 1e-18);
    EXPECT_NEAR(null.c[0] - zweite.c[0], 0.0005, 1e-12);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(hoch.c[i], null.c[i]);  // the offset moves the drawing only
    EXPECT_EQ(hoch.versatz, 1.0);
    ASSERT_EQ(hoch.ref.size(), null.ref.size());
    EXPECT_NEAR(hoch.ref[250] - null.ref[250], 1.0 / 300.0, 1e-12);
    // Apply (37) reads the typed coefficients and draws the reference anew.
    EXPECT_EQ(getippt.c[0], 7.0);
    EXPECT_EQ(getippt.c[1], 7e-4);
    EXPECT_EQ(getippt.c[2], 1e-8);
    EXPECT_TRUE(getippt.anders);
    EXPECT_TRUE(getippt.gleich);
    EXPECT_EQ(dialogPunkte, 500);  // the dialog works on the resampled copy
    // (The foil on its even grid of 500 points rounds the white line.)
    EXPECT_LT(lageFehler, 0.06);
    // Cancel: the polynomial and the window's model as they were, no conversion.
    for (int i = 0; i < 3; ++i) EXPECT_EQ(HAUPTDATEN.DxasPolynom[i], start[i]);
    EXPECT_EQ(typen[0], typenVorher);
    EXPECT_EQ(parameter[0], parameterVorher);
    EXPECT_EQ(Slot(), 0);
    EXPECT_EQ(GrafikFenster[0].Punkte(), 1000);
    EXPECT_EQ(DexSkalaZustand(), nullptr);
}

TEST_F(DexSkala, WithoutTheFoilTableNothingIsConverted)
{
    std::filesystem::remove(Pfad("dexfoil.dat"));
    Kurve(0, 800, [](double x) { return x < 400 ? 0.0 : 1.0; });
    HAUPTDATEN.DxasPolynom[1] = 3.0;
    HAUPTDATEN.Befehl(819, 0);
    EXPECT_EQ(FehlerCode, 113);
    FehlerCode = 0;
    EXPECT_EQ(Slot(), 0);
    EXPECT_EQ(GrafikFenster[0].Punkte(), 800);
    EXPECT_EQ(HAUPTDATEN.DxasPolynom[1], 3.0);
}
