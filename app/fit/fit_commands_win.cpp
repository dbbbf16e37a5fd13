// The commands of the Numeric menu (501-599), the fit's dialogs and the
// model callback: answered through NichtVerfuegbar until the fitting
// subsystem is built here. The model switches and the model's range below
// are its plain services that the graphic windows use already.
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "fit/parameter_dialogs_win.h"
#include "spectra/data_commands_win.h"

// Each handler begins with the common prologue; the Numeric one keeps
// DialogWerte.
void NumerikBefehl(haupt_fenster* app)
{
    BefehlsFenster(app, false);
    NichtVerfuegbar(app->Meldungsblock.Befehl);
}

void WriteResultsReport(char*, int32_t, int32_t, int32_t, int32_t) {}

int32_t ParameterDialog(haupt_fenster* app) { return ParameterTabelle(app); }

int32_t AendernDialogOeffnen()
{
    NichtVerfuegbar(HAUPTDATEN.Meldungsblock.Befehl);
    return 0;
}
