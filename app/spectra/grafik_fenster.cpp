// The graphic-window record: defaults, curve slots, cuts, fonts.
#include "spectra/grafik_fenster.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "shell/haupt_fenster.h"
#include "spectra/spectra_globals.h"

SpektrenAnbindung SpektrenShell{};
int32_t SpektrenFehler = 0;

namespace {

void Fehler(int32_t code)
{
    SpektrenFehler = code;
    if (SpektrenShell.FehlerCode) *SpektrenShell.FehlerCode = code;
}

void VollerBereich(double erstes, double letztes)
{
    if (SpektrenShell.VollerXBereich) {
        SpektrenShell.VollerXBereich[0] = erstes;
        SpektrenShell.VollerXBereich[1] = letztes;
    }
}

void Kopiere(char* ziel, const char* quelle)
{
    std::strncpy(ziel, quelle, GRAFIK_TEXT - 1);
    ziel[GRAFIK_TEXT - 1] = '\0';
}

double Gerade(double x0, double y0, double x1, double y1, double x)
{
    if (x1 == x0) return y1;
    return y0 + (y1 - y0) * (x - x0) / (x1 - x0);
}

// Points i0..i1 of (xs, ys) into (xt, yt), with interpolated end points at
// lower and upper when they do not fall on a point. Returns the count.
int32_t Abschnitt(const double* xs, const double* ys, int32_t n, int32_t i0, int32_t i1,
                  bool interpolieren, double lower, double upper, double* xt, double* yt)
{
    int32_t m = 0;
    if (interpolieren && i0 > 0 && std::fabs(lower - xs[i0]) > 1e-5) {
        xt[0] = lower;
        yt[0] = Gerade(xs[i0 - 1], ys[i0 - 1], xs[i0], ys[i0], lower);
        m = 1;
    }
    for (int32_t i = i0; i <= i1; ++i, ++m) {
        xt[m] = xs[i];
        yt[m] = ys[i];
    }
    if (interpolieren && i1 < n - 1 && std::fabs(upper - xs[i1]) > 1e-5) {
        xt[m] = upper;
        yt[m] = Gerade(xs[i1], ys[i1], xs[i1 + 1], ys[i1 + 1], upper);
        ++m;
    }
    return m;
}

HGLOBAL NeuerBlock(int32_t n, double** feld)
{
    HGLOBAL h = GlobalAlloc(GHND, static_cast<SIZE_T>(n) * sizeof(double) + 40);
    *feld = h ? static_cast<double*>(GlobalLock(h)) : nullptr;
    if (h && !*feld) {
        GlobalFree(h);
        h = nullptr;
    }
    return h;
}

void FreiBlock(HGLOBAL& h, double*& feld)
{
    if (h) {
        GlobalUnlock(h);
        GlobalFree(h);
    }
    h = nullptr;
    feld = nullptr;
}

}  // namespace

grafik_fenster::grafik_fenster()
{
    std::memset(static_cast<void*>(this), 0, sizeof *this);
    DateiInfoLeeren(&DateiInfo);
    Reset();
}

