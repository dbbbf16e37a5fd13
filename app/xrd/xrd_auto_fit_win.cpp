// The "Fit" of the peak search on the active window: the automatic peak fit
// of xrd_auto_fit_core.cpp on its current curve and model, with the lines
// appended to "XRD_fit.dat" in the data folder.
#include <cstdio>
#include <string>

#include "fit/fit_model.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/spectra_globals.h"
#include "xrd/xrd_auto_fit.h"

int32_t XrdAutoPeakFit(int32_t)
{
    if (CommandText) CommandText[0] = '\0';
    if (AktivesFenster < 0 || AktivesFenster > 3) return 0;
    grafik_fenster& g = GrafikFenster[AktivesFenster];
    AutoFitLauf lauf;
    lauf.Numerik = &Numerik;
    lauf.Modell = HAUPTDATEN.ModellCallback;
    lauf.X = g.GetXFeld(-1);
    lauf.Y = g.GetYFeld(-1);
    lauf.N = g.Punkte();
    AutoFitErgebnis e;
    if (!XrdAutoPeakFitKern(lauf, e)) {
        if (CommandText)
            std::snprintf(CommandText, COMMAND_TEXT_BYTES, "The automatic peak fit needs the model of a peak search.\r\n");
        return 0;
    }
    std::string ordner = HAUPTDATEN.DatenOrdner ? HAUPTDATEN.DatenOrdner : "";
    if (!ordner.empty() && ordner.back() != '\\' && ordner.back() != '/') ordner += '\\';
    // Without the file the fit and its listing still stand.
    if (std::FILE* f = std::fopen((ordner + "XRD_fit.dat").c_str(), "a")) {
        std::fputs(e.Datei.c_str(), f);
        std::fclose(f);
    }
    if (CommandText) std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", e.Liste.c_str());
    g.AnzahlFunktionen = FitFunctionCount;
    g.PolyGrad = FitPolyDegree;
    return 1;
}
