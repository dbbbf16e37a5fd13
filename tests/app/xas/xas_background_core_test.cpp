// Background removal on arrays: pre-edge fits against closed forms and
// against the library's least-squares loop on the measured copper foil,
// the two-polynomial flattening, the spline mu0 on a synthetic mu0 (1 +
// chi), the knot layouts, the Fourier grid, the file name and the preview
// transform of a single shell, the background fitted in R space.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "exafs_fft_fixture.h"
#include "fit/fit_model.h"
#include "numerics/fit_test_support.h"
#include "xas/exafs_fit.h"
#include "xas/xas_background.h"
#include "xas/xas_reduction.h"
#include "zelva.h"

namespace {

using Feld = std::vector<double>;
const double PI = 3.14159265358979323846;

// Energy (keV) and ln(i0 / itrans) of the room-temperature copper foil.
void KupferFolie(Feld* e, Feld* mu)
{
    std::ifstream f(KORLAN_TEST_DIR "/app/spectra/data/cu_metal_rt.xdi");
    ASSERT_TRUE(f.good());
    std::string zeile;
    while (std::getline(f, zeile)) {
        if (zeile.empty() || zeile[0] == '#') continue;
        std::istringstream s(zeile);
        double ev, i0, it;
        if (s >> ev >> i0 >> it) {
            e->push_back(ev / 1000.0);
            mu->push_back(std::log(i0 / it));
        }
    }
    ASSERT_EQ(e->size(), 408u);
}

bool AllesEndlich(const Feld& v)
{
    for (double d : v)
        if (!std::isfinite(d)) return false;
    return true;
}

// A k grid with an EXAFS-like background and one shell (the amplitude of a
// copper foil's first shell near k = 10; a least-squares spline of 11 knots
// takes up some 8 % of a shell at 2.55 Angstrom, so the amplitude sets the
// error).
struct Synthetisch {
    Feld k, mu, mu0, chi;
    explicit Synthetisch(int n, double k0 = 0.5, double k1 = 17.4)
    {
        for (int i = 0; i < n; ++i) {
            const double x = k0 + (k1 - k0) * i / (n - 1);
            const double m0 = 2.0 - 0.045 * x + 0.0011 * x * x;
            const double c = 0.01 * std::sin(2.0 * 2.55 * x + 0.4) * std::exp(-0.006 * x * x) / (1.0 + 0.1 * x);
            k.push_back(x);
            mu0.push_back(m0);
            chi.push_back(c);
            mu.push_back(m0 * (1.0 + c));
        }
    }
};

}  // namespace

TEST(BackgroundSection, IndicesFollowTheMidpointRuleAndNeedThreePoints)
{
    const Feld x = {0.0, 1.0, 2.0, 3.0, 4.0, 5.0};
    struct Fall {
        double von, bis;
        int32_t n, lo, hi;
    } faelle[] = {
        {1.0, 3.0, 3, 1, 3},   // exactly on points
        {0.4, 3.6, 5, 0, 4},   // below both midpoints: one more point each side
        {0.6, 3.4, 3, 1, 3},   // above the lower midpoint, below the upper one
        {3.0, 1.0, 3, 1, 3},   // swapped borders
        {1.0, 2.0, 0, 0, 0},   // two points are no section
        {7.0, 9.0, 0, 0, 0},   // outside
    };
    for (const Fall& f : faelle) {
        int32_t lo = -1, hi = -1;
        EXPECT_EQ(SektionsIndizes(x.data(), 6, f.von, f.bis, &lo, &hi), f.n) << f.von << " " << f.bis;
        if (f.n) {
            EXPECT_EQ(lo, f.lo);
            EXPECT_EQ(hi, f.hi);
        }
    }
    // A 3-point section fits a parabola exactly; 2 points give nothing.
    const Feld y = {9.0, 1.0 + 2.0 - 0.5, 1.0 + 4.0 - 2.0, 1.0 + 6.0 - 4.5, 0.0, 0.0};
    double c[3] = {7, 7, 7};
    ASSERT_EQ(PolynomFit(x.data(), y.data(), 6, 1.0, 3.0, 2, 0.0, c), 1);
    EXPECT_NEAR(c[0], 1.0, 1e-10);
    EXPECT_NEAR(c[1], 2.0, 1e-10);
    EXPECT_NEAR(c[2], -0.5, 1e-10);
    c[0] = 7;
    EXPECT_EQ(PolynomFit(x.data(), y.data(), 6, 1.0, 2.0, 1, 0.0, c), 0);
    EXPECT_EQ(c[0], 7);
    SplineHintergrund s;
    EXPECT_EQ(SplineMu0(x.data(), y.data(), 6, 1.0, 2.0, 3, 0.0, nullptr, 600, &s), 0);
    EXPECT_EQ(SplineMu0(x.data(), y.data(), 6, 1.0, 3.0, 3, 0.0, nullptr, 600, &s), 3);
}

