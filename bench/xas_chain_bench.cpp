// The whole reduction of one spectrum through the plain functions, as a
// series analysis runs it per column: edge search, Victoreen pre-edge,
// normalisation, conversion to k, spline mu0 (11 knots, k^2), chi(k) k^2
// and its transform on 2,048 k points, on the room-temperature copper foil.
#include <benchmark/benchmark.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "xas/xas_background.h"
#include "xas/xas_reduction.h"
#include "zelva.h"

namespace {

std::vector<double> g_e, g_mu;
def_zelva g_z;

bool Laden()
{
    if (!g_e.empty()) return true;
    std::ifstream f(KORLAN_SOURCE_DIR "/tests/app/spectra/data/cu_metal_rt.xdi");
    std::string z;
    while (std::getline(f, z)) {
        if (z.empty() || z[0] == '#') continue;
        std::istringstream s(z);
        double a, b, c;
        if (s >> a >> b >> c) g_e.push_back(a / 1000.0), g_mu.push_back(std::log(b / c));
    }
    return g_e.size() == 408;
}

void Glaetten(double* x, double* y, int32_t n, int32_t breite)
{
    g_z.SetField(x, y);
    g_z.SetAnzahl(n, 0, 0);
    g_z.Smoothing(breite);
}

// One spectrum; returns the height of the transform's first point so the
// work cannot be dropped.
double Kette()
{
    const int32_t n = static_cast<int32_t>(g_e.size());
    std::vector<double> x = g_e, y = g_mu;
    // E0: largest first derivative of the spectrum smoothed over 3 steps,
    // refined to the second derivative's root.
    std::vector<double> gx, d1, d2;
    KantenKurven(x.data(), y.data(), n, 3.0, Glaetten, &gx, &d1, &d2);
    size_t best = 0;
    for (size_t i = 1; i < gx.size(); ++i)
        if (d1[i] > d1[best]) best = i;
    double e0 = gx[best];
    KantenNullstelle(gx.data(), d1.data(), d2.data(), static_cast<int32_t>(gx.size()), e0 - 0.002, e0 + 0.002, false,
                     &e0);
    // Pre-edge and normalisation.
    const double ex[3] = {0.0, -3.0, -4.0};
    double c[3], c0 = 1.0;
    VictoreenFit(x.data(), y.data(), n, 8.779, 8.950, ex, c);
    for (int32_t i = 0; i < n; ++i) y[i] -= VictoreenWert(c, ex, x[i]);
    PolynomFit(x.data(), y.data(), n, 9.100, 10.100, 0, 0.0, &c0);
    for (int32_t i = 0; i < n; ++i) y[i] /= c0;
    // k, mu0, chi k^2.
    for (int32_t i = 0; i < n; ++i) x[i] = KAusEnergie(x[i], e0);
    SplineHintergrund h;
    const int32_t m = SplineMu0(x.data(), y.data(), n, 0.5, 17.4, 11, 2.0, nullptr, 600, &h);
    if (m <= 0) return 0.0;
    std::vector<double> k(x.begin() + h.Lo, x.begin() + h.Hi + 1), chi(y.begin() + h.Lo, y.begin() + h.Hi + 1);
    ChiAusMu(k.data(), chi.data(), h.Mu0.data(), m, 2.0);
    std::vector<double> r, b;
    VorschauTransform(g_z, k.data(), chi.data(), m, 3.0, 14.0, 2.0, 2048, 0.04, 7.0, &r, &b);
    return b.empty() ? 0.0 : b[0];
}

void BM_XasChain(benchmark::State& state)
{
    if (!Laden()) {
        state.SkipWithError("cu_metal_rt.xdi not found");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(Kette());
}
BENCHMARK(BM_XasChain)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
