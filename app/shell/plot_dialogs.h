// The plot option dialogs without their windows: how OPTIONEN_GRAFIK,
// FONTS, CHOOSECOLOR and PRINTOPT map their controls to the window's plot
// settings and the print options.
#ifndef KORLAN_PLOT_DIALOGS_H
#define KORLAN_PLOT_DIALOGS_H

#include <cstdint>

// Style bits of data arrays and functions, in the order of the check boxes
// "Connect", "Circles", "Bars", "Triangles".
const int32_t STIL_BITS[4] = {1, 2, 64, 4};

// Dash-dot distance: radio 0 "L" 0.2, 1 "M" 0.4, 2 "S" 0.6; a stored
// scale shows S above 0.55, M above 0.35, else L.
int32_t PunktAbstandWahl(double dotScale);
double PunktAbstandAusWahl(int32_t wahl);

// Bar width: -1 with "auto", else the absolute value of the number typed.
int32_t BalkenBreiteAusEingabe(bool automatisch, double wert);
// The fixed axis range is used only when Y min < Y max and X min < X max.
bool FesterBereichGueltig(double yMin, double yMax, double xMin, double xMax);

// Font weight radios: 0 "light" 400, 1 "semibold" 500, 2 "bold" 700; any
// other stored weight shows as bold.
int32_t GewichtWahl(int32_t gewicht);
int32_t GewichtAusWahl(int32_t wahl);
// Character width of a font of this height (integer division).
int32_t SchriftBreite(int32_t hoehe);

// Curve colours the palette holds; CHOOSECOLOR takes no more picks.
const int32_t FARB_PALETTE = 12;

// Size a print of size index k (0 small, 1 medium, 2 large) gets on a page
// width x height pixels: the print's own rule, so that the dialog shows
// what the printout will be.
void DruckGroesse(int32_t k, int32_t seitenBreite, int32_t seitenHoehe, int32_t* breite,
                  int32_t* hoehe);

#endif
