// The EXAFS chi-square procedure and the rules of the EXAFS fit set-up
// that need no window.
#include "xas/exafs_fit.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <vector>

#include "fit/fit_model.h"
#include "xas/model_fft_intern.h"

EXAFS_ZUSATZ ExafsZusatz;
FEFF_SATZ_EINSTELLUNGEN FeffSatzEinstellungen;

namespace {

const double PI = 3.14159265358979323846;
const double GROSSER_SCHRITT = 10.0;

int32_t Basisart(int32_t art) { return art > 100 ? art - 100 : art; }

// The model as the fit compares it at the current parameters (y0 holds at
// least 4n values).
void ModellWerte(const EXAFS_FFT_UMFELD& u, int32_t n, double* x, double* y0)
{
    std::fill(y0, y0 + 4 * static_cast<std::size_t>(n), 0.0);
    if (Basisart(FitModellArt) != 3) u.Numerik->function(0.0, 0.0, x, y0, n);
    ModellFeldFFTIn(u, n, x, y0);
}

void Korrelieren(def_zelva* z, int32_t j, double* a)
{
    z->EvaluateCorrelation(j, a, a, true);
    z->MS_Correlation(a, a, false, 0);
}

// The model's transform for the extra power that is only shown, for the
// plot and the report.
void GezeigtePotenz(const EXAFS_FFT_UMFELD& u)
{
    R_SEKTION s;
    if (u.ExtraPotenzZeigen >= 0 && ModellFuerPotenz(u, u.ExtraPotenzZeigen, &s)) ExtraBerichtSchreiben(u, s);
}

}  // namespace

double ExafsChiQuadrat(const EXAFS_FFT_UMFELD& u, int32_t n, int32_t mfit, double* x, double* y,
                       double* a, double* alpha, double* beta, double* sigma)
{
    def_zelva* z = u.Numerik;
    if (!z || !z->function || n < 1 || !x || !y || !a || !alpha || !beta || !FreeParameterList ||
        !ParameterFlags || !FitFunctionTypes || mfit < -1 || mfit >= def_zelva::MATRIX_WIDTH)
        return 0.0;
    double* altX = z->xField;
    double* altY = z->yField;

    ModellArtAnheben anheben;
    const int32_t art = Basisart(FitModellArt);
    const bool rRaum = art == 3;
    const bool extra = rRaum && u.ExtraPotenzFit >= 0;
    const std::size_t nn = static_cast<std::size_t>(n);
    const int32_t l = rRaum ? (extra ? 4 * n : 2 * n) : n;
    const std::size_t breite = 4 * nn + 20;

    std::vector<double> y0(breite, 0.0), probe(breite, 0.0), probe2(breite, 0.0);
    ModellWerte(u, n, x, y0.data());

    // The target of every residual.
    std::vector<double> ziel(static_cast<std::size_t>(l) + 5, 0.0);
    std::copy(y, y + n, ziel.begin());
    if (rRaum) {
        for (int32_t k = 0; k < n && u.DatenTransformY && k < u.DatenTransformPunkte; ++k)
            ziel[nn + k] = u.DatenTransformY[k];
        if (extra)
            for (int32_t k = 0; k < 2 * n && u.ExtraDaten && k < u.ExtraDatenLaenge; ++k)
                ziel[2 * nn + k] = u.Skalierung * u.ExtraDaten[k];
    }
    GezeigtePotenz(u);

    // Derivatives by the fitted parameters.
    const double h = z->ableitungsSchritt;
    const bool relativ = FitFunctionCount > 1 && FitFunctionTypes[0] % 100 == 53;
    std::vector<std::vector<double>> dyda(static_cast<std::size_t>(mfit + 1));
    auto bei = [&](int32_t j, int32_t p, double wert, std::vector<double>& aus) {
        a[p] = wert;
        Korrelieren(z, j, a);
        ModellWerte(u, n, x, aus.data());
    };
    for (int32_t j = 0; j <= mfit; ++j) {
        const int32_t p = FreeParameterList[j];
        std::vector<double>& d = dyda[static_cast<std::size_t>(j)];
        d.assign(breite, 0.0);
        if (p < 0 || p > MaxParameter) continue;
        const double a0 = a[p];
        if (relativ || (ParameterFlags[p] & PF_WIDE)) {
            const double s = relativ ? h : GROSSER_SCHRITT;
            bei(j, p, a0 - s, probe);
            bei(j, p, a0 + s, probe2);
            for (int32_t i = 0; i < l; ++i) d[i] = (probe2[i] - probe[i]) / (2.0 * s);
        } else {
            bei(j, p, a0 - 2.0 * h, probe);
            for (int32_t i = 0; i < l; ++i) d[i] = probe[i];
            bei(j, p, a0 - h, probe);
            for (int32_t i = 0; i < l; ++i) d[i] -= 8.0 * probe[i];
            bei(j, p, a0 + h, probe);
            for (int32_t i = 0; i < l; ++i) d[i] += 8.0 * probe[i];
            bei(j, p, a0 + 2.0 * h, probe);
            for (int32_t i = 0; i < l; ++i) d[i] = (d[i] - probe[i]) / (12.0 * h);
        }
        a[p] = a0;
        Korrelieren(z, j, a);
    }

    // Accumulation; residual i takes the error and weight of data point
    // i mod n, so that the real part at R_k is weighted as |FT| at R_k.
    const double* gewichte = z->weightFunction;
    double chi2 = 0.0;
    for (int32_t i = 0; i < l; ++i) {
        const int32_t j = i % n;
        const double d = ziel[static_cast<std::size_t>(i)] - y0[static_cast<std::size_t>(i)];
        double w = sigma && sigma[j] != 0.0 ? 1.0 / (sigma[j] * sigma[j]) : 1.0;
        if (gewichte) w *= gewichte[j];
        chi2 += d * d * w;
        for (int32_t r = 0; r <= mfit; ++r) {
            const double t = w * dyda[static_cast<std::size_t>(r)][static_cast<std::size_t>(i)];
            for (int32_t c = 0; c <= r; ++c)
                alpha[def_zelva::MATRIX_WIDTH * r + c] += t * dyda[static_cast<std::size_t>(c)][static_cast<std::size_t>(i)];
            beta[r] += t * d;
        }
    }
    z->SetField(altX, altY);
    if (z->anzahl >= 0) z->anzahl = n;
    return chi2;
}

