// The XAFS layout of the parameter table: its opening, the boxes of the
// current parameter and the column commands.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "fit/exafs_terms.h"
#include "fit/fit_model.h"
#include "fit/parameter_dialogs_win.h"
#include "fit/xafs_table.h"
#include "resource_ids.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"

namespace {

HINSTANCE Modul()
{
    return HAUPTDATEN.Instanz ? HAUPTDATEN.Instanz : GetModuleHandleA(nullptr);
}

void An(HWND dlg, int id, bool an) { EnableWindow(GetDlgItem(dlg, id), an); }
void Zeige(HWND dlg, int id, bool an) { ShowWindow(GetDlgItem(dlg, id), an ? SW_SHOW : SW_HIDE); }
bool Gecheckt(HWND dlg, int id) { return IsDlgButtonChecked(dlg, id) == BST_CHECKED; }

double Zahl(HWND dlg, int id)
{
    char text[40] = "";
    GetDlgItemTextA(dlg, id, text, sizeof text);
    return std::atof(text);
}

void Setze(HWND dlg, int id, double wert, const char* format)
{
    char text[40];
    std::snprintf(text, sizeof text, format, wert);
    SetDlgItemTextA(dlg, id, text);
}

int32_t ErsterPfad()
{
    for (int32_t f = 2; f <= FitFunctionCount; ++f)
        if (IstXafsPfad(f)) return f;
    return 0;
}

void Neu(HWND dlg)
{
    XafsZaehler(dlg);
    TabelleSeiteZeigen(dlg);
}

// A column's "Fix all" and the buttons that go with it.
void FixAll(HWND dlg, int32_t c)
{
    TabelleSeiteLesen(dlg);
    SpalteFesthalten(c);
    An(dlg, IDC_XT_FIX_ALL + c, false);
    if (c == SPALTE_N) An(dlg, IDC_XT_MS_PATH, false);
    if (c == SPALTE_R) An(dlg, IDC_XT_MS_DISTANCE, false);
    if (c == SPALTE_SIGMA2)
        for (int id : {IDC_XT_AVE_SIGMA, IDC_XT_POT_SIGMA, IDC_XT_CORR}) An(dlg, id, false);
    if (c == SPALTE_E0)
        for (int id : {IDC_XT_AVE_E0, IDC_XT_POT_E0}) An(dlg, id, false);
    Neu(dlg);
}

void Einschraenken(HWND dlg, int32_t c, int32_t modus)
{
    TabelleSeiteLesen(dlg);
    const int32_t alt = HilfeThema;
    HilfeThema = modus;
    const INT_PTR r = DialogBoxParamA(Modul(), "SETCONSTRAIN", dlg, SetConstrainProc, 0);
    HilfeThema = alt;
    if (r == 1) SpalteEinschraenken(c, HAUPTDATEN.DialogWerte[1], HAUPTDATEN.DialogWerte[2]);
    Neu(dlg);
}

// "Calc." and "Corr.".
void Temperaturen(HWND dlg, bool korrelieren)
{
    TabelleSeiteLesen(dlg);
    if (Gecheckt(dlg, IDC_XT_NONE)) {
        CheckRadioButton(dlg, IDC_XT_DEBYE, IDC_XT_EINSTEIN, IDC_XT_DEBYE);
        DebyeWallerModell = -1;
    }
    TemperaturModellRechnen(korrelieren, Zahl(dlg, IDC_XT_TEMP), Zahl(dlg, IDC_XT_DTEMP));
    if (korrelieren) {
        Zeige(dlg, IDC_XT_NONE, false);
        An(dlg, DebyeWallerModell < 0 ? IDC_XT_EINSTEIN : IDC_XT_DEBYE, false);
        An(dlg, IDC_XT_POT_SIGMA, false);
        Zeige(dlg, IDC_XT_CALC, false);
        An(dlg, IDC_XT_CORR, false);
    }
    Neu(dlg);
}

// The Debye-Waller polynomial's "Corr.": a whole degree from 0 to 3 in
// the Degree edit, else nothing happens.
void DwPolynom(HWND dlg)
{
    char text[40] = "";
    GetDlgItemTextA(dlg, IDC_XT_POLY_DEGREE, text, sizeof text);
    char* ende = nullptr;
    const double grad = std::strtod(text, &ende);
    while (ende && (*ende == ' ' || *ende == '\t')) ++ende;
    if (ende == text || (ende && *ende) || !(grad >= 0.0 && grad <= DW_POLYNOM_HOECHSTGRAD) ||
        grad != std::floor(grad))
        return;
    TabelleSeiteLesen(dlg);
    DwPolynomKorrelieren(static_cast<int32_t>(grad));
    for (int id : {IDC_XT_CORR, IDC_XT_CALC, IDC_XT_POLY_DEGREE, IDC_XT_POLY_CORR, IDC_XT_POT_SIGMA}) An(dlg, id, false);
    Neu(dlg);
}

}  // namespace

