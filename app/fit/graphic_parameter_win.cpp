// The graphic parameter entry SET_PARAMETER: one model function at a time,
// its start values picked with the mouse in a preview of the curve.
#include <windows.h>
#include <richedit.h>

#include <cstdio>

#include "fit/fit_model.h"
#include "fit/parameter_dialogs.h"
#include "fit/parameter_dialogs_win.h"
#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/dialog_plot_win.h"
#include "spectra/spectra_globals.h"

namespace {

const COLORREF CYAN = RGB(0, 255, 255);
const int32_t ZEILEN = 7;         // value edits 40-46
const int32_t PICK_ZEILEN = 6;    // the focus cycles over at most six

// State of the open dialog.
struct GRAFIK_ZUSTAND {
    int32_t Gesamt = 0;        // function count of the model
    int32_t Funktion = 1;      // the function shown
    int32_t Zeile = 0;         // the focused row
    bool EditAktiv = false;    // an edit had the focus last
    bool ErsterPunkt = false;  // a two-click measurement is half done
    double X1 = 0.0, Y1 = 0.0;
    bool Offen = false;
    TABELLEN_STAND Stand;
};
GRAFIK_ZUSTAND G;

HINSTANCE Modul()
{
    return HAUPTDATEN.Instanz ? HAUPTDATEN.Instanz : GetModuleHandleA(nullptr);
}

int32_t Anzahl(int32_t f)
{
    return FunctionParameterCount(FitFunctionTypes[f - 1], FitPolyDegree, SplineKnotCount);
}

int32_t Zeilen() { return Anzahl(G.Funktion) < ZEILEN ? Anzahl(G.Funktion) : ZEILEN; }

grafik_fenster* Fenster()
{
    const int32_t w = AktivesFenster;
    return w >= 0 && w < 4 && HAUPTDATEN.GrafikHandles[w] ? &GrafikFenster[w] : nullptr;
}

void Vorschau(HWND dlg)
{
    grafik_fenster* g = Fenster();
    if (!g) return;
    PlotIntoDialog(GetDlgItem(dlg, IDC_SP_PREVIEW), g->Grenzen[0], g->Grenzen[1], 0, PANE_GANZ);
}

void Zeigen(HWND dlg)
{
    FitFunctionCount = G.Funktion;
    SetParameterCaptions(dlg, IDC_SP_VALUE, IDC_SP_FUNCTION, IDC_SP_CAPTION);
    SetDlgItemTextA(dlg, IDOK, G.Funktion >= G.Gesamt ? "OK" : "Next");
    EnableWindow(GetDlgItem(dlg, IDC_SP_BACK), G.Funktion > 1);
    G.Zeile = 0;
    G.EditAktiv = true;  // the focus goes to the first edit
    G.ErsterPunkt = false;
}

void Lesen(HWND dlg)
{
    FitFunctionCount = G.Funktion;
    ReadParameterTexts(dlg, IDC_SP_VALUE);
}

bool Frei(HWND dlg, int32_t c) { return IsWindowEnabled(GetDlgItem(dlg, IDC_SP_VALUE + c)) != 0; }

// The next enabled edit after row c, cyclic over the function's rows,
// with the caret at its start.
void NaechstesEdit(HWND dlg, int32_t c)
{
    const int32_t m = Zeilen();
    for (int32_t k = 1; k <= m; ++k) {
        const int32_t z = (c + k) % m;
        if (!Frei(dlg, z)) continue;
        HWND e = GetDlgItem(dlg, IDC_SP_VALUE + z);
        SetFocus(e);
        SendMessageA(e, EM_SETSEL, 0, 0);
        return;
    }
}

// Whether a pick goes into an edit: the focus on one of the value edits
// (which becomes the current row), or away from the dialog altogether
// (the row that had it, to which the focus returns). Focus on any other
// control of the dialog leaves no edit active.
bool EditAktiv(HWND dlg)
{
    HWND f = GetFocus();
    if (!f || !IsChild(dlg, f)) return G.EditAktiv;
    const int id = GetDlgCtrlID(f);
    G.EditAktiv = id >= IDC_SP_VALUE && id < IDC_SP_VALUE + Zeilen();
    if (!G.EditAktiv) return false;
    if (id - IDC_SP_VALUE != G.Zeile) G.ErsterPunkt = false;
    G.Zeile = id - IDC_SP_VALUE;
    return true;
}

// A left-button release at p (dialog client coordinates).
void Pick(HWND dlg, POINT p)
{
    if (!EditAktiv(dlg)) return;
    HWND vorschau = GetDlgItem(dlg, IDC_SP_PREVIEW);
    MapWindowPoints(dlg, vorschau, &p, 1);
    RECT r;
    GetClientRect(vorschau, &r);
    if (!PtInRect(&r, p)) return;
    // The plotting object converts with the layout it drew last.
    Vorschau(dlg);
    double x = 0.0, y = 0.0;
    if (!Plotter.GetXYValue(x, y, p.x, p.y, 1, 0)) return;
    const int32_t art = PickArt(FitFunctionTypes[G.Funktion - 1], G.Zeile);
    if ((art == PICK_DX || art == PICK_DY) && !G.ErsterPunkt) {
        G.ErsterPunkt = true;
        G.X1 = x;
        G.Y1 = y;
        return;
    }
    const double wert = G.ErsterPunkt ? PickWert(art, G.X1, G.Y1, x, y) : PickWert(art, x, y, x, y);
    G.ErsterPunkt = false;
    char text[40];
    std::snprintf(text, sizeof text, "%.8G", wert);
    SetDlgItemTextA(dlg, IDC_SP_VALUE + G.Zeile, text);
    Lesen(dlg);
    Vorschau(dlg);
    const int32_t m = Zeilen() < PICK_ZEILEN ? Zeilen() : PICK_ZEILEN;
    G.Zeile = (G.Zeile + 1) % (m > 0 ? m : 1);
    SetFocus(GetDlgItem(dlg, IDC_SP_VALUE + G.Zeile));
}

void Festhalten(HWND dlg, int32_t c)
{
    FitFunctionCount = G.Gesamt;
    const int32_t j = ParameterIndex(G.Funktion, c);
    if (ParameterFlags[j] & PF_FIXED) FreeParameter(j);
    else FixParameter(j);
    const int32_t fl = ParameterFlags[j];
    HWND e = GetDlgItem(dlg, IDC_SP_VALUE + c);
    EnableWindow(e, !(fl & PF_FIXED));
    SendMessageA(e, EM_SETBKGNDCOLOR, 0, ParameterColour(fl));
    CheckDlgButton(dlg, IDC_SP_FIX + c, (fl & PF_FIXED) ? BST_CHECKED : BST_UNCHECKED);
    FitFunctionCount = G.Funktion;
    if (c == G.Zeile) NaechstesEdit(dlg, c);
    else SetFocus(GetDlgItem(dlg, IDC_SP_VALUE + G.Zeile));
}

void Ende(HWND dlg, INT_PTR r)
{
    if (r == 0) TabellenZurueck(G.Stand);
    FitFunctionCount = G.Gesamt;
    G.Offen = false;
    EndDialog(dlg, r);
}

// "&Flags": the whole table; its "&Graphic" comes back here.
void Flaggen(HWND dlg)
{
    Lesen(dlg);
    const int32_t gemerkt = G.Funktion;
    FitFunctionCount = G.Gesamt;
    int32_t zurueck = 0;
    const INT_PTR r = ParameterTabelleOeffnen(dlg, G.Gesamt, true, &zurueck);
    if (r != 1) {
        Ende(dlg, 0);
        return;
    }
    if (!zurueck) {
        Ende(dlg, 1);
        return;
    }
    G.Funktion = gemerkt;
    Zeigen(dlg);
    Vorschau(dlg);
    SetFocus(GetDlgItem(dlg, IDC_SP_VALUE));
}

void Oeffnen(HWND dlg, int32_t gesamt)
{
    DialogToScreenSize(dlg);
    G = GRAFIK_ZUSTAND{};
    G.Gesamt = FitFunctionCount = gesamt;
    G.Stand = TabellenMerken();
    GrafikVorgaben();
    Zeigen(dlg);
    G.Offen = true;
    SetFocus(GetDlgItem(dlg, IDC_SP_VALUE));
}

}  // namespace

