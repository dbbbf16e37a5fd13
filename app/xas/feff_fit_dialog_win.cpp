// FEFF_FIT: the rows of a FEFF "files.dat" by amplitude and leg filters,
// transferred into the path records; FEFF_MULTIPLE_DETAILS: the scaling
// factors of several FEFF calculations fitted together.
#include "xas/feff_fit_dialog_win.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fit/fit_model.h"
#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/file_commands.h"
#include "spectra/file_commands_win.h"
#include "spectra/spectra_globals.h"
#include "xas/exafs_fit.h"
#include "xas/feff_path_win.h"
#include "xas/xas_entries.h"

double FeffFitFilter = 2.0;
int32_t FeffFitBeine = 4;
int32_t FeffSatzPfade[FEFF_MAX_SAETZE + 1] = {};
FEFF_DATEIWAHL FeffDateiWahl = FileDialog;

namespace {

const char* const ACHTUNG = "Caution !!";

void Zahl(HWND dlg, int id, const char* format, double wert)
{
    char t[40];
    std::snprintf(t, sizeof t, format, wert);
    SetDlgItemTextA(dlg, id, t);
}

bool IstPfadTyp(int32_t typ)
{
    const int32_t t = typ % 100;
    return t >= 21 && t <= 24;
}

}  // namespace

void FeffZaehler(HWND dlg)
{
    Zahl(dlg, IDC_FP_ANZAHL, "%.0f", static_cast<double>(SendDlgItemMessageA(dlg, IDC_FP_ZEILEN, LB_GETCOUNT, 0, 0)));
    Zahl(dlg, IDC_FP_MARKIERT, "%.0f",
         static_cast<double>(SendDlgItemMessageA(dlg, IDC_FP_ZEILEN, LB_GETSELCOUNT, 0, 0)));
}

int32_t FeffZeilenNeu(HWND dlg)
{
    const double filter = DialogZahl(dlg, IDC_FP_FILTER);
    const int32_t beine = DialogGanzzahl(dlg, IDC_FP_BEINE);
    const int32_t modus = DialogKreuz(dlg, IDC_FP_ALLE_SS) ? 1 : -1;
    if (ReadFilesDat(dlg, modus, filter, beine) < 0) return -1;
    SendDlgItemMessageA(dlg, IDC_FP_ZEILEN, LB_SETSEL, TRUE, -1);
    FeffZaehler(dlg);
    InvalidateRect(dlg, nullptr, FALSE);
    return 1;
}

bool FeffFilterSpin(HWND dlg, int spin, int32_t schritt)
{
    if (spin == IDC_FP_FILTER_SPIN) {
        double v = DialogZahl(dlg, IDC_FP_FILTER);
        if (!FilterSchritt(&v, schritt)) return false;
        ZeigeDialogZahl(dlg, IDC_FP_FILTER, v, "%G");
        return true;
    }
    int32_t b = DialogGanzzahl(dlg, IDC_FP_BEINE);
    if (!BeineSchritt(&b, schritt)) return false;
    ZeigeDialogZahl(dlg, IDC_FP_BEINE, b, "%.0f");
    return true;
}

int32_t FeffMaxPfade(const std::vector<int32_t>& basisTypen, int32_t pfadTyp, int32_t zusatz)
{
    std::vector<int32_t> typen = basisTypen;
    int32_t n = 0;
    for (; n < FEFF_MAX_GEWAEHLT; ++n) {
        typen.push_back(pfadTyp);
        const int32_t p = CheckModelSize(static_cast<int32_t>(typen.size()), typen.data(), FitPolyDegree,
                                         SplineKnotCount);
        if (p < 0 || p + zusatz > MAX_MODEL_PARAMETERS) break;
    }
    return n;
}

