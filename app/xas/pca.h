// Principal component analysis of a series of spectra: the common grid,
// resampling, the decomposition with its components in descending order,
// the indicator function, reconstructions and their R-values, target
// transformation, the residual matrix, the group plot, the concentrations
// of accepted target factors and the report text. Plain arrays and numbers
// only; the dialog and the file writing sit on top of this.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Number of grid points every input is resampled onto.
constexpr int32_t PCA_GITTERPUNKTE = 300;
// Largest number of inputs (spectrum files or columns) of one analysis.
constexpr int32_t PCA_MAX_EINGABEN = 99;

// One input of the analysis (numbered 1 to 99 in input order).
struct PcaEingabe {
    double Gewicht = 0.0;  // singular value of the component with this number
    double Anfang = 0.0;   // first abscissa value of the input
    double Ende = 0.0;     // last abscissa value of the input
    double Punkte = 0.0;   // number of points of the input
    char Name[100] = {};   // file name with extension, or " %2d. column"
    std::vector<double> Gitterspektrum;  // the input on the grid (300 values)
};

// State of the analysis between the dialog's steps.
struct PcaZustand {
    int32_t Anzahl = 0;                       // inputs of the last full analysis
    int32_t Gitterpunkte = PCA_GITTERPUNKTE;
    bool Spaltenmodus = false;                // inputs are columns of one file
    bool BerichtOffen = false;                // next target report adds the file lines
    double TestAnfang = 0.0, TestEnde = 0.0, TestPunkte = 0.0;
};

// The 300-point grid from x0 to x0 + |xn - x0|.
std::vector<double> PcaGitter(double x0, double xn);

// False when an input running from x0 to xn does not cover the grid within
// the tolerances (then the user is cautioned; the analysis goes on).
bool PcaBereichPasst(double x0, double xn, const std::vector<double>& gitter);

// Resamples the curve (x rising, n points) onto the grid by a natural cubic
// spline; grid points further outside than 1e-4 of their value get 0.
// Works on copies sized from n, whatever its length. Returns false for fewer
// than two points or null arrays (out is then all 0).
bool PcaResample(const double* x, const double* y, int32_t n,
                 const std::vector<double>& gitter, std::vector<double>& out);

// A = U diag(w) V^T of the data matrix (rows: grid points, columns: inputs).
// Components are in descending order of w; U and V are permuted with w.
struct PcaZerlegung {
    int32_t Zeilen = 0;      // grid points
    int32_t Spalten = 0;     // inputs = components
    std::vector<double> U;   // Zeilen x Spalten, U[k * Spalten + m]
    std::vector<double> w;   // Spalten values, descending
    std::vector<double> V;   // Spalten x Spalten, V[i * Spalten + m] (row i = input i)
    double u(int32_t k, int32_t m) const { return U[static_cast<size_t>(k) * Spalten + m]; }
    double v(int32_t i, int32_t m) const { return V[static_cast<size_t>(i) * Spalten + m]; }
};

// Decomposes the spectra (each of the same length, at most 99, at least 1).
// Returns 1, 0 when the decomposition did not converge, -1 for bad sizes.
int32_t PcaZerlege(const std::vector<std::vector<double>>& spektren, PcaZerlegung& z);

// Real error RE(n) and indicator IND(n) = RE(n) / (c - n)^2 from the
// eigenvalues w^2: RE(n) = sqrt(sum_{j>n} w_j^2 / (rows (c - n))), for
// n = 1..c (entry n - 1; 0 for n = c).
void PcaIndikator(const std::vector<double>& w, int32_t zeilen,
                  std::vector<double>& re, std::vector<double>& ind);

// Number of significant components. With more than 11 inputs, two successive
// weights closer than 1e-5 after the tenth end the count, and that weight and
// every later one meeting the same test are set to 0 in w.
int32_t PcaSignifikanz(std::vector<double>& w);

// Length of the leading run of flags greater than 0.
int32_t PcaFuehrendeKomponenten(const std::vector<int32_t>& flags);

