// The XAFS Fourier transform command 815 on the copper foil's chi(k) (the
// peer's Copper.chik, app/spectra/data/SOURCES.md) in graphic window 1,
// with prepared values as the macro player gives them (lParam 2, which
// reaches the transform as 131887) and through its dialog.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/spectra/data_commands_fixture.h"
#include "resource_ids.h"
#include "shell/macro_bar.h"
#include "spectra/spectra_globals.h"

namespace {

const char* const CHIK = KORLAN_TEST_DIR "/app/spectra/data/Copper.chik";

// Columns k and chi of the file.
void LiesChi(std::vector<double>* k, std::vector<double>* chi)
{
    std::ifstream f(CHIK);
    std::string zeile;
    while (std::getline(f, zeile)) {
        if (zeile.empty() || zeile[0] == '#') continue;
        std::istringstream s(zeile);
        double a, b;
        if (s >> a >> b) k->push_back(a), chi->push_back(b);
    }
}

// The WM_COMMAND numbers posted to a window, taken out of the queue.
std::vector<WPARAM> Gepostet(HWND h)
{
    std::vector<WPARAM> w;
    MSG m;
    while (PeekMessageA(&m, h, WM_COMMAND, WM_COMMAND, PM_REMOVE)) w.push_back(m.wParam);
    return w;
}

bool Enthaelt(const std::vector<WPARAM>& v, WPARAM x) { return std::find(v.begin(), v.end(), x) != v.end(); }

}  // namespace

class XasFourier : public EditFixture {
protected:
    std::vector<double> k, chi;
    const int W = 1;
    double rMax = 0.0;

    void SetUp() override
    {
        EditFixture::SetUp();
        LiesChi(&k, &chi);
        ASSERT_GT(k.size(), 300u);
        grafik_fenster& g = GrafikFenster[W];
        std::copy(k.begin(), k.end(), g.GetXFeld(0));
        std::copy(chi.begin(), chi.end(), g.GetYFeld(0));
        NurSlotNull(W, static_cast<int>(k.size()));
        std::snprintf(g.XText[0], GRAFIK_TEXT, "k");
        std::snprintf(g.YText[0], GRAFIK_TEXT, "chi");
        std::snprintf(g.DateiInfo.DateiName, sizeof g.DateiInfo.DateiName, "Copper.chik");
        g.KGewicht = 0.0;
        BringWindowToTop(grafik[W]);
        rMax = ExafsOptionen.MaxR;
        ExafsOptionen.MaxR = 8.0;
        Gepostet(hwnd);
    }
    void TearDown() override
    {
        ExafsOptionen.MaxR = rMax;
        EditFixture::TearDown();
    }
    grafik_fenster& G() const { return GrafikFenster[W]; }
    // Forward, Hanning 3-14, parameter 20, k^2.
    void Hin(double fenster = 5.0) { Prepared(815, {1, 0, fenster, 3, 14, 20, 2, 0, 0, 2048, -1}); }
    void Zurueck(double von, double bis) { Prepared(815, {0, 0, 1, von, bis, 0, 0, 0, 0, 2048, -1}); }
};

TEST_F(XasFourier, ForwardIsCutAtRMaxAndShownWithItsMagnitude)
{
    // Prepared values reach the transform as 131887: it runs without its
    // dialog (which would wait here) and without the range check.
    Hin();
    EXPECT_EQ(FehlerCode, 0);
    grafik_fenster& g = G();
    // Section (slot 1), transform (slot 2, current), magnitude copy (slot 3).
    ASSERT_EQ(g.AktuellerSlot(), 2);
    EXPECT_EQ(g.KurvenFlags[2] & 7u, 5u);
    const int32_t n = g.Punkte();
    const double* x = g.GetXFeld(2);
    const double* y = g.GetYFeld(2);
    const double dr = g.FTSchritt;
    ASSERT_GT(dr, 0.0);
    // Cut after the first R above 8.0: the kept points end at or below 8.
    EXPECT_LE(x[n - 1], 8.0);
    EXPECT_GT(x[n - 1] + dr * 1.0001, 8.0);
    EXPECT_NEAR(x[0], 0.0, 1e-12);
    EXPECT_EQ(y[n], y[n - 1]);
    // The magnitude copy and its envelope.
    EXPECT_EQ(g.KurvenFlags[3] & 7u, 4u);
    ASSERT_EQ(g.DateiInfo.PunkteProKurve[3], n);
    const double* b = g.GetYFeld(3);
    double groesst = 0.0;
    for (int32_t i = 0; i < n; ++i) groesst = std::max(groesst, b[i]);
    ASSERT_GT(groesst, 0.0);
    for (int32_t i = 0; i < n; ++i) {
        EXPECT_NEAR(b[i], std::hypot(y[i], y[n + 1 + i]), 1e-12 * groesst) << i;
        EXPECT_EQ(b[n + 1 + i], -b[i]) << i;
    }
    // Overlay of window 1's slots 2 and 3.
    EXPECT_EQ(g.Kombinieren, 1);
    EXPECT_EQ(g.KombiAnzahl, 2);
    EXPECT_EQ(g.KombiListe[0], 12);
    EXPECT_EQ(g.KombiListe[1], 13);
    EXPECT_STREQ(g.XText[2], "R [\xC5]");
    EXPECT_STREQ(g.YText[2], "FT(^c(k)*k~2)");
    EXPECT_EQ(std::string(CommandText),
              "--: Copper.chik --XAS-FOURIER TRANSFORM  -  window : Hanning  - Beta : 20  - from : 3 , to : 14 -  "
              "( active : 3 )\r\n");
    EXPECT_EQ(Historie().find(CommandText) != std::string::npos, true);
    const auto post = Gepostet(hwnd);
    EXPECT_TRUE(Enthaelt(post, 164));
    // With lParam 2 no redraw is posted to the graphic window.
    EXPECT_FALSE(Enthaelt(Gepostet(grafik[W]), CM_REDRAW));
}