TEST(PreEdge, VictoreenRecoversItsCoefficients)
{
    const double e[3] = {0.0, -3.0, -4.0};
    const double wahr[3] = {-1.25, 830.0, -2100.0};
    Feld x, y;
    for (int i = 0; i < 120; ++i) {
        x.push_back(8.70 + 0.002 * i);
        y.push_back(VictoreenWert(wahr, e, x.back()));
    }
    double c[3];
    ASSERT_EQ(VictoreenFit(x.data(), y.data(), 120, 8.72, 8.90, e, c), 1);
    for (int j = 0; j < 3; ++j) EXPECT_NEAR(c[j], wahr[j], 1e-6 * std::fabs(wahr[j])) << j;
}

// The fits are linear in their coefficients and solved directly; the
// library's Levenberg-Marquardt loop must reach the same coefficients on
// the measured foil.
double PolyModell(double x, double, double* xs, double* ys, int32_t n)
{
    auto f = [](double t) { return fit_test::g_par[0] + t * (fit_test::g_par[1] + t * fit_test::g_par[2]); };
    if (xs) {
        for (int32_t i = 0; i < n; ++i) ys[i] = f(xs[i]);
        return 0.0;
    }
    return f(x);
}
double VictoreenModell(double x, double, double* xs, double* ys, int32_t n)
{
    static const double e[3] = {0.0, -3.0, -4.0};
    if (xs) {
        for (int32_t i = 0; i < n; ++i) ys[i] = VictoreenWert(fit_test::g_par, e, xs[i]);
        return 0.0;
    }
    return VictoreenWert(fit_test::g_par, e, x);
}

TEST(PreEdge, DirectSolutionAgreesWithTheLeastSquaresLoopOnTheCopperFoil)
{
    Feld e, mu;
    KupferFolie(&e, &mu);
    const double e3[3] = {0.0, -3.0, -4.0};
    struct Fall {
        ModellCallback modell;
        double von, bis;
    } faelle[] = {{PolyModell, 8.779, 8.950}, {VictoreenModell, 8.779, 8.950}, {PolyModell, 9.100, 10.100}};
    for (const Fall& f : faelle) {
        double direkt[3];
        if (f.modell == PolyModell) ASSERT_EQ(PolynomFit(e.data(), mu.data(), 408, f.von, f.bis, 2, 0.0, direkt), 1);
        else ASSERT_EQ(VictoreenFit(e.data(), mu.data(), 408, f.von, f.bis, e3, direkt), 1);
        int32_t lo, hi;
        ASSERT_GT(SektionsIndizes(e.data(), 408, f.von, f.bis, &lo, &hi), 0);
        const Feld x(e.begin() + lo, e.begin() + hi + 1), y(mu.begin() + lo, mu.begin() + hi + 1);
        // Start a little off the solution, as the engine's start values are.
        fit_test::FitSetup fit(f.modell, x, y, {direkt[0] * 1.01, direkt[1] * 0.99, direkt[2] * 1.02}, {0, 1, 2});
        fit.z.SetAbbruch(1e-12, 1e-5, 500);
        fit.z.maxIterationen = 500;
        ASSERT_EQ(fit.Run(), -1);
        // Compared where it matters: the background the two give.
        for (double xe : {x.front(), x[x.size() / 2], x.back()}) {
            const double a = f.modell == PolyModell ? PolynomWert(direkt, 2, xe) : VictoreenWert(direkt, e3, xe);
            const double b = f.modell(xe, 0.0, nullptr, nullptr, 0);
            EXPECT_NEAR(a, b, 1e-6 * std::fabs(b)) << xe;
        }
    }
}

