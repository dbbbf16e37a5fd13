// The commands of the XRD menu (901-999): the common prologue and tail, the
// peak search with its list, the conversion to 2 sin(theta)/lambda, the
// background and normalisation and the options. The parts that are not
// built yet answer through NichtVerfuegbar.
#include <cstdio>
#include <cstring>
#include <string>

#include "fit/fit_model.h"
#include "resource_ids.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "shell/macro_bar.h"
#include "shell/shell_globals.h"
#include "spectra/spectra_globals.h"
#include "xas/xas_commands_win.h"
#include "xrd/xrd_commands.h"
#include "xrd/xrd_commands_win.h"
#include "xrd/peak_search_dialog_win.h"
#include "xrd/kinetics_win.h"
#include "xrd/xrd_peak_search.h"
#include "xrd/xrd_fourier_synthesis.h"
#include "xrd/xrd_fourier_synthesis_win.h"
#include "xrd/xrd_stokes_win.h"
#include "xrd/xrd_structure_fit_win.h"

namespace {

const int32_t FEHLER_KEIN_FENSTER = 111;
const int32_t FEHLER_MAKRO = 1000;
const int32_t CM_HISTORIE = 2003;
const int32_t HILFE_WELLENLAENGE = 9;
const char* const X_BEUGUNG = "diffraction angle 2^q [~o]";
const char* const Y_INTENSITAET = "intensity [a.u.]";

double PeakGrenze = 0.0;

// One line of the command history: "--: file" and the text, to the results
// window unless a series runs.
void Historie(haupt_fenster* app, const grafik_fenster& g, const std::string& zeile)
{
    if (!CommandText) return;
    std::snprintf(CommandText, COMMAND_TEXT_BYTES, "--: %s%s", g.DateiInfo.DateiName, zeile.c_str());
    HWND ergebnis = app->KindFenster[KIND_ERGEBNIS];
    if (RedrawPerMessage == 1 && ergebnis) SendMessageA(ergebnis, WM_COMMAND, CM_HISTORIE, 0);
}

// A refusal in the system's words; while the values are prepared the
// replay stops at this step.
void Ablehnen(haupt_fenster* app, bool vorbereitet, const char* text)
{
    MeldungsBox(app->Hauptfenster, text, "Caution !!", MB_OK | MB_ICONEXCLAMATION);
    if (vorbereitet) FehlerCode = FEHLER_MAKRO;
}

// 906: asks for lambda (or takes DialogWerte[0] from the player), copies the
// curve into the next slot and converts its x.
bool SinusUeberLambda(haupt_fenster* app, grafik_fenster& g, bool vorbereitet)
{
    const double alt = app->Roentgenwellenlaenge;
    if (vorbereitet) {
        app->Roentgenwellenlaenge = app->DialogWerte[0];
    } else {
        HilfeThema = HILFE_WELLENLAENGE;
        const INT_PTR r = PolyGradDialogOeffnen(app->Hauptfenster);
        HilfeThema = 0;
        if (r <= 0) return false;
    }
    const double lambda = app->Roentgenwellenlaenge;
    if (!(lambda > 0.0)) {
        app->Roentgenwellenlaenge = alt;
        Ablehnen(app, vorbereitet, "The wavelength must be larger than 0 pm.");
        return false;
    }
    // The macro record keeps lambda, so that a replay converts with it.
    app->DialogWerte[0] = lambda;
    if (g.CutSection(0, 0.0, 0.0, 0) <= 0) return false;
    XrdSinusUeberLambda(g.GetXFeld(-1), g.Punkte(), lambda);
    char zeile[200];
    std::snprintf(zeile, sizeof zeile, " --XRD  2 sin(theta)/lambda   lambda = %G pm\r\n", lambda);
    Historie(app, g, zeile);
    if (app->MakroAufnahme) ButtonBar.MakroRecord(906, 5, 0);
    g.SetFullBorder();
    return true;
}

// 911: background and normalisation in place.
bool Normieren(haupt_fenster* app, grafik_fenster& g, bool vorbereitet)
{
    if (!XrdUntergrundNormierung(g.GetYFeld(-1), g.Punkte())) {
        Ablehnen(app, vorbereitet,
                 "The curve is flat (or holds invalid values):\r\nit cannot be normalised.");
        return false;
    }
    Historie(app, g, " --XRD  background and normalisation to 0 ... 1\r\n");
    if (app->MakroAufnahme) ButtonBar.MakroRecord(911, 5, 0);
    g.SetFullBorder();
    return true;
}

// 904 with the values of the player: search, list, axis texts.
bool PeakSuche(haupt_fenster* app, grafik_fenster& g, bool vorbereitet)
{
    double* dw = app->DialogWerte;
    if (g.Punkte() < PEAK_SUCHE_MINDESTPUNKTE) {
        Ablehnen(app, vorbereitet, "The peak search needs a curve of at least 5 points.");
        return false;
    }
    if (!vorbereitet) {
        // The dialog searched; its model stands in the window.
        if (PeakSucheDialog(app->Hauptfenster) != 1) return false;
        if (app->MakroAufnahme) ButtonBar.MakroRecord(904, 6, -1);
    }
    const int32_t profil = static_cast<int32_t>(dw[5] + 0.2);
    const double lambda = dw[0], grenze = dw[1];
    if (vorbereitet) {
        if (PeakStride(profil) == 0 || !(lambda > 0.0) || !(grenze > 0.0) || grenze > 100.0) {
            Ablehnen(app, vorbereitet,
                     "The peak search needs a wavelength above 0 pm, a detection limit\r\n"
                     "above 0 and up to 100 % and a profile (0, 1 or 2).");
            return false;
        }
        if (XrdPeakSearchRun(profil, grenze) < 0) {
            Ablehnen(app, vorbereitet, "The peak search cannot run on this curve.");
            return false;
        }
    }
    const int32_t m = static_cast<int32_t>(dw[2] + 0.2);
    XrdPeakList(profil, lambda, m, 0);
    const int32_t s = g.AktuellerSlot();
    std::snprintf(g.XText[s], GRAFIK_TEXT, "%s", X_BEUGUNG);
    std::snprintf(g.YText[s], GRAFIK_TEXT, "%s", Y_INTENSITAET);
    g.SetFullBorder();
    return true;
}

// 903: the coefficients from the dialog; the window then shows the cosine
// series (type 51) over -L/2 ... L/2 instead of its data.
void Synthese(haupt_fenster* app, grafik_fenster& g, int32_t fenster)
{
    if (FourierSyntheseDialog(app->Hauptfenster) != 1) return;
    if (app->MakroAufnahme) SendMessageA(app->KindFenster[KIND_BUTTONLEISTE], WM_COMMAND, 12, 0);
    g.AnzahlFunktionen = 1;
    g.FunktionsTypen[0] = 51;
    FitFunctionCount = 1;
    g.ZeigeFunktion = 1;
    g.ZeigeDaten = 0;
    CheckMenuItem(app->Hauptmenue, 19, MF_BYCOMMAND | MF_CHECKED);
    CheckMenuItem(app->Hauptmenue, 45, MF_BYCOMMAND | MF_UNCHECKED);
    g.Grenzen[0] = FourierPeriode / 2.0;
    g.Grenzen[1] = -FourierPeriode / 2.0;
    char zeile[160];
    std::snprintf(zeile, sizeof zeile, " --XRD  Fourier synthesis, %d coefficients, L = %G, f(0) = %G\r\n",
                  static_cast<int>(FourierOrdnung), FourierPeriode, SyntheseF0);
    Historie(app, g, zeile);
    UpdateFensterStatus();
    PostMessageA(app->GrafikHandles[fenster], WM_COMMAND, CM_REDRAW, 0);
}

}  // namespace

