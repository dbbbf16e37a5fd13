// Loading of the McMaster table "mucal.dat" of the program folder.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "shell/haupt_fenster.h"

int32_t ReadMucal(int32_t)
{
    if (!McMasterTable) return 0;
    char pfad[MAX_PATH + ORDNER_BYTES];
    ProgrammDatei(pfad, sizeof pfad, "mucal.dat");
    std::FILE* f = std::fopen(pfad, "rt");
    if (!f) return 0;
    // Caption lines begin with a letter; every other line holds numbers,
    // which follow each other in the table in the order of the file.
    int32_t anzahl = 0;
    std::string zeile;
    while (LeseZeile(f, zeile) && anzahl < WORK_DOUBLES) {
        std::size_t i = zeile.find_first_not_of(" \t");
        if (i == std::string::npos || std::isalpha(static_cast<unsigned char>(zeile[i]))) continue;
        const char* p = zeile.c_str();
        char* ende = nullptr;
        for (double v = std::strtod(p, &ende); ende != p && anzahl < WORK_DOUBLES;
             v = std::strtod(p, &ende)) {
            McMasterTable[anzahl++] = v;
            p = ende;
        }
    }
    std::fclose(f);
    if (anzahl == 0) return 0;
    return anzahl;
}
