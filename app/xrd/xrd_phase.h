// The XRD phase records: crystal system, lattice constants, reflections,
// line widths and the switches of the structure fit. Record 0 also holds
// the settings of the whole fit (phases, background, zero shift, K-alpha
// wavelengths, cut-off and doublets).
#ifndef KORLAN_XRD_PHASE_H
#define KORLAN_XRD_PHASE_H

#include <cstdint>

const int32_t XRD_PHASE_RECORDS = 5;
const int32_t XRD_REFLECTIONS = 50;

struct XrdPhase {
    int32_t Kristallsystem;          // 0 cubic, 1 tetragonal, 2 hexagonal, 3 orthorhombic,
                                     // 4 monoclinic, 5 triclinic
    int32_t Reflexe;                 // reflections read from the hkl file, -1 none yet
    int32_t Profil;                  // 0 Gaussian, 1 Lorentzian, 2 pseudo-Voigt
    int32_t Phasen;                  // number of phases 1-5 (record 0)
    int32_t UntergrundGrad;          // background polynomial degree (record 0)
    int32_t H[XRD_REFLECTIONS];      // Miller indices of reflection m
    int32_t K[XRD_REFLECTIONS];
    int32_t L[XRD_REFLECTIONS];
    int32_t Breitengesetz;           // 0 none, 1 Caglioti, 2 and 3 quadratic in 2 theta
    int32_t Untergrund;              // background kind (record 0)
    double Gitter[6];                // a, b, c (Angstrom), alpha, beta, gamma (degrees)
    double Abschneidefaktor;         // cut-off distance in line widths (record 0)
    double Nullpunkt;                // zero shift, written back by the evaluator (record 0)
    double UVW[3];                   // written back by the evaluator
    double KAlpha[2];                // K-alpha1, K-alpha2 in pm (record 0)
    int32_t NullpunktFrei;           // refine the zero shift (record 0)
    int32_t KAlphaAufspaltung;       // K-alpha2 doublets (record 0)
    int32_t Abschneiden;             // cut lines off far from x (record 0)
};

extern XrdPhase XrdPhaseTable[XRD_PHASE_RECORDS];

// Gives all five records their start-up defaults (record 4 too: a
// zero-filled record would hold a cell of no volume).
void XrdPhasenVorgaben();

#endif
