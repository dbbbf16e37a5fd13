// Fourier transforms, windows and Fourier filters of def_zelva.
#include "zelva.h"
#include "fft.h"
#include "work_block.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

const double PI = 3.14159265358979323846;

using zelva_detail::WorkBlock;

bool IsPowerOfTwo(int64_t n) { return n >= 1 && (n & (n - 1)) == 0; }

int32_t NextPowerOfTwo(int64_t n)  // smallest power of two, at least 2, not below n
{
    int64_t m = 2;
    while (m < n) m <<= 1;
    return static_cast<int32_t>(m);
}

// Upper tail of the standard normal distribution (Abramowitz and Stegun
// 26.2.16, absolute error below 1e-5).
double NormalTail(double z)
{
    if (z < 0.0) return 1.0 - NormalTail(-z);
    if (z * z >= 50.0) return 0.0;
    const double t = 1.0 / (1.0 + 0.33267 * z);
    return t * (0.4361836 + t * (-0.1201676 + 0.9372980 * t)) * std::exp(-0.5 * z * z) /
           std::sqrt(2.0 * PI);
}

// True when v[0..n-1] are all +0 or -0 (a test of the bits without the
// sign, which compilers vectorise).
bool AllZero(const double* v, int32_t n)
{
    uint64_t bits = 0;
    for (int32_t i = 0; i < n; ++i) {
        uint64_t b;
        std::memcpy(&b, v + i, sizeof b);
        bits |= b << 1;
    }
    return bits == 0;
}

// Forward transform (mode -1 or 0) of a curve without imaginary part: the
// spectrum of n real values by a complex transform of n / 2 points in
// place of y, its (re, im) pairs written into imag and spread from there
// into the curve as StoreFourierArguments writes it. Returns the new point
// count.
int32_t RealForwardTransform(def_zelva& z, double* imag, int32_t mode, FTWINDOW* window, double step)
{
    const int32_t n = z.anzahl;
    double* x = z.xField;
    double* y = z.yField;
    const int32_t half = n / 2;
    if (window) window->origin = x[0];
    const double nyquist = zelva_detail::RealFft(n, 1, y, 1.0 / n, imag);
    if (mode == -1) {
        // Upwards, every pair is read before its place is written.
        z.anzahl = half;
        for (int32_t k = 0; k < half; ++k) {
            y[k] = imag[2 * k];
            imag[k] = imag[2 * k + 1];
        }
        for (int32_t k = 0; k < half; ++k) x[k] = k * step;
    } else {
        // Centred: F[k] at half + k (downwards, for the same reason),
        // F[-k] = conj F[k] at half - k, F[n/2] at 0.
        for (int32_t k = half - 1; k >= 0; --k) {
            y[half + k] = imag[2 * k];
            imag[half + k] = imag[2 * k + 1];
        }
        y[0] = nyquist;
        imag[0] = 0.0;
        for (int32_t k = 1; k < half; ++k) {
            y[half - k] = y[half + k];
            imag[half - k] = -imag[half + k];
        }
        for (int32_t i = 0; i < n; ++i) x[i] = (i - half) * step;
    }
    return z.anzahl;
}

}  // namespace

int32_t def_zelva::Four1(int32_t n, int32_t isign, double* data)
{
    if (!data || !IsPowerOfTwo(n)) return 0;
    zelva_detail::ComplexFft(n, isign > 0 ? 1 : -1, data);
    return 1;
}

