// Value mappings of the data-command dialogs, without windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "spectra/data_dialogs.h"

TEST(DialogZahlen, DecimalNumbersOnly)
{
    struct Fall {
        const char* text;
        bool gut;
        double wert;
    } faelle[] = {
        {"1", true, 1.0},        {" -2.5 ", true, -2.5}, {"1E-3", true, 1e-3},
        {"+.5e2", true, 50.0},   {"", false, 0},         {"   ", false, 0},
        {"1,5", false, 0},       {"2x", false, 0},       {"abc", false, 0},
        {"inf", false, 0},       {"nan", false, 0},      {"0x10", false, 0},
        {"1e999", false, 0},     {"1.5.2", false, 0},
    };
    for (const Fall& f : faelle) {
        double v = -77.0;
        EXPECT_EQ(LiesZahl(f.text, &v), f.gut) << f.text;
        if (f.gut) EXPECT_DOUBLE_EQ(v, f.wert) << f.text;
        else EXPECT_EQ(v, -77.0) << f.text << ": a refused entry must not change the value";
    }
    int32_t n = 0;
    EXPECT_TRUE(LiesGanzzahl(" 250 ", &n));
    EXPECT_EQ(n, 250);
    EXPECT_FALSE(LiesGanzzahl("2.5", &n));
    EXPECT_FALSE(LiesGanzzahl("99999999999", &n));
    EXPECT_FALSE(LiesGanzzahl("", &n));
}

TEST(DialogWahl, SlotsCopyAndPasteResults)
{
    EXPECT_EQ(AngeboteneSlots(0), 1);
    EXPECT_EQ(AngeboteneSlots(2), 3);
    EXPECT_EQ(AngeboteneSlots(9), 4);
    EXPECT_EQ(AngeboteneSlots(-3), 1);

    bool g[DIALOG_KURVEN] = {};
    EXPECT_EQ(KopierAuswahl(g), -1);
    g[4 * 3 + 2] = true;  // window 3, slot 2
    EXPECT_EQ(KopierAuswahl(g), 32);

    EXPECT_EQ(EinfuegeErgebnis(true, 2), 11);
    EXPECT_EQ(EinfuegeErgebnis(false, 0), 1);
    EXPECT_EQ(EinfuegeErgebnis(false, 3), 4);
    EXPECT_EQ(EinfuegeErgebnis(false, -1), 0);

    EXPECT_TRUE(FunktionPunkteFest(15));
    EXPECT_TRUE(FunktionPunkteFest(22));
    EXPECT_FALSE(FunktionPunkteFest(14));
    EXPECT_FALSE(FunktionPunkteFest(23));
    EXPECT_TRUE(FunktionPunkteFest(121));
    EXPECT_FALSE(FunktionPunkteFest(107));
}

TEST(DialogWahl, OrdinateOperandAndAbscissaCode)
{
    // 3 file columns, then the graphs: first graph is operand 101.
    EXPECT_EQ(OrdinatenOperand(0, 3, false, false), 0.0);
    EXPECT_EQ(OrdinatenOperand(2, 3, false, false), 2.0);
    EXPECT_EQ(OrdinatenOperand(4, 3, false, false), 101.0);
    EXPECT_EQ(OrdinatenOperand(6, 3, false, false), 103.0);
    EXPECT_EQ(OrdinatenOperand(1, 0, false, false), 101.0);
    EXPECT_EQ(OrdinatenOperand(2, 3, true, false), 1000.0);
    EXPECT_EQ(OrdinatenOperand(2, 3, true, true), -1.0);

    EXPECT_EQ(AbszissenErgebnis(0, false), 220);
    EXPECT_EQ(AbszissenErgebnis(8, true), 1228);
}

TEST(KombiNummernTest, CheckingNumbersAndUncheckingClosesTheGap)
{
    KombiNummern n;
    n.Setze(2, true);
    n.Setze(5, true);
    n.Setze(0, true);
    EXPECT_EQ(n.Nummer(2), 1);
    EXPECT_EQ(n.Nummer(5), 2);
    EXPECT_EQ(n.Nummer(0), 3);
    n.Setze(0, true);  // checked twice keeps its number
    EXPECT_EQ(n.Anzahl(), 3);
    n.Setze(2, false);
    EXPECT_EQ(n.Nummer(2), 0);
    EXPECT_EQ(n.Nummer(5), 1);
    EXPECT_EQ(n.Nummer(0), 2);
    EXPECT_EQ(n.Anzahl(), 2);
    n.Setze(7, false);  // not checked: nothing moves
    EXPECT_EQ(n.Anzahl(), 2);
    n.Setze(99, true);  // no such box
    EXPECT_EQ(n.Anzahl(), 2);

    bool rechts[DIALOG_KURVEN] = {};
    rechts[0] = true;
    int32_t liste[DIALOG_KURVEN] = {};
    ASSERT_EQ(KombiListeBauen(n, rechts, liste), 2);
    EXPECT_EQ(liste[0], 11);   // index 5: window 1, slot 1
    EXPECT_EQ(liste[1], 100);  // index 0: window 0, slot 0, right axis
}

