// Printing and printer set-up: the default printer's device context, the
// print routine of the application object (haupt_fenster::PrintGrafik),
// its abort dialog and abort procedure, and the dialog PRINTERSETUP
// (command 169).
#ifndef KORLAN_PRINTING_WIN_H
#define KORLAN_PRINTING_WIN_H

#include <windows.h>

#include <cstdint>

// A device context of the default printer ("device" of the profile section
// "windows": name, driver, port). Without one: "No printer installed !"
// (not while a macro plays) and null. The caller deletes the context.
HDC GetPrinterDC();

// The print options dialog an interactive print runs first (PRINTOPT,
// owned by the main window); it returns the button that ended it. While it
// is not set, a print takes the stored options as they are.
typedef INT_PTR (*DRUCK_OPTIONEN)(HWND besitzer);
extern DRUCK_OPTIONEN DruckOptionenDialog;

// The abort procedure of a print job and the two dialog procedures.
BOOL CALLBACK PrintAbortProc(HDC dc, int code);
INT_PTR CALLBACK AbortPrintingProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PrinterSetupProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

// The print command of a graphic window (122): its graph on the default
// printer, the page size and text metrics of the printer. Returns the
// result of PrintGrafik, 0 without a printer.
int32_t DruckeGrafikFenster();
// The print command of the results window (122): the text shown (at most
// 50,000 characters) as lines on the default printer.
int32_t DruckeErgebnisText(const char* text);

// The printer chosen in PRINTERSETUP ("" before the first OK).
const char* GewaehlterDrucker();

// The abort dialog of the running job, null when there is none.
HWND DruckAbbruchDialog();

#endif
