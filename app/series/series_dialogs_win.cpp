// The series items of the XAFS/DXAS menu (the multi-column plot 825 is in
// series_multiplot_win.cpp): a header value of every spectrum
// as a curve (826, SHOWHEADER), the average of chosen columns (827,
// AVERAGE) and the current curve added to the foil table (890, DEXFOIL).
// A prepared run (lParam 2) takes its values from DialogWerte[0] (826),
// CommandText (the column numbers, "3,4,5") and DialogWerte[1] (827) or
// CommandText (890); the macro records carry them in the same places.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "resource_ids.h"
#include "series/dex_spectra_win.h"
#include "series/series.h"
#include "series/series_multiplot_win.h"
#include "shell/dialog_helpers.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "shell/macro_bar.h"
#include "shell/shell_globals.h"
#include "spectra/file_commands_win.h"
#include "spectra/spectra_globals.h"
#include "xas/xas_entries.h"

namespace {

void Hilfe(HWND dlg, int32_t thema)
{
    (void)dlg;
    DialogHilfe(thema);
}

INT_PTR CALLBACK ShowHeaderDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        SetDlgItemTextA(dlg, IDC_KOPF_NUMMER, "3");
        CenterDialog(dlg);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_KOPF_ZEIT: SetDlgItemTextA(dlg, IDC_KOPF_NUMMER, "2"); return TRUE;
        case IDC_KOPF_TEMPERATUR: SetDlgItemTextA(dlg, IDC_KOPF_NUMMER, "3"); return TRUE;
        case IDC_DLG_HELP: Hilfe(dlg, 826); return TRUE;
        case IDOK: {
            char text[41] = "";
            GetDlgItemTextA(dlg, IDC_KOPF_NUMMER, text, sizeof text);
            EndDialog(dlg, KopfWertNummer(text));
            return TRUE;
        }
        case IDCANCEL: EndDialog(dlg, -1); return TRUE;
        }
        break;
    }
    return FALSE;
}

INT_PTR CALLBACK DexFoilDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        CenterDialog(dlg);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_DLG_HELP: Hilfe(dlg, 890); return TRUE;
        case IDOK: {
            char text[200] = "";
            GetDlgItemTextA(dlg, IDC_FOLIE_NAME, text, sizeof text);
            std::string name;
            const int32_t r = FolienName(text, &name);
            if (r < 0) {
                DialogFeldFehler(dlg, IDC_FOLIE_NAME, "Names may not contain commas.");
                return TRUE;
            }
            if (r > 0) std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", name.c_str());
            EndDialog(dlg, r > 0 ? 1 : 0);
            return TRUE;
        }
        case IDCANCEL: EndDialog(dlg, 0); return TRUE;
        }
        break;
    }
    return FALSE;
}

INT_PTR CALLBACK AverageDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG: {
        const int32_t f = AktivesFenster;
        const DateiInfo& info = GrafikFenster[f >= 0 && f < 4 ? f : 0].DateiInfo;
        SetDlgItemTextA(dlg, IDC_MITTEL_DATEI, info.DateiName);
        SetDlgItemInt(dlg, IDC_MITTEL_SPALTEN, static_cast<UINT>(info.Spalten), FALSE);
        for (int32_t k = 1; k <= info.Spalten; ++k) {
            char zeile[32];
            std::snprintf(zeile, sizeof zeile, "%d. Column", static_cast<int>(k));
            SendDlgItemMessageA(dlg, IDC_MITTEL_LISTE, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(zeile));
        }
        CenterDialog(dlg);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_DLG_HELP: Hilfe(dlg, 827); return TRUE;
        case IDOK: {
            const LRESULT anzahl = SendDlgItemMessageA(dlg, IDC_MITTEL_LISTE, LB_GETSELCOUNT, 0, 0);
            std::vector<int> wahl(anzahl > 0 ? static_cast<std::size_t>(anzahl) : 0);
            if (!wahl.empty())
                SendDlgItemMessageA(dlg, IDC_MITTEL_LISTE, LB_GETSELITEMS, wahl.size(),
                                    reinterpret_cast<LPARAM>(wahl.data()));
            CommandArgs[0] = static_cast<double>(wahl.size()) + 0.1;
            for (std::size_t i = 0; i < wahl.size(); ++i) CommandArgs[i + 1] = wahl[i] + 1 + 0.1;
            HAUPTDATEN.DialogWerte[1] = IsDlgButtonChecked(dlg, IDC_MITTEL_DXAS) == BST_CHECKED ? 1.0 : -1.0;
            EndDialog(dlg, static_cast<INT_PTR>(wahl.size()));
            return TRUE;
        }
        case IDCANCEL: EndDialog(dlg, 0); return TRUE;
        }
        break;
    }
    return FALSE;
}

