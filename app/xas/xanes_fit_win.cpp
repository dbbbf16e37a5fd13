// 802 and 812: the XANES fit. A sum of profile functions is fitted to a
// section of the near-edge spectrum (or, for 802, of the reference
// channel); the position of one chosen function becomes the window's E0
// (812) or the point the sample's energy scale is calibrated to (802). The
// fit is the ordinary fit run (507), driven here step by step to its end.
#include "xas/xanes_fit_win.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "fit/fit_choice_win.h"
#include "fit/fit_model.h"
#include "fit/fit_run.h"
#include "fit/fit_run_win.h"
#include "fit/model_function.h"
#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "shell/macro_bar.h"
#include "spectra/data_commands_win.h"
#include "spectra/spectra_globals.h"
#include "xas/xanes_fit.h"
#include "xas/xas_commands_win.h"
#include "xas/xas_entries.h"
#include "shell/text_format.h"

namespace {

const int32_t FEHLER_MAKRO = 1000;
const int32_t CM_HISTORIE = 2003;
// A fit that never reports its end is cut off after this many steps.
const int32_t MAX_FIT_SCHRITTE = 100000;

double* DW() { return HAUPTDATEN.DialogWerte; }

void Historie(grafik_fenster& g, const std::string& text)
{
    if (!CommandText) return;
    std::snprintf(CommandText, COMMAND_TEXT_BYTES, "--: %s%s", g.DateiInfo.DateiName, text.c_str());
    HWND ergebnis = HAUPTDATEN.KindFenster[KIND_ERGEBNIS];
    if (RedrawPerMessage == 1 && ergebnis) SendMessageA(ergebnis, WM_COMMAND, CM_HISTORIE, 0);
}

void Neuzeichnen(int32_t fenster)
{
    HWND h = HAUPTDATEN.GrafikHandles[fenster];
    if (h) {
        if (RedrawPerMessage == 0) RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        else PostMessageA(h, WM_COMMAND, CM_REDRAW, 0);
    }
    UpdateFensterStatus();
}

// The working model as the window holds it.
void ModellLaden(grafik_fenster& g)
{
    FitFunctionTypes = g.FunktionsTypen;
    FitParameters = g.Parameter;
    FitFunctionCount = g.AnzahlFunktionen;
    FitPolyDegree = g.PolyGrad;
}

// The fit run to its end: the first step, then every step the fit posts
// for itself run at once (the posts taken out of the queue; those for the
// graphic windows come back afterwards), then the end of the fit (22) when
// it finished. Returns true when it finished without a failure.
bool FitZuEnde(haupt_fenster& app)
{
    double werte[14];
    std::memcpy(werte, app.DialogWerte, sizeof werte);
    const int32_t erneuerung[2] = {app.FitErneuerung[0], app.FitErneuerung[1]};
    // Every finished step asks for the next one.
    app.FitErneuerung[0] = 1;
    app.FitErneuerung[1] = 0;
    std::vector<MSG> andere;
    auto entnehmen = [&] {
        MSG m;
        while (PeekMessageA(&m, app.Hauptfenster, WM_INITDIALOG, WM_SYSCOMMAND, PM_REMOVE))
            if (m.hwnd != app.Hauptfenster) andere.push_back(m);
    };
    app.Befehl(507, LP_PREPARED);
    for (int32_t n = 0; app.FitZustand == FIT_LAEUFT && n < MAX_FIT_SCHRITTE; ++n) {
        entnehmen();
        app.Befehl(507, LP_PREPARED);
    }
    entnehmen();
    app.FitErneuerung[0] = erneuerung[0];
    app.FitErneuerung[1] = erneuerung[1];
    const bool fertig = app.FitZustand == FIT_FERTIG;
    const bool gut = fertig && FitFehlgeschlagen == 0;
    if (fertig) app.Befehl(CM_FIT_CANCEL, 0);
    for (const MSG& m : andere) PostMessageA(m.hwnd, m.message, m.wParam, m.lParam);
    std::memcpy(app.DialogWerte, werte, sizeof werte);
    return gut;
}

// The section slot is dropped again: the curve before it is current.
void Zurueck(grafik_fenster& g, int32_t zaehler, int32_t neuester)
{
    g.SetCurveSlots(zaehler, neuester);
    g.SetFullBorder();
}

}  // namespace

