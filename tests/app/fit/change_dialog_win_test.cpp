// The modeless CHANGE dialog of data command 614 in-process: walking
// through the functions, typing and the scroll steps into the active
// window's parameter block, the areas under real FEFF paths, and a window
// that closes while the dialog is open.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "app/spectra/data_commands_fixture.h"
#include "app/xas/xas_test_support.h"
#include "fit/fit_model.h"
#include "fit/fit_report.h"
#include "resource_ids.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/file_commands_win.h"
#include "spectra/graphic_drawing.h"
#include "spectra/spectra_globals.h"
#include "xas/feff_path.h"

namespace {

std::string Text(HWND dlg, int id)
{
    char t[200] = "";
    GetDlgItemTextA(dlg, id, t, sizeof t);
    return t;
}

double Zahl(HWND dlg, int id) { return std::atof(Text(dlg, id).c_str()); }

void Klick(HWND dlg, int id)
{
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
}

void Gehe(HWND dlg, const char* n)
{
    SetDlgItemTextA(dlg, IDC_CHANGE_NUMMER, n);
    Klick(dlg, IDC_CHANGE_GEHE);
}

void Waehle(HWND dlg, int zeile)
{
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_CHANGE_WERT + zeile, EN_SETFOCUS),
                 reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDC_CHANGE_WERT + zeile)));
}

void Scrolle(HWND dlg, int code)
{
    SendMessageA(dlg, WM_VSCROLL, MAKEWPARAM(code, 0),
                 reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDC_CHANGE_SCROLL)));
}

void Pumpe()
{
    MSG m;
    for (int i = 0; i < 20; ++i) {
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
        Sleep(5);
    }
}

bool Sichtbar(HWND dlg, int id) { return IsWindowVisible(GetDlgItem(dlg, id)) != FALSE; }
bool Aktiv(HWND dlg, int id) { return IsWindowEnabled(GetDlgItem(dlg, id)) != FALSE; }

}  // namespace

class AendernDialogTest : public EditFixture {
protected:
    void TearDown() override
    {
        if (AendernDialog) SendMessageA(AendernDialog, WM_COMMAND, IDCANCEL, 0);
        EditFixture::TearDown();
    }
    // Window w's model: the type codes and the parameters 0, 1, 2, ...
    void Modell(int w, std::vector<int32_t> codes, int32_t grad = 0)
    {
        grafik_fenster& g = GrafikFenster[w];
        g.AnzahlFunktionen = static_cast<int32_t>(codes.size());
        for (size_t i = 0; i < codes.size(); ++i) g.FunktionsTypen[i] = codes[i];
        g.PolyGrad = grad;
        for (int i = 0; i < 60; ++i) g.Parameter[i] = i + 0.5;
    }
    HWND Oeffnen()
    {
        HAUPTDATEN.Befehl(614, 0);
        EXPECT_NE(AendernDialog, nullptr);
        return AendernDialog;
    }
};

