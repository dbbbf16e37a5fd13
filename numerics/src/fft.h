// The complex transform behind Four1, Realft and the Fourier members:
// radix-4 stages on bit-reversed data with cached twiddle and bit-reversal
// tables, two doubles at a time where the processor has SSE2.
#ifndef ZELVA_FFT_H
#define ZELVA_FFT_H

#include <cstdint>

namespace zelva_detail {

// Transforms n complex points (n a power of two, at least 1; 2n doubles,
// real and imaginary part alternating) in place: X[k] = sum over j of
// x[j] exp(sign 2 pi i jk / n), sign +1 or -1, unscaled. The tables of a
// length are made at its first use and kept (the library runs on one
// thread).
void ComplexFft(int64_t n, int sign, double* data);

// Spectrum F[k] = sum over j of x[j] exp(sign 2 pi i jk / n) of n real
// values x (n a power of two, at least 4; the block is used as workspace)
// by a complex transform of n / 2 points: out receives scale F[k] for k
// below n / 2 as (re, im) pairs (n doubles apart from x); returns
// scale F[n/2], which is real. Above n / 2, F[k] = conj F[n - k].
double RealFft(int64_t n, int sign, double* x, double scale, double* out);

// The same transform by the radix-2 trigonometric recurrence on the data
// alone; ComplexFft falls back to it when its tables cannot be had.
void ComplexFftRecurrence(int64_t n, int sign, double* data);

}  // namespace zelva_detail

#endif
