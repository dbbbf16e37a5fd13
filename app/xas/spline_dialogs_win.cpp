// The knot dialogs of the spline background: SPLINE_FIT (number of
// splines and k weight) and AD_SPLINE_FIT (up to five sections, each with
// its knot count and weight exponent, kept in "adv_spline.par").
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "fit/fit_model.h"
#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/haupt_fenster.h"
#include "spectra/spectra_globals.h"
#include "xas/section_dialog.h"
#include "xas/section_dialog_win.h"
#include "xas/xas_background_win.h"
#include "xas/xas_commands_win.h"

namespace {

const int ABSCHNITTE = 5;

double* DW() { return HAUPTDATEN.DialogWerte; }

void Zahl(HWND dlg, int id, const char* format, double v)
{
    char t[40];
    std::snprintf(t, sizeof t, format, v);
    SetDlgItemTextA(dlg, id, t);
}

int32_t Ganzzahl(HWND dlg, int id)
{
    char t[41] = "";
    GetDlgItemTextA(dlg, id, t, sizeof t);
    return static_cast<int32_t>(std::strtol(t, nullptr, 10));
}

double Wert(HWND dlg, int id)
{
    char t[41] = "";
    GetDlgItemTextA(dlg, id, t, sizeof t);
    return std::atof(t);
}

grafik_fenster* Fenster()
{
    return AktivesFenster >= 0 && AktivesFenster < 4 ? &GrafikFenster[AktivesFenster] : nullptr;
}

INT_PTR CALLBACK SplineFitProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        CenterDialog(dlg);
        if (HilfeThema != 0) {
            Zahl(dlg, IDC_SF_ANZAHL, "%.0f", FitPolyDegree);
            Zahl(dlg, IDC_SF_GEWICHT, "%.0f", static_cast<int>(DW()[5] + 0.2));
        } else {
            const grafik_fenster* g = Fenster();
            const int32_t n = SplineVorschlag(g ? g->Grenzen[0] : 2.0);
            SplineAnzahl = n;
            Zahl(dlg, IDC_SF_ANZAHL, "%G", n);
            SetDlgItemTextA(dlg, IDC_SF_GEWICHT, "3");
        }
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            DW()[5] = Ganzzahl(dlg, IDC_SF_GEWICHT);
            EndDialog(dlg, Ganzzahl(dlg, IDC_SF_ANZAHL));
        } else if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dlg, 0);
        }
        return TRUE;
    default: return FALSE;
    }
}

void AbschnittZeigen(HWND dlg, int i, bool an)
{
    for (int id : {IDC_AS_GRAD + i, IDC_AS_GRAD_SPIN + i, IDC_AS_WICHTUNG + i, IDC_AS_WICHTUNG_SPIN + i})
        ShowWindow(GetDlgItem(dlg, id), an ? SW_SHOW : SW_HIDE);
}

void AdOeffnen(HWND dlg)
{
    CenterDialog(dlg);
    SetDlgItemTextA(dlg, IDC_AS_GEWICHT, "2");
    int c = 3;
    for (int i = 0; i < ABSCHNITTE; ++i) {
        SetDlgItemTextA(dlg, IDC_AS_GRAD + i, "2");
        SetDlgItemTextA(dlg, IDC_AS_WICHTUNG + i, "2");
    }
    const grafik_fenster* g = Fenster();
    const double* p = g ? g->Parameter : nullptr;
    if (p && p[SPLINE_MARKER_INDEX] == SPLINE_MARKER) {
        c = static_cast<int>(p[1001]);
        c = c < 0 ? 0 : c > ABSCHNITTE ? ABSCHNITTE : c;
        for (int i = 0; i < c; ++i) {
            Zahl(dlg, IDC_AS_GRAD + i, "%.0f", static_cast<int>(p[1002 + i]));
            Zahl(dlg, IDC_AS_WICHTUNG + i, "%.0f", static_cast<int>(p[1011 + i]));
        }
    } else if (std::FILE* f = std::fopen(ProgrammDatei("adv_spline.par").c_str(), "rb")) {
        std::string text;
        char block[512];
        size_t n;
        while ((n = std::fread(block, 1, sizeof block, f)) > 0 && text.size() < 4096) text.append(block, n);
        std::fclose(f);
        AdvSpline a;
        if (LeseAdvSpline(text, &a)) {
            Zahl(dlg, IDC_AS_GEWICHT, "%.0f", a.KGewicht);
            c = static_cast<int>(a.Grad.size());
            for (int i = 0; i < c; ++i) {
                Zahl(dlg, IDC_AS_GRAD + i, "%.0f", a.Grad[i]);
                Zahl(dlg, IDC_AS_WICHTUNG + i, "%.0f", a.Gewicht[i]);
            }
        }
    }
    for (int i = 0; i < ABSCHNITTE; ++i) {
        CheckDlgButton(dlg, IDC_AS_ABSCHNITT + i, i < c ? BST_CHECKED : BST_UNCHECKED);
        AbschnittZeigen(dlg, i, i < c);
    }
}

