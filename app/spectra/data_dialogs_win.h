// Dialog procedures of the data commands and of the graphic window's
// combine command. Each is opened modally with DialogBoxParamA on the
// template of the same name (app/resources/spectra_dialogs.rc); the
// values come back in HAUPTDATEN.DialogWerte (DW below), in the result and
// in the records named. Every dialog works on the graphic window that is
// AktivesFenster when it opens. OK ends with the result given, Cancel with
// 0 (COPYFELD: -1), and DialogWerte is written only on OK (and by Apply).
#ifndef KORLAN_DATA_DIALOGS_WIN_H
#define KORLAN_DATA_DIALOGS_WIN_H

#include <windows.h>

#include <cstdint>

// COPYFELD: 10 window + slot of the chosen curve, -1 for none or Cancel.
INT_PTR CALLBACK CopyFeldProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
// TAKEFELD: 11 for "Original", 1..4 for the chosen slot + 1.
// DW[1] from, DW[2] to.
INT_PTR CALLBACK TakeFeldProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
// FUNCFELD: the number of points (2 or more). DW[0] the same, DW[1] the
// single model function (1..FitFunctionCount) or -1 for all. Loads the
// FitModell globals from the window when it opens.
INT_PTR CALLBACK FuncFeldProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
// GET_FILE_INFORMATION: 1. Sets the window's DateiInfo.XSpalte and
// YSpalte; DW[1] 0 none, 1 sample spectrum, 2 DXAS I01 / I02 interpolation.
INT_PTR CALLBACK GetFileInformationProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
// SPEKTRENSHIFT: the function code 220-227. DW[0] the same, DW[1] factor,
// DW[2] constant, DW[3] combination 1-4, DW[4] operand (0 none, 1..columns,
// 101.. slot + 101, 1000 model function, -1 external function), DW[5]
// second factor, DW[6] second constant, DW[7] second function code.
INT_PTR CALLBACK SpektrenShiftProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
// ABZISSENSHIFT: the code 220-229, plus 1000 " with Y axis". DW[0] the
// same, DW[1] factor, DW[2] constant, DW[3] -1 external function, else 1.
INT_PTR CALLBACK AbzissenShiftProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
// NOISEGENERATOR: 1. DW[0] the level (above 0). Opened with HilfeThema 10
// it asks for a multiple-column file name instead and puts it into
// CommandText.
INT_PTR CALLBACK NoiseGeneratorProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
// COMBINE_GRAFIK: 1 no displacement, 11..14 slightly, medium, strong,
// value (DW[1] the value); 0 for Cancel or fewer than two curves. Writes
// the window's combine list (KombiAnzahl, KombiListe), with a "Multi" or
// " User defined" box its multiplot list and MultiplotAktiv (and hands the
// list to Plotter), with " Pseudo-3D-Effekt" Modus3D and ZBereich.
INT_PTR CALLBACK CombineGrafikDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
// USERSTYLE: 1 on OK and on Cancel. OK stores the style words of the 16
// curves into the window's MultiplotListe and the colours of curves 1-12
// into HAUPTDATEN.Farbpalette; Cancel stores nothing.
INT_PTR CALLBACK UserStyleProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
// CLIPBOARDFORMAT: 1 on OK, 0 on Cancel (the copy command stops then).
// Sets HAUPTDATEN.AlsMetafile, KopierGroesse (0-2 when a size class is
// checked) and DW[0], DW[1] (see KopierMasse).
INT_PTR CALLBACK ClipboardFormatProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

// The Apply button of SPEKTRENSHIFT (befehl 607) and ABZISSENSHIFT (608):
// DialogWerte holds the values as after OK; the hook runs the arithmetic on
// window `fenster`, redraws it and records the step. While it is null the
// Apply buttons are disabled.
typedef void (*DATEN_ANWENDEN)(int32_t befehl, int32_t fenster);
extern DATEN_ANWENDEN DatenAnwenden;

#endif
