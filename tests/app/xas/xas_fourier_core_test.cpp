// The tidying of the XAFS Fourier transform: envelope, cuts, history line
// and y-axis text.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "xas/xas_fourier.h"

namespace {

// A complex curve of n points: x = i * h, re = f(i), im = g(i), in the
// layout of the curve slots, with guard values behind it.
struct Komplex {
    std::vector<double> x, y;
    int32_t n;
    Komplex(int32_t punkte, double h) : x(2 * punkte + 5, -777.0), y(2 * punkte + 5, -777.0), n(punkte)
    {
        for (int32_t i = 0; i < n; ++i) {
            x[i] = x[n + 1 + i] = i * h;
            y[i] = std::cos(0.3 * i) * (i + 1);
            y[n + 1 + i] = std::sin(0.3 * i) * (i + 1);
        }
        x[n] = x[n - 1];
        y[n] = y[n - 1];
    }
};

}  // namespace

TEST(XasFourierTidying, EnvelopeIsTheMagnitudeAndItsNegative)
{
    Komplex k(6, 0.1);
    XasBetragHuelle(k.y.data(), k.n);
    for (int32_t i = 0; i < k.n; ++i) {
        EXPECT_NEAR(k.y[i], i + 1.0, 1e-12) << i;  // |(i+1) e^(0.3 i I)|
        EXPECT_EQ(k.y[k.n + 1 + i], -k.y[i]);
    }
    EXPECT_EQ(k.y[k.n], k.y[k.n - 1]);
    EXPECT_EQ(k.y[2 * k.n + 1], -777.0);
}

TEST(XasFourierTidying, ForwardCutAfterTheFirstRAboveRMax)
{
    // R = 0, 0.5, ... 5.5: the first R above 3.2 is 3.5 at index 7.
    Komplex k(12, 0.5);
    const Komplex alt = k;
    const int32_t i = XasErsterUeber(k.x.data(), k.n, 3.2);
    ASSERT_EQ(i, 7);
    XasKomplexBehalten(k.x.data(), k.y.data(), k.n, 0, i);
    for (int32_t j = 0; j < i; ++j) {
        EXPECT_EQ(k.y[j], alt.y[j]);
        EXPECT_EQ(k.x[i + 1 + j], alt.x[k.n + 1 + j]);
        EXPECT_EQ(k.y[i + 1 + j], alt.y[k.n + 1 + j]) << j;
    }
    EXPECT_EQ(k.y[i], k.y[i - 1]);
    EXPECT_EQ(XasErsterUeber(k.x.data(), 12, 99.0), 12);
}

TEST(XasFourierTidying, BackCutToTheTransformWindow)
{
    // k = 0, 0.5, ... 11.5 (24 points).
    Komplex k(24, 0.5);
    struct Fall {
        double kMax, unten, oben;
        bool angenommen;
        int32_t von, anzahl;
    };
    const Fall faelle[] = {
        {10.0, 3.0, 8.0, true, 6, 11},    // 3 .. 8
        {7.2, 3.0, 8.0, true, 6, 9},      // cut at the source's last k first: 3 .. 7
        {20.0, 0.0, 0.2, true, 0, 5},     // the upper cut never ends below index 4
        {20.0, 2.0, 0.2, false, 0, 0},    // j = m = 4: one point
        {20.0, 2.5, 2.5, false, 0, 0},    // one point, index 5
        {20.0, 3.2, 3.2, false, 0, 0},    // j = 7 > m = 6: none
        {0.2, 0.0, 8.0, false, 0, 0},     // one point below the source's last k
        {20.0, 11.0, 30.0, true, 22, 2},  // the last two
    };
    for (const Fall& f : faelle) {
        int32_t von = -1, anzahl = -1;
        const bool ok = XasRueckSchnitt(k.x.data(), k.n, f.kMax, f.unten, f.oben, &von, &anzahl);
        EXPECT_EQ(ok, f.angenommen) << f.kMax << " " << f.unten << " " << f.oben;
        if (ok && f.angenommen) {
            EXPECT_EQ(von, f.von) << f.unten;
            EXPECT_EQ(anzahl, f.anzahl) << f.oben;
        } else {
            EXPECT_EQ(von, -1);
        }
    }
    // The kept run moves to the start with its imaginary part.
    const Komplex alt = k;
    XasKomplexBehalten(k.x.data(), k.y.data(), k.n, 6, 11);
    for (int32_t j = 0; j < 11; ++j) {
        EXPECT_EQ(k.x[j], alt.x[6 + j]);
        EXPECT_EQ(k.y[12 + j], alt.y[k.n + 7 + j]);
    }
    EXPECT_EQ(k.y[11], k.y[10]);
}

TEST(XasFourierTidying, HistoryLinesAndLabels)
{
    XAS_FT_ZEILE z;
    z.Art = 1;
    z.FensterName = "Hanning";
    z.Beta = 20;
    z.Von = 3;
    z.Bis = 14;
    z.Aktiv = 3;
    EXPECT_EQ(XasFtHistorie("Copper.chik", z),
              "--: Copper.chik --XAS-FOURIER TRANSFORM  -  window : Hanning  - Beta : 20  - from : 3 , to : 14 -  "
              "( active : 3 )\r\n");
    z.Art = 2;
    z.Von = 1.5;
    z.Bis = 3.0;
    z.Aktiv = 1;
    EXPECT_EQ(XasFtHistorie("a.mes", z),
              "--: a.mes --XAS-FOURIER TRANSFORM  -  Backtransform -  square window  from : 1.5 , to : 3 -  "
              "( active : 1 )\r\n");
    z.Art = 0;
    EXPECT_EQ(XasFtHistorie("a.mes", z), "--: a.mes --XAS-FOURIER TRANSFORM  - ");
    // A window name is cut at 40 characters.
    const std::string lang(60, 'W');
    z.Art = 1;
    z.FensterName = lang.c_str();
    EXPECT_NE(XasFtHistorie("a", z).find(" window : " + std::string(40, 'W') + "  - Beta"), std::string::npos);

    struct Fall {
        double w;
        bool phase, amp;
        const char* text;
    };
    const Fall faelle[] = {{2.0, false, false, "FT(^c(k)*k~2)"},
                           {2.9, false, false, "FT(^c(k)*k~3)"},
                           {1.0, false, false, "FT(^c(k)*k)"},
                           {0.0, false, false, "FT(^c(k))"},
                           {3.0, true, true, "FT(^c(k)*k~3) phase & amplitude corr."},
                           {3.0, true, false, "FT(^c(k)*k~3) phase corr."}};
    for (const Fall& f : faelle) EXPECT_EQ(XasFtYText(f.w, f.phase, f.amp), f.text);
}
