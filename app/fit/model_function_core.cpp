// The catalogue, the walk over the model and its simple functions, the
// switching of functions and the model's range.
#include "fit/model_function.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "fit/exafs_terms.h"
#include "fit/model_terms.h"
#include "xas/model_fft.h"

const FIT_FUNKTION FitFunctionCatalog[CATALOG_CODES] = {
    {"", 0, {}},
    {" Gaussian ", 3, {4, 1, 0}},
    {" Lorentzian ", 4, {4, 1, 0, 22}},
    {" Pseudo Voigt ", 4, {4, 1, 0, 5}},
    {" asym. Gauss ", 4, {4, 1, 3, 2}},
    {" asym. Lorentz ", 5, {4, 1, 3, 2, 22}},
    {" asym. P-Voigt ", 5, {4, 1, 3, 2, 5}},
    {" Polynomial ", 0, {}},
    {" mod. atan ", 3, {4, 1, 0}},
    {" [A*(Bx)^C+D] parabolic-law", 4, {7, 12, 15, 14}},
    {" cosinus", 3, {12, 13, 14}},
    {" [A(1-exp(-(Bx)^C)] Avrami-Erofeev", 3, {12, 14, 15}},
    {" Voigt ", 4, {12, 1, 27, 26}},
    {" Pearson7 ", 6, {4, 1, 3, 15, 2, 15}},
    {" GIC-00L ", 5, {7, 8, 9, 10, 11}},
    {" stand. exafs ", 4, {16, 17, 18, 19}},
    {" exafs (d') ", 5, {16, 17, 18, 19, 20}},
    {" exafs (d'') ", 5, {16, 17, 18, 19, 21}},
    {" exafs (d'+d'') ", 6, {16, 17, 18, 19, 20, 21}},
    {" new atan ", 4, {4, 1, 0, 7}},
    {" Victoreen ", 3, {6, 6, 6}},
    {" feff-Fit ", 4, {16, 17, 18, 19}},
    {" feff-Fit (d') ", 5, {16, 17, 18, 19, 20}},
    {" feff-Fit (d'') ", 5, {16, 17, 18, 19, 21}},
    {" feff-Fit (d'+d'') ", 6, {16, 17, 18, 19, 20, 21}},
    {" feff-S0 ", 1, {23}},
    {" LC xanes ", 2, {24, 19}},
    {" CDM ", 1, {25}},
    {" FEFF cluster ", 3, {17, 17, 17}},
    {" Zero shift ", 1, {28}},
    {" Lattice constants ", 6, {29, 30, 31, 32, 33, 34}},
    {" UVW (FWHM) ", 3, {35, 36, 37}},
    {" Background ", 4, {4, 12, 14, 13}},
    {"", 0, {}},
};

const char ParameterNames[PARAMETER_NAMES][30] = {
    "fwhm: ", "Position: ", "right fwhm: ", "left fwhm: ", "Height: ", "Gauss. part: ",
    ". coeff.: ", "Scaling: ", "z (Anions): ", "nue ( C ): ", "nue ( Me ): ", "D.W. factor: ",
    "Amplitude: ", "Frequency: ", "Phase: ", "Exponent: ", "Coord.No.: ", "distance R: ",
    "sigma^2: ", "E0 shift: ", "3rd cumulant: ", "4th cumulant: ", "alpha: ", "S0^2: ",
    "partial c.: ", "Debye T.: ", "Gauss: ", "Lorentz: ", "Zero shift: ", "a: ", "b: ", "c: ",
    "alpha: ", "beta: ", "gamma: ", "u: ", "v: ", "w: ",
};

int32_t FourierOrdnung = 0;
double FourierPeriode = 0.0;
double* TabellenX = nullptr;
double* TabellenFaktor = nullptr;
int32_t TabellenPunkte = 0;
int32_t FitSchrittAktiv = 0;

