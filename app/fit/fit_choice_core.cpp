// Model choice, noise estimate and automatic start values.
#include "fit/fit_choice.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "fit/fit_model.h"

namespace {

double Median(std::vector<double> v)
{
    const size_t m = v.size() / 2;
    std::nth_element(v.begin(), v.begin() + m, v.end());
    double mitte = v[m];
    if (v.size() % 2 == 0) mitte = 0.5 * (mitte + *std::max_element(v.begin(), v.begin() + m));
    return mitte;
}

int32_t ModellParameter()
{
    int32_t n = 0;
    for (int32_t k = 0; k < FitFunctionCount; ++k)
        n += FunctionParameterCount(FitFunctionTypes[k], FitPolyDegree, SplineKnotCount);
    return n;
}

// The single peak from the largest second derivative of the smoothed curve.
void EinzelnerPeak(def_zelva& numerik, int32_t n, const double* x, const double* y, int32_t anzahl)
{
    int32_t m = 2;
    while (m < n + 16) m *= 2;
    std::vector<double> xs(x, x + n), ableitung(m + 5, 0.0), kopie(m + 5, 0.0);
    xs.resize(m + 5, x[n - 1]);
    std::copy(y, y + n, kopie.begin());
    numerik.SetField(xs.data(), kopie.data());
    numerik.SetAnzahl(n, -1, -1);
    numerik.Smoothing(5);
    numerik.FeldZweiteAbleitung(ableitung.data(), std::fabs(x[1] - x[0]));
    int32_t j = 0;
    for (int32_t i = 1; i < n; ++i)
        if (std::fabs(ableitung[i]) > std::fabs(ableitung[j])) j = i;
    const double breite = std::fabs(x[n - 1] - x[0]) / 20.0;
    auto setze = [&](int32_t p, double v) {
        if (p < anzahl) FitParameters[p] = v;
    };
    const int32_t erster = FitFunctionTypes[0];
    if (erster != POLYNOM_TYP) {
        setze(0, y[j]);
        setze(1, x[j]);
        setze(2, breite);
        if (erster >= 4 && erster <= 6) setze(3, breite);
        return;
    }
    const int32_t d = FitPolyDegree;
    setze(d + 1, y[j]);
    setze(d + 2, x[j]);
    setze(d + 3, breite);
    if (FitFunctionCount > 1 && FitFunctionTypes[1] == 13) setze(d + 5, breite);
    if (FitFunctionCount > 1 && FitFunctionTypes[1] == 12) setze(d + 4, breite);
}

void PeakFuerPeak(def_zelva& numerik, double threshold, double fwhm, int32_t anzahl)
{
    double h = 0, pos = 0, w = 0;
    numerik.PeakSearch(h, pos, w, 0.0, 0.0);
    int32_t q = 0;
    auto setze = [&](int32_t i, double v) {
        if (q + i < anzahl) FitParameters[q + i] = v;
    };
    for (int32_t k = 0; k < FitFunctionCount; ++k) {
        const int32_t typ = FitFunctionTypes[k];
        const int32_t zahl = FunctionParameterCount(typ, FitPolyDegree, SplineKnotCount);
        const bool peakTyp = (typ >= 1 && typ <= 6) || typ == 12 || typ == 13;
        const bool gefunden = peakTyp && numerik.PeakSearch(h, pos, w, threshold, fwhm) == 1;
        switch (typ) {
        case 2: setze(3, 1.0); break;
        case 3: setze(3, 0.7); break;
        case 5: setze(4, 1.0); break;
        case 6: setze(4, 0.7); break;
        case POLYNOM_TYP:
            for (int32_t i = 0; i < zahl; ++i) setze(i, 0.0);
            break;
        default: break;
        }
        if (gefunden) {
            setze(0, h);
            setze(1, pos);
            if (typ == 13) {
                setze(2, w / 2);
                setze(3, 1.0);
                setze(4, w / 2);
                setze(5, 1.0);
            } else {
                setze(2, w);
                if (typ == 4 || typ == 5 || typ == 6 || typ == 12) setze(3, w);
            }
        }
        q += zahl;
    }
}

}  // namespace

