// Complex FFT: the first stage (radix 4, or radix 2 for odd powers of
// two) on the data in natural order, the bit-reversal by a table of swaps,
// then radix-4 decimation-in-time steps, breadth first inside blocks that
// fit the first-level cache and depth first above them, so that no stage
// walks the whole array with power-of-two strides for every twiddle. The
// twiddle factors come from tables made once per step length from the
// first octant of the unit circle, correctly rounded instead of carrying a
// recurrence's error.
#include "fft.h"

#include <cmath>
#include <cstddef>
#include <new>
#include <utility>
#include <vector>

#if !defined(ZELVA_FFT_PORTABLE) && \
    (defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2))
#define ZELVA_FFT_SSE2 1
#include <emmintrin.h>
#if defined(__GNUC__) && defined(__x86_64__)
// GCC and Clang compile single functions for AVX and tell at run time
// whether the processor has it.
#define ZELVA_FFT_AVX 1
#include <immintrin.h>
#endif
#endif

namespace zelva_detail {

namespace {

const double PI = 3.14159265358979323846;

// Bit counts above this use the recurrence: no tables for 2^24 points.
const int MAX_TABLE_BITS = 24;

// Blocks of up to 2^BLOCK_BITS points are transformed stage by stage.
const int BLOCK_BITS = 11;

// cos and sin of 2 pi j / m (m a power of two, at least 4), reduced to the
// first octant.
void UnitRoot(int64_t j, int64_t m, double& c, double& s)
{
    const int64_t quarter = m / 4;
    j &= m - 1;
    const int64_t q = j / quarter;
    const int64_t r = j - q * quarter;
    double cr, sr;
    if (2 * r <= quarter) {
        const double a = (PI / 2) * (static_cast<double>(r) / static_cast<double>(quarter));
        cr = std::cos(a);
        sr = std::sin(a);
    } else {
        const double a = (PI / 2) * (static_cast<double>(quarter - r) / static_cast<double>(quarter));
        cr = std::sin(a);
        sr = std::cos(a);
    }
    switch (q) {
    case 0: c = cr; s = sr; break;
    case 1: c = -sr; s = cr; break;
    case 2: c = -cr; s = -sr; break;
    default: c = sr; s = -cr; break;
    }
}

struct Tables {
    // By sign (0: -1, 1: +1) and log2 m: the roots w^k, w^2k, w^3k of
    // w = exp(sign 2 pi i / m) for k below q = m / 4, as six arrays of 2q
    // doubles: (cos, cos) of w^k for every k, then (-sin, sin) of w^k, then
    // the same of w^2k and of w^3k. A pair times the first plus the swapped
    // pair times the second is the complex product.
    std::vector<double> twiddles[2][MAX_TABLE_BITS + 1];
    // By log2 n: the pairs (i, j), i < j, of the bit-reversal permutation.
    std::vector<uint32_t> swaps[MAX_TABLE_BITS + 1];
};

Tables& Cache()
{
    static Tables tables;
    return tables;
}

// May throw std::bad_alloc.
const double* Twiddles(int sign, int bits)
{
    std::vector<double>& t = Cache().twiddles[sign > 0][bits];
    if (t.empty()) {
        const int64_t m = int64_t{1} << bits, q = m / 4;
        std::vector<double> v(static_cast<std::size_t>(12 * q));
        for (int p = 1; p <= 3; ++p) {
            double* re = v.data() + 4 * q * (p - 1);
            double* im = re + 2 * q;
            for (int64_t k = 0; k < q; ++k) {
                double c, s;
                UnitRoot(p * k, m, c, s);
                if (sign < 0) s = -s;
                re[2 * k] = re[2 * k + 1] = c;
                im[2 * k] = -s;
                im[2 * k + 1] = s;
            }
        }
        t.swap(v);
    }
    return t.data();
}

// May throw std::bad_alloc.
const std::vector<uint32_t>& Swaps(int bits)
{
    std::vector<uint32_t>& t = Cache().swaps[bits];
    if (t.empty() && bits >= 2) {
        const uint32_t n = uint32_t{1} << bits;
        std::vector<uint32_t> v;
        v.reserve(n);
        for (uint32_t i = 0; i < n; ++i) {
            uint32_t r = 0;
            for (int b = 0; b < bits; ++b)
                if (i & (uint32_t{1} << b)) r |= uint32_t{1} << (bits - 1 - b);
            if (i < r) {
                v.push_back(i);
                v.push_back(r);
            }
        }
        t.swap(v);
    }
    return t;
}

// Complex arithmetic on (re, im) pairs. Mul(a, re, im) multiplies by a
// root of the table; `mask` carries the sign of the transform: MulI(a)
// gives i a for +1 and -i a for -1.
#if defined(ZELVA_FFT_SSE2)
struct Ops {
    using V = __m128d;
    using Mask = __m128d;
    static Mask MakeMask(int sign) { return sign > 0 ? _mm_set_pd(0.0, -0.0) : _mm_set_pd(-0.0, 0.0); }
    static V Load(const double* p) { return _mm_loadu_pd(p); }
    static void Store(double* p, V v) { _mm_storeu_pd(p, v); }
    static V Add(V a, V b) { return _mm_add_pd(a, b); }
    static V Sub(V a, V b) { return _mm_sub_pd(a, b); }
    static V Mul(V a, const double* re, const double* im)
    {
        const V swapped = _mm_shuffle_pd(a, a, 1);
        return _mm_add_pd(_mm_mul_pd(a, _mm_loadu_pd(re)), _mm_mul_pd(swapped, _mm_loadu_pd(im)));
    }
    static V MulI(V a, Mask mask) { return _mm_xor_pd(_mm_shuffle_pd(a, a, 1), mask); }
    static V Scale(V a, double f) { return _mm_mul_pd(a, _mm_set1_pd(f)); }
    static V Conj(V a) { return _mm_xor_pd(a, _mm_set_pd(-0.0, 0.0)); }
    static V MulNegI(V a) { return _mm_xor_pd(_mm_shuffle_pd(a, a, 1), _mm_set_pd(-0.0, 0.0)); }
};
#else
struct Ops {
    struct V {
        double re, im;
    };
    using Mask = double;  // the sign
    static Mask MakeMask(int sign) { return sign > 0 ? 1.0 : -1.0; }
    static V Load(const double* p) { return V{p[0], p[1]}; }
    static void Store(double* p, V v)
    {
        p[0] = v.re;
        p[1] = v.im;
    }
    static V Add(V a, V b) { return V{a.re + b.re, a.im + b.im}; }
    static V Sub(V a, V b) { return V{a.re - b.re, a.im - b.im}; }
    static V Mul(V a, const double* re, const double* im)
    {
        return V{a.re * re[0] + a.im * im[0], a.im * re[1] + a.re * im[1]};
    }
    static V MulI(V a, Mask sign) { return V{-sign * a.im, sign * a.re}; }
    static V Scale(V a, double f) { return V{a.re * f, a.im * f}; }
    static V Conj(V a) { return V{a.re, -a.im}; }
    static V MulNegI(V a) { return V{a.im, -a.re}; }
};
#endif

using V = Ops::V;
using Mask = Ops::Mask;

void BitReverse(double* d, const std::vector<uint32_t>& swaps)
{
    const uint32_t* s = swaps.data();
    const std::size_t count = swaps.size();
    for (std::size_t p = 0; p < count; p += 2) {
        double* a = d + 2 * static_cast<std::size_t>(s[p]);
        double* b = d + 2 * static_cast<std::size_t>(s[p + 1]);
        const V va = Ops::Load(a), vb = Ops::Load(b);
        Ops::Store(a, vb);
        Ops::Store(b, va);
    }
}

// The first stage runs on the data in natural order, before the
// bit-reversal, where its operands lie in long contiguous runs.
// Odd powers of two: radix 2 on x[j] and x[j + n/2]; after the
// bit-reversal the two results are neighbours.
void Radix2(double* d, int64_t n)
{
    double* h = d + n;
    for (int64_t j = 0; j < n; j += 2) {
        const V a = Ops::Load(d + j), b = Ops::Load(h + j);
        Ops::Store(d + j, Ops::Add(a, b));
        Ops::Store(h + j, Ops::Sub(a, b));
    }
}

// Even powers of two: radix 4 on x[j + r n/4], r = 0 .. 3; the results go
// where the bit-reversal takes them to four neighbouring places.
void Radix4(double* d, int64_t n, Mask mask)
{
    const int64_t q = n / 4;
    double* p1 = d + 2 * q;
    double* p2 = d + 4 * q;
    double* p3 = d + 6 * q;
    for (int64_t j = 0; j < 2 * q; j += 2) {
        const V a0 = Ops::Load(d + j), a1 = Ops::Load(p1 + j), a2 = Ops::Load(p2 + j), a3 = Ops::Load(p3 + j);
        const V t0 = Ops::Add(a0, a2), t1 = Ops::Sub(a0, a2);
        const V t2 = Ops::Add(a1, a3), t3 = Ops::MulI(Ops::Sub(a1, a3), mask);
        Ops::Store(d + j, Ops::Add(t0, t2));
        Ops::Store(p2 + j, Ops::Add(t1, t3));
        Ops::Store(p1 + j, Ops::Sub(t0, t2));
        Ops::Store(p3 + j, Ops::Sub(t1, t3));
    }
}

// Radix-4 step of length m on each block of length m in the first count
// points: the four quarters of a block hold the transforms of length m / 4
// of the residues 0, 2, 1, 3.
// The quarters of a block of length m and the parts of its twiddle table:
// the real and imaginary rows of w^k, w^2k and w^3k.
struct StepPointers {
    StepPointers(double* d, int64_t m, const double* tw) : half(m / 2)
    {
        for (int r = 0; r < 4; ++r) p[r] = d + r * half;
        for (int r = 0; r < 6; ++r) w[r] = tw + r * half;
    }
    int64_t half;  // doubles per quarter
    double* p[4];
    const double* w[6];
};

void Combine(double* d, int64_t count, int64_t m, const double* tw, Mask mask)
{
    for (int64_t start = 0; start < count; start += m) {
        const StepPointers s(d + 2 * start, m, tw);
        for (int64_t k = 0; k < s.half; k += 2) {
            const V a0 = Ops::Load(s.p[0] + k);
            const V b1 = Ops::Mul(Ops::Load(s.p[2] + k), s.w[0] + k, s.w[1] + k);
            const V b2 = Ops::Mul(Ops::Load(s.p[1] + k), s.w[2] + k, s.w[3] + k);
            const V b3 = Ops::Mul(Ops::Load(s.p[3] + k), s.w[4] + k, s.w[5] + k);
            const V t0 = Ops::Add(a0, b2), t1 = Ops::Sub(a0, b2);
            const V t2 = Ops::Add(b1, b3), t3 = Ops::MulI(Ops::Sub(b1, b3), mask);
            Ops::Store(s.p[0] + k, Ops::Add(t0, t2));
            Ops::Store(s.p[1] + k, Ops::Add(t1, t3));
            Ops::Store(s.p[2] + k, Ops::Sub(t0, t2));
            Ops::Store(s.p[3] + k, Ops::Sub(t1, t3));
        }
    }
}

#if defined(ZELVA_FFT_AVX)
// The same step on two points at a time (q is even from length 8 on), for
// processors with AVX; the same operations in the same order, so the
// results do not depend on the processor.
__attribute__((target("avx"), always_inline)) inline __m256d MulAvx(__m256d a, const double* re,
                                                                    const double* im)
{
    const __m256d swapped = _mm256_permute_pd(a, 5);
    return _mm256_add_pd(_mm256_mul_pd(a, _mm256_loadu_pd(re)), _mm256_mul_pd(swapped, _mm256_loadu_pd(im)));
}

__attribute__((target("avx"))) __m256d SignMaskAvx(int sign)
{
    return sign > 0 ? _mm256_set_pd(0.0, -0.0, 0.0, -0.0) : _mm256_set_pd(-0.0, 0.0, -0.0, 0.0);
}

__attribute__((target("avx"))) void CombineAvx(double* d, int64_t count, int64_t m, const double* tw,
                                               int sign)
{
    const __m256d mask = SignMaskAvx(sign);
    for (int64_t start = 0; start < count; start += m) {
        const StepPointers s(d + 2 * start, m, tw);
        for (int64_t k = 0; k < s.half; k += 4) {
            const __m256d a0 = _mm256_loadu_pd(s.p[0] + k);
            const __m256d b1 = MulAvx(_mm256_loadu_pd(s.p[2] + k), s.w[0] + k, s.w[1] + k);
            const __m256d b2 = MulAvx(_mm256_loadu_pd(s.p[1] + k), s.w[2] + k, s.w[3] + k);
            const __m256d b3 = MulAvx(_mm256_loadu_pd(s.p[3] + k), s.w[4] + k, s.w[5] + k);
            const __m256d t0 = _mm256_add_pd(a0, b2), t1 = _mm256_sub_pd(a0, b2);
            const __m256d t2 = _mm256_add_pd(b1, b3);
            const __m256d t3 = _mm256_xor_pd(_mm256_permute_pd(_mm256_sub_pd(b1, b3), 5), mask);
            _mm256_storeu_pd(s.p[0] + k, _mm256_add_pd(t0, t2));
            _mm256_storeu_pd(s.p[1] + k, _mm256_add_pd(t1, t3));
            _mm256_storeu_pd(s.p[2] + k, _mm256_sub_pd(t0, t2));
            _mm256_storeu_pd(s.p[3] + k, _mm256_sub_pd(t1, t3));
        }
    }
}

__attribute__((target("avx"))) void Radix2Avx(double* d, int64_t n)
{
    double* h = d + n;
    for (int64_t j = 0; j < n; j += 4) {
        const __m256d a = _mm256_loadu_pd(d + j), b = _mm256_loadu_pd(h + j);
        _mm256_storeu_pd(d + j, _mm256_add_pd(a, b));
        _mm256_storeu_pd(h + j, _mm256_sub_pd(a, b));
    }
}

__attribute__((target("avx"))) void Radix4Avx(double* d, int64_t n, int sign)
{
    const int64_t q = n / 4;
    double* p1 = d + 2 * q;
    double* p2 = d + 4 * q;
    double* p3 = d + 6 * q;
    const __m256d mask = SignMaskAvx(sign);
    for (int64_t j = 0; j < 2 * q; j += 4) {
        const __m256d a0 = _mm256_loadu_pd(d + j), a1 = _mm256_loadu_pd(p1 + j);
        const __m256d a2 = _mm256_loadu_pd(p2 + j), a3 = _mm256_loadu_pd(p3 + j);
        const __m256d t0 = _mm256_add_pd(a0, a2), t1 = _mm256_sub_pd(a0, a2);
        const __m256d t2 = _mm256_add_pd(a1, a3);
        const __m256d t3 = _mm256_xor_pd(_mm256_permute_pd(_mm256_sub_pd(a1, a3), 5), mask);
        _mm256_storeu_pd(d + j, _mm256_add_pd(t0, t2));
        _mm256_storeu_pd(p2 + j, _mm256_add_pd(t1, t3));
        _mm256_storeu_pd(p1 + j, _mm256_sub_pd(t0, t2));
        _mm256_storeu_pd(p3 + j, _mm256_sub_pd(t1, t3));
    }
}

bool HasAvx()
{
    static const bool avx = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx") != 0;
    }();
    return avx;
}
#endif

// The first stage over the whole array (natural order), by the widest
// arithmetic the processor has.
void FirstStage(double* d, int bits, int sign, Mask mask)
{
    const int64_t n = int64_t{1} << bits;
#if defined(ZELVA_FFT_AVX)
    if (HasAvx() && bits >= 3) {
        if (bits % 2)
            Radix2Avx(d, n);
        else
            Radix4Avx(d, n, sign);
        return;
    }
#endif
    if (bits % 2)
        Radix2(d, n);
    else
        Radix4(d, n, mask);
}

// One radix-4 step on a block, by the widest arithmetic the processor has.
void Step(double* d, int64_t count, int64_t m, const double* tw, int sign, Mask mask)
{
#if defined(ZELVA_FFT_AVX)
    if (HasAvx()) {
        CombineAvx(d, count, m, tw, sign);
        return;
    }
#endif
    Combine(d, count, m, tw, mask);
}

// Transform of a bit-reversed block of 2^bits points after its first
// stage; tw[b] is the table of the step of length 2^b.
void Transform(double* d, int bits, const double* const* tw, int sign, Mask mask)
{
    const int64_t n = int64_t{1} << bits;
    if (bits > BLOCK_BITS) {
        const int64_t q = n / 4;
        for (int r = 0; r < 4; ++r) Transform(d + 2 * r * q, bits - 2, tw, sign, mask);
        Step(d, n, n, tw[bits], sign, mask);
        return;
    }
    // The first stage (radix 2 or 4) is done.
    for (int b = bits % 2 ? 3 : 4; b <= bits; b += 2) Step(d, n, int64_t{1} << b, tw[b], sign, mask);
}

}  // namespace

