// The statistics on the last refinement: the automated F tests and the
// confidence limits, and the refit protocol both share (a parameter is held
// by its fixed flag and taken out of the free-parameter list, the model is
// refitted until the library stops returning 1, and everything is put back
// from saved copies). Plain code on the working model and a numerics
// object; the commands that run them are in fit_statistics_win.cpp.
#ifndef KORLAN_FIT_FIT_STATISTICS_H
#define KORLAN_FIT_FIT_STATISTICS_H

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "zelva.h"

// Slot flags that choose the EXAFS refit: a complex transform (model kind
// 3) and an EXAFS model on a k curve (model kind 6).
const uint32_t NACHFIT_KOMPLEX = 0x20;
const uint32_t NACHFIT_EXAFS_K = 0x10;
// Entry of a parameter's second flag word in the flag table, and the word
// a held Debye-Waller polynomial parameter gets there.
const int32_t ZWEITE_FLAGS = 9000;
const int32_t ZWEITE_DW_POLYNOM = 366;

// What a refit needs besides the working model and its tables.
struct NACHFIT_AUFBAU {
    def_zelva* Numerik = nullptr;        // set up for the curve by the caller
    int32_t Punkte = 0;                  // N of the current slot
    uint32_t KurvenFlags = 0;            // flag word of the current slot
    ChiQuadratCallback ExafsProzedur = nullptr;  // installed for 0x20 / 0x10 slots
    int32_t* FensterModellArt = nullptr; // the window's model kind (may be null)
    // Weights and imaginary parts of a complex fit (all three or none).
    const double* Gewichte = nullptr;
    const double* ImagDaten = nullptr;
    const double* ImagModell = nullptr;
};

// Result of one refit to its end.
struct NACHFIT_STAND {
    int32_t Zustand = 0;     // the library's last answer (-1, 101, -2)
    double RFaktor = 0.0;
    double Chi2 = 0.0;
    int32_t Iterationen = 0;
};

// Prepares the model (model kind 3 or 6 with the EXAFS procedure for a
// complex or k-space EXAFS slot; point count and parameter counts of the
// library) and fits until the library returns anything but 1.
NACHFIT_STAND Nachfitten(const NACHFIT_AUFBAU& a);
// The preparation alone.
void NachfitVorbereiten(const NACHFIT_AUFBAU& a);

// The state the statistics change, saved from MaxParameter (parameters,
// free-parameter list, flag words and second flag words 0 .. MaxParameter,
// MaxFitParameter, the library's iteration limit).
struct FIT_SICHERUNG {
    std::vector<double> Parameter;
    std::vector<int32_t> Liste, Flags, Zweite;
    int32_t MaxFit = 0;
    int32_t MaxIterationen = 0;
};
FIT_SICHERUNG FitSichern(const def_zelva& z);
// Puts back parameters, list, flags and MaxFitParameter (and, with
// mitGrenze, the iteration limit).
void FitZuruecksetzen(const FIT_SICHERUNG& s, def_zelva& z, bool mitGrenze);

// A parameter that the fit moves: not fixed and not correlated with a
// positive correlation word.
bool ParameterFrei(int32_t p);
// Holds parameter p at its value for the next refits: fixed flag set, the
// bounds flag cleared, p swapped with the last free entry of the list and
// MaxFitParameter lowered; the second flag word 366 for a Debye-Waller
// polynomial parameter, else 0. false when p is not in the free part.
bool ParameterHalten(int32_t p);

// Variance of the residual of the last refit: avevar over the N values of
// the difference array, or for a complex fit with weights and imaginary
// parts over the 2N + 1 weighted values.
double ResiduumVarianz(const NACHFIT_AUFBAU& a);

// ---- F tests ----
// Two-sided F-test probability for the variance ratio F (>= 1) with nu
// degrees of freedom on both sides: 2 I(nu/2, nu/2, nu / (nu F + nu)),
// mirrored above 1.
double FTestP(def_zelva& z, double f, int32_t nu);

// The shifted start value of parameter i (value v) in pass m: s receives
// the relative shift (negative for a set distance). deltaR is the
// " Delta R" option; reff(k) gives the reference distance of the k-th
// FEFF path function (1-based).
double FTestStartwert(int32_t i, double v, int32_t m, int32_t deltaR, const std::function<double(int32_t)>& reff,
                      double* s);

