// zelva: numerical methods of korlan (least squares, splines, Fourier
// transforms, linear algebra). One exported class, def_zelva.
//
// The program compiles the inline members of this header itself, so the
// order of the fields below is part of the library's interface.
#ifndef ZELVA_H
#define ZELVA_H

#include <cstddef>
#include <cstdint>
#include <cstdio>

#if defined(_WIN32)
#  if defined(ZELVA_BUILD)
#    define ZELVA_API __declspec(dllexport)
#  else
#    define ZELVA_API __declspec(dllimport)
#  endif
#else
#  define ZELVA_API __attribute__((visibility("default")))
#endif

// Model callback: (x, point index or depth, xs, ys, n). With xs null it
// returns the model value at x; with arrays it fills ys[0..n-1].
typedef double (*ModellCallback)(double x, double index, double* xs, double* ys, int32_t n);

// Chi-square callback: (anzahl, maxFitParameter, x, y, parameter,
// alpha (rows of 400), beta, sigma) -> chi-square. Adds curvature terms
// into the lower triangle of alpha and gradient terms into beta.
typedef double (*ChiQuadratCallback)(int32_t anzahl, int32_t maxFitParameter, double* x,
                                     double* y, double* parameter, double* alpha,
                                     double* beta, double* sigma);

// A Fourier window, exchanged with DoCommonFFT and StoreFourierArguments.
struct FTWINDOW {
    int32_t windowType;  // 0 none, 1..5 the window types of Windowfunction
    double upper;        // upper abscissa limit
    double lower;        // lower abscissa limit
    double shape;        // shape parameter
    double origin;       // abscissa of the first input point
};

// Zero-filled blocks from the platform's global heap (calloc elsewhere);
// the inline constructor of def_zelva takes its blocks through these.
namespace zelva_heap {
// Returns a zero-filled block, or null; *handle receives the handle to free
// it with (null on failure).
ZELVA_API void* AllocZero(std::size_t bytes, void** handle);
// Frees a block by its handle; a null handle is ignored.
ZELVA_API void Free(void* handle);
}  // namespace zelva_heap

class ZELVA_API def_zelva {
public:
    // Sizes of the object's own blocks.
    static const int32_t MATRIX_ROWS = 401;
    static const int32_t MATRIX_WIDTH = 400;
    static const int32_t WORK_POINTS = 10000;
    static const int32_t ARRAY_CAPACITY_DEFAULT = 35000;

    double* covar{};
    double* alpha{};
    double* parameter{};
    double ochisq{};
    ModellCallback function{};
    ChiQuadratCallback fitProcedure{};
    double* xField{};
    double* yField{};
    double* difference{};
    double* sigma{};
    double* weightFunction{};
    double expError{};
    void* sigmaHandle{};
    void* covarHandle{};
    void* alphaHandle{};
    void* workXHandle{};
    void* workYHandle{};
    double dyda[400]{};
    double lambda{};
    double abbruch{};
    double lambdaEnd{};
    double ableitungsSchritt{};
    int32_t maxParameter{};
    int32_t maxFitParameter{};
    int32_t anzahl{};
    int32_t wichtung{};
    int32_t fitIndex{};
    int32_t maxIterationen{};
    int32_t ableitung{};
    int32_t* parameterFlags{};
    int32_t* fitListe{};
    double* correlationValues{};
    double* workX{};
    double* workY{};
    double* imagFT{};
    double* realFT{};
    int32_t* correlationFlags{};
    int32_t useFitProcedure{};
    int32_t bsplineBlockSize{};
    // Capacity of workX and workY in doubles; a fit grows both blocks (and
    // this count) when its curve has more points.
    int32_t workPoints{};
    // Capacity in points of the caller's arrays that a member lengthens or
    // fills with a count of its own (x, y and imaginary parts of
    // DoCommonFFT mode 2, the roots of the root scans). 0 stands for
    // ARRAY_CAPACITY_DEFAULT, the size of the program's curve arrays.
    int32_t arrayCapacity{};

