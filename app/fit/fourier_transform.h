// The Fourier transformation of a curve (forward from data to frequency or
// from k to R, and back), its grid, the next-node cut of chi(k), the
// settings file "ini_FT.par" and the history line, as plain functions on
// arrays. The command and its dialogs live in fourier_transform_win.cpp.
#ifndef KORLAN_FOURIER_TRANSFORM_H
#define KORLAN_FOURIER_TRANSFORM_H

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "zelva.h"

// Grid points of the last forward transform of a real curve that fell
// inside the data (one value for all windows; each window also keeps its
// own count with its forward settings).
extern int32_t FTGitterPunkte;

// A curve as the transform sees it; im is empty for a real curve. RRaum
// marks transform data (slot flag 1), which are taken as they stand.
struct FT_KURVE {
    std::vector<double> x, y, im;
    bool RRaum = false;
    int32_t Punkte() const { return static_cast<int32_t>(x.size()); }
    bool Komplex() const { return !im.empty(); }
};

// The settings of one transform (the dialog values of command 506).
struct FT_EINSTELLUNG {
    bool Vorwaerts = true;      // DialogWerte[0] = 1
    bool Xafs = false;          // k to R with the EXAFS options
    int32_t Nullen = 0;         // zero filling, points ([1])
    int32_t FensterTyp = 0;     // 0-5 ([2])
    double Von = 0.0, Bis = 0.0;  // window borders ([3], [4])
    double Form = 0.0;          // window parameter ([5])
    double KGewicht = 0.0;      // [6]
    double Schrittweite = 0.0;  // numeric mode: the R of the grid step pi / R / (m - 1) ([7])
    int32_t KPunkte = 1024;     // EXAFS options: k points
    double RSchritt = 0.04;     // EXAFS options: R step, Angstrom
};

// What a window keeps of its last forward transform.
struct FT_VORWAERTS {
    FTWINDOW Fenster{};         // with the origin of the grid
    double Schritt = 0.0;       // abscissa step of the result
    double KGewicht = 0.0;
    double GitterSchritt = 0.0; // step of the transformed grid (0: none yet)
    int32_t GitterPunkte = 0;
};

// Phase and amplitude tables of the corrected transform (table 0 on the
// abscissae tabX of the curve; amplitude null or its first value -10 or
// less for none).
struct FT_PHASE {
    const double* TabX = nullptr;
    const double* Phase = nullptr;
    const double* Amplitude = nullptr;
    int32_t Punkte = 0;
};

struct FT_ERGEBNIS {
    FT_KURVE Kurve;             // the transform (real and imaginary part)
    FT_KURVE Gitter;            // forward of a real curve: the gridded input, GitterPunkte points
    FT_VORWAERTS Vorwaerts;     // forward: the settings the window keeps
    int32_t N = 0;              // transform size
};

// Codes of FourierRechnen.
const int32_t FT_OK = 1;
const int32_t FT_WERTE_FALSCH = 108;   // values the transform cannot take
const int32_t FT_KEIN_HINWEG = 110;    // back without a forward transform

// Transform size: in XAFS mode the EXAFS k points (half of them for a
// complex curve); otherwise the smallest power of two, at least 2, not
// below nullen + n. 0 when that exceeds `hoechstens`.
int32_t FtGroesse(bool xafs, bool komplex, int32_t kPunkte, int32_t nullen, int32_t n,
                  int32_t hoechstens);

// The next-node cut of chi(k): from the first sign change counted from
// the start of the curve to the last one counted from its end, each end
// replaced by the linear zero crossing, so that the cut starts and ends at
// exactly 0. Without a sign change at an end, that end stays the curve's
// own (within [lo, hi]). false when fewer than two points remain.
bool FtKnotenSchnitt(const FT_KURVE& k, double lo, double hi, FT_KURVE& schnitt);