void grafik_fenster::Reset()
{
    KurvenZaehler = 0;
    NeuesterZaehler = 0;
    for (int i = 0; i < 4; ++i) {
        KurvenFlags[i] = 0;
        SlotKGewicht[i] = 0.0;
        XasStufe[i] = 0;
        ZustandsWorte[i] = -1;
        Kopiere(XText[i], "X");
        Kopiere(YText[i], "Y");
        Kopiere(ZText[i], "Z");
    }
    FensterText[0] = '\0';
    FTFenster = FTWINDOW{0, 0.0, 0.0, 0.0, 0.0};
    FTSchritt = FTKGewicht = FTGitterSchritt = 0.0;
    FTGitterAnzahl = 0;
    KMin = KMax = KSchritt = RFensterBreite = 0.0;
    AnsichtWorte[0] = 0;
    AnsichtWorte[1] = 1;
    Grenzen[0] = Grenzen[1] = 0.0;
    GespeicherteGrenzen[0] = GespeicherteGrenzen[1] = 0.0;

    PAINTINFO& p = Paintinfo;
    std::memset(&p, 0, sizeof p);
    p.PlotWidth = p.FuncWidth = p.AxisWidth = p.FrameWidth = 1;
    p.XNumbers = p.YNumbers = p.ZNumbers = 5;
    p.PlotPenStyle = 0;
    p.FuncPenStyle = 0;
    p.FuncStyle = 1;
    p.PlotStyle = 1;
    p.XLines = p.YLines = p.ZLines = 5;
    p.PlotHatch = p.FuncHatch = 2;
    p.TriangleHeight = 7;
    p.KreisRadius = 7;
    p.BarWidth = -1;
    p.BeschriftungFlags = 546;
    // The records are built after the application object (globals.cpp).
    const int32_t* b = HAUPTDATEN.Schriftbreiten;
    const int32_t* h = HAUPTDATEN.Schrifthoehen;
    p.AxisFontWidth = b[0];
    p.AxisFontHeight = h[0];
    p.ScaleFontWidth = b[2];
    p.ScaleFontHeight = h[2];
    p.InscriptionFontWidth = b[3];
    p.InscriptionFontHeight = h[3];
    p.CapitalFontWidth = b[1];
    p.CapitalFontHeight = h[1];
    p.PlotColor = 255;
    p.FuncColor = 0xFF0000;
    p.BkgColor = 0xC0C0C0;
    p.ShowGrid = 0;
    p.ShowFrame = 1;
    p.OnlyXPoints = 0;
    p.KomplexReal = 1;
    p.KomplexImag = 1;
    p.BarBrush = 1;
    p.ShowXText = 1;
    p.ShowYText = 1;
    p.DotScale = 0.6;
    p.SignFactor = 1.0;

    AnsichtModus = 4;
    AnsichtWerte[0] = -1.0;
    AnsichtWerte[1] = -1.0;
    AnsichtWerte[2] = 4.0;
    AnsichtWerte[3] = 0.0;
    AnsichtWerte[4] = 0.04;
    DrittesAnsichtWort = 1;
    ModellArt = 0;
    Multiplot = 0;
    Kombinieren = 0;
    Modus3D = 0;
    FunktionenGetrennt = 0;
    FesterBereich = 0;
    EinstellungenBehalten = 0;
    MultiplotAktiv = 0;
    HatDaten = 0;
    ZBereich[0] = 10.0;
    ZBereich[1] = 0.0;
    std::memset(&Zoom, 0, sizeof Zoom);
    KombiAnzahl = 0;
    std::memset(KombiListe, 0, sizeof KombiListe);
    KombiModus = 0;
    KombiVersatz[0] = KombiVersatz[1] = 0.0;
    BereichNeu = 1;
    SerienFrames = 0;
    SerienModus = 0;
    SerienSchritt = 0.0;
    SerienYOben = 0.0;
    std::memset(SerienListe, 0, sizeof SerienListe);
    LegendenAnzahl = 0.0;
    std::memset(LegendenPos, 0, sizeof LegendenPos);
    LegendenText[0] = '\0';
    ZweiWorte[0] = ZweiWorte[1] = -1;
    MultiplotAnzahl = 0;
    for (int32_t& e : MultiplotListe) e = 0x000A0001;
    DreiWorte[0] = DreiWorte[1] = DreiWorte[2] = 0;
    PolyGrad = 0;
}

int32_t grafik_fenster::AllocFelder(int32_t n)
{
    FreeFelder();
    if (n < MIN_FELD_PUNKTE) n = MIN_FELD_PUNKTE;
    for (int i = 0; i < 4; ++i) {
        XHandle[i] = NeuerBlock(n, &XFeld[i]);
        YHandle[i] = NeuerBlock(n, &YFeld[i]);
        if (!XHandle[i] || !YHandle[i]) {
            FreeFelder();
            return 0;
        }
    }
    feldGroesse_ = n;
    DateiInfo.Kapazitaet = n;
    return 1;
}

void grafik_fenster::FreeFelder()
{
    for (int i = 0; i < 4; ++i) {
        FreiBlock(XHandle[i], XFeld[i]);
        FreiBlock(YHandle[i], YFeld[i]);
    }
    feldGroesse_ = 0;
}

double* grafik_fenster::GetXFeld(int32_t i)
{
    return XFeld[(i >= 0 && i <= 3) ? i : (KurvenZaehler & 3)];
}

double* grafik_fenster::GetYFeld(int32_t i)
{
    return YFeld[(i >= 0 && i <= 3) ? i : (KurvenZaehler & 3)];
}

