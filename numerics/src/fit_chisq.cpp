// Chi-square accumulation of the fit step: weighting, the library's own loop
// over the points, the numerical parameter derivatives it uses, and the
// blocks a running fit keeps from step to step.
#include <cmath>
#include <cstddef>
#include <new>
#include <vector>

#include "zelva.h"
#include "fit_chisq.h"

void def_zelva::calc_sigma()
{
    if (!sigma || !yField || anzahl <= 0) return;
    for (int32_t i = 0; i < anzahl; ++i) {
        const double y = yField[i];
        double s;
        switch (wichtung) {
        case 1: s = expError != 0.0 ? expError : 1.0; break;
        case 2: s = 1.0 / std::sqrt(std::fabs(y)); break;
        case 3: s = 1.0 / std::fabs(y); break;
        case 4: s = std::sqrt(std::fabs(y)); break;
        case 5: s = std::fabs(y * y); break;
        case 6: s = std::fabs(y * y * y); break;
        default: s = 1.0; break;
        }
        sigma[i] = s;
    }
    // A transform fit's callback reads past the last point; these two stay 0.
    sigma[anzahl] = 0.0;
    sigma[anzahl + 1] = 0.0;
}

namespace {

// The parameter is put back from a saved copy, not by subtracting the step,
// so that thousands of derivative calls leave it bit for bit as it was.
// Callers check the model, the parameter vector and the index.
inline double DerivativeVier(def_zelva& z, double x, int32_t index)
{
    double* parameter = z.parameter;
    const double h = z.ableitungsSchritt;
    if (h == 0.0) return 0.0;
    const double a = parameter[index];
    const double at = static_cast<double>(z.fitIndex);
    parameter[index] = a - 2.0 * h;
    const double fm2 = z.function(x, at, nullptr, nullptr, 0);
    parameter[index] = a - h;
    const double fm1 = z.function(x, at, nullptr, nullptr, 0);
    parameter[index] = a + h;
    const double fp1 = z.function(x, at, nullptr, nullptr, 0);
    parameter[index] = a + 2.0 * h;
    const double fp2 = z.function(x, at, nullptr, nullptr, 0);
    parameter[index] = a;
    return (8.0 * fp1 - fp2 - 8.0 * fm1 + fm2) / (12.0 * h);
}

inline double DerivativeZwei(def_zelva& z, double x, int32_t index)
{
    double* parameter = z.parameter;
    const double h = z.ableitungsSchritt;
    if (h == 0.0) return 0.0;
    const double a = parameter[index];
    const double at = static_cast<double>(z.fitIndex);
    parameter[index] = a + h;
    const double fp = z.function(x, at, nullptr, nullptr, 0);
    parameter[index] = a - h;
    const double fm = z.function(x, at, nullptr, nullptr, 0);
    parameter[index] = a;
    return (fp - fm) / (2.0 * h);
}

// One-sided difference from the model value m at the parameter's own value:
// one call instead of two or four, for steering a fit that is still far
// from its minimum.
inline double DerivativeVorwaerts(def_zelva& z, double x, int32_t index, double m)
{
    double* parameter = z.parameter;
    const double h = z.ableitungsSchritt;
    if (h == 0.0) return 0.0;
    const double a = parameter[index];
    parameter[index] = a + h;
    const double fp = z.function(x, static_cast<double>(z.fitIndex), nullptr, nullptr, 0);
    parameter[index] = a;
    return (fp - m) / h;
}

// Weight of point i: 1 / sigma^2 (1 where sigma is 0, and without a sigma
// block outside a fit), times the registered weight.
inline double PointWeight(const def_zelva& z, int32_t i)
{
    double w = (z.sigma && z.sigma[i] != 0.0) ? 1.0 / (z.sigma[i] * z.sigma[i]) : 1.0;
    if (z.weightFunction) w *= z.weightFunction[i];
    return w;
}

}  // namespace

double def_zelva::ErstePartielleAbleitungVier(double x, int32_t index)
{
    if (!function || !parameter || index < 0 || index > maxParameter) return 0.0;
    return DerivativeVier(*this, x, index);
}

double def_zelva::ErstePartielleAbleitungZwei(double x, int32_t index)
{
    if (!function || !parameter || index < 0 || index > maxParameter) return 0.0;
    return DerivativeZwei(*this, x, index);
}

