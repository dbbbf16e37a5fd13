// The peak search dialog PEAKSEARCH of command 904: the search with its
// profile, wavelength and detection limit, the preview with the peaks,
// the background spline through nodes that the mouse moves, the subtraction
// of that background, and the automatic peak fit ("Fit"). Cancel puts the
// window's model and curve back as they were at opening. The search, the
// spline and the fit are plain code (xrd_peak_search_core.cpp,
// xrd_auto_fit_core.cpp).
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fit/fit_model.h"
#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/dialog_plot_win.h"
#include "spectra/spectra_globals.h"
#include "vantor.h"
#include "xrd/peak_search_dialog_win.h"
#include "xrd/xrd_auto_fit.h"
#include "xrd/xrd_commands_win.h"
#include "xrd/xrd_peak_search.h"
#include "zelva.h"

namespace {

const COLORREF PEAK_FARBE = RGB(0, 0, 255);
const COLORREF SPLINE_FARBE = RGB(0, 255, 0);
const COLORREF KNOTEN_FARBE = RGB(0, 128, 0);
const int32_t PEAK_STIL = 66, KNOTEN_STIL = 16, LINIEN_STIL = 1;
const double QUELLEN[4] = {154.2, 71.07, 179.1, 229.1};
const char* const QUELLEN_TEXT[4] = {"Cu Ka, 154.2 pm", "Mo Ka, 71.07 pm", "Co Ka, 179.1 pm", "Cr Ka, 229.1 pm"};

// The window's model and curve as they were at opening.
struct Sicherung {
    int32_t anzahl = 0, grad = 0, fensterAnzahl = 0, fensterGrad = 0, maxPar = 0, maxFit = 0;
    std::vector<int32_t> typen, flags, liste, worte;
    std::vector<double> werte, konstanten, y;
    int32_t punkte = 0;
};

struct PeakSucheZustand {
    HWND dlg = nullptr, vorschau = nullptr;
    int32_t fenster = -1;
    std::vector<double> positionen, hoehen;  // the peaks found
    std::vector<double> bx, by;              // background spline over the curve
    bool hintergrund = false;                // bx, by hold a background
    double nx[HINTERGRUND_KNOTEN_MAX] = {}, ny[HINTERGRUND_KNOTEN_MAX] = {};
    int32_t knoten = 8;
    int32_t peaks = 0;
    double grenze = 10.0;
    int32_t zoom = 0;
    bool gesucht = false;
    int32_t gezogen = -1;                    // index of the dragged node, -1 none
    double ymin = 0.0, ymax = 0.0;
    Sicherung alt;
};

PeakSucheZustand* Z = nullptr;

grafik_fenster& G() { return GrafikFenster[Z->fenster]; }
HWND Item(int id) { return GetDlgItem(Z->dlg, id); }
void An(int id, bool an) { EnableWindow(Item(id), an ? TRUE : FALSE); }

double Zahl(int id, bool* ok = nullptr)
{
    char t[64] = "";
    GetDlgItemTextA(Z->dlg, id, t, sizeof t);
    char* ende = nullptr;
    const double v = std::strtod(t, &ende);
    if (ok) *ok = ende != t;
    return v;
}

void Setze(int id, const char* format, double v)
{
    char t[64];
    std::snprintf(t, sizeof t, format, v);
    SetDlgItemTextA(Z->dlg, id, t);
}

int32_t Profil()
{
    if (IsDlgButtonChecked(Z->dlg, IDC_PS_VOIGT) == BST_CHECKED) return PROFIL_PSEUDO_VOIGT;
    if (IsDlgButtonChecked(Z->dlg, IDC_PS_PEARSON) == BST_CHECKED) return PROFIL_PEARSON7;
    return PROFIL_GAUSS;
}

void Melde(const char* text)
{
    MeldungsBox(Z->dlg, text, "Caution !!", MB_OK | MB_ICONEXCLAMATION);
}

void Sichern(Sicherung& s)
{
    grafik_fenster& g = G();
    s.anzahl = FitFunctionCount, s.grad = FitPolyDegree;
    s.fensterAnzahl = g.AnzahlFunktionen, s.fensterGrad = g.PolyGrad;
    s.maxPar = MaxParameter, s.maxFit = MaxFitParameter;
    s.typen.assign(FitFunctionTypes, FitFunctionTypes + MAX_MODEL_FUNCTIONS);
    s.werte.assign(FitParameters, FitParameters + PARAMETER_BLOCK_DOUBLES);
    s.flags.assign(ParameterFlags, ParameterFlags + RESET_ENTRIES);
    s.worte.assign(CorrelationWords, CorrelationWords + RESET_ENTRIES);
    s.konstanten.assign(CorrelationConstants, CorrelationConstants + RESET_ENTRIES);
    s.liste.assign(FreeParameterList, FreeParameterList + RESET_ENTRIES);
    s.punkte = g.Punkte();
    s.y.assign(g.GetYFeld(-1), g.GetYFeld(-1) + s.punkte);
}

void Zurueck(const Sicherung& s)
{
    grafik_fenster& g = G();
    std::copy(s.typen.begin(), s.typen.end(), FitFunctionTypes);
    std::copy(s.werte.begin(), s.werte.end(), FitParameters);
    std::copy(s.flags.begin(), s.flags.end(), ParameterFlags);
    std::copy(s.worte.begin(), s.worte.end(), CorrelationWords);
    std::copy(s.konstanten.begin(), s.konstanten.end(), CorrelationConstants);
    std::copy(s.liste.begin(), s.liste.end(), FreeParameterList);
    FitFunctionCount = s.anzahl, FitPolyDegree = s.grad;
    MaxParameter = s.maxPar, MaxFitParameter = s.maxFit;
    g.AnzahlFunktionen = s.fensterAnzahl, g.PolyGrad = s.fensterGrad;
    if (g.Punkte() == s.punkte) std::copy(s.y.begin(), s.y.end(), g.GetYFeld(-1));
}

// An extra curve over the last frame, in a colour and a plot style.
void Kurve(HDC dc, double* x, double* y, int32_t n, COLORREF farbe, int32_t stil)
{
    if (n < 1) return;
    unsigned long pc, fc;
    int pp, fp, ps, fs, kr, dh, nurX;
    int k, d, balken;
    Plotter.GetPlotOptions(pc, fc, pp, fp, ps, fs, kr, dh, nurX);
    Plotter.GetKreisRadiusTriangleHeight(k, d, balken);
    Plotter.SetPlotOptions(farbe, fc, pp, fp, stil, fs, 0, 0, 0);
    // A peak is a stick under its point, however few peaks there are.
    Plotter.SetKreisRadiusTriangleHeight(k, d, 1);
    Plotter.SetFieldFunction(x, y, nullptr, nullptr, n);
    Plotter.PlotFieldFunction(dc, 1, 0, 0, n - 1);
    Plotter.SetPlotOptions(pc, fc, pp, fp, ps, fs, kr, dh, nurX);
    Plotter.SetKreisRadiusTriangleHeight(k, d, balken);
}

}  // namespace

