// The application object and the main window.
#ifndef KORLAN_HAUPT_FENSTER_H
#define KORLAN_HAUPT_FENSTER_H

#include <windows.h>

// Registers the main window class and creates the main window; returns its
// handle or null.
HWND CreateMainWindow(HINSTANCE instance, int show);
// Runs the message loop until the main window is destroyed.
int RunMessageLoop();

#endif
