// Absorption spectra from detector series: paths, file numbers, mu, the
// DEX column order and whole runs on series built from the real
// dispersive Fe K spectrum EMG003.
#include "series/dex_spectra.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <limits>
#include <string>
#include <vector>

#include "app/series/dex_series_fixture.h"
#include "app/temp_folder.h"

namespace {

using dex_serie::Serie;
using dex_serie::Spalte;
using dex_serie::SpaltenWort;

// The file search of a run, on the real folder.
DexUmgebung Umgebung(std::vector<std::string>* fragen, std::vector<DEX_ANTWORT> antworten,
                     std::vector<std::string>* meldungen = nullptr)
{
    DexUmgebung u;
    u.Suche = [](const std::string& ordner, const std::string& muster) {
        std::vector<std::string> namen;
        for (const auto& e : std::filesystem::directory_iterator(ordner))
            if (DexMusterPasst(e.path().filename().string(), muster)) namen.push_back(e.path().filename().string());
        // Not sorted, and reversed: the run must not rely on the order found.
        std::sort(namen.rbegin(), namen.rend());
        return namen;
    };
    auto rest = std::make_shared<std::vector<DEX_ANTWORT>>(antworten);
    u.Frage = [fragen, rest](const std::string& text) {
        if (fragen) fragen->push_back(text);
        if (rest->empty()) return DEX_ABBRECHEN;
        const DEX_ANTWORT a = rest->front();
        rest->erase(rest->begin());
        return a;
    };
    u.Meldung = [meldungen](const std::string&, const std::string& text) {
        if (meldungen) meldungen->push_back(text);
    };
    return u;
}

DexPfade Pfade(const std::string& i0, const std::string& i1, const std::string& dunkel)
{
    DexPfade p;
    p.Pfad[DEX_I0_1] = i0;
    p.Pfad[DEX_I1] = i1;
    p.Pfad[DEX_DUNKEL_1] = dunkel;
    return p;
}

// mu of I0 file a paired with I1 file b at diode d.
double Paar(const Serie& s, int a, int b, int d)
{
    return std::log((s.I0(a)[d] - s.dunkel[d]) / (s.I1(b)[d] - s.dunkel[d]));
}

class DexLauf : public ::testing::Test {
protected:
    TempOrdner tmp;
    std::string o = tmp.Ordner() + "/";
};

}  // namespace

TEST(DexPfadeTest, JoinedWithXForEmptyOptionalPathsAndSplitBack)
{
    DexPfade p = Pfade("C:\\a\\i0_*.dxa", "C:\\a\\i1_*.dxa", "");
    EXPECT_EQ(DexPfadeVerbinden(p, false), "C:\\a\\i0_*.dxa##C:\\a\\i1_*.dxa##x");
    p.Pfad[DEX_FOLIE_2] = "C:\\f.dxa";
    EXPECT_EQ(DexPfadeVerbinden(p, true), "C:\\a\\i0_*.dxa##x##C:\\a\\i1_*.dxa##x##x##x##C:\\f.dxa");
    for (bool dex : {false, true}) {
        DexPfade q;
        ASSERT_TRUE(DexPfadeTeilen(DexPfadeVerbinden(p, dex), &q));
        for (int k = 0; k < DEX_PFADE; ++k)
            EXPECT_EQ(q.Pfad[k], (dex || k == DEX_I0_1 || k == DEX_I1 || k == DEX_DUNKEL_1) ? p.Pfad[k] : "");
    }
    DexPfade q;
    EXPECT_FALSE(DexPfadeTeilen("a##b", &q));
    EXPECT_FALSE(DexPfadeTeilen("x##b##c", &q));  // I0 (1) may not be empty
}

TEST(DexPfadeTest, LongPathsAndTextsAreRefused)
{
    DexPfade p = Pfade(std::string(DEX_PFAD_MAX, 'a'), "b", "");
    EXPECT_EQ(DexPfadeZuLang(p, false), "");
    p.Pfad[DEX_I1] = std::string(DEX_PFAD_MAX + 1, 'b');
    EXPECT_NE(DexPfadeZuLang(p, false), "");
    // Seven paths of 100 characters each fit their edits, not the text.
    DexPfade lang;
    for (std::string& s : lang.Pfad) s = std::string(100, 'c');
    EXPECT_EQ(DexPfadeZuLang(lang, false), "");
    EXPECT_NE(DexPfadeZuLang(lang, true), "");
}

