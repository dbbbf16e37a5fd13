// The curve tools of the Numeric menu against closed forms.
#include <gtest/gtest.h>

#include <cmath>

#include "fit/numeric_tools.h"

namespace {

const double PI = 3.14159265358979323846;

KurvenDaten Gitter(int n, double a, double b, double (*f)(double))
{
    KurvenDaten k;
    for (int i = 0; i < n; ++i) {
        const double x = a + (b - a) * i / (n - 1);
        k.x.push_back(x);
        k.y.push_back(f(x));
    }
    return k;
}

double Kubik(double x) { return 0.5 * x * x * x - 2.0 * x * x + x - 3.0; }

}  // namespace

TEST(NumericTools, PowerOfTwoIsTheSmallestNotBelowAndAtLeastTwo)
{
    EXPECT_EQ(ZweierPotenz(0), 2);
    EXPECT_EQ(ZweierPotenz(2), 2);
    EXPECT_EQ(ZweierPotenz(120), 128);
    EXPECT_EQ(ZweierPotenz(128), 128);
    EXPECT_EQ(ZweierPotenz(129), 256);
}

TEST(NumericTools, FourierSmoothingKeepsASlowSineAndRemovesTheNyquistRipple)
{
    KurvenDaten k;
    for (int i = 0; i < 100; ++i) {
        k.x.push_back(i);
        k.y.push_back(std::sin(2 * PI * i / 400.0) + 0.3 * ((i % 2) ? -1.0 : 1.0));
    }
    ASSERT_TRUE(FourierGlaettung(k, 10));
    double fehler = 0.0, welle = 0.0;
    for (int i = 25; i < 75; ++i) {
        fehler = std::max(fehler, std::fabs(k.y[i] - std::sin(2 * PI * i / 400.0)));
        // What is left of the ripple: the alternating part of neighbours.
        welle = std::max(welle, std::fabs(k.y[i + 1] - 2 * k.y[i] + k.y[i - 1]));
    }
    // The window weighs frequency k by 1 - (10 k / 128)^2: a sine of a
    // quarter period over the block loses about 0.1 %, plus the ends.
    EXPECT_LT(fehler, 2e-3);
    EXPECT_LT(welle, 1e-3);
    EXPECT_FALSE(FourierGlaettung(k, 0));
}

TEST(NumericTools, SplineRespacesASineAndRefusesFewerThanTwoPoints)
{
    const KurvenDaten k = Gitter(100, 0.0, 2 * PI, [](double x) { return std::sin(x); });
    KurvenDaten out;
    ASSERT_TRUE(SplineNeu(k, 1000, 0.0, 2 * PI, out));
    ASSERT_EQ(out.Punkte(), 1000);
    EXPECT_DOUBLE_EQ(out.x.back(), 2 * PI);
    double fehler = 0.0;
    for (int i = 0; i < 1000; ++i) fehler = std::max(fehler, std::fabs(out.y[i] - std::sin(out.x[i])));
    EXPECT_LT(fehler, 1e-6 * 1000);  // natural end conditions cost accuracy at the ends
    double innen = 0.0;
    for (int i = 100; i < 900; ++i) innen = std::max(innen, std::fabs(out.y[i] - std::sin(out.x[i])));
    EXPECT_LT(innen, 1e-6);
    // One point would make the step range / 0.
    KurvenDaten alt = out;
    EXPECT_FALSE(SplineNeu(k, 1, 0.0, 2 * PI, out));
    EXPECT_FALSE(SplineNeu(k, 0, 0.0, 2 * PI, out));
    EXPECT_EQ(out.x, alt.x);
}

TEST(NumericTools, PolynomialInterpolationReproducesACubic)
{
    const KurvenDaten k = Gitter(7, 0.0, 6.0, Kubik);
    KurvenDaten out;
    ASSERT_TRUE(PolynomNeu(k, 50, out));
    ASSERT_EQ(out.Punkte(), 50);
    for (int i = 0; i < 50; ++i) EXPECT_NEAR(out.y[i], Kubik(out.x[i]), 1e-9) << i;
    EXPECT_FALSE(PolynomNeu(k, 0, out));
}

