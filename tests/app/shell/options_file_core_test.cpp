// "numeric.opt": reading by the rules of each line, and read-after-write.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "shell/options_file.h"

namespace {

struct Optionen {
    EXAFS_OPTIONEN exafs{8.0, 0.025, 40.0, 2048, 0, 2};
    int32_t erneuerung[2] = {0, 1};
    int32_t zusatz[2] = {0, 0};
    int32_t kopie = 0;
    int32_t binaer = 1;
    char filter[260] = "*.M*";
    char ordner[5000] = "C:\\old";
    OPTIONEN_ZIELE Ziele()
    {
        return {&exafs, erneuerung, zusatz, &kopie, &binaer, filter, sizeof filter, ordner, sizeof ordner};
    }
    void Lies(const std::string& inhalt)
    {
        std::FILE* f = std::tmpfile();
        std::fwrite(inhalt.data(), 1, inhalt.size(), f);
        std::rewind(f);
        EXPECT_EQ(LeseOptionen(f, Ziele()), 1);
        std::fclose(f);
    }
    std::string Schreibe()
    {
        std::FILE* f = std::tmpfile();
        EXPECT_EQ(SchreibeOptionen(f, Ziele()), 1);
        std::rewind(f);
        std::string s;
        for (int c; (c = std::fgetc(f)) != EOF;) s.push_back(static_cast<char>(c));
        std::fclose(f);
        return s;
    }
};

}  // namespace

TEST(OptionsFile, FirstLineFollowsItsRules)
{
    const struct {
        const char* zeile;
        double maxR, schritt;
        int32_t k, einheiten, quelle;
    } faelle[] = {
        {"8,0.025,3000,0,1", 8.0, 0.025, 4096, 0, 1},
        {"8,0.025,5,0,1", 8.0, 0.025, 1024, 0, 1},     // power 8 is below 9
        {"8,0.025,9,0,1", 8.0, 0.025, 16, 0, 1},
        {"8,0.025,2,0,1", 8.0, 0.025, 1024, 0, 1},
        {"8,0.025,2048,0,1", 8.0, 0.025, 2048, 0, 1},
        {"0,-1,1e12,7,-3", 7.0, 0.04, 1024, 7, -3},   // unusable values fall back; units as they stand
        {"abc,,,", 7.0, 0.04, 1024, 0, 6},       // an empty units field reads as 0
        {"12.5,0.1,100", 12.5, 0.1, 128, 5, 6},          // missing fields keep their values
    };
    for (const auto& fall : faelle) {
        Optionen o;
        o.exafs.Einheiten = 5;
        o.exafs.KalibrierQuelle = 6;
        o.Lies(std::string(fall.zeile) + "\n");
        SCOPED_TRACE(fall.zeile);
        EXPECT_DOUBLE_EQ(o.exafs.MaxR, fall.maxR);
        EXPECT_DOUBLE_EQ(o.exafs.RSchritt, fall.schritt);
        EXPECT_EQ(o.exafs.KPunkte, fall.k);
        EXPECT_EQ(o.exafs.Einheiten, fall.einheiten);
        EXPECT_EQ(o.exafs.KalibrierQuelle, fall.quelle);
    }
}

TEST(OptionsFile, SecondLineAlwaysGivesTheStartValues)
{
    Optionen o;
    o.Lies("8,0.025,2048,0,2\n0,0,0,0,0\n");
    EXPECT_EQ(o.erneuerung[0], 1);
    EXPECT_EQ(o.erneuerung[1], 1);
    EXPECT_EQ(o.zusatz[0], 1);
    EXPECT_EQ(o.zusatz[1], 1);
    EXPECT_EQ(o.kopie, 2);
}

