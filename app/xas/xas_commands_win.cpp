// The commands of the XAFS menu (801-899), the chi-square callback of
// EXAFS fits and the section and polynomial dialogs: answered through
// NichtVerfuegbar until the XAS subsystem is built here.
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "spectra/data_commands_win.h"

void XafsBefehl(haupt_fenster* app)
{
    BefehlsFenster(app, true);
    NichtVerfuegbar(app->Meldungsblock.Befehl);
}

double ExafsFitProzedur(int32_t, int32_t, double*, double*, double*, double*, double*, double*)
{
    return 0.0;
}

int32_t SektionsDialog(int32_t befehl)
{
    NichtVerfuegbar(befehl, "The section dialog");
    return 0;
}

int32_t PolynomGradDialog()
{
    NichtVerfuegbar(HAUPTDATEN.Meldungsblock.Befehl, "The polynomial degree dialog");
    return 0;
}
