// DEFAULTFONT and the fit, file and EXAFS options: each dialog fills its
// controls from the stored values and writes them back only on OK.
#include "shell/option_dialogs_win.h"

#include <cstdio>
#include <cstring>

#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/haupt_fenster.h"
#include "shell/option_dialogs.h"
#include "shell/results_window.h"
#include "spectra/spectra_globals.h"

namespace {

double* DW()
{
    return HAUPTDATEN.DialogWerte;
}

int32_t OeffneModal(const char* vorlage, DLGPROC proc)
{
    const INT_PTR r = DialogBoxParamA(ProgrammModul(), vorlage, HAUPTDATEN.Hauptfenster, proc, 0);
    return r > 0 ? static_cast<int32_t>(r) : 0;
}

// The open graphic window the options apply to, -1 when there is none.
int32_t OffenesFenster()
{
    const int32_t w = AktivesFenster;
    return w >= 0 && w < 4 && HAUPTDATEN.GrafikHandles[w] ? w : -1;
}

void Neuzeichnen(int32_t w)
{
    if (w >= 0) PostMessageA(HAUPTDATEN.GrafikHandles[w], WM_COMMAND, CM_REDRAW, 0);
}

// Help and Cancel, the same in each of these dialogs.
bool HilfeOderAbbruch(HWND dlg, WORD befehl, int32_t thema)
{
    if (befehl == IDC_DLG_HELP) {
        DialogHilfe(thema);
        return true;
    }
    if (befehl == IDCANCEL) {
        EndDialog(dlg, 0);
        return true;
    }
    return false;
}

const char* const PROFIL_NAMEN[9] = {"inscription", "axis", "legend", "capital", "plot width",
                                     "axis width", "frame width", "func width", "plot frame?"};

}  // namespace

// ---- DEFAULTFONT ----
INT_PTR CALLBACK DefaultFontProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    SCHRIFT_PROFIL* p = HAUPTDATEN.SchriftProfile;
    const int ersteFelder[2] = {IDC_PROFIL1_ERSTES, IDC_PROFIL2_ERSTES};
    const int rahmen[2] = {IDC_PROFIL1_RAHMEN, IDC_PROFIL2_RAHMEN};
    if (msg == WM_INITDIALOG) {
        CenterDialog(dlg);
        for (int k = 0; k < 2; ++k) {
            for (int i = 1; i <= 8; ++i) {
                SendDlgItemMessageA(dlg, ersteFelder[k] + i - 1, EM_LIMITTEXT, 19, 0);
                ZeigeDialogZahl(dlg, ersteFelder[k] + i - 1, p[k].Wert[i], "%d");
            }
            SetzeDialogKreuz(dlg, rahmen[k], p[k].Wert[9] == 1);
        }
        return TRUE;
    }
    if (msg != WM_COMMAND) return FALSE;
    const WORD befehl = LOWORD(wParam);
    if (HilfeOderAbbruch(dlg, befehl, 194)) return TRUE;
    if (befehl != IDOK) return FALSE;
    SCHRIFT_PROFIL neu[2] = {p[0], p[1]};
    for (int k = 0; k < 2; ++k) {
        for (int i = 1; i <= 8; ++i) neu[k].Wert[i] = DialogGanzzahl(dlg, ersteFelder[k] + i - 1);
        neu[k].Wert[9] = DialogKreuz(dlg, rahmen[k]) ? 1 : 0;
        // A profile the reader of "numeric.ins" would throw away at the next
        // start is refused here.
        if (const int32_t i = SchriftProfilFehler(neu[k].Wert)) {
            char text[200];
            std::snprintf(text, sizeof text,
                          "\"%s\" of the %s profile must lie between 1 and %d.", PROFIL_NAMEN[i - 1],
                          k == 0 ? "start up" : "alternative",
                          static_cast<int>(i <= 4 ? SCHRIFT_HOEHE_MAX : STIFT_BREITE_MAX));
            DialogFeldFehler(dlg, ersteFelder[k] + i - 1, text);
            return TRUE;
        }
    }
    p[0] = neu[0];
    p[1] = neu[1];
    EndDialog(dlg, 1);
    return TRUE;
}

int32_t StandardSchriften()
{
    const int32_t w = OffenesFenster();
    if (OeffneModal("DEFAULTFONT", DefaultFontProc) != 1) return 0;
    if (w >= 0) GrafikFenster[w].SetFontInfo(HAUPTDATEN.SchriftProfile[0].Wert);
    HAUPTDATEN.AktivesProfil = 1;
    SpeichereNumericIns();
    Neuzeichnen(w);
    return 1;
}

void SchriftWechseln()
{
    const int32_t w = OffenesFenster();
    if (w < 0) return;
    const int32_t anderes = HAUPTDATEN.AktivesProfil == 1 ? 2 : 1;
    GrafikFenster[w].SetFontInfo(HAUPTDATEN.SchriftProfile[anderes - 1].Wert);
    HAUPTDATEN.AktivesProfil = anderes;
    Neuzeichnen(w);
}

