// The size and strain table: its columns from the fitted lines, one file
// per phase, doublets written once, and no half files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/fit/model_fixture.h"
#include "fit/fit_report.h"
#include "fit/fit_run.h"
#include "xrd/xrd_phase.h"
#include "xrd/xrd_size_strain.h"
#include "xrd/xrd_structure_fit.h"
#include "structure_model_helpers.h"

namespace {

const double PI = 3.14159265358979323846;

std::string Lesen(const std::string& pfad)
{
    std::ifstream f(pfad, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

}  // namespace

class XrdSizeStrain : public ModelFixture {};

TEST_F(XrdSizeStrain, ColumnsFollowTheirFormulas)
{
    const double lambda = 154.06, tt = 47.3, f = 0.12, b = 0.15;
    const XRD_REFLEX_ZEILE z = XrdReflexZeile(tt, f, b, 33.0, 210.0, 640.0, lambda);
    const double th = tt / 2.0 * PI / 180.0, br = b * PI / 180.0, phi = f / b;
    EXPECT_EQ(z.Spalte[0], tt);
    EXPECT_NEAR(z.Spalte[1], std::sin(th) / lambda, 1e-17);
    EXPECT_EQ(z.Spalte[3], b);
    EXPECT_EQ(z.Spalte[4], 33.0);
    EXPECT_NEAR(z.Spalte[5], 0.8, 1e-15);
    const double bl = (2.0207 - 0.4803 * phi - 1.7756 * phi * phi) * br;
    EXPECT_NEAR(z.Spalte[6], bl, 1e-15);
    EXPECT_NEAR(z.Spalte[8], lambda / 100.0 / (std::cos(th) * bl), 1e-9);
    EXPECT_NEAR(z.Spalte[10], std::cos(th) * br / lambda, 1e-18);
    EXPECT_EQ(z.Spalte[11], 210.0);
    EXPECT_EQ(z.Spalte[12], 640.0);
    // phi = 2/pi: the root term vanishes.
    const XRD_REFLEX_ZEILE r = XrdReflexZeile(tt, 2.0 / PI * b, b, 1.0, 1.0, 1.0, lambda);
    const double p = 2.0 / PI;
    EXPECT_NEAR(r.Spalte[7], (0.642 - 2.2043 * p + 1.8706 * p * p) * br, 1e-15);
    EXPECT_NEAR(r.Spalte[9], 100.0 * r.Spalte[7] / 4.0 / std::tan(th), 1e-12);
}

TEST_F(XrdSizeStrain, OneTablePerPhaseEachReflectionOnce)
{
    const std::string folder = (std::filesystem::temp_directory_path() / "xrd_size_strain_test").string();
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    // A line ahead of the first phase, then two phases with doublets:
    // 0 line, 1 zero shift, 2 cell, 3-4 line + twin, 5-6 line + twin,
    // 7 cell, 8-9 line + twin, 10 background.
    Model({3, 29, 30, 3, 3, 3, 3, 30, 1, 1, 7});
    int q = 0;
    auto linie = [&](double h, double tt, double w, int n) {
        block[q] = h; block[q + 1] = tt; block[q + 2] = w;
        q += n;
    };
    linie(1.0, 20.0, 0.1, 4);
    q += 1 + 6;
    linie(100.0, 28.44, 0.1, 4);
    linie(50.0, 28.51, 0.1, 4);
    linie(80.0, 47.3, 0.12, 4);
    linie(40.0, 47.4, 0.12, 4);
    q += 6;
    linie(60.0, 30.0, 0.2, 3);
    linie(30.0, 30.1, 0.2, 3);
    for (int i = 0; i < 11; ++i) {
        results[1001 + i] = 10.0 + i;
        results[2700 + i] = 0.15 + 0.01 * i;
        results[2800 + i] = 500.0 + i;
    }
    const std::vector<std::string> t = XrdPhasenTabellen(results.data(), 154.06, true);
    ASSERT_EQ(t.size(), 2u);
    const std::string kopf =
        "Size and strain analysis, Korlan v3.1 (2004)\nValues stored in columns:\n#0\tX-axis in 2 Theta\n"
        "#1\tX-axis in sin(theta)/lambda\n#2\tFWHM\n#3\tintegral breadth\n#4\tIntegrated intensity\n"
        "#5\tshape parameter\n#6\tLorentzian width\n#7\tGaussian width\n#8\tsize contribution from F/b ratio\n"
        "#9\tstrain contribution from F/b ratio\n#10\tWilliamson-Hall y-axis\n#11\tPeak intensity\n"
        "#12\tdomain size from Scherrer formula\n";
    for (const std::string& s : t) EXPECT_EQ(s.substr(0, kopf.size()), kopf);
    const std::string zeilen1 = t[0].substr(kopf.size()), zeilen2 = t[1].substr(kopf.size());
    // Phase 1: functions 3 and 5; phase 2: function 8.
    EXPECT_EQ(std::count(zeilen1.begin(), zeilen1.end(), '\n'), 2);
    EXPECT_EQ(std::count(zeilen2.begin(), zeilen2.end(), '\n'), 1);
    EXPECT_EQ(zeilen1.substr(0, 18), "2.8440000000E+01  ");
    EXPECT_NE(zeilen1.find("\n4.7300000000E+01  "), std::string::npos);
    EXPECT_NE(zeilen1.find("1.3000000000E+01  "), std::string::npos);  // area of function 3
    EXPECT_NE(zeilen2.find("1.8000000000E+01  "), std::string::npos);  // area of function 8
    EXPECT_EQ(zeilen2.find("1.9000000000E+01  "), std::string::npos);  // not its twin's
    // Thirteen values of "%.10E  " a line.
    EXPECT_EQ(zeilen2.size(), 13u * 18u + 1u);

    ASSERT_EQ(XrdPhasenTabellenSchreiben(folder, t, nullptr), 2);
    EXPECT_EQ(Lesen(folder + "\\phase_1.txt"), t[0]);
    EXPECT_EQ(Lesen(folder + "\\phase_2.txt"), t[1]);
    std::string fehler;
    EXPECT_EQ(XrdPhasenTabellenSchreiben(folder + "/nonexistent/sub", t, &fehler), 0);
    EXPECT_NE(fehler.find("phase_1.txt"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder + "/nonexistent/sub\\phase_1.txt"));
    std::filesystem::remove_all(folder);
    std::filesystem::remove(folder + "\\phase_1.txt");
    std::filesystem::remove(folder + "\\phase_2.txt");
}

// Voigt lines of a known crystallite size and strain, fitted with the
// structure model of pseudo-Voigt lines; the table recovers both.
// Si (a = 5.4312 A), 154.06 pm, 20 ... 115 degrees in steps of 0.01; size
// D = 500 A and strain e = 0.05 % give the integral breadths
// beta_L = lambda / (D cos theta) and beta_G = 4 e tan theta (radians of
// 2 theta), drawn by the evaluator's Voigt (code 12: area, position,
// Lorentzian FWHM 2 beta_L / pi, Gaussian FWHM 2 sqrt(ln 2 / pi) beta_G).
TEST_F(XrdSizeStrain, SyntheticSizeAndStrainAreRecovered)
{
    const double lambda = 154.06, a = 5.4312, D = 500.0, e = 0.0005, grad = 180.0 / PI;
    const int hkl[8][3] = {{1, 1, 1}, {2, 2, 0}, {3, 1, 1}, {4, 0, 0}, {3, 3, 1}, {4, 2, 2}, {5, 1, 1}, {4, 4, 0}};
    std::vector<double> x, y;
    for (int i = 0; i <= 9500; ++i) x.push_back(20.0 + 0.01 * i);
    y.assign(x.size(), 0.0);
    env.Wellenlaenge = lambda;
    for (const auto& r : hkl) {
        const double d = a / std::sqrt(double(r[0] * r[0] + r[1] * r[1] + r[2] * r[2]));
        const double theta = std::asin(lambda / 100.0 / (2.0 * d));
        const double bl = lambda / 100.0 / (D * std::cos(theta)), bg = 4.0 * e * std::tan(theta);
        Model({12}, {100.0, 2.0 * theta * grad, 2.0 * bl / PI * grad, 2.0 * std::sqrt(std::log(2.0) / PI) * bg * grad});
        for (std::size_t i = 0; i < x.size(); ++i) y[i] += At(x[i]);
    }

    XrdPhasenVorgaben();
    XrdGemerkteParameter = 0;
    XrdPhase& p = XrdPhaseTable[0];
    p.Gitter[0] = 5.43;
    p.Profil = 2;
    p.Breitengesetz = 0;
    p.UVW[2] = 0.1;
    p.NullpunktFrei = 0;
    p.Untergrund = 0;
    const XRD_MODELL_ERGEBNIS m =
        StrukturModell("1 1 1\n2 2 0\n3 1 1\n4 0 0\n3 3 1\n4 2 2\n5 1 1\n4 4 0\n", lambda, x, y);
    ASSERT_EQ(m.Status, 1) << m.Meldung;

    const int32_t zustand = BisZumEnde(zelva, x, y, ModelFixture::Callback);
    ASSERT_EQ(zustand, -1);
    EXPECT_NEAR(block[0], a, 1e-4);

    // The report's areas and breadths, then the table.
    char status[20000];
    FIT_STATUS s;
    const std::string striche(63, '-'), punkte(63, '.');
    s.Strichlinie = striche.c_str();
    s.Punktlinie = punkte.c_str();
    FitStatusTextKern(status, sizeof status, s);
    BERICHT_EINGABE b;
    b.Punkte = static_cast<int32_t>(x.size());
    b.X = x.data();
    b.Untergrenze = x.front();
    b.Obergrenze = x.back();
    b.Status = status;
    b.Numerik = &zelva;
    b.Modell = ModelFixture::Callback;
    b.Ergebnisse = results.data();
    b.Strichlinie = striche;
    b.Punktlinie = punkte;
    b.Wellenlaenge = lambda;
    FitBericht(b);
    const std::vector<std::string> t = XrdPhasenTabellen(results.data(), lambda, false);
    ASSERT_EQ(t.size(), 1u);
    std::istringstream zeilen(t[0]);
    std::string zeile;
    int gelesen = 0;
    while (std::getline(zeilen, zeile)) {
        std::istringstream z(zeile);
        double c[13];
        int k = 0;
        while (k < 13 && (z >> c[k])) ++k;
        if (k != 13) continue;
        const double theta = c[0] / 2.0 / grad;
        EXPECT_NEAR(c[8], D, 0.02 * D) << c[0];
        EXPECT_NEAR(c[9], 100.0 * e, 0.02 * 100.0 * e) << c[0];
        EXPECT_NEAR(c[1], std::sin(theta) / lambda, 1e-10 * c[1]);
        EXPECT_NEAR(c[10], std::cos(theta) * c[3] / grad / lambda, 1e-10 * c[10]);
        // Scherrer: lambda / (B cos theta) with B the integral breadth.
        EXPECT_NEAR(c[12], lambda / 100.0 / (std::cos(theta) * c[3] / grad), 1e-8 * c[12]);
        ++gelesen;
    }
    EXPECT_EQ(gelesen, 8);
}
