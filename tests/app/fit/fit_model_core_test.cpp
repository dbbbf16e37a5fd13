// The fit model's tables: catalogue texts, parameter layout, the size
// check, the free-list moves with their flag rules, correlation words and
// the colour rule.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <set>
#include <string>

#include "model_fixture.h"

namespace {

struct Entry {
    int code;
    const char* name;
    unsigned count;
    std::vector<std::string> captions;
};

const std::vector<Entry> CATALOG = {
    {1, " Gaussian ", 3, {"Height: ", "Position: ", "fwhm: "}},
    {2, " Lorentzian ", 4, {"Height: ", "Position: ", "fwhm: ", "alpha: "}},
    {3, " Pseudo Voigt ", 4, {"Height: ", "Position: ", "fwhm: ", "Gauss. part: "}},
    {4, " asym. Gauss ", 4, {"Height: ", "Position: ", "left fwhm: ", "right fwhm: "}},
    {5, " asym. Lorentz ", 5, {"Height: ", "Position: ", "left fwhm: ", "right fwhm: ", "alpha: "}},
    {6, " asym. P-Voigt ", 5, {"Height: ", "Position: ", "left fwhm: ", "right fwhm: ", "Gauss. part: "}},
    {7, " Polynomial ", 0, {}},
    {8, " mod. atan ", 3, {"Height: ", "Position: ", "fwhm: "}},
    {9, " [A*(Bx)^C+D] parabolic-law", 4, {"Scaling: ", "Amplitude: ", "Exponent: ", "Phase: "}},
    {10, " cosinus", 3, {"Amplitude: ", "Frequency: ", "Phase: "}},
    {11, " [A(1-exp(-(Bx)^C)] Avrami-Erofeev", 3, {"Amplitude: ", "Phase: ", "Exponent: "}},
    {12, " Voigt ", 4, {"Amplitude: ", "Position: ", "Lorentz: ", "Gauss: "}},
    {13, " Pearson7 ", 6, {"Height: ", "Position: ", "left fwhm: ", "Exponent: ", "right fwhm: ", "Exponent: "}},
    {14, " GIC-00L ", 5, {"Scaling: ", "z (Anions): ", "nue ( C ): ", "nue ( Me ): ", "D.W. factor: "}},
    {15, " stand. exafs ", 4, {"Coord.No.: ", "distance R: ", "sigma^2: ", "E0 shift: "}},
    {16, " exafs (d') ", 5, {"Coord.No.: ", "distance R: ", "sigma^2: ", "E0 shift: ", "3rd cumulant: "}},
    {17, " exafs (d'') ", 5, {"Coord.No.: ", "distance R: ", "sigma^2: ", "E0 shift: ", "4th cumulant: "}},
    {18, " exafs (d'+d'') ", 6,
     {"Coord.No.: ", "distance R: ", "sigma^2: ", "E0 shift: ", "3rd cumulant: ", "4th cumulant: "}},
    {19, " new atan ", 4, {"Height: ", "Position: ", "fwhm: ", "Scaling: "}},
    {20, " Victoreen ", 3, {". coeff.: ", ". coeff.: ", ". coeff.: "}},
    {21, " feff-Fit ", 4, {"Coord.No.: ", "distance R: ", "sigma^2: ", "E0 shift: "}},
    {22, " feff-Fit (d') ", 5, {"Coord.No.: ", "distance R: ", "sigma^2: ", "E0 shift: ", "3rd cumulant: "}},
    {23, " feff-Fit (d'') ", 5, {"Coord.No.: ", "distance R: ", "sigma^2: ", "E0 shift: ", "4th cumulant: "}},
    {24, " feff-Fit (d'+d'') ", 6,
     {"Coord.No.: ", "distance R: ", "sigma^2: ", "E0 shift: ", "3rd cumulant: ", "4th cumulant: "}},
    {25, " feff-S0 ", 1, {"S0^2: "}},
    {26, " LC xanes ", 2, {"partial c.: ", "E0 shift: "}},
    {27, " CDM ", 1, {"Debye T.: "}},
    {28, " FEFF cluster ", 3, {"distance R: ", "distance R: ", "distance R: "}},
    {29, " Zero shift ", 1, {"Zero shift: "}},
    {30, " Lattice constants ", 6, {"a: ", "b: ", "c: ", "alpha: ", "beta: ", "gamma: "}},
    {31, " UVW (FWHM) ", 3, {"u: ", "v: ", "w: "}},
    {32, " Background ", 4, {"Height: ", "Amplitude: ", "Phase: ", "Frequency: "}},
};

}  // namespace

