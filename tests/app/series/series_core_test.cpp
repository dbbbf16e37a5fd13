// The series' grid, average, multi-column file helpers, column average,
// header values and foil names, with GSL's natural spline as the reference
// and the real Au L3 series and dispersive Fe K spectrum of data/.
#include "series/series.h"

#include <gsl/gsl_spline.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/series/series_test_files.h"
#include "spectra/spectrum_file.h"

namespace {

const std::string DATA = std::string(KORLAN_TEST_DIR) + "/app/series/data/";
const char* const ZEITFOLGE[] = {"series_t0.12.dat", "series_t2.42.dat", "series_t4.73.dat",
                                 "series_t7.03.dat", "series_t9.33.dat", "series_t20.dat",
                                 "series_t33.dat",   "series_t720.dat"};

SerienKurve LiesKurve(const std::string& name)
{
    SerienKurve k;
    k.Name = name;
    std::ifstream in(DATA + name);
    std::string zeile;
    while (std::getline(in, zeile)) {
        if (zeile.empty() || zeile[0] == '#') continue;
        double x, y;
        if (std::sscanf(zeile.c_str(), "%lf %lf", &x, &y) == 2) {
            k.x.push_back(x);
            k.y.push_back(y);
        }
    }
    return k;
}

std::vector<SerienKurve> Zeitreihe()
{
    std::vector<SerienKurve> r;
    for (const char* n : ZEITFOLGE) r.push_back(LiesKurve(n));
    return r;
}

// GSL's natural cubic spline of (x, y) at xs.
std::vector<double> GslSpline(const std::vector<double>& x, const std::vector<double>& y,
                              const std::vector<double>& xs)
{
    gsl_interp* s = gsl_interp_alloc(gsl_interp_cspline, x.size());
    gsl_interp_init(s, x.data(), y.data(), x.size());
    gsl_interp_accel* acc = gsl_interp_accel_alloc();
    std::vector<double> r;
    for (double v : xs) r.push_back(gsl_interp_eval(s, x.data(), y.data(), v, acc));
    gsl_interp_accel_free(acc);
    gsl_interp_free(s);
    return r;
}

std::string Temp(const std::string& name)
{
    return ::testing::TempDir() + "series_" + name;
}

bool Existiert(const std::string& pfad)
{
    std::FILE* f = std::fopen(pfad.c_str(), "rb");
    if (f) std::fclose(f);
    return f != nullptr;
}

}  // namespace

TEST(SeriesChoice, MultipleSelectionAndOutputName)
{
    const char mehrere[] = "C:\\data\0a.dat\0b.dat\0\0";
    EXPECT_EQ(MehrfachAuswahl(mehrere, sizeof mehrere),
              (std::vector<std::string>{"C:\\data\\a.dat", "C:\\data\\b.dat"}));
    const char einer[] = "C:\\data\\a.dat\0\0";
    EXPECT_EQ(MehrfachAuswahl(einer, sizeof einer), std::vector<std::string>{"C:\\data\\a.dat"});
    // A buffer without its final zero is not read beyond its end.
    const char abgeschnitten[4] = {'C', ':', '\\', 'x'};
    EXPECT_EQ(MehrfachAuswahl(abgeschnitten, 4), std::vector<std::string>{"C:\\x"});

    struct Fall { std::string ein; bool ok; std::string aus; };
    const Fall faelle[] = {{"", true, "test.dxa"},          {"a", true, "test.dxa"},
                           {"run", true, "run.dxa"},        {"run.dat", true, "run.dat"},
                           {"C:\\d.x\\run", true, "C:\\d.x\\run.dxa"},
                           {std::string(199, 'a'), false, ""}, {std::string(200, 'a'), false, ""}};
    for (const Fall& f : faelle) {
        std::string aus = "unchanged";
        EXPECT_EQ(McAusgabeName(f.ein, &aus), f.ok) << f.ein;
        EXPECT_EQ(aus, f.ok ? f.aus : "unchanged") << f.ein;
    }
    EXPECT_TRUE(GlaettungsGradGueltig(0, 267));
    EXPECT_TRUE(GlaettungsGradGueltig(66, 267));
    EXPECT_FALSE(GlaettungsGradGueltig(67, 267));
    EXPECT_FALSE(GlaettungsGradGueltig(10000, 267));
    EXPECT_FALSE(GlaettungsGradGueltig(-1, 267));
}

