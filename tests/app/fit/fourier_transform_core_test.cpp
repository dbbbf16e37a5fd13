// The plain parts of the Fourier transformation: transform size, the
// next-node cut, the phase-corrected transform against a shell of known
// distance, "ini_FT.par" and the history line.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "fit/fourier_transform.h"

namespace {

const double PI = 3.14159265358979323846;

FT_KURVE Kurve(double a, double b, double schritt, double (*f)(double))
{
    FT_KURVE k;
    for (double x = a; x <= b + 1e-9; x += schritt) {
        k.x.push_back(x);
        k.y.push_back(f(x));
    }
    return k;
}

// R of the largest |FT| of a forward XAFS result.
double Spitze(const FT_KURVE& r)
{
    size_t best = 0;
    for (size_t i = 0; i < r.x.size(); ++i)
        if (std::hypot(r.y[i], r.im[i]) > std::hypot(r.y[best], r.im[best])) best = i;
    return r.x[best];
}

std::FILE* Datei(const std::string& inhalt)
{
    std::FILE* f = std::tmpfile();
    std::fputs(inhalt.c_str(), f);
    std::rewind(f);
    return f;
}

}  // namespace

TEST(FtGroesse, PowerOfTwoAboveZeroFillingAndPoints)
{
    EXPECT_EQ(FtGroesse(false, false, 0, 1048, 1000, 1 << 18), 2048);
    EXPECT_EQ(FtGroesse(false, false, 0, 1049, 1000, 1 << 18), 4096);
    EXPECT_EQ(FtGroesse(false, false, 0, 0, 1024, 1 << 18), 1024);
    EXPECT_EQ(FtGroesse(false, false, 0, 0, 1, 1 << 18), 2);
    // XAFS mode: the k points, half of them for R-space data.
    EXPECT_EQ(FtGroesse(true, false, 2048, 0, 300, 1 << 18), 2048);
    EXPECT_EQ(FtGroesse(true, true, 2048, 0, 1024, 1 << 18), 1024);
    EXPECT_EQ(FtGroesse(true, false, 1000, 0, 300, 1 << 18), 0);
    EXPECT_EQ(FtGroesse(false, false, 0, 300000, 1000, 1 << 18), 0);
}

TEST(FtKnotenSchnitt, CutRunsFromTheFirstToTheLastNodeAndEndsAtZero)
{
    // sin k on 0.5 ... 14.2: nodes at pi, 2 pi, 3 pi and 4 pi.
    const FT_KURVE k = Kurve(0.5, 14.2, 0.05, [](double x) { return std::sin(x); });
    FT_KURVE s;
    ASSERT_TRUE(FtKnotenSchnitt(k, 0.5, 14.2, s));
    EXPECT_EQ(s.y.front(), 0.0);
    EXPECT_EQ(s.y.back(), 0.0);
    // Linear zero crossings of a sine sampled every 0.05.
    EXPECT_NEAR(s.x.front(), PI, 1e-4);
    EXPECT_NEAR(s.x.back(), 4 * PI, 1e-4);
    for (size_t i = 1; i + 1 < s.x.size(); ++i) {
        EXPECT_GT(s.x[i], s.x.front());
        EXPECT_DOUBLE_EQ(s.y[i], std::sin(s.x[i]));
    }
    // A curve starting below 0, and one with a single node: nothing to cut
    // between two nodes.
    const FT_KURVE neg = Kurve(0.5, 14.2, 0.05, [](double x) { return -std::sin(x); });
    ASSERT_TRUE(FtKnotenSchnitt(neg, 0.5, 14.2, s));
    EXPECT_NEAR(s.x.front(), PI, 1e-4);
    const FT_KURVE eins = Kurve(0.5, 5.0, 0.05, [](double x) { return std::sin(x); });
    EXPECT_FALSE(FtKnotenSchnitt(eins, 0.5, 5.0, s));
}