namespace {

const double PI = 3.14159265358979323846;
const double GAUSS = 2.772589;  // 4 ln 2 as the profiles use it
const double LN2 = 0.69314718055994530942;

// Scratch blocks that grow to the largest request and are kept, so that
// repeated calls take nothing from the heap.
double* Block(std::vector<double>& v, std::size_t n)
{
    if (v.size() < n) v.resize(n);
    return v.data();
}
std::vector<double> NachbearbeitungsBloecke[3];

// Reduced abscissa of a peak at position + s; a zero width gives 0.
double Reduziert(double x, double mitte, double w)
{
    return w == 0.0 ? 0.0 : (x - mitte) / w;
}

double Gauss(double h, double u) { return h * std::exp(-GAUSS * u * u); }

// Area-normalised Voigt profile times p0 (p2 Lorentz, p3 Gauss width);
// either width 0 gives the other profile, both 0 give 0.
double Voigt(const MODELL_LAUF& l, const double* p, double x)
{
    const double lorentz = std::fabs(p[2]);
    const double gauss = std::fabs(p[3]);
    const double d = x - p[1];
    if (lorentz == 0.0 && gauss == 0.0) return 0.0;
    if (lorentz == 0.0)
        return p[0] * 2.0 * std::sqrt(LN2 / PI) / gauss * std::exp(-4.0 * LN2 * d * d / (gauss * gauss));
    if (gauss == 0.0) return p[0] * lorentz / (2.0 * PI) / (d * d + 0.25 * lorentz * lorentz);
    if (!l.u->Numerik) return 0.0;
    const double v = l.u->Numerik->VoigtIntegral(x, p[0], p[1], lorentz, gauss);
    return v * 2.0 * LN2 * p[0] * lorentz / (std::pow(PI, 1.5) * gauss * gauss);
}

double Arcustangens(const double* p, double x)
{
    const double t = p[2] == 0.0 ? 0.0 : (x - p[1]) * PI / p[2];
    return p[0] * std::atan(t) / PI + p[0] / 2.0;
}

double Pearson7(const double* p, double x, double s)
{
    const double d = x - p[1] - s;
    const bool links = x <= p[1] + s;
    const double m = links ? p[3] : p[5];
    const double w = links ? p[2] : p[4];
    const double t = w == 0.0 ? 0.0 : 2.0 * d / w;
    return p[0] * std::pow(1.0 + (std::pow(2.0, 1.0 / m) - 1.0) * t * t, -m);
}

double Victoreen(const MODELL_LAUF& l, double x)
{
    const double* b = l.p;
    double e[3] = {l.p[VICTOREEN_EXPONENT_INDEX], l.p[VICTOREEN_EXPONENT_INDEX + 1],
                   l.p[VICTOREEN_EXPONENT_INDEX + 2]};
    if (x < 0.0)
        for (double& v : e) v = std::trunc(v);
    return b[0] * std::pow(x, e[0]) + b[1] * std::pow(x, e[1]) + b[2] * std::pow(x, e[2]);
}

double FourierSynthese(const MODELL_LAUF& l, double x)
{
    const int32_t m = FourierOrdnung;
    if (m < 0 || m >= PARAMETER_BLOCK_DOUBLES || FourierPeriode == 0.0) return l.p[0];
    double summe = l.p[0];
    for (int32_t k = 1; k <= m; ++k) summe += l.p[k] * std::cos(2.0 * PI * k * x / FourierPeriode);
    return summe;
}

// Value of the functions that need nothing beyond their parameters.
double ProfilWert(const MODELL_LAUF& l, int32_t c, const double* p, double x)
{
    const double s = l.nullpunkt;
    switch (c) {
    case 1:
        return Gauss(p[0], Reduziert(x, p[1] + s, p[2]));
    case 2: {
        const double u = Reduziert(x, p[1] + s, p[2]);
        return p[0] / std::pow(1.0 + 4.0 * u * u, p[3]);
    }
    case 3: {
        const double u = Reduziert(x, p[1] + s, p[2]);
        return p[0] * p[3] * std::exp(-GAUSS * u * u) + p[0] * (1.0 - p[3]) / (1.0 + 4.0 * u * u);
    }
    case 4: case 5: case 6: {
        const double w = x > p[1] + s ? p[3] : p[2];
        const double u = Reduziert(x, p[1] + s, w);
        if (c == 4) return Gauss(p[0], u);
        if (c == 5) return p[0] / std::pow(1.0 + 4.0 * u * u, p[4]);
        return p[0] * p[4] * std::exp(-GAUSS * u * u) + p[0] * (1.0 - p[4]) / (1.0 + 4.0 * u * u);
    }
    case 7: {
        double summe = 0.0;
        for (int32_t k = FitPolyDegree; k >= 0; --k) summe = summe * x + p[k];
        return summe;
    }
    case 8:
        return Arcustangens(p, x);
    case 9:
        return p[1] == 0.0 ? p[0] : p[0] * std::exp(p[1] * x + p[2]);
    case 10:
        return p[0] * std::cos(p[1] * x + p[2]);
    case 11: {
        const double e = -std::pow(p[1] * x, p[2]);
        return std::fabs(e) >= 1e50 ? 0.0 : p[0] * (1.0 - std::exp(e));
    }
    case 12:
        return Voigt(l, p, x);
    case 13:
        return Pearson7(p, x, s);
    case 19:
        return Arcustangens(p, x) + (x >= p[1] ? (x - p[1]) * p[3] : 0.0);
    case 20:
        return Victoreen(l, x);
    case 32: {
        const double t = x * 0.5 / 180.0 * PI;
        return p[0] + p[1] * x + p[2] * std::sin(t) + p[3] * std::tan(t);
    }
    case 51:
        return FourierSynthese(l, x);
    case 80: {
        // The second coordinate comes with the index argument.
        const double h = p[3] / 2.0;
        const double a = Reduziert(x, p[1], h);
        const double b = Reduziert(l.index, p[2], h);
        return p[0] * std::exp(-GAUSS * a * a) * std::exp(-GAUSS * b * b);
    }
    default:
        return 0.0;
    }
}

// The knots (abscissae, then values) TabellenFaktor was last computed from.
double TabellenKnoten[2 * MAX_MODEL_PARAMETERS_SMALL];
int32_t TabellenKnotenZahl = -1;
const double* TabellenKnotenFuer = nullptr;

// Model 54: the spline through the knots (abscissae from block entry 600,
// values the last SplineKnotCount parameters) at the abscissae TabellenX
// into TabellenFaktor, at the first point and whenever a knot changed since
// (a derivative step moves one knot value at a later point).
void TabellenFaktorBerechnen(const MODELL_LAUF& l)
{
    const int32_t k = SplineKnotCount;
    if (l.j0 != 0 && k == TabellenKnotenZahl && TabellenKnotenFuer == TabellenFaktor && k >= 2 &&
        k <= MAX_MODEL_PARAMETERS_SMALL && MaxParameter - k + 1 >= 0) {
        bool gleich = true;
        for (int32_t i = 0; gleich && i < k; ++i)
            gleich = TabellenKnoten[i] == l.p[SPLINE_KNOT_INDEX + i] &&
                     TabellenKnoten[k + i] == l.p[MaxParameter - k + 1 + i];
        if (gleich) return;
    }
    def_zelva* z = l.u->Numerik;
    if (!z || k < 2 || k > MAX_MODEL_PARAMETERS_SMALL || MaxParameter - k + 1 < 0 || !TabellenX ||
        !TabellenFaktor || TabellenPunkte < 1)
        return;
    double knotenX[MAX_MODEL_PARAMETERS_SMALL];
    double knotenY[MAX_MODEL_PARAMETERS_SMALL];
    for (int32_t i = 0; i < k; ++i) {
        knotenX[i] = l.p[SPLINE_KNOT_INDEX + i];
        knotenY[i] = l.p[MaxParameter - k + 1 + i];
    }
    double* altX = z->xField;
    double* altY = z->yField;
    const int32_t altN = z->anzahl;
    z->SetField(knotenX, knotenY);
    z->anzahl = k;
    z->Splint(TabellenPunkte, TabellenX, TabellenFaktor);
    z->SetField(altX, altY);
    z->anzahl = altN;
    std::copy(knotenX, knotenX + k, TabellenKnoten);
    std::copy(knotenY, knotenY + k, TabellenKnoten + k);
    TabellenKnotenZahl = k;
    TabellenKnotenFuer = TabellenFaktor;
}

double TabellenFaktorBei(int32_t j, double wert)
{
    if (!TabellenFaktor || j < 0 || j >= TabellenPunkte) return wert;
    return (wert + 1.0) * TabellenFaktor[j];
}

// Post-processing of an array call for model kinds 1-99.
void Nachbearbeiten(const MODELL_LAUF& l, double* xs, double* ys, int32_t n)
{
    def_zelva* z = l.u->Numerik;
    if (n < 1) return;
    std::size_t laenge = 8000;
    if (4 * static_cast<std::size_t>(n) + 5 > laenge) laenge = 4 * static_cast<std::size_t>(n) + 5;
    if (l.u->KurvenPunkte > 0 && static_cast<std::size_t>(l.u->KurvenPunkte) + 5 > laenge)
        laenge = static_cast<std::size_t>(l.u->KurvenPunkte) + 5;
    double* gitter = Block(NachbearbeitungsBloecke[0], laenge);
    double* arbeit = Block(NachbearbeitungsBloecke[1], laenge);
    double* kopie = Block(NachbearbeitungsBloecke[2], laenge);
    for (int32_t j = 0; j < n; ++j) kopie[j] = ys[j];
    double* altX = z ? z->xField : nullptr;
    double* altY = z ? z->yField : nullptr;
    const int32_t altN = z ? z->anzahl : 0;
    const int32_t fertig =
        ModellFeldFFT(n, xs, ys, kopie, gitter, arbeit, static_cast<int32_t>(laenge));
    if (z) {
        z->SetField(altX, altY);
        z->anzahl = altN;
    }
    // Kind 4 applies the (1 + EXAFS) factor of a relative spline itself.
    if (!fertig) return;
    for (int32_t j = 0; j < n; ++j) ys[j] = kopie[j];
}

bool EinfacheFunktion(int32_t c)
{
    return (c >= 1 && c <= 13) || c == 19 || c == 20 || c == 32 || c == 51 || c == 80;
}

bool ExafsFunktion(int32_t c) { return (c >= 15 && c <= 18) || (c >= 21 && c <= 24) || c == 26; }

}  // namespace

