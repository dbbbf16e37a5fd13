// The section dialog SET_BORDER: the user picks a section of the current
// curve on its picture (mouse or typed borders) and, in the modes of the
// reduction steps, sees the step's result there before committing: the
// deglitching and step removal (-1), the pre-edge and normalisation fits
// (2, 3, 8), the mu0 preview (4, 5) and the E0 roots (6).
#include "xas/section_dialog_win.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fit/fit_model.h"
#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "spectra/data_commands_win.h"
#include "spectra/dialog_plot_win.h"
#include "spectra/spectra_globals.h"
#include "xas/section_dialog.h"
#include "xas/xas_background.h"
#include "xas/xas_background_win.h"
#include "xas/xas_commands_win.h"
#include "xas/mue_xafs_win.h"
#include "xas/xas_reduction.h"

double AutoSplineR = 3.0;
int32_t AutoSpline = -1;
int32_t RRaum = -1;
int32_t SplineAnzahl = 0;
SEKTIONS_ANTWORT SektionsAntwort = nullptr;

namespace {

const UINT WM_ANTWORT = WM_APP + 31;
const int32_t TYP_POLYNOM = 7, TYP_VICTOREEN = 20, TYP_SPLINE = 53;
const COLORREF GRUEN = 0x00FF00, BLAU = 0xFF0000;

// The state of the one open dialog.
struct Zustand {
    HWND dlg = nullptr, vorschau = nullptr;
    int32_t modus = 0;
    int32_t fenster = -1;
    double datenOben = 0, datenUnten = 0, schritt = 0;
    double oben = 0, unten = 0;  // current section
    int32_t aktiv = 0;           // border edit of the next pick: 0 upper, 1 lower
    bool picks = true, marker = false, bearbeitet = false, fitGezeigt = false, deglitch = false;
    bool neuZeichnen = false, ersterPaint = true, angebot = false, beendet = false, geantwortet = false;
    bool fitVorschau = false;    // the fit-shown picture is the mu0 preview
    int32_t altRRaum = 0;        // the R-space switch at opening
    int markerX = 0, markerOben = 0, markerUnten = 0;
    std::vector<double> kratzX, kratzY;  // deglitching: the shown range and its polynomial
    int32_t kratzLo = 0, kratzN = 0;
    // The scale of the preview's picture. The shared plotter takes the
    // scale of whatever window paints next (the graphic window behind the
    // dialog, say); picks, markers and borders read this one.
    struct {
        bool da = false;
        int32_t links = 0, oben = 0, breite = 0, hoehe = 0, rand = 0;
        double xMin = 0, xMax = 0, yMin = 0, yMax = 0, xSkala = 0, ySkala = 0, yNull = 0;
    } skala;
};
Zustand* Z = nullptr;

void SkalaMerken()
{
    auto& k = Z->skala;
    k.links = Plotter.GraphLeft;
    k.oben = Plotter.GraphTop;
    k.breite = Plotter.GraphWidth;
    k.hoehe = Plotter.GraphHeight;
    k.rand = Plotter.LeftMargin;
    k.xMin = Plotter.XMin;
    k.xMax = Plotter.XMax;
    k.yMin = Plotter.YMin;
    k.yMax = Plotter.YMax;
    k.xSkala = Plotter.XScale;
    k.ySkala = Plotter.YScale;
    k.yNull = Plotter.YZero;
    k.da = true;
}

// Puts the preview's scale back into the plotter before it maps points.
void SkalaSetzen()
{
    const auto& k = Z->skala;
    if (!k.da) return;
    Plotter.GraphLeft = k.links;
    Plotter.GraphTop = k.oben;
    Plotter.GraphWidth = k.breite;
    Plotter.GraphHeight = k.hoehe;
    Plotter.LeftMargin = k.rand;
    Plotter.XMin = k.xMin;
    Plotter.XMax = k.xMax;
    Plotter.YMin = k.yMin;
    Plotter.YMax = k.yMax;
    Plotter.XScale = k.xSkala;
    Plotter.YScale = k.ySkala;
    Plotter.YZero = k.yNull;
}

// The previous preview transform (empty: none).
std::vector<double> VergleichR, VergleichB;

double* DW() { return HAUPTDATEN.DialogWerte; }
grafik_fenster& G() { return GrafikFenster[Z->fenster]; }

void Text(int id, const char* t) { SetDlgItemTextA(Z->dlg, id, t); }
void Zahl(int id, const char* format, double v)
{
    char t[60];
    std::snprintf(t, sizeof t, format, v);
    Text(id, t);
}
double Lies(HWND dlg, int id)
{
    char t[41] = "";
    GetDlgItemTextA(dlg, id, t, sizeof t);
    return std::atof(t);
}
void Zeige(int id, bool an) { ShowWindow(GetDlgItem(Z->dlg, id), an ? SW_SHOW : SW_HIDE); }
void Aktiv(int id, bool an) { EnableWindow(GetDlgItem(Z->dlg, id), an); }
bool Markiert(int id) { return IsDlgButtonChecked(Z->dlg, id) == BST_CHECKED; }
int32_t Typ0() { return G().FunktionsTypen ? G().FunktionsTypen[0] : 0; }

// Index range of [lo, hi] in the current curve (first at or above lo, last
// at or below hi).
void Indizes(double lo, double hi, int32_t* a, int32_t* b)
{
    const int32_t n = G().Punkte();
    const double* x = G().GetXFeld(-1);
    int32_t i = 0;
    while (i < n - 1 && x[i] < lo) ++i;
    int32_t j = n - 1;
    while (j > 0 && x[j] > hi) --j;
    *a = i;
    *b = j;
}

void Kurve(double* x, double* y, int32_t n, COLORREF farbe);
void MarkerZeichnen(int x);

// The derivative steps: both derivatives over the spectrum (green the
// first, blue the second) and the marker line at the E0 of edit 20.
void Ableitungsbild(double oben, double unten)
{
    grafik_fenster& g = G();
    for (int d = 1; d <= 2; ++d) {
        const int32_t s = (g.KurvenZaehler + d) & 3;
        const int32_t n = g.DateiInfo.PunkteProKurve[s];
        if (n < 2 || !g.XFeld[s]) continue;
        int32_t a = 0, b = n - 1;
        while (a < n - 1 && g.XFeld[s][a] < unten) ++a;
        while (b > a && g.XFeld[s][b] > oben) --b;
        if (b - a >= 1) Kurve(g.XFeld[s] + a, g.YFeld[s] + a, b - a + 1, d == 1 ? 0x008000 : 0xFF0000);
    }
    char t[60] = "";
    GetDlgItemTextA(Z->dlg, 20, t, sizeof t);
    int px = 0, py = 0;
    if (Plotter.GetScreen(std::atof(t), 0.0, px, py)) {
        MarkerZeichnen(px);
        Z->marker = true;
        Z->markerX = px;
    }
}

// The picture: the curve over [unten, oben], with the model when wanted.
void Bild(double oben, double unten, bool mitFunktion)
{
    Z->marker = false;
    PlotIntoDialog(Z->vorschau, oben, unten, mitFunktion ? 1 : 0, PANE_GANZ);
    SkalaMerken();
    if (Z->modus == 6) Ableitungsbild(oben, unten);
}

// The current picture again (paint, activation).
void Neu()
{
    if (Z->fitGezeigt && Z->fitVorschau) {
        PlotXafsPreview(Z->dlg, Z->unten, Z->oben);
        SkalaMerken();
    } else {
        Bild(Z->oben, Z->unten, Z->fitGezeigt);
    }
}

// Extra curve over the last frame in a colour.
void Kurve(double* x, double* y, int32_t n, COLORREF farbe)
{
    if (n < 2) return;
    HDC dc = GetDC(Z->vorschau);
    const COLORREF alt = Plotter.PlotColor;
    Plotter.PlotColor = farbe;
    Plotter.SetFieldFunction(x, y, nullptr, nullptr, n);
    Plotter.PlotFieldFunction(dc, 1, 0, 0, n - 1);
    Plotter.PlotColor = alt;
    ReleaseDC(Z->vorschau, dc);
}

void Schreibe(double oben, double unten)
{
    Zahl(IDC_SB_OBEN, "%.8G", oben);
    Zahl(IDC_SB_UNTEN, "%.8G", unten);
}

void MarkerZeichnen(int x)
{
    HDC dc = GetDC(Z->vorschau);
    const int alt = SetROP2(dc, R2_NOT);
    MoveToEx(dc, x, Z->markerOben, nullptr);
    LineTo(dc, x, Z->markerUnten);
    SetROP2(dc, alt);
    ReleaseDC(Z->vorschau, dc);
}

void MarkerWeg()
{
    if (Z->marker) MarkerZeichnen(Z->markerX);
    Z->marker = false;
}

// Preview coordinates of a dialog point; false outside the picture.
bool DatenPunkt(LPARAM lParam, double* x, double* y, int* px, int* py)
{
    POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    MapWindowPoints(Z->dlg, Z->vorschau, &p, 1);
    *px = p.x;
    *py = p.y;
    SkalaSetzen();
    return Plotter.GetXYValue(*x, *y, p.x, p.y, 1, 0) != 0;
}

// ---- E0 (mode 6) ----

void Ableitungen6()
{
    grafik_fenster& g = G();
    const int32_t zaehler = g.KurvenZaehler, neuester = g.NeuesterZaehler;
    if (AbleitungsSpektrum(g)) g.SetCurveSlots(zaehler, std::max(neuester, zaehler + 2));
}

// The root of the second (or first) derivative in [a, b] of the spectrum
// smoothed as the derivative picture is, the search the replay makes.
bool Wurzel(double a, double b, bool erste, double* e0)
{
    return KantenSuche(G(), G().AktuellerSlot(), a, b, DW()[10], erste, e0) == 1;
}

void E0Vorschlag()
{
    grafik_fenster& g = G();
    DW()[10] = 3.0;
    Ableitungen6();
    Text(IDC_SB_SCHRITT, "3");
    const int32_t s1 = (g.KurvenZaehler + 1) & 3;
    const int32_t n = g.DateiInfo.PunkteProKurve[s1];
    if (n < 3) return;
    double best = -1e50, xMax = g.XFeld[s1][0];
    for (int32_t i = 0; i < n; ++i)
        if (g.YFeld[s1][i] > best) {
            best = g.YFeld[s1][i];
            xMax = g.XFeld[s1][i];
        }
    double e0 = xMax;
    if (!Wurzel(xMax - 0.002, xMax + 0.002, false, &e0)) {
        // No root of the second derivative beside the steepest rise: the
        // rise itself is proposed.
        e0 = xMax;
        Zeige(IDC_SB_ERGEBNIS, true);
        Text(IDC_SB_ERGEBNIS, "No root of the 2nd derivative near the\r\nlargest 1st derivative: E0 is proposed "
                              "at the largest 1st derivative.");
    }
    DW()[5] = -1.0;
    Zahl(IDC_SB_WERT2, "%.8G", e0);
    Z->unten = std::max(e0 - 0.03, Z->datenUnten);
    Z->oben = std::min(e0 + 0.04, Z->datenOben);
    Bild(Z->oben, Z->unten, false);
    POINT p{};
    if (SektionsPunkt(Z->dlg, e0, 0.0, &p)) {
        ClientToScreen(Z->dlg, &p);
        SetCursorPos(p.x, p.y);
    }
    Z->ersterPaint = false;
}

// ---- FEFF paths in the background fit (box 472) ----

bool MitFeff() { return Typ0() == TYP_SPLINE && G().AnzahlFunktionen > 1; }

void FeffBoxOeffnen()
{
    Aktiv(IDC_SB_FEFF, RRaum <= 0);
    CheckDlgButton(Z->dlg, IDC_SB_FEFF, MitFeff() ? BST_CHECKED : BST_UNCHECKED);
    if (MitFeff()) {
        // The paths' parameters follow the knots: their count stays.
        CheckDlgButton(Z->dlg, IDC_SB_AUTOSPLINE, BST_UNCHECKED);
        Aktiv(IDC_SB_AUTOSPLINE, false);
        Aktiv(IDC_SB_RRAUM, false);
    }
}

// The spline alone again.
void FeffAus(bool boxAus)
{
    if (boxAus) CheckDlgButton(Z->dlg, IDC_SB_FEFF, BST_UNCHECKED);
    MueXafsEntfernen();
    Zeige(IDC_SB_ERGEBNIS, false);
    CheckDlgButton(Z->dlg, IDC_SB_ERGEBNISSE, BST_UNCHECKED);
    Aktiv(IDC_SB_ERGEBNISSE, false);
    Aktiv(IDC_SB_RRAUM, true);
    Aktiv(IDC_SB_AUTOSPLINE, true);
    Text(IDC_SB_SCHRITT, "0.05");
}

void FeffBox()
{
    if (!Markiert(IDC_SB_FEFF)) {
        FeffAus(false);
        return;
    }
    Zeige(IDC_SB_ERGEBNIS, false);
    CheckDlgButton(Z->dlg, IDC_SB_ERGEBNISSE, BST_UNCHECKED);
    Aktiv(IDC_SB_RRAUM, false);
    CheckDlgButton(Z->dlg, IDC_SB_AUTOSPLINE, BST_UNCHECKED);
    Aktiv(IDC_SB_AUTOSPLINE, false);
    if (MueXafsHinzufuegen(Z->dlg) <= 0) {
        FeffAus(true);
        return;
    }
    Text(IDC_SB_SCHRITT, "0.1");
    FitFunctionCount = G().AnzahlFunktionen;
    Z->fitGezeigt = false;
}

// ---- opening ----

void Oeffnen(HWND dlg)
{
    Z->dlg = dlg;
    Z->vorschau = GetDlgItem(dlg, IDC_SB_VORSCHAU);
    grafik_fenster& g = G();
    FitFunctionCount = g.AnzahlFunktionen;
    FitFunctionTypes = g.FunktionsTypen;
    FitParameters = g.Parameter;
    FitPolyDegree = g.PolyGrad;
    Z->datenOben = g.Grenzen[0];
    Z->datenUnten = g.Grenzen[1];
    Z->schritt = KleinsterSchritt(g.GetXFeld(-1), g.Punkte());
    Z->oben = Z->datenOben;
    Z->unten = Z->datenUnten;
    VergleichR.clear();
    VergleichB.clear();
    Zeige(IDC_SB_SPIN, false);
    Zeige(IDC_SB_SPINTEXT, false);
    Zeige(IDC_SB_SCHRITT, false);
    CheckRadioButton(dlg, IDC_SB_RADIO1, IDC_SB_RADIO2, IDC_SB_RADIO1);
    // Grown to the screen, the preview takes the extra height; the other
    // controls move down with the dialog's lower edge.
    RECT vor{}, nach{};
    GetWindowRect(Z->vorschau, &vor);
    if (DialogToScreenSize(dlg)) {
        GetWindowRect(Z->vorschau, &nach);
        const int dh = (nach.bottom - nach.top) - (vor.bottom - vor.top);
        for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            if (c == Z->vorschau) continue;
            RECT r;
            GetWindowRect(c, &r);
            MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&r), 2);
            SetWindowPos(c, nullptr, r.left, r.top + dh, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        }
    }
    for (int id : {IDC_SB_TEXT1, IDC_SB_WERT1, IDC_SB_TEXT2, IDC_SB_WERT2, IDC_SB_FEFF, IDC_SB_AUTOSPLINE, IDC_SB_RRAUM,
                   IDC_SB_RWERT, IDC_SB_ERGEBNISSE, IDC_SB_ERGEBNIS})
        Zeige(id, false);
    const char* titel = "Choose Section";
    const char* fit = nullptr;
    const char* parameter = nullptr;
    const int32_t m = Z->modus;
    const bool spin = m == 4 || m == 5 || m == 6;
    switch (m) {
    case -1:
        titel = "set border for deglitching or step-removal";
        fit = "&Fit";
        parameter = HAUPTDATEN.MakroAufnahme ? nullptr : "&Deglitching";
        Text(IDC_SB_RADIO1, "Deglitching");
        Text(IDC_SB_RADIO2, "Step-removal");
        break;
    case 0: break;
    case 1: titel = "set window border"; break;
    case 2: titel = "set border for background fit", fit = "&Fit", parameter = "&Parameters"; break;
    case 3: titel = "set border for normalisation", fit = "&Fit"; break;
    case 4:
    case 5:
        titel = "set border for atomic absorption", fit = "mue_0-&Fit", parameter = "&Parameters";
        Zeige(IDC_SB_TEXT1, true), Zeige(IDC_SB_WERT1, true), Zeige(IDC_SB_TEXT2, true), Zeige(IDC_SB_WERT2, true);
        Text(IDC_SB_TEXT1, "  degree");
        Zahl(IDC_SB_WERT1, "%.0f", FitPolyDegree);
        Text(IDC_SB_TEXT2, "  k weight");
        Zahl(IDC_SB_WERT2, "%.8G", DW()[5]);
        Text(IDC_SB_SPINTEXT, "Step Fit");
        Text(IDC_SB_SCHRITT, "0.1");
        Zeige(IDC_SB_FEFF, true), Zeige(IDC_SB_ERGEBNISSE, true), Zeige(IDC_SB_RRAUM, true);
        Zeige(IDC_SB_RWERT, true);
        // "R space": the background fitted so that the transform of chi
        // vanishes below the distance in 650; Cancel restores the switch.
        Z->altRRaum = RRaum;
        Aktiv(IDC_SB_RRAUM, true);
        CheckDlgButton(dlg, IDC_SB_RRAUM, RRaum > 0 ? BST_CHECKED : BST_UNCHECKED);
        if (RRaum > 0) Aktiv(IDC_SB_FEFF, false);
        if (!g.Parameter || g.Parameter[SPLINE_MARKER_INDEX] != SPLINE_MARKER) {
            Zeige(IDC_SB_AUTOSPLINE, true);
            CheckDlgButton(dlg, IDC_SB_AUTOSPLINE, AutoSpline > 0 ? BST_CHECKED : BST_UNCHECKED);
        }
        Zahl(IDC_SB_RWERT, "%G", AutoSplineR);
        FeffBoxOeffnen();
        Zeige(IDC_SB_RADIO1, false), Zeige(IDC_SB_RADIO2, false);
        break;
    case 6:
        titel = "define E0 position (1.- und 2. derivative)", fit = "Root &2.Der", parameter = "Root &1.Der";
        Zeige(IDC_SB_TEXT2, true), Zeige(IDC_SB_WERT2, true);
        Text(IDC_SB_TEXT2, "E0-Value");
        Zahl(IDC_SB_WERT2, "%.8G", Z->datenUnten);
        Text(IDC_SB_SPINTEXT, " smoothing");
        Text(IDC_SB_SCHRITT, "1");
        Zeige(IDC_SB_RADIO1, false), Zeige(IDC_SB_RADIO2, false);
        DW()[3] = 0.0;
        break;
    case 7: titel = " set section for XAS refinement", fit = "&Victoreen-Fit", parameter = "&Parameters"; break;
    case 8:
        titel = " set border for two-polynomial-normalisation", fit = "&Fit", parameter = "&Parameters";
        Zeige(IDC_SB_TEXT1, true), Zeige(IDC_SB_WERT1, true), Zeige(IDC_SB_TEXT2, true), Zeige(IDC_SB_WERT2, true);
        Text(IDC_SB_TEXT1, " set 1st poly");
        Text(IDC_SB_WERT1, " not yet set");
        Text(IDC_SB_TEXT2, " set 2nd poly");
        Text(IDC_SB_WERT2, " not yet set");
        break;
    case 9: titel = "Set border for XAS refinement"; break;
    default: break;
    }
    if (m < -1 || m > 9) titel = "Choose Section";
    SetWindowTextA(dlg, titel);
    Zeige(IDC_SB_FIT, fit != nullptr);
    if (fit) Text(IDC_SB_FIT, fit);
    Zeige(IDC_SB_PARAMETER, parameter != nullptr);
    if (parameter) Text(IDC_SB_PARAMETER, parameter);
    if (m == -1 && HAUPTDATEN.MakroAufnahme) Zeige(IDC_SB_PARAMETER, false);
    Zeige(IDC_SB_SPIN, spin), Zeige(IDC_SB_SPINTEXT, spin), Zeige(IDC_SB_SCHRITT, spin);
    if (m == -1) {
        const int32_t n = g.Punkte();
        Z->kratzX.assign(n + 5, 0.0);
        Z->kratzY.assign(n + 5, 0.0);
    }
    if (m == 6 && !HAUPTDATEN.MakroAufnahme) E0Vorschlag();
    Schreibe(Z->oben, Z->unten);
    Text(IDC_SB_X, "");
    SetFocus(GetDlgItem(dlg, IDC_SB_UNTEN));
    Z->aktiv = 1;
    const int h = HAUPTDATEN.Schrifthoehen[0] > 0 ? HAUPTDATEN.Schrifthoehen[0] : 16;
    RECT r;
    GetClientRect(Z->vorschau, &r);
    Z->markerOben = h / 4;
    Z->markerUnten = r.bottom - (11 * h) / 4;
}