void XafsTabelleOeffnen(HWND dlg)
{
    XafsOeffnen(CommandArgs);
    SetDlgItemTextA(dlg, IDC_PT_CAPTION, "S0^2");
    Setze(dlg, IDC_XT_POLY_DEGREE, DwPolynomGrad, "%.0f");
    Setze(dlg, IDC_XT_INDEPENDENT, CommandArgs ? static_cast<int32_t>(CommandArgs[1000]) : 0, "%.0f");
    XafsZaehler(dlg);
    SetDlgItemTextA(dlg, IDC_XT_WEIGHT_LIMIT, "5.0");
    for (int32_t f = 2; f <= FitFunctionCount; ++f) {
        if (!IstXafsPfad(f)) continue;
        for (int32_t c = 0; c < 6; ++c) {
            const int32_t n = FunctionParameterCount(FitFunctionTypes[f - 1], FitPolyDegree, SplineKnotCount);
            if (c < n && (ParameterFlags[ParameterIndex(f, c)] & PF_FIXED)) {
                An(dlg, IDC_XT_FIX_ALL + c, false);
                if (c == 0) An(dlg, IDC_XT_MS_PATH, false);
            }
        }
    }
    // Distances derived from the legs or the cluster: the buttons that
    // change them are offered again.
    for (int32_t f = 2; f <= FitFunctionCount; ++f)
        if (IstXafsPfad(f) && (ParameterFlags[ParameterIndex(f, SPALTE_R)] & (PF_MS_DISTANCE | PF_CLUSTER)))
            for (int id : {IDC_XT_MS_DISTANCE, IDC_XT_XYZ, IDC_XT_DELTA_R}) An(dlg, id, true);
    // The cluster coefficients are the distances of the last three functions.
    if (FitFunctionCount < 4) An(dlg, IDC_XT_XYZ, false);
    const int32_t erster = ErsterPfad();
    const int32_t n = erster ? FunctionParameterCount(FitFunctionTypes[erster - 1], FitPolyDegree, SplineKnotCount) : 0;
    Zeige(dlg, IDC_XT_FIX_ALL + 5, n >= 6);
    Zeige(dlg, IDC_XT_FIX_ALL + 4, n >= 5);
    CheckDlgButton(dlg, IDC_XT_DELTA_R, DeltaRModus > 0 ? BST_CHECKED : BST_UNCHECKED);
    Setze(dlg, IDC_XT_TEMP, MessTemperatur, "%G");
    Setze(dlg, IDC_XT_DTEMP, DebyeTemperatur, "%G");
    const int modell = DebyeWallerModell < 0 ? IDC_XT_DEBYE : DebyeWallerModell > 0 ? IDC_XT_EINSTEIN : IDC_XT_NONE;
    CheckRadioButton(dlg, IDC_XT_DEBYE, IDC_XT_EINSTEIN, modell);
    const int regel = MsSigmaRegel >= IDC_XT_RULE_MEAN && MsSigmaRegel <= IDC_XT_RULE_NLEG ? MsSigmaRegel
                                                                                          : IDC_XT_RULE_MEAN;
    CheckRadioButton(dlg, IDC_XT_RULE_MEAN, IDC_XT_RULE_NLEG, regel);
    CheckDlgButton(dlg, IDC_XT_SHOW_MS, BST_CHECKED);
}

void XafsBoxen(HWND dlg, int32_t j)
{
    const int32_t fl = j >= 0 ? ParameterFlags[j] : 0;
    const bool ms = j >= 0 && (fl & PF_CORRELATED) && IsMsWord(CorrelationWords[j]);
    CheckDlgButton(dlg, IDC_XT_MULTIPLE, ms ? BST_CHECKED : BST_UNCHECKED);
    An(dlg, IDC_XT_MULTIPLE, !(fl & PF_CORRELATED));
    CheckDlgButton(dlg, IDC_XT_CLUSTER, (fl & PF_CLUSTER) ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dlg, IDC_XT_MS_BOX, (fl & (PF_MS | PF_E0_POTENTIAL | PF_E0_TIED)) ? BST_CHECKED : BST_UNCHECKED);
}

void XafsZaehler(HWND dlg) { Setze(dlg, IDC_XT_FREE_COUNT, MaxFitParameter + 1, "%.0f"); }

void XafsWeiter(HWND dlg)
{
    SetDlgItemTextA(dlg, IDC_PT_CAPTION, "");
    for (int id = IDC_XT_RULE_MEAN; id <= IDC_XT_RULE_NLEG; ++id)
        if (Gecheckt(dlg, id)) MsSigmaRegel = id;
    ClusterTabelleMerken();
}

