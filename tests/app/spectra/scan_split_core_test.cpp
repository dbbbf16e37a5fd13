// The multi-scan splitter: one file per "#S" scan, every line of every scan.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/temp_folder.h"
#include "spectra/scan_split.h"

TEST(ScanSplit, ThreeScansGiveThreeFilesWithEveryLine)
{
    TempOrdner ordner;
    const std::string pfad = ordner.Datei("anka.dat");
    const std::string s1 = "#S 1 ascan th 0 1 3\n#L th I0\n0 10\n0.5 11\n1 12\n";
    const std::string s2 = "#S 2 ascan th 0 1 2\r\n#L th I0\r\n0 20\r\n1 21\r\n";
    const std::string s3 = "#S 3 timescan\n1 30\n2 31\n3 32";  // no line end at the very end
    SchreibeBytes(pfad, "#F anka.dat\n#D today\n\n" + s1 + "\n" + s2 + "\r\n\n" + s3);
    std::vector<std::string> dateien;
    ASSERT_EQ(TeileScans(pfad, &dateien), 3);
    ASSERT_EQ(dateien.size(), 3u);
    EXPECT_EQ(dateien[0], pfad + "_1");
    EXPECT_EQ(dateien[2], pfad + "_3");
    EXPECT_EQ(LiesBytes(pfad + "_1"), s1);
    EXPECT_EQ(LiesBytes(pfad + "_2"), s2);
    EXPECT_EQ(LiesBytes(pfad + "_3"), s3);
}

TEST(ScanSplit, NoScanOrNoFile)
{
    TempOrdner ordner;
    const std::string pfad = ordner.Datei("plain.dat");
    SchreibeBytes(pfad, "1 2\n3 4\n");
    EXPECT_EQ(TeileScans(pfad, nullptr), 0);
    EXPECT_EQ(LiesBytes(pfad + "_1"), "");
    EXPECT_EQ(TeileScans(ordner.Datei("missing.dat"), nullptr), -1);
}