TEST_F(AendernDialogTest, WalksThroughTheFunctionsOfTheModel)
{
    Kurve(0, 20, [](double x) { return x; });
    Modell(0, {1, 12, 1});  // Gaussian, Voigt, Gaussian
    HWND dlg = Oeffnen();
    ASSERT_NE(dlg, nullptr);
    // The graphic window repaints on the dialog's redraw command only
    // while HilfeThema is 0: the open dialog leaves it so.
    EXPECT_EQ(HilfeThema, 0);
    EXPECT_EQ(Text(dlg, IDC_CHANGE_NUMMER), "3");
    EXPECT_EQ(Text(dlg, IDC_CHANGE_NAME), " Gaussian ");
    EXPECT_FALSE(Aktiv(dlg, IDC_CHANGE_ZURUECK));
    EXPECT_TRUE(Aktiv(dlg, IDC_CHANGE_WEITER));
    EXPECT_FALSE(Sichtbar(dlg, IDC_CHANGE_FLAECHE));
    EXPECT_EQ(Text(dlg, IDC_CHANGE_TITEL), "Height: ");
    for (int j = 0; j < 3; ++j) EXPECT_DOUBLE_EQ(Zahl(dlg, IDC_CHANGE_WERT + j), j + 0.5);
    EXPECT_FALSE(Sichtbar(dlg, IDC_CHANGE_WERT + 3));
    // The graphic window marks the function the dialog shows.
    EXPECT_EQ(GrafikAnzeige.GewaehlteFunktion, 1);
    RedrawWindow(dlg, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    MSG m;
    for (int i = 0; i < 50; ++i) {
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
        Sleep(10);
    }
    EXPECT_TRUE(FensterFoto(dlg, "change_dialog.png"));

    // "GO to" 3: the second Gaussian, parameters 7 to 9.
    Gehe(dlg, "3");
    EXPECT_EQ(Text(dlg, IDC_CHANGE_NAME), " Gaussian ");
    for (int j = 0; j < 3; ++j) EXPECT_DOUBLE_EQ(Zahl(dlg, IDC_CHANGE_WERT + j), 7 + j + 0.5);
    EXPECT_FALSE(Aktiv(dlg, IDC_CHANGE_WEITER));
    EXPECT_TRUE(Aktiv(dlg, IDC_CHANGE_ZURUECK));
    EXPECT_EQ(GrafikAnzeige.GewaehlteFunktion, 3);
    // "&Prev" to the Voigt: four rows again, parameters 3 to 6.
    Klick(dlg, IDC_CHANGE_ZURUECK);
    EXPECT_EQ(Text(dlg, IDC_CHANGE_NAME), " Voigt ");
    EXPECT_TRUE(Sichtbar(dlg, IDC_CHANGE_WERT + 3));
    EXPECT_FALSE(Sichtbar(dlg, IDC_CHANGE_WERT + 4));
    for (int j = 0; j < 4; ++j) EXPECT_DOUBLE_EQ(Zahl(dlg, IDC_CHANGE_WERT + j), 3 + j + 0.5);
    EXPECT_EQ(GrafikAnzeige.GewaehlteFunktion, 2);
    // A number past the count shows the last function, one below 1 the first.
    Gehe(dlg, "9");
    EXPECT_DOUBLE_EQ(Zahl(dlg, IDC_CHANGE_WERT), 7.5);
    Gehe(dlg, "0");
    EXPECT_DOUBLE_EQ(Zahl(dlg, IDC_CHANGE_WERT), 0.5);
    Klick(dlg, IDC_CHANGE_WEITER);
    Klick(dlg, IDC_CHANGE_WEITER);
    EXPECT_DOUBLE_EQ(Zahl(dlg, IDC_CHANGE_WERT), 7.5);

    // "&Close" clears the handle; the model stays as it is.
    Klick(dlg, IDCANCEL);
    EXPECT_EQ(AendernDialog, nullptr);
    EXPECT_FALSE(IsWindow(dlg));
    EXPECT_EQ(GrafikAnzeige.GewaehlteFunktion, 0);
    EXPECT_EQ(HilfeThema, 0);
}

TEST_F(AendernDialogTest, OneFunctionAndThePolynomialCaptions)
{
    Kurve(0, 20, [](double x) { return x; });
    Modell(0, {7}, 3);
    HWND dlg = Oeffnen();
    ASSERT_NE(dlg, nullptr);
    EXPECT_FALSE(Aktiv(dlg, IDC_CHANGE_WEITER));
    EXPECT_FALSE(Aktiv(dlg, IDC_CHANGE_ZURUECK));
    EXPECT_EQ(Text(dlg, IDC_CHANGE_TITEL), "1. coeff.: ");
    EXPECT_EQ(Text(dlg, IDC_CHANGE_TITEL + 3), "4. coeff.: ");
    EXPECT_FALSE(Sichtbar(dlg, IDC_CHANGE_WERT + 4));
}

TEST_F(AendernDialogTest, TypingAndScrollingWriteTheParameterBlock)
{
    Kurve(0, 20, [](double x) { return x; });
    Modell(0, {1, 1});
    grafik_fenster& g = GrafikFenster[0];
    HWND dlg = Oeffnen();
    ASSERT_NE(dlg, nullptr);
    Klick(dlg, IDC_CHANGE_WEITER);

    // "&Apply" takes the three values; text that is no number reads as 0.
    SetDlgItemTextA(dlg, IDC_CHANGE_WERT, "2.0");
    SetDlgItemTextA(dlg, IDC_CHANGE_WERT + 1, "-4.5e1");
    SetDlgItemTextA(dlg, IDC_CHANGE_WERT + 2, "abc");
    Klick(dlg, IDC_CHANGE_ANWENDEN);
    EXPECT_EQ(g.Parameter[3], 2.0);
    EXPECT_EQ(g.Parameter[4], -45.0);
    EXPECT_EQ(g.Parameter[5], 0.0);
    EXPECT_EQ(g.Parameter[2], 2.5);  // the first function's
    EXPECT_EQ(g.Parameter[6], 6.5);

    // Default step 20: a line moves 2.0 by 0.5 %, a page by 10 %; line
    // up makes a positive value larger. Each from 2.0 again.
    const struct { int code; int zeile; double vorher, nachher; } faelle[] = {
        {SB_LINEDOWN, 0, 2.0, 1.99},
        {SB_PAGEUP, 0, 2.0, 2.2},
        {SB_LINEUP, 0, 2.0, 2.01},
        {SB_PAGEDOWN, 1, 2.0, 1.8},
        {SB_LINEDOWN, 2, 0.0, -0.1},  // a parameter of 0 starts at -0.1 d
        {SB_PAGEUP, 2, 0.0, 2.0},
        {SB_THUMBTRACK, 1, 2.0, 2.0},  // other notifications change nothing
    };
    for (const auto& f : faelle) {
        g.Parameter[3 + f.zeile] = f.vorher;
        char t[32];
        std::snprintf(t, sizeof t, "%.8G", f.vorher);
        SetDlgItemTextA(dlg, IDC_CHANGE_WERT + f.zeile, t);
        Waehle(dlg, f.zeile);
        Scrolle(dlg, f.code);
        EXPECT_NEAR(g.Parameter[3 + f.zeile], f.nachher, 1e-12) << f.code << " " << f.zeile;
        EXPECT_NEAR(Zahl(dlg, IDC_CHANGE_WERT + f.zeile), f.nachher, 1e-12);
    }
    // The smallest step: a line is S/20 = 0.001, so 2.0 becomes 1.99999.
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_CHANGE_STUFE, BN_CLICKED), 0);
    g.Parameter[3] = 2.0;
    SetDlgItemTextA(dlg, IDC_CHANGE_WERT, "2");
    Waehle(dlg, 0);
    Scrolle(dlg, SB_LINEDOWN);
    EXPECT_NEAR(g.Parameter[3], 1.99999, 1e-12);
    // The largest: a page of 80 takes 2.0 to 1.2.
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_CHANGE_STUFE + 5, BN_CLICKED), 0);
    Scrolle(dlg, SB_PAGEDOWN);
    EXPECT_NEAR(g.Parameter[3], 1.99999 * 0.6, 1e-12);
}