int32_t def_zelva::Realft(int32_t n, int32_t isign, double* data)
{
    if (!data || !IsPowerOfTwo(n)) return 0;
    double theta = PI / static_cast<double>(n);
    const double c1 = 0.5;
    double c2;
    if (isign == 1) {
        c2 = -0.5;
        Four1(n, 1, data);
    } else {
        c2 = 0.5;
        theta = -theta;
    }
    double wtemp = std::sin(0.5 * theta);
    const double wpr = -2.0 * wtemp * wtemp;
    const double wpi = std::sin(theta);
    double wr = 1.0 + wpr, wi = wpi;
    const int64_t n2p3 = 2 * static_cast<int64_t>(n) + 3;
    for (int64_t i = 2; i <= n / 2; ++i) {
        // 1-based positions of the published form, shifted to 0-based below.
        const int64_t i1 = i + i - 1, i2 = 1 + i1, i3 = n2p3 - i2, i4 = 1 + i3;
        double& a1 = data[i1 - 1];
        double& a2 = data[i2 - 1];
        double& a3 = data[i3 - 1];
        double& a4 = data[i4 - 1];
        const double h1r = c1 * (a1 + a3);
        const double h1i = c1 * (a2 - a4);
        const double h2r = -c2 * (a2 + a4);
        const double h2i = c2 * (a1 - a3);
        a1 = h1r + wr * h2r - wi * h2i;
        a2 = h1i + wr * h2i + wi * h2r;
        a3 = h1r - wr * h2r + wi * h2i;
        a4 = -h1i + wr * h2i + wi * h2r;
        wr = (wtemp = wr) * wpr - wi * wpi + wr;
        wi = wi * wpr + wtemp * wpi + wi;
    }
    const double h1r = data[0];
    if (isign == 1) {
        data[0] = h1r + data[1];
        data[1] = h1r - data[1];
    } else {
        data[0] = c1 * (h1r + data[1]);
        data[1] = c1 * (h1r - data[1]);
        Four1(n, -1, data);
    }
    return 1;
}

int32_t def_zelva::ChangeWrapAroundOrder(double* re, double* im, double* imag, int32_t mode)
{
    int32_t n = anzahl;
    double* x = xField;
    double* y = yField;
    if (!re || !im || !imag || !x || !y || n < 1) return 0;
    if (mode == 2) {
        // Doubling writes 2n points into the caller's arrays.
        if (n < 2 || 2 * static_cast<int64_t>(n) > GetArrayCapacity()) return 0;
        for (int32_t i = n - 1; i >= 0; --i) x[n + i] = x[i];
        for (int32_t i = 0; i < n; ++i) x[i] = -x[2 * n - 1 - i];
        x[2 * n - 1] = 2.0 * x[2 * n - 2] - x[2 * n - 3];
        for (int32_t i = 0; i < n; ++i) {
            re[i] = 0.0;
            im[i] = 0.0;
            re[n + i] = y[i];
            im[n + i] = imag[i];
        }
        n *= 2;
        anzahl = n;
        for (int32_t i = 0; i < n; ++i) {
            y[i] = re[i];
            imag[i] = im[i];
        }
    }
    if (mode > 0) {
        const int32_t half = n / 2;
        for (int32_t i = 0; i < n; ++i) {
            const int32_t src = i < half ? i + half : i - half;
            re[i] = y[src];
            im[i] = imag[src];
        }
    } else {
        for (int32_t i = 0; i < n; ++i) {
            re[i] = y[i];
            im[i] = imag[i];
        }
    }
    return 1;
}

int32_t def_zelva::DoCommonFFT(double* imag, int32_t mode, FTWINDOW* window, FTWINDOW* range,
                               double power, double step)
{
    const int32_t n = anzahl;
    double* x = xField;
    double* y = yField;
    // A transform length other than a power of two would misread the
    // buffers; mode 2 doubles the curve inside the caller's arrays.
    if (!imag || !x || !y || n < 2 || !IsPowerOfTwo(n)) return 0;
    if (mode == 2 && 2 * static_cast<int64_t>(n) > GetArrayCapacity()) return 0;
    auto applyWindow = [&]() {
        if (mode <= 0) {
            if (window)
                Windowfunction(mode, y, imag, window->windowType, window->upper, window->lower,
                               window->shape);
        } else if (range && (range->lower > x[0] || x[n - 1] > range->upper)) {
            for (int32_t i = 0; i < n; ++i) {
                if (x[i] < 1.00001 * range->lower || x[i] > 0.99999 * range->upper) {
                    y[i] = 0.0;
                    imag[i] = 0.0;
                }
            }
        }
    };

    // A forward transform of a real curve (chi(k)) needs half the work;
    // the window keeps the imaginary part 0.
    if (mode <= 0 && n >= 4 && AllZero(imag, n)) {
        applyWindow();
        return RealForwardTransform(*this, imag, mode, window, step);
    }

    const std::size_t size = static_cast<std::size_t>(mode == 2 ? 2 * n : n) + 5;
    WorkBlock re(size), im(size), buffer(2 * size);
    if (!re.ok() || !im.ok() || !buffer.ok()) return 0;
    applyWindow();
    if (!ChangeWrapAroundOrder(re.get(), im.get(), imag, mode)) return 0;
    const int32_t count = anzahl;
    for (int32_t i = 0; i < count; ++i) {
        buffer[2 * i] = re[i];
        buffer[2 * i + 1] = im[i];
    }
    Four1(count, mode <= 0 ? 1 : -1, buffer.get());
    const double scale = mode <= 0 ? 1.0 / count : 1.0;
    for (int32_t i = 0; i < count; ++i) {
        re[i] = buffer[2 * i] * scale;
        im[i] = buffer[2 * i + 1] * scale;
    }
    StoreFourierArguments(step, re.get(), im.get(), imag, mode, power, window, range);
    return anzahl;
}

