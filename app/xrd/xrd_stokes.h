// The Stokes deconvolution of a powder pattern by an instrument pattern.
// Plain code; the command is in xrd_stokes_win.cpp.
#ifndef KORLAN_XRD_STOKES_H
#define KORLAN_XRD_STOKES_H

#include <cstdint>
#include <vector>

#include "zelva.h"

// The instrument (ix, iy, m points, rising ix, any grid) is interpolated
// onto the pattern's x by a natural cubic spline, and the pattern (x, y,
// n) is divided by it in Fourier space (def_zelva::StokesCorrection): the
// result, halves swapped and scaled to maximum 1, comes back in xo and yo
// (n points each). The blocks are sized from n and m. Returns false (xo,
// yo empty) for n < 1, m < 2 or an instrument whose x does not rise.
bool XrdStokes(def_zelva& z, const double* x, const double* y, int32_t n, const double* ix, const double* iy,
               int32_t m, std::vector<double>& xo, std::vector<double>& yo);

#endif
