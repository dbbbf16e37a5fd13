// The curve tools of the Numeric menu on plain arrays.
#include "fit/numeric_tools.h"
#include "fit/model_function.h"

#include <algorithm>
#include <cmath>

namespace {

// A library object on the curve's own arrays (the spare entries behind the
// points are there for members that read one past the end).
struct Arbeit {
    std::vector<double> x, y;
    def_zelva z;
    Arbeit(const KurvenDaten& k, size_t reserve = 0)
        : x(k.x), y(k.y)
    {
        const size_t platz = std::max(reserve, k.x.size()) + 5;
        x.resize(platz, 0.0);
        y.resize(platz, 0.0);
        z.SetField(x.data(), y.data());
        z.SetAnzahl(k.Punkte(), 0, 0);
        z.SetArrayCapacity(static_cast<int32_t>(platz));
    }
};

}  // namespace

int32_t ZweierPotenz(int64_t n)
{
    int64_t m = 2;
    while (m < n && m < (int64_t(1) << 30)) m *= 2;
    return static_cast<int32_t>(m);
}

bool FourierGlaettung(KurvenDaten& k, int32_t intervall)
{
    const int32_t n = k.Punkte();
    if (intervall < 1 || n < 2) return false;
    Arbeit a(k, static_cast<size_t>(ZweierPotenz(int64_t(n) + 2 * int64_t(intervall))));
    a.z.Smoothing(intervall);
    std::copy(a.y.begin(), a.y.begin() + n, k.y.begin());
    return true;
}

bool SplineNeu(const KurvenDaten& k, int32_t m, double unten, double oben, KurvenDaten& out)
{
    if (m < 2 || k.Punkte() < 2 || !(oben != unten) || !std::isfinite(oben - unten)) return false;
    Arbeit a(k);
    const double schritt = std::fabs(oben - unten) / (m - 1);
    const double start = std::min(unten, oben);
    KurvenDaten r;
    r.x.resize(m);
    r.y.resize(m);
    for (int32_t i = 0; i < m; ++i) r.x[i] = start + i * schritt;
    a.z.Splint(m, r.x.data(), r.y.data());
    out = std::move(r);
    return true;
}

bool PolynomNeu(const KurvenDaten& k, int32_t m, KurvenDaten& out)
{
    if (m < 1 || k.Punkte() < 2) return false;
    Arbeit a(k, static_cast<size_t>(m));
    const int32_t neu = a.z.Polint(m, static_cast<int32_t>(a.x.size()));
    if (neu < 1) return false;
    out.x.assign(a.x.begin(), a.x.begin() + neu);
    out.y.assign(a.y.begin(), a.y.begin() + neu);
    return true;
}

bool GolaySavitzky(KurvenDaten& k, int32_t durchlaeufe, int32_t gradKlasse, int32_t intervall)
{
    const int32_t n = k.Punkte();
    if (durchlaeufe < 1 || intervall < 1 || intervall + 10 >= n) return false;
    Arbeit a(k);
    const int32_t neu = a.z.GolaySavitzkySmooth(durchlaeufe, gradKlasse, intervall);
    if (neu < 1) return false;
    k.x.assign(a.x.begin(), a.x.begin() + neu);
    k.y.assign(a.y.begin(), a.y.begin() + neu);
    return true;
}

bool AusgleichsSplineNeu(const KurvenDaten& k, int32_t m, double gewicht, int32_t ergebnis,
                         KurvenDaten& out)
{
    if (m < 6 || !(gewicht > 0.0) || ergebnis < 0 || ergebnis > 3) return false;
    Arbeit a(k, static_cast<size_t>(m) + 2);
    const int32_t neu = a.z.Ausgleichsspline(m, gewicht, ergebnis, nullptr, static_cast<int32_t>(a.x.size()));
    if (neu < 1) return false;
    out.x.assign(a.x.begin(), a.x.begin() + neu);
    out.y.assign(a.y.begin(), a.y.begin() + neu);
    return true;
}

bool BSplineNeu(const KurvenDaten& k, int32_t m, int32_t grad, KurvenDaten& out)
{
    if (m < 2 || grad < 2 || grad > k.Punkte() - 4) return false;
    Arbeit a(k, static_cast<size_t>(m) + 2);
    const int32_t neu = a.z.BSpline(m, grad, static_cast<int32_t>(a.x.size()));
    if (neu < 1) return false;
    out.x.assign(a.x.begin(), a.x.begin() + neu);
    out.y.assign(a.y.begin(), a.y.begin() + neu);
    return true;
}

