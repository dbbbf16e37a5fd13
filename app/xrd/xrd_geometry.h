// Geometry of a diffraction line: its angle from the cell and its width
// from the line position.
#ifndef KORLAN_XRD_GEOMETRY_H
#define KORLAN_XRD_GEOMETRY_H

#include <cstdint>

// 2 theta in degrees of reflection (h k l) of a triclinic cell: lambda in
// pm, a, b, c in Angstrom, the angles in degrees; mode has no effect. Not
// a number when the reflection lies beyond the limit lambda / 2d > 1.
double BraggWinkel(double lambda, double a, double b, double c, double alpha, double beta,
                   double gamma, int32_t h, int32_t k, int32_t l, int32_t mode);

// Line width at position p (2 theta in degrees, as the model holds it):
// law 1 sqrt(|U tan^2 t + V tan t + W|) with t = p in radians; laws 2 and 3
// U q^2 + V q + W with q = 2p; 0 for other laws.
double XrdFwhm(double U, double V, double W, double p, int32_t law);

#endif
