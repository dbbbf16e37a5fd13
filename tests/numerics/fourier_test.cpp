#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <cstdio>
#include <random>
#include <vector>

#include "zelva.h"

namespace {

const double PI = 3.14159265358979323846;

std::vector<double> RandomValues(std::size_t count, unsigned seed)
{
    std::mt19937 gen(seed);
    std::vector<double> v(count);
    for (double& d : v) d = static_cast<double>(gen()) / 4294967296.0 - 0.5;
    return v;
}

// Direct sum over exp(sign 2 pi i jk / n) of n complex points.
std::vector<std::complex<double>> NaiveDft(const std::vector<std::complex<double>>& in, int sign)
{
    const std::size_t n = in.size();
    std::vector<std::complex<double>> out(n);
    for (std::size_t k = 0; k < n; ++k) {
        std::complex<double> s = 0.0;
        for (std::size_t j = 0; j < n; ++j) {
            const double angle = sign * 2.0 * PI * static_cast<double>((j * k) % n) / n;
            s += in[j] * std::complex<double>(std::cos(angle), std::sin(angle));
        }
        out[k] = s;
    }
    return out;
}

std::vector<std::complex<double>> ToComplex(const std::vector<double>& interleaved)
{
    std::vector<std::complex<double>> c(interleaved.size() / 2);
    for (std::size_t i = 0; i < c.size(); ++i) c[i] = {interleaved[2 * i], interleaved[2 * i + 1]};
    return c;
}

// Registers x, y (and the caller keeps imag) of a curve with the object.
struct Curve {
    std::vector<double> x, y, imag;
    void Register(def_zelva& z)
    {
        z.SetField(x.data(), y.data());
        z.SetAnzahl(static_cast<int32_t>(x.size()), -1, -1);
    }
};

Curve Grid(int n, double x0, double dx)
{
    Curve c;
    c.x.resize(n);
    c.y.resize(n);
    c.imag.assign(n, 0.0);
    for (int i = 0; i < n; ++i) c.x[i] = x0 + i * dx;
    return c;
}

}  // namespace

TEST(Four1, MatchesNaiveDftForEveryPowerOfTwo)
{
    def_zelva z;
    for (int n = 2; n <= 4096; n *= 2) {
        for (int isign : {1, -1}) {
            std::vector<double> data = RandomValues(2 * n, n + isign);
            const auto expected = NaiveDft(ToComplex(data), isign);
            ASSERT_EQ(z.Four1(n, isign, data.data()), 1);
            double err = 0.0, scale = 0.0;
            for (int k = 0; k < n; ++k) {
                err = std::max(err, std::abs(std::complex<double>(data[2 * k], data[2 * k + 1]) - expected[k]));
                scale = std::max(scale, std::abs(expected[k]));
            }
            EXPECT_LT(err, 1e-12 * n * scale) << "n=" << n << " isign=" << isign;
        }
    }
}

TEST(Realft, MatchesNaiveDftOfRealValuesAndInverts)
{
    def_zelva z;
    for (int n = 1; n <= 2048; n *= 2) {  // n complex points, 2n real values
        const std::vector<double> input = RandomValues(2 * n, 7 * n);
        std::vector<std::complex<double>> c(2 * n);
        for (int j = 0; j < 2 * n; ++j) c[j] = input[j];
        const auto expected = NaiveDft(c, 1);
        std::vector<double> data = input;
        ASSERT_EQ(z.Realft(n, 1, data.data()), 1);
        double scale = 0.0;
        for (const auto& e : expected) scale = std::max(scale, std::abs(e));
        const double tol = 1e-12 * (2 * n) * scale;
        EXPECT_NEAR(data[0], expected[0].real(), tol) << n;
        EXPECT_NEAR(data[1], expected[n].real(), tol) << n;
        for (int k = 1; k < n; ++k) {
            EXPECT_NEAR(data[2 * k], expected[k].real(), tol) << n << " " << k;
            EXPECT_NEAR(data[2 * k + 1], expected[k].imag(), tol) << n << " " << k;
        }
        ASSERT_EQ(z.Realft(n, -1, data.data()), 1);
        for (int j = 0; j < 2 * n; ++j) EXPECT_NEAR(data[j] / n, input[j], 1e-12 * 2 * n) << n;
    }
}

TEST(Four1, RefusesLengthsThatAreNotPowersOfTwo)
{
    def_zelva z;
    for (int n : {0, 3, 6, 100, -4}) {
        // Exactly 2n doubles (at least one): a transform would run past them.
        std::vector<double> data = RandomValues(std::max(2 * n, 1), 3);
        const std::vector<double> before = data;
        EXPECT_EQ(z.Four1(n, 1, data.data()), 0) << n;
        EXPECT_EQ(z.Realft(n, 1, data.data()), 0) << n;
        EXPECT_EQ(data, before) << n;
    }
}

