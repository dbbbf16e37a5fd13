// The reference-foil table "dexfoil.dat": blocks of up to four foils with
// 1500 rows each, its backup, and what happens when the disk refuses.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "spectra/file_commands.h"
#include "app/temp_folder.h"

namespace {

struct Folie {
    std::vector<double> x, y;
};

// A foil of n points: an edge-like curve over 8.9-9.1 keV in eV.
Folie MacheFolie(int n, double verschiebung)
{
    Folie f;
    for (int i = 0; i < n; ++i) {
        const double e = 8900.0 + 0.25 * i + verschiebung;
        f.x.push_back(e);
        f.y.push_back(1.0 / (1.0 + std::exp(-(e - 8979.0) / 3.0)) + 1e-3 * i);
    }
    return f;
}

std::vector<double> Werte(const std::string& zeile)
{
    std::vector<double> v;
    std::stringstream s(zeile);
    std::string feld;
    while (std::getline(s, feld, ',')) v.push_back(std::strtod(feld.c_str(), nullptr));
    return v;
}

// Row r of a block: the foil's point, or (-1, -1) beyond its points; eight
// significant digits leave a relative error below 1e-7.
void PruefePaar(const std::vector<double>& werte, size_t spalte, const Folie& f, int r,
                const std::string& wo)
{
    ASSERT_GT(werte.size(), spalte + 1) << wo;
    if (r < static_cast<int>(f.x.size())) {
        EXPECT_NEAR(werte[spalte], f.x[r], 1e-7 * std::fabs(f.x[r])) << wo;
        EXPECT_NEAR(werte[spalte + 1], f.y[r], 1e-7 * std::fabs(f.y[r])) << wo;
    } else {
        EXPECT_EQ(werte[spalte], -1.0) << wo;
        EXPECT_EQ(werte[spalte + 1], -1.0) << wo;
    }
}

int32_t Schreibe(const TempOrdner& t, const std::string& name, const Folie& f)
{
    return SchreibeDexfoil(t.Ordner(), name, f.x.data(), f.y.data(),
                           static_cast<int32_t>(f.x.size()));
}

}  // namespace

TEST(Dexfoil, BackupNameReplacesTheLastThreeCharacters)
{
    EXPECT_EQ(SicherungsName("C:\\prog\\dexfoil.dat"), "C:\\prog\\dexfoil.bak");
    EXPECT_EQ(SicherungsName("dexfoil.dat"), "dexfoil.bak");
    EXPECT_EQ(SicherungsName("ab"), "ab.bak");
}

TEST(Dexfoil, HeaderNamesAreCounted)
{
    EXPECT_EQ(ZaehleNamen(""), 0);
    EXPECT_EQ(ZaehleNamen("Cu"), 1);
    EXPECT_EQ(ZaehleNamen("Cu,Ni,Fe,Zn"), 4);
}

TEST(Dexfoil, FirstFoilIntoNoFileMakesOneBlock)
{
    TempOrdner t;
    const Folie cu = MacheFolie(700, 0.0);
    ASSERT_EQ(Schreibe(t, "Cu", cu), DEXFOIL_OK);
    EXPECT_FALSE(std::filesystem::exists(t.Datei("dexfoil.bak")));

    // A text file of the platform: lines end in CR LF on Windows.
    const std::string bytes = LiesBytes(t.Datei("dexfoil.dat"));
#ifdef _WIN32
    EXPECT_EQ(bytes.compare(0, 24, "Cu\r\n8900,3.6608223E-12\r\n"), 0);
#else
    EXPECT_EQ(bytes.compare(0, 22, "Cu\n8900,3.6608223E-12\n"), 0);
#endif
    const auto z = LiesZeilen(t.Datei("dexfoil.dat"));
    ASSERT_EQ(z.size(), 1u + DEXFOIL_ZEILEN);
    EXPECT_EQ(z[0], "Cu");
    EXPECT_EQ(z[1], "8900,3.6608223E-12");  // %.8G of 8900 and of 1/(1+e^(79/3)), two exponent digits
    EXPECT_EQ(z[701], "-1,-1");
    for (int r = 0; r < DEXFOIL_ZEILEN; ++r) {
        const auto w = Werte(z[1 + r]);
        ASSERT_EQ(w.size(), 2u) << "row " << r;
        PruefePaar(w, 0, cu, r, "row " + std::to_string(r));
    }

    // An empty table is no different from none, except for its backup.
    TempOrdner leer;
    SchreibeBytes(leer.Datei("dexfoil.dat"), "");
    ASSERT_EQ(Schreibe(leer, "Cu", cu), DEXFOIL_OK);
    EXPECT_EQ(LiesBytes(leer.Datei("dexfoil.dat")), bytes);
    EXPECT_EQ(LiesBytes(leer.Datei("dexfoil.bak")), "");
}