TEST(SeriesGrid, RealSeriesIsCutToTheCommonRangeAndKeepsEveryPoint)
{
    std::vector<SerienKurve> k = Zeitreihe();
    SerienGitter g;
    ASSERT_EQ(BaueSerie(k, &g), 267);
    ASSERT_EQ(g.x.size(), 267u);
    EXPECT_DOUBLE_EQ(g.x.front(), 11729.950464);
    EXPECT_DOUBLE_EQ(g.x.back(), 12460.237571);
    EXPECT_NE(g.Bericht.find("grid cut to"), std::string::npos);
    EXPECT_NE(g.Bericht.find("series_t9.33.dat"), std::string::npos) << g.Bericht;
    EXPECT_NE(g.Bericht.find("series_t20.dat"), std::string::npos) << g.Bericht;
    ASSERT_EQ(g.Spalten.size(), 8u);
    std::vector<double> mittel(g.x.size(), 0.0);
    for (std::size_t d = 0; d < k.size(); ++d) {
        std::vector<double> ref = GslSpline(k[d].x, k[d].y, g.x);
        for (std::size_t i = 0; i < g.x.size(); ++i) {
            ASSERT_NEAR(g.Spalten[d][i], ref[i], 1e-9 * (1.0 + std::fabs(ref[i]))) << d << " " << i;
            mittel[i] += ref[i] / 8.0;
        }
    }
    for (std::size_t i = 0; i < g.x.size(); ++i) EXPECT_NEAR(g.Mittel[i], mittel[i], 1e-6);
}

TEST(SeriesGrid, TwoCopiesGiveTheFileBackAndDisjointFilesNothing)
{
    SerienKurve a = LiesKurve("series_t0.12.dat");
    SerienGitter g;
    ASSERT_EQ(BaueSerie({a, a}, &g), static_cast<int32_t>(a.x.size()));
    EXPECT_EQ(g.x, a.x);
    for (std::size_t i = 0; i < a.y.size(); ++i) EXPECT_NEAR(g.Mittel[i], a.y[i], 1e-12);
    EXPECT_TRUE(g.Bericht.empty());

    // One file alone is a one-column series.
    ASSERT_EQ(BaueSerie({a}, &g), static_cast<int32_t>(a.x.size()));
    EXPECT_EQ(g.Spalten.size(), 1u);

    SerienKurve b = a;
    for (double& x : b.x) x += 5000.0;
    EXPECT_EQ(BaueSerie({a, b}, &g), 0);
}

TEST(SeriesGrid, RangeCheckZeroesOutliersInTheColumnOnly)
{
    double u, o;
    struct Fall { std::vector<double> y; double unten, oben; };
    const Fall faelle[] = {{{1, 2, 5}, 0.8, 6.0}, {{-5, -1}, -6.0, -0.8}, {{-2, 3}, -2.4, 3.6}};
    for (const Fall& f : faelle) {
        WertGrenzen(f.y.data(), static_cast<int32_t>(f.y.size()), &u, &o);
        EXPECT_DOUBLE_EQ(u, f.unten);
        EXPECT_DOUBLE_EQ(o, f.oben);
    }
    // A spike between two points makes the spline overshoot far beyond the
    // file's own range next to it.
    SerienKurve a{"a", {0, 1, 2, 3, 4, 5, 6}, {1, 1, 1, 1, 1, 1, 1}};
    SerienKurve b{"b", {0, 2, 2.001, 2.002, 4, 6}, {1, 1, 50, 1, 1, 1}};
    SerienGitter g;
    ASSERT_EQ(BaueSerie({a, b}, &g), 7);
    std::vector<double> ref = GslSpline(b.x, b.y, g.x);
    bool ersetzt = false;
    for (std::size_t i = 0; i < g.x.size(); ++i) {
        EXPECT_NEAR(g.Mittel[i], (1.0 + ref[i]) / 2.0, 1e-9);
        if (ref[i] > 60.0 || ref[i] < -10.0) {
            EXPECT_EQ(g.Spalten[1][i], 0.0);
            ersetzt = true;
        }
    }
    EXPECT_TRUE(ersetzt);
}

