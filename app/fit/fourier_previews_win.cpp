// The two previews of the Fourier dialog: SHOWWINDOW draws the current
// curve with the window function and the windowed curve, WEIGHTFT the
// transforms of the current chi(k) with three k weights. Both leave the
// graphic window's curve, flags, k weight and texts as they found them.
#include "fit/fourier_transform_win.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "fit/exafs_terms.h"
#include "fit/fourier_transform.h"
#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/dialog_plot_win.h"
#include "spectra/spectra_globals.h"
#include "xas/xas_entries.h"

FT_VORSCHAU FtVorschau;

namespace {

const COLORREF BLAU = RGB(0, 0, 255), GRUEN = RGB(0, 255, 0), MAGENTA = RGB(255, 0, 255);
const int32_t GEWICHT_HILFE = 559;

// ---- SHOWWINDOW ----

struct FENSTER_VORSCHAU {
    int32_t Fenster = -1;
    HWND Flaeche = nullptr;
    int32_t N = 0;
    double* X = nullptr;
    double* Y = nullptr;
    std::vector<double> W, V;
};
FENSTER_VORSCHAU FV;

// W := the window itself over the curve's abscissae (1 everywhere for no
// window), V := W * y.
void FensterWerte(double beta)
{
    const double* dw = HAUPTDATEN.DialogWerte;
    const int32_t typ = static_cast<int32_t>(std::floor(dw[2] + 0.2));
    FV.W.assign(FV.N + 5, typ == 0 ? 1.0 : 0.0);
    FV.V.assign(FV.N + 5, 0.0);
    if (typ != 0) {
        double* altX = Numerik.xField;
        double* altY = Numerik.yField;
        const int32_t altN = Numerik.anzahl;
        Numerik.SetField(FV.X, FV.Y);
        Numerik.anzahl = FV.N;
        Numerik.Windowfunction(1000, FV.W.data(), nullptr, typ, dw[4], dw[3], beta);
        Numerik.SetField(altX, altY);
        Numerik.anzahl = altN;
    }
    for (int32_t i = 0; i < FV.N; ++i) FV.V[i] = FV.W[i] * FV.Y[i];
}

double Feld(HWND dlg, int id)
{
    char text[64] = "";
    GetDlgItemTextA(dlg, id, text, sizeof text);
    return std::atof(text);
}

// ---- WEIGHTFT ----

int32_t Gewicht(HWND dlg, int id) { return static_cast<int32_t>(GetDlgItemInt(dlg, id, nullptr, TRUE)); }

// The current slot of g as it stood before a preview, put back afterwards
// byte for byte.
struct SLOT_SICHERUNG {
    int32_t Zaehler, Neuester, Punkte;
    uint32_t Flags;
    double KGewicht, SlotKGewicht, Grenzen[2];
    std::vector<double> X, Y;
    char XText[GRAFIK_TEXT], YText[GRAFIK_TEXT];

