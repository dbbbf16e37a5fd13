// Principal component analysis on synthetic mixtures of three absorption
// edges: decomposition order, indicator, reconstruction, target
// transformation, concentrations, and the edge cases of the analysis.
#include <gtest/gtest.h>

#include <gsl/gsl_linalg.h>
#include <gsl/gsl_spline.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "app/temp_folder.h"
#include "shell/text_format.h"
#include "spectra/spectrum_file.h"
#include "xas/pca.h"

namespace {

using Spektren = std::vector<std::vector<double>>;

const double PI = 3.14159265358979323846;

// Normalised edge (arctangent step) at e0 keV with a Gaussian white line.
double Kante(double e, double e0, double hoehe, double breite)
{
    const double stufe = 0.5 + std::atan((e - e0) / 0.0015) / PI;
    const double d = (e - e0 - 0.002) / breite;
    return stufe + hoehe * std::exp(-0.5 * d * d);
}

struct Mischungen {
    std::vector<double> e;          // 400 points over 11.85-12.05 keV
    Spektren rein;                  // the three pure components
    Spektren spektren;              // the mixtures
    std::vector<std::vector<double>> anteile;  // fractions of each mixture
};

Mischungen Baue(int32_t anzahl, double sigma, unsigned saat)
{
    Mischungen m;
    for (int32_t i = 0; i < 400; ++i) m.e.push_back(11.85 + 0.2 * i / 399.0);
    const double e0[3] = {11.915, 11.919, 11.923};
    const double hoehe[3] = {1.2, 0.6, 0.3};
    const double breite[3] = {0.002, 0.004, 0.007};
    for (int32_t k = 0; k < 3; ++k) {
        std::vector<double> s;
        for (double e : m.e) s.push_back(Kante(e, e0[k], hoehe[k], breite[k]));
        m.rein.push_back(s);
    }
    std::mt19937 zufall(saat);
    std::uniform_real_distribution<double> gleich(0.05, 1.0);
    std::normal_distribution<double> rauschen(0.0, sigma);
    for (int32_t j = 0; j < anzahl; ++j) {
        double a[3] = {gleich(zufall), gleich(zufall), gleich(zufall)};
        const double summe = a[0] + a[1] + a[2];
        std::vector<double> f = {a[0] / summe, a[1] / summe, a[2] / summe};
        std::vector<double> s(m.e.size());
        for (size_t i = 0; i < s.size(); ++i) {
            s[i] = f[0] * m.rein[0][i] + f[1] * m.rein[1][i] + f[2] * m.rein[2][i];
            if (sigma > 0.0) s[i] += rauschen(zufall);
        }
        m.spektren.push_back(s);
        m.anteile.push_back(f);
    }
    return m;
}

// The series on the analysis grid, as the full analysis builds it.
struct AufGitter {
    std::vector<double> gitter;
    Spektren spektren;
    Spektren rein;
};

AufGitter Resample(const Mischungen& m)
{
    AufGitter a;
    a.gitter = PcaGitter(m.e.front(), m.e.back());
    const int32_t n = static_cast<int32_t>(m.e.size());
    for (const Spektren* quelle : {&m.spektren, &m.rein}) {
        Spektren& ziel = quelle == &m.spektren ? a.spektren : a.rein;
        for (const auto& s : *quelle) {
            std::vector<double> g;
            EXPECT_TRUE(PcaResample(m.e.data(), s.data(), n, a.gitter, g));
            ziel.push_back(g);
        }
    }
    return a;
}

int32_t MinimumBei(const std::vector<double>& ind)
{
    // The last entry (n = c) is 0 by definition and not a candidate.
    return static_cast<int32_t>(std::min_element(ind.begin(), ind.end() - 1) - ind.begin()) + 1;
}

class Synthetisch : public ::testing::TestWithParam<int32_t> {};

TEST_P(Synthetisch, ThreeComponentsAreFoundReconstructedAndTested)
{
    const Mischungen m = Baue(GetParam(), 0.002, 7u + GetParam());
    const AufGitter a = Resample(m);
    PcaZerlegung z;
    ASSERT_EQ(PcaZerlege(a.spektren, z), 1);
    const int32_t c = GetParam();

    for (int32_t j = 1; j < c; ++j) EXPECT_GE(z.w[j - 1], z.w[j]);

    // Shuffled inputs: the same weights, and the same components up to sign.
    Spektren gemischt = a.spektren;
    std::mt19937 zufall(99);
    std::shuffle(gemischt.begin(), gemischt.end(), zufall);
    PcaZerlegung z2;
    ASSERT_EQ(PcaZerlege(gemischt, z2), 1);
    for (int32_t j = 0; j < c; ++j) EXPECT_NEAR(z2.w[j], z.w[j], 1e-9 * z.w[0]);
    for (int32_t j = 0; j < 3; ++j) {
        double skalar = 0.0;
        for (int32_t k = 0; k < PCA_GITTERPUNKTE; ++k) skalar += z.u(k, j) * z2.u(k, j);
        EXPECT_NEAR(std::fabs(skalar), 1.0, 1e-9) << "component " << j + 1;
    }

    // The indicator from the eigenvalues, written out here on its own.
    std::vector<double> re, ind;
    PcaIndikator(z.w, PCA_GITTERPUNKTE, re, ind);
    for (int32_t n = 1; n < c; ++n) {
        double summe = 0.0;
        for (int32_t j = n + 1; j <= c; ++j) summe += z.w[j - 1] * z.w[j - 1];
        const double erwartetRe = std::sqrt(summe / (300.0 * (c - n)));
        const double erwartet = erwartetRe / ((c - n) * (c - n));
        EXPECT_NEAR(ind[n - 1], erwartet, 1e-12 * erwartet) << "n = " << n;
        EXPECT_NEAR(re[n - 1], erwartetRe, 1e-12 * erwartetRe);
    }
    EXPECT_EQ(ind[c - 1], 0.0);
    EXPECT_EQ(MinimumBei(ind), 3);

    // Three components reconstruct every mixture within the noise.
    std::vector<double> drei(z.w.begin(), z.w.end());
    std::fill(drei.begin() + 3, drei.end(), 0.0);
    for (int32_t i = 0; i < c; ++i)
        EXPECT_LT(PcaRWert(a.spektren[i], PcaRekonstruiere(z, drei, i)), 0.5) << "input " << i + 1;

    // Target transformation: the pure components lie in the space of three
    // components, an edge elsewhere does not.
    std::vector<double> tStrich;
    for (int32_t k = 0; k < 3; ++k)
        EXPECT_LE(PcaTargetTransformation(z, 3, a.rein[k], tStrich), 0.5) << "pure " << k + 1;
    std::vector<double> fremd;
    for (double e : a.gitter) fremd.push_back(Kante(e, 11.935, 0.9, 0.003));
    EXPECT_GE(PcaTargetTransformation(z, 3, fremd, tStrich), 5.0);

    // The pure components as target factors give the mixing fractions.
    Spektren rekon;
    for (int32_t i = 0; i < c; ++i) rekon.push_back(PcaRekonstruiere(z, drei, i));
    std::vector<std::vector<double>> k;
    int32_t fehler = -1;
    ASSERT_EQ(PcaKonzentrationen(a.rein, rekon, k, fehler), PCA_KONZ_OK);
    ASSERT_EQ(k.size(), 3u);
    for (int32_t t = 0; t < 3; ++t)
        for (int32_t i = 0; i < c; ++i)
            EXPECT_NEAR(k[t][i], m.anteile[i][t], 0.005) << "factor " << t + 1 << " input " << i + 1;
}

INSTANTIATE_TEST_SUITE_P(TenAndTwentyMixtures, Synthetisch, ::testing::Values(10, 20));

TEST(PcaZerlege, WithoutNoiseAllComponentsReproduceEveryInput)
{
    const AufGitter a = Resample(Baue(10, 0.0, 3u));
    PcaZerlegung z;
    ASSERT_EQ(PcaZerlege(a.spektren, z), 1);
    // U is stored in single precision in the component file.
    for (double& u : z.U) u = static_cast<float>(u);
    for (int32_t i = 0; i < 10; ++i)
        EXPECT_LE(PcaRWert(a.spektren[i], PcaRekonstruiere(z, z.w, i)), 1e-4);
}

TEST(PcaZerlege, EdgeCases)
{
    const AufGitter a = Resample(Baue(4, 0.002, 11u));
    {
        SCOPED_TRACE("two identical inputs");
        PcaZerlegung z;
        ASSERT_EQ(PcaZerlege({a.spektren[0], a.spektren[0]}, z), 1);
        EXPECT_LE(z.w[1], 1e-6 * z.w[0]);
        // Component 1 alone reproduces both.
        const std::vector<double> eins = {z.w[0], 0.0};
        for (int32_t i = 0; i < 2; ++i)
            EXPECT_LT(PcaRWert(a.spektren[0], PcaRekonstruiere(z, eins, i)), 1e-8);
    }
    {
        SCOPED_TRACE("flags 1, 1, 0, 1");
        PcaZerlegung z;
        ASSERT_EQ(PcaZerlege(a.spektren, z), 1);
        const std::vector<int32_t> flags = {1, 1, 0, 1};
        std::vector<double> gewichte = z.w;
        for (size_t m = 0; m < flags.size(); ++m)
            if (flags[m] <= 0) gewichte[m] = 0.0;
        // Components 1, 2 and 4 reconstruct: the result differs from 1, 2
        // alone by component 4 and from all four by component 3.
        const std::vector<double> r = PcaRekonstruiere(z, gewichte, 0);
        for (int32_t k = 0; k < PCA_GITTERPUNKTE; k += 37) {
            double erwartet = 0.0;
            for (int32_t m : {0, 1, 3}) erwartet += z.w[m] * z.u(k, m) * z.v(0, m);
            EXPECT_NEAR(r[k], erwartet, 1e-12);
        }
        EXPECT_EQ(PcaFuehrendeKomponenten(flags), 2);
        EXPECT_EQ(PcaFuehrendeKomponenten({0, 1, 1}), 0);
        EXPECT_EQ(PcaFuehrendeKomponenten({1, 1, 1, 1}), 4);
    }
    {
        SCOPED_TRACE("99 inputs accepted, 100 refused");
        Spektren viele(99, a.spektren[0]);
        for (int32_t i = 0; i < 99; ++i) viele[i][i] += 0.01 * (i + 1);
        PcaZerlegung z;
        EXPECT_EQ(PcaZerlege(viele, z), 1);
        EXPECT_EQ(z.Spalten, 99);
        viele.push_back(a.spektren[1]);
        EXPECT_EQ(PcaZerlege(viele, z), -1);
        EXPECT_EQ(PcaZerlege({}, z), -1);
        EXPECT_EQ(PcaZerlege({a.spektren[0], std::vector<double>(10, 1.0)}, z), -1);
    }
}

TEST(PcaSignifikanz, CountsUntilTwoWeightsMeetAfterTheTenth)
{
    struct Fall {
        const char* name;
        std::vector<double> w;
        int32_t nsig;
        std::vector<double> danach;
    };
    std::vector<double> zwoelf = {12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1};
    std::vector<double> nah = zwoelf;
    nah[11] = 2.0 - 5e-6;  // the 12th within 1e-5 of the 11th
    std::vector<double> nahDanach = nah;
    nahDanach[11] = 0.0;
    std::vector<double> frueh = zwoelf;
    frueh[3] = 10.0 - 5e-6;  // close before the tenth: counted on
    std::vector<double> elf = {11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 2};
    std::vector<double> dreizehn = {13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 3, 3};
    std::vector<double> dreizehnDanach = dreizehn;
    dreizehnDanach[11] = 0.0;  // 3 vs 3: stops and is zeroed
    dreizehnDanach[12] = 3.0;  // 3 vs 0: not close, left as it is
    const Fall faelle[] = {
        {"12 apart", zwoelf, 12, zwoelf},
        {"12 with the last two close", nah, 11, nahDanach},
        {"close pair before the tenth", frueh, 12, frueh},
        {"11 inputs count all", elf, 11, elf},
        {"13 with a tie at 11", dreizehn, 11, dreizehnDanach},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        std::vector<double> w = f.w;
        EXPECT_EQ(PcaSignifikanz(w), f.nsig);
        EXPECT_EQ(w, f.danach);
    }
}

TEST(PcaResample, LongInputsAndRangesOutsideTheGrid)
{
    // 6,000 points of a smooth curve: resampled to the curve's own values.
    std::vector<double> x(6000), y(6000);
    for (int32_t i = 0; i < 6000; ++i) {
        x[i] = 11000.0 + i * 0.5;
        y[i] = std::sin(x[i] / 300.0);
    }
    const std::vector<double> g = PcaGitter(x.front(), x.back());
    ASSERT_EQ(g.size(), 300u);
    EXPECT_DOUBLE_EQ(g[299], x.back());
    std::vector<double> out;
    ASSERT_TRUE(PcaResample(x.data(), y.data(), 6000, g, out));
    for (int32_t k = 0; k < 300; ++k) EXPECT_NEAR(out[k], std::sin(g[k] / 300.0), 1e-9);
    EXPECT_TRUE(PcaBereichPasst(x.front(), x.back(), g));

    // An input covering only the lower half: 0 above its range, and caution.
    std::vector<double> halb;
    ASSERT_TRUE(PcaResample(x.data(), y.data(), 3000, g, halb));
    EXPECT_FALSE(PcaBereichPasst(x.front(), x[2999], g));
    EXPECT_EQ(halb[299], 0.0);
    EXPECT_NEAR(halb[100], std::sin(g[100] / 300.0), 1e-9);

    // Unevenly spaced points of an edge: the natural spline is GSL's.
    std::vector<double> xu, yu;
    for (int32_t i = 0; i < 90; ++i) {
        const double u = i / 89.0;
        xu.push_back(11850.0 + 200.0 * u * u * (1.5 - 0.5 * u));
        yu.push_back(Kante(xu.back() / 1000.0, 11.915, 1.2, 0.002));
    }
    const std::vector<double> gu = PcaGitter(xu.front(), xu.back());
    std::vector<double> ou;
    ASSERT_TRUE(PcaResample(xu.data(), yu.data(), 90, gu, ou));
    gsl_interp_accel* acc = gsl_interp_accel_alloc();
    gsl_spline* sp = gsl_spline_alloc(gsl_interp_cspline, xu.size());
    gsl_spline_init(sp, xu.data(), yu.data(), xu.size());
    for (int32_t k = 0; k < 300; ++k)
        EXPECT_NEAR(ou[k], gsl_spline_eval(sp, std::min(gu[k], xu.back()), acc), 1e-10) << k;
    gsl_spline_free(sp);
    gsl_interp_accel_free(acc);

    EXPECT_FALSE(PcaResample(x.data(), y.data(), 1, g, out));
    EXPECT_EQ(out, std::vector<double>(300, 0.0));
}

TEST(PcaEingaben, PathsOfASelectionAndTheGridOfTheFirstInput)
{
    EXPECT_EQ(PcaEingabePfade("C:\\data\\", "a.dat,b.dat,,c.dat"),
              (std::vector<std::string>{"C:\\data\\a.dat", "C:\\data\\b.dat", "C:\\data\\c.dat"}));
    EXPECT_TRUE(PcaEingabePfade("C:\\", "").empty());
    std::string viele;
    for (int32_t i = 0; i < 120; ++i) viele += "f" + std::to_string(i) + ".dat,";
    const std::vector<std::string> p = PcaEingabePfade("", viele);
    ASSERT_EQ(p.size(), 99u);
    EXPECT_EQ(p.back(), "f98.dat");

    std::vector<double> x = {10, 11, 12, 13, 14}, y = {0, 1, 4, 9, 16};
    std::vector<double> gitter;
    PcaEingabe e1, e2, e3;
    EXPECT_TRUE(PcaNimmAuf(x.data(), y.data(), 5, "one.dat", gitter, e1));
    ASSERT_EQ(gitter.size(), 300u);
    EXPECT_EQ(gitter.front(), 10.0);
    EXPECT_EQ(gitter.back(), 14.0);
    EXPECT_STREQ(e1.Name, "one.dat");
    EXPECT_EQ(e1.Punkte, 5.0);
    EXPECT_EQ(e1.Gitterspektrum.back(), 16.0);
    // A shorter second input keeps the grid, is cautioned and gets 0 beyond its end.
    EXPECT_FALSE(PcaNimmAuf(x.data(), y.data(), 3, "two.dat", gitter, e2));
    EXPECT_EQ(gitter.back(), 14.0);
    EXPECT_EQ(e2.Ende, 12.0);
    EXPECT_EQ(e2.Gitterspektrum.back(), 0.0);
    EXPECT_FALSE(PcaNimmAuf(x.data(), y.data(), 1, "three.dat", gitter, e3));
    EXPECT_EQ(e3.Gitterspektrum.size(), 300u);
}

TEST(PcaEingaben, TheChoiceIsCheckedBeforeAnythingIsRead)
{
    const struct {
        int32_t anzahl;
        const char* text;
        const char* titel;
    } faelle[] = {
        {0, nullptr, nullptr},
        {1, "Choose at least two spectra.", "Caution!"},
        {2, nullptr, nullptr},
        {99, nullptr, nullptr},
        {100, "Too many files or columns!\r\n Max. no. of columns = 100", "Error!"},
        {250, "Too many files or columns!\r\n Max. no. of columns = 100", "Error!"},
    };
    for (const auto& f : faelle) {
        const char* titel = "unset";
        const char* text = PcaAuswahlMeldung(f.anzahl, titel);
        if (f.text) {
            ASSERT_NE(text, nullptr) << f.anzahl;
            EXPECT_STREQ(text, f.text) << f.anzahl;
            EXPECT_STREQ(titel, f.titel) << f.anzahl;
        } else {
            EXPECT_EQ(text, nullptr) << f.anzahl;
            EXPECT_EQ(titel, nullptr) << f.anzahl;
        }
    }
}

TEST(PcaKonzentrationen, RefusesMissingAndDependentFactors)
{
    const AufGitter a = Resample(Baue(4, 0.002, 5u));
    std::vector<std::vector<double>> k;
    int32_t fehler = 0;
    EXPECT_EQ(PcaKonzentrationen({a.rein[0], {}, a.rein[2]}, a.spektren, k, fehler), PCA_KONZ_FEHLT);
    EXPECT_EQ(fehler, 2);
    EXPECT_TRUE(k.empty());
    EXPECT_EQ(PcaKonzentrationen({a.rein[0], a.rein[0]}, a.spektren, k, fehler), PCA_KONZ_RANG);
    std::vector<double> doppelt = a.rein[1];
    for (double& v : doppelt) v *= 2.0;
    EXPECT_EQ(PcaKonzentrationen({a.rein[1], doppelt}, a.spektren, k, fehler), PCA_KONZ_RANG);
    EXPECT_TRUE(k.empty());
    EXPECT_EQ(PcaKonzentrationen({}, a.spektren, k, fehler), PCA_KONZ_GROESSE);
    EXPECT_EQ(PcaKonzentrationen({a.rein[0]}, {std::vector<double>(5, 1.0)}, k, fehler),
              PCA_KONZ_GROESSE);
}

TEST(PcaGruppenPlot, ScoresSortedByTheFirst)
{
    const AufGitter a = Resample(Baue(3, 0.002, 8u));
    PcaZerlegung z;
    ASSERT_EQ(PcaZerlege(a.spektren, z), 1);
    std::vector<double> x, y;
    PcaGruppenPlot(z, x, y);
    ASSERT_EQ(x.size(), 3u);
    EXPECT_TRUE(std::is_sorted(x.begin(), x.end()));
    // Each pair is one input's scores: some input has exactly these.
    for (size_t p = 0; p < 3; ++p) {
        bool gefunden = false;
        for (int32_t s = 0; s < 3; ++s)
            gefunden |= x[p] == z.w[0] * z.v(s, 0) && y[p] == z.w[1] * z.v(s, 1);
        EXPECT_TRUE(gefunden);
    }
}

TEST(PcaBericht, FullAnalysisAndTargetTextsInTheirFormats)
{
    PcaEingabe e1, e2;
    std::strcpy(e1.Name, "s1.dat");
    e1.Punkte = 412;
    e1.Anfang = 11870;
    e1.Ende = 12030.5;
    std::strcpy(e2.Name, "s2.dat");
    e2.Punkte = 95;
    e2.Anfang = 11870.25;
    e2.Ende = 12030;
    PcaZerlegung z;
    z.Zeilen = 1;
    z.Spalten = 2;
    z.U = {1.0, 0.0};
    z.V = {0.6, -0.8, 0.8, 0.6};
    z.w = {25.5, 0.125};
    PcaBerichtDaten d;
    d.Eingaben = {&e1, &e2};
    d.Signifikant = 2;
    d.w = z.w;
    d.Zerlegung = &z;
    d.Residuen = {{1.5, 0.0}, {2.25, 0.0}};
    d.Indikator = {12.5, 0.0};
    d.RealError = {0.0078125, 0.0};
    // Written out by hand from the formats of each line.
    const std::string erwartet =
        "\r\n         Principal Components Analysis - Results\r\n"
        " ----------------------------------------------\r\n\r\n"
        "  Reference files (grid: 300 dp):\r\n"
        "  File # 1 :                s1.dat,  ndp:  412  [ 11870  ,  12030.5]\r\n"
        "  File # 2 :                s2.dat,  ndp:   95  [ 11870.2,  12030  ]\r\n"
        "\r\n\r\n"
        "  Output files generated in data directory:\r\n\r\n"
        "  *   A_PCA_COMPONENTS.DAT - Principal Components\r\n"
        "  *   A_PCA_RECON_DATA.DAT - Reconstructed data using 1st 2 components\r\n"
        "  *   A_PCA_ORIGL_DATA.DAT - Original input data interpolated on same grid\r\n"
        "  *   A_PCA_GROUP_PLOT.DAT - PCA Group Plot using 1st and 2nd Eigenvalue\r\n"
        "\r\n\r\n"
        "      SIGNIFICANT WEIGHTS / EIGENVALUES\r\n\r\n"
        "  Weight/Eigenvalue # 1 :   25.5          \r\n"
        "  Weight/Eigenvalue # 2 :   0.125         \r\n"
        "\r\n\r\n\r\n"
        "      MIXING COEFFICIENT MATRIX\r\n\r\n"
        "   0.6        -0.8      \r\n"
        "   0.8         0.6      \r\n"
        "\r\n\r\n\r\n"
        "      PCA RESIDUAL MATRIX AND SIGNIFICANCE INDICATORS\r\n\r\n"
        "            Comp# 1  Comp# 2 \r\n"
        "  Spec # 1   1.5      0     \r\n"
        "  Spec # 2   2.25     0     \r\n"
        "\r\n  S(R)       3.75     0     \r\n"
        "\r\n  S(R*Cn)    3.75     0     \r\n"
        "\r\n  IND        12.5     0     \r\n"
        "\r\n  RE(*1E2)   0.781    0     \r\n"
        "\r\n\r\n";
    EXPECT_EQ(PcaBericht(d), erwartet);

    // Column mode: one line for the file; a zero weight ends every table.
    d.Spaltenmodus = true;
    d.DateiName = "series.mes";
    d.w = {25.5, 0.0};
    const std::string spalten = PcaBericht(d);
    EXPECT_NE(spalten.find("  Multiple column file           series.mes, col:    2   ndp:  412"
                           "  [ 11870  ,  12030.5]\r\n"),
              std::string::npos);
    EXPECT_EQ(spalten.find("Reference files"), std::string::npos);
    EXPECT_EQ(spalten.find("Eigenvalue # 2"), std::string::npos);
    EXPECT_EQ(spalten.find("Comp# 2"), std::string::npos);
    EXPECT_NE(spalten.find("   0.6      \r\n   0.8      \r\n"), std::string::npos);

    EXPECT_EQ(PcaTestBericht(true, "unknown.dat", 161, 11870, 12030, 0.38125),
              "\r\n\r\n"
              "  *   A_PCA_TEST_PRIME.DAT - Transformed LAST test file\r\n"
              "  *   A_PCA_TEST.DAT       - LAST test file (interpolated)\r\n\r\n\r\n"
              "  Target Transformation of   unknown.dat  - ndp:  161  [ 11870  ,  12030  ]\r\n\r\n"
              "  Target Transformation R-value:   0.38125 %\r\n----------------------\r\n");
    EXPECT_EQ(PcaTestBericht(false, "s3.dat", 5, 1, 2, 0).substr(0, 31),
              "\r\n  Target Transformation of   ");
}

// ---- the result files ----

std::string LiesDatei(const std::string& pfad)
{
    std::ifstream f(pfad, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

std::vector<PcaEingabe> Eingaben(const AufGitter& a)
{
    std::vector<PcaEingabe> e(a.spektren.size());
    for (size_t i = 0; i < e.size(); ++i) {
        std::snprintf(e[i].Name, sizeof e[i].Name, "mix%02d.dat", static_cast<int>(i + 1));
        e[i].Anfang = a.gitter.front();
        e[i].Ende = a.gitter.back();
        e[i].Punkte = 400;
        e[i].Gitterspektrum = a.spektren[i];
    }
    return e;
}

std::vector<double> Spalte(const std::string& pfad, int32_t spalte, std::vector<double>* x = nullptr)
{
    std::vector<double> xs, y;
    int32_t fehler = 0;
    EXPECT_GT(LeseBinaerSpalten(pfad.c_str(), 1, spalte, -1, &xs, &y, &fehler), 0) << pfad;
    if (x) *x = xs;
    return y;
}

TEST(PcaDateien, FullAnalysisReconstructionTargetsAndConcentrations)
{
    TempOrdner t;
    const std::string ordner = t.Ordner() + "/";
    const Mischungen m = Baue(10, 0.002, 17u);
    const AufGitter a = Resample(m);
    std::vector<PcaEingabe> e = Eingaben(a);
    PcaZustand zustand;
    PcaLauf lauf;
    ASSERT_EQ(PcaVollanalyse(ordner, e, a.gitter, false, "", zustand, lauf), 10);
    EXPECT_EQ(zustand.Anzahl, 10);
    EXPECT_TRUE(zustand.BerichtOffen);
    EXPECT_EQ(lauf.Signifikant, 10);
    EXPECT_EQ(LiesDatei(t.Datei("temp.txt")), lauf.Bericht);
    EXPECT_EQ(LiesDatei(t.Datei("new_weights.dat")), "1\n1\n1\n1\n1\n1\n1\n1\n1\n1\n");
    EXPECT_EQ(MinimumBei(lauf.Indikator), 3);
    for (int32_t i = 1; i < 10; ++i) EXPECT_GE(e[i - 1].Gewicht, e[i].Gewicht);

    // The files of the table, with their sizes and the grid as x.
    std::vector<double> x;
    const std::vector<double> orig = Spalte(t.Datei("A_PCA_origl_data.dat"), 4, &x);
    ASSERT_EQ(x.size(), 300u);
    EXPECT_NEAR(x[299], a.gitter[299], 1e-3);
    for (int32_t k = 0; k < 300; k += 50) EXPECT_NEAR(orig[k], a.spektren[2][k], 1e-6);
    const std::vector<double> u1 = Spalte(t.Datei("A_PCA_components.dat"), 2);
    double norm = 0.0;
    for (double v : u1) norm += v * v;
    EXPECT_NEAR(norm, 1.0, 1e-5);
    std::vector<double> nummern;
    EXPECT_EQ(Spalte(t.Datei("A_PCA_weights.dat"), 11, &nummern).size(), 10u);
    EXPECT_EQ(nummern.front(), 1.0);
    EXPECT_EQ(nummern.back(), 10.0);
    std::vector<double> gx;
    Spalte(t.Datei("A_PCA_Group_Plot.dat"), 2, &gx);
    EXPECT_TRUE(std::is_sorted(gx.begin(), gx.end()));
    const std::string mix = LiesDatei(t.Datei("mix_coeff.dat"));
    EXPECT_EQ(std::count(mix.begin(), mix.end(), '\n'), 100);
    const std::string res = LiesDatei(t.Datei("residuals.dat"));
    EXPECT_EQ(res.substr(0, 10), "residuals\n");
    EXPECT_NE(res.find("\n10  "), std::string::npos);

    // Components 1-3: every mixture within the noise.
    ASSERT_TRUE(PcaSchreibeFlags(ordner, {1, 1, 1, 0, 0, 0, 0, 0, 0, 0}));
    ASSERT_EQ(PcaNeuRekonstruktion(ordner, e, zustand, lauf), 10);
    EXPECT_EQ(lauf.Signifikant, 3);
    for (int32_t i = 0; i < 10; ++i) EXPECT_LT(lauf.Residuen[i], 0.5);
    const std::vector<double> rekon = Spalte(t.Datei("A_PCA_recon_data.dat"), 2);
    EXPECT_NEAR(PcaRWert(a.spektren[0], rekon), lauf.Residuen[0], 1e-4);

    // Each pure component as a target: R small, the first report adds the
    // two file lines; the transformed curve becomes an accepted factor.
    for (int32_t k = 0; k < 3; ++k) {
        double r = -1.0;
        std::string bericht;
        ASSERT_EQ(PcaZieltransformation(ordner, e, zustand, m.e.data(), m.rein[k].data(), 400,
                                        "pure.dat", r, bericht), 10);
        EXPECT_LE(r, 0.5);
        EXPECT_EQ(bericht.find("A_PCA_TEST_PRIME.DAT") != std::string::npos, k == 0);
        std::filesystem::copy_file(t.Datei("A_PCA_Test_Prime.pca"),
                                   t.Datei("factor_" + std::to_string(k + 1) + ".pca"));
    }
    EXPECT_FALSE(zustand.BerichtOffen);
    const std::string temp = LiesDatei(t.Datei("temp.txt"));
    EXPECT_EQ(temp.substr(0, lauf.Bericht.size()), lauf.Bericht);
    EXPECT_NE(temp.find("Target Transformation of   pure.dat  - ndp:  400"), std::string::npos);

    int32_t fehler = 0;
    ASSERT_EQ(PcaTargetReconstruction(ordner, 10, 3, fehler), PCA_KONZ_OK);
    for (int32_t f = 0; f < 3; ++f) {
        std::ifstream in(t.Datei("realweight_" + std::to_string(f + 1) + ".pca"));
        double nr, konz;
        for (int32_t i = 0; i < 10; ++i) {
            ASSERT_TRUE(in >> nr >> konz);
            EXPECT_EQ(nr, i + 1);
            EXPECT_NEAR(konz, m.anteile[i][f], 0.005);
        }
    }

    // A fourth factor that is missing: refused, and no file for any factor.
    for (int32_t f = 1; f <= 3; ++f)
        std::filesystem::remove(t.Datei("realweight_" + std::to_string(f) + ".pca"));
    EXPECT_EQ(PcaTargetReconstruction(ordner, 10, 4, fehler), PCA_KONZ_FEHLT);
    EXPECT_EQ(fehler, 4);
    // Two identical factors: refused as well.
    std::filesystem::copy_file(t.Datei("factor_1.pca"), t.Datei("factor_4.pca"));
    EXPECT_EQ(PcaTargetReconstruction(ordner, 10, 4, fehler), PCA_KONZ_RANG);
    for (int32_t f = 1; f <= 4; ++f)
        EXPECT_FALSE(std::filesystem::exists(t.Datei("realweight_" + std::to_string(f) + ".pca")));
}

TEST(PcaDateien, ReportOfTheSyntheticSeriesLineByLine)
{
    TempOrdner t;
    const std::string ordner = t.Ordner() + "/";
    const Mischungen m = Baue(10, 0.002, 23u);
    const AufGitter a = Resample(m);
    std::vector<PcaEingabe> e = Eingaben(a);
    PcaZustand zustand;
    PcaLauf lauf;
    ASSERT_EQ(PcaVollanalyse(ordner, e, a.gitter, false, "", zustand, lauf), 10);
    const int32_t c = 10;

    // The weights against GSL's decomposition of the same matrix.
    PcaZerlegung z;
    ASSERT_EQ(PcaZerlege(a.spektren, z), 1);
    gsl_matrix* ga = gsl_matrix_alloc(PCA_GITTERPUNKTE, c);
    gsl_matrix* gv = gsl_matrix_alloc(c, c);
    gsl_vector* gs = gsl_vector_alloc(c);
    gsl_vector* arbeit = gsl_vector_alloc(c);
    for (int32_t k = 0; k < PCA_GITTERPUNKTE; ++k)
        for (int32_t i = 0; i < c; ++i) gsl_matrix_set(ga, k, i, a.spektren[i][k]);
    ASSERT_EQ(gsl_linalg_SV_decomp(ga, gv, gs, arbeit), 0);
    for (int32_t j = 0; j < c; ++j) {
        EXPECT_NEAR(z.w[j], gsl_vector_get(gs, j), 1e-10 * z.w[0]) << j;
        EXPECT_EQ(e[j].Gewicht, z.w[j]);
    }
    gsl_matrix_free(ga), gsl_matrix_free(gv), gsl_vector_free(gs), gsl_vector_free(arbeit);

    // The text, each line from its own format; the residual matrix and
    // the indicators are formed here from their definitions.
    std::string s = "\r\n         Principal Components Analysis - Results\r\n"
                    " ----------------------------------------------\r\n\r\n"
                    "  Reference files (grid: 300 dp):\r\n";
    for (int32_t i = 0; i < c; ++i)
        s += Format("  File #%2d :  %20s,  ndp: %4d  [% -8.6G, % -8.6G]\r\n", i + 1, e[i].Name, 400,
                   a.gitter.front(), a.gitter.back());
    s += "\r\n\r\n  Output files generated in data directory:\r\n\r\n"
         "  *   A_PCA_COMPONENTS.DAT - Principal Components\r\n"
         "  *   A_PCA_RECON_DATA.DAT - Reconstructed data using 1st 10 components\r\n"
         "  *   A_PCA_ORIGL_DATA.DAT - Original input data interpolated on same grid\r\n"
         "  *   A_PCA_GROUP_PLOT.DAT - PCA Group Plot using 1st and 2nd Eigenvalue\r\n"
         "\r\n\r\n      SIGNIFICANT WEIGHTS / EIGENVALUES\r\n\r\n";
    for (int32_t m = 0; m < c; ++m) s += Format("  Weight/Eigenvalue #%2d :  % -14.7G \r\n", m + 1, z.w[m]);
    s += "\r\n\r\n\r\n      MIXING COEFFICIENT MATRIX\r\n\r\n";
    for (int32_t r = 0; r < c; ++r) {
        for (int32_t m = 0; m < c; ++m) s += Format("  % -10.5G", z.v(r, m));
        s += "\r\n";
    }
    s += "\r\n\r\n\r\n      PCA RESIDUAL MATRIX AND SIGNIFICANCE INDICATORS\r\n\r\n           ";
    for (int32_t m = 0; m < c; ++m) s += Format(" Comp#%2d ", m + 1);
    s += "\r\n";
    std::vector<double> summe(c, 0.0);
    for (int32_t r = 0; r < c; ++r) {
        s += Format("  Spec #%2d", r + 1);
        // Component by component; with all ten the R-value is round-off
        // (1e-13), whose digits depend on the order of the sums.
        std::vector<double> rek(PCA_GITTERPUNKTE, 0.0);
        for (int32_t n = 1; n <= c; ++n) {
            const double f = z.w[n - 1] * z.v(r, n - 1);
            double oben = 0.0, unten = 0.0;
            for (int32_t k = 0; k < PCA_GITTERPUNKTE; ++k) {
                rek[k] += f * z.u(k, n - 1);
                oben += std::fabs(a.spektren[r][k] - rek[k]);
                unten += std::fabs(a.spektren[r][k]);
            }
            s += Format("  % -7.3G", 100.0 * oben / unten);
            summe[n - 1] += 100.0 * oben / unten;
        }
        s += "\r\n";
    }
    s += "\r\n  S(R)    ";
    for (int32_t n = 0; n < c; ++n) s += Format("  % -7.3G", summe[n]);
    s += "\r\n\r\n  S(R*Cn) ";
    for (int32_t n = 0; n < c; ++n) s += Format("  % -7.3G", (n + 1) * summe[n]);
    std::vector<double> re(c, 0.0), ind(c, 0.0);
    for (int32_t n = 1; n < c; ++n) {
        double rest = 0.0;
        for (int32_t j = n + 1; j <= c; ++j) rest += z.w[j - 1] * z.w[j - 1];
        re[n - 1] = std::sqrt(rest / (300.0 * (c - n)));
        ind[n - 1] = re[n - 1] / ((c - n) * (c - n));
    }
    s += "\r\n\r\n  IND     ";
    for (int32_t n = 0; n < c; ++n) s += Format("  % -7.3G", 1e5 * ind[n]);
    s += "\r\n\r\n  RE(*1E2)";
    for (int32_t n = 0; n < c; ++n) s += Format("  % -7.3G", 100.0 * re[n]);
    s += "\r\n\r\n\r\n";

    const std::string temp = LiesDatei(t.Datei("temp.txt"));
    EXPECT_EQ(temp, s);
    // Compared line by line too, so a failure names the line.
    std::istringstream ist(temp), soll(s);
    std::string a1, a2;
    for (int32_t zeile = 1; std::getline(soll, a2); ++zeile) {
        ASSERT_TRUE(std::getline(ist, a1)) << "line " << zeile;
        EXPECT_EQ(a1, a2) << "line " << zeile;
    }
}

// Flags 1, 1, 0, 1 read back from "new_weights.dat": the reconstruction
// uses components 1, 2 and 4, the target transformation 1 and 2 only.
TEST(PcaDateien, FlagsWithAGapReconstructWithAllFlaggedAndTransformWithTheLeadingRun)
{
    TempOrdner t;
    const std::string ordner = t.Ordner() + "/";
    const Mischungen m = Baue(4, 0.002, 41u);
    const AufGitter a = Resample(m);
    std::vector<PcaEingabe> e = Eingaben(a);
    PcaZustand zustand;
    PcaLauf lauf;
    ASSERT_EQ(PcaVollanalyse(ordner, e, a.gitter, false, "", zustand, lauf), 4);
    PcaZerlegung z;
    ASSERT_EQ(PcaZerlege(a.spektren, z), 1);

    ASSERT_TRUE(PcaSchreibeFlags(ordner, {1, 1, 0, 1}));
    ASSERT_EQ(PcaNeuRekonstruktion(ordner, e, zustand, lauf), 4);
    EXPECT_EQ(lauf.Signifikant, 2);
    for (int32_t i = 0; i < 4; ++i) {
        const std::vector<double> r = Spalte(t.Datei("A_PCA_recon_data.dat"), i + 2);
        ASSERT_EQ(r.size(), 300u);
        double abweichung = 0.0, ohneVier = 0.0;
        for (int32_t k = 0; k < PCA_GITTERPUNKTE; ++k) {
            double soll = 0.0;
            for (int32_t c : {0, 1, 3}) soll += z.w[c] * z.u(k, c) * z.v(i, c);
            abweichung = std::max(abweichung, std::fabs(r[k] - soll));
            ohneVier = std::max(ohneVier, std::fabs(z.w[3] * z.u(k, 3) * z.v(i, 3)));
        }
        EXPECT_LT(abweichung, 1e-5) << "input " << i + 1;
        EXPECT_GT(ohneVier, 10 * abweichung) << "input " << i + 1;
    }

    double rWert = 0.0;
    std::string bericht;
    ASSERT_EQ(PcaZieltransformation(ordner, e, zustand, m.e.data(), m.rein[2].data(), 400, "pure.dat", rWert,
                                    bericht), 4);
    std::vector<double> zwei, vier;
    const double rZwei = PcaTargetTransformation(z, 2, a.rein[2], zwei);
    PcaTargetTransformation(z, 4, a.rein[2], vier);
    EXPECT_NEAR(rWert, rZwei, 1e-4);
    std::ifstream in(t.Datei("A_PCA_Test_Prime.pca"));
    double g, tt, weitVonVier = 0.0;
    for (int32_t k = 0; k < PCA_GITTERPUNKTE; ++k) {
        ASSERT_TRUE(in >> g >> tt);
        EXPECT_NEAR(tt, zwei[k], 1e-5) << k;
        weitVonVier = std::max(weitVonVier, std::fabs(tt - vier[k]));
    }
    EXPECT_GT(weitVonVier, 1e-3);
}

TEST(PcaDateien, TooFewOrTooManyInputsWriteNothing)
{
    TempOrdner t;
    const std::string ordner = t.Ordner() + "/";
    const AufGitter a = Resample(Baue(2, 0.002, 2u));
    std::vector<PcaEingabe> e = Eingaben(a);
    PcaZustand zustand;
    PcaLauf lauf;
    std::vector<PcaEingabe> eine(e.begin(), e.begin() + 1);
    EXPECT_EQ(PcaVollanalyse(ordner, eine, a.gitter, false, "", zustand, lauf), PCA_ZU_WENIG);
    std::vector<PcaEingabe> hundert(100, e[0]);
    EXPECT_EQ(PcaVollanalyse(ordner, hundert, a.gitter, false, "", zustand, lauf), PCA_ZU_VIELE);
    EXPECT_TRUE(std::filesystem::is_empty(t.Ordner()));
    // Reconstruction and targets need a full analysis first.
    EXPECT_EQ(PcaNeuRekonstruktion(ordner, e, zustand, lauf), PCA_KEINE_ANALYSE);
    int32_t fehler = 0;
    EXPECT_EQ(PcaTargetReconstruction(ordner, 2, 1, fehler), PCA_KONZ_FEHLT);
    EXPECT_TRUE(std::filesystem::is_empty(t.Ordner()));
}

}  // namespace

// The dialog's views read back what the analysis wrote.
TEST(PcaAnsicht, EveryViewFromTheResultFilesAndNothingWithoutThem)
{
    TempOrdner t;
    const std::string ordner = t.Ordner() + "/";
    const Mischungen m = Baue(10, 0.002, 29u);
    const AufGitter a = Resample(m);
    std::vector<PcaEingabe> e = Eingaben(a);
    PcaZustand zustand;
    PcaLauf lauf;
    PcaAnsichtDaten v;
    for (int32_t ansicht : {0, 1, 2, 3, 6, 7})
        EXPECT_FALSE(PcaAnsicht(ordner, ansicht, 1, e, {}, 1, v)) << ansicht;
    ASSERT_EQ(PcaVollanalyse(ordner, e, a.gitter, false, "", zustand, lauf), 10);

    // 0: input s on the grid, its reconstruction over it.
    ASSERT_TRUE(PcaAnsicht(ordner, 0, 3, e, lauf.Residuen, 0, v));
    ASSERT_EQ(v.x.size(), 300u);
    EXPECT_EQ(v.y, e[2].Gitterspektrum);
    EXPECT_EQ(v.uy, Spalte(t.Datei("A_PCA_recon_data.dat"), 4));
    EXPECT_FALSE(v.Fest);
    EXPECT_FALSE(PcaAnsicht(ordner, 0, 0, e, lauf.Residuen, 0, v));
    EXPECT_FALSE(PcaAnsicht(ordner, 0, 11, e, lauf.Residuen, 0, v));
    // 1 and 6: component s and its abstract concentrations, no overlay.
    ASSERT_TRUE(PcaAnsicht(ordner, 1, 2, e, lauf.Residuen, 0, v));
    EXPECT_EQ(v.y, Spalte(t.Datei("A_PCA_components.dat"), 3));
    EXPECT_TRUE(v.uy.empty());
    ASSERT_TRUE(PcaAnsicht(ordner, 6, 4, e, lauf.Residuen, 0, v));
    EXPECT_EQ(v.x.size(), 10u);
    EXPECT_EQ(v.x.back(), 10.0);
    // 3: the group plot, points in style 2.
    ASSERT_TRUE(PcaAnsicht(ordner, 3, 1, e, lauf.Residuen, 0, v));
    EXPECT_EQ(v.x.size(), 10u);
    EXPECT_EQ(v.Stil, 2);
    EXPECT_EQ(v.ux, v.x);
    // 5: the residuals over 0 .. c + 1 and 0 .. their largest value.
    ASSERT_TRUE(PcaAnsicht(ordner, 5, 1, e, lauf.Residuen, 0, v));
    EXPECT_EQ(v.y, std::vector<double>(lauf.Residuen.begin(), lauf.Residuen.begin() + 10));
    EXPECT_EQ(v.Stil, 64);
    ASSERT_TRUE(v.Fest);
    EXPECT_EQ(v.FestX[0], 0.0);
    EXPECT_EQ(v.FestX[1], 11.0);
    EXPECT_EQ(v.FestY[1], *std::max_element(v.y.begin(), v.y.end()));

    // 2: the target on the grid and its transform; 7: the concentrations.
    EXPECT_FALSE(PcaAnsicht(ordner, 2, 1, e, lauf.Residuen, 0, v));
    for (int32_t k = 0; k < 3; ++k) {
        double r = 0.0;
        std::string bericht;
        ASSERT_EQ(PcaZieltransformation(ordner, e, zustand, m.e.data(), m.rein[k].data(), 400, "pure.dat", r, bericht),
                  10);
        std::filesystem::copy_file(t.Datei("A_PCA_Test_Prime.pca"), t.Datei("factor_" + std::to_string(k + 1) + ".pca"));
    }
    ASSERT_TRUE(PcaAnsicht(ordner, 2, 1, e, lauf.Residuen, 0, v));
    EXPECT_EQ(v.x.size(), 300u);
    EXPECT_EQ(v.uy, Spalte(t.Datei("A_PCA_Test_Prime.dat"), 2));
    EXPECT_FALSE(PcaAnsicht(ordner, 7, 1, e, lauf.Residuen, 3, v));
    int32_t fehler = 0;
    ASSERT_EQ(PcaTargetReconstruction(ordner, 10, 3, fehler), PCA_KONZ_OK);
    ASSERT_TRUE(PcaAnsicht(ordner, 7, 1, e, lauf.Residuen, 3, v));
    ASSERT_EQ(v.weitereY.size(), 2u);
    double klein = 1e50, gross = -1e50;
    for (const std::vector<double>* y : {&v.y, &v.weitereY[0], &v.weitereY[1]})
        for (double w : *y) klein = std::min(klein, w), gross = std::max(gross, w);
    EXPECT_EQ(v.FestY[0], klein);
    EXPECT_EQ(v.FestY[1], gross);
    EXPECT_EQ(v.FestX[1], 11.0);
}
