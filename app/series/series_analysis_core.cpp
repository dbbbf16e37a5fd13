// The plain parts of the automatic series analysis (see series_analysis.h).
#include "series/series_analysis.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numeric>

#include "zelva.h"

double FaltungsProfil(int32_t art, double fwhm, double d)
{
    if (!(fwhm > 0.0)) return 0.0;
    const double u = d / fwhm;
    if (art == FALTUNG_GAUSS) return std::exp(-4.0 * std::log(2.0) * u * u);
    if (art == FALTUNG_LORENTZ) return 1.0 / (1.0 + 4.0 * u * u);
    return 0.0;
}

bool FaltungsKern(int32_t art, double fwhm, double dx, int32_t laenge, int32_t reichweite,
                  std::vector<double>* kern)
{
    if (!(fwhm > 0.0) || !(dx > 0.0) || (art != FALTUNG_GAUSS && art != FALTUNG_LORENTZ) || laenge < 2 ||
        reichweite < 0 || reichweite >= laenge / 2)
        return false;
    std::vector<double> k(static_cast<std::size_t>(laenge), 0.0);
    k[0] = FaltungsProfil(art, fwhm, 0.0);
    for (int32_t i = 1; i <= reichweite; ++i) {
        const double v = FaltungsProfil(art, fwhm, i * dx);
        k[static_cast<std::size_t>(i)] = v;
        k[static_cast<std::size_t>(laenge - i)] = v;
    }
    const double summe = std::accumulate(k.begin(), k.end(), 0.0);
    if (!(summe > 0.0)) return false;
    for (double& v : k) v /= summe;
    *kern = std::move(k);
    return true;
}

bool FalteMitProfil(double* y, int32_t n, double dx, int32_t art, double fwhm)
{
    if (n < 2) return false;
    // The curve continued by its end values for n points on each side; the
    // kernel reaches no further than that.
    const int32_t rand = n;
    const int32_t m = n + 2 * rand;
    int32_t laenge = 2;
    while (laenge < m) laenge *= 2;
    std::vector<double> kern;
    if (!FaltungsKern(art, fwhm, dx, laenge, rand, &kern)) return false;
    std::vector<double> werte(static_cast<std::size_t>(m)), xs(static_cast<std::size_t>(m));
    for (int32_t i = 0; i < m; ++i) {
        const int32_t q = std::min(std::max(i - rand, 0), n - 1);
        werte[static_cast<std::size_t>(i)] = y[q];
        xs[static_cast<std::size_t>(i)] = i * dx;
    }
    def_zelva z;
    z.xField = xs.data();
    z.yField = werte.data();
    z.anzahl = m;
    if (z.Convolution(kern.data(), 1) != laenge) return false;
    for (int32_t i = 0; i < n; ++i) y[i] = werte[static_cast<std::size_t>(i + rand)];
    return true;
}

bool FaltungsBreiteLesen(const char* text, double* fwhm)
{
    if (!text) return false;
    char* ende = nullptr;
    const double v = std::strtod(text, &ende);
    if (ende == text) return false;
    while (*ende == ' ') ++ende;
    if (*ende != '\0' || !(v > 0.0) || !std::isfinite(v)) return false;
    *fwhm = v;
    return true;
}

void SerienSpalte(const std::vector<const double*>& frames, int32_t n, const double* dunkel,
                  int32_t glaetten, const double* i0, double* aus)
{
    if (n < 1) return;
    std::fill(aus, aus + n, 0.0);
    for (const double* f : frames)
        for (int32_t i = 0; i < n; ++i) aus[i] += f[i];
    if (frames.size() > 1)
        for (int32_t i = 0; i < n; ++i) aus[i] /= static_cast<double>(frames.size());
    if (dunkel)
        for (int32_t i = 0; i < n; ++i) aus[i] -= dunkel[i];
    if (glaetten > 0 && n > 1) {
        std::vector<double> xs(static_cast<std::size_t>(n));
        for (int32_t i = 0; i < n; ++i) xs[static_cast<std::size_t>(i)] = i;
        def_zelva z;
        z.xField = xs.data();
        z.yField = aus;
        z.anzahl = n;
        z.Smoothing(glaetten);
    }
    if (i0)
        for (int32_t i = 0; i < n; ++i) {
            const double r = aus[i] != 0.0 ? i0[i] / aus[i] : -1.0;
            aus[i] = r > 0.0 ? std::log(r) : 0.0;
        }
}

