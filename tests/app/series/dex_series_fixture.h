// Detector series on a diode axis built from the real dispersive Fe K
// spectrum EMG003 (data/SOURCES.md): x = diode d, dark = 150 + 0.02 d,
// I0_k = 20000 (1 + 0.3 sin(pi d / n)) (1 - 0.01 k) and
// I1_k = dark + (I0_k - dark) exp(-mu (1 + 0.02 k)), mu = EMG003's
// absorption at point d; files i0_k.dxa, i1_k.dxa and dark.dxa.
#ifndef KORLAN_TESTS_DEX_SERIES_FIXTURE_H
#define KORLAN_TESTS_DEX_SERIES_FIXTURE_H

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "series/series.h"
#include "spectra/spectrum_file.h"

namespace dex_serie {

inline void LiesEmg(std::vector<double>* e, std::vector<double>* mu)
{
    std::ifstream in(std::string(KORLAN_TEST_DIR) + "/app/series/data/EMG003.txt");
    std::string zeile;
    while (std::getline(in, zeile)) {
        double a, b;
        if (!zeile.empty() && zeile[0] != '#' && std::sscanf(zeile.c_str(), "%lf %lf", &a, &b) == 2) {
            e->push_back(a);
            mu->push_back(b);
        }
    }
}

// A binary file of x and the columns.
inline bool Schreibe(const std::string& pfad, const std::vector<double>& x,
                     const std::vector<std::vector<double>>& spalten)
{
    std::vector<std::vector<double>> alle = {x};
    alle.insert(alle.end(), spalten.begin(), spalten.end());
    const double koeff[3] = {0, 0, 0};
    return SchreibeMcDatei(pfad.c_str(), alle, koeff, "detector", nullptr);
}

struct Serie {
    std::vector<double> x, mu, dunkel;
    int32_t n = 0;

    // mu of EMG003 repeated to n points when n is longer than the file.
    explicit Serie(int32_t punkte = 0)
    {
        std::vector<double> e, m;
        LiesEmg(&e, &m);
        n = punkte > 0 ? punkte : static_cast<int32_t>(m.size());
        for (int32_t d = 0; d < n; ++d) {
            x.push_back(d);
            mu.push_back(m[static_cast<std::size_t>(d) % m.size()]);
            dunkel.push_back(150.0 + 0.02 * d);
        }
    }
    std::vector<double> I0(int32_t k) const
    {
        std::vector<double> y;
        for (int32_t d = 0; d < n; ++d)
            y.push_back(20000.0 * (1.0 + 0.3 * std::sin(3.14159265358979323846 * d / n)) * (1.0 - 0.01 * k));
        return y;
    }
    std::vector<double> I1(int32_t k) const
    {
        const std::vector<double> i0 = I0(k);
        std::vector<double> y;
        for (int32_t d = 0; d < n; ++d)
            y.push_back(dunkel[d] + (i0[d] - dunkel[d]) * std::exp(-mu[d] * (1.0 + 0.02 * k)));
        return y;
    }
    // i0_k and i1_k for the listed k, and dark.dxa, into the folder (with
    // its separator at the end).
    bool SchreibeDateien(const std::string& ordner, const std::vector<int32_t>& i0,
                         const std::vector<int32_t>& i1) const
    {
        bool ok = Schreibe(ordner + "dark.dxa", x, {dunkel});
        for (int32_t k : i0) ok = Schreibe(ordner + "i0_" + std::to_string(k) + ".dxa", x, {I0(k)}) && ok;
        for (int32_t k : i1) ok = Schreibe(ordner + "i1_" + std::to_string(k) + ".dxa", x, {I1(k)}) && ok;
        return ok;
    }
};

// Column c (1-based) of a binary file and its header word 11.
inline std::vector<double> Spalte(const std::string& pfad, int32_t c)
{
    std::vector<double> x, y;
    int32_t fehler = 0;
    LeseBinaerSpalten(pfad.c_str(), 1, c, -1, &x, &y, &fehler);
    return y;
}
inline int32_t SpaltenWort(const std::string& pfad)
{
    std::FILE* f = std::fopen(pfad.c_str(), "rb");
    unsigned char b[24] = {};
    const bool ok = f && std::fread(b, 1, 24, f) == 24;
    if (f) std::fclose(f);
    return ok ? static_cast<int16_t>(b[22] | (b[23] << 8)) : -1;
}

}  // namespace dex_serie

#endif
