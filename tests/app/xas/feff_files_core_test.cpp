// The path list of command 849 on the copper FEFF 8.50L run: the rows by
// their formats, the filter, the paths.dat blocks found by index, and the
// list read back by the path loader.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/xas/xas_test_support.h"
#include "xas/data_lines.h"
#include "xas/debye_waller.h"
#include "xas/feff_files.h"
#include "xas/feff_path.h"
#include "zelva.h"

namespace {

std::string Text(const std::string& pfad)
{
    std::string t;
    EXPECT_TRUE(LeseTextDatei(pfad, &t)) << pfad;
    return t;
}

class FeffListe : public ::testing::Test {
protected:
    def_zelva numerik;
    // S0^2 and three paths of type 21.
    int32_t typen[4] = {25, 21, 21, 21};
    double p[13] = {0.9,                       // S0^2
                    12.0, 0.05, 0.003, 1.0,    // N, R shift, sigma^2, E0
                    6.0, 2.48, 0.004, 1.0,     // R given as a distance
                    48.0, 0.0, 250.0, 1.0};    // sigma^2 as a Debye temperature
    void TearDown() override { FeffPfadeLeeren(); }
    void Lade(int32_t satz, int32_t pfad, const std::string& filesDat = Feff85Ordner() + "files.dat")
    {
        FeffUmgebung u;
        u.McMaster = McMasterTabelle();
        u.Numerik = &numerik;
        FeffPfad& s = FeffPfade[satz];
        s.Pfadnummer = pfad;
        std::snprintf(s.FilesDatPfad, sizeof s.FilesDatPfad, "%s", filesDat.c_str());
        ASSERT_GT(LadeFeffPfad(1, &s, 0, nullptr, u), 0) << pfad;
    }
    void SetUp() override
    {
        Lade(1, 1);
        Lade(2, 2);
        Lade(3, 3);
    }
};

}  // namespace

TEST_F(FeffListe, RowsFollowTheirFormatsAndTheFilter)
{
    FeffPfade[1].Reff = 2.50;
    // Weights: path 2 below the 5 % filter but single scattering; path 3
    // (three legs) below it too.
    const double gewichte[4] = {0.0, 8.0, 0.2, 0.3};
    const std::vector<FeffListenZeile> z = FeffListeZeilen(typen, 4, p, FeffPfade, gewichte, 5.0, 300.0);
    ASSERT_EQ(z.size(), 2u);
    EXPECT_EQ(FeffListenZeilenText(z[0], false), " feff0001.dat    0.003000    100.0    12.00     2      2.5500\n");
    EXPECT_EQ(FeffListenZeilenText(z[1], false), " feff0002.dat    0.004000    2.500    6.000     2      2.4800\n");
    EXPECT_EQ(FeffListenZeilenText(z[0], true), " feff0001.dat  .00000    100.0    12.00     2      2.5000\n");
    EXPECT_EQ(FeffListenZeilenText(z[1], true), " feff0002.dat  .00000    2.500    6.000     2      3.6100\n");

    // With the filter at 1 % the three-leg path is written, its sigma^2
    // the correlated-Debye value of 250 K at the measurement temperature.
    const std::vector<FeffListenZeile> alle = FeffListeZeilen(typen, 4, p, FeffPfade, gewichte, 1.0, 300.0);
    ASSERT_EQ(alle.size(), 3u);
    const double s2 = CorrDebyeSigma2(FeffPfade[3], 300.0, 250.0);
    EXPECT_GT(s2, 0.003);
    EXPECT_LT(s2, 0.02);
    EXPECT_DOUBLE_EQ(alle[2].Sigma2, s2);
    EXPECT_EQ(alle[2].R, FeffPfade[3].Reff);
    EXPECT_NE(CorrDebyeSigma2(FeffPfade[3], 80.0, 250.0), s2);

    // A model that is no FEFF model has no paths.
    int32_t andere[4] = {7, 21, 21, 21};
    EXPECT_TRUE(FeffListeZeilen(andere, 4, p, FeffPfade, gewichte, 0.0, 300.0).empty());
}

