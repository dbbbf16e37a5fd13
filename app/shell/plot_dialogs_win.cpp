// The plot option dialogs. Each reads the active graphic window's values
// when it opens and writes them back only on OK.
#include "shell/plot_dialogs_win.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/haupt_fenster.h"
#include "shell/plot_dialogs.h"
#include "shell/printing_win.h"
#include "spectra/data_dialogs.h"
#include "spectra/graphic_drawing.h"
#include "spectra/spectra_globals.h"

namespace {

bool StandardDruckerSeite(int32_t* breite, int32_t* hoehe)
{
    HDC dc = GetPrinterDC();
    if (!dc) return false;
    *breite = GetDeviceCaps(dc, HORZRES);
    *hoehe = GetDeviceCaps(dc, VERTRES);
    DeleteDC(dc);
    return true;
}

int32_t OffenesFenster()
{
    const int32_t w = AktivesFenster;
    return w >= 0 && w < 4 && HAUPTDATEN.GrafikHandles[w] ? w : -1;
}

int32_t Modal(const char* vorlage, DLGPROC proc, HWND besitzer = nullptr, LPARAM lParam = 0)
{
    const INT_PTR r = DialogBoxParamA(ProgrammModul(), vorlage, besitzer ? besitzer : HAUPTDATEN.Hauptfenster,
                                      proc, lParam);
    return r > 0 ? static_cast<int32_t>(r) : 0;
}

void Zeige(HWND dlg, int id, bool sichtbar)
{
    ShowWindow(GetDlgItem(dlg, id), sichtbar ? SW_SHOW : SW_HIDE);
}

std::string FarbName(int32_t i)
{
    char text[64] = "";
    LoadStringA(ProgrammModul(), IDS_COLOUR_FIRST + i, text, sizeof text);
    return text;
}

// Fills a colour box with the fifteen names; the entry of farbe is chosen,
// else ersatz. Returns the entry chosen.
int32_t FarbBox(HWND dlg, int id, uint32_t farbe, int32_t ersatz, bool liste = false)
{
    const UINT hinzu = liste ? LB_ADDSTRING : CB_ADDSTRING;
    for (int32_t i = 0; i < DIALOG_FARBEN; ++i) {
        const std::string name = FarbName(i);
        SendDlgItemMessageA(dlg, id, hinzu, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    const int32_t k = FarbEintrag(farbe);
    const int32_t wahl = DialogFarben[k] == (farbe & 0xFFFFFFu) ? k : ersatz;
    SendDlgItemMessageA(dlg, id, liste ? LB_SETCURSEL : CB_SETCURSEL, wahl, 0);
    return wahl;
}

uint32_t GewaehlteFarbe(HWND dlg, int id)
{
    const LRESULT k = SendDlgItemMessageA(dlg, id, CB_GETCURSEL, 0, 0);
    return DialogFarben[k >= 0 && k < DIALOG_FARBEN ? k : 1];
}

// ---- working state of OPTIONEN_GRAFIK (one dialog at a time) ----
struct GRAFIK_ARBEIT {
    int32_t Fenster = -1;
    int32_t Schraffur[2] = {};   // function, data array
    int32_t Erweitert = 0;       // "plot extended bars"
};
GRAFIK_ARBEIT Arbeit;

const int FUNC_BOXEN = IDC_GRAF_FUNC_CONNECT, PLOT_BOXEN = IDC_GRAF_PLOT_CONNECT;

bool StilGesetzt(HWND dlg, int32_t bitIndex)
{
    return DialogKreuz(dlg, FUNC_BOXEN + bitIndex) || DialogKreuz(dlg, PLOT_BOXEN + bitIndex);
}

// Size fields of circles and triangles, shown while either style has them.
void SymbolFelder(HWND dlg, bool neuGesetzt, int bitIndex)
{
    const struct { int bit, feld, spin; } felder[2] = {
        {1, IDC_GRAF_KREIS, IDC_GRAF_KREIS_SPIN}, {3, IDC_GRAF_DREIECK, IDC_GRAF_DREIECK_SPIN}};
    for (const auto& f : felder) {
        const bool an = StilGesetzt(dlg, f.bit);
        const bool warSichtbar = (GetWindowLongA(GetDlgItem(dlg, f.feld), GWL_STYLE) & WS_VISIBLE) != 0;
        Zeige(dlg, f.feld, an);
        Zeige(dlg, f.spin, an);
        if (an && neuGesetzt && bitIndex == f.bit && !warSichtbar) SetDlgItemTextA(dlg, f.feld, "4");
    }
}

void BereichFelder(HWND dlg, bool fuellen)
{
    const bool an = DialogKreuz(dlg, IDC_GRAF_BEREICH);
    for (int id : {IDC_GRAF_YMIN, IDC_GRAF_YMAX, IDC_GRAF_XMIN, IDC_GRAF_XMAX}) Zeige(dlg, id, an);
    if (!an || !fuellen || Arbeit.Fenster < 0) return;
    grafik_fenster& g = GrafikFenster[Arbeit.Fenster];
    double ymin = 0, ymax = 0;
    g.GetMinMax(&ymin, &ymax, g.Grenzen[1], g.Grenzen[0], 0);
    ZeigeDialogZahl(dlg, IDC_GRAF_YMIN, ymin, "%.8G");
    ZeigeDialogZahl(dlg, IDC_GRAF_YMAX, ymax, "%.8G");
    ZeigeDialogZahl(dlg, IDC_GRAF_XMIN, g.XAusdehnung[0], "%.8G");
    ZeigeDialogZahl(dlg, IDC_GRAF_XMAX, g.XAusdehnung[1], "%.8G");
}

void GrafikOeffnen(HWND dlg)
{
    CenterDialog(dlg);
    Arbeit = GRAFIK_ARBEIT{};
    Arbeit.Fenster = OffenesFenster();
    if (Arbeit.Fenster < 0) {
        EndDialog(dlg, 0);
        return;
    }
    grafik_fenster& g = GrafikFenster[Arbeit.Fenster];
    HAUPTDATEN.BearbeitetePaintinfo = &g.Paintinfo;
    const PAINTINFO& p = g.Paintinfo;
    Arbeit.Schraffur[0] = p.FuncHatch;
    Arbeit.Schraffur[1] = p.PlotHatch;
    Arbeit.Erweitert = p.BarBrush;
    for (int k = 0; k < 4; ++k) {
        SetzeDialogKreuz(dlg, FUNC_BOXEN + k, (p.FuncStyle & STIL_BITS[k]) != 0);
        SetzeDialogKreuz(dlg, PLOT_BOXEN + k, (p.PlotStyle & STIL_BITS[k]) != 0);
    }
    ZeigeDialogZahl(dlg, IDC_GRAF_KREIS, p.KreisRadius, "%d");
    ZeigeDialogZahl(dlg, IDC_GRAF_DREIECK, p.TriangleHeight, "%d");
    SymbolFelder(dlg, false, -1);
    SetzeDialogKreuz(dlg, p.FuncPenStyle == 2 ? IDC_GRAF_FUNC_GESTRICHELT : IDC_GRAF_FUNC_LINIE, true);
    SetzeDialogKreuz(dlg, p.PlotPenStyle == 2 ? IDC_GRAF_PLOT_GESTRICHELT : IDC_GRAF_PLOT_LINIE, true);
    const int abstand[3] = {IDC_GRAF_DOT_L, IDC_GRAF_DOT_M, IDC_GRAF_DOT_S};
    SetzeDialogKreuz(dlg, abstand[PunktAbstandWahl(p.DotScale)], true);
    ZeigeDialogZahl(dlg, IDC_GRAF_XNUM, p.XNumbers, "%d");
    ZeigeDialogZahl(dlg, IDC_GRAF_YNUM, p.YNumbers, "%d");
    ZeigeDialogZahl(dlg, IDC_GRAF_ZNUM, p.ZNumbers, "%d");
    ZeigeDialogZahl(dlg, IDC_GRAF_RAHMEN_BREITE, p.FrameWidth, "%d");
    ZeigeDialogZahl(dlg, IDC_GRAF_ACHSE_BREITE, p.AxisWidth, "%d");
    ZeigeDialogZahl(dlg, IDC_GRAF_PLOT_BREITE, p.PlotWidth, "%d");
    ZeigeDialogZahl(dlg, IDC_GRAF_FUNC_BREITE, p.FuncWidth, "%d");
    const int32_t daten = FarbBox(dlg, IDC_GRAF_PLOT_FARBE, p.PlotColor, 1);
    FarbBox(dlg, IDC_GRAF_FUNC_FARBE, p.FuncColor, 1);
    FarbBox(dlg, IDC_GRAF_HINTERGRUND, p.BkgColor, daten);
    SetzeDialogKreuz(dlg, IDC_GRAF_GITTER, p.ShowGrid != 0);
    SetzeDialogKreuz(dlg, IDC_GRAF_RAHMEN, p.ShowFrame != 0);
    SetzeDialogKreuz(dlg, IDC_GRAF_NUR_PUNKTE, p.OnlyXPoints != 0);
    SetzeDialogKreuz(dlg, IDC_GRAF_KEIN_XTEXT, p.ShowXText == 0);
    SetzeDialogKreuz(dlg, IDC_GRAF_KEIN_YTEXT, p.ShowYText == 0);
    const bool komplex = (g.KurvenFlags[g.AktuellerSlot()] & SLOT_KOMPLEX) != 0;
    EnableWindow(GetDlgItem(dlg, IDC_GRAF_IMAG), komplex);
    if (komplex) {
        SetzeDialogKreuz(dlg, IDC_GRAF_IMAG, p.KomplexImag != 0);
        SetzeDialogKreuz(dlg, IDC_GRAF_REAL, p.KomplexReal != 0);
    }
    const bool automatisch = p.BarWidth < 1;
    SetzeDialogKreuz(dlg, IDC_GRAF_BALKEN_AUTO, automatisch);
    if (!automatisch) ZeigeDialogZahl(dlg, IDC_GRAF_BALKEN, p.BarWidth, "%d");
    Zeige(dlg, IDC_GRAF_BALKEN, !automatisch);
    SetzeDialogKreuz(dlg, IDC_GRAF_EINZELN, g.FunktionenGetrennt != 0);
    EnableWindow(GetDlgItem(dlg, IDC_GRAF_EINZELN), g.AnzahlFunktionen > 1);
    ZeigeDialogZahl(dlg, IDC_GRAF_WINKEL, static_cast<int32_t>(HAUPTDATEN.SchraegWinkel), "%d");
    const double f = GrafikAnzeige.Faktor3D;
    SetzeDialogKreuz(dlg, IDC_GRAF_VERH2 + (f < 2.5 ? 0 : f < 3.5 ? 1 : 2), true);
    SetzeDialogKreuz(dlg, IDC_GRAF_BEREICH, g.FesterBereich != 0);
    BereichFelder(dlg, false);
    if (g.FesterBereich) {
        ZeigeDialogZahl(dlg, IDC_GRAF_YMIN, g.Zoom.FestY[0], "%.8G");
        ZeigeDialogZahl(dlg, IDC_GRAF_YMAX, g.Zoom.FestY[1], "%.8G");
        ZeigeDialogZahl(dlg, IDC_GRAF_XMIN, g.Zoom.FestX[0], "%.8G");
        ZeigeDialogZahl(dlg, IDC_GRAF_XMAX, g.Zoom.FestX[1], "%.8G");
    }
}

void GrafikSpeichern(HWND dlg)
{
    grafik_fenster& g = GrafikFenster[Arbeit.Fenster];
    PAINTINFO& p = g.Paintinfo;
    int32_t func = 0, plot = 0;
    for (int k = 0; k < 4; ++k) {
        if (DialogKreuz(dlg, FUNC_BOXEN + k)) func |= STIL_BITS[k];
        if (DialogKreuz(dlg, PLOT_BOXEN + k)) plot |= STIL_BITS[k];
    }
    p.FuncStyle = func;
    p.PlotStyle = plot;
    if ((func | plot) & 2) p.KreisRadius = DialogGanzzahl(dlg, IDC_GRAF_KREIS);
    if ((func | plot) & 4) p.TriangleHeight = DialogGanzzahl(dlg, IDC_GRAF_DREIECK);
    p.FuncHatch = Arbeit.Schraffur[0];
    p.PlotHatch = Arbeit.Schraffur[1];
    p.BarBrush = Arbeit.Erweitert;
    p.FuncPenStyle = DialogKreuz(dlg, IDC_GRAF_FUNC_GESTRICHELT) ? 2 : 0;
    p.PlotPenStyle = DialogKreuz(dlg, IDC_GRAF_PLOT_GESTRICHELT) ? 2 : 0;
    p.DotScale = PunktAbstandAusWahl(DialogKreuz(dlg, IDC_GRAF_DOT_S) ? 2 : DialogKreuz(dlg, IDC_GRAF_DOT_M) ? 1 : 0);
    p.XNumbers = DialogGanzzahl(dlg, IDC_GRAF_XNUM);
    p.YNumbers = DialogGanzzahl(dlg, IDC_GRAF_YNUM);
    p.ZNumbers = DialogGanzzahl(dlg, IDC_GRAF_ZNUM);
    p.FrameWidth = DialogGanzzahl(dlg, IDC_GRAF_RAHMEN_BREITE);
    p.AxisWidth = DialogGanzzahl(dlg, IDC_GRAF_ACHSE_BREITE);
    p.PlotWidth = DialogGanzzahl(dlg, IDC_GRAF_PLOT_BREITE);
    p.FuncWidth = DialogGanzzahl(dlg, IDC_GRAF_FUNC_BREITE);
    p.PlotColor = GewaehlteFarbe(dlg, IDC_GRAF_PLOT_FARBE);
    p.FuncColor = GewaehlteFarbe(dlg, IDC_GRAF_FUNC_FARBE);
    p.BkgColor = GewaehlteFarbe(dlg, IDC_GRAF_HINTERGRUND);
    p.ShowGrid = DialogKreuz(dlg, IDC_GRAF_GITTER) ? 1 : 0;
    p.ShowFrame = DialogKreuz(dlg, IDC_GRAF_RAHMEN) ? 1 : 0;
    p.OnlyXPoints = DialogKreuz(dlg, IDC_GRAF_NUR_PUNKTE) ? 1 : 0;
    p.ShowXText = DialogKreuz(dlg, IDC_GRAF_KEIN_XTEXT) ? 0 : 1;
    p.ShowYText = DialogKreuz(dlg, IDC_GRAF_KEIN_YTEXT) ? 0 : 1;
    if (g.KurvenFlags[g.AktuellerSlot()] & SLOT_KOMPLEX) {
        p.KomplexImag = DialogKreuz(dlg, IDC_GRAF_IMAG) ? 1 : 0;
        p.KomplexReal = DialogKreuz(dlg, IDC_GRAF_REAL) ? 1 : 0;
    }
    p.BarWidth = BalkenBreiteAusEingabe(DialogKreuz(dlg, IDC_GRAF_BALKEN_AUTO), DialogZahl(dlg, IDC_GRAF_BALKEN));
    if (g.AnzahlFunktionen > 1) g.FunktionenGetrennt = DialogKreuz(dlg, IDC_GRAF_EINZELN) ? 1 : 0;
    for (int k = 0; k < 3; ++k)
        if (DialogKreuz(dlg, IDC_GRAF_VERH2 + k)) GrafikAnzeige.Faktor3D = 2.0 + k;
    const double winkel = DialogGanzzahl(dlg, IDC_GRAF_WINKEL);
    const bool neueSchriften = winkel != static_cast<int32_t>(HAUPTDATEN.SchraegWinkel);
    if (neueSchriften) HAUPTDATEN.SchraegWinkel = winkel;
    g.FesterBereich = 0;
    if (DialogKreuz(dlg, IDC_GRAF_BEREICH)) {
        const double ymin = DialogZahl(dlg, IDC_GRAF_YMIN), ymax = DialogZahl(dlg, IDC_GRAF_YMAX);
        const double xmin = DialogZahl(dlg, IDC_GRAF_XMIN), xmax = DialogZahl(dlg, IDC_GRAF_XMAX);
        g.Zoom.FestX[0] = xmin;
        g.Zoom.FestX[1] = xmax;
        if (FesterBereichGueltig(ymin, ymax, xmin, xmax)) {
            g.Zoom.FestY[0] = ymin;
            g.Zoom.FestY[1] = ymax;
            g.FesterBereich = 1;
        }
    }
    // The slanted fonts of 3D views follow the angle.
    if (neueSchriften) g.CreateFonts();
}

}  // namespace

DRUCKER_SEITE DruckerSeite = StandardDruckerSeite;

// ---- OPTIONEN_GRAFIK ----
INT_PTR CALLBACK OptionenGrafikProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG) {
        GrafikOeffnen(dlg);
        return TRUE;
    }
    if (msg == WM_VSCROLL) {
        // The spin controls: one up or down, never below 1.
        const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
        const int feld = id == IDC_GRAF_KREIS_SPIN ? IDC_GRAF_KREIS : id == IDC_GRAF_DREIECK_SPIN ? IDC_GRAF_DREIECK : 0;
        const int art = LOWORD(wParam);
        if (!feld || (art != SB_LINEUP && art != SB_LINEDOWN)) return FALSE;
        int32_t v = DialogGanzzahl(dlg, feld) + (art == SB_LINEUP ? 1 : -1);
        if (v < 1) v = 1;
        ZeigeDialogZahl(dlg, feld, v, "%d");
        return TRUE;
    }
    if (msg != WM_COMMAND) return FALSE;
    const WORD befehl = LOWORD(wParam);
    switch (befehl) {
    case IDC_DLG_HELP:
        DialogHilfe(112);
        return TRUE;
    case IDCANCEL:
        HAUPTDATEN.BearbeitetePaintinfo = nullptr;
        EndDialog(dlg, 0);
        return TRUE;
    case IDOK:
        GrafikSpeichern(dlg);
        HAUPTDATEN.BearbeitetePaintinfo = nullptr;
        EndDialog(dlg, 1);
        return TRUE;
    case IDC_GRAF_DRUCK:
        Modal("PRINTOPT", PrintOptProc, dlg);
        return TRUE;
    case IDC_GRAF_BALKEN_AUTO:
        Zeige(dlg, IDC_GRAF_BALKEN, !DialogKreuz(dlg, IDC_GRAF_BALKEN_AUTO));
        return TRUE;
    case IDC_GRAF_BEREICH:
        BereichFelder(dlg, true);
        return TRUE;
    default:
        break;
    }
    for (int art = 0; art < 2; ++art) {
        const int erstes = art == 0 ? FUNC_BOXEN : PLOT_BOXEN;
        if (befehl < erstes || befehl > erstes + 3) continue;
        const int k = befehl - erstes;
        const bool an = DialogKreuz(dlg, befehl);
        if (k == 2 && an)
            Arbeit.Schraffur[art] = Modal("SETBARSTYLE", SetBarStyleProc, dlg, Arbeit.Schraffur[art]);
        if (k == 1 || k == 3) SymbolFelder(dlg, an, k);
        return TRUE;
    }
    return FALSE;
}