TEST(Normalisation, TwoPolynomialsFlattenASyntheticEdgeWithoutInfOrNaN)
{
    // Pre-edge line 0.1 - 0.01 E, post-edge 1.6 - 0.05 E, edge at 8.98.
    const double pre[2] = {0.1, -0.01}, post[2] = {1.6, -0.05};
    Feld x, y;
    for (int i = 0; i < 400; ++i) {
        const double en = 8.7 + 0.004 * i;
        x.push_back(en);
        const double p = PolynomWert(pre, 1, en), q = PolynomWert(post, 1, en);
        y.push_back(p + (q - p) / (1.0 + std::exp(-(en - 8.98) / 0.002)));
    }
    Feld n = y;
    double j = 0.0;
    ASSERT_EQ(ZweiPolynomNormierung(x.data(), n.data(), 400, pre, 1, post, 1, 8.98, &j), ZP_OK);
    EXPECT_TRUE(AllesEndlich(n));
    int e = 0;
    while (x[e] < 8.98) ++e;
    EXPECT_NEAR(j, PolynomWert(post, 1, x[e]) - PolynomWert(pre, 1, x[e]), 1e-12);
    EXPECT_NEAR(n.front(), 0.0, 1e-9);
    EXPECT_NEAR(n.back(), 1.0, 1e-9);
    // Below E0 the divisor is the jump, at and above it Q - P: the two
    // agree at E0.
    EXPECT_NEAR(n[e - 1], (y[e - 1] - PolynomWert(pre, 1, x[e - 1])) / j, 1e-12);
    EXPECT_NEAR(n[e], (y[e] - PolynomWert(pre, 1, x[e])) / j, 1e-12);

    // Far below the edge the two lines cross (Q - P = 0 at E = 1.5/0.04 =
    // 37.5 is beyond, so move the post-edge line): still finite below E0.
    const double kreuzt[2] = {-2.1, 0.25};  // meets the pre-edge line at 8.4
    n = y;
    ASSERT_EQ(ZweiPolynomNormierung(x.data(), n.data(), 400, pre, 1, kreuzt, 1, 8.98, &j), ZP_OK);
    EXPECT_TRUE(AllesEndlich(n));

    // E0 beyond the last point has no jump; equal lines have a jump of 0;
    // lines that cross above E0 would divide by 0 there. y stays as it was.
    struct Fall {
        const double* q;
        double e0;
        int32_t code;
    } faelle[] = {{post, 10.5, ZP_E0_JENSEITS}, {pre, 8.98, ZP_SPRUNG_NULL}};
    for (const Fall& f : faelle) {
        n = y;
        EXPECT_EQ(ZweiPolynomNormierung(x.data(), n.data(), 400, pre, 1, f.q, 1, f.e0, &j), f.code);
        EXPECT_EQ(n, y);
    }
    const double faellt[2] = {3.0, -0.3};  // meets the pre-edge line at 10.0
    n = y;
    EXPECT_EQ(ZweiPolynomNormierung(x.data(), n.data(), 400, pre, 1, faellt, 1, 8.98, &j), ZP_NENNER_NULL);
    EXPECT_EQ(n, y);
}

