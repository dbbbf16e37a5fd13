// The axis-scaling dialog "CHANGESCALE" that a click beside the plot of a
// graphic window opens: its nine number fields (tick numbers, grid lines
// and axis distances of the three axes), their steps and ranges. No window
// is involved here; the dialog procedure is ChangeScaleProc
// (change_scale_win.h).
#ifndef KORLAN_SPECTRA_CHANGE_SCALE_H
#define KORLAN_SPECTRA_CHANGE_SCALE_H

#include <cstdint>

// One field: its edit and scroll-bar ids, the step of one scroll-bar click
// and the values allowed.
struct SKALEN_FELD {
    int32_t Edit, Rollbalken, Schritt, Min, Max;
};
// In this order: XNumbers, YNumbers, ZNumbers, XLines, YLines, ZLines,
// XAxisDistance, YAxisDistance, ZAxisDistance.
const int32_t SKALEN_FELDER = 9;
extern const SKALEN_FELD SKALEN_TABELLE[SKALEN_FELDER];

// Index of the field a scroll bar (or edit, with edit true) belongs to;
// -1 for any other id.
int32_t SkalenFeld(int32_t id, bool edit);

// One scroll-bar click on field i: up adds the step, down subtracts it.
// Returns true with *neu set when the result lies in the field's range;
// false (nothing to change) otherwise.
bool SkalenSchritt(int32_t i, int32_t wert, bool hoch, int32_t* neu);

// A typed value of field i: true with *wert set when the text is a whole
// number (blanks around it allowed) within the field's range.
bool SkalenZahl(int32_t i, const char* text, int32_t* wert);

#endif
