// Text helpers shared by the status text, the fit report and the result
// blocks.
#include "fit/report_text.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "fit/model_function.h"
#include "xas/feff_path.h"


std::string RegelZeile(const char* regel, int32_t zeichen)
{
    std::string t = regel ? regel : "";
    if (zeichen >= 0 && t.size() > static_cast<std::size_t>(zeichen)) t.resize(static_cast<std::size_t>(zeichen));
    return t + "\r\n";
}

const char* KatalogName(int32_t code)
{
    if (code > 100) code -= 100;
    if (code < 0 || code >= CATALOG_CODES) return "";
    return FitFunctionCatalog[code].Name;
}

const char* KatalogTitel(int32_t code, int32_t j)
{
    if (code > 100) code -= 100;
    if (code < 0 || code >= CATALOG_CODES || j < 0 || j >= 6) return "";
    const uint32_t n = FitFunctionCatalog[code].Bezeichnungen[j];
    return n < PARAMETER_NAMES ? ParameterNames[n] : "";
}

std::string NaechsteZeile(const std::string& text, std::size_t& pos, std::size_t limit)
{
    const std::size_t ende = text.size() < limit ? text.size() : limit;
    if (pos >= ende) return std::string();
    std::size_t nl = text.find('\n', pos);
    const std::size_t bis = nl == std::string::npos || nl >= ende ? ende : nl + 1;
    std::string z = text.substr(pos, bis - pos);
    pos = bis;
    return z;
}

namespace {

std::string Symbol(const FeffPfad& p, int32_t j)
{
    return std::string(p.AtomSymbole[j], strnlen(p.AtomSymbole[j], sizeof p.AtomSymbole[j]));
}

}  // namespace

std::string PfadName(int32_t record)
{
    if (record < 1 || record >= FEFF_PFADE) return std::string();
    const FeffPfad& p = FeffPfade[record];
    return std::string(p.Dateiname, strnlen(p.Dateiname, sizeof p.Dateiname));
}

std::string PfadZusatz(int32_t record)
{
    if (record < 1 || record >= FEFF_PFADE) return std::string();
    const FeffPfad& p = FeffPfade[record];
    if (p.Beine <= 2) return Format(", %-2s - %-2s", Symbol(p, 0).c_str(), Symbol(p, 1).c_str());
    double winkel = p.AbsorberWinkel;
    if (p.Beine > 3) {
        double summe = 0.0;
        for (int32_t j = 0; j < p.Beine - 1 && j < 9; ++j) summe += p.StreuWinkel[j];
        winkel = std::fabs(summe - 180.0);
    }
    return Format(", MS(%d) [< %.4G]", static_cast<int>(p.Beine), winkel);
}

