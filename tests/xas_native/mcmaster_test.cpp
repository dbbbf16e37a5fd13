// McMaster table: the reader of "mucal.dat" and the look-ups on it.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "xas/mcmaster.h"
#include "xas_test_support.h"

namespace {

// The numbers of mucal.dat in file order, captions (lines that begin with
// a letter) left out.
std::vector<double> ZahlenDerDatei()
{
    std::istringstream in(LiesBytes(MucalPfad()));
    std::vector<double> zahlen;
    std::string zeile;
    while (std::getline(in, zeile)) {
        std::istringstream w(zeile);
        std::string wort;
        if (!(w >> wort) || std::isalpha(static_cast<unsigned char>(wort[0]))) continue;
        zahlen.push_back(std::stod(wort));
        while (w >> wort) zahlen.push_back(std::stod(wort));
    }
    return zahlen;
}

double Wert(int32_t zeile, int32_t p) { return McMasterTabelle()[zeile * 100 + p]; }

struct Calc {
    int32_t ergebnis;
    double kanten[9], werte[11], ausbeuten[4];
};

Calc Rechne(const char* symbol, double e, char einheit = 'C', int32_t element = -1,
            const double* tabelle = McMasterTabelle())
{
    Calc c{};
    char s[8];
    std::strcpy(s, symbol);
    c.ergebnis = McMasterCalc(tabelle, s, e, c.kanten, c.werte, c.ausbeuten, einheit, element);
    return c;
}

// The photoelectric fit of rows erste..erste+3 at e, undivided.
double Fit(int32_t p, int32_t erste, double e)
{
    double c[4];
    for (int32_t i = 0; i < 4; ++i) c[i] = Wert(erste + i, p);
    return McMasterSigma(e, c);
}

const int32_t CU = 28, AU = 78, FE = 25;

}  // namespace

TEST(McMasterTable, EveryValueSitsAtRowTimes100PlusPosition)
{
    ASSERT_NE(McMasterTabelle(), nullptr);
    const std::vector<double> z = ZahlenDerDatei();
    ASSERT_EQ(z.size(), 14u * 96 + 94 * 3 + 6 * 94 * 4);
    std::size_t i = 0;
    for (int32_t r = 0; r <= 13; ++r)
        for (int32_t p = 0; p < 96; ++p) ASSERT_EQ(Wert(r, p), z[i++]) << r << " " << p;
    for (int32_t p = 0; p < 94; ++p)
        for (int32_t r = 14; r <= 16; ++r) ASSERT_EQ(Wert(r, p), z[i++]) << r << " " << p;
    for (int32_t b = 0; b < 6; ++b)
        for (int32_t p = 0; p < 94; ++p)
            for (int32_t r = 17 + 4 * b; r <= 20 + 4 * b; ++r) ASSERT_EQ(Wert(r, p), z[i++]) << r << " " << p;

    // Copper, from McMaster's tables.
    EXPECT_EQ(Wert(0, CU), 8.979);
    EXPECT_EQ(Wert(9, CU), 63.54);
    EXPECT_EQ(Wert(12, CU), 105.5);
    EXPECT_EQ(Wert(14, CU), 0.0016);
    EXPECT_EQ(Wert(15, CU), 0.010);
    EXPECT_EQ(Wert(16, CU), 0.011);
}

