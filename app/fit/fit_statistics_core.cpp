// The automated F tests, the confidence limits and their shared refit
// protocol on the working model.
#include "fit/fit_statistics.h"

#include <algorithm>
#include <utility>
#include <cmath>
#include <limits>

#include "fit/fit_model.h"
#include "fit/model_function.h"
#include "fit/report_text.h"

namespace {

// A refit that never leaves 1 would otherwise hang; the library stops at
// its iteration limit long before.
const int32_t NACHFIT_HOECHSTENS = 100000;

int32_t SicherungsLaenge()
{
    const int32_t n = MaxParameter + 1;
    return std::max(0, std::min(n, PARAMETER_TABLE_ENTRIES - ZWEITE_FLAGS));
}

int32_t Typ(int32_t f)
{
    const int32_t t = FitFunctionTypes[f];
    return t > 100 ? t - 100 : t;
}

// All parameters from the saved copy, p at `wert`.
void Setze(const FIT_SICHERUNG& s, int32_t p, double wert)
{
    std::copy(s.Parameter.begin(), s.Parameter.end(), FitParameters);
    FitParameters[p] = wert;
}

// Calls pruefen(i) for every free parameter i of the saved state, with
// everything put back from the copy before each, and fortschritt after.
template <class Pruefen>
void JederFreieParameter(const FIT_SICHERUNG& s, def_zelva& z, const std::function<void(int32_t)>& fortschritt,
                         Pruefen pruefen)
{
    int32_t fertig = 0;
    const int32_t n = static_cast<int32_t>(s.Parameter.size());
    for (int32_t i = 0; i < n; ++i) {
        FitZuruecksetzen(s, z, false);
        if (!ParameterFrei(i)) continue;
        pruefen(i);
        if (fortschritt) fortschritt(++fertig);
    }
}

}  // namespace

void NachfitVorbereiten(const NACHFIT_AUFBAU& a)
{
    def_zelva& z = *a.Numerik;
    int32_t art = -1;
    if (a.KurvenFlags & NACHFIT_KOMPLEX) art = 3;
    else if (a.KurvenFlags & NACHFIT_EXAFS_K) art = 6;
    if (art > 0) {
        FitModellArt = art;
        if (a.FensterModellArt) *a.FensterModellArt = art;
        z.SetFitProcedure(1, a.ExafsProzedur);
    }
    z.SetAnzahl(a.Punkte >= 0 ? a.Punkte : -1, MaxParameter, MaxFitParameter);
}

NACHFIT_STAND Nachfitten(const NACHFIT_AUFBAU& a)
{
    NachfitVorbereiten(a);
    NACHFIT_STAND s;
    FitSchrittAktiv = 1;
    for (int32_t k = 0; k < NACHFIT_HOECHSTENS; ++k) {
        s.Zustand = a.Numerik->LeastSquareFit(s.RFaktor, s.Chi2, s.Iterationen);
        if (s.Zustand != 1) break;
    }
    FitSchrittAktiv = 0;
    return s;
}

FIT_SICHERUNG FitSichern(const def_zelva& z)
{
    FIT_SICHERUNG s;
    const int32_t n = SicherungsLaenge();
    s.Parameter.assign(FitParameters, FitParameters + n);
    s.Liste.assign(FreeParameterList, FreeParameterList + n);
    s.Flags.assign(ParameterFlags, ParameterFlags + n);
    s.Zweite.assign(ParameterFlags + ZWEITE_FLAGS, ParameterFlags + ZWEITE_FLAGS + n);
    s.MaxFit = MaxFitParameter;
    s.MaxIterationen = z.maxIterationen;
    return s;
}

void FitZuruecksetzen(const FIT_SICHERUNG& s, def_zelva& z, bool mitGrenze)
{
    std::copy(s.Parameter.begin(), s.Parameter.end(), FitParameters);
    std::copy(s.Liste.begin(), s.Liste.end(), FreeParameterList);
    std::copy(s.Flags.begin(), s.Flags.end(), ParameterFlags);
    std::copy(s.Zweite.begin(), s.Zweite.end(), ParameterFlags + ZWEITE_FLAGS);
    MaxFitParameter = s.MaxFit;
    if (mitGrenze) z.maxIterationen = s.MaxIterationen;
}