namespace {

// Blocks of the running fit, kept from step to step and released at its
// end: the derivatives of the last evaluation (anzahl rows of
// maxFitParameter + 1; kept for GradientFromKept only after
// KeepingDeviation), the model values of the last trial, and one column of
// model values.
std::vector<double> g_ableitungen;
std::vector<double> g_modell;
std::vector<double> g_spalte;
bool g_ableitungenBehalten = false;
// Largest derivative block kept (16 MB); a larger fit evaluates anew.
const std::size_t MAX_ABLEITUNGEN = std::size_t(1) << 21;

// Makes v hold count doubles; false when the memory is not there.
bool Reserve(std::vector<double>& v, std::size_t count)
{
    if (v.size() >= count) return true;
    try {
        v.resize(count);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

// Adds the terms of one point (derivatives d by list position, weight w,
// residual dy) to alpha's lower triangle and beta.
inline void AddPoint(double* alpha, double* beta, const double* d, int32_t n, double w, double dy)
{
    for (int32_t j = 0; j < n; ++j) {
        const double wt = d[j] * w;
        double* row = alpha + static_cast<std::size_t>(j) * def_zelva::MATRIX_WIDTH;
        for (int32_t k = 0; k <= j; ++k) row[k] += wt * d[k];
        beta[j] += dy * wt;
    }
}

// CalcDeviation's own loop with the derivative rule Regel: 4 four-point,
// 2 two-point, 1 one-sided. With jac the derivatives of point i go to row
// i (maxFitParameter + 1 values).
template <int Regel>
double Accumulate(def_zelva& z, double* alpha, double* beta, double* jac = nullptr)
{
    const int32_t n = z.maxFitParameter + 1;
    // The parameter indexes once; an entry that is not a parameter of the
    // model has the derivative 0.
    int32_t index[def_zelva::MATRIX_WIDTH];
    for (int32_t j = 0; j < n; ++j) {
        const int32_t p = z.fitListe[j];
        index[j] = (p < 0 || p > z.maxParameter) ? -1 : p;
    }
    double* dyda = z.dyda;
    double chi = 0.0;
    for (int32_t i = 0; i < z.anzahl; ++i) {
        z.fitIndex = i;
        const double x = z.xField[i];
        const double m = z.function(x, static_cast<double>(i), nullptr, nullptr, 0);
        for (int32_t j = 0; j < n; ++j) {
            const int32_t p = index[j];
            dyda[j] = p < 0                ? 0.0
                      : Regel == 4 ? DerivativeVier(z, x, p)
                      : Regel == 2 ? DerivativeZwei(z, x, p)
                                   : DerivativeVorwaerts(z, x, p, m);
        }
        if (jac)
            for (int32_t j = 0; j < n; ++j) jac[static_cast<std::size_t>(i) * n + j] = dyda[j];
        const double w = PointWeight(z, i);
        const double dy = z.yField[i] - m;
        AddPoint(alpha, beta, dyda, n, w, dy);
        chi += dy * dy * w;
    }
    return chi;
}

}  // namespace

double def_zelva::CalcDeviation(double* alpha, double* beta)
{
    if (useFitProcedure && fitProcedure)
        return fitProcedure(anzahl, maxFitParameter, xField, yField, parameter, alpha, beta, sigma);
    if (!function || !xField || !yField || !parameter || !fitListe || !alpha || !beta) return 0.0;
    if (maxFitParameter < 0 || maxFitParameter >= MATRIX_WIDTH) return 0.0;
    return ableitung == 2 ? Accumulate<2>(*this, alpha, beta) : Accumulate<4>(*this, alpha, beta);
}

double zelva_detail::SteeringDeviation(def_zelva& z, double* alpha, double* beta, bool modellBekannt)
{
    g_ableitungenBehalten = false;
    const int32_t n = z.maxFitParameter + 1;
    const std::size_t punkte = static_cast<std::size_t>(z.anzahl);
    const std::size_t count = punkte * static_cast<std::size_t>(n);
    const bool platz = z.workX && z.anzahl <= z.workPoints && count <= MAX_ABLEITUNGEN &&
                       Reserve(g_ableitungen, count) && Reserve(g_spalte, punkte + 1) &&
                       (modellBekannt ? g_modell.size() >= punkte : Reserve(g_modell, punkte));
    if (!platz) return Accumulate<1>(z, alpha, beta);
    double* m = g_modell.data();
    if (!modellBekannt) {
        for (int32_t i = 0; i < z.anzahl; ++i) {
            z.fitIndex = i;
            m[i] = z.function(z.xField[i], static_cast<double>(i), nullptr, nullptr, 0);
        }
    }
    // One call per parameter in array mode on the abscissa copy, where that
    // mode gives the point mode's values to the bit; else point by point.
    double* spalte = g_spalte.data();
    z.function(0.0, 0.0, z.workX, spalte, z.anzahl);
    for (int32_t i = 0; i < z.anzahl; ++i)
        if (!(spalte[i] == m[i])) return Accumulate<1>(z, alpha, beta);
    double* jac = g_ableitungen.data();
    const double h = z.ableitungsSchritt;
    for (int32_t j = 0; j < n; ++j) {
        const int32_t p = z.fitListe[j];
        if (p < 0 || p > z.maxParameter || h == 0.0) {
            for (std::size_t i = 0; i < punkte; ++i) jac[i * n + j] = 0.0;
            continue;
        }
        const double a = z.parameter[p];
        z.parameter[p] = a + h;
        z.function(0.0, 0.0, z.workX, spalte, z.anzahl);
        z.parameter[p] = a;
        for (std::size_t i = 0; i < punkte; ++i) jac[i * n + j] = (spalte[i] - m[i]) / h;
    }
    double chi = 0.0;
    for (int32_t i = 0; i < z.anzahl; ++i) {
        const double w = PointWeight(z, i);
        const double dy = z.yField[i] - m[i];
        AddPoint(alpha, beta, jac + static_cast<std::size_t>(i) * n, n, w, dy);
        chi += dy * dy * w;
    }
    return chi;
}

double zelva_detail::KeepingDeviation(def_zelva& z, double* alpha, double* beta)
{
    const std::size_t count =
        static_cast<std::size_t>(z.anzahl) * static_cast<std::size_t>(z.maxFitParameter + 1);
    g_ableitungenBehalten = count <= MAX_ABLEITUNGEN && Reserve(g_ableitungen, count);
    double* jac = g_ableitungenBehalten ? g_ableitungen.data() : nullptr;
    return z.ableitung == 2 ? Accumulate<2>(z, alpha, beta, jac) : Accumulate<4>(z, alpha, beta, jac);
}

bool zelva_detail::GradientFromKept(const def_zelva& z, double* beta)
{
    if (!g_ableitungenBehalten || g_modell.size() < static_cast<std::size_t>(z.anzahl)) return false;
    const int32_t n = z.maxFitParameter + 1;
    for (int32_t j = 0; j < n; ++j) beta[j] = 0.0;
    const double* jac = g_ableitungen.data();
    for (int32_t i = 0; i < z.anzahl; ++i) {
        const double w = PointWeight(z, i);
        const double dy = z.yField[i] - g_modell[i];
        const double* row = jac + static_cast<std::size_t>(i) * n;
        for (int32_t j = 0; j < n; ++j) beta[j] += dy * (row[j] * w);
    }
    return true;
}

void zelva_detail::ReleaseFitBlocks()
{
    std::vector<double>().swap(g_ableitungen);
    std::vector<double>().swap(g_modell);
    std::vector<double>().swap(g_spalte);
    g_ableitungenBehalten = false;
}

double zelva_detail::TrialChiSquare(def_zelva& z, const double* trial)
{
    const int32_t n = z.maxFitParameter + 1;
    double saved[def_zelva::MATRIX_WIDTH];
    for (int32_t j = 0; j < n; ++j) {
        saved[j] = z.parameter[z.fitListe[j]];
        z.parameter[z.fitListe[j]] = trial[j];
    }
    double* modell = Reserve(g_modell, static_cast<std::size_t>(z.anzahl)) ? g_modell.data() : nullptr;
    if (!modell) g_modell.clear();
    double chi = 0.0;
    for (int32_t i = 0; i < z.anzahl; ++i) {
        z.fitIndex = i;
        const double m = z.function(z.xField[i], static_cast<double>(i), nullptr, nullptr, 0);
        const double w = PointWeight(z, i);
        const double dy = z.yField[i] - m;
        if (modell) modell[i] = m;
        chi += dy * dy * w;
    }
    for (int32_t j = 0; j < n; ++j) z.parameter[z.fitListe[j]] = saved[j];
    return chi;
}
