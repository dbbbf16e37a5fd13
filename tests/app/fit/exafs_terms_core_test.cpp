// The X-ray absorption terms of the evaluator against their closed forms:
// shells with tabulated phases and amplitudes, FEFF paths on synthetic
// tables and on a real FEFF 8.50L path, the resets of runaway parameters,
// the multiple-scattering rules and the LC-XANES reference shift.
#include <gtest/gtest.h>

#include <gsl/gsl_interp.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "model_fixture.h"
#include "fit/fit_statistics.h"
#include "fit/xafs_table.h"
#include "xas/debye_waller.h"
#include "xas/feff_path.h"
#include "app/xas/xas_test_support.h"

namespace {

const double E0 = 0.262451;

// Agreement to 1e-12 of the larger magnitude (the cumulant terms grow fast).
void Nah(double a, double b) { EXPECT_NEAR(a, b, 1e-12 * std::max(1.0, std::fabs(b))); }

std::vector<double> Grid(double from, double step, int n)
{
    std::vector<double> x;
    for (int i = 0; i < n; ++i) x.push_back(from + step * i);
    return x;
}

}  // namespace

class Exafs : public ModelFixture {
protected:
    std::vector<double> k = Grid(0.0, 0.05, 401);  // 0 .. 20
    std::vector<double> phase, amp;

    void SetUp() override
    {
        ModelFixture::SetUp();
        ModellKGewicht = 0.0;
        S0Quadrat = 1.0;
        KantenVorzeichen = -1.0;
        DebyeWallerModell = 0;
        MessTemperatur = 300.0;
        MsSigmaRegel = 654;
        env.KurvenFlags = 0x10;
    }
    void TearDown() override
    {
        for (int i = 0; i < SHELL_TABLES; ++i) PhasenTabellen[i] = AmplitudenTabellen[i] = nullptr;
        ShellTabellenPunkte = 0;
        FeffPfadeLeeren();
        DwPolynomAktiv = 0;
        DwPolynomGrad = 2;
        std::fill(DwPolynomKoeffizienten.begin(), DwPolynomKoeffizienten.end(), 0.0);
        ModelFixture::TearDown();
    }
    void Tabellen(double a, double ph)
    {
        phase.assign(k.size(), ph);
        amp.assign(k.size(), a);
        for (int i = 0; i < SHELL_TABLES; ++i) {
            PhasenTabellen[i] = phase.data();
            AmplitudenTabellen[i] = amp.data();
        }
        ShellTabellenPunkte = static_cast<int32_t>(k.size());
    }
    // A path record with |F| = 1, phase 0, lambda and p = k on the grid k.
    FeffPfad& Pfad(int r, double reff, double lambda, int beine = 2)
    {
        FeffPfad& s = FeffPfade[r];
        FeffPfadFreigeben(&s);
        s.Reff = reff;
        s.Beine = beine;
        s.SatzNummer = 1;
        s.Entartung = 12.0;
        s.ReduzierteMasse = 5.2756e-26;
        const int n = static_cast<int>(k.size());
        for (int t = 0; t < FEFF_TABELLEN; ++t) {
            s.Pfadtabellen[t] = new double[n]();
            s.TabellenSpeicher[t] = n;
        }
        for (int i = 0; i < n; ++i) {
            s.Pfadtabellen[FEFF_AMPLITUDE][i] = 1.0;
            s.Pfadtabellen[FEFF_WEGLAENGE][i] = lambda;
            s.Pfadtabellen[FEFF_REAL_P][i] = k[i];
        }
        FeffKGitter = k.data();
        FeffKPunkte = n;
        return s;
    }
};

TEST_F(Exafs, ShellWithUnitAmplitudeAndZeroPhase)
{
    Tabellen(1.0, 0.0);
    for (double w : {0.0, 1.0, 2.0, 3.0})
        for (double de : {0.0, 12.0}) {
            ModellKGewicht = w;
            KantenVorzeichen = de == 0.0 ? -1.0 : 1.0;
            Model({15}, {8.0, 2.2, 0.006, de});
            const std::vector<double> ys = Array(k);
            for (size_t j = 1; j < k.size(); j += 7) {
                const double k2 = k[j] * k[j] - E0 * de;
                const double erwartet =
                    k2 < 0.0 ? 0.0
                             : 8.0 * std::pow(k[j], w - 1.0) * std::sin(2.0 * 2.2 * std::sqrt(k2)) *
                                   std::exp(-2.0 * 0.006 * k2) * KantenVorzeichen *
                                   std::exp(-2.0 * 2.2 / 1e5) / (2.2 * 2.2);
                ASSERT_NEAR(ys[j], erwartet, 1e-13) << w << " " << de << " " << k[j];
            }
        }
}

