// Plain steps of the background removal of an absorption spectrum: the
// pre-edge fits (polynomial, Victoreen with fixed exponents), the
// normalisation to an edge jump of one (mean of a post-edge section, or the
// two-polynomial flattening), the atomic background mu0 by polynomial or
// least-squares cubic spline (equidistant knots or knots section by
// section), the extraction of chi(k), mu0 on the Fourier k grid, the name of
// the ".mue" file and the transform of the background preview.
//
// Every fit here is linear in its coefficients; it is solved directly by a
// Householder QR of the weighted design matrix (the least-squares loop of
// the numerics library reaches the same minimum).
//
// Arrays and numbers in, arrays and numbers out; no window system here.
#ifndef KORLAN_XAS_BACKGROUND_H
#define KORLAN_XAS_BACKGROUND_H

#include <cstdint>
#include <string>
#include <vector>

class def_zelva;
struct FTWINDOW;

// ---- section ----

// Indices of a section [von, bis] of rising abscissae, as the background
// engine takes them: the lower index is the first point at or above von,
// or the point before it when von lies below the midpoint of the two; the
// upper index the last point at or below bis, or the point after it when
// bis lies above the midpoint. Returns the point count hi - lo + 1, 0 when
// the section holds fewer than 3 points (lo and hi then undefined).
int32_t SektionsIndizes(const double* x, int32_t n, double von, double bis, int32_t* lo,
                        int32_t* hi);

// ---- linear least squares ----

// Coefficients c[0..p-1] minimising sum w_i (y_i - sum_j a_ij c_j)^2, the
// design matrix a column by column (a[j * m + i]); w may be null (all 1).
// Returns 1, or 0 when m < p, a weight is negative or not finite, or the
// weighted matrix is rank deficient (c then untouched).
int32_t LineareAusgleichung(const std::vector<double>& a, int32_t m, int32_t p,
                            const double* y, const double* w, double* c);

// ---- pre-edge, normalisation ----

// c[0] + c[1] x + ... + c[grad] x^grad.
double PolynomWert(const double* c, int32_t grad, double x);
// Polynomial of degree grad (0-20) over the section [von, bis] of (x, y),
// points weighted with |x|^kGewicht when kGewicht is not 0. Returns 1, or 0
// when the section holds fewer than 3 points or fewer than grad + 1, or
// the fit is singular (c untouched).
int32_t PolynomFit(const double* x, const double* y, int32_t n, double von, double bis,
                   int32_t grad, double kGewicht, double* c);

// The Victoreen background c0 x^e0 + c1 x^e1 + c2 x^e2 (energies in keV);
// the program's exponents are 0, -3 and -4.
double VictoreenWert(const double* c, const double* e, double x);
// Its three coefficients over [von, bis], the exponents fixed. 1 or 0 as
// PolynomFit.
int32_t VictoreenFit(const double* x, const double* y, int32_t n, double von, double bis,
                     const double* e, double* c);

// Result of the two-polynomial normalisation.
enum ZweiPolynomErgebnis : int32_t {
    ZP_OK = 1,
    ZP_E0_JENSEITS = -1,   // E0 above the last point: there is no edge jump
    ZP_SPRUNG_NULL = -2,   // the edge jump is 0 (or not finite)
    ZP_NENNER_NULL = -3    // above E0 the two polynomials meet or cross
};
// y_i := (y_i - P_i) / (Q_i - P_i) at and above E0, (y_i - P_i) / J below
// it, with P and Q the pre- and post-edge polynomials and J = Q_e - P_e the
// jump at the first point e at or above E0 (continuous at E0). *sprung
// receives J. On anything but ZP_OK y is left unchanged.
int32_t ZweiPolynomNormierung(const double* x, double* y, int32_t n, const double* pre,
                              int32_t preGrad, const double* post, int32_t postGrad, double e0,
                              double* sprung);

// ---- atomic background mu0 by splines ----

// Layout of the knots section by section: counts[s] the knot count m_s of
// section s (s = 0 .. size - 1); an empty list means equidistant knots.
struct SplineAbschnitte {
    std::vector<double> Knoten;       // m_s per section
    std::vector<double> Exponenten;   // k-weight exponent e_s per section
};

// Knot abscissae over [xlo, xhi]: without sections n knots at xlo + k (xhi -
// xlo) / (n - 1); with sections S of width W = (xhi - xlo) / S, the first
// knot at xlo, per section (m_s - 1) inner knots at start + j W / m_s when
// m_s > 1, then its end knot xlo + s W. Empty when n < 2 (without
// sections) or xhi <= xlo.
std::vector<double> SplineKnoten(double xlo, double xhi, int32_t n, const SplineAbschnitte* abschnitte);

// Natural cubic spline through (kx, ky), evaluated at xs into ys (the
// program's spline: second derivatives 0 at both ends; beyond the end
// knots the end intervals are extended).
void NatuerlicherSpline(const double* kx, const double* ky, int32_t k, const double* xs, double* ys,
                        int32_t m);

