// The button bar's object: the macro recorder and player with their file
// (macro_bar_win.cpp), and the bar window with its two rows of bitmap
// buttons, the "Font" button and its six combo boxes (button_bar_win.cpp).
#ifndef KORLAN_SHELL_MAKRO_LEISTE_H
#define KORLAN_SHELL_MAKRO_LEISTE_H

#include <windows.h>
#include <commdlg.h>

#include <cstdint>
#include <cstdio>

#include "shell/button_bar.h"
#include "shell/window_object.h"

const int32_t MAKRO_PFAD_BYTES = 400;

class button_leiste : public fenster_objekt {
public:
    // Appends the record of a finished command to the macro file: command
    // id, number of dialog values, index of the last fit parameter to
    // record (0 = parameter 0 as one more value, negative = none). Returns
    // 1 when the record was written, 0 when not (no file, a write error, a
    // record beyond the file's limits); the command's work is unaffected.
    int32_t MakroRecord(int32_t befehl, int32_t anzahl, int32_t letzter);
    // Plays the open macro file from its beginning on AktivesFenster
    // (aktivesFenster nonzero) or on the graphic window on top. spalte is
    // the column for per-column coefficients (0 or less: the window's own).
    // Returns 1 when every record was played, 0 when the file is no macro
    // file or damaged (nothing played), there is no window, or a step did
    // not fit the window (steps before it keep their work).
    int32_t MakroRun(int32_t aktivesFenster, int32_t spalte);
    // Open dialog: stores the path, checks the first line, closes the file.
    // 1 for a macro file; 0 for Cancel, another file (with the message) or
    // a file that cannot be opened.
    int32_t MakroOpen();
    // Opens the stored path and leaves it open after a correct first line
    // (1); 0 otherwise (the message for a wrong first line).
    int32_t MakroReopen();
    // The record switch: starts recording into a new file chosen in the
    // save dialog, or stops recording. Recording is on only when the file
    // could be created.
    void MakroSaveAs();
    // Closes the macro file; returns 1.
    int32_t MakroClose();

    LRESULT Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    // Shows graphic window `fenster` (or none, -1) in the boxes: its file's
    // x and y columns in 101 and 102, the current slot's axis texts in
    // 103-105 (a text missing from the x or y list is added to it).
    void FensterZeigen(int32_t fenster);
    // Refills the three axis-text boxes from the text lists (after the axis
    // dialog changed them) and shows the active window's texts.
    void TexteNeu();
    // Repaints first-row button 1-12 at once.
    void KnopfZeichnen(int32_t nummer);

    std::FILE* MakroDatei = nullptr;
    char MakroPfad[MAX_PATH > MAKRO_PFAD_BYTES ? MAX_PATH : MAKRO_PFAD_BYTES] = "";
    HWND RecKnopf = nullptr;
    HWND PlayKnopf = nullptr;
    // A button of the bar: its window, its normal, disabled and pressed
    // images, its enabled state.
    struct LEISTEN_KNOPF {
        HWND Fenster;
        HBITMAP Bild[3];
        int32_t An;
    };
    LEISTEN_KNOPF Erste[ERSTE_REIHE_ANZAHL + 1] = {};
    LEISTEN_KNOPF Zweite[ZWEITE_REIHE_ANZAHL + 1] = {};
    // Enabled state of first-row buttons 1-12 (command 2002).
    int32_t KnopfAn[13] = {};
    // Combo boxes 101-106 by id - 101, the "Font" button, their font.
    HWND Boxen[6] = {};
    HWND SchriftKnopf = nullptr;
    HFONT BoxSchrift = nullptr;
    int32_t Breite = 0, Hoehe = 0;
    int32_t Beschaeftigt = 0;

private:
    LRESULT OnCreate();
    LRESULT OnSize();
    LRESULT OnPaint();
    LRESULT OnDrawItem();
    LRESULT OnCommand();
    void Abspielen();
    void Zerstoert();
    bool Knopfbefehl(int32_t id);
    void BoxGeaendert(int32_t id);
    void SchriftWaehlen();
    // The graphic window on top: its index, -1 when none.
    int32_t ObererGrafik() const;
    // After a change of the window's look: borders reset, redraw posted,
    // status refreshed.
    void NachAenderung(int32_t fenster);
};

extern button_leiste ButtonBar;

// The file dialogs of the macro buttons and of the results window; tests
// answer them in place of the user.
typedef BOOL (WINAPI *DATEIDIALOG)(LPOPENFILENAMEA);
extern DATEIDIALOG MakroOeffnenDialog;
extern DATEIDIALOG MakroSpeichernDialog;

// One step of the player: the command with lParam 2 through the
// dispatcher, on the same stack. Tests may watch the steps through it.
typedef void (*MAKRO_SCHRITT)(int32_t befehl, LPARAM lParam);
extern MAKRO_SCHRITT MakroSchritt;
void MakroSchrittDispatcher(int32_t befehl, LPARAM lParam);

// The font dialog of the "Font" button; tests answer it.
typedef BOOL (WINAPI *SCHRIFTDIALOG)(LPCHOOSEFONTA);
extern SCHRIFTDIALOG SchriftDialog;

// Empties a combo box, adds `erster`, then each non-empty field of the
// "#"-separated list, and selects position 0.
void FillComboFromList(HWND combo, const char* liste, const char* erster);

// Copies a bitmap at its full size to (x, y) of a device context.
void DrawBitmap(HDC dc, HBITMAP bild, int32_t x, int32_t y);

#endif