TEST(FitCatalog, NamesCountsAndCaptionsAsTheDialogsShowThem)
{
    for (const Entry& e : CATALOG) {
        const FIT_FUNKTION& f = FitFunctionCatalog[e.code];
        // Byte-exact: the name and nothing after its terminator.
        EXPECT_EQ(std::memcmp(f.Name, e.name, std::strlen(e.name) + 1), 0) << e.code;
        EXPECT_EQ(f.ParameterZahl, e.count) << e.code;
        for (size_t i = 0; i < e.captions.size(); ++i)
            EXPECT_STREQ(ParameterNames[f.Bezeichnungen[i]], e.captions[i].c_str()) << e.code << " " << i;
        for (size_t i = e.captions.size(); i < 6; ++i) EXPECT_EQ(f.Bezeichnungen[i], 0u) << e.code;
        // The evaluator's layout agrees with the catalogue (7 aside).
        if (e.code != 7) {
            EXPECT_EQ(FunctionParameterCount(e.code, 0, 0), static_cast<int>(e.count));
        }
    }
    EXPECT_EQ(FitFunctionCatalog[0].Name[0], '\0');
    EXPECT_EQ(FitFunctionCatalog[33].Name[0], '\0');
    EXPECT_STREQ(ParameterNames[6], ". coeff.: ");
    EXPECT_STREQ(ParameterNames[37], "w: ");
}

TEST(FitCatalog, CodesOutsideTheCatalogueLayOutTheirParameters)
{
    EXPECT_EQ(FunctionParameterCount(7, 3, 0), 4);
    EXPECT_EQ(FunctionParameterCount(107, 2, 0), 3);
    EXPECT_EQ(FunctionParameterCount(53, 0, 12), 12);
    EXPECT_EQ(FunctionParameterCount(154, 0, 9), 9);
    EXPECT_EQ(FunctionParameterCount(80, 0, 0), 4);
    EXPECT_EQ(FunctionParameterCount(51, 0, 0), 0);
    EXPECT_EQ(FunctionParameterCount(0, 0, 0), 0);
    EXPECT_EQ(FunctionParameterCount(40, 0, 0), 0);
}

class FitTables : public ModelFixture {};

TEST_F(FitTables, ResetLaysOutTheModelAndItsBounds)
{
    FitPolyDegree = 3;
    Model({7, 12});
    EXPECT_EQ(MaxParameter, 7);
    EXPECT_EQ(MaxFitParameter, 7);
    for (int j = 0; j < RESET_ENTRIES; ++j) ASSERT_EQ(freeList[j], j);

    Model({1});
    EXPECT_EQ(MaxParameter, 2);
    EXPECT_EQ(LowerBoundIndex(0), 500);
    EXPECT_EQ(UpperBoundIndex(0), 501);
    EXPECT_EQ(LowerBoundIndex(MaxParameter), 504);
    EXPECT_EQ(UpperBoundIndex(MaxParameter), 505);

    // Row index: functions before f counted, the current one last.
    FitPolyDegree = 2;
    Model({7, 1, 21, 1});
    EXPECT_EQ(ParameterIndex(1, 2), 2);
    EXPECT_EQ(ParameterIndex(2, 0), 3);
    EXPECT_EQ(ParameterIndex(3, 1), 7);
    EXPECT_EQ(ParameterIndex(4, 2), 12);
}

