// g(a) models and the isoconversional analysis.
#include "xrd/kinetics.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "zelva.h"

namespace {

const double DRITTEL = 1.0 / 3.0;
const double ZWEIDRITTEL = 2.0 / 3.0;

struct KinetikModell {
    int32_t Id;
    const char* Formel;
};

const KinetikModell MODELLE[] = {
    {200, " a"},
    {201, " a^2"},
    {202, " a^(1/4)"},
    {203, " a^(1/3)"},
    {204, " a^(1/2)"},
    {205, "1 - (2/3)a - (1-a)^(2/3) = kt"},
    {206, "[-ln(1-a)]^(1/2) = kt"},
    {207, "[-ln(1-a)]^(1/3) = kt"},
    {208, "[-ln(1-a)]^(1/4) = kt"},
    {209, "ln[a/(1-a)] = kt"},
    {210, "1 - (1-a)^(1/2) = kt"},
    {211, "1 - (1-a)^(1/3) = kt"},
    {212, "-ln(1-a) = kt"},
    {213, "(1-a) ln(1-a)+a"},
    {214, "(1-(1-a)^(1/3))^2"},
};

double Formel(int32_t id, double a)
{
    switch (id) {
    case 200: return a;
    case 201: return a * a;
    case 202: return std::pow(a, 0.25);
    case 203: return std::pow(a, DRITTEL);
    case 204: return std::pow(a, 0.5);
    case 205: return (1.0 - ZWEIDRITTEL * a) - std::pow(1.0 - a, ZWEIDRITTEL);
    case 206: return std::pow(-std::log(1.0 - a), 0.5);
    case 207: return std::pow(-std::log(1.0 - a), DRITTEL);
    case 208: return std::pow(-std::log(1.0 - a), 0.25);
    case 209: return std::log(a / (1.0 - a));
    case 210: return 1.0 - std::pow(1.0 - a, 0.5);
    case 211: return 1.0 - std::pow(1.0 - a, DRITTEL);
    case 212: return -std::log(1.0 - a);
    case 213: return (1.0 - a) * std::log(1.0 - a) + a;
    case 214: {
        const double r = 1.0 - std::pow(1.0 - a, DRITTEL);
        return r * r;
    }
    default: return std::nan("");
    }
}

}  // namespace

bool KinetikG(int32_t id, double a, double* g)
{
    if (!std::isfinite(a)) return false;
    const double wert = Formel(id, a);
    if (!std::isfinite(wert)) return false;
    // pow(-0.0, p) and -log(1) are -0: the value is 0.
    *g = wert == 0.0 ? 0.0 : wert;
    return true;
}

const char* KinetikFormel(int32_t id)
{
    for (const KinetikModell& m : MODELLE)
        if (m.Id == id) return m.Formel;
    return "";
}

int32_t KinetikTransformiere(int32_t id, const double* t, const double* a, int32_t n,
                             double* x, double* y)
{
    int32_t k = 0;
    for (int32_t i = 0; i < n; ++i) {
        double g = 0.0;
        if (!KinetikG(id, a[i], &g)) continue;
        x[k] = t[i];
        y[k] = g;
        ++k;
    }
    return k;
}

bool KinetikGerade(const double* x, const double* y, int32_t n, double* achsenabschnitt,
                   double* steigung)
{
    if (n < 2) return false;
    if (n == 2) {
        if (x[1] == x[0]) return false;
        const double k = (y[1] - y[0]) / (x[1] - x[0]);
        *steigung = k;
        *achsenabschnitt = y[0] - k * x[0];
        return true;
    }
    std::vector<double> xs(x, x + n), ys(y, y + n);
    def_zelva zelva;
    zelva.SetField(xs.data(), ys.data());
    zelva.SetAnzahl(n, 0, 0);
    double out[4] = {0.0, 0.0, 0.0, 0.0};
    if (!zelva.LineareRegression(out)) return false;
    *achsenabschnitt = out[0];
    *steigung = out[1];
    return true;
}

double IsoconvSchritt(double getippt)
{
    if (!(getippt >= ISOCONV_MIN_SCHRITT)) return ISOCONV_MIN_SCHRITT;
    return getippt;
}

