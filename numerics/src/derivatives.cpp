// Derivatives, integrals, smoothing, regression and peak search on the
// registered curve or the model callback.
#include "zelva.h"
#include "work_block.h"

#include <algorithm>
#include <cmath>

namespace {

using zelva_detail::Blocksize;
using zelva_detail::FitsArrays;
using zelva_detail::WorkBlock;

// Where the next peak search goes on, shared by all objects.
int32_t suchIndex = 0;


}  // namespace

int32_t def_zelva::FeldErsteAbleitung(double* out, double h)
{
    const int32_t n = anzahl;
    if (n < 5) return 0;
    const double* y = yField;
    for (int32_t i = 0; i < 2; ++i) out[i] = (4.0 * y[i + 1] - y[i + 2] - 3.0 * y[i]) / (2.0 * h);
    for (int32_t i = 2; i <= n - 3; ++i)
        out[i] = (8.0 * y[i + 1] - y[i + 2] - 8.0 * y[i - 1] + y[i - 2]) / (12.0 * h);
    for (int32_t i = n - 2; i < n; ++i) out[i] = (3.0 * y[i] - 4.0 * y[i - 1] + y[i - 2]) / (2.0 * h);
    return 1;
}

int32_t def_zelva::FeldZweiteAbleitung(double* out, double h)
{
    const int32_t n = anzahl;
    if (n < 5) return 0;
    const double* y = yField;
    const double hh = h * h;
    for (int32_t i = 0; i < 2; ++i)
        out[i] = (2.0 * y[i] - 5.0 * y[i + 1] + 4.0 * y[i + 2] - y[i + 3]) / hh;
    for (int32_t i = 2; i <= n - 3; ++i)
        out[i] = (16.0 * y[i + 1] - y[i + 2] + 16.0 * y[i - 1] - y[i - 2] - 30.0 * y[i]) / (12.0 * hh);
    for (int32_t i = n - 2; i < n; ++i)
        out[i] = (2.0 * y[i] - 5.0 * y[i - 1] + 4.0 * y[i - 2] - y[i - 3]) / hh;
    return 1;
}

double def_zelva::FuncErsteAbleitung(double x, double h)
{
    if (!function) return -1.0;
    const double fm2 = function(x - 2.0 * h, 0.0, nullptr, nullptr, 0);
    const double fm1 = function(x - h, 0.0, nullptr, nullptr, 0);
    const double fp1 = function(x + h, 0.0, nullptr, nullptr, 0);
    const double fp2 = function(x + 2.0 * h, 0.0, nullptr, nullptr, 0);
    return (8.0 * fp1 - fp2 - 8.0 * fm1 + fm2) / (12.0 * h);
}

double def_zelva::FuncZweiteAbleitung(double x, double h)
{
    if (!function) return -1.0;
    const double f0 = function(x, 0.0, nullptr, nullptr, 0);
    const double fm2 = function(x - 2.0 * h, 0.0, nullptr, nullptr, 0);
    const double fm1 = function(x - h, 0.0, nullptr, nullptr, 0);
    const double fp1 = function(x + h, 0.0, nullptr, nullptr, 0);
    const double fp2 = function(x + 2.0 * h, 0.0, nullptr, nullptr, 0);
    return (16.0 * fp1 - fp2 + 16.0 * fm1 - fm2 - 30.0 * f0) / (12.0 * h * h);
}

double def_zelva::FuncIntegralSimps(double a, double b, int32_t n)
{
    if (!function) return -1.0;
    if (n < 1) n = 1;
    const double s = (b - a) / (2.0 * n);
    double sum = 0.0;
    for (int32_t i = 0; i < n; ++i)
        sum += 4.0 * function(a + (2.0 * i + 1.0) * s, static_cast<double>(i), nullptr, nullptr, 0);
    for (int32_t i = 1; i < n; ++i)
        sum += 2.0 * function(a + 2.0 * i * s, static_cast<double>(i), nullptr, nullptr, 0);
    sum += function(a, 0.0, nullptr, nullptr, 0);
    sum += function(b, static_cast<double>(n - 1), nullptr, nullptr, 0);
    return s * sum / 3.0;
}

double def_zelva::FeldIntegralSimps(double a, double b)
{
    const int32_t intervals = 4000;
    const int32_t half = intervals / 2;
    const double s = (b - a) / intervals;
    WorkBlock xs(half + 5), ys(half + 5);
    if (!xs.ok() || !ys.ok()) return 0.0;
    double sum = 0.0;
    for (int32_t i = 0; i < half; ++i) xs[i] = a + (2.0 * i + 1.0) * s;
    Splint(half, xs.get(), ys.get());
    for (int32_t i = 0; i < half; ++i) sum += 4.0 * std::fabs(ys[i]);
    for (int32_t i = 1; i < half; ++i) xs[i - 1] = a + 2.0 * i * s;
    Splint(half - 1, xs.get(), ys.get());
    for (int32_t i = 0; i < half - 1; ++i) sum += 2.0 * std::fabs(ys[i]);
    xs[0] = a;
    xs[1] = b;
    Splint(2, xs.get(), ys.get());
    sum += std::fabs(ys[0]) + std::fabs(ys[1]);
    return s * sum / 3.0;
}

