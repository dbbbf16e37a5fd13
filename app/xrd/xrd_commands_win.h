// The XRD menu's handler (901-999) and the entry points of its parts that
// the handler, the dialogs and the tests share.
#ifndef KORLAN_XRD_COMMANDS_WIN_H
#define KORLAN_XRD_COMMANDS_WIN_H

#include <windows.h>

#include <cstdint>

// The peak list of the active window's model after a search: DialogWerte[0]
// and the wavelength become lambda, the window shows its model, the peak
// table goes to CommandArgs and its report (modus as WriteResultsReport's)
// to CommandText. Returns 1; 0 for an unknown profile.
int32_t XrdPeakList(int32_t profile, double lambda, int32_t modus = -1, int32_t flag = -1);

// The search of command 904 on the active window's current curve: the model
// of the found peaks goes into the window. Returns the number of peaks, -1
// when the limit or the profile is not usable or the curve has fewer than
// 5 points (nothing changed). When the model could not hold every line,
// the next XrdPeakList ends its report with a line that says where the
// lines were cut off (see XrdPeakGrenze).
int32_t XrdPeakSearchRun(int32_t profile, double limit);

// After a search whose model could not hold every line: the 2 theta beyond
// which lines were left out (0 when none were).
double XrdPeakGrenze();

// The options dialog (912); 1 for OK, 0 for Cancel.
INT_PTR XrdOptionenDialog(HWND besitzer);

#endif
