// The rules of the quick XAS reduction (835, 838, 839, 840) as plain
// functions: the edge, the choice between the two background roads, the
// values each step of the chain is given and the spline count of the mu0
// fit. The chain itself runs in quick_xas_win.cpp.
//
// Energies in keV, k in inverse Angstrom.
#ifndef KORLAN_XAS_QUICK_XAS_H
#define KORLAN_XAS_QUICK_XAS_H

#include <cstdint>

#include "xas/xas_reduction.h"

// The chain reads x[5] and x[n-5]: fewer points are refused.
const int32_t QUICK_MIN_PUNKTE = 8;
// R of the spline-count rule and of the background distance, Angstrom.
const double QUICK_SPLINE_R = 0.9;
const double QUICK_K_GEWICHT = 3.0;

inline bool QuickGenugPunkte(int32_t n) { return n >= QUICK_MIN_PUNKTE; }

// Index of the largest value of d (n values); of equal maxima the first.
// -1 for n < 1.
int32_t QuickMaximum(const double* d, int32_t n);

// E0 of the curve (x, y) of n points: the x of the largest first derivative
// of the curve smoothed over 10 points, on the real spacing (the curve is
// resampled onto its smallest step first; glaetten is the smoothing, null
// for none). false when the curve has fewer than 5 points.
bool QuickKante(const double* x, const double* y, int32_t n, GLAETTER glaetten, double* e0);

// The two-polynomial road (841) when the data reach more than 500 eV above
// E0 at their second-last point; the pre-edge polynomial road (809)
// otherwise. n >= QUICK_MIN_PUNKTE.
bool QuickZweiPolynome(const double* x, int32_t n, double e0);

// The values of the steps, written into dw (14 values, cleared first).
void QuickWerteZweiPolynome(const double* x, int32_t n, double e0, double* dw);  // 841
void QuickWertePolynom(const double* x, double e0, double* dw);                   // 809
// 809's curve is normalised (804) when its fifth point from the end lies
// above E0 + 0.1 keV.
bool QuickNormieren(const double* x, int32_t n, double e0);
void QuickWerteNormierung(double e0, double* dw);                                 // 804
// Splines of the mu0 fit from k 2 to kOben: the integer part of
// (kOben - 2) * 2 * 0.9 / pi + 1 (0 when that is not positive).
int32_t QuickSplineAnzahl(double kOben);
void QuickWerteSpline(double kOben, int32_t splines, double* dw);                 // 828
void QuickWerteFourier(double kVon, double kBis, double* dw);                     // 815

#endif