TEST_F(Exafs, ShellCumulantsAndTables)
{
    Tabellen(0.8, 0.3);
    ModellKGewicht = 1.0;
    const double c3 = 0.002, c4 = 0.004;
    Model({15, 16, 17, 18}, {8.0, 2.2, 0.006, 0.0, 8.0, 2.2, 0.006, 0.0, c3, 8.0, 2.2, 0.006, 0.0, c4,
                             8.0, 2.2, 0.006, 0.0, c3, c4});
    std::vector<double> einzeln[4];
    for (int f = 1; f <= 4; ++f) {
        SetFunktionFlag(f, 1);
        einzeln[f - 1] = Array(k);
        SetFunktionFlag(0, 0);
    }
    for (size_t j = 20; j < k.size(); j += 9) {
        const double kk = k[j];
        const double basis = 0.8 * std::exp(-2.0 * 0.006 * kk * kk) * -1.0 * std::exp(-4.4 / 1e5) / (2.2 * 2.2) * 8.0;
        EXPECT_NEAR(einzeln[0][j], basis * std::sin(4.4 * kk + 0.3), 1e-13);
        EXPECT_NEAR(einzeln[1][j], basis * std::sin(4.4 * kk + 0.3 - 4.0 / 3.0 * c3 * kk * kk * kk), 1e-13);
        Nah(einzeln[2][j], basis * std::exp(2.0 / 3.0 * c4 * std::pow(kk, 4)) * std::sin(4.4 * kk + 0.3));
        Nah(einzeln[3][j], basis * std::exp(2.0 / 3.0 * c4 * std::pow(kk, 4)) *
                               std::sin(4.4 * kk + 0.3 - 4.0 / 3.0 * c3 * kk * kk * kk));
    }
    // No table for this function, a first amplitude of -10 or less, a slot
    // that is not a k curve, kind 0 with the fit-view bit: nothing.
    Model({1, 15}, {0.0, 0.0, 1.0, 8.0, 2.2, 0.006, 0.0});
    EXPECT_NE(Array(k)[100], 0.0);
    amp[0] = -10.0;
    EXPECT_EQ(Array(k)[100], 0.0);
    amp[0] = 0.8;
    PhasenTabellen[1] = nullptr;
    EXPECT_EQ(Array(k)[100], 0.0);
    PhasenTabellen[1] = phase.data();
    env.KurvenFlags = 0;
    EXPECT_EQ(Array(k)[100], 0.0);
    env.KurvenFlags = 0x20;
    EXPECT_EQ(Array(k)[100], 0.0);
    FitModellArt = 106;
    EXPECT_NE(Array(k)[100], 0.0);
    // Kind 3 of an R-space fit: arrays only, and only while the Fourier
    // window does not start beyond 1.1 times the first k.
    FitModellArt = 103;
    EXPECT_EQ(At(k[100], 100), 0.0);
    EXPECT_NE(Array(k)[100], 0.0);
    env.FtUntergrenze = 3.0;
    std::vector<double> ab2(k.begin() + 40, k.end());  // from k = 2
    EXPECT_EQ(Array(ab2)[60], 0.0);
    env.FtUntergrenze = 2.2;
    EXPECT_NE(Array(ab2)[60], 0.0);
}

// Runaway parameters: inside a fit step those with flag word 0 are reset
// and the function contributes nothing; elsewhere nothing changes.
TEST_F(Exafs, RunawayShellsArePassedOverAndResetOnlyInAFitStep)
{
    Tabellen(1.0, 0.0);
    Model({15, 15}, {8.0, 35.0, 0.006, 1.0, 4.0, 2.2, 0.006, 0.0});
    std::vector<double> zweite;
    {
        SetFunktionFlag(2, 1);
        zweite = Array(k);
        SetFunktionFlag(0, 0);
    }
    const std::vector<double> vorher(block.begin(), block.begin() + 8);
    EXPECT_EQ(Array(k), zweite);
    EXPECT_EQ(std::vector<double>(block.begin(), block.begin() + 8), vorher);
    FitSchrittAktiv = 1;
    flags[2] = PF_FIXED;
    EXPECT_EQ(Array(k), zweite);
    EXPECT_EQ(block[0], 0.0);
    EXPECT_EQ(block[1], 0.0);
    EXPECT_EQ(block[2], 0.006);  // fixed: left alone
    EXPECT_EQ(block[3], 1.0);    // the E0 shift is not reset in a shell
    EXPECT_EQ(block[5], 2.2);
    // Coordination number and sigma^2 limits.
    for (auto [index, wert] : {std::pair<int, double>{0, 250.0}, {2, -0.02}}) {
        Model({15}, {8.0, 2.2, 0.006, 0.0});
        block[index] = wert;
        EXPECT_EQ(Array(k)[100], 0.0);
        EXPECT_EQ(block[index], 0.0);
    }
    FitSchrittAktiv = 0;
}

TEST_F(Exafs, PathOnSyntheticTables)
{
    Pfad(1, 2.55, 1e9);
    for (double w : {1.0, 2.0, 3.0})
        for (double de : {0.0, 8.0}) {
            ModellKGewicht = w;
            Model({25, 21}, {0.9, 6.0, 2.6, 0.005, de});
            const std::vector<double> ys = Array(k);
            EXPECT_EQ(S0Quadrat, 0.9);
            for (size_t j = 0; j < k.size(); j += 5) {
                const double kk = k[j];
                const double k2 = kk * kk - E0 * de;
                double erwartet = 0.0;
                if (k2 > 0.0) {
                    const double kp = std::sqrt(k2);
                    erwartet = 0.9 * 6.0 * std::pow(kk, w) / kp * std::exp(-2.0 * 0.005 * k2) *
                               std::exp(-2.0 * 2.6 / 1e9) *
                               std::sin(2.0 * kp * (2.6 - 2.55 - 2.0 * 0.005 / 2.55) + 2.0 * kp * 2.55) / (2.6 * 2.6);
                }
                ASSERT_NEAR(ys[j], erwartet, 1e-12) << w << " " << de << " " << kk;
                if (de == 0.0 && j > 0) {
                    // The acceptance form: S0^2 N k^(w-1) e^(-2 s2 k^2) sin(2kR - 4k s2/Reff) / R^2.
                    const double form = 0.9 * 6.0 * std::pow(kk, w - 1.0) * std::exp(-0.01 * kk * kk) *
                                        std::sin(2.0 * kk * 2.6 - 4.0 * kk * 0.005 / 2.55) / (2.6 * 2.6);
                    ASSERT_NEAR(ys[j], form, 1e-8 * std::fabs(form) + 1e-14);
                }
            }
            for (size_t j = 0; j < k.size(); j += 13) ASSERT_NEAR(At(k[j], j), ys[j], 1e-15);
        }
}

