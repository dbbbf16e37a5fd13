// Pages, captions, constraint defaults and the table copy of the parameter
// dialogs.
#include "fit/parameter_dialogs.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <cstdio>

#include "fit/fit_model.h"
#include "fit/model_function.h"
#include "xas/feff_path.h"

TABELLEN_SEITEN TabellenSeiten(int32_t anzahl, int32_t zeilen, const std::vector<bool>& gelistet)
{
    TABELLEN_SEITEN seiten(1);
    if (zeilen < 1) zeilen = 1;
    for (int32_t f = 1; f <= anzahl; ++f) {
        if (!gelistet.empty() && (static_cast<size_t>(f - 1) >= gelistet.size() || !gelistet[f - 1])) continue;
        if (static_cast<int32_t>(seiten.back().size()) == zeilen) seiten.emplace_back();
        seiten.back().push_back(f);
    }
    return seiten;
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

namespace {

int32_t Grundtyp(int32_t typ) { return typ > 100 ? typ - 100 : typ; }

// Caption index of parameter c of a catalogue type, -1 for none.
int32_t BeschriftungsIndex(int32_t typ, int32_t c)
{
    if (typ == 7 || typ == 20) return 6;  // ". coeff.: "
    if (typ < 0 || typ >= CATALOG_CODES || c < 0 || c >= 6) return -1;
    if (c >= static_cast<int32_t>(FitFunctionCatalog[typ].ParameterZahl)) return -1;
    return static_cast<int32_t>(FitFunctionCatalog[typ].Bezeichnungen[c]);
}

bool Gleich(int32_t k, const char* text) { return k >= 0 && k < PARAMETER_NAMES && std::strcmp(ParameterNames[k], text) == 0; }

}  // namespace

int32_t PickArt(int32_t typ, int32_t c)
{
    const int32_t k = BeschriftungsIndex(Grundtyp(typ), c);
    static const int32_t TABELLE[7] = {PICK_DX, PICK_X, PICK_DX, PICK_DX, PICK_DY, PICK_X, PICK_Y};
    if (k >= 0 && k < 7) return TABELLE[k];
    if (Gleich(k, "Lorentz: ") || Gleich(k, "Gauss: ")) return PICK_DX;
    if (Gleich(k, "Amplitude: ") || Gleich(k, "Scaling: ")) return PICK_DY;
    return PICK_Y;
}

double PickWert(int32_t art, double x1, double y1, double x2, double y2)
{
    switch (art) {
    case PICK_X: return x1;
    case PICK_DX: return std::fabs(x2 - x1);
    case PICK_DY: return std::fabs(y2 - y1);
    default: return y1;
    }
}

void GrafikVorgaben()
{
    if (!FitFunctionTypes || !FitParameters) return;
    for (int32_t f = 1; f <= FitFunctionCount; ++f) {
        const int32_t typ = Grundtyp(FitFunctionTypes[f - 1]);
        const int32_t basis = ParameterIndex(f, 0);
        if (typ == 2 || typ == 5) {
            const int32_t j = basis + (typ == 2 ? 3 : 4);
            FitParameters[j] = 1.0;
            if (ParameterFlags && !(ParameterFlags[j] & PF_FIXED)) FixParameter(j);
        } else if (typ == 3 || typ == 6) {
            FitParameters[basis + (typ == 3 ? 3 : 4)] = 0.7;
        } else if (typ == 12) {
            for (int32_t c = 2; c <= 3; ++c)
                if (FitParameters[basis + c] <= 0.0) FitParameters[basis + c] = 1.0;
        }
    }
}

std::string FunktionsTitel(int32_t f)
{
    if (!FitFunctionTypes || f < 1) return "";
    const int32_t typ = Grundtyp(FitFunctionTypes[f - 1]);
    if (typ < 0 || typ >= CATALOG_CODES) return "";
    std::string t = FitFunctionCatalog[typ].Name;
    if ((typ >= 21 && typ <= 24) || typ == 26) t += ", # " + std::to_string(f);
    return t;
}

std::vector<ZUSATZ_ZEILE> ZusatzZeilen(int32_t f, const char* amplituden)
{
    std::vector<ZUSATZ_ZEILE> z;
    if (!FitFunctionTypes || f < 1) return z;
    const int32_t typ = Grundtyp(FitFunctionTypes[f - 1]);
    const int32_t n = FunctionParameterCount(typ, FitPolyDegree, SplineKnotCount);
    if (typ >= 15 && typ <= 18) {
        // Field f - 1 of the comma list, without folder and extension.
        const std::string liste = amplituden ? amplituden : "";
        std::string feld;
        size_t von = 0;
        for (int32_t k = 0; k < f - 1 && von != std::string::npos; ++k) {
            von = liste.find(',', von);
            if (von != std::string::npos) ++von;
        }
        if (von != std::string::npos) {
            const size_t bis = liste.find(',', von);
            feld = liste.substr(von, bis == std::string::npos ? std::string::npos : bis - von);
            const size_t schraeg = feld.find_last_of("\\/:");
            if (schraeg != std::string::npos) feld = feld.substr(schraeg + 1);
            const size_t punkt = feld.find_last_of('.');
            if (punkt != std::string::npos) feld = feld.substr(0, punkt);
        }
        z.push_back({TABELLE_SPALTEN - 1, " Amplitude", feld, false});
        return z;
    }
    const bool pfad = typ >= 21 && typ <= 24;
    if (!pfad && typ != 26) return z;
    const int32_t satz = pfad ? f - 1 : f;
    if (satz < 0 || satz >= FEFF_PFADE) return z;
    const FeffPfad& s = FeffPfade[satz];
    char text[160];
    std::snprintf(text, sizeof text, "%.99s", s.Dateiname);
    std::string datei = text;
    if (pfad) {
        if (s.Beine < 3) {
            std::snprintf(text, sizeof text, ", %-2.3s - %-2.3s", s.AtomSymbole[0], s.AtomSymbole[1]);
            datei += text;
        } else {
            datei += ", MS";
        }
    }
    if (n < TABELLE_SPALTEN) z.push_back({n, " file :", datei, true});
    if (typ == 21 && n + 1 < TABELLE_SPALTEN) {
        std::snprintf(text, sizeof text, "%G", s.AmplitudenVerhaeltnis);
        z.push_back({n + 1, " weight", text, true});
    }
    return z;
}