TEST(AtomicBackground, SplineGivesChiBackFromMu0TimesOnePlusChi)
{
    for (int n : {400, 20000}) {  // also far above the old 8,000-point blocks
        SCOPED_TRACE(n);
        Synthetisch s(n);
        SplineHintergrund h;
        ASSERT_EQ(SplineMu0(s.k.data(), s.mu.data(), n, 0.5, 17.4, 11, 0.0, nullptr, 600, &h), n);
        ASSERT_EQ(h.KnotenX.size(), 11u);
        EXPECT_DOUBLE_EQ(h.KnotenX.front(), 0.5);
        EXPECT_DOUBLE_EQ(h.KnotenX.back(), 17.4);
        Feld chi = s.mu;
        ChiAusMu(s.k.data(), chi.data(), h.Mu0.data(), n, 0.0);
        double fehler = 0.0;
        for (int i = 0; i < n; ++i)
            if (s.k[i] > 2.0 && s.k[i] < 16.0) fehler = std::max(fehler, std::fabs(chi[i] - s.chi[i]));
        EXPECT_LT(fehler, 1e-3);
        // Weighted with k^2: the same chi, times k^2.
        Feld chi2 = s.mu;
        ChiAusMu(s.k.data(), chi2.data(), h.Mu0.data(), n, 2.0);
        EXPECT_NEAR(chi2[n / 2], chi[n / 2] * s.k[n / 2] * s.k[n / 2], 1e-12);
    }
}

TEST(AtomicBackground, PolynomialMu0AndZeroMu0)
{
    Synthetisch s(300);
    double c[4];
    ASSERT_EQ(PolynomFit(s.k.data(), s.mu.data(), 300, 0.5, 17.4, 2, 0.0, c), 1);
    Feld mu0(300), chi = s.mu;
    for (int i = 0; i < 300; ++i) mu0[i] = PolynomWert(c, 2, s.k[i]);
    mu0[10] = 0.0;  // a zero background gives chi 0 there
    ChiAusMu(s.k.data(), chi.data(), mu0.data(), 300, 0.0);
    EXPECT_EQ(chi[10], 0.0);
    double fehler = 0.0;
    for (int i = 40; i < 260; ++i) fehler = std::max(fehler, std::fabs(chi[i] - s.chi[i]));
    EXPECT_LT(fehler, 5e-3);
}

TEST(AtomicBackground, KnotsSectionBySection)
{
    // Sections of 3, 1, 0 and 2 knots over [0, 8]: width 2.
    SplineAbschnitte a;
    a.Knoten = {3, 1, 0, 2};
    a.Exponenten = {1, 2, 2, 3};
    const Feld k = SplineKnoten(0.0, 8.0, 0, &a);
    const Feld erwartet = {0.0, 2.0 / 3.0, 4.0 / 3.0, 2.0, 4.0, 6.0, 7.0, 8.0};
    ASSERT_EQ(k.size(), erwartet.size());
    for (size_t i = 0; i < k.size(); ++i) EXPECT_NEAR(k[i], erwartet[i], 1e-12) << i;
    // Equidistant without a layout.
    EXPECT_EQ(SplineKnoten(1.0, 3.0, 5, nullptr), (Feld{1.0, 1.5, 2.0, 2.5, 3.0}));
    EXPECT_TRUE(SplineKnoten(1.0, 3.0, 1, nullptr).empty());

    // The layout fit recovers chi too, and refuses knot counts outside 3-40.
    Synthetisch s(500);
    SplineAbschnitte drei;
    drei.Knoten = {4, 4, 4};
    drei.Exponenten = {2, 2, 2};
    SplineHintergrund h;
    ASSERT_EQ(SplineMu0(s.k.data(), s.mu.data(), 500, 0.5, 17.4, 0, 0.0, &drei, 600, &h), 500);
    EXPECT_EQ(h.KnotenX.size(), 13u);
    Feld chi = s.mu;
    ChiAusMu(s.k.data(), chi.data(), h.Mu0.data(), 500, 0.0);
    for (int i = 60; i < 460; i += 50) EXPECT_NEAR(chi[i], s.chi[i], 2e-3) << s.k[i];
    EXPECT_EQ(SplineMu0(s.k.data(), s.mu.data(), 500, 0.5, 17.4, 2, 0.0, nullptr, 600, &h), 0);
    EXPECT_EQ(SplineMu0(s.k.data(), s.mu.data(), 500, 0.5, 17.4, 41, 0.0, nullptr, 600, &h), 0);
    SplineAbschnitte leer;
    leer.Knoten = {0};
    EXPECT_EQ(SplineMu0(s.k.data(), s.mu.data(), 500, 0.5, 17.4, 1, 0.0, &leer, 600, &h), 0);
}