int32_t ExafsTypVerfeinern(int32_t typ, double dritter, double vierter)
{
    const int32_t basis = typ >= 21 ? 21 : 15;
    return basis + (dritter > 0.0 ? 1 : 0) + (vierter > 0.0 ? 2 : 0);
}

void FeffNamensteil(int32_t pfadnummer, char* ziel, std::size_t groesse)
{
    if (!ziel || groesse == 0) return;
    std::snprintf(ziel, groesse, "feff%04d", pfadnummer);
}

int32_t NamensSumme(const char* name)
{
    int32_t s = 0;
    for (const char* c = name; c && *c; ++c) s += static_cast<unsigned char>(*c);
    return s;
}

double UnabhaengigePunkte(bool rRaum, double dk, double dR)
{
    if (rRaum || (dR >= 0.2 && dR <= 25.0)) return 2.0 / PI * dR * dk + 2.0;
    return 2.0 / PI * dk + 2.0;
}

bool ZuVieleParameter(bool simulation, double nIdp, int32_t maxFitParameter)
{
    return !simulation && nIdp > 2.0 && maxFitParameter + 1 > nIdp;
}

int32_t GemeinsamesE0(int32_t ersteFunktion)
{
    if (!FitFunctionTypes || ersteFunktion < 0 || FitFunctionCount - ersteFunktion < 2) return 0;
    const int32_t meister = ParameterIndex(ersteFunktion + 1, 3);
    if (meister < 0 || meister > MaxParameter || meister > 255) return 0;
    SetCorrelation(meister, CW_MASTER, 0.0);
    int32_t anzahl = 0;
    for (int32_t f = ersteFunktion + 1; f < FitFunctionCount; ++f) {
        if (FunctionParameterCount(FitFunctionTypes[f], FitPolyDegree, SplineKnotCount) < 4) continue;
        const int32_t p = ParameterIndex(f + 1, 3);
        if (p < 0 || p > MaxParameter) continue;
        SetCorrelation(p, CorrelationWord(meister, CW_TIMES), 1.0);
        ++anzahl;
    }
    return anzahl;
}

void SchalenWerteBereinigen(double* p)
{
    if (!p) return;
    if (p[0] > 20.0 || p[0] < 0.0) p[0] = 4.0;
    if (p[1] > 10.0 || p[1] < -0.5) p[1] = 1.9;
    if (std::fabs(p[2]) > 0.08) p[2] = 0.0;
    if (std::fabs(p[3]) > 30.0) p[3] = 0.0;
}

bool ExafsModellPlausibel()
{
    if (!FitFunctionTypes || !FitParameters) return false;
    for (int32_t f = 0; f < FitFunctionCount; ++f) {
        const int32_t typ = FitFunctionTypes[f] % 100;
        if (typ == 25 || !((typ >= 15 && typ <= 18) || (typ >= 21 && typ <= 24))) continue;
        const int32_t q = ParameterIndex(f + 1, 0);
        if (FitParameters[q] < 0.0) return false;
        if (typ == 17 || typ == 23) {
            if (std::fabs(FitParameters[q + 4]) > 0.01) return false;
        } else if (typ == 18 || typ == 24) {
            if (std::fabs(FitParameters[q + 5]) > 0.01) return false;
        }
    }
    return true;
}
