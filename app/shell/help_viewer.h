// The help texts of the dialogs: topics of the help files "n_german.hlp" and
// "n_engl.hlp" in the program folder, and the topic of every dialog that has
// a help button. No window is involved.
#ifndef KORLAN_HELP_VIEWER_H
#define KORLAN_HELP_VIEWER_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

// Longest line of a help file that is read in one piece.
const int HILFE_ZEILE = 99;

// "n_german.hlp" when deutsch is set, else "n_engl.hlp".
const char* HilfeDateiName(int32_t deutsch);

// A header line has "#" in its fifth place and begins with the topic number
// (blanks before it allowed): "  12#" heads topic 12.
bool HilfeKopf(const char* zeile, int32_t* thema);

// Topic `thema` of an open help file into ziel (groesse bytes): "\r\n", then
// each line of the topic followed by "\r\n", up to the next header or the
// end of the file. A topic that does not fit is cut after its last whole
// line. Without the topic ziel holds "\r\n" and the result is false.
bool HilfeThemaLesen(std::FILE* datei, int32_t thema, char* ziel, std::size_t groesse);

// Numbers of all topics of an open help file, in file order.
std::vector<int32_t> HilfeThemen(std::FILE* datei);

// The dialog templates with a help button and the topic each shows.
struct HILFE_DIALOG {
    const char* Vorlage;
    int32_t Thema;
};
extern const HILFE_DIALOG HILFE_DIALOGE[];
extern const std::size_t HILFE_DIALOGE_ANZAHL;
// Topic of a template, -1 when it is not listed.
int32_t HilfeThemaVon(const char* vorlage);

#endif
