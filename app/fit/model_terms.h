// Between the walk of the model evaluator and its X-ray terms: one call's
// state, the preparations and the per-point values.
#ifndef KORLAN_FIT_MODEL_TERMS_H
#define KORLAN_FIT_MODEL_TERMS_H

#include <cstdint>

#include "fit/model_function.h"

// One call of the evaluator.
struct MODELL_LAUF {
    const MODELL_UMFELD* u;
    double* p;                  // the parameter block
    const int32_t* typen;
    int32_t anzahl;             // functions
    int32_t art;                // model kind
    bool punktModus;            // ys null
    bool ohneX;                 // point mode without an x array
    double index;               // the index argument as given
    int32_t j0;                 // point number of the first point, (int)(index + 0.2)
    const double* xs;           // array mode: abscissae of the n points
    int32_t n;
    double nullpunkt;           // zero shift s of the XRD structure model
    int32_t phase;              // XRD phase of the last " Lattice constants " function
    bool uvwGenommen;           // the function after it was taken as its UVW
    bool einzelpfade;           // the single-scattering table was refilled in this call
};

inline int32_t Grundcode(int32_t code) { return code > 100 ? code - 100 : code; }

// ---- XRD structure terms ----
// Preparation 1: false when peak i (code 1-3) lies beyond the cut-off in
// point mode; x the abscissa, q its parameter index.
bool XrdAbschneidenPrueft(const MODELL_LAUF& l, int32_t q, double x);
// Preparations 6 and 7 for function i at parameter index q.
void XrdVorbereiten(MODELL_LAUF& l, int32_t i, int32_t q, int32_t code);

// ---- EXAFS shells, FEFF paths, LC-XANES ----
// Whether the X-ray absorption terms are evaluated for this call and slot.
bool ExafsTermeAktiv(const MODELL_LAUF& l);
// Preparations 2-5 for function i (codes 15-18, 21-24, 26) at q. False
// when the function contributes nothing in this call.
bool ExafsVorbereiten(MODELL_LAUF& l, int32_t i, int32_t q, int32_t code);
// Value of function i at point x, point number j.
double ExafsWert(const MODELL_LAUF& l, int32_t i, int32_t q, int32_t code, double x, int32_t j);
// Releases what the preparation of function i took for this call.
void ExafsFunktionFertig(MODELL_LAUF& l, int32_t i, int32_t code);

// The FEFF path (21-24) after the sanity test: its values at the first
// point; false when it contributes nothing.
bool FeffPfadVorbereiten(MODELL_LAUF& l, int32_t i, int32_t q, int32_t code);
double FeffPfadWert(const MODELL_LAUF& l, int32_t i, int32_t q, int32_t code, double k, int32_t j);
// The LC-XANES reference (26): the shift of its reference for this call.
bool LcXanesVorbereiten(MODELL_LAUF& l, int32_t i, int32_t q);
double LcXanesWert(const MODELL_LAUF& l, int32_t i, int32_t q, int32_t j);
void LcXanesFertig();

#endif
