// 520, FITCONTOUR: two parameters of the last refinement scanned over a
// grid without refitting (KonturScan, fit_statistics_core.cpp); the R grid
// goes to "Fit_Contour.dxa" in the data folder, the outline of the accepted
// points into the dialog's frame and, on "Save", into the window's next
// slot.
#include "fit/fit_contour_win.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "fit/fit_model.h"
#include "fit/fit_statistics.h"
#include "fit/fit_statistics_win.h"
#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/dialog_plot_win.h"
#include "spectra/file_commands_win.h"
#include "spectra/spectra_globals.h"

namespace {

const char* const KONTUR_DATEI = "Fit_Contour.dxa";

struct KONTUR_DIALOG {
    int32_t Fenster = -1;
    bool HatKurve = false;          // the slot after the current one holds the outline
    KONTUR_EINSTELLUNG Einstellung;
    double W1 = 0.0, W2 = 0.0;      // the two values scanned around
};
KONTUR_DIALOG K;

std::string DatenDatei(const grafik_fenster& g, const char* name)
{
    std::string o = HAUPTDATEN.DatenOrdner && HAUPTDATEN.DatenOrdner[0] ? HAUPTDATEN.DatenOrdner : g.DateiInfo.Ordner;
    if (!o.empty() && o.back() != '\\' && o.back() != '/') o += '\\';
    return o + name;
}

// The whole R grid as a multi-column file: the p1 values of the first
// column as x, one R column per p2 value.
bool SchreibeGitter(grafik_fenster& g, const KONTUR_ERGEBNIS& e)
{
    if (!CommandText || e.R.empty()) return false;
    haupt_fenster* app = &HAUPTDATEN;
    std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", DatenDatei(g, KONTUR_DATEI).c_str());
    const int32_t binaer = app->BinaerSpeichern;
    app->BinaerSpeichern = 1;
    const int32_t spalten = static_cast<int32_t>(e.R.size()) + 1;
    const int32_t n = static_cast<int32_t>(e.X.size());
    std::vector<double> x = e.X;
    bool ok = true;
    for (size_t a = 0; ok && a < e.R.size(); ++a) {
        std::vector<double> r = e.R[a];
        HilfeThema = a == 0 ? 0 : 100;
        ok = SpeichereDatei(app, 11, spalten, a == 0 ? 0 : 10, 0, x.data(), r.data(), n) == 1;
    }
    HilfeThema = 0;
    app->BinaerSpeichern = binaer;
    return ok;
}

bool Einstellungen(HWND dlg, KONTUR_EINSTELLUNG* k)
{
    k->P1 = DialogGanzzahl(dlg, IDC_FK_PARAM1) - 1;
    k->P2 = DialogGanzzahl(dlg, IDC_FK_PARAM2) - 1;
    k->R1 = DialogZahl(dlg, IDC_FK_BEREICH1) / 100.0;
    k->R2 = DialogZahl(dlg, IDC_FK_BEREICH2) / 100.0;
    k->T = DialogZahl(dlg, IDC_FK_TOLERANZ) / 100.0;
    k->NX = DialogGanzzahl(dlg, IDC_FK_XGITTER);
    k->NY = DialogGanzzahl(dlg, IDC_FK_YGITTER);
    if (k->P1 < 0 || k->P1 > MaxParameter) {
        DialogFeldFehler(dlg, IDC_FK_PARAM1, "The model has no such parameter.");
        return false;
    }
    if (k->P2 < 0 || k->P2 > MaxParameter || k->P2 == k->P1) {
        DialogFeldFehler(dlg, IDC_FK_PARAM2, "Choose another parameter of the model than parameter #1.");
        return false;
    }
    if (k->NX < 1 || k->NX > KONTUR_MAX_GITTER) {
        DialogFeldFehler(dlg, IDC_FK_XGITTER, "The grid takes 1 to 5000 columns.");
        return false;
    }
    if (k->NY < 1 || k->NY > KONTUR_MAX_GITTER) {
        DialogFeldFehler(dlg, IDC_FK_YGITTER, "The grid takes 1 to 5000 rows.");
        return false;
    }
    return KonturGueltig(*k);
}

void Hinweise(HWND dlg, bool zeigen)
{
    ShowWindow(GetDlgItem(dlg, IDC_FK_HINWEIS1), zeigen ? SW_SHOW : SW_HIDE);
    ShowWindow(GetDlgItem(dlg, IDC_FK_HINWEIS2), zeigen ? SW_SHOW : SW_HIDE);
}

// The outline (the slot after the current one) into frame 30 within the
// scanned range, the current slot as before afterwards.
void Zeichne(HWND dlg)
{
    if (!K.HatKurve) return;
    grafik_fenster& g = GrafikFenster[K.Fenster];
    const int32_t alt = g.KurvenZaehler, altNeu = g.NeuesterZaehler;
    g.SetCurveSlots(alt + 1, altNeu);
    const KONTUR_EINSTELLUNG& k = K.Einstellung;
    g.FesterBereich = 1;
    g.Zoom.FestX[0] = (1.0 - k.R1) * K.W1;
    g.Zoom.FestX[1] = (1.0 + k.R1) * K.W1;
    g.Zoom.FestY[0] = (1.0 - k.R2) * K.W2;
    g.Zoom.FestY[1] = (1.0 + k.R2) * K.W2;
    const int32_t aktiv = AktivesFenster;
    AktivesFenster = K.Fenster;
    PlotIntoDialog(GetDlgItem(dlg, IDC_FK_BILD), g.Grenzen[0], g.Grenzen[1], 0, PANE_GANZ);
    AktivesFenster = aktiv;
    g.FesterBereich = 0;
    g.SetCurveSlots(alt, altNeu);
}

void Zeigen(HWND dlg)
{
    KONTUR_EINSTELLUNG k;
    if (!Einstellungen(dlg, &k)) return;
    grafik_fenster& g = GrafikFenster[K.Fenster];
    HCURSOR alt = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    HWND balken = GetDlgItem(dlg, IDC_FK_BALKEN);
    SendMessageA(balken, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    SendMessageA(balken, PBM_SETPOS, 0, 0);
    const int32_t nx = k.NX;
    const KONTUR_ERGEBNIS e = KonturScan(Numerik, k, [balken, nx](int32_t a) {
        SendMessageA(balken, PBM_SETPOS, static_cast<WPARAM>(100 * a / nx), 0);
    });
    SchreibeGitter(g, e);
    SetCursor(alt);
    if (!e.Genug) {
        Hinweise(dlg, true);
        return;
    }
    Hinweise(dlg, false);
    // The outline into the next slot, which stays behind the current one
    // until "Save".
    const int32_t zaehler = g.KurvenZaehler, neu = g.NeuesterZaehler;
    const int32_t m = static_cast<int32_t>(e.KurveX.size());
    if (m < 1 || (m > g.FeldGroesse() && g.ResizeFelder(m) != 1) || g.CutSection(0, 0.0, 0.0, 0) <= 0) return;
    const int32_t s = g.AktuellerSlot();
    std::memcpy(g.XFeld[s], e.KurveX.data(), e.KurveX.size() * sizeof(double));
    std::memcpy(g.YFeld[s], e.KurveY.data(), e.KurveY.size() * sizeof(double));
    g.DateiInfo.PunkteProKurve[s] = m;
    g.KurvenFlags[s] = 0;
    std::snprintf(g.XText[s], GRAFIK_TEXT, "R(Parameter # %d)", static_cast<int>(k.P1 + 1));
    std::snprintf(g.YText[s], GRAFIK_TEXT, "R(Parameter # %d)", static_cast<int>(k.P2 + 1));
    g.SetFullBorder();
    g.SetCurveSlots(zaehler, neu);
    char t[40];
    std::snprintf(t, sizeof t, "%.4G", e.Grenze2);
    SetDlgItemTextA(dlg, IDC_FK_GRENZE2, t);
    std::snprintf(t, sizeof t, "%.4G", e.Grenze1);
    SetDlgItemTextA(dlg, IDC_FK_GRENZE1, t);
    K.HatKurve = true;
    K.Einstellung = k;
    K.W1 = FitParameters[k.P1];
    K.W2 = FitParameters[k.P2];
    InvalidateRect(GetDlgItem(dlg, IDC_FK_BILD), nullptr, TRUE);
    UpdateWindow(GetDlgItem(dlg, IDC_FK_BILD));
    Zeichne(dlg);
}

INT_PTR CALLBACK FitContourProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        CenterDialog(dlg);
        SetDlgItemTextA(dlg, IDC_FK_PARAM1, "1");
        SetDlgItemTextA(dlg, IDC_FK_PARAM2, "2");
        SetDlgItemTextA(dlg, IDC_FK_BEREICH1, "10");
        SetDlgItemTextA(dlg, IDC_FK_BEREICH2, "10");
        SetDlgItemTextA(dlg, IDC_FK_TOLERANZ, "95");
        SetDlgItemTextA(dlg, IDC_FK_XGITTER, "50");
        SetDlgItemTextA(dlg, IDC_FK_YGITTER, "50");
        Hinweise(dlg, false);
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(dlg, &ps);
        EndPaint(dlg, &ps);
        Zeichne(dlg);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_FK_ZEIGEN: Zeigen(dlg); return TRUE;
        case IDOK:
            if (K.HatKurve) {
                grafik_fenster& g = GrafikFenster[K.Fenster];
                g.SetCurveSlots(g.KurvenZaehler + 1, g.KurvenZaehler + 1);
                g.SetFullBorder();
            }
            EndDialog(dlg, K.HatKurve ? 1 : 0);
            return TRUE;
        case IDCANCEL: EndDialog(dlg, 0); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

}  // namespace

int32_t FitKontur(haupt_fenster* app, int32_t fenster)
{
    if (fenster < 0 || fenster > 3) return -1;
    grafik_fenster& g = GrafikFenster[fenster];
    if (!LetzteVerfeinerungBereit(app, g)) return -1;
    K = KONTUR_DIALOG{};
    K.Fenster = fenster;
    InitCommonControls();
    const INT_PTR r = DialogBoxParamA(ProgrammModul(), "FITCONTOUR", app->Hauptfenster, FitContourProc, 0);
    if (r == 0) return -1;
    if (HWND h = app->GrafikHandles[fenster]) PostMessageA(h, WM_COMMAND, CM_REDRAW, 0);
    UpdateFensterStatus();
    return 1;
}