    // ---- construction (inline: the program compiles its own copies) ----
    // Every field not set here starts at zero, wherever the object lives.
    def_zelva()
    {
        expError = 0.001;
        abbruch = 1e-5;
        ableitungsSchritt = 1e-5;
        wichtung = 1;
        maxIterationen = 50;
        ableitung = 4;
        useFitProcedure = 1;
        const std::size_t matrixBytes = sizeof(double) * MATRIX_ROWS * MATRIX_WIDTH;
        covar = static_cast<double*>(zelva_heap::AllocZero(matrixBytes, &covarHandle));
        alpha = static_cast<double*>(zelva_heap::AllocZero(matrixBytes, &alphaHandle));
        workX = static_cast<double*>(zelva_heap::AllocZero(sizeof(double) * WORK_POINTS, &workXHandle));
        workY = static_cast<double*>(zelva_heap::AllocZero(sizeof(double) * WORK_POINTS, &workYHandle));
        workPoints = WORK_POINTS;
    }
    ~def_zelva()
    {
        zelva_heap::Free(covarHandle);
        zelva_heap::Free(alphaHandle);
        zelva_heap::Free(workXHandle);
        zelva_heap::Free(workYHandle);
        zelva_heap::Free(sigmaHandle);
    }
    // The object owns heap blocks; a copy would free them twice.
    def_zelva(const def_zelva&) = delete;
    def_zelva& operator=(const def_zelva&) = delete;

    // ---- set-up (inline) ----
    void SetField(double* x, double* y) { xField = x; yField = y; }
    void SetParameterDifference(double* p, double* diff, int32_t* flags, int32_t* liste)
    {
        parameter = p; difference = diff; parameterFlags = flags; fitListe = liste;
    }
    void SetParameterCorrelation(int32_t* flags, double* values)
    {
        correlationFlags = flags; correlationValues = values;
    }
    void SetAnzahl(int32_t n, int32_t maxPar, int32_t maxFitPar)
    {
        if (n >= 0) anzahl = n;
        if (maxPar >= 0) maxParameter = maxPar;
        if (maxFitPar >= 0) maxFitParameter = maxFitPar;
    }
    void SetAbbruch(double a, double schritt, int32_t maxIter)
    {
        abbruch = a; ableitungsSchritt = schritt; maxIterationen = maxIter;
    }
    int32_t SetAbleitung(int32_t mode) { ableitung = mode; return mode; }
    void SetWichtung(int32_t mode) { wichtung = mode; }
    void SetExpError(double value) { expError = value; }
    void SetWeightFunction(double* weights) { weightFunction = weights; }
    void SetRealFT(double* re) { realFT = re; }
    void SetImagFT(double* im) { imagFT = im; }
    void SetFunction(ModellCallback f) { function = f; }
    void SetFitProcedure(int32_t use, ChiQuadratCallback f) { useFitProcedure = use; fitProcedure = f; }

    // ---- queries (inline) ----
    int32_t GetAnzahl() const { return anzahl; }
    double GetExpError() const { return expError; }
    int32_t GetFitIndex() const { return fitIndex; }
    int32_t GetWichtung() const { return wichtung; }
    double* GetWeightFunction() const { return weightFunction; }
    double* GetXField() const { return xField; }
    double* GetYField() const { return yField; }
    void GetLambdaAbbruch(double& lEnd, double& a, double& schritt, int32_t& maxIter) const
    {
        lEnd = lambdaEnd; a = abbruch; schritt = ableitungsSchritt; maxIter = maxIterationen;
    }
    double GetFuncValue(double x, int32_t index, double* xs, double* ys, int32_t n)
    {
        return function(x, static_cast<double>(index), xs, ys, n);
    }

    // ---- options line ----
    int32_t SaveOptions(FILE* file);
    int32_t LoadOptions(FILE* file);

