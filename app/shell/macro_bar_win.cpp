// The macro recorder and player of the button bar, and its play and record
// switch.
#include "shell/macro_bar.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "resource_ids.h"
#include "fit/fit_run.h"
#include "shell/dispatcher.h"
#include "shell/macro_player.h"
#include "spectra/spectra_globals.h"
#include "xas/exafs_fit_win.h"

DATEIDIALOG MakroOeffnenDialog = GetOpenFileNameA;
DATEIDIALOG MakroSpeichernDialog = GetSaveFileNameA;
MAKRO_SCHRITT MakroSchritt = MakroSchrittDispatcher;

namespace {

const char* const KEINE_MAKRODATEI = "No NUMERIC makro file !";
const char* const NICHT_ANWENDBAR = "Makro is not applicable to this file !!";
const char* const FEHLER_TITEL = "Error !!";
// A replayed fit that never reports its end is cut off here.
const int32_t MAX_FIT_SCHRITTE = 100000;

// The first line of a macro file, as the open dialog and the reopen check
// it: "Makro", a carriage return of a copied file allowed.
bool KopfRichtig(std::FILE* d)
{
    char zeile[41] = "";
    if (!std::fgets(zeile, sizeof zeile, d)) return false;
    size_t n = std::strlen(zeile);
    while (n > 0 && (zeile[n - 1] == '\n' || zeile[n - 1] == '\r')) zeile[--n] = '\0';
    return std::strcmp(zeile, "Makro") == 0;
}

std::string GanzeDatei(std::FILE* d)
{
    std::string text;
    std::rewind(d);
    char puffer[4096];
    size_t n;
    while ((n = std::fread(puffer, 1, sizeof puffer, d)) > 0) text.append(puffer, n);
    return text;
}

void Leiste(OPENFILENAMEA& ofn, HWND besitzer, char* datei, DWORD groesse)
{
    ofn = OPENFILENAMEA{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = besitzer;
    ofn.lpstrFilter = "Makro (*.MAK)\0*.MAK\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = datei;
    ofn.nMaxFile = groesse;
    ofn.lpstrDefExt = "MAK";
}

void Meldung(HWND besitzer, const char* text)
{
    MeldungsBox(besitzer, text, FEHLER_TITEL, MB_OK | MB_ICONEXCLAMATION);
}

// The window's model becomes the working model (the arrays are the
// window's own, so what the player stores lands in the window).
bool ModellLaden(int32_t fenster)
{
    if (fenster < 0 || fenster > 3) return false;
    grafik_fenster& w = GrafikFenster[fenster];
    if (!w.FunktionsTypen || !w.Parameter) return false;
    FitFunctionTypes = w.FunktionsTypen;
    FitParameters = w.Parameter;
    FitFunctionCount = w.AnzahlFunktionen;
    FitPolyDegree = w.PolyGrad;
    return true;
}

// Takes the fit's commands for the main window out of the queue; commands
// for its child windows (the redraw of the graphic window) are kept and
// come back in their order. True when one for the main window was there.
bool FitPostsEntnehmen(HWND haupt, std::vector<MSG>& andere)
{
    bool gefunden = false;
    MSG m;
    while (PeekMessageA(&m, haupt, WM_INITDIALOG, WM_SYSCOMMAND, PM_REMOVE)) {
        if (m.hwnd == haupt) gefunden = true;
        else andere.push_back(m);
    }
    return gefunden;
}

// A replayed fit runs to its end: each iteration that the fit posts for
// itself is replaced by one iteration run here, until the fit has finished
// or posts nothing more; then the end of the fit.
void FitZuEnde(HWND haupt)
{
    std::vector<MSG> andere;
    bool gepostet = FitPostsEntnehmen(haupt, andere);
    for (int32_t n = 0; gepostet && HAUPTDATEN.FitZustand != -1 && n < MAX_FIT_SCHRITTE; ++n) {
        MakroSchritt(507, MAKRO_LPARAM);
        gepostet = FitPostsEntnehmen(haupt, andere);
    }
    for (const MSG& m : andere) PostMessageA(m.hwnd, m.message, m.wParam, m.lParam);
    MakroSchritt(CM_FIT_CANCEL, 0);
}

}  // namespace

void MakroSchrittDispatcher(int32_t befehl, LPARAM lParam)
{
    HAUPTDATEN.Befehl(befehl, lParam);
}

int32_t button_leiste::MakroRecord(int32_t befehl, int32_t anzahl, int32_t letzter)
{
    if (!HAUPTDATEN.MakroAufnahme || !MakroPfad[0]) return 0;
    ModellLaden(AktivesFenster);
    MakroQuellen q{HAUPTDATEN.DialogWerte, FitParameters, FitFunctionTypes, FitFunctionCount,
                   FitPolyDegree, MaxParameter, MaxFitParameter, FreeParameterList, ParameterFlags,
                   CorrelationWords, CorrelationConstants, CommandText2};
    MakroSatz s;
    if (MakroSatzAufnehmen(s, befehl, anzahl, letzter, q) != MAKRO_SATZ) return 0;
    if (MakroHatFeffTeil(s)) ExafsMakroFeffAufnehmen(&s.Feff);
    return MakroSatzAnhaengen(MakroPfad, s) == MAKRO_SATZ ? 1 : 0;
}

int32_t button_leiste::MakroRun(int32_t aktivesFenster, int32_t spalte)
{
    HWND besitzer = Fenster;
    HWND haupt = HAUPTDATEN.Hauptfenster;

    // The whole file is checked before anything is played, so that a
    // damaged file changes nothing.
    std::vector<MakroSatz> saetze;
    int32_t zeile = 0;
    const int32_t r = MakroDatei ? MakroTextLesen(GanzeDatei(MakroDatei), saetze, &zeile)
                                 : MAKRO_KEINE_MAKRODATEI;
    if (r != MAKRO_SATZ) {
        if (r == MAKRO_KEINE_MAKRODATEI) {
            Meldung(besitzer, KEINE_MAKRODATEI);
        } else {
            char text[160];
            std::snprintf(text, sizeof text, "The makro file is damaged in line %d !\r\nNothing was executed.",
                          static_cast<int>(zeile));
            Meldung(besitzer, text);
        }
        MakroRunning = 0;
        FehlerCode = 0;
        return 0;
    }

    const int32_t ziel = aktivesFenster ? AktivesFenster
                                        : HAUPTDATEN.GetFensterNummer(haupt ? GetTopWindow(haupt) : nullptr);
    if (ziel < 0 || ziel > 3 || !ModellLaden(ziel) || !FreeParameterList || !ParameterFlags ||
        !CorrelationWords || !CorrelationConstants || !CommandText || !CommandText2) {
        Meldung(besitzer, NICHT_ANWENDBAR);
        MakroRunning = 0;
        HAUPTDATEN.MakroSchrittAktiv = 0;
        return 0;
    }
    AktivesFenster = ziel;
    grafik_fenster& w = GrafikFenster[ziel];

    MakroZiele z{HAUPTDATEN.DialogWerte, FitParameters, FitFunctionTypes, &FitFunctionCount,
                 &FitPolyDegree, &MaxParameter, &MaxFitParameter, FreeParameterList, ParameterFlags,
                 CorrelationWords, CorrelationConstants, CommandText, CommandText2};
    MakroSpielZustand zustand;
    int32_t schritt = 0;
    for (const MakroSatz& s : saetze) {
        ++schritt;
        MakroSatzAnwenden(s, z, zustand);
        if (MakroHatFeffTeil(s)) ExafsMakroFeffSetzen(s.Feff);
        // A column of a series takes the set weights of its FEFF
        // refinement from "mfeffcoeff.par" in the data folder.
        if (MakroHatFeffTeil(s) && HAUPTDATEN.DatenOrdner)
            MakroSpaltenKoeffizientenDatei(s, std::string(HAUPTDATEN.DatenOrdner) + "\\mfeffcoeff.par",
                                           spalte > 0 ? spalte : w.DateiInfo.YSpalte, z, nullptr);
        w.AnzahlFunktionen = FitFunctionCount;
        w.PolyGrad = FitPolyDegree;
        const bool fit = MakroHatTabellen(s.Befehl);
        if (fit) {
            Numerik.SetWeightFunction(nullptr);
            Numerik.SetRealFT(nullptr);
            Numerik.SetImagFT(nullptr);
            Numerik.SetFunction(HAUPTDATEN.ModellCallback ? HAUPTDATEN.ModellCallback : ModellFunktion);
            // Every finished iteration asks for the next one.
            HAUPTDATEN.FitErneuerung[0] = 1;
            HAUPTDATEN.FitErneuerung[1] = 0;
        }
        // A fit recorded after an automatic peak search searches again on
        // this curve; no other caller of a prepared fit does.
        MakroFitMitSuche = s.Befehl == 507 && HAUPTDATEN.DialogWerte[0] == 1.0 ? 1 : 0;

        MakroRunning = 1;
        HAUPTDATEN.MakroSchrittAktiv = 1;
        // A number that no handler owns cannot belong to this program's
        // macros: the macro does not fit.
        NichtVerfuegbarVergessen();
        if (BefehlsZiel(s.Befehl) == ZIEL_KEINER) FehlerCode = 1000;
        else MakroSchritt(s.Befehl, MAKRO_LPARAM);

        if (FehlerCode == 1000) {
            FehlerCode = 0;
            // A step this version does not have says which one it was.
            if (NichtVerfuegbarText()[0]) {
                char text[300];
                std::snprintf(text, sizeof text, "Makro stopped at step %d: %s", static_cast<int>(schritt),
                              NichtVerfuegbarText());
                Meldung(besitzer, text);
            } else {
                Meldung(besitzer, NICHT_ANWENDBAR);
            }
            MakroRunning = 0;
            HAUPTDATEN.MakroSchrittAktiv = 0;
            return 0;
        }
        MakroSchrittGemerkt(s, FitFunctionCount, zustand);

        if (fit && haupt) FitZuEnde(haupt);
        MakroFitMitSuche = 0;
        HAUPTDATEN.MakroSchrittAktiv = 0;
    }
    MakroRunning = 0;
    FehlerCode = 0;
    return 1;
}

int32_t button_leiste::MakroOpen()
{
    char datei[MAKRO_PFAD_BYTES] = "*.MAK";
    OPENFILENAMEA ofn;
    Leiste(ofn, Fenster, datei, sizeof datei);
    ofn.lpstrTitle = "begin makro";
    ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    if (!MakroOeffnenDialog(&ofn)) return 0;
    std::strncpy(MakroPfad, datei, sizeof MakroPfad - 1);
    MakroPfad[sizeof MakroPfad - 1] = '\0';
    std::FILE* d = std::fopen(MakroPfad, "r");
    if (!d) return 0;
    const bool richtig = KopfRichtig(d);
    std::fclose(d);
    if (!richtig) Meldung(Fenster, KEINE_MAKRODATEI);
    return richtig ? 1 : 0;
}

int32_t button_leiste::MakroReopen()
{
    MakroClose();
    std::FILE* d = std::fopen(MakroPfad, "r");
    if (!d) return 0;
    if (!KopfRichtig(d)) {
        Meldung(Fenster, KEINE_MAKRODATEI);
        std::fclose(d);
        return 0;
    }
    MakroDatei = d;
    return 1;
}

void button_leiste::MakroSaveAs()
{
    if (HAUPTDATEN.MakroAufnahme) {
        HAUPTDATEN.MakroAufnahme = 0;
    } else {
        char datei[300] = "*.MAK";
        OPENFILENAMEA ofn;
        Leiste(ofn, Fenster, datei, sizeof datei);
        ofn.lpstrTitle = "Save makro as";
        ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
        if (MakroSpeichernDialog(&ofn)) {
            std::strncpy(MakroPfad, datei, sizeof MakroPfad - 1);
            MakroPfad[sizeof MakroPfad - 1] = '\0';
            // Recording shows as on only with a file that takes the records.
            if (MakroDateiAnlegen(MakroPfad) == MAKRO_SATZ) {
                HAUPTDATEN.MakroAufnahme = 1;
            } else {
                char text[400];
                std::snprintf(text, sizeof text, "The makro file\r\n%s\r\ncould not be created.", MakroPfad);
                Meldung(Fenster, text);
            }
        }
    }
    if (RecKnopf) {
        InvalidateRect(RecKnopf, nullptr, FALSE);
        UpdateWindow(RecKnopf);
    }
}

int32_t button_leiste::MakroClose()
{
    if (MakroDatei) std::fclose(MakroDatei);
    MakroDatei = nullptr;
    return 1;
}

void button_leiste::Abspielen()
{
    if (!MakroOpen()) return;
    if (MakroReopen()) {
        MakroRun(0, -1);
        MakroClose();
    }
    if (AktivesFenster >= 0 && AktivesFenster < 4 && HAUPTDATEN.GrafikHandles[AktivesFenster]) {
        GrafikFenster[AktivesFenster].SetFullBorder();
        PostMessageA(HAUPTDATEN.GrafikHandles[AktivesFenster], WM_COMMAND, CM_REDRAW, 0);
    }
    UpdateFensterStatus();
}
