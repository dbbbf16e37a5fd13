// The quick XAS reduction (835, 838, 839, 840): the ordinary XAFS commands
// run one after the other through the dispatcher with prepared values (edge,
// background and normalisation, conversion to k, mu0 spline fit, Fourier
// transform), each writing its own slot and history line. Every step is
// checked: the chain stops at the first one that reports an error or makes
// no curve, says which step that was, and keeps the curves made so far.
// The rules are in quick_xas_core.cpp.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "resource_ids.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/spectra_globals.h"
#include "xas/quick_xas.h"
#include "xas/section_dialog_win.h"
#include "xas/xas_commands_win.h"
#include "xas/xas_entries.h"

namespace {

const int32_t FEHLER_MAKRO = 1000;
const char* const X_ENERGIE = "photon energy [keV]";
const char* const Y_ABSORPTION = "absorption [a.u.]";
const char* const Y_NORM = "norm. absorption [a.u.]";
const char* const X_K = "k [\xC5~{-1}]";
const char* const Y_CHI3 = "^c(k)*k~3";
const char* const X_R = "R [\xC5]";
const char* const Y_FT3 = "FT(^c(k)*k~3)";

// A curve kept apart from the ring.
struct Kurve {
    std::vector<double> x, y;
};

// One run of the chain on its window.
struct Kette {
    haupt_fenster& app;
    grafik_fenster& g;
    int32_t fenster;
    bool vorbereitet;
    int32_t schritt = 0;

    double* DW() const { return app.DialogWerte; }
    int32_t Slot() const { return g.AktuellerSlot(); }
    double* X() const { return g.XFeld[Slot()]; }
    double* Y() const { return g.YFeld[Slot()]; }
    int32_t N() const { return g.Punkte(); }

    void Texte(const char* x, const char* y) const
    {
        std::snprintf(g.XText[Slot()], GRAFIK_TEXT, "%s", x);
        std::snprintf(g.YText[Slot()], GRAFIK_TEXT, "%s", y);
    }

    // A message that ends the run: a box, or 1000 for the macro player.
    void Melden(const char* text) const
    {
        if (vorbereitet || MakroRunning) {
            FehlerCode = FEHLER_MAKRO;
            return;
        }
        MeldungsBox(app.Hauptfenster, text, "Caution !!", MB_OK | MB_ICONEXCLAMATION);
    }

    // Command befehl with the prepared DialogWerte, as the macro player runs
    // it. true when it set no error and made a new curve.
    bool Schritt(int32_t befehl, const char* name)
    {
        ++schritt;
        const int32_t vorher = g.KurvenZaehler;
        const int32_t offen = FehlerCode;
        FehlerCode = 0;
        MELDUNGSBLOCK& m = app.Meldungsblock;
        m.Nachricht = WM_COMMAND;
        m.wParam = static_cast<WPARAM>(befehl);
        m.lParam = LP_PREPARED;
        m.lParamKopie = LP_PREPARED;
        m.Befehl = static_cast<WORD>(befehl);
        m.Notiz = 0;
        app.MenueBefehl();
        const int32_t fehler = FehlerCode;
        if (fehler == 0 && g.KurvenZaehler > vorher && N() > 0) {
            FehlerCode = offen;
            return true;
        }
        FehlerCode = 0;
        char grund[300] = "";
        if (fehler > 100 && fehler < 1000) LoadStringA(app.Instanz, static_cast<UINT>(fehler), grund, sizeof grund);
        else if (fehler == 0) std::snprintf(grund, sizeof grund, "%s", "It made no new curve.");
        char text[600];
        std::snprintf(text, sizeof text,
                      "Quick-XAS stopped at step %d, the %s (command %d).\r\n%s\r\nThe curves made so far are kept.",
                      static_cast<int>(schritt), name, static_cast<int>(befehl), grund);
        Melden(text);
        return false;
    }

