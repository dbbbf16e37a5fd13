// XAFSINONE (852): one button per reduction step. Each button puts the
// result of the step before it back into the window, runs the ordinary
// command with its own dialogs through the dispatcher, shows the values the
// command used and keeps its curve; the background, atomic-absorption and
// transform results are drawn into the three panes.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/haupt_fenster.h"
#include "shell/options_file.h"
#include "shell/shell_globals.h"
#include "spectra/dialog_plot_win.h"
#include "spectra/spectra_globals.h"
#include "xas/xafs_in_one.h"
#include "xas/xafs_in_one_win.h"
#include "xas/xas_entries.h"

namespace {

const int KNOEPFE[XIO_SCHRITTE] = {IDC_XIO_KALIBRIERUNG, IDC_XIO_UNTERGRUND, IDC_XIO_KRAUM, IDC_XIO_ATOMAR,
                                   IDC_XIO_FOURIER};

// An edit filled from DialogWerte after a step.
struct FELD {
    int Id;
    int Index;
    bool Ganz;
};
const std::vector<FELD> FELDER[XIO_SCHRITTE] = {
    {{IDC_XIO_KAL_EXP, 0, false}, {IDC_XIO_KAL_TAB, 1, false}, {IDC_XIO_KAL_VON, 2, false},
     {IDC_XIO_KAL_BIS, 3, false}, {IDC_XIO_KAL_GLATT, 4, true}},
    {{IDC_XIO_UG_VON1, 0, false}, {IDC_XIO_UG_BIS1, 1, false}, {IDC_XIO_UG_VON2, 6, false},
     {IDC_XIO_UG_BIS2, 7, false}, {IDC_XIO_UG_POLY1, 3, true}, {IDC_XIO_UG_POLY2, 4, true}},
    {{IDC_XIO_K_E0, 0, false}, {IDC_XIO_K_VON, 1, false}, {IDC_XIO_K_BIS, 2, false}, {IDC_XIO_K_GLATT, 4, true}},
    {{IDC_XIO_AA_VON, 0, false}, {IDC_XIO_AA_BIS, 1, false}, {IDC_XIO_AA_SPLINES, 3, false},
     {IDC_XIO_AA_KGEWICHT, 5, false}},
    {},
};

// The kept results outlive the dialog (see XioOeffnen).
XIO_STAND Stand;
// What each kept curve showed besides its points.
struct ZUSATZ {
    uint32_t Flags = 0;
    std::string XText, YText;
};
ZUSATZ Zusatz[XIO_SCHRITTE];

struct OFFEN {
    int32_t Fenster = -1;
    uint32_t Schritte = 0;
    bool Laeuft = false;    // a step's command (and its dialogs) is running
};
OFFEN Z;

double* DW() { return HAUPTDATEN.DialogWerte; }

grafik_fenster* Fenster()
{
    if (Z.Fenster < 0 || Z.Fenster > 3 || !HAUPTDATEN.GrafikHandles[Z.Fenster]) return nullptr;
    grafik_fenster& g = GrafikFenster[Z.Fenster];
    return g.GetXFeld(-1) ? &g : nullptr;
}

void Zahl(HWND dlg, int id, double v, bool ganz)
{
    char t[64];
    if (ganz)
        std::snprintf(t, sizeof t, "%d", static_cast<int>(v));
    else
        std::snprintf(t, sizeof t, "%.6G", v);
    SetDlgItemTextA(dlg, id, t);
}

void Knoepfe(HWND dlg)
{
    for (int s = 0; s < XIO_SCHRITTE; ++s) EnableWindow(GetDlgItem(dlg, KNOEPFE[s]), (Z.Schritte >> s) & 1u);
}

// A curve into the window's current slot (the arrays grow to it).
bool Einsetzen(grafik_fenster& g, const std::vector<double>& x, const std::vector<double>& y, uint32_t flags)
{
    const int32_t n = static_cast<int32_t>(x.size());
    if (n < 1 || y.size() != x.size()) return false;
    if (n > g.FeldGroesse() && g.ResizeFelder(n) != 1) return false;
    const int32_t s = g.AktuellerSlot();
    std::memcpy(g.XFeld[s], x.data(), x.size() * sizeof(double));
    std::memcpy(g.YFeld[s], y.data(), y.size() * sizeof(double));
    g.DateiInfo.PunkteProKurve[s] = n;
    g.KurvenFlags[s] = flags & ~SLOT_KOMPLEX;
    return true;
}

bool KurveZurueck(grafik_fenster& g, int32_t schritt)
{
    const XIO_KURVE& k = Stand.Ergebnis[schritt];
    if (!Einsetzen(g, k.x, k.y, Zusatz[schritt].Flags)) return false;
    const int32_t s = g.AktuellerSlot();
    std::snprintf(g.XText[s], GRAFIK_TEXT, "%s", Zusatz[schritt].XText.c_str());
    std::snprintf(g.YText[s], GRAFIK_TEXT, "%s", Zusatz[schritt].YText.c_str());
    return true;
}

// Draws a kept result into a pane between lower and upper, with the
// window's current curve as before afterwards.
void Pane(HWND dlg, int id, int32_t schritt, double unten, double oben)
{
    grafik_fenster* pg = Fenster();
    if (!pg || !Stand.Ergebnis[schritt].Da) return;
    grafik_fenster& g = *pg;
    const int32_t s = g.AktuellerSlot(), n = g.Punkte();
    if (n < 0 || n > g.FeldGroesse()) return;
    // A complex slot keeps its imaginary part behind the real one.
    const size_t laenge = (g.KurvenFlags[s] & SLOT_KOMPLEX) && 2 * n + 1 <= g.FeldGroesse() ? 2 * n + 1 : n;
    const std::vector<double> x(g.XFeld[s], g.XFeld[s] + laenge), y(g.YFeld[s], g.YFeld[s] + laenge);
    const uint32_t flags = g.KurvenFlags[s];
    const int32_t aktiv = AktivesFenster;
    AktivesFenster = Z.Fenster;
    if (KurveZurueck(g, schritt)) PlotIntoDialog(GetDlgItem(dlg, id), oben, unten, 0, PANE_GANZ);
    AktivesFenster = aktiv;
    std::memcpy(g.XFeld[s], x.data(), x.size() * sizeof(double));
    std::memcpy(g.YFeld[s], y.data(), y.size() * sizeof(double));
    g.DateiInfo.PunkteProKurve[s] = n;
    g.KurvenFlags[s] = flags;
}

void Malen(HWND dlg)
{
    // While a step's own dialogs are open the window's slots are theirs.
    if (Z.Laeuft) return;
    Pane(dlg, IDC_XIO_PANE_UNTERGRUND, XIO_UNTERGRUND, DialogZahl(dlg, IDC_XIO_UG_VON1),
         DialogZahl(dlg, IDC_XIO_UG_BIS2));
    Pane(dlg, IDC_XIO_PANE_ATOMAR, XIO_ATOMAR, DialogZahl(dlg, IDC_XIO_AA_VON), DialogZahl(dlg, IDC_XIO_AA_BIS));
    Pane(dlg, IDC_XIO_PANE_FT, XIO_FOURIER, 0.0, ExafsOptionen.MaxR);
}

void FelderFuellen(HWND dlg, int32_t schritt)
{
    for (const FELD& f : FELDER[schritt]) Zahl(dlg, f.Id, DW()[f.Index], f.Ganz);
    if (schritt == XIO_KALIBRIERUNG) {
        SetzeDialogKreuz(dlg, IDC_XIO_KAL_ERSTE, DW()[5] > 0.0);
        SetzeDialogKreuz(dlg, IDC_XIO_KAL_ZWEITE, !(DW()[5] > 0.0));
    } else if (schritt == XIO_KRAUM) {
        SetzeDialogKreuz(dlg, IDC_XIO_K_ERSTE, DW()[5] > 0.0);
        SetzeDialogKreuz(dlg, IDC_XIO_K_ZWEITE, !(DW()[5] > 0.0));
    } else if (schritt == XIO_ATOMAR) {
        // The transform group proposes the range and weight of the fit.
        if (DialogText(dlg, IDC_XIO_FT_VON).empty()) Zahl(dlg, IDC_XIO_FT_VON, DW()[0], false);
        if (DialogText(dlg, IDC_XIO_FT_BIS).empty()) Zahl(dlg, IDC_XIO_FT_BIS, DW()[1], false);
        if (DialogText(dlg, IDC_XIO_FT_KGEWICHT).empty()) Zahl(dlg, IDC_XIO_FT_KGEWICHT, DW()[5], false);
    }
}

void Schritt(HWND dlg, int32_t schritt)
{
    grafik_fenster* pg = Fenster();
    if (!pg) return;
    grafik_fenster& g = *pg;
    if (XioStart(Stand, schritt)) {
        if (!KurveZurueck(g, schritt - 1)) return;
        g.SetFullBorder();
    }
    haupt_fenster* app = &HAUPTDATEN;
    BringWindowToTop(app->GrafikHandles[Z.Fenster]);
    AktivesFenster = Z.Fenster;
    const int32_t vorher = g.KurvenZaehler;
    FehlerCode = 0;
    LPARAM lParam = 0;
    if (schritt == XIO_FOURIER) {
        // The transform runs on the values of its group, without a dialog.
        std::memset(app->DialogWerte, 0, sizeof app->DialogWerte);
        DW()[0] = 1.0;
        DW()[2] = DialogZahl(dlg, IDC_XIO_FT_FENSTER);
        DW()[3] = DialogZahl(dlg, IDC_XIO_FT_VON);
        DW()[4] = DialogZahl(dlg, IDC_XIO_FT_BIS);
        DW()[5] = DialogZahl(dlg, IDC_XIO_FT_BETA);
        DW()[6] = DialogZahl(dlg, IDC_XIO_FT_KGEWICHT);
        DW()[10] = -1.0;
        lParam = LP_PREPARED;
    }
    SetMainCommand(app, WM_COMMAND, static_cast<WPARAM>(XioBefehl(schritt)), lParam);
    Z.Laeuft = true;
    app->MenueBefehl();
    Z.Laeuft = false;
    // Only a new slot without an error is a result.
    const bool gelungen = g.KurvenZaehler != vorher && FehlerCode == 0 && g.Punkte() > 0 &&
                          g.Punkte() <= g.FeldGroesse();
    if (!gelungen) return;
    FelderFuellen(dlg, schritt);
    const int32_t s = g.AktuellerSlot(), n = g.Punkte();
    std::vector<double> y(g.YFeld[s], g.YFeld[s] + n);
    if (schritt == XIO_FOURIER) {
        if (!(g.KurvenFlags[s] & SLOT_KOMPLEX) || 2 * n + 1 > g.FeldGroesse()) return;
        XioBetrag(g.YFeld[s], n, &y);
    }
    Z.Schritte = XioNachSchritt(&Stand, schritt, true, g.XFeld[s], y.data(), n, Z.Schritte);
    Zusatz[schritt].Flags = schritt == XIO_FOURIER ? 0u : g.KurvenFlags[s];
    Zusatz[schritt].XText = g.XText[s];
    Zusatz[schritt].YText = schritt == XIO_FOURIER ? std::string("|FT|") : std::string(g.YText[s]);
    Knoepfe(dlg);
    InvalidateRect(dlg, nullptr, TRUE);
}

}  // namespace

