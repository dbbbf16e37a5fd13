// Settings files of the program folder: every file read from missing,
// empty, over-long and well-formed contents.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "shell/settings.h"

namespace {

// A temporary file holding text, positioned at its start; null for "missing".
struct Datei {
    std::FILE* f = nullptr;
    explicit Datei(const char* inhalt)
    {
        if (!inhalt) return;
        f = std::tmpfile();
        std::fputs(inhalt, f);
        std::rewind(f);
    }
    ~Datei() { if (f) std::fclose(f); }
};

}  // namespace

TEST(XasERangeFile, MissingEmptyGarbageAndNumber)
{
    const struct { const char* inhalt; double erwartet; } faelle[] = {
        {nullptr, 40.0}, {"", 40.0}, {"abc\n", 40.0}, {"45", 45.0}, {"45\n", 45.0},
        {"  12.5e0 keV\n", 12.5},
    };
    for (const auto& fall : faelle) {
        Datei d(fall.inhalt);
        EXPECT_DOUBLE_EQ(LeseXasERange(d.f), fall.erwartet) << (fall.inhalt ? fall.inhalt : "(missing)");
    }
    // A first line far longer than any number still yields the leading value.
    std::string lang = "33" + std::string(5000, ' ') + "\n";
    Datei d(lang.c_str());
    EXPECT_DOUBLE_EQ(LeseXasERange(d.f), 33.0);
}

TEST(BrowserFile, KeepsDefaultUnlessAPathIsThereAndCutsToTheBuffer)
{
    char pfad[400];
    std::strcpy(pfad, "C:\\test.exe");
    { Datei d(nullptr); LeseBrowserDat(d.f, pfad, sizeof pfad); }
    EXPECT_STREQ(pfad, "C:\\test.exe");
    { Datei d(""); LeseBrowserDat(d.f, pfad, sizeof pfad); }
    EXPECT_STREQ(pfad, "C:\\test.exe");
    { Datei d("C:\\Programs\\browser.exe"); LeseBrowserDat(d.f, pfad, sizeof pfad); }
    EXPECT_STREQ(pfad, "C:\\Programs\\browser.exe");

    // 1000 characters: 399 are kept, and the byte after the buffer is not
    // touched.
    struct { char pfad[400]; char waechter[8]; } puffer;
    std::memset(puffer.waechter, 'W', sizeof puffer.waechter);
    std::string lang(1000, 'x');
    { Datei d(lang.c_str()); LeseBrowserDat(d.f, puffer.pfad, sizeof puffer.pfad); }
    EXPECT_EQ(std::strlen(puffer.pfad), 399u);
    EXPECT_EQ(std::string(puffer.waechter, 8), "WWWWWWWW");
}

TEST(XrdIniFile, LinesThatAreThereReplaceTheirValues)
{
    const struct {
        const char* inhalt;
        double lambda, profil[3];
    } faelle[] = {
        {nullptr, 154.2, {0.2, 0.2, 0.0}},
        {"", 154.2, {0.2, 0.2, 0.0}},
        {"70.93\n", 70.93, {0.2, 0.2, 0.0}},
        {"154.06\n0.05\n0.3\n0.7\n", 154.06, {0.05, 0.3, 0.7}},
        {"154.06\nnone\n0.3\n", 154.06, {0.2, 0.3, 0.0}},
    };
    for (const auto& fall : faelle) {
        double lambda = 154.2, profil[3] = {0.2, 0.2, 0.0};
        Datei d(fall.inhalt);
        LeseXrdIni(d.f, &lambda, profil);
        SCOPED_TRACE(fall.inhalt ? fall.inhalt : "(missing)");
        EXPECT_DOUBLE_EQ(lambda, fall.lambda);
        for (int i = 0; i < 3; ++i) EXPECT_DOUBLE_EQ(profil[i], fall.profil[i]);
    }
    // An over-long first line does not spill into the next value.
    std::string lang = "100.5" + std::string(300, ' ') + "9\n0.1\n0.2\n0.3\n";
    double lambda = 0, profil[3] = {};
    Datei d(lang.c_str());
    LeseXrdIni(d.f, &lambda, profil);
    EXPECT_DOUBLE_EQ(lambda, 100.5);
    EXPECT_DOUBLE_EQ(profil[0], 0.1);
    EXPECT_DOUBLE_EQ(profil[2], 0.3);
}

class NumericIns : public ::testing::Test {
protected:
    char x[5000] = {}, y[5000] = {}, titel[5000] = {};
    SCHRIFT_PROFIL p[2] = {};
    int32_t aktiv = 2;
    void Lies(const char* inhalt)
    {
        Datei d(inhalt);
        LeseNumericIns(d.f, x, y, titel, sizeof x, p, &aktiv);
    }
    void ErwarteVorgaben()
    {
        const int32_t eins[10] = {0, 14, 14, 14, 14, 1, 1, 1, 1, 1};
        const int32_t zwei[10] = {0, 30, 30, 30, 30, 2, 2, 1, 1, 0};
        for (int i = 0; i < 10; ++i) {
            EXPECT_EQ(p[0].Wert[i], eins[i]) << i;
            EXPECT_EQ(p[1].Wert[i], zwei[i]) << i;
        }
    }
};

