// The background commands of the XAFS menu (pre-edge 803, 809, 841,
// normalisation 804, atomic background 806, 828, 837) and their shared
// engine, which the section dialog and the background preview call too.
#ifndef KORLAN_XAS_BACKGROUND_WIN_H
#define KORLAN_XAS_BACKGROUND_WIN_H

#include <cstdint>
#include <vector>

// mu0 of the last spline background on the Fourier k grid (k_j and
// mu0(k_j), MueGridCount points), read by the EXAFS set-up.
extern std::vector<double> XafsWorkX, XafsWorkY;
extern int32_t MueGridCount;

// The knot dialogs of the spline background: SPLINE_FIT gives the number
// of splines (k weight into DialogWerte[5]), AD_SPLINE_FIT 1 + the sum of
// the section degrees (layout into the window's parameter block); 0 for
// Cancel.
int32_t SplineFitDialog();
int32_t AdSplineFitDialog();

// The background engine on the active window's current curve over [von,
// bis], by the window's first model function:
// - HilfeThema 6 with outX and outY: the first derivative of the section
//   (spline-interpolated onto N equidistant points) into outX, outY;
// - type 7 (polynomial, n = degree + 1) or 20 (Victoreen, exponents at
//   50-52): the coefficients fitted into parameters 0 .. n-1 (type 7
//   weighted with x^DialogWerte[5] when that is not 0);
// - type 53 with n below 1000: n knots (or the section layout at 1000)
//   fitted, heights at 0 .., abscissae at 600 .., SplineKnotCount = n;
//   with n of 1000 or more the n - 1000 knots in the block are kept; in
//   both cases outX receives the section abscissae and outY mu0 there.
// outX and outY must hold the section's point count (at most the curve's).
// With FEFF paths behind the spline (more than one function) the engine's
// FEFF variant runs (MueXafsRechnen, xas/mue_xafs_win.h), which also fills
// featX and featY; otherwise they are not written. Returns the section
// point count N, or 0 when nothing was computed (fewer than 3 points, a
// knot count outside 3-40, a singular fit, another model type); the
// parameter block is then unchanged.
int32_t MueNullFitRechnen(double von, double bis, int32_t n, double* outX, double* outY, double* featX,
                          double* featY);

#endif
