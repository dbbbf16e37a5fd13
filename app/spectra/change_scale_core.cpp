// The fields of the axis-scaling dialog and their arithmetic.
#include "spectra/change_scale.h"

#include "resource_ids.h"

#include <cerrno>
#include <cstdlib>

const SKALEN_FELD SKALEN_TABELLE[SKALEN_FELDER] = {
    {IDC_SCALE_X_NUMBERS, IDC_SCALE_X_NUMBERS + 1, 1, 1, 29},
    {IDC_SCALE_Y_NUMBERS, IDC_SCALE_Y_NUMBERS + 1, 1, 1, 29},
    {IDC_SCALE_Z_NUMBERS, IDC_SCALE_Z_NUMBERS + 1, 1, 1, 29},
    {IDC_SCALE_X_LINES, IDC_SCALE_X_LINES + 1, 1, 1, 29},
    {IDC_SCALE_Y_LINES, IDC_SCALE_Y_LINES + 1, 1, 1, 29},
    {IDC_SCALE_Z_LINES, IDC_SCALE_Z_LINES + 1, 1, 1, 29},
    {IDC_SCALE_X_DISTANCE, IDC_SCALE_X_DISTANCE + 1, 2, -99, 99},
    {IDC_SCALE_Y_DISTANCE, IDC_SCALE_Y_DISTANCE + 1, 2, -99, 99},
    {IDC_SCALE_Z_DISTANCE, IDC_SCALE_Z_DISTANCE + 1, 2, -99, 99},
};

int32_t SkalenFeld(int32_t id, bool edit)
{
    for (int32_t i = 0; i < SKALEN_FELDER; ++i)
        if ((edit ? SKALEN_TABELLE[i].Edit : SKALEN_TABELLE[i].Rollbalken) == id) return i;
    return -1;
}

bool SkalenSchritt(int32_t i, int32_t wert, bool hoch, int32_t* neu)
{
    if (i < 0 || i >= SKALEN_FELDER || !neu) return false;
    const SKALEN_FELD& f = SKALEN_TABELLE[i];
    const int64_t n = static_cast<int64_t>(wert) + (hoch ? f.Schritt : -f.Schritt);
    if (n < f.Min || n > f.Max) return false;
    *neu = static_cast<int32_t>(n);
    return true;
}

bool SkalenZahl(int32_t i, const char* text, int32_t* wert)
{
    if (i < 0 || i >= SKALEN_FELDER || !text || !wert) return false;
    char* ende = nullptr;
    errno = 0;
    const long n = std::strtol(text, &ende, 10);
    if (ende == text || errno == ERANGE) return false;
    while (*ende == ' ' || *ende == '\t') ++ende;
    if (*ende) return false;
    const SKALEN_FELD& f = SKALEN_TABELLE[i];
    if (n < f.Min || n > f.Max) return false;
    *wert = static_cast<int32_t>(n);
    return true;
}
