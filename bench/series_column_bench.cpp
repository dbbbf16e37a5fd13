// The per-column work of the automatic analysis of a series, through the
// plain functions the analysis calls: the column's spectrum from its frame,
// x from eV to keV, the edge search of the two-polynomial normalisation
// (largest first derivative smoothed over 3 steps, refined to the second
// derivative's root), the pre-edge line and post-edge quadratic, the
// normalisation and the line of the parameter table. The series is
// synthetic: 1,000 columns of 600 points, an arctangent edge that moves by
// up to 3 eV and grows by up to 20 % across the series, on a Victoreen-like
// falling background.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

#include "series/series_analysis.h"
#include "xas/xas_background.h"
#include "xas/xas_reduction.h"
#include "zelva.h"

namespace {

constexpr int32_t SPALTEN = 1000;
constexpr int32_t PUNKTE = 600;

struct Serie {
    std::vector<double> ev;                   // energies in eV
    std::vector<std::vector<double>> rahmen;  // one frame per column
};

const Serie& SynthetischeSerie()
{
    static Serie s;
    if (!s.ev.empty()) return s;
    s.ev.resize(PUNKTE);
    for (int32_t i = 0; i < PUNKTE; ++i) s.ev[i] = 11700.0 + i * 1.3;   // 11.700-12.479 keV
    s.rahmen.resize(SPALTEN);
    for (int32_t c = 0; c < SPALTEN; ++c) {
        const double t = static_cast<double>(c) / (SPALTEN - 1);
        const double e0 = 11919.0 + 3.0 * t, sprung = 1.0 + 0.2 * t;
        std::vector<double>& y = s.rahmen[c];
        y.resize(PUNKTE);
        for (int32_t i = 0; i < PUNKTE; ++i) {
            const double e = s.ev[i];
            y[i] = 0.3 + 2.0e11 / (e * e * e) + sprung * (0.5 + std::atan((e - e0) / 2.0) / M_PI) +
                   0.05 * std::sin(0.05 * (e - e0)) * (e > e0 ? std::exp(-(e - e0) / 150.0) : 0.0);
        }
    }
    return s;
}

def_zelva g_z;

void Glaetten(double* x, double* y, int32_t n, int32_t breite)
{
    g_z.SetField(x, y);
    g_z.SetAnzahl(n, 0, 0);
    g_z.Smoothing(breite);
}

// One column; returns the length of its table line so nothing is dropped.
size_t Spalte(const Serie& s, int32_t c, std::vector<double>& x, std::vector<double>& y, double* ergebnisse)
{
    const int32_t n = PUNKTE;
    SerienSpalte({s.rahmen[c].data()}, n, nullptr, 0, nullptr, y.data());
    for (int32_t i = 0; i < n; ++i) x[i] = s.ev[i] * 0.001;
    std::vector<double> gx, d1, d2;
    KantenKurven(x.data(), y.data(), n, 3.0, Glaetten, &gx, &d1, &d2);
    size_t best = 0;
    for (size_t i = 1; i < gx.size(); ++i)
        if (d1[i] > d1[best]) best = i;
    double e0 = gx[best];
    KantenNullstelle(gx.data(), d1.data(), d2.data(), static_cast<int32_t>(gx.size()), e0 - 0.002, e0 + 0.002, false,
                     &e0);
    double vor[2], nach[3], sprung = 0.0;
    if (!PolynomFit(x.data(), y.data(), n, 11.769, 11.889, 1, 0.0, vor) ||
        !PolynomFit(x.data(), y.data(), n, 11.969, 12.460, 2, 0.0, nach))
        return 0;
    if (ZweiPolynomNormierung(x.data(), y.data(), n, vor, 1, nach, 2, e0, &sprung) != ZP_OK) return 0;
    TabellenWerteLeeren(ergebnisse, 1);
    ergebnisse[0] = sprung;
    ergebnisse[1] = e0;
    const int32_t typen[1] = {7};
    return ParameterTabellenZeile(c + 1, false, 0.0, 0.0, ergebnisse, 1, typen, 1, 0.0).size();
}

void BM_SeriesColumns(benchmark::State& state)
{
    const Serie& s = SynthetischeSerie();
    std::vector<double> x(PUNKTE), y(PUNKTE), ergebnisse(4000, 0.0);
    // The edge of the first and last column is where the series put it.
    for (int32_t c : {0, SPALTEN - 1}) {
        const double soll = 11.919 + 0.003 * c / (SPALTEN - 1);
        if (Spalte(s, c, x, y, ergebnisse.data()) == 0 || std::fabs(ergebnisse[1] - soll) > 0.001) {
            state.SkipWithError("the edge of a column was not found where the series put it");
            return;
        }
    }
    size_t summe = 0;
    for (auto _ : state) {
        for (int32_t c = 0; c < SPALTEN; ++c) summe += Spalte(s, c, x, y, ergebnisse.data());
        benchmark::DoNotOptimize(summe);
    }
    if (summe == 0) state.SkipWithError("no column was analysed");
    state.SetItemsProcessed(state.iterations() * SPALTEN);
    state.counters["columns/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * SPALTEN, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SeriesColumns)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
