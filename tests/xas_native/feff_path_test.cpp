// FEFF path records: files.dat rows, path files, paths.dat and the loader,
// on FEFF 8.50L and Feff 6 outputs for copper.
#include <gtest/gtest.h>

#include <gsl/gsl_errno.h>
#include <gsl/gsl_spline.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "xas/feff_path.h"
#include "xas_test_support.h"
#include "zelva.h"

namespace {

constexpr double PI = 3.14159265358979323846;

std::vector<std::string> meldungen;
void Merke(const char* text, const char* titel) { meldungen.push_back(std::string(titel) + "|" + text); }

class FeffPfadTest : public ::testing::Test {
protected:
    def_zelva numerik;
    FeffUmgebung umgebung;
    std::vector<FeffPfad*> saetze;

    void SetUp() override
    {
        ASSERT_NE(McMasterTabelle(), nullptr);
        umgebung.McMaster = McMasterTabelle();
        umgebung.Numerik = &numerik;
        umgebung.Meldung = Merke;
        meldungen.clear();
        FeffMeldungenZuruecksetzen();
    }
    void TearDown() override
    {
        for (FeffPfad* s : saetze) {
            FeffPfadFreigeben(s);
            delete s;
        }
        FeffPfadeLeeren();
    }
    FeffPfad* Satz(int32_t pfad, const std::string& filesDat)
    {
        FeffPfad* s = new FeffPfad();
        saetze.push_back(s);
        s->Pfadnummer = pfad;
        std::snprintf(s->FilesDatPfad, sizeof s->FilesDatPfad, "%s", filesDat.c_str());
        return s;
    }
    int32_t Lade(FeffPfad* s, const std::vector<double>& gitter, int32_t modus = 1)
    {
        return LadeFeffPfad(modus, s, static_cast<int32_t>(gitter.size()), gitter.empty() ? nullptr : gitter.data(),
                            umgebung);
    }
};

std::vector<double> Gitter(int32_t n, double schritt)
{
    std::vector<double> g(n);
    for (int32_t i = 0; i < n; ++i) g[i] = i * schritt;
    return g;
}

// The seven columns of a path file's table, read here on their own.
std::vector<std::vector<double>> Spalten(const std::string& pfad)
{
    std::istringstream in(LiesBytes(pfad));
    std::vector<std::vector<double>> s(7);
    std::string zeile;
    bool tabelle = false;
    while (std::getline(in, zeile)) {
        if (!tabelle) {
            tabelle = zeile.find("real[2*phc]") != std::string::npos;
            continue;
        }
        double v[7];
        if (std::sscanf(zeile.c_str(), "%lf %lf %lf %lf %lf %lf %lf", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5],
                        &v[6]) != 7)
            break;
        for (int i = 0; i < 7; ++i) s[i].push_back(v[i]);
    }
    return s;
}

double Gsl(const std::vector<double>& x, const std::vector<double>& y, double t)
{
    gsl_set_error_handler_off();
    gsl_interp_accel* acc = gsl_interp_accel_alloc();
    gsl_spline* sp = gsl_spline_alloc(gsl_interp_cspline, x.size());
    gsl_spline_init(sp, x.data(), y.data(), x.size());
    const double v = gsl_spline_eval(sp, t, acc);
    gsl_spline_free(sp);
    gsl_interp_accel_free(acc);
    return v;
}

const char* const FILES_DAT_KOPF =
    " title line\n"
    "    file        sig2   amp ratio    deg    nlegs  r effective\n";

}  // namespace

TEST(FeffNames, PathNumbersAndFileNames)
{
    char name[32];
    const struct {
        int32_t nummer;
        const char* name;
    } faelle[] = {{7, "feff0007.dat"}, {123, "feff0123.dat"}, {1234, "feff1234.dat"}, {9999, "feff9999.dat"}};
    for (const auto& f : faelle) {
        ASSERT_TRUE(FeffDateiname(f.nummer, name, sizeof name));
        EXPECT_STREQ(name, f.name);
        EXPECT_EQ(FeffPfadnummer(f.name), f.nummer);
    }
    EXPECT_FALSE(FeffDateiname(0, name, sizeof name));
    EXPECT_FALSE(FeffDateiname(10000, name, sizeof name));
    for (const char* falsch : {"feffcu01.dat", "feff.dat", "feff0001.datx", "Feff0001.dat", "feff-001.dat", "feff0000.dat"})
        EXPECT_EQ(FeffPfadnummer(falsch), -1) << falsch;
}

