// The McMaster calculator's look-ups (declarations in mcmaster_calc.h).
#include "xas/mcmaster_calc.h"

#include <cmath>
#include <cstring>

#include "xas/mcmaster.h"

namespace {

// McMasterCalc takes at most three characters; a longer text is no symbol.
bool Symbol(const std::string& text, char (&symbol)[4])
{
    if (text.empty() || text.size() > 3) return false;
    std::memset(symbol, 0, sizeof symbol);
    std::memcpy(symbol, text.data(), text.size());
    return true;
}

}  // namespace

McMasterFehler McMasterSuche(const double* tabelle, const std::string& element, double e,
                             McMasterElement* ergebnis)
{
    if (!(e > 0.0)) return McMasterFehler::Energie;
    char symbol[4];
    if (!tabelle || !Symbol(element, symbol)) return McMasterFehler::Element;
    McMasterElement r;
    const int32_t z = McMasterCalc(tabelle, symbol, e, r.Kanten, r.Werte, r.Ausbeuten, 'C', -1);
    if (z == 0) return McMasterFehler::Element;
    r.Z = std::abs(z);
    *ergebnis = r;
    return McMasterFehler::Keiner;
}

std::vector<double> McMasterListenWerte(const McMasterElement& e)
{
    return {e.Werte[0], e.Werte[1], e.Werte[2],     e.Werte[3],     e.Werte[4],     e.Werte[8],
            e.Werte[9], e.Werte[10], e.Ausbeuten[0], e.Ausbeuten[1], e.Ausbeuten[2], e.Ausbeuten[3]};
}

std::vector<std::string> TeileBeschriftungen(const std::string& text)
{
    std::vector<std::string> teile;
    std::size_t anfang = 0;
    while (anfang <= text.size()) {
        const std::size_t komma = text.find(',', anfang);
        const std::size_t ende = komma == std::string::npos ? text.size() : komma;
        if (ende > anfang) teile.push_back(text.substr(anfang, ende - anfang));
        if (komma == std::string::npos) break;
        anfang = komma + 1;
    }
    return teile;
}

bool IonenKammerAbsorption(const double* tabelle, const std::string& gas1, const std::string& gas2, double e,
                           double laenge, double prozent1, IonenKammer* ergebnis)
{
    IonenKammer r;
    r.Prozent1 = prozent1 > 100.0 || prozent1 < 0.0 ? 100.0 : prozent1;
    r.Prozent2 = 100.0 - r.Prozent1;
    McMasterElement a, b;
    if (McMasterSuche(tabelle, gas1, e, &a) != McMasterFehler::Keiner) return false;
    if (McMasterSuche(tabelle, gas2, e, &b) != McMasterFehler::Keiner) return false;
    const double t =
        std::exp(-(r.Prozent2 / 100.0 * b.Absorption() + r.Prozent1 / 100.0 * a.Absorption()) * laenge);
    r.Absorption = 100.0 - 100.0 * t;
    *ergebnis = r;
    return true;
}
