// The X-ray absorption terms of the model evaluator: EXAFS shells with
// tabulated phases and amplitudes (15-18), FEFF scattering paths (21-24)
// with their Debye-Waller and multiple-scattering preparation, the
// LC-XANES reference (26), and the values they share with the EXAFS
// set-up, the parameter tables and the report.
#ifndef KORLAN_FIT_EXAFS_TERMS_H
#define KORLAN_FIT_EXAFS_TERMS_H

#include <cstdint>

// k weight applied inside the EXAFS terms.
extern double ModellKGewicht;
// Amplitude reduction factor, written by a " feff-S0 " function.
extern double S0Quadrat;
// Edge sign of the shells with experimental phases: -1 K or L1, +1 L2, L3.
extern double KantenVorzeichen;
// Phase and amplitude of model function i (0-based, below 10) on the
// current curve's points, ShellTabellenPunkte entries each; an amplitude
// table whose first value is -10 or less counts as none.
const int32_t SHELL_TABLES = 10;
extern double* PhasenTabellen[SHELL_TABLES];
extern double* AmplitudenTabellen[SHELL_TABLES];
extern int32_t ShellTabellenPunkte;

// Debye-Waller models: -1 correlated Debye, 0 none, 1 Einstein.
extern int32_t DebyeWallerModell;
extern double MessTemperatur;     // K, 300.0
extern double DebyeTemperatur;    // K, 400.0; written by " CDM " and the path preparation
// Rule that combines the single-scattering sigma^2 of a path with more
// than two legs: 654 mean, 655 root of the sum of squares, 656 the sum
// divided by the number of matched legs plus one.
extern int32_t MsSigmaRegel;
// Nonzero: under a common temperature model (flag 0x0008) the sigma^2 of a
// path with more than two legs is combined from its legs' single-scattering
// values instead of its own Debye-Waller value.
extern int32_t MsSigmaAusEinzelpfaden;

// A characteristic temperature above 520 times the measurement temperature
// is replaced by 400 K.
double BegrenzteTemperatur(double theta, double messTemperatur);

// The distance that enters a FEFF path: a parameter below 1.0 in magnitude
// is a shift from the path's effective length, otherwise the distance
// itself. The F test and the parameter table read distances the same way.
double FeffAbstand(double parameter, double reff);

// The four path values at k of path `pfad` (record pfad + 1): lambda,
// amplitude, phase and p, linearly interpolated on FeffKGitter. Returns 1,
// or -1 below or above the grid (the first or last entries are given).
int32_t FeffPfadWerte(double k, int32_t pfad, double& lambda, double& amplitude, double& phase,
                      double& p);

#endif