int32_t grafik_fenster::CutSection(int32_t useBorders, double lower, double upper,
                                   int32_t interpolate)
{
    const int32_t s = KurvenZaehler & 3;
    const int32_t t = (KurvenZaehler + 1) & 3;
    const int32_t n = DateiInfo.PunkteProKurve[s];
    double* xs = XFeld[s];
    double* ys = YFeld[s];
    double* xt = XFeld[t];
    double* yt = YFeld[t];
    if (!xs || !ys || !xt || !yt || n < 1 || n > feldGroesse_) {
        Fehler(102);
        return 0;
    }
    const bool komplex = (KurvenFlags[s] & SLOT_KOMPLEX) && 2 * n + 1 <= feldGroesse_;

    int32_t i0 = 0, i1 = n - 1;
    if (useBorders) {
        Grenzen[1] = lower;
        Grenzen[0] = upper;
        while (i0 < n && lower > xs[i0]) ++i0;
        while (i1 >= 0 && xs[i1] > upper) --i1;
        if (!interpolate) {
            if (i0 > 0 && i0 < n && 0.5 * (xs[i0 - 1] + xs[i0]) > lower) --i0;
            if (i1 >= 0 && i1 < n - 1 && upper > 0.5 * (xs[i1] + xs[i1 + 1])) ++i1;
        }
    }
    // An empty section (borders crossed or outside the curve) stores nothing.
    if (i0 > i1) {
        Fehler(102);
        return 0;
    }
    const bool interp = useBorders && interpolate;
    int32_t m = Abschnitt(xs, ys, n, i0, i1, interp, lower, upper, xt, yt);

    bool neuKomplex = false;
    if (komplex && Paintinfo.KomplexImag) {
        const double* imag = ys + n + 1;
        if (!Paintinfo.KomplexReal) {
            Abschnitt(xs, imag, n, i0, i1, interp, lower, upper, xt, yt);
        } else if (useBorders) {
            yt[m] = yt[m - 1];
            xt[m] = xt[m - 1];
            Abschnitt(xs, imag, n, i0, i1, interp, lower, upper, xt + m + 1, yt + m + 1);
            neuKomplex = true;
        } else {
            std::memcpy(xt + n, xs + n, (n + 1) * sizeof(double));
            std::memcpy(yt + n, ys + n, (n + 1) * sizeof(double));
            neuKomplex = true;
        }
    }

    Kopiere(XText[t], XText[s]);
    Kopiere(YText[t], YText[s]);
    ++KurvenZaehler;
    NeuesterZaehler = KurvenZaehler;
    DateiInfo.PunkteProKurve[t] = m;
    uint32_t flags = (KurvenFlags[s] & 0xF) ? KurvenFlags[s] : 0;
    flags &= ~(SLOT_K_FIT | SLOT_FIT_ANSICHT);
    // The mark of a third column stays only where one was copied.
    flags = neuKomplex ? (flags | SLOT_KOMPLEX) : (flags & ~SLOT_KOMPLEX);
    KurvenFlags[t] = flags;
    SlotKGewicht[t] = (flags & SLOT_K_GEWICHTET) ? SlotKGewicht[s] : 0.0;

    VollerBereich(xt[0], xt[m - 1]);
    Grenzen[1] = xt[0];
    Grenzen[0] = xt[m - 1];
    if (xt[0] >= xt[m - 1]) Fehler(102);
    return m;
}

int32_t grafik_fenster::GetMinMax(double* ymin, double* ymax, double xlow, double xhigh,
                                  int32_t withThird)
{
    const int32_t s = KurvenZaehler & 3;
    const int32_t n = DateiInfo.PunkteProKurve[s];
    const double* x = XFeld[s];
    const double* y = YFeld[s];
    double lo = 1e30, hi = -1e30;
    int32_t index = 0;
    if (x && y && n > 0 && n <= feldGroesse_) {
        const bool grenzen = xlow != 0.0 && xhigh != 0.0;
        const bool drittes =
            withThird && (KurvenFlags[s] & SLOT_KOMPLEX) && 2 * n + 1 <= feldGroesse_;
        for (int32_t i = 0; i < n; ++i) {
            if (grenzen && x[i] < xlow) continue;
            if (grenzen && x[i] > xhigh) break;
            double werte[2] = {y[i], drittes ? y[n + 1 + i] : y[i]};
            for (double v : werte) {
                if (v < lo) lo = v;
                if (v > hi) {
                    hi = v;
                    index = i;
                }
            }
        }
        XAusdehnung[0] = x[0];
        XAusdehnung[1] = x[n - 1];
    }
    if (ymin) *ymin = lo;
    if (ymax) *ymax = hi;
    return index;
}

