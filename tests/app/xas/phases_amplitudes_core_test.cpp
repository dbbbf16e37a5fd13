// Phases and amplitudes of one shell, natively: the unwrapped phase, the
// reduction with N and R checked by rebuilding chi(k) through the
// experimental-shell formula, the branch check and its bound, the real
// curve cases, the history text; and the files and tables of experimental
// phases (list fields, ".par" files, spectrum files, the data grid).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "xas/experimental_phases.h"
#include "xas/phases_amplitudes.h"
#include "zelva.h"

namespace {

const double PI = 3.14159265358979323846;

// The shell of the tests: N 12, R 2.55 A, a smooth amplitude and phase.
const double N0 = 12.0, R0 = 2.55;
double F(double k) { return 0.8 * std::exp(-0.02 * (k - 6.0) * (k - 6.0)) + 0.1; }
double Phi(double k) { return -1.0 - 0.5 * k; }

// chi(k) of an experimental shell with amplitude F and phase shift Phi:
// edge / (k R^2) N F sin(2 k R + Phi) (edge -1 for K, +1 for L2/L3).
double Chi(double k, double kante) { return kante * N0 * F(k) / (k * R0 * R0) * std::sin(2 * k * R0 + Phi(k)); }

struct Signal {
    std::vector<double> k, re, im;
};

// The complex signal a one-sided back transform gives for chi = a sin(P):
// re = chi, im = -a cos(P), a phase that rises with k.
Signal Analytisch(double kante, double k0 = 2.0, double k1 = 14.0, int n = 400)
{
    Signal s;
    for (int i = 0; i < n; ++i) {
        const double k = k0 + (k1 - k0) * i / (n - 1);
        const double a = kante * N0 * F(k) / (k * R0 * R0);
        const double p = 2 * k * R0 + Phi(k);
        s.k.push_back(k);
        s.re.push_back(a * std::sin(p));
        s.im.push_back(-a * std::cos(p));
    }
    return s;
}

std::string Temp(const char* name)
{
    const char* t = std::getenv("TMPDIR");
    return std::string(t ? t : "/tmp") + "/korlan_pa_" + name;
}

}  // namespace

TEST(PhasenAmplituden, TotalPhaseIsUnwrappedWithoutJumps)
{
    for (double kante : {-1.0, 1.0}) {
        const Signal s = Analytisch(-1.0);
        const std::vector<double> p = GesamtPhase(s.re.data(), s.im.data(), static_cast<int>(s.k.size()), kante);
        for (size_t i = 1; i < p.size(); ++i) {
            const double wahr = 2 * s.k[i] * R0 + Phi(s.k[i]) - (2 * s.k[i - 1] * R0 + Phi(s.k[i - 1]));
            EXPECT_NEAR(p[i] - p[i - 1], wahr, 1e-9) << i;
        }
        // atan's value up to whole turns of pi: the sine of the phase
        // (minus pi for L2/L3) has the signal's sign up to one common factor.
        for (size_t i = 0; i < p.size(); ++i) {
            const double a = std::atan(s.im[i] / s.re[i]) - (kante > 0 ? PI : 0.0);
            const double rest = std::remainder(p[i] - a, PI);
            EXPECT_NEAR(rest, 0.0, 1e-9) << i;
        }
    }
    // A point without signal keeps the phase of the point before.
    const double re[3] = {1.0, 0.0, 1.0}, im[3] = {0.5, 0.0, 0.6};
    const std::vector<double> p = GesamtPhase(re, im, 3, -1.0);
    EXPECT_EQ(p[1], p[0]);
    EXPECT_TRUE(std::isfinite(p[2]));
}

TEST(PhasenAmplituden, ModifiedResultRebuildsChiThroughTheShellFormula)
{
    // Both edges: the branch check brings the phase onto the branch on
    // which edge / k F sin(2 k R + phi) N / R^2 is the measured chi.
    for (double kante : {-1.0, 1.0}) {
        const Signal s = Analytisch(kante);
        const int n = static_cast<int>(s.k.size());
        PA_EINSTELLUNG e;
        e.Modifiziert = true;
        e.N = N0;
        e.R = R0;
        e.Kante = kante;
        PA_ERGEBNIS r;
        PhasenAmplitudenKomplex(s.k.data(), s.re.data(), s.im.data(), n, e, &r);
        ASSERT_TRUE(r.ZweigGeprueft);
        EXPECT_TRUE(r.ZweigGefunden);
        EXPECT_LE(r.Viertel, PA_MAX_VIERTEL);
        for (int i = 0; i < n; ++i) {
            const double k = s.k[i];
            EXPECT_NEAR(r.Amplitude[i], F(k), 1e-12) << k;
            const double chi = kante * N0 * r.Amplitude[i] / (k * R0 * R0) * std::sin(2 * k * R0 + r.Phase[i]);
            EXPECT_NEAR(chi, Chi(k, kante), 1e-12) << k;
            // The phase shift itself, up to whole turns.
            EXPECT_NEAR(std::remainder(r.Phase[i] - Phi(k), 2 * PI), 0.0, 1e-9) << k;
        }
    }
}

