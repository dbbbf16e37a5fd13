// Drawing of a graphic-window record through the one plotting object: the
// single curve, the show-all panels, combined and 3D plots, series, the
// EXAFS fit view, the difference panel of a fit and the legend. Every
// drawing of a window (screen, printer, clipboard, dialog previews) comes
// through PaintGrafik, DrawGrafik or DrawFitView.
#include "spectra/graphic_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "spectra/graphic_layout.h"
#include "spectra/spectra_globals.h"

EXAFS_FIT_ANSICHT ExafsFitAnsicht = {0, {-1.0, -1.0}, 0, nullptr, nullptr, nullptr, nullptr,
                                     nullptr, 0, nullptr, nullptr, nullptr, {nullptr, nullptr}};
GRAFIK_ANZEIGE GrafikAnzeige = {4.0, 0, 0};

namespace {

const COLORREF ROT = 0x0000FF;
const COLORREF BLAU = 0xFF0000;
const COLORREF LILA = 0x800080;
const COLORREF GRUEN = 0x008000;
const COLORREF HELLGRUEN = 0x00FF00;
const COLORREF HELLGRAU = 0xC0C0C0;

// Ranges of the last combined or series plot; a paint with the range flag
// clear (a style toggle) reuses them.
double GehaltenY[2] = {0.0, 1.0};
double GehaltenX[2] = {0.0, 1.0};
double GehaltenR[2] = {1e30, -1e30};

ModellCallback Modell()
{
    return HAUPTDATEN.ModellCallback ? HAUPTDATEN.ModellCallback : ModellFunktion;
}

bool FensterOffen(int32_t w)
{
    return w >= 0 && w < 4 && HAUPTDATEN.GrafikHandles[w] && GrafikFenster[w].GetXFeld(-1);
}

// Window and slot of a combine-list entry (100 and more: right axis).
struct KOMBI_EINTRAG {
    int32_t Fenster, Slot;
    bool Rechts, Offen;
};
KOMBI_EINTRAG Eintrag(int32_t e)
{
    KOMBI_EINTRAG k{};
    k.Rechts = e >= 100;
    const int32_t f = k.Rechts ? e - 100 : e;
    k.Fenster = f / 10;
    k.Slot = f - 10 * k.Fenster;
    k.Offen = k.Slot >= 0 && k.Slot < 4 && FensterOffen(k.Fenster) &&
              GrafikFenster[k.Fenster].DateiInfo.PunkteProKurve[k.Slot] > 0;
    return k;
}

void LadeModell(const grafik_fenster& g)
{
    FitFunctionCount = g.AnzahlFunktionen;
    FitFunctionTypes = g.FunktionsTypen;
    FitParameters = g.Parameter;
    FitPolyDegree = g.PolyGrad;
    FitModellArt = g.ModellArt;
}

void Optionen(const PAINTINFO& p)
{
    Plotter.SetPlotOptions(p.PlotColor, p.FuncColor, p.PlotPenStyle, p.FuncPenStyle, p.PlotStyle,
                           p.FuncStyle, p.KreisRadius, p.TriangleHeight, p.OnlyXPoints);
}

// The nine fonts of a plot from the application object's eleven: in 3D
// views the slanted pair describes the depth axis.
void Schriften(bool dreiD)
{
    const HFONT* f = HAUPTDATEN.Schriften;
    Plotter.SetFonts(f[SCHRIFT_ACHSE], f[SCHRIFT_ACHSE_90], f[SCHRIFT_SYMBOL], f[SCHRIFT_SYMBOL_90],
                     f[SCHRIFT_SKALA], f[SCHRIFT_LEGENDE], f[SCHRIFT_TITEL],
                     f[dreiD ? SCHRIFT_ACHSE_SCHRAEG : SCHRIFT_ACHSE_270],
                     f[dreiD ? SCHRIFT_SYMBOL_SCHRAEG : SCHRIFT_SYMBOL_270]);
}

void Einstellungen(grafik_fenster& g, bool dreiD)
{
    if (g.EinstellungenBehalten) return;
    Plotter.SetPaintinfo(&g.Paintinfo);
    const int32_t* b = HAUPTDATEN.Schriftbreiten;
    const int32_t* h = HAUPTDATEN.Schrifthoehen;
    Plotter.SetScalExtent(b[0], h[0], b[3], h[3], b[2], h[2], b[1], h[1]);
    Schriften(dreiD);
}

// The slot's complex layout applies to its own arrays only: the fit view's
// arrays handed in by the EXAFS panel are real curves.
void Komplex(grafik_fenster& g, int32_t slot, int32_t n)
{
    if ((g.KurvenFlags[slot] & SLOT_KOMPLEX) && Plotter.GetXField() == g.GetXFeld(slot))
        Plotter.SetKomplex(1, n + 1, n);
    else Plotter.SetKomplex(0, 0, 0);
}

void Beschriftung(const grafik_fenster& g, int32_t s)
{
    Plotter.SetXYBeschriftung(g.XText[s], g.YText[s], g.FensterText,
                              g.Paintinfo.BeschriftungFlags, g.ZText[s]);
}

// Legend lines at their data positions; lines whose position lies outside
// the plot are left out.
void Legende(const grafik_fenster& g, HDC dc, bool leerzeichen)
{
    const int32_t anzahl = static_cast<int32_t>(g.LegendenAnzahl);
    if (anzahl <= 0) return;
    const char* p = g.LegendenText;
    const char* ende = g.LegendenText + LEGENDE_BYTES;
    for (int32_t j = 0; j < anzahl && j < LEGENDE_ZEILEN && p < ende && *p; ++j) {
        char zeile[104];
        int32_t k = 0;
        while (p < ende && *p && *p != '\n') {
            if (k < 99) zeile[k++] = *p;
            ++p;
        }
        if (p < ende && *p == '\n') ++p;
        zeile[k] = '\0';
        if (leerzeichen) std::strcat(zeile, "  ");
        int px = 0, py = 0;
        if (Plotter.GetScreen(g.LegendenPos[2 * j], g.LegendenPos[2 * j + 1], px, py))
            Plotter.InscribeLegend(dc, zeile, px, py);
    }
}

// The two overlay arrays of an EXAFS fit over the curve.
void Ueberlagerung(const grafik_fenster& g, HDC dc, double* x, double* y, int32_t n)
{
    double* const* o = ExafsFitAnsicht.Ueberlagerung;
    if (!o[0] || !o[1]) return;
    const PAINTINFO& p = g.Paintinfo;
    Plotter.SetFieldFunction(x, o[0], Modell(), nullptr, n);
    Plotter.SetPlotOptions(0, 0, 0, 0, p.PlotStyle, p.FuncStyle, p.KreisRadius, p.TriangleHeight,
                           p.OnlyXPoints);
    Plotter.PlotFieldFunction(dc, 1, 0, 0, 0);
    Plotter.SetFieldFunction(x, o[1], Modell(), nullptr, n);
    Plotter.SetPlotOptions(p.FuncColor, p.FuncColor, 1, 1, p.FuncStyle, p.FuncStyle, p.KreisRadius,
                           p.TriangleHeight, p.OnlyXPoints);
    Plotter.PlotFieldFunction(dc, 1, 0, 0, 0);
    Optionen(p);
    Plotter.SetFieldFunction(x, y, Modell(), nullptr, n);
}

// k or R space of the EXAFS fit: grid, experiment, theory and difference.
struct EXAFS_RAUM {
    bool KRaum;
    double* Gitter;
    double* Experiment;
    double* Theorie;
    double* Differenz;
    int32_t Punkte;
};
EXAFS_RAUM ExafsRaum()
{
    const EXAFS_FIT_ANSICHT& e = ExafsFitAnsicht;
    EXAFS_RAUM r{};
    r.KRaum = e.KGewicht[0] < 0.0 && e.KGewicht[1] < 0.0;
    if (r.KRaum) {
        r.Gitter = e.KGitter;
        r.Experiment = e.KExperiment;
        r.Theorie = e.KTheorie;
        r.Differenz = e.KDifferenz;
        const double m = e.KGitter ? e.KGitter[5000] : 0.0;
        r.Punkte = (m > 0.0 && m < 5000.0) ? static_cast<int32_t>(m) : 0;
    } else {
        r.Gitter = e.RGitter;
        r.Experiment = e.RExperiment;
        r.Theorie = e.RTheorie;
        r.Differenz = e.RDifferenz;
        r.Punkte = e.RPunkte;
    }
    if (!r.Gitter || r.Punkte < 2) r.Punkte = 0;
    return r;
}

// Left half of the two-panel EXAFS fit view: the fit in k or R space.
void ExafsPanel(grafik_fenster& g, HDC dc, const FLAECHE& f)
{
    const EXAFS_FIT_ANSICHT& e = ExafsFitAnsicht;
    const EXAFS_RAUM r = ExafsRaum();
    if (!r.Punkte || !r.Experiment) return;
    const int32_t s = g.AktuellerSlot();
    char xAlt[GRAFIK_TEXT], yAlt[GRAFIK_TEXT];
    std::memcpy(xAlt, g.XText[s], GRAFIK_TEXT);
    std::memcpy(yAlt, g.YText[s], GRAFIK_TEXT);
    COLORREF theorieFarbe = LILA;
    if (r.KRaum) {
        std::snprintf(g.XText[s], GRAFIK_TEXT, "k, (A~{-1})");
        std::snprintf(g.YText[s], GRAFIK_TEXT, "chi(k)*k~{%d}), No Fit!", static_cast<int>(e.FitKGewicht));
    } else {
        std::snprintf(g.XText[s], GRAFIK_TEXT, "R, (A)");
        if (e.KGewicht[0] >= 0.0) {
            std::snprintf(g.YText[s], GRAFIK_TEXT, "FT(chi(k)*k~{%d})", static_cast<int>(e.KGewicht[0]));
            theorieFarbe = BLAU;
        } else {
            std::snprintf(g.YText[s], GRAFIK_TEXT, "FT(chi(k)*k~{%d}), No Fit!", static_cast<int>(e.KGewicht[1]));
        }
    }
    Plotter.GraphDimension(f.Links, f.Oben, f.Breite, f.Hoehe, HAUPTDATEN.Schriftbreiten[0],
                           HAUPTDATEN.Schrifthoehen[0]);
    Plotter.SetFieldFunction(r.Gitter, r.Experiment, Modell(), nullptr, r.Punkte);
    // The experiment in red through the window's own settings.
    const PAINTINFO gesichert = g.Paintinfo;
    g.Paintinfo.PlotColor = g.Paintinfo.FuncColor = ROT;
    g.Paintinfo.PlotStyle = 1;
    g.Paintinfo.PlotPenStyle = 0;
    g.Paintinfo.OnlyXPoints = 0;
    g.DrawFitView(dc, r.Gitter[r.Punkte - 1], r.Gitter[0], 0, 1);
    g.Paintinfo = gesichert;
    if (r.Theorie) {
        Plotter.SetFieldFunction(r.Gitter, r.Theorie, Modell(), nullptr, r.Punkte);
        Plotter.SetPlotOptions(theorieFarbe, theorieFarbe, 0, 0, 1, 1, g.Paintinfo.KreisRadius,
                               g.Paintinfo.TriangleHeight, 0);
        Plotter.PlotFieldFunction(dc, g.ZeigeDaten, 0, 0, 0);
    }
    Optionen(g.Paintinfo);
    std::memcpy(g.XText[s], xAlt, GRAFIK_TEXT);
    std::memcpy(g.YText[s], yAlt, GRAFIK_TEXT);
    g.SetFullBorder();
}

// x axis of a frame: its column, right end and range.
struct X_LAGE {
    int32_t Spalte = 0, Rechts = 0;
    double XMin = 0.0, XMax = 0.0;
};
X_LAGE LetzteLage()
{
    const int32_t spalte = Plotter.GraphLeft + Plotter.LeftMargin;
    return X_LAGE{spalte, spalte + Plotter.GraphWidth - 1, Plotter.XMin, Plotter.XMax};
}

// The difference curve of a fit under the plot. The plot above and its
// difference panel share one x axis: a first pass (messen) lays the panels
// out on a scratch context and notes the room their numbers need (lage),
// the plots take at least that room, and the drawing pass gets the plots'
// x axes in lage.
void DifferenzPanel(grafik_fenster& g, HDC dc, int32_t left, int32_t top, int32_t width,
                    int32_t height, bool zweiPanels, X_LAGE lage[2], bool messen)
{
    const PAINTINFO& p = g.Paintinfo;
    const int32_t s = g.AktuellerSlot();
    const int32_t n = g.Punkte();
    double* x = g.GetXFeld(-1);
    FLAECHE d = DifferenzFlaeche(left, top, width, height);
    const int32_t cw = HAUPTDATEN.Schriftbreiten[0], ch = HAUPTDATEN.Schrifthoehen[0];
    char yAlt[VANTOR_LABEL_SIZE] = "";
    Plotter.GetY(yAlt);
    auto rahmen = [&](int32_t i) {
        const X_LAGE& l = lage[i];
        if (!messen) Plotter.SetXLayout(l.Spalte, l.Rechts, l.XMin, l.XMax);
        Plotter.SetNoReduction(1);
        const int ok = Plotter.PlotFrame(dc, g.ZeigeDaten, 0, 1);
        if (ok && messen) lage[i] = LetzteLage();
        if (!ok || messen) return false;
        Plotter.SetPlotOptions(GRUEN, GRUEN, p.PlotPenStyle, p.FuncPenStyle, p.PlotStyle, p.FuncStyle,
                               p.KreisRadius, p.TriangleHeight, p.OnlyXPoints);
        return true;
    };
    if (zweiPanels) {
        const EXAFS_RAUM r = ExafsRaum();
        const FLAECHE links = HalbPanel(0, d.Links, d.Oben, d.Breite, d.Hoehe);
        if (r.Punkte && r.Differenz) {
            Plotter.GraphDimension(links.Links, links.Oben, links.Breite, links.Hoehe, cw, ch);
            Plotter.SetFieldFunction(r.Gitter, r.Differenz, Modell(), nullptr, r.Punkte);
            Plotter.SetBorder(r.Gitter[0], r.Gitter[r.Punkte - 1]);
            Plotter.SetMinMax(0.0, 0.0, 0.0, 0.0);
            Plotter.SetXYBeschriftung(r.KRaum ? "k, (A~{-1})" : "R, (A)", "Difference", nullptr,
                                      p.BeschriftungFlags);
            if (rahmen(0)) Plotter.PlotFieldFunction(dc, g.ZeigeDaten, 0, 0, 0);
            Optionen(p);
        }
        d = HalbPanel(1, d.Links, d.Oben, d.Breite, d.Hoehe);
        if (n > 0) Plotter.SetBorder(x[0], x[n - 1]);
    }
    if (!FitDifferenzen || n < 1) return;
    Plotter.GraphDimension(d.Links, d.Oben, d.Breite, d.Hoehe, cw, ch);
    Plotter.SetFieldFunction(x, FitDifferenzen, Modell(), nullptr, n);
    Plotter.SetMinMax(0.0, 0.0, 0.0, 0.0);
    Plotter.SetXYBeschriftung(g.XText[s], "Difference", g.FensterText, p.BeschriftungFlags, g.ZText[s]);
    if (rahmen(zweiPanels ? 1 : 0)) Plotter.PlotFieldFunction(dc, g.ZeigeDaten, 0, 0, 0);
    Optionen(p);
    Plotter.SetY(yAlt);
}

// y range of slot `slot` of a record (its curve counter is kept).
void SlotMinMax(grafik_fenster& q, int32_t slot, double xlo, double xhi, int32_t drittes,
                double* ymin, double* ymax)
{
    const int32_t zaehler = q.KurvenZaehler;
    q.KurvenZaehler = zaehler - (zaehler & 3) + slot;
    q.GetMinMax(ymin, ymax, xlo, xhi, drittes);
    q.KurvenZaehler = zaehler;
}

// Offsets of the combine list's curves (0 unless the combine mode is above 10).
void Versaetze(const grafik_fenster& g, int32_t anzahl, KOMBI_EINTRAG* eintraege, double* versatz)
{
    bool offen[16];
    for (int32_t k = 0; k < anzahl; ++k) {
        eintraege[k] = Eintrag(g.KombiListe[k]);
        offen[k] = eintraege[k].Offen;
        versatz[k] = 0.0;
    }
    if (g.KombiModus > 10) KombiVersaetze(g.KombiListe, offen, anzahl, g.KombiVersatz, versatz);
}

int32_t KombiLaenge(const grafik_fenster& g)
{
    return std::max(0, std::min<int32_t>(g.KombiAnzahl, 16));
}

}  // namespace

