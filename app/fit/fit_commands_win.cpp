// The commands of the Numeric menu (501-599): the frame of the handler and
// the fit command and the curve tools; the tools not built yet answer
// through NichtVerfuegbar.
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "fit/fit_run_win.h"
#include "fit/numeric_tools_win.h"
#include "fit/parameter_dialogs_win.h"
#include "spectra/data_commands_win.h"
#include "spectra/spectra_globals.h"

// Each handler begins with the common prologue; the Numeric one keeps
// DialogWerte, which the commands that post a prepared fit leave there.
void NumerikBefehl(haupt_fenster* app)
{
    const int32_t befehl = app->Meldungsblock.Befehl;
    const LPARAM lParam = app->Meldungsblock.lParam;
    const int32_t fenster = BefehlsFenster(app, false);
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