FUNKTIONS_WAHL WahlAusModell(int32_t count, const int32_t* types, int32_t polyDegree)
{
    FUNKTIONS_WAHL w{};
    for (int32_t k = 0; k < count && types; ++k) {
        const int32_t t = types[k];
        if (t < 1 || t > WAHL_TYPEN) continue;
        if (w.Gezeigt[t]) {
            ++w.Anzahl[t];
        } else {
            w.Gezeigt[t] = true;
            w.Anzahl[t] = t == POLYNOM_TYP ? polyDegree : 1;
        }
    }
    return w;
}

int32_t ModellAusWahl(const FUNKTIONS_WAHL& wahl, int32_t* types, int32_t capacity, int32_t& polyDegree)
{
    std::vector<int32_t> neu;
    int32_t grad = polyDegree;
    for (int32_t t = 1; t <= WAHL_TYPEN; ++t) {
        if (!wahl.Gezeigt[t]) continue;
        const int32_t c = wahl.Anzahl[t];
        if (c < 0 || c > 100) continue;
        if (t == POLYNOM_TYP) {
            grad = c;
            neu.push_back(t);
            continue;
        }
        for (int32_t i = 0; i < c; ++i) neu.push_back(t);
    }
    if (neu.empty() || static_cast<int32_t>(neu.size()) > capacity) return 0;
    std::fill(types, types + std::min(capacity, TYPEN_TABELLE), 0);
    std::copy(neu.begin(), neu.end(), types);
    polyDegree = grad;
    return static_cast<int32_t>(neu.size());
}

int32_t WahlSchritt(int32_t type, int32_t alt, int32_t richtung)
{
    const int32_t neu = alt + (richtung > 0 ? 1 : -1);
    const int32_t unten = type == POLYNOM_TYP ? 0 : 1;
    const int32_t oben = type == POLYNOM_TYP ? 7 : 99;
    return neu >= unten && neu <= oben ? neu : alt;
}

double RauschSchaetzung(const double* y, int32_t n)
{
    if (!y || n <= 10) return 1.0E-3;
    std::vector<double> d;
    d.reserve(n - 2);
    for (int32_t i = 1; i + 1 < n; ++i) d.push_back(y[i + 1] - 2.0 * y[i] + y[i - 1]);
    const double mitte = Median(d);
    for (double& v : d) v = std::fabs(v - mitte);
    // MAD of a normal distribution = 0.6745 sigma; second differences of
    // independent noise have the variance 6 sigma^2.
    const double sigma = Median(d) / 0.6744897501960817 / std::sqrt(6.0);
    // Rounding noise of a smooth curve is no measurement error.
    double groesste = 0.0;
    for (int32_t i = 0; i < n; ++i) groesste = std::max(groesste, std::fabs(y[i]));
    return sigma > 1e-12 * groesste && std::isfinite(sigma) ? sigma : 1.0E-3;
}

void AutoPeakSearchKern(def_zelva& numerik, double threshold, double fwhm, int32_t n, const double* x,
                        const double* y)
{
    if (!FitFunctionTypes || !FitParameters || FitFunctionCount < 1 || n < 5 || !x || !y) return;
    const int32_t anzahl = ModellParameter();
    double* altX = numerik.GetXField();
    double* altY = numerik.GetYField();
    const int32_t altN = numerik.GetAnzahl();
    const bool einzeln = FitFunctionCount == 1 ||
                         (FitFunctionCount == 2 &&
                          (FitFunctionTypes[0] == POLYNOM_TYP) != (FitFunctionTypes[1] == POLYNOM_TYP));
    if (einzeln) {
        EinzelnerPeak(numerik, n, x, y, anzahl);
    } else {
        std::vector<double> xs(x, x + n), ys(y, y + n);
        numerik.SetField(xs.data(), ys.data());
        numerik.SetAnzahl(n, -1, -1);
        PeakFuerPeak(numerik, threshold, fwhm, anzahl);
    }
    numerik.SetField(altX, altY);
    numerik.SetAnzahl(altN, -1, -1);
}

bool GrenzenGueltig(double von, double bis) { return von < bis; }