double XrdPeakGrenze() { return PeakGrenze; }

int32_t XrdPeakSearchRun(int32_t profile, double limit)
{
    PeakGrenze = 0.0;
    if (PeakStride(profile) == 0 || !(limit > 0.0) || limit > 100.0) return -1;
    const int32_t w = AktivesFenster;
    if (w < 0 || w > 3) return -1;
    grafik_fenster& g = GrafikFenster[w];
    if (g.Punkte() < PEAK_SUCHE_MINDESTPUNKTE) return -1;
    PeakFund fund;
    const int32_t k = FindPeaks(Numerik, profile, g.GetXFeld(-1), g.GetYFeld(-1), g.Punkte(), limit, fund);
    g.AnzahlFunktionen = FitFunctionCount;
    g.PolyGrad = FitPolyDegree;
    if (fund.begrenzt) PeakGrenze = fund.grenze;
    return k;
}

int32_t XrdPeakList(int32_t profile, double lambda, int32_t modus, int32_t flag)
{
    const int32_t s = PeakStride(profile);
    if (s == 0) return 0;
    haupt_fenster& app = HAUPTDATEN;
    app.DialogWerte[0] = lambda;
    app.Roentgenwellenlaenge = lambda;
    if (AktivesFenster >= 0 && AktivesFenster < 4) GrafikFenster[AktivesFenster].ZeigeFunktion = 1;
    XrdPeakTabelle(s, lambda, CommandArgs, WORK_DOUBLES);  // CommandArgs holds as many
    WriteResultsReport(CommandText, 901, modus, 0, flag);
    if (PeakGrenze > 0.0 && CommandText) {
        const std::size_t n = std::strlen(CommandText);
        std::snprintf(CommandText + n, COMMAND_TEXT_BYTES - n,
                      " (limit) the model holds no more peaks: lines beyond 2theta = %.5G were left out\r\n",
                      PeakGrenze);
    }
    return 1;
}

