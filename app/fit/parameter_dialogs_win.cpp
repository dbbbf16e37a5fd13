// The paged parameter table and the constraint dialog.
#include "fit/parameter_dialogs_win.h"

#include <richedit.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fit/correlation_win.h"
#include "fit/fit_choice.h"
#include "fit/fit_model.h"
#include "fit/model_function.h"
#include "fit/parameter_dialogs.h"
#include "fit/parameter_file.h"
#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/spectra_globals.h"

namespace {

const COLORREF WEISS = RGB(255, 255, 255);
const COLORREF CYAN = RGB(0, 255, 255);

// State of the open table.
struct TABELLEN_ZUSTAND {
    int32_t Gesamt = 0;          // function count of the model
    int32_t Seite = 1;
    int32_t Parameter = -1;      // the current parameter index
    int32_t Edit = IDC_PT_VALUE; // the edit that last had the focus
    bool Offen = false;          // set once the opening is done
    TABELLEN_STAND Stand;
};
TABELLEN_ZUSTAND T;

HINSTANCE Modul()
{
    return HAUPTDATEN.Instanz ? HAUPTDATEN.Instanz : GetModuleHandleA(nullptr);
}

void Farbe(HWND dlg, int id, COLORREF c) { SendDlgItemMessageA(dlg, id, EM_SETBKGNDCOLOR, 0, c); }

int32_t Anzahl(int32_t f)
{
    return FunctionParameterCount(FitFunctionTypes[f - 1], FitPolyDegree, SplineKnotCount);
}


// Function and parameter index of a value edit on the current page; -1
// when the edit holds no parameter.
int32_t EditParameter(int id, int32_t& f)
{
    const int r = (id - IDC_PT_VALUE) / 10, c = (id - IDC_PT_VALUE) % 10;
    f = TABELLE_ZEILEN * (T.Seite - 1) + r + 1;
    if (r < 0 || r >= TABELLE_ZEILEN || c >= TABELLE_SPALTEN || f > T.Gesamt || c >= Anzahl(f)) return -1;
    FitFunctionCount = T.Gesamt;
    return ParameterIndex(f, c);
}

void SeiteZeigen(HWND dlg)
{
    ShowParameterRow(dlg, TABELLE_ZEILEN);
    int32_t erste = 0, letzte = 0;
    SeitenFunktionen(T.Gesamt, T.Seite, erste, letzte);
    for (int32_t f = erste; f <= letzte; ++f) {
        const int r = f - erste;
        FitFunctionCount = f;
        SetParameterCaptions(dlg, IDC_PT_VALUE + 10 * r, IDC_PT_FUNCTION + r, IDC_PT_CAPTION + 10 * r);
    }
    FitFunctionCount = T.Gesamt;
    SetDlgItemTextA(dlg, IDOK, T.Seite >= SeitenAnzahl(T.Gesamt) ? "OK" : "Next");
    EnableWindow(GetDlgItem(dlg, IDC_PT_BACK), T.Seite > 1);
}

void SeiteLesen(HWND dlg)
{
    int32_t erste = 0, letzte = 0;
    SeitenFunktionen(T.Gesamt, T.Seite, erste, letzte);
    for (int32_t f = erste; f <= letzte; ++f) {
        FitFunctionCount = f;
        ReadParameterTexts(dlg, IDC_PT_VALUE + 10 * (f - erste));
    }
    FitFunctionCount = T.Gesamt;
}

void FehlerLesen(HWND dlg)
{
    char text[40] = "";
    GetDlgItemTextA(dlg, IDC_PT_ERROR, text, sizeof text);
    const double e = std::atof(text);
    if (e != 0.0) Numerik.SetExpError(e);
}

void Boxen(HWND dlg)
{
    const int32_t j = T.Parameter;
    const int32_t fl = j >= 0 ? ParameterFlags[j] : 0;
    CheckDlgButton(dlg, IDC_PT_FIXED, (fl & PF_FIXED) ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dlg, IDC_PT_CONSTRAIN, (fl & PF_CONSTRAINED) ? BST_CHECKED : BST_UNCHECKED);
    const bool korreliert = j >= 0 && (fl & PF_CORRELATED);
    CheckDlgButton(dlg, IDC_PT_CORRELATION, korreliert ? BST_CHECKED : BST_UNCHECKED);
    EnableWindow(GetDlgItem(dlg, IDC_PT_CORRELATION), !korreliert);
}

void Zurueck(HWND dlg) { SetFocus(GetDlgItem(dlg, T.Edit)); }

std::string SchemaDatei(HWND dlg)
{
    char name[101] = "";
    GetDlgItemTextA(dlg, IDC_PT_SCHEME, name, sizeof name);
    const char* ordner = HAUPTDATEN.ProgrammOrdner ? HAUPTDATEN.ProgrammOrdner : ".";
    return std::string(ordner) + "\\" + name + ".dat";
}

void TabelleOeffnen(HWND dlg, int32_t gesamt)
{
    CenterDialog(dlg);
    T = TABELLEN_ZUSTAND{};
    T.Gesamt = FitFunctionCount = gesamt;
    T.Stand = TabellenMerken();
    const int32_t w = AktivesFenster;
    double fehler = 1.0E-3;
    if (w >= 0 && w < 4 && HAUPTDATEN.GrafikHandles[w]) {
        grafik_fenster& g = GrafikFenster[w];
        if (g.GetYFeld(-1) && g.Punkte() <= g.FeldGroesse()) fehler = RauschSchaetzung(g.GetYFeld(-1), g.Punkte());
    }
    char text[40];
    std::snprintf(text, sizeof text, "%.8G", fehler);
    SetDlgItemTextA(dlg, IDC_PT_ERROR, text);
    if (HilfeThema == -111) SetWindowTextA(dlg, "Enter Parameters for XAFS Simulation");
    if (HilfeThema == -222) SetWindowTextA(dlg, "Enter Parameters for XAFS Fit");
    // Return to the mouse entry belongs to the graphic parameter dialog.
    EnableWindow(GetDlgItem(dlg, IDC_PT_GRAPHIC), FALSE);
    for (int i = 1; i <= 3; ++i) {
        std::snprintf(text, sizeof text, "scheme_%d", i);
        SendDlgItemMessageA(dlg, IDC_PT_SCHEME, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendDlgItemMessageA(dlg, IDC_PT_SCHEME, CB_SETCURSEL, 0, 0);
    const bool xrd = T.Gesamt > 0 && FitFunctionTypes[0] == 26;
    ShowWindow(GetDlgItem(dlg, IDC_PT_XRD_SHIFT), xrd ? SW_SHOW : SW_HIDE);
    if (xrd) CheckDlgButton(dlg, IDC_PT_XRD_SHIFT, (ParameterFlags[1] & PF_E0_SHIFT) ? BST_CHECKED : BST_UNCHECKED);
    SeiteZeigen(dlg);
    T.Offen = true;
    SetFocus(GetDlgItem(dlg, IDC_PT_VALUE));
}

void Festhalten(HWND dlg)
{
    const int32_t j = T.Parameter;
    if (j < 0) return;
    if (ParameterFlags[j] & PF_FIXED) {
        FreeParameter(j);
    } else {
        FixParameter(j);
        CheckDlgButton(dlg, IDC_PT_CONSTRAIN, BST_UNCHECKED);
    }
    Farbe(dlg, T.Edit, ParameterColour(ParameterFlags[j]));
    Zurueck(dlg);
}

void Einschraenken(HWND dlg)
{
    const int32_t j = T.Parameter;
    if (j < 0) return;
    if (ParameterFlags[j] & PF_FIXED) {
        CheckDlgButton(dlg, IDC_PT_CONSTRAIN, BST_UNCHECKED);
        return;
    }
    ParameterFlags[j] ^= PF_CONSTRAINED;
    if (ParameterFlags[j] & PF_CONSTRAINED) {
        const INT_PTR r = DialogBoxParamA(Modul(), "SETCONSTRAIN", dlg, SetConstrainProc, 0);
        const double unten = HAUPTDATEN.DialogWerte[1], oben = HAUPTDATEN.DialogWerte[2];
        if (r != 1 || !(oben > unten)) {
            ParameterFlags[j] &= ~PF_CONSTRAINED;
            CheckDlgButton(dlg, IDC_PT_CONSTRAIN, BST_UNCHECKED);
        } else {
            FitParameters[LowerBoundIndex(j)] = unten;
            FitParameters[UpperBoundIndex(j)] = oben;
        }
    }
    Farbe(dlg, T.Edit, ParameterColour(ParameterFlags[j]));
    Zurueck(dlg);
}

// The correlation box: SP takes the correlated bit while the correlation
// dialog is open; OK makes it the master of the rules chosen there, Cancel
// takes the bit back.
void Korrelieren(HWND dlg)
{
    const int32_t j = T.Parameter;
    if (j < 0 || (ParameterFlags[j] & PF_CORRELATED)) {
        Boxen(dlg);
        return;
    }
    SeiteLesen(dlg);
    ParameterFlags[j] |= PF_CORRELATED;
    int32_t f = 0;
    EditParameter(T.Edit, f);
    const int32_t altesThema = HilfeThema;
    HilfeThema = j - ParameterIndex(f, 0);
    const INT_PTR r = DialogBoxParamA(Modul(), "SET_CORRELATION", dlg, SetCorrelationProc, j);
    HilfeThema = altesThema;
    FitFunctionCount = T.Gesamt;
    if (r != 1) RemoveCorrelation(j);
    SeiteZeigen(dlg);
    Boxen(dlg);
    Zurueck(dlg);
}

void Schema(HWND dlg, bool speichern)
{
    SeiteLesen(dlg);
    const std::string pfad = SchemaDatei(dlg);
    std::FILE* f = std::fopen(pfad.c_str(), speichern ? "wt+" : "rt");
    if (!f) return;  // a scheme that cannot be opened does nothing
    std::string fehler;
    const int32_t gut = speichern ? WriteScheme(f) : ReadScheme(f, false, fehler);
    std::fclose(f);
    if (!speichern && gut != 1)
        MeldungsBox(dlg, (fehler + "\r\nThe parameters were not changed.").c_str(), "Error !!",
                    MB_OK | MB_ICONSTOP);
    SeiteZeigen(dlg);
}

}  // namespace

void ShowParameterRow(HWND dlg, int32_t n)
{
    for (int r = 0; r < n; ++r) {
        ShowWindow(GetDlgItem(dlg, IDC_PT_FUNCTION + r), SW_HIDE);
        for (int c = 0; c < TABELLE_SPALTEN; ++c) {
            ShowWindow(GetDlgItem(dlg, IDC_PT_VALUE + 10 * r + c), SW_HIDE);
            if (n < 5) ShowWindow(GetDlgItem(dlg, IDC_PT_CAPTION + 10 * r + c), SW_HIDE);
        }
    }
}

void ReadParameterTexts(HWND dlg, int32_t ersteId)
{
    const int32_t f = FitFunctionCount;
    if (f < 1 || !FitFunctionTypes || !FitParameters) return;
    const int32_t n = Anzahl(f);
    const int32_t basis = ParameterIndex(f, 0);
    for (int32_t c = 0; c < n && c < TABELLE_SPALTEN; ++c) {
        char text[36] = "";
        GetDlgItemTextA(dlg, ersteId + c, text, sizeof text);
        FitParameters[basis + c] = text[0] ? std::atof(text) : 0.0;
    }
}

void SetParameterCaptions(HWND dlg, int32_t ersteId, int32_t funktionsText, int32_t zeilenText)
{
    const int32_t f = FitFunctionCount;
    if (f < 1 || !FitFunctionTypes || !FitParameters) return;
    int32_t typ = FitFunctionTypes[f - 1];
    if (typ > 100) typ -= 100;
    const int32_t n = Anzahl(f);
    const int32_t basis = ParameterIndex(f, 0);
    if (typ >= 0 && typ < CATALOG_CODES) SetDlgItemTextA(dlg, funktionsText, FitFunctionCatalog[typ].Name);
    ShowWindow(GetDlgItem(dlg, funktionsText), SW_SHOW);
    for (int32_t c = 0; c < TABELLE_SPALTEN; ++c) {
        const bool da = c < n;
        HWND edit = GetDlgItem(dlg, ersteId + c);
        ShowWindow(edit, da ? SW_SHOW : SW_HIDE);
        if (zeilenText != -1) {
            ShowWindow(GetDlgItem(dlg, zeilenText + c), da ? SW_SHOW : SW_HIDE);
            if (da) SetDlgItemTextA(dlg, zeilenText + c, ParameterBeschriftung(typ, c).c_str());
        }
        if (!da) continue;
        const int32_t j = basis + c;
        char text[40];
        std::snprintf(text, sizeof text, "%.8G", FitParameters[j]);
        SetWindowTextA(edit, text);
        SendMessageA(edit, EM_SETBKGNDCOLOR, 0, ParameterColour(ParameterFlags ? ParameterFlags[j] : 0));
    }
}

INT_PTR CALLBACK SetAllParameterProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        TabelleOeffnen(dlg, static_cast<int32_t>(lParam));
        return FALSE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        // Controls report their focus while the dialog is still being made.
        if (!T.Offen) return FALSE;
        if (id >= IDC_PT_VALUE && id < IDC_PT_VALUE + 10 * TABELLE_ZEILEN) {
            int32_t f = 0;
            const int32_t j = EditParameter(id, f);
            if (HIWORD(wParam) == EN_SETFOCUS && j >= 0) {
                T.Edit = id;
                T.Parameter = j;
                Boxen(dlg);
            }
            return TRUE;
        }
        switch (id) {
        case IDC_PT_FIXED:
            Festhalten(dlg);
            return TRUE;
        case IDC_PT_CONSTRAIN:
            Einschraenken(dlg);
            return TRUE;
        case IDC_PT_CORRELATION:
            Korrelieren(dlg);
            return TRUE;
        case IDC_PT_XRD_SHIFT:
            ParameterFlags[1] ^= PF_E0_SHIFT;
            return TRUE;
        case IDC_PT_SCHEME_SAVE:
            Schema(dlg, true);
            return TRUE;
        case IDC_PT_SCHEME_LOAD:
            Schema(dlg, false);
            return TRUE;
        case IDOK:
            FehlerLesen(dlg);
            SeiteLesen(dlg);
            if (T.Seite < SeitenAnzahl(T.Gesamt)) {
                ++T.Seite;
                SeiteZeigen(dlg);
                SetFocus(GetDlgItem(dlg, IDC_PT_VALUE));
                return TRUE;
            }
            FitFunctionCount = T.Gesamt;
            T.Offen = false;
            EndDialog(dlg, 1);
            return TRUE;
        case IDC_PT_BACK:
            SeiteLesen(dlg);
            if (T.Seite > 1) --T.Seite;
            SeiteZeigen(dlg);
            return TRUE;
        case IDCANCEL:
            TabellenZurueck(T.Stand);
            FitFunctionCount = T.Gesamt;
            T.Offen = false;
            EndDialog(dlg, 0);
            return TRUE;
        default:
            return FALSE;
        }
    }
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK SetConstrainProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG: {
        CenterDialog(dlg);
        std::string unten, oben;
        SchrankenVorgaben(HilfeThema, unten, oben);
        SetDlgItemTextA(dlg, IDC_SC_BOTTOM, unten.c_str());
        SetDlgItemTextA(dlg, IDC_SC_TOP, oben.c_str());
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: {
            char text[31] = "";
            GetDlgItemTextA(dlg, IDC_SC_TOP, text, sizeof text);
            const double oben = HilfeThema == 1 && std::strncmp(text, "CN", 2) == 0 ? 9999.0 : std::atof(text);
            GetDlgItemTextA(dlg, IDC_SC_BOTTOM, text, sizeof text);
            HAUPTDATEN.DialogWerte[1] = std::atof(text);
            HAUPTDATEN.DialogWerte[2] = oben;
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

int32_t ParameterTabelle(haupt_fenster* app)
{
    if (FitFunctionCount > 0 && FitFunctionTypes && FitFunctionTypes[0] == 25 && !app->SchmalesFenster) {
        NichtVerfuegbar(136, "The XAFS parameter table");
        return 0;
    }
    if (!ParameterFlags || !FitParameters || !FitFunctionTypes) return 0;
    LoadLibraryA("RICHED20.DLL");
    const int32_t gesamt = FitFunctionCount;
    const INT_PTR r =
        DialogBoxParamA(Modul(), "SET_ALL_PARAMETER", app->Hauptfenster, SetAllParameterProc, gesamt);
    T.Offen = false;
    FitFunctionCount = gesamt;
    return static_cast<int32_t>(r);
}
