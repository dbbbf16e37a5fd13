// The EXAFS fit on the program's objects: the surroundings of the model
// kinds, the chi-square callback, the set-up of 807 (refinement) and 817
// (simulation), the reload of the paths for the graphic window's popup, and
// the FEFF part of the 807 macro record.
#include "xas/exafs_fit_win.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "fit/exafs_terms.h"
#include "fit/fit_model.h"
#include "fit/fit_run.h"
#include "fit/model_function.h"
#include "fit/parameter_dialogs_win.h"
#include "fit/xafs_table.h"
#include "resource_ids.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "shell/macro_bar.h"
#include "shell/macro_file.h"
#include "shell/shell_globals.h"
#include "spectra/graphic_drawing.h"
#include "spectra/spectra_globals.h"
#include "xas/experimental_phases_win.h"
#include "xas/feff_path.h"
#include "xas/xas_entries.h"

namespace {

const double PI = 3.14159265358979323846;

int32_t Slot(const grafik_fenster& g, int32_t zurueck) { return (g.KurvenZaehler - zurueck) & 3; }

int32_t SlotPunkte(const grafik_fenster& g, int32_t slot)
{
    const int32_t n = g.DateiInfo.PunkteProKurve[slot & 3];
    return n > 0 && n <= g.FeldGroesse() ? n : 0;
}

// The model of a failed path load: one Gaussian, no EXAFS fit.
void ModellZuruecksetzen(grafik_fenster& g)
{
    FitFunctionCount = 1;
    FitFunctionTypes[0] = 1;
    FitParameters[0] = 1.0;
    FitParameters[1] = 4.0;
    FitParameters[2] = 1.0;
    g.AnzahlFunktionen = 1;
    ResetModelTables();
    FitModellArt = 0;
    g.ModellArt = 0;
    Numerik.SetFitProcedure(0, ExafsFitProzedur);
    Numerik.SetWeightFunction(nullptr);
}

void PfadFehler(int32_t code)
{
    const char* text = code == FEFF_OHNE_FILES_DAT     ? ">files.dat< file not found in folder!"
                       : code == FEFF_FILES_DAT_FALSCH ? "Incorrect file structure in >files.dat<!"
                                                       : ">feffnnnn.dat< file not found in folder!";
    MeldungsBox(HAUPTDATEN.Hauptfenster, text, "Error", MB_OK | MB_ICONSTOP);
}

// Loads the path records of functions 1 .. FitFunctionCount - 1 onto the
// grid. 0 when all loaded, else the loader's code.
int32_t PfadeLaden(int32_t punkte, double* gitter)
{
    for (int32_t i = 1; i < FitFunctionCount && i < FEFF_PFADE; ++i) {
        FeffPfad& p = FeffPfade[i];
        const int32_t r = LoadFeffPath(1, &p, punkte, gitter);
        if (r < 0) return r;
        if (r == 0) return FEFF_OHNE_PFAD;
        p.Geladen = 1;
    }
    return 0;
}

// Old values of a kept FEFF model, by path name and name sum.
struct AlterPfad {
    std::string Name;
    int32_t Summe;
    std::vector<double> Werte;
};

std::vector<AlterPfad> AltePfadeMerken()
{
    std::vector<AlterPfad> alt;
    if (FitFunctionCount < 2 || FitFunctionTypes[0] % 100 != 25) return alt;
    for (int32_t i = 1; i < FitFunctionCount && i < FEFF_PFADE; ++i) {
        const int32_t q = ParameterIndex(i + 1, 0);
        const int32_t n = FunctionParameterCount(FitFunctionTypes[i], FitPolyDegree, SplineKnotCount);
        if (q < 0 || q + n > MaxParameter + 1) break;
        alt.push_back({FeffPfade[i].Dateiname, NamensSumme(FeffPfade[i].Dateiname),
                       std::vector<double>(FitParameters + q, FitParameters + q + n)});
    }
    return alt;
}

void StartWerte(int32_t i, int32_t typ, const std::vector<AlterPfad>& alt, bool behalten)
{
    const FeffPfad& p = FeffPfade[i];
    double* a = FitParameters + ParameterIndex(i + 1, 0);
    const int32_t n = FunctionParameterCount(typ, FitPolyDegree, SplineKnotCount);
    if (behalten) {
        char teil[16];
        FeffNamensteil(p.Pfadnummer, teil, sizeof teil);
        for (const AlterPfad& o : alt)
            if (o.Name.find(teil) != std::string::npos && o.Summe == NamensSumme(p.Dateiname)) {
                for (int32_t j = 0; j < n && j < static_cast<int32_t>(o.Werte.size()); ++j) a[j] = o.Werte[j];
                return;
            }
    }
    a[0] = p.Entartung;
    a[1] = DeltaRModus > 0 ? 0.0 : p.Reff;
    a[2] = p.Sigma2;
    a[3] = 0.0;
    for (int32_t j = 4; j < n; ++j) a[j] = 0.0;
}

// The data's transform for the extra k power of a simultaneous R-space
// fit: chi(k) two slots back from k^w to k^w2, resampled onto the Fourier
// grid, transformed with the window's shape and cut to the section; the
// scale factor makes its largest magnitude that of the fitted data.
void ExtraPotenzVorbereiten(grafik_fenster& g, int32_t n, double w)
{
    ExafsZusatz.ExtraDaten.assign(2 * static_cast<size_t>(n), 0.0);
    const int32_t slot = Slot(g, 2);
    const int32_t m = SlotPunkte(g, slot);
    const int32_t nk = ExafsOptionen.KPunkte;
    if (m < 3 || nk < 4 || (nk & (nk - 1)) || !(ExafsOptionen.RSchritt > 0.0)) return;
    std::vector<double> kx(g.XFeld[slot], g.XFeld[slot] + m), ky(m);
    const double w2 = ExafsZusatz.PotenzFit;
    for (int32_t i = 0; i < m; ++i) {
        const double k = kx[i];
        ky[i] = k != 0.0 ? g.YFeld[slot][i] / std::pow(k, w) * std::pow(k, w2) : 0.0;
    }
    std::vector<double> gitter(nk, 0.0), werte(nk, 0.0), im(nk, 0.0);
    const double dk = PI / ExafsOptionen.RSchritt / (nk - 1);
    int32_t innen = 0;
    for (int32_t i = 0; i < nk; ++i) {
        gitter[i] = kx[0] + i * dk;
        if (gitter[i] <= kx[m - 1]) innen = i + 1;
    }
    double* altX = Numerik.xField;
    double* altY = Numerik.yField;
    const int32_t altN = Numerik.anzahl;
    Numerik.SetField(kx.data(), ky.data());
    Numerik.anzahl = m;
    Numerik.Splint(innen, gitter.data(), werte.data());
    Numerik.SetField(gitter.data(), werte.data());
    Numerik.anzahl = nk;
    FTWINDOW f = g.FTFenster;
    const int32_t np = Numerik.DoCommonFFT(im.data(), -1, &f, nullptr, w2, PI / (std::fabs(gitter[2] - gitter[1]) * nk));
    Numerik.SetField(altX, altY);
    Numerik.anzahl = altN;
    int32_t c = 0;
    while (c < np && gitter[c] < g.Grenzen[1]) ++c;
    double groesste = -1e50;
    for (int32_t k = 0; k < n && c + k < np && !(gitter[c + k] > g.Grenzen[0]); ++k) {
        const double b = std::hypot(werte[c + k], im[c + k]);
        ExafsZusatz.ExtraDaten[k] = b;
        ExafsZusatz.ExtraDaten[n + k] = werte[c + k];
        if (ArbeitsSatz2[0] && k < BERICHT_ANZAHL_INDEX) {
            ArbeitsSatz2[0][k] = gitter[c + k];
            ArbeitsSatz2[1][k] = b;
        }
        groesste = std::max(groesste, b);
    }
    // The fitted data's largest magnitude is the reference.
    const double* y = g.GetYFeld(-1);
    double referenz = 0.0;
    for (int32_t i = 0; i < n; ++i) referenz = std::max(referenz, y[i]);
    ExafsZusatz.Skalierung = groesste > 0.0 ? referenz / groesste : 1.0;
}

// Weights 1 inside [lo, hi] of the current curve, 0 outside (the whole
// curve when the range is not set).
void Gewichte(grafik_fenster& g, double lo, double hi)
{
    const int32_t n = g.Punkte();
    const double* x = g.GetXFeld(-1);
    FitGewichte.assign(static_cast<size_t>(n) + 2, 0.0);
    const bool ganz = !(lo >= 0.0 && hi > lo);
    for (int32_t i = 0; i < n; ++i) FitGewichte[i] = ganz || (x[i] >= lo && x[i] <= hi) ? 1.0 : 0.0;
}

int32_t Refuse(int32_t code)
{
    FehlerCode = code;
    return 0;
}

// The FEFF paths of the popup's model again onto the current data grid.
int32_t PfadeNeuLaden(grafik_fenster& g)
{
    const bool rRaum = FitModellArt == 3;
    const int32_t slot = rRaum ? Slot(g, 2) : g.AktuellerSlot();
    const int32_t m = SlotPunkte(g, slot);
    if (m < 1) return 0;
    const int32_t r = PfadeLaden(m, g.XFeld[slot]);
    if (r < 0) {
        PfadFehler(r);
        return 0;
    }
    return 1;
}

}  // namespace