    explicit SLOT_SICHERUNG(grafik_fenster& g)
    {
        Zaehler = g.KurvenZaehler;
        Neuester = g.NeuesterZaehler;
        Punkte = g.Punkte();
        const int32_t s = g.AktuellerSlot();
        Flags = g.KurvenFlags[s];
        KGewicht = g.KGewicht;
        SlotKGewicht = g.SlotKGewicht[s];
        Grenzen[0] = g.Grenzen[0];
        Grenzen[1] = g.Grenzen[1];
        const int32_t m = std::min(2 * Punkte + 2, g.FeldGroesse());
        X.assign(g.GetXFeld(s), g.GetXFeld(s) + m);
        Y.assign(g.GetYFeld(s), g.GetYFeld(s) + m);
        g.GetGrafikTexte(XText, YText, nullptr, nullptr);
    }
    void Zurueck(grafik_fenster& g) const
    {
        g.KurvenZaehler = Zaehler;
        g.NeuesterZaehler = Neuester;
        const int32_t s = g.AktuellerSlot();
        std::copy(X.begin(), X.end(), g.GetXFeld(s));
        std::copy(Y.begin(), Y.end(), g.GetYFeld(s));
        g.DateiInfo.PunkteProKurve[s] = Punkte;
        g.KurvenFlags[s] = Flags;
        g.KGewicht = KGewicht;
        g.SlotKGewicht[s] = SlotKGewicht;
        g.SetGrafikTexte(XText, YText, nullptr, nullptr);
        g.Grenzen[0] = Grenzen[0];
        g.Grenzen[1] = Grenzen[1];
    }
};

// Puts (x, y) as the window's current curve; with gespiegelt -y as its
// imaginary part, so that the frame takes in the imaginary part drawn
// over it.
void AlsKurve(grafik_fenster& g, const std::vector<double>& x, const std::vector<double>& y, bool gespiegelt)
{
    const int32_t s = g.AktuellerSlot();
    const int32_t m = std::min(static_cast<int32_t>(x.size()), (g.FeldGroesse() - 2) / 2);
    double* gx = g.GetXFeld(s);
    double* gy = g.GetYFeld(s);
    std::copy(x.begin(), x.begin() + m, gx);
    std::copy(y.begin(), y.begin() + m, gy);
    g.KurvenFlags[s] = 0;
    if (gespiegelt && m > 0) {
        gx[m] = gx[m - 1];
        gy[m] = gy[m - 1];
        for (int32_t j = 0; j < m; ++j) {
            gx[m + 1 + j] = gx[j];
            gy[m + 1 + j] = -gy[j];
        }
        g.KurvenFlags[s] = SLOT_KOMPLEX;
    }
    g.DateiInfo.PunkteProKurve[s] = m;
    g.SetFullBorder();
}

// Moves the controls below the drawing area down by dh pixels (the area
// has grown by as much).
void UntereNachUnten(HWND dlg, HWND flaeche, LONG unterkante, int32_t dh)
{
    for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (c == flaeche) continue;
        RECT r;
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&r), 2);
        if (r.top >= unterkante) SetWindowPos(c, nullptr, r.left, r.top + dh, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
}

void Kurvenfarbe(grafik_fenster& g, COLORREF farbe) { Plotter.PlotColor = farbe; g.Paintinfo.PlotColor = farbe; }

}  // namespace

int32_t haupt_fenster::DrawWindowFunction(HWND control, double von, double bis, double* W, double* V)
{
    (void)V;
    if (!control || FV.Fenster < 0 || FV.N < 1) return 1;
    grafik_fenster& g = GrafikFenster[FV.Fenster];
    BearbeitetePaintinfo = &g.Paintinfo;
    Plotter.SetPaintinfo(&g.Paintinfo);
    InvalidateRect(control, nullptr, TRUE);
    UpdateWindow(control);
    HDC dc = GetDC(control);
    RECT r;
    GetClientRect(control, &r);
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    FT_FENSTER_BILD bild = FtFensterBild(FV.X, FV.Y, W, FV.N, von, bis);
    Plotter.GraphDimension(0, 0, r.right, r.bottom, Schriftbreiten[0], Schrifthoehen[0]);
    Plotter.SetBorder(von, bis);
    Plotter.SetMinMax(bild.YUnten, bild.YOben);
    Plotter.SetFieldFunction(FV.X, bild.D.data(), nullptr, nullptr, FV.N);
    Plotter.PlotFrame(dc, 1, 0, 0);
    Plotter.PlotFieldFunction(dc, 1, 0, 0, FV.N - 1);
    ReleaseDC(control, dc);
    const int32_t stil = Plotter.PlotPenStyle;
    Plotter.PlotPenStyle = 2;
    KurveDarueber(control, FV.X, W, FV.N, BLAU);
    KurveDarueber(control, FV.X, bild.V.data(), FV.N, GRUEN);
    Plotter.PlotPenStyle = stil;
    Plotter.SetPaintinfo(&g.Paintinfo);
    return 1;
}

