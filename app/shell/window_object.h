// What every window object of the program has: its message block and the
// window it belongs to.
#ifndef KORLAN_KIND_FENSTER_BASIS_H
#define KORLAN_KIND_FENSTER_BASIS_H

#include <windows.h>

#include "shell/haupt_fenster.h"

class fenster_objekt {
public:
    MELDUNGSBLOCK Meldungsblock = {};
    HWND Fenster = nullptr;
};

#endif
