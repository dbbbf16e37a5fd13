// The options file "numeric.opt": three lines carrying the EXAFS options
// (with the LC-XANES limit as the sixth field of line 1), the fit re-new
// words, the copy size, the file filter and the data folder.
#ifndef KORLAN_OPTIONEN_H
#define KORLAN_OPTIONEN_H

#include <cstddef>
#include <cstdint>
#include <cstdio>

// EXAFS options carried by "numeric.opt" and "xas_E-range.ins".
struct EXAFS_OPTIONEN {
    double MaxR;              // Angstrom
    double RSchritt;          // Angstrom
    double EnergieBereich;    // keV, "xas_E-range.ins"
    int32_t KPunkte;          // points of the k grid
    int32_t Einheiten;
    int32_t KalibrierQuelle;  // calibration source word: 1 the same spectrum, 0 a reference
    double LcGrenze = -1.0;   // eV, limit of the LC-XANES fit (" Zero if 'Limit' exceeded"); -1.0 off
};

// What "numeric.opt" reads and writes; the pointers point into the
// application object and the globals.
struct OPTIONEN_ZIELE {
    EXAFS_OPTIONEN* Exafs;
    int32_t* FitErneuerung;    // two words
    int32_t* FitZusatz;        // two words
    int32_t* KopierGroesse;
    int32_t* BinaerSpeichern;
    char* DateiFilter;
    std::size_t DateiFilterBytes;
    char* DatenOrdner;
    std::size_t DatenOrdnerBytes;
};

// Writes the three lines. Returns 1.
int32_t SchreibeOptionen(std::FILE* datei, const OPTIONEN_ZIELE& ziele);
// Reads the three lines; values the file does not hold usably keep or take
// their fall-backs (R max 7.0, R step 0.04, 1024 k points). Returns 1.
int32_t LeseOptionen(std::FILE* datei, const OPTIONEN_ZIELE& ziele);

// The k-point count of line 1: the smallest power of two not below the
// value, 1024 when that is below 9 or the value is unusable.
int32_t KPunkteAusWert(double wert);

#endif
