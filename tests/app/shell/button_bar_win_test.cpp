// The button bar of the running program: its picture with a multi-column
// file open (kept as button_bar.png in the test folder of the build tree),
// the command each button sends, the boxes, hiding on a narrow bar, and a
// macro recorded and replayed through the bar's buttons.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "plotting/plot_test_support.h"
#include "resource_ids.h"
#include "shell/child_windows.h"
#include "shell_fixture.h"
#include "spectra/spectra_globals.h"

namespace {

// WM_COMMANDs that reached a window whose procedure the test replaced;
// they go no further.
std::vector<std::pair<int32_t, LPARAM>> angekommen;
std::vector<int32_t> abgefangen;
WNDPROC alteProzedur[2] = {};

LRESULT Zeuge(int i, HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == WM_COMMAND) {
        const int32_t id = LOWORD(w);
        for (int32_t a : abgefangen)
            if (a == id) {
                angekommen.push_back({id, l});
                return 0;
            }
    }
    return CallWindowProcA(alteProzedur[i], h, m, w, l);
}
LRESULT CALLBACK GrafikZeuge(HWND h, UINT m, WPARAM w, LPARAM l) { return Zeuge(0, h, m, w, l); }
LRESULT CALLBACK HauptZeuge(HWND h, UINT m, WPARAM w, LPARAM l) { return Zeuge(1, h, m, w, l); }

std::string MakroPfad;
BOOL WINAPI MakroDialog(LPOPENFILENAMEA ofn)
{
    std::snprintf(ofn->lpstrFile, ofn->nMaxFile, "%s", MakroPfad.c_str());
    return TRUE;
}

LOGFONTA gezeigteSchrift;
BOOL WINAPI SchriftAntwort(LPCHOOSEFONTA cf)
{
    gezeigteSchrift = *cf->lpLogFont;
    std::strcpy(cf->lpLogFont->lfFaceName, "Courier New");
    cf->lpLogFont->lfWeight = 700;
    cf->lpLogFont->lfItalic = 1;
    return TRUE;
}

void Pumpe()
{
    MSG m;
    for (int runde = 0; runde < 5; ++runde) {
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        Sleep(5);
    }
}

