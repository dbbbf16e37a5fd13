// The coefficient text of the Fourier synthesis: the whole text is read,
// its refusals, and the round trip through the dialog's form.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "xrd/xrd_fourier_synthesis.h"

TEST(SyntheseKoeffizienten, ReadsTheWholeTextAndRefusesWhatIsNoList)
{
    const struct {
        std::string text;
        SyntheseStatus status;
        std::size_t anzahl;
        int32_t zeile;
    } faelle[] = {
        {"1\r\n0.5\r\n0.25", SYNTHESE_OK, 3, 0},
        {"1\r\n0.5\r\n0.25\r\n\r\n", SYNTHESE_OK, 3, 0},  // trailing blank lines
        {"1\r\n2", SYNTHESE_ZU_WENIGE, 2, 0},
        {"", SYNTHESE_ZU_WENIGE, 0, 0},
        {"1\r\nzwei\r\n3", SYNTHESE_KEINE_ZAHL, 0, 2},
        {"1\r\n\r\n3\r\n4", SYNTHESE_KEINE_ZAHL, 0, 2},
        {"1\r\n2 3\r\n4", SYNTHESE_KEINE_ZAHL, 0, 2},
    };
    for (const auto& f : faelle) {
        std::vector<double> c;
        int32_t zeile = 0;
        EXPECT_EQ(SyntheseKoeffizientenLesen(f.text, c, &zeile), f.status) << f.text;
        EXPECT_EQ(c.size(), f.anzahl) << f.text;
        EXPECT_EQ(zeile, f.zeile) << f.text;
    }
    // Beyond 1,990 characters and 50 lines, up to 248 coefficients.
    std::string lang;
    for (int k = 0; k < 248; ++k) lang += "-1.2345678901234E-05\r\n";
    std::vector<double> c;
    ASSERT_GT(lang.size(), 1990u);
    EXPECT_EQ(SyntheseKoeffizientenLesen(lang, c, nullptr), SYNTHESE_OK);
    EXPECT_EQ(c.size(), 248u);
    EXPECT_EQ(c[247], -1.2345678901234E-05);
    EXPECT_EQ(SyntheseKoeffizientenLesen(lang + "1", c, nullptr), SYNTHESE_ZU_VIELE);

    const double werte[3] = {1.0, 0.5, 0.25};
    EXPECT_EQ(SyntheseKoeffizientenText(werte, 3), "1\r\n0.5\r\n0.25");
    EXPECT_EQ(SyntheseKoeffizientenLesen(SyntheseKoeffizientenText(werte, 3), c, nullptr), SYNTHESE_OK);
    EXPECT_EQ(c, std::vector<double>(werte, werte + 3));
    const std::string nummern = SyntheseZeilenNummern(60);
    EXPECT_EQ(nummern.substr(0, 8), "1.\r\n2.\r\n");
    EXPECT_NE(nummern.find("\r\n60.\r\n"), std::string::npos);
    EXPECT_EQ(SyntheseZeilenNummern(3).substr(SyntheseZeilenNummern(3).size() - 5), "50.\r\n");
}
