// The dialog FTRANSFORMATION of the Fourier transformation: it fills its
// fields from the active window and "ini_FT.par", opens the previews and
// the section dialog, and on OK checks and hands its values back in
// DialogWerte. It computes nothing itself.
#include "fit/fourier_transform_win.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fit/fourier_transform.h"
#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/haupt_fenster.h"
#include "shell/option_dialogs_win.h"
#include "shell/shell_globals.h"
#include "spectra/data_commands_win.h"
#include "spectra/file_commands.h"
#include "spectra/file_commands_win.h"
#include "spectra/spectra_globals.h"

namespace {

const double PI = 3.14159265358979323846;
const char* const INI_DATEI = "ini_FT.par";
const int32_t FT_HILFE = 506;

// The dialog's state from WM_INITDIALOG to OK or Cancel: the chosen phase
// and amplitude files (each full path followed by ",") and the mode.
struct FT_DIALOG {
    std::string Phase, Amplitude;
    bool Xafs = false;
};
FT_DIALOG Zustand;

double* DW() { return HAUPTDATEN.DialogWerte; }

double Zahl(HWND dlg, int id)
{
    char text[64] = "";
    GetDlgItemTextA(dlg, id, text, sizeof text);
    return std::atof(text);
}

bool Markiert(HWND dlg, int id) { return IsDlgButtonChecked(dlg, id) == BST_CHECKED; }

int32_t FensterTyp(HWND dlg)
{
    for (int32_t t = 0; t < 6; ++t)
        if (Markiert(dlg, IDC_FT_FENSTER_ERSTES + t)) return t;
    return 0;
}

void NurFenster(HWND dlg, int32_t typ)
{
    CheckRadioButton(dlg, IDC_FT_FENSTER_ERSTES, IDC_FT_FENSTER_ERSTES + 5, IDC_FT_FENSTER_ERSTES + typ);
}

void Zurueck(HWND dlg)
{
    for (int32_t t = 0; t < 6; ++t) EnableWindow(GetDlgItem(dlg, IDC_FT_FENSTER_ERSTES + t), FALSE);
    NurFenster(dlg, 1);
    SetDlgItemTextA(dlg, IDC_FT_PARAMETER, "0");
}

void Zeigen(HWND dlg, int id, bool sichtbar) { ShowWindow(GetDlgItem(dlg, id), sichtbar ? SW_SHOW : SW_HIDE); }

void IniLesen(HWND dlg)
{
    char pfad[MAX_PATH];
    ProgrammDatei(pfad, sizeof pfad, INI_DATEI);
    std::FILE* f = std::fopen(pfad, "rt");
    if (!f) return;
    int32_t typ = 4;
    std::string parameter, kGewicht;
    if (FtIniLesen(f, &typ, &parameter, &kGewicht)) {
        NurFenster(dlg, typ);
        if (!parameter.empty()) SetDlgItemTextA(dlg, IDC_FT_PARAMETER, parameter.c_str());
        if (!kGewicht.empty()) SetDlgItemTextA(dlg, IDC_FT_K_GEWICHT, kGewicht.c_str());
    }
    std::fclose(f);
}

void IniSchreiben()
{
    char pfad[MAX_PATH];
    ProgrammDatei(pfad, sizeof pfad, INI_DATEI);
    std::FILE* f = std::fopen(pfad, "wt");
    if (!f) return;
    FtIniSchreiben(f, DW()[2], DW()[5], DW()[6]);
    std::fclose(f);
}

void Initialisieren(HWND dlg)
{
    CenterDialog(dlg);
    Zustand = FT_DIALOG{};
    Zustand.Xafs = HilfeThema == 1;
    grafik_fenster& g = GrafikFenster[AktivesFenster >= 0 && AktivesFenster < 4 ? AktivesFenster : 0];
    const int32_t n = g.Punkte();
    const uint32_t f = g.KurvenFlags[g.AktuellerSlot()];
    SetDlgItemInt(dlg, IDC_FT_PUNKTE, static_cast<UINT>(n), FALSE);
    SetDlgItemInt(dlg, IDC_FT_K_PUNKTE, static_cast<UINT>(ExafsOptionen.KPunkte), FALSE);
    // No zeros to fill when the curve has more points than the k grid.
    SetDlgItemInt(dlg, IDC_FT_NULLEN, static_cast<UINT>(ExafsOptionen.KPunkte > n ? ExafsOptionen.KPunkte - n : 0),
                  FALSE);
    ZeigeDialogZahl(dlg, IDC_FT_VON, g.Grenzen[1], "%.8G");
    ZeigeDialogZahl(dlg, IDC_FT_BIS, g.Grenzen[0], "%.8G");
    SetDlgItemTextA(dlg, IDC_FT_PARAMETER, "4");
    NurFenster(dlg, 4);
    const bool zurueck = (f & 1) && (f & SLOT_KOMPLEX);
    CheckRadioButton(dlg, IDC_FT_HIN, IDC_FT_ZURUECK, zurueck ? IDC_FT_ZURUECK : IDC_FT_HIN);
    EnableWindow(GetDlgItem(dlg, IDC_FT_ZURUECK), (f & SLOT_KOMPLEX) != 0);
    if (zurueck) Zurueck(dlg);
    if (!Zustand.Xafs) {
        Zeigen(dlg, IDC_FT_K_GRUPPE, false);
        Zeigen(dlg, IDC_FT_K_GEWICHT, false);
        Zeigen(dlg, IDC_FT_NULLSTELLE, false);
        ZeigeDialogZahl(dlg, IDC_FT_SCHRITT, std::fabs(PI / (g.Grenzen[0] - g.Grenzen[1])), "%.8G");
    } else {
        if (g.KGewicht != 0.0 && (f & SLOT_K_GEWICHTET))
            ZeigeDialogZahl(dlg, IDC_FT_K_GEWICHT, g.KGewicht, "%G");
        else
            SetDlgItemTextA(dlg, IDC_FT_K_GEWICHT, "0");
        Zeigen(dlg, IDC_FT_SCHRITT_GRUPPE, false);
        Zeigen(dlg, IDC_FT_SCHRITT, false);
        EnableWindow(GetDlgItem(dlg, IDC_FT_NULLEN), FALSE);
    }
    if (!zurueck) IniLesen(dlg);
    SetFocus(GetDlgItem(dlg, IDOK));
}

// Grid points between from and to on the grid the transform will use.
double GitterPunkteImFenster(HWND dlg, double von, double bis, int32_t nullen)
{
    double dk;
    if (Zustand.Xafs) {
        dk = (PI / ExafsOptionen.RSchritt) / (ExafsOptionen.KPunkte - 1);
    } else {
        const int32_t n = GetDlgItemInt(dlg, IDC_FT_PUNKTE, nullptr, FALSE);
        const int32_t N = FtGroesse(false, false, 0, nullen, n, 1 << 18);
        const double schritt = Zahl(dlg, IDC_FT_SCHRITT);
        if (N - nullen < 2 || !(schritt > 0.0)) return 0.0;
        dk = (PI / schritt) / (N - nullen - 1);
    }
    return dk > 0.0 ? std::floor((bis - von) / dk) + 1.0 : 0.0;
}

INT_PTR Ok(HWND dlg)
{
    const bool hin = Markiert(dlg, IDC_FT_HIN);
    const double von = Zahl(dlg, IDC_FT_VON), bis = Zahl(dlg, IDC_FT_BIS);
    const double nullen = Zahl(dlg, IDC_FT_NULLEN);
    const bool phase = hin && Markiert(dlg, IDC_FT_PHASE);
    if (phase && Zustand.Phase.empty()) {
        MeldungsBox(dlg, "Valid file name is needed for phase correction!\r\n        (File name for amplitude optional)",
                    "Caution", MB_OK | MB_ICONEXCLAMATION);
        DW()[10] = -1.0;
        return TRUE;
    }
    // A grid the transform cannot take is refused here, before anything
    // changes: a step width that is not positive, negative zero filling,
    // or a window with fewer than two grid points.
    const bool schrittGut = Zustand.Xafs || Zahl(dlg, IDC_FT_SCHRITT) > 0.0;
    if (hin && (!(nullen >= 0.0) || nullen > (1 << 24) || !(bis > von) || !schrittGut ||
                GitterPunkteImFenster(dlg, von, bis, static_cast<int32_t>(nullen)) < 2.0)) {
        FehlerCode = 108;
        EndDialog(dlg, 0);
        return TRUE;
    }
    double* dw = DW();
    dw[3] = von;
    dw[4] = bis;
    dw[1] = nullen;
    dw[5] = Zahl(dlg, IDC_FT_PARAMETER);
    dw[7] = Zahl(dlg, IDC_FT_SCHRITT);
    dw[9] = Zahl(dlg, IDC_FT_K_PUNKTE);
    dw[2] = FensterTyp(dlg);
    dw[8] = Markiert(dlg, IDC_FT_NULLSTELLE) ? 1.0 : 0.0;
    if (Zustand.Xafs) dw[6] = Zahl(dlg, IDC_FT_K_GEWICHT);
    dw[10] = -1.0;
    if (phase && CommandText2) {
        std::snprintf(CommandText2, COMMAND_TEXT2_BYTES, "%s%s", Zustand.Phase.c_str(), Zustand.Amplitude.c_str());
        dw[10] = 1.0;
    }
    if (hin) IniSchreiben();
    EndDialog(dlg, hin ? 1 : 2);
    return TRUE;
}

void Datei(HWND dlg, int32_t art)
{
    char pfad[DATEI_NAME_PUFFER] = "", titel[DATEI_TITEL_PUFFER] = "";
    if (!FileDialog(dlg, pfad, titel, art, 1)) return;
    (art == 1 ? Zustand.Phase : Zustand.Amplitude) = std::string(pfad) + ",";
    SetDlgItemTextA(dlg, art == 1 ? IDC_FT_PHASE_NAME : IDC_FT_AMPLITUDE_NAME, titel);
}

void FensterVorschau(HWND dlg)
{
    double* dw = DW();
    dw[3] = Zahl(dlg, IDC_FT_VON);
    dw[4] = Zahl(dlg, IDC_FT_BIS);
    dw[5] = Zahl(dlg, IDC_FT_PARAMETER);
    dw[2] = FensterTyp(dlg);
    DialogBoxParamA(ProgrammModul(), "SHOWWINDOW", dlg, ShowWindowProc, 0);
    ZeigeDialogZahl(dlg, IDC_FT_PARAMETER, dw[5], "%.8G");
}

void GewichtVorschau(HWND dlg)
{
    FtVorschau.Fenster = FTWINDOW{FensterTyp(dlg), Zahl(dlg, IDC_FT_BIS), Zahl(dlg, IDC_FT_VON),
                                  Zahl(dlg, IDC_FT_PARAMETER), 0.0};
    ExafsOptionen.KPunkte = FtGroesse(false, false, 0, 0, static_cast<int32_t>(Zahl(dlg, IDC_FT_K_PUNKTE)), 1 << 18);
    if (ExafsOptionen.KPunkte < 2) ExafsOptionen.KPunkte = 1 << 18;
    SetDlgItemInt(dlg, IDC_FT_K_PUNKTE, static_cast<UINT>(ExafsOptionen.KPunkte), FALSE);
    FtVorschau.Phase = Markiert(dlg, IDC_FT_PHASE) ? 1 : 0;
    if (FtVorschau.Phase && CommandText2)
        std::snprintf(CommandText2, COMMAND_TEXT2_BYTES, "%s%s", Zustand.Phase.c_str(), Zustand.Amplitude.c_str());
    const INT_PTR w = DialogBoxParamA(ProgrammModul(), "WEIGHTFT", dlg, WeightFTProc, 0);
    if (w >= 0) SetDlgItemInt(dlg, IDC_FT_K_GEWICHT, static_cast<UINT>(w), FALSE);
}

void Grafisch(HWND dlg)
{
    HilfeThema = 1;
    if (SektionsDialog(506) > 0) {
        ZeigeDialogZahl(dlg, IDC_FT_VON, DW()[0], "%.8G");
        ZeigeDialogZahl(dlg, IDC_FT_BIS, DW()[1], "%.8G");
    }
    HilfeThema = Zustand.Xafs ? 1 : 0;
}

}  // namespace