TEST(McMasterTable, ForeignShortOrDamagedFilesAreRefusedAndLeaveTheTable)
{
    const std::string gut = LiesBytes(MucalPfad());
    // Rows 17-20 (coherent scattering) end with the line of Pu; the file is
    // cut inside its last number, row 20.
    const std::size_t zeile20 = gut.find("incoherent scattering");
    ASSERT_NE(zeile20, std::string::npos);
    std::string wort = gut;
    const std::size_t w = wort.find("1.07200E+00");
    ASSERT_NE(w, std::string::npos);
    wort.replace(w, 11, "  one point");
    std::string ohneKedge = gut;
    ohneKedge.replace(ohneKedge.find("K-edge"), 6, "K edge");
    const struct {
        const char* fall;
        std::string text;
    } faelle[] = {
        {"first line without K-edge", ohneKedge},
        {"cut inside row 20", gut.substr(0, zeile20 - 5)},
        {"cut after the first line", gut.substr(0, gut.find('\n') + 1)},
        {"a word where a number belongs", wort},
        {"empty", ""},
    };
    for (const auto& f : faelle) {
        std::vector<double> t(MCMASTER_WERTE, 7.0);
        EXPECT_EQ(LeseMucalText(f.text.data(), f.text.size(), t.data()), 0) << f.fall;
        EXPECT_EQ(std::count(t.begin(), t.end(), 7.0), MCMASTER_WERTE) << f.fall;
    }
    std::vector<double> t(MCMASTER_WERTE, 7.0);
    EXPECT_EQ(LeseMucalDatei(KORLAN_TEST_DIR "/no_such_mucal.dat", t.data()), 0);
    // The whole file with Windows line ends reads the same.
    std::string crlf;
    for (char c : gut) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    ASSERT_EQ(LeseMucalText(crlf.data(), crlf.size(), t.data()), 1);
    for (int32_t i = 0; i < MCMASTER_WERTE; ++i) ASSERT_EQ(t[i], McMasterTabelle()[i]) << i;
}

TEST(McMasterCalc, CopperAt10KeV)
{
    const Calc c = Rechne("Cu", 10.0);
    ASSERT_EQ(c.ergebnis, 29);
    EXPECT_NEAR(c.werte[3], 219.3, 219.3 * 0.005);
    EXPECT_NEAR(c.werte[0], 217.7, 217.7 * 0.005);
    EXPECT_NEAR(c.werte[1], 1.521, 1.521 * 0.005);
    EXPECT_NEAR(c.werte[2], 0.0770, 0.0770 * 0.005);
    EXPECT_NEAR(c.werte[5], 1960.7, 1960.7 * 0.005);
    const double konstanten[] = {63.54, 8.94, 1.16, 1.41, 2.874};
    for (int32_t i = 0; i < 5; ++i) EXPECT_DOUBLE_EQ(c.werte[6 + i], konstanten[i]) << i;
    EXPECT_DOUBLE_EQ(c.werte[4], 105.5);
    const double ausbeuten[] = {0.44, 0.0016, 0.010, 0.011};
    for (int32_t i = 0; i < 4; ++i) EXPECT_DOUBLE_EQ(c.ausbeuten[i], ausbeuten[i]) << i;
    EXPECT_DOUBLE_EQ(c.kanten[0], 8.979);
    EXPECT_DOUBLE_EQ(c.kanten[3], 0.932);

    const Calc b = Rechne("cU", 10.0, 'B');
    EXPECT_NEAR(b.werte[0], 22970.0, 22970.0 * 0.0005);
    EXPECT_NEAR(b.werte[3] / b.werte[4], c.werte[3], 1e-12 * c.werte[3]);
    EXPECT_DOUBLE_EQ(Rechne("Cu", 10.0, 'c').werte[0], c.werte[0]);
    // The element position instead of the symbol.
    EXPECT_DOUBLE_EQ(Rechne("", 10.0, 'C', CU).werte[3], c.werte[3]);
}

TEST(McMasterCalc, TheKEdgeItselfBelongsAboveIt)
{
    const Calc an = Rechne("Cu", 8.979, 'B');
    EXPECT_NEAR(an.werte[0], 30298.8, 0.1);
    const Calc unter = Rechne("Cu", 8.978, 'B');
    EXPECT_NEAR(unter.werte[0], 3808.6, 0.1);
}

TEST(McMasterCalc, ZeroAndNegativeEnergies)
{
    Calc c = Rechne("Cu", 0.0);
    EXPECT_EQ(c.ergebnis, -29);
    EXPECT_DOUBLE_EQ(c.kanten[0], 8.979);
    EXPECT_DOUBLE_EQ(c.werte[6], 63.54);
    EXPECT_DOUBLE_EQ(c.werte[10], 2.874);
    EXPECT_DOUBLE_EQ(c.ausbeuten[0], 0.44);
    EXPECT_EQ(c.werte[0], 0.0);
    EXPECT_EQ(Rechne("Cu", -1.0).ergebnis, 0);
    EXPECT_EQ(Rechne("Cu", std::nan("")).ergebnis, 0);

    const double koeff[4] = {2.5, -1.0, 0.3, 7.0};
    EXPECT_DOUBLE_EQ(McMasterSigma(1.0, koeff), std::exp(2.5));
}

