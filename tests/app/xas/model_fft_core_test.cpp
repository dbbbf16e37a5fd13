// The model kinds over the whole curve: derivatives against their closed
// forms, the R-space model against a direct discrete Fourier sum, the
// spline background and its R-space form.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

#include "exafs_fft_fixture.h"

namespace {

const double PI = 3.14159265358979323846;
const double GAUSS = 2.772589;

// Direct sum (1/N) sum_i v_i exp(-2 pi i ij/N) of N values.
std::vector<std::complex<double>> Dft(const std::vector<double>& v)
{
    const int n = static_cast<int>(v.size());
    std::vector<std::complex<double>> f(n / 2);
    for (int j = 0; j < n / 2; ++j) {
        std::complex<double> s = 0.0;
        for (int i = 0; i < n; ++i) s += v[i] * std::polar(1.0, -2.0 * PI * i * j / n);
        f[j] = s / static_cast<double>(n);
    }
    return f;
}

class ModelFft : public ExafsFftFixture {
protected:
    std::vector<double> kd, chi, transform;

    void SetUp() override
    {
        ExafsFftFixture::SetUp();
        Umfeld() = &u;
    }
    void TearDown() override
    {
        ExafsFftLeser = nullptr;
        ModelFixture::TearDown();
    }
    static EXAFS_FFT_UMFELD*& Umfeld()
    {
        static EXAFS_FFT_UMFELD* p = nullptr;
        return p;
    }
    static bool Leser(EXAFS_FFT_UMFELD* ziel)
    {
        *ziel = *Umfeld();
        return true;
    }

    double Dk() const { return PI / (u.RSchritt * (u.KPunkte - 1)); }
    // chi(k) of the data on the transform grid from the window's lower k.
    void Daten(int m)
    {
        kd.resize(m);
        chi.resize(m);
        for (int i = 0; i < m; ++i) {
            kd[i] = fenster.lower + i * Dk();
            chi[i] = 0.3 * std::sin(2.0 * 2.5 * kd[i]);
        }
        u.DatenK = kd.data();
        u.DatenChi = chi.data();
        u.DatenPunkte = m;
    }
    // The reference transform of model values on kd: placed on the grid,
    // the last value repeated, cut at the upper k limit, box window.
    std::vector<std::complex<double>> Referenz(const std::vector<double>& modell)
    {
        const int nk = u.KPunkte;
        std::vector<double> v(nk, 0.0);
        const int m = static_cast<int>(modell.size());
        for (int i = 0; i < m; ++i) v[i] = modell[i];
        v[m] = modell[m - 1];
        for (int i = 0; i < nk; ++i) {
            const double k = fenster.lower + i * Dk();
            if (k >= fenster.upper) v[i] = 0.0;
            if (k < fenster.lower || k > fenster.upper * (1.0 + 1e-4)) v[i] = 0.0;
        }
        return Dft(v);
    }
    double R(int j) const { return j * PI / (Dk() * u.KPunkte); }
};

TEST_F(ModelFft, DerivativeKindsAgainstTheirClosedForms)
{
    Model({1}, {2.0, 0.3, 1.2});
    const double c = GAUSS / (1.2 * 1.2);
    std::vector<double> x;
    for (int i = 0; i < 41; ++i) x.push_back(-2.0 + 0.1 * i);
    ExafsFftLeser = Leser;
    FitModellArt = 1;
    const std::vector<double> d1 = Array(x);
    FitModellArt = 2;
    const std::vector<double> d2 = Array(x);
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double t = x[i] - 0.3;
        const double g = 2.0 * std::exp(-c * t * t);
        EXPECT_NEAR(d1[i], -2.0 * c * t * g, 1e-6) << x[i];
        EXPECT_NEAR(d2[i], (4.0 * c * c * t * t - 2.0 * c) * g, 1e-6) << x[i];
    }
    EXPECT_EQ(FitModellArt, 2);
}

TEST_F(ModelFft, OtherKindsLeaveTheArray)
{
    Model({1}, {2.0, 0.3, 1.2});
    std::vector<double> x = {0.0, 1.0}, y = {-7.0, -8.0};
    for (int art : {0, 5, 6, 10, 106}) {
        FitModellArt = art;
        EXPECT_EQ(ModellFeldFFTIn(u, 2, x.data(), y.data()), 1);
        EXPECT_EQ(y[0], -7.0);
        EXPECT_EQ(y[1], -8.0);
    }
}

