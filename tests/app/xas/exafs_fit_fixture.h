// The in-process EXAFS refinement of a synthetic spectrum, shared by the
// set-up's and the results window's tests: chi(k) k^2 made by the model
// from FEFF's first Cu path (feff0001.dat, a fixture copied from
// ../shared/data/feff/cu_feff6_larch/, see data/SOURCES.md) with a one-row
// files.dat beside it, the Fourier command's slots for an R-space fit, and
// 807 as a replayed record run to its end by the player's loop of 507.
#ifndef KORLAN_TESTS_EXAFS_FIT_FIXTURE_H
#define KORLAN_TESTS_EXAFS_FIT_FIXTURE_H

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "app/spectra/data_commands_fixture.h"
#include "app/temp_folder.h"
#include "fit/exafs_terms.h"
#include "fit/fit_model.h"
#include "fit/fit_run.h"
#include "fit/model_function.h"
#include "fit/xafs_table.h"
#include "resource_ids.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/spectra_globals.h"
#include "xas/exafs_fit_win.h"
#include "xas/feff_path.h"
#include "xas/model_fft.h"

namespace exafs_fixture {

const double PI = 3.14159265358979323846;
const std::string FEFF6 = KORLAN_TEST_DIR "/app/xas/data/cu_feff6_larch/";
// S0^2, N, R, sigma^2, E0 shift of the synthetic spectrum.
const double WAHR[5] = {0.87, 12.0, 2.5478 - 0.012, 0.0071, 3.2};

class ExafsFitFixture : public EditFixture {
protected:
    TempOrdner ordner;
    EXAFS_OPTIONEN alteOptionen{};
    const int32_t nk = 1024;
    const double rSchritt = 0.04;
    // The extra k power of the set-up's record (-1: none).
    double extraK = -1.0;

    void SetUp() override
    {
        EditFixture::SetUp();
        alteOptionen = ExafsOptionen;
        ExafsOptionen.KPunkte = nk;
        ExafsOptionen.RSchritt = rSchritt;
        HAUPTDATEN.ModellCallback = ModellFunktion;
        HAUPTDATEN.FitErneuerung[0] = 1;
        HAUPTDATEN.FitErneuerung[1] = 0;
        HAUPTDATEN.FitZustand = 0;
        HAUPTDATEN.FeffSatzAnzahl = 0;
        ExafsFftLeser = ExafsUmfeldLesen;
        ExafsZusatz = EXAFS_ZUSATZ{};
        Numerik.SetExpError(0.001);
        Numerik.SetWichtung(1);
        Numerik.SetFunction(ModellFunktion);
        SchreibeBytes(ordner.Datei("files.dat"),
                      " title\n    file        sig2   amp ratio    deg    nlegs  r effective\n"
                      "feff0001.dat 0.00500 100.000 12.000 2 2.5478\n");
        ASSERT_TRUE(CopyFileA((FEFF6 + "feff0001.dat").c_str(), ordner.Datei("feff0001.dat").c_str(), FALSE));
        FeffPfadFreigeben(&FeffPfade[1]);
        FeffPfade[1].Pfadnummer = 1;
        std::snprintf(FeffPfade[1].FilesDatPfad, sizeof FeffPfade[1].FilesDatPfad, "%s",
                      ordner.Datei("files.dat").c_str());
        DeltaRModus = -1;
    }
    void TearDown() override
    {
        ExafsOptionen = alteOptionen;
        HAUPTDATEN.FitZustand = 0;
        HAUPTDATEN.MakroSchrittAktiv = 0;
        Numerik.SetFitProcedure(0, nullptr);
        Numerik.SetWeightFunction(nullptr);
        FitModellArt = 0;
        GrafikFenster[0].ModellArt = 0;
        ExafsZusatz = EXAFS_ZUSATZ{};
        FeffPfadFreigeben(&FeffPfade[1]);
        SetMenu(hwnd, HAUPTDATEN.Hauptmenue);
        EditFixture::TearDown();
    }
    double Dk() const { return PI / (rSchritt * (nk - 1)); }

    // The model [S0^2, one path] with the given values in window 0.
    void Modell(const double* w)
    {
        grafik_fenster& g = GrafikFenster[0];
        g.AnzahlFunktionen = 2;
        g.FunktionsTypen[0] = 25;
        g.FunktionsTypen[1] = 21;
        g.PolyGrad = 0;
        for (int p = 0; p < 5; ++p) g.Parameter[p] = w[p];
        FitFunctionTypes = g.FunktionsTypen;
        FitParameters = g.Parameter;
        FitFunctionCount = 2;
        FitPolyDegree = 0;
        ASSERT_EQ(ResetModelTables(), 5);
    }

