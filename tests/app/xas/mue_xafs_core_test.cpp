// The model of FEFF paths in the atomic background fit: the functions and
// start values, the flags, correlation words and bounds of both options of
// each group, the parameter limit beside the knots, and the results table.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "fit/fit_model.h"
#include "xas/feff_path.h"
#include "xas/mue_xafs.h"

namespace {

class MueXafsTabellen : public ::testing::Test {
protected:
    std::vector<int32_t> typen = std::vector<int32_t>(MAX_MODEL_FUNCTIONS, 0);
    std::vector<double> block = std::vector<double>(35000, 0.0);
    std::vector<int32_t> flags = std::vector<int32_t>(FREE_LIST_ENTRIES, 0), frei = flags, worte = flags;
    std::vector<double> konstanten = std::vector<double>(FREE_LIST_ENTRIES, 0.0);
    static constexpr int32_t K = 8;   // knots

    void SetUp() override
    {
        FitFunctionTypes = typen.data();
        FitParameters = block.data();
        ParameterFlags = flags.data();
        FreeParameterList = frei.data();
        CorrelationWords = worte.data();
        CorrelationConstants = konstanten.data();
        FitFunctionCount = 1;
        typen[0] = 53;
        for (int32_t k = 0; k < K; ++k) block[SPLINE_KNOT_INDEX + k] = 2.0 + k;
        // Old values that the model must not keep.
        for (int32_t i = 0; i < 200; ++i) block[i] = 7.0;
        for (int32_t i = BOUNDS_INDEX; i < SPLINE_KNOT_INDEX; ++i) block[i] = 9.0;
    }
    void TearDown() override
    {
        FitFunctionTypes = nullptr;
        FitParameters = nullptr;
        ParameterFlags = FreeParameterList = CorrelationWords = nullptr;
        CorrelationConstants = nullptr;
    }
    // Copper: the first shell, the second, a triangle, a second potential.
    static std::vector<MueXafsPfad> Pfade(int n)
    {
        const MueXafsPfad alle[] = {{12.0, 2.5527, 2, 1}, {6.0, 3.61, 2, 1}, {48.0, 3.829, 3, 1}, {24.0, 4.4213, 2, 2}};
        return std::vector<MueXafsPfad>(alle, alle + n);
    }
    int32_t B(int32_t j) const { return K + 1 + 4 * j; }
    bool Frei(int32_t p) const { return FreeListPosition(p) >= 0 && FreeListPosition(p) <= MaxFitParameter; }
    double Unten(int32_t p) const { return block[LowerBoundIndex(p)]; }
    double Oben(int32_t p) const { return block[UpperBoundIndex(p)]; }
};

}  // namespace

TEST_F(MueXafsTabellen, FunctionsStartValuesAndTheCommonRules)
{
    MueXafsOptionen o;
    ASSERT_EQ(MueXafsModell(K, Pfade(3), o), MUE_XAFS_OK);
    EXPECT_EQ(FitFunctionCount, 5);
    EXPECT_EQ(FitPolyDegree, K);
    EXPECT_EQ(SplineKnotCount, K);
    EXPECT_EQ(std::vector<int32_t>(typen.begin(), typen.begin() + 5), (std::vector<int32_t>{53, 25, 21, 21, 21}));
    EXPECT_EQ(MaxParameter, K + 12);
    for (int32_t k = 0; k < K; ++k) {
        EXPECT_EQ(block[k], 1.0);
        EXPECT_EQ(block[SPLINE_KNOT_INDEX + k], 2.0 + k);  // the knots' abscissae stay
        EXPECT_TRUE(Frei(k));
    }
    EXPECT_EQ(block[K], 1.0);
    EXPECT_FALSE(Frei(K));
    const double reff[3] = {2.5527, 3.61, 3.829}, n[3] = {12.0, 6.0, 48.0};
    for (int32_t j = 0; j < 3; ++j) {
        EXPECT_EQ(block[B(j)], n[j]);
        EXPECT_EQ(block[B(j) + 1], reff[j]);
        EXPECT_EQ(block[B(j) + 2], 0.003);
        EXPECT_EQ(block[B(j) + 3], 0.0);
        EXPECT_TRUE(flags[B(j)] & PF_FIXED);
        EXPECT_FALSE(Frei(B(j)));
    }
    for (int32_t i = MaxParameter + 1; i < 200; ++i) EXPECT_EQ(block[i], 0.0) << i;
    // One E0: the first path's shift leads within -15 .. 15, the others follow it.
    const int32_t e0 = B(0) + 3;
    EXPECT_EQ(flags[e0], PF_CORRELATED | PF_CONSTRAINED);
    EXPECT_EQ(worte[e0], CW_MASTER);
    EXPECT_EQ(Unten(e0), -15.0);
    EXPECT_EQ(Oben(e0), 15.0);
    EXPECT_TRUE(Frei(e0));
    for (int32_t j = 1; j < 3; ++j) {
        EXPECT_EQ(worte[B(j) + 3], CorrelationWord(e0, CW_TIMES));
        EXPECT_EQ(konstanten[B(j) + 3], 1.0);
        EXPECT_TRUE(flags[B(j) + 3] & PF_CORRELATED);
        EXPECT_FALSE(Frei(B(j) + 3));
    }
    // No bound of the model reaches the knots.
    EXPECT_LT(UpperBoundIndex(MaxParameter), SPLINE_KNOT_INDEX);
    // The free options: every distance within 5 %, every sigma^2 within 0.0005 .. 0.05.
    for (int32_t j = 0; j < 3; ++j) {
        EXPECT_EQ(flags[B(j) + 1], PF_CONSTRAINED);
        EXPECT_DOUBLE_EQ(Unten(B(j) + 1), 0.95 * reff[j]);
        EXPECT_DOUBLE_EQ(Oben(B(j) + 1), 1.05 * reff[j]);
        EXPECT_EQ(flags[B(j) + 2], PF_CONSTRAINED);
        EXPECT_EQ(Unten(B(j) + 2), 0.0005);
        EXPECT_EQ(Oben(B(j) + 2), 0.05);
        EXPECT_TRUE(Frei(B(j) + 1) && Frei(B(j) + 2));
    }
}