int32_t XanesFit(int32_t befehl)
{
    haupt_fenster& app = HAUPTDATEN;
    const bool vorbereitet = app.Meldungsblock.lParam == LP_PREPARED;
    const int32_t fenster = AktivesFenster;
    if (fenster < 0 || fenster > 3) return 0;
    grafik_fenster& g = GrafikFenster[fenster];
    ModellLaden(g);
    auto fehler = [&](int32_t code) {
        if (vorbereitet) FehlerCode = FEHLER_MAKRO;
        else if (code) FehlerCode = code;
        return 0;
    };

    // The reference channel of the calibration in a slot of its own.
    const bool gleich = ExafsOptionen.KalibrierQuelle == 1;
    if (befehl == 802 && !gleich && app.KalibrierReferenz != 1) {
        const int32_t zaehler = g.KurvenZaehler, neuester = g.NeuesterZaehler;
        if (g.CutSection(0, 0.0, 0.0, 0) <= 0 || LadeKanal(2, g) <= 0) {
            g.SetCurveSlots(zaehler, neuester);
            return fehler(0);
        }
        g.SetFullBorder();
    }

    if (!vorbereitet) {
        HilfeThema = 0;
        if (!SektionsDialog(befehl)) return 0;
    }
    const double unten = DW()[0], oben = DW()[1];
    const int32_t vorSektion = g.KurvenZaehler, vorNeuester = g.NeuesterZaehler;
    if (!(unten < oben) || g.CutSection(1, unten, oben, 0) <= 0) return fehler(102);
    g.KurvenFlags[g.AktuellerSlot()] = 0;

    if (!vorbereitet) {
        const INT_PTR wahl = FunktionWaehlen(&app);
        if (wahl == 0) return 0;
        ModellLaden(g);
        if (ResetModelTables() < 0) return fehler(108);
        if (wahl != 99) {
            g.SetFullBorder();
            if (FitParameterEingabe(&app) == 0) return 0;
        }
    } else if (CheckWorkingModelSize() < 0 || FitFunctionCount < 1) {
        Zurueck(g, vorSektion, vorNeuester);
        return fehler(0);
    }

    Numerik.SetFunction(app.ModellCallback ? app.ModellCallback : ModellFunktion);
    Numerik.SetWeightFunction(nullptr);
    Numerik.SetImagFT(nullptr);
    Numerik.SetRealFT(nullptr);
    if (!FitZuEnde(app)) {
        // The fit has said why; nothing is taken from a failed position.
        ModellLaden(g);
        Zurueck(g, vorSektion, vorNeuester);
        if (!vorbereitet) Neuzeichnen(fenster);
        return fehler(0);
    }
    ModellLaden(g);

    if (!vorbereitet) {
        HilfeThema = befehl == 802 ? 1 : 2;
        const INT_PTR r = DialogBoxParamA(app.Instanz, "XASPEAKE", app.Hauptfenster, XasPeakeProc, 0);
        HilfeThema = 0;
        if (r <= 0) {
            Zurueck(g, vorSektion, vorNeuester);
            Neuzeichnen(fenster);
            return 0;
        }
    }
    const int32_t k = static_cast<int32_t>(DW()[2] + 0.05);
    const int32_t j = ModellPositionsIndex(FitFunctionTypes, FitFunctionCount, FitPolyDegree, k);
    if (j < 0 || !FitParameters) {
        Zurueck(g, vorSektion, vorNeuester);
        if (vorbereitet) {
            FehlerCode = FEHLER_MAKRO;
        } else {
            MeldungsBox(app.Hauptfenster,
                        "The chosen profile function has no position.\r\nThe energy scale and E0 are left as they were.",
                        "Caution !!", MB_OK | MB_ICONEXCLAMATION);
            Neuzeichnen(fenster);
        }
        return 0;
    }
    const double p = FitParameters[j];

    if (befehl == 812) {
        g.SetCurveSlots(vorSektion, vorNeuester);
        g.DateiInfo.Koeffizienten[0] = p;
        DW()[3] = 0.0;
    } else {
        const double s = p - DW()[3];
        if (!gleich) {
            // The sample channel of the file replaces the fitted section.
            if (LadeKanal(1, g) <= 0) {
                Zurueck(g, vorSektion, vorNeuester);
                return fehler(0);
            }
            g.KurvenFlags[g.AktuellerSlot()] = 0;
        }
        const int32_t n = g.Punkte();
        double* x = g.GetXFeld(-1);
        for (int32_t i = 0; i < n; ++i) x[i] -= s;
    }

    g.SetFullBorder();
    g.ZeigeFunktion = 0;
    if (app.Hauptmenue) CheckMenuItem(app.Hauptmenue, 19, MF_BYCOMMAND | MF_UNCHECKED);
    if (app.MakroAufnahme) {
        const double w0 = DW()[0], w1 = DW()[1];
        DW()[0] = unten;
        DW()[1] = oben;
        ButtonBar.MakroRecord(befehl, 4, MaxParameter);
        DW()[0] = w0;
        DW()[1] = w1;
    }
    const int32_t slot = g.AktuellerSlot();
    std::snprintf(g.XText[slot], GRAFIK_TEXT, "%s", "photon energy [keV]");
    std::snprintf(g.YText[slot], GRAFIK_TEXT, "%s", "norm. absorption [a.u.]");
    if (!vorbereitet) Neuzeichnen(fenster);
    else UpdateFensterStatus();

    std::string text =
        befehl == 802
            ? Format(" --ENERGY CALIBRATION - XANES Fit - old E0 = %.8G , new E0 = %.8G  - ( active : %d )\r\n", p,
                     DW()[3], slot + 1)
            : Format(" --DETERMINATION OF E0 - XANES Fit - E0 = %.8G -  ( active : %d )\r\n", p, slot + 1);
    text += "    profile functions : \r\n";
    int32_t erster = 0;
    for (int32_t i = 0; i < FitFunctionCount; ++i) {
        const int32_t c = FitFunctionTypes[i] > 100 ? FitFunctionTypes[i] - 100 : FitFunctionTypes[i];
        const char* name = c > 0 && c < CATALOG_CODES ? FitFunctionCatalog[c].Name : "";
        text += Format("      %d.  %s - position : %.8G\r\n", static_cast<int>(i), name, FitParameters[erster + 1]);
        erster += FunctionParameterCount(c, FitPolyDegree, 0);
    }
    Historie(g, text);
    return 1;
}

