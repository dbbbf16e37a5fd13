// DXAS energy scale: the foil table, the scroll steps, the extrema match,
// the fit of E(d) and the automatic calibration against the real Fe foil
// fe.060 (data/SOURCES.md), with GSL's spline making the measurement.
#include "series/dex_scale.h"

#include <gsl/gsl_spline.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/temp_folder.h"
#include "zelva.h"

namespace {

// fe.060 as ln(I0 / It) in keV, normalised: the pre-edge line (below
// 7.09 keV) removed and the mean of 7.15-7.40 keV set to 1.
void LiesFolie(std::vector<double>* e, std::vector<double>* a)
{
    std::ifstream in(std::string(KORLAN_TEST_DIR) + "/app/series/data/fe.060");
    std::string zeile;
    while (std::getline(in, zeile)) {
        double en, i0, it;
        if (std::sscanf(zeile.c_str(), "%lf %lf %lf", &en, &i0, &it) == 3 && i0 > 0 && it > 0) {
            e->push_back(en / 1000.0);
            a->push_back(std::log(i0 / it));
        }
    }
    double sx = 0, sy = 0, sxx = 0, sxy = 0, n = 0;
    for (std::size_t i = 0; i < e->size(); ++i)
        if ((*e)[i] < 7.09) {
            sx += (*e)[i], sy += (*a)[i], sxx += (*e)[i] * (*e)[i], sxy += (*e)[i] * (*a)[i], ++n;
        }
    const double b = (n * sxy - sx * sy) / (n * sxx - sx * sx), c = (sy - b * sx) / n;
    double summe = 0, k = 0;
    for (std::size_t i = 0; i < e->size(); ++i) {
        (*a)[i] -= c + b * (*e)[i];
        if ((*e)[i] > 7.15 && (*e)[i] < 7.40) summe += (*a)[i], ++k;
    }
    for (double& v : *a) v /= summe / k;
}

// The foil seen on m diodes through E(d) = c0 + c1 d + c2 d^2.
void Messung(const std::vector<double>& e, const std::vector<double>& a, const double c[3], int32_t m,
             std::vector<double>* x, std::vector<double>* y)
{
    gsl_interp* s = gsl_interp_alloc(gsl_interp_cspline, e.size());
    gsl_interp_init(s, e.data(), a.data(), e.size());
    gsl_interp_accel* acc = gsl_interp_accel_alloc();
    for (int32_t d = 0; d < m; ++d) {
        x->push_back(d);
        y->push_back(gsl_interp_eval(s, e.data(), a.data(), c[0] + c[1] * d + c[2] * d * d, acc));
    }
    gsl_interp_accel_free(acc);
    gsl_interp_free(s);
}

double E(const double c[3], double d) { return c[0] + c[1] * d + c[2] * d * d; }

// "dexfoil.dat" of foils k = 0 .. anzahl-1: foil k holds the points
// (10 + k + 0.01 i, k + i / 100) for i < 20 + k, then -1.
std::string FolienTabelle(int32_t anzahl)
{
    std::ostringstream t;
    for (int32_t block = 0; block * 4 < anzahl; ++block) {
        for (int32_t s = 0; s < 4 && block * 4 + s < anzahl; ++s) t << (s ? "," : "") << "Foil " << block * 4 + s;
        t << "\n";
        for (int32_t i = 0; i < DEX_FOLIEN_ZEILEN; ++i) {
            for (int32_t s = 0; s < 4; ++s) {
                const int32_t k = block * 4 + s;
                const bool da = k < anzahl && i < 20 + k;
                t << (s ? "," : "") << (da ? 10 + k + 0.01 * i : -1.0) << "," << (da ? k + i / 100.0 : -1.0);
            }
            t << "\n";
        }
    }
    return t.str();
}

}  // namespace

