// What the drawing of a graphic window reads besides its record: the EXAFS
// fit arrays and settings of the fitting and XAS subsystems, and the view
// settings of the application. All pointers may stay null; the views that
// need them are then left out.
#ifndef KORLAN_SPECTRA_GRAFIK_ZEICHNEN_H
#define KORLAN_SPECTRA_GRAFIK_ZEICHNEN_H

#include <windows.h>

#include <cstdint>

struct EXAFS_FIT_ANSICHT {
    int32_t Anzeige;        // 1: two panels (k or R space beside the curve) while a fit runs
    double KGewicht[2];     // Fourier k weights; [0] with a fit result, [1] without; negative = not set
    int32_t FitKGewicht;    // k weight of the fit (k-space caption)
    double* KGitter;        // k grid; its point count is stored as a double at index 5000
    double* KExperiment;    // experimental chi(k)
    double* KTheorie;       // theoretical chi(k)
    double* KDifferenz;     // difference in k space
    double* RGitter;        // R grid
    int32_t RPunkte;
    double* RExperiment;    // |FT| of the experiment, of the theory, their difference
    double* RTheorie;
    double* RDifferenz;
    double* Ueberlagerung[2];  // the two overlay arrays on the current curve's x values
};
extern EXAFS_FIT_ANSICHT ExafsFitAnsicht;

struct GRAFIK_ANZEIGE {
    double Faktor3D;           // depth ratio of 3D views (4.0)
    int32_t Hervorhebung;      // series: every n-th frame in blue (0 = none)
    int32_t GewaehlteFunktion; // function chosen in the parameter-change dialog (1-based, 0 = none)
};
extern GRAFIK_ANZEIGE GrafikAnzeige;

// Paints a "paint" window: grey background, then its record's drawing with
// the application object's character cell. The fit-model globals are kept.
// 0 when the handle belongs to no record.
LRESULT MaleGrafikFenster(HWND fenster);

#endif
