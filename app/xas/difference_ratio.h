// The difference spectrum (831) and the ratio method (829): a reference
// curve read from a file, put onto the points of the current curve, and
// either subtracted from it or compared with it by a straight line through
// the logarithm of the amplitude ratio over k^2 or the phase difference
// over k.
//
// Arrays and numbers in, arrays and numbers out; no window system here.
#ifndef KORLAN_DIFFERENCE_RATIO_H
#define KORLAN_DIFFERENCE_RATIO_H

#include <cstdint>
#include <string>
#include <vector>

// Result codes.
constexpr int32_t VERGLEICH_OK = 0;
constexpr int32_t VERGLEICH_KEINE_REFERENZ = 1;   // the reference has no point
constexpr int32_t VERGLEICH_NICHT_STEIGEND = 2;   // interpolation needs rising reference x (and 2 points)
constexpr int32_t VERGLEICH_ZU_WENIG = 3;         // fewer than 3 points with a ratio

// The reference (xr, yr; m points) on the n data abscissae x.
// - m equal to n and interpolieren false: r = yr point by point, whatever
//   the abscissae; every point is subtracted.
// - otherwise: the natural cubic spline through the reference, evaluated at
//   every x[i] that lies inside [xr[0], xr[m-1]]; points outside get r 0
//   and innen 0 (they keep their value).
// r and innen receive n entries. Codes: VERGLEICH_OK,
// VERGLEICH_KEINE_REFERENZ (m < 1 or n < 1), VERGLEICH_NICHT_STEIGEND
// (interpolation with m < 2 or reference x not strictly rising).
int32_t DifferenzReferenz(const double* x, int32_t n, const double* xr, const double* yr, int32_t m,
                          bool interpolieren, std::vector<double>* r, std::vector<char>* innen);

// y[i] -= r[i] where innen[i]; returns the number of points changed.
int32_t DifferenzAbziehen(double* y, int32_t n, const std::vector<double>& r, const std::vector<char>& innen);

// What the ratio method leaves.
struct RATIO_ERGEBNIS {
    std::vector<double> x, y;   // the points of the regression: k^2 and ln|A/Aref|, or k and phase difference
    int32_t Ausgelassen = 0;    // points without a ratio (reference 0, ratio 0, or outside the reference)
    double A = 0.0;             // slope
    double B = 0.0;             // intercept
    double S = 0.0;             // standard deviation of the residuals
    double R = 0.0;             // correlation coefficient
};

// The ratio method on the sample (k, y; n points) against the reference (xr,
// yr; m points): the reference's natural spline at each k inside its range;
// phase: y - r over k; amplitude: ln|y / r| over k^2, where r and the ratio
// are not 0. Points without a value are left out, and the straight line
// A x + B is fitted through the rest. Codes: VERGLEICH_OK,
// VERGLEICH_KEINE_REFERENZ, VERGLEICH_NICHT_STEIGEND, VERGLEICH_ZU_WENIG
// (fewer than 3 points left, or all at one abscissa).
int32_t RatioMethodeRechnen(const double* k, const double* y, int32_t n, const double* xr, const double* yr,
                            int32_t m, bool phase, RATIO_ERGEBNIS* e);

// The structural values of the line: phase mode R = Rref + A / 2; amplitude
// mode ds^2 = -A / 2 (Angstrom^2) and N = Nref e^B Rs^2 / Rref^2.
struct RATIO_STRUKTUR {
    bool Abstand = false, DebyeWaller = false;
    double R = 0.0, Ds2 = 0.0, N = 0.0;
};
// struktur false, or the inputs the mode needs not above 0, gives nothing.
RATIO_STRUKTUR RatioStruktur(const RATIO_ERGEBNIS& e, bool phase, bool struktur, double rRef, double nRef,
                             double rProbe);

// The history lines of the ratio method: "--: " + window file name, the
// reference file, the slot number (from 1), the line and the structural
// values.
std::string RatioHistorie(const char* dateiName, const char* referenz, int32_t slot, const RATIO_ERGEBNIS& e,
                          const RATIO_STRUKTUR& s);

#endif
