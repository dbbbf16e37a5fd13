// Ordinate and abscissa arithmetic of the graphic windows: the function
// table, resampling of a second operand onto a curve's abscissa, and the
// paired sort of x and y. Plain functions on arrays; the command handler
// reads the window's curve slots and the dialog values and calls these.
#ifndef KORLAN_SPECTRA_DATAARITHMETIC_H
#define KORLAN_SPECTRA_DATAARITHMETIC_H

#include <cstdint>
#include <vector>

#include "zelva.h"  // ModellCallback: the external function and the model

// Function codes shared by both arithmetic dialogs (string ids 220-229).
enum : int32_t {
    FUNK_KEINE = 220,         // "None"
    FUNK_LOG10 = 221,         // "Logarithm"
    FUNK_LN = 222,            // "nat.Logarithm"
    FUNK_EXP = 223,           // "e-Function"
    FUNK_INVERS = 224,        // "Inversion"
    FUNK_WURZEL = 225,        // "Squareroot"
    FUNK_KUBIKWURZEL = 226,   // "3rd root"
    FUNK_QUADRAT = 227,       // "Square"
    FUNK_SORT_AUF = 228,      // "Sort bottom-up" (abscissa only)
    FUNK_SORT_AB = 229,       // "Sort top-down" (abscissa only)
};

// Abscissa codes above this carry "with Y axis": the y values follow every
// reordering of the x values.
const int32_t ABSZISSE_MIT_Y = 1000;

// Operand mode of SpektrenShift for the model function.
const int32_t OPERAND_MODELL = 1000;

// Combination of a curve with its second operand.
enum : int32_t { KOMB_PLUS = 1, KOMB_MINUS = 2, KOMB_MAL = 3, KOMB_DURCH = 4 };

// What an operand mode asks for; the handler fetches the operand arrays.
enum class OperandArt {
    Eigene,     // 0: the curve's own y
    Extern,     // below 0: the curve's own y through the external function
    Spalte,     // 1..100: file column with that number
    Kurve,      // 101..104: curve slot mode - 101 of the same window
    Modell,     // 1000: the model function at the curve's x
    Ungueltig,  // anything else (a damaged macro): refused
};
OperandArt OperandArtVon(int32_t mode);

// Converts a dialog value to int32 as the handlers do (truncation), with
// NaN giving 0 and values beyond the int32 range clamped, so that a damaged
// macro value cannot make the conversion undefined.
int32_t DwInt(double v);

// Value of function `code` (220-227) at v. log, ln and sqrt at or below 0
// and the inversion of 0 give 0; exp overflows to infinity. The third root
// keeps the sign of v. Codes outside 221-227 return v unchanged.
double FunktionsWert(int32_t code, double v);

// Natural cubic spline through a table, computed and evaluated by the
// program's numerics object (def_zelva::spline and helpsplint): 0 outside
// the table's x range (with a relative tolerance of 1e-4). The object's
// registered curve and counts are put back after every call, so a fit set
// up on it is not disturbed. A descending table is turned round first.
class LocalNaturalSpline {
public:
    // x, y: n >= 2 points, strictly monotonic x. Returns false (and
    // evaluates to 0 everywhere) for fewer than 2 points.
    bool Prepare(const double* x, const double* y, int32_t n);
    double Value(double x) const;

private:
    std::vector<double> xs_, ys_, y2_;
};

// Puts a second operand (x2, y2, m points) onto a curve of n points with
// abscissa x; writes n values to out.
// - m == n: y2 is taken index by index, x is not looked at.
// - else a natural cubic spline through (x2, y2) is evaluated at the curve's
//   x, or, when the two x ranges do not overlap at all, at n points spread
//   evenly from x2[0] to x2[m - 1].
// Returns 1, or 0 when m is below 2 and differs from n (out untouched).
int32_t OperandAufAbszisse(const double* x, int32_t n, const double* x2, const double* y2,
                           int32_t m, double* out);

// Ordinate arithmetic on one curve (x, y, n points), in place.
// O = operand: the curve's own y (mode 0 or below 0), else opY resampled
// onto x by OperandAufAbszisse (opX, opY, opPunkte: a file column, another
// slot, or for the model function the model values at x with opX = x and
// opPunkte = n). O := factor * O (factor != 1), O := O + constant
// (constant != 0), then the function of `code` (220-227) or, for mode below
// 0, externeFunktion(v, 0). Mode 0 and below: y is O. Otherwise
// y_i := y_i (combination 1 +, 2 -, 3 *, 4 /; /0 gives 0) O_i for
// i < kombiPunkte (n when negative; at most n).
// Returns 1, or 0 (y unchanged) for an invalid mode or combination, a
// missing operand, or n below 1.
int32_t SpektrenShiftFeld(const double* x, double* y, int32_t n, double factor, double constant,
                          int32_t code, int32_t mode = 0, int32_t combination = 0,
                          const double* opX = nullptr, const double* opY = nullptr,
                          int32_t opPunkte = 0, ModellCallback externeFunktion = nullptr,
                          int32_t kombiPunkte = -1);

// Abscissa arithmetic on one curve (x, y, n points), in place:
// x := factor * x + constant, then the function of the code (code - 1000
// above 999) or, for a negative code, externeFunktion(v, 0). Then a
// descending axis (x[0] > x[1]) is turned round (y with it above 999).
// 228 sorts x ascending, 229 descending (y with it above 999).
// Returns 1, or 0 for n below 1.
int32_t AbzissenShiftFeld(double* x, double* y, int32_t n, double factor, double constant,
                          int32_t code, ModellCallback externeFunktion = nullptr);

// Sorts x[first..last] ascending; with withY != 0 each y value moves with
// the x value of the same index, with withY == 0 y is not touched (may be
// null). The order of equal x values is not defined. Stack depth grows
// with log2 of the range only.
void QuickSortFeld(double* x, double* y, int32_t first, int32_t last, int32_t withY);

// One call of the ordinate arithmetic as the dialog asks for it.
struct ShiftSchritt {
    double factor;
    double constant;
    int32_t code;
    int32_t mode;
    int32_t combination;
};

// The calls that command 607 and the dialog's Apply make from the dialog
// values DW[0..7]: first (DW[1], DW[2], DW[0]) on the curve itself, then,
// when DW[4] != 0, (DW[5], DW[6], DW[7], mode DW[4], combination DW[3]).
// Returns the number of calls written (1 or 2).
int32_t OrdinatenSchritte(const double dw[14], ShiftSchritt out[2]);

// The code that command 608 hands to the abscissa arithmetic: DW[0],
// negated when DW[3] < 0 (external function).
int32_t AbszissenCode(const double dw[14]);

#endif
