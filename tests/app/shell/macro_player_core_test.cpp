// What the player puts into the command globals for each record, by the
// replay rules of the macro file: one table of cases from the edge cases of
// the format, and the round trip recorder -> file -> player.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "shell/macro_file.h"
#include "shell/macro_player.h"

namespace {

// The blocks of the program at their real sizes, and the pointers into them.
struct Globale {
    std::vector<double> dialog = std::vector<double>(MAKRO_DIALOGWERTE, -7.0);
    std::vector<double> parameter = std::vector<double>(MAKRO_PARAMETER_BLOCK, -3.0);
    std::vector<int32_t> typen = std::vector<int32_t>(MAKRO_MAX_FUNKTIONEN, 99);
    int32_t anzahl = 5, grad = 4, maxPar = 8, maxFit = 8;
    std::vector<int32_t> freie = std::vector<int32_t>(MAKRO_MAX_PARAMETER, -5);
    std::vector<int32_t> flags = std::vector<int32_t>(35000, 77);
    std::vector<int32_t> worte = std::vector<int32_t>(35000, 66);
    std::vector<double> konst = std::vector<double>(35000, 0.5);
    std::vector<char> text = std::vector<char>(MAKRO_COMMANDTEXT_KAPAZITAET, 0);
    std::vector<char> text2 = std::vector<char>(MAKRO_TEXT_KAPAZITAET, 0);

    MakroZiele Ziele()
    {
        return MakroZiele{dialog.data(), parameter.data(), typen.data(), &anzahl, &grad, &maxPar, &maxFit,
                          freie.data(), flags.data(), worte.data(), konst.data(), text.data(), text2.data()};
    }
    MakroQuellen Quellen()
    {
        return MakroQuellen{dialog.data(), parameter.data(), typen.data(), anzahl, grad, maxPar, maxFit,
                            freie.data(), flags.data(), worte.data(), konst.data(), text2.data()};
    }
};

MakroSatz Lies(const std::string& zeilen)
{
    std::vector<MakroSatz> s;
    EXPECT_EQ(MakroTextLesen("Makro\n" + zeilen, s), MAKRO_SATZ) << zeilen;
    EXPECT_EQ(s.size(), 1u);
    return s.empty() ? MakroSatz() : s[0];
}

}  // namespace