TEST_F(Exafs, PathCumulantsMeanFreePathShiftsAndSetWeights)
{
    Pfad(1, 2.55, 6.0);
    ModellKGewicht = 2.0;
    const double c3 = 0.001, c4 = 0.0008;
    Model({25, 21, 22, 23, 24}, {1.0, 6.0, 2.6, 0.005, 0.0, 6.0, 2.6, 0.005, 0.0, c3, 6.0, 2.6, 0.005, 0.0, c4,
                                 6.0, 2.6, 0.005, 0.0, c3, c4});
    // Records 1..4 for functions 1..4.
    for (int r = 2; r <= 4; ++r) Pfad(r, 2.55, 6.0);
    std::vector<double> einzeln[4];
    for (int f = 2; f <= 5; ++f) {
        SetFunktionFlag(0, 0);
        for (int g = 2; g <= 5; ++g)
            if (g != f) SetFunktionFlag(g, 2);
        einzeln[f - 2] = Array(k);
    }
    SetFunktionFlag(0, 0);
    for (size_t j = 10; j < k.size(); j += 11) {
        const double kk = k[j];
        const double a = 6.0 * kk * std::exp(-0.01 * kk * kk) * std::exp(-2.0 * 2.6 / 6.0) / (2.6 * 2.6);
        const double ph = 2.0 * kk * (2.6 - 2.55 - 0.01 / 2.55) + 2.0 * kk * 2.55;
        const double k3 = 4.0 / 3.0 * c3 * kk * kk * kk, k4 = std::exp(2.0 / 3.0 * c4 * std::pow(kk, 4));
        EXPECT_NEAR(einzeln[0][j], a * std::sin(ph), 1e-12);
        EXPECT_NEAR(einzeln[1][j], a * std::sin(ph - k3), 1e-12);
        Nah(einzeln[2][j], a * k4 * std::sin(ph));
        Nah(einzeln[3][j], a * k4 * std::sin(ph - k3));
    }

    // A distance below 1.0 is a shift from the effective length.
    Model({25, 21}, {1.0, 6.0, -0.006, 0.005, 0.0});
    const std::vector<double> verschoben = Array(k);
    Model({25, 21}, {1.0, 6.0, 2.55 - 0.006, 0.005, 0.0});
    const std::vector<double> absolut = Array(k);
    for (size_t j = 0; j < k.size(); ++j) ASSERT_NEAR(verschoben[j], absolut[j], 1e-13);
    Model({25, 21}, {1.0, 6.0, 0.0, 0.005, 0.0});  // shift 0: R = Reff, no division by 0
    EXPECT_TRUE(std::isfinite(Array(k)[200]));
    EXPECT_NE(Array(k)[200], 0.0);

    // Several FEFF sets: each path is weighted by the parameter of its set
    // among the last ones of the block.
    Model({25, 21, 28}, {1.0, 6.0, 2.6, 0.005, 0.0, 0.0, 0.3, 0.5});
    const std::vector<double> ohne = Array(k);
    env.FeffSaetze = 1;
    const std::vector<double> eins = Array(k);
    env.FeffSaetze = 2;
    const std::vector<double> zwei = Array(k);
    for (size_t j = 0; j < k.size(); j += 17) {
        EXPECT_NEAR(eins[j], 0.5 * ohne[j], 1e-15);
        EXPECT_NEAR(zwei[j], 0.3 * ohne[j], 1e-15);
    }
    env.FeffSaetze = 0;
}

