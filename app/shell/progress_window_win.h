// The window object of the class "progress" (ProgressWindow).
#ifndef KORLAN_PROGRESS_WINDOW_WIN_H
#define KORLAN_PROGRESS_WINDOW_WIN_H

#include <windows.h>

#include <cstdint>

#include "shell/progress_window.h"
#include "shell/window_object.h"

class progress_fenster : public fenster_objekt {
public:
    int32_t Breite = 0, Hoehe = 0;   // client size
    int32_t Gezeigt = 0;             // bar and text are drawn only while set
    int32_t Unterdrueckt = 0;        // nothing but the background while set
    double Oben = 100.0, Unten = 0.0, Aktuell = 0.0;
    char Text[PROGRESS_TEXT_BYTES] = PROGRESS_VORGABE_TEXT;
    int32_t Beschaeftigt = 0;

    LRESULT Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    // Shows the current value: a visible window draws the bar at once, a
    // hidden one is placed, shown and painted whole. Returns 1.
    int32_t SetProgress();

private:
    void Platzieren();
    void Malen(HDC dc);
    void TextMalen(HDC dc);
};

extern progress_fenster ProgressWindow;

#endif
