// The automatic peak fit after a peak search: the pattern is cut into
// groups of overlapping peaks, each group is fitted by least squares (its
// peaks and a local straight background) on the points under it, and the
// fitted values go back into the model. Plain code over arrays; the model
// is the working copy of the fit model (fit/fit_model.h).
#ifndef KORLAN_XRD_AUTO_FIT_H
#define KORLAN_XRD_AUTO_FIT_H

#include <cstdint>
#include <functional>
#include <string>

#include "zelva.h"

// Calls of LeastSquareFit after which a group counts as failed.
const int32_t AUTO_FIT_AUFRUFE = 500;

struct AutoFitLauf {
    def_zelva* Numerik = nullptr;
    ModellCallback Modell = nullptr;   // the model callback of the program
    const double* X = nullptr;         // the pattern (read only)
    const double* Y = nullptr;
    int32_t N = 0;
    // Called after a group's fit is set up, before the first step (tests
    // use it to break a set-up).
    std::function<void(int32_t gruppe)> NachAufbau;
};

struct AutoFitErgebnis {
    int32_t Peaks = 0;          // peaks of the model
    int32_t Gruppen = 0;        // groups fitted (or tried)
    int32_t Fehlgeschlagen = 0; // peaks of groups whose fit failed
    int32_t Uebersprungen = 0;  // peaks without a point in their window
    std::string Liste;          // the listing for the results ("\r\n" lines)
    std::string Datei;          // the lines for "XRD_fit.dat", header first
};

// Fits the peaks of the working model (functions 0 .. m-2 of one profile,
// the last the linear background). A peak's window is its position +- 7
// widths; peaks whose windows overlap form one group. A group whose fit
// does not end with -1 within AUTO_FIT_AUFRUFE calls, or ends on values
// that are not finite, keeps the search's values and is listed as failed;
// a peak without points is skipped and the walk goes on. Afterwards the
// model (types, parameters, flags, free list, correlations, counts,
// degree) is as before but for the fitted peak values. Returns false (and
// changes nothing) when function 0 is no peak profile of the search or
// the model has no peak.
bool XrdAutoPeakFitKern(const AutoFitLauf& lauf, AutoFitErgebnis& ergebnis);

// The fit on the active window's current curve and model (mode is always
// 1): the lines go to the end of "XRD_fit.dat" in the data folder (a file
// that cannot be written is left out), the listing to CommandText, and the
// window's function count and degree follow the model. Returns 1; 0 with a
// line in CommandText when there is no window or no model of a search.
int32_t XrdAutoPeakFit(int32_t mode);

#endif
