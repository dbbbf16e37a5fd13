// The commands of the XAFS menu (801-899): the common frame, the steps of
// the edge energy, calibration and conversion to k, the DXAS energy scale,
// the odd/even view and the spectrum construction from raw columns. The
// commands other parts own go to their entry points (xas_entries.h).
#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "resource_ids.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "shell/macro_bar.h"
#include "spectra/ascii_file.h"
#include "spectra/data_commands_win.h"
#include "spectra/spectra_globals.h"
#include "xas/xas_commands_win.h"
#include "xas/xas_entries.h"
#include "xas/xas_reduction.h"
#include "xas/xanes_fit.h"

XAS_DATEIDIALOG XasDateiDialog = GetOpenFileNameA;
XAS_SPALTENWAHL XasSpaltenWahl = CalcXasDialogOeffnen;

namespace {

const int32_t FEHLER_KEIN_FENSTER = 111;
const int32_t FEHLER_BEREICH = 102;
const int32_t FEHLER_KEINE_REFERENZ = 109;
const int32_t FEHLER_MAKRO = 1000;
const int32_t CM_HISTORIE = 2003;
const char* const X_ENERGIE = "photon energy [keV]";
const char* const Y_ABSORPTION = "absorption [a.u.]";
const char* const X_K = "k [\xC5~{-1}]";
const char* const Y_NORM = "norm. absorption [a.u.]";

double* DW() { return HAUPTDATEN.DialogWerte; }

// Keeps the arrays and count that Numerik holds across a smoothing on
// arrays of this file.
struct NumerikSichern {
    double* x = Numerik.xField;
    double* y = Numerik.yField;
    int32_t n = Numerik.anzahl;
    ~NumerikSichern()
    {
        Numerik.SetField(x, y);
        Numerik.anzahl = n;
    }
};


// The run of one command on its target window.
struct Lauf {
    haupt_fenster* app;
    grafik_fenster& g;
    int32_t fenster;
    HWND grafik;
    int32_t id;
    LPARAM lParam;
    bool vorbereitet;
    double oben, unten;  // visible range at the start

