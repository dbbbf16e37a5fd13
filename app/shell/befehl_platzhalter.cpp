// Command handlers and callbacks of the analysis subsystems, answered until
// those subsystems are built: the commands say plainly that they are not
// available, the chi-square callback evaluates nothing, the fit report is
// empty.
#include "shell/befehle.h"
#include "shell/haupt_fenster.h"

// Each handler begins with the common prologue; the Numeric one keeps
// DialogWerte.
void NumerikBefehl(haupt_fenster* app)
{
    BefehlsFenster(app, false);
    BefehlNichtVerfuegbar(app, "Numeric");
}
void XafsBefehl(haupt_fenster* app)
{
    BefehlsFenster(app, true);
    BefehlNichtVerfuegbar(app, "XAFS");
}
void XrdBefehl(haupt_fenster* app)
{
    BefehlsFenster(app, true);
    BefehlNichtVerfuegbar(app, "XRD");
}

void WriteResultsReport(char*, int32_t, int32_t, int32_t, int32_t) {}

int32_t ParameterDialog(haupt_fenster* app)
{
    BefehlNichtVerfuegbar(app, "Parameter");
    return 0;
}

double ExafsFitProzedur(int32_t, int32_t, double*, double*, double*, double*, double*, double*)
{
    return 0.0;
}
