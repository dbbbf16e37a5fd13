// The data-table window (class "myedit", object EditorWindow): the points of
// the current curve of a graphic window, one row each, with the selected
// point's x and y in two fields above the table where they are edited.
#ifndef KORLAN_DATA_TABLE_WIN_H
#define KORLAN_DATA_TABLE_WIN_H

#include <windows.h>

#include <cstdint>

#include "shell/window_object.h"

// Child controls and commands of the table.
const int ID_TABELLE_X = 150;
const int ID_TABELLE_Y = 151;
const int ID_TABELLE_INDEX = 152;
const int ID_TABELLE_TEXT = 1111;
const int32_t CM_TABELLE_WERT = 2001;     // Ctrl-click: HAUPTDATEN.TabellenWert into y
const int32_t CM_TABELLE_ZEIGEN = 2004;   // new curve, count in the high word
const int32_t CM_TABELLE_KURVE = 2005;    // the curve changed, count in the high word
const int32_t CM_TABELLE_ZEILE = 2006;    // select the point in the low word

class editor_fenster : public fenster_objekt {
public:
    HMENU Kontextmenue = nullptr;           // "Chan&ge" 38, "&Save File" 111
    HWND TextAnsicht = nullptr, XFeld = nullptr, YFeld = nullptr, IndexFeld = nullptr;
    int32_t TextAn = 0, Geaendert = 0;
    const char* Text = nullptr;             // what the text view shows
    double* X = nullptr;                    // the shown curve (never owned)
    double* Y = nullptr;
    int32_t Anzahl = 0;                     // its point count
    int32_t Modus = 0, Befehl = 0, FlaecheBreite = 0, FlaecheHoehe = 0;
    int32_t Breite = 0, Hoehe = 0;          // client size
    int32_t ZeilenHoehe = 16, ZeichenBreite = 8, ZeilenBreite = 0;
    int32_t Erste = 0, ErsteMax = 0;        // first row shown and its maximum
    int32_t HPos = 0, HMax = 0;             // horizontal position in characters
    int32_t Spalte = 0, Zeile = 0;          // selected column and line of the page
    int32_t SpaltenProSeite = 0, ZeilenProSeite = 0;
    int32_t Fokus = -1;                     // field with the focus: 150, 151 or -1
    int32_t Beschaeftigt = 0;
    int32_t LetzteGemalteZeile = -1;        // last row drawn by the last paint

    LRESULT Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    // The selected point: first row shown + selected line - 1, at least 0.
    int32_t Gewaehlt() const;
    // The curve slot that holds the shown arrays, or false (window, slot).
    bool Quelle(int32_t* fenster, int32_t* slot) const;
    bool Komplex() const;
    // Forgets arrays whose graphic window has closed and keeps the count
    // within the slot's; false when no curve is shown.
    bool Pruefen();

private:
    LRESULT OnCreate();
    LRESULT OnSize();
    LRESULT OnPaint();
    LRESULT OnCommand();
    LRESULT OnKeyDown();
    void Vertikal(int art, int position);
    void Horizontal(int art, int position);
    void Layout();
    void KopfZeigen();
    void Invertieren(bool neu);
    void Aendern(int feld, double wert);
    void Loeschen();
    void Verbergen();
    void Zeigen();
    void NachVorn();
};

extern editor_fenster EditorWindow;

// The curve the table shows: its x and y arrays and, when breite and hoehe
// are both nonzero, the mode, the command and the area the table may use.
void SetEditQuelle(double* x, double* y, int32_t modus, int32_t befehl, int32_t breite, int32_t hoehe);

// After an operation: a visible table follows the current curve of the
// graphic window on top (or of the active one).
void TabelleFolgen();

// Command 70 (Edit, F9): the table for the current curve of the window on
// top; the graphic window moves to the left two thirds.
void TabelleOeffnen(int32_t fenster);

#endif