TEST(Dexfoil, SecondFoilExtendsTheBlockAndTheBackupHoldsTheOldTable)
{
    TempOrdner t;
    const Folie cu = MacheFolie(900, 0.0);
    const Folie ni = MacheFolie(400, 400.0);  // fewer points than the first
    ASSERT_EQ(Schreibe(t, "Cu", cu), DEXFOIL_OK);
    const std::string vorher = LiesBytes(t.Datei("dexfoil.dat"));
    ASSERT_EQ(Schreibe(t, "Ni", ni), DEXFOIL_OK);
    EXPECT_EQ(LiesBytes(t.Datei("dexfoil.bak")), vorher);

    const auto z = LiesZeilen(t.Datei("dexfoil.dat"));
    ASSERT_EQ(z.size(), 1u + DEXFOIL_ZEILEN);
    EXPECT_EQ(z[0], "Cu,Ni");
    for (int r : {0, 399, 400, 899, 900, 1499}) {
        const auto w = Werte(z[1 + r]);
        ASSERT_EQ(w.size(), 4u) << "row " << r;
        PruefePaar(w, 0, cu, r, "Cu row " + std::to_string(r));
        PruefePaar(w, 2, ni, r, "Ni row " + std::to_string(r));
    }
}

TEST(Dexfoil, ABlockOfFourFoilsGetsANewBlockForTheFifth)
{
    TempOrdner t;
    std::vector<Folie> folien;
    const char* namen[] = {"Cu", "Ni", "Fe", "Zn", "Co", "Mn"};
    for (int k = 0; k < 6; ++k) folien.push_back(MacheFolie(300 + 100 * k, 10.0 * k));
    for (int k = 0; k < 5; ++k) ASSERT_EQ(Schreibe(t, namen[k], folien[k]), DEXFOIL_OK) << k;

    auto z = LiesZeilen(t.Datei("dexfoil.dat"));
    ASSERT_EQ(z.size(), 2u * (1 + DEXFOIL_ZEILEN));
    EXPECT_EQ(z[0], "Cu,Ni,Fe,Zn");
    EXPECT_EQ(z[1 + DEXFOIL_ZEILEN], "Co");
    const std::vector<std::string> ersterBlock(z.begin(), z.begin() + 1 + DEXFOIL_ZEILEN);
    for (int r : {0, 299, 300, 650, 1499}) {
        const auto w = Werte(z[1 + r]);
        ASSERT_EQ(w.size(), 8u);
        for (int k = 0; k < 4; ++k) PruefePaar(w, 2 * k, folien[k], r, namen[k]);
        const auto w5 = Werte(z[2 + DEXFOIL_ZEILEN + r]);
        ASSERT_EQ(w5.size(), 2u);
        PruefePaar(w5, 0, folien[4], r, "Co");
    }

    // The sixth goes into the open second block; the full one stays as it was.
    ASSERT_EQ(Schreibe(t, namen[5], folien[5]), DEXFOIL_OK);
    z = LiesZeilen(t.Datei("dexfoil.dat"));
    ASSERT_EQ(z.size(), 2u * (1 + DEXFOIL_ZEILEN));
    EXPECT_TRUE(std::equal(ersterBlock.begin(), ersterBlock.end(), z.begin()));
    EXPECT_EQ(z[1 + DEXFOIL_ZEILEN], "Co,Mn");
    const auto w = Werte(z[2 + DEXFOIL_ZEILEN + 750]);
    ASSERT_EQ(w.size(), 4u);
    PruefePaar(w, 0, folien[4], 750, "Co");
    PruefePaar(w, 2, folien[5], 750, "Mn");
}

TEST(Dexfoil, ASpectrumOf2000PointsIsCutAt1500Rows)
{
    TempOrdner t;
    const Folie lang = MacheFolie(2000, 0.0);
    ASSERT_EQ(Schreibe(t, "Pt", lang), DEXFOIL_OK);
    const auto z = LiesZeilen(t.Datei("dexfoil.dat"));
    ASSERT_EQ(z.size(), 1u + DEXFOIL_ZEILEN);
    PruefePaar(Werte(z.back()), 0, lang, DEXFOIL_ZEILEN - 1, "last row");
}

