// Macro files: the exact text of the records, reading them back, and the
// refusal of damaged files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "shell/macro_file.h"

namespace {

std::string Wiederholt(const std::string& s, int n)
{
    std::string r;
    for (int i = 0; i < n; ++i) r += s;
    return r;
}

// A small macro written by hand from the record layout: next curve, change
// borders, a command with no values, a fit with its five tables, the XAFS
// Fourier transform with and without its weighting file, the spline
// background with its 30-value layout, and an EXAFS refinement from two
// FEFF calculations.
std::string GoldenText()
{
    return "Makro\n"
           "1,0\n"
           "2\n"
           "2\n"
           "1,1,0\n"
           "155,6.5,7.25,0\n"
           "2\n"
           "2\n"
           "1,1,0\n"
           "19\n"
           "-1\n"
           "-1\n"
           "0,0\n"
           "507,1,0,!,1.5,6.54,3.2E-05\n"
           "2\n"
           "1\n"
           "1,1,0\n"
           "0,1,2\n"
           "0,2,1\n"
           "0, 0, 6.5, 7, 0, 0\n"
           "-1,-1,-1\n"
           "0,0,0\n"
           "815,3,14,0.05,1,0,0,0,0,0,0,1,0\n"
           "2\n"
           "1\n"
           "1,1,0\n"
           "C:\\data\\weights.dat\n"
           "815,3,14,0.05,1,0,0,0,0,0,0,0,0\n"
           "2\n"
           "1\n"
           "1,1,0\n"
           "837,0.5,1,2,0,0,0,!,1,0.5,0.25,0.125\n"
           "3\n"
           "3\n"
           "1,7,3\n"
           "1111, 4, 8979, 9000, 9100, 9300, " + Wiederholt("0, ", 24) + "\n"
           "807,4,!,0.9,8,2.55,0.003,0,4,3.6,0.005,1.5\n"
           "8\n"
           "7\n"
           "3,25,21,21,0\n"
           "0,1,2,3,4,5,6,7,8\n"
           "0,0,0,0,0,0,0,0,1\n"
           "0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2.5, 3.5, 0, 0, 0, 0, 0, 0\n"
           "-1,-1,-1,-1,-1,-1,-1,-1,-1\n"
           "0,0,0,0,0,0,0,0,0\n"
           "2\n"
           "C:\\feff\\cu\\files.dat\n"
           "C:\\feff\\cuo\\files.dat\n"
           "C:\\feff\\cu\\,C:\\feff\\cuo\\\n"
           "2\n"
           "1\n"
           "300\n"
           "-1\n"
           "0.6,0.4,0,0,0,0,0,0,0,0,0\n"
           "1,0,0,0,0,0,0,0,0,0,0\n"
           "3,7\n"
           "1,4\n"
           "1,2\n";
}

// The same macro built the way the recorder will: from dialog values, the
// parameter block and the fit tables.
std::vector<MakroSatz> GoldenSaetze()
{
    std::vector<double> fp(35000, 0.0);
    const int32_t gauss[] = {1};
    std::vector<MakroSatz> v;
    MakroSatz s;

    MakroBefehlSetzen(s, 1, nullptr, 0, fp.data(), 0);
    MakroModellSetzen(s, 2, 2, 1, gauss, 0);
    v.push_back(s);

    s = MakroSatz();
    const double grenzen[] = {6.5, 7.25};
    MakroBefehlSetzen(s, 155, grenzen, 2, fp.data(), 0);
    MakroModellSetzen(s, 2, 2, 1, gauss, 0);
    v.push_back(s);

    s = MakroSatz();
    MakroBefehlSetzen(s, 19, nullptr, 0, nullptr, -1);
    MakroModellSetzen(s, -1, -1, 0, gauss, 0);
    v.push_back(s);

    s = MakroSatz();
    const double fitWerte[] = {1.0, 0.0};
    fp[0] = 1.5;
    fp[1] = 6.54;
    fp[2] = 3.2e-5;
    fp[502] = 6.5;
    fp[503] = 7.0;
    const int32_t freie[] = {0, 1, 2};
    const uint32_t flags[] = {0, 2, 1};
    const int32_t worte[] = {-1, -1, -1};
    const double konst[] = {0, 0, 0};
    MakroBefehlSetzen(s, 507, fitWerte, 2, fp.data(), 2);
    MakroModellSetzen(s, 2, 1, 1, gauss, 0);
    MakroTabellenSetzen(s, 2, freie, flags, fp.data(), worte, konst);
    v.push_back(s);

    double ft[14] = {3, 14, 0.05, 1, 0, 0, 0, 0, 0, 0, 1};
    fp.assign(35000, 0.0);
    s = MakroSatz();
    MakroBefehlSetzen(s, 815, ft, 11, fp.data(), 0);
    MakroModellSetzen(s, 2, 1, 1, gauss, 0);
    s.Text = "C:\\data\\weights.dat";
    v.push_back(s);
    ft[10] = 0;
    s = MakroSatz();
    MakroBefehlSetzen(s, 815, ft, 11, fp.data(), 0);
    MakroModellSetzen(s, 2, 1, 1, gauss, 0);
    v.push_back(s);

    s = MakroSatz();
    const double spline[] = {0.5, 1, 2, 0, 0, 0};
    const int32_t poly[] = {7};
    fp[0] = 1;
    fp[1] = 0.5;
    fp[2] = 0.25;
    fp[3] = 0.125;
    const double layout[] = {1111, 4, 8979, 9000, 9100, 9300};
    for (int i = 0; i < 6; ++i) fp[1000 + i] = layout[i];
    MakroBefehlSetzen(s, 837, spline, 6, fp.data(), 3);
    MakroModellSetzen(s, 3, 3, 1, poly, 3);
    MakroSplineSetzen(s, fp.data());
    v.push_back(s);

    s = MakroSatz();
    fp.assign(35000, 0.0);
    const double pfade[] = {0.9, 8, 2.55, 0.003, 0, 4, 3.6, 0.005, 1.5};
    for (int i = 0; i < 9; ++i) fp[i] = pfade[i];
    fp[510] = 2.5;
    fp[511] = 3.5;
    const double dw[] = {4};
    const int32_t typen[] = {25, 21, 21};
    int32_t freie9[9], worte9[9];
    uint32_t flags9[9] = {0, 0, 0, 0, 0, 0, 0, 0, 1};
    double konst9[9] = {};
    for (int i = 0; i < 9; ++i) {
        freie9[i] = i;
        worte9[i] = -1;
    }
    MakroBefehlSetzen(s, 807, dw, 1, fp.data(), 8);
    MakroModellSetzen(s, 8, 7, 3, typen, 0);
    MakroTabellenSetzen(s, 8, freie9, flags9, fp.data(), worte9, konst9);
    MakroFeffTeil& f = s.Feff;
    f.Quelltexte = {"C:\\feff\\cu\\files.dat", "C:\\feff\\cuo\\files.dat"};
    f.Ordnerliste = "C:\\feff\\cu\\,C:\\feff\\cuo\\";
    f.SatzAnzahl = 2;
    f.SatzModus = 1;
    f.Messtemperatur = 300.0;
    f.PfadOption = -1;
    f.SatzKoeffizienten = {0.6, 0.4, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    f.SatzFlags = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    f.ListenPositionen = {3, 7};
    f.PfadNummern = {1, 4};
    f.SatzNummern = {1, 2};
    v.push_back(s);
    return v;
}

// Every kind of record the format has, with values that "%.8G" keeps exactly.
std::vector<MakroSatz> JedeArt()
{
    std::vector<MakroSatz> v;
    MakroSatz s;
    s.Befehl = 514;  // no values, L = 0: one value
    s.Werte = {0.0};
    v.push_back(s);

    s = MakroSatz();  // nothing at all: the line is the bare id
    s.Befehl = 18;
    s.MaxParameter = -1;
    s.MaxFitParameter = -1;
    v.push_back(s);

    s = MakroSatz();  // 607 from a data command: "!" without tables
    s.Befehl = 607;
    s.Werte = {1, 2, -3.5, 1e-300, 12345678, -0.0625, 7, 8};
    s.MitParametern = true;
    for (int i = 0; i <= 20; ++i) s.Parameter.push_back(i * 0.25 - 2);
    s.MaxParameter = 20;
    s.MaxFitParameter = 20;
    s.FunktionsTypen = {7};
    s.PolynomGrad = 19;
    v.push_back(s);

    s = MakroSatz();  // 14 values, the most a record holds
    s.Befehl = 506;
    for (int i = 0; i < 14; ++i) s.Werte.push_back(i + 0.5);
    v.push_back(s);

    s = MakroSatz();  // a fit with L = 0: one-entry tables, its value among the values
    s.Befehl = 507;
    s.Werte = {1, 0, 42.5};
    s.FunktionsTypen = {20};
    s.FreieParameter = {0};
    s.Flags = {static_cast<int32_t>(0x80000002u)};
    s.Grenzen = {-1e10, 1e10};
    s.KorrelationsWorte = {0x1100};
    s.KorrelationsKonstanten = {-2.25};
    v.push_back(s);

    s = MakroSatz();  // XANES fit: parameters without tables
    s.Befehl = 861;
    s.Werte = {1, 2, 3, 4};
    s.MitParametern = true;
    s.Parameter = {1, 2, 3};
    s.MaxParameter = 2;
    s.MaxFitParameter = 1;
    s.FunktionsTypen = {1, 1, 20};
    s.PolynomGrad = 2;
    v.push_back(s);

    s = MakroSatz();  // 905: reference file
    s.Befehl = 905;
    s.Werte = {1, 2, 3, 4, 5, 0};
    s.Text = "D:\\xrd\\si standard.raw";
    v.push_back(s);

    s = MakroSatz();  // 844: LC-XANES with its text and tables
    s.Befehl = 844;
    s.Werte = {5, 6, 7, 8, 9};
    s.MitParametern = true;
    s.Parameter = {0.3, 0.7};
    s.MaxParameter = 1;
    s.MaxFitParameter = 1;
    s.FunktionsTypen = {26, 26};
    s.FreieParameter = {0, 1};
    s.Flags = {2, 2};
    s.Grenzen = {0, 1, 0, 1};
    s.KorrelationsWorte = {-1, 0x4000};
    s.KorrelationsKonstanten = {0, 1};
    s.Text = "ref_a.mes,ref_b.mes, with blanks ";
    v.push_back(s);

    s = MakroSatz();  // 807 with an empty folder text and an empty FEFF list
    s.Befehl = 807;
    s.Werte = {1};
    s.MitParametern = true;
    s.Parameter = {1, 2};
    s.MaxParameter = 1;
    s.MaxFitParameter = 1;
    s.FunktionsTypen = {25};
    s.FreieParameter = {0, 1};
    s.Flags = {0, 0};
    s.Grenzen = {0, 0, 0, 0};
    s.KorrelationsWorte = {-1, -1};
    s.KorrelationsKonstanten = {0, 0};
    s.Feff.SatzKoeffizienten = std::vector<double>(11, 0.125);
    s.Feff.SatzFlags = std::vector<int32_t>(11, -3);
    s.Feff.Messtemperatur = 77.5;
    v.push_back(s);

    s = MakroSatz();  // 807 from experimental phases: a plain text tail
    s.Befehl = 807;
    s.Werte = {2};
    s.MitParametern = true;
    s.Parameter = {1, 2};
    s.MaxParameter = 1;
    s.FunktionsTypen = {15};
    s.FreieParameter = {1, 0};
    s.Flags = {0, 1};
    s.Grenzen = {0, 0, 0, 0};
    s.KorrelationsWorte = {-1, -1};
    s.KorrelationsKonstanten = {0, 0};
    s.Text = "cu_phase.dat";
    v.push_back(s);
    return v;
}

// The value the file keeps of v: eight significant digits.
double Acht(double v)
{
    char b[64];
    std::snprintf(b, sizeof b, "%.7E", v);
    return std::strtod(b, nullptr);
}

std::string TempName(const char* basis)
{
    return std::string("makro_test_") + basis + ".MAK";
}

}  // namespace

TEST(MakroDatei, GoldenTextFromTheLayout)
{
    std::string text;
    ASSERT_EQ(MakroDateiText(GoldenSaetze(), text), MAKRO_SATZ);
    EXPECT_EQ(text, GoldenText());

    // A text on a record whose layout has no text line is not written.
    std::vector<MakroSatz> mitText = GoldenSaetze();
    mitText[5].Text = "no weighting file: no tail";
    ASSERT_EQ(MakroDateiText(mitText, text), MAKRO_SATZ);
    EXPECT_EQ(text, GoldenText());

    std::vector<MakroSatz> gelesen;
    ASSERT_EQ(MakroTextLesen(GoldenText(), gelesen), MAKRO_SATZ);
    ASSERT_EQ(gelesen.size(), 8u);
    EXPECT_TRUE(gelesen == GoldenSaetze());
    // A few fields named outright, so that a fault shared by writer and
    // reader cannot hide behind the comparison above.
    EXPECT_EQ(gelesen[1].Werte, (std::vector<double>{6.5, 7.25, 0.0}));
    EXPECT_FALSE(gelesen[1].MitParametern);
    EXPECT_EQ(gelesen[3].Parameter[2], 3.2e-5);
    EXPECT_EQ(gelesen[3].Grenzen[3], 7.0);
    EXPECT_EQ(gelesen[4].Text, "C:\\data\\weights.dat");
    EXPECT_EQ(gelesen[5].Text, "");
    EXPECT_EQ(gelesen[6].SplineLayout.size(), 30u);
    EXPECT_EQ(gelesen[6].SplineLayout[2], 8979.0);
    EXPECT_EQ(gelesen[7].Feff.Quelltexte[1], "C:\\feff\\cuo\\files.dat");
    EXPECT_EQ(gelesen[7].Feff.SatzNummern, (std::vector<int32_t>{1, 2}));
}

TEST(MakroDatei, PlayerSkipsLinesThatStartNoRecord)
{
    std::string text = GoldenText();
    // Blank lines, a comment, a signed number and a leading blank between records.
    std::string einfuegen = "\n; recorded on the beamline\n-5,1\n 155,1,2\n\n";
    size_t nach = text.find("19\n");
    text.insert(nach, einfuegen);
    text += "\n\n";
    std::vector<MakroSatz> gelesen;
    ASSERT_EQ(MakroTextLesen(text, gelesen), MAKRO_SATZ);
    EXPECT_TRUE(gelesen == GoldenSaetze());

    // A copy that kept its carriage returns (read without text mode).
    std::string crlf;
    for (char c : GoldenText()) crlf += (c == '\n') ? std::string("\r\n") : std::string(1, c);
    gelesen.clear();
    ASSERT_EQ(MakroTextLesen(crlf, gelesen), MAKRO_SATZ);
    EXPECT_TRUE(gelesen == GoldenSaetze());
}

TEST(MakroDatei, RecordingHelpersFollowTheCallArguments)
{
    double dw[14];
    for (int i = 0; i < 14; ++i) dw[i] = i + 1;
    std::vector<double> fp(35000, 0.0);
    fp[0] = 99;
    MakroSatz s;
    // L = 0 with all 14 places taken: the extra value has no room.
    MakroBefehlSetzen(s, 506, dw, 14, fp.data(), 0);
    EXPECT_EQ(s.Werte.size(), 14u);
    EXPECT_EQ(s.Werte.back(), 14.0);
    MakroBefehlSetzen(s, 506, dw, 11, fp.data(), 0);
    EXPECT_EQ(s.Werte.size(), 12u);
    EXPECT_EQ(s.Werte.back(), 99.0);
    EXPECT_FALSE(s.MitParametern);
    MakroBefehlSetzen(s, 12, dw, 0, nullptr, -1);
    EXPECT_TRUE(s.Werte.empty());
    std::string t;
    s.MaxParameter = s.MaxFitParameter = 0;
    ASSERT_EQ(MakroSatzText(s, t), MAKRO_SATZ);
    EXPECT_EQ(t.substr(0, t.find('\n')), "12");
    // L beyond the smallest table is held to it.
    MakroBefehlSetzen(s, 507, dw, 2, fp.data(), 34000);
    EXPECT_EQ(s.Parameter.size(), static_cast<size_t>(MAKRO_MAX_PARAMETER));
}

TEST(MakroDatei, ReplayRuleForRecordedParameters)
{
    MakroSatz fit;
    fit.Befehl = 507;
    fit.FunktionsTypen = {1, 1};
    MakroSatz ordinate;
    ordinate.Befehl = 607;
    struct Fall {
        const MakroSatz* s;
        int32_t vorher, anzahl;
        bool fitGespielt, uebernehmen;
    };
    const Fall faelle[] = {
        {&fit, 0, 0, false, true},      // first fit: recorded start values
        {&fit, 507, 2, true, false},    // repeated fit, same model: goes on from the result
        {&fit, 507, 3, true, true},     // repeated fit, other model
        {&fit, 807, 2, true, true},     // after another fit command
        {&ordinate, 0, 0, false, true},
        {&ordinate, 1, 1, true, false},  // never over a fitted result
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(MakroParameterUebernehmen(*f.s, f.vorher, f.anzahl, f.fitGespielt), f.uebernehmen)
            << f.s->Befehl << " after " << f.vorher;
}

// Written record by record through the file, as the recorder appends them.
TEST(MakroDatei, EveryKindOfRecordSurvivesTheFile)
{
    const std::string pfad = TempName("jede_art");
    ASSERT_EQ(MakroDateiAnlegen(pfad), MAKRO_SATZ);
    std::vector<MakroSatz> alle = JedeArt();
    for (const MakroSatz& s : GoldenSaetze()) alle.push_back(s);
    for (const MakroSatz& s : alle) ASSERT_EQ(MakroSatzAnhaengen(pfad, s), MAKRO_SATZ);

    std::vector<MakroSatz> gelesen;
    ASSERT_EQ(MakroDateiLesen(pfad, gelesen), MAKRO_SATZ);
    ASSERT_EQ(gelesen.size(), alle.size());
    for (size_t i = 0; i < alle.size(); ++i) EXPECT_TRUE(gelesen[i] == alle[i]) << "record " << i;

    // Starting anew drops the old records.
    ASSERT_EQ(MakroDateiAnlegen(pfad), MAKRO_SATZ);
    ASSERT_EQ(MakroDateiLesen(pfad, gelesen), MAKRO_SATZ);
    EXPECT_TRUE(gelesen.empty());
    std::remove(pfad.c_str());
}

TEST(MakroDatei, EightSignificantDigits)
{
    MakroSatz s;
    s.Befehl = 501;
    s.Werte = {1.234567891, -9.87654321e-12, 1e100, 0.1};
    std::string t;
    ASSERT_EQ(MakroSatzText(s, t), MAKRO_SATZ);
    EXPECT_EQ(t.substr(0, t.find('\n')), "501,1.2345679,-9.8765432E-12,1E+100,0.1");
    // Three-digit exponents of older runtimes read as well.
    std::vector<MakroSatz> g;
    ASSERT_EQ(MakroTextLesen("Makro\n501,1E-005,2.5E+010\n0\n0\n0,0\n", g), MAKRO_SATZ);
    EXPECT_EQ(g[0].Werte, (std::vector<double>{1e-5, 2.5e10}));
}

// Tables of hundreds of parameters give lines far beyond the old 5,000 and
// 10,000-byte line buffers.
TEST(MakroDatei, LongParameterTablesRoundTrip)
{
    const int32_t n = 900;
    std::vector<double> fp(35000, 0.0);
    std::vector<int32_t> freie(n), worte(n);
    std::vector<uint32_t> flags(n);
    std::vector<double> konst(n);
    for (int32_t i = 0; i < n; ++i) {
        fp[i] = -1.2345678e-5 * (i + 1);
        fp[500 + 2 * i] = -(i + 0.125) * 1e-3;  // overlaps the values from 250 on, as in the block
        fp[501 + 2 * i] = 1.7654321e7 + i;
        freie[i] = n - 1 - i;
        flags[i] = (i % 3 == 0) ? 0x8001u : 2u;
        worte[i] = (i % 5 == 0) ? (0x4100 | (i % 256)) : -1;
        konst[i] = Acht(3.3333333e-7 * i);
    }
    for (double& w : fp) w = Acht(w);
    const double dw[] = {1, 0};
    const int32_t typen[] = {21, 21, 22};
    MakroSatz s;
    MakroBefehlSetzen(s, 807, dw, 2, fp.data(), n - 1);
    MakroModellSetzen(s, n - 1, n - 2, 3, typen, 0);
    MakroTabellenSetzen(s, n - 1, freie.data(), flags.data(), fp.data(), worte.data(), konst.data());
    s.Text = std::string(MAKRO_TEXT_KAPAZITAET - 2, 'x');  // the longest text CommandText2 takes

    std::string text;
    ASSERT_EQ(MakroDateiText({s, s}, text), MAKRO_SATZ);
    size_t laengste = 0;
    std::istringstream zeilen(text);
    for (std::string z; std::getline(zeilen, z);) laengste = std::max(laengste, z.size());
    EXPECT_GT(laengste, 10000u);

    const std::string pfad = TempName("lang");
    {
        std::ofstream aus(pfad);
        aus << text;
    }
    std::vector<MakroSatz> gelesen;
    ASSERT_EQ(MakroDateiLesen(pfad, gelesen), MAKRO_SATZ);
    ASSERT_EQ(gelesen.size(), 2u);
    EXPECT_TRUE(gelesen[0] == s);
    EXPECT_TRUE(gelesen[1] == s);
    EXPECT_EQ(gelesen[0].Parameter.size(), static_cast<size_t>(n));
    EXPECT_EQ(gelesen[0].Grenzen[2 * n - 1], 1.7654321e7 + n - 1);
    EXPECT_EQ(static_cast<uint32_t>(gelesen[0].Flags[3]), 0x8001u);
    std::remove(pfad.c_str());
}

TEST(MakroDatei, DamagedFilesAreRefusedWithACode)
{
    const std::string vier = "2\n2\n1,1,0\n";  // lines 2 to 4 of a sound record
    const std::string tabellen = "0,1\n0,0\n0, 0, 0, 0\n-1,-1\n0,0\n";
    const std::string feffKopf =
        "807,1,!,1,2\n1\n1\n1,25,0\n" + tabellen;
    const std::string feffRest = "folders\n1\n0\n300\n0\n0,0,0,0,0,0,0,0,0,0,0\n0,0,0,0,0,0,0,0,0,0,0\n\n\n\n";
    struct Fall {
        const char* name;
        std::string text;
        int32_t code;
        int32_t zeile;  // 0: not checked
    };
    const Fall faelle[] = {
        {"empty file", "", MAKRO_KEINE_MAKRODATEI, 0},
        {"other first line", "Makros\n1,0\n" + vier, MAKRO_KEINE_MAKRODATEI, 1},
        {"lower case", "makro\n", MAKRO_KEINE_MAKRODATEI, 1},
        {"blank before", " Makro\n", MAKRO_KEINE_MAKRODATEI, 1},
        {"no line 2", "Makro\n155,1,2\n", MAKRO_ABGESCHNITTEN, 2},
        {"no model line", "Makro\n155,1,2\n2\n2\n", MAKRO_ABGESCHNITTEN, 4},
        {"tables missing", "Makro\n507,1,!,1,2\n1\n1\n1,1,0\n0,1\n0,0\n", MAKRO_ABGESCHNITTEN, 7},
        {"text tail missing", "Makro\n905,1,2\n" + vier, MAKRO_ABGESCHNITTEN, 5},
        {"spline tail missing", "Makro\n837,1\n" + vier, MAKRO_ABGESCHNITTEN, 5},
        {"FEFF file lines missing", feffKopf + "3\na\nb\n", MAKRO_ABGESCHNITTEN, 0},
        {"FEFF block cut short", feffKopf + "0\nfolders\n1\n0\n", MAKRO_ABGESCHNITTEN, 0},
        {"15 dialog values", "Makro\n506" + Wiederholt(",1", 15) + "\n" + vier, MAKRO_ZU_GROSS, 2},
        {"5001 parameters", "Makro\n607,!" + Wiederholt(",1", 5001) + "\n" + vier, MAKRO_ZU_GROSS, 2},
        {"huge MaxParameter", "Makro\n1,0\n100000\n2\n1,1,0\n", MAKRO_ZU_GROSS, 3},
        {"negative MaxFitParameter", "Makro\n1,0\n2\n-7\n1,1,0\n", MAKRO_ZU_GROSS, 4},
        {"huge function count", "Makro\n1,0\n2\n2\n99999,1,0\n", MAKRO_ZU_GROSS, 5},
        {"negative function count", "Makro\n1,0\n2\n2\n-1,0\n", MAKRO_ZU_GROSS, 5},
        {"250 parameters", "Makro\n1,0\n249\n249\n84" + Wiederholt(",1", 84) + ",0\n", MAKRO_ZU_GROSS, 5},
        {"51 parameters behind a Victoreen", "Makro\n1,0\n50\n50\n2,20,7,47\n", MAKRO_ZU_GROSS, 5},
        {"function count beyond its codes", "Makro\n1,0\n2\n2\n3,1,0\n", MAKRO_UNGUELTIG, 5},
        {"codes beyond the count", "Makro\n1,0\n2\n2\n1,1,1,1,0\n", MAKRO_UNGUELTIG, 5},
        {"model line empty", "Makro\n1,0\n2\n2\n\n", MAKRO_UNGUELTIG, 5},
        {"5001 free entries", "Makro\n507,1,!,1,2\n1\n1\n1,1,0\n0" + Wiederholt(",1", 5000) + "\n",
         MAKRO_ZU_GROSS, 6},
        {"odd bounds", "Makro\n507,1,!,1,2\n1\n1\n1,1,0\n0,1\n0,0\n0, 0, 0\n-1,-1\n0,0\n",
         MAKRO_UNGUELTIG, 8},
        {"31 spline values", "Makro\n837,1\n" + vier + Wiederholt("1, ", 31) + "\n", MAKRO_ZU_GROSS, 6},
        {"carriage return inside a text", "Makro\n905,1\n" + vier + "C:\\a\rb.dat\n", MAKRO_UNGUELTIG, 6},
        {"text beyond CommandText2",
         "Makro\n905,1\n" + vier + std::string(MAKRO_TEXT_KAPAZITAET - 1, 'a') + "\n", MAKRO_ZU_GROSS, 6},
        {"101 FEFF files", feffKopf + "101\n", MAKRO_ZU_GROSS, 0},
        {"FEFF file text too long", feffKopf + "1\n" + std::string(200, 'p') + "\n", MAKRO_ZU_GROSS, 0},
        {"12 set coefficients",
         feffKopf + "0\nfolders\n1\n0\n300\n0\n" + Wiederholt("0,", 11) + "0\n", MAKRO_ZU_GROSS, 0},
        {"101 path numbers",
         feffKopf + "0\nfolders\n1\n0\n300\n0\n0\n0\n" + Wiederholt("1,", 100) + "1\n\n\n",
         MAKRO_ZU_GROSS, 0},
        {"value not a number", "Makro\n155,1.5x,2\n" + vier, MAKRO_UNGUELTIG, 2},
        {"empty value", "Makro\n155,1,,2\n" + vier, MAKRO_UNGUELTIG, 2},
        {"id not a number", "Makro\n15a,1\n" + vier, MAKRO_UNGUELTIG, 2},
        {"id beyond a command word", "Makro\n70000\n" + vier, MAKRO_UNGUELTIG, 2},
        {"parameter not a number", "Makro\n607,1,!,1,zwei\n" + vier, MAKRO_UNGUELTIG, 2},
        {"MaxParameter as text", "Makro\n1,0\nabc\n2\n1,1,0\n", MAKRO_UNGUELTIG, 3},
        {"MaxParameter as a fraction", "Makro\n1,0\n2.5\n2\n1,1,0\n", MAKRO_UNGUELTIG, 3},
        {"MaxParameter empty", "Makro\n1,0\n\n2\n1,1,0\n", MAKRO_UNGUELTIG, 3},
        {"type code as text", "Makro\n1,0\n2\n2\n2,1,x,0\n", MAKRO_UNGUELTIG, 5},
        {"flag beyond 32 bits", "Makro\n507,1,!,1,2\n1\n1\n1,1,0\n0,1\n0,99999999999\n", MAKRO_UNGUELTIG, 7},
        {"flag in hex", "Makro\n507,1,!,1,2\n1\n1\n1,1,0\n0,1\n0,0x10\n", MAKRO_UNGUELTIG, 7},
        {"bound as text", "Makro\n507,1,!,1,2\n1\n1\n1,1,0\n0,1\n0,0\n0, 0, low, 0\n", MAKRO_UNGUELTIG, 8},
        {"temperature as text", feffKopf + "0\nfolders\n1\n0\nwarm\n", MAKRO_UNGUELTIG, 0},
        {"second record damaged", "Makro\n1,0\n" + vier + "155,1\n2\nx\n1,1,0\n", MAKRO_UNGUELTIG, 8},
    };
    for (const Fall& f : faelle) {
        std::string text = f.text;
        if (text.compare(0, 3, "807") == 0) text = "Makro\n" + text;
        std::vector<MakroSatz> saetze(1);
        saetze[0].Befehl = 4242;  // must survive a refusal
        int32_t zeile = -1;
        EXPECT_EQ(MakroTextLesen(text, saetze, &zeile), f.code) << f.name;
        ASSERT_EQ(saetze.size(), 1u) << f.name;
        EXPECT_EQ(saetze[0].Befehl, 4242) << f.name;
        if (f.zeile) {
            EXPECT_EQ(zeile, f.zeile) << f.name;
        }
    }
    // The largest models that fit the parameter block are read.
    std::vector<MakroSatz> gross;
    EXPECT_EQ(MakroTextLesen("Makro\n1,0\n248\n248\n83" + Wiederholt(",1", 83) + ",0\n", gross), MAKRO_SATZ);
    EXPECT_EQ(MakroTextLesen("Makro\n1,0\n49\n49\n2,20,7,46\n", gross), MAKRO_SATZ);
    // A spline background holds its knots beside the first 49 parameters.
    EXPECT_EQ(MakroTextLesen("Makro\n1,0\n48\n48\n2,53,21,0\n", gross), MAKRO_SATZ);
    EXPECT_EQ(MakroTextLesen("Makro\n1,0\n49\n49\n2,53,21,0\n", gross), MAKRO_ZU_GROSS);
    // The FEFF frame itself is sound: only the damage above is refused.
    std::vector<MakroSatz> g;
    EXPECT_EQ(MakroTextLesen("Makro\n" + feffKopf + "0\n" + feffRest, g), MAKRO_SATZ);
}

TEST(MakroDatei, RecordByRecordStopsAtTheDamage)
{
    std::istringstream ein("Makro\n1,0\n2\n2\n1,1,0\n19\n-1\n-1\n0,0\n155,1\n2\n");
    MakroLeser leser(ein);
    ASSERT_EQ(leser.Kopf(), MAKRO_SATZ);
    MakroSatz s;
    ASSERT_EQ(leser.Naechster(s), MAKRO_SATZ);
    EXPECT_EQ(s.Befehl, 1);
    ASSERT_EQ(leser.Naechster(s), MAKRO_SATZ);
    EXPECT_EQ(s.Befehl, 19);
    EXPECT_EQ(leser.Naechster(s), MAKRO_ABGESCHNITTEN);
    EXPECT_EQ(s.Befehl, 19);  // untouched
    EXPECT_EQ(leser.Zeile(), 11);
}

TEST(MakroDatei, WriterRefusesWhatTheReaderWouldRefuse)
{
    MakroSatz s;
    s.Befehl = 905;
    s.Text = "two\nlines";
    std::string t = "unchanged";
    EXPECT_EQ(MakroSatzText(s, t), MAKRO_UNGUELTIG);
    EXPECT_TRUE(t.empty());
    s.Text = std::string(MAKRO_TEXT_KAPAZITAET - 1, 'a');
    EXPECT_EQ(MakroSatzText(s, t), MAKRO_ZU_GROSS);
    s.Text.clear();
    s.Werte.assign(15, 1.0);
    EXPECT_EQ(MakroSatzText(s, t), MAKRO_ZU_GROSS);
    s.Werte.clear();
    s.Befehl = 507;
    s.Grenzen = {1, 2, 3};
    EXPECT_EQ(MakroSatzText(s, t), MAKRO_UNGUELTIG);

    const std::string pfad = TempName("verweigert");
    ASSERT_EQ(MakroDateiAnlegen(pfad), MAKRO_SATZ);
    EXPECT_EQ(MakroSatzAnhaengen(pfad, s), MAKRO_UNGUELTIG);
    std::vector<MakroSatz> g;
    ASSERT_EQ(MakroDateiLesen(pfad, g), MAKRO_SATZ);
    EXPECT_TRUE(g.empty());  // nothing half-written
    std::remove(pfad.c_str());

    EXPECT_EQ(MakroDateiLesen("no_such_folder/x.MAK", g), MAKRO_DATEIFEHLER);
    EXPECT_EQ(MakroDateiAnlegen("no_such_folder/x.MAK"), MAKRO_DATEIFEHLER);
}
