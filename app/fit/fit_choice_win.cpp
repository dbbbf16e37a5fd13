// The function choice dialog, the function border dialog and their
// commands.
#include "fit/fit_choice_win.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fit/fit_choice.h"
#include "fit/fit_model.h"
#include "fit/parameter_file_win.h"
#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "shell/macro_bar.h"
#include "spectra/spectra_globals.h"

namespace {

// State of the open GET_FUNCTION dialog.
struct WAHL_ZUSTAND {
    int32_t Fenster = -1;          // the window active at opening
    int32_t AlteAnzahl = 0;        // FitFunctionCount before the dialog
    bool Gezeigt[WAHL_TYPEN + 1] = {};
    char Datei[300] = "";
};
WAHL_ZUSTAND Wahl;

HINSTANCE Modul()
{
    return HAUPTDATEN.Instanz ? HAUPTDATEN.Instanz : GetModuleHandleA(nullptr);
}

grafik_fenster* WahlFenster()
{
    const int32_t w = Wahl.Fenster;
    return w >= 0 && w < 4 && HAUPTDATEN.GrafikHandles[w] ? &GrafikFenster[w] : nullptr;
}

void Zeige(HWND dlg, int id, bool an) { ShowWindow(GetDlgItem(dlg, id), an ? SW_SHOW : SW_HIDE); }

bool Gecheckt(HWND dlg, int id) { return IsDlgButtonChecked(dlg, id) == BST_CHECKED; }

void ZahlText(HWND dlg, int id, double v)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.8G", v);
    SetDlgItemTextA(dlg, id, text);
}

double EditZahl(HWND dlg, int id)
{
    char text[40] = "";
    GetDlgItemTextA(dlg, id, text, sizeof text);
    return std::atof(text);
}

int32_t EditGanz(HWND dlg, int id)
{
    char text[40] = "";
    GetDlgItemTextA(dlg, id, text, sizeof text);
    return std::atoi(text);
}

