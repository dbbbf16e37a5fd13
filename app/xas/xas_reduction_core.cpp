#include "xas/xas_reduction.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

const char* const STANDARD_LAYOUT = "| 1,2,3,4";

namespace {

bool Ziffer(char c) { return c >= '0' && c <= '9'; }

// The number whose last digit is at pos (one or two digits); erste gets the
// index of its first digit. false when pos holds no digit.
bool ZahlRueckwaerts(const char* t, std::ptrdiff_t pos, int32_t* wert, std::ptrdiff_t* erste)
{
    if (pos < 0 || !Ziffer(t[pos])) return false;
    *wert = t[pos] - '0';
    *erste = pos;
    if (pos > 0 && Ziffer(t[pos - 1])) {
        *wert += 10 * (t[pos - 1] - '0');
        *erste = pos - 1;
    }
    return true;
}

}  // namespace

SpaltenLayout LeseSpaltenLayout(const char* text, std::size_t laenge)
{
    SpaltenLayout l;
    if (!text || laenge == 0) return l;
    if (const void* ende = std::memchr(text, '\0', laenge))
        laenge = static_cast<std::size_t>(static_cast<const char*>(ende) - text);
    if (laenge == 0) return l;
    std::ptrdiff_t pos = static_cast<std::ptrdiff_t>(laenge) - 1;
    std::ptrdiff_t erste = 0;
    if (text[pos] == '#') {
        int32_t bis = 0, von = 0;
        if (!ZahlRueckwaerts(text, pos - 1, &bis, &erste)) return l;
        if (!ZahlRueckwaerts(text, erste - 2, &von, &erste)) return l;
        l.Bereich = true;
        l.Von = von;
        l.Bis = bis;
        pos = erste - 2;
    }
    int32_t* ziele[4] = {&l.I2, &l.I1, &l.I0, &l.Energie};
    for (int i = 0; i < 4; ++i) {
        int32_t w = 0;
        if (!ZahlRueckwaerts(text, pos, &w, &erste)) return l;
        *ziele[i] = w;
        ++l.Gefunden;
        pos = erste - 2;
    }
    l.Fluoreszenz = erste > 0 && text[erste - 1] == '-';
    return l;
}

SpaltenLayout LeseSpaltenLayout(const std::string& text)
{
    return LeseSpaltenLayout(text.c_str(), text.size());
}

std::string SchreibeSpaltenLayout(const SpaltenLayout& l)
{
    const int32_t spalten[6] = {l.Energie, l.I0, l.I1, l.I2, l.Von, l.Bis};
    const bool bereich = l.Fluoreszenz && l.Bereich && l.Von > 0 && l.Von < l.Bis;
    for (int i = 0; i < (bereich ? 6 : 4); ++i)
        if (spalten[i] < 0 || spalten[i] > 99) return std::string();
    char zeile[128];
    if (!l.Fluoreszenz)
        std::snprintf(zeile, sizeof zeile, " your favorite format      | %d,%d,%d,%d", l.Energie, l.I0,
                      l.I1, l.I2);
    else if (!bereich)
        std::snprintf(zeile, sizeof zeile, " your favorite format      |-%d,%d,%d,%d", l.Energie, l.I0,
                      l.I1, l.I2);
    else
        std::snprintf(zeile, sizeof zeile, " your favorite format      |-%d,%d,%d,%d,%d,%d#", l.Energie,
                      l.I0, l.I1, l.I2, l.Von, l.Bis);
    return zeile;
}

double EnergieFaktor(double erstesX, double grenze)
{
    return (erstesX > grenze && erstesX > 500.0) ? 0.001 : 1.0;
}

void Ableitungen(const double* x, const double* y, int32_t n, double* d1, double* d2)
{
    if (n < 3) {
        for (int32_t i = 0; i < n; ++i) {
            if (d1) d1[i] = 0.0;
            if (d2) d2[i] = 0.0;
        }
        return;
    }
    for (int32_t i = 1; i + 1 < n; ++i) {
        const double hl = x[i] - x[i - 1], hr = x[i + 1] - x[i];
        const double s = hl + hr;
        if (hl == 0.0 || hr == 0.0 || s == 0.0) {
            if (d1) d1[i] = 0.0;
            if (d2) d2[i] = 0.0;
            continue;
        }
        if (d1) d1[i] = -hr / (hl * s) * y[i - 1] + (hr - hl) / (hl * hr) * y[i] + hl / (hr * s) * y[i + 1];
        if (d2) d2[i] = 2.0 * (y[i - 1] / (hl * s) - y[i] / (hl * hr) + y[i + 1] / (hr * s));
    }
    if (d1) {
        d1[0] = d1[1];
        d1[n - 1] = d1[n - 2];
    }
    if (d2) {
        d2[0] = d2[1];
        d2[n - 1] = d2[n - 2];
    }
}

double KleinsterSchritt(const double* x, int32_t n)
{
    double h = 0.0;
    for (int32_t i = 0; i + 1 < n; ++i) {
        const double d = std::fabs(x[i + 1] - x[i]);
        if (d > 0.0 && (h == 0.0 || d < h)) h = d;
    }
    return h;
}