int32_t FeffUebernehmen(HWND dlg, int32_t* gewaehlt, int32_t satz, int32_t maxPfade)
{
    HWND zeilen = GetDlgItem(dlg, IDC_FP_ZEILEN);
    const int32_t n = static_cast<int32_t>(SendMessageA(zeilen, LB_GETCOUNT, 0, 0));
    std::vector<bool> markiert(n > 0 ? n : 0);
    for (int32_t i = 0; i < n; ++i) markiert[i] = SendMessageA(zeilen, LB_GETSEL, i, 0) > 0;
    int32_t stopp = FEFF_ALLE_UEBERNOMMEN;
    const std::vector<int32_t> neu = UebernahmeZeilen(markiert, *gewaehlt, maxPfade, &stopp);
    for (int32_t i : neu) {
        if (i + 1 > FeffListenPfade[0]) break;
        char text[300] = "";
        if (SendMessageA(zeilen, LB_GETTEXTLEN, i, 0) < static_cast<LRESULT>(sizeof text))
            SendMessageA(zeilen, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        SendDlgItemMessageA(dlg, IDC_FP_GEWAEHLT, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        FeffPfad& p = FeffPfade[*gewaehlt + 1];
        p.ListenIndex = i;
        p.Pfadnummer = FeffListenPfade[i + 1];
        p.SatzNummer = std::max(satz, 1);
        std::snprintf(p.FilesDatPfad, sizeof p.FilesDatPfad, "%s", CommandText ? CommandText : "");
        std::snprintf(p.ListenZeile, sizeof p.ListenZeile, "%s", text);
        p.Geladen = 0;
        ++*gewaehlt;
    }
    if (stopp == FEFF_PFAD_GRENZE)
        MeldungsBox(dlg, "At most 100 paths can be chosen!\r\n     The further paths were not transferred.", ACHTUNG,
                    MB_OK | MB_ICONEXCLAMATION);
    else if (stopp == FEFF_PARAMETER_GRENZE) {
        char t[200];
        std::snprintf(t, sizeof t,
                      "The model cannot hold the parameters of more paths (%d paths)!\r\n"
                      "     The further paths were not transferred.",
                      static_cast<int>(*gewaehlt));
        MeldungsBox(dlg, t, ACHTUNG, MB_OK | MB_ICONEXCLAMATION);
    }
    InvalidateRect(dlg, nullptr, FALSE);
    return static_cast<int32_t>(neu.size());
}

bool FeffPfadEntfernen(HWND dlg, int32_t zeile, int32_t* gewaehlt)
{
    HWND liste = GetDlgItem(dlg, IDC_FP_GEWAEHLT);
    if (zeile < 0 || zeile >= *gewaehlt || zeile >= SendMessageA(liste, LB_GETCOUNT, 0, 0)) return false;
    SendMessageA(liste, LB_DELETESTRING, zeile, 0);
    // The records swap so that each keeps the tables it owns.
    for (int32_t k = zeile + 1; k < *gewaehlt && k + 1 < FEFF_PFADE; ++k) std::swap(FeffPfade[k], FeffPfade[k + 1]);
    --*gewaehlt;
    return true;
}

std::vector<unsigned char> FeffPfadeSichern()
{
    const unsigned char* a = reinterpret_cast<const unsigned char*>(FeffPfade);
    return std::vector<unsigned char>(a, a + sizeof FeffPfade);
}

void FeffPfadeZurueck(const std::vector<unsigned char>& s)
{
    if (s.size() == sizeof FeffPfade) std::memcpy(static_cast<void*>(FeffPfade), s.data(), s.size());
}

namespace {

struct FeffFitZustand {
    bool oeffnet = true;         // the dialog's own writes are no edits
    int32_t gewaehlt = 0;
    int32_t maxPfade = FEFF_MAX_GEWAEHLT;
    int32_t saetze = 0;
    std::vector<unsigned char> sicherung;
};
FeffFitZustand* F = nullptr;

void Filter(HWND dlg)
{
    FeffFitFilter = DialogZahl(dlg, IDC_FP_FILTER);
    FeffFitBeine = DialogGanzzahl(dlg, IDC_FP_BEINE);
}

void Ende(HWND dlg, INT_PTR r)
{
    if (r == 0) FeffPfadeZurueck(F->sicherung);
    EndDialog(dlg, r);
}

void Oeffnen(HWND dlg)
{
    if (AktivesFenster >= 0 && AktivesFenster <= 3) {
        grafik_fenster& g = GrafikFenster[AktivesFenster];
        if (g.FunktionsTypen && g.Parameter) {
            FitFunctionTypes = g.FunktionsTypen;
            FitParameters = g.Parameter;
            FitFunctionCount = g.AnzahlFunktionen;
            FitPolyDegree = g.PolyGrad;
        }
    }
    CenterDialog(dlg);
    F->sicherung = FeffPfadeSichern();
    const bool feff = FitFunctionTypes && FitFunctionCount > 0 && FitFunctionTypes[0] % 100 == 25;
    if (FitFunctionTypes && FitFunctionCount > 1 && FitFunctionTypes[0] % 100 == 53) FeffFitBeine = 2;
    ZeigeDialogZahl(dlg, IDC_FP_FILTER, FeffFitFilter, "%G");
    ZeigeDialogZahl(dlg, IDC_FP_BEINE, FeffFitBeine, "%.0f");
    if (ReadFilesDat(dlg, 10, FeffFitFilter, FeffFitBeine) < 0) {
        Ende(dlg, 0);
        return;
    }
    FeffZaehler(dlg);

    // Room for paths: the model's other functions, S0^2 and type-21 paths.
    std::vector<int32_t> basis;
    bool mitS0 = false;
    for (int32_t k = 0; FitFunctionTypes && k < FitFunctionCount; ++k)
        if (!IstPfadTyp(FitFunctionTypes[k])) {
            basis.push_back(FitFunctionTypes[k]);
            mitS0 = mitS0 || FitFunctionTypes[k] % 100 == 25;
        }
    if (!mitS0) basis.push_back(25);
    F->saetze = HAUPTDATEN.FeffSatzAnzahl > 0 ? std::min(HAUPTDATEN.FeffSatzAnzahl, FEFF_MAX_SAETZE) : 0;
    F->maxPfade = FeffMaxPfade(basis, 21, F->saetze);

    F->gewaehlt = feff ? std::min(FitFunctionCount - 1, FEFF_MAX_GEWAEHLT) : 0;
    if (!feff) EnableWindow(GetDlgItem(dlg, IDOK), FALSE);
    if (F->saetze > 0) {
        EnableWindow(GetDlgItem(dlg, IDC_FP_FILES_DAT), FALSE);
        EnableWindow(GetDlgItem(dlg, IDC_FP_UEBERNEHMEN), FALSE);
        ShowWindow(GetDlgItem(dlg, IDC_FP_GEWAEHLT), SW_HIDE);
        F->gewaehlt = 0;
        for (int32_t s = 1; s < F->saetze; ++s) F->gewaehlt += FeffSatzPfade[s];
    }
}

void Befehl(HWND dlg, int id, int code)
{
    switch (id) {
    case IDC_FP_FILTER:
        if (code == EN_CHANGE && !F->oeffnet) {
            const double v = DialogZahl(dlg, IDC_FP_FILTER);
            if (v >= FEFF_FILTER_MIN && v <= FEFF_FILTER_MAX) PostMessageA(dlg, WM_COMMAND, CM_FP_NEU_LISTEN, 0);
        }
        return;
    case CM_FP_NEU_LISTEN:
    case IDC_FP_ALLE_SS:
        Filter(dlg);
        if (FeffZeilenNeu(dlg) < 0) Ende(dlg, 0);
        return;
    case IDC_FP_ALLE:
        SendDlgItemMessageA(dlg, IDC_FP_ZEILEN, LB_SETSEL, TRUE, -1);
        FeffZaehler(dlg);
        return;
    case IDC_FP_ZEILEN:
        if (code == LBN_SELCHANGE) {
            FeffZaehler(dlg);
            if (F->saetze > 0)
                EnableWindow(GetDlgItem(dlg, IDOK), SendDlgItemMessageA(dlg, IDC_FP_ZEILEN, LB_GETSELCOUNT, 0, 0) > 0);
        }
        return;
    case IDC_FP_UEBERNEHMEN:
        FeffUebernehmen(dlg, &F->gewaehlt, HAUPTDATEN.FeffSatzAnzahl, F->maxPfade);
        if (F->gewaehlt > 0) EnableWindow(GetDlgItem(dlg, IDOK), TRUE);
        return;
    case IDC_FP_FILES_DAT: {
        char pfad[DATEI_NAME_PUFFER] = "", titel[DATEI_TITEL_PUFFER] = "";
        if (!FeffDateiWahl || !FeffDateiWahl(dlg, pfad, titel, 8, 1) || !CommandText) return;
        CharUpperA(pfad);
        std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", pfad);
        SetDlgItemTextA(dlg, IDC_FP_TITEL, pfad);
        if (ReadFilesDat(dlg, 1, DialogZahl(dlg, IDC_FP_FILTER), DialogGanzzahl(dlg, IDC_FP_BEINE)) < 0) {
            Ende(dlg, 0);
            return;
        }
        Zahl(dlg, IDC_FP_ANZAHL, "%.0f", static_cast<double>(SendDlgItemMessageA(dlg, IDC_FP_ZEILEN, LB_GETCOUNT, 0, 0)));
        SetDlgItemTextA(dlg, IDC_FP_MARKIERT, "0");
        return;
    }
    case IDC_DLG_HELP: DialogHilfe(HilfeThema); return;
    case IDOK:
        Filter(dlg);
        if (F->saetze > 0) {
            const int32_t vorher = F->gewaehlt;
            FeffUebernehmen(dlg, &F->gewaehlt, F->saetze, F->maxPfade);
            FeffSatzPfade[F->saetze] = F->gewaehlt - vorher;
        }
        Ende(dlg, F->gewaehlt);
        return;
    case IDCANCEL: Ende(dlg, 0); return;
    default: return;
    }
}

}  // namespace

INT_PTR CALLBACK FeffFitProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!F) return FALSE;
    switch (msg) {
    case WM_INITDIALOG:
        Oeffnen(dlg);
        F->oeffnet = false;
        return TRUE;
    case WM_VSCROLL: {
        const int spin = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
        const int s = LOWORD(wParam) == SB_LINEUP ? 1 : LOWORD(wParam) == SB_LINEDOWN ? -1 : 0;
        if ((spin == IDC_FP_FILTER_SPIN || spin == IDC_FP_BEINE_SPIN) && s && FeffFilterSpin(dlg, spin, s))
            PostMessageA(dlg, WM_COMMAND, CM_FP_NEU_LISTEN, 0);
        return TRUE;
    }
    case WM_COMMAND: Befehl(dlg, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_CLOSE: Ende(dlg, 0); return TRUE;
    default: return FALSE;
    }
}

int32_t FeffPfadAuswahl(HWND owner)
{
    if (F) return 0;
    FeffFitZustand z;
    F = &z;
    const INT_PTR r = DialogBoxParamA(ProgrammModul(), "FEFF_FIT", owner ? owner : HAUPTDATEN.Hauptfenster,
                                      FeffFitProc, 0);
    F = nullptr;
    return r > 0 ? static_cast<int32_t>(r) : 0;
}

// ---- FEFF_MULTIPLE_DETAILS ----

INT_PTR CALLBACK FeffMultipleDetailsProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    const int32_t saetze = std::min(std::max(HAUPTDATEN.FeffSatzAnzahl, 0), FEFF_MAX_SAETZE);
    switch (msg) {
    case WM_INITDIALOG:
        CenterDialog(dlg);
        for (int32_t s = 1; s <= FEFF_MAX_SAETZE; ++s) {
            const bool da = s <= saetze;
            if (da) {
                ZeigeDialogZahl(dlg, IDC_FMD_FAKTOR + s - 1, FeffSatzEinstellungen.Koeffizienten[s - 1], "%G");
                SetzeDialogKreuz(dlg, IDC_FMD_FEST + s - 1, (FeffSatzEinstellungen.Flags[s - 1] & 1) != 0);
            }
            ShowWindow(GetDlgItem(dlg, IDC_FMD_FAKTOR + s - 1), da ? SW_SHOW : SW_HIDE);
            ShowWindow(GetDlgItem(dlg, IDC_FMD_FEST + s - 1), da ? SW_SHOW : SW_HIDE);
        }
        CheckRadioButton(dlg, IDC_FMD_EINZELN, IDC_FMD_MEHRERE,
                         FeffSatzEinstellungen.Modus ? IDC_FMD_MEHRERE : IDC_FMD_EINZELN);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            for (int32_t s = 1; s <= saetze; ++s) {
                FeffSatzEinstellungen.Koeffizienten[s - 1] = DialogZahl(dlg, IDC_FMD_FAKTOR + s - 1);
                int32_t& f = FeffSatzEinstellungen.Flags[s - 1];
                f = DialogKreuz(dlg, IDC_FMD_FEST + s - 1) ? (f | 1) : (f & ~1);
            }
            FeffSatzEinstellungen.Modus = DialogKreuz(dlg, IDC_FMD_EINZELN) ? 0 : 1;
            EndDialog(dlg, 1);
            return TRUE;
        case IDCANCEL: EndDialog(dlg, 0); return TRUE;
        case IDC_DLG_HELP: DialogHilfe(HilfeThema); return TRUE;
        default: return TRUE;
        }
    case WM_CLOSE: EndDialog(dlg, 0); return TRUE;
    default: return FALSE;
    }
}