TEST_F(NumericIns, MissingOrEmptyFileGivesDefaultProfiles)
{
    Lies(nullptr);
    ErwarteVorgaben();
    EXPECT_EQ(aktiv, 1);
    EXPECT_STREQ(x, "");
    aktiv = 2;
    Lies("");
    ErwarteVorgaben();
    EXPECT_EQ(aktiv, 1);
}

TEST_F(NumericIns, WellFormedFileFillsListsAndBothProfiles)
{
    std::string zeile4;
    for (int k = 0; k < 30; ++k) zeile4 += std::to_string(k < 15 ? 20 + k : 40 + k) + ",";
    std::string inhalt = "E [keV]#k [1/A]\nmu(E)#chi(k)\nCu foil\n" + zeile4 + "\n";
    Lies(inhalt.c_str());
    EXPECT_STREQ(x, "E [keV]#k [1/A]");
    EXPECT_STREQ(y, "mu(E)#chi(k)");
    EXPECT_STREQ(titel, "Cu foil");
    // Profile 1 index 1 = 21 and profile 2 index 2 = 57 both lie in 1..59.
    for (int k = 0; k < 15; ++k) EXPECT_EQ(p[0].Wert[k], 20 + k);
    for (int k = 0; k < 15; ++k) EXPECT_EQ(p[1].Wert[k], 55 + k);
}

TEST_F(NumericIns, ProfileChecksFollowTheEdgeCases)
{
    // Only two values: profile 2 index 2 stays 0, so both get the defaults.
    Lies("a\nb\nc\n14,14,\n");
    ErwarteVorgaben();
    EXPECT_STREQ(x, "a");

    // A fourth line beginning with a blank is ignored.
    Lies("a\nb\nc\n 20,20,20,20,20,20,20,20,20,20,20,20,20,20,20,20,20,20,20,20,20,20,20,20,20,20,20,20,20,20,\n");
    ErwarteVorgaben();

    // 59 is accepted, 60 forces the defaults; indexes 10-14 survive either way.
    auto profilZeile = [](int a, int b) {
        std::string s;
        for (int k = 0; k < 30; ++k) s += std::to_string(k == 1 ? a : k == 17 ? b : 7) + ",";
        return "x\ny\nt\n" + s + "\n";
    };
    Lies(profilZeile(59, 59).c_str());
    EXPECT_EQ(p[0].Wert[1], 59);
    EXPECT_EQ(p[1].Wert[2], 59);
    Lies(profilZeile(60, 59).c_str());
    ErwarteVorgaben();
    EXPECT_EQ(p[0].Wert[12], 7);
    Lies(profilZeile(59, 60).c_str());
    ErwarteVorgaben();
}

TEST_F(NumericIns, OverLongListLinesAreCutAtTheListAndDoNotShiftTheOthers)
{
    struct { char liste[5000]; char waechter[8]; } puffer;
    std::memset(puffer.waechter, 'W', sizeof puffer.waechter);
    std::string lang(8000, 'q');
    std::string inhalt = lang + "\nY\nT\n14,14,\n";
    Datei d(inhalt.c_str());
    LeseNumericIns(d.f, puffer.liste, y, titel, sizeof puffer.liste, p, &aktiv);
    EXPECT_EQ(std::strlen(puffer.liste), 4999u);
    EXPECT_EQ(std::string(puffer.waechter, 8), "WWWWWWWW");
    EXPECT_STREQ(y, "Y");
    EXPECT_STREQ(titel, "T");
}

TEST_F(NumericIns, WriterAndReaderAgree)
{
    SchriftProfilVorgaben(p);
    p[0].Wert[12] = -3;
    p[1].Wert[14] = 99;
    std::FILE* f = std::tmpfile();
    SchreibeNumericIns(f, "X1#X2", "Y1", "", p);
    std::rewind(f);
    SCHRIFT_PROFIL q[2] = {};
    char a[5000] = "old", b[5000] = "old", c[5000] = "old";
    LeseNumericIns(f, a, b, c, sizeof a, q, &aktiv);
    std::fclose(f);
    EXPECT_STREQ(a, "X1#X2");
    EXPECT_STREQ(b, "Y1");
    EXPECT_STREQ(c, "");
    EXPECT_EQ(std::memcmp(p, q, sizeof p), 0);
}

TEST(XasERangeFile, WriterTextReadsBackAsTheSameRange)
{
    const struct { double keV; const char* text; } faelle[] = {
        {0.6, "0.6"}, {40.0, "40"}, {45.0, "45"}, {12.25, "12.25"}, {1234567.0, "1.23457E+06"},
    };
    for (const auto& f : faelle) {
        EXPECT_EQ(XasERangeText(f.keV), f.text);
        Datei d(f.text);
        EXPECT_NEAR(LeseXasERange(d.f), f.keV, f.keV * 1e-5) << f.text;
    }
}

TEST_F(NumericIns, WrittenTextHasTheFourLinesOfTheFormat)
{
    SchriftProfilVorgaben(p);
    for (int k = 10; k < 15; ++k) p[0].Wert[k] = p[1].Wert[k] = 0;
    EXPECT_EQ(NumericInsText("E [keV]", "mu(E)#chi(k)", "", p),
              "E [keV]\nmu(E)#chi(k)\n\n"
              "0,14,14,14,14,1,1,1,1,1,0,0,0,0,0,0,30,30,30,30,2,2,1,1,0,0,0,0,0,0,\n");
}
