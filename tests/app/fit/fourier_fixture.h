// The fixture of the Fourier transformation's tests: graphic windows 0 and
// 1 with test curves or the copper foil's chi(k), and the command run with
// prepared values in numeric or XAFS mode.
#ifndef KORLAN_TESTS_FOURIER_FIXTURE_H
#define KORLAN_TESTS_FOURIER_FIXTURE_H

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/spectra/data_commands_fixture.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"

namespace {

const double PI = 3.14159265358979323846;
const LPARAM XAFS_VORBEREITET = MAKELPARAM(815, 2);

}  // namespace

class FourierBefehl : public EditFixture {
protected:
    EXAFS_OPTIONEN altOptionen{};
    void SetUp() override
    {
        EditFixture::SetUp();
        altOptionen = ExafsOptionen;
        ExafsOptionen.KPunkte = 1024;
        ExafsOptionen.RSchritt = 0.04;
        ExafsOptionen.MaxR = 7.0;
    }
    void TearDown() override
    {
        ExafsOptionen = altOptionen;
        EditFixture::TearDown();
    }
    // Window w's slot 0: n points a + i * dx of f.
    void Gitter(int w, int n, double a, double dx, double (*f)(double))
    {
        grafik_fenster& g = GrafikFenster[w];
        for (int i = 0; i < n; ++i) {
            g.GetXFeld(0)[i] = a + i * dx;
            g.GetYFeld(0)[i] = f(a + i * dx);
        }
        NurSlotNull(w, n);
    }
    // The chi column of the copper foil into window 0.
    void Kupfer()
    {
        std::ifstream f(KORLAN_TEST_DIR "/app/spectra/data/Copper.chik");
        ASSERT_TRUE(f.good());
        grafik_fenster& g = GrafikFenster[0];
        std::string zeile;
        int n = 0;
        while (std::getline(f, zeile)) {
            if (zeile.empty() || zeile[0] == '#') continue;
            std::istringstream z(zeile);
            double k, chi;
            if (z >> k >> chi) {
                g.GetXFeld(0)[n] = k;
                g.GetYFeld(0)[n] = chi;
                ++n;
            }
        }
        ASSERT_GT(n, 400);
        g.KGewicht = 0.0;
        NurSlotNull(0, n);
    }
    // Numeric mode: direction, zero filling, window type, from, to,
    // parameter, -, step width.
    void Numerisch(int w, std::vector<double> dw)
    {
        BringWindowToTop(grafik[w]);
        Prepared(506, dw);
    }
    void Xafs(std::vector<double> dw)
    {
        for (int i = 0; i < 14; ++i) HAUPTDATEN.DialogWerte[i] = i < static_cast<int>(dw.size()) ? dw[i] : 0.0;
        HAUPTDATEN.Befehl(506, XAFS_VORBEREITET);
    }
    std::vector<double> Imag(int w, int s) const
    {
        grafik_fenster& g = GrafikFenster[w];
        const int n = g.DateiInfo.PunkteProKurve[s];
        return std::vector<double>(g.GetYFeld(s) + n + 1, g.GetYFeld(s) + 2 * n + 1);
    }
};

#endif
