// ".par" files and parameter schemes: round trips of every table, and
// damaged files refused with the model left as it was.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "fit/parameter_file.h"
#include "model_fixture.h"

namespace {

std::string Text(int32_t (*schreiber)(std::FILE*))
{
    std::FILE* f = std::tmpfile();
    EXPECT_EQ(schreiber(f), 1);
    std::rewind(f);
    std::string s;
    for (int c; (c = std::fgetc(f)) != EOF;) s += static_cast<char>(c);
    std::fclose(f);
    return s;
}

std::FILE* Datei(const std::string& text)
{
    std::FILE* f = std::tmpfile();
    std::fputs(text.c_str(), f);
    std::rewind(f);
    return f;
}

struct Stand {
    std::vector<double> block;
    std::vector<int32_t> types, flags, words, list;
    std::vector<double> constants;
    int32_t count, degree, maxPar, maxFit;
    bool operator==(const Stand& o) const
    {
        return block == o.block && types == o.types && flags == o.flags && words == o.words &&
               list == o.list && constants == o.constants && count == o.count && degree == o.degree &&
               maxPar == o.maxPar && maxFit == o.maxFit;
    }
};

}  // namespace

class ParameterFile : public ModelFixture {
protected:
    Stand Jetzt() const
    {
        return Stand{block, types, flags, words, freeList, constants, FitFunctionCount, FitPolyDegree,
                     MaxParameter, MaxFitParameter};
    }
    // [Gaussian, Gaussian, polynomial 1, Lorentzian, Gaussian]: 15 parameters
    // with a fixed one, a constrained one, a master with an equal, a sum
    // group (one 0x1000 dependent, two 0x4000 members), a third-parameter
    // tie and a multiple-scattering word.
    void Reich()
    {
        FitPolyDegree = 1;
        Model({1, 1, 7, 2, 1}, {10, 2.5, 0.75, 8, 4.125, 0.5, 0.01, -0.002, 3, 6, 1.5, 1, 2, 7, 0.25});
        ASSERT_EQ(MaxParameter, 14);
        FixParameter(2);
        flags[4] |= PF_CONSTRAINED;
        block[LowerBoundIndex(4)] = 4;
        block[UpperBoundIndex(4)] = 5;
        flags[0] |= PF_CORRELATED;
        words[0] = CW_MASTER;
        ASSERT_EQ(SetCorrelation(3, CorrelationWord(0, CW_TIMES), 1.0), 1);
        flags[3] |= PF_CORRELATED;
        flags[1] |= PF_CORRELATED;
        words[1] = CW_MASTER;
        SetCorrelation(9, CorrelationWord(1, CW_SUM_EQUAL), 12.5);
        flags[9] |= PF_CORRELATED;
        SetCorrelation(13, CorrelationWord(1, CW_SUM_GROUP), 0.0);
        flags[13] |= PF_CORRELATED;
        SetCorrelation(12, CorrelationWord(1, CW_SUM_GROUP), 0.0);
        flags[12] |= PF_CORRELATED;
        SetCorrelation(11, CorrelationWord(8, CW_PLUS | CW_THIRD_PARAMETER), 5.2);
        flags[11] |= PF_CORRELATED;
        SetCorrelation(14, MsCorrelationWord(10, 1), 60.0);
        flags[14] |= PF_CORRELATED;
    }
};

TEST_F(ParameterFile, OneGaussianIsWrittenAsSixLines)
{
    Model({1}, {2, 3, 0.5});
    EXPECT_EQ(Text(WriteParameterText), "111111\n1,2,3,0.5\n0,1,2\n0,0,0\n0,0,0\n0,0,0\n");
    FitPolyDegree = 3;
    Model({7}, {1, 2, 3, 4});
    EXPECT_EQ(Text(WriteParameterText).substr(0, 20), "111111\n7,3,1,2,3,4\n0");
}

TEST_F(ParameterFile, RichModelReadsBackIdentical)
{
    Reich();
    const int32_t frei = MaxFitParameter;
    EXPECT_EQ(frei, 14 - 5);  // fixed 2, dependents 3, 9, 11 and the MS word of 14
    const std::string text = Text(WriteParameterText);
    const Stand vorher = Jetzt();
    // Scramble everything the reader writes, then read.
    for (int j = 0; j < 15; ++j) {
        block[j] = -1;
        flags[j] = 77;
        words[j] = 5;
        constants[j] = 9;
        freeList[j] = 0;
    }
    types[0] = 3;
    FitFunctionCount = 1;
    FitPolyDegree = 4;
    MaxParameter = MaxFitParameter = 99;
    PARAMETER_SATZ satz;
    std::string fehler;
    std::FILE* f = Datei(text);
    ASSERT_EQ(ReadParameterText(f, satz, fehler), 1) << fehler;
    std::fclose(f);
    EXPECT_EQ(CommitParameterSet(satz), 5);
    EXPECT_TRUE(Jetzt() == vorher);
    EXPECT_EQ(MaxFitParameter, frei);
}

TEST_F(ParameterFile, OnlyTheFirstLineGivesAnEmptyModel)
{
    Model({1}, {1, 2, 3});
    PARAMETER_SATZ satz;
    std::string fehler;
    std::FILE* f = Datei("111111\n");
    ASSERT_EQ(ReadParameterText(f, satz, fehler), 1);
    std::fclose(f);
    EXPECT_EQ(CommitParameterSet(satz), 0);
    EXPECT_EQ(FitFunctionCount, 0);
    EXPECT_EQ(MaxParameter, -1);
    EXPECT_EQ(MaxFitParameter, -1);
}

