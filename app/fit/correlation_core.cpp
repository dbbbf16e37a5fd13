// Words, constants and texts of the correlation dialog.
#include "fit/correlation.h"

#include <cstdio>

#include "fit/fit_model.h"
#include "fit/model_function.h"
#include "fit/parameter_dialogs.h"

namespace {

// Function (1-based) and position of parameter j; false outside the model.
bool Lage(int32_t j, int32_t& f, int32_t& c)
{
    int32_t q = 0;
    for (int32_t k = 0; k < FitFunctionCount && FitFunctionTypes; ++k) {
        const int32_t n = FunctionParameterCount(FitFunctionTypes[k], FitPolyDegree, SplineKnotCount);
        if (j >= q && j < q + n) {
            f = k + 1;
            c = j - q;
            return true;
        }
        q += n;
    }
    return false;
}

}  // namespace

std::string ParameterZeile(int32_t j)
{
    int32_t f = 0, c = 0;
    if (j < 0 || !Lage(j, f, c)) return "";
    int32_t typ = FitFunctionTypes[f - 1];
    if (typ > 100) typ -= 100;
    const char* name = typ >= 0 && typ < CATALOG_CODES ? FitFunctionCatalog[typ].Name : "";
    char text[120];
    if (typ == 7 || typ == 20)
        std::snprintf(text, sizeof text, "%2d. #%2d, %.12s, Coeff.", j + 1, f, name);
    else
        std::snprintf(text, sizeof text, "%2d. #%2d, %.10s, %.9s", j + 1, f, name,
                      ParameterBeschriftung(typ, c).c_str());
    return text;
}

void KorrelationenAnfuegen(int32_t sp, const std::vector<int32_t>& gewaehlt, KORRELATION art, int32_t dritter,
                           double wert, const std::string& wertText, std::vector<KORRELATIONS_EINTRAG>& liste)
{
    const int32_t tiefe = sp & 0xFF;
    const std::string operand = dritter >= 0 ? ParameterZeile(dritter) : wertText;
    const double konstante = dritter >= 0 ? dritter + 0.2 : wert;
    const int32_t drittBit = dritter >= 0 ? CW_THIRD_PARAMETER : 0;
    for (size_t i = 0; i < gewaehlt.size() && liste.size() < KORRELATIONEN_MAX; ++i) {
        const int32_t q = gewaehlt[i];
        const std::string zeile = ParameterZeile(q);
        KORRELATIONS_EINTRAG e{q, 0, 0.0, ""};
        switch (art) {
        case KORR_GLEICH:
            e = {q, tiefe | CW_TIMES, 1.0, zeile + " and (SP) are equal"};
            break;
        case KORR_SUMME:
            if (i == 0)
                e = {q, tiefe | CW_SUM_EQUAL | drittBit, konstante, zeile + " + (SP) = " + operand};
            else
                e = {q, tiefe | CW_SUM_GROUP, 0.0, zeile + "     + "};
            break;
        default: {
            static const char* const zeichen[] = {" = (SP) + ", " = (SP) - ", " = (SP) * ", " = (SP) / "};
            static const int32_t bits[] = {CW_PLUS, CW_MINUS, CW_TIMES, CW_DIVIDE};
            const int k = art - KORR_PLUS;
            e = {q, tiefe | bits[k] | drittBit, konstante, zeile + zeichen[k] + operand};
            break;
        }
        }
        liste.push_back(e);
    }
}

int32_t KorrelationenSpeichern(int32_t sp, const std::vector<KORRELATIONS_EINTRAG>& liste)
{
    if (SetCorrelation(sp, CW_MASTER, 0.0) < 0) return 0;
    int32_t n = 0;
    for (const KORRELATIONS_EINTRAG& e : liste) {
        if (SetCorrelation(e.Parameter, e.Wort, e.Konstante) < 0) continue;
        if (e.Wort & CW_SUM_GROUP) ParameterFlags[e.Parameter] &= ~PF_CORRELATED;
        ++n;
    }
    return n;
}
