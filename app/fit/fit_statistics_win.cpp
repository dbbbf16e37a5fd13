// The statistics commands on the target window: they hand the window's
// current curve and model to the plain code (fit_statistics_core.cpp), keep
// the progress window up to date and write the text to the results window.
#include "fit/fit_statistics_win.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "fit/fit_model.h"
#include "fit/fit_run.h"
#include "fit/fit_run_win.h"
#include "fit/fit_statistics.h"
#include "fit/xafs_table.h"
#include "resource_ids.h"
#include "shell/haupt_fenster.h"
#include "shell/progress_window_win.h"
#include "shell/shell_globals.h"
#include "spectra/spectra_globals.h"
#include "xas/feff_path.h"
#include "xas/model_fft.h"

namespace {

const int32_t CM_HISTORIE = 2003;

// The window's model, the numerics object and the tables must be those of
// a fit: otherwise a box says so and nothing runs.
bool Bereit(haupt_fenster* app, grafik_fenster& g)
{
    if (!g.Parameter || !g.FunktionsTypen || !ParameterFlags || !FreeParameterList || !CorrelationWords) return false;
    FitModellLaden(g);
    const int32_t n = CheckWorkingModelSize();
    const int32_t punkte = g.Punkte();
    if (n >= 1 && MaxParameter == n - 1 && Numerik.function && Numerik.xField && Numerik.yField &&
        Numerik.difference && punkte >= 3 && Numerik.anzahl == punkte)
        return true;
    MeldungsBox(app->Hauptfenster,
                "Please fit the model of this window first: the statistics work on its last refinement.",
                "Sorry!", MB_OK | MB_ICONINFORMATION);
    return false;
}

}  // namespace

NACHFIT_AUFBAU NachfitAufbau(haupt_fenster* app, grafik_fenster& g)
{
    NACHFIT_AUFBAU a;
    a.Numerik = &Numerik;
    a.Punkte = g.Punkte();
    a.KurvenFlags = g.KurvenFlags[g.AktuellerSlot()];
    a.ExafsProzedur = app->ChiQuadratCallback;
    a.FensterModellArt = &g.ModellArt;
    // A transform fitted in R space: the residual takes both halves, the
    // weighted differences of the magnitudes and of the imaginary parts.
    const size_t n = a.Punkte > 0 ? static_cast<size_t>(a.Punkte) : 0;
    if ((a.KurvenFlags & NACHFIT_KOMPLEX) && n > 0 && FitGewichte.size() >= n && FitImagDaten.size() >= n &&
        FitImagModell.size() >= n) {
        a.Gewichte = FitGewichte.data();
        a.ImagDaten = FitImagDaten.data();
        a.ImagModell = FitImagModell.data();
    }
    return a;
}

namespace {

void Fortschritt(const char* text, double gesamt)
{
    ProgressWindow.Unten = 0.0;
    ProgressWindow.Oben = gesamt;
    ProgressWindow.Aktuell = 0.0;
    std::snprintf(ProgressWindow.Text, sizeof ProgressWindow.Text, "%s", text);
    ProgressWindow.SetProgress();
}

void FortschrittEnde(haupt_fenster* app)
{
    std::snprintf(ProgressWindow.Text, sizeof ProgressWindow.Text, "%s", PROGRESS_VORGABE_TEXT);
    if (HWND p = app->KindFenster[KIND_PROGRESS]) SendMessageA(p, WM_COMMAND, 37, -1);
}

void Schritt(int32_t k)
{
    ProgressWindow.Aktuell = k;
    ProgressWindow.SetProgress();
}

void Melden(haupt_fenster* app, const std::string& text)
{
    if (!CommandText) return;
    std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", text.c_str());
    HWND e = app->KindFenster[KIND_ERGEBNIS];
    if (RedrawPerMessage != 0 && e) SendMessageA(e, WM_COMMAND, CM_HISTORIE, 0);
}

void Ergebnis(haupt_fenster* app, const NACHFIT_STAND& s)
{
    app->FitRFaktor = s.RFaktor;
    app->FitChi2 = s.Chi2;
    app->FitIterationen = s.Iterationen;
}

}  // namespace

void AutoFTest(haupt_fenster* app, int32_t fenster)
{
    if (fenster < 0 || fenster > 3) return;
    grafik_fenster& g = GrafikFenster[fenster];
    if (!Bereit(app, g)) return;
    Fortschritt("Performing Automated F-Test!", MaxFitParameter + 1);
    const FTEST_ERGEBNIS e = AutoFTestKern(
        NachfitAufbau(app, g), DeltaRModus,
        [](int32_t k) { return k >= 1 && k < FEFF_PFADE ? FeffPfade[k].Reff : 0.0; }, Schritt);
    FitVarianzAlt = e.VarianzAlt;
    FitVarianzNeu = e.VarianzNeu;
    Ergebnis(app, e.Letzter);
    FortschrittEnde(app);
    Melden(app, AutoFTestText(e));
}

void KonfidenzGrenzen(haupt_fenster* app, int32_t fenster)
{
    if (fenster < 0 || fenster > 3) return;
    grafik_fenster& g = GrafikFenster[fenster];
    if (!Bereit(app, g)) return;
    Fortschritt("Calculate Confidence Limits!", MaxFitParameter + 1);
    // The EXAFS procedure's own mode stays off during the search.
    const int32_t modus = ExafsProzedurModus;
    ExafsProzedurModus = -1;
    double c = app->KonfidenzNiveau;
    if (!(c >= 0.0 && c <= 1.0)) c = 0.95;
    const KONFIDENZ_ERGEBNIS e = KonfidenzKern(NachfitAufbau(app, g), c, Schritt);
    ExafsProzedurModus = modus;
    Ergebnis(app, e.Letzter);
    FortschrittEnde(app);
    Melden(app, KonfidenzText(e, c));
    if (g.hWnd) PostMessageA(g.hWnd, WM_COMMAND, CM_REDRAW, 0);
}

void ParameterWiederherstellen(haupt_fenster*, int32_t fenster)
{
    if (fenster < 0 || fenster > 3) return;
    grafik_fenster& g = GrafikFenster[fenster];
    if (!g.FunktionsTypen || !FitStartWerte) return;
    const int32_t n = CheckModelSize(g.AnzahlFunktionen, g.FunktionsTypen, g.PolyGrad, SplineKnotCount);
    if (!StartwerteFuer(fenster, g.Parameter, n)) return;
    FitGestartet = 0;
    std::memcpy(g.Parameter, FitStartWerte, sizeof(double) * static_cast<std::size_t>(n));
    if (g.hWnd) PostMessageA(g.hWnd, WM_COMMAND, CM_REDRAW, 0);
    UpdateFensterStatus();
}

bool LetzteVerfeinerungBereit(haupt_fenster* app, grafik_fenster& g) { return Bereit(app, g); }
