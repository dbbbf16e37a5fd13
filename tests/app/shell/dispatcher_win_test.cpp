// The command dispatcher of the main window: routing, the commands it
// handles itself, the end of a fit and the deferred errors.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "resource_ids.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "shell_fixture.h"

TEST(CommandRouting, RangesGoToTheirHandlers)
{
    const struct { int32_t von, bis; BEFEHLS_ZIEL ziel; } tabelle[] = {
        {1, 450, ZIEL_HAUPTFENSTER}, {451, 500, ZIEL_KEINER}, {501, 599, ZIEL_NUMERIK},
        {600, 600, ZIEL_KEINER},     {601, 699, ZIEL_EDIT},   {700, 800, ZIEL_KEINER},
        {801, 899, ZIEL_XAFS},       {900, 900, ZIEL_KEINER}, {901, 999, ZIEL_XRD},
        {1000, 2100, ZIEL_KEINER},   {0, 0, ZIEL_KEINER},
    };
    for (const auto& z : tabelle)
        for (int32_t id = z.von; id <= z.bis; ++id) ASSERT_EQ(BefehlsZiel(id), z.ziel) << id;
}

namespace {

// Every command number that the items of a menu resource carry.
void MenueNummern(HMENU menue, std::vector<int32_t>& nummern)
{
    for (int i = 0; i < GetMenuItemCount(menue); ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
        ASSERT_TRUE(GetMenuItemInfoA(menue, static_cast<UINT>(i), TRUE, &info));
        if (info.hSubMenu) MenueNummern(info.hSubMenu, nummern);
        else if (!(info.fType & MFT_SEPARATOR)) nummern.push_back(static_cast<int32_t>(info.wID));
    }
}

}  // namespace

TEST(CommandMap, EveryMenuItemReachesAHandlerOfTheMap)
{
    const struct { const char* menue; const char* fenster; size_t mindestens; } menues[] = {
        {"korlan", "Korlan", 140}, {"ResultPopup", "results", 9}, {"PaintPopup", "paint", 25}};
    for (const auto& m : menues) {
        HMENU menue = LoadMenuA(GetModuleHandleA(nullptr), m.menue);
        ASSERT_NE(menue, nullptr) << m.menue;
        std::vector<int32_t> nummern;
        MenueNummern(menue, nummern);
        DestroyMenu(menue);
        EXPECT_GE(nummern.size(), m.mindestens) << m.menue;
        for (int32_t id : nummern) {
            int treffer = 0;
            for (const BEFEHLS_KARTE& k : BEFEHLS_KARTEN)
                if (std::string(k.Fenster) == m.fenster && id >= k.Von && id <= k.Bis) ++treffer;
            EXPECT_EQ(treffer, 1) << m.menue << " item " << id;
        }
    }
}

TEST(CommandMap, RowsAreOrderedRoutedAndNameFilesThatExist)
{
    const BEFEHLS_KARTE* vorige = nullptr;
    for (const BEFEHLS_KARTE& k : BEFEHLS_KARTEN) {
        EXPECT_LE(k.Von, k.Bis) << k.Funktion;
        if (vorige && std::string(vorige->Fenster) == k.Fenster) {
            EXPECT_GT(k.Von, vorige->Bis) << k.Funktion;
        }
        vorige = &k;
        // The main window's dispatcher routes every number of its rows.
        if (std::string(k.Fenster) == "Korlan") {
            for (int32_t id = k.Von; id <= k.Bis; ++id) {
                EXPECT_NE(BefehlsZiel(id), ZIEL_KEINER) << id;
            }
        }
        const std::string datei = std::string(KORLAN_TEST_DIR) + "/../app/" + k.Datei;
        EXPECT_NE(GetFileAttributesA(datei.c_str()), INVALID_FILE_ATTRIBUTES) << datei;
    }
    // The routes of the subsystems' ranges.
    const struct { int32_t id; BEFEHLS_ZIEL ziel; const char* datei; } routen[] = {
        {501, ZIEL_NUMERIK, "fit/fit_commands_win.cpp"},
        {605, ZIEL_EDIT, "spectra/data_commands_win.cpp"},
        {899, ZIEL_XAFS, "xas/xas_commands_win.cpp"},
        {901, ZIEL_XRD, "xrd/xrd_commands_win.cpp"},
    };
    for (const auto& r : routen) {
        EXPECT_EQ(BefehlsZiel(r.id), r.ziel);
        bool gefunden = false;
        for (const BEFEHLS_KARTE& k : BEFEHLS_KARTEN)
            if (std::string(k.Fenster) == "Korlan" && r.id >= k.Von && r.id <= k.Bis)
                gefunden = std::string(k.Datei) == r.datei;
        EXPECT_TRUE(gefunden) << r.id;
    }
}

