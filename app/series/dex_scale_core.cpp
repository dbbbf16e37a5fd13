// DXAS energy scale: foil table, reference curve, scroll steps and the
// automatic calibration against a foil.
#include "series/dex_scale.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "zelva.h"

namespace {

// One whole line, however long (the table's writer keeps long lines
// whole, so a block is always 1501 lines); false at the end.
bool Zeile(std::FILE* f, std::string* zeile)
{
    zeile->clear();
    char stueck[DEX_FOLIEN_ZEILE + 2];
    while (std::fgets(stueck, sizeof stueck, f)) {
        zeile->append(stueck);
        if (!zeile->empty() && zeile->back() == '\n') return true;
    }
    return !zeile->empty();
}

bool Ende(double v) { return v > -1.9 && v <= -0.9; }

// Keeps the arrays and count the numerics object holds across a change.
struct Sichern {
    def_zelva& z;
    double* x;
    double* y;
    int32_t n;
    explicit Sichern(def_zelva& o) : z(o), x(o.xField), y(o.yField), n(o.anzahl) {}
    ~Sichern()
    {
        z.SetField(x, y);
        z.anzahl = n;
    }
};

const double TOLERANZ = 0.15;

}  // namespace

std::vector<std::string> DexFolienNamen(std::FILE* f)
{
    std::vector<std::string> namen;
    std::string zeile;
    while (Zeile(f, &zeile)) {
        zeile.resize(zeile.find_first_of("\r\n") == std::string::npos ? zeile.size()
                                                                     : zeile.find_first_of("\r\n"));
        std::size_t von = 0;
        while (von <= zeile.size()) {
            std::size_t bis = zeile.find(',', von);
            if (bis == std::string::npos) bis = zeile.size();
            if (bis > von) namen.push_back(zeile.substr(von, bis - von));
            von = bis + 1;
        }
        for (int32_t i = 0; i < DEX_FOLIEN_ZEILEN; ++i)
            if (!Zeile(f, &zeile)) return namen;
    }
    return namen;
}

bool DexFolieLesen(std::FILE* f, int32_t k, std::vector<double>* e, std::vector<double>* a)
{
    e->clear();
    a->clear();
    if (k < 0) return false;
    std::string zeile;
    const int64_t ueberspringen = static_cast<int64_t>(k / 4) * (DEX_FOLIEN_ZEILEN + 1) + 1;
    for (int64_t i = 0; i < ueberspringen; ++i)
        if (!Zeile(f, &zeile)) return false;
    const int32_t spalte = 2 * (k % 4);
    for (int32_t i = 0; i < DEX_FOLIEN_ZEILEN && Zeile(f, &zeile); ++i) {
        double werte[8];
        int32_t gelesen = 0;
        const char* p = zeile.c_str();
        while (gelesen <= spalte + 1 && gelesen < 8) {
            char* ende = nullptr;
            const double v = std::strtod(p, &ende);
            if (ende == p) break;
            werte[gelesen++] = v;
            p = ende;
            while (*p == ' ' || *p == '\t') ++p;
            if (*p != ',') break;
            ++p;
        }
        if (gelesen <= spalte + 1) break;
        const double energie = werte[spalte], absorption = werte[spalte + 1];
        if (Ende(energie) || Ende(absorption)) break;
        e->push_back(energie);
        a->push_back(absorption);
    }
    if (e->size() < 4) {
        e->clear();
        a->clear();
        return false;
    }
    return true;
}

double DexStandardSteigung(int32_t punkteProSpalte) { return punkteProSpalte < 750 ? 0.00035 : 0.0007; }

DexBalken DexBalkenBereich(int32_t balken)
{
    switch (balken) {
    case DEX_BALKEN_NULL: return {-500, 500, true};
    case DEX_BALKEN_ERSTE: return {-1500, 1500, false};
    default: return {-500, 500, false};
    }
}

bool DexBalkenSchritt(int32_t balken, int32_t code, int32_t daumen, int32_t* position, int32_t* aenderung)
{
    const DexBalken b = DexBalkenBereich(balken);
    const int32_t richtung = b.Horizontal ? -1 : 1;  // left counts +, up counts -
    int32_t neu;
    switch (code) {
    case 0: neu = *position - richtung; break;        // SB_LINEUP / SB_LINELEFT
    case 1: neu = *position + richtung; break;        // SB_LINEDOWN / SB_LINERIGHT
    case 2: neu = *position - 20 * richtung; break;   // SB_PAGEUP / SB_PAGELEFT
    case 3: neu = *position + 20 * richtung; break;   // SB_PAGEDOWN / SB_PAGERIGHT
    case 4:
    case 5: neu = daumen; break;
    default: return false;
    }
    neu = std::max(b.Von, std::min(b.Bis, neu));
    *aenderung = neu - *position;
    *position = neu;
    return *aenderung != 0;
}

