// The correlation rules of the correlation dialog: words, constants,
// texts and what OK stores, checked against the library's own reading.
#include <gtest/gtest.h>

#include "fit/correlation.h"
#include "model_fixture.h"

class Correlation : public ModelFixture {};

TEST_F(Correlation, ListLines)
{
    FitPolyDegree = 1;
    Model({1, 7});
    EXPECT_EQ(ParameterZeile(1), " 2. # 1,  Gaussian , Position:");
    EXPECT_EQ(ParameterZeile(4), " 5. # 2,  Polynomial , Coeff.");
    EXPECT_EQ(ParameterZeile(5), "");
    EXPECT_EQ(std::atoi(ParameterZeile(4).c_str()) - 1, 4);  // the number is read back
}

TEST_F(Correlation, EqualIsTimesOne)
{
    Model({1, 1});
    std::vector<KORRELATIONS_EINTRAG> liste;
    KorrelationenAnfuegen(0, {3}, KORR_GLEICH, -1, 0.0, "", liste);
    ASSERT_EQ(liste.size(), 1u);
    EXPECT_EQ(liste[0].Wort, CW_TIMES | 0);
    EXPECT_EQ(liste[0].Konstante, 1.0);
    EXPECT_EQ(liste[0].Text, " 4. # 2,  Gaussian , Height:  and (SP) are equal");
    EXPECT_EQ(KorrelationenSpeichern(0, liste), 1);
    EXPECT_EQ(words[0], CW_MASTER);
    EXPECT_EQ(words[3], CW_TIMES);
    EXPECT_EQ(flags[3], PF_CORRELATED);
    EXPECT_EQ(MaxFitParameter, 4);
    EXPECT_EQ(FreeListPosition(3), 5);
}

TEST_F(Correlation, SumOfThreeGivesOneDependentAndTwoFreeMembers)
{
    Model({1, 1, 1, 1});
    std::vector<KORRELATIONS_EINTRAG> liste;
    KorrelationenAnfuegen(0, {3, 6, 9}, KORR_SUMME, -1, 10.0, "10", liste);
    ASSERT_EQ(liste.size(), 3u);
    EXPECT_EQ(liste[0].Text.substr(liste[0].Text.size() - 12), " + (SP) = 10");
    EXPECT_EQ(KorrelationenSpeichern(0, liste), 3);
    EXPECT_EQ(words[3], CW_SUM_EQUAL);
    EXPECT_EQ(constants[3], 10.0);
    EXPECT_EQ(words[6], CW_SUM_GROUP);
    EXPECT_EQ(words[9], CW_SUM_GROUP);
    EXPECT_EQ(MaxFitParameter, 10);  // only the dependent left
    EXPECT_LE(FreeListPosition(6), MaxFitParameter);
    EXPECT_LE(FreeListPosition(9), MaxFitParameter);
    // The library's rule: dependent = c - master - members.
    block[0] = 2;
    block[6] = 3;
    block[9] = 1.5;
    zelva.SetParameterCorrelation(words.data(), constants.data());
    zelva.SetParameterDifference(block.data(), nullptr, flags.data(), freeList.data());
    zelva.SetAnzahl(-1, MaxParameter, MaxFitParameter);
    zelva.EvaluateCorrelation(FreeListPosition(0), block.data(), block.data(), true);
    EXPECT_DOUBLE_EQ(block[3], 10.0 - 2 - 3 - 1.5);
}

TEST_F(Correlation, OperationsAndTheThirdParameter)
{
    Model({1, 1, 1});
    struct Fall { KORRELATION art; int32_t bit; const char* zeichen; };
    for (const Fall& f : {Fall{KORR_PLUS, CW_PLUS, " = (SP) + 2.5"}, Fall{KORR_MINUS, CW_MINUS, " = (SP) - 2.5"},
                          Fall{KORR_MAL, CW_TIMES, " = (SP) * 2.5"}, Fall{KORR_DURCH, CW_DIVIDE, " = (SP) / 2.5"}}) {
        std::vector<KORRELATIONS_EINTRAG> liste;
        KorrelationenAnfuegen(1, {4}, f.art, -1, 2.5, "2.5", liste);
        EXPECT_EQ(liste[0].Wort, f.bit | 1);
        EXPECT_EQ(liste[0].Konstante, 2.5);
        EXPECT_NE(liste[0].Text.find(f.zeichen), std::string::npos) << f.zeichen;
    }
    // A third parameter: its index + 0.2, read by the library as the
    // parameter's value.
    std::vector<KORRELATIONS_EINTRAG> liste;
    KorrelationenAnfuegen(1, {4}, KORR_PLUS, 7, 0.0, "", liste);
    EXPECT_EQ(liste[0].Wort, CW_PLUS | CW_THIRD_PARAMETER | 1);
    EXPECT_DOUBLE_EQ(liste[0].Konstante, 7.2);
    KorrelationenSpeichern(1, liste);
    block[1] = 4.0;
    block[7] = 0.75;
    zelva.SetParameterCorrelation(words.data(), constants.data());
    zelva.SetParameterDifference(block.data(), nullptr, flags.data(), freeList.data());
    zelva.SetAnzahl(-1, MaxParameter, MaxFitParameter);
    zelva.EvaluateCorrelation(FreeListPosition(1), block.data(), block.data(), true);
    EXPECT_DOUBLE_EQ(block[4], 4.75);
}