bool XafsBefehl(HWND dlg, int id, int code)
{
    if (code != BN_CLICKED) return false;
    if (id >= IDC_XT_FIX_ALL && id < IDC_XT_FIX_ALL + 6) {
        FixAll(dlg, id - IDC_XT_FIX_ALL);
        return true;
    }
    switch (id) {
    case IDC_XT_CONSTRAIN_N:
        Einschraenken(dlg, SPALTE_N, 1);
        return true;
    case IDC_XT_CONSTRAIN_R:
        Einschraenken(dlg, SPALTE_R, 2);
        return true;
    case IDC_XT_CONSTRAIN_S2:
        Einschraenken(dlg, SPALTE_SIGMA2, 3);
        return true;
    case IDC_XT_FIX_WEIGHT:
        TabelleSeiteLesen(dlg);
        NachGewichtFesthalten(Zahl(dlg, IDC_XT_WEIGHT_LIMIT));
        Neu(dlg);
        return true;
    case IDC_XT_COPY: {
        const int32_t spalte = (TabelleEdit() - IDC_PT_VALUE) % 10;
        const double wert = Zahl(dlg, TabelleEdit());
        TabelleSeiteLesen(dlg);
        if (TabelleParameter() >= 0) SpalteKopieren(spalte, wert);
        Neu(dlg);
        return true;
    }
    case IDC_XT_MS_PATH:
        MsPfadeMarkieren();
        An(dlg, IDC_XT_FIX_ALL, false);
        An(dlg, IDC_XT_MS_PATH, false);
        Neu(dlg);
        return true;
    case IDC_XT_MS_DISTANCE:
        TabelleSeiteLesen(dlg);
        MsAbstaendeAbleiten();
        An(dlg, IDC_XT_MS_DISTANCE, false);
        Neu(dlg);
        return true;
    case IDC_XT_XYZ:
        TabelleSeiteLesen(dlg);
        ClusterUmschalten(HAUPTDATEN.FeffSatzAnzahl);
        CheckDlgButton(dlg, IDC_XT_DELTA_R, BST_UNCHECKED);
        An(dlg, IDC_XT_DELTA_R, false);
        An(dlg, IDC_XT_XYZ, false);
        Zeige(dlg, IDC_XT_MS_DISTANCE, true);
        Neu(dlg);
        return true;
    case IDC_XT_AVE_SIGMA:
        TabelleSeiteLesen(dlg);
        SigmaMittelAlle();
        An(dlg, IDC_XT_AVE_SIGMA, false);
        Zeige(dlg, IDC_XT_POT_SIGMA, false);
        SigmaProPotential(TabelleAnfang());
        Neu(dlg);
        return true;
    case IDC_XT_POT_SIGMA:
        TabelleSeiteLesen(dlg);
        SigmaProPotential(TabelleAnfang());
        Neu(dlg);
        return true;
    case IDC_XT_POT_E0:
        TabelleSeiteLesen(dlg);
        E0ProPotential();
        An(dlg, IDC_XT_POT_E0, false);
        Zeige(dlg, IDC_XT_AVE_E0, false);
        An(dlg, IDC_XT_FIX_ALL + SPALTE_E0, false);
        Neu(dlg);
        return true;
    case IDC_XT_AVE_E0:
        TabelleSeiteLesen(dlg);
        E0Mitteln();
        An(dlg, IDC_XT_AVE_E0, false);
        Zeige(dlg, IDC_XT_POT_E0, false);
        An(dlg, IDC_XT_FIX_ALL + SPALTE_E0, false);
        Neu(dlg);
        return true;
    case IDC_XT_DELTA_R:
        TabelleSeiteLesen(dlg);
        DeltaRUmschalten(Gecheckt(dlg, IDC_XT_DELTA_R), CommandArgs);
        An(dlg, IDC_XT_MS_DISTANCE, true);
        An(dlg, IDC_XT_XYZ, FitFunctionCount >= 4);
        Neu(dlg);
        return true;
    case IDC_XT_DEBYE:
    case IDC_XT_NONE:
    case IDC_XT_EINSTEIN:
        DebyeWallerModell = id - IDC_XT_NONE;
        return true;
    case IDC_XT_CALC:
        Temperaturen(dlg, false);
        return true;
    case IDC_XT_CORR:
        Temperaturen(dlg, true);
        return true;
    case IDC_XT_POLY_CORR:
        DwPolynom(dlg);
        return true;
    case IDC_XT_SHOW_MS:
        TabelleMsPfade(dlg, Gecheckt(dlg, IDC_XT_SHOW_MS));
        return true;
    default:
        return false;
    }
}