// ---- SETBARSTYLE ----
INT_PTR CALLBACK SetBarStyleProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG) {
        CenterDialog(dlg);
        const int32_t schraffur = lParam >= 0 && lParam <= 4 ? static_cast<int32_t>(lParam) : 0;
        SetzeDialogKreuz(dlg, IDC_BALKEN_HORIZONTAL + schraffur, true);
        SetzeDialogKreuz(dlg, IDC_BALKEN_ERWEITERT, Arbeit.Erweitert != 0);
        return TRUE;
    }
    if (msg != WM_COMMAND || (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL)) return FALSE;
    int32_t schraffur = 0;
    for (int32_t k = 0; k < 5; ++k)
        if (DialogKreuz(dlg, IDC_BALKEN_HORIZONTAL + k)) schraffur = k;
    Arbeit.Erweitert = DialogKreuz(dlg, IDC_BALKEN_ERWEITERT) ? 1 : 0;
    EndDialog(dlg, schraffur);
    return TRUE;
}

// ---- FONTS ----
namespace {
// The rows: height edit, index of the size pair in the application object
// (axis 0, capital 1, scale 2, inscription 3), which is also the index of
// the font description the shared fonts of that size are made from.
struct SCHRIFT_ZEILE {
    int Feld;
    int32_t Index;
};
const SCHRIFT_ZEILE SCHRIFT_ZEILEN[4] = {
    {IDC_FONTS_SKALA, 2}, {IDC_FONTS_ACHSE, 0}, {IDC_FONTS_BESCHRIFTUNG, 3}, {IDC_FONTS_TITEL, 1}};

int32_t* HoehenFeld(PAINTINFO& p, int32_t index, int32_t** breite)
{
    switch (index) {
    case 0: *breite = &p.AxisFontWidth; return &p.AxisFontHeight;
    case 1: *breite = &p.CapitalFontWidth; return &p.CapitalFontHeight;
    case 2: *breite = &p.ScaleFontWidth; return &p.ScaleFontHeight;
    default: *breite = &p.InscriptionFontWidth; return &p.InscriptionFontHeight;
    }
}
}  // namespace

