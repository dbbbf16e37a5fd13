#include "xas/feff_fit_dialog.h"

#include <algorithm>

bool FilterSchritt(double* wert, int32_t schritt)
{
    const double v = *wert + schritt;
    if (v < FEFF_FILTER_MIN || v > FEFF_FILTER_MAX) return false;
    *wert = v;
    return true;
}

bool BeineSchritt(int32_t* wert, int32_t schritt)
{
    const int32_t v = *wert + schritt;
    if (v < FEFF_BEINE_MIN || v > FEFF_BEINE_MAX) return false;
    *wert = v;
    return true;
}

std::vector<int32_t> UebernahmeZeilen(const std::vector<bool>& markiert, int32_t gewaehlt, int32_t maxPfade,
                                      int32_t* stopp)
{
    std::vector<int32_t> zeilen;
    int32_t grund = FEFF_ALLE_UEBERNOMMEN;
    const int32_t grenze = std::min(FEFF_MAX_GEWAEHLT, maxPfade);
    for (std::size_t i = 0; i < markiert.size(); ++i) {
        if (!markiert[i]) continue;
        if (gewaehlt >= grenze) {
            grund = gewaehlt >= FEFF_MAX_GEWAEHLT ? FEFF_PFAD_GRENZE : FEFF_PARAMETER_GRENZE;
            break;
        }
        zeilen.push_back(static_cast<int32_t>(i));
        ++gewaehlt;
    }
    if (stopp) *stopp = grund;
    return zeilen;
}

bool RBereichAusReff(const std::vector<double>& reff, double* von, double* bis)
{
    if (reff.empty()) return false;
    const auto mm = std::minmax_element(reff.begin(), reff.end());
    *von = *mm.first - 0.8;
    *bis = *mm.second < 3.0 ? *mm.second + 0.2 : *mm.second;
    return true;
}

bool NameAnhaengen(std::string* liste, const std::string& name, bool erster, std::size_t grenze)
{
    std::string neu = erster ? std::string() : *liste;
    neu += name;
    neu += ',';
    if (neu.size() + 1 > grenze) return false;
    *liste = neu;
    return true;
}

std::vector<std::string> NamenAusListe(const std::string& liste)
{
    std::vector<std::string> namen;
    std::size_t a = 0;
    while (a < liste.size()) {
        const std::size_t e = liste.find(',', a);
        if (e == std::string::npos) {
            namen.push_back(liste.substr(a));
            break;
        }
        namen.push_back(liste.substr(a, e - a));
        a = e + 1;
    }
    return namen;
}

bool PhasenAmplitudenText(const std::vector<std::string>& phasen, const std::vector<std::string>& amplituden,
                          int32_t schalen, std::size_t grenze, std::string* aus)
{
    if (schalen < 1 || static_cast<std::size_t>(schalen) > phasen.size() ||
        static_cast<std::size_t>(schalen) > amplituden.size())
        return false;
    std::string t;
    for (const std::vector<std::string>* l : {&phasen, &amplituden})
        for (int32_t i = 0; i < schalen; ++i) {
            if ((*l)[i].empty()) return false;
            t += (*l)[i];
            t += ',';
        }
    if (t.size() + 1 > grenze) return false;
    *aus = t;
    return true;
}

std::string BloserName(const std::string& pfad)
{
    const std::size_t s = pfad.find_last_of("\\/:");
    std::string n = s == std::string::npos ? pfad : pfad.substr(s + 1);
    const std::size_t p = n.find_last_of('.');
    if (p != std::string::npos && p > 0) n.erase(p);
    return n;
}

bool SatzNameAnhaengen(std::string* liste, const std::string& name, int32_t saetze, std::size_t grenze)
{
    if (saetze >= FEFF_MAX_SAETZE) return false;
    const std::string neu = *liste + "," + name;
    if (neu.size() + 1 > grenze) return false;
    *liste = neu;
    return true;
}

void ExafsDialogWerte(const ExafsDialogZustand& z, double* dw)
{
    auto pm = [](bool b) { return b ? 1.0 : -1.0; };
    dw[1] = z.KKante ? -1.0 : 1.0;
    dw[2] = z.Schalen;
    dw[3] = z.KGewicht;
    // The range belongs to an R-space fit; a k-space fit takes the whole
    // curve.
    dw[4] = z.KRaum ? -1.0 : z.RVon;
    dw[5] = z.KRaum ? -1.0 : z.RBis;
    dw[6] = pm(z.KRaum);
    dw[7] = pm(z.Dritter);
    dw[8] = pm(z.Vierter);
    dw[9] = z.Behalten ? -1.0 : 1.0;
    dw[10] = z.Flags && !z.Simulation ? 1.0 : -1.0;
    dw[11] = pm(z.EinzelE0);
    dw[12] = z.AddK && z.AddKFit && z.ExtraPotenz >= 0 && z.ExtraPotenz <= 4 ? z.ExtraPotenz : -1.0;
    dw[13] = z.FeffUnveraendert ? 1.0 : 0.0;
}