TEST(NumericTools, DerivativesOfASine)
{
    const KurvenDaten k = Gitter(1001, 0.0, 2 * PI, [](double x) { return std::sin(x); });
    const double h = KleinsterAbstand(k);
    EXPECT_NEAR(h, 2 * PI / 1000, 1e-12);
    KurvenDaten d1, d2;
    ASSERT_TRUE(FeldAbleitung(k, true, h, d1));
    ASSERT_TRUE(FeldAbleitung(k, false, h, d2));
    for (int i = 5; i < 995; i += 7) {
        EXPECT_NEAR(d1.y[i], std::cos(k.x[i]), 1e-4) << i;
        EXPECT_NEAR(d2.y[i], -std::sin(k.x[i]), 1e-3) << i;
    }
    EXPECT_FALSE(FeldAbleitung(k, true, 0.0, d1));
    // Resampled by the spline, bounded by the capacity.
    const KurvenDaten grob = Gitter(200, 0.0, 2 * PI, [](double x) { return std::sin(x); });
    KurvenDaten s;
    ASSERT_TRUE(SplineAbleitung(grob, true, 0.001, 0.0, 2 * PI, 100000, s));
    EXPECT_EQ(s.Punkte(), 6284);
    for (int i = 100; i < s.Punkte() - 100; i += 97) EXPECT_NEAR(s.y[i], std::cos(s.x[i]), 1e-4) << i;
    ASSERT_TRUE(SplineAbleitung(grob, true, 0.001, 0.0, 2 * PI, 3000, s));
    EXPECT_EQ(s.Punkte(), 3000);
    EXPECT_FALSE(SplineAbleitung(grob, true, -0.001, 0.0, 2 * PI, 3000, s));
}

TEST(NumericTools, DerivativeOfTheModel)
{
    KurvenDaten d;
    ModellCallback sinus = [](double x, double, double*, double*, int32_t) { return std::sin(x); };
    ASSERT_TRUE(FunktionsAbleitung(sinus, true, 0.001, 0.0, PI, 100, d));
    EXPECT_EQ(d.Punkte(), 101);
    for (int i = 0; i < d.Punkte(); ++i) EXPECT_NEAR(d.y[i], std::cos(d.x[i]), 1e-6);
    EXPECT_FALSE(FunktionsAbleitung(sinus, true, 0.001, 0.0, PI, 2, d));
    EXPECT_FALSE(FunktionsAbleitung(nullptr, true, 0.001, 0.0, PI, 100, d));
}

TEST(NumericTools, RegressionAgainstTheClosedForm)
{
    KurvenDaten k;
    const double y[] = {1.1, 2.9, 5.2, 6.8, 9.1, 10.9};
    for (int i = 0; i < 6; ++i) {
        k.x.push_back(i);
        k.y.push_back(y[i]);
    }
    double sx = 0, sy = 0, sxx = 0, sxy = 0, syy = 0;
    for (int i = 0; i < 6; ++i) {
        sx += i; sy += y[i]; sxx += i * i; sxy += i * y[i]; syy += y[i] * y[i];
    }
    const double n = 6, b = (n * sxy - sx * sy) / (n * sxx - sx * sx), a = (sy - b * sx) / n;
    const double r = (n * sxy - sx * sy) / std::sqrt((n * sxx - sx * sx) * (n * syy - sy * sy));
    Regression g;
    ASSERT_TRUE(LineareRegressionKurve(k, g));
    EXPECT_NEAR(g.Steigung, b, 1e-12);
    EXPECT_NEAR(g.Achsenabschnitt, a, 1e-12);
    EXPECT_NEAR(g.Korrelation, r, 1e-12);
    double ss = 0;
    for (int i = 0; i < 6; ++i) ss += std::pow(y[i] - a - b * i, 2);
    EXPECT_NEAR(g.Standardabweichung, std::sqrt(ss / 4), 1e-12);
    KurvenDaten zwei;
    zwei.x = {0, 1};
    zwei.y = {0, 1};
    EXPECT_FALSE(LineareRegressionKurve(zwei, g));
}

