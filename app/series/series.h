// Series of spectra: the common grid of several files, their average and
// multi-column file, the text export and split of a multi-column file, one
// more column appended to it, the column average with the I0 rule of
// dispersive spectra, the per-spectrum header values and the foil names.
//
// Plain code: arrays, numbers and files in, codes out; no window system.
#ifndef KORLAN_SERIES_H
#define KORLAN_SERIES_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// ---- file choice and output name ----

// Paths of a multiple selection: folder, zero byte, names each ended by a
// zero byte, an empty name at the end. One name alone is a full path. Only
// the first `bytes` bytes are read.
std::vector<std::string> MehrfachAuswahl(const char* puffer, std::size_t bytes);

// Output name of a multi-column file: shorter than two characters gives
// "test.dxa", a file name without "." gets ".dxa". False (aus unchanged)
// for names of MC_NAME_GRENZE characters or more.
constexpr std::size_t MC_NAME_GRENZE = 200;
bool McAusgabeName(const std::string& ein, std::string* aus);

// The smoothing degree of a reference of n points: 0 .. n / 4.
bool GlaettungsGradGueltig(int32_t grad, int32_t punkte);

// ---- common grid and average ----

struct SerienKurve {
    std::string Name;
    std::vector<double> x, y;   // rising x
};

struct SerienGitter {
    std::vector<double> x;                    // the grid
    std::vector<std::vector<double>> Spalten; // one column per file, range-checked
    std::vector<double> Mittel;               // mean of the unchecked values
    std::string Bericht;                      // "grid cut" lines, "" when uncut
};

// Natural cubic spline of (x, y, n) at gitter[0..nG-1] into aus.
void SplineAufGitter(const double* x, const double* y, int32_t n, const double* gitter,
                     int32_t nG, double* aus);

// Limits of the range check of a file's y: the extremes widened by 20 %.
void WertGrenzen(const double* y, int32_t n, double* unten, double* oben);

// Grid points of gitter[0..n-1] that lie inside [von[i], bis[i]] of every
// file i (1e-9 relative tolerance): the index range erster..letzter.
// begrenzer gets the file that cut the start (entry 0) and the end (entry
// 1), -1 where nothing was cut. False when no point is common.
bool SchneideGitter(const double* gitter, int32_t n, const double* von, const double* bis,
                    int32_t dateien, int32_t* erster, int32_t* letzter, int32_t begrenzer[2]);

// The first curve's x, cut to the part every curve covers, is the grid;
// every curve is splined onto it (the first one's own values are kept).
// Returns the number of grid points, 0 when the curves share no range or
// one has fewer than two points.
int32_t BaueSerie(const std::vector<SerienKurve>& kurven, SerienGitter* aus);

// Edge of a reference (keV): smoothed with degree `grad` (0 = none), then
// the zero of the second derivative next to the steepest rise (wendepunkt)
// or of the first derivative next to the smallest second derivative (white
// line), searched within +-0.003 keV of that point or in [von, bis] when
// bereich is set. Returns 1 with e0, 0 when there is no root or, without a
// range, no rise (no negative second derivative) at all (e0 unset).
int32_t KantenLage(const double* x, const double* y, int32_t n, int32_t grad, bool wendepunkt,
                   bool bereich, double von, double bis, double* e0);

// ---- a series from several files (623, 624) ----

// The edge calibration of every file of a series: the edge of its
// reference (smoothed with Grad, the inflection point or the white line,
// searched next to the steepest rise or in [Von, Bis] when Bereich) is
// moved onto Kante by shifting the file's x.
struct SerienKalibrierung {
    bool An = false;
    bool Wendepunkt = true;
    double Kante = 8.979;
    bool Bereich = false;
    double Von = 0.0, Bis = 0.0;
    int32_t Grad = 5;
};

// Codes of SerieAusKurven.
constexpr int32_t SERIE_OK = 1;
constexpr int32_t SERIE_KEINE_KANTE = -1;   // no root in the search interval of file *datei
constexpr int32_t SERIE_GRAD = -2;          // smoothing degree beyond a quarter of file *datei's points
constexpr int32_t SERIE_KEIN_GITTER = -3;   // the files share no range (or one has < 2 points)

