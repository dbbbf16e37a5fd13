// DXAS energy scale (819, 821): the polynomial E(d) = c0 + c1 d + c2 d^2
// from diodes to photon energies (keV), the reference-foil table
// "dexfoil.dat", the reference curve drawn over a measurement, the steps of
// the scroll bars and the automatic calibration against a foil.
//
// Plain code: arrays and numbers in, codes out; no window system.
#ifndef KORLAN_DEX_SCALE_H
#define KORLAN_DEX_SCALE_H

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class def_zelva;

// "dexfoil.dat": blocks of one header line (up to four names) and 1500
// data lines of energy and absorption pairs. Lines are read whole, in
// pieces of DEX_FOLIEN_ZEILE characters.
constexpr int32_t DEX_FOLIEN_ZEILEN = 1500;
constexpr int32_t DEX_FOLIEN_ZEILE = 300;

// The names of every header line, in file order.
std::vector<std::string> DexFolienNamen(std::FILE* f);
// Foil k (from 0) into energies and absorptions; false (nothing read) for
// a k the file does not hold or a foil of fewer than 4 points. A value of
// -1 (between -1.9 and -0.9) in either column ends the foil.
bool DexFolieLesen(std::FILE* f, int32_t k, std::vector<double>* e, std::vector<double>* a);

// Default slope (keV per diode) for a file of that many points per column.
double DexStandardSteigung(int32_t punkteProSpalte);

// Scroll bars of DEXSCALE and their unit steps.
constexpr int32_t DEX_BALKEN_NULL = 552;     // c0 += 0.0005 per unit
constexpr int32_t DEX_BALKEN_ERSTE = 553;    // c1 += 2e-6 per unit, pivot kept
constexpr int32_t DEX_BALKEN_ZWEITE = 554;   // c2 += 5e-9 per unit, pivot kept
constexpr int32_t DEX_BALKEN_VERSATZ = 101;  // reference offset, 1/300 per unit
constexpr double DEX_SCHRITT_NULL = 0.0005;
constexpr double DEX_SCHRITT_ERSTE = 2e-6;
constexpr double DEX_SCHRITT_ZWEITE = 5e-9;
constexpr double DEX_VERSATZ_EINHEIT = 300.0;

// Scroll positions: new position for a scroll code (SB_LINEUP 0, SB_LINEDOWN
// 1, SB_PAGEUP 2, SB_PAGEDOWN 3, SB_THUMBPOSITION 4, SB_THUMBTRACK 5) and
// the change in units; false for a code that moves nothing. Horizontal
// bars count left as +, vertical ones up as -. The position stays in range.
struct DexBalken {
    int32_t Von, Bis;
    bool Horizontal;
};
DexBalken DexBalkenBereich(int32_t balken);
bool DexBalkenSchritt(int32_t balken, int32_t code, int32_t daumen, int32_t* position, int32_t* aenderung);

// The pivot diode index: the first i below min(folienPunkte, m) with
// referenz[i] >= 0.5; 0 when there is none or it lies above 3m/4.
int32_t DexPivot(const double* referenz, int32_t m, int32_t folienPunkte);
// A step of bar 552 (c0 += delta), 553 (c1 += delta, c0 -= delta * pivot)
// or 554 (c2 += delta, c0 -= delta * pivot^2); E at the pivot stays.
void DexPolynomSchritt(double c[3], int32_t balken, double delta, double pivot);

// The foil as the overlay uses it: points on an even grid and the second
// derivatives of its spline.
struct DexFolie {
    std::vector<double> E, A, y2;
};
// The foil (e, a) onto an even grid of about m points (its last point is
// dropped, as the table's grid is) with its spline. False for fewer than 4
// points in or out.
bool DexFolieGitter(def_zelva& z, const std::vector<double>& e, const std::vector<double>& a, int32_t m,
                    DexFolie* folie);
// referenz[j] = foil spline at E(x[j]) + versatz / 300, j < m.
void DexReferenz(def_zelva& z, DexFolie& folie, const double c[3], const double* x, int32_t m,
                 double versatz, double* referenz);

// Half-height position followed by the positions of the extrema above it:
// the curve smoothed (glaetten widths in turn, 0 ends the list), its first
// derivative with step h, the zeros of the derivative above ab.
std::vector<double> DexExtrema(def_zelva& z, const double* x, const double* y, int32_t n,
                               const int32_t glaetten[2], double h, double ab, double toleranz);

// Matching extrema of the measurement (rm, diodes) and of the foil (rf,
// energies), both with the half height in front: each list normalised by
// its tenth entry, the foil's shifted onto the first measured one; the
// length of the run of entries that agree within the tolerance t, at most
// n - 2. 0 when either list has fewer than ten entries (no scale).
int32_t DexTreffer(const std::vector<double>& rm, const std::vector<double>& rf, double t);

// Least squares E(d) = p0 + p1 d + p2 d^2 through (d[i], e[i]), i < q.
// False for fewer than 3 points or a singular system.
bool DexPolynomFit(const double* d, const double* e, int32_t q, double p[3]);

// Result of the automatic calibration.
struct DexKalibrierung {
    double c[3] = {0.0, 0.0, 0.0};
    int32_t Treffer = 0;            // matching extrema of the last pass
    bool Gerade = false;            // the straight line through the half heights
    std::string Status;             // what was done, for the dialog
};
// Calibrates the measurement (x diodes, y normalised absorption, m points)
// against the foil (e, a) with up to three passes; punkteProSpalte sets
// the default slope. The foil grid comes back in folie.
DexKalibrierung DexKalibriere(def_zelva& z, const double* x, const double* y, int32_t m,
                              int32_t punkteProSpalte, const std::vector<double>& e,
                              const std::vector<double>& a, DexFolie* folie);

#endif
