// The "paint" class: the graphic window on its record, with the window's
// own commands (stepping through the curve ring, show all, combine, tiling,
// the popup menu and the plot-style toggles).
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "resource_ids.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "shell/child_windows.h"
#include "shell/plot_dialogs_win.h"
#include "shell/printing_win.h"
#include "spectra/data_arithmetic.h"
#include "spectra/graphic_layout.h"
#include "spectra/data_dialogs_win.h"
#include "spectra/file_commands_win.h"
#include "spectra/graphic_drawing.h"
#include "spectra/spectra_globals.h"
#include "xas/xas_entries.h"

namespace {

// What a window owns besides its record: the popup menu and the model
// blocks its creation took from the global heap.
struct FENSTER_BESITZ {
    HMENU Popup;
    HMENU PopupWurzel;
    HGLOBAL ParameterBlock;
    HGLOBAL TypenBlock;
    int32_t AlterStift;   // data pen style and data style kept while combining
    int32_t AlterStil;
};
FENSTER_BESITZ Besitz[4] = {};

const int32_t PARAMETER_DOUBLES = 35000;
const int32_t FUNKTIONS_TYPEN = 2000;

void* Block(HGLOBAL* h, SIZE_T bytes)
{
    *h = GlobalAlloc(GHND, bytes);
    void* p = *h ? GlobalLock(*h) : nullptr;
    if (*h && !p) {
        GlobalFree(*h);
        *h = nullptr;
    }
    return p;
}

void Frei(HGLOBAL* h)
{
    if (!*h) return;
    GlobalUnlock(*h);
    GlobalFree(*h);
    *h = nullptr;
}

HWND Haupt() { return HAUPTDATEN.Hauptfenster; }

void Blinke(HWND h)
{
    if (h) FlashWindow(h, TRUE);
}

// The top child is flashed, this window brought to the top and flashed.
void NachOben(HWND h)
{
    HWND oben = Haupt() ? GetTopWindow(Haupt()) : nullptr;
    if (oben != h) Blinke(oben);
    BringWindowToTop(h);
    Blinke(h);
}

// Below the button bar, both its halves.
int32_t Obenabstand() { return 2 * HAUPTDATEN.ButtonZeilenHoehe + 6; }

int32_t UntenLeiste()
{
    HWND s = HAUPTDATEN.KindFenster[KIND_STATUS400];
    RECT r{};
    if (s && IsWindowVisible(s)) GetWindowRect(s, &r);
    return r.bottom - r.top;
}

void MaxGroesse(int32_t* breite, int32_t* hoehe)
{
    RECT r{};
    if (Haupt()) GetClientRect(Haupt(), &r);
    *breite = r.right;
    *hoehe = r.bottom - Obenabstand() - UntenLeiste();
    if (*hoehe < 50) *hoehe = 50;
}

void Zeigen(grafik_fenster& g)
{
    if (IsWindowVisible(g.hWnd)) return;
    int32_t b = 0, h = 0;
    MaxGroesse(&b, &h);
    SetWindowPos(g.hWnd, nullptr, 0, Obenabstand(), b, h, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(g.hWnd, SW_SHOW);
    AddModeless(g.hWnd);
}

void SetzeTitel(grafik_fenster& g)
{
    char titel[600];
    std::snprintf(titel, sizeof titel, "%s  No.%d", g.DateiInfo.DateiName, g.AktuellerSlot() + 1);
    SetWindowTextA(g.hWnd, titel);
}

void Neuzeichnen(grafik_fenster& g)
{
    InvalidateRect(g.hWnd, nullptr, TRUE);
    UpdateWindow(g.hWnd);
}

// Repaint that keeps the axis ranges of the last paint.
void StilNeuzeichnen(grafik_fenster& g, bool status)
{
    g.BereichNeu = 0;
    Neuzeichnen(g);
    g.BereichNeu = 1;
    if (status) UpdateFensterStatus();
}

void Knopf(int32_t nummer, bool an)
{
    if (HWND l = HAUPTDATEN.KindFenster[KIND_BUTTONLEISTE])
        SendMessageA(l, WM_COMMAND, 2002, nummer + (an ? 0x10000 : 0));
}

void Pfeile(const grafik_fenster& g)
{
    Knopf(1, g.KurvenZaehler != g.NeuesterZaehler);
    Knopf(2, g.KurvenZaehler >= 1 && g.KurvenZaehler > g.NeuesterZaehler - 3);
}

void KnopfNeu(int32_t nummer)
{
    ButtonBar.KnopfZeichnen(nummer);
}

void Status400(const char* text)
{
    HAUPTDATEN.StatusZeile(ID_STATUS_CURVE, text);
    if (HWND f = HAUPTDATEN.KindFenster[KIND_STATUS400]) UpdateWindow(f);
}

void KurvenStatus(grafik_fenster& g)
{
    double ymin = 0.0, ymax = 0.0;
    g.GetMinMax(&ymin, &ymax, 0.0, 0.0, 1);
    const int32_t n = g.Punkte();
    const double* x = g.GetXFeld(-1);
    char text[200];
    StatusText400(text, sizeof text, n > 0 ? x[0] : 0.0, n > 0 ? x[n - 1] : 0.0, ymin, ymax, n);
    Status400(text);
}

void Tabelle(grafik_fenster& g)
{
    HWND t = HAUPTDATEN.KindFenster[KIND_EDITOR];
    if (t && IsWindowVisible(t)) SendMessageA(t, WM_COMMAND, 2005, MAKELPARAM(0, g.Punkte()));
}

bool ExafsModell(const grafik_fenster& g, bool mit25)
{
    if (!g.FunktionsTypen || g.AnzahlFunktionen < 1) return false;
    const int32_t t = g.FunktionsTypen[0];
    return (mit25 && t == 25) || (t >= 15 && t <= 18);
}

LRESULT Kommando(grafik_fenster& g, int32_t id, LPARAM lParam);

// Commands 1 and 2. A step beyond the ring's bounds is refused.
void Schritt(grafik_fenster& g, bool vor)
{
    const bool erlaubt = vor ? g.KurvenZaehler < g.NeuesterZaehler
                             : g.KurvenZaehler >= 1 && g.KurvenZaehler > g.NeuesterZaehler - 3;
    if (!erlaubt) {
        Pfeile(g);
        return;
    }
    const uint32_t alteFlags = g.KurvenFlags[g.AktuellerSlot()];
    g.KurvenZaehler += vor ? 1 : -1;
    g.SetFullBorder();
    Pfeile(g);
    SetzeTitel(g);
    Tabelle(g);
    const int32_t s = g.AktuellerSlot();
    bool weiter = true;
    if (ExafsModell(g, true)) {
        if (alteFlags & SLOT_K_FIT) {
            const int32_t n = g.Punkte();
            const double* x = g.GetXFeld(-1);
            if (n > 0 && x[0] > 0.0 && x[n - 1] < 30.0) {
                g.KurvenFlags[s] |= SLOT_K_FIT;
                // The model's paths or phases on the new curve's k values.
                ExafsFitVorbereiten(0, 1);
            } else {
                g.KurvenFlags[s] ^= SLOT_K_FIT;
                g.ModellArt = 0;
                FitModellArt = 0;
            }
            g.ZeigeFunktion = 1;
            PostMessageA(g.hWnd, WM_COMMAND, CM_REDRAW, 0);
            weiter = false;
        } else {
            g.KurvenFlags[s] ^= SLOT_FIT_ANSICHT;
        }
    }
    if (weiter && (ExafsModell(g, true) || g.ModellArt != 0)) {
        g.ModellArt = 0;
        FitModellArt = 0;
        g.ZeigeFunktion = 0;
    }
    if (g.Kombinieren) {
        Kommando(g, 5, 0);
    } else if (!g.Multiplot) {
        Neuzeichnen(g);
        UpdateFensterStatus();
    }
    if (HAUPTDATEN.MakroAufnahme) ButtonBar.MakroRecord(vor ? 1 : 2, 0, 0);
    KurvenStatus(g);
}

// Commands 3 and 9: the file's columns read again into a new slot.
void SpaltenLaden(grafik_fenster& g, bool original)
{
    DateiInfo& d = g.DateiInfo;
    const int32_t altX = d.XSpalte, altY = d.YSpalte;
    if (original) {
        d.XSpalte = 1;
        d.YSpalte = 2;
    } else {
        const int32_t spalten = d.Spalten > 0 ? d.Spalten : 1;
        d.YSpalte = d.YSpalte % spalten + 1;
        if (d.YSpalte == d.XSpalte) d.YSpalte = d.YSpalte % spalten + 1;
    }
    const int32_t t = (g.KurvenZaehler + 1) & 3;
    const int32_t n = SpeichereInGrafik(g.XFeld[t], g.YFeld[t], &d, 0, -1, g.FeldGroesse());
    if (n <= 0) {
        d.XSpalte = altX;
        d.YSpalte = altY;
        FehlerCode = FEHLER_FORMAT;
        return;
    }
    ++g.KurvenZaehler;
    g.NeuesterZaehler = g.KurvenZaehler;
    d.PunkteProKurve[t] = n;
    g.KurvenFlags[t] = 0;
    if (original) {
        const size_t laenge = std::strlen(d.DateiName);
        const bool f15 = laenge >= 3 && _stricmp(d.DateiName + laenge - 3, "F15") == 0;
        if (f15 && d.AlleSpalten[0] > 3) {
            std::vector<double> x3(g.FeldGroesse()), y3(g.FeldGroesse());
            const int32_t ySpalte = d.YSpalte;
            d.YSpalte = 3;
            const int32_t m = SpeichereInGrafik(x3.data(), y3.data(), &d, 0, -1, g.FeldGroesse());
            d.YSpalte = ySpalte;
            SpektrenShiftFeld(g.XFeld[t], g.YFeld[t], n, 1.0, 0.0, 222, 0, 0);
            if (m > 0)
                SpektrenShiftFeld(g.XFeld[t], g.YFeld[t], n, 1.0, 0.0, 222, 3, 2, x3.data(), y3.data(), m);
        }
    }
    Pfeile(g);
    g.SetFullBorder();
    SetzeTitel(g);
    Tabelle(g);
    if (HAUPTDATEN.MakroAufnahme)
        SendMessageA(HAUPTDATEN.KindFenster[KIND_BUTTONLEISTE], WM_COMMAND, 12, 0);
    if (original && g.Kombinieren) {
        Kommando(g, 5, 0);
    } else {
        Neuzeichnen(g);
    }
    UpdateFensterStatus();
    KurvenStatus(g);
}

void Kombinieren(grafik_fenster& g, LPARAM lParam)
{
    const int32_t nummer = g.FensterNummer;
    FENSTER_BESITZ& b = Besitz[nummer & 3];
    const int32_t s = g.AktuellerSlot();
    if ((g.KurvenFlags[s] & SLOT_FIT_ANSICHT) && g.ZeigeFunktion) {
        g.Kombinieren = g.Kombinieren ? 0 : 1;
        g.Paintinfo.KomplexImag = g.Kombinieren;
        KnopfNeu(5);
        Neuzeichnen(g);
        UpdateFensterStatus();
        return;
    }
    char text[200];
    if (!g.Kombinieren) {
        AktivesFenster = nummer;
        const INT_PTR r = DialogBoxParamA(HAUPTDATEN.Instanz, "COMBINE_GRAFIK", g.hWnd,
                                          CombineGrafikDlgProc, 0);
        if (r <= 0) {
            if (HAUPTDATEN.Hauptmenue)
                CheckMenuItem(HAUPTDATEN.Hauptmenue, 77 + nummer, MF_BYCOMMAND | MF_CHECKED);
            Neuzeichnen(g);
            UpdateFensterStatus();
            return;
        }
        g.Kombinieren = 1;
        KnopfNeu(5);
        if (g.Multiplot) {
            g.Multiplot = 0;
            KnopfNeu(4);
        }
        g.KombiModus = static_cast<int32_t>(r);
        b.AlterStift = g.Paintinfo.PlotPenStyle;
        b.AlterStil = g.Paintinfo.PlotStyle;
        // The offsets live only in the drawing: the ranges are taken
        // without them, the steps then stored for every paint.
        g.KombiVersatz[0] = g.KombiVersatz[1] = 0.0;
        double ylo = 0, yhi = 0, xlo = 0, xhi = 0, rlo = 0, rhi = 0;
        const int32_t n = g.GetPlotRange(&ylo, &yhi, &xlo, &xhi, &rlo, &rhi);
        if (g.KombiModus > 10)
            KombiSchritte(g.KombiModus, n, ylo, yhi, rlo, rhi, HAUPTDATEN.DialogWerte[1], g.KombiVersatz);
        std::snprintf(text, sizeof text,
                      "   X :  %.5G  to  %.5G  |  Y :  %.5G  to  %.5G  |  No :  %d", xlo, xhi, ylo, yhi,
                      g.Punkte());
        Status400(text);
    } else {
        g.Kombinieren = 0;
        g.Modus3D = 0;
        g.SerienFrames = 0;
        g.SerienModus = 0;
        Plotter.SetMultiplot(0, nullptr);
        g.MultiplotAktiv = 0;
        Plotter.SetRightAxis(0);
        g.Paintinfo.PlotPenStyle = b.AlterStift;
        g.Paintinfo.PlotStyle = b.AlterStil;
        g.KombiModus = 0;
        g.KombiVersatz[0] = g.KombiVersatz[1] = 0.0;
        KnopfNeu(5);
        g.KombiAnzahl = 0;
        std::memset(g.KombiListe, 0, sizeof g.KombiListe);
        KurvenStatus(g);
    }
    if (lParam != 100) {
        Neuzeichnen(g);
        UpdateFensterStatus();
    }
}

void Kacheln(grafik_fenster& g)
{
    int32_t anzahl = 0;
    for (HWND h : ModelessList)
        if (h && IsWindow(h) && !IsIconic(h) && IsWindowVisible(h)) ++anzahl;
    if (anzahl < 2) return;
    HWND oben = Haupt() ? GetTopWindow(Haupt()) : nullptr;
    Blinke(oben);
    int32_t breite = 0, hoehe = 0;
    MaxGroesse(&breite, &hoehe);
    // Places are counted over the windows tiled, not over the list's
    // entries: an empty entry left by a closed window takes no place.
    int32_t k = 0;
    for (HWND w : ModelessList) {
        if (!(w && IsWindow(w) && !IsIconic(w) && IsWindowVisible(w))) continue;
        const FLAECHE f = KachelFlaeche(k++, anzahl, Obenabstand(), breite, hoehe);
        MoveWindow(w, f.Links, f.Oben, f.Breite, f.Hoehe, TRUE);
    }
    NachOben(g.hWnd);
    AktivesFenster = g.FensterNummer;
    Tabelle(g);
    Neuzeichnen(g);
    UpdateFensterStatus();
}

void NachVorn(grafik_fenster& g)
{
    Zeigen(g);
    NachOben(g.hWnd);
    AktivesFenster = g.FensterNummer;
}

void Redraw(grafik_fenster& g)
{
    HWND oben = Haupt() ? GetTopWindow(Haupt()) : nullptr;
    Blinke(oben);
    Zeigen(g);
    SetzeTitel(g);
    if (HilfeThema == 0) InvalidateRect(g.hWnd, nullptr, TRUE);
    BringWindowToTop(g.hWnd);
    if (HilfeThema == 0) UpdateWindow(g.hWnd);
    Blinke(g.hWnd);
    AktivesFenster = g.FensterNummer;
    if (HilfeThema == 100) UpdateFensterStatus();
    HilfeThema = 0;
}

// 607 and 804: the current curve moved to a minimum of 0 or divided by its
// maximum.
void MinMaxArithmetik(grafik_fenster& g, bool normieren)
{
    double ymin = 0.0, ymax = 0.0;
    g.GetMinMax(&ymin, &ymax, 0.0, 0.0, 1);
    const int32_t n = g.Punkte();
    double* x = g.GetXFeld(-1);
    double* y = g.GetYFeld(-1);
    if (n < 1) return;
    if (normieren) {
        if (ymax == 0.0) return;
        SpektrenShiftFeld(x, y, n, 1.0 / ymax, 0.0, 220);
    } else {
        SpektrenShiftFeld(x, y, n, 1.0, -ymin, 220);
    }
    if (g.KurvenFlags[g.AktuellerSlot()] & SLOT_KOMPLEX && 2 * n + 1 <= g.FeldGroesse()) {
        if (normieren) SpektrenShiftFeld(x + n + 1, y + n + 1, n, 1.0 / ymax, 0.0, 220);
        else SpektrenShiftFeld(x + n + 1, y + n + 1, n, 1.0, -ymin, 220);
    }
    Neuzeichnen(g);
    UpdateFensterStatus();
}

void SchraegeSchriften(grafik_fenster& g, double delta)
{
    haupt_fenster& app = HAUPTDATEN;
    app.SchraegWinkel += delta;
    const int32_t winkel = static_cast<int32_t>(app.SchraegWinkel * 10.0);
    const FONT_DATEN& f = app.FontDaten[0];
    HFONT& a = app.Schriften[SCHRIFT_ACHSE_SCHRAEG];
    HFONT& s = app.Schriften[SCHRIFT_SYMBOL_SCHRAEG];
    if (a) DeleteObject(a);
    if (s) DeleteObject(s);
    const int32_t hoehe = g.Paintinfo.ScaleFontHeight, breite = g.Paintinfo.ScaleFontWidth + 1;
    a = CreateFontA(hoehe, breite, winkel, winkel, f.Gewicht, f.Kursiv, f.Unterstrichen,
                    f.Durchgestrichen, f.Zeichensatz, f.Ausgabe, f.Clip, f.Qualitaet, f.PitchFamilie,
                    f.Schrift);
    s = CreateFontA(hoehe, breite, winkel, winkel, f.Gewicht, f.Kursiv, f.Unterstrichen, 0, 2, 0, 0, 0,
                    16, "system");
}

LRESULT Kommando(grafik_fenster& g, int32_t id, LPARAM lParam)
{
    PAINTINFO& p = g.Paintinfo;
    switch (id) {
    case 1: Schritt(g, true); break;
    case 2: Schritt(g, false); break;
    case 3: SpaltenLaden(g, true); break;
    case 4:
        g.Multiplot = g.Multiplot ? 0 : 1;
        HAUPTDATEN.ResetTitel();
        KnopfNeu(4);
        Neuzeichnen(g);
        UpdateFensterStatus();
        break;
    case 5: Kombinieren(g, lParam); break;
    case 6:
        g.FunktionenGetrennt = g.FunktionenGetrennt ? 0 : 1;
        Neuzeichnen(g);
        UpdateFensterStatus();
        break;
    case 7: Kacheln(g); break;
    case 8:
        if (Haupt())
            if (HWND oben = GetTopWindow(Haupt())) PostMessageA(oben, WM_COMMAND, 122, 0);
        break;
    case 9: SpaltenLaden(g, false); break;
    case 18:
        ShowWindow(g.hWnd, SW_HIDE);
        RemoveModeless(g.hWnd);
        break;
    case CM_REDRAW: Redraw(g); break;
    case 38: case 112: case 191: case 193: case 194: case 521: case 605: case 616:
        PostMessageA(Haupt(), WM_COMMAND, id, 0);
        break;
    case 517: PostMessageA(Haupt(), WM_COMMAND, 911, 0); break;
    case 122: {
        const int32_t w = HAUPTDATEN.GetFensterNummer(g.hWnd);
        if (w >= 0) AktivesFenster = w;
        DruckeGrafikFenster();
        break;
    }
    case 127:
    case 2004: NachVorn(g); break;
    case 607: MinMaxArithmetik(g, false); break;
    case 804: MinMaxArithmetik(g, true); break;
    case 1001: SendMessageA(Haupt(), WM_COMMAND, 450, 0); break;
    case 1002: p.PlotStyle ^= 2; StilNeuzeichnen(g, true); break;
    case 1003:
        p.PlotStyle ^= 0x40;
        p.FuncStyle ^= 0x40;
        StilNeuzeichnen(g, true);
        break;
    case 1004: p.PlotStyle = p.PlotStyle == 2 ? 1 : 2; StilNeuzeichnen(g, true); break;
    case 1005: p.PlotWidth = p.PlotWidth >= 2 ? 1 : 2; StilNeuzeichnen(g, true); break;
    case 1006:
        if (p.AxisWidth > 1 || p.FrameWidth > 1) p.AxisWidth = p.FrameWidth = 1;
        else p.AxisWidth = p.FrameWidth = 2;
        StilNeuzeichnen(g, true);
        break;
    case 1007: p.KomplexImag = p.KomplexImag ? 0 : 1; StilNeuzeichnen(g, false); break;
    case 1008: p.ShowGrid = p.ShowGrid ? 0 : 1; StilNeuzeichnen(g, true); break;
    case 1009: p.ShowXText = p.ShowXText ? 0 : 1; StilNeuzeichnen(g, true); break;
    case 1010: p.ShowYText = p.ShowYText ? 0 : 1; StilNeuzeichnen(g, true); break;
    case 1011: SchraegeSchriften(g, -10.0); StilNeuzeichnen(g, true); break;
    case 1012: SchraegeSchriften(g, 10.0); StilNeuzeichnen(g, true); break;
    case 1013:
        FarbWahl();
        Neuzeichnen(g);
        break;
    default: break;
    }
    return 0;
}

LRESULT OnCreate(grafik_fenster& g, HWND hwnd, int32_t nummer)
{
    FENSTER_BESITZ& b = Besitz[nummer];
    g.hWnd = hwnd;
    if (HMENU sys = GetSystemMenu(hwnd, FALSE)) {
        RemoveMenu(sys, SC_CLOSE, MF_BYCOMMAND);
        AppendMenuA(sys, MF_STRING, SC_CLOSE, "&Close\tSTRG+F4");
    }
    b.PopupWurzel = LoadMenuA(HAUPTDATEN.Instanz, "PaintPopup");
    b.Popup = b.PopupWurzel ? GetSubMenu(b.PopupWurzel, 0) : nullptr;
    g.LegendenText[0] = '\0';
    DateiInfoLeeren(&g.DateiInfo);
    if (g.AllocFelder() != 1) return -1;
    double* parameter = static_cast<double*>(Block(&b.ParameterBlock, PARAMETER_DOUBLES * sizeof(double)));
    int32_t* typen = static_cast<int32_t*>(Block(&b.TypenBlock, FUNKTIONS_TYPEN * sizeof(int32_t)));
    if (!parameter || !typen) {
        Frei(&b.ParameterBlock);
        Frei(&b.TypenBlock);
        g.FreeFelder();
        return -1;
    }
    parameter[0] = 10.0;
    parameter[1] = 5.0;
    parameter[2] = 3.0;
    typen[0] = 1;
    g.Parameter = parameter;
    g.FunktionsTypen = typen;
    g.AnzahlFunktionen = 1;
    for (int i = 0; i < 4; ++i) {
        std::strcpy(g.XText[i], "X");
        std::strcpy(g.YText[i], "Y");
        std::strcpy(g.ZText[i], "Z");
    }
    g.FensterText[0] = '\0';
    std::memset(g.SerienListe, 0, sizeof g.SerienListe);
    Blinke(hwnd);
    return 0;
}

void OnDestroy(grafik_fenster& g, int32_t nummer)
{
    FENSTER_BESITZ& b = Besitz[nummer];
    g.FreeFelder();
    g.Parameter = nullptr;
    g.FunktionsTypen = nullptr;
    g.AnzahlFunktionen = 0;
    Frei(&b.ParameterBlock);
    Frei(&b.TypenBlock);
    if (b.PopupWurzel) DestroyMenu(b.PopupWurzel);
    b.PopupWurzel = b.Popup = nullptr;
    for (int32_t& p : g.DateiInfo.PunkteProKurve) p = 0;
    AktivesFenster = nummer;
    if (Haupt()) PostMessageA(Haupt(), WM_COMMAND, CM_WINDOW_CLOSED, 0);
}

void OnRButtonUp(grafik_fenster& g, LPARAM lParam)
{
    FENSTER_BESITZ& b = Besitz[g.FensterNummer & 3];
    if (b.Popup) {
        POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ClientToScreen(g.hWnd, &pt);
        TrackPopupMenu(b.Popup, 0, pt.x, pt.y, 0, g.hWnd, nullptr);
    }
    NachOben(g.hWnd);
    AktivesFenster = g.FensterNummer;
    UpdateFensterStatus();
}

void OnInitMenuPopup(grafik_fenster& g, HMENU menu)
{
    CheckMenuItem(menu, 5, MF_BYCOMMAND | (g.Kombinieren > 0 ? MF_CHECKED : MF_UNCHECKED));
    const int32_t t = g.FunktionsTypen && g.AnzahlFunktionen > 0 ? g.FunktionsTypen[0] : 0;
    const bool zoomAus = g.ZeigeFunktion && (t == 25 || t == 26 || (t >= 15 && t <= 18));
    EnableMenuItem(menu, 616, MF_BYCOMMAND | (zoomAus ? MF_GRAYED : MF_ENABLED));
    // Earlier parameters exist only while a model is shown.
    EnableMenuItem(menu, 521, MF_BYCOMMAND | (g.ZeigeFunktion ? MF_ENABLED : MF_GRAYED));
}

void OnSysCommand(grafik_fenster& g, WPARAM wParam)
{
    const UINT art = static_cast<UINT>(wParam & 0xFFF0);
    HWND oben = Haupt() ? GetTopWindow(Haupt()) : nullptr;
    if (wParam == 18) {
        ShowWindow(g.hWnd, SW_HIDE);
        RemoveModeless(g.hWnd);
    } else if (art == SC_MINIMIZE) {
        Blinke(oben);
        HWND naechstes = ModelessList[NextModeless(g.hWnd)];
        if (naechstes && naechstes != g.hWnd && IsWindowVisible(naechstes)) {
            BringWindowToTop(naechstes);
            Blinke(naechstes);
        }
    } else if ((art == SC_MOVE || art == SC_SIZE || art == SC_RESTORE) && oben != g.hWnd) {
        NachOben(g.hWnd);
    }
}

LRESULT CALLBACK GrafikProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        const CREATESTRUCTA* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    // Windows opened by NeuesGrafikFenster carry their record index + 1;
    // other "paint" windows are drawn from the record whose handle they are.
    const LONG_PTR eigen = GetWindowLongPtrA(hwnd, GWLP_USERDATA);
    int32_t nummer = HAUPTDATEN.GetFensterNummer(hwnd);
    if (nummer < 0 && eigen >= 1 && eigen <= 4) nummer = static_cast<int32_t>(eigen - 1);
    if (nummer < 0) {
        if (msg == WM_PAINT && MaleGrafikFenster(hwnd)) return 0;
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    grafik_fenster& g = GrafikFenster[nummer];
    const bool besessen = eigen >= 1 && eigen <= 4;
    g.Meldung = msg;
    g.wParam = wParam;
    g.lParam = lParam;
    if (besessen || g.hWnd == nullptr) g.hWnd = hwnd;
    switch (msg) {
    case WM_CREATE:
        if (besessen && OnCreate(g, hwnd, nummer) != 0) return -1;
        break;
    case WM_DESTROY:
        if (besessen) OnDestroy(g, nummer);
        break;
    case WM_SIZE:
        g.ClientBreite = LOWORD(lParam);
        g.ClientHoehe = HIWORD(lParam);
        break;
    case WM_PAINT:
        if (MaleGrafikFenster(hwnd)) return 0;
        break;
    case WM_MOUSEACTIVATE: {
        HWND oben = Haupt() ? GetTopWindow(Haupt()) : nullptr;
        if (oben != hwnd) NachOben(hwnd);
        if (LOWORD(lParam) != HTCLIENT) UpdateFensterStatus();
        break;
    }
    case WM_GETMINMAXINFO: {
        MINMAXINFO* mm = reinterpret_cast<MINMAXINFO*>(lParam);
        int32_t b = 0, h = 0;
        MaxGroesse(&b, &h);
        if (Haupt()) {
            mm->ptMaxSize.x = b;
            mm->ptMaxSize.y = h;
            mm->ptMaxPosition.x = 0;
            mm->ptMaxPosition.y = Obenabstand();
        }
        break;
    }
    case WM_RBUTTONUP: OnRButtonUp(g, lParam); break;
    case WM_LBUTTONDOWN: g.OnLButtonDown(); break;
    case WM_MOUSEMOVE: g.OnMouseMove(); break;
    case WM_LBUTTONUP: g.OnLButtonUp(); break;
    case WM_NCMOUSEMOVE: g.OnNcMouseMove(); break;
    case WM_INITMENUPOPUP: OnInitMenuPopup(g, reinterpret_cast<HMENU>(wParam)); break;
    case WM_SYSCOMMAND: OnSysCommand(g, wParam); break;
    case WM_COMMAND: return Kommando(g, LOWORD(wParam), lParam);
    default: break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

bool RegisterGrafikKlasse(HINSTANCE instanz)
{
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = GrafikProc;
    wc.hInstance = instanz;
    wc.hIcon = LoadIconA(instanz, "WGRAFIK");
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = "paint";
    return RegisterClassA(&wc) != 0;
}

void SerienAnsichtEin(int32_t fenster)
{
    if (fenster < 0 || fenster > 3) return;
    grafik_fenster& g = GrafikFenster[fenster];
    FENSTER_BESITZ& b = Besitz[fenster];
    if (!g.Kombinieren) {
        // Kept for the end of combining, as the Combine button keeps them.
        b.AlterStift = g.Paintinfo.PlotPenStyle;
        b.AlterStil = g.Paintinfo.PlotStyle;
        g.Kombinieren = 1;
        g.KombiModus = 0;
        g.KombiVersatz[0] = g.KombiVersatz[1] = 0.0;
        KnopfNeu(5);
    }
    if (g.Multiplot) {
        g.Multiplot = 0;
        KnopfNeu(4);
    }
    g.BereichNeu = 1;
}
