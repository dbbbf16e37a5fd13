// The plain parts of the automatic series analysis: the I0 convolution
// (identity, centroids, constants, widths), the column spectrum on the
// measured Fe K spectrum EMG003, the result-table lines, the multi-column
// plot list and the DXAS switch of the column fields.
#include "series/series_analysis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

namespace {

double Schwerpunkt(const std::vector<double>& y)
{
    double s = 0.0, m = 0.0;
    for (std::size_t i = 0; i < y.size(); ++i) {
        s += y[i];
        m += y[i] * static_cast<double>(i);
    }
    return m / s;
}

std::vector<std::string> Felder(const std::string& zeile)
{
    std::vector<std::string> f;
    std::stringstream ein(zeile);
    for (std::string t; std::getline(ein, t, ',');) f.push_back(t);
    return f;
}

}  // namespace

TEST(SeriesConvolution, KernelIsSymmetricNormalisedAndOnlyForPositiveWidths)
{
    for (int32_t art : {FALTUNG_GAUSS, FALTUNG_LORENTZ}) {
        std::vector<double> k;
        ASSERT_TRUE(FaltungsKern(art, 5.0, 1.0, 1024, 400, &k));
        ASSERT_EQ(k.size(), 1024u);
        EXPECT_NEAR(std::accumulate(k.begin(), k.end(), 0.0), 1.0, 1e-12);
        for (int i = 1; i <= 400; ++i) ASSERT_EQ(k[i], k[1024 - i]) << i;
        for (int i = 401; i < 1024 - 400; ++i) ASSERT_EQ(k[i], 0.0) << i;
        // Half height at half the width, lag 0 counted once.
        EXPECT_NEAR(FaltungsProfil(art, 5.0, 2.5), 0.5, 1e-12);
        EXPECT_NEAR(k[0] / (k[0] + 2.0 * std::accumulate(k.begin() + 1, k.begin() + 401, 0.0)), k[0], 1e-12);
        std::vector<double> ungenutzt{42.0};
        for (double breite : {0.0, -1.0}) EXPECT_FALSE(FaltungsKern(art, breite, 1.0, 1024, 400, &ungenutzt));
        EXPECT_FALSE(FaltungsKern(art, 5.0, 1.0, 1024, 512, &ungenutzt));   // reach beyond half the length
        EXPECT_EQ(ungenutzt, std::vector<double>{42.0});
    }
    double w = 0.0;
    for (const char* falsch : {"0", "-1", "", "  ", "3x"}) EXPECT_FALSE(FaltungsBreiteLesen(falsch, &w)) << falsch;
    ASSERT_TRUE(FaltungsBreiteLesen("2.5", &w));
    EXPECT_EQ(w, 2.5);
    // 2.5 is used as 2.5, not as 2.
    std::vector<double> a(200, 0.0), b(200, 0.0);
    a[100] = b[100] = 1.0;
    ASSERT_TRUE(FalteMitProfil(a.data(), 200, 1.0, FALTUNG_GAUSS, 2.5));
    ASSERT_TRUE(FalteMitProfil(b.data(), 200, 1.0, FALTUNG_GAUSS, 2.0));
    EXPECT_GT(std::fabs(a[100] - b[100]), 1e-3);
}

TEST(SeriesConvolution, IdentityCentroidsAndConstants)
{
    // Much narrower than the step: nothing changes.
    std::vector<double> y(300);
    for (int i = 0; i < 300; ++i) y[i] = std::sin(0.05 * i) + 0.001 * i * i;
    std::vector<double> z = y;
    ASSERT_TRUE(FalteMitProfil(z.data(), 300, 1.0, FALTUNG_GAUSS, 0.01));
    for (int i = 0; i < 300; ++i) ASSERT_NEAR(z[i], y[i], 1e-9) << i;

    // A symmetric peak keeps its centroid under a Gaussian, in the middle
    // and near an end (a Lorentzian's long tails run out of the curve).
    for (double mitte : {500.3, 40.6}) {
        std::vector<double> p(1000);
        for (int i = 0; i < 1000; ++i) p[i] = std::exp(-0.5 * std::pow((i - mitte) / 3.0, 2));
        const double vorher = Schwerpunkt(p);
        ASSERT_TRUE(FalteMitProfil(p.data(), 1000, 1.0, FALTUNG_GAUSS, 5.0));
        EXPECT_NEAR(Schwerpunkt(p), vorher, 1e-6) << mitte;
    }

    // A constant stays constant at every point.
    for (int32_t n : {1000, 1024})
        for (int32_t art : {FALTUNG_GAUSS, FALTUNG_LORENTZ}) {
            std::vector<double> c(static_cast<std::size_t>(n), 1234.5);
            ASSERT_TRUE(FalteMitProfil(c.data(), n, 0.5, art, 7.0));
            for (int32_t i = 0; i < n; ++i) ASSERT_NEAR(c[i], 1234.5, 1e-9) << n << " " << art << " " << i;
        }
    double eins = 1.0;
    EXPECT_FALSE(FalteMitProfil(&eins, 1, 1.0, FALTUNG_GAUSS, 3.0));
}