int32_t DexPivot(const double* referenz, int32_t m, int32_t folienPunkte)
{
    const int32_t grenze = std::min(m, folienPunkte);
    int32_t i = 0;
    while (i < grenze && !(referenz[i] >= 0.5)) ++i;
    if (i >= grenze || i > 3 * m / 4) i = 0;
    return i;
}

void DexPolynomSchritt(double c[3], int32_t balken, double delta, double pivot)
{
    switch (balken) {
    case DEX_BALKEN_NULL: c[0] += delta; break;
    case DEX_BALKEN_ERSTE:
        c[1] += delta;
        c[0] -= delta * pivot;
        break;
    case DEX_BALKEN_ZWEITE:
        c[2] += delta;
        c[0] -= delta * pivot * pivot;
        break;
    default: break;
    }
}

bool DexFolieGitter(def_zelva& z, const std::vector<double>& e, const std::vector<double>& a, int32_t m,
                    DexFolie* folie)
{
    const std::size_t f = std::min(e.size(), a.size());
    *folie = DexFolie{};
    if (f < 4 || m < 5) return false;
    Sichern sichern(z);
    std::vector<double> fe(e.begin(), e.begin() + f), fa(a.begin(), a.begin() + f), y2(f);
    z.SetField(fe.data(), fa.data());
    z.SetAnzahl(static_cast<int32_t>(f), -1, -1);
    z.spline(y2.data());
    const double schritt = std::fabs(fe[f - 1] - fe[0]) / (m - 1);
    if (!(schritt > 0.0)) return false;
    std::vector<double> ge, ga;
    for (int64_t i = 0;; ++i) {
        const double energie = fe[0] + static_cast<double>(i) * schritt;
        if (energie > fe[f - 1]) break;
        ge.push_back(energie);
        ga.push_back(z.helpsplint(energie, y2.data()));
    }
    if (ge.size() < 5) return false;
    ge.pop_back();
    ga.pop_back();
    folie->E = ge;
    folie->A = ga;
    folie->y2.assign(ge.size(), 0.0);
    z.SetField(folie->E.data(), folie->A.data());
    z.SetAnzahl(static_cast<int32_t>(ge.size()), -1, -1);
    z.spline(folie->y2.data());
    return true;
}

void DexReferenz(def_zelva& z, DexFolie& folie, const double c[3], const double* x, int32_t m, double versatz,
                 double* referenz)
{
    const int32_t f = static_cast<int32_t>(folie.E.size());
    if (f < 4) return;
    Sichern sichern(z);
    z.SetField(folie.E.data(), folie.A.data());
    z.SetAnzahl(f, -1, -1);
    for (int32_t j = 0; j < m; ++j) {
        const double energie = c[0] + c[1] * x[j] + c[2] * x[j] * x[j];
        referenz[j] = z.helpsplint(energie, folie.y2.data()) + versatz / DEX_VERSATZ_EINHEIT;
    }
}

std::vector<double> DexExtrema(def_zelva& z, const double* x, const double* y, int32_t n,
                               const int32_t glaetten[2], double h, double ab, double toleranz)
{
    std::vector<double> liste = {ab};
    if (n < 8) return liste;
    Sichern sichern(z);
    std::vector<double> wx(x, x + n), wy(y, y + n), d(static_cast<std::size_t>(n));
    z.SetField(wx.data(), wy.data());
    z.SetAnzahl(n, -1, -1);
    for (int k = 0; k < 2; ++k)
        if (glaetten[k] > 0) z.Smoothing(glaetten[k]);
    if (z.FeldErsteAbleitung(d.data(), h) == 0) return liste;
    std::vector<double> kx, kd;
    for (int32_t i = 0; i < n; ++i)
        if (wx[static_cast<std::size_t>(i)] > ab) {
            kx.push_back(wx[static_cast<std::size_t>(i)]);
            kd.push_back(d[static_cast<std::size_t>(i)]);
        }
    if (kx.size() < 3) return liste;
    z.SetField(kx.data(), kd.data());
    z.SetAnzahl(static_cast<int32_t>(kx.size()), -1, -1);
    double nullstellen[50] = {};
    double tol = toleranz;
    int32_t anzahl = 0;
    z.BrentAlleNullstellenFeld(kx.front(), kx[kx.size() - 2], tol, anzahl, nullstellen, 0, 30);
    anzahl = std::max(0, std::min(anzahl, 30));
    liste.insert(liste.end(), nullstellen, nullstellen + anzahl);
    return liste;
}