INT_PTR CALLBACK ShowWindowProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    double* dw = HAUPTDATEN.DialogWerte;
    switch (msg) {
    case WM_INITDIALOG: {
        FV = FENSTER_VORSCHAU{};
        if (AktivesFenster < 0 || AktivesFenster > 3) {
            EndDialog(dlg, 1);
            return TRUE;
        }
        grafik_fenster& g = GrafikFenster[AktivesFenster];
        FV.Fenster = AktivesFenster;
        FV.Flaeche = GetDlgItem(dlg, IDC_FTV_FLAECHE);
        FV.N = g.Punkte();
        FV.X = g.GetXFeld(-1);
        FV.Y = g.GetYFeld(-1);
        CenterDialog(dlg);
        ZeigeDialogZahl(dlg, IDC_FT_VON, dw[3], "%G");
        ZeigeDialogZahl(dlg, IDC_FT_BIS, dw[4], "%G");
        ZeigeDialogZahl(dlg, IDC_FT_PARAMETER, dw[5], "%G");
        char name[32] = "";
        LoadStringA(ProgrammModul(), IDS_FT_FENSTER + static_cast<int>(std::floor(dw[2] + 0.2)), name, 31);
        SetDlgItemTextA(dlg, IDC_FTV_FENSTER_NAME, name);
        EnableWindow(GetDlgItem(dlg, IDC_FT_PARAMETER), TRUE);
        FensterWerte(dw[5]);
        return TRUE;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(dlg, &ps);
        EndPaint(dlg, &ps);
        if (FV.Flaeche) HAUPTDATEN.DrawWindowFunction(FV.Flaeche, dw[3], dw[4], FV.W.data(), FV.V.data());
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_FTV_ZEIGEN:
            FensterWerte(Feld(dlg, IDC_FT_PARAMETER));
            HAUPTDATEN.DrawWindowFunction(FV.Flaeche, dw[3], dw[4], FV.W.data(), FV.V.data());
            return TRUE;
        case IDOK:
        case IDCANCEL:
            dw[5] = Feld(dlg, IDC_FT_PARAMETER);
            FV = FENSTER_VORSCHAU{};
            EndDialog(dlg, 1);
            return TRUE;
        }
        return FALSE;
    default: return FALSE;
    }
}

