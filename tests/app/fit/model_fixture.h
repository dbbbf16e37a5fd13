// A fit model on blocks of the program's sizes: the parameter block, the
// per-parameter tables and the free list, installed as the working model.
#ifndef KORLAN_TESTS_FIT_MODEL_FIXTURE_H
#define KORLAN_TESTS_FIT_MODEL_FIXTURE_H

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "fit/exafs_terms.h"
#include "fit/fit_model.h"
#include "fit/model_function.h"

class ModelFixture : public ::testing::Test {
protected:
    std::vector<double> block = std::vector<double>(PARAMETER_BLOCK_DOUBLES, 0.0);
    std::vector<int32_t> types = std::vector<int32_t>(MAX_MODEL_FUNCTIONS, 0);
    std::vector<int32_t> flags = std::vector<int32_t>(PARAMETER_TABLE_ENTRIES, 0);
    std::vector<int32_t> words = std::vector<int32_t>(PARAMETER_TABLE_ENTRIES, 0);
    std::vector<double> constants = std::vector<double>(PARAMETER_TABLE_ENTRIES, 0.0);
    std::vector<int32_t> freeList = std::vector<int32_t>(FREE_LIST_ENTRIES, 0);
    std::vector<double> results = std::vector<double>(35000, 0.0);
    def_zelva zelva;
    MODELL_UMFELD env{};

    void SetUp() override
    {
        FitParameters = block.data();
        FitFunctionTypes = types.data();
        ParameterFlags = flags.data();
        CorrelationWords = words.data();
        CorrelationConstants = constants.data();
        FreeParameterList = freeList.data();
        FitFunctionCount = 0;
        FitPolyDegree = 0;
        FitModellArt = 0;
        SplineKnotCount = 0;
        FitSchrittAktiv = 0;
        env = MODELL_UMFELD{};
        env.Numerik = &zelva;
        env.Ergebnisse = results.data();
        env.Wellenlaenge = 154.2;
        Current() = this;
    }
    void TearDown() override
    {
        Current() = nullptr;
        FitParameters = nullptr;
        FitFunctionTypes = nullptr;
        ParameterFlags = CorrelationWords = FreeParameterList = nullptr;
        CorrelationConstants = nullptr;
        FitFunctionCount = 0;
    }

    // The working model: type codes and the parameter values from index 0;
    // the tables are reset for it.
    void Model(std::initializer_list<int32_t> codes, std::initializer_list<double> values = {})
    {
        FitFunctionCount = 0;
        for (int32_t c : codes) types[FitFunctionCount++] = c;
        int32_t i = 0;
        for (double v : values) block[i++] = v;
        ASSERT_GE(ResetModelTables(), 0);
    }

    // The parameter differences of the last FitToEnd: the library keeps a
    // pointer to them after the fit, for whatever the test asks of it next.
    std::vector<double> differenz;
    // LeastSquareFit of the working model on (x, y) until it stops
    // iterating, at most `schritte` steps; its final state, and where asked
    // its R value, chi^2 and iteration count.
    int32_t FitToEnd(std::vector<double>& x, std::vector<double>& y, double fehler, int schritte,
                     double* rAus = nullptr, double* chi2Aus = nullptr, int32_t* itAus = nullptr)
    {
        differenz.assign(x.size() + 2, 0.0);
        zelva.SetExpError(fehler);
        zelva.SetWichtung(1);
        zelva.SetFunction(Callback);
        zelva.SetField(x.data(), y.data());
        zelva.SetParameterDifference(FitParameters, differenz.data(), ParameterFlags, FreeParameterList);
        zelva.SetParameterCorrelation(CorrelationWords, CorrelationConstants);
        zelva.SetAnzahl(static_cast<int32_t>(x.size()), MaxParameter, MaxFitParameter);
        double r = 0.0, chi2 = 0.0;
        int32_t it = 0, z = 1;
        for (int k = 0; k < schritte && z == 1; ++k) z = zelva.LeastSquareFit(r, chi2, it);
        if (rAus) *rAus = r;
        if (chi2Aus) *chi2Aus = chi2;
        if (itAus) *itAus = it;
        return z;
    }

    double At(double x, double index = 0.0) { return ModellAuswerten(env, x, index, nullptr, nullptr, 0); }
    std::vector<double> Array(const std::vector<double>& xs, double index = 0.0)
    {
        std::vector<double> ys(xs.size() + 1, -7.0);
        std::vector<double> x = xs;
        ModellAuswerten(env, 0.0, index, x.data(), ys.data(), static_cast<int32_t>(xs.size()));
        ys.resize(xs.size());
        return ys;
    }

    // The callback form for ModellMinMax and the numerics library.
    static ModelFixture*& Current()
    {
        static ModelFixture* f = nullptr;
        return f;
    }
    static double Callback(double x, double index, double* xs, double* ys, int32_t n)
    {
        return ModellAuswerten(Current()->env, x, index, xs, ys, n);
    }
};

#endif
