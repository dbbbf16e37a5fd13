// The automatic peak fit on patterns made by the model functions
// themselves: the lines come back, overlapping lines form one group, a line
// at the very end is fitted, a broken set-up keeps the search's values.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/fit/model_fixture.h"
#include "fit/fit_model.h"
#include "xrd/xrd_auto_fit.h"
#include "xrd/xrd_peak_search.h"

namespace {

class XrdAutoFit : public ModelFixture {
protected:
    std::vector<double> x, y;

    // y of the model {types}, {values} over x0 + 0.01 i, i < n.
    void Muster(std::initializer_list<int32_t> typen, std::initializer_list<double> werte, double x0, int n)
    {
        x.clear();
        for (int i = 0; i < n; ++i) x.push_back(x0 + 0.01 * i);
        Model(typen, werte);
        y = Array(x);
    }
    AutoFitLauf Lauf()
    {
        AutoFitLauf l;
        l.Numerik = &zelva;
        l.Modell = ModelFixture::Callback;
        l.X = x.data();
        l.Y = y.data();
        l.N = static_cast<int32_t>(x.size());
        return l;
    }
};

int Zeilen(const std::string& t, const std::string& wort)
{
    int n = 0;
    for (size_t p = t.find(wort); p != std::string::npos; p = t.find(wort, p + 1)) ++n;
    return n;
}

}  // namespace

TEST_F(XrdAutoFit, SeparatedPseudoVoigtLinesComeBack)
{
    // height, position, left and right fwhm, Gaussian part; a flat 10.
    const std::vector<double> soll = {400, 11.0, 0.10, 0.12, 0.3, 800, 13.0, 0.09, 0.09, 0.7,
                                      600, 15.5, 0.11, 0.10, 0.5};
    Muster({6, 6, 6, 7}, {400, 11.0, 0.10, 0.12, 0.3, 800, 13.0, 0.09, 0.09, 0.7, 600, 15.5, 0.11, 0.10, 0.5, 10.0, 0.0},
           10.0, 700);
    PeakFund fund;
    ASSERT_EQ(FindPeaks(zelva, PROFIL_PSEUDO_VOIGT, x.data(), y.data(), 700, 10.0, fund), 3);
    const double hintergrund = block[15];
    AutoFitErgebnis e;
    ASSERT_TRUE(XrdAutoPeakFitKern(Lauf(), e));
    EXPECT_EQ(e.Gruppen, 3);
    EXPECT_EQ(e.Fehlgeschlagen, 0);
    // The positions to 1e-6; the Lorentzian tails of the neighbours, which
    // the local straight background cannot follow, leave 1e-3 elsewhere.
    for (size_t i = 0; i < soll.size(); ++i)
        EXPECT_NEAR(block[i], soll[i], (i % 5 == 1 ? 1e-6 : 2e-3) * std::fabs(soll[i])) << i;
    // The model is the search's but for the fitted peaks.
    EXPECT_EQ(FitFunctionCount, 4);
    EXPECT_EQ(types[3], 7);
    EXPECT_EQ(block[15], hintergrund);
    EXPECT_EQ(flags[4], PF_CONSTRAINED);
    EXPECT_EQ(block[UpperBoundIndex(4)], 1.0);
    // The file: header, blank line, one line of six values per peak.
    EXPECT_EQ(e.Datei.substr(0, 49), "#  XRD auto peak fit routine, Korlan v2.0, 2000\n\n");
    const std::string zeilen = e.Datei.substr(49);
    EXPECT_EQ(std::count(zeilen.begin(), zeilen.end(), '\n'), 3);
    double v[6];
    ASSERT_EQ(std::sscanf(zeilen.c_str(), "%lf %lf %lf %lf %lf %lf", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5]), 6);
    EXPECT_NEAR(v[0], 11.0, 1e-6);
    EXPECT_NEAR(v[1], 400.0, 0.08);
    // The listing numbers the peaks from 1.
    EXPECT_EQ(e.Liste.substr(0, 3), "#1 ");
    EXPECT_NE(e.Liste.find("#3 "), std::string::npos);
}