TEST_F(Exafs, RunawayPathsAndCumulants)
{
    Pfad(1, 2.55, 1e9);
    Pfad(2, 2.55, 1e9);
    ModellKGewicht = 1.0;
    Model({25, 21, 21}, {1.0, 6.0, 35.0, 0.005, 2.0, 4.0, 2.6, 0.004, 1.0});
    std::vector<double> zweite;
    SetFunktionFlag(2, 2);
    zweite = Array(k);
    SetFunktionFlag(0, 0);
    const std::vector<double> vorher(block.begin(), block.begin() + 9);
    // Drawn outside a fit: the runaway path gives nothing and changes nothing.
    EXPECT_EQ(Array(k), zweite);
    EXPECT_EQ(std::vector<double>(block.begin(), block.begin() + 9), vorher);
    // A distance with bit 0x200 may be large.
    flags[2] = PF_WIDE;
    EXPECT_NE(Array(k), zweite);
    flags[2] = 0;
    // Inside a fit step that path only is reset.
    FitSchrittAktiv = 1;
    flags[4] = PF_CONSTRAINED;
    EXPECT_EQ(Array(k), zweite);
    EXPECT_EQ(block[1], 0.0);
    EXPECT_EQ(block[2], 0.0);
    EXPECT_EQ(block[3], 0.0);
    EXPECT_EQ(block[4], 2.0);
    EXPECT_EQ(std::vector<double>(block.begin() + 5, block.begin() + 9), std::vector<double>(vorher.begin() + 5, vorher.end()));

    // A 4th cumulant of 0.02 is set to 0 in a fit step and the path drawn;
    // outside it the path gives nothing.
    Model({25, 23}, {1.0, 6.0, 2.6, 0.005, 0.0, 0.0});
    const std::vector<double> ohneC4 = Array(k);
    block[5] = 0.02;
    FitSchrittAktiv = 0;
    EXPECT_EQ(Array(k)[100], 0.0);
    EXPECT_EQ(block[5], 0.02);
    FitSchrittAktiv = 1;
    EXPECT_EQ(Array(k), ohneC4);
    EXPECT_EQ(block[5], 0.0);
    FitSchrittAktiv = 0;
}

TEST_F(Exafs, PathValuesBelowAboveOnAndBetweenGridPoints)
{
    FeffPfad& s = Pfad(1, 2.55, 5.0);
    for (size_t i = 0; i < k.size(); ++i) {
        s.Pfadtabellen[FEFF_WEGLAENGE][i] = 10.0 + i;
        s.Pfadtabellen[FEFF_AMPLITUDE][i] = 2.0 * i;
        s.Pfadtabellen[FEFF_PHASE][i] = -1.0 * i;
    }
    double l, a, ph, p;
    EXPECT_EQ(FeffPfadWerte(-0.3, 0, l, a, ph, p), -1);
    EXPECT_EQ(l, 10.0);
    EXPECT_EQ(a, 0.0);
    EXPECT_EQ(FeffPfadWerte(25.0, 0, l, a, ph, p), -1);
    EXPECT_EQ(l, 410.0);
    EXPECT_EQ(p, 20.0);
    EXPECT_EQ(FeffPfadWerte(k[7], 0, l, a, ph, p), 1);  // on a grid point: its values
    EXPECT_EQ(l, 17.0);
    EXPECT_EQ(ph, -7.0);
    EXPECT_EQ(FeffPfadWerte(0.0, 0, l, a, ph, p), 1);
    EXPECT_EQ(l, 10.0);
    EXPECT_EQ(FeffPfadWerte(20.0, 0, l, a, ph, p), 1);
    EXPECT_EQ(l, 410.0);
    EXPECT_EQ(FeffPfadWerte(k[7] + 0.0125, 0, l, a, ph, p), 1);  // a quarter on
    EXPECT_NEAR(l, 17.25, 1e-12);
    EXPECT_NEAR(a, 14.5, 1e-12);
    EXPECT_NEAR(p, k[7] + 0.0125, 1e-12);
    // A record without tables.
    EXPECT_EQ(FeffPfadWerte(1.0, 5, l, a, ph, p), -1);
    EXPECT_EQ(l, 0.0);
}

// Multiple scattering: a single-scattering path at 2.55 (potential 1) and
// an equilateral triangle absorber - 1 - 1 whose three legs all match it.
class MehrfachStreuung : public Exafs {
protected:
    void SetUp() override
    {
        Exafs::SetUp();
        FeffPfad& ss = Pfad(1, 2.55, 1e9);
        ss.Potentiale[1] = 1;
        ss.AtomX[0] = 2.55;
        FeffPfad& ms = Pfad(2, 3.825, 1e9, 3);
        ms.Entartung = 48.0;
        ms.Potentiale[1] = ms.Potentiale[2] = 1;
        ms.AtomX[0] = 2.55;
        ms.AtomX[1] = 1.275;
        ms.AtomY[1] = 2.55 * std::sqrt(3.0) / 2.0;
        ModellKGewicht = 2.0;
    }
    // The triangle alone, from the block as it stands.
    std::vector<double> Dreieck()
    {
        SetFunktionFlag(3, 1);
        const std::vector<double> ys = Array(k);
        SetFunktionFlag(0, 0);
        return ys;
    }
    std::vector<double> DreieckMit(double n, double r, double s2, double de)
    {
        std::vector<int32_t> f(flags.begin(), flags.begin() + 9);
        for (int j = 5; j < 9; ++j) flags[j] = 0;
        const double alt[4] = {block[5], block[6], block[7], block[8]};
        block[5] = n; block[6] = r; block[7] = s2; block[8] = de;
        const std::vector<double> ys = Dreieck();
        for (int j = 0; j < 4; ++j) block[5 + j] = alt[j];
        std::copy(f.begin(), f.end(), flags.begin());
        return ys;
    }
    void Gleich(const std::vector<double>& a, const std::vector<double>& b)
    {
        for (size_t j = 0; j < a.size(); ++j) ASSERT_NEAR(a[j], b[j], 1e-12 * std::max(1.0, std::fabs(b[j]))) << j;
    }
};

