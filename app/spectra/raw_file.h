// Diffractometer files with the magic "RAW_": a binary format in blocks
// of 512 bytes (file header, then per range a range header followed by its
// data blocks). The spectrum reader and the column reader load the first
// range as an x, y curve.
//
// Plain code: no window system, so it builds natively too.
#ifndef KORLAN_RAW_FILE_H
#define KORLAN_RAW_FILE_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "spectra/spectrum_file.h"

constexpr int32_t RAW_BLOCK = 512;
// Range r (counted from 1) finds the block number of its header at this
// offset + 2 r; the file header holds at most this many range entries.
constexpr int32_t RAW_BEREICH_TABELLE = 478;
constexpr int32_t RAW_MAX_BEREICHE = (RAW_BLOCK - RAW_BEREICH_TABELLE - 2) / 2;
// Samples of one range: the work buffer of the loader holds this many.
constexpr int32_t RAW_MAX_PUNKTE = 35000;

// Codes of ReadRawBlocks.
constexpr int32_t RAW_OK = 1;
constexpr int32_t RAW_NICHT_OFFEN = -1;     // cannot be opened
constexpr int32_t RAW_KEIN_RAW = -2;        // does not begin with "RAW_"
constexpr int32_t RAW_KEINE_BEREICHE = -3;  // the file holds no ranges
constexpr int32_t RAW_KEIN_BEREICH = -4;    // range does not exist or has no points
constexpr int32_t RAW_DEFEKT = -5;          // a count or block lies beyond the file or the buffer

// File header as read (old versions repaired).
struct RawDateiKopf {
    uint8_t Bytes[RAW_BLOCK];
    char Version;               // byte 7
    bool Alt;                   // version below "5"
    std::string Kennung;        // bytes 0-15
    std::string Datum1, Datum2; // bytes 16-31 and 440-455
    std::string Text80, Text192;
    int32_t Wort308;            // 4 is read as 102 in old versions
    int32_t Bereiche;           // number of ranges
};

struct RawBereichKopf {
    uint8_t Bytes[RAW_BLOCK];
    std::string Datum1, Datum2;
    int32_t Punkte;             // 16-bit, unsigned
    bool Ganzzahl16;            // word at 38 == 1: 16-bit samples, else 32-bit
    float ErstesX, Schritt;
};

// Reads range `bereich` (from 1) of the file in daten[0..bytes): headers
// and samples (as 32-bit floats). Result RAW_OK or one of the codes above.
int32_t ReadRawBlocks(const uint8_t* daten, std::size_t bytes, int32_t bereich,
                      RawDateiKopf* kopf, RawBereichKopf* bereichKopf,
                      std::vector<float>* werte);
// The same on a file.
int32_t ReadRawBlocks(const char* pfad, int32_t bereich, RawDateiKopf* kopf,
                      RawBereichKopf* bereichKopf, std::vector<float>* werte);

// True when the bytes begin with "RAW_".
bool IstRawDatei(const uint8_t* daten, std::size_t bytes);

// Point count of a range after the compatibility reduction: 3 less when it
// is a multiple of 1000 or leaves 1 divided by 1000 (never below 1).
int32_t RawReduziertePunkte(int32_t n);

// Loads range `bereich` as a curve: x[i] = first x + i * step (single
// precision), y[i] = sample i; info gets the point count, two columns and
// the column lists (1, 1) and (2, 1, 2). Result: points, or -1 when the
// file is refused: *fehler = 107 when a count or block does not fit the
// file (RAW_DEFEKT), 105 when it is no "RAW_" file or holds no range with
// points.
int32_t LoadRawFile(int32_t bereich, const uint8_t* daten, std::size_t bytes, DateiInfo* info,
                    SpektrumDaten* kurve, int32_t* fehler);
int32_t LoadRawFile(int32_t bereich, const char* pfad, DateiInfo* info, SpektrumDaten* kurve,
                    int32_t* fehler);

#endif