bool ExafsUmfeldLesen(EXAFS_FFT_UMFELD* u)
{
    if (!u || AktivesFenster < 0 || AktivesFenster > 3) return false;
    grafik_fenster& g = GrafikFenster[AktivesFenster];
    *u = EXAFS_FFT_UMFELD{};
    u->Numerik = &Numerik;
    const int32_t zwei = Slot(g, 2), eins = Slot(g, 1);
    if (g.XFeld[zwei] && g.YFeld[zwei]) {
        u->DatenK = g.XFeld[zwei];
        u->DatenChi = g.YFeld[zwei];
        u->DatenPunkte = SlotPunkte(g, zwei);
    }
    if (g.YFeld[eins]) {
        u->DatenTransformY = g.YFeld[eins];
        u->DatenTransformPunkte = SlotPunkte(g, eins);
    }
    u->Fenster = &g.FTFenster;
    u->SektionUnten = g.Grenzen[1];
    u->SektionOben = g.Grenzen[0];
    u->KPunkte = ExafsOptionen.KPunkte;
    u->RSchritt = ExafsOptionen.RSchritt;
    u->KGewicht = &ModellKGewicht;
    u->ExtraPotenzFit = ExafsZusatz.PotenzFit;
    u->ExtraPotenzZeigen = ExafsZusatz.PotenzZeigen;
    u->Skalierung = ExafsZusatz.Skalierung;
    for (int32_t k = 0; k < 4; ++k) {
        u->Bericht[k] = ArbeitsSatz1[k];
        u->Bericht2[k] = ArbeitsSatz2[k];
    }
    if (!FitImagModell.empty()) {
        u->BerichtImag = FitImagModell.data();
        u->BerichtImagLaenge = static_cast<int32_t>(FitImagModell.size());
    }
    u->ExtraDaten = ExafsZusatz.ExtraDaten.data();
    u->ExtraDatenLaenge = static_cast<int32_t>(ExafsZusatz.ExtraDaten.size());
    u->UntergrundModus = ExafsZusatz.UntergrundModus;
    if (FftModelPunkte > 0 && FftModelPunkte <= static_cast<int32_t>(FftModelX.size()) &&
        FftModelPunkte <= static_cast<int32_t>(FftModelY.size())) {
        u->MessX = FftModelX.data();
        u->MessY = FftModelY.data();
        u->MessPunkte = FftModelPunkte;
    }
    u->KPotenz = HAUPTDATEN.DialogWerte[5];
    u->TabellenKnoten = SplineKnotCount;
    return true;
}