void Neuzeichnen(HWND fenster)
{
    if (!fenster) return;
    if (RedrawPerMessage == 0) RedrawWindow(fenster, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    else PostMessageA(fenster, WM_COMMAND, CM_REDRAW, 0);
}

bool ZeileVorhanden(HWND dlg, int32_t t) { return GetDlgItem(dlg, IDC_GF_COUNT + t) != nullptr; }

void ZeileZeigen(HWND dlg, int32_t t, bool an)
{
    Zeige(dlg, IDC_GF_COUNT + t, an);
    Zeige(dlg, IDC_GF_SPIN + t, an);
    Wahl.Gezeigt[t] = an;
}

// Rows of the working model: each type's count (the degree for the
// polynomial).
void ZeilenAusModell(HWND dlg)
{
    for (int32_t t = 1; t <= WAHL_TYPEN; ++t)
        if (ZeileVorhanden(dlg, t)) ZeileZeigen(dlg, t, false);
    const FUNKTIONS_WAHL w = WahlAusModell(FitFunctionCount, FitFunctionTypes, FitPolyDegree);
    for (int32_t t = 1; t <= WAHL_TYPEN; ++t) {
        if (!w.Gezeigt[t] || !ZeileVorhanden(dlg, t)) continue;
        ZeileZeigen(dlg, t, true);
        SetDlgItemInt(dlg, IDC_GF_COUNT + t, static_cast<UINT>(w.Anzahl[t]), TRUE);
    }
}

void WahlOeffnen(HWND dlg)
{
    CenterDialog(dlg);
    HWND liste = GetDlgItem(dlg, IDC_GF_DERIVATIVE_LIST);
    for (const char* s : {"none", "1st derivative", "2nd derivative"})
        SendMessageA(liste, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    SendMessageA(liste, CB_SETCURSEL, 0, 0);
    Wahl = WAHL_ZUSTAND{};
    Wahl.Fenster = AktivesFenster;
    Wahl.AlteAnzahl = FitFunctionCount;
    for (int32_t t = 1; t <= WAHL_TYPEN; ++t)
        if (HWND s = GetDlgItem(dlg, IDC_GF_SPIN + t)) SetScrollRange(s, SB_CTL, 1, 10, FALSE);
    ZeilenAusModell(dlg);
    SetFocus(GetDlgItem(dlg, IDOK));
    grafik_fenster* g = WahlFenster();
    const double* x = g ? g->GetXFeld(-1) : nullptr;
    const double* y = g ? g->GetYFeld(-1) : nullptr;
    const int32_t n = g ? g->Punkte() : 0;
    Zeige(dlg, IDC_GF_THRESHOLD, false);
    Zeige(dlg, IDC_GF_FWHM, false);
    Zeige(dlg, IDC_GF_THRESHOLD_LABEL, false);
    Zeige(dlg, IDC_GF_FWHM_LABEL, false);
    if (!x || !y || n < 1 || n > g->FeldGroesse()) {
        EnableWindow(GetDlgItem(dlg, IDC_GF_PEAKSEARCH), FALSE);
        SetDlgItemTextA(dlg, IDC_GF_ERROR, "1.0E-3");
        return;
    }
    int32_t i = 0;
    for (int32_t j = 1; j < n; ++j)
        if (y[j] > y[i]) i = j;
    double ymin = y[0];
    for (int32_t j = 1; j < n; ++j)
        if (y[j] < ymin) ymin = y[j];
    const double ymax = y[i];
    ZahlText(dlg, IDC_GF_THRESHOLD, ymin + 0.02 * (ymax - ymin));
    int32_t j = i;
    while (j > 0 && y[j] - ymin > (ymax - ymin) / 2) --j;
    ZahlText(dlg, IDC_GF_FWHM, 2.0 * std::abs(x[i] - x[j]));
    ZahlText(dlg, IDC_GF_ERROR, RauschSchaetzung(y, n));
}

void DateiModell(HWND dlg)
{
    if (LoadParameterFile(Wahl.Datei, dlg) != 1) {
        CheckDlgButton(dlg, IDC_GF_FROM_FILE, BST_UNCHECKED);
        return;
    }
    SetDlgItemTextA(dlg, IDC_GF_FILE_NAME, Wahl.Datei);
    const int32_t geladen = FitFunctionCount;
    ZeilenAusModell(dlg);
    Wahl.AlteAnzahl = geladen;
}

// OK without a file, a retry or kept flags: the model from the rows.
INT_PTR ModellBauen(HWND dlg)
{
    FUNKTIONS_WAHL w{};
    for (int32_t t = 1; t <= WAHL_TYPEN; ++t) {
        w.Gezeigt[t] = Wahl.Gezeigt[t];
        if (w.Gezeigt[t]) w.Anzahl[t] = EditGanz(dlg, IDC_GF_COUNT + t);
    }
    grafik_fenster* g = WahlFenster();
    int32_t neu[TYPEN_TABELLE] = {};
    int32_t grad = FitPolyDegree;
    const int32_t anzahl = ModellAusWahl(w, neu, TYPEN_TABELLE, grad);
    if (anzahl == 0 || !g || !g->FunktionsTypen) {
        FitFunctionCount = Wahl.AlteAnzahl;
        return 0;
    }
    if (CheckModelSize(anzahl, neu, grad, SplineKnotCount) < 0) {
        FitFunctionCount = Wahl.AlteAnzahl;
        FehlerCode = 108;
        return 0;
    }
    std::memcpy(g->FunktionsTypen, neu, sizeof neu);
    FitFunctionTypes = g->FunktionsTypen;
    FitParameters = g->Parameter;
    FitFunctionCount = g->AnzahlFunktionen = anzahl;
    FitPolyDegree = g->PolyGrad = grad;
    double* dw = HAUPTDATEN.DialogWerte;
    dw[0] = -1.0;
    if (Gecheckt(dlg, IDC_GF_PEAKSEARCH)) {
        AutoPeakSearch(EditZahl(dlg, IDC_GF_THRESHOLD), EditZahl(dlg, IDC_GF_FWHM), g->Punkte(),
                       g->GetXFeld(-1), g->GetYFeld(-1));
        dw[0] = 1.0;
    }
    int32_t art = 0;
    if (Gecheckt(dlg, IDC_GF_DERIVATIVE)) {
        const LRESULT s = SendDlgItemMessageA(dlg, IDC_GF_DERIVATIVE_LIST, CB_GETCURSEL, 0, 0);
        art = s == 1 || s == 2 ? static_cast<int32_t>(s) : 0;
    }
    g->ModellArt = FitModellArt = art;
    if (art != 0) Numerik.SetFitProcedure(1, HAUPTDATEN.ChiQuadratCallback);
    const double fehler = EditZahl(dlg, IDC_GF_ERROR);
    if (fehler != 0.0) Numerik.SetExpError(fehler);
    return 1;
}

}  // namespace

void AutoPeakSearch(double threshold, double fwhm, int32_t n, const double* x, const double* y)
{
    AutoPeakSearchKern(Numerik, threshold, fwhm, n, x, y);
}

INT_PTR CALLBACK GetFunctionDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        WahlOeffnen(dlg);
        return FALSE;
    case WM_VSCROLL: {
        const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
        const int32_t t = id - IDC_GF_SPIN;
        if (t < 1 || t > WAHL_TYPEN) return FALSE;
        const int code = LOWORD(wParam);
        if (code != SB_LINEUP && code != SB_LINEDOWN) return TRUE;
        const int32_t alt = EditGanz(dlg, IDC_GF_COUNT + t);
        const int32_t neu = WahlSchritt(t, alt, code == SB_LINEUP ? 1 : -1);
        if (neu != alt) SetDlgItemInt(dlg, IDC_GF_COUNT + t, static_cast<UINT>(neu), TRUE);
        return TRUE;
    }
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id > IDC_GF_TYPE && id <= IDC_GF_TYPE + WAHL_TYPEN) {
            const int32_t t = id - IDC_GF_TYPE;
            if (!ZeileVorhanden(dlg, t)) return TRUE;
            if (Wahl.Gezeigt[t]) {
                ZeileZeigen(dlg, t, false);
                SetFocus(GetDlgItem(dlg, IDOK));
            } else {
                ZeileZeigen(dlg, t, true);
                SetDlgItemTextA(dlg, IDC_GF_COUNT + t, "1");
                SetFocus(GetDlgItem(dlg, IDC_GF_COUNT + t));
            }
            return TRUE;
        }
        switch (id) {
        case IDC_GF_PEAKSEARCH: {
            const bool an = Gecheckt(dlg, IDC_GF_PEAKSEARCH);
            for (int c : {IDC_GF_THRESHOLD, IDC_GF_FWHM, IDC_GF_THRESHOLD_LABEL, IDC_GF_FWHM_LABEL})
                Zeige(dlg, c, an);
            return TRUE;
        }
        case IDC_GF_FROM_FILE:
            if (Gecheckt(dlg, IDC_GF_FROM_FILE)) DateiModell(dlg);
            return TRUE;
        case IDC_GF_FILE:
            if (Gecheckt(dlg, IDC_GF_FROM_FILE)) DateiModell(dlg);
            return TRUE;
        case IDOK: {
            INT_PTR r;
            if (Gecheckt(dlg, IDC_GF_FROM_FILE)) {
                r = 99;
                FitFunctionCount = Wahl.AlteAnzahl;
            } else if (Gecheckt(dlg, IDC_GF_TRY_AGAIN)) {
                r = 999;
                FitFunctionCount = Wahl.AlteAnzahl;
            } else if (Gecheckt(dlg, IDC_GF_KEEP_FLAGS)) {
                r = 9999;
                FitFunctionCount = Wahl.AlteAnzahl;
            } else {
                r = ModellBauen(dlg);
            }
            EndDialog(dlg, r);
            return TRUE;
        }
        case IDCANCEL:
            FitFunctionCount = Wahl.AlteAnzahl;
            EndDialog(dlg, 0);
            return TRUE;
        case IDC_DLG_HELP:
            DialogHilfe(135);
            return TRUE;
        default:
            return FALSE;
        }
    }
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK FuncBorderDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG: {
        CenterDialog(dlg);
        const int32_t w = AktivesFenster;
        if (w >= 0 && w < 4 && HAUPTDATEN.GrafikHandles[w]) {
            ZahlText(dlg, IDC_FB_FROM, GrafikFenster[w].Grenzen[1]);
            ZahlText(dlg, IDC_FB_TO, GrafikFenster[w].Grenzen[0]);
        }
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            HAUPTDATEN.DialogWerte[0] = EditZahl(dlg, IDC_FB_FROM);
            HAUPTDATEN.DialogWerte[1] = EditZahl(dlg, IDC_FB_TO);
            EndDialog(dlg, 1);
            return TRUE;
        case IDCANCEL:
            EndDialog(dlg, 0);
            return TRUE;
        case IDC_DLG_HELP:
            DialogHilfe(155);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

INT_PTR FunktionWaehlen(haupt_fenster* app)
{
    if (AendernDialog) SendMessageA(AendernDialog, WM_COMMAND, 2, 0);
    const INT_PTR r = DialogBoxParamA(Modul(), "GET_FUNCTION", app->Hauptfenster, GetFunctionDlgProc, 0);
    UpdateFensterStatus();
    const int32_t w = AktivesFenster;
    if (w >= 0 && w < 4 && app->GrafikHandles[w]) Neuzeichnen(app->GrafikHandles[w]);
    return r;
}

void FunktionsGrenzen(haupt_fenster* app, int32_t fenster, LPARAM lParam)
{
    if (lParam != LP_PREPARED &&
        DialogBoxParamA(Modul(), "FUNCBORDER", app->Hauptfenster, FuncBorderDlgProc, 0) != 1)
        return;
    double* dw = app->DialogWerte;
    if (!GrenzenGueltig(dw[0], dw[1])) {
        FehlerCode = 102;
        return;
    }
    if (app->MakroAufnahme) ButtonBar.MakroRecord(155, 2, 0);
    if (fenster < 0 || fenster > 3 || !app->GrafikHandles[fenster]) return;
    grafik_fenster& g = GrafikFenster[fenster];
    g.Grenzen[1] = dw[0];
    g.Grenzen[0] = dw[1];
    Neuzeichnen(app->GrafikHandles[fenster]);
}