    int Frage(const char* text, const char* titel, UINT art) const
    {
        return MeldungsBox(app->Hauptfenster, text, titel, art);
    }
    void Historie(const char* format, ...) const
    {
        if (!CommandText) return;
        int k = std::snprintf(CommandText, COMMAND_TEXT_BYTES, "--: %s", g.DateiInfo.DateiName);
        if (k < 0 || k >= COMMAND_TEXT_BYTES) k = 0;
        va_list args;
        va_start(args, format);
        std::vsnprintf(CommandText + k, COMMAND_TEXT_BYTES - k, format, args);
        va_end(args);
        HWND ergebnis = app->KindFenster[KIND_ERGEBNIS];
        if (RedrawPerMessage == 1 && ergebnis) SendMessageA(ergebnis, WM_COMMAND, CM_HISTORIE, 0);
    }
    void Aufnehmen(int32_t anzahl) const
    {
        if (app->MakroAufnahme) ButtonBar.MakroRecord(id, anzahl, -1);
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
        if (x) std::snprintf(g.XText[s], GRAFIK_TEXT, "%s", x);
        if (y) std::snprintf(g.YText[s], GRAFIK_TEXT, "%s", y);
    }
    double& E0() const { return g.DateiInfo.Koeffizienten[0]; }
    // A failure that a replay must stop at: code, or 1000 with lParam 2.
    void Fehler(int32_t code) const { FehlerCode = vorbereitet ? FEHLER_MAKRO : code; }
};

// The current curve into the next slot; false when there is none.
bool Kopie(Lauf& l)
{
    if (l.g.CutSection(0, 0.0, 0.0, 0) <= 0) return false;
    l.g.KurvenFlags[l.g.AktuellerSlot()] &= ~SLOT_K_GEWICHTET;
    return true;
}

int32_t SlotPunkte(const Lauf& l) { return l.g.Punkte(); }
double* SlotX(Lauf& l) { return l.g.XFeld[l.g.AktuellerSlot()]; }
double* SlotY(Lauf& l) { return l.g.YFeld[l.g.AktuellerSlot()]; }

// The GETPOLYGRAD dialog in a mode; 0 for Cancel.
bool Polygrad(Lauf& l, int32_t modus)
{
    HilfeThema = modus;
    const INT_PTR r = PolyGradDialogOeffnen(l.app->Hauptfenster);
    HilfeThema = 0;
    return r > 0;
}

bool EvWarnung(Lauf& l, const char* text)
{
    if (l.vorbereitet || !(l.unten > 500.0)) return true;
    return l.Frage(text, "Caution !!", MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK;
}

// Columns xs, ys of the window's file into the current slot.
bool SpaltenLaden(Lauf& l, int32_t xs, int32_t ys)
{
    SpektrumDaten d;
    int32_t fehler = 0;
    if (LeseSpalten(l.g.DateiInfo, xs, ys, &d, &fehler) <= 0 || !l.g.SpeichereKurve(d)) {
        l.Fehler(fehler > 0 ? fehler : 105);
        return false;
    }
    l.g.KurvenFlags[l.g.AktuellerSlot()] = 0;
    return true;
}

// One column of the window's file.
bool Spalte(Lauf& l, int32_t spalte, std::vector<double>* y, std::vector<double>* x = nullptr)
{
    SpektrumDaten d;
    int32_t fehler = 0;
    if (LeseSpalten(l.g.DateiInfo, 1, spalte, &d, &fehler) <= 0) {
        l.Fehler(fehler > 0 ? fehler : 105);
        return false;
    }
    y->assign(d.y.begin(), d.y.begin() + d.Punkte);
    if (x) x->assign(d.x.begin(), d.x.begin() + d.Punkte);
    return true;
}

// The layout line of "favorite.ini" (at most 80 characters).
std::string FavoritLayout()
{
    const std::string pfad = ProgrammDatei("favorite.ini");
    std::FILE* f = std::fopen(pfad.c_str(), "rb");
    if (!f) return STANDARD_LAYOUT;
    char zeile[81] = {};
    const size_t n = std::fread(zeile, 1, 80, f);
    std::fclose(f);
    zeile[n] = '\0';
    return zeile;
}

// Energies of a file in eV are brought to keV (once, by a thousand).
void KeV(Lauf& l)
{
    const int32_t n = SlotPunkte(l);
    double* x = SlotX(l);
    const double f = n > 0 ? EnergieFaktor(x[0], ExafsOptionen.EnergieBereich) : 1.0;
    if (f != 1.0)
        for (int32_t i = 0; i < n; ++i) x[i] *= f;
}

// Builds an absorption spectrum in the current slot from columns of the
// window's file: transmission ln(y1 / y2), fluorescence y1 / y2 (y1 the sum
// of the channels [von, bis) when a run is given); energies brought to keV.
bool AusSpalten(Lauf& l, int32_t e, int32_t a, int32_t b, bool fluoreszenz, int32_t von, int32_t bis)
{
    const int32_t spalten = l.g.DateiInfo.Spalten;
    for (int32_t s : {e, a, b})
        if (s < 1 || s > spalten) {
            l.Fehler(FEHLER_BEREICH);
            return false;
        }
    const bool summe = fluoreszenz && von > 0 && von < bis && bis - 1 <= spalten;
    if (!SpaltenLaden(l, e, summe ? von : a)) return false;
    const int32_t n = SlotPunkte(l);
    double* y = SlotY(l);
    std::vector<double> zweite, kanal;
    if (summe)
        for (int32_t k = von + 1; k < bis; ++k) {
            if (!Spalte(l, k, &kanal) || static_cast<int32_t>(kanal.size()) < n) return false;
            for (int32_t i = 0; i < n; ++i) y[i] += kanal[i];
        }
    if (!Spalte(l, b, &zweite) || static_cast<int32_t>(zweite.size()) < n) return false;
    KanalOrdinate(y, zweite.data(), n, fluoreszenz);
    KeV(l);
    l.g.SetFullBorder();
    return true;
}

}  // namespace

std::string ProgrammDatei(const char* name)
{
    char pfad[2 * MAX_PATH];
    ProgrammDatei(pfad, sizeof pfad, name);
    return pfad;
}

// ---- the routines of the spectrum construction ----

int32_t LadeReferenz(int32_t modus, grafik_fenster& g)
{
    const SpaltenLayout layout = LeseSpaltenLayout(FavoritLayout());
    Lauf lauf{&HAUPTDATEN, g, g.FensterNummer, nullptr, 0, HAUPTDATEN.Meldungsblock.lParam,
              HAUPTDATEN.Meldungsblock.lParam == LP_PREPARED, g.Grenzen[0], g.Grenzen[1]};
    KANAL_SPALTEN k;
    if (!KanalSpalten(layout, modus, &k)) {
        if (layout.Gefunden < 4) return -1;
        if (!lauf.vorbereitet)
            lauf.Frage("   Sorry, no reference column (i2) selected for\r\n"
                       "this data format. Please check out calc spectrum.",
                       "Caution !!", MB_OK | MB_ICONEXCLAMATION);
        return -1;
    }
    return AusSpalten(lauf, k.Energie, k.Von > 0 ? k.Von : k.Erste, k.Zweite, k.Teilen, k.Von, k.Bis) ? 1 : -1;
}

int32_t LadeKanal(int32_t modus, grafik_fenster& g)
{
    if (g.DateiInfo.Spalten > 3) return LadeReferenz(modus, g);
    Lauf lauf{&HAUPTDATEN, g, g.FensterNummer, nullptr, 0, HAUPTDATEN.Meldungsblock.lParam,
              HAUPTDATEN.Meldungsblock.lParam == LP_PREPARED, g.Grenzen[0], g.Grenzen[1]};
    if (!SpaltenLaden(lauf, 1, modus == 2 ? 3 : 2)) return -1;
    KeV(lauf);
    g.SetFullBorder();
    return 1;
}

int32_t BerechneXAS(int32_t neuerSlot, grafik_fenster& g, bool vorbereitet)
{
    if (!vorbereitet) {
        HilfeThema = 0;
        if (!XasSpaltenWahl || XasSpaltenWahl(HAUPTDATEN.Hauptfenster) <= 0) return -1;
    }
    Lauf lauf{&HAUPTDATEN, g, g.FensterNummer, nullptr, 843, HAUPTDATEN.Meldungsblock.lParam, vorbereitet,
              g.Grenzen[0], g.Grenzen[1]};
    const double* d = DW();
    const bool fluoreszenz = !(d[0] > 0.0);
    const int32_t e = static_cast<int32_t>(d[1]), i0 = static_cast<int32_t>(d[2]),
                  i1 = static_cast<int32_t>(d[3]);
    const int32_t von = d[5] > 0.0 ? static_cast<int32_t>(d[6]) : 0;
    const int32_t bis = d[5] > 0.0 ? static_cast<int32_t>(d[7]) : 0;
    const int32_t alt = g.KurvenZaehler, altNeu = g.NeuesterZaehler;
    if (neuerSlot > 0 && !Kopie(lauf)) return -1;
    const bool ok = fluoreszenz ? AusSpalten(lauf, e, i1, i0, true, von, bis)
                                : AusSpalten(lauf, e, i0, i1, false, 0, 0);
    if (!ok) {
        g.SetCurveSlots(alt, altNeu);
        return -1;
    }
    return g.Punkte();
}

int32_t KonvertiereF15()
{
    char pfad[MAX_PATH] = "*.F15";
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = HAUPTDATEN.Hauptfenster;
    ofn.lpstrFilter = "EXAFS (*.F15)\0*.F15\0";
    ofn.lpstrFile = pfad;
    ofn.nMaxFile = sizeof pfad;
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!XasDateiDialog || !XasDateiDialog(&ofn)) return 0;
    std::string text;
    bool gelesen = false;
    if (std::FILE* f = std::fopen(pfad, "rb")) {
        char block[4096];
        size_t n;
        while ((n = std::fread(block, 1, sizeof block, f)) > 0) text.append(block, n);
        gelesen = !std::ferror(f);
        std::fclose(f);
    }
    const std::string aus = F15Ausgabename(pfad);
    bool geschrieben = false;
    if (gelesen && !aus.empty()) {
        if (std::FILE* f = std::fopen(aus.c_str(), "wb")) {
            const std::string inhalt = KonvertiereF15Text(text);
            geschrieben = std::fwrite(inhalt.data(), 1, inhalt.size(), f) == inhalt.size();
            geschrieben = (std::fclose(f) == 0) && geschrieben;
        }
    }
    if (!geschrieben) {
        char meldung[MAX_PATH + 80];
        std::snprintf(meldung, sizeof meldung, "The file %s could not be %s.", gelesen ? aus.c_str() : pfad,
                      gelesen ? "written" : "read");
        MeldungsBox(HAUPTDATEN.Hauptfenster, meldung, "Convert F15", MB_OK | MB_ICONEXCLAMATION);
    }
    return 1;
}

