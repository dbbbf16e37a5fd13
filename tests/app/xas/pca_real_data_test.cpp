// Principal component analysis of measured Au L3 XANES (six references and
// an unknown), cut to the XANES window 11870-12030 eV, through the result
// files the dialog writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/temp_folder.h"
#include "xas/pca.h"

namespace {

struct Kurve {
    std::vector<double> x, y;
};

// The two columns of a text spectrum, in the window [von, bis] eV.
Kurve Lies(const std::string& name, double von = 11870.0, double bis = 12030.0, double schub = 0.0)
{
    Kurve k;
    std::ifstream f(std::string(KORLAN_TEST_DIR) + "/app/xas/data/lcf_au/" + name);
    std::string zeile;
    while (std::getline(f, zeile)) {
        if (zeile.empty() || zeile[0] == '#') continue;
        std::istringstream z(zeile);
        double e, mu;
        if (!(z >> e >> mu)) continue;
        e += schub;
        if (e >= von && e <= bis) {
            k.x.push_back(e);
            k.y.push_back(mu);
        }
    }
    EXPECT_GT(k.x.size(), 50u) << name;
    return k;
}

// Noise: rms of the curve minus its 9-point cubic Savitzky-Golay smoothing.
double Rauschen(const std::vector<double>& y)
{
    const double c[9] = {-21, 14, 39, 54, 59, 54, 39, 14, -21};
    double summe = 0.0;
    int32_t n = 0;
    for (size_t i = 4; i + 4 < y.size(); ++i) {
        double g = 0.0;
        for (int32_t j = 0; j < 9; ++j) g += c[j] * y[i + j - 4];
        const double d = y[i] - g / 231.0;
        summe += d * d;
        ++n;
    }
    return std::sqrt(summe / n);
}

// Second column of a text file of pairs.
std::vector<double> ZweiteSpalte(const std::string& pfad)
{
    std::vector<double> y;
    std::ifstream f(pfad);
    double a, b;
    while (f >> a >> b) y.push_back(b);
    return y;
}

double RmsDifferenz(const std::vector<double>& a, const std::vector<double>& b)
{
    EXPECT_EQ(a.size(), b.size());
    double s = 0.0;
    for (size_t k = 0; k < a.size() && k < b.size(); ++k) s += (a[k] - b[k]) * (a[k] - b[k]);
    return std::sqrt(s / a.size());
}

TEST(PcaMessdaten, GoldReferencesAndTheUnknown)
{
    TempOrdner t;
    const std::string ordner = t.Ordner() + "/";
    const char* namen[] = {"s1.dat", "s2.dat", "s3.dat", "s4.dat", "s5.dat", "s6.dat"};
    std::vector<PcaEingabe> e(6);
    std::vector<double> gitter;
    for (int32_t i = 0; i < 6; ++i) {
        const Kurve k = Lies(namen[i]);
        if (i == 0) gitter = PcaGitter(k.x.front(), k.x.back());
        std::snprintf(e[i].Name, sizeof e[i].Name, "%s", namen[i]);
        e[i].Anfang = k.x.front();
        e[i].Ende = k.x.back();
        e[i].Punkte = static_cast<double>(k.x.size());
        ASSERT_TRUE(PcaResample(k.x.data(), k.y.data(), static_cast<int32_t>(k.x.size()), gitter,
                                e[i].Gitterspektrum));
    }
    PcaZustand zustand;
    PcaLauf lauf;
    ASSERT_EQ(PcaVollanalyse(ordner, e, gitter, false, "", zustand, lauf), 6);
    const double verhaeltnis = e[0].Gewicht / e[1].Gewicht;
    EXPECT_GT(verhaeltnis, 10.0);
    EXPECT_LT(verhaeltnis, 20.0);
    EXPECT_EQ(std::min_element(lauf.Indikator.begin(), lauf.Indikator.end() - 1) - lauf.Indikator.begin(), 1);

    const Kurve unbekannt = Lies("unknown.dat");
    const double rauschen = Rauschen(unbekannt.y);
    EXPECT_GT(rauschen, 0.0005);
    EXPECT_LT(rauschen, 0.005);
    auto transformiere = [&](const Kurve& k, const char* name) {
        double r = -1.0;
        std::string bericht;
        EXPECT_EQ(PcaZieltransformation(ordner, e, zustand, k.x.data(), k.y.data(),
                                        static_cast<int32_t>(k.x.size()), name, r, bericht), 6);
        return r;
    };
    // All six components describe the unknown within its noise.
    EXPECT_LE(transformiere(unbekannt, "unknown.dat"), 0.5);
    const double rest6 = RmsDifferenz(ZweiteSpalte(t.Datei("A_PCA_Test.dat")),
                                      ZweiteSpalte(t.Datei("A_PCA_Test_Prime.pca")));
    EXPECT_LE(rest6, 2.5 * rauschen);
    // Two components do not.
    ASSERT_TRUE(PcaSchreibeFlags(ordner, {1, 1, 0, 0, 0, 0}));
    transformiere(unbekannt, "unknown.dat");
    const double rest2 = RmsDifferenz(ZweiteSpalte(t.Datei("A_PCA_Test.dat")),
                                      ZweiteSpalte(t.Datei("A_PCA_Test_Prime.pca")));
    EXPECT_GE(rest2, 5.0 * rauschen);

    // A member lies in the space; a shifted member does not.
    ASSERT_TRUE(PcaSchreibeFlags(ordner, {1, 1, 1, 1, 1, 1}));
    EXPECT_LE(transformiere(Lies("s3.dat"), "s3.dat"), 1e-4);
    EXPECT_GE(transformiere(Lies("s2.dat", 11870.0 - 8.0, 12030.0 - 8.0 + 1e-9, 8.0), "s2.dat"), 5.0);
}

}  // namespace