    // ---- least-squares fit step ----
    // One Levenberg-Marquardt iteration per call on the registered set-up.
    // iteration: the caller's counter; 0 starts a new fit, every call that
    // passes the set-up test adds 1 (raise it to maxIterationen or above to
    // stop at the next call). rFactor (percent) and chisq are written only
    // on 1 and -1.
    // Returns 1 = iteration done, call again; -1 = finished (covar holds the
    // covariance of the fitted parameters, by list position); 101 = numerical
    // failure (bad fitted-parameter list, singular matrix, no memory);
    // -2 = set-up missing or no fit running, nothing changed.
    // Without a chi-square callback, a trial step is first judged by its
    // chi-square alone (one model call per point); the 2 m or 4 m
    // derivative calls per point are made only for a step that is kept. The
    // model must therefore give the same value for the same parameters.
    // With four-point derivatives, a kept step that lowered chi-square by at
    // least 1e-6 of it (and by at least abbruch) is still far from the
    // minimum: the curvature for the next step then takes one-sided
    // differences, from one array call per fitted parameter when the
    // model's array mode gives its point-mode values to the bit, else from
    // m point calls per point. Near the minimum, after a rejected trial
    // that came close or a third rejection in a row, and for the
    // covariance, it is the four-point one, so a fit run to its minimum ends
    // on the four-point minimum with the four-point covariance. A kept step
    // that moves no value by more than 1e-12 of it keeps the four-point
    // curvature of the point it left (one call per point).
    int32_t LeastSquareFit(double& rFactor, double& chisq, int32_t& iteration);
    // Chi-square of the current parameter values; adds curvature terms into
    // the lower triangle of alpha (rows of 400) and gradient terms into beta,
    // both by list position.
    double CalcDeviation(double* alpha, double* beta);
    // Clears alpha's lower triangle and beta, evaluates (with the trial
    // values by list position in place when useTrial is nonzero), restores
    // the fitted parameters and mirrors alpha. Returns 1.
    int32_t initmarquardt(double* trial, double* alpha, double* beta, double& chisq,
                          int32_t useTrial);
    // One step: initialises when lambda < 0, covariance step when lambda is
    // 0, else trial and accept/reject. Returns 1, or 101 on failure.
    int32_t levenberg_marquardt(double& chisq);
    // Fills sigma[0..anzahl-1] from the weighting mode, sigma[anzahl] and
    // sigma[anzahl+1] with 0.
    void calc_sigma();
    // Derivative of the model at x by parameter index (point mode, current
    // fitIndex): five-point (four evaluations) and central two-point.
    double ErstePartielleAbleitungVier(double x, int32_t index);
    double ErstePartielleAbleitungZwei(double x, int32_t index);
    // Applies the rules whose source is the parameter at list position
    // position. byIndex: source holds values by parameter index; otherwise
    // source holds trial values by list position. Returns 1.
    int32_t EvaluateCorrelation(int32_t position, double* a, double* source, bool byIndex);
    // Multiple-scattering rule: a[D] from the two operand parameters and the
    // angle (degrees) in correlationValues[D]. useTrial: operands that are
    // fitted are read from source by list position. Returns 1.
    int32_t MS_Correlation(double* a, double* source, bool useTrial, int32_t unused);
    // Standard deviations sqrt(|covar[j][j]|) by list position, 0 outside
    // 1e-20..1e20; not scaled by chi-square. Returns maxFitParameter + 1.
    int32_t GetError(double* errors);
    // Correlation matrix by list position, row width maxParameter + 1.
    // Returns 0.0.
    double GetCorrelation(double* matrix);
    // Model on the abscissae of the last fit: sumOfSquares = sum (y - m)^2,
    // rFactor in percent. Returns anzahl, or 0 (outputs untouched) when the
    // model, ordinates or abscissa copy are missing.
    int32_t GetResidual(double& rFactor, double& sumOfSquares);

