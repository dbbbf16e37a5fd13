// Column commands of the XAFS parameter table.
#include "fit/xafs_table.h"

#include <cmath>

#include "fit/exafs_terms.h"
#include "fit/fit_model.h"
#include "xas/debye_waller.h"
#include "xas/feff_path.h"

int32_t DeltaRModus = -1;
int32_t PotentialModus = 1;

namespace {

const int32_t SUCHE_ZURUECK = 4;  // single-scattering paths looked back on

int32_t Typ(int32_t f)
{
    const int32_t t = FitFunctionTypes[f - 1];
    return t > 100 ? t - 100 : t;
}

int32_t Anzahl(int32_t f)
{
    return FunctionParameterCount(FitFunctionTypes[f - 1], FitPolyDegree, SplineKnotCount);
}

const FeffPfad* Satz(int32_t f) { return f >= 1 && f - 1 < FEFF_PFADE ? &FeffPfade[f - 1] : nullptr; }

int32_t Potential(int32_t f)
{
    const FeffPfad* s = Satz(f);
    return s ? s->Potentiale[1] : 0;
}

int32_t Menge(int32_t f)
{
    const FeffPfad* s = Satz(f);
    return s ? s->SatzNummer : 0;
}

// Parameter c of function f, -1 when the function has no such column.
int32_t Par(int32_t f, int32_t c) { return c < Anzahl(f) ? ParameterIndex(f, c) : -1; }

bool Einzel(int32_t f) { return IstXafsPfad(f) && PfadBeine(f) == 2; }
bool Lang(int32_t f) { return IstXafsPfad(f) && PfadBeine(f) > 2; }

double Abstand(int32_t f)
{
    return FeffAbstand(FitParameters[ParameterIndex(f, SPALTE_R)], PfadReff(f));
}

// A preceding single-scattering path (up to four back, same data set) with
// the same scattering potential, to which path f lies within 5 % outward.
bool NaheGleicherPfad(int32_t f)
{
    int32_t gesehen = 0;
    for (int32_t g = f - 1; g >= 2 && gesehen < SUCHE_ZURUECK; --g) {
        if (!Einzel(g)) continue;
        ++gesehen;
        if (Menge(g) == Menge(f) && Potential(g) == Potential(f) && Abstand(f) < 1.05 * Abstand(g))
            return true;
    }
    return false;
}

bool Gesetzt(int32_t j, int32_t bit) { return j >= 0 && (ParameterFlags[j] & bit) != 0; }

void Fest(int32_t j)
{
    if (j >= 0 && !(ParameterFlags[j] & PF_FIXED)) XafsFestBefehl(j);
}

// The scattering potentials met so far in the current FEFF data set: a
// single-scattering path is the first of its potential once per set.
struct POTENTIALE {
    std::vector<int32_t> Gesehen;
    int32_t Satz = -1;
    bool Erster(int32_t f)
    {
        if (Menge(f) != Satz) {
            Satz = Menge(f);
            Gesehen.clear();
        }
        if (!Einzel(f)) return false;
        for (int32_t p : Gesehen)
            if (p == Potential(f)) return false;
        Gesehen.push_back(Potential(f));
        return true;
    }
};

}  // namespace

bool IstXafsPfad(int32_t f)
{
    if (!FitFunctionTypes || f < 1 || f > FitFunctionCount) return false;
    const int32_t t = Typ(f);
    return t >= 21 && t <= 24;
}

int32_t PfadBeine(int32_t f)
{
    const FeffPfad* s = Satz(f);
    return s && IstXafsPfad(f) ? s->Beine : 0;
}

double PfadReff(int32_t f)
{
    const FeffPfad* s = Satz(f);
    return s ? s->Reff : 0.0;
}

bool XafsGelistet(int32_t f, bool msPfade) { return f == 1 || msPfade || !Lang(f); }

double ModellSigma2(int32_t f, double t, double theta)
{
    const FeffPfad* s = Satz(f);
    if (!s) return 0.0;
    theta = BegrenzteTemperatur(theta, t);
    return DebyeWallerModell > 0 ? EinsteinSigma2(*s, t, theta) : CorrDebyeSigma2(*s, t, theta);
}

