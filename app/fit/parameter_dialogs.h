// Plain parts of the parameter table: the pages, the row captions, the
// defaults of the constraint dialog and the copy of every table that
// Cancel restores.
#ifndef KORLAN_FIT_PARAMETER_DIALOGS_H
#define KORLAN_FIT_PARAMETER_DIALOGS_H

#include <cstdint>
#include <string>
#include <vector>

const int32_t TABELLE_ZEILEN = 4;     // functions a page of the profile table
const int32_t TABELLE_SPALTEN = 7;    // parameters a function row

// Pages of a table of `zeilen` rows over a model of `anzahl` functions:
// the functions (1-based) that `gelistet` marks (entry f - 1; an empty
// vector lists all), in model order, `zeilen` a page. As many pages as the
// model needs, at least one (empty for an empty model).
typedef std::vector<std::vector<int32_t>> TABELLEN_SEITEN;
TABELLEN_SEITEN TabellenSeiten(int32_t anzahl, int32_t zeilen, const std::vector<bool>& gelistet);

// Caption of parameter c (0-based) of a function of the given type: the
// catalogue's, "%d. coeff.: " for the polynomial (7) and type 20.
std::string ParameterBeschriftung(int32_t typ, int32_t c);

// Prefilled bounds of the constraint dialog by mode: 1 coordination numbers
// ("0", "CN"), 2 distances, 3 sigma^2; others empty.
void SchrankenVorgaben(int32_t modus, std::string& unten, std::string& oben);

// Every value, bound and table entry of the working model with both
// counters: taken when a dialog opens, put back by Cancel.
struct TABELLEN_STAND {
    std::vector<double> Block;
    std::vector<int32_t> Flags, Worte, Liste;
    std::vector<double> Konstanten;
    int32_t MaxPar = 0, MaxFit = 0;
};
TABELLEN_STAND TabellenMerken();
void TabellenZurueck(const TABELLEN_STAND& s);

// ---- graphic entry: how a mouse pick in the preview becomes a value ----
// 0 the x of one click, 1 its y, 2 the x distance of two clicks, 3 their y
// distance.
const int32_t PICK_X = 0, PICK_Y = 1, PICK_DX = 2, PICK_DY = 3;
// Kind of parameter c (0-based) of a function of the given type: by its
// caption ("fwhm" and the widths, "Lorentz: ", "Gauss: " 2; "Position: ",
// "Gauss. part: " 0; "Height: ", "Amplitude: ", "Scaling: " 3; the rest,
// the polynomial's coefficients among them, 1).
int32_t PickArt(int32_t typ, int32_t c);
// The value of a pick: kinds 0 and 1 read the first point, 2 and 3 the
// distance of the two (never negative).
double PickWert(int32_t art, double x1, double y1, double x2, double y2);
// Defaults of the graphic entry for every function of the working model:
// alpha of the (asymmetric) Lorentzian 1.0 and fixed, the Gaussian part of
// the (asymmetric) pseudo-Voigt 0.7, the two widths of the Voigt profile
// 1.0 where they are not positive.
void GrafikVorgaben();

// The caption of function f (1-based) of the working model: its catalogue
// name, for FEFF paths (21-24) and LC-XANES references (26) followed by
// ", # " and f.
std::string FunktionsTitel(int32_t f);
// The read-only rows shown after the parameters of function f: " Amplitude"
// (types 15-18, column 6) with the name part of field f - 1 of the comma
// list `amplituden`; " file :" (21-24, 26, column = parameter count) with
// the path record's file name, for paths the two atoms of a single
// scattering pair or "MS"; " weight" (21, next column) with the record's
// weight. Columns beyond the last of a row are left out.
struct ZUSATZ_ZEILE {
    int32_t Spalte;
    std::string Titel, Text;
    bool Grau;
};
std::vector<ZUSATZ_ZEILE> ZusatzZeilen(int32_t f, const char* amplituden);

#endif
