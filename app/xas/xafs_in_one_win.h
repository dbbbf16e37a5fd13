// The XAFS-in-one dialog XAFSINONE (852).
#ifndef KORLAN_XAFS_IN_ONE_WIN_H
#define KORLAN_XAFS_IN_ONE_WIN_H

#include <windows.h>

#include <cstdint>

class haupt_fenster;

// Stores a message in the application object's message block, as the
// dispatcher would before it runs MenueBefehl. Returns 1.
int32_t SetMainCommand(haupt_fenster* app, UINT msg, WPARAM wParam, LPARAM lParam);

// The dialog procedure of XAFSINONE; OK ends with 1, Cancel with 0.
INT_PTR CALLBACK XafsInOneProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

// Forgets the results the dialog keeps between openings.
void XafsInOneVergessen();

#endif
