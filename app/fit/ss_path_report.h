// The results window's "Feff SS paths" report: the head of the last fit
// text, its single-scattering path blocks, a table of the atom pairs with
// their coordination number, distance, sigma^2, E0 shift and relative
// area, and the correlation matrix of the free parameters. Plain code on
// the working model, the FEFF path records and the numbers the fit left.
#ifndef KORLAN_FIT_SS_PATH_REPORT_H
#define KORLAN_FIT_SS_PATH_REPORT_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Coefficients of the Debye-Waller polynomial per potential group.
const int32_t DW_POLYNOM_KOEFFIZIENTEN = 7;

struct SS_BERICHT_EINGABE {
    std::string FitText;            // the results window's fit text
    const double* Ergebnisse = nullptr;  // CommandArgs (6000 + k: derived sigma^2)
    // Correlation matrix by free-list position, rows of KorrelationBreite
    // values, KorrelationWerte values in all.
    const double* Korrelation = nullptr;
    std::size_t KorrelationBreite = 0;
    std::size_t KorrelationWerte = 0;
    double MessTemperatur = 300.0;  // K
    int32_t DebyeModell = 0;        // negative: correlated Debye, else Einstein
    // The Debye-Waller polynomial: its degree and DW_POLYNOM_KOEFFIZIENTEN
    // coefficients per group (the scatterer's potential index); null while
    // no table is kept.
    int32_t DwGrad = 0;
    const std::vector<double>* DwTabelle = nullptr;
    std::string Strichlinie;        // string-table rule 20
    std::size_t Grenze = 60000;     // bytes of the target, terminator included
};

// The pair line of model function k (1 .. FitFunctionCount - 1) of the
// working model, whose parameters start at index q: "  X  - Y   ; N ; R ;
// sigma^2 ; E0 ; w(%)". R: a parameter below 1.0 in magnitude is a shift
// from the path's Reff. sigma^2: a value above 1.0 is a characteristic
// temperature (Einstein, or correlated Debye for a negative model); with
// the polynomial flag and the parameter free it is CommandArgs[6000 + k];
// with a polynomial table and the flag the polynomial of R of the path's
// group.
std::string SsPaarZeile(const SS_BERICHT_EINGABE& e, int32_t k, int32_t q, double prozent);

// The whole report; never longer than e.Grenze - 1 bytes. Matrix rows that
// do not fit are left out, and a line says how many.
std::string FeffSsBericht(const SS_BERICHT_EINGABE& e);

#endif
