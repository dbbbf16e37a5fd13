#include "spectra/data_arithmetic.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

OperandArt OperandArtVon(int32_t mode)
{
    if (mode == 0) return OperandArt::Eigene;
    if (mode < 0) return OperandArt::Extern;
    if (mode <= 100) return OperandArt::Spalte;
    if (mode <= 104) return OperandArt::Kurve;
    if (mode == OPERAND_MODELL) return OperandArt::Modell;
    return OperandArt::Ungueltig;
}

int32_t DwInt(double v)
{
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (v <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

double FunktionsWert(int32_t code, double v)
{
    switch (code) {
    case FUNK_LOG10: return v > 0.0 ? std::log10(v) : 0.0;
    case FUNK_LN: return v > 0.0 ? std::log(v) : 0.0;
    case FUNK_EXP: return std::exp(v);
    case FUNK_INVERS: return v != 0.0 ? 1.0 / v : 0.0;
    case FUNK_WURZEL: return v > 0.0 ? std::sqrt(v) : 0.0;
    // The exponent is the one the dialogs have always used; a negative value
    // has a real third root, so the sign is kept instead of giving NaN.
    case FUNK_KUBIKWURZEL: return v < 0.0 ? -std::pow(-v, 0.33333333) : std::pow(v, 0.33333333);
    case FUNK_QUADRAT: return v * v;
    default: return v;
    }
}

// ---- natural cubic spline ----

// The program's one numerics object (shell globals).
extern def_zelva Numerik;

namespace {

// Registers a table on the numerics object for one call and puts the
// object's own curve and counts back afterwards.
class NumerikTabelle {
public:
    NumerikTabelle(const std::vector<double>& x, const std::vector<double>& y)
        : x_(Numerik.GetXField()), y_(Numerik.GetYField()), n_(Numerik.anzahl),
          maxPar_(Numerik.maxParameter), maxFit_(Numerik.maxFitParameter)
    {
        Numerik.SetField(const_cast<double*>(x.data()), const_cast<double*>(y.data()));
        Numerik.anzahl = static_cast<int32_t>(x.size());
        Numerik.maxParameter = 0;
        Numerik.maxFitParameter = 0;
    }
    ~NumerikTabelle()
    {
        Numerik.SetField(x_, y_);
        Numerik.anzahl = n_;
        Numerik.maxParameter = maxPar_;
        Numerik.maxFitParameter = maxFit_;
    }
    NumerikTabelle(const NumerikTabelle&) = delete;
    NumerikTabelle& operator=(const NumerikTabelle&) = delete;

private:
    double* x_;
    double* y_;
    int32_t n_, maxPar_, maxFit_;
};

}  // namespace

bool LocalNaturalSpline::Prepare(const double* x, const double* y, int32_t n)
{
    xs_.clear();
    ys_.clear();
    y2_.clear();
    if (n < 2 || !x || !y) return false;
    xs_.assign(x, x + n);
    ys_.assign(y, y + n);
    // The bracket search needs ascending x; a curve measured top-down is
    // the same spline read backwards.
    if (xs_[0] > xs_[n - 1]) {
        std::reverse(xs_.begin(), xs_.end());
        std::reverse(ys_.begin(), ys_.end());
    }
    y2_.assign(n, 0.0);
    NumerikTabelle tabelle(xs_, ys_);
    Numerik.spline(y2_.data());
    return true;
}

double LocalNaturalSpline::Value(double x) const
{
    if (xs_.size() < 2) return 0.0;
    NumerikTabelle tabelle(xs_, ys_);
    return Numerik.helpsplint(x, const_cast<double*>(y2_.data()));
}

// ---- ordinate arithmetic ----

int32_t OperandAufAbszisse(const double* x, int32_t n, const double* x2, const double* y2,
                           int32_t m, double* out)
{
    if (n < 1 || !out || !y2) return 0;
    if (m == n) {
        std::copy(y2, y2 + n, out);
        return 1;
    }
    if (m < 2 || !x2 || !x) return 0;
    LocalNaturalSpline spline;
    spline.Prepare(x2, y2, m);
    const double c0 = x2[0], c1 = x2[m - 1];
    const bool getrennt = (x[0] > c0 && x[0] > c1) || (c0 > x[n - 1] && c1 > x[n - 1]);
    if (!getrennt) {
        for (int32_t i = 0; i < n; ++i) out[i] = spline.Value(x[i]);
        return 1;
    }
    // No common range: the column is spread over the curve's indices.
    const double step = n > 1 ? (c1 - c0) / (n - 1) : 0.0;
    for (int32_t i = 0; i < n; ++i) out[i] = spline.Value(i == n - 1 ? c1 : c0 + i * step);
    return 1;
}

int32_t SpektrenShiftFeld(const double* x, double* y, int32_t n, double factor, double constant,
                          int32_t code, int32_t mode, int32_t combination, const double* opX,
                          const double* opY, int32_t opPunkte, ModellCallback externeFunktion,
                          int32_t kombiPunkte)
{
    if (n < 1 || !y) return 0;
    const OperandArt art = OperandArtVon(mode);
    if (art == OperandArt::Ungueltig) return 0;
    const bool eigene = art == OperandArt::Eigene || art == OperandArt::Extern;
    if (!eigene && (combination < KOMB_PLUS || combination > KOMB_DURCH)) return 0;

    std::vector<double> operand;
    double* o = y;
    if (!eigene) {
        operand.assign(static_cast<size_t>(n), 0.0);
        if (!OperandAufAbszisse(x, n, opX, opY, opPunkte, operand.data())) return 0;
        o = operand.data();
    }

    if (factor != 1.0)
        for (int32_t i = 0; i < n; ++i) o[i] *= factor;
    if (constant != 0.0)
        for (int32_t i = 0; i < n; ++i) o[i] += constant;
    const bool extern_ = art == OperandArt::Extern && externeFunktion;
    if (extern_) {
        for (int32_t i = 0; i < n; ++i) o[i] = externeFunktion(o[i], 0.0, nullptr, nullptr, 0);
    } else if (code != FUNK_KEINE) {
        for (int32_t i = 0; i < n; ++i) o[i] = FunktionsWert(code, o[i]);
    }
    if (eigene) return 1;

    const int32_t k = kombiPunkte < 0 ? n : std::min(kombiPunkte, n);
    for (int32_t i = 0; i < k; ++i) {
        switch (combination) {
        case KOMB_PLUS: y[i] += o[i]; break;
        case KOMB_MINUS: y[i] -= o[i]; break;
        case KOMB_MAL: y[i] *= o[i]; break;
        default: y[i] = o[i] != 0.0 ? y[i] / o[i] : 0.0; break;
        }
    }
    return 1;
}

// ---- abscissa arithmetic ----

static void Umdrehen(double* a, int32_t n)
{
    for (int32_t i = 0; i < n / 2; ++i) std::swap(a[i], a[n - 1 - i]);
}

int32_t AbzissenShiftFeld(double* x, double* y, int32_t n, double factor, double constant,
                          int32_t code, ModellCallback externeFunktion)
{
    if (n < 1 || !x) return 0;
    const bool extern_ = code < 0;
    int32_t c = code == std::numeric_limits<int32_t>::min() ? 0 : (code < 0 ? -code : code);
    const bool mitY = c >= ABSZISSE_MIT_Y && y;
    if (c >= ABSZISSE_MIT_Y) c -= ABSZISSE_MIT_Y;

    if (factor != 1.0)
        for (int32_t i = 0; i < n; ++i) x[i] *= factor;
    if (constant != 0.0)
        for (int32_t i = 0; i < n; ++i) x[i] += constant;
    if (extern_) {
        if (externeFunktion)
            for (int32_t i = 0; i < n; ++i) x[i] = externeFunktion(x[i], 0.0, nullptr, nullptr, 0);
    } else if (c >= FUNK_LOG10 && c <= FUNK_QUADRAT) {
        for (int32_t i = 0; i < n; ++i) x[i] = FunktionsWert(c, x[i]);
    }

    // The sort codes order the axis completely, so an axis that is not
    // monotonic comes out sorted too, not merely turned round.
    if (!extern_ && (c == FUNK_SORT_AUF || c == FUNK_SORT_AB)) {
        QuickSortFeld(x, y, 0, n - 1, mitY ? 1 : 0);
        if (c == FUNK_SORT_AB) {
            Umdrehen(x, n);
            if (mitY) Umdrehen(y, n);
        }
        return 1;
    }
    if (n >= 2 && x[0] > x[1]) {
        Umdrehen(x, n);
        if (mitY) Umdrehen(y, n);
    }
    return 1;
}

// ---- paired sort ----

static inline void Tausche(double* x, double* y, int32_t i, int32_t j)
{
    std::swap(x[i], x[j]);
    if (y) std::swap(y[i], y[j]);
}

void QuickSortFeld(double* x, double* y, int32_t first, int32_t last, int32_t withY)
{
    if (!x || first >= last) return;
    double* yy = withY ? y : nullptr;
    // Recursing on the smaller part and looping on the larger keeps the
    // depth below log2(n) for any input; the middle pivot and scans that
    // stop at equal values keep sorted, reversed and constant curves fast.
    while (last - first > 16) {
        const int32_t mid = first + (last - first) / 2;
        if (x[mid] < x[first]) Tausche(x, yy, mid, first);
        if (x[last] < x[first]) Tausche(x, yy, last, first);
        if (x[last] < x[mid]) Tausche(x, yy, last, mid);
        const double pivot = x[mid];
        int32_t i = first, j = last;
        while (i <= j) {
            while (x[i] < pivot) ++i;
            while (pivot < x[j]) --j;
            if (i <= j) {
                Tausche(x, yy, i, j);
                ++i;
                --j;
            }
        }
        if (j - first < last - i) {
            QuickSortFeld(x, yy, first, j, withY);
            first = i;
        } else {
            QuickSortFeld(x, yy, i, last, withY);
            last = j;
        }
    }
    for (int32_t i = first + 1; i <= last; ++i) {
        const double xv = x[i];
        const double yv = yy ? yy[i] : 0.0;
        int32_t j = i - 1;
        while (j >= first && xv < x[j]) {
            x[j + 1] = x[j];
            if (yy) yy[j + 1] = yy[j];
            --j;
        }
        x[j + 1] = xv;
        if (yy) yy[j + 1] = yv;
    }
}

// ---- dialog values ----

int32_t OrdinatenSchritte(const double dw[14], ShiftSchritt out[2])
{
    out[0] = ShiftSchritt{dw[1], dw[2], DwInt(dw[0]), 0, 0};
    if (dw[4] == 0.0) return 1;
    out[1] = ShiftSchritt{dw[5], dw[6], DwInt(dw[7]), DwInt(dw[4]), DwInt(dw[3])};
    return 2;
}

int32_t AbszissenCode(const double dw[14])
{
    const int32_t c = DwInt(dw[0]);
    if (dw[3] < 0.0) return c == std::numeric_limits<int32_t>::min() ? 0 : -c;
    return c;
}