class Dispatcher : public LaufendesProgramm {
protected:
    void SetUp() override
    {
        LaufendesProgramm::SetUp();
        boxen.clear();
    }
    void TearDown() override
    {
        LaufendesProgramm::TearDown();
    }
};

TEST_F(Dispatcher, CommandsNotBuiltYetNameTheirMenuItemAndStopAReplay)
{
    // One answer for every command this version does not have: the box
    // names the menu item; prepared values (macro replay) open no box but
    // raise the player's stop sign 1000 and keep the text for the player.
    const struct { int32_t id; const char* text; } faelle[] = {
        {617, "\"QMS mass spectra\" is not available in this version of Korlan."},
    };
    // The data commands need a graphic window on top.
    HWND grafik = CreateWindowA("static", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, hwnd, nullptr, nullptr, nullptr);
    ASSERT_NE(grafik, nullptr);
    HAUPTDATEN.GrafikHandles[0] = grafik;
    BringWindowToTop(grafik);
    for (const auto& f : faelle) {
        boxen.clear();
        FehlerCode = 0;
        HAUPTDATEN.Befehl(f.id, 0);
        ASSERT_EQ(boxen.size(), 1u) << f.id;
        EXPECT_EQ(boxen[0].text, f.text);
        EXPECT_EQ(boxen[0].titel, "Sorry!");
        EXPECT_EQ(FehlerCode, 0) << f.id;
        boxen.clear();
        NichtVerfuegbarVergessen();
        HAUPTDATEN.Befehl(f.id, LP_PREPARED);
        EXPECT_TRUE(boxen.empty()) << f.id;
        EXPECT_EQ(FehlerCode, 1000) << f.id;
        EXPECT_STREQ(NichtVerfuegbarText(), f.text);
        FehlerCode = 0;
    }
    HAUPTDATEN.GrafikHandles[0] = nullptr;
    DestroyWindow(grafik);
    // A part of a command, and a number that no menu item carries.
    NichtVerfuegbar(605, "The section dialog", 0);
    NichtVerfuegbar(4711, nullptr, 0);
    NichtVerfuegbar(4712, "The colour dialog", 0);
    ASSERT_EQ(boxen.size(), 3u);
    EXPECT_EQ(boxen[0].text, "The section dialog of \"Section\" is not available in this version of Korlan.");
    EXPECT_EQ(boxen[1].text, "Command 4711 is not available in this version of Korlan.");
    EXPECT_EQ(boxen[2].text, "The colour dialog is not available in this version of Korlan.");
    // The results window's path report without a FEFF fit says what it needs.
    boxen.clear();
    SendMessageA(HAUPTDATEN.KindFenster[KIND_ERGEBNIS], WM_COMMAND, 807, 0);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].text, "The report needs a finished fit of a FEFF model in the active window.");
    // Unknown ids are ignored.
    boxen.clear();
    HAUPTDATEN.Befehl(500, 0);
    HAUPTDATEN.Befehl(700, 0);
    HAUPTDATEN.Befehl(1500, 0);
    EXPECT_TRUE(boxen.empty());
    EXPECT_EQ(FehlerCode, 0);
}

TEST_F(Dispatcher, OptionsCommandsNeedAWindowUnlessSilent)
{
    DeleteFileA(Pfad("numeric.opt").c_str());
    HAUPTDATEN.Befehl(CM_WRITE_OPTIONS, 0);
    EXPECT_FALSE(Existiert("numeric.opt"));
    HAUPTDATEN.Befehl(CM_WRITE_OPTIONS, LP_SILENT_OPTIONS);
    EXPECT_TRUE(Existiert("numeric.opt"));

    Schreibe("numeric.opt", "9,0.05,100,0,1\n0,0,0,0,0\n1,*.x,E:\\d");
    HAUPTDATEN.Befehl(CM_READ_OPTIONS, 0);
    EXPECT_NE(ExafsOptionen.MaxR, 9.0);
    HAUPTDATEN.Befehl(CM_READ_OPTIONS, LP_SILENT_OPTIONS);
    EXPECT_DOUBLE_EQ(ExafsOptionen.MaxR, 9.0);
    EXPECT_EQ(ExafsOptionen.KPunkte, 128);
    EXPECT_STREQ(HAUPTDATEN.DatenOrdner, "E:\\d");
}