void haupt_fenster::DrawWeightFT(HWND dialog, int32_t w1, int32_t w2, int32_t w3)
{
    HWND control = GetDlgItem(dialog, IDC_FTV_FLAECHE);
    if (!control || AktivesFenster < 0 || AktivesFenster > 3) return;
    grafik_fenster& g = GrafikFenster[AktivesFenster];
    if (g.Punkte() < 4) return;
    const SLOT_SICHERUNG alt(g);
    const COLORREF farbe = g.Paintinfo.PlotColor;

    FT_PHASE phase;
    const FT_PHASE* mitPhase = nullptr;
    if (FtVorschau.Phase) {
        NichtVerfuegbarVergessen();
        if (ExafsFitVorbereiten(1, 0) == 0) {
            FtVorschau.Phase = 0;
        } else if (PhasenTabellen[0]) {
            phase = FT_PHASE{g.GetXFeld(-1), PhasenTabellen[0], AmplitudenTabellen[0], g.Punkte()};
            mitPhase = &phase;
        }
    }
    const int32_t s = g.AktuellerSlot();
    FT_KURVE k;
    k.x.assign(g.GetXFeld(s), g.GetXFeld(s) + g.Punkte());
    k.y.assign(g.GetYFeld(s), g.GetYFeld(s) + g.Punkte());
    // The preview starts from chi(k) without weight.
    FtKGewichten(k, (g.KurvenFlags[s] & SLOT_K_GEWICHTET) != 0, g.KGewicht, 0.0);
    const double lo = g.Grenzen[1], hi = g.Grenzen[0];

    const int32_t gewichte[3] = {w1, w2, w3};
    FT_KURVE betrag[3];
    for (int32_t p = 0; p < 3; ++p) {
        if (!FtGewichtVorschau(Numerik, k, lo, hi, FtVorschau.Fenster, gewichte[p], ExafsOptionen.KPunkte,
                               ExafsOptionen.RSchritt, ExafsOptionen.MaxR, mitPhase, betrag[p])) {
            alt.Zurueck(g);
            return;
        }
    }
    char text[80];
    for (int32_t p = 0; p < 3; ++p) {
        AlsKurve(g, betrag[p].x, betrag[p].y, true);
        std::snprintf(text, sizeof text, "FT(^c(k)*k~%d)", gewichte[p]);
        g.SetGrafikTexte("R [\xC5]", text, nullptr, nullptr);
        Kurvenfarbe(g, p == 0 ? farbe : (p == 1 ? BLAU : MAGENTA));
        const double oben = betrag[p].x.back(), unten = betrag[p].x.front();
        if (p == 0)
            PlotIntoDialog(control, oben, unten, 0, PANE_OBEN_LINKS + p);
        else
            PlotIntoDialogPane(control, oben, unten, 0, PANE_OBEN_LINKS + p);
        Kurvenfarbe(g, farbe);
        KurveDarueber(control, betrag[p].x.data(), betrag[p].im.data(), betrag[p].Punkte(), GRUEN);
    }
    // The three magnitudes in one panel, the higher weights scaled down;
    // the frame takes in all three.
    std::vector<double> skaliert[3];
    double oben = 0.0;
    for (int32_t p = 0; p < 3; ++p) {
        skaliert[p] = betrag[p].y;
        const double teiler = p == 0 ? 1.0 : FtVergleichsTeiler(w1, gewichte[p]);
        for (double& v : skaliert[p]) {
            v /= teiler;
            oben = std::max(oben, v);
        }
    }
    for (int32_t p = 0; p < 3; ++p) {
        std::vector<double>& y = skaliert[p];
        if (p == 0) {
            AlsKurve(g, betrag[0].x, y, false);
            std::snprintf(text, sizeof text, "FT(^c(k)*k~{%d, %d, %d})", w1, w2, w3);
            g.SetGrafikTexte("R [\xC5]", text, nullptr, nullptr);
            const ZOOM_ZUSTAND zoom = g.Zoom;
            g.Zoom.Aktiv = 1;
            g.Zoom.YUnten = 0.0;
            g.Zoom.YOben = oben > 0.0 ? 1.05 * oben : 1.0;
            PlotIntoDialogPane(control, betrag[0].x.back(), betrag[0].x.front(), 0, PANE_UNTEN_RECHTS);
            g.Zoom = zoom;
        } else {
            KurveDarueber(control, betrag[p].x.data(), y.data(), betrag[p].Punkte(), p == 1 ? BLAU : MAGENTA);
        }
    }
    alt.Zurueck(g);
    Plotter.PlotColor = farbe;
}

INT_PTR CALLBACK WeightFTProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        SetDlgItemTextA(dlg, IDC_FTV_K1, "1");
        SetDlgItemTextA(dlg, IDC_FTV_K2, "2");
        SetDlgItemTextA(dlg, IDC_FTV_K3, "3");
        if (HWND flaeche = GetDlgItem(dlg, IDC_FTV_FLAECHE)) {
            RECT vor, nach;
            GetWindowRect(flaeche, &vor);
            MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&vor), 2);
            if (DialogToScreenSize(dlg)) {
                GetWindowRect(flaeche, &nach);
                UntereNachUnten(dlg, flaeche, vor.bottom, (nach.bottom - nach.top) - (vor.bottom - vor.top));
            }
        }
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(dlg, &ps);
        EndPaint(dlg, &ps);
        HAUPTDATEN.DrawWeightFT(dlg, 1, 2, 3);
        return TRUE;
    }
    case WM_LBUTTONUP: {
        RECT r;
        GetClientRect(dlg, &r);
        EndDialog(dlg, FtGewichtVonKlick(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)),
                                         r.right, r.bottom, Gewicht(dlg, IDC_FTV_K1), Gewicht(dlg, IDC_FTV_K2),
                                         Gewicht(dlg, IDC_FTV_K3)));
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_FTV_ZEIGEN:
            HAUPTDATEN.DrawWeightFT(dlg, Gewicht(dlg, IDC_FTV_K1), Gewicht(dlg, IDC_FTV_K2), Gewicht(dlg, IDC_FTV_K3));
            return TRUE;
        case IDOK:
        case IDCANCEL: EndDialog(dlg, -1); return TRUE;
        case IDC_DLG_HELP: DialogHilfe(GEWICHT_HILFE); return TRUE;
        }
        return FALSE;
    default: return FALSE;
    }
}