TEST(SeriesEdge, InflectionPointOfArctangentEdges)
{
    // 0.5 eV steps in keV, edges within +-2 eV of 8.979 keV.
    for (double verschiebung : {-1.7, -0.4, 0.0, 0.9, 1.95}) {
        const double e0 = 8.979 + verschiebung / 1000.0;
        std::vector<double> x, y;
        for (double e = 8.929; e <= 9.029; e += 0.0005) {
            x.push_back(e);
            y.push_back(std::atan((e - e0) / 0.0015) + 0.3 * (e - 8.9));
        }
        double gefunden = 0.0;
        ASSERT_EQ(KantenLage(x.data(), y.data(), static_cast<int32_t>(x.size()), 5, true, false, 0,
                             0, &gefunden), 1);
        EXPECT_NEAR(gefunden, e0, 0.0001) << verschiebung;
        // A search interval without a root is reported, not guessed.
        gefunden = -1.0;
        EXPECT_EQ(KantenLage(x.data(), y.data(), static_cast<int32_t>(x.size()), 5, true, true,
                             8.990, 8.995, &gefunden), 0);
        EXPECT_EQ(gefunden, -1.0);
    }
}

TEST(SeriesFiles, MultiColumnFileRoundTripAndFailureKeepsOlderFile)
{
    std::vector<SerienKurve> k = Zeitreihe();
    SerienGitter g;
    ASSERT_EQ(BaueSerie(k, &g), 267);
    std::vector<std::vector<double>> spalten{g.x};
    for (auto& s : g.Spalten) spalten.push_back(s);
    const double koeff[3] = {1.5, 0.25, 0.0};
    const std::string pfad = Temp("round.dxa");
    ASSERT_TRUE(SchreibeMcDatei(pfad.c_str(), spalten, koeff, "series_t0.12.dat", nullptr));
    McInhalt m = LiesMc(pfad);
    EXPECT_EQ(m.kopf.Worte[0], 6666);
    EXPECT_EQ(m.kopf.Worte[1], 9999);
    EXPECT_EQ(m.kopf.Worte[2], 0);
    EXPECT_EQ(m.kopf.Worte[10], 267);
    EXPECT_EQ(m.kopf.Worte[11], 9);
    EXPECT_EQ(m.kopf.Worte[20], 1500);
    EXPECT_EQ(m.kopf.Worte[22], 250);
    ASSERT_EQ(m.spalten.size(), 9u);
    for (std::size_t s = 0; s < 9; ++s)
        for (std::size_t i = 0; i < 267; ++i)
            ASSERT_EQ(m.spalten[s][i], static_cast<double>(static_cast<float>(spalten[s][i])));
    EXPECT_FALSE(Existiert(pfad + ".tmp~"));

    // Columns of unequal length write nothing; the older file stays.
    std::vector<uint8_t> vorher = Bytes(pfad);
    spalten[5].pop_back();
    EXPECT_FALSE(SchreibeMcDatei(pfad.c_str(), spalten, koeff, "", nullptr));
    EXPECT_EQ(Bytes(pfad), vorher);
    // A folder that does not exist: nothing written, no temporary left.
    spalten[5].push_back(0.0);
    const std::string fehlt = Temp("no_such_folder/test.dxa");
    EXPECT_FALSE(SchreibeMcDatei(fehlt.c_str(), spalten, koeff, "", nullptr));
    EXPECT_FALSE(Existiert(fehlt));
}