TEST_F(Dispatcher, ClosingGraphicWindowsMovesTheActiveOneDownAndEndsAtNone)
{
    HWND w0 = CreateWindowA("static", "", WS_CHILD, 0, 0, 10, 10, hwnd, nullptr, nullptr, nullptr);
    HWND w2 = CreateWindowA("static", "", WS_CHILD, 0, 0, 10, 10, hwnd, nullptr, nullptr, nullptr);
    HAUPTDATEN.GrafikHandles[0] = w0;
    HAUPTDATEN.GrafikHandles[2] = w2;
    AddModeless(w0);
    AddModeless(w2);
    AnzahlFenster = 2;

    AktivesFenster = 2;
    HAUPTDATEN.Befehl(CM_WINDOW_CLOSED, 0);
    EXPECT_EQ(AnzahlFenster, 1);
    EXPECT_EQ(AktivesFenster, 0);
    EXPECT_EQ(HAUPTDATEN.GrafikHandles[2], nullptr);
    EXPECT_EQ(ModelessList[0], w0);
    EXPECT_EQ(ModelessList[1], nullptr);

    HAUPTDATEN.Befehl(CM_WINDOW_CLOSED, 0);
    EXPECT_EQ(AnzahlFenster, 0);
    EXPECT_EQ(AktivesFenster, -1);
    EXPECT_EQ(ModelessList[0], nullptr);
    DestroyWindow(w0);
    DestroyWindow(w2);
}

TEST_F(Dispatcher, FitEndsOnlyWhenFinishedAndLeavesFitMode)
{
    HAUPTDATEN.FitZustand = 1;
    HAUPTDATEN.FitIterationen = 3;
    HAUPTDATEN.Befehl(CM_FIT_CANCEL, 0);
    EXPECT_EQ(HAUPTDATEN.FitIterationen, 10003);
    EXPECT_EQ(HAUPTDATEN.FitZustand, 1);

    // Fit mode as the fit run sets it up.
    SetMenu(hwnd, nullptr);
    for (HWND h : HAUPTDATEN.FitPanel) ShowWindow(h, SW_SHOW);
    Numerik.SetFitProcedure(1, ExafsFitProzedur);
    HAUPTDATEN.FitZustand = -1;
    antwort = IDCANCEL;
    HAUPTDATEN.Befehl(CM_FIT_CANCEL, 0);
    EXPECT_EQ(HAUPTDATEN.FitZustand, 0);
    EXPECT_EQ(Numerik.useFitProcedure, 0);
    EXPECT_EQ(Numerik.fitProcedure, nullptr);
    EXPECT_EQ(GetMenu(hwnd), HAUPTDATEN.Hauptmenue);
    for (HWND h : HAUPTDATEN.FitPanel) EXPECT_FALSE(IsWindowVisible(h));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(hwnd, ID_STATUS_CURVE)));
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].titel, "Confidence limits and F test?");
    EXPECT_EQ(KonfidenzFrage, -1);

    // Cancel in the question: not asked after the next fit of this run.
    boxen.clear();
    HAUPTDATEN.FitZustand = -1;
    HAUPTDATEN.Befehl(CM_FIT_CANCEL, 0);
    EXPECT_TRUE(boxen.empty());
    EXPECT_EQ(HAUPTDATEN.FitZustand, 0);
    KonfidenzFrage = 1;
}

