// The file commands of the graphic windows: Open (60), Load (157), the save
// operation of the Save entries, the autosave timer and the analysis
// commands, the opening of a graphic window and the common file-name
// dialog. The plain parts live in file_commands_core.
#ifndef KORLAN_DATEI_BEFEHLE_H
#define KORLAN_DATEI_BEFEHLE_H

#include <windows.h>

#include <cstdint>

#include "spectra/spectrum_file.h"

class haupt_fenster;

// Command 60. The lParam of HAUPTDATEN's message block chooses the file:
// 111-114 the autosave backup "numsave" + (lParam - 111) + ".mes" in the
// program folder, 1111 "CHI.DAT" in the folder named by CommandText, any
// other value the open dialog. *anzahl counts the files opened so far.
// Returns 1 when a window was opened, 0 when cancelled or failed, -100
// when memory ran out.
int32_t DateiOeffnen(haupt_fenster* app, int32_t* anzahl);

// Command 157: a file read into the active window as its next curve.
// Returns 1, or 0 when cancelled or failed.
int32_t LadeMesDatei(haupt_fenster* app);

// Writes the active window's current curve, or the given arrays (x, y,
// punkte), as `modus` says: 1 save dialog, binary or text by
// BinaerSpeichern; 2 save dialog, CommandText written as it stands; 3 the
// curve appended to an existing text file; 99 the reference-foil table
// "dexfoil.dat" (named CommandText). A mode of 10 or more takes the file
// name from CommandText, shows no dialog and asks nothing, and never
// changes the curve (the autosave timer uses it). spalten: column word of
// the binary header (0 from the curve); teil: 0 x and y, 1 header only,
// other y only; asciiWahl: 1 ".xan", 2 ".chi" as proposed name.
// The file is written beside the target and then put in its place, so a
// failed write leaves the old file whole. Returns 1 when written, 0 when
// cancelled or when writing failed (the failure is reported in a box).
int32_t SpeichereDatei(haupt_fenster* app, int32_t modus, int32_t spalten = 0, int32_t teil = 0,
                       int32_t asciiWahl = 0, const double* x = nullptr,
                       const double* y = nullptr, int32_t punkte = 0);

// The platform's open and save dialogs of Open, Load and SpeichereDatei;
// tests answer them in place of the user.
typedef BOOL (WINAPI *STANDARD_DATEIDIALOG)(LPOPENFILENAMEA);
extern STANDARD_DATEIDIALOG OeffnenDateiDialog;
extern STANDARD_DATEIDIALOG SpeichernDateiDialog;

// Opens a graphic window on the first free record. Returns the record's
// index + 1, or 0 with FehlerCode 112 when four windows are open.
int32_t NeuesGrafikFenster(haupt_fenster* app);

// Column reader of the window file: with art -1 the columns info->XSpalte
// and info->YSpalte of the file that info names are read into x and y
// (kapazitaet doubles each); art 1 or 2 reads that header word of every
// column block of a binary series file into y (x = 1, 2, ...). Returns
// the point count, 0 when the file cannot be read or does not fit.
int32_t SpeichereInGrafik(double* x, double* y, DateiInfo* info, int32_t reserve, int32_t art,
                          int32_t kapazitaet = MIN_FELD_PUNKTE);

// Copies every field of a DateiInfo (both column lists entry by entry).
void KopiereFensterDaten(const DateiInfo* quelle, DateiInfo* ziel);

// Checks that the file `pfad` exists and fills folder (with trailing
// backslash), file name and size of info; shows "File could not be
// opened!" otherwise (not while a macro runs). Returns 1 or 0.
int32_t OeffneDateiGeprueft(const char* pfad, DateiInfo* info);

// The file-name dialog of the analysis commands: kind (1 phase, 2
// amplitude, 4 "*.F15", 5 "*.WMF", 6 MC file, 7 "*.bl8", 8 FEFF paths,
// 100 the remembered filter, 200 several reference files, other "*.M*"),
// oeffnen 1 open dialog, 0 save dialog. pfad receives the path
// (DATEI_NAME_PUFFER bytes), titel the file title (DATEI_TITEL_PUFFER
// bytes); kind 200 as file_commands.h's TeileMehrfachAuswahl says.
// Returns 1 when a file was chosen, 0 when cancelled.
int32_t FileDialog(HWND owner, char* pfad, char* titel, int32_t art, int32_t oeffnen);

#endif
