// Root search (Brent) on the model or the registered curve, and the Voigt
// profile of def_zelva.
#include "zelva.h"
#include "work_block.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>

namespace {

using zelva_detail::WorkBlock;

// The registered curve as a function of x: natural cubic spline (with
// second derivatives) or straight lines between the points, 0 outside the
// data range (with the relative tolerance 1e-4 that the program's spline
// evaluation uses).
class CurveFunction {
public:
    CurveFunction(const double* x, const double* y, int32_t n, bool useSpline)
        : x_(x), y_(y), n_(n), block_(useSpline ? static_cast<std::size_t>(n) * 2 + 5 : 0)
    {
        if (useSpline && block_.ok() && n >= 2) {
            y2_ = block_.get();
            double* u = y2_ + n;
            y2_[0] = u[0] = 0.0;
            for (int32_t i = 1; i < n - 1; ++i) {
                const double sig = (x[i] - x[i - 1]) / (x[i + 1] - x[i - 1]);
                const double p = sig * y2_[i - 1] + 2.0;
                y2_[i] = (sig - 1.0) / p;
                u[i] = (y[i + 1] - y[i]) / (x[i + 1] - x[i]) - (y[i] - y[i - 1]) / (x[i] - x[i - 1]);
                u[i] = (6.0 * u[i] / (x[i + 1] - x[i - 1]) - sig * u[i - 1]) / p;
            }
            y2_[n - 1] = 0.0;
            for (int32_t k = n - 2; k >= 0; --k) y2_[k] = y2_[k] * y2_[k + 1] + u[k];
        }
    }

