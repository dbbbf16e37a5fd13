// Computations of the file commands (Open, Load, Save, the reference-foil
// table and the file-name dialog): plain functions on arrays, texts and
// std::FILE streams. The command handlers supply the windows, the dialogs
// and the globals of the application object and show the messages.
#ifndef KORLAN_SPECTRA_FILECOMMANDSCORE_H
#define KORLAN_SPECTRA_FILECOMMANDSCORE_H

#include <cstdint>
#include <cstdio>
#include <string>

// ---------------------------------------------------------------------------
// Reference-foil table "dexfoil.dat"

// Rows of data below every header line of the table.
const int32_t DEXFOIL_ZEILEN = 1500;
// A block is full with this many foil names; the next foil opens a new one.
const int32_t DEXFOIL_NAMEN_PRO_BLOCK = 4;

// Results of SchreibeDexfoil.
const int32_t DEXFOIL_OK = 1;
const int32_t DEXFOIL_FEHLER_ARGUMENT = -1;  // no folder, no name, or n < 0
const int32_t DEXFOIL_FEHLER_SICHERUNG = -2; // backup not written: table untouched
const int32_t DEXFOIL_FEHLER_SCHREIBEN = -3; // new table not written: restored from backup

// The backup name of a table file: its last three characters replaced by
// "bak" ("dexfoil.dat" -> "dexfoil.bak"). A name of fewer than three
// characters gets ".bak" appended.
std::string SicherungsName(const std::string& name);

// Adds one foil (x, y, n points; x in eV or keV as the curve holds it) to
// the table `programmOrdner` + "\dexfoil.dat" under the name `folienName`.
// An existing table is first copied byte for byte to "dexfoil.bak"; the
// table is then written anew from the backup: full blocks (more than three
// names) unchanged, the first block with three names or fewer extended by
// two columns "%.8G,%.8G" (rows beyond the foil's points "-1,-1"), or a new
// block at the end. At most DEXFOIL_ZEILEN points are written. Lines of any
// length are kept whole.
// Returns DEXFOIL_OK, DEXFOIL_FEHLER_ARGUMENT, DEXFOIL_FEHLER_SICHERUNG (the
// table is left as it was) or DEXFOIL_FEHLER_SCHREIBEN (the old table is
// copied back from the backup as far as the disk allows).
int32_t SchreibeDexfoil(const std::string& programmOrdner, const std::string& folienName,
                        const double* x, const double* y, int32_t n);

// Reads one line of any length without its line end ("\n", "\r\n" or a lone
// "\r" before "\n"). Returns false at the end of the stream when nothing was
// read.
bool LiesZeile(std::FILE* f, std::string* zeile);

// Number of comma-separated names of a header line (0 for an empty line).
int32_t ZaehleNamen(const std::string& kopf);

// ---------------------------------------------------------------------------
// Transformations of Open and Load

// Variant of a file by its extension (the text after the last '.' of the
// name, compared upper-cased).
const int32_t DATEI_NORMAL = 0;
const int32_t DATEI_LOG_51 = 1; // "51F", "51M": y = ln |column 2 / column 3|
const int32_t DATEI_XED = 2;    // "XED": spike filter after loading
int32_t DateiVariante(const char* dateiName);

// y[i] = ln |spalte2[i] / spalte3[i]|, 0 where either is 0. y may be spalte2.
void LogQuotient(const double* spalte2, const double* spalte3, int32_t n, double* y);

// Spike filter of the "XED" files, in place: for i from 30 while i < n - 30,
// a y[i] whose magnitude is above twice or below half of both neighbours'
// becomes the mean of y[i-1] and y[i-2] (already filtered values count).
void XedSpikeFilter(double* y, int32_t n);

// A one-column file: y = the column, x = 0, 1, 2, ... The column may be
// the x or the y array itself.
void EinSpaltenAbszisse(const double* spalte, int32_t n, double* x, double* y);

// Points needed in each slot array for a curve of n points with a third
// column (2n + 5; the arrays are grown to this before the copy).
int32_t KomplexKapazitaet(int32_t n);

