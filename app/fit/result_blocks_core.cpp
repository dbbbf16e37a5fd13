// The short result blocks of integration (504), root search (502) and the
// XRD peak search (901) with its comparison against reference d values.
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "fit/fit_report.h"
#include "fit/report_text.h"

namespace {

const double PI = 3.14159265358979323846;
const std::size_t REFERENZ_ZEILE = 500;

struct Referenz {
    std::string Name;
    std::vector<double> Werte;
};

// One line of the table: the name, then d values up to the first empty
// field. Lines longer than the reader's 500 characters are cut.
Referenz ReferenzZeile(std::string z)
{
    if (z.size() > REFERENZ_ZEILE - 1) z.resize(REFERENZ_ZEILE - 1);
    while (!z.empty() && (z.back() == '\n' || z.back() == '\r')) z.pop_back();
    Referenz r;
    std::size_t pos = 0;
    std::size_t komma = z.find(',');
    r.Name = z.substr(0, komma);
    while (komma != std::string::npos) {
        pos = komma + 1;
        komma = z.find(',', pos);
        const std::string feld = z.substr(pos, komma == std::string::npos ? std::string::npos : komma - pos);
        if (feld.empty()) break;
        r.Werte.push_back(std::atof(feld.c_str()));
    }
    return r;
}

// The experimental value nearest to r by the forward walk from the first.
std::size_t Naechster(const std::vector<double>& e, double r)
{
    if (e.size() < 2 || !(std::fabs(r - e[1]) < std::fabs(r - e[0]))) return 0;
    std::size_t k = 1;
    while (k + 1 < e.size() && std::fabs(r - e[k + 1]) < std::fabs(r - e[k])) ++k;
    return k;
}

}  // namespace

std::string IntegrationsBlock(const BLOCK_EINGABE& e, int32_t modus)
{
    const double* dw = e.DialogWerte;
    const double* a = e.Ergebnisse;
    std::string t = Format(modus == 19 ? "--INTEGRATION of function from %.8G  to %.8G  - ( active : %d )\r\n"
                                       : "--INTEGRATION of data array from %.8G  to %.8G  - ( active : %d )\r\n",
                           dw[1], dw[2], static_cast<int>(e.Slot));
    t += Format("  Area       : %.8G\r\n", a[0]);
    if (modus != 19) return t;
    t += RegelZeile(e.Punktlinie.c_str(), BERICHT_REGEL_ZEICHEN);
    if (e.Typen.size() > 1) {
        for (std::size_t i = 0; i < e.Typen.size(); ++i) {
            std::string name = KatalogName(e.Typen[i]);
            std::size_t fehlt = name.size() < 15 ? 15 - name.size() : 0;
            if (fehlt > 13) fehlt = 13;
            name.append(fehlt, ' ');
            t += name + ": " + Format("%.8G", a[i + 1]) + "\r\n";
        }
    }
    return t;
}

std::string NullstellenBlock(const BLOCK_EINGABE& e, int32_t modus, int32_t anzahl, int32_t konvergiert)
{
    const double* dw = e.DialogWerte;
    const double* a = e.Ergebnisse;
    std::string t = "--ROOTS ";
    t += modus == 19 ? "of function  from  " : "of data array  from  ";
    t += Format("%.8G  to %.8G  - ( active : %d )\r\n", dw[3], dw[4], static_cast<int>(e.Slot));
    t += RegelZeile(e.Punktlinie.c_str(), BERICHT_REGEL_ZEICHEN);
    if (anzahl == 0) {
        t += "  no root found !!\r\n";
    } else if (anzahl > 0) {
        t += dw[2] == 0.0 ? std::string(" - accuracy not reached -\r\n") : Format("  - error :  +- %.8G\r\n", dw[2]);
        for (int32_t i = 1; i <= anzahl; ++i)
            t += Format("  %d. root    x(%d) =  %.8G\r\n", static_cast<int>(i), static_cast<int>(i), a[i - 1]);
    } else {
        t += konvergiert == 1 ? "  root    x =  " : "  search terminated  - last value  x =  ";
        t += Format("%.8G", a[0]) + "\r\n";
    }
    return t;
}

