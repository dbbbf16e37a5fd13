// The Fourier transformation command (506) on the active graphic window:
// it gathers the dialog values, cuts the section, hands the curve to
// FourierRechnen (fourier_transform_core.cpp) and stores the gridded input
// and the transform in the window's curve slots. In XAFS mode (low word of
// lParam 815) the XAFS transform command records, labels and redraws.
#include "fit/fourier_transform_win.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "fit/exafs_terms.h"
#include "fit/fourier_transform.h"
#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "shell/macro_bar.h"
#include "shell/shell_globals.h"
#include "spectra/spectra_globals.h"
#include "xas/xas_entries.h"

namespace {

const uint32_t SLOT_FT = 1;           // a Fourier transform
const uint32_t SLOT_SCHNITT = 0x40;   // the section a transform took
const uint32_t FLAGS_HIN = 5, FLAGS_ZURUECK = 6;
const int32_t XAFS_MODUS = 815;
const int32_t HISTORIE = 2003;

// The curve of slot s as the transform sees it.
FT_KURVE SlotKurve(grafik_fenster& g, int32_t s)
{
    FT_KURVE k;
    const int32_t n = g.DateiInfo.PunkteProKurve[s & 3];
    const uint32_t f = g.KurvenFlags[s & 3];
    const double* x = g.GetXFeld(s & 3);
    const double* y = g.GetYFeld(s & 3);
    if (n < 1 || n > g.FeldGroesse() || !x || !y) return k;
    k.x.assign(x, x + n);
    k.y.assign(y, y + n);
    if ((f & SLOT_KOMPLEX) && 2 * n + 1 <= g.FeldGroesse()) k.im.assign(y + n + 1, y + 2 * n + 1);
    k.RRaum = (f & SLOT_FT) != 0;
    return k;
}

// Writes k into slot s: the imaginary part behind the real one, y[n]
// repeating y[n-1] and the abscissae repeated (the arrays are grown
// before the transform starts).
void SchreibeSlot(grafik_fenster& g, int32_t s, const FT_KURVE& k, uint32_t flags)
{
    const int32_t n = k.Punkte();
    double* x = g.GetXFeld(s & 3);
    double* y = g.GetYFeld(s & 3);
    std::copy(k.x.begin(), k.x.end(), x);
    std::copy(k.y.begin(), k.y.end(), y);
    if (k.Komplex()) {
        x[n] = x[n - 1];
        y[n] = y[n - 1];
        std::copy(k.x.begin(), k.x.end(), x + n + 1);
        std::copy(k.im.begin(), k.im.end(), y + n + 1);
        flags |= SLOT_KOMPLEX;
    } else {
        flags &= ~SLOT_KOMPLEX;
    }
    g.DateiInfo.PunkteProKurve[s & 3] = n;
    g.KurvenFlags[s & 3] = flags;
}

// k into the next slot, which becomes current, with the axis texts of the
// current one.
void NeuerSlot(grafik_fenster& g, const FT_KURVE& k, uint32_t flags)
{
    const int32_t s = g.AktuellerSlot(), t = (s + 1) & 3;
    std::memcpy(g.XText[t], g.XText[s], GRAFIK_TEXT);
    std::memcpy(g.YText[t], g.YText[s], GRAFIK_TEXT);
    SchreibeSlot(g, t, k, flags);
    g.SlotKGewicht[t] = (flags & SLOT_K_GEWICHTET) ? g.SlotKGewicht[s] : 0.0;
    g.XasStufe[t] = 0;
    ++g.KurvenZaehler;
    g.NeuesterZaehler = g.KurvenZaehler;
}

void AlleNeuZeichnen(haupt_fenster* app)
{
    for (HWND h : app->GrafikHandles)
        if (h) InvalidateRect(h, nullptr, TRUE);
}

// A complex curve shown together with its magnitude while the dialog is
// open: the magnitude goes into the next slot, which stays behind the
// current one.
void BetragsVorschau(haupt_fenster* app, grafik_fenster& g, int32_t fenster)
{
    FT_KURVE k = SlotKurve(g, g.AktuellerSlot());
    if (k.Punkte() < 1 || !k.Komplex()) return;
    for (int32_t i = 0; i < k.Punkte(); ++i) {
        k.y[i] = std::hypot(k.y[i], k.im[i]);
        k.im[i] = -k.im[i];
    }
    const int32_t s = g.AktuellerSlot();
    NeuerSlot(g, k, g.KurvenFlags[s]);
    --g.KurvenZaehler;
    --g.NeuesterZaehler;
    g.Kombinieren = 1;
    g.KombiAnzahl = 2;
    g.KombiListe[0] = s + 10 * fenster;
    g.KombiListe[1] = ((s + 1) & 3) + 10 * fenster;
    AlleNeuZeichnen(app);
    for (HWND h : app->GrafikHandles)
        if (h) UpdateWindow(h);
}

FT_EINSTELLUNG Einstellung(const double* dw, bool xafs)
{
    FT_EINSTELLUNG e;
    e.Vorwaerts = dw[0] == 1.0;
    e.Xafs = xafs;
    // Values from a macro file may be anything: out of range they become -1
    // (refused) or a size the transform refuses.
    auto ganz = [](double v, double hoechstens) {
        if (!(v >= 0.0)) return -1;
        return static_cast<int32_t>(v < hoechstens ? v : hoechstens);
    };
    e.Nullen = xafs ? 0 : ganz(std::floor(dw[1]), 1 << 24);
    e.FensterTyp = ganz(std::floor(dw[2] + 0.2), 6);
    e.Von = dw[3];
    e.Bis = dw[4];
    e.Form = dw[5];
    e.KGewicht = dw[6];
    e.Schrittweite = dw[7];
    e.KPunkte = ExafsOptionen.KPunkte;
    e.RSchritt = ExafsOptionen.RSchritt;
    return e;
}

// Section borders of the current curve as its first and last abscissa.
void RandAusKurve(grafik_fenster& g, double* lo, double* hi)
{
    const int32_t n = g.Punkte();
    *lo = g.GetXFeld(-1)[0];
    *hi = g.GetXFeld(-1)[n > 0 ? n - 1 : 0];
    g.Grenzen[1] = *lo;
    g.Grenzen[0] = *hi;
}

}  // namespace

