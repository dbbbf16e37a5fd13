// The McMaster look-ups on the program's table, and its loading at
// start-up from "mucal.dat" in the program folder.
#include "xas/mcmaster.h"

#include "shell/haupt_fenster.h"

int32_t ReadMucal(int32_t)
{
    if (!McMasterTable) return 0;
    char pfad[MAX_PATH + ORDNER_BYTES];
    ProgrammDatei(pfad, sizeof pfad, "mucal.dat");
    return LeseMucalDatei(pfad, McMasterTable);
}

double GetEdgeEnergy(char* symbol) { return GetEdgeEnergy(McMasterTable, symbol); }

int32_t McMasterCalc(char* symbol, double e, double* kanten, double* werte, double* ausbeuten,
                     char einheit, int32_t element)
{
    return McMasterCalc(McMasterTable, symbol, e, kanten, werte, ausbeuten, einheit, element);
}