int32_t def_zelva::GolaySavitzkySmooth(int32_t passes, int32_t order, int32_t width)
{
    const int32_t n = anzahl;
    if (order < 1 || order > 3) return 0;
    if (width % 2 == 0) ++width;
    const int32_t m = ((order < width ? width : order + 2) - 1) / 2;
    // Smoothed points run from m + 1 to n - m - 2.
    if (m > (n - 3) / 2) return 0;
    double* x = xField;
    double* y = yField;
    WorkBlock old(Blocksize(n));
    if (!old.ok()) return 0;

    const double md = m;
    // Coefficients of the published tables in closed form: order 2 the
    // quadratic/cubic, order 3 the quartic/quintic smoothing.
    const double q = 3.0 * md * (md + 1.0) - 1.0;
    const double norm2 = 3.0 / ((4.0 * md * md - 1.0) * (2.0 * md + 3.0));
    const double D = 4.0 * (4.0 * md * md - 1.0) * (4.0 * md * md - 9.0) * (2.0 * md + 5.0) / 15.0;
    const double E = (15.0 * md * md * md * md + 30.0 * md * md * md - 35.0 * md * md - 50.0 * md + 12.0) / D;
    const double k2factor = 35.0 * (2.0 * md * md + 2.0 * md - 3.0);

    for (int32_t pass = 0; pass < passes; ++pass) {
        for (int32_t i = 0; i < n; ++i) old[i] = y[i];
        for (int32_t j = m + 1; j <= n - m - 2; ++j) {
            double v;
            if (order == 1) {
                double sum = old[j];
                for (int32_t k = 1; k <= m; ++k) sum += old[j + k] + old[j - k];
                v = sum / (2.0 * m + 1.0);
            } else if (order == 2) {
                double sum = q * old[j];
                for (int32_t k = 1; k <= m; ++k)
                    sum += (q - 5.0 * k * k) * (old[j + k] + old[j - k]);
                v = sum * norm2;
            } else {
                double plain = old[j], weighted = 0.0;
                for (int32_t k = 1; k <= m; ++k) {
                    const double pair = old[j + k] + old[j - k];
                    const double kk = static_cast<double>(k) * k;
                    plain += pair;
                    weighted += pair * (63.0 * kk * kk - k2factor * kk);
                }
                v = plain * E + weighted / D;
            }
            y[j] = v;
        }
    }
    for (int32_t i = 0; i <= n - 2 * m - 1; ++i) {
        x[i] = x[i + m + 1];
        y[i] = y[i + m + 1];
    }
    return n - 2 * m - 2;
}

double def_zelva::skal(int32_t degree, short kind, double* w, double* alpha, double* beta)
{
    if (kind < 1 || kind > 3) return 0.0;
    const double* x = xField;
    const double* y = yField;
    double sum = 0.0;
    for (int32_t i = 0; i < anzahl; ++i) {
        double prev = 0.0, p = 1.0;
        for (int32_t j = 1; j <= degree; ++j) {
            const double next = (x[i] - alpha[j]) * p - (j >= 2 ? beta[j] * prev : 0.0);
            prev = p;
            p = next;
        }
        if (kind == 1)
            sum += w[i] * p * p;
        else if (kind == 2)
            sum += w[i] * y[i] * p;
        else
            sum += w[i] * x[i] * p * p;
    }
    return sum;
}

