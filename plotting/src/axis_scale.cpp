// Axis scaling and tick choice, kept free of any device context so that
// they can be checked with numbers alone.
#include "axis_scale.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace vantor_axis {

namespace {
// Far more candidate ticks than any axis can show; keeps absurd settings
// (thousands of wanted numbers) from running away.
constexpr int MAX_TICKS = 20000;
}

double FindStep(int numbers, double span, int& decimals)
{
    span = std::fabs(span);
    if (numbers < 1 || !std::isfinite(span) || span <= 0.0) return 0.0;
    const double a = numbers == 1 ? 1.0 : numbers - 1.0;
    const double perInterval = span / a;
    if (!std::isfinite(perInterval) || perInterval <= 0.0) return 0.0;

    // Exponent e with 1 <= span/a/10^e < 10; the bounds keep denormal and
    // huge spans from walking past the range of a double.
    int e = 1;
    while (e > -330 && perInterval / std::pow(10.0, e) < 1.0) --e;
    while (e < 330 && perInterval / std::pow(10.0, e) >= 10.0) ++e;
    double step = std::pow(10.0, e);
    if (step <= 0.0 || !std::isfinite(step)) return 0.0;

    for (int i = 0; i < 2 && std::floor(span / step) < a; ++i) {
        step /= 10.0;
        --e;
    }
    if (std::floor(span / step) > a) {
        if (numbers == 5) {
            static const double factors[] = {1.0, 2.0, 2.5, 5.0};
            double f = 1.0;
            for (double g : factors) {
                f = g;
                if (std::floor(span / (step * g)) <= a) break;
            }
            step *= f;
        } else {
            double f = 1.0;
            for (double g = 1.0; g < 10.0; g += 0.25) {
                f = g;
                if (std::floor(span / (step * g)) <= a) break;
            }
            step *= f;
        }
    }
    if (e < -1) decimals = -e;
    return step;
}

double WiderStep(double step)
{
    if (!(step > 0.0) || !std::isfinite(step)) return 0.0;
    const double decade = std::pow(10.0, std::floor(std::log10(step)));
    const double m = step / decade;
    // Within rounding of the mantissas 1, 2, 2.5 and 5.
    if (m < 1.9) return 2.0 * decade;
    if (m < 2.4) return 2.5 * decade;
    if (m < 4.9) return 5.0 * decade;
    return 10.0 * decade;
}

namespace {

// Ticks upwards from lo (or from 0 when lo <= 0) to hi.
void UpwardTicks(double lo, double hi, double F, double G, double margin, bool skipZero,
                 std::vector<Tick>& out)
{
    double start, J, span;
    if (lo > 0.0) {
        start = lo - std::fmod(lo, G) + G;
        J = start - lo;
        span = hi - lo;
    } else {
        start = 0.0;
        J = 0.0;
        span = hi;
    }
    double nextNumbered = std::ceil((start - G / 10.0) / F) * F;
    const double reach = span * margin - J;
    for (int i = 0; i < MAX_TICKS; ++i) {
        const double r = i * G;
        if (reach < r + G - G / 2.0) break;
        // Snap to the minor grid so that sums of steps print cleanly.
        double v = std::round((start + r) / G) * G;
        if (v == 0.0) v = 0.0;  // no "-0"
        bool numbered = false;
        if (v >= nextNumbered - G / 10.0) {
            numbered = true;
            while (nextNumbered <= v + G / 10.0) nextNumbered += F;
        }
        if (skipZero && v == 0.0) continue;
        out.push_back({v, numbered});
    }
}

}  // namespace

std::vector<Tick> AxisTicks(double lo, double hi, double F, int lines, double margin)
{
    std::vector<Tick> out;
    if (!(F > 0.0) || !std::isfinite(F) || !std::isfinite(lo) || !std::isfinite(hi) || !(lo < hi))
        return out;
    if (lines < 1 || lines > 20) lines = 2;
    const double G = F / lines;
    if (hi > 0.0) UpwardTicks(lo, hi, F, G, margin, false, out);
    if (lo < 0.0) {
        // Mirror of the upward walk: from -hi (or 0) up to -lo, negated.
        std::vector<Tick> mirrored;
        UpwardTicks(-hi, -lo, F, G, margin, hi > 0.0, mirrored);
        for (const Tick& t : mirrored) out.push_back({t.value == 0.0 ? 0.0 : -t.value, t.numbered});
    }
    return out;
}

std::string TickText(double value, int axisKind, double signFactor, double zSign)
{
    if (axisKind == 1) value *= signFactor;
    if (axisKind == 3) value *= zSign;
    if (value == 0.0) value = 0.0;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%G", value);
    if (axisKind == 2 || axisKind == 4) {
        const size_t len = std::strlen(buf);
        const bool minus = std::strchr(buf, '-') != nullptr;
        if (!std::strchr(buf, '.') && len < (minus ? 4u : 3u)) std::strcat(buf, ".0");
    }
    return buf;
}

YScaleResult ScaleY(double lo, double hi, double top, double h, bool threeD, double corrDown,
                    double corrUp)
{
    YScaleResult r{h / (hi - lo), top + h - 1.0};
    if (!(hi > lo) || !std::isfinite(r.scale)) return YScaleResult{0.0, top + h - 1.0};
    if (lo < 0.0 && 0.0 < hi) {
        r.zero = top + hi * r.scale + h / 100.0;
        if (!threeD) {
            r.zero += 8.0 - hi * r.scale * 15.0 / h;
            r.scale = 0.9 * h / (hi - lo);
            if (hi * r.scale < 0.2 * h)
                r.zero += corrDown * h;
            else if (std::fabs(lo) * r.scale < 0.2 * h)
                r.zero -= corrUp * h;
        }
        return r;
    }
    if (!threeD) r.zero -= 0.03 * h;
    if (hi <= 0.0) {
        r.zero = top;
        if (!threeD) {
            r.zero += 0.05 * h;
            r.scale = 0.91 * h / (hi - lo);
        }
    } else if (lo >= 0.0 && !threeD) {
        r.scale = 0.9 * h / (hi - lo);
    }
    return r;
}

double YReference(double lo, double hi)
{
    if (lo > 0.0) return lo;
    if (hi < 0.0) return hi;
    return 0.0;
}

}  // namespace vantor_axis
