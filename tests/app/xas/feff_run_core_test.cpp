// feff.inp as the Run FEFF dialog changes and shows it, on the input of the
// FEFF 8.5 copper run (tests/app/xas/data/cu_feff85_noSCF/feff.inp).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "xas/feff_run.h"
#include "xas_test_support.h"

namespace {

std::string Eingabe() { return LiesBytes(Feff85Ordner() + "feff.inp"); }

std::vector<std::string> Zeilen(const std::string& t)
{
    std::vector<std::string> z;
    std::istringstream in(t);
    std::string s;
    while (std::getline(in, s)) z.push_back(s);
    return z;
}

// The input with its absorber line (the first atom line) at (1.0, 0, 0).
std::string AbsorberVerschoben()
{
    std::string t = Eingabe();
    const std::string alt = "    0.00000    0.00000    0.00000  0  Cu            0.00000";
    const std::size_t p = t.find(alt);
    EXPECT_NE(p, std::string::npos);
    t.replace(p, alt.size(), "    1.00000    0.00000    0.00000  0  Cu            0.00000");
    return t;
}

}  // namespace

TEST(FeffCluster, AbsorberOffTheOriginIsFoundAndShiftedBack)
{
    double x = 0, y = 0, z = 0;
    EXPECT_FALSE(FeffAbsorberVersatz(Eingabe(), &x, &y, &z));
    const std::string text = AbsorberVerschoben();
    ASSERT_TRUE(FeffAbsorberVersatz(text, &x, &y, &z));
    EXPECT_EQ(x, 1.0);
    EXPECT_EQ(y, 0.0);
    EXPECT_EQ(z, 0.0);

    const std::string neu = SchiebeFeffCluster(text, x, y, z);
    const std::vector<std::string> vorher = Zeilen(text), nachher = Zeilen(neu);
    ASSERT_EQ(vorher.size(), nachher.size());
    int atome = 0, gleich = 0;
    bool inAtomen = false;
    for (std::size_t i = 0; i < vorher.size(); ++i) {
        if (vorher[i].find("ATOMS") != std::string::npos) inAtomen = true;
        FeffAtom a, b;
        if (inAtomen && vorher[i].find("END") == std::string::npos && LeseFeffAtom(vorher[i], &a)) {
            ASSERT_TRUE(LeseFeffAtom(nachher[i], &b)) << nachher[i];
            EXPECT_NEAR(b.X, a.X - 1.0, 1e-5) << i;
            EXPECT_EQ(b.Y, a.Y);
            EXPECT_EQ(b.Z, a.Z);
            EXPECT_EQ(b.Ipot, a.Ipot);
            EXPECT_EQ(b.Tag, a.Tag);
            EXPECT_EQ(b.Abstand, a.Abstand) << "the distance column keeps its value";
            ++atome;
        } else {
            EXPECT_EQ(nachher[i], vorher[i]) << "line " << i << " is no atom and passes unchanged";
            ++gleich;
        }
    }
    EXPECT_EQ(atome, 177);
    EXPECT_GT(gleich, 40);
    // The absorber is now at the origin; shifting back restores every value.
    EXPECT_FALSE(FeffAbsorberVersatz(neu, &x, &y, &z));
    const std::vector<std::string> zurueck = Zeilen(SchiebeFeffCluster(neu, -1.0, 0.0, 0.0));
    FeffAtom a, b;
    for (std::size_t i = 0; i < vorher.size(); ++i) {
        if (LeseFeffAtom(vorher[i], &a) && LeseFeffAtom(zurueck[i], &b)) {
            EXPECT_NEAR(b.X, a.X, 1e-5);
        }
    }
}

