// Section and paste ranges, paste, deglitching, noise and the small
// computations of the data commands.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "spectra/data_commands.h"

namespace {

std::vector<double> Gitter(int n, double a = 0.0, double step = 1.0)
{
    std::vector<double> v(n);
    for (int i = 0; i < n; ++i) v[i] = a + i * step;
    return v;
}

// Energy and mu of the Cu foil at 10 K.
bool LiesCu10k(std::vector<double>& e, std::vector<double>& mu)
{
    std::ifstream in(KORLAN_TEST_DIR "/app/spectra/data/cu_10k.xmu");
    std::string zeile;
    while (std::getline(in, zeile)) {
        if (zeile.empty() || zeile[0] == '#') continue;
        std::istringstream s(zeile);
        double a, b;
        if (s >> a >> b) {
            e.push_back(a);
            mu.push_back(b);
        }
    }
    return e.size() == 612;
}

}  // namespace

TEST(IndexRange, NearestNeighboursOfTheBorders)
{
    const std::vector<double> x = Gitter(10);
    int32_t f = -1, l = -1;
    EXPECT_TRUE(IndexBereichFeld(x.data(), 10, 2.4, 6.6, &f, &l));
    EXPECT_EQ(f, 2);
    EXPECT_EQ(l, 7);
    EXPECT_TRUE(IndexBereichFeld(x.data(), 10, 2.6, 6.4, &f, &l));
    EXPECT_EQ(f, 3);
    EXPECT_EQ(l, 6);
    // Both borders beyond the last point: one index, no range.
    EXPECT_FALSE(IndexBereichFeld(x.data(), 10, 20, 30, &f, &l));
    EXPECT_EQ(f, 9);
    EXPECT_EQ(l, 9);
}