    double operator()(double v) const
    {
        const double t = 1e-4 * std::fabs(v);
        if (x_[0] > v + t || x_[n_ - 1] < v - t) return 0.0;
        int32_t lo = 0, hi = n_ - 1;
        while (hi - lo > 1) {
            const int32_t k = (hi + lo) / 2;
            if (v < x_[k])
                hi = k;
            else
                lo = k;
        }
        const double h = x_[hi] - x_[lo];
        if (!y2_) return (y_[hi] - y_[lo]) / h * (v - x_[lo]) + y_[lo];
        const double a = (x_[hi] - v) / h, b = (v - x_[lo]) / h;
        return a * y_[lo] + b * y_[hi] +
               ((a * a * a - a) * y2_[lo] + (b * b * b - b) * y2_[hi]) * h * h / 6.0;
    }

private:
    const double* x_;
    const double* y_;
    int32_t n_;
    WorkBlock block_;
    double* y2_ = nullptr;
};

// Brent's method (zbrent). Returns 1 when the stop test was met.
template <class F>
int32_t Brent(F&& f, double x1, double x2, double tol, double& root)
{
    const int32_t ITMAX = 500;
    const double EPS = 3e-8;
    double a = x1, b = x2, c = x2, d = 0.0, e = 0.0;
    double fa = f(a), fb = f(b);
    if (fa == 0.0) {
        root = a;
        return 1;
    }
    if (fb == 0.0) {
        root = b;
        return 1;
    }
    if ((fa > 0.0) == (fb > 0.0)) {
        // Not a bracket: report the better end, not a root.
        root = std::fabs(fa) < std::fabs(fb) ? a : b;
        return 0;
    }
    double fc = fb;
    for (int32_t iter = 0; iter < ITMAX; ++iter) {
        if ((fb > 0.0 && fc > 0.0) || (fb < 0.0 && fc < 0.0)) {
            c = a;
            fc = fa;
            e = d = b - a;
        }
        if (std::fabs(fc) < std::fabs(fb)) {
            a = b;
            b = c;
            c = a;
            fa = fb;
            fb = fc;
            fc = fa;
        }
        const double tol1 = 2.0 * EPS * std::fabs(b) + 0.5 * tol;
        const double xm = 0.5 * (c - b);
        // Closed to the tolerance: done once the last step improved on the
        // previous iterate, or at once when b and c still hold a sign
        // change (at a jump |f| never falls and the step rule would walk
        // on until the iteration limit).
        const bool signChange = (fb < 0.0 && fc > 0.0) || (fb > 0.0 && fc < 0.0);
        if ((std::fabs(xm) <= tol1 && (std::fabs(fa) > std::fabs(fb) || signChange)) || fb == 0.0) {
            root = b;
            return 1;
        }
        if (std::fabs(e) >= tol1 && std::fabs(fa) > std::fabs(fb)) {
            const double s = fb / fa;
            double p, q;
            if (a == c) {
                p = 2.0 * xm * s;
                q = 1.0 - s;
            } else {
                const double qq = fa / fc, r = fb / fc;
                p = s * (2.0 * xm * qq * (qq - r) - (b - a) * (r - 1.0));
                q = (qq - 1.0) * (r - 1.0) * (s - 1.0);
            }
            if (p > 0.0) q = -q;
            p = std::fabs(p);
            const double min1 = 3.0 * xm * q - std::fabs(tol1 * q);
            const double min2 = std::fabs(e * q);
            if (2.0 * p < std::min(min1, min2)) {
                e = d;
                d = p / q;
            } else {
                d = xm;
                e = d;
            }
        } else {
            d = xm;
            e = d;
        }
        a = b;
        fa = fb;
        if (std::fabs(d) > tol1)
            b += d;
        else
            b += xm >= 0.0 ? std::fabs(tol1) : -std::fabs(tol1);
        fb = f(b);
    }
    root = b;
    return 0;
}

// Faddeeva function w(z) = exp(-z^2) erfc(-iz) for Im z >= 0: Weideman's
// rational series (N = 32) near the origin, Laplace's continued fraction
// far from it.
std::complex<double> Faddeeva(std::complex<double> z)
{
    static const int N = 32;
    struct Coefficients {
        double a[N + 1];
    };
    const double L = std::sqrt(N / std::sqrt(2.0));
    const double SQRT_PI = 1.7724538509055160273;
    static const Coefficients c = [L] {
        Coefficients r{};
        const int M = 2 * N;
        const double pi = 3.14159265358979323846;
        for (int n = 1; n <= N; ++n) {
            double sum = 0.0;
            for (int k = -M + 1; k <= M - 1; ++k) {
                const double t = L * std::tan(k * pi / (2.0 * M));
                sum += std::exp(-t * t) * (L * L + t * t) * std::cos(pi * k * n / M);
            }
            r.a[n] = sum / (2.0 * M);
        }
        return r;
    }();
    const std::complex<double> I(0.0, 1.0);
    if (std::norm(z) > 64.0) {
        // Converges fast for |z| > 8; 80 levels are ample there.
        std::complex<double> f = z;
        for (int k = 80; k >= 1; --k) f = z - (0.5 * k) / f;
        return I / (SQRT_PI * f);
    }
    const std::complex<double> lz = L - I * z;
    const std::complex<double> Z = (L + I * z) / lz;
    std::complex<double> p = c.a[N];
    for (int n = N - 1; n >= 1; --n) p = p * Z + c.a[n];
    return 2.0 * p / (lz * lz) + 1.0 / (SQRT_PI * lz);
}

}  // namespace

int32_t def_zelva::BrentNullstelle(double x1, double x2, double tol, double& root, int32_t onModel,
                                   int32_t useSpline)
{
    if (onModel) {
        if (!function) {
            root = x1;
            return 0;
        }
        ModellCallback model = function;
        return Brent([model](double v) { return model(v, 0.0, nullptr, nullptr, 0); }, x1, x2, tol,
                     root);
    }
    if (!xField || !yField || anzahl < 2) {
        root = x1;
        return 0;
    }
    CurveFunction curve(xField, yField, anzahl, useSpline != 0);
    return Brent(curve, x1, x2, tol, root);
}