void XafsFestBefehl(int32_t j)
{
    if (j < 0 || j > MaxParameter) return;
    if (ParameterFlags[j] & PF_FIXED) {
        FreeParameter(j);
        return;
    }
    FixParameter(j);
    for (int32_t f = 2; f <= 3 && f <= FitFunctionCount; ++f) {
        if (!IstXafsPfad(f) || j != Par(f, SPALTE_SIGMA2)) continue;
        if (!(ParameterFlags[j] & PF_MS) && FitParameters[j] > 1.0)
            FitParameters[j] = ModellSigma2(f, MessTemperatur, FitParameters[j]);
    }
}

void XafsOeffnen(const double* gespeichert)
{
    for (int32_t f = 2; f <= FitFunctionCount; ++f) {
        if (!IstXafsPfad(f)) continue;
        const int32_t r = ParameterIndex(f, SPALTE_R), s = Par(f, SPALTE_SIGMA2);
        if (FitParameters[r] < 1.0 && !(ParameterFlags[r] & PF_CLUSTER) && DeltaRModus < 0) {
            const double alt = gespeichert ? gespeichert[5000 + f - 1] : 0.0;
            FitParameters[r] = alt > 1.0 ? alt : PfadReff(f);
        }
        if (s >= 0 && FitParameters[s] > 10.0 && !Gesetzt(s, PF_TEMPERATURE_MODEL | PF_MS))
            FitParameters[s] = ModellSigma2(f, MessTemperatur, FitParameters[s]);
        const int32_t pot = Potential(f);
        if (s >= 0 && DwPolynomAktiv && Einzel(f) && !Gesetzt(s, PF_DW_POLYNOMIAL) && pot >= 0 &&
            pot < DW_POLYNOM_PAARE)
            FitParameters[s] = DwPolynomTabellenWert(pot, PfadReff(f));
    }
}

bool DwPolynomKorrelieren(int32_t grad)
{
    if (grad < 0 || grad > DW_POLYNOM_HOECHSTGRAD) return false;
    const int32_t vorher = DwPolynomGrad;
    DwPolynomGrad = grad;
    int32_t zahl[DW_POLYNOM_PAARE] = {};
    for (int32_t f = 2; f <= FitFunctionCount; ++f) {
        const int32_t s = IstXafsPfad(f) ? Par(f, SPALTE_SIGMA2) : -1;
        if (s < 0) continue;
        const int32_t pot = Potential(f);
        // A single-scattering path leaves the temperature models: its
        // sigma^2 is the polynomial's now.
        if (Einzel(f)) ParameterFlags[s] &= ~(PF_TEMPERATURE_MODEL | PF_MS);
        if (!Einzel(f) || pot < 0 || pot >= DW_POLYNOM_PAARE || zahl[pot] > grad) {
            ParameterFlags[s] |= PF_DW_POLYNOMIAL;
            Fest(s);
            continue;
        }
        const int32_t ordnung = zahl[pot]++;
        if (ParameterFlags[s] & PF_FIXED) XafsFestBefehl(s);
        ParameterFlags[s] |= PF_DW_POLYNOMIAL;
        if (DwPolynomAktiv && ordnung <= vorher)
            FitParameters[s] = DwPolynomKoeffizienten[static_cast<std::size_t>(pot) * DW_POLYNOM_ORDNUNGEN + ordnung];
        else if (ordnung > 0)
            FitParameters[s] = 0.0;
        else if (FitParameters[s] > 1.0)  // a characteristic temperature
            FitParameters[s] = ModellSigma2(f, MessTemperatur, FitParameters[s]);
    }
    return true;
}

void XafsTabelleBeendet()
{
    int32_t erster = 0;
    for (int32_t f = 2; f <= FitFunctionCount && !erster; ++f)
        if (IstXafsPfad(f)) erster = f;
    const int32_t s = erster ? Par(erster, SPALTE_SIGMA2) : -1;
    DwPolynomAktiv = Gesetzt(s, PF_DW_POLYNOMIAL) ? 1 : 0;
}

