// FEFF scattering paths in the atomic background fit: the dialog MUE_XAFS,
// the choice of the paths behind the section dialog's box 472, and the
// fit of the spline background together with the paths' EXAFS, whose
// results go to "mue_xafs.txt", the results table and "spline_XAS.mue".
// The model's tables and the texts come from mue_xafs_core.cpp.
#include "xas/mue_xafs_win.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "fit/exafs_terms.h"
#include "fit/fit_model.h"
#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/file_commands.h"
#include "spectra/file_commands_win.h"
#include "spectra/spectra_globals.h"
#include "xas/debye_waller.h"
#include "xas/exafs_fit.h"
#include "xas/feff_path.h"
#include "xas/model_fft.h"
#include "xas/mue_xafs.h"
#include "xas/xas_background.h"
#include "xas/xas_entries.h"

namespace {

const int32_t FIT_GITTER = 300;
const int32_t MIN_KNOTEN = 3, MAX_KNOTEN = 40;
const int32_t MAX_ITERATIONEN = 500;
// Slot flag of EXAFS data: the model evaluates its EXAFS terms on it.
const uint32_t SLOT_EXAFS = 0x10;

double* DW() { return HAUPTDATEN.DialogWerte; }

void Meldung(HWND owner, const char* text)
{
    if (MakroRunning) return;
    MeldungsBox(owner, text, "Caution !!", MB_OK | MB_ICONEXCLAMATION);
}

void ModellLaden(grafik_fenster& g)
{
    FitFunctionTypes = g.FunktionsTypen;
    FitParameters = g.Parameter;
    FitFunctionCount = g.AnzahlFunktionen;
    FitPolyDegree = g.PolyGrad;
}

std::string DatenDatei(const char* name)
{
    std::string pfad = HAUPTDATEN.DatenOrdner ? HAUPTDATEN.DatenOrdner : "";
    if (!pfad.empty() && pfad.back() != '\\' && pfad.back() != '/') pfad += "\\";
    return pfad + name;
}

bool Schreibe(const std::string& pfad, const std::string& text, bool binaer)
{
    std::FILE* f = std::fopen(pfad.c_str(), binaer ? "wb" : "w");
    if (!f) return false;
    const bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    return std::fclose(f) == 0 && ok;
}

double Sigma2AusTemperatur(double theta, int32_t satz)
{
    if (satz < 1 || satz >= FEFF_PFADE) return 0.0;
    return DebyeWallerModell > 0 ? EinsteinSigma2(FeffPfade[satz], MessTemperatur, theta)
                                 : CorrDebyeSigma2(FeffPfade[satz], MessTemperatur, theta);
}

// The section layout of the knots (advanced spline) when the block holds
// one for this knot count.
bool Abschnitte(const double* p, int32_t knoten, SplineAbschnitte* a)
{
    if (p[SPLINE_MARKER_INDEX] != SPLINE_MARKER) return false;
    const int32_t s = static_cast<int32_t>(p[SPLINE_MARKER_INDEX + 1]);
    if (s < 1 || s > 5) return false;
    int32_t zahl = 1;
    for (int32_t i = 1; i <= s; ++i) {
        a->Knoten.push_back(p[SPLINE_MARKER_INDEX + 1 + i]);
        a->Exponenten.push_back(p[SPLINE_MARKER_INDEX + 10 + i]);
        zahl += std::max(static_cast<int32_t>(p[SPLINE_MARKER_INDEX + 1 + i]), 1);
    }
    return zahl == knoten;
}

// What the fit changes in the numerics object and the model globals; put
// back at the end.
struct Sicherung {
    double* x = Numerik.xField;
    double* y = Numerik.yField;
    int32_t n = Numerik.anzahl;
    double kGewicht = ModellKGewicht;
    int32_t modus = ExafsZusatz.UntergrundModus;
    ~Sicherung()
    {
        Numerik.SetField(x, y);
        Numerik.anzahl = n;
        Numerik.SetExpError(0.001);
        Numerik.SetWeightFunction(nullptr);
        ModellKGewicht = kGewicht;
        ExafsZusatz.UntergrundModus = modus;
    }
};

}  // namespace

