// Command handlers and callbacks of the analysis subsystems, answered until
// those subsystems are built: the commands say plainly that they are not
// available, the model callbacks evaluate nothing, the fit report is empty.
#include "shell/befehle.h"
#include "shell/haupt_fenster.h"

// Each handler begins with the common prologue; the Numeric one keeps
// DialogWerte.
void NumerikBefehl(haupt_fenster* app)
{
    BefehlsFenster(app, false);
    BefehlNichtVerfuegbar(app, "Numeric");
}
void EditBefehl(haupt_fenster* app)
{
    BefehlsFenster(app, true);
    BefehlNichtVerfuegbar(app, "Edit");
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

double ModellFunktion(double, double, double* xs, double* ys, int32_t n)
{
    if (xs && ys)
        for (int32_t i = 0; i < n; ++i) ys[i] = 0.0;
    return 0.0;
}

double ExafsFitProzedur(int32_t, int32_t, double*, double*, double*, double*, double*, double*)
{
    return 0.0;
}
