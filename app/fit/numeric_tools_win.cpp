// The curve tools of the Numeric menu: the handler part of each reads
// DialogWerte, hands the current curve to its plain function
// (numeric_tools_core.cpp), stores the result in the next curve slot and
// writes the history line, the macro record and the redraw.
#include "fit/numeric_tools_win.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "fit/numeric_tools.h"
#include "fit/numeric_tools_dialogs_win.h"
#include "fit/fit_choice_win.h"
#include "fit/fit_run_win.h"
#include "fit/parameter_dialogs_win.h"
#include "resource_ids.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "shell/macro_bar.h"
#include "shell/shell_globals.h"
#include "spectra/data_commands.h"
#include "spectra/data_dialogs.h"
#include "spectra/spectra_globals.h"
#include "shell/text_format.h"

namespace {

const int32_t CM_HISTORIE = 2003;
const int32_t CM_ERGEBNIS = 2001;
const UINT MENUE_DATEN = 45, MENUE_FUNKTION = 19;
const int32_t POLYNOM_CODE = 7;
// The most points a tool writes into a slot.
const int32_t TOOL_MAX_PUNKTE = FUNKTION_MAX_PUNKTE;

double* DW() { return HAUPTDATEN.DialogWerte; }

int32_t Ganz(double v) { return static_cast<int32_t>(std::floor(v + 0.2)); }

// "--: " + the window's file name + the tool's text.
std::string Zeile(const grafik_fenster& g, const std::string& text)
{
    return std::string("--: ") + g.DateiInfo.DateiName + text;
}

// The line into CommandText, to the results window while the redraw mode
// is on (2003 history, 2001 results).
void Melden(haupt_fenster* app, const std::string& zeile, int32_t befehl)
{
    if (!CommandText) return;
    std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", zeile.c_str());
    HWND ergebnis = app->KindFenster[KIND_ERGEBNIS];
    if (RedrawPerMessage == 1 && ergebnis) SendMessageA(ergebnis, WM_COMMAND, befehl, 0);
}

void Aufnehmen(haupt_fenster* app, int32_t befehl, int32_t anzahl)
{
    if (app->MakroAufnahme) ButtonBar.MakroRecord(befehl, anzahl, 0);
}

void Neuzeichnen(grafik_fenster& g, LPARAM lParam)
{
    if (lParam == LP_PREPARED) return;
    if (g.hWnd) PostMessageA(g.hWnd, WM_COMMAND, CM_REDRAW, 0);
    UpdateFensterStatus();
}

KurvenDaten Aktuelle(const grafik_fenster& g)
{
    KurvenDaten k;
    const int32_t s = g.AktuellerSlot();
    const int32_t n = g.Punkte();
    if (n > 0 && g.XFeld[s] && g.YFeld[s]) {
        k.x.assign(g.XFeld[s], g.XFeld[s] + n);
        k.y.assign(g.YFeld[s], g.YFeld[s] + n);
    }
    return k;
}

// The new curve into the next slot, which becomes current; the slot keeps
// only the k-weight flag when nurGewicht is set. false (nothing changed)
// when the arrays cannot grow.
bool InNeuenSlot(grafik_fenster& g, const KurvenDaten& neu, bool nurGewicht)
{
    const int32_t m = neu.Punkte();
    if (m < 1 || m > TOOL_MAX_PUNKTE) return false;
    if (m + 5 > g.FeldGroesse() && g.ResizeFelder(m + 5) == 0) {
        FehlerCode = 107;
        return false;
    }
    const uint32_t flags = g.KurvenFlags[g.AktuellerSlot()];
    if (g.CutSection(0, 0.0, 0.0, 1) <= 0) return false;
    const int32_t t = g.AktuellerSlot();
    std::memcpy(g.XFeld[t], neu.x.data(), sizeof(double) * m);
    std::memcpy(g.YFeld[t], neu.y.data(), sizeof(double) * m);
    g.DateiInfo.PunkteProKurve[t] = m;
    g.KurvenFlags[t] = nurGewicht ? (flags & SLOT_K_GEWICHTET) : flags;
    g.SetFullBorder();
    return true;
}

// Records the step, stores the new curve in the next slot, redraws and
// writes the history line that text(active slot) gives.
template <class Text>
bool Abschliessen(haupt_fenster* app, grafik_fenster& g, const KurvenDaten& neu, int32_t befehl,
                  int32_t werte, bool nurGewicht, LPARAM lParam, Text text)
{
    Aufnehmen(app, befehl, werte);
    if (!InNeuenSlot(g, neu, nurGewicht)) return false;
    Neuzeichnen(g, lParam);
    Melden(app, Zeile(g, text(g.AktuellerSlot() + 1)), CM_HISTORIE);
    return true;
}

bool Glaetten(haupt_fenster* app, grafik_fenster& g, LPARAM lParam)
{
    const int32_t intervall = Ganz(DW()[0]);
    KurvenDaten k = Aktuelle(g);
    if (intervall < 1 || !FourierGlaettung(k, intervall)) return false;
    return Abschliessen(app, g, k, 501, 1, true, lParam,
                        [&](int32_t aktiv) { return Format(" --SMOOTHING (Fourier)  Interval : %.8G  - ( active : %d )\r\n",
                                 static_cast<double>(intervall), aktiv); });
}

bool Spline(haupt_fenster* app, grafik_fenster& g, LPARAM lParam)
{
    const int32_t m = Ganz(DW()[0]);
    KurvenDaten neu;
    // At least two points: one would make the step range / 0.
    if (m < 2 || m > TOOL_MAX_PUNKTE) {
        FehlerCode = 108;
        return false;
    }
    if (!SplineNeu(Aktuelle(g), m, g.Grenzen[1], g.Grenzen[0], neu)) {
        FehlerCode = 108;
        return false;
    }
    return Abschliessen(app, g, neu, 503, 1, true, lParam,
                        [&](int32_t aktiv) { return Format(" --SPLINE-INTERPOLATION   - points : %.8G  - ( active : %d )\r\n",
                                 static_cast<double>(m), aktiv); });
}

bool Polint(haupt_fenster* app, grafik_fenster& g, LPARAM lParam)
{
    const int32_t m = Ganz(DW()[0]);
    KurvenDaten neu;
    if (m < 1 || m > TOOL_MAX_PUNKTE || !PolynomNeu(Aktuelle(g), m, neu)) return false;
    return Abschliessen(app, g, neu, 509, 1, true, lParam,
                        [&](int32_t aktiv) { return Format(" --POLYNOM-INTERPOLATION   - points : %.8G  - ( active : %d )\r\n",
                                 static_cast<double>(m), aktiv); });
}

bool Golay(haupt_fenster* app, grafik_fenster& g, LPARAM lParam)
{
    const int32_t durchlaeufe = Ganz(std::fabs(DW()[0]));
    const int32_t klasse = Ganz(DW()[1]);
    const int32_t intervall = Ganz(std::fabs(DW()[2]));
    KurvenDaten k = Aktuelle(g);
    if (durchlaeufe < 1 || !GolaySavitzky(k, durchlaeufe, klasse, intervall)) return false;
    return Abschliessen(app, g, k, 508, 3, true, lParam,
                        [&](int32_t aktiv) { return Format(" --GOLAY-SAVITZKY-SMOOTH   - points : %.8G  - iterations : %.8G  degree of "
                           "polynom : %.8G  - (active : %d )\r\n",
                           static_cast<double>(intervall), static_cast<double>(durchlaeufe),
                           2.0 * klasse, aktiv); });
}

bool AusgleichsSpline(haupt_fenster* app, grafik_fenster& g, LPARAM lParam)
{
    const int32_t m = Ganz(DW()[0]);
    const int32_t ergebnis = Ganz(DW()[2]);
    KurvenDaten neu;
    if (m == 0) return false;
    if (m < 6 || m > TOOL_MAX_PUNKTE || !(DW()[1] > 0.0) ||
        !AusgleichsSplineNeu(Aktuelle(g), m, DW()[1], ergebnis, neu)) {
        FehlerCode = 108;
        return false;
    }
    std::string text = Format(" --LEVEL-OUTSPLINE  - points : %.8G  - weight : %.8G  -",
                              static_cast<double>(m), DW()[1]);
    if (DW()[2] > 0.0) text += Format(" derivative : %.8G  -", DW()[2]);
    return Abschliessen(app, g, neu, 510, 3, true, lParam,
                        [&](int32_t aktiv) { return text + Format(" ( active : %d )\r\n", aktiv); });
}

bool BSplineWerkzeug(haupt_fenster* app, grafik_fenster& g, LPARAM lParam)
{
    const int32_t m = Ganz(DW()[0]);
    const int32_t grad = Ganz(DW()[1]);
    KurvenDaten neu;
    if (m == 0) return false;
    if (m < 2 || m > TOOL_MAX_PUNKTE || !BSplineNeu(Aktuelle(g), m, grad, neu)) {
        FehlerCode = 108;
        return false;
    }
    return Abschliessen(app, g, neu, 511, 2, true, lParam,
                        [&](int32_t aktiv) { return Format(" -- BSPLINE  - points : %.8G  - degree of polynom : %.8G  - ( active : %d )\r\n",
                           static_cast<double>(m), static_cast<double>(grad), aktiv); });
}

ModellCallback Modell()
{
    return HAUPTDATEN.ModellCallback ? HAUPTDATEN.ModellCallback : ModellFunktion;
}

// The interval [a, b] within the section; not checked for prepared values.
bool ImAbschnitt(const grafik_fenster& g, double a, double b, LPARAM lParam)
{
    if (lParam == LP_PREPARED || MakroRunning) return true;
    if (PruefeSektionsGrenzen(a, b, g.Grenzen[1], g.Grenzen[0]) == DATEN_OK) return true;
    FehlerCode = 102;
    return false;
}

bool Integrieren(haupt_fenster* app, grafik_fenster& g, LPARAM lParam)
{
    const int32_t quelle = Ganz(DW()[0]);
    const double a = DW()[1], b = DW()[2];
    if ((quelle != 1 && quelle != 2) || !CommandArgs) return false;
    if (!ImAbschnitt(g, a, b, lParam)) return false;
    Aufnehmen(app, 504, 3);
    if (quelle == 1) {
        const std::vector<double> werte = ModellIntegrale(Modell(), a, b, g.AnzahlFunktionen);
        if (werte.empty()) return false;
        for (size_t i = 0; i < werte.size() && i < MIN_FELD_PUNKTE; ++i) CommandArgs[i] = werte[i];
    } else {
        CommandArgs[0] = DatenIntegral(Aktuelle(g), a, b);
    }
    WriteResultsReport(CommandText, 504, quelle == 1 ? MENUE_FUNKTION : MENUE_DATEN, 0, 0);
    return true;
}

bool Wurzeln(haupt_fenster* app, grafik_fenster& g, LPARAM lParam)
{
    const int32_t modus = Ganz(DW()[0]);
    if (modus <= 0 || !CommandArgs) return false;
    const double a = DW()[3], b = DW()[4];
    if (!ImAbschnitt(g, a, b, lParam)) return false;
    Aufnehmen(app, 502, 6);
    const bool funktion = (modus & 1) != 0;
    const bool alle = (modus & 4) == 0;
    bool gefunden = false;
    const std::vector<double> r = Nullstellen(Aktuelle(g), funktion ? Modell() : nullptr, a, b, DW()[2],
                                              DW()[1], alle, DW()[5] > 0.0, MIN_FELD_PUNKTE, gefunden);
    for (size_t i = 0; i < r.size(); ++i) CommandArgs[i] = r[i];
    WriteResultsReport(CommandText, 502, funktion ? MENUE_FUNKTION : MENUE_DATEN,
                       alle ? static_cast<int32_t>(r.size()) : -1, gefunden ? 1 : 0);
    return true;
}

// 514 and 518 with the window's model as the response.
bool Faltung(haupt_fenster* app, grafik_fenster& g, int32_t befehl, LPARAM lParam)
{
    KurvenDaten k = Aktuelle(g);
    if (!Falten(k, Modell(), befehl == 514 ? 1 : -1)) return false;
    return Abschliessen(app, g, k, befehl, 0, false, lParam,
                        [&](int32_t aktiv) { return Format(" --CONVOLUTION  : %d -   (active : %d )\r\n", Ganz(DW()[0]), aktiv); });
}

// The degrees come in the window's parameter block, one per polynomial.
bool AusgleichsPolynome(haupt_fenster* app, grafik_fenster& g, LPARAM lParam)
{
    const int32_t m = Ganz(DW()[0]);
    const int32_t teile = Ganz(DW()[1]);
    const double gewicht = DW()[2];
    if (m == 0) return false;
    const KurvenDaten k = Aktuelle(g);
    std::vector<int32_t> grade;
    bool gut = m >= 2 && m <= TOOL_MAX_PUNKTE && teile >= 1 && teile <= k.Punkte() - 4 && g.Parameter;
    for (int32_t i = 0; gut && i < teile; ++i) {
        if (g.Parameter[i] < 0.0) gut = false;
        grade.push_back(Ganz(g.Parameter[i]));
    }
    KurvenDaten neu;
    if (!gut || !AusgleichsPolynomeNeu(k, m, grade, gewicht, neu)) {
        FehlerCode = 108;
        return false;
    }
    if (app->MakroAufnahme) ButtonBar.MakroRecord(513, 3, teile);
    if (!InNeuenSlot(g, neu, true)) return false;
    Neuzeichnen(g, lParam);
    std::string text = Format(" --LEVEL-OUT POLYNOME  - points : %d  - number : %d - degree : ", m, teile);
    for (size_t i = 0; i < grade.size(); ++i) text += (i ? " / " : "") + Format("%d", grade[i]);
    text += Format(" - weigth : %G -   (active : %d )\r\n", gewicht, g.AktuellerSlot() + 1);
    Melden(app, Zeile(g, text), CM_HISTORIE);
    return true;
}

bool Differenzieren(haupt_fenster* app, grafik_fenster& g, LPARAM lParam)
{
    const int32_t modus = Ganz(DW()[0]);
    if (modus <= 0) return false;
    const bool erste = (modus & 4) != 0;
    const double schritt = DW()[1];
    const KurvenDaten k = Aktuelle(g);
    const char* ableitung = erste ? " 1. derivative " : " 2. derivative ";
    std::string text = " --DIFFERENTIATION - ";
    KurvenDaten neu;
    if (modus & 1) {
        // The count comes with the values; without one, the curve's own.
        int32_t anzahl = Ganz(DW()[2]);
        if (anzahl <= 2) anzahl = k.Punkte();
        if (anzahl <= 2 || anzahl > TOOL_MAX_PUNKTE) return false;
        if (!FunktionsAbleitung(HAUPTDATEN.ModellCallback ? HAUPTDATEN.ModellCallback : ModellFunktion,
                                erste, schritt, g.Grenzen[1], g.Grenzen[0], anzahl, neu))
            return false;
        text += std::string(ableitung) + "of function - points : " + Format("%d", neu.Punkte()) + "  -";
    } else if (modus & 8) {
        if (!SplineAbleitung(k, erste, schritt, g.Grenzen[1], g.Grenzen[0], TOOL_MAX_PUNKTE, neu))
            return false;
        text += std::string("of data array") + ableitung + "- points : " + Format("%d", neu.Punkte()) +
                "  -";
    } else {
        if (!FeldAbleitung(k, erste, schritt, neu)) return false;
        text += std::string("of data array") + ableitung;
    }
    Aufnehmen(app, 505, 3);
    if (!InNeuenSlot(g, neu, false)) return false;
    if (!g.ZeigeDaten && lParam != LP_PREPARED) {
        CheckMenuItem(app->Hauptmenue, MENUE_FUNKTION, MF_BYCOMMAND | MF_UNCHECKED);
        if (app->Hauptfenster) SendMessageA(app->Hauptfenster, WM_COMMAND, MENUE_DATEN, 0);
    } else {
        Neuzeichnen(g, lParam);
    }
    Melden(app, Zeile(g, text + Format("   (active : %d )\r\n", g.AktuellerSlot() + 1)), CM_HISTORIE);
    return true;
}

bool Regressieren(haupt_fenster* app, grafik_fenster& g, LPARAM lParam)
{
    Regression r;
    if (!LineareRegressionKurve(Aktuelle(g), r)) return false;
    if (!g.FunktionsTypen || !g.Parameter) return false;
    Aufnehmen(app, 515, 0);
    g.AnzahlFunktionen = 1;
    g.FunktionsTypen[0] = POLYNOM_CODE;
    g.PolyGrad = 1;
    g.Parameter[0] = r.Achsenabschnitt;
    g.Parameter[1] = r.Steigung;
    FitFunctionCount = 1;
    FitPolyDegree = 1;
    g.ZeigeDaten = 1;
    g.ZeigeFunktion = 1;
    CheckMenuItem(app->Hauptmenue, MENUE_FUNKTION, MF_BYCOMMAND | MF_CHECKED);
    Neuzeichnen(g, lParam);
    Melden(app,
           Zeile(g, Format(" --LINEAR REGRESSION - ( active : %d )\r\n", g.AktuellerSlot() + 1)) +
               Format("      -  (Ax+B=y) :  A = %.8G, B = %.8G  - \r\n      - Correlation r factor: "
                      "%.5G ; Standard deviation : %.8G\r\n",
                      r.Steigung, r.Achsenabschnitt, r.Korrelation, r.Standardabweichung),
           CM_ERGEBNIS);
    return true;
}

bool MinMax(haupt_fenster* app, grafik_fenster& g)
{
    const int32_t art = DW()[0] < 0.0 ? -1 : (DW()[0] > 0.0 ? 1 : 0);
    const bool ordinaten = DW()[1] > 0.0;
    const bool glaetten = DW()[2] > 0.0;
    const bool nurExtremstes = DW()[4] > 0.0;
    const KurvenDaten k = Aktuelle(g);
    const int32_t intervall = Ganz(DW()[3]);
    if (glaetten && (intervall < 2 || intervall > k.Punkte() / 2)) return false;
    const auto liste = SucheExtrema(k, art, glaetten ? intervall : 0, nurExtremstes);
    Aufnehmen(app, 517, 4);
    int32_t zelle = 0;
    std::string text = Zeile(g, Format(" --MIN-MAX SEARCH  :  -   (active : %d )\r\n", g.AktuellerSlot() + 1));
    for (size_t i = 0; i < liste.size(); ++i) {
        if (CommandArgs && zelle + 2 <= MIN_FELD_PUNKTE) {
            CommandArgs[zelle++] = liste[i].X;
            if (ordinaten) CommandArgs[zelle++] = liste[i].Y;
        }
        text += ordinaten ? Format("      %d. Max/Min\t    X =  %.8G ,\t  Y =  %.8G\r\n",
                                   static_cast<int>(i + 1), liste[i].X, liste[i].Y)
                          : Format("      %d. Max/Min\t    X =  %.8G\r\n", static_cast<int>(i + 1),
                                   liste[i].X);
    }
    text += "\r\n";
    Melden(app, text, CM_ERGEBNIS);
    return true;
}

// What the dialogs show of the window's current curve.
NUMERIK_KURVE DialogKurve(const grafik_fenster& g)
{
    NUMERIK_KURVE k;
    k.Punkte = g.Punkte();
    k.Unten = g.Grenzen[1];
    k.Oben = g.Grenzen[0];
    k.ZeigtDaten = g.ZeigeDaten != 0;
    k.ZeigtFunktion = g.ZeigeFunktion != 0 && g.AnzahlFunktionen > 0;
    k.KleinsterAbstand = KleinsterAbstand(Aktuelle(g));
    return k;
}

// The response of the convolution from the menu: the user chooses one
// model function and its parameters; the window's model becomes that
// function centred at 0. false when either dialog is cancelled.
bool AntwortWaehlen(haupt_fenster* app, grafik_fenster& g)
{
    const INT_PTR wahl = FunktionWaehlen(app);
    if (wahl == 0 || !g.FunktionsTypen || !g.Parameter || g.AnzahlFunktionen < 1) return false;
    g.AnzahlFunktionen = 1;
    FitModellLaden(g);
    const int32_t alt = HilfeThema;
    HilfeThema = 100;
    const int32_t ok = ParameterTabelle(app);
    HilfeThema = alt;
    if (ok == 0) return false;
    if (FunctionParameterCount(g.FunktionsTypen[0], g.PolyGrad, SplineKnotCount) > 1) g.Parameter[1] = 0.0;
    return true;
}

}  // namespace

