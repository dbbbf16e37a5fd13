// Spectrum files of korlan: the file information record, the binary
// spectrum file and the multi-column (series) file.
//
// Plain code: arrays and numbers in, codes out. No window system here, so
// the readers build and run natively (sanitizer tests, fuzzing) as well.
#ifndef KORLAN_SPECTRUM_FILE_H
#define KORLAN_SPECTRUM_FILE_H

#include <cstddef>
#include <cstdint>
#include <vector>

// Column lists hold their count in entry 0 and column numbers behind it.
constexpr int32_t SPALTEN_LISTE = 800;
constexpr int32_t MAX_SPALTEN = SPALTEN_LISTE - 1;
// Slot arrays hold at least this many doubles.
constexpr int32_t MIN_FELD_PUNKTE = 35000;

// Binary layout: 50 header words, 150-byte name, per column a block of 20
// words followed by the samples. The point count is a signed 16-bit word.
constexpr int16_t BINAER_MAGIC_1 = 6666;
constexpr int16_t BINAER_MAGIC_2 = 9999;
constexpr int32_t BINAER_KOPF_WORTE = 50;
constexpr int32_t BINAER_NAME_BYTES = 150;
constexpr int32_t BINAER_BLOCK_WORTE = 20;
constexpr int32_t BINAER_BLOCK_BYTES = 2 * BINAER_BLOCK_WORTE;
constexpr int32_t BINAER_DATEN_START = 2 * BINAER_KOPF_WORTE + BINAER_NAME_BYTES;
constexpr int32_t BINAER_MAX_PUNKTE = 32767;
// Word 49 of the header, zero in files of other writers: this program's files
// carry every point and are never reduced near a thousand.
constexpr int32_t BINAER_MARKE_WORT = 49;
constexpr int16_t BINAER_MARKE = 0x4B4E;

// Codes of the readers and writers (the positive ones are string-table ids
// of the error messages).
constexpr int32_t SPEKTRUM_OK = 0;
constexpr int32_t SPEKTRUM_NICHT_OFFEN = -1;      // file could not be opened or written
constexpr int32_t SPEKTRUM_KEIN_BINAER = -5;      // no 6666/9999 magic
constexpr int32_t FEHLER_FORMAT = 105;            // "File format could not be identified"
constexpr int32_t FEHLER_ZU_VIELE_PUNKTE = 107;   // "Number of data points exceeds limit"

// Shown when a curve is too long for the 16-bit point word.
extern const char* const TEXT_BINAER_ZU_GROSS;

// File information of a loaded spectrum. Column lists are kept inside the
// record so a copy never shares or loses them.
struct DateiInfo {
    int32_t Kopfzeilen;             // text lines ahead of the data
    int32_t Punkte;                 // rows read
    int32_t PunkteProKurve[4];      // point count of each curve slot
    int32_t Spalten;                // columns of the file
    int32_t XSpalte, YSpalte;       // chosen columns, 1-based
    int32_t XSpalten[SPALTEN_LISTE];    // columns usable as x (count first)
    int32_t AlleSpalten[SPALTEN_LISTE]; // every column (count first)
    double ErstesX, LetztesX, XSchritt;
    char DateiName[500];
    char Ordner[2000];              // with trailing separator
    char Trennzeichen[20];          // separators learnt from a text file
    int32_t DateiGroesse;           // bytes
    int32_t Kapazitaet;             // doubles held by each slot array
    int32_t Aequidistant;
    int32_t Binaer;
    // 0-2 calibration coefficients (0 doubles as E0), 4 = 4.0 with a third column
    double Koeffizienten[5];
};

// Clears the record; columns 1 and 2 are chosen.
void DateiInfoLeeren(DateiInfo* info);
// Folder + file name into out (size bytes); false when it does not fit.
bool DateiPfad(const DateiInfo& info, char* out, std::size_t size);

// A curve as read from a file. A curve with a third column keeps the
// imaginary part behind the real one: y[n] repeats y[n-1], y[n+1+i] holds
// the imaginary value of row i and x[n+1+i] = x[i]; both arrays then hold
// 2n + 1 values.
struct SpektrumDaten {
    std::vector<double> x, y;
    int32_t Punkte = 0;
    bool Komplex = false;
    int32_t UebersprungeneZeilen = 0;  // text lines after the table left unread
};

// Header of a binary spectrum file, checked against the file.
struct BinaerKopf {
    int16_t Worte[BINAER_KOPF_WORTE];
    int32_t GespeichertePunkte;     // word 10 as stored
    int32_t Punkte;                 // after the compatibility reduction
    int32_t Spalten;                // word 11
    bool Imaginaer;                 // word 12 == 1
    bool Ganzzahl;                  // word 2 == 1: 16-bit samples
    double Koeffizienten[3];
    int32_t SpaltenImFile;          // whole columns the file really holds
};