TEST(DexFolienTest, NamesOfEveryBlockAndEachFoilFromItsColumns)
{
    TempOrdner tmp;
    const std::string pfad = tmp.Datei("dexfoil.dat");
    { std::ofstream(pfad) << FolienTabelle(6); }
    std::FILE* f = std::fopen(pfad.c_str(), "r");
    ASSERT_TRUE(f);
    EXPECT_EQ(DexFolienNamen(f), (std::vector<std::string>{"Foil 0", "Foil 1", "Foil 2", "Foil 3", "Foil 4", "Foil 5"}));
    for (int32_t k : {0, 2, 3, 5}) {
        std::rewind(f);
        std::vector<double> e, a;
        ASSERT_TRUE(DexFolieLesen(f, k, &e, &a)) << k;
        ASSERT_EQ(e.size(), static_cast<std::size_t>(20 + k)) << k;
        EXPECT_DOUBLE_EQ(e[7], 10 + k + 0.07);
        EXPECT_DOUBLE_EQ(a.back(), k + (19 + k) / 100.0);
    }
    for (int32_t k : {-1, 6, 8}) {
        std::rewind(f);
        std::vector<double> e, a;
        EXPECT_FALSE(DexFolieLesen(f, k, &e, &a)) << k;
        EXPECT_TRUE(e.empty());
    }
    std::fclose(f);
}

TEST(DexFolienTest, LinesLongerThanTheReadPieceCountAsOneLine)
{
    // A long first name and a long first data row in block 0 (the writer of
    // the table keeps such lines whole): block 1 must stay in step.
    std::string tabelle = FolienTabelle(6);
    const std::string langerName(350, 'A');
    tabelle.replace(0, std::string("Foil 0").size(), langerName);
    const std::size_t zeile1 = tabelle.find('\n') + 1;
    const std::size_t ende1 = tabelle.find('\n', zeile1);
    std::string anhang;
    for (int i = 0; i < 40; ++i) anhang += ",1.2345678";
    tabelle.insert(ende1, anhang);
    TempOrdner tmp;
    const std::string pfad = tmp.Datei("dexfoil.dat");
    { std::ofstream(pfad) << tabelle; }
    std::FILE* f = std::fopen(pfad.c_str(), "r");
    ASSERT_TRUE(f);
    EXPECT_EQ(DexFolienNamen(f), (std::vector<std::string>{langerName, "Foil 1", "Foil 2", "Foil 3", "Foil 4",
                                                           "Foil 5"}));
    for (int32_t k : {0, 3, 5}) {
        std::rewind(f);
        std::vector<double> e, a;
        ASSERT_TRUE(DexFolieLesen(f, k, &e, &a)) << k;
        ASSERT_EQ(e.size(), static_cast<std::size_t>(20 + k)) << k;
        EXPECT_DOUBLE_EQ(e[0], 10 + k) << k;
        EXPECT_DOUBLE_EQ(a.back(), k + (19 + k) / 100.0) << k;
    }
    std::fclose(f);
}

TEST(DexSchrittTest, ScrollUnitsOfTheTableAndTheirLimits)
{
    const struct {
        int32_t balken, code, start, position, aenderung;
    } faelle[] = {
        {552, 0, 0, 1, 1},   {552, 1, 0, -1, -1},  {552, 2, 0, 20, 20},    {552, 3, 0, -20, -20},
        {553, 0, 0, -1, -1}, {553, 1, 0, 1, 1},    {553, 3, 0, 20, 20},    {553, 3, 1490, 1500, 10},
        {554, 2, -495, -500, -5}, {101, 1, 0, 1, 1}, {552, 0, 500, 500, 0},
    };
    for (const auto& f : faelle) {
        int32_t pos = f.start, aend = 99;
        DexBalkenSchritt(f.balken, f.code, 0, &pos, &aend);
        EXPECT_EQ(pos, f.position) << f.balken << " " << f.code;
        EXPECT_EQ(aend, f.aenderung) << f.balken << " " << f.code;
    }
    int32_t pos = 3, aend = 0;
    EXPECT_TRUE(DexBalkenSchritt(554, 5, 40, &pos, &aend));
    EXPECT_EQ(aend, 37);
    EXPECT_FALSE(DexBalkenSchritt(554, 8, 0, &pos, &aend));  // SB_ENDSCROLL moves nothing
    EXPECT_DOUBLE_EQ(DexStandardSteigung(750), 0.0007);
    EXPECT_DOUBLE_EQ(DexStandardSteigung(749), 0.00035);
}