    // The current curve into slot ziel (x, y, count), full section.
    void Nach(int32_t ziel, const Kurve& k) const
    {
        const int32_t t = ziel & 3;
        std::copy(k.x.begin(), k.x.end(), g.XFeld[t]);
        std::copy(k.y.begin(), k.y.end(), g.YFeld[t]);
        g.DateiInfo.PunkteProKurve[t] = static_cast<int32_t>(k.x.size());
    }
    Kurve Jetzt() const
    {
        Kurve k;
        k.x.assign(X(), X() + N());
        k.y.assign(Y(), Y() + N());
        return k;
    }
    // The slot after the current one receives k, becomes current and gets
    // the full section, no flags and the texts.
    void Anhaengen(const Kurve& k, const char* xt, const char* yt) const
    {
        g.SetCurveSlots(g.KurvenZaehler + 1, g.KurvenZaehler + 1);
        Nach(g.KurvenZaehler, k);
        g.KurvenFlags[Slot()] = 0;
        g.SlotKGewicht[Slot()] = 0.0;
        g.XasStufe[Slot()] = 0;
        g.SetFullBorder();
        Texte(xt, yt);
    }
};

void Glaetten(double* x, double* y, int32_t n, int32_t breite)
{
    double* altX = Numerik.xField;
    double* altY = Numerik.yField;
    const int32_t altN = Numerik.anzahl;
    NumerikGlaetten(x, y, n, breite);
    Numerik.SetField(altX, altY);
    Numerik.anzahl = altN;
}

// The chain from the edge on; false when it stopped.
bool Laufen(Kette& k, int32_t befehl, Kurve* gemessen, Kurve* normiert)
{
    grafik_fenster& g = k.g;
    // 2. The edge on the section of the measured spectrum.
    const int32_t n = k.N();
    const double* x = k.X();
    const double* y = k.Y();
    const double lo = std::min(g.Grenzen[0], g.Grenzen[1]), hi = std::max(g.Grenzen[0], g.Grenzen[1]);
    Kurve abschnitt;
    for (int32_t i = 0; i < n; ++i)
        if (x[i] >= lo && x[i] <= hi) {
            abschnitt.x.push_back(x[i]);
            abschnitt.y.push_back(y[i]);
        }
    double e0 = 0.0;
    if (!QuickKante(abschnitt.x.data(), abschnitt.y.data(), static_cast<int32_t>(abschnitt.x.size()), Glaetten,
                    &e0)) {
        k.Melden("Quick-XAS found no edge: the section of the spectrum holds fewer than 5 points.\r\n"
                 "Nothing was changed.");
        return false;
    }
    *gemessen = k.Jetzt();
    std::memset(k.DW(), 0, 14 * sizeof(double));
    g.DateiInfo.Koeffizienten[0] = e0;

    // 3. Background and normalisation.
    if (QuickZweiPolynome(x, n, e0)) {
        QuickWerteZweiPolynome(x, n, e0, k.DW());
        if (!k.Schritt(841, "two-polynomial background")) return false;
    } else {
        g.PolyGrad = 1;
        FitPolyDegree = 1;
        QuickWertePolynom(x, e0, k.DW());
        if (!k.Schritt(809, "pre-edge polynomial background")) return false;
        if (QuickNormieren(k.X(), k.N(), e0)) {
            QuickWerteNormierung(e0, k.DW());
            if (!k.Schritt(804, "normalisation")) return false;
            // The normalised curve replaces the background-subtracted one.
            const Kurve norm = k.Jetzt();
            g.SetCurveSlots(g.KurvenZaehler - 1, g.NeuesterZaehler - 1);
            k.Nach(g.KurvenZaehler, norm);
            g.SetFullBorder();
            g.KurvenFlags[k.Slot()] = 0;
        }
    }
    g.KurvenFlags[k.Slot()] = 0;
    k.Texte(X_ENERGIE, Y_NORM);
    *normiert = k.Jetzt();

    // 4. Conversion to k.
    std::memset(k.DW(), 0, 14 * sizeof(double));
    if (!k.Schritt(810, "conversion to k")) return false;
    if (befehl == 838) {
        k.Texte(X_K, Y_NORM);
        g.KurvenFlags[k.Slot()] = 0;
        return true;
    }

    // 6. The mu0 spline fit, in R space.
    const double kOben = k.X()[k.N() - 5];
    const int32_t splines = QuickSplineAnzahl(kOben);
    if (splines < 3) {
        char text[400];
        std::snprintf(text, sizeof text,
                      "The k range up to %.4G \xC5-1 gives %d splines; the mue(0) fit needs at least 3.\r\n"
                      "Quick-XAS stopped before the mue(0) fit. The curves made so far are kept.",
                      kOben, static_cast<int>(splines));
        k.Melden(text);
        return false;
    }
    AutoSplineR = QUICK_SPLINE_R;
    RRaum = 1;
    SplineAnzahl = splines;
    FitPolyDegree = splines;
    g.PolyGrad = splines;
    QuickWerteSpline(kOben, splines, k.DW());
    if (!k.Schritt(828, "mue(0) spline fit")) return false;

    // 7. chi(k) k^3 takes the place of the k curve.
    if (befehl == 835 || befehl == 840) {
        const int32_t q = k.Slot();
        const Kurve chi = k.Jetzt();
        const uint32_t flags = g.KurvenFlags[q];
        const double gewicht = g.SlotKGewicht[q];
        const int32_t stufe = g.XasStufe[q];
        g.SetCurveSlots(g.KurvenZaehler - 1, g.NeuesterZaehler - 1);
        k.Nach(g.KurvenZaehler, chi);
        g.KurvenFlags[k.Slot()] = flags;
        g.SlotKGewicht[k.Slot()] = gewicht;
        g.XasStufe[k.Slot()] = stufe;
        g.SetFullBorder();
    }
    // 8.
    g.KGewicht = QUICK_K_GEWICHT;
    k.Texte(X_K, Y_CHI3);
    if (befehl == 839) return true;

    // 9. The Fourier transform.
    QuickWerteFourier(k.X()[0], k.X()[k.N() - 1], k.DW());
    if (!k.Schritt(815, "Fourier transform")) return false;
    g.Kombinieren = 0;
    g.KombiAnzahl = 0;
    g.DritteSpalte() = 0;
    if (befehl == 835) {
        // |FT| two slots back, then the measured and the normalised spectrum.
        const int32_t m = k.N();
        Kurve betrag = k.Jetzt();
        const double* y2 = k.Y();
        if ((g.KurvenFlags[k.Slot()] & 4) && 2 * m + 1 <= g.FeldGroesse())
            for (int32_t i = 0; i < m; ++i) betrag.y[i] = std::sqrt(y2[i] * y2[i] + y2[m + 1 + i] * y2[m + 1 + i]);
        g.SetCurveSlots(g.KurvenZaehler - 2, g.NeuesterZaehler - 2);
        k.Nach(g.KurvenZaehler, betrag);
        g.KurvenFlags[k.Slot()] = 0;
        g.SlotKGewicht[k.Slot()] = 0.0;
        g.SetFullBorder();
    }
    k.Texte(X_R, Y_FT3);
    if (befehl == 835) {
        k.Anhaengen(*gemessen, X_ENERGIE, Y_ABSORPTION);
        k.Anhaengen(*normiert, X_ENERGIE, Y_NORM);
    }
    return true;
}

}  // namespace

