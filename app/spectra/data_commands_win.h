// The data commands of the graphic windows (601-627): the arithmetic on
// the windows' curve slots that other subsystems call too, the entry
// points of the series subsystem that some of the commands hand over to,
// and the hooks through which tests answer the file and picture steps.
#ifndef KORLAN_SPECTRA_EDIT_BEFEHL_H
#define KORLAN_SPECTRA_EDIT_BEFEHL_H

#include <windows.h>
#include <commdlg.h>

#include <cstdint>

struct DateiInfo;

// Ordinate arithmetic on a curve of a graphic window, in place: factor,
// constant and function (220-227) on the operand, and with an operand mode
// other than 0 the combination (1 +, 2 -, 3 *, 4 /) of the curve with it.
// Modes: 0 the curve's own y; below 0 the own y through the external
// function (the application's model callback); 1..100 the file column of
// that number (info, or the window's own file information when null);
// 101..104 the curve slot mode - 101 of the same window; 1000 the model
// function at the curve's x. Window code and slot code both above 9 choose
// window (code - 10) and slot (code - 10); otherwise the active window's
// current slot. Returns 1, or 0 when nothing changed (no curve, a column
// that cannot be read, an invalid mode or combination).
int32_t SpektrenShift(double factor, double constant, int32_t code, int32_t mode = 0,
                      int32_t combination = 0, int32_t fensterCode = 0, int32_t slotCode = 0,
                      const DateiInfo* info = nullptr);

// Abscissa arithmetic on the active window's current slot: factor,
// constant, function (code - 1000 above 999, y follows every reordering),
// a negative code for the external function, then a descending axis is
// turned round; 228 and 229 sort. Returns 1, or 0 when there is no curve.
int32_t AbzissenShift(double factor, double constant, int32_t code);

// The Apply buttons of the two arithmetic dialogs (DATEN_ANWENDEN): runs
// 607 or 608 from DialogWerte on window fenster, redraws it and records
// the step while a macro is being recorded.
void EditAnwenden(int32_t befehl, int32_t fenster);

// The file dialog of 611 ("*.WMF") and of the text exports 621 and 622;
// tests answer it in place of the user.
typedef BOOL (WINAPI *EDIT_DATEIDIALOG)(LPOPENFILENAMEA);
extern EDIT_DATEIDIALOG EditDateiDialog;

// Reference device of the clipboard picture: the default printer, or null
// when there is none (the picture then takes the screen's measures).
typedef HDC (*EDIT_DRUCKER_DC)();
extern EDIT_DRUCKER_DC EditDruckerDC;
HDC StandardDruckerDC();

// Entry points of other subsystems that some of the commands hand over to:
// the series commands (app/series/series_commands_win.cpp), the section and polynomial dialogs of the
// XAS subsystem (app/xas/xas_commands_win.cpp) and the fit's modeless
// parameter dialog (app/fit/fit_commands_win.cpp). Until those are built,
// each answers through NichtVerfuegbar (shell/dispatcher.h) and returns 0.
int32_t AddToMultiColumnFile(int32_t modus);          // 612
int32_t AverageOrCreateMcFile(int32_t befehl);        // 623, 624
int32_t McFileToAscii(int32_t modus);                 // 625
int32_t ExtractMcFile(int32_t befehl);                // 626, 627
// The section dialog of the XAS subsystem (SET_BORDER): writes the
// borders into DialogWerte, returns 0 for Cancel.
int32_t SektionsDialog(int32_t befehl);
// The polynomial degree dialog (GETPOLYGRAD): the degree + 1, 0 for Cancel.
int32_t PolynomGradDialog();
// The modeless parameter dialog "Change" (614).
int32_t AendernDialogOeffnen();

#endif