double ExafsFitProzedur(int32_t anzahl, int32_t maxFitParameter, double* x, double* y, double* parameter,
                        double* alpha, double* beta, double* sigma)
{
    EXAFS_FFT_UMFELD u;
    if (!ExafsUmfeldLesen(&u)) return 0.0;
    ExafsProzedurModus = FitModellArt;
    return ExafsChiQuadrat(u, anzahl, maxFitParameter, x, y, parameter, alpha, beta, sigma);
}

int32_t ExafsFitVorbereiten(int32_t service, int32_t popup)
{
    haupt_fenster& app = HAUPTDATEN;
    double* dw = app.DialogWerte;
    if (AktivesFenster < 0 || AktivesFenster > 3 || !FitParameters || !FitFunctionTypes)
        return Refuse(111);
    grafik_fenster& g = GrafikFenster[AktivesFenster];
    const int32_t befehl = app.Meldungsblock.Befehl;

    if (popup == 1) {
        // The window's own model, whichever command loaded the working one.
        if (!g.FunktionsTypen || !g.Parameter) return 0;
        FitFunctionTypes = g.FunktionsTypen;
        FitParameters = g.Parameter;
        FitFunctionCount = g.AnzahlFunktionen;
        FitPolyDegree = g.PolyGrad;
        FitModellArt = g.ModellArt;
        if (FitFunctionCount > 1 && FitFunctionTypes[0] % 100 == 25) return PfadeNeuLaden(g);
        // The shells with experimental phases, on the grid the model uses.
        return SchalenPhasenLaden(g, FitFunctionCount, FitModellArt == 3 ? SCHALEN_R_RAUM : SCHALEN_K_RAUM,
                                  nullptr);
    }
    if (service == 1) {
        // The phase (and amplitude, when named) of the phase-corrected
        // transform as table 0, on the current curve.
        return SchalenPhasenLaden(g, 1, SCHALEN_TRANSFORM, nullptr);
    }

    const bool vorbereitet = app.Meldungsblock.lParam == LP_PREPARED;
    const bool simulation = befehl == 817;
    g.ZeigeFunktion = 0;
    ExafsFitAnsicht.Anzeige = -1;
    if (!vorbereitet) {
        HilfeThema = simulation ? 1 : 0;
        const int32_t r = ExafsFitDialog(befehl);
        if (r == 0) return 0;
        dw[0] = r - 1;
    }

    // Validation.
    if (dw[2] < 0.0 || dw[2] > EXAFS_MAX_PFADE || dw[3] < 0.0 || dw[3] > 10.0) return Refuse(108);
    ExafsZusatz.FitBereich[0] = dw[4];
    ExafsZusatz.FitBereich[1] = dw[5];
    ExafsZusatz.PotenzFit = dw[12] >= 0.0 ? static_cast<int32_t>(dw[12] + 0.1) : -1;
    if (!vorbereitet) ExafsZusatz.SchalenAnzahl = static_cast<int32_t>(dw[2] + 0.05);
    const int32_t basis = dw[0] >= 21.0 ? 21 : 15;
    const int32_t typ = ExafsTypVerfeinern(basis, dw[7], dw[8]);
    const bool feff = basis == 21;
    // One phase table per shell.
    if (!feff && static_cast<int32_t>(dw[2] + 0.2) > EXAFS_MAX_SCHALEN) {
        char text[200];
        std::snprintf(text, sizeof text,
                      "A model with experimental phases holds at most %d shells!\r\n     Operation was canceled.",
                      EXAFS_MAX_SCHALEN);
        MeldungsBox(app.Hauptfenster, text, "Error", MB_OK | MB_ICONSTOP);
        return Refuse(108);
    }

    // Fit kind.
    const bool rRaum = dw[6] < 0.0;
    int32_t datenSlot = rRaum ? Slot(g, 2) : g.AktuellerSlot();
    // R space: chi(k) two slots back, the complex transform one back on
    // the R points of the magnitude, which is the current curve.
    if (rRaum) {
        const int32_t transform = Slot(g, 1);
        const int32_t n = g.Punkte();
        if (g.KurvenZaehler < 2 || SlotPunkte(g, datenSlot) < 3 || n < 3 || SlotPunkte(g, transform) < n ||
            g.XFeld[transform][0] != g.GetXFeld(-1)[0] || g.XFeld[transform][n - 1] != g.GetXFeld(-1)[n - 1])
            return Refuse(118);
    }
    int32_t m = SlotPunkte(g, datenSlot);
    if (m < 3) return Refuse(111);

    // The model: S0^2, then one function per path.
    const bool behalten = dw[9] < 0.0;
    const std::vector<AlterPfad> alt = behalten && feff ? AltePfadeMerken() : std::vector<AlterPfad>();
    if (CommandText2) {
        const size_t l = std::strlen(CommandText2);
        if (l && CommandText2[l - 1] == '\n') CommandText2[l - 1] = '\0';
    }
    if (!feff) {
        // One function per shell, its phase and amplitude on the data grid.
        FitFunctionCount = static_cast<int32_t>(dw[2] + 0.2);
        if (FitFunctionCount < 1) return Refuse(108);
        for (int32_t i = 0; i < FitFunctionCount; ++i) FitFunctionTypes[i] = typ;
        if (CheckWorkingModelSize() < 0) return Refuse(108);
        g.AnzahlFunktionen = FitFunctionCount;
        SCHALEN_REFERENZ referenz[EXAFS_MAX_SCHALEN];
        if (SchalenPhasenLaden(g, FitFunctionCount, rRaum ? SCHALEN_R_RAUM : SCHALEN_K_RAUM, referenz) == 0)
            return 0;
        // In k space the data may now be cut to the phases' range.
        datenSlot = rRaum ? Slot(g, 2) : g.AktuellerSlot();
        m = SlotPunkte(g, datenSlot);
        if (!vorbereitet && dw[13] == 0.0) SchalenStartWerte(FitFunctionCount, referenz, behalten);
    } else {
        if (!vorbereitet) {
            if (!behalten) FitParameters[0] = 0.9;
            FitFunctionCount = static_cast<int32_t>(dw[2] + 0.2) + 1;
        }
        if (FitFunctionCount < 2 || FitFunctionCount > EXAFS_MAX_PFADE + 1) return Refuse(108);
        FitFunctionTypes[0] = 25;
        for (int32_t i = 1; i < FitFunctionCount; ++i) FitFunctionTypes[i] = typ;
        if (CheckWorkingModelSize() < 0) {
            char text[200];
            std::snprintf(text, sizeof text,
                          "The model holds more than %d parameters (%d paths)!\r\n     Operation was canceled.",
                          ModelParameterLimit(FitFunctionCount, FitFunctionTypes), FitFunctionCount - 1);
            MeldungsBox(app.Hauptfenster, text, "Error", MB_OK | MB_ICONSTOP);
            return Refuse(108);
        }
        g.AnzahlFunktionen = FitFunctionCount;

        const int32_t r = PfadeLaden(m, g.XFeld[datenSlot]);
        if (r < 0) {
            PfadFehler(r);
            ModellZuruecksetzen(g);
            return Refuse(108);
        }
        if (!vorbereitet && dw[13] == 0.0)
            for (int32_t i = 1; i < FitFunctionCount; ++i) StartWerte(i, typ, alt, behalten);
    }

    // Tables: a new model starts afresh; a replay keeps the recorded ones.
    // The weights of the FEFF sets follow the paths' parameters.
    const int32_t letzter = CheckWorkingModelSize() - 1;
    const int32_t saetze = feff && app.FeffSatzAnzahl >= 1 ? app.FeffSatzAnzahl : 0;
    if (letzter + saetze >= MAX_MODEL_PARAMETERS) return Refuse(108);
    if (vorbereitet || !(dw[10] < 0.0 || simulation)) {
        MaxParameter = letzter + saetze;
        if (MaxFitParameter > MaxParameter) MaxFitParameter = MaxParameter;
    } else {
        ResetModelTables();
        for (int32_t j = 0; j < saetze; ++j) {
            const double c = j < FEFF_SATZ_WERTE ? FeffSatzEinstellungen.Koeffizienten[j] : 0.0;
            FitParameters[letzter + 1 + j] = c > 0.0 ? c : 1.0;
        }
        MaxParameter = MaxFitParameter = letzter + saetze;
        for (int32_t j = 0; j < saetze && j < FEFF_SATZ_WERTE; ++j)
            if (FeffSatzEinstellungen.Flags[j] & 1) FixParameter(letzter + 1 + j);
    }
    // One E0: the E0 shift of the first path (after S0^2) or shell leads.
    if (dw[11] < 0.0 && FitFunctionCount > (feff ? 2 : 1)) GemeinsamesE0(feff ? 1 : 0);

    // Model globals and the kind of the fit.
    KantenVorzeichen = static_cast<int32_t>(dw[1]);
    ModellKGewicht = dw[3];
    if (!behalten) S0Quadrat = 1.0;
    Numerik.SetFunction(app.ModellCallback ? app.ModellCallback : ModellFunktion);
    const int32_t slot = g.AktuellerSlot();
    if (rRaum) {
        g.SetFullBorder();
        Gewichte(g, dw[4], dw[5]);
        const int32_t n = g.Punkte();
        FitImagDaten.assign(static_cast<size_t>(n) + 2, 0.0);
        if (g.KurvenFlags[slot] & SLOT_KOMPLEX)
            std::copy(g.GetYFeld(-1) + n, g.GetYFeld(-1) + 2 * n, FitImagDaten.begin());
        FitImagModell.assign(static_cast<size_t>(n) + 2, 0.0);
        FitModellArt = g.ModellArt = 3;
        g.KurvenFlags[slot] |= SLOT_FIT_ANSICHT;
        ExafsZusatz.ExtraDaten.clear();
        if (ExafsZusatz.PotenzFit >= 0) ExtraPotenzVorbereiten(g, n, dw[3]);
    } else {
        Gewichte(g, dw[4], dw[5]);
        FitModellArt = g.ModellArt = 6;
        g.KurvenFlags[slot] |= SLOT_K_FIT;
        ExafsZusatz.PotenzFit = -1;
    }
    Numerik.SetFitProcedure(1, ExafsFitProzedur);
    Numerik.SetWeightFunction(FitGewichte.data());

    // Independent points.
    HilfeThema = simulation ? -111 : -222;
    const double* dx = g.XFeld[datenSlot];
    const double dk = std::fabs(dx[m - 1] - dx[0]);
    double dR;
    if (rRaum) {
        const double* rx = g.GetXFeld(-1);
        dR = dw[4] >= 0.0 && dw[5] > dw[4] ? dw[5] - dw[4] : std::fabs(rx[g.Punkte() - 1] - rx[0]);
    } else {
        // The window keeps no R width of its last transform: dk alone.
        dR = 0.0;
    }
    const double nIdp = UnabhaengigePunkte(rRaum, dk, dR);
    CommandArgs[1000] = nIdp;

    if (!vorbereitet) {
        if (ParameterTabelle(&app) == 0) return 0;
        if (!simulation && ZuVieleParameter(simulation, nIdp, MaxFitParameter) &&
            MeldungsBox(app.Hauptfenster,
                        "The maximum number of free parameters is exceeded !\r\n"
                        "     Parameters will be strongly correlated.\r\n"
                        "      Shall the refinement be carried out?",
                        "Caution !!", MB_OKCANCEL | MB_ICONQUESTION) == IDCANCEL)
            return 0;
    }
    CommandArgs[1000] = nIdp;
    CommandArgs[1001] = MaxFitParameter;
    CommandArgs[1002] = dw[4];
    CommandArgs[1003] = dw[5];
    CommandArgs[1004] = rRaum ? -1.0 : 1.0;

    if (!ExafsModellPlausibel()) return Refuse(108);

    if (app.MakroAufnahme) {
        dw[9] = 1.0;
        ButtonBar.MakroRecord(807, 14, MaxParameter);
    }

    if (!simulation) {
        ExafsZusatz.Modus = 1;
        if (feff && FitFunctionCount > 10) app.FitErneuerung[1] = 0;
        PostMessageA(app.Hauptfenster, WM_COMMAND, 507, LP_PREPARED);
        return 1;
    }
    ExafsZusatz.Modus = -1;
    g.ZeigeFunktion = 1;
    if (app.GrafikHandles[AktivesFenster])
        PostMessageA(app.GrafikHandles[AktivesFenster], WM_COMMAND, 37, 0);
    UpdateFensterStatus();
    return 1;
}