int32_t def_zelva::StoreFourierArguments(double step, double* re, double* im, double* imag,
                                         int32_t mode, double power, FTWINDOW* window,
                                         FTWINDOW* range)
{
    double* x = xField;
    double* y = yField;
    const int32_t n = anzahl;
    if (!re || !im || !imag || !x || !y || n < 1) return 1;
    if (mode == -1) {
        if (window) window->origin = x[0];
        anzahl = n / 2;
        for (int32_t i = 0; i < anzahl; ++i) {
            x[i] = i * step;
            y[i] = re[i];
            imag[i] = im[i];
        }
    } else if (mode == 0) {
        if (window) window->origin = x[0];
        for (int32_t i = 0; i < n; ++i) {
            const int32_t d = i - n / 2;
            const int32_t j = d < 0 ? d + n : d;
            x[i] = d * step;
            y[i] = re[j];
            imag[i] = im[j];
        }
    } else {
        const double origin = window ? window->origin : 0.0;
        for (int32_t i = 0; i < n; ++i) {
            x[i] = i * step + origin;
            y[i] = re[i];
            imag[i] = im[i];
            if (mode == 2) {
                y[i] *= 2.0;
                imag[i] *= -2.0;
            }
        }
        if (window)
            Windowfunction(mode, y, imag, window->windowType, window->upper, window->lower,
                           window->shape);
        if (mode == 2 && power > 0.0) {
            for (int32_t i = 0; i < n; ++i) {
                if (x[i] == 0.0) continue;
                const double f = std::pow(x[i], power);
                y[i] /= f;
                imag[i] /= f;
            }
        }
    }
    return 1;
}

int32_t def_zelva::GaussRect(double shape, double upper, double lower, double* w)
{
    const int32_t n = anzahl;
    const double* x = xField;
    if (!w || !x || n < 1) return 1;
    double s = shape / 100.0;
    if (s <= 0.0) s = 0.05;
    for (int32_t i = 0; i < n; ++i) {
        const double t = 1e-4 * std::fabs(x[i]);
        if (lower - t <= x[i] && x[i] <= upper + t)
            w[i] = 1.0 - NormalTail((x[n - 1] - x[i]) / s) - NormalTail((x[i] - x[0]) / s);
        else
            w[i] = 0.0;
    }
    return 1;
}

double def_zelva::Besselfunktion(double x)
{
    const double a = std::fabs(x);
    if (a <= 3.75) {
        const double t = (a / 3.75) * (a / 3.75);
        return 1.0 +
               t * (3.515623 +
                    t * (3.089942 + t * (1.206749 + t * (0.2659732 + t * (0.036068 + 0.0045813 * t))))) +
               2.720858346;
    }
    const double t = 3.75 / a;
    return std::exp(a) / std::sqrt(a) *
           (0.3989423 +
            t * (0.01328592 +
                 t * (0.02225319 +
                      t * (-0.00157565 +
                           t * (0.00916281 +
                                t * (-0.02057706 +
                                     t * (0.12635537 + t * (-0.01647633 + 0.00392377 * t))))))));
}

