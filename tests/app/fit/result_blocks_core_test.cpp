// The result blocks of integration, root search and the XRD peak list,
// byte for byte against texts written from their formats.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fit/fit_report.h"

namespace {

const std::string D49 = std::string(49, '.') + "\r\n";
const std::string S49 = std::string(49, '-') + "\r\n";

struct Block {
    double dw[14] = {};
    std::vector<double> a = std::vector<double>(100, 0.0);
    BLOCK_EINGABE e;
    Block()
    {
        e.DialogWerte = dw;
        e.Ergebnisse = a.data();
        e.Strichlinie = std::string(63, '-');
        e.Punktlinie = std::string(63, '.');
    }
};

}  // namespace

TEST(ResultBlocks, Integration)
{
    Block b;
    b.e.Slot = 2;
    b.dw[1] = 1.0;
    b.dw[2] = 5.5;
    b.a[0] = 12.5;
    b.e.Typen = {1};
    const std::string kopf = "--INTEGRATION of function from 1  to 5.5  - ( active : 2 )\r\n"
                             "  Area       : 12.5\r\n";
    // One function: the rule, no per-function lines.
    EXPECT_EQ(IntegrationsBlock(b.e, 19), kopf + D49);
    EXPECT_EQ(IntegrationsBlock(b.e, 45), "--INTEGRATION of data array from 1  to 5.5  - ( active : 2 )\r\n"
                                          "  Area       : 12.5\r\n");
    b.e.Typen = {1, 2, 107};
    b.a[1] = 1.5;
    b.a[2] = 2.25;
    b.a[3] = 8.75;
    EXPECT_EQ(IntegrationsBlock(b.e, 19), kopf + D49 +
                                              " Gaussian      : 1.5\r\n"
                                              " Lorentzian    : 2.25\r\n"
                                              " Polynomial    : 8.75\r\n");
}

TEST(ResultBlocks, Roots)
{
    Block b;
    b.dw[3] = 0.0;
    b.dw[4] = 10.0;
    const std::string kopf = "--ROOTS of data array  from  0  to 10  - ( active : 1 )\r\n" + D49;
    EXPECT_EQ(NullstellenBlock(b.e, 45, 0, 0), kopf + "  no root found !!\r\n");

    b.dw[2] = 1e-6;
    b.a[0] = 3.14159265358;
    EXPECT_EQ(NullstellenBlock(b.e, 45, 1, 0), kopf + "  - error :  +- 1E-06\r\n"
                                                      "  1. root    x(1) =  3.1415927\r\n");
    b.dw[2] = 0.0;
    b.a[0] = 1.0;
    b.a[1] = 2.5;
    EXPECT_EQ(NullstellenBlock(b.e, 19, 2, 0),
              "--ROOTS of function  from  0  to 10  - ( active : 1 )\r\n" + D49 +
                  " - accuracy not reached -\r\n"
                  "  1. root    x(1) =  1\r\n"
                  "  2. root    x(2) =  2.5\r\n");
    EXPECT_EQ(NullstellenBlock(b.e, 45, -1, 1).substr(kopf.size()), "  root    x =  1\r\n");
    EXPECT_EQ(NullstellenBlock(b.e, 45, -1, 0).substr(kopf.size()),
              "  search terminated  - last value  x =  1\r\n");
}

TEST(ResultBlocks, PeakListWithReferences)
{
    Block b;
    b.e.Wellenlaenge = 154.06;
    b.dw[1] = 1.5;
    b.dw[3] = 2.0;   // tolerance in percent
    b.dw[4] = 3.0;
    // Four peaks: 2 theta, relative intensity, d.
    const double peaks[4][3] = {{30, 100, 297.3}, {40, 50, 225.3}, {50, 20, 182.2}, {80, 5, 120}};
    b.a[0] = 4;
    for (int k = 0; k < 4; ++k)
        for (int j = 0; j < 3; ++j) b.a[1 + 3 * k + j] = peaks[k][j];
    const std::string kopf =
        "-- X-RAY DIFFRACTION : PEAK SEARCH\r\n\r\n"
        "  wave length (pm)  :  154.06\r\n"
        "  background factor :  1.5\r\n"
        "  smoothing factor  :  3\r\n" + D49 + "\r\n"
        " No.  2Theta      Theta      d(pm)     rel. I     sin^2(t)\r\n" + S49 + "\r\n"
        " 1    30         15         297.3      100        0.066987 \r\n"
        " 2    40         20         225.3      50         0.11698  \r\n"
        " 3    50         25         182.2      20         0.17861  \r\n"
        " 4    80         40         120        5          0.41318  \r\n";
    EXPECT_EQ(PeakBlock(b.e, nullptr), kopf);

    // Line 2's 179 lies beyond the last matching peak and is compared with
    // it; 150 walks on to peak 4 and misses. Peak 3 is matched by line 2
    // only and is not listed as not found; a line without values matches
    // nothing.
    const std::string ref = "Ref A,297.0,226.0\nRef B,179.0,150.0\nEmpty,\n";
    const std::string erwartet = kopf + S49 +
        "\r\n Comparison with reference data  (Ref | Exp) :\r\n\r\n"
        "      Tolerance  :  2 %\r\n" + D49 +
        " 1  :  Ref A    match  :  100 %\r\n"
        "\r\n    (297 | 297.3) (226 | 225.3)\r\n" + D49 +
        " 2  :  Ref B    match  :  50 %\r\n"
        "\r\n    (179 | 182.2)\r\n" + D49 +
        " 3  :  Empty    match  :  0 %\r\n"
        "\r\n   \r\n" + D49 +
        "   non found peak positions  :\r\n\r\n"
        "     No :  4       120\r\n";
    EXPECT_EQ(PeakBlock(b.e, &ref), erwartet);

    // Every peak matched: "none"; five pairs wrap after the fourth.
    const std::string alle = "All,297.3,225.3,182.2,120,297.3\n";
    const std::string t = PeakBlock(b.e, &alle);
    EXPECT_NE(t.find(" (297.3 | 297.3) (225.3 | 225.3) (182.2 | 182.2) (120 | 120)\r\n    (297.3 | 297.3)\r\n"),
              std::string::npos);
    EXPECT_EQ(t.substr(t.size() - 9), "   none\r\n");

    // No peaks: heading and table head only.
    b.a[0] = 0;
    EXPECT_EQ(PeakBlock(b.e, nullptr), kopf.substr(0, kopf.find(" 1    30")));
}