TEST(SeriesFiles, TextTableAndNames)
{
    const std::string kopf = McTextKopf("Fri Dec 11 01:30:00 2026", "run_c.dxa");
    EXPECT_EQ(kopf, "# created: Fri Dec 11 01:30:00 2026\n#  from file: run_c.dxa\n");
    const double werte[9] = {11729.950464, -0.29929725, 1.0, 0.0, -1.234567e-12,
                             123456789.0,  2.5,         -7.0, 1e300};
    const std::string zeile = McTextZeile(werte, 9);
    ASSERT_EQ(zeile.size(), 9u * 14 + 1);
    EXPECT_EQ(zeile.back(), '\n');
    std::istringstream in(zeile);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(zeile[14 * i + 13], ' ');
        double v;
        ASSERT_TRUE(in >> v);
        EXPECT_NEAR(v, werte[i], 5e-6 * std::fabs(werte[i])) << i;
    }
    // Any column count: 120 values.
    std::vector<double> viele(120, 3.25);
    EXPECT_EQ(McTextZeile(viele.data(), 120).size(), 120u * 14 + 1);

    EXPECT_EQ(BasisName("run.1.dxa"), "run.1");
    EXPECT_EQ(BasisName("run"), "run");
    EXPECT_EQ(TeilDateiPfad("C:\\data", "run", 1, true), "C:\\data\\run_001.dat");
    EXPECT_EQ(TeilDateiPfad("C:\\data\\", "run", 120, false), "C:\\data\\run_120.x_y");
    EXPECT_EQ(AnhangName("C:\\d\\x.dxa", 9), "C:\\d\\x.a9");
    EXPECT_EQ(AnhangName("C:\\d\\x.a5", 5), "C:\\d\\x.a5");
    EXPECT_EQ(AnhangName("C:\\d.x\\serie", 3), "C:\\d.x\\serie.a3");
}

namespace {

std::string SchreibeTestMc(const std::string& name, int32_t n, int32_t spektren, bool imaginaer)
{
    std::vector<std::vector<double>> s;
    std::vector<double> x(n);
    for (int32_t i = 0; i < n; ++i) x[i] = 100.0 + 0.5 * i;
    s.push_back(x);
    for (int32_t j = 0; j < spektren; ++j) {
        std::vector<double> y(n);
        for (int32_t i = 0; i < n; ++i) y[i] = std::sin(0.01 * i + j);
        s.push_back(y);
    }
    const std::string pfad = Temp(name);
    const double koeff[3] = {0, 0, 0};
    EXPECT_TRUE(SchreibeMcDatei(pfad.c_str(), s, koeff, name.c_str(), nullptr));
    if (imaginaer) {
        std::vector<uint8_t> b = Bytes(pfad);
        b[24] = 1;
        std::ofstream(pfad, std::ios::binary).write(reinterpret_cast<char*>(b.data()), b.size());
    }
    return pfad;
}

}  // namespace

TEST(SeriesAppend, ShiftedCurveBecomesTheTenthColumn)
{
    std::vector<SerienKurve> k = Zeitreihe();
    SerienGitter g;
    ASSERT_EQ(BaueSerie(k, &g), 267);
    std::vector<std::vector<double>> spalten{g.x};
    for (auto& s : g.Spalten) spalten.push_back(s);
    const std::string f = Temp("append.dxa");
    const double koeff[3] = {0, 0, 0};
    ASSERT_TRUE(SchreibeMcDatei(f.c_str(), spalten, koeff, "", nullptr));
    McInhalt alt = LiesMc(f);

    SerienKurve c = k[0];
    for (double& x : c.x) x += 3.0;
    const std::string neu = AnhangName(f, 9);
    int32_t anzahl = 0;
    ASSERT_EQ(SpalteAnhaengen(f.c_str(), neu.c_str(), c.x.data(), c.y.data(),
                              static_cast<int32_t>(c.x.size()), &anzahl), ANHANG_OK);
    EXPECT_EQ(anzahl, 10);
    EXPECT_FALSE(Existiert(f));
    McInhalt m = LiesMc(neu);
    EXPECT_EQ(m.kopf.Worte[11], 10);
    ASSERT_EQ(m.spalten.size(), 10u);
    for (std::size_t s = 0; s < 9; ++s) EXPECT_EQ(m.spalten[s], alt.spalten[s]);
    std::vector<double> ref = GslSpline(c.x, c.y, m.spalten[0]);
    // The grid starts before the shifted curve: only points inside it compare.
    for (std::size_t i = 0; i < 267; ++i)
        if (m.spalten[0][i] >= c.x.front()) {
            EXPECT_NEAR(m.spalten[9][i], ref[i], 1e-5 * (1 + std::fabs(ref[i]))) << i;
        }
}

