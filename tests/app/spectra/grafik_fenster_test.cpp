// The graphic-window record: ring of curve slots, cuts, growing arrays.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "shell/haupt_fenster.h"
#include "spectra/spectra_globals.h"

namespace {

class Record : public ::testing::Test {
protected:
    void SetUp() override
    {
        fehler = 0;
        bereich[0] = bereich[1] = -999.0;
        SpektrenShell.FehlerCode = &fehler;
        SpektrenShell.VollerXBereich = bereich;
        g = std::make_unique<grafik_fenster>();
        ASSERT_EQ(g->AllocFelder(), 1);
    }
    void TearDown() override
    {
        g->FreeFelder();
        SpektrenShell = gesichert;
    }
    SpektrenAnbindung gesichert = SpektrenShell;
    // Curve in the current slot: x = x0 + step * i, y = x^2, and with a
    // third column the imaginary part -x behind it.
    void Kurve(int n, double x0, double step, bool komplex = false)
    {
        const int s = g->AktuellerSlot();
        double* x = g->GetXFeld(-1);
        double* y = g->GetYFeld(-1);
        for (int i = 0; i < n; ++i) {
            x[i] = x0 + step * i;
            y[i] = x[i] * x[i];
        }
        if (komplex) {
            y[n] = y[n - 1];
            x[n] = x[n - 1];
            for (int i = 0; i < n; ++i) {
                x[n + 1 + i] = x[i];
                y[n + 1 + i] = -x[i];
            }
            g->KurvenFlags[s] |= SLOT_KOMPLEX;
        }
        g->DateiInfo.PunkteProKurve[s] = n;
    }
    int32_t fehler;
    double bereich[2];
    std::unique_ptr<grafik_fenster> g;
};

}  // namespace

TEST_F(Record, ResetGivesTheConstructorsDefaults)
{
    grafik_fenster frisch;
    g->Paintinfo.PlotColor = 1;
    g->Paintinfo.KomplexReal = 0;
    g->KurvenZaehler = 7;
    g->HatDaten = 1;
    g->ZBereich[0] = 3;
    g->ZustandsWorte[2] = 5;
    std::strcpy(g->XText[1], "E [keV]");
    g->Reset();
    EXPECT_EQ(std::memcmp(&g->Paintinfo, &frisch.Paintinfo, sizeof frisch.Paintinfo), 0);
    EXPECT_EQ(g->KurvenZaehler, 0);
    EXPECT_EQ(g->HatDaten, 0);
    EXPECT_EQ(g->ZBereich[0], 10.0);
    EXPECT_EQ(g->ZustandsWorte[2], -1);
    EXPECT_STREQ(g->XText[1], "X");
    EXPECT_EQ(g->Paintinfo.BeschriftungFlags, 546);
    EXPECT_EQ(g->Paintinfo.BkgColor, 0xC0C0C0u);
}

TEST_F(Record, SlotArraysOfOtherIndexesAreTheCurrentSlot)
{
    g->KurvenZaehler = 6;
    EXPECT_EQ(g->GetXFeld(-1), g->XFeld[2]);
    EXPECT_EQ(g->GetYFeld(4), g->YFeld[2]);
    EXPECT_EQ(g->GetYFeld(3), g->YFeld[3]);
}