int32_t def_zelva::Windowfunction(int32_t mode, double* re, double* im, int32_t type,
                                  double upper, double lower, double shape)
{
    const int32_t n = anzahl;
    const double* x = xField;
    if (type < 1 || type > 5 || !re || !x || n < 1) return 1;
    WorkBlock block(static_cast<std::size_t>(n) + 5);
    if (!block.ok()) return 1;
    double* w = block.get();

    if (upper > x[n - 1] && x[n - 1] != 0.0) upper = x[n - 1];
    if (lower < x[0]) lower = x[0];
    auto inside = [&](double v) {
        const double t = 1e-4 * std::fabs(v);
        return lower - t <= v && v <= upper + t;
    };
    const double centre = 0.5 * (upper + lower);
    const double width = upper - lower;

    switch (type) {
    case 1:
        for (int32_t i = 0; i < n; ++i) w[i] = inside(x[i]) ? 1.0 : 0.0;
        break;
    case 2: {
        // A level of 0 or below cannot be reached by a Gaussian: take the
        // same default as for levels above 99.
        double s = shape;
        if (s > 99.0 || s <= 0.0) s = 30.0;
        const double c = 4.0 * std::log(100.0 / s);
        for (int32_t i = 0; i < n; ++i) {
            if (!inside(x[i])) {
                w[i] = 0.0;
            } else if (width == 0.0) {
                w[i] = 1.0;
            } else {
                const double u = (x[i] - centre) / width;
                w[i] = std::exp(-c * u * u);
            }
        }
        break;
    }
    case 3:
        GaussRect(shape, upper, lower, w);
        break;
    case 4: {
        const double s = shape <= 0.0 ? 4.0 : shape;
        const double norm = Besselfunktion(s);
        const double half = 0.5 * width;
        for (int32_t i = 0; i < n; ++i) {
            if (!inside(x[i])) {
                w[i] = 0.0;
                continue;
            }
            const double m = half == 0.0 ? 0.0 : (x[i] - centre) / half;
            const double m2 = m * m;
            w[i] = m2 > 1.0 ? Besselfunktion(0.0) / norm : Besselfunktion(s * std::sqrt(1.0 - m2)) / norm;
        }
        break;
    }
    case 5: {
        const double e = shape > 0.0 ? std::fabs(width) * shape / 100.0 / 2.0 : 0.0;
        for (int32_t i = 0; i < n; ++i) {
            const double v = x[i];
            if (e == 0.0) {
                w[i] = inside(v) ? 1.0 : 0.0;
                continue;
            }
            if (v <= lower - e || v >= upper + e) {
                w[i] = 0.0;
                continue;
            }
            // Product of the two edges: with edges wider than the box they
            // overlap and the window stays continuous.
            double f = 1.0;
            if (v < lower + e) {
                const double s = std::sin((v - lower + e) * PI / (4.0 * e));
                f *= s * s;
            }
            if (v > upper - e) {
                const double c = std::cos((v - upper + e) * PI / (4.0 * e));
                f *= c * c;
            }
            w[i] = f;
        }
        break;
    }
    }

    if (mode >= 1000) {
        for (int32_t i = 0; i < n; ++i) re[i] = w[i];
    } else if (mode <= 0) {
        for (int32_t i = 0; i < n; ++i) {
            re[i] *= w[i];
            if (im) im[i] *= w[i];
        }
    } else {
        for (int32_t i = 0; i < n; ++i) {
            if (w[i] == 0.0) continue;
            re[i] /= w[i];
            if (im) im[i] /= w[i];
        }
    }
    return 1;
}

int32_t def_zelva::Smoothing(int32_t points)
{
    const int32_t n = anzahl;
    double* y = yField;
    if (!y || n < 2) return 0;
    const double pts = points;
    const int32_t m = NextPowerOfTwo(static_cast<int64_t>(n) + 2 * static_cast<int64_t>(std::abs(points)));
    // The padding lives in a block of our own: the caller's array holds
    // only its n points.
    WorkBlock block(static_cast<std::size_t>(m) + 2);
    if (!block.ok()) return 0;
    double* d = block.get();
    const double cnst = (pts / m) * (pts / m);
    const double y1 = y[0], yn = y[n - 1];
    const double rn1 = 1.0 / (n - 1.0);
    for (int32_t j = 0; j < n; ++j) d[j] = y[j] - rn1 * (y1 * (n - 1 - j) + yn * j);
    const int32_t mo2 = m / 2;
    Realft(mo2, 1, d);
    d[0] /= mo2;
    double fac = 1.0;
    for (int32_t k = 1; k < mo2; ++k) {
        if (fac != 0.0) {
            fac = (1.0 - cnst * k * k) / mo2;
            if (fac < 0.0) fac = 0.0;
            d[2 * k] *= fac;
            d[2 * k + 1] *= fac;
        } else {
            d[2 * k] = d[2 * k + 1] = 0.0;
        }
    }
    fac = (1.0 - 0.25 * pts * pts) / mo2;
    d[1] *= fac < 0.0 ? 0.0 : fac;
    Realft(mo2, -1, d);
    for (int32_t j = 0; j < n; ++j) y[j] = d[j] + rn1 * (y1 * (n - 1 - j) + yn * j);
    return 0;
}