TEST(AtomicBackground, SplineAgreesWithTheLibrarySpline)
{
    const Feld kx = {0.0, 1.0, 2.5, 3.0, 5.0}, ky = {1.0, -2.0, 0.5, 4.0, 3.0};
    Feld xs, ys(50), zs(50);
    for (int i = 0; i < 50; ++i) xs.push_back(5.0 * i / 49.0);
    NatuerlicherSpline(kx.data(), ky.data(), 5, xs.data(), ys.data(), 50);
    def_zelva z;
    Feld kxx = kx, kyy = ky;
    z.SetField(kxx.data(), kyy.data());
    z.anzahl = 5;
    z.Splint(50, xs.data(), zs.data());
    for (int i = 0; i < 50; ++i) EXPECT_NEAR(ys[i], zs[i], 1e-12) << xs[i];
}

TEST(AtomicBackground, Mu0OnTheFourierGridAndTheFileName)
{
    Feld x, m;
    for (int i = 0; i < 100; ++i) {
        x.push_back(1.0 + 0.1 * i);
        m.push_back(2.0 + 0.5 * x.back());
    }
    Feld kx, ky;
    Mu0AufFourierGitter(x.data(), m.data(), 100, 0.04, 1024, &kx, &ky);
    const double schritt = (PI / 0.04) / 1023.0;
    ASSERT_EQ(kx.size(), static_cast<size_t>(std::ceil((x.back() - 1.0) / schritt)));
    EXPECT_LT(kx.back(), x.back());
    for (size_t j = 0; j < kx.size(); j += 17) {
        EXPECT_NEAR(kx[j], 1.0 + j * schritt, 1e-12);
        EXPECT_NEAR(ky[j], 2.0 + 0.5 * kx[j], 1e-12);  // a line stays a line
    }
    EXPECT_EQ(MueDateiName("Cu_foil.dat"), "Cu_foil-dat.mue");
    EXPECT_EQ(MueDateiName("C:\\daten.v2\\cu"), "cu.mue");
    EXPECT_EQ(MueDateiName("a.b.xdi"), "a.b-xdi.mue");
    const double a[1] = {1.5}, b[1] = {2.0}, c[1] = {-0.25};
    EXPECT_EQ(MueDateiText(a, b, c, 1), "1.5000000000E+00   2.0000000000E+00   -2.5000000000E-01\n");
}

TEST(Preview, TransformOfOneShellPeaksAtItsDistance)
{
    def_zelva z;
    Feld k, chi;
    for (int i = 0; i < 400; ++i) {
        k.push_back(0.5 + 0.04 * i);
        chi.push_back(std::sin(2.0 * 2.2 * k.back()) * k.back() * k.back());
    }
    double* altX = z.xField;
    Feld r, b;
    ASSERT_GT(VorschauTransform(z, k.data(), chi.data(), 400, 3.0, 14.0, 2.0, 1024, 0.04, 7.0, &r, &b), 10);
    EXPECT_EQ(z.xField, altX);  // the library's curve is given back
    EXPECT_LE(r.back(), 0.8 * 7.0 + 0.05);
    EXPECT_GT(r.back(), 0.8 * 7.0);
    size_t best = 0;
    for (size_t i = 0; i < b.size(); ++i)
        if (b[i] > b[best]) best = i;
    EXPECT_NEAR(r[best], 2.2, r[1]);

    // The window record the transform ran with, and the real part beside
    // the magnitude: |re| never above |FT|, and re changes sign about the
    // peak, where the magnitude does not.
    FTWINDOW f{1, 0.0, 0.0, 0.0, -9.0};
    Feld re;
    const int32_t m = VorschauTransform(z, k.data(), chi.data(), 400, 3.0, 14.0, 2.0, 1024, 0.04, 7.0, &r, &b, &f, &re);
    ASSERT_EQ(re.size(), static_cast<size_t>(m));
    EXPECT_EQ(f.windowType, 4);
    EXPECT_EQ(f.upper, 14.0);
    EXPECT_EQ(f.lower, 3.0);
    EXPECT_EQ(f.shape, 4.0);
    EXPECT_EQ(f.origin, 3.0);  // the first point of the k grid
    int wechsel = 0;
    for (int32_t i = 0; i < m; ++i) {
        EXPECT_LE(std::fabs(re[i]), b[i] * (1 + 1e-12) + 1e-300);
        if (i > 0 && (re[i] > 0) != (re[i - 1] > 0)) ++wechsel;
    }
    EXPECT_GT(wechsel, 3);
    const FTWINDOW vorher = f;
    EXPECT_EQ(VorschauTransform(z, k.data(), chi.data(), 400, 3.0, 14.0, 2.0, 1000, 0.04, 7.0, &r, &b, &f, &re), 0);
    EXPECT_EQ(f.upper, vorher.upper);  // a refused transform leaves the record
    EXPECT_TRUE(re.empty());
}

