#include "shell/assistant.h"

#include <cstring>

namespace {

const char* const TRENNER = "######";
const char* const ENDE_TEXT = "*****";

bool Haelt(const std::string& zeile, const char* marke)
{
    return zeile.find(marke) != std::string::npos;
}

// Index of the first line from `ab` that holds marke; zeilen.size() when none.
std::size_t Suche(const std::vector<std::string>& zeilen, std::size_t ab, const char* marke)
{
    while (ab < zeilen.size() && !Haelt(zeilen[ab], marke)) ++ab;
    return ab;
}

// Lines from `ab` up to the next "*****" line (or the end), each followed by "\r\n".
std::string Text(const std::vector<std::string>& zeilen, std::size_t ab, bool* ende)
{
    std::string text;
    for (std::size_t i = ab; i < zeilen.size() && !Haelt(zeilen[i], ENDE_TEXT); ++i) {
        if (ende && Haelt(zeilen[i], "END of this scenario")) *ende = true;
        text += zeilen[i];
        text += "\r\n";
    }
    return text;
}

std::string Marke(const char* wort, int32_t n)
{
    char text[40];
    std::snprintf(text, sizeof text, "%s %d", wort, static_cast<int>(n));
    return text;
}

}  // namespace

std::vector<std::string> AssistZeilen(std::FILE* datei)
{
    std::vector<std::string> zeilen;
    char puffer[ASSIST_ZEILE + 1];
    while (std::fgets(puffer, sizeof puffer, datei)) {
        std::size_t n = std::strlen(puffer);
        while (n > 0 && (puffer[n - 1] == '\n' || puffer[n - 1] == '\r')) --n;
        zeilen.emplace_back(puffer, n);
    }
    return zeilen;
}

void AssistAnfang(const std::vector<std::string>& zeilen, std::vector<std::string>* titel,
                  std::string* einleitung)
{
    titel->clear();
    const std::size_t trenner = Suche(zeilen, 0, TRENNER);
    for (std::size_t i = 0; i < trenner; ++i) titel->push_back(zeilen[i]);
    einleitung->clear();
    for (std::size_t i = trenner + 1; i < zeilen.size() && !Haelt(zeilen[i], TRENNER); ++i) {
        *einleitung += zeilen[i];
        *einleitung += "\r\n";
    }
}

std::string AssistSzenario(const std::vector<std::string>& zeilen, int32_t n)
{
    const std::size_t s = Suche(zeilen, 0, Marke("Scenario", n).c_str());
    if (s >= zeilen.size()) return "";
    return Text(zeilen, s + 1, nullptr);
}

std::string AssistSchritt(const std::vector<std::string>& zeilen, int32_t n, int32_t k, bool* ende)
{
    *ende = false;
    const std::size_t s = Suche(zeilen, 0, Marke("Scenario", n).c_str());
    if (s >= zeilen.size()) return "";
    const std::size_t schritt = Suche(zeilen, s + 1, Marke("Step", k).c_str());
    if (schritt >= zeilen.size()) return "";
    return Text(zeilen, schritt, ende);
}
