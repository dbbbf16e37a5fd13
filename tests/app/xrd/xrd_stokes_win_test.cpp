// Command 905 as the macro player runs it: the instrument file from the
// player's second text, the result in the next slot, a missing file
// refused.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "app/spectra/data_commands_fixture.h"
#include "shell/shell_globals.h"

namespace {

// Sample: a Gaussian of sigma 4 steps at point 400 of 1,000.
double Probe(double i) { return std::exp(-0.5 * std::pow((i - 400.0) / 4.0, 2)); }

}  // namespace

class XrdStokesBefehl : public EditFixture {};

TEST_F(XrdStokesBefehl, ReplayDeconvolvesByTheRecordedInstrument)
{
    Kurve(0, 1000, Probe);
    // The instrument on a grid of its own, 8,001 points, sigma 1.5 steps,
    // centred on point 500.
    std::string text;
    char zeile[80];
    for (int j = 0; j <= 8000; ++j) {
        const double x = -10.0 + 1020.0 * j / 8000.0;
        std::snprintf(zeile, sizeof zeile, "%.10f %.17g\n", x, std::exp(-0.5 * std::pow((x - 500.0) / 1.5, 2)));
        text += zeile;
    }
    Schreibe("instrument.dat", text);
    std::snprintf(CommandText2, 5000, "%s\n", Pfad("instrument.dat").c_str());
    Prepared(905, {});
    ASSERT_EQ(FehlerCode, 0);
    ASSERT_EQ(GrafikFenster[0].AktuellerSlot(), 1);
    const std::vector<double> x = X(0, 1), y = Y(0, 1);
    ASSERT_EQ(y.size(), 1000u);
    EXPECT_EQ(x, X(0, 0));
    const double s = std::sqrt(16.0 - 2.25);
    for (int i = 0; i < 1000; ++i) ASSERT_NEAR(y[i], std::exp(-0.5 * std::pow((i - 400.0) / s, 2)), 1e-6) << i;
    EXPECT_NE(Historie().find("Stokes deconvolution"), std::string::npos);
}

TEST_F(XrdStokesBefehl, MissingInstrumentFileStopsWithoutANewSlot)
{
    Kurve(0, 100, Probe);
    boxen.clear();
    std::snprintf(CommandText2, 5000, "%s\n", Pfad("not_there.dat").c_str());
    Prepared(905, {});
    EXPECT_EQ(FehlerCode, 1000);
    FehlerCode = 0;
    EXPECT_EQ(GrafikFenster[0].AktuellerSlot(), 0);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].text, "File could not be opened!");
}
