// Command 833, "Calculate Spectra (I0/I1)...": the dialog CALCDEXSPEC and
// the run on the files it names (dex_spectra.h).
#ifndef KORLAN_DEX_SPECTRA_WIN_H
#define KORLAN_DEX_SPECTRA_WIN_H

#include <windows.h>

#include <cstdint>

// The file-open dialog of the browse buttons; tests answer it.
typedef BOOL(WINAPI* DEX_DATEIDIALOG)(OPENFILENAMEA*);
extern DEX_DATEIDIALOG DexDateiDialog;

// Dialog procedure of CALCDEXSPEC: 1 after OK (the paths joined in
// CommandText, the options in DialogWerte[0..2]), 0 after Cancel.
INT_PTR CALLBACK CalcDexSpecProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

// Runs 833 on the active graphic window: the dialog (unless lParam is 2,
// when CommandText and DialogWerte hold its values), the files, and the
// last spectrum into a new curve slot. Returns its point count, 0 when the
// dialog was cancelled or no spectrum was computed.
int32_t BerechneDexSpektren(int32_t modus);

// The handler of 833: a nonzero count becomes the current slot's, with
// full borders, the status and a redraw.
void DexSpektrenBefehl();

#endif