std::string PeakBlock(const BLOCK_EINGABE& e, const std::string* referenz)
{
    const double* dw = e.DialogWerte;
    const double* a = e.Ergebnisse;
    const std::string punkte = RegelZeile(e.Punktlinie.c_str(), BERICHT_REGEL_ZEICHEN);
    const std::string striche = RegelZeile(e.Strichlinie.c_str(), BERICHT_REGEL_ZEICHEN);
    std::string t = "-- X-RAY DIFFRACTION : PEAK SEARCH\r\n\r\n";
    t += Format("  wave length (pm)  :  %.8G\r\n", e.Wellenlaenge);
    t += Format("  background factor :  %.8G\r\n", dw[1]);
    t += Format("  smoothing factor  :  %.8G\r\n", dw[4]);
    t += punkte + "\r\n";
    t += " No.  2Theta      Theta      d(pm)     rel. I     sin^2(t)\r\n";
    t += striche + "\r\n";
    // The count is a double of the command's results; a damaged one lists
    // nothing rather than reading beyond the results.
    const double zahl = a[0];
    const int32_t n = zahl >= 0.0 && zahl <= 10000.0 ? static_cast<int32_t>(zahl) : 0;
    std::vector<double> d(static_cast<std::size_t>(n));
    for (int32_t k = 0; k < n; ++k) {
        const double zweiTheta = a[1 + 3 * k];
        const double s = std::sin(zweiTheta / 2.0 * PI / 180.0);
        d[static_cast<std::size_t>(k)] = a[3 + 3 * k];
        t += Format(" %-2d  % -10.5G % -10.5G % -10.5G % -10.5G % -10.5G\r\n", static_cast<int>(k + 1), zweiTheta,
                    zweiTheta / 2.0, a[3 + 3 * k], a[2 + 3 * k], s * s);
    }
    if (!referenz) return t;

    t += striche;
    t += "\r\n Comparison with reference data  (Ref | Exp) :\r\n\r\n";
    t += Format("      Tolerance  :  %.8G %%\r\n", dw[3]);
    std::vector<bool> markiert(d.size(), false);
    std::size_t pos = 0;
    int nummer = 0;
    while (pos < referenz->size()) {
        const std::string zeile = NaechsteZeile(*referenz, pos, referenz->size());
        if (zeile.find_first_not_of("\r\n \t") == std::string::npos) continue;
        const Referenz r = ReferenzZeile(zeile);
        std::vector<std::pair<double, double>> paare;
        for (double w : r.Werte) {
            if (d.empty()) break;
            const std::size_t k = Naechster(d, w);
            if (std::fabs(w - d[k]) < w * dw[3] / 100.0) {
                paare.emplace_back(w, d[k]);
                markiert[k] = true;
            }
        }
        // A line without values matches nothing.
        const float anteil = r.Werte.empty() ? 0.0f
            : 100.0f * (static_cast<float>(paare.size()) / static_cast<float>(r.Werte.size()));
        t += punkte;
        t += Format(" %d  :  ", ++nummer) + r.Name + Format("    match  :  %.8G %%\r\n", static_cast<double>(anteil));
        t += "\r\n   ";
        for (std::size_t k = 0; k < paare.size(); ++k) {
            t += Format(" (%.8G | %.8G)", paare[k].first, paare[k].second);
            if ((k + 1) % 4 == 0 && k + 1 < paare.size()) t += "\r\n   ";
        }
        t += "\r\n";
    }
    t += punkte;
    t += "   non found peak positions  :\r\n\r\n";
    bool alle = true;
    for (std::size_t k = 0; k < d.size(); ++k) {
        if (markiert[k]) continue;
        alle = false;
        t += Format("     No :  %d       %.8G\r\n", static_cast<int>(k + 1), d[k]);
    }
    if (alle) t += "   none\r\n";
    return t;
}
