// The model kinds that need the whole curve: derivatives of the model, the
// Fourier transform of an EXAFS model over the window's R section, and the
// spline background of the atomic absorption.
#include "xas/model_fft.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "fit/fit_model.h"
#include "xas/model_fft_intern.h"

std::vector<double> FitGewichte, FitImagDaten, FitImagModell;
std::vector<double> FftModelX, FftModelY;
int32_t FftModelPunkte = 0;
EXAFS_FFT_LESER ExafsFftLeser = nullptr;

namespace {

const double PI = 3.14159265358979323846;
const double ABLEITUNGS_SCHRITT = 0.0001;
const double HINTERGRUND_R_MAX = 8.0;

bool ZweierPotenz(int32_t n) { return n >= 4 && (n & (n - 1)) == 0; }

// Puts Numerik's curve back as the caller had it.
struct NumerikSichern {
    def_zelva* z;
    double* x;
    double* y;
    int32_t n;
    explicit NumerikSichern(def_zelva* numerik)
        : z(numerik), x(numerik->xField), y(numerik->yField), n(numerik->anzahl) {}
    ~NumerikSichern()
    {
        z->SetField(x, y);
        z->anzahl = n;
    }
};

void Ableitungen(const EXAFS_FFT_UMFELD& u, int32_t n, const double* x, double* y, int32_t art)
{
    if (!u.Numerik || !u.Numerik->function) return;
    ModellArtAnheben anheben;
    for (int32_t i = 0; i < n; ++i)
        y[i] = art == 1 ? u.Numerik->FuncErsteAbleitung(x[i], ABLEITUNGS_SCHRITT)
                        : u.Numerik->FuncZweiteAbleitung(x[i], ABLEITUNGS_SCHRITT);
}

// Kind 3: the model's transform over the section; y as the header says.
void RRaumModell(const EXAFS_FFT_UMFELD& u, int32_t n, const double* x, double* y, bool fit)
{
    (void)x;
    const int32_t m = u.DatenPunkte;
    if (!u.Numerik || !u.Numerik->function || !u.DatenK || !u.DatenChi || m < 1 || !u.Fenster) return;
    std::vector<double> modell(static_cast<std::size_t>(m), 0.0);
    PlainesModell(u.Numerik, u.DatenK, modell.data(), m);

    if (m < BERICHT_ANZAHL_INDEX && u.Bericht[0] && u.Bericht[1] && u.Bericht[2] && u.Bericht[3]) {
        for (int32_t i = 0; i < m; ++i) {
            u.Bericht[0][i] = u.DatenK[i];
            u.Bericht[1][i] = u.DatenChi[i];
            u.Bericht[2][i] = modell[i];
            u.Bericht[3][i] = u.DatenChi[i] - modell[i];
        }
        u.Bericht[0][BERICHT_ANZAHL_INDEX] = m;
    }

    const double b = u.KGewicht ? *u.KGewicht : 0.0;
    R_SEKTION s;
    std::vector<double> aufGitter;
    const std::vector<double>& werte = ModellAufGitter(u, modell, &aufGitter);
    if (!ModellTransformieren(u, werte.data(), static_cast<int32_t>(werte.size()), b, &s)) return;
    const int32_t c1 = static_cast<int32_t>(s.r.size());
    if (u.BerichtImag)
        for (int32_t k = 0; k < n && k < u.BerichtImagLaenge; ++k) u.BerichtImag[k] = k < c1 ? s.im[k] : 0.0;
    for (int32_t i = 0; i < n; ++i) y[i] = i < c1 ? std::hypot(s.re[i], s.im[i]) : 0.0;
    if (fit)
        for (int32_t k = 0; k < n; ++k) y[n + k] = k < c1 ? s.re[k] : 0.0;

    // Second pass: the extra k power of a simultaneous fit.
    const int32_t w = u.ExtraPotenzFit;
    if (w < 0) return;
    R_SEKTION s2;
    if (!ModellFuerPotenz(u, w, &s2)) return;
    const int32_t c2 = static_cast<int32_t>(s2.r.size());
    for (int32_t k = 0; k < n; ++k) {
        y[2 * n + k] = k < c2 ? u.Skalierung * std::hypot(s2.re[k], s2.im[k]) : 0.0;
        y[3 * n + k] = k < c2 ? u.Skalierung * s2.re[k] : 0.0;
    }
    ExtraBerichtSchreiben(u, s2);
}

// The knots of the spline background from the parameter block.
bool Knoten(const EXAFS_FFT_UMFELD& u, bool tabelle, std::vector<double>* kx, std::vector<double>* ky)
{
    double* p = FitParameters;
    const int32_t k = FitPolyDegree;
    if (!p || k < 2 || k > MAX_MODEL_PARAMETERS_SMALL) return false;
    kx->resize(static_cast<std::size_t>(k));
    ky->resize(static_cast<std::size_t>(k));
    const int32_t erster = MaxParameter - u.TabellenKnoten + 1;
    const bool ausTabelle = tabelle && u.TabellenKnoten == k && erster >= 0;
    for (int32_t j = 0; j < k; ++j) {
        (*kx)[j] = p[SPLINE_KNOT_INDEX + j];
        (*ky)[j] = ausTabelle ? p[erster + j] : p[j];
        p[SPLINE_KNOT_INDEX + MAX_MODEL_PARAMETERS_SMALL + j] = p[j];
    }
    for (int32_t j = 1; j < k; ++j)
        if (!((*kx)[j] > (*kx)[j - 1])) return false;
    return true;
}

void Spline(def_zelva* z, std::vector<double>& kx, std::vector<double>& ky, int32_t n, const double* x,
            double* y)
{
    NumerikSichern sichern(z);
    z->SetField(kx.data(), ky.data());
    z->anzahl = static_cast<int32_t>(kx.size());
    z->Splint(n, const_cast<double*>(x), y);
}

// Kind 4: the atomic background through the knots.
void Hintergrund(const EXAFS_FFT_UMFELD& u, int32_t n, const double* x, double* y)
{
    def_zelva* z = u.Numerik;
    if (!z || !FitFunctionTypes || FitFunctionCount < 1) return;
    const int32_t letzter = FitFunctionTypes[FitFunctionCount - 1] % 100;
    std::vector<double> kx, ky;
    if (u.UntergrundModus < 1) {
        if (!Knoten(u, letzter == 54, &kx, &ky)) return;
        std::vector<double> s(static_cast<std::size_t>(n), 0.0);
        Spline(z, kx, ky, n, x, s.data());
        const bool relativ = FitFunctionTypes[0] % 100 == 53 && FitFunctionCount > 1;
        if (relativ) {
            std::vector<double> m(static_cast<std::size_t>(n), 0.0);
            if (z->function) PlainesModell(z, x, m.data(), n);
            for (int32_t i = 0; i < n; ++i) y[i] = (1.0 + m[i]) * s[i];
        } else {
            std::copy(s.begin(), s.end(), y);
        }
        return;
    }

    // The R-space background: |FT| of the k-weighted oscillation over 0-8 A.
    const int32_t me = u.MessPunkte;
    const int32_t nk = u.KPunkte;
    if (!u.MessX || !u.MessY || me < 3 || !ZweierPotenz(nk) || me > nk || !u.Fenster) return;
    if (!Knoten(u, false, &kx, &ky)) return;
    std::vector<double> k(static_cast<std::size_t>(nk), 0.0), s(static_cast<std::size_t>(me), 0.0),
        o(static_cast<std::size_t>(nk), 0.0), im(static_cast<std::size_t>(nk), 0.0);
    std::copy(u.MessX, u.MessX + me, k.begin());
    // Beyond the measured points the grid goes on with its step (the
    // values there are 0), so that the window sees rising abscissae.
    const double dk = k[1] - k[0];
    for (int32_t i = me; i < nk; ++i) k[i] = k[0] + i * dk;
    Spline(z, kx, ky, me, k.data(), s.data());
    for (int32_t i = 0; i < me; ++i) {
        o[i] = s[i] != 0.0 ? (u.MessY[i] - s[i]) / s[i] : 0.0;
        if (k[i] != 0.0) o[i] *= std::pow(k[i], u.KPotenz);
    }
    u.Fenster->upper = k[me - 1];
    u.Fenster->lower = k[0];
    for (int32_t j = 0; j < nk; ++j)
        if (k[j] >= k[me - 1]) {
            std::fill(o.begin() + j, o.end(), 0.0);
            break;
        }
    int32_t nr = 0;
    {
        NumerikSichern sichern(z);
        z->SetField(k.data(), o.data());
        z->anzahl = nk;
        nr = z->DoCommonFFT(im.data(), -1, u.Fenster, nullptr, u.KPotenz, PI / (std::fabs(k[2] - k[1]) * nk));
    }
    int32_t c4 = 0;
    while (c4 < nr && k[c4] <= HINTERGRUND_R_MAX) ++c4;
    for (int32_t i = 0; i < c4 && i < n; ++i) y[i] = std::hypot(o[i], im[i]);
}

}  // namespace

