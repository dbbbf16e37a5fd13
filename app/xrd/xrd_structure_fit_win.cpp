// Command 915: the XRD structure fit. The dialog XRDSTRUCTFIT describes the
// phases, the model is built by XrdModellBauen, the parameter table
// follows, and the fit runs as command 507 on the prepared values.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "fit/fit_model.h"
#include "fit/model_function.h"
#include "fit/parameter_dialogs_win.h"
#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/spectra_globals.h"
#include "xrd/xrd_phase.h"
#include "xrd/xrd_structure_fit.h"
#include "xrd/xrd_structure_fit_win.h"

namespace {

// The phase shown in the dialog.
int32_t Gezeigt = 0;

std::string Ordner()
{
    const char* o = HAUPTDATEN.DatenOrdner;
    return o && *o ? o : ".";
}

int32_t Gewaehlt(HWND dlg, int erste, int anzahl)
{
    for (int i = 0; i < anzahl; ++i)
        if (IsDlgButtonChecked(dlg, erste + i) == BST_CHECKED) return i;
    return 0;
}

void Waehle(HWND dlg, int erste, int anzahl, int32_t i)
{
    if (i < 0 || i >= anzahl) i = 0;
    CheckRadioButton(dlg, erste, erste + anzahl - 1, erste + i);
}

// The fields that the crystal system sets: a stays editable, b to gamma
// are disabled first and then opened or set as the system has them.
void SystemZeigen(HWND dlg, int32_t system)
{
    for (int j = 1; j < 6; ++j) EnableWindow(GetDlgItem(dlg, IDC_XS_GITTER + j), FALSE);
    const std::string a = DialogText(dlg, IDC_XS_GITTER);
    auto offen = [&](int j) { EnableWindow(GetDlgItem(dlg, IDC_XS_GITTER + j), TRUE); };
    auto setze = [&](int j, const char* t) { SetDlgItemTextA(dlg, IDC_XS_GITTER + j, t); };
    if (system <= 2) setze(1, a.c_str());
    if (system == 0) setze(2, a.c_str());
    if (system >= 1) offen(2);
    if (system >= 3) offen(1);
    if (system <= 4) {
        setze(3, "90");
        setze(5, system == 2 ? "120" : "90");
    }
    if (system <= 3) setze(4, "90");
    if (system >= 4) offen(4);
    if (system == 5) {
        offen(3);
        offen(5);
    }
}

void PhaseZeigen(HWND dlg, int32_t k)
{
    XrdPhase& rec = XrdPhaseTable[k];
    Waehle(dlg, IDC_XS_SYSTEM, 6, rec.Kristallsystem);
    for (int j = 0; j < 6; ++j) ZeigeDialogZahl(dlg, IDC_XS_GITTER + j, rec.Gitter[j]);
    SystemZeigen(dlg, rec.Kristallsystem);
    Waehle(dlg, IDC_XS_PROFIL, 3, rec.Profil);
    Waehle(dlg, IDC_XS_GESETZ, 3, rec.Breitengesetz == 3 ? 2 : rec.Breitengesetz);
    ZeigeDialogZahl(dlg, IDC_XS_W, rec.UVW[2]);
    const std::string hkl = ReadHklFile(Ordner(), k) > 0 ? HklText(rec, "\r\n") : std::string(XRD_HKL_VORGABE);
    SetDlgItemTextA(dlg, IDC_XS_HKL, hkl.c_str());
    Gezeigt = k;
}

// The shown phase into its record and its index file; false (with the
// field marked) while a value is refused.
bool PhaseSpeichern(HWND dlg)
{
    double gitter[6];
    for (int j = 0; j < 6; ++j) {
        gitter[j] = DialogZahl(dlg, IDC_XS_GITTER + j);
        if (!(gitter[j] > 0.0) || !std::isfinite(gitter[j])) {
            DialogFeldFehler(dlg, IDC_XS_GITTER + j, "Lattice constants and angles must be larger than 0.");
            return false;
        }
    }
    const double w = DialogZahl(dlg, IDC_XS_W);
    if (!std::isfinite(w)) {
        DialogFeldFehler(dlg, IDC_XS_W, "Please enter a number.");
        return false;
    }
    XrdPhase probe = XrdPhaseTable[Gezeigt];
    const int32_t zahl = HklTextLesen(DialogText(dlg, IDC_XS_HKL), probe);
    if (zahl > XRD_REFLECTIONS) {
        char t[120];
        std::snprintf(t, sizeof t, "At most %d reflections fit into a phase; %d are given.",
                      static_cast<int>(XRD_REFLECTIONS), static_cast<int>(zahl));
        DialogFeldFehler(dlg, IDC_XS_HKL, t);
        return false;
    }
    XrdPhase& rec = XrdPhaseTable[Gezeigt];
    rec = probe;
    rec.Kristallsystem = Gewaehlt(dlg, IDC_XS_SYSTEM, 6);
    for (int j = 0; j < 6; ++j) rec.Gitter[j] = gitter[j];
    rec.Profil = Gewaehlt(dlg, IDC_XS_PROFIL, 3);
    rec.Breitengesetz = Gewaehlt(dlg, IDC_XS_GESETZ, 3);
    rec.UVW[2] = w;
    if (!WriteHklFile(Ordner(), Gezeigt))
        MeldungsBox(dlg, ("The reflections cannot be written to\r\n" + HklDateiName(Ordner(), Gezeigt)).c_str(),
                    "Error!", MB_OK | MB_ICONEXCLAMATION);
    return true;
}

void PhasenListe(HWND dlg)
{
    HWND liste = GetDlgItem(dlg, IDC_XS_PHASE);
    SendMessageA(liste, CB_RESETCONTENT, 0, 0);
    char t[20];
    for (int32_t k = 1; k <= XrdPhaseTable[0].Phasen; ++k) {
        std::snprintf(t, sizeof t, "%d. Phase", static_cast<int>(k));
        SendMessageA(liste, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
    }
    SendMessageA(liste, CB_SETCURSEL, 0, 0);
}

void GlobaleZeigen(HWND dlg)
{
    const XrdPhase& r = XrdPhaseTable[0];
    Waehle(dlg, IDC_XS_UNTERGRUND, 3, r.Untergrund);
    ZeigeDialogZahl(dlg, IDC_XS_GRAD, r.UntergrundGrad, "%.0f");
    SetzeDialogKreuz(dlg, IDC_XS_NULL_FREI, r.NullpunktFrei != 0);
    ZeigeDialogZahl(dlg, IDC_XS_NULLPUNKT, r.Nullpunkt);
    SetzeDialogKreuz(dlg, IDC_XS_DOPPEL, r.KAlphaAufspaltung != 0);
    ZeigeDialogZahl(dlg, IDC_XS_ALPHA1, r.KAlpha[0]);
    ZeigeDialogZahl(dlg, IDC_XS_ALPHA2, r.KAlpha[1]);
    SetzeDialogKreuz(dlg, IDC_XS_SCHNITT, r.Abschneiden != 0);
    ZeigeDialogZahl(dlg, IDC_XS_SCHNITT_FAKTOR, r.Abschneidefaktor);
}

// The settings of the whole fit into record 0; false while one is refused.
bool GlobaleSpeichern(HWND dlg)
{
    XrdPhase& r = XrdPhaseTable[0];
    const int32_t untergrund = Gewaehlt(dlg, IDC_XS_UNTERGRUND, 3);
    const bool frei = DialogKreuz(dlg, IDC_XS_NULL_FREI), doppel = DialogKreuz(dlg, IDC_XS_DOPPEL);
    const bool schnitt = DialogKreuz(dlg, IDC_XS_SCHNITT);
    const double grad = DialogZahl(dlg, IDC_XS_GRAD);
    if (untergrund == 1 && !(grad >= 0.0 && grad <= 20.0)) {
        DialogFeldFehler(dlg, IDC_XS_GRAD, "The degree of the polynomial must lie between 0 and 20.");
        return false;
    }
    const double a1 = DialogZahl(dlg, IDC_XS_ALPHA1), a2 = DialogZahl(dlg, IDC_XS_ALPHA2);
    if (doppel && !(a1 > 0.0 && a2 > 0.0)) {
        DialogFeldFehler(dlg, a1 > 0.0 ? IDC_XS_ALPHA2 : IDC_XS_ALPHA1, "The wavelengths must be larger than 0 pm.");
        return false;
    }
    const double nullpunkt = DialogZahl(dlg, IDC_XS_NULLPUNKT), faktor = DialogZahl(dlg, IDC_XS_SCHNITT_FAKTOR);
    r.Untergrund = untergrund;
    if (untergrund == 1) r.UntergrundGrad = static_cast<int32_t>(grad);
    r.NullpunktFrei = frei ? 1 : 0;
    if (frei && std::isfinite(nullpunkt)) r.Nullpunkt = nullpunkt;
    r.KAlphaAufspaltung = doppel ? 1 : 0;
    if (doppel) {
        r.KAlpha[0] = a1;
        r.KAlpha[1] = a2;
    }
    r.Abschneiden = schnitt ? 1 : 0;
    if (schnitt && faktor > 0.0) r.Abschneidefaktor = faktor;
    return true;
}

INT_PTR CALLBACK XrdStructFitDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG: {
        CenterDialog(dlg);
        XrdPhase& r = XrdPhaseTable[0];
        if (r.Phasen < 1 || r.Phasen > XRD_PHASE_RECORDS) r.Phasen = 1;
        HWND anzahl = GetDlgItem(dlg, IDC_XS_PHASEN);
        for (int k = 1; k <= XRD_PHASE_RECORDS; ++k) {
            char t[8];
            std::snprintf(t, sizeof t, "%d", k);
            SendMessageA(anzahl, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
        }
        SendMessageA(anzahl, CB_SETCURSEL, r.Phasen - 1, 0);
        PhasenListe(dlg);
        GlobaleZeigen(dlg);
        PhaseZeigen(dlg, 0);
        return TRUE;
    }
    case WM_COMMAND: {
        const int id = LOWORD(wParam), code = HIWORD(wParam);
        if (id >= IDC_XS_SYSTEM && id < IDC_XS_SYSTEM + 6 && code == BN_CLICKED) {
            SystemZeigen(dlg, id - IDC_XS_SYSTEM);
            return TRUE;
        }
        switch (id) {
        case IDC_XS_GITTER:
            if (code == EN_CHANGE) {
                // The disabled b and c follow a.
                const std::string a = DialogText(dlg, IDC_XS_GITTER);
                for (int j = 1; j <= 2; ++j)
                    if (!IsWindowEnabled(GetDlgItem(dlg, IDC_XS_GITTER + j)))
                        SetDlgItemTextA(dlg, IDC_XS_GITTER + j, a.c_str());
            }
            return TRUE;
        case IDC_XS_PHASEN:
            if (code == CBN_SELCHANGE) {
                if (!PhaseSpeichern(dlg)) return TRUE;
                XrdPhaseTable[0].Phasen =
                    static_cast<int32_t>(SendDlgItemMessageA(dlg, IDC_XS_PHASEN, CB_GETCURSEL, 0, 0)) + 1;
                PhasenListe(dlg);
                PhaseZeigen(dlg, 0);
            }
            return TRUE;
        case IDC_XS_PHASE:
            if (code == CBN_SELCHANGE) {
                const int32_t k = static_cast<int32_t>(SendDlgItemMessageA(dlg, IDC_XS_PHASE, CB_GETCURSEL, 0, 0));
                if (!PhaseSpeichern(dlg)) {
                    SendDlgItemMessageA(dlg, IDC_XS_PHASE, CB_SETCURSEL, Gezeigt, 0);
                    return TRUE;
                }
                if (k >= 0 && k < XRD_PHASE_RECORDS) PhaseZeigen(dlg, k);
            }
            return TRUE;
        case IDOK:
            if (PhaseSpeichern(dlg) && GlobaleSpeichern(dlg)) EndDialog(dlg, 1);
            return TRUE;
        case IDCANCEL:
            EndDialog(dlg, 0);
            return TRUE;
        default:
            break;
        }
        break;
    }
    default:
        break;
    }
    return FALSE;
}

}  // namespace