TEST(FastFourier, MatchesNaiveDftWithItsScaling)
{
    def_zelva z;
    for (int n : {1, 2, 8, 64, 1024}) {
        for (int direction : {1, 0}) {
            std::vector<double> data = RandomValues(2 * n, 11 * n);
            const auto expected = NaiveDft(ToComplex(data), direction >= 1 ? 1 : -1);
            ASSERT_EQ(z.FastFourier(n, direction, data.data()), 1);
            const double scale = direction >= 1 ? 1.0 : 1.0 / n;
            for (int k = 0; k < n; ++k) {
                EXPECT_NEAR(data[2 * k], expected[k].real() * scale, 1e-11) << n;
                EXPECT_NEAR(data[2 * k + 1], expected[k].imag() * scale, 1e-11) << n;
            }
        }
    }
    std::vector<double> odd(12, 1.0);
    EXPECT_EQ(z.FastFourier(6, 1, odd.data()), 0);
}

TEST(Rfft, RealSpectrumAndComplexModes)
{
    def_zelva z;
    const int n = 64;  // real values
    const std::vector<double> input = RandomValues(n, 5);
    std::vector<std::complex<double>> c(input.begin(), input.end());
    const auto expected = NaiveDft(c, -1);
    std::vector<double> data = input;
    ASSERT_EQ(z.rfft(n, 0, data.data()), n);
    EXPECT_NEAR(data[0], expected[0].real() / n, 1e-13);
    EXPECT_NEAR(data[1], expected[n / 2].real() / n, 1e-13);
    for (int k = 1; k < n / 2; ++k) {
        EXPECT_NEAR(data[2 * k], expected[k].real() / n, 1e-13) << k;
        EXPECT_NEAR(data[2 * k + 1], expected[k].imag() / n, 1e-13) << k;
    }
    // Mode 1: the complex transform of n / 2 points, exp(+i), unscaled.
    data = input;
    ASSERT_EQ(z.rfft(n, 1, data.data()), n);
    const auto plus = NaiveDft(ToComplex(input), 1);
    for (int k = 0; k < n / 2; ++k) {
        EXPECT_NEAR(data[2 * k], plus[k].real(), 1e-12);
        EXPECT_NEAR(data[2 * k + 1], plus[k].imag(), 1e-12);
    }
}

TEST(FourierSerie, SumsTheSeries)
{
    def_zelva z;
    double c[4] = {1.0, 2.0, 0.0, -1.0};
    double re, im;
    EXPECT_EQ(z.FourierSerie(4, c, re, im, 1.0), 1.0);
    // angles 0, pi/2, pi, 3 pi/2
    EXPECT_NEAR(re, (1.0 + 0.0 + 0.0 - 0.0) / 4, 1e-15);
    EXPECT_NEAR(im, (0.0 + 2.0 + 0.0 + 1.0) / 4, 1e-15);
}

TEST(DoCommonFFT, CentredForwardThenBackwardReturnsInputAndOrigin)
{
    const int n = 256;
    const double x0 = 2.5, dx = 0.05;
    for (int32_t type : {0, 1, 2, 4}) {
        def_zelva z;
        Curve c = Grid(n, x0, dx);
        for (int i = 0; i < n; ++i) {
            c.y[i] = std::exp(-0.3 * (c.x[i] - 8.0) * (c.x[i] - 8.0)) * std::cos(3.0 * c.x[i]);
            c.imag[i] = 0.2 * std::sin(c.x[i]);
        }
        const Curve original = c;
        c.Register(z);
        // Kaiser shape 4 keeps the edges at 0.27: dividing by a tiny edge
        // would only measure rounding.
        FTWINDOW w{type, c.x[n - 1], x0, type == 4 ? 4.0 : 30.0, 0.0};
        const double fstep = 1.0 / (dx * n);
        ASSERT_EQ(z.DoCommonFFT(c.imag.data(), 0, &w, nullptr, 0.0, fstep), n) << type;
        EXPECT_EQ(w.origin, x0);
        EXPECT_NEAR(c.x[0], -n / 2 * fstep, 1e-12);
        EXPECT_NEAR(c.x[n / 2], 0.0, 1e-15);
        ASSERT_EQ(z.DoCommonFFT(c.imag.data(), 1, &w, nullptr, 0.0, dx), n) << type;
        for (int i = 0; i < n; ++i) {
            EXPECT_NEAR(c.x[i], original.x[i], 1e-12) << type;
            EXPECT_NEAR(c.y[i], original.y[i], 1e-12) << type << " " << i;
            EXPECT_NEAR(c.imag[i], original.imag[i], 1e-12) << type << " " << i;
        }
    }
}

TEST(DoCommonFFT, SineOnKGridPeaksAtItsDistance)
{
    const int n = 1024;
    const double dk = 0.05;
    for (double r0 : {1.7, 2.3, 3.9}) {
        def_zelva z;
        Curve c = Grid(n, 0.0, dk);
        for (int i = 0; i < n; ++i) c.y[i] = std::sin(2.0 * r0 * c.x[i]);
        c.Register(z);
        FTWINDOW w{4, 14.0, 2.0, 4.0, 0.0};
        const double step = PI / (dk * n);
        ASSERT_EQ(z.DoCommonFFT(c.imag.data(), -1, &w, nullptr, 0.0, step), n / 2);
        EXPECT_EQ(z.GetAnzahl(), n / 2);
        EXPECT_EQ(c.x[1], step);
        int best = 0;
        for (int i = 0; i < n / 2; ++i)
            if (std::hypot(c.y[i], c.imag[i]) > std::hypot(c.y[best], c.imag[best])) best = i;
        EXPECT_NEAR(c.x[best], r0, step) << r0;
    }
}

