// The plain parts of the XANES fits: the channel columns of raw files, the
// position parameter of a model function, references on the sample's grid
// (against GSL's natural spline) and the "LCXANES.dat" table.
#include <gtest/gtest.h>
#include <gsl/gsl_interp.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "xas/xanes_fit.h"
#include "zelva.h"

namespace {

// Twelve columns of 6 rows: energies in eV from 8979, then positive
// counts that differ in every column and row.
std::vector<std::vector<double>> RohSpalten(double erstesX)
{
    std::vector<std::vector<double>> s(12, std::vector<double>(6));
    for (int i = 0; i < 6; ++i) {
        s[0][i] = erstesX + i;
        for (int c = 1; c < 12; ++c) s[c][i] = 1000.0 + 37.0 * c * c + 11.0 * i * (c % 5 + 1);
    }
    return s;
}

}  // namespace

TEST(XanesChannels, LayoutsGiveTheLogarithmOfTheRightColumns)
{
    const auto s = RohSpalten(8979.0);
    auto c = [&](int spalte, int i) { return s[spalte - 1][i]; };
    struct Fall {
        const char* layout;
        int32_t modus;
        std::function<double(int)> y;
    };
    const std::vector<Fall> faelle = {
        {"| 1,2,3,4", 2, [&](int i) { return std::log(c(3, i) / c(4, i)); }},
        {"| 1,2,3,4", 0, [&](int i) { return std::log(c(2, i) / c(3, i)); }},
        // Fluorescence: the reference stays ln(I1/I2); the sample is I1/I0.
        {"|-1,2,3,4", 2, [&](int i) { return std::log(c(3, i) / c(4, i)); }},
        {"|-1,2,3,4", 0, [&](int i) { return c(3, i) / c(2, i); }},
        // Two-digit columns are read as such, not as their last digit.
        {" your favorite format      | 1,2,11,12", 2, [&](int i) { return std::log(c(11, i) / c(12, i)); }},
        {"|-1,10,11,12", 0, [&](int i) { return c(11, i) / c(10, i); }},
        // A channel run: the sample sums columns 5 to 8; the reference
        // ignores the run.
        {"|-1,2,3,4,5,9#", 0, [&](int i) { return (c(5, i) + c(6, i) + c(7, i) + c(8, i)) / c(2, i); }},
        {"|-1,2,3,4,5,9#", 2, [&](int i) { return std::log(c(3, i) / c(4, i)); }},
    };
    for (const Fall& f : faelle) {
        KANAL_SPALTEN k;
        ASSERT_TRUE(KanalSpalten(LeseSpaltenLayout(f.layout), f.modus, &k)) << f.layout;
        std::vector<double> x, y;
        ASSERT_EQ(KanalKurve(s, k, 40.0, &x, &y), 6) << f.layout;
        for (int i = 0; i < 6; ++i) {
            EXPECT_NEAR(y[i], f.y(i), 1e-12 * std::fabs(f.y(i))) << f.layout << " row " << i;
            EXPECT_DOUBLE_EQ(x[i], (8979.0 + i) * 0.001) << f.layout;
        }
    }
    // A reference needs its I2; a column beyond the file is refused.
    KANAL_SPALTEN k;
    EXPECT_FALSE(KanalSpalten(LeseSpaltenLayout("| 1,2,3,0"), 2, &k));
    EXPECT_TRUE(KanalSpalten(LeseSpaltenLayout("| 1,2,3,0"), 0, &k));
    ASSERT_TRUE(KanalSpalten(LeseSpaltenLayout("| 1,2,3,14"), 2, &k));
    std::vector<double> x{1.0}, y{1.0};
    EXPECT_EQ(KanalKurve(s, k, 40.0, &x, &y), -1);
    EXPECT_TRUE(x.empty() && y.empty());
}

TEST(XanesChannels, OnlyAnEnergyScaleInEvIsBroughtToKev)
{
    for (double erstes : {8979.0, 200.0, 8.979}) {
        const auto s = RohSpalten(erstes);
        KANAL_SPALTEN k;
        ASSERT_TRUE(KanalSpalten(LeseSpaltenLayout("| 1,2,3,4"), 2, &k));
        std::vector<double> x, y;
        ASSERT_EQ(KanalKurve(s, k, 40.0, &x, &y), 6);
        EXPECT_DOUBLE_EQ(x[0], erstes > 500.0 ? 8.979 : erstes) << erstes;
    }
    // Counts that are not positive give 0, not a NaN.
    double y[3] = {1.0, 0.0, -2.0}, zweite[3] = {0.0, 2.0, 2.0};
    KanalOrdinate(y, zweite, 3, false);
    for (double v : y) EXPECT_EQ(v, 0.0);
}