TEST(FourierRechnen, PhaseCorrectionMovesTheShellPeakToItsDistance)
{
    // A shell at 2.55 A with the phase -1 - 0.5 k: uncorrected its peak sits
    // at 2.55 - 0.25 = 2.30, corrected at 2.55.
    auto phi = [](double k) { return -1.0 - 0.5 * k; };
    FT_KURVE k;
    std::vector<double> P, A, keine;
    for (double x = 2.0; x <= 15.0 + 1e-9; x += 0.05) {
        k.x.push_back(x);
        k.y.push_back(std::sin(2 * 2.55 * x + phi(x)));
        P.push_back(phi(x));
        A.push_back(1.0);
    }
    keine.assign(k.x.size(), 0.0);
    keine[0] = -100.0;
    FT_EINSTELLUNG e;
    e.Xafs = true;
    e.FensterTyp = 5;
    e.Von = 3.0;
    e.Bis = 14.0;
    e.Form = 20.0;
    e.KPunkte = 2048;
    e.RSchritt = 0.02;
    def_zelva z;
    FT_ERGEBNIS ohne, mit, ohneAmplitude;
    ASSERT_EQ(FourierRechnen(z, e, k, 2.0, 15.0, FT_VORWAERTS{}, nullptr, ohne), FT_OK);
    FT_PHASE phase{k.x.data(), P.data(), A.data(), static_cast<int32_t>(k.x.size())};
    ASSERT_EQ(FourierRechnen(z, e, k, 2.0, 15.0, FT_VORWAERTS{}, &phase, mit), FT_OK);
    const double dR = mit.Vorwaerts.Schritt;
    EXPECT_NEAR(Spitze(ohne.Kurve), 2.30, 2 * dR);
    EXPECT_NEAR(Spitze(mit.Kurve), 2.55, dR);
    // An amplitude marked absent (first value -100) divides by nothing:
    // the same as amplitude 1.
    FT_PHASE nurPhase{k.x.data(), P.data(), keine.data(), static_cast<int32_t>(k.x.size())};
    ASSERT_EQ(FourierRechnen(z, e, k, 2.0, 15.0, FT_VORWAERTS{}, &nurPhase, ohneAmplitude), FT_OK);
    ASSERT_EQ(ohneAmplitude.Kurve.Punkte(), mit.Kurve.Punkte());
    for (int32_t i = 0; i < mit.Kurve.Punkte(); ++i) {
        EXPECT_NEAR(ohneAmplitude.Kurve.y[i], mit.Kurve.y[i], 1e-12);
        EXPECT_NEAR(ohneAmplitude.Kurve.im[i], mit.Kurve.im[i], 1e-12);
    }
    // The numerics object points at no block of the transform afterwards.
    EXPECT_EQ(z.xField, nullptr);
}

// 1,024 points that are not equidistant, as many as the transform takes:
// they are put on the grid first, so the cosine still gives its two lines
// and the transform matches that of the equidistant curve.
TEST(FourierRechnen, UnevenAbscissaeAreReGriddedEvenWhenTheCountFits)
{
    const int n = 1024;
    const double L = 10.23, f = 5.0 / 10.24;
    FT_KURVE gleich, ungleich;
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / (n - 1);
        const double xs[2] = {L * t, L * (t + 0.03 * std::sin(2 * PI * t))};
        for (int a = 0; a < 2; ++a) {
            FT_KURVE& k = a == 0 ? gleich : ungleich;
            k.x.push_back(xs[a]);
            k.y.push_back(std::cos(2 * PI * f * xs[a]));
        }
    }
    FT_EINSTELLUNG e;
    e.FensterTyp = 1;
    e.Von = 0.0;
    e.Bis = L;
    e.Schrittweite = PI / L;
    def_zelva z;
    FT_ERGEBNIS a, b;
    ASSERT_EQ(FourierRechnen(z, e, gleich, 0.0, L, FT_VORWAERTS{}, nullptr, a), FT_OK);
    ASSERT_EQ(FourierRechnen(z, e, ungleich, 0.0, L, FT_VORWAERTS{}, nullptr, b), FT_OK);
    ASSERT_EQ(b.N, n);
    ASSERT_EQ(b.Kurve.Punkte(), n);
    // The gridded input is equidistant and holds the cosine (the natural
    // spline's free ends cost a few 1e-5 at the first and last points).
    ASSERT_EQ(b.Gitter.Punkte(), n);
    for (int i = 0; i < n; ++i) {
        EXPECT_NEAR(b.Gitter.x[i], gleich.x[i], 1e-9) << i;
        EXPECT_NEAR(b.Gitter.y[i], gleich.y[i], i < 20 || i >= n - 20 ? 5e-5 : 1e-6) << i;
    }
    for (int i = 0; i < n; ++i) {
        EXPECT_NEAR(b.Kurve.y[i], a.Kurve.y[i], 1e-6) << i;
        EXPECT_NEAR(b.Kurve.im[i], a.Kurve.im[i], 1e-6) << i;
        const double betrag = std::hypot(b.Kurve.y[i], b.Kurve.im[i]);
        if (std::fabs(std::fabs(b.Kurve.x[i]) - f) < 0.5 * b.Vorwaerts.Schritt)
            EXPECT_NEAR(betrag, 0.5, 1e-6) << i;
        else
            EXPECT_LT(betrag, 1e-6) << i;
    }
}