double ModellAuswerten(const MODELL_UMFELD& u, double x, double index, double* xs, double* ys,
                       int32_t n)
{
    const bool punkt = ys == nullptr;
    if (!punkt) {
        if (n < 2) ys[0] = 0.0;
        for (int32_t j = 0; j < n; ++j) ys[j] = 0.0;
    }
    if (!punkt && !xs) return 0.0;
    if (!FitParameters || !FitFunctionTypes || FitFunctionCount < 1 || CheckWorkingModelSize() < 0)
        return 0.0;

    MODELL_LAUF l{};
    l.u = &u;
    l.p = FitParameters;
    l.typen = FitFunctionTypes;
    l.anzahl = FitFunctionCount;
    l.art = FitModellArt;
    l.punktModus = punkt;
    l.ohneX = punkt && !xs;
    l.index = index;
    l.j0 = static_cast<int32_t>(index + 0.2);
    l.xs = punkt ? nullptr : xs;
    l.n = punkt ? 1 : (n > 0 ? n : 0);
    l.nullpunkt = 0.0;
    l.phase = -1;

    double summe = 0.0;
    const bool walk = punkt || l.art != 3;
    int32_t q = 0;
    for (int32_t i = 0; walk && i < l.anzahl; ++i) {
        const int32_t code = l.typen[i];
        const int32_t c = Grundcode(code);
        const int32_t zahl = FunctionParameterCount(c, FitPolyDegree, SplineKnotCount);
        const double* p = l.p + q;
        const bool an = code > 0 && code < 100;
        if (c >= 29 && c <= 31) XrdVorbereiten(l, i, q, c);
        if (!an) {
            q += zahl;
            continue;
        }
        if (c == 25) S0Quadrat = p[0];
        else if (c == 27) DebyeTemperatur = p[0];
        else if (c == 54) {
            TabellenFaktorBerechnen(l);
            if (punkt) summe = TabellenFaktorBei(l.j0, summe);
            else
                for (int32_t j = 0; j < l.n; ++j) ys[j] = TabellenFaktorBei(l.j0 + j, ys[j]);
        } else if (EinfacheFunktion(c)) {
            const bool schneiden = c <= 3 && l.ohneX;
            if (punkt) {
                if (!schneiden || XrdAbschneidenPrueft(l, q, x)) summe += ProfilWert(l, c, p, x);
            } else {
                for (int32_t j = 0; j < l.n; ++j) ys[j] += ProfilWert(l, c, p, xs[j]);
            }
        } else if (ExafsFunktion(c)) {
            if (ExafsVorbereiten(l, i, q, c)) {
                if (punkt) summe += ExafsWert(l, i, q, c, x, l.j0);
                else
                    for (int32_t j = 0; j < l.n; ++j) ys[j] += ExafsWert(l, i, q, c, xs[j], l.j0 + j);
            }
            ExafsFunktionFertig(l, i, c);
        }
        q += zahl;
    }
    if (punkt) return summe;
    if (l.art >= 1 && l.art <= 99) Nachbearbeiten(l, xs, ys, l.n);
    return 0.0;
}

