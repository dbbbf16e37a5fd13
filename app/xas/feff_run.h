// The FEFF input "feff.inp" as the Run FEFF dialog changes and shows it:
// the shift of the atom cluster, the absorber that is not at the origin,
// the "feff.xyz" picture of the cluster for the viewer and the FEFF folder
// taken from the dialog's path. Plain code (feff_run_core.cpp) on texts.
#ifndef KORLAN_XAS_FEFF_RUN_H
#define KORLAN_XAS_FEFF_RUN_H

#include <cstdint>
#include <string>

#include "xas/feff_path.h"

// One atom line "x y z ipot [tag [distance]]"; false for a line without
// four leading numbers (comments, cards).
struct FeffAtom {
    double X = 0.0, Y = 0.0, Z = 0.0, Ipot = 0.0;
    std::string Tag;
    bool MitTag = false, MitAbstand = false;
    double Abstand = 0.0;
};
bool LeseFeffAtom(const std::string& zeile, FeffAtom* atom);

// The input with every atom line between the line holding "ATOMS" and the
// one holding "END" moved by -(sx, sy, sz) and written in the line format
// "  % -14.6G % -14.6G % -14.6G  %d    %-5s  % -14.6G" (the distance column
// keeps its value). Every other line, comments among the atoms and what
// follows "END" included, passes unchanged with its own line end.
std::string SchiebeFeffCluster(const std::string& text, double sx, double sy, double sz);

// The same on the file inp: the original is kept byte for byte in bak, the
// shifted text goes to inp + ".tmp" and then takes inp's place. 1 when
// done; 0 when inp cannot be read (nothing is written); -1 when the backup
// or the new text could not be written (inp is then unchanged).
int32_t SchiebeFeffDatei(const std::string& inp, const std::string& bak, double sx, double sy, double sz);

// The whole file as it is on disk; false when it cannot be read.
bool FeffDateiLesen(const std::string& pfad, std::string* text);

// The last atom line with ipot 0 and a coordinate other than 0; false when
// the absorber is at the origin or there is none.
bool FeffAbsorberVersatz(const std::string& text, double* x, double* y, double* z);

// "feff.xyz": the number of atoms written, the "TITLE" line, one line
// "%2s  %f   %f   %f" per atom within rmax of the origin (with quadrant
// only y >= 0 and z >= 0); symbols by the Z of the atom's potential (the
// first 10 potentials). *anzahl gets the number of atoms written.
std::string FeffXyz(const std::string& text, double rmax, bool quadrant, int32_t* anzahl);

// The FEFF folder of the dialog's path: up to its last backslash (without
// it). False, with *ordner untouched, for a path without a backslash or a
// folder longer than maxLaenge characters.
bool FeffOrdnerAusPfad(const std::string& pfad, std::size_t maxLaenge, std::string* ordner);

// ---- the triangle-angle change ----

// The turn that puts a path's first scatterer P = (X, Y, Z) on the positive
// x axis: about the x axis by a1 (the angle of (Y, Z) from +y towards +z),
// then about the z axis by a2, both in 0..2 pi. False when Y and Z are both
// 0 (the cluster is then not turned).
struct FeffDrehung {
    double A1 = 0.0, A2 = 0.0;
};
bool FeffDrehungZu(double x, double y, double z, FeffDrehung* drehung);
void FeffDrehe(const FeffDrehung& d, double x, double y, double z, double* x2, double* y2, double* z2);

// A turned atom as it is written: coordinates below 0.001 in size become
// 0; false for an atom outside the quarter x >= 0, y >= 0 (in steps of
// 0.001, z not limited).
bool FeffViertelAtom(double* x, double* y, double* z);

// The angle shown for a path of absorber angle w: 2 (90 - w).
double FeffDiederWinkel(double absorberWinkel);
// The angle after a scroll step: a size of 360 or more becomes |a| - 360.
double FeffWinkelUmlauf(double winkel);

// The row of a FEFF run's "files.dat" for a changed three-leg path of
// length laenge (half the perimeter, from the coordinates as written): the
// three-leg row nearest to it within toleranz Angstrom (the first of equal
// ones). Its path number, with the row in *zeile; -1 when no three-leg row
// is that close.
int32_t FeffDreieckZeile(const std::string& filesDat, double laenge, double toleranz, FilesDatZeile* zeile);


// What the rewrite of "feff.inp" for a changed triangle angle needs of the
// path (record i of the model): its length, its first and second scatterer
// (position slots 0 and 1) and absorber (slot 2), the second scatterer's
// distance from the origin, the angle in degrees and whether this is the
// first run (CONTROL with all modules).
struct FeffWinkelAuftrag {
    bool ErsterLauf = true;
    double Reff = 0.0;
    double F[3] = {0.0, 0.0, 0.0}, S[3] = {0.0, 0.0, 0.0}, A[3] = {0.0, 0.0, 0.0};
    double D = 0.0;
    double Winkel = 0.0;
};
struct FeffWinkelErgebnis {
    std::string Text;                 // the new input
    double F[3] = {0.0, 0.0, 0.0};    // first and second scatterer as written
    double S[3] = {0.0, 0.0, 0.0};
    double Verschiebung = 0.0;        // of the second scatterer in y
    double Laenge = 0.0;              // (|F| + |S - F| + |A - S|) / 2
    bool Gedreht = false;             // the cluster was turned
};
// Result codes of FeffWinkelEingabe.
const int32_t FEFF_WINKEL_OK = 1;
const int32_t FEFF_WINKEL_OHNE_ERSTEN = -1;   // no atom within 1e-3 A of F
const int32_t FEFF_WINKEL_OHNE_ZWEITEN = -2;  // no atom within 1e-3 A of S

// The input for FEFF with the triangle's angle changed: the lines up to
// the one holding "ATOMS" with the cards CONTROL, RMAX (1.05 Reff),
// CRITERIA and NLEG replaced (the first line stays as it is), then the
// atoms up to 1.1 Reff from the origin, turned so that F lies on +x and
// kept in the quarter x >= 0, y >= 0 (the two scatterers always), the
// second scatterer moved in y by D / tan(angle / 2) (0 at 0 and 180
// degrees), written "   % -10.5f   % -10.5f   % -10.5f   %d", and " END".
// Lines without four numbers among the atoms are left out. When F has
// y = z = 0 the cluster is not turned and atom lines pass as they stand,
// but for the second scatterer. The length is formed from the positions
// as written.
int32_t FeffWinkelEingabe(const std::string& eingabe, const FeffWinkelAuftrag& a, FeffWinkelErgebnis& e);

#endif
