// Column commands of the XAFS table on a model of hand-made path records:
// two scattering potentials, single and multiple scattering.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "fit/exafs_terms.h"
#include "fit/xafs_table.h"
#include "model_fixture.h"
#include "xas/feff_path.h"

namespace {

struct PFAD {
    int32_t beine, potential;
    double reff, gewicht;
};
// Functions 2-7: Cu 2.55, O 2.0, Cu 3.61, a triangle, O 2.05, Cu 2.60.
const PFAD PFADE[6] = {{2, 1, 2.55, 100.0}, {2, 2, 2.00, 40.0}, {2, 1, 3.61, 20.0},
                       {3, 1, 3.83, 3.0},   {2, 2, 2.05, 30.0}, {2, 1, 2.60, 4.0}};

}  // namespace

class XafsTableCore : public ModelFixture {
protected:
    int32_t altDeltaR = 0, altPot = 0, altDw = 0, altGrad = 0, altAktiv = 0;
    double altT = 0.0, altTheta = 0.0;
    std::vector<double> altTabelle;
    void SetUp() override
    {
        ModelFixture::SetUp();
        altDeltaR = DeltaRModus;
        altPot = PotentialModus;
        altDw = DebyeWallerModell;
        altT = MessTemperatur;
        altTheta = DebyeTemperatur;
        altGrad = DwPolynomGrad;
        altAktiv = DwPolynomAktiv;
        altTabelle = DwPolynomKoeffizienten;
        DwPolynomAktiv = 0;
        DeltaRModus = -1;
        DebyeWallerModell = 1;
        MessTemperatur = 300.0;
        DebyeTemperatur = 400.0;
        Model({25, 21, 21, 21, 21, 21, 21});
        block[0] = 0.9;
        for (int32_t k = 0; k < 6; ++k) {
            FeffPfad& s = FeffPfade[k + 1];
            s.Beine = PFADE[k].beine;
            s.Potentiale[1] = static_cast<int16_t>(PFADE[k].potential);
            s.Reff = PFADE[k].reff;
            s.AmplitudenVerhaeltnis = PFADE[k].gewicht;
            s.SatzNummer = 1;
            s.ReduzierteMasse = 5.2756e-26;  // Cu-Cu
            block[N(k + 2)] = 6.0;
            block[R(k + 2)] = PFADE[k].reff;
            block[S(k + 2)] = 0.003;
            block[E(k + 2)] = 1.0;
        }
    }
    void TearDown() override
    {
        FeffPfadeLeeren();
        DeltaRModus = altDeltaR;
        PotentialModus = altPot;
        DebyeWallerModell = altDw;
        MessTemperatur = altT;
        DebyeTemperatur = altTheta;
        DwPolynomGrad = altGrad;
        DwPolynomAktiv = altAktiv;
        DwPolynomKoeffizienten = altTabelle;
        ModelFixture::TearDown();
    }
    static int32_t N(int32_t f) { return 1 + 4 * (f - 2); }
    static int32_t R(int32_t f) { return N(f) + 1; }
    static int32_t S(int32_t f) { return N(f) + 2; }
    static int32_t E(int32_t f) { return N(f) + 3; }
    bool Fest(int32_t j) const { return (flags[j] & PF_FIXED) != 0; }
};

// Einstein model, closed form: hbar^2 / (2 mu k theta) coth(theta / 2T).
TEST_F(XafsTableCore, EinsteinSigma2AndTheOpeningReplacements)
{
    const double hbar = 1.054571817e-34, k = 1.380649e-23, mu = 5.2756e-26;
    const double erwartet = hbar * hbar / (2.0 * mu * k * 300.0) / std::tanh(300.0 / 600.0) * 1e20;
    EXPECT_NEAR(ModellSigma2(2, 300.0, 300.0), erwartet, 1e-4 * erwartet);

    block[S(3)] = 300.0;   // a temperature: turned into sigma^2
    block[S(4)] = 300.0;
    flags[S(4)] = PF_MS;   // held as a temperature on purpose
    block[R(5)] = 0.02;    // a shift: made absolute from Reff
    block[R(6)] = 0.01;
    std::vector<double> gespeichert(6000, 0.0);
    gespeichert[5000 + 5] = 2.07;  // the stored distance of function 6
    XafsOeffnen(gespeichert.data());
    EXPECT_NEAR(block[S(3)], erwartet, 1e-4 * erwartet);
    EXPECT_EQ(block[S(4)], 300.0);
    EXPECT_EQ(block[R(5)], 3.83);
    EXPECT_EQ(block[R(6)], 2.07);
}