TEST(DoCommonFFT, MirroredBackTransformRecoversTheFilteredSignal)
{
    // k grid, forward to the positive R half, back with the one-sided mode:
    // a signal whose spectrum lies well inside the R range comes back
    // (real part doubled, abscissae from the stored origin).
    const int n = 512;
    const double dk = 0.05;
    def_zelva z;
    Curve c = Grid(n, 0.0, dk);
    c.y.resize(2 * n);
    c.x.resize(2 * n);
    c.imag.assign(2 * n, 0.0);
    for (int i = 0; i < n; ++i) c.y[i] = std::exp(-0.05 * (c.x[i] - 12.8) * (c.x[i] - 12.8)) * std::sin(5.0 * c.x[i]);
    const std::vector<double> original(c.y.begin(), c.y.begin() + n);
    z.SetField(c.x.data(), c.y.data());
    z.SetAnzahl(n, -1, -1);
    z.SetArrayCapacity(2 * n);
    FTWINDOW w{0, 0.0, 0.0, 0.0, 0.0};
    const double step = PI / (dk * n);
    ASSERT_EQ(z.DoCommonFFT(c.imag.data(), -1, &w, nullptr, 0.0, step), n / 2);
    const double back = PI / (step * (n / 2)) / 2.0;  // the k step again
    ASSERT_EQ(z.DoCommonFFT(c.imag.data(), 2, &w, nullptr, 0.0, back), n);
    // The zero-frequency and Nyquist terms are counted twice by the one-sided
    // back transform; the signal's are below 1e-5.
    for (int i = 0; i < n; ++i) {
        EXPECT_NEAR(c.x[i], i * dk, 1e-12);
        EXPECT_NEAR(c.y[i], original[i], 1e-5) << i;
    }
}

// Each mode against the direct sum it stands for, on random input without
// a window: forward modes sum with exp(+2 pi i jk / n) / n, the
// backward modes with exp(-2 pi i jk / n) over the input with its halves
// swapped (mode 2 first puts n zeros before the curve, then doubles the real
// part and negates and doubles the imaginary part).
TEST(DoCommonFFT, EachModeIsItsDirectSum)
{
    const int n = 64;
    const double x0 = 1.5, dx = 0.1, step = 0.25, origin = 0.75;
    // Modes 10 and 11: -1 and 0 on a real curve (the chi(k) transform),
    // which takes a path of its own.
    for (int32_t run : {-1, 0, 1, 2, 10, 11}) {
        const int32_t mode = run >= 10 ? run - 11 : run;
        SCOPED_TRACE(run);
        def_zelva z;
        Curve c = Grid(mode == 2 ? 2 * n : n, x0, dx);
        c.y = RandomValues(c.x.size(), 3 + run);
        c.imag = RandomValues(c.x.size(), 17 + run);
        if (run >= 10) c.imag.assign(c.x.size(), 0.0);
        z.SetField(c.x.data(), c.y.data());
        z.SetAnzahl(n, -1, -1);
        z.SetArrayCapacity(static_cast<int32_t>(c.x.size()));
        std::vector<std::complex<double>> in(n);
        for (int i = 0; i < n; ++i) in[i] = {c.y[i], c.imag[i]};

        std::vector<std::complex<double>> expected;
        int count = n;
        if (mode <= 0) {
            expected = NaiveDft(in, 1);
            for (auto& v : expected) v /= n;
        } else {
            if (mode == 2) {
                in.insert(in.begin(), n, 0.0);
                count = 2 * n;
            }
            std::vector<std::complex<double>> swapped(count);
            for (int i = 0; i < count; ++i) swapped[i] = in[(i + count / 2) % count];
            expected = NaiveDft(swapped, -1);
            if (mode == 2)
                for (auto& v : expected) v = {2.0 * v.real(), -2.0 * v.imag()};
        }
        FTWINDOW w{0, 0.0, 0.0, 0.0, origin};
        const int32_t result = z.DoCommonFFT(c.imag.data(), mode, &w, nullptr, 0.0, step);
        ASSERT_EQ(result, mode == -1 ? n / 2 : count);
        for (int i = 0; i < result; ++i) {
            int k = i;
            double xi = i * step + (mode >= 1 ? origin : 0.0);
            if (mode == 0) {
                k = (i - n / 2 + n) % n;
                xi = (i - n / 2) * step;
            }
            EXPECT_NEAR(c.x[i], xi, 1e-12) << i;
            EXPECT_NEAR(c.y[i], expected[k].real(), 1e-12) << i;
            EXPECT_NEAR(c.imag[i], expected[k].imag(), 1e-12) << i;
        }
    }
}

