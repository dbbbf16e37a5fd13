// A full fit of four Gaussians to 2,000 points: the library's fit step
// against GSL's nonlinear least squares (trust region, Levenberg-Marquardt,
// finite-difference Jacobian), from the same start.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include "gsl_reference.h"
#include "zelva.h"

namespace {

const int N = 2000;
const int P = 12;  // amplitude, centre, width of each line
const double kTruth[P] = {5.0, 20.0, 3.0, 3.0, 38.0, 5.0, 4.0, 60.0, 2.5, 2.0, 78.0, 6.0};
const double kStart[P] = {4.5, 21.0, 3.5, 3.3, 36.5, 4.5, 3.6, 61.0, 2.8, 2.3, 76.5, 5.2};

std::vector<double> g_x(N), g_y(N);
const double* g_par = nullptr;
// Model values computed (the four lines at one abscissa), for the
// counter "model_per_point": per fit and point.
long g_values = 0;

double Lines(const double* p, double x)
{
    ++g_values;
    double s = 0.0;
    for (int k = 0; k < 4; ++k) {
        const double u = (x - p[3 * k + 1]) / p[3 * k + 2];
        s += p[3 * k] * std::exp(-0.5 * u * u);
    }
    return s;
}

void MakeData()
{
    for (int i = 0; i < N; ++i) {
        g_x[i] = 100.0 * i / (N - 1);
        g_y[i] = Lines(kTruth, g_x[i]) + 0.05 * std::sin(12.9898 * i) * std::cos(78.233 * i);
    }
}

double Model(double x, double, double* xs, double* ys, int32_t n)
{
    if (xs) {
        for (int32_t i = 0; i < n; ++i) ys[i] = Lines(g_par, xs[i]);
        return 0.0;
    }
    return Lines(g_par, x);
}

void ZelvaFit(benchmark::State& state, int32_t ableitung)
{
    MakeData();
    auto z = std::make_unique<def_zelva>();
    std::vector<double> par(1400, 0.0), diff(N);
    std::vector<int32_t> flags(P, 0), liste(P), corr(P, -1);
    std::vector<double> corrValues(P, 0.0);
    double chisq = 0.0, r = 0.0;
    int32_t iteration = 0, rc = 0;
    g_values = 0;
    for (auto _ : state) {
        std::memcpy(par.data(), kStart, sizeof kStart);
        for (int j = 0; j < P; ++j) liste[j] = j;
        g_par = par.data();
        z->SetField(g_x.data(), g_y.data());
        z->SetParameterDifference(par.data(), diff.data(), flags.data(), liste.data());
        z->SetParameterCorrelation(corr.data(), corrValues.data());
        z->SetAnzahl(N, P - 1, P - 1);
        z->SetFunction(Model);
        z->SetWichtung(0);
        z->SetAbleitung(ableitung);
        z->SetAbbruch(1e-10, 1e-6, 200);
        iteration = 0;
        do rc = z->LeastSquareFit(r, chisq, iteration);
        while (rc == 1);
        benchmark::DoNotOptimize(par.data());
    }
    state.counters["chisq"] = chisq;
    state.counters["iterations"] = iteration;
    state.counters["model_per_point"] = static_cast<double>(g_values) / state.iterations() / N;
    state.counters["ok"] = rc == -1 && std::fabs(par[7] - kTruth[7]) < 0.01;
}

void BM_ZelvaFitFourPoint(benchmark::State& state) { ZelvaFit(state, 4); }
void BM_ZelvaFitTwoPoint(benchmark::State& state) { ZelvaFit(state, 2); }

int GslResiduals(const gsl_vector* p, void*, gsl_vector* f)
{
    for (int i = 0; i < N; ++i) gsl_vector_set(f, i, Lines(p->data, g_x[i]) - g_y[i]);
    return GSL_SUCCESS;
}

void BM_GslNlinearFit(benchmark::State& state)
{
    MakeData();
    GslReferenceFit gsl(GslResiduals, N, P);
    int status = 0;
    g_values = 0;
    for (auto _ : state) {
        status = gsl.Run(kStart);
        benchmark::DoNotOptimize(gsl.Workspace());
    }
    const gsl_vector* f = gsl.Residual();
    double chisq = 0.0;
    for (int i = 0; i < N; ++i) chisq += gsl_vector_get(f, i) * gsl_vector_get(f, i);
    state.counters["chisq"] = chisq;
    state.counters["model_per_point"] = static_cast<double>(g_values) / state.iterations() / N;
    state.counters["iterations"] = static_cast<double>(gsl.Iterations());
    state.counters["ok"] = status == GSL_SUCCESS && std::fabs(gsl_vector_get(gsl.Position(), 7) - kTruth[7]) < 0.01;
}

}  // namespace

BENCHMARK(BM_ZelvaFitFourPoint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZelvaFitTwoPoint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GslNlinearFit)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