void grafik_fenster::PaintGrafik(HDC dc, int32_t left, int32_t top, int32_t width, int32_t height,
                                 int32_t charWidth, int32_t charHeight)
{
    if (!GetXFeld(-1) || !GetYFeld(-1)) return;
    const bool fit = HAUPTDATEN.FitZustand != 0;
    if (fit) {
        Multiplot = 0;
        Kombinieren = 0;
    }
    const int32_t hoehe = PlotHoehe(height, HAUPTDATEN.FitZustand);
    const int32_t gemerkt = KurvenZaehler;
    const int32_t gemerkterSlot = gemerkt & 3;
    const bool alle = Multiplot != 0;
    const bool zweiPanels = !alle && fit && ExafsFitAnsicht.Anzeige == 1;
    const int32_t cw = HAUPTDATEN.Schriftbreiten[0], ch = HAUPTDATEN.Schrifthoehen[0];
    X_LAGE lage[2];
    if (fit) {
        HDC mess = CreateCompatibleDC(dc);
        if (!mess) mess = CreateCompatibleDC(nullptr);
        DifferenzPanel(*this, mess, left, top, width, height, zweiPanels, lage, true);
        DeleteDC(mess);
    }

    int32_t panels = 1;
    if (alle) {
        panels = AllePanels(NeuesterZaehler);
        ZeigeFunktion = 0;
    } else if (Kombinieren && ZeigeDaten &&
               !((KurvenFlags[gemerkterSlot] & SLOT_FIT_ANSICHT) && ZeigeFunktion)) {
        DrawGrafik(dc, left, top, width, hoehe, charWidth, charHeight);
        panels = 0;
    } else if (zweiPanels) {
        panels = 2;
    }

    for (int32_t i = 0; i < panels; ++i) {
        FLAECHE f{left, top, width, hoehe};
        if (alle) {
            KurvenZaehler = gemerkt - gemerkterSlot + i;
            if (i >= 2) Plotter.SetClipboard(0);
            f = AllePanel(panels, i, left, top, width, hoehe);
        } else if (zweiPanels) {
            f = HalbPanel(i, left, top, width, hoehe);
        }
        const int32_t s = AktuellerSlot();
        const int32_t n = Punkte();
        double* x = XFeld[s];
        double* y = YFeld[s];
        if (n >= 1 && n <= FeldGroesse()) {
            if (Zoom.Aktiv) {
                Grenzen[0] = Zoom.XOben;
                Grenzen[1] = Zoom.XUnten;
            } else if (ZeigeDaten) {
                Grenzen[0] = x[n - 1];
                Grenzen[1] = x[0];
            }
        }
        const bool markiert = alle && i == gemerkterSlot;
        if (markiert) {
            Rectangle(dc, f.Links, f.Oben, f.Links + f.Breite, f.Oben + f.Hoehe);
            if (Kombinieren && !(KurvenFlags[s] & SLOT_FIT_ANSICHT)) {
                DrawGrafik(dc, f.Links, f.Oben, f.Breite, f.Hoehe, charWidth, charHeight);
                continue;
            }
        }
        const int32_t l = i < 2 ? i : 0;
        if (fit) Plotter.SetXLayout(lage[l].Spalte, lage[l].Rechts, 0.0, 0.0);
        if (zweiPanels && i == 0) {
            ExafsPanel(*this, dc, f);
            lage[0] = LetzteLage();
            continue;
        }
        if (n < 1 || n > FeldGroesse()) continue;
        Plotter.GraphDimension(f.Links, f.Oben, f.Breite, f.Hoehe, cw, ch);
        Plotter.SetFieldFunction(x, y, Modell(), nullptr, n);
        DrawFitView(dc, Grenzen[0], Grenzen[1], ZeigeFunktion, ZeigeDaten);
        if (fit) lage[l] = LetzteLage();
        if (!alle || markiert) Legende(*this, dc, true);
    }
    KurvenZaehler = gemerkt;
    if (fit) DifferenzPanel(*this, dc, left, top, width, height, zweiPanels, lage, false);
}