TEST_F(FeffPfadTest, Feff85Path1OnAKGrid)
{
    FeffPfad* s = Satz(1, Feff85Ordner() + "files.dat");
    const std::vector<double> gitter = Gitter(361, 0.05);  // 0 .. 18
    ASSERT_EQ(Lade(s, gitter), 59);
    EXPECT_EQ(s->Entartung, 12.0);
    EXPECT_EQ(s->Reff, 2.5527);
    EXPECT_EQ(s->Sigma2, 0.0);
    EXPECT_EQ(s->AmplitudenVerhaeltnis, 100.0);
    EXPECT_EQ(s->Beine, 2);
    EXPECT_EQ(s->Rnrmav, 2.6317);
    EXPECT_STREQ(s->Dateiname, "feff0001.dat");
    EXPECT_EQ(s->Ordnungszahlen[0], 29);
    EXPECT_EQ(s->Ordnungszahlen[1], 29);
    EXPECT_STREQ(s->AtomSymbole[1], "Cu");
    EXPECT_EQ(s->Potentiale[1], 1);
    for (int j : {0, 1, 2}) EXPECT_EQ(s->AtomGewichte[j], 63.54) << j;
    EXPECT_NEAR(s->ReduzierteMasse, 5.2756e-26, 5.2756e-30);

    // k = 0: amplitude 2 a1 - a2 with a = mag * red; phase of the path plus
    // the central-atom phase.
    EXPECT_NEAR(s->Pfadtabellen[FEFF_AMPLITUDE][0], 2 * 5.2201e-2 * 9.917e-1 - 1.0222e-1 * 9.923e-1, 1e-12);
    EXPECT_NEAR(s->Pfadtabellen[FEFF_AMPLITUDE][0], 0.0021026, 5e-8);
    EXPECT_NEAR(s->Pfadtabellen[FEFF_PHASE][0], -1.2176, 1e-12);

    // Geometry from paths.dat.
    EXPECT_EQ(s->AtomX[0], 1.805);
    EXPECT_EQ(s->AtomY[0], 0.0);
    EXPECT_EQ(s->AtomZ[0], 1.805);
    for (int j : {1, 2}) EXPECT_EQ(s->AtomX[j] * s->AtomX[j] + s->AtomY[j] * s->AtomY[j] + s->AtomZ[j] * s->AtomZ[j], 0.0);
    EXPECT_NEAR(s->AtomAbstaende[0], 2.55266, 5e-6);
    EXPECT_EQ(s->StreuWinkel[0], 180.0);
    EXPECT_TRUE(meldungen.empty());

    ASSERT_EQ(FeffKPunkte, 361);
    for (int32_t i = 0; i < 361; ++i) ASSERT_EQ(FeffKGitter[i], gitter[i]);
}

TEST_F(FeffPfadTest, InterpolatedTablesAreTheNaturalSplineOfTheFileColumns)
{
    FeffPfad* s = Satz(1, Feff85Ordner() + "files.dat");
    const std::vector<double> gitter = Gitter(361, 0.05);
    ASSERT_EQ(Lade(s, gitter), 59);
    const auto c = Spalten(Feff85Ordner() + "feff0001.dat");
    ASSERT_EQ(c[0].size(), 59u);
    std::vector<double> amplitude(59), phase(59);
    for (int i = 0; i < 59; ++i) {
        amplitude[i] = c[2][i] * c[4][i];
        phase[i] = c[3][i] + c[1][i];  // no jump of 2 pi in this file
    }
    amplitude[0] = 2 * amplitude[1] - amplitude[2];
    const struct {
        int32_t tabelle;
        const std::vector<double>& y;
    } faelle[] = {{FEFF_AMPLITUDE, amplitude}, {FEFF_PHASE, phase}, {FEFF_WEGLAENGE, c[5]}, {FEFF_REAL_P, c[6]}};
    for (const auto& f : faelle)
        for (int32_t i = 0; i < 361; ++i) {
            const double erwartet = Gsl(c[0], f.y, gitter[i]);
            ASSERT_NEAR(s->Pfadtabellen[f.tabelle][i], erwartet, 1e-10 * std::max(1.0, std::fabs(erwartet)))
                << f.tabelle << " k = " << gitter[i];
        }
    // Reduction factor and central-atom phase stay on the file's k points.
    for (int32_t i = 0; i < 59; ++i) {
        EXPECT_EQ(s->Pfadtabellen[FEFF_REDUKTION][i], c[4][i]);
        EXPECT_EQ(s->Pfadtabellen[FEFF_ZENTRALPHASE][i], c[1][i]);
    }
}