int32_t grafik_fenster::ResizeFelder(int32_t n)
{
    // The real size decides, not the capacity field: that one is copied
    // between windows and set to the point count by the Open command.
    if (n < MIN_FELD_PUNKTE || n <= feldGroesse_) return -1;
    if (!XFeld[0]) return AllocFelder(n);
    double* nx[4] = {};
    double* ny[4] = {};
    HGLOBAL hx[4] = {};
    HGLOBAL hy[4] = {};
    for (int i = 0; i < 4; ++i) {
        hx[i] = NeuerBlock(n, &nx[i]);
        hy[i] = NeuerBlock(n, &ny[i]);
        if (!hx[i] || !hy[i]) {
            for (int k = 0; k <= i; ++k) {
                FreiBlock(hx[k], nx[k]);
                FreiBlock(hy[k], ny[k]);
            }
            return 0;
        }
    }
    for (int i = 0; i < 4; ++i) {
        // The whole old array: a curve with a third column lives beyond its count.
        std::memcpy(nx[i], XFeld[i], feldGroesse_ * sizeof(double));
        std::memcpy(ny[i], YFeld[i], feldGroesse_ * sizeof(double));
        FreiBlock(XHandle[i], XFeld[i]);
        FreiBlock(YHandle[i], YFeld[i]);
        XHandle[i] = hx[i];
        YHandle[i] = hy[i];
        XFeld[i] = nx[i];
        YFeld[i] = ny[i];
    }
    feldGroesse_ = n;
    DateiInfo.Kapazitaet = n;
    return 1;
}

int32_t grafik_fenster::SetFullBorder()
{
    const int32_t s = KurvenZaehler & 3;
    const int32_t n = DateiInfo.PunkteProKurve[s];
    if (!XFeld[s] || n < 1 || n > feldGroesse_) {
        Fehler(102);
        return 0;
    }
    const double erstes = XFeld[s][0], letztes = XFeld[s][n - 1];
    VollerBereich(erstes, letztes);
    Grenzen[1] = erstes;
    Grenzen[0] = letztes;
    if (erstes >= letztes) {
        Fehler(102);
        return 0;
    }
    return 1;
}

void grafik_fenster::SetFontInfo(const int32_t* profil)
{
    if (!profil) return;
    Paintinfo.PlotWidth = profil[5];
    Paintinfo.AxisWidth = profil[6];
    Paintinfo.FrameWidth = profil[7];
    Paintinfo.FuncWidth = profil[8];
    Paintinfo.ShowFrame = profil[9];
    Paintinfo.AxisFontHeight = profil[1];
    Paintinfo.AxisFontWidth = (profil[1] - 2) / 2;
    Paintinfo.ScaleFontHeight = profil[2];
    Paintinfo.ScaleFontWidth = (profil[2] - 2) / 2;
    Paintinfo.InscriptionFontHeight = profil[3];
    Paintinfo.InscriptionFontWidth = (profil[3] - 2) / 2;
    Paintinfo.CapitalFontHeight = profil[4];
    Paintinfo.CapitalFontWidth = (profil[4] - 2) / 2;
    CreateFonts();
    if (HWND combo = SpektrenShell.SchriftCombo) {
        char text[32];
        std::snprintf(text, sizeof text, " %d", static_cast<int>(profil[1]));
        LRESULT gefunden = SendMessageA(combo, CB_FINDSTRING, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(text));
        if (gefunden != CB_ERR) SendMessageA(combo, CB_SETCURSEL, gefunden, 0);
    }
}

void grafik_fenster::CreateFonts()
{
    haupt_fenster& app = HAUPTDATEN;
    // Pairs in the order of the application object's fonts 0-3: axis,
    // capital, scale, inscription.
    const int32_t breite[4] = {Paintinfo.AxisFontWidth, Paintinfo.CapitalFontWidth,
                               Paintinfo.ScaleFontWidth, Paintinfo.InscriptionFontWidth};
    const int32_t hoehe[4] = {Paintinfo.AxisFontHeight, Paintinfo.CapitalFontHeight,
                              Paintinfo.ScaleFontHeight, Paintinfo.InscriptionFontHeight};
    for (int i = 0; i < 4; ++i) {
        app.Schriftbreiten[i] = breite[i];
        app.Schrifthoehen[i] = hoehe[i];
    }
    app.ErzeugeSchriften("system");
}

void grafik_fenster::SetGrafikTexte(const char* x, const char* y, const char* fensterZ,
                                    const char* slotZ)
{
    const int32_t s = KurvenZaehler & 3;
    if (x) Kopiere(XText[s], x);
    if (y) Kopiere(YText[s], y);
    if (fensterZ) Kopiere(FensterText, fensterZ);
    if (slotZ) Kopiere(ZText[s], slotZ);
}

