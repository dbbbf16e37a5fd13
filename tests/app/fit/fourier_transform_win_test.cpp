// The Fourier transformation command 506 in-process with prepared values,
// as the macro player and the XAFS transform command run it: closed forms
// (a cosine's two lines, the round trip), the slots and window fields it
// leaves, refusals that change nothing, and the first shell of the copper
// foil's chi(k).
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/fit/fourier_fixture.h"
#include "fit/fourier_transform.h"
#include "resource_ids.h"

TEST_F(FourierBefehl, ZeroFillingRoundsTheSizeUpToAPowerOfTwo)
{
    for (const auto& fall : {std::pair<double, int>{1048, 2048}, {1049, 4096}, {0, 1024}}) {
        Gitter(0, 1000, 0.0, 0.01, [](double x) { return std::sin(3 * x); });
        Numerisch(0, {1, fall.first, 1, 0.0, 9.99, 0, 0, PI / 9.99});
        grafik_fenster& g = GrafikFenster[0];
        ASSERT_EQ(g.AktuellerSlot(), 2) << fall.first;
        EXPECT_EQ(g.Punkte(), fall.second) << fall.first;
        EXPECT_EQ(g.KurvenFlags[2], 5u);
        // The section slot holds the grid inside the data.
        EXPECT_EQ(g.KurvenFlags[1] & 0x40, 0x40u);
        EXPECT_EQ(g.DateiInfo.PunkteProKurve[1], FTGitterPunkte);
        EXPECT_EQ(FTGitterPunkte, fall.second - static_cast<int>(fall.first));
    }
}

TEST_F(FourierBefehl, CosineGivesItsTwoLinesAndTheRoundTripGivesItBack)
{
    // 1,024 points, 5 whole periods: lines at +-5 / (1024 dx).
    const double dx = 0.01, f = 5.0 / (1024 * dx);
    Gitter(0, 1024, 0.0, dx, [](double x) { return std::cos(2 * PI * 5.0 / 10.24 * x); });
    const std::vector<double> x0 = X(0, 0), y0 = Y(0, 0);
    Numerisch(0, {1, 0, 1, 0.0, 10.23, 0, 0, PI / 10.23});
    grafik_fenster& g = GrafikFenster[0];
    ASSERT_EQ(g.AktuellerSlot(), 2);
    std::vector<double> r = X(0, 2), re = Y(0, 2), im = Imag(0, 2);
    ASSERT_EQ(r.size(), 1024u);
    EXPECT_NEAR(g.FTSchritt, 1.0 / (1024 * dx), 1e-12);
    int erste = -1, zweite = -1;
    for (int i = 0; i < 1024; ++i) {
        const double b = std::hypot(re[i], im[i]);
        if (b > 0.4) (erste < 0 ? erste : zweite) = i;
        else EXPECT_LT(b, 1e-9) << i;
    }
    ASSERT_GE(zweite, 0);
    EXPECT_NEAR(r[erste], -f, g.FTSchritt);
    EXPECT_NEAR(r[zweite], f, g.FTSchritt);
    EXPECT_EQ(CommandText, std::string("--: kurve.dat --FOURIER TRANSFORM  -   window : Square - Beta : 0 - from : 0  "
                                       "to : 10.23 -   (active : 3 )\r\n"));

    // Back with a square window that holds 0: the input again, on its own
    // abscissae.
    Numerisch(0, {0, 0, 1, r.front(), r.back(), 0, 0, 0});
    ASSERT_EQ(g.AktuellerSlot(), 3);
    EXPECT_EQ(g.KurvenFlags[3], 6u);
    std::vector<double> xb = X(0, 3), yb = Y(0, 3);
    ASSERT_EQ(yb.size(), 1024u);
    for (int i = 0; i < 1024; ++i) {
        EXPECT_NEAR(xb[i], x0[i], 1e-9) << i;
        EXPECT_NEAR(yb[i], y0[i], 1e-9) << i;
    }

    // A window on the positive side only keeps the line at +f: doubled, its
    // real part is the cosine again and its imaginary part the sine.
    BringWindowToTop(grafik[0]);
    g.KurvenZaehler = 2;
    g.SetFullBorder();
    Numerisch(0, {0, 0, 1, 0.5 * g.FTSchritt, r.back(), 0, 0, 0});
    ASSERT_EQ(g.AktuellerSlot(), 3);
    yb = Y(0, 3);
    const std::vector<double> ib = Imag(0, 3);
    for (int i = 0; i < 1024; ++i) {
        EXPECT_NEAR(yb[i], y0[i], 1e-9) << i;
        EXPECT_NEAR(std::fabs(ib[i]), std::fabs(std::sin(2 * PI * f * x0[i])), 1e-9) << i;
    }
}

