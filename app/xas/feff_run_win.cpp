// Command 834, the FEFF and ATOMS program control RUNFEFF: the inputs in
// the text editor, ATOMS and FEFF started in the FEFF folder (with the
// absorber moved to the origin first when the user wants), the shift of
// the cluster and the RasMol view of "feff.xyz". Programs are started with
// their working directory as an argument; the program's own current
// folder never changes. The texts are changed by feff_run_core.cpp.
#include "xas/feff_run_win.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "xas/feff_files_win.h"
#include "xas/feff_run.h"
#include "xas/xas_entries.h"

namespace {

// Longest FEFF folder: room for a file name behind it within MAX_PATH.
const std::size_t FEFF_ORDNER_MAX = MAX_PATH - 20;

std::string ProgrammOrdner()
{
    std::string o = HAUPTDATEN.ProgrammOrdner ? HAUPTDATEN.ProgrammOrdner : ".";
    if (!o.empty() && (o.back() == '\\' || o.back() == '/')) o.pop_back();
    return o;
}

std::string Text(HWND dlg, int id)
{
    char t[MAX_PATH + 1] = "";
    GetDlgItemTextA(dlg, id, t, sizeof t);
    return t;
}

double Zahl(HWND dlg, int id)
{
    const std::string t = Text(dlg, id);
    return t.find_first_not_of(" \t") == std::string::npos ? 0.0 : std::atof(t.c_str());
}

void Fehler(HWND dlg, const std::string& text)
{
    MeldungsBox(dlg, text.c_str(), "Error", MB_OK | MB_ICONSTOP);
}

// The FEFF folder of edit 200 (without its last backslash); false after a
// message when the path names none.
bool Ordner(HWND dlg, std::string* ordner)
{
    if (FeffOrdnerAusPfad(Text(dlg, IDC_RF_ORDNER), FEFF_ORDNER_MAX, ordner)) return true;
    Fehler(dlg, "The FEFF directory must be given as a path that ends with a backslash\r\n"
                "(e.g. C:\\FEFF\\), and be shorter than 240 characters.");
    return false;
}

void OrdnerMerken(const std::string& ordner)
{
    if (HAUPTDATEN.FeffOrdner) std::snprintf(HAUPTDATEN.FeffOrdner, ORDNER_BYTES, "%s", ordner.c_str());
}

void OrdnerDateiSchreiben(HWND dlg)
{
    if (std::FILE* f = std::fopen((ProgrammOrdner() + "\\feffdir.ini").c_str(), "w")) {
        std::fputs(Text(dlg, IDC_RF_ORDNER).c_str(), f);
        std::fputs("\n", f);
        std::fclose(f);
    }
}

// Starts a program with a message when it cannot be started.
bool Starte(HWND dlg, const std::string& programm, const std::string& argumente, const std::string& arbeitsOrdner)
{
    const DWORD r = FeffProgrammStarten(programm, argumente, arbeitsOrdner, SW_SHOWNORMAL, nullptr);
    if (r == 0) return true;
    char t[80];
    std::snprintf(t, sizeof t, "WinExec failed; error code = %d", static_cast<int>(r));
    Fehler(dlg, t);
    return false;
}

void Notepad(HWND dlg, const char* datei)
{
    std::string ordner;
    if (!Ordner(dlg, &ordner)) return;
    Starte(dlg, "", "notepad.exe " + ordner + "\\" + datei, "");
}

bool KeineDatei(HWND dlg, const std::string& pfad)
{
    Fehler(dlg, "  No such file:\r\n " + pfad);
    return false;
}

// Shift of the cluster by (sx, sy, sz); the edits go back to "0.0".
bool Schieben(HWND dlg, const std::string& ordner, double sx, double sy, double sz)
{
    OrdnerMerken(ordner);
    const std::string inp = ordner + "\\feff.inp";
    const int32_t r = SchiebeFeffDatei(inp, ordner + "\\feff.bak", sx, sy, sz);
    if (r == 0) return KeineDatei(dlg, inp);
    if (r < 0) {
        Fehler(dlg, "The shifted cluster could not be written:\r\n " + inp + "\r\nThe input is unchanged.");
        return false;
    }
    for (int id : {IDC_RF_SX, IDC_RF_SY, IDC_RF_SZ}) SetDlgItemTextA(dlg, id, "0.0");
    return true;
}

void FeffLaufen(HWND dlg)
{
    std::string ordner;
    if (!Ordner(dlg, &ordner)) return;
    OrdnerDateiSchreiben(dlg);
    OrdnerMerken(ordner);
    const std::string inp = ordner + "\\feff.inp";
    std::string text;
    if (!FeffDateiLesen(inp, &text)) {
        KeineDatei(dlg, inp);
        return;
    }
    double x = 0.0, y = 0.0, z = 0.0;
    if (FeffAbsorberVersatz(text, &x, &y, &z) &&
        MeldungsBox(dlg, "Absorber is not at origin!\r\n\r\nDo you want to correct that\r\nbefore running FEFF?",
                    "Caution!!", MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK &&
        !Schieben(dlg, ordner, x, y, z))
        return;
    Starte(dlg, ordner + "\\feff.exe", "", ordner);
}

void Ansehen(HWND dlg)
{
    std::string ordner;
    if (!Ordner(dlg, &ordner)) return;
    const std::string inp = ordner + "\\feff.inp";
    std::string text;
    if (!FeffDateiLesen(inp, &text)) {
        KeineDatei(dlg, inp);
        return;
    }
    const bool quadrant = IsDlgButtonChecked(dlg, IDC_RF_QUADRANT) == BST_CHECKED;
    int32_t anzahl = 0;
    const std::string xyz = FeffXyz(text, Zahl(dlg, IDC_RF_RMAX), quadrant, &anzahl);
    const std::string programm = ProgrammOrdner();
    std::FILE* a = std::fopen((programm + "\\feff.xyz").c_str(), "w");
    std::FILE* b = std::fopen((programm + "\\rasmol.ini").c_str(), "w");
    bool ok = a && b;
    if (a) ok = std::fputs(xyz.c_str(), a) >= 0 && ok, ok = std::fclose(a) == 0 && ok;
    if (b) ok = std::fputs("load XYZ feff.xyz\nspacefill 200\nzoom 110\n", b) >= 0 && ok, ok = std::fclose(b) == 0 && ok;
    if (!ok) {
        Fehler(dlg, "\"feff.xyz\" and \"rasmol.ini\" could not be written to the program folder.");
        return;
    }
    Starte(dlg, programm + "\\raswin.exe", "", programm);
}

void Oeffnen(HWND dlg)
{
    CenterDialog(dlg);
    std::string zeile = "C:\\FEFF\\feff.exe";
    if (std::FILE* f = std::fopen((ProgrammOrdner() + "\\feffdir.ini").c_str(), "r")) {
        char t[200] = "";
        if (std::fgets(t, sizeof t, f)) {
            zeile = t;
            while (!zeile.empty() && (zeile.back() == '\n' || zeile.back() == '\r')) zeile.pop_back();
        }
        std::fclose(f);
    }
    const char* feff = HAUPTDATEN.FeffOrdner;
    if (feff && feff[0]) {
        zeile = std::string(feff) + "\\";
    } else {
        std::string ordner;
        if (FeffOrdnerAusPfad(zeile, FEFF_ORDNER_MAX, &ordner)) OrdnerMerken(ordner);
    }
    SetDlgItemTextA(dlg, IDC_RF_ORDNER, zeile.c_str());
    SetDlgItemTextA(dlg, IDC_RF_RMAX, "10");
    for (int id : {IDC_RF_SX, IDC_RF_SY, IDC_RF_SZ}) SetDlgItemTextA(dlg, id, "0.0");
}

INT_PTR CALLBACK RunFeffProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        Oeffnen(dlg);
        return TRUE;
    }
    if (msg != WM_COMMAND) return FALSE;
    switch (LOWORD(wParam)) {
    case IDC_RF_ATOMS_INP: Notepad(dlg, "atoms.inp"); return TRUE;
    case IDC_RF_FEFF_INP: Notepad(dlg, "feff.inp"); return TRUE;
    case IDOK: Notepad(dlg, "files.dat"); return TRUE;
    case IDC_RF_ATOMS_RUN: {
        std::string ordner;
        if (!Ordner(dlg, &ordner)) return TRUE;
        OrdnerDateiSchreiben(dlg);
        OrdnerMerken(ordner);
        Starte(dlg, ordner + "\\atoms.exe", "", ordner);
        return TRUE;
    }
    case IDC_RF_FEFF_RUN: FeffLaufen(dlg); return TRUE;
    case IDC_RF_SCHIEBEN: {
        std::string ordner;
        if (Ordner(dlg, &ordner))
            Schieben(dlg, ordner, Zahl(dlg, IDC_RF_SX), Zahl(dlg, IDC_RF_SY), Zahl(dlg, IDC_RF_SZ));
        return TRUE;
    }
    case IDC_RF_RASMOL: Ansehen(dlg); return TRUE;
    case IDCANCEL: EndDialog(dlg, 0); return TRUE;
    default: return FALSE;
    }
}

}  // namespace