// ---- XASPEAKE ----

namespace {

void PositionZeigen(HWND dlg)
{
    const LRESULT k = SendDlgItemMessageA(dlg, IDC_XP_LISTE, LB_GETCURSEL, 0, 0);
    const int32_t j = k == LB_ERR ? -1
                                  : ModellPositionsIndex(FitFunctionTypes, FitFunctionCount, FitPolyDegree,
                                                         static_cast<int32_t>(k));
    char text[40] = "0";
    if (j >= 0 && FitParameters) std::snprintf(text, sizeof text, "%.8G", FitParameters[j]);
    SetDlgItemTextA(dlg, IDC_XP_ALT, text);
    SetDlgItemTextA(dlg, IDC_XP_NEU, text);
}

}  // namespace

INT_PTR CALLBACK XasPeakeProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG: {
        CenterDialog(dlg);
        if (AktivesFenster >= 0 && AktivesFenster < 4) ModellLaden(GrafikFenster[AktivesFenster]);
        for (int32_t i = 0; FitFunctionTypes && i < FitFunctionCount; ++i) {
            const int32_t c = FitFunctionTypes[i] > 100 ? FitFunctionTypes[i] - 100 : FitFunctionTypes[i];
            const char* name = c > 0 && c < CATALOG_CODES ? FitFunctionCatalog[c].Name : "";
            SendDlgItemMessageA(dlg, IDC_XP_LISTE, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        }
        if (HilfeThema == 2) {
            EnableWindow(GetDlgItem(dlg, IDC_XP_ALT_GRUPPE), FALSE);
            EnableWindow(GetDlgItem(dlg, IDC_XP_ALT), FALSE);
        }
        // The first function is chosen until the user picks another.
        SendDlgItemMessageA(dlg, IDC_XP_LISTE, LB_SETCURSEL, 0, 0);
        PositionZeigen(dlg);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_XP_LISTE:
            if (HIWORD(wParam) == LBN_SELCHANGE) PositionZeigen(dlg);
            return TRUE;
        case IDOK: {
            char text[60] = "";
            GetDlgItemTextA(dlg, IDC_XP_NEU, text, sizeof text);
            const LRESULT k = SendDlgItemMessageA(dlg, IDC_XP_LISTE, LB_GETCURSEL, 0, 0);
            DW()[3] = std::atof(text);
            DW()[2] = k == LB_ERR ? 0.0 : static_cast<double>(k);
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