// Copies a curve into a slot's arrays. Without `imag`, x and y go to
// slotX/slotY[0..n-1]. With `imag` (the third column, row i at imag[i])
// the imaginary part is placed behind the real part: slotY[n] repeats the
// last real value (slotX[n] the last x), slotY[n+1+i] = imag[i] and
// slotX[n+1+i] = x[i]. `variante` DATEI_LOG_51 takes y = ln|y / spalte3|
// (spalte3 must then be given), DATEI_XED runs the spike filter on the real
// part. Returns the point count n, or -1 when the slot (kapazitaet points)
// is too small, an array is missing or n < 0; nothing is written then.
int32_t UebertrageInSlot(const double* x, const double* y, const double* imag,
                         const double* spalte3, int32_t n, int32_t variante, double* slotX,
                         double* slotY, int32_t kapazitaet);

// ---------------------------------------------------------------------------
// Save

// Removes a k weighting: every y[i] with x[i] not 0 is divided by
// x[i]^kGewicht. With `mitImaginaerteil` (slot flag 4) the imaginary part
// y[n+1..2n] is divided by its x[n+1..2n] as well, so that both parts of a
// saved curve carry the same weighting.
void EntferneKGewichtung(const double* x, double* y, int32_t n, double kGewicht,
                         bool mitImaginaerteil);

// One point of the append of mode 3: "%.15G,%.15G\r\n". Returns the number
// of characters (without terminator), or -1 when the buffer is too small.
int32_t FormatiereAnhangZeile(double x, double y, char* puffer, int32_t groesse);

// Results of the writers below.
const int32_t SPEICHERN_OK = 1;
const int32_t SPEICHERN_FEHLER = 0; // not opened, or a write or close failed

// Appends n points (x, y) to the text file `pfad` (created when missing),
// each as FormatiereAnhangZeile gives it. The file is written in binary
// mode, so every line ends in exactly CR LF, as the other text files of
// the program on Windows do.
int32_t HaengeKurveAn(const std::string& pfad, const double* x, const double* y, int32_t n);

// Creates `pfad` and writes `text` as it stands (mode 2, the results text;
// binary mode: its line ends are already "\r\n").
int32_t SchreibeTextDatei(const std::string& pfad, const std::string& text);

// ---------------------------------------------------------------------------
// File-name dialog

// Description and pattern of one entry of a dialog's filter list.
struct DateiFilterPaar {
    const char* beschreibung;
    const char* muster;
};

// The custom first pair of the open and save dialogs ("current" "*.*").
extern const DateiFilterPaar DATEI_FILTER_EIGEN;
// The filter list of the open and save dialogs; the first entry is chosen.
extern const DateiFilterPaar DATEI_FILTER[9];
const int32_t DATEI_FILTER_ANZAHL = 9;
const int32_t DATEI_FILTER_INDEX = 1; // 1-based index of the chosen entry
// The filter of Save mode 2 (results text).
extern const DateiFilterPaar ERGEBNIS_FILTER;

// Buffer sizes of the dialogs: file name and file title.
const int32_t DATEI_NAME_PUFFER = 2000;
const int32_t DATEI_TITEL_PUFFER = 500;

// Filter list in the form the dialogs take: description, NUL, pattern, NUL,
// ..., and a final NUL (the returned string holds the NULs).
std::string FilterText(const DateiFilterPaar* paare, int32_t anzahl);

// The remembered filter after a file was chosen: "*." plus the extension of
// the name (the text after the last '.' of the last path component; "*."
// alone when there is none).
std::string MerkeFilter(const std::string& pfad);

// The folder of a path with its trailing backslash ("" when it has none).
std::string OrdnerVonPfad(const std::string& pfad);
// The folder of a path without the trailing backslash.
std::string OrdnerOhneSchraegstrich(const std::string& pfad);
// The name of a path without its folder.
std::string NameVonPfad(const std::string& pfad);

