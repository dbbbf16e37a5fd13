// The data-table window inside the running program: opened by Edit (F9) on
// the curve of the window on top, scrolled, edited and shortened.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/spectra/data_commands_fixture.h"
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
}

}  // namespace
