// The live parameter change dialog CHANGE: which function of the working
// model it shows, where that function's parameters start in the block,
// and how a scroll step changes a value. Plain code; the dialog itself is
// in change_dialog_win.cpp.
#ifndef KORLAN_FIT_CHANGE_DIALOG_H
#define KORLAN_FIT_CHANGE_DIALOG_H

#include <cstdint>
#include <string>

// Rows of parameters the dialog shows (captions 200-206, values 100-106).
const int32_t AENDERN_ZEILEN = 7;
// Step sizes of the radio buttons 554-559; 557 (20.0) is the default.
const int32_t AENDERN_STUFEN = 6;
extern const double AENDERN_SCHRITTE[AENDERN_STUFEN];
const int32_t AENDERN_STANDARD_STUFE = 3;
// Range of the scroll bar.
const int32_t AENDERN_SCROLL_GRENZE = 10000;

struct AENDERN_ZUSTAND {
    int32_t Funktion = 1;   // f, 1-based
    int32_t Versatz = 0;    // o, index of the function's first parameter
    int32_t Anzahl = 0;     // c, its parameter count
    int32_t Zeile = 0;      // r, the selected row 0-6
    int32_t Position = 0;   // scroll position
    double Schritt = 20.0;  // S
};

// Shows function n of the working model, clamped to 1 .. FitFunctionCount:
// f = n, o = the counts of functions 1 .. n-1, c = n's own count. The
// selected row falls back to 0 when the new function has fewer rows.
// false (state unchanged) when the model has no function.
bool AendernZeigeFunktion(AENDERN_ZUSTAND& z, int32_t n);

// Rows shown for the current function: c, at most AENDERN_ZEILEN.
int32_t AendernZeilen(const AENDERN_ZUSTAND& z);

// Change d of one scroll notification: 0 line up -S/20, 1 line down +S/20,
// 2 page up -S, 3 page down +S; 0 for any other code.
double AendernAenderung(int32_t code, double schritt);

// The scroll position after a change d (as a whole number), kept inside
// -AENDERN_SCROLL_GRENZE .. AENDERN_SCROLL_GRENZE.
int32_t AendernPosition(int32_t position, double d);

// A value v after a change d: v (1 - 0.005 d), or -0.1 d when v is 0.
double AendernWert(double v, double d);

// Caption of row j of a function with type code `code` ("%d. coeff.: " for
// the polynomial, else the catalogue's parameter name).
std::string AendernTitel(int32_t code, int32_t j);

// Edit 80 for function f (1-based) of the working model: the catalogue
// name; for a FEFF path function (codes 21-24) after the first, ", " and
// its path record's file name, and ", MS" for more than two legs.
std::string AendernName(int32_t f);

#endif
