// Principal component analysis on plain arrays (see pca.h).
#include "xas/pca.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <memory>
#include <numeric>

#include "spectra/spectrum_file.h"
#include "zelva.h"

namespace {

using Zeile100 = double[100];

// A heap matrix of rows x 100 for the library's 1-based routines.
std::unique_ptr<Zeile100[]> Matrix100(int32_t zeilen)
{
    std::unique_ptr<Zeile100[]> m(new Zeile100[static_cast<size_t>(zeilen)]);
    std::fill(&m[0][0], &m[0][0] + static_cast<size_t>(zeilen) * 100, 0.0);
    return m;
}

void Anhaengen(std::string& s, const char* format, ...) __attribute__((format(printf, 2, 3)));
void Anhaengen(std::string& s, const char* format, ...)
{
    char puffer[512];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(puffer, sizeof puffer, format, args);
    va_end(args);
    if (n > 0) s.append(puffer, static_cast<size_t>(std::min<int>(n, sizeof puffer - 1)));
}

}  // namespace

std::vector<double> PcaGitter(double x0, double xn)
{
    std::vector<double> g(PCA_GITTERPUNKTE);
    const double schritt = std::fabs(xn - x0) / (PCA_GITTERPUNKTE - 1);
    for (int32_t k = 0; k < PCA_GITTERPUNKTE; ++k) g[k] = x0 + k * schritt;
    return g;
}

bool PcaBereichPasst(double x0, double xn, const std::vector<double>& gitter)
{
    if (gitter.empty()) return false;
    return !(x0 > 1.0001 * gitter.front() || 0.9999 * gitter.back() > xn);
}

bool PcaResample(const double* x, const double* y, int32_t n, const std::vector<double>& gitter,
                 std::vector<double>& out)
{
    out.assign(gitter.size(), 0.0);
    if (!x || !y || n < 2) return false;
    // The library keeps pointers to the curve: give it copies of exactly the
    // input's length, so no input is too long for the work arrays.
    std::vector<double> xs(x, x + n), ys(y, y + n), y2(static_cast<size_t>(n), 0.0);
    def_zelva numerik;
    numerik.SetField(xs.data(), ys.data());
    numerik.SetAnzahl(n, 0, 0);
    numerik.spline(y2.data());
    for (size_t k = 0; k < gitter.size(); ++k) out[k] = numerik.helpsplint(gitter[k], y2.data());
    return true;
}

int32_t PcaZerlege(const std::vector<std::vector<double>>& spektren, PcaZerlegung& z)
{
    const int32_t c = static_cast<int32_t>(spektren.size());
    if (c < 1 || c > PCA_MAX_EINGABEN) return -1;
    const int32_t m = static_cast<int32_t>(spektren[0].size());
    if (m < 1) return -1;
    for (const auto& s : spektren)
        if (static_cast<int32_t>(s.size()) != m) return -1;

    auto a = Matrix100(m + 1);
    auto v = Matrix100(c + 1);
    std::vector<double> w(static_cast<size_t>(c) + 1, 0.0);
    for (int32_t k = 0; k < m; ++k)
        for (int32_t i = 0; i < c; ++i) a[k + 1][i + 1] = spektren[i][k];
    def_zelva numerik;
    const int32_t r = numerik.svdcmp(a.get(), m, c, w.data(), v.get());
    if (r < 0) return r;

    // Every later step reads the components as the most important first.
    std::vector<int32_t> ordnung(static_cast<size_t>(c));
    std::iota(ordnung.begin(), ordnung.end(), 1);
    std::stable_sort(ordnung.begin(), ordnung.end(),
                     [&](int32_t p, int32_t q) { return w[p] > w[q]; });

    z.Zeilen = m;
    z.Spalten = c;
    z.U.assign(static_cast<size_t>(m) * c, 0.0);
    z.V.assign(static_cast<size_t>(c) * c, 0.0);
    z.w.assign(static_cast<size_t>(c), 0.0);
    for (int32_t j = 0; j < c; ++j) {
        const int32_t quelle = ordnung[j];
        z.w[j] = w[quelle];
        for (int32_t k = 0; k < m; ++k) z.U[static_cast<size_t>(k) * c + j] = a[k + 1][quelle];
        for (int32_t i = 0; i < c; ++i) z.V[static_cast<size_t>(i) * c + j] = v[i + 1][quelle];
    }
    return r;
}

void PcaIndikator(const std::vector<double>& w, int32_t zeilen, std::vector<double>& re,
                  std::vector<double>& ind)
{
    const int32_t c = static_cast<int32_t>(w.size());
    re.assign(w.size(), 0.0);
    ind.assign(w.size(), 0.0);
    for (int32_t n = 1; n < c; ++n) {
        double summe = 0.0;
        for (int32_t j = n; j < c; ++j) summe += w[j] * w[j];
        const double rest = c - n;
        re[n - 1] = std::sqrt(summe / (zeilen * rest));
        ind[n - 1] = re[n - 1] / (rest * rest);
    }
}

