// The arithmetic of the button bar: its two button tables, where each
// button and box lies at a given width, the font sizes of the size box, the
// fields of a "#"-separated text list, the entries of the column boxes and
// the image a button shows. No window is involved.
#ifndef KORLAN_SHELL_BUTTON_BAR_H
#define KORLAN_SHELL_BUTTON_BAR_H

#include <cstdint>
#include <string>
#include <vector>

// A button of the bar: the base name of its images and its command.
struct KNOPF_ART {
    const char* Name;
    int32_t Befehl;
};

// Entry 0 of each table is empty; the first row holds 1-12, the second
// 1001-1014.
const int32_t ERSTE_REIHE_ANZAHL = 12;
const int32_t ZWEITE_REIHE_ANZAHL = 14;
extern const KNOPF_ART ERSTE_REIHE[ERSTE_REIHE_ANZAHL + 1];
extern const KNOPF_ART ZWEITE_REIHE[ZWEITE_REIHE_ANZAHL + 1];

// Button sizes in pixels.
const int32_t KNOPF1_BREITE = 32, KNOPF1_HOEHE = 27;
const int32_t KNOPF2_BREITE = 19, KNOPF2_HOEHE = 18;

// Control ids of the bar besides the buttons.
const int32_t BOX_X_SPALTE = 101, BOX_Y_SPALTE = 102;
const int32_t BOX_X_TEXT = 103, BOX_Y_TEXT = 104, BOX_Z_TEXT = 105;
const int32_t BOX_GROESSE = 106;
const int32_t KNOPF_SCHRIFT = 201;

// Image names of a button: normal ("1", "2" for the first button of the
// second row), disabled ("no") and pressed ("d").
std::string KnopfBildName(const KNOPF_ART& k, bool zweiteReihe, int32_t bild);
enum KNOPF_BILD { BILD_NORMAL = 0, BILD_AUS = 1, BILD_GEDRUECKT = 2 };

// Position and visibility of one control.
struct LEISTEN_PLATZ {
    int32_t X, Y, Breite, Hoehe;
    bool Sichtbar;
};
// Layout of the whole bar for a client area of w x h pixels. Index of
// Erste: first-row entry 1-12; of Zweite: second-row entry 1-14; the boxes
// by their id minus 101 (101-106), then the "Font" button.
struct LEISTEN_LAYOUT {
    LEISTEN_PLATZ Erste[ERSTE_REIHE_ANZAHL + 1];
    LEISTEN_PLATZ Zweite[ZWEITE_REIHE_ANZAHL + 1];
    LEISTEN_PLATZ Boxen[6];
    LEISTEN_PLATZ Schrift;
};
LEISTEN_LAYOUT LeistenLayout(int32_t w, int32_t h);

// The sizes the size box offers: 4-30, 32-50 in steps of 2, 54-90 in
// steps of 4. Position 12 is size 16.
std::vector<int32_t> SchriftGroessen();
// Position of a size in that list, -1 when it is not offered.
int32_t GroessenPosition(int32_t groesse);

// The entries of a combo box filled from a text list: the first entry,
// then each non-empty field of the list split at "#". The list is read up
// to its end or 8,000 bytes, a field up to 499 characters (longer fields
// are cut there). A null list gives the first entry alone.
std::vector<std::string> ListenEintraege(const char* liste, const char* erster);

// The columns of a column list (count in entry 0, columns 1-based after
// it), at most `kapazitaet` - 1 of them; counts beyond the list or
// negative are cut.
std::vector<int32_t> SpaltenAusListe(const int32_t* liste, int32_t kapazitaet);
// The entry of a column box: " %d.  X col" or " %d.  Y col".
std::string SpaltenText(int32_t spalte, bool x);

// The image a button shows. gedrueckt: the button is held down;
// an: its enabled state; schalter: one of the switches (all curves,
// combined view, function view, recording) whose feature state is
// `merkmal`; ganz: a full redraw (else a selection change).
int32_t KnopfBild(bool gedrueckt, bool an, bool schalter, bool merkmal, bool ganz);

#endif