TEST_F(MehrfachStreuung, SigmaSquareFromTheLegsByTheChosenRule)
{
    Model({25, 21, 21}, {1.0, 12.0, 2.55, 0.004, 3.0, 48.0, 3.825, 0.0, 0.0});
    flags[7] = PF_MS | PF_FIXED;
    for (auto [regel, s2] : {std::pair<int, double>{654, 0.004}, {655, 0.004 * std::sqrt(3.0)}, {656, 0.003}}) {
        MsSigmaRegel = regel;
        Gleich(Dreieck(), DreieckMit(48.0, 3.825, s2, 0.0));
        EXPECT_NEAR(results[6000 + 2], s2, 1e-15);
    }
}

TEST_F(MehrfachStreuung, DistanceE0AndCoordinationNumberFromTheSingleScatteringPath)
{
    Model({25, 21, 21}, {1.0, 6.0, 2.60, 0.004, 3.0, 48.0, 3.825, 0.005, 0.0});
    // Distance: every leg scaled as 2.60 / 2.55, written back absolute.
    flags[6] = PF_MS_DISTANCE | PF_FIXED;
    const double r = 3.825 * 2.60 / 2.55;
    Gleich(Dreieck(), DreieckMit(48.0, r, 0.005, 0.0));
    EXPECT_NEAR(results[5002], r, 1e-12);
    EXPECT_NEAR(block[6], r, 1e-12);
    // ... or as a shift when the parameter holds one.
    block[6] = 0.0;
    Dreieck();
    EXPECT_NEAR(block[6], r - 3.825, 1e-12);
    flags[6] = PF_MS_DISTANCE | PF_FIXED | PF_WIDE;  // bit 0x200: the block keeps its value
    block[6] = 0.0;
    Gleich(Dreieck(), DreieckMit(48.0, r, 0.005, 0.0));
    EXPECT_EQ(block[6], 0.0);
    flags[6] = 0;
    block[6] = 3.825;
    // E0 tied per potential: the mean of the free single-scattering paths.
    flags[8] = PF_E0_POTENTIAL | PF_FIXED;
    Gleich(Dreieck(), DreieckMit(48.0, 3.825, 0.005, 3.0));
    flags[8] = PF_E0_LAST_PATHS;
    Gleich(Dreieck(), DreieckMit(48.0, 3.825, 0.005, 3.0));
    flags[8] = 0;
    // Coordination number: degeneracy times 6 / 12.
    flags[5] = PF_MS_PATH | PF_FIXED;
    Gleich(Dreieck(), DreieckMit(24.0, 3.825, 0.005, 0.0));
}

TEST_F(MehrfachStreuung, TemperaturesOfSingleScatteringPaths)
{
    // Two single-scattering paths of potential 1; the second (0x21) takes
    // the first one's characteristic temperature on its own record.
    FeffPfad& zweiter = Pfad(2, 3.61, 1e9);
    zweiter.Potentiale[1] = 1;
    zweiter.ReduzierteMasse = 4.0e-26;
    Model({25, 21, 21}, {1.0, 12.0, 2.55, 350.0, 0.0, 6.0, 3.61, 0.0, 0.0});
    flags[3] = PF_MS;
    flags[7] = PF_MS | PF_FIXED;
    const double s2 = EinsteinSigma2(300.0, 350.0, 1);
    EXPECT_GT(s2, 0.0);
    Gleich(Dreieck(), DreieckMit(6.0, 3.61, s2, 0.0));
    EXPECT_NEAR(results[4801], EinsteinSigma2(300.0, 350.0, 0), 1e-15);
    EXPECT_NEAR(results[6002], s2, 1e-15);
    // Above 520 T a temperature becomes 400 K, also in the block.
    block[3] = 200000.0;
    Dreieck();
    EXPECT_EQ(block[3], 400.0);
    // One common temperature (0x08): held in the first path's sigma^2.
    flags[3] = PF_TEMPERATURE_MODEL;
    flags[7] = PF_TEMPERATURE_MODEL | PF_FIXED;
    block[3] = 320.0;
    Array(k);  // the whole model: the first path leaves its sigma^2 in 4900
    EXPECT_NEAR(results[4900], EinsteinSigma2(300.0, 320.0, 0), 1e-15);
    results[4900] = 0.0;
    const std::vector<double> gemeinsam = Dreieck();
    EXPECT_EQ(DebyeTemperatur, 320.0);
    EXPECT_NEAR(block[7], EinsteinSigma2(300.0, 320.0, 1), 1e-15);
    Gleich(gemeinsam, DreieckMit(6.0, 3.61, EinsteinSigma2(300.0, 320.0, 1), 0.0));
}