TEST_F(XrdAutoFit, OverlappingLinesFormOneGroupAndALineAtTheEndIsFitted)
{
    for (int profil : {PROFIL_GAUSS, PROFIL_PEARSON7}) {
        if (profil == PROFIL_GAUSS)
            Muster({1, 1, 1, 7}, {500, 12.0, 0.1, 300, 12.18, 0.1, 700, 16.7, 0.1, 10.0, 0.0}, 10.0, 700);
        else
            Muster({13, 13, 13, 7}, {500, 12.0, 0.05, 1.5, 0.06, 2.0, 300, 12.18, 0.05, 1.2, 0.05, 1.2, 700, 16.7,
                                     0.05, 2.0, 0.05, 2.0, 10.0, 0.0},
                   10.0, 700);
        const std::vector<double> soll(block.begin(), block.begin() + 3 * PeakStride(profil));
        PeakFund fund;
        ASSERT_EQ(FindPeaks(zelva, profil, x.data(), y.data(), 700, 5.0, fund), 3) << profil;
        AutoFitErgebnis e;
        ASSERT_TRUE(XrdAutoPeakFitKern(Lauf(), e));
        EXPECT_EQ(e.Gruppen, 2) << profil;
        EXPECT_EQ(e.Fehlgeschlagen, 0);
        for (size_t i = 0; i < soll.size(); ++i)
            EXPECT_NEAR(block[i], soll[i], (profil == PROFIL_GAUSS ? 1e-6 : 1e-5) * std::fabs(soll[i])) << profil << " " << i;
        // Pearson VII lines in the file carry all six peak values and R.
        if (profil == PROFIL_PEARSON7) {
            const std::string erste = e.Datei.substr(49, e.Datei.find('\n', 49) - 49);
            double v[8];
            EXPECT_EQ(std::sscanf(erste.c_str(), "%lf %lf %lf %lf %lf %lf %lf %lf", &v[0], &v[1], &v[2], &v[3], &v[4],
                                  &v[5], &v[6], &v[7]),
                      7);
            EXPECT_NEAR(v[5], 2.0, 1e-5);  // the right exponent
        }
    }
}

TEST_F(XrdAutoFit, AFailedGroupKeepsTheSearchValuesAndAPeakWithoutPointsIsSkipped)
{
    Muster({1, 1, 7}, {500, 12.0, 0.1, 700, 14.0, 0.1, 10.0, 0.0}, 10.0, 600);
    PeakFund fund;
    ASSERT_EQ(FindPeaks(zelva, PROFIL_GAUSS, x.data(), y.data(), 600, 10.0, fund), 2);
    // A third peak far beyond the pattern, before the background.
    types[2] = 1;
    types[3] = 7;
    FitFunctionCount = 4;
    block[9] = block[6];
    block[10] = block[7];
    block[6] = 100.0;
    block[7] = 40.0;
    block[8] = 0.1;
    const std::vector<double> suche(block.begin(), block.begin() + 9);
    AutoFitLauf l = Lauf();
    l.NachAufbau = [](int32_t gruppe) {
        if (gruppe == 1) FreeParameterList[1] = FreeParameterList[0];  // a duplicate entry
    };
    AutoFitErgebnis e;
    ASSERT_TRUE(XrdAutoPeakFitKern(l, e));
    EXPECT_EQ(e.Fehlgeschlagen, 1);
    EXPECT_EQ(e.Uebersprungen, 1);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(block[i], suche[i]) << i;  // failed: the search's values
    EXPECT_NEAR(block[4], 14.0, 1e-6);                                // the next group is fitted
    for (int i = 6; i < 9; ++i) EXPECT_EQ(block[i], suche[i]) << i;
    EXPECT_EQ(Zeilen(e.Liste, "failed"), 1);
    EXPECT_EQ(Zeilen(e.Liste, "skipped"), 1);
    EXPECT_EQ(Zeilen(e.Datei, "# peak"), 2);
    EXPECT_EQ(flags[0], 0);
    EXPECT_EQ(FitFunctionCount, 4);
}

TEST_F(XrdAutoFit, ModelsNotMadeByTheSearchAreRefused)
{
    Model({7}, {1.0, 0.0});
    AutoFitErgebnis e;
    x = {1, 2, 3};
    y = {1, 2, 3};
    EXPECT_FALSE(XrdAutoPeakFitKern(Lauf(), e));
    Model({2, 7}, {1.0, 2.0, 0.1, 1.0, 0.0});
    EXPECT_FALSE(XrdAutoPeakFitKern(Lauf(), e));
    Model({1, 6, 7}, {1.0, 2.0, 0.1, 1.0, 2.0, 0.1, 0.1, 0.5, 1.0, 0.0});
    EXPECT_FALSE(XrdAutoPeakFitKern(Lauf(), e));
}
