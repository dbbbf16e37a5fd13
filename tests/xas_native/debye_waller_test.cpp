// Einstein and correlated Debye models of the Debye-Waller factor.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "xas/debye_waller.h"
#include "xas/feff_path.h"
#include "xas_test_support.h"
#include "zelva.h"

namespace {

// A single-scattering record of two atoms of mass m at distance r.
FeffPfad Paar(double m, double r, double rs)
{
    FeffPfad p{};
    p.Beine = 2;
    p.Rnrmav = rs;
    p.AtomGewichte[0] = p.AtomGewichte[1] = p.AtomGewichte[2] = m;
    p.AtomX[0] = r;  // scatterer; the absorber at the origin in slots 1 and 2
    return p;
}

class DebyeWallerFeff : public ::testing::Test {
protected:
    def_zelva numerik;
    void TearDown() override { FeffPfadeLeeren(); }
    // Loads FEFF 8.50L path `pfad` into record i + 1.
    void Lade(int32_t i, int32_t pfad)
    {
        FeffUmgebung u;
        u.McMaster = McMasterTabelle();
        u.Numerik = &numerik;
        FeffPfad& s = FeffPfade[i + 1];
        s.Pfadnummer = pfad;
        std::snprintf(s.FilesDatPfad, sizeof s.FilesDatPfad, "%s", (Feff85Ordner() + "files.dat").c_str());
        ASSERT_EQ(LadeFeffPfad(1, &s, 0, nullptr, u), 59);
    }
};

}  // namespace

TEST(DebyeWaller, EinsteinModel)
{
    FeffPfad p{};
    p.ReduzierteMasse = 1e-26;
    EXPECT_NEAR(EinsteinSigma2(p, 300.0, 300.0), 0.029052, 1e-6);
    // High temperature: the T = 0 value times coth(x) = 1/x + x/3 - x^3/45
    // with x = thetaE / 2T.
    const double null = EinsteinSigma2(p, 0.0, 300.0);
    const double x = 300.0 / 6e5;
    EXPECT_NEAR(EinsteinSigma2(p, 3e5, 300.0), null * (1 / x + x / 3 - x * x * x / 45), 1e-12 * null / x);
    EXPECT_EQ(EinsteinSigma2(p, 1e-3, 300.0), null);
}

TEST(DebyeWaller, CorrelatedDebyePairOfCopperAtoms)
{
    const FeffPfad p = Paar(63.546, 2.5527, 2.66);
    const struct {
        double t, sigma2;
    } faelle[] = {{0.0, 0.003135}, {80.0, 0.003630}, {300.0, 0.008957}, {500.0, 0.014491}};
    for (const auto& f : faelle) EXPECT_NEAR(CorrDebyeSigma2(p, f.t, 315.0), f.sigma2, 1e-6) << f.t;

    // Two legs: G(A0, A0) + G(A1, A1) - 2 G(A0, A1).
    const double g00 = CorrDebyePair(0.0, 315.0, 300.0, 63.546, 63.546, 2.66);
    const double g01 = CorrDebyePair(2.5527, 315.0, 300.0, 63.546, 63.546, 2.66);
    EXPECT_NEAR(CorrDebyeSigma2(p, 300.0, 315.0), 2 * g00 - 2 * g01, 1e-15);
}

TEST(DebyeWaller, IntegrandAndIntegral)
{
    for (double b : {0.0, 1.0, 25.0}) EXPECT_EQ(CorrDebyeIntegrand(0.0, 0.7, b), 1.4) << b;
    // t coth(z / 2a): b = 0 is the self term t = z; T = 0 gives coth = 1.
    EXPECT_NEAR(CorrDebyeIntegrand(0.5, 0.25, 0.0), 0.5 / std::tanh(1.0), 1e-15);
    EXPECT_NEAR(CorrDebyeIntegrand(0.5, 0.25, 2.0), std::sin(1.0) / 2.0 / std::tanh(1.0), 1e-15);
    EXPECT_EQ(CorrDebyeIntegrand(0.5, 0.0, 2.0), std::sin(1.0) / 2.0);
    EXPECT_TRUE(std::isfinite(CorrDebyeIntegrand(1e-19, 1.0, 0.0)));
    // Simpson is exact for z at T = 0, b = 0: the integral of z is 1/2.
    EXPECT_NEAR(CorrDebyeIntegral(0.0, 0.0), 0.5, 1e-15);
    // And close for sin(z b) / b: (1 - cos b) / b^2.
    EXPECT_NEAR(CorrDebyeIntegral(3.0, 0.0), (1 - std::cos(3.0)) / 9.0, 1e-7);
}

