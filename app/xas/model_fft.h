// The model as the fit of a derivative, a Fourier transform or a spline
// background compares it with the data (model kinds 1-4).
#ifndef KORLAN_XAS_MODEL_FFT_H
#define KORLAN_XAS_MODEL_FFT_H

#include <cstdint>

// Processes the plain model of the n points at x by the model kind: the
// result goes to y; grid and work are scratch arrays. All three hold
// `laenge` doubles (at least 8,000 and 4n + 5). spare is not read.
// Returns nonzero when y holds the processed model, 0 when this kind is
// not processed (y is then undefined and the caller keeps its model).
int32_t ModellFeldFFT(int32_t n, double* x, double* spare, double* y, double* grid, double* work,
                      int32_t laenge);

#endif
