// FEFF scattering paths: the path record, the records of the model
// functions, the common k grid of their tables, the loader of one path
// from FEFF's "files.dat", path file "feffNNNN.dat" and "paths.dat", and
// the row filter of a files.dat for the path-selection dialogs.
//
// Plain code (feff_path_core.cpp): the loader and the filter read files and
// text buffers; LoadFeffPath and ReadFilesDat, which work on the program's
// objects and dialogs, are in feff_path_win.cpp.
#ifndef KORLAN_XAS_FEFF_PATH_H
#define KORLAN_XAS_FEFF_PATH_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class def_zelva;

// Atom slots of a record; a path has at most FEFF_MAX_BEINE legs.
const int32_t FEFF_ATOME = 10;
const int32_t FEFF_MAX_BEINE = FEFF_ATOME - 1;

// The six path tables of a record, in this order.
enum FEFF_TABELLE {
    FEFF_AMPLITUDE,      // |F_eff| times the reduction factor, on the grid
    FEFF_PHASE,          // phase of F_eff plus the central-atom phase, unwrapped, on the grid
    FEFF_WEGLAENGE,      // mean free path lambda in Angstrom, on the grid
    FEFF_REDUKTION,      // reduction factor, on the file's k points
    FEFF_ZENTRALPHASE,   // central-atom phase 2 delta_c, on the file's k points
    FEFF_REAL_P,         // real part of p, on the grid
    FEFF_TABELLEN
};

// One scattering path (or, for the LC-XANES fit, one reference spectrum).
// The record owns its tables: FeffPfadFreigeben frees them. A record must
// not be copied while it holds tables.
struct FeffPfad {
    double Entartung;               // degeneracy ("deg" of files.dat)
    double Reff;                    // effective half path length, Angstrom
    double Sigma2;                  // "sig2" of files.dat, square Angstrom
    double ReduzierteMasse;         // reduced mass of the path's atoms, kg
    double Rnrmav;                  // average Norman radius, bohr
    double AmplitudenVerhaeltnis;   // "amp ratio", percent
    double AtomAbstaende[10];       // distance of geometry atom j from the origin, j = 0..4
    double StreuWinkel[9];          // scattering angle beta of geometry atom j in degrees, j = 0..4
    double AbsorberWinkel;          // three legs: triangle angle at the absorber, degrees
    double AtomGewichte[10];        // atomic weight of atom line j (absorber first); slot n = slot 0
    double AtomX[10];               // geometry positions, Angstrom: scatterers first, the
    double AtomY[10];               // absorber (origin) last at slot n - 1; slot n repeats
    double AtomZ[10];               // slot n - 1
    double* Pfadtabellen[FEFF_TABELLEN];
    int32_t Pfadnummer;             // FEFF path number (1 - 9999)
    int32_t ListenIndex;            // row of the path in the dialog's files.dat list
    int32_t Beine;                  // legs n (2 = single scattering)
    int32_t SatzNummer;             // FEFF data set of the path (1 with one set)
    int16_t Potentiale[10];         // "pot" of atom line j
    int16_t Ordnungszahlen[10];     // "at#" of atom line j
    char Dateiname[100];            // "feffNNNN.dat"
    char FilesDatPfad[200];         // full name of the files.dat; the other files lie beside it
    char AtomSymbole[10][4];        // element symbol of atom line j
    char ListenZeile[104];          // the files.dat row as shown in the chosen-path list
    int32_t Geladen;                // set by the callers once the tables are on their grid
    int32_t TabellenSpeicher[FEFF_TABELLEN];  // doubles allocated per table (0 = none)
    double ClusterKoeffizienten[3]; // record 0 only: the cluster coefficients of the last cluster fit
};

// Records of the model functions: record i belongs to model function i
// (numbers 1 - 100 in use).
const int32_t FEFF_PFADE = 101;
extern FeffPfad FeffPfade[FEFF_PFADE];

// The k grid onto which path tables were last interpolated.
extern double* FeffKGitter;
extern int32_t FeffKPunkte;

// The distance of a path whose distance follows the cluster: every atom
// position of the path stretched per axis by (1 + c[0], 1 + c[1], 1 + c[2])
// and the path's effective length scaled as half its summed leg lengths
// are. With c all 0 it is Reff, with c all e it is (1 + e) Reff; a record
// without positions gives Reff.
double ClusterAbstand(const FeffPfad& pfad, const double c[3]);

// Frees the tables of a record and clears it.
void FeffPfadFreigeben(FeffPfad* satz);
// Frees and clears every record and the grid (start-up and shutdown).
void FeffPfadeLeeren();

// File name of a path number: "feff%04d.dat"; false outside 1 - 9999.
bool FeffDateiname(int32_t pfadnummer, char* name, std::size_t groesse);
// Path number of a path file name "feff<digits>.dat" (case as written);
// -1 for any other name.
int32_t FeffPfadnummer(const std::string& name);

// ---- files.dat ----