// ---- the buttons ----

bool Grenzen(double* o, double* u)
{
    if (GetBorderValues(Z->dlg, o, u)) return true;
    SetFocus(GetDlgItem(Z->dlg, IDC_SB_OBEN + Z->aktiv));
    return false;
}

// Polynomial through the shown range without the section (weight 0 there),
// for the deglitching.
bool DeglitchFit(double o, double u)
{
    double xmin = 0, xmax = 0;
    SkalaSetzen();
    Plotter.GetBorder(xmin, xmax);
    int32_t ba, bb, sa, sb;
    Indizes(xmin, xmax, &ba, &bb);
    Indizes(u, o, &sa, &sb);
    if (sa - ba <= 2 || bb - sb <= 2) return false;
    const double* x = G().GetXFeld(-1);
    const double* y = G().GetYFeld(-1);
    const int32_t n = bb - ba + 1;
    std::vector<double> w(n, 1.0);
    for (int32_t i = sa; i <= sb; ++i) w[i - ba] = 0.0;
    const int32_t grad = std::max(1, std::min(FitPolyDegree, 6));
    std::vector<double> c(grad + 1);
    std::vector<double> a(static_cast<size_t>(n) * (grad + 1));
    for (int32_t j = 0; j <= grad; ++j)
        for (int32_t i = 0; i < n; ++i) a[static_cast<size_t>(j) * n + i] = std::pow(x[ba + i] - x[ba], j);
    if (!LineareAusgleichung(a, n, grad + 1, y + ba, w.data(), c.data())) return false;
    Z->kratzLo = ba;
    for (int32_t i = 0; i < n; ++i) {
        Z->kratzX[i] = x[ba + i];
        Z->kratzY[i] = PolynomWert(c.data(), grad, x[ba + i] - x[ba]);
    }
    Z->kratzN = n;
    Bild(xmax, xmin, false);
    Kurve(Z->kratzX.data(), Z->kratzY.data(), n, GRUEN);
    return true;
}