TEST(DoCommonFFT, RefusesWhatWouldOverrunOrMisread)
{
    def_zelva z;
    // Not a power of two.
    Curve c = Grid(300, 0.0, 0.1);
    for (int i = 0; i < 300; ++i) c.y[i] = i;
    const Curve before = c;
    c.Register(z);
    FTWINDOW w{0, 0.0, 0.0, 0.0, 0.0};
    EXPECT_EQ(z.DoCommonFFT(c.imag.data(), -1, &w, nullptr, 0.0, 1.0), 0);
    EXPECT_EQ(c.y, before.y);
    EXPECT_EQ(z.GetAnzahl(), 300);

    // Mode 2 doubles the curve: arrays of 1.5 n points are refused.
    Curve d = Grid(64, 0.0, 0.1);
    d.x.resize(96);
    d.y.resize(96);
    d.imag.resize(96);
    d.Register(z);
    z.SetAnzahl(64, -1, -1);
    z.SetArrayCapacity(96);
    const Curve dBefore = d;
    EXPECT_EQ(z.DoCommonFFT(d.imag.data(), 2, &w, nullptr, 0.0, 0.1), 0);
    EXPECT_EQ(d.x, dBefore.x);
    EXPECT_EQ(z.GetAnzahl(), 64);
    EXPECT_EQ(z.DoCommonFFT(nullptr, 0, &w, nullptr, 0.0, 0.1), 0);
}

TEST(DoCommonFFT, BackwardZeroesOutsideTheRangeWindow)
{
    // The same back transform of a curve that was cut by hand.
    const int n = 64;
    def_zelva z;
    Curve c = Grid(n, 0.0, 0.1), cut = Grid(n, 0.0, 0.1);
    for (int i = 0; i < n; ++i) {
        c.y[i] = cut.y[i] = std::cos(0.3 * i);
        c.imag[i] = cut.imag[i] = 0.1 * i;
        if (c.x[i] < 1.00001 * 1.0 || c.x[i] > 0.99999 * 2.0) cut.y[i] = cut.imag[i] = 0.0;
    }
    FTWINDOW w{0, 0.0, 0.0, 0.0, 0.0};
    FTWINDOW range{1, 2.0, 1.0, 0.0, 0.0};
    c.Register(z);
    ASSERT_EQ(z.DoCommonFFT(c.imag.data(), 1, &w, &range, 0.0, 0.1), n);
    cut.Register(z);
    ASSERT_EQ(z.DoCommonFFT(cut.imag.data(), 1, &w, nullptr, 0.0, 0.1), n);
    for (int i = 0; i < n; ++i) {
        EXPECT_EQ(c.y[i], cut.y[i]);
        EXPECT_EQ(c.imag[i], cut.imag[i]);
    }
    EXPECT_NE(cut.y[0], 0.0);
}

TEST(Windowfunction, ShapesAndModes)
{
    def_zelva z;
    const int n = 201;
    Curve c = Grid(n, 0.0, 0.1);  // 0 .. 20
    c.Register(z);
    std::vector<double> w(n), im(n, 7.0);

    // Gaussian: falls to shape percent at the limits; shape 100 acts as 30.
    z.Windowfunction(1000, w.data(), im.data(), 2, 15.0, 5.0, 10.0);
    EXPECT_NEAR(w[50], 0.10, 1e-12);
    EXPECT_NEAR(w[150], 0.10, 1e-12);
    EXPECT_NEAR(w[100], 1.0, 1e-15);
    EXPECT_EQ(w[49], 0.0);
    EXPECT_EQ(im[0], 7.0);  // mode 1000 leaves im alone
    std::vector<double> w100(n), w30(n);
    z.Windowfunction(1000, w100.data(), nullptr, 2, 15.0, 5.0, 100.0);
    z.Windowfunction(1000, w30.data(), nullptr, 2, 15.0, 5.0, 30.0);
    EXPECT_EQ(w100, w30);

    // Kaiser-Bessel: 1 at the centre, I(0)/I(shape) at the limits.
    z.Windowfunction(1000, w.data(), nullptr, 4, 15.0, 5.0, 3.0);
    EXPECT_NEAR(w[100], 1.0, 1e-15);
    EXPECT_NEAR(w[50], z.Besselfunktion(0.0) / z.Besselfunktion(3.0), 1e-12);
    EXPECT_DOUBLE_EQ(z.Besselfunktion(0.0), 3.720858346);

    // Flat top with sine-square edges: e = 10 * 20 / 100 / 2 = 1.
    z.Windowfunction(1000, w.data(), nullptr, 5, 15.0, 5.0, 20.0);
    EXPECT_NEAR(w[100], 1.0, 1e-15);
    EXPECT_NEAR(w[60], 1.0, 1e-12);       // lower + e
    EXPECT_NEAR(w[50], 0.5, 1e-12);       // lower: half way up the edge
    EXPECT_NEAR(w[40], 0.0, 1e-12);       // lower - e
    EXPECT_NEAR(w[150], 0.5, 1e-12);
    for (int i : {0, 10, 30, 39, 161, 170, 200}) EXPECT_EQ(w[i], 0.0) << i;  // outside the edges

    // Box with Gaussian edges at the ends of the data.
    z.Windowfunction(1000, w.data(), nullptr, 3, 20.0, 0.0, 100.0);
    EXPECT_NEAR(w[100], 1.0, 1e-4);
    EXPECT_NEAR(w[0], 0.5, 1e-4);

    // Multiply, then divide again; zeros of the window are skipped.
    std::vector<double> re(n, 2.0), imv(n, -3.0);
    z.Windowfunction(0, re.data(), imv.data(), 1, 15.0, 5.0, 0.0);
    EXPECT_EQ(re[0], 0.0);
    EXPECT_EQ(re[100], 2.0);
    z.Windowfunction(1, re.data(), imv.data(), 2, 15.0, 5.0, 10.0);
    EXPECT_NEAR(re[50], 2.0 / 0.1, 1e-9);
    EXPECT_EQ(re[0], 0.0);
}

