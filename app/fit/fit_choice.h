// The choice of a fit model: the model built from the counts per type of
// the function choice dialog, those counts read back from a model, the
// noise estimate of a curve and the automatic start-value search. Plain
// code, no window dependency.
#ifndef KORLAN_FIT_FIT_CHOICE_H
#define KORLAN_FIT_FIT_CHOICE_H

#include <cstdint>

#include "zelva.h"

// Rows of the function choice dialog: type codes 1 to 20.
const int32_t WAHL_TYPEN = 20;
const int32_t POLYNOM_TYP = 7;
const int32_t TYPEN_TABELLE = 1200;   // type entries cleared on a new model

// What a row of the dialog holds: shown or hidden, and its number (the
// count, or the degree for the polynomial).
struct FUNKTIONS_WAHL {
    bool Gezeigt[WAHL_TYPEN + 1];
    int32_t Anzahl[WAHL_TYPEN + 1];
};

// The rows for an existing model: each type that occurs is shown with its
// count, the polynomial with the degree.
FUNKTIONS_WAHL WahlAusModell(int32_t count, const int32_t* types, int32_t polyDegree);

// The model from the rows, in ascending type order: counts outside 0-100
// are ignored, a count below 1 drops its type, the polynomial row appends
// one polynomial of its degree (0-100). Writes at most capacity codes into
// types and sets polyDegree when a polynomial is chosen. Returns the
// function count (0: nothing chosen, types untouched).
int32_t ModellAusWahl(const FUNKTIONS_WAHL& wahl, int32_t* types, int32_t capacity, int32_t& polyDegree);

// The number a row's spin button steps to (up +1, down -1), or the old
// number when the new one leaves 0-7 (polynomial) or 1-99 (counts).
int32_t WahlSchritt(int32_t type, int32_t alt, int32_t richtung);

// Noise amplitude of a curve: the median absolute deviation of its second
// differences, scaled to the standard deviation of Gaussian noise; 1.0E-3
// for ten points or fewer or when the estimate is 0.
double RauschSchaetzung(const double* y, int32_t n);

// Start values of the working model (FitFunctionTypes, FitParameters,
// FitPolyDegree) from the curve x, y of n points: with one peak function
// (or one and the polynomial) from the largest second derivative of the
// smoothed curve, else peak by peak from the numerics library's peak
// search with threshold and fwhm. The object's arrays and count are set to
// the curve and restored afterwards. Writes only parameters of the model.
void AutoPeakSearchKern(def_zelva& numerik, double threshold, double fwhm, int32_t n, const double* x,
                        const double* y);

// Function borders of command 155: accepted only when from < to.
bool GrenzenGueltig(double von, double bis);

#endif