TEST(SeriesColumn, DispersiveAbsorptionOfTheMeasuredSpectrum)
{
    std::vector<double> mu;
    std::ifstream in(std::string(KORLAN_TEST_DIR) + "/app/series/data/EMG003.txt");
    for (std::string z; std::getline(in, z);) {
        double a, b;
        if (!z.empty() && z[0] != '#' && std::sscanf(z.c_str(), "%lf %lf", &a, &b) == 2) mu.push_back(b);
    }
    const int32_t n = static_cast<int32_t>(mu.size());
    ASSERT_EQ(n, 1128);
    // I0 drifting 8 % between column 2 and column 12; dark current.
    std::vector<double> i01(n), i02(n), dunkel(n), i0(n), aus(n);
    for (int i = 0; i < n; ++i) {
        i01[i] = 20000.0 + 3000.0 * std::sin(0.004 * i);
        i02[i] = 1.08 * i01[i];
        dunkel[i] = 150.0 + 0.01 * i;
    }
    for (int32_t c : {4, 7, 11}) {
        I0DerSpalte(i01.data(), i02.data(), n, c, 2, 12, i0.data());
        std::vector<double> roh(n), nachbar(n);
        for (int i = 0; i < n; ++i) {
            roh[i] = dunkel[i] + i0[i] * std::exp(-mu[i]);
            nachbar[i] = dunkel[i] + i0[i] * std::exp(-mu[i]);
        }
        SerienSpalte({roh.data()}, n, dunkel.data(), 0, i0.data(), aus.data());
        for (int i = 0; i < n; ++i) ASSERT_NEAR(aus[i], mu[i], 1e-9) << c << " " << i;
        // Averaged with an equal neighbour, the same.
        SerienSpalte({roh.data(), nachbar.data()}, n, dunkel.data(), 0, i0.data(), aus.data());
        for (int i = 0; i < n; i += 50) ASSERT_NEAR(aus[i], mu[i], 1e-9) << c << " " << i;
    }
    // The readings themselves at their own columns.
    I0DerSpalte(i01.data(), i02.data(), n, 2, 2, 12, i0.data());
    EXPECT_EQ(i0[10], i01[10]);
    I0DerSpalte(i01.data(), i02.data(), n, 12, 2, 12, i0.data());
    EXPECT_DOUBLE_EQ(i0[10], i02[10]);
    // A sample equal to the dark current gives 0; without I0 the column
    // is the mean less the dark.
    SerienSpalte({dunkel.data()}, n, dunkel.data(), 0, i0.data(), aus.data());
    for (int i = 0; i < n; i += 97) EXPECT_EQ(aus[i], 0.0);
    std::vector<double> a(n, 4.0), b(n, 8.0);
    SerienSpalte({a.data(), b.data()}, n, nullptr, 0, nullptr, aus.data());
    EXPECT_EQ(aus[5], 6.0);
}

