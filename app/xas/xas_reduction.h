// Plain steps of the reduction of a measured absorption spectrum: the
// column layout of raw beamline files, the energy unit, derivatives and the
// edge search on the real (uneven) energy spacing, the conversion between
// photon energy and photoelectron wave number, k weighting, the odd/even
// split of diode arrays and the line conversion of ".F15" files.
//
// Arrays and numbers in, arrays and numbers out; no window system here.
#ifndef KORLAN_XAS_REDUCTION_H
#define KORLAN_XAS_REDUCTION_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// ---- column layout ("favorite.ini", "calc_xas.ini", the string table) ----

// A layout line: caption, '|', mode character (' ' transmission, '-'
// fluorescence, or none), energy, I0, I1, I2 columns; optionally ",from,to#".
struct SpaltenLayout {
    int32_t Gefunden = 0;       // numbers read: 4 (or 6 with a range); below 4 selects nothing
    bool Fluoreszenz = false;
    int32_t Energie = 0, I0 = 0, I1 = 0, I2 = 0;
    bool Bereich = false;       // the line ends in '#'
    int32_t Von = 0, Bis = 0;   // channel run, Bis excluded
};

// Reads a layout line from its end backwards (the caption may hold
// anything). Each number is one or two digits; a text too short for four
// numbers gives Gefunden < 4 and is never read outside [0, laenge).
SpaltenLayout LeseSpaltenLayout(const char* text, std::size_t laenge);
SpaltenLayout LeseSpaltenLayout(const std::string& text);

// The favourite line of a choice, without a line end: " your favorite
// format      | e,i0,i1,i2" in transmission (no range), "|-e,i0,i1,i2" in
// fluorescence, with ",from,to#" when a valid range is given. Empty when a
// column does not fit two digits (0-99): such a choice cannot be kept.
std::string SchreibeSpaltenLayout(const SpaltenLayout& l);

// The layout of "favorite.ini" as the reference loader reads it: the first
// line (at most 80 characters); "| 1,2,3,4" when the file holds none.
extern const char* const STANDARD_LAYOUT;

// ---- energy unit ----

// Factor that brings the energies of a raw file to keV: 0.001 when the first
// energy exceeds both the energy-range limit and 500 (an eV scale), else 1.
double EnergieFaktor(double erstesX, double grenze);

// ---- derivatives and the edge ----

// First and second derivative of y over the uneven abscissae x (three-point
// formulas on the real spacing; the end points take the neighbour's value).
// n below 3 gives zeros. d1 and d2 may be null.
void Ableitungen(const double* x, const double* y, int32_t n, double* d1, double* d2);

// Resamples the curve linearly onto step h from x[0] (points up to the last
// x). Returns the new abscissae and ordinates; empty for h <= 0 or too many
// points (above maxPunkte).
void AufGitter(const double* x, const double* y, int32_t n, double h, int32_t maxPunkte,
               std::vector<double>* gx, std::vector<double>* gy);

// Smallest positive step of the abscissae (0 when none).
double KleinsterSchritt(const double* x, int32_t n);

// Edge search: the roots of the search curve f (the first derivative when
// ersteAbleitung, else the second) in [a, b] by linear interpolation between
// sign changes; of several, the one where the curve below it (d1 for the
// second-derivative search, |d2| for the first) is largest. Returns 1 and
// the root; 0 when the interval holds no sign change.
int32_t KantenNullstelle(const double* x, const double* d1, const double* d2, int32_t n,
                         double a, double b, bool ersteAbleitung, double* wurzel);

// Derivatives of a spectrum for the edge search: on the real spacing, or,
// with glaettung > 1, after resampling onto the smallest step and a Fourier
// smoothing of that width (glaetten is called on the resampled y and may be
// null for no smoothing). x, d1, d2 receive the curve the search runs on.
typedef void (*GLAETTER)(double* x, double* y, int32_t n, int32_t breite);
void KantenKurven(const double* x, const double* y, int32_t n, double glaettung, GLAETTER glaetten,
                  std::vector<double>* gx, std::vector<double>* d1, std::vector<double>* d2);

// ---- k space ----

// 2 m_e / hbar^2 in 1/(keV Angstrom^2), as the program uses it.
const double K_FAKTOR = 262.451;
// k = sign(E - E0) sqrt(262.451 |E - E0|) (E, E0 in keV); E = E0 gives -0.0.
double KAusEnergie(double e, double e0);
// E = E0 + k |k| / 262.451.
double EnergieAusK(double k, double e0);
// y * |k|^w.
double KGewichtet(double k, double y, double w);
// Takes an old weighting |k|^alt off (points with k = 0 keep their value)
// when alt is given (gewichtet), then weights with |k|^w.
void KGewichtung(const double* k, double* y, int32_t n, bool gewichtet, double alt, double w);

// ---- small curve operations ----

// Even indices into a, odd into b; returns the counts (all points kept:
// a gets (n + 1) / 2, b n / 2).
void GeradeUngerade(const double* x, const double* y, int32_t n, std::vector<double>* ax,
                    std::vector<double>* ay, std::vector<double>* bx, std::vector<double>* by);

// c0 + c1 x + c2 x^2.
inline double DxasPolynom(const double* c, double x) { return c[0] + c[1] * x + c[2] * x * x; }

// ---- ".F15" files ----

// The output name of an ".F15" input: the third-last character becomes 'M'.
// Empty for a name shorter than 3 characters.
std::string F15Ausgabename(const std::string& eingabe);
// One data line of an ".F15" file: the text up to (not including) its
// seventh blank; the whole line (without line end) when it has fewer.
std::string F15Zeile(const std::string& zeile);
// The whole conversion of a text: 2 lines kept, 27 skipped, then data lines
// cut at the seventh blank until the end or an empty line.
std::string KonvertiereF15Text(const std::string& text);

#endif
