// The text lists, the alignment word and the working legend of the axis
// inscription dialog.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "shell/axis_dialog.h"

namespace {

// Combo box items as the dialog holds them: the current text, then the list.
std::vector<std::string> Items(const std::string& aktuell, const char* liste)
{
    std::vector<std::string> items{aktuell};
    for (const std::string& e : TextListeEintraege(liste)) items.push_back(e);
    return items;
}

std::string Liste(int von, int bis)
{
    std::string s;
    for (int i = von; i <= bis; ++i) s += "t" + std::to_string(i) + "#";
    return s;
}

}  // namespace

TEST(TextList, EntriesSkipEmptyOnesAndAMissingLastHash)
{
    EXPECT_EQ(TextListeEintraege("E [keV]#k [1/A]#"), (std::vector<std::string>{"E [keV]", "k [1/A]"}));
    EXPECT_EQ(TextListeEintraege("a##b"), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(TextListeEintraege("").empty());
    EXPECT_TRUE(TextListeEintraege(nullptr).empty());
}

TEST(TextList, NewTextsEnterByPrefixRuleAndTheListKeepsTwentyOne)
{
    char liste[5000];
    // A text that an item begins with (any case) adds nothing.
    std::strcpy(liste, "Energy [keV]#chi(k)#");
    EXPECT_FALSE(TextListeAufnehmen(Items("x", liste), "energy", true, liste, sizeof liste));
    EXPECT_FALSE(TextListeAufnehmen(Items("x", liste), "", true, liste, sizeof liste));
    EXPECT_FALSE(TextListeAufnehmen(Items("x", liste), "a#b", true, liste, sizeof liste));
    EXPECT_STREQ(liste, "Energy [keV]#chi(k)#");
    // A new one goes to the front of the abscissa list ...
    EXPECT_TRUE(TextListeAufnehmen(Items("x", liste), "k [1/A]", true, liste, sizeof liste));
    EXPECT_STREQ(liste, "k [1/A]#Energy [keV]#chi(k)#");
    // ... and to the end of the ordinate and title lists.
    std::strcpy(liste, "mu(E)#");
    EXPECT_TRUE(TextListeAufnehmen(Items("y", liste), "chi(k)", false, liste, sizeof liste));
    EXPECT_STREQ(liste, "mu(E)#chi(k)#");

    // 22 items (current text and 21 entries): the new text and the first 20
    // old entries, or the first 20 followed by the new text.
    const std::string voll = Liste(1, 21);
    std::strcpy(liste, voll.c_str());
    ASSERT_EQ(Items("now", liste).size(), 22u);
    EXPECT_TRUE(TextListeAufnehmen(Items("now", liste), "new", true, liste, sizeof liste));
    EXPECT_EQ(std::string(liste), "new#" + Liste(1, 20));
    std::strcpy(liste, voll.c_str());
    EXPECT_TRUE(TextListeAufnehmen(Items("now", liste), "new", false, liste, sizeof liste));
    EXPECT_EQ(std::string(liste), Liste(1, 20) + "new#");
    EXPECT_EQ(TextListeEintraege(liste).size(), 21u);
}

TEST(TextList, AListThatWouldOverrunItsBufferDropsItsOldestEntries)
{
    // Long entries from a file: the buffer of 60 bytes keeps what fits.
    char liste[60];
    const std::string a(20, 'a'), b(20, 'b');
    const std::vector<std::string> items{"cur", a, b};
    EXPECT_TRUE(TextListeAufnehmen(items, std::string(20, 'n'), true, liste, sizeof liste));
    EXPECT_EQ(std::string(liste), std::string(20, 'n') + "#" + a + "#");
    EXPECT_TRUE(TextListeAufnehmen(items, std::string(20, 'n'), false, liste, sizeof liste));
    EXPECT_EQ(std::string(liste), b + "#" + std::string(20, 'n') + "#");
    // A new text longer than the buffer itself is cut, never written past it.
    struct { char l[10]; char w[4]; } p;
    std::memset(p.w, 'W', sizeof p.w);
    EXPECT_TRUE(TextListeAufnehmen(items, std::string(30, 'z'), true, p.l, sizeof p.l));
    EXPECT_EQ(std::strlen(p.l), 9u);
    EXPECT_EQ(std::string(p.w, 4), "WWWW");
}

TEST(Alignment, RadioGroupsAndTheWordAgree)
{
    EXPECT_EQ(BeschriftungAusWahl(0, 1, 2), 0x1 | 0x20 | 0x400);
    EXPECT_EQ(BeschriftungAusWahl(2, 2, 0), 0x4 | 0x40 | 0x100);
    const struct { int32_t flags, x, y, t; } faelle[] = {
        {0x421, 0, 1, 2}, {0x0, 0, 0, 0}, {0x6, 1, 0, 0},  // lowest bit of a group wins
        {0x7FFF, 0, 0, 0}, {0x240, 0, 2, 1},
    };
    for (const auto& f : faelle) {
        int32_t w[3];
        WahlAusBeschriftung(f.flags, w);
        EXPECT_EQ(w[0], f.x) << std::hex << f.flags;
        EXPECT_EQ(w[1], f.y) << std::hex << f.flags;
        EXPECT_EQ(w[2], f.t) << std::hex << f.flags;
    }
}

TEST(Legend, EntriesArePlacedPickedUpAndAligned)
{
    LEGENDE l;
    EXPECT_TRUE(LegendeAnfuegen(l, "Cu foil", 8980.0, 1.2));
    EXPECT_TRUE(LegendeAnfuegen(l, "CuO", 8990.0, 1.5));
    EXPECT_TRUE(LegendeAnfuegen(l, "Cu2O\nignored", 9000.0, 1.5));
    EXPECT_FALSE(LegendeAnfuegen(l, "", 1.0, 1.0));
    EXPECT_EQ(l.Anzahl, 3);
    EXPECT_EQ(l.Text, "Cu foil\nCuO\nCu2O\n");
    EXPECT_EQ(LegendenZeile(l, 2), "CuO");

    // "&V": every x becomes the x of the highest entry (the first of a tie).
    LEGENDE v = l;
    EXPECT_TRUE(LegendeBuendig(v));
    for (int i = 0; i < 3; ++i) EXPECT_DOUBLE_EQ(v.Pos[2 * i], 8990.0);
    EXPECT_DOUBLE_EQ(v.Pos[1], 1.2);

    // Picking up the middle entry moves the later one up.
    LegendeEntfernen(l, 2);
    EXPECT_EQ(l.Anzahl, 2);
    EXPECT_EQ(l.Text, "Cu foil\nCu2O\n");
    EXPECT_DOUBLE_EQ(l.Pos[2], 9000.0);
    EXPECT_DOUBLE_EQ(l.Pos[3], 1.5);
    LegendeEntfernen(l, 1);
    LegendeEntfernen(l, 1);
    EXPECT_EQ(l.Anzahl, 0);
    EXPECT_EQ(l.Text, "");
    EXPECT_FALSE(LegendeBuendig(l));
}

TEST(Legend, AFifteenthEntryIsRefusedAndRecordsAreReadWithinTheirRoom)
{
    LEGENDE l;
    for (int i = 0; i < LEGENDE_MAX; ++i) EXPECT_TRUE(LegendeAnfuegen(l, "e" + std::to_string(i), i, i));
    EXPECT_FALSE(LegendeAnfuegen(l, "fifteenth", 1.0, 1.0));
    EXPECT_EQ(l.Anzahl, 14);

    double anzahl = 0, pos[100] = {};
    char text[2000] = "";
    LegendeSchreiben(l, &anzahl, pos, 100, text, sizeof text);
    EXPECT_DOUBLE_EQ(anzahl, 14.0);
    EXPECT_DOUBLE_EQ(pos[27], 13.0);
    const LEGENDE zurueck = LegendeLesen(anzahl, pos, 100, text);
    EXPECT_EQ(zurueck.Anzahl, 14);
    EXPECT_EQ(zurueck.Text, l.Text);

    // Unusable counts of a record.
    const struct { double n; int32_t erwartet; } faelle[] = {
        {-3.0, 0}, {NAN, 0}, {1e300, 14}, {2.0, 2}, {40.0, 14},
    };
    for (const auto& f : faelle) EXPECT_EQ(LegendeLesen(f.n, pos, 100, "").Anzahl, f.erwartet) << f.n;
    EXPECT_EQ(LegendeLesen(5.0, pos, 6, "").Anzahl, 3);
}