int32_t PcaSignifikanz(std::vector<double>& w)
{
    const int32_t c = static_cast<int32_t>(w.size());
    int32_t nsig = 1;
    bool zaehlen = true;
    for (int32_t j = 1; j < c; ++j) {
        if (std::fabs(w[j] - w[j - 1]) < 1e-5 && nsig > 10) {
            w[j] = 0.0;
            zaehlen = false;
        } else if (zaehlen) {
            ++nsig;
        }
    }
    return c < 1 ? 0 : nsig;
}

int32_t PcaFuehrendeKomponenten(const std::vector<int32_t>& flags)
{
    int32_t n = 0;
    while (n < static_cast<int32_t>(flags.size()) && flags[n] > 0) ++n;
    return n;
}

std::vector<double> PcaRekonstruiere(const PcaZerlegung& z, const std::vector<double>& gewichte,
                                     int32_t i)
{
    std::vector<double> r(static_cast<size_t>(z.Zeilen), 0.0);
    if (i < 0 || i >= z.Spalten) return r;
    const int32_t n = std::min<int32_t>(z.Spalten, static_cast<int32_t>(gewichte.size()));
    for (int32_t m = 0; m < n; ++m) {
        if (gewichte[m] == 0.0) continue;
        const double f = gewichte[m] * z.v(i, m);
        for (int32_t k = 0; k < z.Zeilen; ++k) r[k] += f * z.u(k, m);
    }
    return r;
}

double PcaRWert(const std::vector<double>& s, const std::vector<double>& r)
{
    double oben = 0.0, unten = 0.0;
    const size_t n = std::min(s.size(), r.size());
    for (size_t k = 0; k < n; ++k) {
        oben += std::fabs(s[k] - r[k]);
        unten += std::fabs(s[k]);
    }
    return unten > 0.0 ? 100.0 * oben / unten : 0.0;
}

double PcaTargetTransformation(const PcaZerlegung& z, int32_t n, const std::vector<double>& t,
                               std::vector<double>& tStrich)
{
    tStrich.assign(static_cast<size_t>(z.Zeilen), 0.0);
    if (static_cast<int32_t>(t.size()) != z.Zeilen) return 100.0;
    n = std::clamp<int32_t>(n, 0, z.Spalten);
    // U_n (U_n^T t): the same as the projector applied point by point.
    for (int32_t m = 0; m < n; ++m) {
        double p = 0.0;
        for (int32_t l = 0; l < z.Zeilen; ++l) p += z.u(l, m) * t[l];
        for (int32_t k = 0; k < z.Zeilen; ++k) tStrich[k] += z.u(k, m) * p;
    }
    return PcaRWert(t, tStrich);
}

std::vector<std::vector<double>> PcaResiduenMatrix(const std::vector<std::vector<double>>& spektren,
                                                   const PcaZerlegung& z)
{
    const int32_t c = z.Spalten;
    std::vector<std::vector<double>> rm(static_cast<size_t>(c), std::vector<double>(c, 0.0));
    for (int32_t s = 0; s < c && s < static_cast<int32_t>(spektren.size()); ++s) {
        std::vector<double> r(static_cast<size_t>(z.Zeilen), 0.0);
        for (int32_t n = 0; n < c; ++n) {
            const double f = z.w[n] * z.v(s, n);
            for (int32_t k = 0; k < z.Zeilen; ++k) r[k] += f * z.u(k, n);
            rm[s][n] = PcaRWert(spektren[s], r);
        }
    }
    return rm;
}

