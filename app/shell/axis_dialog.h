// The axis inscription dialog ACHSEN without its window: the "#"-separated
// text lists of recently used axis and title texts, the alignment word,
// and the working legend of the dialog.
#ifndef KORLAN_AXIS_DIALOG_H
#define KORLAN_AXIS_DIALOG_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The entries of a text list ("a#b#c#", the last "#" may be missing);
// empty entries are skipped.
std::vector<std::string> TextListeEintraege(const char* liste);

// Whether a combo box item begins with text (case-insensitive), which keeps
// text out of its list.
bool ListeBeginntMit(const std::vector<std::string>& eintraege, const std::string& text);

// Texts a list offers at most, and the combo box items counted with them
// (the current text is item 0).
const int32_t TEXTLISTE_EINTRAEGE = 21;
const int32_t TEXTLISTE_ITEMS = 22;

// Rebuilds a list after OK from the combo box items (item 0 the current
// text, items 1.. the list) and the text typed: when the text is not
// empty, holds no "#" and no item begins with it, the list becomes the new text
// followed (neuVorne) or preceded by items 1 to m - 1, each ended by "#",
// where m is the item count less one when it is 22 or more. Old entries
// drop out from the end (neuVorne) or the front until the list fits into
// bytes - 1 characters. Returns false when the list stays as it was.
bool TextListeAufnehmen(const std::vector<std::string>& items, const std::string& neu,
                        bool neuVorne, char* liste, std::size_t bytes);

// Alignment word BeschriftungFlags from the three radio groups (0 left,
// 1 centred, 2 right for x, y and title); and the choices a word shows,
// where within a group the lowest set bit wins (none: left).
int32_t BeschriftungAusWahl(int32_t x, int32_t y, int32_t titel);
void WahlAusBeschriftung(int32_t flags, int32_t wahl[3]);

// Working copy of a window's legend: n entries, entry i (1..n) at the data
// point (Pos[2i-2], Pos[2i-1]) with line i of Text (lines ended by "\n").
// The dialog places at most LEGENDE_MAX entries.
const int32_t LEGENDE_MAX = 14;
const int32_t LEGENDE_TEXT_MAX = 49;   // characters of one entry
struct LEGENDE {
    int32_t Anzahl = 0;
    double Pos[2 * LEGENDE_MAX] = {};
    std::string Text;
};

// Takes a window's count (a double), its positions (x, y per entry, room
// for posWerte doubles) and text; a negative or unusable count gives 0, a
// count above the room of either side is cut to it.
LEGENDE LegendeLesen(double anzahl, const double* pos, std::size_t posWerte, const char* text);
// Writes the legend back into the window's count, positions and text (the
// text cut to bytes).
void LegendeSchreiben(const LEGENDE& l, double* anzahl, double* pos, std::size_t posWerte,
                      char* text, std::size_t bytes);
// Line i (1..n) of the legend text.
std::string LegendenZeile(const LEGENDE& l, int32_t i);
// Places a new entry; false (nothing changed) when the legend is full or
// the text is empty. A line feed in the text ends it.
bool LegendeAnfuegen(LEGENDE& l, const std::string& text, double x, double y);
// Removes entry i (1..n); the later ones move up one place.
void LegendeEntfernen(LEGENDE& l, int32_t i);
// "&V": with two entries or more every entry gets the x of the entry with
// the largest y (the first one on ties). False with fewer than two.
bool LegendeBuendig(LEGENDE& l);

#endif
