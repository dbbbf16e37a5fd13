// The fit run: the per-type bounds of a new model, the F test between two
// fits of the same model and curve, and the status text of the fit panel.
// Plain code, no window dependency; the run itself (panel, queue, posts)
// is in fit_run_win.cpp.
#ifndef KORLAN_FIT_FIT_RUN_H
#define KORLAN_FIT_FIT_RUN_H

#include <cstddef>
#include <cstdint>

#include "zelva.h"

// Results of def_zelva::LeastSquareFit as the fit state keeps them.
const int32_t FIT_KEIN = 0;
const int32_t FIT_LAEUFT = 1;
const int32_t FIT_FERTIG = -1;
const int32_t FIT_FEHLER = 101;
const int32_t FIT_OHNE_AUFBAU = -2;
// Command 22 while iterating adds this to the counter as a stop request.
const int32_t FIT_ABBRUCH_ZUSATZ = 10000;
// State words of the fit run besides the application object's.
extern int32_t FitGestartet;       // 1 once a fit has started (521 restores)
// Whose start values FitStartWerte holds: the window (0-3, -1 none), its
// parameter block and the model's parameter count when the fit started.
extern int32_t FitStartFenster;
extern const double* FitStartBlock;
extern int32_t FitStartAnzahl;
// Whether the start values belong to this window's model as it stands.
bool StartwerteFuer(int32_t fenster, const double* block, int32_t anzahl);
extern int32_t FitSignatur;        // signature of the last finished fit
extern double FitVarianzAlt;       // residual variance of the last finished fit
extern double FitVarianzNeu;       // residual variance of the current step
extern double FTestWert;           // F-test probability of the last step
// EXAFS fit procedure mode (set by the chi-square callback); the fit run
// and its end set it to -1, and the view flag of the graphic window's
// EXAFS panels with it.
extern int32_t ExafsProzedurModus;
// Set by the macro player for a replayed 507 step recorded after an
// automatic peak search; the fit's first step takes it (and clears it).
extern int32_t MakroFitMitSuche;
// The failure (101, -2) that ended the last fit of a macro, 0 when it ended
// normally; read by the report and the series tables.
extern int32_t FitFehlgeschlagen;

// Width of the rules of the status text.
const int32_t STATUS_REGEL_ZEICHEN = 29;

// Counts the parameters of the working model, resets the tables for it and
// sets the start bounds and constraints per function type: polynomial
// coefficients 0; the Gaussian part of a pseudo-Voigt (and of the
// asymmetric one) within 0 .. 1; a Voigt's height 1.0 when it is 0 and
// both widths within 0.001 .. 1000 (0.5 when below 0.01); a Pearson VII's
// two exponents within 0 .. 100 (1.0 when 0). *voigt says whether a Voigt
// is in the model. Returns the parameter count, -1 when the model does not
// fit the tables (nothing changed).
int32_t ModellGrenzenSetzen(bool* voigt);

// Signature of a fit: equal for a refit of the same model on the same curve.
inline int32_t FitSignaturVon(int32_t maxParameter, int32_t funktionen, int32_t punkte)
{
    return maxParameter + 10 * (funktionen + punkte);
}

// Two-sided F test of two residual variances with d degrees of freedom on
// each side: F = larger / smaller, p = 2 I(d/2, d/2, d / (d + d F)),
// mirrored above 1; p below 0.001 is 0. Equal variances (also both 0) give
// p = 1; one variance 0 against a positive one gives 0.
double FTestWahrscheinlichkeit(def_zelva& numerik, double varianzAlt, double varianzNeu, int32_t d);

// What the status text shows besides the working model.
struct FIT_STATUS {
    int32_t Iterationen = 0;      // above FIT_ABBRUCH_ZUSATZ: stopped by the user
    double Chi2 = 0.0;
    double RFaktor = 0.0;
    bool MitFTest = false;        // same signature as the fit before
    double FTest = 0.0;           // its probability
    bool MehrereFeffSaetze = false;  // a fit of several FEFF data sets
    // CommandArgs of the last model run (5000 + i: the cluster distance of
    // function i); may be null.
    const double* Ergebnisse = nullptr;
    // Strings 22-24 and the rules 20 and 21 of the string table.
    const char* IterationenText = "Iterations:";
    const char* ResiduumText = "Residual:";
    const char* Chi2Text = "(CHI)'2:";
    const char* Strichlinie = "";
    const char* Punktlinie = "";
};

// Composes the status text of the fit panel into text (groesse bytes; cut
// to fit): the iterations, chi-square, residual and F-test lines, then per
// function of the working model its name, the dotted rule, one line per
// parameter and the dashed rule. Every line ends with "\r\n".
void FitStatusTextKern(char* text, std::size_t groesse, const FIT_STATUS& s);

#endif