void grafik_fenster::GetGrafikTexte(char* x, char* y, char* fensterZ, char* slotZ) const
{
    const int32_t s = KurvenZaehler & 3;
    if (x) Kopiere(x, XText[s]);
    if (y) Kopiere(y, YText[s]);
    if (fensterZ) Kopiere(fensterZ, FensterText);
    if (slotZ) Kopiere(slotZ, ZText[s]);
}

int32_t grafik_fenster::ReadSeriesFrame(double* y, int32_t frame, int32_t kapazitaet)
{
    double prozent = 0.0;
    int32_t punkte = 2;
    if (SpektrenShell.GlitchKorrektur && *SpektrenShell.GlitchKorrektur) {
        prozent = SpektrenShell.GlitchProzent ? *SpektrenShell.GlitchProzent : 10.0;
        if (SpektrenShell.GlitchPunkte) punkte = *SpektrenShell.GlitchPunkte;
    }
    return LeseSerienFrame(DateiInfo, y, kapazitaet, frame, prozent, punkte);
}

bool grafik_fenster::AktuelleKurve(const double*& x, const double*& y, int32_t& punkte,
                                   bool& komplex) const
{
    const int32_t s = KurvenZaehler & 3;
    x = XFeld[s];
    y = YFeld[s];
    punkte = DateiInfo.PunkteProKurve[s];
    if (punkte > feldGroesse_) return false;
    komplex = (KurvenFlags[s] & SLOT_KOMPLEX) && Paintinfo.KomplexImag && 2 * punkte + 1 <= feldGroesse_;
    return true;
}

int32_t grafik_fenster::SchreibeBinaer(const char* pfad, int32_t anhaengen, int32_t spalten,
                                       int32_t teil, const double* x, const double* y,
                                       int32_t punkte)
{
    BinaerAuftrag a;
    a.Anhaengen = anhaengen;
    a.Spalten = spalten;
    a.Teil = teil;
    if (x && y) {
        a.x = x;
        a.y = y;
        a.Punkte = punkte;
    } else {
        if (!AktuelleKurve(a.x, a.y, a.Punkte, a.Komplex)) return FEHLER_FORMAT;
    }
    for (int k = 0; k < 3; ++k) a.Koeffizienten[k] = DateiInfo.Koeffizienten[k];
    a.Name = DateiInfo.DateiName;
    return SchreibeBinaerSpektrum(pfad, a);
}

int32_t grafik_fenster::SchreibeText(const char* pfad, const ModellAuswertung& modell)
{
    TextAuftrag a;
    a.Name = DateiInfo.DateiName;
    if (!AktuelleKurve(a.x, a.y, a.Punkte, a.Komplex)) return FEHLER_FORMAT;
    for (int k = 0; k < 4; ++k) a.Koeffizienten[k] = DateiInfo.Koeffizienten[k];
    if (ZeigeFunktion && modell) {
        a.Modell = modell;
        if (AnzahlFunktionen > 1 && FunktionenGetrennt) a.EinzelFunktionen = AnzahlFunktionen;
    }
    return SchreibeTextSpektrum(pfad, a);
}

int32_t grafik_fenster::SpeichereKurve(const SpektrumDaten& daten)
{
    const int32_t n = daten.Punkte;
    const size_t noetig = daten.Komplex ? 2 * static_cast<size_t>(n) + 1 : n;
    if (n < 1 || daten.x.size() < noetig || daten.y.size() < noetig) return 0;
    const size_t laenge = noetig;
    const int32_t bedarf = daten.Komplex ? 2 * n + 5 : n;
    if (bedarf > feldGroesse_ && ResizeFelder(bedarf) != 1) return 0;
    const int32_t s = KurvenZaehler & 3;
    std::memcpy(XFeld[s], daten.x.data(), laenge * sizeof(double));
    std::memcpy(YFeld[s], daten.y.data(), laenge * sizeof(double));
    DateiInfo.PunkteProKurve[s] = n;
    if (daten.Komplex)
        KurvenFlags[s] |= SLOT_KOMPLEX;
    else
        KurvenFlags[s] &= ~SLOT_KOMPLEX;
    return 1;
}

int32_t grafik_fenster::SetCurveSlots(int32_t counter, int32_t newest)
{
    if (newest == 0) {
        int32_t slot = NeuesterZaehler % 4;
        if (slot < 0) slot += 4;
        newest = slot;
    }
    KurvenZaehler = counter;
    NeuesterZaehler = newest;
    return 1;
}