// The record of a finished command with n dialog values and, for 827 and
// 890, its text.
void Aufnehmen(haupt_fenster* app, int32_t befehl, int32_t n, const std::string& text)
{
    if (!app->MakroAufnahme) return;
    if (CommandText2) std::snprintf(CommandText2, COMMAND_TEXT2_BYTES, "%s", text.c_str());
    ButtonBar.MakroRecord(befehl, n, -1);
}

grafik_fenster* Aktiv(haupt_fenster* app)
{
    const int32_t f = AktivesFenster;
    if (f < 0 || f > 3 || !app->GrafikHandles[f] || !GrafikFenster[f].GetXFeld(-1)) return nullptr;
    return &GrafikFenster[f];
}

bool IstMcDatei(haupt_fenster* app, grafik_fenster* g)
{
    if (g && g->DateiInfo.Binaer == 1) return true;
    MeldungsBox(app->Hauptfenster, "No binary multiple column file!", "Error", MB_OK | MB_ICONINFORMATION);
    return false;
}

// The new curve (x, y) into the next slot with its axis texts, redrawn.
void NeueKurve(haupt_fenster* app, grafik_fenster& g, const std::vector<double>& x,
               const std::vector<double>& y, const char* xText, const char* yText)
{
    const int32_t n = static_cast<int32_t>(x.size());
    if (g.CutSection(0, 0.0, 0.0, 0) <= 0) return;
    if (n + 5 > g.FeldGroesse() && g.ResizeFelder(n + 5) == 0) return;
    const int32_t s = g.AktuellerSlot();
    std::copy(x.begin(), x.end(), g.XFeld[s]);
    std::copy(y.begin(), y.end(), g.YFeld[s]);
    g.DateiInfo.PunkteProKurve[s] = n;
    g.KurvenFlags[s] = 0;
    g.SetFullBorder();
    std::snprintf(g.XText[s], GRAFIK_TEXT, "%s", xText);
    std::snprintf(g.YText[s], GRAFIK_TEXT, "%s", yText);
    if (app->Meldungsblock.lParam == 2) return;
    const int32_t f = AktivesFenster;
    if (f >= 0 && f < 4 && app->GrafikHandles[f]) PostMessageA(app->GrafikHandles[f], WM_COMMAND, CM_REDRAW, 0);
    UpdateFensterStatus();
}

void KopfWerte(haupt_fenster* app, bool vorbereitet)
{
    grafik_fenster* g = Aktiv(app);
    if (!IstMcDatei(app, g)) return;
    const int32_t k = vorbereitet ? static_cast<int32_t>(app->DialogWerte[0])
                                  : static_cast<int32_t>(DialogBoxParamA(
                                        ProgrammModul(), "SHOWHEADER", app->Hauptfenster, ShowHeaderDlgProc, 0));
    if (k < 0 || k > 19) return;
    char pfad[sizeof g->DateiInfo.Ordner + sizeof g->DateiInfo.DateiName];
    std::vector<double> x, y;
    int32_t fehler = 0;
    if (!DateiPfad(g->DateiInfo, pfad, sizeof pfad) ||
        LeseBinaerSpalten(pfad, 1, 2, k, &x, &y, &fehler) < 1) {
        MeldungsBox(app->Hauptfenster, "File could not be opened!", "ERROR !!", MB_OK | MB_ICONSTOP);
        return;
    }
    NeueKurve(app, *g, x, y, "spectra no.", KopfWertText(k));
    app->DialogWerte[0] = k;
    Aufnehmen(app, 826, 1, "");
}

