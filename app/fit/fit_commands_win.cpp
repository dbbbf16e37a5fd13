// The commands of the Numeric menu (501-599), the fit's dialogs and the
// model callback: answered through NichtVerfuegbar until the fitting
// subsystem is built here. The model switches and the model's range below
// are its plain services that the graphic windows use already.
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "spectra/data_commands_win.h"

// Each handler begins with the common prologue; the Numeric one keeps
// DialogWerte.
void NumerikBefehl(haupt_fenster* app)
{
    BefehlsFenster(app, false);
    NichtVerfuegbar(app->Meldungsblock.Befehl);
}

void WriteResultsReport(char*, int32_t, int32_t, int32_t, int32_t) {}

int32_t ParameterDialog(haupt_fenster* app)
{
    NichtVerfuegbar(app->Meldungsblock.Befehl, "The parameter dialog");
    return 0;
}

int32_t AendernDialogOeffnen()
{
    NichtVerfuegbar(HAUPTDATEN.Meldungsblock.Befehl);
    return 0;
}

void SaveParameterFile() { NichtVerfuegbar(171); }
void LoadParameterFile(int32_t, HWND) { NichtVerfuegbar(187); }

bool ModellAuswertungGebaut = false;

bool ModellVerfuegbar()
{
    return ModellAuswertungGebaut ||
           (HAUPTDATEN.ModellCallback && HAUPTDATEN.ModellCallback != ModellFunktion);
}

double ModellFunktion(double, double, double* xs, double* ys, int32_t n)
{
    if (xs && ys)
        for (int32_t i = 0; i < n; ++i) ys[i] = 0.0;
    return 0.0;
}

int32_t SetFunktionFlag(int32_t n, int32_t modus)
{
    if (!FitFunctionTypes) return 1;
    for (int32_t j = 0; j < FitFunctionCount; ++j) {
        int32_t& t = FitFunctionTypes[j];
        const bool markiert = t > 100;
        bool soll = markiert;
        if (n == 0) soll = false;
        else if (modus == 1) soll = (j + 1 != n);
        else if (modus == 2 && j + 1 == n) soll = true;
        if (soll && !markiert) t += 100;
        if (!soll && markiert) t -= 100;
    }
    return 1;
}

void GetModellMinMax(double* minimum, double* maximum, double xUnten, double xOben)
{
    double lo = 1e30, hi = -1e30;
    const int32_t schritte = 500;
    ::ModellCallback modell = HAUPTDATEN.ModellCallback ? HAUPTDATEN.ModellCallback : ModellFunktion;
    auto abtasten = [&]() {
        for (int32_t i = 0; i <= schritte; ++i) {
            const double x = xUnten + (xOben - xUnten) * i / schritte;
            const double y = modell(x, i, nullptr, nullptr, 0);
            if (y < lo) lo = y;
            if (y > hi) hi = y;
        }
    };
    abtasten();
    if (FitFunctionCount > 1) {
        for (int32_t j = 1; j <= FitFunctionCount; ++j) {
            SetFunktionFlag(j, 1);
            abtasten();
        }
        SetFunktionFlag(0, 0);
    }
    if (minimum) *minimum = lo;
    if (maximum) *maximum = hi;
}