TEST_F(XafsTableCore, DeltaRShiftsAndAddsBackBelowOne)
{
    block[R(7)] = 0.3;  // below 1.0 already
    DeltaRUmschalten(true, nullptr);
    EXPECT_EQ(DeltaRModus, 1);
    EXPECT_NEAR(block[R(2)], 0.0, 1e-15);
    EXPECT_EQ(block[R(7)], 0.3);
    block[R(3)] = -0.05;
    block[R(4)] = 3.7;
    DeltaRUmschalten(false, nullptr);
    EXPECT_EQ(DeltaRModus, -1);
    EXPECT_NEAR(block[R(3)], 1.95, 1e-12);
    EXPECT_EQ(block[R(4)], 3.7);
    EXPECT_NEAR(block[R(7)], 2.9, 1e-12);
}

TEST_F(XafsTableCore, ColumnConstraintsWeightsAndCopies)
{
    FixParameter(N(3));
    flags[N(4)] |= PF_CONSTRAINED;
    EXPECT_FALSE(SpalteEinschraenken(SPALTE_N, 5.0, 1.0));
    EXPECT_TRUE(SpalteEinschraenken(SPALTE_N, 0.0, 9999.0));  // "CN": each its own value
    EXPECT_EQ(flags[N(2)], PF_CONSTRAINED);
    EXPECT_EQ(block[UpperBoundIndex(N(2))], 6.0);
    EXPECT_EQ(flags[N(3)], PF_FIXED);
    EXPECT_EQ(block[UpperBoundIndex(N(4))], 0.0);  // was constrained already

    SetCorrelation(E(7), CorrelationWord(E(2), CW_TIMES), 1.0);
    const int32_t frei = MaxFitParameter;
    NachGewichtFesthalten(5.0);  // functions 5 (3 %) and 7 (4 %)
    for (int32_t c = 0; c < 4; ++c) EXPECT_TRUE(Fest(N(5) + c)) << c;
    EXPECT_TRUE(Fest(N(7)) && Fest(R(7)) && Fest(S(7)));
    EXPECT_FALSE(Fest(E(7)));  // correlated
    EXPECT_EQ(MaxFitParameter, frei - 7);

    SpalteKopieren(SPALTE_SIGMA2, 0.0042);
    for (int32_t f = 2; f <= 7; ++f) EXPECT_EQ(block[S(f)], 0.0042) << f;
    EXPECT_EQ(block[0], 0.9);
}

TEST_F(XafsTableCore, MultipleScatteringColumns)
{
    MsPfadeMarkieren();
    for (int32_t f = 2; f <= 7; ++f) EXPECT_EQ((flags[N(f)] & PF_MS_PATH) != 0, f == 5) << f;
    block[R(3)] = 0.1;
    MsAbstaendeAbleiten();
    EXPECT_EQ(block[R(3)], 2.0);  // absolute again
    EXPECT_EQ(flags[R(5)], PF_MS_DISTANCE | PF_FIXED);
    EXPECT_EQ(flags[R(2)], 0);
}

