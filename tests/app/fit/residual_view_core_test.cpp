// The transforms and tables of the EXAFS fit-difference view: the peak of
// a single shell, the layout and cut of the result, linearity (the
// residual's transform is the difference of the transforms), refusals, and
// the two tables byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "fit/residual_view.h"
#include "zelva.h"

namespace {

const double R_SCHRITT = 0.025;
const int32_t K_PUNKTE = 2048;

// sin(2 R k) exp(-0.01 k^2) on k = 2 ... 16 in steps of 0.05.
void Schale(double r, std::vector<double>& k, std::vector<double>& chi)
{
    k.clear();
    chi.clear();
    for (int i = 0; i <= 280; ++i) {
        const double x = 2.0 + 0.05 * i;
        k.push_back(x);
        chi.push_back(std::sin(2.0 * r * x) * std::exp(-0.01 * x * x));
    }
}

}  // namespace

TEST(ResidualFT, SingleShellPeaksAtItsDistance)
{
    def_zelva z;
    std::vector<double> k, chi, rx, ry;
    Schale(2.55, k, chi);
    double altY = 7.0;
    z.SetField(&altY, &altY);
    z.anzahl = 1;
    const int32_t m = ResidualFT(z, k.data(), chi.data(), static_cast<int32_t>(k.size()), K_PUNKTE, R_SCHRITT, 8.0, rx, ry);
    ASSERT_GT(m, 10);
    // The library's curve is put back.
    EXPECT_EQ(z.xField, &altY);
    EXPECT_EQ(z.anzahl, 1);
    // Complex layout: m values, the last repeated, m imaginary parts.
    ASSERT_EQ(rx.size(), 2 * static_cast<size_t>(m) + 1);
    EXPECT_EQ(rx[m], rx[m - 1]);
    EXPECT_EQ(ry[m], ry[m - 1]);
    EXPECT_EQ(rx[m + 1], rx[0]);
    // Cut after the first R above R max.
    EXPECT_GT(rx[m - 1], 8.0);
    EXPECT_LE(rx[m - 2], 8.0);
    const double schritt = rx[1] - rx[0];
    EXPECT_NEAR(schritt, R_SCHRITT * (K_PUNKTE - 1) / K_PUNKTE, 1e-12);
    const std::vector<double> b = Betraege(ry, m);
    size_t spitze = 0;
    for (size_t i = 1; i < b.size(); ++i)
        if (b[i] > b[spitze]) spitze = i;
    EXPECT_NEAR(rx[spitze], 2.55, schritt);
}

TEST(ResidualFT, RefusesWhatItCannotTransform)
{
    def_zelva z;
    std::vector<double> k, chi, rx, ry;
    Schale(2.0, k, chi);
    const int32_t n = static_cast<int32_t>(k.size());
    struct Fall {
        const char* name;
        int32_t n, punkte;
        double schritt;
    } faelle[] = {{"one point", 1, K_PUNKTE, R_SCHRITT},
                  {"not a power of two", n, 1000, R_SCHRITT},
                  {"no R step", n, K_PUNKTE, 0.0}};
    for (const Fall& f : faelle) {
        EXPECT_EQ(ResidualFT(z, k.data(), chi.data(), f.n, f.punkte, f.schritt, 8.0, rx, ry), 0) << f.name;
        EXPECT_TRUE(rx.empty() && ry.empty()) << f.name;
    }
    k[10] = k[9];
    EXPECT_EQ(ResidualFT(z, k.data(), chi.data(), n, K_PUNKTE, R_SCHRITT, 8.0, rx, ry), 0);
}

// k space: the residual is data - model, and its transform is the
// difference of the two transforms (real and imaginary parts).
TEST(DifferenzAnsicht, KSpaceResidualAndItsTransform)
{
    def_zelva z;
    std::vector<double> k, daten, modell;
    Schale(2.55, k, daten);
    Schale(2.60, k, modell);
    for (double& v : modell) v *= 0.9;
    const int32_t n = static_cast<int32_t>(k.size());
    DIFFERENZ_ANSICHT a;
    ASSERT_TRUE(DifferenzAnsichtBerechnen(z, k.data(), daten.data(), modell.data(), n, true, K_PUNKTE, R_SCHRITT, 6.0,
                                          &a));
    for (int32_t i = 0; i < n; ++i) EXPECT_EQ(a.Residuum[i], daten[i] - modell[i]);
    std::vector<double> rx, fd, fm, fr;
    const int32_t m = ResidualFT(z, k.data(), daten.data(), n, K_PUNKTE, R_SCHRITT, 6.0, rx, fd);
    ResidualFT(z, k.data(), modell.data(), n, K_PUNKTE, R_SCHRITT, 6.0, rx, fm);
    ResidualFT(z, k.data(), a.Residuum.data(), n, K_PUNKTE, R_SCHRITT, 6.0, rx, fr);
    ASSERT_EQ(static_cast<int32_t>(a.R.size()), m);
    double groesste = 0.0;
    for (double v : fd) groesste = std::max(groesste, std::fabs(v));
    for (size_t i = 0; i < fd.size(); ++i) EXPECT_NEAR(fr[i], fd[i] - fm[i], 1e-12 * groesste) << i;
    // The three columns: |FT| of data, residual and model.
    EXPECT_EQ(a.Kurve[0], Betraege(fd, m));
    EXPECT_EQ(a.Kurve[1], Betraege(fr, m));
    EXPECT_EQ(a.Kurve[2], Betraege(fm, m));
}

TEST(DifferenzAnsicht, RSpaceCurvesAndTables)
{
    def_zelva z;
    const std::vector<double> r = {1.0, 1.5}, kurve = {0.25, -3.0}, modell = {0.125, 1e-3};
    DIFFERENZ_ANSICHT a;
    ASSERT_TRUE(DifferenzAnsichtBerechnen(z, r.data(), kurve.data(), modell.data(), 2, false, K_PUNKTE, R_SCHRITT, 6.0,
                                          &a));
    EXPECT_FALSE(a.KRaum);
    EXPECT_EQ(a.R, r);
    EXPECT_EQ(a.Kurve[0], kurve);
    EXPECT_EQ(a.Kurve[1], modell);
    EXPECT_EQ(a.Kurve[2], (std::vector<double>{0.25 - 0.125, -3.0 - 1e-3}));
    EXPECT_EQ(ResidCText(r.data(), a), "1.0000000000E+00  1.2500000000E-01\n1.5000000000E+00  -3.0010000000E+00\n");
    EXPECT_EQ(ResidFText(a),
              "1.0000000000E+00  2.5000000000E-01  1.2500000000E-01  1.2500000000E-01\n"
              "1.5000000000E+00  -3.0000000000E+00  1.0000000000E-03  -3.0010000000E+00\n");
    EXPECT_FALSE(DifferenzAnsichtBerechnen(z, r.data(), kurve.data(), modell.data(), 1, false, K_PUNKTE, R_SCHRITT,
                                           6.0, &a));
}