struct FTEST_ZEILE {
    int32_t Index = 0;       // parameter index
    double Wert = 0.0;       // its value
    double P = 0.0;          // probability (0 below 0.1)
    double RFix = 0.0, RFrei = 0.0;
    double Start = 0.0;      // shifted start value of the last pass
    double S = 0.0;          // its relative shift
};
struct FTEST_ERGEBNIS {
    double R0 = 0.0;
    std::vector<FTEST_ZEILE> Zeilen;
    double VarianzAlt = 0.0, VarianzNeu = 0.0;  // of the last pair
    NACHFIT_STAND Letzter;   // the last refit
};
// The automated F tests of every free parameter (iteration limit 25);
// fortschritt(k) after k parameters. Parameters, tables, MaxFitParameter
// and the iteration limit are as before at the end, and the model is
// prepared once more.
FTEST_ERGEBNIS AutoFTestKern(const NACHFIT_AUFBAU& a, int32_t deltaR, const std::function<double(int32_t)>& reff,
                             const std::function<void(int32_t)>& fortschritt);
// Its text for the results window.
std::string AutoFTestText(const FTEST_ERGEBNIS& e);

// ---- confidence limits ----
struct KONFIDENZ_ZEILE {
    int32_t Index = 0;
    double L = 0.0;          // distance to the limit (negative downward)
    bool Gefunden = false;
    double Unten = 0.0, Oben = 0.0;  // the final bracket, from P0
};
struct KONFIDENZ_ERGEBNIS {
    std::vector<KONFIDENZ_ZEILE> Zeilen;
    double Chi2Min = 0.0;
    NACHFIT_STAND Letzter;   // the final fit
};
// For every free parameter the distance at which chi-square, the others
// refitted, reaches (2 - c) chi_min (iteration limit 50). At the end
// everything is put back, the model prepared and fitted once more, so the
// parameters are those of the final fit.
KONFIDENZ_ERGEBNIS KonfidenzKern(const NACHFIT_AUFBAU& a, double c, const std::function<void(int32_t)>& fortschritt);
// Its text; the values are the parameters as they stand (after the final fit).
std::string KonfidenzText(const KONFIDENZ_ERGEBNIS& e, double c);

// ---- confidence contour ----
// Two parameters scanned over a grid without refitting: p1 from
// (1 - r1) w1 in nY steps of 2 w1 r1 / nY (1 % longer each column), p2
// from (1 - r2) w2 in nX steps of 2 w2 r2 / nX; a grid point is accepted
// when |R - R0| < |(1 - t) R0|, R the library's R factor.
const int32_t KONTUR_MAX_GITTER = 5000;
const int32_t KONTUR_MIN_PUNKTE = 11;
struct KONTUR_EINSTELLUNG {
    int32_t P1 = 0, P2 = 1;      // parameter indexes
    double R1 = 0.1, R2 = 0.1;   // ranges, fractions of the values
    double T = 0.95;             // tolerance, fraction
    int32_t NX = 50, NY = 50;    // grid
};
// Two different parameters of the model and a grid of 1 .. 5000 each way.
bool KonturGueltig(const KONTUR_EINSTELLUNG& k);
struct KONTUR_ERGEBNIS {
    double R0 = 0.0;
    std::vector<double> X;                  // p1 values of the first column
    std::vector<std::vector<double>> R;     // per column (p2 value) the nY R values
    int32_t Angenommen = 0;                 // accepted grid points
    bool Genug = false;                     // at least KONTUR_MIN_PUNKTE of them
    // The outline: the accepted (p1, p2) sorted by p1 without the first and
    // the last, x made rising; its half-widths in x and y.
    std::vector<double> KurveX, KurveY;
    double Grenze1 = 0.0, Grenze2 = 0.0;
};
// The scan on the numerics object as the last fit left it; fortschritt(a)
// after column a. Both parameters have their values back at the end.
// Nothing is scanned for settings KonturGueltig refuses.
KONTUR_ERGEBNIS KonturScan(def_zelva& z, const KONTUR_EINSTELLUNG& k, const std::function<void(int32_t)>& fortschritt);

#endif
