// The conversions of the main menu run on a graphic window: FT magnitude,
// ".jcp" files, angle scans; and the About box.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "data_commands_fixture.h"
#include "resource_ids.h"
#include "shell/dispatcher.h"

class Umwandlungen : public EditFixture {
protected:
    // Window 0 reads its file from the test folder.
    void Datei(const char* name, const std::string& inhalt, int32_t spalten)
    {
        Schreibe(name, inhalt);
        DateiInfo& info = GrafikFenster[0].DateiInfo;
        std::snprintf(info.Ordner, sizeof info.Ordner, "%s\\", ordner.c_str());
        std::snprintf(info.DateiName, sizeof info.DateiName, "%s", name);
        info.Spalten = spalten;
        info.XSpalte = 1;
        info.YSpalte = 2;
    }
    // A file the command cannot use: message 105, the slot stays.
    void Verweigert(int32_t id, const char* name, const char* inhalt, int32_t spalten)
    {
        Datei(name, inhalt, spalten);
        const int32_t slot = GrafikFenster[0].AktuellerSlot();
        FehlerCode = 0;
        HAUPTDATEN.Befehl(id, 0);
        EXPECT_EQ(FehlerCode, 105) << name;
        EXPECT_EQ(GrafikFenster[0].AktuellerSlot(), slot) << name;
        FehlerCode = 0;
    }
    // Slot 0 of window 0 as the transform of n points: modulus 1 + x,
    // phase x.
    void Transformation(int32_t n, uint32_t flags)
    {
        Kurve(0, n, [](double x) { return (1.0 + x) * std::cos(x); });
        grafik_fenster& g = GrafikFenster[0];
        double* y = g.GetYFeld(0);
        double* x = g.GetXFeld(0);
        y[n] = y[n - 1];
        for (int32_t i = 0; i < n; ++i) {
            y[n + 1 + i] = (1.0 + i) * std::sin(static_cast<double>(i));
            x[n + 1 + i] = x[i];
        }
        g.KurvenFlags[0] = flags;
    }
};

TEST_F(Umwandlungen, FtMagnitudeOfATransformShowsItBesideTheTransform)
{
    const int32_t n = 40;
    Transformation(n, SLOT_KOMPLEX);
    HAUPTDATEN.Befehl(164, LP_PREPARED);
    grafik_fenster& g = GrafikFenster[0];
    ASSERT_EQ(g.AktuellerSlot(), 1);
    ASSERT_EQ(g.DateiInfo.PunkteProKurve[1], n);
    const double* y = g.GetYFeld(1);
    for (int32_t i = 0; i < n; ++i) {
        EXPECT_NEAR(y[i], 1.0 + i, 1e-12) << i;
        EXPECT_EQ(y[n + 1 + i], -y[i]) << i;
    }
    // Slot 0 keeps the transform; both are drawn in one frame.
    EXPECT_NEAR(g.GetYFeld(0)[3], 4.0 * std::cos(3.0), 1e-12);
    EXPECT_EQ(g.Kombinieren, 1);
    ASSERT_EQ(g.KombiAnzahl, 2);
    EXPECT_EQ(g.KombiListe[0], 0);
    EXPECT_EQ(g.KombiListe[1], 1);
    EXPECT_NE(Historie().find("FT MAGNITUDE"), std::string::npos);

    // A transform marked as holding what a file cannot hold: the mark goes,
    // no combined view.
    Transformation(n, SLOT_KOMPLEX | SLOT_NICHT_SPEICHERBAR | SLOT_K_GEWICHTET);
    g.Kombinieren = 0;
    g.KombiAnzahl = 0;
    HAUPTDATEN.Befehl(164, LP_PREPARED);
    EXPECT_EQ(g.AktuellerSlot(), 1);
    EXPECT_EQ(g.KurvenFlags[1], SLOT_KOMPLEX | SLOT_K_GEWICHTET);
    EXPECT_EQ(g.KombiAnzahl, 0);

    // A plain curve has no magnitude to show: nothing changes, and a
    // replay stops there.
    Kurve(0, n, [](double x) { return x; });
    FehlerCode = 0;
    HAUPTDATEN.Befehl(164, LP_PREPARED);
    EXPECT_EQ(g.AktuellerSlot(), 0);
    EXPECT_EQ(g.KurvenZaehler, 0);
    EXPECT_EQ(FehlerCode, 1000);
    FehlerCode = 0;
}

