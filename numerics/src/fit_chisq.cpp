// Chi-square accumulation of the fit step: weighting, the library's own loop
// over the points and the numerical parameter derivatives it uses.
#include <cmath>

#include "zelva.h"

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

// The parameter is put back from a saved copy, not by subtracting the step,
// so that thousands of derivative calls leave it bit for bit as it was.
double def_zelva::ErstePartielleAbleitungVier(double x, int32_t index)
{
    if (!function || !parameter || index < 0 || index > maxParameter) return 0.0;
    const double h = ableitungsSchritt;
    if (h == 0.0) return 0.0;
    const double a = parameter[index];
    const double at = static_cast<double>(fitIndex);
    parameter[index] = a - 2.0 * h;
    const double fm2 = function(x, at, nullptr, nullptr, 0);
    parameter[index] = a - h;
    const double fm1 = function(x, at, nullptr, nullptr, 0);
    parameter[index] = a + h;
    const double fp1 = function(x, at, nullptr, nullptr, 0);
    parameter[index] = a + 2.0 * h;
    const double fp2 = function(x, at, nullptr, nullptr, 0);
    parameter[index] = a;
    return (8.0 * fp1 - fp2 - 8.0 * fm1 + fm2) / (12.0 * h);
}

double def_zelva::ErstePartielleAbleitungZwei(double x, int32_t index)
{
    if (!function || !parameter || index < 0 || index > maxParameter) return 0.0;
    const double h = ableitungsSchritt;
    if (h == 0.0) return 0.0;
    const double a = parameter[index];
    const double at = static_cast<double>(fitIndex);
    parameter[index] = a + h;
    const double fp = function(x, at, nullptr, nullptr, 0);
    parameter[index] = a - h;
    const double fm = function(x, at, nullptr, nullptr, 0);
    parameter[index] = a;
    return (fp - fm) / (2.0 * h);
}

double def_zelva::CalcDeviation(double* alpha, double* beta)
{
    if (useFitProcedure && fitProcedure)
        return fitProcedure(anzahl, maxFitParameter, xField, yField, parameter, alpha, beta, sigma);
    if (!function || !xField || !yField || !parameter || !fitListe || !alpha || !beta) return 0.0;
    if (maxFitParameter < 0 || maxFitParameter >= MATRIX_WIDTH) return 0.0;

    const int32_t n = maxFitParameter + 1;
    double chi = 0.0;
    for (int32_t i = 0; i < anzahl; ++i) {
        fitIndex = i;
        const double x = xField[i];
        const double m = function(x, static_cast<double>(i), nullptr, nullptr, 0);
        for (int32_t j = 0; j < n; ++j)
            dyda[j] = ableitung == 2 ? ErstePartielleAbleitungZwei(x, fitListe[j])
                                     : ErstePartielleAbleitungVier(x, fitListe[j]);
        // Outside a fit there is no sigma block: unit weights.
        double w = (sigma && sigma[i] != 0.0) ? 1.0 / (sigma[i] * sigma[i]) : 1.0;
        if (weightFunction) w *= weightFunction[i];
        const double dy = yField[i] - m;
        for (int32_t j = 0; j < n; ++j) {
            const double wt = dyda[j] * w;
            double* row = alpha + static_cast<std::size_t>(j) * MATRIX_WIDTH;
            for (int32_t k = 0; k <= j; ++k) row[k] += wt * dyda[k];
            beta[j] += dy * wt;
        }
        chi += dy * dy * w;
    }
    return chi;
}
