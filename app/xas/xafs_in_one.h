// The XAFS-in-one dialog (852): which steps are open, the results each step
// keeps and the one a step starts from. The dialog (xafs_in_one_win.cpp)
// runs the ordinary commands; this part only keeps their curves.
//
// Arrays and numbers in, arrays and numbers out; no window system here.
#ifndef KORLAN_XAFS_IN_ONE_H
#define KORLAN_XAFS_IN_ONE_H

#include <cstdint>
#include <string>
#include <vector>

// The steps in button order: energy calibration (808), background (841),
// conversion to k (811), atomic absorption (828), Fourier transform (815).
enum XIO_SCHRITT : int32_t {
    XIO_KALIBRIERUNG, XIO_UNTERGRUND, XIO_KRAUM, XIO_ATOMAR, XIO_FOURIER, XIO_SCHRITTE
};

struct XIO_KURVE {
    std::vector<double> x, y;   // sized to the curve
    bool Da = false;
};

// What the dialog keeps. The calibration and E0 results belong to one
// window and its file and outlive the dialog; the others last one opening.
struct XIO_STAND {
    int32_t Fenster = -1;
    std::string Datei;
    XIO_KURVE Ergebnis[XIO_SCHRITTE];
};

// Opening on window fenster whose file is datei (folder and name) with
// spalten columns: the background, atomic-absorption and transform results
// go; calibration and E0 results stay only for the same window and file.
// Returns the steps open at the start as bits (1 << step): calibration with
// three columns or more; background when calibration is closed or its
// result is kept; atomic absorption when the E0 result is kept.
uint32_t XioOeffnen(XIO_STAND* stand, int32_t fenster, const std::string& datei, int32_t spalten);

// The result a step starts from (that of the step before it), or null when
// the step has none to start from.
const XIO_KURVE* XioStart(const XIO_STAND& stand, int32_t schritt);

// After a step's command: with gelungen (a new slot and no error) its curve
// (n points of x and y) is kept and the next step opens; otherwise nothing
// is kept. Returns the open steps.
uint32_t XioNachSchritt(XIO_STAND* stand, int32_t schritt, bool gelungen, const double* x, const double* y,
                        int32_t n, uint32_t offen);

// The command a step's button runs.
int32_t XioBefehl(int32_t schritt);

// |FT| of a complex slot (n real values, one spare, n imaginary ones) into
// betrag (n values).
void XioBetrag(const double* y, int32_t n, std::vector<double>* betrag);

#endif
