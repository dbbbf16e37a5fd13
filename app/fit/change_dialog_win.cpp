// The modeless dialog CHANGE (data command 614): walks through the model
// functions of the active graphic window and changes their parameters by
// typing or with the scroll bar, redrawing the model after every change.
// "Area" lists the areas under the FEFF paths of an EXAFS model.
//
// The dialog stays open while other commands run and windows close, so it
// holds no pointer into a window: every action looks up the active window
// and loads its model again, and closes the dialog when no window is left.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "fit/change_dialog.h"
#include "fit/fit_model.h"
#include "fit/fit_report.h"
#include "fit/fit_run_win.h"
#include "fit/model_function.h"
#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/data_commands_win.h"
#include "spectra/graphic_drawing.h"
#include "spectra/spectra_globals.h"

namespace {

const int32_t FEFF_S0_CODE = 25;
const int32_t CM_ERGEBNIS = 2001;
const int32_t AENDERN_HILFE = 614;

AENDERN_ZUSTAND zustand;

// The active window's model as the working model; null when no window
// with a model is left.
grafik_fenster* ModellLaden()
{
    const int32_t w = AktivesFenster;
    if (w < 0 || w > 3 || !HAUPTDATEN.GrafikHandles[w]) return nullptr;
    grafik_fenster& g = GrafikFenster[w];
    if (!g.Parameter || !g.FunktionsTypen) return nullptr;
    FitModellLaden(g);
    return &g;
}

void Neuzeichnen()
{
    const int32_t w = AktivesFenster;
    if (w >= 0 && w < 4 && HAUPTDATEN.GrafikHandles[w])
        PostMessageA(HAUPTDATEN.GrafikHandles[w], WM_COMMAND, CM_REDRAW, 0);
}

void Schliessen(HWND dlg)
{
    if (AendernDialog == dlg) AendernDialog = nullptr;
    GrafikAnzeige.GewaehlteFunktion = 0;
    DestroyWindow(dlg);
}

void ZeigeWert(HWND dlg, int32_t zeile, double wert)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.8G", wert);
    SetDlgItemTextA(dlg, IDC_CHANGE_WERT + zeile, text);
}

// Name, rows and buttons of the current function.
void Zeigen(HWND dlg)
{
    const int32_t code = FitFunctionTypes[zustand.Funktion - 1];
    SetDlgItemTextA(dlg, IDC_CHANGE_NAME, AendernName(zustand.Funktion).c_str());
    const int32_t zeilen = AendernZeilen(zustand);
    for (int32_t j = 0; j < AENDERN_ZEILEN; ++j) {
        const int sicht = j < zeilen ? SW_SHOW : SW_HIDE;
        ShowWindow(GetDlgItem(dlg, IDC_CHANGE_TITEL + j), sicht);
        ShowWindow(GetDlgItem(dlg, IDC_CHANGE_WERT + j), sicht);
        if (j >= zeilen) continue;
        SetDlgItemTextA(dlg, IDC_CHANGE_TITEL + j, AendernTitel(code, j).c_str());
        ZeigeWert(dlg, j, FitParameters[zustand.Versatz + j]);
    }
    EnableWindow(GetDlgItem(dlg, IDC_CHANGE_WEITER), zustand.Funktion < FitFunctionCount);
    EnableWindow(GetDlgItem(dlg, IDC_CHANGE_ZURUECK), zustand.Funktion > 1);
    ShowWindow(GetDlgItem(dlg, IDC_CHANGE_FLAECHE),
               FitFunctionCount > 0 && FitFunctionTypes[0] == FEFF_S0_CODE ? SW_SHOW : SW_HIDE);
    // The graphic window draws this function in green among the separate
    // functions.
    GrafikAnzeige.GewaehlteFunktion = zustand.Funktion;
}

// Function n of the active window's model; the dialog closes when no
// window is left.
bool Gehe(HWND dlg, int32_t n)
{
    if (!ModellLaden()) {
        Schliessen(dlg);
        return false;
    }
    if (!AendernZeigeFunktion(zustand, n)) return false;
    Zeigen(dlg);
    return true;
}