bool FaltungsVorschauMoeglich(int32_t punkte, int32_t spalten)
{
    return punkte > VORSCHAU_PUNKTE && spalten >= VORSCHAU_SPALTEN;
}

namespace {

// log10(i0 / probe) where both are positive, else 0.
void Absorption(const std::vector<double>& i0, const std::vector<double>& probe, std::vector<double>* a)
{
    a->resize(i0.size());
    for (std::size_t i = 0; i < i0.size(); ++i)
        (*a)[i] = i0[i] > 0.0 && probe[i] > 0.0 ? std::log10(i0[i] / probe[i]) : 0.0;
}

void Skalieren(std::vector<double>* a)
{
    const double null = (*a)[55], eins = (*a)[VORSCHAU_PUNKTE];
    const double d = eins != null ? eins - null : 1.0;
    for (double& v : *a) v = (v - null) / d;
}

}  // namespace

bool FaltungsVorschau(const double* i0, const double* probe, const double* dunkel, int32_t n, double dx,
                      int32_t art, double fwhm, FALTUNGS_VORSCHAU* v)
{
    if (n <= VORSCHAU_PUNKTE || !i0 || !probe || !dunkel) return false;
    const std::size_t m = static_cast<std::size_t>(n);
    FALTUNGS_VORSCHAU r;
    r.I0.resize(m);
    for (std::size_t i = 0; i < m; ++i) r.I0[i] = i0[i] - dunkel[i];
    r.I0Gefaltet = r.I0;
    if (!FalteMitProfil(r.I0Gefaltet.data(), n, std::fabs(dx), art, fwhm)) return false;
    std::vector<double> p(m);
    SerienSpalte({probe}, n, dunkel, 4, nullptr, p.data());
    Absorption(r.I0, p, &r.Ohne);
    Absorption(r.I0Gefaltet, p, &r.Mit);
    Skalieren(&r.Ohne);
    Skalieren(&r.Mit);
    *v = std::move(r);
    return true;
}

void I0DerSpalte(const double* i01, const double* i02, int32_t n, int32_t c, int32_t c1, int32_t c2,
                 double* aus)
{
    const double anteil = c2 != c1 ? static_cast<double>(c - c1) / static_cast<double>(c2 - c1) : 0.0;
    for (int32_t i = 0; i < n; ++i) aus[i] = i01[i] + (i02[i] - i01[i]) * anteil;
}

void TabellenWerteLeeren(double* ergebnisse, int32_t funktionen)
{
    std::fill(ergebnisse, ergebnisse + 51, 0.0);
    for (int32_t j = 0; j <= funktionen; ++j) ergebnisse[1000 + j] = 0.0;
    for (int32_t j = 0; j < funktionen; ++j) ergebnisse[2700 + j] = ergebnisse[2800 + j] = 0.0;
}

namespace {

void Zahl(std::string& zeile, const char* format, double v)
{
    char feld[64];
    std::snprintf(feld, sizeof feld, format, v);
    zeile += feld;
}

void Ganz(std::string& zeile, const char* format, int32_t v)
{
    char feld[32];
    std::snprintf(feld, sizeof feld, format, static_cast<int>(v));
    zeile += feld;
}

}  // namespace

