// The peak search of a powder pattern: derivative-based line detection that
// turns the lines into a fit model (one profile function per peak and a
// straight background), the background spline through movable nodes, and
// the peak table with the d spacings. Plain code over arrays; the model is
// written into the working copy of the fit model (fit/fit_model.h).
#ifndef KORLAN_XRD_PEAK_SEARCH_H
#define KORLAN_XRD_PEAK_SEARCH_H

#include <cstdint>
#include <vector>

class def_zelva;

// Profile codes of the search and the model types behind them.
const int32_t PROFIL_GAUSS = 0;         // type 1: height, position, fwhm
const int32_t PROFIL_PSEUDO_VOIGT = 1;  // type 6: height, position, left and right fwhm, Gaussian part
const int32_t PROFIL_PEARSON7 = 2;      // type 13: height, position, left fwhm, exponent, right fwhm, exponent

// First y value of a background curve that does not exist.
const double HINTERGRUND_FEHLT = -6666.0;
// Node blocks of the background spline.
const int32_t HINTERGRUND_KNOTEN_MAX = 500;

// Fewest points of a curve the search runs on.
const int32_t PEAK_SUCHE_MINDESTPUNKTE = 5;

// Parameter count of one peak (the record stride): 3, 5 or 6; 0 for an
// unknown profile.
int32_t PeakStride(int32_t profile);
// Model type of the profile (1, 6, 13), or 0.
int32_t PeakTyp(int32_t profile);
// Profile of a model type (1, 6, 13), or -1.
int32_t PeakProfilVonTyp(int32_t typ);
// Most peaks a model of this profile holds with its background within the
// 249 parameters of a model: 82, 49 or 41.
int32_t PeakHoechstzahl(int32_t profile);

// What the search found besides the model.
struct PeakFund {
    std::vector<double> positionen;  // 2 theta of each peak
    std::vector<double> hoehen;      // the unsmoothed y at each top
    bool begrenzt = false;           // more lines lay above the limit than the model holds
    double grenze = 0.0;             // then: the 2 theta beyond which lines were left out
};

// Finds the lines of the curve x, y (n points, equidistant x) whose smoothed
// derivative rises above limit percent of its steepest rise, and writes the
// model: FitFunctionTypes, FitParameters (with the bounds of the constrained
// shape parameters), ParameterFlags, CorrelationWords, CorrelationConstants,
// FreeParameterList (the first 1200 entries reset), FitFunctionCount = peaks
// + 1 and FitPolyDegree = 1. Returns the number of peaks. A limit <= 0, an
// unknown profile or fewer than 5 points return 0 and change nothing.
// The library's registered arrays are restored afterwards.
int32_t FindPeaks(def_zelva& numerik, int32_t profile, const double* x, const double* y,
                  int32_t n, double limit, PeakFund& fund);

// Background spline through m nodes (nx, ny; blocks of 500) over the curve
// x, y (n points) between the section borders lo and hi. mode >= 0 places
// the nodes anew (ends at lo and hi with the first and last y, inner nodes
// evenly between, their y from the pattern); mode -1 keeps them. Fills bx,
// by (n values); where the spline gives exactly 0 the curve's own y is
// taken. Returns 1; 0 (nothing changed) for m outside 2 .. 500, fewer than
// 2 points, hi <= lo, or nodes that do not rise strictly in x.
int32_t InterpolatePattern(def_zelva& numerik, int32_t mode, const double* x, const double* y,
                           int32_t n, double lo, double hi, double* bx, double* by, int32_t m,
                           double* nx, double* ny);

// Peak table of the model in the working copy (FitFunctionCount - 1 peaks
// of stride s, the last function the background) into args: [0] = count,
// then per peak 2 theta, intensity in percent of the strongest, d in pm
// (lambda / (2 sin theta), 0 for 2 theta <= 0). capacity is the number of
// doubles args holds; peaks that do not fit are left out. Returns the count
// written.
int32_t XrdPeakTabelle(int32_t stride, double lambda, double* args, int32_t capacity);

#endif
