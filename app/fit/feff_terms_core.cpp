// FEFF scattering paths and LC-XANES references of the evaluator.
//
// At the first point of a path its sigma^2, distance, E0 shift and
// coordination number are prepared and kept for the points that follow:
// sigma^2 from a characteristic temperature by the Debye-Waller model, or
// from the single-scattering paths for the tied and multiple-scattering
// paths. The first path function of the model refills the table of
// single-scattering paths that these rules read.
#include <algorithm>
#include <cmath>
#include <vector>

#include "fit/exafs_terms.h"
#include "fit/model_terms.h"
#include "xas/debye_waller.h"
#include "xas/feff_path.h"

namespace {

const double E0_FAKTOR = 0.262451;

int32_t Flag(int32_t j) { return ParameterFlags ? ParameterFlags[j] : 0; }
bool Alle(int32_t f, int32_t bits) { return (f & bits) == bits; }
bool IstPfad(int32_t c) { return c >= 21 && c <= 24; }

// Record of model function i: i - o + 1 with o = 2 behind a leading
// spline model 53, else 1. 0 when there is none.
int32_t Satznummer(const MODELL_LAUF& l, int32_t i)
{
    const int32_t o = (l.typen[0] == 53 && l.anzahl > 1) ? 2 : 1;
    const int32_t r = i - o + 1;
    return r >= 1 && r < FEFF_PFADE ? r : 0;
}

double Dw(double theta, int32_t r)
{
    return DebyeWallerModell < 0 ? CorrDebyeSigma2(MessTemperatur, theta, r - 1)
                                 : EinsteinSigma2(MessTemperatur, theta, r - 1);
}

void Ergebnis(const MODELL_LAUF& l, int32_t index, double wert)
{
    if (l.u->Ergebnisse && index >= 0 && index < 35000) l.u->Ergebnisse[index] = wert;
}

// The cluster coefficients (cx, cy, cz): the distance parameters of the
// model's last three functions while the cluster table is in use, that is
// while the distance of the third-last function has the cluster bit and
// the last three are path functions. Otherwise all three are 0.
bool ClusterTabelle(const MODELL_LAUF& l, double c[3])
{
    c[0] = c[1] = c[2] = 0.0;
    if (l.anzahl < 4) return false;
    int32_t q = 0, stelle[3] = {-1, -1, -1};
    for (int32_t g = 0; g < l.anzahl; ++g) {
        const int32_t code = Grundcode(l.typen[g]);
        const int32_t zahl = FunctionParameterCount(code, FitPolyDegree, SplineKnotCount);
        const int32_t j = g - (l.anzahl - 3);
        if (j >= 0) {
            if (!IstPfad(code) || zahl < 2) return false;
            stelle[j] = q + 1;
        }
        q += zahl;
    }
    if (!(Flag(stelle[0]) & PF_CLUSTER)) return false;
    for (int32_t j = 0; j < 3; ++j) c[j] = l.p[stelle[j]];
    return true;
}

// Whether the distance of the path at parameter index q follows the
// cluster.
bool ImCluster(int32_t q) { return (Flag(q + 1) & PF_CLUSTER) != 0; }

// A single-scattering path of the model as the rules of the longer paths
// see it.
struct Einzelpfad {
    int32_t funktion, satz, potential;
    double reff, r, n, entartung, e0, sigma2, theta;
    bool eigeneTemperatur;   // sigma^2 from its own characteristic temperature
    bool e0Frei;             // its E0 shift is not tied to others
    int32_t sigmaIndex;      // its sigma^2 parameter
    bool polynom;            // sigma^2 from the Debye-Waller polynomial
    int32_t ordnung;         // the polynomial order it holds, -1 for none
};
Einzelpfad Einzelpfade[FEFF_PFADE];
int32_t EinzelpfadZahl = 0;

// What enters the formula of a path, kept from its first point.
struct PfadWerte {
    bool gueltig;
    double roh[4];           // the parameters it was prepared from
    double cluster[3];       // and the cluster coefficients, for a cluster path
    double n, r, sigma2, e0, reff;
    // Under the Debye-Waller polynomial: the coefficient parameters and
    // the values it was prepared from.
    int32_t koeffizienten;
    int32_t koeffizientIndex[DW_POLYNOM_ORDNUNGEN];
    double koeffizient[DW_POLYNOM_ORDNUNGEN];
};
PfadWerte Pfade[FEFF_PFADE];

// The characteristic temperature held in a sigma^2 parameter whose flag
// word has 0x20 (and lacks the fixed bit, or with several FEFF sets holds a
// value above 1): clamped, also in the block.
bool EigeneTemperatur(const MODELL_LAUF& l, int32_t q)
{
    const int32_t f = Flag(q + 2);
    if (!(f & PF_MS)) return false;
    return !(f & PF_FIXED) || (l.u->FeffSaetze >= 1 && std::fabs(l.p[q + 2]) > 1.0);
}
double Temperatur(MODELL_LAUF& l, int32_t q)
{
    const double theta = BegrenzteTemperatur(l.p[q + 2], MessTemperatur);
    l.p[q + 2] = theta;
    return theta;
}

// Sigma^2 of a single-scattering path before the rules of the others.
double EigenesSigma2(MODELL_LAUF& l, int32_t q, int32_t r, double* theta)
{
    *theta = 0.0;
    if (EigeneTemperatur(l, q)) {
        *theta = Temperatur(l, q);
        return Dw(*theta, r);
    }
    if ((Flag(q + 2) & PF_TEMPERATURE_MODEL) && MessTemperatur != 0.0) {
        *theta = DebyeTemperatur;
        return Dw(DebyeTemperatur, r);
    }
    return l.p[q + 2];
}

// The scattering potential of single-scattering path e as an index of the
// coefficient table, -1 outside it.
int32_t DwGruppe(const Einzelpfad& e)
{
    return e.potential >= 0 && e.potential < DW_POLYNOM_PAARE ? e.potential : -1;
}

// The Debye-Waller polynomial over the single-scattering table: the first
// d + 1 flagged paths of each potential hold its coefficients (their
// sigma^2 parameters); every flagged path takes the polynomial of its
// effective length. The coefficients go to the table.
void DwPolynomAuswerten(MODELL_LAUF& l)
{
    if (!DwPolynomAktiv) return;
    const int32_t grad = std::min(std::max(DwPolynomGrad, 0), DW_POLYNOM_HOECHSTGRAD);
    double c[DW_POLYNOM_PAARE][DW_POLYNOM_ORDNUNGEN] = {};
    int32_t zahl[DW_POLYNOM_PAARE] = {};
    for (int32_t t = 0; t < EinzelpfadZahl; ++t) {
        Einzelpfad& e = Einzelpfade[t];
        const int32_t gruppe = DwGruppe(e);
        if (gruppe < 0 || !(Flag(e.sigmaIndex) & PF_DW_POLYNOMIAL)) continue;
        e.polynom = true;
        if (zahl[gruppe] > grad) continue;
        e.ordnung = zahl[gruppe]++;
        c[gruppe][e.ordnung] = l.p[e.sigmaIndex];
    }
    for (int32_t t = 0; t < EinzelpfadZahl; ++t) {
        Einzelpfad& e = Einzelpfade[t];
        if (!e.polynom) continue;
        const double* k = c[DwGruppe(e)];
        double summe = 0.0;
        for (int32_t m = grad; m >= 0; --m) summe = summe * e.reff + k[m];
        e.sigma2 = summe;
        e.eigeneTemperatur = false;
    }
    for (int32_t g = 0; g < DW_POLYNOM_PAARE; ++g)
        if (zahl[g] > 0)
            for (int32_t m = 0; m <= grad; ++m)
                DwPolynomKoeffizienten[static_cast<std::size_t>(g) * DW_POLYNOM_ORDNUNGEN + m] = c[g][m];
}

// Refills the single-scattering table from this (the first) path function
// on: every later path function, on or off, whose record has two legs.
void EinzelpfadeFuellen(MODELL_LAUF& l, int32_t erster)
{
    EinzelpfadZahl = 0;
    double cluster[3];
    ClusterTabelle(l, cluster);
    int32_t q = 0;
    for (int32_t g = 0; g < l.anzahl; ++g) {
        const int32_t c = Grundcode(l.typen[g]);
        const int32_t zahl = FunctionParameterCount(c, FitPolyDegree, SplineKnotCount);
        const int32_t r = Satznummer(l, g);
        // The common characteristic temperature sits in the sigma^2 of the
        // path that is not fixed.
        const int32_t fs = Flag(q + 2);
        if (g >= erster && IstPfad(c) && (fs & PF_TEMPERATURE_MODEL) && !(fs & PF_FIXED) &&
            MessTemperatur != 0.0)
            DebyeTemperatur = l.p[q + 2];
        if (g >= erster && IstPfad(c) && r && FeffPfade[r].Beine == 2) {
            const FeffPfad& s = FeffPfade[r];
            Einzelpfad& e = Einzelpfade[EinzelpfadZahl++];
            e.funktion = g;
            e.satz = s.SatzNummer;
            e.potential = s.Potentiale[1];
            e.reff = s.Reff;
            e.r = FeffAbstand(l.p[q + 1], s.Reff);
            if (ImCluster(q)) e.r = ClusterAbstand(s, cluster);
            e.n = l.p[q];
            e.entartung = s.Entartung;
            e.e0 = l.p[q + 3];
            e.sigma2 = EigenesSigma2(l, q, r, &e.theta);
            e.eigeneTemperatur = EigeneTemperatur(l, q);
            e.e0Frei = !(Flag(q + 3) & (PF_E0_POTENTIAL | PF_E0_TIED | PF_E0_LAST_PATHS));
            e.sigmaIndex = q + 2;
            e.polynom = false;
            e.ordnung = -1;
            if (e.eigeneTemperatur) Ergebnis(l, 4801 + (g - erster), e.sigma2);
        }
        q += zahl;
    }
    DwPolynomAuswerten(l);
}

// Whether single-scattering path e shares a scattering atom with path s.
bool Teilt(const Einzelpfad& e, const FeffPfad& s, int32_t funktion)
{
    if (e.funktion == funktion || e.satz != s.SatzNummer) return false;
    for (int32_t j = 1; j < s.Beine && j < FEFF_ATOME; ++j)
        if (s.Potentiale[j] == e.potential) return true;
    return false;
}

// The single-scattering path that matches leg j (1..n) of path s: same
// set, a scattering end of its potential and a length within 0.5 % of its
// effective length; null when none does.
const Einzelpfad* Bein(const FeffPfad& s, int32_t j, double laenge)
{
    const int32_t n = s.Beine;
    for (int32_t t = 0; t < EinzelpfadZahl; ++t) {
        const Einzelpfad& e = Einzelpfade[t];
        if (e.satz != s.SatzNummer || e.reff <= 0.0 || std::fabs(laenge / e.reff - 1.0) > 0.005) continue;
        const bool anfang = j - 1 >= 1 && s.Potentiale[j - 1] == e.potential;
        const bool ende = j <= n - 1 && s.Potentiale[j] == e.potential;
        if (anfang || ende) return &e;
    }
    return nullptr;
}

// Length of leg j of path s: from atom A(j-1) to Aj, A0 = An the absorber
// at position slot n - 1, Ak at slot k - 1.
double Beinlaenge(const FeffPfad& s, int32_t j)
{
    const int32_t n = s.Beine;
    const int32_t a = j - 1 == 0 ? n - 1 : j - 2;
    const int32_t b = j == n ? n - 1 : j - 1;
    return AtomAbstand(s, a, b);
}

// Sigma^2 of a longer path from its legs' single-scattering values by the
// chosen rule; false when no leg matches.
bool MsSigma2(const FeffPfad& s, double* sigma2)
{
    double summe = 0.0, quadrate = 0.0;
    int32_t zahl = 0;
    for (int32_t j = 1; j <= s.Beine; ++j) {
        const Einzelpfad* e = Bein(s, j, Beinlaenge(s, j));
        if (!e) continue;
        summe += e->sigma2;
        quadrate += e->sigma2 * e->sigma2;
        ++zahl;
    }
    if (zahl == 0) return false;
    if (MsSigmaRegel == 654) *sigma2 = summe / zahl;
    else if (MsSigmaRegel == 655) *sigma2 = std::sqrt(quadrate);
    else *sigma2 = summe / (zahl + 1);
    return true;
}

// Half the summed leg lengths, each scaled as its single-scattering path's
// distance is; a collinear four-leg path scales as the path to its far atom.
double MsAbstand(const FeffPfad& s)
{
    if (s.Beine == 4) {
        bool gerade = true;
        for (int32_t j = 0; j < 4; ++j) {
            const double b = std::fmod(std::fabs(s.StreuWinkel[j]), 180.0);
            if (b > 0.5 && b < 179.5) gerade = false;
        }
        if (gerade) {
            double fern = 0.0;
            for (int32_t j = 0; j < 4; ++j) fern = std::max(fern, s.AtomAbstaende[j]);
            for (int32_t t = 0; t < EinzelpfadZahl; ++t) {
                const Einzelpfad& e = Einzelpfade[t];
                if (e.satz == s.SatzNummer && e.reff > 0.0 && std::fabs(fern / e.reff - 1.0) <= 0.005)
                    return s.Reff * e.r / e.reff;
            }
        }
    }
    double summe = 0.0;
    for (int32_t j = 1; j <= s.Beine; ++j) {
        const double laenge = Beinlaenge(s, j);
        const Einzelpfad* e = Bein(s, j, laenge);
        summe += e ? laenge * e->r / e->reff : laenge;
    }
    return summe / 2.0;
}

// The values of path function i (record r) that enter the formula.
void PfadVorbereiten(MODELL_LAUF& l, int32_t i, int32_t q, int32_t r)
{
    const FeffPfad& s = FeffPfade[r];
    double* p = l.p + q;
    int32_t erster = i;
    for (int32_t g = 0; g < i; ++g)
        if (IstPfad(Grundcode(l.typen[g]))) {
            erster = g;
            break;
        }
    const int32_t fs = Flag(q + 2), fr = Flag(q + 1), fe = Flag(q + 3), fn = Flag(q);
    const bool ms = s.Beine > 2;
    // The first path prepared in a call refills the single-scattering
    // table from the model's first path function on (switched off or not).
    if (!l.einzelpfade) {
        EinzelpfadeFuellen(l, erster);
        l.einzelpfade = true;
    }

    PfadWerte& w = Pfade[r];
    w.reff = s.Reff;
    w.n = p[0];
    w.r = FeffAbstand(p[1], s.Reff);
    w.e0 = p[3];
    bool abgeleitet = false;
    w.koeffizienten = 0;
    const Einzelpfad* polynom = nullptr;
    if (!ms)
        for (int32_t t = 0; t < EinzelpfadZahl; ++t)
            if (Einzelpfade[t].funktion == i && Einzelpfade[t].polynom) polynom = &Einzelpfade[t];
    if (polynom) {
        // The Debye-Waller polynomial; a path that holds no coefficient
        // shows the value in its (fixed) parameter.
        w.sigma2 = polynom->sigma2;
        for (int32_t t = 0; t < EinzelpfadZahl; ++t) {
            const Einzelpfad& e = Einzelpfade[t];
            if (e.ordnung < 0 || DwGruppe(e) != DwGruppe(*polynom)) continue;
            w.koeffizientIndex[w.koeffizienten] = e.sigmaIndex;
            w.koeffizient[w.koeffizienten++] = l.p[e.sigmaIndex];
        }
        if (polynom->ordnung < 0 && (fs & PF_FIXED)) p[2] = w.sigma2;
        abgeleitet = true;
    } else if (EigeneTemperatur(l, q)) {
        w.sigma2 = Dw(Temperatur(l, q), r);
    } else if (fs & PF_MS) {
        // Tied: a single-scattering path takes the temperature of the
        // nearest earlier one of its potential, a longer path combines its
        // legs' sigma^2.
        w.sigma2 = p[2];
        if (ms) {
            abgeleitet = MsSigma2(s, &w.sigma2);
        } else {
            const Einzelpfad* vorbild = nullptr;
            for (int32_t t = 0; t < EinzelpfadZahl; ++t) {
                const Einzelpfad& e = Einzelpfade[t];
                if (!e.eigeneTemperatur || !Teilt(e, s, i)) continue;
                if (!vorbild || e.funktion < i) vorbild = &e;
            }
            if (vorbild) {
                w.sigma2 = Dw(vorbild->theta, r);
                abgeleitet = true;
            }
        }
    } else if ((fs & PF_TEMPERATURE_MODEL) && MessTemperatur != 0.0) {
        if (!(fs & PF_FIXED)) DebyeTemperatur = p[2];
        if (!ms || !MsSigmaAusEinzelpfaden) {
            w.sigma2 = Dw(DebyeTemperatur, r);
            if (fs & PF_FIXED) p[2] = w.sigma2;
            else Ergebnis(l, 4900, w.sigma2);
        } else {
            w.sigma2 = p[2];
            abgeleitet = MsSigma2(s, &w.sigma2);
        }
    } else {
        w.sigma2 = p[2];
    }
    if (abgeleitet) Ergebnis(l, 6000 + i, w.sigma2);

    // E0 shift tied per potential or to neighbouring paths.
    if (Alle(fe, PF_E0_POTENTIAL | PF_FIXED) || Alle(fe, PF_E0_TIED | PF_FIXED) ||
        ((fe & PF_E0_LAST_PATHS) && !(fe & PF_FIXED))) {
        double summe = 0.0;
        int32_t zahl = 0;
        for (int32_t t = 0; t < EinzelpfadZahl; ++t)
            if (Einzelpfade[t].e0Frei && Teilt(Einzelpfade[t], s, i)) {
                summe += Einzelpfade[t].e0;
                ++zahl;
            }
        if (zahl) w.e0 = summe / zahl;
    }

    // Distance from the cluster geometry, or of a longer path from its legs.
    if (fr & PF_CLUSTER) {
        ClusterTabelle(l, w.cluster);
        w.r = ClusterAbstand(s, w.cluster);
        Ergebnis(l, 5000 + i, w.r);
    } else if (ms && ((fs & PF_DW_POLYNOMIAL) || Alle(fr, PF_MS_DISTANCE | PF_FIXED))) {
        const double neu = MsAbstand(s);
        Ergebnis(l, 5000 + i, neu);
        if (!(fr & PF_WIDE)) p[1] = std::fabs(p[1]) < 1.0 ? neu - s.Reff : neu;
        w.r = neu;
    }

    // Coordination number scaled as its single-scattering paths' are.
    if (ms && Alle(fn, PF_MS_PATH | PF_FIXED)) {
        double summe = 0.0;
        int32_t zahl = 0;
        for (int32_t t = 0; t < EinzelpfadZahl; ++t) {
            const Einzelpfad& e = Einzelpfade[t];
            if (e.entartung != 0.0 && Teilt(e, s, i)) {
                summe += e.n / e.entartung;
                ++zahl;
            }
        }
        if (zahl) w.n = s.Entartung * summe / zahl;
    }
    for (int32_t j = 0; j < 4; ++j) w.roh[j] = p[j];
    w.gueltig = true;
}

// Whether the cluster coefficients moved since the path at parameter index
// q was prepared on the cluster.
bool ClusterGeaendert(const MODELL_LAUF& l, int32_t q, const PfadWerte& w)
{
    if (!ImCluster(q)) return false;
    double c[3];
    ClusterTabelle(l, c);
    for (int32_t j = 0; j < 3; ++j)
        if (w.cluster[j] != c[j]) return true;
    return false;
}

// The shifted reference of the LC-XANES function in preparation, with the
// blocks it is built in (kept and grown across calls).
std::vector<double> LcAbszissen, LcReferenz;
bool LcVerschoben = false;

}  // namespace