TEST_F(FourierBefehl, BackNeedsAForwardTransformOfItsOwnWindow)
{
    // A complex curve in window 1 that no transform of window 1 made.
    Gitter(1, 256, -1.0, 0.01, [](double x) { return x; });
    grafik_fenster& g1 = GrafikFenster[1];
    g1.KurvenFlags[0] = 5;
    for (int i = 0; i < 256; ++i) g1.GetYFeld(0)[257 + i] = 0.5;
    FehlerCode = 0;
    if (CommandText) CommandText[0] = 0;
    Numerisch(1, {0, 0, 1, -1.0, 1.55, 0, 0, 0});
    EXPECT_EQ(FehlerCode, 110);
    EXPECT_EQ(g1.AktuellerSlot(), 0);
    EXPECT_EQ(g1.Punkte(), 256);
    EXPECT_STREQ(CommandText, "");
    FehlerCode = 0;

    // Two windows with different grids, transformed in turn: each back
    // transform lands on its own window's abscissae.
    Gitter(0, 500, 2.0, 0.02, [](double x) { return std::exp(-x); });
    Gitter(1, 300, 0.0, 0.05, [](double x) { return std::cos(x); });
    Numerisch(0, {1, 0, 0, 2.0, 11.98, 0, 0, PI / 9.98});
    Numerisch(1, {1, 0, 0, 0.0, 14.95, 0, 0, PI / 14.95});
    for (int w = 0; w < 2; ++w) {
        grafik_fenster& g = GrafikFenster[w];
        const std::vector<double> gitter = X(w, 1);
        const std::vector<double> r = X(w, 2);
        Numerisch(w, {0, 0, 0, r.front(), r.back(), 0, 0, 0});
        ASSERT_EQ(g.AktuellerSlot(), 3) << w;
        const std::vector<double> xb = X(w, 3);
        for (size_t i = 0; i < gitter.size(); ++i) EXPECT_NEAR(xb[i], gitter[i], 1e-9) << w << " " << i;
    }
}

TEST_F(FourierBefehl, RefusedValuesChangeNothing)
{
    Gitter(0, 200, 0.0, 0.05, [](double x) { return std::sin(x); });
    const struct { std::vector<double> dw; int32_t fehler; } faelle[] = {
        {{1, -5, 1, 0.0, 9.95, 0, 0, PI / 9.95}, 108},   // negative zero filling
        {{1, 0, 1, 0.0, 9.95, 0, 0, 0.0}, 108},          // no step width
        {{1, 0, 1, 0.0, 9.95, 0, 0, -1.0}, 108},
        {{1, 0, 1, 0.0, 9.95, 0, 0, 1e-5}, 108},         // one grid point in the data
        {{1, 0, 1, 5.0, 5.0, 0, 0, 1.0}, 108},           // an empty window
        {{0, 0, 1, 0.0, 9.95, 0, 0, 1.0}, 110},          // back of a real curve
        {{1, 1e12, 1, 0.0, 9.95, 0, 0, PI / 9.95}, 108}, // zero filling no array takes
        {{1, 0, 7, 0.0, 9.95, 0, 0, PI / 9.95}, 108},    // no such window
        {{1, 0, -3e15, 0.0, 9.95, 0, 0, PI / 9.95}, 108},
    };
    grafik_fenster& g = GrafikFenster[0];
    for (const auto& f : faelle) {
        FehlerCode = 0;
        Numerisch(0, f.dw);
        EXPECT_EQ(FehlerCode, f.fehler);
        EXPECT_EQ(g.AktuellerSlot(), 0);
        EXPECT_EQ(g.Punkte(), 200);
    }
    FehlerCode = 0;
}

