#include "spectra/data_dialogs.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool NurLeer(const char* p)
{
    while (*p == ' ' || *p == '\t') ++p;
    return *p == 0;
}

}  // namespace

bool LiesZahl(const char* text, double* wert)
{
    if (!text || !wert) return false;
    const char* p = text;
    while (*p == ' ' || *p == '\t') ++p;
    // strtod would also take "inf", "nan" and hex numbers, which no user
    // means as a factor or border.
    for (const char* q = p; *q; ++q)
        if (std::strchr("xXiInN", *q)) return false;
    char* ende = nullptr;
    const double v = std::strtod(p, &ende);
    if (ende == p || !NurLeer(ende) || !std::isfinite(v)) return false;
    *wert = v;
    return true;
}

bool LiesGanzzahl(const char* text, int32_t* wert)
{
    if (!text || !wert) return false;
    const char* p = text;
    while (*p == ' ' || *p == '\t') ++p;
    char* ende = nullptr;
    errno = 0;
    const long long v = std::strtoll(p, &ende, 10);
    if (ende == p || !NurLeer(ende) || errno == ERANGE || v < INT32_MIN || v > INT32_MAX)
        return false;
    *wert = static_cast<int32_t>(v);
    return true;
}

int32_t AngeboteneSlots(int32_t neuesterZaehler)
{
    if (neuesterZaehler < 0) return 1;
    return (neuesterZaehler < 3 ? neuesterZaehler : 3) + 1;
}

int32_t KopierAuswahl(const bool gewaehlt[DIALOG_KURVEN])
{
    for (int32_t i = 0; i < DIALOG_KURVEN; ++i)
        if (gewaehlt[i]) return 10 * (i / DIALOG_SLOTS) + i % DIALOG_SLOTS;
    return -1;
}

int32_t EinfuegeErgebnis(bool original, int32_t slot)
{
    if (original) return 11;
    if (slot < 0 || slot >= DIALOG_SLOTS) return 0;
    return slot + 1;
}

bool FunktionPunkteFest(int32_t ersterTyp)
{
    // A code above 100 is the same type, switched off for the fit.
    if (ersterTyp > 100) ersterTyp -= 100;
    return ersterTyp >= 15 && ersterTyp <= 22;
}

double OrdinatenOperand(int32_t auswahl, int32_t spalten, bool funktion, bool extern_)
{
    if (extern_) return -1.0;
    if (funktion) return 1000.0;
    if (auswahl <= 0) return 0.0;
    if (auswahl <= spalten) return auswahl;
    return auswahl + 100 - spalten;
}

int32_t AbszissenErgebnis(int32_t auswahl, bool mitY)
{
    return 220 + auswahl + (mitY ? 1000 : 0);
}

KombiNummern::KombiNummern() : zaehler_(0)
{
    for (int32_t& n : nummer_) n = 0;
}

void KombiNummern::Setze(int32_t index, bool an)
{
    if (index < 0 || index >= DIALOG_KURVEN) return;
    const int32_t alt = nummer_[index];
    if (an) {
        if (alt == 0) nummer_[index] = ++zaehler_;
        return;
    }
    if (alt == 0) return;
    nummer_[index] = 0;
    for (int32_t& n : nummer_)
        if (n > alt) --n;
    --zaehler_;
}

int32_t KombiNummern::Nummer(int32_t index) const
{
    return index >= 0 && index < DIALOG_KURVEN ? nummer_[index] : 0;
}

int32_t KombiListeBauen(const KombiNummern& nummern, const bool rechts[DIALOG_KURVEN],
                        int32_t liste[DIALOG_KURVEN])
{
    int32_t anzahl = 0;
    for (int32_t i = 0; i < DIALOG_KURVEN; ++i) {
        const int32_t k = nummern.Nummer(i);
        if (k < 1 || k > DIALOG_KURVEN) continue;
        liste[k - 1] = 10 * (i / DIALOG_SLOTS) + i % DIALOG_SLOTS + (rechts[i] ? 100 : 0);
        if (k > anzahl) anzahl = k;
    }
    return anzahl;
}

int32_t VersatzCode(int32_t wahl)
{
    if (wahl < 1 || wahl > 4) return 1;
    return 10 + wahl;
}

int32_t StilWort(int32_t symbole, int32_t linienStil, int32_t breite)
{
    const uint32_t hoch = static_cast<uint32_t>(linienStil + 10 * breite) & 0xFFFFu;
    return static_cast<int32_t>((hoch << 16) | (static_cast<uint32_t>(symbole) & 0xFFFFu));
}

void StilWortLesen(int32_t wort, int32_t* symbole, int32_t* linienStil, int32_t* breite)
{
    const uint32_t w = static_cast<uint32_t>(wort);
    const int32_t hoch = static_cast<int32_t>(w >> 16);
    *symbole = static_cast<int32_t>(w & 0xFFFFu);
    *breite = hoch / 10;
    *linienStil = hoch - 10 * *breite;
}

int32_t MultiStilWort(int32_t k, bool symbole, bool linien, bool breiten, int32_t eigeneSymbole,
                      int32_t eigenerStil, int32_t eigeneBreite)
{
    int32_t s = eigeneSymbole & 0xFFFF;
    if (symbole) {
        const int32_t m = k < 6 ? k : (k % 6) + 2;
        s = (eigeneSymbole & STIL_VERBINDEN) | (1 << m);
        if (k >= 6) s |= STIL_KREISE;
    }
    const int32_t stil = linien ? (k - 1) % 10 : eigenerStil;
    const int32_t breite = breiten ? k : eigeneBreite;
    return StilWort(s, stil, breite);
}

const uint32_t DialogFarben[DIALOG_FARBEN] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xFF0000,
    0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF, 0xC0C0C0,
};

int32_t FarbEintrag(uint32_t farbe)
{
    for (int32_t i = 0; i < DIALOG_FARBEN; ++i)
        if (DialogFarben[i] == (farbe & 0xFFFFFFu)) return i;
    return 1;
}

void KopierMasse(bool metafile, bool angepasst, int32_t breite, int32_t hoehe, double* dw0,
                 double* dw1)
{
    if (metafile && !angepasst) {
        *dw0 = *dw1 = 0.0;
        return;
    }
    *dw0 = breite + 0.1;
    *dw1 = hoehe + 0.1;
}

int32_t DateiVorschau(const char* pfad, int32_t kopfzeilen, int32_t punkte, std::string* text)
{
    text->clear();
    FILE* f = pfad ? std::fopen(pfad, "rb") : nullptr;
    if (!f) return -1;
    if (kopfzeilen < 0) kopfzeilen = 0;
    if (punkte < 0) punkte = 0;
    const int32_t grenze = kopfzeilen + (punkte < 15 ? punkte : 15);
    const size_t LAENGE = 298;
    int32_t zeilen = 0;
    std::string zeile;
    int c = 0;
    while (zeilen < grenze && c != EOF) {
        zeile.clear();
        while ((c = std::fgetc(f)) != EOF && c != '\n')
            if (c != '\r' && zeile.size() < LAENGE) zeile.push_back(static_cast<char>(c));
        if (c == EOF && zeile.empty()) break;
        *text += zeile;
        *text += "\r\n";
        ++zeilen;
    }
    std::fclose(f);
    return zeilen;
}
