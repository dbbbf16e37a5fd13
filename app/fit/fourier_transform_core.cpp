// The Fourier transformation of a curve as plain functions (see
// fourier_transform.h); the transforms themselves are the numerics
// library's.
#include "fit/fourier_transform.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

int32_t FTGitterPunkte = 0;

namespace {

const double PI = 3.14159265358979323846;

// Keeps the arrays registered with the numerics object and puts them back,
// so that it never points into blocks of this file once they are gone.
class Registrierung {
public:
    explicit Registrierung(def_zelva& z)
        : z_(z), x_(z.xField), y_(z.yField), n_(z.anzahl), kapazitaet_(z.arrayCapacity) {}
    ~Registrierung()
    {
        z_.SetField(x_, y_);
        z_.anzahl = n_;
        z_.arrayCapacity = kapazitaet_;
    }
    void Setze(double* x, double* y, int32_t n)
    {
        z_.SetField(x, y);
        z_.anzahl = n;
    }

private:
    def_zelva& z_;
    double* x_;
    double* y_;
    int32_t n_, kapazitaet_;
};

// ys[i] := the natural spline of (x, y) at xs[i], i below m (0 outside
// the data, as the library gives it).
void SplineAuf(def_zelva& z, const std::vector<double>& x, const std::vector<double>& y,
               double* xs, double* ys, int32_t m)
{
    std::vector<double> kx = x, ky = y;
    Registrierung r(z);
    r.Setze(kx.data(), ky.data(), static_cast<int32_t>(kx.size()));
    z.Splint(m, xs, ys);
}

bool Aufsteigend(const std::vector<double>& x)
{
    for (size_t i = 1; i < x.size(); ++i)
        if (!(x[i] > x[i - 1])) return false;
    return true;
}

const int32_t FT_MAX_PUNKTE = 1 << 18;

}  // namespace

int32_t FtGroesse(bool xafs, bool komplex, int32_t kPunkte, int32_t nullen, int32_t n,
                  int32_t hoechstens)
{
    int64_t N;
    if (xafs) {
        N = komplex ? kPunkte / 2 : kPunkte;
        if (N < 2 || (N & (N - 1)) != 0) return 0;
    } else {
        N = 2;
        while (N < static_cast<int64_t>(nullen) + n) N *= 2;
    }
    return N > hoechstens ? 0 : static_cast<int32_t>(N);
}

bool FtKnotenSchnitt(const FT_KURVE& k, double lo, double hi, FT_KURVE& schnitt)
{
    schnitt = FT_KURVE{};
    const int32_t n = k.Punkte();
    if (n < 2) return false;
    const std::vector<double>& x = k.x;
    const std::vector<double>& y = k.y;
    auto wechsel = [](double bezug, double v) { return bezug > 0.0 ? v <= 0.0 : v >= 0.0; };
    int32_t i = 0;
    if (y[0] != 0.0)
        for (i = 1; i < n && !wechsel(y[0], y[i]); ++i) {}
    if (i >= n) i = 0;
    int32_t j = n - 1;
    if (y[n - 1] != 0.0) {
        for (j = n - 2; j >= 0 && !wechsel(y[n - 1], y[j]); --j) {}
        if (j < 0) j = n - 1;
    }
    int32_t anfang = 0, ende = n - 1;
    if (i > 0) {
        anfang = i - 1;
    } else {
        while (anfang < n - 1 && x[anfang] < lo) ++anfang;
    }
    if (j < n - 1) {
        ende = j + 1;
    } else {
        while (ende > 0 && x[ende] > hi) --ende;
    }
    if (ende - anfang < 2) return false;
    schnitt.x.assign(x.begin() + anfang, x.begin() + ende + 1);
    schnitt.y.assign(y.begin() + anfang, y.begin() + ende + 1);
    const int32_t m = schnitt.Punkte();
    if (i > 0) {
        const double x0 = x[i - 1], x1 = x[i], y0 = y[i - 1], y1 = y[i];
        schnitt.x[0] = x0 - (x1 - x0) / (y1 - y0) * y0;
        schnitt.y[0] = 0.0;
    }
    if (j < n - 1) {
        const double x0 = x[j], x1 = x[j + 1], y0 = y[j], y1 = y[j + 1];
        schnitt.x[m - 1] = x0 - (x1 - x0) / (y1 - y0) * y0;
        schnitt.y[m - 1] = 0.0;
    }
    return schnitt.x[m - 1] > schnitt.x[0] && Aufsteigend(schnitt.x);
}