TEST(XanesPosition, OnlyAFunctionWhoseSecondParameterIsAPosition)
{
    struct Fall {
        std::vector<int32_t> typen;
        int32_t grad, k, index;
    } faelle[] = {
        {{8, 1}, 0, 0, 1},       // mod. atan: height, position, fwhm
        {{8, 1}, 0, 1, 4},       // the Gaussian behind its three parameters
        {{19, 4, 1}, 0, 2, 9},   // new atan (4), asym. Gauss (4), Gaussian
        {{7, 1}, 2, 1, 4},       // behind a polynomial of degree 2 (3 coefficients)
        {{7, 1}, 2, 0, -1},      // the polynomial has no position
        {{26, 26}, 0, 1, -1},    // LC xanes: partial c., E0 shift
        {{20, 8}, 0, 0, -1},     // Victoreen
        {{108, 1}, 0, 0, 1},     // switched off, the same layout
        {{8, 1}, 0, 2, -1},      // no third function
        {{8, 1}, 0, -1, -1},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(ModellPositionsIndex(f.typen.data(), static_cast<int32_t>(f.typen.size()), f.grad, f.k), f.index)
            << f.typen[0] << " k " << f.k;
}

TEST(LcReferences, TheSplineOnTheSampleGridMatchesGsl)
{
    // A reference in eV with an uneven grid, the sample in keV.
    std::vector<double> rx, ry;
    for (double e = 11900.0; e < 12000.0; e += (e < 11950.0 ? 1.5 : 4.0)) {
        rx.push_back(e);
        ry.push_back(1.0 / (1.0 + std::exp(-(e - 11920.0) / 3.0)) + 0.3 * std::exp(-std::pow((e - 11925.0) / 4.0, 2)));
    }
    std::vector<double> x;
    for (double e = 11.890; e < 12.010; e += 0.0007) x.push_back(e);
    def_zelva z;
    double fremdX[2] = {1.0, 2.0}, fremdY[2] = {3.0, 4.0};
    z.SetField(fremdX, fremdY);
    z.anzahl = 2;
    std::vector<double> aus(x.size(), -1.0);
    ASSERT_TRUE(ReferenzAufGitter(z, rx.data(), ry.data(), static_cast<int32_t>(rx.size()), x.data(),
                                  static_cast<int32_t>(x.size()), 40.0, aus.data()));
    EXPECT_EQ(z.xField, fremdX);
    EXPECT_EQ(z.yField, fremdY);
    EXPECT_EQ(z.anzahl, 2);

    gsl_interp* f = gsl_interp_alloc(gsl_interp_cspline, rx.size());
    gsl_interp_init(f, rx.data(), ry.data(), rx.size());
    gsl_interp_accel* a = gsl_interp_accel_alloc();
    int innen = 0;
    for (size_t i = 0; i < x.size(); ++i) {
        const double e = x[i] * 1000.0;
        // Beyond the reference (by more than the library's 1e-4 relative
        // slack, within which it extends the end interval): 0.
        if (e < rx.front() * (1 - 1.1e-4) || e > rx.back() * (1 + 1.1e-4)) {
            EXPECT_EQ(aus[i], 0.0) << e;
            continue;
        }
        if (e < rx.front() || e > rx.back()) continue;
        ++innen;
        const double erwartet = gsl_interp_eval(f, rx.data(), ry.data(), e, a);
        EXPECT_NEAR(aus[i], erwartet, 1e-9) << e;
    }
    EXPECT_GT(innen, 100);
    gsl_interp_accel_free(a);
    gsl_interp_free(f);

    // Abscissae that do not ascend, or one point, are refused.
    std::swap(rx[3], rx[4]);
    EXPECT_FALSE(ReferenzAufGitter(z, rx.data(), ry.data(), static_cast<int32_t>(rx.size()), x.data(),
                                   static_cast<int32_t>(x.size()), 40.0, aus.data()));
    EXPECT_FALSE(ReferenzAufGitter(z, rx.data(), ry.data(), 1, x.data(), static_cast<int32_t>(x.size()), 40.0,
                                   aus.data()));
}

TEST(LcReferences, TheCorrectionTableMatchesWholeNamesOnly)
{
    const std::string text = "CuO, 0.8\nCu , 1.25\r\nZn,0\nFe, abc\nCu, 3\n";
    const struct {
        const char* name;
        double wert;
    } faelle[] = {
        {"Cu", 1.25},   // not the line of "CuO" before it, and the first of two
        {"CuO", 0.8},
        {"Zn", 1.0},    // 0 stands for none
        {"Fe", 1.0},    // no number
        {"Ni", 1.0},    // no line
        {"C", 1.0},     // a beginning of a name is no match
    };
    for (const auto& f : faelle) EXPECT_DOUBLE_EQ(LcKorrektur(text, f.name), f.wert) << f.name;
    EXPECT_DOUBLE_EQ(LcKorrektur("", "Cu"), 1.0);  // the file is missing

    EXPECT_EQ(LcName("C:\\data\\lcf\\s1.dat"), "s1");
    EXPECT_EQ(LcName("/x/y/cu.foil.nor"), "cu");
    EXPECT_EQ(LcName("s2"), "s2");

    // Each name keeps one line: only names the file lacks are appended.
    EXPECT_EQ(LcAnhang(text, {"Cu", "CuOH", "CuOH", "Au"}, {2.0, 0.5, 0.7, 1.0}), "CuOH, 0.5\nAu, 1\n");
    EXPECT_EQ(LcAnhang("", {"s1"}, {1.0}), "s1, 1\n");
}
