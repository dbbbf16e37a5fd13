// Printing: the layout of a printed graph and the pages of a printed text.
// Plain arithmetic; the device work is in printing_win.cpp.
#ifndef KORLAN_PRINTING_H
#define KORLAN_PRINTING_H

#include <cstdint>
#include <string>
#include <vector>

// Plot size of a graph (before the margins). Interactive prints follow the
// print options: the full page, or by size index 0 (a quarter of the page
// width), 1 (half), 2 and 3 (the whole width) with height = width / 1.34,
// index 3 with both user values set giving those. Drawing without a print
// job takes the page as it is. hochkant: full page on a portrait page.
struct DruckFlaeche {
    int32_t Breite = 0, Hoehe = 0;
    bool Hochkant = false;
};
DruckFlaeche BerechneDruckFlaeche(bool interaktiv, bool ganzeSeite, int32_t kopierGroesse,
                                  int32_t kopierBreite, int32_t kopierHoehe, int32_t seitenBreite,
                                  int32_t seitenHoehe);

// Margins of the graph: offsets and the size that remains.
struct DruckRand {
    int32_t Links = 0, Oben = 0, Breite = 0, Hoehe = 0;
};
// titel*: the scaled title font pair; achse*: the scaled axis font pair.
DruckRand BerechneDruckRand(bool interaktiv, bool hochkant, bool hatTitel, int32_t breite,
                            int32_t hoehe, int32_t titelBreite, int32_t titelHoehe,
                            int32_t achseBreite, int32_t achseHoehe);

// A text line placed on a page (pages counted from 0).
struct DruckZeile {
    int32_t Seite = 0, X = 0, Y = 0;
    std::string Text;
};
constexpr int32_t DRUCK_TEXT_X = 100;
constexpr int32_t DRUCK_TEXT_Y = 50;
// The lines of text (split at line feeds, carriage returns dropped) on
// pages of seitenHoehe pixels: each line 4/3 of the line height below the
// one before; a page is full once the offset passes its height less four
// lines. No empty page follows the last line.
std::vector<DruckZeile> DruckTextSeiten(const std::string& text, int32_t zeilenHoehe,
                                        int32_t seitenHoehe);

#endif