TEST(NumericTools, ExtremaOfACosineIncludingTheOneAtZero)
{
    const KurvenDaten k = Gitter(2001, -PI, 3 * PI, [](double x) { return std::cos(x); });
    const auto alle = SucheExtrema(k, -1, 0, false);
    ASSERT_EQ(alle.size(), 3u);
    EXPECT_TRUE(alle[0].Maximum);
    EXPECT_NEAR(alle[0].X, 0.0, 1e-4);
    EXPECT_NEAR(alle[0].Y, 1.0, 1e-4);
    EXPECT_FALSE(alle[1].Maximum);
    EXPECT_NEAR(alle[1].X, PI, 1e-4);
    EXPECT_NEAR(alle[1].Y, -1.0, 1e-4);
    EXPECT_NEAR(alle[2].X, 2 * PI, 1e-4);
    EXPECT_EQ(SucheExtrema(k, 1, 0, false).size(), 2u);
    const auto minima = SucheExtrema(k, 0, 0, false);
    ASSERT_EQ(minima.size(), 1u);
    EXPECT_NEAR(minima[0].X, PI, 1e-4);
    const auto hoechstes = SucheExtrema(k, 1, 0, true);
    EXPECT_EQ(hoechstes.size(), 1u);
}

TEST(NumericTools, GolaySavitzkyKeepsAQuadraticAndDropsTheEdges)
{
    KurvenDaten k = Gitter(101, 0.0, 10.0, [](double x) { return 0.3 * x * x - x + 2.0; });
    ASSERT_TRUE(GolaySavitzky(k, 1, 2, 7));
    ASSERT_GT(k.Punkte(), 80);
    ASSERT_LT(k.Punkte(), 101);
    for (int i = 0; i < k.Punkte(); ++i) EXPECT_NEAR(k.y[i], 0.3 * k.x[i] * k.x[i] - k.x[i] + 2.0, 1e-9) << i;
    KurvenDaten kurz = Gitter(17, 0.0, 1.0, [](double x) { return x; });
    EXPECT_FALSE(GolaySavitzky(kurz, 1, 2, 7));
    EXPECT_EQ(kurz.Punkte(), 17);
}

TEST(NumericTools, SmoothingSplineInterpolatesWithALargeWeight)
{
    const KurvenDaten k = Gitter(60, 0.0, 3.0, [](double x) { return std::sin(x); });
    KurvenDaten out;
    ASSERT_TRUE(AusgleichsSplineNeu(k, 60, 1000.0 * 100, 0, out));
    ASSERT_EQ(out.Punkte(), 60);
    for (int i = 0; i < 60; ++i) EXPECT_NEAR(out.y[i], std::sin(out.x[i]), 1e-4) << i;
    EXPECT_FALSE(AusgleichsSplineNeu(k, 5, 100.0, 0, out));
    EXPECT_FALSE(AusgleichsSplineNeu(k, 60, 0.0, 0, out));
}

TEST(NumericTools, BSplineOfAStraightLineStaysOnIt)
{
    const KurvenDaten k = Gitter(20, 0.0, 19.0, [](double x) { return 2.0 * x + 1.0; });
    KurvenDaten out;
    ASSERT_TRUE(BSplineNeu(k, 40, 3, out));
    ASSERT_EQ(out.Punkte(), 40);
    for (int i = 0; i < 40; ++i) EXPECT_NEAR(out.y[i], 2.0 * out.x[i] + 1.0, 1e-9) << i;
    EXPECT_FALSE(BSplineNeu(k, 40, 17, out));  // degree above n - 4
    EXPECT_FALSE(BSplineNeu(k, 1, 3, out));
}

TEST(NumericTools, RootsOfACubicForDataAndModel)
{
    auto f = [](double x) { return (x - 1) * (x - 2) * (x - 3); };
    const KurvenDaten k = Gitter(401, 0.0, 4.0, f);
    bool gefunden = false;
    auto r = Nullstellen(k, nullptr, 0.503, 3.5, 1e-10, 0.01, true, true, 100, gefunden);
    ASSERT_EQ(r.size(), 3u);
    // The scan of all roots closes each bracket to about 1e-8.
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(r[i], i + 1.0, 1e-7);
    ModellCallback m = [](double x, double, double*, double*, int32_t) { return (x - 1) * (x - 2) * (x - 3); };
    r = Nullstellen(k, m, 0.503, 3.5, 1e-10, 0.01, true, false, 100, gefunden);
    ASSERT_EQ(r.size(), 3u);
    // The scan of all roots closes each bracket to about 1e-8.
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(r[i], i + 1.0, 1e-7);
    r = Nullstellen(k, m, 1.5, 2.5, 1e-10, 0.01, false, false, 100, gefunden);
    EXPECT_TRUE(gefunden);
    EXPECT_NEAR(r[0], 2.0, 1e-9);
    Nullstellen(k, m, 3.5, 3.9, 1e-10, 0.01, false, false, 100, gefunden);
    EXPECT_FALSE(gefunden);
    // The list never outgrows what it was given.
    r = Nullstellen(k, nullptr, 0.5, 3.5, 1e-10, 0.01, true, true, 2, gefunden);
    EXPECT_LE(r.size(), 2u);
}

