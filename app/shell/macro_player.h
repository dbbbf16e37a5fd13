// The recorder's and the player's copying between a macro record and the
// command globals: which value goes where, and in which order. Plain code
// on arrays of stated size; the button bar owns the file and the windows.
#ifndef KORLAN_SHELL_MAKRO_KERN_H
#define KORLAN_SHELL_MAKRO_KERN_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "shell/macro_file.h"

// Sizes of the blocks the player writes into.
const int32_t MAKRO_PARAMETER_BLOCK = 35000;   // a window's parameter block (doubles)
const int32_t MAKRO_TABELLEN_RUECKSETZEN = 1199;  // table entries reset by other commands
const int32_t MAKRO_COMMANDTEXT_KAPAZITAET = 60000;

// Where a replayed record goes. Every pointer must be set; the blocks hold
// at least the sizes named.
struct MakroZiele {
    double* DialogWerte;            // MAKRO_DIALOGWERTE
    double* FitParameter;           // MAKRO_PARAMETER_BLOCK
    int32_t* FunktionsTypen;        // MAKRO_MAX_FUNKTIONEN
    int32_t* FunktionsAnzahl;       // FitFunctionCount
    int32_t* PolynomGrad;           // FitPolyDegree
    int32_t* MaxParameter;
    int32_t* MaxFitParameter;
    int32_t* FreieParameter;        // MAKRO_MAX_PARAMETER
    int32_t* Flags;                 // MAKRO_MAX_PARAMETER or more
    int32_t* KorrelationsWorte;
    double* KorrelationsKonstanten;
    char* Text;                     // CommandText, MAKRO_COMMANDTEXT_KAPAZITAET
    char* Text2;                    // CommandText2, MAKRO_TEXT_KAPAZITAET
};

// What the player remembers from one step to the next.
struct MakroSpielZustand {
    int32_t VorigerBefehl = 0;
    int32_t VorigeFunktionsAnzahl = 0;
    bool FitGespielt = false;       // a fit record has been replayed
};

// Puts one record into the globals before its step runs: dialog values,
// fit parameters (unless the replay rule passes them over), the model, the
// tables of a fit or their reset, and the tails' texts. Sets the
// fit-replayed flag for 507, 807 and 844. Returns true when the record's
// fit parameters were taken.
bool MakroSatzAnwenden(const MakroSatz& s, const MakroZiele& z, MakroSpielZustand& zustand);

// After the step: the command and the function count become "previous".
void MakroSchrittGemerkt(const MakroSatz& s, int32_t funktionsAnzahl, MakroSpielZustand& zustand);

// Per-column coefficients of a FEFF refinement (807 whose first model
// function has type 25) replayed on one column of a series: when the
// record has 2 to 5 sets and bit 0 of its first set flag word is set, the
// line of "mfeffcoeff.par" (text of laenge bytes; its first line, the
// name of the series file, is passed over) whose leading integer minus 1
// equals spalte gives the set weights c1..cS ("k c1 ... cS"). They
// replace the last S parameters of the model (FitParameter[MaxParameter -
// S + j]) and go to *koeffizienten. Every parameter of a model function of
// a set with c below 0.05 (counting functions from 0, the type-25 one,
// path function k + 1 belongs to set Feff.SatzNummern[k]; as many
// parameters as path function 1 has) that is
// not fixed becomes fixed and, unless it is correlated with a word of 0 or
// more, toggles bit 0x8000 and leaves the free-parameter list (its last
// free entry takes the place, MaxFitParameter goes down by one). Returns
// S, or 0 when the record, the file or its line gives no coefficients
// (then nothing changes).
int32_t MakroSpaltenKoeffizienten(const MakroSatz& s, const char* text, size_t laenge, int32_t spalte,
                                  const MakroZiele& z, std::vector<double>* koeffizienten);
// The same on the file at pfad; 0 when it cannot be read.
int32_t MakroSpaltenKoeffizientenDatei(const MakroSatz& s, const std::string& pfad, int32_t spalte,
                                       const MakroZiele& z, std::vector<double>* koeffizienten);

// What the recorder reads. Pointers to tables may be null only when the
// command does not need them.
struct MakroQuellen {
    const double* DialogWerte;
    const double* FitParameter;
    const int32_t* FunktionsTypen;
    int32_t FunktionsAnzahl;
    int32_t PolynomGrad;
    int32_t MaxParameter;
    int32_t MaxFitParameter;
    const int32_t* FreieParameter;
    const int32_t* Flags;
    const int32_t* KorrelationsWorte;
    const double* KorrelationsKonstanten;
    const char* Text2;              // CommandText2
};

// Builds the record of one finished command (id, n dialog values, last
// parameter index L, as the handlers call the recorder). Returns
// MAKRO_SATZ, or MAKRO_UNGUELTIG when a block the record needs is missing.
int32_t MakroSatzAufnehmen(MakroSatz& s, int32_t befehl, int32_t n, int32_t letzter,
                           const MakroQuellen& q);

#endif