    // ---- splines and interpolation ----
    // All work on the registered curve (xField, yField, anzahl) with rising
    // abscissae. The resampling members (Polint, BSpline, Ausgleichsspline)
    // rewrite the registered arrays in place and return the new point
    // count. Their trailing `capacity` is the number of entries the
    // caller's x and y arrays hold; left at -1 it means anzahl, so a count
    // above anzahl needs the true capacity. They return 0 and leave the
    // curve unchanged for a count below 1 or above the capacity, or when the
    // curve has too few points for the method.

    // Second derivatives of the natural cubic spline through the curve into
    // y2 (anzahl entries).
    void spline(double* y2);
    // Spline value at x with y2 from spline(), or linear interpolation with
    // y2 null. Abscissae within 1e-4 * |x| outside the curve extrapolate the
    // end interval; further out the result is 0. Keeps the last bracket
    // (shared by all objects) so that rising x costs constant time.
    double helpsplint(double x, double* y2);
    // ys[i] = natural spline value at xs[i], i below count.
    void Splint(int32_t count, double* xs, double* ys);
    // Neville interpolation onto count abscissae x[0] + i * range / count,
    // each value from the polynomial through the 6 points around it (three
    // on either side of its interval, shifted inwards at the ends; all
    // points when there are fewer). Returns count (0: refused, see above).
    int32_t Polint(int32_t count, int32_t capacity = -1);
    // B-spline curve of the given order (2 = polygon, 4 = cubic) with the
    // points as control points, open uniform knots, count samples from the
    // first point on. Returns count (0: refused; also order < 1 or
    // order > anzahl).
    int32_t BSpline(int32_t count, int32_t order, int32_t capacity = -1);
    // B-spline basis at parameter t for the knots of BSpline: basis gets
    // order + anzahl + 1 entries, the order nonzero ones end at the returned
    // index (at most anzahl - 1). Returns 0 and writes nothing for an order
    // outside 1 .. anzahl.
    int32_t BVektor(double t, int32_t order, double* basis, int32_t* knots);
    // Cubic spline through the anzahl registered points evaluated at
    // xs[0..count-1] into ys; 0 outside [x[0], x[anzahl-1]]. endMode 0
    // not-a-knot (3 points: the parabola), 1 end slopes slope0 and slopeN,
    // other values natural. Returns 0.
    int32_t CubicSpline(int32_t count, double* xs, double* ys, int32_t endMode,
                        double slope0, double slopeN);
    // Thomas algorithm, no pivoting; sub[i], diag[i], super[i] are row i of
    // an n x n system, rhs receives the solution. Returns 1.
    int32_t tridiag(int32_t n, double* sub, double* diag, double* super, double* rhs);
    // Smoothing cubic spline onto count abscissae x[0] + k * range / count:
    // derivative 0 value, 1 to 3 the derivatives; any other value leaves y.
    // smoothing is the data weight times |x[1] - x[0]| (0 counts as 0.1):
    // large values approach the interpolating spline, small ones the
    // regression line. reserved is not read. Returns count, 0 when the
    // system cannot be solved or refused (curve unchanged).
    int32_t Ausgleichsspline(int32_t count, double smoothing, int32_t derivative,
                             double* reserved, int32_t capacity = -1);
    // Bezier control points of the uniform cubic B-spline with control
    // points[0..n] (rows of 200 doubles: x, y, z) into bezier[0..3n] of each
    // row. Returns 1, 0 when n is below 1 or 3n does not fit a row.
    int32_t BezierSpline(int32_t n, double* points, double* bezier);