// The Kaiser window's Besselfunktion against its two polynomials written
// out term by term. Up to 3.75 it is I0 (Abramowitz and Stegun 9.8.1, with
// coefficients rounded further) plus the constant 2.720858346; above, the
// coefficients of 9.8.2 with the third and seventh changed, which the
// window's shape is defined by.
TEST(Besselfunktion, BothPolynomialsAgainstTheirFormula)
{
    def_zelva z;
    for (double x : {0.0, 0.5, -1.2, 2.0, 3.0, 3.75, 3.76, 4.0, -5.5, 8.0, 12.0, 20.0, 40.0}) {
        const double a = std::fabs(x);
        double formula;
        if (a <= 3.75) {
            const double t = (a / 3.75) * (a / 3.75);
            formula = 1.0 + 3.515623 * t + 3.089942 * t * t + 1.206749 * std::pow(t, 3) +
                      0.2659732 * std::pow(t, 4) + 0.036068 * std::pow(t, 5) +
                      0.0045813 * std::pow(t, 6) + 2.720858346;
            EXPECT_NEAR(formula - 2.720858346, std::cyl_bessel_i(0.0, a), 2e-6 * std::cyl_bessel_i(0.0, a)) << x;
        } else {
            const double t = 3.75 / a;
            const double c[9] = {0.3989423, 0.01328592, 0.02225319, -0.00157565, 0.00916281,
                                 -0.02057706, 0.12635537, -0.01647633, 0.00392377};
            double sum = 0.0;
            for (int i = 0; i < 9; ++i) sum += c[i] * std::pow(t, i);
            formula = std::exp(a) / std::sqrt(a) * sum;
        }
        EXPECT_NEAR(z.Besselfunktion(x), formula, 1e-14 * formula) << x;
    }
}

// The edges of the Gauss-edged box sit at the ends of the data, not at the
// limits: a point just inside a limit far from the ends keeps weight 1.
TEST(Windowfunction, GaussRectEdgesAtTheEndsOfTheData)
{
    def_zelva z;
    const int n = 201;
    Curve c = Grid(n, 0.0, 0.1);  // 0 .. 20
    c.Register(z);
    std::vector<double> w(n, -1.0);
    ASSERT_EQ(z.GaussRect(20.0, 15.0, 5.0, w.data()), 1);  // edge width 0.2
    EXPECT_EQ(w[49], 0.0);
    EXPECT_NEAR(w[50], 1.0, 1e-12);
    EXPECT_NEAR(w[150], 1.0, 1e-12);
    EXPECT_EQ(w[151], 0.0);
    // Limits at the data ends: half height there, 1 - Q(z) one width inside.
    ASSERT_EQ(z.GaussRect(20.0, 20.0, 0.0, w.data()), 1);
    EXPECT_NEAR(w[0], 0.5, 1e-4);
    EXPECT_NEAR(w[2], 1.0 - 0.158655, 1e-4);
    EXPECT_NEAR(w[198], 1.0 - 0.158655, 1e-4);
}

TEST(Windowfunction, DegenerateShapesAndLimitsGiveNoNaN)
{
    def_zelva z;
    const int n = 101;
    Curve c = Grid(n, 0.0, 0.1);
    c.Register(z);
    struct Case { double upper, lower, shape; };
    for (const Case k : {Case{6.0, 4.0, 0.0}, Case{6.0, 4.0, -5.0}, Case{5.0, 5.0, 20.0},
                         Case{5.0, 5.0, 0.0}, Case{6.0, 4.0, 400.0}}) {
        for (int type = 1; type <= 5; ++type) {
            std::vector<double> w(n, -1.0);
            z.Windowfunction(1000, w.data(), nullptr, type, k.upper, k.lower, k.shape);
            for (int i = 0; i < n; ++i) {
                ASSERT_TRUE(std::isfinite(w[i])) << type << " " << k.upper << " " << k.shape << " " << i;
                EXPECT_GE(w[i], -1e-12);
                EXPECT_LE(w[i], 1.0 + 1e-12);
            }
            EXPECT_EQ(w[0], 0.0) << type;
            EXPECT_EQ(w[100], 0.0) << type;
        }
    }
}