INT_PTR CALLBACK SetParameterProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        Oeffnen(dlg, static_cast<int32_t>(lParam));
        return FALSE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(dlg, &ps);
        EndPaint(dlg, &ps);
        if (G.Offen) Vorschau(dlg);
        return TRUE;
    }
    case WM_LBUTTONUP: {
        const POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (G.Offen) Pick(dlg, p);
        return TRUE;
    }
    case WM_RBUTTONUP:
        if (G.Offen) NaechstesEdit(dlg, G.Zeile);
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (!G.Offen) return FALSE;
        if (id >= IDC_SP_VALUE && id < IDC_SP_VALUE + ZEILEN) {
            const int32_t c = id - IDC_SP_VALUE;
            if (c >= Zeilen()) return TRUE;
            HWND e = GetDlgItem(dlg, id);
            FitFunctionCount = G.Gesamt;
            const int32_t fl = ParameterFlags[ParameterIndex(G.Funktion, c)];
            FitFunctionCount = G.Funktion;
            if (HIWORD(wParam) == EN_SETFOCUS) {
                if (c != G.Zeile) G.ErsterPunkt = false;
                G.Zeile = c;
                G.EditAktiv = true;
                SendMessageA(e, EM_SETBKGNDCOLOR, 0, CYAN);
            } else if (HIWORD(wParam) == EN_KILLFOCUS) {
                SendMessageA(e, EM_SETBKGNDCOLOR, 0, ParameterColour(fl));
            }
            return TRUE;
        }
        if (id >= IDC_SP_FIX && id < IDC_SP_FIX + ZEILEN) {
            if (id - IDC_SP_FIX < Zeilen()) Festhalten(dlg, id - IDC_SP_FIX);
            return TRUE;
        }
        switch (id) {
        case IDOK:
            Lesen(dlg);
            if (G.Funktion >= G.Gesamt) {
                Ende(dlg, 1);
                return TRUE;
            }
            ++G.Funktion;
            Zeigen(dlg);
            Vorschau(dlg);
            SetFocus(GetDlgItem(dlg, IDC_SP_VALUE));
            return TRUE;
        case IDC_SP_BACK:
            Lesen(dlg);
            if (G.Funktion > 1) --G.Funktion;
            Zeigen(dlg);
            Vorschau(dlg);
            SetFocus(GetDlgItem(dlg, IDC_SP_VALUE));
            return TRUE;
        case IDCANCEL:
            Ende(dlg, 0);
            return TRUE;
        case IDC_SP_SHOW:
            Lesen(dlg);
            Vorschau(dlg);
            return TRUE;
        case IDC_SP_FLAGS:
            Flaggen(dlg);
            return TRUE;
        case IDC_DLG_HELP:
            DialogHilfe(56);
            return TRUE;
        default:
            return FALSE;
        }
    }
    default:
        return FALSE;
    }
}

int32_t GrafischeParameter(haupt_fenster* app)
{
    if (!ParameterFlags || !FitParameters || !FitFunctionTypes || FitFunctionCount < 1) return 0;
    LoadLibraryA("RICHED20.DLL");
    const int32_t gesamt = FitFunctionCount;
    const INT_PTR r = DialogBoxParamA(Modul(), "SET_PARAMETER", app->Hauptfenster, SetParameterProc, gesamt);
    G.Offen = false;
    FitFunctionCount = gesamt;
    return static_cast<int32_t>(r);
}