void Knopf55()
{
    double o, u;
    if (!Grenzen(&o, &u)) return;
    const int32_t m = Z->modus;
    const int32_t typ = Typ0();
    if (m == -1) {
        if (Markiert(IDC_SB_RADIO2)) {
            double xmin = 0, xmax = 0;
            SkalaSetzen();
    Plotter.GetBorder(xmin, xmax);
            int32_t ba, bb, sa, sb;
            Indizes(xmin, xmax, &ba, &bb);
            Indizes(u, o, &sa, &sb);
            if (StufeEntfernen(G().GetYFeld(-1), G().Punkte(), ba, bb, sa, sb)) Bild(xmax, xmin, false);
        } else {
            DeglitchFit(o, u);
        }
        return;
    }
    if (m == 6) {
        double e0 = 0.0;
        if (Wurzel(u, o, false, &e0)) Zahl(IDC_SB_WERT2, "%.8G", e0);
        DW()[5] = -1.0;
        return;
    }
    if ((typ == TYP_POLYNOM && (m == 2 || m == 3 || m == 8)) || typ == TYP_VICTOREEN) {
        if (m != 8) {
            if (MueNullFitRechnen(u, o, FitPolyDegree + 1, nullptr, nullptr, nullptr, nullptr) <= 0) return;
        } else {
            const double e0 = G().DateiInfo.Koeffizienten[0];
            const bool zweites = o > e0;
            const int32_t grad = static_cast<int32_t>(DW()[zweites ? 4 : 3]);
            G().PolyGrad = FitPolyDegree = grad;
            if (MueNullFitRechnen(u, o, grad + 1, nullptr, nullptr, nullptr, nullptr) <= 0) return;
            double* p = G().Parameter;
            for (int32_t i = 0; i <= grad; ++i) p[(zweites ? 200 : 100) + i] = p[i];
            Text(zweites ? IDC_SB_WERT2 : IDC_SB_WERT1, "  valid");
            DW()[zweites ? 6 : 0] = u;
            DW()[zweites ? 7 : 1] = o;
        }
        Z->fitGezeigt = true;
        Z->fitVorschau = false;
        Bild(Z->datenOben, Z->datenUnten, true);
        return;
    }
    if (typ == TYP_SPLINE || (typ == TYP_POLYNOM && m == 4)) {
        Aktiv(IDC_SB_ZURUECK, true);
        AutoSplineR = Lies(Z->dlg, IDC_SB_RWERT);
        if (typ == TYP_SPLINE && IsWindowVisible(GetDlgItem(Z->dlg, IDC_SB_AUTOSPLINE)) && Markiert(IDC_SB_AUTOSPLINE)) {
            AutoSpline = 1;
            const int32_t n = AutoSplineAnzahl(o, u, AutoSplineR);
            SplineAnzahl = n;
            FitPolyDegree = G().PolyGrad = n;
            // The command evaluates the knots the preview fitted.
            DW()[3] = n;
            Zahl(IDC_SB_WERT1, "%.0f", n);
        } else {
            AutoSpline = -1;
        }
        // The preview fits as the command will.
        RRaum = Markiert(IDC_SB_RRAUM) ? 1 : -1;
        Z->unten = u;
        Z->oben = o;
        Z->fitGezeigt = true;
        Z->fitVorschau = true;
        PlotXafsPreview(Z->dlg, u, o);
        Z->neuZeichnen = true;
        if (MitFeff() && CommandText) {
            // The paths' results beside the picture.
            Text(IDC_SB_ERGEBNIS, CommandText);
            Aktiv(IDC_SB_ERGEBNISSE, true);
        }
    }
}