int32_t PlotPeakSearch(int32_t scale, HWND plot, double* positionen, double* hoehen, int32_t anzahl,
                       double* bx, double* by, double* nx, double* ny)
{
    if (!Z || !plot) return 0;
    grafik_fenster& g = G();
    const double oben = g.Grenzen[0], unten = g.Grenzen[1];
    const int32_t altFest = g.FesterBereich;
    const ZOOM_ZUSTAND altZoom = g.Zoom;
    if (scale < 100) {
        g.FesterBereich = 1;
        g.Zoom.FestX[0] = unten, g.Zoom.FestX[1] = oben;
        g.Zoom.FestY[0] = Z->ymin;
        g.Zoom.FestY[1] = Z->ymin + std::fabs(Z->ymax - Z->ymin) * scale / 100.0;
    } else {
        g.FesterBereich = 0;
    }
    PlotIntoDialog(plot, oben, unten, 0, PANE_GANZ);
    g.FesterBereich = altFest;
    g.Zoom = altZoom;
    HDC dc = GetDC(plot);
    if (anzahl > 0 && positionen && hoehen) Kurve(dc, positionen, hoehen, anzahl, PEAK_FARBE, PEAK_STIL);
    if (bx && by && nx && ny && Z->hintergrund) {
        Kurve(dc, bx, by, g.Punkte(), SPLINE_FARBE, LINIEN_STIL);
        Kurve(dc, nx, ny, Z->knoten, KNOTEN_FARBE, KNOTEN_STIL);
    }
    ReleaseDC(plot, dc);
    const int32_t s = g.AktuellerSlot();
    Plotter.SetFieldFunction(g.XFeld[s], g.YFeld[s], nullptr, nullptr, g.Punkte());
    return 1;
}