void PcaGruppenPlot(const PcaZerlegung& z, std::vector<double>& x, std::vector<double>& y)
{
    const int32_t c = z.Spalten;
    std::vector<std::pair<double, double>> p(static_cast<size_t>(c));
    for (int32_t s = 0; s < c; ++s)
        p[s] = {z.w[0] * z.v(s, 0), c > 1 ? z.w[1] * z.v(s, 1) : 0.0};
    std::stable_sort(p.begin(), p.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    x.resize(p.size());
    y.resize(p.size());
    for (size_t s = 0; s < p.size(); ++s) {
        x[s] = p[s].first;
        y[s] = p[s].second;
    }
}

int32_t PcaKonzentrationen(const std::vector<std::vector<double>>& faktoren,
                           const std::vector<std::vector<double>>& rekonstruktionen,
                           std::vector<std::vector<double>>& k, int32_t& fehler)
{
    k.clear();
    fehler = 0;
    const int32_t m = static_cast<int32_t>(faktoren.size());
    const int32_t c = static_cast<int32_t>(rekonstruktionen.size());
    if (m < 1 || m > PCA_MAX_EINGABEN || c < 1) return PCA_KONZ_GROESSE;
    for (int32_t t = 0; t < m; ++t) {
        if (faktoren[t].empty()) {
            fehler = t + 1;
            return PCA_KONZ_FEHLT;
        }
    }
    const size_t zeilen = faktoren[0].size();
    for (const auto& f : faktoren)
        if (f.size() != zeilen) return PCA_KONZ_GROESSE;
    for (const auto& r : rekonstruktionen)
        if (r.size() != zeilen) return PCA_KONZ_GROESSE;

    // A dependent set of factors has no unique concentrations: test the
    // rank by the singular values of Y before G = Y^T Y is inverted.
    PcaZerlegung y;
    if (PcaZerlege(faktoren, y) != 1) return PCA_KONZ_RANG;
    if (!(y.w.front() > 0.0) || y.w.back() < 1e-10 * y.w.front()) return PCA_KONZ_RANG;

    auto g = Matrix100(m + 1);
    auto gi = Matrix100(m + 1);
    for (int32_t a = 0; a < m; ++a)
        for (int32_t b = 0; b < m; ++b) {
            double s = 0.0;
            for (size_t l = 0; l < zeilen; ++l) s += faktoren[a][l] * faktoren[b][l];
            g[a + 1][b + 1] = s;
        }
    def_zelva numerik;
    if (numerik.MatrixInversion(m, g.get(), gi.get()) < 0.0) return PCA_KONZ_RANG;

    // K = G^-1 (Y^T R).
    std::vector<std::vector<double>> ytr(static_cast<size_t>(m), std::vector<double>(c, 0.0));
    for (int32_t a = 0; a < m; ++a)
        for (int32_t i = 0; i < c; ++i) {
            double s = 0.0;
            for (size_t l = 0; l < zeilen; ++l) s += faktoren[a][l] * rekonstruktionen[i][l];
            ytr[a][i] = s;
        }
    k.assign(static_cast<size_t>(m), std::vector<double>(c, 0.0));
    for (int32_t t = 0; t < m; ++t)
        for (int32_t i = 0; i < c; ++i) {
            double s = 0.0;
            for (int32_t a = 0; a < m; ++a) s += gi[t + 1][a + 1] * ytr[a][i];
            k[t][i] = s;
        }
    return PCA_KONZ_OK;
}

std::string PcaBericht(const PcaBerichtDaten& d)
{
    std::string s;
    const int32_t c = static_cast<int32_t>(d.Eingaben.size());
    s += "\r\n         Principal Components Analysis - Results\r\n";
    s += " ----------------------------------------------\r\n\r\n";
    if (!d.Spaltenmodus) Anhaengen(s, "  Reference files (grid: %d dp):\r\n", PCA_GITTERPUNKTE);
    if (c == PCA_MAX_EINGABEN)
        Anhaengen(s, "\r\n   WARNING: max. # of files: %d\r\n\r\n", PCA_MAX_EINGABEN);
    if (!d.Spaltenmodus) {
        for (int32_t i = 0; i < c; ++i) {
            const PcaEingabe& e = *d.Eingaben[i];
            Anhaengen(s, "  File #%2d :  %20s,  ndp: %4d  [% -8.6G, % -8.6G]\r\n", i + 1, e.Name,
                      static_cast<int>(e.Punkte), e.Anfang, e.Ende);
        }
    } else if (c > 0) {
        const PcaEingabe& e = *d.Eingaben[0];
        Anhaengen(s, "  Multiple column file %20s, col: %4d   ndp: %4d  [% -8.6G, % -8.6G]\r\n",
                  d.DateiName.c_str(), c, static_cast<int>(e.Punkte), e.Anfang, e.Ende);
    }
    s += "\r\n\r\n";
    s += "  Output files generated in data directory:\r\n\r\n";
    s += "  *   A_PCA_COMPONENTS.DAT - Principal Components\r\n";
    Anhaengen(s, "  *   A_PCA_RECON_DATA.DAT - Reconstructed data using 1st %d components\r\n",
              d.Signifikant);
    s += "  *   A_PCA_ORIGL_DATA.DAT - Original input data interpolated on same grid\r\n";
    s += "  *   A_PCA_GROUP_PLOT.DAT - PCA Group Plot using 1st and 2nd Eigenvalue\r\n";
    s += "\r\n\r\n";

    const int32_t nw = static_cast<int32_t>(d.w.size());
    s += "      SIGNIFICANT WEIGHTS / EIGENVALUES\r\n\r\n";
    for (int32_t m = 0; m < nw && d.w[m] != 0.0; ++m)
        Anhaengen(s, "  Weight/Eigenvalue #%2d :  % -14.7G \r\n", m + 1, d.w[m]);
    // Components count in the tables while their weight is above 0.
    int32_t komponenten = 0;
    while (komponenten < nw && d.w[komponenten] > 0.0) ++komponenten;

    s += "\r\n\r\n\r\n";
    s += "      MIXING COEFFICIENT MATRIX\r\n\r\n";
    if (d.Zerlegung) {
        for (int32_t r = 0; r < c && r < d.Zerlegung->Spalten; ++r) {
            for (int32_t m = 0; m < komponenten && m < d.Zerlegung->Spalten; ++m)
                Anhaengen(s, "  % -10.5G", d.Zerlegung->v(r, m));
            s += "\r\n";
        }
    }
    s += "\r\n\r\n\r\n";
    s += "      PCA RESIDUAL MATRIX AND SIGNIFICANCE INDICATORS\r\n\r\n";
    s += "           ";
    for (int32_t m = 0; m < komponenten; ++m) Anhaengen(s, " Comp#%2d ", m + 1);
    s += "\r\n";
    auto zelle = [&](const std::vector<double>& v, int32_t n) {
        return n < static_cast<int32_t>(v.size()) ? v[n] : 0.0;
    };
    std::vector<double> summe(static_cast<size_t>(komponenten), 0.0);
    for (int32_t r = 0; r < c && r < static_cast<int32_t>(d.Residuen.size()); ++r) {
        Anhaengen(s, "  Spec #%2d", r + 1);
        for (int32_t n = 0; n < komponenten; ++n) {
            Anhaengen(s, "  % -7.3G", zelle(d.Residuen[r], n));
            summe[n] += zelle(d.Residuen[r], n);
        }
        s += "\r\n";
    }
    s += "\r\n  S(R)    ";
    for (int32_t n = 0; n < komponenten; ++n) Anhaengen(s, "  % -7.3G", summe[n]);
    s += "\r\n";
    s += "\r\n  S(R*Cn) ";
    for (int32_t n = 0; n < komponenten; ++n) Anhaengen(s, "  % -7.3G", (n + 1) * summe[n]);
    s += "\r\n";
    s += "\r\n  IND     ";
    for (int32_t n = 0; n < komponenten; ++n) Anhaengen(s, "  % -7.3G", zelle(d.Indikator, n));
    s += "\r\n";
    s += "\r\n  RE(*1E2)";
    for (int32_t n = 0; n < komponenten; ++n) Anhaengen(s, "  % -7.3G", 100.0 * zelle(d.RealError, n));
    s += "\r\n";
    s += "\r\n\r\n";
    return s;
}

std::string PcaTestBericht(bool berichtOffen, const std::string& name, int32_t punkte,
                           double anfang, double ende, double rWert)
{
    std::string s = "\r\n";
    if (berichtOffen) {
        s += "\r\n";
        s += "  *   A_PCA_TEST_PRIME.DAT - Transformed LAST test file\r\n";
        s += "  *   A_PCA_TEST.DAT       - LAST test file (interpolated)\r\n\r\n\r\n";
    }
    Anhaengen(s, "  Target Transformation of   %s  - ndp: %4d  [% -8.6G, % -8.6G]\r\n\r\n",
              name.c_str(), punkte, anfang, ende);
    Anhaengen(s, "  Target Transformation R-value:  % -8.6G %%\r\n----------------------\r\n", rWert);
    return s;
}

// ---- the result files ----

namespace {

std::string Pfad(const std::string& ordner, const std::string& name) { return ordner + name; }

// A multi-column binary file: header, x with the first y, further y columns.
bool SchreibeMehrspaltig(const std::string& pfad, const std::vector<double>& x,
                         const std::vector<std::vector<double>>& ys)
{
    if (ys.empty()) return false;
    BinaerAuftrag a;
    a.Spalten = static_cast<int32_t>(ys.size()) + 1;
    a.Punkte = static_cast<int32_t>(x.size());
    a.Teil = 1;
    if (SchreibeBinaerSpektrum(pfad.c_str(), a) != SPEKTRUM_OK) return false;
    a.Anhaengen = 100;
    for (size_t j = 0; j < ys.size(); ++j) {
        if (ys[j].size() != x.size()) return false;
        a.Teil = j == 0 ? 0 : 10;
        a.x = x.data();
        a.y = ys[j].data();
        if (SchreibeBinaerSpektrum(pfad.c_str(), a) != SPEKTRUM_OK) return false;
    }
    return true;
}

bool SchreibeText(const std::string& pfad, const std::string& text, const char* modus = "w")
{
    std::FILE* f = std::fopen(pfad.c_str(), modus);
    if (!f) return false;
    bool ok = text.empty() || std::fwrite(text.data(), 1, text.size(), f) == text.size();
    ok = std::fclose(f) == 0 && ok;
    return ok;
}

std::string PaareText(const std::vector<double>& x, const std::vector<double>& y)
{
    std::string s;
    for (size_t k = 0; k < x.size() && k < y.size(); ++k)
        Anhaengen(s, "%.10E   %.10E\n", x[k], y[k]);
    return s;
}

// Numbers of a text file, one a line (the first number of each line).
bool LeseZahlen(const std::string& pfad, std::vector<double>& werte)
{
    werte.clear();
    std::FILE* f = std::fopen(pfad.c_str(), "r");
    if (!f) return false;
    char zeile[200];
    while (std::fgets(zeile, sizeof zeile, f)) {
        double v;
        if (std::sscanf(zeile, "%lf", &v) == 1) werte.push_back(v);
    }
    std::fclose(f);
    return true;
}

// Columns 2..c+1 of a multi-column file as vectors, x in column 1.
bool LeseMehrspaltig(const std::string& pfad, int32_t spalten, std::vector<double>& x,
                     std::vector<std::vector<double>>& ys)
{
    ys.clear();
    for (int32_t j = 0; j < spalten; ++j) {
        std::vector<double> xs, y;
        int32_t fehler = 0;
        if (LeseBinaerSpalten(pfad.c_str(), 1, j + 2, -1, &xs, &y, &fehler) <= 0) return false;
        if (j == 0) x = xs;
        if (y.size() != x.size()) return false;
        ys.push_back(y);
    }
    return true;
}

// The decomposition of the last full analysis, read back from its files.
int32_t LeseZerlegung(const std::string& ordner, const std::vector<PcaEingabe>& eingaben,
                      const PcaZustand& zustand, std::vector<double>& gitter, PcaZerlegung& z,
                      std::vector<int32_t>& flags)
{
    const int32_t c = zustand.Anzahl;
    if (c < 2 || c > PCA_MAX_EINGABEN || static_cast<int32_t>(eingaben.size()) < c)
        return PCA_KEINE_ANALYSE;
    std::vector<std::vector<double>> u;
    if (!LeseMehrspaltig(Pfad(ordner, "A_PCA_components.dat"), c, gitter, u) ||
        static_cast<int32_t>(gitter.size()) != PCA_GITTERPUNKTE)
        return PCA_KEINE_ANALYSE;
    // The file keeps the grid in single precision, a thousandth of an eV off
    // at 12 keV: on an edge that shifts a target against the inputs. The grid
    // is rebuilt from the first input's range, which defined it.
    const std::vector<double> genau = PcaGitter(eingaben[0].Anfang, eingaben[0].Ende);
    for (int32_t k = 0; k < PCA_GITTERPUNKTE; ++k)
        if (std::fabs(genau[k] - gitter[k]) > 1e-6 * std::fabs(genau[k]) + 1e-12)
            return PCA_KEINE_ANALYSE;
    gitter = genau;
    std::vector<double> f, v;
    if (!LeseZahlen(Pfad(ordner, "new_weights.dat"), f) || !LeseZahlen(Pfad(ordner, "mix_coeff.dat"), v) ||
        static_cast<int32_t>(v.size()) != c * c)
        return PCA_KEINE_ANALYSE;
    flags.assign(static_cast<size_t>(c), 0);
    for (int32_t m = 0; m < c && m < static_cast<int32_t>(f.size()); ++m)
        flags[m] = static_cast<int32_t>(f[m]);
    z.Zeilen = PCA_GITTERPUNKTE;
    z.Spalten = c;
    z.U.assign(static_cast<size_t>(PCA_GITTERPUNKTE) * c, 0.0);
    for (int32_t k = 0; k < PCA_GITTERPUNKTE; ++k)
        for (int32_t m = 0; m < c; ++m) z.U[static_cast<size_t>(k) * c + m] = u[m][k];
    z.V = v;
    z.w.assign(static_cast<size_t>(c), 0.0);
    for (int32_t m = 0; m < c; ++m) z.w[m] = flags[m] > 0 ? eingaben[m].Gewicht : 0.0;
    return c;
}

// Reconstructions of all inputs with the given weights, their R-values,
// and the two files that hold them.
bool SchreibeRekonstruktion(const std::string& ordner, const std::vector<PcaEingabe>& eingaben,
                            const PcaZerlegung& z, const std::vector<double>& gitter,
                            std::vector<double>& residuen)
{
    std::vector<std::vector<double>> rekon;
    residuen.assign(static_cast<size_t>(z.Spalten), 0.0);
    std::string text = "residuals\n";
    for (int32_t i = 0; i < z.Spalten; ++i) {
        rekon.push_back(PcaRekonstruiere(z, z.w, i));
        residuen[i] = PcaRWert(eingaben[i].Gitterspektrum, rekon.back());
        Anhaengen(text, "%d  %G\n", i + 1, residuen[i]);
    }
    return SchreibeMehrspaltig(Pfad(ordner, "A_PCA_recon_data.dat"), gitter, rekon) &&
           SchreibeText(Pfad(ordner, "residuals.dat"), text);
}

}  // namespace

bool PcaSchreibeFlags(const std::string& ordner, const std::vector<int32_t>& flags)
{
    std::string text;
    for (int32_t f : flags) Anhaengen(text, "%d\n", f > 0 ? 1 : 0);
    return SchreibeText(Pfad(ordner, "new_weights.dat"), text);
}

int32_t PcaVollanalyse(const std::string& ordner, std::vector<PcaEingabe>& eingaben,
                       const std::vector<double>& gitter, bool spaltenmodus,
                       const std::string& dateiName, PcaZustand& zustand, PcaLauf& lauf)
{
    const int32_t c = static_cast<int32_t>(eingaben.size());
    if (c > PCA_MAX_EINGABEN) return PCA_ZU_VIELE;
    if (c < 2) return PCA_ZU_WENIG;
    if (static_cast<int32_t>(gitter.size()) != PCA_GITTERPUNKTE) return PCA_KEINE_ANALYSE;
    std::vector<std::vector<double>> spektren;
    for (const PcaEingabe& e : eingaben) {
        if (static_cast<int32_t>(e.Gitterspektrum.size()) < PCA_GITTERPUNKTE) return PCA_KEINE_ANALYSE;
        spektren.emplace_back(e.Gitterspektrum.begin(), e.Gitterspektrum.begin() + PCA_GITTERPUNKTE);
    }
    PcaZerlegung z;
    if (PcaZerlege(spektren, z) != 1) return PCA_NUMERIK;

    std::string text;
    for (int32_t r = 0; r < c; ++r)
        for (int32_t m = 0; m < c; ++m) Anhaengen(text, "%G\n", z.v(r, m));
    bool ok = SchreibeText(Pfad(ordner, "mix_coeff.dat"), text);
    std::vector<std::vector<double>> u(static_cast<size_t>(c), std::vector<double>(PCA_GITTERPUNKTE));
    for (int32_t m = 0; m < c; ++m)
        for (int32_t k = 0; k < PCA_GITTERPUNKTE; ++k) u[m][k] = z.u(k, m);
    ok = ok && SchreibeMehrspaltig(Pfad(ordner, "A_PCA_components.dat"), gitter, u);
    ok = ok && SchreibeMehrspaltig(Pfad(ordner, "A_PCA_origl_data.dat"), gitter, spektren);

    std::vector<double> re;
    PcaIndikator(z.w, PCA_GITTERPUNKTE, re, lauf.Indikator);
    for (double& v : lauf.Indikator) v *= 100000.0;
    const int32_t nsig = PcaSignifikanz(z.w);
    lauf.Signifikant = nsig;
    std::vector<int32_t> flags(static_cast<size_t>(c), 0);
    std::fill(flags.begin(), flags.begin() + nsig, 1);
    ok = ok && PcaSchreibeFlags(ordner, flags);

    std::vector<double> nummern(static_cast<size_t>(c));
    for (int32_t i = 0; i < c; ++i) nummern[i] = i + 1;
    std::vector<std::vector<double>> konz(static_cast<size_t>(nsig), std::vector<double>(c));
    for (int32_t m = 0; m < nsig; ++m)
        for (int32_t i = 0; i < c; ++i) konz[m][i] = z.v(i, m);
    ok = ok && SchreibeMehrspaltig(Pfad(ordner, "A_PCA_weights.dat"), nummern, konz);

    for (int32_t i = 0; i < c; ++i) eingaben[i].Gewicht = z.w[i];
    ok = ok && SchreibeRekonstruktion(ordner, eingaben, z, gitter, lauf.Residuen);

    std::vector<double> gx, gy;
    PcaGruppenPlot(z, gx, gy);
    ok = ok && SchreibeMehrspaltig(Pfad(ordner, "A_PCA_Group_Plot.dat"), gx, {gy});

    PcaBerichtDaten d;
    d.Spaltenmodus = spaltenmodus;
    d.DateiName = dateiName;
    for (const PcaEingabe& e : eingaben) d.Eingaben.push_back(&e);
    d.Signifikant = nsig;
    d.w = z.w;
    d.Zerlegung = &z;
    d.Residuen = PcaResiduenMatrix(spektren, z);
    d.Indikator = lauf.Indikator;
    d.RealError = re;
    lauf.Bericht = PcaBericht(d);
    ok = ok && SchreibeText(Pfad(ordner, "temp.txt"), lauf.Bericht, "wb+");

    zustand.Anzahl = c;
    zustand.Gitterpunkte = PCA_GITTERPUNKTE;
    zustand.Spaltenmodus = spaltenmodus;
    zustand.BerichtOffen = true;
    return ok ? c : PCA_SCHREIBFEHLER;
}

int32_t PcaNeuRekonstruktion(const std::string& ordner, const std::vector<PcaEingabe>& eingaben,
                             const PcaZustand& zustand, PcaLauf& lauf)
{
    std::vector<double> gitter;
    PcaZerlegung z;
    std::vector<int32_t> flags;
    const int32_t c = LeseZerlegung(ordner, eingaben, zustand, gitter, z, flags);
    if (c < 0) return c;
    lauf.Signifikant = PcaFuehrendeKomponenten(flags);
    return SchreibeRekonstruktion(ordner, eingaben, z, gitter, lauf.Residuen) ? c : PCA_SCHREIBFEHLER;
}

int32_t PcaZieltransformation(const std::string& ordner, const std::vector<PcaEingabe>& eingaben,
                              PcaZustand& zustand, const double* x, const double* y, int32_t n,
                              const std::string& name, double& rWert, std::string& bericht)
{
    std::vector<double> gitter;
    PcaZerlegung z;
    std::vector<int32_t> flags;
    const int32_t c = LeseZerlegung(ordner, eingaben, zustand, gitter, z, flags);
    if (c < 0) return c;
    std::vector<double> t, tStrich;
    if (!PcaResample(x, y, n, gitter, t)) return PCA_ZU_WENIG;
    zustand.TestAnfang = x[0];
    zustand.TestEnde = x[n - 1];
    zustand.TestPunkte = n;
    rWert = PcaTargetTransformation(z, PcaFuehrendeKomponenten(flags), t, tStrich);
    bool ok = SchreibeText(Pfad(ordner, "A_PCA_Test_Prime.pca"), PaareText(gitter, tStrich));
    ok = SchreibeMehrspaltig(Pfad(ordner, "A_PCA_Test_Prime.dat"), gitter, {tStrich}) && ok;
    ok = SchreibeText(Pfad(ordner, "A_PCA_Test.dat"), PaareText(gitter, t)) && ok;
    bericht = PcaTestBericht(zustand.BerichtOffen, name, n, x[0], x[n - 1], rWert);
    zustand.BerichtOffen = false;
    ok = SchreibeText(Pfad(ordner, "temp.txt"), bericht, "ab+") && ok;
    return ok ? c : PCA_SCHREIBFEHLER;
}

int32_t PcaTargetReconstruction(const std::string& ordner, int32_t eingaben, int32_t faktoren,
                                int32_t& fehler)
{
    fehler = 0;
    if (eingaben < 1 || eingaben > PCA_MAX_EINGABEN || faktoren < 1 || faktoren > PCA_MAX_EINGABEN)
        return PCA_KONZ_GROESSE;
    std::vector<std::vector<double>> y;
    for (int32_t t = 1; t <= faktoren; ++t) {
        char name[40];
        std::snprintf(name, sizeof name, "factor_%d.pca", t);
        std::vector<double> spalte;
        std::FILE* f = std::fopen(Pfad(ordner, name).c_str(), "r");
        if (f) {
            char zeile[200];
            double a, b;
            while (std::fgets(zeile, sizeof zeile, f) && spalte.size() < PCA_GITTERPUNKTE)
                if (std::sscanf(zeile, "%lf %lf", &a, &b) == 2) spalte.push_back(b);
            std::fclose(f);
        }
        // A short or missing factor has no usable curve.
        if (static_cast<int32_t>(spalte.size()) != PCA_GITTERPUNKTE) spalte.clear();
        y.push_back(spalte);
    }
    std::vector<double> gitter;
    std::vector<std::vector<double>> rekon;
    for (int32_t t = 0; t < faktoren; ++t)
        if (y[t].empty()) {
            fehler = t + 1;
            return PCA_KONZ_FEHLT;
        }
    if (!LeseMehrspaltig(Pfad(ordner, "A_PCA_recon_data.dat"), eingaben, gitter, rekon) ||
        static_cast<int32_t>(gitter.size()) != PCA_GITTERPUNKTE)
        return PCA_KEINE_ANALYSE;
    std::vector<std::vector<double>> k;
    const int32_t r = PcaKonzentrationen(y, rekon, k, fehler);
    if (r != PCA_KONZ_OK) return r;
    bool ok = true;
    for (int32_t t = 0; t < faktoren; ++t) {
        std::string text;
        for (int32_t i = 0; i < eingaben; ++i) Anhaengen(text, "%.10E   %.10E\n", double(i + 1), k[t][i]);
        char name[40];
        std::snprintf(name, sizeof name, "realweight_%d.pca", t + 1);
        ok = SchreibeText(Pfad(ordner, name), text) && ok;
    }
    return ok ? PCA_KONZ_OK : PCA_SCHREIBFEHLER;
}

const char* PcaAuswahlMeldung(int32_t anzahl, const char*& titel)
{
    titel = nullptr;
    if (anzahl == 1) {
        titel = "Caution!";
        return "Choose at least two spectra.";
    }
    if (anzahl > PCA_MAX_EINGABEN) {
        titel = "Error!";
        return "Too many files or columns!\r\n Max. no. of columns = 100";
    }
    return nullptr;
}

std::vector<std::string> PcaEingabePfade(const std::string& ordner, const std::string& namen)
{
    std::vector<std::string> pfade;
    size_t anfang = 0;
    while (anfang <= namen.size() && static_cast<int32_t>(pfade.size()) < PCA_MAX_EINGABEN) {
        size_t ende = namen.find(',', anfang);
        if (ende == std::string::npos) ende = namen.size();
        if (ende > anfang) pfade.push_back(ordner + namen.substr(anfang, ende - anfang));
        anfang = ende + 1;
    }
    return pfade;
}

bool PcaNimmAuf(const double* x, const double* y, int32_t n, const char* name,
                std::vector<double>& gitter, PcaEingabe& e)
{
    std::snprintf(e.Name, sizeof e.Name, "%s", name ? name : "");
    e.Punkte = n;
    if (!x || !y || n < 2) {
        e.Gitterspektrum.assign(static_cast<size_t>(PCA_GITTERPUNKTE), 0.0);
        return false;
    }
    e.Anfang = x[0];
    e.Ende = x[n - 1];
    if (gitter.empty()) gitter = PcaGitter(x[0], x[n - 1]);
    const bool passt = PcaBereichPasst(x[0], x[n - 1], gitter);
    return PcaResample(x, y, n, gitter, e.Gitterspektrum) && passt;
}

namespace {

// Column `spalte` (1 = first y column) of a multi-column result file.
bool LeseSpalte(const std::string& pfad, int32_t spalte, std::vector<double>& x, std::vector<double>& y)
{
    int32_t fehler = 0;
    x.clear();
    y.clear();
    if (spalte < 1 || LeseBinaerSpalten(pfad.c_str(), 1, spalte + 1, -1, &x, &y, &fehler) <= 0 ||
        x.size() != y.size() || x.empty()) {
        x.clear();
        y.clear();
        return false;
    }
    return true;
}

// Pairs of a text file ("%lf %lf" a line).
bool LesePaare(const std::string& pfad, std::vector<double>& x, std::vector<double>& y)
{
    x.clear();
    y.clear();
    std::FILE* f = std::fopen(pfad.c_str(), "r");
    if (!f) return false;
    char zeile[200];
    double a, b;
    while (std::fgets(zeile, sizeof zeile, f))
        if (std::sscanf(zeile, "%lf %lf", &a, &b) == 2) x.push_back(a), y.push_back(b);
    std::fclose(f);
    return !x.empty();
}

}  // namespace

bool PcaAnsicht(const std::string& ordner, int32_t ansicht, int32_t s,
                const std::vector<PcaEingabe>& eingaben, const std::vector<double>& residuen,
                int32_t faktoren, PcaAnsichtDaten& a)
{
    a = PcaAnsichtDaten();
    const int32_t c = static_cast<int32_t>(eingaben.size());
    std::vector<double> x, y;
    switch (ansicht) {
    case 0:
        if (s < 1 || s > c || !LeseSpalte(Pfad(ordner, "A_PCA_recon_data.dat"), s, x, y) ||
            eingaben[s - 1].Gitterspektrum.size() != x.size())
            return false;
        a.x = x;
        a.y = eingaben[s - 1].Gitterspektrum;
        a.ux = x;
        a.uy = y;
        return true;
    case 1:
    case 6:
        if (s < 1 || s > c ||
            !LeseSpalte(Pfad(ordner, ansicht == 1 ? "A_PCA_components.dat" : "A_PCA_weights.dat"), s, x, y))
            return false;
        a.x = x;
        a.y = y;
        return true;
    case 2: {
        std::vector<double> tx, ty;
        if (!LeseSpalte(Pfad(ordner, "A_PCA_Test_Prime.dat"), 1, x, y) ||
            !LesePaare(Pfad(ordner, "A_PCA_Test.dat"), tx, ty) || tx.size() != x.size())
            return false;
        a.x = tx;
        a.y = ty;
        a.ux = x;
        a.uy = y;
        return true;
    }
    case 3:
        if (!LeseSpalte(Pfad(ordner, "A_PCA_Group_Plot.dat"), 1, x, y)) return false;
        a.x = a.ux = x;
        a.y = a.uy = y;
        a.Stil = 2;
        return true;
    case 5: {
        if (c < 1 || static_cast<int32_t>(residuen.size()) < c) return false;
        double groesste = 0.0;
        for (int32_t i = 0; i < c; ++i) {
            a.x.push_back(i + 1);
            a.y.push_back(residuen[i]);
            groesste = std::max(groesste, residuen[i]);
        }
        a.ux = a.x;
        a.uy = a.y;
        a.Stil = 64;
        a.Fest = true;
        a.FestX[0] = 0.0, a.FestX[1] = c + 1;
        a.FestY[0] = 0.0, a.FestY[1] = groesste > 0.0 ? groesste : 1.0;
        return true;
    }
    case 7: {
        if (faktoren < 1) return false;
        double klein = 1e50, gross = -1e50;
        for (int32_t t = 1; t <= faktoren; ++t) {
            char name[40];
            std::snprintf(name, sizeof name, "realweight_%d.pca", t);
            std::vector<double> px, py;
            if (!LesePaare(Pfad(ordner, name), px, py)) continue;
            for (double v : py) klein = std::min(klein, v), gross = std::max(gross, v);
            if (t == 1) a.x = px, a.y = py;
            else if (px.size() == a.x.size()) a.weitereY.push_back(py);
        }
        if (a.x.empty()) return false;
        if (!(gross > klein)) klein -= 0.5, gross += 0.5;
        a.Fest = true;
        a.FestX[0] = 0.0, a.FestX[1] = c + 1;
        a.FestY[0] = klein, a.FestY[1] = gross;
        return true;
    }
    default: return false;
    }
}