TEST(PhasenAmplituden, SimpleRunGivesMagnitudeAndTotalPhase)
{
    const Signal s = Analytisch(-1.0);
    const int n = static_cast<int>(s.k.size());
    PA_ERGEBNIS r;
    PhasenAmplitudenKomplex(s.k.data(), s.re.data(), s.im.data(), n, PA_EINSTELLUNG{}, &r);
    EXPECT_FALSE(r.ZweigGeprueft);
    const std::vector<double> p = GesamtPhase(s.re.data(), s.im.data(), n, -1.0);
    for (int i = 0; i < n; ++i) {
        EXPECT_NEAR(r.Amplitude[i], std::hypot(s.re[i], s.im[i]), 1e-15);
        EXPECT_EQ(r.Phase[i], p[i]);
    }
}

TEST(PhasenAmplituden, BranchCheckEndsAfterFourQuarterTurns)
{
    // A signal whose signs follow no phase: every quarter turn leaves about
    // half of the points wrong.
    std::vector<double> k, re, im;
    std::mt19937 zufall(7);
    for (int i = 0; i < 400; ++i) {
        k.push_back(3.0 + 0.025 * i);
        re.push_back((zufall() & 1) ? 1.0 : -1.0);
        im.push_back(0.5);
    }
    PA_EINSTELLUNG e;
    e.Modifiziert = true;
    e.N = 4.0;
    e.R = 2.0;
    PA_ERGEBNIS r;
    PhasenAmplitudenKomplex(k.data(), re.data(), im.data(), 400, e, &r);
    EXPECT_FALSE(r.ZweigGefunden);
    EXPECT_EQ(r.Viertel, 0);
    // The phase as determined: total phase minus 2 R k.
    const std::vector<double> p = GesamtPhase(re.data(), im.data(), 400, -1.0);
    for (int i = 0; i < 400; ++i) EXPECT_NEAR(r.Phase[i], p[i] - 2 * 2.0 * k[i], 1e-12) << i;
    const double dw[6] = {100, 4, 2, -1, 1, -1};
    EXPECT_NE(PhasenAmplitudenHistorie("x.mes", 3, dw, "", true).find("no consistent branch"), std::string::npos);
}

TEST(PhasenAmplituden, RealCurveCases)
{
    const double k[4] = {0.0, 2.0, 5.0, 10.0}, y[4] = {1.5, 0.5, -0.2, 3.0};
    struct Fall {
        int art;
        double n, r, kante;
        double (*erwartet)(double k, double y);
    };
    const Fall faelle[] = {
        {1, 4.0, 2.0, -1.0, [](double k, double y) { return k == 0.0 ? y : k * y; }},
        {1, 2.0, 3.0, 1.0, [](double k, double y) { return k == 0.0 ? y : k * y * 4.5; }},
        {-1, 4.0, 2.0, -1.0, [](double k, double y) { return y - 4.0 * k - PI; }},
        {-1, 4.0, 2.0, 1.0, [](double k, double y) { return y - 4.0 * k - 2 * PI; }},
    };
    for (const Fall& f : faelle) {
        PA_EINSTELLUNG e;
        e.Modifiziert = true;
        e.N = f.n;
        e.R = f.r;
        e.Kante = f.kante;
        const std::vector<double> aus = PhasenAmplitudenReell(k, y, 4, e, f.art);
        for (int i = 0; i < 4; ++i) EXPECT_NEAR(aus[i], f.erwartet(k[i], y[i]), 1e-14) << f.art << " " << i;
    }
}