int32_t def_zelva::Ausgleichspolynome(int32_t count, int32_t sections, int32_t* degrees,
                                      double outsideFactor, double defaultWeight, double* weights,
                                      int32_t capacity)
{
    const int32_t n = anzahl;
    if (n < 1 || sections < 1 || !FitsArrays(count, capacity, n)) return 0;
    double* x = xField;
    double* y = yField;
    // More coefficients than points are not determined by the data.
    const int32_t maxDegree = std::min<int32_t>(n - 1, 60);
    WorkBlock w(Blocksize(n)), evalX(Blocksize(count)), total(Blocksize(count));
    WorkBlock alpha(Blocksize(maxDegree + 2)), beta(Blocksize(maxDegree + 2)), coef(Blocksize(maxDegree + 2));
    if (!w.ok() || !evalX.ok() || !total.ok() || !alpha.ok() || !beta.ok() || !coef.ok()) return 0;

    const double range = x[n - 1] - x[0];
    for (int32_t k = 0; k < count; ++k) evalX[k] = count == n ? x[k] : x[0] + k * range / count;

    const int32_t P = n / sections;
    for (int32_t s = 0; s < sections; ++s) {
        int32_t weighted = 0;
        for (int32_t j = 0; j < n; ++j) {
            w[j] = weights ? weights[j] : defaultWeight;
            if (j < P * s || j > P * (s + 1)) w[j] *= outsideFactor;
            if (w[j] > 0.0) ++weighted;
        }
        // A polynomial of degree g needs g + 1 weighted points; a higher one
        // would vanish on them and its coefficient be noise.
        const int32_t g = std::max<int32_t>(0, std::min<int32_t>({degrees[s], maxDegree, weighted - 1}));
        const double s0 = skal(0, 1, w.get(), alpha.get(), beta.get());
        if (!(s0 > 0.0)) continue;
        double sPrev = 0.0, sCur = s0;
        coef[0] = skal(0, 2, w.get(), alpha.get(), beta.get()) / s0;
        int32_t top = 0;
        for (int32_t j = 1; j <= g; ++j) {
            alpha[j] = skal(j - 1, 3, w.get(), alpha.get(), beta.get()) / sCur;
            beta[j] = j >= 2 ? sCur / sPrev : 0.0;
            const double sj = skal(j, 1, w.get(), alpha.get(), beta.get());
            if (!(sj > 0.0)) break;
            coef[j] = skal(j, 2, w.get(), alpha.get(), beta.get()) / sj;
            sPrev = sCur;
            sCur = sj;
            top = j;
        }
        for (int32_t k = 0; k < count; ++k) {
            // Clenshaw: the recurrence run backwards from the top coefficient.
            double b1 = 0.0, b2 = 0.0;
            for (int32_t j = top; j >= 0; --j) {
                const double bj = coef[j] + (j + 1 <= top ? (evalX[k] - alpha[j + 1]) * b1 : 0.0) -
                                  (j + 2 <= top ? beta[j + 2] * b2 : 0.0);
                b2 = b1;
                b1 = bj;
            }
            total[k] += b1;
        }
    }
    for (int32_t k = 0; k < count; ++k) {
        x[k] = evalX[k];
        y[k] = total[k] / sections;
    }
    return count;
}

int32_t def_zelva::LineareRegression(double* out)
{
    const int32_t n = anzahl;
    if (n < 3) return 0;
    const double* x = xField;
    const double* y = yField;
    double sx = 0.0, sy = 0.0;
    for (int32_t i = 0; i < n; ++i) {
        sx += x[i];
        sy += y[i];
    }
    const double mx = sx / n, my = sy / n;
    // Centred sums: the same line as the raw sums, without their
    // cancellation for abscissae far from 0.
    double sxx = 0.0, sxy = 0.0, syy = 0.0;
    for (int32_t i = 0; i < n; ++i) {
        const double dx = x[i] - mx, dy = y[i] - my;
        sxx += dx * dx;
        sxy += dx * dy;
        syy += dy * dy;
    }
    if (!(sxx > 0.0)) return 0;
    const double slope = sxy / sxx;
    const double intercept = my - slope * mx;
    double rss = 0.0;
    for (int32_t i = 0; i < n; ++i) {
        const double r = y[i] - intercept - slope * x[i];
        rss += r * r;
    }
    out[0] = intercept;
    out[1] = slope;
    out[2] = std::sqrt(rss / (n - 2));
    out[3] = sxy / (std::sqrt(sxx * syy) + 1e-25);
    return 1;
}

int32_t def_zelva::PeakSearch(double& height, double& position, double& fwhm, double threshold,
                              double width)
{
    if (threshold == 0.0 && width == 0.0) {
        suchIndex = 0;
        return 1;
    }
    const int32_t n = anzahl;
    if (n < 2) return 0;
    const double* x = xField;
    const double* y = yField;
    const double halfWidth = std::ceil(0.5 * width / std::fabs(x[1] - x[0]));
    // Half the expected width in points; it must leave room for a window.
    if (!(halfWidth >= 1.0) || !(halfWidth < n)) return 0;
    const int32_t c = static_cast<int32_t>(halfWidth);
    const double t = threshold;

    double sumFwhm = 0.0, sumHeight = 0.0, sumPos = 0.0;
    int32_t run = 0;
    while (suchIndex < n - 2 * c - 1) {
        const int32_t k = suchIndex;
        const double e = y[k], f = y[k + c], g = y[k + 2 * c];
        const bool detected = e > t && f > t && g > t && e < f && f > g && f != 0.0 && g != 0.0;
        if (detected) {
            const double L = std::fabs(x[k + 2 * c] - x[k]);
            const double lo = std::log((e - t) / (f - t));
            const double lg = std::log((f - t) / (g - t));
            const double sigma = std::sqrt(L * L / 4.0 / (lg - lo));
            const double Z = L / 2.0 * (lo / (lo - lg) + 0.5) + x[k];
            const double h = (e - t) * std::exp((x[k] - Z) * (x[k] - Z) / (2.0 * sigma * sigma));
            sumFwhm += 2.35482005 * sigma;
            sumHeight += h;
            sumPos += Z;
            ++run;
        }
        ++suchIndex;
        if (!detected && run > 0) {
            bool accepted = false;
            if (run > 3) {
                fwhm = sumFwhm / run;
                height = sumHeight / run;
                position = sumPos / run;
                accepted = width / 3.0 < fwhm && fwhm < 2.0 * width;
            }
            sumFwhm = sumHeight = sumPos = 0.0;
            run = 0;
            if (accepted) return 1;
        }
    }
    return 0;
}