TEST(SeriesAppend, EqualCountOtherXIsInterpolatedAndSameNameIsReplaced)
{
    // 2,000 points: a whole number of 1,000-value chunks.
    const std::string f = SchreibeTestMc("x.a5", 2000, 5, true);
    McInhalt alt = LiesMc(f);
    ASSERT_EQ(alt.kopf.Worte[11], 6);
    const int32_t S = alt.kopf.Worte[11] - (alt.kopf.Worte[12] != 0 ? 1 : 0);
    std::vector<double> x(alt.spalten[0]), y(2000);
    for (std::size_t i = 0; i < x.size(); ++i) {
        x[i] += 0.25;
        y[i] = 0.001 * x[i] * x[i];
    }
    const std::string neu = AnhangName(f, S);
    ASSERT_EQ(neu, f);
    int32_t anzahl = 0;
    ASSERT_EQ(SpalteAnhaengen(f.c_str(), neu.c_str(), x.data(), y.data(), 2000, &anzahl), ANHANG_OK);
    EXPECT_EQ(anzahl, 6);
    McInhalt m = LiesMc(neu);
    EXPECT_EQ(m.kopf.Worte[12], 0);
    EXPECT_EQ(m.kopf.Worte[10], 2000);
    ASSERT_EQ(m.spalten.size(), 6u);
    for (std::size_t s = 0; s < 5; ++s) EXPECT_EQ(m.spalten[s], alt.spalten[s]);
    // Interpolated onto the file's own x (0.001 x^2 there), not copied.
    for (std::size_t i = 1; i < 1999; ++i) {
        const double g = m.spalten[0][i];
        EXPECT_NEAR(m.spalten[5][i], 0.001 * g * g, 1e-3) << i;
    }

    // With equal x the curve's own values are taken.
    const std::string f2 = SchreibeTestMc("gleich.dxa", 50, 2, false);
    McInhalt a2 = LiesMc(f2);
    std::vector<double> y2(50);
    for (int i = 0; i < 50; ++i) y2[i] = (i % 2) ? 7.0 : -3.0;
    ASSERT_EQ(SpalteAnhaengen(f2.c_str(), AnhangName(f2, 2).c_str(), a2.spalten[0].data(),
                              y2.data(), 50, nullptr), ANHANG_OK);
    EXPECT_EQ(LiesMc(AnhangName(f2, 2)).spalten[3], y2);
}

TEST(SeriesAppend, RefusedFilesStayUnchanged)
{
    const std::string f = SchreibeTestMc("ganz.dxa", 20, 2, false);
    std::vector<uint8_t> b = Bytes(f);
    b[4] = 1;  // 16-bit samples
    std::ofstream(f, std::ios::binary).write(reinterpret_cast<char*>(b.data()), b.size());
    std::vector<double> x{100, 101, 102}, y{1, 2, 3};
    const std::string neu = AnhangName(f, 3);
    EXPECT_EQ(SpalteAnhaengen(f.c_str(), neu.c_str(), x.data(), y.data(), 3, nullptr), ANHANG_GANZZAHL);
    b[0] = 'x';
    std::ofstream(f, std::ios::binary).write(reinterpret_cast<char*>(b.data()), b.size());
    EXPECT_EQ(SpalteAnhaengen(f.c_str(), neu.c_str(), x.data(), y.data(), 3, nullptr), ANHANG_KEIN_BINAER);
    // A truncated file: the header announces more than it holds.
    const std::string t = SchreibeTestMc("kurz.dxa", 20, 2, false);
    std::vector<uint8_t> kb = Bytes(t);
    kb.resize(kb.size() - 10);
    std::ofstream(t, std::ios::binary).write(reinterpret_cast<char*>(kb.data()), kb.size());
    EXPECT_EQ(SpalteAnhaengen(t.c_str(), AnhangName(t, 3).c_str(), x.data(), y.data(), 3, nullptr),
              ANHANG_FEHLER);
    EXPECT_EQ(Bytes(t), kb);
    EXPECT_FALSE(Existiert(AnhangName(t, 3)));
    EXPECT_EQ(Bytes(f), b);
    EXPECT_FALSE(Existiert(neu));
    // A file with the most columns the reader takes gets no further one.
    const std::string voll = SchreibeTestMc("voll.dxa", 4, MAX_SPALTEN - 1, false);
    const std::vector<uint8_t> vb = Bytes(voll);
    std::vector<double> x4{100, 100.5, 101, 101.5}, y4{1, 2, 3, 4};
    EXPECT_EQ(SpalteAnhaengen(voll.c_str(), AnhangName(voll, MAX_SPALTEN).c_str(), x4.data(), y4.data(), 4,
                              nullptr), ANHANG_VOLL);
    EXPECT_EQ(Bytes(voll), vb);
    EXPECT_FALSE(Existiert(AnhangName(voll, MAX_SPALTEN)));
}