bool AusgleichsPolynomeNeu(const KurvenDaten& k, int32_t m, const std::vector<int32_t>& grade,
                           double gewicht, KurvenDaten& out)
{
    const int32_t teile = static_cast<int32_t>(grade.size());
    if (m < 2 || teile < 1 || teile > k.Punkte() - 4 || !(gewicht >= 0.0 && gewicht <= 1.0)) return false;
    for (int32_t g : grade)
        if (g < 0) return false;
    std::vector<int32_t> g(grade);
    Arbeit a(k, static_cast<size_t>(m) + 2);
    const int32_t neu = a.z.Ausgleichspolynome(m, teile, g.data(), gewicht, 1.0, nullptr,
                                               static_cast<int32_t>(a.x.size()));
    if (neu < 1) return false;
    out.x.assign(a.x.begin(), a.x.begin() + neu);
    out.y.assign(a.y.begin(), a.y.begin() + neu);
    return true;
}

double KleinsterAbstand(const KurvenDaten& k)
{
    double d = 0.0;
    for (int32_t i = 1; i < k.Punkte(); ++i) {
        const double s = std::fabs(k.x[i] - k.x[i - 1]);
        if (s > 0.0 && (d == 0.0 || s < d)) d = s;
    }
    return d;
}

bool FeldAbleitung(const KurvenDaten& k, bool erste, double schritt, KurvenDaten& out)
{
    if (k.Punkte() < 5 || !(schritt > 0.0)) return false;
    Arbeit a(k);
    std::vector<double> d(a.x.size(), 0.0);
    const int32_t ok = erste ? a.z.FeldErsteAbleitung(d.data(), schritt)
                             : a.z.FeldZweiteAbleitung(d.data(), schritt);
    if (!ok) return false;
    out.x = k.x;
    out.y.assign(d.begin(), d.begin() + k.Punkte());
    return true;
}

bool SplineAbleitung(const KurvenDaten& k, bool erste, double schritt, double unten, double oben,
                     int32_t kapazitaet, KurvenDaten& out)
{
    if (!(schritt > 0.0) || !(oben > unten)) return false;
    const double anzahl = std::floor((oben - unten) / schritt + 1e-9) + 1.0;
    const int32_t m = static_cast<int32_t>(std::min<double>(anzahl, kapazitaet));
    if (m < 5) return false;
    KurvenDaten neu;
    if (!SplineNeu(k, m, unten, unten + (m - 1) * schritt, neu)) return false;
    return FeldAbleitung(neu, erste, schritt, out);
}

bool FunktionsAbleitung(ModellCallback modell, bool erste, double h, double unten, double oben,
                        int32_t anzahl, KurvenDaten& out)
{
    if (!modell || anzahl < 3 || !(oben > unten) || !(h > 0.0)) return false;
    def_zelva z;
    z.SetFunction(modell);
    const double schritt = (oben - unten) / anzahl;
    KurvenDaten r;
    for (int32_t i = 0; i <= anzahl; ++i) {
        const double x = unten + i * schritt;
        if (x > oben + 1e-12 * std::fabs(oben)) break;
        r.x.push_back(x);
        r.y.push_back(erste ? z.FuncErsteAbleitung(x, h) : z.FuncZweiteAbleitung(x, h));
    }
    out = std::move(r);
    return true;
}

std::vector<double> ModellIntegrale(ModellCallback modell, double a, double b, int32_t funktionen)
{
    std::vector<double> r;
    if (!modell) return r;
    def_zelva z;
    z.SetFunction(modell);
    r.push_back(z.FuncIntegralSimps(a, b, 300));
    if (funktionen > 1) {
        for (int32_t i = 1; i <= funktionen; ++i) {
            SetFunktionFlag(i, 1);
            r.push_back(z.FuncIntegralSimps(a, b, 300));
        }
        SetFunktionFlag(0, 0);
    }
    return r;
}

double DatenIntegral(const KurvenDaten& k, double a, double b)
{
    Arbeit w(k);
    return w.z.FeldIntegralSimps(a, b);
}