    // ---- derivatives, integrals, smoothing, regression, peak search ----
    // First derivative of the curve (equidistant step h) into out[0..anzahl-1]
    // (not yField). Returns 1, 0 with fewer than 5 points.
    int32_t FeldErsteAbleitung(double* out, double h);
    // Second derivative, as FeldErsteAbleitung.
    int32_t FeldZweiteAbleitung(double* out, double h);
    // Derivatives of the model callback at x (five-point stencils, step h);
    // -1.0 without a model.
    double FuncErsteAbleitung(double x, double h);
    double FuncZweiteAbleitung(double x, double h);
    // Simpson integral of the model over [a, b] with 2n intervals (n below 1
    // counts as 1); -1.0 without a model.
    double FuncIntegralSimps(double a, double b, int32_t n);
    // Simpson integral (4000 intervals) of |natural spline of the curve| over
    // [a, b]; the spline is 0 outside the curve.
    double FeldIntegralSimps(double a, double b);
    // Savitzky-Golay smoothing in place: order 1 moving average, 2 the
    // quadratic/cubic and 3 the quartic/quintic coefficients over
    // width = 2m + 1 points (even widths +1, at least order + 2). Afterwards
    // the smoothed points start at index 0: returns their number,
    // anzahl - 2m - 2. Returns 0 (curve unchanged) for another order or too
    // few points.
    int32_t GolaySavitzkySmooth(int32_t passes, int32_t order, int32_t width);
    // Mean of sections weighted least-squares polynomials (degrees[i] for
    // section i of anzahl / sections points; outside its section a point's
    // weight is multiplied by outsideFactor; weights null = defaultWeight).
    // Evaluated on the registered abscissae when count == anzahl, else on
    // x[0] + k * range / count. A degree is lowered to what the weighted
    // points determine. Returns count; 0 refused (as the resampling members
    // above, or sections below 1).
    int32_t Ausgleichspolynome(int32_t count, int32_t sections, int32_t* degrees,
                               double outsideFactor, double defaultWeight, double* weights,
                               int32_t capacity = -1);
    // Sum over the points of w * p_degree^2 (kind 1), w * y * p_degree
    // (kind 2) or w * x * p_degree^2 (kind 3), with the orthogonal
    // polynomials p of the recurrence alpha[1..], beta[2..]; other kinds 0.
    double skal(int32_t degree, short kind, double* w, double* alpha, double* beta);
    // Straight line: out[0] intercept, out[1] slope, out[2] residual standard
    // deviation, out[3] correlation coefficient. Returns 1; 0 (out untouched)
    // with fewer than 3 points or all abscissae equal.
    int32_t LineareRegression(double* out);
    // Next Gaussian peak above threshold whose FWHM lies between width / 3
    // and 2 * width; the search position is shared by all objects.
    // threshold = width = 0 resets the search and returns 1. Returns 1 with
    // height, position and fwhm set, 0 when no further peak is found.
    int32_t PeakSearch(double& height, double& position, double& fwhm, double threshold,
                       double width);

    // ---- Fourier transforms, windows, filters ----
    // Complex data: n points as 2n doubles, real and imaginary part
    // alternating. Transforms are unscaled; isign 1 uses exp(+2 pi i jk/n).

    // Capacity of the caller's arrays: see arrayCapacity.
    void SetArrayCapacity(int32_t points) { arrayCapacity = points; }
    int32_t GetArrayCapacity() const
    {
        return arrayCapacity > 0 ? arrayCapacity : ARRAY_CAPACITY_DEFAULT;
    }