TEST(SeriesColumns, AverageAndDispersiveAbsorption)
{
    std::vector<double> a{1, 2, 3}, b{3, 6, 9}, aus(3, -1);
    EXPECT_EQ(MittleSpaltenWerte({a.data()}, {4}, 3, false, nullptr, nullptr, nullptr, 0, 0, aus.data()), 1);
    EXPECT_EQ(aus, a);
    EXPECT_EQ(MittleSpaltenWerte({a.data(), b.data()}, {4, 5}, 3, false, nullptr, nullptr, nullptr, 0,
                                 0, aus.data()), 2);
    EXPECT_EQ(aus, (std::vector<double>{2, 4, 6}));
    std::vector<double> unberuehrt(aus);
    EXPECT_EQ(MittleSpaltenWerte({}, {}, 3, false, nullptr, nullptr, nullptr, 0, 0, aus.data()), 0);
    EXPECT_EQ(aus, unberuehrt);

    EXPECT_DOUBLE_EQ(I0Interpoliert(1000.0, 1080.0, 50.0, 2, 2, 18), 950.0);
    EXPECT_DOUBLE_EQ(I0Interpoliert(1000.0, 1080.0, 50.0, 18, 2, 18), 1030.0);
    EXPECT_DOUBLE_EQ(I0Interpoliert(1000.0, 1080.0, 50.0, 10, 2, 18), 990.0);

    // A dispersive file from the real Fe K spectrum: x = diodes, I0(1) in
    // frame 2, dark in frame 3, I0(2) in frame K - 2 with 8 % drift, the
    // sample columns in between.
    SerienKurve emg = LiesKurve("EMG003.txt");
    const int32_t n = static_cast<int32_t>(emg.y.size());
    ASSERT_EQ(n, 1128);
    const int32_t K = 20, c1 = 2, c2 = K - 2;
    std::vector<double> i01(n), dunkel(n), i02(n);
    std::vector<double> i0a(n), i0b(n);
    for (int32_t i = 0; i < n; ++i) {
        i0a[i] = 20000.0 + 3000.0 * std::sin(0.004 * i);
        i0b[i] = i0a[i] * 1.08;
        dunkel[i] = 150.0 + 0.01 * i;
        i01[i] = dunkel[i] + i0a[i];
        i02[i] = dunkel[i] + i0b[i];
    }
    std::vector<std::vector<double>> proben;
    std::vector<int32_t> nummern;
    for (int32_t j = 4; j < K - 2; ++j) {
        std::vector<double> r(n);
        for (int32_t i = 0; i < n; ++i) {
            const double i0 = i0a[i] + (i0b[i] - i0a[i]) * (j - c1) / double(c2 - c1);
            r[i] = dunkel[i] + i0 * std::exp(-emg.y[i]);
        }
        proben.push_back(r);
        nummern.push_back(j);
    }
    std::vector<double> mu(n);
    for (std::size_t s = 0; s < proben.size(); ++s) {
        ASSERT_EQ(MittleSpaltenWerte({proben[s].data()}, {nummern[s]}, n, true, i01.data(),
                                     dunkel.data(), i02.data(), c1, c2, mu.data()), 1);
        for (int32_t i = 0; i < n; ++i) ASSERT_NEAR(mu[i], emg.y[i], 1e-5) << s << " " << i;
    }
    std::vector<const double*> alle;
    for (auto& p : proben) alle.push_back(p.data());
    ASSERT_EQ(MittleSpaltenWerte(alle, nummern, n, true, i01.data(), dunkel.data(), i02.data(), c1,
                                 c2, mu.data()), static_cast<int32_t>(proben.size()));
    for (int32_t i = 0; i < n; ++i) ASSERT_NEAR(mu[i], emg.y[i], 1e-5) << i;
    // A column equal to the dark current gives 0.
    ASSERT_EQ(MittleSpaltenWerte({dunkel.data()}, {5}, n, true, i01.data(), dunkel.data(),
                                 i02.data(), c1, c2, mu.data()), 1);
    for (double v : mu) ASSERT_EQ(v, 0.0);
}