TEST_F(FeffPfadTest, TrianglePathsGiveTheAngleAtTheAbsorber)
{
    const struct {
        int32_t pfad;
        double winkel;
    } faelle[] = {{3, 60.0}, {4, 45.0}};
    for (const auto& f : faelle) {
        FeffPfad* s = Satz(f.pfad, Feff85Ordner() + "files.dat");
        ASSERT_EQ(Lade(s, Gitter(100, 0.1)), 59) << f.pfad;
        EXPECT_EQ(s->Beine, 3);
        EXPECT_NEAR(s->AbsorberWinkel, f.winkel, 1e-9) << f.pfad;
        // The absorber is last and repeated.
        EXPECT_EQ(s->AtomX[2], 0.0);
        EXPECT_EQ(s->AtomX[3], s->AtomX[2]);
        EXPECT_EQ(s->AtomGewichte[3], s->AtomGewichte[0]);
    }
}

TEST_F(FeffPfadTest, ResultCodes)
{
    TempOrdner t;
    SchreibeBytes(t.Datei("ohne_kopf.dat"), " title\n feff0001.dat 0.00000 100.000 12.000 2 2.5527\n");
    SchreibeBytes(t.Datei("files.dat"), std::string(FILES_DAT_KOPF) +
                                            " feff0001.dat 0.00000 100.000 12.000 2 2.5527\n"
                                            " feff0002.dat 0.00000 100.000 12.000 12 2.5527\n");
    const struct {
        const char* fall;
        std::string filesDat;
        int32_t pfad, modus, code;
    } faelle[] = {
        {"no files.dat", t.Datei("fehlt.dat"), 1, 1, FEFF_OHNE_FILES_DAT},
        {"no header", t.Datei("ohne_kopf.dat"), 1, 1, FEFF_FILES_DAT_FALSCH},
        {"path file missing", t.Datei("files.dat"), 1, 1, FEFF_OHNE_PFAD},
        {"path not listed", Feff85Ordner() + "files.dat", 13, 1, FEFF_OHNE_PFAD},
        {"more than 9 legs", t.Datei("files.dat"), 2, 1, FEFF_ZU_VIELE_BEINE},
        {"path number 0", Feff85Ordner() + "files.dat", 0, 1, FEFF_OHNE_PFAD},
        {"negative mode", Feff85Ordner() + "files.dat", 2, -1, 0},
    };
    for (const auto& f : faelle) {
        FeffPfad* s = Satz(f.pfad, f.filesDat);
        s->Reff = 99.0;
        FeffPfad vorher;
        std::memcpy(&vorher, s, sizeof vorher);
        EXPECT_EQ(Lade(s, Gitter(10, 0.1), f.modus), f.code) << f.fall;
        if (f.code < 0) {
            EXPECT_EQ(std::memcmp(&vorher, s, sizeof vorher), 0) << f.fall;
        }
    }
    // The negative mode stops after the files.dat row.
    FeffPfad* s = saetze.back();
    EXPECT_EQ(s->Reff, 3.61);
    EXPECT_EQ(s->Entartung, 6.0);
    EXPECT_STREQ(s->Dateiname, "feff0002.dat");
    EXPECT_EQ(s->Pfadtabellen[FEFF_AMPLITUDE], nullptr);
    EXPECT_EQ(FeffKPunkte, 0);
}