TEST(PhasenAmplituden, HistoryText)
{
    const double modifiziert[6] = {100, 12, 2.55, -1, 100, -1};
    EXPECT_EQ(PhasenAmplitudenHistorie("cu.mes", 3, modifiziert, "C:\\d\\Makro.pha", false),
              "--: cu.mes --XAS-PHASE AND AMPLITUDE DETERMINATION  -  ( active : 3 )\r\n"
              "    modified phase und amplitude.\r\n"
              "      coordination number N : 12\r\n"
              "      distance R            : 2.55\r\n"
              "      K-, L1-Edge\r\n"
              "    phase and amplitude saved as C:\\d\\Makro.pha and -.amp\r\n");
    const double einfach[6] = {1, 0, 0, 1, 1, -1};
    EXPECT_EQ(PhasenAmplitudenHistorie("cu.mes", 4, einfach, "", false),
              "--: cu.mes --XAS-PHASE AND AMPLITUDE DETERMINATION  -  ( active : 4 )\r\n"
              "    phase and amplitude determined.\r\n"
              "    phase und amplitude not saved !\r\n");
    const double l3[6] = {100, 4, 2, 1, 1, 1};
    EXPECT_NE(PhasenAmplitudenHistorie("a", 1, l3, "", false).find("      L2-, L3-Edge\r\n"), std::string::npos);
}

TEST(ExperimentellePhasen, ListFieldsAndReferenceNames)
{
    const char* liste = "C:\\p\\a.pha, C:\\p\\b.pha,C:\\p\\a.amp,C:\\p\\b.amp,\n";
    std::string p, a;
    SchalenDateien(liste, 2, 1, &p, &a);
    EXPECT_EQ(p, "C:\\p\\b.pha");
    EXPECT_EQ(a, "C:\\p\\b.amp");
    SchalenDateien(liste, 2, 0, &p, &a);
    EXPECT_EQ(p, "C:\\p\\a.pha");
    EXPECT_EQ(a, "C:\\p\\a.amp");
    // One shell of the phase-corrected transform: the amplitude is optional.
    SchalenDateien("x.pha,", 1, 0, &p, &a);
    EXPECT_EQ(p, "x.pha");
    EXPECT_EQ(a, "");
    EXPECT_EQ(PhasenListenFeld(liste, 4), "");
    EXPECT_EQ(PhasenListenFeld(liste, 9), "");
    EXPECT_EQ(PhasenListenFeld(nullptr, 0), "");

    EXPECT_EQ(ReferenzDateiName("C:\\my.data\\cu.pha"), "C:\\my.data\\cu.par");
    EXPECT_EQ(ReferenzDateiName("C:\\my.data\\cu"), "C:\\my.data\\cu.par");
    EXPECT_EQ(ReferenzDateiName("cu.shell.pha"), "cu.shell.par");
}

