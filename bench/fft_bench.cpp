// Forward transforms beside FFTW (estimated plans), n = 512 ... 32768:
// the complex Four1 against FFTW's complex transform in place, and the
// forward chi(k) transform of DoCommonFFT (mode -1, real input, no window)
// against FFTW's complex transform of the same length.
#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "zelva.h"

namespace {

// The timed loops transform one buffer again and again, with no pause of
// the timer: every transform multiplies the values by at most n, so the
// buffer starts near 1e-140 and is refilled from the input (a copy, on both
// sides alike) before the values could leave the range of doubles.
int RefillEvery(int n) { return std::max(1, static_cast<int>(280.0 / std::log10(static_cast<double>(n)))); }

std::vector<double> Signal(std::size_t count)
{
    std::vector<double> v(count);
    for (std::size_t i = 0; i < v.size(); ++i) v[i] = 1e-140 * (std::sin(0.37 * i) + 0.1 * std::cos(1.9 * i));
    return v;
}

void BM_Four1(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    def_zelva z;
    const std::vector<double> input = Signal(2 * static_cast<std::size_t>(n));
    std::vector<double> data = input;
    z.Four1(n, 1, data.data());  // the tables of this length are made once
    const int refill = RefillEvery(n);
    int count = 0;
    for (auto _ : state) {
        if (++count == refill) {
            count = 0;
            std::memcpy(data.data(), input.data(), input.size() * sizeof(double));
        }
        z.Four1(n, 1, data.data());
        benchmark::DoNotOptimize(data.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * n);
}

void BM_FFTW(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const std::vector<double> input = Signal(2 * static_cast<std::size_t>(n));
    fftw_complex* data = fftw_alloc_complex(n);
    // Same direction as Four1 with isign 1.
    fftw_plan plan = fftw_plan_dft_1d(n, data, data, FFTW_BACKWARD, FFTW_ESTIMATE);
    std::memcpy(data, input.data(), input.size() * sizeof(double));
    const int refill = RefillEvery(n);
    int count = 0;
    for (auto _ : state) {
        if (++count == refill) {
            count = 0;
            std::memcpy(data, input.data(), input.size() * sizeof(double));
        }
        fftw_execute(plan);
        benchmark::DoNotOptimize(data);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * n);
    fftw_destroy_plan(plan);
    fftw_free(data);
}

// The forward transform of a real chi(k) curve of n points as the program
// makes it: DoCommonFFT mode -1 without a window, which returns the first
// n / 2 points of the spectrum. The transform replaces the curve, so each
// call first copies the ordinates back and clears the imaginary part (the
// abscissae are only rewritten); the copies are part of the time.
void BM_DoCommonFFTForward(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const double dk = 0.05;
    std::vector<double> x(n), y0(n);
    for (int i = 0; i < n; ++i) y0[i] = std::sin(4.6 * i * dk) * std::exp(-0.01 * i * dk);
    std::vector<double> y(n), imag(n);
    def_zelva z;
    FTWINDOW w{0, 0.0, 0.0, 0.0, 0.0};
    const double step = 3.14159265358979323846 / (dk * n);
    for (auto _ : state) {
        std::memcpy(y.data(), y0.data(), n * sizeof(double));
        std::memset(imag.data(), 0, n * sizeof(double));
        z.SetField(x.data(), y.data());
        z.SetAnzahl(n, -1, -1);
        z.DoCommonFFT(imag.data(), -1, &w, nullptr, 0.0, step);
        benchmark::DoNotOptimize(y.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * n);
}

}  // namespace

// The Stokes deconvolution of a pattern of n points (any n, chirp-z over
// the library's transform), as command 905 runs it on the whole LaB6
// pattern (132,992 points).
void BM_StokesCorrection(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    std::vector<double> x(n), y(n), inst(n), xo(n), fo(n);
    for (int i = 0; i < n; ++i) {
        x[i] = 0.5 + 0.001 * i;
        y[i] = std::exp(-0.5 * std::pow((i - 0.3 * n) / 40.0, 2)) + 0.01 * std::sin(0.37 * i);
        inst[i] = std::exp(-0.5 * std::pow((i - 0.5 * n) / 15.0, 2));
    }
    def_zelva z;
    z.SetField(x.data(), y.data());
    z.SetAnzahl(n, -1, -1);
    for (auto _ : state) {
        z.StokesCorrection(0, nullptr, inst.data(), xo.data(), fo.data());
        benchmark::DoNotOptimize(fo.data());
    }
}

BENCHMARK(BM_Four1)->RangeMultiplier(2)->Range(512, 32768);
BENCHMARK(BM_FFTW)->RangeMultiplier(2)->Range(512, 32768);
BENCHMARK(BM_DoCommonFFTForward)->RangeMultiplier(2)->Range(512, 32768);

BENCHMARK(BM_StokesCorrection)->Arg(2000)->Arg(20000)->Arg(132992)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