void ExafsMakroFeffAufnehmen(MakroFeffTeil* f)
{
    if (!f) return;
    *f = MakroFeffTeil{};
    const int32_t pfade = std::min(FitFunctionCount - 1, EXAFS_MAX_PFADE);
    for (int32_t i = 1; i <= pfade; ++i) f->Quelltexte.push_back(FeffPfade[i].FilesDatPfad);
    f->Ordnerliste = CommandText3 ? CommandText3 : "";
    f->SatzAnzahl = HAUPTDATEN.FeffSatzAnzahl;
    f->SatzModus = FeffSatzEinstellungen.Modus;
    f->Messtemperatur = MessTemperatur;
    f->PfadOption = FeffSatzEinstellungen.PfadOption;
    f->SatzKoeffizienten.assign(FeffSatzEinstellungen.Koeffizienten,
                                FeffSatzEinstellungen.Koeffizienten + FEFF_SATZ_WERTE);
    f->SatzFlags.assign(FeffSatzEinstellungen.Flags, FeffSatzEinstellungen.Flags + FEFF_SATZ_WERTE);
    for (int32_t i = 1; i <= pfade; ++i) {
        f->ListenPositionen.push_back(FeffPfade[i].ListenIndex);
        f->PfadNummern.push_back(FeffPfade[i].Pfadnummer);
        f->SatzNummern.push_back(FeffPfade[i].SatzNummer);
    }
}

