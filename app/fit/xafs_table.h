// The column commands of the XAFS parameter table: whole columns of an
// EXAFS model (S0^2 first, then one FEFF path function per scattering
// path) fixed, constrained, tied or computed from the Debye-Waller models.
// Plain code on the working model, its tables and the path records.
#ifndef KORLAN_FIT_XAFS_TABLE_H
#define KORLAN_FIT_XAFS_TABLE_H

#include <cstdint>
#include <vector>

#include "fit/exafs_terms.h"

// Program-wide settings of the table (kept across openings).
extern int32_t DeltaRModus;     // 1 distances shown as shifts from Reff, -1 absolute
extern int32_t PotentialModus;  // counter of "POT" (1, 2, 3; -1 after "AVE")

const int32_t XAFS_ZEILEN = 10;  // functions a page

// Columns of a path function.
const int32_t SPALTE_N = 0, SPALTE_R = 1, SPALTE_SIGMA2 = 2, SPALTE_E0 = 3;

// Function f (1-based) of the working model is a FEFF path (21-24, also
// switched off); its record (f - 1) and its legs (0 without a record).
bool IstXafsPfad(int32_t f);
int32_t PfadBeine(int32_t f);
double PfadReff(int32_t f);

// Whether the table lists function f: function 1 always, paths of more
// than two legs only with `msPfade`.
bool XafsGelistet(int32_t f, bool msPfade);

// Sigma^2 of path f by the current Debye-Waller model (Einstein for 1,
// correlated Debye otherwise) at measurement temperature t from the
// characteristic temperature theta (clamped to 400 beyond 520 t).
double ModellSigma2(int32_t f, double t, double theta);

// The Fixed command of the table on parameter j: toggles the fixed bit
// with the free-list moves. Fixing the sigma^2 of the first or second path
// without bit 0x0020 while it holds a temperature (above 1.0) turns it into
// the model's sigma^2.
void XafsFestBefehl(int32_t j);

// The replacements made on opening (distances below 1.0 made absolute
// while DeltaRModus is negative, from `gespeichert`[5000 + k] of path k
// when that exceeds 1.0, else from Reff; a sigma^2 above 10.0 without the
// temperature bits turned into the model's sigma^2; while the Debye-Waller
// polynomial is in use, a single-scattering path whose sigma^2 lacks
// 0x2000 takes the kept polynomial of its Reff). `gespeichert` may be
// null.
void XafsOeffnen(const double* gespeichert);

// " Delta R": on, every distance of at least 1.0 becomes a shift from Reff
// (a distance below 1.0 takes the stored one minus Reff when that exceeds
// 1.0); off, Reff is added to every distance below 1.0.
void DeltaRUmschalten(bool an, const double* gespeichert);

// "Calc." and "Corr.": the model becomes Debye when none is chosen; every
// path's sigma^2 becomes the model's value. With `korrelieren` the first
// path holds the characteristic temperature itself and bit 0x0008 is
// toggled on every path's sigma^2. Both temperatures are taken.
void TemperaturModellRechnen(bool korrelieren, double t, double theta);

// "Fix all" for column c of every path.
void SpalteFesthalten(int32_t c);
// Column "Constrain": every path parameter of column c that is neither
// fixed nor constrained gets the bounds; a top of 9999 makes each
// parameter's own value its upper bound. False (nothing done) when top is
// below bottom.
bool SpalteEinschraenken(int32_t c, double unten, double oben);
// "Fix": every parameter, neither fixed nor correlated, of each path whose
// weight is below `grenze`.
void NachGewichtFesthalten(double grenze);
// "Copy": value into column c of every path.
void SpalteKopieren(int32_t c, double wert);
// "MS" (559): toggles 0x0800 on the first parameter of every path of more
// than two legs.
void MsPfadeMarkieren();
// "MS" (650): distances of paths with more than two legs derived (0x0400)
// and fixed; distances below 1.0 made absolute first while DeltaRModus is
// negative.
void MsAbstaendeAbleiten();
// Nonzero once the table was left with the cluster bit on the distance of
// the model's third-last function: "xyz" then takes the coefficients kept
// in path record 0.
extern int32_t ClusterTabelleInGebrauch;
// "xyz" (552): toggles the cluster bit on the distance of every path; for
// the last three functions a distance above 1.0 becomes the matching
// coefficient of path record 0 while the cluster table is in use, else 0;
// every path distance is fixed but those of the last functions that the
// number of FEFF data sets keeps free (the last two below 1, the last one
// at 2); DeltaRModus becomes -1.
void ClusterUmschalten(int32_t feffSaetze);
// When the table is left: the cluster table is in use when the distance
// of the third-last function has the cluster bit.
void ClusterTabelleMerken();
// "AVE" for sigma^2 (553): temperatures above 1.0 turned into sigma^2 on
// every path (unless the first path's sigma^2 has 0x0008), then "POT".
void SigmaMittelAlle();
// "POT" for sigma^2 (555): advances PotentialModus and ties the sigma^2 of
// the paths per scattering potential; `anfang` holds the values at opening.
void SigmaProPotential(const double* anfang);
// The Debye-Waller polynomial's "Corr." of degree `grad` (nothing done and
// false unless 0 <= grad <= 3): the degree is taken, every path's sigma^2
// gets 0x2000; per scattering potential (0 .. 19) the first grad + 1
// single-scattering paths keep their sigma^2 free as the coefficients of
// orders 0 .. grad: order 0 keeps its value while the polynomial is not in
// use (a characteristic temperature above 1.0 turned into the model's
// sigma^2), the others take 0, or, while it is in use, the kept coefficient
// of every order the previous degree had. Every other path's sigma^2 is
// fixed. Single-scattering paths lose the temperature bits 0x0008 and
// 0x0020.
bool DwPolynomKorrelieren(int32_t grad);
// On leaving the table: the polynomial is in use when the first path's
// sigma^2 has 0x2000.
void XafsTabelleBeendet();

// "POT" for E0 (554) and "AVE" for E0 (651).
void E0ProPotential();
void E0Mitteln();

#endif
