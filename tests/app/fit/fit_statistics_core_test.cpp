// The automated F tests and the confidence limits on the working model:
// the probability against published F-table values, the confidence
// distance of a straight line against its closed form, the shift rule,
// and the state that both must leave as they found it.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/fit/model_fixture.h"
#include "fit/fit_statistics.h"

namespace {

double ExafsTestProzedur(int32_t, int32_t, double*, double*, double*, double*, double*, double*) { return 0.0; }

}  // namespace

class FitStatistik : public ModelFixture {
protected:
    std::vector<double> x, y, diff;
    NACHFIT_AUFBAU aufbau;
    int32_t fensterArt = 0;
    // The curve on the numerics object, as the last fit left it.
    void Kurve(const std::vector<double>& xs, const std::vector<double>& ys)
    {
        x = xs;
        y = ys;
        diff.assign(x.size() + 2, 0.0);
        zelva.SetFunction(Callback);
        zelva.SetField(x.data(), y.data());
        zelva.SetParameterDifference(FitParameters, diff.data(), ParameterFlags, FreeParameterList);
        zelva.SetParameterCorrelation(CorrelationWords, CorrelationConstants);
        zelva.SetAnzahl(static_cast<int32_t>(x.size()), MaxParameter, MaxFitParameter);
        aufbau = NACHFIT_AUFBAU{};
        aufbau.Numerik = &zelva;
        aufbau.Punkte = static_cast<int32_t>(x.size());
        aufbau.ExafsProzedur = ExafsTestProzedur;
        aufbau.FensterModellArt = &fensterArt;
    }
    // Straight line on 11 points with sigma 0.05, the fit's start.
    void Gerade()
    {
        FitPolyDegree = 1;
        Model({7}, {2.0, 0.5});
        const double rauschen[11] = {0.03, -0.05, 0.02, 0.08, -0.04, -0.07, 0.01, 0.06, -0.02, 0.05, -0.06};
        std::vector<double> xs(11), ys(11);
        for (int i = 0; i < 11; ++i) {
            xs[i] = i;
            ys[i] = 2.0 + 0.5 * i + rauschen[i];
        }
        zelva.SetExpError(0.05);
        zelva.SetWichtung(1);
        Kurve(xs, ys);
    }
    struct Stand {
        std::vector<int32_t> flags, worte, liste;
        int32_t maxFit, iter;
        bool operator==(const Stand& o) const
        {
            return flags == o.flags && worte == o.worte && liste == o.liste && maxFit == o.maxFit && iter == o.iter;
        }
    };
    Stand Jetzt() const
    {
        return {std::vector<int32_t>(flags.begin(), flags.begin() + 10000),
                std::vector<int32_t>(words.begin(), words.begin() + 1000),
                std::vector<int32_t>(freeList.begin(), freeList.begin() + 1200), MaxFitParameter,
                zelva.maxIterationen};
    }
};

TEST_F(FitStatistik, FProbabilityMatchesTheFTable)
{
    // F(10, 10) upper 5 % and 2.5 % points: two-sided 0.10 and 0.05.
    EXPECT_NEAR(FTestP(zelva, 2.978, 10), 0.10, 1e-3);
    EXPECT_NEAR(FTestP(zelva, 3.717, 10), 0.05, 1e-3);
    EXPECT_NEAR(FTestP(zelva, 1.0, 10), 1.0, 1e-3);
    EXPECT_EQ(FTestP(zelva, std::numeric_limits<double>::infinity(), 10), 0.0);
}

