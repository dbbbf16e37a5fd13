// The kinetic calculator (KINETIC_CALC): the conversion curve a(t) of the
// active window through one of the g(a) models, with a straight line
// fitted to g(a) against t. The dialog keeps the curve and the window's
// model as they were at opening, so that every model starts from the
// same a(t) and Cancel gives both back.
#include "xrd/kinetics_win.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "fit/fit_model.h"
#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/dialog_plot_win.h"
#include "spectra/grafik_fenster.h"
#include "spectra/spectra_globals.h"
#include "xrd/kinetics.h"

namespace {

const int32_t CM_HISTORIE = 2003;

// What the open calculator keeps.
struct Rechner {
    HWND Vorschau = nullptr;
    int32_t Fenster = -1;
    std::vector<double> t, a;
    double Grenzen[2] = {0.0, 0.0};
    int32_t Modell = KINETIK_MODELL_KEINES;
    bool Regression = false;
    // The window's model at opening.
    int32_t AnzahlFunktionen = 0;
    std::vector<int32_t> Typen;
    std::vector<double> Parameter;
    int32_t PolyGrad = 0;
};

Rechner R;

grafik_fenster* Fenster()
{
    if (R.Fenster < 0 || R.Fenster > 3) return nullptr;
    return &GrafikFenster[R.Fenster];
}

void Vorschau()
{
    if (R.Vorschau) PlotIntoDialog(R.Vorschau, R.Grenzen[0], R.Grenzen[1], R.Regression ? 1 : 0, 0);
}

void Oeffnen(HWND dlg)
{
    R = Rechner();
    R.Vorschau = GetDlgItem(dlg, IDC_KIN_VORSCHAU);
    R.Fenster = AktivesFenster;
    grafik_fenster* g = Fenster();
    if (!g) return;
    R.AnzahlFunktionen = g->AnzahlFunktionen;
    if (g->FunktionsTypen) R.Typen.assign(g->FunktionsTypen, g->FunktionsTypen + MAX_MODEL_FUNCTIONS);
    if (g->Parameter) R.Parameter.assign(g->Parameter, g->Parameter + PARAMETER_BLOCK_DOUBLES);
    R.PolyGrad = g->PolyGrad;
    R.Grenzen[0] = g->Grenzen[0];
    R.Grenzen[1] = g->Grenzen[1];
    const int32_t s = g->AktuellerSlot(), n = g->Punkte();
    if (n > 0 && g->XFeld[s] && g->YFeld[s]) {
        R.t.assign(g->XFeld[s], g->XFeld[s] + n);
        R.a.assign(g->YFeld[s], g->YFeld[s] + n);
    }
}

// The window's current slot := g(kept a) of the model, defined points only.
void ModellAnwenden(int32_t id)
{
    grafik_fenster* g = Fenster();
    if (!g) return;
    const int32_t s = g->AktuellerSlot();
    const int32_t n = KinetikTransformiere(id, R.t.data(), R.a.data(),
                                           static_cast<int32_t>(R.t.size()), g->XFeld[s], g->YFeld[s]);
    g->DateiInfo.PunkteProKurve[s] = n;
    R.Modell = id;
    R.Regression = false;
}

void ModellZurueck()
{
    grafik_fenster* g = Fenster();
    if (!g) return;
    g->AnzahlFunktionen = R.AnzahlFunktionen;
    if (g->FunktionsTypen && !R.Typen.empty())
        std::memcpy(g->FunktionsTypen, R.Typen.data(), sizeof(int32_t) * R.Typen.size());
    if (g->Parameter && !R.Parameter.empty())
        std::memcpy(g->Parameter, R.Parameter.data(), sizeof(double) * R.Parameter.size());
    g->PolyGrad = R.PolyGrad;
    FitFunctionCount = R.AnzahlFunktionen;
    FitPolyDegree = R.PolyGrad;
}

void Zahl(HWND dlg, int32_t id, double wert)
{
    char text[48];
    std::snprintf(text, sizeof text, "%G", wert);
    SetDlgItemTextA(dlg, id, text);
}

void Regression(HWND dlg)
{
    grafik_fenster* g = Fenster();
    if (!g || !g->FunktionsTypen || !g->Parameter) return;
    const int32_t s = g->AktuellerSlot(), n = g->Punkte();
    double c0 = 0.0, k = 0.0;
    if (n < 3 || !KinetikGerade(g->XFeld[s], g->YFeld[s], n, &c0, &k)) {
        MeldungsBox(dlg,
                    "Linear regression: too few points (at least three with different times are needed).",
                    "Caution !!", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    g->AnzahlFunktionen = 1;
    g->FunktionsTypen[0] = 7;   // polynomial
    g->PolyGrad = 1;
    g->Parameter[0] = c0;
    g->Parameter[1] = k;
    FitFunctionCount = 1;
    FitPolyDegree = 1;
    Zahl(dlg, IDC_KIN_STEIGUNG, k);
    Zahl(dlg, IDC_KIN_ORDINATE, c0);
    R.Regression = true;
    g->ZeigeDaten = 1;
    g->ZeigeFunktion = 1;
    Vorschau();
}

void Schliessen(HWND dlg, bool ok)
{
    grafik_fenster* g = Fenster();
    if (g) {
        if (!ok) {
            const int32_t s = g->AktuellerSlot();
            const int32_t n = static_cast<int32_t>(R.t.size());
            if (n > 0) {
                std::memcpy(g->XFeld[s], R.t.data(), sizeof(double) * n);
                std::memcpy(g->YFeld[s], R.a.data(), sizeof(double) * n);
            }
            g->DateiInfo.PunkteProKurve[s] = n;
            ModellZurueck();
            R.Regression = false;
        }
        g->ZeigeDaten = 1;
        g->ZeigeFunktion = R.Regression ? 1 : 0;
    }
    R.t.clear();
    R.a.clear();
    R.Typen.clear();
    R.Parameter.clear();
    EndDialog(dlg, ok ? 1 : 0);
}

}  // namespace

INT_PTR CALLBACK KineticCalcDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        CenterDialog(dlg);
        Oeffnen(dlg);
        CheckRadioButton(dlg, IDC_KIN_MODELL, IDC_KIN_MODELL + 14, IDC_KIN_MODELL);
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(dlg, &ps);
        EndPaint(dlg, &ps);
        Vorschau();
        return TRUE;
    }
    case WM_COMMAND: {
        const int32_t id = LOWORD(wParam);
        if (id >= KINETIK_MODELL_KEINES && id <= KINETIK_MODELL_LETZTES) {
            CheckRadioButton(dlg, IDC_KIN_MODELL, IDC_KIN_MODELL + 14, id);
            ModellAnwenden(id);
            grafik_fenster* g = Fenster();
            if (g) g->ZeigeFunktion = 0;
            Vorschau();
            return TRUE;
        }
        switch (id) {
        case IDC_KIN_REGRESSION: Regression(dlg); return TRUE;
        case IDOK: Schliessen(dlg, true); return TRUE;
        case IDCANCEL: Schliessen(dlg, false); return TRUE;
        default: break;
        }
        break;
    }
    default: break;
    }
    return FALSE;
}