TEST(DexSchrittTest, OrderStepsKeepTheEnergyAtThePivotDiode)
{
    const double start[3] = {7.0, 7e-4, 1e-8};
    const double pivot = 412.0;
    const struct {
        int32_t balken;
        double delta;
        int koeff;
    } faelle[] = {{553, 2e-6, 1}, {553, 20 * 2e-6, 1}, {554, 5e-9, 2}, {554, -20 * 5e-9, 2}};
    for (const auto& f : faelle) {
        double c[3] = {start[0], start[1], start[2]};
        DexPolynomSchritt(c, f.balken, f.delta, pivot);
        EXPECT_NEAR(c[f.koeff] - start[f.koeff], f.delta, 1e-18);
        EXPECT_NEAR(E(c, pivot), E(start, pivot), 1e-12);
        EXPECT_GT(std::fabs(E(c, 900.0) - E(start, 900.0)), 1e-6);
    }
    double c[3] = {start[0], start[1], start[2]};
    DexPolynomSchritt(c, 552, 0.0005, pivot);
    EXPECT_DOUBLE_EQ(c[0], 7.0005);
    EXPECT_EQ(c[1], start[1]);
    // The pivot: first reference value at 0.5 below the foil count and 3m/4.
    const double ref[] = {0.1, 0.2, 0.49, 0.5, 0.9, 1.0, 1.0, 1.0};
    EXPECT_EQ(DexPivot(ref, 8, 8), 3);
    EXPECT_EQ(DexPivot(ref, 8, 3), 0);
    const double spaet[] = {0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.6};
    EXPECT_EQ(DexPivot(spaet, 8, 8), 0);
}

TEST(DexFitTest, QuadraticThroughExactPointsAndTheMatchOfMappedExtrema)
{
    const double c[3] = {7.0123, 6.9e-4, 1.3e-8};
    std::vector<double> d, e;
    for (double v : {50.0, 130.0, 260.0, 333.0, 480.0, 720.0, 950.0}) {
        d.push_back(v);
        e.push_back(E(c, v));
    }
    double p[3];
    ASSERT_TRUE(DexPolynomFit(d.data(), e.data(), 7, p));
    for (double v : {0.0, 500.0, 1000.0}) EXPECT_NEAR(E(p, v), E(c, v), 1e-11);
    EXPECT_FALSE(DexPolynomFit(d.data(), e.data(), 2, p));
    const double gleich[3] = {5.0, 5.0, 5.0};
    EXPECT_FALSE(DexPolynomFit(gleich, e.data(), 3, p));

    // Energies of twelve extrema and the diodes that see them: all match.
    std::vector<double> rm, rf;
    for (int i = 0; i < 12; ++i) {
        const double dd = 100.0 + 60.0 * i + 2.0 * i * i;
        rm.push_back(dd);
        rf.push_back(E(c, dd));
    }
    EXPECT_EQ(DexTreffer(rm, rf, 0.15), 10);
    // An extremum found far from its place breaks the run there.
    std::vector<double> falsch = rm;
    falsch[5] = rm[2];
    EXPECT_EQ(DexTreffer(falsch, rf, 0.15), 4);
    // Fewer than ten entries: no tenth entry to scale by.
    rm.resize(9);
    EXPECT_EQ(DexTreffer(rm, rf, 0.15), 0);
}

TEST(DexKalibrierTest, RealFeFoilOnAThousandDiodesWithinATenthOfAnEv)
{
    std::vector<double> e, a, x, y;
    LiesFolie(&e, &a);
    ASSERT_GT(e.size(), 500u);
    const double wahr[3] = {7.000, 7e-4, 1e-8};
    Messung(e, a, wahr, 1000, &x, &y);
    def_zelva z;
    DexFolie folie;
    const DexKalibrierung k = DexKalibriere(z, x.data(), y.data(), 1000, 1000, e, a, &folie);
    EXPECT_FALSE(k.Gerade) << k.Status;
    EXPECT_GE(k.Treffer, 4);
    double fehler = 0;
    for (int d = 0; d < 1000; ++d) fehler = std::max(fehler, std::fabs(E(k.c, d) - E(wahr, d)));
    EXPECT_LT(fehler, 1e-4) << k.Status;  // keV
    // The reference drawn with the result lies on the measurement.
    std::vector<double> ref(1000);
    DexReferenz(z, folie, k.c, x.data(), 1000, 0.0, ref.data());
    double abweichung = 0;
    for (int d = 100; d < 900; ++d) abweichung = std::max(abweichung, std::fabs(ref[d] - y[d]));
    EXPECT_LT(abweichung, 0.05);
    // The offset moves the reference only.
    std::vector<double> hoch(1000);
    DexReferenz(z, folie, k.c, x.data(), 1000, 30.0, hoch.data());
    EXPECT_NEAR(hoch[400] - ref[400], 0.1, 1e-12);
}