    // chi(k) k^2 of the true model on m points from k = 2 with step dk into
    // slot 0 (the ring at slot 0); by default the Fourier grid up to 16.6.
    void Chi(int m, double dk)
    {
        grafik_fenster& g = GrafikFenster[0];
        double* x = g.GetXFeld(0);
        for (int i = 0; i < m; ++i) x[i] = 2.0 + i * dk;
        for (int s = 0; s < 4; ++s) {
            g.DateiInfo.PunkteProKurve[s] = s == 0 ? m : 0;
            g.KurvenFlags[s] = 0;
        }
        g.KurvenZaehler = 0;
        g.NeuesterZaehler = 0;
        g.KurvenFlags[0] = SLOT_K_FIT;
        g.SetFullBorder();
        Modell(WAHR);
        ASSERT_GT(LoadFeffPath(1, &FeffPfade[1], m, x), 0);
        ModellKGewicht = 2.0;
        FitModellArt = 6;
        ModellFunktion(0.0, 0.0, x, g.GetYFeld(0), m);
        FitModellArt = 0;
        g.FTFenster = FTWINDOW{4, 15.0, 3.0, 4.0, 0.0};
    }
    void Chi() { Chi(380, Dk()); }

    // The Fourier command's slots: the complex transform (real parts, the
    // imaginary ones behind) and its magnitude over 0 ... 6 A.
    void RRaum()
    {
        grafik_fenster& g = GrafikFenster[0];
        const int m = g.DateiInfo.PunkteProKurve[0];
        std::vector<double> k(nk), v(nk, 0.0), im(nk, 0.0);
        g.FTFenster.lower = g.GetXFeld(0)[0];
        for (int i = 0; i < nk; ++i) k[i] = g.FTFenster.lower + i * Dk();
        for (int i = 0; i < m; ++i) v[i] = g.GetYFeld(0)[i];
        v[m] = v[m - 1];
        for (int i = 0; i < nk; ++i)
            if (k[i] >= g.FTFenster.upper) v[i] = 0.0;
        Numerik.SetField(k.data(), v.data());
        Numerik.anzahl = nk;
        const int np = Numerik.DoCommonFFT(im.data(), -1, &g.FTFenster, nullptr, 2.0, PI / (Dk() * nk));
        ASSERT_GT(np, 100);
        int n = 0;
        while (n < np && k[n] <= 6.0) ++n;
        for (int s = 1; s <= 2; ++s) {
            double* x = g.GetXFeld(s);
            double* y = g.GetYFeld(s);
            for (int i = 0; i < n; ++i) {
                x[i] = k[i];
                y[i] = s == 1 ? v[i] : std::hypot(v[i], im[i]);
                y[n + i] = s == 1 ? im[i] : 0.0;
            }
            g.DateiInfo.PunkteProKurve[s] = n;
            g.KurvenFlags[s] = SLOT_KOMPLEX;
        }
        g.KurvenZaehler = 2;
        g.NeuesterZaehler = 2;
        g.KMin = 2.0;
        g.KMax = 2.0 + (m - 1) * Dk();
        g.SetFullBorder();
    }

    // 807 as a replayed record: prepared values, the start parameters off
    // the truth, N fixed; then the player's loop of 507 and the end.
    void Verfeinern(double raum, double lo, double hi)
    {
        const double start[5] = {0.8, 12.0, 2.5478, 0.005, 0.0};
        Modell(start);
        FixParameter(1);
        Numerik.SetAnzahl(-1, MaxParameter, MaxFitParameter);
        const double dw[14] = {21, -1, 1, 2, lo, hi, raum, -1, -1, 1, 1, -1, extraK, 0};
        std::copy(dw, dw + 14, HAUPTDATEN.DialogWerte);
        HAUPTDATEN.MakroSchrittAktiv = 1;
        HAUPTDATEN.Befehl(807, LP_PREPARED);
        ASSERT_EQ(FehlerCode, 0);
        MSG m;
        ASSERT_TRUE(PeekMessageA(&m, hwnd, WM_COMMAND, WM_COMMAND, PM_REMOVE));
        EXPECT_EQ(LOWORD(m.wParam), 507);
        while (PeekMessageA(&m, hwnd, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {}
        for (int k = 0; k < 200; ++k) {
            HAUPTDATEN.Befehl(507, LP_PREPARED);
            while (PeekMessageA(&m, hwnd, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {}
            if (HAUPTDATEN.FitZustand != 1) break;
        }
        ASSERT_EQ(HAUPTDATEN.FitZustand, -1);
        HAUPTDATEN.Befehl(CM_FIT_CANCEL, 0);
        HAUPTDATEN.MakroSchrittAktiv = 0;
    }
    void Pruefen()
    {
        const double* p = GrafikFenster[0].Parameter;
        const double tol[5] = {1e-4, 0.0, 1e-4, 1e-5, 1e-3};
        for (int i = 0; i < 5; ++i) EXPECT_NEAR(p[i], WAHR[i], tol[i]) << i;
    }
};

}  // namespace exafs_fixture

#endif