TEST(SectionBorders, CheckedAgainstTheCurveAndTheirOrder)
{
    struct Fall {
        double a, b;
        int32_t erwartet;
    };
    // Curve from 100 to 200.
    const Fall faelle[] = {
        {120, 180, DATEN_OK},
        {100, 200, DATEN_OK},
        {99.995, 200.01, DATEN_OK},  // within the relative tolerance 1e-4
        {99.9, 150, FEHLER_BEREICH},
        {150, 200.1, FEHLER_BEREICH},
        {180, 120, FEHLER_BEREICH},  // from above to
        {std::nan(""), 150, FEHLER_BEREICH},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(PruefeSektionsGrenzen(f.a, f.b, 100, 200), f.erwartet) << f.a << " " << f.b;
    EXPECT_EQ(PruefeSektionsReihenfolge(5, 5), DATEN_OK);
    EXPECT_EQ(PruefeSektionsReihenfolge(5.0001, 5), FEHLER_BEREICH);
}

TEST(Paste, SourceRangeRefusesAnInvertedSection)
{
    const std::vector<double> x = Gitter(10);
    int32_t i0 = -1, i1 = -1;
    EXPECT_EQ(PasteQuellBereich(x.data(), 10, 2.4, 6.6, &i0, &i1), DATEN_OK);
    EXPECT_EQ(i0, 2);
    EXPECT_EQ(i1, 7);
    EXPECT_EQ(PasteQuellBereich(x.data(), 10, 6.6, 2.4, &i0, &i1), FEHLER_BEREICH);
    EXPECT_GT(i0, i1);
    EXPECT_EQ(PasteQuellBereich(x.data(), 10, 3.0, 3.0, &i0, &i1), DATEN_NICHTS);
    EXPECT_EQ(i0, i1);
    // Wholly beyond the curve: a single index, nothing to paste.
    EXPECT_EQ(PasteQuellBereich(x.data(), 10, 20, 30, &i0, &i1), DATEN_NICHTS);
    EXPECT_EQ(PasteQuellBereich(x.data(), 10, -30, -20, &i0, &i1), DATEN_NICHTS);

    EXPECT_EQ(PasteZielSlot(10), 10);
    EXPECT_EQ(PasteZielSlot(0), 0);
    EXPECT_EQ(PasteZielSlot(2.9), 3);
    EXPECT_EQ(PasteZielSlot(4), -1);
    EXPECT_EQ(PasteZielSlot(-1), -1);
}

// Equal lengths copy y as it stands; otherwise the source's spline fills
// the destination's range; a section outside the destination writes nothing.
TEST(Paste, CopiesOrResamplesIntoTheDestination)
{
    const std::vector<double> sx = Gitter(11), sy = {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100};
    std::vector<double> dx = Gitter(21, -5.0), dy(21, -1.0);
    ASSERT_EQ(PasteFeld(sx.data(), sy.data(), 11, 2, 6, dx.data(), dy.data(), 21), DATEN_OK);
    // x 2..6 sits at destination indices 7..11; y[i0..i1) is copied.
    for (int j = 0; j < 21; ++j) EXPECT_EQ(dy[j], j >= 7 && j < 11 ? 10.0 * (j - 5) : -1.0) << j;

    // Destination twice as dense: a different length, spline of a line.
    std::vector<double> fx = Gitter(41, -5.0, 0.5), fy(41, -1.0);
    ASSERT_EQ(PasteFeld(sx.data(), sy.data(), 11, 2, 6, fx.data(), fy.data(), 41), DATEN_OK);
    for (int j = 0; j < 41; ++j) {
        if (j >= 14 && j < 22)
            EXPECT_NEAR(fy[j], 10.0 * fx[j], 1e-9) << j;
        else
            EXPECT_EQ(fy[j], -1.0) << j;
    }

    std::vector<double> kx = Gitter(5, 3.0), ky(5, -1.0);
    EXPECT_EQ(PasteFeld(sx.data(), sy.data(), 11, 2, 6, kx.data(), ky.data(), 5), FEHLER_BEREICH);
    EXPECT_EQ(PasteFeld(sx.data(), sy.data(), 11, 6, 2, dx.data(), dy.data(), 21), FEHLER_BEREICH);
    EXPECT_EQ(ky, std::vector<double>(5, -1.0));
}

// A spike planted on a cubic is replaced by the cubic exactly; no other
// point changes.
TEST(Deglitching, RemovesAPlantedSpikeOnAPolynomial)
{
    const int n = 100;
    std::vector<double> x(n), y(n), sauber(n);
    for (int i = 0; i < n; ++i) {
        x[i] = 7000.0 + 2.5 * i;  // eV
        const double t = (x[i] - 7100.0) / 50.0;
        sauber[i] = y[i] = 1.0 + 0.5 * t - 0.3 * t * t + 0.05 * t * t * t;
    }
    for (int i = 50; i <= 52; ++i) y[i] += 40.0;
    const std::vector<double> vorher = y;
    ASSERT_EQ(DeglitchFeld(x.data(), y.data(), n, x[50] - 0.5, x[52] + 0.5, 0, x[30], x[70], 3),
              DATEN_OK);
    for (int i = 0; i < n; ++i) {
        if (i >= 50 && i <= 52)
            EXPECT_NEAR(y[i], sauber[i], 1e-9) << i;
        else
            EXPECT_EQ(y[i], vorher[i]) << i;
    }
}

// On a measured Cu K-edge spectrum the substitute lies within the local
// spread of the data, and nothing outside the glitch moves.
TEST(Deglitching, RemovesAPlantedSpikeFromMeasuredData)
{
    std::vector<double> e, mu;
    ASSERT_TRUE(LiesCu10k(e, mu));
    for (int c : {300, 450, 560}) {
        std::vector<double> y = mu;
        y[c - 1] += 0.8;
        y[c] += 1.2;
        y[c + 1] -= 0.6;
        const std::vector<double> vorher = y;
        ASSERT_EQ(DeglitchFeld(e.data(), y.data(), 612, e[c - 1], e[c + 1], 0, e[c - 10],
                               e[c + 10], 3),
                  DATEN_OK)
            << c;
        double lo = 1e30, hi = -1e30;
        for (int i = c - 10; i <= c + 10; ++i) {
            lo = std::min(lo, mu[i]);
            hi = std::max(hi, mu[i]);
        }
        for (int i = 0; i < 612; ++i) {
            if (i >= c - 1 && i <= c + 1)
                EXPECT_LT(std::fabs(y[i] - mu[i]), 0.25 * (hi - lo) + 1e-3) << c << " " << i;
            else
                EXPECT_EQ(y[i], vorher[i]) << c << " " << i;
        }
    }
}

TEST(Deglitching, RefusalsLeaveTheCurve)
{
    const std::vector<double> x = Gitter(40);
    std::vector<double> y(40);
    for (int i = 0; i < 40; ++i) y[i] = std::sin(0.3 * i);
    y[20] = 50.0;
    const std::vector<double> vorher = y;
    // No substitution asked for.
    EXPECT_EQ(DeglitchFeld(x.data(), y.data(), 40, 19.6, 20.4, 10, 10, 30, 2), DATEN_NICHTS);
    // Glitch only 2 points inside the fit range.
    EXPECT_EQ(DeglitchFeld(x.data(), y.data(), 40, 19.6, 20.4, 0, 18, 30, 2), DATEN_NICHTS);
    EXPECT_EQ(DeglitchFeld(x.data(), y.data(), 40, 19.6, 20.4, 0, 10, 22, 2), DATEN_NICHTS);
    // Inverted borders.
    EXPECT_EQ(DeglitchFeld(x.data(), y.data(), 40, 20.4, 19.6, 0, 10, 30, 2), FEHLER_BEREICH);
    EXPECT_EQ(DeglitchFeld(x.data(), y.data(), 40, 19.6, 20.4, 0, 30, 10, 2), FEHLER_BEREICH);
    EXPECT_EQ(y, vorher);
    // A degree beyond what 6 weighted points carry is capped: a finite,
    // sensible substitute.
    ASSERT_EQ(DeglitchFeld(x.data(), y.data(), 40, 19.6, 20.4, 0, 17, 23, 1000), DATEN_OK);
    EXPECT_TRUE(std::isfinite(y[20]));
    EXPECT_LT(std::fabs(y[20] - std::sin(6.0)), 0.05);
}

// SplitMix64's published first outputs for seed 1234567 (Rosetta Code,
// "Pseudo-random numbers/Splitmix64").
TEST(Noise, GeneratorIsSplitMix64)
{
    RauschGenerator g(1234567);
    EXPECT_EQ(g.Next(), 6457827717110365317ULL);
    EXPECT_EQ(g.Next(), 3203168211198807973ULL);
    EXPECT_EQ(g.Next(), 9817491932198370423ULL);
    EXPECT_EQ(g.Next(), 4593380528125082431ULL);
    EXPECT_EQ(g.Next(), 16408922859458223821ULL);
}

TEST(Noise, CentredWithTheChosenRmsAndReproducible)
{
    const int n = 35000;
    const double level = 1e-3;
    std::vector<double> y(n, 200.0);
    y[7] = -400.0;  // the largest magnitude sets the scale: rms 0.4
    const std::vector<double> vorher = y;
    ASSERT_EQ(RauschenFeld(y.data(), n, level), DATEN_OK);
    const double sigma = 0.4;
    double summe = 0.0, quadrate = 0.0, groesste = 0.0;
    for (int i = 0; i < n; ++i) {
        const double d = y[i] - vorher[i];
        summe += d;
        quadrate += d * d;
        groesste = std::max(groesste, std::fabs(d));
    }
    const double mittel = summe / n, rms = std::sqrt(quadrate / n);
    // Standard error of the mean sigma / sqrt(n); of the rms about 0.25 %.
    EXPECT_LT(std::fabs(mittel), 5.0 * sigma / std::sqrt(double(n)));
    EXPECT_NEAR(rms, sigma, 0.02 * sigma);
    EXPECT_LE(groesste, sigma * std::sqrt(3.0));
    EXPECT_GT(groesste, 0.95 * sigma * std::sqrt(3.0));

    // Equal curves, equal level: equal noise. Another level: other noise.
    std::vector<double> z = vorher, w = vorher;
    ASSERT_EQ(RauschenFeld(z.data(), n, level), DATEN_OK);
    EXPECT_EQ(z, y);
    ASSERT_EQ(RauschenFeld(w.data(), n, 2e-3), DATEN_OK);
    EXPECT_NE(w, y);

    // A curve of zeros takes the level as an absolute rms.
    std::vector<double> null(n, 0.0);
    ASSERT_EQ(RauschenFeld(null.data(), n, 0.01), DATEN_OK);
    double q = 0.0;
    for (double v : null) q += v * v;
    EXPECT_NEAR(std::sqrt(q / n), 0.01, 0.0002);
}

TEST(Noise, LevelOfZeroOrBelowIsRefused)
{
    std::vector<double> y = {1, 2, 3};
    for (double level : {0.0, -1e-3, std::nan(""), HUGE_VAL})
        EXPECT_EQ(RauschenFeld(y.data(), 3, level), DATEN_NICHTS) << level;
    EXPECT_EQ(y, (std::vector<double>{1, 2, 3}));
}

TEST(SmallComputations, DiodesImaginaryPartAndCopyTarget)
{
    // q = (a - b) / (y - b) chosen as e^k: the result is k.
    std::vector<double> y = {3, 5, 2, 7}, b = {1, 1, 2, 7}, a(4);
    const double k[] = {0.5, -1.0};
    for (int i = 0; i < 2; ++i) a[i] = b[i] + std::exp(k[i]) * (y[i] - b[i]);
    a[2] = 9;  // y == b: q = -1, result 0
    a[3] = 7;  // q = 0 (also y == b here)
    ASSERT_EQ(DiodenFeld(y.data(), a.data(), b.data(), 4), 2);
    EXPECT_NEAR(y[0], 0.5, 1e-12);
    EXPECT_NEAR(y[1], -1.0, 1e-12);
    EXPECT_EQ(y[2], 0.0);
    EXPECT_EQ(y[3], 0.0);
    std::vector<double> z = {1, 2}, zb = {3, 3}, za = {5, 5};  // q < 0 everywhere
    EXPECT_EQ(DiodenFeld(z.data(), za.data(), zb.data(), 2), 0);
    EXPECT_EQ(z, (std::vector<double>{1, 2}));

    // Real part 1 2 3, repeated last value, imaginary part 7 8 9.
    std::vector<double> c = {1, 2, 3, 3, 7, 8, 9};
    EXPECT_EQ(ImaginaerTeilFeld(c.data(), 3, 6), DATEN_NICHTS);
    ASSERT_EQ(ImaginaerTeilFeld(c.data(), 3, 7), DATEN_OK);
    EXPECT_EQ(std::vector<double>(c.begin(), c.begin() + 3), (std::vector<double>{7, 8, 9}));

    struct Fall {
        double v;
        int32_t code, fenster, slot;
    };
    const Fall faelle[] = {{0, DATEN_OK, 0, 0},       {13, DATEN_OK, 1, 3},
                           {32, DATEN_OK, 3, 2},      {-1, DATEN_NICHTS, 0, 0},
                           {14, DATEN_NICHTS, 0, 0},  {41, DATEN_NICHTS, 0, 0}};
    for (const Fall& f : faelle) {
        int32_t w = -1, s = -1;
        EXPECT_EQ(KopierZiel(f.v, &w, &s), f.code) << f.v;
        if (f.code == DATEN_OK) {
            EXPECT_EQ(w, f.fenster) << f.v;
            EXPECT_EQ(s, f.slot) << f.v;
        }
    }
}
