// Topics of the help files: header lines, topic text, the bound of the text
// block, and the shipped files.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "shell/help_viewer.h"

namespace {

// An open temporary file holding text.
struct TempDatei {
    std::FILE* f;
    explicit TempDatei(const std::string& text) : f(std::tmpfile())
    {
        std::fputs(text.c_str(), f);
        std::rewind(f);
    }
    ~TempDatei() { std::fclose(f); }
};

std::string Thema(const std::string& datei, int32_t thema, size_t groesse = 1000, bool* gefunden = nullptr)
{
    TempDatei d(datei);
    std::vector<char> text(groesse);
    const bool g = HilfeThemaLesen(d.f, thema, text.data(), text.size());
    if (gefunden) *gefunden = g;
    return text.data();
}

const std::string DATEI =
    "preamble line\n"
    "   0#  general\n"
    "zero text\n"
    "  12#  twelve\n"
    "first line of twelve\n"
    "second line\n"
    "   1#  one\n"
    "one text\n"
    " 120#  last\n"
    "end line without line feed";

}  // namespace

TEST(HelpHeader, NumberBeforeTheHashInTheFifthPlace)
{
    struct Fall {
        const char* zeile;
        bool kopf;
        int32_t thema;
    } faelle[] = {
        {"  12#", true, 12}, {"  12#  title", true, 12}, {"9999#", true, 9999}, {"   0#", true, 0},
        {"  -1#", true, -1}, {" 12#", false, 0},  {"12#", false, 0},          {"   12#", false, 0},
        {"", false, 0},      {"text with # later", false, 0},
    };
    for (const Fall& f : faelle) {
        int32_t thema = -99;
        EXPECT_EQ(HilfeKopf(f.zeile, &thema), f.kopf) << f.zeile;
        if (f.kopf) {
            EXPECT_EQ(thema, f.thema) << f.zeile;
        }
    }
}

TEST(HelpTopic, TextRunsToTheNextHeaderOrTheEnd)
{
    bool gefunden = false;
    EXPECT_EQ(Thema(DATEI, 12, 1000, &gefunden), "\r\nfirst line of twelve\r\nsecond line\r\n");
    EXPECT_TRUE(gefunden);
    // Topic 0 is an ordinary topic; topic 1 is not the start of "12".
    EXPECT_EQ(Thema(DATEI, 0), "\r\nzero text\r\n");
    EXPECT_EQ(Thema(DATEI, 1), "\r\none text\r\n");
    EXPECT_EQ(Thema(DATEI, 120), "\r\nend line without line feed\r\n");
    // A missing topic shows "\r\n".
    EXPECT_EQ(Thema(DATEI, 7, 1000, &gefunden), "\r\n");
    EXPECT_FALSE(gefunden);
    EXPECT_EQ(Thema("", 7), "\r\n");
}

TEST(HelpTopic, ALongTopicIsCutAtALineEndInsideItsBlock)
{
    std::string datei = "   5#\n";
    for (int i = 0; i < 5000; ++i) datei += "line " + std::to_string(i) + " of a long help topic\n";
    // "\r\n" + "line 0 of a long help topic\r\n" (29) + "line 1 ..." (29): 60 bytes, the
    // third line no longer fits into 64.
    EXPECT_EQ(Thema(datei, 5, 64), "\r\nline 0 of a long help topic\r\nline 1 of a long help topic\r\n");
    const std::string gross = Thema(datei, 5, 60000);
    EXPECT_LT(gross.size(), 60000u);
    EXPECT_EQ(gross.substr(gross.size() - 2), "\r\n");
    EXPECT_EQ(Thema(datei, 5, 3), "\r\n");
}

TEST(HelpFiles, BothLanguagesHaveTheSameTopicsAndShortLines)
{
    std::vector<int32_t> themen[2];
    const char* namen[2] = {"n_engl.hlp", "n_german.hlp"};
    for (int s = 0; s < 2; ++s) {
        const std::string pfad = std::string(KORLAN_TEST_DIR "/../app/resources/program/") + namen[s];
        std::FILE* f = std::fopen(pfad.c_str(), "rt");
        ASSERT_NE(f, nullptr) << pfad;
        char zeile[400];
        int nr = 0;
        while (std::fgets(zeile, sizeof zeile, f)) {
            ++nr;
            EXPECT_LE(std::string(zeile).find('\n'), static_cast<size_t>(HILFE_ZEILE)) << namen[s] << ":" << nr;
        }
        std::rewind(f);
        themen[s] = HilfeThemen(f);
        std::fclose(f);
    }
    EXPECT_EQ(themen[0], themen[1]);
    EXPECT_STREQ(HilfeDateiName(1), "n_german.hlp");
    EXPECT_STREQ(HilfeDateiName(0), "n_engl.hlp");
}
