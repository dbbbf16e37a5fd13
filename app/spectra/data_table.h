// The arithmetic of the data-table window: the texts of its rows and of its
// header, reading an entry, deleting a point, the scroll ranges and the
// rows an update area shows. No window is involved.
#ifndef KORLAN_DATA_TABLE_H
#define KORLAN_DATA_TABLE_H

#include <cstddef>
#include <cstdint>

// Row of point i of a curve of n points: "%4d.  % -10G  % -10G" (index,
// x, y), with a fourth column for a curve whose imaginary part stands
// behind its real part (y[n + 1 + i]).
void TabellenZeile(char* ziel, std::size_t groesse, int32_t i, const double* x, const double* y,
                   int32_t n, bool komplex);

// Header fields of the selected point: the index as "  %d.", a value as
// "  %G", or "  %.5E" cut to 15 characters when "%G" gives more than 12.
void TabellenKopfIndex(char* ziel, std::size_t groesse, int32_t i);
void TabellenKopfWert(char* ziel, std::size_t groesse, double wert);

// The value of an entry in the x or y field: at most its first 19
// characters read as a number; a text that is no number gives 0.0.
double TabellenEingabe(const char* text);

// Removes point i of a curve of *n points: the points behind it move one
// place forward (the imaginary part of a complex curve with them, so that
// it stays behind the shortened real part). The last point leaves an
// empty curve. false and nothing changed when i is not a point.
bool TabellenPunktLoeschen(double* x, double* y, int32_t* n, int32_t i, bool komplex);

// Largest first row of the vertical scroll range: max(n - hoehe / zeile + 1, 0).
int32_t TabellenVertikalMax(int32_t n, int32_t hoehe, int32_t zeile);
// Largest horizontal position in characters: max((zeilenBreite - breite) / zeichen + 2, 0).
int32_t TabellenHorizontalMax(int32_t zeilenBreite, int32_t breite, int32_t zeichen);

// Rows [*von, *bis) whose lines meet the update area between the pixel
// rows oben and unten, row i standing at (i - erste + 1) x zeile.
void TabellenZeilenBereich(int32_t oben, int32_t unten, int32_t zeile, int32_t erste, int32_t n,
                           int32_t* von, int32_t* bis);

// Index of the point of x[0..n) nearest to xk as a Shift-click finds it:
// the first point whose x is not below xk (the last point when none is),
// one back when the midpoint to its predecessor lies above xk. -1 for no
// points.
int32_t TabellenNaechsterPunkt(const double* x, int32_t n, double xk);

#endif
