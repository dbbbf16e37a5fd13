// The background commands of the XAFS menu: pre-edge background by the
// Victoreen formula (803), a polynomial (809) or two polynomials with the
// flattening of the post-edge region (841), normalisation to an edge jump
// of one (804), and the atomic background mu0 by a polynomial (806) or a
// least-squares cubic spline (828, knots section by section 837) leaving
// chi(k) in the next curve slot. The arithmetic is in xas_background_core.
#include "xas/xas_background_win.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "fit/fit_model.h"
#include "resource_ids.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "shell/macro_bar.h"
#include "spectra/data_commands_win.h"
#include "spectra/spectra_globals.h"
#include "xas/section_dialog_win.h"
#include "xas/xas_background.h"
#include "xas/xas_commands_win.h"
#include "xas/xas_entries.h"
#include "xas/mue_xafs_win.h"
#include "xas/xas_reduction.h"

std::vector<double> XafsWorkX, XafsWorkY;
int32_t MueGridCount = 0;

namespace {

const int32_t FEHLER_BEREICH = 102;
const int32_t FEHLER_FIT = 101;
const int32_t FEHLER_MAKRO = 1000;
const int32_t CM_HISTORIE = 2003;
const int32_t TYP_POLYNOM = 7;
const int32_t TYP_VICTOREEN = 20;
const int32_t TYP_SPLINE = 53;
const int32_t MIN_KNOTEN = 3;
const int32_t MAX_KNOTEN = 40;
const int32_t FIT_GITTER = 600;
const int32_t PRE_INDEX = 100, POST_INDEX = 200;
const char* const X_ENERGIE = "photon energy [keV]";
const char* const X_K = "k [\xC5~{-1}]";
const char* const Y_ABSORPTION = "absorption [a.u.]";
const char* const Y_NORM = "norm. absorption [a.u.]";
const double VICTOREEN_EXPONENTEN[3] = {0.0, -3.0, -4.0};

double* DW() { return HAUPTDATEN.DialogWerte; }

// The parts of a window's model that the background commands replace; put
// back when a command is cancelled or its fit fails.
struct ModellSicherung {
    grafik_fenster& g;
    int32_t anzahl, typ0, grad, art, knoten;
    std::vector<double> block;
    explicit ModellSicherung(grafik_fenster& w)
        : g(w), anzahl(w.AnzahlFunktionen), typ0(w.FunktionsTypen ? w.FunktionsTypen[0] : 0), grad(w.PolyGrad),
          art(w.ModellArt), knoten(SplineKnotCount)
    {
        if (g.Parameter) block.assign(g.Parameter, g.Parameter + 1100);
    }
    void Zurueck() const
    {
        g.AnzahlFunktionen = anzahl;
        if (g.FunktionsTypen) g.FunktionsTypen[0] = typ0;
        g.PolyGrad = grad;
        g.ModellArt = art;
        if (g.Parameter) std::copy(block.begin(), block.end(), g.Parameter);
        FitFunctionCount = anzahl;
        FitPolyDegree = grad;
        FitModellArt = art;
        SplineKnotCount = knoten;
    }
};

// One run of a background command on its window.
struct Lauf {
    grafik_fenster& g;
    int32_t id;
    HWND grafik;
    bool vorbereitet;
    double oben, unten;  // visible range at the start

