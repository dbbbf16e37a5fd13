// Fit-model parameter files (".par") and the parameter schemes of the
// parameter table. Readers parse into temporaries, check everything and
// change the working model only when the whole file is sound. Plain code.
#ifndef KORLAN_FIT_PARAMETER_FILE_H
#define KORLAN_FIT_PARAMETER_FILE_H

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// A model with all its per-parameter tables, as read from a file.
struct PARAMETER_SATZ {
    std::vector<int32_t> Typen;
    int32_t PolyGrad = 0;
    bool HatPolyGrad = false;
    std::vector<double> Werte;
    std::vector<int32_t> Liste;
    std::vector<int32_t> Flags;
    std::vector<int32_t> Worte;
    std::vector<double> Konstanten;
};

// The working model (FitFunctionCount, FitFunctionTypes, FitParameters,
// FitPolyDegree and the tables) in the ".par" layout: "111111", then five
// lines per function. Returns 1, 0 when the model is missing or a write
// failed.
int32_t WriteParameterText(std::FILE* f);

// Parses a ".par" text. Returns 1 with satz filled and checked, 0 with a
// message in fehler (the first line is not "111111", a field that is not a
// number, a function cut short, an unknown type code, a model too large,
// a list that is not a permutation, a correlation naming no parameter).
int32_t ReadParameterText(std::FILE* f, PARAMETER_SATZ& satz, std::string& fehler);

// The free count of a checked set: parameters that are neither fixed nor
// dependents (masters and sum-group members stay free).
int32_t FreeCount(const PARAMETER_SATZ& satz);

// Makes a checked set the working model: type codes (the rest of the type
// array up to MAX_MODEL_FUNCTIONS cleared), degree, values, tables, free
// list and both counters; the entries of the tables beyond the model up to
// RESET_ENTRIES are reset. Returns the function count.
int32_t CommitParameterSet(const PARAMETER_SATZ& satz);

// Parameter schemes: "%i  %i" with MaxParameter and MaxFitParameter, then
// one line per parameter: value, free-list entry, flag word, correlation
// word, constant. Write returns 1, 0 on failure.
int32_t WriteScheme(std::FILE* f);
// Reads a scheme for the working model: refused (0, message in fehler,
// nothing changed) when its parameter count differs from the model's, a
// field is not a number, a line is missing, the list is not a permutation
// or a word names no parameter. flagsOnly keeps the values. Returns 1.
int32_t ReadScheme(std::FILE* f, bool flagsOnly, std::string& fehler);

// One text line of any length without its line end; false at the end of
// the file with nothing read.
bool ReadTextLine(std::FILE* f, std::string& zeile);

#endif
