// The McMaster calculator: one element at one photon energy, and the
// absorption of an ion chamber filled with a mixture of two gases. Plain
// code on a McMaster table (mcmaster_calc_core.cpp); the dialog MUCAL that
// shows it is in mcmaster_calc_win.cpp.
#ifndef KORLAN_XAS_MCMASTER_CALC_H
#define KORLAN_XAS_MCMASTER_CALC_H

#include <cstdint>
#include <string>
#include <vector>

// Everything the dialog shows about one element.
struct McMasterElement {
    int32_t Z = 0;           // atomic number (positive)
    double Kanten[9] = {};   // K, L1, L2, L3, M edges, then K-alpha1, K-beta1, L-alpha1, L-beta1 (keV)
    double Werte[11] = {};   // as McMasterCalc fills them, cross sections in cm2/g
    double Ausbeuten[4] = {};
    double Gewicht() const { return Werte[6]; }
    double Dichte() const { return Werte[7]; }
    double Absorption() const { return Werte[5]; }  // 1/cm
    // Mass absorption in cm2/g: linear coefficient over density.
    double Massenabsorption() const { return Werte[7] != 0.0 ? Werte[5] / Werte[7] : 0.0; }
};

enum class McMasterFehler { Keiner, Energie, Element };

// Looks the element (1 to 3 characters, any case) up at energy e (keV).
// Energie for e <= 0 (nothing is looked up), Element for a symbol the table
// does not know or a table that is not loaded.
McMasterFehler McMasterSuche(const double* tabelle, const std::string& element, double e,
                             McMasterElement* ergebnis);

// The rows of the dialog's second list: the values in the order of the
// captions "photoelectric x-section:" ... "l3 fluorescence yield:", i.e.
// cross sections [0]-[4], the L1-L3 edge jumps [8]-[10], the four yields.
std::vector<double> McMasterListenWerte(const McMasterElement& e);

// A comma-separated caption list split at its commas.
std::vector<std::string> TeileBeschriftungen(const std::string& text);

struct IonenKammer {
    double Prozent1 = 0.0;    // gas #1 after the bounds (0-100)
    double Prozent2 = 0.0;    // 100 - Prozent1
    double Absorption = 0.0;  // absorbed fraction of I0 in %
};

// Absorption of a chamber of length laenge (cm) with prozent1 % of gas1
// and the rest gas2 at energy e (keV). A percentage above 100 or below 0
// becomes 100. False when a gas is not in the table or e <= 0.
bool IonenKammerAbsorption(const double* tabelle, const std::string& gas1, const std::string& gas2, double e,
                           double laenge, double prozent1, IonenKammer* ergebnis);

#endif