void ExafsMakroFeffSetzen(const MakroFeffTeil& f)
{
    const size_t pfade = std::min(f.Quelltexte.size(), static_cast<size_t>(EXAFS_MAX_PFADE));
    for (size_t k = 0; k < pfade; ++k) {
        FeffPfad& p = FeffPfade[k + 1];
        if (std::strcmp(p.FilesDatPfad, f.Quelltexte[k].c_str()) != 0 ||
            (k < f.PfadNummern.size() && p.Pfadnummer != f.PfadNummern[k]))
            FeffPfadFreigeben(&p);
        std::snprintf(p.FilesDatPfad, sizeof p.FilesDatPfad, "%s", f.Quelltexte[k].c_str());
        if (k < f.ListenPositionen.size()) p.ListenIndex = f.ListenPositionen[k];
        if (k < f.PfadNummern.size()) p.Pfadnummer = f.PfadNummern[k];
        if (k < f.SatzNummern.size()) p.SatzNummer = f.SatzNummern[k];
        FeffDateiname(p.Pfadnummer, p.Dateiname, sizeof p.Dateiname);
    }
    if (CommandText3) std::snprintf(CommandText3, COMMAND_TEXT3_BYTES, "%s", f.Ordnerliste.c_str());
    HAUPTDATEN.FeffSatzAnzahl = f.SatzAnzahl;
    FeffSatzEinstellungen.Modus = f.SatzModus;
    FeffSatzEinstellungen.PfadOption = f.PfadOption;
    if (f.Messtemperatur > 0.0) MessTemperatur = f.Messtemperatur;
    for (int32_t j = 0; j < FEFF_SATZ_WERTE; ++j) {
        FeffSatzEinstellungen.Koeffizienten[j] =
            j < static_cast<int32_t>(f.SatzKoeffizienten.size()) ? f.SatzKoeffizienten[j] : 0.0;
        FeffSatzEinstellungen.Flags[j] = j < static_cast<int32_t>(f.SatzFlags.size()) ? f.SatzFlags[j] : 0;
    }
}
