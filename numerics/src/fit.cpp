// Levenberg-Marquardt fit step: one iteration per call, so that the program
// stays responsive and shows progress between iterations.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>

#include "zelva.h"
#include "fit_chisq.h"

namespace {

const int32_t W = def_zelva::MATRIX_WIDTH;

// One fit at a time in the whole library: trial and gradient vectors by list
// position, best and previous chi-square, run of small changes.
namespace fit_state {
double atry[def_zelva::MATRIX_WIDTH];
double beta[def_zelva::MATRIX_WIDTH];
double chisq;
double chisqAlt;
int32_t kleineAenderungen;
// Point count the running fit's sigma block and abscissa copy were made for.
int32_t fitPunkte;
// alpha and beta were made with one-sided derivatives although four-point
// ones are asked for (see KLARER_ABSTIEG).
bool grob;
// Trials rejected in a row since the last kept one.
int32_t verworfen;
// The four-point derivatives of every point are kept (KeepingDeviation),
// taken at these fitted values (by list position).
bool ableitungenBehalten;
double ableitungsStelle[def_zelva::MATRIX_WIDTH];
}  // namespace fit_state

// With four-point derivatives asked for, a kept step whose chi-square fell
// by at least this share (and by at least the stop threshold) is still far
// from the minimum: the curvature for the next step is then made with
// one-sided differences, which lead towards the minimum as well for a
// quarter of the model calls. Near the minimum every curvature and gradient
// is four-point, so a fit that runs to its minimum ends where the
// four-point fit ends (within the rounding of chi-square) and its
// covariance is the four-point one.
const double KLARER_ABSTIEG = 1e-6;
// Rejections in a row after which a one-sided curvature is replaced.
const int32_t VERWORFEN_GRENZE = 3;
// A kept step that moves no fitted value by more than this share of it
// (rounding-level steps at the minimum) keeps the four-point curvature of
// the point it left and takes the new gradient from that point's
// derivatives: they differ from those of the new point by less than their
// own rounding.
const double WINZIGER_SCHRITT = 1e-12;

// Largest point count whose blocks (2 n + 5 doubles) a size_t can express.
// Smallest lambda of an iterating fit; the covariance step has |lambda|
// at most 1e-20. Relative to 1 it is far below the double resolution.
const double LAMBDA_FLOOR = 1e-18;

const std::size_t MAX_POINTS = (static_cast<std::size_t>(-1) / sizeof(double) - 8) / 2;

// Gauss-Jordan elimination with full pivoting on the leading n x n block of
// a (rows of W) with the right-hand side b (n values). On success a holds
// its inverse and b the solution. Fails on a singular matrix.
bool GaussJordan(double* a, int32_t n, double* b)
{
    int32_t indxc[W], indxr[W], ipiv[W];
    for (int32_t j = 0; j < n; ++j) ipiv[j] = 0;
    for (int32_t i = 0; i < n; ++i) {
        double big = 0.0;
        int32_t irow = -1, icol = -1;
        for (int32_t j = 0; j < n; ++j) {
            if (ipiv[j] == 1) continue;
            for (int32_t k = 0; k < n; ++k) {
                if (ipiv[k] == 0) {
                    // ">=": of equal elements the later one is the pivot.
                    const double v = std::fabs(a[j * W + k]);
                    if (v >= big) { big = v; irow = j; icol = k; }
                } else if (ipiv[k] > 1) {
                    return false;
                }
            }
        }
        if (icol < 0) return false;  // nothing but NaN left
        ++ipiv[icol];
        if (irow != icol) {
            for (int32_t l = 0; l < n; ++l) std::swap(a[irow * W + l], a[icol * W + l]);
            std::swap(b[irow], b[icol]);
        }
        indxr[i] = irow;
        indxc[i] = icol;
        if (a[icol * W + icol] == 0.0) return false;
        const double pivinv = 1.0 / a[icol * W + icol];
        a[icol * W + icol] = 1.0;
        for (int32_t l = 0; l < n; ++l) a[icol * W + l] *= pivinv;
        b[icol] *= pivinv;
        for (int32_t ll = 0; ll < n; ++ll) {
            if (ll == icol) continue;
            const double dum = a[ll * W + icol];
            a[ll * W + icol] = 0.0;
            for (int32_t l = 0; l < n; ++l) a[ll * W + l] -= a[icol * W + l] * dum;
            b[ll] -= b[icol] * dum;
        }
    }
    for (int32_t l = n - 1; l >= 0; --l) {
        if (indxr[l] == indxc[l]) continue;
        for (int32_t k = 0; k < n; ++k) std::swap(a[k * W + indxr[l]], a[k * W + indxc[l]]);
    }
    return true;
}

}  // namespace