TEST_F(Record, CutSectionTable)
{
    struct Fall {
        const char* name;
        int useBorders, interpolate;
        double lower, upper;
        int32_t m;
        double first, firstY, last, lastY;
    };
    // Curve x = 0..9, y = x^2.
    const Fall faelle[] = {
        {"whole curve", 0, 0, 0, 0, 10, 0, 0, 9, 81},
        {"interpolated ends", 1, 1, 2.5, 6.5, 6, 2.5, 6.5, 6.5, 42.5},
        {"lower within 1e-5 of a point", 1, 1, 2.999995, 6.0, 4, 3, 9, 6, 36},
        {"upper within 1e-5 of a point", 1, 1, 3.0, 6.000008, 4, 3, 9, 6, 36},
        {"widened to the nearer points", 1, 0, 2.4, 6.6, 6, 2, 4, 7, 49},
        {"narrowed to the nearer points", 1, 0, 2.6, 6.4, 4, 3, 9, 6, 36},
        {"borders beyond the curve", 1, 1, -5, 50, 10, 0, 0, 9, 81},
    };
    for (const Fall& f : faelle) {
        g->Reset();
        Kurve(10, 0.0, 1.0);
        fehler = 0;
        int32_t m = g->CutSection(f.useBorders, f.lower, f.upper, f.interpolate);
        ASSERT_EQ(m, f.m) << f.name;
        EXPECT_EQ(g->KurvenZaehler, 1) << f.name;
        EXPECT_EQ(g->NeuesterZaehler, 1) << f.name;
        EXPECT_EQ(g->Punkte(), m) << f.name;
        const double* x = g->GetXFeld(-1);
        const double* y = g->GetYFeld(-1);
        EXPECT_DOUBLE_EQ(x[0], f.first) << f.name;
        EXPECT_DOUBLE_EQ(y[0], f.firstY) << f.name;
        EXPECT_DOUBLE_EQ(x[m - 1], f.last) << f.name;
        EXPECT_DOUBLE_EQ(y[m - 1], f.lastY) << f.name;
        for (int i = 1; i + 1 < m; ++i) EXPECT_DOUBLE_EQ(y[i], x[i] * x[i]) << f.name;
        EXPECT_EQ(fehler, 0) << f.name;
        EXPECT_EQ(g->Grenzen[1], f.first) << f.name;
        EXPECT_EQ(g->Grenzen[0], f.last) << f.name;
        EXPECT_EQ(bereich[0], f.first) << f.name;
        EXPECT_EQ(bereich[1], f.last) << f.name;
    }
}

TEST_F(Record, EmptySectionsAreRefusedWithError102)
{
    struct Fall { double lower, upper; int interpolate; };
    // Crossed borders, sections beside the curve, and a gap between two
    // points when no point may be added.
    const Fall faelle[] = {{6.0, 3.0, 0}, {6.0, 3.0, 1}, {20.0, 30.0, 0}, {20.0, 30.0, 1},
                           {-9.0, -5.0, 0}, {-9.0, -5.0, 1}, {3.2, 3.8, 1}};
    for (const Fall& f : faelle) {
        g->Reset();
        Kurve(10, 0.0, 1.0);
        fehler = 0;
        EXPECT_EQ(g->CutSection(1, f.lower, f.upper, f.interpolate), 0) << f.lower;
        EXPECT_EQ(fehler, 102) << f.lower;
        EXPECT_EQ(g->KurvenZaehler, 0) << f.lower;
    }
    // Without interpolation the same gap takes its two nearer points.
    g->Reset();
    Kurve(10, 0.0, 1.0);
    EXPECT_EQ(g->CutSection(1, 3.2, 3.8, 0), 2);
}

TEST_F(Record, FallingXRaisesError102AfterEveryCut)
{
    Kurve(10, 9.0, -1.0);
    for (int k = 0; k < 3; ++k) {
        fehler = 0;
        EXPECT_EQ(g->CutSection(0, 0, 0, 0), 10);
        EXPECT_EQ(fehler, 102);
    }
    fehler = 0;
    EXPECT_EQ(g->SetFullBorder(), 0);
    EXPECT_EQ(fehler, 102);
}

TEST_F(Record, FourCutsWrapTheRingAndOverwriteTheFirstCurve)
{
    Kurve(5, 1.0, 1.0);
    for (int k = 1; k <= 4; ++k) {
        ASSERT_EQ(g->CutSection(0, 0, 0, 0), 5);
        EXPECT_EQ(g->AktuellerSlot(), k % 4);
        g->GetYFeld(-1)[0] = 100.0 * k;  // mark the new curve
    }
    EXPECT_EQ(g->KurvenZaehler, 4);
    EXPECT_EQ(g->NeuesterZaehler, 4);
    EXPECT_EQ(g->GetYFeld(-1), g->YFeld[0]);
    EXPECT_EQ(g->YFeld[0][0], 400.0);  // the first curve is gone
    EXPECT_EQ(g->YFeld[1][0], 100.0);
    EXPECT_EQ(g->YFeld[3][0], 300.0);
    EXPECT_EQ(g->YFeld[0][4], 25.0);
}

