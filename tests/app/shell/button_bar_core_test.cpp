// The button bar without windows: where each control lies and when it
// hides, the font sizes, the fields of a text list, the column lists and
// the image a button shows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/button_bar.h"

TEST(ButtonBarLayout, WideBarShowsEverythingInItsPlace)
{
    const LEISTEN_LAYOUT l = LeistenLayout(1280, 64);
    EXPECT_EQ(l.Erste[12].X, 2);   // "RecMak"
    EXPECT_EQ(l.Erste[11].X, 35);  // "PlayMak"
    EXPECT_EQ(l.Erste[1].X, 1280 - 35);
    EXPECT_EQ(l.Erste[10].X, 1280 - 35 - 9 * 33);
    for (int k = 1; k <= ERSTE_REIHE_ANZAHL; ++k) {
        EXPECT_TRUE(l.Erste[k].Sichtbar) << k;
        EXPECT_EQ(l.Erste[k].Y, 2);
        EXPECT_EQ(l.Erste[k].Breite, 32);
        EXPECT_EQ(l.Erste[k].Hoehe, 27);
    }
    for (int k = 1; k <= ZWEITE_REIHE_ANZAHL; ++k) {
        EXPECT_TRUE(l.Zweite[k].Sichtbar) << k;
        EXPECT_EQ(l.Zweite[k].X, 98 + 20 * (k - 1));
        EXPECT_EQ(l.Zweite[k].Breite, 19);
    }
    // The second row ends left of the first row's last button.
    EXPECT_LT(l.Zweite[ZWEITE_REIHE_ANZAHL].X + 19, l.Erste[10].X);
    for (const LEISTEN_PLATZ& b : l.Boxen) {
        EXPECT_TRUE(b.Sichtbar);
        EXPECT_EQ(b.Y, 38);
    }
    EXPECT_EQ(l.Boxen[BOX_X_SPALTE - 101].X, 1100);
    EXPECT_EQ(l.Boxen[BOX_Y_SPALTE - 101].X, 1190);
    EXPECT_EQ(l.Schrift.X, 70);
}

TEST(ButtonBarLayout, NarrowBarHidesWhatDoesNotFit)
{
    struct Fall {
        int w;
        bool yText, zText, erste10, erste1, zweite14, zweite1;
    };
    // y label box from 620, third from 780; first-row button k needs more
    // than 131 + 33 (k - 1); second-row button j needs more than
    // 474 + 20 (j - 1).
    const Fall faelle[] = {
        {619, false, false, true, true, false, true},
        {620, true, false, true, true, false, true},
        {779, true, false, true, true, true, true},
        {780, true, true, true, true, true, true},
        {428, false, false, false, true, false, false},
        {429, false, false, true, true, false, false},
        {164, false, false, false, true, false, false},
        {131, false, false, false, false, false, false},
        {475, false, false, true, true, false, true},
        {734, true, false, true, true, false, true},
        {735, true, false, true, true, true, true},
    };
    for (const Fall& f : faelle) {
        const LEISTEN_LAYOUT l = LeistenLayout(f.w, 64);
        EXPECT_EQ(l.Boxen[BOX_Y_TEXT - 101].Sichtbar, f.yText) << f.w;
        EXPECT_EQ(l.Boxen[BOX_Z_TEXT - 101].Sichtbar, f.zText) << f.w;
        EXPECT_TRUE(l.Boxen[BOX_X_TEXT - 101].Sichtbar) << f.w;
        EXPECT_EQ(l.Erste[10].Sichtbar, f.erste10) << f.w;
        EXPECT_EQ(l.Erste[1].Sichtbar, f.erste1) << f.w;
        EXPECT_EQ(l.Zweite[14].Sichtbar, f.zweite14) << f.w;
        EXPECT_EQ(l.Zweite[1].Sichtbar, f.zweite1) << f.w;
        EXPECT_TRUE(l.Erste[11].Sichtbar && l.Erste[12].Sichtbar) << f.w;
    }
}

