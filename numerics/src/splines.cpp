// Splines and interpolation on the registered curve.
#include "zelva.h"
#include "work_block.h"

#include <cmath>

namespace {

using zelva_detail::Blocksize;
using zelva_detail::FitsArrays;
using zelva_detail::WorkBlock;

// Bracket of the last helpsplint call, shared by all objects: rising
// abscissae then need no search.
int32_t splineKlo = 0;
int32_t splineKhi = 0;

// Points of the local polynomial of Polint: three on either side of the
// interval (a quintic; on a smooth curve more accurate than the cubic of
// four, and still local enough to follow an absorption edge).
const int32_t POLINT_POINTS = 6;

}  // namespace

void def_zelva::spline(double* y2)
{
    const int32_t n = anzahl;
    if (n <= 0 || !y2) return;
    const double* x = xField;
    const double* y = yField;
    WorkBlock u(Blocksize(n));
    if (!u.ok()) return;
    y2[0] = 0.0;
    for (int32_t i = 1; i <= n - 2; ++i) {
        const double sig = (x[i] - x[i - 1]) / (x[i + 1] - x[i - 1]);
        const double p = sig * y2[i - 1] + 2.0;
        y2[i] = (sig - 1.0) / p;
        u[i] = (6.0 * ((y[i + 1] - y[i]) / (x[i + 1] - x[i]) - (y[i] - y[i - 1]) / (x[i] - x[i - 1])) /
                    (x[i + 1] - x[i - 1]) -
                sig * u[i - 1]) /
               p;
    }
    y2[n - 1] = 0.0;
    for (int32_t k = n - 2; k >= 0; --k) y2[k] = y2[k] * y2[k + 1] + u[k];
}

double def_zelva::helpsplint(double xv, double* y2)
{
    const int32_t n = anzahl;
    const double* x = xField;
    const double* y = yField;
    if (n <= 0) return 0.0;
    const double t = 1e-4 * std::fabs(xv);
    if (x[0] > xv + t || x[n - 1] < xv - t) return 0.0;
    if (n == 1) return y[0];

    int32_t& klo = splineKlo;
    int32_t& khi = splineKhi;
    // The bracket may come from a longer curve or another object.
    const bool valid = klo >= 0 && khi == klo + 1 && khi < n;
    if (valid && x[klo] < xv && xv < x[khi]) {
        // keep
    } else if (valid && khi + 1 < n && x[klo + 1] < xv && xv < x[khi + 1]) {
        ++klo;
        ++khi;
    } else {
        klo = 0;
        khi = n - 1;
        while (khi - klo > 1) {
            const int32_t k = (khi + klo) / 2;
            if (x[k] > xv)
                khi = k;
            else
                klo = k;
        }
    }
    const double h = x[khi] - x[klo];
    if (!y2) return (y[khi] - y[klo]) / h * (xv - x[klo]) + y[klo];
    const double a = (x[khi] - xv) / h;
    const double b = (xv - x[klo]) / h;
    return a * y[klo] + b * y[khi] +
           ((a * a * a - a) * y2[klo] + (b * b * b - b) * y2[khi]) * (h * h) / 6.0;
}

void def_zelva::Splint(int32_t count, double* xs, double* ys)
{
    if (count <= 0) return;
    WorkBlock y2(Blocksize(anzahl));
    if (!y2.ok()) return;
    spline(y2.get());
    for (int32_t i = 0; i < count; ++i) ys[i] = helpsplint(xs[i], y2.get());
}