int32_t haupt_fenster::FourierTransformation()
{
    const LPARAM lParam = Meldungsblock.lParam;
    const bool xafs = LOWORD(lParam) == XAFS_MODUS;
    const bool vorbereitet = lParam == LP_PREPARED || HIWORD(lParam) == LP_PREPARED;
    const int32_t fenster = AktivesFenster;
    if (fenster < 0 || fenster > 3 || !GrafikHandles[fenster]) {
        FehlerCode = 111;
        return 0;
    }
    grafik_fenster& g = GrafikFenster[fenster];
    double* dw = DialogWerte;
    g.DritteSpalte() = 1;
    if (g.Punkte() < 2) {
        FehlerCode = 108;
        return 0;
    }

    if (!vorbereitet) {
        if (!xafs && (g.KurvenFlags[g.AktuellerSlot()] & SLOT_FT) && !g.Kombinieren)
            BetragsVorschau(this, g, fenster);
        if (xafs) HilfeThema = 1;
        const INT_PTR ende =
            DialogBoxParamA(ProgrammModul(), "FTRANSFORMATION", Hauptfenster, FTransformationProc, 0);
        HilfeThema = 0;
        dw[0] = static_cast<double>(ende);
        if (ende <= 0) return 0;
    }

    double lo = g.Grenzen[1], hi = g.Grenzen[0];
    if (!MakroRunning && lParam != LP_PREPARED &&
        (lo > dw[3] + std::fabs(dw[3]) * 0.0001 || dw[4] - std::fabs(dw[4]) * 0.0001 > hi)) {
        FehlerCode = 102;
        return 0;
    }
    // What the step was given, for the macro record.
    double gegeben[11];
    std::memcpy(gegeben, dw, sizeof gegeben);

    const int32_t s0 = g.AktuellerSlot();
    const uint32_t F = g.KurvenFlags[s0];
    if (dw[0] != 1.0) dw[0] = 0.0;
    if (dw[0] == 0.0) dw[8] = 0.0;
    if (xafs) dw[1] = 0.0;
    FT_EINSTELLUNG e = Einstellung(dw, xafs);

    // Refusals before anything changes: no negative zero filling, a grid
    // step that can be taken, a back transform only of a transform of this
    // window, and arrays that can hold the result.
    const FT_KURVE quelle = SlotKurve(g, s0);
    const int32_t N = FtGroesse(xafs, quelle.RRaum, e.KPunkte, e.Nullen, quelle.Punkte(), 1 << 18);
    if (e.Nullen < 0 || N < 2 || (e.Vorwaerts && !quelle.RRaum && !xafs && !(e.Schrittweite > 0.0)) ||
        !(e.Bis > e.Von) || e.FensterTyp < 0 || e.FensterTyp > 5) {
        FehlerCode = 108;
        return 0;
    }
    if (!e.Vorwaerts && (!quelle.RRaum || !quelle.Komplex() || !(g.FTGitterSchritt > 0.0))) {
        FehlerCode = 110;
        return 0;
    }
    const int32_t noetig = 2 * std::max(N, quelle.Punkte()) + 8;
    if (noetig > g.FeldGroesse() && g.ResizeFelder(noetig) == 0) {
        FehlerCode = 104;
        return 0;
    }

    // A step refused after the section was cut leaves the window as it was.
    const int32_t zaehler = g.KurvenZaehler, neuester = g.NeuesterZaehler;
    const double grenzen[2] = {g.Grenzen[0], g.Grenzen[1]}, kGewicht = g.KGewicht;
    auto zurueck = [&](int32_t fehler) {
        g.KurvenZaehler = zaehler;
        g.NeuesterZaehler = neuester;
        g.Grenzen[0] = grenzen[0];
        g.Grenzen[1] = grenzen[1];
        g.KGewicht = kGewicht;
        if (fehler) FehlerCode = fehler;
        return 0;
    };

    if (xafs && (F & SLOT_FT)) g.RFensterBreite = dw[4] - dw[3];
    if (xafs && !(F & SLOT_FT) && quelle.Punkte() >= 3) {
        g.KMax = quelle.x.back();
        g.KMin = quelle.x[0];
        g.KSchritt = quelle.x[2] - quelle.x[1];
    }

    // The section: a forward transform of a real curve takes [from, to]
    // (nearest points), or in XAFS mode with "next root" the curve between
    // its first and last node; a back transform the whole curve.
    if (e.Vorwaerts && !quelle.RRaum) {
        if (xafs && dw[8] != 0.0) {
            FT_KURVE schnitt;
            if (!FtKnotenSchnitt(quelle, lo, hi, schnitt)) return zurueck(108);
            dw[3] = std::max(dw[3], schnitt.x.front());
            dw[4] = std::min(dw[4], schnitt.x.back());
            NeuerSlot(g, schnitt, F & ~SLOT_KOMPLEX);
        } else {
            if (g.CutSection(1, dw[3], dw[4], 0) < 2) return zurueck(102);
            g.KurvenFlags[g.AktuellerSlot()] |= SLOT_SCHNITT;
        }
        RandAusKurve(g, &lo, &hi);
        e = Einstellung(dw, xafs);
    }

    FT_PHASE phase;
    const FT_PHASE* mitPhase = nullptr;
    if (e.Vorwaerts && dw[10] > 0.0) {
        NichtVerfuegbarVergessen();
        if (ExafsFitVorbereiten(1, 0) == 0) {
            // Without the phase loading the step ends here.
            if (NichtVerfuegbarText()[0]) return zurueck(0);
            dw[10] = -1.0;
        } else {
            RandAusKurve(g, &lo, &hi);
        }
    }

    // k weighting of chi(k): the weight the curve has is divided out, the
    // chosen one applied.
    const int32_t s1 = g.AktuellerSlot();
    FT_KURVE k = SlotKurve(g, s1);
    if (xafs && !k.RRaum) {
        uint32_t& f = g.KurvenFlags[s1];
        FtKGewichten(k, (f & SLOT_K_GEWICHTET) != 0, g.KGewicht, dw[6]);
        if (f & SLOT_K_GEWICHTET) g.KGewicht = 0.0;
        f &= ~SLOT_K_GEWICHTET;
        if (dw[6] != 0.0) {
            f |= SLOT_K_GEWICHTET;
            g.KGewicht = dw[6];
            g.SlotKGewicht[s1] = dw[6];
        }
        SchreibeSlot(g, s1, k, f);
    }
    if (dw[10] > 0.0 && PhasenTabellen[0]) {
        phase.TabX = g.GetXFeld(s1);
        phase.Phase = PhasenTabellen[0];
        phase.Amplitude = AmplitudenTabellen[0];
        phase.Punkte = k.Punkte();
        mitPhase = &phase;
    }

    FT_VORWAERTS alt;
    alt.Fenster = g.FTFenster;
    alt.Schritt = g.FTSchritt;
    alt.KGewicht = g.FTKGewicht;
    alt.GitterSchritt = g.FTGitterSchritt;
    alt.GitterPunkte = g.FTGitterAnzahl;
    FT_ERGEBNIS r;
    const int32_t code = FourierRechnen(Numerik, e, k, lo, hi, alt, mitPhase, r);
    if (code != FT_OK) return zurueck(code);
    if (MakroAufnahme && !xafs) {
        double jetzt[11];
        std::memcpy(jetzt, dw, sizeof jetzt);
        std::memcpy(dw, gegeben, sizeof gegeben);
        ButtonBar.MakroRecord(506, 11, 0);
        std::memcpy(dw, jetzt, sizeof jetzt);
    }

    if (e.Vorwaerts) {
        if (!k.RRaum) {
            // The section slot shows the grid that was transformed.
            SchreibeSlot(g, s1, r.Gitter, g.KurvenFlags[s1]);
            FTGitterPunkte = r.Vorwaerts.GitterPunkte;
        }
        g.FTFenster = r.Vorwaerts.Fenster;
        g.FTSchritt = r.Vorwaerts.Schritt;
        g.FTKGewicht = dw[6];
        g.FTGitterSchritt = r.Vorwaerts.GitterSchritt;
        g.FTGitterAnzahl = r.Vorwaerts.GitterPunkte;
        NeuerSlot(g, r.Kurve, FLAGS_HIN);
    } else {
        if (xafs) g.RFensterBreite = dw[4] - dw[3];
        NeuerSlot(g, r.Kurve, FLAGS_ZURUECK);
    }
    g.SetFullBorder();
    if (xafs) return 1;

    if (g.Kombinieren) {
        g.Kombinieren = 0;
        g.KombiAnzahl = 0;
        AlleNeuZeichnen(this);
    }
    if (lParam != LP_PREPARED) {
        if (g.hWnd) PostMessageA(g.hWnd, WM_COMMAND, CM_REDRAW, 0);
        UpdateFensterStatus();
    }
    char name[48] = "";
    LoadStringA(ProgrammModul(), IDS_FT_FENSTER + e.FensterTyp, name, 41);
    const std::string zeile = FtHistorie(g.DateiInfo.DateiName, e, name, g.AktuellerSlot() + 1);
    if (CommandText) {
        std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", zeile.c_str());
        if (RedrawPerMessage == 1 && KindFenster[KIND_ERGEBNIS])
            SendMessageA(KindFenster[KIND_ERGEBNIS], WM_COMMAND, HISTORIE, 0);
    }
    return 1;
}
