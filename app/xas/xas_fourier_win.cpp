// The XAFS Fourier transform command (815) on the active graphic window:
// the transform itself is command 506 in its XAFS mode; around it the
// command steps back from a magnitude copy, shows the envelope of a
// transform before it is transformed back, records the step, cuts and
// labels the result and writes the history line. The arithmetic of the
// tidying is in xas_fourier_core.cpp.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "fit/exafs_terms.h"
#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/haupt_fenster.h"
#include "shell/macro_bar.h"
#include "shell/shell_globals.h"
#include "spectra/spectra_globals.h"
#include "xas/xas_entries.h"
#include "xas/xas_fourier.h"

namespace {

const uint32_t SLOT_R = 1;        // a complex transform in R space
const uint32_t SLOT_K_RUECK = 2;  // a complex back-transform in k space
const uint32_t SLOT_BETRAG = 4;   // flags & 7 == 4: a magnitude copy
const int32_t FT_BEFEHL = 506;
const int32_t XAFS_MODUS = 815;
const int32_t CM_FT_BETRAG = 164;
const int32_t CM_HISTORIE = 2003;
const int32_t FEHLER_BEREICH = 102;
const int32_t FEHLER_MAKRO = 1000;

// What the command may change in a window, kept so that a refused or
// cancelled transform leaves the window as it found it.
struct FensterStand {
    grafik_fenster& g;
    int32_t zaehler, neuester, kombinieren, kombiAnzahl, dritteSpalte;
    int32_t kombiListe[16];
    uint32_t flags[4];
    int32_t punkte[4], stufe[4];
    double slotGewicht[4];
    std::vector<double> x[4], y[4];
    std::string xText[4], yText[4];
    double grenzen[2], kGewicht, ftSchritt, ftKGewicht, ftGitterSchritt, kMin, kMax, kSchritt, rBreite;
    int32_t ftGitterAnzahl;
    FTWINDOW ftFenster;