int32_t def_zelva::Polint(int32_t count, int32_t capacity)
{
    const int32_t n = anzahl;
    if (n < 1 || !FitsArrays(count, capacity, n)) return 0;
    double* x = xField;
    double* y = yField;
    WorkBlock newX(Blocksize(count)), newY(Blocksize(count));
    if (!newX.ok() || !newY.ok()) return 0;

    // One polynomial through all points swings without bound between them
    // and costs anzahl^2 per value: each value comes from the few points
    // around it.
    const int32_t points = n < POLINT_POINTS ? n : POLINT_POINTS;
    double c[POLINT_POINTS], d[POLINT_POINTS];
    const double range = std::fabs(x[n - 1] - x[0]);
    int32_t below = 0;  // last point at or below X; X rises
    for (int32_t k = 0; k < count; ++k) {
        const double X = x[0] + k * range / count;
        while (below + 1 < n && x[below + 1] <= X) ++below;
        // The window around the interval of X, shifted inwards at the ends.
        int32_t first = below - (points / 2 - 1);
        if (first > n - points) first = n - points;
        if (first < 0) first = 0;
        const double* xw = x + first;
        int32_t ns = 0;
        double dif = std::fabs(X - xw[0]);
        for (int32_t i = 0; i < points; ++i) {
            const double dift = std::fabs(X - xw[i]);
            if (dift < dif) {
                ns = i;
                dif = dift;
            }
            c[i] = d[i] = y[first + i];
        }
        double value = y[first + ns--];
        // Neville's tableau: column m combines m + 1 neighbouring points.
        for (int32_t m = 1; m < points; ++m) {
            for (int32_t i = 0; i < points - m; ++i) {
                const double ho = xw[i] - X;
                const double hp = xw[i + m] - X;
                const double den = (c[i + 1] - d[i]) / (ho - hp);
                d[i] = hp * den;
                c[i] = ho * den;
            }
            value += (2 * (ns + 1) < points - m) ? c[ns + 1] : d[ns--];
        }
        newX[k] = X;
        newY[k] = value;
    }
    for (int32_t k = 0; k < count; ++k) {
        x[k] = newX[k];
        y[k] = newY[k];
    }
    return count;
}

namespace {

// Cox-de Boor on the span of t. Only basis[end - order + 1 .. end + 1] is
// read, so the caller zeroes at least that window.
int32_t BasisOnSpan(double t, int32_t order, int32_t n, double* basis, const int32_t* knots,
                    bool zeroWindow)
{
    // The span of t; t at or past the end stays in the last span.
    double span = std::floor(t);
    if (!(span >= 0.0)) span = 0.0;
    if (span > n - order) span = n - order;
    const int32_t end = order + static_cast<int32_t>(span) - 1;
    if (zeroWindow)
        for (int32_t j = end - order + 1; j <= end + 1; ++j) basis[j] = 0.0;
    basis[end] = 1.0;
    for (int32_t i = 2; i <= order; ++i) {
        for (int32_t j = end - i + 1; j <= end; ++j) {
            double left = 0.0, right = 0.0;
            const double dl = knots[j + i - 1] - knots[j];
            const double dr = knots[j + i] - knots[j + 1];
            if (dl != 0.0) left = (t - knots[j]) / dl * basis[j];
            if (dr != 0.0) right = (knots[j + i] - t) / dr * basis[j + 1];
            basis[j] = left + right;
        }
    }
    return end;
}

}  // namespace

int32_t def_zelva::BVektor(double t, int32_t order, double* basis, int32_t* knots)
{
    if (order < 1 || order > anzahl) return 0;
    for (int32_t i = 0; i <= order + anzahl; ++i) basis[i] = 0.0;
    return BasisOnSpan(t, order, anzahl, basis, knots, false);
}

int32_t def_zelva::BSpline(int32_t count, int32_t order, int32_t capacity)
{
    const int32_t n = anzahl;
    if (order < 1 || order > n || !FitsArrays(count, capacity, n)) return 0;
    double* x = xField;
    double* y = yField;

    // n control points of order k need n + k knots: k zeros, 1 .. n - k,
    // then n - k + 1 repeated k times.
    const int32_t knotCount = n + order;
    void* knotHandle = nullptr;
    int32_t* knots = static_cast<int32_t*>(
        zelva_heap::AllocZero(sizeof(int32_t) * (static_cast<std::size_t>(knotCount) + 1), &knotHandle));
    WorkBlock basis(Blocksize(n + order + 1));
    WorkBlock newX(Blocksize(count)), newY(Blocksize(count));
    if (!knots || !basis.ok() || !newX.ok() || !newY.ok()) {
        zelva_heap::Free(knotHandle);
        return 0;
    }
    bsplineBlockSize = knotCount;
    for (int32_t i = 0; i < knotCount; ++i) {
        if (i < order)
            knots[i] = 0;
        else if (i < n)
            knots[i] = i - order + 1;
        else
            knots[i] = n - order + 1;
    }

    const double step = static_cast<double>(n - order + 1) / count;
    for (int32_t k = 0; k < count; ++k) {
        const double t = k * step;
        const int32_t end = BasisOnSpan(t, order, n, basis.get(), knots, true);
        double sx = 0.0, sy = 0.0;
        for (int32_t j = end - order + 1; j <= end; ++j) {
            sx += basis[j] * x[j];
            sy += basis[j] * y[j];
        }
        newX[k] = sx;
        newY[k] = sy;
    }
    for (int32_t k = 0; k < count; ++k) {
        x[k] = newX[k];
        y[k] = newY[k];
    }
    zelva_heap::Free(knotHandle);
    return count;
}

