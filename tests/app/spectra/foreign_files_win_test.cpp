// The ".fio" import (609, 615) and the multi-scan splitter (90) through the
// dispatcher, with their open dialogs answered in place of the user.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/temp_folder.h"
#include "data_commands_fixture.h"
#include "spectra/foreign_files_win.h"

namespace {

std::string gewaehlt;
std::string filter;
BOOL WINAPI Waehle(LPOPENFILENAMEA ofn)
{
    filter.assign(ofn->lpstrFilter, 40);
    if (gewaehlt.empty() || gewaehlt.size() >= ofn->nMaxFile) return FALSE;
    std::strcpy(ofn->lpstrFile, gewaehlt.c_str());
    return TRUE;
}

std::string Fio(int n)
{
    std::string t = "! header\r\n%c comment\r\n";
    char z[200];
    for (int i = 0; i < n; ++i) {
        std::snprintf(z, sizeof z, "%d %d 0 0 0 0 0 %d 1 2\r\n", i, 8000 + 2 * i, 3 * i);
        t += z;
    }
    return t;
}

}  // namespace

class FremdeDateien : public EditFixture {
protected:
    void SetUp() override
    {
        EditFixture::SetUp();
        FremdDateiDialog = Waehle;
    }
    void TearDown() override
    {
        FremdDateiDialog = GetOpenFileNameA;
        gewaehlt.clear();
        EditFixture::TearDown();
    }
};

TEST_F(FremdeDateien, FioImportWritesTheGridFileAndRemembersTheChoice)
{
    TempOrdner ordner;
    gewaehlt = ordner.Datei("scan01.fio");
    SchreibeBytes(gewaehlt, Fio(100));
    Prepared(609, {});
    EXPECT_EQ(filter.compare(0, 28, std::string("XAS-Messdatei (*.fio)\0*.fio\0", 28)), 0);
    const std::string aus = LiesBytes(ordner.Datei("scan01.fix"));
    ASSERT_FALSE(aus.empty());
    EXPECT_EQ(aus.compare(0, 22, "! header\r\n%c comment\r\n"), 0);
    EXPECT_NE(aus.find("8000.000000, 0.000000, 1.000000, 2.000000\r\n"), std::string::npos);
    EXPECT_NE(aus.find("8198.000000, 297.000000, 1.000000, 2.000000\r\n"), std::string::npos);
    EXPECT_STREQ(CommandText, gewaehlt.c_str());
    EXPECT_STREQ(HAUPTDATEN.DateiFilter, "*.fio");

    // An input whose converted name is its own is refused with a message.
    gewaehlt = ordner.Datei("scan01.fix");
    const std::string vorher = LiesBytes(gewaehlt);
    boxen.clear();
    Prepared(615, {});
    EXPECT_EQ(LiesBytes(gewaehlt), vorher);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_NE(boxen[0].text.find("Nothing has been written"), std::string::npos);
}

TEST_F(FremdeDateien, SplitterWritesOneFilePerScan)
{
    TempOrdner ordner;
    gewaehlt = ordner.Datei("anka.dat");
    SchreibeBytes(gewaehlt, "#F x\n#S 1 a\n1 2\n3 4\n\n#S 2 b\n5 6\n\n#S 3 c\n7 8\n");
    HAUPTDATEN.Befehl(90, 0);
    EXPECT_EQ(filter.compare(0, 24, std::string("ANKA file (*.dat)\0*.dat\0", 24)), 0);
    EXPECT_EQ(LiesBytes(gewaehlt + "_1"), "#S 1 a\n1 2\n3 4\n");
    EXPECT_EQ(LiesBytes(gewaehlt + "_2"), "#S 2 b\n5 6\n");
    EXPECT_EQ(LiesBytes(gewaehlt + "_3"), "#S 3 c\n7 8\n");
}