void grafik_fenster::DrawFitView(HDC dc, double upper, double lower, int32_t showFunction,
                                 int32_t showData)
{
    LadeModell(*this);
    const int32_t s = AktuellerSlot();
    const int32_t n = Punkte();
    const bool fit = HAUPTDATEN.FitZustand != 0;
    double xlo = lower, xhi = upper;
    if (FesterBereich && !fit) {
        xlo = Zoom.FestX[0];
        xhi = Zoom.FestX[1];
    }
    Plotter.SetBorder(xlo, xhi);
    const bool getrennt = FunktionenGetrennt && AnzahlFunktionen >= 2 && showFunction;
    int32_t automatisch = 0;
    if (Zoom.Aktiv) {
        Plotter.SetMinMax(Zoom.YUnten, Zoom.YOben);
    } else if (FesterBereich && !fit) {
        Plotter.SetMinMax(Zoom.FestY[0], Zoom.FestY[1], Zoom.FestX[0], Zoom.FestX[1]);
    } else if (getrennt) {
        double a = 0.0, b = 0.0;
        GetModellMinMax(&a, &b, xlo, xhi);
        Plotter.SetMinMax(a, b);
        Plotter.SetMMFeld(1);
    } else {
        Plotter.SetMinMax(0.0, 0.0);
        automatisch = 1;
    }
    Einstellungen(*this, false);
    Komplex(*this, s, n);
    Beschriftung(*this, s);
    // Without a frame there is no layout to draw the curves into.
    if (!Plotter.PlotFrame(dc, showData, showFunction, automatisch)) return;
    Komplex(*this, s, n);
    Plotter.PlotFieldFunction(dc, showData, showFunction, 0, 0);
    if (Kombinieren && (KurvenFlags[s] & SLOT_FIT_ANSICHT) && showFunction)
        Ueberlagerung(*this, dc, XFeld[s], YFeld[s], n);
    if (!getrennt) return;

    const PAINTINFO& p = Paintinfo;
    for (int32_t j = 1; j <= AnzahlFunktionen; ++j) {
        if (j == GrafikAnzeige.GewaehlteFunktion)
            Plotter.SetPlotOptions(p.PlotColor, HELLGRUEN, p.PlotPenStyle, 1, p.PlotStyle, p.FuncStyle,
                                   p.KreisRadius, p.TriangleHeight, p.OnlyXPoints);
        else
            Plotter.SetPlotOptions(p.PlotColor, LILA, p.PlotPenStyle, 1, p.PlotStyle, p.FuncStyle,
                                   p.KreisRadius, p.TriangleHeight, p.OnlyXPoints);
        SetFunktionFlag(j, 1);
        Plotter.PlotFieldFunction(dc, 0, showFunction, 0, 0);
    }
    SetFunktionFlag(0, 0);
    Optionen(p);
}