int32_t def_zelva::Convolution(double* response, int32_t mode)
{
    const int32_t n = anzahl;
    double* y = yField;
    if (!y || !response || n < 1) return 0;
    // The response covers lags -(len/2 - 1) .. len/2. Both sides are padded
    // to twice that length, so that the end of the curve cannot wrap into
    // its start: the result is the linear convolution for every n.
    const int32_t len = NextPowerOfTwo(n);
    const int32_t half = len / 2;
    const std::size_t full = 2 * static_cast<std::size_t>(len);
    WorkBlock data(full + 2), resp(full + 2);
    if (!data.ok() || !resp.ok()) return 0;
    for (int32_t i = 0; i < n; ++i) data[i] = y[i];
    for (int32_t i = 0; i <= half; ++i) resp[i] = response[i];
    for (int32_t i = half + 1; i < len; ++i) resp[len + i] = response[i];
    Realft(len, 1, data.get());
    Realft(len, 1, resp.get());
    // Realft's inverse returns len times the input.
    const double scale = 1.0 / len;
    // data[0] and data[1] are the real DC and Nyquist terms.
    for (int32_t k = 0; k < 2; ++k) {
        if (mode > 0)
            data[k] *= resp[k];
        else
            data[k] = resp[k] == 0.0 ? 0.0 : data[k] / resp[k];
        data[k] *= scale;
    }
    for (std::size_t k = 2; k < full; k += 2) {
        const double ar = data[k], ai = data[k + 1];
        const double rr = resp[k], ri = resp[k + 1];
        double pr, pi;
        if (mode > 0) {
            pr = ar * rr - ai * ri;
            pi = ar * ri + ai * rr;
        } else {
            const double den = rr * rr + ri * ri;
            if (den == 0.0) {
                pr = pi = 0.0;  // nothing of this frequency survived the response
            } else {
                pr = (ar * rr + ai * ri) / den;
                pi = (ai * rr - ar * ri) / den;
            }
        }
        data[k] = pr * scale;
        data[k + 1] = pi * scale;
    }
    Realft(len, -1, data.get());
    for (int32_t i = 0; i < n; ++i) y[i] = data[i];
    return len;
}