TEST_F(Dispatcher, ReversedBordersReportTheDeferredErrorOnce)
{
    HAUPTDATEN.DialogWerte[0] = 3.0;
    HAUPTDATEN.DialogWerte[1] = 3.0;
    HAUPTDATEN.Befehl(155, LP_PREPARED);
    EXPECT_EQ(FehlerCode, 102);
    EXPECT_TRUE(boxen.empty());

    // A second error before the tick replaces the first.
    FehlerCode = 104;
    SendMessageA(hwnd, WM_TIMER, 5, 0);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].titel, "Error !!");
    EXPECT_EQ(boxen[0].text, "Not enough memory !!");
    EXPECT_EQ(FehlerCode, 0);
    SendMessageA(hwnd, WM_TIMER, 5, 0);
    EXPECT_EQ(boxen.size(), 1u);

    // 1000 is the macro player's sign, not a message.
    FehlerCode = 1000;
    SendMessageA(hwnd, WM_TIMER, 5, 0);
    EXPECT_EQ(boxen.size(), 1u);
    EXPECT_EQ(FehlerCode, 0);
}

TEST_F(Dispatcher, HelpLanguageToggles)
{
    // Items 176 and 177 live in the help dialog's menu, not in the main menu.
    HAUPTDATEN.Befehl(CM_HELP_ENGLISH, 0);
    EXPECT_EQ(HAUPTDATEN.HilfeDeutsch, 0);
    HAUPTDATEN.Befehl(CM_HELP_GERMAN, 0);
    EXPECT_EQ(HAUPTDATEN.HilfeDeutsch, 1);
}

TEST_F(Dispatcher, OpenWithFourWindowsOpenRefuses)
{
    AnzahlFenster = 4;
    HAUPTDATEN.Befehl(CM_OPEN, 0);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].text, "Only four windows available at a time.");
    EXPECT_EQ(boxen[0].titel, "Sorry!");
    AnzahlFenster = 0;
}

TEST(WindowNumber, OnlyListedGraphicWindowsHaveANumber)
{
    haupt_fenster& app = HAUPTDATEN;
    HWND g = reinterpret_cast<HWND>(static_cast<intptr_t>(0x200));
    app.GrafikHandles[1] = g;
    EXPECT_EQ(app.GetFensterNummer(g), 1);
    EXPECT_EQ(app.GetFensterNummer(reinterpret_cast<HWND>(static_cast<intptr_t>(0x300))), -1);
    EXPECT_EQ(app.GetFensterNummer(nullptr), -1);  // slots 0, 2 and 3 are free
    app.GrafikHandles[1] = nullptr;
}

TEST(ModelessList, SixEntriesAndSafeRemoval)
{
    HWND h[7];
    for (int i = 0; i < 7; ++i) h[i] = reinterpret_cast<HWND>(static_cast<intptr_t>(0x100 + i));
    for (HWND x : h) AddModeless(x);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(ModelessList[i], h[i]);
    RemoveModeless(h[6]);  // never stored
    for (int i = 0; i < 6; ++i) EXPECT_EQ(ModelessList[i], h[i]);
    RemoveModeless(h[2]);
    EXPECT_EQ(ModelessList[2], nullptr);
    AddModeless(h[6]);
    EXPECT_EQ(ModelessList[2], h[6]);
    for (HWND& x : ModelessList) x = nullptr;
}

TEST_F(Dispatcher, KeysDuringAFitAndTheAssistantSpot)
{
    // Upper-case C ends an iterating fit as command 22 does; lower case not.
    HAUPTDATEN.FitZustand = 1;
    HAUPTDATEN.FitIterationen = 0;
    SendMessageA(hwnd, WM_CHAR, 'c', 0);
    EXPECT_EQ(HAUPTDATEN.FitIterationen, 0);
    SendMessageA(hwnd, WM_CHAR, 'C', 0);
    EXPECT_EQ(HAUPTDATEN.FitIterationen, 10000);
    HAUPTDATEN.FitZustand = 0;
    SendMessageA(hwnd, WM_CHAR, 'C', 0);
    EXPECT_EQ(HAUPTDATEN.FitIterationen, 10000);

    // In a main window of 800 x 600 the spot lies near the centre.
    SendMessageA(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(800, 600));
    MSG m;
    while (PeekMessageA(&m, hwnd, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {}
    SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(700, 70));
    EXPECT_FALSE(PeekMessageA(&m, hwnd, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(400 + 250, 300 - 180));
    ASSERT_TRUE(PeekMessageA(&m, hwnd, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(LOWORD(m.wParam), CM_ASSISTANT);
}
