// The triangle-angle change: RunFeff on the model [S0^2, paths 1, 2, 3 of
// the copper calculation] with the FEFF stand-in as the program's
// "feff\feff.exe", its modes, and the dialog CHANGEFEFFANGLE.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/spectra/data_commands_fixture.h"
#include "app/temp_folder.h"
#include "fit/fit_model.h"
#include "resource_ids.h"
#include "shell/shell_globals.h"
#include "xas/feff_path.h"
#include "xas/feff_run_win.h"

namespace {

const std::string DATEN = KORLAN_TEST_DIR "/app/xas/data/cu_feff85_noSCF/";
const int PUNKTE = 300;

std::string BinOrdner()
{
    char pfad[MAX_PATH] = {0};
    GetModuleFileNameA(nullptr, pfad, MAX_PATH);
    std::string s(pfad);
    return s.substr(0, s.find_last_of("\\/") + 1);
}

std::string LiesAlles(const std::string& name)
{
    std::ifstream f(name, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

}  // namespace

class FeffWinkelLauf : public EditFixture {
protected:
    TempOrdner quelle;
    std::string feff;  // the program's own "feff" folder
    std::vector<double> gitter;
    int32_t altWartezeit = FeffWartezeit;

    void SetUp() override
    {
        EditFixture::SetUp();
        feff = ordner + "\\feff";
        ASSERT_TRUE(CreateDirectoryA(feff.c_str(), nullptr));
        ASSERT_TRUE(CopyFileA((BinOrdner() + "standins\\feff.exe").c_str(), (feff + "\\feff.exe").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA((DATEN + "feff.inp").c_str(), quelle.Datei("feff.inp").c_str(), FALSE));
        std::snprintf(HAUPTDATEN.FeffOrdner, ORDNER_BYTES, "%s", quelle.Ordner().c_str());
        // The k grid in the slot two before the current one.
        grafik_fenster& g = GrafikFenster[0];
        gitter.resize(PUNKTE);
        for (int k = 0; k < PUNKTE; ++k) gitter[k] = g.GetXFeld(2)[k] = 0.05 * k;
        g.DateiInfo.PunkteProKurve[2] = PUNKTE;
        Modell(4);
    }
    void TearDown() override
    {
        FeffWartezeit = altWartezeit;
        HAUPTDATEN.FeffOrdner[0] = '\0';
        FeffPfadeLeeren();
        EditFixture::TearDown();
    }
    // S0^2 and FEFF paths 1 .. anzahl - 1 (type 21: N, R, sigma^2, E0).
    void Modell(int anzahl)
    {
        int32_t* t = typen[0].data();
        double* p = parameter[0].data();
        t[0] = 25;
        p[0] = 1.0;
        for (int i = 1; i < anzahl; ++i) {
            t[i] = 21;
            FeffPfad& s = FeffPfade[i];
            s.Pfadnummer = i;
            std::snprintf(s.FilesDatPfad, sizeof s.FilesDatPfad, "%sfiles.dat", DATEN.c_str());
            ASSERT_GT(LoadFeffPath(1, &s, PUNKTE, gitter.data()), 0) << i;
            p[1 + 4 * (i - 1)] = s.Entartung;
            p[2 + 4 * (i - 1)] = s.Reff;
        }
        GrafikFenster[0].AnzahlFunktionen = anzahl;
        FitFunctionCount = anzahl;
        FitFunctionTypes = t;
        FitParameters = p;
    }
    void Modi(const std::string& m) { std::ofstream(feff + "\\feff_standin.ini", std::ios::binary) << m; }
    double Abstand(int i) const { return parameter[0][2 + 4 * (i - 1)]; }
    std::vector<double> Amplitude(int i) const
    {
        const double* a = FeffPfade[i].Pfadtabellen[FEFF_AMPLITUDE];
        return std::vector<double>(a, a + PUNKTE);
    }
    int32_t Lauf(double winkel, int32_t modus = -1) { return RunFeff(modus, 2, winkel, PUNKTE, gitter.data()); }
};

TEST_F(FeffWinkelLauf, NewAnglesLoadTheRecomputedTriangle)
{
    ASSERT_EQ(FeffPfade[3].Beine, 3);
    EXPECT_NEAR(FeffPfade[3].AbsorberWinkel, 60.0, 1e-3);
    const std::vector<double> vorher = Amplitude(3), pfad2 = Amplitude(2);
    struct Fall {
        double winkel, laenge;
    };
    // 120 degrees: a length the truncated 0.002 steps would have missed.
    for (const Fall& f : {Fall{180.0, 3.8290}, Fall{170.0, 3.7250}, Fall{120.0, -1.0}}) {
        SCOPED_TRACE(f.winkel);
        boxen.clear();
        ASSERT_EQ(Lauf(f.winkel), 1) << (boxen.empty() ? "" : boxen[0].text);
        if (f.laenge > 0) EXPECT_NEAR(Abstand(3), f.laenge, 5e-4);
        EXPECT_NE(Amplitude(3), vorher);
        EXPECT_TRUE(boxen.empty());
    }
    // Only the amplitude and the distance change; the record keeps its
    // geometry, and the other paths stay.
    EXPECT_NEAR(FeffPfade[3].Reff, 3.829, 1e-4);
    EXPECT_EQ(Amplitude(2), pfad2);
    EXPECT_NEAR(Abstand(2), 3.61, 1e-4);
    // The first run asked for every FEFF module, the source input stays.
    const std::string neu = LiesAlles(feff + "\\feff.inp");
    EXPECT_NE(neu.find(" CONTROL   1     1     1     1\n"), std::string::npos);
    EXPECT_EQ(LiesAlles(quelle.Datei("feff.inp")), LiesAlles(DATEN + "feff.inp"));
    ASSERT_EQ(Lauf(170.0, 1), 1);
    EXPECT_NE(LiesAlles(feff + "\\feff.inp").find(" CONTROL   0     1     1     1\n"), std::string::npos);
}

TEST_F(FeffWinkelLauf, AShiftStaysAShift)
{
    parameter[0][2 + 4 * 2] = 0.0;
    ASSERT_EQ(Lauf(170.0), 1);
    EXPECT_NEAR(Abstand(3), 3.7250 - 3.829, 5e-4);
}

TEST_F(FeffWinkelLauf, FailedRunsLeaveTheModel)
{
    const std::vector<double> amplitude = Amplitude(3);
    const double abstand = Abstand(3);
    struct Fall {
        const char* modi;
        int32_t ergebnis;
        const char* meldung;  // null: none
    };
    FeffWartezeit = 2;
    for (const Fall& f : {Fall{"triangle=drop\n", -1, nullptr}, Fall{"exit=3\n", FEFF_LAUF_NICHT_GESTARTET, "error code 3"},
                          Fall{"nochi=1\n", FEFF_LAUF_NICHT_GESTARTET, "no new chi.dat"},
                          Fall{"hang=1\n", FEFF_LAUF_NICHT_GESTARTET, "did not finish within 2 s"}}) {
        SCOPED_TRACE(f.modi);
        Modi(f.modi);
        boxen.clear();
        const ULONGLONG start = GetTickCount64();
        EXPECT_EQ(Lauf(170.0), f.ergebnis);
        if (f.meldung) {
            ASSERT_EQ(boxen.size(), 1u);
            EXPECT_NE(boxen[0].text.find(f.meldung), std::string::npos) << boxen[0].text;
        } else {
            EXPECT_TRUE(boxen.empty());
        }
        EXPECT_EQ(Amplitude(3), amplitude);
        EXPECT_EQ(Abstand(3), abstand);
        if (std::string(f.modi) == "hang=1\n") EXPECT_LT(GetTickCount64() - start, 10000u);
    }
    // The program's own folder as the FEFF folder: refused, its input kept.
    Modi("");
    std::snprintf(HAUPTDATEN.FeffOrdner, ORDNER_BYTES, "%s", feff.c_str());
    ASSERT_TRUE(CopyFileA((DATEN + "feff.inp").c_str(), (feff + "\\feff.inp").c_str(), FALSE));
    boxen.clear();
    EXPECT_EQ(Lauf(170.0), FEFF_LAUF_NICHT_GESTARTET);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(LiesAlles(feff + "\\feff.inp"), LiesAlles(DATEN + "feff.inp"));
}

TEST_F(FeffWinkelLauf, FourLegPartnerOfTheTriangle)
{
    // Function 4, a four-leg path put at 1.04 or 1.06 times the triangle.
    Modell(5);
    FeffPfade[4].Beine = 4;
    for (const double faktor : {1.04, 1.06}) {
        SCOPED_TRACE(faktor);
        FeffPfade[4].Reff = faktor * 3.829;
        for (int k = 0; k < PUNKTE; ++k) FeffPfade[4].Pfadtabellen[FEFF_AMPLITUDE][k] = 1.0;
        Modi("fourleg=drop\n");
        const int32_t r = Lauf(170.0);
        const std::vector<double> a = Amplitude(4);
        if (faktor == 1.04) {
            EXPECT_EQ(r, -2);
            EXPECT_EQ(a, std::vector<double>(PUNKTE, 0.0));
        } else {
            EXPECT_EQ(r, 1);
            EXPECT_EQ(a, std::vector<double>(PUNKTE, 1.0));
        }
    }
}

TEST_F(FeffWinkelLauf, TriangleAsTheLastFunctionTouchesNothingBeyond)
{
    // Record 4 exists (a four-leg path) but is no function of the model.
    FeffPfad& s = FeffPfade[4];
    s.Pfadnummer = 11;
    std::snprintf(s.FilesDatPfad, sizeof s.FilesDatPfad, "%sfiles.dat", DATEN.c_str());
    ASSERT_GT(LoadFeffPath(1, &s, PUNKTE, gitter.data()), 0);
    s.Reff = 3.829;
    const std::vector<double> vorher = Amplitude(4);
    const double jenseits = parameter[0][2 + 4 * 3];
    ASSERT_EQ(Lauf(170.0), 1);
    EXPECT_EQ(Amplitude(4), vorher);
    EXPECT_EQ(parameter[0][2 + 4 * 3], jenseits);
}

TEST_F(FeffWinkelLauf, DialogListsTheTriangleAndAppliesTheAngle)
{
    std::vector<std::string> liste;
    std::string winkel, nachScroll, status;
    std::vector<DialogSchritt> schritte = {
        [&](HWND d) {
            const LRESULT n = SendDlgItemMessageA(d, IDC_FA_LISTE, LB_GETCOUNT, 0, 0);
            for (LRESULT i = 0; i < n; ++i) {
                char t[200] = "";
                SendDlgItemMessageA(d, IDC_FA_LISTE, LB_GETTEXT, i, reinterpret_cast<LPARAM>(t));
                liste.push_back(t);
            }
            SendDlgItemMessageA(d, IDC_FA_LISTE, LB_SETCURSEL, 0, 0);
            SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_FA_LISTE, LBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(GetDlgItem(d, IDC_FA_LISTE)));
            char t[40] = "";
            GetDlgItemTextA(d, IDC_FA_WINKEL, t, sizeof t);
            winkel = t;
            SetDlgItemTextA(d, IDC_FA_SCHRITT, "110");
            // One step up: 170, and the dialog applies it.
            SendMessageA(d, WM_VSCROLL, SB_LINEUP, reinterpret_cast<LPARAM>(GetDlgItem(d, IDC_FA_SCROLL)));
            GetDlgItemTextA(d, IDC_FA_WINKEL, t, sizeof t);
            nachScroll = t;
        }};
    // The run serves the messages, so the test's clock goes on ticking.
    for (int i = 0; i < 300; ++i) schritte.push_back([](HWND) {});
    schritte.push_back([&](HWND d) {
        char t[200] = "";
        GetDlgItemTextA(d, IDC_FA_STATUS, t, sizeof t);
        status = t;
    });
    schritte.push_back(Druecke(IDOK));
    boxen.clear();
    ASSERT_TRUE(MitDialogen(schritte, [] { HAUPTDATEN.Befehl(850, 0); }));
    ASSERT_EQ(liste.size(), 1u);
    // "% -2.2d -  %.15s   R: % -8.4G    \xA5: % -7.4G"
    EXPECT_EQ(liste[0], " 02 -  feff0003.dat   R:  3.829      \xA5:  60    ");
    EXPECT_EQ(winkel, "60");
    EXPECT_EQ(nachScroll, "170");
    EXPECT_EQ(status, " Effect of angular changes will be shown in plot.");
    EXPECT_NEAR(Abstand(3), 3.7250, 5e-4);
    EXPECT_TRUE(boxen.empty()) << (boxen.empty() ? "" : boxen[0].text);
}

// EXIT while FEFF hangs stops the run; the dialog stays open, the model
// as it was.
TEST_F(FeffWinkelLauf, ExitDuringTheRunStopsFeffAndKeepsTheDialog)
{
    Modi("hang=1\n");
    const std::vector<double> amplitude = Amplitude(3);
    const double abstand = Abstand(3);
    std::string status;
    bool offen = false;
    std::vector<DialogSchritt> schritte = {[](HWND d) {
        SendDlgItemMessageA(d, IDC_FA_LISTE, LB_SETCURSEL, 0, 0);
        SetDlgItemTextA(d, IDC_FA_WINKEL, "170");
        PostMessageA(d, WM_COMMAND, IDC_FA_ANWENDEN, 0);
    }};
    for (int i = 0; i < 20; ++i) schritte.push_back([](HWND) {});
    schritte.push_back(Druecke(IDOK));
    for (int i = 0; i < 40; ++i) schritte.push_back([](HWND) {});
    schritte.push_back([&](HWND d) {
        char t[200] = "";
        GetDlgItemTextA(d, IDC_FA_STATUS, t, sizeof t);
        status = t;
        offen = IsWindow(d) != FALSE;
    });
    schritte.push_back(Druecke(IDOK));
    boxen.clear();
    const ULONGLONG start = GetTickCount64();
    ASSERT_TRUE(MitDialogen(schritte, [] { HAUPTDATEN.Befehl(850, 0); }));
    EXPECT_LT(GetTickCount64() - start, 60000u);
    EXPECT_TRUE(offen);
    EXPECT_EQ(status, " FEFF did not run. The model is unchanged.");
    EXPECT_EQ(Amplitude(3), amplitude);
    EXPECT_EQ(Abstand(3), abstand);
    EXPECT_TRUE(boxen.empty());
}
