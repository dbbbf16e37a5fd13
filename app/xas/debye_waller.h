// Debye-Waller factors of FEFF scattering paths from lattice-dynamics
// models: sigma^2 in square Angstrom at measurement temperature T from a
// characteristic temperature, by the Einstein model (reduced mass of the
// path) or the correlated Debye model (masses and positions of the path's
// atoms, average Norman radius).
//
// Plain code; the functions read the path record and change nothing.
// Degenerate input gives finite values: T <= 0 is the zero-point limit, and
// a characteristic temperature <= 0, a missing mass or Norman radius give
// 0; legs of zero length add nothing.
#ifndef KORLAN_XAS_DEBYE_WALLER_H
#define KORLAN_XAS_DEBYE_WALLER_H

#include <cstdint>

struct FeffPfad;

// i is the zero-based position of the model function; its path is record
// i + 1 of FeffPfade (0 for i outside 0 - 99).
double EinsteinSigma2(double t, double thetaE, int32_t i);
double CorrDebyeSigma2(double t, double thetaD, int32_t i);
// Distance in Angstrom between position slots p and q of path i.
double AtomAbstand(int32_t p, int32_t q, int32_t i);

// The same on a record.
double EinsteinSigma2(const FeffPfad& pfad, double t, double thetaE);
double CorrDebyeSigma2(const FeffPfad& pfad, double t, double thetaD);
double AtomAbstand(const FeffPfad& pfad, int32_t p, int32_t q);

// Correlation term of two atoms at distance r (Angstrom) with masses m1 and
// m2 (atomic mass units) for Norman radius rs (bohr).
double CorrDebyePair(double r, double thetaD, double t, double m1, double m2, double rs);
// Integral over [0, 1] of the integrand (Simpson, 100 intervals).
double CorrDebyeIntegral(double b, double a);
// Integrand sin(z b) / b * coth(z / (2a)) with a = T / thetaD and
// b = k_D R (z for b = 0); 2a at z = 0.
double CorrDebyeIntegrand(double z, double a, double b);

#endif