TEST(DexNummerTest, DigitsEndingTheFileNameBeforeItsFirstDot)
{
    const struct {
        const char* pfad;
        int64_t nummer;
        const char* ohnePunkt;
    } faelle[] = {
        {"i0_0012.dxa", 12, "i0_0012"},
        {"C:\\data\\run.2024\\i0_5.dxa", 5, "C:\\data\\run.2024\\i0_5"},
        {"/tmp/run.2024/i1_17.a.dxa", 17, "/tmp/run.2024/i1_17"},
        {"C:\\d7\\dark.dxa", 0, "C:\\d7\\dark"},
        {"C:\\d.7\\noext", 0, "C:\\d.7\\noext"},
        {"a1b2", 2, "a1b2"},
    };
    for (const auto& f : faelle) {
        EXPECT_EQ(DexDateiNummer(f.pfad), f.nummer) << f.pfad;
        EXPECT_EQ(DexSchnitt(f.pfad), f.ohnePunkt) << f.pfad;
    }
    EXPECT_EQ(DexSchnitt("C:\\run.1\\i0_*.dxa", '*'), "C:\\run.1\\i0_");
    EXPECT_EQ(DexOrdner("C:\\run.1\\i0_*.dxa"), "C:\\run.1\\");
}

TEST(DexNummerTest, SeriesAreTakenByAscendingNumberAndPatternsMatchAsTheSearchDoes)
{
    std::vector<std::string> d = {"i0_10.dxa", "i0_2.dxa", "i0_12.dxa", "i0_1.dxa", "i0_9.dxa", "i0_11.dxa"};
    DexSerieOrdnen(&d);
    EXPECT_EQ(d, (std::vector<std::string>{"i0_1.dxa", "i0_2.dxa", "i0_9.dxa", "i0_10.dxa", "i0_11.dxa",
                                           "i0_12.dxa"}));
    EXPECT_TRUE(DexMusterPasst("I0_12.DXA", "i0_*.dxa"));
    EXPECT_TRUE(DexMusterPasst("i0_.dxa", "i0_*.dxa"));
    EXPECT_FALSE(DexMusterPasst("i1_1.dxa", "i0_*.dxa"));
    EXPECT_FALSE(DexMusterPasst("i0_1.dxa.bak", "i0_*.dxa"));
    EXPECT_TRUE(DexMusterPasst("i0_1.dxa", "i0_?.dxa"));
}

TEST(DexAbsorptionTest, LnOfTheBackgroundCorrectedRatioAndZeroWhereItIsNotFinite)
{
    const double i0[] = {1000, 500, 200, 300, 100};
    const double i1[] = {100, 50, 100, 20, 200};
    const double dunkel[] = {10, 50, 10, 20, 10};
    double mu[5];
    DexAbsorption(i0, i1, dunkel, 5, mu);
    EXPECT_DOUBLE_EQ(mu[0], std::log(990.0 / 90.0));
    EXPECT_EQ(mu[1], 0.0);  // I1 equal to the background: 0, not +inf
    EXPECT_DOUBLE_EQ(mu[2], std::log(190.0 / 90.0));
    EXPECT_EQ(mu[3], 0.0);
    EXPECT_DOUBLE_EQ(mu[4], std::log(90.0 / 190.0));
    const double gleich[] = {1000, 100, 200, 300, 100};  // I0 equal to the background at 0
    DexAbsorption(gleich, i1, gleich, 5, mu);
    for (double v : mu) EXPECT_EQ(v, 0.0);
    DexAbsorption(i0, i1, nullptr, 5, mu);
    for (int i = 0; i < 5; ++i) EXPECT_DOUBLE_EQ(mu[i], std::log(i0[i] / i1[i]));
}

TEST(DexAbsorptionTest, DexColumnOrderHoldsEveryI1SpectrumAndEachOtherFileOnce)
{
    const std::vector<int32_t> f = DexSpaltenFolge(10);
    ASSERT_EQ(f.size(), 17u);
    std::vector<int32_t> erwartet = {-1, DEX_I0_1, DEX_DUNKEL_1, DEX_FOLIE_1};
    for (int k = 1; k <= 10; ++k) erwartet.push_back(DEX_PFADE + k);
    erwartet.insert(erwartet.end(), {DEX_DUNKEL_2, DEX_I0_2, DEX_FOLIE_2});
    EXPECT_EQ(f, erwartet);
}

