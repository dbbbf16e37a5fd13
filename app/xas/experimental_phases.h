// Experimental phases and amplitudes of EXAFS shells (model types 15-18):
// the comma-separated list of phase and amplitude files, the files read as
// spectra, their usable k range, their values on the data grid and the
// reference shell (N, R) of the ".par" file beside each phase.
//
// Plain code: no window system, so it builds natively too.
#ifndef KORLAN_XAS_EXPERIMENTAL_PHASES_H
#define KORLAN_XAS_EXPERIMENTAL_PHASES_H

#include <cstdint>
#include <string>
#include <vector>

class def_zelva;

// Field i (from 0) of a comma-separated list of file names, blanks and
// line ends around it removed; "" when the list has no such field.
std::string PhasenListenFeld(const char* liste, int32_t i);

// The files of shell i of a model with `schalen` shells: the list holds
// every phase name, then every amplitude name (phase i is field i, its
// amplitude field schalen + i).
void SchalenDateien(const char* liste, int32_t schalen, int32_t i, std::string* phase,
                    std::string* amplitude);

// The reference file beside a phase file: the name up to the last '.' of
// its file part, plus ".par" ("cu.pha" -> "cu.par", "a.b\\cu" -> "a.b\\cu.par").
std::string ReferenzDateiName(const std::string& phase);

// The reference shell of a ".par" file: the coordination number on the
// first line, the distance (Angstrom) on the second. Returns true when
// both were read; otherwise *n = 4.0 and *r = 1.9.
bool ReferenzSchaleLesen(const std::string& pfad, double* n, double* r);

// Writes a ".par" file: N and R, each as "%G \r\n". False when the file
// could not be written.
bool ReferenzSchaleSchreiben(const std::string& pfad, double n, double r);

// A phase or amplitude as a spectrum file holds it: k (inverse Angstrom)
// and the values.
struct PHASEN_KURVE {
    std::vector<double> k, Werte;
    int32_t Punkte() const { return static_cast<int32_t>(k.size()); }
};

// Codes of PhasenKurveLesen.
const int32_t PHASE_OK = 0;
const int32_t PHASE_FEHLT = 1;        // file missing or unreadable
const int32_t PHASE_UNBRAUCHBAR = 2;  // fewer than 4 points or k not rising

// Reads a binary or text spectrum file into *kurve.
int32_t PhasenKurveLesen(const std::string& pfad, PHASEN_KURVE* kurve);

// The usable range of a phase: its first and last k widened by 1 % of
// their magnitudes.
void PhasenBereich(const PHASEN_KURVE& kurve, double* lo, double* hi);
// The range a curve beyond it is cut to: first and last k narrowed by 1 %.
void PhasenSchnitt(const PHASEN_KURVE& kurve, double* lo, double* hi);

// The curve's values at x[0 .. n-1] by the natural cubic spline through
// it (0 outside its range) into aus. The numerics object's registered
// arrays are restored afterwards.
void PhaseAufGitter(def_zelva& z, const PHASEN_KURVE& kurve, const double* x, int32_t n, double* aus);

#endif
