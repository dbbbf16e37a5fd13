// The Fourier synthesis of command 903: the coefficient list typed by the
// user becomes the cosine series f(x) = f(0) + sum c(n) cos(2 pi n x / L)
// of a model function of type 51. Plain code; the dialog is in
// xrd_fourier_synthesis_win.cpp.
#ifndef KORLAN_XRD_FOURIER_SYNTHESIS_H
#define KORLAN_XRD_FOURIER_SYNTHESIS_H

#include <cstdint>
#include <string>
#include <vector>

// The zeroth coefficient of the last synthesis (N and L are the
// evaluator's FourierOrdnung and FourierPeriode).
extern double SyntheseF0;

// The most coefficients: with f(0) they must pass the model-size check.
const int32_t SYNTHESE_MAX_KOEFFIZIENTEN = 248;

enum SyntheseStatus : int32_t {
    SYNTHESE_OK = 0,
    SYNTHESE_ZU_WENIGE = 1,     // fewer than 3 lines
    SYNTHESE_ZU_VIELE = 2,      // more than SYNTHESE_MAX_KOEFFIZIENTEN
    SYNTHESE_KEINE_ZAHL = 3     // line *zeile (from 1) holds no number
};

// The coefficients c(1) .. c(N) of the text, one number per line (the
// whole text; blank lines at its end are dropped, a blank line inside it
// is refused as no number).
SyntheseStatus SyntheseKoeffizientenLesen(const std::string& text, std::vector<double>& c, int32_t* zeile);
// The coefficients as the dialog shows them: "%G" lines, the last without
// its line end.
std::string SyntheseKoeffizientenText(const double* c, int32_t n);
// The column of line numbers beside them: "1." to "n." (at least 50).
std::string SyntheseZeilenNummern(int32_t n);

#endif