void XrdStructureFit(int32_t)
{
    haupt_fenster& app = HAUPTDATEN;
    const int32_t w = AktivesFenster;
    if (w < 0 || w > 3) return;
    grafik_fenster& g = GrafikFenster[w];
    if (DialogBoxParamA(ProgrammModul(), "XRDSTRUCTFIT", app.Hauptfenster, XrdStructFitDlgProc, 0) != 1) return;

    XRD_MODELL_EINGABE e;
    e.Ordner = Ordner();
    e.Wellenlaenge = app.Roentgenwellenlaenge;
    e.x = g.GetXFeld(-1);
    e.y = g.GetYFeld(-1);
    e.Punkte = g.Punkte();
    const XRD_MODELL_ERGEBNIS r = XrdModellBauen(e);
    if (!r.Status) {
        MeldungsBox(app.Hauptfenster, r.Meldung.c_str(), r.Titel.c_str(), MB_OK | MB_ICONEXCLAMATION);
        if (MakroRunning) FehlerCode = 1000;
        return;
    }
    Numerik.SetAbleitung(2);
    app.Roentgenwellenlaenge = r.Wellenlaenge;
    g.AnzahlFunktionen = FitFunctionCount;
    g.PolyGrad = FitPolyDegree;
    g.FunktionenGetrennt = 1;
    app.FitErneuerung[0] = 1;
    app.FitErneuerung[1] = 0;
    if (ParameterTabelleOeffnen(app.Hauptfenster, FitFunctionCount, false, nullptr) == 0) return;
    XrdGemerkteParameter = MaxParameter;
    Numerik.SetFunction(app.ModellCallback ? app.ModellCallback : ModellFunktion);
    PostMessageA(app.Hauptfenster, WM_COMMAND, 507, LP_PREPARED);
}
