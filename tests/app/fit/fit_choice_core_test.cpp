// The model choice: rows to model and back, the spin ranges, the noise
// estimate and the automatic start values.
#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <array>
#include <random>
#include <vector>

#include "fit/fit_choice.h"
#include "model_fixture.h"

class FitChoice : public ModelFixture {
protected:
    std::vector<double> x, y;
    // Gaussians (height, position, fwhm) on 0 ... 100 in steps of 0.5.
    void Kurve(std::initializer_list<std::array<double, 3>> peaks)
    {
        x.clear();
        y.clear();
        for (int i = 0; i <= 200; ++i) {
            const double xi = 0.5 * i;
            double v = 0;
            for (const auto& p : peaks) {
                const double s = p[2] / 2.3548200450309493;
                v += p[0] * std::exp(-0.5 * (xi - p[1]) * (xi - p[1]) / (s * s));
            }
            x.push_back(xi);
            y.push_back(v);
        }
    }
    void Suche(double threshold, double fwhm)
    {
        AutoPeakSearchKern(zelva, threshold, fwhm, static_cast<int32_t>(x.size()), x.data(), y.data());
    }
};

TEST_F(FitChoice, RowsOfAModelRebuildItInTypeOrder)
{
    const int32_t modell[] = {1, 7, 1};
    const FUNKTIONS_WAHL w = WahlAusModell(3, modell, 2);
    EXPECT_TRUE(w.Gezeigt[1]);
    EXPECT_EQ(w.Anzahl[1], 2);
    EXPECT_TRUE(w.Gezeigt[7]);
    EXPECT_EQ(w.Anzahl[7], 2);
    EXPECT_FALSE(w.Gezeigt[2]);
    int32_t grad = -5;
    types.assign(types.size(), 9);
    ASSERT_EQ(ModellAusWahl(w, types.data(), MAX_MODEL_FUNCTIONS, grad), 3);
    EXPECT_EQ(types[0], 1);
    EXPECT_EQ(types[1], 1);
    EXPECT_EQ(types[2], 7);
    EXPECT_EQ(types[3], 0);
    EXPECT_EQ(types[TYPEN_TABELLE - 1], 0);
    EXPECT_EQ(grad, 2);
}

TEST_F(FitChoice, CountsOutOfRangeZeroAndConstant)
{
    FUNKTIONS_WAHL w{};
    w.Gezeigt[1] = true;
    w.Anzahl[1] = 150;  // ignored
    w.Gezeigt[2] = true;
    w.Anzahl[2] = 0;  // dropped
    w.Gezeigt[3] = true;
    w.Anzahl[3] = 2;
    w.Gezeigt[7] = true;
    w.Anzahl[7] = 0;  // a constant
    int32_t grad = 3;
    ASSERT_EQ(ModellAusWahl(w, types.data(), MAX_MODEL_FUNCTIONS, grad), 3);
    EXPECT_EQ(types[0], 3);
    EXPECT_EQ(types[1], 3);
    EXPECT_EQ(types[2], 7);
    EXPECT_EQ(grad, 0);
    // Nothing shown: nothing changes.
    FUNKTIONS_WAHL leer{};
    grad = 4;
    EXPECT_EQ(ModellAusWahl(leer, types.data(), MAX_MODEL_FUNCTIONS, grad), 0);
    EXPECT_EQ(types[0], 3);
    EXPECT_EQ(grad, 4);
}

TEST_F(FitChoice, SpinRanges)
{
    struct Fall { int32_t typ, alt, richtung, neu; };
    for (const Fall& f : {Fall{7, 0, -1, 0}, Fall{7, 0, 1, 1}, Fall{7, 7, 1, 7}, Fall{7, 6, 1, 7},
                          Fall{1, 1, -1, 1}, Fall{1, 2, -1, 1}, Fall{1, 99, 1, 99}, Fall{12, 98, 1, 99}})
        EXPECT_EQ(WahlSchritt(f.typ, f.alt, f.richtung), f.neu) << f.typ << " " << f.alt;
}

