// The correlation dialog SET_CORRELATION.
#include "fit/correlation_win.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fit/correlation.h"
#include "fit/fit_model.h"
#include "fit/model_function.h"
#include "resource_ids.h"
#include "shell/dialog_helpers.h"

namespace {

struct KORRELATIONS_ZUSTAND {
    int32_t Sp = -1;
    std::vector<KORRELATIONS_EINTRAG> Liste;
};
KORRELATIONS_ZUSTAND K;

// Position of parameter j inside its function, -1 outside the model.
int32_t Spalte(int32_t j)
{
    int32_t q = 0;
    for (int32_t k = 0; k < FitFunctionCount; ++k) {
        const int32_t n = FunctionParameterCount(FitFunctionTypes[k], FitPolyDegree, SplineKnotCount);
        if (j >= q && j < q + n) return j - q;
        q += n;
    }
    return -1;
}

void Eintrag(HWND dlg, int id, int32_t j, bool combo)
{
    const std::string t = ParameterZeile(j);
    const UINT add = combo ? CB_ADDSTRING : LB_ADDSTRING;
    const UINT data = combo ? CB_SETITEMDATA : LB_SETITEMDATA;
    const LRESULT i = SendDlgItemMessageA(dlg, id, add, 0, reinterpret_cast<LPARAM>(t.c_str()));
    if (i >= 0) SendDlgItemMessageA(dlg, id, data, static_cast<WPARAM>(i), j);
}

// List 110 and the combo: with alle, every parameter that is not
// correlated; else the free, uncorrelated ones of SP's column.
void Fuellen(HWND dlg, bool alle)
{
    SendDlgItemMessageA(dlg, IDC_KO_FREE, LB_RESETCONTENT, 0, 0);
    SendDlgItemMessageA(dlg, IDC_KO_THIRD, CB_RESETCONTENT, 0, 0);
    SendDlgItemMessageA(dlg, IDC_KO_THIRD, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("none"));
    SendDlgItemMessageA(dlg, IDC_KO_THIRD, CB_SETITEMDATA, 0, static_cast<LPARAM>(-1));
    const int32_t spalte = Spalte(K.Sp);
    for (int32_t j = 0; j <= MaxParameter; ++j) {
        if (j == K.Sp) continue;
        bool schonDa = false;
        for (const KORRELATIONS_EINTRAG& e : K.Liste) schonDa = schonDa || e.Parameter == j;
        const bool gleicheSpalte = Spalte(j) == spalte;
        const int32_t fl = ParameterFlags[j];
        if (alle ? !(fl & PF_CORRELATED) : (gleicheSpalte && !(fl & (PF_FIXED | PF_CORRELATED))))
            if (!schonDa) Eintrag(dlg, IDC_KO_FREE, j, false);
        if (alle || gleicheSpalte) Eintrag(dlg, IDC_KO_THIRD, j, true);
    }
    SendDlgItemMessageA(dlg, IDC_KO_THIRD, CB_SETCURSEL, 0, 0);
}

// " Show MS paths": list 110 and the combo from the FEFF paths after the
// first function only, in SP's column; the box on admits paths of two or
// more legs, off only single scattering.
void PfadeFuellen(HWND dlg, bool mehrBeine)
{
    SendDlgItemMessageA(dlg, IDC_KO_FREE, LB_RESETCONTENT, 0, 0);
    SendDlgItemMessageA(dlg, IDC_KO_THIRD, CB_RESETCONTENT, 0, 0);
    SendDlgItemMessageA(dlg, IDC_KO_THIRD, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("none"));
    SendDlgItemMessageA(dlg, IDC_KO_THIRD, CB_SETITEMDATA, 0, static_cast<LPARAM>(-1));
    for (int32_t j : KorrelationsKandidaten(K.Sp, false, true, mehrBeine, true, false)) {
        bool schonDa = false;
        for (const KORRELATIONS_EINTRAG& e : K.Liste) schonDa = schonDa || e.Parameter == j;
        if (!schonDa) Eintrag(dlg, IDC_KO_FREE, j, false);
    }
    for (int32_t j : KorrelationsKandidaten(K.Sp, false, true, mehrBeine, false, false))
        Eintrag(dlg, IDC_KO_THIRD, j, true);
    SendDlgItemMessageA(dlg, IDC_KO_THIRD, CB_SETCURSEL, 0, 0);
}

bool Gecheckt(HWND dlg, int id) { return IsDlgButtonChecked(dlg, id) == BST_CHECKED; }
void Zeige(HWND dlg, int id, bool an) { ShowWindow(GetDlgItem(dlg, id), an ? SW_SHOW : SW_HIDE); }

int32_t Dritter(HWND dlg)
{
    const LRESULT i = SendDlgItemMessageA(dlg, IDC_KO_THIRD, CB_GETCURSEL, 0, 0);
    if (i <= 0) return -1;
    return static_cast<int32_t>(SendDlgItemMessageA(dlg, IDC_KO_THIRD, CB_GETITEMDATA, static_cast<WPARAM>(i), 0));
}

void Anfuegen(HWND dlg)
{
    HWND frei = GetDlgItem(dlg, IDC_KO_FREE);
    const LRESULT n = SendMessageA(frei, LB_GETSELCOUNT, 0, 0);
    if (n < 0) return;
    std::vector<int> pos(static_cast<size_t>(n) + 1);
    SendMessageA(frei, LB_GETSELITEMS, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(pos.data()));
    pos.resize(static_cast<size_t>(n));
    std::vector<int32_t> gewaehlt;
    for (int p : pos) gewaehlt.push_back(static_cast<int32_t>(SendMessageA(frei, LB_GETITEMDATA, p, 0)));
    KORRELATION art = KORR_MAL;
    if (Gecheckt(dlg, IDC_KO_EQUAL)) art = KORR_GLEICH;
    else if (Gecheckt(dlg, IDC_KO_SUM)) art = KORR_SUMME;
    else if (Gecheckt(dlg, IDC_KO_PLUS)) art = KORR_PLUS;
    else if (Gecheckt(dlg, IDC_KO_MINUS)) art = KORR_MINUS;
    else if (Gecheckt(dlg, IDC_KO_DIV)) art = KORR_DURCH;
    char wert[21] = "";
    GetDlgItemTextA(dlg, IDC_KO_VALUE, wert, sizeof wert);
    const size_t vorher = K.Liste.size();
    KorrelationenAnfuegen(K.Sp, gewaehlt, art, Dritter(dlg), std::atof(wert), wert, K.Liste);
    for (size_t i = vorher; i < K.Liste.size(); ++i)
        SendDlgItemMessageA(dlg, IDC_KO_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(K.Liste[i].Text.c_str()));
    for (size_t i = pos.size(); i-- > 0;) SendMessageA(frei, LB_DELETESTRING, static_cast<WPARAM>(pos[i]), 0);
    EnableWindow(GetDlgItem(dlg, IDOK), TRUE);
}

}  // namespace

