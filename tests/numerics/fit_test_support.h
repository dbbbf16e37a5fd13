// Shared set-up of the fit tests: one object, the arrays it is handed, and
// model callbacks that read the registered parameter vector.
#ifndef FIT_TEST_SUPPORT_H
#define FIT_TEST_SUPPORT_H

#include <cstdint>
#include <vector>

#include "zelva.h"

namespace fit_test {

// The parameter vector the callbacks read; set by FitSetup.
inline double* g_par = nullptr;

struct FitSetup {
    def_zelva z;
    std::vector<double> x, y, diff;
    double par[1400] = {};  // values from 0, bounds of d at 500 + 2d, 501 + 2d
    int32_t flags[400] = {};
    int32_t liste[400] = {};
    int32_t corrFlags[400];
    double corrValues[400] = {};

    // Registers everything for a fit of nPar parameters, the first nFit of
    // them (in list order `fitted`) varied; unit weights, no rules.
    FitSetup(ModellCallback model, const std::vector<double>& xs, const std::vector<double>& ys,
             const std::vector<double>& start, const std::vector<int32_t>& fitted)
        : x(xs), y(ys), diff(xs.size(), 0.0)
    {
        for (auto& c : corrFlags) c = -1;
        for (std::size_t i = 0; i < start.size(); ++i) par[i] = start[i];
        // The list: fitted first, then the rest ascending.
        int32_t k = 0;
        for (int32_t p : fitted) liste[k++] = p;
        for (int32_t p = 0; p < static_cast<int32_t>(start.size()); ++p) {
            bool used = false;
            for (int32_t q : fitted) used = used || q == p;
            if (!used) liste[k++] = p;
        }
        g_par = par;
        z.SetField(x.data(), y.data());
        z.SetParameterDifference(par, diff.data(), flags, liste);
        z.SetParameterCorrelation(corrFlags, corrValues);
        z.SetAnzahl(static_cast<int32_t>(x.size()), static_cast<int32_t>(start.size()) - 1,
                    static_cast<int32_t>(fitted.size()) - 1);
        z.SetFunction(model);
        z.SetFitProcedure(0, nullptr);
        z.SetWichtung(0);
    }

    // Calls the fit until it stops returning 1 (at most maxCalls calls).
    int32_t Run(int32_t maxCalls = 10000)
    {
        int32_t rc = 1;
        for (int32_t c = 0; c < maxCalls && rc == 1; ++c) rc = z.LeastSquareFit(rFactor, chisq, iteration);
        return rc;
    }

    double rFactor = 0.0, chisq = 0.0;
    int32_t iteration = 0;
};

}  // namespace fit_test

#endif
