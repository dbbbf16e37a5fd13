// Command routing and the entry points of the command handlers of the other
// subsystems. Each handler reads the command id and lParam from
// HAUPTDATEN.Meldungsblock, picks its own target window and loads the fit
// model itself.
#ifndef KORLAN_BEFEHLE_H
#define KORLAN_BEFEHLE_H

#include <windows.h>
#include <cstdint>

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
// The fit model of the active window to a ".par" file (171) and back (187).
void SaveParameterFile();
void LoadParameterFile(int32_t modus, HWND besitzer);
// A ".bl8" detector file into a multi-column file (188).
void KonvertiereBl8(int32_t modus);

// The prologue of every command handler: the target graphic window (the
// one the macro player chose while a macro plays, else the graphic window on
// top) becomes the active one, its fit model is copied into the working
// model globals and it is marked as holding unsaved data; with
// dialogWerteLeeren, DialogWerte is cleared unless lParam is 2. Returns the
// window's index, or -1 when there is no open target window.
int32_t BefehlsFenster(haupt_fenster* app, bool dialogWerteLeeren);

// Switches model functions of the working fit model out of the evaluation
// by adding 100 to their type codes: n = 0 clears every mark; mode 1 marks
// every function, then unmarks function n (from 1), so that only n is
// evaluated; mode 2 marks function n. Returns 1.
int32_t SetFunktionFlag(int32_t n, int32_t modus);
// Minimum and maximum of the working fit model over [xUnten, xOben] in 500
// steps, the whole model and each function on its own.
void GetModellMinMax(double* minimum, double* maximum, double xUnten, double xOben);

// The one answer of a command, or of a step of one (teil, e.g. "The section
// dialog"), that this version does not have yet. The text names the item of
// the main menu that carries befehl ("command N" when none does). While a
// macro plays or the values are prepared (lParam 2) it shows no box: it
// keeps the text for the player and sets FehlerCode 1000, so that the
// player stops at this step and says why.
void NichtVerfuegbar(int32_t befehl, const char* teil = nullptr);
// The same for a window of its own, whose message carried lParam.
void NichtVerfuegbar(int32_t befehl, const char* teil, LPARAM lParam);
// The text of the last answer of NichtVerfuegbar; "" after
// NichtVerfuegbarVergessen.
const char* NichtVerfuegbarText();
void NichtVerfuegbarVergessen();

// Index of the next listed window after handle that exists and is not
// minimised (after entry 5 comes entry 0; an unlisted handle starts the
// search at entry 0); after eight entries without success the index reached.
int32_t NextModeless(HWND handle);

#endif