TEST(FeffCluster, LinesOfTheAtomListAndAfterItsEnd)
{
    const std::string text =
        "TITLE t\r\nATOMS\r\n* x y z ipot\r\n 1 2 3 0 Cu 3.74\r\n 0.5 0.25 0 1\r\nshort 1 2\r\n"
        " 4 4 4 1 Cu 6.9 * comment\r\nEND\r\n 9 9 9 1 Cu 1\r\n";
    const std::string neu = SchiebeFeffCluster(text, 1.0, 2.0, 3.0);
    const std::vector<std::string> z = Zeilen(neu);
    ASSERT_EQ(z.size(), 9u);
    EXPECT_EQ(z[2], "* x y z ipot\r");
    EXPECT_EQ(z[3], "   0              0              0              0    Cu      3.74         \r");
    EXPECT_EQ(z[4], "  -0.5           -1.75          -3              1\r");
    EXPECT_EQ(z[5], "short 1 2\r");
    FeffAtom a;
    ASSERT_TRUE(LeseFeffAtom(z[6], &a));
    EXPECT_EQ(a.X, 3.0);
    EXPECT_EQ(a.Abstand, 6.9);
    EXPECT_EQ(z[7], "END\r");
    EXPECT_EQ(z[8], " 9 9 9 1 Cu 1\r") << "what follows END is kept as it was";
}

TEST(FeffCluster, ViewerPictureWithinRmaxAndQuadrant)
{
    int32_t n = 0;
    const std::string xyz = FeffXyz(Eingabe(), 3.0, true, &n);
    EXPECT_EQ(n, 6);
    const std::vector<std::string> z = Zeilen(xyz);
    ASSERT_EQ(z.size(), 8u);
    EXPECT_EQ(z[0], "6");
    EXPECT_EQ(z[1], " TITLE Copper example");
    EXPECT_EQ(z[2], "Cu  0.000000   0.000000   0.000000");
    for (std::size_t i = 2; i < z.size(); ++i) {
        double x, y, w;
        std::istringstream in(z[i].substr(2));
        ASSERT_TRUE(in >> x >> y >> w);
        EXPECT_GE(y, 0.0);
        EXPECT_GE(w, 0.0);
        EXPECT_LE(std::sqrt(x * x + y * y + w * w), 3.0);
    }
    // Without the quadrant the whole first shell: 12 neighbours.
    FeffXyz(Eingabe(), 3.0, false, &n);
    EXPECT_EQ(n, 13);
    FeffXyz(Eingabe(), 100.0, false, &n);
    EXPECT_EQ(n, 177);
}

TEST(FeffCluster, FolderOfTheDialogPath)
{
    const struct {
        const char* pfad;
        bool ok;
        const char* ordner;
    } faelle[] = {
        {"C:\\FEFF\\feff.exe", true, "C:\\FEFF"},
        {"C:\\FEFF\\", true, "C:\\FEFF"},
        {"feff.exe", false, ""},
        {"\\feff.exe", false, ""},
    };
    for (const auto& f : faelle) {
        std::string o;
        EXPECT_EQ(FeffOrdnerAusPfad(f.pfad, 79, &o), f.ok) << f.pfad;
        EXPECT_EQ(o, f.ordner);
    }
    std::string o = "alt";
    EXPECT_FALSE(FeffOrdnerAusPfad("C:\\" + std::string(100, 'a') + "\\feff.exe", 79, &o));
    EXPECT_EQ(o, "alt");
}