bool ParameterFrei(int32_t p)
{
    if (p < 0 || p > MaxParameter) return false;
    if (ParameterFlags[p] & PF_FIXED) return false;
    return !((ParameterFlags[p] & PF_CORRELATED) && CorrelationWords[p] > 0);
}

bool ParameterHalten(int32_t p)
{
    const int32_t pos = FreeListPosition(p);
    if (pos < 0 || pos > MaxFitParameter) return false;
    const bool dw = (ParameterFlags[p] & PF_DW_POLYNOMIAL) != 0;
    if (FixParameter(p) < 0) return false;
    if (p + ZWEITE_FLAGS < PARAMETER_TABLE_ENTRIES) ParameterFlags[p + ZWEITE_FLAGS] = dw ? ZWEITE_DW_POLYNOM : 0;
    return true;
}

double ResiduumVarianz(const NACHFIT_AUFBAU& a)
{
    def_zelva& z = *a.Numerik;
    const int32_t n = a.Punkte;
    if (n < 2 || !z.difference) return 0.0;
    std::vector<double> werte(z.difference, z.difference + n);
    if ((a.KurvenFlags & NACHFIT_KOMPLEX) && a.Gewichte && a.ImagDaten && a.ImagModell) {
        for (int32_t i = 0; i < n; ++i) werte[static_cast<std::size_t>(i)] *= a.Gewichte[i];
        werte.push_back(0.0);
        for (int32_t i = 0; i < n; ++i) werte.push_back((a.ImagDaten[i] - a.ImagModell[i]) * a.Gewichte[i]);
    }
    double mittel = 0.0, varianz = 0.0;
    z.avevar(werte.data(), static_cast<int32_t>(werte.size()), mittel, varianz);
    return varianz;
}

double FTestP(def_zelva& z, double f, int32_t nu)
{
    if (nu < 1) return 1.0;
    if (!(f < std::numeric_limits<double>::infinity())) return 0.0;
    const double d = static_cast<double>(nu);
    double p = 2.0 * z.betai(0.5 * d, 0.5 * d, d / (d * f + d));
    if (p > 1.0) p = 2.0 - p;
    return p;
}

double FTestStartwert(int32_t i, double v, int32_t m, int32_t deltaR, const std::function<double(int32_t)>& reff,
                      double* s)
{
    int32_t t = 0, q = i, pfad = 0;
    for (int32_t f = 0, anfang = 0; f < FitFunctionCount; ++f) {
        const int32_t c = FunctionParameterCount(FitFunctionTypes[f], FitPolyDegree, SplineKnotCount);
        t = Typ(f);
        if (t >= 21 && t <= 24) ++pfad;
        if (i < anfang + c) {
            q = i - anfang;
            break;
        }
        anfang += c;
    }
    const bool exafs = (t >= 15 && t <= 18) || (t >= 21 && t <= 24);
    if (!exafs) {
        *s = (t >= 1 && t <= 13 && q == 1) ? m * 0.02 : m * 0.1;
        return (1.0 + *s) * v;
    }
    if (q == 1) {
        if (std::fabs(v) >= 1.0) {
            *s = m * 0.05;
            return (1.0 + *s) * v;
        }
        // A distance held as a change of the path's own length.
        if (ParameterFlags[i] & PF_CLUSTER) {
            *s = -1.0;
            return 0.01;
        }
        if (deltaR < 1) {
            *s = -1.0;
            return 0.1;
        }
        *s = m * 0.05;
        return *s * (t >= 21 && t <= 24 && reff ? reff(pfad) : 0.0);
    }
    if (q == 2) *s = v <= 1.0 ? m * 0.2 : m * 0.1;
    else if (q == 3) *s = m * 0.2;
    else *s = m * 0.1;
    return (1.0 + *s) * v;
}