TEST_F(MueXafsTabellen, XyzDistancesAndPotentialDebyeTemperatures)
{
    MueXafsOptionen o;
    o.AbstaendeFrei = false;
    o.Sigma2Frei = false;
    o.DebyeTemperatur = 315.0;
    ASSERT_EQ(MueXafsModell(K, Pfade(4), o), MUE_XAFS_OK);
    // Distances: the first (of four) fixed at Reff, the third-last a shift
    // within +-0.06, the last two shifts of 0, fixed; all cluster distances.
    EXPECT_EQ(flags[B(0) + 1], PF_FIXED | PF_CLUSTER);
    EXPECT_EQ(block[B(0) + 1], 2.5527);
    EXPECT_EQ(flags[B(1) + 1], PF_CLUSTER | PF_CONSTRAINED);
    EXPECT_EQ(block[B(1) + 1], 0.0);
    EXPECT_EQ(Unten(B(1) + 1), -0.06);
    EXPECT_EQ(Oben(B(1) + 1), 0.06);
    EXPECT_TRUE(Frei(B(1) + 1));
    for (int32_t j : {2, 3}) {
        EXPECT_EQ(flags[B(j) + 1], PF_FIXED | PF_CLUSTER);
        EXPECT_EQ(block[B(j) + 1], 0.0);
        EXPECT_FALSE(Frei(B(j) + 1));
    }
    // sigma^2: the first single-scattering path of potentials 1 and 2 free
    // at the Debye temperature within 100 .. 2000 K; the rest fixed; all
    // held as temperatures.
    for (int32_t j : {0, 3}) {
        EXPECT_EQ(flags[B(j) + 2], PF_MS | PF_CONSTRAINED) << j;
        EXPECT_EQ(block[B(j) + 2], 315.0);
        EXPECT_EQ(Unten(B(j) + 2), 100.0);
        EXPECT_EQ(Oben(B(j) + 2), 2000.0);
        EXPECT_TRUE(Frei(B(j) + 2));
    }
    for (int32_t j : {1, 2}) {
        EXPECT_EQ(flags[B(j) + 2], PF_MS | PF_FIXED) << j;
        EXPECT_FALSE(Frei(B(j) + 2));
    }

    // Three paths: the first is the third-last.
    ASSERT_EQ(MueXafsModell(K, Pfade(3), o), MUE_XAFS_OK);
    EXPECT_EQ(flags[B(0) + 1], PF_CLUSTER | PF_CONSTRAINED);
    EXPECT_EQ(block[B(0) + 1], 0.0);
}

TEST_F(MueXafsTabellen, RefusedModelsChangeNothing)
{
    const std::vector<double> vorher = block;
    MueXafsOptionen xyz;
    xyz.AbstaendeFrei = false;
    struct Fall {
        int32_t knoten, pfade;
        MueXafsOptionen o;
        int32_t erwartet;
    } faelle[] = {
        {K, 0, {}, MUE_XAFS_OHNE_PFADE},
        {K, 2, xyz, MUE_XAFS_XYZ_PFADE},   // the xyz rule needs three paths
        {K, 11, {}, MUE_XAFS_ZU_GROSS},    // 8 + 1 + 44 parameters
        {40, 3, {}, MUE_XAFS_ZU_GROSS},    // 40 + 1 + 12
    };
    for (const Fall& f : faelle) {
        std::vector<MueXafsPfad> p;
        for (int32_t j = 0; j < f.pfade; ++j) p.push_back(Pfade(1)[0]);
        EXPECT_EQ(MueXafsModell(f.knoten, p, f.o), f.erwartet) << f.knoten << " " << f.pfade;
        EXPECT_EQ(FitFunctionCount, 1);
        EXPECT_EQ(typen[1], 0);
        EXPECT_EQ(block, vorher);
    }
    // Ten paths beside eight knots end at parameter 48: allowed.
    EXPECT_EQ(MueXafsMaxPfade(K), 10);
    std::vector<MueXafsPfad> zehn(10, Pfade(1)[0]);
    ASSERT_EQ(MueXafsModell(K, zehn, {}), MUE_XAFS_OK);
    EXPECT_EQ(MaxParameter, 48);
    for (int32_t k = 0; k < K; ++k) EXPECT_EQ(block[SPLINE_KNOT_INDEX + k], 2.0 + k);
}

