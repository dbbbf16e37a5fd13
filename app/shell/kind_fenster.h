// The window objects of the results, button-bar, progress and data-table
// classes. Each class forwards its messages to its one global object; until
// a window's own features are built its object answers every message the
// default way.
#ifndef KORLAN_KIND_FENSTER_H
#define KORLAN_KIND_FENSTER_H

#include <windows.h>
#include <cstdint>

#include "shell/haupt_fenster.h"

// What every window object of the program has: its message block and the
// dispatcher that fills it.
class fenster_objekt {
public:
    MELDUNGSBLOCK Meldungsblock = {};
    HWND Fenster = nullptr;
};

class results_fenster : public fenster_objekt {
public:
    int32_t ErgebnisLog = 1;     // append results to "results.dat"
    int32_t FensterIndex = -1;   // graphic window the results belong to
    int32_t Folgen = 0;
    int32_t Reserve[2] = {};
    LRESULT Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

class button_leiste : public fenster_objekt {
public:
    int32_t Worte[2] = {};
    LRESULT Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

class progress_fenster : public fenster_objekt {
public:
    int32_t Gezeigt = 0;
    int32_t Unterdrueckt = 0;
    LRESULT Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

class editor_fenster : public fenster_objekt {
public:
    int32_t Worte[2] = {};
    HMENU Kontextmenue = nullptr;
    LRESULT Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};

extern results_fenster ResultsWindow;
extern button_leiste ButtonBar;
extern progress_fenster ProgressWindow;
extern editor_fenster EditorWindow;

// Registration of the classes "results", "myButt", "progress", "myedit" and
// "paint"; false when the platform refuses.
bool RegisterResultsKlasse(HINSTANCE instanz);
bool RegisterButtonKlasse(HINSTANCE instanz);
bool RegisterProgressKlasse(HINSTANCE instanz);
bool RegisterEditKlasse(HINSTANCE instanz);
bool RegisterGrafikKlasse(HINSTANCE instanz);

#endif