void ComplexFft(int64_t n, int sign, double* data)
{
    if (n < 2) return;
    int bits = 0;
    while ((int64_t{1} << bits) < n) ++bits;
    if (bits > MAX_TABLE_BITS) {
        ComplexFftRecurrence(n, sign, data);
        return;
    }
    const double* tw[MAX_TABLE_BITS + 1] = {};
    const std::vector<uint32_t>* swaps = nullptr;
    try {
        for (int b = bits; b >= 3; b -= 2) tw[b] = Twiddles(sign, b);
        swaps = &Swaps(bits);
    } catch (const std::bad_alloc&) {
        ComplexFftRecurrence(n, sign, data);
        return;
    }
    const Mask mask = Ops::MakeMask(sign);
    FirstStage(data, bits, sign, mask);
    BitReverse(data, *swaps);
    Transform(data, bits, tw, sign, mask);
}

double RealFft(int64_t n, int sign, double* x, double scale, double* out)
{
    const int64_t half = n / 2, quarter = n / 4;
    ComplexFft(half, sign, x);
    // z[j] = x[2j] + i x[2j+1] has the transform Z = E + i O of the even and
    // odd samples: E[k] = (Z[k] + conj Z[N-k]) / 2, O[k] = (Z[k] - conj
    // Z[N-k]) / 2i, and F[k] = E[k] + w^k O[k], F[N-k] = conj(E[k] - w^k O[k])
    // with w = exp(sign 2 pi i / n), N = n / 2.
    int bits = 0;
    while ((int64_t{1} << bits) < n) ++bits;
    const double* w = nullptr;
    if (bits <= MAX_TABLE_BITS) {
        try {
            w = Twiddles(sign, bits);  // (cos, cos), then (-sin, sin) of w^k, k < n / 4
        } catch (const std::bad_alloc&) {
            w = nullptr;
        }
    }
    const double h = 0.5 * scale;
    out[0] = scale * (x[0] + x[1]);
    out[1] = 0.0;
    const double nyquist = scale * (x[0] - x[1]);
    // At k = N/2 the root is sign i: F = Re Z[N/2] + sign i Im Z[N/2].
    out[2 * quarter] = scale * x[2 * quarter];
    out[2 * quarter + 1] = sign * (scale * x[2 * quarter + 1]);
    if (!w) {
        for (int64_t k = 1; k < quarter; ++k) {
            const double* a = x + 2 * k;
            const double* b = x + 2 * (half - k);
            const double er = h * (a[0] + b[0]), ei = h * (a[1] - b[1]);
            const double orr = h * (a[1] + b[1]), oi = h * (b[0] - a[0]);
            const double angle = 2.0 * PI * static_cast<double>(k) / static_cast<double>(n);
            const double c = std::cos(angle), s = sign * std::sin(angle);
            const double tr = c * orr - s * oi, ti = c * oi + s * orr;
            out[2 * k] = er + tr;
            out[2 * k + 1] = ei + ti;
            out[2 * (half - k)] = er - tr;
            out[2 * (half - k) + 1] = ti - ei;
        }
        return nyquist;
    }
    const double* wr = w;
    const double* wi = w + 2 * quarter;
    for (int64_t k = 1; k < quarter; ++k) {
        const V a = Ops::Load(x + 2 * k);
        const V cb = Ops::Conj(Ops::Load(x + 2 * (half - k)));
        const V e = Ops::Scale(Ops::Add(a, cb), h);
        const V o = Ops::Scale(Ops::MulNegI(Ops::Sub(a, cb)), h);
        const V t = Ops::Mul(o, wr + 2 * k, wi + 2 * k);
        Ops::Store(out + 2 * k, Ops::Add(e, t));
        Ops::Store(out + 2 * (half - k), Ops::Conj(Ops::Sub(e, t)));
    }
    return nyquist;
}