INT_PTR CALLBACK MueXafsDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        CenterDialog(dlg);
        CheckRadioButton(dlg, IDC_MX_R_FREI, IDC_MX_R_XYZ, IDC_MX_R_FREI);
        CheckRadioButton(dlg, IDC_MX_S_FREI, IDC_MX_S_DEBYE, IDC_MX_S_FREI);
        return TRUE;
    }
    if (msg != WM_COMMAND) return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK:
        DW()[0] = DialogKreuz(dlg, IDC_MX_R_FREI) ? 1.0 : -1.0;
        DW()[1] = DialogKreuz(dlg, IDC_MX_S_FREI) ? 1.0 : -1.0;
        EndDialog(dlg, 1);
        return TRUE;
    case IDCANCEL: EndDialog(dlg, 0); return TRUE;
    case IDC_DLG_HELP: DialogHilfe(828); return TRUE;
    default: return FALSE;
    }
}

int32_t MueXafsDialog(HWND owner)
{
    return DialogBoxParamA(ProgrammModul(), "MUE_XAFS", owner, MueXafsDlgProc, 0) == 1 ? 1 : 0;
}

void MueXafsEntfernen()
{
    if (AktivesFenster < 0 || AktivesFenster > 3) return;
    grafik_fenster& g = GrafikFenster[AktivesFenster];
    g.AnzahlFunktionen = 1;
    FitFunctionCount = 1;
}

int32_t MueXafsModellSetzen(HWND owner, int32_t pfade, int32_t knoten)
{
    if (AktivesFenster < 0 || AktivesFenster > 3) return 0;
    grafik_fenster& g = GrafikFenster[AktivesFenster];
    const int32_t n = g.Punkte();
    double* x = g.GetXFeld(-1);
    if (!g.FunktionsTypen || !g.Parameter || n < 4 || pfade < 1 || pfade >= FEFF_PFADE) {
        MueXafsEntfernen();
        return 0;
    }
    char t[300];
    if (pfade > MueXafsMaxPfade(knoten)) {
        std::snprintf(t, sizeof t,
                      "   Beside %d splines the background fit takes at most %d FEFF paths\r\n"
                      "   (its parameters must stay below 50). Nothing was added.",
                      knoten, MueXafsMaxPfade(knoten));
        Meldung(owner, t);
        MueXafsEntfernen();
        return 0;
    }
    if (DW()[0] <= 0.0 && pfade < 3) {
        Meldung(owner, "   The xyz correlation needs at least three FEFF paths.\r\n   Nothing was added.");
        MueXafsEntfernen();
        return 0;
    }
    std::vector<MueXafsPfad> liste;
    for (int32_t r = 1; r <= pfade; ++r) {
        FeffPfad& s = FeffPfade[r];
        const int32_t z = LoadFeffPath(1, &s, n, x);
        if (z <= 0) {
            std::snprintf(t, sizeof t, "   FEFF path %d could not be read from\r\n   %s\r\n   Nothing was added.",
                          s.Pfadnummer, s.FilesDatPfad);
            Meldung(owner, t);
            MueXafsEntfernen();
            return 0;
        }
        s.Geladen = 1;
        liste.push_back(MueXafsPfadVon(s));
    }
    ModellLaden(g);
    MueXafsOptionen o;
    o.AbstaendeFrei = DW()[0] > 0.0;
    o.Sigma2Frei = DW()[1] > 0.0;
    o.DebyeTemperatur = DebyeTemperatur > 0.0 ? DebyeTemperatur : 400.0;
    if (!o.Sigma2Frei) {
        DebyeWallerModell = -1;
        MsSigmaAusEinzelpfaden = 1;
    }
    const int32_t r = MueXafsModell(knoten, liste, o);
    if (r != MUE_XAFS_OK) {
        Meldung(owner, "   The FEFF paths could not be added to the background model.");
        MueXafsEntfernen();
        return 0;
    }
    g.AnzahlFunktionen = FitFunctionCount;
    g.PolyGrad = FitPolyDegree;
    g.ZeigeFunktion = 1;
    g.KurvenFlags[g.AktuellerSlot()] |= SLOT_EXAFS;
    Numerik.SetFunction(HAUPTDATEN.ModellCallback ? HAUPTDATEN.ModellCallback : ModellFunktion);
    return pfade;
}

