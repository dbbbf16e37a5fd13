// Printing: sizes, margins and text pages.
#include "shell/printing.h"

#include <algorithm>

DruckFlaeche BerechneDruckFlaeche(bool interaktiv, bool ganzeSeite, int32_t kopierGroesse,
                                  int32_t kopierBreite, int32_t kopierHoehe, int32_t seitenBreite,
                                  int32_t seitenHoehe)
{
    DruckFlaeche f;
    if (!interaktiv) {
        f.Breite = seitenBreite;
        f.Hoehe = seitenHoehe;
        return f;
    }
    if (ganzeSeite) {
        f.Breite = seitenBreite;
        f.Hoehe = seitenHoehe;
        f.Hochkant = seitenBreite < seitenHoehe;
        return f;
    }
    switch (kopierGroesse) {
    case 0: f.Breite = seitenBreite / 4; break;
    case 1: f.Breite = seitenBreite / 2; break;
    default: f.Breite = seitenBreite; break;
    }
    f.Hoehe = static_cast<int32_t>(f.Breite / 1.34);
    if (kopierGroesse == 3 && kopierBreite != 0 && kopierHoehe != 0) {
        f.Breite = kopierBreite;
        f.Hoehe = kopierHoehe;
    }
    return f;
}

DruckRand BerechneDruckRand(bool interaktiv, bool hochkant, bool hatTitel, int32_t breite,
                            int32_t hoehe, int32_t titelBreite, int32_t titelHoehe,
                            int32_t achseBreite, int32_t achseHoehe)
{
    DruckRand r{0, 0, breite, hoehe};
    if (interaktiv && !hochkant) {
        r.Links = 2 * titelBreite;
        r.Oben = 2 * titelHoehe;
        r.Breite = breite - 4 * titelBreite;
        r.Hoehe = hoehe - 4 * titelHoehe;
    } else if (interaktiv) {
        r.Links = achseBreite;
        r.Oben = achseHoehe;
        r.Breite = breite - 7 * achseBreite;
        r.Hoehe = hoehe - achseHoehe;
    } else if (hatTitel) {
        r.Oben = 2 * titelHoehe;
        r.Hoehe = static_cast<int32_t>(hoehe - 4 * titelHoehe - 1.5 * achseHoehe);
    }
    return r;
}

std::vector<DruckZeile> DruckTextSeiten(const std::string& text, int32_t zeilenHoehe,
                                        int32_t seitenHoehe)
{
    std::vector<DruckZeile> zeilen;
    const int32_t lh = std::max<int32_t>(zeilenHoehe, 1);
    const int32_t schritt = std::max<int32_t>(4 * lh / 3, 1);
    const int32_t grenze = seitenHoehe - 4 * lh;
    int32_t seite = 0, versatz = 0;
    bool voll = false;
    std::size_t a = 0;
    while (a < text.size()) {
        std::size_t lf = text.find('\n', a);
        if (lf == std::string::npos) lf = text.size();
        std::string z = text.substr(a, lf - a);
        z.erase(std::remove(z.begin(), z.end(), '\r'), z.end());
        a = lf + 1;
        if (voll) {
            ++seite;
            versatz = 0;
            voll = false;
        }
        zeilen.push_back({seite, DRUCK_TEXT_X, DRUCK_TEXT_Y + versatz, z});
        versatz += schritt;
        if (versatz > grenze) voll = true;
    }
    return zeilen;
}