TEST(McMasterCalc, ElementsWithAndWithoutData)
{
    const Calc u = Rechne("U", 30.0);
    EXPECT_EQ(u.ergebnis, 92);
    EXPECT_NEAR(u.werte[3], 40.46, 40.46 * 0.005);
    for (const char* s : {"Rn", "Th", "Pu", "H", "Bi"}) {
        const Calc c = Rechne(s, 20.0);
        EXPECT_GT(c.ergebnis, 0) << s;
        EXPECT_TRUE(std::isfinite(c.werte[5]) && c.werte[5] > 0.0) << s;
    }
    EXPECT_EQ(Rechne("H", 20.0).ergebnis, 1);
    for (const char* s : {"Po", "At", "Fr", "Ra", "Ac", "Pa", "Np", "Xx", "", "Cupr"})
        EXPECT_EQ(Rechne(s, 20.0).ergebnis, 0) << s;
    EXPECT_EQ(Rechne("", 20.0, 'C', 94).ergebnis, 0);
    EXPECT_EQ(Rechne("", 20.0, 'C', 83).ergebnis, 0);  // Po by position
}

TEST(McMasterCalc, LFitIsLoweredByTheL1AndL2JumpsBelowL1)
{
    // Gold: L3 11.918, L2 13.733, L1 14.353 keV.
    const struct {
        const char* symbol;
        int32_t p;
        double e, teiler;
    } faelle[] = {
        {"Au", AU, 13.2, 1.16 * 1.41},
        {"Au", AU, 14.0, 1.16},
        {"Au", AU, 14.5, 1.0},
        {"Fe", FE, 0.75, 1.0},  // Z = 26 keeps the fit as it is
    };
    for (const auto& f : faelle) {
        const Calc c = Rechne(f.symbol, f.e, 'B');
        EXPECT_NEAR(c.werte[0], Fit(f.p, 29, f.e) / f.teiler, 1e-9 * c.werte[0]) << f.symbol << f.e;
    }
    EXPECT_NEAR(Rechne("Au", 13.2, 'B').werte[0], 44924.0, 1.0);
    EXPECT_NEAR(Fit(AU, 29, 13.2), 73478.0, 1.0);
}

TEST(McMasterLookUps, UnloadedTableAnswersZero)
{
    std::vector<double> t(McMasterTabelle(), McMasterTabelle() + MCMASTER_WERTE);
    t[0] = MCMASTER_NICHT_GELADEN;
    EXPECT_EQ(Rechne("Cu", 10.0, 'C', -1, t.data()).ergebnis, 0);
    EXPECT_EQ(Rechne("Cu", 0.0, 'C', 28, t.data()).ergebnis, 0);
    char s[] = "Cu";
    EXPECT_EQ(GetEdgeEnergy(t.data(), s), 0.0);
    EXPECT_EQ(GetEdgeEnergy(nullptr, s), 0.0);
}

TEST(McMasterLookUps, GetEdgeEnergy)
{
    const struct {
        const char* text;
        double energie;
        const char* danach;
    } faelle[] = {
        {"cu", 8.979, "Cu"},  {"Cu2", 0.952, "Cu"}, {"Cu3", 0.932, "Cu"}, {"CU1", 1.1, "Cu"},
        {"H", 0.014, "H"},    {"au4", 3.425, "Au"}, {"Xx", 0.0, "Xx"},    {"", 0.0, ""},
        {"Cu22", 0.0, "Cu22"}, {"Cux", 0.0, "Cux"},
    };
    for (const auto& f : faelle) {
        char text[8];
        std::strcpy(text, f.text);
        EXPECT_DOUBLE_EQ(GetEdgeEnergy(McMasterTabelle(), text), f.energie) << f.text;
        EXPECT_STREQ(text, f.danach) << f.text;
    }
}