int32_t FeffPfadWerte(double k, int32_t pfad, double& lambda, double& amplitude, double& phase,
                      double& p)
{
    lambda = amplitude = phase = p = 0.0;
    const int32_t r = pfad + 1;
    if (r < 1 || r >= FEFF_PFADE || !FeffKGitter || FeffKPunkte < 1) return -1;
    const FeffPfad& s = FeffPfade[r];
    const int32_t tabellen[4] = {FEFF_WEGLAENGE, FEFF_AMPLITUDE, FEFF_PHASE, FEFF_REAL_P};
    int32_t n = FeffKPunkte;
    for (int32_t t : tabellen) {
        if (!s.Pfadtabellen[t]) return -1;
        n = std::min(n, s.TabellenSpeicher[t]);
    }
    if (n < 1) return -1;
    const double* g = FeffKGitter;
    double* aus[4] = {&lambda, &amplitude, &phase, &p};
    auto bei = [&](int32_t a, int32_t b, double gewicht) {
        for (int32_t t = 0; t < 4; ++t) {
            const double* v = s.Pfadtabellen[tabellen[t]];
            *aus[t] = v[a] + gewicht * (v[b] - v[a]);
        }
    };
    if (k < g[0]) {
        bei(0, 0, 0.0);
        return -1;
    }
    if (k > g[n - 1]) {
        bei(n - 1, n - 1, 0.0);
        return -1;
    }
    // The first grid point above k (the last one when none is).
    int32_t oben = static_cast<int32_t>(std::upper_bound(g, g + n, k) - g);
    if (oben >= n) oben = n - 1;
    if (oben == 0) {
        bei(0, 0, 0.0);
        return 1;
    }
    const double breite = g[oben] - g[oben - 1];
    bei(oben - 1, oben, breite != 0.0 ? (k - g[oben - 1]) / breite : 0.0);
    return 1;
}

