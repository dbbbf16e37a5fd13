// The convolution-width dialog SETCONVOLFWHM of the automatic analysis.
#ifndef KORLAN_SERIES_CONVOLUTION_WIN_H
#define KORLAN_SERIES_CONVOLUTION_WIN_H

#include <windows.h>

#include <cstdint>
#include <string>

// Whether the series of graphic window fenster can be previewed (a binary
// multi-column file of more than 500 points and at least 7 columns); else
// false with the message for the user.
bool FaltungsVorschauFuerFenster(int32_t fenster, std::string* meldung);

// SETCONVOLFWHM over the active window's series. Expects DialogWerte[0] =
// the I0 column (+ 0.2); "&Return" ends with 1 and leaves the FWHM (units
// of the x column, above 0) in DialogWerte[0] and the kind + 0.1 (1
// Gaussian, 2 Lorentzian) in DialogWerte[1]; closing ends with 0 and
// leaves them.
INT_PTR CALLBACK SetConvolFwhmDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

// The four panes of SETCONVOLFWHM in its control 30: I0 and the convolved
// I0 at the top, the scaled absorption below with the one of the convolved
// I0 over it in blue; x[50] .. x[n - 50]. The active window's current slot
// is lent and given back. 1, or 0 without a window or for n of 500 or fewer.
int32_t PlotConvolPreview(HWND dialog, double* x, double* i0, double* i0Gefaltet, double* ohne, double* mit,
                          int32_t n);

#endif