TEST_F(FitStatistik, ShiftRuleWalksTheModelLayout)
{
    // Polynomial of degree 2, then a Gaussian: its position is parameter 4.
    FitPolyDegree = 2;
    Model({7, 1}, {1, 0.1, 0.01, 5.0, 20.0, 3.0});
    double s = 0;
    for (int m = 1; m <= 6; ++m) {
        EXPECT_NEAR(FTestStartwert(4, 20.0, m, 1, nullptr, &s), 20.0 * (1 + 0.02 * m), 1e-12);
        EXPECT_NEAR(s, 0.02 * m, 1e-15);
    }
    EXPECT_NEAR(FTestStartwert(3, 5.0, 2, 1, nullptr, &s), 5.0 * 1.2, 1e-12);  // the height
    // Types 1 to 13 take 2 % for their second parameter, the polynomial too.
    EXPECT_NEAR(FTestStartwert(1, 0.1, 1, 1, nullptr, &s), 0.102, 1e-12);
    EXPECT_NEAR(FTestStartwert(2, 0.01, 3, 1, nullptr, &s), 0.013, 1e-12);
    // A FEFF path: distance, sigma^2 and E0; a distance change below 1.
    Model({25, 21, 21}, {0.9, 12, 2.55, 0.008, 1.0, 6, 0.02, 0.012, -2.0});
    auto reff = [](int32_t k) { return k == 2 ? 3.61 : 2.55; };
    EXPECT_NEAR(FTestStartwert(2, 2.55, 1, 1, reff, &s), 2.55 * 1.05, 1e-12);
    EXPECT_NEAR(FTestStartwert(3, 0.008, 2, 1, reff, &s), 0.008 * 1.4, 1e-12);
    EXPECT_NEAR(FTestStartwert(4, 1.0, 1, 1, reff, &s), 1.2, 1e-12);
    EXPECT_NEAR(FTestStartwert(6, 0.02, 2, 1, reff, &s), 0.1 * 3.61, 1e-12);  // second path's reff
    EXPECT_NEAR(s, 0.1, 1e-15);
    EXPECT_EQ(FTestStartwert(6, 0.02, 1, -1, reff, &s), 0.1);  // " Delta R" off
    EXPECT_EQ(s, -1.0);
    flags[6] |= PF_CLUSTER;
    EXPECT_EQ(FTestStartwert(6, 0.02, 1, 1, reff, &s), 0.01);
}

// A straight line: chi-square of the slope, the intercept refitted, is
// chi_min + (b - b0)^2 / C_bb, so the distance to (2 - c) chi_min is
// sqrt((1 - c) chi_min C_bb), C = sigma^2 (X^T X)^-1.
TEST_F(FitStatistik, ConfidenceLimitsOfAStraightLine)
{
    Gerade();
    // After the fit, as the command runs.
    ASSERT_EQ(Nachfitten(aufbau).Zustand, -1);
    const Stand vorher = Jetzt();
    const KONFIDENZ_ERGEBNIS e = KonfidenzKern(aufbau, 0.95, nullptr);
    EXPECT_TRUE(Jetzt() == vorher);
    ASSERT_EQ(e.Zeilen.size(), 2u);
    const double n = 11, sx = 55, sxx = 385, det = n * sxx - sx * sx, s2 = 0.05 * 0.05;
    const double c[2] = {s2 * sxx / det, s2 * n / det};
    for (int p = 0; p < 2; ++p) {
        EXPECT_TRUE(e.Zeilen[p].Gefunden) << p;
        const double l = std::sqrt(0.05 * e.Chi2Min * c[p]);
        const KONFIDENZ_ZEILE& z = e.Zeilen[p];
        EXPECT_LT(z.Unten, l) << p;
        EXPECT_GT(z.Oben, l) << p;
        EXPECT_NEAR(z.L, l, z.Oben - z.Unten) << p;
    }
    // The parameters are those of the final fit: the least-squares line.
    double sy = 0, sxy = 0;
    for (int i = 0; i < 11; ++i) { sy += y[i]; sxy += x[i] * y[i]; }
    const double b = (n * sxy - sx * sy) / det;
    EXPECT_NEAR(block[1], b, 1e-7);
    const std::string t = KonfidenzText(e, 0.95);
    EXPECT_EQ(t.rfind("\r\n -- Confidence limits of current fitting parameters -  \r\n"
                      " Variation of residual within 95 % \r\n\r\n Par #01:  ", 0), 0u) << t;
    EXPECT_EQ(t.find("search failed"), std::string::npos);
}