void AufGitter(const double* x, const double* y, int32_t n, double h, int32_t maxPunkte,
               std::vector<double>* gx, std::vector<double>* gy)
{
    gx->clear();
    gy->clear();
    if (n < 2 || !(h > 0.0)) return;
    const double weite = x[n - 1] - x[0];
    if (!(weite > 0.0) || weite / h + 1.0 > maxPunkte) return;
    const int32_t m = static_cast<int32_t>(std::floor(weite / h + 1e-9)) + 1;
    gx->resize(m);
    gy->resize(m);
    int32_t j = 0;
    for (int32_t i = 0; i < m; ++i) {
        const double xi = x[0] + i * h;
        while (j + 2 < n && x[j + 1] < xi) ++j;
        const double t = (x[j + 1] != x[j]) ? (xi - x[j]) / (x[j + 1] - x[j]) : 0.0;
        (*gx)[i] = xi;
        (*gy)[i] = y[j] + t * (y[j + 1] - y[j]);
    }
}

int32_t KantenNullstelle(const double* x, const double* d1, const double* d2, int32_t n, double a,
                         double b, bool ersteAbleitung, double* wurzel)
{
    if (a > b) std::swap(a, b);
    const double* f = ersteAbleitung ? d1 : d2;
    const double* g = ersteAbleitung ? d2 : d1;
    bool gefunden = false;
    double beste = 0.0, besterWert = 0.0;
    for (int32_t i = 0; i + 1 < n; ++i) {
        if (x[i + 1] < a || x[i] > b) continue;
        const double f0 = f[i], f1 = f[i + 1];
        if (!((f0 > 0.0 && f1 <= 0.0) || (f0 < 0.0 && f1 >= 0.0))) continue;
        // A curve that touches zero at a point and turns back is no crossing.
        if (f1 == 0.0 && i + 2 < n && ((f0 > 0.0) == (f[i + 2] > 0.0))) continue;
        const double t = f0 / (f0 - f1);
        const double r = x[i] + t * (x[i + 1] - x[i]);
        if (r < a || r > b) continue;
        double w = g[i] + t * (g[i + 1] - g[i]);
        if (ersteAbleitung) w = std::fabs(w);
        if (!gefunden || w > besterWert) {
            gefunden = true;
            beste = r;
            besterWert = w;
        }
    }
    if (gefunden) *wurzel = beste;
    return gefunden ? 1 : 0;
}

void KantenKurven(const double* x, const double* y, int32_t n, double glaettung, GLAETTER glaetten,
                  std::vector<double>* gx, std::vector<double>* d1, std::vector<double>* d2)
{
    std::vector<double> gy;
    if (glaettung > 1.0 && glaetten) {
        AufGitter(x, y, n, KleinsterSchritt(x, n), 1 << 22, gx, &gy);
        if (!gx->empty()) glaetten(gx->data(), gy.data(), static_cast<int32_t>(gx->size()),
                                   static_cast<int32_t>(glaettung + 0.2));
    }
    if (gx->empty()) {
        gx->assign(x, x + std::max(0, n));
        gy.assign(y, y + std::max(0, n));
    }
    const int32_t m = static_cast<int32_t>(gx->size());
    d1->assign(m, 0.0);
    d2->assign(m, 0.0);
    Ableitungen(gx->data(), gy.data(), m, d1->data(), d2->data());
}

double KAusEnergie(double e, double e0)
{
    const double k = std::sqrt(K_FAKTOR * std::fabs(e - e0));
    return e <= e0 ? -k : k;
}

double EnergieAusK(double k, double e0) { return e0 + k * std::fabs(k) / K_FAKTOR; }

double KGewichtet(double k, double y, double w) { return y * std::pow(std::fabs(k), w); }

void KGewichtung(const double* k, double* y, int32_t n, bool gewichtet, double alt, double w)
{
    for (int32_t i = 0; i < n; ++i) {
        if (gewichtet && k[i] != 0.0) y[i] /= std::pow(std::fabs(k[i]), alt);
        y[i] = KGewichtet(k[i], y[i], w);
    }
}

void GeradeUngerade(const double* x, const double* y, int32_t n, std::vector<double>* ax,
                    std::vector<double>* ay, std::vector<double>* bx, std::vector<double>* by)
{
    ax->clear();
    ay->clear();
    bx->clear();
    by->clear();
    for (int32_t i = 0; i < n; ++i) {
        (i % 2 == 0 ? ax : bx)->push_back(x[i]);
        (i % 2 == 0 ? ay : by)->push_back(y[i]);
    }
}

std::string F15Ausgabename(const std::string& eingabe)
{
    if (eingabe.size() < 3) return std::string();
    std::string aus = eingabe;
    aus[aus.size() - 3] = 'M';
    return aus;
}

std::string F15Zeile(const std::string& zeile)
{
    int blanks = 0;
    for (std::size_t i = 0; i < zeile.size(); ++i) {
        if (zeile[i] == ' ' && ++blanks == 7) return zeile.substr(0, i);
    }
    return zeile;
}

std::string KonvertiereF15Text(const std::string& text)
{
    std::string aus;
    std::size_t pos = 0;
    int32_t nummer = 0;
    while (pos < text.size()) {
        std::size_t ende = text.find('\n', pos);
        const bool letzte = ende == std::string::npos;
        if (letzte) ende = text.size();
        std::string zeile = text.substr(pos, ende - pos);
        if (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
        pos = letzte ? text.size() : ende + 1;
        if (nummer < 2) {
            aus += zeile + "\n";
        } else if (nummer >= 29) {
            if (zeile.empty()) break;
            aus += F15Zeile(zeile) + "\n";
        }
        ++nummer;
    }
    return aus;
}
