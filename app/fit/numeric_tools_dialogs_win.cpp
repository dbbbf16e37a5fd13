// The dialogs of the Numeric menu's curve tools: they read and check their
// fields, fill DialogWerte and leave the computing to the tools' handlers.
#include "fit/numeric_tools_dialogs_win.h"

#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/data_dialogs.h"

namespace {

const int FSMOOTH_HILFE = 501;
// The longest interval the smoothing accepts: the arrays grow by twice
// the interval, so it stays well inside a curve.
const int32_t FSMOOTH_MAX_INTERVALL = FUNKTION_MAX_PUNKTE / 4;

// A whole number typed into field id; shows an error and returns false
// for text that is none.
bool Ganzzahl(HWND dlg, int id, const char* fehler, int32_t* wert)
{
    char text[32] = "";
    GetDlgItemTextA(dlg, id, text, sizeof text);
    if (LiesGanzzahl(text, wert)) return true;
    DialogFeldFehler(dlg, id, fehler);
    return false;
}

// Help (when the dialog has a topic) and Cancel, the same in every dialog
// here; Cancel ends with 0.
bool HilfeOderAbbruch(HWND dlg, WORD befehl, int hilfe)
{
    if (befehl == IDC_DLG_HELP) {
        if (hilfe > 0) DialogHilfe(hilfe);
        return true;
    }
    if (befehl == IDCANCEL) {
        EndDialog(dlg, 0);
        return true;
    }
    return false;
}

// The new number of points of SPLINE and POLINT: anything below `minimum`
// or above the largest curve is refused with message 108 and ends with 0;
// text that is no whole number is shown as an error and the dialog stays.
INT_PTR PunkteDialog(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam, int32_t minimum, int hilfe)
{
    if (msg == WM_INITDIALOG) {
        CenterDialog(dlg);
        const int32_t n = static_cast<int32_t>(lParam);
        SetDlgItemInt(dlg, IDC_NT_PUNKTE, static_cast<UINT>(n), TRUE);
        SetDlgItemInt(dlg, IDC_NT_NEUE_PUNKTE, static_cast<UINT>(n), TRUE);
        SendDlgItemMessageA(dlg, IDC_NT_NEUE_PUNKTE, EM_LIMITTEXT, 12, 0);
        return TRUE;
    }
    if (msg != WM_COMMAND) return FALSE;
    if (HilfeOderAbbruch(dlg, LOWORD(wParam), hilfe)) return TRUE;
    if (LOWORD(wParam) == IDOK) {
        int32_t m = 0;
        if (!Ganzzahl(dlg, IDC_NT_NEUE_PUNKTE, "The new number of points must be a whole number.", &m))
            return TRUE;
        if (m < minimum || m > FUNKTION_MAX_PUNKTE) {
            FehlerCode = 108;
            EndDialog(dlg, 0);
            return TRUE;
        }
        HAUPTDATEN.DialogWerte[0] = m;
        EndDialog(dlg, m);
        return TRUE;
    }
    return FALSE;
}

int32_t bsplinePunkte = 0;

}  // namespace

