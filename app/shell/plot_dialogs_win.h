// The plot option dialogs: OPTIONEN_GRAFIK (112) with SETBARSTYLE, FONTS,
// CHOOSECOLOR (the graphic window's colour command) and PRINTOPT (113).
// CLIPBOARDFORMAT lives with the copy command (spectra/data_dialogs_win.cpp).
#ifndef KORLAN_PLOT_DIALOGS_WIN_H
#define KORLAN_PLOT_DIALOGS_WIN_H

#include <windows.h>

#include <cstdint>

INT_PTR CALLBACK OptionenGrafikProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
// Ends with the hatch chosen (0-4); lParam of its opening is the hatch shown.
INT_PTR CALLBACK SetBarStyleProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FontsProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ChooseColorProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PrintOptProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

// Page width and height in pixels of the printer PRINTOPT shows sizes for;
// false without a printer (its lookup has said so). Tests set their own.
typedef bool (*DRUCKER_SEITE)(int32_t* breite, int32_t* hoehe);
extern DRUCKER_SEITE DruckerSeite;

// Command 112: OPTIONEN_GRAFIK on the active graphic window, then a redraw.
// Command 113: PRINTOPT. The colour command of a graphic window: CHOOSECOLOR.
// Each returns the dialog's result (1 OK, 0 Cancel or no window).
int32_t GrafikOptionen();
int32_t DruckOptionen();
int32_t FarbWahl();
// PRINTOPT owned by besitzer before an interactive print: IDOK or IDCANCEL
// (the print runs with the options stored, or not at all).
INT_PTR DruckOptionenVorDruck(HWND besitzer);

#endif
