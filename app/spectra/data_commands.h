// Computations of the data commands of the graphic windows (section and
// paste ranges, paste, deglitching, noise, the diode ratio, the imaginary
// part, copy targets). Plain functions on arrays; the command handler
// supplies the curve slots and dialog values and shows the error codes.
#ifndef KORLAN_SPECTRA_DATACOMMANDS_H
#define KORLAN_SPECTRA_DATACOMMANDS_H

#include <cstdint>

// Results of the functions below.
const int32_t DATEN_OK = 1;         // done
const int32_t DATEN_NICHTS = 0;     // nothing to do: the command ends quietly
const int32_t FEHLER_BEREICH = 102; // section borders refused (error string 102)

// Index range of x[0..n-1] that covers [x1, x2] by nearest neighbours, as
// the shell's index-range helper finds it on the active curve: first = the
// first index with x not below x1 (at most n - 1), one back when the
// midpoint to its predecessor lies above x1; last = the first index whose
// x reaches x2 (stopping at the end or the first descent), one back when
// it differs from first and the midpoint to its predecessor lies above x2.
// Returns true when last > first.
bool IndexBereichFeld(const double* x, int32_t n, double x1, double x2, int32_t* first,
                      int32_t* last);

// Check of the section borders a (from) and b (to) against the current
// curve's lower border L and upper border U: FEHLER_BEREICH when
// a + |a| 1e-4 < L or U < b - |b| 1e-4, or when a > b or either is not a
// number; else DATEN_OK. Commands 605, 606 and 613 call it before a dialog
// entry is used.
int32_t PruefeSektionsGrenzen(double a, double b, double lower, double upper);

// The part of the check that holds for macro values too (no comparison
// with the curve): FEHLER_BEREICH when a > b or either is not a number.
int32_t PruefeSektionsReihenfolge(double a, double b);

// Source range of a paste from a curve (x, n points) between from and to:
// i0 = first index with x > from, one back when from lies below the
// midpoint of x[i0 - 1] and x[i0]; i1 = last index with x <= to, one on
// when the midpoint of x[i1] and x[i1 + 1] lies below to.
// Returns DATEN_OK for i0 < i1, DATEN_NICHTS for i0 == i1 and
// FEHLER_BEREICH when i0 > i1 (from above to, or no point in between).
int32_t PasteQuellBereich(const double* x, int32_t n, double from, double to, int32_t* i0,
                          int32_t* i1);

// Destination slot of a paste from DW[0]: 10 for "Original", else the slot
// int(DW[0] + 0.2) when it is 0..3; -1 for any other value.
int32_t PasteZielSlot(double dw0);

// Pastes the source's points i0..i1 into a destination curve (dstX, dstY,
// dstN). j0 = first destination index with x >= srcX[i0], j1 = first with
// x >= srcX[i1] (at most dstN). With j1 - j0 == i1 - i0 the source's
// y[i0..i1) are copied to dstY[j0..j1); otherwise the natural spline of the
// whole source is evaluated at dstX[j0..j1).
// Returns DATEN_OK, or FEHLER_BEREICH (nothing written) when srcX[i0] lies
// below the destination's first x or srcX[i1] above its last x, or the
// ranges are empty or inverted. The handler shows error 1000 instead of
// 102 while a macro runs.
int32_t PasteFeld(const double* srcX, const double* srcY, int32_t srcN, int32_t i0, int32_t i1,
                  const double* dstX, double* dstY, int32_t dstN);

// Highest polynomial degree the deglitching fit takes; larger entries are
// capped (the model keeps degree + 1 coefficients).
const int32_t DEGLITCH_MAX_GRAD = 20;

// Deglitching of a curve (x, y, n points) in place: the points of the glitch
// [glitchFrom, glitchTo] are replaced by the weighted least-squares
// polynomial of degree `grad` (the window's degree + 1) fitted over the fit
// range [fitFrom, fitTo] with weight 0 inside the glitch and 1 elsewhere;
// nothing outside the glitch changes. mode 10 asks for no substitution.
// Returns DATEN_OK when substituted; DATEN_NICHTS for mode 10 or a glitch
// less than 3 points inside the fit range at either end; FEHLER_BEREICH
// when a pair of borders is inverted.
int32_t DeglitchFeld(const double* x, double* y, int32_t n, double glitchFrom, double glitchTo,
                     int32_t mode, double fitFrom, double fitTo, int32_t grad);

// SplitMix64: small, fixed generator, so that noise is the same on every
// platform and every build.
struct RauschGenerator {
    uint64_t state;
    explicit RauschGenerator(uint64_t seed) : state(seed) {}
    uint64_t Next();
    double Uniform();  // [0, 1), 53 bits
};

// Adds centred noise to y[0..n-1] in place: uniform deviations with an rms
// of level * M, M = the largest |y| (1 for a curve of zeros), i.e. a
// fraction `level` of the curve's height. The generator is seeded from
// level and M, so equal curves with equal levels get equal noise.
// Returns DATEN_OK, or DATEN_NICHTS (nothing changed) for a level of 0 or
// below, a level that is not a finite number, or n below 1.
int32_t RauschenFeld(double* y, int32_t n, double level);

// "Diodes" absorption from the current column y and columns a and b of a
// dispersive file: q = (a - b) / (y - b) (-1 when y == b), y := ln q, or 0
// for q <= 0. Returns the number of points with q > 0; when that is 0, y is
// left unchanged (the handler keeps the column as loaded).
int32_t DiodenFeld(double* y, const double* a, const double* b, int32_t n);

// Moves the imaginary part of a complex curve (y[n + 1 .. 2n]) to y[0..n-1].
// Returns DATEN_OK, or DATEN_NICHTS when the array (kapazitaet doubles)
// cannot hold 2n + 1 values.
int32_t ImaginaerTeilFeld(double* y, int32_t n, int32_t kapazitaet);

// Decodes the result of the copy dialog, v = 10 window + slot: DATEN_OK
// with window and slot (both 0..3), DATEN_NICHTS for a cancel (v < 0) or
// a value naming no window or slot.
int32_t KopierZiel(double v, int32_t* fenster, int32_t* slot);

// Picture size of the clipboard copy from the reference device's
// horizontal resolution: size class 0 a quarter, 1 a half, 2 the whole
// resolution, 3 the custom width and height when both are set; the height
// is the width / 1.34 except for a custom size. dw0 and dw1 above 20
// replace width and height.
void KopierBildGroesse(int32_t groesse, int32_t aufloesung, int32_t eigeneBreite,
                       int32_t eigeneHoehe, double dw0, double dw1, int32_t* breite,
                       int32_t* hoehe);

#endif
