// File dialogs around the ".par" writer and reader.
#include "fit/parameter_file_win.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "fit/fit_model.h"
#include "fit/parameter_file.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/spectra_globals.h"

PARAMETER_DATEIDIALOG ParameterOeffnenDialog = GetOpenFileNameA;
PARAMETER_DATEIDIALOG ParameterSpeichernDialog = GetSaveFileNameA;

namespace {

const int32_t NAMEN_BYTES = 2000;

grafik_fenster* Aktives()
{
    const int32_t w = AktivesFenster;
    return w >= 0 && w < 4 && HAUPTDATEN.GrafikHandles[w] ? &GrafikFenster[w] : nullptr;
}

bool Dateiname(HWND besitzer, bool speichern, char* name)
{
    std::strcpy(name, "*.par");
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = besitzer;
    ofn.lpstrFilter = "Parameter (*.par)\0*.par\0";
    ofn.lpstrFile = name;
    ofn.nMaxFile = NAMEN_BYTES;
    ofn.lpstrDefExt = "par";
    ofn.Flags = speichern ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    return (speichern ? ParameterSpeichernDialog : ParameterOeffnenDialog)(&ofn) != FALSE;
}

// The working model is the window's.
void ModellDesFensters(grafik_fenster& g)
{
    FitFunctionCount = g.AnzahlFunktionen;
    FitFunctionTypes = g.FunktionsTypen;
    FitParameters = g.Parameter;
    FitPolyDegree = g.PolyGrad;
}

}  // namespace

int32_t SaveParameterFile()
{
    grafik_fenster* g = Aktives();
    if (!g) return 0;
    char name[NAMEN_BYTES];
    if (!Dateiname(HAUPTDATEN.Hauptfenster, true, name)) return 0;
    ModellDesFensters(*g);
    std::FILE* f = std::fopen(name, "wt+");
    if (!f) return 0;
    const int32_t gut = WriteParameterText(f);
    if (std::fclose(f) != 0 || gut != 1) {
        MeldungsBox(HAUPTDATEN.Hauptfenster, "The parameter file could not be written completely.",
                    "Error !!", MB_OK | MB_ICONSTOP);
        return 0;
    }
    return 1;
}

int32_t LoadParameterFile(char* name, HWND besitzer)
{
    grafik_fenster* g = Aktives();
    char pfad[NAMEN_BYTES];
    if (!Dateiname(besitzer, false, pfad)) return 0;
    std::FILE* f = std::fopen(pfad, "rt");
    if (!f) return 0;
    PARAMETER_SATZ satz;
    std::string fehler;
    const int32_t gut = ReadParameterText(f, satz, fehler);
    std::fclose(f);
    if (gut != 1 || !g || !g->FunktionsTypen || !g->Parameter) {
        if (gut != 1)
            MeldungsBox(besitzer, (fehler + "\r\nThe fit model was not changed.").c_str(), "Error !!",
                        MB_OK | MB_ICONSTOP);
        return 0;
    }
    ModellDesFensters(*g);
    CommitParameterSet(satz);
    g->AnzahlFunktionen = FitFunctionCount;
    g->PolyGrad = FitPolyDegree;
    if (name) {
        const char* kurz = pfad;
        for (const char* p = pfad; *p; ++p)
            if (*p == '\\' || *p == '/') kurz = p + 1;
        std::snprintf(name, 300, "%s", kurz);
    }
    return 1;
}
