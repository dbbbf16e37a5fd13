// Enabling and checking of the main menu's items by the state of the
// graphic window on top.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>

#include "resource_ids.h"
#include "shell/haupt_fenster.h"
#include "shell/menu_rules.h"
#include "shell_fixture.h"

namespace {

std::map<int32_t, MENUE_REGEL> Regeln(int popup, const MENUE_ZUSTAND& z)
{
    MENUE_REGEL r[32];
    std::map<int32_t, MENUE_REGEL> m;
    const int n = MenueRegeln(popup, z, r);
    for (int i = 0; i < n; ++i) m[r[i].Id] = r[i];
    return m;
}

MENUE_ZUSTAND MitDaten()
{
    MENUE_ZUSTAND z;
    z.Fenster = z.Daten = true;
    z.Typ = 7;
    z.Zaehler = 1;
    z.Neuester = 2;
    z.Spalten = 3;
    return z;
}

}  // namespace

TEST(MenuRules, WithoutAWindowOnlyWindowFreeItemsAreEnabled)
{
    MENUE_ZUSTAND leer;
    auto datei = Regeln(0, leer);
    for (int32_t id : {70, 111, 602, 604, 157, 175, 849, 122}) EXPECT_FALSE(datei[id].An) << id;
    auto zeigen = Regeln(2, leer);
    EXPECT_TRUE(zeigen[1].An);      // Next, also without a window
    EXPECT_FALSE(zeigen[2].An);
    EXPECT_TRUE(zeigen[616].An);
    EXPECT_EQ(zeigen[45].Haken, 0);
    EXPECT_EQ(zeigen[19].Haken, 0);
    auto xafs = Regeln(4, leer);
    EXPECT_EQ(xafs[847].Haken, 1);  // the default calibration source is 2
    EXPECT_EQ(xafs[846].Haken, 0);
    EXPECT_EQ(Regeln(6, leer).size(), 0u);
    EXPECT_EQ(Regeln(7, leer).size(), 0u);
}

TEST(MenuRules, WindowStateDecidesEachPopup)
{
    MENUE_ZUSTAND z = MitDaten();
    auto datei = Regeln(0, z);
    for (int32_t id : {70, 111, 602, 604, 157}) EXPECT_TRUE(datei[id].An) << id;
    EXPECT_FALSE(datei[175].An);
    auto zeigen = Regeln(2, z);
    EXPECT_EQ(zeigen[45].Haken, 1);
    EXPECT_TRUE(zeigen[45].An);
    EXPECT_TRUE(zeigen[605].An);
    EXPECT_TRUE(zeigen[4].An);
    EXPECT_TRUE(zeigen[1].An);   // counter 1, newest 2
    EXPECT_TRUE(zeigen[2].An);   // 1 >= 1 and 1 > 2 - 3
    EXPECT_FALSE(zeigen[155].An);
    EXPECT_TRUE(Regeln(4, z)[843].An);

    // At the newest slot Next is off; only the function shown: borders on.
    z.Zaehler = 2;
    z.Daten = false;
    z.Funktion = true;
    z.Typ = 16;
    zeigen = Regeln(2, z);
    EXPECT_FALSE(zeigen[1].An);
    EXPECT_TRUE(zeigen[155].An);
    EXPECT_TRUE(zeigen[161].An);
    EXPECT_FALSE(zeigen[45].An);   // type 15 and above
    EXPECT_FALSE(zeigen[616].An);  // an EXAFS path function is shown

    // A Fourier transform slot; the imaginary part drawn.
    z.SlotFlags = 4;
    z.ImagGezeichnet = true;
    auto edit = Regeln(1, z);
    EXPECT_TRUE(edit[164].An);
    EXPECT_TRUE(edit[619].An);
    z.Rohdaten = true;
    EXPECT_TRUE(Regeln(5, z)[826].An);
    EXPECT_FALSE(Regeln(4, z)[843].An);
}

TEST_F(ShellFixture, OpeningTheFilePopupAppliesItsRules)
{
    KopiereMucal();
    HWND hwnd = Starte();
    ASSERT_NE(hwnd, nullptr);
    HMENU datei = GetSubMenu(HAUPTDATEN.Hauptmenue, 0);
    SendMessageA(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(datei), 0);
    EXPECT_TRUE(GetMenuState(datei, 70, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(datei, 111, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(datei, 60, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(datei, CM_EXIT, MF_BYCOMMAND) & MF_GRAYED);
    // A submenu keeps its items.
    HMENU extrakt = GetSubMenu(datei, 8);
    ASSERT_NE(extrakt, nullptr);
    SendMessageA(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(extrakt), 8);
    EXPECT_FALSE(GetMenuState(extrakt, 626, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(Schliesse(hwnd), 0);
}