// The spline background is linear in its knot heights and solved directly;
// the library's least-squares loop on the same grid, weights and knots
// reaches the same background on the copper foil in k.
namespace {
std::vector<double> SplineKnotenX;
double SplineModell(double x, double, double* xs, double* ys, int32_t n)
{
    const int32_t k = static_cast<int32_t>(SplineKnotenX.size());
    if (xs) {
        NatuerlicherSpline(SplineKnotenX.data(), fit_test::g_par, k, xs, ys, n);
        return 0.0;
    }
    double y = 0.0;
    NatuerlicherSpline(SplineKnotenX.data(), fit_test::g_par, k, &x, &y, 1);
    return y;
}
}  // namespace

TEST(AtomicBackground, DirectSplineAgreesWithTheLeastSquaresLoopOnTheCopperFoil)
{
    Feld e, mu;
    KupferFolie(&e, &mu);
    Feld k;
    for (double v : e) k.push_back(KAusEnergie(v, 8.9805));
    SplineHintergrund h;
    const int32_t n = static_cast<int32_t>(k.size());
    ASSERT_GT(SplineMu0(k.data(), mu.data(), n, 0.5, 17.4, 11, 2.0, nullptr, 600, &h), 100);
    SplineKnotenX = h.KnotenX;
    // The grid, data and weights the direct route uses.
    const double xlo = k[h.Lo], xhi = k[h.Hi];
    Feld gx(600), gy(600), w(600);
    for (int j = 0; j < 600; ++j) gx[j] = xlo + j * (xhi - xlo) / 599;
    gx[599] = xhi;
    NatuerlicherSpline(k.data() + h.Lo, mu.data() + h.Lo, h.Hi - h.Lo + 1, gx.data(), gy.data(), 600);
    for (int j = 0; j < 600; ++j) w[j] = gx[j] * gx[j];
    Feld start = h.KnotenY;
    for (double& v : start) v *= 1.02;
    std::vector<int32_t> frei;
    for (int i = 0; i < 11; ++i) frei.push_back(i);
    fit_test::FitSetup fit(SplineModell, gx, gy, start, frei);
    fit.z.SetWeightFunction(w.data());
    fit.z.SetAbbruch(1e-12, 1e-6, 500);
    ASSERT_EQ(fit.Run(), -1);
    for (size_t i = 0; i < h.Mu0.size(); i += 7) {
        const double x = k[h.Lo + i];
        EXPECT_NEAR(SplineModell(x, 0.0, nullptr, nullptr, 0), h.Mu0[i], 1e-6 * std::fabs(h.Mu0[i])) << x;
    }
}

// ---- the spline background fitted in R space ----