INT_PTR CALLBACK FontsProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    haupt_fenster& app = HAUPTDATEN;
    if (msg == WM_INITDIALOG) {
        CenterDialog(dlg);
        for (int r = 0; r < 4; ++r) {
            const SCHRIFT_ZEILE& z = SCHRIFT_ZEILEN[r];
            ZeigeDialogZahl(dlg, z.Feld, app.Schrifthoehen[z.Index], "%d");
            const FONT_DATEN& d = app.FontDaten[z.Index];
            SetzeDialogKreuz(dlg, IDC_FONTS_GEWICHT + 3 * r + GewichtWahl(d.Gewicht), true);
            SetzeDialogKreuz(dlg, IDC_FONTS_KURSIV + r, d.Kursiv != 0);
            SetzeDialogKreuz(dlg, IDC_FONTS_UNTERSTRICHEN + r, d.Unterstrichen != 0);
        }
        return TRUE;
    }
    if (msg != WM_COMMAND) return FALSE;
    const WORD befehl = LOWORD(wParam);
    if (befehl == IDC_DLG_HELP) {
        DialogHilfe(451);
        return TRUE;
    }
    if (befehl == IDCANCEL) {
        EndDialog(dlg, 0);
        return TRUE;
    }
    if (befehl != IDOK) return FALSE;
    int32_t hoehen[4];
    for (int r = 0; r < 4; ++r) {
        hoehen[r] = DialogGanzzahl(dlg, SCHRIFT_ZEILEN[r].Feld);
        if (hoehen[r] < 1 || hoehen[r] > 200) {
            DialogFeldFehler(dlg, SCHRIFT_ZEILEN[r].Feld, "A font height must lie between 1 and 200 pixels.");
            return TRUE;
        }
    }
    const int32_t w = OffenesFenster();
    for (int r = 0; r < 4; ++r) {
        const int32_t i = SCHRIFT_ZEILEN[r].Index;
        app.Schrifthoehen[i] = hoehen[r];
        app.Schriftbreiten[i] = SchriftBreite(hoehen[r]);
        if (w >= 0) {
            int32_t* breite = nullptr;
            int32_t* hoehe = HoehenFeld(GrafikFenster[w].Paintinfo, i, &breite);
            *hoehe = hoehen[r];
            *breite = SchriftBreite(hoehen[r]);
        }
        FONT_DATEN& d = app.FontDaten[i];
        for (int k = 0; k < 3; ++k)
            if (DialogKreuz(dlg, IDC_FONTS_GEWICHT + 3 * r + k)) d.Gewicht = GewichtAusWahl(k);
        d.Kursiv = DialogKreuz(dlg, IDC_FONTS_KURSIV + r) ? 1 : 0;
        d.Unterstrichen = DialogKreuz(dlg, IDC_FONTS_UNTERSTRICHEN + r) ? 1 : 0;
    }
    if (w >= 0) GrafikFenster[w].CreateFonts();
    else app.ErzeugeSchriften("system");
    EndDialog(dlg, 1);
    return TRUE;
}