int32_t DexTreffer(const std::vector<double>& rm, const std::vector<double>& rf, double t)
{
    const std::size_t n = std::min(rm.size(), rf.size());
    if (n < 10) return 0;
    const double sm = rm[9] - rm[0], sf = rf[9] - rf[0];
    if (sm == 0.0 || sf == 0.0) return 0;
    std::vector<double> u(n - 1), v(n - 1);
    for (std::size_t i = 1; i < n; ++i) {
        u[i - 1] = (rm[i] - rm[0]) / sm;
        v[i - 1] = (rf[i] - rf[0]) / sf;
    }
    const double verschiebung = u[0] - v[0];
    for (double& w : v) w += verschiebung;
    int32_t q = 0;
    const int32_t grenze = static_cast<int32_t>(n) - 2;
    while (q < grenze) {
        const double lo = v[q] * (1.0 - t), hi = v[q] * (1.0 + t);
        if (!(u[q] > std::min(lo, hi) && u[q] < std::max(lo, hi))) break;
        ++q;
    }
    return q;
}

bool DexPolynomFit(const double* d, const double* e, int32_t q, double p[3])
{
    if (q < 3) return false;
    // Normal equations on d / s, solved by Gauss-Jordan with pivoting.
    double s = 0.0;
    for (int32_t i = 0; i < q; ++i) s = std::max(s, std::fabs(d[i]));
    if (s == 0.0) return false;
    double a[3][4] = {};
    for (int32_t i = 0; i < q; ++i) {
        const double t = d[i] / s;
        const double b[3] = {1.0, t, t * t};
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c) a[r][c] += b[r] * b[c];
            a[r][3] += b[r] * e[i];
        }
    }
    for (int c = 0; c < 3; ++c) {
        int best = c;
        for (int r = c + 1; r < 3; ++r)
            if (std::fabs(a[r][c]) > std::fabs(a[best][c])) best = r;
        if (std::fabs(a[best][c]) < 1e-14 * (1.0 + std::fabs(a[0][0]))) return false;
        for (int k = 0; k < 4; ++k) std::swap(a[c][k], a[best][k]);
        for (int r = 0; r < 3; ++r) {
            if (r == c) continue;
            const double f = a[r][c] / a[c][c];
            for (int k = 0; k < 4; ++k) a[r][k] -= f * a[c][k];
        }
    }
    p[0] = a[0][3] / a[0][0];
    p[1] = a[1][3] / a[1][1] / s;
    p[2] = a[2][3] / a[2][2] / (s * s);
    return std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]);
}

DexKalibrierung DexKalibriere(def_zelva& z, const double* x, const double* y, int32_t m,
                              int32_t punkteProSpalte, const std::vector<double>& e,
                              const std::vector<double>& a, DexFolie* folie)
{
    DexKalibrierung k;
    const double s0 = DexStandardSteigung(punkteProSpalte);
    if (m < 8 || !DexFolieGitter(z, e, a, m, folie)) {
        k.Status = "The foil or the measurement has too few points.";
        return k;
    }
    const int32_t f = static_cast<int32_t>(folie->E.size());
    int32_t ia = 0;
    while (ia < f && !(folie->A[static_cast<std::size_t>(ia)] >= 0.5)) ++ia;
    int32_t ib = 0;
    while (ib < m && !(y[ib] >= 0.5)) ++ib;
    ia = std::min(ia, f - 1);
    ib = std::min(ib, m - 1);
    const double fa = folie->E[static_cast<std::size_t>(ia)];
    const double c0e = fa - s0 * x[ib];

    const double h = std::fabs(x[2] - x[1]);
    const int32_t nurFuenf[2] = {5, 0};
    const std::vector<double> rf = DexExtrema(z, folie->E.data(), folie->A.data(), f, nurFuenf, h, fa, 1e-7);
    bool ohneSkala = false;
    bool gefittet = false;
    for (int32_t w : {5, 15, 25}) {
        const int32_t breiten[2] = {5, w};
        const std::vector<double> rm = DexExtrema(z, x, y, m, breiten, h, x[ib], 1e-4);
        ohneSkala = std::min(rm.size(), rf.size()) < 10;
        k.Treffer = DexTreffer(rm, rf, TOLERANZ);
        if (k.Treffer < 4) continue;
        double p[3];
        if (DexPolynomFit(rm.data(), rf.data(), k.Treffer, p)) {
            std::copy(p, p + 3, k.c);
            gefittet = true;
        }
        break;
    }
    char text[200];
    if (!gefittet) {
        std::snprintf(text, sizeof text, ohneSkala
                      ? "Fewer than ten extrema found: straight line through the half heights."
                      : "Fewer than 4 extrema match: straight line through the half heights.");
    } else if (k.c[1] < 0.0 || k.c[2] < 0.0) {
        gefittet = false;
        std::snprintf(text, sizeof text, "The fit gave a negative coefficient: straight line through the half heights.");
    } else {
        std::snprintf(text, sizeof text, "%d extrema matched the foil.", static_cast<int>(k.Treffer));
    }
    if (!gefittet) {
        k.c[0] = c0e;
        k.c[1] = s0;
        k.c[2] = 0.0;
        k.Gerade = true;
    }
    k.Status = text;
    return k;
}