// The active window's model again before a value is written. false when
// the dialog closed, or when the model changed since the rows were shown:
// then they show the new one and nothing is written.
bool NochGleich(HWND dlg)
{
    if (!ModellLaden()) {
        Schliessen(dlg);
        return false;
    }
    AENDERN_ZUSTAND neu = zustand;
    if (!AendernZeigeFunktion(neu, zustand.Funktion)) return false;
    if (neu.Funktion == zustand.Funktion && neu.Versatz == zustand.Versatz && neu.Anzahl == zustand.Anzahl)
        return true;
    Gehe(dlg, zustand.Funktion);
    return false;
}

void Anwenden(HWND dlg)
{
    if (!NochGleich(dlg)) return;
    const int32_t zeilen = AendernZeilen(zustand);
    for (int32_t j = 0; j < zeilen; ++j)
        FitParameters[zustand.Versatz + j] = DialogZahl(dlg, IDC_CHANGE_WERT + j);
    Neuzeichnen();
}

void Scrollen(HWND dlg, int32_t code)
{
    const double d = AendernAenderung(code, zustand.Schritt);
    if (d == 0.0) return;
    const int32_t zeile = zustand.Zeile;
    const double v = DialogZahl(dlg, IDC_CHANGE_WERT + zeile);
    if (!NochGleich(dlg) || zeile >= AendernZeilen(zustand)) return;
    zustand.Position = AendernPosition(zustand.Position, d);
    SetScrollPos(GetDlgItem(dlg, IDC_CHANGE_SCROLL), SB_CTL, zustand.Position, TRUE);
    const double neu = AendernWert(v, d);
    FitParameters[zustand.Versatz + zeile] = neu;
    ZeigeWert(dlg, zeile, neu);
    Neuzeichnen();
}

// The areas under the FEFF paths of the current curve into the results
// window.
void Flaechen(HWND dlg)
{
    grafik_fenster* g = ModellLaden();
    if (!g) {
        Schliessen(dlg);
        return;
    }
    const int32_t slot = g->AktuellerSlot();
    const int32_t n = g->Punkte();
    if (FitFunctionCount < 2 || n < 4 || n > g->FeldGroesse() || !g->XFeld[slot] || !CommandText) return;
    ModellCallback modell = HAUPTDATEN.ModellCallback ? HAUPTDATEN.ModellCallback : ModellFunktion;
    const double* x = g->XFeld[slot];
    const std::vector<std::string> zeilen =
        FeffPfadFlaechenZeilen(Numerik, x, n, n - 2, [&](std::vector<double>& y) {
            // The evaluator's post-processing may use twice the points.
            std::vector<double> xs(static_cast<std::size_t>(2 * n + 10), 0.0);
            std::copy(x, x + n, xs.begin());
            y.assign(xs.size(), 0.0);
            modell(xs[0], 0.0, xs.data(), y.data(), n);
        });
    std::string text = "\r\n area under XAFS paths:\r\n\r\n";
    for (const std::string& z : zeilen) text += z;
    std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", text.c_str());
    if (HWND e = HAUPTDATEN.KindFenster[KIND_ERGEBNIS]) SendMessageA(e, WM_COMMAND, CM_ERGEBNIS, 0);
}

