// The multi-column plot (825, MULTICOLPLOT): which columns of the series in
// the active window are drawn together, in which order, displaced upwards
// or one behind the other as a pseudo-3D view. The choice is kept in the
// window's series view (frame list and count, mode, offset step, 3D mode
// and depth range) and in the highlight word of the drawing ("Mark every");
// the window then draws the columns in its combined view.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "resource_ids.h"
#include "series/series_analysis.h"
#include "series/series_multiplot_win.h"
#include "shell/dialog_helpers.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/graphic_drawing.h"
#include "spectra/spectra_globals.h"

namespace {

const int RADIOS[] = {IDC_MCP_KEINE, IDC_MCP_LEICHT, IDC_MCP_MITTEL, IDC_MCP_STARK, IDC_MCP_WERTWAHL};

grafik_fenster* Aktiv()
{
    const int32_t f = AktivesFenster;
    if (f < 0 || f > 3 || !HAUPTDATEN.GrafikHandles[f] || !GrafikFenster[f].GetXFeld(-1)) return nullptr;
    return &GrafikFenster[f];
}

bool Markiert(HWND dlg, int id) { return IsDlgButtonChecked(dlg, id) == BST_CHECKED; }

int32_t Ganzzahl(HWND dlg, int id)
{
    char text[64] = "";
    GetDlgItemTextA(dlg, id, text, sizeof text);
    return static_cast<int32_t>(std::atoi(text));
}

double Zahl(HWND dlg, int id)
{
    char text[64] = "";
    GetDlgItemTextA(dlg, id, text, sizeof text);
    return std::atof(text);
}

void ZeigeZahl(HWND dlg, int id, double v)
{
    char text[64];
    std::snprintf(text, sizeof text, "%G", v);
    SetDlgItemTextA(dlg, id, text);
}

void Radio(HWND dlg, int gewaehlt)
{
    for (int id : RADIOS) CheckDlgButton(dlg, id, id == gewaehlt ? BST_CHECKED : BST_UNCHECKED);
}

void Oeffnen(HWND dlg, const grafik_fenster& g)
{
    const int32_t daten = g.DateiInfo.Spalten - 1;
    SetDlgItemTextA(dlg, IDC_MCP_DATEI, g.DateiInfo.DateiName);
    SetDlgItemInt(dlg, IDC_MCP_ANZAHL, static_cast<UINT>(daten), TRUE);
    SetDlgItemTextA(dlg, IDC_MCP_START, "1");
    SetDlgItemInt(dlg, IDC_MCP_ENDE, static_cast<UINT>(daten), TRUE);
    SetDlgItemTextA(dlg, IDC_MCP_SCHRITT, "1");
    SetDlgItemTextA(dlg, IDC_MCP_UNTEN, "1");
    SetDlgItemInt(dlg, IDC_MCP_OBEN, static_cast<UINT>(daten), TRUE);
    SetDlgItemInt(dlg, IDC_MCP_MARKE, static_cast<UINT>(std::max(GrafikAnzeige.Hervorhebung, 0)), TRUE);
    Radio(dlg, IDC_MCP_KEINE);
    char text[32];
    for (int32_t i = 1; i <= daten; ++i) {
        std::snprintf(text, sizeof text, "%d. Column", static_cast<int>(i));
        SendDlgItemMessageA(dlg, IDC_MCP_LISTE, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    if (g.SerienModus < 2) {
        if (g.Modus3D == 1) {
            CheckDlgButton(dlg, IDC_MCP_PSEUDO3D, BST_CHECKED);
            ZeigeZahl(dlg, IDC_MCP_UNTEN, g.ZBereich[1]);
            ZeigeZahl(dlg, IDC_MCP_OBEN, g.ZBereich[0]);
        }
    } else {
        const int32_t r = g.SerienModus / 10 + 551;
        if (r >= IDC_MCP_LEICHT && r <= IDC_MCP_WERTWAHL) Radio(dlg, r);
        ZeigeZahl(dlg, IDC_MCP_WERT, g.SerienSchritt);
    }
    // The stored columns selected again (column c is entry c - 2).
    const int32_t anzahl = std::max(0, std::min<int32_t>(g.SerienFrames, SERIEN_LISTE));
    for (int32_t k = 0; k < anzahl; ++k) {
        const int32_t e = g.SerienListe[k] - 2;
        if (e >= 0 && e < daten) SendDlgItemMessageA(dlg, IDC_MCP_LISTE, LB_SETSEL, TRUE, e);
    }
    if (anzahl >= 2 && g.SerienListe[0] > g.SerienListe[1]) CheckDlgButton(dlg, IDC_MCP_INVERS, BST_CHECKED);
}

std::vector<int32_t> Gewaehlt(HWND dlg)
{
    const LRESULT n = SendDlgItemMessageA(dlg, IDC_MCP_LISTE, LB_GETSELCOUNT, 0, 0);
    std::vector<int32_t> v(n > 0 ? static_cast<std::size_t>(n) : 0);
    if (n > 0) {
        std::vector<int> e(static_cast<std::size_t>(n));
        SendDlgItemMessageA(dlg, IDC_MCP_LISTE, LB_GETSELITEMS, static_cast<WPARAM>(n),
                            reinterpret_cast<LPARAM>(e.data()));
        for (std::size_t i = 0; i < e.size(); ++i) v[i] = e[i];
    }
    return v;
}

// OK: the columns, the displacement and the pseudo-3D view into the record.
INT_PTR Uebernehmen(HWND dlg, grafik_fenster& g)
{
    std::vector<int32_t> liste;
    const int32_t anzahl = MultiplotSpalten(Ganzzahl(dlg, IDC_MCP_START), Ganzzahl(dlg, IDC_MCP_ENDE),
                                            Ganzzahl(dlg, IDC_MCP_SCHRITT), Markiert(dlg, IDC_MCP_INVERS),
                                            Gewaehlt(dlg), &liste);
    if (anzahl == -116) {
        FehlerCode = 116;
        g.SerienFrames = 0;
        return 0;
    }
    if (anzahl <= 0) {
        DialogFeldFehler(dlg, IDC_MCP_START,
                         "Choose three or more columns in the list, or a start, end and step width that give "
                         "at least one column.");
        return -1;
    }
    for (int32_t k = 0; k < anzahl; ++k) g.SerienListe[k] = liste[static_cast<std::size_t>(k)];
    g.SerienFrames = anzahl;
    int32_t code = 0;
    if (!Markiert(dlg, IDC_MCP_KEINE))
        for (int id = IDC_MCP_LEICHT; id <= IDC_MCP_WERTWAHL; ++id)
            if (Markiert(dlg, id)) {
                code = 10 * (id - 551);
                g.SerienSchritt = Zahl(dlg, IDC_MCP_WERT);
                break;
            }
    if (Markiert(dlg, IDC_MCP_PSEUDO3D)) {
        code = 1;
        g.Modus3D = 1;
        g.ZBereich[1] = Zahl(dlg, IDC_MCP_UNTEN);
        g.ZBereich[0] = Zahl(dlg, IDC_MCP_OBEN);
    } else {
        g.Modus3D = 0;
    }
    g.SerienModus = code;
    const int32_t marke = Ganzzahl(dlg, IDC_MCP_MARKE);
    GrafikAnzeige.Hervorhebung = marke == 0 ? -1 : marke;
    return anzahl;
}

}  // namespace

INT_PTR CALLBACK MultiColPlotDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG: {
        CenterDialog(dlg);
        const grafik_fenster* g = Aktiv();
        if (!g) {
            EndDialog(dlg, 0);
            return TRUE;
        }
        Oeffnen(dlg, *g);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_MCP_START:
        case IDC_MCP_ENDE:
            if (HIWORD(wParam) == EN_CHANGE) {
                char text[64] = "";
                GetDlgItemTextA(dlg, LOWORD(wParam), text, sizeof text);
                SetDlgItemTextA(dlg, LOWORD(wParam) == IDC_MCP_START ? IDC_MCP_UNTEN : IDC_MCP_OBEN, text);
            }
            return TRUE;
        case IDOK: {
            grafik_fenster* g = Aktiv();
            const INT_PTR r = g ? Uebernehmen(dlg, *g) : 0;
            if (r >= 0) EndDialog(dlg, r);
            return TRUE;
        }
        case IDCANCEL:
            if (grafik_fenster* g = Aktiv()) {
                g->SerienModus = 0;
                g->Modus3D = 0;
            }
            EndDialog(dlg, 0);
            return TRUE;
        case IDC_DLG_HELP: DialogHilfe(825); return TRUE;
        }
        break;
    }
    return FALSE;
}

int32_t MehrspaltenPlot(haupt_fenster* app)
{
    grafik_fenster* g = Aktiv();
    if (!g || g->DateiInfo.Binaer != 1 || g->DateiInfo.Spalten < 2) {
        MeldungsBox(app->Hauptfenster, "No binary multiple column file!", "Error", MB_OK | MB_ICONINFORMATION);
        return 0;
    }
    const INT_PTR r = DialogBoxParamA(ProgrammModul(), "MULTICOLPLOT", app->Hauptfenster, MultiColPlotDlgProc, 0);
    if (r > 0) SerienAnsichtEin(AktivesFenster);
    if (HWND h = app->GrafikHandles[AktivesFenster]) {
        InvalidateRect(h, nullptr, TRUE);
        UpdateWindow(h);
    }
    UpdateFensterStatus();
    return static_cast<int32_t>(r);
}
