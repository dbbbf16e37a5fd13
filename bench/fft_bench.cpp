// Forward complex transform of n points: the library's radix-2 Four1 beside
// FFTW (an estimated plan, in place), n = 512 ... 32768.
#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <cmath>
#include <vector>

#include "zelva.h"

namespace {

std::vector<double> Signal(int n)
{
    std::vector<double> v(2 * static_cast<std::size_t>(n));
    for (std::size_t i = 0; i < v.size(); ++i) v[i] = std::sin(0.37 * i) + 0.1 * std::cos(1.9 * i);
    return v;
}

void BM_Four1(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    def_zelva z;
    const std::vector<double> input = Signal(n);
    std::vector<double> data = input;
    for (auto _ : state) {
        state.PauseTiming();
        data = input;
        state.ResumeTiming();
        z.Four1(n, 1, data.data());
        benchmark::DoNotOptimize(data.data());
    }
    state.SetItemsProcessed(state.iterations() * n);
}

void BM_FFTW(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const std::vector<double> input = Signal(n);
    fftw_complex* data = fftw_alloc_complex(n);
    // Same direction as Four1 with isign 1.
    fftw_plan plan = fftw_plan_dft_1d(n, data, data, FFTW_BACKWARD, FFTW_ESTIMATE);
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < n; ++i) {
            data[i][0] = input[2 * i];
            data[i][1] = input[2 * i + 1];
        }
        state.ResumeTiming();
        fftw_execute(plan);
        benchmark::DoNotOptimize(data);
    }
    state.SetItemsProcessed(state.iterations() * n);
    fftw_destroy_plan(plan);
    fftw_free(data);
}

}  // namespace

BENCHMARK(BM_Four1)->RangeMultiplier(2)->Range(512, 32768);
BENCHMARK(BM_FFTW)->RangeMultiplier(2)->Range(512, 32768);

BENCHMARK_MAIN();
