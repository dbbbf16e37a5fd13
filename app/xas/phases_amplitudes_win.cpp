// Command 816 "&Phases+Amplitudes...": the dialog PHASENAMPLITUDEN gathers
// the choices, PhasenAmplitudenKomplex / PhasenAmplitudenReell
// (phases_amplitudes_core.cpp) compute, and the results go into the next
// curve slots and, on request, into ".amp", ".pha" and ".par" files that
// the EXAFS set-up reads back as experimental phases.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "resource_ids.h"
#include "fit/exafs_terms.h"
#include "shell/dialog_helpers.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "shell/macro_bar.h"
#include "shell/shell_globals.h"
#include "spectra/file_commands.h"
#include "spectra/file_commands_win.h"
#include "spectra/spectra_globals.h"
#include "xas/experimental_phases.h"
#include "xas/phases_amplitudes.h"
#include "xas/phases_amplitudes_win.h"
#include "xas/xas_entries.h"

namespace {

const int32_t FEHLER_WERTE = 108;
const int32_t FEHLER_KEIN_FENSTER = 111;
const int32_t CM_HISTORIE = 2003;
const char* const X_K = "k [\xC5~{-1}]";

// What the dialog knows while it is open.
struct PA_DIALOG {
    bool Komplex = false;
};
PA_DIALOG PaDialog;

void KantenFelder(HWND dlg, bool an)
{
    EnableWindow(GetDlgItem(dlg, IDC_PA_N), an);
    EnableWindow(GetDlgItem(dlg, IDC_PA_R), an);
}

// The file name without its extension: the part before the last '.' of
// the name (a '.' in a folder name stays).
std::string OhneEndung(const std::string& name)
{
    size_t teil = 0;
    for (size_t i = 0; i < name.size(); ++i)
        if (name[i] == '\\' || name[i] == '/' || name[i] == ':') teil = i + 1;
    const size_t punkt = name.find('.', teil);
    return punkt == std::string::npos ? name : name.substr(0, punkt);
}

bool Absolut(const std::string& name)
{
    return name.size() > 1 && (name[1] == ':' || name[0] == '\\' || name[0] == '/');
}

// A relative name lies in the data folder.
std::string ImDatenOrdner(const std::string& name)
{
    if (Absolut(name)) return name;
    std::string ordner = HAUPTDATEN.DatenOrdner ? HAUPTDATEN.DatenOrdner : "";
    if (!ordner.empty() && ordner.back() != '\\' && ordner.back() != '/') ordner += '\\';
    return ordner + name;
}

// Slot s (n points, with its imaginary part when komplex) into slot t as a
// plain real curve that keeps the input's abscissae.
void SlotKopieren(grafik_fenster& g, int32_t s, int32_t t, int32_t n, bool komplex)
{
    const int32_t werte = komplex ? 2 * n + 1 : n;
    std::memcpy(g.XFeld[t], g.XFeld[s], sizeof(double) * werte);
    std::memcpy(g.YFeld[t], g.YFeld[s], sizeof(double) * werte);
    std::memcpy(g.XText[t], g.XText[s], GRAFIK_TEXT);
    std::memcpy(g.YText[t], g.YText[s], GRAFIK_TEXT);
    g.DateiInfo.PunkteProKurve[t] = n;
    g.KurvenFlags[t] = 0;
    g.SlotKGewicht[t] = 0.0;
    g.XasStufe[t] = 0;
}

void Texte(grafik_fenster& g, const char* y)
{
    const int32_t s = g.AktuellerSlot();
    std::snprintf(g.XText[s], GRAFIK_TEXT, "%s", X_K);
    std::snprintf(g.YText[s], GRAFIK_TEXT, "%s", y);
}

// The current curve into the file `pfad` as the writer's no-dialog mode.
bool Schreiben(haupt_fenster& app, const std::string& pfad)
{
    if (!CommandText) return false;
    std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", pfad.c_str());
    // A non-zero HilfeThema would make the writer append columns.
    const int32_t thema = HilfeThema;
    HilfeThema = 0;
    const bool ok = SpeichereDatei(&app, 11) == 1;
    HilfeThema = thema;
    return ok;
}

// The user's choice of binary or text files, kept across the command.
struct BinaerWahl {
    int32_t alt;
    explicit BinaerWahl(haupt_fenster& a) : alt(a.BinaerSpeichern), app(a) { app.BinaerSpeichern = 1; }
    ~BinaerWahl() { app.BinaerSpeichern = alt; }
    haupt_fenster& app;
};

}  // namespace