// Calibrates the curves (with k.An, referenzen[i] belongs to kurven[i];
// their x are shifted in place), builds the series on the first curve's
// grid and writes the report: the header naming the output file, one
// entry per file ("Calib:" line with calibration) and the grid-cut line.
// *datei gets the 0-based index of the file that stopped the run.
int32_t SerieAusKurven(std::vector<SerienKurve>* kurven, const std::vector<SerienKurve>& referenzen,
                       const SerienKalibrierung& k, const std::string& ausgabe, SerienGitter* aus,
                       std::string* bericht, int32_t* datei);

// The prepared form of 623 and 624 (macro text and CommandText): the
// output name and the paths, each followed by "|". Paths hold no "|".
std::string SerienAuftragText(const std::string& ausgabe, const std::vector<std::string>& pfade);
bool SerienAuftragLesen(const std::string& text, std::string* ausgabe, std::vector<std::string>* pfade);

// ---- multi-column files ----

// Text export: the two header lines (zeit without newline) and one line
// of k values, each "%-14.6G" cut to 13 characters and a blank.
std::string McTextKopf(const char* zeit, const char* datei);
std::string McTextZeile(const double* werte, int32_t k);

// The file name up to its last "." (the whole name when it has none).
std::string BasisName(const std::string& name);
// Path of split file j (1-based): ordner "\" basis "_%03d" and ".dat"
// (binary) or ".x_y" (text).
std::string TeilDateiPfad(const std::string& ordner, const std::string& basis, int32_t j,
                          bool binaer);
// Name of a multi-column file with one more column: everything after the
// last "." of the file name replaced by "a" and s; a name without "."
// gets ".a<s>".
std::string AnhangName(const std::string& pfad, int32_t s);

// Codes of SpalteAnhaengen.
constexpr int32_t ANHANG_OK = 1;
constexpr int32_t ANHANG_FEHLER = 0;          // not opened, not written or truncated
constexpr int32_t ANHANG_KEIN_BINAER = -1;    // no 6666/9999 header
constexpr int32_t ANHANG_GANZZAHL = -2;       // 16-bit samples
constexpr int32_t ANHANG_VOLL = -3;           // already the most columns a file may hold

// Copies the multi-column file `quelle` to `ziel` with the curve (x, y, m)
// as one more column on the file's grid (its own y when the x agree within
// 1e-9 relative, else its spline). An imaginary last column is dropped.
// Written to a temporary file first: on failure nothing changes; on
// success quelle is removed (replaced when ziel names the same file).
// *spalten gets the new column count.
int32_t SpalteAnhaengen(const char* quelle, const char* ziel, const double* x, const double* y,
                        int32_t m, int32_t* spalten);

// Writes a multi-column file of columns (x first, all of n points) through
// a temporary file renamed at the end; blocks (20 words per column, may be
// null) go before each column. True when the whole file was written.
bool SchreibeMcDatei(const char* pfad, const std::vector<std::vector<double>>& spalten,
                     const double koeffizienten[3], const char* name,
                     const std::vector<std::vector<int16_t>>* bloecke);

// ---- column average ----

// I0 of column j between the readings i01 (column c1) and i02 (column c2),
// less the dark current: equals each reading at its own column.
double I0Interpoliert(double i01, double i02, double dunkel, int32_t j, int32_t c1, int32_t c2);

// Mean of the columns spalten[i] (column numbers nummern[i], n points)
// into aus. With dxas each column becomes ln(I0 / (R - dark)) first (0.0
// where the difference is 0 or the ratio not positive), I0 from
// I0Interpoliert on i01, i02, dunkel. Returns the number of columns
// averaged, 0 (aus untouched) for none.
int32_t MittleSpaltenWerte(const std::vector<const double*>& spalten,
                           const std::vector<int32_t>& nummern, int32_t n, bool dxas,
                           const double* i01, const double* dunkel, const double* i02,
                           int32_t c1, int32_t c2, double* aus);

// ---- header values and foil names ----

// The number typed for a header value: 0-based k for 1..20, else -1.
int32_t KopfWertNummer(const char* text);
// y axis text of header value k.
const char* KopfWertText(int32_t k);

// Foil name from the dialog: cut to 39 characters. 1 with the name, 0 for
// an empty text, -1 for a name with a comma.
constexpr std::size_t FOLIEN_NAME_MAX = 39;
int32_t FolienName(const char* text, std::string* name);

#endif
