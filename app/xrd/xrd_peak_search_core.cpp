#include "xrd/xrd_peak_search.h"

#include <algorithm>
#include <cmath>

#include "fit/fit_model.h"
#include "zelva.h"

namespace {

// Saves the arrays and count registered with the library and puts them back.
struct RegistrierungSichern {
    def_zelva& z;
    double* x;
    double* y;
    int32_t anzahl;
    explicit RegistrierungSichern(def_zelva& numerik)
        : z(numerik), x(numerik.xField), y(numerik.yField), anzahl(numerik.anzahl) {}
    ~RegistrierungSichern()
    {
        z.SetField(x, y);
        z.anzahl = anzahl;
    }
};

void ConstrainParameter(int32_t p, double lower, double upper)
{
    ParameterFlags[p] = PF_CONSTRAINED;
    FitParameters[LowerBoundIndex(p)] = lower;
    FitParameters[UpperBoundIndex(p)] = upper;
}

}  // namespace

int32_t PeakStride(int32_t profile)
{
    switch (profile) {
    case PROFIL_GAUSS: return 3;
    case PROFIL_PSEUDO_VOIGT: return 5;
    case PROFIL_PEARSON7: return 6;
    default: return 0;
    }
}

int32_t PeakTyp(int32_t profile)
{
    switch (profile) {
    case PROFIL_GAUSS: return 1;
    case PROFIL_PSEUDO_VOIGT: return 6;
    case PROFIL_PEARSON7: return 13;
    default: return 0;
    }
}

int32_t PeakProfilVonTyp(int32_t typ)
{
    switch (typ) {
    case 1: return PROFIL_GAUSS;
    case 6: return PROFIL_PSEUDO_VOIGT;
    case 13: return PROFIL_PEARSON7;
    default: return -1;
    }
}

int32_t PeakHoechstzahl(int32_t profile)
{
    const int32_t s = PeakStride(profile);
    return s > 0 ? (MAX_MODEL_PARAMETERS - 2) / s : 0;
}

int32_t FindPeaks(def_zelva& numerik, int32_t profile, const double* x, const double* y,
                  int32_t n, double limit, PeakFund& fund)
{
    fund = PeakFund{};
    const int32_t s = PeakStride(profile);
    if (!(limit > 0.0) || s == 0 || n < PEAK_SUCHE_MINDESTPUNKTE || !x || !y) return 0;

    RegistrierungSichern sicher(numerik);
    std::vector<double> X(x, x + n), D(y, y + n), T(n, 0.0);
    numerik.SetField(X.data(), D.data());
    numerik.anzahl = n;
    numerik.Smoothing(10);
    numerik.FeldErsteAbleitung(T.data(), X[2] - X[1]);
    D = T;
    double groesste = -1e50;
    for (double d : D) groesste = std::max(groesste, d);
    // A pattern that never rises has no flank to measure against.
    if (groesste > 0.0 && std::isfinite(groesste))
        for (double& d : D) d /= groesste;
    else
        std::fill(D.begin(), D.end(), 0.0);

    for (int32_t i = 0; i < RESET_ENTRIES; ++i) {
        FreeParameterList[i] = i;
        ParameterFlags[i] = 0;
        CorrelationWords[i] = 0;
        CorrelationConstants[i] = 0.0;
    }

    const double schwelle = limit / 100.0;
    const int32_t hoechstens = PeakHoechstzahl(profile);
    int32_t k = 0, p = 0, i = 0;
    while (i < n) {
        if (D[i] <= schwelle) {
            ++i;
            continue;
        }
        while (i + 1 < n && D[i + 1] > D[i]) ++i;
        const double links = X[i];
        int32_t j = i + 1;
        while (j < n && D[j] > 0.0) ++j;
        if (j >= n) break;  // a rising flank without a top before the end
        const double hoehe = y[j];
        i = j + 1;
        while (i + 1 < n && D[i] > D[i + 1]) ++i;
        const double rechts = X[std::min(i, n - 1)];
        const double breite = rechts - links;
        double position = 0.0;
        numerik.BrentNullstelle(links, rechts, 1e-10, position, 0, 0);
        if (position == 0.0) continue;
        if (k == hoechstens) {
            fund.begrenzt = true;
            fund.grenze = fund.positionen.back();
            break;
        }
        fund.positionen.push_back(position);
        fund.hoehen.push_back(hoehe);
        FitParameters[p] = hoehe;
        FitParameters[p + 1] = position;
        FitParameters[p + 2] = breite;
        FitFunctionTypes[k] = PeakTyp(profile);
        if (profile == PROFIL_PSEUDO_VOIGT) {
            FitParameters[p + 2] = FitParameters[p + 3] = 0.75 * breite;
            FitParameters[p + 4] = 0.5;
            ConstrainParameter(p + 4, 0.0, 1.0);
        } else if (profile == PROFIL_PEARSON7) {
            FitParameters[p + 2] = FitParameters[p + 4] = 0.5 * breite;
            FitParameters[p + 3] = FitParameters[p + 5] = 1.0;
            ConstrainParameter(p + 3, 0.0, 10.0);
            ConstrainParameter(p + 5, 0.0, 10.0);
        }
        p += s;
        ++k;
    }

    FitFunctionTypes[k] = 7;
    FitParameters[p] = std::min(y[1], y[n - 2]);
    FitParameters[p + 1] = 0.0;
    FitPolyDegree = 1;
    FitFunctionCount = k + 1;
    return k;
}

