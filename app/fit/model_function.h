// The model-function catalogue and the model evaluator: every model that is
// fitted or drawn is a list of type codes, each owning a run of parameters
// in the window's parameter block. Plain code; the window-side callback
// ModellFunktion fills the surroundings from the active graphic window and
// the application object and calls ModellAuswerten.
#ifndef KORLAN_FIT_MODEL_FUNCTION_H
#define KORLAN_FIT_MODEL_FUNCTION_H

#include <cstdint>

#include "fit/fit_model.h"
#include "zelva.h"

struct XrdPhase;

// ---- catalogue ----
const int32_t CATALOG_CODES = 34;     // codes 0-33; 1-32 filled
const int32_t PARAMETER_NAMES = 38;

struct FIT_FUNKTION {
    char Name[100];
    uint32_t ParameterZahl;          // 0 for the polynomial (degree + 1)
    uint32_t Bezeichnungen[6];       // indices into ParameterNames
};
extern const FIT_FUNKTION FitFunctionCatalog[CATALOG_CODES];
extern const char ParameterNames[PARAMETER_NAMES][30];

// ---- what the evaluator reads besides the fit model ----
extern int32_t FourierOrdnung;       // order M of the Fourier synthesis (51)
extern double FourierPeriode;        // its period L
// Abscissae and factors of the tabulated model 54, TabellenPunkte entries.
extern double* TabellenX;
extern double* TabellenFaktor;
extern int32_t TabellenPunkte;
// Nonzero while a fit step runs in the numerics library: only then do the
// preparations reset runaway parameters of the block (the fit run sets it
// around its library call).
extern int32_t FitSchrittAktiv;

// The surroundings of one evaluation: the active graphic window and the
// application object, or whatever a test or a benchmark puts there.
struct MODELL_UMFELD {
    def_zelva* Numerik;         // for Voigt, splines; its arrays are restored
    uint32_t KurvenFlags;       // flag word of the active window's current slot
    double FtUntergrenze;       // lower k limit of the window's Fourier window
    const double* KurveX;       // x array of the current curve (may be null)
    int32_t KurvenPunkte;       // its point count
    double Wellenlaenge;        // X-ray wavelength in pm
    int32_t FeffSaetze;         // FEFF path sets of a multiple-set fit (0: none)
    double* Ergebnisse;         // CommandArgs (35,000 doubles) or null
    XrdPhase* XrdPhasen;       // the five XRD phase records or null
};

// The evaluator. Point mode (ys null): the model value at x, tabulated terms
// read at point (int)(index + 0.2). Array mode: ys[0..n-1] = the model at
// xs[j], tabulated terms at point (int)(index + 0.2) + j, then the
// post-processing by model kind 1-99; returns 0.0. A model that fails the
// size check contributes nothing.
double ModellAuswerten(const MODELL_UMFELD& u, double x, double index, double* xs, double* ys,
                       int32_t n);

// Switches functions of the working model off (+100) and on: n = 0 all on
// (any mode); mode 2 function n off; mode 1 only n on; mode 0 only n off.
// Returns 1, 0 for another mode or n outside 1 .. FitFunctionCount.
int32_t SetFunktionFlag(int32_t n, int32_t modus);

// Smallest and largest value of the whole model and of each function alone
// over [x1, x2] in 500 steps, evaluated through `modell` (installed in
// u.Numerik); ends with every function switched on.
void ModellMinMax(const MODELL_UMFELD& u, ModellCallback modell, double* minimum,
                  double* maximum, double x1, double x2);

#endif
