// Bounds of a new model, the F test and the status text of the fit run.
#include "fit/fit_run.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "fit/exafs_terms.h"
#include "fit/fit_model.h"
#include "fit/model_function.h"
#include "fit/report_text.h"
#include "xas/feff_path.h"

int32_t FitGestartet = 0;
int32_t FitStartFenster = -1;
const double* FitStartBlock = nullptr;
int32_t FitStartAnzahl = 0;

bool StartwerteFuer(int32_t fenster, const double* block, int32_t anzahl)
{
    return FitGestartet != 0 && fenster >= 0 && fenster == FitStartFenster && block && block == FitStartBlock &&
           anzahl > 0 && anzahl == FitStartAnzahl;
}
int32_t FitSignatur = 0;
double FitVarianzAlt = 0.0;
double FitVarianzNeu = 0.0;
double FTestWert = 0.0;
int32_t ExafsProzedurModus = -1;
int32_t MakroFitMitSuche = 0;
int32_t FitFehlgeschlagen = 0;

namespace {

void Begrenzen(int32_t j, double unten, double oben)
{
    FitParameters[LowerBoundIndex(j)] = unten;
    FitParameters[UpperBoundIndex(j)] = oben;
    ParameterFlags[j] |= PF_CONSTRAINED;
}

}  // namespace

int32_t ModellGrenzenSetzen(bool* voigt)
{
    if (voigt) *voigt = false;
    if (!FitParameters || !FitFunctionTypes) return -1;
    const int32_t n = ResetModelTables();
    if (n < 0) return -1;
    int32_t p = 0;
    for (int32_t i = 0; i < FitFunctionCount; ++i) {
        const int32_t typ = FitFunctionTypes[i] > 100 ? FitFunctionTypes[i] - 100 : FitFunctionTypes[i];
        const int32_t anzahl = FunctionParameterCount(typ, FitPolyDegree, SplineKnotCount);
        switch (typ) {
        case 7:
            for (int32_t j = 0; j <= FitPolyDegree; ++j) FitParameters[p + j] = 0.0;
            break;
        case 3:
            Begrenzen(p + 3, 0.0, 1.0);
            break;
        case 6:
            Begrenzen(p + 4, 0.0, 1.0);
            break;
        case 12:
            if (voigt) *voigt = true;
            if (FitParameters[p] == 0.0) FitParameters[p] = 1.0;
            for (int32_t j : {p + 2, p + 3}) {
                Begrenzen(j, 0.001, 1000.0);
                if (FitParameters[j] < 0.01) FitParameters[j] = 0.5;
            }
            break;
        case 13:
            for (int32_t j : {p + 3, p + 5}) {
                Begrenzen(j, 0.0, 100.0);
                if (FitParameters[j] == 0.0) FitParameters[j] = 1.0;
            }
            break;
        default:
            break;
        }
        p += anzahl;
    }
    return n;
}

double FTestWahrscheinlichkeit(def_zelva& numerik, double varianzAlt, double varianzNeu, int32_t d)
{
    const double gross = std::fmax(varianzAlt, varianzNeu);
    const double klein = std::fmin(varianzAlt, varianzNeu);
    if (gross == klein) return 1.0;
    if (klein <= 0.0 || d < 1) return 0.0;
    const double f = gross / klein;
    const double dd = d;
    double p = 2.0 * numerik.betai(dd / 2.0, dd / 2.0, dd / (dd + dd * f));
    if (p > 1.0) p = 2.0 - p;
    if (p < 0.001) p = 0.0;
    return p;
}