TEST_F(FeffPfadTest, DamagedPathFilesAreRefused)
{
    const std::string gut = LiesBytes(Feff85Ordner() + "feff0001.dat");
    auto ersetze = [&](const std::string& alt, const std::string& neu) {
        std::string s = gut;
        s.replace(s.find(alt), alt.size(), neu);
        return s;
    };
    const struct {
        const char* fall;
        std::string text;
        int32_t code;
    } faelle[] = {
        {"ten legs", ersetze("   2  12.000", "  10  12.000"), FEFF_ZU_VIELE_BEINE},
        {"more atoms than legs", ersetze("   2  12.000", "   1  12.000"), FEFF_PFADDATEI_FALSCH},
        {"fewer atoms than legs", ersetze("   2  12.000", "   3  12.000"), FEFF_PFADDATEI_FALSCH},
        {"no table marker", ersetze("real[2*phc]", "real[2*PHC]"), FEFF_PFADDATEI_FALSCH},
        {"no nleg line", ersetze("rnrmav", "rnrm"), FEFF_PFADDATEI_FALSCH},
        {"an atom line of words", ersetze("  1  29 Cu", "  one 29 Cu"), FEFF_PFADDATEI_FALSCH},
        {"k not rising", ersetze("  0.200  3.9549E+00", "  0.100  3.9549E+00"), FEFF_PFADDATEI_FALSCH},
        {"one row only", gut.substr(0, gut.find("  0.100  3.9539")), FEFF_PFADDATEI_FALSCH},
    };
    for (const auto& f : faelle) {
        TempOrdner t;
        SchreibeBytes(t.Datei("files.dat"), std::string(FILES_DAT_KOPF) + " feff0001.dat 0.0 100.0 12.0 2 2.5527\n");
        SchreibeBytes(t.Datei("feff0001.dat"), f.text);
        FeffPfad* s = Satz(1, t.Datei("files.dat"));
        FeffPfad vorher;
        std::memcpy(&vorher, s, sizeof vorher);
        EXPECT_EQ(Lade(s, Gitter(10, 0.1)), f.code) << f.fall;
        EXPECT_EQ(std::memcmp(&vorher, s, sizeof vorher), 0) << f.fall;
    }
}

TEST_F(FeffPfadTest, Feff6FilesWithAndWithoutHashHeadersGiveTheSameRecord)
{
    TempOrdner a, b;
    const std::string filesDat = std::string(FILES_DAT_KOPF) + "feff0001.dat 0.00000 100.000 12.000 2 2.5478\n";
    SchreibeBytes(a.Datei("files.dat"), filesDat);
    SchreibeBytes(b.Datei("files.dat"), filesDat);
    SchreibeBytes(a.Datei("feff0001.dat"), LiesBytes(Feff6Ordner() + "feffcu01.dat"));
    SchreibeBytes(b.Datei("feff0001.dat"), LiesBytes(Feff6Ordner() + "feff0001.dat"));
    const std::vector<double> gitter = Gitter(361, 0.05);
    FeffPfad* sa = Satz(1, a.Datei("files.dat"));
    FeffPfad* sb = Satz(1, b.Datei("files.dat"));
    ASSERT_EQ(Lade(sa, gitter), 59);
    ASSERT_EQ(Lade(sa, gitter), 59);  // again: no second message for this folder
    ASSERT_EQ(meldungen.size(), 1u);
    EXPECT_EQ(meldungen[0],
              "Error!|   File 'paths.dat' not found under current directory.\r\n"
              " Please copy 'paths.dat' in same directory as 'files.dat'\r\n"
              "      No multiple scattering information available!");
    ASSERT_EQ(Lade(sb, gitter), 59);
    EXPECT_EQ(meldungen.size(), 2u);

    for (FeffPfad* s : {sa, sb}) {
        EXPECT_EQ(s->Beine, 2);
        EXPECT_EQ(s->Rnrmav, 2.63);
        EXPECT_NEAR(s->Pfadtabellen[FEFF_AMPLITUDE][0], 8.756e-4, 5e-8);
        EXPECT_NEAR(s->Pfadtabellen[FEFF_PHASE][0], -1.6305, 1e-12);
        // Geometry from the path file: the scatterer, then the absorber.
        EXPECT_EQ(s->AtomX[0], 0.0);
        EXPECT_EQ(s->AtomY[0], -1.8016);
        EXPECT_EQ(s->AtomZ[0], 1.8016);
        EXPECT_EQ(s->AtomY[1], 0.0);
        EXPECT_EQ(s->AtomY[2], 0.0);
        EXPECT_NEAR(s->StreuWinkel[0], 180.0, 1e-9);
        EXPECT_NEAR(s->AtomAbstaende[0], 1.8016 * std::sqrt(2.0), 1e-12);
    }
    EXPECT_EQ(std::memcmp(sa->AtomGewichte, sb->AtomGewichte, sizeof sa->AtomGewichte), 0);
    EXPECT_EQ(sa->ReduzierteMasse, sb->ReduzierteMasse);
    for (int32_t t = 0; t < FEFF_TABELLEN; ++t)
        for (int32_t i = 0; i < 59; ++i) ASSERT_EQ(sa->Pfadtabellen[t][i], sb->Pfadtabellen[t][i]) << t << " " << i;
}