INT_PTR CALLBACK FTransformationProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        Initialisieren(dlg);
        return FALSE;
    }
    if (msg != WM_COMMAND) return FALSE;
    const int id = LOWORD(wParam);
    switch (id) {
    case IDC_FT_ZURUECK: Zurueck(dlg); return TRUE;
    case IDC_FT_HIN:
        for (int32_t t = 0; t < 6; ++t) EnableWindow(GetDlgItem(dlg, IDC_FT_FENSTER_ERSTES + t), TRUE);
        return TRUE;
    case IDC_FT_FENSTER_ERSTES + 2: SetDlgItemTextA(dlg, IDC_FT_PARAMETER, "30"); return TRUE;
    case IDC_FT_FENSTER_ERSTES + 3: SetDlgItemTextA(dlg, IDC_FT_PARAMETER, "40"); return TRUE;
    case IDC_FT_FENSTER_ERSTES + 4: SetDlgItemTextA(dlg, IDC_FT_PARAMETER, "4"); return TRUE;
    case IDC_FT_FENSTER_ERSTES + 5: SetDlgItemTextA(dlg, IDC_FT_PARAMETER, "20"); return TRUE;
    case IDC_FT_LADE_PHASE: Datei(dlg, 1); return TRUE;
    case IDC_FT_LADE_AMPLITUDE: Datei(dlg, 2); return TRUE;
    case IDC_FT_ZEIGE_FENSTER: FensterVorschau(dlg); return TRUE;
    case IDC_FT_ZEIGE_K: GewichtVorschau(dlg); return TRUE;
    case IDC_FT_GRAFIK: Grafisch(dlg); return TRUE;
    case IDC_FT_OPTIONEN:
        ExafsOptionenDialog();
        SetDlgItemInt(dlg, IDC_FT_K_PUNKTE, static_cast<UINT>(ExafsOptionen.KPunkte), FALSE);
        return TRUE;
    case IDC_DLG_HELP: DialogHilfe(FT_HILFE); return TRUE;
    case IDOK: return Ok(dlg);
    case IDCANCEL: EndDialog(dlg, 0); return TRUE;
    default: return FALSE;
    }
}