namespace {

// Discrete Fourier transform of any length n by the chirp-z identity
// jk = (j^2 + k^2 - (j - k)^2) / 2: X[j] = sum over k of x[k]
// exp(sign 2 pi i jk / n) becomes a convolution of length m (a power of
// two, at least 2n - 1) done with three transforms of the library's FFT.
// x and out hold n complex points as (re, im) pairs; false when the work
// blocks cannot be had.
bool ChirpDft(int64_t n, int sign, const double* x, double* out)
{
    int64_t m = 1;
    while (m < 2 * n - 1) m <<= 1;
    const std::size_t sm = static_cast<std::size_t>(m), sn = static_cast<std::size_t>(n);
    WorkBlock a(2 * sm), b(2 * sm), chirp(2 * sn);
    if (!a.ok() || !b.ok() || !chirp.ok()) return false;
    // k^2 mod 2n keeps the angle exact for long patterns.
    for (int64_t k = 0; k < n; ++k) {
        const int64_t q = (k * k) % (2 * n);
        const double w = PI * static_cast<double>(q) / static_cast<double>(n);
        chirp[2 * k] = std::cos(w);
        chirp[2 * k + 1] = sign * std::sin(w);
    }
    for (int64_t k = 0; k < n; ++k) {
        const double cr = chirp[2 * k], ci = chirp[2 * k + 1];
        a[2 * k] = x[2 * k] * cr - x[2 * k + 1] * ci;
        a[2 * k + 1] = x[2 * k] * ci + x[2 * k + 1] * cr;
        // b holds the conjugate chirp at lags k and -k.
        b[2 * k] = cr;
        b[2 * k + 1] = -ci;
        if (k > 0) {
            b[2 * (m - k)] = cr;
            b[2 * (m - k) + 1] = -ci;
        }
    }
    zelva_detail::ComplexFft(m, -1, a.get());
    zelva_detail::ComplexFft(m, -1, b.get());
    for (std::size_t k = 0; k < sm; ++k) {
        const double re = a[2 * k] * b[2 * k] - a[2 * k + 1] * b[2 * k + 1];
        const double im = a[2 * k] * b[2 * k + 1] + a[2 * k + 1] * b[2 * k];
        a[2 * k] = re;
        a[2 * k + 1] = im;
    }
    zelva_detail::ComplexFft(m, 1, a.get());
    const double scale = 1.0 / static_cast<double>(m);
    for (int64_t j = 0; j < n; ++j) {
        const double re = a[2 * j] * scale, im = a[2 * j + 1] * scale;
        const double cr = chirp[2 * j], ci = chirp[2 * j + 1];
        out[2 * j] = re * cr - im * ci;
        out[2 * j + 1] = re * ci + im * cr;
    }
    return true;
}

}  // namespace

double def_zelva::StokesCorrection(int32_t, double*, double* instrument, double* xOut, double* fOut)
{
    const int32_t n = anzahl;
    const double* x = xField;
    const double* y = yField;
    if (!instrument || !xOut || !fOut || !x || !y || n < 1) return 1.0;
    const std::size_t sn = static_cast<std::size_t>(n);
    WorkBlock g(2 * sn), h(2 * sn), f(2 * sn), r(2 * sn);
    if (!g.ok() || !h.ok() || !f.ok() || !r.ok()) return 1.0;
    for (std::size_t k = 0; k < sn; ++k) {
        g[2 * k] = y[k];
        h[2 * k] = instrument[k];
    }
    // Spectra of sample and instrument, sum of v[k] exp(+2 pi i jk / n) / n.
    if (!ChirpDft(n, 1, g.get(), g.get()) || !ChirpDft(n, 1, h.get(), h.get())) return 1.0;
    double hmax = 0.0;
    for (std::size_t j = 0; j < sn; ++j) hmax = std::max(hmax, std::hypot(h[2 * j], h[2 * j + 1]));
    // A frequency the instrument does not carry cannot be restored; one
    // that it carries only at the rounding level of its largest would
    // bring back nothing but rounding noise, raised by 1e13 and more.
    const double grenze = 1e-13 * hmax;
    for (std::size_t j = 0; j < sn; ++j) {
        const double gc = g[2 * j] / n, gs = g[2 * j + 1] / n;
        const double hc = h[2 * j] / n, hs = h[2 * j + 1] / n;
        const double h2 = hc * hc + hs * hs;
        if (h2 == 0.0 || std::sqrt(h2) * n <= grenze) continue;
        f[2 * j] = (gc * hc + gs * hs) / h2;
        f[2 * j + 1] = (gs * hc - gc * hs) / h2;
    }
    // Back: the real part of sum over j of F[j] exp(-2 pi i ij / n) / n.
    if (!ChirpDft(n, -1, f.get(), r.get())) return 1.0;
    for (int32_t i = 0; i < n; ++i) {
        fOut[i] = r[2 * static_cast<std::size_t>(i)] / n;
        xOut[i] = x[i];
    }
    for (int32_t i = 0; i < n / 2; ++i) std::swap(fOut[i], fOut[i + n / 2]);
    double maximum = -1e10;
    for (int32_t i = 0; i < n; ++i) maximum = std::max(maximum, fOut[i]);
    if (maximum != 0.0)
        for (int32_t i = 0; i < n; ++i) fOut[i] /= maximum;
    return 1.0;
}

