// Fit, file and EXAFS options and the default font profiles: how the
// dialogs map their controls to the stored values, without any window.
#ifndef KORLAN_OPTION_DIALOGS_H
#define KORLAN_OPTION_DIALOGS_H

#include <cstdint>

#include "shell/settings.h"

// Confidence level of the confidence limits: a value outside 0..1 becomes
// 0.95; 0 and 1 themselves are kept.
double KonfidenzAusEingabe(double wert);
const double KONFIDENZ_VORGABE = 0.95;

// Re-new mode of the fit run: 0 "no re-new" (first word 1), 1 "automatic
// re-new" (second word 1), 2 "iteration stop" (both 0).
int32_t FitErneuerungWahl(const int32_t woerter[2]);
void FitErneuerungAusWahl(int32_t wahl, int32_t woerter[2]);

// The six entries of the weighting list, in the order of the weighting
// modes 1-6 (the last two end in the Windows-1252 superscripts 2 and 3).
extern const char* const WICHTUNG_TEXTE[6];

// k-point radios: 0 for 512, 1 for 1024, 2 for any other count; and back.
int32_t KPunkteWahl(int32_t kPunkte);
int32_t KPunkteAusWahl(int32_t wahl);

// The raw-data energy range in keV is taken (and "xas_E-range.ins"
// written) only above this value.
const double ENERGIE_BEREICH_MIN = 0.5;
bool EnergieBereichNehmen(double keV);
// The lower end the dialog shows for a range: a tenth of it.
double EnergieBereichVon(double keV);

// Largest browser path the file options take (the edit's limit).
const int32_t BROWSER_EINGABE = 199;

// Autosave period in seconds the file options accept.
const int32_t SICHERUNG_MIN = 10, SICHERUNG_MAX = 24 * 3600;

// Checks the values typed for one profile of DEFAULTFONT (indexes 1-8):
// heights 1..59 (the reader keeps no profile outside that range), pen
// widths 1..20. Returns 0 when all are usable, else the index of the
// first unusable value.
int32_t SchriftProfilFehler(const int32_t werte[15]);
const int32_t STIFT_BREITE_MAX = 20;

#endif