// Reconstruction of input i with the given weights (a weight of 0 drops its
// component): r[k] = sum_m gewichte[m] U[k][m] V[i][m].
std::vector<double> PcaRekonstruiere(const PcaZerlegung& z, const std::vector<double>& gewichte,
                                     int32_t i);

// 100 * sum |s - r| / sum |s| (0 when s is all 0).
double PcaRWert(const std::vector<double>& s, const std::vector<double>& r);

// t' = U_n U_n^T t with the first n columns of U; returns the R-value of t
// against t' in percent.
double PcaTargetTransformation(const PcaZerlegung& z, int32_t n, const std::vector<double>& t,
                               std::vector<double>& tStrich);

// RM[s][n - 1]: R-value of input s reconstructed with components 1..n.
std::vector<std::vector<double>> PcaResiduenMatrix(const std::vector<std::vector<double>>& spektren,
                                                   const PcaZerlegung& z);

// Scores on components 1 and 2 of every input, sorted by the first.
void PcaGruppenPlot(const PcaZerlegung& z, std::vector<double>& x, std::vector<double>& y);

// Least-squares concentrations K[t][i] of the target factors (each on the
// grid) in the reconstructions. Result codes:
constexpr int32_t PCA_KONZ_OK = 1;
constexpr int32_t PCA_KONZ_FEHLT = -2;   // a factor is missing (empty); fehler names it
constexpr int32_t PCA_KONZ_RANG = -3;    // the factors are linearly dependent
constexpr int32_t PCA_KONZ_GROESSE = -1; // no factor, too many, or lengths differ
int32_t PcaKonzentrationen(const std::vector<std::vector<double>>& faktoren,
                           const std::vector<std::vector<double>>& rekonstruktionen,
                           std::vector<std::vector<double>>& k, int32_t& fehler);

// What the report of a full analysis shows.
struct PcaBerichtDaten {
    bool Spaltenmodus = false;
    std::string DateiName;                   // column mode: the window's file
    std::vector<const PcaEingabe*> Eingaben; // in input order
    int32_t Signifikant = 0;
    std::vector<double> w;                   // after the significance step
    const PcaZerlegung* Zerlegung = nullptr;
    std::vector<std::vector<double>> Residuen;  // PcaResiduenMatrix
    std::vector<double> Indikator;              // IND * 100,000
    std::vector<double> RealError;              // RE
};
std::string PcaBericht(const PcaBerichtDaten& d);

// Report lines of a target transformation (begins with "\r\n"); the two
// file lines come first while the report of a full analysis is pending.
std::string PcaTestBericht(bool berichtOffen, const std::string& name, int32_t punkte,
                           double anfang, double ende, double rWert);

// ---- the result files in the data folder ----

// What a full analysis or a reconstruction hands back to the dialog.
struct PcaLauf {
    int32_t Signifikant = 0;
    std::vector<double> Residuen;   // R-value in percent per input
    std::vector<double> Indikator;  // IND * 100,000 per component count
    std::string Bericht;            // report of a full analysis
};

// Result codes of the file steps (a positive result is the input count).
constexpr int32_t PCA_ZU_WENIG = 0;        // fewer than two inputs: nothing written
constexpr int32_t PCA_ZU_VIELE = -1;       // more than 99 inputs: nothing written
constexpr int32_t PCA_SCHREIBFEHLER = -4;  // a result file could not be written
constexpr int32_t PCA_KEINE_ANALYSE = -5;  // the files of a full analysis are missing or unusable
constexpr int32_t PCA_NUMERIK = -6;        // the decomposition did not converge

// Full analysis of inputs whose Gitterspektrum holds the grid values:
// decomposition, significance (stored in each entry's Gewicht), and every
// result file with "temp.txt" written anew. ordner ends with a separator.
int32_t PcaVollanalyse(const std::string& ordner, std::vector<PcaEingabe>& eingaben,
                       const std::vector<double>& gitter, bool spaltenmodus,
                       const std::string& dateiName, PcaZustand& zustand, PcaLauf& lauf);