TEST_F(FitStatistik, ZeroParameterFailsAndFixedOrCorrelatedGetNoLine)
{
    Gerade();
    block[0] = 0.0;  // the intercept's steps are all 0
    KONFIDENZ_ERGEBNIS e = KonfidenzKern(aufbau, 0.95, nullptr);
    ASSERT_EQ(e.Zeilen.size(), 2u);
    // The final fit moves the intercept away from 0 again; its search had none.
    EXPECT_FALSE(e.Zeilen[0].Gefunden);
    EXPECT_EQ(e.Zeilen[0].L, 0.0);
    EXPECT_NE(KonfidenzText(e, 0.95).find("  search failed (very narrow or broad CL)\r\n"), std::string::npos);

    // [polynomial 2, Gaussian]: one fixed, one correlated.
    FitPolyDegree = 2;
    Model({7, 1}, {1.0, 0.02, 0.0, 4.0, 10.0, 3.0});
    std::vector<double> xs(41), ys(41);
    for (int i = 0; i < 41; ++i) {
        xs[i] = 0.5 * i;
        ys[i] = 1.0 + 0.02 * xs[i] + 4.0 * std::exp(-2.772589 * (xs[i] - 10.0) * (xs[i] - 10.0) / 9.0) +
                0.01 * std::sin(7.0 * i);
    }
    ASSERT_GE(FixParameter(2), 0);
    ASSERT_GE(SetCorrelation(5, CorrelationWord(3, CW_TIMES), 0.75), 0);
    flags[5] |= PF_CORRELATED;
    Kurve(xs, ys);
    const Stand vorher = Jetzt();
    const std::vector<double> werte(block.begin(), block.begin() + 6);
    const FTEST_ERGEBNIS f = AutoFTestKern(aufbau, 1, nullptr, nullptr);
    EXPECT_TRUE(Jetzt() == vorher);
    EXPECT_EQ(std::vector<double>(block.begin(), block.begin() + 6), werte);
    std::vector<int32_t> zeilen;
    for (const FTEST_ZEILE& z : f.Zeilen) zeilen.push_back(z.Index);
    EXPECT_EQ(zeilen, (std::vector<int32_t>{0, 1, 3, 4}));
    const std::string t = AutoFTestText(f);
    EXPECT_EQ(t.find(" Par #03:"), std::string::npos);
    EXPECT_EQ(t.find(" Par #06:"), std::string::npos);
    EXPECT_NE(t.find(" Par #05:   10 "), std::string::npos) << t;
    // The position's shift is 2 % a pass.
    for (const FTEST_ZEILE& z : f.Zeilen)
        if (z.Index == 4) {
            EXPECT_NEAR(z.S, 0.02 * std::round(z.S / 0.02), 1e-12);
        }
    for (const FTEST_ZEILE& z : f.Zeilen) {
        EXPECT_GE(z.P, 0.0);
        EXPECT_LE(z.P, 1.0);
    }
}

TEST_F(FitStatistik, ExafsSlotsInstallTheExafsProcedure)
{
    Gerade();
    for (uint32_t flag : {NACHFIT_KOMPLEX, NACHFIT_EXAFS_K}) {
        zelva.SetFitProcedure(0, nullptr);
        aufbau.KurvenFlags = flag;
        NachfitVorbereiten(aufbau);
        EXPECT_EQ(zelva.fitProcedure, &ExafsTestProzedur);
        EXPECT_EQ(zelva.useFitProcedure, 1);
        EXPECT_EQ(FitModellArt, flag == NACHFIT_KOMPLEX ? 3 : 6);
        EXPECT_EQ(fensterArt, FitModellArt);
    }
    FitModellArt = 0;
    zelva.SetFitProcedure(0, nullptr);
    aufbau.KurvenFlags = 0;
    NachfitVorbereiten(aufbau);
    EXPECT_EQ(zelva.fitProcedure, nullptr);
    EXPECT_EQ(FitModellArt, 0);
}

// 83 Gaussians fill 249 parameters, of which three are free: both runs
// save and restore every one of them.
TEST_F(FitStatistik, LargestModelKeepsAllItsValues)
{
    std::initializer_list<int32_t> leer = {};
    Model(leer);
    FitFunctionCount = 83;
    for (int f = 0; f < 83; ++f) {
        types[f] = 1;
        block[3 * f] = f == 0 ? 4.0 : 1e-3 * f;
        block[3 * f + 1] = f == 0 ? 10.0 : 100.0 + f;
        block[3 * f + 2] = 3.0;
    }
    ASSERT_EQ(ResetModelTables(), 249);
    for (int p = 3; p < 249; ++p) ASSERT_GE(FixParameter(p), 0);
    std::vector<double> xs(41), ys(41);
    for (int i = 0; i < 41; ++i) {
        xs[i] = 0.5 * i;
        ys[i] = 4.2 * std::exp(-2.772589 * (xs[i] - 10.1) * (xs[i] - 10.1) / 8.0);
    }
    Kurve(xs, ys);
    const Stand vorher = Jetzt();
    const std::vector<double> werte(block.begin(), block.begin() + 249);
    const FTEST_ERGEBNIS f = AutoFTestKern(aufbau, 1, nullptr, nullptr);
    EXPECT_EQ(f.Zeilen.size(), 3u);
    EXPECT_TRUE(Jetzt() == vorher);
    EXPECT_EQ(std::vector<double>(block.begin(), block.begin() + 249), werte);
    const KONFIDENZ_ERGEBNIS k = KonfidenzKern(aufbau, 0.95, nullptr);
    EXPECT_EQ(k.Zeilen.size(), 3u);
    EXPECT_TRUE(Jetzt() == vorher);
    // The fixed ones are untouched; the three free ones are the final fit's.
    EXPECT_EQ(std::vector<double>(block.begin() + 3, block.begin() + 249),
              std::vector<double>(werte.begin() + 3, werte.end()));
    EXPECT_NEAR(block[1], 10.1, 0.05);
}

