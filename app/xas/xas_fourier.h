// The tidying of the XAFS Fourier transform command (815) as plain
// functions: the magnitude envelope of a complex curve, the cuts of a
// forward result at R max and of a back-transform to the transform window,
// the history line and the y-axis text. The command itself is in
// xas_fourier_win.cpp.
//
// A complex curve of n points holds its real values in y[0..n-1], a spare
// y[n] (repeating y[n-1]) and its imaginary values in y[n+1..2n]; the x
// array has the same layout.
#ifndef KORLAN_XAS_FOURIER_H
#define KORLAN_XAS_FOURIER_H

#include <cstdint>
#include <string>

// The magnitude copy of a complex curve of n points: y[i] := m =
// sqrt(y[i]^2 + y[n+1+i]^2) and y[n+1+i] := -m, so that it draws as the
// envelope +m / -m.
void XasBetragHuelle(double* y, int32_t n);

// The first index i < n with x[i] > grenze; n when there is none.
int32_t XasErsterUeber(const double* x, int32_t n, double grenze);

// Keeps the points von .. von + anzahl - 1 of a complex curve of n points
// (real and imaginary part, x and y): they move to 0 .. anzahl - 1, the spare
// element repeats the last real point and the imaginary values follow from
// anzahl + 1 on. von + anzahl <= n.
void XasKomplexBehalten(double* x, double* y, int32_t n, int32_t von, int32_t anzahl);

// The cut of a back-transform of n points (k ascending): first to the points
// not above kMax (the last k of the forward transform's source), then from
// the first point not below unten to the last point not above oben, that
// one searched down from the end but never below index 4. von and anzahl
// receive the kept run. false (nothing set) when it would hold fewer than
// two points.
bool XasRueckSchnitt(const double* x, int32_t n, double kMax, double unten, double oben, int32_t* von,
                     int32_t* anzahl);

// The y-axis text of a forward transform: "FT(^c(k)*k~w)" (w the integer
// part of kGewicht + 0.2) for a weight above 1, "FT(^c(k)*k)" above 0, else
// "FT(^c(k))"; a phase-corrected transform adds " phase & amplitude corr."
// when an amplitude was loaded, " phase corr." otherwise.
std::string XasFtYText(double kGewicht, bool phasenKorrektur, bool mitAmplitude);

// What the history line of 815 reports.
struct XAS_FT_ZEILE {
    int32_t Art = 0;               // 1 forward with a window, 2 back, 0 neither
    const char* FensterName = "";  // string 300 + window type (at most 40 characters)
    double Beta = 0.0, Von = 0.0, Bis = 0.0;
    int32_t Aktiv = 1;             // slot number + 1
};

// "--: " + file name + " --XAS-FOURIER TRANSFORM  - " and, forward with a
// window, " window : NAME  - Beta : ..  - from : .. , to : .. -  ( active :
// n )\r\n", back " Backtransform -  square window  from : .. , to : .. -  (
// active : n )\r\n"; otherwise nothing more.
std::string XasFtHistorie(const char* dateiName, const XAS_FT_ZEILE& z);

#endif
