// Layout and range arithmetic of the drawing of a graphic window: plain
// numbers in and out, so that panels, offsets and ranges can be checked
// without a device context.
#ifndef KORLAN_SPECTRA_GRAFIKLAYOUT_H
#define KORLAN_SPECTRA_GRAFIKLAYOUT_H

#include <cstdint>

struct FLAECHE {
    int32_t Links, Oben, Breite, Hoehe;
};

// Height of the plot: three quarters (integer) while a fit runs or has
// finished (fitZustand not 0), else the whole height.
int32_t PlotHoehe(int32_t hoehe, int32_t fitZustand);

// The difference panel under a fit: it starts three quarters down and is
// handed to the plotting library with minus a quarter of the height (its
// short layout).
FLAECHE DifferenzFlaeche(int32_t links, int32_t oben, int32_t breite, int32_t hoehe);

// Number of panels of the show-all view: slots 0 .. min(newest, 3); none
// when the newest counter is negative.
int32_t AllePanels(int32_t neuesterZaehler);

// Panel i of the show-all view with `anzahl` panels: half the width, half
// the height with three or four panels (else the full height); slot 0 top
// left, 1 top right, 2 bottom left, 3 bottom right.
FLAECHE AllePanel(int32_t anzahl, int32_t i, int32_t links, int32_t oben, int32_t breite,
                  int32_t hoehe);

// Half i (0 left, 1 right) of an area: the two-panel EXAFS fit view.
FLAECHE HalbPanel(int32_t i, int32_t links, int32_t oben, int32_t breite, int32_t hoehe);

// Place k (0-based, counting only the windows that are tiled) of `anzahl`
// tiled windows in an area of breite x hoehe starting at (0, oben): two
// columns, left first, rows of height hoehe / ((anzahl + 1) / 2).
FLAECHE KachelFlaeche(int32_t k, int32_t anzahl, int32_t oben, int32_t breite, int32_t hoehe);

// Offset step between the frames of a series view. Mode 10: |yOben - yUnten|
// / (anzahl - 1); 20: three times that; 30: six times; 40: `schritt`; other
// modes and fewer than two frames (10-30): 0.
double SerienVersatz(int32_t modus, double yOben, double yUnten, int32_t anzahl, double schritt);

// Growth of the y upper limit of a series view by the total offset. Mode
// 10: |yOben - yUnten|; 20: three times; 30: six times; 40: (anzahl - 1) x
// schritt; other modes 0.
double SerienZuwachs(int32_t modus, double yOben, double yUnten, int32_t anzahl, double schritt);

// Offset steps (left, right axis) of a combined plot of n curves for a
// combine mode: 11: 0.3 x |range| / (n - 1) per axis; 12: 0.8 x; 13: 1.8 x
// for the left and 1.4 x for the right axis; 14: both `dialogWert`; any
// other mode, and fewer than two curves for 11-13: 0.
void KombiSchritte(int32_t modus, int32_t n, double yUnten, double yOben, double rUnten,
                   double rOben, double dialogWert, double schritte[2]);

// Running offsets of a combine list: entries whose window is open (offen[k])
// get the running offset of their axis (entries of 100 and more: right
// axis), which then grows by that axis's step; closed entries get 0.
void KombiVersaetze(const int32_t* liste, const bool* offen, int32_t anzahl,
                    const double schritte[2], double* versaetze);

// Depth position of curve k (0-based) of `anzahl` in a 3D view between
// zUnten and zOben; a single curve sits at zUnten.
double TiefenPosition(double zUnten, double zOben, int32_t anzahl, int32_t k);

#endif
