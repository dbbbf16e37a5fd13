// The button bar's tables and layout, without windows.
#include "shell/button_bar.h"

#include <cstdio>
#include <cstring>

const KNOPF_ART ERSTE_REIHE[ERSTE_REIHE_ANZAHL + 1] = {
    {"", 0},         {"Next", 1},  {"Prev", 2},  {"First", 3},  {"Alle", 4},     {"Combi", 5}, {"Efunc", 6},
    {"win21", 7},    {"print", 8}, {"ncol", 9},  {"quick", 10}, {"PlayMak", 11}, {"RecMak", 12}};

const KNOPF_ART ZWEITE_REIHE[ZWEITE_REIHE_ANZAHL + 1] = {
    {"", 0},          {"Text", 1001},  {"Kreis", 1002}, {"Bar", 1003},    {"Punkt", 1004},
    {"Fett", 1005},   {"Afett", 1006}, {"Imagi", 1007}, {"grid", 1008},   {"Xscal", 1009},
    {"Yscal", 1010},  {"CWrot", 1011}, {"CCWrot", 1012}, {"Color", 1013}, {"FTFit", 1014}};

std::string KnopfBildName(const KNOPF_ART& k, bool zweiteReihe, int32_t bild)
{
    std::string name = k.Name;
    switch (bild) {
    case BILD_AUS: return name + "no";
    case BILD_GEDRUECKT: return name + "d";
    default: return name + (zweiteReihe && k.Befehl == ZWEITE_REIHE[1].Befehl ? "2" : "1");
    }
}

LEISTEN_LAYOUT LeistenLayout(int32_t w, int32_t h)
{
    LEISTEN_LAYOUT l{};
    // The macro buttons stay at the left edge whatever the width.
    l.Erste[12] = {2, 2, KNOPF1_BREITE, KNOPF1_HOEHE, true};
    l.Erste[11] = {35, 2, KNOPF1_BREITE, KNOPF1_HOEHE, true};
    for (int32_t k = 1; k <= 10; ++k) {
        const int32_t x = w - 35 - 33 * (k - 1);
        l.Erste[k] = {x, 2, KNOPF1_BREITE, KNOPF1_HOEHE, w - 64 > (w - x) + 32};
    }
    for (int32_t j = 1; j <= ZWEITE_REIHE_ANZAHL; ++j) {
        const int32_t x = 98 + 20 * (j - 1);
        l.Zweite[j] = {x, 6, KNOPF2_BREITE, KNOPF2_HOEHE, 32 * 11 + 5 + 19 + x < w};
    }
    const int32_t y = h / 2 + 6, tief = 200;
    l.Boxen[BOX_GROESSE - 101] = {10, y, 45, tief, true};
    l.Schrift = {70, y, 50, 20, true};
    l.Boxen[BOX_X_TEXT - 101] = {140, y, 130, tief, true};
    l.Boxen[BOX_Y_TEXT - 101] = {280, y, 130, tief, w - 200 >= 420};
    l.Boxen[BOX_Z_TEXT - 101] = {420, y, 130, tief, w - 200 >= 580};
    l.Boxen[BOX_X_SPALTE - 101] = {w - 180, y, 80, tief, true};
    l.Boxen[BOX_Y_SPALTE - 101] = {w - 90, y, 80, tief, true};
    return l;
}

std::vector<int32_t> SchriftGroessen()
{
    std::vector<int32_t> g;
    for (int32_t n = 4; n <= 30; ++n) g.push_back(n);
    for (int32_t n = 32; n <= 50; n += 2) g.push_back(n);
    for (int32_t n = 54; n <= 90; n += 4) g.push_back(n);
    return g;
}

int32_t GroessenPosition(int32_t groesse)
{
    const std::vector<int32_t> g = SchriftGroessen();
    for (size_t i = 0; i < g.size(); ++i)
        if (g[i] == groesse) return static_cast<int32_t>(i);
    return -1;
}

std::vector<std::string> ListenEintraege(const char* liste, const char* erster)
{
    const size_t LISTE_BYTES = 8000, FELD_BYTES = 500;
    std::vector<std::string> e;
    e.push_back(erster ? erster : "");
    if (!liste) return e;
    // Like a copy into the 8,000-byte buffer: the list ends at its zero or
    // at the buffer's last byte.
    size_t n = 0;
    while (n < LISTE_BYTES - 1 && liste[n]) ++n;
    std::string feld;
    for (size_t i = 0; i <= n; ++i) {
        if (i == n || liste[i] == '#') {
            if (!feld.empty()) e.push_back(feld);
            feld.clear();
        } else if (feld.size() < FELD_BYTES - 1) {
            feld += liste[i];
        }
    }
    return e;
}

std::vector<int32_t> SpaltenAusListe(const int32_t* liste, int32_t kapazitaet)
{
    std::vector<int32_t> s;
    if (!liste || kapazitaet < 1) return s;
    int32_t n = liste[0];
    if (n < 0) n = 0;
    if (n > kapazitaet - 1) n = kapazitaet - 1;
    for (int32_t i = 1; i <= n; ++i) s.push_back(liste[i]);
    return s;
}

std::string SpaltenText(int32_t spalte, bool x)
{
    char text[40];
    std::snprintf(text, sizeof text, " %d.  %s col", static_cast<int>(spalte), x ? "X" : "Y");
    return text;
}

int32_t KnopfBild(bool gedrueckt, bool an, bool schalter, bool merkmal, bool ganz)
{
    if (gedrueckt) return BILD_GEDRUECKT;
    if (!an) return BILD_AUS;
    if (!schalter) return BILD_NORMAL;
    // A selection change without the button held down is the release of a
    // click that is about to switch the feature.
    const bool unten = ganz ? merkmal : !merkmal;
    return unten ? BILD_GEDRUECKT : BILD_NORMAL;
}
