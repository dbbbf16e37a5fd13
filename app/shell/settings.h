// Settings files of the program folder: reading and writing without any
// window. Every reader keeps the caller's values where the file says
// nothing usable, and never writes past the buffers it is given.
#ifndef KORLAN_SETTINGS_H
#define KORLAN_SETTINGS_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// A font profile of "numeric.ins": [1]-[4] font heights, [5]-[8] pen
// widths, [9] frame flag, the others carried unchanged.
struct SCHRIFT_PROFIL {
    int32_t Wert[15];
};

// Reads one line of any length into zeile without its line feed (and a
// carriage return before it). False at the end of the file.
bool LeseZeile(std::FILE* datei, std::string& zeile);

// Copies text into ziel of groesse bytes, cut to fit, always terminated.
void KopiereText(char* ziel, std::size_t groesse, const std::string& text);

// "xas_E-range.ins": the energy range in keV from the first line (at most
// 99 characters are looked at). Missing file or no number: 40.0.
double LeseXasERange(std::FILE* datei);
const double XAS_E_RANGE_VORGABE = 40.0;

// "numeric.ins": lines 1-3 into the three text lists (each listeBytes
// long), line 4 into the two profiles; then the profiles are checked and
// replaced by the defaults when their sizes are unusable. datei may be null
// (missing file). aktivesProfil becomes 1.
void LeseNumericIns(std::FILE* datei, char* xListe, char* yListe, char* titelListe,
                    std::size_t listeBytes, SCHRIFT_PROFIL profile[2], int32_t* aktivesProfil);
// The default profiles (indexes 0-9; 10-14 stay).
void SchriftProfilVorgaben(SCHRIFT_PROFIL profile[2]);
// Writes "numeric.ins".
void SchreibeNumericIns(std::FILE* datei, const char* xListe, const char* yListe,
                        const char* titelListe, const SCHRIFT_PROFIL profile[2]);
// The text of "numeric.ins": the three lists, each ended by a line feed,
// then the thirty profile values as "%d," and a line feed.
std::string NumericInsText(const char* xListe, const char* yListe, const char* titelListe,
                           const SCHRIFT_PROFIL profile[2]);
// The text of "xas_E-range.ins": the range in keV as "%G", no line end.
std::string XasERangeText(double keV);
// Font heights (indexes 1-4) a profile may hold: the reader keeps a profile
// only when its sizes lie in this range.
const int32_t SCHRIFT_HOEHE_MIN = 1, SCHRIFT_HOEHE_MAX = 59;

// Replaces the file at pfad by inhalt: the text goes to pfad + ".tmp"
// first, which then takes the old file's place, so that a failed write
// leaves the old file whole. False when the file could not be written
// (settings_win.cpp).
bool ErsetzeDatei(const char* pfad, const std::string& inhalt);

// "browser.dat": the browser path from the first line, cut to fit pfad.
// Missing or empty file: pfad stays.
void LeseBrowserDat(std::FILE* datei, char* pfad, std::size_t groesse);

// "XRD.ini": line 1 the wavelength in pm, lines 2-4 the three instrument
// values; lines that are missing or hold no number leave their value.
void LeseXrdIni(std::FILE* datei, double* wellenlaenge, double profil[3]);

#endif
