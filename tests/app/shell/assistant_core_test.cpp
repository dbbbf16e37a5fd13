// The scenarios of the assistant: the markers of "assist.txt", the order of
// scenarios 1 and 12, and the shipped file.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "shell/assistant.h"

namespace {

std::vector<std::string> Zeilen(const std::string& text)
{
    std::FILE* f = std::tmpfile();
    std::fputs(text.c_str(), f);
    std::rewind(f);
    std::vector<std::string> z = AssistZeilen(f);
    std::fclose(f);
    return z;
}

// Scenarios 1 to 12 in ascending order, each with two steps.
std::string ZwoelfSzenarien()
{
    std::string t;
    for (int n = 1; n <= 12; ++n) t += "title " + std::to_string(n) + "\n";
    t += "######\nintro line 1\nintro line 2\n######\n";
    for (int n = 1; n <= 12; ++n) {
        const std::string s = std::to_string(n);
        t += "Scenario " + s + "\ntext of " + s + "\n*****\n";
        t += "Step 2 of " + s + "\nmore\n*****\n";
        t += "Step 3 of " + s + " END of this scenario\n*****\n";
    }
    return t;
}

}  // namespace

TEST(AssistantFile, TitlesIntroductionAndScenarioOrder)
{
    const std::vector<std::string> z = Zeilen(ZwoelfSzenarien());
    std::vector<std::string> titel;
    std::string einleitung;
    AssistAnfang(z, &titel, &einleitung);
    ASSERT_EQ(titel.size(), 12u);
    EXPECT_EQ(titel[11], "title 12");
    EXPECT_EQ(einleitung, "intro line 1\r\nintro line 2\r\n");
    // "Scenario 1" also matches the line of scenario 12; the first in the
    // file wins, so both find their own.
    EXPECT_EQ(AssistSzenario(z, 1), "text of 1\r\n");
    EXPECT_EQ(AssistSzenario(z, 12), "text of 12\r\n");
    bool ende = true;
    EXPECT_EQ(AssistSchritt(z, 12, 2, &ende), "Step 2 of 12\r\nmore\r\n");
    EXPECT_FALSE(ende);
    EXPECT_EQ(AssistSchritt(z, 1, 3, &ende), "Step 3 of 1 END of this scenario\r\n");
    EXPECT_TRUE(ende);
    EXPECT_EQ(AssistSzenario(z, 13), "");
}

TEST(AssistantFile, ScenarioTwelveBeforeOneIsFoundForOne)
{
    // Out of order, the search for scenario 1 stops at the line of 12.
    const std::vector<std::string> z =
        Zeilen("a\nb\n######\n######\nScenario 12\ntwelve\n*****\nScenario 1\none\n*****\n");
    EXPECT_EQ(AssistSzenario(z, 1), "twelve\r\n");
}

TEST(AssistantFile, ShippedScenariosRunToTheirEnd)
{
    std::FILE* f = std::fopen(KORLAN_TEST_DIR "/../app/resources/program/assist.txt", "rt");
    ASSERT_NE(f, nullptr);
    const std::vector<std::string> z = AssistZeilen(f);
    std::fclose(f);
    for (const std::string& zeile : z) EXPECT_LE(zeile.size(), static_cast<size_t>(ASSIST_ZEILE));
    std::vector<std::string> titel;
    std::string einleitung;
    AssistAnfang(z, &titel, &einleitung);
    ASSERT_GE(titel.size(), 4u);
    EXPECT_NE(einleitung.find("Welcome"), std::string::npos);
    for (size_t n = 1; n <= titel.size(); ++n) {
        const int32_t nr = static_cast<int32_t>(n);
        EXPECT_GT(AssistSzenario(z, nr).size(), 40u) << n;
        // The scenario's own line is "Scenario n", nothing else matches first.
        int32_t k = 1;
        bool ende = false;
        while (!ende && k < 20) {
            ++k;
            const std::string schritt = AssistSchritt(z, nr, k, &ende);
            ASSERT_FALSE(schritt.empty()) << "scenario " << n << " step " << k;
            EXPECT_EQ(schritt.rfind("Step " + std::to_string(k), 0), 0u) << schritt;
        }
        EXPECT_TRUE(ende) << n;
    }
}