bool FeffPfadVorbereiten(MODELL_LAUF& l, int32_t i, int32_t q, int32_t code)
{
    (void)code;
    const int32_t r = Satznummer(l, i);
    if (!r || FeffPfade[r].Reff <= 0.0) return false;
    const PfadWerte& w = Pfade[r];
    bool neu = l.j0 == 0 || !w.gueltig || ClusterGeaendert(l, q, w);
    for (int32_t j = 0; j < 4 && !neu; ++j) neu = w.roh[j] != l.p[q + j];
    // Under the Debye-Waller polynomial also when a coefficient moved.
    if (DwPolynomAktiv && (Flag(q + 2) & PF_DW_POLYNOMIAL) && !neu) {
        neu = w.koeffizienten == 0;
        for (int32_t t = 0; t < w.koeffizienten && !neu; ++t)
            neu = w.koeffizient[t] != l.p[w.koeffizientIndex[t]];
    }
    if (neu) PfadVorbereiten(l, i, q, r);
    return true;
}

double FeffPfadWert(const MODELL_LAUF& l, int32_t i, int32_t q, int32_t code, double k, int32_t)
{
    const int32_t r = Satznummer(l, i);
    const PfadWerte& w = Pfade[r];
    const double* p = l.p + q;
    const double k2 = k * k - E0_FAKTOR * w.e0;
    if (k2 < 0.0) return 0.0;
    const double kp = std::sqrt(k2);
    double lambda, betrag, phi, impuls;
    FeffPfadWerte(kp, r - 1, lambda, betrag, phi, impuls);
    if (kp * w.r * w.r == 0.0 || lambda == 0.0) return 0.0;
    const double p2 = impuls * impuls;
    double a = w.n * betrag * std::exp(-2.0 * w.sigma2 * p2) * std::exp(-2.0 * w.r / lambda) * S0Quadrat /
               (kp * w.r * w.r);
    if (code == 23) a *= std::exp(2.0 / 3.0 * p[4] * p2 * p2);
    if (code == 24) a *= std::exp(2.0 / 3.0 * p[5] * p2 * p2);
    if (code == 22 || code == 24) phi -= 4.0 / 3.0 * p[4] * p2 * impuls;
    double wert = std::sin(2.0 * impuls * (w.r - w.reff - 2.0 * w.sigma2 / w.reff) + 2.0 * kp * w.reff + phi) *
                  std::pow(k, ModellKGewicht) * a;
    const int32_t saetze = l.u->FeffSaetze;
    if (saetze >= 1) {
        const int32_t gewicht = MaxParameter - saetze + FeffPfade[r].SatzNummer;
        if (gewicht >= 0 && gewicht <= MaxParameter) wert *= l.p[gewicht];
    }
    return wert;
}