TEST(FourierRechnen, RefusesWhatItCannotTransform)
{
    const FT_KURVE k = Kurve(0.0, 10.0, 0.1, [](double x) { return std::cos(x); });
    def_zelva z;
    FT_ERGEBNIS r;
    FT_EINSTELLUNG e;
    e.FensterTyp = 1;
    e.Von = 0.0;
    e.Bis = 10.0;
    e.Schrittweite = PI / 10.0;
    e.Nullen = -1;
    EXPECT_EQ(FourierRechnen(z, e, k, 0.0, 10.0, FT_VORWAERTS{}, nullptr, r), FT_WERTE_FALSCH);
    e.Nullen = 0;
    e.Schrittweite = 0.0;
    EXPECT_EQ(FourierRechnen(z, e, k, 0.0, 10.0, FT_VORWAERTS{}, nullptr, r), FT_WERTE_FALSCH);
    // A step so wide that one grid point lies in the data.
    e.Schrittweite = 1e-4;
    EXPECT_EQ(FourierRechnen(z, e, k, 0.0, 10.0, FT_VORWAERTS{}, nullptr, r), FT_WERTE_FALSCH);
    // Back without a forward transform, and back of a curve that is none.
    e.Schrittweite = PI / 10.0;
    e.Vorwaerts = false;
    FT_KURVE c = k;
    c.im.assign(c.x.size(), 0.0);
    c.RRaum = true;
    EXPECT_EQ(FourierRechnen(z, e, c, 0.0, 10.0, FT_VORWAERTS{}, nullptr, r), FT_KEIN_HINWEG);
    FT_VORWAERTS alt;
    alt.GitterSchritt = 0.1;
    EXPECT_EQ(FourierRechnen(z, e, k, 0.0, 10.0, alt, nullptr, r), FT_KEIN_HINWEG);
    EXPECT_EQ(FourierRechnen(z, e, c, 0.0, 10.0, alt, nullptr, r), FT_OK);
}

TEST(FtIni, RoundTripAndLinesWithoutTheirEnd)
{
    std::FILE* f = std::tmpfile();
    FtIniSchreiben(f, 5.0, 20.7, 2.0);
    std::rewind(f);
    int32_t typ = -1;
    std::string p, w;
    ASSERT_TRUE(FtIniLesen(f, &typ, &p, &w));
    std::fclose(f);
    EXPECT_EQ(typ, 5);
    EXPECT_EQ(p, "20");  // the parameter is stored truncated
    EXPECT_EQ(w, "2");

    // No line end after the last line, and CR LF line ends: every digit stays.
    f = Datei("4\r\n30\r\n12");
    ASSERT_TRUE(FtIniLesen(f, &typ, &p, &w));
    std::fclose(f);
    EXPECT_EQ(typ, 4);
    EXPECT_EQ(p, "30");
    EXPECT_EQ(w, "12");

    // No window type 0-5: nothing is taken.
    for (const char* kaputt : {"7\n4\n2\n", "x\n4\n2\n", ""}) {
        f = Datei(kaputt);
        typ = -1;
        p = w = "alt";
        EXPECT_FALSE(FtIniLesen(f, &typ, &p, &w)) << kaputt;
        EXPECT_EQ(typ, -1);
        EXPECT_EQ(p, "alt");
        std::fclose(f);
    }
}

TEST(FtHistorie, NamesWindowAndBordersWhenThereIsAWindow)
{
    FT_EINSTELLUNG e;
    e.FensterTyp = 5;
    e.Form = 20;
    e.Von = 0.5;
    e.Bis = 10.25;
    EXPECT_EQ(FtHistorie("cu.chi", e, "Hanning", 3),
              "--: cu.chi --FOURIER TRANSFORM  -   window : Hanning - Beta : 20 - from : 0.5  to : "
              "10.25 -   (active : 3 )\r\n");
    e.FensterTyp = 0;
    EXPECT_EQ(FtHistorie("cu.chi", e, "None", 1), "--: cu.chi --FOURIER TRANSFORM  -   -   (active : 1 )\r\n");
}