TEST_F(Umwandlungen, JcpFileBecomesOneCurveOfFiveTimesThePoints)
{
    std::string text = "# jcp\n";
    const int32_t n = 12;
    for (int32_t i = 0; i < n; ++i) {
        char zeile[200];
        std::snprintf(zeile, sizeof zeile, "%d %d %d %d %d %d\n", 100 + 5 * i, 1000 + i, 2000 + i,
                      3000 + i, 4000 + i, 5000 + i);
        text += zeile;
    }
    Datei("probe.jcp", text, 6);
    Kurve(0, n, [](double x) { return x; });
    HAUPTDATEN.Befehl(175, 0);
    grafik_fenster& g = GrafikFenster[0];
    ASSERT_EQ(g.AktuellerSlot(), 1);
    ASSERT_EQ(g.DateiInfo.PunkteProKurve[1], 5 * n);
    const double* x = g.GetXFeld(1);
    const double* y = g.GetYFeld(1);
    for (int32_t i = 0; i < n; ++i)
        for (int32_t k = 0; k < 5; ++k) {
            EXPECT_DOUBLE_EQ(x[5 * i + k], 100.0 + 5 * i + k) << i << " " << k;
            EXPECT_DOUBLE_EQ(y[5 * i + k], 1000.0 * (k + 1) + i) << i << " " << k;
        }
    // The borders cover the new curve.
    EXPECT_DOUBLE_EQ(g.Grenzen[1], 100.0);
    EXPECT_DOUBLE_EQ(g.Grenzen[0], 100.0 + 5 * (n - 1) + 4);

    // A file with fewer than six columns.
    Verweigert(175, "kurz.jcp", "1 2 3\n2 3 4\n3 4 5\n", 3);
}

TEST_F(Umwandlungen, AngleScanBecomesAnEnergySpectrum)
{
    // Si(111), 2d = 6.2712 Angstrom, falling angles across 8.9-9.1 keV.
    const double pi = std::acos(-1.0);
    std::string text = "scan\n6.2712\n";
    const int32_t n = 30;
    for (int32_t i = 0; i < n; ++i) {
        const double e = 8.9 + 0.2 * i / (n - 1);
        char zeile[200];
        std::snprintf(zeile, sizeof zeile, "%.10f %d %d\n", std::asin(12.398 / 6.2712 / e) * 180.0 / pi * 1000.0,
                      2000 + i, 1000);
        text += zeile;
    }
    Datei("scan.dat", text, 3);
    Kurve(0, 5, [](double x) { return x; });
    HAUPTDATEN.Befehl(189, 0);
    grafik_fenster& g = GrafikFenster[0];
    ASSERT_EQ(g.AktuellerSlot(), 1);
    ASSERT_EQ(g.DateiInfo.PunkteProKurve[1], n);
    EXPECT_NEAR(g.GetXFeld(1)[0], 8.9, 1e-9);
    EXPECT_NEAR(g.GetXFeld(1)[n - 1], 9.1, 1e-9);
    EXPECT_NEAR(g.GetYFeld(1)[n - 1], std::log((2000.0 + n - 1) / 1000.0), 1e-12);

    // A file without the spacing line.
    Verweigert(189, "leer.dat", "nothing here\n", 1);
}

TEST_F(Umwandlungen, AboutBoxOpensAndClosesWithOk)
{
    std::string titel;
    const bool ok = MitDialogen({[&](HWND dlg) {
                                     char t[100] = "";
                                     GetWindowTextA(dlg, t, sizeof t);
                                     titel = t;
                                 },
                                 Druecke(IDOK)},
                                [] { HAUPTDATEN.Befehl(133, 0); });
    EXPECT_TRUE(ok);
    EXPECT_EQ(titel, "About Korlan");
    EXPECT_TRUE(boxen.empty());
}