int32_t MueXafsHinzufuegen(HWND owner)
{
    if (AktivesFenster < 0 || AktivesFenster > 3) return 0;
    if (!MueXafsDialog(owner)) return 0;
    std::vector<char> pfad(DATEI_NAME_PUFFER, '\0'), titel(DATEI_TITEL_PUFFER, '\0');
    if (!FileDialog(owner, pfad.data(), titel.data(), 8, 1)) {
        if (CommandText2) CommandText2[0] = '\0';
        if (CommandText3) CommandText3[0] = '\0';
        return 0;
    }
    if (CommandText) std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", pfad.data());
    if (CommandText2) std::snprintf(CommandText2, COMMAND_TEXT2_BYTES, "%s", pfad.data());
    if (CommandText3) std::snprintf(CommandText3, COMMAND_TEXT3_BYTES, "%s", pfad.data());
    grafik_fenster& g = GrafikFenster[AktivesFenster];
    const int32_t knoten = g.PolyGrad;
    g.AnzahlFunktionen = FitFunctionCount = 2;
    const int32_t n = FeffPfadAuswahl(owner);
    if (n <= 0) {
        MueXafsEntfernen();
        return 0;
    }
    return MueXafsModellSetzen(owner, n, knoten);
}

int32_t MueXafsRechnen(double von, double bis, int32_t n, double* outX, double* outY, double* featX,
                       double* featY)
{
    if (AktivesFenster < 0 || AktivesFenster > 3) return 0;
    grafik_fenster& g = GrafikFenster[AktivesFenster];
    const int32_t punkte = g.Punkte();
    const double* x = g.GetXFeld(-1);
    const double* y = g.GetYFeld(-1);
    double* p = g.Parameter;
    if (!p || !g.FunktionsTypen || g.AnzahlFunktionen < 3) return 0;
    int32_t lo = 0, hi = -1;
    const int32_t N = SektionsIndizes(x, punkte, von, bis, &lo, &hi);
    const int32_t knoten = n >= 1000 ? n - 1000 : n;
    if (N < 3 || knoten < MIN_KNOTEN || knoten > MAX_KNOTEN) return 0;
    ModellLaden(g);
    FitPolyDegree = g.PolyGrad = knoten;
    // The model's tables must be the ones its paths were set up with.
    if (CheckWorkingModelSize() != MaxParameter + 1 || !ParameterFlags || !FreeParameterList) return 0;

    Sicherung sicherung;
    g.KurvenFlags[g.AktuellerSlot()] |= SLOT_EXAFS;
    ModellKGewicht = 0.0;
    ExafsZusatz.UntergrundModus = 0;
    std::vector<double> gx(FIT_GITTER), gy(FIT_GITTER);
    for (int32_t i = 0; i < FIT_GITTER; ++i) gx[i] = x[lo] + i * (x[hi] - x[lo]) / (FIT_GITTER - 1);
    NatuerlicherSpline(x + lo, y + lo, N, gx.data(), gy.data(), FIT_GITTER);
    for (int32_t r = 1; r <= g.AnzahlFunktionen - 2; ++r) {
        if (LoadFeffPath(1, &FeffPfade[r], FIT_GITTER, gx.data()) <= 0) return 0;
        FeffPfade[r].Geladen = 1;
    }
    Numerik.SetFunction(HAUPTDATEN.ModellCallback ? HAUPTDATEN.ModellCallback : ModellFunktion);
    FitModellArt = 4;
    g.ModellArt = 4;
    SplineKnotCount = knoten;

    if (n < 1000) {
        // Start: the spline alone, fitted by linear least squares.
        SplineHintergrund h;
        const double w = DW()[5];
        SplineAbschnitte a;
        const bool layout = Abschnitte(p, knoten, &a);
        if (SplineMu0(x, y, punkte, von, bis, knoten, w, layout ? &a : nullptr, FIT_GITTER, &h) <= 0) return 0;
        if (static_cast<int32_t>(h.KnotenX.size()) != knoten) return 0;
        for (int32_t k = 0; k < knoten; ++k) {
            p[k] = h.KnotenY[k];
            p[SPLINE_KNOT_INDEX + k] = h.KnotenX[k];
        }
        // Weights x^w, or with sections x^e_s of the section x falls into.
        std::vector<double> gewichte;
        if (w != 0.0 || layout) {
            gewichte.resize(FIT_GITTER + 1);
            const int32_t S = layout ? static_cast<int32_t>(a.Exponenten.size()) : 1;
            const double breite = (gx[FIT_GITTER - 1] - gx[0]) / S;
            for (int32_t i = 0; i < FIT_GITTER; ++i) {
                int32_t s = layout && breite > 0.0 ? static_cast<int32_t>((gx[i] - gx[0]) / breite) : 0;
                s = std::max(0, std::min(s, S - 1));
                gewichte[i] = std::pow(std::fabs(gx[i]), layout ? a.Exponenten[s] : w);
            }
        }
        std::vector<double> differenz(FIT_GITTER + 11, 0.0);
        Numerik.SetField(gx.data(), gy.data());
        Numerik.SetParameterDifference(p, differenz.data(), ParameterFlags, FreeParameterList);
        Numerik.SetParameterCorrelation(CorrelationWords, CorrelationConstants);
        Numerik.SetAnzahl(FIT_GITTER, MaxParameter, MaxFitParameter);
        Numerik.SetWeightFunction(gewichte.empty() ? nullptr : gewichte.data());
        Numerik.SetFitProcedure(1, ExafsFitProzedur);
        Numerik.SetExpError(1.0);
        double rFaktor = 0.0, chi2 = 0.0;
        int32_t iteration = 0;
        while (Numerik.LeastSquareFit(rFaktor, chi2, iteration) == 1 && iteration < MAX_ITERATIONEN) {
        }
        Numerik.SetFitProcedure(0, ExafsFitProzedur);
    }

    // mu0 and the fitted absorption on the section.
    std::vector<double> kx(p + SPLINE_KNOT_INDEX, p + SPLINE_KNOT_INDEX + knoten), ky(p, p + knoten);
    for (int32_t k = 1; k < knoten; ++k)
        if (!(kx[k] > kx[k - 1])) return 0;
    if (outX || outY) {
        std::vector<double> mu0(N);
        NatuerlicherSpline(kx.data(), ky.data(), knoten, x + lo, mu0.data(), N);
        for (int32_t i = 0; i < N; ++i) {
            if (outX) outX[i] = x[lo + i];
            if (outY) outY[i] = mu0[i];
        }
    }
    if (featX && featY) {
        std::vector<double> modell(FIT_GITTER + 5, 0.0);
        ModellFunktion(gx[0], 0.0, gx.data(), modell.data(), FIT_GITTER);
        for (int32_t i = 0; i < N; ++i) featX[i] = x[lo + i];
        NatuerlicherSpline(gx.data(), modell.data(), FIT_GITTER, featX, featY, N);
        const std::vector<MueXafsErgebnis> e =
            MueXafsErgebnisse(g.FunktionsTypen, g.AnzahlFunktionen, p, knoten, FeffPfade, Sigma2AusTemperatur);
        Schreibe(DatenDatei("mue_xafs.txt"), MueXafsDatei(e), true);
        if (CommandText) std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", MueXafsTabelle(e).c_str());
        Schreibe(DatenDatei("spline_XAS.mue"), SplineXasText(featX, featY, N), false);
    }
    return N;
}