void grafik_fenster::DrawGrafik(HDC dc, int32_t left, int32_t top, int32_t width, int32_t height,
                                int32_t charWidth, int32_t charHeight)
{
    LadeModell(*this);
    const int32_t s = AktuellerSlot();
    const int32_t n = Punkte();
    Plotter.SetFieldFunction(XFeld[s], YFeld[s], Modell(), nullptr, n);
    const bool serie = SerienFrames > 0;
    if (BereichNeu) {
        double xlo = 0.0, xhi = 0.0;
        if (serie) {
            GetSeriesRange(&GehaltenY[0], &GehaltenY[1], &xlo, &xhi);
            GehaltenR[0] = 1e30;
            GehaltenR[1] = -1e30;
        } else {
            GetPlotRange(&GehaltenY[0], &GehaltenY[1], &xlo, &xhi, &GehaltenR[0], &GehaltenR[1]);
        }
        GehaltenX[0] = xlo;
        GehaltenX[1] = xhi;
    }
    if (serie) ZeigeFunktion = 0;
    double xlo = GehaltenX[0], xhi = GehaltenX[1], ylo = GehaltenY[0], yhi = GehaltenY[1];
    double rlo = GehaltenR[0], rhi = GehaltenR[1];
    if (Zoom.Aktiv) {
        xlo = Zoom.XUnten;
        xhi = Zoom.XOben;
        ylo = Zoom.YUnten;
        yhi = Zoom.YOben;
    }
    if (FesterBereich) {
        xlo = rlo = Zoom.FestX[0];
        xhi = rhi = Zoom.FestX[1];
        ylo = Zoom.FestY[0];
        yhi = Zoom.FestY[1];
    }
    Plotter.SetBorder(xlo, xhi);
    Plotter.SetMinMax(ylo, yhi, rlo, rhi);

    Plotter.GraphDimension(left, top, width, height, charWidth, charHeight);
    int32_t liste[1 + 16];
    if (MultiplotAktiv) {
        liste[0] = std::max(0, std::min<int32_t>(MultiplotAnzahl, 16));
        std::memcpy(liste + 1, MultiplotListe, sizeof MultiplotListe);
        Plotter.SetMultiplot(1, liste);
    } else {
        Plotter.SetMultiplot(0, nullptr);
    }
    Einstellungen(*this, Modus3D != 0);
    const double zlo = ZBereich[1], zhi = ZBereich[0];
    const double winkel = HAUPTDATEN.SchraegWinkel, faktor = GrafikAnzeige.Faktor3D;
    Plotter.Set3D(Modus3D, zlo, zhi, 1e8, winkel, faktor);
    Beschriftung(*this, s);
    const bool rechteAchse = !serie && GehaltenR[0] < 1e30 && GehaltenR[1] > -1e30;
    Plotter.SetRightAxis(rechteAchse ? 1 : 0);
    if (!Plotter.PlotFrame(dc, 1, ZeigeFunktion, 0)) {
        Plotter.SetFieldFunction(XFeld[s], YFeld[s], Modell(), nullptr, n);
        if (MultiplotAktiv) Plotter.SetMultiplot(0, nullptr);
        return;
    }

    if (serie) {
        DrawSeries(dc, ylo, yhi);
    } else {
        const PAINTINFO& p = Paintinfo;
        const int32_t anzahl = KombiLaenge(*this);
        KOMBI_EINTRAG eintraege[16];
        double versatz[16];
        Versaetze(*this, anzahl, eintraege, versatz);
        std::vector<double> verschoben;
        int32_t gezeichnet = 0;
        for (int32_t k = 0; k < anzahl; ++k) {
            const KOMBI_EINTRAG& e = eintraege[k];
            if (!e.Offen) continue;
            grafik_fenster& q = GrafikFenster[e.Fenster];
            const int32_t m = q.DateiInfo.PunkteProKurve[e.Slot];
            const bool komplex = (q.KurvenFlags[e.Slot] & SLOT_KOMPLEX) && 2 * m + 1 <= q.FeldGroesse();
            double* xs = q.XFeld[e.Slot];
            double* ys = q.YFeld[e.Slot];
            // The offset goes into a drawing copy; the stored curve keeps its values.
            if (versatz[k] != 0.0) {
                verschoben.assign(ys, ys + (komplex ? 2 * m + 1 : m));
                for (int32_t i = 0; i < m; ++i) verschoben[i] += versatz[k];
                if (komplex) verschoben[m] += versatz[k];
                ys = verschoben.data();
            }
            Plotter.SetFieldFunction(xs, ys, Modell(), e.Rechts ? ys : nullptr, m);
            if (komplex) Plotter.SetKomplex(1, m + 1, m);
            else Plotter.SetKomplex(0, 0, 0);
            if (Modus3D) {
                Plotter.Set3D(Modus3D, zlo, zhi, TiefenPosition(zlo, zhi, anzahl, k), winkel, faktor);
            } else {
                Plotter.SetPlotOptions(HAUPTDATEN.Farbpalette[gezeichnet % 10], p.FuncColor,
                                       p.PlotPenStyle, p.FuncPenStyle, p.PlotStyle, p.FuncStyle,
                                       p.KreisRadius, p.TriangleHeight, p.OnlyXPoints);
            }
            const bool balken = (p.PlotStyle & 0x40) || (MultiplotAktiv && (MultiplotListe[k] & 0x40));
            if (balken) Plotter.SetBrushStyle(k % 6, p.FuncHatch, p.BarBrush);
            Plotter.SetRightAxis(e.Rechts ? 1 : 0);
            if (MultiplotAktiv) Plotter.SetMultiplotEntry(k);
            Plotter.PlotFieldFunction(dc, 1, 0, 0, 0);
            Plotter.SetRightAxis(0);
            Optionen(p);
            Plotter.SetBrushStyle(p.PlotHatch, p.FuncHatch, p.BarBrush);
            ++gezeichnet;
        }
        if (ZeigeFunktion) {
            Plotter.SetFieldFunction(XFeld[s], YFeld[s], Modell(), nullptr, n);
            Plotter.PlotFieldFunction(dc, 0, ZeigeFunktion, 0, 0);
            if (AnzahlFunktionen >= 2 && FunktionenGetrennt) {
                Plotter.SetPlotOptions(p.PlotColor, LILA, p.PlotPenStyle, 2, p.PlotStyle, p.FuncStyle,
                                       p.KreisRadius, p.TriangleHeight, p.OnlyXPoints);
                for (int32_t j = 1; j <= AnzahlFunktionen; ++j) {
                    SetFunktionFlag(j, 1);
                    Plotter.PlotFieldFunction(dc, 0, ZeigeFunktion, 0, 0);
                }
                SetFunktionFlag(0, 0);
                Optionen(p);
            }
        }
        const COLORREF alt = SetBkColor(dc, HELLGRAU);
        Legende(*this, dc, false);
        SetBkColor(dc, alt);
    }
    Plotter.SetFieldFunction(XFeld[s], YFeld[s], Modell(), nullptr, n);
    if (MultiplotAktiv) Plotter.SetMultiplot(0, nullptr);
}

