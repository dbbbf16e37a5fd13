// The difference spectrum (831, DIFFSPECTRA) and the ratio method (829,
// RATIOMETHOD): dialogs, reference file and curve slots. The arithmetic is
// in difference_ratio_core.cpp.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/haupt_fenster.h"
#include "shell/macro_bar.h"
#include "shell/shell_globals.h"
#include "spectra/ascii_file.h"
#include "spectra/file_commands.h"
#include "spectra/file_commands_win.h"
#include "spectra/spectra_globals.h"
#include "xas/difference_ratio.h"
#include "xas/xas_entries.h"

namespace {

const int32_t FEHLER_MAKRO = 1000;
const int32_t CM_HISTORIE = 2003;
const char* const DIFF_DATEI = "diffspec.mes";

double* DW() { return HAUPTDATEN.DialogWerte; }

// The names the two dialogs keep from one use to the next.
char DiffName[DATEI_NAME_PUFFER] = "";
char RatioName[DATEI_NAME_PUFFER] = "";

void Kopiere(char* ziel, size_t groesse, const std::string& text)
{
    std::snprintf(ziel, groesse, "%s", text.c_str());
}

// A file of the data folder (the folder of the window's file when none is
// set).
std::string DatenOrdnerDatei(const grafik_fenster& g, const char* name)
{
    std::string o = HAUPTDATEN.DatenOrdner && HAUPTDATEN.DatenOrdner[0] ? HAUPTDATEN.DatenOrdner : g.DateiInfo.Ordner;
    if (!o.empty() && o.back() != '\\' && o.back() != '/') o += '\\';
    return o + name;
}

// The reference curve of a file; false when it cannot be read or holds no
// point.
bool LiesReferenz(const std::string& pfad, SpektrumDaten* d)
{
    if (pfad.empty()) return false;
    DateiInfo info;
    DateiInfoLeeren(&info);
    const size_t schnitt = pfad.find_last_of("\\/");
    const std::string ordner = schnitt == std::string::npos ? "" : pfad.substr(0, schnitt + 1);
    const std::string name = schnitt == std::string::npos ? pfad : pfad.substr(schnitt + 1);
    if (ordner.size() >= sizeof info.Ordner || name.size() >= sizeof info.DateiName) return false;
    Kopiere(info.Ordner, sizeof info.Ordner, ordner);
    Kopiere(info.DateiName, sizeof info.DateiName, name);
    int32_t fehler = 0;
    return LeseSpektrum(&info, d, nullptr, nullptr, &fehler) > 0 && d->Punkte > 0 &&
           d->x.size() >= static_cast<size_t>(d->Punkte) && d->y.size() >= static_cast<size_t>(d->Punkte);
}

// A refusal: a box from the menu, FehlerCode 1000 in a replay.
void Ablehnen(bool vorbereitet, const std::string& text)
{
    if (vorbereitet || MakroRunning) {
        FehlerCode = FEHLER_MAKRO;
        return;
    }
    MeldungsBox(HAUPTDATEN.Hauptfenster, text.c_str(), "Caution !!", MB_OK | MB_ICONEXCLAMATION);
}

std::string NichtLesbar(const std::string& pfad)
{
    return "The reference file\r\n" + pfad + "\r\ncould not be read or holds no data.\r\nOperation was canceled.";
}

void Neuzeichnen(int32_t fenster)
{
    if (HWND h = HAUPTDATEN.GrafikHandles[fenster]) PostMessageA(h, WM_COMMAND, CM_REDRAW, 0);
    UpdateFensterStatus();
}

// The file dialog of button 80 into edit 210.
void Waehle(HWND dlg, int32_t art, char* name)
{
    char pfad[DATEI_NAME_PUFFER] = "", titel[DATEI_TITEL_PUFFER] = "";
    if (!FileDialog(dlg, pfad, titel, art, 1)) return;
    std::snprintf(name, DATEI_NAME_PUFFER, "%s", pfad);
    SetDlgItemTextA(dlg, IDC_VGL_NAME, name);
}

// The name on OK: the text of edit 210, which holds the chosen file or what
// was typed.
std::string Name(HWND dlg, char* name)
{
    std::string t = DialogText(dlg, IDC_VGL_NAME);
    const size_t a = t.find_first_not_of(" \t");
    const size_t b = t.find_last_not_of(" \t");
    t = a == std::string::npos ? "" : t.substr(a, b - a + 1);
    std::snprintf(name, DATEI_NAME_PUFFER, "%s", t.c_str());
    return t;
}

INT_PTR CALLBACK DiffSpectraDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        CenterDialog(dlg);
        DiffName[0] = '\0';
        SetzeDialogKreuz(dlg, IDC_DIFF_INTERPOLIEREN, false);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_VGL_LADEN: Waehle(dlg, 0, DiffName); return TRUE;
        case IDOK: {
            const std::string name = Name(dlg, DiffName);
            // Without a name OK is Cancel.
            if (name.empty() || !CommandText) {
                EndDialog(dlg, 0);
                return TRUE;
            }
            std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", name.c_str());
            DW()[1] = DialogKreuz(dlg, IDC_DIFF_INTERPOLIEREN) ? 1.0 : -1.0;
            EndDialog(dlg, 1);
            return TRUE;
        }
        case IDCANCEL: EndDialog(dlg, 0); return TRUE;
        case IDC_DLG_HELP: DialogHilfe(831); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

INT_PTR CALLBACK RatioMethodDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        CenterDialog(dlg);
        SetDlgItemTextA(dlg, IDC_VGL_NAME, RatioName);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_VGL_LADEN: Waehle(dlg, 1, RatioName); return TRUE;
        case IDOK: {
            const std::string name = Name(dlg, RatioName);
            if (CommandText) std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", name.c_str());
            DW()[0] = DialogKreuz(dlg, IDC_RATIO_PHASE) ? 1.0 : 0.0;
            DW()[1] = DialogKreuz(dlg, IDC_RATIO_STRUKTUR) ? 1.0 : 0.0;
            if (DW()[1] > 0.0) {
                DW()[2] = DialogZahl(dlg, IDC_RATIO_R);
                DW()[3] = DialogZahl(dlg, IDC_RATIO_N);
                DW()[4] = DialogZahl(dlg, IDC_RATIO_R_PROBE);
            }
            EndDialog(dlg, 1);
            return TRUE;
        }
        case IDCANCEL: EndDialog(dlg, 0); return TRUE;
        case IDC_DLG_HELP: DialogHilfe(829); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

grafik_fenster* Fenster()
{
    const int32_t f = AktivesFenster;
    if (f < 0 || f > 3 || !HAUPTDATEN.GrafikHandles[f]) return nullptr;
    grafik_fenster& g = GrafikFenster[f];
    const int32_t n = g.Punkte();
    if (!g.GetXFeld(-1) || n < 1 || n > g.FeldGroesse()) return nullptr;
    return &g;
}

// The reference on the data grid as "diffspec.mes" in the data folder, as
// text so that a replay reads the values as they were (the binary layout
// keeps single precision only). Only the points the command subtracted are
// written; a replay therefore covers the same range.
void SchreibeAufnahme(const grafik_fenster& g, const double* x, int32_t n, const std::vector<double>& r,
                      const std::vector<char>& innen)
{
    std::vector<double> xs, rs;
    for (int32_t i = 0; i < n; ++i)
        if (innen[static_cast<size_t>(i)]) {
            xs.push_back(x[i]);
            rs.push_back(r[static_cast<size_t>(i)]);
        }
    if (xs.empty() || !CommandText) return;
    const std::string pfad = DatenOrdnerDatei(g, DIFF_DATEI);
    std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", pfad.c_str());
    const int32_t binaer = HAUPTDATEN.BinaerSpeichern;
    HAUPTDATEN.BinaerSpeichern = 0;
    SpeichereDatei(&HAUPTDATEN, 11, 0, 0, 0, xs.data(), rs.data(), static_cast<int32_t>(xs.size()));
    HAUPTDATEN.BinaerSpeichern = binaer;
    std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", DIFF_DATEI);
}

}  // namespace