void FtKGewichten(FT_KURVE& k, bool gewichtet, double alt, double neu)
{
    const double p = (gewichtet ? -alt : 0.0) + neu;
    if (p == 0.0) return;
    for (int32_t i = 0; i < k.Punkte(); ++i) {
        if (k.x[i] == 0.0) continue;
        const double f = std::pow(k.x[i], p);
        k.y[i] *= f;
        if (k.Komplex()) k.im[i] *= f;
    }
}

int32_t FourierRechnen(def_zelva& z, const FT_EINSTELLUNG& e, const FT_KURVE& k, double lo,
                       double hi, const FT_VORWAERTS& alt, const FT_PHASE* phase, FT_ERGEBNIS& r)
{
    r = FT_ERGEBNIS{};
    const int32_t n = k.Punkte();
    if (n < 2 || e.Nullen < 0 || static_cast<int32_t>(k.y.size()) != n) return FT_WERTE_FALSCH;
    if (k.Komplex() && static_cast<int32_t>(k.im.size()) != n) return FT_WERTE_FALSCH;
    // Only a transform result is transformed back, onto the grid its forward
    // transform left in the window.
    if (!e.Vorwaerts && (!k.RRaum || !k.Komplex() || !(alt.GitterSchritt > 0.0))) return FT_KEIN_HINWEG;
    const int32_t N = FtGroesse(e.Xafs, k.RRaum, e.KPunkte, e.Xafs ? 0 : e.Nullen, n, FT_MAX_PUNKTE);
    if (N < 2) return FT_WERTE_FALSCH;
    r.N = N;

    // Room for the mirrored back transform of XAFS mode.
    const size_t platz = 2 * static_cast<size_t>(N) + 5;
    std::vector<double> x2(platz, 0.0), y2(platz, 0.0), I(platz, 0.0);
    double dk = 0.0;
    int32_t gitterPunkte = 0;

    if (k.RRaum) {
        // Transform data: taken as they stand, zeros up to N, centred
        // outside XAFS mode; the abscissae go on with the data's step.
        const int32_t nimm = std::min(n, N);
        const int32_t h = (!e.Xafs && N > n) ? (N - n + 1) / 2 : 0;
        const double dx = k.x[1] - k.x[0];
        for (int32_t i = 0; i < N; ++i) x2[i] = k.x[0] + (i - h) * dx;
        for (int32_t i = 0; i < nimm; ++i) {
            x2[h + i] = k.x[i];
            y2[h + i] = k.y[i];
            I[h + i] = k.Komplex() ? k.im[i] : 0.0;
        }
        dk = std::fabs(x2[2 < N ? 2 : 1] - x2[2 < N ? 1 : 0]);
        gitterPunkte = nimm;
    } else {
        // A real curve on the equidistant grid the transform assumes.
        const int32_t m = N - (e.Xafs ? 0 : e.Nullen);
        const double R = e.Xafs ? e.RSchritt : e.Schrittweite;
        if (m < 2 || !(R > 0.0) || !Aufsteigend(k.x)) return FT_WERTE_FALSCH;
        dk = (PI / R) / (m - 1);
        for (int32_t i = 0; i < N; ++i) x2[i] = lo + i * dk;
        gitterPunkte = m;
        // A rounding above hi still counts as inside.
        for (int32_t i = 0; i < m; ++i)
            if (x2[i] > hi + 1e-9 * dk) {
                gitterPunkte = i;
                break;
            }
        if (gitterPunkte < 2) return FT_WERTE_FALSCH;
        SplineAuf(z, k.x, k.y, x2.data(), y2.data(), m);
        if (k.Komplex()) SplineAuf(z, k.x, k.im, x2.data(), I.data(), m);
        if (phase && phase->Phase && phase->TabX && phase->Punkte >= 2) {
            const int32_t p = phase->Punkte;
            std::vector<double> tx(phase->TabX, phase->TabX + p);
            std::vector<double> P(m, 0.0), A(m, 0.0);
            SplineAuf(z, tx, std::vector<double>(phase->Phase, phase->Phase + p), x2.data(), P.data(),
                      gitterPunkte);
            const bool mitAmplitude = phase->Amplitude && phase->Amplitude[0] > -10.0;
            if (mitAmplitude)
                SplineAuf(z, tx, std::vector<double>(phase->Amplitude, phase->Amplitude + p), x2.data(),
                          A.data(), gitterPunkte);
            for (int32_t i = 0; i < m; ++i) {
                const double wert = y2[i];
                if (mitAmplitude && A[i] != 0.0) {
                    I[i] = std::sin(P[i]) * wert / A[i];
                    y2[i] = std::cos(P[i]) / A[i] * wert;
                } else if (P[i] == 0.0) {
                    y2[i] = 0.0;
                    I[i] = 0.0;
                } else {
                    I[i] = std::sin(P[i]) * wert;
                    y2[i] = std::cos(P[i]) * wert;
                }
            }
        }
        r.Gitter.x.assign(x2.begin(), x2.begin() + gitterPunkte);
        r.Gitter.y.assign(y2.begin(), y2.begin() + gitterPunkte);
    }

    Registrierung reg(z);
    reg.Setze(x2.data(), y2.data(), N);
    const FTWINDOW fenster{static_cast<int32_t>(std::floor(e.FensterTyp + 0.2)), e.Bis, e.Von, e.Form, 0.0};
    int32_t anzahl = 0;
    if (e.Vorwaerts) {
        FTWINDOW w = fenster;
        const double schritt = (e.Xafs ? PI : 1.0) / dk / N;
        anzahl = z.DoCommonFFT(I.data(), e.Xafs ? -1 : 0, &w, nullptr, e.KGewicht, schritt);
        r.Vorwaerts.Fenster = w;
        r.Vorwaerts.Schritt = schritt;
        r.Vorwaerts.KGewicht = e.KGewicht;
        r.Vorwaerts.GitterSchritt = dk;
        r.Vorwaerts.GitterPunkte = gitterPunkte;
    } else {
        FTWINDOW hin = alt.Fenster;
        FTWINDOW bereich = fenster;
        if (e.Xafs) {
            z.SetArrayCapacity(2 * N);
            anzahl = z.DoCommonFFT(I.data(), 2, &hin, &bereich, alt.KGewicht, alt.GitterSchritt);
        } else {
            anzahl = z.DoCommonFFT(I.data(), 1, &hin, &bereich, alt.KGewicht, alt.GitterSchritt);
            // A window on one side of 0 keeps half of a real signal's spectrum.
            if ((e.Von > 0.0 && e.Bis > 0.0) || (e.Von < 0.0 && e.Bis < 0.0))
                for (int32_t i = 0; i < anzahl; ++i) {
                    y2[i] *= 2.0;
                    I[i] *= 2.0;
                }
        }
    }
    if (anzahl < 1) return FT_WERTE_FALSCH;
    r.Kurve.x.assign(x2.begin(), x2.begin() + anzahl);
    r.Kurve.y.assign(y2.begin(), y2.begin() + anzahl);
    r.Kurve.im.assign(I.begin(), I.begin() + anzahl);
    return FT_OK;
}