void Knopf56()
{
    const int32_t m = Z->modus;
    if (m == -1) {
        if (!Z->deglitch) {
            double o, u;
            if (!Grenzen(&o, &u) || !DeglitchFit(o, u)) return;
        }
        double o, u;
        if (!Grenzen(&o, &u)) return;
        int32_t sa, sb;
        Indizes(u, o, &sa, &sb);
        double* y = G().GetYFeld(-1);
        for (int32_t i = sa; i <= sb; ++i)
            if (i - Z->kratzLo >= 0 && i - Z->kratzLo < Z->kratzN) y[i] = Z->kratzY[i - Z->kratzLo];
        double xmin = 0, xmax = 0;
        SkalaSetzen();
    Plotter.GetBorder(xmin, xmax);
        Bild(xmax, xmin, false);
        Z->deglitch = true;
        return;
    }
    if (m == 2 || m == 4 || m == 8) {
        const int32_t alt = HilfeThema;
        HilfeThema = Typ0() == TYP_VICTOREEN ? 3 : m == 8 ? 7 : m == 4 ? 6 : 0;
        PolyGradDialogOeffnen(Z->dlg);
        HilfeThema = alt;
        FitPolyDegree = G().PolyGrad;
        Zahl(IDC_SB_WERT1, "%.0f", FitPolyDegree);
        if (m != 4) PostMessageA(Z->dlg, WM_COMMAND, IDC_SB_ZURUECK, 0);
        if (m == 8) {
            Text(IDC_SB_WERT1, " not yet set");
            Text(IDC_SB_WERT2, " not yet set");
        }
    } else if (m == 5) {
        const int32_t alt = HilfeThema;
        HilfeThema = 5;
        const bool layout = G().Parameter && G().Parameter[SPLINE_MARKER_INDEX] == SPLINE_MARKER;
        const int32_t r = layout ? AdSplineFitDialog() : SplineFitDialog();
        HilfeThema = alt;
        if (r >= 1 && r <= 40) {
            DW()[3] = r;
            FitPolyDegree = G().PolyGrad = r;
            Zahl(IDC_SB_WERT1, "%.0f", r);
        }
    } else if (m == 6) {
        double e0 = 0.0;
        if (Wurzel(Z->unten, Z->oben, true, &e0)) Zahl(IDC_SB_WERT2, "%.8G", e0);
        DW()[5] = 1.0;
        return;
    }
    if ((m == 2 || m == 4 || m == 5 || m == 8) && Markiert(IDC_SB_FEFF)) FeffAus(true);
    if (m == 4 || m == 5) {
        if (Z->neuZeichnen) {
            Z->neuZeichnen = false;
            Knopf55();
        }
        Text(IDC_SB_TEXT2, "  k weight");
        Zahl(IDC_SB_WERT2, "%.8G", DW()[5]);
    }
}