std::string ParameterTabellenZeile(int32_t spalte, bool kopfWerte, double zeit, double temperatur,
                                   const double* ergebnisse, int32_t maxParameter,
                                   const int32_t* typen, int32_t anzahl, double r)
{
    std::string z;
    Ganz(z, "%d, ", spalte);
    if (kopfWerte) {
        Zahl(z, "%.8G, ", zeit);
        Zahl(z, "%.8G, ", temperatur);
    }
    const bool feff = anzahl > 0 && typen[0] == 25;
    const int32_t bis = std::min(feff ? 50 : 30, maxParameter + 1);
    for (int32_t j = 0; j <= bis; ++j) Zahl(z, "%.8G, ", ergebnisse[j]);
    if (!feff) {
        for (int32_t j = 0; j <= anzahl; ++j) Zahl(z, "%.8G, ", ergebnisse[1000 + j]);
        for (int32_t j = 0; j < anzahl; ++j)
            if (typen[j] < 14 && typen[j] != 7) Zahl(z, "%.8G, ", ergebnisse[2700 + j]);
        for (int32_t j = 0; j < anzahl; ++j)
            if (typen[j] < 14 && typen[j] != 7) Zahl(z, "%.8G, ", ergebnisse[2800 + j]);
    }
    Zahl(z, "%.8G\n", r);
    return z;
}

std::string KoeffizientenZeile(int32_t spalte, const double* p, int32_t maxParameter)
{
    std::string z;
    Ganz(z, "%d ", spalte);
    for (int32_t j = 0; j <= maxParameter; j += 2) Zahl(z, "%.8G ", p[j]);
    return z + "\n";
}

std::string FeffTabellenZeile(int32_t spalte, const double* p, const int32_t* flags,
                              const int32_t* korrelation, int32_t maxParameter, int32_t pfad,
                              bool distanzVerschiebung, const std::vector<double>& reff, double r)
{
    std::string z;
    Ganz(z, "%d, ", spalte);
    for (int32_t j = 0; j <= maxParameter; ++j) {
        const uint32_t f = static_cast<uint32_t>(flags[j]);
        const bool winkel = (f & 0x8000u) != 0;
        const bool frei = !(f & 1u) && (!(f & 4u) || korrelation[j] <= 0);
        if (!frei && !winkel) continue;
        double v = winkel ? 0.0 : p[j];
        if (!winkel && distanzVerschiebung && pfad > 0 && j >= 2 && (j - 2) % pfad == 0) {
            const std::size_t k = static_cast<std::size_t>((j - 1) / pfad + 1);
            if (k < reff.size()) v += reff[k];
        }
        Zahl(z, "%.8G, ", v);
    }
    Zahl(z, "%.8G\n", r);
    return z;
}

int32_t MultiplotSpalten(int32_t start, int32_t ende, int32_t schritt, bool invers,
                         const std::vector<int32_t>& gewaehlt, std::vector<int32_t>* liste)
{
    liste->clear();
    if (gewaehlt.size() >= 3) {
        if (gewaehlt.size() > static_cast<std::size_t>(MULTIPLOT_MAX)) return -116;
        std::vector<int32_t> g(gewaehlt);
        std::sort(g.begin(), g.end());
        if (invers) std::reverse(g.begin(), g.end());
        for (int32_t i : g) liste->push_back(i + 2);
        return static_cast<int32_t>(liste->size());
    }
    if (schritt < 1 || ende < start) return 0;
    const int32_t anzahl = (ende - start) / schritt + 1;
    if (anzahl > MULTIPLOT_MAX) return -116;
    if (invers)
        for (int32_t c = ende + 1; c >= start + 1; c -= schritt) liste->push_back(c);
    else
        for (int32_t c = start + 1; c < ende + 2; c += schritt) liste->push_back(c);
    return static_cast<int32_t>(liste->size());
}

void DxasSpaltenUmschalten(bool an, int32_t* s, int32_t* l, int32_t* f)
{
    if (!an) {
        *s += 3;
        if (*l == *s - 4) *l += 4;   // the old s - 1
        *f = *f < 5 ? 2 : *f - 3;
    } else {
        *s -= 3;
        if (*s <= *l) *l = *s - 1;   // s - 3 (old) not above l: l = old s - 4
        *f += 3;
    }
}
