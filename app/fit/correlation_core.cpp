// Words, constants and texts of the correlation dialog.
#include "fit/correlation.h"

#include <cmath>
#include <cstdio>

#include "fit/fit_model.h"
#include "fit/model_function.h"
#include "fit/parameter_dialogs.h"
#include "xas/debye_waller.h"
#include "xas/feff_path.h"

bool ParameterLage(int32_t j, int32_t& f, int32_t& c)
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

std::string ParameterZeile(int32_t j)
{
    int32_t f = 0, c = 0;
    if (j < 0 || !ParameterLage(j, f, c)) return "";
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

namespace {

bool FeffFunktion(int32_t f)
{
    int32_t t = FitFunctionTypes[f - 1];
    if (t > 100) t -= 100;
    return t >= 21 && t <= 24;
}

int32_t Beine(int32_t f) { return f >= 1 && f - 1 < FEFF_PFADE ? FeffPfade[f - 1].Beine : 0; }

int32_t Hundertstel(double laenge) { return static_cast<int32_t>(std::ceil(laenge * 100.0)); }

}  // namespace

std::vector<int32_t> KorrelationsKandidaten(int32_t sp, bool alleSpalten, bool nurPfade, bool mehrBeine,
                                            bool frei, bool unfixiert)
{
    std::vector<int32_t> k;
    int32_t fs = 0, cs = 0;
    if (!ParameterLage(sp, fs, cs)) return k;
    for (int32_t j = 0; j <= MaxParameter; ++j) {
        int32_t f = 0, c = 0;
        if (j == sp || !ParameterLage(j, f, c) || (!alleSpalten && c != cs)) continue;
        if (nurPfade && (f < 2 || !FeffFunktion(f) || (mehrBeine ? Beine(f) < 2 : Beine(f) != 2))) continue;
        if (frei && (ParameterFlags[j] & PF_CORRELATED)) continue;
        if (unfixiert && (ParameterFlags[j] & PF_FIXED)) continue;
        k.push_back(j);
    }
    return k;
}

MS_VORAUSWAHL MsVorauswahl(int32_t sp)
{
    MS_VORAUSWAHL v;
    int32_t fs = 0, cs = 0;
    if (!ParameterLage(sp, fs, cs) || fs < 2 || !FeffFunktion(fs) || Beine(fs) < 3) return v;
    const FeffPfad& s = FeffPfade[fs - 1];
    const int32_t n = s.Beine;
    double summe = 0.0;
    bool gefunden = false;
    for (int32_t bein = 0; bein <= n - 2; ++bein) {
        // Leg 0 starts at the absorber, which sits at position slot n - 1.
        const double laenge = AtomAbstand(s, bein == 0 ? n - 1 : bein - 1, bein);
        for (int32_t f = 2; f <= FitFunctionCount; ++f) {
            if (f == fs || !FeffFunktion(f) || Beine(f) != 2) continue;
            if (Hundertstel(FeffPfade[f - 1].Reff) != Hundertstel(laenge)) continue;
            const int32_t j = ParameterIndex(f, cs);
            if (bein < n - 2) v.Erste.push_back(j);
            else v.Letzte = j;
            gefunden = true;
        }
        if (bein < FEFF_MAX_BEINE) summe += s.StreuWinkel[bein];
    }
    if (!gefunden) return v;
    double w = std::fabs(summe - 180.0);
    if (w == 0.0 || w == 360.0) w = 180.0;
    v.Winkel = w;
    return v;
}
