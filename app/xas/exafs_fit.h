// The EXAFS fit: its chi-square procedure on arrays, and the rules of the
// EXAFS fit set-up that need no window (model types, path names, the
// number of independent points, one common E0, the checks of the model).
#ifndef KORLAN_XAS_EXAFS_FIT_H
#define KORLAN_XAS_EXAFS_FIT_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "xas/model_fft.h"

// The chi-square callback of the EXAFS fit kinds 3 (R space) and 6 (k
// space), FitModellArt as the fit left it: model, targets and derivatives
// (four-point rule with Numerik's step; plus and minus 10 for a parameter
// with PF_WIDE; central with the step for a relative spline model), each
// change of a parameter followed by its correlations; chi-square and the
// lower triangle of alpha (rows of 400) and beta accumulated over the
// residuals. In R space the residuals are the n magnitudes, the n real
// parts against the data's transform (u.DatenTransformY) and, with an
// extra k power for the fit, the 2n scaled values of u.ExtraDaten. Kinds
// 4, 10 and any other compare the model with y point by point as kind 6.
// Residual i takes the error and weight of point i mod n. a ends as it
// came. Returns chi-square.
double ExafsChiQuadrat(const EXAFS_FFT_UMFELD& u, int32_t n, int32_t mfit, double* x, double* y,
                       double* a, double* alpha, double* beta, double* sigma);

// What the EXAFS set-up leaves for the fit, the chi-square procedure and
// the next set-up.
struct EXAFS_ZUSATZ {
    int32_t PotenzFit = -1;         // "Add k" with "Fit": extra k power, -1 none
    int32_t PotenzZeigen = -1;      // "Add k" with "Show"
    double Skalierung = 1.0;        // scale factor of the extra power's residuals
    std::vector<double> ExtraDaten; // the data's transform for it: n magnitudes, n real parts
    int32_t Modus = 0;              // 1 after a refinement set-up, -1 after a simulation
    double FitBereich[2] = {-1.0, -1.0};  // the last fit range
    int32_t SchalenAnzahl = 0;      // shells or paths of the last set-up
    int32_t UntergrundModus = 1;    // kind 4: below 1 spline on x, else |FT| over 0-8 A
};
extern EXAFS_ZUSATZ ExafsZusatz;

// The settings of the FEFF sets that an 807 record carries.
const int32_t FEFF_SATZ_WERTE = 11;
struct FEFF_SATZ_EINSTELLUNGEN {
    int32_t Modus = 0;
    int32_t PfadOption = 0;
    double Koeffizienten[FEFF_SATZ_WERTE] = {};
    int32_t Flags[FEFF_SATZ_WERTE] = {};
};
extern FEFF_SATZ_EINSTELLUNGEN FeffSatzEinstellungen;

// ---- the set-up's rules ----
// Model types: experimental shells 15 .. 18 and FEFF paths 21 .. 24 by the
// cumulant switches (positive: added): third only +1, fourth only +2,
// both +3.
int32_t ExafsTypVerfeinern(int32_t typ, double dritter, double vierter);

// Shells of experimental phases: one phase table each.
const int32_t EXAFS_MAX_SCHALEN = 10;
// Paths of a FEFF model (records 1-100).
const int32_t EXAFS_MAX_PFADE = 100;

// The name fragment of a path number by which kept parameters are found
// again: "feff0007", "feff1234".
void FeffNamensteil(int32_t pfadnummer, char* ziel, std::size_t groesse);

// Sum of the character codes of a name (to find the same path again).
int32_t NamensSumme(const char* name);

// Number of independent points: R space (2 / pi) dR dk + 2; k space the
// same when dR (the window's last transform) lies within 0.2 .. 25,
// else (2 / pi) dk + 2.
double UnabhaengigePunkte(bool rRaum, double dk, double dR);

// Whether the set-up asks before a refinement: more free parameters
// (maxFitParameter + 1) than independent points, never for a simulation
// nor for N of 2 or less.
bool ZuVieleParameter(bool simulation, double nIdp, int32_t maxFitParameter);

// One common E0 for all shells: the fourth parameter of function
// ersteFunktion (0 experimental, 1 FEFF after the S0^2 term) becomes the
// master, the fourth parameter of every later function its dependent
// (times 1.0) and leaves the free list (only where it stands in it).
// Returns the number of dependents.
int32_t GemeinsamesE0(int32_t ersteFunktion);

// Old values of an experimental shell that are not plausible, replaced:
// coordination number outside 0 .. 20 by 4.0, distance outside -0.5 .. 10
// by 1.9, |sigma^2| above 0.08 and |E0| above 30 by 0. p: the shell's
// first parameter.
void SchalenWerteBereinigen(double* p);

// The model's values that refuse a fit: a negative coordination number
// or a fourth cumulant above 0.01 in magnitude (all functions but the
// S0^2 term). True when the model is plausible.
bool ExafsModellPlausibel();

#endif
