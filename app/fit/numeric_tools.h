// The curve tools of the Numeric menu as plain functions on arrays: each
// takes the current curve (x rising, n points) and returns the new curve or
// the numbers the handler reports. None of them knows a window.
#ifndef KORLAN_NUMERIC_TOOLS_H
#define KORLAN_NUMERIC_TOOLS_H

#include <cstdint>
#include <vector>

#include "zelva.h"

struct KurvenDaten {
    std::vector<double> x, y;
    int32_t Punkte() const { return static_cast<int32_t>(x.size()); }
};

// Smallest power of two, at least 2, not below n.
int32_t ZweierPotenz(int64_t n);

// Fourier low-pass with a window of `intervall` points. false (curve
// unchanged) for an interval below 1 or fewer than 2 points.
bool FourierGlaettung(KurvenDaten& k, int32_t intervall);

// Natural cubic spline through the curve at m equally spaced abscissae from
// `unten` to `oben`. Refused (false, out untouched) for m below 2, fewer
// than 2 points or an empty range.
bool SplineNeu(const KurvenDaten& k, int32_t m, double unten, double oben, KurvenDaten& out);

// Neville interpolation onto m points (see def_zelva::Polint). false for
// m below 1 or a curve the library refuses.
bool PolynomNeu(const KurvenDaten& k, int32_t m, KurvenDaten& out);

// Golay-Savitzky smoothing (degree class 1-3 over `intervall` points,
// `durchlaeufe` passes); the curve loses its edge points. false (curve
// unchanged) when interval + 10 is not below the point count or the
// library refuses.
bool GolaySavitzky(KurvenDaten& k, int32_t durchlaeufe, int32_t gradKlasse, int32_t intervall);

// Smoothing spline onto m points (gewicht the data weight, ergebnis 0 the
// spline, 1-3 its derivatives). false for m below 6, a weight that is not
// positive or a curve the library refuses.
bool AusgleichsSplineNeu(const KurvenDaten& k, int32_t m, double gewicht, int32_t ergebnis,
                         KurvenDaten& out);

// B-spline of the given degree onto m points. false for m below 2 or a
// degree outside 2 .. n - 4.
bool BSplineNeu(const KurvenDaten& k, int32_t m, int32_t grad, KurvenDaten& out);

// Level-off polynomials: one least-squares polynomial per section of the
// curve (grade holds their degrees), points outside a section weighted by
// gewicht (0 .. 1), onto m points. false for m below 2, no polynomial,
// more polynomials than n - 4, a negative degree or a weight outside 0 .. 1.
bool AusgleichsPolynomeNeu(const KurvenDaten& k, int32_t m, const std::vector<int32_t>& grade,
                           double gewicht, KurvenDaten& out);

// Smallest spacing of neighbouring abscissae (0 with fewer than 2 points).
double KleinsterAbstand(const KurvenDaten& k);

// First (erste) or second derivative of the curve, taken with the step
// `schritt` on the points as they stand. false with fewer than 5 points or
// a step that is not positive.
bool FeldAbleitung(const KurvenDaten& k, bool erste, double schritt, KurvenDaten& out);

// The curve resampled by its cubic spline from `unten` in steps of
// `schritt` (at most `kapazitaet` points), then differentiated. false for a
// step that is not positive or fewer than 5 resulting points.
bool SplineAbleitung(const KurvenDaten& k, bool erste, double schritt, double unten, double oben,
                     int32_t kapazitaet, KurvenDaten& out);

// Derivative of the model callback at `anzahl` abscissae from `unten` in
// steps of (oben - unten) / anzahl while x <= oben, difference step h.
// false for fewer than 3 points, no model or an empty range.
bool FunktionsAbleitung(ModellCallback modell, bool erste, double h, double unten, double oben,
                        int32_t anzahl, KurvenDaten& out);

// Simpson integral of the model over [a, b] (300 double intervals); with
// more than one function of the working model each function's own
// integral follows (functions are switched on again afterwards).
std::vector<double> ModellIntegrale(ModellCallback modell, double a, double b, int32_t funktionen);
// Integral of the curve's spline over [a, b].
double DatenIntegral(const KurvenDaten& k, double a, double b);

// Roots of the curve (modell null) or of the model in [a, b]: the first
// only (alle false; gefunden tells whether it converged) or all sign
// changes, the model's scanned with `schritt`. At most `hoechstens` roots.
std::vector<double> Nullstellen(const KurvenDaten& k, ModellCallback modell, double a, double b,
                                double toleranz, double schritt, bool alle, bool spline,
                                int32_t hoechstens, bool& gefunden);

// Convolution (modus 1) or deconvolution (-1) of the curve with the
// response `modell` sampled on the curve's mean spacing h: entry i holds
// model(i h) and entry m - i model(-i h) (m the smallest power of two not
// below n), each up to n / 2 steps. false with fewer than 2 points or no
// model.
bool Falten(KurvenDaten& k, ModellCallback modell, int32_t modus);

struct Regression {
    double Achsenabschnitt = 0.0, Steigung = 0.0, Standardabweichung = 0.0, Korrelation = 0.0;
};
// Least-squares line through the curve; false with fewer than 3 points or
// all abscissae equal.
bool LineareRegressionKurve(const KurvenDaten& k, Regression& r);

struct Extremum {
    double X = 0.0, Y = 0.0;
    bool Maximum = false;
};
// Minima (art 0), maxima (art 1) or both (art -1) of the curve, found as
// roots of its derivative; with glaetten > 1 the curve is Fourier smoothed
// by that interval before. nurExtremstes keeps only the highest maximum
// (art 1) or the lowest minimum. Y is the ordinate interpolated on the
// unsmoothed curve.
std::vector<Extremum> SucheExtrema(const KurvenDaten& k, int32_t art, int32_t glaetten,
                                   bool nurExtremstes);

#endif