    explicit FensterStand(grafik_fenster& w) : g(w)
    {
        zaehler = g.KurvenZaehler;
        neuester = g.NeuesterZaehler;
        kombinieren = g.Kombinieren;
        kombiAnzahl = g.KombiAnzahl;
        dritteSpalte = g.DritteSpalte();
        std::memcpy(kombiListe, g.KombiListe, sizeof kombiListe);
        for (int s = 0; s < 4; ++s) {
            flags[s] = g.KurvenFlags[s];
            punkte[s] = g.DateiInfo.PunkteProKurve[s];
            stufe[s] = g.XasStufe[s];
            slotGewicht[s] = g.SlotKGewicht[s];
            const int32_t m = std::max(0, std::min(2 * punkte[s] + 2, g.FeldGroesse()));
            x[s].assign(g.XFeld[s], g.XFeld[s] + m);
            y[s].assign(g.YFeld[s], g.YFeld[s] + m);
            xText[s] = g.XText[s];
            yText[s] = g.YText[s];
        }
        grenzen[0] = g.Grenzen[0];
        grenzen[1] = g.Grenzen[1];
        kGewicht = g.KGewicht;
        ftFenster = g.FTFenster;
        ftSchritt = g.FTSchritt;
        ftKGewicht = g.FTKGewicht;
        ftGitterSchritt = g.FTGitterSchritt;
        ftGitterAnzahl = g.FTGitterAnzahl;
        kMin = g.KMin;
        kMax = g.KMax;
        kSchritt = g.KSchritt;
        rBreite = g.RFensterBreite;
    }
    void Zurueck() const
    {
        g.KurvenZaehler = zaehler;
        g.NeuesterZaehler = neuester;
        g.Kombinieren = kombinieren;
        g.KombiAnzahl = kombiAnzahl;
        g.DritteSpalte() = dritteSpalte;
        std::memcpy(g.KombiListe, kombiListe, sizeof kombiListe);
        for (int s = 0; s < 4; ++s) {
            g.KurvenFlags[s] = flags[s];
            g.DateiInfo.PunkteProKurve[s] = punkte[s];
            g.XasStufe[s] = stufe[s];
            g.SlotKGewicht[s] = slotGewicht[s];
            std::copy(x[s].begin(), x[s].end(), g.XFeld[s]);
            std::copy(y[s].begin(), y[s].end(), g.YFeld[s]);
            std::snprintf(g.XText[s], GRAFIK_TEXT, "%s", xText[s].c_str());
            std::snprintf(g.YText[s], GRAFIK_TEXT, "%s", yText[s].c_str());
        }
        g.Grenzen[0] = grenzen[0];
        g.Grenzen[1] = grenzen[1];
        g.KGewicht = kGewicht;
        g.FTFenster = ftFenster;
        g.FTSchritt = ftSchritt;
        g.FTKGewicht = ftKGewicht;
        g.FTGitterSchritt = ftGitterSchritt;
        g.FTGitterAnzahl = ftGitterAnzahl;
        g.KMin = kMin;
        g.KMax = kMax;
        g.KSchritt = kSchritt;
        g.RFensterBreite = rBreite;
    }
};

void SofortZeichnen(int32_t fenster)
{
    HWND h = HAUPTDATEN.GrafikHandles[fenster & 3];
    if (!h) return;
    InvalidateRect(h, nullptr, TRUE);
    UpdateWindow(h);
}

// The complex slot and the one after it shown together.
void Ueberlagern(grafik_fenster& g, int32_t fenster, int32_t komplex, int32_t betrag)
{
    g.Kombinieren = 1;
    g.KombiAnzahl = 2;
    g.KombiListe[0] = fenster * 10 + (komplex & 3);
    g.KombiListe[1] = fenster * 10 + (betrag & 3);
}

// A magnitude copy of the current complex curve of n points into the next
// slot, which stays behind the current one.
bool BetragsKopie(grafik_fenster& g, int32_t fenster, int32_t n)
{
    const int32_t s = g.AktuellerSlot();
    g.DritteSpalte() = 1;
    if (n < 1 || 2 * n + 1 > g.FeldGroesse() || g.CutSection(0, 0.0, 0.0, 0) <= 0) return false;
    const int32_t t = g.AktuellerSlot();
    XasBetragHuelle(g.YFeld[t], n);
    g.KurvenFlags[t] = (g.KurvenFlags[t] & ~7u) | SLOT_BETRAG;
    g.SetCurveSlots(g.KurvenZaehler - 1, g.NeuesterZaehler - 1);
    Ueberlagern(g, fenster, s, t);
    return true;
}

// Command 506 in XAFS mode (131887 when the values are prepared) on the
// active window.
void Transformieren(bool vorbereitet)
{
    haupt_fenster& app = HAUPTDATEN;
    const LPARAM lp = vorbereitet ? (static_cast<LPARAM>(LP_PREPARED) << 16) + XAFS_MODUS : XAFS_MODUS;
    MELDUNGSBLOCK& m = app.Meldungsblock;
    m.Nachricht = WM_COMMAND;
    m.wParam = FT_BEFEHL;
    m.lParam = lp;
    m.lParamKopie = lp;
    m.Befehl = FT_BEFEHL;
    m.Notiz = 0;
    app.MenueBefehl();
}

void Historie(haupt_fenster& app, const std::string& zeile)
{
    if (!CommandText) return;
    std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", zeile.c_str());
    HWND ergebnis = app.KindFenster[KIND_ERGEBNIS];
    if (RedrawPerMessage == 1 && ergebnis) SendMessageA(ergebnis, WM_COMMAND, CM_HISTORIE, 0);
}

}  // namespace