// One path row of files.dat: "feffNNNN.dat sig2 ratio deg nlegs reff".
struct FilesDatZeile {
    std::string Text;               // the row without its line end
    std::string Name;
    int32_t Pfadnummer = 0;
    double Sigma2 = 0.0;
    double Verhaeltnis = 0.0;       // amp ratio, percent
    double Entartung = 0.0;
    int32_t Beine = 0;
    double Reff = 0.0;
};
// Reads a path row; false when the line is not one.
bool LeseFilesDatZeile(const std::string& zeile, FilesDatZeile* aus);

// The rows of a files.dat that the selection dialogs list.
struct FilesDatListe {
    std::string Titel;              // first line, cut to 90 characters
    std::vector<FilesDatZeile> Zeilen;  // listed rows, in file order
    std::vector<bool> Gewaehlt;     // per listed row: chosen in the current model
};
const int32_t FILES_DAT_MAX_ZEILEN = 99;
// Row filter of the selection dialogs: mode 10 first fill, 1 all
// single-scattering rows too, -1 filter only. A row is listed when its
// ratio >= minVerhaeltnis and its legs <= maxBeine, or in mode 1 when it
// has two legs; with mode > 0 a row whose path number is in gewaehlt is
// also listed, and marked chosen. At most FILES_DAT_MAX_ZEILEN rows are
// listed. Returns 1, or -1 when the text holds no path row.
int32_t FilterFilesDat(const char* text, std::size_t laenge, int32_t modus, double minVerhaeltnis,
                       int32_t maxBeine, const std::vector<int32_t>& gewaehlt, FilesDatListe* aus);

// ---- the path loader ----

// Result codes of LoadFeffPath besides the row count.
const int32_t FEFF_OHNE_FILES_DAT = -1;      // files.dat cannot be read
const int32_t FEFF_FILES_DAT_FALSCH = -2;    // no header line with "file" and "sig2"
const int32_t FEFF_OHNE_PFAD = -3;           // path not listed in files.dat, or its file missing
const int32_t FEFF_ZU_VIELE_BEINE = -4;      // more than FEFF_MAX_BEINE legs
const int32_t FEFF_PFADDATEI_FALSCH = -5;    // path file without its header lines or table
const int32_t FEFF_OHNE_SPEICHER = -6;       // no memory for the tables

// What one path file holds.
struct FeffPfadDatei {
    int32_t Beine = 0;
    double Rnrmav = 0.0;
    struct Atom {
        double x, y, z;
        int32_t Potential, Ordnungszahl;
        std::string Symbol;
    };
    std::vector<Atom> Atome;        // absorber first
    // Table columns: k, central-atom phase, |F_eff|, phase of F_eff,
    // reduction factor, lambda, real p.
    std::vector<double> Spalten[7];
};
// Reads a path file; header lines may start with "#"; the table ends at
// the first line that is not seven numbers. 0, or FEFF_ZU_VIELE_BEINE /
// FEFF_PFADDATEI_FALSCH.
int32_t LesePfadDatei(const char* text, std::size_t laenge, FeffPfadDatei* aus);

// Geometry of one path in paths.dat: per leg x, y, z and beta.
struct FeffGeometrie {
    std::vector<double> x, y, z, Beta;
};
// Finds path pfadnummer in the text of paths.dat and reads its beine leg
// lines; false when it is not there in full.
bool LesePathsDat(const char* text, std::size_t laenge, int32_t pfadnummer, int32_t beine,
                  FeffGeometrie* aus);

// Amplitude and phase of the path file's columns as the loader keeps them:
// amplitude = |F_eff| * reduction factor with the value at k = 0 replaced
// by 2 a1 - a2; phase = phase + central-atom phase, continued across jumps
// of 2 pi.
void FeffAmplitudePhase(const FeffPfadDatei& datei, std::vector<double>* amplitude,
                        std::vector<double>* phase);

// Message of the loader (missing paths.dat): text and caption.
typedef void (*FEFF_MELDUNG)(const char* text, const char* titel);

// What the loader uses of the program.
struct FeffUmgebung {
    const double* McMaster = nullptr;  // McMaster table for the atomic weights
    def_zelva* Numerik = nullptr;      // spline interpolation onto the grid
    FEFF_MELDUNG Meldung = nullptr;    // once per files.dat folder
};

// Loads path satz->Pfadnummer of satz->FilesDatPfad into the record. With
// a grid (punkte >= 1, gitter not null) the amplitude, phase, mean-free-path
// and real-p tables are interpolated onto it, and FeffKGitter/FeffKPunkte
// take it; the reduction-factor and central-atom-phase tables stay on the
// file's k points. Returns the number of table rows read; 0 for a negative
// mode after the files.dat row; a negative code (record unchanged).
int32_t LadeFeffPfad(int32_t modus, FeffPfad* satz, int32_t punkte, const double* gitter,
                     const FeffUmgebung& umgebung);
// The paths.dat message is shown again for every folder.
void FeffMeldungenZuruecksetzen();

// ---- on the program's objects (feff_path_win.cpp) ----

// LadeFeffPfad with the program's McMaster table, Numerik and a message box
// on the main window.
int32_t LoadFeffPath(int32_t modus, FeffPfad* satz, int32_t punkte, double* gitter);

// Path numbers of the rows listed by the last ReadFilesDat: entry 0 is the
// count, entries 1.. the path numbers in list order.
extern int32_t FeffListenPfade[FILES_DAT_MAX_ZEILEN + 1];

#endif