TEST(OptionsFile, ThirdLineFilterAndFolder)
{
    const struct {
        const char* zeile3;
        const char* filter;
        const char* ordner;
        int32_t binaer;
    } faelle[] = {
        {"0,*.dat,D:\\data\n", "*.dat", "D:\\data", 1},   // the saved 0 is not restored
        {"1,*.dat,D:\\data", "*.dat", "D:\\data", 1},     // no line end: nothing is lost
        {"1,*.dat,D:\\beam time, 2024\n", "*.dat", "D:\\beam time, 2024", 1},
        {"1,*.dat,\n", "*.dat", "", 1},
        {"1,*.xmu\n", "*.xmu", "C:\\old", 1},               // no folder field: unchanged
        {"1\n", "*.M*", "C:\\old", 1},
    };
    for (const auto& fall : faelle) {
        Optionen o;
        o.Lies(std::string("8,0.025,2048,0,2\n1,0,1,1,2\n") + fall.zeile3);
        SCOPED_TRACE(fall.zeile3);
        EXPECT_STREQ(o.filter, fall.filter);
        EXPECT_STREQ(o.ordner, fall.ordner);
        EXPECT_EQ(o.binaer, fall.binaer);
    }
}

TEST(OptionsFile, MissingLinesLeaveTheSettings)
{
    Optionen o;
    o.Lies("");
    EXPECT_DOUBLE_EQ(o.exafs.MaxR, 8.0);
    EXPECT_EQ(o.exafs.KPunkte, 2048);
    EXPECT_EQ(o.erneuerung[0], 0);
    EXPECT_STREQ(o.ordner, "C:\\old");
}

TEST(OptionsFile, OverLongFolderIsCutAtItsBuffer)
{
    struct { Optionen o; char waechter[8]; } p;
    std::memset(p.waechter, 'W', sizeof p.waechter);
    p.o.Lies("8,0.025,2048,0,2\n1,0,1,1,2\n1,*.dat," + std::string(9000, 'd') + "\n");
    EXPECT_EQ(std::strlen(p.o.ordner), sizeof p.o.ordner - 1);
    EXPECT_EQ(std::string(p.waechter, 8), "WWWWWWWW");
}

TEST(OptionsFile, WhatIsWrittenReadsBackTheSame)
{
    Optionen a;
    a.exafs = {10.5, 0.0125, 40.0, 512, 1, 3, 2.5};
    a.erneuerung[0] = 1;
    a.erneuerung[1] = 1;
    a.zusatz[0] = a.zusatz[1] = 1;
    a.kopie = 2;
    std::strcpy(a.filter, "*.dat");
    std::strcpy(a.ordner, "Z:\\home\\scientist\\beam time, March\\raw");
    const std::string text = a.Schreibe();
    EXPECT_EQ(text, "10.5,0.0125,512,1,3,2.5\n1,1,1,1,2\n1,*.dat,Z:\\home\\scientist\\beam time, March\\raw\n");

    Optionen b;
    b.Lies(text);
    EXPECT_DOUBLE_EQ(b.exafs.MaxR, a.exafs.MaxR);
    EXPECT_DOUBLE_EQ(b.exafs.RSchritt, a.exafs.RSchritt);
    EXPECT_EQ(b.exafs.KPunkte, a.exafs.KPunkte);
    EXPECT_EQ(b.exafs.Einheiten, a.exafs.Einheiten);
    EXPECT_EQ(b.exafs.KalibrierQuelle, a.exafs.KalibrierQuelle);
    EXPECT_DOUBLE_EQ(b.exafs.LcGrenze, 2.5);
    EXPECT_STREQ(b.filter, a.filter);
    EXPECT_STREQ(b.ordner, a.ordner);
    EXPECT_EQ(b.Schreibe(), text);
}

// The LC-XANES limit rides as a sixth field of line 1: a file of five
// fields, or a limit of 0 or below, leaves it off (-1).
TEST(OptionsFile, LcXanesLimitIsTheSixthFieldOfTheFirstLine)
{
    for (const char* zeile : {"8,0.025,2048,0,2\n", "8,0.025,2048,0,2,0\n", "8,0.025,2048,0,2,-3\n",
                              "8,0.025,2048,0,2,x\n"}) {
        Optionen o;
        o.exafs.LcGrenze = 4.0;
        o.Lies(zeile);
        EXPECT_EQ(o.exafs.LcGrenze, -1.0) << zeile;
    }
    Optionen o;
    o.Lies("8,0.025,2048,0,2,0.75\n");
    EXPECT_DOUBLE_EQ(o.exafs.LcGrenze, 0.75);
    EXPECT_EQ(o.Schreibe().substr(0, 22), "8,0.025,2048,0,2,0.75\n");
}
