// The ".fio" import: a measurement file of blank-separated columns becomes
// a four-column text file (x and three signals) on a regular grid of 1500
// points, interpolated by cubic splines.
//
// Plain code: no window system, so it builds natively too.
#ifndef KORLAN_FIO_FILE_H
#define KORLAN_FIO_FILE_H

#include <cstdint>
#include <functional>
#include <string>

constexpr int32_t FIO_GITTER = 1500;
constexpr int32_t FIO_MAX_ZEILEN = 10000;
constexpr int32_t FIO_KOPFZEILEN = 2;

// ys[0..m) = cubic spline through (x, y)[0..n) at xs[0..m).
using FioSpline = std::function<void(double* x, double* y, int32_t n, double* xs, double* ys,
                                     int32_t m)>;

// Codes of ImportiereFio.
constexpr int32_t FIO_OK = 0;
constexpr int32_t FIO_NICHT_OFFEN = -1;       // input cannot be read
constexpr int32_t FIO_GLEICHER_NAME = -2;     // output would replace the input
constexpr int32_t FIO_ZU_WENIG = -3;          // fewer than 2 rising data lines
constexpr int32_t FIO_NICHT_GESCHRIEBEN = -4; // output cannot be written

// The output name: the input with its last character replaced by "x".
std::string FioAusgabeName(const std::string& eingabe);

struct FioErgebnis {
    int32_t Zeilen = 0;     // data lines used
    double ErstesX = 0.0, LetztesX = 0.0, Schritt = 0.0;
    std::string Ausgabe;
};

// Imports `eingabe` into FioAusgabeName(eingabe): the first two lines are
// copied, then up to 10,000 data lines are read (value 2 is x, values 8, 9
// and 10 the signals) until x stops rising, and 1500 lines "x, s1, s2, s3"
// are written on the grid from the first to the last x. Nothing is written
// unless the input is usable. Result FIO_OK or a code above.
int32_t ImportiereFio(const std::string& eingabe, const FioSpline& spline, FioErgebnis* ergebnis);

#endif