int32_t SetFunktionFlag(int32_t n, int32_t modus)
{
    int32_t* t = FitFunctionTypes;
    const int32_t anzahl = t ? (FitFunctionCount < MAX_MODEL_FUNCTIONS ? FitFunctionCount
                                                                      : MAX_MODEL_FUNCTIONS)
                             : 0;
    auto aus = [](int32_t& c) { if (c > 0 && c < 100) c += 100; };
    auto an = [](int32_t& c) { if (c > 100) c -= 100; };
    if (n == 0) {
        for (int32_t i = 0; i < anzahl; ++i) an(t[i]);
        return 1;
    }
    if (n < 0 || n > anzahl || modus < 0 || modus > 2) return 0;
    if (modus == 1)
        for (int32_t i = 0; i < anzahl; ++i) aus(t[i]);
    if (modus == 0)
        for (int32_t i = 0; i < anzahl; ++i) an(t[i]);
    if (modus == 1) an(t[n - 1]);
    else aus(t[n - 1]);
    return 1;
}

void ModellMinMax(const MODELL_UMFELD& u, ModellCallback modell, double* minimum,
                  double* maximum, double x1, double x2)
{
    double lo = 1e30, hi = -1e30;
    auto nimm = [&](double y) {
        if (y < lo) lo = y;
        if (y > hi) hi = y;
    };
    if (u.Numerik) u.Numerik->SetFunction(modell);
    const double schritt = (x2 - x1) / 500.0;
    const int32_t art = FitModellArt;
    const bool aufKurve = (art == 3 || art == 6 || art == 10 || art == 103 || art == 106 ||
                           art == 110) && u.KurveX && u.KurvenPunkte > 0;
    std::vector<double> xs, ys;
    if (art != 0) {
        if (aufKurve) {
            xs.assign(u.KurveX, u.KurveX + u.KurvenPunkte);
        } else if (schritt > 0.0) {
            for (int32_t i = 0; i < 8000; ++i) {
                const double x = x1 + (i - 1) * schritt;
                if (!(x < x2)) break;
                xs.push_back(x);
            }
        }
        ys.assign(xs.size() + 1, 0.0);
    }
    const int32_t anzahl = FitFunctionTypes ? FitFunctionCount : 0;
    const int32_t durchlaeufe = anzahl <= 1 ? 1 : anzahl + 1;
    for (int32_t d = 0; d < durchlaeufe && modell; ++d) {
        if (d >= 1) {
            SetFunktionFlag(d, 1);
            if (Grundcode(FitFunctionTypes[d - 1]) == 25) continue;
        }
        if (art == 0) {
            for (int32_t i = 0; i <= 100000; ++i) {
                const double x = x1 + i * schritt;
                nimm(modell(x, static_cast<double>(i), nullptr, nullptr, 0));
                if (!(x < x2)) break;
            }
        } else if (!xs.empty()) {
            modell(0.0, 0.0, xs.data(), ys.data(), static_cast<int32_t>(xs.size()));
            for (std::size_t i = 0; i < xs.size(); ++i) nimm(ys[i]);
        }
    }
    SetFunktionFlag(0, 0);
    if (minimum) *minimum = lo;
    if (maximum) *maximum = hi;
}