// ---- helpers on the object (file-local, take the object explicitly) ----
namespace {

// Clamps values[j] (by list position) of the bounded fitted parameters.
void ClampFitted(const def_zelva& z, double* values, bool byPosition)
{
    for (int32_t j = 0; j <= z.maxFitParameter; ++j) {
        const int32_t p = z.fitListe[j];
        if (!(z.parameterFlags[p] & 2)) continue;
        const double lower = z.parameter[500 + 2 * p];
        const double upper = z.parameter[501 + 2 * p];
        double& v = byPosition ? values[j] : values[p];
        if (v < lower) v = lower;
        else if (v > upper) v = upper;
    }
}

void ApplyCorrelations(def_zelva& z)
{
    for (int32_t q = 0; q <= z.maxParameter; ++q) z.EvaluateCorrelation(q, z.parameter, z.parameter, true);
    z.MS_Correlation(z.parameter, z.parameter, false, 0);
}

// The fitted positions must name distinct parameters of the model; they are
// used as indexes before the list is completed.
bool FittedListValid(const def_zelva& z)
{
    for (int32_t j = 0; j <= z.maxFitParameter; ++j) {
        const int32_t p = z.fitListe[j];
        if (p < 0 || p > z.maxParameter) return false;
        for (int32_t k = 0; k < j; ++k)
            if (z.fitListe[k] == p) return false;
    }
    return true;
}

// Writes the parameters missing from the fitted positions behind them, in
// ascending order. Fails on a duplicate or when the list cannot be completed.
bool CompleteListe(def_zelva& z)
{
    int32_t kk = z.maxFitParameter + 1;
    for (int32_t j = 0; j <= z.maxParameter; ++j) {
        int32_t count = 0;
        for (int32_t k = 0; k <= z.maxFitParameter; ++k)
            if (z.fitListe[k] == j) ++count;
        if (count > 1) return false;
        if (count == 0) {
            if (kk > z.maxParameter) return false;
            z.fitListe[kk++] = j;
        }
    }
    return kk == z.maxParameter + 1;
}

// Makes workX and workY hold at least n doubles. Fresh blocks: their
// contents are rewritten by every user.
bool EnsureWork(def_zelva& z, int32_t n)
{
    if (z.workX && z.workY && z.workPoints >= n) return true;
    const int32_t size = n > def_zelva::WORK_POINTS ? n : def_zelva::WORK_POINTS;
    void* hx = nullptr;
    void* hy = nullptr;
    double* x = static_cast<double*>(zelva_heap::AllocZero(sizeof(double) * static_cast<std::size_t>(size), &hx));
    double* y = static_cast<double*>(zelva_heap::AllocZero(sizeof(double) * static_cast<std::size_t>(size), &hy));
    if (!x || !y) {
        zelva_heap::Free(hx);
        zelva_heap::Free(hy);
        return false;
    }
    zelva_heap::Free(z.workXHandle);
    zelva_heap::Free(z.workYHandle);
    z.workX = x;
    z.workXHandle = hx;
    z.workY = y;
    z.workYHandle = hy;
    z.workPoints = size;
    return true;
}

void FreeSigma(def_zelva& z)
{
    zelva_heap::Free(z.sigmaHandle);
    z.sigmaHandle = nullptr;
    z.sigma = nullptr;
}

// R-factor in percent of y against workY. With weights w the point terms
// are |(y - m) w| and |y w|; transformTerms adds the weighted real and
// imaginary differences of a transform fit.
double RFaktor(const def_zelva& z, bool transformTerms)
{
    double num = 0.0, den = 0.0;
    const double* y = z.yField;
    const double* w = z.weightFunction;
    for (int32_t i = 0; i < z.anzahl; ++i) {
        const double m = z.workY[i];
        if (w) {
            num += std::fabs((y[i] - m) * w[i]);
            den += std::fabs(y[i] * w[i]);
        } else {
            num += std::fabs(y[i] - m);
            den += std::fabs(y[i]);
        }
    }
    if (w && transformTerms && z.realFT && z.imagFT) {
        for (int32_t i = 0; i < z.anzahl; ++i) {
            num += std::fabs((z.realFT[i] - z.imagFT[i]) * w[i]);
            den += std::fabs(y[z.anzahl + 1 + i] * w[i]);
        }
    }
    return den != 0.0 ? 100.0 * num / den : 0.0;
}

// Model over the copied abscissae, difference array, R-factor.
double EvaluateDifference(def_zelva& z)
{
    z.function(0.0, 0.0, z.workX, z.workY, z.anzahl);
    for (int32_t i = 0; i < z.anzahl; ++i) z.difference[i] = z.yField[i] - z.workY[i];
    return RFaktor(z, z.useFitProcedure && z.fitProcedure);
}

bool SetUpComplete(const def_zelva& z)
{
    if (!z.xField || !z.yField || !z.function || !z.parameter) return false;
    if (!z.difference || !z.fitListe || !z.parameterFlags) return false;
    if (z.anzahl <= 1 || static_cast<std::size_t>(z.anzahl) > MAX_POINTS) return false;
    if (z.maxFitParameter < 0 || z.maxFitParameter >= def_zelva::MATRIX_WIDTH) return false;
    if (z.maxParameter < 0 || z.maxParameter >= def_zelva::MATRIX_WIDTH) return false;
    return true;
}

}  // namespace