    // Complex FFT of n points in place (radix-4 stages with tables of exact
    // twiddle factors kept per length; the library runs on one thread).
    // Returns 1, or 0 (data untouched) when n is not a power of two.
    int32_t Four1(int32_t n, int32_t isign, double* data);
    // FFT of 2n real values in place (n a power of two): forward (isign 1)
    // gives the half spectrum, data[0] = DC, data[1] = the Nyquist term, then
    // (re, im) pairs; any other isign inverts (times n). Returns 1 or 0.
    int32_t Realft(int32_t n, int32_t isign, double* data);
    // Transform order of the registered curve into re, im (mode 2 doubles
    // the curve first: the caller's x, y, imag must hold 2 anzahl points).
    int32_t ChangeWrapAroundOrder(double* re, double* im, double* imag, int32_t mode);
    // Windowed transform of (y, imag) over the registered x; mode -1 forward
    // (first half), 0 forward (centred), 1 backward, 2 backward of a one-sided
    // curve (mirrored). step = abscissa step of the result. A forward
    // transform of a curve whose imaginary part is 0 (chi(k)) runs as the
    // real transform it is, at half the cost. Returns the new
    // anzahl, or 0 (curve untouched) when anzahl is not a power of two, the
    // arrays are too short for mode 2, or imag is null.
    int32_t DoCommonFFT(double* imag, int32_t mode, FTWINDOW* window, FTWINDOW* range,
                        double power, double step);
    // Writes a finished transform (re, im in transform order) back as the
    // registered curve. Returns 1.
    int32_t StoreFourierArguments(double step, double* re, double* im, double* imag,
                                  int32_t mode, double power, FTWINDOW* window,
                                  FTWINDOW* range);
    // Window of the given type over the registered x: mode 1000 or above
    // writes it into re, mode 0 or below multiplies re (and im, when not
    // null), 1..999 divides by it where it is nonzero. Returns 1.
    int32_t Windowfunction(int32_t mode, double* re, double* im, int32_t type, double upper,
                           double lower, double shape);
    // Box with Gaussian edges (edge width shape percent) into w. Returns 1.
    int32_t GaussRect(double shape, double upper, double lower, double* w);
    // Polynomial approximation of I0 as it shapes the Kaiser window
    // (it carries a constant offset: Besselfunktion(0) = 3.720858346).
    double Besselfunktion(double x);
    // Fourier low-pass of y over anzahl points, window of `points` points.
    // Works on its own padded block; only y[0..anzahl-1] change. Returns 0.
    int32_t Smoothing(int32_t points);
    // Linear convolution (mode above 0) or deconvolution (0 or below) of y
    // with response[0..L-1] in wrap-around order (lag 0 .. L/2 first, then
    // lag -(L/2 - 1) .. -1), L = smallest power of two (at least 2) not
    // below anzahl. y is taken as zero outside its anzahl points, and both
    // are transformed over 2L values, so nothing wraps around; y[0..anzahl-1]
    // receive the result, response is read only. Frequencies where the
    // response spectrum is 0 are left out of a deconvolution. Returns L
    // (0 for anzahl below 1).
    int32_t Convolution(double* response, int32_t mode);
    // Deconvolution of y by an instrument profile on the same points through
    // their discrete Fourier transforms of any length n, computed in
    // O(n log n) (chirp-z); halves swapped, scaled to maximum 1. Frequencies
    // where the instrument has no weight (below 1e-13 of its largest) are
    // left out. Returns 1.0.
    double StokesCorrection(int32_t unused, double* unused2, double* instrument, double* xOut,
                            double* fOut);
    // Complex FFT of n points; direction 1 or above exp(+i), unscaled;
    // otherwise exp(-i) and scaled by 1/n. Returns 1, or 0 when n is not a
    // power of two.
    int32_t FastFourier(int32_t n, int32_t direction, double* data);
    // Radix-2 transform of n doubles (n / 2 complex points) in place: odd
    // mode exp(+i), even mode exp(-i); scaled 1 for mode 1, 2/n otherwise.
    // Mode 0 gives the spectrum of n real values divided by n, packed as
    // Realft packs it. Returns n, or 0 when n / 2 is not a power of two.
    int32_t rfft(int32_t n, int32_t mode, double* data);
    // re + i im = sum over i below n of c[i] exp(2 pi i i x / n) / n. Returns 1.0.
    double FourierSerie(int32_t n, double* c, double& re, double& im, double x);