TEST(Smoothing, RemovesNoiseKeepsLineAndStaysInsideTheCurve)
{
    def_zelva z;
    const int n = 1000;  // not a power of two; the arrays hold exactly n points
    std::vector<double> x(n), y(n), clean(n);
    for (int i = 0; i < n; ++i) {
        x[i] = i;
        clean[i] = 3.0 + 0.01 * i + std::sin(2.0 * PI * i / 500.0);
        y[i] = clean[i] + ((i % 2) ? 0.3 : -0.3);
    }
    z.SetField(x.data(), y.data());
    z.SetAnzahl(n, -1, -1);
    EXPECT_EQ(z.Smoothing(10), 0);
    double err = 0.0;
    for (int i = 50; i < n - 50; ++i) err = std::max(err, std::fabs(y[i] - clean[i]));
    EXPECT_LT(err, 0.02);

    // A straight line is what the filter takes out first: it comes back whole.
    for (int i = 0; i < n; ++i) y[i] = 3.0 - 0.5 * i;
    z.Smoothing(25);
    for (int i = 0; i < n; ++i) EXPECT_NEAR(y[i], 3.0 - 0.5 * i, 1e-9);
}

namespace {

std::vector<double> CircularConvolution(const std::vector<double>& y, const std::vector<double>& r)
{
    const std::size_t n = r.size();
    std::vector<double> out(n, 0.0);
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t k = 0; k < n; ++k) out[i] += (k < y.size() ? y[k] : 0.0) * r[(i + n - k) % n];
    return out;
}

// Response of `len` values in wrap-around order: lag 0 .. len/2 first, then
// the negative lags.
double Lag(const std::vector<double>& r, long lag)
{
    const long len = static_cast<long>(r.size());
    if (lag >= 0) return lag <= len / 2 ? r[lag] : 0.0;
    return -lag < len / 2 ? r[len + lag] : 0.0;
}

// out[i] = sum over k of y[k] r(i - k), y zero outside its points.
std::vector<double> LinearConvolution(const std::vector<double>& y, const std::vector<double>& r)
{
    std::vector<double> out(y.size(), 0.0);
    for (std::size_t i = 0; i < y.size(); ++i)
        for (std::size_t k = 0; k < y.size(); ++k)
            out[i] += y[k] * Lag(r, static_cast<long>(i) - static_cast<long>(k));
    return out;
}

std::vector<double> WrappedGaussian(int len, double sigma)
{
    std::vector<double> r(len);
    double sum = 0.0;
    for (int i = 0; i < len; ++i) {
        const double d = i <= len / 2 ? i : i - len;
        r[i] = std::exp(-0.5 * d * d / (sigma * sigma));
        sum += r[i];
    }
    for (double& v : r) v /= sum;
    return r;
}

int PowerOfTwoNotBelow(int n)
{
    int len = 2;
    while (len < n) len *= 2;
    return len;
}

}  // namespace

TEST(Convolution, DeltaResponseIsTheIdentity)
{
    for (int n : {1, 2, 100, 128, 1000}) {
        def_zelva z;
        std::vector<double> x(n), y = RandomValues(n, n);
        const std::vector<double> original = y;
        const int len = PowerOfTwoNotBelow(n);
        std::vector<double> response(len, 0.0);
        response[0] = 1.0;
        z.SetField(x.data(), y.data());
        z.SetAnzahl(n, -1, -1);
        EXPECT_EQ(z.Convolution(response.data(), 1), len);
        for (int i = 0; i < n; ++i) EXPECT_NEAR(y[i], original[i], 1e-13) << n;
    }
}

// An edge from 0 to 1 blurred by a Gaussian of 4 points: the curve's end
// must not wrap into its start, whether n is a power of two or not.
TEST(Convolution, EdgeIsTheLinearConvolutionForEveryLength)
{
    for (int n : {1, 2, 3, 100, 1000, 1024, 1025}) {
        def_zelva z;
        std::vector<double> x(n), y(n);
        for (int i = 0; i < n; ++i) y[i] = 0.5 + std::atan(0.05 * (i - 0.5 * n)) / PI;
        const std::vector<double> original = y;
        const int len = PowerOfTwoNotBelow(n);
        const std::vector<double> response = WrappedGaussian(len, 4.0);
        std::vector<double> responseCopy = response;
        z.SetField(x.data(), y.data());
        z.SetAnzahl(n, -1, -1);
        ASSERT_EQ(z.Convolution(responseCopy.data(), 1), len);
        EXPECT_EQ(responseCopy, response);  // read only
        const auto expected = LinearConvolution(original, response);
        for (int i = 0; i < n; ++i) ASSERT_NEAR(y[i], expected[i], 1e-12) << n << " " << i;
        if (n >= 100) {
            // The start sees only the half of the Gaussian inside the curve.
            EXPECT_LT(y[0], 0.6 * original[0]) << n;
        }
    }
}

