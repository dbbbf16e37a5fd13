// Experimental phases and amplitudes in-process, as the macro player runs
// the commands (lParam 2): 816 on the complex back transform of a synthetic
// shell made through the program's own forward and back transforms (506 in
// XAFS mode), its files used as the shell of an 817 simulation; the cases
// of 816; 807/817 with experimental shells (refusals, the cut to the
// phases' range, one common E0, a refinement to its end); and the
// phase-corrected transform of 506.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "app/fit/fourier_fixture.h"
#include "app/temp_folder.h"
#include "fit/exafs_terms.h"
#include "fit/fit_model.h"
#include "fit/fit_run.h"
#include "fit/model_function.h"
#include "resource_ids.h"
#include "shell/haupt_fenster.h"
#include "shell/macro_bar.h"
#include "shell/macro_file.h"
#include "shell/shell_globals.h"
#include "spectra/spectra_globals.h"
#include "xas/exafs_fit.h"
#include "xas/exafs_fit_win.h"
#include "xas/model_fft.h"
#include "xas/xas_entries.h"

namespace {

// The shell: N 12, R 2.55 A, K edge, a smooth amplitude and phase shift.
const double N0 = 12.0, R0 = 2.55;
double F(double k) { return 0.8 * std::exp(-0.02 * (k - 6.0) * (k - 6.0)) + 0.1; }
double Phi(double k) { return -1.0 - 0.5 * k; }
double Chi(double k) { return -N0 * F(k) / (k * R0 * R0) * std::sin(2 * k * R0 + Phi(k)); }

std::string Inhalt(const std::string& pfad)
{
    std::ifstream f(pfad, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

}  // namespace

class PhasenWin : public FourierBefehl {
protected:
    TempOrdner ordner;
    std::vector<char> datenOrdner;
    char* alterOrdner = nullptr;
    int32_t altesBinaer = 1;

    void SetUp() override
    {
        FourierBefehl::SetUp();
        alterOrdner = HAUPTDATEN.DatenOrdner;
        datenOrdner.assign(ORDNER_BYTES, 0);
        std::snprintf(datenOrdner.data(), datenOrdner.size(), "%s", ordner.Ordner().c_str());
        HAUPTDATEN.DatenOrdner = datenOrdner.data();
        altesBinaer = HAUPTDATEN.BinaerSpeichern;
        HAUPTDATEN.ModellCallback = ModellFunktion;
        HAUPTDATEN.FitErneuerung[0] = 1;
        HAUPTDATEN.FitErneuerung[1] = 0;
        HAUPTDATEN.FitZustand = 0;
        HAUPTDATEN.FeffSatzAnzahl = 0;
        ExafsFftLeser = ExafsUmfeldLesen;
        ExafsZusatz = EXAFS_ZUSATZ{};
        Numerik.SetExpError(0.001);
        Numerik.SetWichtung(1);
        Numerik.SetFunction(ModellFunktion);
        if (CommandText2) CommandText2[0] = '\0';
    }
    void TearDown() override
    {
        HAUPTDATEN.DatenOrdner = alterOrdner;
        HAUPTDATEN.BinaerSpeichern = altesBinaer;
        HAUPTDATEN.FitZustand = 0;
        HAUPTDATEN.MakroSchrittAktiv = 0;
        Numerik.SetFitProcedure(0, nullptr);
        Numerik.SetWeightFunction(nullptr);
        FitModellArt = 0;
        ExafsZusatz = EXAFS_ZUSATZ{};
        if (CommandText2) CommandText2[0] = '\0';
        SetMenu(hwnd, HAUPTDATEN.Hauptmenue);
        FourierBefehl::TearDown();
    }

    void Befehl(int32_t id, std::vector<double> dw)
    {
        for (int i = 0; i < 14; ++i) HAUPTDATEN.DialogWerte[i] = i < static_cast<int>(dw.size()) ? dw[i] : 0.0;
        BringWindowToTop(grafik[0]);
        HAUPTDATEN.Befehl(id, LP_PREPARED);
    }

    // chi(k) of the shell (times k^w) in window 0's slot 0, k = a, a + dk, ...
    void ChiKurve(double a, double b, double dk, double w = 0.0)
    {
        grafik_fenster& g = GrafikFenster[0];
        int n = 0;
        for (double k = a; k <= b + 1e-9; k += dk, ++n) {
            g.GetXFeld(0)[n] = k;
            g.GetYFeld(0)[n] = Chi(k) * std::pow(k, w);
        }
        NurSlotNull(0, n);
    }

    // A two-column text spectrum of f over [a, b].
    std::string Tabelle(const char* name, double a, double b, double (*f)(double))
    {
        const std::string pfad = ordner.Datei(name);
        std::FILE* d = std::fopen(pfad.c_str(), "w");
        for (double k = a; k <= b + 1e-9; k += 0.05) std::fprintf(d, "%.17g %.17g\n", k, f(k));
        std::fclose(d);
        return pfad;
    }
    void Liste(const std::string& text)
    {
        std::snprintf(CommandText2, COMMAND_TEXT2_BYTES, "%s", text.c_str());
    }

    // The complex back transform of the shell in the current slot: k^2,
    // Kaiser-Bessel 1-17 forward, square 1.0-4.0 A back; then, as a section
    // would, only its points up to k = 17 (beyond the forward window it
    // holds leakage only).
    void RueckTransform()
    {
        ChiKurve(0.5, 18.0, 0.05);
        Xafs({1, 0, 4, 1.0, 17.0, 4, 2, 0, 0, 1024, -1});
        grafik_fenster& g = GrafikFenster[0];
        ASSERT_EQ(g.KurvenFlags[g.AktuellerSlot()], 5u);
        g.SetFullBorder();
        Xafs({0, 0, 1, 1.0, 4.0, 0, 2, 0, 0, 1024, -1});
        const int s = g.AktuellerSlot();
        ASSERT_EQ(g.KurvenFlags[s], 6u);
        const int n = g.Punkte();
        double* x = g.GetXFeld(s);
        double* y = g.GetYFeld(s);
        int m = 0;
        while (m < n && x[m] <= 17.0) ++m;
        ASSERT_GT(m, 100);
        for (int i = 0; i < m; ++i) {
            y[m + 1 + i] = y[n + 1 + i];
            x[m + 1 + i] = x[i];
        }
        y[m] = y[m - 1];
        x[m] = x[m - 1];
        g.DateiInfo.PunkteProKurve[s] = m;
        g.SetFullBorder();
    }

    // The model's values over the current curve.
    std::vector<double> Modell()
    {
        grafik_fenster& g = GrafikFenster[0];
        std::vector<double> y(g.Punkte() + 5, 0.0);
        FitFunctionTypes = g.FunktionsTypen;
        FitParameters = g.Parameter;
        FitFunctionCount = g.AnzahlFunktionen;
        FitModellArt = g.ModellArt;
        ModellFunktion(0.0, 0.0, g.GetXFeld(-1), y.data(), g.Punkte());
        y.resize(g.Punkte());
        return y;
    }
};

TEST_F(PhasenWin, RoundTripThroughTheTransformsAndAnExafsSimulation)
{
    RueckTransform();
    grafik_fenster& g = GrafikFenster[0];
    const int s = g.AktuellerSlot();
    const std::vector<double> k = X(0, s);
    HAUPTDATEN.BinaerSpeichern = 0;
    Befehl(816, {100, N0, R0, -1, 100, -1});
    ASSERT_EQ(FehlerCode, 0);
    EXPECT_EQ(HAUPTDATEN.BinaerSpeichern, 0);

    // Amplitude in s + 1, phase in s + 2 (current), flag words 0.
    EXPECT_EQ(g.AktuellerSlot(), (s + 2) & 3);
    EXPECT_EQ(g.NeuesterZaehler, g.KurvenZaehler);
    EXPECT_EQ(g.KurvenFlags[(s + 1) & 3], 0u);
    EXPECT_EQ(g.KurvenFlags[(s + 2) & 3], 0u);
    EXPECT_STREQ(g.YText[(s + 1) & 3], "backscattering amplitude");
    EXPECT_STREQ(g.YText[(s + 2) & 3], "total phase shift");
    const std::vector<double> a = Y(0, (s + 1) & 3);
    ASSERT_EQ(a.size(), k.size());
    int verglichen = 0;
    double abweichung = 0.0;
    for (size_t i = 0; i < k.size(); ++i) {
        if (k[i] < 3.0 || k[i] > 13.0) continue;
        EXPECT_NEAR(a[i], F(k[i]), 0.01 * F(k[i])) << k[i];
        abweichung = std::max(abweichung, std::fabs(a[i] / F(k[i]) - 1.0));
        ++verglichen;
    }
    EXPECT_GT(verglichen, 100);
    std::printf("amplitude over k 3-13: largest deviation %.3f %%\n", 100.0 * abweichung);

    // Makro.par, .amp and .pha in the data folder; spectra in binary form
    // whatever the user's choice.
    EXPECT_EQ(Inhalt(ordner.Datei("Makro.par")), "12 \r\n2.55 \r\n");
    for (const char* endung : {"Makro.amp", "Makro.pha"}) {
        const std::string b = Inhalt(ordner.Datei(endung));
        ASSERT_GT(b.size(), 4u) << endung;
        EXPECT_EQ(b[0] + 256 * static_cast<unsigned char>(b[1]), 6666) << endung;
    }
    EXPECT_NE(Historie().find("saved as " + ordner.Datei("Makro.pha")), std::string::npos);

    // The files as the shell of an EXAFS simulation with N and R on chi(k)
    // k^2 from k = 0.5: the data are first cut to the phases' range.
    ChiKurve(0.5, 16.0, 0.05, 2.0);
    g.AnzahlFunktionen = 1;
    g.FunktionsTypen[0] = 15;
    const double p[4] = {N0, R0, 0.0, 0.0};
    std::copy(p, p + 4, g.Parameter);
    Liste(ordner.Datei("Makro.pha") + "," + ordner.Datei("Makro.amp") + ",");
    Befehl(817, {15, -1, 1, 2, -1, -1, 1, -1, -1, 1, -1, -1, -1, 0});
    ASSERT_EQ(FehlerCode, 0);
    EXPECT_EQ(g.AktuellerSlot(), 1);
    EXPECT_EQ(g.KurvenFlags[1] & SLOT_K_FIT, SLOT_K_FIT);
    EXPECT_GE(g.GetXFeld(-1)[0], 1.0);
    EXPECT_EQ(g.ZeigeFunktion, 1);
    const std::vector<double> x = X(0, 1), y = Y(0, 1), m = Modell();
    double groesst = 0.0;
    for (size_t i = 0; i < x.size(); ++i)
        if (x[i] >= 3.0 && x[i] <= 13.0) groesst = std::max(groesst, std::fabs(y[i]));
    verglichen = 0;
    abweichung = 0.0;
    for (size_t i = 0; i < x.size(); ++i) {
        if (x[i] < 3.0 || x[i] > 13.0) continue;
        EXPECT_NEAR(m[i], y[i], 0.01 * groesst) << x[i];
        abweichung = std::max(abweichung, std::fabs(m[i] - y[i]) / groesst);
        ++verglichen;
    }
    EXPECT_GT(verglichen, 150);
    std::printf("simulated chi(k) k^2 over k 3-13: largest deviation %.3f %% of its largest value\n",
                100.0 * abweichung);
}

TEST_F(PhasenWin, SimpleRunRealCurvesAndRefusals)
{
    // A simple run: magnitude and unwrapped total phase, no ".par", no
    // axis texts of its own, no files.
    RueckTransform();
    grafik_fenster& g = GrafikFenster[0];
    const int s = g.AktuellerSlot();
    std::snprintf(g.YText[s], GRAFIK_TEXT, "%s", "transform");
    const std::vector<double> re = Y(0, s), im = Imag(0, s);
    Befehl(816, {1, 0, 0, 1, 1, -1});
    ASSERT_EQ(FehlerCode, 0);
    EXPECT_STREQ(g.YText[(s + 2) & 3], "transform");
    const std::vector<double> a = Y(0, (s + 1) & 3), p = Y(0, (s + 2) & 3);
    for (size_t i = 0; i < re.size(); i += 37) EXPECT_NEAR(a[i], std::hypot(re[i], im[i]), 1e-12) << i;
    // L3 edge: the total phase minus pi, rising without jumps over the shell.
    for (size_t i = 1; i < re.size(); ++i) {
        const double k = X(0, s)[i];
        if (k < 3.0 || k > 13.0) continue;
        EXPECT_NEAR(p[i] - p[i - 1], 2 * R0 * (k - X(0, s)[i - 1]) - 0.5 * (k - X(0, s)[i - 1]), 0.01) << k;
    }
    EXPECT_EQ(KantenVorzeichen, 1.0);
    EXPECT_FALSE(std::ifstream(ordner.Datei("Makro.par")).good());
    EXPECT_NE(Historie().find("    phase and amplitude determined.\r\n"), std::string::npos);

    // A modified replay without saving: Makro.par only, in the data folder.
    g.KurvenZaehler = s;
    Befehl(816, {100, 6, 2.0, -1, 1, -1});
    EXPECT_EQ(Inhalt(ordner.Datei("Makro.par")), "6 \r\n2 \r\n");
    EXPECT_FALSE(std::ifstream(ordner.Datei("Makro.amp")).good());

    // Real curves: one new slot.
    struct Fall { double art, kante; double (*f)(double k, double y); const char* text; };
    const Fall faelle[] = {
        {1, -1, [](double k, double y) { return k * y; }, "backscattering amplitude"},
        {-1, -1, [](double k, double y) { return y - 4.0 * k - PI; }, "total phase shift"},
        {-1, 1, [](double k, double y) { return y - 4.0 * k - 2 * PI; }, "total phase shift"},
    };
    for (const Fall& f : faelle) {
        Gitter(0, 50, 1.0, 0.2, [](double x) { return std::cos(x); });
        Befehl(816, {100, 4, 2, f.kante, 1, f.art});
        ASSERT_EQ(g.AktuellerSlot(), 1);
        EXPECT_EQ(g.KurvenFlags[1], 0u);
        EXPECT_STREQ(g.YText[1], f.text);
        for (int i = 0; i < 50; ++i) EXPECT_NEAR(Y(0, 1)[i], f.f(X(0, 0)[i], Y(0, 0)[i]), 1e-12) << i;
    }

    // N or R not positive in a modified run: 108, nothing changed.
    for (const auto& dw : {std::vector<double>{100, 0, 2, -1, 1, 1}, {100, 4, -2, -1, 1, 1}}) {
        FehlerCode = 0;
        Gitter(0, 50, 1.0, 0.2, [](double x) { return x; });
        Befehl(816, dw);
        EXPECT_EQ(FehlerCode, 108);
        EXPECT_EQ(g.AktuellerSlot(), 0);
        EXPECT_EQ(Y(0, 0)[10], X(0, 0)[10]);
    }
    FehlerCode = 0;
}

TEST_F(PhasenWin, InconsistentBranchEndsAfterFourShifts)
{
    grafik_fenster& g = GrafikFenster[0];
    // Signs at random: every quarter turn leaves about half of them wrong.
    const int n = 400;
    std::mt19937 zufall(7);
    for (int i = 0; i < n; ++i) {
        g.GetXFeld(0)[i] = 3.0 + 0.025 * i;
        g.GetYFeld(0)[i] = (zufall() & 1) ? 1.0 : -1.0;
        g.GetYFeld(0)[n + 1 + i] = 0.5;
    }
    NurSlotNull(0, n);
    g.KurvenFlags[0] = 6;
    Befehl(816, {100, 4, 2, -1, 1, -1});
    ASSERT_EQ(FehlerCode, 0);
    EXPECT_EQ(g.AktuellerSlot(), 2);
    EXPECT_NE(Historie().find("no consistent branch"), std::string::npos);
}

TEST_F(PhasenWin, ExperimentalShellsSetUp)
{
    const std::string pha = Tabelle("schale.pha", 2.5, 14.0, Phi), amp = Tabelle("schale.amp", 2.5, 14.0, F);
    {
        std::ofstream par(ordner.Datei("schale.par"), std::ios::binary);
        par << "12 \r\n2.55 \r\n";
    }
    grafik_fenster& g = GrafikFenster[0];
    auto start = [&](int schalen, double raum, std::vector<double> extra = {}) {
        ChiKurve(2.0, 15.0, 0.05, 2.0);
        std::string liste;
        for (int i = 0; i < schalen; ++i) liste += pha + ",";
        for (int i = 0; i < schalen; ++i) liste += amp + ",";
        Liste(liste);
        g.AnzahlFunktionen = schalen;
        for (int i = 0; i < schalen; ++i) {
            g.FunktionsTypen[i] = 15;
            const double p[4] = {N0, R0 + 0.4 * i, 0.002, 1.0};
            std::copy(p, p + 4, g.Parameter + 4 * i);
        }
        std::vector<double> dw = {15, -1, static_cast<double>(schalen), 2, -1, -1, raum, -1, -1, 1, -1, -1, -1, 0};
        for (size_t i = 0; i < extra.size(); i += 2) dw[static_cast<int>(extra[i])] = extra[i + 1];
        FitFunctionTypes = g.FunktionsTypen;
        FitParameters = g.Parameter;
        FitFunctionCount = schalen;
        ResetModelTables();
        FehlerCode = 0;
        boxen.clear();
        Befehl(817, dw);
    };

    // Two shells, one E0: the first shell's E0 leads, the second follows it.
    start(2, 1);
    ASSERT_EQ(FehlerCode, 0);
    EXPECT_EQ(g.AnzahlFunktionen, 2);
    EXPECT_EQ(g.FunktionsTypen[1], 15);
    EXPECT_EQ(CorrelationWords[3], CW_MASTER);
    EXPECT_EQ(CorrelationWords[7], CorrelationWord(3, CW_TIMES));
    EXPECT_EQ(CorrelationConstants[7], 1.0);
    EXPECT_EQ(MaxFitParameter, 6);
    EXPECT_EQ(KantenVorzeichen, -1.0);
    // The data from 2.0 were cut to the phase's range from 2.525.
    EXPECT_EQ(g.AktuellerSlot(), 1);
    EXPECT_NEAR(g.GetXFeld(-1)[0], 2.55, 0.03);
    EXPECT_EQ(ShellTabellenPunkte, g.Punkte());
    EXPECT_NEAR(PhasenTabellen[1][10], Phi(g.GetXFeld(-1)[10]), 1e-9);
    EXPECT_NEAR(AmplitudenTabellen[0][10], F(g.GetXFeld(-1)[10]), 1e-9);
    // The graphic window's popup loads them again for the window's model.
    PhasenTabellen[1][10] = 0.0;
    EXPECT_EQ(ExafsFitVorbereiten(0, 1), 1);
    EXPECT_NEAR(PhasenTabellen[1][10], Phi(g.GetXFeld(-1)[10]), 1e-9);
    EXPECT_EQ(g.AktuellerSlot(), 1);
    // Individual E0: no ties; third cumulant: type 16.
    start(2, 1, {11, 1, 7, 1});
    ASSERT_EQ(FehlerCode, 0);
    EXPECT_EQ(g.FunktionsTypen[0], 16);
    EXPECT_EQ(CorrelationWords[4 + 4], 0);

    // 11 shells refused with a message naming the limit.
    start(11, 1);
    EXPECT_EQ(FehlerCode, 108);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_NE(boxen[0].text.find("at most 10 shells"), std::string::npos);
    EXPECT_EQ(g.AktuellerSlot(), 0);

    // A missing phase file: 108, the box of the file open.
    start(1, 1);
    ASSERT_EQ(FehlerCode, 0);
    Liste(ordner.Datei("fehlt.pha") + "," + amp + ",");
    FehlerCode = 0;
    Befehl(817, {15, -1, 1, 2, -1, -1, 1, -1, -1, 1, -1, -1, -1, 0});
    EXPECT_EQ(FehlerCode, 108);
    // No amplitude named for a shell.
    Liste(pha + ",");
    FehlerCode = 0;
    Befehl(817, {15, -1, 1, 2, -1, -1, 1, -1, -1, 1, -1, -1, -1, 0});
    EXPECT_EQ(FehlerCode, 108);
    FehlerCode = 0;
}

TEST_F(PhasenWin, RSpaceBeyondThePhaseRangeWarnsAndGoesOn)
{
    const std::string pha = Tabelle("r.pha", 4.0, 12.0, Phi), amp = Tabelle("r.amp", 4.0, 12.0, F);
    ChiKurve(2.0, 15.0, 0.05, 2.0);
    Xafs({1, 0, 5, 2.0, 15.0, 20, 2, 0, 0, 1024, -1});
    grafik_fenster& g = GrafikFenster[0];
    // The magnitude over 0-6 A as the current curve, the transform before it.
    const int t = g.AktuellerSlot();
    const int n = 150;
    for (int i = 0; i < n; ++i) {
        g.GetXFeld((t + 1) & 3)[i] = g.GetXFeld(t)[i];
        g.GetYFeld((t + 1) & 3)[i] = std::hypot(g.GetYFeld(t)[i], g.GetYFeld(t)[1024 / 2 + 1 + i]);
    }
    g.DateiInfo.PunkteProKurve[(t + 1) & 3] = n;
    g.DateiInfo.PunkteProKurve[t] = n;
    g.KurvenFlags[(t + 1) & 3] = 5;
    g.KurvenZaehler = t + 1;
    g.NeuesterZaehler = g.KurvenZaehler;
    g.SetFullBorder();
    g.AnzahlFunktionen = 1;
    g.FunktionsTypen[0] = 15;
    Liste(pha + "," + amp + ",");
    boxen.clear();
    Befehl(817, {15, -1, 1, 2, 1.5, 3.0, -1, -1, -1, 1, -1, -1, -1, 0});
    EXPECT_EQ(FehlerCode, 0);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].titel, "Caution !!");
    EXPECT_NE(boxen[0].text.find("  Phase #1 available from k = 4   to  k = 12. \r\n"), std::string::npos);
    EXPECT_EQ(g.ModellArt, 3);
    // The tables lie on chi(k) two slots back.
    EXPECT_EQ(ShellTabellenPunkte, g.DateiInfo.PunkteProKurve[(g.KurvenZaehler - 2) & 3]);
}

