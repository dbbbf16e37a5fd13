// The progress window: a bar and one line of text that long computations
// (fit statistics, series analyses, PCA) keep up to date while they run.
#ifndef KORLAN_PROGRESS_WINDOW_H
#define KORLAN_PROGRESS_WINDOW_H

#include <cstdint>

// Rectangle of the bar in a client area of breite x hoehe for the value
// aktuell of the range unten..oben: from (W/5, H/5) to
// (W/5 + 3W/5 x p, 3H/5), p the value's share of the range, kept within
// 0..1 so that the bar never leaves its frame. false (no bar) when the
// range is empty or a value is not a number.
struct BALKEN_RECHTECK {
    int32_t Links, Oben, Rechts, Unten;
};
bool ProgressBalken(int32_t breite, int32_t hoehe, double unten, double oben, double aktuell,
                    BALKEN_RECHTECK* r);
// The frame around the bar: (W/5 - 1, H/5 - 1) to (4W/5 + 1, 3H/5 + 1).
BALKEN_RECHTECK ProgressRahmen(int32_t breite, int32_t hoehe);

const int32_t PROGRESS_TEXT_BYTES = 200;
#define PROGRESS_VORGABE_TEXT "-  Makro at Work !!  -"

#endif