void Spin(int schritt)
{
    const int32_t m = Z->modus;
    if (m == 6) {
        const int s = static_cast<int>(Lies(Z->dlg, IDC_SB_SCHRITT)) + schritt;
        if (s < 1 || s > 20) return;
        Zahl(IDC_SB_SCHRITT, "%.0f", s);
        DW()[10] = s;
        Ableitungen6();
        Bild(Z->oben, Z->unten, false);
        return;
    }
    const int id = IDC_SB_OBEN + Z->aktiv;
    const double v = Lies(Z->dlg, id) + schritt * Lies(Z->dlg, IDC_SB_SCHRITT);
    if (v < Z->datenUnten || v > Z->datenOben) return;
    Zahl(id, "%G", v);
    Knopf55();
}

// The live section: the whole curve, the typed section's stretch in blue.
void LiveSektion()
{
    grafik_fenster& g = G();
    if (g.Punkte() >= 1500) return;
    double o, u;
    if (!GetBorderValues(Z->dlg, &o, &u)) return;
    int32_t a, b;
    Indizes(u, o, &a, &b);
    if (a < 3 && b >= g.Punkte() - 2) return;
    Bild(Z->datenOben, Z->datenUnten, false);
    Kurve(g.GetXFeld(-1) + a, g.GetYFeld(-1) + a, b - a + 1, BLAU);
}