TEST_F(FitTables, OneSizeCheckRefusesModelsThatOverlapTheBlock)
{
    std::vector<int32_t> m(83, 1);  // 249 parameters
    EXPECT_EQ(CheckModelSize(83, m.data(), 0, 0), 249);
    m.push_back(25);  // 250
    EXPECT_EQ(CheckModelSize(84, m.data(), 0, 0), -1);
    m.back() = 125;   // switched off still holds its place
    EXPECT_EQ(CheckModelSize(84, m.data(), 0, 0), -1);

    const int32_t victoreen[] = {20, 7};
    EXPECT_EQ(CheckModelSize(2, victoreen, 46, 0), 50);
    EXPECT_EQ(CheckModelSize(2, victoreen, 47, 0), -1);
    const int32_t later[] = {7, 20};  // a Victoreen not first does not limit
    EXPECT_EQ(CheckModelSize(2, later, 47, 0), 51);
    // A spline background keeps one place more free: 49 at most.
    const int32_t spline[] = {53, 21};
    EXPECT_EQ(CheckModelSize(2, spline, 0, 45), 49);
    EXPECT_EQ(CheckModelSize(2, spline, 0, 46), -1);
    const int32_t tabelle[] = {25, 21, 54};
    EXPECT_EQ(CheckModelSize(3, tabelle, 0, 44), 49);
    EXPECT_EQ(CheckModelSize(3, tabelle, 0, 45), -1);
    EXPECT_EQ(ModelParameterLimit(3, tabelle), 49);
    EXPECT_EQ(ModelParameterLimit(2, victoreen), 50);
    EXPECT_EQ(ModelParameterLimit(2, later), 249);
    const int32_t poly[] = {7};
    EXPECT_EQ(CheckModelSize(1, poly, -1, 0), -1);
    EXPECT_EQ(CheckModelSize(MAX_MODEL_FUNCTIONS + 1, types.data(), 0, 0), -1);

    // A refused model leaves the tables and counters as they were.
    Model({1, 1});
    FixParameter(4);
    const std::vector<int32_t> before = freeList;
    FitFunctionCount = 84;
    for (int i = 0; i < 84; ++i) types[i] = i < 83 ? 1 : 25;
    EXPECT_EQ(ResetModelTables(), -1);
    EXPECT_EQ(MaxParameter, 5);
    EXPECT_EQ(MaxFitParameter, 4);
    EXPECT_EQ(freeList, before);
    EXPECT_EQ(flags[4], PF_FIXED);
}

// Any sequence of fixes, frees and correlations keeps the list a
// permutation with exactly the parameters that may move in front.
TEST_F(FitTables, FreeListStaysAPermutationWithTheFreeParametersFirst)
{
    Model({21, 21, 21, 21, 21, 21, 21, 21, 21, 21});
    std::mt19937 zufall(7);
    std::uniform_int_distribution<int> par(0, MaxParameter), was(0, 5);
    for (int step = 0; step < 4000; ++step) {
        const int p = par(zufall);
        switch (was(zufall)) {
        case 0: case 1: FixParameter(p); break;
        case 2: case 3: FreeParameter(p); break;
        case 4: SetCorrelation(p, zufall() % 2 ? CorrelationWord(par(zufall), CW_TIMES)
                                               : MsCorrelationWord(par(zufall), 200), 1.0);
            break;
        default: RemoveCorrelation(p); break;
        }
        std::vector<int32_t> head(freeList.begin(), freeList.begin() + MaxParameter + 1);
        std::sort(head.begin(), head.end());
        for (int j = 0; j <= MaxParameter; ++j) ASSERT_EQ(head[j], j) << "step " << step;
        for (int j = 0; j <= MaxParameter; ++j) {
            const int32_t q = freeList[j];
            const bool aussen = (flags[q] & PF_FIXED) || (words[q] != 0 && words[q] != CW_MASTER);
            ASSERT_EQ(j > MaxFitParameter, aussen) << "step " << step << " parameter " << q;
        }
    }
    for (int p = 0; p <= MaxParameter; ++p) {
        RemoveCorrelation(p);
        FixParameter(p);
    }
    EXPECT_EQ(MaxFitParameter, -1);
    EXPECT_EQ(FixParameter(MaxParameter + 1), -1);
}

TEST_F(FitTables, FixingAndFreeingFollowTheFlagRules)
{
    Model({25, 21, 21, 21});  // S0, three paths; distances at 2, 6, 10
    flags[3] = PF_CONSTRAINED;
    FixParameter(3);
    EXPECT_EQ(flags[3], PF_FIXED);

    const int32_t tempBits = PF_TEMPERATURE_MODEL | PF_MS | PF_CLUSTER;
    for (int p : {2, 6, 10}) {
        flags[p] = tempBits;
        FixParameter(p);
        FreeParameter(p);
    }
    EXPECT_EQ(flags[2], 0);            // not one of the last two distances
    EXPECT_EQ(flags[6], PF_CLUSTER);   // distance of the last two functions
    EXPECT_EQ(flags[10], PF_CLUSTER);

    // E0 ties: each cleared tie toggles 0x100 from (count - 6) * 4 + 4 on,
    // here from parameter 0.
    flags[4] = PF_E0_TIED;
    FixParameter(4);
    FreeParameter(4);
    EXPECT_EQ(flags[4], PF_E0_LAST_PATHS);
    flags[8] = PF_E0_TIED | PF_E0_POTENTIAL;
    FixParameter(8);
    FreeParameter(8);
    EXPECT_EQ(flags[8], 0);
    // A parameter that is not fixed keeps its bits when freed.
    flags[5] = PF_MS;
    FreeParameter(5);
    EXPECT_EQ(flags[5], PF_MS);
}

