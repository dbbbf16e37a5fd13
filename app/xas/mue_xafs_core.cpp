// The model and the result texts of FEFF paths in the atomic background fit.
#include "xas/mue_xafs.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "fit/fit_model.h"
#include "xas/feff_files.h"
#include "xas/feff_path.h"
#include "shell/text_format.h"

namespace {

const int32_t TYP_SPLINE = 53, TYP_S0 = 25, TYP_PFAD = 21;
const int32_t PFAD_PARAMETER = 4;

void Grenzen(int32_t p, double unten, double oben)
{
    FitParameters[LowerBoundIndex(p)] = unten;
    FitParameters[UpperBoundIndex(p)] = oben;
    ParameterFlags[p] |= PF_CONSTRAINED;
}

std::string Symbol(const FeffPfad& s, int32_t j)
{
    return std::string(s.AtomSymbole[j], strnlen(s.AtomSymbole[j], sizeof s.AtomSymbole[j]));
}

}  // namespace

MueXafsPfad MueXafsPfadVon(const FeffPfad& satz)
{
    MueXafsPfad p;
    p.N = satz.Entartung;
    p.Reff = satz.Reff;
    p.Beine = satz.Beine;
    p.Potential = satz.Potentiale[1];
    return p;
}

int32_t MueXafsMaxPfade(int32_t knoten)
{
    const int32_t frei = MAX_MODEL_PARAMETERS_SMALL - knoten - 1;
    return frei > 0 ? frei / PFAD_PARAMETER : 0;
}

int32_t MueXafsModell(int32_t knoten, const std::vector<MueXafsPfad>& pfade, const MueXafsOptionen& o)
{
    const int32_t n = static_cast<int32_t>(pfade.size());
    if (n < 1) return MUE_XAFS_OHNE_PFADE;
    if (knoten < 1 || n > MueXafsMaxPfade(knoten)) return MUE_XAFS_ZU_GROSS;
    if (!o.AbstaendeFrei && n < 3) return MUE_XAFS_XYZ_PFADE;
    if (!FitFunctionTypes || !FitParameters || !ParameterFlags || !FreeParameterList || !CorrelationWords ||
        !CorrelationConstants)
        return MUE_XAFS_OHNE_TABELLEN;

    FitFunctionCount = n + 2;
    FitPolyDegree = knoten;
    SplineKnotCount = knoten;
    FitFunctionTypes[0] = TYP_SPLINE;
    FitFunctionTypes[1] = TYP_S0;
    for (int32_t j = 0; j < n; ++j) FitFunctionTypes[2 + j] = TYP_PFAD;
    std::fill(FitParameters, FitParameters + 200, 0.0);
    std::fill(FitParameters + BOUNDS_INDEX, FitParameters + SPLINE_KNOT_INDEX, 0.0);
    for (int32_t k = 0; k < knoten; ++k) FitParameters[k] = 1.0;
    const int32_t s0 = knoten;
    FitParameters[s0] = 1.0;
    auto basis = [&](int32_t j) { return knoten + 1 + PFAD_PARAMETER * j; };
    for (int32_t j = 0; j < n; ++j) {
        FitParameters[basis(j)] = pfade[j].N;
        FitParameters[basis(j) + 1] = pfade[j].Reff;
        FitParameters[basis(j) + 2] = 0.003;
        FitParameters[basis(j) + 3] = 0.0;
    }
    if (ResetModelTables() < 0) return MUE_XAFS_ZU_GROSS;

    // S0^2 and the coordination numbers stay as they are.
    FixParameter(s0);
    for (int32_t j = 0; j < n; ++j) FixParameter(basis(j));

    // One E0 shift for all paths.
    const int32_t e0 = basis(0) + 3;
    ParameterFlags[e0] |= PF_CORRELATED;
    CorrelationWords[e0] = CW_MASTER;
    Grenzen(e0, -15.0, 15.0);
    for (int32_t j = 1; j < n; ++j) SetCorrelation(basis(j) + 3, CorrelationWord(e0, CW_TIMES), 1.0);

    // Distances.
    for (int32_t j = 0; j < n; ++j) {
        const int32_t r = basis(j) + 1;
        if (o.AbstaendeFrei) {
            Grenzen(r, 0.95 * pfade[j].Reff, 1.05 * pfade[j].Reff);
        } else if (j < n - 3) {
            FixParameter(r);
            ParameterFlags[r] |= PF_CLUSTER;
        } else if (j == n - 3) {
            FitParameters[r] = 0.0;
            ParameterFlags[r] |= PF_CLUSTER;
            Grenzen(r, -0.06, 0.06);
        } else {
            FitParameters[r] = 0.0;
            FixParameter(r);
            ParameterFlags[r] |= PF_CLUSTER;
        }
    }

    // Debye-Waller factors.
    std::vector<int32_t> potentiale;
    for (int32_t j = 0; j < n; ++j) {
        const int32_t s = basis(j) + 2;
        if (o.Sigma2Frei) {
            Grenzen(s, 0.0005, 0.05);
            continue;
        }
        const bool erster = pfade[j].Beine == 2 &&
                            std::find(potentiale.begin(), potentiale.end(), pfade[j].Potential) == potentiale.end();
        if (erster) {
            potentiale.push_back(pfade[j].Potential);
            FitParameters[s] = o.DebyeTemperatur;
            Grenzen(s, 100.0, 2000.0);
        } else {
            FixParameter(s);
        }
        ParameterFlags[s] |= PF_MS;
    }
    return MUE_XAFS_OK;
}