const std::vector<double>& ModellAufGitter(const EXAFS_FFT_UMFELD& u, const std::vector<double>& aufDaten,
                                           std::vector<double>* aufGitter)
{
    const int32_t m = static_cast<int32_t>(aufDaten.size());
    if (!u.DatenK || m < 2 || !u.Fenster || !(u.RSchritt > 0.0) || u.KPunkte < 2) return aufDaten;
    const double dk = PI / (u.RSchritt * (u.KPunkte - 1));
    const double k0 = u.Fenster->lower;
    const double toleranz = 1e-6 * dk;
    if (std::fabs(u.DatenK[0] - k0) <= toleranz && std::fabs(u.DatenK[1] - u.DatenK[0] - dk) <= toleranz)
        return aufDaten;
    // The data lie on another grid: the model is evaluated on the transform
    // grid itself, up to the data's last k.
    aufGitter->clear();
    std::vector<double> k;
    for (int32_t i = 0; i < u.KPunkte && k0 + i * dk <= u.DatenK[m - 1]; ++i) k.push_back(k0 + i * dk);
    if (k.empty()) return aufDaten;
    aufGitter->assign(k.size(), 0.0);
    PlainesModell(u.Numerik, k.data(), aufGitter->data(), static_cast<int32_t>(k.size()));
    return *aufGitter;
}