// Kind 3: a cosine model in k; the magnitude over the section [0.5, 6]
// against the direct sum, zero from the upper border on; from a fit also
// the real parts; the report's arrays.
TEST_F(ModelFft, RSpaceModelAgainstTheDirectSum)
{
    Model({10}, {0.4, 4.6, 0.3});
    Daten(110);  // reaches beyond the upper k limit 14: cut there
    u.SektionUnten = 0.5;
    u.SektionOben = 6.0;
    std::vector<double> modell(kd.size());
    for (std::size_t i = 0; i < kd.size(); ++i) modell[i] = 0.4 * std::cos(4.6 * kd[i] + 0.3);
    const auto f = Referenz(modell);
    int c = 0;
    while (R(c) < 0.5) ++c;
    int c1 = 0;
    while (R(c + c1) <= 6.0) ++c1;
    const int n = c1 + 6;
    std::vector<double> x(n, 1.0);

    for (int art : {3, 103}) {
        FitModellArt = art;
        std::vector<double> y(4 * n, -5.0);
        ModellFeldFFTIn(u, n, x.data(), y.data());
        for (int i = 0; i < c1; ++i) EXPECT_NEAR(y[i], std::abs(f[c + i]), 1e-10) << i;
        for (int i = c1; i < n; ++i) EXPECT_EQ(y[i], 0.0) << i;
        for (int k = 0; k < n; ++k) {
            if (art == 3) EXPECT_EQ(y[n + k], -5.0);
            else EXPECT_NEAR(y[n + k], k < c1 ? f[c + k].real() : 0.0, 1e-10) << k;
        }
        EXPECT_EQ(y[2 * n], -5.0);  // no extra power: nothing beyond 2n
        EXPECT_NEAR(std::fabs(bericht[8][3]), std::fabs(f[c + 3].imag()), 1e-10);
    }
    EXPECT_EQ(bericht[0][BERICHT_ANZAHL_INDEX], 110.0);
    EXPECT_NEAR(bericht[3][17], chi[17] - modell[17], 1e-14);

    // The extra power: scaled magnitudes and real parts behind them; the
    // fit's k weight comes back.
    u.ExtraPotenzFit = 3;
    u.Skalierung = 2.5;
    kGewicht = 1.0;
    FitModellArt = 103;
    std::vector<double> y(4 * n, -5.0);
    ModellFeldFFTIn(u, n, x.data(), y.data());
    EXPECT_EQ(kGewicht, 1.0);
    for (int k = 0; k < c1; ++k) {
        EXPECT_NEAR(y[2 * n + k], 2.5 * std::abs(f[c + k]), 1e-10);
        EXPECT_NEAR(y[3 * n + k], 2.5 * f[c + k].real(), 1e-10);
    }
    EXPECT_EQ(bericht[4][BERICHT_ANZAHL_INDEX], c1);
    EXPECT_NEAR(bericht[6][2], std::abs(f[c + 2]), 1e-10);
}

// Data on a grid of their own (from k = 0.5, step 0.05): the model is
// taken on the transform grid from the window's lower k limit instead of
// being shifted onto it point by point.
TEST_F(ModelFft, RSpaceModelOfDataOnAnotherGrid)
{
    Model({10}, {0.4, 4.6, 0.3});
    kd.clear();
    chi.clear();
    for (int i = 0; i < 300; ++i) kd.push_back(0.5 + 0.05 * i), chi.push_back(0.0);
    u.DatenK = kd.data();
    u.DatenChi = chi.data();
    u.DatenPunkte = 300;
    u.SektionUnten = 0.0;
    u.SektionOben = 5.0;
    std::vector<double> modell;
    for (double k = fenster.lower; k <= kd.back(); k += Dk()) modell.push_back(0.4 * std::cos(4.6 * k + 0.3));
    const auto f = Referenz(modell);
    const int n = 60;
    std::vector<double> x(n, 1.0), y(4 * n, -5.0);
    FitModellArt = 3;
    ModellFeldFFTIn(u, n, x.data(), y.data());
    for (int i = 0; i < n && R(i) <= 5.0; ++i) EXPECT_NEAR(y[i], std::abs(f[i]), 1e-10) << i;
}