// The Debye-Waller polynomial on four single-scattering paths of unit
// tables: Cu (potential 1) at 2.5, 3.0 and 3.6, O (potential 2) at 2.0;
// the sum of the paths against the closed form with sigma^2 = c0 + c1 Reff.
class DwPolynom : public Exafs {
protected:
    const double reff[4] = {2.5, 3.0, 3.6, 2.0};
    void SetUp() override
    {
        Exafs::SetUp();
        for (int f = 0; f < 4; ++f) Pfad(f + 1, reff[f], 1e9).Potentiale[1] = f == 3 ? 2 : 1;
        ModellKGewicht = 2.0;
        // N 1 + f, R = Reff, no E0 shift; sigma^2: c0 and c1 of Cu, a value
        // for the fixed third Cu path that the polynomial replaces, c0 of O.
        Model({25, 21, 21, 21, 21}, {1.0, 1.0, 2.5, 0.002, 0.0, 2.0, 3.0, 0.001, 0.0, 3.0, 3.6, 0.05, 0.0,
                                     4.0, 2.0, 0.004, 0.0});
        for (int f = 0; f < 4; ++f) flags[S(f)] = PF_DW_POLYNOMIAL;
        FixParameter(S(2));
        DwPolynomGrad = 1;
        DwPolynomAktiv = 1;
    }
    static int S(int f) { return 3 + 4 * f; }
    // The closed form at k for the given sigma^2 of the four paths.
    double Formel(double kk, const double (&s2)[4]) const
    {
        double summe = 0.0;
        for (int f = 0; f < 4; ++f)
            summe += (f + 1) * kk * std::exp(-2.0 * s2[f] * kk * kk) * std::exp(-2.0 * reff[f] / 1e9) *
                     std::sin(2.0 * kk * reff[f] - 4.0 * kk * s2[f] / reff[f]) / (reff[f] * reff[f]);
        return summe;
    }
    void Vergleich(const double (&s2)[4])
    {
        const std::vector<double> ys = Array(k);
        for (size_t j = 1; j < k.size(); j += 3)
            ASSERT_NEAR(ys[j], Formel(k[j], s2), 1e-12 * std::max(1.0, std::fabs(ys[j]))) << k[j];
        for (int f = 0; f < 4; ++f) EXPECT_NEAR(results[6001 + f], s2[f], 1e-15) << f;
    }
};

TEST_F(DwPolynom, SigmaSquareOfEverySingleScatteringPathFollowsItsPotentialsPolynomial)
{
    const double linear[4] = {0.002 + 0.001 * 2.5, 0.002 + 0.001 * 3.0, 0.002 + 0.001 * 3.6, 0.004};
    Vergleich(linear);
    // The fixed path shows its value; the coefficients stay as they are
    // and are kept in the table (O has no first-order path: 0).
    EXPECT_NEAR(block[S(2)], linear[2], 1e-15);
    EXPECT_EQ(block[S(0)], 0.002);
    EXPECT_EQ(block[S(1)], 0.001);
    const double* c = DwPolynomKoeffizienten.data();
    EXPECT_EQ(c[DW_POLYNOM_ORDNUNGEN], 0.002);
    EXPECT_EQ(c[DW_POLYNOM_ORDNUNGEN + 1], 0.001);
    EXPECT_EQ(c[2 * DW_POLYNOM_ORDNUNGEN], 0.004);
    EXPECT_EQ(c[2 * DW_POLYNOM_ORDNUNGEN + 1], 0.0);

    // A coefficient moved between two points past the first: the fixed
    // path follows at once.
    block[S(1)] = 0.002;
    const size_t j = 50;
    const double gefolgt[4] = {0.002 + 0.002 * 2.5, 0.002 + 0.002 * 3.0, 0.002 + 0.002 * 3.6, 0.004};
    EXPECT_NEAR(At(k[j], static_cast<double>(j)), Formel(k[j], gefolgt), 1e-12);
    EXPECT_NEAR(results[6003], gefolgt[2], 1e-15);
    EXPECT_EQ(c[DW_POLYNOM_ORDNUNGEN + 1], 0.002);

    // Held as the F test holds a parameter, a coefficient stays one and
    // keeps its value.
    ASSERT_TRUE(ParameterHalten(S(1)));
    EXPECT_EQ(flags[S(1) + ZWEITE_FLAGS], ZWEITE_DW_POLYNOM);
    Vergleich(gefolgt);
    EXPECT_EQ(block[S(1)], 0.002);

    // Degree 0: one common sigma^2 per potential.
    DwPolynomGrad = 0;
    const double gemeinsam[4] = {0.002, 0.002, 0.002, 0.004};
    Vergleich(gemeinsam);
    EXPECT_EQ(block[S(1)], 0.002);

    // Not in use: every path its own parameter.
    DwPolynomAktiv = 0;
    block[S(2)] = 0.007;
    const double eigene[4] = {0.002, 0.002, 0.007, 0.004};
    const std::vector<double> ys = Array(k);
    for (size_t i = 1; i < k.size(); i += 7) ASSERT_NEAR(ys[i], Formel(k[i], eigene), 1e-12) << k[i];
}