void Spaltenmittel(haupt_fenster* app, bool vorbereitet)
{
    grafik_fenster* g = Aktiv(app);
    if (!IstMcDatei(app, g)) return;
    if (!vorbereitet &&
        DialogBoxParamA(ProgrammModul(), "AVERAGE", app->Hauptfenster, AverageDlgProc, 0) <= 0)
        return;
    const int32_t K = g->DateiInfo.Spalten;
    std::vector<int32_t> nummern;
    if (vorbereitet) {
        const char* t = CommandText ? CommandText : "";
        while (*t) {
            char* ende = nullptr;
            const long j = std::strtol(t, &ende, 10);
            if (ende == t) break;
            if (j >= 1 && j <= K) nummern.push_back(static_cast<int32_t>(j));
            t = ende;
            while (*t == ',' || *t == ' ') ++t;
        }
    } else {
        const int32_t anzahl = static_cast<int32_t>(CommandArgs[0]);
        for (int32_t i = 1; i <= anzahl && i < 35000; ++i) {
            const int32_t j = static_cast<int32_t>(CommandArgs[i]);
            if (j >= 1 && j <= K) nummern.push_back(j);
        }
    }
    if (nummern.empty()) return;
    const bool dxas = app->DialogWerte[1] > 0.0;
    if (dxas && K < 5) {
        MeldungsBox(app->Hauptfenster, "A DEXAFS file holds I0, dark current and a second I0 besides its spectra.",
                    "Error", MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (g->ReadSeriesFrame(nullptr, 0) != 0) {
        MeldungsBox(app->Hauptfenster, "File could not be opened!", "ERROR !!", MB_OK | MB_ICONSTOP);
        return;
    }
    const int32_t kap = BINAER_MAX_PUNKTE + 5;
    auto frame = [&](int32_t j) {
        std::vector<double> v(static_cast<std::size_t>(kap));
        const int32_t n = g->ReadSeriesFrame(v.data(), j, kap);
        v.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
        return v;
    };
    const std::vector<double> x = frame(1);
    std::vector<double> i01, dunkel, i02;
    if (dxas) {
        i01 = frame(2);
        dunkel = frame(3);
        i02 = frame(K - 2);
    }
    std::vector<std::vector<double>> spalten;
    for (int32_t j : nummern) spalten.push_back(frame(j));
    g->ReadSeriesFrame(nullptr, -1);
    const int32_t n = static_cast<int32_t>(x.size());
    bool ok = n > 0 && (!dxas || (static_cast<int32_t>(i01.size()) == n &&
                                  static_cast<int32_t>(dunkel.size()) == n &&
                                  static_cast<int32_t>(i02.size()) == n));
    std::vector<const double*> zeiger;
    for (const auto& s : spalten) {
        ok = ok && static_cast<int32_t>(s.size()) == n;
        zeiger.push_back(s.data());
    }
    if (!ok) {
        MeldungsBox(app->Hauptfenster, "The columns of the file could not be read.", "ERROR !!", MB_OK | MB_ICONSTOP);
        return;
    }
    std::vector<double> y(static_cast<std::size_t>(n));
    MittleSpaltenWerte(zeiger, nummern, n, dxas, dxas ? i01.data() : nullptr,
                       dxas ? dunkel.data() : nullptr, dxas ? i02.data() : nullptr, 2, K - 2, y.data());
    NeueKurve(app, *g, x, y, "diodes", dxas ? "absorption [a.u.]" : "intensity [a.u.]");
    std::string spaltenText;
    for (int32_t j : nummern) spaltenText += (spaltenText.empty() ? "" : ",") + std::to_string(j);
    Aufnehmen(app, 827, 2, spaltenText);
}

void FolieAnhaengen(haupt_fenster* app, bool vorbereitet)
{
    if (!Aktiv(app)) return;
    if (vorbereitet) {
        std::string name;
        const int32_t r = FolienName(CommandText, &name);
        if (r <= 0) {
            MeldungsBox(app->Hauptfenster, r < 0 ? "Names may not contain commas." : "The foil has no name.",
                        "Error", MB_OK | MB_ICONINFORMATION);
            return;
        }
        std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", name.c_str());
    } else if (DialogBoxParamA(ProgrammModul(), "DEXFOIL", app->Hauptfenster, DexFoilDlgProc, 0) <= 0) {
        return;
    }
    const std::string name = CommandText ? CommandText : "";
    if (SpeichereDatei(app, 109) > 0) Aufnehmen(app, 890, 0, name);
}

}  // namespace

int32_t SerienBefehl(int32_t befehl)
{
    haupt_fenster* app = &HAUPTDATEN;
    const bool vorbereitet = app->Meldungsblock.lParam == 2;
    switch (befehl) {
    case 826: KopfWerte(app, vorbereitet); return 1;
    case 827: Spaltenmittel(app, vorbereitet); return 1;
    case 890: FolieAnhaengen(app, vorbereitet); return 1;
    case 833: DexSpektrenBefehl(); return 1;
    case 825: MehrspaltenPlot(app); return 1;
    default: NichtVerfuegbar(befehl); return 0;
    }
}