namespace {

void Zeichne()
{
    PlotPeakSearch(100 - Z->zoom, Z->vorschau, Z->positionen.data(), Z->hoehen.data(), Z->peaks,
                   Z->bx.data(), Z->by.data(), Z->nx, Z->ny);
}

void ErgebnisseZeigen(bool an)
{
    CheckDlgButton(Z->dlg, IDC_PS_ERGEBNISSE, an ? BST_CHECKED : BST_UNCHECKED);
    ShowWindow(Item(IDC_PS_LISTE), an ? SW_SHOW : SW_HIDE);
    if (!an) Zeichne();
}

// "Peak Search", and every move of the detection limit after it.
bool Suchen()
{
    bool ok = false;
    const double grenze = Zahl(IDC_PS_GRENZE, &ok);
    if (!ok || !(grenze > 0.0) || grenze > 100.0) {
        Melde("The detection limit must lie above 0 and up to 100 %.");
        return false;
    }
    const double lambda = Zahl(IDC_PS_LAMBDA, &ok);
    if (!ok || !(lambda > 0.0)) {
        Melde("The wavelength must be larger than 0 pm.");
        return false;
    }
    Z->grenze = grenze;
    for (int id : {IDC_PS_GRENZE_REGLER, IDC_PS_ZOOM}) An(id, true);
    const int32_t profil = Profil();
    const int32_t k = XrdPeakSearchRun(profil, grenze);
    if (k < 0) return false;
    Z->peaks = k;
    Z->positionen.assign(static_cast<size_t>(k), 0.0);
    Z->hoehen.assign(static_cast<size_t>(k), 0.0);
    const int32_t s = PeakStride(profil);
    for (int32_t i = 0; i < k; ++i) {
        Z->positionen[i] = FitParameters[s * i + 1];
        Z->hoehen[i] = FitParameters[s * i];
    }
    char t[40];
    std::snprintf(t, sizeof t, XrdPeakGrenze() > 0.0 ? "%d (limit)" : "%d", static_cast<int>(k));
    SetDlgItemTextA(Z->dlg, IDC_PS_PEAKS, t);
    ErgebnisseZeigen(false);
    XrdPeakList(profil, lambda);
    SetDlgItemTextA(Z->dlg, IDC_PS_LISTE, CommandText ? CommandText : "");
    Z->gesucht = true;
    An(IDC_PS_FIT, true);
    return true;
}

// "Show": the background spline through nodes placed anew.
void HintergrundZeigen()
{
    bool ok = false;
    const double m = Zahl(IDC_PS_KNOTEN, &ok);
    if (!ok || m < 2 || m > HINTERGRUND_KNOTEN_MAX || m != std::floor(m)) {
        Melde("The number of background points (nPts) must lie between 2 and 500.");
        return;
    }
    grafik_fenster& g = G();
    const int32_t n = g.Punkte();
    Z->bx.assign(static_cast<size_t>(n), 0.0);
    Z->by.assign(static_cast<size_t>(n), 0.0);
    if (!InterpolatePattern(Numerik, 0, g.GetXFeld(-1), g.GetYFeld(-1), n, g.Grenzen[1], g.Grenzen[0],
                            Z->bx.data(), Z->by.data(), static_cast<int32_t>(m), Z->nx, Z->ny)) {
        Melde("The background cannot be drawn over this section.");
        return;
    }
    Z->knoten = static_cast<int32_t>(m);
    Z->hintergrund = true;
    ErgebnisseZeigen(false);
    An(IDC_PS_ABZIEHEN, true);
    An(IDC_PS_ZOOM, true);
    Z->gesucht = true;
}

void Abziehen()
{
    grafik_fenster& g = G();
    const int32_t n = g.Punkte();
    if (!Z->hintergrund || static_cast<int32_t>(Z->by.size()) != n) return;
    double* y = g.GetYFeld(-1);
    for (int32_t i = 0; i < n; ++i) y[i] -= Z->by[i];
    Z->hintergrund = false;
    Z->peaks = 0;
    An(IDC_PS_ABZIEHEN, false);
    g.GetMinMax(&Z->ymin, &Z->ymax, 0.0, 0.0, 0);
    Zeichne();
}

void Anpassen()
{
    HCURSOR alt = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    XrdAutoPeakFit(1);
    SetDlgItemTextA(Z->dlg, IDC_PS_LISTE, CommandText ? CommandText : "");
    SetCursor(alt);
}

// Data coordinates of a dialog point inside the preview; false outside.
bool DatenPunkt(LPARAM lParam, double* x, double* y)
{
    POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    MapWindowPoints(Z->dlg, Z->vorschau, &p, 1);
    RECT r;
    GetClientRect(Z->vorschau, &r);
    if (!PtInRect(&r, p)) return false;
    Zeichne();  // the layout of the preview's frame for the conversion
    return Plotter.GetXYValue(*x, *y, p.x, p.y, 1, 0) != 0;
}

void KnotenZiehen(double x, double y)
{
    grafik_fenster& g = G();
    const int32_t i = Z->gezogen;
    Z->ny[i] = y;
    // The end nodes hold the section's borders.
    if (i > 0 && i < Z->knoten - 1) Z->nx[i] = std::min(std::max(x, Z->nx[i - 1] + 1e-9), Z->nx[i + 1] - 1e-9);
    InterpolatePattern(Numerik, -1, g.GetXFeld(-1), g.GetYFeld(-1), g.Punkte(), g.Grenzen[1], g.Grenzen[0],
                       Z->bx.data(), Z->by.data(), Z->knoten, Z->nx, Z->ny);
    Zeichne();
}

void MausRunter(LPARAM lParam)
{
    double x = 0.0, y = 0.0;
    if (!Z->hintergrund || !DatenPunkt(lParam, &x, &y)) return;
    grafik_fenster& g = G();
    const double dx = 0.1 * std::fabs(g.Grenzen[0] - g.Grenzen[1]) / Z->knoten;
    const double dy = 0.05 * std::fabs(Z->ymax - Z->ymin);
    for (int32_t i = 0; i < Z->knoten; ++i)
        if (std::fabs(x - Z->nx[i]) < dx && std::fabs(y - Z->ny[i]) < dy) {
            Z->gezogen = i;
            SetCapture(Z->dlg);
            KnotenZiehen(x, y);
            return;
        }
}

void MausZiehen(LPARAM lParam)
{
    if (Z->gezogen < 0) return;
    double x = 0.0, y = 0.0;
    if (!DatenPunkt(lParam, &x, &y)) {
        Z->gezogen = -1;
        ReleaseCapture();
        return;
    }
    KnotenZiehen(x, y);
}

void Oeffnen(HWND dlg)
{
    Z->dlg = dlg;
    CenterDialog(dlg);
    Z->vorschau = Item(IDC_PS_VORSCHAU);
    Sichern(Z->alt);
    SendDlgItemMessageA(dlg, IDC_PS_BREITE_REGLER, TBM_SETRANGE, TRUE, MAKELPARAM(1, 100));
    SendDlgItemMessageA(dlg, IDC_PS_BREITE_REGLER, TBM_SETPOS, TRUE, 50);
    SendDlgItemMessageA(dlg, IDC_PS_GRENZE_REGLER, TBM_SETRANGE, TRUE, MAKELPARAM(1, 30));
    SendDlgItemMessageA(dlg, IDC_PS_GRENZE_REGLER, TBM_SETTICFREQ, 5, 0);
    SendDlgItemMessageA(dlg, IDC_PS_GRENZE_REGLER, TBM_SETPAGESIZE, 0, 5);
    SendDlgItemMessageA(dlg, IDC_PS_GRENZE_REGLER, TBM_SETPOS, TRUE, 10);
    SendDlgItemMessageA(dlg, IDC_PS_ZOOM, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
    SendDlgItemMessageA(dlg, IDC_PS_ZOOM, TBM_SETTICFREQ, 20, 0);
    SendDlgItemMessageA(dlg, IDC_PS_ZOOM, TBM_SETPAGESIZE, 0, 5);
    SendDlgItemMessageA(dlg, IDC_PS_ZOOM, TBM_SETPOS, TRUE, 0);
    G().GetMinMax(&Z->ymin, &Z->ymax, 0.0, 0.0, 0);
    Setze(IDC_PS_GRENZE, "%.5G", Z->grenze);
    SetDlgItemTextA(dlg, IDC_PS_KNOTEN, "8");
    for (const char* q : QUELLEN_TEXT) SendDlgItemMessageA(dlg, IDC_PS_QUELLE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(q));
    SendDlgItemMessageA(dlg, IDC_PS_QUELLE, CB_SETCURSEL, 0, 0);
    Setze(IDC_PS_LAMBDA, "%.5G", HAUPTDATEN.Roentgenwellenlaenge);
    CheckRadioButton(dlg, IDC_PS_GAUSS, IDC_PS_PEARSON, IDC_PS_GAUSS);
}

void Regler(HWND regler)
{
    if (!Z->gesucht) return;
    const int32_t pos = static_cast<int32_t>(SendMessageA(regler, TBM_GETPOS, 0, 0));
    if (regler == Item(IDC_PS_GRENZE_REGLER)) {
        if (pos == static_cast<int32_t>(Z->grenze) && Zahl(IDC_PS_GRENZE) == Z->grenze) return;
        Setze(IDC_PS_GRENZE, "%.5G", pos);
        if (Suchen()) Zeichne();
    } else if (regler == Item(IDC_PS_ZOOM) && pos != Z->zoom) {
        Z->zoom = pos;
        Zeichne();
    }
}

INT_PTR CALLBACK PeakSearchDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG: Oeffnen(dlg); return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(dlg, &ps);
        EndPaint(dlg, &ps);
        if (IsDlgButtonChecked(dlg, IDC_PS_ERGEBNISSE) == BST_CHECKED) ShowWindow(Item(IDC_PS_LISTE), SW_SHOW);
        else Zeichne();
        return TRUE;
    }
    case WM_HSCROLL:
    case WM_VSCROLL: Regler(reinterpret_cast<HWND>(lParam)); return TRUE;
    case WM_LBUTTONDOWN: MausRunter(lParam); return TRUE;
    case WM_MOUSEMOVE: MausZiehen(lParam); return TRUE;
    case WM_LBUTTONUP:
        if (Z->gezogen >= 0) ReleaseCapture();
        Z->gezogen = -1;
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_PS_QUELLE:
            if (HIWORD(wParam) == CBN_SELCHANGE) {
                const LRESULT i = SendDlgItemMessageA(dlg, IDC_PS_QUELLE, CB_GETCURSEL, 0, 0);
                if (i >= 0 && i < 4) Setze(IDC_PS_LAMBDA, "%G", QUELLEN[i]);
            }
            return TRUE;
        case IDC_PS_GRENZE:
            // The slider follows the number typed.
            if (HIWORD(wParam) == EN_CHANGE) {
                const double v = Zahl(IDC_PS_GRENZE);
                if (v > 0.0)
                    SendDlgItemMessageA(dlg, IDC_PS_GRENZE_REGLER, TBM_SETPOS, TRUE,
                                        std::min(30L, std::max(1L, std::lround(v))));
            }
            return TRUE;
        case IDC_PS_SUCHEN:
            if (Suchen()) Zeichne();
            return TRUE;
        case IDC_PS_ZEIGEN:
            HintergrundZeigen();
            Zeichne();
            return TRUE;
        case IDC_PS_ABZIEHEN: Abziehen(); return TRUE;
        case IDC_PS_FIT: Anpassen(); return TRUE;
        case IDC_PS_GAUSS:
        case IDC_PS_VOIGT:
        case IDC_PS_PEARSON:
            // The model no longer matches the profile.
            An(IDC_PS_FIT, false);
            return TRUE;
        case IDC_PS_ERGEBNISSE:
            ErgebnisseZeigen(IsDlgButtonChecked(dlg, IDC_PS_ERGEBNISSE) == BST_CHECKED);
            return TRUE;
        case IDOK: {
            // OK without a search searches with what the dialog shows.
            if (!Z->gesucht || Z->peaks == 0 || !FitFunctionTypes || FitFunctionTypes[0] != PeakTyp(Profil()))
                if (!Suchen()) return TRUE;
            double* dw = HAUPTDATEN.DialogWerte;
            dw[0] = Zahl(IDC_PS_LAMBDA);
            dw[1] = Zahl(IDC_PS_GRENZE);
            dw[5] = Profil();
            EndDialog(dlg, 1);
            return TRUE;
        }
        case IDCANCEL:
            Zurueck(Z->alt);
            EndDialog(dlg, 0);
            return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

}  // namespace

int32_t PeakSucheDialog(HWND owner)
{
    if (AktivesFenster < 0 || AktivesFenster > 3 || GrafikFenster[AktivesFenster].Punkte() < PEAK_SUCHE_MINDESTPUNKTE) return 0;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    PeakSucheZustand zustand;
    zustand.fenster = AktivesFenster;
    Z = &zustand;
    const INT_PTR r = DialogBoxParamA(GetModuleHandleA(nullptr), "PEAKSEARCH", owner, PeakSearchDlgProc, 0);
    Z = nullptr;
    return r == 1 ? 1 : 0;
}