// A fit of the polynomial of degree 1: chi(k) of the four single-scattering
// paths of the FEFF 8.50L copper example (Reff 2.5527, 3.61, 4.4213,
// 5.1053) made with sigma^2 = 0.0025 + 0.0012 Reff, then fitted from
// c0 = 0.003, c1 = 0 with S0^2 free.
TEST_F(Exafs, DwPolynomialOfDegreeOneFittedToCopperPaths)
{
    ASSERT_NE(McMasterTabelle(), nullptr);
    std::vector<double> gitter = Grid(3.0, 0.05, 241);
    FeffUmgebung umgebung;
    umgebung.McMaster = McMasterTabelle();
    umgebung.Numerik = &zelva;
    const int32_t nummern[4] = {1, 2, 5, 8};
    const double c0 = 0.0025, c1 = 0.0012;
    std::vector<double> start = {0.9}, s2;
    for (int f = 0; f < 4; ++f) {
        FeffPfad& s = FeffPfade[f + 1];
        s.Pfadnummer = nummern[f];
        std::snprintf(s.FilesDatPfad, sizeof s.FilesDatPfad, "%sfiles.dat", Feff85Ordner().c_str());
        ASSERT_GT(LadeFeffPfad(1, &s, 241, gitter.data(), umgebung), 0) << nummern[f];
        ASSERT_EQ(s.Beine, 2);
        ASSERT_EQ(s.Potentiale[1], 1);
        s2.push_back(c0 + c1 * s.Reff);
        start.insert(start.end(), {s.Entartung, s.Reff, s2.back(), 0.0});
    }
    ASSERT_NEAR(FeffPfade[4].Reff, 5.1053, 1e-12);
    ModellKGewicht = 2.0;
    auto modell = [&] {
        FitFunctionCount = 0;
        for (int32_t c : {25, 21, 21, 21, 21}) types[FitFunctionCount++] = c;
        std::copy(start.begin(), start.end(), block.begin());
        ASSERT_GE(ResetModelTables(), 0);
    };
    modell();
    std::vector<double> y = Array(gitter);

    // The table's "Corr." of degree 1; N, R and E0 fixed.
    for (int f = 0; f < 4; ++f) block[3 + 4 * f] = 0.003;
    ASSERT_TRUE(DwPolynomKorrelieren(1));
    for (int f = 0; f < 4; ++f)
        for (int c : {0, 1, 3}) FixParameter(1 + 4 * f + c);
    XafsTabelleBeendet();
    ASSERT_EQ(DwPolynomAktiv, 1);
    ASSERT_EQ(MaxFitParameter, 2);  // S0^2, c0, c1
    EXPECT_EQ(block[7], 0.0);
    block[0] = 0.8;

    ASSERT_EQ(FitToEnd(gitter, y, 1e-3, 1000), -1);
    EXPECT_NEAR(block[0], 0.9, 1e-6);
    EXPECT_NEAR(block[3], c0, 1e-9);
    EXPECT_NEAR(block[7], c1, 1e-9);
    // The fixed paths show the polynomial; the table keeps the result.
    EXPECT_NEAR(block[11], s2[2], 1e-7);
    EXPECT_NEAR(block[15], s2[3], 1e-7);
    EXPECT_NEAR(DwPolynomKoeffizienten[DW_POLYNOM_ORDNUNGEN], block[3], 1e-15);
    EXPECT_NEAR(DwPolynomKoeffizienten[DW_POLYNOM_ORDNUNGEN + 1], block[7], 1e-15);
    for (int f = 0; f < 4; ++f) EXPECT_NEAR(results[6001 + f], s2[f], 1e-7) << f;
}

// Under the Debye-Waller polynomial the triangle still combines its legs'
// sigma^2 by its own rule, now the polynomial's value at 2.55: c0 from the
// path at 2.55, c1 from a second one at 3.61.
TEST_F(MehrfachStreuung, LegsTakeThePolynomialsSigmaSquare)
{
    Pfad(3, 3.61, 1e9).Potentiale[1] = 1;
    Model({25, 21, 21, 21}, {1.0, 12.0, 2.55, 0.001, 0.0, 48.0, 3.825, 0.0, 0.0, 6.0, 3.61, 0.002, 0.0});
    flags[3] = flags[11] = PF_DW_POLYNOMIAL;
    flags[7] = PF_MS | PF_FIXED;
    DwPolynomGrad = 1;
    DwPolynomAktiv = 1;
    const double s2 = 0.001 + 0.002 * 2.55;
    Gleich(Dreieck(), DreieckMit(48.0, 3.825, s2, 0.0));
    EXPECT_NEAR(results[6002], s2, 1e-15);
}

