// Helpers that dialog procedures all over the program share.
#ifndef KORLAN_DIALOG_HILFEN_H
#define KORLAN_DIALOG_HILFEN_H

#include <windows.h>

#include <cstdint>
#include <string>

// Moves a window so that its centre is the screen's centre (screen size
// from the display's device capabilities), keeping its size and z-order,
// and shows it.
void CenterDialog(HWND fenster);

// Shows the help text of a topic (normally a command number) in the help
// viewer NUMERIC_HELP (shell/help_viewer_win.cpp).
void ZeigeHilfe(int32_t thema);

// Answer of a dialog procedure to its help button (command 160): shows
// topic `thema` with HilfeThema set to it and restores HilfeThema.
void DialogHilfe(int32_t thema);

// Reading and showing the values of option dialogs. A number is read with
// the usual decimal conversion; text that is no number reads as 0.
double DialogZahl(HWND dlg, int id);
int32_t DialogGanzzahl(HWND dlg, int id);
// Shows a number with a printf format ("%G", "%.8G", "%d" for whole ones).
void ZeigeDialogZahl(HWND dlg, int id, double wert, const char* format = "%G");
bool DialogKreuz(HWND dlg, int id);
void SetzeDialogKreuz(HWND dlg, int id, bool an);
// An "Error !!" box about a field whose value was refused; the field gets
// the focus with its text selected, so that the user corrects it.
void DialogFeldFehler(HWND dlg, int id, const char* text);
// The whole text of a control, however long.
std::string DialogText(HWND dlg, int id);
// The module whose resources the dialogs use.
HINSTANCE ProgrammModul();

#endif
