// Writers and checked readers of ".par" files and parameter schemes.
#include "fit/parameter_file.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "fit/fit_model.h"

namespace {

const char* const KENNUNG = "111111";

bool ModelPresent()
{
    return FitFunctionTypes && FitParameters && ParameterFlags && CorrelationWords &&
           CorrelationConstants && FreeParameterList && FitFunctionCount >= 0;
}

std::vector<std::string> Felder(const std::string& zeile, char trenner)
{
    std::vector<std::string> felder;
    std::string feld;
    for (char c : zeile) {
        if (c == trenner) {
            felder.push_back(feld);
            feld.clear();
        } else {
            feld += c;
        }
    }
    felder.push_back(feld);
    return felder;
}

std::string OhneRand(const std::string& s)
{
    size_t a = 0, e = s.size();
    while (a < e && (s[a] == ' ' || s[a] == '\t')) ++a;
    while (e > a && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
    return s.substr(a, e - a);
}

bool GanzeZahl(const std::string& text, int32_t& wert)
{
    const std::string s = OhneRand(text);
    if (s.empty()) return false;
    char* ende = nullptr;
    errno = 0;
    const long long v = std::strtoll(s.c_str(), &ende, 10);
    if (*ende != '\0' || errno != 0 || v < INT32_MIN || v > INT32_MAX) return false;
    wert = static_cast<int32_t>(v);
    return true;
}

bool Zahl(const std::string& text, double& wert)
{
    const std::string s = OhneRand(text);
    if (s.empty()) return false;
    char* ende = nullptr;
    const double v = std::strtod(s.c_str(), &ende);
    if (*ende != '\0' || !std::isfinite(v)) return false;
    wert = v;
    return true;
}

// The non-empty fields of a comma-separated line.
std::vector<std::string> Werte(const std::string& zeile)
{
    std::vector<std::string> aus;
    for (const std::string& f : Felder(zeile, ','))
        if (!OhneRand(f).empty()) aus.push_back(f);
    return aus;
}

bool IstFrei(int32_t flags, int32_t wort)
{
    if (flags & PF_FIXED) return false;
    if (!(flags & PF_CORRELATED)) return true;
    if (IsMsWord(wort)) return false;
    return !(IsDependentWord(wort) && !(wort & CW_SUM_GROUP));
}

// The checks both readers share on the tables of n parameters.
bool TabellenPruefen(const PARAMETER_SATZ& s, std::string& fehler)
{
    const size_t n = s.Werte.size();
    std::vector<char> gesehen(n, 0);
    for (int32_t e : s.Liste) {
        if (e < 0 || static_cast<size_t>(e) >= n || gesehen[e]) {
            fehler = "The list of free parameters is damaged.";
            return false;
        }
        gesehen[e] = 1;
    }
    for (size_t j = 0; j < n; ++j) {
        const int32_t w = s.Worte[j];
        if (w == 0 || IsMasterWord(w)) continue;
        bool gut;
        if (IsMsWord(w)) {
            gut = static_cast<size_t>(WordMsFirst(w)) < n && static_cast<size_t>(WordMsSecond(w)) < n;
        } else {
            const int32_t ops = w & ~0xFF;
            const int32_t bekannt = CW_PLUS | CW_MINUS | CW_TIMES | CW_DIVIDE | CW_SUM_EQUAL |
                                    CW_THIRD_PARAMETER | CW_SUM_GROUP;
            gut = (ops & ~bekannt) == 0 && static_cast<size_t>(WordMaster(w)) < n &&
                  static_cast<size_t>(WordMaster(w)) != j;
            if (gut && (w & CW_THIRD_PARAMETER)) {
                const double c = s.Konstanten[j];
                gut = c >= 0.0 && c < static_cast<double>(n) + 0.5;
            }
        }
        if (!gut) {
            fehler = "A correlation names no parameter of the model.";
            return false;
        }
    }
    // The stored list puts the free parameters first.
    const int32_t frei = FreeCount(s);
    for (int32_t k = 0; k < frei; ++k)
        if (!IstFrei(s.Flags[s.Liste[k]], s.Worte[s.Liste[k]])) {
            fehler = "The list of free parameters does not match the flags.";
            return false;
        }
    return true;
}

}  // namespace

bool ReadTextLine(std::FILE* f, std::string& zeile)
{
    zeile.clear();
    int c;
    bool etwas = false;
    while ((c = std::fgetc(f)) != EOF) {
        etwas = true;
        if (c == '\n') break;
        zeile += static_cast<char>(c);
    }
    if (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
    return etwas;
}

int32_t FreeCount(const PARAMETER_SATZ& satz)
{
    int32_t n = 0;
    for (size_t j = 0; j < satz.Werte.size(); ++j)
        if (IstFrei(satz.Flags[j], satz.Worte[j])) ++n;
    return n;
}

int32_t WriteParameterText(std::FILE* f)
{
    if (!f || !ModelPresent()) return 0;
    if (CheckWorkingModelSize() < 0) return 0;
    bool gut = std::fprintf(f, "%s\n", KENNUNG) > 0;
    int32_t index = 0;
    char zahl[64];
    for (int32_t k = 0; k < FitFunctionCount && gut; ++k) {
        const int32_t typ = FitFunctionTypes[k];
        const int32_t n = FunctionParameterCount(typ, FitPolyDegree, SplineKnotCount);
        std::string zeilen[5];
        std::snprintf(zahl, sizeof zahl, "%i,", typ);
        zeilen[0] = zahl;
        if (typ == 7) {
            std::snprintf(zahl, sizeof zahl, "%i,", FitPolyDegree);
            zeilen[0] += zahl;
        }
        for (int32_t i = 0; i < n; ++i) {
            const int32_t j = index + i;
            const char* komma = i + 1 < n ? "," : "";
            std::snprintf(zahl, sizeof zahl, "%.8G%s", FitParameters[j], komma);
            zeilen[0] += zahl;
            std::snprintf(zahl, sizeof zahl, "%i%s", FreeParameterList[j], komma);
            zeilen[1] += zahl;
            std::snprintf(zahl, sizeof zahl, "%i%s", ParameterFlags[j], komma);
            zeilen[2] += zahl;
            std::snprintf(zahl, sizeof zahl, "%i%s", CorrelationWords[j], komma);
            zeilen[3] += zahl;
            std::snprintf(zahl, sizeof zahl, "%.17G%s", CorrelationConstants[j], komma);
            zeilen[4] += zahl;
        }
        for (const std::string& z : zeilen) gut = gut && std::fprintf(f, "%s\n", z.c_str()) >= 0;
        index += n;
    }
    return gut && std::fflush(f) == 0 ? 1 : 0;
}

int32_t ReadParameterText(std::FILE* f, PARAMETER_SATZ& satz, std::string& fehler)
{
    satz = PARAMETER_SATZ{};
    std::string zeile;
    int32_t kennung = 0;
    if (!f || !ReadTextLine(f, zeile) || !GanzeZahl(Felder(zeile, ',')[0], kennung) || kennung != 111111) {
        fehler = "This is no parameter file (its first line is not 111111).";
        return 0;
    }
    while (ReadTextLine(f, zeile)) {
        if (OhneRand(zeile).empty()) break;  // an empty line ends the model
        const std::vector<std::string> kopf = Werte(zeile);
        int32_t typ = 0;
        if (kopf.empty() || !GanzeZahl(kopf[0], typ)) {
            fehler = "A function line does not begin with a type code.";
            return 0;
        }
        size_t erster = 1;
        int32_t grad = satz.PolyGrad;
        if (typ == 7) {
            if (kopf.size() < 2 || !GanzeZahl(kopf[1], grad) || grad < 0) {
                fehler = "The polynomial has no valid degree.";
                return 0;
            }
            if (satz.HatPolyGrad && grad != satz.PolyGrad) {
                fehler = "The polynomials of the file have different degrees.";
                return 0;
            }
            satz.PolyGrad = grad;
            satz.HatPolyGrad = true;
            erster = 2;
        }
        const int32_t n = FunctionParameterCount(typ, grad, SplineKnotCount);
        if (n <= 0 || typ > 100) {
            fehler = "The file holds an unknown function type.";
            return 0;
        }
        if (static_cast<int32_t>(satz.Typen.size()) >= MAX_MODEL_FUNCTIONS ||
            static_cast<int32_t>(satz.Werte.size()) + n > MAX_MODEL_PARAMETERS + 1) {
            fehler = "The model of the file is too large.";
            return 0;
        }
        if (kopf.size() - erster != static_cast<size_t>(n)) {
            fehler = "A function of the file has the wrong number of values.";
            return 0;
        }
        satz.Typen.push_back(typ);
        for (size_t i = erster; i < kopf.size(); ++i) {
            double v = 0;
            if (!Zahl(kopf[i], v)) {
                fehler = "A parameter value of the file is not a number.";
                return 0;
            }
            satz.Werte.push_back(v);
        }
        for (int32_t teil = 0; teil < 4; ++teil) {
            if (!ReadTextLine(f, zeile)) {
                fehler = "The file ends inside a function.";
                return 0;
            }
            const std::vector<std::string> felder = Werte(zeile);
            if (felder.size() != static_cast<size_t>(n)) {
                fehler = "A function of the file has the wrong number of table entries.";
                return 0;
            }
            for (const std::string& feld : felder) {
                int32_t g = 0;
                double d = 0;
                const bool gut = teil == 3 ? Zahl(feld, d) : GanzeZahl(feld, g);
                if (!gut) {
                    fehler = "A table entry of the file is not a number.";
                    return 0;
                }
                if (teil == 0) satz.Liste.push_back(g);
                else if (teil == 1) satz.Flags.push_back(g);
                else if (teil == 2) satz.Worte.push_back(g);
                else satz.Konstanten.push_back(d);
            }
        }
    }
    const int32_t pruef = CheckModelSize(static_cast<int32_t>(satz.Typen.size()), satz.Typen.data(),
                                         satz.PolyGrad, SplineKnotCount);
    if (!satz.Typen.empty() && pruef < 0) {
        fehler = "The model of the file is too large.";
        return 0;
    }
    return TabellenPruefen(satz, fehler) ? 1 : 0;
}

int32_t CommitParameterSet(const PARAMETER_SATZ& satz)
{
    if (!ModelPresent()) return 0;
    const int32_t n = static_cast<int32_t>(satz.Werte.size());
    const int32_t k = static_cast<int32_t>(satz.Typen.size());
    for (int32_t i = 0; i < MAX_MODEL_FUNCTIONS; ++i) FitFunctionTypes[i] = i < k ? satz.Typen[i] : 0;
    for (int32_t j = 0; j < n; ++j) {
        FitParameters[j] = satz.Werte[j];
        FreeParameterList[j] = satz.Liste[j];
        ParameterFlags[j] = satz.Flags[j];
        CorrelationWords[j] = satz.Worte[j];
        CorrelationConstants[j] = satz.Konstanten[j];
    }
    for (int32_t j = n; j < RESET_ENTRIES; ++j) {
        FreeParameterList[j] = j;
        ParameterFlags[j] = 0;
        CorrelationWords[j] = 0;
        CorrelationConstants[j] = 0.0;
    }
    if (satz.HatPolyGrad) FitPolyDegree = satz.PolyGrad;
    FitFunctionCount = k;
    MaxParameter = n - 1;
    MaxFitParameter = FreeCount(satz) - 1;
    return k;
}

int32_t WriteScheme(std::FILE* f)
{
    if (!f || !ModelPresent() || MaxParameter >= FREE_LIST_ENTRIES) return 0;
    bool gut = std::fprintf(f, "%i  %i\n", MaxParameter, MaxFitParameter) > 0;
    for (int32_t j = 0; j <= MaxParameter && gut; ++j)
        gut = std::fprintf(f, "%.17G  %i  %i  %i  %.17G\n", FitParameters[j], FreeParameterList[j],
                           ParameterFlags[j], CorrelationWords[j], CorrelationConstants[j]) > 0;
    return gut && std::fflush(f) == 0 ? 1 : 0;
}

int32_t ReadScheme(std::FILE* f, bool flagsOnly, std::string& fehler)
{
    if (!f || !ModelPresent()) return 0;
    const int32_t n = CheckWorkingModelSize();
    std::string zeile;
    std::vector<std::string> kopf;
    if (ReadTextLine(f, zeile))
        for (const std::string& s : Felder(zeile, ' '))
            if (!s.empty()) kopf.push_back(s);
    int32_t maxPar = 0, maxFit = 0;
    if (kopf.size() != 2 || !GanzeZahl(kopf[0], maxPar) || !GanzeZahl(kopf[1], maxFit)) {
        fehler = "This is no parameter scheme.";
        return 0;
    }
    if (n < 0 || maxPar != n - 1) {
        fehler = "The scheme belongs to a model of another number of parameters.";
        return 0;
    }
    PARAMETER_SATZ s;
    for (int32_t j = 0; j < n; ++j) {
        std::vector<std::string> felder;
        if (ReadTextLine(f, zeile))
            for (const std::string& t : Felder(zeile, ' '))
                if (!OhneRand(t).empty()) felder.push_back(t);
        double wert = 0, konstante = 0;
        int32_t liste = 0, flags = 0, wort = 0;
        if (felder.size() != 5 || !Zahl(felder[0], wert) || !GanzeZahl(felder[1], liste) ||
            !GanzeZahl(felder[2], flags) || !GanzeZahl(felder[3], wort) || !Zahl(felder[4], konstante)) {
            fehler = "A line of the scheme is damaged or missing.";
            return 0;
        }
        s.Werte.push_back(wert);
        s.Liste.push_back(liste);
        s.Flags.push_back(flags);
        s.Worte.push_back(wort);
        s.Konstanten.push_back(konstante);
    }
    if (!TabellenPruefen(s, fehler)) return 0;
    for (int32_t j = 0; j < n; ++j) {
        if (!flagsOnly) FitParameters[j] = s.Werte[j];
        FreeParameterList[j] = s.Liste[j];
        ParameterFlags[j] = s.Flags[j];
        CorrelationWords[j] = s.Worte[j];
        CorrelationConstants[j] = s.Konstanten[j];
    }
    MaxParameter = n - 1;
    MaxFitParameter = FreeCount(s) - 1;
    return 1;
}
