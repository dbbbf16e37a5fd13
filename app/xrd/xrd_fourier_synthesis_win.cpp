// Command 903's dialog FOURIERSYNTHESE: the period length, f(0) and the
// coefficients of the cosine series that the window will show.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "fit/fit_model.h"
#include "fit/model_function.h"
#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "xrd/xrd_fourier_synthesis.h"
#include "xrd/xrd_fourier_synthesis_win.h"

namespace {

// The count of edit 40's lines into edit 201 and the number column.
void Zaehlen(HWND dlg)
{
    const int32_t n = static_cast<int32_t>(SendDlgItemMessageA(dlg, IDC_FS_KOEFFIZIENTEN, EM_GETLINECOUNT, 0, 0));
    ZeigeDialogZahl(dlg, IDC_FS_ANZAHL, n, "%.0f");
    const int32_t zeilen = static_cast<int32_t>(SendDlgItemMessageA(dlg, IDC_FS_NUMMERN, EM_GETLINECOUNT, 0, 0));
    if (zeilen < n + 1) {
        SetDlgItemTextA(dlg, IDC_FS_NUMMERN, SyntheseZeilenNummern(n).c_str());
        // The refilled column starts at its top: bring it level again.
        const LRESULT oben = SendDlgItemMessageA(dlg, IDC_FS_KOEFFIZIENTEN, EM_GETFIRSTVISIBLELINE, 0, 0);
        SendDlgItemMessageA(dlg, IDC_FS_NUMMERN, EM_LINESCROLL, 0, oben);
    }
}

// Keeps the numbers beside their lines.
void Angleichen(HWND dlg)
{
    const LRESULT oben = SendDlgItemMessageA(dlg, IDC_FS_KOEFFIZIENTEN, EM_GETFIRSTVISIBLELINE, 0, 0);
    const LRESULT nummern = SendDlgItemMessageA(dlg, IDC_FS_NUMMERN, EM_GETFIRSTVISIBLELINE, 0, 0);
    SendDlgItemMessageA(dlg, IDC_FS_NUMMERN, EM_LINESCROLL, 0, oben - nummern);
}

// OK: nothing is stored unless every value is usable.
bool Uebernehmen(HWND dlg)
{
    const double l = DialogZahl(dlg, IDC_FS_PERIODE);
    if (!(l > 0.0) || !std::isfinite(l)) {
        DialogFeldFehler(dlg, IDC_FS_PERIODE, "The length L must be larger than 0.");
        return false;
    }
    const double f0 = DialogZahl(dlg, IDC_FS_F0);
    if (!std::isfinite(f0)) {
        DialogFeldFehler(dlg, IDC_FS_F0, "Please enter a number for f(0).");
        return false;
    }
    std::vector<double> c;
    int32_t zeile = 0;
    const SyntheseStatus s = SyntheseKoeffizientenLesen(DialogText(dlg, IDC_FS_KOEFFIZIENTEN), c, &zeile);
    if (s != SYNTHESE_OK) {
        char t[160];
        if (s == SYNTHESE_KEINE_ZAHL)
            std::snprintf(t, sizeof t, "Line %d of the coefficients holds no number.", static_cast<int>(zeile));
        else if (s == SYNTHESE_ZU_WENIGE)
            std::snprintf(t, sizeof t, "The synthesis needs at least 3 coefficients, one a line.");
        else
            std::snprintf(t, sizeof t, "At most %d coefficients fit into the model.",
                          static_cast<int>(SYNTHESE_MAX_KOEFFIZIENTEN));
        DialogFeldFehler(dlg, IDC_FS_KOEFFIZIENTEN, t);
        return false;
    }
    const int32_t n = static_cast<int32_t>(c.size());
    FourierOrdnung = n;
    FourierPeriode = l;
    SyntheseF0 = f0;
    if (FitParameters) FitParameters[0] = f0;
    CommandArgs[0] = n;
    for (int32_t k = 1; k <= n; ++k) {
        if (FitParameters) FitParameters[k] = c[static_cast<std::size_t>(k - 1)];
        CommandArgs[k] = c[static_cast<std::size_t>(k - 1)];
        if (FreeParameterList) FreeParameterList[k] = k;
    }
    return true;
}

INT_PTR CALLBACK FourierSyntheseDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG: {
        CenterDialog(dlg);
        CheckRadioButton(dlg, IDC_FS_FENSTER, IDC_FS_EINGABE, IDC_FS_EINGABE);
        const int32_t n = FourierOrdnung;
        SetDlgItemTextA(dlg, IDC_FS_NUMMERN, SyntheseZeilenNummern(n).c_str());
        ZeigeDialogZahl(dlg, IDC_FS_PERIODE, FourierPeriode);
        ZeigeDialogZahl(dlg, IDC_FS_F0, SyntheseF0);
        if (n > 0 && n <= SYNTHESE_MAX_KOEFFIZIENTEN && CommandArgs[0] == n)
            SetDlgItemTextA(dlg, IDC_FS_KOEFFIZIENTEN, SyntheseKoeffizientenText(CommandArgs + 1, n).c_str());
        Zaehlen(dlg);
        SetFocus(GetDlgItem(dlg, IDC_FS_KOEFFIZIENTEN));
        return FALSE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_FS_KOEFFIZIENTEN:
            if (HIWORD(wParam) == EN_CHANGE) Zaehlen(dlg);
            if (HIWORD(wParam) == EN_VSCROLL || HIWORD(wParam) == EN_CHANGE) Angleichen(dlg);
            return TRUE;
        case IDOK:
            if (Uebernehmen(dlg)) EndDialog(dlg, 1);
            return TRUE;
        case IDCANCEL:
            EndDialog(dlg, 0);
            return TRUE;
        default:
            break;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

}  // namespace

INT_PTR FourierSyntheseDialog(HWND besitzer)
{
    return DialogBoxParamA(ProgrammModul(), "FOURIERSYNTHESE", besitzer, FourierSyntheseDlgProc, 0);
}