TEST_F(PhasenWin, KSpaceRefinementOfAnExperimentalShell)
{
    const std::string pha = Tabelle("f.pha", 2.0, 16.0, Phi), amp = Tabelle("f.amp", 2.0, 16.0, F);
    grafik_fenster& g = GrafikFenster[0];
    // chi(k) k^2 made by the model with N 12, R 2.57, sigma^2 0.004, E0 3 eV.
    ChiKurve(3.0, 14.0, 0.05, 2.0);
    g.KurvenFlags[0] = SLOT_K_FIT;
    const double wahr[4] = {N0, 2.57, 0.004, 3.0};
    g.AnzahlFunktionen = 1;
    g.FunktionsTypen[0] = 15;
    std::copy(wahr, wahr + 4, g.Parameter);
    Liste(pha + "," + amp + ",");
    Befehl(817, {15, -1, 1, 2, -1, -1, 1, -1, -1, 1, -1, -1, -1, 0});
    ASSERT_EQ(FehlerCode, 0);
    const std::vector<double> modell = Modell();
    std::copy(modell.begin(), modell.end(), g.GetYFeld(-1));
    MSG m;
    while (PeekMessageA(&m, hwnd, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {}

    // From N fixed, R 2.55, sigma^2 0, E0 0: the fit to its end.
    const double start[4] = {N0, R0, 0.0, 0.0};
    std::copy(start, start + 4, g.Parameter);
    FitParameters = g.Parameter;
    FitFunctionTypes = g.FunktionsTypen;
    FitFunctionCount = 1;
    ASSERT_EQ(ResetModelTables(), 4);
    FixParameter(0);
    Numerik.SetAnzahl(-1, MaxParameter, MaxFitParameter);
    HAUPTDATEN.MakroSchrittAktiv = 1;
    Befehl(807, {15, -1, 1, 2, -1, -1, 1, -1, -1, 1, 1, -1, -1, 0});
    ASSERT_EQ(FehlerCode, 0);
    ASSERT_TRUE(PeekMessageA(&m, hwnd, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(LOWORD(m.wParam), 507);
    for (int i = 0; i < 200; ++i) {
        HAUPTDATEN.Befehl(507, LP_PREPARED);
        while (PeekMessageA(&m, hwnd, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {}
        if (HAUPTDATEN.FitZustand != 1) break;
    }
    EXPECT_EQ(HAUPTDATEN.FitZustand, -1);
    HAUPTDATEN.Befehl(CM_FIT_CANCEL, 0);
    HAUPTDATEN.MakroSchrittAktiv = 0;
    const double tol[4] = {0.0, 1e-4, 1e-5, 1e-3};
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(g.Parameter[i], wahr[i], tol[i]) << i;
}

TEST_F(PhasenWin, PhaseCorrectedTransformPutsThePeakAtTheDistance)
{
    // sin(2 * 2.55 k + phi(k)), phi = -1 - 0.5 k, loaded as phase table 0.
    auto schale = [](double k) { return std::sin(2 * R0 * k + Phi(k)); };
    const std::string pha = Tabelle("korr.pha", 1.5, 16.0, Phi);
    auto spitze = [&](double korrektur, const std::string& liste) {
        Gitter(0, 301, 2.0, 0.04, schale);
        Liste(liste);
        Xafs({1, 0, 5, 2.5, 13.5, 20, 0, 0, 0, 1024, korrektur});
        grafik_fenster& g = GrafikFenster[0];
        EXPECT_EQ(g.KurvenFlags[g.AktuellerSlot()], 5u);
        const std::vector<double> r = X(0, g.AktuellerSlot()), re = Y(0, g.AktuellerSlot()),
                                  im = Imag(0, g.AktuellerSlot());
        size_t beste = 0;
        std::vector<double> b(r.size());
        for (size_t i = 0; i < r.size(); ++i) {
            b[i] = std::hypot(re[i], im[i]);
            if (b[i] > b[beste]) beste = i;
        }
        return std::make_pair(r[beste], b);
    };
    const double schritt = ExafsOptionen.RSchritt;
    const auto ohne = spitze(-1, "");
    EXPECT_NEAR(ohne.first, 2.30, 2 * schritt);
    const auto mit = spitze(1, pha + ",");
    EXPECT_NEAR(mit.first, R0, schritt);
    EXPECT_LE(AmplitudenTabellen[0][0], -10.0);
    // An amplitude of 1 divides by nothing: the same transform as none.
    const std::string eins = Tabelle("eins.amp", 1.5, 16.0, [](double) { return 1.0; });
    const auto mitEins = spitze(1, pha + "," + eins + ",");
    for (size_t i = 0; i < mit.second.size(); ++i) EXPECT_NEAR(mitEins.second[i], mit.second[i], 1e-9) << i;
    // A phase narrower than the data cuts nothing: the ring gains the
    // section and the transform only.
    const std::string schmal = Tabelle("schmal.pha", 4.0, 12.0, Phi);
    spitze(1, schmal + ",");
    EXPECT_EQ(GrafikFenster[0].AktuellerSlot(), 2);
    EXPECT_EQ(PhasenTabellen[0][0], 0.0);
    // A missing phase file: the transform runs uncorrected.
    const auto fehlt = spitze(1, ordner.Datei("fehlt.pha") + ",");
    EXPECT_NEAR(fehlt.first, ohne.first, 1e-12);
    FehlerCode = 0;
}

TEST_F(PhasenWin, DialogGathersTheChoices)
{
    grafik_fenster& g = GrafikFenster[0];
    // A complex curve: modified with N and R, saved under a name whose
    // folder holds a '.'; the files lie there, the name without extension.
    RueckTransform();
    const int s = g.AktuellerSlot();
    const std::string ordnerMitPunkt = ordner.Datei("my.data");
    ASSERT_TRUE(CreateDirectoryA(ordnerMitPunkt.c_str(), nullptr));
    const std::string name = ordnerMitPunkt + "\\shell.pha";
    bool zustand = false;
    const std::string makro = ordner.Datei("pa.MAK");
    ASSERT_EQ(MakroDateiAnlegen(makro), MAKRO_SATZ);
    std::snprintf(ButtonBar.MakroPfad, sizeof ButtonBar.MakroPfad, "%s", makro.c_str());
    HAUPTDATEN.MakroAufnahme = 1;
    ASSERT_TRUE(MitDialogen({[&](HWND dlg) {
                                 zustand = IsDlgButtonChecked(dlg, IDC_PA_MODIFIZIERT) &&
                                           IsDlgButtonChecked(dlg, IDC_PA_K_KANTE) &&
                                           IsWindowEnabled(GetDlgItem(dlg, IDC_PA_SPEICHERN));
                             },
                             SetzeText(IDC_PA_N, "12"), SetzeText(IDC_PA_R, "2.55"), Waehle(IDC_PA_SPEICHERN),
                             SetzeText(IDC_PA_NAME, name.c_str()),
                             [](HWND dlg) { EXPECT_TRUE(FensterFoto(dlg, "phases_amplitudes_dialog.png")); },
                             Druecke(IDOK)},
                            [&] { HAUPTDATEN.Befehl(816, 0); }));
    HAUPTDATEN.MakroAufnahme = 0;
    ButtonBar.MakroPfad[0] = '\0';
    EXPECT_TRUE(zustand);
    const double erwartet[6] = {100, 12, 2.55, -1, 100, -1};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(HAUPTDATEN.DialogWerte[i], erwartet[i]) << i;
    // The step is recorded with its six values.
    std::vector<MakroSatz> saetze;
    ASSERT_EQ(MakroDateiLesen(makro, saetze), MAKRO_SATZ);
    ASSERT_EQ(saetze.size(), 1u);
    EXPECT_EQ(saetze[0].Befehl, 816);
    EXPECT_EQ(saetze[0].Werte, std::vector<double>(erwartet, erwartet + 6));
    EXPECT_EQ(g.AktuellerSlot(), (s + 2) & 3);
    for (const char* datei : {"\\shell.par", "\\shell.amp", "\\shell.pha"})
        EXPECT_TRUE(std::ifstream(ordnerMitPunkt + datei).good()) << datei;

    // "simple" disables N and R and unchecks saving: result 1, no files.
    g.KurvenZaehler = s;
    bool gesperrt = false;
    ASSERT_TRUE(MitDialogen({Waehle(IDC_PA_SPEICHERN), Waehle(IDC_PA_EINFACH),
                             [&](HWND dlg) {
                                 gesperrt = !IsWindowEnabled(GetDlgItem(dlg, IDC_PA_N)) &&
                                            !IsDlgButtonChecked(dlg, IDC_PA_SPEICHERN);
                             },
                             Druecke(IDOK)},
                            [&] { HAUPTDATEN.Befehl(816, 0); }));
    EXPECT_TRUE(gesperrt);
    EXPECT_EQ(HAUPTDATEN.DialogWerte[0], 1.0);
    EXPECT_EQ(HAUPTDATEN.DialogWerte[4], 1.0);

    // A real curve: the kind buttons read "  Amplitude" and "  Phase",
    // saving is off; a phase at an L3 edge.
    Gitter(0, 50, 1.0, 0.2, [](double x) { return std::sin(x); });
    std::string knoepfe;
    bool speichernAus = false;
    ASSERT_TRUE(MitDialogen({[&](HWND dlg) {
                                 char t[64];
                                 GetDlgItemTextA(dlg, IDC_PA_MODIFIZIERT, t, sizeof t);
                                 knoepfe = t;
                                 GetDlgItemTextA(dlg, IDC_PA_EINFACH, t, sizeof t);
                                 knoepfe += std::string("|") + t;
                                 speichernAus = !IsWindowEnabled(GetDlgItem(dlg, IDC_PA_SPEICHERN));
                             },
                             Waehle(IDC_PA_EINFACH), Waehle(IDC_PA_L_KANTE), SetzeText(IDC_PA_N, "4"),
                             SetzeText(IDC_PA_R, "2"), Druecke(IDOK)},
                            [&] { HAUPTDATEN.Befehl(816, 0); }));
    EXPECT_EQ(knoepfe, "  Amplitude|  Phase");
    EXPECT_TRUE(speichernAus);
    EXPECT_EQ(HAUPTDATEN.DialogWerte[5], -1.0);
    EXPECT_EQ(HAUPTDATEN.DialogWerte[3], 1.0);
    ASSERT_EQ(g.AktuellerSlot(), 1);
    for (int i = 0; i < 50; i += 7) EXPECT_NEAR(Y(0, 1)[i], Y(0, 0)[i] - 4.0 * X(0, 0)[i] - 2 * PI, 1e-12) << i;

    // Cancel changes nothing.
    ASSERT_TRUE(MitDialogen({Druecke(IDCANCEL)}, [&] { HAUPTDATEN.Befehl(816, 0); }));
    EXPECT_EQ(g.AktuellerSlot(), 1);
}