int32_t OpenXafsInOne(int32_t) { return XafsInOneDialog() ? 1 : 0; }

void NumerikGlaetten(double* x, double* y, int32_t n, int32_t breite)
{
    Numerik.SetField(x, y);
    Numerik.SetAnzahl(n, 0, 0);
    Numerik.Smoothing(breite);
}

int32_t KantenSuche(grafik_fenster& g, int32_t s, double a, double b, double glaettung, bool ersteAbleitung,
                    double* e0)
{
    const int32_t n = g.DateiInfo.PunkteProKurve[s];
    if (n < 5 || n > g.FeldGroesse()) return 0;
    std::vector<double> x, d1, d2;
    GLAETTER glaetter = NumerikGlaetten;
    {
        NumerikSichern sichern;
        KantenKurven(g.XFeld[s], g.YFeld[s], n, glaettung, glaetter, &x, &d1, &d2);
    }
    return KantenNullstelle(x.data(), d1.data(), d2.data(), static_cast<int32_t>(x.size()), a, b, ersteAbleitung,
                            e0);
}

int32_t AbleitungsSpektrum(grafik_fenster& g)
{
    const int32_t s = g.AktuellerSlot();
    const int32_t n = g.Punkte();
    if (n < 3 || n > g.FeldGroesse() || !g.XFeld[s]) return 0;
    double ymin = 0.0, ymax = 0.0;
    g.GetMinMax(&ymin, &ymax, 0.0, 0.0, 0);
    const double a = std::max(std::fabs(ymin), std::fabs(ymax));
    std::vector<double> x, d1, d2;
    GLAETTER glaetter = NumerikGlaetten;
    {
        NumerikSichern sichern;
        KantenKurven(g.XFeld[s], g.YFeld[s], n, HAUPTDATEN.DialogWerte[10], glaetter, &x, &d1, &d2);
    }
    const int32_t m = static_cast<int32_t>(x.size());
    if (m > g.FeldGroesse() && g.ResizeFelder(m + 4) == 0) return 0;
    for (std::vector<double>* d : {&d1, &d2}) {
        double b = 0.0;
        for (double v : *d) b = std::max(b, std::fabs(v));
        const int32_t t = (g.KurvenZaehler + 1) & 3;
        g.SetCurveSlots(g.KurvenZaehler + 1, g.KurvenZaehler + 1);
        for (int32_t i = 0; i < m; ++i) {
            g.XFeld[t][i] = x[i];
            g.YFeld[t][i] = b > 0.0 ? (*d)[i] / b * a : 0.0;
        }
        g.DateiInfo.PunkteProKurve[t] = m;
        g.KurvenFlags[t] = 0;
        std::snprintf(g.XText[t], GRAFIK_TEXT, "%s", g.XText[s]);
        std::snprintf(g.YText[t], GRAFIK_TEXT, "%s", d == &d1 ? "1. derivative" : "2. derivative");
    }
    return 1;
}