int32_t grafik_fenster::GetPlotRange(double* ylo, double* yhi, double* xlo, double* xhi,
                                     double* rlo, double* rhi)
{
    double yl = 1e30, yh = -1e30, rl = 1e30, rh = -1e30;
    if (!FesterBereich && FunktionenGetrennt && AnzahlFunktionen >= 2 && ZeigeFunktion) {
        LadeModell(*this);
        GetModellMinMax(&yl, &yh, *xlo, *xhi);
    }
    const int32_t anzahl = KombiLaenge(*this);
    KOMBI_EINTRAG eintraege[16];
    double versatz[16];
    Versaetze(*this, anzahl, eintraege, versatz);
    const bool ungesetzt = *xlo == 0.0 && *xhi == 0.0;
    if (ungesetzt) {
        *xlo = 1e30;
        *xhi = -1e30;
        for (int32_t k = 0; k < anzahl; ++k) {
            const KOMBI_EINTRAG& e = eintraege[k];
            if (!e.Offen) continue;
            const grafik_fenster& q = GrafikFenster[e.Fenster];
            const int32_t m = q.DateiInfo.PunkteProKurve[e.Slot];
            *xlo = std::min(*xlo, q.XFeld[e.Slot][0]);
            *xhi = std::max(*xhi, q.XFeld[e.Slot][m - 1]);
        }
    }
    if (FesterBereich) {
        yl = Zoom.FestY[0];
        yh = Zoom.FestY[1];
    } else {
        for (int32_t k = 0; k < anzahl; ++k) {
            const KOMBI_EINTRAG& e = eintraege[k];
            if (!e.Offen) continue;
            double a = 0.0, b = 0.0;
            SlotMinMax(GrafikFenster[e.Fenster], e.Slot, ungesetzt ? 0.0 : *xlo,
                       ungesetzt ? 0.0 : *xhi, Paintinfo.KomplexImag, &a, &b);
            if (a > b) continue;  // no point inside the x range
            a += versatz[k];
            b += versatz[k];
            double& lo = e.Rechts ? rl : yl;
            double& hi = e.Rechts ? rh : yh;
            lo = std::min(lo, a);
            hi = std::max(hi, b);
        }
    }
    *ylo = yl;
    *yhi = yh;
    *rlo = rl;
    *rhi = rh;
    return anzahl;
}