bool Ok()
{
    const int32_t m = Z->modus;
    if (m == 8) {
        char a[20] = "", b[20] = "";
        GetDlgItemTextA(Z->dlg, IDC_SB_WERT1, a, sizeof a);
        GetDlgItemTextA(Z->dlg, IDC_SB_WERT2, b, sizeof b);
        if (a[2] != 'v' || b[2] != 'v') {
            MeldungsBox(Z->dlg, "Polynomials invalid! Set again.", "Caution!!", MB_OK | MB_ICONEXCLAMATION);
            return false;
        }
    }
    double o = Z->oben, u = Z->unten;
    const bool gueltig = GetBorderValues(Z->dlg, &o, &u) != 0;
    if (!gueltig && m != 6) {
        Z->beendet = true;
        EndDialog(Z->dlg, 0);
        return true;
    }
    if (m != 8) {
        DW()[0] = u;
        DW()[1] = o;
    }
    if (m == 6) DW()[2] = Lies(Z->dlg, IDC_SB_WERT2);
    else DW()[2] = Markiert(IDC_SB_RADIO2) ? 0.0 : 1.0;
    if (m == -1) {
        DW()[2] = Z->deglitch ? 10.0 : 0.0;
        SkalaSetzen();
        Plotter.GetBorder(DW()[3], DW()[4]);
    }
    if (m == 4 || m == 5) {
        AutoSpline = Markiert(IDC_SB_AUTOSPLINE) ? 1 : -1;
        RRaum = Markiert(IDC_SB_RRAUM) ? 1 : -1;
    }
    Z->beendet = true;
    EndDialog(Z->dlg, Z->fitGezeigt ? 10 : 1);
    return true;
}

void Angebot()
{
    const double* p = G().Parameter;
    if (!p) return;
    const double a = p[2000], b = p[2001];
    if (a > Z->datenUnten && a < Z->datenOben && b > Z->datenUnten && b < Z->datenOben && b > a) {
        Z->unten = a;
        Z->oben = b;
        Schreibe(b, a);
        SetFocus(GetDlgItem(Z->dlg, IDC_SB_OBEN + (1 - Z->aktiv)));
    }
}

void Befehl(WPARAM wParam)
{
    const int id = LOWORD(wParam), code = HIWORD(wParam);
    switch (id) {
    case IDC_SB_OBEN:
    case IDC_SB_UNTEN:
        if (code == EN_SETFOCUS) {
            Z->picks = true;
            Z->aktiv = id - IDC_SB_OBEN;
        } else if (code == EN_CHANGE) {
            Z->bearbeitet = true;
            Z->fitGezeigt = false;
        } else if (code == EN_KILLFOCUS) {
            Z->picks = false;
            if (GetFocus() != GetDlgItem(Z->dlg, IDOK) && Z->bearbeitet) LiveSektion();
        }
        return;
    case IDC_SB_ZEIGEN: {
        double o, u;
        if (!Grenzen(&o, &u)) return;
        Z->oben = o;
        Z->unten = u;
        Neu();
        Aktiv(IDC_SB_ZURUECK, true);
        Z->bearbeitet = false;
        return;
    }
    case IDC_SB_ZURUECK:
        Z->oben = Z->datenOben;
        Z->unten = Z->datenUnten;
        Schreibe(Z->oben, Z->unten);
        Z->fitGezeigt = false;
        Bild(Z->oben, Z->unten, false);
        Aktiv(IDC_SB_ZURUECK, false);
        return;
    case IDC_SB_FIT: Knopf55(); return;
    case IDC_SB_FEFF:
        if (code == BN_CLICKED) FeffBox();
        return;
    case IDC_SB_RRAUM:
        // FEFF paths join a background fitted in k space only.
        if (code == BN_CLICKED) Aktiv(IDC_SB_FEFF, !Markiert(IDC_SB_RRAUM));
        return;
    case IDC_SB_ERGEBNISSE:
        if (code == BN_CLICKED) Zeige(IDC_SB_ERGEBNIS, Markiert(IDC_SB_ERGEBNISSE));
        return;
    case IDC_SB_PARAMETER: Knopf56(); return;
    case CM_SB_ANGEBOT:
        if (Z->modus == 9 && !Z->angebot) {
            Z->angebot = true;
            Angebot();
        }
        return;
    case IDC_DLG_HELP: DialogHilfe(605); return;
    case IDOK: Ok(); return;
    case IDCANCEL:
        if (Z->modus == 4 || Z->modus == 5) RRaum = Z->altRRaum;
        Z->beendet = true;
        EndDialog(Z->dlg, 0);
        return;
    default: return;
    }
}

}  // namespace

int32_t GetBorderValues(HWND dlg, double* oben, double* unten)
{
    if (!Z) return 0;
    return SektionsGrenzen(Lies(dlg, IDC_SB_OBEN), Lies(dlg, IDC_SB_UNTEN), Z->datenOben, Z->datenUnten, Z->schritt,
                           oben, unten);
}