bool NumerikWerkzeugGebaut(int32_t befehl)
{
    switch (befehl) {
    case 501: case 502: case 503: case 504: case 505: case 508: case 509: case 510: case 511:
    case 513: case 514: case 515: case 517: case 518:
        return true;
    default: return false;
    }
}

bool NumerikWerkzeug(haupt_fenster* app, int32_t befehl, int32_t fenster, LPARAM lParam)
{
    if (!NumerikWerkzeugGebaut(befehl)) return false;
    // From the menu a tool asks for its values first; the macro player's
    // prepared values run it at once. Tools whose dialog is not built yet
    // answer "not available".
    grafik_fenster& g = GrafikFenster[fenster];
    if (lParam != LP_PREPARED && (befehl == 514 || befehl == 518)) {
        if (!AntwortWaehlen(app, g)) return true;
    } else if (lParam != LP_PREPARED && befehl != 515) {
        const INT_PTR ende = NumerikDialog(befehl, app->Hauptfenster, DialogKurve(g));
        if (ende < 0) {
            NichtVerfuegbar(befehl);
            return true;
        }
        if (ende == 0) return true;  // Cancel: nothing changes, nothing is recorded
    }
    HCURSOR alt = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    switch (befehl) {
    case 501: Glaetten(app, g, lParam); break;
    case 502: Wurzeln(app, g, lParam); break;
    case 503: Spline(app, g, lParam); break;
    case 504: Integrieren(app, g, lParam); break;
    case 505: Differenzieren(app, g, lParam); break;
    case 508: Golay(app, g, lParam); break;
    case 509: Polint(app, g, lParam); break;
    case 510: AusgleichsSpline(app, g, lParam); break;
    case 511: BSplineWerkzeug(app, g, lParam); break;
    case 513: AusgleichsPolynome(app, g, lParam); break;
    case 514: case 518: Faltung(app, g, befehl, lParam); break;
    case 515: Regressieren(app, g, lParam); break;
    case 517: MinMax(app, g); break;
    }
    SetCursor(alt);
    return true;
}