std::vector<MueXafsErgebnis> MueXafsErgebnisse(const int32_t* typen, int32_t anzahl, const double* parameter,
                                               int32_t knoten, const FeffPfad* pfade,
                                               double (*sigma2VonTheta)(double theta, int32_t satz))
{
    std::vector<MueXafsErgebnis> aus;
    if (!typen || !parameter || !pfade || anzahl < 3) return aus;
    // Index of each function's first parameter behind the knots.
    std::vector<int32_t> anfang(anzahl, -1);
    for (int32_t f = 1, p = knoten; f < anzahl; ++f) {
        const int32_t zahl = FeffModellParameter(typen[f]);
        if (zahl == 0) break;
        anfang[f] = p;
        p += zahl;
    }
    // The cluster coefficients: the distances of the last three paths while
    // the third-last carries the cluster bit.
    auto cluster = [&](int32_t f) { return ParameterFlags && (ParameterFlags[anfang[f] + 1] & PF_CLUSTER); };
    double c[3] = {0.0, 0.0, 0.0};
    if (anzahl >= 5 && anfang[anzahl - 1] >= 0 && cluster(anzahl - 3))
        for (int32_t j = 0; j < 3; ++j) c[j] = parameter[anfang[anzahl - 3 + j] + 1];
    for (int32_t f = 1; f < anzahl && f - 1 < FEFF_PFADE; ++f) {
        if (anfang[f] < 0) break;
        const double* q = parameter + anfang[f];
        if (f < 2) continue;
        const FeffPfad& s = pfade[f - 1];
        if (s.Beine != 2) continue;
        MueXafsErgebnis e;
        e.Absorber = Symbol(s, 0);
        e.Streuer = Symbol(s, 1);
        e.N = q[0];
        e.R = cluster(f) ? ClusterAbstand(s, c) : q[1] < 1.0 ? q[1] + s.Reff : q[1];
        e.RMinusReff = e.R - s.Reff;
        e.Sigma2 = q[2] > 1.0 && sigma2VonTheta ? sigma2VonTheta(q[2], f - 1) : q[2];
        e.E0 = q[3];
        e.Gewicht = s.AmplitudenVerhaeltnis;
        aus.push_back(e);
    }
    return aus;
}

std::string MueXafsDatei(const std::vector<MueXafsErgebnis>& e)
{
    std::string t = "  Pair     ;  CN      ;   R        ;   R-Ro     ;  sig^2     ;  E0      ;  w(%)\r\n";
    for (const MueXafsErgebnis& z : e)
        t += Format("  %-2s - %-2s  ; % -8.3G ; % -10.4G ; % -10.4G ; % -10.3G ; % -8.3G ; % -8.4G\r\n",
                    z.Absorber.c_str(), z.Streuer.c_str(), z.N, z.R, z.RMinusReff, z.Sigma2, z.E0, z.Gewicht);
    return t;
}

std::string MueXafsTabelle(const std::vector<MueXafsErgebnis>& e)
{
    std::string t = " Pair \tCN \tR \tR-Ro \tsig^2 \tE0 \tw(%)\r\n";
    for (const MueXafsErgebnis& z : e)
        t += Format(" %-2s - %-2s \t% -.3G \t% -.4G \t% -.2G \t% -.2G \t% -.3G \t% -.4G\r\n", z.Absorber.c_str(),
                    z.Streuer.c_str(), z.N, z.R, z.RMinusReff, z.Sigma2, z.E0, z.Gewicht);
    return t;
}

std::string SplineXasText(const double* x, const double* y, int32_t n)
{
    std::string t;
    for (int32_t i = 0; i < n; ++i) t += Format("%.10E   %.10E\n", x[i], y[i]);
    return t;
}