TEST_F(FeffPfadTest, APhaseJumpOf2PiIsContinued)
{
    // The phase of feff0001.dat with 2 pi added from row 30 on loads as the
    // phase of the file itself.
    const std::string gut = LiesBytes(Feff85Ordner() + "feff0001.dat");
    std::istringstream in(gut);
    std::string zeile, sprung;
    int32_t tabelle = -1;
    while (std::getline(in, zeile)) {
        if (tabelle >= 0 && ++tabelle > 30) {
            double v[7];
            ASSERT_EQ(std::sscanf(zeile.c_str(), "%lf %lf %lf %lf %lf %lf %lf", &v[0], &v[1], &v[2], &v[3], &v[4],
                                  &v[5], &v[6]),
                      7);
            char z[200];
            std::snprintf(z, sizeof z, " %.3f %.10e %.10e %.10e %.10e %.10e %.10e", v[0], v[1], v[2],
                          v[3] + 2 * PI, v[4], v[5], v[6]);
            zeile = z;
        }
        if (zeile.find("real[2*phc]") != std::string::npos) tabelle = 0;
        sprung += zeile + "\n";
    }
    FeffPfadDatei original, verschoben;
    ASSERT_EQ(LesePfadDatei(gut.data(), gut.size(), &original), 0);
    ASSERT_EQ(LesePfadDatei(sprung.data(), sprung.size(), &verschoben), 0);
    ASSERT_NEAR(verschoben.Spalten[3][40] - original.Spalten[3][40], 2 * PI, 1e-9);
    std::vector<double> a1, p1, a2, p2;
    FeffAmplitudePhase(original, &a1, &p1);
    FeffAmplitudePhase(verschoben, &a2, &p2);
    for (std::size_t i = 0; i < p1.size(); ++i) EXPECT_NEAR(p2[i], p1[i], 1e-9) << i;

    // A jump of -2 pi down and the sum of columns without jumps.
    FeffPfadDatei d;
    d.Spalten[0] = {0.0, 1.0, 2.0, 3.0};
    d.Spalten[1] = {0.0, 0.0, 0.0, 0.0};
    d.Spalten[2] = {1.0, 1.0, 1.0, 1.0};
    d.Spalten[3] = {0.0, -0.5, -1.0 + 2 * PI, -1.5 + 2 * PI};
    d.Spalten[4] = {1.0, 1.0, 1.0, 1.0};
    std::vector<double> a, p;
    FeffAmplitudePhase(d, &a, &p);
    EXPECT_NEAR(p[2], -1.0, 1e-12);
    EXPECT_NEAR(p[3], -1.5, 1e-12);
}

TEST_F(FeffPfadTest, AGridOf5000PointsLoads)
{
    FeffPfad* s = Satz(1, Feff85Ordner() + "files.dat");
    const std::vector<double> klein = Gitter(100, 0.1);
    ASSERT_EQ(Lade(s, klein), 59);
    const std::vector<double> gitter = Gitter(5000, 0.004);  // 0 .. 19.996
    ASSERT_EQ(Lade(s, gitter), 59);
    EXPECT_EQ(FeffKPunkte, 5000);
    EXPECT_GE(s->TabellenSpeicher[FEFF_PHASE], 5000);
    const auto c = Spalten(Feff85Ordner() + "feff0001.dat");
    EXPECT_NEAR(s->Pfadtabellen[FEFF_WEGLAENGE][4999], Gsl(c[0], c[5], gitter[4999]), 1e-10 * 50);
    // Back to a short grid: the tables are reused.
    double* alt = s->Pfadtabellen[FEFF_PHASE];
    ASSERT_EQ(Lade(s, klein), 59);
    EXPECT_EQ(s->Pfadtabellen[FEFF_PHASE], alt);
    EXPECT_EQ(FeffKPunkte, 100);
}