FTEST_ERGEBNIS AutoFTestKern(const NACHFIT_AUFBAU& a, int32_t deltaR, const std::function<double(int32_t)>& reff,
                             const std::function<void(int32_t)>& fortschritt)
{
    FTEST_ERGEBNIS e;
    def_zelva& z = *a.Numerik;
    const FIT_SICHERUNG s = FitSichern(z);
    z.maxIterationen = 25;
    e.Letzter = Nachfitten(a);
    e.R0 = e.Letzter.RFaktor;
    const bool komplex = (a.KurvenFlags & NACHFIT_KOMPLEX) != 0;
    const int32_t nu = komplex ? 2 * a.Punkte - 1 : a.Punkte - 1;
    JederFreieParameter(s, z, fortschritt, [&](int32_t i) {
        FTEST_ZEILE zeile;
        zeile.Index = i;
        zeile.Wert = s.Parameter[static_cast<std::size_t>(i)];
        for (int32_t m = 1; m < 7; ++m) {
            double schub = 0.0;
            const double start = FTestStartwert(i, zeile.Wert, m, deltaR, reff, &schub);
            // Held at the shifted value ...
            ParameterHalten(i);
            Setze(s, i, start);
            const NACHFIT_STAND fest = Nachfitten(a);
            e.VarianzAlt = ResiduumVarianz(a);
            FitZuruecksetzen(s, z, false);
            // ... and free again from there.
            Setze(s, i, start);
            e.Letzter = Nachfitten(a);
            e.VarianzNeu = ResiduumVarianz(a);
            FitZuruecksetzen(s, z, false);
            const double gross = std::max(e.VarianzAlt, e.VarianzNeu);
            const double klein = std::min(e.VarianzAlt, e.VarianzNeu);
            const double f = gross == 0.0 ? 1.0 : (klein == 0.0 ? std::numeric_limits<double>::infinity() : gross / klein);
            double p = FTestP(z, f, nu);
            if (p < 0.1) p = 0.0;
            zeile.P = p;
            zeile.RFix = fest.RFaktor;
            zeile.RFrei = e.Letzter.RFaktor;
            zeile.Start = start;
            zeile.S = schub;
            if (!(p > 0.8 && schub > 0.0)) break;
        }
        e.Zeilen.push_back(zeile);
    });
    FitZuruecksetzen(s, z, true);
    NachfitVorbereiten(a);
    return e;
}

std::string AutoFTestText(const FTEST_ERGEBNIS& e)
{
    std::string t = "\r\n -- Automated F-test for current fitting parameters -  \r\n";
    t += Format(" Original R value: % -6.4G ", e.R0) + "\r\n\r\n";
    for (const FTEST_ZEILE& z : e.Zeilen) {
        t += " Par #" + Format("%.2d:  % -12.5G ", static_cast<int>(z.Index + 1), z.Wert);
        t += " - F" + Format("% -6.2G", z.P);
        t += Format(", R: % -6.4G (R:% -6.4G, Par:% -10.5G, Var:% -4.3G %%)", z.RFix, z.RFrei, z.Start,
                    z.S < 0.0 ? 0.0 : 100.0 * z.S);
        t += z.P <= 0.2 ? "  : independent" : z.P <= 0.5 ? "  : largely independent"
                                             : z.P <= 0.8 ? "  : maybe dependent"
                                                          : "  : dependent (check!)";
        t += "\r\n";
    }
    return t + "\r\n";
}

namespace {

// One trial of the confidence search: every parameter from the saved copy,
// p at `wert`, the others refitted with p held.
double Versuch(const NACHFIT_AUFBAU& a, const FIT_SICHERUNG& s, int32_t p, double wert)
{
    Setze(s, p, wert);
    return Nachfitten(a).Chi2;
}

// Growth of the step in P0 units: trial k of 30 (-1, the first downward
// trial, takes the first step too).
double Stufe(int32_t k)
{
    return k < 5 ? 0.001 : k < 10 ? 0.01 : k < 15 ? 0.1 : k < 20 ? 1.0 : 10.0;
}

}  // namespace

