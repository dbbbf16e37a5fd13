// The left mouse button and the mouse movement over a graphic window: data
// coordinates in the status line, picking a slot of the four-curve view,
// combining curves by drag and drop, and the zoom rectangle.
#include <windows.h>

#include <cstdio>

#include "resource_ids.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "spectra/change_scale_win.h"
#include "spectra/data_table.h"
#include "spectra/data_table_win.h"
#include "spectra/graphic_mouse.h"
#include "spectra/spectra_globals.h"

namespace {

// Drag state shared by the four windows. A slot of 90 or more: nothing dragged.
struct ZIEH_ZUSTAND {
    int32_t Aktiv = 0;
    int32_t Slot = 100;
    int32_t Quelle = -1;
    int32_t Schwebend = -1;  // the window that last drew the marker
};
ZIEH_ZUSTAND Ziehen;

// Marker (or first rectangle corner) and second corner of each window.
struct MARKE {
    POINT Pos = {-1, -1};
    POINT Ecke = {-1, -1};
};
MARKE Marken[4];

HWND Haupt() { return HAUPTDATEN.Hauptfenster; }
bool ObenAuf(const grafik_fenster& g) { return Haupt() && GetTopWindow(Haupt()) == g.hWnd; }
MARKE& Marke(const grafik_fenster& g) { return Marken[g.FensterNummer & 3]; }

void Neuzeichnen(grafik_fenster& g)
{
    InvalidateRect(g.hWnd, nullptr, TRUE);
    UpdateWindow(g.hWnd);
}

// Inverted frame: drawn twice it disappears.
void Rahmen(HWND h, POINT a, POINT b)
{
    HDC dc = GetDC(h);
    const int alt = SetROP2(dc, R2_NOT);
    HGDIOBJ pinsel = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, a.x, a.y, b.x, b.y);
    SelectObject(dc, pinsel);
    SetROP2(dc, alt);
    ReleaseDC(h, dc);
}

void MarkeZeichnen(HWND h, POINT p)
{
    const POINT b = {p.x + 10 * HAUPTDATEN.ZeichenBreite, p.y + 3 * HAUPTDATEN.ZeichenHoehe};
    Rahmen(h, p, b);
}

void NachOben(grafik_fenster& g)
{
    HWND oben = Haupt() ? GetTopWindow(Haupt()) : nullptr;
    if (oben && oben != g.hWnd) FlashWindow(oben, FALSE);
    BringWindowToTop(g.hWnd);
    FlashWindow(g.hWnd, TRUE);
    AktivesFenster = g.FensterNummer;
    UpdateFensterStatus();
}

// The plotting object holds the mapping of the last curve it drew; a
// window showing another one is drawn first.
void Abbildung(grafik_fenster& g)
{
    if (!Plotter.CheckDataArray(g.GetXFeld(-1), nullptr) && !g.Multiplot) {
        Neuzeichnen(g);
        UpdateFensterStatus();
    }
}

bool Daten(grafik_fenster& g, POINT p, double* x, double* y)
{
    return Plotter.GetXYValue(*x, *y, p.x, p.y, g.ZeigeDaten, g.ZeigeFunktion) != 0;
}

POINT Punkt(LPARAM lParam)
{
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

void Titel(grafik_fenster& g)
{
    char text[GRAFIK_TEXT + 16];
    std::snprintf(text, sizeof text, "%s  No.%d", g.DateiInfo.DateiName, static_cast<int>(g.AktuellerSlot() + 1));
    SetWindowTextA(g.hWnd, text);
}

}  // namespace

void grafik_fenster::OnLButtonDown()
{
    const POINT p = Punkt(lParam);
    if (!ObenAuf(*this)) NachOben(*this);
    Abbildung(*this);
    MARKE& m = Marke(*this);
    if (Zoom.Bereit) {
        Zoom.Ziehen = 1;
        m.Pos = m.Ecke = p;
        return;
    }
    if (wParam & (MK_SHIFT | MK_CONTROL)) return;
    double x, y;
    if (!Multiplot && !(NeuesterZaehler < 1 && Daten(*this, p, &x, &y))) return;
    const int32_t q = MausQuadrant(p.x, p.y, ClientBreite, ClientHoehe, Multiplot != 0, NeuesterZaehler, 0);
    const int32_t c = MausZaehler(q, NeuesterZaehler);
    if (Multiplot && c > NeuesterZaehler) return;
    Ziehen.Slot = c;
    Ziehen.Quelle = Ziehen.Schwebend = FensterNummer;
    Ziehen.Aktiv = 1;
    m.Pos = p;
    MarkeZeichnen(hWnd, p);
}

