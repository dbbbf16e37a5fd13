// Rules that tie parameters to each other (correlation words) and the
// multiple-scattering distance rule.
//
// During a trial step the fitted values live in a vector kept by list
// position, while the rules name parameters by index; every read goes
// through the parameter's list position, so that dependent parameters
// follow the trial values rather than the last accepted ones.
#include <cmath>
#include <cstdint>

#include "zelva.h"

namespace {

const int32_t RULE_PLUS = 0x100;
const int32_t RULE_MINUS = 0x200;
const int32_t RULE_TIMES = 0x400;
const int32_t RULE_DIVIDE = 0x800;
const int32_t RULE_REMAINDER = 0x1000;
const int32_t RULE_OPERAND_PARAMETER = 0x2000;
const int32_t RULE_GROUP_MEMBER = 0x4000;
const int32_t RULE_MULTIPLE_SCATTERING = 0x8000;

int32_t ListPosition(const int32_t* liste, int32_t last, int32_t index)
{
    for (int32_t j = 0; j <= last; ++j)
        if (liste[j] == index) return j;
    return -1;
}

}  // namespace

int32_t def_zelva::EvaluateCorrelation(int32_t position, double* a, double* source, bool byIndex)
{
    if (!correlationFlags || !correlationValues || !fitListe || !a || !source) return 1;
    if (maxParameter < 0 || maxParameter >= MATRIX_WIDTH) return 1;
    if (position < 0 || position > maxParameter) return 1;
    const int32_t quelle = fitListe[position];
    if (quelle < 0 || quelle > maxParameter) return 1;
    if (correlationFlags[quelle] >= 0) return 1;

    // Value of the parameter at list position j as the rules see it.
    auto valueAt = [&](int32_t j) -> double {
        const int32_t e = fitListe[j];
        if (j > maxFitParameter) return a[e];
        return byIndex ? source[e] : source[j];
    };
    const double s = byIndex ? source[quelle] : valueAt(position);

    for (int32_t i = 0; i <= maxParameter; ++i) {
        const int32_t d = fitListe[i];
        if (d < 0 || d > maxParameter) continue;
        const int32_t w = correlationFlags[d];
        if (w < 0 || (w & 0xFF) != quelle) continue;

        double operand = correlationValues[d];
        if (w & RULE_OPERAND_PARAMETER) {
            // The constant names the operand parameter by its index (plus
            // 0.2 against rounding); its value is read where it stands.
            const int32_t e = static_cast<int32_t>(operand);
            const int32_t j = e < 0 || e > maxParameter ? -1 : ListPosition(fitListe, maxParameter, e);
            if (j < 0) continue;
            operand = valueAt(j);
        }

        if (w & RULE_PLUS) {
            a[d] = s + operand;
        } else if (w & RULE_MINUS) {
            a[d] = s - operand;
        } else if (w & RULE_TIMES) {
            a[d] = s * operand;
        } else if (w & RULE_DIVIDE) {
            if (operand != 0.0) a[d] = s / operand;
        } else if (w & RULE_REMAINDER) {
            double rest = operand - s;
            for (int32_t j = 0; j <= maxParameter; ++j) {
                const int32_t e = fitListe[j];
                if (e < 0 || e > maxParameter || e == quelle || e == d) continue;
                const int32_t we = correlationFlags[e];
                if (we < 0 || !(we & RULE_GROUP_MEMBER) || (we & 0xFF) != quelle) continue;
                rest -= valueAt(j);
            }
            a[d] = rest;
        }
    }
    return 1;
}

int32_t def_zelva::MS_Correlation(double* a, double* source, bool useTrial, int32_t)
{
    if (!correlationFlags || !correlationValues || !fitListe || !a || !source) return 1;
    if (maxParameter < 0 || maxParameter >= MATRIX_WIDTH) return 1;
    const double pi = 3.141592653589793;

    auto value = [&](int32_t index) -> double {
        if (useTrial) {
            const int32_t j = ListPosition(fitListe, maxFitParameter, index);
            if (j >= 0) return source[j];
        }
        return a[index];
    };

    for (int32_t i = 0; i <= maxParameter; ++i) {
        const int32_t d = fitListe[i];
        if (d < 0 || d > maxParameter) continue;
        const int32_t w = correlationFlags[d];
        if (w == -1 || !(w & RULE_MULTIPLE_SCATTERING)) continue;
        const int32_t u = (w >> 16) & 0xFF;
        const int32_t v = static_cast<int32_t>((static_cast<uint32_t>(w) >> 24) & 0xFFu);
        if (u > maxParameter || v < 0 || v > maxParameter) continue;
        const double b = value(u);
        const double c = value(v);
        const double t = correlationValues[d] * pi / 180.0;
        const double q = b * b + c * c - 2.0 * b * c * std::cos(t);
        a[d] = (b + c + std::sqrt(q > 0.0 ? q : 0.0)) / 2.0;
    }
    return 1;
}
