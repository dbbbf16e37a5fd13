// Helpers that dialog procedures all over the program share.
#ifndef KORLAN_DIALOG_HILFEN_H
#define KORLAN_DIALOG_HILFEN_H

#include <windows.h>

#include <cstdint>

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

#endif
