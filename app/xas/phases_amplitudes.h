// Phases and amplitudes of one shell (command 816): from the complex back
// transform of a Fourier-filtered shell, or from a real curve that already
// is an amplitude or a phase.
//
// Plain code: no window system, so it builds natively too.
#ifndef KORLAN_XAS_PHASES_AMPLITUDES_H
#define KORLAN_XAS_PHASES_AMPLITUDES_H

#include <cstdint>
#include <string>
#include <vector>

struct PA_EINSTELLUNG {
    bool Modifiziert = false;   // reduce with the shell's N and R
    double N = 0.0;             // coordination number
    double R = 0.0;             // distance, Angstrom
    double Kante = -1.0;        // -1 K or L1 edge, +1 L2 or L3 edge
};

// Quarter-turn shifts the branch check tries before it keeps the phase:
// four of them are a full turn and give the same values again.
const int32_t PA_MAX_VIERTEL = 4;

struct PA_ERGEBNIS {
    std::vector<double> Amplitude;  // |chi|, or k R^2 |chi| / N when modified
    std::vector<double> Phase;      // total phase, or phase shift when modified
    int32_t Viertel = 0;            // quarter turns subtracted by the branch check
    bool ZweigGeprueft = false;     // the branch check ran (modified)
    bool ZweigGefunden = true;      // it found a consistent branch
};

// The unwrapped total phase of re + i im (n points): atan(im / re),
// raised by pi at each passage of atan from positive to negative values;
// minus pi for an L2 or L3 edge (kante > 0). A point where re and im are
// both 0 has no phase and keeps the previous point's value.
std::vector<double> GesamtPhase(const double* re, const double* im, int32_t n, double kante);

// Points i with re[i] != 0 whose model value kante / k A sin(2 k R + P)
// has the other sign than re[i] (a point with k = 0 takes the previous
// point's model value).
int32_t FalscheVorzeichen(const double* k, const double* re, const double* a, const double* p,
                          int32_t n, double r, double kante);

// The complex case: k, re, im of n points. Amplitude = |re + i im|, phase
// = GesamtPhase; modified: amplitude k R^2 |chi| / N (points with k != 0),
// phase minus 2 R k, then the branch check: while 40 % or more of the
// points have the wrong sign, subtract pi/2; after PA_MAX_VIERTEL shifts
// the phase is kept as it was before the check (ZweigGefunden false).
void PhasenAmplitudenKomplex(const double* k, const double* re, const double* im, int32_t n,
                             const PA_EINSTELLUNG& e, PA_ERGEBNIS* r);

// A real curve y(k) declared an amplitude (art > 0): k y R^2 / N at k != 0;
// declared a phase (art < 0): y - 2 R k - pi, and - pi once more for an L2
// or L3 edge.
std::vector<double> PhasenAmplitudenReell(const double* k, const double* y, int32_t n,
                                          const PA_EINSTELLUNG& e, int32_t art);

// The history text of the command: window file name, result slot (1-4),
// the dialog values, the name of the last file written ("" when not
// saved), and for a complex input whether the branch check gave up.
std::string PhasenAmplitudenHistorie(const char* dateiName, int32_t slot, const double* dw,
                                     const std::string& gespeichert, bool zweigAufgegeben);

#endif
