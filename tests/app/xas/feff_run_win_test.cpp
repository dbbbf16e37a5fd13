// Command 834, the Run FEFF dialog, on a copy of the copper FEFF folder
// with the stand-ins for FEFF, ATOMS and the viewer (tests/app/xas/
// standins): the programs start in their folders with the program's own
// folder untouched, the absorber question and its shift, the viewer's
// files, and the failures.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "app/spectra/data_commands_fixture.h"
#include "app/temp_folder.h"
#include "resource_ids.h"
#include "shell/shell_globals.h"
#include "xas/feff_run.h"

namespace {

const std::string DATEN = KORLAN_TEST_DIR "/app/xas/data/cu_feff85_noSCF/";

std::string BinOrdner()
{
    char pfad[MAX_PATH] = {0};
    GetModuleFileNameA(nullptr, pfad, MAX_PATH);
    std::string s(pfad);
    return s.substr(0, s.find_last_of("\\/") + 1);
}

std::string LiesAlles(const std::string& name, bool text = false)
{
    std::ifstream f(name, text ? std::ios::in : std::ios::in | std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

// The stand-ins end at once; their log appears within a few seconds.
std::string WarteAufLog(const std::string& name)
{
    for (int i = 0; i < 100; ++i) {
        const std::string t = LiesAlles(name);
        if (!t.empty()) return t;
        Sleep(100);
    }
    return "";
}

std::string Aktuell()
{
    char t[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof t, t);
    return t;
}

}  // namespace

class RunFeffDialog : public EditFixture {
protected:
    TempOrdner feff;
    std::string standins = BinOrdner() + "standins\\";
    void SetUp() override
    {
        EditFixture::SetUp();
        if (HAUPTDATEN.FeffOrdner) HAUPTDATEN.FeffOrdner[0] = '\0';
        ASSERT_TRUE(CopyFileA((DATEN + "feff.inp").c_str(), feff.Datei("feff.inp").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA((standins + "feff.exe").c_str(), feff.Datei("feff.exe").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA((standins + "raswin.exe").c_str(), Pfad("raswin.exe").c_str(), FALSE));
    }
    void TearDown() override
    {
        if (HAUPTDATEN.FeffOrdner) HAUPTDATEN.FeffOrdner[0] = '\0';
        EditFixture::TearDown();
    }
    std::string Feffpfad() const { return feff.Ordner() + "\\feff.exe"; }
    // The dialog with the FEFF path typed in, the steps, then Exit.
    bool Dialog(std::vector<DialogSchritt> schritte)
    {
        boxen.clear();
        const std::string pfad = Feffpfad();
        schritte.insert(schritte.begin(), [pfad](HWND d) { SetDlgItemTextA(d, IDC_RF_ORDNER, pfad.c_str()); });
        schritte.push_back(Druecke(IDCANCEL));
        return MitDialogen(std::move(schritte), [] { HAUPTDATEN.Befehl(834, 0); });
    }
};

TEST_F(RunFeffDialog, FeffStartsInItsFolderAndTheProgramFolderStays)
{
    const std::string vorher = Aktuell();
    ASSERT_TRUE(Dialog({Druecke(IDC_RF_FEFF_RUN)}));
    EXPECT_TRUE(boxen.empty()) << (boxen.empty() ? "" : boxen[0].text);
    const std::string log = WarteAufLog(feff.Datei("feff_standin.log"));
    EXPECT_NE(log.find("cwd=" + feff.Ordner()), std::string::npos) << log;
    EXPECT_NE(log.find("TITLE Copper example"), std::string::npos);
    EXPECT_EQ(Aktuell(), vorher);
    EXPECT_EQ(LiesAlles(Pfad("feffdir.ini"), true), Feffpfad() + "\n");
    EXPECT_STREQ(HAUPTDATEN.FeffOrdner, feff.Ordner().c_str());
    // The absorber was at the origin: nothing asked, nothing shifted.
    EXPECT_EQ(LiesAlles(feff.Datei("feff.inp")), LiesAlles(DATEN + "feff.inp"));
}

TEST_F(RunFeffDialog, AbsorberAwayFromTheOriginIsShiftedWithABackup)
{
    std::string text = LiesAlles(DATEN + "feff.inp");
    const std::string alt = "    0.00000    0.00000    0.00000  0  Cu            0.00000";
    const size_t stelle = text.find(alt);
    ASSERT_NE(stelle, std::string::npos);
    text.replace(stelle, 15, "    1.00000   ");
    { std::ofstream(feff.Datei("feff.inp"), std::ios::binary) << text; }
    antwort = IDOK;
    ASSERT_TRUE(Dialog({Druecke(IDC_RF_FEFF_RUN)}));
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].text.rfind("Absorber is not at origin!", 0), 0u);
    EXPECT_EQ(LiesAlles(feff.Datei("feff.bak")), text);
    // Every atom moved by -1 in x; the distance column and the comment
    // after ATOMS stay.
    const std::string neu = LiesAlles(feff.Datei("feff.inp"));
    EXPECT_NE(neu.find(" *   x          y          z     ipot tag           distance"), std::string::npos);
    std::istringstream zeilen(neu);
    std::string z;
    int atome = 0;
    bool absorber = false;
    FeffAtom a;
    while (std::getline(zeilen, z))
        if (LeseFeffAtom(z, &a)) {
            ++atome;
            if (a.Ipot == 0.0) absorber = a.X == 0.0 && a.Y == 0.0 && a.Z == 0.0;
            if (a.Tag == "Cu.1") {
                const double x = std::fabs(a.X + 1.0);
                EXPECT_TRUE(x == 0.0 || std::fabs(x - 1.805) < 1e-9) << z;
                EXPECT_EQ(a.Abstand, 2.55266) << z;
            }
        }
    EXPECT_EQ(atome, 177);
    EXPECT_TRUE(absorber);
    EXPECT_FALSE(WarteAufLog(feff.Datei("feff_standin.log")).empty());
}

TEST_F(RunFeffDialog, ViewerGetsTheQuadrantWithinRmax)
{
    const std::string vorher = Aktuell();
    ASSERT_TRUE(Dialog({SetzeText(IDC_RF_RMAX, "3.0"), Waehle(IDC_RF_QUADRANT), Druecke(IDC_RF_RASMOL)}));
    EXPECT_TRUE(boxen.empty());
    const std::string xyz = LiesAlles(Pfad("feff.xyz"), true);
    EXPECT_EQ(xyz.rfind("6\n TITLE Copper example\nCu  0.000000   0.000000   0.000000\n", 0), 0u) << xyz;
    EXPECT_EQ(LiesAlles(Pfad("rasmol.ini"), true), "load XYZ feff.xyz\nspacefill 200\nzoom 110\n");
    const std::string log = WarteAufLog(Pfad("raswin.log"));
    EXPECT_NE(log.find("cwd=" + ordner), std::string::npos) << log;
    EXPECT_EQ(Aktuell(), vorher);
}

TEST_F(RunFeffDialog, FailuresAreToldAndNothingRuns)
{
    // No atoms.exe in the FEFF folder.
    ASSERT_TRUE(Dialog({Druecke(IDC_RF_ATOMS_RUN)}));
    ASSERT_EQ(boxen.size(), 1u);
    const std::string w = "WinExec failed; error code = ";
    ASSERT_EQ(boxen[0].text.rfind(w, 0), 0u) << boxen[0].text;
    const int code = std::atoi(boxen[0].text.c_str() + w.size());
    EXPECT_GT(code, 0);
    EXPECT_LT(code, 32);

    // No feff.inp: the viewer names the file, and writes nothing.
    DeleteFileA(feff.Datei("feff.inp").c_str());
    ASSERT_TRUE(Dialog({Druecke(IDC_RF_RASMOL)}));
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].text.rfind("  No such file:", 0), 0u) << boxen[0].text;
    EXPECT_FALSE(Existiert("feff.xyz"));

    // A path without a backslash names no folder.
    boxen.clear();
    EXPECT_TRUE(MitDialogen({SetzeText(IDC_RF_ORDNER, "feff.exe"), Druecke(IDC_RF_FEFF_RUN), Druecke(IDCANCEL)},
                            [] { HAUPTDATEN.Befehl(834, 0); }));
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_NE(boxen[0].text.find("FEFF directory"), std::string::npos);
    EXPECT_TRUE(WarteAufLog(feff.Datei("feff_standin.log")).empty());

    // A replay does not open the dialog.
    FehlerCode = 0;
    Prepared(834, {});
    EXPECT_EQ(FehlerCode, 1000);
}
