// The g(a) models of the kinetic calculator and the isoconversional analysis,
// against closed forms and synthetic curves of known activation energy.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "xrd/kinetics.h"

namespace {

// The models written out independently of the code under test.
double Geschlossen(int32_t id, double a)
{
    const double b = 1.0 - a;
    switch (id) {
    case 200: return a;
    case 201: return a * a;
    case 202: return std::sqrt(std::sqrt(a));
    case 203: return std::cbrt(a);
    case 204: return std::sqrt(a);
    case 205: return 1.0 - 2.0 * a / 3.0 - std::cbrt(b * b);
    case 206: return std::sqrt(-std::log(b));
    case 207: return std::cbrt(-std::log(b));
    case 208: return std::sqrt(std::sqrt(-std::log(b)));
    case 209: return std::log(a) - std::log(b);
    case 210: return 1.0 - std::sqrt(b);
    case 211: return 1.0 - std::cbrt(b);
    case 212: return -std::log(b);
    case 213: return b * std::log(b) + a;
    case 214: return (1.0 - std::cbrt(b)) * (1.0 - std::cbrt(b));
    }
    return NAN;
}

TEST(KinetikG, EveryModelMatchesItsClosedForm)
{
    for (int32_t id = 200; id <= 214; ++id) {
        for (double a : {0.1, 0.5, 0.9}) {
            double g = -99.0;
            ASSERT_TRUE(KinetikG(id, a, &g)) << id << " at " << a;
            EXPECT_NEAR(g, Geschlossen(id, a), 1e-12) << id << " at " << a;
        }
        EXPECT_STRNE(KinetikFormel(id), "") << id;
    }
    double g = 0.0;
    EXPECT_FALSE(KinetikG(215, 0.5, &g));
    EXPECT_FALSE(KinetikG(199, 0.5, &g));
}

TEST(KinetikG, PublishedValuesAtOneHalf)
{
    const struct { int32_t id; double g; } faelle[] = {
        {201, 0.25}, {202, 0.840896}, {204, 0.707107}, {205, 0.0367061}, {206, 0.832555},
        {209, 0.0}, {212, 0.693147}, {213, 0.153426}, {214, 0.0425595},
    };
    for (const auto& f : faelle) {
        double g = -1.0;
        ASSERT_TRUE(KinetikG(f.id, 0.5, &g));
        EXPECT_NEAR(g, f.g, 1e-6) << f.id;
    }
}

TEST(KinetikG, PointsOutsideTheOpenIntervalAreKeptOnlyWhereDefined)
{
    const struct { int32_t id; double a; bool behalten; double g; } faelle[] = {
        {206, 0.0, true, 0.0},  {209, 0.0, false, 0.0}, {210, 1.0, true, 1.0},
        {212, 1.0, false, 0.0}, {213, 1.0, false, 0.0}, {204, -0.1, false, 0.0},
        {205, 1.1, false, 0.0}, {201, -0.1, true, 0.01}, {200, 1.1, true, 1.1},
        {202, -0.1, false, 0.0}, {211, 1.1, false, 0.0}, {214, 1.1, false, 0.0},
        {207, 0.0, true, 0.0},  {212, 0.0, true, 0.0},  {213, 0.0, true, 0.0},
    };
    for (const auto& f : faelle) {
        double g = 12345.0;
        EXPECT_EQ(KinetikG(f.id, f.a, &g), f.behalten) << f.id << " at " << f.a;
        if (f.behalten) {
            EXPECT_NEAR(g, f.g, 1e-15) << f.id;
            EXPECT_FALSE(std::signbit(g)) << f.id;
        } else {
            EXPECT_EQ(g, 12345.0) << f.id;
        }
    }
    // The slot holds only the defined points, in order.
    const double t[] = {0, 1, 2, 3, 4};
    const double a[] = {0.0, 0.3, 0.6, 1.0, 1.2};
    double x[5], y[5];
    ASSERT_EQ(KinetikTransformiere(212, t, a, 5, x, y), 3);
    EXPECT_EQ(x[2], 2.0);
    EXPECT_NEAR(y[2], -std::log(0.4), 1e-15);
    EXPECT_EQ(KinetikTransformiere(200, t, a, 5, x, y), 5);
    EXPECT_EQ(KinetikTransformiere(209, t, a, 5, x, y), 2);
}

// g^-1 by bisection on the closed form (every model rises on 0 < a < 1).
double Umkehr(int32_t id, double g)
{
    double lo = 0.0, hi = 1.0;
    for (int k = 0; k < 200; ++k) {
        const double mitte = 0.5 * (lo + hi);
        if (mitte == lo || mitte == hi) break;
        if (Geschlossen(id, mitte) < g) lo = mitte; else hi = mitte;
    }
    return 0.5 * (lo + hi);
}

TEST(KinetikG, RegressionOnAnyModelGivesTheRateConstant)
{
    for (int32_t id = 200; id <= 214; ++id) {
        const double glo = Geschlossen(id, 0.02), ghi = Geschlossen(id, 0.98);
        const double t0 = (glo - 0.1) / 0.02, t1 = (ghi - 0.1) / 0.02;
        std::vector<double> t(200), a(200), x(200), y(200);
        for (int i = 0; i < 200; ++i) {
            t[i] = t0 + (t1 - t0) * i / 199.0;
            a[i] = Umkehr(id, 0.02 * t[i] + 0.1);
        }
        const int32_t n = KinetikTransformiere(id, t.data(), a.data(), 200, x.data(), y.data());
        ASSERT_EQ(n, 200) << id;
        double c0 = 0.0, k = 0.0;
        ASSERT_TRUE(KinetikGerade(x.data(), y.data(), n, &c0, &k)) << id;
        EXPECT_NEAR(k, 0.02, 1e-10) << id;
        EXPECT_NEAR(c0, 0.1, 1e-10) << id;
    }
}

TEST(KinetikGerade, TwoPointsGiveTheirLineAndFewerNone)
{
    const double x[] = {1.0, 3.0}, y[] = {2.0, 6.0};
    double c0 = -7.0, k = -7.0;
    ASSERT_TRUE(KinetikGerade(x, y, 2, &c0, &k));
    EXPECT_DOUBLE_EQ(k, 2.0);
    EXPECT_DOUBLE_EQ(c0, 0.0);
    c0 = k = -7.0;
    EXPECT_FALSE(KinetikGerade(x, y, 1, &c0, &k));
    const double gleich[] = {2.0, 2.0, 2.0}, z[] = {1.0, 2.0, 3.0};
    EXPECT_FALSE(KinetikGerade(gleich, z, 3, &c0, &k));
    EXPECT_FALSE(KinetikGerade(gleich, z, 2, &c0, &k));
    EXPECT_EQ(c0, -7.0);
    EXPECT_EQ(k, -7.0);
}

// ---- isoconversional analysis ----

const double EA = 80000.0;            // J/mol
const double K423 = 0.01;             // rate constant at 423 K, 1/s
const double TEMPERATUREN[] = {373, 398, 423, 448, 473};
const int32_t PUNKTE[] = {500, 597, 694, 791, 888};

double Rate(double T)
{
    return K423 * std::exp(-(EA / KINETIK_R) * (1.0 / T - 1.0 / 423.0));
}

// a(t) for k t = u, and the u of a = 0.5.
struct Modell {
    const char* Name;
    std::function<double(double)> a;
    double uHalb;
};

const Modell ERSTE_ORDNUNG{"first order", [](double u) { return 1.0 - std::exp(-u); },
                           std::log(2.0)};
const Modell AVRAMI2{"Avrami n = 2", [](double u) { return 1.0 - std::exp(-u * u); },
                     std::sqrt(std::log(2.0))};
const Modell KUGEL{"contracting sphere",
                   [](double u) {
                       const double r = u < 1.0 ? 1.0 - u : 0.0;
                       return 1.0 - r * r * r;
                   },
                   1.0 - std::cbrt(0.5)};

uint32_t g_zufall = 12345u;
double Gleich()   // uniform on [-1, 1)
{
    g_zufall = g_zufall * 1664525u + 1013904223u;
    return (g_zufall >> 8) / 8388608.0 - 1.0;
}

std::vector<KinetikKurve> Kurven(const Modell& m, double rauschen = 0.0, double bisA = 2.0)
{
    std::vector<KinetikKurve> kurven;
    for (int j = 0; j < 5; ++j) {
        KinetikKurve k;
        k.T = TEMPERATUREN[j];
        k.Name = "curve_" + std::to_string(j) + ".dat";
        const double rate = Rate(k.T);
        const double ende = 5.0 * m.uHalb / rate;
        for (int i = 0; i < PUNKTE[j]; ++i) {
            const double t = ende * i / (PUNKTE[j] - 1.0);
            const double a = m.a(rate * t) + rauschen * Gleich();
            if (a > bisA) break;
            k.t.push_back(t);
            k.a.push_back(a);
        }
        kurven.push_back(k);
    }
    return kurven;
}

TEST(Isoconv, ActivationEnergyOfSyntheticCurves)
{
    const struct { const Modell* m; double rauschen; } faelle[] = {
        {&ERSTE_ORDNUNG, 0.0}, {&AVRAMI2, 0.0}, {&KUGEL, 0.0}, {&ERSTE_ORDNUNG, 0.003},
    };
    for (const auto& f : faelle) {
        const auto kurven = Kurven(*f.m, f.rauschen);
        IsoconvErgebnis e;
        int32_t fehler = 0;
        ASSERT_TRUE(IsoconvRechne(kurven, 0.05, &e, &fehler)) << f.m->Name;
        ASSERT_EQ(e.Stufen.size(), 19u);
        for (std::size_t l = 0; l < e.Stufen.size(); ++l) {
            const IsoconvStufe& s = e.Stufen[l];
            EXPECT_NEAR(s.a, 0.05 * (l + 1), 1e-12);
            ASSERT_TRUE(s.Gueltig);
            EXPECT_EQ(s.x.size(), 5u);
            EXPECT_NEAR(s.Ea, 80.0, 0.8) << f.m->Name << " noise " << f.rauschen << " at a = " << s.a;
        }
    }
}

TEST(Isoconv, HalfLifeAndNormalisedTimes)
{
    const auto kurven = Kurven(ERSTE_ORDNUNG);
    IsoconvErgebnis e;
    int32_t fehler = 0;
    ASSERT_TRUE(IsoconvRechne(kurven, 0.05, &e, &fehler));
    for (int j = 0; j < 5; ++j) {
        ASSERT_TRUE(e.HatHalbwert[j]);
        const double soll = std::log(2.0) / Rate(TEMPERATUREN[j]);
        EXPECT_NEAR(e.Halbwert[j], soll, 0.01 * soll) << j;
        ASSERT_EQ(e.Normiert[j].size(), kurven[j].t.size());
        EXPECT_DOUBLE_EQ(e.Normiert[j].back(), kurven[j].t.back() / e.Halbwert[j]);
    }
}

TEST(Isoconv, StepLimitAndLevelCount)
{
    EXPECT_EQ(IsoconvSchritt(0.05), 0.05);
    EXPECT_EQ(IsoconvSchritt(0.01), 0.02);
    EXPECT_EQ(IsoconvSchritt(0.0), 0.02);
    EXPECT_EQ(IsoconvSchritt(std::nan("")), 0.02);
    const auto kurven = Kurven(ERSTE_ORDNUNG);
    IsoconvErgebnis e;
    int32_t fehler = 0;
    ASSERT_TRUE(IsoconvRechne(kurven, 0.01, &e, &fehler));
    EXPECT_EQ(e.Schritt, 0.02);
    EXPECT_EQ(e.Stufen.size(), 49u);
    EXPECT_NEAR(e.Stufen.back().a, 0.98, 1e-12);
}

TEST(Isoconv, LevelsACurveNeverReachesUseTheOthers)
{
    auto kurven = Kurven(ERSTE_ORDNUNG);
    const auto kalt = Kurven(ERSTE_ORDNUNG, 0.0, 0.6);
    kurven[0] = kalt[0];
    IsoconvErgebnis e;
    int32_t fehler = 0;
    ASSERT_TRUE(IsoconvRechne(kurven, 0.05, &e, &fehler));
    for (const IsoconvStufe& s : e.Stufen) {
        if (s.a < 0.5) {
            EXPECT_EQ(s.x.size(), 5u) << s.a;
        }
        if (s.a > 0.62) {
            EXPECT_EQ(s.x.size(), 4u) << s.a;
            ASSERT_TRUE(s.Gueltig);
            EXPECT_NEAR(s.Ea, 80.0, 0.8) << s.a;
        }
    }
}

TEST(Isoconv, TemperaturesInReverseOrderAreWrittenAsTheyCome)
{
    auto kurven = Kurven(ERSTE_ORDNUNG);
    for (int j = 0; j < 5; ++j) kurven[j].T = TEMPERATUREN[4 - j];
    // ln(da/dt) at a level is ln k(T_j) plus a constant; its least-squares
    // line over the reversed 1000/T gives the expected (negative) value.
    double mx = 0.0, my = 0.0;
    for (int j = 0; j < 5; ++j) {
        mx += 1000.0 / TEMPERATUREN[4 - j] / 5.0;
        my += std::log(Rate(TEMPERATUREN[j])) / 5.0;
    }
    double sxy = 0.0, sxx = 0.0;
    for (int j = 0; j < 5; ++j) {
        const double dx = 1000.0 / TEMPERATUREN[4 - j] - mx;
        sxy += dx * (std::log(Rate(TEMPERATUREN[j])) - my);
        sxx += dx * dx;
    }
    const double soll = -KINETIK_R * sxy / sxx;
    EXPECT_NEAR(soll, -79.2, 0.05);
    IsoconvErgebnis e;
    int32_t fehler = 0;
    ASSERT_TRUE(IsoconvRechne(kurven, 0.05, &e, &fehler));
    for (const IsoconvStufe& s : e.Stufen) {
        ASSERT_TRUE(s.Gueltig);
        EXPECT_NEAR(s.Ea, soll, 0.8) << s.a;
    }
    const std::string text = IsoconvEaText(kurven, e);
    int zeilen = 0;
    for (std::size_t p = text.find("\n"); p != std::string::npos; p = text.find("\n", p + 1))
        ++zeilen;
    EXPECT_EQ(zeilen, 1 + 5 + 19);
    EXPECT_NE(text.find("\n0.95, -"), std::string::npos);
}

// A small hand-made case whose files are known line by line.
TEST(Isoconv, OutputTextsMatchTheirLayout)
{
    std::vector<KinetikKurve> kurven(2);
    kurven[0].Name = "a373.dat";
    kurven[0].T = 373;
    kurven[1].Name = "b398.txt";
    kurven[1].T = 398.5;
    for (int i = 0; i < 11; ++i) {
        kurven[0].t.push_back(i * 10.0);
        kurven[0].a.push_back(i / 10.0);
        kurven[1].t.push_back(i * 5.0);
        kurven[1].a.push_back(0.55 + i * 0.004);  // starts above 0.5: no half-life
    }
    IsoconvErgebnis e;
    int32_t fehler = 0;
    ASSERT_TRUE(IsoconvRechne(kurven, 0.3, &e, &fehler));
    ASSERT_EQ(e.Stufen.size(), 2u);              // a = 0.3 and 0.6
    EXPECT_FALSE(e.HatHalbwert[1]);
    ASSERT_TRUE(e.HatHalbwert[0]);

    const std::string kopf =
        "# a373.dat at T=373 K\n"
        "# b398.txt at T=398.5 K\n";
    const std::string ea = IsoconvEaText(kurven, e);
    const std::string eaKopf =
        "# Apparent activation energy from isoconversional analysis of\n" + kopf;
    EXPECT_EQ(ea.substr(0, eaKopf.size()), eaKopf);
    // Level 0.3 is passed by both curves, level 0.6 by the first only.
    EXPECT_NE(ea.find("\n0.3, "), std::string::npos);
    EXPECT_EQ(ea.substr(ea.size() - 50), "# a = 0.6: fewer than two curves reach this level\n");

    char zeile[64];
    std::snprintf(zeile, sizeof zeile, "373, %G\n", e.Halbwert[0]);
    EXPECT_EQ(IsoconvHalbwertText(kurven, e), "# Half-life v Temperature for\n" + kopf + zeile);

    const std::string n = IsoconvNormiertText(kurven, e, 0);
    std::snprintf(zeile, sizeof zeile, "# Half-life normalized curve, t1/2 = %G [t]\n0, 0\n",
                  e.Halbwert[0]);
    EXPECT_EQ(n.substr(0, std::string(zeile).size()), zeile);
    std::snprintf(zeile, sizeof zeile, "\n%G, 1\n", 100.0 / e.Halbwert[0]);
    EXPECT_EQ(n.substr(n.size() - std::string(zeile).size()), zeile);
    EXPECT_EQ(IsoconvNormiertText(kurven, e, 1), "");
}

TEST(Isoconv, FilesGoToTheFolderAndFailuresAreNamed)
{
    const auto kurven = Kurven(ERSTE_ORDNUNG);
    IsoconvErgebnis e;
    int32_t fehler = 0;
    ASSERT_TRUE(IsoconvRechne(kurven, 0.05, &e, &fehler));
    const std::string ordner = ::testing::TempDir();
    EXPECT_TRUE(IsoconvSchreibe(ordner, kurven, e).empty());
    std::FILE* f = std::fopen((ordner + "t12n_curve_2.dat").c_str(), "rt");
    ASSERT_TRUE(f);
    std::string text;
    char puffer[256];
    while (std::fgets(puffer, sizeof puffer, f)) text += puffer;
    std::fclose(f);
    EXPECT_EQ(text, IsoconvNormiertText(kurven, e, 2));
    const auto nicht = IsoconvSchreibe(ordner + "no_such_folder/", kurven, e);
    ASSERT_EQ(nicht.size(), 7u);
    EXPECT_EQ(nicht[0], ordner + "no_such_folder/apparent_Ea_v_a.dat");
}

TEST(Isoconv, LongCurvesAndBadInput)
{
    for (int32_t punkte : {2000, 5000}) {
        std::vector<KinetikKurve> kurven;
        for (int j = 0; j < 3; ++j) {
            KinetikKurve k;
            k.T = TEMPERATUREN[j];
            const double rate = Rate(k.T);
            for (int i = 0; i < punkte; ++i) {
                const double t = 5.0 * std::log(2.0) / rate * i / (punkte - 1.0);
                k.t.push_back(t);
                k.a.push_back(1.0 - std::exp(-rate * t));
            }
            kurven.push_back(k);
        }
        IsoconvErgebnis e;
        int32_t fehler = 0;
        ASSERT_TRUE(IsoconvRechne(kurven, 0.05, &e, &fehler)) << punkte;
        EXPECT_NEAR(e.Stufen[9].Ea, 80.0, 0.8) << punkte;
    }
    std::vector<KinetikKurve> kurz(1);
    kurz[0].t = {0, 1, 2, 3};
    kurz[0].a = {0, 0.1, 0.2, 0.3};
    IsoconvErgebnis e;
    int32_t fehler = 99;
    EXPECT_FALSE(IsoconvRechne(kurz, 0.05, &e, &fehler));
    EXPECT_EQ(fehler, 0);
    EXPECT_FALSE(IsoconvRechne({}, 0.05, &e, &fehler));
    EXPECT_EQ(fehler, -1);
}

TEST(Isoconv, TemperatureText)
{
    std::vector<double> T;
    EXPECT_EQ(IsoconvTemperaturen("373\r\n398\r\n423\r\n", 3, &T), 0);
    EXPECT_EQ(T, (std::vector<double>{373, 398, 423}));
    // Read whole: a long first line and more than 450 characters.
    const std::string lang = std::string(60, ' ') + "373.25" + std::string(400, ' ') + "\n398\n";
    EXPECT_EQ(IsoconvTemperaturen(lang, 2, &T), 0);
    EXPECT_EQ(T[0], 373.25);
    const struct { const char* text; int32_t zeile; } fehler[] = {
        {"373\n0\n423", 2}, {"373\n398", 3}, {"373\nwarm\n423", 2},
        {"-5\n398\n423", 1}, {"373\n398\n\n", 3}, {"373K\n398\n423", 1},
    };
    for (const auto& f : fehler) {
        T = {1.0};
        EXPECT_EQ(IsoconvTemperaturen(f.text, 3, &T), f.zeile) << f.text;
        EXPECT_EQ(T, std::vector<double>{1.0});
    }
}

}  // namespace