TEST_F(DexLauf, SeriesIntoOneMultiColumnFileOrIntoTwoColumnFiles)
{
    const Serie s;
    ASSERT_EQ(s.n, 1128);
    ASSERT_TRUE(s.SchreibeDateien(o, {1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}));
    DexUmgebung u = Umgebung(nullptr, {});
    DexErgebnis e;
    const DexPfade p = Pfade(o + "i0_*.dxa", o + "i1_*.dxa", o + "dark.dxa");
    ASSERT_EQ(BerechneDexDateien(p, false, true, u, &e), 1128);
    ASSERT_EQ(e.Geschrieben, std::vector<std::string>{o + "i0_.xas"});
    EXPECT_EQ(SpaltenWort(o + "i0_.xas"), 6);
    EXPECT_EQ(Spalte(o + "i0_.xas", 1), s.x);
    for (int k = 1; k <= 5; ++k) {
        const std::vector<double> y = Spalte(o + "i0_.xas", k + 1);
        ASSERT_EQ(y.size(), 1128u);
        double fehler = 0.0;
        for (int d = 0; d < 1128; ++d) fehler = std::max(fehler, std::fabs(y[d] - s.mu[d] * (1.0 + 0.02 * k)));
        EXPECT_LT(fehler, 1e-5) << "column " << k;
    }
    // Without the multi-column option: one file per I1 file.
    ASSERT_EQ(BerechneDexDateien(p, false, false, u, &e), 1128);
    ASSERT_EQ(e.Geschrieben.size(), 5u);
    for (int k = 1; k <= 5; ++k) {
        const std::string ziel = o + "i1_" + std::to_string(k) + ".xas";
        EXPECT_EQ(e.Geschrieben[k - 1], ziel);
        EXPECT_EQ(SpaltenWort(ziel), 2);
        const std::vector<double> y = Spalte(ziel, 2);
        ASSERT_EQ(y.size(), 1128u);
        EXPECT_NEAR(y[600], s.mu[600] * (1.0 + 0.02 * k), 1e-5);
    }
}

TEST_F(DexLauf, FixedPathsGiveOneSpectrumAndWithoutBackgroundLnI0OverI1)
{
    const Serie s;
    ASSERT_TRUE(s.SchreibeDateien(o, {2}, {2}));
    DexUmgebung u = Umgebung(nullptr, {});
    DexErgebnis e;
    ASSERT_EQ(BerechneDexDateien(Pfade(o + "i0_2.dxa", o + "i1_2.dxa", o + "dark.dxa"), false, true, u, &e), 1128);
    EXPECT_EQ(e.Geschrieben, std::vector<std::string>{o + "i1_2.xas"});  // no series: no multi-column file
    EXPECT_NEAR(e.y[100], s.mu[100] * 1.04, 1e-5);
    EXPECT_EQ(e.x, s.x);
    ASSERT_EQ(BerechneDexDateien(Pfade(o + "i0_2.dxa", o + "i1_2.dxa", ""), false, false, u, &e), 1128);
    const std::vector<double> i0 = s.I0(2), i1 = s.I1(2);
    for (int d : {0, 500, 1127})
        EXPECT_NEAR(e.y[d], std::log(static_cast<float>(i0[d]) / static_cast<double>(static_cast<float>(i1[d]))),
                    1e-9);
}

