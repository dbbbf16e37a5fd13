// Drawing the current curve of the active graphic window, or of a record a
// dialog keeps of its own, into a control of a dialog (the previews of the
// section, parameter and spline dialogs, the plots of the kinetic
// analysis), and growing such a dialog to the screen.
#pragma once

#include <windows.h>

#include <cstdint>

class grafik_fenster;

// Panes of PlotIntoDialog: the whole control, its four quadrants and its
// lower half.
enum : int32_t {
    PANE_GANZ = 0,
    PANE_UNTEN = 2,
    PANE_OBEN_LINKS = 11,
    PANE_OBEN_RECHTS = 12,
    PANE_UNTEN_LINKS = 13,
    PANE_UNTEN_RECHTS = 14,
};

// Pixel rectangle of a pane in a client area of width x height; false for
// an unknown pane (nothing is drawn then).
bool DialogPane(int32_t pane, int32_t width, int32_t height, RECT* r);

// Draws the current curve of the active graphic window between xLower and
// xUpper into control (its pane), with the window's model when
// withFunction is set. A combined window draws its combined view. Returns
// false when there is no window, no curve or no such pane.
bool PlotIntoDialog(HWND control, double xUpper, double xLower, int32_t withFunction,
                    int32_t pane);

// The same into one pane, leaving the rest of the control as it is.
bool PlotIntoDialogPane(HWND control, double xUpper, double xLower, int32_t withFunction,
                        int32_t pane);

// The current curve of `fenster`, a record a dialog keeps of its own (not
// one of the graphic windows), drawn as above; the user's windows and the
// current model are left as they were.
bool PlotIntoDialog(HWND control, grafik_fenster& fenster, double xUpper, double xLower,
                    int32_t withFunction, int32_t pane);

// One more curve (n points) in colour farbe over the frame last drawn
// into control.
void KurveDarueber(HWND control, double* x, double* y, int32_t n, COLORREF farbe);

// On a screen wider than 640 pixels, with the assistant closed, grows the
// dialog (position kept) to the screen's width and height and control 30
// by the same amounts. Returns true when it changed the dialog.
bool DialogToScreenSize(HWND dialog);