namespace {

// How a step evaluates: as the object is set (the callback, or the own loop
// with the chosen rule), the own loop with the chosen rule keeping its
// derivatives, or the own loop with one-sided derivatives.
enum class Regel { Eingestellt, Behaltend, Steuernd };

// initmarquardt with the evaluation rule of the step.
void Auswerten(def_zelva& z, const double* trial, double* alpha, double* beta, double& chisq,
               bool useTrial, Regel regel, bool modellBekannt = false)
{
    const int32_t n = z.maxFitParameter + 1;
    for (int32_t j = 0; j < n; ++j) {
        for (int32_t k = 0; k <= j; ++k) alpha[j * W + k] = 0.0;
        beta[j] = 0.0;
    }
    double saved[def_zelva::MATRIX_WIDTH];
    for (int32_t j = 0; j < n; ++j) {
        saved[j] = z.parameter[z.fitListe[j]];
        if (useTrial) z.parameter[z.fitListe[j]] = trial[j];
    }
    chisq = regel == Regel::Eingestellt ? z.CalcDeviation(alpha, beta)
            : regel == Regel::Behaltend ? zelva_detail::KeepingDeviation(z, alpha, beta)
                                        : zelva_detail::SteeringDeviation(z, alpha, beta, modellBekannt);
    for (int32_t j = 0; j < n; ++j) z.parameter[z.fitListe[j]] = saved[j];
    for (int32_t j = 1; j < n; ++j)
        for (int32_t k = 0; k < j; ++k) alpha[k * W + j] = alpha[j * W + k];
}

// Replaces a one-sided curvature and gradient of the current parameters by
// the four-point ones; the chi-square is the one already known.
void Verfeinern(def_zelva& z)
{
    double chi = 0.0;
    Auswerten(z, nullptr, z.alpha, fit_state::beta, chi, false, Regel::Behaltend);
    fit_state::grob = false;
    fit_state::ableitungenBehalten = true;
    for (int32_t j = 0; j <= z.maxFitParameter; ++j)
        fit_state::ableitungsStelle[j] = z.parameter[z.fitListe[j]];
}

// True when no trial value lies farther than WINZIGER_SCHRITT of it from
// the values the kept derivatives were taken at.
bool Winzig(const def_zelva& z, const double* trial)
{
    if (!fit_state::ableitungenBehalten) return false;
    for (int32_t j = 0; j <= z.maxFitParameter; ++j) {
        const double a = fit_state::ableitungsStelle[j];
        if (!(std::fabs(trial[j] - a) <= WINZIGER_SCHRITT * std::fabs(a))) return false;
    }
    return true;
}

// Change of chi-square that counts as close to nothing for the choice of
// the derivative rule: below the stop threshold or the share above.
double Schwelle(const def_zelva& z, double chi)
{
    const double relativ = KLARER_ABSTIEG * std::fabs(chi);
    return z.abbruch > relativ ? z.abbruch : relativ;
}

}  // namespace

int32_t def_zelva::initmarquardt(double* trial, double* alpha, double* beta, double& chisq,
                                 int32_t useTrial)
{
    Auswerten(*this, trial, alpha, beta, chisq, useTrial != 0, Regel::Eingestellt);
    return 1;
}

