// The data-table window inside the running program: opened by Edit (F9) on
// the curve of the window on top, scrolled, edited and shortened.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "app/spectra/data_commands_fixture.h"
#include "plotting/plot_test_support.h"
#include "shell/child_windows.h"

namespace {

double Quadrat(double x) { return x * x; }

class Tabelle : public EditFixture {
protected:
    HWND t = nullptr;
    void SetUp() override
    {
        EditFixture::SetUp();
        t = HAUPTDATEN.KindFenster[KIND_EDITOR];
        ASSERT_NE(t, nullptr);
        ASSERT_EQ(EditorWindow.Fenster, t);
    }
    void Abarbeiten()
    {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    }
    void Oeffnen()
    {
        HAUPTDATEN.Befehl(70, 0);
        Abarbeiten();
        ASSERT_TRUE(IsWindowVisible(t));
    }
    void Eingabe(int feld, const char* text)
    {
        HWND f = GetDlgItem(t, feld);
        SetWindowTextA(f, text);
        SendMessageA(t, WM_COMMAND, MAKEWPARAM(feld, EN_VSCROLL), reinterpret_cast<LPARAM>(f));
    }
    std::string Feld(int id)
    {
        char text[64] = "";
        GetDlgItemTextA(t, id, text, sizeof text);
        return text;
    }
};

TEST_F(Tabelle, EditOpensTheTableOnTheCurveAndScrollsToItsLastRow)
{
    Kurve(0, 35000, Quadrat);
    Oeffnen();
    EXPECT_EQ(EditorWindow.X, GrafikFenster[0].GetXFeld(0));
    EXPECT_EQ(EditorWindow.Anzahl, 35000);
    EXPECT_EQ(HAUPTDATEN.EditorSichtbar, 1);
    // Right third of the main window.
    RECT r, haupt;
    GetWindowRect(t, &r);
    GetWindowRect(hwnd, &haupt);
    EXPECT_GT(r.left, haupt.left + (haupt.right - haupt.left) / 2);

    SendMessageA(t, WM_VSCROLL, SB_BOTTOM, 0);
    InvalidateRect(t, nullptr, TRUE);
    UpdateWindow(t);
    EXPECT_EQ(EditorWindow.Erste, EditorWindow.ErsteMax);
    EXPECT_EQ(EditorWindow.LetzteGemalteZeile, 34999);
    SendMessageA(t, WM_VSCROLL, SB_TOP, 0);
    InvalidateRect(t, nullptr, TRUE);
    UpdateWindow(t);
    EXPECT_EQ(EditorWindow.Erste, 0);
    EXPECT_LT(EditorWindow.LetzteGemalteZeile, 100);
}

TEST_F(Tabelle, EditingRowTenChangesExactlyThatPointAndWritesHistory)
{
    Kurve(0, 50, Quadrat);
    Oeffnen();
    const std::vector<double> x0 = X(0, 0), y0 = Y(0, 0);
    SendMessageA(t, WM_COMMAND, 2006, MAKELPARAM(10, 0));
    EXPECT_EQ(EditorWindow.Gewaehlt(), 10);
    EXPECT_EQ(Feld(152), "  10.");
    EXPECT_EQ(Feld(151), "  100");

    Eingabe(151, "2.5");
    std::vector<double> y = Y(0, 0);
    ASSERT_EQ(y.size(), 50u);
    for (size_t i = 0; i < y.size(); ++i) EXPECT_EQ(y[i], i == 10 ? 2.5 : y0[i]) << i;
    EXPECT_EQ(X(0, 0), x0);
    EXPECT_NE(Historie().find("data table: point 10  x = 10 ,  y = 2.5"), std::string::npos) << Historie();
    EXPECT_EQ(GrafikFenster[0].HatDaten, 1);

    // A text that is no number is stored as 0.
    Eingabe(150, "abc");
    EXPECT_EQ(X(0, 0)[10], 0.0);
    EXPECT_EQ(Y(0, 0)[10], 2.5);

    // Typing a value and Enter in the y field.
    HWND yFeld = GetDlgItem(t, 151);
    SetFocus(yFeld);
    SetWindowTextA(yFeld, "");
    for (char c : std::string("-3.5")) SendMessageA(yFeld, WM_CHAR, c, 0);
    EXPECT_EQ(Y(0, 0)[10], 2.5);
    SendMessageA(yFeld, WM_CHAR, VK_RETURN, 0);
    EXPECT_EQ(Y(0, 0)[10], -3.5);
    EXPECT_EQ(Feld(151), "  -3.5");
    EXPECT_EQ(Y(0, 0)[9], y0[9]);

    // Ctrl-click value from a graphic window.
    HAUPTDATEN.TabellenWert = -7.25;
    SendMessageA(t, WM_COMMAND, 2001, 0);
    EXPECT_EQ(Y(0, 0)[10], -7.25);
    EXPECT_EQ(Y(0, 0)[11], y0[11]);
}

TEST_F(Tabelle, DeleteShortensTheSlotAndTheLastPointLeavesAnEmptyCurve)
{
    Kurve(0, 3, Quadrat);
    Oeffnen();
    SendMessageA(t, WM_COMMAND, 2006, MAKELPARAM(1, 0));
    SendMessageA(t, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(GrafikFenster[0].DateiInfo.PunkteProKurve[0], 2);
    EXPECT_EQ(X(0, 0), (std::vector<double>{0, 2}));
    EXPECT_EQ(Y(0, 0), (std::vector<double>{0, 4}));
    for (int i = 0; i < 4; ++i) SendMessageA(t, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(GrafikFenster[0].DateiInfo.PunkteProKurve[0], 0);
    EXPECT_EQ(EditorWindow.Anzahl, 0);
    InvalidateRect(t, nullptr, TRUE);
    UpdateWindow(t);
    EXPECT_EQ(EditorWindow.LetzteGemalteZeile, -1);
    EXPECT_EQ(Feld(152), "");
}

TEST_F(Tabelle, FollowsTheCurveOfAnotherWindowAndHidesWhenAsked)
{
    Kurve(0, 20, Quadrat);
    Kurve(1, 7, Quadrat);
    Oeffnen();
    BringWindowToTop(grafik[1]);
    UpdateFensterStatus();
    EXPECT_EQ(EditorWindow.X, GrafikFenster[1].GetXFeld(0));
    EXPECT_EQ(EditorWindow.Anzahl, 7);
    SendMessageA(t, WM_SYSCOMMAND, 18, 0);
    EXPECT_FALSE(IsWindowVisible(t));
    SendMessageA(t, WM_COMMAND, 37, 0);
    EXPECT_TRUE(IsWindowVisible(t));

    // Its window closed, the table shows nothing of the freed arrays.
    HAUPTDATEN.GrafikHandles[1] = nullptr;
    InvalidateRect(t, nullptr, TRUE);
    UpdateWindow(t);
    EXPECT_EQ(EditorWindow.LetzteGemalteZeile, -1);
    EXPECT_EQ(EditorWindow.X, nullptr);
    SendMessageA(t, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(GrafikFenster[1].DateiInfo.PunkteProKurve[0], 7);
}

}  // namespace

namespace {

// A real graphic window beside the table: Shift- and Ctrl-clicks on its plot.
class TabelleUndMaus : public LaufendesProgramm {
protected:
    HWND f = nullptr;
    void TearDown() override
    {
        if (f) DestroyWindow(f);
        for (int i = 0; i < 4; ++i) {
            HAUPTDATEN.GrafikHandles[i] = nullptr;
            GrafikFenster[i].FreeFelder();
            GrafikFenster[i].Reset();
        }
        for (HWND& h : ModelessList) h = nullptr;
        AnzahlFenster = 0;
        LaufendesProgramm::TearDown();
    }
};

TEST_F(TabelleUndMaus, ShiftClickSelectsTheNearestRowAndCtrlClickSetsItsY)
{
    grafik_fenster& g = GrafikFenster[0];
    ASSERT_EQ(g.AllocFelder(), 1);
    for (int i = 0; i <= 10; ++i) {
        g.GetXFeld(0)[i] = i;
        g.GetYFeld(0)[i] = i * i;
    }
    g.DateiInfo.PunkteProKurve[0] = 11;
    std::strcpy(g.DateiInfo.DateiName, "quadrat.dat");
    g.ZeigeDaten = 1;
    g.SetFullBorder();
    f = CreateWindowA("paint", "quadrat.dat  No.1", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 70, 600, 420,
                      hwnd, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(f, nullptr);
    HAUPTDATEN.GrafikHandles[0] = f;
    AnzahlFenster = 1;
    AktivesFenster = 0;
    BringWindowToTop(f);
    HAUPTDATEN.Befehl(70, 0);
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    HWND t = HAUPTDATEN.KindFenster[KIND_EDITOR];
    ASSERT_TRUE(IsWindowVisible(t));
    ASSERT_EQ(EditorWindow.Anzahl, 11);

    // The plot's mapping comes from the graphic window's own drawing.
    BringWindowToTop(f);
    InvalidateRect(f, nullptr, TRUE);
    UpdateWindow(f);
    int px = 0, py = 0;
    ASSERT_TRUE(Plotter.GetScreen(6.3, 30.0, px, py));
    SendMessageA(f, WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(px, py));
    EXPECT_EQ(EditorWindow.Gewaehlt(), 6);
    EXPECT_EQ(GetFocus(), t);

    BringWindowToTop(f);
    InvalidateRect(f, nullptr, TRUE);
    UpdateWindow(f);
    ASSERT_TRUE(Plotter.GetScreen(6.0, 50.0, px, py));
    SendMessageA(f, WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(px, py));
    EXPECT_NEAR(g.GetYFeld(0)[6], 50.0, 1.0);
    EXPECT_EQ(HAUPTDATEN.TabellenWert, g.GetYFeld(0)[6]);
    EXPECT_EQ(g.GetYFeld(0)[5], 25.0);
    EXPECT_EQ(g.GetYFeld(0)[7], 49.0);
    EXPECT_EQ(g.DateiInfo.PunkteProKurve[0], 11);

    // The table as it stands, for a person to look at: rows below the header.
    SendMessageA(t, WM_VSCROLL, SB_TOP, 0);
    InvalidateRect(t, nullptr, TRUE);
    UpdateWindow(t);
    RECT c;
    GetClientRect(t, &c);
    plot_test::Canvas cv(c.right, c.bottom);
    HDC dc = GetDC(t);
    BitBlt(cv.dc, 0, 0, c.right, c.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(t, dc);
    EXPECT_TRUE(cv.WritePng((std::string(altesVerzeichnis) + "\\data_table.png").c_str()));
    int schwarz = 0;
    for (int y = 3 * EditorWindow.ZeilenHoehe; y < 6 * EditorWindow.ZeilenHoehe && y < cv.h; ++y)
        for (int x = 0; x < cv.w; ++x) schwarz += cv.Pixel(x, y) == RGB(0, 0, 0);
    EXPECT_GT(schwarz, 50);
}

}  // namespace
