// Solid-state kinetics: the g(a) models of the kinetic calculator and the
// isoconversional (model-free) analysis of isothermal conversion curves.
//
// Plain code: no window system, so it builds natively too.
#ifndef KORLAN_KINETICS_H
#define KORLAN_KINETICS_H

#include <cstdint>
#include <string>
#include <vector>

// Model ids of the calculator: 200 " None" (g = a) to 214.
constexpr int32_t KINETIK_MODELL_KEINES = 200;
constexpr int32_t KINETIK_MODELL_LETZTES = 214;

// g(a) of model id. Returns false where the model's formula gives no
// finite real number (ln 0, a negative base under a fractional power, an
// unknown id); *g is then left alone.
bool KinetikG(int32_t id, double a, double* g);

// The formula label of model id ("" for an unknown id).
const char* KinetikFormel(int32_t id);

// x[k] = t[i], y[k] = g(a[i]) for every point i where g is defined, in
// order; x and y hold n entries. Returns the number of points kept.
int32_t KinetikTransformiere(int32_t id, const double* t, const double* a, int32_t n,
                             double* x, double* y);

// Straight line through (x[i], y[i]): the library's regression for three
// or more points, the line through both points for exactly two. Returns
// false (outputs untouched) with fewer than two points or all x equal.
bool KinetikGerade(const double* x, const double* y, int32_t n, double* achsenabschnitt,
                   double* steigung);

// Gas constant of the activation energies, J/(mol K).
constexpr double KINETIK_R = 8.3144;
// Smallest step of the conversion levels, and the default.
constexpr double ISOCONV_MIN_SCHRITT = 0.02;
constexpr double ISOCONV_STANDARD_SCHRITT = 0.05;
// Files taken by one loading; further ones are named and left out.
constexpr int32_t ISOCONV_MAX_KURVEN = 20;
// Points of the equidistant time grid of each curve.
constexpr int32_t ISOCONV_GITTER = 2000;

// One loaded conversion curve.
struct KinetikKurve {
    std::string Name;            // file name and extension
    std::vector<double> t, a;    // as read, same length
    double T = 0.0;              // temperature in K
};

// One conversion level.
struct IsoconvStufe {
    double a = 0.0;
    std::vector<double> x, y;    // pairs (1000/T, ln|da/dt|), hottest curve first
    bool Gueltig = false;        // a line was fitted (two or more pairs)
    double Ea = 0.0;             // kJ/mol, when Gueltig
};

struct IsoconvErgebnis {
    double Schritt = ISOCONV_STANDARD_SCHRITT;   // step used (after the lower limit)
    std::vector<IsoconvStufe> Stufen;
    std::vector<bool> HatHalbwert;               // per curve
    std::vector<double> Halbwert;                // t1/2 per curve (0 without)
    std::vector<std::vector<double>> Normiert;   // t[i] / t1/2 per curve (empty without)
};

// The step used for a typed step: values below the limit (and texts that
// are no number, read as 0) become the limit.
double IsoconvSchritt(double getippt);

// Reads the temperature text (one value in K per line, any length) for
// `kurven` curves. Returns 0 and fills T, or the 1-based line that is
// missing, no number or not above 0 K.
int32_t IsoconvTemperaturen(const std::string& text, int32_t kurven, std::vector<double>* T);

// The analysis: every curve smoothed over 0.15 n points, splined onto a
// grid of ISOCONV_GITTER times and differentiated; half-lives; for each
// level the pairs of the curves that pass it and Ea from their line.
// Returns false (result cleared) for no curve or a curve of fewer than 5
// points; *fehlerKurve then names it (-1 for no curve).
bool IsoconvRechne(const std::vector<KinetikKurve>& kurven, double schritt,
                   IsoconvErgebnis* ergebnis, int32_t* fehlerKurve);

// Texts of the output files "apparent_Ea_v_a.dat", "halflife_v_T.dat" and
// "t12n_" + name (curve j, which must have a half-life).
std::string IsoconvEaText(const std::vector<KinetikKurve>& kurven, const IsoconvErgebnis& e);
std::string IsoconvHalbwertText(const std::vector<KinetikKurve>& kurven,
                                const IsoconvErgebnis& e);
std::string IsoconvNormiertText(const std::vector<KinetikKurve>& kurven,
                                const IsoconvErgebnis& e, int32_t j);

// Writes the three kinds of output file into folder (ending with a path
// separator, or empty): "apparent_Ea_v_a.dat", "halflife_v_T.dat" and a
// "t12n_" file per curve with a half-life. Returns the paths that could
// not be written (empty when all were).
std::vector<std::string> IsoconvSchreibe(const std::string& ordner,
                                         const std::vector<KinetikKurve>& kurven,
                                         const IsoconvErgebnis& e);

#endif
