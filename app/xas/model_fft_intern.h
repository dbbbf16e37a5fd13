// Between the model kinds of model_fft_core.cpp and the EXAFS chi-square
// procedure: the plain model, the transform of a model curve over the
// window's R section and the report of the extra k power.
#ifndef KORLAN_XAS_MODEL_FFT_INTERN_H
#define KORLAN_XAS_MODEL_FFT_INTERN_H

#include <cstdint>
#include <vector>

#include "xas/model_fft.h"

// Raises FitModellArt by 100 (a kind of 1-99) while it lives, so that the
// model callback gives the plain sum of the model functions.
struct ModellArtAnheben {
    int32_t alt;
    ModellArtAnheben();
    ~ModellArtAnheben();
};

// Sets the fit's k weight while it lives.
struct KGewichtSetzen {
    double* z;
    double alt;
    KGewichtSetzen(double* ziel, double wert);
    ~KGewichtSetzen();
};

// The plain model at xs[0..m-1] into ys through Numerik's model callback.
void PlainesModell(def_zelva* z, const double* xs, double* ys, int32_t m);

// The model values as the transform takes them: those on the data's k
// grid when it is the transform grid (from the window's lower k limit with
// the step pi / (R step (N - 1))), else the model evaluated on that grid up
// to the data's last k (into aufGitter).
const std::vector<double>& ModellAufGitter(const EXAFS_FFT_UMFELD& u, const std::vector<double>& aufDaten,
                                           std::vector<double>* aufGitter);

// The transform of a model curve over the window's R section.
struct R_SEKTION {
    std::vector<double> r, re, im;
};
// The m values (on the data's k grid) placed on the transform grid of
// KPunkte points from the window's lower k limit, cut at its upper k limit,
// transformed forward with the window's shape and b as the k power; the
// points from the lower to the upper section border into s. False when
// nothing could be transformed.
bool ModellTransformieren(const EXAFS_FFT_UMFELD& u, const double* werte, int32_t m, double b,
                          R_SEKTION* s);

// The plain model with the fit's k weight set to w, on the transform grid,
// transformed with b = w over the section.
bool ModellFuerPotenz(const EXAFS_FFT_UMFELD& u, int32_t w, R_SEKTION* s);

// The report's group of the extra k power: the count at index 5000 of the
// first array, the R values, the model's magnitudes in the third array and
// the data's (second array) minus the model's in the fourth.
void ExtraBerichtSchreiben(const EXAFS_FFT_UMFELD& u, const R_SEKTION& s);

#endif