void Oeffnen(HWND dlg)
{
    CenterDialog(dlg);
    zustand = AENDERN_ZUSTAND{};
    zustand.Schritt = AENDERN_SCHRITTE[AENDERN_STANDARD_STUFE];
    HWND scroll = GetDlgItem(dlg, IDC_CHANGE_SCROLL);
    SetScrollRange(scroll, SB_CTL, -AENDERN_SCROLL_GRENZE, AENDERN_SCROLL_GRENZE, FALSE);
    SetScrollPos(scroll, SB_CTL, 0, TRUE);
    CheckRadioButton(dlg, IDC_CHANGE_STUFE, IDC_CHANGE_STUFE + AENDERN_STUFEN - 1,
                     IDC_CHANGE_STUFE + AENDERN_STANDARD_STUFE);
    SetDlgItemInt(dlg, IDC_CHANGE_NUMMER, static_cast<UINT>(FitFunctionCount), TRUE);
    if (AendernZeigeFunktion(zustand, 1)) {
        Zeigen(dlg);
        return;
    }
    // A window without a model: nothing to walk through or change.
    for (int32_t j = 0; j < AENDERN_ZEILEN; ++j) {
        ShowWindow(GetDlgItem(dlg, IDC_CHANGE_TITEL + j), SW_HIDE);
        ShowWindow(GetDlgItem(dlg, IDC_CHANGE_WERT + j), SW_HIDE);
    }
    for (int id : {IDC_CHANGE_WEITER, IDC_CHANGE_ZURUECK, IDC_CHANGE_GEHE, IDC_CHANGE_ANWENDEN})
        EnableWindow(GetDlgItem(dlg, id), FALSE);
    ShowWindow(GetDlgItem(dlg, IDC_CHANGE_FLAECHE), SW_HIDE);
    SetDlgItemTextA(dlg, IDC_CHANGE_NAME, "no fit function chosen");
    GrafikAnzeige.GewaehlteFunktion = 0;
}

}  // namespace

INT_PTR CALLBACK ChangeDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        Oeffnen(dlg);
        return TRUE;
    case WM_VSCROLL:
        if (reinterpret_cast<HWND>(lParam) != GetDlgItem(dlg, IDC_CHANGE_SCROLL)) return FALSE;
        Scrollen(dlg, LOWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        Schliessen(dlg);
        return TRUE;
    case WM_COMMAND: break;
    default: return FALSE;
    }
    const int id = LOWORD(wParam);
    if (id >= IDC_CHANGE_WERT && id < IDC_CHANGE_WERT + AENDERN_ZEILEN) {
        if (HIWORD(wParam) != EN_SETFOCUS) return FALSE;
        zustand.Zeile = id - IDC_CHANGE_WERT;
        return TRUE;
    }
    if (id >= IDC_CHANGE_STUFE && id < IDC_CHANGE_STUFE + AENDERN_STUFEN) {
        zustand.Schritt = AENDERN_SCHRITTE[id - IDC_CHANGE_STUFE];
        return TRUE;
    }
    switch (id) {
    case IDC_CHANGE_WEITER:
        if (Gehe(dlg, zustand.Funktion + 1)) Neuzeichnen();
        return TRUE;
    case IDC_CHANGE_ZURUECK:
        if (Gehe(dlg, zustand.Funktion - 1)) Neuzeichnen();
        return TRUE;
    case IDC_CHANGE_GEHE:
        if (Gehe(dlg, DialogGanzzahl(dlg, IDC_CHANGE_NUMMER))) Neuzeichnen();
        return TRUE;
    case IDC_CHANGE_ANWENDEN: Anwenden(dlg); return TRUE;
    case IDC_CHANGE_FLAECHE: Flaechen(dlg); return TRUE;
    case IDC_DLG_HELP: DialogHilfe(AENDERN_HILFE); return TRUE;
    case IDOK:
    case IDCANCEL: Schliessen(dlg); return TRUE;
    default: return FALSE;
    }
}

int32_t AendernDialogOeffnen()
{
    if (AendernDialog) {
        BringWindowToTop(AendernDialog);
        return 1;
    }
    if (!ModellLaden()) {
        FehlerCode = 111;
        return 0;
    }
    // HilfeThema stays as it is while the dialog is open: the graphic
    // window repaints on its redraw command only while it is 0.
    AendernDialog = CreateDialogParamA(ProgrammModul(), "CHANGE", HAUPTDATEN.Hauptfenster, ChangeDlgProc, 0);
    if (!AendernDialog) return 0;
    ShowWindow(AendernDialog, SW_SHOW);
    return 1;
}
