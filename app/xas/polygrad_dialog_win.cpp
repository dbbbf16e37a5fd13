// GETPOLYGRAD: the small input dialog of polynomial degrees, edge
// energies, k weights and the XRD wavelength, one mode per caller (chosen
// by HilfeThema before it opens).
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fit/fit_model.h"
#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "spectra/data_commands_win.h"
#include "spectra/spectra_globals.h"
#include "xas/mcmaster.h"
#include "xas/xas_commands_win.h"

namespace {

struct PolyZustand {
    int32_t Modus = 0;
    int32_t Fenster = -1;
};
PolyZustand Poly;

double* DW() { return HAUPTDATEN.DialogWerte; }

void Zeige(HWND dlg, int id, const char* text = nullptr)
{
    ShowWindow(GetDlgItem(dlg, id), SW_SHOW);
    if (text) SetDlgItemTextA(dlg, id, text);
}

void Setze(HWND dlg, int id, const char* format, double wert)
{
    char text[64];
    std::snprintf(text, sizeof text, format, wert);
    SetDlgItemTextA(dlg, id, text);
}

// Lines 1 and 2 of a settings file into fields 201 and 100 (defaults stay
// where a line is missing or empty).
void LiesEinstellungen(HWND dlg, const char* datei)
{
    std::FILE* f = std::fopen(ProgrammDatei(datei).c_str(), "r");
    if (!f) return;
    const int ids[2] = {IDC_POLY_FELD, IDC_POLY_FELD2};
    for (int id : ids) {
        char zeile[101];
        if (!std::fgets(zeile, sizeof zeile, f)) break;
        zeile[std::strcspn(zeile, "\r\n")] = '\0';
        if (zeile[0]) SetDlgItemTextA(dlg, id, zeile);
    }
    std::fclose(f);
}

void SchreibeEinstellungen(const char* datei, int32_t a, int32_t b)
{
    std::FILE* f = std::fopen(ProgrammDatei(datei).c_str(), "w");
    if (!f) return;
    std::fprintf(f, "%d\n%d\n", static_cast<int>(a), static_cast<int>(b));
    std::fclose(f);
}

double Feld(HWND dlg, int id)
{
    char text[31] = {};
    GetDlgItemTextA(dlg, id, text, sizeof text);
    return std::atof(text);
}

// An element symbol in the field becomes its edge energy and the dialog
// stays open (true); an unknown symbol is refused with a message.
bool ElementPruefung(HWND dlg, int id)
{
    char text[51] = {};
    GetDlgItemTextA(dlg, id, text, sizeof text);
    const char* t = text;
    while (*t == ' ') ++t;
    if (std::isdigit(static_cast<unsigned char>(*t)) || *t == '.' || *t == '-' || *t == '+') return false;
    char symbol[51];
    std::snprintf(symbol, sizeof symbol, "%s", t);
    const double e = std::strlen(symbol) <= 3 ? GetEdgeEnergy(symbol) : 0.0;
    if (e > 0.0) {
        Setze(dlg, id, "%.5G", e);
    } else {
        char meldung[120];
        std::snprintf(meldung, sizeof meldung, "\"%s\" is no element of the absorption table.", t);
        MeldungsBox(dlg, meldung, "Caution !!", MB_OK | MB_ICONEXCLAMATION);
    }
    SetFocus(GetDlgItem(dlg, id));
    return true;
}

void Oeffnen(HWND dlg)
{
    CenterDialog(dlg);
    Poly.Fenster = AktivesFenster;
    grafik_fenster* g = (AktivesFenster >= 0 && AktivesFenster < 4) ? &GrafikFenster[AktivesFenster] : nullptr;
    if (g) {
        if (g->Parameter) FitParameters = g->Parameter;
        FitPolyDegree = g->PolyGrad;
    }
    switch (Poly.Modus) {
    case 0: Setze(dlg, IDC_POLY_FELD, "%.0f", static_cast<double>(FitPolyDegree)); break;
    case 1:
        SetWindowTextA(dlg, "Energy calibration");
        SetDlgItemTextA(dlg, IDC_POLY_GRUPPE, "  edge energy  (in keV)");
        Setze(dlg, IDC_POLY_FELD, "%.8G", DW()[0]);
        Zeige(dlg, IDC_POLY_SYMBOL);
        break;
    case 2: {
        SetWindowTextA(dlg, "k - Weighting");
        SetDlgItemTextA(dlg, IDC_POLY_GRUPPE, " Spectrum weighted with k^x");
        const bool gewichtet = g && (g->KurvenFlags[g->AktuellerSlot()] & SLOT_K_GEWICHTET);
        Setze(dlg, IDC_POLY_FELD, "%G", gewichtet ? g->KGewichtVon(g->AktuellerSlot()) : 0.0);
        break;
    }
    case 3:
        SetWindowTextA(dlg, "Victoreen-Fit");
        SetDlgItemTextA(dlg, IDC_POLY_GRUPPE, " Victoreen-coefficients");
        Zeige(dlg, IDC_POLY_TEXT1);
        Zeige(dlg, IDC_POLY_TEXT2);
        Zeige(dlg, IDC_POLY_TEXT3);
        Zeige(dlg, IDC_POLY_FELD2);
        Zeige(dlg, IDC_POLY_FELD3);
        if (FitParameters) {
            Setze(dlg, IDC_POLY_FELD, "%.0f", std::trunc(FitParameters[50]));
            Setze(dlg, IDC_POLY_FELD2, "%.0f", std::trunc(FitParameters[51]));
            Setze(dlg, IDC_POLY_FELD3, "%.0f", std::trunc(FitParameters[52]));
        }
        break;
    case 4:
    case 5:
        SetWindowTextA(dlg, Poly.Modus == 4 ? "Define edge energy" : "Set E0 for reference");
        SetDlgItemTextA(dlg, IDC_POLY_GRUPPE, "  edge energy  (in keV)");
        Setze(dlg, IDC_POLY_FELD, "%.8G", DW()[0]);
        Zeige(dlg, IDC_POLY_SYMBOL);
        break;
    case 6:
        Zeige(dlg, IDC_POLY_TEXT2, "  k Weight");
        Zeige(dlg, IDC_POLY_FELD2);
        SetDlgItemTextA(dlg, IDC_POLY_FELD, "6");
        SetDlgItemTextA(dlg, IDC_POLY_FELD2, "3");
        LiesEinstellungen(dlg, "ini_mue-p.par");
        break;
    case 7:
        SetWindowTextA(dlg, "Set degrees for two-polynomial-fit");
        SetDlgItemTextA(dlg, IDC_POLY_GRUPPE, " polynomial degree");
        Zeige(dlg, IDC_POLY_TEXT1, " 1st polynomial");
        Zeige(dlg, IDC_POLY_TEXT2, " 2nd polynomial");
        Zeige(dlg, IDC_POLY_FELD2);
        SetDlgItemTextA(dlg, IDC_POLY_FELD, "1");
        SetDlgItemTextA(dlg, IDC_POLY_FELD2, "1");
        LiesEinstellungen(dlg, "ini_2poly.par");
        break;
    case 8:
        SetWindowTextA(dlg, "Set reference Eo for calibration");
        SetDlgItemTextA(dlg, IDC_POLY_GRUPPE, " Reference Eo - exp. + tab.");
        Zeige(dlg, IDC_POLY_TEXT1, " Experiment. Eo");
        Zeige(dlg, IDC_POLY_TEXT2, " Tabulated Eo");
        Zeige(dlg, IDC_POLY_FELD2, "8.979");
        SetDlgItemTextA(dlg, IDC_POLY_FELD, "8.979");
        Zeige(dlg, IDC_POLY_SYMBOL);
        break;
    case 9:
        SetWindowTextA(dlg, "Set XRD wavelength");
        SetDlgItemTextA(dlg, IDC_POLY_GRUPPE, "  lambda, (pm)");
        Setze(dlg, IDC_POLY_FELD, "%.8G", HAUPTDATEN.Roentgenwellenlaenge);
        break;
    default: break;
    }
}

// OK: false while the dialog is to stay open.
bool Uebernehmen(HWND dlg)
{
    const int32_t m = Poly.Modus;
    if ((m == 1 || m == 4 || m == 5) && ElementPruefung(dlg, IDC_POLY_FELD)) return false;
    if (m == 8 && ElementPruefung(dlg, IDC_POLY_FELD2)) return false;
    grafik_fenster* g = (Poly.Fenster >= 0 && Poly.Fenster < 4) ? &GrafikFenster[Poly.Fenster] : nullptr;
    const double a = Feld(dlg, IDC_POLY_FELD), b = Feld(dlg, IDC_POLY_FELD2), c = Feld(dlg, IDC_POLY_FELD3);
    switch (m) {
    case 0:
    case 6:
        FitPolyDegree = static_cast<int32_t>(a);
        if (g) g->PolyGrad = FitPolyDegree;
        if (m == 6) {
            DW()[5] = b;
            SchreibeEinstellungen("ini_mue-p.par", static_cast<int32_t>(a + 0.1), static_cast<int32_t>(b + 0.1));
        }
        break;
    case 1: DW()[1] = a; break;
    case 2:
    case 4:
    case 5: DW()[0] = a; break;
    case 3:
        if (FitParameters) {
            FitParameters[50] = static_cast<int32_t>(a);
            FitParameters[51] = static_cast<int32_t>(b);
            FitParameters[52] = static_cast<int32_t>(c);
        }
        break;
    case 7:
        DW()[3] = static_cast<int32_t>(a);
        DW()[4] = static_cast<int32_t>(b);
        SchreibeEinstellungen("ini_2poly.par", static_cast<int32_t>(a), static_cast<int32_t>(b));
        break;
    case 8:
        DW()[0] = a;
        DW()[1] = b;
        break;
    case 9:
        DW()[0] = a;
        HAUPTDATEN.Roentgenwellenlaenge = a;
        break;
    default: break;
    }
    return true;
}

}  // namespace

INT_PTR CALLBACK GetPolyGradProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        Oeffnen(dlg);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            if (Uebernehmen(dlg)) EndDialog(dlg, 1);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dlg, 0);
            return TRUE;
        }
        return FALSE;
    default: return FALSE;
    }
}

INT_PTR PolyGradDialogOeffnen(HWND besitzer)
{
    Poly.Modus = HilfeThema;
    HINSTANCE inst = HAUPTDATEN.Instanz ? HAUPTDATEN.Instanz : GetModuleHandleA(nullptr);
    return DialogBoxParamA(inst, "GETPOLYGRAD", besitzer, GetPolyGradProc, 0);
}

int32_t PolynomGradDialog()
{
    HilfeThema = 0;
    if (PolyGradDialogOeffnen(HAUPTDATEN.Hauptfenster) <= 0) return 0;
    return FitPolyDegree + 1;
}