TEST_F(Record, CutKeepsLowFlagsAndClearsFitFlags)
{
    struct Fall { uint32_t alt, neu; };
    const Fall faelle[] = {{1 | 8 | 16 | 32, 1 | 8}, {16 | 32, 0}, {2, 2}, {0, 0}};
    for (const Fall& f : faelle) {
        g->Reset();
        Kurve(10, 0.0, 1.0);
        g->KurvenFlags[0] = f.alt;
        g->CutSection(0, 0, 0, 0);
        EXPECT_EQ(g->KurvenFlags[1], f.neu) << f.alt;
    }
}

TEST_F(Record, ComplexCurvesAreCutWhole)
{
    const int n = 10;
    // Whole curve: the imaginary part travels along unchanged.
    Kurve(n, 0.0, 1.0, true);
    ASSERT_EQ(g->CutSection(0, 0, 0, 0), n);
    EXPECT_TRUE(g->KurvenFlags[1] & SLOT_KOMPLEX);
    for (int i = 0; i < n; ++i) {
        EXPECT_EQ(g->YFeld[1][n + 1 + i], -static_cast<double>(i));
        EXPECT_EQ(g->XFeld[1][n + 1 + i], i);
    }

    // A section: the imaginary section with the same interpolated ends
    // follows behind the real one.
    g->Reset();
    Kurve(n, 0.0, 1.0, true);
    const int32_t m = g->CutSection(1, 2.5, 6.5, 1);
    ASSERT_EQ(m, 6);
    const double* x = g->XFeld[1];
    const double* y = g->YFeld[1];
    EXPECT_TRUE(g->KurvenFlags[1] & SLOT_KOMPLEX);
    EXPECT_EQ(y[m], y[m - 1]);
    const double imag[6] = {-2.5, -3, -4, -5, -6, -6.5};
    for (int j = 0; j < m; ++j) {
        EXPECT_DOUBLE_EQ(y[m + 1 + j], imag[j]) << j;
        EXPECT_DOUBLE_EQ(x[m + 1 + j], x[j]) << j;
    }
    double lo, hi;
    EXPECT_EQ(g->GetMinMax(&lo, &hi, 0, 0, 1), 5);
    EXPECT_DOUBLE_EQ(lo, -6.5);
    EXPECT_DOUBLE_EQ(hi, 42.5);

    // Real part hidden: the imaginary part becomes the curve.
    g->Reset();
    Kurve(n, 0.0, 1.0, true);
    g->Paintinfo.KomplexReal = 0;
    ASSERT_EQ(g->CutSection(1, 2.5, 6.5, 1), 6);
    EXPECT_FALSE(g->KurvenFlags[1] & SLOT_KOMPLEX);
    for (int j = 0; j < 6; ++j) EXPECT_DOUBLE_EQ(g->YFeld[1][j], imag[j]);

    // Imaginary part hidden: the cut holds the real part only.
    g->Reset();
    Kurve(n, 0.0, 1.0, true);
    g->Paintinfo.KomplexImag = 0;
    ASSERT_EQ(g->CutSection(1, 2.5, 6.5, 1), 6);
    EXPECT_FALSE(g->KurvenFlags[1] & SLOT_KOMPLEX);

    // A plain curve never gains the mark.
    g->Reset();
    Kurve(n, 0.0, 1.0);
    g->Paintinfo.KomplexReal = 0;
    g->Paintinfo.KomplexImag = 0;
    g->CutSection(0, 0, 0, 0);
    EXPECT_FALSE(g->KurvenFlags[1] & SLOT_KOMPLEX);
}

TEST_F(Record, ResizeFelderKeepsEverySlot)
{
    EXPECT_EQ(g->ResizeFelder(34999), -1);
    EXPECT_EQ(g->ResizeFelder(MIN_FELD_PUNKTE), -1);
    EXPECT_EQ(g->FeldGroesse(), MIN_FELD_PUNKTE);
    // Slot 2 holds a complex curve whose imaginary part ends near the old end.
    for (int s = 0; s < 4; ++s) {
        g->KurvenZaehler = s;
        Kurve(s == 2 ? 17000 : 100 + s, s, 0.5, s == 2);
    }
    EXPECT_EQ(g->ResizeFelder(40000), 1);
    EXPECT_EQ(g->FeldGroesse(), 40000);
    EXPECT_EQ(g->DateiInfo.Kapazitaet, 40000);
    for (int s = 0; s < 4; ++s) {
        const int n = g->DateiInfo.PunkteProKurve[s];
        for (int i = 0; i < n; ++i) {
            ASSERT_EQ(g->XFeld[s][i], s + 0.5 * i) << s;
            ASSERT_EQ(g->YFeld[s][i], g->XFeld[s][i] * g->XFeld[s][i]) << s;
        }
    }
    EXPECT_EQ(g->YFeld[2][17000 + 1 + 16999], -(2 + 0.5 * 16999));
    EXPECT_EQ(g->XFeld[0][39999], 0.0);  // new room is zero-filled
}