int32_t def_zelva::tridiag(int32_t n, double* sub, double* diag, double* super, double* rhs)
{
    if (n <= 0) return 1;
    for (int32_t i = 1; i < n; ++i) {
        sub[i] /= diag[i - 1];
        diag[i] -= sub[i] * super[i - 1];
        rhs[i] -= sub[i] * rhs[i - 1];
    }
    rhs[n - 1] /= diag[n - 1];
    for (int32_t k = n - 2; k >= 0; --k) rhs[k] = (rhs[k] - super[k] * rhs[k + 1]) / diag[k];
    return 1;
}

int32_t def_zelva::CubicSpline(int32_t count, double* xs, double* ys, int32_t endMode,
                               double slope0, double slopeN)
{
    const double* x = xField;
    const double* y = yField;
    const int32_t n = anzahl - 1;  // index of the last point
    if (count <= 0) return 0;
    if (n < 0) {
        for (int32_t k = 0; k < count; ++k) ys[k] = 0.0;
        return 0;
    }
    WorkBlock h(Blocksize(n)), b(Blocksize(n)), c(Blocksize(n)), d(Blocksize(n));
    WorkBlock sub(Blocksize(n)), diag(Blocksize(n)), sup(Blocksize(n)), r(Blocksize(n));
    if (!h.ok() || !b.ok() || !c.ok() || !d.ok() || !sub.ok() || !diag.ok() || !sup.ok() || !r.ok())
        return 0;
    for (int32_t i = 0; i < n; ++i) h[i] = x[i + 1] - x[i];

    if (n == 1 && endMode == 1) {
        // Two points: the Hermite cubic of the two end slopes.
        const double s = (y[1] - y[0]) / h[0];
        const double e0 = 3.0 * (s - slope0), e1 = 3.0 * (slopeN - s);
        c[0] = (2.0 * e0 - e1) / (3.0 * h[0]);
        c[1] = (2.0 * e1 - e0) / (3.0 * h[0]);
    } else if (n == 2 && endMode == 0) {
        // Three points: not-a-knot leaves the one parabola.
        const double q = ((y[2] - y[1]) / h[1] - (y[1] - y[0]) / h[0]) / (h[0] + h[1]);
        c[0] = c[1] = c[2] = q;
    } else if (n >= 2) {
        const int32_t rows = n - 1;  // unknowns c[1] .. c[n-1]
        for (int32_t i = 0; i < rows; ++i) {
            r[i] = 3.0 * ((y[i + 2] - y[i + 1]) / h[i + 1] - (y[i + 1] - y[i]) / h[i]);
            sub[i] = h[i];
            diag[i] = 2.0 * (h[i] + h[i + 1]);
            sup[i] = h[i + 1];
        }
        if (endMode == 0) {
            r[0] *= h[1] / (h[0] + h[1]);
            r[rows - 1] *= h[n - 2] / (h[n - 1] + h[n - 2]);
            diag[0] -= h[0];
            sup[0] -= h[0];
            diag[rows - 1] -= h[n - 1];
            sub[rows - 1] -= h[n - 1];
        } else if (endMode == 1) {
            r[0] -= 1.5 * ((y[1] - y[0]) / h[0] - slope0);
            r[rows - 1] -= 1.5 * (slopeN - (y[n] - y[n - 1]) / h[n - 1]);
            diag[0] -= h[0] / 2.0;
            diag[rows - 1] -= h[n - 1] / 2.0;
        }
        tridiag(rows, sub.get(), diag.get(), sup.get(), r.get());
        for (int32_t i = 0; i < rows; ++i) c[i + 1] = r[i];
        if (endMode == 0) {
            c[0] = c[1] + (c[1] - c[2]) * h[0] / h[1];
            c[n] = c[n - 1] + (c[n - 1] - c[n - 2]) * h[n - 1] / h[n - 2];
        } else if (endMode == 1) {
            c[0] = (1.5 * ((y[1] - y[0]) / h[0] - slope0) - c[1] * h[0] / 2.0) / h[0];
            c[n] = (1.5 * (slopeN - (y[n] - y[n - 1]) / h[n - 1]) - c[n - 1] * h[n - 1] / 2.0) /
                   h[n - 1];
        }
    }
    for (int32_t i = 0; i < n; ++i) {
        b[i] = (y[i + 1] - y[i]) / h[i] - (2.0 * c[i] + c[i + 1]) * h[i] / 3.0;
        d[i] = (c[i + 1] - c[i]) / (3.0 * h[i]);
    }

    for (int32_t k = 0; k < count; ++k) {
        const double X = xs[k];
        if (!(X >= x[0] && X <= x[n])) {
            ys[k] = 0.0;
            continue;
        }
        if (n == 0) {
            ys[k] = y[0];
            continue;
        }
        int32_t lo = 0, hi = n;
        while (hi - lo > 1) {
            const int32_t m = (lo + hi) / 2;
            if (x[m] > X)
                hi = m;
            else
                lo = m;
        }
        const double t = X - x[lo];
        ys[k] = ((d[lo] * t + c[lo]) * t + b[lo]) * t + y[lo];
    }
    return 0;
}