namespace {

// ---- the inline steps ----

void OddEven(Lauf& l)
{
    const int32_t n = SlotPunkte(l);
    if (n < 2) return;
    std::vector<double> ax, ay, bx, by;
    GeradeUngerade(SlotX(l), SlotY(l), n, &ax, &ay, &bx, &by);
    for (int teil = 0; teil < 2; ++teil) {
        if (!Kopie(l)) return;
        const std::vector<double>& x = teil ? bx : ax;
        const std::vector<double>& y = teil ? by : ay;
        std::copy(x.begin(), x.end(), SlotX(l));
        std::copy(y.begin(), y.end(), SlotY(l));
        l.g.DateiInfo.PunkteProKurve[l.g.AktuellerSlot()] = static_cast<int32_t>(x.size());
        l.g.SetFullBorder();
        l.Texte("diodes", "intensity [a.u.]");
    }
    l.Neuzeichnen();
}

// 819's dialog works on the measurement resampled to 500 points (command
// 503 without its dialog, not recorded); the conversion afterwards applies
// to the curve that was current before, with all its points.
int32_t DexSkalaAufKopie(Lauf& l)
{
    const int32_t zaehler = l.g.KurvenZaehler, neuester = l.g.NeuesterZaehler;
    const MELDUNGSBLOCK block = l.app->Meldungsblock;
    const int32_t aufnahme = l.app->MakroAufnahme;
    l.app->MakroAufnahme = 0;
    DW()[0] = 500.0;
    l.app->Befehl(503, LP_PREPARED);
    l.app->MakroAufnahme = aufnahme;
    l.app->Meldungsblock = block;
    const int32_t r = DexSkalaDialog();
    l.g.SetCurveSlots(zaehler, neuester);
    return r;
}

void Dxas(Lauf& l)
{
    if (!l.vorbereitet) {
        const int32_t r = l.id == 819 ? DexSkalaAufKopie(l) : DexKonvertierDialog();
        if (r == -100) l.Fehler(113);  // "dexfoil.dat" not found: no conversion
        if (r <= 0) return;
    }
    l.Aufnehmen(3);
    for (int i = 0; i < 3; ++i) HAUPTDATEN.DxasPolynom[i] = DW()[i];
    if (!Kopie(l)) return;
    double* x = SlotX(l);
    for (int32_t i = 0; i < SlotPunkte(l); ++i) x[i] = DxasPolynom(HAUPTDATEN.DxasPolynom, x[i]);
    l.Texte(X_ENERGIE, Y_ABSORPTION);
    l.Neuzeichnen();
    l.g.SetFullBorder();
    const double* c = HAUPTDATEN.DxasPolynom;
    const int32_t slot = l.g.AktuellerSlot() + 1;
    if (l.id == 819)
        l.Historie(" --DEXAFS energy conversion -\r\n      - polynome = "
                   "C(1)= %.8G, C(2)= %.8G, C(3)= %.8G  - ( active : %d )\r\n", c[0], c[1], c[2], slot);
    else
        l.Historie(" --DEXAFS conversion -\r\n      - diodes -> energy : \r\n"
                   "      Polynome : C(1)= %.8G, C(2)= %.8G, C(3)= %.8G  - (active : %d )\r\n",
                   c[0], c[1], c[2], slot);
}

void Berechne(Lauf& l)
{
    // The opener posts 843 with lParam 10 after a raw file; the dialog then
    // answers with the current slot itself.
    const int32_t neu = l.lParam == 10 ? 0 : 1;
    if (BerechneXAS(neu, l.g, l.vorbereitet) <= 0) return;
    l.g.SetFullBorder();
    l.Texte(X_ENERGIE, Y_ABSORPTION);
    l.Aufnehmen(8);
    l.Neuzeichnen();
}

// The edge search of 811 and 808 on the curve of slot s: root of the
// second derivative (wahl <= 0) or of the first in [a, b].
bool SucheKante(Lauf& l, int32_t s, double a, double b, double glaettung, double wahl, double* e0)
{
    return KantenSuche(l.g, s, a, b, glaettung, wahl > 0.0, e0) == 1;
}

// The spectrum with its two derivatives while the section dialog in its
// derivative mode asks for the search borders; 0 for Cancel.
int32_t AbleitungsAnsicht(Lauf& l)
{
    grafik_fenster& g = l.g;
    DW()[10] = -1.0;
    const int32_t zaehler = g.KurvenZaehler, neuester = g.NeuesterZaehler;
    if (!AbleitungsSpektrum(g)) return 0;
    g.SetCurveSlots(zaehler, std::max(neuester, zaehler + 2));
    g.MultiplotAnzahl = 3;
    for (int k = 0; k < 3; ++k) g.MultiplotListe[k] = l.fenster * 10 + ((zaehler + k) & 3);
    g.MultiplotAktiv = 1;
    HilfeThema = 6;
    const int32_t r = SektionsDialog(l.id);
    HilfeThema = 0;
    g.MultiplotAktiv = 0;
    g.MultiplotAnzahl = 0;
    return r;
}

void KeinWurzel(Lauf& l, const char* abschnitt)
{
    if (l.vorbereitet) {
        FehlerCode = FEHLER_MAKRO;
        return;
    }
    char text[200];
    std::snprintf(text, sizeof text, "No edge found between the borders of the %s.\r\nE0 is left as it was.",
                  abschnitt);
    l.Frage(text, "Caution !!", MB_OK | MB_ICONEXCLAMATION);
}

// The conversion to k of the current curve into a new slot (810 steps 3-4).
bool NachK(Lauf& l)
{
    l.g.KGewicht = 0.0;
    if (!Kopie(l)) return false;
    double* x = SlotX(l);
    for (int32_t i = 0; i < SlotPunkte(l); ++i) x[i] = KAusEnergie(x[i], l.E0());
    l.Texte(X_K, Y_NORM);
    l.g.SetFullBorder();
    return true;
}

void E0Ableitung(Lauf& l)
{
    if (!EvWarnung(l, "Your spectrum seems to be versus eV.\r\n      Please change to keV.")) return;
    if (!l.vorbereitet) {
        // The borders come from the section dialog in its derivative mode.
        if (!AbleitungsAnsicht(l)) return;
        const double a = DW()[0], b = DW()[1], wurzel = DW()[2], glatt = DW()[10];
        DW()[0] = wurzel, DW()[1] = a, DW()[2] = b, DW()[4] = glatt;
    }
    l.Aufnehmen(6);
    const int32_t s = l.g.AktuellerSlot();
    double e0 = 0.0;
    if (l.vorbereitet) {
        if (!SucheKante(l, s, DW()[1], DW()[2], DW()[4], DW()[5], &e0)) {
            KeinWurzel(l, "E0 search");
            return;
        }
        // Above zero at the upper border: the first rise below the root
        // is the edge, when there is one.
        const int32_t n = SlotPunkte(l);
        const double* x = SlotX(l);
        int32_t i = 0;
        while (i < n - 2 && x[i] < DW()[2]) ++i;
        double frueher = 0.0;
        if (SlotY(l)[i] > 0.0 && SucheKante(l, s, DW()[1], e0 - 0.0002, DW()[4], DW()[5], &frueher))
            e0 = frueher;
        DW()[0] = e0;
    }
    e0 = DW()[0];
    l.g.SetFullBorder();
    l.E0() = e0;
    if (CommandArgs) CommandArgs[0] = e0;
    if (!l.vorbereitet && !l.app->MakroAufnahme) {
        char text[120];
        std::snprintf(text, sizeof text, "energy threshold   E0 = %.8G keV", e0);
        if (l.Frage(text, "Conversion into k space", MB_OKCANCEL | MB_ICONQUESTION) == IDOK) NachK(l);
    }
    l.Neuzeichnen();
    l.Historie(" --DETERMINATION OF E0 -\r\n      - derivative of sample - E0 = %.8G  - ( activated : %d )\r\n",
               e0, s + 1);
}

void E0Setzen(Lauf& l)
{
    if (!l.vorbereitet) {
        DW()[0] = l.E0();
        if (!Polygrad(l, 4)) return;
    }
    l.Aufnehmen(1);
    l.E0() = DW()[0];
}

void Konversion(Lauf& l)
{
    if (!l.vorbereitet) {
        if (!EvWarnung(l, "Your spectrum seems to be versus eV!\r\n      Please change to keV.")) return;
        char text[200];
        const bool ausserhalb = l.E0() < l.unten || l.E0() > l.oben;
        if (ausserhalb)
            std::snprintf(text, sizeof text,
                          "E0 (%.8G keV) exceeds the file range.\r\nShall the conversion be carried out ?", l.E0());
        else
            std::snprintf(text, sizeof text, "energy threshold   E0 = %.8G keV", l.E0());
        if (l.Frage(text, ausserhalb ? "Caution !!" : "Conversion into k space", MB_OKCANCEL | MB_ICONQUESTION) !=
            IDOK)
            return;
    }
    l.Aufnehmen(1);
    if (!NachK(l)) return;
    l.Neuzeichnen();
    l.Historie(" --CONVERSION into k space -\r\n      - E0 = %.8G keV  - (active : %d )\r\n", l.E0(),
               l.g.AktuellerSlot() + 1);
}

void KGewichten(Lauf& l)
{
    if (!l.vorbereitet && !Polygrad(l, 2)) return;
    l.Aufnehmen(1);
    const double w = DW()[0];
    const int32_t alt = l.g.AktuellerSlot();
    const bool gewichtet = (l.g.KurvenFlags[alt] & SLOT_K_GEWICHTET) != 0;
    // The weight the curve carries is its slot's, not the window's last one.
    const double altW = l.g.KGewichtVon(alt);
    if (!Kopie(l)) return;
    const int32_t s = l.g.AktuellerSlot();
    KGewichtung(SlotX(l), SlotY(l), SlotPunkte(l), gewichtet, altW, w);
    l.g.SetFullBorder();
    l.g.KGewicht = w;
    l.g.SlotKGewicht[s] = w > 0.0 ? w : 0.0;
    l.g.XasStufe[s] = 2;
    if (w <= 0.0) {
        l.Texte(X_K, "^c(k)");
    } else {
        char y[40];
        std::snprintf(y, sizeof y, "^c(k)*k~%d", static_cast<int>(w + 0.2));
        l.Texte(X_K, y);
        l.g.KurvenFlags[s] |= SLOT_K_GEWICHTET;
    }
    l.Neuzeichnen();
    l.Historie(" --k-WEIGHT -\r\n      - Spectrum weighted with k^x - [ x = %.8G ]  - (active : %d )\r\n", w,
               s + 1);
}

void E0Normierung(Lauf& l)
{
    if (!l.vorbereitet) {
        DW()[0] = l.E0();
        if (!Polygrad(l, 5)) return;
    }
    l.Aufnehmen(1);
    if (!Kopie(l)) return;
    double* x = SlotX(l);
    for (int32_t i = 0; i < SlotPunkte(l); ++i) x[i] = (x[i] - DW()[0]) * 1000.0;
    l.Texte("photoelectron energy (E-E@0) [eV]", Y_NORM);
    l.g.SetFullBorder();
    l.Neuzeichnen();
    l.Historie(" --E0 Normalization  : \r\n Reference E0 = %.8G   -  (active : %d )\r\n", DW()[0],
               l.g.AktuellerSlot() + 1);
}

void ReferenzE0(Lauf& l)
{
    if (!l.vorbereitet && !Polygrad(l, 8)) return;
    if (!(DW()[0] > 0.0) || !(DW()[1] > 0.0)) {
        if (!l.vorbereitet)
            l.Frage("The reference edge energies must be positive.", "Caution !!", MB_OK | MB_ICONEXCLAMATION);
        l.Fehler(108);
        return;
    }
    l.Aufnehmen(2);
    if (!Kopie(l)) return;
    double* x = SlotX(l);
    const double s = DW()[1] - DW()[0];
    for (int32_t i = 0; i < SlotPunkte(l); ++i) x[i] += s;
    l.Neuzeichnen();
    l.g.SetFullBorder();
    l.Historie(" --ENERGY CALIBRATION -\r\n      - Set reference E0 = %.8G  new E0 = %.8G   - ( activated : %d )\r\n",
               DW()[0], DW()[1], l.g.AktuellerSlot() + 1);
}

// The reference spectrum for 808 into a slot of its own (the next one);
// false with the error set when there is none.
bool ReferenzLaden(Lauf& l, const char* pfad)
{
    const int32_t quelle = HAUPTDATEN.KalibrierReferenz;
    if (ExafsOptionen.KalibrierQuelle == 1 || quelle == 3) return Kopie(l);
    if (quelle == 1) {
        SpektrumDaten d;
        DateiInfo info;
        DateiInfoLeeren(&info);
        int32_t fehler = 0;
        const char* name = pfad ? std::max(std::strrchr(pfad, '\\'), std::strrchr(pfad, '/')) : nullptr;
        name = name ? name + 1 : pfad;
        if (pfad && name) {
            std::snprintf(info.Ordner, sizeof info.Ordner, "%.*s", static_cast<int>(name - pfad), pfad);
            std::snprintf(info.DateiName, sizeof info.DateiName, "%s", name);
        }
        if (!pfad || !pfad[0] || LeseSpektrum(&info, &d, nullptr, nullptr, &fehler) <= 0 || d.Punkte < 5) {
            l.Fehler(fehler > 0 ? fehler : FEHLER_KEINE_REFERENZ);
            return false;
        }
        if (!Kopie(l)) return false;
        if (!l.g.SpeichereKurve(d)) {
            l.Fehler(107);
            return false;
        }
        l.g.KurvenFlags[l.g.AktuellerSlot()] = 0;
        KeV(l);
        return true;
    }
    if (!Kopie(l)) return false;
    return LadeKanal(2, l.g) > 0;
}

void Kalibrierung(Lauf& l)
{
    if (!EvWarnung(l, "Your spectrum seems to be versus eV.\r\n    Don't forget to change to keV.")) return;
    const int32_t quelle = HAUPTDATEN.KalibrierReferenz;
    if (quelle == 2 && l.g.DateiInfo.Spalten < 3 && ExafsOptionen.KalibrierQuelle != 1) {
        l.Fehler(FEHLER_KEINE_REFERENZ);
        return;
    }
    char pfad[MAX_PATH] = "";
    if (quelle == 1 && ExafsOptionen.KalibrierQuelle != 1) {
        if (l.vorbereitet) {
            if (CommandText2) std::snprintf(pfad, sizeof pfad, "%s", CommandText2);
            pfad[std::strcspn(pfad, "\r\n")] = '\0';
        } else {
            OPENFILENAMEA ofn{};
            ofn.lStructSize = sizeof ofn;
            ofn.hwndOwner = l.app->Hauptfenster;
            ofn.lpstrFilter = "Spectra\0*.*\0";
            ofn.lpstrFile = pfad;
            ofn.nMaxFile = sizeof pfad;
            ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
            if (!XasDateiDialog || !XasDateiDialog(&ofn)) return;
        }
    }
    // The sample as it is now; the reference gets a slot of its own and the
    // shift goes to a copy of this curve.
    const int32_t probe = l.g.AktuellerSlot();
    const int32_t alt = l.g.KurvenZaehler, altNeu = l.g.NeuesterZaehler;
    if (!ReferenzLaden(l, pfad)) {
        l.g.SetCurveSlots(alt, altNeu);
        return;
    }
    const int32_t referenz = l.g.AktuellerSlot();
    l.g.SetFullBorder();
    if (!l.vorbereitet) {
        // Borders and root come from the section dialog in its derivative
        // mode on the reference, the new E0 from GETPOLYGRAD.
        const double oben = quelle == 1 ? l.g.Grenzen[0] : l.oben, unten = quelle == 1 ? l.g.Grenzen[1] : l.unten;
        bool weiter = AbleitungsAnsicht(l) != 0;
        const double a = DW()[0], b = DW()[1], wurzel = DW()[2], glatt = DW()[10];
        if (weiter) {
            DW()[2] = a, DW()[3] = b, DW()[0] = wurzel, DW()[4] = glatt;
            weiter = Polygrad(l, 1);
            DW()[0] = wurzel;
        }
        if (weiter && !MakroRunning &&
            !(std::min(a, b) >= unten * (1 - 1e-4) && std::max(a, b) <= oben * (1 + 1e-4))) {
            FehlerCode = FEHLER_BEREICH;
            weiter = false;
        }
        if (!weiter) {
            l.g.SetCurveSlots(alt, altNeu);
            return;
        }
    }
    if (l.vorbereitet) {
        double e0 = 0.0;
        if (!SucheKante(l, referenz, DW()[2], DW()[3], DW()[4], DW()[5], &e0)) {
            l.g.SetCurveSlots(alt, altNeu);
            KeinWurzel(l, "energy calibration");
            return;
        }
        DW()[0] = e0;
    }
    const bool mitPfad = pfad[0] != '\0';
    if (mitPfad && CommandText2) std::snprintf(CommandText2, COMMAND_TEXT2_BYTES, "%s", pfad);
    DW()[6] = mitPfad ? 1.0 : 0.0;
    l.Aufnehmen(mitPfad ? 7 : 6);
    const double s = DW()[0] - DW()[1];
    // The copy of the sample follows the reference.
    const int32_t n = l.g.DateiInfo.PunkteProKurve[probe];
    std::vector<double> x(l.g.XFeld[probe], l.g.XFeld[probe] + n), y(l.g.YFeld[probe], l.g.YFeld[probe] + n);
    const uint32_t flags = l.g.KurvenFlags[probe];
    l.g.SetCurveSlots(l.g.KurvenZaehler + 1, l.g.KurvenZaehler + 1);
    const int32_t ziel = l.g.AktuellerSlot();
    std::copy(x.begin(), x.end(), l.g.XFeld[ziel]);
    std::copy(y.begin(), y.end(), l.g.YFeld[ziel]);
    l.g.DateiInfo.PunkteProKurve[ziel] = n;
    l.g.KurvenFlags[ziel] = flags & ~SLOT_KOMPLEX;
    for (int32_t i = 0; i < n; ++i) l.g.XFeld[ziel][i] -= s;
    l.Texte("photon energy (calib.)", Y_ABSORPTION);
    l.Neuzeichnen();
    l.g.SetFullBorder();
    l.Historie(" --ENERGY CALIBRATION -\r\n      - derivative of reference - old E0 = %.8G  new E0 = %.8G   - "
               "( activated : %d )\r\n",
               DW()[0], DW()[1], ziel + 1);
}

}  // namespace

