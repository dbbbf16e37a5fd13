// The commands of the Numeric menu (501-599): the frame of the handler and
// the fit command and the curve tools; the tools not built yet answer
// through NichtVerfuegbar.
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "fit/fit_run_win.h"
#include "fit/fit_contour_win.h"
#include "fit/fit_statistics_win.h"
#include "resource_ids.h"
#include "fit/numeric_tools_win.h"
#include "fit/parameter_dialogs_win.h"
#include "spectra/data_commands_win.h"
#include "spectra/spectra_globals.h"
#include "shell/shell_globals.h"

namespace {

// 519 the parameter table and a fit without dialogs; 520-523 the contour,
// the start values and the statistics of the last refinement.
void StatistikBefehl(haupt_fenster* app, int32_t befehl, int32_t fenster, LPARAM lParam)
{
    grafik_fenster& g = GrafikFenster[fenster];
    switch (befehl) {
    case 519:
        // Only point-by-point models; the others have their own tables.
        if (g.ModellArt != 0 || lParam == LP_PREPARED) return;
        FitModellLaden(g);
        if (ParameterTabelle(app) == 0) return;
        Numerik.SetFunction(app->ModellCallback ? app->ModellCallback : ModellFunktion);
        PostMessageA(app->Hauptfenster, WM_COMMAND, 507, LP_PREPARED);
        return;
    case 520:
        // The dialog waits for a person; a replay stops here.
        if (lParam == LP_PREPARED)
            FehlerCode = 1000;
        else
            FitKontur(app, fenster);
        return;
    case 521: ParameterWiederherstellen(app, fenster); return;
    case 522: AutoFTest(app, fenster); return;
    case 523: KonfidenzGrenzen(app, fenster); return;
    default: return;
    }
}

}  // namespace

// Each handler begins with the common prologue; the Numeric one keeps
// DialogWerte, which the commands that post a prepared fit leave there.
void NumerikBefehl(haupt_fenster* app)
{
    const int32_t befehl = app->Meldungsblock.Befehl;
    const LPARAM lParam = app->Meldungsblock.lParam;
    const int32_t fenster = BefehlsFenster(app, false);
    if (befehl == 506) {
        if (fenster < 0)
            FehlerCode = 111;
        else
            app->FourierTransformation();
        return;
    }
    if (befehl >= 519 && befehl <= 523) {
        if (fenster < 0) {
            FehlerCode = 111;
            return;
        }
        StatistikBefehl(app, befehl, fenster, lParam);
        return;
    }
    if (befehl != 507 && !NumerikWerkzeugGebaut(befehl)) {
        NichtVerfuegbar(befehl);
        return;
    }
    if (fenster < 0) {
        FehlerCode = 111;
        return;
    }
    if (NumerikWerkzeug(app, befehl, fenster, lParam)) return;
    FitModellArt = GrafikFenster[fenster].ModellArt;
    FitBefehl(app, fenster, lParam);
}

int32_t ParameterDialog(haupt_fenster* app) { return ParameterTabelle(app); }