TEST_F(DexLauf, AMissingI1FileIsAskedForAndEachAnswerPairsAsItSays)
{
    const Serie s;
    ASSERT_TRUE(s.SchreibeDateien(o, {1, 2, 3, 4, 5}, {1, 2, 4, 5}));
    const DexPfade p = Pfade(o + "i0_*.dxa", o + "i1_*.dxa", o + "dark.dxa");
    const std::string frage34 = "Number of I0(3) and I1(4) not identical !\r\n        Try next I1 or continue.";
    // Retry: asked again with I1 5; Ignore then pairs 3 with 5. I0 4 and 5
    // find no I1 left: the run ends.
    {
        std::vector<std::string> fragen;
        DexUmgebung u = Umgebung(&fragen, {DEX_WIEDERHOLEN, DEX_IGNORIEREN});
        DexErgebnis e;
        ASSERT_GT(BerechneDexDateien(p, false, true, u, &e), 0);
        ASSERT_EQ(fragen.size(), 2u);
        EXPECT_EQ(fragen[0], frage34);
        EXPECT_EQ(fragen[1], "Number of I0(3) and I1(5) not identical !\r\n        Try next I1 or continue.");
        EXPECT_EQ(SpaltenWort(o + "i0_.xas"), 4);  // the header counted 5 + 1
        EXPECT_NEAR(Spalte(o + "i0_.xas", 4)[700], Paar(s, 3, 5, 700), 1e-5);
    }
    // Ignore: 3 with 4, then 4 with 5 (asked again), Ignore.
    {
        std::vector<std::string> fragen;
        DexUmgebung u = Umgebung(&fragen, {DEX_IGNORIEREN, DEX_IGNORIEREN});
        DexErgebnis e;
        ASSERT_GT(BerechneDexDateien(p, false, true, u, &e), 0);
        ASSERT_EQ(fragen.size(), 2u);
        EXPECT_EQ(fragen[0], frage34);
        EXPECT_EQ(SpaltenWort(o + "i0_.xas"), 5);
        EXPECT_NEAR(Spalte(o + "i0_.xas", 4)[700], Paar(s, 3, 4, 700), 1e-5);
        EXPECT_NEAR(Spalte(o + "i0_.xas", 5)[700], Paar(s, 4, 5, 700), 1e-5);
    }
    // Abort: I0 3 is skipped and I1 4 used up; I0 4 meets I1 5 and is
    // asked about too (Abort again); I0 5 finds no I1 left.
    {
        std::vector<std::string> fragen;
        DexUmgebung u = Umgebung(&fragen, {DEX_ABBRECHEN, DEX_ABBRECHEN});
        DexErgebnis e;
        ASSERT_GT(BerechneDexDateien(p, false, true, u, &e), 0);
        ASSERT_EQ(fragen.size(), 2u);
        EXPECT_EQ(fragen[0], frage34);
        EXPECT_EQ(fragen[1], "Number of I0(4) and I1(5) not identical !\r\n        Try next I1 or continue.");
        // Only I0 1 and 2 were written: word 11 counts x and two columns.
        EXPECT_EQ(SpaltenWort(o + "i0_.xas"), 3);
        EXPECT_EQ(e.Spalten, 3);
    }
}

TEST_F(DexLauf, NumbersAreTakenInNumericOrderAndADottedFolderChangesNothing)
{
    const std::string ordner = o + "run.2024/";
    std::filesystem::create_directories(ordner);
    const Serie s(300);
    std::vector<int32_t> k;
    for (int i = 1; i <= 12; ++i) k.push_back(i);
    ASSERT_TRUE(s.SchreibeDateien(ordner, k, k));
    std::vector<std::string> fragen;
    DexUmgebung u = Umgebung(&fragen, {});
    DexErgebnis e;
    ASSERT_EQ(BerechneDexDateien(Pfade(ordner + "i0_*.dxa", ordner + "i1_*.dxa", ordner + "dark.dxa"), false, true, u,
                                 &e), 300);
    EXPECT_TRUE(fragen.empty());
    ASSERT_EQ(e.Geschrieben, std::vector<std::string>{ordner + "i0_.xas"});
    EXPECT_EQ(SpaltenWort(ordner + "i0_.xas"), 13);
    for (int i = 1; i <= 12; ++i)
        EXPECT_NEAR(Spalte(ordner + "i0_.xas", i + 1)[150], s.mu[150] * (1.0 + 0.02 * i), 1e-5) << i;
    // Two-column files are named after the I1 file inside the dotted folder.
    ASSERT_GT(BerechneDexDateien(Pfade(ordner + "i0_1*.dxa", ordner + "i1_1*.dxa", ""), false, false, u, &e), 0);
    EXPECT_EQ(e.Geschrieben, (std::vector<std::string>{ordner + "i1_1.xas", ordner + "i1_10.xas",
                                                       ordner + "i1_11.xas", ordner + "i1_12.xas"}));
}

TEST_F(DexLauf, SpectraLongerThanTheOldScratchArraysAreComputed)
{
    const Serie s(7000);
    ASSERT_TRUE(s.SchreibeDateien(o, {1}, {1}));
    DexUmgebung u = Umgebung(nullptr, {});
    DexErgebnis e;
    ASSERT_EQ(BerechneDexDateien(Pfade(o + "i0_1.dxa", o + "i1_1.dxa", o + "dark.dxa"), false, false, u, &e), 7000);
    EXPECT_NEAR(e.y[6999], s.mu[6999] * 1.02, 1e-5);
    EXPECT_NEAR(Spalte(o + "i1_1.xas", 2)[6500], s.mu[6500] * 1.02, 1e-5);
}