int32_t XasFourierTransform(int32_t)
{
    haupt_fenster& app = HAUPTDATEN;
    const bool vorbereitet = app.Meldungsblock.lParam == LP_PREPARED;
    const int32_t w = AktivesFenster;
    if (w < 0 || w > 3 || !app.GrafikHandles[w]) return 1;
    grafik_fenster& g = GrafikFenster[w];
    if (!g.XFeld[0] || g.Punkte() < 1) return 1;
    const FensterStand stand(g);

    // 1. From a magnitude copy back to the complex transform it was made of.
    const int32_t s = g.AktuellerSlot();
    if ((g.KurvenFlags[s] & 7u) == SLOT_BETRAG && g.KurvenZaehler > 0 &&
        (g.KurvenFlags[(g.KurvenZaehler - 1) & 3] & SLOT_R)) {
        g.DritteSpalte() = 1;
        g.SetCurveSlots(g.KurvenZaehler - 1, g.NeuesterZaehler - 1);
        Ueberlagern(g, w, g.AktuellerSlot(), s);
        SofortZeichnen(w);
    }
    // 2. A transform about to be transformed back is shown with its envelope.
    if ((g.KurvenFlags[g.AktuellerSlot()] & SLOT_R) && !g.Kombinieren) {
        if (BetragsKopie(g, w, g.Punkte())) SofortZeichnen(w);
    }

    // 3. The transform; it makes at least one new slot, or nothing.
    const int32_t vorher = g.KurvenZaehler;
    const int32_t fehlerVorher = FehlerCode;
    FehlerCode = 0;
    Transformieren(vorbereitet);
    const int32_t fehler = FehlerCode;
    if (g.KurvenZaehler <= vorher) {
        stand.Zurueck();
        SofortZeichnen(w);
        FehlerCode = vorbereitet ? FEHLER_MAKRO : (fehler ? fehler : fehlerVorher);
        return 1;
    }
    if (!fehler) FehlerCode = fehlerVorher;

    const int32_t t = g.AktuellerSlot();
    const int32_t n = g.Punkte();
    const uint32_t F = g.KurvenFlags[t];
    double* x = g.XFeld[t];
    double* y = g.YFeld[t];
    const bool vorwaerts = (F & SLOT_R) != 0;
    const bool zurueck = !vorwaerts && (F & SLOT_K_RUECK);

    // A back-transform must keep at least two points of the transform window.
    int32_t von = 0, anzahl = n;
    if (zurueck && !XasRueckSchnitt(x, n, g.KMax, g.FTFenster.lower, g.FTFenster.upper, &von, &anzahl)) {
        stand.Zurueck();
        SofortZeichnen(w);
        FehlerCode = vorbereitet || MakroRunning ? FEHLER_MAKRO : FEHLER_BEREICH;
        return 1;
    }

    // 4. The record (the transform records nothing in this mode).
    if (app.MakroAufnahme) ButtonBar.MakroRecord(XAFS_MODUS, 11, -1);

    // 5. Tidying.
    if (vorwaerts) {
        const int32_t i = XasErsterUeber(x, n, ExafsOptionen.MaxR);
        if (i < n && i >= 2) {
            XasKomplexBehalten(x, y, n, 0, i);
            g.DateiInfo.PunkteProKurve[t] = i;
            g.KurvenFlags[t] |= SLOT_BETRAG;
            BetragsKopie(g, w, i);
            SofortZeichnen(w);
        }
    } else if (zurueck) {
        XasKomplexBehalten(x, y, n, von, anzahl);
        g.DateiInfo.PunkteProKurve[t] = anzahl;
        g.KGewicht = 0.0;
        g.DritteSpalte() = 0;
        g.Kombinieren = 0;
        g.KombiAnzahl = 0;
        SofortZeichnen(w);
    }
    // 6.
    g.SetFullBorder();

    // 7. History line and axis texts.
    const double* dw = app.DialogWerte;
    const int32_t a = g.AktuellerSlot();
    XAS_FT_ZEILE z;
    char name[48] = "";
    z.Aktiv = a + 1;
    z.Von = dw[3];
    z.Bis = dw[4];
    z.Beta = dw[5];
    if (dw[2] != 0.0 && (g.KurvenFlags[a] & SLOT_R)) {
        z.Art = 1;
        LoadStringA(ProgrammModul(), IDS_FT_FENSTER + static_cast<int>(dw[2] + 0.2), name, 41);
        z.FensterName = name;
        std::snprintf(g.XText[a], GRAFIK_TEXT, "%s", "R [\xC5]");
        const bool amplitude = AmplitudenTabellen[0] && AmplitudenTabellen[0][0] > -10.0;
        std::snprintf(g.YText[a], GRAFIK_TEXT, "%s", XasFtYText(g.KGewicht, dw[10] > 0.0, amplitude).c_str());
        if (app.Hauptfenster) PostMessageA(app.Hauptfenster, WM_COMMAND, CM_FT_BETRAG, 0);
    } else if (g.KurvenFlags[a] & SLOT_K_RUECK) {
        z.Art = 2;
        std::snprintf(g.XText[a], GRAFIK_TEXT, "%s", "k [\xC5~{-1}]");
        std::snprintf(g.YText[a], GRAFIK_TEXT, "%s", "^c(k)");
    }
    const std::string zeile = XasFtHistorie(g.DateiInfo.DateiName, z);

    // 8.
    if (!vorbereitet && app.GrafikHandles[w]) PostMessageA(app.GrafikHandles[w], WM_COMMAND, CM_REDRAW, 0);
    UpdateFensterStatus();
    Historie(app, zeile);
    return 1;
}