TEST_F(Record, GetMinMaxBorders)
{
    Kurve(10, -4.0, 1.0);  // x = -4..5, y = x^2
    double lo, hi;
    EXPECT_EQ(g->GetMinMax(&lo, &hi, 0, 0, 0), 9);
    EXPECT_EQ(lo, 0.0);
    EXPECT_EQ(hi, 25.0);
    EXPECT_EQ(g->GetMinMax(&lo, &hi, -3.0, 2.0, 0), 1);  // x = -3 gives the maximum 9
    EXPECT_EQ(lo, 0.0);
    EXPECT_EQ(hi, 9.0);
    // One border 0: both are ignored.
    g->GetMinMax(&lo, &hi, 0.0, 2.0, 0);
    EXPECT_EQ(hi, 25.0);
    EXPECT_EQ(g->XAusdehnung[0], -4.0);
    EXPECT_EQ(g->XAusdehnung[1], 5.0);
}

TEST_F(Record, SetFullBorderTakesTheCurvesRange)
{
    Kurve(10, 2.0, 0.5);
    EXPECT_EQ(g->SetFullBorder(), 1);
    EXPECT_EQ(g->Grenzen[1], 2.0);
    EXPECT_EQ(g->Grenzen[0], 6.5);
    EXPECT_EQ(bereich[0], 2.0);
    EXPECT_EQ(bereich[1], 6.5);
    EXPECT_EQ(fehler, 0);
}

TEST_F(Record, LongComplexCurveSurvivesSaveAndReload)
{
    const int n = 20100;  // 2n + 5 needs more than the first arrays
    ASSERT_EQ(g->ResizeFelder(2 * n + 5), 1);
    Kurve(n, 1.0, 0.001, true);
    g->DateiInfo.Koeffizienten[0] = 8.979;
    std::strcpy(g->DateiInfo.DateiName, "cu.mes");
    const char* pfad = "spectra_record_complex.mes";
    ASSERT_EQ(g->SchreibeBinaer(pfad, 0, 0, 0), SPEKTRUM_OK);

    DateiInfo info;
    DateiInfoLeeren(&info);
    SpektrumDaten d;
    ASSERT_EQ(LeseBinaerSpektrumDatei(pfad, &info, &d, nullptr), n);
    EXPECT_EQ(info.Spalten, 3);
    EXPECT_NEAR(info.Koeffizienten[0], 8.979, 1e-6);

    grafik_fenster zweites;
    ASSERT_EQ(zweites.AllocFelder(), 1);
    ASSERT_EQ(zweites.SpeichereKurve(d), 1);
    EXPECT_GE(zweites.FeldGroesse(), 2 * n + 5);
    EXPECT_TRUE(zweites.KurvenFlags[0] & SLOT_KOMPLEX);
    for (int i = 0; i < n; ++i) {
        const double xi = static_cast<float>(1.0 + 0.001 * i);
        ASSERT_EQ(zweites.XFeld[0][i], xi) << i;
        ASSERT_EQ(zweites.YFeld[0][i], static_cast<double>(static_cast<float>(g->YFeld[0][i])));
        ASSERT_EQ(zweites.YFeld[0][n + 1 + i], static_cast<double>(static_cast<float>(-g->XFeld[0][i])));
        ASSERT_EQ(zweites.XFeld[0][n + 1 + i], xi);
    }
    zweites.FreeFelder();
    std::remove(pfad);
}