void grafik_fenster::OnMouseMove()
{
    const POINT p = Punkt(lParam);
    MARKE& m = Marke(*this);
    double x, y;
    if (Ziehen.Aktiv) {
        const int32_t s = Ziehen.Schwebend;
        if (s >= 0 && s < 4 && s != FensterNummer && Marken[s].Pos.x >= 0 && HAUPTDATEN.GrafikHandles[s])
            SendMessageA(HAUPTDATEN.GrafikHandles[s], WM_NCMOUSEMOVE, HTCAPTION, 0);
        Ziehen.Schwebend = FensterNummer;
        if (m.Pos.x >= 0) MarkeZeichnen(hWnd, m.Pos);
        MarkeZeichnen(hWnd, p);
        m.Pos = p;
        return;
    }
    if (Zoom.Ziehen) {
        if (Daten(*this, p, &x, &y)) {
            Rahmen(hWnd, m.Pos, m.Ecke);
            m.Ecke = p;
            Rahmen(hWnd, m.Pos, m.Ecke);
        }
        return;
    }
    if (!ObenAuf(*this)) return;
    char text[200];
    if (Daten(*this, p, &x, &y))
        std::snprintf(text, sizeof text, "    X =  %G  ,   Y =  %G", x, y);
    else if (Multiplot)
        std::snprintf(text, sizeof text, "%s",
                      "   Click once to select X/Y-graph  -  drag 'n drop rectangle to combine X/Y-graphs "
                      "(left side / right side)");
    else
        std::snprintf(text, sizeof text, "%s",
                      "   Click here to change axis scalings and inscription to axis distances");
    HAUPTDATEN.StatusZeile(ID_STATUS_HELP, text);
}

void grafik_fenster::OnNcMouseMove()
{
    MARKE& m = Marke(*this);
    if (Zoom.Bereit || Zoom.Aktiv)
        SetClassLongPtrA(hWnd, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(LoadCursor(nullptr, IDC_ARROW)));
    if (Ziehen.Aktiv && m.Pos.x >= 0) {
        MarkeZeichnen(hWnd, m.Pos);
        m.Pos = {-1, -1};
        return;
    }
    if (Zoom.Bereit && Zoom.Ziehen) {
        Rahmen(hWnd, m.Pos, m.Ecke);
        Zoom.Bereit = Zoom.Ziehen = 0;
        return;
    }
    if (Zoom.Aktiv) {
        Zoom.Aktiv = 0;
        Titel(*this);
        Neuzeichnen(*this);
        UpdateFensterStatus();
    }
}