    void Historie(const char* format, ...) const
    {
        if (!CommandText) return;
        int k = std::snprintf(CommandText, COMMAND_TEXT_BYTES, "--: %s", g.DateiInfo.DateiName);
        if (k < 0 || k >= COMMAND_TEXT_BYTES) k = 0;
        va_list args;
        va_start(args, format);
        std::vsnprintf(CommandText + k, COMMAND_TEXT_BYTES - k, format, args);
        va_end(args);
    }
    void Anhaengen(const char* format, ...) const
    {
        if (!CommandText) return;
        const size_t k = std::strlen(CommandText);
        va_list args;
        va_start(args, format);
        std::vsnprintf(CommandText + k, COMMAND_TEXT_BYTES - k, format, args);
        va_end(args);
    }
    void Senden() const
    {
        HWND ergebnis = HAUPTDATEN.KindFenster[KIND_ERGEBNIS];
        if (RedrawPerMessage == 1 && ergebnis && CommandText) SendMessageA(ergebnis, WM_COMMAND, CM_HISTORIE, 0);
    }
    void Neuzeichnen() const
    {
        if (vorbereitet || !grafik) return;
        if (RedrawPerMessage == 0) RedrawWindow(grafik, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        else PostMessageA(grafik, WM_COMMAND, CM_REDRAW, 0);
        UpdateFensterStatus();
    }
    void Texte(const char* x, const char* y) const
    {
        const int32_t s = g.AktuellerSlot();
        std::snprintf(g.XText[s], GRAFIK_TEXT, "%s", x);
        std::snprintf(g.YText[s], GRAFIK_TEXT, "%s", y);
    }
    void Fehler(int32_t code) const { FehlerCode = vorbereitet ? FEHLER_MAKRO : code; }
    int Frage(const char* text, UINT art) const { return MeldungsBox(HAUPTDATEN.Hauptfenster, text, "Caution !!", art); }
    // A section inside the visible range (within 1e-4 relative).
    bool Innen(double von, double bis) const
    {
        return unten <= von + std::fabs(von) * 0.0001 && bis - std::fabs(bis) * 0.0001 <= oben;
    }
    double& E0() const { return g.DateiInfo.Koeffizienten[0]; }
};

// The section dialog in a mode; its result (0 = Cancel).
int32_t Abschnitt(const Lauf& l, int32_t modus)
{
    const int32_t alt = HilfeThema;
    HilfeThema = modus;
    const int32_t r = SektionsDialog(l.id);
    HilfeThema = alt;
    return r;
}

bool Polygrad(int32_t modus)
{
    const int32_t alt = HilfeThema;
    HilfeThema = modus;
    const INT_PTR r = PolyGradDialogOeffnen(HAUPTDATEN.Hauptfenster);
    HilfeThema = alt;
    return r > 0;
}

void ModellSetzen(grafik_fenster& g, int32_t typ, int32_t grad)
{
    g.AnzahlFunktionen = 1;
    if (g.FunktionsTypen) g.FunktionsTypen[0] = typ;
    g.PolyGrad = grad;
    FitFunctionCount = 1;
    FitFunctionTypes = g.FunktionsTypen;
    FitParameters = g.Parameter;
    FitPolyDegree = grad;
}

// The current curve into the next slot, cut to the indices lo..hi of the
// current curve when hi >= lo. False when there is no curve.
bool Kopie(Lauf& l, int32_t lo = 0, int32_t hi = -1)
{
    if (l.g.CutSection(0, 0.0, 0.0, 0) <= 0) return false;
    const int32_t s = l.g.AktuellerSlot();
    l.g.KurvenFlags[s] &= ~SLOT_K_GEWICHTET;
    if (hi >= lo && lo >= 0 && hi < l.g.Punkte()) {
        double* x = l.g.XFeld[s];
        double* y = l.g.YFeld[s];
        std::memmove(x, x + lo, sizeof(double) * (hi - lo + 1));
        std::memmove(y, y + lo, sizeof(double) * (hi - lo + 1));
        l.g.DateiInfo.PunkteProKurve[s] = hi - lo + 1;
    }
    return true;
}

double* SlotX(Lauf& l) { return l.g.XFeld[l.g.AktuellerSlot()]; }
double* SlotY(Lauf& l) { return l.g.YFeld[l.g.AktuellerSlot()]; }

// 841's edge search, the one of the derivative steps: the largest first
// derivative of the curve smoothed over 3 points of its smallest step (an
// uneven energy grid is resampled first), refined to the root of the second
// derivative within 2 eV of it when there is one. A wider smoothing moves
// the maximum of a sharp edge with a white line by several eV.
bool AutomatischesE0(Lauf& l, double* e0)
{
    const int32_t n = l.g.Punkte();
    if (n < 5) return false;
    std::vector<double> x, d1, d2;
    double* altX = Numerik.xField;
    double* altY = Numerik.yField;
    const int32_t altN = Numerik.anzahl;
    KantenKurven(SlotX(l), SlotY(l), n, 3.0, NumerikGlaetten, &x, &d1, &d2);
    Numerik.SetField(altX, altY);
    Numerik.anzahl = altN;
    double best = -1e30;
    for (size_t i = 0; i < x.size(); ++i)
        if (d1[i] > best) {
            best = d1[i];
            *e0 = x[i];
        }
    if (!(best > -1e30)) return false;
    double wurzel = 0.0;
    if (KantenNullstelle(x.data(), d1.data(), d2.data(), static_cast<int32_t>(x.size()), *e0 - 0.002, *e0 + 0.002,
                         false, &wurzel) == 1)
        *e0 = wurzel;
    return true;
}

// ---- pre-edge background and normalisation ----

void PreEdge(Lauf& l)
{
    grafik_fenster& g = l.g;
    const int32_t id = l.id;
    ModellSicherung sicherung(g);
    auto abbruch = [&] { sicherung.Zurueck(); };

    if (id == 841) {
        const bool sichtbar = l.E0() >= l.unten && l.E0() <= l.oben;
        if (!sichtbar || l.vorbereitet) {
            double e0 = 0.0;
            if (AutomatischesE0(l, &e0)) l.E0() = e0;
        }
        if (!(l.E0() >= l.unten && l.E0() <= l.oben)) {
            if (l.vorbereitet) FehlerCode = FEHLER_MAKRO;
            else
                l.Frage("  Automatic E0 determination failed!\r\nSet E0 prior to background correction.",
                        MB_OK | MB_ICONEXCLAMATION);
            return;
        }
    }
    if ((id == 809 || id == 841) && !l.vorbereitet) {
        if (!Polygrad(id == 809 ? 0 : 7)) return;
        UpdateWindow(HAUPTDATEN.Hauptfenster);
    }
    if (id == 809) ModellSetzen(g, TYP_POLYNOM, g.PolyGrad);
    if (id == 841) ModellSetzen(g, TYP_POLYNOM, static_cast<int32_t>(DW()[3]));
    if (!l.vorbereitet && l.unten > 500.0 &&
        l.Frage("Your spectrum seems to be versus eV.\r\n    Don't forget to change to keV.",
                MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK) {
        abbruch();
        return;
    }
    if (id == 803) {
        ModellSetzen(g, TYP_VICTOREEN, 2);
        for (int i = 0; i < 3; ++i) {
            g.Parameter[i] = 0.0;
            g.Parameter[50 + i] = VICTOREEN_EXPONENTEN[i];
        }
    }
    if (!l.vorbereitet) {
        const int32_t r = Abschnitt(l, id == 841 ? 8 : 2);
        DW()[2] = r;
        if (r == 0) {
            abbruch();
            return;
        }
    } else {
        DW()[2] = 1.0;
    }
    const double von = DW()[0], bis = DW()[1];
    if (!MakroRunning && !l.vorbereitet && (!l.Innen(von, bis) || (id == 841 && !l.Innen(DW()[6], DW()[7])))) {
        FehlerCode = FEHLER_BEREICH;
        abbruch();
        return;
    }
    const bool schonGefittet = DW()[2] == 10.0;
    const int32_t n = g.Punkte();
    const double* x = g.XFeld[g.AktuellerSlot()];
    const double* y = g.YFeld[g.AktuellerSlot()];
    double* p = g.Parameter;
    double sprung = 0.0;
    std::vector<double> neu(y, y + n);
    if (id == 841) {
        const int32_t gradVor = static_cast<int32_t>(DW()[3]), gradNach = static_cast<int32_t>(DW()[4]);
        std::vector<double> vor(gradVor + 1 > 0 ? gradVor + 1 : 1), nach(gradNach + 1 > 0 ? gradNach + 1 : 1);
        bool ok = gradVor >= 0 && gradNach >= 0 && gradVor <= 20 && gradNach <= 20;
        if (ok && schonGefittet) {
            for (int32_t i = 0; i <= gradVor; ++i) vor[i] = p[PRE_INDEX + i];
            for (int32_t i = 0; i <= gradNach; ++i) nach[i] = p[POST_INDEX + i];
        } else if (ok) {
            ok = PolynomFit(x, y, n, von, bis, gradVor, 0.0, vor.data()) &&
                 PolynomFit(x, y, n, DW()[6], DW()[7], gradNach, 0.0, nach.data());
        }
        if (!ok) {
            l.Fehler(FEHLER_FIT);
            abbruch();
            return;
        }
        const int32_t r = ZweiPolynomNormierung(x, neu.data(), n, vor.data(), gradVor, nach.data(), gradNach,
                                                l.E0(), &sprung);
        if (r != ZP_OK) {
            if (l.vorbereitet) FehlerCode = FEHLER_MAKRO;
            else
                l.Frage(r == ZP_E0_JENSEITS ? "E0 lies beyond the last point of the spectrum:\r\n"
                                              "there is no edge jump. Nothing was changed."
                        : r == ZP_SPRUNG_NULL ? "The edge jump at E0 is zero.\r\n"
                                                "Please choose other sections. Nothing was changed."
                                              : "The post-edge polynomial meets the pre-edge one above E0.\r\n"
                                                "Please choose other sections. Nothing was changed.",
                        MB_OK | MB_ICONEXCLAMATION);
            abbruch();
            return;
        }
        for (int32_t i = 0; i <= gradNach; ++i) p[i] = nach[i];
        g.PolyGrad = FitPolyDegree = gradNach;
    } else if (id == 804) {
        double c0 = p[0];
        if (!schonGefittet && !PolynomFit(x, y, n, von, bis, 0, 0.0, &c0)) {
            l.Fehler(FEHLER_FIT);
            abbruch();
            return;
        }
        p[0] = c0;
        if (c0 != 0.0)
            for (double& v : neu) v /= c0;
    } else {
        const bool victoreen = id == 803;
        const int32_t grad = victoreen ? 2 : FitPolyDegree;
        std::vector<double> c(grad + 1 > 0 ? grad + 1 : 1);
        bool ok = grad >= 0 && grad <= 20;
        if (ok && schonGefittet) std::copy(p, p + grad + 1, c.begin());
        else if (ok)
            ok = victoreen ? VictoreenFit(x, y, n, von, bis, VICTOREEN_EXPONENTEN, c.data()) != 0
                           : PolynomFit(x, y, n, von, bis, grad, 0.0, c.data()) != 0;
        if (!ok) {
            l.Fehler(FEHLER_FIT);
            abbruch();
            return;
        }
        std::copy(c.begin(), c.end(), p);
        for (int32_t i = 0; i < n; ++i)
            neu[i] -= victoreen ? VictoreenWert(c.data(), VICTOREEN_EXPONENTEN, x[i]) : PolynomWert(c.data(), grad, x[i]);
    }
    // Recorded only once the section has been accepted: a replay skips the
    // check and must not repeat a section that was refused.
    if (HAUPTDATEN.MakroAufnahme) ButtonBar.MakroRecord(id, id == 804 ? 2 : 8, -1);
    if (!Kopie(l)) return;
    std::copy(neu.begin(), neu.end(), SlotY(l));
    const int32_t slot = g.AktuellerSlot() + 1;
    l.Texte(X_ENERGIE, id == 841 || id == 804 ? Y_NORM : Y_ABSORPTION);
    l.Neuzeichnen();
    g.SetFullBorder();
    if (id == 804) {
        if (CommandArgs) CommandArgs[0] = p[0];
        l.Historie(" --XAS-NORMALIZATION -\r\n      - range from %.8G  to  %.8G  - zero order = %.8G (activated : %d )\r\n",
                   von, bis, p[0], slot);
        l.Senden();
        return;
    }
    l.Historie(" --XAS-BACKGROUND CORRECTION -\r\n      - formula : ");
    if (id == 803)
        l.Anhaengen("  Victoreen  (Coeff. %.8G, %.8G, %.8G) ", p[50], p[51], p[52]);
    else if (id == 809)
        l.Anhaengen("Polynomial   degree : %d ", FitPolyDegree);
    l.Anhaengen(" - (activated : %d )\r\n", slot);
    if (id == 841) {
        l.Anhaengen("    Two Polynomial Fit:\r\n");
        l.Anhaengen("      pre-edge:  %d from %8.6G to %8.6G\r\n", static_cast<int>(DW()[3] + 0.1), DW()[0], DW()[1]);
        l.Anhaengen("      post-edge: %d from %8.6G to %8.6G\r\n", static_cast<int>(DW()[4] + 0.1), DW()[6], DW()[7]);
        l.Anhaengen("      Edge Jump: mue*x = %G \r\n", sprung);
        l.Anhaengen("      Edge Position    = %G keV\r\n", l.E0());
        if (CommandArgs) {
            CommandArgs[0] = sprung;
            CommandArgs[1] = l.E0();
        }
    } else {
        l.Anhaengen("   border :  from  %.8G   to   %.8G\r\n", von, bis);
        l.Anhaengen("   Parameter :\r\n");
        const int32_t m = id == 803 ? 2 : FitPolyDegree;
        for (int32_t i = 0; i <= m; ++i) l.Anhaengen("     No. %d :  %.8G\r\n", i + 1, p[i]);
    }
    l.Senden();
}

// ---- the atomic background ----

// The section layout of a parameter block (entry 1000 = 1111.0); false
// without one.
bool Layout(const double* p, SplineAbschnitte* a)
{
    if (!p || p[SPLINE_MARKER_INDEX] != SPLINE_MARKER) return false;
    const int32_t s = static_cast<int32_t>(p[SPLINE_MARKER_INDEX + 1]);
    if (s < 1 || s > 5) return false;
    a->Knoten.clear();
    a->Exponenten.clear();
    for (int32_t i = 1; i <= s; ++i) {
        a->Knoten.push_back(p[1001 + i]);
        a->Exponenten.push_back(p[1010 + i]);
    }
    return true;
}

int32_t LayoutKnoten(const SplineAbschnitte& a)
{
    int32_t k = 1;
    for (double m : a.Knoten) k += std::max(static_cast<int32_t>(m), 1);
    return k;
}

// The engine's spline on arrays: fitted (n below 1000) or the n - 1000
// knots of the block. Result in h; the section's point count or 0.
int32_t SplineRechnen(const double* x, const double* y, int32_t punkte, double von, double bis, int32_t n,
                      double w, double* p, SplineHintergrund* h)
{
    if (n >= 1000) {
        const int32_t k = n - 1000;
        int32_t lo = 0, hi = -1;
        const int32_t N = SektionsIndizes(x, punkte, von, bis, &lo, &hi);
        if (N < 3 || k < MIN_KNOTEN || k > MAX_KNOTEN) return 0;
        h->Lo = lo;
        h->Hi = hi;
        h->KnotenX.assign(p + SPLINE_KNOT_INDEX, p + SPLINE_KNOT_INDEX + k);
        h->KnotenY.assign(p, p + k);
        h->Mu0.assign(N, 0.0);
        NatuerlicherSpline(h->KnotenX.data(), h->KnotenY.data(), k, x + lo, h->Mu0.data(), N);
        return N;
    }
    SplineAbschnitte a;
    const bool mitLayout = Layout(p, &a);
    // With "R space" on, the knots are fitted so that the transform of the
    // weighted chi(k) vanishes below the background distance.
    const int32_t N = RRaum > 0 ? RRaumSplineFit(Numerik, HAUPTDATEN.ModellCallback ? HAUPTDATEN.ModellCallback
                                                                                     : ModellFunktion,
                                                 ExafsFitProzedur, x, y, punkte, von, bis, n,
                                                 mitLayout ? &a : nullptr, ExafsOptionen.KPunkte,
                                                 ExafsOptionen.RSchritt, AutoSplineR, h)
                                : SplineMu0(x, y, punkte, von, bis, n, w, mitLayout ? &a : nullptr, FIT_GITTER, h);
    if (N <= 0) return 0;
    const int32_t k = static_cast<int32_t>(h->KnotenX.size());
    for (int32_t i = 0; i < k; ++i) {
        p[i] = h->KnotenY[i];
        p[SPLINE_KNOT_INDEX + i] = h->KnotenX[i];
    }
    SplineKnotCount = k;
    return N;
}

void MueNull(Lauf& l)
{
    grafik_fenster& g = l.g;
    const int32_t id = l.id;
    ModellSicherung sicherung(g);
    auto abbruch = [&] { sicherung.Zurueck(); };
    double* p = g.Parameter;
    const bool spline = id != 806;
    int32_t n = 0;
    if (!spline) {
        if (!l.vorbereitet && !Polygrad(6)) return;
        ModellSetzen(g, TYP_POLYNOM, g.PolyGrad);
        for (int32_t i = 0; i <= g.PolyGrad + 2; ++i) p[i] = 0.0;
    } else {
        if (id == 828) p[SPLINE_MARKER_INDEX] = 0.0;
        if (!l.vorbereitet) {
            const int32_t alt = HilfeThema;
            HilfeThema = 0;
            n = id == 828 ? SplineFitDialog() : AdSplineFitDialog();
            HilfeThema = alt;
            if (n == 0) {
                abbruch();
                return;
            }
            DW()[3] = n;
        }
        n = static_cast<int32_t>(DW()[3]);
        SplineAbschnitte a;
        if (id == 837) {
            if (!Layout(p, &a)) n = 0;
            else n = LayoutKnoten(a);
        }
        // Also on replay: the engine takes 3 to 40 knots.
        if (n < MIN_KNOTEN || n > MAX_KNOTEN) {
            if (l.vorbereitet) FehlerCode = FEHLER_MAKRO;
            else
                l.Frage("The number of splines must lie between 3 and 40.\r\nNothing was changed.",
                        MB_OK | MB_ICONEXCLAMATION);
            abbruch();
            return;
        }
        DW()[3] = n;
        ModellSetzen(g, TYP_SPLINE, n);
    }
    if (!l.vorbereitet) {
        const int32_t r = Abschnitt(l, spline ? 5 : 4);
        DW()[2] = r;
        if (r == 0) {
            abbruch();
            return;
        }
    } else {
        DW()[2] = 1.0;
    }
    if (spline && !l.vorbereitet) {
        // The dialog's spline count (parameters, Auto-Spline) must fit the
        // engine as well.
        n = static_cast<int32_t>(DW()[3]);
        SplineAbschnitte a;
        if (id == 837) n = Layout(p, &a) ? LayoutKnoten(a) : 0;
        if (n < MIN_KNOTEN || n > MAX_KNOTEN) {
            l.Frage("The number of splines must lie between 3 and 40.\r\nNothing was changed.",
                    MB_OK | MB_ICONEXCLAMATION);
            abbruch();
            return;
        }
    }
    const double von = DW()[0], bis = DW()[1], w = DW()[5];
    if (!MakroRunning && !l.vorbereitet && !l.Innen(von, bis)) {
        FehlerCode = FEHLER_BEREICH;
        abbruch();
        return;
    }
    const int32_t punkte = g.Punkte();
    const double* x = g.XFeld[g.AktuellerSlot()];
    const double* y = g.YFeld[g.AktuellerSlot()];
    int32_t lo = 0, hi = -1;
    SplineHintergrund h;
    std::vector<double> mu0;
    bool ok = SektionsIndizes(x, punkte, von, bis, &lo, &hi) > 0;
    if (ok && spline && g.AnzahlFunktionen > 1) {
        // FEFF paths with the spline: the engine fits (or keeps) both.
        mu0.assign(hi - lo + 1, 0.0);
        std::vector<double> fx(hi - lo + 1), fy(hi - lo + 1);
        ok = MueNullFitRechnen(von, bis, DW()[2] == 10.0 ? n + 1000 : n, nullptr, mu0.data(), fx.data(),
                               fy.data()) == hi - lo + 1;
    } else if (ok && spline) {
        ok = SplineRechnen(x, y, punkte, von, bis, DW()[2] == 10.0 ? n + 1000 : n, w, p, &h) > 0;
        mu0 = h.Mu0;
    } else if (ok) {
        const int32_t grad = g.PolyGrad;
        std::vector<double> c(grad + 1 > 0 ? grad + 1 : 1);
        if (DW()[2] == 10.0) std::copy(p, p + grad + 1, c.begin());
        else ok = grad >= 0 && grad <= 20 && PolynomFit(x, y, punkte, von, bis, grad, w, c.data());
        if (ok) {
            std::copy(c.begin(), c.end(), p);
            for (int32_t i = lo; i <= hi; ++i) mu0.push_back(PolynomWert(c.data(), grad, x[i]));
        }
    }
    if (!ok) {
        l.Fehler(SektionsIndizes(x, punkte, von, bis, &lo, &hi) > 0 ? FEHLER_FIT : FEHLER_BEREICH);
        abbruch();
        return;
    }
    if (HAUPTDATEN.MakroAufnahme) ButtonBar.MakroRecord(id, 6, spline ? n : 0);
    const uint32_t flags = g.KurvenFlags[g.AktuellerSlot()];
    if (!Kopie(l, lo, hi)) {
        abbruch();
        return;
    }
    const int32_t s = g.AktuellerSlot();
    const int32_t N = g.Punkte();
    double* sx = SlotX(l);
    double* sy = SlotY(l);
    ChiAusMu(sx, sy, mu0.data(), N, w);
    if (spline) {
        g.AnzahlFunktionen = FitFunctionCount = 1;
        g.FunktionsTypen[0] = 1;
    }
    // Labels and the weighting of the new slot.
    l.Texte(X_K, "^c(k)");
    if (w != 0.0) {
        std::snprintf(g.YText[s], GRAFIK_TEXT, "^c(k)*k~%d", static_cast<int>(w + 0.2));
        g.KurvenFlags[s] = flags | SLOT_K_GEWICHTET;
        g.KGewicht = w;
    } else {
        g.KurvenFlags[s] = flags & ~SLOT_K_GEWICHTET;
        g.KGewicht = 0.0;
    }
    // chi(k) with its weight: the slot is at the k-weighted stage.
    g.SlotKGewicht[s] = w > 0.0 ? w : 0.0;
    g.XasStufe[s] = 2;
    g.SetFullBorder();
    l.Neuzeichnen();
    if (!spline) {
        l.Historie(" --XAS-MUE_ZERO_FIT - polynome degree : %d  - range from %.8G  to %.8G  - ( active : %d )\r\n",
                   g.PolyGrad, von, bis, s + 1);
        l.Senden();
        return;
    }
    // mu0 on the section and on the Fourier grid, for the EXAFS set-up.
    Mu0AufFourierGitter(sx, mu0.data(), N, ExafsOptionen.RSchritt, ExafsOptionen.KPunkte, &XafsWorkX, &XafsWorkY);
    MueGridCount = static_cast<int32_t>(XafsWorkX.size());
    SplineKnotCount = n;
    // The background file in the data folder, named after the file name.
    std::string pfad = HAUPTDATEN.DatenOrdner ? HAUPTDATEN.DatenOrdner : "";
    if (!pfad.empty() && pfad.back() != '\\' && pfad.back() != '/') pfad += "\\";
    const std::string name = MueDateiName(g.DateiInfo.DateiName);
    pfad += name;
    bool geschrieben = false;
    if (std::FILE* f = std::fopen(pfad.c_str(), "w")) {
        const std::string text = MueDateiText(sx, mu0.data(), sy, N);
        geschrieben = std::fwrite(text.data(), 1, text.size(), f) == text.size();
        geschrieben = std::fclose(f) == 0 && geschrieben;
    }
    if (id == 828)
        l.Historie(" --XAS-MUE_ZERO - cubic spline fit from : %.8G , to : %.8G  - number : %.8G", von, bis,
                   static_cast<double>(n));
    else
        l.Historie(" --XAS-MUE_ZERO - advanced cubic spline fit from : %.8G , to : %.8G  - number of sections: %.8G",
                   von, bis, p[SPLINE_MARKER_INDEX + 1]);
    l.Anhaengen("  - weighting : %.8G   -  (active : %d )\r\n", w, s + 1);
    if (geschrieben) {
        l.Anhaengen("  -  spline saved as 'filename'.MUE in data folder\r\n");
    } else {
        l.Anhaengen("  -  the spline could not be saved as %s\r\n", pfad.c_str());
        if (!l.vorbereitet) {
            std::string text = "The background could not be written to\r\n" + pfad;
            MeldungsBox(HAUPTDATEN.Hauptfenster, text.c_str(), "Caution !!", MB_OK | MB_ICONEXCLAMATION);
        }
    }
    l.Senden();
}

Lauf Start(int32_t id)
{
    const int32_t f = AktivesFenster;
    grafik_fenster& g = GrafikFenster[f];
    return Lauf{g, id, HAUPTDATEN.GrafikHandles[f], HAUPTDATEN.Meldungsblock.lParam == LP_PREPARED, g.Grenzen[0],
                g.Grenzen[1]};
}

bool Bereit()
{
    const int32_t f = AktivesFenster;
    return f >= 0 && f < 4 && GrafikFenster[f].Parameter && GrafikFenster[f].FunktionsTypen &&
           GrafikFenster[f].Punkte() > 0;
}

}  // namespace

int32_t VorkantenBefehl(int32_t befehl)
{
    if (!Bereit()) return 0;
    Lauf l = Start(befehl);
    PreEdge(l);
    return 1;
}

int32_t MueNullFit(int32_t befehl)
{
    if (!Bereit()) return 0;
    Lauf l = Start(befehl);
    MueNull(l);
    return 1;
}

int32_t MueNullFitRechnen(double von, double bis, int32_t n, double* outX, double* outY, double* featX,
                          double* featY)
{
    if (!Bereit()) return 0;
    grafik_fenster& g = GrafikFenster[AktivesFenster];
    const int32_t punkte = g.Punkte();
    const double* x = g.XFeld[g.AktuellerSlot()];
    const double* y = g.YFeld[g.AktuellerSlot()];
    double* p = g.Parameter;
    int32_t lo = 0, hi = -1;
    const int32_t N = SektionsIndizes(x, punkte, von, bis, &lo, &hi);
    if (N < 3) return 0;
    if (HilfeThema == 6 && outX && outY) {
        std::vector<double> gy(N);
        for (int32_t i = 0; i < N; ++i) outX[i] = x[lo] + i * (x[hi] - x[lo]) / (N - 1);
        NatuerlicherSpline(x + lo, y + lo, N, outX, gy.data(), N);
        Ableitungen(outX, gy.data(), N, outY, nullptr);
        return N;
    }
    const int32_t typ = g.FunktionsTypen[0];
    if (typ == TYP_POLYNOM || typ == TYP_VICTOREEN) {
        std::vector<double> c(std::max(n, 1));
        const bool ok = typ == TYP_VICTOREEN
                            ? VictoreenFit(x, y, punkte, von, bis, p + VICTOREEN_EXPONENT_INDEX, c.data())
                            : n >= 1 && PolynomFit(x, y, punkte, von, bis, n - 1, HAUPTDATEN.DialogWerte[5], c.data());
        if (!ok) return 0;
        std::copy(c.begin(), c.end(), p);
        return N;
    }
    if (typ != TYP_SPLINE) return 0;
    if (g.AnzahlFunktionen > 1) return MueXafsRechnen(von, bis, n, outX, outY, featX, featY);
    SplineHintergrund h;
    if (SplineRechnen(x, y, punkte, von, bis, n, HAUPTDATEN.DialogWerte[5], p, &h) <= 0) return 0;
    for (int32_t i = 0; i < N; ++i) {
        if (outX) outX[i] = x[lo + i];
        if (outY) outY[i] = h.Mu0[i];
    }
    return N;
}