namespace {

TEST(RSpaceBackground, GridHoldsTheSectionEndAndTargetsReachEightAngstrom)
{
    Feld x, y;
    for (int i = 0; i < 339; ++i) {
        x.push_back(0.5 + 0.05 * i);  // 0.5 .. 17.4
        y.push_back(2.0 + 0.5 * x.back());
    }
    RRaumUntergrund d;
    ASSERT_TRUE(RRaumUntergrundGitter(x.data(), y.data(), 2, 338, 1024, 0.04, 0.9, &d));
    const double dk = (PI / 0.04) / 1023.0;
    ASSERT_EQ(d.KX.size(), 1024u);
    ASSERT_EQ(d.KY.size(), 1024u);
    const int e = d.KPunkte - 1;
    EXPECT_GE(d.KX[e], 17.4);
    EXPECT_LT(d.KX[e - 1], 17.4);
    for (int j = 0; j < e; j += 11) {
        EXPECT_NEAR(d.KX[j], 0.6 + j * dk, 1e-12);
        EXPECT_NEAR(d.KY[j], 2.0 + 0.5 * d.KX[j], 1e-12);
    }
    EXPECT_EQ(d.KY[e], d.KY[e - 1]);  // held, not extrapolated
    for (int j = e + 1; j < 1024; ++j) ASSERT_EQ(d.KY[j], 0.0) << j;
    // R from 0 to 8 A inclusive in steps of pi / (N dk); weight 1 up to
    // the background distance.
    const double dr = PI / (1024 * dk);
    ASSERT_FALSE(d.R.empty());
    EXPECT_EQ(d.R.front(), 0.0);
    EXPECT_LE(d.R.back(), 8.0);
    EXPECT_GT(d.R.back() + dr, 8.0);
    for (size_t i = 0; i < d.R.size(); ++i) {
        EXPECT_NEAR(d.R[i], i * dr, 1e-12);
        EXPECT_EQ(d.Ziel[i], 0.00001);
        EXPECT_EQ(d.Gewicht[i], d.R[i] <= 0.9 ? 1.0 : 0.0) << d.R[i];
    }
    EXPECT_FALSE(RRaumUntergrundGitter(x.data(), y.data(), 2, 338, 1000, 0.04, 0.9, &d));
    EXPECT_FALSE(RRaumUntergrundGitter(x.data(), y.data(), 2, 3, 1024, 0.04, 0.9, &d));
    EXPECT_TRUE(d.KX.empty());
}

// The surroundings of the model kind 4 for the R-space fit: the fixture's
// with the k grid the fit leaves in FftModelX/Y.
class RRaumFit : public ExafsFftFixture {
protected:
    double w = 2.0;
    void SetUp() override
    {
        ExafsFftFixture::SetUp();
        u.KPunkte = 1024;
        u.RSchritt = 0.04;
        fenster = FTWINDOW{4, 14.0, 2.0, 4.0, 0.0};
        Jetzt() = this;
        ExafsFftLeser = Leser;
    }
    void TearDown() override
    {
        ExafsFftLeser = nullptr;
        Jetzt() = nullptr;
        ExafsFftFixture::TearDown();
    }
    static RRaumFit*& Jetzt()
    {
        static RRaumFit* f = nullptr;
        return f;
    }
    static bool Leser(EXAFS_FFT_UMFELD* ziel)
    {
        *ziel = Jetzt()->u;
        ziel->MessX = FftModelX.data();
        ziel->MessY = FftModelY.data();
        ziel->MessPunkte = FftModelPunkte;
        ziel->KPotenz = Jetzt()->w;
        ziel->UntergrundModus = ExafsZusatz.UntergrundModus;
        return true;
    }
    static double Chi(int32_t n, int32_t mfit, double* x, double* y, double* a, double* alpha, double* beta,
                      double* sigma)
    {
        EXAFS_FFT_UMFELD v;
        Leser(&v);
        return ExafsChiQuadrat(v, n, mfit, x, y, a, alpha, beta, sigma);
    }
    // Sum of |FT|^2 of chi k^w below r (the window of the preview).
    double TiefesR(const Feld& k, const Feld& chi, double r)
    {
        Feld rr, b;
        def_zelva z;
        VorschauTransform(z, k.data(), chi.data(), static_cast<int32_t>(k.size()), k.front(), k.back(), w, 1024, 0.04,
                          10.0, &rr, &b);
        double s = 0.0;
        for (size_t i = 0; i < rr.size() && rr[i] <= r; ++i) s += b[i] * b[i];
        return s;
    }
};

// mu = s (1 + chi) with s a spline through the fit's own knots and chi one
// shell at 2.5 A: the R-space fit finds the knots again, and the chi it
// leaves has less below the background distance than the k-space fit of
// the same knots. The model kind, the background mode and the library's
// set-up are as before.
TEST_F(RRaumFit, RecoversTheSplineUnderOneShell)
{
    const int n = 339, knoten = 8;
    Feld k(n), mu(n), s(n), chi(n);
    for (int i = 0; i < n; ++i) k[i] = 0.5 + 0.05 * i;
    Feld kx(knoten), ky(knoten);
    for (int j = 0; j < knoten; ++j) {
        kx[j] = 0.5 + j * (17.4 - 0.5) / (knoten - 1);
        ky[j] = 1.4 - 0.03 * kx[j] + 0.05 * std::exp(-kx[j] / 3.0);
    }
    NatuerlicherSpline(kx.data(), ky.data(), knoten, k.data(), s.data(), n);
    for (int i = 0; i < n; ++i) {
        chi[i] = 0.03 * std::sin(2.0 * 2.5 * k[i] + 0.3) * std::exp(-0.01 * k[i] * k[i]);
        mu[i] = s[i] * (1.0 + chi[i]);
    }
    types[0] = 53;
    FitFunctionCount = 1;
    FitModellArt = 6;
    ExafsZusatz.UntergrundModus = 0;
    double* altX = zelva.xField;
    const double altFehler = zelva.expError;
    SplineHintergrund h;
    ASSERT_EQ(RRaumSplineFit(zelva, Callback, Chi, k.data(), mu.data(), n, 0.5, 17.4, knoten, nullptr, 1024, 0.04,
                             1.0, &h),
              n);
    EXPECT_EQ(FitModellArt, 6);
    EXPECT_EQ(ExafsZusatz.UntergrundModus, 0);
    EXPECT_EQ(zelva.xField, altX);
    EXPECT_EQ(zelva.expError, altFehler);
    EXPECT_GT(FftModelPunkte, 200);
    ASSERT_EQ(h.KnotenY.size(), static_cast<size_t>(knoten));
    for (int j = 0; j < knoten; ++j) {
        EXPECT_EQ(block[j], h.KnotenY[j]);
        EXPECT_NEAR(block[SPLINE_KNOT_INDEX + j], kx[j], 1e-12);
        // The end knots, where k^2 and the window make chi small, are
        // held more loosely than the inner ones.
        const bool ende = j == 0 || j == knoten - 1;
        EXPECT_NEAR(h.KnotenY[j], ky[j], (ende ? 5e-3 : 3e-4) * ky[j]) << kx[j];
    }
    Feld rChi = mu, kChi = mu;
    ChiAusMu(k.data(), rChi.data(), h.Mu0.data(), n, w);
    SplineHintergrund kh;
    ASSERT_EQ(SplineMu0(k.data(), mu.data(), n, 0.5, 17.4, knoten, w, nullptr, 600, &kh), n);
    ChiAusMu(k.data(), kChi.data(), kh.Mu0.data(), n, w);
    EXPECT_LT(TiefesR(k, rChi, 1.0), TiefesR(k, kChi, 1.0));

    // Too many knots or too short a section: nothing is fitted.
    const double vorher = block[0];
    EXPECT_EQ(RRaumSplineFit(zelva, Callback, Chi, k.data(), mu.data(), n, 0.5, 17.4, 41, nullptr, 1024, 0.04, 1.0, &h),
              0);
    EXPECT_EQ(RRaumSplineFit(zelva, Callback, Chi, k.data(), mu.data(), n, 0.5, 0.55, 5, nullptr, 1024, 0.04, 1.0, &h),
              0);
    EXPECT_EQ(block[0], vorher);
}

}  // namespace