namespace {

// Reads the abscissa and the listed frames of the series in `g`; frame i
// of the result is drawn i-th. Returns the point count (0 when the file
// cannot be read: the frames are then empty).
int32_t LeseSerie(grafik_fenster& g, std::vector<double>& abszisse,
                  std::vector<std::vector<double>>& frames)
{
    const int32_t anzahl = std::max(0, std::min<int32_t>(g.SerienFrames, SERIEN_LISTE));
    const int32_t kapazitaet = (g.DateiInfo.Punkte > 0 ? g.DateiInfo.Punkte : MIN_FELD_PUNKTE) + 5;
    abszisse.assign(kapazitaet, 0.0);
    frames.assign(anzahl, std::vector<double>(kapazitaet, 0.0));
    const int32_t ySpalte = g.DateiInfo.YSpalte;
    int32_t punkte = 0;
    if (g.ReadSeriesFrame(abszisse.data(), 0, kapazitaet) == 0) {
        punkte = std::max(0, g.ReadSeriesFrame(abszisse.data(), 1, kapazitaet));
        const bool rueckwaerts = anzahl >= 2 && g.SerienListe[0] > g.SerienListe[1];
        for (int32_t i = 0; i < anzahl; ++i) {
            const int32_t nummer = g.SerienListe[rueckwaerts ? anzahl - 1 - i : i];
            const int32_t m = g.ReadSeriesFrame(frames[i].data(), nummer, kapazitaet);
            if (m < punkte) std::fill(frames[i].begin() + std::max(0, m), frames[i].end(), 0.0);
        }
        g.ReadSeriesFrame(abszisse.data(), -1, kapazitaet);
    }
    g.DateiInfo.YSpalte = ySpalte;
    return punkte;
}

}  // namespace