TEST(FeffCluster, FileShiftKeepsTheOriginalAsBackup)
{
    const std::filesystem::path ordner =
        std::filesystem::temp_directory_path() / ("feff_shift_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::create_directories(ordner);
    const std::string inp = (ordner / "feff.inp").string(), bak = (ordner / "feff.bak").string();
    {
        std::ofstream(bak, std::ios::binary) << "an older backup";
    }
    // No input: nothing is written, the old backup stays.
    EXPECT_EQ(SchiebeFeffDatei(inp, bak, 1.0, 0.0, 0.0), 0);
    EXPECT_EQ(LiesBytes(bak), "an older backup");
    EXPECT_FALSE(std::filesystem::exists(inp));

    const std::string original = AbsorberVerschoben();
    {
        std::ofstream(inp, std::ios::binary) << original;
    }
    EXPECT_EQ(SchiebeFeffDatei(inp, bak, 1.0, 0.0, 0.0), 1);
    EXPECT_EQ(LiesBytes(bak), original);
    EXPECT_EQ(LiesBytes(inp), SchiebeFeffCluster(original, 1.0, 0.0, 0.0));
    EXPECT_FALSE(std::filesystem::exists(inp + ".tmp"));
    double x, y, z;
    EXPECT_FALSE(FeffAbsorberVersatz(LiesBytes(inp), &x, &y, &z));
    std::filesystem::remove_all(ordner);
}

TEST(FeffWinkel, TurnPutsTheFirstScattererOnThePositiveXAxis)
{
    const struct {
        double x, y, z, laenge;
    } faelle[] = {
        {0.0, 2.0, 2.0, 2.828427},       {1.805, 0.0, -1.805, 2.552655}, {-1.805, -1.805, 0.0, 2.552655},
        {1.805, 1.805, 0.0, 2.552655},   {0.0, -3.61, 0.0, 3.61},        {-1.0, 2.0, -3.0, 3.741657},
        {2.0, -1.0, 0.5, 2.291288},
    };
    for (const auto& f : faelle) {
        FeffDrehung d;
        ASSERT_TRUE(FeffDrehungZu(f.x, f.y, f.z, &d));
        EXPECT_GE(d.A1, 0.0);
        EXPECT_LT(d.A1, 2 * M_PI + 1e-12);
        double x2, y2, z2;
        FeffDrehe(d, f.x, f.y, f.z, &x2, &y2, &z2);
        EXPECT_NEAR(x2, f.laenge, 1e-5) << f.x << " " << f.y << " " << f.z;
        EXPECT_NEAR(y2, 0.0, 1e-12);
        EXPECT_NEAR(z2, 0.0, 1e-12);
        // A turn keeps distances: another atom keeps its distance from the
        // origin and from P.
        const double ax = 0.7, ay = -1.3, az = 2.1;
        double bx, by, bz;
        FeffDrehe(d, ax, ay, az, &bx, &by, &bz);
        EXPECT_NEAR(bx * bx + by * by + bz * bz, ax * ax + ay * ay + az * az, 1e-9);
        EXPECT_NEAR(std::hypot(bx - x2, std::hypot(by - y2, bz - z2)),
                    std::hypot(ax - f.x, std::hypot(ay - f.y, az - f.z)), 1e-9);
    }
    FeffDrehung d;
    EXPECT_FALSE(FeffDrehungZu(2.5, 0.0, 0.0, &d));
}

TEST(FeffWinkel, WrittenQuarterAnglesAndWrap)
{
    const struct {
        double x, y, z;
        bool geschrieben;
        double gx, gy, gz;
    } atome[] = {
        {-0.0005, 0.0, 1.0, true, 0.0, 0.0, 1.0},  {1.0, -0.0005, -2.0, true, 1.0, 0.0, -2.0},
        {-0.002, 1.0, 0.0, false, 0, 0, 0},         {1.0, -0.002, 0.0, false, 0, 0, 0},
        {2.0, 3.0, -4.0, true, 2.0, 3.0, -4.0},
    };
    for (const auto& a : atome) {
        double x = a.x, y = a.y, z = a.z;
        EXPECT_EQ(FeffViertelAtom(&x, &y, &z), a.geschrieben) << a.x << " " << a.y;
        if (a.geschrieben) {
            EXPECT_EQ(x, a.gx);
            EXPECT_EQ(y, a.gy);
            EXPECT_EQ(z, a.gz);
        }
    }
    EXPECT_EQ(FeffDiederWinkel(30.0), 120.0);
    EXPECT_EQ(FeffDiederWinkel(60.0), 60.0);
    for (double w : {370.0, -370.0}) EXPECT_DOUBLE_EQ(FeffWinkelUmlauf(w), 10.0);
    EXPECT_EQ(FeffWinkelUmlauf(359.0), 359.0);
    EXPECT_EQ(FeffWinkelUmlauf(-20.0), -20.0);
    EXPECT_EQ(FeffWinkelUmlauf(360.0), 0.0);
}

TEST(FeffDreieckZeile, NearestThreeLegRowWithinTheTolerance)
{
    // Rows as the stand-in and FEFF write them; a two- and a four-leg row
    // lie nearer than the triangles to some of the lengths asked for.
    const std::string filesDat =
        " title\r\n    file        sig2   amp ratio    deg    nlegs  r effective\r\n"
        " feff0001.dat 0.00000   100.000    12.000     2   3.7250\r\n"
        " feff0002.dat 0.00000   100.000    48.000     3   3.7240\r\n"
        " feff0003.dat 0.00000   100.000    48.000     3   3.7290\r\n"
        " feff0004.dat 0.00000   100.000    48.000     4   3.8290\r\n"
        " feff0005.dat 0.00000   100.000    48.000     3   3.8330\r\n"
        " feff0007.dat 0.00000   100.000    48.000     3   3.8240\r\n";
    const struct {
        double laenge;
        int32_t nummer;
    } faelle[] = {
        {3.7250, 2}, {3.7268, 3}, {3.7191, 2}, {3.7189, -1}, {3.8290, 5},
        {3.8280, 7}, {3.7339, 3}, {3.7341, -1}, {2.0, -1},
    };
    for (const auto& f : faelle) {
        FilesDatZeile z;
        EXPECT_EQ(FeffDreieckZeile(filesDat, f.laenge, 0.005, &z), f.nummer) << f.laenge;
        if (f.nummer > 0) {
            EXPECT_EQ(z.Pfadnummer, f.nummer);
            EXPECT_EQ(z.Beine, 3);
        }
    }
    EXPECT_EQ(FeffDreieckZeile("", 3.725, 0.005, nullptr), -1);
}

// ---- the input for a changed triangle angle ----

namespace {

// Path 3 of the copper calculation: absorber, (1.805, 0, -1.805),
// (1.805, -1.805, 0), half perimeter 3.8290.
FeffWinkelAuftrag KupferDreieck(double winkel)
{
    FeffWinkelAuftrag a;
    a.Reff = 3.829;
    a.F[0] = 1.805, a.F[2] = -1.805;
    a.S[0] = 1.805, a.S[1] = -1.805;
    a.D = std::sqrt(2.0) * 1.805;
    a.Winkel = winkel;
    return a;
}

std::vector<std::vector<double>> AtomeNachAtoms(const std::string& text)
{
    std::vector<std::vector<double>> v;
    bool atome = false;
    for (const std::string& z : Zeilen(text)) {
        if (atome) {
            std::istringstream in(z);
            double x, y, zz;
            int p;
            if (in >> x >> y >> zz >> p) v.push_back({x, y, zz, double(p)});
        }
        atome = atome || z.find("ATOMS") != std::string::npos;
    }
    return v;
}

}  // namespace

TEST(FeffWinkel, CopperTriangleTurnedCutAndItsLength)
{
    struct Fall {
        double winkel;
        double laenge;
        double verschiebung;
    };
    // 170 degrees move the second scatterer by d / tan(85 degrees).
    for (const Fall& f : {Fall{180.0, 3.8290, 0.0}, Fall{170.0, 3.7250, 0.22333}, Fall{0.0, 3.8290, 0.0}}) {
        SCOPED_TRACE(f.winkel);
        FeffWinkelErgebnis e;
        ASSERT_EQ(FeffWinkelEingabe(Eingabe(), KupferDreieck(f.winkel), e), FEFF_WINKEL_OK);
        EXPECT_TRUE(e.Gedreht);
        EXPECT_NEAR(e.Verschiebung, f.verschiebung, 5e-6);
        EXPECT_NEAR(e.Laenge, f.laenge, 5e-4);
        // The first scatterer lies on +x, written with five decimals.
        EXPECT_EQ(e.F[0], 2.55266);
        EXPECT_EQ(e.F[1], 0.0);
        EXPECT_EQ(e.F[2], 0.0);
        const auto atome = AtomeNachAtoms(e.Text);
        ASSERT_FALSE(atome.empty());
        for (const auto& a : atome) {
            EXPECT_LE(std::sqrt(a[0] * a[0] + a[1] * a[1] + a[2] * a[2]), 1.1 * 3.829 + 1e-4);
            // The quarter, but for the second scatterer (y < 0 after the turn).
            if (!(std::fabs(a[0] - e.S[0]) < 1e-9 && std::fabs(a[1] - e.S[1]) < 1e-9)) {
                EXPECT_GE(a[0], 0.0);
                EXPECT_GE(a[1], 0.0);
            }
        }
        EXPECT_LT(e.S[1] - f.verschiebung, 0.0);
    }
}

TEST(FeffWinkel, CardsOfTheFirstAndLaterRunsAndOfAFeff6Input)
{
    FeffWinkelErgebnis e;
    FeffWinkelAuftrag a = KupferDreieck(180.0);
    ASSERT_EQ(FeffWinkelEingabe(Eingabe(), a, e), FEFF_WINKEL_OK);
    const std::vector<std::string> z = Zeilen(e.Text), alt = Zeilen(Eingabe());
    EXPECT_EQ(z[0], alt[0]);
    EXPECT_NE(std::find(z.begin(), z.end(), " CONTROL   1     1     1     1"), z.end());
    // RPATH stays, and no card is added.
    EXPECT_NE(e.Text.find(" RPATH     5.2\n"), std::string::npos) << e.Text.substr(0, 2000);
    EXPECT_EQ(e.Text.find("RMAX "), std::string::npos);
    EXPECT_EQ(z.back(), " END");
    a.ErsterLauf = false;
    ASSERT_EQ(FeffWinkelEingabe(Eingabe(), a, e), FEFF_WINKEL_OK);
    EXPECT_NE(e.Text.find(" CONTROL   0     1     1     1\n"), std::string::npos);

    const std::string feff6 =
        "TITLE test\nCONTROL 1 1 1 1\nRMAX 6.0\nCRITERIA 4.0 2.5\nNLEG 8\nPOTENTIALS\n 0 29\n 1 29\nATOMS\n"
        " 0 0 0 0\n * a comment\n 1.805 0 -1.805 1\n 1.805 -1.805 0 1\n 9 9 9 1\nEND\n";
    ASSERT_EQ(FeffWinkelEingabe(feff6, a, e), FEFF_WINKEL_OK);
    EXPECT_EQ(e.Text.rfind("TITLE test\n CONTROL   0     1     1     1\n RMAX   4.0205\n CRITERIA   2.0   2.0\n"
                           " NLEG   4\nPOTENTIALS\n 0 29\n 1 29\nATOMS\n",
                           0),
              0u)
        << e.Text;
    // The comment is left out, the far atom cut, the end written once.
    EXPECT_EQ(AtomeNachAtoms(e.Text).size(), 3u);
    EXPECT_EQ(e.Text.find("comment"), std::string::npos);
}

TEST(FeffWinkel, UnturnedClusterAndMissingScatterers)
{
    const std::string ohne = "ATOMS\n 0 0 0 0\n 2.0 0 0 1 Cu 2.0\n 0 2.0 0 1 Cu 2.0\nEND\n";
    FeffWinkelAuftrag a;
    a.Reff = 3.0;
    a.F[0] = 2.0;
    a.S[1] = 2.0;
    a.D = 2.0;
    a.Winkel = 90.0;  // shift 2 / tan(45 degrees) = 2
    FeffWinkelErgebnis e;
    ASSERT_EQ(FeffWinkelEingabe(ohne, a, e), FEFF_WINKEL_OK);
    EXPECT_FALSE(e.Gedreht);
    // "   % -10.5f" three times and "   %d".
    EXPECT_EQ(e.Text, "ATOMS\n 0 0 0 0\n 2.0 0 0 1 Cu 2.0\n    0.00000      4.00000      0.00000     1\n END\n");
    EXPECT_NEAR(e.Laenge, (2.0 + std::sqrt(20.0) + 4.0) / 2.0, 1e-12);

    a.S[1] = 2.5;
    EXPECT_EQ(FeffWinkelEingabe(ohne, a, e), FEFF_WINKEL_OHNE_ZWEITEN);
    EXPECT_TRUE(e.Text.empty());
    a.F[0] = 2.002;
    EXPECT_EQ(FeffWinkelEingabe(ohne, a, e), FEFF_WINKEL_OHNE_ERSTEN);
    // Within 1e-3 A the written value of the file counts.
    a.F[0] = 2.0005;
    a.S[1] = 1.9995;
    EXPECT_EQ(FeffWinkelEingabe(ohne, a, e), FEFF_WINKEL_OK);
}
