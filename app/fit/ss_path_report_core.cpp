// The "Feff SS paths" report of the results window.
#include "fit/ss_path_report.h"

#include <cmath>
#include <cstring>

#include "fit/exafs_terms.h"
#include "fit/fit_model.h"
#include "fit/fit_report.h"
#include "fit/model_function.h"
#include "fit/report_text.h"
#include "xas/debye_waller.h"
#include "xas/feff_path.h"

namespace {

const std::size_t KOPF_ZEILEN = 50;
const std::size_t TEXT_LESEN = 60000;

int32_t Grundtyp(int32_t i)
{
    const int32_t t = FitFunctionTypes[i];
    return t > 100 ? t - 100 : t;
}

std::string Symbol(const FeffPfad& p, int32_t j)
{
    return std::string(p.AtomSymbole[j], strnlen(p.AtomSymbole[j], sizeof p.AtomSymbole[j]));
}

bool Enthaelt(const std::string& z, const char* teil) { return z.find(teil) != std::string::npos; }

std::string Auffuellen(std::string z, std::size_t breite)
{
    if (z.size() < breite) z.append(breite - z.size(), ' ');
    return z;
}

// Cut behind the last complete line that ends within grenze bytes.
void Kuerzen(std::string& t, std::size_t grenze)
{
    if (t.size() <= grenze) return;
    const std::size_t ende = t.rfind("\r\n", grenze >= 2 ? grenze - 2 : 0);
    t.resize(ende == std::string::npos ? 0 : ende + 2);
}

}  // namespace

std::string SsPaarZeile(const SS_BERICHT_EINGABE& e, int32_t k, int32_t q, double prozent)
{
    const FeffPfad leer{};
    const FeffPfad& s = k >= 1 && k < FEFF_PFADE ? FeffPfade[k] : leer;
    const double* p = FitParameters + q;
    double r = FeffAbstand(p[1], s.Reff);
    // A path on the cluster: the distance the last model run gave it.
    if ((ParameterFlags[q + 1] & PF_CLUSTER) && e.Ergebnisse && e.Ergebnisse[5000 + k] > 0.0)
        r = e.Ergebnisse[5000 + k];
    double sigma2 = p[2];
    if (sigma2 > 1.0)
        sigma2 = e.DebyeModell < 0 ? CorrDebyeSigma2(s, e.MessTemperatur, p[2])
                                   : EinsteinSigma2(s, e.MessTemperatur, p[2]);
    const int32_t flag = ParameterFlags[q + 2];
    if ((flag & PF_DW_POLYNOMIAL) && !(flag & PF_FIXED) && e.Ergebnisse) sigma2 = e.Ergebnisse[6000 + k];
    if ((flag & PF_DW_POLYNOMIAL) && e.DwTabelle) {
        const int32_t gruppe = s.Potentiale[1] > 0 ? s.Potentiale[1] : 0;
        const std::size_t a = static_cast<std::size_t>(gruppe) * DW_POLYNOM_KOEFFIZIENTEN;
        const int32_t grad = e.DwGrad < 0 ? 0 : (e.DwGrad >= DW_POLYNOM_KOEFFIZIENTEN ? DW_POLYNOM_KOEFFIZIENTEN - 1 : e.DwGrad);
        if (a + DW_POLYNOM_KOEFFIZIENTEN <= e.DwTabelle->size()) {
            double summe = 0.0, potenz = 1.0;
            for (int32_t m = 0; m <= grad; ++m, potenz *= r) summe += (*e.DwTabelle)[a + m] * potenz;
            sigma2 = summe;
        }
    }
    return Format("  %-2s - %-2s  ; % -8.3G ; % -10.4G ; % -10.3G ; % -8.3G ; % -8.4G\r\n", Symbol(s, 0).c_str(),
                  Symbol(s, 1).c_str(), p[0], r, sigma2, p[3], prozent);
}

