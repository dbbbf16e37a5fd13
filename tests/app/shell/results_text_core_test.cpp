// Results log and history text: date lines, the text-mode file, trimming
// and the capacity of the history block.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "shell/results_text.h"

namespace {

// Thursday, 3 December 2026, 09:05:07.
std::tm Zeitpunkt()
{
    std::tm t = {};
    t.tm_year = 126;
    t.tm_mon = 11;
    t.tm_mday = 3;
    t.tm_wday = 4;
    t.tm_hour = 9;
    t.tm_min = 5;
    t.tm_sec = 7;
    return t;
}

const char ZEIT[] = "Thu Dec 03 09:05:07 2026";

std::string DateiBinaer(const std::string& pfad)
{
    std::ifstream ein(pfad, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(ein), std::istreambuf_iterator<char>());
}

// A block of kapazitaet bytes followed by guard bytes that must stay intact.
struct Block {
    explicit Block(size_t k, const std::string& inhalt = "") : kapazitaet(k), b(k + 32, '#')
    {
        std::memcpy(b.data(), inhalt.c_str(), inhalt.size() + 1);
    }
    char* p() { return b.data(); }
    std::string text() const { return std::string(b.data()); }
    bool waechterHeil() const
    {
        for (size_t i = kapazitaet; i < b.size(); ++i)
            if (b[i] != '#') return false;
        return true;
    }
    size_t kapazitaet;
    std::vector<char> b;
};

// A history of n characters whose halves can be told apart.
std::string Historie(size_t n)
{
    std::string h;
    for (size_t i = 0; i < n; ++i) h += static_cast<char>('a' + (i * 7) % 26);
    return h;
}

}  // namespace

TEST(ResultsText, DateLinesAndHeader)
{
    EXPECT_EQ(ZeitText24(Zeitpunkt()), ZEIT);
    EXPECT_EQ(ZeitText24(Zeitpunkt()).size(), 24u);
    EXPECT_EQ(HistorieZeitZeile(Zeitpunkt()),
              std::string("\r\n  Current date and time :   ") + ZEIT + " \r\n");
    EXPECT_EQ(LaengenZeile(31234), "Length  :  31234");
    EXPECT_EQ(FuerTextmodus("a\r\nb\n\rc\r\n"), "a\nb\n\rc\n");
}

// Written in text mode, so on disk every line ends in exactly one "\r\n".
TEST(ResultsText, LogFileInTextMode)
{
    const std::string pfad = "results_test.dat";
    ASSERT_TRUE(ErgebnisDateiNeu(pfad, Zeitpunkt()));
    ASSERT_TRUE(ErgebnisDateiAnhaengen(pfad, " --SECTION  from 1  to 2   - ( active : 1 )\r\n"));
    ASSERT_TRUE(ErgebnisDateiAnhaengen(pfad, "Integral :  4.5\r\n"));
    const std::string erwartet = std::string("Korlan-Results: \r\n\r\n  Current date and time :   ") + ZEIT +
                                 "\r\n \r\n --SECTION  from 1  to 2   - ( active : 1 )\r\nIntegral :  4.5\r\n";
    EXPECT_EQ(DateiBinaer(pfad), erwartet);

    // A fresh start forgets the previous run.
    ASSERT_TRUE(ErgebnisDateiNeu(pfad, Zeitpunkt()));
    EXPECT_EQ(DateiBinaer(pfad).find("SECTION"), std::string::npos);
    std::remove(pfad.c_str());

    EXPECT_FALSE(ErgebnisDateiAnhaengen("no_such_folder/results.dat", "x"));
    EXPECT_FALSE(ErgebnisDateiNeu("no_such_folder/results.dat", Zeitpunkt()));
}

TEST(ResultsText, BoundedCopyAndAppend)
{
    Block b(8, "abc");
    EXPECT_TRUE(BegrenztAnhaengen(b.p(), 8, "defg"));  // 7 characters and the NUL: fits
    EXPECT_EQ(b.text(), "abcdefg");
    EXPECT_FALSE(BegrenztAnhaengen(b.p(), 8, "h"));
    EXPECT_EQ(b.text(), "abcdefg");
    EXPECT_TRUE(b.waechterHeil());

    Block c(8);
    EXPECT_EQ(BegrenztKopieren(c.p(), 8, "0123456789"), 7u);
    EXPECT_EQ(c.text(), "0123456");
    EXPECT_EQ(BegrenztKopieren(c.p(), 8, "0123456789", 3), 3u);
    EXPECT_EQ(c.text(), "012");
    EXPECT_TRUE(c.waechterHeil());

    // A block without its NUL is ended at its last byte, not read past.
    Block d(4);
    std::memset(d.p(), 'x', 4);
    EXPECT_FALSE(BegrenztAnhaengen(d.p(), 4, "y"));
    EXPECT_EQ(d.text(), "xxx");
    EXPECT_TRUE(d.waechterHeil());
}