// Bytes of a binary file, from a file or from memory.
class ByteQuelle {
public:
    virtual ~ByteQuelle() = default;
    virtual bool Lies(void* ziel, std::size_t bytes) = 0;
    virtual bool Springe(int64_t position) = 0;
    virtual int64_t Groesse() = 0;
};

class SpeicherQuelle : public ByteQuelle {
public:
    SpeicherQuelle(const uint8_t* daten, std::size_t bytes) : daten_(daten), bytes_(bytes) {}
    bool Lies(void* ziel, std::size_t bytes) override;
    bool Springe(int64_t position) override;
    int64_t Groesse() override { return static_cast<int64_t>(bytes_); }
private:
    const uint8_t* daten_;
    std::size_t bytes_;
    std::size_t pos_ = 0;
};

// Point count after the compatibility reduction: above 10 points, a count
// that is a multiple of 1000 or leaves 1 divided by 1000 loses 3 points.
int32_t ReduziertePunkte(int32_t n, bool eigeneDatei = false);

// Reads and checks the header. Codes: SPEKTRUM_OK, SPEKTRUM_KEIN_BINAER,
// FEHLER_FORMAT (bad counts, truncated name block or too short for the x
// and first y column).
int32_t LeseBinaerKopf(ByteQuelle& quelle, BinaerKopf* kopf);

// Reads column `spalte` (1-based) of an opened binary file into out[0..n-1],
// n = kopf.Punkte. Columns sit at their stored offsets. Code as above.
int32_t LeseBinaerSpalte(ByteQuelle& quelle, const BinaerKopf& kopf, int32_t spalte,
                         double* out);

// Binary path of the spectrum reader: x = column 1, y = column 2, a third
// column (word 12) goes behind the real part. Fills info (points, columns,
// lists, coefficients, binary flag). Result: number of points, 0 when the
// file is refused; *fehler gets the code (may be null).
int32_t LeseBinaerSpektrum(ByteQuelle& quelle, DateiInfo* info, SpektrumDaten* daten,
                           int32_t* fehler);
int32_t LeseBinaerSpektrumDatei(const char* pfad, DateiInfo* info, SpektrumDaten* daten,
                                int32_t* fehler);

// Column reader of a binary file: the chosen x and y columns (1-based), or
// with blockWort >= 0 word blockWort of the block of every y column as one
// value per spectrum (x = 1, 2, ...). Result: number of values, 0 refused.
int32_t LeseBinaerSpalten(const char* pfad, int32_t xSpalte, int32_t ySpalte,
                          int32_t blockWort, std::vector<double>* x, std::vector<double>* y,
                          int32_t* fehler);

// Glitch filter of frames and columns: a jump from y[i-1] beyond the
// threshold that returns within `punkte` points is bridged by a mean.
// Threshold = spread of y (ignoring the ten largest and the ten smallest
// values) / 100 * prozent.
void GlitchFilter(double* y, int32_t n, double prozent, int32_t punkte);

// What the binary writer is asked to do.
struct BinaerAuftrag {
    int32_t Anhaengen = 0;          // 0 create with header, else append (the series writers pass 100)
    int32_t Spalten = 0;            // word 11; 0 = 2, or 3 with a third column
    int32_t Teil = 0;               // 0 x and y, 1 header only, other y only
    const double* x = nullptr;
    const double* y = nullptr;      // with a third column in the layout of SpektrumDaten
    int32_t Punkte = 0;
    bool Komplex = false;           // write the imaginary part as a third column
    double Koeffizienten[3] = {0.0, 0.0, 0.0};
    const char* Name = "";          // into the 150-byte text
    const int16_t* Block = nullptr; // 20 words for the y column's block, null = zeros
};

// Writes a binary spectrum file. Codes: SPEKTRUM_OK, SPEKTRUM_NICHT_OFFEN,
// FEHLER_ZU_VIELE_PUNKTE (more than 32,767 points or none: nothing written).
int32_t SchreibeBinaerSpektrum(const char* pfad, const BinaerAuftrag& auftrag);

// Frame reader of a series (one open series at a time).
// frame 0 opens the file of info (0, or -1 when it cannot be opened or is
// refused), -1 closes it (0), n >= 1 reads column n into y (capacity
// doubles) and returns the point count; -2 when nothing is open, y is null
// or info is not binary, -3 when the file does not hold column n, -4 when y
// is too small. With glitchProzent > 0 the glitch filter runs on the frame.
int32_t LeseSerienFrame(const DateiInfo& info, double* y, int32_t kapazitaet, int32_t frame,
                        double glitchProzent, int32_t glitchPunkte);

#endif
