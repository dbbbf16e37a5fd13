#include "shell/settings.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace {

// Number at the start of at most n characters of text; false when there is
// none.
bool Zahl(const std::string& text, std::size_t n, double* wert)
{
    std::string kopf = text.substr(0, n);
    char* ende = nullptr;
    double v = std::strtod(kopf.c_str(), &ende);
    if (ende == kopf.c_str()) return false;
    *wert = v;
    return true;
}

}  // namespace

bool LeseZeile(std::FILE* datei, std::string& zeile)
{
    zeile.clear();
    int c;
    bool gelesen = false;
    while ((c = std::fgetc(datei)) != EOF) {
        gelesen = true;
        if (c == '\n') break;
        zeile.push_back(static_cast<char>(c));
    }
    if (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
    return gelesen;
}

void KopiereText(char* ziel, std::size_t groesse, const std::string& text)
{
    if (groesse == 0) return;
    std::size_t n = text.size() < groesse - 1 ? text.size() : groesse - 1;
    std::memcpy(ziel, text.data(), n);
    ziel[n] = '\0';
}

double LeseXasERange(std::FILE* datei)
{
    std::string zeile;
    double wert = XAS_E_RANGE_VORGABE;
    if (datei && LeseZeile(datei, zeile) && Zahl(zeile, 99, &wert)) return wert;
    return XAS_E_RANGE_VORGABE;
}

void SchriftProfilVorgaben(SCHRIFT_PROFIL profile[2])
{
    static const int32_t eins[10] = {0, 14, 14, 14, 14, 1, 1, 1, 1, 1};
    static const int32_t zwei[10] = {0, 30, 30, 30, 30, 2, 2, 1, 1, 0};
    for (int i = 0; i < 10; ++i) {
        profile[0].Wert[i] = eins[i];
        profile[1].Wert[i] = zwei[i];
    }
}

void LeseNumericIns(std::FILE* datei, char* xListe, char* yListe, char* titelListe,
                    std::size_t listeBytes, SCHRIFT_PROFIL profile[2], int32_t* aktivesProfil)
{
    if (datei) {
        char* listen[3] = {xListe, yListe, titelListe};
        std::string zeile;
        for (char* liste : listen) {
            // A missing line leaves its list as it is.
            if (LeseZeile(datei, zeile)) KopiereText(liste, listeBytes, zeile);
        }
        profile[0].Wert[1] = 0;
        profile[0].Wert[2] = 0;
        if (LeseZeile(datei, zeile) && !zeile.empty() &&
            std::isdigit(static_cast<unsigned char>(zeile[0]))) {
            std::size_t pos = 0;
            for (int k = 0; k < 30; ++k) {
                if (pos >= zeile.size()) break;
                std::size_t komma = zeile.find(',', pos);
                std::string feld = zeile.substr(pos, komma == std::string::npos ? std::string::npos
                                                                                 : komma - pos);
                if (feld.empty()) break;
                profile[k / 15].Wert[k % 15] = static_cast<int32_t>(std::atol(feld.c_str()));
                if (komma == std::string::npos) break;
                pos = komma + 1;
            }
        }
    }
    *aktivesProfil = 1;
    int32_t a = profile[0].Wert[1], b = profile[1].Wert[2];
    if (a < SCHRIFT_HOEHE_MIN || a > SCHRIFT_HOEHE_MAX || b < SCHRIFT_HOEHE_MIN || b > SCHRIFT_HOEHE_MAX)
        SchriftProfilVorgaben(profile);
}

std::string NumericInsText(const char* xListe, const char* yListe, const char* titelListe,
                           const SCHRIFT_PROFIL profile[2])
{
    std::string text;
    for (const char* liste : {xListe, yListe, titelListe}) {
        if (liste) text += liste;
        text += '\n';
    }
    char zahl[16];
    for (int k = 0; k < 30; ++k) {
        std::snprintf(zahl, sizeof zahl, "%d,", static_cast<int>(profile[k / 15].Wert[k % 15]));
        text += zahl;
    }
    text += '\n';
    return text;
}

void SchreibeNumericIns(std::FILE* datei, const char* xListe, const char* yListe,
                        const char* titelListe, const SCHRIFT_PROFIL profile[2])
{
    std::fputs(NumericInsText(xListe, yListe, titelListe, profile).c_str(), datei);
}

std::string XasERangeText(double keV)
{
    char text[40];
    std::snprintf(text, sizeof text, "%G", keV);
    return text;
}

void LeseBrowserDat(std::FILE* datei, char* pfad, std::size_t groesse)
{
    std::string zeile;
    if (datei && LeseZeile(datei, zeile) && !zeile.empty()) KopiereText(pfad, groesse, zeile);
}

void LeseXrdIni(std::FILE* datei, double* wellenlaenge, double profil[3])
{
    if (!datei) return;
    double* ziele[4] = {wellenlaenge, &profil[0], &profil[1], &profil[2]};
    std::string zeile;
    for (double* ziel : ziele) {
        if (!LeseZeile(datei, zeile)) break;
        Zahl(zeile, 100, ziel);
    }
}