// The contour of intercept and slope of a straight line against the R
// factor written out: 100 sum |y - a - b x| / sum |y|.
TEST_F(FitStatistik, ContourScanOfAStraightLine)
{
    Gerade();
    ASSERT_EQ(Nachfitten(aufbau).Zustand, -1);
    const double a0 = block[0], b0 = block[1];
    auto rFaktor = [this](double a, double b) {
        double num = 0, den = 0;
        for (size_t i = 0; i < x.size(); ++i) {
            num += std::fabs(y[i] - a - b * x[i]);
            den += std::fabs(y[i]);
        }
        return 100.0 * num / den;
    };
    KONTUR_EINSTELLUNG k;  // parameters 1 and 2, 10 %, 95 %, 50 x 50
    int spalten = 0;
    const KONTUR_ERGEBNIS e = KonturScan(zelva, k, [&](int32_t a) { spalten = a; });
    EXPECT_EQ(spalten, 50);
    EXPECT_EQ(block[0], a0);
    EXPECT_EQ(block[1], b0);
    EXPECT_NEAR(e.R0, rFaktor(a0, b0), 1e-9);
    ASSERT_EQ(e.R.size(), 50u);
    ASSERT_EQ(e.X.size(), 50u);
    int angenommen = 0;
    double p2 = 0.9 * b0, p1Min = 1e30, p1Max = -1e30, p2Min = 1e30, p2Max = -1e30;
    for (int c = 0; c < 50; ++c) {
        ASSERT_EQ(e.R[c].size(), 50u);
        double p1 = 0.9 * a0;
        for (int r = 0; r < 50; ++r) {
            if (c == 0) {
                EXPECT_NEAR(e.X[r], p1, 1e-12);
            }
            const double erwartet = rFaktor(p1, p2);
            EXPECT_NEAR(e.R[c][r], erwartet, 1e-9 * erwartet);
            if (std::fabs(erwartet - e.R0) < 0.05 * e.R0) {
                ++angenommen;
                p1Min = std::min(p1Min, p1);
                p1Max = std::max(p1Max, p1);
                p2Min = std::min(p2Min, p2);
                p2Max = std::max(p2Max, p2);
            }
            p1 += 2.0 * a0 * 0.1 / 50 * (1.0 + 0.01 * c);
        }
        p2 += 2.0 * b0 * 0.1 / 50;
    }
    EXPECT_EQ(e.Angenommen, angenommen);
    ASSERT_TRUE(e.Genug);
    ASSERT_EQ(e.KurveX.size(), static_cast<size_t>(angenommen - 2));
    for (size_t i = 1; i < e.KurveX.size(); ++i) EXPECT_GT(e.KurveX[i], e.KurveX[i - 1]) << i;
    EXPECT_LE(e.Grenze1, (p1Max - p1Min) / 2 + 1e-12);
    EXPECT_GT(e.Grenze1, 0.0);
    EXPECT_LE(e.Grenze2, (p2Max - p2Min) / 2 + 1e-12);
    EXPECT_GT(e.Grenze2, 0.0);

    // A tolerance that admits every grid point: the first row's equal p1
    // values of all columns still give a rising outline, and the p2
    // half-width is b0 r2 (nX - 1) / nX.
    k.T = -1e6;
    const KONTUR_ERGEBNIS alle = KonturScan(zelva, k, nullptr);
    ASSERT_EQ(alle.KurveX.size(), 2498u);
    for (size_t i = 1; i < alle.KurveX.size(); ++i) ASSERT_GT(alle.KurveX[i], alle.KurveX[i - 1]) << i;
    EXPECT_NEAR(alle.Grenze2, std::fabs(b0) * 0.1 * 49.0 / 50.0, 1e-9 * std::fabs(b0));

    // A tolerance that admits fewer than 11 points gives no outline.
    k.T = 0.999999;
    const KONTUR_ERGEBNIS wenig = KonturScan(zelva, k, nullptr);
    EXPECT_FALSE(wenig.Genug);
    EXPECT_TRUE(wenig.KurveX.empty());
    // Settings outside the grid or the model scan nothing.
    for (KONTUR_EINSTELLUNG f : {KONTUR_EINSTELLUNG{0, 1, 0.1, 0.1, 0.95, 5001, 50},
                                 KONTUR_EINSTELLUNG{0, 0, 0.1, 0.1, 0.95, 50, 50},
                                 KONTUR_EINSTELLUNG{0, 2, 0.1, 0.1, 0.95, 50, 50}}) {
        EXPECT_FALSE(KonturGueltig(f));
        EXPECT_TRUE(KonturScan(zelva, f, nullptr).R.empty());
    }
    EXPECT_EQ(block[0], a0);
}