int32_t DifferenzSpektrum(LPARAM lParam)
{
    const bool vorbereitet = lParam == LP_PREPARED;
    grafik_fenster* pg = Fenster();
    if (!pg) {
        FehlerCode = vorbereitet ? FEHLER_MAKRO : 111;
        return 0;
    }
    grafik_fenster& g = *pg;
    const int32_t fenster = AktivesFenster;
    std::string pfad;
    if (vorbereitet) {
        DW()[0] = -1.0;
        pfad = DatenOrdnerDatei(g, DIFF_DATEI);
    } else {
        if (DialogBoxParamA(ProgrammModul(), "DIFFSPECTRA", HAUPTDATEN.Hauptfenster, DiffSpectraDlgProc, 0) == 0)
            return 0;
        HilfeThema = 0;
        pfad = CommandText ? CommandText : "";
    }
    SpektrumDaten ref;
    if (!LiesReferenz(pfad, &ref)) {
        Ablehnen(vorbereitet, NichtLesbar(pfad));
        return 0;
    }
    const int32_t n = g.Punkte();
    std::vector<double> r;
    std::vector<char> innen;
    const int32_t code = DifferenzReferenz(g.GetXFeld(-1), n, ref.x.data(), ref.y.data(), ref.Punkte,
                                           DW()[1] > 0.0, &r, &innen);
    if (code != VERGLEICH_OK) {
        Ablehnen(vorbereitet, "The reference's x values do not rise, so it cannot be put onto the data.\r\n"
                              "Operation was canceled.");
        return 0;
    }
    if (HAUPTDATEN.MakroAufnahme) {
        SchreibeAufnahme(g, g.GetXFeld(-1), n, r, innen);
        ButtonBar.MakroRecord(831, 2, -1);
    }
    if (g.CutSection(0, 0.0, 0.0, 0) <= 0) return 0;
    DifferenzAbziehen(g.GetYFeld(-1), g.Punkte(), r, innen);
    if (!vorbereitet) Neuzeichnen(fenster);
    return 1;
}