// ---- CHOOSECOLOR ----
namespace {
uint32_t FarbWahlListe[FARB_PALETTE];
int32_t FarbWahlAnzahl = 0;
}  // namespace

INT_PTR CALLBACK ChooseColorProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        CenterDialog(dlg);
        FarbWahlAnzahl = 0;
        FarbBox(dlg, IDC_FARBE_NAMEN, 0, 0, true);
        return TRUE;
    }
    if (msg != WM_COMMAND) return FALSE;
    const WORD befehl = LOWORD(wParam);
    if (befehl == IDCANCEL) {
        EndDialog(dlg, 0);
        return TRUE;
    }
    if (befehl == IDC_FARBE_NEHMEN) {
        const LRESULT k = SendDlgItemMessageA(dlg, IDC_FARBE_NAMEN, LB_GETCURSEL, 0, 0);
        if (k < 0 || k >= DIALOG_FARBEN) return TRUE;
        if (FarbWahlAnzahl >= FARB_PALETTE) {
            char text[120];
            std::snprintf(text, sizeof text, "The palette holds %d colours; this one was not added.",
                          static_cast<int>(FARB_PALETTE));
            MeldungsBox(dlg, text, "Caution !!", MB_OK | MB_ICONINFORMATION);
            return TRUE;
        }
        FarbWahlListe[FarbWahlAnzahl++] = DialogFarben[k];
        const std::string name = FarbName(static_cast<int32_t>(k));
        SendDlgItemMessageA(dlg, IDC_FARBE_WAHL, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        return TRUE;
    }
    if (befehl != IDOK) return FALSE;
    for (int32_t k = 0; k < FarbWahlAnzahl; ++k) HAUPTDATEN.Farbpalette[k] = FarbWahlListe[k];
    EndDialog(dlg, 1);
    return TRUE;
}

