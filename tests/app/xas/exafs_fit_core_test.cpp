// The EXAFS chi-square procedure against a brute-force J^T W J of its
// residuals, and the rules of the EXAFS fit set-up.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "exafs_fft_fixture.h"
#include "xas/exafs_fit.h"

namespace {

const double PI = 3.14159265358979323846;

class ExafsChi : public ExafsFftFixture {
protected:
    std::vector<double> kd, chi, alpha, beta;

    void SetUp() override
    {
        ExafsFftFixture::SetUp();
        zelva.SetParameterCorrelation(words.data(), constants.data());
        zelva.SetParameterDifference(block.data(), nullptr, flags.data(), freeList.data());
        zelva.ableitungsSchritt = 1e-4;
        alpha.assign(400 * 401, 0.0);
        beta.assign(400, 0.0);
    }
    void Tabellen()
    {
        zelva.SetAnzahl(-1, MaxParameter, MaxFitParameter);
    }
    double Chi(int n, int mfit, std::vector<double>& x, std::vector<double>& y, double* sigma)
    {
        std::fill(alpha.begin(), alpha.end(), 0.0);
        std::fill(beta.begin(), beta.end(), 0.0);
        return ExafsChiQuadrat(u, n, mfit, x.data(), y.data(), block.data(), alpha.data(), beta.data(), sigma);
    }
    // Residual vector (model side) by the model kind, as the fit compares.
    std::vector<double> Residuen(int n, std::vector<double>& x, int l)
    {
        std::vector<double> y0(4 * n + 20, 0.0);
        const int32_t art = FitModellArt;
        FitModellArt = art < 100 ? art + 100 : art;
        if (FitModellArt != 103) zelva.function(0.0, 0.0, x.data(), y0.data(), n);
        ModellFeldFFTIn(u, n, x.data(), y0.data());
        FitModellArt = art;
        y0.resize(l);
        return y0;
    }
    // alpha, beta and chi-square from central differences of the residuals
    // with weights w (by residual) and targets t.
    // The magnitudes are not linear in the parameters: the library's
    // four-point step and these central differences agree to about 1e-5.
    void BruteForce(int n, int l, const std::vector<int>& frei, std::vector<double>& x,
                    const std::vector<double>& t, const std::vector<double>& w, double chi2,
                    double tol = 1e-6)
    {
        const std::vector<double> y0 = Residuen(n, x, l);
        std::vector<std::vector<double>> j;
        for (int p : frei) {
            const double a0 = block[p];
            const double h = 1e-5 * std::max(1.0, std::fabs(a0));
            block[p] = a0 + h;
            const std::vector<double> plus = Residuen(n, x, l);
            block[p] = a0 - h;
            const std::vector<double> minus = Residuen(n, x, l);
            block[p] = a0;
            std::vector<double> d(l);
            for (int i = 0; i < l; ++i) d[i] = (plus[i] - minus[i]) / (2.0 * h);
            j.push_back(d);
        }
        double c = 0.0;
        for (int i = 0; i < l; ++i) c += w[i] * (t[i] - y0[i]) * (t[i] - y0[i]);
        EXPECT_NEAR(chi2, c, 1e-9 * std::max(1.0, c));
        for (std::size_t r = 0; r < frei.size(); ++r) {
            double b = 0.0;
            for (int i = 0; i < l; ++i) b += w[i] * j[r][i] * (t[i] - y0[i]);
            EXPECT_NEAR(beta[r], b, tol * std::max(1.0, std::fabs(b))) << r;
            for (std::size_t s = 0; s <= r; ++s) {
                double a = 0.0;
                for (int i = 0; i < l; ++i) a += w[i] * j[r][i] * j[s][i];
                EXPECT_NEAR(alpha[400 * r + s], a, tol * std::max(1.0, std::fabs(a))) << r << "," << s;
            }
            for (std::size_t s = r + 1; s < frei.size(); ++s) EXPECT_EQ(alpha[400 * r + s], 0.0);
        }
    }
};

// k space: a polynomial in k, three parameters of which two are fitted
// (list order 2, 0), an error array with a 0 and a weight array.
TEST_F(ExafsChi, KSpaceAgainstBruteForce)
{
    FitPolyDegree = 2;
    Model({7}, {0.1, -0.02, 0.003});
    freeList[0] = 2;
    freeList[1] = 0;
    freeList[2] = 1;
    MaxFitParameter = 1;
    Tabellen();
    FitModellArt = 6;
    const int n = 25;
    std::vector<double> x(n), y(n), sigma(n + 1), gewicht(n + 1);
    for (int i = 0; i < n; ++i) {
        x[i] = 3.0 + 0.4 * i;
        y[i] = 0.05 * std::sin(x[i]) + 0.1;
        sigma[i] = i == 4 ? 0.0 : 0.5 + 0.01 * i;
        gewicht[i] = i < 20 ? 1.0 + 0.1 * i : 0.0;
    }
    zelva.SetWeightFunction(gewicht.data());
    // The LC-XANES kind 10 compares point by point as well.
    for (int art : {6, 10}) {
        SCOPED_TRACE(art);
        FitModellArt = art;
        const std::vector<double> vorher(block.begin(), block.begin() + 3);
        const double chi2 = Chi(n, 1, x, y, sigma.data());
        EXPECT_EQ(FitModellArt, art);
        for (int p = 0; p < 3; ++p) EXPECT_EQ(block[p], vorher[p]);
        std::vector<double> w(n);
        for (int i = 0; i < n; ++i) w[i] = (sigma[i] != 0.0 ? 1.0 / (sigma[i] * sigma[i]) : 1.0) * gewicht[i];
        BruteForce(n, n, {2, 0}, x, y, w, chi2);
    }
}

// A parameter flagged PF_WIDE is differentiated over plus and minus 10:
// for a narrow peak its slope then almost vanishes.
TEST_F(ExafsChi, WideParameterTakesTheStepTen)
{
    Model({1}, {1.0, 5.0, 0.5});
    flags[1] = PF_WIDE;
    freeList[0] = 1;
    MaxFitParameter = 0;
    Tabellen();
    FitModellArt = 6;
    const int n = 21;
    std::vector<double> x(n), y(n, 0.0);
    for (int i = 0; i < n; ++i) x[i] = 4.0 + 0.1 * i;
    Chi(n, 0, x, y, nullptr);
    double erwartet = 0.0;
    for (int i = 0; i < n; ++i) {
        auto g = [&](double p) { return std::exp(-2.772589 * std::pow((x[i] - p) / 0.5, 2)); };
        const double d = (g(15.0) - g(-5.0)) / 20.0;
        erwartet += d * d;
    }
    EXPECT_NEAR(alpha[0], erwartet, 1e-12);
    // The same parameter without the flag has a large slope.
    flags[1] = 0;
    Chi(n, 0, x, y, nullptr);
    EXPECT_GT(alpha[0], 1e6 * erwartet);
    EXPECT_GT(alpha[0], 1.0);
}

// R space: residuals are the magnitudes, then the real parts against the
// data's complex transform, each weighted as the point of the same R;
// with the extra power for the fit 4n residuals.
TEST_F(ExafsChi, RSpaceAgainstBruteForce)
{
    FitPolyDegree = 2;
    Model({7}, {0.2, 0.05, -0.004});
    MaxFitParameter = 2;
    Tabellen();
    FitModellArt = 3;
    const int m = 110;
    kd.resize(m);
    chi.resize(m);
    const double dk = PI / (u.RSchritt * (u.KPunkte - 1));
    for (int i = 0; i < m; ++i) {
        kd[i] = 2.0 + i * dk;
        chi[i] = 0.3 * std::sin(5.0 * kd[i]);
    }
    u.DatenK = kd.data();
    u.DatenChi = chi.data();
    u.DatenPunkte = m;
    u.SektionUnten = 0.0;
    u.SektionOben = 5.0;
    const double rSchritt = u.RSchritt * (u.KPunkte - 1) / u.KPunkte;
    int n = 0;
    while (n * rSchritt <= 5.0) ++n;  // the section [0, 5]
    std::vector<double> x(n), y(n), re(n), gewicht(n + 1, 0.0), extra(2 * n);
    for (int i = 0; i < n; ++i) {
        x[i] = i * rSchritt;
        y[i] = 0.02 * std::exp(-std::pow(x[i] - 2.5, 2));
        re[i] = 0.01 * std::cos(3.0 * x[i]);
        gewicht[i] = (i >= 20 && i < 50) ? 1.0 : 0.0;
        extra[i] = 0.03 + 0.001 * i;
        extra[n + i] = -0.01;
    }
    u.DatenTransformY = re.data();
    u.DatenTransformPunkte = n;
    zelva.SetWeightFunction(gewicht.data());

    for (int mitExtra = 0; mitExtra < 2; ++mitExtra) {
        SCOPED_TRACE(mitExtra);
        u.ExtraPotenzFit = mitExtra ? 1 : -1;
        u.Skalierung = 1.7;
        u.ExtraDaten = extra.data();
        u.ExtraDatenLaenge = 2 * n;
        const int l = mitExtra ? 4 * n : 2 * n;
        std::vector<double> t(l), w(l);
        for (int i = 0; i < l; ++i) {
            w[i] = gewicht[i % n];
            t[i] = i < n ? y[i] : i < 2 * n ? re[i - n] : 1.7 * extra[i - 2 * n];
        }
        const double chi2 = Chi(n, 2, x, y, nullptr);
        EXPECT_GT(alpha[0], 0.0);
        BruteForce(n, l, {0, 1, 2}, x, t, w, chi2, 1e-4);
    }

    // The shown power changes nothing of the fit, only the report.
    u.ExtraPotenzFit = -1;
    const double ohne = Chi(n, 2, x, y, nullptr);
    const std::vector<double> a0(alpha.begin(), alpha.begin() + 1203), b0(beta.begin(), beta.begin() + 3);
    u.ExtraPotenzZeigen = 2;
    const double mit = Chi(n, 2, x, y, nullptr);
    EXPECT_EQ(mit, ohne);
    for (int i = 0; i < 1203; ++i) EXPECT_EQ(alpha[i], a0[i]);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(beta[i], b0[i]);
    EXPECT_EQ(bericht[4][BERICHT_ANZAHL_INDEX], n);
    EXPECT_EQ(kGewicht, 0.0);
}

// ---- the set-up's rules ----

TEST(ExafsSetupRules, ModelTypesByTheCumulantSwitches)
{
    struct Fall { int typ; double dritter, vierter; int erwartet; };
    const Fall faelle[] = {{21, -1, -1, 21}, {21, 1, -1, 22}, {21, -1, 1, 23}, {21, 1, 1, 24},
                           {15, -1, -1, 15}, {15, 1, -1, 16}, {15, -1, 1, 17}, {15, 1, 1, 18}};
    for (const Fall& f : faelle) EXPECT_EQ(ExafsTypVerfeinern(f.typ, f.dritter, f.vierter), f.erwartet);
}

TEST(ExafsSetupRules, PathNameFragments)
{
    char s[16];
    struct Fall { int pfad; const char* text; };
    for (const Fall& f : {Fall{7, "feff0007"}, Fall{42, "feff0042"}, Fall{100, "feff0100"},
                          Fall{1234, "feff1234"}}) {
        FeffNamensteil(f.pfad, s, sizeof s);
        EXPECT_STREQ(s, f.text);
    }
    EXPECT_EQ(NamensSumme("ab"), 'a' + 'b');
}

TEST(ExafsSetupRules, IndependentPoints)
{
    EXPECT_NEAR(UnabhaengigePunkte(false, 10.0, 2.0), 14.73, 0.005);
    EXPECT_NEAR(UnabhaengigePunkte(false, 10.0, 30.0), 8.37, 0.005);
    EXPECT_NEAR(UnabhaengigePunkte(false, 10.0, 0.1), 8.37, 0.005);
    EXPECT_NEAR(UnabhaengigePunkte(true, 10.0, 30.0), 2.0 + 600.0 / PI, 1e-9);
}

TEST(ExafsSetupRules, QuestionOnlyWhenTheFreeParametersOutnumberN)
{
    EXPECT_FALSE(ZuVieleParameter(false, 5.0, 3));  // 4 free
    EXPECT_FALSE(ZuVieleParameter(false, 5.0, 4));  // 5 free
    EXPECT_TRUE(ZuVieleParameter(false, 5.0, 5));   // 6 free
    EXPECT_FALSE(ZuVieleParameter(true, 5.0, 50));
    EXPECT_FALSE(ZuVieleParameter(false, 2.0, 50));
    EXPECT_TRUE(ZuVieleParameter(false, 2.5, 2));
}

class ExafsSetupModel : public ModelFixture {};

// One common E0: master and dependents, each leaving the free list once,
// also when flags of an earlier set-up are kept.
TEST_F(ExafsSetupModel, CommonE0WordsFreshAndKept)
{
    Model({25, 21, 21, 21}, {0.9, 12, 2.55, 0.003, 1.0, 6, 3.6, 0.005, 2.0, 24, 4.4, 0.006, 3.0});
    EXPECT_EQ(GemeinsamesE0(1), 2);
    auto pruefen = [&]() {
        EXPECT_EQ(words[4], CW_MASTER);
        EXPECT_EQ(constants[4], 0.0);
        for (int p : {8, 12}) {
            EXPECT_EQ(words[p], CorrelationWord(4, CW_TIMES));
            EXPECT_EQ(constants[p], 1.0);
            EXPECT_TRUE(flags[p] & PF_CORRELATED);
            EXPECT_GT(FreeListPosition(p), MaxFitParameter);
        }
        EXPECT_TRUE(flags[4] & PF_CORRELATED);
        EXPECT_LE(FreeListPosition(4), MaxFitParameter);
        EXPECT_EQ(MaxFitParameter, 10);
    };
    pruefen();
    // Kept flags: the rule applied again changes nothing.
    GemeinsamesE0(1);
    pruefen();
    // Experimental shells: the first shell's fourth parameter leads.
    Model({15, 15}, {4, 2.0, 0.0, 1.0, 6, 2.8, 0.0, 2.0});
    EXPECT_EQ(GemeinsamesE0(0), 1);
    EXPECT_EQ(words[3], CW_MASTER);
    EXPECT_EQ(words[7], CorrelationWord(3, CW_TIMES));
    EXPECT_EQ(MaxFitParameter, 6);
}

TEST_F(ExafsSetupModel, PlausibilityAndKeptShellValues)
{
    Model({25, 24}, {0.9, 12, 2.55, 0.003, 1.0, 0.0, 0.005});
    EXPECT_TRUE(ExafsModellPlausibel());
    block[6] = 0.02;
    EXPECT_FALSE(ExafsModellPlausibel());
    block[6] = -0.01;
    EXPECT_TRUE(ExafsModellPlausibel());
    block[1] = -1.0;
    EXPECT_FALSE(ExafsModellPlausibel());
    Model({25, 23}, {0.9, 12, 2.55, 0.003, 1.0, -0.011});
    EXPECT_FALSE(ExafsModellPlausibel());

    double schale[4] = {25.0, 11.0, 0.09, 31.0};
    SchalenWerteBereinigen(schale);
    EXPECT_EQ(schale[0], 4.0);
    EXPECT_EQ(schale[1], 1.9);
    EXPECT_EQ(schale[2], 0.0);
    EXPECT_EQ(schale[3], 0.0);
    double gut[4] = {6.0, 2.5, -0.01, -12.0};
    SchalenWerteBereinigen(gut);
    EXPECT_EQ(gut[0], 6.0);
    EXPECT_EQ(gut[1], 2.5);
    EXPECT_EQ(gut[2], -0.01);
    EXPECT_EQ(gut[3], -12.0);
}

}  // namespace