void XafsBefehl(haupt_fenster* app)
{
    const int32_t id = app->Meldungsblock.Befehl;
    const LPARAM lParam = app->Meldungsblock.lParam;
    const bool vorbereitet = lParam == LP_PREPARED;
    // The calibration source is a setting; it needs no window.
    if (id >= 846 && id <= 848) {
        HAUPTDATEN.KalibrierReferenz = id - 845;
        ExafsOptionen.KalibrierQuelle = id == 848 ? 1 : 0;
        return;
    }
    const int32_t fenster = BefehlsFenster(app, true);
    if (fenster < 0) {
        FehlerCode = FEHLER_KEIN_FENSTER;
        return;
    }
    grafik_fenster& g = GrafikFenster[fenster];
    g.XasStufe[g.AktuellerSlot()] = -1;
    Lauf l{app, g, fenster, app->GrafikHandles[fenster], id, lParam, vorbereitet, g.Grenzen[0], g.Grenzen[1]};
    switch (id) {
    case 802:
        if (HAUPTDATEN.KalibrierReferenz == 2 && g.DateiInfo.Spalten < 3) {
            l.Fehler(FEHLER_KEINE_REFERENZ);
            return;
        }
        XanesFit(id);
        return;
    case 812: XanesFit(id); return;
    case 803: case 804: case 809: case 841: VorkantenBefehl(id); return;
    case 806: case 828: case 837:
        if (!vorbereitet && std::fabs(l.oben - l.unten) < 2.0 &&
            l.Frage("Atomic absorption fit should be carried out\r\n"
                    "                    in k space.\r\n"
                    "      Please convert prior to mue(0)-fit.",
                    "Caution !!", MB_OKCANCEL | MB_ICONEXCLAMATION) == IDCANCEL)
            return;
        MueNullFit(id);
        return;
    case 807: case 817: ExafsFitVorbereiten(0, 0); return;
    case 808: Kalibrierung(l); return;
    case 810: Konversion(l); return;
    case 811: E0Ableitung(l); return;
    case 813: ExafsOptionenDialog(); return;
    case 814: KGewichten(l); return;
    case 815:
        if (g.Punkte() > ExafsOptionen.KPunkte) {
            // A replay does not go on as if the transform had run.
            if (vorbereitet) FehlerCode = FEHLER_MAKRO;
            else
                l.Frage("   Number of datapoints exceeds the\r\nchoosen number of points in k space.", "Caution !!",
                        MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        XasFourierTransform(id);
        return;
    case 816: PhasenAmplituden(id); return;
    case 818: E0Setzen(l); return;
    case 819: case 821: Dxas(l); return;
    case 820: NichtVerfuegbar(id); return;  // DXAS calibration by points
    case 822: KonvertiereF15(); return;
    case 823: OddEven(l); return;
    case 824: AutoMakroAnalyse(id); return;
    case 825: case 826: case 827: case 833: case 890: SerienBefehl(id); return;
    case 829: RatioMethode(id); return;
    case 830: E0Normierung(l); return;
    case 831: DifferenzSpektrum(lParam); return;
    case 834: case 849: case 850:
        // The FEFF dialogs wait for a person; a replay stops here.
        if (vorbereitet && id != 849) l.Fehler(FEHLER_MAKRO);
        else FeffBefehl(id);
        return;
    case 835: case 838: case 839: case 840: QuickXas(id); return;
    case 842:
        if (McMasterTable && McMasterTable[0] != MCMASTER_NOT_LOADED) McMasterDialog();
        return;
    case 843: Berechne(l); return;
    case 844: LcXanesVorbereiten(id); return;
    case 845: ReferenzE0(l); return;
    case 851:
        // The dialog waits for a person; a replay stops here.
        if (vorbereitet) l.Fehler(FEHLER_MAKRO);
        else PcaBefehl(id);
        return;
    case 852:
        if (OpenXafsInOne(0) > 0) {
            g.SetFullBorder();
            l.Texte(X_ENERGIE, Y_ABSORPTION);
            l.Neuzeichnen();
        }
        return;
    default: return;
    }
}