void DeltaRUmschalten(bool an, const double* gespeichert)
{
    for (int32_t f = 2; f <= FitFunctionCount; ++f) {
        if (!IstXafsPfad(f)) continue;
        double& r = FitParameters[ParameterIndex(f, SPALTE_R)];
        const double reff = PfadReff(f);
        if (an) {
            const double alt = gespeichert ? gespeichert[5000 + f - 1] : 0.0;
            if (r >= 1.0) r -= reff;
            else if (alt > 1.0) r = alt - reff;
        } else if (r < 1.0) {
            r += reff;
        }
    }
    DeltaRModus = an ? 1 : -1;
}

void TemperaturModellRechnen(bool korrelieren, double t, double theta)
{
    MessTemperatur = t;
    DebyeTemperatur = theta;
    if (DebyeWallerModell == 0) DebyeWallerModell = -1;
    bool erster = true;
    for (int32_t f = 2; f <= FitFunctionCount; ++f) {
        const int32_t s = IstXafsPfad(f) ? Par(f, SPALTE_SIGMA2) : -1;
        if (s < 0) continue;
        FitParameters[s] = korrelieren && erster ? theta : ModellSigma2(f, t, theta);
        if (korrelieren) ParameterFlags[s] ^= PF_TEMPERATURE_MODEL;
        erster = false;
    }
}

void SpalteFesthalten(int32_t c)
{
    for (int32_t f = 2; f <= FitFunctionCount; ++f)
        if (IstXafsPfad(f)) {
            const int32_t j = Par(f, c);
            if (j >= 0) XafsFestBefehl(j);
        }
}

bool SpalteEinschraenken(int32_t c, double unten, double oben)
{
    if (oben < unten) return false;
    for (int32_t f = 2; f <= FitFunctionCount; ++f) {
        const int32_t j = IstXafsPfad(f) ? Par(f, c) : -1;
        if (j < 0 || Gesetzt(j, PF_FIXED | PF_CONSTRAINED)) continue;
        ParameterFlags[j] |= PF_CONSTRAINED;
        FitParameters[LowerBoundIndex(j)] = unten;
        FitParameters[UpperBoundIndex(j)] = oben == 9999.0 ? FitParameters[j] : oben;
    }
    return true;
}

void NachGewichtFesthalten(double grenze)
{
    for (int32_t f = 2; f <= FitFunctionCount; ++f) {
        if (!IstXafsPfad(f) || !(Satz(f)->AmplitudenVerhaeltnis < grenze)) continue;
        for (int32_t c = 0; c < Anzahl(f); ++c) {
            const int32_t j = ParameterIndex(f, c);
            if (!Gesetzt(j, PF_FIXED | PF_CORRELATED)) XafsFestBefehl(j);
        }
    }
}

void SpalteKopieren(int32_t c, double wert)
{
    for (int32_t f = 2; f <= FitFunctionCount; ++f) {
        const int32_t j = IstXafsPfad(f) ? Par(f, c) : -1;
        if (j >= 0) FitParameters[j] = wert;
    }
}

void MsPfadeMarkieren()
{
    for (int32_t f = 2; f <= FitFunctionCount; ++f)
        if (Lang(f)) ParameterFlags[ParameterIndex(f, 0)] ^= PF_MS_PATH;
}

void MsAbstaendeAbleiten()
{
    for (int32_t f = 2; f <= FitFunctionCount; ++f) {
        if (!IstXafsPfad(f)) continue;
        const int32_t r = ParameterIndex(f, SPALTE_R);
        if (FitParameters[r] < 1.0 && DeltaRModus < 0) FitParameters[r] = PfadReff(f);
        if (!Lang(f)) continue;
        ParameterFlags[r] ^= PF_MS_DISTANCE;
        XafsFestBefehl(r);
    }
}

int32_t ClusterTabelleInGebrauch = 0;

