// The button bar's macro buttons, the recorder and the player.
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

DATEIDIALOG MakroOeffnenDialog = GetOpenFileNameA;
DATEIDIALOG MakroSpeichernDialog = GetSaveFileNameA;
MAKRO_SCHRITT MakroSchritt = MakroSchrittDispatcher;

namespace {

const int32_t KNOPF_PLAY = 11;
const int32_t KNOPF_REC = 12;
const int KNOPF_BREITE = 32, KNOPF_HOEHE = 27;
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

bool RecKnopfGedrueckt(int32_t aufnahme, UINT aktion, UINT zustand)
{
    if (zustand & ODS_SELECTED) return true;
    if (aktion & ODA_DRAWENTIRE) return aufnahme != 0;
    if (aktion & ODA_SELECT) return aufnahme == 0;
    return false;
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
    return MakroSatzAnhaengen(MakroPfad, s) == MAKRO_SATZ ? 1 : 0;
}

int32_t button_leiste::MakroRun(int32_t aktivesFenster, int32_t spalte)
{
    (void)spalte;  // per-column coefficients belong to the EXAFS refinement's records
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

LRESULT button_leiste::Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    SetzeMeldung(Meldungsblock, hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY && Fenster == hwnd) {
        Fenster = RecKnopf = PlayKnopf = nullptr;
        MakroClose();
    }
    if (Beschaeftigt) return 0;
    switch (msg) {
    case WM_CREATE: Fenster = hwnd; return OnCreate();
    case WM_SIZE: return OnSize();
    case WM_PAINT: return OnPaint();
    case WM_DRAWITEM: return OnDrawItem();
    case WM_COMMAND: return OnCommand();
    default: return 0;
    }
}

LRESULT button_leiste::OnCreate()
{
    HINSTANCE instanz = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(Fenster, GWLP_HINSTANCE));
    const DWORD stil = WS_CHILD | WS_VISIBLE | BS_OWNERDRAW;
    RecKnopf = CreateWindowA("button", "RecMak", stil, 2, 2, KNOPF_BREITE, KNOPF_HOEHE, Fenster,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(KNOPF_REC)), instanz, nullptr);
    PlayKnopf = CreateWindowA("button", "PlayMak", stil, 35, 2, KNOPF_BREITE, KNOPF_HOEHE, Fenster,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(KNOPF_PLAY)), instanz, nullptr);
    KnopfAn[KNOPF_PLAY] = KnopfAn[KNOPF_REC] = 1;
    return 0;
}

LRESULT button_leiste::OnSize()
{
    if (RecKnopf) MoveWindow(RecKnopf, 2, 2, KNOPF_BREITE, KNOPF_HOEHE, TRUE);
    if (PlayKnopf) MoveWindow(PlayKnopf, 35, 2, KNOPF_BREITE, KNOPF_HOEHE, TRUE);
    return 0;
}

LRESULT button_leiste::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Fenster, &ps);
    RECT r;
    GetClientRect(Fenster, &r);
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    MoveToEx(dc, 0, r.bottom / 2, nullptr);
    LineTo(dc, r.right, r.bottom / 2);
    EndPaint(Fenster, &ps);
    return 1;
}

LRESULT button_leiste::OnDrawItem()
{
    const DRAWITEMSTRUCT* d = reinterpret_cast<const DRAWITEMSTRUCT*>(Meldungsblock.lParam);
    if (!d || !(d->itemAction & (ODA_DRAWENTIRE | ODA_SELECT))) return 0;
    const bool rec = d->CtlID == static_cast<UINT>(KNOPF_REC);
    const bool gedrueckt = rec ? RecKnopfGedrueckt(HAUPTDATEN.MakroAufnahme, d->itemAction, d->itemState)
                               : (d->itemState & ODS_SELECTED) != 0;
    RECT r = d->rcItem;
    DrawFrameControl(d->hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (gedrueckt ? DFCS_PUSHED : 0));
    // The images: a red dot records, a green triangle plays.
    const int cx = (r.left + r.right) / 2 + (gedrueckt ? 1 : 0);
    const int cy = (r.top + r.bottom) / 2 + (gedrueckt ? 1 : 0);
    HBRUSH pinsel = CreateSolidBrush(rec ? RGB(200, 0, 0) : RGB(0, 128, 0));
    HGDIOBJ alterPinsel = SelectObject(d->hDC, pinsel);
    HGDIOBJ alterStift = SelectObject(d->hDC, GetStockObject(NULL_PEN));
    if (rec) {
        Ellipse(d->hDC, cx - 6, cy - 6, cx + 7, cy + 7);
    } else {
        POINT p[3] = {{cx - 5, cy - 7}, {cx - 5, cy + 7}, {cx + 7, cy}};
        Polygon(d->hDC, p, 3);
    }
    SelectObject(d->hDC, alterStift);
    SelectObject(d->hDC, alterPinsel);
    DeleteObject(pinsel);
    return 1;
}

LRESULT button_leiste::OnCommand()
{
    const int32_t id = Meldungsblock.Befehl;
    switch (id) {
    case KNOPF_PLAY:
        Abspielen();
        break;
    case KNOPF_REC:
        MakroSaveAs();
        break;
    case 18:
        ShowWindow(Fenster, SW_HIDE);
        break;
    case 2002: {
        const int32_t knopf = LOWORD(Meldungsblock.lParam);
        if (knopf >= 1 && knopf <= 12) KnopfAn[knopf] = HIWORD(Meldungsblock.lParam) ? 1 : 0;
        break;
    }
    case 2004: {
        RECT r{};
        if (HAUPTDATEN.Hauptfenster) GetClientRect(HAUPTDATEN.Hauptfenster, &r);
        MoveWindow(Fenster, 0, 0, r.right, 2 * HAUPTDATEN.ButtonZeilenHoehe + 6, TRUE);
        ShowWindow(Fenster, SW_SHOW);
        InvalidateRect(Fenster, nullptr, TRUE);
        break;
    }
    default:
        // The navigation, view and style buttons come with the graphic
        // window's commands.
        break;
    }
    return 1;
}
