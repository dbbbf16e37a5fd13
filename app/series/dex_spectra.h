// Absorption spectra from detector series (833): the paths of the dialog,
// the numbers and pairing of series files, mu = ln((I0 - dark) / (I1 -
// dark)) and the outputs: two-column ".xas" files, one multi-column ".xas"
// file or the DEX file of the raw detector columns.
//
// Plain code: paths, arrays and files in, codes out; the file search and
// the questions come in as functions, so no window system is needed here.
#ifndef KORLAN_DEX_SPECTRA_H
#define KORLAN_DEX_SPECTRA_H

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The paths of the dialog in the order they are joined.
enum DEX_PFAD { DEX_I0_1, DEX_I0_2, DEX_I1, DEX_DUNKEL_1, DEX_DUNKEL_2, DEX_FOLIE_1, DEX_FOLIE_2,
                DEX_PFADE };

// Longest path an edit takes and longest joined text.
constexpr std::size_t DEX_PFAD_MAX = 109;
constexpr std::size_t DEX_TEXT_MAX = 400;

struct DexPfade {
    std::string Pfad[DEX_PFADE];
};

// The paths joined by "##": without dex only I0 (1), I1 and background (1);
// an empty optional path is sent as "x".
std::string DexPfadeVerbinden(const DexPfade& p, bool dex);
// Splits the joined text ("x" becomes empty). False for a text that has
// neither three nor seven parts or lacks I0 (1) or I1.
bool DexPfadeTeilen(const std::string& text, DexPfade* p);
// Why a set of paths is refused (a path above DEX_PFAD_MAX characters, or a
// joined text above DEX_TEXT_MAX), "" when it is taken.
std::string DexPfadeZuLang(const DexPfade& p, bool dex);

// The file-name part of a path (after its last "\" or "/").
std::string DexDateiTeil(const std::string& pfad);
// The folder of a path up to and including its last separator.
std::string DexOrdner(const std::string& pfad);
// The number of a file: the run of digits that ends its file name before
// the name's first "." (0 when there is none). A dotted folder plays no part.
int64_t DexDateiNummer(const std::string& pfad);
// The path cut before the first "." (or before zeichen) of its file-name part.
std::string DexSchnitt(const std::string& pfad, char zeichen = '.');
// Whether a file name matches a search pattern with "*" and "?" (case
// ignored), as the file search of the system takes it.
bool DexMusterPasst(const std::string& name, const std::string& muster);
// Sorts the files of a series by ascending number (by name for equal numbers).
void DexSerieOrdnen(std::vector<std::string>* dateien);

// mu[i] = ln q with q = (i0 - dunkel) / (i1 - dunkel) where I0 differs from
// the background; 0 where it does not or where q is not finite and positive.
// dunkel may be null (no background).
void DexAbsorption(const double* i0, const double* i1, const double* dunkel, int32_t n, double* mu);

// The DEX file's columns in file order, x first: the index into the seven
// paths of each column, -1 for x, DEX_PFADE + k for spectrum k (1-based)
// of the I1 file. N + 7 entries.
std::vector<int32_t> DexSpaltenFolge(int32_t n);

// Answers of the Abort/Retry/Ignore question.
enum DEX_ANTWORT { DEX_ABBRECHEN, DEX_WIEDERHOLEN, DEX_IGNORIEREN };

// What the run needs from outside.
struct DexUmgebung {
    // The file names (without folder) of the folder that match the pattern.
    std::function<std::vector<std::string>(const std::string& ordner, const std::string& muster)> Suche;
    // The question on numbers that differ (text as shown).
    std::function<DEX_ANTWORT(const std::string& text)> Frage;
    // A file that cannot be read or written (the path, the message).
    std::function<void(const std::string& pfad, const std::string& text)> Meldung;
};

struct DexErgebnis {
    std::vector<double> x, y;             // x of the last files read, the last absorption
    int32_t Punkte = 0;                   // points of the last spectrum computed
    std::vector<std::string> Geschrieben; // the files written
    int32_t Spalten = 0;                  // columns of the multi-column file at the end
};

// The run of command 833 on the paths with the options. Returns the point
// count of the last spectrum computed, 0 when none was.
int32_t BerechneDexDateien(const DexPfade& p, bool dex, bool mehrspaltig, DexUmgebung& u,
                           DexErgebnis* aus);

#endif