void ClusterUmschalten(int32_t feffSaetze)
{
    const int32_t n = FitFunctionCount;
    const int32_t frei = feffSaetze < 1 ? 2 : feffSaetze == 2 ? 1 : 0;
    for (int32_t f = 2; f <= n; ++f) {
        if (!IstXafsPfad(f)) continue;
        const int32_t r = ParameterIndex(f, SPALTE_R);
        ParameterFlags[r] ^= PF_CLUSTER;
        const int32_t j = f - (n - 2);
        if (j >= 0 && FitParameters[r] > 1.0)
            FitParameters[r] = ClusterTabelleInGebrauch ? FeffPfade[0].ClusterKoeffizienten[j] : 0.0;
        // Fixing only: freeing a fixed distance would take its cluster bit.
        if (f <= n - frei) Fest(r);
    }
    DeltaRModus = -1;
}

void ClusterTabelleMerken()
{
    const int32_t f = FitFunctionCount - 2;
    ClusterTabelleInGebrauch = f >= 2 && IstXafsPfad(f) && Gesetzt(ParameterIndex(f, SPALTE_R), PF_CLUSTER);
}

void SigmaMittelAlle()
{
    PotentialModus = -1;
    const int32_t erste = IstXafsPfad(2) ? Par(2, SPALTE_SIGMA2) : -1;
    if (erste >= 0 && Gesetzt(erste, PF_TEMPERATURE_MODEL)) return;
    for (int32_t f = 2; f <= FitFunctionCount; ++f) {
        const int32_t s = IstXafsPfad(f) ? Par(f, SPALTE_SIGMA2) : -1;
        if (s >= 0 && FitParameters[s] > 1.0)
            FitParameters[s] = ModellSigma2(f, MessTemperatur, FitParameters[s]);
    }
}

void SigmaProPotential(const double* anfang)
{
    PotentialModus = PotentialModus < 3 ? PotentialModus + 1 : 1;
    POTENTIALE potentiale;
    for (int32_t f = 2; f <= FitFunctionCount; ++f) {
        const int32_t s = IstXafsPfad(f) ? Par(f, SPALTE_SIGMA2) : -1;
        if (s < 0) continue;
        const bool erster = potentiale.Erster(f);
        ParameterFlags[s] &= ~PF_TEMPERATURE_MODEL;
        if (PotentialModus == 0) {
            if (Lang(f)) ParameterFlags[s] |= PF_MS;
            else if (NaheGleicherPfad(f)) {
                ParameterFlags[s] |= PF_MS;
                Fest(s);
            }
            continue;
        }
        if (!erster) {
            ParameterFlags[s] |= PF_MS;
            Fest(s);
            continue;
        }
        // Freeing clears the temperature bits: set after it.
        if (ParameterFlags[s] & PF_FIXED) XafsFestBefehl(s);
        ParameterFlags[s] |= PF_MS;
        if (FitParameters[s] < 1.0) {
            const double alt = anfang ? anfang[s] : 0.0;
            FitParameters[s] = alt > 10.0 ? alt : DebyeTemperatur;
        }
    }
}

void E0ProPotential()
{
    POTENTIALE potentiale;
    for (int32_t f = 2; f <= FitFunctionCount; ++f) {
        const int32_t e = IstXafsPfad(f) ? Par(f, SPALTE_E0) : -1;
        if (e < 0) continue;
        ParameterFlags[e] ^= PF_E0_POTENTIAL;
        if (!potentiale.Erster(f)) Fest(e);
    }
}

void E0Mitteln()
{
    bool erster = true;
    for (int32_t f = 2; f <= FitFunctionCount; ++f) {
        const int32_t e = IstXafsPfad(f) ? Par(f, SPALTE_E0) : -1;
        if (e < 0) continue;
        if (Lang(f)) {
            ParameterFlags[e] ^= PF_E0_TIED;
            XafsFestBefehl(e);
        } else if (!erster && NaheGleicherPfad(f)) {
            ParameterFlags[e] |= PF_E0_TIED;
            Fest(e);
        }
        if (Einzel(f)) erster = false;
    }
}
