#include "spectra/dialog_plot_win.h"

#include "fit/fit_model.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/grafik_fenster.h"
#include "spectra/spectra_globals.h"

namespace {
ModellCallback Modell()
{
    return HAUPTDATEN.ModellCallback ? HAUPTDATEN.ModellCallback : ModellFunktion;
}
}  // namespace

bool DialogPane(int32_t pane, int32_t width, int32_t height, RECT* r)
{
    const int32_t hb = width / 2, hh = height / 2;
    switch (pane) {
    case PANE_GANZ: *r = {0, 0, width, height}; return true;
    case PANE_UNTEN: *r = {0, hh, width, height}; return true;
    case PANE_OBEN_LINKS: *r = {0, 0, hb, hh}; return true;
    case PANE_OBEN_RECHTS: *r = {hb, 0, hb + hb, hh}; return true;
    case PANE_UNTEN_LINKS: *r = {0, hh, hb, hh + hh}; return true;
    case PANE_UNTEN_RECHTS: *r = {hb, hh, hb + hb, hh + hh}; return true;
    default: return false;
    }
}

namespace {

// The pane's rectangle when the record has a curve to draw.
bool PaneDerKurve(HWND control, grafik_fenster& g, int32_t pane, RECT* r)
{
    RECT client;
    return control && g.GetXFeld(-1) && g.GetYFeld(-1) && g.Punkte() >= 1 &&
           GetClientRect(control, &client) && DialogPane(pane, client.right, client.bottom, r);
}

grafik_fenster* AktiverRecord()
{
    if (AktivesFenster < 0 || AktivesFenster > 3) return nullptr;
    return &GrafikFenster[AktivesFenster];
}

bool Zeichne(HWND control, grafik_fenster& g, double xUpper, double xLower, int32_t withFunction,
             int32_t pane)
{
    RECT r;
    if (!PaneDerKurve(control, g, pane, &r)) return false;
    double* x = g.GetXFeld(-1);
    double* y = g.GetYFeld(-1);
    const int32_t n = g.Punkte();
    HDC dc = GetDC(control);
    if (!dc) return false;
    HGDIOBJ alterPinsel = SelectObject(dc, GetStockObject(LTGRAY_BRUSH));
    Rectangle(dc, r.left, r.top, r.right, r.bottom);

    const int32_t breite = r.right - r.left, hoehe = r.bottom - r.top;
    const int32_t cw = HAUPTDATEN.Schriftbreiten[0], ch = HAUPTDATEN.Schrifthoehen[0];
    Plotter.GraphDimension(r.left, r.top, breite, hoehe, cw, ch);
    Plotter.SetFieldFunction(x, y, Modell(), nullptr, n);
    if (g.Kombinieren)
        g.DrawGrafik(dc, r.left, r.top, breite, hoehe, cw, ch);
    else
        g.DrawFitView(dc, xUpper, xLower, withFunction, 1);

    SelectObject(dc, alterPinsel);
    ReleaseDC(control, dc);
    return true;
}

}  // namespace

bool PlotIntoDialog(HWND control, double xUpper, double xLower, int32_t withFunction,
                    int32_t pane)
{
    grafik_fenster* g = AktiverRecord();
    RECT r;
    if (!g || !PaneDerKurve(control, *g, pane, &r)) return false;
    InvalidateRect(control, nullptr, TRUE);
    UpdateWindow(control);
    return Zeichne(control, *g, xUpper, xLower, withFunction, pane);
}

bool PlotIntoDialogPane(HWND control, double xUpper, double xLower, int32_t withFunction, int32_t pane)
{
    grafik_fenster* g = AktiverRecord();
    return g && Zeichne(control, *g, xUpper, xLower, withFunction, pane);
}

bool PlotIntoDialog(HWND control, grafik_fenster& fenster, double xUpper, double xLower,
                    int32_t withFunction, int32_t pane)
{
    RECT r;
    if (!PaneDerKurve(control, fenster, pane, &r)) return false;
    InvalidateRect(control, nullptr, TRUE);
    UpdateWindow(control);
    // Drawing loads the record's model into the current-model globals;
    // they go back to the window's model afterwards.
    const int32_t anzahl = FitFunctionCount, grad = FitPolyDegree, art = FitModellArt;
    int32_t* const typen = FitFunctionTypes;
    double* const parameter = FitParameters;
    const bool gezeichnet = Zeichne(control, fenster, xUpper, xLower, withFunction, pane);
    FitFunctionCount = anzahl;
    FitFunctionTypes = typen;
    FitParameters = parameter;
    FitPolyDegree = grad;
    FitModellArt = art;
    return gezeichnet;
}

void KurveDarueber(HWND control, double* x, double* y, int32_t n, COLORREF farbe)
{
    if (n < 2 || !control) return;
    HDC dc = GetDC(control);
    const COLORREF alt = Plotter.PlotColor;
    Plotter.PlotColor = farbe;
    Plotter.SetFieldFunction(x, y, nullptr, nullptr, n);
    Plotter.PlotFieldFunction(dc, 1, 0, 0, n - 1);
    Plotter.PlotColor = alt;
    ReleaseDC(control, dc);
}

bool DialogToScreenSize(HWND dialog)
{
    const int32_t sb = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    if (!dialog || sb <= 640 || (AssistentDialog && IsWindow(AssistentDialog))) return false;
    RECT d;
    if (!GetWindowRect(dialog, &d)) return false;
    const int32_t db = sb - (d.right - d.left), dh = sh - (d.bottom - d.top);
    SetWindowPos(dialog, nullptr, 0, 0, sb, sh, SWP_NOMOVE | SWP_NOZORDER);
    if (HWND c = GetDlgItem(dialog, 30)) {
        RECT cr;
        GetWindowRect(c, &cr);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&cr), 2);
        SetWindowPos(c, nullptr, 0, 0, cr.right - cr.left + db, cr.bottom - cr.top + dh,
                     SWP_NOMOVE | SWP_NOZORDER);
    }
    return true;
}
