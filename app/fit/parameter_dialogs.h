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

// Pages of a model of `anzahl` functions (at least 1) and the first and
// last function (1-based) of page `seite` (from 1).
int32_t SeitenAnzahl(int32_t anzahl);
void SeitenFunktionen(int32_t anzahl, int32_t seite, int32_t& erste, int32_t& letzte);

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

#endif