TEST_F(FeffListe, HeaderAndPathsBlocksByIndex)
{
    const std::string files = Text(Feff85Ordner() + "files.dat");
    const std::string paths = Text(Feff85Ordner() + "paths.dat");
    const std::string kopf = FilesDatKopf(files);
    EXPECT_EQ(kopf.rfind(" Copper example", 0), 0u);
    EXPECT_EQ(kopf.substr(kopf.size() - 62), "    file        sig2   amp ratio    deg    nlegs  r effective\n");
    EXPECT_EQ(FilesDatKopf(""), FILES_DAT_KOPF_ERSATZ);
    EXPECT_EQ(FilesDatKopf("no header here\n"), FILES_DAT_KOPF_ERSATZ);

    // A model without paths: header and separator only.
    EXPECT_EQ(FeffListenDatei(files, paths, {}, false), kopf + FILES_DAT_PATHS_TRENNER);
    EXPECT_EQ(FeffListenDatei("", "", {}, true), std::string(FILES_DAT_KOPF_ERSATZ) + FILES_DAT_PATHS_TRENNER);

    // Paths 3 and 1 in that order (against the file's): both blocks, whole.
    const std::string b = PathsDatBloecke(paths, {3, 1});
    const std::size_t k3 = b.find("     3    3  48.000  index");
    const std::size_t k1 = b.find("     1    2  12.000  index");
    ASSERT_NE(k3, std::string::npos);
    ASSERT_NE(k1, std::string::npos);
    EXPECT_LT(k3, k1);
    EXPECT_EQ(b.find("     2    2   6.000  index"), std::string::npos);
    EXPECT_EQ(b.rfind("PATH  Rmax= 5.200", 0), 0u);
    FeffGeometrie g3, g1;
    ASSERT_TRUE(LesePathsDat(b.data(), b.size(), 3, 3, &g3));
    ASSERT_TRUE(LesePathsDat(b.data(), b.size(), 1, 2, &g1));
    EXPECT_DOUBLE_EQ(g3.Beta[0], 120.0);
    EXPECT_DOUBLE_EQ(g1.x[0], 1.805);
    // A number without a block is left out.
    EXPECT_EQ(PathsDatBloecke(paths, {99}), PathsDatBloecke(paths, {}));
}

TEST_F(FeffListe, WrittenListReadsBackThroughTheLoader)
{
    TempOrdner ordner;
    for (const char* n : {"feff0001.dat", "feff0002.dat", "feff0003.dat"})
        std::filesystem::copy_file(Feff85Ordner() + n, ordner.Datei(n));
    const double gewichte[4] = {0.0, 8.0, 4.0, 2.0};
    // Model order 3, 1, 2.
    int32_t t[4] = {25, 21, 21, 21};
    double q[13] = {1.0, 48.0, 0.02, 0.006, 0.0, 12.0, 2.56, 0.0035, 0.0, 6.0, -0.01, 0.005, 0.0};
    FeffPfad zwischen = FeffPfade[1];
    FeffPfade[1] = FeffPfade[3];
    FeffPfade[3] = FeffPfade[2];
    FeffPfade[2] = zwischen;
    const std::vector<FeffListenZeile> z = FeffListeZeilen(t, 4, q, FeffPfade, gewichte, 0.0, 300.0);
    ASSERT_EQ(z.size(), 3u);
    const std::string text = FeffListenDatei(Text(Feff85Ordner() + "files.dat"), Text(Feff85Ordner() + "paths.dat"),
                                             z, false);
    // Put back before anything can fail, so that TearDown frees each table once.
    FeffPfade[2] = FeffPfade[3];
    FeffPfade[3] = FeffPfade[1];
    FeffPfade[1] = zwischen;
    SchreibeBytes(ordner.Datei("files.dat"), text);
    SchreibeBytes(ordner.Datei("paths.dat"), text.substr(text.find(FILES_DAT_PATHS_TRENNER) + std::strlen(FILES_DAT_PATHS_TRENNER)));

    FilesDatListe liste;
    ASSERT_EQ(FilterFilesDat(text.data(), text.size(), 1, 0.0, 10, {}, &liste), 1);
    ASSERT_EQ(liste.Zeilen.size(), 3u);
    EXPECT_EQ(liste.Zeilen[0].Pfadnummer, 3);
    EXPECT_EQ(liste.Zeilen[1].Pfadnummer, 1);

    FeffPfadeLeeren();
    Lade(1, 3, ordner.Datei("files.dat"));
    Lade(2, 1, ordner.Datei("files.dat"));
    Lade(3, 2, ordner.Datei("files.dat"));
    EXPECT_DOUBLE_EQ(FeffPfade[1].Entartung, 48.0);
    EXPECT_NEAR(FeffPfade[1].Reff, 3.8290 + 0.02, 1e-4);
    EXPECT_NEAR(FeffPfade[1].Sigma2, 0.006, 1e-9);
    EXPECT_NEAR(FeffPfade[2].Reff, 2.56, 1e-9);
    EXPECT_NEAR(FeffPfade[3].Reff, 3.61 - 0.01, 1e-4);
    EXPECT_NEAR(FeffPfade[3].AmplitudenVerhaeltnis, 25.0, 1e-9);
    EXPECT_NEAR(FeffPfade[2].AmplitudenVerhaeltnis, 50.0, 1e-9);
    // The geometry comes from the written blocks.
    EXPECT_DOUBLE_EQ(FeffPfade[1].StreuWinkel[0], 120.0);
    EXPECT_EQ(FeffPfade[1].Beine, 3);
}
