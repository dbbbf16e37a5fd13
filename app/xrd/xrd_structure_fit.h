// The XRD structure fit: the Miller-index files of the phases and the
// building of the fit model (zero shift, lattice constants, UVW law, one
// line per reflection, background) with its start values. Plain code: the
// dialog and the command are in xrd_structure_fit_win.cpp.
#ifndef KORLAN_XRD_STRUCTURE_FIT_H
#define KORLAN_XRD_STRUCTURE_FIT_H

#include <cstdint>
#include <string>

#include "xrd/xrd_phase.h"

// The default reflections of a phase without its file, as the dialog
// shows them.
extern const char* const XRD_HKL_VORGABE;

// The reflections of an index text, one "h k l" line each (missing numbers
// count as 0, blank lines are skipped). The first XRD_REFLECTIONS go into
// rec (H, K, L and Reflexe); returns the number of reflection lines of the
// whole text, which may be larger.
int32_t HklTextLesen(const std::string& text, XrdPhase& rec);
// The reflections of rec as "%d %d %d" lines ending in zeile ("\n" for the
// file, "\r\n" for the dialog).
std::string HklText(const XrdPhase& rec, const char* zeile);
// Path of the index file of phase `phase` (0-based): ordner + "\hkl_%d.txt"
// with the phase number from 1.
std::string HklDateiName(const std::string& ordner, int32_t phase);
// Reads the index file of phase `phase` into its record. Returns the
// number of reflection lines (as HklTextLesen), -1 when the file cannot be
// opened (the record unchanged).
int32_t ReadHklFile(const std::string& ordner, int32_t phase);
// Writes the reflections of phase `phase`. Returns 1, 0 when the file
// cannot be written completely.
int32_t WriteHklFile(const std::string& ordner, int32_t phase);

// The parameter count of the last model a fit was started with (0 at
// start); a new model with another count counts as a changed layout.
extern int32_t XrdGemerkteParameter;

struct XRD_MODELL_EINGABE {
    std::string Ordner;            // data folder with the hkl files
    double Wellenlaenge = 154.2;   // pm, the application's
    const double* x = nullptr;     // the pattern (2 theta in degrees)
    const double* y = nullptr;
    int32_t Punkte = 0;
};

struct XRD_MODELL_ERGEBNIS {
    int32_t Status = 0;            // 1 built, 0 refused (Meldung says why)
    std::string Meldung;
    std::string Titel;
    bool LayoutNeu = false;        // heights and background started anew
    double Wellenlaenge = 154.2;   // the K-alpha1 line with doublets, else as given
};

// Builds the structure model of the phases in XrdPhaseTable into the
// working model (FitFunctionTypes, FitParameters and the tables, which the
// caller points at the window's arrays): reads every phase's index file,
// checks cells, reflections and the model size first and refuses before
// anything changes ("File: hkl_%d.txt was not found!", "h k l #%d is 0 0
// 0!", a phase over 50 reflections, a reflection beyond the wavelength, a
// model beyond the parameter block). The lattice constants that the
// crystal system ties to a (b = a, c = a for cubic) are fixed, their
// values and the fixed angles set as the system has them.
XRD_MODELL_ERGEBNIS XrdModellBauen(const XRD_MODELL_EINGABE& e);

#endif