void FitStatusTextKern(char* text, std::size_t groesse, const FIT_STATUS& s)
{
    if (!text || groesse == 0) return;
    const std::string strich = RegelZeile(s.Strichlinie, STATUS_REGEL_ZEICHEN);
    const std::string punkte = RegelZeile(s.Punktlinie, STATUS_REGEL_ZEICHEN);
    std::string t;
    if (s.Iterationen > FIT_ABBRUCH_ZUSATZ)
        t += Format("%-15s   aborted after %d iterations\r\n", s.IterationenText,
                    static_cast<int>(s.Iterationen - FIT_ABBRUCH_ZUSATZ));
    else
        t += Format("%-15s%d\r\n", s.IterationenText, static_cast<int>(s.Iterationen));
    t += Format("%-15s%.8G\r\n", s.Chi2Text, s.Chi2);
    t += Format("%-15s%.8G\r\n", s.ResiduumText, s.RFaktor);
    t += s.MitFTest ? Format("F-Test:        %.5G\r\n", s.FTest) : std::string("No F-Test!\r\n");
    t += strich;

    const bool feff = FitFunctionCount > 0 && FitFunctionTypes && FitParameters && ParameterFlags &&
                      FitFunctionTypes[0] == 25;
    // The cluster fit: the distances of the last three functions are the
    // lattice coefficients, also kept in path record 0.
    bool clusterFit = false;
    if (feff && FitFunctionCount > 3) {
        const int32_t k = FunctionParameterCount(FitFunctionTypes[1], FitPolyDegree, SplineKnotCount);
        const int32_t f = (FitFunctionCount - 4) * k + 2;
        if (k > 1 && f >= 0 && f <= MaxParameter && (ParameterFlags[f] & PF_CLUSTER)) {
            clusterFit = true;
            t += "\r\n feff cluster fit:\r\n";
            for (int32_t j = 1; j <= 3; ++j) {
                const int32_t i = FitFunctionCount - 4 + j;
                const double c = FitParameters[(i - 1) * k + 2];
                FeffPfade[0].ClusterKoeffizienten[j - 1] = c;
                t += Format("  xyz-Coeff. #%d: %.8G\r\n", static_cast<int>(j), c);
            }
            t += punkte;
        }
    }
    // One common Debye or Einstein temperature of a FEFF model.
    if (feff && MaxParameter >= 3 && (ParameterFlags[3] & PF_TEMPERATURE_MODEL)) {
        t += DebyeWallerModell < 0 ? "\r\n   Debye Temperature:  " : "\r\n   Einstein Temperature:  ";
        t += Format(" %.8G K\r\n\r\n", FitParameters[3]);
        t += punkte;
    }
    // A temperature of its own for each single-scattering path.
    if (feff && MaxParameter >= 3 && (ParameterFlags[3] & PF_MS) && !(ParameterFlags[3] & PF_FIXED) &&
        FitFunctionCount > 1) {
        const int32_t k = FunctionParameterCount(FitFunctionTypes[1], FitPolyDegree, SplineKnotCount);
        t += "\r\n";
        bool erster = true;
        for (int32_t i = 1; i < FitFunctionCount && i < FEFF_PFADE; ++i) {
            const int32_t q = 1 + (i - 1) * k + 2;
            if (FeffPfade[i].Beine != 2 || q > MaxParameter || (ParameterFlags[q] & PF_FIXED)) continue;
            if (erster && s.MehrereFeffSaetze) t += " Multiple feff fit\r\n";
            erster = false;
            const FeffPfad& pfad = FeffPfade[i];
            const std::string symbol(pfad.AtomSymbole[1], strnlen(pfad.AtomSymbole[1], sizeof pfad.AtomSymbole[1]));
            t += Format(DebyeWallerModell < 0 ? "  Debye Temperature (%2s):  " : "  Einstein Temperature (%2s):  ",
                        symbol.c_str());
            t += Format(" %.6G K\r\n", FitParameters[q]);
        }
        t += "\r\n";
        t += punkte;
    }

    int32_t p = 0;
    for (int32_t i = 0; i < FitFunctionCount && FitFunctionTypes && FitParameters; ++i) {
        const int32_t typ = FitFunctionTypes[i] > 100 ? FitFunctionTypes[i] - 100 : FitFunctionTypes[i];
        const int32_t anzahl = FunctionParameterCount(typ, FitPolyDegree, SplineKnotCount);
        t += KatalogName(typ);
        if (typ >= 21 && typ <= 24 && i > 0 && i < 101) {
            t += " - ";
            t += PfadName(i);
            t += PfadZusatz(i);
        }
        t += "\r\n";
        t += punkte;
        for (int32_t j = 0; j < anzahl; ++j, ++p) {
            std::string titel = typ == 7 ? Format("%d. coeff.: ", static_cast<int>(j + 1))
                                         : std::string(KatalogTitel(typ, j));
            // The last three functions of a cluster fit show their distance
            // from the cluster, not the coefficient they hold.
            double v = FitParameters[p];
            if (clusterFit && j == 1 && i >= FitFunctionCount - 3 && s.Ergebnisse) v = s.Ergebnisse[5000 + i];
            std::string wert = Format("% -14.7G", v).substr(0, 14);
            t += Format("#%-2d %-13s%-14s\r\n", static_cast<int>(p + 1), titel.c_str(), wert.c_str());
        }
        t += strich;
    }
    std::snprintf(text, groesse, "%s", t.c_str());
}
