// Reduction steps of an absorption spectrum: layout lines, energy unit,
// derivatives and the edge on uneven scans, k space, odd/even, ".F15" lines.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "xas/xas_reduction.h"

namespace {

struct LayoutFall {
    const char* text;
    int32_t gefunden;
    bool fluoreszenz;
    int32_t e, i0, i1, i2;
    bool bereich;
    int32_t von, bis;
};

TEST(SpaltenLayout, ReadsTheFormsOfTheStringTableAndTheFavourite)
{
    const LayoutFall faelle[] = {
        {"SSRL, BL 4-1                | 3,4,5,0", 4, false, 3, 4, 5, 0, false, 0, 0},
        {"SSRL, Jumbo, YB66           |-1,3,2,0", 4, true, 1, 3, 2, 0, false, 0, 0},
        {"SSRL, BL 10.2, QEXAFS       | 7,2,3,4", 4, false, 7, 2, 3, 4, false, 0, 0},
        {"HASYLAB, X1.2, E4, XAFS     |1,6,7,8", 4, false, 1, 6, 7, 8, false, 0, 0},
        {"| 1,2,3,4", 4, false, 1, 2, 3, 4, false, 0, 0},
        {" your favorite format      |-1,2,3,0,12,20#", 4, true, 1, 2, 3, 0, true, 12, 20},
        {"x|-11,22,33,44", 4, true, 11, 22, 33, 44, false, 0, 0},
        // The caption may hold digits and bars: only the end is read.
        {"beamline 7|2 | 1,2,3,4", 4, false, 1, 2, 3, 4, false, 0, 0},
        {"no format selected", 0, false, 0, 0, 0, 0, false, 0, 0},
        {"2,3", 2, false, 0, 0, 0, 0, false, 0, 0},
        {"5", 1, false, 0, 0, 0, 0, false, 0, 0},
        {"#", 0, false, 0, 0, 0, 0, false, 0, 0},
        {"", 0, false, 0, 0, 0, 0, false, 0, 0},
    };
    for (const LayoutFall& f : faelle) {
        SCOPED_TRACE(f.text);
        const SpaltenLayout l = LeseSpaltenLayout(std::string(f.text));
        EXPECT_EQ(l.Gefunden, f.gefunden);
        if (f.gefunden < 4) continue;
        EXPECT_EQ(l.Fluoreszenz, f.fluoreszenz);
        EXPECT_EQ(l.Energie, f.e);
        EXPECT_EQ(l.I0, f.i0);
        EXPECT_EQ(l.I1, f.i1);
        EXPECT_EQ(l.I2, f.i2);
        EXPECT_EQ(l.Bereich, f.bereich);
        EXPECT_EQ(l.Von, f.von);
        EXPECT_EQ(l.Bis, f.bis);
    }
}

TEST(SpaltenLayout, AShortTextIsReadWithinItsLength)
{
    // Only the first three characters belong to the text.
    const char text[] = {'1', ',', '2', '9', '9', ',', '9', '9', ',', '9', '9'};
    EXPECT_EQ(LeseSpaltenLayout(text, 3).Gefunden, 2);
}

TEST(SpaltenLayout, TheFavouriteRoundTripsAndRefusesThreeDigitColumns)
{
    SpaltenLayout l;
    l.Energie = 1, l.I0 = 2, l.I1 = 3, l.I2 = 0;
    EXPECT_EQ(SchreibeSpaltenLayout(l), " your favorite format      | 1,2,3,0");
    l.Fluoreszenz = true;
    l.Bereich = true, l.Von = 12, l.Bis = 20;
    const std::string mit = SchreibeSpaltenLayout(l);
    EXPECT_EQ(mit, " your favorite format      |-1,2,3,0,12,20#");
    const SpaltenLayout z = LeseSpaltenLayout(mit);
    EXPECT_TRUE(z.Fluoreszenz && z.Bereich);
    EXPECT_EQ(z.Von, 12);
    EXPECT_EQ(z.Bis, 20);
    // A reversed range is not kept.
    l.Von = 20, l.Bis = 12;
    EXPECT_EQ(SchreibeSpaltenLayout(l), " your favorite format      |-1,2,3,0");
    // A range chosen in transmission is not kept either.
    l.Fluoreszenz = false, l.Von = 5, l.Bis = 9;
    EXPECT_EQ(SchreibeSpaltenLayout(l), " your favorite format      | 1,2,3,0");
    l.I1 = 100;
    EXPECT_EQ(SchreibeSpaltenLayout(l), "");
}

TEST(EnergieEinheit, EvScalesAreDividedOnceByAThousand)
{
    EXPECT_DOUBLE_EQ(8979.0 * EnergieFaktor(8979.0, 40.0), 8.979);
    EXPECT_EQ(EnergieFaktor(40.0, 40.0), 1.0);
    EXPECT_EQ(EnergieFaktor(50.2, 40.0), 1.0);
    EXPECT_DOUBLE_EQ(50200.0 * EnergieFaktor(50200.0, 40.0), 50.2);
    EXPECT_EQ(EnergieFaktor(450.0, 40.0), 1.0);
}

TEST(KRaum, ConversionsFollowTheClosedForm)
{
    const double e0 = 8.979;
    EXPECT_NEAR(KAusEnergie(e0 + 0.1, e0), 5.1230, 5e-5);
    EXPECT_NEAR(KAusEnergie(e0 + 0.1, e0), std::sqrt(26.2451), 1e-12);
    const double null = KAusEnergie(e0, e0);
    EXPECT_EQ(null, 0.0);
    EXPECT_TRUE(std::signbit(null));
    EXPECT_LT(KAusEnergie(e0 - 0.05, e0), 0.0);
    for (double e = 8.8; e < 10.2; e += 0.0137)
        EXPECT_NEAR(EnergieAusK(KAusEnergie(e, e0), e0), e, 1e-12) << e;
}

TEST(KRaum, WeightingTwiceLeavesTheLastWeight)
{
    const std::vector<double> k = {-0.5, 0.0, 0.3, 1.0, 2.5, 7.0, 14.0};
    const std::vector<double> chi = {0.2, 0.1, -0.05, 0.02, -0.01, 0.004, 0.001};
    std::vector<double> y = chi;
    KGewichtung(k.data(), y.data(), 7, false, 0.0, 2.0);
    KGewichtung(k.data(), y.data(), 7, true, 2.0, 3.0);
    for (size_t i = 0; i < k.size(); ++i)
        EXPECT_NEAR(y[i], chi[i] * std::pow(std::fabs(k[i]), 3.0), 1e-15) << i;
    KGewichtung(k.data(), y.data(), 7, true, 3.0, 0.0);
    for (size_t i = 0; i < k.size(); ++i) {
        // k = 0 cannot be unweighted: it keeps what it has (0 after weighting).
        if (k[i] == 0.0) continue;
        EXPECT_NEAR(y[i], chi[i], 1e-15) << i;
    }
    std::vector<double> z = chi;
    KGewichtung(k.data(), z.data(), 7, false, 0.0, 2.6);
    for (double v : z) EXPECT_TRUE(std::isfinite(v));
    EXPECT_NEAR(z[0], 0.2 * std::pow(0.5, 2.6), 1e-15);
}

// An arctangent edge at e0 (width g) sampled at 10 eV, then 0.5 eV around
// the edge, then 2 eV steps (energies in keV), as real scans change step.
struct Kante {
    std::vector<double> x, y;
};
Kante ArctanKante(double e0, double g)
{
    Kante k;
    double e = e0 - 0.200;
    for (; e < e0 - 0.020; e += 0.010) k.x.push_back(e);
    for (; e < e0 + 0.030; e += 0.0005) k.x.push_back(e);
    for (; e < e0 + 0.300; e += 0.002) k.x.push_back(e);
    for (double xi : k.x) k.y.push_back(std::atan((xi - e0) / g) / M_PI + 0.5 + 0.3 * (xi - e0));
    return k;
}

TEST(Kante, DerivativesOnTheRealSpacingFindTheInflection)
{
    const double e0 = 8.9793;
    const Kante k = ArctanKante(e0, 0.0015);
    const int32_t n = static_cast<int32_t>(k.x.size());
    std::vector<double> d1(n), d2(n);
    Ableitungen(k.x.data(), k.y.data(), n, d1.data(), d2.data());
    int32_t imax = 0;
    for (int32_t i = 0; i < n; ++i)
        if (d1[i] > d1[imax]) imax = i;
    EXPECT_NEAR(k.x[imax], e0, 0.00005);
    // The slope is right in every region, not only where the step is smallest.
    for (int32_t i = 1; i + 1 < n; ++i) {
        const double u = (k.x[i] - e0) / 0.0015;
        const double exakt = 1.0 / (M_PI * 0.0015 * (1.0 + u * u)) + 0.3;
        EXPECT_NEAR(d1[i], exakt, 0.05 * exakt + 0.5) << k.x[i];
    }
    double r = 0.0;
    ASSERT_EQ(KantenNullstelle(k.x.data(), d1.data(), d2.data(), n, e0 - 0.15, e0 + 0.25, false, &r), 1);
    EXPECT_NEAR(r, e0, 0.00005);
    // No other crossing: the step changes at e0 - 0.02 and e0 + 0.03 make none.
    int32_t wechsel = 0;
    for (int32_t i = 1; i + 1 < n; ++i)
        if ((d2[i] > 0.0) != (d2[i + 1] > 0.0)) ++wechsel;
    EXPECT_EQ(wechsel, 1);
    // An interval without the edge finds nothing.
    EXPECT_EQ(KantenNullstelle(k.x.data(), d1.data(), d2.data(), n, e0 + 0.05, e0 + 0.2, false, &r), 0);
}

TEST(Kante, ResampledAndSmoothedCurvesKeepTheEdge)
{
    const double e0 = 8.9793;
    const Kante k = ArctanKante(e0, 0.0015);
    std::vector<double> gx, d1, d2;
    // A three-point running mean stands in for the Fourier smoothing.
    GLAETTER mittel = [](double*, double* y, int32_t n, int32_t) {
        std::vector<double> a(y, y + n);
        for (int32_t i = 1; i + 1 < n; ++i) y[i] = (a[i - 1] + a[i] + a[i + 1]) / 3.0;
    };
    KantenKurven(k.x.data(), k.y.data(), static_cast<int32_t>(k.x.size()), 5.0, mittel, &gx, &d1, &d2);
    ASSERT_GT(gx.size(), k.x.size());
    EXPECT_NEAR(gx[1] - gx[0], 0.0005, 1e-12);
    double r = 0.0;
    ASSERT_EQ(KantenNullstelle(gx.data(), d1.data(), d2.data(), static_cast<int32_t>(gx.size()),
                               e0 - 0.15, e0 + 0.25, false, &r), 1);
    EXPECT_NEAR(r, e0, 0.00005);
    // Above 4096 points nothing overflows: a long fine scan is resampled whole.
    std::vector<double> x(9000), y(9000);
    for (int i = 0; i < 9000; ++i) {
        x[i] = 8.9 + i * 0.00002;
        y[i] = std::atan((x[i] - e0) / 0.0015);
    }
    KantenKurven(x.data(), y.data(), 9000, 5.0, mittel, &gx, &d1, &d2);
    EXPECT_EQ(gx.size(), 9000u);
}

TEST(GeradeUngerade, KeepsEveryPoint)
{
    for (int32_t n : {7, 8}) {
        std::vector<double> x(n), y(n);
        for (int32_t i = 0; i < n; ++i) x[i] = i, y[i] = 10 * i;
        std::vector<double> ax, ay, bx, by;
        GeradeUngerade(x.data(), y.data(), n, &ax, &ay, &bx, &by);
        EXPECT_EQ(ax.size() + bx.size(), static_cast<size_t>(n));
        EXPECT_EQ(ax.back(), n % 2 ? n - 1 : n - 2);
        EXPECT_EQ(bx.back(), n % 2 ? n - 2 : n - 1);
        EXPECT_EQ(by[0], 10.0);
    }
}

TEST(F15, KeepsTwoLinesSkips27AndCutsAtTheSeventhBlank)
{
    std::string text = "TITLE LINE\r\nsecond line\n";
    for (int i = 0; i < 27; ++i) text += "skip " + std::to_string(i) + "\n";
    text += "1 2 3 4 5 6 7 8 9\n";
    text += "a b c\n";
    text += "\n";
    text += "after the blank line\n";
    EXPECT_EQ(KonvertiereF15Text(text), "TITLE LINE\nsecond line\n1 2 3 4 5 6 7\na b c\n");
    EXPECT_EQ(F15Ausgabename("C:\\data\\cu.F15"), "C:\\data\\cu.M15");
    EXPECT_EQ(F15Ausgabename("ab"), "");
}

}  // namespace