TEST(MueXafsTexte, ResultsTableOfTheSingleScatteringPaths)
{
    // Records 1 .. 3 behind the spline (4 knots) and S0^2: two single
    // scattering paths and a triangle.
    static FeffPfad pfade[4] = {};
    const char* symbole[3][2] = {{"Cu", "Cu"}, {"Cu", "Cu"}, {"Cu", "Cu"}};
    const int32_t beine[3] = {2, 3, 2};
    const double reff[3] = {2.5527, 3.829, 3.61}, gewicht[3] = {100.0, 12.38, 23.0};
    for (int32_t r = 1; r <= 3; ++r) {
        std::strcpy(pfade[r].AtomSymbole[0], symbole[r - 1][0]);
        std::strcpy(pfade[r].AtomSymbole[1], symbole[r - 1][1]);
        pfade[r].Beine = beine[r - 1];
        pfade[r].Reff = reff[r - 1];
        pfade[r].AmplitudenVerhaeltnis = gewicht[r - 1];
    }
    const int32_t typen[5] = {53, 25, 21, 21, 21};
    const double p[17] = {1, 1, 1, 1, 0.9, 12.0, 2.56, 0.0035, 1.5, 48.0, 0.0, 0.004, 1.5, 6.0, -0.02, 400.0, 1.5};
    const std::vector<MueXafsErgebnis> e =
        MueXafsErgebnisse(typen, 5, p, 4, pfade, [](double theta, int32_t satz) { return theta / 1e5 + satz; });
    ASSERT_EQ(e.size(), 2u);
    EXPECT_DOUBLE_EQ(e[1].R, 3.59);
    EXPECT_DOUBLE_EQ(e[1].Sigma2, 400.0 / 1e5 + 3);  // a temperature, through the model of record 3
    EXPECT_EQ(MueXafsDatei({e[0]}),
              "  Pair     ;  CN      ;   R        ;   R-Ro     ;  sig^2     ;  E0      ;  w(%)\r\n"
              "  Cu - Cu  ;  12      ;  2.56      ;  0.0073    ;  0.0035    ;  1.5     ;  100    \r\n");
    EXPECT_EQ(MueXafsTabelle({e[0]}), " Pair \tCN \tR \tR-Ro \tsig^2 \tE0 \tw(%)\r\n"
                                      " Cu - Cu \t 12 \t 2.56 \t 0.0073 \t 0.0035 \t 1.5 \t 100\r\n");
    EXPECT_EQ(SplineXasText(p, p + 4, 1), "1.0000000000E+00   9.0000000000E-01\n");

    // xyz correlation: the distances come from the cluster, stretched by
    // the coefficients held in the last three distances (0.01 on x). The
    // single-scattering paths lie along (1, 0, 1) and x.
    pfade[1].AtomX[0] = pfade[1].AtomZ[0] = 1.805;
    pfade[3].AtomX[0] = 3.61;
    std::vector<int32_t> flaggen(20, 0);
    for (int32_t i : {6, 10, 14}) flaggen[i] = PF_CLUSTER;
    int32_t* alt = ParameterFlags;
    ParameterFlags = flaggen.data();
    const double q[17] = {1, 1, 1, 1, 0.9, 12.0, 0.01, 0.0035, 1.5, 48.0, 0.0, 0.004, 1.5, 6.0, 0.0, 0.004, 1.5};
    const std::vector<MueXafsErgebnis> c = MueXafsErgebnisse(typen, 5, q, 4, pfade, nullptr);
    ASSERT_EQ(c.size(), 2u);
    EXPECT_NEAR(c[0].R, 2.5527 * std::sqrt((1.01 * 1.01 + 1.0) / 2.0), 1e-12);
    EXPECT_NEAR(c[1].R, 1.01 * 3.61, 1e-12);
    EXPECT_NEAR(c[1].RMinusReff, 0.01 * 3.61, 1e-12);
    // Without the bit on the third-last distance the coefficients are 0.
    flaggen[6] = 0;
    const std::vector<MueXafsErgebnis> d = MueXafsErgebnisse(typen, 5, q, 4, pfade, nullptr);
    EXPECT_NEAR(d[0].R, 2.5527 + 0.01, 1e-12);
    EXPECT_EQ(d[1].R, 3.61);
    ParameterFlags = alt;
}