TEST(Convolution, DeconvolutionUndoesTheBlur)
{
    // A peak well inside the curve, blurred by a Gaussian: its linear
    // convolution stays inside the curve, and deconvolution gives it back.
    for (int n : {128, 200}) {
        def_zelva z;
        std::vector<double> x(n), peak(n);
        for (int i = 0; i < n; ++i) peak[i] = std::exp(-0.5 * (i - 0.4 * n) * (i - 0.4 * n) / 9.0) * (1.0 + 0.3 * std::sin(0.7 * i));
        const std::vector<double> kernel = WrappedGaussian(PowerOfTwoNotBelow(n), 1.5);
        std::vector<double> y = LinearConvolution(peak, kernel);
        std::vector<double> response = kernel;
        z.SetField(x.data(), y.data());
        z.SetAnzahl(n, -1, -1);
        ASSERT_EQ(z.Convolution(response.data(), -1), PowerOfTwoNotBelow(n));
        for (int i = 0; i < n; ++i) EXPECT_NEAR(y[i], peak[i], 1e-7) << n << " " << i;
    }
}

TEST(Convolution, GaussianWidthsAddInQuadrature)
{
    const int n = 512;
    const double s1 = 6.0, s2 = 8.0;
    def_zelva z;
    std::vector<double> x(n), y(n);
    for (int i = 0; i < n; ++i) y[i] = std::exp(-0.5 * (i - 256.0) * (i - 256.0) / (s1 * s1));
    std::vector<double> response = WrappedGaussian(n, s2);
    z.SetField(x.data(), y.data());
    z.SetAnzahl(n, -1, -1);
    z.Convolution(response.data(), 1);
    double m0 = 0.0, m1 = 0.0, m2 = 0.0;
    for (int i = 0; i < n; ++i) {
        m0 += y[i];
        m1 += y[i] * i;
    }
    const double mean = m1 / m0;
    for (int i = 0; i < n; ++i) m2 += y[i] * (i - mean) * (i - mean);
    EXPECT_NEAR(mean, 256.0, 1e-9);
    EXPECT_NEAR(std::sqrt(m2 / m0), std::hypot(s1, s2), 1e-6);
}

TEST(Convolution, DeconvolutionLeavesOutFrequenciesTheResponseLacks)
{
    // A two-point average has no Nyquist component over the padded length
    // 2L: that frequency cannot be restored and must not turn into NaN.
    // The blurred signal s (zero in its last point) then comes back less
    // its Nyquist component over 2L.
    const int n = 64, full = 128;
    def_zelva z;
    std::vector<double> x(n), s = RandomValues(n, 9);
    s[n - 1] = 0.0;
    std::vector<double> y(n);
    for (int i = 0; i < n; ++i) y[i] = 0.5 * s[i] + (i > 0 ? 0.5 * s[i - 1] : 0.0);
    std::vector<double> response(n, 0.0);
    response[0] = response[1] = 0.5;
    z.SetField(x.data(), y.data());
    z.SetAnzahl(n, -1, -1);
    z.Convolution(response.data(), 0);
    double nyquist = 0.0;
    for (int j = 0; j < n; ++j) nyquist += s[j] * ((j % 2) ? -1.0 : 1.0);
    nyquist /= full;
    for (int i = 0; i < n; ++i) {
        ASSERT_TRUE(std::isfinite(y[i]));
        EXPECT_NEAR(y[i], s[i] - nyquist * ((i % 2) ? -1.0 : 1.0), 1e-12) << i;
    }
}

TEST(StokesCorrection, RestoresTheSampleProfile)
{
    const int n = 64;
    def_zelva z;
    std::vector<double> x(n), f(n), inst(n);
    for (int i = 0; i < n; ++i) {
        x[i] = 20.0 + 0.02 * i;
        f[i] = std::exp(-0.5 * (i - 20.0) * (i - 20.0) / 9.0);
        inst[i] = std::exp(-0.5 * (i - 32.0) * (i - 32.0) / 4.0);
    }
    std::vector<double> y = CircularConvolution(f, inst);
    z.SetField(x.data(), y.data());
    z.SetAnzahl(n, -1, -1);
    std::vector<double> xo(n), fo(n);
    EXPECT_EQ(z.StokesCorrection(0, nullptr, inst.data(), xo.data(), fo.data()), 1.0);
    EXPECT_EQ(xo, x);
    // f comes back with its halves swapped and scaled to maximum 1.
    double fmax = *std::max_element(f.begin(), f.end());
    for (int i = 0; i < n; ++i) EXPECT_NEAR(fo[(i + n / 2) % n], f[i] / fmax, 1e-8) << i;

    // An instrument without a Nyquist component: no NaN.
    std::fill(inst.begin(), inst.end(), 0.0);
    inst[0] = inst[1] = 0.5;
    z.StokesCorrection(0, nullptr, inst.data(), xo.data(), fo.data());
    for (int i = 0; i < n; ++i) EXPECT_TRUE(std::isfinite(fo[i]));
}