TEST_F(ParameterFile, EmptyLineEndsAndLongLinesAreWhole)
{
    std::string lang = "111111\n1,";
    lang += std::string(400, '0') + "2,3,0.5\n0,1,2\n0,0,0\n0,0,0\n0,0,0\n\n1,1,1,1\n";
    PARAMETER_SATZ satz;
    std::string fehler;
    std::FILE* f = Datei(lang);
    ASSERT_EQ(ReadParameterText(f, satz, fehler), 1) << fehler;
    std::fclose(f);
    ASSERT_EQ(satz.Typen.size(), 1u);
    EXPECT_EQ(satz.Werte[0], 2.0);
}

TEST_F(ParameterFile, DamagedFilesAreRefusedAndTheModelStays)
{
    const std::string gut = "1,2,3,0.5\n0,1,2\n0,0,0\n0,0,0\n0,0,0\n";
    std::string gross = "111111\n";
    for (int k = 0; k < 84; ++k)  // 252 parameters
        gross += "1,1,2,3\n" + std::to_string(3 * k) + "," + std::to_string(3 * k + 1) + "," +
                 std::to_string(3 * k + 2) + "\n0,0,0\n0,0,0\n0,0,0\n";
    const std::vector<std::pair<const char*, std::string>> faelle = {
        {"wrong first line", "111112\n" + gut},
        {"cut function", "111111\n1,2,3,0.5\n0,1,2\n0,0,0\n"},
        {"value count", "111111\n1,2,3\n0,1\n0,0\n0,0\n0,0\n"},
        {"word for a number", "111111\n1,2,three,0.5\n0,1,2\n0,0,0\n0,0,0\n0,0,0\n"},
        {"word in the flags", "111111\n1,2,3,0.5\n0,1,2\n0,x,0\n0,0,0\n0,0,0\n"},
        {"250 parameters", gross},
        {"unknown code", "111111\n99,2,3,0.5\n0,1,2\n0,0,0\n0,0,0\n0,0,0\n"},
        {"no permutation", "111111\n1,2,3,0.5\n0,1,1\n0,0,0\n0,0,0\n0,0,0\n"},
        {"list beyond the model", "111111\n1,2,3,0.5\n0,1,3\n0,0,0\n0,0,0\n0,0,0\n"},
        {"master outside", "111111\n1,2,3,0.5\n0,1,2\n0,0,4\n0,0,1029\n0,0,1\n"},
        {"free part against flags", "111111\n1,2,3,0.5\n0,1,2\n1,0,0\n0,0,0\n0,0,0\n"},
    };
    Model({2}, {5, 6, 7, 8});
    FixParameter(1);
    const Stand vorher = Jetzt();
    for (const auto& fall : faelle) {
        PARAMETER_SATZ satz;
        std::string fehler;
        std::FILE* f = Datei(fall.second);
        EXPECT_EQ(ReadParameterText(f, satz, fehler), 0) << fall.first;
        EXPECT_FALSE(fehler.empty()) << fall.first;
        std::fclose(f);
        EXPECT_TRUE(Jetzt() == vorher) << fall.first;
    }
}

TEST_F(ParameterFile, SchemeRoundTripAndFlagsOnly)
{
    Reich();
    const std::string text = Text(WriteScheme);
    const Stand vorher = Jetzt();
    for (int j = 0; j < 15; ++j) {
        block[j] = -1;
        flags[j] = 0;
        words[j] = 0;
        freeList[j] = j;
    }
    MaxFitParameter = 14;
    std::string fehler;
    std::FILE* f = Datei(text);
    ASSERT_EQ(ReadScheme(f, false, fehler), 1) << fehler;
    std::fclose(f);
    EXPECT_TRUE(Jetzt() == vorher);
    // Flags only: the values stay.
    for (int j = 0; j < 15; ++j) block[j] = 100 + j;
    flags[0] = 0;
    f = Datei(text);
    ASSERT_EQ(ReadScheme(f, true, fehler), 1);
    std::fclose(f);
    EXPECT_EQ(block[0], 100.0);
    EXPECT_EQ(block[14], 114.0);
    EXPECT_EQ(flags, vorher.flags);
}

TEST_F(ParameterFile, DamagedSchemesAreRefused)
{
    Model({1}, {1, 2, 3});
    const std::vector<std::pair<const char*, std::string>> faelle = {
        {"other parameter count", "3  3\n1 0 0 0 0\n2 1 0 0 0\n3 2 0 0 0\n4 3 0 0 0\n"},
        {"cut", "2  2\n1 0 0 0 0\n2 1 0 0 0\n"},
        {"word for a number", "2  2\n1 0 0 0 0\nzwei 1 0 0 0\n3 2 0 0 0\n"},
        {"no permutation", "2  2\n1 0 0 0 0\n2 0 0 0 0\n3 2 0 0 0\n"},
        {"word naming nothing", "2  1\n1 0 0 0 0\n2 1 0 0 0\n3 2 4 1031 1\n"},
        {"first line", "zwei\n"},
    };
    const Stand vorher = Jetzt();
    for (const auto& fall : faelle) {
        std::string fehler;
        std::FILE* f = Datei(fall.second);
        EXPECT_EQ(ReadScheme(f, false, fehler), 0) << fall.first;
        std::fclose(f);
        EXPECT_TRUE(Jetzt() == vorher) << fall.first;
    }
}