KONFIDENZ_ERGEBNIS KonfidenzKern(const NACHFIT_AUFBAU& a, double c, const std::function<void(int32_t)>& fortschritt)
{
    KONFIDENZ_ERGEBNIS e;
    def_zelva& z = *a.Numerik;
    const FIT_SICHERUNG s = FitSichern(z);
    z.maxIterationen = 50;
    e.Chi2Min = Nachfitten(a).Chi2;
    JederFreieParameter(s, z, fortschritt, [&](int32_t i) {
        KONFIDENZ_ZEILE zeile;
        zeile.Index = i;
        ParameterHalten(i);
        const double p0 = s.Parameter[static_cast<std::size_t>(i)];
        const double gehalten = Versuch(a, s, i, p0);
        if (gehalten < e.Chi2Min) e.Chi2Min = gehalten;
        const double schwelle = (2.0 - c) * e.Chi2Min;
        double pLo = 0, chiLo = 0, pHi = 0, chiHi = 0;
        bool klammer = false;
        double p = p0 + 0.001 * p0;
        double chi = Versuch(a, s, i, p);
        if (chi >= schwelle) {
            // Halve the step toward P0 until chi-square falls below.
            pHi = p;
            chiHi = chi;
            for (int32_t k = 0; k < 30 && !klammer; ++k) {
                const double mitte = p0 + 0.5 * (pHi - p0);
                const double cm = Versuch(a, s, i, mitte);
                if (cm > schwelle) {
                    pHi = mitte;
                    chiHi = cm;
                } else {
                    pLo = mitte;
                    chiLo = cm;
                    klammer = true;
                }
            }
        } else {
            // Upward from the first trial; then downward from P0, whose
            // first trial is P0 - 0.001 P0 (step -1).
            for (int32_t richtung = 1; richtung >= -1 && !klammer; richtung -= 2) {
                if (richtung < 0) {
                    p = p0;
                    chi = e.Chi2Min;
                }
                for (int32_t k = richtung < 0 ? -1 : 0; k < 30 && !klammer; ++k) {
                    pLo = p;
                    chiLo = chi;
                    p += richtung * Stufe(k) * p0;
                    chi = Versuch(a, s, i, p);
                    if (chi >= schwelle) {
                        pHi = p;
                        chiHi = chi;
                        klammer = true;
                    }
                }
            }
        }
        if (klammer && chiLo < schwelle && chiHi > schwelle) {
            zeile.L = pLo + (pHi - pLo) * (schwelle - chiLo) / (chiHi - chiLo) - p0;
            zeile.Gefunden = true;
            zeile.Unten = pLo - p0;
            zeile.Oben = pHi - p0;
        }
        e.Zeilen.push_back(zeile);
    });
    FitZuruecksetzen(s, z, true);
    e.Letzter = Nachfitten(a);
    // The library orders the list for its own use; the final fit's values
    // stay, the tables are put back as they were.
    const std::vector<double> endwerte(FitParameters, FitParameters + s.Parameter.size());
    FitZuruecksetzen(s, z, true);
    std::copy(endwerte.begin(), endwerte.end(), FitParameters);
    return e;
}

std::string KonfidenzText(const KONFIDENZ_ERGEBNIS& e, double c)
{
    std::string t = "\r\n -- Confidence limits of current fitting parameters -  \r\n";
    t += " Variation of residual within " + Format("%.5G %% ", 100.0 * c) + "\r\n\r\n";
    for (const KONFIDENZ_ZEILE& z : e.Zeilen) {
        t += " Par #" + Format("%.2d:  % -14.7G ", static_cast<int>(z.Index + 1), FitParameters[z.Index]);
        t += " +- " + Format("% -6.10G", z.L);
        t += z.Gefunden ? " " : "  search failed (very narrow or broad CL)";
        t += "\r\n";
    }
    return t + "\r\n";
}