bool ModellFuerPotenz(const EXAFS_FFT_UMFELD& u, int32_t w, R_SEKTION* s)
{
    const int32_t m = u.DatenPunkte;
    if (!u.DatenK || m < 1 || !u.Numerik || !u.Numerik->function) return false;
    std::vector<double> p(static_cast<std::size_t>(m), 0.0), p2;
    const std::vector<double>* pw = &p;
    {
        KGewichtSetzen gewicht(u.KGewicht, w);
        PlainesModell(u.Numerik, u.DatenK, p.data(), m);
        pw = &ModellAufGitter(u, p, &p2);
    }
    return ModellTransformieren(u, pw->data(), static_cast<int32_t>(pw->size()), w, s);
}

ModellArtAnheben::ModellArtAnheben() : alt(FitModellArt)
{
    if (FitModellArt > 0 && FitModellArt < 100) FitModellArt += 100;
}
ModellArtAnheben::~ModellArtAnheben() { FitModellArt = alt; }

KGewichtSetzen::KGewichtSetzen(double* ziel, double wert) : z(ziel), alt(ziel ? *ziel : 0.0)
{
    if (z) *z = wert;
}
KGewichtSetzen::~KGewichtSetzen()
{
    if (z) *z = alt;
}

void PlainesModell(def_zelva* z, const double* xs, double* ys, int32_t m)
{
    ModellArtAnheben anheben;
    z->function(0.0, 0.0, const_cast<double*>(xs), ys, m);
}

