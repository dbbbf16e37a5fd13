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
#include "spectra/spectrum_file.h"
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

// One input of the analysis from a curve; the first one defines the grid.
void Aufnehmen(const Kurve& k, const char* name, std::vector<double>& gitter, PcaEingabe& e)
{
    EXPECT_TRUE(PcaNimmAuf(k.x.data(), k.y.data(), static_cast<int32_t>(k.x.size()), name, gitter, e))
        << name;
}

TEST(PcaMessdaten, GoldReferencesAndTheUnknown)
{
    TempOrdner t;
    const std::string ordner = t.Ordner() + "/";
    const char* namen[] = {"s1.dat", "s2.dat", "s3.dat", "s4.dat", "s5.dat", "s6.dat"};
    std::vector<PcaEingabe> e(6);
    std::vector<double> gitter;
    for (int32_t i = 0; i < 6; ++i) Aufnehmen(Lies(namen[i]), namen[i], gitter, e[i]);
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

    // A member lies in the space; a member shifted by 8 eV (then cut to the
    // same window, so that it covers the grid) does not.
    ASSERT_TRUE(PcaSchreibeFlags(ordner, {1, 1, 1, 1, 1, 1}));
    EXPECT_LE(transformiere(Lies("s3.dat"), "s3.dat"), 1e-4);
    const Kurve verschoben = Lies("s2.dat", 11870.0, 12030.0, 8.0);
    EXPECT_TRUE(PcaBereichPasst(verschoben.x.front(), verschoben.x.back(), gitter));
    EXPECT_GE(transformiere(verschoben, "s2.dat"), 5.0);
}

}  // namespace