INT_PTR CALLBACK XafsInOneProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG: {
        CenterDialog(dlg);
        Z = OFFEN{};
        Z.Fenster = AktivesFenster;
        grafik_fenster* pg = Fenster();
        const std::string datei =
            pg ? std::string(pg->DateiInfo.Ordner) + pg->DateiInfo.DateiName : std::string();
        Z.Schritte = pg ? XioOeffnen(&Stand, Z.Fenster, datei, pg->DateiInfo.Spalten) : 0u;
        Knoepfe(dlg);
        EnableWindow(GetDlgItem(dlg, IDC_XIO_PROFILE), FALSE);
        EnableWindow(GetDlgItem(dlg, IDC_XIO_PROFIL_SPEICHERN), FALSE);
        SetDlgItemTextA(dlg, IDC_XIO_FT_FENSTER, "5");
        SetDlgItemTextA(dlg, IDC_XIO_FT_BETA, "1");
        return TRUE;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(dlg, &ps);
        EndPaint(dlg, &ps);
        Malen(dlg);
        return TRUE;
    }
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        for (int s = 0; s < XIO_SCHRITTE; ++s)
            if (id == KNOEPFE[s] && HIWORD(wParam) == BN_CLICKED) {
                if ((Z.Schritte >> s) & 1u) Schritt(dlg, s);
                return TRUE;
            }
        if (id == IDOK || id == IDCANCEL) {
            EndDialog(dlg, id == IDOK ? 1 : 0);
            return TRUE;
        }
        return FALSE;
    }
    default: return FALSE;
    }
}

int32_t SetMainCommand(haupt_fenster* app, UINT msg, WPARAM wParam, LPARAM lParam)
{
    SetzeMeldung(app->Meldungsblock, app->Hauptfenster, msg, wParam, lParam);
    return 1;
}

int32_t XafsInOneDialog()
{
    return static_cast<int32_t>(
        DialogBoxParamA(ProgrammModul(), "XAFSINONE", HAUPTDATEN.Hauptfenster, XafsInOneProc, 0));
}

void XafsInOneVergessen()
{
    Stand = XIO_STAND{};
    for (ZUSATZ& z : Zusatz) z = ZUSATZ{};
}