TEST_F(FitChoice, NoiseEstimateWhereverTheMaximumLies)
{
    std::mt19937 gen(7);
    std::normal_distribution<double> rauschen(0.0, 0.01);
    for (double lage : {0.5, 30.0, 99.0}) {
        Kurve({{2.0, lage, 20.0}});
        for (double& v : y) v += rauschen(gen);
        const double e = RauschSchaetzung(y.data(), static_cast<int32_t>(y.size()));
        EXPECT_NEAR(e, 0.01, 0.002) << lage;
    }
    const double zehn[10] = {1, 5, 2, 8, 3, 9, 4, 7, 5, 6};
    EXPECT_EQ(RauschSchaetzung(zehn, 10), 1.0E-3);
    const std::vector<double> gerade(50, 2.0);
    EXPECT_EQ(RauschSchaetzung(gerade.data(), 50), 1.0E-3);
    std::vector<double> linie;
    for (int i = 0; i < 50; ++i) linie.push_back(0.1 * i);  // only rounding noise
    EXPECT_EQ(RauschSchaetzung(linie.data(), 50), 1.0E-3);
}

TEST_F(FitChoice, TwoGaussiansAreFoundByThePeakSearch)
{
    Kurve({{3.0, 30.0, 6.0}, {2.0, 70.0, 6.0}});
    Model({1, 1});
    Suche(0.1, 6.0);
    std::vector<double> lagen = {block[1], block[4]};
    std::sort(lagen.begin(), lagen.end());
    EXPECT_NEAR(lagen[0], 30.0, 1.0);
    EXPECT_NEAR(lagen[1], 70.0, 1.0);
    EXPECT_GT(block[0], 1.0);
    EXPECT_GT(block[2], 2.0);
    // The object's arrays are given back.
    EXPECT_EQ(zelva.GetXField(), nullptr);
}

TEST_F(FitChoice, SingleGaussianFromTheSecondDerivative)
{
    Kurve({{3.0, 42.0, 6.0}});
    Model({1});
    Suche(0.1, 6.0);
    EXPECT_NEAR(block[1], 42.0, 1.0);
    EXPECT_NEAR(block[0], 3.0, 0.1);
    EXPECT_DOUBLE_EQ(block[2], 100.0 / 20.0);
    // After a polynomial of degree 1 the peak follows the coefficients.
    FitPolyDegree = 1;
    Model({7, 1});
    Suche(0.1, 6.0);
    EXPECT_NEAR(block[3], 42.0, 1.0);
    EXPECT_DOUBLE_EQ(block[4], 5.0);
    // A polynomial alone gets nothing beyond its coefficients.
    Model({7}, {0.5, 0.25, -9.0, -9.0});
    Suche(0.1, 6.0);
    EXPECT_EQ(block[0], 0.5);
    EXPECT_EQ(block[2], -9.0);
    EXPECT_EQ(block[3], -9.0);
}

TEST_F(FitChoice, PeakByPeakFollowsTheLayout)
{
    Kurve({{3.0, 30.0, 6.0}, {2.0, 70.0, 6.0}});
    Model({12, 1}, {0, 0, -1, -1, 0, 0, 0});
    Suche(0.1, 6.0);
    EXPECT_GT(block[4], 1.0);  // the Gaussian starts at parameter 4
    EXPECT_GT(block[5], 20.0);
    EXPECT_GT(block[6], 2.0);
    EXPECT_GT(block[2], 2.0);  // Voigt widths
    FitPolyDegree = 1;
    Model({7, 1, 1}, {9, 9, 0, 0, 0, 0, 0, 0});
    Suche(0.1, 6.0);
    EXPECT_EQ(block[0], 0.0);
    EXPECT_EQ(block[1], 0.0);
    std::vector<double> lagen = {block[3], block[6]};
    std::sort(lagen.begin(), lagen.end());
    EXPECT_NEAR(lagen[0], 30.0, 1.0);
    EXPECT_NEAR(lagen[1], 70.0, 1.0);
    // Shapes marked always are written even without a peak.
    Model({2, 2, 2, 3}, {});
    Suche(100.0, 6.0);
    EXPECT_EQ(block[3], 1.0);
    EXPECT_EQ(block[15], 0.7);
}