TEST_F(FitTables, CorrelationsTakeDependentsOutOfTheFreePart)
{
    Model({1, 1});
    SetCorrelation(0, CW_MASTER, 5.0);
    EXPECT_EQ(words[0], -1);
    EXPECT_EQ(constants[0], 0.0);
    EXPECT_LE(FreeListPosition(0), MaxFitParameter);
    // "equal": times 1.0.
    SetCorrelation(3, CorrelationWord(0, CW_TIMES), 1.0);
    EXPECT_EQ(words[3], 0x400);
    EXPECT_GT(FreeListPosition(3), MaxFitParameter);
    // Sum-group members stay free.
    SetCorrelation(4, CorrelationWord(0, CW_SUM_GROUP), 0.0);
    EXPECT_LE(FreeListPosition(4), MaxFitParameter);
    // A fixed dependent stays out when its correlation goes.
    FixParameter(3);
    RemoveCorrelation(3);
    EXPECT_EQ(flags[3], PF_FIXED);
    EXPECT_GT(FreeListPosition(3), MaxFitParameter);
    FreeParameter(3);
    EXPECT_LE(FreeListPosition(3), MaxFitParameter);
    EXPECT_EQ(MaxFitParameter, MaxParameter);
}

TEST(FitWords, IndexFieldsAreUnsignedBytes)
{
    const int32_t w = MsCorrelationWord(17, 200);
    EXPECT_LT(w, 0);  // bit 31 set, and still no master
    EXPECT_FALSE(IsMasterWord(w));
    EXPECT_TRUE(IsMsWord(w));
    EXPECT_FALSE(IsDependentWord(w));
    EXPECT_EQ(WordMsFirst(w), 17);
    EXPECT_EQ(WordMsSecond(w), 200);
    EXPECT_EQ(WordMsSecond(MsCorrelationWord(255, 255)), 255);
    const int32_t d = CorrelationWord(200, CW_DIVIDE | CW_THIRD_PARAMETER);
    EXPECT_TRUE(IsDependentWord(d));
    EXPECT_EQ(WordMaster(d), 200);
    EXPECT_EQ(d & CW_DIVIDE, CW_DIVIDE);
    EXPECT_TRUE(IsMasterWord(CW_MASTER));
    EXPECT_FALSE(IsDependentWord(0));
}

TEST(FitColours, FirstMatchingRuleWins)
{
    struct { int32_t flags; uint32_t rgb; } cases[] = {
        {0, 0xFFFFFF},
        {PF_CONSTRAINED, 0xFFFF00},                  // cyan (0x00BBGGRR)
        {PF_CORRELATED | PF_CONSTRAINED, 0x00FF00},  // green
        {PF_FIXED | PF_CORRELATED, 0x0000FF},        // red
        {PF_E0_POTENTIAL | PF_FIXED, 0x008000},      // dark green
        {PF_E0_TIED | PF_E0_POTENTIAL, 0x000080},    // dark red
        {PF_CLUSTER | PF_E0_TIED, 0x008080},         // olive
        {PF_MS_DISTANCE | PF_CLUSTER, 0x00FFFF},     // yellow
        {PF_DW_POLYNOMIAL | PF_MS_DISTANCE, 0x808000},  // teal
        {PF_MS_PATH | PF_DW_POLYNOMIAL, 0xFF00FF},   // magenta
        {PF_MS | PF_MS_PATH, 0xFF0000},              // blue
        {PF_TEMPERATURE_MODEL, 0xFF0000},
        {PF_E0_SHIFT | PF_WIDE | PF_E0_LAST_PATHS, 0xFFFFFF},
    };
    for (const auto& c : cases) EXPECT_EQ(ParameterColour(c.flags), c.rgb) << std::hex << c.flags;
}
