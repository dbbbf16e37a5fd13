// Text spectrum files: the spectrum reader (binary or text, by content),
// the column parser and the commented text table the program writes.
//
// Plain code: no window system, so it builds natively too.
#ifndef KORLAN_ASCII_FILE_H
#define KORLAN_ASCII_FILE_H

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <vector>

#include "spectra/spectrum_file.h"

// A text file larger than this is refused (107) before it is read.
constexpr int64_t MAX_TEXT_BYTES = 256LL * 1024 * 1024;

// The block of numeric rows found in a text file.
struct TextTabelle {
    int32_t Kopfzeilen = 0;         // lines (text and blank) ahead of the block
    int32_t Zeilen = 0;             // rows of the block
    int32_t Spalten = 0;            // values per row
    std::vector<std::vector<double>> Werte;  // per column, Zeilen values each
    std::vector<bool> Monoton;      // per column: strictly rising or falling
    int32_t BruchZeile = 0;         // row (1-based) where column 1 lost its order, 0 = never
    char Trennzeichen[20] = {};     // separator run learnt from the first data line
    bool ErsteZeileIstKopf = false; // the file's first line is not a data row
    int32_t ErsteZeileFlag = 0;     // second comma field of a first line starting with a digit
    double ErsteZeileWerte[4] = {}; // comma fields 2-5 of the first line (0 where missing)
    int32_t UebersprungeneZeilen = 0; // lines after the table that were not read (footer, cut row)
};

// Finds the block of numeric rows in text[0..laenge). Lines may be of any
// length; a line is a data row when it holds numbers only (comma, blank or
// tab separated), and a text line when it holds a letter, a word that is
// not a number, or starts with a comment character (# ! ; % *). Data rows
// after a text line, with another value count, or after blank lines where
// x does not go on in its direction start a new block. Codes: SPEKTRUM_OK, FEHLER_ZU_VIELE_PUNKTE (a row of more
// than 799 values). A footer or a row cut short after a block of two or
// more rows leaves that block as the table (UebersprungeneZeilen counts the
// lines after it); the count line of this program's own text files gives
// the first line's flag and coefficients.
int32_t ParseTextTabelle(const char* text, std::size_t laenge, TextTabelle* tabelle);

// Turns a parsed table into the file information and the curve: x =
// column 1, y = column 2 (a single column gives x = 0, 1, 2, ...), the
// third column behind the real part when the first line marks one; x is
// reversed when it falls; the compatibility reduction of the count.
// Result: points; 0 without rows; the negative break row when no column
// can serve as x and daten is null, or when column 1 taken as x anyway
// would keep fewer than half of the rows.
int32_t TabelleAlsSpektrum(TextTabelle& tabelle, DateiInfo* info, SpektrumDaten* daten,
                           std::vector<double>* spalte3, std::vector<double>* spalte4);

// The spectrum reader: the file named by info's folder and file name is
// read as a binary spectrum file (6666/9999) or as text. Result: number of
// points; 0 when the file cannot be opened (*fehler = SPEKTRUM_NICHT_OFFEN)
// or is refused (*fehler = 105 or 107); the negative break row when no
// column can serve as x and daten is null, or when taking column 1 as x
// anyway would drop most rows. spalte3/spalte4 (may be null)
// receive columns 3 and 4 of a text file.
int32_t LeseSpektrum(DateiInfo* info, SpektrumDaten* daten, std::vector<double>* spalte3,
                     std::vector<double>* spalte4, int32_t* fehler);

// The same into caller arrays of `kapazitaet` doubles each (x, y may be
// null; col3, col4 may be null). A curve that does not fit (n, or 2n + 1
// with a third column) is refused with 107: result 0.
int32_t LeseDatenFile(DateiInfo* info, double* x, double* y, double* col3, double* col4,
                      int32_t kapazitaet, int32_t* fehler = nullptr);

// Column reader: columns xSpalte and ySpalte (1-based) of the file of info
// into daten. With glitchProzent > 0 the glitch filter runs on y.
// Result: points, 0 refused (*fehler).
int32_t LeseSpalten(const DateiInfo& info, int32_t xSpalte, int32_t ySpalte,
                    SpektrumDaten* daten, int32_t* fehler, double glitchProzent = 0.0,
                    int32_t glitchPunkte = 2);

// Evaluates the model over x[0..n-1] into y: funktion -1 = the whole
// model, k >= 0 = model function k alone.
using ModellAuswertung = std::function<void(int32_t funktion, const double* x, double* y, int32_t n)>;

struct TextAuftrag {
    const char* Name = "";          // the window's file name
    const double* x = nullptr;
    const double* y = nullptr;      // with a third column in the layout of SpektrumDaten
    int32_t Punkte = 0;
    bool Komplex = false;           // write the imaginary part as a third column
    double Koeffizienten[4] = {0.0, 0.0, 0.0, 0.0};
    ModellAuswertung Modell;        // empty: no model columns
    int32_t EinzelFunktionen = 0;   // above 1: one further column per model function
    std::time_t Zeit = 0;           // 0: now
};

// Writes the commented text table ("# created: ..."). Codes: SPEKTRUM_OK,
// SPEKTRUM_NICHT_OFFEN, FEHLER_FORMAT (no points or arrays).
int32_t SchreibeTextSpektrum(const char* pfad, const TextAuftrag& auftrag);

#endif
