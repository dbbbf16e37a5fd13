// WriteResultsReport: the fit report and the result blocks of the active
// graphic window into the caller's text and the results window.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "fit/fit_report.h"
#include "fit/fit_run.h"
#include "fit/model_function.h"
#include "resource_ids.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "shell/results_window.h"
#include "shell/shell_globals.h"
#include "spectra/spectra_globals.h"
#include "xas/model_fft.h"

namespace {

std::string StringTabelle(UINT id)
{
    char text[201] = "";
    LoadStringA(HAUPTDATEN.Instanz, id, text, sizeof text);
    return text;
}

// The slot number that "active" prints: the curve counter modulo 4 (also
// for a negative counter), plus 1.
int32_t SlotNummer(const grafik_fenster& g)
{
    return ((g.KurvenZaehler % 4) + 4) % 4 + 1;
}

void Kopieren(char* ziel, std::size_t groesse, const std::string& text)
{
    std::snprintf(ziel, groesse, "%s", text.c_str());
}

// "xrd_ref.dat" of the program folder, false when it cannot be read.
bool ReferenzLesen(std::string& text)
{
    char pfad[MAX_PATH] = "";
    ProgrammDatei(pfad, sizeof pfad, "xrd_ref.dat");
    std::FILE* d = std::fopen(pfad, "rt");
    if (!d) return false;
    char puffer[4096];
    std::size_t n;
    while ((n = std::fread(puffer, 1, sizeof puffer, d)) > 0) text.append(puffer, n);
    std::fclose(d);
    return true;
}

// A side file of the report in the data folder; one that cannot be opened
// is passed over.
void DatenDateiSchreiben(const char* name, const std::string& text)
{
    std::string pfad = HAUPTDATEN.DatenOrdner ? HAUPTDATEN.DatenOrdner : "";
    if (pfad.empty()) {
        char p[MAX_PATH + ORDNER_BYTES] = "";
        ProgrammDatei(p, sizeof p, name);
        pfad = p;
    } else {
        if (pfad.back() != '\\' && pfad.back() != '/') pfad += '\\';
        pfad += name;
    }
    std::FILE* d = std::fopen(pfad.c_str(), "wt+");
    if (!d) return;
    std::fwrite(text.data(), 1, text.size(), d);
    std::fclose(d);
}

}  // namespace

void WriteResultsReport(char* text, int32_t befehl, int32_t modus, int32_t anzahl, int32_t flag)
{
    if (!text) return;
    text[0] = '\0';
    haupt_fenster& app = HAUPTDATEN;
    const int32_t w = AktivesFenster;
    const bool fenster = w >= 0 && w < 4 && app.GrafikHandles[w];
    if (fenster) {
        grafik_fenster& g = GrafikFenster[w];
        FitFunctionCount = g.AnzahlFunktionen;
        FitFunctionTypes = g.FunktionsTypen;
        FitParameters = g.Parameter;
        FitPolyDegree = g.PolyGrad;
    }
    const std::string punkte = StringTabelle(IDS_DOT_RULE);
    const std::string striche = StringTabelle(IDS_DASH_RULE);

    if (befehl == 507 && fenster) {
        grafik_fenster& g = GrafikFenster[w];
        BERICHT_EINGABE e;
        e.Datei = g.DateiInfo.DateiName;
        e.Slot = SlotNummer(g);
        e.Punkte = g.Punkte();
        e.X = g.GetXFeld(-1);
        e.Untergrenze = g.Grenzen[1];
        e.Obergrenze = g.Grenzen[0];
        e.Status = StatusText ? std::string(StatusText, strnlen(StatusText, STATUS_TEXT_BYTES)) : std::string();
        e.Chi2 = app.FitChi2;
        e.Numerik = &Numerik;
        e.Modell = app.ModellCallback ? app.ModellCallback : ModellFunktion;
        e.Ergebnisse = CommandArgs;
        e.Wellenlaenge = app.Roentgenwellenlaenge;
        e.InstrumentB = app.XrdProfil[0];
        e.InstrumentL = app.XrdProfil[1];
        e.InstrumentG = app.XrdProfil[2];
        e.Strichlinie = striche;
        e.Punktlinie = punkte;
        e.FeffSaetze = app.FeffSatzAnzahl;
        e.Fehlschlag = FitFehlgeschlagen;
        e.MehrereFeffSaetze = app.FeffSatzAnzahl > 1;
        if (g.KMax > g.KMin) {
            e.KBereichBekannt = true;
            e.KBereich[0] = g.KMin;
            e.KBereich[1] = g.KMax;
        }
        const uint32_t flags = g.KurvenFlags[g.AktuellerSlot()];
        if ((flags & SLOT_FIT_ANSICHT) && g.ModellArt == 3) {
            e.Komplex = true;
            e.Y = g.GetYFeld(-1);
            e.ImagDaten = FitImagDaten.data();
            e.ImagModell = FitImagModell.data();
            e.ImagLaenge = static_cast<int32_t>(std::min(FitImagDaten.size(), FitImagModell.size()));
            for (int k = 0; k < 4; ++k) e.ChiTabelle[k] = ArbeitsSatz1[k];
        }
        if (FitFehlgeschlagen)
            e.FehlerText = StringTabelle(FitFehlgeschlagen == FIT_OHNE_AUFBAU ? IDS_FIT_SETUP_ERROR
                                                                              : static_cast<UINT>(FitFehlgeschlagen));
        const BERICHT b = FitBericht(e);
        if (b.FtDateien) {
            DatenDateiSchreiben("XAFS_FT_i_mag.dat", b.FtBetragText);
            DatenDateiSchreiben("XAFS_chi_exp_theo.dat", b.ChiText);
        }
        Kopieren(ResultsWindow.FitText, sizeof ResultsWindow.FitText, b.Lang);
        ResultsWindow.FitTextDa = 1;
        Kopieren(text, COMMAND_TEXT_BYTES, RedrawPerMessage == 0 ? b.Lang : b.Kurz);
    } else if ((befehl == 502 || befehl == 504 || befehl == 901) && fenster) {
        BLOCK_EINGABE e;
        e.Slot = SlotNummer(GrafikFenster[w]);
        e.DialogWerte = app.DialogWerte;
        e.Ergebnisse = CommandArgs;
        e.Strichlinie = striche;
        e.Punktlinie = punkte;
        e.Wellenlaenge = app.Roentgenwellenlaenge;
        for (int32_t i = 0; i < FitFunctionCount && FitFunctionTypes; ++i) e.Typen.push_back(FitFunctionTypes[i]);
        std::string block;
        if (befehl == 504) {
            block = IntegrationsBlock(e, modus);
        } else if (befehl == 502) {
            block = NullstellenBlock(e, modus, anzahl, flag);
        } else {
            std::string referenz;
            const bool mit = modus > 0 && ReferenzLesen(referenz);
            block = PeakBlock(e, mit ? &referenz : nullptr);
        }
        Kopieren(text, COMMAND_TEXT_BYTES, block);
    }
    if (befehl == 901 && flag < 0) return;
    if (app.KindFenster[KIND_ERGEBNIS]) SendMessageA(app.KindFenster[KIND_ERGEBNIS], WM_COMMAND, 2001, 0);
}