std::string BoxText(HWND box, LRESULT i)
{
    char text[200] = "";
    if (i >= 0) SendMessageA(box, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    return text;
}
std::string Gewaehlt(HWND box) { return BoxText(box, SendMessageA(box, CB_GETCURSEL, 0, 0)); }

void Waehle(HWND box, int32_t id, LRESULT i)
{
    SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
    SendMessageA(ButtonBar.Fenster, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
}

// The Cu foil of tests/app/spectra/data (energy, i0, itrans, mutrans).
struct Zeile {
    double e, i0, it, mu;
};
std::vector<Zeile> CuFolie()
{
    std::ifstream f(KORLAN_TEST_DIR "/app/spectra/data/cu_metal_rt.xdi");
    std::vector<Zeile> z;
    std::string s;
    while (std::getline(f, s)) {
        if (s.empty() || s[0] == '#') continue;
        Zeile r{};
        if (std::sscanf(s.c_str(), "%lf %lf %lf %lf", &r.e, &r.i0, &r.it, &r.mu) == 4) z.push_back(r);
    }
    return z;
}

class Leiste : public LaufendesProgramm {
protected:
    int32_t fenster = -1;

    void SetUp() override
    {
        LaufendesProgramm::SetUp();
        angekommen.clear();
        abgefangen.clear();
    }
    void TearDown() override
    {
        for (int i = 0; i < 2; ++i) alteProzedur[i] = nullptr;
        MakroOeffnenDialog = GetOpenFileNameA;
        MakroSpeichernDialog = GetSaveFileNameA;
        SchriftDialog = ChooseFontA;
        for (int i = 0; i < 4; ++i) {
            if (HWND g = HAUPTDATEN.GrafikHandles[i]) DestroyWindow(g);
            HAUPTDATEN.GrafikHandles[i] = nullptr;
        }
        LaufendesProgramm::TearDown();
    }

    void OeffneCuFolie()
    {
        fenster = OeffneOhneDialog(KORLAN_TEST_DIR "/app/spectra/data/cu_metal_rt.xdi");
        ASSERT_GE(fenster, 0);
        ASSERT_EQ(GrafikFenster[fenster].Punkte(), 408);
        Pumpe();
    }

    HWND Box(int32_t id) const { return ButtonBar.Boxen[id - 101]; }
};

}  // namespace

TEST_F(Leiste, PictureWithBothRowsAndTheColumnsOfAMultiColumnFile)
{
    OeffneCuFolie();
    // The columns of the file: x from the monotonic ones, y from all four.
    const grafik_fenster& g = GrafikFenster[fenster];
    const LRESULT nx = SendMessageA(Box(BOX_X_SPALTE), CB_GETCOUNT, 0, 0);
    EXPECT_EQ(nx, g.DateiInfo.XSpalten[0]);
    EXPECT_GE(nx, 1);
    EXPECT_EQ(BoxText(Box(BOX_X_SPALTE), 0), " 1.  X col");
    ASSERT_EQ(SendMessageA(Box(BOX_Y_SPALTE), CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(BoxText(Box(BOX_Y_SPALTE), 3), " 4.  Y col");
    EXPECT_EQ(Gewaehlt(Box(BOX_Y_SPALTE)), SpaltenText(g.DateiInfo.YSpalte, false));
    // The size box shows the label size of the window's font profile.
    EXPECT_EQ(Gewaehlt(Box(BOX_GROESSE)), " " + std::to_string(g.Paintinfo.AxisFontHeight));
    EXPECT_EQ(Gewaehlt(Box(BOX_X_TEXT)), g.XText[g.AktuellerSlot()]);

    // The new window opens below both halves of the bar, not over its boxes.
    RECT leiste, grafik;
    GetWindowRect(ButtonBar.Fenster, &leiste);
    GetWindowRect(HAUPTDATEN.GrafikHandles[fenster], &grafik);
    EXPECT_GE(grafik.top, leiste.bottom);
    EXPECT_EQ(leiste.bottom - leiste.top, 2 * HAUPTDATEN.ButtonZeilenHoehe + 6);

    // Every button is there and shown on the wide bar; each draws its own
    // image: the pixels of the play button are those of "PlayMak1".
    for (int k = 1; k <= ERSTE_REIHE_ANZAHL; ++k) {
        ASSERT_NE(ButtonBar.Erste[k].Fenster, nullptr) << k;
        EXPECT_TRUE(IsWindowVisible(ButtonBar.Erste[k].Fenster)) << k;
        for (HBITMAP b : ButtonBar.Erste[k].Bild) EXPECT_NE(b, nullptr) << k;
    }
    for (int k = 1; k <= ZWEITE_REIHE_ANZAHL; ++k) {
        EXPECT_TRUE(IsWindowVisible(ButtonBar.Zweite[k].Fenster)) << k;
        for (HBITMAP b : ButtonBar.Zweite[k].Bild) EXPECT_NE(b, nullptr) << k;
    }
    RECT r;
    GetWindowRect(hwnd, &r);
    const int W = r.right - r.left, H = r.bottom - r.top;
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    Pumpe();
    plot_test::Canvas bild(W, H);
    HDC dc = GetWindowDC(hwnd);
    ASSERT_TRUE(BitBlt(bild.dc, 0, 0, W, H, dc, 0, 0, SRCCOPY));
    ReleaseDC(hwnd, dc);
    ASSERT_TRUE(bild.WritePng((std::string(altesVerzeichnis) + "\\button_bar.png").c_str()));

    plot_test::Canvas knopf(32, 27), vorlage(32, 27);
    HDC kdc = GetDC(ButtonBar.PlayKnopf);
    BitBlt(knopf.dc, 0, 0, 32, 27, kdc, 0, 0, SRCCOPY);
    ReleaseDC(ButtonBar.PlayKnopf, kdc);
    DrawBitmap(vorlage.dc, ButtonBar.Erste[11].Bild[BILD_NORMAL], 0, 0);
    EXPECT_EQ(knopf.Snapshot(), vorlage.Snapshot());
    // The play triangle is green in the picture.
    EXPECT_GT(vorlage.Count(RGB(0, 128, 0)), 50);
}

TEST_F(Leiste, EachButtonSendsItsCommand)
{
    // Without a graphic window the window buttons send nothing.
    abgefangen = {835, 614};
    alteProzedur[1] = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HauptZeuge)));
    for (int k = 1; k <= 10; ++k) SendMessageA(ButtonBar.Fenster, WM_COMMAND, k, 0);
    for (int k = 1001; k <= 1014; ++k) SendMessageA(ButtonBar.Fenster, WM_COMMAND, k, 0);
    EXPECT_TRUE(angekommen.empty());
    // The window buttons start disabled: a click does nothing.
    EXPECT_FALSE(IsWindowEnabled(ButtonBar.Erste[10].Fenster));

    OeffneCuFolie();
    HWND g = HAUPTDATEN.GrafikHandles[fenster];
    abgefangen = {1, 2, 3, 4, 5, 6, 7, 8, 9, 1001, 1002, 1003, 1004, 1005, 1006, 1007,
                  1008, 1009, 1010, 1011, 1012, 1013, 835, 614};
    alteProzedur[0] = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(g, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GrafikZeuge)));
    for (int k = 1; k <= 10; ++k)
        SendMessageA(ButtonBar.Fenster, WM_COMMAND, 2002, MAKELPARAM(k, 1));
    EXPECT_TRUE(IsWindowEnabled(ButtonBar.Erste[10].Fenster));

    const std::vector<std::pair<int32_t, LPARAM>> erwartet = {
        {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 0}, {8, 0}, {9, 0}, {835, 0},
        {1001, 0}, {1002, 0}, {1003, 0}, {1004, 0}, {1005, 0}, {1006, 0}, {1007, 0},
        {1008, 0}, {1009, 0}, {1010, 0}, {1011, 0}, {1012, 0}, {1013, 0}, {614, 0}};
    angekommen.clear();
    for (int k = 1; k <= 10; ++k) {
        AktivesFenster = -1;
        SendMessageA(ButtonBar.Erste[k].Fenster, BM_CLICK, 0, 0);
        // The window buttons make the window on top the active one (the
        // arrange and print buttons leave it).
        if (k != 7 && k != 8) {
            EXPECT_EQ(AktivesFenster, fenster) << k;
        }
    }
    for (int k = 1; k <= ZWEITE_REIHE_ANZAHL; ++k) {
        AktivesFenster = -1;
        SendMessageA(ButtonBar.Zweite[k].Fenster, BM_CLICK, 0, 0);
        EXPECT_EQ(AktivesFenster, fenster) << k;
    }
    EXPECT_EQ(angekommen, erwartet);

    // Command 2002 disables a first-row button; a disabled button sends nothing.
    SendMessageA(ButtonBar.Fenster, WM_COMMAND, 2002, MAKELPARAM(1, 0));
    EXPECT_FALSE(IsWindowEnabled(ButtonBar.Erste[1].Fenster));
    angekommen.clear();
    SendMessageA(ButtonBar.Erste[1].Fenster, BM_CLICK, 0, 0);
    EXPECT_TRUE(angekommen.empty());
    SetWindowLongPtrA(g, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(alteProzedur[0]));
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(alteProzedur[1]));
}