TEST_F(Record, SavingMoreThanTheHeaderCanCountIsRefused)
{
    Kurve(33000, 0.0, 1.0);
    const char* pfad = "spectra_record_toolong.mes";
    std::remove(pfad);
    EXPECT_EQ(g->SchreibeBinaer(pfad, 0, 0, 0), FEHLER_ZU_VIELE_PUNKTE);
    EXPECT_EQ(GetFileAttributesA(pfad), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Record, AppendFlagIsTakenFromTheCaller)
{
    Kurve(50, 0.0, 1.0);
    const char* pfad = "spectra_record_append.mes";
    ASSERT_EQ(g->SchreibeBinaer(pfad, 0, 0, 0), SPEKTRUM_OK);
    ASSERT_EQ(g->SchreibeBinaer(pfad, 100, 0, 2), SPEKTRUM_OK);  // block and y only
    WIN32_FILE_ATTRIBUTE_DATA a{};
    ASSERT_TRUE(GetFileAttributesExA(pfad, GetFileExInfoStandard, &a));
    EXPECT_EQ(a.nFileSizeLow, 250u + 3 * (40 + 50 * 4));
    // Creating again starts a fresh file.
    ASSERT_EQ(g->SchreibeBinaer(pfad, 0, 0, 0), SPEKTRUM_OK);
    ASSERT_TRUE(GetFileAttributesExA(pfad, GetFileExInfoStandard, &a));
    EXPECT_EQ(a.nFileSizeLow, 250u + 2 * (40 + 50 * 4));
    std::remove(pfad);
}

TEST_F(Record, SetFontInfoAppliesTheProfileAndRebuildsTheSharedFonts)
{
    const int32_t profil[15] = {0, 18, 14, 12, 20, 2, 3, 4, 5, 0};
    haupt_fenster& app = HAUPTDATEN;
    const double winkel = app.SchraegWinkel;
    app.SchraegWinkel = 45.0;
    HWND combo = CreateWindowA("COMBOBOX", "", CBS_DROPDOWNLIST, 0, 0, 100, 200, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(combo, nullptr);
    for (const char* t : {" 12", " 14", " 18", " 24"})
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
    SpektrenShell.SchriftCombo = combo;

    g->SetFontInfo(profil);
    const PAINTINFO& p = g->Paintinfo;
    EXPECT_EQ(p.PlotWidth, 2);
    EXPECT_EQ(p.AxisWidth, 3);
    EXPECT_EQ(p.FrameWidth, 4);
    EXPECT_EQ(p.FuncWidth, 5);
    EXPECT_EQ(p.ShowFrame, 0);
    EXPECT_EQ(p.AxisFontHeight, 18);
    EXPECT_EQ(p.AxisFontWidth, 8);
    EXPECT_EQ(p.ScaleFontHeight, 14);
    EXPECT_EQ(p.InscriptionFontHeight, 12);
    EXPECT_EQ(p.InscriptionFontWidth, 5);
    EXPECT_EQ(p.CapitalFontHeight, 20);
    // The application object's sizes: axis, capital, scale, inscription.
    const int32_t hoehen[4] = {18, 20, 14, 12};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(app.Schrifthoehen[i], hoehen[i]) << i;
        EXPECT_EQ(app.Schriftbreiten[i], (hoehen[i] - 2) / 2) << i;
    }
    // Each shared font has the size, angle and character set of its role.
    const struct { int index, hoehe, winkel; bool symbol; } rollen[] = {
        {SCHRIFT_ACHSE, 18, 0, false},        {SCHRIFT_ACHSE_90, 18, 900, false},
        {SCHRIFT_ACHSE_270, 18, 2700, false}, {SCHRIFT_ACHSE_SCHRAEG, 18, 450, false},
        {SCHRIFT_TITEL, 20, 0, false},        {SCHRIFT_SKALA, 14, 0, false},
        {SCHRIFT_LEGENDE, 12, 0, false},      {SCHRIFT_SYMBOL, 18, 0, true},
        {SCHRIFT_SYMBOL_90, 18, 900, true},   {SCHRIFT_SYMBOL_270, 18, 2700, true},
        {SCHRIFT_SYMBOL_SCHRAEG, 18, 450, true},
    };
    for (const auto& r : rollen) {
        LOGFONTA lf{};
        ASSERT_NE(app.Schriften[r.index], nullptr) << r.index;
        ASSERT_NE(GetObjectA(app.Schriften[r.index], sizeof lf, &lf), 0) << r.index;
        EXPECT_EQ(lf.lfHeight, r.hoehe) << r.index;
        EXPECT_EQ(lf.lfWidth, (r.hoehe - 2) / 2 + 1) << r.index;
        EXPECT_EQ(lf.lfEscapement, r.winkel) << r.index;
        EXPECT_EQ(lf.lfCharSet == SYMBOL_CHARSET, r.symbol) << r.index;
    }
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2);
    SpektrenShell.SchriftCombo = nullptr;
    DestroyWindow(combo);
    app.SchraegWinkel = winkel;
}

