// The correlation rules that the correlation dialog builds: the words,
// constants and list texts of "&A ->" and what OK stores. Plain code.
#ifndef KORLAN_FIT_CORRELATION_H
#define KORLAN_FIT_CORRELATION_H

#include <cstdint>
#include <string>
#include <vector>

// How the chosen parameters follow the selected parameter (SP).
enum KORRELATION { KORR_GLEICH, KORR_SUMME, KORR_PLUS, KORR_MINUS, KORR_MAL, KORR_DURCH };

// One entry of the list of correlated parameters.
struct KORRELATIONS_EINTRAG {
    int32_t Parameter;
    int32_t Wort;
    double Konstante;
    std::string Text;
};
const size_t KORRELATIONEN_MAX = 100;

// The list line of parameter j of the working model: "%2d. #%2d, %.10s,
// %.9s" (number, function, catalogue name, caption); for polynomial
// coefficients "%2d. #%2d, %.12s, Coeff.". Empty for an index outside the
// model.
std::string ParameterZeile(int32_t j);

// "&A ->": appends an entry for each chosen parameter (in order) to liste.
// dritter is the index of a third parameter whose value serves as the
// constant, or -1 for the typed value (wert, shown as wertText). A sum
// makes the first chosen parameter the dependent and every further one a
// member of the sum group. Entries beyond KORRELATIONEN_MAX are dropped.
void KorrelationenAnfuegen(int32_t sp, const std::vector<int32_t>& gewaehlt, KORRELATION art, int32_t dritter,
                           double wert, const std::string& wertText, std::vector<KORRELATIONS_EINTRAG>& liste);

// OK: stores every entry's word and constant; dependents take the
// correlated bit and leave the free part, sum-group members stay free.
// SP becomes the master. Returns the number of entries stored.
int32_t KorrelationenSpeichern(int32_t sp, const std::vector<KORRELATIONS_EINTRAG>& liste);

// Function (1-based) and position inside it of parameter j of the working
// model; false outside the model.
bool ParameterLage(int32_t j, int32_t& f, int32_t& c);

// The parameters a list of the correlation dialogs offers for SP: those in
// SP's column (every column with `alleSpalten`), SP itself left out. With
// `nurPfade` only those of FEFF paths after the first function, of two
// legs or (with `mehrBeine`) more. `frei` leaves out the correlated
// parameters, `unfixiert` also the fixed ones.
std::vector<int32_t> KorrelationsKandidaten(int32_t sp, bool alleSpalten, bool nurPfade, bool mehrBeine,
                                            bool frei, bool unfixiert);

// Preselection of the multiple-scattering dialog for SP, when SP belongs
// to a FEFF path after the first function that has three or more legs:
// for each leg from the first to the second-to-last, the parameter in SP's
// column of the single-scattering paths whose effective length matches
// the leg's (both in hundredths of an Angstrom, rounded up); the legs
// before the second-to-last go to Erste, that one to Letzte. The angle is
// |sum of the legs' scattering angles - 180|, 0 and 360 read as 180; 20
// without a preselection.
struct MS_VORAUSWAHL {
    std::vector<int32_t> Erste;
    int32_t Letzte = -1;
    double Winkel = 20.0;
};
MS_VORAUSWAHL MsVorauswahl(int32_t sp);

#endif