    // ---- root search, Voigt profile, statistics ----
    // One root in [x1, x2] by Brent's method: of the model callback (onModel
    // nonzero) or of the registered curve (cubic spline with useSpline
    // nonzero, else linear). Returns 1 converged (the bracket has closed to
    // tol, also around a jump of the function), 0 not (also when the ends
    // have the same sign); root receives the best estimate.
    int32_t BrentNullstelle(double x1, double x2, double tol, double& root, int32_t onModel,
                            int32_t useSpline);
    // All sign changes of the model in [a, b], scanned with `step`. roots
    // holds at most GetArrayCapacity() values. tol becomes 0 when a root
    // did not converge or when step is not positive (then count = 0).
    void BrentAlleNullstellenFunc(double a, double b, double step, double& tol, int32_t& count,
                                  double* roots);
    // All sign changes of the registered curve in [a, b]; at most maxRoots
    // (0 = no limit) and never more than GetArrayCapacity(). Returns 1, or 0
    // when the range holds no interval.
    int32_t BrentAlleNullstellenFeld(double a, double b, double& tol, int32_t& count,
                                     double* roots, int32_t useSpline, int32_t maxRoots);
    // Integral of exp(-t^2) / (Y^2 + (X - t)^2) over t, with
    // Y = sqrt(ln 2) L / G and X = 2 sqrt(ln 2) (x - centre) / G; that is
    // pi / Y times the real part of the Faddeeva function w(X + iY).
    // G = 0 gives the limit 0, L = 0 infinity. `reserved` is not read.
    double VoigtIntegral(double x, double reserved, double centre, double lorentzWidth,
                         double gaussWidth);
    // Natural logarithm of the gamma function for xx > 0: Lanczos series
    // (shift 5.5, six terms) with the full-precision coefficients of the
    // second edition of Numerical Recipes (76.18009172947146, ..., series
    // start 1.000000000190015; error below 2e-10) rather than the rounded
    // set of the first edition (76.18009173, -86.50532033, ...), which is
    // less accurate.
    double gammln(double xx);
    // Regularised incomplete beta function I_x(a, b); -1.0 for x outside
    // [0, 1] or a, b not positive.
    double betai(double a, double b, double x);
    // Continued fraction of betai (relative accuracy 3e-7, 100 terms).
    double betacf(double a, double b, double x);
    // Mean and sample variance of data[0..n-1]; returns the variance
    // (0 for fewer than two values).
    double avevar(double* data, int32_t n, double& mean, double& variance);

    // ---- linear algebra on fixed row widths (1-based) ----
    // Rows and columns count from 1; row 0 and column 0 are not used.
    // Dimensions beyond a row width are refused with -1.0 (-1).

    // Gauss-Jordan with full pivoting: a becomes its inverse, the m columns
    // of b the solutions. 1.0, or -1.0 for a zero pivot or bad sizes.
    double gaussj(double a[][100], int32_t n, double b[][10], int32_t m);
    // LU decomposition in place (Crout, implicit partial pivoting); index
    // receives the row permutation, d its parity. 1.0 or -1.0.
    double ludcmp(double a[][100], int32_t n, int32_t* index, double& d);
    // Solves A x = b with the decomposition of ludcmp; b becomes x. 1.0 or -1.0.
    double lubksb(double a[][100], int32_t n, int32_t* index, double* b);
    // y = inverse of a; a is unchanged. 1.0 or -1.0.
    double MatrixInversion(int32_t n, double a[][100], double y[][100]);
    // c = a b (c with rows of 310). -1.0 when colsA differs from rowsB or a
    // size exceeds a row width; c is then untouched.
    double MatrixMultiplyCR(double a[][310], int32_t rowsA, int32_t colsA, double b[][100],
                            int32_t rowsB, int32_t colsB, double c[][310]);
    double MatrixMultiplyRC(double a[][100], int32_t rowsA, int32_t colsA, double b[][310],
                            int32_t rowsB, int32_t colsB, double c[][310]);
    // A = U W V^T of the m x n matrix a (n below 100): a becomes U, w[1..n]
    // the singular values (unsorted), v the matrix V. Returns 1, 0 when a
    // value did not converge in 30 iterations, -1 for bad sizes.
    int32_t svdcmp(double a[][100], int32_t m, int32_t n, double* w, double v[][100]);
    // sqrt(a^2 + b^2) without overflow.
    double pythag(double a, double b);
};

#endif