TEST(FilesDat, RowFilterOfTheSelectionDialogs)
{
    const std::string text = LiesBytes(Feff85Ordner() + "files.dat");
    const struct {
        int32_t modus;
        double verhaeltnis;
        int32_t beine;
        std::vector<int32_t> gewaehlt, liste, markiert;
    } faelle[] = {
        {-1, 10.0, 3, {}, {1, 2, 3, 5, 6, 7, 8, 10}, {}},
        {-1, 10.0, 4, {}, {1, 2, 3, 5, 6, 7, 8, 10, 14}, {}},
        {1, 50.0, 2, {}, {1, 2, 5, 8}, {}},
        {-1, 50.0, 2, {}, {1, 5}, {}},
        {10, 50.0, 2, {2, 7}, {1, 2, 5, 7}, {2, 7}},
        {-1, 50.0, 2, {2, 7}, {1, 5}, {}},  // filter only: the model is not asked
        {1, 50.0, 2, {7}, {1, 2, 5, 7, 8}, {7}},
    };
    for (const auto& f : faelle) {
        FilesDatListe l;
        ASSERT_EQ(FilterFilesDat(text.data(), text.size(), f.modus, f.verhaeltnis, f.beine, f.gewaehlt, &l), 1);
        std::vector<int32_t> liste, markiert;
        for (std::size_t i = 0; i < l.Zeilen.size(); ++i) {
            liste.push_back(l.Zeilen[i].Pfadnummer);
            if (l.Gewaehlt[i]) markiert.push_back(l.Zeilen[i].Pfadnummer);
        }
        EXPECT_EQ(liste, f.liste) << f.modus << " " << f.verhaeltnis << " " << f.beine;
        EXPECT_EQ(markiert, f.markiert) << f.modus << " " << f.verhaeltnis << " " << f.beine;
        EXPECT_EQ(l.Titel, " Copper example                                                   Feff 8.50L");
    }
    FilesDatListe l;
    FilterFilesDat(text.data(), text.size(), -1, 0.0, 9, {}, &l);
    ASSERT_EQ(l.Zeilen.size(), 14u);
    EXPECT_EQ(l.Zeilen[12].Text, " feff0014.dat 0.00000    32.350    12.000     4   5.1053");
    EXPECT_EQ(l.Zeilen[12].Reff, 5.1053);
    EXPECT_EQ(l.Zeilen[12].Entartung, 12.0);
}

TEST(FilesDat, LongListsAndFilesWithoutRows)
{
    std::string text = FILES_DAT_KOPF;
    for (int32_t i = 1; i <= 150; ++i) {
        char z[100];
        std::snprintf(z, sizeof z, " feff%04d.dat 0.00000 100.000 2.000 2 %.4f\r\n", i, 2.0 + i * 0.01);
        text += z;
    }
    text += "\n\n";
    FilesDatListe l;
    ASSERT_EQ(FilterFilesDat(text.data(), text.size(), -1, 0.0, 2, {}, &l), 1);
    ASSERT_EQ(l.Zeilen.size(), 99u);
    EXPECT_EQ(l.Zeilen[98].Pfadnummer, 99);
    EXPECT_EQ(l.Zeilen[98].Text.back(), '0');  // no line end

    const std::string ohne = std::string(FILES_DAT_KOPF) + " feffcu01.dat 0.0 100.0 12.0 2 2.5\n";
    EXPECT_EQ(FilterFilesDat(ohne.data(), ohne.size(), -1, 0.0, 9, {}, &l), -1);
    EXPECT_EQ(FilterFilesDat("", 0, -1, 0.0, 9, {}, &l), -1);
}