int32_t def_zelva::levenberg_marquardt(double& chisq)
{
    using fit_state::atry;
    using fit_state::beta;
    const int32_t n = maxFitParameter + 1;
    // With the library's own loop a trial is first judged by its
    // chi-square alone (one model call per point); its curvature and
    // gradient (m, 2 m or 4 m more calls per point) are only worked out for
    // a trial that is kept. A chi-square callback gives all three at once.
    const bool ownLoop = !(useFitProcedure && fitProcedure);
    const bool steuernErlaubt = ownLoop && ableitung != 2;

    if (lambda < 0.0) {
        if (!CompleteListe(*this)) return 101;
        lambda = 0.001;
        Auswerten(*this, atry, alpha, beta, chisq, false,
                  steuernErlaubt ? Regel::Steuernd : Regel::Eingestellt);
        fit_state::grob = steuernErlaubt;
        fit_state::verworfen = 0;
        fit_state::ableitungenBehalten = false;
        ochisq = chisq;
        for (int32_t j = 0; j < n; ++j) atry[j] = parameter[fitListe[j]];
    }

    // The covariance is always that of the rule the object is set to.
    const bool kovarianz = std::fabs(lambda) <= 1e-20;
    if (kovarianz && fit_state::grob) Verfeinern(*this);

    // The right-hand side, then the step.
    double da[MATRIX_WIDTH];
    for (int32_t j = 0; j < n; ++j) {
        for (int32_t k = 0; k < n; ++k) covar[j * W + k] = alpha[j * W + k];
        covar[j * W + j] = alpha[j * W + j] * (1.0 + lambda);
        da[j] = beta[j];
    }
    if (!GaussJordan(covar, n, da)) return 101;

    // Final step: covar now holds the inverse of the curvature matrix.
    if (kovarianz) return 1;

    for (int32_t j = 0; j < n; ++j) atry[j] = parameter[fitListe[j]] + da[j];
    ClampFitted(*this, atry, true);
    for (int32_t q = 0; q <= maxParameter; ++q) EvaluateCorrelation(q, parameter, atry, false);
    MS_Correlation(parameter, atry, true, 0);
    Regel regel = Regel::Eingestellt;
    bool behalten = false;
    if (ownLoop) {
        const double trialChi = zelva_detail::TrialChiSquare(*this, atry);
        if (!(ochisq > trialChi)) {
            lambda *= 10.0;
            chisq = ochisq;
            ApplyCorrelations(*this);
            // A one-sided curvature is kept past overshoots far from the
            // minimum, but not past a trial that came close nor past a third
            // rejection in a row: then the four-point one decides.
            const bool nahe = trialChi - ochisq < Schwelle(*this, ochisq);
            ++fit_state::verworfen;
            if (fit_state::grob && (nahe || fit_state::verworfen >= VERWORFEN_GRENZE)) Verfeinern(*this);
            return 1;
        }
        fit_state::verworfen = 0;
        if (steuernErlaubt) {
            regel = ochisq - trialChi >= Schwelle(*this, ochisq) ? Regel::Steuernd : Regel::Behaltend;
            behalten = regel == Regel::Behaltend && !fit_state::grob && Winzig(*this, atry) &&
                       zelva_detail::GradientFromKept(*this, da);
            if (behalten) chisq = trialChi;
        }
    }
    // A kept trial's model values are those TrialChiSquare just made.
    if (!behalten) Auswerten(*this, atry, covar, da, chisq, true, regel, ownLoop);

    if (ochisq > chisq) {
        // Lambda never decays into the range that marks the covariance step;
        // near a flat minimum that would end all progress.
        lambda = lambda * 0.1 > LAMBDA_FLOOR ? lambda * 0.1 : LAMBDA_FLOOR;
        ochisq = chisq;
        for (int32_t j = 0; j < n; ++j) {
            if (!behalten)
                for (int32_t k = 0; k < n; ++k) alpha[j * W + k] = covar[j * W + k];
            beta[j] = da[j];
            parameter[fitListe[j]] = atry[j];
        }
        fit_state::grob = regel == Regel::Steuernd;
        if (!behalten) {
            fit_state::ableitungenBehalten = regel == Regel::Behaltend;
            for (int32_t j = 0; j < n; ++j) fit_state::ableitungsStelle[j] = atry[j];
        }
        ClampFitted(*this, parameter, false);
    } else {
        lambda *= 10.0;
        chisq = ochisq;
        // The derivatives just kept belong to the rejected trial.
        if (regel == Regel::Behaltend) fit_state::ableitungenBehalten = false;
    }

    ApplyCorrelations(*this);
    return 1;
}

