// The stand-in FEFF program's output taken through the EXAFS simulation
// 817: all its paths with N = deg, R = reff, sigma^2 = sig2, S0^2 = 1 and
// no E0 shift give its "chi.dat", an independent sum written by the
// stand-in itself, within 1e-6 of its largest value.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/spectra/data_commands_fixture.h"
#include "app/temp_folder.h"
#include "fit/exafs_terms.h"
#include "fit/fit_model.h"
#include "fit/model_function.h"
#include "fit/xafs_table.h"
#include "resource_ids.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/spectra_globals.h"
#include "xas/exafs_fit.h"
#include "xas/exafs_fit_win.h"
#include "xas/feff_path.h"

namespace {

std::string ProgrammOrdner()
{
    char pfad[MAX_PATH] = {0};
    GetModuleFileNameA(nullptr, pfad, MAX_PATH);
    std::string s(pfad);
    return s.substr(0, s.find_last_of("\\/") + 1);
}

std::vector<std::string> Zeilen(const std::string& datei)
{
    std::ifstream f(datei);
    std::vector<std::string> z;
    std::string s;
    while (std::getline(f, s)) z.push_back(s);
    return z;
}

}  // namespace

class FeffStandinSimulation : public EditFixture {};

TEST_F(FeffStandinSimulation, SimulationOfAllPathsEqualsItsChiDat)
{
    TempOrdner ordner;
    const std::string lauf = ordner.Datei("run") + "\\";
    ASSERT_TRUE(CreateDirectoryA(lauf.c_str(), nullptr));
    ASSERT_TRUE(CopyFileA(KORLAN_TEST_DIR "/app/xas/data/cu_feff85_noSCF/feff.inp", (lauf + "feff.inp").c_str(), FALSE));
    // The stand-in runs from a folder of its own, without a settings file.
    const std::string prog = ordner.Datei("prog") + "\\";
    ASSERT_TRUE(CreateDirectoryA(prog.c_str(), nullptr));
    ASSERT_TRUE(CopyFileA((ProgrammOrdner() + "standins\\feff.exe").c_str(), (prog + "feff.exe").c_str(), FALSE));
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::string befehl = "\"" + prog + "feff.exe\"";
    ASSERT_TRUE(CreateProcessA(nullptr, &befehl[0], nullptr, nullptr, FALSE, 0, nullptr, lauf.c_str(), &si, &pi));
    ASSERT_EQ(WaitForSingleObject(pi.hProcess, 60000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    ASSERT_EQ(code, 0u);

    // Its paths and its chi(k).
    std::vector<FilesDatZeile> pfade;
    for (const std::string& z : Zeilen(lauf + "files.dat")) {
        FilesDatZeile r;
        if (LeseFilesDatZeile(z, &r)) pfade.push_back(r);
    }
    ASSERT_GE(pfade.size(), 5u);
    std::vector<double> k, chi;
    for (const std::string& z : Zeilen(lauf + "chi.dat")) {
        double a, b;
        if (z.empty() || z[0] == '#' || std::sscanf(z.c_str(), "%lf %lf", &a, &b) != 2) continue;
        if (a >= 0.5) k.push_back(a), chi.push_back(b);
    }
    ASSERT_GT(k.size(), 300u);

    // Window 0: chi.dat's k grid; the model S0^2 and one path function per
    // row.
    grafik_fenster& g = GrafikFenster[0];
    const int m = static_cast<int>(k.size());
    std::copy(k.begin(), k.end(), g.GetXFeld(0));
    std::copy(chi.begin(), chi.end(), g.GetYFeld(0));
    NurSlotNull(0, m);
    g.KurvenFlags[0] = SLOT_K_FIT;
    const int n = static_cast<int>(pfade.size());
    g.AnzahlFunktionen = n + 1;
    g.FunktionsTypen[0] = 25;
    g.Parameter[0] = 1.0;
    FeffPfadeLeeren();
    for (int i = 1; i <= n; ++i) {
        g.FunktionsTypen[i] = 21;
        const FilesDatZeile& r = pfade[i - 1];
        double* a = g.Parameter + 1 + 4 * (i - 1);
        a[0] = r.Entartung, a[1] = r.Reff, a[2] = r.Sigma2, a[3] = 0.0;
        FeffPfade[i].Pfadnummer = r.Pfadnummer;
        std::snprintf(FeffPfade[i].FilesDatPfad, sizeof FeffPfade[i].FilesDatPfad, "%sfiles.dat", lauf.c_str());
    }
    FitFunctionTypes = g.FunktionsTypen;
    FitParameters = g.Parameter;
    FitFunctionCount = n + 1;
    FitPolyDegree = 0;
    ASSERT_GT(ResetModelTables(), 0);
    const int32_t altDeltaR = DeltaRModus;
    DeltaRModus = -1;
    HAUPTDATEN.ModellCallback = ModellFunktion;
    HAUPTDATEN.FeffSatzAnzahl = 0;

    // 817 as the macro player gives it: FEFF paths, k space, k weight 0.
    const double dw[14] = {21, -1, static_cast<double>(n), 0, -1, -1, 1, -1, -1, 1, -1, -1, -1, 1};
    std::copy(dw, dw + 14, HAUPTDATEN.DialogWerte);
    boxen.clear();
    FehlerCode = 0;
    HAUPTDATEN.Befehl(817, LP_PREPARED);
    EXPECT_EQ(FehlerCode, 0);
    EXPECT_TRUE(boxen.empty());
    EXPECT_EQ(g.ZeigeFunktion, 1);
    for (int i = 1; i <= n; ++i) EXPECT_EQ(FeffPfade[i].Geladen, 1) << i;

    std::vector<double> modell(m + 10, 0.0);
    ModellFunktion(0.0, 0.0, g.GetXFeld(0), modell.data(), m);
    double groesste = 0.0, abweichung = 0.0;
    int schlechtester = 0;
    for (int i = 0; i < m; ++i) {
        groesste = std::max(groesste, std::fabs(chi[i]));
        if (std::fabs(modell[i] - chi[i]) > abweichung) abweichung = std::fabs(modell[i] - chi[i]), schlechtester = i;
    }
    ASSERT_GT(groesste, 0.01);
    EXPECT_LT(abweichung, 1e-6 * groesste) << "at k = " << k[schlechtester] << ": " << modell[schlechtester]
                                             << " against " << chi[schlechtester];
    DeltaRModus = altDeltaR;
    FitModellArt = 0;
    Numerik.SetFitProcedure(0, nullptr);
    Numerik.SetWeightFunction(nullptr);
    FeffPfadeLeeren();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {}
}