// The dialog holds no pointer into the window: when the window closes,
// "&Apply" and the scroll bar write nothing into its freed block and the
// dialog closes once no window is left; with another window left, it
// works on that one.
TEST_F(AendernDialogTest, ClosedWindowIsNeverWritten)
{
    Kurve(0, 20, [](double x) { return x; });
    Kurve(1, 20, [](double x) { return x; });
    Modell(0, {1, 1});
    Modell(1, {1});
    grafik_fenster& g0 = GrafikFenster[0];
    grafik_fenster& g1 = GrafikFenster[1];
    HWND dlg = Oeffnen();
    ASSERT_NE(dlg, nullptr);
    Klick(dlg, IDC_CHANGE_WEITER);
    const std::vector<double> vorher0 = parameter[0], vorher1 = parameter[1];

    // Window 0 closes as the graphic window's destruction leaves it; the
    // dispatcher makes window 1 the active one.
    g0.Parameter = nullptr;
    g0.FunktionsTypen = nullptr;
    g0.AnzahlFunktionen = 0;
    HAUPTDATEN.GrafikHandles[0] = nullptr;
    AktivesFenster = 1;
    SetDlgItemTextA(dlg, IDC_CHANGE_WERT, "77");
    Klick(dlg, IDC_CHANGE_ANWENDEN);
    EXPECT_EQ(parameter[0], vorher0);
    // Window 1 has one function: the dialog shows it and writes nothing
    // until the user applies again.
    EXPECT_EQ(parameter[1], vorher1);
    EXPECT_FALSE(Aktiv(dlg, IDC_CHANGE_WEITER));
    EXPECT_DOUBLE_EQ(Zahl(dlg, IDC_CHANGE_WERT), 0.5);
    SetDlgItemTextA(dlg, IDC_CHANGE_WERT, "77");
    Klick(dlg, IDC_CHANGE_ANWENDEN);
    EXPECT_EQ(g1.Parameter[0], 77.0);

    // The last window goes too: nothing is written and the dialog closes.
    const std::vector<double> nachher1 = parameter[1];
    g1.Parameter = nullptr;
    g1.FunktionsTypen = nullptr;
    HAUPTDATEN.GrafikHandles[1] = nullptr;
    AktivesFenster = -1;
    Waehle(dlg, 0);
    Scrolle(dlg, SB_PAGEUP);
    EXPECT_EQ(AendernDialog, nullptr);
    EXPECT_FALSE(IsWindow(dlg));
    EXPECT_EQ(GrafikAnzeige.GewaehlteFunktion, 0);
    EXPECT_EQ(parameter[0], vorher0);
    EXPECT_EQ(parameter[1], nachher1);
    HAUPTDATEN.GrafikHandles[0] = grafik[0];
    HAUPTDATEN.GrafikHandles[1] = grafik[1];
    g0.Parameter = parameter[0].data();
    g0.FunktionsTypen = typen[0].data();
    g1.Parameter = parameter[1].data();
    g1.FunktionsTypen = typen[1].data();
}