TEST(SeriesTables, LinesOfTheThreeTables)
{
    std::vector<double> erg(35000, 0.0);
    for (int j = 0; j <= 50; ++j) erg[j] = 1.5 + j;
    erg[1000] = 10.0;
    erg[1001] = 11.0;
    erg[1002] = 12.0;
    erg[2700] = 27.0;
    erg[2800] = 28.0;
    erg[2701] = 99.0;   // the polynomial has no 2700 entry
    const int32_t gauss_poly[2] = {1, 7};
    // Gaussian (3 parameters) and a polynomial of degree 1 (2): MaxParameter 4.
    const std::string z = ParameterTabellenZeile(3, true, 12.5, 300, erg.data(), 4, gauss_poly, 2, 0.0125);
    EXPECT_EQ(z.rfind("3, 12.5, 300, 1.5, 2.5, 3.5, 4.5, 5.5, 6.5, 10, 11, 12, 27, 28, 0.0125\n", 0), 0u) << z;
    // Without header values, and a FEFF model (type 25) with its 51 values
    // and no blocks.
    const int32_t feff[3] = {25, 21, 21};
    const std::string f = ParameterTabellenZeile(7, false, 0, 0, erg.data(), 60, feff, 3, 2.0);
    const auto felder = Felder(f);
    ASSERT_EQ(felder.size(), 1u + 51u + 1u);
    EXPECT_EQ(felder[0], "7");
    EXPECT_EQ(felder[51], " 51.5");
    EXPECT_EQ(felder[52], " 2\n");

    // Results cleared between columns: a model with fewer functions shows
    // nothing of the column before.
    TabellenWerteLeeren(erg.data(), 2);
    const int32_t gauss[1] = {1};
    EXPECT_EQ(ParameterTabellenZeile(4, false, 0, 0, erg.data(), 2, gauss, 1, 1.0),
              "4, 0, 0, 0, 0, 0, 0, 0, 0, 1\n");

    const double p[6] = {0.25, 0.001, 0.75, -0.002, 9, 9};
    EXPECT_EQ(KoeffizientenZeile(12, p, 3), "12 0.25 0.75 \n");

    // FEFF table: S0 and E0, then paths of 4 parameters whose first is the
    // distance shift; shift mode adds Reff of the path record.
    const double q[10] = {0.9, 1.5, 0.01, 0.003, 0, 0, -0.02, 0.004, 0, 0};
    const int32_t flags[10] = {0, 1, 0, 0, 1, 4, 0, 0, 0x8000, 1};
    const int32_t worte[10] = {0, 0, 0, 0, 0, 3, 0, 0, 0, 0};
    const std::vector<double> reff{0.0, 2.5527, 3.6100};
    EXPECT_EQ(FeffTabellenZeile(5, q, flags, worte, 9, 4, true, reff, 0.05),
              "5, 0.9, 2.5627, 0.003, 3.59, 0.004, 0, 0.05\n");
    EXPECT_EQ(FeffTabellenZeile(5, q, flags, worte, 9, 4, false, reff, 0.05),
              "5, 0.9, 0.01, 0.003, -0.02, 0.004, 0, 0.05\n");
}

TEST(SeriesDialogs, MultiplotListAndDxasColumns)
{
    std::vector<int32_t> l;
    EXPECT_EQ(MultiplotSpalten(1, 5, 2, true, {}, &l), 3);
    EXPECT_EQ(l, (std::vector<int32_t>{6, 4, 2}));
    EXPECT_EQ(MultiplotSpalten(1, 5, 2, false, {}, &l), 3);
    EXPECT_EQ(l, (std::vector<int32_t>{2, 4, 6}));
    // One or two chosen entries count as none.
    EXPECT_EQ(MultiplotSpalten(2, 4, 1, false, {7, 9}, &l), 3);
    EXPECT_EQ(l, (std::vector<int32_t>{3, 4, 5}));
    EXPECT_EQ(MultiplotSpalten(2, 4, 1, true, {9, 0, 4}, &l), 3);
    EXPECT_EQ(l, (std::vector<int32_t>{11, 6, 2}));
    // 101 columns: refused before anything is listed.
    l = {1};
    EXPECT_EQ(MultiplotSpalten(1, 101, 1, false, {}, &l), -116);
    EXPECT_TRUE(l.empty());
    std::vector<int32_t> viele(101);
    std::iota(viele.begin(), viele.end(), 0);
    EXPECT_EQ(MultiplotSpalten(1, 5, 1, false, viele, &l), -116);
    EXPECT_EQ(MultiplotSpalten(1, 100, 1, false, {}, &l), 100);

    // DXAS on and off again restores the fields; a start below 5 becomes 2.
    for (int32_t start : {2, 4, 9}) {
        int32_t s = 40, last = 40, f = start;
        DxasSpaltenUmschalten(true, &s, &last, &f);
        EXPECT_EQ(s, 37);
        EXPECT_EQ(last, 36);
        EXPECT_EQ(f, start + 3);
        DxasSpaltenUmschalten(false, &s, &last, &f);
        EXPECT_EQ(s, 40);
        EXPECT_EQ(last, 40);
        EXPECT_EQ(f, start);
    }
    int32_t s = 40, last = 40, f = 3;
    DxasSpaltenUmschalten(false, &s, &last, &f);
    EXPECT_EQ(f, 2);
}