// The least-squares spline background of the section [von, bis] of (x, y):
// the section data are spline-interpolated onto M equidistant points from
// its first to its last abscissa, weighted with x^w (w != 0) or, with
// sections, x^e_s by the section each grid point falls into, and the knot
// heights fitted. knotenX / knotenY receive the knots, mu0 (when not null,
// N entries) the background at the section's abscissae. Returns the section
// point count N, or 0 (nothing written) for fewer than 3 points, fewer than
// 3 or more than 40 knots, or a singular fit.
struct SplineHintergrund {
    int32_t Lo = 0, Hi = -1;          // section indices
    std::vector<double> KnotenX, KnotenY;
    std::vector<double> Mu0;          // at x[Lo .. Hi]
};
int32_t SplineMu0(const double* x, const double* y, int32_t n, double von, double bis, int32_t knoten,
                  double w, const SplineAbschnitte* abschnitte, int32_t gitter, SplineHintergrund* erg);

// ---- the spline background fitted in R space ----

// What the R-space fit of the spline background compares: the section
// x[lo..hi] spline-interpolated onto nk points from its first abscissa with
// the step (pi / dR) / (nk - 1) of the Fourier grid; from the first grid
// point at or beyond the last section abscissa on, that point takes the
// value of the one before it and all later ones are 0. KPunkte counts the
// points up to and including that point (KX and KY hold all nk). The fit's
// data are the R points from 0 in steps of pi / (nk dk) up to and including
// 8.0 A, each with the target 1e-5 and the weight 1 up to the background
// distance and 0 beyond.
struct RRaumUntergrund {
    std::vector<double> KX, KY;
    int32_t KPunkte = 0;
    std::vector<double> R, Ziel, Gewicht;
};
const double R_UNTERGRUND_MAX = 8.0;
const double R_UNTERGRUND_ZIEL = 0.00001;
// False (d cleared) for fewer than 3 section points, nk not a power of two
// of at least 4, or dR not above 0.
bool RRaumUntergrundGitter(const double* x, const double* y, int32_t lo, int32_t hi, int32_t nk, double dR,
                           double abstand, RRaumUntergrund* d);

// The fit of the knot heights in R space. The knots lie over the section
// (equidistant, or by sections with the layout), each starting at the
// section's y at the first point whose abscissa exceeds it (the last
// point's where none does, the first point's for the first knot). The
// working model becomes one spline function (type 53, kind 4, FitParameters
// the block: heights from 0, abscissae from 600, copies from 650) whose
// kind-4 value is |FT| of (mu - s) / s k^w over 0-8 A: FftModelX/Y receive
// the k grid and FftModelPunkte its count, the background mode is 1. z
// runs the least-squares loop on the R points with the model callback
// `modell` and the chi-square callback `chi` (their surroundings read
// FftModelX/Y and the k weight w), experimental error 1.0; it is given back
// as it was, and so are the model kind and the background mode. Returns
// the section's point count N with the knots and mu0 (at x[lo..hi]) in
// erg, or 0 (block untouched) for a section of fewer than 3 points, fewer
// than 3 or more than 40 knots, a grid that cannot be built, or a fit that
// gives no finite heights.
int32_t RRaumSplineFit(def_zelva& z, double (*modell)(double, double, double*, double*, int32_t),
                       double (*chi)(int32_t, int32_t, double*, double*, double*, double*, double*, double*),
                       const double* x, const double* y, int32_t n, double von, double bis, int32_t knoten,
                       const SplineAbschnitte* abschnitte, int32_t nk, double dR, double abstand,
                       SplineHintergrund* erg);

// chi_i = (y_i - mu0_i) / mu0_i (0 where mu0_i is 0), times |x_i|^w when w
// is not 0, in place.
void ChiAusMu(const double* x, double* y, const double* mu0, int32_t n, double w);

// mu0 on the Fourier grid k_j = x[0] + j (pi / dR) / (nk - 1) for k_j below
// x[n-1], interpolated by the natural spline of (x, mu0). Empty for n < 2,
// dR <= 0 or nk < 2.
void Mu0AufFourierGitter(const double* x, const double* mu0, int32_t n, double dR, int32_t nk,
                         std::vector<double>* kx, std::vector<double>* ky);

// Name of the background file of a spectrum file name (no folder): the
// last '.' becomes '-' and ".mue" is appended (Cu_foil.dat gives
// Cu_foil-dat.mue; a name without '.' just gets ".mue").
std::string MueDateiName(const std::string& dateiName);
// The lines of the background file: "%.10E   %.10E   %.10E\n" of x, mu0
// and chi.
std::string MueDateiText(const double* x, const double* mu0, const double* chi, int32_t n);

// ---- preview transform ----

// The magnitude of the transform of the chi points in [von, bis]:
// spline-interpolated onto nk points from von with step (pi / dR) / (nk -
// 1), Kaiser-Bessel window (type 4, shape 4) over [von, bis], weighted with
// k^w by the transform, cut after the first R above 0.8 rMax. r and betrag
// receive the R values and |FT|; realteil, when given, the real part on the
// same R values. fenster, when given, is the window record the transform
// runs with: it is set to that window and gets the grid's origin, as a
// window's record keeps the settings of its last transform. Returns the
// count, 0 when nothing can be transformed (nk not a power of two, fewer
// than 3 points in the section); fenster is then left as it was.
int32_t VorschauTransform(def_zelva& z, const double* x, const double* chi, int32_t n, double von,
                          double bis, double w, int32_t nk, double dR, double rMax,
                          std::vector<double>* r, std::vector<double>* betrag,
                          FTWINDOW* fenster = nullptr, std::vector<double>* realteil = nullptr);

#endif
