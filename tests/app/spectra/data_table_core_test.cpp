// Rows, header fields, entries, deleting and scroll arithmetic of the data
// table.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "spectra/data_table.h"

namespace {

std::string Zeile(int32_t i, const std::vector<double>& x, const std::vector<double>& y, int32_t n,
                  bool komplex)
{
    char text[200];
    TabellenZeile(text, sizeof text, i, x.data(), y.data(), n, komplex);
    return text;
}

}  // namespace

TEST(DataTableRows, RealAndComplexRowsFollowTheColumnLayout)
{
    // Imaginary part of point i stands at y[n + 1 + i].
    const std::vector<double> x = {0.5, 7112.25, -3e-7, 1e12};
    const std::vector<double> y = {1.0, -0.125, 123456789.0, 0.0, /*gap*/ 99.0, 2.0, -3.5, 1e-20, 4.0};
    struct Fall {
        int32_t i;
        bool komplex;
        const char* erwartet;
    } faelle[] = {
        {0, false, "   0.   0.5         1        "},
        {1, false, "   1.   7112.25    -0.125    "},
        {2, false, "   2.  -3E-07       1.23457E+08"},
        {3, false, "   3.   1E+12       0        "},
        {0, true, "   0.   0.5         1           2        "},
        {1, true, "   1.   7112.25    -0.125      -3.5      "},
        {2, true, "   2.  -3E-07       1.23457E+08   1E-20    "},
    };
    for (const Fall& f : faelle) EXPECT_EQ(Zeile(f.i, x, y, 4, f.komplex), f.erwartet) << f.i;
    // Index wider than four digits is not cut.
    std::vector<double> viele(12001, 1.0);
    EXPECT_EQ(Zeile(12000, viele, viele, 12001, false).substr(0, 8), "12000.  ");
}

TEST(DataTableRows, HeaderFieldsSwitchToExponentBeyondTwelveCharacters)
{
    struct Fall {
        double wert;
        const char* erwartet;
    } faelle[] = {
        {7112.25, "  7112.25"},
        {-0.125, "  -0.125"},
        {1e-5, "  1E-05"},
        {-1.23456e-10, "  -1.23456E-10"},
        {-1.234567e-200, "  -1.23457E-200"},  // 15 characters, the most a field takes
        {123456.0, "  123456"},
        {0.000123457, "  1.23457E-04"},  // "%G" gives 13 characters
    };
    char text[40];
    for (const Fall& f : faelle) {
        TabellenKopfWert(text, sizeof text, f.wert);
        EXPECT_STREQ(text, f.erwartet) << f.wert;
        EXPECT_LE(std::string(text).size(), 15u);
    }
    TabellenKopfIndex(text, sizeof text, 42);
    EXPECT_STREQ(text, "  42.");
}

TEST(DataTableEntry, TextReadsAsNumberAndNonNumbersAsZero)
{
    EXPECT_DOUBLE_EQ(TabellenEingabe("  2.5\r\n"), 2.5);
    EXPECT_DOUBLE_EQ(TabellenEingabe("-1.25E+03"), -1250.0);
    EXPECT_DOUBLE_EQ(TabellenEingabe("abc"), 0.0);
    EXPECT_DOUBLE_EQ(TabellenEingabe(""), 0.0);
    // Only the first 19 characters count.
    EXPECT_DOUBLE_EQ(TabellenEingabe("1111111111111111111999"), 1111111111111111111.0);
}

TEST(DataTableDelete, PointsMoveForwardAndTheLastPointLeavesAnEmptyCurve)
{
    std::vector<double> x = {0, 1, 2, 3};
    std::vector<double> y = {10, 11, 12, 13};
    int32_t n = 4;
    ASSERT_TRUE(TabellenPunktLoeschen(x.data(), y.data(), &n, 1, false));
    EXPECT_EQ(n, 3);
    EXPECT_EQ(std::vector<double>(x.begin(), x.begin() + 3), (std::vector<double>{0, 2, 3}));
    EXPECT_EQ(std::vector<double>(y.begin(), y.begin() + 3), (std::vector<double>{10, 12, 13}));
    EXPECT_FALSE(TabellenPunktLoeschen(x.data(), y.data(), &n, 3, false));
    EXPECT_FALSE(TabellenPunktLoeschen(x.data(), y.data(), &n, -1, false));
    while (n > 0) ASSERT_TRUE(TabellenPunktLoeschen(x.data(), y.data(), &n, n - 1, false));
    EXPECT_EQ(n, 0);
    // Delete on an empty curve changes nothing and never counts below 0.
    EXPECT_FALSE(TabellenPunktLoeschen(x.data(), y.data(), &n, 0, false));
    EXPECT_EQ(n, 0);
}

TEST(DataTableDelete, ComplexCurveKeepsEachImaginaryPartWithItsPoint)
{
    // Point j: real 10 + j, imaginary 100 + j at y[n + 1 + j].
    const int32_t alt = 5;
    std::vector<double> x(alt), y(2 * alt + 1, -1.0);
    for (int32_t j = 0; j < alt; ++j) {
        x[j] = j;
        y[j] = 10 + j;
        y[alt + 1 + j] = 100 + j;
    }
    int32_t n = alt;
    ASSERT_TRUE(TabellenPunktLoeschen(x.data(), y.data(), &n, 2, true));
    ASSERT_EQ(n, 4);
    const double punkte[] = {0, 1, 3, 4};
    for (int32_t j = 0; j < n; ++j) {
        EXPECT_EQ(x[j], punkte[j]);
        EXPECT_EQ(y[j], 10 + punkte[j]);
        EXPECT_EQ(y[n + 1 + j], 100 + punkte[j]) << j;
    }
}

TEST(DataTableScroll, RangesAndUpdatedRows)
{
    // 35,000 rows of 16 pixels in 400 pixels: 25 lines, the last first row 34,976.
    EXPECT_EQ(TabellenVertikalMax(35000, 400, 16), 34976);
    EXPECT_EQ(TabellenVertikalMax(10, 400, 16), 0);
    EXPECT_EQ(TabellenHorizontalMax(500, 300, 8), 27);
    EXPECT_EQ(TabellenHorizontalMax(300, 500, 8), 0);
    int32_t von, bis;
    // At the end of the range the window shows the last row.
    TabellenZeilenBereich(0, 400, 16, 34976, 35000, &von, &bis);
    EXPECT_EQ(von, 34975);
    EXPECT_EQ(bis, 35000);
    TabellenZeilenBereich(32, 64, 16, 0, 35000, &von, &bis);
    EXPECT_EQ(von, 1);
    EXPECT_EQ(bis, 4);
}

TEST(DataTableNearest, ShiftClickFindsTheNearestPoint)
{
    const std::vector<double> x = {0.0, 1.0, 2.0, 4.0};
    struct Fall {
        double xk;
        int32_t i;
    } faelle[] = {{-5.0, 0}, {0.4, 0}, {0.6, 1}, {2.9, 2}, {3.1, 3}, {4.0, 3}, {99.0, 3}};
    for (const Fall& f : faelle) EXPECT_EQ(TabellenNaechsterPunkt(x.data(), 4, f.xk), f.i) << f.xk;
    EXPECT_EQ(TabellenNaechsterPunkt(x.data(), 0, 1.0), -1);
}
