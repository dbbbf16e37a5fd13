// X-ray absorption data per element after McMaster: the table read from
// "mucal.dat", the cross-section fits, edge energies and the element
// calculation behind the McMaster dialog and the FEFF path reader.
//
// The table is a block of doubles: value [r * 100 + p] is row r of the
// element at position p (p = Z - 1) of the element list. Rows 0-4 edges
// (K, L1, L2, L3, M), 5-8 lines (K-alpha1, K-beta1, L-alpha1, L-beta1),
// 9 atomic weight, 10 density, 11 L3 edge-jump ratio, 12 conversion factor
// (barns/atom per cm2/g), 13-16 fluorescence yields (K, L1, L2, L3), then
// c0..c3 of ln(sigma / barn) in powers of ln(E / keV): 17-20 coherent,
// 21-24 incoherent, photoelectric 25-28 above K, 29-32 between L3 and K,
// 33-36 between M and L3, 37-40 below M. 6666.0 in the first value marks a
// table that is not loaded; every look-up then answers 0.
//
// Plain code (mcmaster_core.cpp); the overloads without a table, which
// work on the program's McMasterTable, are in mcmaster_win.cpp.
#ifndef KORLAN_XAS_MCMASTER_H
#define KORLAN_XAS_MCMASTER_H

#include <cstddef>
#include <cstdint>
#include <string>

const int32_t MCMASTER_ELEMENTE = 94;
const int32_t MCMASTER_ZEILEN = 41;
// Values a table must hold: rows 0-40 of 100 positions each.
const int32_t MCMASTER_WERTE = MCMASTER_ZEILEN * 100;
const double MCMASTER_NICHT_GELADEN = 6666.0;
// The L1 and L2 edge-jump ratios (elements above Z = 27).
const double MCMASTER_L1_SPRUNG = 1.16;
const double MCMASTER_L2_SPRUNG = 1.41;

// Element symbols H .. Pu; position p holds Z = p + 1.
extern const char McMasterElemente[MCMASTER_ELEMENTE][3];

// Reads the text of "mucal.dat" into tabelle (at least MCMASTER_WERTE
// doubles): line 1 must hold "K-edge"; rows 0-13 of 96 positions (32 lines
// of three numbers, then one caption line), rows 14-16 (94 lines of three
// numbers, line p for position p), then six captioned blocks of 94 lines of
// four numbers (rows 17-20, 21-24, ... 37-40). Numbers may be split over
// lines in any way. Returns 1 when every value was read; 0 for a foreign,
// short or damaged text, and the table is then left untouched.
int32_t LeseMucalText(const char* text, std::size_t laenge, double* tabelle);
// The same from a file, opened read-only; 0 also when it cannot be read.
int32_t LeseMucalDatei(const std::string& pfad, double* tabelle);

// exp(c0 + c1 L + c2 L^2 + c3 L^3) with L = ln E (E in keV, E > 0).
double McMasterSigma(double e, const double* c);

// Position of an element symbol (1 to 2 letters, any case) in the list; the
// text is normalised in place (first letter upper, second lower case).
// -1 when not found.
int32_t McMasterPosition(char* symbol);

// Tabulated energy in keV of an element symbol with an optional last digit
// d, the row (0 = K edge, 1-3 = L1-L3, 4 = M, 5-9 further rows; no digit =
// K). The digit is cut off the caller's text and the symbol normalised in
// place. 0.0 for a text of 0 or more than 3 characters, an unknown symbol
// or a table that is not loaded.
double GetEdgeEnergy(const double* tabelle, char* symbol);

// Everything about one element at energy e (keV). element >= 0 is the
// position itself; a negative element takes the element from symbol (1 to
// 3 characters, normalised in place). Fills kanten[9] (rows 0-8), werte[11]
// (0 photoelectric, 1 coherent, 2 incoherent, 3 total, 4 conversion
// factor, 5 absorption coefficient in 1/cm, 6 atomic weight, 7 density, 8
// and 9 the L1 and L2 jump ratios for Z > 27 (else 0), 10 the L3 jump
// ratio) and ausbeuten[4] (rows 13-16). With einheit 'C' or 'c' the cross
// sections 0-3 are in cm2/g, otherwise in barns/atom.
// Returns p + 1 after a calculation; -(p + 1) for e = 0.0, when only the
// tabulated values are filled; 0 for an unknown element, an element without
// data (Po, At, Fr, Ra, Ac, Pa, Np), e < 0 or a table that is not loaded
// (nothing filled). The L fit holds above L1; between L3 and L1 it is
// divided by the jump ratios (Z > 27).
int32_t McMasterCalc(const double* tabelle, char* symbol, double e, double* kanten, double* werte,
                     double* ausbeuten, char einheit, int32_t element);

// ---- on the program's McMasterTable (mcmaster_win.cpp) ----
double GetEdgeEnergy(char* symbol);
int32_t McMasterCalc(char* symbol, double e, double* kanten, double* werte, double* ausbeuten,
                     char einheit, int32_t element);

#endif