// Proposed name of the Open dialog: the remembered filter when it begins
// with "*" and is shorter than six characters, else `ersatz` (Open passes
// "", Load "*.mes").
std::string OeffnenVorschlag(const std::string& filter, const std::string& ersatz);

// Proposed name of Save mode 1: with ASCII choice 1 or 2 the window's file
// name with the extension ".xan" or ".chi" (in place of its own; "*.xan" or
// "*.chi" when the window has no name); otherwise the remembered filter
// when it begins with "*." and is shorter than six characters; else "*.mes".
std::string SpeichernVorschlag(const std::string& filter, int32_t asciiWahl,
                               const std::string& fensterDateiName);

// What FileDialog shows for one kind.
struct DateiDialogVorgabe {
    std::string titel;     // dialog title, "" for the system's
    std::string vorschlag; // proposed name (pattern)
    std::string ordner;    // initial folder, "" for the system's
    bool mehrfach;         // several files may be chosen (kind 200)
};

// The table of FileDialog: title, proposed name and initial folder of a
// kind, from the remembered filter, the data folder, the FEFF folder and
// the first line of "feffdir.ini" (pass "" when the file is missing).
// Kind 8 starts in the FEFF folder, or, when it is empty, in the folder of
// the feffdir.ini line (its text up to and including the last backslash).
DateiDialogVorgabe DateiDialogTabelle(int32_t art, const std::string& dateiFilter,
                                      const std::string& datenOrdner,
                                      const std::string& feffOrdner,
                                      const std::string& feffdirZeile);

// Longest file name that a kind-200 selection hands on.
const int32_t MEHRFACH_NAME_MAX = 199;

// Splits the buffer of a multiple selection (kind 200): the dialog returns
// "folder NUL name NUL name NUL NUL" for several files and "path NUL NUL"
// for one. Several: *pfad = the folder with a backslash appended, *titel =
// the names joined by ","; one: *pfad = the whole path, *titel = "". Each
// name is cut to MEHRFACH_NAME_MAX characters; *gekuerzt (when given)
// counts the names that were cut. `laenge` is the buffer size; a buffer
// without its final NUL NUL is read up to its end.
// Returns the number of files (0 for an empty buffer).
int32_t TeileMehrfachAuswahl(const char* puffer, int32_t laenge, std::string* pfad,
                             std::string* titel, int32_t* gekuerzt);

// ---------------------------------------------------------------------------
// Small routines

// Copies the characters of `text` from *position up to and including the
// delimiter into `out` (at most groesse - 1 characters and a terminator)
// and moves *position behind the delimiter. Characters at positions of
// `limit` or more are not taken (limit < 0: no limit).
// Returns 1 when the token ends with the delimiter; 0 when the text or the
// allowed range ended first (out then holds the characters up to there and
// *position points behind them) or when the token did not fit into `out`
// (out holds what fitted, *position is unchanged).
int32_t GetToken(const char* text, char* out, char delimiter, int32_t* position, int32_t limit,
                 int32_t groesse);

// Size of an open file in bytes; its position is unchanged.
// Returns -1 when the stream cannot be positioned.
int64_t DateiSeek(std::FILE* datei);

// Sort feld[links..rechts] (both included) ascending in place. Quicksort
// with the first element as pivot (the median of first, middle and last is
// moved there first), recursing into the smaller part only, so that sorted
// or constant input neither overflows the stack nor takes quadratic time.
void SortiereFeld(int32_t* feld, int32_t links, int32_t rechts);
void SortiereWerte(double* feld, int32_t links, int32_t rechts);

// Class of a character of a number text: 1 digit, '.', '+', '-', 'e' or
// 'E'; 0 another letter; 2 line end ('\n', '\r' or the terminator);
// -1 anything else (a separator).
int32_t IstZiffer(char c);

// Writes `text` reversed into `puffer` (at most groesse - 1 characters: the
// last ones of the text, so that the reversed text begins as it should)
// and returns the length of the text.
int32_t TextLaenge(const char* text, char* puffer, int32_t groesse);

#endif
