// The plain parts of the automatic analysis of a series and of its
// dialogs: the convolution of I0 with a normalised Gaussian or Lorentzian,
// the spectrum of one column, the lines of the result tables, the column
// list of the multi-column plot and the column fields of the DXAS switch.
//
// Plain code: arrays and numbers in, arrays, numbers and texts out.
#ifndef KORLAN_SERIES_ANALYSIS_H
#define KORLAN_SERIES_ANALYSIS_H

#include <cstdint>
#include <string>
#include <vector>

// ---- convolution of I0 ----

constexpr int32_t FALTUNG_GAUSS = 1;     // model type 1
constexpr int32_t FALTUNG_LORENTZ = 2;   // model type 2 with exponent 1

// Profile of kind art with full width at half maximum fwhm at distance d
// from its centre, 1 at the centre.
double FaltungsProfil(int32_t art, double fwhm, double d);

// The kernel for the numerics library's convolution of length laenge
// (wrap-around order: lag 0 at 0, lag k at k, lag -k at laenge - k) for
// the lags -reichweite .. reichweite (reichweite < laenge / 2), the
// profile at k * dx, each lag once, normalised to sum 1; 0 elsewhere.
// False (kern unchanged) for a width or step of 0 or below, an unknown
// kind or a reach that does not fit.
bool FaltungsKern(int32_t art, double fwhm, double dx, int32_t laenge, int32_t reichweite,
                  std::vector<double>* kern);

// y[0..n-1] on steps dx convolved in place with that kernel; the curve is
// continued by its end values on both sides, so that a constant stays
// constant. False (y unchanged) for n below 2 or a kernel refused above.
bool FalteMitProfil(double* y, int32_t n, double dx, int32_t art, double fwhm);

// A width typed in the convolution dialog: a number above 0.
bool FaltungsBreiteLesen(const char* text, double* fwhm);

// ---- the preview of the convolution width ----

// The preview reads points 50, 55 and 500 and the sample column 7: it
// needs more than VORSCHAU_PUNKTE points and VORSCHAU_SPALTEN columns
// (column 1 the x column).
constexpr int32_t VORSCHAU_PUNKTE = 500;
constexpr int32_t VORSCHAU_SPALTEN = 7;
bool FaltungsVorschauMoeglich(int32_t punkte, int32_t spalten);

// The curves of the preview, n points each: I0 less the dark column, that
// I0 convolved (FalteMitProfil), and the absorption log10(I0 / sample)
// without and with the convolution (the sample less the dark column and
// smoothed by the Fourier smoothing of width 4; 0 where I0 or the sample
// is not positive), both scaled so that point 55 becomes 0 and point 500
// becomes 1 (unscaled when the two points are equal).
struct FALTUNGS_VORSCHAU {
    std::vector<double> I0, I0Gefaltet, Ohne, Mit;
};
// False (v unchanged) for too few points or a width or kind refused.
bool FaltungsVorschau(const double* i0, const double* probe, const double* dunkel, int32_t n, double dx,
                      int32_t art, double fwhm, FALTUNGS_VORSCHAU* v);

// ---- the spectrum of one column ----

// The column c of a series: the mean of the frames read for it (one, or
// the columns since the previously analysed one when averaging), less the
// dark frame (may be null), smoothed by the numerics library's Fourier
// smoothing of width glaetten (0: none); with i0 (may be null) the
// absorption ln(i0 / y), 0 where y is 0 or the ratio is not positive.
void SerienSpalte(const std::vector<const double*>& frames, int32_t n, const double* dunkel,
                  int32_t glaetten, const double* i0, double* aus);

// I0 of column c between the dark-corrected readings i01 (column c1) and
// i02 (column c2), point by point.
void I0DerSpalte(const double* i01, const double* i02, int32_t n, int32_t c, int32_t c1, int32_t c2,
                 double* aus);

// ---- result tables ----

// Entries of the results (CommandArgs) that the parameter table reads for
// a model of `funktionen` functions: 0 .. 50, 1000 .. 1000 + funktionen,
// 2700 + j and 2800 + j; cleared after each column so that no value of a
// column is taken for the next one.
void TabellenWerteLeeren(double* ergebnisse, int32_t funktionen);

// A line of the parameter table: "%d, " column; with kopfWerte its time
// and temperature; the results 0 .. min(L, maxParameter + 1) (L = 50 for
// a first function of type 25, else 30); unless type 25 the results
// 1000 .. 1000 + count, then 2700 + j and 2800 + j of every function j
// whose type is below 14 and not 7; the R value and "\n". Values "%.8G".
std::string ParameterTabellenZeile(int32_t spalte, bool kopfWerte, double zeit, double temperatur,
                                   const double* ergebnisse, int32_t maxParameter,
                                   const int32_t* typen, int32_t anzahl, double r);

// A line of "mfeffcoeff.par": "%d " column, the parameters of even index
// up to maxParameter, each "%.8G ", then "\n".
std::string KoeffizientenZeile(int32_t spalte, const double* p, int32_t maxParameter);

// A line of the FEFF table: "%d, " column, then every parameter j that is
// free (flag without bit 1, and without bit 4 or with a correlation word
// of 0 or less) or a multiple-scattering angle (bit 0x8000, written as
// 0): for j >= 2 with (j - 2) % pfad == 0 and distanzVerschiebung, the
// value plus reff[(j - 1) / pfad + 1] (reff of the path records, index 1
// the first), else the value; then the R value and "\n".
std::string FeffTabellenZeile(int32_t spalte, const double* p, const int32_t* flags,
                              const int32_t* korrelation, int32_t maxParameter, int32_t pfad,
                              bool distanzVerschiebung, const std::vector<double>& reff, double r);

// ---- dialogs ----

// Columns of the multi-column plot. With fewer than three chosen list
// entries (0-based, entry i is data column i + 1, stored as i + 2): the
// data columns start, start + schritt, ... not above ende, each stored as
// column + 1, or with invers from ende + 1 down in steps while not below
// start + 1. Else the chosen entries in rising (falling with invers)
// order. Returns the count, or -116 (nothing in liste) above 100 columns;
// the limit is checked before the list is filled.
constexpr int32_t MULTIPLOT_MAX = 100;
int32_t MultiplotSpalten(int32_t start, int32_t ende, int32_t schritt, bool invers,
                         const std::vector<int32_t>& gewaehlt, std::vector<int32_t>* liste);

// The column fields of AUTODEX when "DXAS  Spectra" is switched on (an)
// or off: shown column count s, last column l, first column f.
void DxasSpaltenUmschalten(bool an, int32_t* s, int32_t* l, int32_t* f);

#endif