int32_t InterpolatePattern(def_zelva& numerik, int32_t mode, const double* x, const double* y,
                           int32_t n, double lo, double hi, double* bx, double* by, int32_t m,
                           double* nx, double* ny)
{
    if (m < 2 || m > HINTERGRUND_KNOTEN_MAX || n < 2 || !(hi > lo)) return 0;
    if (mode >= 0) {
        nx[0] = lo;
        ny[0] = y[0];
        nx[m - 1] = hi;
        ny[m - 1] = y[n - 1];
        for (int32_t i = 1; i < m - 1; ++i) {
            nx[i] = lo + i * (hi - lo) / (m - 1);
            ny[i] = y[0];
        }
        int32_t j = 1;
        for (int32_t punkt = 0; punkt < n - 1 && j < m - 1; ++punkt) {
            if (x[punkt] >= nx[j]) {
                ny[j] = y[punkt];
                ++j;
            }
        }
    }
    for (int32_t i = 1; i < m; ++i)
        if (!(nx[i] > nx[i - 1])) return 0;

    RegistrierungSichern sicher(numerik);
    std::vector<double> arbeit(std::max(n, m) + 10, 0.0);
    numerik.SetField(nx, ny);
    numerik.anzahl = m;
    numerik.spline(arbeit.data());
    for (int32_t i = 0; i < n; ++i) {
        bx[i] = x[i];
        const double wert = numerik.helpsplint(x[i], arbeit.data());
        by[i] = wert == 0.0 ? y[i] : wert;
    }
    return 1;
}

int32_t XrdPeakTabelle(int32_t stride, double lambda, double* args, int32_t capacity)
{
    if (capacity < 1 || stride <= 0) return 0;
    int32_t anzahl = std::max(FitFunctionCount - 1, 0);
    anzahl = std::min(anzahl, (capacity - 1) / 3);
    const double grad = 3.14159265358979323846 / 180.0;
    double groesste = 0.0;
    for (int32_t i = 0; i < anzahl; ++i) {
        const double zweiTheta = FitParameters[stride * i + 1];
        const double intensitaet = FitParameters[stride * i];
        args[1 + 3 * i] = zweiTheta;
        args[2 + 3 * i] = intensitaet;
        args[3 + 3 * i] = zweiTheta > 0.0 ? lambda / (2.0 * std::sin(zweiTheta / 2.0 * grad)) : 0.0;
        groesste = std::max(groesste, intensitaet);
    }
    if (groesste > 0.0)
        for (int32_t i = 0; i < anzahl; ++i) args[2 + 3 * i] = args[2 + 3 * i] / groesste * 100.0;
    args[0] = anzahl;
    return anzahl;
}