void grafik_fenster::OnLButtonUp()
{
    const POINT p = Punkt(lParam);
    MARKE& m = Marke(*this);
    double x1, y1, x2, y2;
    if (Zoom.Bereit) {
        Rahmen(hWnd, m.Pos, m.Ecke);
        const bool ersteDrin = Daten(*this, m.Pos, &x1, &y1);
        // The second corner is the mouse, or the last corner inside the plot.
        POINT zweite = p;
        bool zweiteDrin = Daten(*this, p, &x2, &y2);
        if (!zweiteDrin) {
            zweite = m.Ecke;
            zweiteDrin = Daten(*this, zweite, &x2, &y2);
        }
        ZOOM_BEREICH z;
        // A rectangle without width or height, or outside the plot, disarms the zoom.
        if (Zoom.Ziehen && ersteDrin && zweiteDrin && m.Pos.x != zweite.x && m.Pos.y != zweite.y &&
            ZoomAusRechteck(x1, y1, x2, y2, &z)) {
            Zoom.XUnten = z.XUnten;
            Zoom.XOben = z.XOben;
            Zoom.YUnten = z.YUnten;
            Zoom.YOben = z.YOben;
            Zoom.Aktiv = 1;
        }
        Neuzeichnen(*this);
        UpdateFensterStatus();
        // The paint writes the window's title; a zoom shows its own.
        if (Zoom.Aktiv) SetWindowTextA(hWnd, "--  ZOOM  --");
        m.Pos = m.Ecke = {-1, -1};
        Zoom.Bereit = Zoom.Ziehen = 0;
        SetClassLongPtrA(hWnd, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(LoadCursor(nullptr, IDC_ARROW)));
        return;
    }
    const bool shiftCtrl = (wParam & (MK_SHIFT | MK_CONTROL)) != 0;
    if (Zoom.Aktiv && !shiftCtrl) {
        Zoom.Aktiv = 0;
        if (NeuesterZaehler == 0) {
            Titel(*this);
            Neuzeichnen(*this);
            UpdateFensterStatus();
            return;
        }
    }
    // Shift- and Ctrl-clicks hand points to a visible data-table window.
    if (shiftCtrl) {
        HWND tabelle = HAUPTDATEN.KindFenster[KIND_EDITOR];
        if (!tabelle || !IsWindowVisible(tabelle)) return;
        double x, y;
        if (!Daten(*this, p, &x, &y)) return;
        SetFocus(tabelle);
        if (wParam & MK_CONTROL) {
            HAUPTDATEN.TabellenWert = y;
            SendMessageA(tabelle, WM_COMMAND, CM_TABELLE_WERT, 0);
            Neuzeichnen(*this);
            UpdateFensterStatus();
        } else {
            const int32_t i = TabellenNaechsterPunkt(GetXFeld(-1), Punkte(), x);
            if (i >= 0) SendMessageA(tabelle, WM_COMMAND, CM_TABELLE_ZEILE, MAKELPARAM(i, 0));
        }
        return;
    }
    const int32_t s = AktuellerSlot();
    if ((KurvenFlags[s] & SLOT_FIT_ANSICHT) && ZeigeFunktion && Kombinieren) {
        Kombinieren = 0;
        KombiAnzahl = 0;
        if (HWND l = HAUPTDATEN.KindFenster[KIND_BUTTONLEISTE]) InvalidateRect(l, nullptr, FALSE);
    }
    if (!ObenAuf(*this)) {
        NachOben(*this);
        Abbildung(*this);
    }
    if (Ziehen.Aktiv) {
        const int32_t q = MausQuadrant(p.x, p.y, ClientBreite, ClientHoehe, Multiplot != 0, NeuesterZaehler,
                                       KurvenZaehler);
        const int32_t c = Multiplot ? MausZaehler(q, NeuesterZaehler) : q;
        const bool rechts = MausRechteAchse(p.x, ClientBreite, Multiplot != 0);
        if (c > NeuesterZaehler) return;
        if (m.Pos.x >= 0) MarkeZeichnen(hWnd, m.Pos);
        m.Pos = {-1, -1};
        Ziehen.Aktiv = 0;
        if (Kombinieren && KurvenZaehler != c) SendMessageA(hWnd, WM_COMMAND, 5, 0);
        if (ModellArt && KurvenZaehler != c) ModellArt = FitModellArt = 0;
        KurvenZaehler = c;
        if (Ziehen.Slot == c && Ziehen.Quelle == FensterNummer) {
            Multiplot = 0;
        } else if (Ziehen.Slot < 90) {
            // The list keeps what fits; a further drop is not added.
            if (!Kombinieren) KombiAnzahl = 0;
            const int32_t kapazitaet = static_cast<int32_t>(sizeof KombiListe / sizeof KombiListe[0]);
            if (KombiHinzufuegen(KombiListe, &KombiAnzahl, kapazitaet, c, FensterNummer, Ziehen.Slot,
                                 Ziehen.Quelle, rechts))
                Kombinieren = 1;
        } else {
            Multiplot = 0;
        }
        Ziehen.Slot = 100;
    } else {
        double x, y;
        const bool drin = Daten(*this, p, &x, &y);
        if (NeuesterZaehler >= 1 && drin) Multiplot = 1;
        if (!drin) SkalenDialog(FensterNummer);
    }
    Neuzeichnen(*this);
    UpdateFensterStatus();
}