// ---- PRINTOPT ----
namespace {
int32_t SeiteB = 0, SeiteH = 0;
const int GROESSEN = IDC_PRINTOPT_KLEIN;

void DruckFelder(HWND dlg)
{
    const bool ganz = DialogKreuz(dlg, IDC_PRINTOPT_SEITE);
    for (int k = 0; k < 4; ++k) EnableWindow(GetDlgItem(dlg, GROESSEN + k), !ganz);
    const bool andere = !ganz && DialogKreuz(dlg, IDC_PRINTOPT_ANDERE);
    EnableWindow(GetDlgItem(dlg, IDC_PRINTOPT_X), andere);
    EnableWindow(GetDlgItem(dlg, IDC_PRINTOPT_Y), andere);
}

void ZeigeDruckGroesse(HWND dlg, int32_t k)
{
    if (SeiteB <= 0) return;
    int32_t b = 0, h = 0;
    DruckGroesse(k, SeiteB, SeiteH, &b, &h);
    ZeigeDialogZahl(dlg, IDC_PRINTOPT_X, b, "%d");
    ZeigeDialogZahl(dlg, IDC_PRINTOPT_Y, h, "%d");
}
}  // namespace

INT_PTR CALLBACK PrintOptProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    haupt_fenster& app = HAUPTDATEN;
    if (msg == WM_INITDIALOG) {
        CenterDialog(dlg);
        SeiteB = SeiteH = 0;
        if (DruckerSeite && DruckerSeite(&SeiteB, &SeiteH)) {
            char text[40];
            std::snprintf(text, sizeof text, " max: %d", static_cast<int>(SeiteB));
            SetDlgItemTextA(dlg, IDC_PRINTOPT_XMAX, text);
            std::snprintf(text, sizeof text, " max: %d", static_cast<int>(SeiteH));
            SetDlgItemTextA(dlg, IDC_PRINTOPT_YMAX, text);
        }
        const int32_t k = app.KopierGroesse >= 0 && app.KopierGroesse <= 3 ? app.KopierGroesse : 2;
        SetzeDialogKreuz(dlg, GROESSEN + k, true);
        SetzeDialogKreuz(dlg, IDC_PRINTOPT_SEITE, app.GanzeSeite != 0);
        if (k == 3) {
            ZeigeDialogZahl(dlg, IDC_PRINTOPT_X, app.KopierBreite, "%d");
            ZeigeDialogZahl(dlg, IDC_PRINTOPT_Y, app.KopierHoehe, "%d");
        } else {
            ZeigeDruckGroesse(dlg, k);
        }
        SetzeDialogKreuz(dlg, Plotter.PBkgColor ? IDC_PRINTOPT_FARBIG : IDC_PRINTOPT_WEISS, true);
        DruckFelder(dlg);
        return TRUE;
    }
    if (msg != WM_COMMAND) return FALSE;
    const WORD befehl = LOWORD(wParam);
    if (befehl == IDC_DLG_HELP) {
        DialogHilfe(113);
        return TRUE;
    }
    if (befehl == IDCANCEL) {
        EndDialog(dlg, 0);
        return TRUE;
    }
    if (befehl == IDC_PRINTOPT_SEITE) {
        DruckFelder(dlg);
        return TRUE;
    }
    if (befehl >= GROESSEN && befehl < GROESSEN + 3) {
        ZeigeDruckGroesse(dlg, befehl - GROESSEN);
        DruckFelder(dlg);
        return TRUE;
    }
    if (befehl == IDC_PRINTOPT_ANDERE) {
        DruckFelder(dlg);
        return TRUE;
    }
    if (befehl != IDOK) return FALSE;
    int32_t k = 2;
    for (int i = 0; i < 4; ++i)
        if (DialogKreuz(dlg, GROESSEN + i)) k = i;
    if (k == 3) {
        const int32_t b = DialogGanzzahl(dlg, IDC_PRINTOPT_X), h = DialogGanzzahl(dlg, IDC_PRINTOPT_Y);
        if (b < 1 || h < 1) {
            DialogFeldFehler(dlg, b < 1 ? IDC_PRINTOPT_X : IDC_PRINTOPT_Y,
                             "The print size X and Y must be whole numbers above 0.");
            return TRUE;
        }
        app.KopierBreite = b;
        app.KopierHoehe = h;
    }
    app.KopierGroesse = k;
    Plotter.SetPBkgColor(DialogKreuz(dlg, IDC_PRINTOPT_FARBIG) ? 1 : 0);
    app.GanzeSeite = DialogKreuz(dlg, IDC_PRINTOPT_SEITE) ? 1 : 0;
    EndDialog(dlg, 1);
    return TRUE;
}

int32_t GrafikOptionen()
{
    const int32_t w = OffenesFenster();
    if (w < 0) return 0;
    const int32_t r = Modal("OPTIONEN_GRAFIK", OptionenGrafikProc);
    PostMessageA(HAUPTDATEN.GrafikHandles[w], WM_COMMAND, CM_REDRAW, 0);
    return r;
}

int32_t DruckOptionen()
{
    return Modal("PRINTOPT", PrintOptProc);
}

int32_t FarbWahl()
{
    return Modal("CHOOSECOLOR", ChooseColorProc);
}

INT_PTR DruckOptionenVorDruck(HWND besitzer)
{
    return Modal("PRINTOPT", PrintOptProc, besitzer) == 1 ? IDOK : IDCANCEL;
}
