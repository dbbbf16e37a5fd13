#include "shell/help_viewer.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace {

// One line of at most HILFE_ZEILE characters without its line end; false at
// the end of the file.
bool Zeile(std::FILE* datei, char (&puffer)[HILFE_ZEILE + 1])
{
    if (!std::fgets(puffer, sizeof puffer, datei)) return false;
    std::size_t n = std::strlen(puffer);
    while (n > 0 && (puffer[n - 1] == '\n' || puffer[n - 1] == '\r')) puffer[--n] = '\0';
    return true;
}

}  // namespace

const char* HilfeDateiName(int32_t deutsch)
{
    return deutsch ? "n_german.hlp" : "n_engl.hlp";
}

bool HilfeKopf(const char* zeile, int32_t* thema)
{
    if (std::strlen(zeile) < 5 || zeile[4] != '#') return false;
    *thema = static_cast<int32_t>(std::atoi(zeile));
    return true;
}

bool HilfeThemaLesen(std::FILE* datei, int32_t thema, char* ziel, std::size_t groesse)
{
    if (groesse < 3) {
        if (groesse) ziel[0] = '\0';
        return false;
    }
    std::strcpy(ziel, "\r\n");
    std::size_t laenge = 2;
    char zeile[HILFE_ZEILE + 1];
    int32_t nummer = 0;
    bool gefunden = false;
    while (Zeile(datei, zeile))
        if (HilfeKopf(zeile, &nummer) && nummer == thema) {
            gefunden = true;
            break;
        }
    if (!gefunden) return false;
    bool voll = false;
    while (Zeile(datei, zeile) && !HilfeKopf(zeile, &nummer)) {
        const std::size_t n = std::strlen(zeile);
        if (voll || laenge + n + 2 >= groesse) {
            voll = true;
            continue;
        }
        std::memcpy(ziel + laenge, zeile, n);
        std::memcpy(ziel + laenge + n, "\r\n", 3);
        laenge += n + 2;
    }
    return true;
}

std::vector<int32_t> HilfeThemen(std::FILE* datei)
{
    std::vector<int32_t> themen;
    char zeile[HILFE_ZEILE + 1];
    int32_t nummer = 0;
    while (Zeile(datei, zeile))
        if (HilfeKopf(zeile, &nummer)) themen.push_back(nummer);
    return themen;
}

// The data-command dialogs answer their help button with the number of
// their command (the plot-style dialog with 581, the combine dialog with 5).
const HILFE_DIALOG HILFE_DIALOGE[] = {
    {"COPYFELD", 601},
    {"TAKEFELD", 606},
    {"FUNCFELD", 603},
    {"GET_FILE_INFORMATION", 604},
    {"SPEKTRENSHIFT", 607},
    {"ABZISSENSHIFT", 608},
    {"NOISEGENERATOR", 620},
    {"COMBINE_GRAFIK", 5},
    {"USERSTYLE", 581},
    {"CLIPBOARDFORMAT", 610},
    {"ASSIST", 191},
    {"GET_FUNCTION", 135},
    {"FUNCBORDER", 155},
    {"SET_PARAMETER", 56},
    {"DEFAULTFONT", 194},
    {"FITOPTIONEN", 140},
    {"FILEOPTIONEN", 172},
    {"OPTEXAFS", 813},
    {"OPTIONEN_GRAFIK", 112},
    {"PRINTOPT", 113},
    {"FONTS", 451},
    {"ACHSEN", 450},
    {"SHOWHEADER", 826},
    {"AVERAGE", 827},
    {"DEXFOIL", 890},
    {"AUTODEX", 824},
    {"SETCONVOLFWHM", 1111},
    {"MULTICOLPLOT", 825},
    {"SET_BORDER", 605},
    {"GET_FSMOOTH", 501},
    {"SPLINE", 503},
    {"GOLAYSMOOTH", 508},
    {"FTRANSFORMATION", 506},
    {"WEIGHTFT", 559},
    {"AUSGLEICHSSPLINE", 510},
    {"AUSGLEICHSPOLYNOM", 513},
    {"NULLSTELLEN", 502},
    {"GET_INTEGRAL", 504},
    {"DIFFERENTIATION", 505},
    {"MINMAX", 517},
    {"CALCDEXSPEC", 833},
    {"CONVERTDEX", 821},
    {"DEXSCALE", 819},
    {"PCANALYSIS", 851},
    {"RATIOMETHOD", 829},
    {"DIFFSPECTRA", 831},
    // Its radio button 160 (" p-Voigt") carries the help button's number.
    {"PEAKSEARCH", 904},
    {"XRDSTRUCTFIT", 915},
};
const std::size_t HILFE_DIALOGE_ANZAHL = sizeof HILFE_DIALOGE / sizeof HILFE_DIALOGE[0];

int32_t HilfeThemaVon(const char* vorlage)
{
    for (std::size_t i = 0; i < HILFE_DIALOGE_ANZAHL; ++i)
        if (std::strcmp(HILFE_DIALOGE[i].Vorlage, vorlage) == 0) return HILFE_DIALOGE[i].Thema;
    return -1;
}