TEST(SeriesHeader, ValueNumberLabelsAndFoilNames)
{
    struct Fall { const char* text; int32_t k; };
    const Fall faelle[] = {{"2", 1}, {"3", 2}, {"20", 19}, {"1", 0}, {"21", -1},
                           {"0", -1}, {"", -1},  {"x", -1}, {"3a", -1}, {" 5 ", 4}};
    for (const Fall& f : faelle) EXPECT_EQ(KopfWertNummer(f.text), f.k) << f.text;
    EXPECT_STREQ(KopfWertText(1), "time [s]");
    EXPECT_STREQ(KopfWertText(2), "temperature [~oC]");
    EXPECT_STREQ(KopfWertText(7), "intensity [a.u.]");

    std::string name = "old";
    EXPECT_EQ(FolienName("Fe, K", &name), -1);
    EXPECT_EQ(FolienName("", &name), 0);
    EXPECT_EQ(name, "old");
    EXPECT_EQ(FolienName("Fe K", &name), 1);
    EXPECT_EQ(name, "Fe K");
    EXPECT_EQ(FolienName(std::string(45, 'F').c_str(), &name), 1);
    EXPECT_EQ(name, std::string(39, 'F'));
}

// Ten files with arctangent edges on 0.5 eV steps: the reference edges
// sit within +-2 eV of Cu's 8.979 keV, the sample edges 3 eV above them.
// Each file is shifted so that its reference edge falls on 8.979 keV.
TEST(SeriesCalibration, EveryReferenceEdgeIsMovedOntoTheTabulatedEdge)
{
    const double verschiebung[10] = {-1.9, -1.3, -0.75, -0.2, 0.0, 0.35, 0.8, 1.1, 1.6, 1.95};
    std::vector<SerienKurve> kurven, referenzen;
    for (int d = 0; d < 10; ++d) {
        const double eRef = 8.979 + verschiebung[d] / 1000.0;
        const double eProbe = eRef + 0.003;
        SerienKurve p, r;
        p.Name = r.Name = "cal_" + std::to_string(d) + ".dat";
        for (int i = 0; i < 240; ++i) {
            const double e = 8.92 + 0.0005 * i + 0.0001 * d;
            p.x.push_back(e);
            r.x.push_back(e);
            p.y.push_back(std::atan((e - eProbe) / 0.002) + 0.2 * (e - 8.9));
            r.y.push_back(2.0 * std::atan((e - eRef) / 0.0015) - 0.5 * (e - 8.9));
        }
        kurven.push_back(p);
        referenzen.push_back(r);
    }
    SerienKalibrierung k;
    k.An = true;
    k.Kante = 8.979;
    SerienGitter g;
    std::string bericht;
    int32_t datei = 7;
    ASSERT_EQ(SerieAusKurven(&kurven, referenzen, k, "cal.dxa", &g, &bericht, &datei), SERIE_OK) << bericht;
    EXPECT_EQ(datei, -1);
    EXPECT_EQ(bericht.rfind(" Average Files / Create MC File from following files:\r\n\r\n   MC File Name:   cal.dxa\r\n", 0),
              0u);
    for (int d = 0; d < 10; ++d) {
        // Each sample edge lands 3 eV above 8.979 keV.
        double e = 0.0;
        ASSERT_EQ(KantenLage(kurven[d].x.data(), kurven[d].y.data(), 240, 0, true, false, 0, 0, &e), 1);
        EXPECT_NEAR(e, 8.982, 0.0001) << d;
        // "   - Calib:" names the reference edge found and the shift in eV.
        const std::string titel = " " + std::to_string(d + 1) + ". file:  ";
        const std::size_t p = bericht.find(titel);
        ASSERT_NE(p, std::string::npos) << d;
        const std::size_t c = bericht.find("   - Calib: E(0)= ", p);
        ASSERT_NE(c, std::string::npos);
        double e0 = 0.0, delta = 0.0;
        ASSERT_EQ(std::sscanf(bericht.c_str() + c, "   - Calib: E(0)= %lf, delta[eV]= %lf", &e0, &delta), 2);
        EXPECT_NEAR(e0, 8.979 + verschiebung[d] / 1000.0, 0.0001) << d;
        EXPECT_NEAR(delta, -verschiebung[d], 0.1) << d;
        EXPECT_NE(bericht.find("\r\n\r\n", c), std::string::npos);
    }
    // Shifted files no longer cover the whole first grid.
    EXPECT_LT(g.x.size(), 240u);
    EXPECT_NE(bericht.find("grid cut to"), std::string::npos);
}