void XrdBefehl(haupt_fenster* app)
{
    const int32_t id = app->Meldungsblock.Befehl;
    const bool vorbereitet = app->Meldungsblock.lParam == LP_PREPARED;
    const int32_t fenster = BefehlsFenster(app, true);
    // The kinetic analysis reads its own curves: no window needed.
    if (id == 914) {
        IsoconvAnalyse(app, vorbereitet);
        return;
    }
    if (fenster < 0) {
        FehlerCode = FEHLER_KEIN_FENSTER;
        return;
    }
    grafik_fenster& g = GrafikFenster[fenster];
    switch (id) {
    case 904:
        if (!PeakSuche(app, g, vorbereitet)) return;
        break;
    case 903:
        // The synthesis dialog waits for a person: no replay step.
        if (vorbereitet) {
            NichtVerfuegbar(id, "The synthesis dialog during a replay");
            return;
        }
        Synthese(app, g, fenster);
        return;
    case 905:
        if (StokesDeconvolution(vorbereitet ? -1 : (app->MakroAufnahme ? 0 : 1)) == 2) {
            Historie(app, g, std::string(" --XRD  Stokes deconvolution, instrument ") + StokesInstrument() + "\r\n");
            if (app->MakroAufnahme) ButtonBar.MakroRecord(905, 5, 0);
        }
        g.SetFullBorder();
        break;
    case 906:
        if (!SinusUeberLambda(app, g, vorbereitet)) return;
        break;
    case 911:
        if (!Normieren(app, g, vorbereitet)) return;
        break;
    case 915:
        // The structure fit's dialog waits for a person: no replay step.
        if (vorbereitet) {
            NichtVerfuegbar(id, "The structure fit's dialog during a replay");
            return;
        }
        g.SetFullBorder();
        XrdStructureFit(1);
        break;
    case 913:
        KinetikRechner(app, fenster, vorbereitet);
        return;
    case 912:
        // A dialog that waits for a person has no place in a replay.
        if (vorbereitet) NichtVerfuegbar(id, "The options dialog during a replay");
        else XrdOptionenDialog(app->Hauptfenster);
        return;
    default:  // 901, 902, 907-910 and the rest of the range: the prologue only
        break;
    }
    if (!vorbereitet) PostMessageA(app->GrafikHandles[fenster], WM_COMMAND, CM_REDRAW, 0);
    UpdateFensterStatus();
}