// "xyz": the cluster bit on every distance, the last three distances set
// to the kept coefficients (0 while the cluster table is not in use), and
// the distances fixed except the last ones kept free by the number of FEFF
// data sets. A distance fixed before stays fixed and keeps the bit.
TEST_F(XafsTableCore, ClusterDistancesByTheNumberOfFeffSets)
{
    const int32_t alt = ClusterTabelleInGebrauch;
    const struct {
        int32_t saetze, frei;     // FEFF sets, last distances left free
        int32_t inGebrauch;
    } faelle[] = {{0, 2, 0}, {-1, 2, 1}, {2, 1, 0}, {1, 0, 1}, {3, 0, 0}};
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.saetze);
        Model({25, 21, 21, 21, 21, 21, 21});
        for (int32_t f = 2; f <= 7; ++f) block[R(f)] = PFADE[f - 2].reff;
        block[R(6)] = 0.004;  // a shift stays
        FixParameter(R(3));
        FeffPfade[0].ClusterKoeffizienten[0] = 0.011;
        FeffPfade[0].ClusterKoeffizienten[1] = -0.002;
        FeffPfade[0].ClusterKoeffizienten[2] = 0.007;
        ClusterTabelleInGebrauch = fall.inGebrauch;
        DeltaRModus = 1;
        ClusterUmschalten(fall.saetze);
        EXPECT_EQ(DeltaRModus, -1);
        for (int32_t f = 2; f <= 7; ++f) {
            EXPECT_TRUE(flags[R(f)] & PF_CLUSTER) << f;
            EXPECT_EQ(Fest(R(f)), f <= 7 - fall.frei || f == 3) << f;
            if (f <= 4) EXPECT_EQ(block[R(f)], PFADE[f - 2].reff) << f;
        }
        EXPECT_EQ(block[R(5)], fall.inGebrauch ? 0.011 : 0.0);
        EXPECT_EQ(block[R(6)], 0.004);
        EXPECT_EQ(block[R(7)], fall.inGebrauch ? 0.007 : 0.0);
        // 25 parameters, 6 - frei distances fixed (path 3's among them).
        EXPECT_EQ(MaxFitParameter + 1, 19 + fall.frei);
        // Left with the bit on the third-last distance: the table is in use.
        ClusterTabelleInGebrauch = 0;
        ClusterTabelleMerken();
        EXPECT_EQ(ClusterTabelleInGebrauch, 1);
    }
    // A second press takes the bits off again; without the bit on the
    // third-last distance the table is not in use.
    ClusterUmschalten(0);
    for (int32_t f = 2; f <= 7; ++f) EXPECT_FALSE(flags[R(f)] & PF_CLUSTER) << f;
    ClusterTabelleMerken();
    EXPECT_EQ(ClusterTabelleInGebrauch, 0);
    ClusterTabelleInGebrauch = alt;
    FeffPfade[0] = FeffPfad{};
}