TEST(SeriesCalibration, NoRootOrTooMuchSmoothingStopsAtTheFile)
{
    SerienKurve flach{"flach.dat", {}, {}}, kante{"kante.dat", {}, {}};
    for (int i = 0; i < 100; ++i) {
        const double e = 8.95 + 0.0005 * i;
        flach.x.push_back(e);
        kante.x.push_back(e);
        flach.y.push_back(1.0);
        kante.y.push_back(std::atan((e - 8.975) / 0.002));
    }
    SerienKalibrierung k;
    k.An = true;
    k.Bereich = true;   // an interval below the edge holds no root
    k.Von = 8.96;
    k.Bis = 8.965;
    k.Grad = 0;
    std::vector<SerienKurve> kurven{kante, kante}, referenzen{kante, kante};
    SerienGitter g;
    std::string bericht = "unchanged";
    int32_t datei = -1;
    EXPECT_EQ(SerieAusKurven(&kurven, referenzen, k, "x", &g, &bericht, &datei), SERIE_KEINE_KANTE);
    EXPECT_EQ(datei, 0);
    EXPECT_EQ(bericht, "unchanged");
    k.Bereich = false;
    k.Grad = 26;   // a quarter of 100 points is 25
    EXPECT_EQ(SerieAusKurven(&kurven, referenzen, k, "x", &g, &bericht, &datei), SERIE_GRAD);
    k.Grad = 5;
    // A flat reference has no edge at all.
    referenzen[1] = flach;
    EXPECT_EQ(SerieAusKurven(&kurven, referenzen, k, "x", &g, &bericht, &datei), SERIE_KEINE_KANTE);
    EXPECT_EQ(datei, 1);

    // Without calibration each entry is preceded by a blank line.
    k.An = false;
    kurven = {kante, kante};
    ASSERT_EQ(SerieAusKurven(&kurven, {}, k, "test.dxa", &g, &bericht, &datei), SERIE_OK);
    EXPECT_NE(bericht.find("test.dxa\r\n\r\n 1. file:     kante.dat\r\n   -  # 100, 8.95000E+00 to 8.99950E+00\r\n\r\n 2. file:"),
              std::string::npos)
        << bericht;
}

TEST(SeriesCalibration, PreparedFormKeepsNameAndPaths)
{
    const std::vector<std::string> pfade{"Z:\\a b\\x.dat", "C:\\y,1.dat"};
    const std::string t = SerienAuftragText("out.dxa", pfade);
    std::string aus;
    std::vector<std::string> zurueck;
    ASSERT_TRUE(SerienAuftragLesen(t, &aus, &zurueck));
    EXPECT_EQ(aus, "out.dxa");
    EXPECT_EQ(zurueck, pfade);
    ASSERT_TRUE(SerienAuftragLesen("|C:\\z.dat", &aus, &zurueck));
    EXPECT_EQ(aus, "");
    EXPECT_EQ(zurueck, std::vector<std::string>{"C:\\z.dat"});
    EXPECT_FALSE(SerienAuftragLesen("out.dxa|", &aus, &zurueck));
    EXPECT_FALSE(SerienAuftragLesen("", &aus, &zurueck));
}