TEST(ResultsText, HistoryGrowsUntilTheTrimmingLength)
{
    Block b(ERGEBNIS_TEXTBLOCK, "\r\n  start");
    HistorieErgebnis e = HistorieAnhaengen(b.p(), b.kapazitaet, " --ZOOM", Zeitpunkt());
    EXPECT_EQ(b.text(), "\r\n  start\r\n --ZOOM");
    EXPECT_FALSE(e.gekuerzt || e.abgeschnitten || e.warnen);

    // History plus text exactly at the limit: kept whole.
    const std::string h = Historie(31000);
    const std::string t500(500, 'T');
    Block voll(ERGEBNIS_TEXTBLOCK, h);
    e = HistorieAnhaengen(voll.p(), voll.kapazitaet, t500.c_str(), Zeitpunkt());
    EXPECT_FALSE(e.gekuerzt);
    EXPECT_EQ(voll.text(), h + "\r\n" + t500);
}

TEST(ResultsText, HistoryLosesItsFirstHalfBeyondTheLimit)
{
    for (size_t n : {31000u, 31001u}) {  // even and odd lengths
        const std::string h = Historie(n);
        const std::string t(31501 - n, 'T');
        Block b(ERGEBNIS_TEXTBLOCK, h);
        HistorieErgebnis e = HistorieAnhaengen(b.p(), b.kapazitaet, t.c_str(), Zeitpunkt());
        EXPECT_TRUE(e.gekuerzt);
        EXPECT_FALSE(e.abgeschnitten);
        EXPECT_EQ(b.text(), h.substr(n / 2) + "\r\n" + HistorieZeitZeile(Zeitpunkt()) + "\r\n" + t) << n;
    }
}

TEST(ResultsText, WarningJustBeyondTheLimit)
{
    const struct {
        size_t summe;
        bool warnen;
    } faelle[] = {{31500, false}, {31800, false}, {31801, true}, {31999, true}, {32000, false}};
    for (const auto& f : faelle) {
        const std::string h = Historie(30000);
        const std::string t(f.summe - h.size(), 'T');
        Block b(ERGEBNIS_TEXTBLOCK, h);
        EXPECT_EQ(HistorieAnhaengen(b.p(), b.kapazitaet, t.c_str(), Zeitpunkt()).warnen, f.warnen)
            << f.summe;
    }
}

// The halving alone cannot keep a long text inside the block; the block's
// capacity decides what stays, and nothing is written past it.
TEST(ResultsText, HistoryNeverOverrunsItsBlock)
{
    const size_t K = 1000;
    const std::string h = Historie(500);
    // History, "\r\n", text and NUL fill the block exactly.
    const std::string genau(K - 500 - 2 - 1, 'T');
    Block b(K, h);
    HistorieErgebnis e = HistorieAnhaengen(b.p(), K, genau.c_str(), Zeitpunkt());
    EXPECT_FALSE(e.abgeschnitten);
    EXPECT_EQ(b.text(), h + "\r\n" + genau);
    EXPECT_TRUE(b.waechterHeil());

    // One character more: the oldest history character goes.
    const std::string eins = genau + "U";
    Block c(K, h);
    e = HistorieAnhaengen(c.p(), K, eins.c_str(), Zeitpunkt());
    EXPECT_TRUE(e.abgeschnitten);
    EXPECT_EQ(c.text(), h.substr(1) + "\r\n" + eins);
    EXPECT_TRUE(c.waechterHeil());

    // A text longer than the block keeps its beginning.
    const std::string riesig = std::string(K, 'A') + std::string(K, 'Z');
    Block d(K, h);
    e = HistorieAnhaengen(d.p(), K, riesig.c_str(), Zeitpunkt());
    EXPECT_TRUE(e.abgeschnitten);
    EXPECT_EQ(d.text(), ("\r\n" + riesig).substr(0, K - 1));
    EXPECT_TRUE(d.waechterHeil());

    // The program's own block: a half-full history and a whole CommandText.
    const std::string hh = Historie(31400);
    const std::string kommando(ERGEBNIS_TEXTBLOCK - 1, 'C');
    Block g(ERGEBNIS_TEXTBLOCK, hh);
    e = HistorieAnhaengen(g.p(), ERGEBNIS_TEXTBLOCK, kommando.c_str(), Zeitpunkt());
    EXPECT_TRUE(e.gekuerzt);
    EXPECT_TRUE(e.abgeschnitten);
    EXPECT_EQ(g.text().size(), ERGEBNIS_TEXTBLOCK - 1);
    EXPECT_TRUE(g.waechterHeil());
}