// Kind 4, spline on x: the knots are a straight line, which the natural
// spline reproduces; a relative spline (type 53 before the EXAFS part)
// gives (1 + m) s once, through the model callback too.
TEST_F(ModelFft, SplineBackgroundAppliesTheOscillationOnce)
{
    const int k = 5;
    SplineKnotCount = k;
    FitPolyDegree = k;
    Model({53, 1}, {});
    for (int j = 0; j < k; ++j) {
        block[SPLINE_KNOT_INDEX + j] = 1.0 + 2.0 * j;
        block[j] = 3.0 + 0.5 * block[SPLINE_KNOT_INDEX + j];
    }
    block[k] = 0.2;      // Gaussian height
    block[k + 1] = 4.0;  // position
    block[k + 2] = 2.0;  // width
    u.UntergrundModus = 0;
    ExafsFftLeser = Leser;
    FitModellArt = 4;
    std::vector<double> x;
    for (int i = 0; i < 30; ++i) x.push_back(1.0 + 0.25 * i);
    const std::vector<double> y = Array(x);
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double s = 3.0 + 0.5 * x[i];
        const double m = 0.2 * std::exp(-GAUSS * std::pow((x[i] - 4.0) / 2.0, 2));
        EXPECT_NEAR(y[i], (1.0 + m) * s, 1e-12) << x[i];
    }
    for (int j = 0; j < k; ++j) EXPECT_EQ(block[650 + j], block[j]);

    // The spline alone without the oscillation part.
    FitFunctionCount = 1;
    const std::vector<double> s = Array(x);
    EXPECT_NEAR(s[7], 3.0 + 0.5 * x[7], 1e-12);
}

// Kind 4 in R space: |FT| of (mu - s) / s k^p over 0-8 A against the direct
// sum; the window takes the curve's k range.
TEST_F(ModelFft, SplineBackgroundInRSpace)
{
    const int k = 4;
    FitPolyDegree = k;
    SplineKnotCount = k;
    Model({53}, {});
    const int me = 200;
    std::vector<double> mx(me), my(me), chiK(me);
    for (int i = 0; i < me; ++i) {
        mx[i] = 2.0 + i * Dk();
        const double s = 2.0 - 0.05 * mx[i];
        chiK[i] = 0.05 * std::sin(2.0 * 2.4 * mx[i]);
        my[i] = s * (1.0 + chiK[i]);
    }
    for (int j = 0; j < k; ++j) {
        block[SPLINE_KNOT_INDEX + j] = mx[0] + j * (mx[me - 1] - mx[0]) / (k - 1);
        block[j] = 2.0 - 0.05 * block[SPLINE_KNOT_INDEX + j];
    }
    u.UntergrundModus = 1;
    u.MessX = mx.data();
    u.MessY = my.data();
    u.MessPunkte = me;
    u.KPotenz = 2.0;
    fenster = FTWINDOW{1, 30.0, 0.0, 0.0, 0.0};
    FitModellArt = 104;
    std::vector<double> x(400, 0.0), y(400, -3.0);
    ModellFeldFFTIn(u, 400, x.data(), y.data());
    EXPECT_EQ(fenster.lower, mx[0]);
    EXPECT_EQ(fenster.upper, mx[me - 1]);

    std::vector<double> v(u.KPunkte, 0.0);
    for (int i = 0; i < me - 1; ++i) v[i] = chiK[i] * mx[i] * mx[i];
    const auto f = Dft(v);
    int c4 = 0;
    while (R(c4) <= 8.0) ++c4;
    ASSERT_LT(c4, 400);
    for (int i = 0; i < c4; ++i) EXPECT_NEAR(y[i], std::abs(f[i]), 1e-9) << i;
    EXPECT_EQ(y[c4], -3.0);
    // The peak of the oscillation lies at R = 2.4.
    int best = 0;
    for (int i = 0; i < c4; ++i)
        if (y[i] > y[best]) best = i;
    EXPECT_NEAR(R(best), 2.4, 0.1);
}

}  // namespace