// The same with a real graphic window that the user closes: its record
// frees its blocks and the dispatcher makes window 1 the active one. The
// dialog then shows window 1's function; "&Apply" and the scroll bar write
// only into window 1's block, and only once the user acts on it.
TEST_F(AendernDialogTest, RealGraphicWindowClosedWhileTheDialogIsOpen)
{
    Kurve(0, 20, [](double x) { return x; });
    Kurve(1, 20, [](double x) { return x; });
    Modell(0, {1});
    Modell(1, {1});
    const int32_t nr = NeuesGrafikFenster(&HAUPTDATEN);
    ASSERT_GT(nr, 0);
    const int w = nr - 1;
    ASSERT_GE(w, 2);
    HWND fenster = HAUPTDATEN.GrafikHandles[w];
    grafik_fenster& g = GrafikFenster[w];
    ASSERT_NE(g.Parameter, nullptr);
    g.AnzahlFunktionen = 2;
    g.FunktionsTypen[0] = 1;
    g.FunktionsTypen[1] = 1;
    for (int i = 0; i < 6; ++i) g.Parameter[i] = 100.0 + i;
    AktivesFenster = w;
    HWND dlg = Oeffnen();
    ASSERT_NE(dlg, nullptr);
    Klick(dlg, IDC_CHANGE_WEITER);
    EXPECT_DOUBLE_EQ(Zahl(dlg, IDC_CHANGE_WERT), 103.0);
    EXPECT_EQ(GrafikAnzeige.GewaehlteFunktion, 2);

    const std::vector<double> vorher0 = parameter[0], vorher1 = parameter[1];
    DestroyWindow(fenster);
    Pumpe();
    EXPECT_EQ(g.Parameter, nullptr);
    ASSERT_EQ(AktivesFenster, 1);
    ASSERT_TRUE(IsWindow(dlg));
    SetDlgItemTextA(dlg, IDC_CHANGE_WERT, "77");
    Klick(dlg, IDC_CHANGE_ANWENDEN);
    Waehle(dlg, 0);
    Scrolle(dlg, SB_PAGEUP);
    Pumpe();
    // The first action showed window 1's one function; the scroll step
    // then acted on its shown value.
    EXPECT_EQ(parameter[0], vorher0);
    EXPECT_FALSE(Aktiv(dlg, IDC_CHANGE_WEITER));
    EXPECT_EQ(GrafikAnzeige.GewaehlteFunktion, 1);
    EXPECT_NEAR(GrafikFenster[1].Parameter[0], vorher1[0] * 1.1, 1e-12);
    for (size_t i = 1; i < vorher1.size(); ++i) EXPECT_EQ(parameter[1][i], vorher1[i]) << i;
}