void def_zelva::BrentAlleNullstellenFunc(double a, double b, double step, double& tol,
                                         int32_t& count, double* roots)
{
    count = 0;
    // A step that does not advance would never end the scan.
    if (!(step > 0.0) || a + step == a || !roots || !function) {
        tol = 0.0;
        return;
    }
    const double tolerance = tol;
    const int32_t capacity = GetArrayCapacity();
    ModellCallback model = function;
    auto f = [model](double v) { return model(v, 0.0, nullptr, nullptr, 0); };
    bool failed = false;

    // A zero at a is not reported: the scan starts one step later. Points are
    // start + i step, so that long scans do not drift.
    const double start = f(a) == 0.0 ? a + step : a;
    int64_t i = 0;
    double s = start;
    if (s > b) return;
    double fs = f(s);
    while (fs == 0.0 && s < b) {  // the reference point needs a sign
        s = std::min(start + static_cast<double>(++i) * step, b);
        fs = f(s);
    }
    double x = s;
    while (x < b && count < capacity) {
        double fx = 0.0;
        bool found = false;
        do {
            // The last step is shortened to end at b.
            x = std::min(start + static_cast<double>(++i) * step, b);
            fx = f(x);
            if ((fx != 0.0 && (fx > 0.0) != (fs > 0.0)) || (fx == 0.0 && x >= b)) {
                found = true;
                break;
            }
        } while (x < b);
        if (!found) break;
        double root;
        if (!Brent(f, s, x, tolerance, root)) failed = true;
        roots[count++] = root;
        if (fx == 0.0) break;
        s = x;
        fs = fx;
    }
    if (failed) tol = 0.0;
}

int32_t def_zelva::BrentAlleNullstellenFeld(double a, double b, double& tol, int32_t& count,
                                            double* roots, int32_t useSpline, int32_t maxRoots)
{
    count = 0;
    const int32_t n = anzahl;
    const double* x = xField;
    const double* y = yField;
    if (!roots || !x || !y || n < 2) return 0;

    int32_t i0 = 0;
    while (i0 < n && x[i0] < a) ++i0;
    if (i0 >= n) return 0;
    if (i0 > 0 && a < 0.5 * (x[i0 - 1] + x[i0])) --i0;
    int32_t i1 = 0;
    while (i1 < n - 1 && x[i1] < b && x[i1 + 1] > x[i1]) ++i1;
    if (i1 != i0 && i1 > 0 && b < 0.5 * (x[i1 - 1] + x[i1])) --i1;
    if (i0 >= i1) return 0;

    int32_t limit = GetArrayCapacity();
    if (maxRoots > 0) limit = std::min(limit, maxRoots);
    const double tolerance = tol;
    bool failed = false;
    CurveFunction curve(x, y, n, useSpline != 0);

    int32_t k = i0;
    while (k < i1 && y[k] == 0.0) ++k;  // a zero at the start is not reported
    while (k < i1 && count < limit) {
        const int32_t s = k;
        const bool positive = y[s] > 0.0;
        ++k;
        // Exact zeros inside are passed over; one at the end of the range
        // closes the last bracket.
        while (k < i1 && (y[k] == 0.0 || (y[k] > 0.0) == positive)) ++k;
        if (k == i1 && y[k] != 0.0 && (y[k] > 0.0) == positive) break;
        double root;
        if (!Brent(curve, x[s], x[k], tolerance, root)) failed = true;
        roots[count++] = root;
        if (y[k] == 0.0) break;
    }
    if (failed) tol = 0.0;
    return 1;
}

double def_zelva::VoigtIntegral(double x, double reserved, double centre, double lorentzWidth,
                                double gaussWidth)
{
    const double PI = 3.14159265358979323846;
    const double sqrtLn2 = std::sqrt(std::log(2.0));
    const double G = std::fabs(gaussWidth);
    const double L = std::fabs(lorentzWidth);
    if (G == 0.0) return 0.0;  // the integral vanishes as G / L^2 for G -> 0
    const double Y = sqrtLn2 * L / G;
    const double X = 2.0 * sqrtLn2 * (x - centre) / G;
    if (Y == 0.0) return HUGE_VAL;
    // Integral over t of exp(-t^2) / (Y^2 + (X - t)^2) = pi Re w(X + iY) / Y.
    return PI * Faddeeva(std::complex<double>(X, Y)).real() / Y;
}
