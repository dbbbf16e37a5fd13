// The results window's fit-difference view of an EXAFS model: the
// transform of a k curve that the view shows (ResidualFT), the curves of
// its four quadrants and the two tables it writes, "resid_c.dat" and
// "resid_f.dat". Plain code; the window paints what these return.
#ifndef KORLAN_FIT_RESIDUAL_VIEW_H
#define KORLAN_FIT_RESIDUAL_VIEW_H

#include <cstdint>
#include <string>
#include <vector>

class def_zelva;

// Transform of the curve (x rising, n >= 2 points) for the view: resampled
// by the natural spline onto kPunkte (a power of two) points from x[0]
// with the step pi / (rSchritt (kPunkte - 1)), 0 beyond x[n - 1]; forward
// transform through a Kaiser-Bessel window (shape 4.0) over x[0] .. x[n-1]
// with the R step pi / (dk kPunkte). The result in the layout of complex
// curves: m real parts, the last one repeated, the m imaginary parts behind
// them (x likewise: m R values, the last repeated, the R values again), cut
// after the first R above rMax. z's curve is put back. Returns m, 0 for
// input it cannot transform (both outputs empty).
int32_t ResidualFT(def_zelva& z, const double* x, const double* y, int32_t n, int32_t kPunkte, double rSchritt,
                   double rMax, std::vector<double>& rx, std::vector<double>& ry);

// |FT| of a result of ResidualFT with m points.
std::vector<double> Betraege(const std::vector<double>& ry, int32_t m);

// The curves of an EXAFS model's fit-difference view.
struct DIFFERENZ_ANSICHT {
    bool KRaum = false;              // the fitted curve is chi(k) (slot flag 16)
    std::vector<double> Residuum;    // data - model on the curve's x (n values)
    // Bottom right quadrant and "resid_f.dat": the abscissa and three curves
    // (k space: |FT| of data, residual and model; R space: the curve, the
    // model and the residual).
    std::vector<double> R;
    std::vector<double> Kurve[3];
};

// The view's curves for the fitted curve (x, y, n points) and the model on
// the same x: in k space transformed by ResidualFT, in R space as they are.
// false when there is nothing to show (fewer than two points, or no
// transform).
bool DifferenzAnsichtBerechnen(def_zelva& z, const double* x, const double* y, const double* modell, int32_t n,
                               bool kRaum, int32_t kPunkte, double rSchritt, double rMax, DIFFERENZ_ANSICHT* aus);

// The texts of "resid_c.dat" (x and residual, "%.10E  %.10E\n") and of
// "resid_f.dat" (R and the three curves, "%.10E  %.10E  %.10E  %.10E\n").
std::string ResidCText(const double* x, const DIFFERENZ_ANSICHT& a);
std::string ResidFText(const DIFFERENZ_ANSICHT& a);

#endif
