// FEFF scattering paths in the atomic background fit: the model of the
// spline with the paths behind it (S0^2, one path of type 21 per chosen
// path), their flags, correlations and bounds by the options of MUE_XAFS,
// and the texts of the fit's results ("mue_xafs.txt", the results table,
// "spline_XAS.mue").
//
// Plain code (mue_xafs_core.cpp) on the working fit model; the dialog
// MUE_XAFS, the section dialog's box and the fit are in mue_xafs_win.cpp.
#ifndef KORLAN_XAS_MUE_XAFS_H
#define KORLAN_XAS_MUE_XAFS_H

#include <cstdint>
#include <string>
#include <vector>

struct FeffPfad;

// The options of MUE_XAFS.
struct MueXafsOptionen {
    bool AbstaendeFrei = true;   // " All free, (5 % constrain)"; else " xyz correlation"
    bool Sigma2Frei = true;      // " All free, (0 - 0.05)"; else "Potential Debye T"
    double DebyeTemperatur = 400.0;  // start value of the Debye temperatures
};

// What the model takes of a chosen path.
struct MueXafsPfad {
    double N = 0.0;              // degeneracy: the coordination number
    double Reff = 0.0;           // Angstrom
    int32_t Beine = 0;
    int32_t Potential = 0;       // potential index of the scatterer (atom line 1)
};
MueXafsPfad MueXafsPfadVon(const FeffPfad& satz);

// Result codes of MueXafsModell.
const int32_t MUE_XAFS_OK = 1;
const int32_t MUE_XAFS_OHNE_PFADE = -1;   // no path chosen
const int32_t MUE_XAFS_ZU_GROSS = -2;     // the parameters would reach the knots' block
const int32_t MUE_XAFS_XYZ_PFADE = -3;    // " xyz correlation" needs three paths
const int32_t MUE_XAFS_OHNE_TABELLEN = -4;  // no working model tables

// Builds the working model (FitFunctionTypes, FitParameters and the flag,
// free-list, correlation and bound tables): function 0 the spline with
// `knoten` heights 1.0 (its abscissae at 600 are kept), function 1 the
// S0^2 term (1.0), functions 2 .. n+1 one path each of type 21 (N, R =
// Reff, sigma^2 0.003, E0 shift 0). S0^2 and every N are fixed; the first
// E0 shift is the master of all others (times 1.0), bounded to -15 .. 15;
// distances either each bounded to 0.95 R .. 1.05 R, or (xyz) cluster
// distances: all but the last three fixed, the third-last a shift of 0
// bounded to -0.06 .. 0.06, the last two shifts of 0 fixed; sigma^2 each
// bounded to 0.0005 .. 0.05, or (Debye) held as temperatures: the first
// single-scattering path of each potential free with the Debye temperature
// in 100 .. 2000 K, all others fixed and tied to it. FitFunctionCount,
// FitPolyDegree, SplineKnotCount, MaxParameter and MaxFitParameter follow.
// A model whose parameters would not stay below 50 (their bounds then
// overwrite the knots) is refused; nothing is changed on any refusal.
int32_t MueXafsModell(int32_t knoten, const std::vector<MueXafsPfad>& pfade, const MueXafsOptionen& o);

// The largest number of paths beside `knoten` spline knots.
int32_t MueXafsMaxPfade(int32_t knoten);

// One path's results as the background fit reports them.
struct MueXafsErgebnis {
    std::string Absorber, Streuer;   // element symbols
    double N = 0.0, R = 0.0, RMinusReff = 0.0, Sigma2 = 0.0, E0 = 0.0, Gewicht = 0.0;
};
// The results of the single-scattering paths of the model built above:
// parameters from behind the knots, per function as many as its type
// holds; a sigma^2 above 1.0 is a temperature, reported as the sigma^2 of
// the program's Debye-Waller model (sigma2VonTheta(theta, record)).
std::vector<MueXafsErgebnis> MueXafsErgebnisse(const int32_t* typen, int32_t anzahl, const double* parameter,
                                               int32_t knoten, const FeffPfad* pfade,
                                               double (*sigma2VonTheta)(double theta, int32_t satz));
// "mue_xafs.txt" (lines end with "\r\n").
std::string MueXafsDatei(const std::vector<MueXafsErgebnis>& e);
// The same table for the results window, tab-separated.
std::string MueXafsTabelle(const std::vector<MueXafsErgebnis>& e);
// "spline_XAS.mue": "%.10E   %.10E\n" of x and the fitted absorption.
std::string SplineXasText(const double* x, const double* y, int32_t n);

#endif