std::string FeffSsBericht(const SS_BERICHT_EINGABE& e)
{
    std::string t;
    if (!FitFunctionTypes || !FitParameters || !ParameterFlags || FitFunctionCount < 1) return t;
    const std::size_t grenze = e.Grenze > 1 ? e.Grenze - 1 : 0;
    std::size_t pos = 0;

    // The head through the amplitude parameter, and the rest of its block.
    bool gefunden = false;
    for (std::size_t n = 0; n < KOPF_ZEILEN; ++n) {
        const std::string z = NaechsteZeile(e.FitText, pos, TEXT_LESEN);
        if (z.empty()) break;
        t += z;
        if (Enthaelt(z, "#1  S0^2")) {
            gefunden = true;
            break;
        }
    }
    if (gefunden) {
        for (std::size_t n = 0; n < KOPF_ZEILEN; ++n) {
            const std::string z = NaechsteZeile(e.FitText, pos, TEXT_LESEN);
            if (z.empty()) break;
            t += z;
            if (Enthaelt(z, "------")) break;
        }
        // One block per path function, closed by a dashed line; the blocks
        // of multiple-scattering paths are passed over.
        for (int32_t k = 1; k < FitFunctionCount; ++k) {
            const int32_t zeilen = 3 + FunctionParameterCount(Grundtyp(k), FitPolyDegree, SplineKnotCount);
            std::string block;
            bool ende = false;
            for (int32_t n = 0; n < zeilen; ++n) {
                const std::string z = NaechsteZeile(e.FitText, pos, TEXT_LESEN);
                if (z.empty()) {
                    ende = true;
                    break;
                }
                block += z;
                if (Enthaelt(z, "------")) break;
            }
            if (!Enthaelt(block.substr(0, block.find('\n')), "MS(")) t += block;
            if (ende) break;
        }
    }

    t += "\r\n\r\n";
    t += "  Pair     ;  CN      ;   R        ;  sig^2     ;  E0      ;  w(%)\r\n";
    t += "           ;          ;            ;            ;          ; \r\n";
    double groesste = -1e30;
    for (int32_t f = 2; f <= FitFunctionCount && f < FEFF_FLAECHEN; ++f)
        if (FeffPfadFlaechen[f] > groesste) groesste = FeffPfadFlaechen[f];
    int32_t q = FunctionParameterCount(Grundtyp(0), FitPolyDegree, SplineKnotCount);
    for (int32_t k = 1; k < FitFunctionCount; ++k) {
        const int32_t anzahl = FunctionParameterCount(Grundtyp(k), FitPolyDegree, SplineKnotCount);
        if (k < FEFF_PFADE && FeffPfade[k].Beine == 2 && anzahl >= 4) {
            const double flaeche = k + 1 < FEFF_FLAECHEN ? FeffPfadFlaechen[k + 1] : 0.0;
            const double prozent = groesste != 0.0 && groesste > -1e30 ? 100.0 * flaeche / groesste : 0.0;
            t += SsPaarZeile(e, k, q, prozent);
        }
        q += anzahl;
    }
    Kuerzen(t, grenze);

    // The correlation matrix of the parameters neither fixed nor correlated.
    std::vector<int32_t> gezeigt, stellen;
    for (int32_t p = 0; p <= MaxParameter; ++p)
        if (!(ParameterFlags[p] & (PF_FIXED | PF_CORRELATED))) {
            gezeigt.push_back(p);
            stellen.push_back(FreeListPosition(p));
        }
    const std::string kopf = "\r\n\r\n\r\n- Correlation matrix  :\r\n" + e.Strichlinie + "\r\n";
    std::string spalten(12, ' ');
    for (int32_t c : gezeigt) spalten += Format("%d", static_cast<int>(c + 1)) + std::string(10, ' ');
    spalten += "\r\n";
    // Room kept for the line that counts the rows left out.
    const std::size_t reserve = 96;
    int32_t weggelassen = static_cast<int32_t>(gezeigt.size());
    if (t.size() + kopf.size() + spalten.size() + reserve <= grenze) {
        t += kopf + spalten;
        weggelassen = 0;
        for (std::size_t i = 0; i < gezeigt.size(); ++i) {
            const int32_t r = gezeigt[i];
            std::string zeile = Format("%d", static_cast<int>(r + 1)) + "   ";
            const int32_t pr = stellen[i];
            for (int32_t pc : stellen) {
                double wert = 0.0;
                if (e.Korrelation && pr >= 0 && pc >= 0) {
                    const std::size_t stelle =
                        static_cast<std::size_t>(pr) * e.KorrelationBreite + static_cast<std::size_t>(pc);
                    if (static_cast<std::size_t>(pc) < e.KorrelationBreite && stelle < e.KorrelationWerte)
                        wert = e.Korrelation[stelle];
                }
                zeile += Auffuellen(Format("%.4G", wert), 12);
            }
            zeile += "\r\n";
            if (t.size() + zeile.size() + reserve > grenze) {
                weggelassen = static_cast<int32_t>(gezeigt.size() - i);
                break;
            }
            t += zeile;
        }
    }
    if (weggelassen > 0)
        t += Format("\r\n  %d row(s) of the correlation matrix left out: the text is full.\r\n",
                    static_cast<int>(weggelassen));
    Kuerzen(t, grenze);
    return t;
}
