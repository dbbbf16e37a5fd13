// Value mappings of the data-command dialogs: what a dialog's controls mean
// as numbers for the commands. Plain functions, so that the mappings can be
// checked without windows; the dialog procedures (data_dialogs_win.cpp)
// only read the controls and call these.
#ifndef KORLAN_SPECTRA_DATA_DIALOGS_H
#define KORLAN_SPECTRA_DATA_DIALOGS_H

#include <cstdint>
#include <string>

// Graphic windows and curve slots a dialog can offer.
const int32_t DIALOG_FENSTER = 4;
const int32_t DIALOG_SLOTS = 4;
const int32_t DIALOG_KURVEN = DIALOG_FENSTER * DIALOG_SLOTS;  // 16

// A number typed into an edit control: a decimal number (as atof reads it:
// sign, digits, point, exponent) with nothing but blanks around it, finite.
// False for empty text, trailing garbage ("1,5", "2x"), inf and nan.
bool LiesZahl(const char* text, double* wert);
// The same for a whole number within the int32 range ("12", " -3 ").
bool LiesGanzzahl(const char* text, int32_t* wert);

// Number of slots a window offers: min(newest counter, 3) + 1, at least 1.
int32_t AngeboteneSlots(int32_t neuesterZaehler);

// Result of COPYFELD: 10 w + s of the first chosen button (gewaehlt is
// indexed 4 w + s), -1 when none is chosen.
int32_t KopierAuswahl(const bool gewaehlt[DIALOG_KURVEN]);

// Result of TAKEFELD: 11 for "Original", slot + 1 (1..4) for a slot button,
// 0 when nothing is chosen (slot below 0 or above 3).
int32_t EinfuegeErgebnis(bool original, int32_t slot);

// Points of FUNCFELD's function grid: at least 2 (the grid step divides by
// n - 1), at most FUNKTION_MAX_PUNKTE.
const int32_t FUNKTION_MIN_PUNKTE = 2;
const int32_t FUNKTION_MAX_PUNKTE = 1000000;
// First model function of these type codes (the EXAFS path types) fixes the
// grid to the curve's own abscissa, so its point count is not offered
// (codes above 100 stand for the type less 100).
bool FunktionPunkteFest(int32_t ersterTyp);

// DW[4] of SPEKTRENSHIFT: -1 with " external function", 1000 with
// " Function", else the operand list's selection: 0 none, i (1..spalten)
// for the i-th file column, selection + 100 - spalten for a graph entry
// (101 for the first graph, i.e. slot 0).
double OrdinatenOperand(int32_t auswahl, int32_t spalten, bool funktion, bool extern_);

// Result of ABZISSENSHIFT: 220 + function selection, plus 1000 with
// " with Y axis".
int32_t AbszissenErgebnis(int32_t auswahl, bool mitY);

// Order numbers of COMBINE_GRAFIK's curve boxes (index 4 w + s): checking
// a box gives it the next number, unchecking takes its number away and
// closes the gap.
class KombiNummern {
public:
    KombiNummern();
    void Setze(int32_t index, bool an);
    int32_t Nummer(int32_t index) const;  // 0 = not checked
    int32_t Anzahl() const { return zaehler_; }

private:
    int32_t nummer_[DIALOG_KURVEN];
    int32_t zaehler_;
};

// Combine list from the order numbers: entry k - 1 = slot + 10 window of
// the box with number k, plus 100 when its right-axis box (rechts) is
// checked. Writes at most DIALOG_KURVEN entries and returns the count.
int32_t KombiListeBauen(const KombiNummern& nummern, const bool rechts[DIALOG_KURVEN],
                        int32_t liste[DIALOG_KURVEN]);

// Displacement result of COMBINE_GRAFIK: 1 for none (wahl 0), 11..14 for
// slightly, medium, strong and value (wahl 1..4).
int32_t VersatzCode(int32_t wahl);

// Curve style word: low 16 bits symbol bits (1 connect, 2 circles,
// 4 triangles, 8 squares, 16 stars, 64 bars), high 16 bits line style +
// 10 x line width.
const int32_t STIL_VERBINDEN = 1, STIL_KREISE = 2, STIL_DREIECKE = 4, STIL_QUADRATE = 8,
              STIL_STERNE = 16, STIL_BALKEN = 64;
int32_t StilWort(int32_t symbole, int32_t linienStil, int32_t breite);
void StilWortLesen(int32_t wort, int32_t* symbole, int32_t* linienStil, int32_t* breite);
// Line widths USERSTYLE accepts.
const int32_t STIL_MIN_BREITE = 0, STIL_MAX_BREITE = 100;

// Style word of curve k (1-based) of a "Multi" plot: with symbole the
// window's connect bit and 2^m (m = k below 6, else (k mod 6) + 2 with the
// circle bit), else the window's symbol bits; with linien the line style
// k - 1 (mod 10, so that the width stays readable), else the window's;
// with breiten the width k, else the window's.
int32_t MultiStilWort(int32_t k, bool symbole, bool linien, bool breiten, int32_t eigeneSymbole,
                      int32_t eigenerStil, int32_t eigeneBreite);

// The fifteen colours of the style dialogs as COLORREF values
// (0x00bbggrr), in the order of string ids 200-214.
const int32_t DIALOG_FARBEN = 15;
extern const uint32_t DialogFarben[DIALOG_FARBEN];
// Entry of a colour in that table; 1 when it is not there.
int32_t FarbEintrag(uint32_t farbe);

// Picture size of the clipboard copy in DW[0] and DW[1]: 0 and 0 for a
// metafile of a size class (the copy command takes the class), else the
// width and height in pixels + 0.1 (the command takes values above 20).
void KopierMasse(bool metafile, bool angepasst, int32_t breite, int32_t hoehe, double* dw0,
                 double* dw1);
// Pixel sizes CLIPBOARDFORMAT accepts for a custom picture.
const int32_t KOPIER_MIN_PIXEL = 21, KOPIER_MAX_PIXEL = 10000;

// First lines of a file for GET_FILE_INFORMATION: at most
// min(kopfzeilen + punkte, kopfzeilen + 15) lines, each cut to 298
// characters and ended by "\r\n". Returns the number of lines, or -1 when
// the file cannot be opened (text stays empty).
int32_t DateiVorschau(const char* pfad, int32_t kopfzeilen, int32_t punkte, std::string* text);

#endif
