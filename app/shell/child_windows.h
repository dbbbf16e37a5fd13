// The window classes of the results, button-bar, progress and data-table
// windows. Each class forwards its messages to its one global object, which
// has its own files.
#ifndef KORLAN_KIND_FENSTER_H
#define KORLAN_KIND_FENSTER_H

#include <windows.h>
#include <cstdint>

#include "shell/window_object.h"
#include "shell/macro_bar.h"
#include "shell/results_window.h"
#include "shell/progress_window_win.h"
#include "spectra/data_table_win.h"

// Registration of the classes "results", "myButt", "progress", "myedit" and
// "paint"; false when the platform refuses.
bool RegisterResultsKlasse(HINSTANCE instanz);
bool RegisterButtonKlasse(HINSTANCE instanz);
bool RegisterProgressKlasse(HINSTANCE instanz);
bool RegisterEditKlasse(HINSTANCE instanz);
bool RegisterGrafikKlasse(HINSTANCE instanz);

#endif