namespace {

double Gauss(double x, double mitte, double fwhm)
{
    const double u = (x - mitte) / fwhm;
    return std::exp(-4.0 * std::log(2.0) * u * u);
}

double Halbwertsbreite(const KurvenDaten& k)
{
    size_t top = 0;
    for (size_t i = 1; i < k.y.size(); ++i)
        if (k.y[i] > k.y[top]) top = i;
    const double halb = k.y[top] / 2;
    size_t l = top, r = top;
    while (l > 0 && k.y[l] > halb) --l;
    while (r + 1 < k.y.size() && k.y[r] > halb) ++r;
    const double xl = k.x[l] + (halb - k.y[l]) / (k.y[l + 1] - k.y[l]) * (k.x[l + 1] - k.x[l]);
    const double xr = k.x[r - 1] + (halb - k.y[r - 1]) / (k.y[r] - k.y[r - 1]) * (k.x[r] - k.x[r - 1]);
    return xr - xl;
}

double Schwerpunkt(const KurvenDaten& k)
{
    double s = 0, sx = 0;
    for (size_t i = 0; i < k.y.size(); ++i) {
        s += k.y[i];
        sx += k.x[i] * k.y[i];
    }
    return sx / s;
}

}  // namespace

TEST(NumericTools, ConvolutionOfTwoGaussiansAndItsInverse)
{
    KurvenDaten k = Gitter(401, -20.0, 20.0, [](double x) { return Gauss(x, 0.5, 2.0); });
    const KurvenDaten vorher = k;
    ModellCallback antwort = [](double x, double, double*, double*, int32_t) { return Gauss(x, 0.0, 3.0); };
    ASSERT_TRUE(Falten(k, antwort, 1));
    EXPECT_NEAR(Halbwertsbreite(k), std::sqrt(13.0), 0.01 * std::sqrt(13.0));
    EXPECT_NEAR(Schwerpunkt(k), 0.5, 0.1);
    // The way back: a wide Gaussian leaves frequencies of weight 1e-30
    // that no division brings back, so the round trip uses a narrow one.
    k = vorher;
    ModellCallback schmal = [](double x, double, double*, double*, int32_t) { return Gauss(x, 0.0, 0.5); };
    ASSERT_TRUE(Falten(k, schmal, 1));
    ASSERT_TRUE(Falten(k, schmal, -1));
    double hoch = 0, fehler = 0;
    for (size_t i = 0; i < k.y.size(); ++i) {
        hoch = std::max(hoch, vorher.y[i]);
        fehler = std::max(fehler, std::fabs(k.y[i] - vorher.y[i]));
    }
    EXPECT_LT(fehler, 0.02 * hoch);
}

TEST(NumericTools, AnAsymmetricResponseShiftsTheCentroidByItsOwn)
{
    KurvenDaten k = Gitter(401, -20.0, 20.0, [](double x) { return Gauss(x, 0.0, 2.0); });
    const double vorher = Schwerpunkt(k);
    // Weight only on the positive side: an exponential tail of mean 1.5.
    ModellCallback antwort = [](double x, double, double*, double*, int32_t) {
        return x < 0.0 ? 0.0 : std::exp(-x / 1.5);
    };
    ASSERT_TRUE(Falten(k, antwort, 1));
    // The sampled response's own centroid.
    double s = 0, sx = 0;
    for (int i = 0; i < 200; ++i) {
        s += std::exp(-i * 0.1 / 1.5);
        sx += i * 0.1 * std::exp(-i * 0.1 / 1.5);
    }
    EXPECT_NEAR(Schwerpunkt(k) - vorher, sx / s, 0.02);
}
