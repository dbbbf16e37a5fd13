#include "shell/axis_dialog.h"

#include <cctype>
#include <cmath>
#include <cstring>

std::vector<std::string> TextListeEintraege(const char* liste)
{
    std::vector<std::string> eintraege;
    if (!liste) return eintraege;
    std::string e;
    for (const char* c = liste;; ++c) {
        if (*c == '#' || *c == '\0') {
            if (!e.empty()) eintraege.push_back(e);
            e.clear();
            if (*c == '\0') break;
        } else {
            e.push_back(*c);
        }
    }
    return eintraege;
}

bool ListeBeginntMit(const std::vector<std::string>& eintraege, const std::string& text)
{
    for (const std::string& e : eintraege) {
        if (e.size() < text.size()) continue;
        bool gleich = true;
        for (std::size_t i = 0; i < text.size() && gleich; ++i)
            gleich = std::tolower(static_cast<unsigned char>(e[i])) ==
                     std::tolower(static_cast<unsigned char>(text[i]));
        if (gleich) return true;
    }
    return false;
}

bool TextListeAufnehmen(const std::vector<std::string>& items, const std::string& neu,
                        bool neuVorne, char* liste, std::size_t bytes)
{
    // A "#" would split the text into two entries when the list is read.
    if (neu.empty() || bytes == 0 || neu.find('#') != std::string::npos || ListeBeginntMit(items, neu))
        return false;
    std::size_t m = items.size();
    if (m >= static_cast<std::size_t>(TEXTLISTE_ITEMS)) --m;
    std::vector<std::string> alte;
    for (std::size_t i = 1; i < m; ++i) alte.push_back(items[i]);
    auto laenge = [&]() {
        std::size_t n = neu.size() + 1;
        for (const std::string& a : alte) n += a.size() + 1;
        return n;
    };
    while (!alte.empty() && laenge() > bytes - 1) {
        if (neuVorne) alte.pop_back();
        else alte.erase(alte.begin());
    }
    std::string text;
    if (neuVorne) text = neu + "#";
    for (const std::string& a : alte) text += a + "#";
    if (!neuVorne) text += neu + "#";
    const std::size_t n = text.size() < bytes - 1 ? text.size() : bytes - 1;
    std::memcpy(liste, text.data(), n);
    liste[n] = '\0';
    return true;
}

int32_t BeschriftungAusWahl(int32_t x, int32_t y, int32_t titel)
{
    auto bit = [](int32_t wahl) { return wahl < 0 || wahl > 2 ? 1 : 1 << wahl; };
    return bit(x) | (bit(y) << 4) | (bit(titel) << 8);
}

void WahlAusBeschriftung(int32_t flags, int32_t wahl[3])
{
    for (int32_t g = 0; g < 3; ++g) {
        const int32_t bits = (flags >> (4 * g)) & 7;
        wahl[g] = bits & 1 ? 0 : bits & 2 ? 1 : bits & 4 ? 2 : 0;
    }
}

LEGENDE LegendeLesen(double anzahl, const double* pos, std::size_t posWerte, const char* text)
{
    LEGENDE l;
    int32_t n = std::isfinite(anzahl) && anzahl > 0 ? static_cast<int32_t>(std::fmin(anzahl, 1e6)) : 0;
    if (n > LEGENDE_MAX) n = LEGENDE_MAX;
    if (!pos) n = 0;
    while (n > 0 && static_cast<std::size_t>(2 * n) > posWerte) --n;
    l.Anzahl = n;
    for (int32_t i = 0; i < 2 * n; ++i) l.Pos[i] = pos[i];
    l.Text = text ? text : "";
    return l;
}

void LegendeSchreiben(const LEGENDE& l, double* anzahl, double* pos, std::size_t posWerte,
                      char* text, std::size_t bytes)
{
    int32_t n = l.Anzahl;
    while (n > 0 && static_cast<std::size_t>(2 * n) > posWerte) --n;
    *anzahl = n;
    for (int32_t i = 0; i < 2 * n; ++i) pos[i] = l.Pos[i];
    if (!text || bytes == 0) return;
    const std::size_t k = l.Text.size() < bytes - 1 ? l.Text.size() : bytes - 1;
    std::memcpy(text, l.Text.data(), k);
    text[k] = '\0';
}

std::string LegendenZeile(const LEGENDE& l, int32_t i)
{
    std::size_t anfang = 0;
    for (int32_t k = 1; k < i; ++k) {
        const std::size_t lf = l.Text.find('\n', anfang);
        if (lf == std::string::npos) return "";
        anfang = lf + 1;
    }
    const std::size_t lf = l.Text.find('\n', anfang);
    return l.Text.substr(anfang, lf == std::string::npos ? std::string::npos : lf - anfang);
}

bool LegendeAnfuegen(LEGENDE& l, const std::string& text, double x, double y)
{
    std::string zeile = text.substr(0, text.find('\n'));
    if (zeile.size() > static_cast<std::size_t>(LEGENDE_TEXT_MAX)) zeile.resize(LEGENDE_TEXT_MAX);
    if (zeile.empty() || l.Anzahl >= LEGENDE_MAX) return false;
    l.Pos[2 * l.Anzahl] = x;
    l.Pos[2 * l.Anzahl + 1] = y;
    ++l.Anzahl;
    l.Text += zeile + "\n";
    return true;
}

void LegendeEntfernen(LEGENDE& l, int32_t i)
{
    if (i < 1 || i > l.Anzahl) return;
    std::size_t anfang = 0;
    for (int32_t k = 1; k < i; ++k) anfang = l.Text.find('\n', anfang) + 1;
    const std::size_t lf = l.Text.find('\n', anfang);
    l.Text.erase(anfang, lf == std::string::npos ? std::string::npos : lf - anfang + 1);
    for (int32_t k = i; k < l.Anzahl; ++k) {
        l.Pos[2 * k - 2] = l.Pos[2 * k];
        l.Pos[2 * k - 1] = l.Pos[2 * k + 1];
    }
    --l.Anzahl;
}

bool LegendeBuendig(LEGENDE& l)
{
    if (l.Anzahl < 2) return false;
    int32_t oben = 0;
    for (int32_t i = 1; i < l.Anzahl; ++i)
        if (l.Pos[2 * i + 1] > l.Pos[2 * oben + 1]) oben = i;
    for (int32_t i = 0; i < l.Anzahl; ++i) l.Pos[2 * i] = l.Pos[2 * oben];
    return true;
}