TEST(MakroPlayerRules, RecordsOfTheEdgeCasesLandWhereTheFormatSays)
{
    // One replay of several records in a row; each row checks what the
    // globals hold after its record was put in.
    Globale g;
    MakroZiele z = g.Ziele();
    MakroSpielZustand zustand;

    // L = 0: the value after the command's own becomes one more dialog
    // value, and the parameters stay as they are.
    MakroSatz s = Lies("155,6.5,7.25,1.5\n3\n2\n1,7,0\n");
    EXPECT_FALSE(MakroSatzAnwenden(s, z, zustand));
    MakroSchrittGemerkt(s, g.anzahl, zustand);
    EXPECT_DOUBLE_EQ(g.dialog[0], 6.5);
    EXPECT_DOUBLE_EQ(g.dialog[1], 7.25);
    EXPECT_DOUBLE_EQ(g.dialog[2], 1.5);
    EXPECT_DOUBLE_EQ(g.dialog[3], -7.0);  // not cleared by the player
    EXPECT_DOUBLE_EQ(g.parameter[0], -3.0);
    EXPECT_EQ(g.maxPar, 3);
    EXPECT_EQ(g.maxFit, 2);
    EXPECT_EQ(g.anzahl, 1);
    EXPECT_EQ(g.typen[0], 7);
    EXPECT_EQ(g.typen[1], 99);  // beyond the count: untouched
    EXPECT_EQ(g.grad, 0);
    // Not a fit: tables 0..1198 reset, entry 1199 left alone.
    EXPECT_EQ(g.freie[1198], 1198);
    EXPECT_EQ(g.flags[1198], 0);
    EXPECT_EQ(g.worte[0], 0);
    EXPECT_DOUBLE_EQ(g.konst[5], 0.0);
    EXPECT_EQ(g.freie[1199], -5);
    EXPECT_EQ(g.flags[1199], 77);

    // A first fit takes its parameters, bounds and tables.
    s = Lies("507,50,1E-05,!,1.5,2.5,3.5\n2\n1\n2,1,3,1\n1,0,2\n0,2,0\n0, 9, 1, 8, 2, 7\n-1,0,-1\n0,1.25,0\n");
    EXPECT_TRUE(MakroSatzAnwenden(s, z, zustand));
    MakroSchrittGemerkt(s, g.anzahl, zustand);
    EXPECT_TRUE(zustand.FitGespielt);
    EXPECT_DOUBLE_EQ(g.parameter[1], 2.5);
    EXPECT_DOUBLE_EQ(g.parameter[501], 9.0);
    EXPECT_DOUBLE_EQ(g.parameter[504], 2.0);
    EXPECT_EQ(g.freie[0], 1);
    EXPECT_EQ(g.flags[1], 2);
    EXPECT_EQ(g.worte[1], 0);
    EXPECT_DOUBLE_EQ(g.konst[1], 1.25);

    // The fit changed its parameters; the next fit of the same id and
    // function count goes on from them, but reads its own tables.
    g.parameter[1] = 42.0;
    s = Lies("507,50,1E-05,!,1.5,-2.5,3.5\n2\n1\n2,1,3,1\n0,1,2\n0,0,0\n0, 5, 1, 6, 2, 7\n-1,-1,-1\n0,0,0\n");
    EXPECT_FALSE(MakroSatzAnwenden(s, z, zustand));
    MakroSchrittGemerkt(s, g.anzahl, zustand);
    EXPECT_DOUBLE_EQ(g.parameter[1], 42.0);
    EXPECT_DOUBLE_EQ(g.parameter[501], 5.0);
    EXPECT_EQ(g.freie[0], 0);
    EXPECT_EQ(g.flags[1], 0);

    // A 607 after any fit does not overwrite the fitted parameters.
    s = Lies("607,1,2,3,4,5,6,7,8,!,0,0,0\n2\n1\n2,1,3,1\n");
    EXPECT_FALSE(MakroSatzAnwenden(s, z, zustand));
    MakroSchrittGemerkt(s, g.anzahl, zustand);
    EXPECT_DOUBLE_EQ(g.parameter[1], 42.0);
    EXPECT_DOUBLE_EQ(g.dialog[7], 8.0);

    // 844 twice in a row: "true" first, "false" after; the text goes to
    // CommandText.
    for (const char* erwartet : {"true", "false"}) {
        s = Lies("844,1,2,3,4,5,!,1,2\n1\n1\n1,1,0\n0,1\n0,0\n0, 1, 0, 1\n-1,-1\n0,0\nref_a.xan ref_b.xan\n");
        MakroSatzAnwenden(s, z, zustand);
        MakroSchrittGemerkt(s, g.anzahl, zustand);
        EXPECT_STREQ(g.text2.data(), erwartet);
        EXPECT_STREQ(g.text.data(), "ref_a.xan ref_b.xan");
    }

    // 815 with value 10 at 0 or below reads no text; above 0 the text keeps
    // the line feed of its file line.
    std::strcpy(g.text2.data(), "unchanged");
    s = Lies("815,3,14,0.05,1,0,0,0,0,0,0,0,0\n2\n1\n1,1,0\n");
    MakroSatzAnwenden(s, z, zustand);
    EXPECT_STREQ(g.text2.data(), "unchanged");
    s = Lies("815,3,14,0.05,1,0,0,0,0,0,0,1,0\n2\n1\n1,1,0\nC:\\w.dat\n");
    MakroSatzAnwenden(s, z, zustand);
    EXPECT_STREQ(g.text2.data(), "C:\\w.dat\n");

    // 837: the spline-section layout from index 1000 on.
    std::string layout;
    for (int i = 0; i < 30; ++i) layout += std::to_string(i + 1) + ", ";
    s = Lies("837,1,2,3,4,5,6,0\n0\n0\n1,20,0\n" + layout + "\n");
    MakroSatzAnwenden(s, z, zustand);
    EXPECT_DOUBLE_EQ(g.parameter[1000], 1.0);
    EXPECT_DOUBLE_EQ(g.parameter[1029], 30.0);
    EXPECT_DOUBLE_EQ(g.parameter[1030], -3.0);
}