DWORD FeffProgrammStarten(const std::string& programm, const std::string& argumente,
                          const std::string& arbeitsOrdner, int zeigen, HANDLE* prozess)
{
    if (prozess) *prozess = nullptr;
    // The command line names the program as its first word, quoted.
    std::string befehl = programm.empty() ? argumente : "\"" + programm + "\"" + (argumente.empty() ? "" : " " + argumente);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(zeigen);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(programm.empty() ? nullptr : programm.c_str(), &befehl[0], nullptr, nullptr, FALSE, 0,
                        nullptr, arbeitsOrdner.empty() ? nullptr : arbeitsOrdner.c_str(), &si, &pi)) {
        const DWORD e = GetLastError();
        return e == 0 ? ERROR_FILE_NOT_FOUND : e;
    }
    CloseHandle(pi.hThread);
    if (prozess) *prozess = pi.hProcess;
    else CloseHandle(pi.hProcess);
    return 0;
}

int32_t FeffBefehl(int32_t befehl)
{
    if (befehl == 834) {
        DialogBoxParamA(GetModuleHandleA(nullptr), "RUNFEFF", HAUPTDATEN.Hauptfenster, RunFeffProc, 0);
        return 1;
    }
    if (befehl == 850) return FeffWinkelDialog(HAUPTDATEN.Hauptfenster);
    if (befehl == 849) {
        // The dialog waits for a person; a replay stops here.
        if (MakroRunning || HAUPTDATEN.Meldungsblock.lParam == LP_PREPARED) {
            FehlerCode = 1000;
            return 0;
        }
        return WriteFilesBefehl();
    }
    NichtVerfuegbar(befehl);
    return 0;
}
