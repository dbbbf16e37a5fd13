// Command routing and the entry points of the command handlers of the other
// subsystems. Each handler reads the command id and lParam from
// HAUPTDATEN.Meldungsblock, picks its own target window and loads the fit
// model itself.
#ifndef KORLAN_BEFEHLE_H
#define KORLAN_BEFEHLE_H

#include <windows.h>
#include <cstdint>

#include "fit/model_function.h"

class haupt_fenster;

// Who handles a command number.
enum BEFEHLS_ZIEL {
    ZIEL_HAUPTFENSTER,  // the main window itself (1-450)
    ZIEL_NUMERIK,       // 501-599 NumerikBefehl
    ZIEL_EDIT,          // 601-699 EditBefehl
    ZIEL_XAFS,          // 801-899 XafsBefehl
    ZIEL_XRD,           // 901-999 XrdBefehl
    ZIEL_KEINER         // everything else: ignored
};
BEFEHLS_ZIEL BefehlsZiel(int32_t id);

void NumerikBefehl(haupt_fenster* app);  // 501-599
void EditBefehl(haupt_fenster* app);     // 601-699
void XafsBefehl(haupt_fenster* app);     // 801-899
void XrdBefehl(haupt_fenster* app);      // 901-999

// The fit report of a finished fit into text, handed to the results window.
void WriteResultsReport(char* text, int32_t befehl, int32_t fitZustand, int32_t, int32_t);
// The parameter dialog that the interruption of a fit opens; 0 = Cancel.
int32_t ParameterDialog(haupt_fenster* app);

// The prologue of every command handler: the target graphic window (the
// one the macro player chose while a macro plays, else the graphic window on
// top) becomes the active one, its fit model is copied into the working
// model globals and it is marked as holding unsaved data; with
// dialogWerteLeeren, DialogWerte is cleared unless lParam is 2. Returns the
// window's index, or -1 when there is no open target window.
int32_t BefehlsFenster(haupt_fenster* app, bool dialogWerteLeeren);

// Minimum and maximum of the working fit model over [xUnten, xOben] in 500
// steps, the whole model and each function on its own (ModellMinMax on the
// active graphic window).
void GetModellMinMax(double* minimum, double* maximum, double xUnten, double xOben);

// Tells the user that a command cannot be run in this version (no box while
// a macro runs or the values are prepared).
void BefehlNichtVerfuegbar(haupt_fenster* app, const char* bereich);

// Index of the next listed window after handle that exists and is not
// minimised (after entry 5 comes entry 0; an unlisted handle starts the
// search at entry 0); after eight entries without success the index reached.
int32_t NextModeless(HWND handle);

#endif
