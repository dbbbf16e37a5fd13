// The axis-scaling dialog: its fields' steps and ranges, and the click
// beside the plot of a graphic window that opens it, answered here as a
// user would; its values become the window's axis settings.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "../shell/shell_fixture.h"
#include "app/dialog_watcher.h"
#include "resource_ids.h"
#include "spectra/change_scale.h"
#include "spectra/change_scale_win.h"
#include "spectra/spectra_globals.h"

TEST(ChangeScale, StepsStayWithinTheirRanges)
{
    struct Fall {
        int32_t rollbalken, wert;
        bool hoch, geht;
        int32_t neu;
    };
    const Fall faelle[] = {
        {IDC_SCALE_X_NUMBERS + 1, 5, true, true, 6},   {IDC_SCALE_Y_NUMBERS + 1, 29, true, false, 0},
        {IDC_SCALE_Z_NUMBERS + 1, 1, false, false, 0}, {IDC_SCALE_X_LINES + 1, 2, false, true, 1},
        {IDC_SCALE_Z_LINES + 1, 28, true, true, 29},   {IDC_SCALE_X_DISTANCE + 1, 0, true, true, 2},
        {IDC_SCALE_Y_DISTANCE + 1, 98, true, false, 0}, {IDC_SCALE_Z_DISTANCE + 1, -97, false, true, -99},
        {IDC_SCALE_Z_DISTANCE + 1, -98, false, false, 0},
    };
    for (const Fall& f : faelle) {
        const int32_t i = SkalenFeld(f.rollbalken, false);
        ASSERT_GE(i, 0) << f.rollbalken;
        int32_t neu = 12345;
        EXPECT_EQ(SkalenSchritt(i, f.wert, f.hoch, &neu), f.geht) << f.rollbalken << " " << f.wert;
        if (f.geht) {
            EXPECT_EQ(neu, f.neu) << f.rollbalken;
        } else {
            EXPECT_EQ(neu, 12345) << f.rollbalken;
        }
    }
    EXPECT_EQ(SkalenFeld(IDC_SCALE_SIGN, false), -1);
    EXPECT_EQ(SkalenFeld(IDC_SCALE_Y_LINES, true), 4);
    int32_t w = 0;
    EXPECT_TRUE(SkalenZahl(0, " 12 ", &w));
    EXPECT_EQ(w, 12);
    EXPECT_FALSE(SkalenZahl(0, "30", &w));
    EXPECT_FALSE(SkalenZahl(0, "0", &w));
    EXPECT_FALSE(SkalenZahl(0, "7x", &w));
    EXPECT_FALSE(SkalenZahl(0, "", &w));
    EXPECT_TRUE(SkalenZahl(8, "-99", &w));
    EXPECT_EQ(w, -99);
    EXPECT_FALSE(SkalenZahl(8, "99999999999999", &w));
}