TEST_F(DebyeWallerFeff, ModelsOnLoadedPaths)
{
    Lade(0, 1);
    Lade(2, 3);
    EXPECT_NEAR(EinsteinSigma2(300.0, 232.0, 0), 0.008930, 1e-6);
    EXPECT_NEAR(CorrDebyeSigma2(300.0, 315.0, 0), 0.0090495, 1e-6);
    EXPECT_NEAR(CorrDebyeSigma2(300.0, 315.0, 2), 0.0101807, 1e-6);
    EXPECT_NEAR(AtomAbstand(0, 1, 0), 2.55266, 5e-6);
    EXPECT_NEAR(AtomAbstand(0, 1, 2), 2.55266, 5e-6);
    EXPECT_EQ(AtomAbstand(2, 3, 2), 0.0);  // the absorber, repeated
    // The functions only read the record.
    const double reff = FeffPfade[3].Reff;
    CorrDebyeSigma2(300.0, 315.0, 2);
    EXPECT_EQ(FeffPfade[3].Reff, reff);
}

TEST(DebyeWaller, DegenerateInputGivesFiniteValues)
{
    const FeffPfad gut = Paar(63.546, 2.5527, 2.66);
    FeffPfad ohneMasse = gut;
    ohneMasse.AtomGewichte[1] = 0.0;
    FeffPfad ohneRadius = gut;
    ohneRadius.Rnrmav = 0.0;
    FeffPfad nullBein = gut;  // three legs, two atoms at the same place
    nullBein.Beine = 3;
    nullBein.AtomX[1] = gut.AtomX[0];
    nullBein.AtomGewichte[3] = gut.AtomGewichte[0];
    FeffPfad zehnBeine = gut;
    zehnBeine.Beine = 10;
    FeffPfad einstein{};
    einstein.ReduzierteMasse = 5.2756e-26;
    const double inf = std::numeric_limits<double>::infinity(), nan = std::nan("");

    const struct {
        const char* fall;
        double wert, erwartet;
    } nullen[] = {
        {"Einstein thetaE 0", EinsteinSigma2(einstein, 300.0, 0.0), 0.0},
        {"Einstein thetaE < 0", EinsteinSigma2(einstein, 300.0, -5.0), 0.0},
        {"Einstein without mass", EinsteinSigma2(FeffPfad{}, 300.0, 300.0), 0.0},
        {"Einstein T infinite", EinsteinSigma2(einstein, inf, 300.0), 0.0},
        {"Debye thetaD 0", CorrDebyeSigma2(gut, 300.0, 0.0), 0.0},
        {"Debye thetaD NaN", CorrDebyeSigma2(gut, 300.0, nan), 0.0},
        {"Debye without mass", CorrDebyeSigma2(ohneMasse, 300.0, 315.0), 0.0},
        {"Debye without Norman radius", CorrDebyeSigma2(ohneRadius, 300.0, 315.0), 0.0},
        {"Debye ten legs", CorrDebyeSigma2(zehnBeine, 300.0, 315.0), 0.0},
        {"pair rs 0", CorrDebyePair(2.5, 315.0, 300.0, 63.5, 63.5, 0.0), 0.0},
        {"path index -1", CorrDebyeSigma2(300.0, 315.0, -1), 0.0},
        {"path index 100", EinsteinSigma2(300.0, 315.0, 100), 0.0},
        {"slot 10", AtomAbstand(gut, 0, 10), 0.0},
    };
    for (const auto& f : nullen) EXPECT_EQ(f.wert, f.erwartet) << f.fall;

    // T <= 0 is the zero-point limit (coth = 1) in both models.
    EXPECT_EQ(EinsteinSigma2(einstein, -10.0, 232.0), EinsteinSigma2(einstein, 0.0, 232.0));
    EXPECT_GT(EinsteinSigma2(einstein, 0.0, 232.0), 0.0);
    EXPECT_EQ(CorrDebyeSigma2(gut, -10.0, 315.0), CorrDebyeSigma2(gut, 0.0, 315.0));
    // The zero-length leg adds nothing: the path is the pair.
    const double s = CorrDebyeSigma2(nullBein, 300.0, 315.0);
    EXPECT_TRUE(std::isfinite(s));
    EXPECT_NEAR(s, CorrDebyeSigma2(gut, 300.0, 315.0), 1e-15);
}