void ComplexFftRecurrence(int64_t n, int sign, double* data)
{
    const int64_t nn = 2 * n;
    int64_t j = 0;
    for (int64_t i = 0; i < nn; i += 2) {
        if (j > i) {
            std::swap(data[j], data[i]);
            std::swap(data[j + 1], data[i + 1]);
        }
        int64_t m = n;
        while (m >= 2 && j >= m) {
            j -= m;
            m >>= 1;
        }
        j += m;
    }
    int64_t mmax = 2;
    while (nn > mmax) {
        const int64_t istep = mmax << 1;
        const double theta = sign * (2.0 * PI / static_cast<double>(mmax));
        double wtemp = std::sin(0.5 * theta);
        const double wpr = -2.0 * wtemp * wtemp;
        const double wpi = std::sin(theta);
        double wr = 1.0, wi = 0.0;
        for (int64_t m = 0; m < mmax; m += 2) {
            for (int64_t i = m; i < nn; i += istep) {
                const int64_t k = i + mmax;
                const double tempr = wr * data[k] - wi * data[k + 1];
                const double tempi = wr * data[k + 1] + wi * data[k];
                data[k] = data[i] - tempr;
                data[k + 1] = data[i + 1] - tempi;
                data[i] += tempr;
                data[i + 1] += tempi;
            }
            wr = (wtemp = wr) * wpr - wi * wpi + wr;
            wi = wi * wpr + wtemp * wpi + wi;
        }
        mmax = istep;
    }
}

}  // namespace zelva_detail