// A real FEFF 8.50L path of copper against the test's own splines of the
// file's columns.
TEST_F(Exafs, RealCopperPathAgainstItsFileColumns)
{
    ASSERT_NE(McMasterTabelle(), nullptr);
    std::vector<double> gitter = Grid(2.0, 0.05, 321);
    FeffUmgebung umgebung;
    umgebung.McMaster = McMasterTabelle();
    umgebung.Numerik = &zelva;
    FeffPfad& s = FeffPfade[1];
    s.Pfadnummer = 1;
    std::snprintf(s.FilesDatPfad, sizeof s.FilesDatPfad, "%sfiles.dat", Feff85Ordner().c_str());
    ASSERT_GT(LadeFeffPfad(1, &s, 321, gitter.data(), umgebung), 0);
    ASSERT_NEAR(s.Reff, 2.5527, 1e-12);

    // The file's columns, each splined on its own.
    std::ifstream datei(Feff85Ordner() + "feff0001.dat");
    std::string zeile;
    std::vector<double> spalte[8];
    bool tabelle = false;
    while (std::getline(datei, zeile)) {
        if (zeile.find("real[2*phc]") != std::string::npos) {
            tabelle = true;
            continue;
        }
        double v[7];
        if (tabelle && std::sscanf(zeile.c_str(), "%lf %lf %lf %lf %lf %lf %lf", &v[0], &v[1], &v[2], &v[3],
                                   &v[4], &v[5], &v[6]) == 7)
            for (int c = 0; c < 7; ++c) spalte[c + 1].push_back(v[c]);
    }
    ASSERT_EQ(spalte[1].size(), 59u);
    const size_t n = spalte[1].size();
    std::vector<double> betrag(n), phase(n);
    for (size_t i = 0; i < n; ++i) {
        betrag[i] = spalte[3][i] * spalte[5][i];
        phase[i] = spalte[4][i] + spalte[2][i];
    }
    auto spline = [&](const std::vector<double>& y) {
        gsl_interp* f = gsl_interp_alloc(gsl_interp_cspline, n);
        gsl_interp_init(f, spalte[1].data(), y.data(), n);
        gsl_interp_accel* acc = gsl_interp_accel_alloc();
        std::vector<double> aus;
        for (double kk : gitter) aus.push_back(gsl_interp_eval(f, spalte[1].data(), y.data(), kk, acc));
        gsl_interp_accel_free(acc);
        gsl_interp_free(f);
        return aus;
    };
    const std::vector<double> F = spline(betrag), phi = spline(phase), lambda = spline(spalte[6]),
                              p = spline(spalte[7]);
    auto formel = [&](double s2) {
        std::vector<double> chi;
        for (size_t j = 0; j < gitter.size(); ++j) {
            const double kk = gitter[j], r = 2.5527;
            chi.push_back(12.0 * F[j] * std::exp(-2.0 * s2 * p[j] * p[j]) * std::exp(-2.0 * r / lambda[j]) /
                          (kk * r * r) * std::sin(2.0 * p[j] * (-2.0 * s2 / r) + 2.0 * kk * r + phi[j]) * kk * kk);
        }
        return chi;
    };

    ModellKGewicht = 2.0;
    Model({25, 21}, {1.0, 12.0, 2.5527, 0.00867, 0.0});
    const std::vector<double> chi = Array(gitter);
    const std::vector<double> erwartet = formel(0.00867);
    double groesste = 0.0;
    for (double v : erwartet) groesste = std::max(groesste, std::fabs(v));
    ASSERT_GT(groesste, 0.1);
    for (size_t j = 0; j < gitter.size(); ++j) ASSERT_NEAR(chi[j], erwartet[j], 1e-6 * groesste) << gitter[j];

    // The distance as the shift -0.006 equals 2.5467 given absolutely.
    Model({25, 21}, {1.0, 12.0, -0.006, 0.00867, 0.0});
    const std::vector<double> verschoben = Array(gitter);
    block[2] = 2.5467;
    const std::vector<double> absolut = Array(gitter);
    for (size_t j = 0; j < gitter.size(); ++j) ASSERT_NEAR(verschoben[j], absolut[j], 1e-12) << j;

    // sigma^2 held as a Debye temperature of 315 K at 300 K.
    DebyeWallerModell = -1;
    const double s2 = CorrDebyeSigma2(300.0, 315.0, 0);
    EXPECT_NEAR(s2, 0.0090495, 1e-6);
    Model({25, 21}, {1.0, 12.0, 2.5527, 315.0, 0.0});
    flags[3] = PF_MS;
    const std::vector<double> debye = Array(gitter);
    EXPECT_EQ(block[3], 315.0);
    EXPECT_NEAR(results[4801], s2, 1e-15);
    flags[3] = 0;
    block[3] = s2;
    const std::vector<double> direkt = Array(gitter);
    for (size_t j = 0; j < gitter.size(); ++j) ASSERT_NEAR(debye[j], direkt[j], 1e-15) << j;
}

TEST_F(Exafs, LcXanesReferenceShift)
{
    // The reference on the curve's own points; record 1 belongs to function 0.
    std::vector<double> x = Grid(8.90, 0.001, 1001);
    FeffPfad& s = Pfad(1, 1.0, 1.0);
    delete[] s.Pfadtabellen[FEFF_PHASE];
    s.Pfadtabellen[FEFF_PHASE] = new double[x.size()];
    s.TabellenSpeicher[FEFF_PHASE] = static_cast<int32_t>(x.size());
    auto referenz = [](double e) { return 1.0 + 0.5 * std::tanh((e - 9.2) / 0.02) + 0.1 * std::sin(30.0 * e); };
    for (size_t j = 0; j < x.size(); ++j) s.Pfadtabellen[FEFF_PHASE][j] = referenz(x[j]);
    env.KurveX = x.data();
    env.KurvenPunkte = static_cast<int32_t>(x.size());
    env.KurvenFlags = 0;
    FitModellArt = 10;
    Model({26}, {0.7, 0.001});
    const std::vector<double> ys = Array(x);
    for (size_t j = 1; j < x.size(); ++j) ASSERT_NEAR(ys[j], 0.7 * referenz(x[j] - 0.001), 1e-4) << j;
    EXPECT_EQ(block[1], 0.001);
    // Point mode and kind 0 read the reference unshifted at the point.
    EXPECT_DOUBLE_EQ(At(x[300], 300), 0.7 * referenz(x[300]));
    FitModellArt = 0;
    EXPECT_DOUBLE_EQ(Array(x)[300], 0.7 * referenz(x[300]));
    // A shift past the end of the curve: p0 = p1 = 0.
    FitModellArt = 10;
    block[1] = 1.5;
    EXPECT_EQ(Array(x)[500], 0.0);
    EXPECT_EQ(block[0], 0.0);
    EXPECT_EQ(block[1], 0.0);
}