// The deconvolution by the direct sums, O(n^2): the oracle of the fast one.
std::vector<double> StokesDirekt(const std::vector<double>& y, const std::vector<double>& inst)
{
    const int n = static_cast<int>(y.size());
    std::vector<long double> c(n), sn(n);
    for (int k = 0; k < n; ++k) {
        const long double w = 2.0L * 3.14159265358979323846264338L * k / n;
        c[k] = std::cos(w);
        sn[k] = std::sin(w);
    }
    std::vector<long double> fr(n, 0.0L), fi(n, 0.0L);
    std::vector<double> out(n, 0.0);
    for (int j = 0; j < n; ++j) {
        long double gc = 0, gs = 0, hc = 0, hs = 0;
        for (int k = 0, a = 0; k < n; ++k, a = (a + j) % n) {
            gc += y[k] * c[a]; gs += y[k] * sn[a];
            hc += inst[k] * c[a]; hs += inst[k] * sn[a];
        }
        const long double h2 = hc * hc + hs * hs;
        fr[j] = (gc * hc + gs * hs) / h2;
        fi[j] = (gs * hc - gc * hs) / h2;
    }
    for (int i = 0; i < n; ++i) {
        long double s = 0;
        for (int j = 0, a = 0; j < n; ++j, a = (a + i) % n) s += fr[j] * c[a] + fi[j] * sn[a];
        out[i] = static_cast<double>(s / n);
    }
    for (int i = 0; i < n / 2; ++i) std::swap(out[i], out[i + n / 2]);
    const double m = *std::max_element(out.begin(), out.end());
    for (double& v : out) v /= m;
    return out;
}

TEST(StokesCorrection, FastPathEqualsTheDirectSumsForAnyLength)
{
    for (int n : {1000, 1001, 4096}) {
        std::vector<double> x(n), y(n), inst(n);
        for (int i = 0; i < n; ++i) {
            x[i] = 10.0 + 0.01 * i;
            // A line with a shoulder and a little structure, and an
            // instrument whose spectrum has no zero (a decaying exponential).
            y[i] = std::exp(-0.5 * std::pow((i - 0.4 * n) / 6.0, 2)) +
                   0.3 * std::exp(-0.5 * std::pow((i - 0.42 * n) / 3.0, 2)) + 0.01 * std::sin(0.37 * i);
            inst[i] = std::exp(-i / 2.5);
        }
        def_zelva z;
        z.SetField(x.data(), y.data());
        z.SetAnzahl(n, -1, -1);
        std::vector<double> xo(n), fo(n);
        z.StokesCorrection(0, nullptr, inst.data(), xo.data(), fo.data());
        const std::vector<double> ref = StokesDirekt(y, inst);
        double groesste = 0.0;
        for (double v : ref) groesste = std::max(groesste, std::fabs(v));
        for (int i = 0; i < n; ++i) ASSERT_NEAR(fo[i], ref[i], 1e-10 * groesste) << "n = " << n << ", i = " << i;
    }
}

TEST(DoCommonFFT, CopperFoilFirstShell)
{
    // Measured chi(k) of Cu foil, k^2 weighted, Kaiser-Bessel window from 3 to
    // 14 inverse Angstrom. The first shell (12 Cu at 2.55 Angstrom) shows
    // without phase correction near 2.2 Angstrom, 0.2 to 0.5 Angstrom below
    // the distance; nothing else comes close to its height below 4 Angstrom.
    FILE* f = std::fopen(KORLAN_TEST_DIR "/numerics/fourier_data/Copper.chik", "r");
    ASSERT_NE(f, nullptr);
    const int n = 1024;
    const double dk = 0.05;
    Curve c = Grid(n, 0.0, dk);
    char line[512];
    int rows = 0;
    while (std::fgets(line, sizeof line, f)) {
        double k, chi, chik, chik2;
        if (line[0] == '#' || std::sscanf(line, "%lf %lf %lf %lf", &k, &chi, &chik, &chik2) != 4) continue;
        const int i = static_cast<int>(std::lround(k / dk));
        ASSERT_LT(i, n);
        EXPECT_NEAR(c.x[i], k, 1e-9);
        c.y[i] = chik2;
        ++rows;
    }
    std::fclose(f);
    ASSERT_EQ(rows, 501);
    def_zelva z;
    c.Register(z);
    FTWINDOW w{4, 14.0, 3.0, 4.0, 0.0};
    const double step = PI / (dk * n);
    ASSERT_EQ(z.DoCommonFFT(c.imag.data(), -1, &w, nullptr, 0.0, step), n / 2);
    int best = 0;
    for (int i = 0; c.x[i] < 4.0; ++i)
        if (std::hypot(c.y[i], c.imag[i]) > std::hypot(c.y[best], c.imag[best])) best = i;
    EXPECT_GT(c.x[best], 2.55 - 0.5);
    EXPECT_LT(c.x[best], 2.55 - 0.2);
    // The magnitude falls off towards R = 0: the background is gone.
    EXPECT_LT(std::hypot(c.y[1], c.imag[1]), 0.2 * std::hypot(c.y[best], c.imag[best]));
}
