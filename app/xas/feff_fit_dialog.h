// The rules of the FEFF path dialogs FEFF_FIT, FEFF_MULTIPLE_DETAILS and
// the EXAFS set-up EXAFSFIT that need no window: the filter spins, which of
// the selected rows a transfer takes, the R range a transfer proposes, the
// name lists of experimental phases and amplitudes, and the DialogWerte of
// the set-up's controls.
//
// Plain code (feff_fit_dialog_core.cpp); the dialogs are in
// feff_fit_dialog_win.cpp and exafs_fit_dialog_win.cpp.
#ifndef KORLAN_XAS_FEFF_FIT_DIALOG_H
#define KORLAN_XAS_FEFF_FIT_DIALOG_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Filter limits: amplitude ratio 0-99 percent, legs 2-10.
const double FEFF_FILTER_MIN = 0.0;
const double FEFF_FILTER_MAX = 99.0;
const int32_t FEFF_BEINE_MIN = 2;
const int32_t FEFF_BEINE_MAX = 10;

// One spin step (+1 up, -1 down) of a filter. False, and the value left,
// when the step would leave the range.
bool FilterSchritt(double* wert, int32_t schritt);
bool BeineSchritt(int32_t* wert, int32_t schritt);

// At most this many paths are chosen (records 1-100), and at most this
// many FEFF calculations fitted together (the four factor edits of
// FEFF_MULTIPLE_DETAILS).
const int32_t FEFF_MAX_GEWAEHLT = 100;
const int32_t FEFF_MAX_SAETZE = 4;

// Why a transfer stopped early.
enum FEFF_UEBERNAHME_STOP {
    FEFF_ALLE_UEBERNOMMEN = 0,
    FEFF_PFAD_GRENZE = 1,        // the 100 records are full
    FEFF_PARAMETER_GRENZE = 2,   // the model would hold too many parameters
};
// The rows a transfer takes: the selected rows (markiert, per listed row)
// in list order, while fewer than FEFF_MAX_GEWAEHLT paths and at most
// maxPfade paths (what the parameter limit allows in total) are chosen.
// gewaehlt: paths chosen before. *stopp says why rows were left.
std::vector<int32_t> UebernahmeZeilen(const std::vector<bool>& markiert, int32_t gewaehlt, int32_t maxPfade,
                                      int32_t* stopp);

// The R range a transfer proposes from the chosen paths' Reff (Angstrom):
// from = smallest - 0.8, to = largest, plus 0.2 when below 3.0. False for
// no paths.
bool RBereichAusReff(const std::vector<double>& reff, double* von, double* bis);

// The lists of experimental phase and amplitude names: each name followed
// by ",". Appends name (the first replaces the list). False, and the list
// left, when the result would not fit in grenze bytes with its end.
const std::size_t FEFF_NAMENLISTE_BYTES = 5000;
bool NameAnhaengen(std::string* liste, const std::string& name, bool erster, std::size_t grenze);
// The names of such a list, in order.
std::vector<std::string> NamenAusListe(const std::string& liste);
// CommandText2 of the experimental shells: the phase names of shells
// 1..schalen, then their amplitude names, each followed by ",". False when
// a shell has no name or the text would not fit in grenze bytes.
bool PhasenAmplitudenText(const std::vector<std::string>& phasen, const std::vector<std::string>& amplituden,
                          int32_t schalen, std::size_t grenze, std::string* aus);
// A file name without folder and extension.
std::string BloserName(const std::string& pfad);

// The files.dat names of several FEFF calculations: appends "," and name to
// the list. False when a fifth calculation would start or the list would
// not fit in grenze bytes.
bool SatzNameAnhaengen(std::string* liste, const std::string& name, int32_t saetze, std::size_t grenze);

// The controls of EXAFSFIT as the set-up reads them.
struct ExafsDialogZustand {
    bool KKante = true;           // " K-, L1- edge"
    int32_t Schalen = 0;          // edit 201
    int32_t KGewicht = 0;         // edit 58
    double RVon = 0.0, RBis = 0.0;  // edits 101, 100
    bool KRaum = true;            // 602
    bool Dritter = false, Vierter = false;  // 232, 233
    bool Behalten = false;        // 555
    bool Flags = false;           // 554
    bool Simulation = false;
    bool EinzelE0 = false;        // 601
    bool AddK = false, AddKFit = false;  // 656, 658
    int32_t ExtraPotenz = 0;      // edit 400
    bool FeffUnveraendert = false;
};
// DialogWerte[1..13] of the set-up (slot 0 is the caller's). The R range
// (slots 4, 5) is -1, -1 for a k-space fit, which takes the whole curve.
void ExafsDialogWerte(const ExafsDialogZustand& z, double* dw);

#endif