TEST_F(FourierBefehl, XafsModeFindsTheFirstCopperShell)
{
    Kupfer();
    grafik_fenster& g = GrafikFenster[0];
    const std::vector<double> k = X(0, 0);
    // k^2, Hanning from 3 to 14.
    Xafs({1, 0, 5, 3.0, 14.0, 20, 2, 0, 0, 1024, -1});
    ASSERT_EQ(g.AktuellerSlot(), 2);
    EXPECT_EQ(g.KMin, k.front());
    EXPECT_EQ(g.KMax, k.back());
    EXPECT_DOUBLE_EQ(g.KSchritt, k[2] - k[1]);
    EXPECT_EQ(g.KurvenFlags[1] & 8, 8u);
    EXPECT_EQ(g.KGewicht, 2.0);
    EXPECT_EQ(g.FTKGewicht, 2.0);
    EXPECT_EQ(g.KurvenFlags[2], 5u);
    const std::vector<double> r = X(0, 2), re = Y(0, 2), im = Imag(0, 2);
    ASSERT_EQ(r.size(), 512u);
    EXPECT_EQ(r[0], 0.0);
    std::vector<double> b(r.size());
    double groesst = 0.0;
    for (size_t i = 0; i < r.size(); ++i) {
        b[i] = std::hypot(re[i], im[i]);
        groesst = std::max(groesst, b[i]);
    }
    double erste = -1;
    for (size_t i = 1; i + 1 < r.size() && erste < 0; ++i)
        if (b[i] > groesst / 3 && b[i] >= b[i - 1] && b[i] >= b[i + 1]) erste = r[i];
    EXPECT_NEAR(erste, 2.27, 0.05);
    // No history, record or redraw of its own: the XAFS command writes them.
    EXPECT_EQ(Historie().find("FOURIER"), std::string::npos);

    // Back over the first shell.
    g.SetFullBorder();
    Xafs({0, 0, 1, 1.5, 3.0, 0, 2, 0, 0, 1024, -1});
    ASSERT_EQ(g.AktuellerSlot(), 3);
    EXPECT_EQ(g.KurvenFlags[3], 6u);
    EXPECT_DOUBLE_EQ(g.RFensterBreite, 1.5);
    EXPECT_EQ(g.Punkte(), 1024);
    EXPECT_NEAR(X(0, 3)[0], 3.0, 0.1);

    // Back over the whole R range with a square window: the weighted chi(k)
    // that was transformed, with the window divided out, inside the window.
    g.KurvenZaehler = 2;
    g.SetFullBorder();
    Xafs({0, 0, 1, 0.0, r.back(), 0, 2, 0, 0, 1024, -1});
    ASSERT_EQ(g.AktuellerSlot(), 3);
    const std::vector<double> kGitter = X(0, 1), chiGitter = Y(0, 1), kb = X(0, 3), chib = Y(0, 3);
    double chiMax = 0.0;
    for (double v : chiGitter) chiMax = std::max(chiMax, std::fabs(v));
    int verglichen = 0;
    for (size_t i = 0; i < kGitter.size(); ++i) {
        EXPECT_NEAR(kb[i], kGitter[i], 1e-9) << i;
        if (kGitter[i] < 5.0 || kGitter[i] > 12.0) continue;
        // The back transform undoes the k^2 weight as well.
        EXPECT_NEAR(chib[i] * kb[i] * kb[i], chiGitter[i], 1e-3 * chiMax) << kGitter[i];
        ++verglichen;
    }
    EXPECT_GT(verglichen, 80);
}

TEST_F(FourierBefehl, NextRootMovesTheWindowOntoTheNodes)
{
    Gitter(0, 275, 0.5, 0.05, [](double x) { return std::sin(x); });
    grafik_fenster& g = GrafikFenster[0];
    Xafs({1, 0, 5, 0.5, 14.2, 20, 0, 0, 1, 1024, -1});
    ASSERT_EQ(g.AktuellerSlot(), 2);
    EXPECT_NEAR(g.FTFenster.lower, PI, 1e-4);
    EXPECT_NEAR(g.FTFenster.upper, 4 * PI, 1e-4);
    // The transformed grid starts on the node, at 0.
    EXPECT_NEAR(X(0, 1)[0], PI, 1e-4);
    EXPECT_NEAR(Y(0, 1)[0], 0.0, 1e-15);
}