bool KonturGueltig(const KONTUR_EINSTELLUNG& k)
{
    return k.P1 >= 0 && k.P2 >= 0 && k.P1 != k.P2 && k.P1 <= MaxParameter && k.P2 <= MaxParameter &&
           k.NX >= 1 && k.NY >= 1 && k.NX <= KONTUR_MAX_GITTER && k.NY <= KONTUR_MAX_GITTER && FitParameters;
}

KONTUR_ERGEBNIS KonturScan(def_zelva& z, const KONTUR_EINSTELLUNG& k, const std::function<void(int32_t)>& fortschritt)
{
    KONTUR_ERGEBNIS e;
    if (!KonturGueltig(k)) return e;
    double summe = 0.0;
    z.GetResidual(e.R0, summe);
    const double w1 = FitParameters[k.P1], w2 = FitParameters[k.P2];
    const double s1 = 2.0 * w1 * k.R1 / k.NY;
    const double grenze = std::fabs((1.0 - k.T) * e.R0);
    std::vector<std::pair<double, double>> punkte;
    FitParameters[k.P2] = (1.0 - k.R2) * w2;
    for (int32_t a = 0; a < k.NX; ++a) {
        FitParameters[k.P1] = (1.0 - k.R1) * w1;
        std::vector<double> spalte(static_cast<std::size_t>(k.NY));
        for (int32_t b = 0; b < k.NY; ++b) {
            double r = 0.0;
            z.GetResidual(r, summe);
            if (a == 0) e.X.push_back(FitParameters[k.P1]);
            spalte[static_cast<std::size_t>(b)] = r;
            if (std::fabs(r - e.R0) < grenze) punkte.emplace_back(FitParameters[k.P1], FitParameters[k.P2]);
            FitParameters[k.P1] += s1 * (1.0 + 0.01 * a);
        }
        e.R.push_back(std::move(spalte));
        if (fortschritt) fortschritt(a + 1);
        FitParameters[k.P2] += 2.0 * w2 * k.R2 / k.NX;
    }
    FitParameters[k.P1] = w1;
    FitParameters[k.P2] = w2;
    e.Angenommen = static_cast<int32_t>(punkte.size());
    e.Genug = e.Angenommen >= KONTUR_MIN_PUNKTE;
    if (!e.Genug) return e;
    std::stable_sort(punkte.begin(), punkte.end(),
                     [](const std::pair<double, double>& l, const std::pair<double, double>& r) { return l.first < r.first; });
    for (std::size_t i = 1; i + 1 < punkte.size(); ++i) {
        e.KurveX.push_back(punkte[i].first);
        e.KurveY.push_back(punkte[i].second);
    }
    // Points of equal p1 would give the outline no rising abscissa: each
    // one moves a little toward its next but one neighbour.
    std::vector<double>& x = e.KurveX;
    const std::size_t m = x.size();
    for (int32_t durchgang = 0; durchgang < 500; ++durchgang) {
        bool nochmal = false;
        for (std::size_t j = 0; j + 1 < m; ++j) {
            if (x[j] < x[j + 1]) continue;
            if (j + 2 < m) {
                x[j + 1] = x[j] + 0.05 * (x[j + 2] - x[j]);
                nochmal = true;
            } else {
                x[j + 1] = x[j] + 0.01 * (x[j] - x[j + 1]);
            }
        }
        if (!nochmal) break;
    }
    // A run of equal p1 values (the first row of every column starts at
    // the same value) leaves the passes no room: their steps shrink below
    // the precision of x. Each such point moves just above the one before,
    // so that the outline can be drawn as a rising curve.
    const double schritt = 1e-9 * (std::fabs(x.back() - x.front()) + std::fabs(x.front()));
    for (std::size_t j = 0; j + 1 < m && schritt > 0.0; ++j)
        if (!(x[j] < x[j + 1])) x[j + 1] = x[j] + schritt;
    const auto mm = std::minmax_element(e.KurveY.begin(), e.KurveY.end());
    e.Grenze2 = std::fabs(*mm.second - *mm.first) / 2.0;
    e.Grenze1 = std::fabs(x.back() - x.front()) / 2.0;
    return e;
}
