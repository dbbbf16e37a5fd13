// The model as the fit of a derivative, a Fourier transform or a spline
// background compares it with the data (model kinds 1-4), and the
// surroundings these kinds read from the active graphic window, the EXAFS
// options and the EXAFS set-up.
#ifndef KORLAN_XAS_MODEL_FFT_H
#define KORLAN_XAS_MODEL_FFT_H

#include <cstdint>
#include <vector>

#include "zelva.h"

// Weights of a complex R-space fit (1 inside the fit range, 0 outside),
// the imaginary part of the data's transform and of the model's, and the
// measured curve of the R-space spline background (FftModelX: k, with its
// point count in FftModelPunkte, FftModelY the measured values).
extern std::vector<double> FitGewichte, FitImagDaten, FitImagModell;
extern std::vector<double> FftModelX, FftModelY;
extern int32_t FftModelPunkte;

// Length of the report's work arrays; the point count of a block goes to
// index BERICHT_ANZAHL_INDEX of its first array.
const int32_t BERICHT_ANZAHL_INDEX = 5000;

// What the kinds 1-4 read besides their arguments. The program fills it
// from the active window (xas/exafs_fit_win.cpp); tests fill it themselves.
struct EXAFS_FFT_UMFELD {
    def_zelva* Numerik = nullptr;       // its model callback gives the plain model
    // chi(k) of the data: the curve slot two before the current one.
    const double* DatenK = nullptr;
    const double* DatenChi = nullptr;
    int32_t DatenPunkte = 0;
    // The curve slot before the current one: the data's complex transform,
    // real parts first (read by the chi-square procedure).
    const double* DatenTransformY = nullptr;
    int32_t DatenTransformPunkte = 0;
    FTWINDOW* Fenster = nullptr;        // the window's Fourier window
    double SektionUnten = 0.0;          // the window's section borders
    double SektionOben = 0.0;
    int32_t KPunkte = 2048;             // ExafsOptionen: points of the k grid
    double RSchritt = 0.025;            // ExafsOptionen: R step
    double* KGewicht = nullptr;         // the fit's k weight (ModellKGewicht)
    int32_t ExtraPotenzFit = -1;        // "Add k" with "Fit", -1 none
    int32_t ExtraPotenzZeigen = -1;     // "Add k" with "Show", -1 none
    double Skalierung = 1.0;            // scale factor of the extra power
    // Report: k, chi of the data, chi of the model, data - model; the
    // imaginary parts of the model's transform; the extra power's group
    // (count, data magnitudes, model magnitudes, difference). Each at
    // least BERICHT_ANZAHL_INDEX + 1 doubles, or null.
    double* Bericht[4] = {};
    double* BerichtImag = nullptr;
    int32_t BerichtImagLaenge = 0;
    double* Bericht2[4] = {};
    // Extra power for the fit: the data's transform for it over the
    // section (n magnitudes, then n real parts), 2n values.
    const double* ExtraDaten = nullptr;
    int32_t ExtraDatenLaenge = 0;
    // Kind 4.
    int32_t UntergrundModus = 1;        // below 1: the spline on x; else |FT| over 0-8 A
    const double* MessX = nullptr;      // measured curve in k
    const double* MessY = nullptr;
    int32_t MessPunkte = 0;
    double KPotenz = 0.0;               // DialogWerte[5]
    int32_t TabellenKnoten = 0;         // knots of a last function of type 54
};

// Fills the surroundings for one call; false when there are none (no
// active window).
typedef bool (*EXAFS_FFT_LESER)(EXAFS_FFT_UMFELD* umfeld);
extern EXAFS_FFT_LESER ExafsFftLeser;

// Processes the plain model of the n points at x by the model kind
// (FitModellArt; above 100 the same kind, called from the chi-square
// procedure): kind 1 and 2 the first and second derivative of the model,
// kind 3 the magnitudes of the model's transform over the window's section
// (y[0..n-1]; from a fit also the real parts in y[n..2n-1] and with an
// extra power the scaled magnitudes and real parts in y[2n..4n-1]), kind 4
// the spline background. grid and work are scratch arrays of `laenge`
// doubles (at least 8,000); y holds at least 4n values in kind 3, n
// otherwise. spare is not read. Any other kind leaves y as it is. Returns 1.
int32_t ModellFeldFFT(int32_t n, double* x, double* spare, double* y, double* grid, double* work,
                      int32_t laenge);

// The same with the surroundings given (what ModellFeldFFT calls after
// ExafsFftLeser).
int32_t ModellFeldFFTIn(const EXAFS_FFT_UMFELD& u, int32_t n, const double* x, double* y);

#endif