int32_t IsoconvTemperaturen(const std::string& text, int32_t kurven, std::vector<double>* T)
{
    std::vector<std::string> zeilen;
    std::size_t anfang = 0;
    while (anfang <= text.size()) {
        std::size_t ende = text.find('\n', anfang);
        if (ende == std::string::npos) ende = text.size();
        std::string zeile = text.substr(anfang, ende - anfang);
        if (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
        zeilen.push_back(zeile);
        anfang = ende + 1;
    }
    std::vector<double> werte;
    for (int32_t j = 0; j < kurven; ++j) {
        if (j >= static_cast<int32_t>(zeilen.size())) return j + 1;
        const char* s = zeilen[j].c_str();
        char* rest = nullptr;
        const double wert = std::strtod(s, &rest);
        if (rest == s) return j + 1;
        while (*rest == ' ' || *rest == '\t') ++rest;
        if (*rest != '\0' || !std::isfinite(wert) || !(wert > 0.0)) return j + 1;
        werte.push_back(wert);
    }
    *T = werte;
    return 0;
}

namespace {

// The grid, a on it and da/dt of one curve.
struct Gitter {
    std::vector<double> t, a, dadt;
};

Gitter KurveAufGitter(const KinetikKurve& k)
{
    const int32_t n = static_cast<int32_t>(k.t.size());
    std::vector<double> x(k.t), y(k.a);
    def_zelva zelva;
    zelva.SetField(x.data(), y.data());
    zelva.SetAnzahl(n, 0, 0);
    zelva.Smoothing(static_cast<int32_t>(0.15 * n));
    Gitter g;
    g.t.resize(ISOCONV_GITTER);
    g.a.assign(ISOCONV_GITTER, 0.0);
    g.dadt.assign(ISOCONV_GITTER, 0.0);
    const double t0 = x[0];
    const double schritt = std::fabs(x[n - 1] - t0) / (ISOCONV_GITTER - 1);
    for (int32_t i = 0; i < ISOCONV_GITTER; ++i) g.t[i] = t0 + i * schritt;
    g.t[ISOCONV_GITTER - 1] = x[n - 1];
    zelva.Splint(ISOCONV_GITTER, g.t.data(), g.a.data());
    def_zelva ableitung;
    ableitung.SetField(g.t.data(), g.a.data());
    ableitung.SetAnzahl(ISOCONV_GITTER, 0, 0);
    ableitung.FeldErsteAbleitung(g.dadt.data(), schritt);
    return g;
}

void Format(std::string* ziel, const char* format, double a, double b)
{
    char zeile[96];
    std::snprintf(zeile, sizeof zeile, format, a, b);
    *ziel += zeile;
}

std::string KurvenZeilen(const std::vector<KinetikKurve>& kurven)
{
    std::string text;
    for (const KinetikKurve& k : kurven) {
        char zeile[64];
        std::snprintf(zeile, sizeof zeile, " at T=%G K\n", k.T);
        text += "# " + k.Name + zeile;
    }
    return text;
}

}  // namespace

bool IsoconvRechne(const std::vector<KinetikKurve>& kurven, double schritt,
                   IsoconvErgebnis* ergebnis, int32_t* fehlerKurve)
{
    *ergebnis = IsoconvErgebnis();
    if (kurven.empty()) {
        *fehlerKurve = -1;
        return false;
    }
    for (std::size_t j = 0; j < kurven.size(); ++j) {
        if (kurven[j].t.size() < 5 || kurven[j].a.size() != kurven[j].t.size()) {
            *fehlerKurve = static_cast<int32_t>(j);
            return false;
        }
    }
    IsoconvErgebnis e;
    e.Schritt = IsoconvSchritt(schritt);
    const std::size_t m = kurven.size();
    std::vector<Gitter> gitter;
    gitter.reserve(m);
    for (const KinetikKurve& k : kurven) gitter.push_back(KurveAufGitter(k));

    // Half-life: the grid time of the last point before a first reaches
    // 0.5. A curve that starts at or above 0.5, or never reaches it, has none.
    e.HatHalbwert.assign(m, false);
    e.Halbwert.assign(m, 0.0);
    e.Normiert.assign(m, std::vector<double>());
    for (std::size_t j = 0; j < m; ++j) {
        const Gitter& g = gitter[j];
        int32_t i = 0;
        while (i < ISOCONV_GITTER && g.a[i] < 0.5) ++i;
        if (i == 0 || i == ISOCONV_GITTER) continue;
        const double th = g.t[i - 1];
        if (!(th != 0.0) || !std::isfinite(th)) continue;
        e.HatHalbwert[j] = true;
        e.Halbwert[j] = th;
        for (double t : kurven[j].t) e.Normiert[j].push_back(t / th);
    }

    const int32_t stufen = static_cast<int32_t>(1.0 / e.Schritt - 1.0);
    for (int32_t l = 0; l < stufen; ++l) {
        IsoconvStufe s;
        s.a = e.Schritt * (l + 1);
        for (std::size_t jj = m; jj-- > 0;) {
            const Gitter& g = gitter[jj];
            for (int32_t i = 0; i < ISOCONV_GITTER; ++i) {
                if (!(g.a[i] > s.a)) continue;
                // A rate of exactly 0 has no logarithm: no pair.
                if (g.dadt[i] != 0.0 && std::isfinite(g.dadt[i])) {
                    s.x.push_back(1000.0 / kurven[jj].T);
                    s.y.push_back(std::log(std::fabs(g.dadt[i])));
                }
                break;
            }
        }
        double c0 = 0.0, k = 0.0;
        if (KinetikGerade(s.x.data(), s.y.data(), static_cast<int32_t>(s.x.size()), &c0, &k)) {
            s.Gueltig = true;
            s.Ea = -k * KINETIK_R;
        }
        e.Stufen.push_back(s);
    }
    *ergebnis = e;
    return true;
}

std::string IsoconvEaText(const std::vector<KinetikKurve>& kurven, const IsoconvErgebnis& e)
{
    std::string text = "# Apparent activation energy from isoconversional analysis of\n";
    text += KurvenZeilen(kurven);
    for (const IsoconvStufe& s : e.Stufen) {
        if (s.Gueltig) {
            Format(&text, "%G, %G\n", s.a, s.Ea);
        } else {
            char zeile[96];
            std::snprintf(zeile, sizeof zeile,
                          "# a = %G: fewer than two curves reach this level\n", s.a);
            text += zeile;
        }
    }
    return text;
}

std::string IsoconvHalbwertText(const std::vector<KinetikKurve>& kurven,
                                const IsoconvErgebnis& e)
{
    std::string text = "# Half-life v Temperature for\n";
    text += KurvenZeilen(kurven);
    for (std::size_t j = 0; j < kurven.size() && j < e.HatHalbwert.size(); ++j)
        if (e.HatHalbwert[j]) Format(&text, "%G, %G\n", kurven[j].T, e.Halbwert[j]);
    return text;
}

std::string IsoconvNormiertText(const std::vector<KinetikKurve>& kurven,
                                const IsoconvErgebnis& e, int32_t j)
{
    std::string text;
    if (j < 0 || j >= static_cast<int32_t>(kurven.size()) || !e.HatHalbwert[j]) return text;
    char kopf[96];
    std::snprintf(kopf, sizeof kopf, "# Half-life normalized curve, t1/2 = %G [t]\n",
                  e.Halbwert[j]);
    text = kopf;
    for (std::size_t i = 0; i < kurven[j].a.size(); ++i)
        Format(&text, "%G, %G\n", e.Normiert[j][i], kurven[j].a[i]);
    return text;
}

std::vector<std::string> IsoconvSchreibe(const std::string& ordner,
                                         const std::vector<KinetikKurve>& kurven,
                                         const IsoconvErgebnis& e)
{
    std::vector<std::string> fehlgeschlagen;
    auto schreibe = [&](const std::string& name, const std::string& text) {
        const std::string pfad = ordner + name;
        std::FILE* f = std::fopen(pfad.c_str(), "wt+");
        bool gut = f != nullptr;
        if (f) {
            gut = std::fwrite(text.data(), 1, text.size(), f) == text.size();
            gut = std::fclose(f) == 0 && gut;
        }
        if (!gut) fehlgeschlagen.push_back(pfad);
    };
    schreibe("apparent_Ea_v_a.dat", IsoconvEaText(kurven, e));
    schreibe("halflife_v_T.dat", IsoconvHalbwertText(kurven, e));
    for (std::size_t j = 0; j < kurven.size() && j < e.HatHalbwert.size(); ++j)
        if (e.HatHalbwert[j])
            schreibe("t12n_" + kurven[j].Name, IsoconvNormiertText(kurven, e, static_cast<int32_t>(j)));
    return fehlgeschlagen;
}
