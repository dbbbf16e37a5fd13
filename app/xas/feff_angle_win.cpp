// Command 850, CHANGEFEFFANGLE: the angle of a triangular path of the
// active window's FEFF model is changed, FEFF runs on the cluster turned
// for the new angle in the program's own "feff" folder, and the recomputed
// path (with its four-leg partner) replaces the model's amplitude table and
// distance. The input text comes from FeffWinkelEingabe (feff_run_core.cpp).
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "fit/exafs_terms.h"
#include "fit/fit_model.h"
#include "fit/model_function.h"
#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/spectra_globals.h"
#include "xas/feff_path.h"
#include "xas/feff_run.h"
#include "xas/feff_run_win.h"

int32_t FeffWartezeit = 300;

namespace {

bool FeffAbbruch = false;     // Cancel pressed while FEFF runs
bool FeffLaeuft = false;

std::string ProgrammFeff()
{
    std::string o = HAUPTDATEN.ProgrammOrdner ? HAUPTDATEN.ProgrammOrdner : ".";
    if (!o.empty() && (o.back() == '\\' || o.back() == '/')) o.pop_back();
    return o + "\\feff";
}

void Melde(const std::string& text)
{
    MeldungsBox(HAUPTDATEN.Hauptfenster, text.c_str(), "Error!", MB_OK | MB_ICONEXCLAMATION);
}

bool SchreibeErsetzt(const std::string& pfad, const std::string& text)
{
    const std::string neu = pfad + ".tmp";
    {
        std::ofstream f(neu, std::ios::binary | std::ios::trunc);
        if (!f) return false;
        f << text;
        if (!f) return false;
    }
    return MoveFileExA(neu.c_str(), pfad.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

std::string VollerPfad(const std::string& p)
{
    char t[MAX_PATH * 2] = "";
    return GetFullPathNameA(p.c_str(), sizeof t, t, nullptr) ? std::string(t) : p;
}

bool NeuerAls(const std::string& pfad, const FILETIME& start)
{
    WIN32_FILE_ATTRIBUTE_DATA d;
    if (!GetFileAttributesExA(pfad.c_str(), GetFileExInfoStandard, &d)) return false;
    return CompareFileTime(&d.ftLastWriteTime, &start) >= 0;
}

// Waits for the process with the messages served; 0 when it ended, 1 at
// the time limit, 2 on Cancel.
int32_t Warte(HANDLE prozess)
{
    const ULONGLONG ende = GetTickCount64() + static_cast<ULONGLONG>(FeffWartezeit) * 1000;
    FeffAbbruch = false;
    FeffLaeuft = true;
    int32_t r = 1;
    while (GetTickCount64() < ende) {
        const DWORD w = MsgWaitForMultipleObjects(1, &prozess, FALSE, 100, QS_ALLINPUT);
        if (w == WAIT_OBJECT_0) {
            r = 0;
            break;
        }
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        if (FeffAbbruch) {
            r = 2;
            break;
        }
    }
    FeffLaeuft = false;
    return r;
}

// The four-leg partner's tables are touched only when the model has it
// and its tables are there.
bool VierBeine(int32_t j, int32_t punkte)
{
    return j >= 1 && j < FitFunctionCount && j < FEFF_PFADE && FeffPfade[j].Beine == 4 &&
           FeffPfade[j].Pfadtabellen[FEFF_AMPLITUDE] && FeffPfade[j].TabellenSpeicher[FEFF_AMPLITUDE] >= punkte;
}

int32_t ParameterJePfad()
{
    int32_t t = FitFunctionCount > 1 ? FitFunctionTypes[1] : 0;
    if (t > 100) t -= 100;
    return t >= 0 && t < CATALOG_CODES ? static_cast<int32_t>(FitFunctionCatalog[t].ParameterZahl) : 0;
}

// The distance of model function i becomes reff (a shift stays a shift).
void Abstand(int32_t i, double reff)
{
    const int32_t p = ParameterJePfad();
    if (p <= 2) return;
    double& wert = FitParameters[2 + p * (i - 1)];
    wert = std::fabs(wert) < 1.0 ? reff - FeffPfade[i].Reff : reff;
}

void Amplitude(int32_t i, const FeffPfad& von, int32_t punkte)
{
    FeffPfad& r = FeffPfade[i];
    r.Geladen = 0;
    double* z = r.Pfadtabellen[FEFF_AMPLITUDE];
    if (!z || r.TabellenSpeicher[FEFF_AMPLITUDE] < punkte) return;
    for (int32_t k = 0; k < punkte; ++k) z[k] = von.Pfadtabellen[FEFF_AMPLITUDE] ? von.Pfadtabellen[FEFF_AMPLITUDE][k] : 0.0;
}

double Entfernung(const FeffPfad& p, int32_t s) { return std::sqrt(p.AtomX[s] * p.AtomX[s] + p.AtomY[s] * p.AtomY[s] + p.AtomZ[s] * p.AtomZ[s]); }

struct Kratzsatz {
    FeffPfad p{};
    ~Kratzsatz() { FeffPfadFreigeben(&p); }
};

int32_t Lade(Kratzsatz& k, int32_t nummer, const std::string& files, int32_t punkte, double* x)
{
    FeffPfadFreigeben(&k.p);
    k.p.Pfadnummer = nummer;
    std::snprintf(k.p.FilesDatPfad, sizeof k.p.FilesDatPfad, "%s", files.c_str());
    return LoadFeffPath(1, &k.p, punkte, x);
}

}  // namespace

int32_t RunFeff(int32_t runMode, int32_t pfadIndex, double winkel, int32_t punkte, double* x)
{
    const int32_t i = pfadIndex + 1;
    if (i < 1 || i >= FitFunctionCount || i >= FEFF_PFADE || FeffPfade[i].Beine != 3 || punkte < 1 || !x)
        return FEFF_LAUF_NICHT_GESTARTET;
    const FeffPfad& r = FeffPfade[i];
    const std::string feff = ProgrammFeff();
    const std::string ordner = HAUPTDATEN.FeffOrdner ? HAUPTDATEN.FeffOrdner : "";
    const std::string quelle = ordner + "\\feff.inp", ziel = feff + "\\feff.inp";
    if (ordner.empty() || lstrcmpiA(VollerPfad(quelle).c_str(), VollerPfad(ziel).c_str()) == 0) {
        Melde("The FEFF folder must not be the program's own \"feff\" folder:\r\n"
              "its feff.inp would be overwritten. Choose another folder under \"Run FEFF\".");
        return FEFF_LAUF_NICHT_GESTARTET;
    }
    std::string eingabe;
    if (!FeffDateiLesen(quelle, &eingabe)) {
        Melde("  No such file:\r\n " + quelle);
        return FEFF_LAUF_NICHT_GESTARTET;
    }
    FeffWinkelAuftrag a;
    a.ErsterLauf = runMode < 0;
    a.Reff = r.Reff;
    a.F[0] = r.AtomX[0], a.F[1] = r.AtomY[0], a.F[2] = r.AtomZ[0];
    a.S[0] = r.AtomX[1], a.S[1] = r.AtomY[1], a.S[2] = r.AtomZ[1];
    a.A[0] = r.AtomX[2], a.A[1] = r.AtomY[2], a.A[2] = r.AtomZ[2];
    a.D = r.AtomAbstaende[1];
    a.Winkel = winkel;
    FeffWinkelErgebnis e;
    const int32_t w = FeffWinkelEingabe(eingabe, a, e);
    if (w != FEFF_WINKEL_OK) {
        char t[200];
        std::snprintf(t, sizeof t, "The %s scatterer of path %s was not found in\r\n", w == FEFF_WINKEL_OHNE_ERSTEN ? "first" : "second",
                      r.Dateiname);
        Melde(t + quelle);
        return FEFF_LAUF_NICHT_GESTARTET;
    }
    if (!SchreibeErsetzt(ziel, e.Text)) {
        Melde("The input could not be written:\r\n " + ziel);
        return FEFF_LAUF_NICHT_GESTARTET;
    }
    const std::string chi = feff + "\\chi.dat", files = feff + "\\files.dat";
    DeleteFileA(chi.c_str());
    if (GetFileAttributesA(chi.c_str()) != INVALID_FILE_ATTRIBUTES) {
        Melde("The old chi.dat could not be deleted:\r\n " + chi + "\r\nFEFF was not started.");
        return FEFF_LAUF_NICHT_GESTARTET;
    }
    FILETIME start;
    GetSystemTimeAsFileTime(&start);
    // File times may be coarser than the clock.
    reinterpret_cast<ULARGE_INTEGER&>(start).QuadPart -= 20000000ULL;
    HANDLE prozess = nullptr;
    const DWORD fehler = FeffProgrammStarten(feff + "\\feff.exe", "", feff, SW_HIDE, &prozess);
    if (fehler) {
        char t[80];
        std::snprintf(t, sizeof t, "WinExec failed; error code = %d", static_cast<int>(fehler));
        Melde(t);
        return FEFF_LAUF_NICHT_GESTARTET;
    }
    const int32_t gewartet = Warte(prozess);
    DWORD code = 0;
    if (gewartet != 0) {
        TerminateProcess(prozess, 1);
        WaitForSingleObject(prozess, 5000);
    } else {
        GetExitCodeProcess(prozess, &code);
    }
    CloseHandle(prozess);
    if (gewartet == 1) {
        char t[200];
        std::snprintf(t, sizeof t, "FEFF did not finish within %d s and was stopped.\r\nThe model is unchanged.",
                      static_cast<int>(FeffWartezeit));
        Melde(t);
        return FEFF_LAUF_NICHT_GESTARTET;
    }
    if (gewartet == 2) return FEFF_LAUF_NICHT_GESTARTET;
    if (code != 0) {
        char t[120];
        std::snprintf(t, sizeof t, "FEFF ended with error code %lu.\r\nThe model is unchanged.", static_cast<unsigned long>(code));
        Melde(t);
        return FEFF_LAUF_NICHT_GESTARTET;
    }
    std::string filesText;
    if (!NeuerAls(chi, start) || !NeuerAls(files, start) || !FeffDateiLesen(files, &filesText)) {
        Melde("FEFF wrote no new chi.dat and files.dat in\r\n " + feff + "\r\nThe model is unchanged.");
        return FEFF_LAUF_NICHT_GESTARTET;
    }

    FilesDatZeile treffer;
    const int32_t n = FeffDreieckZeile(filesText, e.Laenge, 0.005, &treffer);
    if (n < 0) return -1;
    // The row after the match: a four-leg row belongs to the triangle.
    int32_t q = -1;
    {
        std::istringstream zeilen(filesText);
        std::string z;
        bool danach = false;
        while (std::getline(zeilen, z)) {
            FilesDatZeile row;
            if (!LeseFilesDatZeile(z, &row)) continue;
            if (danach) {
                q = row.Beine == 4 ? row.Pfadnummer : -1;
                break;
            }
            danach = row.Pfadnummer == n && row.Beine == 3;
        }
    }
    Kratzsatz k;
    if (Lade(k, n, files, punkte, x) <= 0) return -1;
    Abstand(i, k.p.Reff);
    Amplitude(i, k.p, punkte);

    int32_t j = i + 1;
    const double rr = r.Reff;
    if (q < 0) {
        if (VierBeine(j, punkte) && FeffPfade[j].Reff >= 0.95 * rr && FeffPfade[j].Reff <= 1.05 * rr) {
            std::fill(FeffPfade[j].Pfadtabellen[FEFF_AMPLITUDE], FeffPfade[j].Pfadtabellen[FEFF_AMPLITUDE] + punkte, 0.0);
            FeffPfade[j].Geladen = 0;
            return -2;
        }
        return 1;
    }
    if (q == 0 || !VierBeine(j, punkte) || FeffPfade[j].Reff < 0.9 * rr || FeffPfade[j].Reff > 1.1 * rr) return 1;
    for (int32_t versuch = q; versuch < q + 3 && VierBeine(j, punkte); ++versuch) {
        if (Lade(k, versuch, files, punkte, x) <= 0) break;
        bool passt = true;
        for (int32_t s = 0; s < 3 && passt; ++s) {
            const double soll = Entfernung(FeffPfade[j], s), ist = Entfernung(k.p, s);
            passt = ist >= 0.8 * soll && ist <= 1.2 * soll;
        }
        if (!passt) continue;
        Abstand(j, k.p.Reff);
        Amplitude(j, k.p, punkte);
        ++j;
    }
    return 1;
}

namespace {

struct WinkelZustand {
    int32_t Lauf = -1;
    int32_t Zaehler = 0;
};
WinkelZustand* W = nullptr;

void Status(HWND dlg, const char* t) { SetDlgItemTextA(dlg, IDC_FA_STATUS, t); }

double Zahl(HWND dlg, int id)
{
    char t[64] = "";
    GetDlgItemTextA(dlg, id, t, sizeof t);
    return std::atof(t);
}

void Setze(HWND dlg, int id, double v)
{
    char t[64];
    std::snprintf(t, sizeof t, "%.5G", v);
    SetDlgItemTextA(dlg, id, t);
}

// The list number (model function - 1) of the selected line, or -1.
int32_t Gewaehlt(HWND dlg)
{
    const LRESULT s = SendDlgItemMessageA(dlg, IDC_FA_LISTE, LB_GETCURSEL, 0, 0);
    if (s < 0) return -1;
    return static_cast<int32_t>(SendDlgItemMessageA(dlg, IDC_FA_LISTE, LB_GETITEMDATA, s, 0));
}

void Fuellen(HWND dlg)
{
    for (int32_t i = 1; i < FitFunctionCount && i < FEFF_PFADE; ++i) {
        const FeffPfad& p = FeffPfade[i];
        if (p.Beine != 3 || !(p.AbsorberWinkel < 90.0)) continue;
        char t[200];
        std::snprintf(t, sizeof t, "% -2.2d -  %.15s   R: % -8.4G    \xA5: % -7.4G", static_cast<int>(i - 1), p.Dateiname,
                      p.Reff, p.AbsorberWinkel);
        const LRESULT z = SendDlgItemMessageA(dlg, IDC_FA_LISTE, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
        SendDlgItemMessageA(dlg, IDC_FA_LISTE, LB_SETITEMDATA, z, i - 1);
    }
}

void Anwenden(HWND dlg)
{
    const int32_t pfad = Gewaehlt(dlg);
    if (pfad < 0 || FeffLaeuft || AktivesFenster < 0 || AktivesFenster > 3) return;
    grafik_fenster& g = GrafikFenster[AktivesFenster];
    const int32_t slot = (g.KurvenZaehler + 2) & 3;  // two before the current one
    Status(dlg, " FEFF calculation in progress. Please be patient.");
    HCURSOR alt = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    const int32_t r = RunFeff(W->Lauf, pfad, Zahl(dlg, IDC_FA_WINKEL), g.DateiInfo.PunkteProKurve[slot], g.GetXFeld(slot));
    HWND fenster = HAUPTDATEN.GrafikHandles[AktivesFenster];
    if (r >= 1) {
        if (fenster) PostMessageA(fenster, WM_COMMAND, CM_REDRAW, 0);
        Status(dlg, " Effect of angular changes will be shown in plot.");
    } else if (r == -2) {
        if (fenster) PostMessageA(fenster, WM_COMMAND, CM_REDRAW, 0);
        Status(dlg, " QS path below 2.5% in FEFF. Set QS amplitude to zero.");
    } else if (r == FEFF_LAUF_NICHT_GESTARTET) {
        Status(dlg, " FEFF did not run. The model is unchanged.");
    } else {
        Status(dlg, " Relative weight of path below 2.5% in FEFF. No Change in Plot.");
    }
    if (r != FEFF_LAUF_NICHT_GESTARTET) W->Lauf = 1;
    SetCursor(alt);
}

INT_PTR CALLBACK ChangeFeffAngleProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG: {
        const std::string exe = ProgrammFeff() + "\\feff.exe";
        if (GetFileAttributesA(exe.c_str()) == INVALID_FILE_ATTRIBUTES)
            MeldungsBox(dlg, "In order to run this feature please copy FEFF\r\n   into the folder shown in this dialog box!",
                        "Error!", MB_OK | MB_ICONEXCLAMATION);
        SetDlgItemTextA(dlg, IDC_FA_PFAD, ("FEFF path:  " + exe).c_str());
        CenterDialog(dlg);
        Fuellen(dlg);
        SetDlgItemTextA(dlg, IDC_FA_SCHRITT, "1");
        SetScrollRange(GetDlgItem(dlg, IDC_FA_SCROLL), SB_CTL, -10000, 10000, FALSE);
        SetScrollPos(GetDlgItem(dlg, IDC_FA_SCROLL), SB_CTL, 0, TRUE);
        W->Lauf = -1;
        W->Zaehler = 0;
        return TRUE;
    }
    case WM_VSCROLL: {
        if (reinterpret_cast<HWND>(lParam) != GetDlgItem(dlg, IDC_FA_SCROLL) || FeffLaeuft) return FALSE;
        int schritt = 0;
        if (LOWORD(wParam) == SB_LINEUP) schritt = 1;
        else if (LOWORD(wParam) == SB_LINEDOWN) schritt = -1;
        if (!schritt) return TRUE;
        W->Zaehler += schritt;
        SetScrollPos(reinterpret_cast<HWND>(lParam), SB_CTL, W->Zaehler, TRUE);
        Setze(dlg, IDC_FA_WINKEL, FeffWinkelUmlauf(Zahl(dlg, IDC_FA_WINKEL) + schritt * Zahl(dlg, IDC_FA_SCHRITT)));
        Status(dlg, " Effect of angular changes will be shown in plot.");
        PostMessageA(dlg, WM_COMMAND, IDC_FA_ANWENDEN, 0);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_FA_LISTE:
            if (HIWORD(wParam) == LBN_SELCHANGE) {
                const int32_t p = Gewaehlt(dlg);
                if (p >= 0) Setze(dlg, IDC_FA_WINKEL, FeffDiederWinkel(FeffPfade[p + 1].AbsorberWinkel));
                Status(dlg, "  The next calculation may take some time!");
                W->Lauf = -1;
            }
            return TRUE;
        case IDC_FA_ANWENDEN: Anwenden(dlg); return TRUE;
        case IDOK:
        case IDCANCEL:
            // While FEFF runs the button stops the run, not the dialog.
            if (FeffLaeuft) FeffAbbruch = true;
            else EndDialog(dlg, 1);
            return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

}  // namespace

int32_t FeffWinkelDialog(HWND owner)
{
    WinkelZustand z;
    W = &z;
    DialogBoxParamA(GetModuleHandleA(nullptr), "CHANGEFEFFANGLE", owner, ChangeFeffAngleProc, 0);
    W = nullptr;
    return 1;
}
