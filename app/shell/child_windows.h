// The window objects of the results, button-bar, progress and data-table
// classes. Each class forwards its messages to its one global object; the
// results window and the button bar have their own files, the progress and
// data-table objects answer every message the default way until their
// features are built.
#ifndef KORLAN_KIND_FENSTER_H
#define KORLAN_KIND_FENSTER_H

#include <windows.h>
#include <cstdint>

#include "shell/window_object.h"
#include "shell/macro_bar.h"
#include "shell/results_window.h"

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