TEST(ButtonBarTables, ImageNamesAndCommands)
{
    EXPECT_EQ(KnopfBildName(ERSTE_REIHE[11], false, BILD_NORMAL), "PlayMak1");
    EXPECT_EQ(KnopfBildName(ERSTE_REIHE[12], false, BILD_GEDRUECKT), "RecMakd");
    EXPECT_EQ(KnopfBildName(ERSTE_REIHE[1], false, BILD_AUS), "Nextno");
    EXPECT_EQ(KnopfBildName(ZWEITE_REIHE[1], true, BILD_NORMAL), "Text2");
    EXPECT_EQ(KnopfBildName(ZWEITE_REIHE[2], true, BILD_NORMAL), "Kreis1");
    for (int k = 1; k <= ERSTE_REIHE_ANZAHL; ++k) EXPECT_EQ(ERSTE_REIHE[k].Befehl, k);
    for (int k = 1; k <= ZWEITE_REIHE_ANZAHL; ++k) EXPECT_EQ(ZWEITE_REIHE[k].Befehl, 1000 + k);
}

TEST(ButtonBarSizes, ListOfTheSizeBox)
{
    const std::vector<int32_t> g = SchriftGroessen();
    ASSERT_EQ(g.size(), 27u + 10u + 10u);
    EXPECT_EQ(g.front(), 4);
    EXPECT_EQ(g[12], 16);
    EXPECT_EQ(g.back(), 90);
    for (int n = 4; n <= 30; ++n) EXPECT_EQ(GroessenPosition(n), n - 4);
    EXPECT_EQ(GroessenPosition(32), 27);
    EXPECT_EQ(GroessenPosition(54), 37);
    EXPECT_EQ(GroessenPosition(31), -1);
    EXPECT_EQ(GroessenPosition(52), -1);
}

TEST(ButtonBarLists, FieldsOfATextList)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(ListenEintraege("E [eV]#k [1/A]##^c(k)#", "X"), (V{"X", "E [eV]", "k [1/A]", "^c(k)"}));
    EXPECT_EQ(ListenEintraege("", "Y"), (V{"Y"}));
    EXPECT_EQ(ListenEintraege(nullptr, "Z"), (V{"Z"}));
    EXPECT_EQ(ListenEintraege("#a", "X"), (V{"X", "a"}));
    // A field is cut at 499 characters, the list read to 7,999.
    const std::string lang(600, 'a');
    V e = ListenEintraege((lang + "#b").c_str(), "X");
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[1].size(), 499u);
    EXPECT_EQ(e[2], "b");
    std::vector<char> ohneEnde(9000, 'c');
    ohneEnde[7998] = '#';
    ohneEnde[7999] = 'd';  // beyond what is read
    ohneEnde[8999] = '\0';
    e = ListenEintraege(ohneEnde.data(), "X");
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[1], std::string(499, 'c'));
}

TEST(ButtonBarLists, ColumnListsAndTheirTexts)
{
    const int32_t liste[6] = {3, 1, 2, 4, 9, 9};
    EXPECT_EQ(SpaltenAusListe(liste, 6), (std::vector<int32_t>{1, 2, 4}));
    const int32_t zuViele[4] = {50, 1, 2, 3};
    EXPECT_EQ(SpaltenAusListe(zuViele, 4), (std::vector<int32_t>{1, 2, 3}));
    const int32_t negativ[2] = {-5, 1};
    EXPECT_TRUE(SpaltenAusListe(negativ, 2).empty());
    EXPECT_EQ(SpaltenText(3, true), " 3.  X col");
    EXPECT_EQ(SpaltenText(12, false), " 12.  Y col");
}

TEST(ButtonBarImages, ImageOfEachState)
{
    struct Fall {
        bool gedrueckt, an, schalter, merkmal, ganz;
        int32_t bild;
    };
    const Fall faelle[] = {
        {true, true, false, false, true, BILD_GEDRUECKT},
        {true, false, false, false, true, BILD_GEDRUECKT},
        {false, false, false, false, true, BILD_AUS},
        {false, false, true, true, true, BILD_AUS},
        {false, true, false, true, true, BILD_NORMAL},
        // A switch on a full redraw shows its feature ...
        {false, true, true, true, true, BILD_GEDRUECKT},
        {false, true, true, false, true, BILD_NORMAL},
        // ... and on the release of a click the state it is about to take.
        {false, true, true, false, false, BILD_GEDRUECKT},
        {false, true, true, true, false, BILD_NORMAL},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(KnopfBild(f.gedrueckt, f.an, f.schalter, f.merkmal, f.ganz), f.bild)
            << f.gedrueckt << f.an << f.schalter << f.merkmal << f.ganz;
}
