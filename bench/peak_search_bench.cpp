// The peak search on the measured LaB6 pattern of the shared data (132,992
// points, pseudo-Voigt profile, limit 10 %): smoothing, derivative, the
// walk and the root of every line.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "fit/fit_model.h"
#include "xrd/xrd_peak_search.h"
#include "zelva.h"

namespace {

std::vector<double> g_x, g_y;
def_zelva g_z;

bool Laden()
{
    if (!g_x.empty()) return true;
    for (const char* oben : {"/../shared/data/", "/../../shared/data/"}) {
        std::ifstream f(std::string(KORLAN_SOURCE_DIR) + oben + "xrd/11bmb_3844.fxye");
        if (!f) continue;
        std::string z;
        bool daten = false;
        while (std::getline(f, z)) {
            if (!daten) {
                daten = z.compare(0, 4, "BANK") == 0;
                continue;
            }
            std::istringstream s(z);
            double a, b;
            if (s >> a >> b) g_x.push_back(a * 0.01), g_y.push_back(b);
        }
        break;
    }
    return g_x.size() == 132992;
}

void BM_FindPeaksLaB6(benchmark::State& state)
{
    if (!Laden()) {
        state.SkipWithError("shared data not found");
        return;
    }
    std::vector<double> block(PARAMETER_BLOCK_DOUBLES), konstanten(PARAMETER_TABLE_ENTRIES);
    std::vector<int32_t> typen(MAX_MODEL_FUNCTIONS), flags(PARAMETER_TABLE_ENTRIES), worte(PARAMETER_TABLE_ENTRIES),
        liste(FREE_LIST_ENTRIES);
    FitParameters = block.data();
    FitFunctionTypes = typen.data();
    ParameterFlags = flags.data();
    CorrelationWords = worte.data();
    CorrelationConstants = konstanten.data();
    FreeParameterList = liste.data();
    PeakFund fund;
    for (auto _ : state) {
        const int32_t k = FindPeaks(g_z, PROFIL_PSEUDO_VOIGT, g_x.data(), g_y.data(),
                                    static_cast<int32_t>(g_x.size()), 10.0, fund);
        benchmark::DoNotOptimize(k);
    }
}
BENCHMARK(BM_FindPeaksLaB6)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