// ---- FITOPTIONEN ----
INT_PTR CALLBACK FitOptionenProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    haupt_fenster& app = HAUPTDATEN;
    const int erneuerung[3] = {IDC_FITOPT_KEIN_NEU, IDC_FITOPT_AUTO_NEU, IDC_FITOPT_STOPP};
    if (msg == WM_INITDIALOG) {
        CenterDialog(dlg);
        for (const char* text : WICHTUNG_TEXTE)
            SendDlgItemMessageA(dlg, IDC_FITOPT_WICHTUNG, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        int32_t w = Numerik.wichtung;
        if (w < 1 || w > 6) w = 1;
        SendDlgItemMessageA(dlg, IDC_FITOPT_WICHTUNG, CB_SETCURSEL, w - 1, 0);
        ZeigeDialogZahl(dlg, IDC_FITOPT_ABBRUCH, Numerik.abbruch);
        ZeigeDialogZahl(dlg, IDC_FITOPT_DELTA, Numerik.ableitungsSchritt);
        ZeigeDialogZahl(dlg, IDC_FITOPT_ITERATIONEN, Numerik.maxIterationen, "%d");
        ZeigeDialogZahl(dlg, IDC_FITOPT_KONFIDENZ, app.KonfidenzNiveau);
        SetzeDialogKreuz(dlg, erneuerung[FitErneuerungWahl(app.FitErneuerung)], true);
        return TRUE;
    }
    if (msg != WM_COMMAND) return FALSE;
    const WORD befehl = LOWORD(wParam);
    if (HilfeOderAbbruch(dlg, befehl, 140)) return TRUE;
    if (befehl != IDOK) return FALSE;
    const LRESULT wahl = SendDlgItemMessageA(dlg, IDC_FITOPT_WICHTUNG, CB_GETCURSEL, 0, 0);
    Numerik.SetWichtung(wahl == CB_ERR ? 1 : static_cast<int32_t>(wahl) + 1);
    Numerik.SetAbbruch(DialogZahl(dlg, IDC_FITOPT_ABBRUCH), DialogZahl(dlg, IDC_FITOPT_DELTA),
                       DialogGanzzahl(dlg, IDC_FITOPT_ITERATIONEN));
    app.KonfidenzNiveau = KonfidenzAusEingabe(DialogZahl(dlg, IDC_FITOPT_KONFIDENZ));
    for (int32_t k = 0; k < 3; ++k)
        if (DialogKreuz(dlg, erneuerung[k])) FitErneuerungAusWahl(k, app.FitErneuerung);
    EndDialog(dlg, 1);
    return TRUE;
}

int32_t FitOptionen()
{
    const int32_t r = OeffneModal("FITOPTIONEN", FitOptionenProc);
    DW()[0] = r;
    return r;
}

// ---- FILEOPTIONEN ----
namespace {
void PeriodeZeigen(HWND dlg)
{
    EnableWindow(GetDlgItem(dlg, IDC_FILEOPT_PERIODE), DialogKreuz(dlg, IDC_FILEOPT_SICHERUNG));
}
}  // namespace

INT_PTR CALLBACK FileOptionenProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    haupt_fenster& app = HAUPTDATEN;
    if (msg == WM_INITDIALOG) {
        CenterDialog(dlg);
        SetzeDialogKreuz(dlg, IDC_FILEOPT_GLITCH, app.GlitchKorrektur != 0);
        ZeigeDialogZahl(dlg, IDC_FILEOPT_PROZENT, app.GlitchProzent, "%.8G");
        ZeigeDialogZahl(dlg, IDC_FILEOPT_PUNKTE, app.GlitchPunkte, "%d");
        SetzeDialogKreuz(dlg, app.BinaerSpeichern ? IDC_FILEOPT_BINAER : IDC_FILEOPT_ASCII, true);
        SetzeDialogKreuz(dlg, IDC_FILEOPT_LOG, ResultsWindow.ErgebnisLog != 0);
        SetzeDialogKreuz(dlg, IDC_FILEOPT_SICHERUNG, app.SicherungAn != 0);
        ZeigeDialogZahl(dlg, IDC_FILEOPT_PERIODE, app.SicherungsIntervall, "%d");
        PeriodeZeigen(dlg);
        SendDlgItemMessageA(dlg, IDC_FILEOPT_BROWSER, EM_LIMITTEXT, BROWSER_EINGABE, 0);
        SetDlgItemTextA(dlg, IDC_FILEOPT_BROWSER, app.BrowserPfad ? app.BrowserPfad : "");
        return TRUE;
    }
    if (msg != WM_COMMAND) return FALSE;
    const WORD befehl = LOWORD(wParam);
    if (HilfeOderAbbruch(dlg, befehl, 172)) return TRUE;
    if (befehl == IDC_FILEOPT_SICHERUNG) {
        PeriodeZeigen(dlg);
        return TRUE;
    }
    if (befehl != IDOK) return FALSE;
    const bool sichern = DialogKreuz(dlg, IDC_FILEOPT_SICHERUNG);
    int32_t periode = app.SicherungsIntervall;
    if (sichern) {
        periode = DialogGanzzahl(dlg, IDC_FILEOPT_PERIODE);
        if (periode < SICHERUNG_MIN || periode > SICHERUNG_MAX) {
            char text[120];
            std::snprintf(text, sizeof text, "The security save period must lie between %d and %d s.",
                          static_cast<int>(SICHERUNG_MIN), static_cast<int>(SICHERUNG_MAX));
            DialogFeldFehler(dlg, IDC_FILEOPT_PERIODE, text);
            return TRUE;
        }
    }
    app.BinaerSpeichern = DialogKreuz(dlg, IDC_FILEOPT_BINAER) ? 1 : 0;
    app.GlitchKorrektur = DialogKreuz(dlg, IDC_FILEOPT_GLITCH) ? 1 : 0;
    ResultsWindow.ErgebnisLog = DialogKreuz(dlg, IDC_FILEOPT_LOG) ? 1 : 0;
    // The timer takes the new switch and period at once.
    SetzeSicherung(sichern ? 1 : 0, periode);
    app.GlitchPunkte = DialogGanzzahl(dlg, IDC_FILEOPT_PUNKTE);
    app.GlitchProzent = DialogZahl(dlg, IDC_FILEOPT_PROZENT);
    if (app.BrowserPfad) {
        GetDlgItemTextA(dlg, IDC_FILEOPT_BROWSER, app.BrowserPfad, BROWSER_EINGABE + 1);
        SpeichereBrowserDat();
    }
    EndDialog(dlg, 1);
    return TRUE;
}