bool LcXanesVorbereiten(MODELL_LAUF& l, int32_t i, int32_t q)
{
    LcVerschoben = false;
    const int32_t r = i + 1;
    if (r >= FEFF_PFADE || !FeffPfade[r].Pfadtabellen[FEFF_PHASE]) return false;
    double* p = l.p + q;
    if (l.punktModus || l.art == 0 || p[1] == 0.0 || l.n < 1) return true;
    const double* xs = l.xs;
    const int32_t n = l.n;
    const double erstes = xs[0], letztes = xs[n - 1];
    // A shift as large as the curve moves the whole reference past an end.
    if (!(std::fabs(p[1]) < letztes - erstes)) {
        p[0] = p[1] = 0.0;
        return true;
    }
    // The reference lies on the curve's own points.
    const FeffPfad& s = FeffPfade[r];
    def_zelva* z = l.u->Numerik;
    const int32_t knoten = std::min(l.u->KurvenPunkte, s.TabellenSpeicher[FEFF_PHASE]);
    if (!z || !l.u->KurveX || knoten < 2) return true;
    const std::size_t laenge = static_cast<std::size_t>(std::max(n, l.u->KurvenPunkte)) + 5;
    if (LcAbszissen.size() < laenge) LcAbszissen.resize(laenge);
    if (LcReferenz.size() < laenge) LcReferenz.resize(laenge);
    for (int32_t j = 0; j < n; ++j) LcAbszissen[j] = xs[j] - p[1];
    double* altX = z->xField;
    double* altY = z->yField;
    const int32_t altN = z->anzahl;
    z->SetField(const_cast<double*>(l.u->KurveX), s.Pfadtabellen[FEFF_PHASE]);
    z->anzahl = knoten;
    z->Splint(n, LcAbszissen.data(), LcReferenz.data());
    z->SetField(altX, altY);
    z->anzahl = altN;
    if (!(ParameterFlags && (ParameterFlags[1] & PF_E0_SHIFT))) {
        // The tail that the shift moved past the end takes the last value
        // above 0.05 (searching down to the middle).
        const int32_t mitte = (n - 1) / 2;
        int32_t t = n - 1;
        while (t > mitte && !(LcReferenz[t] > 0.05)) --t;
        for (int32_t j = t + 1; j < n; ++j) LcReferenz[j] = LcReferenz[t];
    }
    LcVerschoben = true;
    return true;
}

double LcXanesWert(const MODELL_LAUF& l, int32_t i, int32_t q, int32_t j)
{
    const double* p = l.p + q;
    if (LcVerschoben) {
        const int32_t t = j - l.j0;
        return t >= 0 && t < l.n ? p[0] * LcReferenz[t] : 0.0;
    }
    const FeffPfad& s = FeffPfade[i + 1];
    if (j < 0 || j >= s.TabellenSpeicher[FEFF_PHASE]) return 0.0;
    return p[0] * s.Pfadtabellen[FEFF_PHASE][j];
}

void LcXanesFertig() { LcVerschoben = false; }
