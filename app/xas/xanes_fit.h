// Plain parts of the XANES fits: the columns that make the sample or the
// reference channel of a raw beamline file, the position parameter of a
// model function, reference spectra resampled onto the sample's grid, and
// the f-correction table "LCXANES.dat".
//
// Arrays, texts and numbers in and out; no window system here.
#ifndef KORLAN_XAS_XANES_FIT_H
#define KORLAN_XAS_XANES_FIT_H

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "fit/fit_model.h"
#include "fit/model_function.h"
#include "xas/xas_reduction.h"

class def_zelva;

// ---- channels of a raw file ----

// The columns of one channel: the ordinate is ln(Erste / Zweite), or
// Erste / Zweite with Teilen; Erste is the sum of the columns [Von, Bis)
// when Von > 0.
struct KANAL_SPALTEN {
    int32_t Energie = 0, Erste = 0, Zweite = 0;
    bool Teilen = false;
    int32_t Von = 0, Bis = 0;
};

// The columns of a layout line (LeseSpaltenLayout): modus 2 the reference
// ln(I1/I2) in transmission and in fluorescence alike; any other modus the
// sample, ln(I0/I1) in transmission, I1/I0 in fluorescence (I1 the sum of
// the channel run of a '#' layout). False when the layout names fewer than
// four columns or the reference has no I2 column.
bool KanalSpalten(const SpaltenLayout& l, int32_t modus, KANAL_SPALTEN* k);

// y = y / zweite (teilen; 0 where zweite is 0) or ln(y / zweite) (0 where
// either is not positive), point by point.
void KanalOrdinate(double* y, const double* zweite, int32_t n, bool teilen);

// The channel's curve from the columns of a file (spalten[c - 1] is column
// c, all of one length), energies brought to keV by EnergieFaktor with the
// energy-range limit grenze. Returns the point count, -1 when a column is
// missing (x and y left empty).
int32_t KanalKurve(const std::vector<std::vector<double>>& spalten, const KANAL_SPALTEN& k, double grenze,
                   std::vector<double>* x, std::vector<double>* y);

// ---- the position parameter ----

// Index in the parameter block of the position of model function k
// (0-based): the first parameter of k (the parameter counts of the
// functions before it added up) plus one, when k's second parameter is a
// position; -1 when it is not or k lies outside the model. zahlen[i] is the
// parameter count of function i, position[i] whether its second caption is
// "Position: ".
int32_t PositionsIndex(const int32_t* zahlen, const bool* position, int32_t anzahl, int32_t k);

// The same for a model of the catalogue: type codes (above 100 switched
// off, counted as their code less 100) and polynomial degree.
inline int32_t ModellPositionsIndex(const int32_t* typen, int32_t anzahl, int32_t grad, int32_t k)
{
    if (!typen || anzahl < 1) return -1;
    std::vector<int32_t> zahlen(anzahl);
    std::unique_ptr<bool[]> position(new bool[anzahl]);
    for (int32_t i = 0; i < anzahl; ++i) {
        const int32_t c = typen[i] > 100 ? typen[i] - 100 : typen[i];
        zahlen[i] = FunctionParameterCount(c, grad, 0);
        const bool katalog = c > 0 && c < CATALOG_CODES && c != 7 && FitFunctionCatalog[c].ParameterZahl >= 2;
        const uint32_t b = katalog ? FitFunctionCatalog[c].Bezeichnungen[1] : 0;
        position[i] = katalog && b < static_cast<uint32_t>(PARAMETER_NAMES) &&
                      std::strcmp(ParameterNames[b], "Position: ") == 0;
    }
    return PositionsIndex(zahlen.data(), position.get(), anzahl, k);
}

// ---- references of the linear-combination fit ----

// The reference curve rx, ry (rn points, rx ascending) by a natural cubic
// spline at each of the n abscissae x into aus (n values). A reference in
// eV beside a sample in keV (or the other way round, by EnergieFaktor with
// the limit grenze) is brought to the sample's unit first; points outside
// the reference's range get 0. z's registered arrays and count are left as
// they were. False (aus untouched) for fewer than two reference points or
// abscissae that do not ascend.
bool ReferenzAufGitter(def_zelva& z, const double* rx, const double* ry, int32_t rn, const double* x,
                       int32_t n, double grenze, double* aus);

// The name a reference goes by in "LCXANES.dat": the file name without its
// folder, up to its first '.'.
std::string LcName(const std::string& pfad);

// The f-correction of a reference name in the text of "LCXANES.dat": the
// value after the first ',' of the first line whose name (the text before
// that ',', blanks around it ignored) equals the name; 1.0 when no line
// does or its value is 0 (or no number).
double LcKorrektur(const std::string& text, const std::string& name);

// The lines to append to "LCXANES.dat" for the references namen with their
// corrections werte: "name, %G\n" for each name that no line of text holds
// yet (and that came not earlier in the list), so that each name keeps one
// line and the value the user put there.
std::string LcAnhang(const std::string& text, const std::vector<std::string>& namen,
                     const std::vector<double>& werte);

#endif