namespace {

// Least-squares polynomial of the given order through the points in [von, bis].
std::vector<double> Polynom(const std::vector<double>& x, const std::vector<double>& y, double von,
                            double bis, int32_t ordnung, double e0)
{
    const int32_t n = ordnung + 1;
    double a[3][4] = {};
    for (size_t i = 0; i < x.size(); ++i) {
        if (x[i] < von || x[i] > bis) continue;
        double p[3] = {1.0, x[i] - e0, (x[i] - e0) * (x[i] - e0)};
        for (int32_t r = 0; r < n; ++r) {
            for (int32_t c = 0; c < n; ++c) a[r][c] += p[r] * p[c];
            a[r][3] += p[r] * y[i];
        }
    }
    for (int32_t r = 0; r < n; ++r) {  // Gauss elimination, small and well posed
        for (int32_t q = r + 1; q < n; ++q) {
            const double f = a[q][r] / a[r][r];
            for (int32_t c = r; c < 4; ++c) a[q][c] -= f * a[r][c];
        }
    }
    std::vector<double> k(3, 0.0);
    for (int32_t r = n - 1; r >= 0; --r) {
        double s = a[r][3];
        for (int32_t c = r + 1; c < n; ++c) s -= a[r][c] * k[c];
        k[r] = s / a[r][r];
    }
    return k;
}

double Wert(const std::vector<double>& k, double d) { return k[0] + k[1] * d + k[2] * d * d; }

// A series file normalised with the E0 and ranges of its line 2, in the window.
Kurve Normiert(const std::string& name)
{
    std::ifstream f(std::string(KORLAN_TEST_DIR) + "/app/xas/data/au_cyano_series/" + name);
    std::string zeile;
    double e0 = 0, pre1 = 0, pre2 = 0, nor1 = 0, nor2 = 0;
    std::vector<double> x, y;
    while (std::getline(f, zeile)) {
        if (zeile.find("bkg_e0=") != std::string::npos) {
            auto zahl = [&](const char* schluessel) {
                return std::stod(zeile.substr(zeile.find(schluessel) + std::string(schluessel).size()));
            };
            e0 = zahl("bkg_e0=");
            pre1 = zahl("bkg_pre1=");
            pre2 = zahl("bkg_pre2=");
            nor1 = zahl("bkg_nor1=");
            nor2 = zahl("bkg_nor2=");
        }
        if (zeile.empty() || zeile[0] == '#') continue;
        std::istringstream z(zeile);
        double e, mu;
        if (z >> e >> mu) {
            x.push_back(e);
            y.push_back(mu);
        }
    }
    EXPECT_GT(e0, 11000.0) << name;
    const std::vector<double> vor = Polynom(x, y, e0 + pre1, e0 + pre2, 1, e0);
    const std::vector<double> nach = Polynom(x, y, e0 + nor1, e0 + nor2, 2, e0);
    const double stufe = Wert(nach, 0.0) - Wert(vor, 0.0);
    Kurve k;
    for (size_t i = 0; i < x.size(); ++i) {
        if (x[i] < 11870.0 || x[i] > 12030.0) continue;
        k.x.push_back(x[i]);
        k.y.push_back((y[i] - Wert(vor, x[i] - e0)) / stufe);
    }
    EXPECT_GT(k.x.size(), 50u) << name;
    return k;
}

std::vector<double> BinaerSpalte(const std::string& pfad, int32_t spalte)
{
    std::vector<double> x, y;
    int32_t fehler = 0;
    EXPECT_GT(LeseBinaerSpalten(pfad.c_str(), 1, spalte, -1, &x, &y, &fehler), 0) << pfad;
    return y;
}

TEST(PcaMessdaten, TimeSeriesNeedsThreeComponents)
{
    TempOrdner t;
    const std::string ordner = t.Ordner() + "/";
    // The first input defines the grid: the one whose window ends first, so
    // that every other time point covers it (the others would get 0 at the
    // grid points beyond their last energy).
    const char* namen[] = {"series_t2.42.dat", "series_t0.12.dat", "series_t4.73.dat",
                           "series_t7.03.dat", "series_t9.33.dat", "series_t20.dat",
                           "series_t33.dat",   "series_t720.dat"};
    std::vector<PcaEingabe> e(8);
    std::vector<double> gitter, rauschen;
    for (int32_t i = 0; i < 8; ++i) {
        const Kurve k = Normiert(namen[i]);
        Aufnehmen(k, namen[i], gitter, e[i]);
        rauschen.push_back(Rauschen(k.y));
    }
    PcaZustand zustand;
    PcaLauf lauf;
    ASSERT_EQ(PcaVollanalyse(ordner, e, gitter, false, "", zustand, lauf), 8);
    const double verhaeltnis = e[0].Gewicht / e[1].Gewicht;
    EXPECT_GT(verhaeltnis, 50.0);
    EXPECT_LT(verhaeltnis, 100.0);
    const auto minimum =
        std::min_element(lauf.Indikator.begin(), lauf.Indikator.end() - 1) - lauf.Indikator.begin() + 1;
    EXPECT_TRUE(minimum == 3 || minimum == 4) << minimum;
    EXPECT_GT(lauf.Indikator[1], lauf.Indikator[2]);

    // Misfit of each time point with n components, in units of its noise.
    auto misfit = [&](int32_t n) {
        std::vector<int32_t> flags(8, 0);
        std::fill(flags.begin(), flags.begin() + n, 1);
        EXPECT_TRUE(PcaSchreibeFlags(ordner, flags));
        EXPECT_EQ(PcaNeuRekonstruktion(ordner, e, zustand, lauf), 8);
        std::vector<double> q;
        for (int32_t i = 0; i < 8; ++i)
            q.push_back(RmsDifferenz(BinaerSpalte(t.Datei("A_PCA_origl_data.dat"), i + 2),
                                     BinaerSpalte(t.Datei("A_PCA_recon_data.dat"), i + 2)) /
                        rauschen[i]);
        return q;
    };
    const std::vector<double> drei = misfit(3);
    for (int32_t i = 0; i < 8; ++i) EXPECT_LE(drei[i], 2.2) << namen[i];
    EXPECT_GT(misfit(2)[6], 3.0);
    const std::vector<double> eins = misfit(1);
    EXPECT_GT(*std::max_element(eins.begin(), eins.end()), 10.0);
}

}  // namespace
