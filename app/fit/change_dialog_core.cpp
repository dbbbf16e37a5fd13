// The plain part of the live parameter change dialog.
#include "fit/change_dialog.h"

#include <cmath>
#include <cstdio>

#include "fit/fit_model.h"
#include "fit/report_text.h"
#include "xas/feff_path.h"

const double AENDERN_SCHRITTE[AENDERN_STUFEN] = {0.02, 0.2, 2.0, 20.0, 40.0, 80.0};

namespace {

const int32_t POLYNOM_CODE = 7;

int32_t Code(int32_t f)
{
    const int32_t t = FitFunctionTypes[f - 1];
    return t > 100 ? t - 100 : t;
}

}  // namespace

bool AendernZeigeFunktion(AENDERN_ZUSTAND& z, int32_t n)
{
    if (FitFunctionCount < 1 || !FitFunctionTypes) return false;
    if (n < 1) n = 1;
    if (n > FitFunctionCount) n = FitFunctionCount;
    z.Funktion = n;
    z.Versatz = ParameterIndex(n, 0);
    z.Anzahl = FunctionParameterCount(FitFunctionTypes[n - 1], FitPolyDegree, SplineKnotCount);
    if (z.Zeile >= AendernZeilen(z)) z.Zeile = 0;
    return true;
}

int32_t AendernZeilen(const AENDERN_ZUSTAND& z)
{
    return z.Anzahl < AENDERN_ZEILEN ? z.Anzahl : AENDERN_ZEILEN;
}

double AendernAenderung(int32_t code, double schritt)
{
    switch (code) {
    case 0: return -schritt / 20.0;
    case 1: return schritt / 20.0;
    case 2: return -schritt;
    case 3: return schritt;
    default: return 0.0;
    }
}

int32_t AendernPosition(int32_t position, double d)
{
    const double p = static_cast<double>(position) + std::trunc(d);
    if (p > AENDERN_SCROLL_GRENZE) return AENDERN_SCROLL_GRENZE;
    if (p < -AENDERN_SCROLL_GRENZE) return -AENDERN_SCROLL_GRENZE;
    return static_cast<int32_t>(p);
}

double AendernWert(double v, double d)
{
    return v != 0.0 ? v * (1.0 - 0.005 * d) : -0.1 * d;
}

std::string AendernTitel(int32_t code, int32_t j)
{
    if ((code > 100 ? code - 100 : code) == POLYNOM_CODE) return Format("%d. coeff.: ", static_cast<int>(j + 1));
    return KatalogTitel(code, j);
}

std::string AendernName(int32_t f)
{
    if (f < 1 || f > FitFunctionCount || !FitFunctionTypes) return std::string();
    const int32_t code = Code(f);
    std::string name = KatalogName(code);
    const int32_t satz = f - 1;
    if (f > 1 && code >= 21 && code <= 24 && satz < FEFF_PFADE) {
        name += ", " + PfadName(satz);
        if (FeffPfade[satz].Beine > 2) name += ", MS";
    }
    return name;
}