namespace {

// Dialog steps run one per timer tick on the dialog on top.
std::vector<std::function<void(HWND)>> schritte;
size_t naechster = 0;
std::string titel;

void CALLBACK Ticken(HWND, UINT, UINT_PTR, DWORD)
{
    HWND d = dialog_waechter::ObersterDialog();
    if (!d || !IsWindowVisible(d)) return;
    char t[100] = "";
    GetWindowTextA(d, t, sizeof t);
    titel = t;
    if (naechster < schritte.size()) schritte[naechster++](d);
    else PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
}

void Rolle(HWND d, int id, int code)
{
    SendMessageA(d, WM_VSCROLL, MAKEWPARAM(code, 0), reinterpret_cast<LPARAM>(GetDlgItem(d, id)));
}

class Skalen : public LaufendesProgramm {
protected:
    int32_t fenster = -1;
    void SetUp() override
    {
        LaufendesProgramm::SetUp();
        fenster = OeffneOhneDialog(KORLAN_TEST_DIR "/app/spectra/data/cu_metal_rt.xdi");
        ASSERT_GE(fenster, 0);
        schritte.clear();
        naechster = 0;
        titel.clear();
    }
    void TearDown() override
    {
        for (int i = 0; i < 4; ++i) {
            if (HWND g = HAUPTDATEN.GrafikHandles[i]) DestroyWindow(g);
            HAUPTDATEN.GrafikHandles[i] = nullptr;
        }
        LaufendesProgramm::TearDown();
    }
    // A click at (x, y) of the window, as the mouse gives it.
    void Klick(int x, int y)
    {
        HWND g = HAUPTDATEN.GrafikHandles[fenster];
        dialog_waechter::Beginne();
        const UINT_PTR uhr = SetTimer(nullptr, 0, 60, Ticken);
        SendMessageA(g, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(g, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        KillTimer(nullptr, uhr);
        dialog_waechter::Beende();
    }
};

}  // namespace

TEST_F(Skalen, AClickBesideThePlotOpensTheDialogAndItsValuesStay)
{
    PAINTINFO& p = GrafikFenster[fenster].Paintinfo;
    p.YNumbers = 5;
    p.XLines = 2;
    p.ZAxisDistance = 10;
    p.SignFactor = 1.0;
    schritte = {
        [](HWND d) { EXPECT_EQ(GetDlgItemInt(d, IDC_SCALE_Y_NUMBERS, nullptr, TRUE), 5u); },
        [](HWND d) { Rolle(d, IDC_SCALE_Y_NUMBERS + 1, SB_LINEUP); },
        [](HWND d) { Rolle(d, IDC_SCALE_X_LINES + 1, SB_LINEDOWN); },
        [](HWND d) { Rolle(d, IDC_SCALE_X_LINES + 1, SB_LINEDOWN); },  // 1 is the smallest
        [](HWND d) { Rolle(d, IDC_SCALE_Z_DISTANCE + 1, SB_LINEDOWN); },
        [](HWND d) { SetDlgItemTextA(d, IDC_SCALE_X_NUMBERS, "7"); },
        [](HWND d) { CheckDlgButton(d, IDC_SCALE_SIGN, BST_CHECKED); },
        [](HWND d) { PostMessageA(d, WM_COMMAND, IDOK, 0); },
    };
    // Top left corner of the client area: beside the plot.
    Klick(2, 2);
    EXPECT_EQ(titel, "Change X/Y-graph scaling");
    EXPECT_EQ(naechster, schritte.size());
    EXPECT_EQ(p.YNumbers, 6);
    EXPECT_EQ(p.XLines, 1);
    EXPECT_EQ(p.ZAxisDistance, 8);
    EXPECT_EQ(p.XNumbers, 7);
    EXPECT_EQ(p.SignFactor, -1.0);
    EXPECT_TRUE(boxen.empty());
}

TEST_F(Skalen, CancelKeepsTheScrolledValuesAndAWrongTypedValueIsRefused)
{
    PAINTINFO& p = GrafikFenster[fenster].Paintinfo;
    p.YLines = 4;
    p.XNumbers = 6;
    p.SignFactor = -1.0;
    schritte = {
        [](HWND d) { EXPECT_EQ(IsDlgButtonChecked(d, IDC_SCALE_SIGN), static_cast<UINT>(BST_CHECKED)); },
        [](HWND d) { Rolle(d, IDC_SCALE_Y_LINES + 1, SB_LINEUP); },
        [](HWND d) { SetDlgItemTextA(d, IDC_SCALE_X_NUMBERS, "40"); },
        // OK with 40 (above 29) keeps the dialog open with a message.
        [](HWND d) { SendMessageA(d, WM_COMMAND, IDOK, 0); },
        [](HWND d) { PostMessageA(d, WM_COMMAND, IDCANCEL, 0); },
    };
    Klick(2, 2);
    EXPECT_EQ(naechster, schritte.size());
    EXPECT_EQ(p.YLines, 5);
    EXPECT_EQ(p.XNumbers, 6);
    EXPECT_EQ(p.SignFactor, -1.0);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].text, "Please enter a whole number from 1 to 29.");
}

TEST_F(Skalen, AClickInsideThePlotOpensNothing)
{
    RECT r;
    GetClientRect(HAUPTDATEN.GrafikHandles[fenster], &r);
    Klick(r.right / 2, r.bottom / 2);
    EXPECT_TRUE(titel.empty());
}