TEST(MakroPlayerRules, RecordedStateComesBackThroughTheFile)
{
    // The recorder reads the globals of a finished fit; the file text goes
    // through the reader; the player puts it into fresh globals.
    Globale quelle;
    quelle.anzahl = 3;
    quelle.typen[0] = 1; quelle.typen[1] = 2; quelle.typen[2] = 54;
    quelle.grad = 2;
    quelle.maxPar = 6; quelle.maxFit = 4;
    for (int i = 0; i <= 6; ++i) {
        quelle.parameter[i] = 0.1 * (i + 1) - 0.35;
        quelle.parameter[500 + 2 * i] = -10.0 - i;
        quelle.parameter[501 + 2 * i] = 10.0 + i;
        quelle.freie[i] = 6 - i;
        quelle.flags[i] = i % 2 ? 2 : 0;
        quelle.worte[i] = i == 3 ? 0x401 : -1;
        quelle.konst[i] = i == 3 ? 2.5 : 0.0;
    }
    quelle.dialog[0] = 50;
    quelle.dialog[1] = 1e-5;
    MakroSatz s;
    ASSERT_EQ(MakroSatzAufnehmen(s, 507, 2, quelle.maxPar, quelle.Quellen()), MAKRO_SATZ);
    std::string text;
    ASSERT_EQ(MakroDateiText({s}, text), MAKRO_SATZ);

    std::vector<MakroSatz> gelesen;
    ASSERT_EQ(MakroTextLesen(text, gelesen), MAKRO_SATZ);
    ASSERT_EQ(gelesen.size(), 1u);
    Globale ziel;
    MakroZiele z = ziel.Ziele();
    MakroSpielZustand zustand;
    EXPECT_TRUE(MakroSatzAnwenden(gelesen[0], z, zustand));
    EXPECT_EQ(ziel.anzahl, 3);
    EXPECT_EQ(ziel.grad, 2);
    EXPECT_EQ(ziel.maxPar, 6);
    EXPECT_EQ(ziel.maxFit, 4);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(ziel.typen[i], quelle.typen[i]);
    for (int i = 0; i <= 6; ++i) {
        // "%.8G" keeps eight digits.
        EXPECT_NEAR(ziel.parameter[i], quelle.parameter[i], 1e-8) << i;
        EXPECT_DOUBLE_EQ(ziel.parameter[500 + 2 * i], quelle.parameter[500 + 2 * i]);
        EXPECT_DOUBLE_EQ(ziel.parameter[501 + 2 * i], quelle.parameter[501 + 2 * i]);
        EXPECT_EQ(ziel.freie[i], quelle.freie[i]);
        EXPECT_EQ(ziel.flags[i], quelle.flags[i]);
        EXPECT_EQ(ziel.worte[i], quelle.worte[i]);
        EXPECT_DOUBLE_EQ(ziel.konst[i], quelle.konst[i]);
    }
    EXPECT_DOUBLE_EQ(ziel.dialog[0], 50.0);
    EXPECT_DOUBLE_EQ(ziel.dialog[1], 1e-5);
}

TEST(MakroRecorder, TextsAreOneLineAndMissingBlocksRefuseTheRecord)
{
    Globale g;
    std::strcpy(g.text2.data(), "C:\\ref.xy\n");
    MakroSatz s;
    ASSERT_EQ(MakroSatzAufnehmen(s, 905, 5, 0, g.Quellen()), MAKRO_SATZ);
    EXPECT_EQ(s.Text, "C:\\ref.xy");
    std::string text;
    EXPECT_EQ(MakroSatzText(s, text), MAKRO_SATZ);

    MakroQuellen ohne = g.Quellen();
    ohne.FreieParameter = nullptr;
    EXPECT_EQ(MakroSatzAufnehmen(s, 507, 2, 3, ohne), MAKRO_UNGUELTIG);
    ohne = g.Quellen();
    ohne.FitParameter = nullptr;
    EXPECT_EQ(MakroSatzAufnehmen(s, 1, 0, 0, ohne), MAKRO_UNGUELTIG);
    // No parameter is needed when L is negative.
    EXPECT_EQ(MakroSatzAufnehmen(s, 19, 0, -1, ohne), MAKRO_SATZ);
    EXPECT_EQ(MakroSatzText(s, text), MAKRO_SATZ);
    EXPECT_EQ(text.substr(0, 3), "19\n");
}