bool SektionsPunkt(HWND dlg, double x, double y, POINT* p)
{
    HWND v = GetDlgItem(dlg, IDC_SB_VORSCHAU);
    int px = 0, py = 0;
    if (!v || !Z) return false;
    SkalaSetzen();
    if (!Plotter.GetScreen(x, y, px, py)) return false;
    p->x = px;
    p->y = py;
    MapWindowPoints(v, dlg, p, 1);
    return true;
}

INT_PTR CALLBACK SetBorderProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!Z) return FALSE;
    switch (msg) {
    case WM_INITDIALOG:
        Oeffnen(dlg);
        return FALSE;
    case WM_PAINT:
    case WM_ACTIVATE:
        if (msg == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE) return FALSE;
        if (msg == WM_PAINT) {
            PAINTSTRUCT ps;
            BeginPaint(dlg, &ps);
            EndPaint(dlg, &ps);
        }
        Neu();
        if (msg == WM_PAINT && !Z->geantwortet) {
            Z->geantwortet = true;
            if (Z->modus == 9) PostMessageA(dlg, WM_COMMAND, CM_SB_ANGEBOT, 0);
            PostMessageA(dlg, WM_ANTWORT, 0, 0);
        }
        return TRUE;
    case WM_ANTWORT:
        if (SektionsAntwort) {
            const INT_PTR r = SektionsAntwort(dlg, Z->modus);
            if (Z && !Z->beendet) {
                Z->beendet = true;
                EndDialog(dlg, r);
            }
        }
        return TRUE;
    case WM_MOUSEMOVE: {
        double x, y;
        int px, py;
        if (!DatenPunkt(lParam, &x, &y, &px, &py) || !Z->picks) {
            MarkerWeg();
            return TRUE;
        }
        Zahl(IDC_SB_X, "%.8G", x);
        Zahl(IDC_SB_Y, "%.8G", y);
        MarkerWeg();
        MarkerZeichnen(px);
        Z->marker = true;
        Z->markerX = px;
        return TRUE;
    }
    case WM_LBUTTONUP: {
        double x, y;
        int px, py;
        if (!DatenPunkt(lParam, &x, &y, &px, &py) || !Z->picks) return TRUE;
        const int id = IDC_SB_OBEN + Z->aktiv;
        Zahl(id, "%.8G", x);
        double o, u;
        GetBorderValues(dlg, &o, &u);
        Z->fitGezeigt = false;
        // The next click sets the other border.
        Z->aktiv = 1 - Z->aktiv;
        SetFocus(GetDlgItem(dlg, IDC_SB_OBEN + Z->aktiv));
        Z->picks = true;
        return TRUE;
    }
    case WM_LBUTTONDBLCLK:
        if (Z->modus == 6) {
            char t[60] = "";
            GetDlgItemTextA(dlg, IDC_SB_X, t, sizeof t);
            SetDlgItemTextA(dlg, IDC_SB_WERT2, t);
        } else {
            PostMessageA(dlg, WM_COMMAND, IDC_SB_ZEIGEN, 0);
        }
        return TRUE;
    case WM_RBUTTONUP: {
        Z->aktiv = 1 - Z->aktiv;
        HWND e = GetDlgItem(dlg, IDC_SB_OBEN + Z->aktiv);
        SetFocus(e);
        SendMessageA(e, EM_SETSEL, 0, 0);
        return TRUE;
    }
    case WM_VSCROLL:
        if (reinterpret_cast<HWND>(lParam) == GetDlgItem(dlg, IDC_SB_SPIN)) {
            if (LOWORD(wParam) == SB_LINEUP) Spin(1);
            else if (LOWORD(wParam) == SB_LINEDOWN) Spin(-1);
        }
        return TRUE;
    case WM_COMMAND:
        Befehl(wParam);
        return TRUE;
    case WM_CLOSE:
        Z->beendet = true;
        EndDialog(dlg, 0);
        return TRUE;
    default: return FALSE;
    }
}

int32_t SektionsDialog(int32_t befehl)
{
    (void)befehl;
    // One section dialog at a time; a window with a curve to show.
    if (Z || AktivesFenster < 0 || AktivesFenster > 3 || GrafikFenster[AktivesFenster].Punkte() < 2) return 0;
    Zustand zustand;
    zustand.modus = HilfeThema;
    zustand.fenster = AktivesFenster;
    Z = &zustand;
    const INT_PTR r = DialogBoxParamA(GetModuleHandleA(nullptr), "SET_BORDER", HAUPTDATEN.Hauptfenster, SetBorderProc, 0);
    Z = nullptr;
    return r > 0 ? static_cast<int32_t>(r) : 0;
}

// ---- the background preview ----

namespace {

// A pane of the picture control drawn without clearing the others.
void Panel(HWND control, int32_t pane, double oben, double unten)
{
    grafik_fenster& g = GrafikFenster[AktivesFenster];
    RECT client, r;
    if (!GetClientRect(control, &client) || !DialogPane(pane, client.right, client.bottom, &r)) return;
    HDC dc = GetDC(control);
    HGDIOBJ alt = SelectObject(dc, GetStockObject(LTGRAY_BRUSH));
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
    Plotter.GraphDimension(r.left, r.top, r.right - r.left, r.bottom - r.top, HAUPTDATEN.Schriftbreiten[0],
                           HAUPTDATEN.Schrifthoehen[0]);
    Plotter.SetFieldFunction(g.GetXFeld(-1), g.GetYFeld(-1), nullptr, nullptr, g.Punkte());
    g.DrawFitView(dc, oben, unten, 0, 1);
    SelectObject(dc, alt);
    ReleaseDC(control, dc);
}

void ZusatzKurve(HWND control, double* x, double* y, int32_t n, COLORREF farbe)
{
    KurveDarueber(control, x, y, n, farbe);
}

}  // namespace