std::vector<double> Nullstellen(const KurvenDaten& k, ModellCallback modell, double a, double b,
                                double toleranz, double schritt, bool alle, bool spline,
                                int32_t hoechstens, bool& gefunden)
{
    std::vector<double> r;
    gefunden = false;
    Arbeit w(k, static_cast<size_t>(std::max(hoechstens, 1)));
    if (modell) w.z.SetFunction(modell);
    const int32_t platz = std::max(hoechstens, 1);
    std::vector<double> liste(static_cast<size_t>(platz) + 5, 0.0);
    w.z.SetArrayCapacity(platz);
    if (!alle) {
        double wurzel = 0.0;
        gefunden = w.z.BrentNullstelle(a, b, toleranz, wurzel, modell ? 1 : 0, spline ? 1 : 0) != 0;
        r.push_back(wurzel);
        return r;
    }
    int32_t anzahl = 0;
    double tol = toleranz;
    if (modell) {
        if (!(schritt > 0.0)) return r;
        w.z.BrentAlleNullstellenFunc(a, b, schritt, tol, anzahl, liste.data());
    } else {
        w.z.BrentAlleNullstellenFeld(a, b, tol, anzahl, liste.data(), spline ? 1 : 0, platz);
    }
    anzahl = std::min(anzahl, platz);
    r.assign(liste.begin(), liste.begin() + std::max(anzahl, 0));
    gefunden = !r.empty();
    return r;
}

bool Falten(KurvenDaten& k, ModellCallback modell, int32_t modus)
{
    const int32_t n = k.Punkte();
    if (n < 2 || !modell) return false;
    const int32_t m = ZweierPotenz(n);
    const double h = std::fabs(k.x[n - 1] - k.x[0]) / (n - 1);
    std::vector<double> antwort(static_cast<size_t>(m) + 5, 0.0);
    for (int32_t i = 0; i <= m / 2 && i < n / 2; ++i) antwort[i] = modell(i * h, 0.0, nullptr, nullptr, 0);
    // Negative lags from the end backwards, so that a response that is not
    // symmetric keeps its own shape.
    for (int32_t i = 1; i < m / 2 && i < n / 2; ++i) antwort[m - i] = modell(-i * h, 0.0, nullptr, nullptr, 0);
    Arbeit a(k, 2 * static_cast<size_t>(m) + 5);
    if (a.z.Convolution(antwort.data(), modus) < 1) return false;
    std::copy(a.y.begin(), a.y.begin() + n, k.y.begin());
    return true;
}

bool LineareRegressionKurve(const KurvenDaten& k, Regression& r)
{
    Arbeit a(k);
    double w[4] = {};
    if (!a.z.LineareRegression(w)) return false;
    r.Achsenabschnitt = w[0];
    r.Steigung = w[1];
    r.Standardabweichung = w[2];
    r.Korrelation = w[3];
    return true;
}

std::vector<Extremum> SucheExtrema(const KurvenDaten& k, int32_t art, int32_t glaetten,
                                   bool nurExtremstes)
{
    std::vector<Extremum> liste;
    const int32_t n = k.Punkte();
    if (n < 6) return liste;
    KurvenDaten glatt = k;
    if (glaetten > 1) FourierGlaettung(glatt, glaetten);
    KurvenDaten abl;
    if (!FeldAbleitung(glatt, true, 0.0001, abl)) return liste;
    // The derivative as the curve whose roots are sought.
    Arbeit a(abl);
    auto ordinate = [&](double x) {
        if (x <= k.x[0]) return k.y[0];
        const auto it = std::upper_bound(k.x.begin(), k.x.end(), x);
        if (it == k.x.end()) return k.y[n - 1];
        const size_t j = static_cast<size_t>(it - k.x.begin());
        const double t = (x - k.x[j - 1]) / (k.x[j] - k.x[j - 1]);
        return k.y[j - 1] + t * (k.y[j] - k.y[j - 1]);
    };
    int32_t i = 0;
    const int32_t ende = n - 5;
    while (i < ende) {
        const double s = abl.y[i];
        if (s == 0.0) {
            ++i;
            continue;
        }
        const int32_t anfang = i;
        while (i < ende && (s < 0.0 ? abl.y[i] < 0.0 : abl.y[i] > 0.0)) ++i;
        if (i >= ende) break;
        const bool maximum = s > 0.0;
        const bool gewollt = maximum ? art != 0 : art <= 0;
        if (gewollt) {
            double wurzel = 0.0;
            // The found flag, not the value, tells whether there is one: an
            // extremum may well lie at x = 0.
            if (a.z.BrentNullstelle(abl.x[anfang], abl.x[i], 1e-5, wurzel, 0, 0))
                liste.push_back({wurzel, ordinate(wurzel), maximum});
        }
    }
    if (nurExtremstes && !liste.empty()) {
        const bool maxima = art > 0;
        std::vector<Extremum> nur;
        for (const Extremum& e : liste) {
            if (e.Maximum != maxima) continue;
            if (nur.empty() || (maxima ? e.Y > nur[0].Y : e.Y < nur[0].Y)) nur.assign(1, e);
        }
        liste = nur;
    }
    return liste;
}