// Divides out the weight alt (when gewichtet) and applies neu (when not 0)
// to y and im: y[i] * x[i]^(neu - alt) for x[i] != 0.
void FtKGewichten(FT_KURVE& k, bool gewichtet, double alt, double neu);

// The transform of the curve k whose section is [lo, hi]:
// - forward of a real curve: natural cubic spline onto m = N - nullen
//   points lo + i dk, dk = (pi / R) / (m - 1) (R the EXAFS R step in XAFS
//   mode, e.Schrittweite otherwise), zeros up to N, optionally corrected by
//   phase and amplitude, then numeric: the whole centred transform (step
//   1 / dk / N), XAFS: its positive half from R = 0 (step pi / dk / N);
// - a complex curve (forward or back) is taken as it stands, padded with
//   zeros to N (centred outside XAFS mode);
// - back: the window [Von, Bis] of the data is transformed back onto the
//   forward grid (alt), divided by the forward window (and by k^w in XAFS
//   mode); numeric mode doubles the result of a window on one side of 0,
//   XAFS mode mirrors the data to negative R and doubles.
// Returns FT_OK, FT_WERTE_FALSCH (negative zero filling, no positive step,
// fewer than two grid points in the data, a size the arrays cannot take) or
// FT_KEIN_HINWEG (back without alt.GitterSchritt).
int32_t FourierRechnen(def_zelva& z, const FT_EINSTELLUNG& e, const FT_KURVE& k, double lo,
                       double hi, const FT_VORWAERTS& alt, const FT_PHASE* phase,
                       FT_ERGEBNIS& r);

// "ini_FT.par": window type, window parameter and k weight, each as the
// integer part of the value plus 0.1 with "%d\n".
void FtIniSchreiben(std::FILE* datei, double typ, double parameter, double kGewicht);
// Reads the three lines (at most 100 characters each); lines 2 and 3 as
// text without their line end. false when line 1 is missing or holds no
// window type 0-5 (nothing is then set).
bool FtIniLesen(std::FILE* datei, int32_t* typ, std::string* parameter, std::string* kGewicht);

// History line of a numeric transform (fensterName the string of
// 300 + type).
std::string FtHistorie(const char* dateiName, const FT_EINSTELLUNG& e, const char* fensterName,
                       int32_t aktiv);

// ---- the previews of the Fourier dialog ----

// The curves of the window preview on the curve (x, y) and its window
// values W: D = y inside [von, bis] (0 outside) divided by s, the larger of
// |max y| and |min y| inside, V = W * D, and the y range all three span.
struct FT_FENSTER_BILD {
    std::vector<double> D, V;
    double YUnten = 0.0, YOben = 1.0;
};
FT_FENSTER_BILD FtFensterBild(const double* x, const double* y, const double* W, int32_t n, double von,
                              double bis);

// The k-weight preview's transform of chi(k) (k unweighted) with weight w:
// N points of the EXAFS grid (the smallest power of two, at least the k
// points, not below the curve's count), the window w, optionally phase
// corrected, cut to rMax. betrag holds R, |FT| and the imaginary part.
// false when the transform refuses the curve.
bool FtGewichtVorschau(def_zelva& z, const FT_KURVE& k, double lo, double hi, const FTWINDOW& fenster,
                       double w, int32_t kPunkte, double rSchritt, double rMax, const FT_PHASE* phase,
                       FT_KURVE& betrag);

// Divisor of magnitude curve p (weight wp) in the comparison panel of
// weights w1 < wp: 7^(wp - w1); 1 otherwise.
double FtVergleichsTeiler(int32_t w1, int32_t wp);

// The weight a click at (px, py) in a client area of wd x ht chooses:
// w1 top left, w2 top right, w3 anywhere in the bottom half.
int32_t FtGewichtVonKlick(int32_t px, int32_t py, int32_t wd, int32_t ht, int32_t w1, int32_t w2,
                          int32_t w3);

#endif