void AdOk(HWND dlg)
{
    grafik_fenster* g = Fenster();
    double* p = g ? g->Parameter : nullptr;
    AdvSpline a;
    int32_t summe = 0;
    if (p) p[1001] = 0.0;
    for (int i = 0; i < ABSCHNITTE; ++i) {
        if (IsDlgButtonChecked(dlg, IDC_AS_ABSCHNITT + i) != BST_CHECKED) continue;
        const int32_t grad = Ganzzahl(dlg, IDC_AS_GRAD + i), gewicht = Ganzzahl(dlg, IDC_AS_WICHTUNG + i);
        a.Grad.push_back(grad);
        a.Gewicht.push_back(gewicht);
        summe += grad;
        if (p) {
            p[SPLINE_MARKER_INDEX] = SPLINE_MARKER;
            p[1001] += 1.0;
            const int k = static_cast<int>(a.Grad.size());
            p[1001 + k] = grad;
            p[1010 + k] = gewicht;
        }
    }
    if (a.Grad.empty()) {
        // The engine needs a section to place its knots in.
        MeldungsBox(dlg, "Please check at least one section.", "Caution !!", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    DW()[5] = Wert(dlg, IDC_AS_GEWICHT);
    if (std::FILE* f = std::fopen(ProgrammDatei("adv_spline.par").c_str(), "w")) {
        const std::string t = SchreibeAdvSpline(DW()[5], a);
        std::fwrite(t.data(), 1, t.size(), f);
        std::fclose(f);
    }
    EndDialog(dlg, summe + 1);
}

INT_PTR CALLBACK AdSplineFitProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        AdOeffnen(dlg);
        return TRUE;
    case WM_VSCROLL: {
        const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
        const int schritt = LOWORD(wParam) == SB_LINEUP ? 1 : LOWORD(wParam) == SB_LINEDOWN ? -1 : 0;
        if (!schritt) return TRUE;
        const bool grad = id >= IDC_AS_GRAD_SPIN && id < IDC_AS_GRAD_SPIN + ABSCHNITTE;
        const bool gewicht = id >= IDC_AS_WICHTUNG_SPIN && id < IDC_AS_WICHTUNG_SPIN + ABSCHNITTE;
        if (!grad && !gewicht) return TRUE;
        const int feld = grad ? IDC_AS_GRAD + (id - IDC_AS_GRAD_SPIN) : IDC_AS_WICHTUNG + (id - IDC_AS_WICHTUNG_SPIN);
        const int v = Ganzzahl(dlg, feld) + schritt;
        if ((grad && v >= 1 && v <= 10) || (gewicht && v >= 0 && v <= 6)) Zahl(dlg, feld, "%.0f", v);
        return TRUE;
    }
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id >= IDC_AS_ABSCHNITT && id < IDC_AS_ABSCHNITT + ABSCHNITTE && HIWORD(wParam) == BN_CLICKED) {
            const int i = id - IDC_AS_ABSCHNITT;
            const bool an = IsDlgButtonChecked(dlg, id) == BST_CHECKED;
            AbschnittZeigen(dlg, i, an);
            if (an) {
                SetDlgItemTextA(dlg, IDC_AS_GRAD + i, "1");
                SetDlgItemTextA(dlg, IDC_AS_WICHTUNG + i, "1");
            }
        } else if (id == IDOK) {
            AdOk(dlg);
        } else if (id == IDCANCEL) {
            EndDialog(dlg, 0);
        }
        return TRUE;
    }
    default: return FALSE;
    }
}

}  // namespace

int32_t SplineFitDialog()
{
    const INT_PTR r = DialogBoxParamA(GetModuleHandleA(nullptr), "SPLINE_FIT", HAUPTDATEN.Hauptfenster, SplineFitProc, 0);
    return r > 0 ? static_cast<int32_t>(r) : 0;
}

int32_t AdSplineFitDialog()
{
    const INT_PTR r =
        DialogBoxParamA(GetModuleHandleA(nullptr), "AD_SPLINE_FIT", HAUPTDATEN.Hauptfenster, AdSplineFitProc, 0);
    return r > 0 ? static_cast<int32_t>(r) : 0;
}
