// The structure model of phase record 0 built over a pattern and fitted
// to its end, for the tests of the structure fit's plain code.
#ifndef KORLAN_TESTS_XRD_STRUCTURE_MODEL_HELPERS_H
#define KORLAN_TESTS_XRD_STRUCTURE_MODEL_HELPERS_H

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fit/fit_model.h"
#include "xrd/xrd_structure_fit.h"
#include "zelva.h"

// Builds the model of phase record 0 (set by the caller) with the
// reflections hkl into the working model over x, y at lambda (pm).
inline XRD_MODELL_ERGEBNIS StrukturModell(const char* hkl, double lambda, const std::vector<double>& x,
                                          const std::vector<double>& y)
{
    const std::string ordner = (std::filesystem::temp_directory_path() / "xrd_structure_model").string();
    std::filesystem::create_directories(ordner);
    std::ofstream(HklDateiName(ordner, 0)) << hkl;
    XRD_MODELL_EINGABE e;
    e.Ordner = ordner;
    e.Wellenlaenge = lambda;
    e.x = x.data();
    e.y = y.data();
    e.Punkte = static_cast<int32_t>(x.size());
    const XRD_MODELL_ERGEBNIS ergebnis = XrdModellBauen(e);
    std::filesystem::remove_all(ordner);
    std::filesystem::remove(HklDateiName(ordner, 0));
    return ergebnis;
}

// LeastSquareFit of the working model over x, y until it ends (at most
// `schritte` steps); its state, 101 for a chi-square that is no number.
inline int32_t BisZumEnde(def_zelva& z, std::vector<double>& x, std::vector<double>& y, ModellCallback modell,
                          int schritte = 300)
{
    std::vector<double> differenz(x.size() + 2, 0.0);
    z.SetField(x.data(), y.data());
    z.SetAnzahl(static_cast<int32_t>(x.size()), MaxParameter, MaxFitParameter);
    z.SetParameterDifference(FitParameters, differenz.data(), ParameterFlags, FreeParameterList);
    z.SetParameterCorrelation(CorrelationWords, CorrelationConstants);
    z.SetFunction(modell);
    z.SetFitProcedure(0, nullptr);
    z.SetAbleitung(2);
    double r = 0.0, chi2 = 0.0;
    int32_t iterationen = 0, zustand = 1;
    for (int k = 0; k < schritte && zustand == 1; ++k) zustand = z.LeastSquareFit(r, chi2, iterationen);
    return std::isfinite(chi2) ? zustand : 101;
}

#endif