TEST(DexKalibrierTest, AnEdgeWithoutExtremaFallsBackToTheLineThroughTheHalfHeights)
{
    // A smooth arctangent edge (no extrema), and the same edge with slow
    // oscillations above it (five extrema, fewer than the ten that set the
    // scale of the match).
    for (const double welle : {0.0, 0.08}) {
        std::vector<double> e, a, x, y;
        for (int i = 0; i < 800; ++i) {
            e.push_back(7.0 + 0.001 * i);
            const double ueber = std::max(0.0, e.back() - 7.22);
            a.push_back(0.5 + std::atan((e.back() - 7.2) / 0.004) / M_PI +
                        welle * std::sin(2.0 * M_PI * ueber / 0.25));
        }
        const double wahr[3] = {7.05, 4e-4, 0.0};
        Messung(e, a, wahr, 600, &x, &y);
        def_zelva z;
        DexFolie folie;
        const DexKalibrierung k = DexKalibriere(z, x.data(), y.data(), 600, 600, e, a, &folie);
        EXPECT_TRUE(k.Gerade) << welle;
        EXPECT_EQ(k.Status, "Fewer than ten extrema found: straight line through the half heights.") << welle;
        int32_t ia = 0, ib = 0;
        while (folie.A[ia] < 0.5) ++ia;
        while (y[ib] < 0.5) ++ib;
        EXPECT_DOUBLE_EQ(k.c[0], folie.E[ia] - 0.00035 * x[ib]) << welle;
        EXPECT_DOUBLE_EQ(k.c[1], 0.00035);
        EXPECT_EQ(k.c[2], 0.0);
        if (welle > 0.0) {
            // The extrema are found, only too few of them.
            const int32_t fuenf[2] = {5, 0};
            const std::vector<double> rf =
                DexExtrema(z, folie.E.data(), folie.A.data(), static_cast<int32_t>(folie.E.size()), fuenf,
                           1.0, folie.E[ia], 1e-7);
            EXPECT_GE(rf.size(), 5u);
            EXPECT_LT(rf.size(), 10u);
        }
    }
}

TEST(DexKalibrierTest, NineThousandDiodesAreCalibrated)
{
    std::vector<double> e, a, x, y;
    LiesFolie(&e, &a);
    const double wahr[3] = {7.000, 7e-5, 1e-10};
    Messung(e, a, wahr, 9000, &x, &y);
    def_zelva z;
    DexFolie folie;
    const DexKalibrierung k = DexKalibriere(z, x.data(), y.data(), 9000, 9000, e, a, &folie);
    EXPECT_GE(folie.E.size(), 8990u);
    double fehler = 0;
    for (int d = 0; d < 9000; d += 10) fehler = std::max(fehler, std::fabs(E(k.c, d) - E(wahr, d)));
    EXPECT_LT(fehler, 1e-3) << k.Status;
}

TEST(DexKalibrierTest, AFitWithANegativeCoefficientFallsBackToTheLine)
{
    // A scale that bends downwards: the matched extrema give c2 < 0.
    std::vector<double> e, a, x, y;
    LiesFolie(&e, &a);
    const double wahr[3] = {7.000, 8e-4, -1e-7};
    Messung(e, a, wahr, 1000, &x, &y);
    def_zelva z;
    DexFolie folie;
    const DexKalibrierung k = DexKalibriere(z, x.data(), y.data(), 1000, 1000, e, a, &folie);
    EXPECT_TRUE(k.Gerade);
    EXPECT_NE(k.Status.find("negative coefficient"), std::string::npos) << k.Status;
    EXPECT_DOUBLE_EQ(k.c[1], 0.0007);
    EXPECT_EQ(k.c[2], 0.0);
}