int32_t def_zelva::Ausgleichsspline(int32_t count, double smoothing, int32_t derivative,
                                    double* reserved, int32_t capacity)
{
    const int32_t n = anzahl;
    if (n < 2 || !FitsArrays(count, capacity, n)) return 0;
    double* x = xField;
    double* y = yField;
    if (smoothing == 0.0) smoothing = 0.1;
    const double w = smoothing / std::fabs(x[1] - x[0]);
    const double pointWeight = 6.0 / w;  // the same factor for every point

    const std::size_t size = static_cast<std::size_t>(n) + 2;
    WorkBlock h(size), hi(size), a(size), b(size), c(size), d(size);
    WorkBlock m0(size), m1(size), m2(size), rhs(size), qc(size), res(size);
    if (!h.ok() || !hi.ok() || !a.ok() || !b.ok() || !c.ok() || !d.ok() || !m0.ok() || !m1.ok() ||
        !m2.ok() || !rhs.ok() || !qc.ok() || !res.ok())
        return 0;
    for (int32_t i = 0; i < n - 1; ++i) {
        h[i] = x[i + 1] - x[i];
        hi[i] = 1.0 / h[i];
    }

    // Unknowns c[1] .. c[n-2] (half the second derivatives), c[0] = c[n-1]
    // = 0: (T + Q' D Q) c = 3 Q' y, with T the natural-spline matrix, Q the
    // second-difference operator and D the point weights. Row j of the band
    // is kept in m0 (diagonal), m1 (j, j+1) and m2 (j, j+2).
    const int32_t inner = n - 2;
    for (int32_t j = 1; j <= inner; ++j) {
        const double qd = -(hi[j - 1] + hi[j]);  // Q(j, j)
        rhs[j] = 3.0 * ((y[j + 1] - y[j]) * hi[j] - (y[j] - y[j - 1]) * hi[j - 1]);
        m0[j] = 2.0 * (h[j - 1] + h[j]) +
                pointWeight * (hi[j - 1] * hi[j - 1] + qd * qd + hi[j] * hi[j]);
        if (j + 1 <= inner) {
            const double qn = -(hi[j] + hi[j + 1]);  // Q(j+1, j+1)
            m1[j] = h[j] + pointWeight * (qd * hi[j] + hi[j] * qn);
        }
        if (j + 2 <= inner) m2[j] = pointWeight * hi[j] * hi[j + 1];
    }

    // Symmetric elimination (LDL'), row by row, no pivoting.
    for (int32_t j = 1; j <= inner; ++j) {
        if (m0[j] == 0.0 && m1[j] == 0.0 && m2[j] == 0.0) return 0;
        if (j - 1 >= 1) {
            const double l1 = m1[j - 1];  // row j-1 already divided: L(j, j-1)
            m0[j] -= l1 * l1 * m0[j - 1];
            if (j + 1 <= inner) m1[j] -= l1 * m2[j - 1] * m0[j - 1];
            rhs[j] -= l1 * rhs[j - 1];
        }
        if (j - 2 >= 1) {
            const double l2 = m2[j - 2];
            m0[j] -= l2 * l2 * m0[j - 2];
            rhs[j] -= l2 * rhs[j - 2];
        }
        if (!(m0[j] > 0.0)) return 0;
        // Store the multipliers of row j for the rows below.
        if (j + 1 <= inner) m1[j] /= m0[j];
        if (j + 2 <= inner) m2[j] /= m0[j];
    }
    for (int32_t j = 1; j <= inner; ++j) rhs[j] /= m0[j];
    for (int32_t j = inner; j >= 1; --j) {
        double v = rhs[j];
        if (j + 1 <= inner) v -= m1[j] * c[j + 1];
        if (j + 2 <= inner) v -= m2[j] * c[j + 2];
        c[j] = v;
    }
    c[0] = 0.0;
    c[n - 1] = 0.0;

    // Smoothed values a = y - (D / 3) Q c, then the other coefficients.
    for (int32_t i = 0; i < n; ++i) {
        double q = 0.0;
        if (i >= 1) q += hi[i - 1] * c[i - 1];
        if (i >= 1 && i <= n - 2) q -= (hi[i - 1] + hi[i]) * c[i];
        if (i <= n - 2) q += hi[i] * c[i + 1];
        qc[i] = q;
        a[i] = y[i] - pointWeight / 3.0 * q;
    }
    for (int32_t i = 0; i < n - 1; ++i) {
        b[i] = (a[i + 1] - a[i]) * hi[i] - h[i] * (2.0 * c[i] + c[i + 1]) / 3.0;
        d[i] = (c[i + 1] - c[i]) / (3.0 * h[i]);
    }

    WorkBlock newX(Blocksize(count)), newY(Blocksize(count));
    if (!newX.ok() || !newY.ok()) return 0;
    const double range = x[n - 1] - x[0];
    int32_t l = 0;
    for (int32_t k = 0; k < count; ++k) {
        const double X = x[0] + k * range / count;
        while (l < n - 2 && X >= x[l + 1]) ++l;
        const double t = X - x[l];
        double v;
        switch (derivative) {
        case 0: v = ((d[l] * t + c[l]) * t + b[l]) * t + a[l]; break;
        case 1: v = (3.0 * d[l] * t + 2.0 * c[l]) * t + b[l]; break;
        case 2: v = 6.0 * d[l] * t + 2.0 * c[l]; break;
        case 3: v = 6.0 * d[l]; break;
        default: v = y[k]; break;
        }
        newX[k] = X;
        newY[k] = v;
    }
    for (int32_t k = 0; k < count; ++k) {
        y[k] = newY[k];
        x[k] = newX[k];
    }
    return count;
}

int32_t def_zelva::BezierSpline(int32_t n, double* points, double* bezier)
{
    const int32_t stride = 200;
    if (n < 1 || 3 * n >= stride) return 0;
    for (int32_t row = 0; row < 3; ++row) {
        const double* p = points + row * stride;
        double* bz = bezier + row * stride;
        for (int32_t j = 1; j <= n - 1; ++j) {
            bz[3 * j - 2] = (2.0 * p[j - 1] + p[j]) / 3.0;
            bz[3 * j] = (4.0 * p[j] + p[j - 1] + p[j + 1]) / 6.0;
            bz[3 * j + 2] = (2.0 * p[j + 1] + p[j]) / 3.0;
        }
        bz[2] = (2.0 * p[1] + p[0]) / 3.0;
        bz[3 * n - 2] = (2.0 * p[n - 1] + p[n]) / 3.0;
        bz[0] = p[0];
        bz[3 * n] = p[n];
    }
    return 1;
}