// "Area" on an EXAFS model of the amplitude term and the first two FEFF
// 8.5 paths of copper, on the k grid of Copper.chik (0 to 25 in steps of
// 0.05 per Angstrom), as the EXAFS set-up leaves it.
TEST_F(AendernDialogTest, AreasUnderTwoRealCopperPaths)
{
    ASSERT_NE(McMasterTabelle(), nullptr);
    const int n = 501;
    grafik_fenster& g = GrafikFenster[0];
    ASSERT_TRUE(g.FeldGroesse() >= n || g.ResizeFelder(n + 5) != 0);
    for (int i = 0; i < n; ++i) {
        g.GetXFeld(0)[i] = 0.05 * i;
        g.GetYFeld(0)[i] = 0.0;
    }
    g.DateiInfo.PunkteProKurve[0] = n;
    g.KurvenFlags[0] = SLOT_K_FIT;
    g.KurvenZaehler = 0;
    g.NeuesterZaehler = 0;
    g.SetFullBorder();
    FeffUmgebung umgebung;
    umgebung.McMaster = McMasterTabelle();
    umgebung.Numerik = &Numerik;
    for (int p = 1; p <= 2; ++p) {
        FeffPfad& s = FeffPfade[p];
        FeffPfadFreigeben(&s);
        s.Pfadnummer = p;
        std::snprintf(s.FilesDatPfad, sizeof s.FilesDatPfad, "%sfiles.dat", Feff85Ordner().c_str());
        ASSERT_GT(LadeFeffPfad(1, &s, n, g.GetXFeld(0), umgebung), 0) << p;
    }
    HAUPTDATEN.ModellCallback = ModellFunktion;
    Modell(0, {25, 21, 21});
    const double werte[9] = {0.9, 12, 2.55, 0.008, 0.0, 6, 3.61, 0.012, 0.0};
    for (int i = 0; i < 9; ++i) g.Parameter[i] = werte[i];
    for (int i = 1000; i <= 1004; ++i) CommandArgs[i] = 10.0 * i;

    HWND dlg = Oeffnen();
    ASSERT_NE(dlg, nullptr);
    EXPECT_TRUE(Sichtbar(dlg, IDC_CHANGE_FLAECHE));
    Klick(dlg, IDC_CHANGE_WEITER);
    EXPECT_EQ(Text(dlg, IDC_CHANGE_NAME), " feff-Fit , feff0001.dat");
    CommandText[0] = 0;
    Klick(dlg, IDC_CHANGE_FLAECHE);
    const std::string text = CommandText;
    EXPECT_EQ(text.rfind("\r\n area under XAFS paths:\r\n\r\n", 0), 0u) << text;
    std::vector<std::string> zeilen;
    for (size_t p = text.find("feff000"); p != std::string::npos; p = text.find("feff000", p + 1))
        zeilen.push_back(text.substr(p, text.find("\r\n", p) - p));
    ASSERT_EQ(zeilen.size(), 2u) << text;
    // Path 1, twelve neighbours, is the larger one; each line names its atoms.
    EXPECT_NE(zeilen[0].find("  100 %"), std::string::npos) << zeilen[0];
    EXPECT_NE(zeilen[0].find(", Cu - Cu "), std::string::npos) << zeilen[0];
    EXPECT_GT(FeffPfadFlaechen[2], FeffPfadFlaechen[3]);
    EXPECT_GT(FeffPfadFlaechen[3], 0.0);
    char prozent[32];
    std::snprintf(prozent, sizeof prozent, "%5.4G %%", 100.0 * FeffPfadFlaechen[3] / FeffPfadFlaechen[2]);
    EXPECT_NE(zeilen[1].find(prozent), std::string::npos) << zeilen[1];
    for (int i = 1000; i <= 1004; ++i) EXPECT_EQ(CommandArgs[i], 10.0 * i) << i;
    // Every function is on again.
    EXPECT_EQ(g.FunktionsTypen[1], 21);
    EXPECT_EQ(g.FunktionsTypen[2], 21);
    // A result window line, not a change of the model.
    EXPECT_EQ(g.Parameter[1], 12.0);
    for (int p = 1; p <= 2; ++p) FeffPfadFreigeben(&FeffPfade[p]);
}