// The preview of the convolution width on a dispersive column built from
// EMG003: a flat I0 gives the same absorption with and without the
// convolution, both 0 at point 55 and 1 at point 500; a structured I0
// changes only the convolved curve; small files are refused.
TEST(SeriesConvolution, PreviewCurvesAndTheirLimits)
{
    std::vector<double> mu;
    std::ifstream in(std::string(KORLAN_TEST_DIR) + "/app/series/data/EMG003.txt");
    for (std::string z; std::getline(in, z);) {
        double a, b;
        if (!z.empty() && z[0] != '#' && std::sscanf(z.c_str(), "%lf %lf", &a, &b) == 2) mu.push_back(b);
    }
    const int32_t n = static_cast<int32_t>(mu.size());
    ASSERT_GT(n, 500);
    std::vector<double> i0(n), probe(n), dunkel(n, 150.0);
    for (int i = 0; i < n; ++i) {
        i0[i] = 150.0 + 20000.0;
        probe[i] = 150.0 + 20000.0 * std::exp(-mu[i]);
    }
    FALTUNGS_VORSCHAU v;
    ASSERT_TRUE(FaltungsVorschau(i0.data(), probe.data(), dunkel.data(), n, 1.0, FALTUNG_GAUSS, 5.0, &v));
    ASSERT_EQ(v.Ohne.size(), static_cast<std::size_t>(n));
    EXPECT_NEAR(v.Ohne[55], 0.0, 1e-12);
    EXPECT_NEAR(v.Ohne[500], 1.0, 1e-12);
    for (int i = 0; i < n; ++i) {
        ASSERT_NEAR(v.I0[i], 20000.0, 1e-9);
        ASSERT_NEAR(v.I0Gefaltet[i], 20000.0, 1e-9);
        ASSERT_NEAR(v.Mit[i], v.Ohne[i], 1e-9) << i;
    }
    // A narrow dip in I0: the convolution spreads it, so only the curve
    // with the convolution changes there.
    i0[700] = 150.0 + 10000.0;
    ASSERT_TRUE(FaltungsVorschau(i0.data(), probe.data(), dunkel.data(), n, 1.0, FALTUNG_LORENTZ, 5.0, &v));
    EXPECT_GT(v.I0Gefaltet[700], 10000.0 + 1000.0);
    EXPECT_LT(v.I0Gefaltet[702], 20000.0 - 100.0);
    EXPECT_GT(std::fabs(v.Mit[700] - v.Ohne[700]), 0.05);
    EXPECT_NEAR(v.Mit[300], v.Ohne[300], 1e-4);

    // 500 points, fewer than 7 columns or a refused width: no preview.
    const FALTUNGS_VORSCHAU alt = v;
    EXPECT_FALSE(FaltungsVorschau(i0.data(), probe.data(), dunkel.data(), 500, 1.0, FALTUNG_GAUSS, 5.0, &v));
    EXPECT_FALSE(FaltungsVorschau(i0.data(), probe.data(), dunkel.data(), n, 1.0, FALTUNG_GAUSS, 0.0, &v));
    EXPECT_EQ(v.Mit, alt.Mit);
    EXPECT_TRUE(FaltungsVorschauMoeglich(501, 7));
    EXPECT_FALSE(FaltungsVorschauMoeglich(500, 14));
    EXPECT_FALSE(FaltungsVorschauMoeglich(1128, 6));
}