INT_PTR CALLBACK GolaySmoothProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        CenterDialog(dlg);
        CheckRadioButton(dlg, IDC_GOLAY_GRAD01, IDC_GOLAY_GRAD45, IDC_GOLAY_GRAD45);
        SetDlgItemTextA(dlg, IDC_GOLAY_INTERVALL, "5");
        SetDlgItemTextA(dlg, IDC_GOLAY_DURCHLAEUFE, "2");
        return TRUE;
    }
    if (msg != WM_COMMAND) return FALSE;
    if (HilfeOderAbbruch(dlg, LOWORD(wParam), 508)) return TRUE;
    if (LOWORD(wParam) == IDOK) {
        int32_t intervall = 0, durchlaeufe = 0;
        if (!Ganzzahl(dlg, IDC_GOLAY_INTERVALL, "The interval must be a whole number.", &intervall) ||
            !Ganzzahl(dlg, IDC_GOLAY_DURCHLAEUFE, "The number of iterations must be a whole number.",
                      &durchlaeufe))
            return TRUE;
        if (intervall < 0) intervall = -intervall;
        if (durchlaeufe < 0) durchlaeufe = -durchlaeufe;
        const int32_t klasse = IsDlgButtonChecked(dlg, IDC_GOLAY_GRAD01) == BST_CHECKED   ? 1
                               : IsDlgButtonChecked(dlg, IDC_GOLAY_GRAD23) == BST_CHECKED ? 2
                                                                                          : 3;
        HAUPTDATEN.DialogWerte[0] = durchlaeufe;
        HAUPTDATEN.DialogWerte[1] = klasse;
        HAUPTDATEN.DialogWerte[2] = intervall;
        EndDialog(dlg, durchlaeufe);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK BSplineProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG) {
        bsplinePunkte = static_cast<int32_t>(lParam);
        SetDlgItemTextA(dlg, IDC_BSPLINE_GRAD, "3");
    }
    if (msg == WM_COMMAND && LOWORD(wParam) == IDOK) {
        int32_t m = 0, grad = 0;
        if (!Ganzzahl(dlg, IDC_NT_NEUE_PUNKTE, "The new number of points must be a whole number.", &m) ||
            !Ganzzahl(dlg, IDC_BSPLINE_GRAD, "The degree must be a whole number.", &grad))
            return TRUE;
        if (m < 2 || m > FUNKTION_MAX_PUNKTE || grad < 2 || grad > bsplinePunkte - 4) {
            FehlerCode = 108;
            EndDialog(dlg, 0);
            return TRUE;
        }
        HAUPTDATEN.DialogWerte[0] = m;
        HAUPTDATEN.DialogWerte[1] = grad;
        EndDialog(dlg, m);
        return TRUE;
    }
    return PunkteDialog(dlg, msg, wParam, lParam, 2, 0);
}

INT_PTR CALLBACK SplineProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    // Two points at least: one would make the step range / 0.
    return PunkteDialog(dlg, msg, wParam, lParam, 2, 503);
}

INT_PTR CALLBACK PolintProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return PunkteDialog(dlg, msg, wParam, lParam, 1, 0);
}

INT_PTR CALLBACK GetFSmoothProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        CenterDialog(dlg);
        SetDlgItemTextA(dlg, IDC_FSMOOTH_INTERVAL, "10");
        SendDlgItemMessageA(dlg, IDC_FSMOOTH_INTERVAL, EM_LIMITTEXT, 12, 0);
        return TRUE;
    }
    if (msg != WM_COMMAND) return FALSE;
    if (HilfeOderAbbruch(dlg, LOWORD(wParam), FSMOOTH_HILFE)) return TRUE;
    if (LOWORD(wParam) == IDOK) {
        char text[32] = "";
        GetDlgItemTextA(dlg, IDC_FSMOOTH_INTERVAL, text, sizeof text);
        int32_t intervall = 0;
        if (!LiesGanzzahl(text, &intervall) || intervall < 0 || intervall > FSMOOTH_MAX_INTERVALL) {
            DialogFeldFehler(dlg, IDC_FSMOOTH_INTERVAL,
                             "The interval must be a whole number from 0 to 250000.");
            return TRUE;
        }
        HAUPTDATEN.DialogWerte[0] = intervall;
        EndDialog(dlg, intervall);
        return TRUE;
    }
    return FALSE;
}

INT_PTR NumerikDialog(int32_t befehl, HWND eigner, int32_t punkte)
{
    const LPARAM n = punkte;
    switch (befehl) {
    case 501: return DialogBoxParamA(ProgrammModul(), "GET_FSMOOTH", eigner, GetFSmoothProc, 0);
    case 503: return DialogBoxParamA(ProgrammModul(), "SPLINE", eigner, SplineProc, n);
    case 508: return DialogBoxParamA(ProgrammModul(), "GOLAYSMOOTH", eigner, GolaySmoothProc, 0);
    case 509: return DialogBoxParamA(ProgrammModul(), "POLINT", eigner, PolintProc, n);
    case 511: return DialogBoxParamA(ProgrammModul(), "BSPLINE", eigner, BSplineProc, n);
    default: return -1;
    }
}