TEST_F(DexLauf, AFileThatCannotBeReadAbandonsItsPassOnly)
{
    const Serie s(200);
    ASSERT_TRUE(s.SchreibeDateien(o, {1, 2, 3}, {1, 2, 3}));
    { std::ofstream(o + "i0_2.dxa") << "not a spectrum"; }
    std::vector<std::string> meldungen;
    DexUmgebung u = Umgebung(nullptr, {}, &meldungen);
    DexErgebnis e;
    ASSERT_EQ(BerechneDexDateien(Pfade(o + "i0_*.dxa", o + "i1_*.dxa", ""), false, true, u, &e), 200);
    EXPECT_EQ(meldungen, std::vector<std::string>{"File could not be opened!"});
    // I1 2 stays unused (I0 2 failed before it); I0 3 meets I1 2 and the
    // question (answered Abort by default) skips it.
    EXPECT_EQ(SpaltenWort(o + "i0_.xas"), 2);
    // A run of fixed paths on a missing file writes nothing.
    ASSERT_EQ(BerechneDexDateien(Pfade(o + "fehlt.dxa", o + "i1_1.dxa", ""), false, false, u, &e), 0);
    EXPECT_TRUE(e.Geschrieben.empty());
}

TEST_F(DexLauf, DexFileHoldsTheRawColumnsInOrderAndEveryI1SpectrumBitEqual)
{
    const Serie s(400);
    std::vector<std::vector<double>> rahmen;
    for (int k = 1; k <= 10; ++k) rahmen.push_back(s.I1(k));
    ASSERT_TRUE(dex_serie::Schreibe(o + "i1_serie.a.dxa", s.x, rahmen));
    ASSERT_TRUE(s.SchreibeDateien(o, {1, 2}, {}));
    const std::vector<double> folie1(400, 1.5), folie2(400, 2.5), dunkel2(400, 7.0);
    ASSERT_TRUE(dex_serie::Schreibe(o + "f1.dxa", s.x, {folie1}));
    ASSERT_TRUE(dex_serie::Schreibe(o + "f2.dxa", s.x, {folie2}));
    ASSERT_TRUE(dex_serie::Schreibe(o + "d2.dxa", s.x, {dunkel2}));
    DexPfade p = Pfade(o + "i0_1.dxa", o + "i1_serie.a.dxa", o + "dark.dxa");
    p.Pfad[DEX_I0_2] = o + "i0_2.dxa";
    p.Pfad[DEX_DUNKEL_2] = o + "d2.dxa";
    p.Pfad[DEX_FOLIE_1] = o + "f1.dxa";
    p.Pfad[DEX_FOLIE_2] = o + "f2.dxa";
    DexUmgebung u = Umgebung(nullptr, {});
    DexErgebnis e;
    ASSERT_EQ(BerechneDexDateien(p, true, true, u, &e), 400);
    const std::string ziel = o + "i1_serie.xas";
    ASSERT_EQ(e.Geschrieben, std::vector<std::string>{ziel});
    EXPECT_EQ(SpaltenWort(ziel), 17);
    auto alsFloat = [](const std::vector<double>& v) {
        std::vector<double> r;
        for (double w : v) r.push_back(static_cast<float>(w));
        return r;
    };
    EXPECT_EQ(Spalte(ziel, 2), alsFloat(s.I0(1)));
    EXPECT_EQ(Spalte(ziel, 3), alsFloat(s.dunkel));
    EXPECT_EQ(Spalte(ziel, 4), folie1);
    for (int k = 1; k <= 10; ++k) EXPECT_EQ(Spalte(ziel, 4 + k), Spalte(o + "i1_serie.a.dxa", k + 1)) << k;
    EXPECT_EQ(Spalte(ziel, 15), dunkel2);
    EXPECT_EQ(Spalte(ziel, 16), alsFloat(s.I0(2)));
    EXPECT_EQ(Spalte(ziel, 17), folie2);
    // A DEX run without the optional files holds zeros in their columns.
    DexPfade kurz = Pfade(o + "i0_1.dxa", o + "i1_serie.a.dxa", "");
    ASSERT_EQ(BerechneDexDateien(kurz, true, false, u, &e), 400);
    EXPECT_EQ(Spalte(ziel, 3), std::vector<double>(400, 0.0));
    EXPECT_EQ(Spalte(ziel, 17), std::vector<double>(400, 0.0));
}