void FtIniSchreiben(std::FILE* datei, double typ, double parameter, double kGewicht)
{
    if (!datei) return;
    std::fprintf(datei, "%d\n", static_cast<int>(typ + 0.1));
    std::fprintf(datei, "%d\n", static_cast<int>(parameter + 0.1));
    std::fprintf(datei, "%d\n", static_cast<int>(kGewicht + 0.1));
}

bool FtIniLesen(std::FILE* datei, int32_t* typ, std::string* parameter, std::string* kGewicht)
{
    if (!datei) return false;
    char zeile[101];
    auto lies = [&](std::string* ziel) {
        if (!std::fgets(zeile, sizeof zeile, datei)) return false;
        size_t l = std::strlen(zeile);
        while (l > 0 && (zeile[l - 1] == '\n' || zeile[l - 1] == '\r')) zeile[--l] = 0;
        if (ziel) *ziel = zeile;
        return true;
    };
    std::string erste;
    if (!lies(&erste)) return false;
    char* ende = nullptr;
    const long t = std::strtol(erste.c_str(), &ende, 10);
    if (ende == erste.c_str() || t < 0 || t > 5) return false;
    *typ = static_cast<int32_t>(t);
    std::string p, w;
    if (lies(&p)) {
        *parameter = p;
        if (lies(&w)) *kGewicht = w;
    }
    return true;
}