bool ModellTransformieren(const EXAFS_FFT_UMFELD& u, const double* werte, int32_t m, double b, R_SEKTION* s)
{
    def_zelva* z = u.Numerik;
    const int32_t nk = u.KPunkte;
    if (!z || !u.Fenster || !ZweierPotenz(nk) || m < 1 || !(u.RSchritt > 0.0)) return false;
    const std::size_t g = static_cast<std::size_t>(nk);
    std::vector<double> gitter(g + 1, 0.0), arbeit(g + 1, 0.0), im(g + 1, 0.0);
    const double kUnten = u.Fenster->lower;
    const double dk = PI / (u.RSchritt * (nk - 1));
    for (int32_t i = 0; i < nk; ++i) gitter[i] = kUnten + i * dk;
    const int32_t kopiert = std::min(m, nk);
    std::copy(werte, werte + kopiert, arbeit.begin());
    if (kopiert < nk) arbeit[kopiert] = werte[kopiert - 1];
    for (int32_t i = 0; i < nk; ++i)
        if (gitter[i] >= u.Fenster->upper) {
            std::fill(arbeit.begin() + i, arbeit.end(), 0.0);
            break;
        }
    FTWINDOW fenster = *u.Fenster;
    int32_t np = 0;
    {
        NumerikSichern sichern(z);
        z->SetField(gitter.data(), arbeit.data());
        z->anzahl = nk;
        np = z->DoCommonFFT(im.data(), -1, &fenster, nullptr, b,
                            PI / (std::fabs(gitter[2] - gitter[1]) * nk));
    }
    s->r.clear();
    s->re.clear();
    s->im.clear();
    if (np < 1) return false;
    int32_t c = 0;
    while (c < np && gitter[c] < u.SektionUnten) ++c;
    for (int32_t k = c; k < np && !(gitter[k] > u.SektionOben); ++k) {
        s->r.push_back(gitter[k]);
        s->re.push_back(arbeit[k]);
        s->im.push_back(im[k]);
    }
    return true;
}

void ExtraBerichtSchreiben(const EXAFS_FFT_UMFELD& u, const R_SEKTION& s)
{
    const int32_t c2 = static_cast<int32_t>(s.r.size());
    if (!u.Bericht2[0] || !u.Bericht2[1] || !u.Bericht2[2] || !u.Bericht2[3] || c2 >= BERICHT_ANZAHL_INDEX)
        return;
    u.Bericht2[0][BERICHT_ANZAHL_INDEX] = c2;
    for (int32_t k = 0; k < c2; ++k) {
        u.Bericht2[0][k] = s.r[k];
        u.Bericht2[2][k] = std::hypot(s.re[k], s.im[k]);
        u.Bericht2[3][k] = u.Bericht2[1][k] - u.Bericht2[2][k];
    }
}

int32_t ModellFeldFFTIn(const EXAFS_FFT_UMFELD& u, int32_t n, const double* x, double* y)
{
    if (n < 1 || !x || !y) return 1;
    const int32_t art = FitModellArt > 100 ? FitModellArt - 100 : FitModellArt;
    switch (art) {
    case 1: case 2: Ableitungen(u, n, x, y, art); break;
    case 3: RRaumModell(u, n, x, y, FitModellArt > 100); break;
    case 4: Hintergrund(u, n, x, y); break;
    default: break;
    }
    return 1;
}

int32_t ModellFeldFFT(int32_t n, double* x, double*, double* y, double*, double*, int32_t)
{
    const int32_t art = FitModellArt > 100 ? FitModellArt - 100 : FitModellArt;
    if (art < 1 || art > 4 || !ExafsFftLeser) return 1;
    EXAFS_FFT_UMFELD u;
    if (!ExafsFftLeser(&u)) return 1;
    return ModellFeldFFTIn(u, n, x, y);
}