TEST(SharedFonts, StartUpBuildsThemInTheOrderTheDrawingUses)
{
    // Built by the application object's constructor before any window.
    const haupt_fenster& app = HAUPTDATEN;
    const int winkel[4] = {0, 900, 2700, static_cast<int>(app.SchraegWinkel * 10.0)};
    for (int k = 0; k < 4; ++k) {
        LOGFONTA lf{}, sym{};
        ASSERT_NE(GetObjectA(app.Schriften[SCHRIFT_ACHSE + k], sizeof lf, &lf), 0);
        ASSERT_NE(GetObjectA(app.Schriften[SCHRIFT_SYMBOL + k], sizeof sym, &sym), 0);
        EXPECT_EQ(lf.lfEscapement, winkel[k]);
        EXPECT_EQ(sym.lfEscapement, winkel[k]);
        EXPECT_EQ(sym.lfCharSet, SYMBOL_CHARSET);
        EXPECT_STREQ(sym.lfFaceName, "Times New Roman");
        EXPECT_EQ(lf.lfHeight, app.Schrifthoehen[0]);
    }
    for (int i = 1; i < 4; ++i) {
        LOGFONTA lf{};
        ASSERT_NE(GetObjectA(app.Schriften[SCHRIFT_TITEL + i - 1], sizeof lf, &lf), 0);
        EXPECT_EQ(lf.lfEscapement, 0);
        EXPECT_EQ(lf.lfHeight, app.Schrifthoehen[i]);
        EXPECT_STREQ(lf.lfFaceName, "Arial");
    }
}

TEST_F(Record, SeriesWrittenInThreeCallsIsReadFrameByFrame)
{
    const int n = 200;
    Kurve(n, 0.0, 1.0);  // y = x^2
    std::vector<double> zweite(n);
    for (int i = 0; i < n; ++i) zweite[i] = (i == 100) ? 1e6 : 3.0 * i;
    std::strcpy(g->DateiInfo.DateiName, "spectra_record_series.dxa");
    const char* pfad = g->DateiInfo.DateiName;
    // Header with the column count, x and the first y appended, one more y.
    ASSERT_EQ(g->SchreibeBinaer(pfad, 0, 3, 1), SPEKTRUM_OK);
    ASSERT_EQ(g->SchreibeBinaer(pfad, 100, 3, 0), SPEKTRUM_OK);
    ASSERT_EQ(g->SchreibeBinaer(pfad, 100, 3, 2, g->GetXFeld(-1), zweite.data(), n), SPEKTRUM_OK);

    g->DateiInfo.Binaer = 1;
    std::vector<double> y(MIN_FELD_PUNKTE);
    ASSERT_EQ(g->ReadSeriesFrame(y.data(), 0), 0);
    ASSERT_EQ(g->ReadSeriesFrame(y.data(), 3), n);
    EXPECT_EQ(y[100], 1e6);
    EXPECT_EQ(y[199], 597.0);
    ASSERT_EQ(g->ReadSeriesFrame(y.data(), 2), n);
    EXPECT_EQ(y[199], 199.0 * 199.0);

    // The application object's glitch settings reach the frame reader.
    int32_t an = 1;
    double prozent = 10.0;
    int32_t punkte = 2;
    SpektrenShell.GlitchKorrektur = &an;
    SpektrenShell.GlitchProzent = &prozent;
    SpektrenShell.GlitchPunkte = &punkte;
    ASSERT_EQ(g->ReadSeriesFrame(y.data(), 3), n);
    EXPECT_EQ(y[100], 300.0);
    EXPECT_EQ(g->ReadSeriesFrame(y.data(), -1), 0);
    EXPECT_EQ(g->ReadSeriesFrame(y.data(), 2), -2);
    std::remove(pfad);
}
