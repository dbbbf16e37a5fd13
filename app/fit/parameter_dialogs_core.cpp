// Pages, captions, constraint defaults and the table copy of the parameter
// dialogs.
#include "fit/parameter_dialogs.h"

#include <algorithm>
#include <cstdio>

#include "fit/fit_model.h"
#include "fit/model_function.h"

int32_t SeitenAnzahl(int32_t anzahl)
{
    return anzahl < 1 ? 1 : (anzahl + TABELLE_ZEILEN - 1) / TABELLE_ZEILEN;
}

void SeitenFunktionen(int32_t anzahl, int32_t seite, int32_t& erste, int32_t& letzte)
{
    erste = TABELLE_ZEILEN * (seite - 1) + 1;
    letzte = std::min(anzahl, TABELLE_ZEILEN * seite);
}

std::string ParameterBeschriftung(int32_t typ, int32_t c)
{
    if (typ > 100) typ -= 100;
    char text[40];
    if (typ == 7 || typ == 20) {
        std::snprintf(text, sizeof text, "%d. coeff.: ", c + 1);
        return text;
    }
    if (typ < 0 || typ >= CATALOG_CODES || c < 0 || c >= 6) return "";
    const uint32_t k = FitFunctionCatalog[typ].Bezeichnungen[c];
    return k < static_cast<uint32_t>(PARAMETER_NAMES) ? ParameterNames[k] : "";
}

void SchrankenVorgaben(int32_t modus, std::string& unten, std::string& oben)
{
    unten.clear();
    oben.clear();
    if (modus == 1) { unten = "0"; oben = "CN"; }
    if (modus == 2) { unten = "-0.15"; oben = "0.15"; }
    if (modus == 3) { unten = "0.0001"; oben = "0.05"; }
}

TABELLEN_STAND TabellenMerken()
{
    TABELLEN_STAND s;
    if (!FitParameters || !ParameterFlags || !CorrelationWords || !CorrelationConstants || !FreeParameterList)
        return s;
    s.Block.assign(FitParameters, FitParameters + PARAMETER_BLOCK_DOUBLES);
    s.Flags.assign(ParameterFlags, ParameterFlags + RESET_ENTRIES);
    s.Worte.assign(CorrelationWords, CorrelationWords + RESET_ENTRIES);
    s.Konstanten.assign(CorrelationConstants, CorrelationConstants + RESET_ENTRIES);
    s.Liste.assign(FreeParameterList, FreeParameterList + RESET_ENTRIES);
    s.MaxPar = MaxParameter;
    s.MaxFit = MaxFitParameter;
    return s;
}

void TabellenZurueck(const TABELLEN_STAND& s)
{
    if (s.Block.empty() || !FitParameters) return;
    std::copy(s.Block.begin(), s.Block.end(), FitParameters);
    std::copy(s.Flags.begin(), s.Flags.end(), ParameterFlags);
    std::copy(s.Worte.begin(), s.Worte.end(), CorrelationWords);
    std::copy(s.Konstanten.begin(), s.Konstanten.end(), CorrelationConstants);
    std::copy(s.Liste.begin(), s.Liste.end(), FreeParameterList);
    MaxParameter = s.MaxPar;
    MaxFitParameter = s.MaxFit;
}
