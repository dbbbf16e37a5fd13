// Command globals of the program: the values that every command handler
// shares with the dispatcher, the dialogs and the macro player.
#ifndef KORLAN_SHELL_GLOBALS_H
#define KORLAN_SHELL_GLOBALS_H

#include <windows.h>
#include <cstdint>

#include "vantor.h"
#include "zelva.h"
#include "fit/fit_model.h"
#include "shell/options_file.h"
#include "xrd/xrd_phase.h"

// The one numerics object and the one plotting object.
extern feld_plot Plotter;
extern def_zelva Numerik;

// Graphic windows: index 0-3 of the active one (-1 = none) and how many are
// open. The records themselves (GrafikFenster) belong to the graphic
// window's own files.
extern int32_t AktivesFenster;
extern int32_t AnzahlFenster;

// Shared texts and numbers of the current command (global-heap blocks
// allocated by the main window's creation).
extern double* CommandArgs;   // 35,000 doubles
extern char* CommandText;     // 60,000 bytes
extern char* StatusText;      // 60,000 bytes
extern char* CommandText2;    // 5,000 bytes
extern char* CommandText3;    // 10,000 bytes
const int32_t COMMAND_TEXT_BYTES = 60000;
const int32_t STATUS_TEXT_BYTES = 60000;
const int32_t COMMAND_TEXT2_BYTES = 5000;
const int32_t COMMAND_TEXT3_BYTES = 10000;
const int32_t WORK_DOUBLES = 35000;  // length of a shared work array

// Pending error: a string id 101-118 shown by timer 5; 1000 tells the
// macro player that the macro does not fit the window.
extern int32_t FehlerCode;
extern int32_t HilfeThema;
extern int32_t MakroRunning;
extern int32_t RedrawPerMessage;

// Windows among which command 38 cycles.
const int MODELESS_COUNT = 6;
extern HWND ModelessList[MODELESS_COUNT];
extern HWND AendernDialog;
extern HWND AssistentDialog;
extern int32_t KonfidenzFrage;

// McMaster table; a first value of 6666.0 means it is not loaded.
extern double* McMasterTable;
const double MCMASTER_NOT_LOADED = 6666.0;

// Shared work arrays of the analysis commands (35,000 doubles each unless
// said), allocated zero-filled at start-up.
extern double* FitStartWerte;
extern double* FitArbeitsFeld;
extern double* FitResiduen;
extern double* FitDifferenzen;
extern double* BefehlsFelder[2];
extern double* ArbeitsFelder[9];
extern double* ArbeitsSatz1[4];
extern double* ArbeitsSatz2[4];

extern EXAFS_OPTIONEN ExafsOptionen;

// Loads "mucal.dat" of the program folder into McMasterTable (xas/mcmaster.h).
// Returns 1 when the whole table was read; 0 when the file is missing, foreign
// or damaged, and the table is then left as it was.
int32_t ReadMucal(int32_t modus);

// Fills the menu state of graphic window 0-3 from its record; false when
// the window holds nothing. Set by the graphic window's code; while it is
// null the menus treat every window as empty.
struct MENUE_ZUSTAND;
typedef bool (*MENUE_ZUSTAND_LESER)(int32_t fenster, MENUE_ZUSTAND* zustand);
extern MENUE_ZUSTAND_LESER MenueZustandLeser;

// Message boxes of the shell go through this pointer so that tests can
// answer them.
typedef int (WINAPI *MELDUNGSBOX)(HWND, LPCSTR, LPCSTR, UINT);
extern MELDUNGSBOX MeldungsBox;

// Shows string id in an "Error !!" box at once and clears FehlerCode.
void FehlerMeldung(int32_t id);

// Modeless list: add into the first free entry (a full list stores nothing),
// remove (an unlisted handle changes nothing).
void AddModeless(HWND handle);
void RemoveModeless(HWND handle);

#endif