int32_t def_zelva::FastFourier(int32_t n, int32_t direction, double* data)
{
    if (!data || !IsPowerOfTwo(n)) return 0;
    int32_t bits = 0;
    while ((int64_t{1} << bits) < n) ++bits;
    const std::size_t sn = static_cast<std::size_t>(n);
    WorkBlock re(sn), im(sn);
    if (!re.ok() || !im.ok()) return 0;
    const double scale = direction <= 0 ? 1.0 / n : 1.0;
    for (int32_t i = 0; i < n; ++i) {
        int32_t r = 0;
        for (int32_t b = 0; b < bits; ++b)
            if (i & (1 << b)) r |= 1 << (bits - 1 - b);
        re[r] = data[2 * i] * scale;
        im[r] = data[2 * i + 1] * scale;
    }
    const double sign = direction < 1 ? -1.0 : 1.0;
    const double rootRe = std::cos(2.0 * PI / n), rootIm = sign * std::sin(2.0 * PI / n);
    for (int32_t len = 2; len <= n; len <<= 1) {
        // The stage's root is the base root to the power n / len.
        double wr = rootRe, wi = rootIm;
        for (int32_t p = n / len; p > 1; p >>= 1) {
            const double t = wr * wr - wi * wi;
            wi = 2.0 * wr * wi;
            wr = t;
        }
        for (int32_t start = 0; start < n; start += len) {
            double cr = 1.0, ci = 0.0;
            for (int32_t k = 0; k < len / 2; ++k) {
                const int32_t a = start + k, b = a + len / 2;
                const double tr = cr * re[b] - ci * im[b];
                const double ti = cr * im[b] + ci * re[b];
                re[b] = re[a] - tr;
                im[b] = im[a] - ti;
                re[a] += tr;
                im[a] += ti;
                const double t = cr * wr - ci * wi;
                ci = cr * wi + ci * wr;
                cr = t;
            }
        }
    }
    for (int32_t i = 0; i < n; ++i) {
        data[2 * i] = re[i];
        data[2 * i + 1] = im[i];
    }
    return 1;
}

int32_t def_zelva::rfft(int32_t n, int32_t mode, double* data)
{
    const int32_t points = n / 2;
    if (!data || n < 2 || n % 2 != 0 || !IsPowerOfTwo(points)) return 0;
    const int32_t sign = (mode % 2 != 0) ? 1 : -1;
    Four1(points, sign, data);
    const double scale = mode == 1 ? 1.0 : 2.0 / n;
    for (int32_t i = 0; i < n; ++i) data[i] *= scale;
    if (mode != 0) return n;
    // Split the transform of the packed even/odd samples into the spectrum
    // of the n real values: F(k) / n = (Z(k) + Z*(N-k)) / 4
    //   + exp(-2 pi i k / n) (Z(k) - Z*(N-k)) / (4i).
    WorkBlock z(static_cast<std::size_t>(n));
    if (!z.ok()) return 0;
    for (int32_t i = 0; i < n; ++i) z[i] = data[i];
    const double a = z[0], b = z[1];
    data[0] = 0.5 * (a + b);
    data[1] = 0.5 * (a - b);
    for (int32_t k = 1; k < points; ++k) {
        const double zr = z[2 * k], zi = z[2 * k + 1];
        const double cr = z[2 * (points - k)], ci = -z[2 * (points - k) + 1];
        const double er = 0.25 * (zr + cr), ei = 0.25 * (zi + ci);
        // (Z - Z*) / (4i)
        const double dr = 0.25 * (zi - ci), di = -0.25 * (zr - cr);
        const double angle = -2.0 * PI * k / n;
        const double wr = std::cos(angle), wi = std::sin(angle);
        data[2 * k] = er + wr * dr - wi * di;
        data[2 * k + 1] = ei + wr * di + wi * dr;
    }
    return n;
}

double def_zelva::FourierSerie(int32_t n, double* c, double& re, double& im, double x)
{
    re = 0.0;
    im = 0.0;
    if (!c || n < 1) return 1.0;
    for (int32_t i = 0; i < n; ++i) {
        const double angle = 2.0 * PI * i * x / n;
        re += c[i] * std::cos(angle);
        im += c[i] * std::sin(angle);
    }
    re /= n;
    im /= n;
    return 1.0;
}