std::string FtHistorie(const char* dateiName, const FT_EINSTELLUNG& e, const char* fensterName,
                       int32_t aktiv)
{
    char puffer[400];
    std::string t = std::string("--: ") + (dateiName ? dateiName : "") + " --FOURIER TRANSFORM  -  ";
    if (static_cast<int32_t>(std::floor(e.FensterTyp + 0.2)) != 0) {
        std::snprintf(puffer, sizeof puffer, " window : %.40s - Beta : %G - from : %G  to : %G",
                      fensterName ? fensterName : "", e.Form, e.Von, e.Bis);
        t += puffer;
    }
    std::snprintf(puffer, sizeof puffer, " -   (active : %d )\r\n", aktiv);
    return t + puffer;
}

FT_FENSTER_BILD FtFensterBild(const double* x, const double* y, const double* W, int32_t n, double von,
                              double bis)
{
    FT_FENSTER_BILD b;
    b.D.assign(n > 0 ? n : 0, 0.0);
    b.V.assign(b.D.size(), 0.0);
    double yMin = 1e30, yMax = -1e30, wMin = 1e30, wMax = -1e30;
    for (int32_t i = 0; i < n; ++i) {
        if (x[i] < von || x[i] > bis) continue;
        b.D[i] = y[i];
        yMin = std::min(yMin, y[i]);
        yMax = std::max(yMax, y[i]);
        wMin = std::min(wMin, W[i]);
        wMax = std::max(wMax, W[i]);
    }
    if (yMax < yMin) return b;  // no point inside
    double s = std::max(std::fabs(yMax), std::fabs(yMin));
    if (s == 0.0) s = 1.0;
    double vMin = 1e30, vMax = -1e30;
    for (int32_t i = 0; i < n; ++i) {
        b.V[i] = W[i] * b.D[i] / s;
        b.D[i] /= s;
        vMin = std::min(vMin, b.V[i]);
        vMax = std::max(vMax, b.V[i]);
    }
    b.YUnten = std::min({wMin, yMin / s, vMin});
    b.YOben = std::max({wMax, yMax / s, vMax});
    if (!(b.YOben > b.YUnten)) b.YOben = b.YUnten + 1.0;
    return b;
}

bool FtGewichtVorschau(def_zelva& z, const FT_KURVE& k, double lo, double hi, const FTWINDOW& fenster,
                       double w, int32_t kPunkte, double rSchritt, double rMax, const FT_PHASE* phase,
                       FT_KURVE& betrag)
{
    betrag = FT_KURVE{};
    FT_KURVE gewichtet = k;
    gewichtet.im.clear();
    gewichtet.RRaum = false;
    FtKGewichten(gewichtet, false, 0.0, w);
    FT_EINSTELLUNG e;
    e.Xafs = true;
    e.FensterTyp = fenster.windowType;
    e.Von = fenster.lower;
    e.Bis = fenster.upper;
    e.Form = fenster.shape;
    e.KGewicht = w;
    e.KPunkte = std::max(FtGroesse(false, false, 0, 0, k.Punkte(), FT_MAX_PUNKTE), kPunkte);
    e.RSchritt = rSchritt;
    FT_ERGEBNIS r;
    if (FourierRechnen(z, e, gewichtet, lo, hi, FT_VORWAERTS{}, phase, r) != FT_OK) return false;
    for (int32_t i = 0; i < r.Kurve.Punkte() && r.Kurve.x[i] <= rMax; ++i) {
        betrag.x.push_back(r.Kurve.x[i]);
        betrag.y.push_back(std::hypot(r.Kurve.y[i], r.Kurve.im[i]));
        betrag.im.push_back(r.Kurve.im[i]);
    }
    return betrag.Punkte() >= 2;
}

double FtVergleichsTeiler(int32_t w1, int32_t wp) { return wp > w1 ? std::pow(7.0, wp - w1) : 1.0; }

int32_t FtGewichtVonKlick(int32_t px, int32_t py, int32_t wd, int32_t ht, int32_t w1, int32_t w2,
                          int32_t w3)
{
    if (py > ht / 2) return w3;
    return px <= wd / 2 ? w1 : w2;
}