int32_t RatioMethode(int32_t)
{
    haupt_fenster* app = &HAUPTDATEN;
    const bool vorbereitet = app->Meldungsblock.lParam == LP_PREPARED;
    grafik_fenster* pg = Fenster();
    if (!pg) {
        FehlerCode = vorbereitet ? FEHLER_MAKRO : 111;
        return 0;
    }
    grafik_fenster& g = *pg;
    const int32_t fenster = AktivesFenster;
    // The dialog shows also during a replay: the command is never recorded.
    if (DialogBoxParamA(ProgrammModul(), "RATIOMETHOD", app->Hauptfenster, RatioMethodDlgProc, 0) == 0) return 0;
    HilfeThema = 0;
    const std::string pfad = CommandText ? CommandText : "";
    SpektrumDaten ref;
    if (!LiesReferenz(pfad, &ref)) {
        Ablehnen(vorbereitet, NichtLesbar(pfad));
        return 0;
    }
    const int32_t m = ref.Punkte;
    const bool phase = DW()[0] > 0.0;
    const int32_t alt = g.KurvenZaehler, altNeu = g.NeuesterZaehler;
    const double grenzen[2] = {g.Grenzen[0], g.Grenzen[1]};
    // A section reaching beyond the reference is narrowed to it.
    const bool schneiden = g.Grenzen[1] < ref.x[0] || g.Grenzen[0] > ref.x[static_cast<size_t>(m - 1)];
    const int32_t n = schneiden ? g.CutSection(1, ref.x[0], ref.x[static_cast<size_t>(m - 1)], 0)
                                : g.CutSection(0, 0.0, 0.0, 0);
    RATIO_ERGEBNIS e;
    const int32_t code = n > 0 ? RatioMethodeRechnen(g.GetXFeld(-1), g.GetYFeld(-1), n, ref.x.data(), ref.y.data(),
                                                     m, phase, &e)
                               : VERGLEICH_ZU_WENIG;
    if (code != VERGLEICH_OK) {
        g.SetCurveSlots(alt, altNeu);
        g.Grenzen[0] = grenzen[0];
        g.Grenzen[1] = grenzen[1];
        if (code == VERGLEICH_NICHT_STEIGEND)
            Ablehnen(vorbereitet, "The reference's x values do not rise, so it cannot be put onto the data.\r\n"
                                  "Operation was canceled.");
        else
            Ablehnen(vorbereitet, "Fewer than three points of the curve have a ratio to the reference.\r\n"
                                  "Operation was canceled.");
        return 0;
    }
    // The slot holds the points of the regression.
    const int32_t s = g.AktuellerSlot();
    const int32_t k = static_cast<int32_t>(e.x.size());
    std::copy(e.x.begin(), e.x.end(), g.XFeld[s]);
    std::copy(e.y.begin(), e.y.end(), g.YFeld[s]);
    g.DateiInfo.PunkteProKurve[s] = k;
    g.KurvenFlags[s] &= ~SLOT_KOMPLEX;
    g.SetFullBorder();
    if (!vorbereitet) Neuzeichnen(fenster);
    const RATIO_STRUKTUR st = RatioStruktur(e, phase, DW()[1] > 0.0, DW()[2], DW()[3], DW()[4]);
    const std::string text = RatioHistorie(g.DateiInfo.DateiName, pfad.c_str(), s + 1, e, st);
    if (CommandText) std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", text.c_str());
    HWND ergebnis = app->KindFenster[KIND_ERGEBNIS];
    if (RedrawPerMessage && ergebnis) SendMessageA(ergebnis, WM_COMMAND, CM_HISTORIE, 0);
    return 1;
}
