// Command 849, WRITE_FILES ("Write FEFF paths to FILES.DAT"): the paths of
// the active window's FEFF model written as a new files.dat, with the
// paths.dat blocks of the written paths. FEFF's own files are read before
// anything is written, the output never replaces one of them, and it is
// written into a temporary file that then takes the output's place. The
// texts are made by feff_files_core.cpp.
#include "xas/feff_files_win.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "fit/exafs_terms.h"
#include "fit/model_function.h"
#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/spectra_globals.h"
#include "xas/data_lines.h"
#include "xas/feff_files.h"
#include "xas/feff_path.h"

namespace {

const char* const STANDARD_NAME = "FILES_2.DAT";
// Slot flag of EXAFS data: the model evaluates its EXAFS terms on it.
const uint32_t SLOT_EXAFS = 0x10;

std::string Gross(std::string s)
{
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// The full name of a file, upper case, for comparing names.
std::string VollerName(const std::string& name)
{
    char voll[MAX_PATH * 2] = "";
    const DWORD n = GetFullPathNameA(name.c_str(), sizeof voll, voll, nullptr);
    std::string s = n > 0 && n < sizeof voll ? std::string(voll, n) : name;
    for (char& c : s)
        if (c == '/') c = '\\';
    return Gross(s);
}

std::string FeffOrdner()
{
    std::string o = HAUPTDATEN.FeffOrdner ? HAUPTDATEN.FeffOrdner : "";
    if (!o.empty() && (o.back() == '\\' || o.back() == '/')) o.pop_back();
    return o;
}

// The k curve of the model: in an R-space fit chi(k) two slots back, else
// the current curve.
bool KKurve(grafik_fenster& g, double** x, int32_t* n)
{
    const int32_t s = g.ModellArt % 100 == 3 ? ((g.KurvenZaehler - 2) & 3) : g.AktuellerSlot();
    *x = g.XFeld[s];
    *n = g.DateiInfo.PunkteProKurve[s];
    return *x && g.YFeld[s] && *n >= 4;
}

// Integral of |chi_j(k)| k^w of every path function j of the model over
// the curve's inner points (every function alone; all on again after).
std::vector<double> PfadGewichte(double* x, int32_t n)
{
    std::vector<double> gewichte(static_cast<std::size_t>(FitFunctionCount > 0 ? FitFunctionCount : 1), 0.0);
    std::vector<double> y(static_cast<std::size_t>(2 * n + 10), 0.0);
    double* altX = Numerik.xField;
    double* altY = Numerik.yField;
    const int32_t altN = Numerik.anzahl;
    // The plain model: no transform or derivative of a fit kind.
    const int32_t altArt = FitModellArt;
    if (FitModellArt > 0 && FitModellArt < 100) FitModellArt += 100;
    for (int32_t j = 2; j <= FitFunctionCount; ++j) {
        SetFunktionFlag(j, 1);
        std::fill(y.begin(), y.end(), 0.0);
        ModellFunktion(x[0], 0.0, x, y.data(), n);
        Numerik.SetField(x, y.data());
        Numerik.anzahl = n;
        gewichte[j - 1] = Numerik.FeldIntegralSimps(x[1], x[n - 2]);
    }
    SetFunktionFlag(0, 0);
    FitModellArt = altArt;
    Numerik.SetField(altX, altY);
    Numerik.anzahl = altN;
    return gewichte;
}

bool Schreiben(const std::string& ziel, const std::string& text)
{
    const std::string tmp = ziel + ".tmp";
    {
        std::ofstream f(tmp, std::ios::trunc);
        if (!f) return false;
        f << text;
        if (!f.flush()) {
            f.close();
            DeleteFileA(tmp.c_str());
            return false;
        }
    }
    if (!MoveFileExA(tmp.c_str(), ziel.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(tmp.c_str());
        return false;
    }
    return true;
}

std::string Text(HWND dlg, int id)
{
    char t[MAX_PATH + 1] = "";
    GetDlgItemTextA(dlg, id, t, sizeof t);
    return t;
}

void Oeffnen(HWND dlg)
{
    CenterDialog(dlg);
    std::string name;
    const std::string ordner = FeffOrdner();
    if (!ordner.empty()) {
        name = ordner + "\\" + STANDARD_NAME;
    } else {
        char ini[MAX_PATH] = "";
        ProgrammDatei(ini, sizeof ini, "feffdir.ini");
        std::string text;
        if (LeseTextDatei(ini, &text)) {
            std::string zeile = text.substr(0, text.find_first_of("\r\n"));
            if (zeile.size() > 79) zeile.resize(79);
            const std::size_t s = zeile.find_last_of('\\');
            if (s != std::string::npos) name = zeile.substr(0, s + 1) + STANDARD_NAME;
        }
    }
    SetDlgItemTextA(dlg, IDC_WF_NAME, name.c_str());
    SetDlgItemTextA(dlg, IDC_WF_FILTER, "5.0");
}

void Ok(HWND dlg)
{
    const std::string name = Text(dlg, IDC_WF_NAME);
    const int32_t r = FeffListeSchreiben(name, DialogKreuz(dlg, IDC_WF_ORIGINAL), DialogZahl(dlg, IDC_WF_FILTER));
    if (r == FEFF_LISTE_EINGABE) {
        MeldungsBox(dlg, ("   The paths cannot be written to a file they are read from:\r\n   " + name +
                          "\r\n   Please choose another name.").c_str(),
                    "Caution !!", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (r == FEFF_LISTE_SCHREIBEN)
        MeldungsBox(dlg, ("   File could not be written:\r\n   " + name).c_str(), "Error !!", MB_OK | MB_ICONSTOP);
    else if (r == FEFF_LISTE_OHNE_FENSTER)
        MeldungsBox(dlg, "   There is no curve with a FEFF model in the active window.", "Error !!",
                    MB_OK | MB_ICONSTOP);
    EndDialog(dlg, 1);
}

INT_PTR CALLBACK WriteFilesProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        Oeffnen(dlg);
        return TRUE;
    }
    if (msg != WM_COMMAND) return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK: Ok(dlg); return TRUE;
    case IDCANCEL: EndDialog(dlg, 0); return TRUE;
    case IDC_DLG_HELP: DialogHilfe(849); return TRUE;
    default: return FALSE;
    }
}

}  // namespace

int32_t FeffListeSchreiben(const std::string& ausgabe, bool original, double filter)
{
    if (AktivesFenster < 0 || AktivesFenster > 3 || ausgabe.empty()) return FEFF_LISTE_OHNE_FENSTER;
    grafik_fenster& g = GrafikFenster[AktivesFenster];
    if (!g.FunktionsTypen || !g.Parameter) return FEFF_LISTE_OHNE_FENSTER;
    FitFunctionTypes = g.FunktionsTypen;
    FitParameters = g.Parameter;
    FitFunctionCount = g.AnzahlFunktionen;
    FitPolyDegree = g.PolyGrad;
    FitModellArt = g.ModellArt;
    const int32_t anzahl = FitFunctionCount < FEFF_PFADE ? FitFunctionCount : FEFF_PFADE;

    // The files read: FEFF's own two and the files.dat of every path.
    const std::string ordner = FeffOrdner();
    const std::string files = ordner + "\\FILES.DAT", paths = ordner + "\\PATHS.DAT";
    const std::string ziel = VollerName(ausgabe);
    std::vector<std::string> eingaben = {files, paths};
    const bool feff = anzahl >= 1 && FitFunctionTypes[0] % 100 == 25;
    for (int32_t j = 1; feff && j < anzahl; ++j) {
        const FeffPfad& s = FeffPfade[j];
        eingaben.emplace_back(s.FilesDatPfad, strnlen(s.FilesDatPfad, sizeof s.FilesDatPfad));
    }
    for (const std::string& e : eingaben)
        if (!e.empty() && VollerName(e) == ziel) return FEFF_LISTE_EINGABE;
    std::string filesText, pathsText;
    if (!ordner.empty()) {
        LeseTextDatei(files, &filesText);
        LeseTextDatei(paths, &pathsText);
    }

    std::vector<double> gewichte(static_cast<std::size_t>(anzahl > 0 ? anzahl : 1), 0.0);
    if (feff && anzahl > 1) {
        double* x = nullptr;
        int32_t n = 0;
        if (!KKurve(g, &x, &n)) return FEFF_LISTE_OHNE_FENSTER;
        // Paths whose tables are not on a grid yet are loaded onto the curve's.
        for (int32_t j = 1; j < anzahl; ++j) {
            FeffPfad& s = FeffPfade[j];
            if (!s.Geladen || !s.Pfadtabellen[FEFF_AMPLITUDE]) {
                for (int32_t i = 1; i < anzahl; ++i)
                    if (LoadFeffPath(1, &FeffPfade[i], n, x) > 0) FeffPfade[i].Geladen = 1;
                break;
            }
        }
        // The EXAFS terms count on a curve marked as EXAFS data.
        uint32_t& flags = g.KurvenFlags[g.AktuellerSlot()];
        const uint32_t altFlags = flags;
        flags |= SLOT_EXAFS;
        gewichte = PfadGewichte(x, n);
        flags = altFlags;
    }
    const std::vector<FeffListenZeile> zeilen =
        FeffListeZeilen(FitFunctionTypes, anzahl, FitParameters, FeffPfade, gewichte.data(), filter, MessTemperatur);
    const std::string text = FeffListenDatei(filesText, pathsText, zeilen, original);
    return Schreiben(ausgabe, text) ? FEFF_LISTE_OK : FEFF_LISTE_SCHREIBEN;
}

int32_t WriteFilesBefehl()
{
    const int32_t alt = HilfeThema;
    HilfeThema = 0;
    const INT_PTR r = DialogBoxParamA(ProgrammModul(), "WRITE_FILES", HAUPTDATEN.Hauptfenster, WriteFilesProc, 0);
    HilfeThema = alt;
    return r == 1 ? 1 : 0;
}