// Writes "new_weights.dat" (1 for a component in use, 0 otherwise).
bool PcaSchreibeFlags(const std::string& ordner, const std::vector<int32_t>& flags);

// Reconstruction with the components flagged in "new_weights.dat"; rewrites
// "A_PCA_recon_data.dat" and "residuals.dat" and fills lauf.Residuen.
int32_t PcaNeuRekonstruktion(const std::string& ordner, const std::vector<PcaEingabe>& eingaben,
                             const PcaZustand& zustand, PcaLauf& lauf);

// Target transformation of the curve (x rising, n points) named `name`
// with the leading run of flagged components: the test files, and the
// report lines appended to "temp.txt" (returned in bericht). rWert gets
// the R-value in percent. Result: the input count or an error code.
int32_t PcaZieltransformation(const std::string& ordner, const std::vector<PcaEingabe>& eingaben,
                              PcaZustand& zustand, const double* x, const double* y, int32_t n,
                              const std::string& name, double& rWert, std::string& bericht);

// Concentrations of the accepted target factors "factor_1.pca" ..
// "factor_m.pca" in the reconstructions of "A_PCA_recon_data.dat", written
// as "realweight_%d.pca". Result: PCA_KONZ_OK, or PCA_KONZ_FEHLT (fehler =
// the missing factor), PCA_KONZ_RANG, PCA_KONZ_GROESSE, PCA_KEINE_ANALYSE,
// PCA_SCHREIBFEHLER; on an error no "realweight" file is written.
int32_t PcaTargetReconstruction(const std::string& ordner, int32_t eingaben, int32_t faktoren,
                                int32_t& fehler);

// ---- the choice of inputs ----

// Full paths of a multiple file selection: the folder (with its separator)
// and the names joined by ","; at most 99 names are taken.
std::vector<std::string> PcaEingabePfade(const std::string& ordner, const std::string& namen);

// What the user is told about a choice of `anzahl` inputs before anything
// is read: nullptr when the analysis may go on (2 to 99 inputs) or when
// nothing was chosen (a cancelled choice ends without a word), the caption
// in titel otherwise.
const char* PcaAuswahlMeldung(int32_t anzahl, const char*& titel);

// Takes a curve (x rising, n points) as input `e` named `name`: its range
// and point count, and its values on the grid, which the first input
// (gitter empty at entry) defines. Returns false when the curve does not
// cover the grid (the user is cautioned; the input is taken all the same)
// or has fewer than two points.
bool PcaNimmAuf(const double* x, const double* y, int32_t n, const char* name,
                std::vector<double>& gitter, PcaEingabe& e);

// ---- the dialog's views ----

// What one view of the analysis dialog shows: the curve that goes into the
// window's slot, the overlay drawn over it in blue, and for the real
// concentrations the further target factors in palette colours.
struct PcaAnsichtDaten {
    std::vector<double> x, y;    // curve for the slot (empty: the slot keeps its curve)
    std::vector<double> ux, uy;  // overlay (empty: none)
    std::vector<std::vector<double>> weitereY;  // view 7: factors 2.. over x
    int32_t Stil = 0;            // plot style of the overlay (0: the window's)
    bool Fest = false;           // fixed range festX, festY (views 5 and 7)
    double FestX[2] = {0.0, 0.0}, FestY[2] = {0.0, 0.0};
};

// The data of view `ansicht` (0 reconstruction of input s, 1 component s,
// 2 target and its transform, 3 group plot, 5 residuals, 6 abstract
// concentrations of component s, 7 real concentrations of `faktoren`
// accepted target factors) from the result files in ordner. s counts from
// 1; residuen holds the R-value of each input. Returns false, with a
// empty, when the view's file or column is missing or s is out of range.
bool PcaAnsicht(const std::string& ordner, int32_t ansicht, int32_t s,
                const std::vector<PcaEingabe>& eingaben, const std::vector<double>& residuen,
                int32_t faktoren, PcaAnsichtDaten& a);