INT_PTR CALLBACK PhasenAmplitudenProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    double* dw = HAUPTDATEN.DialogWerte;
    switch (msg) {
    case WM_INITDIALOG: {
        CenterDialog(dlg);
        CheckRadioButton(dlg, IDC_PA_K_KANTE, IDC_PA_L_KANTE, IDC_PA_K_KANTE);
        PaDialog = PA_DIALOG{};
        if (AktivesFenster >= 0 && AktivesFenster < 4) {
            const grafik_fenster& g = GrafikFenster[AktivesFenster];
            PaDialog.Komplex = (g.KurvenFlags[g.AktuellerSlot()] & SLOT_KOMPLEX) != 0;
        }
        if (!PaDialog.Komplex) {
            SetDlgItemTextA(dlg, IDC_PA_MODIFIZIERT, "  Amplitude");
            SetDlgItemTextA(dlg, IDC_PA_EINFACH, "  Phase");
            EnableWindow(GetDlgItem(dlg, IDC_PA_SPEICHERN), FALSE);
        }
        CheckRadioButton(dlg, IDC_PA_MODIFIZIERT, IDC_PA_EINFACH, IDC_PA_MODIFIZIERT);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_PA_MODIFIZIERT:
            if (PaDialog.Komplex) KantenFelder(dlg, true);
            return TRUE;
        case IDC_PA_EINFACH:
            SetzeDialogKreuz(dlg, IDC_PA_SPEICHERN, false);
            if (PaDialog.Komplex) KantenFelder(dlg, false);
            return TRUE;
        case IDC_PA_DATEI: {
            char pfad[DATEI_NAME_PUFFER] = "", titel[DATEI_TITEL_PUFFER] = "";
            if (FileDialog(dlg, pfad, titel, 1, 0)) SetDlgItemTextA(dlg, IDC_PA_NAME, pfad);
            return TRUE;
        }
        case 160:
            DialogHilfe(816);
            return TRUE;
        case IDOK: {
            const bool modifiziert = DialogKreuz(dlg, IDC_PA_MODIFIZIERT);
            dw[5] = !PaDialog.Komplex && modifiziert ? 1.0 : -1.0;
            INT_PTR ergebnis = 1;
            if (modifiziert || !PaDialog.Komplex) {
                dw[1] = DialogZahl(dlg, IDC_PA_N);
                dw[2] = DialogZahl(dlg, IDC_PA_R);
                ergebnis = 100;
            }
            if (DialogKreuz(dlg, IDC_PA_SPEICHERN) && PaDialog.Komplex) {
                std::string name = OhneEndung(DialogText(dlg, IDC_PA_NAME));
                if (name.empty()) name = "test";
                if (CommandText) std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", name.c_str());
                dw[4] = 100.0;
            } else {
                dw[4] = 1.0;
            }
            dw[3] = DialogKreuz(dlg, IDC_PA_K_KANTE) ? -1.0 : 1.0;
            EndDialog(dlg, ergebnis);
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

int32_t PhasenAmplituden(int32_t)
{
    haupt_fenster& app = HAUPTDATEN;
    double* dw = app.DialogWerte;
    const bool vorbereitet = app.Meldungsblock.lParam == LP_PREPARED;
    const int32_t fenster = AktivesFenster;
    if (fenster < 0 || fenster > 3 || !app.GrafikHandles[fenster]) {
        FehlerCode = FEHLER_KEIN_FENSTER;
        return 0;
    }
    grafik_fenster& g = GrafikFenster[fenster];
    const int32_t s = g.AktuellerSlot();
    const int32_t n = g.Punkte();
    if (n < 2 || n > g.FeldGroesse() || !g.XFeld[s] || !g.YFeld[s]) {
        FehlerCode = FEHLER_WERTE;
        return 0;
    }
    const bool komplex = (g.KurvenFlags[s] & SLOT_KOMPLEX) && 2 * n + 1 <= g.FeldGroesse();
    if (komplex) g.DritteSpalte() = 1;

    // The dialog, or the name of a replay.
    std::string name;
    if (!vorbereitet) {
        if (CommandText) CommandText[0] = '\0';
        HilfeThema = 0;
        const INT_PTR r = DialogBoxParamA(ProgrammModul(), "PHASENAMPLITUDEN", app.Hauptfenster,
                                          PhasenAmplitudenProc, 0);
        HilfeThema = 0;
        dw[0] = static_cast<double>(r);
        if (r <= 0) return 0;
        if (dw[4] > 1.0 && CommandText) name = CommandText;
    } else {
        name = "Makro";
    }
    const bool modifiziert = dw[0] > 99.0;
    if (modifiziert && (!(dw[1] > 0.0) || !(dw[2] > 0.0))) {
        FehlerCode = FEHLER_WERTE;
        return 0;
    }
    if (app.MakroAufnahme) ButtonBar.MakroRecord(816, 6, -1);

    // Files only under a name: the one typed when saving, "Makro" in a
    // replay; a relative name lies in the data folder.
    const bool speichern = dw[4] > 1.0 && komplex;
    const std::string basis = name.empty() ? std::string() : ImDatenOrdner(name);
    BinaerWahl binaer(app);

    PA_EINSTELLUNG e;
    e.Modifiziert = dw[0] > 1.0;
    e.N = dw[1];
    e.R = dw[2];
    e.Kante = static_cast<int32_t>(dw[3]) > 0 ? 1.0 : -1.0;
    KantenVorzeichen = static_cast<int32_t>(dw[3]);

    const std::vector<double> k(g.XFeld[s], g.XFeld[s] + n);
    const std::vector<double> re(g.YFeld[s], g.YFeld[s] + n);
    const int32_t t1 = (s + 1) & 3, t2 = (s + 2) & 3;
    SlotKopieren(g, s, t1, n, komplex);
    std::string gespeichert;
    bool aufgegeben = false;

    if (komplex) {
        const std::vector<double> im(g.YFeld[s] + n + 1, g.YFeld[s] + 2 * n + 1);
        SlotKopieren(g, s, t2, n, true);
        ++g.KurvenZaehler;
        g.NeuesterZaehler = g.KurvenZaehler;
        PA_ERGEBNIS r;
        PhasenAmplitudenKomplex(k.data(), re.data(), im.data(), n, e, &r);
        aufgegeben = r.ZweigGeprueft && !r.ZweigGefunden;

        // The amplitude slot.
        std::copy(r.Amplitude.begin(), r.Amplitude.end(), g.YFeld[t1]);
        g.YFeld[t1][n] = 0.0;
        if (e.Modifiziert) {
            Texte(g, "backscattering amplitude");
            if (!basis.empty()) ReferenzSchaleSchreiben(basis + ".par", e.N, e.R);
        }
        if (speichern && Schreiben(app, basis + ".amp")) gespeichert = basis + ".amp";
        g.SetFullBorder();

        // The phase slot.
        ++g.KurvenZaehler;
        g.NeuesterZaehler = g.KurvenZaehler;
        std::copy(r.Phase.begin(), r.Phase.end(), g.YFeld[t2]);
        if (e.Modifiziert) Texte(g, "total phase shift");
        if (speichern && Schreiben(app, basis + ".pha")) gespeichert = basis + ".pha";
    } else {
        ++g.KurvenZaehler;
        g.NeuesterZaehler = g.KurvenZaehler;
        const std::vector<double> aus = PhasenAmplitudenReell(k.data(), re.data(), n, e, dw[5] > 0.0 ? 1 : -1);
        std::copy(aus.begin(), aus.end(), g.YFeld[t1]);
        Texte(g, dw[5] > 0.0 ? "backscattering amplitude" : "total phase shift");
    }
    g.SetFullBorder();
    if (!vorbereitet) {
        if (g.hWnd) PostMessageA(g.hWnd, WM_COMMAND, CM_REDRAW, 0);
        else PostMessageA(app.GrafikHandles[fenster], WM_COMMAND, CM_REDRAW, 0);
        UpdateFensterStatus();
    }

    const std::string text =
        PhasenAmplitudenHistorie(g.DateiInfo.DateiName, g.AktuellerSlot() + 1, dw, gespeichert, aufgegeben);
    if (CommandText) {
        std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", text.c_str());
        HWND ergebnis = app.KindFenster[KIND_ERGEBNIS];
        if (RedrawPerMessage == 1 && ergebnis) SendMessageA(ergebnis, WM_COMMAND, CM_HISTORIE, 0);
    }
    return 1;
}
