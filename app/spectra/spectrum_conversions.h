// Curve conversions of the main menu: the magnitude of a Fourier
// transform (164), ".jcp" files of five interleaved detector columns (175)
// and angle scans converted to energy (189). The arithmetic here knows no
// window; the handlers are in spectrum_conversions_win.cpp.
#ifndef KORLAN_SPECTRUM_CONVERSIONS_H
#define KORLAN_SPECTRUM_CONVERSIONS_H

#include <cstddef>
#include <cstdint>
#include <vector>

// A complex curve of n points as the slots keep it (real part y[0..n-1],
// y[n] repeating y[n-1], imaginary part y[n+1..2n]) becomes its magnitude:
// y[i] = sqrt(re^2 + im^2), and the imaginary part becomes -y[i], so that
// the view of both parts draws the envelope. y must hold 2n + 1 values.
void FtBetrag(double* y, int32_t n);

constexpr int32_t JCP_SPALTEN = 5;

// The five data columns of a ".jcp" file, measured at the same n points x,
// interleaved into one curve of 5n points: point 5i + k takes
// x[i] + k (x[1] - x[0]) / 5 and column k's value at i. xAus and yAus
// must hold 5n values. Returns 5n, or 0 when n is below 2.
int32_t JcpVerschachteln(const double* x, const double* const spalten[JCP_SPALTEN], int32_t n,
                         double* xAus, double* yAus);

// An angle scan as text: header lines (not starting with a number), then
// a line with the lattice spacing D (Angstrom), then rows "a b c" with the
// angle a in millidegrees and the two intensities b, c. Each row gives
// x = (12.398 / D) / sin(a / 1000 deg) in keV and y = ln(b / c) (0 when
// c is 0 or b / c is not positive). A row whose x does not lie above the
// last kept x is dropped. Reading ends at the first line
// that is not such a row. Returns the points kept; 0 when D is missing,
// not positive, or no row gives a finite x.
int32_t EnergieAusWinkeln(const char* text, std::size_t laenge, std::vector<double>* x,
                          std::vector<double>* y);

#endif
