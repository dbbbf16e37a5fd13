// Curve conversions of the main menu: magnitude of a transform, ".jcp"
// interleaving and angle scans to energy.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "spectra/spectrum_conversions.h"

TEST(FtMagnitude, ModulusOfEachPointAndMirroredImaginaryPart)
{
    // Points given as modulus and phase: the magnitude must give the modulus back.
    const double r[] = {0.5, 2.0, 3.0, 1e-3, 0.0};
    const double phi[] = {0.3, -2.0, 3.1, 1.0, 0.7};
    const int32_t n = 5;
    std::vector<double> y(2 * n + 1);
    for (int32_t i = 0; i < n; ++i) {
        y[i] = r[i] * std::cos(phi[i]);
        y[n + 1 + i] = r[i] * std::sin(phi[i]);
    }
    y[n] = y[n - 1];
    FtBetrag(y.data(), n);
    for (int32_t i = 0; i < n; ++i) {
        EXPECT_NEAR(y[i], r[i], 1e-12 * (1.0 + r[i])) << i;
        EXPECT_EQ(y[n + 1 + i], -y[i]) << i;
    }
    EXPECT_EQ(y[n], y[n - 1]);
}

TEST(JcpFile, FiveColumnsInterleaveAndComeApartAgain)
{
    const int32_t n = 4;
    const double x[n] = {10.0, 12.0, 14.0, 16.0};
    std::vector<std::vector<double>> spalten(JCP_SPALTEN, std::vector<double>(n));
    const double* zeiger[JCP_SPALTEN];
    for (int32_t k = 0; k < JCP_SPALTEN; ++k) {
        for (int32_t i = 0; i < n; ++i) spalten[k][i] = 100.0 * k + i;
        zeiger[k] = spalten[k].data();
    }
    std::vector<double> xa(5 * n), ya(5 * n);
    ASSERT_EQ(JcpVerschachteln(x, zeiger, n, xa.data(), ya.data()), 5 * n);
    // x steps evenly by a fifth of the file's step and never turns back.
    for (int32_t j = 1; j < 5 * n; ++j) EXPECT_NEAR(xa[j] - xa[j - 1], 0.4, 1e-12) << j;
    for (int32_t i = 0; i < n; ++i)
        for (int32_t k = 0; k < JCP_SPALTEN; ++k) EXPECT_EQ(ya[5 * i + k], spalten[k][i]);
    // One row has no step.
    EXPECT_EQ(JcpVerschachteln(x, zeiger, 1, xa.data(), ya.data()), 0);
}

namespace {

// Bragg angle in millidegrees of energy e (keV) for a crystal of 2d.
double Winkel(double e, double zweiD)
{
    return std::asin(12.398 / zweiD / e) * 180.0 / std::acos(-1.0) * 1000.0;
}

}  // namespace

TEST(AngleScan, EnergiesFromTheBraggAngleAndAbsorptionFromTheIntensities)
{
    // Si(111), 2d = 6.2712 Angstrom; a scan across the Cu K edge, angles
    // falling so that the energy rises.
    const double zweiD = 6.2712;
    const double energien[] = {8.90, 8.95, 8.979, 9.00, 9.10};
    std::string text = "angle scan Cu foil\n  theta [mdeg]  I0  I1\n";
    char zeile[200];
    std::snprintf(zeile, sizeof zeile, "%.4f\n", zweiD);
    text += zeile;
    std::vector<double> erwartetY;
    for (int i = 0; i < 5; ++i) {
        const double b = 1000.0 + i, c = 400.0 + 50.0 * i;
        std::snprintf(zeile, sizeof zeile, "%.10f %.3f %.3f\n", Winkel(energien[i], zweiD), b, c);
        text += zeile;
        erwartetY.push_back(std::log(b / c));
        if (i == 2) {
            // A row back at a lower energy is dropped.
            std::snprintf(zeile, sizeof zeile, "%.10f 5 5\n", Winkel(8.92, zweiD));
            text += zeile;
        }
    }
    text += "# end of scan\n1 2 3\n";
    std::vector<double> x, y;
    ASSERT_EQ(EnergieAusWinkeln(text.data(), text.size(), &x, &y), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_NEAR(x[i], energien[i], 1e-9) << i;
        EXPECT_NEAR(y[i], erwartetY[i], 1e-12) << i;
    }
}

TEST(AngleScan, UnusableIntensitiesGiveZeroAndAMissingSpacingRefuses)
{
    const char gut[] = "6.2712\n20000 1 0\n19000 -1 2\n18000 2 1\n";
    std::vector<double> x, y;
    ASSERT_EQ(EnergieAusWinkeln(gut, sizeof gut - 1, &x, &y), 3);
    EXPECT_EQ(y[0], 0.0);
    EXPECT_EQ(y[1], 0.0);
    EXPECT_NEAR(y[2], std::log(2.0), 1e-15);

    const struct { const char* text; } faelle[] = {
        {"header only\n"},
        {"0\n20000 1 1\n19000 1 1\n"},        // spacing 0
        {"-6.2\n20000 1 1\n19000 1 1\n"},     // negative spacing
        {"6.2712\n0 1 1\n0 1 1\n"},          // angle 0: no finite energy
        {""},
    };
    for (const auto& f : faelle) {
        EXPECT_EQ(EnergieAusWinkeln(f.text, std::string(f.text).size(), &x, &y), 0) << f.text;
        EXPECT_TRUE(x.empty());
    }
}
