// The report of a finished least-squares fit and the result blocks of
// integration, root search and the XRD peak search. Plain code: the window
// side (WriteResultsReport) gathers the inputs and hands the texts on.
#ifndef KORLAN_FIT_FIT_REPORT_H
#define KORLAN_FIT_FIT_REPORT_H

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "zelva.h"

// Limit of the fit text in the places that are guarded by it.
const std::size_t FIT_TEXT_GRENZE = 26000;
// The rules of the report: the string-table rules cut to this width.
const int32_t BERICHT_REGEL_ZEICHEN = 49;

// Areas of the FEFF path functions of the last report by function number
// f (1-based, the paths from 2), apart from CommandArgs, whose cells
// 1000-1004 keep the EXAFS set-up's numbers; read by the series tables
// and the change dialog.
const int32_t FEFF_FLAECHEN = 101;
extern double FeffPfadFlaechen[FEFF_FLAECHEN];

struct BERICHT_EINGABE {
    std::string Datei;             // the window's file name
    int32_t Slot = 1;              // 1-4, as "active" prints it
    int32_t Punkte = 0;            // N, points of the current slot
    const double* X = nullptr;     // x of the current slot
    double Untergrenze = 0.0;      // section borders
    double Obergrenze = 0.0;
    std::string Status;            // the fit panel's status text
    double Chi2 = 0.0;             // FitChi2
    def_zelva* Numerik = nullptr;  // with the model callback of the fit
    ModellCallback Modell = nullptr;  // the program's model function
    double* Ergebnisse = nullptr;  // CommandArgs
    double Wellenlaenge = 154.2;   // pm
    double InstrumentB = 0.0;      // integral, Lorentzian and Gaussian
    double InstrumentL = 0.0;      // breadths of the instrument
    double InstrumentG = 0.0;
    std::string Strichlinie;       // string-table rules 20 and 21
    std::string Punktlinie;
    int32_t FeffSaetze = 0;        // FEFF data sets fitted together
    // k range of the transform an R-space fit ran on (not printed when
    // unknown).
    bool KBereichBekannt = false;
    double KBereich[2] = {};
    int32_t Fehlschlag = 0;        // failed macro fit: its state
    std::string FehlerText;        // and its message
    // A complex slot (a transform fitted in R space): its y (magnitudes)
    // and the imaginary parts of the data and of the model (the latter
    // refreshed by the model callback, ImagLaenge values each); the chi(k)
    // table the EXAFS model filled last: k, data, model and difference,
    // the count at BERICHT_TABELLE_ANZAHL of the first array.
    bool Komplex = false;
    const double* Y = nullptr;
    const double* ImagDaten = nullptr;
    const double* ImagModell = nullptr;
    int32_t ImagLaenge = 0;
    const double* ChiTabelle[4] = {};
    bool MehrereFeffSaetze = false;  // a fit of several FEFF data sets
};

// Entry of the chi(k) table's first array that holds its point count;
// the arrays hold at least this many values before it.
const int32_t BERICHT_TABELLE_ANZAHL = 5000;

struct BERICHT {
    std::string Kurz;              // for the caller's text
    std::string Lang;              // the results window's fit text
    // Complex slots: the texts of "XAFS_FT_i_mag.dat" and
    // "XAFS_chi_exp_theo.dat" (FtDateien false: none are written).
    bool FtDateien = false;
    std::string FtBetragText, ChiText;
};

// The report of the finished fit of the working model (FitFunctionCount,
// FitFunctionTypes, FitParameters and the tables): heading, the status
// lines with errors, statistics, areas, breadths, weighting and the
// correlation matrix. CommandArgs: reads the start values at 0.., writes
// the areas at 1000 + f, the breadths at 2699 + f and 2799 + f, and at the
// end every fitted value at 0 .. MaxParameter.
BERICHT FitBericht(const BERICHT_EINGABE& e);

// Areas under the path functions 2 .. FitFunctionCount of the working model
// (at most FEFF_FLAECHEN - 1): werte fills y (n values) with the model on
// x[0 .. n-1] while only that function is switched on; the area is z's
// Simpson integral from x[1] to x[bis] (2 <= bis < n), with z's own arrays
// restored afterwards. Fills FeffPfadFlaechen (the rest 0) and returns one
// line per function, "%-20s%5.4G %%  (%.3E)" with the catalogue name and
// path file, the percentage of the largest area and the area, followed by
// the path's atoms or its multiple-scattering part. Every function is on
// again at the end. Empty when the model has one function or x fewer
// than four points.
std::vector<std::string> FeffPfadFlaechenZeilen(def_zelva& z, const double* x, int32_t n, int32_t bis,
                                                const std::function<void(std::vector<double>&)>& werte);

// "reduced chi2:" of the report: chi2 / (N - free parameters), "undefined"
// when no degree of freedom is left.
std::string ReduziertesChi2(double chi2, int32_t punkte, int32_t freieParameter);

// ---- result blocks ----
struct BLOCK_EINGABE {
    int32_t Slot = 1;
    const double* DialogWerte = nullptr;   // 14 values
    const double* Ergebnisse = nullptr;    // CommandArgs
    std::string Strichlinie, Punktlinie;
    // Integration: the names of the model's functions (type codes).
    std::vector<int32_t> Typen;
    double Wellenlaenge = 154.2;
};

// 504: mode 19 the model function, else the data array.
std::string IntegrationsBlock(const BLOCK_EINGABE& e, int32_t modus);
// 502: count roots found (0 none, -1 a single-root search), konvergiert
// for the single search.
std::string NullstellenBlock(const BLOCK_EINGABE& e, int32_t modus, int32_t anzahl, int32_t konvergiert);
// 901: the peak list; with a reference table (the text of "xrd_ref.dat",
// null when there is none) the comparison follows.
std::string PeakBlock(const BLOCK_EINGABE& e, const std::string* referenz);

#endif