TEST_F(XasFourier, WithoutAWindowNoLabelsAndNo164)
{
    Hin(0.0);
    EXPECT_EQ(FehlerCode, 0);
    grafik_fenster& g = G();
    ASSERT_EQ(g.AktuellerSlot(), 2);
    // The texts the transform's slot took over from the curve it came from.
    EXPECT_STREQ(g.XText[2], "k");
    EXPECT_STREQ(g.YText[2], "chi");
    EXPECT_EQ(std::string(CommandText), "--: Copper.chik --XAS-FOURIER TRANSFORM  - ");
    EXPECT_FALSE(Enthaelt(Gepostet(hwnd), 164));
}

TEST_F(XasFourier, BackTransformIsCutToTheForwardWindow)
{
    Hin();
    Gepostet(hwnd);
    grafik_fenster& g = G();
    const double kMax = k.back();
    EXPECT_EQ(g.KMax, kMax);
    Zurueck(1.5, 3.0);
    EXPECT_EQ(FehlerCode, 0);
    ASSERT_EQ(g.AktuellerSlot(), 3);
    EXPECT_EQ(g.KurvenFlags[3] & 7u, 6u);
    const int32_t n = g.Punkte();
    const double* x = g.GetXFeld(3);
    ASSERT_GE(n, 2);
    // From the first k not below 3 to the last not above 14 (and the
    // source's last k).
    EXPECT_GE(x[0], 3.0);
    EXPECT_LT(x[0] - 3.0, 0.1);
    EXPECT_LE(x[n - 1], std::min(14.0, kMax));
    EXPECT_GT(x[n - 1], 13.9);
    EXPECT_EQ(g.KGewicht, 0.0);
    EXPECT_EQ(g.Kombinieren, 0);
    EXPECT_EQ(g.KombiAnzahl, 0);
    EXPECT_EQ(g.DritteSpalte(), 0);
    EXPECT_STREQ(g.XText[3], "k [\xC5~{-1}]");
    EXPECT_STREQ(g.YText[3], "^c(k)");
    EXPECT_EQ(std::string(CommandText),
              "--: Copper.chik --XAS-FOURIER TRANSFORM  -  Backtransform -  square window  from : 1.5 , to : 3 -  "
              "( active : 4 )\r\n");
    EXPECT_FALSE(Enthaelt(Gepostet(hwnd), 164));
}

TEST_F(XasFourier, BackFromTheMagnitudeCopyStartsAtItsTransform)
{
    Hin();
    Gepostet(hwnd);
    grafik_fenster& g = G();
    // 164 shows the magnitude of the transform in a slot of its own (3).
    HAUPTDATEN.Befehl(164, 0);
    ASSERT_EQ(g.AktuellerSlot(), 3);
    ASSERT_EQ(g.KurvenFlags[3] & 7u, 4u);
    const std::vector<double> komplex = Y(W, 2);
    Zurueck(1.5, 3.0);
    EXPECT_EQ(FehlerCode, 0);
    // The transform of slot 2 was current again: it stays as it was, and
    // its back-transform follows it.
    EXPECT_EQ(Y(W, 2), komplex);
    ASSERT_EQ(g.AktuellerSlot(), 3);
    EXPECT_EQ(g.KurvenFlags[3] & 7u, 6u);
    EXPECT_GE(X(W, 3).front(), 3.0);
    EXPECT_NE(std::string(CommandText).find("Backtransform -  square window  from : 1.5 , to : 3 -  ( active : 4 )"),
              std::string::npos);
}

