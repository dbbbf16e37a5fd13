// Open (command 60) on every file of the shared real data: measured XAS
// spectra, FEFF outputs and diffraction patterns. The accepted files give
// the rows, first and last points that the files hold (counted from the
// files by hand); the others are refused with their message and open no
// window.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "../shell/shell_fixture.h"
#include "resource_ids.h"
#include "spectra/file_commands_win.h"
#include "spectra/spectra_globals.h"
#include "xas/xas_commands_win.h"

#ifdef KORLAN_SHARED_DATA

namespace {

std::string OffenerPfad;

BOOL WINAPI OeffneDiesen(LPOPENFILENAMEA ofn)
{
    if (OffenerPfad.size() >= ofn->nMaxFile) return FALSE;
    std::strcpy(ofn->lpstrFile, OffenerPfad.c_str());
    return TRUE;
}

INT_PTR KeineSpaltenWahl(HWND) { return 0; }

struct Erwartung {
    const char* datei;    // below the shared data folder
    int32_t punkte;       // 0: refused
    double x0, y0, xn, yn;
    const char* meldung;  // of a refused file
};

const char* const FORMAT = "File format could not be identified";

// Rows of the table each file holds, its first and last row (x and the
// second column).
const Erwartung DATEIEN[] = {
    {"xas/Copper.chik", 501, 0.0, 0.574088, 25.0, 0.000110, nullptr},
    {"xas/EMG003.txt", 1128, 7077.9, -0.065347, 7253.4, 0.81192, nullptr},
    {"xas/cu.012", 612, 8786.204, 393970, 11362.470, 143729, nullptr},
    {"xas/cu_10k.xmu", 612, 8786.204, 1.013661, 11362.47, 1.344309, nullptr},
    {"xas/cu_150k.xmu", 618, 8774.104, 0.9082243, 11365.49, 1.275257, nullptr},
    {"xas/cu_50k.xmu", 620, 8782.347, 0.9084868, 11362.54, 1.282417, nullptr},
    {"xas/cu_metal_rt.xdi", 408, 8779.0, 149013.7, 10145.86, 93726.7, nullptr},
    // Three scan regions, parted by a blank line: one table.
    {"xas/fe.060", 511, 6911.98862, 41410.4, 8962.94414, 15103.4, nullptr},
    {"xas/fe2o3_rt1.xmu", 412, 6911.8277, 0.80926541, 8084.2337, 0.85006084, nullptr},
    {"xas/fe3c_rt.xdi", 348, 6962.0, -0.069530319, 7969.247, 0.64833533, nullptr},
    {"xas/feo_rt1.xdi", 412, 6911.7671, -0.03599259, 8084.0938, 0.42842774, nullptr},
    {"xas/au_cyano_series/cyanobacteria.prj", 0, 0, 0, 0, 0, FORMAT},  // a compressed project
    {"xas/au_cyano_series/series_t0.12.dat", 325, 11719.782544, -0.29373792, 12889.695673, -0.630352, nullptr},
    {"xas/au_cyano_series/series_t2.42.dat", 325, 11719.961823, -0.28409383, 12890.021788, -0.61671091, nullptr},
    {"xas/au_cyano_series/series_t20.dat", 251, 11719.901107, -0.42292115, 12460.843408, -0.50020762, nullptr},
    {"xas/au_cyano_series/series_t33.dat", 308, 11720.000751, 1.2959919, 12889.86426, 0.99556632, nullptr},
    {"xas/au_cyano_series/series_t4.73.dat", 327, 11719.991703, -0.27781876, 12889.840611, -0.60348617, nullptr},
    {"xas/au_cyano_series/series_t7.03.dat", 325, 11720.111226, -0.27538567, 12889.949317, -0.59671795, nullptr},
    {"xas/au_cyano_series/series_t720.dat", 327, 11719.332002, -0.36590399, 12889.015024, -0.33034741, nullptr},
    {"xas/au_cyano_series/series_t9.33.dat", 327, 11720.170988, -0.272122, 12889.985552, -0.58977524, nullptr},
    {"xas/au_cyano_series/std_Au1_Cl.dat", 327, 11719.812664, -0.4166179, 12890.589111, -0.17083863, nullptr},
    {"xas/au_cyano_series/std_Au3_Cl_aq.dat", 327, 11719.24327, -0.67379383, 12889.009575, -0.62566331, nullptr},
    {"xas/au_cyano_series/std_Au_cyanide.dat", 327, 11719.882423, -0.23343397, 12889.765673, 0.30879923, nullptr},
    {"xas/au_cyano_series/std_Au_foil.dat", 327, 11719.825675, 0.36365884, 12889.804918, 0.8522879, nullptr},
    {"xas/au_cyano_series/std_Au_hydroxide.dat", 308, 11719.841464, -0.20541987, 12889.521907, -0.26406777, nullptr},
    {"xas/au_cyano_series/std_Au_sulphide.dat", 327, 11719.432785, -0.13740778, 12889.260739, -0.18732264, nullptr},
    {"xas/au_cyano_series/std_Au_thiocyanide.dat", 327, 11719.832544, -0.11920219, 12889.600739, 0.24876248, nullptr},
    {"xas/au_cyano_series/std_Au_thiomalate_aq.dat", 325, 11719.213149, -0.2717289, 12889.058273, -0.29824954, nullptr},
    {"xas/au_cyano_series/std_Au_thiosulphate_aq.dat", 324, 11719.802182, -0.011915533, 12889.480739, -0.1569264, nullptr},
    {"xas/lcf_au/s1.dat", 327, 11719.826, 0.006723, 12889.805, 1.003574, nullptr},
    {"xas/lcf_au/s2.dat", 327, 11719.243, 0.007491, 12889.01, 1.005861, nullptr},
    {"xas/lcf_au/s3.dat", 308, 11719.841, 0.009911, 12889.522, 1.00725, nullptr},
    {"xas/lcf_au/s4.dat", 327, 11719.833, 0.009449, 12889.601, 1.001533, nullptr},
    {"xas/lcf_au/s5.dat", 327, 11719.433, 0.012368, 12889.261, 1.00331, nullptr},
    {"xas/lcf_au/s6.dat", 324, 11719.802, 0.005468, 12889.481, 1.000163, nullptr},
    {"xas/lcf_au/unknown.dat", 327, 11719.742, 0.011441, 12889.591, 0.993161, nullptr},
    {"feff/cu_feff6_larch/feff0001.dat", 59, 0.0, 3.5015, 20.0, -2.2337, nullptr},
    {"feff/cu_feff6_larch/feff0002.dat", 59, 0.0, 3.5015, 20.0, -2.2337, nullptr},
    {"feff/cu_feff6_larch/feff0003.dat", 59, 0.0, 3.5015, 20.0, -2.2337, nullptr},
    {"feff/cu_feff6_larch/feffcu01.dat", 59, 0.0, 3.5015, 20.0, -2.2337, nullptr},
    {"feff/cu_feff85_noSCF/chi.dat", 401, 0.0, -0.2008545, 20.0, 0.01453317, nullptr},
    // The run's log: the last table of two or more rows is the end of the
    // path list (paths 14 and 15, after the line of the neglected path 13).
    {"feff/cu_feff85_noSCF/f85e.log", 2, 14.0, 32.35, 15.0, 2.75, nullptr},
    {"feff/cu_feff85_noSCF/feff.inp", 0, 0, 0, 0, 0, FORMAT},
    {"feff/cu_feff85_noSCF/feff0001.dat", 59, 0.0, 3.9536, 20.0, -2.2408, nullptr},
    {"feff/cu_feff85_noSCF/feff0002.dat", 59, 0.0, 3.9536, 20.0, -2.2408, nullptr},
    {"feff/cu_feff85_noSCF/feff0003.dat", 59, 0.0, 3.9536, 20.0, -2.2408, nullptr},
    {"feff/cu_feff85_noSCF/feff0004.dat", 59, 0.0, 3.9536, 20.0, -2.2408, nullptr},
    {"feff/cu_feff85_noSCF/feff0005.dat", 59, 0.0, 3.9536, 20.0, -2.2408, nullptr},
    {"feff/cu_feff85_noSCF/feff0006.dat", 59, 0.0, 3.9536, 20.0, -2.2408, nullptr},
    {"feff/cu_feff85_noSCF/feff0007.dat", 59, 0.0, 3.9536, 20.0, -2.2408, nullptr},
    {"feff/cu_feff85_noSCF/feff0008.dat", 59, 0.0, 3.9536, 20.0, -2.2408, nullptr},
    {"feff/cu_feff85_noSCF/feff0009.dat", 59, 0.0, 3.9536, 20.0, -2.2408, nullptr},
    {"feff/cu_feff85_noSCF/feff0010.dat", 59, 0.0, 3.9536, 20.0, -2.2408, nullptr},
    {"feff/cu_feff85_noSCF/feff0011.dat", 59, 0.0, 3.9536, 20.0, -2.2408, nullptr},
    {"feff/cu_feff85_noSCF/feff0012.dat", 59, 0.0, 3.9536, 20.0, -2.2408, nullptr},
    {"feff/cu_feff85_noSCF/feff0014.dat", 59, 0.0, 3.9536, 20.0, -2.2408, nullptr},
    {"feff/cu_feff85_noSCF/feff0015.dat", 59, 0.0, 3.9536, 20.0, -2.2408, nullptr},
    {"feff/cu_feff85_noSCF/files.dat", 0, 0, 0, 0, 0, FORMAT},
    {"feff/cu_feff85_noSCF/paths.dat", 0, 0, 0, 0, 0, FORMAT},
    {"feff/cu_feff85_noSCF/xmu.dat", 401, 8988.447, -3.82, 10512.44, 1520.173, nullptr},
    // The 11-BM pattern: 132,992 points, beyond the binary format's count.
    {"xrd/11bmb_3844.fxye", 132992, 49.95, 13.0092, 6699.5, 3.21317, nullptr},
    {"xrd/11bmb_3844.prm", 0, 0, 0, 0, 0, FORMAT},
    {"xrd/INST_XRY.PRM", 0, 0, 0, 0, 0, FORMAT},
    // Ten counts per row: the first column falls for four rows and rises
    // in the fifth; no column can serve as x.
    {"xrd/PBSO4.XRA", 0, 0, 0, 0, 0, "no X-column, break at # 5"},
};

class EchteDateien : public LaufendesProgramm {
protected:
    void SetUp() override
    {
        LaufendesProgramm::SetUp();
        boxen.clear();
        OeffnenDateiDialog = OeffneDiesen;
        XasSpaltenWahl = KeineSpaltenWahl;
    }
    void TearDown() override
    {
        OeffnenDateiDialog = GetOpenFileNameA;
        XasSpaltenWahl = CalcXasDialogOeffnen;
        LaufendesProgramm::TearDown();
    }
    static void Pumpe()
    {
        MSG m;
        for (int i = 0; i < 5; ++i)
            while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    }
    void OeffneAlle(const char* ordner)
    {
        int geprueft = 0;
        for (const Erwartung& e : DATEIEN) {
            if (std::strncmp(e.datei, ordner, std::strlen(ordner)) != 0) continue;
            ++geprueft;
            SCOPED_TRACE(e.datei);
            OffenerPfad = std::string(KORLAN_SHARED_DATA) + e.datei;
            for (char& c : OffenerPfad)
                if (c == '/') c = '\\';
            boxen.clear();
            HAUPTDATEN.Befehl(CM_OPEN, 0);
            Pumpe();
            // The XAS conversion that a file of three or more columns is
            // handed to answers through its column choice (cancelled here).
            for (size_t i = boxen.size(); i-- > 0;)
                if (boxen[i].text.find("Calculate spectrum") != std::string::npos) boxen.erase(boxen.begin() + i);
            if (e.punkte == 0) {
                EXPECT_EQ(AnzahlFenster, 0);
                ASSERT_EQ(boxen.size(), 1u);
                EXPECT_NE(boxen[0].text.find(e.meldung), std::string::npos) << boxen[0].text;
                continue;
            }
            EXPECT_TRUE(boxen.empty()) << boxen[0].text;
            ASSERT_EQ(AnzahlFenster, 1);
            const int32_t w = AktivesFenster;
            ASSERT_GE(w, 0);
            grafik_fenster& g = GrafikFenster[w];
            const int32_t n = g.Punkte();
            EXPECT_EQ(n, e.punkte);
            if (n == e.punkte) {
                const double* x = g.GetXFeld(-1);
                const double* y = g.GetYFeld(-1);
                auto nah = [](double a, double b) { return std::fabs(a - b) <= 1e-9 * (1.0 + std::fabs(b)); };
                EXPECT_PRED2(nah, x[0], e.x0);
                EXPECT_PRED2(nah, y[0], e.y0);
                EXPECT_PRED2(nah, x[n - 1], e.xn);
                EXPECT_PRED2(nah, y[n - 1], e.yn);
            }
            DestroyWindow(HAUPTDATEN.GrafikHandles[w]);
            Pumpe();
            ASSERT_EQ(AnzahlFenster, 0);
        }
        EXPECT_GT(geprueft, 0);
    }
};

}  // namespace

