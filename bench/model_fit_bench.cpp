// One complete fit of the program's model [4 Gaussians, polynomial of degree
// 0] (13 parameters) to a synthetic spectrum, as the fit command runs it: the
// program's model evaluator in point mode as the library's callback, and
// LeastSquareFit called until it returns -1 with the library's default
// settings. Against GSL's nonlinear least squares on the same data and
// start, with the same evaluator for its residual vector: in array mode
// (one call per vector, as GSL would be used), and in point mode (one call
// per point, as the library's loop calls it), which separates the count of
// model values from the evaluator's cost per call.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "fit/fit_model.h"
#include "fit/model_function.h"
#include "gsl_reference.h"
#include "zelva.h"

namespace {

const int N = 1001;
const int P = 13;
// Height, position and full width at half height of each line, then the
// constant.
const double kTruth[P] = {5.0, 20.0, 7.0, 3.0, 38.0, 11.8, 4.0, 60.0, 5.9, 2.0, 78.0, 14.1, 0.5};
// 5 to 10 % off.
const double kStart[P] = {5.35, 18.8, 7.56, 2.79, 39.9, 10.856, 4.24, 57.0, 6.431, 1.82, 81.9, 13.113, 0.55};

// The program's working-model tables, of the program's sizes.
std::vector<double> g_block(PARAMETER_BLOCK_DOUBLES, 0.0);
std::vector<int32_t> g_types(MAX_MODEL_FUNCTIONS, 0);
std::vector<int32_t> g_flags(PARAMETER_TABLE_ENTRIES, 0);
std::vector<int32_t> g_words(PARAMETER_TABLE_ENTRIES, 0);
std::vector<double> g_constants(PARAMETER_TABLE_ENTRIES, 0.0);
std::vector<int32_t> g_freeList(FREE_LIST_ENTRIES, 0);
std::vector<double> g_results(35000, 0.0);
std::vector<double> g_x(N), g_y(N), g_diff(N + 2);
MODELL_UMFELD g_umfeld{};
// Model values computed, for the counter "model_per_point".
long g_values = 0;

// The callback as the program installs it, with fixed surroundings.
double ModellCallback(double x, double index, double* xs, double* ys, int32_t n)
{
    g_values += ys ? n : 1;
    return ModellAuswerten(g_umfeld, x, index, xs, ys, n);
}

void InstallModel(def_zelva& z, const double* values)
{
    FitParameters = g_block.data();
    FitFunctionTypes = g_types.data();
    ParameterFlags = g_flags.data();
    CorrelationWords = g_words.data();
    CorrelationConstants = g_constants.data();
    FreeParameterList = g_freeList.data();
    FitPolyDegree = 0;
    FitModellArt = 0;
    SplineKnotCount = 0;
    FitFunctionCount = 5;
    const int32_t types[5] = {1, 1, 1, 1, 7};
    for (int i = 0; i < 5; ++i) g_types[i] = types[i];
    ResetModelTables();
    for (int j = 0; j < P; ++j) g_block[j] = values[j];
    g_umfeld = MODELL_UMFELD{};
    g_umfeld.Numerik = &z;
    g_umfeld.Ergebnisse = g_results.data();
}

void MakeData(def_zelva& z)
{
    InstallModel(z, kTruth);
    for (int i = 0; i < N; ++i) {
        g_x[i] = 0.1 * i;
        g_y[i] = ModellAuswerten(g_umfeld, g_x[i], i, nullptr, nullptr, 0);
    }
}

bool Recovered(const double* p)
{
    for (int j = 0; j < P; ++j)
        if (std::fabs(p[j] - kTruth[j]) > 1e-6 * std::fabs(kTruth[j])) return false;
    return true;
}

void BM_ModelFit(benchmark::State& state)
{
    static def_zelva z;  // the program's one library object
    MakeData(z);
    double r = 0.0, chisq = 0.0;
    int32_t iteration = 0, rc = 0;
    g_values = 0;
    for (auto _ : state) {
        InstallModel(z, kStart);
        z.SetFunction(ModellCallback);
        z.SetWeightFunction(nullptr);
        z.SetImagFT(nullptr);
        z.SetRealFT(nullptr);
        z.SetFitProcedure(0, nullptr);
        z.SetField(g_x.data(), g_y.data());
        z.SetParameterDifference(FitParameters, g_diff.data(), ParameterFlags, FreeParameterList);
        z.SetParameterCorrelation(CorrelationWords, CorrelationConstants);
        z.SetAnzahl(N, MaxParameter, MaxFitParameter);
        iteration = 0;
        FitSchrittAktiv = 1;
        do rc = z.LeastSquareFit(r, chisq, iteration);
        while (rc == 1);
        FitSchrittAktiv = 0;
        benchmark::DoNotOptimize(g_block.data());
    }
    state.counters["iterations"] = iteration;
    state.counters["model_per_point"] = static_cast<double>(g_values) / state.iterations() / N;
    state.counters["ok"] = rc == -1 && Recovered(g_block.data());
}

int GslResiduals(const gsl_vector* p, void*, gsl_vector* f)
{
    static std::vector<double> m(N + 1);
    for (int j = 0; j < P; ++j) g_block[j] = gsl_vector_get(p, j);
    ModellCallback(0.0, 0.0, g_x.data(), m.data(), N);
    for (int i = 0; i < N; ++i) gsl_vector_set(f, i, m[i] - g_y[i]);
    return GSL_SUCCESS;
}

int GslResidualsByPoint(const gsl_vector* p, void*, gsl_vector* f)
{
    for (int j = 0; j < P; ++j) g_block[j] = gsl_vector_get(p, j);
    for (int i = 0; i < N; ++i)
        gsl_vector_set(f, i, ModellCallback(g_x[i], i, nullptr, nullptr, 0) - g_y[i]);
    return GSL_SUCCESS;
}

void GslModelFit(benchmark::State& state, int (*residuals)(const gsl_vector*, void*, gsl_vector*))
{
    static def_zelva z;
    MakeData(z);
    GslReferenceFit gsl(residuals, N, P);
    int status = 0;
    g_values = 0;
    for (auto _ : state) {
        InstallModel(z, kStart);
        status = gsl.Run(kStart);
        benchmark::DoNotOptimize(gsl.Workspace());
    }
    double found[P];
    for (int j = 0; j < P; ++j) found[j] = gsl_vector_get(gsl.Position(), j);
    state.counters["iterations"] = static_cast<double>(gsl.Iterations());
    state.counters["model_per_point"] = static_cast<double>(g_values) / state.iterations() / N;
    state.counters["ok"] = status == GSL_SUCCESS && Recovered(found);
}

void BM_GslModelFit(benchmark::State& state) { GslModelFit(state, GslResiduals); }
void BM_GslModelFitByPoint(benchmark::State& state) { GslModelFit(state, GslResidualsByPoint); }

}  // namespace

BENCHMARK(BM_ModelFit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GslModelFit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GslModelFitByPoint)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