int32_t QuickXas(int32_t befehl)
{
    haupt_fenster& app = HAUPTDATEN;
    const bool vorbereitet = app.Meldungsblock.lParam == LP_PREPARED;
    const int32_t w = AktivesFenster;
    if (w < 0 || w > 3 || !app.GrafikHandles[w]) return 1;
    grafik_fenster& g = GrafikFenster[w];
    Kette k{app, g, w, vorbereitet};
    const int32_t n = g.Punkte();
    if (!g.XFeld[0] || !QuickGenugPunkte(n) || n > g.FeldGroesse()) {
        k.Melden("Quick-XAS needs a spectrum of at least 8 points.\r\nNothing was changed.");
        return 1;
    }
    HCURSOR alt = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    // 1. Room for the transform's grid.
    int32_t N = 2;
    while (N < n + 30) N *= 2;
    if (N > g.FeldGroesse()) g.ResizeFelder(N);
    k.Texte(X_ENERGIE, Y_ABSORPTION);

    Kurve gemessen, normiert;
    const bool fertig = Laufen(k, befehl, &gemessen, &normiert);
    // 10.
    if (g.Punkte() > 0) g.SetFullBorder();
    if (fertig) g.Multiplot = 1;
    if (!vorbereitet && app.GrafikHandles[w]) PostMessageA(app.GrafikHandles[w], WM_COMMAND, CM_REDRAW, 0);
    UpdateFensterStatus();
    SetCursor(alt);
    return 1;
}