INT_PTR CALLBACK SetCorrelationProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        CenterDialog(dlg);
        K = KORRELATIONS_ZUSTAND{};
        K.Sp = static_cast<int32_t>(lParam);
        CheckDlgButton(dlg, IDC_KO_TIMES, BST_CHECKED);
        SetDlgItemTextA(dlg, IDC_KO_VALUE, "1");
        SetDlgItemTextA(dlg, IDC_KO_SP, ParameterZeile(K.Sp).c_str());
        Fuellen(dlg, false);
        EnableWindow(GetDlgItem(dlg, IDOK), FALSE);
        {
            const bool xafs = FitFunctionCount > 0 && FitFunctionTypes[0] == 25;
            ShowWindow(GetDlgItem(dlg, IDC_KO_SHOW_MS), xafs ? SW_SHOW : SW_HIDE);
            CheckDlgButton(dlg, IDC_KO_SHOW_MS, xafs ? BST_CHECKED : BST_UNCHECKED);
        }
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_KO_EQUAL: {
            const bool an = Gecheckt(dlg, IDC_KO_EQUAL);
            for (int id : {IDC_KO_SUM, IDC_KO_THIRD, IDC_KO_PLUS, IDC_KO_MINUS, IDC_KO_TIMES, IDC_KO_DIV})
                Zeige(dlg, id, !an);
            Zeige(dlg, IDC_KO_VALUE, !an && Dritter(dlg) < 0);
            return TRUE;
        }
        case IDC_KO_SUM: {
            const bool an = Gecheckt(dlg, IDC_KO_SUM);
            for (int id : {IDC_KO_EQUAL, IDC_KO_PLUS, IDC_KO_MINUS, IDC_KO_TIMES, IDC_KO_DIV}) Zeige(dlg, id, !an);
            return TRUE;
        }
        case IDC_KO_THIRD:
            if (HIWORD(wParam) == CBN_SELCHANGE) {
                int erster = -1;
                if (SendDlgItemMessageA(dlg, IDC_KO_FREE, LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(&erster)) == 1 &&
                    SendDlgItemMessageA(dlg, IDC_KO_FREE, LB_GETITEMDATA, erster, 0) == Dritter(dlg))
                    SendDlgItemMessageA(dlg, IDC_KO_THIRD, CB_SETCURSEL, 0, 0);
                Zeige(dlg, IDC_KO_VALUE, Dritter(dlg) < 0);
            }
            return TRUE;
        case IDC_KO_ADD:
            Anfuegen(dlg);
            return TRUE;
        case IDC_KO_SHOW_ALL:
            Fuellen(dlg, true);
            return TRUE;
        case IDC_KO_SHOW_MS:
            PfadeFuellen(dlg, Gecheckt(dlg, IDC_KO_SHOW_MS));
            return TRUE;
        case IDOK:
            KorrelationenSpeichern(K.Sp, K.Liste);
            EndDialog(dlg, 1);
            return TRUE;
        case IDCANCEL:
            EndDialog(dlg, 0);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