TEST_F(XafsTableCore, PotentialGroupsOfSigma2AndE0)
{
    // "POT" from mode 1: every sigma^2 holds a temperature (0x0020); the
    // first single-scattering path of each potential stays free.
    PotentialModus = 1;
    SigmaProPotential(nullptr);
    EXPECT_EQ(PotentialModus, 2);
    for (int32_t f = 2; f <= 7; ++f) EXPECT_TRUE(flags[S(f)] & PF_MS) << f;
    EXPECT_FALSE(Fest(S(2)));
    EXPECT_FALSE(Fest(S(3)));
    EXPECT_EQ(block[S(2)], 400.0);
    for (int32_t f : {4, 5, 6, 7}) EXPECT_TRUE(Fest(S(f))) << f;

    // "AVE" first: mode 0 ties the longer paths and the near neighbours
    // of a single-scattering path of the same potential.
    Model({25, 21, 21, 21, 21, 21, 21});
    for (int32_t f = 2; f <= 7; ++f) {
        block[R(f)] = PFADE[f - 2].reff;
        block[S(f)] = f == 7 ? 250.0 : 0.003;
    }
    SigmaMittelAlle();
    EXPECT_LT(block[S(7)], 0.01);
    SigmaProPotential(nullptr);
    EXPECT_EQ(PotentialModus, 0);
    EXPECT_TRUE(flags[S(5)] & PF_MS);
    EXPECT_FALSE(Fest(S(5)));
    EXPECT_TRUE(Fest(S(6)));   // O at 2.05, below 1.05 x 2.00
    EXPECT_TRUE(Fest(S(7)));   // Cu at 2.60, inside 1.05 x an earlier Cu path
    EXPECT_FALSE(Fest(S(4)));  // Cu at 3.61

    Model({25, 21, 21, 21, 21, 21, 21});
    for (int32_t f = 2; f <= 7; ++f) block[R(f)] = PFADE[f - 2].reff;
    E0ProPotential();
    for (int32_t f = 2; f <= 7; ++f) EXPECT_TRUE(flags[E(f)] & PF_E0_POTENTIAL) << f;
    EXPECT_FALSE(Fest(E(2)));
    EXPECT_FALSE(Fest(E(3)));
    for (int32_t f : {4, 5, 6, 7}) EXPECT_TRUE(Fest(E(f))) << f;

    Model({25, 21, 21, 21, 21, 21, 21});
    for (int32_t f = 2; f <= 7; ++f) block[R(f)] = PFADE[f - 2].reff;
    E0Mitteln();
    EXPECT_EQ(flags[E(5)], PF_E0_TIED | PF_FIXED);
    EXPECT_EQ(flags[E(6)], PF_E0_TIED | PF_FIXED);
    EXPECT_EQ(flags[E(7)], PF_E0_TIED | PF_FIXED);
    EXPECT_EQ(flags[E(3)], 0);
}

// The Debye-Waller polynomial's "Corr.": per potential the first d + 1
// single-scattering paths stay free as coefficients, the rest is fixed.
TEST_F(XafsTableCore, DwPolynomialCoefficientPathsPerPotential)
{
    const std::vector<int32_t> vorher(flags.begin(), flags.end());
    for (int32_t grad : {4, 7, -1}) {
        EXPECT_FALSE(DwPolynomKorrelieren(grad)) << grad;
        EXPECT_EQ(DwPolynomGrad, altGrad);
        EXPECT_TRUE(std::equal(vorher.begin(), vorher.end(), flags.begin())) << grad;
    }

    // Degree 1, table not in use: order 0 keeps its value, order 1 takes 0.
    // Temperature bits go; a temperature held by order 0 becomes sigma^2.
    flags[S(4)] = PF_MS;
    FixParameter(S(4));
    flags[S(3)] = PF_TEMPERATURE_MODEL;
    block[S(3)] = 315.0;
    flags[S(7)] = PF_MS;
    flags[S(5)] = PF_MS;
    block[S(2)] = 0.0042;
    ASSERT_TRUE(DwPolynomKorrelieren(1));
    EXPECT_EQ(DwPolynomGrad, 1);
    for (int32_t f = 2; f <= 7; ++f) EXPECT_TRUE(flags[S(f)] & PF_DW_POLYNOMIAL) << f;
    // Cu: functions 2 and 4 hold c0 and c1, 7 is fixed; O: 3 and 6; the
    // triangle (5) is fixed.
    for (int32_t f : {2, 3, 4, 6}) EXPECT_FALSE(Fest(S(f))) << f;
    for (int32_t f : {5, 7}) EXPECT_TRUE(Fest(S(f))) << f;
    EXPECT_EQ(flags[S(4)], PF_DW_POLYNOMIAL);  // freed: its tie bit is gone
    EXPECT_EQ(block[S(2)], 0.0042);
    EXPECT_NEAR(block[S(3)], ModellSigma2(3, 300.0, 315.0), 1e-15);
    EXPECT_LT(block[S(3)], 0.02);
    EXPECT_EQ(flags[S(3)], PF_DW_POLYNOMIAL);
    EXPECT_EQ(flags[S(7)], PF_DW_POLYNOMIAL | PF_FIXED);
    EXPECT_EQ(flags[S(5)], PF_MS | PF_DW_POLYNOMIAL | PF_FIXED);  // the triangle keeps its rule
    EXPECT_EQ(block[S(4)], 0.0);
    EXPECT_EQ(block[S(6)], 0.0);
    EXPECT_EQ(block[S(7)], 0.003);
    for (int32_t c : {SPALTE_N, SPALTE_R, SPALTE_E0}) EXPECT_FALSE(flags[ParameterIndex(7, c)] & PF_DW_POLYNOMIAL);
    // Leaving the table puts the polynomial in use.
    XafsTabelleBeendet();
    EXPECT_EQ(DwPolynomAktiv, 1);

    // In use at degree 1, now degree 2: orders 0 and 1 come from the
    // table, order 2 did not exist and takes 0.
    Model({25, 21, 21, 21, 21, 21, 21});
    for (int32_t f = 2; f <= 7; ++f) block[S(f)] = 0.003;
    const double cu[DW_POLYNOM_ORDNUNGEN] = {0.001, 0.0005, 9.0, 9.0, 9.0, 9.0, 9.0};
    const double o[DW_POLYNOM_ORDNUNGEN] = {0.002, 0.0007, 9.0, 9.0, 9.0, 9.0, 9.0};
    std::copy(cu, cu + DW_POLYNOM_ORDNUNGEN, DwPolynomKoeffizienten.begin() + 1 * DW_POLYNOM_ORDNUNGEN);
    std::copy(o, o + DW_POLYNOM_ORDNUNGEN, DwPolynomKoeffizienten.begin() + 2 * DW_POLYNOM_ORDNUNGEN);
    ASSERT_TRUE(DwPolynomKorrelieren(2));
    EXPECT_EQ(block[S(2)], 0.001);
    EXPECT_EQ(block[S(4)], 0.0005);
    EXPECT_EQ(block[S(7)], 0.0);
    EXPECT_EQ(block[S(3)], 0.002);
    EXPECT_EQ(block[S(6)], 0.0007);
    for (int32_t f : {2, 3, 4, 6, 7}) EXPECT_FALSE(Fest(S(f))) << f;
    EXPECT_TRUE(Fest(S(5)));

    // A model without the flag on its first path ends the use.
    Model({25, 21, 21, 21, 21, 21, 21});
    XafsTabelleBeendet();
    EXPECT_EQ(DwPolynomAktiv, 0);
}