void PlotXafsPreview(HWND dlg, double von, double bis)
{
    if (AktivesFenster < 0 || AktivesFenster > 3) return;
    grafik_fenster& g = GrafikFenster[AktivesFenster];
    HWND control = GetDlgItem(dlg, IDC_SB_VORSCHAU);
    const int32_t s = g.AktuellerSlot();
    const int32_t n = g.Punkte();
    if (!control || n < 3 || !g.FunktionsTypen || !g.Parameter) return;
    if (von > bis) std::swap(von, bis);
    double* x = g.XFeld[s];
    double* y = g.YFeld[s];
    // The curve as it is: put back at the end.
    const std::vector<double> altX(x, x + n), altY(y, y + n);
    const uint32_t altFlags = g.KurvenFlags[s];
    const double w = HAUPTDATEN.DialogWerte[5];
    const int32_t typ = g.FunktionsTypen[0];

    // 1. the background over the section.
    std::vector<double> bx(n), mu0(n);
    // With FEFF paths: the fitted absorption, background times (1 + chi).
    std::vector<double> fx, fy;
    if (g.AnzahlFunktionen > 1) fx.resize(n), fy.resize(n);
    int32_t N = 0;
    if (typ == TYP_POLYNOM) {
        if (MueNullFitRechnen(von, bis, g.PolyGrad + 1, nullptr, nullptr, nullptr, nullptr) > 0)
            for (int32_t i = 0; i < n; ++i)
                if (x[i] >= von && x[i] <= bis) {
                    bx[N] = x[i];
                    mu0[N++] = PolynomWert(g.Parameter, g.PolyGrad, x[i]);
                }
    } else if (typ == TYP_SPLINE) {
        N = MueNullFitRechnen(von, bis, g.PolyGrad, bx.data(), mu0.data(), fx.data(), fy.data());
    }
    // 2. the curve with mu0 in green.
    std::snprintf(g.XText[s], GRAFIK_TEXT, "%s", "k [\xC5~{-1}]");
    std::snprintf(g.YText[s], GRAFIK_TEXT, "%s", "norm. absorption [a.u.]");
    PlotIntoDialog(control, bis, von, 0, PANE_OBEN_LINKS);
    ZusatzKurve(control, bx.data(), mu0.data(), N, GRUEN);
    if (!fy.empty() && N > 1) ZusatzKurve(control, fx.data(), fy.data(), N, BLAU);

    // 3. chi, weighted, 0 outside the section.
    std::vector<double> chi(n, 0.0);
    if (N >= 2) {
        std::vector<double> m0(n);
        NatuerlicherSpline(bx.data(), mu0.data(), N, x, m0.data(), n);
        for (int32_t i = 0; i < n; ++i)
            if (x[i] >= bx[0] && x[i] <= bx[N - 1]) {
                double c = m0[i] != 0.0 ? (y[i] - m0[i]) / m0[i] : 0.0;
                chi[i] = w != 0.0 ? KGewichtet(x[i], c, w) : c;
            }
    }
    double cmin = 0, cmax = 0;
    for (double c : chi) cmin = std::min(cmin, c), cmax = std::max(cmax, c);
    // 4. chi with its smooth guide.
    std::copy(chi.begin(), chi.end(), y);
    char t[40];
    std::snprintf(t, sizeof t, "^c(k)*k~%d", static_cast<int>(w + 0.2));
    std::snprintf(g.YText[s], GRAFIK_TEXT, "%s", t);
    Panel(control, PANE_UNTEN, bis, von);
    if (N >= 3) {
        std::vector<double> gx(x, x + n), gy(chi.begin(), chi.end());
        gx.resize(n + 5), gy.resize(n + 5);
        double* ax = Numerik.xField;
        double* ay = Numerik.yField;
        const int32_t an = Numerik.anzahl;
        Numerik.SetField(gx.data(), gy.data());
        Numerik.anzahl = n;
        const int32_t m = Numerik.Ausgleichsspline(n, 1000.0, 1, nullptr, n + 5);
        Numerik.SetField(ax, ay);
        Numerik.anzahl = an;
        if (m > 1) {
            double smin = gy[0], smax = gy[0];
            for (int32_t i = 0; i < m; ++i) smin = std::min(smin, gy[i]), smax = std::max(smax, gy[i]);
            const double f = smax > smin ? (cmax - cmin) / (smax - smin) : 0.0;
            for (int32_t i = 0; i < m; ++i) gy[i] = cmin + (gy[i] - smin) * f;
            ZusatzKurve(control, gx.data(), gy.data(), m, BLAU);
        }
    }
    // 5.-7. |FT|, its real part in green and the previous |FT| in blue.
    std::vector<double> r, b, re;
    const int32_t m = VorschauTransform(Numerik, altX.data(), chi.data(), n, von, bis, w, ExafsOptionen.KPunkte,
                                        ExafsOptionen.RSchritt, ExafsOptionen.MaxR, &r, &b, &g.FTFenster, &re);
    if (m > 1 && m <= g.FeldGroesse()) {
        std::copy(r.begin(), r.end(), x);
        std::copy(b.begin(), b.end(), y);
        g.DateiInfo.PunkteProKurve[s] = m;
        g.KurvenFlags[s] = 0;
        std::snprintf(t, sizeof t, "FT(^c(k)*k~%d)", static_cast<int>(w + 0.2));
        std::snprintf(g.YText[s], GRAFIK_TEXT, "%s", t);
        std::snprintf(g.XText[s], GRAFIK_TEXT, "%s", "R [\xC5]");
        g.SetFullBorder();
        Panel(control, PANE_OBEN_RECHTS, r.back(), r.front());
        ZusatzKurve(control, r.data(), re.data(), m, GRUEN);
        if (VergleichR.size() > 1)
            ZusatzKurve(control, VergleichR.data(), VergleichB.data(), static_cast<int32_t>(VergleichR.size()), BLAU);
        VergleichR = r;
        VergleichB = b;
    }
    // 8. the curve as it was.
    std::copy(altX.begin(), altX.end(), x);
    std::copy(altY.begin(), altY.end(), y);
    g.DateiInfo.PunkteProKurve[s] = n;
    g.KurvenFlags[s] = altFlags;
    g.SetFullBorder();
    std::snprintf(g.XText[s], GRAFIK_TEXT, "%s", "k [\xC5~{-1}]");
    std::snprintf(g.YText[s], GRAFIK_TEXT, "%s", "norm. absorption [a.u.]");
}