TEST(Dexfoil, LongLinesAreKeptWhole)
{
    TempOrdner t;
    // A full block whose header and first row are far beyond 400 characters,
    // then an open block of three foils with a 1,000-character first row.
    const std::string langerName(450, 'A');
    std::string tabelle = langerName + ",B,C,D\n";
    std::string langeZeile;
    for (int k = 0; k < 80; ++k) langeZeile += "1.2345678,";
    langeZeile += "9";
    tabelle += langeZeile + "\n";
    for (int r = 1; r < DEXFOIL_ZEILEN; ++r) tabelle += "1,2,3,4,5,6,7,8\n";
    tabelle += "E,F,G\n";
    const std::string offeneZeile = std::string(1000, '7') + ",1,2,3,4,5";
    tabelle += offeneZeile + "\n";
    for (int r = 1; r < DEXFOIL_ZEILEN; ++r) tabelle += "1,2,3,4,5,6\n";
    SchreibeBytes(t.Datei("dexfoil.dat"), tabelle);

    const Folie h = MacheFolie(10, 0.0);
    ASSERT_EQ(Schreibe(t, "H", h), DEXFOIL_OK);
    EXPECT_EQ(LiesBytes(t.Datei("dexfoil.bak")), tabelle);
    const auto z = LiesZeilen(t.Datei("dexfoil.dat"));
    ASSERT_EQ(z.size(), 2u * (1 + DEXFOIL_ZEILEN));
    EXPECT_EQ(z[0], langerName + ",B,C,D");
    EXPECT_EQ(z[1], langeZeile);
    EXPECT_EQ(z[1 + DEXFOIL_ZEILEN], "E,F,G,H");
    const std::string neu = z[2 + DEXFOIL_ZEILEN];
    ASSERT_EQ(neu.compare(0, offeneZeile.size() + 1, offeneZeile + ","), 0);
    PruefePaar(Werte(neu.substr(offeneZeile.size() + 1)), 0, h, 0, "H row 0");
    EXPECT_EQ(z.back(), "1,2,3,4,5,6,-1,-1");
}

TEST(Dexfoil, ACutOffBlockIsPaddedSoTheNewColumnsStayUnderTheirName)
{
    TempOrdner t;
    SchreibeBytes(t.Datei("dexfoil.dat"), "Cu,Ni\n1,2,3,4\n5,6,7,8\n");
    const Folie fe = MacheFolie(5, 0.0);
    ASSERT_EQ(Schreibe(t, "Fe", fe), DEXFOIL_OK);
    const auto z = LiesZeilen(t.Datei("dexfoil.dat"));
    ASSERT_EQ(z.size(), 1u + DEXFOIL_ZEILEN);
    EXPECT_EQ(z[0], "Cu,Ni,Fe");
    for (int r = 0; r < 6; ++r) {
        const auto w = Werte(z[1 + r]);
        ASSERT_EQ(w.size(), 6u) << r;
        if (r >= 2) {
            for (int k = 0; k < 4; ++k) EXPECT_EQ(w[k], -1.0) << r;
        }
        PruefePaar(w, 4, fe, r, "Fe row " + std::to_string(r));
    }
    EXPECT_EQ(z[1], "1,2,3,4,8900,3.6608223E-12");
}

TEST(Dexfoil, AnUnwritableBackupLeavesTheTableUntouched)
{
    TempOrdner t;
    const Folie cu = MacheFolie(50, 0.0);
    ASSERT_EQ(Schreibe(t, "Cu", cu), DEXFOIL_OK);
    const std::string vorher = LiesBytes(t.Datei("dexfoil.dat"));
    // A folder where the backup would go cannot be opened as a file.
    std::filesystem::create_directory(t.Datei("dexfoil.bak"));
    EXPECT_EQ(Schreibe(t, "Ni", cu), DEXFOIL_FEHLER_SICHERUNG);
    EXPECT_EQ(LiesBytes(t.Datei("dexfoil.dat")), vorher);
}

TEST(Dexfoil, AnUnwritableTableIsReportedAsAFailure)
{
    TempOrdner t;
    std::filesystem::create_directory(t.Datei("dexfoil.dat"));
    const Folie cu = MacheFolie(50, 0.0);
#ifdef _WIN32
    EXPECT_EQ(Schreibe(t, "Cu", cu), DEXFOIL_FEHLER_SCHREIBEN);
#else
    // Natively a folder opens for reading like a file, and its backup is
    // what fails.
    EXPECT_EQ(Schreibe(t, "Cu", cu), DEXFOIL_FEHLER_SICHERUNG);
#endif
    // A folder that does not exist: nothing can be written there either.
    EXPECT_EQ(SchreibeDexfoil(t.Datei("fehlt"), "Cu", cu.x.data(), cu.y.data(), 50),
              DEXFOIL_FEHLER_SCHREIBEN);
}

TEST(Dexfoil, NamesThatWouldShiftTheColumnsAreRefused)
{
    TempOrdner t;
    const Folie cu = MacheFolie(5, 0.0);
    for (const char* name : {"", "Cu,Ni", "Cu\n", "Cu\rX"})
        EXPECT_EQ(Schreibe(t, name, cu), DEXFOIL_FEHLER_ARGUMENT) << name;
    EXPECT_EQ(SchreibeDexfoil("", "Cu", cu.x.data(), cu.y.data(), 5), DEXFOIL_FEHLER_ARGUMENT);
    EXPECT_FALSE(std::filesystem::exists(t.Datei("dexfoil.dat")));
}
