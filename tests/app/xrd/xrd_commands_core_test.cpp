// The arithmetic of the conversion to 2 sin(theta)/lambda, the background
// and normalisation, and the settings file's round trip through the
// start-up reader.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "shell/settings.h"
#include "xrd/xrd_commands.h"

TEST(XrdCommands, SinThetaOverLambda)
{
    std::vector<double> x = {0.0, 60.0, 180.0};
    ASSERT_EQ(XrdSinusUeberLambda(x.data(), 3, 154.2), 1);
    EXPECT_EQ(x[0], 0.0);
    EXPECT_NEAR(x[1], 1.0 / 154.2, 1e-18);  // sin 30 degrees = 1/2
    EXPECT_EQ(x[2], 2.0 / 154.2);
    std::vector<double> y = {10.0, 20.0};
    for (double lambda : {0.0, -1.0, std::nan("")}) {
        EXPECT_EQ(XrdSinusUeberLambda(y.data(), 2, lambda), 0);
        EXPECT_EQ(y[1], 20.0);
    }
}

TEST(XrdCommands, BackgroundAndNormalisation)
{
    std::vector<double> y = {5, 3, 7, 4, 6};
    ASSERT_EQ(XrdUntergrundNormierung(y.data(), 5), 1);
    EXPECT_EQ(y, (std::vector<double>{0.5, 0.0, 1.0, 0.25, 0.75}));
    // A flat curve has nothing to normalise: it stays as it is.
    std::vector<double> flach(4, 2.5);
    EXPECT_EQ(XrdUntergrundNormierung(flach.data(), 4), 0);
    EXPECT_EQ(flach, std::vector<double>(4, 2.5));
    std::vector<double> nan = {1.0, std::nan(""), 3.0};
    EXPECT_EQ(XrdUntergrundNormierung(nan.data(), 3), 0);
    EXPECT_EQ(nan[2], 3.0);
    EXPECT_EQ(XrdUntergrundNormierung(y.data(), 0), 0);
}

TEST(XrdCommands, SettingsFileRoundTripThroughTheStartUpReader)
{
    const double profil[3] = {0.0125, 0.5, 1e-7};
    const std::string text = XrdIniText(179.1, profil);
    EXPECT_EQ(text, "179.1\n0.0125\n0.5\n1E-07\n");
    std::FILE* f = std::tmpfile();
    ASSERT_TRUE(f);
    std::fputs(text.c_str(), f);
    std::rewind(f);
    double lambda = 0.0, gelesen[3] = {0, 0, 0};
    LeseXrdIni(f, &lambda, gelesen);
    std::fclose(f);
    EXPECT_EQ(lambda, 179.1);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(gelesen[i], profil[i]);
}

TEST(XrdCommands, SourceListGivesTheKAlphaLinesAndCustomTheValueInUse)
{
    EXPECT_STREQ(XRD_QUELLEN[3], "Co Ka, 179.1 pm");
    const double erwartet[XRD_QUELLEN_ANZAHL] = {123.4, 154.2, 71.07, 179.1, 229.1};
    for (int i = 0; i < XRD_QUELLEN_ANZAHL; ++i) EXPECT_EQ(XrdQuellenWellenlaenge(i, 123.4), erwartet[i]);
    EXPECT_EQ(XrdQuellenWellenlaenge(-1, 123.4), 123.4);
}
