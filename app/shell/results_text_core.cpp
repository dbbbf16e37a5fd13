#include "shell/results_text.h"

#include <cstdio>
#include <cstring>

namespace {

const char* const WOCHENTAGE[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const MONATE[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

int Begrenzt(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

}  // namespace

std::string ZeitText24(const std::tm& t)
{
    // The Windows runtime's asctime form (day of month with a leading zero),
    // built by hand: asctime itself is undefined for fields out of range.
    char b[64];
    std::snprintf(b, sizeof b, "%.3s %.3s %.2d %.2d:%.2d:%.2d %d",
                  WOCHENTAGE[Begrenzt(t.tm_wday, 0, 6)], MONATE[Begrenzt(t.tm_mon, 0, 11)],
                  t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec, 1900 + t.tm_year);
    return b;
}

std::string HistorieZeitZeile(const std::tm& t)
{
    return "\r\n  Current date and time :   " + ZeitText24(t) + " \r\n";
}

std::string ErgebnisDateiKopf(const std::tm& t)
{
    return "Korlan-Results: \n\n  Current date and time :   " + ZeitText24(t) + "\n \n";
}

std::string FuerTextmodus(const char* text)
{
    std::string aus;
    for (const char* p = text; *p; ++p) {
        if (p[0] == '\r' && p[1] == '\n') continue;
        aus += *p;
    }
    return aus;
}

bool ErgebnisDateiNeu(const std::string& pfad, const std::tm& t)
{
    std::FILE* d = std::fopen(pfad.c_str(), "w");
    if (!d) return false;
    std::string kopf = ErgebnisDateiKopf(t);
    bool ok = std::fwrite(kopf.data(), 1, kopf.size(), d) == kopf.size();
    return (std::fclose(d) == 0) && ok;
}

bool ErgebnisDateiAnhaengen(const std::string& pfad, const char* text)
{
    std::FILE* d = std::fopen(pfad.c_str(), "a");
    if (!d) return false;
    std::string t = FuerTextmodus(text);
    bool ok = std::fwrite(t.data(), 1, t.size(), d) == t.size();
    return (std::fclose(d) == 0) && ok;
}

size_t BegrenztKopieren(char* ziel, size_t kapazitaet, const char* text, size_t maxZeichen)
{
    if (kapazitaet == 0) return 0;
    size_t n = 0;
    size_t grenze = kapazitaet - 1 < maxZeichen ? kapazitaet - 1 : maxZeichen;
    while (n < grenze && text[n]) {
        ziel[n] = text[n];
        ++n;
    }
    ziel[n] = '\0';
    return n;
}

bool BegrenztAnhaengen(char* ziel, size_t kapazitaet, const char* text)
{
    if (kapazitaet == 0) return text[0] == '\0';
    size_t n = strnlen(ziel, kapazitaet);
    if (n == kapazitaet) {  // unterminated block: end it at its last byte
        n = kapazitaet - 1;
        ziel[n] = '\0';
    }
    size_t kopiert = BegrenztKopieren(ziel + n, kapazitaet - n, text);
    return text[kopiert] == '\0';
}

HistorieErgebnis HistorieAnhaengen(char* historie, size_t kapazitaet, const char* text,
                                   const std::tm& jetzt)
{
    HistorieErgebnis e;
    if (kapazitaet == 0) {
        e.abgeschnitten = true;
        return e;
    }
    size_t n = strnlen(historie, kapazitaet);
    if (n == kapazitaet) n = kapazitaet - 1;
    historie[n] = '\0';
    const size_t m = std::strlen(text);
    const size_t summe = n + m;
    e.warnen = summe >= HISTORIE_WARNUNG_VON && summe <= HISTORIE_WARNUNG_BIS;

    std::string neu;
    if (summe > HISTORIE_KUERZEN_AB) {
        size_t weg = n / 2;
        std::memmove(historie, historie + weg, n - weg);
        n -= weg;
        historie[n] = '\0';
        neu = "\r\n" + HistorieZeitZeile(jetzt);
        e.gekuerzt = true;
    }
    neu += "\r\n";
    neu += text;

    const size_t platz = kapazitaet - 1;
    if (n + neu.size() > platz) {
        e.abgeschnitten = true;
        size_t weg = neu.size() <= platz ? n + neu.size() - platz : n;
        std::memmove(historie, historie + weg, n - weg);
        n -= weg;
        historie[n] = '\0';
    }
    BegrenztKopieren(historie + n, kapazitaet - n, neu.c_str());
    return e;
}

std::string LaengenZeile(size_t laenge)
{
    return "Length  :  " + std::to_string(laenge);
}