int32_t DateiOptionen()
{
    const int32_t r = OeffneModal("FILEOPTIONEN", FileOptionenProc);
    DW()[0] = r;
    return r;
}

// ---- OPTEXAFS ----
INT_PTR CALLBACK OptExafsProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    EXAFS_OPTIONEN& o = ExafsOptionen;
    const int kPunkte[3] = {IDC_EXOPT_K512, IDC_EXOPT_K1024, IDC_EXOPT_K2048};
    if (msg == WM_INITDIALOG) {
        CenterDialog(dlg);
        ZeigeDialogZahl(dlg, IDC_EXOPT_MAXR, o.MaxR);
        ZeigeDialogZahl(dlg, IDC_EXOPT_RSCHRITT, o.RSchritt);
        SetzeDialogKreuz(dlg, kPunkte[KPunkteWahl(o.KPunkte)], true);
        SetzeDialogKreuz(dlg, o.Einheiten ? IDC_EXOPT_ANGSTROEM : IDC_EXOPT_PM, true);
        SetzeDialogKreuz(dlg, o.KalibrierQuelle ? IDC_EXOPT_GLEICHES : IDC_EXOPT_DRITTE, true);
        SetzeDialogKreuz(dlg, IDC_EXOPT_FT_CHI, HAUPTDATEN.ZeigeFtChi != 0);
        ZeigeDialogZahl(dlg, IDC_EXOPT_BIS, o.EnergieBereich);
        return TRUE;
    }
    if (msg != WM_COMMAND) return FALSE;
    const WORD befehl = LOWORD(wParam);
    if (HilfeOderAbbruch(dlg, befehl, 813)) return TRUE;
    if (befehl == IDC_EXOPT_BIS && HIWORD(wParam) == EN_CHANGE) {
        ZeigeDialogZahl(dlg, IDC_EXOPT_VON, EnergieBereichVon(DialogZahl(dlg, IDC_EXOPT_BIS)));
        return TRUE;
    }
    if (befehl != IDOK) return FALSE;
    const double bereich = DialogZahl(dlg, IDC_EXOPT_BIS);
    if (EnergieBereichNehmen(bereich)) {
        o.EnergieBereich = bereich;
        SpeichereXasERange();
    }
    const double maxR = DialogZahl(dlg, IDC_EXOPT_MAXR);
    if (maxR > 0.0) o.MaxR = maxR;
    for (int32_t k = 0; k < 3; ++k)
        if (DialogKreuz(dlg, kPunkte[k])) o.KPunkte = KPunkteAusWahl(k);
    const double schritt = DialogZahl(dlg, IDC_EXOPT_RSCHRITT);
    if (schritt > 0.0) o.RSchritt = schritt;
    o.Einheiten = DialogKreuz(dlg, IDC_EXOPT_ANGSTROEM) ? 1 : 0;
    o.KalibrierQuelle = DialogKreuz(dlg, IDC_EXOPT_GLEICHES) ? 1 : 0;
    HAUPTDATEN.ZeigeFtChi = DialogKreuz(dlg, IDC_EXOPT_FT_CHI) ? 1 : 0;
    EndDialog(dlg, 1);
    return TRUE;
}

int32_t ExafsOptionenDialog()
{
    return OeffneModal("OPTEXAFS", OptExafsProc);
}