int32_t grafik_fenster::GetSeriesRange(double* ylo, double* yhi, double* xlo, double* xhi)
{
    const bool ungesetzt = *xlo == 0.0 && *xhi == 0.0;
    if (ungesetzt) {
        *xlo = 1e30;
        *xhi = -1e30;
    }
    std::vector<double> abszisse;
    std::vector<std::vector<double>> frames;
    const int32_t punkte = LeseSerie(*this, abszisse, frames);
    double yl = 1e30, yh = -1e30;
    if (punkte > 0) {
        *xlo = std::min(*xlo, abszisse[0]);
        *xhi = std::max(*xhi, abszisse[punkte - 1]);
        for (const std::vector<double>& f : frames)
            for (int32_t i = 0; i < punkte; ++i) {
                yl = std::min(yl, f[i]);
                yh = std::max(yh, f[i]);
            }
    }
    SerienYOben = yh;
    if (SerienModus >= 10) yh += SerienZuwachs(SerienModus, yh, yl, SerienFrames, SerienSchritt);
    *ylo = yl;
    *yhi = yh;
    return 1;
}

void grafik_fenster::DrawSeries(HDC dc, double ylo, double /*yhi*/)
{
    std::vector<double> abszisse;
    std::vector<std::vector<double>> frames;
    const int32_t punkte = LeseSerie(*this, abszisse, frames);
    const int32_t anzahl = static_cast<int32_t>(frames.size());
    const double schritt =
        SerienModus >= 10 ? SerienVersatz(SerienModus, SerienYOben, ylo, anzahl, SerienSchritt) : 0.0;
    for (int32_t i = 0; i < anzahl; ++i)
        for (int32_t k = 0; k < punkte; ++k) frames[i][k] += i * schritt;

    const PAINTINFO& p = Paintinfo;
    const double zlo = ZBereich[1], zhi = ZBereich[0];
    const int32_t hervor = GrafikAnzeige.Hervorhebung;
    for (int32_t i = 0; i < anzahl && punkte > 0; ++i) {
        Plotter.SetFieldFunction(abszisse.data(), frames[i].data(), Modell(), nullptr, punkte);
        if (Modus3D)
            Plotter.Set3D(Modus3D, zlo, zhi, TiefenPosition(zlo, zhi, anzahl, i),
                          HAUPTDATEN.SchraegWinkel, GrafikAnzeige.Faktor3D);
        if (hervor > 0 && i > 0 && (i + 1) % hervor == 0)
            Plotter.SetPlotOptions(BLAU, BLAU, p.PlotPenStyle, p.FuncPenStyle, p.PlotStyle, p.FuncStyle,
                                   p.KreisRadius, p.TriangleHeight, p.OnlyXPoints);
        else
            Optionen(p);
        Plotter.PlotFieldFunction(dc, 1, 0, 0, 0);
    }
    Optionen(p);
    KombiModus = 0;
    const COLORREF alt = SetBkColor(dc, HELLGRAU);
    Legende(*this, dc, false);
    SetBkColor(dc, alt);
    // The frames are gone with this call: the plotting object gets the
    // window's curve back.
    const int32_t s = AktuellerSlot();
    Plotter.SetFieldFunction(XFeld[s], YFeld[s], Modell(), nullptr, Punkte());
}

LRESULT MaleGrafikFenster(HWND fenster)
{
    const int32_t i = HAUPTDATEN.GetFensterNummer(fenster);
    if (i < 0) return 0;
    const int32_t anzahl = FitFunctionCount;
    int32_t* typen = FitFunctionTypes;
    double* parameter = FitParameters;
    const int32_t grad = FitPolyDegree;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(fenster, &ps);
    RECT r;
    GetClientRect(fenster, &r);
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    GrafikFenster[i].PaintGrafik(dc, 0, 0, r.right, r.bottom, HAUPTDATEN.ZeichenBreite,
                                 HAUPTDATEN.ZeichenHoehe);
    EndPaint(fenster, &ps);
    FitFunctionCount = anzahl;
    FitFunctionTypes = typen;
    FitParameters = parameter;
    FitPolyDegree = grad;
    return 1;
}