TEST(ExperimentellePhasen, ReferenceShellFiles)
{
    const std::string pfad = Temp("ref.par");
    ASSERT_TRUE(ReferenzSchaleSchreiben(pfad, 12.0, 2.55));
    std::ifstream f(pfad, std::ios::binary);
    const std::string inhalt((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    EXPECT_EQ(inhalt, "12 \r\n2.55 \r\n");
    double n = 0, r = 0;
    EXPECT_TRUE(ReferenzSchaleLesen(pfad, &n, &r));
    EXPECT_EQ(n, 12.0);
    EXPECT_EQ(r, 2.55);
    // A file written in text mode elsewhere ("\r\r\n") reads the same.
    { std::ofstream g(pfad, std::ios::binary); g << "6 \r\r\n1.95 \r\r\n"; }
    EXPECT_TRUE(ReferenzSchaleLesen(pfad, &n, &r));
    EXPECT_EQ(n, 6.0);
    EXPECT_EQ(r, 1.95);
    // Missing, short or not numbers: 4.0 and 1.9.
    { std::ofstream g(pfad, std::ios::binary); g << "12\n"; }
    EXPECT_FALSE(ReferenzSchaleLesen(pfad, &n, &r));
    EXPECT_EQ(n, 4.0);
    EXPECT_EQ(r, 1.9);
    { std::ofstream g(pfad, std::ios::binary); g << "N\nR\n"; }
    EXPECT_FALSE(ReferenzSchaleLesen(pfad, &n, &r));
    std::remove(pfad.c_str());
    EXPECT_FALSE(ReferenzSchaleLesen(pfad, &n, &r));
    EXPECT_EQ(n, 4.0);
    EXPECT_EQ(r, 1.9);
}

TEST(ExperimentellePhasen, CurvesRangesAndGrid)
{
    const std::string pfad = Temp("phase.pha");
    {
        std::ofstream f(pfad);
        for (int i = 0; i <= 100; ++i) f << 3.0 + 0.1 * i << " " << Phi(3.0 + 0.1 * i) << "\n";
    }
    PHASEN_KURVE c;
    ASSERT_EQ(PhasenKurveLesen(pfad, &c), PHASE_OK);
    ASSERT_EQ(c.Punkte(), 101);
    double lo, hi;
    PhasenBereich(c, &lo, &hi);
    EXPECT_NEAR(lo, 2.97, 1e-12);
    EXPECT_NEAR(hi, 13.13, 1e-12);
    PhasenSchnitt(c, &lo, &hi);
    EXPECT_NEAR(lo, 3.03, 1e-12);
    EXPECT_NEAR(hi, 12.87, 1e-12);

    // A linear phase is reproduced by the spline; outside its range 0.
    def_zelva z;
    double altX[1] = {0}, altY[1] = {0};
    z.SetField(altX, altY);
    z.anzahl = 1;
    const double x[5] = {3.0, 4.234, 7.5, 13.0, 13.5};
    double aus[5];
    PhaseAufGitter(z, c, x, 5, aus);
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(aus[i], Phi(x[i]), 1e-12) << x[i];
    EXPECT_EQ(aus[4], 0.0);
    EXPECT_EQ(z.xField, altX);
    EXPECT_EQ(z.anzahl, 1);

    // Missing files and unusable curves.
    EXPECT_EQ(PhasenKurveLesen(Temp("fehlt.pha"), &c), PHASE_FEHLT);
    { std::ofstream f(pfad); f << "3 1\n4 2\n3.5 3\n5 4\n6 5\n"; }
    EXPECT_EQ(PhasenKurveLesen(pfad, &c), PHASE_UNBRAUCHBAR);
    { std::ofstream f(pfad); f << "3 1\n4 2\n"; }
    EXPECT_NE(PhasenKurveLesen(pfad, &c), PHASE_OK);
    std::remove(pfad.c_str());
}

TEST(ExperimentellePhasen, ExtractedFilesRebuildTheShellOnAnotherGrid)
{
    // 816's output written as spectrum files and read back by the set-up's
    // reader onto another grid: the shell formula gives chi(k) again.
    const Signal s = Analytisch(-1.0, 2.0, 14.0, 600);
    const int n = static_cast<int>(s.k.size());
    PA_EINSTELLUNG e;
    e.Modifiziert = true;
    e.N = N0;
    e.R = R0;
    PA_ERGEBNIS r;
    PhasenAmplitudenKomplex(s.k.data(), s.re.data(), s.im.data(), n, e, &r);
    const std::string pha = Temp("s.pha"), amp = Temp("s.amp");
    {
        std::ofstream p(pha), a(amp);
        p.precision(17);
        a.precision(17);
        for (int i = 0; i < n; ++i) {
            p << s.k[i] << " " << r.Phase[i] << "\n";
            a << s.k[i] << " " << r.Amplitude[i] << "\n";
        }
    }
    ASSERT_TRUE(ReferenzSchaleSchreiben(ReferenzDateiName(pha), N0, R0));
    PHASEN_KURVE cp, ca;
    ASSERT_EQ(PhasenKurveLesen(pha, &cp), PHASE_OK);
    ASSERT_EQ(PhasenKurveLesen(amp, &ca), PHASE_OK);
    double n0, r0;
    ASSERT_TRUE(ReferenzSchaleLesen(ReferenzDateiName(pha), &n0, &r0));
    std::vector<double> x;
    for (double k = 3.0; k <= 13.0; k += 0.037) x.push_back(k);
    std::vector<double> p(x.size()), a(x.size());
    def_zelva z;
    PhaseAufGitter(z, cp, x.data(), static_cast<int>(x.size()), p.data());
    PhaseAufGitter(z, ca, x.data(), static_cast<int>(x.size()), a.data());
    for (size_t i = 0; i < x.size(); ++i) {
        const double chi = -n0 * a[i] / (x[i] * r0 * r0) * std::sin(2 * x[i] * r0 + p[i]);
        EXPECT_NEAR(chi, Chi(x[i], -1.0), 1e-6) << x[i];
    }
    std::remove(pha.c_str());
    std::remove(amp.c_str());
    std::remove(ReferenzDateiName(pha).c_str());
}