// Opening while the polynomial is in use: single-scattering paths without
// the flag take the kept polynomial of their Reff; flagged and longer
// paths keep their values.
TEST_F(XafsTableCore, OpeningFillsUnflaggedPathsFromTheKeptPolynomial)
{
    DwPolynomGrad = 1;
    DwPolynomKoeffizienten[1 * DW_POLYNOM_ORDNUNGEN] = 0.001;
    DwPolynomKoeffizienten[1 * DW_POLYNOM_ORDNUNGEN + 1] = 0.0005;
    DwPolynomKoeffizienten[1 * DW_POLYNOM_ORDNUNGEN + 2] = 9.0;  // above the degree
    DwPolynomKoeffizienten[2 * DW_POLYNOM_ORDNUNGEN] = 0.002;
    DwPolynomKoeffizienten[2 * DW_POLYNOM_ORDNUNGEN + 1] = 0.0007;
    flags[S(4)] = PF_DW_POLYNOMIAL;
    XafsOeffnen(nullptr);
    EXPECT_EQ(block[S(2)], 0.003);  // not in use: nothing
    DwPolynomAktiv = 1;
    XafsOeffnen(nullptr);
    EXPECT_NEAR(block[S(2)], 0.001 + 0.0005 * 2.55, 1e-15);
    EXPECT_NEAR(block[S(7)], 0.001 + 0.0005 * 2.60, 1e-15);
    EXPECT_EQ(block[S(4)], 0.003);
    EXPECT_EQ(block[S(5)], 0.003);
    EXPECT_NEAR(block[S(3)], 0.002 + 0.0007 * 2.0, 1e-15);
}
