// The curves and tables of the EXAFS fit-difference view.
#include "fit/residual_view.h"

#include <cmath>
#include <cstdio>

#include "zelva.h"

namespace {

const double PI = 3.14159265358979323846;

std::string Zeilen(const std::vector<const std::vector<double>*>& spalten, std::size_t n, const char* trenner)
{
    std::string t;
    char puffer[64];
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t s = 0; s < spalten.size(); ++s) {
            std::snprintf(puffer, sizeof puffer, "%.10E", (*spalten[s])[i]);
            if (s) t += trenner;
            t += puffer;
        }
        t += "\n";
    }
    return t;
}

}  // namespace

int32_t ResidualFT(def_zelva& z, const double* x, const double* y, int32_t n, int32_t kPunkte, double rSchritt,
                   double rMax, std::vector<double>& rx, std::vector<double>& ry)
{
    rx.clear();
    ry.clear();
    if (!x || !y || n < 2 || kPunkte < 4 || (kPunkte & (kPunkte - 1)) || !(rSchritt > 0.0)) return 0;
    for (int32_t i = 1; i < n; ++i)
        if (!(x[i] > x[i - 1])) return 0;
    std::vector<double> kx(x, x + n), ky(y, y + n);
    const std::size_t nk = static_cast<std::size_t>(kPunkte);
    std::vector<double> gitter(nk), werte(nk, 0.0), im(nk, 0.0);
    const double dk = PI / (rSchritt * (kPunkte - 1));
    int32_t innen = 0;
    for (std::size_t i = 0; i < nk; ++i) {
        gitter[i] = kx[0] + static_cast<double>(i) * dk;
        if (gitter[i] <= kx[static_cast<std::size_t>(n - 1)]) innen = static_cast<int32_t>(i) + 1;
    }
    double* altX = z.xField;
    double* altY = z.yField;
    const int32_t altN = z.anzahl;
    z.SetField(kx.data(), ky.data());
    z.anzahl = n;
    z.Splint(innen, gitter.data(), werte.data());
    z.SetField(gitter.data(), werte.data());
    z.anzahl = kPunkte;
    FTWINDOW f{4, kx[static_cast<std::size_t>(n - 1)], kx[0], 4.0, kx[0]};
    const int32_t np = z.DoCommonFFT(im.data(), -1, &f, nullptr, 0.0, PI / (dk * kPunkte));
    z.SetField(altX, altY);
    z.anzahl = altN;
    if (np < 2) return 0;

    int32_t m = 0;
    while (m < np) {
        ++m;
        if (gitter[static_cast<std::size_t>(m - 1)] > rMax) break;
    }
    const std::size_t mm = static_cast<std::size_t>(m);
    rx.assign(2 * mm + 1, 0.0);
    ry.assign(2 * mm + 1, 0.0);
    for (std::size_t i = 0; i < mm; ++i) {
        rx[i] = gitter[i];
        ry[i] = werte[i];
        rx[mm + 1 + i] = gitter[i];
        ry[mm + 1 + i] = im[i];
    }
    rx[mm] = rx[mm - 1];
    ry[mm] = ry[mm - 1];
    return m;
}

std::vector<double> Betraege(const std::vector<double>& ry, int32_t m)
{
    std::vector<double> b;
    if (m < 1 || ry.size() < 2 * static_cast<std::size_t>(m) + 1) return b;
    const std::size_t mm = static_cast<std::size_t>(m);
    b.resize(mm);
    for (std::size_t i = 0; i < mm; ++i) b[i] = std::hypot(ry[i], ry[mm + 1 + i]);
    return b;
}

bool DifferenzAnsichtBerechnen(def_zelva& z, const double* x, const double* y, const double* modell, int32_t n,
                               bool kRaum, int32_t kPunkte, double rSchritt, double rMax, DIFFERENZ_ANSICHT* aus)
{
    if (!aus || !x || !y || !modell || n < 2) return false;
    DIFFERENZ_ANSICHT a;
    a.KRaum = kRaum;
    const std::size_t nn = static_cast<std::size_t>(n);
    a.Residuum.resize(nn);
    for (std::size_t i = 0; i < nn; ++i) a.Residuum[i] = y[i] - modell[i];
    if (kRaum) {
        std::vector<double> rx, ry;
        const double* quellen[3] = {y, a.Residuum.data(), modell};
        int32_t m = 0;
        for (int s = 0; s < 3; ++s) {
            m = ResidualFT(z, x, quellen[s], n, kPunkte, rSchritt, rMax, rx, ry);
            if (m < 1) return false;
            a.Kurve[s] = Betraege(ry, m);
        }
        a.R.assign(rx.begin(), rx.begin() + m);
    } else {
        a.R.assign(x, x + n);
        a.Kurve[0].assign(y, y + n);
        a.Kurve[1].assign(modell, modell + n);
        a.Kurve[2] = a.Residuum;
    }
    *aus = std::move(a);
    return true;
}

std::string ResidCText(const double* x, const DIFFERENZ_ANSICHT& a)
{
    if (!x) return std::string();
    const std::vector<double> xs(x, x + a.Residuum.size());
    return Zeilen({&xs, &a.Residuum}, a.Residuum.size(), "  ");
}

std::string ResidFText(const DIFFERENZ_ANSICHT& a)
{
    return Zeilen({&a.R, &a.Kurve[0], &a.Kurve[1], &a.Kurve[2]}, a.R.size(), "  ");
}
