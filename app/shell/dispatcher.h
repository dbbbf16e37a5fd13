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

// Where each command number goes: the window class whose procedure gets it
// ("Korlan" the main window, whose dispatcher haupt_fenster::MenueBefehl
// routes by BefehlsZiel; "results", "paint" and "myButt" the results window,
// the graphic windows and the button bar), the function that handles it and
// that function's file below app/. A test walks every item of the
// program's menus and finds its number here.
struct BEFEHLS_KARTE {
    const char* Fenster;
    int32_t Von, Bis;       // command numbers, both included
    const char* Funktion;
    const char* Datei;
};
inline constexpr BEFEHLS_KARTE BEFEHLS_KARTEN[] = {
    // The main window: haupt_fenster::MenueBefehl in shell/dispatcher_win.cpp
    // handles 1-450 itself or hands them on as named.
    {"Korlan", 1, 5, "Kommando of the graphic window (next, previous, show all, combine)", "spectra/grafik_fenster_win.cpp"},
    {"Korlan", 7, 7, "Kommando of the graphic window (redraw)", "spectra/grafik_fenster_win.cpp"},
    {"Korlan", 11, 12, "button_leiste::OnCommand (macro play, record)", "shell/macro_bar_win.cpp"},
    {"Korlan", 18, 19, "haupt_fenster::MenueBefehl (close, show function)", "shell/dispatcher_win.cpp"},
    {"Korlan", 20, 22, "haupt_fenster::FitUnterbrechen, FitAbbrechen (end of a fit)", "shell/dispatcher_win.cpp"},
    {"Korlan", 38, 38, "haupt_fenster::MenueBefehl (next window)", "shell/dispatcher_win.cpp"},
    {"Korlan", 45, 45, "haupt_fenster::MenueBefehl (show data)", "shell/dispatcher_win.cpp"},
    {"Korlan", 60, 60, "DateiOeffnen (Open)", "spectra/file_commands_win.cpp"},
    {"Korlan", 70, 70, "TabelleOeffnen (data table)", "spectra/data_table_win.cpp"},
    {"Korlan", 77, 80, "haupt_fenster::MenueBefehl (window 1-4 on top)", "shell/dispatcher_win.cpp"},
    {"Korlan", 90, 90, "SplitAnkaFile (multi-scan splitter)", "spectra/foreign_files_win.cpp"},
    {"Korlan", 111, 111, "SpeichereDatei (Save)", "spectra/file_commands_win.cpp"},
    {"Korlan", 112, 113, "GrafikOptionen, DruckOptionen (OPTIONEN_GRAFIK, PRINTOPT)", "shell/plot_dialogs_win.cpp"},
    {"Korlan", 122, 122, "the window on top (print)", "shell/dispatcher_win.cpp"},
    {"Korlan", 125, 126, "Kommando of the graphic window (redraw), results_fenster::Befehl (history)", "shell/dispatcher_win.cpp"},
    {"Korlan", 133, 133, "haupt_fenster::MenueBefehl (ABOUT)", "shell/dispatcher_win.cpp"},
    {"Korlan", 135, 135, "FunktionWaehlen (GET_FUNCTION)", "fit/fit_choice_win.cpp"},
    {"Korlan", 136, 136, "ParameterTabelle (SET_ALL_PARAMETER)", "fit/parameter_dialogs_win.cpp"},
    {"Korlan", 140, 140, "FitOptionen (FITOPTIONEN)", "shell/option_dialogs_win.cpp"},
    {"Korlan", 155, 155, "FunktionsGrenzen (FUNCBORDER)", "fit/fit_choice_win.cpp"},
    {"Korlan", 157, 157, "LadeMesDatei (Load)", "spectra/file_commands_win.cpp"},
    {"Korlan", 159, 163, "haupt_fenster::MenueBefehl (popup, help, options file; 161 NichtVerfuegbar)", "shell/dispatcher_win.cpp"},
    {"Korlan", 164, 164, "FtBetragZeigen (FT magnitude)", "spectra/spectrum_conversions_win.cpp"},
    {"Korlan", 167, 170, "haupt_fenster::MenueBefehl (maximise, minimise, window closed; 169 PRINTERSETUP)", "shell/dispatcher_win.cpp"},
    {"Korlan", 171, 171, "SaveParameterFile", "fit/parameter_file_win.cpp"},
    {"Korlan", 172, 172, "DateiOptionen (FILEOPTIONEN)", "shell/option_dialogs_win.cpp"},
    {"Korlan", 173, 173, "haupt_fenster::MenueBefehl (exit)", "shell/dispatcher_win.cpp"},
    {"Korlan", 175, 175, "JcpNachMes (*.jcp to *.mes)", "spectra/spectrum_conversions_win.cpp"},
    {"Korlan", 176, 183, "haupt_fenster::MenueBefehl (help)", "shell/dispatcher_win.cpp"},
    {"Korlan", 187, 187, "LoadParameterFile", "fit/parameter_file_win.cpp"},
    {"Korlan", 188, 188, "KonvertiereBl8", "series/series_commands_win.cpp"},
    {"Korlan", 189, 189, "WinkelNachEnergie (energy from angles)", "spectra/spectrum_conversions_win.cpp"},
    {"Korlan", 191, 191, "AssistentOeffnen (assistant)", "shell/assistant_win.cpp"},
    {"Korlan", 192, 192, "haupt_fenster::MenueBefehl (edit the settings file)", "shell/dispatcher_win.cpp"},
    {"Korlan", 193, 194, "SchriftWechseln, StandardSchriften (DEFAULTFONT)", "shell/option_dialogs_win.cpp"},
    {"Korlan", 450, 450, "AchsenBeschriften (ACHSEN)", "shell/axis_dialog_win.cpp"},
    {"Korlan", 501, 599, "NumerikBefehl (Numeric menu, fit)", "fit/fit_commands_win.cpp"},
    {"Korlan", 601, 699, "EditBefehl (data commands; dialogs data_dialogs_win.cpp, computations data_commands_core.cpp, data_arithmetic_core.cpp)", "spectra/data_commands_win.cpp"},
    {"Korlan", 801, 899, "XafsBefehl (XAFS, DXAS, time-resolved menus)", "xas/xas_commands_win.cpp"},
    {"Korlan", 901, 999, "XrdBefehl (XRD menu)", "xrd/xrd_commands_win.cpp"},
    // The results window (its popup menu and what other parts send it).
    {"results", 18, 18, "results_fenster::Befehl (hide)", "shell/results_window_win.cpp"},
    {"results", 37, 38, "results_fenster::Befehl (show, next window)", "shell/results_window_win.cpp"},
    {"results", 111, 111, "results_fenster::Speichern", "shell/results_window_win.cpp"},
    {"results", 120, 124, "results_fenster::Befehl (views; 122 prints through DruckeErgebnisText)", "shell/results_window_win.cpp"},
    {"results", 126, 126, "results_fenster::Befehl (history)", "shell/results_window_win.cpp"},
    {"results", 807, 807, "results_fenster::FeffSsPfade", "shell/results_window_win.cpp"},
    {"results", 2001, 2001, "results_fenster::NeuesErgebnis", "shell/results_window_win.cpp"},
    {"results", 2003, 2003, "results_fenster::HistorienZeile", "shell/results_window_win.cpp"},
    {"results", 7777, 7777, "results_fenster::Befehl (copy)", "shell/results_window_win.cpp"},
    // The graphic windows (their popup menu; some items go on to the main window).
    {"paint", 1, 9, "Kommando (stepping, show all, combine, tiling)", "spectra/grafik_fenster_win.cpp"},
    {"paint", 18, 18, "Kommando (close)", "spectra/grafik_fenster_win.cpp"},
    {"paint", 37, 38, "Kommando (redraw; 38 to the main window)", "spectra/grafik_fenster_win.cpp"},
    {"paint", 112, 112, "the main window", "spectra/grafik_fenster_win.cpp"},
    {"paint", 122, 122, "DruckeGrafikFenster (print)", "shell/printing_win.cpp"},
    {"paint", 127, 127, "Kommando (to the front)", "spectra/grafik_fenster_win.cpp"},
    {"paint", 191, 194, "the main window", "spectra/grafik_fenster_win.cpp"},
    {"paint", 517, 517, "the main window (as 911)", "spectra/grafik_fenster_win.cpp"},
    {"paint", 521, 521, "the main window", "spectra/grafik_fenster_win.cpp"},
    {"paint", 605, 605, "the main window (section)", "spectra/grafik_fenster_win.cpp"},
    {"paint", 607, 607, "MinMaxArithmetik", "spectra/grafik_fenster_win.cpp"},
    {"paint", 616, 616, "the main window (zoom)", "spectra/grafik_fenster_win.cpp"},
    {"paint", 804, 804, "MinMaxArithmetik", "spectra/grafik_fenster_win.cpp"},
    {"paint", 1001, 1012, "Kommando (plot style)", "spectra/grafik_fenster_win.cpp"},
    {"paint", 1013, 1013, "FarbWahl (CHOOSECOLOR)", "shell/plot_dialogs_win.cpp"},
    {"paint", 2004, 2004, "Kommando (to the front)", "spectra/grafik_fenster_win.cpp"},
    // The button bar: its buttons, boxes and what other parts send it.
    {"myButt", 1, 10, "button_leiste::Knopfbefehl (to the window on top; 10 as 835 to the main window)", "shell/button_bar_win.cpp"},
    {"myButt", 11, 12, "button_leiste::OnCommand (macro play, record)", "shell/macro_bar_win.cpp"},
    {"myButt", 18, 18, "button_leiste::OnCommand (hide)", "shell/button_bar_win.cpp"},
    {"myButt", 101, 106, "button_leiste::BoxGeaendert (columns, axis labels, font size)", "shell/button_bar_win.cpp"},
    {"myButt", 201, 201, "button_leiste::SchriftWaehlen (Font)", "shell/button_bar_win.cpp"},
    {"myButt", 1001, 1014, "button_leiste::Knopfbefehl (plot style to the window on top; 1014 as 614 to the main window)", "shell/button_bar_win.cpp"},
    {"myButt", 2002, 2002, "button_leiste::OnCommand (button state)", "shell/button_bar_win.cpp"},
    {"myButt", 2004, 2004, "button_leiste::OnCommand (after a fit)", "shell/button_bar_win.cpp"},
};

void NumerikBefehl(haupt_fenster* app);  // 501-599
void EditBefehl(haupt_fenster* app);     // 601-699
void XafsBefehl(haupt_fenster* app);     // 801-899
void XrdBefehl(haupt_fenster* app);      // 901-999

// The fit report of a finished fit into text, handed to the results window.
void WriteResultsReport(char* text, int32_t befehl, int32_t fitZustand, int32_t, int32_t);
// The parameter dialog that the interruption of a fit opens; 0 = Cancel.
int32_t ParameterDialog(haupt_fenster* app);
// A ".bl8" detector file into a multi-column file (188).
void KonvertiereBl8(int32_t modus);

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

// Starts the outside programs of the Help and Options menus (web browser,
// notepad); tests watch the calls in place of starting them.
typedef UINT (WINAPI *PROGRAMM_START)(LPCSTR kommandozeile, UINT anzeige);
extern PROGRAMM_START ProgrammStart;

// Index of the next listed window after handle that exists and is not
// minimised (after entry 5 comes entry 0; an unlisted handle starts the
// search at entry 0); after eight entries without success the index reached.
int32_t NextModeless(HWND handle);

#endif
