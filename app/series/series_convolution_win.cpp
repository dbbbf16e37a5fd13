// The convolution width of the automatic analysis (SETCONVOLFWHM, the
// "&S" of AUTODEX): I0, dark and sample column of the dispersive series in
// the active window, the I0 convolved with a Gaussian or Lorentzian of the
// width typed, and the absorption of the sample with and without it drawn
// into four panes of the dialog. The width and kind go back to AUTODEX.
//
// The convolution is the plain one of the run (FalteMitProfil): the
// window's own fit model is never touched.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "resource_ids.h"
#include "series/series_analysis.h"
#include "series/series_convolution_win.h"
#include "shell/dialog_helpers.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/dialog_plot_win.h"
#include "spectra/spectra_globals.h"

namespace {

const COLORREF BLAU_KURVE = RGB(0, 0, 255);

// The dialog's state while it is open (one at a time).
struct FALTUNGS_DIALOG {
    int32_t Fenster = -1;
    int32_t Art = FALTUNG_GAUSS;
    std::vector<double> X, I0, Probe, Dunkel;
    FALTUNGS_VORSCHAU Kurven;
};
FALTUNGS_DIALOG FD;

grafik_fenster* Fenster()
{
    const int32_t f = FD.Fenster;
    if (f < 0 || f > 3 || !HAUPTDATEN.GrafikHandles[f] || !GrafikFenster[f].GetXFeld(-1)) return nullptr;
    return &GrafikFenster[f];
}

// Columns 1 (x), c0 (I0), 3 (dark) and 7 (sample) of the series.
bool LiesSpalten(grafik_fenster& g, int32_t c0)
{
    const int32_t kapazitaet = (g.DateiInfo.Punkte > 0 ? g.DateiInfo.Punkte : MIN_FELD_PUNKTE) + 5;
    const int32_t ySpalte = g.DateiInfo.YSpalte;
    if (g.ReadSeriesFrame(nullptr, 0) != 0) return false;
    std::vector<double>* ziele[4] = {&FD.X, &FD.I0, &FD.Dunkel, &FD.Probe};
    const int32_t spalten[4] = {1, c0, 3, VORSCHAU_SPALTEN};
    int32_t n = -1;
    bool ok = true;
    for (int k = 0; k < 4 && ok; ++k) {
        ziele[k]->assign(static_cast<std::size_t>(kapazitaet), 0.0);
        const int32_t m = g.ReadSeriesFrame(ziele[k]->data(), spalten[k], kapazitaet);
        if (k == 0) n = m;
        ok = m > 0 && m == n;
    }
    g.ReadSeriesFrame(nullptr, -1);
    g.DateiInfo.YSpalte = ySpalte;
    if (!ok || n <= VORSCHAU_PUNKTE) return false;
    for (std::vector<double>* v : ziele) v->resize(static_cast<std::size_t>(n));
    return true;
}

bool Rechnen(double breite)
{
    const int32_t n = static_cast<int32_t>(FD.X.size());
    if (n < 2) return false;
    return FaltungsVorschau(FD.I0.data(), FD.Probe.data(), FD.Dunkel.data(), n, FD.X[1] - FD.X[0], FD.Art,
                            breite, &FD.Kurven);
}

void Zeichnen(HWND dlg)
{
    FALTUNGS_VORSCHAU& k = FD.Kurven;
    if (k.I0.empty()) return;
    PlotConvolPreview(dlg, FD.X.data(), k.I0.data(), k.I0Gefaltet.data(), k.Ohne.data(),
                      k.Mit.data(), static_cast<int32_t>(FD.X.size()));
}

// The controls right of the preview follow its right edge when the dialog
// grows to the screen.
void AufBildschirm(HWND dlg)
{
    HWND vorschau = GetDlgItem(dlg, IDC_SCF_VORSCHAU);
    if (!vorschau) return;
    auto rechteck = [dlg](HWND k) {
        RECT r{};
        GetWindowRect(k, &r);
        MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    const RECT vorher = rechteck(vorschau);
    if (!DialogToScreenSize(dlg)) return;
    // Grown to the screen's size, the dialog starts at its corner.
    SetWindowPos(dlg, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const LONG db = rechteck(vorschau).right - vorher.right;
    for (HWND k = GetWindow(dlg, GW_CHILD); k; k = GetWindow(k, GW_HWNDNEXT)) {
        if (k == vorschau) continue;
        const RECT r = rechteck(k);
        if (r.left >= vorher.right) SetWindowPos(k, nullptr, r.left + db, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
}

void Schliessen(HWND dlg, INT_PTR ergebnis)
{
    FD = FALTUNGS_DIALOG{};
    EndDialog(dlg, ergebnis);
}

}  // namespace

bool FaltungsVorschauFuerFenster(int32_t fenster, std::string* meldung)
{
    if (fenster < 0 || fenster > 3 || !HAUPTDATEN.GrafikHandles[fenster]) {
        *meldung = "No binary multiple column file!";
        return false;
    }
    const ::DateiInfo& info = GrafikFenster[fenster].DateiInfo;
    if (info.Binaer != 1) {
        *meldung = "No binary multiple column file!";
        return false;
    }
    if (!FaltungsVorschauMoeglich(info.Punkte, info.Spalten)) {
        *meldung = "The preview of the convolution needs a file of more than 500 points per column and at "
                   "least 7 columns (I0, dark current in column 3, sample in column 7).";
        return false;
    }
    return true;
}

INT_PTR CALLBACK SetConvolFwhmDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG: {
        CenterDialog(dlg);
        FD = FALTUNGS_DIALOG{};
        FD.Fenster = AktivesFenster;
        CheckRadioButton(dlg, IDC_SCF_GAUSS, IDC_SCF_LORENTZ, IDC_SCF_GAUSS);
        SetDlgItemTextA(dlg, IDC_SCF_BREITE, "");
        grafik_fenster* g = Fenster();
        const int32_t c0 = static_cast<int32_t>(HAUPTDATEN.DialogWerte[0]);
        if (!g || !LiesSpalten(*g, c0) || !Rechnen(3.0)) {
            MeldungsBox(dlg, "The columns of the file could not be read.", "ERROR !!", MB_OK | MB_ICONSTOP);
            Schliessen(dlg, 0);
            return TRUE;
        }
        AufBildschirm(dlg);
        return TRUE;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(dlg, &ps);
        EndPaint(dlg, &ps);
        Zeichnen(dlg);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_SCF_GAUSS:
            if (IsDlgButtonChecked(dlg, IDC_SCF_GAUSS) == BST_CHECKED) FD.Art = FALTUNG_GAUSS;
            return TRUE;
        case IDC_SCF_LORENTZ:
            if (IsDlgButtonChecked(dlg, IDC_SCF_LORENTZ) == BST_CHECKED) FD.Art = FALTUNG_LORENTZ;
            return TRUE;
        case IDC_SCF_ZEIGEN:
        case IDOK: {
            char text[64] = "";
            GetDlgItemTextA(dlg, IDC_SCF_BREITE, text, sizeof text);
            double breite = 0.0;
            if (!FaltungsBreiteLesen(text, &breite)) {
                DialogFeldFehler(dlg, IDC_SCF_BREITE, "The FWHM of the convolution must be a number above 0.");
                return TRUE;
            }
            if (LOWORD(wParam) == IDOK) {
                HAUPTDATEN.DialogWerte[0] = breite;
                HAUPTDATEN.DialogWerte[1] = FD.Art + 0.1;
                Schliessen(dlg, 1);
                return TRUE;
            }
            if (Rechnen(breite)) Zeichnen(dlg);
            return TRUE;
        }
        case IDC_DLG_HELP: DialogHilfe(1111); return TRUE;
        // Closing the dialog hands nothing back.
        case IDCANCEL: Schliessen(dlg, 0); return TRUE;
        }
        break;
    }
    return FALSE;
}

namespace {

// The current slot of g, kept while the preview borrows it.
struct SLOT_KOPIE {
    int32_t Slot, Punkte;
    uint32_t Flags;
    double Grenzen[2];
    std::vector<double> X, Y;
    explicit SLOT_KOPIE(grafik_fenster& g) : Slot(g.AktuellerSlot()), Punkte(g.Punkte()), Flags(g.KurvenFlags[Slot])
    {
        Grenzen[0] = g.Grenzen[0];
        Grenzen[1] = g.Grenzen[1];
        const int32_t m = std::max(0, std::min(2 * Punkte + 2, g.FeldGroesse()));
        X.assign(g.XFeld[Slot], g.XFeld[Slot] + m);
        Y.assign(g.YFeld[Slot], g.YFeld[Slot] + m);
    }
    void Zurueck(grafik_fenster& g) const
    {
        std::copy(X.begin(), X.end(), g.XFeld[Slot]);
        std::copy(Y.begin(), Y.end(), g.YFeld[Slot]);
        g.DateiInfo.PunkteProKurve[Slot] = Punkte;
        g.KurvenFlags[Slot] = Flags;
        g.Grenzen[0] = Grenzen[0];
        g.Grenzen[1] = Grenzen[1];
    }
};

void AlsKurve(grafik_fenster& g, const double* x, const double* y, int32_t n)
{
    const int32_t s = g.AktuellerSlot();
    std::copy(x, x + n, g.XFeld[s]);
    std::copy(y, y + n, g.YFeld[s]);
    g.DateiInfo.PunkteProKurve[s] = n;
    g.KurvenFlags[s] = 0;
    g.SetFullBorder();
}

}  // namespace

int32_t PlotConvolPreview(HWND dialog, double* x, double* i0, double* i0Gefaltet, double* ohne, double* mit,
                          int32_t n)
{
    HWND control = GetDlgItem(dialog, IDC_SCF_VORSCHAU);
    const int32_t f = AktivesFenster;
    if (!control || f < 0 || f > 3 || !GrafikFenster[f].GetXFeld(-1) || n <= VORSCHAU_PUNKTE) return 0;
    grafik_fenster& g = GrafikFenster[f];
    if (n > g.FeldGroesse() && g.ResizeFelder(n + 5) == 0) return 0;
    const SLOT_KOPIE alt(g);
    const double oben = x[n - 50], unten = x[50];
    AlsKurve(g, x, i0, n);
    PlotIntoDialog(control, oben, unten, 0, PANE_OBEN_LINKS);
    AlsKurve(g, x, i0Gefaltet, n);
    PlotIntoDialogPane(control, oben, unten, 0, PANE_OBEN_RECHTS);
    AlsKurve(g, x, ohne, n);
    PlotIntoDialogPane(control, oben, unten, 0, PANE_UNTEN);
    KurveDarueber(control, x, mit, n, BLAU_KURVE);
    alt.Zurueck(g);
    Plotter.PlotColor = g.Paintinfo.PlotColor;
    return 1;
}