TEST_F(Leiste, BoxesChooseColumnsLabelsAndFontSize)
{
    // Without a window the size box returns to the size in use.
    Waehle(Box(BOX_GROESSE), BOX_GROESSE, 20);
    EXPECT_EQ(Gewaehlt(Box(BOX_GROESSE)), " " + std::to_string(HAUPTDATEN.Schrifthoehen[0]));

    OeffneCuFolie();
    grafik_fenster& g = GrafikFenster[fenster];
    const std::vector<Zeile> cu = CuFolie();
    ASSERT_EQ(cu.size(), 408u);

    // y column 2 (i0) becomes the next curve.
    const int32_t vorher = g.KurvenZaehler;
    Waehle(Box(BOX_Y_SPALTE), BOX_Y_SPALTE, 1);
    Pumpe();
    EXPECT_EQ(g.DateiInfo.YSpalte, 2);
    EXPECT_EQ(g.KurvenZaehler, vorher + 1);
    ASSERT_EQ(g.Punkte(), 408);
    const double* y = g.GetYFeld(-1);
    const double* x = g.GetXFeld(-1);
    for (size_t i = 0; i < cu.size(); i += 50) {
        EXPECT_NEAR(x[i], cu[i].e, 1e-6) << i;
        EXPECT_NEAR(y[i], cu[i].i0, 1e-6 * cu[i].i0) << i;
    }
    EXPECT_TRUE(g.ZeigeDaten);
    EXPECT_EQ(Gewaehlt(Box(BOX_Y_SPALTE)), " 2.  Y col");

    // A label chosen in a box becomes the current slot's label.
    const LRESULT n = SendMessageA(Box(BOX_Y_TEXT), CB_GETCOUNT, 0, 0);
    ASSERT_GE(n, 1);
    Waehle(Box(BOX_Y_TEXT), BOX_Y_TEXT, n - 1);
    EXPECT_EQ(std::string(g.YText[g.AktuellerSlot()]), BoxText(Box(BOX_Y_TEXT), n - 1));

    // A label the list does not hold yet is added to it and shown.
    std::strcpy(g.XText[g.AktuellerSlot()], "E [eV] of Cu");
    UpdateFensterStatus();
    EXPECT_EQ(Gewaehlt(Box(BOX_X_TEXT)), "E [eV] of Cu");
    EXPECT_NE(std::strstr(HAUPTDATEN.XTextListe, "E [eV] of Cu#"), nullptr);

    // Texts the axis dialog put into the lists reach the boxes.
    std::strcat(HAUPTDATEN.YTextListe, "chi(k)*k^2#");
    ButtonBar.TexteNeu();
    EXPECT_NE(SendMessageA(Box(BOX_Y_TEXT), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>("chi(k)*k^2")),
              CB_ERR);
    EXPECT_EQ(Gewaehlt(Box(BOX_X_TEXT)), "E [eV] of Cu");

    // Size 20: label font 20 high, 9 wide.
    Waehle(Box(BOX_GROESSE), BOX_GROESSE, GroessenPosition(20));
    EXPECT_EQ(g.Paintinfo.AxisFontHeight, 20);
    EXPECT_EQ(g.Paintinfo.AxisFontWidth, 9);
    EXPECT_EQ(HAUPTDATEN.Schrifthoehen[0], 20);

    // "Font": the dialog starts at the size + 6; its face, weight and
    // italic go into all four font records.
    SchriftDialog = SchriftAntwort;
    SendMessageA(ButtonBar.SchriftKnopf, BM_CLICK, 0, 0);
    EXPECT_EQ(gezeigteSchrift.lfHeight, 26);
    for (const FONT_DATEN& f : HAUPTDATEN.FontDaten) {
        EXPECT_STREQ(f.Schrift, "Courier New");
        EXPECT_EQ(f.Gewicht, 700);
        EXPECT_EQ(f.Kursiv, 1);
    }
}

