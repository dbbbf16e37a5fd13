// The FEFF path dialogs FEFF_FIT and FEFF_MULTIPLE_DETAILS, and the path
// list services that the EXAFS set-up EXAFSFIT shares with them (list 37
// of a files.dat's rows with its filters, list 102 of the chosen paths in
// records 1.. of FeffPfade).
#ifndef KORLAN_XAS_FEFF_FIT_DIALOG_WIN_H
#define KORLAN_XAS_FEFF_FIT_DIALOG_WIN_H

#include <windows.h>

#include <cstdint>
#include <vector>

#include "xas/feff_fit_dialog.h"
#include "xas/feff_path.h"

// The filters of FEFF_FIT (amplitude ratio percent, legs), kept between
// openings.
extern double FeffFitFilter;
extern int32_t FeffFitBeine;
// Paths chosen for each of several FEFF calculations (index 1-4).
extern int32_t FeffSatzPfade[FEFF_MAX_SAETZE + 1];

// The file-name dialog the path dialogs open (FileDialog; tests answer it
// with their own).
typedef int32_t (*FEFF_DATEIWAHL)(HWND owner, char* pfad, char* titel, int32_t art, int32_t oeffnen);
extern FEFF_DATEIWAHL FeffDateiWahl;

INT_PTR CALLBACK FeffFitProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FeffMultipleDetailsProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

// ---- shared with EXAFSFIT ----
// Lists the files.dat of CommandText with the filter edits (566, 59) and
// "All SS" (140), selects all rows and shows the counts; the listing's
// result (1, or -1 when the file cannot be listed).
int32_t FeffZeilenNeu(HWND dlg);
// Total (573) and selected (582) rows of list 37.
void FeffZaehler(HWND dlg);
// A spin of the filters (scroll bar 301 or 302, +1 / -1): the edit
// changed within its limits; false at a limit.
bool FeffFilterSpin(HWND dlg, int spin, int32_t schritt);
// The largest total of paths of type pfadTyp that the model's other
// functions (basisTypen) and zusatz further parameters leave room for.
int32_t FeffMaxPfade(const std::vector<int32_t>& basisTypen, int32_t pfadTyp, int32_t zusatz);
// Transfers the selected rows of list 37 into list 102 and records
// *gewaehlt + 1.. (row index, path number, data set, CommandText as the
// files.dat, the row's text), at most maxPfade paths in all; a transfer
// stopped by a limit says so in a message box. The number transferred.
int32_t FeffUebernehmen(HWND dlg, int32_t* gewaehlt, int32_t satz, int32_t maxPfade);
// Removes chosen path `zeile` (row of list 102, record zeile + 1); the
// records behind move up. False when there is no such row.
bool FeffPfadEntfernen(HWND dlg, int32_t zeile, int32_t* gewaehlt);

// The records 0-100 as they are, to be put back on Cancel (table
// pointers included: the dialogs never free nor allocate tables of these
// records).
std::vector<unsigned char> FeffPfadeSichern();
void FeffPfadeZurueck(const std::vector<unsigned char>& s);

#endif