int32_t def_zelva::LeastSquareFit(double& rFactor, double& chisq, int32_t& iteration)
{
    if (!SetUpComplete(*this)) return -2;
    if (iteration != 0) {
        // Only a running fit can be continued: after -1 or 101 the sigma
        // block is gone, and the point count must still be the one it was
        // made for.
        if (!sigma || anzahl > fit_state::fitPunkte || anzahl > workPoints) return -2;
    } else {
        if (!EnsureWork(*this, anzahl)) return -2;
    }

    auto failure = [&]() -> int32_t {
        FreeSigma(*this);
        zelva_detail::ReleaseFitBlocks();
        weightFunction = nullptr;
        useFitProcedure = 0;
        return 101;
    };

    if (iteration == 0) {
        fit_state::chisq = 0.0;
        FreeSigma(*this);  // a fit restarted before it ended
        sigma = static_cast<double*>(zelva_heap::AllocZero(
            sizeof(double) * (2 * static_cast<std::size_t>(anzahl) + 5), &sigmaHandle));
        if (!sigma) return failure();
        fit_state::fitPunkte = anzahl;
        calc_sigma();
        lambda = -1.0;
        std::memcpy(workX, xField, sizeof(double) * static_cast<std::size_t>(anzahl));
        if (!FittedListValid(*this)) return failure();
        ClampFitted(*this, parameter, false);
        ApplyCorrelations(*this);
        if (levenberg_marquardt(fit_state::chisq) != 1) return failure();
        fit_state::kleineAenderungen = 0;
    }

    ++iteration;
    fit_state::chisqAlt = fit_state::chisq;
    if (levenberg_marquardt(fit_state::chisq) != 1) return failure();

    if (abbruch > std::fabs(fit_state::chisqAlt - fit_state::chisq))
        ++fit_state::kleineAenderungen;
    else
        fit_state::kleineAenderungen = 0;

    if (fit_state::kleineAenderungen <= 7 && iteration < maxIterationen) {
        rFactor = EvaluateDifference(*this);
        chisq = fit_state::chisq;
        return 1;
    }

    lambdaEnd = lambda;
    lambda = 0.0;
    if (levenberg_marquardt(fit_state::chisq) != 1) return failure();
    chisq = fit_state::chisq;
    rFactor = EvaluateDifference(*this);
    FreeSigma(*this);
    zelva_detail::ReleaseFitBlocks();
    useFitProcedure = 0;
    ApplyCorrelations(*this);
    return -1;
}

int32_t def_zelva::GetError(double* errors)
{
    if (!errors || !covar || maxFitParameter < 0 || maxFitParameter >= MATRIX_WIDTH) return 0;
    for (int32_t j = 0; j <= maxFitParameter; ++j) {
        const double c = std::fabs(covar[j * W + j]);
        errors[j] = (c > 1e-20 && c < 1e20) ? std::sqrt(c) : 0.0;
    }
    return maxFitParameter + 1;
}

double def_zelva::GetCorrelation(double* matrix)
{
    if (!matrix || !covar || maxFitParameter < 0 || maxFitParameter >= MATRIX_WIDTH) return 0.0;
    if (maxParameter < maxFitParameter) return 0.0;
    const int32_t width = maxParameter + 1;
    for (int32_t i = 0; i <= maxFitParameter; ++i) {
        for (int32_t j = 0; j <= maxFitParameter; ++j) {
            const double ci = std::fabs(covar[i * W + i]);
            const double cj = std::fabs(covar[j * W + j]);
            double r = 0.0;
            if (ci > 0.0 && ci < 1e20 && cj > 0.0 && cj < 1e20)
                r = covar[j * W + i] / (std::sqrt(cj) * std::sqrt(ci));
            matrix[i * width + j] = r;
        }
    }
    return 0.0;
}

int32_t def_zelva::GetResidual(double& rFactor, double& sumOfSquares)
{
    if (!function || !yField || !workX || !workY || anzahl <= 0 || anzahl > workPoints) return 0;
    function(0.0, 0.0, workX, workY, anzahl);
    double sum = 0.0;
    for (int32_t i = 0; i < anzahl; ++i) {
        const double d = yField[i] - workY[i];
        sum += d * d;
    }
    sumOfSquares = sum;
    rFactor = RFaktor(*this, true);
    return anzahl;
}
