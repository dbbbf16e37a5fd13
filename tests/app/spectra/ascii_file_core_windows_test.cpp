// Spectrum files as the Windows program meets them: text written in text
// mode (CRLF) and real beamline files through Z: paths.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "spectra/ascii_file.h"
#include "spectra/spectra_globals.h"

TEST(SpectrumFilesWin, TextExportReadsBackIntoAWindowRecord)
{
    grafik_fenster g;
    ASSERT_EQ(g.AllocFelder(), 1);
    const int n = 250;
    for (int i = 0; i < n; ++i) {
        g.XFeld[0][i] = 8.9 + 0.004 * i;
        g.YFeld[0][i] = 0.001 * i * i - 0.5;
    }
    g.DateiInfo.PunkteProKurve[0] = n;

    TextAuftrag a;
    a.Name = "cu.mes";
    a.x = g.GetXFeld(-1);
    a.y = g.GetYFeld(-1);
    a.Punkte = n;
    const char* pfad = "spectra_win_export.xan";
    ASSERT_EQ(SchreibeTextSpektrum(pfad, a), SPEKTRUM_OK);

    DateiInfo info;
    DateiInfoLeeren(&info);
    std::snprintf(info.DateiName, sizeof info.DateiName, "%s", pfad);
    SpektrumDaten d;
    ASSERT_EQ(LeseSpektrum(&info, &d, nullptr, nullptr, nullptr), n);
    EXPECT_EQ(info.Kopfzeilen, 5);
    grafik_fenster h;
    ASSERT_EQ(h.AllocFelder(), 1);
    ASSERT_EQ(h.SpeichereKurve(d), 1);
    for (int i = 0; i < n; ++i) {
        EXPECT_NEAR(h.XFeld[0][i], g.XFeld[0][i], 1e-9 * std::abs(g.XFeld[0][i]));
        EXPECT_NEAR(h.YFeld[0][i], g.YFeld[0][i], 1e-9 * std::abs(g.YFeld[0][i]) + 1e-15);
    }
    EXPECT_EQ(h.Punkte(), n);
    g.FreeFelder();
    h.FreeFelder();
    std::remove(pfad);
}

TEST(SpectrumFilesWin, BeamlineFileWithTabsOpensThroughTheFolderPath)
{
    DateiInfo info;
    DateiInfoLeeren(&info);
    std::snprintf(info.Ordner, sizeof info.Ordner, "%s", KORLAN_TEST_DIR "\\app\\spectra\\data\\");
    std::snprintf(info.DateiName, sizeof info.DateiName, "%s", "EMG003.txt");
    std::vector<double> x(MIN_FELD_PUNKTE), y(MIN_FELD_PUNKTE);
    int32_t fehler = -99;
    ASSERT_EQ(LeseDatenFile(&info, x.data(), y.data(), nullptr, nullptr, MIN_FELD_PUNKTE, &fehler),
              1128);
    EXPECT_EQ(fehler, SPEKTRUM_OK);
    EXPECT_STREQ(info.Trennzeichen, "\t");
    EXPECT_DOUBLE_EQ(x[1127], 7253.4);
    EXPECT_DOUBLE_EQ(y[1127], 0.81192);
}

TEST(SpectrumFilesWin, TextSaveOfTheCurrentCurveCarriesTheModelColumns)
{
    grafik_fenster g;
    ASSERT_EQ(g.AllocFelder(), 1);
    const int n = 4;
    for (int i = 0; i < n; ++i) {
        g.XFeld[0][i] = i + 1;
        g.YFeld[0][i] = 10.0 * (i + 1);
    }
    g.DateiInfo.PunkteProKurve[0] = n;
    std::snprintf(g.DateiInfo.DateiName, sizeof g.DateiInfo.DateiName, "%s", "fe.060");
    g.AnzahlFunktionen = 2;
    g.FunktionenGetrennt = 1;
    ModellAuswertung modell = [](int32_t f, const double* x, double* y, int32_t m) {
        for (int32_t i = 0; i < m; ++i) y[i] = f < 0 ? -x[i] : x[i] * (f + 2);
    };
    const char* pfad = "spectra_win_model.xan";
    struct Fall { int zeige, getrennt; int32_t spalten; };
    const Fall faelle[] = {{0, 1, 2}, {1, 0, 3}, {1, 1, 5}};
    for (const Fall& f : faelle) {
        g.ZeigeFunktion = f.zeige;
        g.FunktionenGetrennt = f.getrennt;
        ASSERT_EQ(g.SchreibeText(pfad, modell), SPEKTRUM_OK);
        DateiInfo info;
        DateiInfoLeeren(&info);
        std::snprintf(info.DateiName, sizeof info.DateiName, "%s", pfad);
        SpektrumDaten d;
        std::vector<double> s3, s4;
        ASSERT_EQ(LeseSpektrum(&info, &d, &s3, &s4, nullptr), n);
        EXPECT_EQ(info.Spalten, f.spalten);
        if (f.spalten >= 3) {
            EXPECT_EQ(s3, (std::vector<double>{-1, -2, -3, -4}));
        }
        if (f.spalten == 5) {
            EXPECT_EQ(s4, (std::vector<double>{2, 4, 6, 8}));
        }
    }
    g.FreeFelder();
    std::remove(pfad);
}
