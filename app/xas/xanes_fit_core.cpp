#include "xas/xanes_fit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "zelva.h"

bool KanalSpalten(const SpaltenLayout& l, int32_t modus, KANAL_SPALTEN* k)
{
    if (!k || l.Gefunden < 4) return false;
    KANAL_SPALTEN r;
    r.Energie = l.Energie;
    if (modus == 2) {
        // The reference foil sits between I1 and I2 in either mode.
        if (l.I2 == 0) return false;
        r.Erste = l.I1;
        r.Zweite = l.I2;
    } else if (l.Fluoreszenz) {
        r.Erste = l.I1;
        r.Zweite = l.I0;
        r.Teilen = true;
        if (l.Bereich && l.Von > 0 && l.Von < l.Bis) {
            r.Von = l.Von;
            r.Bis = l.Bis;
        }
    } else {
        r.Erste = l.I0;
        r.Zweite = l.I1;
    }
    *k = r;
    return true;
}

void KanalOrdinate(double* y, const double* zweite, int32_t n, bool teilen)
{
    for (int32_t i = 0; i < n; ++i) {
        if (teilen) y[i] = zweite[i] != 0.0 ? y[i] / zweite[i] : 0.0;
        else y[i] = (y[i] > 0.0 && zweite[i] > 0.0) ? std::log(y[i] / zweite[i]) : 0.0;
    }
}

int32_t KanalKurve(const std::vector<std::vector<double>>& spalten, const KANAL_SPALTEN& k, double grenze,
                   std::vector<double>* x, std::vector<double>* y)
{
    x->clear();
    y->clear();
    const int32_t m = static_cast<int32_t>(spalten.size());
    auto da = [&](int32_t c) { return c >= 1 && c <= m; };
    if (!da(k.Energie) || !da(k.Zweite) || (k.Von > 0 ? !da(k.Von) || !da(k.Bis - 1) : !da(k.Erste))) return -1;
    const size_t n = spalten[k.Energie - 1].size();
    for (const std::vector<double>& s : spalten)
        if (s.size() != n) return -1;
    std::vector<double> a(n, 0.0);
    if (k.Von > 0) {
        for (int32_t c = k.Von; c < k.Bis; ++c)
            for (size_t i = 0; i < n; ++i) a[i] += spalten[c - 1][i];
    } else {
        a = spalten[k.Erste - 1];
    }
    KanalOrdinate(a.data(), spalten[k.Zweite - 1].data(), static_cast<int32_t>(n), k.Teilen);
    *x = spalten[k.Energie - 1];
    const double f = n > 0 ? EnergieFaktor((*x)[0], grenze) : 1.0;
    for (double& e : *x) e *= f;
    *y = a;
    return static_cast<int32_t>(n);
}

int32_t PositionsIndex(const int32_t* zahlen, const bool* position, int32_t anzahl, int32_t k)
{
    if (!zahlen || !position || k < 0 || k >= anzahl) return -1;
    int32_t j = 0;
    for (int32_t i = 0; i < k; ++i) j += zahlen[i];
    return position[k] && zahlen[k] >= 2 ? j + 1 : -1;
}

bool ReferenzAufGitter(def_zelva& z, const double* rx, const double* ry, int32_t rn, const double* x,
                       int32_t n, double grenze, double* aus)
{
    if (!rx || !ry || !x || !aus || rn < 2 || n < 1) return false;
    for (int32_t i = 1; i < rn; ++i)
        if (!(rx[i] > rx[i - 1])) return false;
    for (int32_t i = 1; i < n; ++i)
        if (x[i] < x[i - 1]) return false;
    // Both on the sample's unit: a reference in eV beside a sample in keV.
    const double f = EnergieFaktor(rx[0], grenze) / EnergieFaktor(x[0], grenze);
    std::vector<double> ex(rx, rx + rn), ey(ry, ry + rn), y2(static_cast<size_t>(rn) + 1, 0.0);
    for (double& e : ex) e *= f;
    double* altX = z.xField;
    double* altY = z.yField;
    const int32_t altN = z.anzahl;
    z.SetField(ex.data(), ey.data());
    z.anzahl = rn;
    z.spline(y2.data());
    const double tol = 1e-4 * std::max(std::fabs(ex.front()), std::fabs(ex.back()));
    for (int32_t i = 0; i < n; ++i)
        aus[i] = (x[i] < ex.front() - tol || x[i] > ex.back() + tol) ? 0.0 : z.helpsplint(x[i], y2.data());
    z.SetField(altX, altY);
    z.anzahl = altN;
    return true;
}

std::string LcName(const std::string& pfad)
{
    const size_t schraeg = pfad.find_last_of("\\/:");
    std::string name = schraeg == std::string::npos ? pfad : pfad.substr(schraeg + 1);
    const size_t punkt = name.find('.');
    return punkt == std::string::npos ? name : name.substr(0, punkt);
}

namespace {

std::string Getrimmt(const std::string& s)
{
    const size_t a = s.find_first_not_of(" \t\r\n");
    if (a == std::string::npos) return "";
    const size_t b = s.find_last_not_of(" \t\r\n");
    return s.substr(a, b - a + 1);
}

// Name and value text of each line that holds a comma.
template <class F>
void Zeilen(const std::string& text, F f)
{
    size_t von = 0;
    while (von < text.size()) {
        size_t bis = text.find('\n', von);
        if (bis == std::string::npos) bis = text.size();
        const std::string zeile = text.substr(von, bis - von);
        const size_t komma = zeile.find(',');
        if (komma != std::string::npos && f(Getrimmt(zeile.substr(0, komma)), zeile.substr(komma + 1))) return;
        von = bis + 1;
    }
}

bool Vorhanden(const std::string& text, const std::string& name)
{
    bool da = false;
    Zeilen(text, [&](const std::string& n, const std::string&) { return da = n == name; });
    return da;
}

}  // namespace

double LcKorrektur(const std::string& text, const std::string& name)
{
    double wert = 1.0;
    Zeilen(text, [&](const std::string& n, const std::string& rest) {
        if (n != name) return false;
        const double v = std::atof(rest.c_str());
        wert = v != 0.0 && std::isfinite(v) ? v : 1.0;
        return true;
    });
    return wert;
}

std::string LcAnhang(const std::string& text, const std::vector<std::string>& namen,
                     const std::vector<double>& werte)
{
    std::string anhang;
    for (size_t i = 0; i < namen.size(); ++i) {
        const std::string name = Getrimmt(namen[i]);
        if (name.empty() || name.find(',') != std::string::npos || Vorhanden(text, name) || Vorhanden(anhang, name))
            continue;
        char zeile[64];
        std::snprintf(zeile, sizeof zeile, ", %G\n", i < werte.size() ? werte[i] : 1.0);
        anhang += name + zeile;
    }
    return anhang;
}