TEST_F(XasFourier, ForwardAndBackOverTheWholeRangeGiveTheChiAgain)
{
    // R max above the transform's last R: nothing is cut, no magnitude copy.
    ExafsOptionen.MaxR = 1e6;
    Hin();
    grafik_fenster& g = G();
    ASSERT_EQ(g.AktuellerSlot(), 2);
    EXPECT_EQ(g.Kombinieren, 0);
    const int32_t m = g.Punkte();
    const double rEnde = g.GetXFeld(2)[m - 1];
    EXPECT_GT(rEnde, 8.0);
    // The gridded, k^2-weighted section the transform took (slot 1).
    const std::vector<double> gx = X(W, 1), gy = Y(W, 1);
    // The back window reaches just past the last R, which it keeps.
    Zurueck(0.0, rEnde * 1.00005);
    EXPECT_EQ(FehlerCode, 0);
    // The envelope was shown before the back-transform overwrote its slot.
    const int32_t s = g.AktuellerSlot();
    EXPECT_EQ(g.KurvenFlags[s] & 7u, 6u);
    const std::vector<double> rx = X(W, s), ry = Y(W, s);
    ASSERT_GT(rx.size(), 100u);
    double groesst = 0.0;
    for (double v : gy) groesst = std::max(groesst, std::fabs(v));
    ASSERT_GT(groesst, 0.1);
    // The back-transform is divided by the window and by k^2 again: chi
    // on the grid, wherever the Hanning window is not near zero. The
    // transform's back direction sums the positive R half only and doubles
    // it, so the R = 0 term counts twice and the last one is missing: a
    // difference of a few 1e-5 of the largest value, alternating from point
    // to point.
    size_t verglichen = 0;
    for (size_t i = 0; i < rx.size(); ++i) {
        size_t j = 0;
        while (j < gx.size() && std::fabs(gx[j] - rx[i]) > 1e-9) ++j;
        ASSERT_LT(j, gx.size()) << rx[i];
        if (rx[i] < 3.5 || rx[i] > 13.5) continue;
        EXPECT_NEAR(ry[i] * rx[i] * rx[i], gy[j], 1e-4 * groesst) << rx[i];
        ++verglichen;
    }
    EXPECT_GT(verglichen, 100u);
}

TEST_F(XasFourier, RefusedStepsLeaveSlotsMacroAndHistoryAlone)
{
    Hin();
    // The magnitude display that 164 would add is not part of this test.
    Gepostet(hwnd);
    grafik_fenster& g = G();
    const std::string makro = Pfad("ft.MAK");
    {
        std::ofstream f(makro);
        f << "Makro\n";
    }
    std::snprintf(ButtonBar.MakroPfad, sizeof ButtonBar.MakroPfad, "%s", makro.c_str());
    HAUPTDATEN.MakroAufnahme = 1;
    auto stand = [&] {
        std::ostringstream s;
        s << g.KurvenZaehler << " " << g.NeuesterZaehler << " " << g.Kombinieren << " " << g.KGewicht;
        for (int t = 0; t < 4; ++t) {
            s << "|" << g.KurvenFlags[t] << " " << g.DateiInfo.PunkteProKurve[t] << " " << g.XText[t] << g.YText[t];
            for (double v : Y(W, t)) s << " " << v;
        }
        return s.str();
    };
    auto datei = [&] {
        std::ifstream f(makro);
        std::stringstream s;
        s << f.rdbuf();
        return s.str();
    };
    const std::string vorher = stand(), text = CommandText, hist = Historie();

    // A one-point back window: 102 through the dialog, 1000 in a replay.
    g.FTFenster.lower = g.FTFenster.upper = 5.0;
    FehlerCode = 0;
    EXPECT_TRUE(MitDialogen({SetzeText(58, "1.5"), SetzeText(59, "3"), Druecke(IDOK)},
                            [] { HAUPTDATEN.Befehl(815, 0); }));
    EXPECT_EQ(FehlerCode, 102);
    EXPECT_EQ(stand(), vorher);
    FehlerCode = 0;
    Zurueck(1.5, 3.0);
    EXPECT_EQ(FehlerCode, 1000);
    EXPECT_EQ(stand(), vorher);
    // A forward transform the transform refuses (crossed borders).
    FehlerCode = 0;
    NurSlotNull(W, static_cast<int>(k.size()));
    const std::string roh = stand();
    Prepared(815, {1, 0, 5, 14, 3, 20, 2, 0, 0, 2048, -1});
    EXPECT_EQ(FehlerCode, 1000);
    EXPECT_EQ(stand(), roh);
    EXPECT_EQ(std::string(CommandText), text);
    EXPECT_EQ(Historie(), hist);
    EXPECT_EQ(datei(), "Makro\n");

    // A transform that runs is recorded with its 11 values.
    FehlerCode = 0;
    Hin();
    HAUPTDATEN.MakroAufnahme = 0;
    ButtonBar.MakroPfad[0] = '\0';
    EXPECT_EQ(FehlerCode, 0);
    EXPECT_EQ(datei().find("Makro\n815,1,0,5,3,14,20,2,0,0,2048,-1\n"), 0u) << datei();
}