TEST_F(Leiste, NarrowBarHidesButtonsAndBoxes)
{
    MoveWindow(ButtonBar.Fenster, 0, 0, 600, 2 * HAUPTDATEN.ButtonZeilenHoehe + 6, TRUE);
    EXPECT_FALSE(IsWindowVisible(Box(BOX_Y_TEXT)));
    EXPECT_FALSE(IsWindowVisible(Box(BOX_Z_TEXT)));
    EXPECT_TRUE(IsWindowVisible(Box(BOX_X_TEXT)));
    EXPECT_FALSE(IsWindowVisible(ButtonBar.Zweite[14].Fenster));
    EXPECT_TRUE(IsWindowVisible(ButtonBar.Erste[10].Fenster));
    MoveWindow(ButtonBar.Fenster, 0, 0, 400, 2 * HAUPTDATEN.ButtonZeilenHoehe + 6, TRUE);
    EXPECT_FALSE(IsWindowVisible(ButtonBar.Erste[10].Fenster));
    EXPECT_TRUE(IsWindowVisible(ButtonBar.Erste[1].Fenster));
    EXPECT_TRUE(IsWindowVisible(ButtonBar.RecKnopf));
    EXPECT_TRUE(IsWindowVisible(ButtonBar.PlayKnopf));
    MoveWindow(ButtonBar.Fenster, 0, 0, 900, 2 * HAUPTDATEN.ButtonZeilenHoehe + 6, TRUE);
    EXPECT_TRUE(IsWindowVisible(Box(BOX_Z_TEXT)));
    EXPECT_TRUE(IsWindowVisible(ButtonBar.Zweite[14].Fenster));
}

TEST_F(Leiste, RecordThenPlayThroughTheBar)
{
    OeffneCuFolie();
    grafik_fenster& g = GrafikFenster[fenster];
    const std::vector<double> y0(g.GetYFeld(-1), g.GetYFeld(-1) + g.Punkte());
    MakroPfad = Pfad("bar.MAK");
    MakroSpeichernDialog = MakroDialog;
    MakroOeffnenDialog = MakroDialog;

    SendMessageA(ButtonBar.RecKnopf, BM_CLICK, 0, 0);
    ASSERT_EQ(HAUPTDATEN.MakroAufnahme, 1);
    // y -> 2 y + 0.5, recorded.
    std::memset(HAUPTDATEN.DialogWerte, 0, sizeof HAUPTDATEN.DialogWerte);
    HAUPTDATEN.DialogWerte[0] = 220;
    HAUPTDATEN.DialogWerte[1] = 2.0;
    HAUPTDATEN.DialogWerte[2] = 0.5;
    SendMessageA(hwnd, WM_COMMAND, 607, LP_PREPARED);
    SendMessageA(ButtonBar.RecKnopf, BM_CLICK, 0, 0);
    EXPECT_EQ(HAUPTDATEN.MakroAufnahme, 0);
    EXPECT_EQ(Lies("bar.MAK").rfind("Makro\n607,", 0), 0u);

    BringWindowToTop(HAUPTDATEN.GrafikHandles[fenster]);
    SendMessageA(ButtonBar.PlayKnopf, BM_CLICK, 0, 0);
    Pumpe();
    EXPECT_TRUE(boxen.empty()) << (boxen.empty() ? "" : boxen[0].text);
    // Twice: y -> 4 y + 1.5 of the curve that was opened.
    ASSERT_EQ(g.Punkte(), 408);
    const double* y = g.GetYFeld(-1);
    for (size_t i = 0; i < y0.size(); i += 37)
        EXPECT_NEAR(y[i], 4.0 * y0[i] + 1.5, 1e-9 * (1.0 + std::fabs(y[i]))) << i;
}