TEST(MakroPlayerRules, PerColumnCoefficientsWeighTheSetsAndFixNegligiblePaths)
{
    // A FEFF refinement of one S0 function and three paths of four
    // parameters: parameter 0 is S0, paths 1..4, 5..8, 9..12; the set
    // weights are the last parameters, 13 and 14. Paths 1 and 2 belong to
    // set 2, path 3 to set 1.
    auto satz = [](int32_t saetze, int32_t flag) {
        MakroSatz s;
        s.Befehl = 807;
        s.FunktionsTypen = {25, 21, 21, 21};
        s.Feff.SatzAnzahl = saetze;
        s.Feff.SatzFlags.assign(saetze, 0);
        s.Feff.SatzFlags[0] = flag;
        s.Feff.SatzNummern = {2, 2, 1};
        return s;
    };
    // Line 1 is the name of the series file; here one that reads like the
    // line of column 2 and must not be taken for it.
    const std::string datei = "3 0.25 0.75.dxa\n1  0.5  0.5\n3  0.97  0.03\n4  0.01  0.99\n5  0.7\n";
    struct Fall {
        const char* name;
        int32_t saetze, flag, spalte;
        int32_t erwartet;
        double c1, c2;
    };
    const Fall faelle[] = {
        {"column 2 reads line 4, not the name line: set 2 negligible", 2, 1, 2, 2, 0.97, 0.03},
        {"column 3 reads line 5: set 1 negligible", 2, 1, 3, 2, 0.01, 0.99},
        {"column 0 reads line 2: both sets count", 2, 1, 0, 2, 0.5, 0.5},
        {"no line for the column", 2, 1, 7, 0, 0, 0},
        {"line with too few values", 2, 1, 4, 0, 0, 0},
        {"one set takes no coefficients", 1, 1, 2, 0, 0, 0},
        {"six sets take none either", 6, 1, 2, 0, 0, 0},
        {"bit 0 of the first set flag word clear", 2, 2, 2, 0, 0, 0},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        Globale g;
        g.anzahl = 4;
        g.grad = 0;
        for (int32_t i = 0; i < 4; ++i) g.typen[i] = i == 0 ? 25 : 21;
        g.maxPar = 14;
        g.maxFit = 14;
        for (int32_t i = 0; i < 15; ++i) {
            g.freie[i] = i;
            g.flags[i] = 0;
            g.worte[i] = 0;
        }
        g.flags[6] = 1;                 // already fixed
        g.flags[7] = 4;                 // correlated to parameter 3
        g.worte[7] = 0x100 | 3;
        g.flags[11] = 4;                // correlated through a negative word
        g.worte[11] = -1;
        g.freie[6] = 14;                // 6 has left the list, 14 took its place
        g.maxFit = 13;
        MakroZiele z = g.Ziele();
        const std::vector<int32_t> freieVorher(g.freie.begin(), g.freie.begin() + 15);
        const std::vector<int32_t> flagsVorher(g.flags.begin(), g.flags.begin() + 15);
        std::vector<double> c;
        ASSERT_EQ(MakroSpaltenKoeffizienten(satz(f.saetze, f.flag), datei.data(), datei.size(), f.spalte, z, &c),
                  f.erwartet);
        if (f.erwartet == 0) {
            EXPECT_EQ(g.parameter[13], -3.0);
            EXPECT_EQ(g.maxFit, 13);
            EXPECT_EQ(std::vector<int32_t>(g.flags.begin(), g.flags.begin() + 15), flagsVorher);
            EXPECT_EQ(std::vector<int32_t>(g.freie.begin(), g.freie.begin() + 15), freieVorher);
            continue;
        }
        EXPECT_EQ(g.parameter[13], f.c1);
        EXPECT_EQ(g.parameter[14], f.c2);
        EXPECT_EQ(c, (std::vector<double>{f.c1, f.c2}));
        // Which paths were fixed: those of a set below 0.05.
        std::vector<int32_t> fixiert;
        if (f.c2 < 0.05) fixiert = {1, 2, 3, 4, 5, 6, 7, 8};
        if (f.c1 < 0.05) fixiert = {9, 10, 11, 12};
        for (int32_t q = 0; q < 15; ++q) {
            const bool soll = std::find(fixiert.begin(), fixiert.end(), q) != fixiert.end();
            if (!soll) {
                EXPECT_EQ(g.flags[q], flagsVorher[q]) << q;
                continue;
            }
            EXPECT_TRUE(g.flags[q] & 1) << q;
            // Bit 0x8000 marks those that left the list; the one already
            // fixed and the correlated one keep their flags otherwise.
            const bool bleibt = q == 6 || q == 7;
            EXPECT_EQ((g.flags[q] & 0x8000) != 0, !bleibt) << q;
        }
        // The free list: exactly the free ones minus those taken out, each once.
        std::vector<int32_t> liste(g.freie.begin(), g.freie.begin() + g.maxFit + 1);
        std::sort(liste.begin(), liste.end());
        std::vector<int32_t> soll;
        for (int32_t q = 0; q < 15; ++q) {
            const bool raus = q == 6 ||
                              (std::find(fixiert.begin(), fixiert.end(), q) != fixiert.end() && q != 7);
            if (!raus) soll.push_back(q);
        }
        EXPECT_EQ(liste, soll);
    }
}
