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

    // ---- derivatives, integrals, smoothing, regression, peak search ----

    // ---- Fourier transforms, windows, filters ----

    // ---- root search, Voigt profile, statistics ----
    // Natural logarithm of the gamma function for xx > 0.
    double gammln(double xx);

    // ---- linear algebra on fixed row widths (1-based) ----
};

#endif