void KinetikRechner(haupt_fenster* app, int32_t fenster, bool vorbereitet)
{
    if (vorbereitet) {
        NichtVerfuegbar(913, "The kinetic calculator during a replay");
        return;
    }
    grafik_fenster& g = GrafikFenster[fenster];
    if (g.Punkte() < 1 || g.CutSection(0, 0.0, 0.0, 1) <= 0) return;
    g.SetFullBorder();
    const INT_PTR r = DialogBoxParamA(ProgrammModul(), "KINETIC_CALC", app->Hauptfenster,
                                      KineticCalcDlgProc, 0);
    if (CommandText) {
        std::snprintf(CommandText, COMMAND_TEXT_BYTES, "--: %s --KINETIC CALCULATOR %s - ( active : %d )\r\n",
                      g.DateiInfo.DateiName, r == 1 ? "g(a) v. t" : "(cancelled)", g.AktuellerSlot() + 1);
        HWND ergebnis = app->KindFenster[KIND_ERGEBNIS];
        if (RedrawPerMessage == 1 && ergebnis) SendMessageA(ergebnis, WM_COMMAND, CM_HISTORIE, 0);
    }
    if (g.hWnd) PostMessageA(g.hWnd, WM_COMMAND, CM_REDRAW, 0);
    UpdateFensterStatus();
}
