// Geometry of a diffraction line: its angle from the cell and its width
// from the line position.
#ifndef KORLAN_XRD_GEOMETRY_H
#define KORLAN_XRD_GEOMETRY_H

#include <cstdint>

// 2 theta in degrees of reflection (h k l) of a triclinic cell: lambda in
// pm, a, b, c in Angstrom, the angles in degrees; mode has no effect. Not
// a number when the reflection lies beyond the limit lambda / 2d > 1 or the
// cell is not valid (see XrdReflexPruefen, which callers ask first).
double BraggWinkel(double lambda, double a, double b, double c, double alpha, double beta,
                   double gamma, int32_t h, int32_t k, int32_t l, int32_t mode);

// Line width at position p (2 theta in degrees, as the model holds it):
// law 1 (Caglioti) sqrt(|U tan^2 t + V tan t + W|) with t = p / 2 (theta)
// in radians; laws 2 and 3 U q^2 + V q + W with q = p (the 2 theta of
// the law's "2t"); 0 for any other law.
double XrdFwhm(double U, double V, double W, double p, int32_t law);

// Outcome of XrdReflexPruefen.
enum XrdReflexStatus : int32_t {
    XRD_REFLEX_OK = 0,
    XRD_ZELLE_UNGUELTIG = 1,     // a length <= 0, or angles that close no cell (V'^2 <= 0)
    XRD_REFLEX_000 = 2,          // (0 0 0) has no angle
    XRD_REFLEX_UNERREICHBAR = 3  // lambda / 2d > 1: beyond the reach of the wavelength
};

// Checks the cell (lengths in Angstrom, angles in degrees) and whether the
// reflection (h k l) has a real angle at lambda (pm); a lambda <= 0 is
// reported as unreachable.
XrdReflexStatus XrdReflexPruefen(double lambda, const double zelle[6], int32_t h, int32_t k,
                                 int32_t l);

#endif