namespace {

struct MS_ZUSTAND {
    int32_t Sp = -1;
};
MS_ZUSTAND M;

int32_t Gewaehlt(HWND dlg, bool erste)
{
    HWND liste = GetDlgItem(dlg, erste ? IDC_MS_FIRST : IDC_MS_LAST);
    int pos = -1;
    if (erste) {
        if (SendMessageA(liste, LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(&pos)) != 1) return -1;
    } else {
        pos = static_cast<int>(SendMessageA(liste, LB_GETCURSEL, 0, 0));
    }
    if (pos < 0) return -1;
    return static_cast<int32_t>(SendMessageA(liste, LB_GETITEMDATA, static_cast<WPARAM>(pos), 0));
}

// OK only once both lists have a choice.
void OkZustand(HWND dlg)
{
    EnableWindow(GetDlgItem(dlg, IDOK), Gewaehlt(dlg, true) >= 0 && Gewaehlt(dlg, false) >= 0);
}

void Waehlen(HWND dlg, int id, int32_t j)
{
    HWND liste = GetDlgItem(dlg, id);
    const LRESULT n = SendMessageA(liste, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        if (SendMessageA(liste, LB_GETITEMDATA, static_cast<WPARAM>(i), 0) != j) continue;
        if (id == IDC_MS_FIRST) SendMessageA(liste, LB_SETSEL, TRUE, i);
        else SendMessageA(liste, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
    }
}

}  // namespace

INT_PTR CALLBACK SetMsCorrelationProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG: {
        CenterDialog(dlg);
        M = MS_ZUSTAND{};
        M.Sp = static_cast<int32_t>(lParam);
        CheckDlgButton(dlg, IDC_MS_TRIPLE, BST_CHECKED);
        SetDlgItemTextA(dlg, IDC_MS_SP, ParameterZeile(M.Sp).c_str());
        for (int32_t j : KorrelationsKandidaten(M.Sp, false, false, false, false, false)) {
            Eintrag(dlg, IDC_MS_FIRST, j, false);
            Eintrag(dlg, IDC_MS_LAST, j, false);
        }
        const MS_VORAUSWAHL v = MsVorauswahl(M.Sp);
        for (int32_t j : v.Erste) Waehlen(dlg, IDC_MS_FIRST, j);
        if (v.Letzte >= 0) Waehlen(dlg, IDC_MS_LAST, v.Letzte);
        char text[40];
        std::snprintf(text, sizeof text, "%G", v.Winkel);
        SetDlgItemTextA(dlg, IDC_MS_ANGLE, text);
        OkZustand(dlg);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_MS_FIRST:
        case IDC_MS_LAST:
            if (HIWORD(wParam) == LBN_SELCHANGE) OkZustand(dlg);
            return TRUE;
        case IDOK: {
            const int32_t b = Gewaehlt(dlg, true), e = Gewaehlt(dlg, false);
            if (b < 0 || e < 0) return TRUE;
            char text[21] = "";
            GetDlgItemTextA(dlg, IDC_MS_ANGLE, text, sizeof text);
            SetCorrelation(M.Sp, MsCorrelationWord(b, e), std::atof(text));
            EndDialog(dlg, 1);
            return TRUE;
        }
        case IDCANCEL:
            EndDialog(dlg, 0);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}