TEST(KombiNummernTest, AllSixteenCurvesFitTheList)
{
    KombiNummern n;
    for (int32_t i = DIALOG_KURVEN - 1; i >= 0; --i) n.Setze(i, true);
    bool rechts[DIALOG_KURVEN] = {};
    int32_t liste[DIALOG_KURVEN] = {};
    ASSERT_EQ(KombiListeBauen(n, rechts, liste), 16);
    EXPECT_EQ(liste[0], 33);
    EXPECT_EQ(liste[15], 0);
}

TEST(StilWortTest, RoundTripAndDisplacement)
{
    for (int32_t breite : {0, 1, 7, 100})
        for (int32_t linie = 0; linie < 4; ++linie) {
            int32_t s = 0, l = 0, b = 0;
            StilWortLesen(StilWort(STIL_STERNE | STIL_VERBINDEN, linie, breite), &s, &l, &b);
            EXPECT_EQ(s, STIL_STERNE | STIL_VERBINDEN);
            EXPECT_EQ(l, linie);
            EXPECT_EQ(b, breite);
        }
    EXPECT_EQ(StilWort(1, 0, 1), 0x000A0001);  // the record's default entry
    EXPECT_EQ(VersatzCode(0), 1);
    EXPECT_EQ(VersatzCode(1), 11);
    EXPECT_EQ(VersatzCode(4), 14);
}

TEST(StilWortTest, MultiPlotStyles)
{
    // Window style: connect + squares (9), dash-dot (3), width 2.
    struct Fall {
        int32_t k;
        bool sym, lin, br;
        int32_t symbole, linie, breite;
    } faelle[] = {
        {1, true, false, false, 1 | 2, 3, 2},        // 2^1 circles
        {4, true, false, false, 1 | 16, 3, 2},       // 2^4 stars
        {6, true, false, false, 1 | 4 | 2, 3, 2},    // m = 2, circle bit added
        {10, true, false, false, 1 | 64 | 2, 3, 2},  // m = 6: bars
        {3, false, true, true, 9, 2, 3},
        {12, false, true, false, 9, 1, 2},           // style 11 would read as width + 1
    };
    for (const Fall& f : faelle) {
        int32_t s = 0, l = 0, b = 0;
        StilWortLesen(MultiStilWort(f.k, f.sym, f.lin, f.br, 9, 3, 2), &s, &l, &b);
        EXPECT_EQ(s, f.symbole) << f.k;
        EXPECT_EQ(l, f.linie) << f.k;
        EXPECT_EQ(b, f.breite) << f.k;
    }
}

TEST(DialogFarbenTest, TableAndLookup)
{
    EXPECT_EQ(DialogFarben[0], 0x000000u);
    EXPECT_EQ(DialogFarben[4], 0x000080u);   // red 128 in the low byte
    EXPECT_EQ(DialogFarben[7], 0xFF0000u);   // light blue
    EXPECT_EQ(DialogFarben[14], 0xC0C0C0u);
    EXPECT_EQ(FarbEintrag(0x0000FF), 10);    // light red
    EXPECT_EQ(FarbEintrag(0x123456), 1);     // unknown colours show as entry 1
}

TEST(DateiVorschauTest, LinesCutAndEndedByCrLf)
{
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    const std::string pfad = std::string(temp) + "korlan_vorschau.tmp";
    {
        std::ofstream f(pfad, std::ios::binary);
        f << "head 1\r\nhead 2\n" << std::string(400, 'a') << "\n";
        for (int i = 0; i < 30; ++i) f << i << " " << i * 2 << "\n";
        f << "tail without end";
    }
    std::string text;
    // 3 text lines, 40 points: 3 + 15 lines.
    EXPECT_EQ(DateiVorschau(pfad.c_str(), 3, 40, &text), 18);
    EXPECT_EQ(text.substr(0, 16), "head 1\r\nhead 2\r\n");
    EXPECT_EQ(text.substr(16, 300), std::string(298, 'a') + "\r\n");
    EXPECT_EQ(text.substr(316, 5), "0 0\r\n");
    // 2 points only: 3 + 2 lines.
    EXPECT_EQ(DateiVorschau(pfad.c_str(), 3, 2, &text), 5);
    // More lines asked than the file has: it ends with the file.
    EXPECT_EQ(DateiVorschau(pfad.c_str(), 40, 100, &text), 34);
    EXPECT_EQ(text.substr(text.size() - 18), "tail without end\r\n");
    std::remove(pfad.c_str());
    EXPECT_EQ(DateiVorschau(pfad.c_str(), 3, 40, &text), -1);
    EXPECT_TRUE(text.empty());
}