TEST_F(EchteDateien, EveryXasFileOpensWithItsRowsOrIsRefused) { OeffneAlle("xas/"); }
TEST_F(EchteDateien, EveryFeffFileOpensWithItsRowsOrIsRefused) { OeffneAlle("feff/"); }
TEST_F(EchteDateien, EveryDiffractionFileOpensWithItsRowsOrIsRefused) { OeffneAlle("xrd/"); }

TEST_F(EchteDateien, TheTableCoversEveryFileOfTheFolders)
{
    // A file added to the shared data must get its row here.
    int gefunden = 0;
    std::vector<std::string> ordner = {"xas", "feff", "xrd"};
    for (size_t k = 0; k < ordner.size(); ++k) {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((std::string(KORLAN_SHARED_DATA) + ordner[k] + "\\*").c_str(), &fd);
        ASSERT_NE(h, INVALID_HANDLE_VALUE) << ordner[k];
        do {
            const std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            const std::string relativ = ordner[k] + "/" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                ordner.push_back(relativ);
                continue;
            }
            bool drin = false;
            for (const Erwartung& e : DATEIEN) drin = drin || relativ == e.datei;
            EXPECT_TRUE(drin) << relativ;
            ++gefunden;
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    EXPECT_EQ(gefunden, static_cast<int>(sizeof DATEIEN / sizeof DATEIEN[0]));
}

#endif
