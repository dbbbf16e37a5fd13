// The arithmetic of the mouse in a graphic window: which curve slot lies
// under a point, which axis a drop aims at, the combine list a drop builds
// and the zoom ranges of a dragged rectangle. No window is involved.
#ifndef KORLAN_GRAPHIC_MOUSE_H
#define KORLAN_GRAPHIC_MOUSE_H

#include <cstdint>

// Quadrant (0 top left, 1 top right, 2 bottom left, 3 bottom right) of the
// point x, y in a client area w x h. In the four-curve view with a newest
// counter of 2 or more all four count; below 2 only left (0) and right (1).
// Without the four-curve view the quadrant is `ohneAlle` (0 at button down,
// the current counter at a drop). A point on a middle line counts to the
// left or the top.
int32_t MausQuadrant(int32_t x, int32_t y, int32_t w, int32_t h, bool alleZeigen, int32_t neuester,
                     int32_t ohneAlle);

// Counter value shown in quadrant q: with a newest counter above 3 the
// largest counter not above it whose slot (counter modulo 4) is q, else q.
int32_t MausZaehler(int32_t q, int32_t neuester);

// A drop at x aims at the right-hand axis: without the four-curve view the
// right half of the window, with it the right half of each quadrant.
bool MausRechteAchse(int32_t x, int32_t w, bool alleZeigen);

// Adds a dropped curve to a combine list of capacity `kapazitaet`: the first
// drop (list empty) makes the list target + dragged, later drops append the
// dragged one. Entries are slot + 10 x window, +100 on the right-hand axis
// (given to the dragged entry). Returns false and changes nothing when the
// list is full.
bool KombiHinzufuegen(int32_t* liste, int32_t* anzahl, int32_t kapazitaet, int32_t zielSlot,
                      int32_t zielFenster, int32_t slot, int32_t fenster, bool rechts);

// The zoom ranges of a rectangle between the data points (x1, y1) and
// (x2, y2), sorted so that the upper values are not below the lower ones.
// A rectangle without width or height gives false (the zoom is disarmed).
struct ZOOM_BEREICH {
    double XUnten, XOben, YUnten, YOben;
};
bool ZoomAusRechteck(double x1, double y1, double x2, double y2, ZOOM_BEREICH* aus);

#endif
