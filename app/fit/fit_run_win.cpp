// Command 507: the set-up of a fit and its run, one iteration of the
// numerics library per step, with the fit panel of the main window.
#include "fit/fit_run_win.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "fit/fit_choice_win.h"
#include "fit/fit_model.h"
#include "fit/fit_run.h"
#include "fit/model_function.h"
#include "resource_ids.h"
#include "shell/dispatcher.h"
#include "fit/parameter_dialogs_win.h"
#include "shell/haupt_fenster.h"
#include "shell/macro_bar.h"
#include "spectra/graphic_drawing.h"
#include "spectra/spectra_globals.h"

namespace {

// FitDifferenzen takes n + 2 values; a curve longer than the shared block
// gets a block of its own.
std::vector<double> EigeneDifferenzen;

void DifferenzenFuer(int32_t n)
{
    const size_t noetig = static_cast<size_t>(n) + 2;
    const bool eigen = !EigeneDifferenzen.empty() && FitDifferenzen == EigeneDifferenzen.data();
    const size_t hat = eigen ? EigeneDifferenzen.size() : (FitDifferenzen ? static_cast<size_t>(WORK_DOUBLES) : 0);
    if (hat >= noetig) return;
    EigeneDifferenzen.assign(noetig, 0.0);
    FitDifferenzen = EigeneDifferenzen.data();
}

bool Fehlschlag(int32_t zustand) { return zustand > 100 || zustand == FIT_OHNE_AUFBAU; }

int32_t FehlerText(int32_t zustand) { return zustand == FIT_OHNE_AUFBAU ? IDS_FIT_SETUP_ERROR : zustand; }

// Residual variance of the current step over the fit's differences.
double ResiduenVarianz(int32_t n)
{
    if (!FitDifferenzen || n < 2) return 0.0;
    double mittel = 0.0, varianz = 0.0;
    Numerik.avevar(FitDifferenzen, n, mittel, varianz);
    return varianz;
}

void Zeigen(HWND h, bool an)
{
    if (h) ShowWindow(h, an ? SW_SHOW : SW_HIDE);
}

// The panel and windows as fit mode shows them.
void FitModusBetreten(haupt_fenster& app, HWND grafik)
{
    const int32_t* erneuerung = app.FitErneuerung;
    EnableWindow(app.FitPanel[FIT_INTERRUPT], TRUE);
    EnableWindow(app.FitPanel[FIT_CONTINUE], erneuerung[1] ? FALSE : TRUE);
    SetWindowTextA(app.FitPanel[FIT_CONTINUE],
                   erneuerung[0] == 0 && erneuerung[1] == 0 ? "Con&tinue" : "&Show Fit");
    SetWindowTextA(app.FitPanel[FIT_CANCEL], "&Cancel");
    SendMessageA(app.KindFenster[KIND_BUTTONLEISTE], WM_COMMAND, 18, 0);
    FitStatusText(StatusText);
    SetWindowTextA(app.FitPanel[FIT_TEXT], StatusText);
    for (int k : {KIND_ERGEBNIS, KIND_EDITOR})
        if (app.KindFenster[k] && IsWindowVisible(app.KindFenster[k]))
            SendMessageA(app.KindFenster[k], WM_SYSCOMMAND, 18, 0);
    for (int32_t i = 0; i < 4; ++i)
        if (app.GrafikHandles[i] && app.GrafikHandles[i] != grafik) ShowWindow(app.GrafikHandles[i], SW_HIDE);
    RECT r;
    GetClientRect(app.Hauptfenster, &r);
    const int cw = app.ZeichenBreite;
    if (grafik) {
        ShowWindow(grafik, SW_SHOWNORMAL);
        MoveWindow(grafik, 0, 0, r.right - 30 * cw, r.bottom + 20, TRUE);
    }
    SetMenu(app.Hauptfenster, nullptr);
    Zeigen(app.KindFenster[KIND_STATUS300], false);
    Zeigen(app.KindFenster[KIND_STATUS400], false);
    // The layout of the panel is the main window's (its size handler).
    GetClientRect(app.Hauptfenster, &r);
    SendMessageA(app.Hauptfenster, WM_SIZE, SIZE_RESTORED, MAKELPARAM(r.right, r.bottom));
    for (HWND h : app.FitPanel) Zeigen(h, true);
    if (erneuerung[0] || erneuerung[1]) PostMessageA(app.Hauptfenster, WM_COMMAND, 507, LP_CONTINUE_FIT);
    InvalidateRect(app.Hauptfenster, nullptr, TRUE);
    UpdateWindow(app.Hauptfenster);
}

// Fit mode after a failure of a later step: everything as before the fit.
void FitModusVerlassen(haupt_fenster& app, HWND grafik)
{
    ExafsProzedurModus = -1;
    ExafsFitAnsicht.Anzeige = -1;
    app.FitModusBeenden();
    RECT r;
    GetClientRect(app.Hauptfenster, &r);
    SendMessageA(app.Hauptfenster, WM_SIZE, SIZE_RESTORED, MAKELPARAM(r.right, r.bottom));
    if (grafik) {
        const int oben = 2 * app.ZeichenHoehe + 6;
        MoveWindow(grafik, 0, oben, r.right, r.bottom - app.StatusHoehe - oben, TRUE);
        if (RedrawPerMessage == 0) RedrawWindow(grafik, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        else PostMessageA(grafik, WM_COMMAND, CM_REDRAW, 0);
    }
    InvalidateRect(app.KindFenster[KIND_STATUS300], nullptr, TRUE);
    UpdateFensterStatus();
}

bool ImPanel(const haupt_fenster& app, HWND h)
{
    return h == app.Hauptfenster || (h && IsChild(app.Hauptfenster, h));
}

}  // namespace

FIT_PARAMETER_EINGABE FitParameterEingabe = GrafischeParameter;

void FitStatusText(char* text)
{
    if (!text) return;
    haupt_fenster& app = HAUPTDATEN;
    const int32_t n = AktivesFenster >= 0 && AktivesFenster < 4 ? GrafikFenster[AktivesFenster].Punkte() : 0;
    FIT_STATUS s;
    s.Iterationen = app.FitIterationen;
    s.Chi2 = app.FitChi2;
    s.RFaktor = app.FitRFaktor;
    s.MehrereFeffSaetze = app.FeffSatzAnzahl > 1;
    s.Ergebnisse = CommandArgs;
    s.MitFTest = FitSignaturVon(MaxParameter, FitFunctionCount, n) == FitSignatur;
    if (s.MitFTest) {
        if (app.FitZustand == FIT_FERTIG) {
            s.FTest = FTestWert;
        } else {
            FitVarianzNeu = ResiduenVarianz(n);
            FTestWert = FTestWahrscheinlichkeit(Numerik, FitVarianzAlt, FitVarianzNeu, n - 1);
            s.FTest = FTestWert;
        }
    }
    char texte[5][64] = {};
    const UINT ids[5] = {IDS_ITERATIONS, IDS_RESIDUAL, IDS_CHI2, IDS_DASH_RULE, IDS_DOT_RULE};
    for (int k = 0; k < 5; ++k) LoadStringA(app.Instanz, ids[k], texte[k], sizeof texte[k]);
    s.IterationenText = texte[0];
    s.ResiduumText = texte[1];
    s.Chi2Text = texte[2];
    s.Strichlinie = texte[3];
    s.Punktlinie = texte[4];
    FitStatusTextKern(text, STATUS_TEXT_BYTES, s);
}

void FitModellLaden(const grafik_fenster& g)
{
    FitFunctionCount = g.AnzahlFunktionen;
    FitFunctionTypes = g.FunktionsTypen;
    FitParameters = g.Parameter;
    FitPolyDegree = g.PolyGrad;
    FitModellArt = g.ModellArt;
}

void FitBefehl(haupt_fenster* app, int32_t fenster, LPARAM lParam)
{
    grafik_fenster& g = GrafikFenster[fenster];
    if (app->FitZustand == FIT_KEIN && LOWORD(lParam) == 0 && lParam != LP_PREPARED) {
        const INT_PTR wahl = FunktionWaehlen(app);
        if (wahl == 0) return;
        // The choice may have built a new model in the window.
        FitFunctionTypes = g.FunktionsTypen;
        FitParameters = g.Parameter;
        FitFunctionCount = g.AnzahlFunktionen;
        FitPolyDegree = g.PolyGrad;
        Numerik.SetFunction(app->ModellCallback ? app->ModellCallback : ModellFunktion);
        Numerik.SetWeightFunction(nullptr);
        Numerik.SetImagFT(nullptr);
        Numerik.SetRealFT(nullptr);
        if (wahl == 1) {
            bool voigt = false;
            if (ModellGrenzenSetzen(&voigt) < 0) {
                FehlerCode = 108;
                return;
            }
            if (voigt) {
                g.Paintinfo.OnlyXPoints = 1;
                app->BearbeitetePaintinfo = &g.Paintinfo;
            }
        }
        if (wahl == 1 || wahl == 9999) {
            if (FitParameterEingabe(app) == 0) return;
        }
        if (app->MakroAufnahme) ButtonBar.MakroRecord(507, 2, MaxParameter);
    }
    // A replayed step recorded after a peak search sets its start values
    // again on this curve, once, at its first iteration.
    const bool suche = MakroFitMitSuche != 0;
    MakroFitMitSuche = 0;
    if (suche && app->FitZustand == FIT_KEIN && lParam == LP_PREPARED && FitFunctionCount > 0 &&
        FitFunctionTypes[0] <= 6 && g.Punkte() > 1) {
        const int32_t n = g.Punkte();
        const double* x = g.GetXFeld(-1);
        const double* y = g.GetYFeld(-1);
        AutoPeakSearch(y[0], std::fabs(x[n - 1] - x[0]) / 20.0, n, x, y);
    }
    app->FitStarten();
}

int32_t haupt_fenster::FitStarten()
{
    const LPARAM lParam = Meldungsblock.lParam;
    const int32_t w = AktivesFenster;
    if (w < 0 || w > 3 || !GrafikHandles[w]) return 0;
    grafik_fenster& g = GrafikFenster[w];
    HWND grafik = GrafikHandles[w];
    const int32_t n = g.Punkte();
    double* x = g.GetXFeld(-1);
    double* y = g.GetYFeld(-1);
    const bool erster = FitZustand == FIT_KEIN;

    if (erster) {
        if (lParam == LP_CONTINUE_FIT) return 1;
        FitFehlgeschlagen = 0;
        g.ZeigeFunktion = 1;
        g.ZeigeDaten = 1;
        ResetTitel();
        CheckMenuItem(Hauptmenue, 19, MF_BYCOMMAND | MF_CHECKED);
        CheckMenuItem(Hauptmenue, 45, MF_BYCOMMAND | MF_CHECKED);
        DifferenzenFuer(n);
    }
    Numerik.SetField(x, y);
    Numerik.SetParameterDifference(FitParameters, FitDifferenzen, ParameterFlags, FreeParameterList);
    Numerik.SetParameterCorrelation(CorrelationWords, CorrelationConstants);
    if (erster) {
        Numerik.SetAnzahl(n, MaxParameter, MaxFitParameter);
        FitGestartet = 1;
        FitStartFenster = w;
        FitStartBlock = g.Parameter;
        FitStartAnzahl = MaxParameter + 1 < WORK_DOUBLES ? MaxParameter + 1 : WORK_DOUBLES;
        for (int32_t p = 0; p <= MaxParameter && p < WORK_DOUBLES; ++p) {
            FitStartWerte[p] = FitParameters[p];
            CommandArgs[p] = FitParameters[p];
        }
        FitIterationen = 0;
    }

    // A fit that has finished already (its first step returned -1) only
    // shows its end; the library has no running fit to step.
    if (erster || FitZustand != FIT_FERTIG) {
        // The parameters of the last good step come back after a failure.
        std::vector<double> vorher;
        if (FitParameters && MaxParameter >= 0)
            vorher.assign(FitParameters, FitParameters + MaxParameter + 1);
        FitSchrittAktiv = 1;
        FitZustand = Numerik.LeastSquareFit(FitRFaktor, FitChi2, FitIterationen);
        FitSchrittAktiv = 0;
        if (erster) CommandArgs[1500] = FitRFaktor;
        if (Fehlschlag(FitZustand) && !vorher.empty())
            std::memcpy(FitParameters, vorher.data(), vorher.size() * sizeof(double));
        if (Fehlschlag(FitZustand) && MakroSchrittAktiv) {
            // A replayed fit goes on; its report says that it failed.
            FitFehlgeschlagen = FitZustand;
            FitZustand = FIT_FERTIG;
        }
    }

    if (Fehlschlag(FitZustand)) {
        const int32_t zustand = FitZustand;
        FitZustand = FIT_KEIN;
        ExafsFitAnsicht.Anzeige = -1;
        if (erster) {
            SendMessageA(KindFenster[KIND_BUTTONLEISTE], WM_COMMAND, 2004, 0);
            SetMenu(Hauptfenster, Hauptmenue);
            UpdateFensterStatus();
        } else {
            FitModusVerlassen(*this, grafik);
        }
        FehlerMeldung(FehlerText(zustand));
        return 0;
    }

    if (erster) {
        FitModusBetreten(*this, grafik);
        return 1;
    }

    FitStatusText(StatusText);
    SetWindowTextA(FitPanel[FIT_TEXT], StatusText);
    UpdateWindow(FitPanel[FIT_TEXT]);

    // Keys and button releases that came in during the iteration.
    MSG m;
    std::vector<MSG> tasten;
    while (PeekMessageA(&m, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE))
        if (ImPanel(*this, m.hwnd)) tasten.push_back(m);
    for (const MSG& t : tasten) {
        if (t.message != WM_CHAR) continue;
        const MELDUNGSBLOCK alt = Meldungsblock;
        Meldungsblock.Nachricht = WM_CHAR;
        Meldungsblock.wParam = t.wParam;
        MainOnChar();
        Meldungsblock = alt;
    }
    bool showFit = false;
    while (PeekMessageA(&m, nullptr, WM_LBUTTONUP, WM_LBUTTONUP, PM_REMOVE)) {
        if (showFit) continue;
        if (m.hwnd == FitPanel[FIT_INTERRUPT]) {
            Befehl(CM_FIT_INTERRUPT, 0);
        } else if (m.hwnd == FitPanel[FIT_CANCEL]) {
            Befehl(CM_FIT_CANCEL, 0);
        } else if (m.hwnd == FitPanel[FIT_CONTINUE] && FitErneuerung[0]) {
            showFit = true;
            RedrawWindow(grafik, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        }
    }
    // The fit may have ended through a key or a button.
    if (FitZustand == FIT_KEIN) return 1;

    if (FitErneuerung[0] && FitZustand != FIT_FERTIG) {
        PostMessageA(Hauptfenster, WM_COMMAND, 507, LP_CONTINUE_FIT);
        return 1;
    }
    if (FitZustand == FIT_FERTIG) {
        ExafsProzedurModus = -1;
        EnableWindow(FitPanel[FIT_INTERRUPT], FALSE);
        EnableWindow(FitPanel[FIT_CONTINUE], FALSE);
        SetWindowTextA(FitPanel[FIT_CANCEL], "OK");
        FitSignatur = FitSignaturVon(MaxParameter, FitFunctionCount, n);
        FitVarianzAlt = ResiduenVarianz(n);
    }
    RedrawWindow(grafik, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    SetFocus(FitPanel[FIT_CANCEL]);
    if (FitErneuerung[1] && FitZustand != FIT_FERTIG)
        PostMessageA(Hauptfenster, WM_COMMAND, 507, LP_CONTINUE_FIT);
    return 1;
}
