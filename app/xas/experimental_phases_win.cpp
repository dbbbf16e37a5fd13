// The experimental phases and amplitudes of the EXAFS set-up on the
// program's objects: the files named in CommandText2 read, the fitted
// data cut to the phases' range in k space, the tables of each shell on
// the data grid (PhasenTabellen, AmplitudenTabellen) and the start values
// from the reference shells.
#include "xas/experimental_phases_win.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "fit/exafs_terms.h"
#include "fit/fit_model.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/file_commands_win.h"
#include "spectra/spectra_globals.h"
#include "xas/exafs_fit.h"
#include "xas/experimental_phases.h"

namespace {

const int32_t FEHLER_WERTE = 108;
// The tables the shell allocates at start: 0 and 1 with 35,000 values,
// the others with 2,000; each grows to the data it holds.
const size_t TABELLE_GROSS = 35000, TABELLE_KLEIN = 2000;
// An amplitude table whose first value is -10 or less counts as none.
const double KEINE_AMPLITUDE = -100.0;

std::vector<double> PhasenSpeicher[SHELL_TABLES];
std::vector<double> AmplitudenSpeicher[SHELL_TABLES];

void TabellenBereitstellen(int32_t schalen, int32_t punkte)
{
    for (int32_t i = 0; i < schalen && i < SHELL_TABLES; ++i) {
        const size_t groesse = std::max<size_t>(static_cast<size_t>(punkte) + 5, i < 2 ? TABELLE_GROSS : TABELLE_KLEIN);
        PhasenSpeicher[i].assign(groesse, 0.0);
        AmplitudenSpeicher[i].assign(groesse, 0.0);
        PhasenTabellen[i] = PhasenSpeicher[i].data();
        AmplitudenTabellen[i] = AmplitudenSpeicher[i].data();
    }
}

int32_t Fehler()
{
    FehlerCode = FEHLER_WERTE;
    return 0;
}

int32_t Slot(const grafik_fenster& g, int32_t zurueck) { return (g.KurvenZaehler - zurueck) & 3; }

bool Lesen(const std::string& pfad, PHASEN_KURVE* kurve)
{
    DateiInfo info;
    DateiInfoLeeren(&info);
    if (!OeffneDateiGeprueft(pfad.c_str(), &info)) return false;
    return PhasenKurveLesen(pfad, kurve) == PHASE_OK;
}

}  // namespace

int32_t SchalenPhasenLaden(grafik_fenster& g, int32_t schalen, int32_t art, SCHALEN_REFERENZ* referenz)
{
    if (schalen < 1 || schalen > EXAFS_MAX_SCHALEN || !CommandText2) return Fehler();
    const bool rRaum = art == SCHALEN_R_RAUM;
    std::vector<PHASEN_KURVE> phasen(schalen), amplituden(schalen);
    std::vector<std::string> namen(schalen);
    for (int32_t i = 0; i < schalen; ++i) {
        std::string amplitude;
        SchalenDateien(CommandText2, schalen, i, &namen[i], &amplitude);
        if (namen[i].empty() || (amplitude.empty() && art != SCHALEN_TRANSFORM)) return Fehler();
        if (!Lesen(namen[i], &phasen[i])) return Fehler();
        if (!amplitude.empty() && !Lesen(amplitude, &amplituden[i])) return Fehler();
    }

    // The data against each phase's range: in R space chi(k) two slots
    // back is only checked; in k space the current curve is cut to it. The
    // transform cuts nothing (its previews must leave the window's slots
    // alone): points beyond the phase get phase 0, which the corrected
    // transform sets to zero.
    for (int32_t i = 0; i < schalen && art != SCHALEN_TRANSFORM; ++i) {
        double lo, hi;
        PhasenBereich(phasen[i], &lo, &hi);
        if (rRaum) {
            const int32_t s = Slot(g, 2);
            const int32_t m = g.DateiInfo.PunkteProKurve[s];
            if (m < 2) return Fehler();
            if (g.XFeld[s][0] < lo || g.XFeld[s][m - 1] > hi) {
                char text[400];
                std::snprintf(text, sizeof text,
                              "The CHI(k) exceeds the range of the choosen phases.\r\n"
                              "  Phase #%d available from k = %.3G   to  k = %.3G. \r\n"
                              "       Fit or simulation in R space might be distorted. ",
                              i + 1, phasen[i].k.front(), phasen[i].k.back());
                MeldungsBox(HAUPTDATEN.Hauptfenster, text, "Caution !!", MB_OK | MB_ICONEXCLAMATION);
            }
            continue;
        }
        const int32_t m = g.Punkte();
        const double* x = g.GetXFeld(-1);
        if (m < 2) return Fehler();
        if (x[0] < lo || x[m - 1] > hi) {
            double a, b;
            PhasenSchnitt(phasen[i], &a, &b);
            if (g.CutSection(1, a, b, 0) < 3) return Fehler();
            g.KurvenFlags[g.AktuellerSlot()] |= SLOT_K_FIT;
        }
    }

    // Every table on the grid of the data that the model is evaluated on.
    const int32_t slot = rRaum ? Slot(g, 2) : g.AktuellerSlot();
    const int32_t m = g.DateiInfo.PunkteProKurve[slot];
    if (m < 3 || m > g.FeldGroesse()) return Fehler();
    TabellenBereitstellen(schalen, m);
    for (int32_t i = 0; i < schalen; ++i) {
        PhaseAufGitter(Numerik, phasen[i], g.XFeld[slot], m, PhasenTabellen[i]);
        if (amplituden[i].Punkte() > 0) PhaseAufGitter(Numerik, amplituden[i], g.XFeld[slot], m, AmplitudenTabellen[i]);
        else AmplitudenTabellen[i][0] = KEINE_AMPLITUDE;
        if (referenz) ReferenzSchaleLesen(ReferenzDateiName(namen[i]), &referenz[i].N, &referenz[i].R);
    }
    ShellTabellenPunkte = m;
    return 1;
}

void SchalenStartWerte(int32_t schalen, const SCHALEN_REFERENZ* referenz, bool behalten)
{
    for (int32_t f = 0; f < schalen && f < FitFunctionCount; ++f) {
        const int32_t q = ParameterIndex(f + 1, 0);
        if (q < 0) continue;
        double* a = FitParameters + q;
        const int32_t n = FunctionParameterCount(FitFunctionTypes[f], FitPolyDegree, SplineKnotCount);
        if (behalten) {
            SchalenWerteBereinigen(a);
            continue;
        }
        a[0] = referenz[f].N;
        a[1] = referenz[f].R;
        for (int32_t j = 2; j < n; ++j) a[j] = 0.0;
    }
}
