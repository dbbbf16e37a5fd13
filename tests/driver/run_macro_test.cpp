// The macro-replay driver: its parts, and run_macro.exe on real spectra
// against the same data commands run in this process; the records of the
// data commands against a golden macro file.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/shell/shell_fixture.h"
#include "app/spectra/data_commands_fixture.h"
#include "driver/run_macro.h"
#include "resource_ids.h"
#include "series/series.h"
#include "shell/dispatcher.h"
#include "shell/macro_file.h"
#include "shell/macro_player.h"
#include "shell/macro_bar.h"
#include "spectra/spectra_globals.h"
#include "shell/shell_globals.h"
#include "fit/fit_model.h"
#include "fit/xafs_table.h"
#include "xas/exafs_fit.h"
#include "xas/feff_path.h"
#include "xas/section_dialog_win.h"
#include "zelva.h"

namespace {

// Measured spectra (see SOURCES.md there).
const char* const XAS = KORLAN_TEST_DIR "/app/spectra/data/";
const char* const HIER = KORLAN_TEST_DIR "/driver/";

TEST(RunMacroParts, MessageBoxesAreAnsweredWithTheirDefaultButton)
{
    const struct { UINT type; int answer; } cases[] = {
        {MB_OK | MB_ICONEXCLAMATION, IDOK},
        {MB_OKCANCEL | MB_ICONQUESTION, IDOK},
        {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
        {MB_YESNO | MB_ICONQUESTION, IDYES},
        {MB_YESNO | MB_DEFBUTTON2, IDNO},
        {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
        {MB_RETRYCANCEL, IDRETRY},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, IDIGNORE},
    };
    for (const auto& c : cases) EXPECT_EQ(run_macro::DefaultButton(c.type), c.answer) << std::hex << c.type;

    EXPECT_TRUE(run_macro::IsErrorBox(MB_OK | MB_ICONSTOP, "Caution"));
    EXPECT_TRUE(run_macro::IsErrorBox(MB_OK | MB_ICONEXCLAMATION, "Attention !!"));
    EXPECT_TRUE(run_macro::IsErrorBox(MB_OK, "Error !!"));
    EXPECT_FALSE(run_macro::IsErrorBox(MB_OK | MB_ICONINFORMATION, "Sorry!"));
    EXPECT_FALSE(run_macro::IsErrorBox(MB_OKCANCEL | MB_ICONQUESTION, "Caution !!"));

    EXPECT_EQ(run_macro::MessageLine("Error !!", "Makro is not applicable\r\n  here", IDOK),
              "Error !! | Makro is not applicable /   here | OK");
    EXPECT_EQ(run_macro::WindowsPath("/work/a/b.MAK"), "Z:\\work\\a\\b.MAK");
    EXPECT_EQ(run_macro::WindowsPath("C:\\x/y"), "C:\\x\\y");
}

TEST(RunMacroParts, StepsOfAFitRecordRunUpToTheEndOfTheFit)
{
    run_macro::StepTracker t({605, 507, 507, 607});
    EXPECT_EQ(t.Call(605, 2), 1);
    EXPECT_EQ(t.Call(507, 2), 2);
    // The fit's iterations and its end belong to the fit record ...
    EXPECT_EQ(t.Call(507, 2), 2);
    EXPECT_EQ(t.Call(507, 2), 2);
    EXPECT_EQ(t.Call(CM_FIT_CANCEL, 0), 2);
    // ... and the next 507 is the next record.
    EXPECT_EQ(t.Call(507, 2), 3);
    EXPECT_EQ(t.Call(CM_FIT_CANCEL, 0), 3);
    EXPECT_EQ(t.Call(607, 2), 4);
    EXPECT_EQ(t.Reached(), 4);
    EXPECT_EQ(t.Command(3), 507);
    EXPECT_TRUE(t.FitRan());
}

std::string LiesDatei(const std::string& pfad, bool binaer = false)
{
    std::ifstream f(pfad, binaer ? std::ios::binary : std::ios::in);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

std::string Zahl(double v)
{
    char t[40];
    std::snprintf(t, sizeof t, "%.10E", v);
    return t;
}

// The value columns of a file of the text writer, as written.
std::vector<std::vector<std::string>> Zeilen(const std::string& text)
{
    std::vector<std::vector<std::string>> z;
    std::istringstream ein(text);
    std::string zeile;
    while (std::getline(ein, zeile)) {
        if (zeile.empty() || zeile[0] == '#') continue;
        std::istringstream s(zeile);
        std::vector<std::string> felder;
        for (std::string f; s >> f;) felder.push_back(f);
        z.push_back(felder);
    }
    return z;
}

struct Lauf {
    DWORD code = 9999;
    std::string fehler;
};

// The program in this process and run_macro.exe in a program folder of its
// own below the test's folder.
class RunMacro : public ShellFixture {
protected:
    HWND hwnd = nullptr;
    std::string programm;

    void SetUp() override
    {
        ShellFixture::SetUp();
        char pfad[MAX_PATH];
        GetModuleFileNameA(nullptr, pfad, sizeof pfad);
        std::string bin = pfad;
        bin = bin.substr(0, bin.find_last_of("\\/"));
        programm = Pfad("programm");
        ASSERT_TRUE(CreateDirectoryA(programm.c_str(), nullptr));
        for (const char* datei : {"run_macro.exe", "zelva.dll", "vantor.dll"})
            ASSERT_TRUE(CopyFileA((bin + "\\" + datei).c_str(), (programm + "\\" + datei).c_str(), FALSE)) << datei;
        ASSERT_TRUE(CopyFileA(KORLAN_TEST_DIR "/../app/resources/program/mucal.dat",
                              (programm + "\\mucal.dat").c_str(), FALSE));
        KopiereMucal();
    }

    void TearDown() override
    {
        if (hwnd && IsWindow(hwnd)) {
            for (int i = 0; i < 4; ++i)
                if (HWND g = HAUPTDATEN.GrafikHandles[i]) {
                    DestroyWindow(g);
                    run_macro::Pump(3);
                }
            antwort = IDOK;
            EXPECT_EQ(Schliesse(hwnd), 0);
        }
        LoescheBaum(ordner + "\\programm");
        LoescheBaum(ordner + "\\aus");
        ShellFixture::TearDown();
    }

    static void LoescheBaum(const std::string& dir)
    {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA((dir + "\\" + fd.cFileName).c_str());
            } while (FindNextFileA(h, &fd));
            FindClose(h);
        }
        RemoveDirectoryA(dir.c_str());
    }

    // run_macro.exe SPECTRUM MACRO OUTDIR, its exit code and standard error.
    Lauf Fahre(const std::string& spektrum, const std::string& makro, const std::string& aus)
    {
        Lauf l;
        const std::string fehlerDatei = Pfad("stderr.txt");
        SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
        HANDLE fehler = CreateFileA(fehlerDatei.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (fehler == INVALID_HANDLE_VALUE) return l;
        std::string befehl = "\"" + programm + "\\run_macro.exe\" \"" + spektrum + "\" \"" + makro + "\" \"" + aus + "\"";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        si.hStdOutput = fehler;
        si.hStdError = fehler;
        PROCESS_INFORMATION pi{};
        const BOOL ok = CreateProcessA(nullptr, &befehl[0], nullptr, nullptr, TRUE, 0, nullptr, ordner.c_str(), &si, &pi);
        CloseHandle(fehler);
        if (!ok) return l;
        if (WaitForSingleObject(pi.hProcess, 120000) != WAIT_OBJECT_0) {
            TerminateProcess(pi.hProcess, 9998);
            WaitForSingleObject(pi.hProcess, 5000);
        }
        GetExitCodeProcess(pi.hProcess, &l.code);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        l.fehler = LiesDatei(fehlerDatei);
        return l;
    }

    // The spectrum opened in this process (through the backup route, which
    // reads it as Open does) into a fresh program window; its window index.
    int Oeffne(const std::string& spektrum)
    {
        hwnd = Starte();
        EXPECT_NE(hwnd, nullptr);
        run_macro::Pump(5);
        boxen.clear();
        antwort = IDOK;
        EXPECT_TRUE(CopyFileA(spektrum.c_str(), Pfad("numsave0.mes").c_str(), FALSE));
        HAUPTDATEN.Befehl(CM_OPEN, LP_REOPEN_BACKUP0);
        run_macro::Pump(30);
        DeleteFileA(Pfad("numsave0.mes").c_str());
        return AktivesFenster;
    }

    // The records of a macro text run directly, each with its values as
    // the prepared dialog values.
    void Direkt(const std::string& makro)
    {
        std::vector<MakroSatz> saetze;
        ASSERT_EQ(MakroTextLesen(makro, saetze), MAKRO_SATZ);
        for (const MakroSatz& s : saetze) {
            for (int i = 0; i < 14; ++i)
                HAUPTDATEN.DialogWerte[i] = i < static_cast<int>(s.Werte.size()) ? s.Werte[i] : 0.0;
            FehlerCode = 0;
            HAUPTDATEN.Befehl(s.Befehl, LP_PREPARED);
            EXPECT_EQ(FehlerCode, 0) << "command " << s.Befehl;
        }
    }

    // Each slot file of the driver against slot s of window w, number by
    // number as the text writer writes them; unfilled slots have no file.
    void VergleicheSlots(const std::string& aus, int w)
    {
        grafik_fenster& g = GrafikFenster[w];
        for (int s = 0; s < 4; ++s) {
            SCOPED_TRACE("slot " + std::to_string(s + 1));
            const std::string datei = aus + "\\slot_" + std::to_string(s + 1) + ".txt";
            const int32_t n = g.DateiInfo.PunkteProKurve[s];
            if (n <= 0) {
                EXPECT_EQ(GetFileAttributesA(datei.c_str()), INVALID_FILE_ATTRIBUTES);
                continue;
            }
            const auto z = Zeilen(LiesDatei(datei));
            ASSERT_EQ(static_cast<int32_t>(z.size()), n);
            for (int32_t i = 0; i < n; ++i) {
                ASSERT_GE(z[i].size(), 2u) << i;
                ASSERT_EQ(z[i][0], Zahl(g.GetXFeld(s)[i])) << "x of point " << i;
                ASSERT_EQ(z[i][1], Zahl(g.GetYFeld(s)[i])) << "y of point " << i;
            }
        }
        EXPECT_EQ(LiesDatei(aus + "\\current.txt"), std::to_string(g.AktuellerSlot() + 1) + "\n");
    }

    std::string Makro(const char* name, const std::string& text)
    {
        Schreibe(name, text);
        return Pfad(name);
    }
};

// A record without fit parameters: command line, MaxParameter,
// MaxFitParameter, model line of a window without a model.
std::string Satz(const std::string& zeile) { return zeile + "\n0\n0\n0,0\n"; }

TEST_F(RunMacro, SectionAndOrdinateWithASlotOperandMatchTheCommandsRunInProcess)
{
    const std::string spektrum = std::string(XAS) + "cu_10k.xmu";
    // The section of the edge region, then y := 0.5 + y - 2 * slot 1.
    const std::string makro = "Makro\n" + Satz("605,8900,9500,0,0") + Satz("607,220,1,0.5,2,101,2,0,220");
    const Lauf l = Fahre(spektrum, Makro("zwei.MAK", makro), Pfad("aus"));
    ASSERT_EQ(l.code, 0u) << l.fehler;

    const int w = Oeffne(spektrum);
    ASSERT_EQ(w, 0);
    Direkt(makro);
    EXPECT_EQ(GrafikFenster[0].AktuellerSlot(), 1);
    EXPECT_EQ(GrafikFenster[0].DateiInfo.PunkteProKurve[2], 0);
    VergleicheSlots(Pfad("aus"), w);

    const std::string zustand = LiesDatei(Pfad("aus\\state.txt"));
    EXPECT_NE(zustand.find("FehlerCode = 0\n"), std::string::npos) << zustand;
    EXPECT_NE(zustand.find("MaxParameter = 0\n"), std::string::npos) << zustand;
    const std::string ergebnis = LiesDatei(Pfad("aus\\results.txt"));
    // The borders of the section are the points nearest to those asked for.
    EXPECT_NE(ergebnis.find("--SECTION  from 8896.409  to 9502.097"), std::string::npos) << ergebnis;
    EXPECT_NE(ergebnis.find("--MODIFY ORDINATE"), std::string::npos) << ergebnis;
    EXPECT_EQ(LiesDatei(Pfad("aus\\messages.txt")), "");
}

struct DatenFall {
    const char* datei;
    std::string makro;
};

void PrintTo(const DatenFall& f, std::ostream* os) { *os << f.datei; }

class RunMacroAufSpektren : public RunMacro, public ::testing::WithParamInterface<DatenFall> {};

// Section, ordinate with slot 1 as operand, abscissa shift to the edge,
// deglitching, noise, function to X/Y graph: the ring goes round once.
INSTANTIATE_TEST_SUITE_P(
    ZweiSpektren, RunMacroAufSpektren,
    ::testing::Values(
        DatenFall{"cu_10k.xmu", "Makro\n" + Satz("605,8900,9500,0,0") + Satz("607,220,1,0.5,2,101,2,0,220") +
                                    Satz("608,220,1,-8979,0,0") + Satz("613,100,110,0,50,200,0") +
                                    Satz("620,0.01,0") + Satz("603,200,-1,0")},
        DatenFall{"EMG003.txt", "Makro\n" + Satz("605,7100,7200,0,0") + Satz("607,227,1,0,1,101,-1,0,220") +
                                    Satz("608,220,1,-7112,0,0") + Satz("613,10,12,0,0,40,0") +
                                    Satz("620,0.005,0") + Satz("603,150,-1,0")}),
    [](const ::testing::TestParamInfo<DatenFall>& i) { return i.index == 0 ? std::string("Cu10K") : std::string("EMG003"); });

TEST_P(RunMacroAufSpektren, EveryDataCommandMatchesTheCommandsRunInProcess)
{
    const DatenFall& f = GetParam();
    const std::string spektrum = std::string(XAS) + f.datei;
    const Lauf l = Fahre(spektrum, Makro("alle.MAK", f.makro), Pfad("aus"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    const int w = Oeffne(spektrum);
    ASSERT_EQ(w, 0);
    Direkt(f.makro);
    for (int s = 0; s < 4; ++s) EXPECT_GT(GrafikFenster[0].DateiInfo.PunkteProKurve[s], 0) << s;
    VergleicheSlots(Pfad("aus"), w);
    EXPECT_EQ(LiesDatei(Pfad("aus\\messages.txt")), "");
}

TEST_F(RunMacro, UnusableInputStopsBeforeAnythingIsWritten)
{
    const std::string spektrum = std::string(XAS) + "cu_10k.xmu";
    const struct {
        const char* name;
        const char* inhalt;   // null: the file is not there
        const char* meldung;
    } faelle[] = {
        {"fehlt.MAK", nullptr, "does not exist"},
        {"fremd.MAK", "Macro\n605,1,2,0\n0\n0\n0,0\n", "is no macro file"},
        {"kaputt.MAK", "Makro\n605,8900,9500,0,0\n0\n", "damaged in line 3"},
        {"zahl.MAK", "Makro\n605,8900,x9500,0,0\n0\n0\n0,0\n", "damaged in line 2"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name);
        if (f.inhalt) Schreibe(f.name, f.inhalt);
        const Lauf l = Fahre(spektrum, Pfad(f.name), Pfad("aus"));
        EXPECT_EQ(l.code, static_cast<DWORD>(run_macro::EXIT_BAD_INPUT));
        EXPECT_NE(l.fehler.find(f.meldung), std::string::npos) << l.fehler;
        EXPECT_EQ(GetFileAttributesA(Pfad("aus").c_str()), INVALID_FILE_ATTRIBUTES) << "the output folder was made";
    }
    const Lauf l = Fahre(std::string(XAS) + "gibt_es_nicht.xmu", Makro("gut.MAK", "Makro\n" + Satz("620,0.01,0")),
                         Pfad("aus"));
    EXPECT_EQ(l.code, static_cast<DWORD>(run_macro::EXIT_BAD_INPUT));
    EXPECT_NE(l.fehler.find("spectrum file"), std::string::npos) << l.fehler;
}

TEST_F(RunMacro, AStepThatFailsNamesItsStepAndCommand)
{
    // The second section lies outside the first one's range.
    const std::string makro = "Makro\n" + Satz("605,8900,9500,0,0") + Satz("605,10000,11000,0,0") +
                              Satz("620,0.01,0");
    const Lauf l = Fahre(std::string(XAS) + "cu_10k.xmu", Makro("falsch.MAK", makro), Pfad("aus"));
    EXPECT_EQ(l.code, static_cast<DWORD>(run_macro::EXIT_STEP_FAILED));
    // The handler's error is only noted for later, and the player clears it
    // at its end: the driver catches it after the step.
    EXPECT_NE(l.fehler.find("step 2 (command 605): Section outside top or bottom border"), std::string::npos)
        << l.fehler;
    EXPECT_NE(l.fehler.find("(FehlerCode 102)"), std::string::npos) << l.fehler;
    // What the window holds is written all the same: the first section and
    // the noise of the third step.
    EXPECT_GT(Zeilen(LiesDatei(Pfad("aus\\slot_2.txt"))).size(), 100u);
    EXPECT_EQ(LiesDatei(Pfad("aus\\current.txt")), "3\n");
}

std::string aufnahmeZiel;
BOOL WINAPI AufnahmeDialog(LPOPENFILENAMEA ofn)
{
    if (aufnahmeZiel.size() >= ofn->nMaxFile) return FALSE;
    std::strcpy(ofn->lpstrFile, aufnahmeZiel.c_str());
    return TRUE;
}

// The records the data commands write, pinned line by line.
TEST_F(RunMacro, DataCommandRecordsMatchTheGoldenMacro)
{
    aufnahmeZiel = Pfad("aufnahme.MAK");
    MakroSpeichernDialog = AufnahmeDialog;
    const int w = Oeffne(std::string(XAS) + "cu_10k.xmu");
    ASSERT_EQ(w, 0);
    ButtonBar.MakroSaveAs();
    ASSERT_EQ(HAUPTDATEN.MakroAufnahme, 1);
    Direkt("Makro\n" + Satz("605,8900,9500,0,0") + Satz("607,220,1,0.5,2,101,2,0,220") +
           Satz("608,220,1,-8979,0,0") + Satz("613,100,110,0,50,200,0") + Satz("620,0.01,0") +
           Satz("603,200,-1,0"));
    ButtonBar.MakroSaveAs();
    MakroSpeichernDialog = GetSaveFileNameA;
    EXPECT_EQ(HAUPTDATEN.MakroAufnahme, 0);
    EXPECT_EQ(LiesDatei(aufnahmeZiel, true), LiesDatei(std::string(HIER) + "data_commands.MAK", true));
}

// ---- the edge energy and the calibration on a measured Cu foil ----

// The window's E0 as the driver's state file gives it.
double E0Aus(const std::string& aus)
{
    const std::string t = LiesDatei(aus + "\\state.txt");
    const size_t p = t.find("Koeffizienten[0] = ");
    return p == std::string::npos ? -1.0 : std::atof(t.c_str() + p + 19);
}

// ln(I0/I) of columns 1, 2, 3 in keV, then the edge search between 8.975
// and 8.982 keV on the second derivative without smoothing.
const char* const CU_MU = "843,1,1,2,3,0,-1,0,0";
const char* const CU_E0 = "811,0,8.975,8.982,0,0,-1";

TEST_F(RunMacro, EdgeOfTheCopperFoilAndItsCalibration)
{
    const std::string cu = std::string(XAS) + "cu_metal_rt.xdi";
    Lauf l = Fahre(cu, Makro("e0.MAK", "Makro\n" + Satz(CU_MU) + Satz(CU_E0)), Pfad("aus"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    // The largest slope of the measured edge lies at 8.9805 keV; the
    // tabulated K edge is 8.979 keV.
    const double e0 = E0Aus(Pfad("aus"));
    EXPECT_NEAR(e0, 8.9805, 0.0005);
    EXPECT_NEAR(e0, 8.979, 0.002);
    CopyFileA(Pfad("aus\\slot_2.txt").c_str(), Pfad("referenz.txt").c_str(), FALSE);
    const auto probe = Zeilen(LiesDatei(Pfad("aus\\slot_2.txt")));

    // Borders without an edge: E0 stays, the replay stops with 1000.
    l = Fahre(cu, Makro("ohne.MAK", "Makro\n" + Satz(CU_MU) + Satz("818,8.5") + Satz("811,0,8.70,8.76,0,0,-1")),
              Pfad("aus"));
    EXPECT_EQ(l.code, static_cast<DWORD>(run_macro::EXIT_STEP_FAILED));
    EXPECT_NE(l.fehler.find("FehlerCode 1000"), std::string::npos) << l.fehler;
    EXPECT_DOUBLE_EQ(E0Aus(Pfad("aus")), 8.5);

    // "Same Spectrum": the edge moves to 8.979 keV.
    l = Fahre(cu, Makro("gleich.MAK", "Makro\n" + Satz(CU_MU) + Satz("848") +
                                          Satz("808,0,8.979,8.975,8.982,0,-1") + Satz(CU_E0)),
              Pfad("aus"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    EXPECT_NEAR(E0Aus(Pfad("aus")), 8.979, 0.0005);

    // "Separate File": the reference path is replayed from the record's
    // text line; the curve that was current keeps its slot.
    const std::string mitDatei = "Makro\n" + Satz(CU_MU) + Satz("846") +
                                 Satz("808,0,8.979,8.975,8.982,0,-1,1") + Pfad("referenz.txt") + "\n" +
                                 Satz(CU_E0);
    l = Fahre(cu, Makro("datei.MAK", mitDatei), Pfad("aus"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    EXPECT_NEAR(E0Aus(Pfad("aus")), 8.979, 0.0005);
    EXPECT_EQ(Zeilen(LiesDatei(Pfad("aus\\slot_2.txt"))), probe);
    EXPECT_EQ(LiesDatei(Pfad("aus\\current.txt")), "4\n");

    // A reference file that is gone stops the replay with 1000.
    l = Fahre(cu, Makro("fehlt.MAK", "Makro\n" + Satz(CU_MU) + Satz("846") +
                                         Satz("808,0,8.979,8.975,8.982,0,-1,1") + Pfad("weg.txt") + "\n"),
              Pfad("aus"));
    EXPECT_EQ(l.code, static_cast<DWORD>(run_macro::EXIT_STEP_FAILED));
    EXPECT_NE(l.fehler.find("FehlerCode 1000"), std::string::npos) << l.fehler;
}

// Column c of the rows of a slot file as numbers.
std::vector<double> Spalte(const std::vector<std::vector<std::string>>& z, size_t c)
{
    std::vector<double> v;
    for (const auto& zeile : z) v.push_back(zeile.size() > c ? std::atof(zeile[c].c_str()) : NAN);
    return v;
}

// The XANES fit of the copper edge: arctangent step, Gaussian (the peak at
// 8.995 keV) and a constant over 8.970-9.000 keV, as 812 records it (the
// section, function 0, the model and its start values).
const char* const CU_XANES_MODELL = ",!,2.6,8.9805,0.0015,1.2,8.995,0.006,-1.33\n6\n6\n3,8,1,7,0\n";

std::string XanesSatz(const char* kopf) { return std::string(kopf) + CU_XANES_MODELL; }

TEST_F(RunMacro, XanesFitOfTheCopperEdgeSetsE0AndCalibrates)
{
    const std::string cu = std::string(XAS) + "cu_metal_rt.xdi";
    Lauf l = Fahre(cu, Makro("xanes.MAK", "Makro\n" + Satz(CU_MU) + XanesSatz("812,8.970,9.000,0,0")), Pfad("aus"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    const double e0 = E0Aus(Pfad("aus"));
    EXPECT_GT(e0, 8.970);
    EXPECT_LT(e0, 9.000);
    // The step of the measured edge lies between its largest slope
    // (8.9805 keV) and the top of the rise.
    EXPECT_NEAR(e0, 8.981, 0.0015);
    EXPECT_EQ(LiesDatei(Pfad("aus\\current.txt")), "2\n");
    // The history names the fit and its functions; the fit's report is there.
    const std::string ergebnis = LiesDatei(Pfad("aus\\results.txt"));
    EXPECT_NE(ergebnis.find(" --DETERMINATION OF E0 - XANES Fit - E0 = "), std::string::npos) << ergebnis;
    EXPECT_NE(ergebnis.find("      2.   Polynomial  - position : "), std::string::npos);

    // "Same Spectrum", the fitted step moved to 8.979 keV: the same fit on
    // the calibrated section finds it there.
    l = Fahre(cu, Makro("kalib.MAK", "Makro\n" + Satz(CU_MU) + Satz("848") +
                                        XanesSatz("802,8.970,9.000,0,8.979") +
                                        XanesSatz("812,8.9685,8.9985,0,0")),
              Pfad("aus"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    EXPECT_NEAR(E0Aus(Pfad("aus")), 8.979, 0.0002);

    // A polynomial as the chosen function: E0 stays and the replay stops.
    l = Fahre(cu, Makro("poly.MAK", "Makro\n" + Satz(CU_MU) + Satz("818,8.5") + XanesSatz("812,8.970,9.000,2,0")),
              Pfad("aus"));
    EXPECT_EQ(l.code, static_cast<DWORD>(run_macro::EXIT_STEP_FAILED));
    EXPECT_NE(l.fehler.find("FehlerCode 1000"), std::string::npos) << l.fehler;
    EXPECT_DOUBLE_EQ(E0Aus(Pfad("aus")), 8.5);
}

TEST_F(RunMacro, CopperFoilCalibratedToItsOwnEdgeOrThereAndBackKeepsItsEnergies)
{
    const std::string cu = std::string(XAS) + "cu_metal_rt.xdi";
    Lauf l = Fahre(cu, Makro("e0.MAK", "Makro\n" + Satz(CU_MU) + Satz(CU_E0)), Pfad("aus"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    char gemessen[40];
    std::snprintf(gemessen, sizeof gemessen, "%.10E", E0Aus(Pfad("aus")));

    // "Same Spectrum" with the new E0 equal to the measured one: the
    // shifted copy (slot 4) has the energies of the spectrum (slot 2).
    l = Fahre(cu, Makro("gleich.MAK", "Makro\n" + Satz(CU_MU) + Satz("848") +
                                          Satz(std::string("808,0,") + gemessen + ",8.975,8.982,0,-1")),
              Pfad("aus"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    auto mu = Zeilen(LiesDatei(Pfad("aus\\slot_2.txt")));
    auto kopie = Zeilen(LiesDatei(Pfad("aus\\slot_4.txt")));
    ASSERT_GT(mu.size(), 100u);
    ASSERT_EQ(kopie.size(), mu.size());
    const std::vector<double> e = Spalte(mu, 0), ek = Spalte(kopie, 0);
    for (size_t i = 0; i < e.size(); ++i) ASSERT_NEAR(ek[i], e[i], 1e-9) << i;
    EXPECT_EQ(Spalte(kopie, 1), Spalte(mu, 1));

    // 845 from 8.9805 to the tabulated 8.979 and back.
    l = Fahre(cu, Makro("hin.MAK", "Makro\n" + Satz(CU_MU) + Satz("845,8.9805,8.979") + Satz("845,8.979,8.9805")),
              Pfad("aus"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    mu = Zeilen(LiesDatei(Pfad("aus\\slot_2.txt")));
    const std::vector<double> hin = Spalte(Zeilen(LiesDatei(Pfad("aus\\slot_3.txt"))), 0);
    const std::vector<double> zurueck = Spalte(Zeilen(LiesDatei(Pfad("aus\\slot_4.txt"))), 0);
    const std::vector<double> e2 = Spalte(mu, 0);
    ASSERT_EQ(hin.size(), e2.size());
    ASSERT_EQ(zurueck.size(), e2.size());
    for (size_t i = 0; i < e2.size(); ++i) {
        ASSERT_NEAR(hin[i], e2[i] + 8.979 - 8.9805, 1e-9) << i;
        ASSERT_NEAR(zurueck[i], e2[i], 1e-9) << i;
    }
    EXPECT_EQ(LiesDatei(Pfad("aus\\current.txt")), "4\n");
}

TEST_F(RunMacro, CopperRawFileWithoutCommentMarksGivesItsAbsorption)
{
    const Lauf l = Fahre(std::string(XAS) + "cu.012", Makro("cu012.MAK", "Makro\n" + Satz(CU_MU)), Pfad("aus"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    const auto z = Zeilen(LiesDatei(Pfad("aus\\slot_2.txt")));
    ASSERT_EQ(z.size(), 612u);
    // First row of the file: 8786.204 eV, I0 393970, I 142967.
    EXPECT_NEAR(std::atof(z[0][0].c_str()), 8.786204, 1e-9);
    EXPECT_NEAR(std::atof(z[0][1].c_str()), std::log(393970.0 / 142967.0), 1e-9);
}

// ---- background removal on the copper foils ----

// Columns of a slot file as numbers.
void Spalten(const std::string& datei, std::vector<double>* x, std::vector<double>* y)
{
    for (const auto& z : Zeilen(LiesDatei(datei)))
        if (z.size() >= 2) {
            x->push_back(std::atof(z[0].c_str()));
            y->push_back(std::atof(z[1].c_str()));
        }
}

std::string AktuellerSlot(const std::string& aus)
{
    std::string n = LiesDatei(aus + "\\current.txt");
    while (!n.empty() && (n.back() == '\n' || n.back() == '\r')) n.pop_back();
    return aus + "\\slot_" + n + ".txt";
}

// R of the first peak of |FT(chi k^2)| over k 3-14 (Kaiser-Bessel, shape 4)
// on the k grid of the EXAFS options, by the numerics library; the R step
// in *schritt.
double ErsterPeak(const std::vector<double>& k, const std::vector<double>& chik2, double* schritt)
{
    const int32_t nk = ExafsOptionen.KPunkte;
    const double dk = (3.14159265358979323846 / ExafsOptionen.RSchritt) / (nk - 1);
    std::vector<double> gx(nk + 5), gy(nk + 5, 0.0), im(nk + 5, 0.0);
    def_zelva z;
    std::vector<double> kx = k, ky = chik2;
    z.SetField(kx.data(), ky.data());
    z.anzahl = static_cast<int32_t>(kx.size());
    for (int32_t j = 0; j < nk; ++j) gx[j] = j * dk;
    z.Splint(nk, gx.data(), gy.data());
    z.SetField(gx.data(), gy.data());
    z.anzahl = nk;
    FTWINDOW w{4, 14.0, 3.0, 4.0, 0.0};
    *schritt = 3.14159265358979323846 / (dk * nk);
    const int32_t m = z.DoCommonFFT(im.data(), -1, &w, nullptr, 0.0, *schritt);
    std::vector<double> b(m);
    double groesst = 0.0;
    for (int32_t j = 0; j < m; ++j) {
        b[j] = std::hypot(gy[j], im[j]);
        if (gx[j] < 6.0) groesst = std::max(groesst, b[j]);
    }
    // The first local maximum above a third of the largest one.
    for (int32_t j = 1; j + 1 < m; ++j)
        if (b[j] > groesst / 3 && b[j] >= b[j - 1] && b[j] >= b[j + 1]) return gx[j];
    return -1.0;
}

// 843, E0 from the second derivative, Victoreen pre-edge, normalisation,
// conversion to k, spline mu0 (11 knots, k^2) and k^2.
std::string KupferKette(const char* e0)
{
    return "Makro\n" + Satz(CU_MU) + Satz(e0) + Satz("803,8.779,8.950,0,0,0,0,0,0") + Satz("804,9.100,10.100") +
           Satz("810,0") + Satz("828,0.5,17.4,0,11,0,2") + Satz("814,2");
}

TEST_F(RunMacro, BackgroundChainOnTheCopperFoilGivesItsFirstShell)
{
    // A copy of the foil in the test's folder: the background file goes to
    // the data folder, the spectrum's own.
    const std::string cu = Pfad("cu_metal_rt.xdi");
    ASSERT_TRUE(CopyFileA((std::string(XAS) + "cu_metal_rt.xdi").c_str(), cu.c_str(), FALSE));
    const std::string kette = KupferKette(CU_E0);
    // Up to the normalisation: the pre-edge lies at 0 within 0.5 % of the step.
    const std::string bisNorm = kette.substr(0, kette.find("810,"));
    Lauf l = Fahre(cu, Makro("norm.MAK", bisNorm), Pfad("aus"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    std::vector<double> e, y;
    Spalten(AktuellerSlot(Pfad("aus")), &e, &y);
    double vor = 0.0, nach = 0.0;
    int nv = 0, nn = 0;
    for (size_t i = 0; i < e.size(); ++i) {
        if (e[i] >= 8.779 && e[i] <= 8.950) vor += y[i], ++nv;
        if (e[i] >= 9.100 && e[i] <= 10.100) nach += y[i], ++nn;
    }
    ASSERT_GT(nv, 5);
    ASSERT_GT(nn, 5);
    vor /= nv, nach /= nn;
    EXPECT_NEAR(nach, 1.0, 1e-9);
    EXPECT_NEAR(vor, 0.0, 0.005 * (nach - vor));
    std::string ergebnisse = LiesDatei(Pfad("aus\\results.txt"));
    ergebnisse.erase(std::remove(ergebnisse.begin(), ergebnisse.end(), '\r'), ergebnisse.end());
    EXPECT_NE(ergebnisse.find("  Victoreen  (Coeff. 0, -3, -4) "), std::string::npos);
    EXPECT_NE(ergebnisse.find("--XAS-NORMALIZATION -\n      - range from 9.1  to  10.1  - zero order = "),
              std::string::npos)
        << ergebnisse;

    // The whole chain, twice: the same slots bit for bit.
    l = Fahre(cu, Makro("kette.MAK", kette), Pfad("aus"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    // The slot files without their first line (the time of writing).
    auto slot = [&](int s) {
        const std::string t = LiesDatei(Pfad("aus") + "\\slot_" + std::to_string(s) + ".txt");
        return t.substr(t.find('\n') + 1);
    };
    std::vector<std::string> erste;
    for (int s = 1; s <= 4; ++s) erste.push_back(slot(s));
    std::vector<double> k, chik2;
    Spalten(AktuellerSlot(Pfad("aus")), &k, &chik2);
    ASSERT_GT(k.size(), 100u);
    double schritt = 0.0;
    EXPECT_NEAR(ErsterPeak(k, chik2, &schritt), 2.2, 0.15);
    // The background file: named after the file, x, mu0 and chi k^2 of the
    // section.
    const auto mue = Zeilen(LiesDatei(Pfad("cu_metal_rt-xdi.mue")));
    ASSERT_GT(mue.size(), 100u);
    for (const auto& z : mue) ASSERT_EQ(z.size(), 3u);
    EXPECT_NEAR(std::atof(mue.front()[0].c_str()), 0.5, 0.1);
    EXPECT_LE(std::atof(mue.back()[0].c_str()), 17.4 + 0.2);
    l = Fahre(cu, Makro("kette.MAK", kette), Pfad("aus"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    for (int s = 1; s <= 4; ++s)
        EXPECT_EQ(slot(s), erste[s - 1]) << s;

    // Two polynomials on the raw spectrum, E0 searched on the replay: finite
    // everywhere, the edge at the steepest rise.
    l = Fahre(cu, Makro("zwei.MAK", "Makro\n" + Satz(CU_MU) + Satz("841,8.779,8.950,0,1,2,0,9.100,10.100")),
              Pfad("aus"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    e.clear(), y.clear();
    Spalten(AktuellerSlot(Pfad("aus")), &e, &y);
    ASSERT_EQ(e.size(), 408u);
    for (double v : y) ASSERT_TRUE(std::isfinite(v));
    EXPECT_NEAR(E0Aus(Pfad("aus")), 8.9805, 0.0005);
    std::string zwei = LiesDatei(Pfad("aus\\results.txt"));
    zwei.erase(std::remove(zwei.begin(), zwei.end(), '\r'), zwei.end());
    EXPECT_NE(zwei.find("    Two Polynomial Fit:\n      pre-edge:  1 from    8.779 to     8.95\n"
                        "      post-edge: 2 from      9.1 to     10.1\n      Edge Jump: mue*x = "),
              std::string::npos)
        << zwei;
}

TEST_F(RunMacro, CopperAt10KMatchesThePeersChi)
{
    const std::string cu = Pfad("cu.012");
    ASSERT_TRUE(CopyFileA((std::string(XAS) + "cu.012").c_str(), cu.c_str(), FALSE));
    const Lauf l = Fahre(cu, Makro("kette.MAK", KupferKette("811,0,8.975,8.985,0,0,-1")), Pfad("aus"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    std::vector<double> k, chik2;
    Spalten(AktuellerSlot(Pfad("aus")), &k, &chik2);
    // The peer's chi k^2 (fourth column).
    std::vector<double> pk, pchik2;
    for (const auto& z : Zeilen(LiesDatei(std::string(XAS) + "Copper.chik")))
        if (z.size() >= 4) {
            pk.push_back(std::atof(z[0].c_str()));
            pchik2.push_back(std::atof(z[3].c_str()));
        }
    ASSERT_GT(pk.size(), 400u);
    double schritt = 0.0;
    const double r = ErsterPeak(k, chik2, &schritt), rPeer = ErsterPeak(pk, pchik2, &schritt);
    EXPECT_GT(rPeer, 2.0);
    EXPECT_LE(std::fabs(r - rPeer), schritt + 1e-9) << r << " " << rPeer;
}

}  // namespace

// A section around the LaB6 (100) reflection of a synchrotron pattern (2
// theta in centidegrees), then a fit of a pseudo-Voigt on a straight line
// started by the peak search: the position lies at the Bragg angle of the
// reflection, 5.6966 degrees, within the step of the pattern (the data
// maximum is at 5.6960 degrees).
TEST_F(RunMacro, LanthanumHexaborideReflectionFit)
{
    const Lauf l = Fahre(std::string(HIER) + "data/lab6_100_excerpt.fxye", std::string(HIER) + "lab6_peak.MAK",
                         Pfad("aus"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    const std::string zustand = LiesDatei(Pfad("aus\\state.txt"));
    const size_t p = zustand.find("FitParameters[1] = ");
    ASSERT_NE(p, std::string::npos) << zustand;
    EXPECT_NEAR(std::atof(zustand.c_str() + p + 19), 569.60, 0.05);
    const std::string ergebnis = LiesDatei(Pfad("aus\\results.txt"));
    EXPECT_NE(ergebnis.find("--LEAST-SQUARES FIT"), std::string::npos);
    EXPECT_NE(ergebnis.find(" Pseudo Voigt "), std::string::npos);
}


#ifdef KORLAN_SHARED_DATA
// The measured LaB6 pattern (NIST SRM 660a, 11-BM, 41.3128 pm): x from
// centidegrees to degrees, then the peak search with prepared values
// (pseudo-Voigt, limit 10 %). The first ten lines of the cell a = 4.15692 A.
TEST_F(RunMacro, PeakSearchOnTheMeasuredLaB6Pattern)
{
    const std::string lab6 = std::string(KORLAN_SHARED_DATA) + "xrd/11bmb_3844.fxye";
    const Lauf l = Fahre(lab6, Makro("lab6.MAK", "Makro\n" + Satz("608,220,0.01,0,0,0") +
                                                     Satz("904,41.3128,10,0,0,0,1")),
                         Pfad("aus"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    const std::string t = LiesDatei(Pfad("aus\\results.txt"));
    ASSERT_NE(t.find("-- X-RAY DIFFRACTION : PEAK SEARCH"), std::string::npos);
    const double soll[10] = {5.6966, 8.0595, 9.8749, 11.4073, 12.7591, 13.9827, 16.1593, 17.1466, 18.0817, 18.9722};
    size_t p = t.find('\n', t.find("-------"));
    for (int i = 0; i < 10; ++i) {
        int nummer = 0, gelesen = 0;
        double zweiTheta = 0, theta = 0, d = 0;
        ASSERT_EQ(std::sscanf(t.c_str() + p, " %d %lf %lf %lf%n", &nummer, &zweiTheta, &theta, &d, &gelesen), 4) << i;
        p = t.find('\n', p + gelesen);
        EXPECT_EQ(nummer, i + 1);
        EXPECT_NEAR(zweiTheta, soll[i], 0.002) << i;
        // The listed d to its five digits: lambda / (2 sin theta).
        EXPECT_NEAR(d, 41.3128 / (2.0 * std::sin(zweiTheta / 2.0 * 3.14159265358979323846 / 180.0)), 0.0005 * d) << i;
    }
    // 310 and 311 lie beyond point 35,000: the whole pattern was kept.
    EXPECT_NE(t.find("data points : 132992"), std::string::npos);
}
#endif
// The Cu foil's edge: the spline respaces it to 2,600 points, the first
// derivative follows on that spacing and the search keeps its highest
// maximum. Central differences on the file's own points put the steepest
// rise at the same energy.
TEST_F(RunMacro, CopperEdgeFromSplineDerivativeAndMaximum)
{
    const std::string spektrum = std::string(XAS) + "cu_10k.xmu";
    const Lauf l = Fahre(spektrum, std::string(HIER) + "edge_derivative.MAK", Pfad("aus"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    const std::string ergebnis = LiesDatei(Pfad("aus\\results.txt"));
    EXPECT_NE(ergebnis.find("--SPLINE-INTERPOLATION   - points : 2600  - ( active : 2 )"), std::string::npos)
        << ergebnis;
    EXPECT_NE(ergebnis.find("--DIFFERENTIATION - of data array 1. derivative    (active : 3 )"), std::string::npos);
    const std::string marke = "      1. Max/Min\t    X =  ";
    const size_t p = ergebnis.find(marke);
    ASSERT_NE(p, std::string::npos) << ergebnis;
    EXPECT_EQ(ergebnis.find("      2. Max/Min"), std::string::npos);
    const double kante = std::atof(ergebnis.c_str() + p + marke.size());
    EXPECT_NEAR(kante, 8977.6, 0.5);

    // Central differences on the file's points.
    std::vector<double> x, y;
    std::istringstream datei(LiesDatei(spektrum));
    for (std::string z; std::getline(datei, z);) {
        if (z.empty() || z[0] == '#') continue;
        double a = 0, b = 0;
        if (std::sscanf(z.c_str(), "%lf %lf", &a, &b) == 2) {
            x.push_back(a);
            y.push_back(b);
        }
    }
    ASSERT_GT(x.size(), 600u);
    size_t best = 1;
    for (size_t i = 1; i + 1 < x.size(); ++i)
        if ((y[i + 1] - y[i - 1]) / (x[i + 1] - x[i - 1]) > (y[best + 1] - y[best - 1]) / (x[best + 1] - x[best - 1]))
            best = i;
    EXPECT_NEAR(kante, x[best], 0.5);
    EXPECT_EQ(LiesDatei(Pfad("aus\\messages.txt")), "");
}

// ---- the Fourier transformation ----

TEST_F(RunMacro, RecordedFourierTransformReplaysToTheSlotsOfTheDialogRun)
{
    // The transform chosen in its dialog on the copper foil's chi(k) while
    // recording, then the macro replayed by the driver.
    const std::string spektrum = std::string(XAS) + "Copper.chik";
    // The file's six columns open the column dialog, which the driver
    // closes with Cancel: here too.
    int w = -1;
    MitDialogen({Druecke(IDCANCEL)}, [&] { w = Oeffne(spektrum); });
    ASSERT_EQ(w, 0);
    const std::string makro = Pfad("fourier.MAK");
    Schreibe("fourier.MAK", "Makro\n");
    std::snprintf(ButtonBar.MakroPfad, sizeof ButtonBar.MakroPfad, "%s", makro.c_str());
    HAUPTDATEN.MakroAufnahme = 1;
    FehlerCode = 0;
    EXPECT_TRUE(MitDialogen({SetzeText(58, "3"), SetzeText(59, "14"), Waehle(205), SetzeText(502, "1000"),
                             Druecke(IDOK)},
                            [] { HAUPTDATEN.Befehl(506, 0); }));
    HAUPTDATEN.MakroAufnahme = 0;
    ButtonBar.MakroPfad[0] = '\0';
    EXPECT_EQ(FehlerCode, 0);
    ASSERT_EQ(GrafikFenster[w].AktuellerSlot(), 2);
    EXPECT_EQ(GrafikFenster[w].KurvenFlags[2], 5u);
    // One record of 11 values: forward, 1000 zeros, Hanning 3 ... 14.
    const std::string text = LiesDatei(makro);
    EXPECT_EQ(text.find("506,1,1000,5,3,14,20,"), 6u) << text;

    const Lauf l = Fahre(spektrum, makro, Pfad("aus"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    VergleicheSlots(Pfad("aus"), w);
    const std::string ergebnis = LiesDatei(Pfad("aus\\results.txt"));
    EXPECT_NE(ergebnis.find("--FOURIER TRANSFORM  -   window : Hanning - Beta : 20 - from : 3  to : 14 -   (active : 3 )"),
              std::string::npos)
        << ergebnis;
}

// The copper foil's chi(k) from 3 to 14 forward and back with square
// windows (fourier_roundtrip.MAK): the back transform is the transformed
// grid again, on the same abscissae.
TEST_F(RunMacro, FourierForwardAndBackGiveTheGriddedCopperChiAgain)
{
    const Lauf l = Fahre(std::string(XAS) + "Copper.chik", std::string(HIER) + "fourier_roundtrip.MAK", Pfad("aus"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    const auto gitter = Zeilen(LiesDatei(Pfad("aus\\slot_2.txt")));
    const auto zurueck = Zeilen(LiesDatei(Pfad("aus\\slot_4.txt")));
    // 221 points from 3 to 14 on 256 grid points of 11 / 255.
    ASSERT_EQ(gitter.size(), 256u);
    ASSERT_EQ(zurueck.size(), 256u);
    double groesst = 0.0;
    for (const auto& z : gitter) groesst = std::max(groesst, std::fabs(std::atof(z[1].c_str())));
    ASSERT_GT(groesst, 0.1);
    for (size_t i = 0; i < gitter.size(); ++i) {
        EXPECT_NEAR(std::atof(zurueck[i][0].c_str()), std::atof(gitter[i][0].c_str()), 1e-7) << i;
        EXPECT_NEAR(std::atof(zurueck[i][1].c_str()), std::atof(gitter[i][1].c_str()), 1e-7 * groesst) << i;
    }
    EXPECT_NEAR(std::atof(gitter[0][0].c_str()), 3.0, 1e-9);
    EXPECT_NEAR(std::atof(gitter.back()[0].c_str()), 14.0, 1e-7);
}
// The real dispersive Fe K spectrum EMG003 (data/SOURCES.md of
// app/series) sampled on a diode axis through E(d) = 7.08 + 1.4e-4 d +
// 1e-8 d^2 keV and converted back by a replayed 821.
TEST_F(RunMacro, DxasConversionOfEmg003OnItsDiodeAxis)
{
    std::vector<double> e, mu;
    std::istringstream emg(LiesDatei(KORLAN_TEST_DIR "/app/series/data/EMG003.txt"));
    for (std::string z; std::getline(emg, z);) {
        double a = 0, b = 0;
        if (!z.empty() && z[0] != '#' && std::sscanf(z.c_str(), "%lf %lf", &a, &b) == 2) {
            e.push_back(a / 1000.0);
            mu.push_back(b);
        }
    }
    ASSERT_EQ(e.size(), 1128u);
    def_zelva z;
    std::vector<double> y2(e.size());
    z.SetField(e.data(), mu.data());
    z.SetAnzahl(static_cast<int32_t>(e.size()), -1, -1);
    z.spline(y2.data());
    const std::string spektrum = Pfad("emg003_dioden.txt");
    {
        std::ofstream aus(spektrum);
        for (int d = 0; d < 1128; ++d)
            aus << d << " " << Zahl(z.helpsplint(7.08 + 1.4e-4 * d + 1e-8 * d * d, y2.data())) << "\n";
    }
    const Lauf l = Fahre(spektrum, std::string(HIER) + "dxas_convert.MAK", Pfad("aus"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    const auto ein = Zeilen(LiesDatei(spektrum));
    const auto neu = Zeilen(LiesDatei(Pfad("aus\\slot_2.txt")));
    ASSERT_EQ(neu.size(), 1128u);
    for (int d = 0; d < 1128; ++d) {
        ASSERT_NEAR(std::atof(neu[d][0].c_str()), 7.08 + 1.4e-4 * d + 1e-8 * d * d, 1e-9) << d;
        ASSERT_NEAR(std::atof(neu[d][1].c_str()), std::atof(ein[d][1].c_str()), 1e-9) << d;
    }
    const std::string ergebnis = LiesDatei(Pfad("aus\\results.txt"));
    const size_t p = ergebnis.find("--: emg003_dioden.txt --DEXAFS conversion -");
    ASSERT_NE(p, std::string::npos) << ergebnis;
    EXPECT_NE(ergebnis.find("      Polynome : C(1)= 7.08, C(2)= 0.00014, C(3)= 1E-08  - (active : 2 )", p),
              std::string::npos)
        << ergebnis;
}
// ---- series: multi-column files built, averaged and read column by column ----

namespace {

const char* const SERIE = KORLAN_TEST_DIR "/app/series/data/";
const char* const ZEITREIHE[] = {"series_t0.12.dat", "series_t2.42.dat", "series_t4.73.dat",
                                 "series_t7.03.dat", "series_t9.33.dat", "series_t20.dat",
                                 "series_t33.dat",   "series_t720.dat"};

std::vector<std::vector<double>> ZweiSpalten(const std::string& text)
{
    std::vector<std::vector<double>> z(2);
    std::istringstream ein(text);
    for (std::string zeile; std::getline(ein, zeile);) {
        double a, b;
        if (!zeile.empty() && zeile[0] != '#' && std::sscanf(zeile.c_str(), "%lf %lf", &a, &b) == 2) {
            z[0].push_back(a);
            z[1].push_back(b);
        }
    }
    return z;
}

}  // namespace

// 623 writes the eight Au L3 spectra as a multi-column file and 624
// averages them, both replayed from records that name their files.
TEST_F(RunMacro, SeriesOfEightSpectraAsFileAndAverage)
{
    std::string dateien;
    for (const char* n : ZEITREIHE) dateien += run_macro::WindowsPath(std::string(SERIE) + n) + "|";
    const std::string erste = std::string(SERIE) + ZEITREIHE[0];
    const std::string ziel = Pfad("acht.dxa");
    const std::string makro = "Makro\n" + Satz("623,0,1,-1,1,8.979,0,-1,0,0,5") + ziel + "|" + dateien + "\n" +
                              Satz("624,0,1,-1,1,8.979,0,-1,0,0,5") + "|" + dateien + "\n";
    const Lauf l = Fahre(erste, Makro("serie.MAK", makro), Pfad("aus"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    EXPECT_EQ(LiesDatei(Pfad("aus\\messages.txt")), "");

    const std::string kopf = LiesDatei(ziel, true);
    ASSERT_GT(kopf.size(), 250u);
    auto wort = [&](int i) { return static_cast<int>(static_cast<uint8_t>(kopf[2 * i]) | (static_cast<uint8_t>(kopf[2 * i + 1]) << 8)); };
    EXPECT_EQ(wort(0), 6666);
    EXPECT_EQ(wort(1), 9999);
    EXPECT_EQ(wort(2), 0);
    EXPECT_EQ(wort(10), 267);
    EXPECT_EQ(wort(11), 9);
    EXPECT_EQ(kopf.size(), 250u + 9u * (40u + 4u * 267u));

    // Slot 2 holds the last column, slot 3 the average, both on the grid
    // of the first file cut to the range every file covers.
    const auto spalte = ZweiSpalten(LiesDatei(Pfad("aus\\slot_2.txt")));
    const auto mittel = ZweiSpalten(LiesDatei(Pfad("aus\\slot_3.txt")));
    ASSERT_EQ(spalte[0].size(), 267u);
    ASSERT_EQ(mittel[0].size(), 267u);
    EXPECT_NEAR(mittel[0].front(), 11729.950464, 1e-6);
    EXPECT_NEAR(mittel[0].back(), 12460.237571, 1e-6);
    std::vector<double> soll(267, 0.0), v(267);
    for (const char* n : ZEITREIHE) {
        const auto k = ZweiSpalten(LiesDatei(std::string(SERIE) + n));
        SplineAufGitter(k[0].data(), k[1].data(), static_cast<int32_t>(k[0].size()), mittel[0].data(), 267, v.data());
        for (int i = 0; i < 267; ++i) soll[i] += v[i] / 8.0;
    }
    for (int i = 0; i < 267; ++i) {
        ASSERT_NEAR(mittel[1][i], soll[i], 1e-6) << i;
        ASSERT_NEAR(spalte[1][i], v[i], 1e-6 * (1.0 + std::fabs(v[i]))) << i;
    }
    const std::string ergebnis = LiesDatei(Pfad("aus\\results.txt"));
    EXPECT_NE(ergebnis.find("grid cut to 11729.95 to 12460.238 by series_t9.33.dat and series_t20.dat"),
              std::string::npos)
        << ergebnis;
}

// The column average of a dispersive file built from the measured Fe K
// spectrum EMG003 (I0 drifting 8 % between its two readings), the header
// values and a failing record that names its file.
TEST_F(RunMacro, ColumnAverageAndHeaderValuesOfADispersiveFile)
{
    const auto emg = ZweiSpalten(LiesDatei(std::string(XAS) + "EMG003.txt"));
    const int n = static_cast<int>(emg[1].size());
    ASSERT_EQ(n, 1128);
    const int K = 12;
    std::vector<std::vector<double>> s(K);
    std::vector<std::vector<int16_t>> bloecke;
    for (int i = 0; i < n; ++i) s[0].push_back(i);
    for (int k = 2; k <= K; ++k) {
        for (int i = 0; i < n; ++i) {
            const double i0a = 20000.0 + 3000.0 * std::sin(0.004 * i), dunkel = 150.0 + 0.01 * i;
            const double i0 = i0a * (1.0 + 0.08 * (k - 2) / double(K - 4));
            s[k - 1].push_back(k == 3 ? dunkel : (k == 2 || k == K - 2) ? dunkel + i0 : dunkel + i0 * std::exp(-emg[1][i]));
        }
        std::vector<int16_t> b(20, 0);
        b[1] = static_cast<int16_t>(10 * k);
        b[2] = static_cast<int16_t>(300 + k);
        bloecke.push_back(b);
    }
    const double koeff[3] = {0, 0, 0};
    const std::string datei = Pfad("dxas.dxa");
    ASSERT_TRUE(SchreibeMcDatei(datei.c_str(), s, koeff, "dxas.dxa", &bloecke));
    const std::string makro = "Makro\n" + Satz("827,0,1") + "5,7,9\n" + Satz("826,1") + Satz("827,0,-1") + "4\n";
    const Lauf l = Fahre(datei, Makro("dxas.MAK", makro), Pfad("aus"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    const auto mu = ZweiSpalten(LiesDatei(Pfad("aus\\slot_2.txt")));
    ASSERT_EQ(mu[1].size(), static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) ASSERT_NEAR(mu[1][i], emg[1][i], 1e-5) << i;
    const auto zeit = ZweiSpalten(LiesDatei(Pfad("aus\\slot_3.txt")));
    ASSERT_EQ(zeit[1].size(), static_cast<size_t>(K - 1));
    for (int k = 2; k <= K; ++k) EXPECT_EQ(zeit[1][k - 2], 10 * k);
    const auto spalte4 = ZweiSpalten(LiesDatei(Pfad("aus\\slot_4.txt")));
    ASSERT_EQ(spalte4[1].size(), static_cast<size_t>(n));
    for (int i = 0; i < n; i += 97) EXPECT_NEAR(spalte4[1][i], s[3][i], 1e-3 * s[3][i]);

    // A series whose file is missing stops at that step and names the file.
    const std::string fehlt = run_macro::WindowsPath(Pfad("fehlt.dat"));
    const Lauf f = Fahre(std::string(SERIE) + ZEITREIHE[0],
                         Makro("fehlt.MAK", "Makro\n" + Satz("624,0,1,-1,1,8.979,0,-1,0,0,5") + "|" +
                                                run_macro::WindowsPath(std::string(SERIE) + ZEITREIHE[1]) + "|" +
                                                fehlt + "|\n"),
                         Pfad("aus2"));
    EXPECT_EQ(f.code, static_cast<DWORD>(run_macro::EXIT_STEP_FAILED)) << f.fehler;
    EXPECT_NE(LiesDatei(Pfad("aus2\\messages.txt")).find("fehlt.dat"), std::string::npos);
}

// ---- the first shell of the copper foil, refined in R space ----
//
// chi(k) k^2 from the background chain above, transformed over k 3-17
// (Kaiser-Bessel, shape 4) as the Fourier command leaves its slots, and
// path 1 of FEFF's copper cluster (feff0001.dat beside a one-row
// files.dat) refined over R 1.4-3.0 with N fixed at 12.

namespace {

// Value at x0 of the least-squares quadratic through the points within [a, b].
double QuadratBei(const std::vector<double>& x, const std::vector<double>& y, double a, double b, double x0)
{
    double m[3][4] = {};
    for (size_t i = 0; i < x.size(); ++i) {
        if (x[i] < a || x[i] > b) continue;
        const double t = x[i] - x0, p[3] = {1.0, t, t * t};
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c) m[r][c] += p[r] * p[c];
            m[r][3] += p[r] * y[i];
        }
    }
    for (int c = 0; c < 3; ++c)
        for (int r = c + 1; r < 3; ++r) {
            const double f = m[r][c] / m[c][c];
            for (int j = c; j < 4; ++j) m[r][j] -= f * m[c][j];
        }
    double z[3];
    for (int r = 2; r >= 0; --r) {
        z[r] = m[r][3];
        for (int j = r + 1; j < 3; ++j) z[r] -= m[r][j] * z[j];
        z[r] /= m[r][r];
    }
    return z[0];
}

// y of the natural spline through (x, y) at each of xs, by the library.
std::vector<double> Spline(std::vector<double> x, std::vector<double> y, std::vector<double> xs)
{
    std::vector<double> aus(xs.size());
    def_zelva z;
    z.SetField(x.data(), y.data());
    z.anzahl = static_cast<int32_t>(x.size());
    z.Splint(static_cast<int32_t>(xs.size()), xs.data(), aus.data());
    return aus;
}

struct ErsteSchale {
    double s02 = 0, e0 = 0, dr = 0, sigma2 = 0;
    int32_t zustand = 0;
};

class RunMacroExafs : public RunMacro {
protected:
    // The refinement in this process, on window w of the program.
    ErsteSchale Verfeinere(int w, const std::vector<double>& k, const std::vector<double>& chik2)
    {
        ErsteSchale e;
        AktivesFenster = w;
        grafik_fenster& g = GrafikFenster[w];
        const int32_t nk = ExafsOptionen.KPunkte;
        const double dk = 3.14159265358979323846 / (ExafsOptionen.RSchritt * (nk - 1));
        std::vector<double> gitter;
        for (int i = 0; i < nk && 3.0 + i * dk <= k.back(); ++i) gitter.push_back(3.0 + i * dk);
        const std::vector<double> chi = Spline(k, chik2, gitter);
        const int m = static_cast<int>(gitter.size());
        for (int i = 0; i < m; ++i) {
            g.GetXFeld(0)[i] = gitter[i];
            g.GetYFeld(0)[i] = chi[i];
        }
        g.FTFenster = FTWINDOW{4, 17.0, 3.0, 4.0, 0.0};
        // The Fourier command's slots: complex transform, then |FT|, 0-6 A.
        std::vector<double> kx(nk), v(nk, 0.0), im(nk, 0.0);
        for (int i = 0; i < nk; ++i) kx[i] = 3.0 + i * dk;
        for (int i = 0; i < m; ++i) v[i] = chi[i];
        v[m] = v[m - 1];
        for (int i = 0; i < nk; ++i)
            if (kx[i] >= 17.0) v[i] = 0.0;
        def_zelva z;
        z.SetField(kx.data(), v.data());
        z.anzahl = nk;
        FTWINDOW f = g.FTFenster;
        const int np = z.DoCommonFFT(im.data(), -1, &f, nullptr, 2.0, 3.14159265358979323846 / (dk * nk));
        int n = 0;
        while (n < np && kx[n] <= 6.0) ++n;
        for (int s = 1; s <= 2; ++s) {
            for (int i = 0; i < n; ++i) {
                g.GetXFeld(s)[i] = kx[i];
                g.GetYFeld(s)[i] = s == 1 ? v[i] : std::hypot(v[i], im[i]);
                g.GetYFeld(s)[n + i] = s == 1 ? im[i] : 0.0;
            }
        }
        for (int s = 0; s < 4; ++s) {
            g.DateiInfo.PunkteProKurve[s] = s == 0 ? m : s < 3 ? n : 0;
            g.KurvenFlags[s] = s == 0 ? 0 : SLOT_KOMPLEX;
        }
        g.KurvenZaehler = g.NeuesterZaehler = 2;
        g.SetFullBorder();

        // [S0^2, path 1]: N fixed at 12.
        Schreibe("files.dat", " title\n    file        sig2   amp ratio    deg    nlegs  r effective\n"
                                "feff0001.dat 0.00000 100.000 12.000 2 2.5478\n");
        CopyFileA(KORLAN_TEST_DIR "/app/xas/data/cu_feff6_larch/feff0001.dat", Pfad("feff0001.dat").c_str(), FALSE);
        FeffPfadFreigeben(&FeffPfade[1]);
        FeffPfade[1].Pfadnummer = 1;
        std::snprintf(FeffPfade[1].FilesDatPfad, sizeof FeffPfade[1].FilesDatPfad, "%s", Pfad("files.dat").c_str());
        DeltaRModus = -1;
        g.AnzahlFunktionen = 2;
        g.FunktionsTypen[0] = 25;
        g.FunktionsTypen[1] = 21;
        const double start[5] = {0.9, 12.0, 2.5478, 0.008, 0.0};
        std::copy(start, start + 5, g.Parameter);
        FitFunctionTypes = g.FunktionsTypen;
        FitParameters = g.Parameter;
        FitFunctionCount = 2;
        FitPolyDegree = g.PolyGrad = 0;
        ResetModelTables();
        FixParameter(1);
        const double dw[14] = {21, -1, 1, 2, 1.4, 3.0, -1, -1, -1, 1, 1, -1, -1, 0};
        std::copy(dw, dw + 14, HAUPTDATEN.DialogWerte);
        HAUPTDATEN.FitErneuerung[0] = 1;
        HAUPTDATEN.MakroSchrittAktiv = 1;
        FehlerCode = 0;
        HAUPTDATEN.Befehl(807, LP_PREPARED);
        EXPECT_EQ(FehlerCode, 0);
        MSG msg;
        for (int i = 0; i < 300; ++i) {
            while (PeekMessageA(&msg, hwnd, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {}
            HAUPTDATEN.Befehl(507, LP_PREPARED);
            if (HAUPTDATEN.FitZustand != 1) break;
        }
        e.zustand = HAUPTDATEN.FitZustand;
        HAUPTDATEN.Befehl(CM_FIT_CANCEL, 0);
        HAUPTDATEN.MakroSchrittAktiv = 0;
        e.s02 = g.Parameter[0];
        e.dr = g.Parameter[2] - 2.5478;
        e.sigma2 = g.Parameter[3];
        e.e0 = g.Parameter[4];
        FeffPfadFreigeben(&FeffPfade[1]);
        return e;
    }
};

}  // namespace

TEST_F(RunMacroExafs, FirstShellOfTheCopperFoilInRSpace)
{
    const std::string cu = Pfad("cu_metal_rt.xdi");
    ASSERT_TRUE(CopyFileA((std::string(XAS) + "cu_metal_rt.xdi").c_str(), cu.c_str(), FALSE));
    const std::string kette = KupferKette(CU_E0);
    // The edge step of the normalised curve: a quadratic over the
    // normalisation section, taken at E0.
    Lauf l = Fahre(cu, Makro("norm.MAK", kette.substr(0, kette.find("810,"))), Pfad("aus"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    std::vector<double> e, y;
    Spalten(AktuellerSlot(Pfad("aus")), &e, &y);
    const double e0 = E0Aus(Pfad("aus"));
    const double stufe = QuadratBei(e, y, 9.100, 10.100, e0);
    ASSERT_GT(stufe, 0.5);
    // chi(k) k^2 and mu0 of the whole chain.
    l = Fahre(cu, Makro("kette.MAK", kette), Pfad("aus"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    std::vector<double> k, chik2, mk, mu0;
    Spalten(AktuellerSlot(Pfad("aus")), &k, &chik2);
    Spalten(Pfad("cu_metal_rt-xdi.mue"), &mk, &mu0);
    ASSERT_GT(k.size(), 100u);
    ASSERT_GT(mk.size(), 100u);
    // chi in the convention of a constant edge step: times mu0(k) / step.
    const std::vector<double> mu0k = Spline(mk, mu0, k);
    std::vector<double> konstant(k.size());
    for (size_t i = 0; i < k.size(); ++i) konstant[i] = chik2[i] * mu0k[i] / stufe;

    // A window of the program in this process, whose slots take the curves.
    const int w = Oeffne(std::string(XAS) + "cu_10k.xmu");
    ASSERT_GE(w, 0);
    const ErsteSchale a = Verfeinere(w, k, konstant);
    EXPECT_EQ(a.zustand, -1);
    EXPECT_NEAR(a.s02, 0.93, 0.08);
    EXPECT_NEAR(a.e0, 4.4, 1.0);
    EXPECT_NEAR(a.dr, -0.006, 0.005);
    EXPECT_NEAR(a.sigma2, 0.0087, 0.0006);
    // The system's own chi = (mu - mu0) / mu0.
    const ErsteSchale b = Verfeinere(w, k, chik2);
    EXPECT_EQ(b.zustand, -1);
    EXPECT_NEAR(b.s02, 0.93, 0.10);
    EXPECT_NEAR(b.e0, 4.4, 1.0);
    EXPECT_NEAR(b.dr, -0.006, 0.005);
    const double weniger = a.sigma2 - b.sigma2;
    EXPECT_GE(weniger, 0.0003);
    EXPECT_LE(weniger, 0.0012);
    std::printf("constant step: S0^2 %.4f dE0 %.3f dR %.5f sigma^2 %.5f\n"
                "mu0(k):        S0^2 %.4f dE0 %.3f dR %.5f sigma^2 %.5f (sigma^2 lower by %.5f)\n",
                a.s02, a.e0, a.dr, a.sigma2, b.s02, b.e0, b.dr, b.sigma2, weniger);
}

// The same refinement with every step played by run_macro.exe: the chain
// to chi(k) k^2, the XAFS transform (815: k 3-17, Kaiser-Bessel shape 4,
// k^2), the magnitude made current (164, as the transform's own posted
// step records it), and the 807 record with its FEFF block, which the
// driver runs to the end of the fit. The parameters come from state.txt.

namespace {

// Value of "name = value" in the driver's state.txt; NaN when missing.
double Zustand(const std::string& text, const std::string& name)
{
    const std::string such = name + " = ";
    const size_t p = text.find(such);
    return p == std::string::npos ? std::nan("") : std::atof(text.c_str() + p + such.size());
}

ErsteSchale AusZustand(const std::string& aus)
{
    const std::string t = LiesDatei(aus + "\\state.txt");
    ErsteSchale e;
    e.s02 = Zustand(t, "FitParameters[0]");
    e.dr = Zustand(t, "FitParameters[2]") - 2.5478;
    e.sigma2 = Zustand(t, "FitParameters[3]");
    e.e0 = Zustand(t, "FitParameters[4]");
    EXPECT_EQ(Zustand(t, "FitParameters[1]"), 12.0) << t;
    EXPECT_EQ(Zustand(t, "FehlerCode"), 0.0) << t;
    // The errors of the free parameters are there, that of the fixed N is not.
    EXPECT_GT(Zustand(t, "FitErrors[3]"), 0.0) << t;
    EXPECT_EQ(Zustand(t, "FitErrors[1]"), 0.0) << t;
    return e;
}

}  // namespace

TEST_F(RunMacroExafs, FirstShellOfTheCopperFoilInRSpaceThroughTheDriver)
{
    const std::string cu = Pfad("cu_metal_rt.xdi");
    ASSERT_TRUE(CopyFileA((std::string(XAS) + "cu_metal_rt.xdi").c_str(), cu.c_str(), FALSE));
    Schreibe("files.dat", " title\n    file        sig2   amp ratio    deg    nlegs  r effective\n"
                          "feff0001.dat 0.00000 100.000 12.000 2 2.5478\n");
    ASSERT_TRUE(CopyFileA(KORLAN_TEST_DIR "/app/xas/data/cu_feff6_larch/feff0001.dat", Pfad("feff0001.dat").c_str(),
                          FALSE));
    // FEFF's paths.dat for path 1, with the geometry the path file names.
    Schreibe("paths.dat", " Cu  metal  fcc a=3.603\n"
                          " ---------------------------------------------------------------\n"
                          "     1    2  12.000  index, nleg, degeneracy, r=   2.5478\n"
                          "      x           y           z     ipot  label      rleg      beta        eta\n"
                          "     0.000000   -1.801600    1.801600  1 'Cu        '     2.5478  180.0000    0.0000\n"
                          "     0.000000    0.000000    0.000000  0 'Cu        '     2.5478  180.0000    0.0000\n");

    // The 807 record: [S0^2, path 1] from the start values, N fixed at 12,
    // R space over 1.4-3.0, k weight 2; its tables as the model's
    // commands leave them in the program, its FEFF block by hand.
    std::string verfeinerung;
    {
        const int w = Oeffne(std::string(XAS) + "cu_10k.xmu");
        ASSERT_GE(w, 0);
        grafik_fenster& g = GrafikFenster[w];
        g.AnzahlFunktionen = 2;
        g.FunktionsTypen[0] = 25;
        g.FunktionsTypen[1] = 21;
        const double start[5] = {0.9, 12.0, 2.5478, 0.008, 0.0};
        std::copy(start, start + 5, g.Parameter);
        FitFunctionTypes = g.FunktionsTypen;
        FitParameters = g.Parameter;
        FitFunctionCount = 2;
        FitPolyDegree = g.PolyGrad = 0;
        ASSERT_EQ(ResetModelTables(), 5);
        ASSERT_EQ(FixParameter(1), 1);
        const double dw[14] = {21, -1, 1, 2, 1.4, 3.0, -1, -1, -1, 1, 1, -1, -1, 0};
        MakroQuellen q{dw, FitParameters, FitFunctionTypes, FitFunctionCount, FitPolyDegree, MaxParameter,
                       MaxFitParameter, FreeParameterList, ParameterFlags, CorrelationWords,
                       CorrelationConstants, CommandText2};
        MakroSatz s;
        ASSERT_EQ(MakroSatzAufnehmen(s, 807, 14, MaxParameter, q), MAKRO_SATZ);
        ASSERT_TRUE(MakroHatFeffTeil(s));
        s.Feff.Quelltexte = {Pfad("files.dat")};
        s.Feff.SatzKoeffizienten.assign(FEFF_SATZ_WERTE, 0.0);
        s.Feff.SatzFlags.assign(FEFF_SATZ_WERTE, 0);
        s.Feff.ListenPositionen = {0};
        s.Feff.PfadNummern = {1};
        s.Feff.SatzNummern = {0};
        ASSERT_EQ(MakroSatzText(s, verfeinerung), MAKRO_SATZ);
    }
    const std::string transform = Satz("815,1,0,4,3,17,4,2,0,0,2048,-1") + Satz("164,0,0") + verfeinerung;

    // The edge step of the normalised curve, as above.
    const std::string kette = KupferKette(CU_E0);
    Lauf l = Fahre(cu, Makro("norm.MAK", kette.substr(0, kette.find("810,"))), Pfad("aus"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    std::vector<double> e, y;
    Spalten(AktuellerSlot(Pfad("aus")), &e, &y);
    const double stufe = QuadratBei(e, y, 9.100, 10.100, E0Aus(Pfad("aus")));
    ASSERT_GT(stufe, 0.5);

    // The system's own chi: one macro from the raw foil to the fit's end.
    l = Fahre(cu, Makro("ganz.MAK", kette + transform), Pfad("aus"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    // Opening the raw file offers the XAS calculation from its columns,
    // which the driver declines (843 does it); nothing else is asked or
    // reported.
    EXPECT_EQ(LiesDatei(Pfad("aus\\messages.txt")),
              "dialog \"Calculate XAS spectrum\" | closed by the driver | Cancel\n");
    const ErsteSchale b = AusZustand(Pfad("aus"));
    // The fit's report: the path of the record's files.dat, refined in R
    // space over the recorded borders.
    std::string bericht = LiesDatei(Pfad("aus\\results.txt"));
    bericht.erase(std::remove(bericht.begin(), bericht.end(), '\r'), bericht.end());
    EXPECT_NE(bericht.find(" feff-Fit  - feff0001.dat, Cu - Cu"), std::string::npos) << bericht;
    EXPECT_NE(bericht.find("Fit carried out in R space.\n   Bottom border: 1.4\n   Top border:    3\n"),
              std::string::npos)
        << bericht;
    // The one path holds the whole area under the model's transform.
    const size_t flaeche = bericht.find("feff0001.dat :   100 %  (");
    ASSERT_NE(flaeche, std::string::npos) << bericht;
    EXPECT_GT(std::atof(bericht.c_str() + flaeche + 25), 0.0) << bericht.substr(flaeche, 60);

    // chi in the convention of a constant edge step, from the chain's
    // chi(k) k^2 and mu0 (the ".mue" file): chi(k) mu0(k) / step, written
    // as a text spectrum of k and chi and played from the transform on.
    l = Fahre(cu, Makro("kette.MAK", kette), Pfad("aus"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    std::vector<double> k, chik2, mk, mu0;
    Spalten(AktuellerSlot(Pfad("aus")), &k, &chik2);
    Spalten(Pfad("cu_metal_rt-xdi.mue"), &mk, &mu0);
    ASSERT_GT(k.size(), 100u);
    ASSERT_GT(mk.size(), 100u);
    const std::vector<double> mu0k = Spline(mk, mu0, k);
    std::string text = "# k chi\n";
    for (size_t i = 0; i < k.size(); ++i) {
        if (!(k[i] > 0.0)) continue;
        char zeile[80];
        std::snprintf(zeile, sizeof zeile, "%.10E %.10E\n", k[i], chik2[i] * mu0k[i] / stufe / (k[i] * k[i]));
        text += zeile;
    }
    Schreibe("cu_konstant.txt", text);
    l = Fahre(Pfad("cu_konstant.txt"), Makro("konstant.MAK", "Makro\n" + transform), Pfad("aus"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    EXPECT_EQ(LiesDatei(Pfad("aus\\messages.txt")), "");
    const ErsteSchale a = AusZustand(Pfad("aus"));

    std::printf("driver, constant step: S0^2 %.4f dE0 %.3f dR %.5f sigma^2 %.5f\n"
                "driver, mu0(k):        S0^2 %.4f dE0 %.3f dR %.5f sigma^2 %.5f (sigma^2 lower by %.5f)\n",
                a.s02, a.e0, a.dr, a.sigma2, b.s02, b.e0, b.dr, b.sigma2, a.sigma2 - b.sigma2);
    EXPECT_NEAR(a.s02, 0.93, 0.08);
    EXPECT_NEAR(a.e0, 4.4, 1.0);
    EXPECT_NEAR(a.dr, -0.006, 0.005);
    EXPECT_NEAR(a.sigma2, 0.0087, 0.0006);
    EXPECT_NEAR(b.s02, 0.93, 0.10);
    EXPECT_NEAR(b.e0, 4.4, 1.0);
    EXPECT_NEAR(b.dr, -0.006, 0.005);
    EXPECT_GE(a.sigma2 - b.sigma2, 0.0003);
    EXPECT_LE(a.sigma2 - b.sigma2, 0.0012);
}

// ---- Quick-XAS on the copper foil ----

namespace {

// R of the first local maximum of |FT| above a third of its largest value
// below 6 Angstrom.
double ErstesMaximum(const std::vector<double>& r, const std::vector<double>& b)
{
    double groesst = 0.0;
    for (size_t j = 0; j < r.size(); ++j)
        if (r[j] < 6.0) groesst = std::max(groesst, b[j]);
    for (size_t j = 1; j + 1 < r.size(); ++j)
        if (b[j] > groesst / 3 && b[j] >= b[j - 1] && b[j] >= b[j + 1]) return r[j];
    return -1.0;
}

std::string OhneCr(std::string t)
{
    t.erase(std::remove(t.begin(), t.end(), '\r'), t.end());
    return t;
}

// The number lines of the slot file of slot s (0-3), without its header.
std::string SlotDaten(const std::string& aus, int s)
{
    std::istringstream ein(LiesDatei(aus + "\\slot_" + std::to_string((s & 3) + 1) + ".txt"));
    std::string t, zeile;
    while (std::getline(ein, zeile))
        if (!zeile.empty() && zeile[0] != '#') t += zeile + "\n";
    return t;
}

int AktuelleNummer(const std::string& aus) { return std::atoi(LiesDatei(aus + "\\current.txt").c_str()) - 1; }

}  // namespace

TEST_F(RunMacro, QuickXasOnTheCopperFoilEndsWithFtMeasuredAndNormalised)
{
    const std::string cu = Pfad("cu_metal_rt.xdi");
    ASSERT_TRUE(CopyFileA((std::string(XAS) + "cu_metal_rt.xdi").c_str(), cu.c_str(), FALSE));
    // The measured spectrum on its own, for comparison.
    Lauf l = Fahre(cu, Makro("mu.MAK", "Makro\n" + Satz(CU_MU)), Pfad("mu"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    const std::string gemessen = SlotDaten(Pfad("mu"), AktuelleNummer(Pfad("mu")));

    l = Fahre(cu, Makro("quick.MAK", "Makro\n" + Satz(CU_MU) + Satz("835")), Pfad("aus"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    const double e0 = E0Aus(Pfad("aus"));
    EXPECT_GE(e0, 8.979);
    EXPECT_LE(e0, 8.983);
    const std::string ergebnis = OhneCr(LiesDatei(Pfad("aus\\results.txt")));
    EXPECT_NE(ergebnis.find("    Two Polynomial Fit:\n"), std::string::npos) << ergebnis;
    EXPECT_EQ(ergebnis.find("Polynomial   degree"), std::string::npos);
    EXPECT_NE(ergebnis.find("--XAS-MUE_ZERO - cubic spline fit from : 2 , to : "), std::string::npos);
    EXPECT_NE(ergebnis.find("--XAS-FOURIER TRANSFORM  -  window : Bessel  - Beta : 4  - from : "), std::string::npos);

    const int s = AktuelleNummer(Pfad("aus"));
    // Current: the normalised spectrum, 0 before the edge and 1 above it.
    std::vector<double> e, mu;
    Spalten(Pfad("aus") + "\\slot_" + std::to_string(s + 1) + ".txt", &e, &mu);
    ASSERT_EQ(e.size(), 408u);
    double vor = 0.0, nach = 0.0;
    int nv = 0, nn = 0;
    for (size_t i = 0; i < e.size(); ++i) {
        if (e[i] < 8.95) vor += mu[i], ++nv;
        if (e[i] > 9.1) nach += mu[i], ++nn;
    }
    EXPECT_NEAR(vor / nv, 0.0, 0.02);
    EXPECT_NEAR(nach / nn, 1.0, 0.05);
    // Before it the measured spectrum, as 843 left it.
    EXPECT_EQ(SlotDaten(Pfad("aus"), s - 1), gemessen);
    // Before that |FT| of chi k^3 up to R max.
    std::vector<double> r, b;
    Spalten(Pfad("aus") + "\\slot_" + std::to_string(((s - 2) & 3) + 1) + ".txt", &r, &b);
    ASSERT_GT(r.size(), 100u);
    EXPECT_NEAR(r.front(), 0.0, 1e-9);
    EXPECT_LE(r.back(), ExafsOptionen.MaxR);
    for (double v : b) ASSERT_GE(v, 0.0);
    EXPECT_NEAR(ErstesMaximum(r, b), 2.2, 0.15);
    // Only the column choice of the opening, which the driver closes.
    EXPECT_EQ(LiesDatei(Pfad("aus\\messages.txt")), "dialog \"Calculate XAS spectrum\" | closed by the driver | Cancel\n");
}

TEST_F(RunMacro, QuickXasRoadsAndTheStopBeforeTheSplines)
{
    const std::string cu = Pfad("cu_metal_rt.xdi");
    ASSERT_TRUE(CopyFileA((std::string(XAS) + "cu_metal_rt.xdi").c_str(), cu.c_str(), FALSE));
    // Cut at E0 + 0.4 keV: the pre-edge polynomial, then the normalisation.
    Lauf l = Fahre(cu, Makro("kurz.MAK", "Makro\n" + Satz(CU_MU) + Satz("605,8.7,9.38,0,0") + Satz("835")),
                   Pfad("aus"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    std::string ergebnis = OhneCr(LiesDatei(Pfad("aus\\results.txt")));
    EXPECT_NE(ergebnis.find("Polynomial   degree : 1  - (activated : "), std::string::npos) << ergebnis;
    EXPECT_NE(ergebnis.find("--XAS-NORMALIZATION -\n"), std::string::npos);
    EXPECT_EQ(ergebnis.find("Two Polynomial Fit"), std::string::npos);
    EXPECT_NE(ergebnis.find("--XAS-FOURIER TRANSFORM"), std::string::npos);

    // Cut at E0 + 0.08 keV: k ends near 4.4, two splines; the chain stops
    // before 828 and keeps what it made, up to the k curve.
    l = Fahre(cu, Makro("knapp.MAK", "Makro\n" + Satz(CU_MU) + Satz("605,8.7,9.06,0,0") + Satz("835")),
              Pfad("aus"));
    EXPECT_EQ(l.code, 1u);
    EXPECT_NE(l.fehler.find("step 3 (command 835)"), std::string::npos) << l.fehler;
    EXPECT_NE(l.fehler.find("FehlerCode 1000"), std::string::npos) << l.fehler;
    ergebnis = OhneCr(LiesDatei(Pfad("aus\\results.txt")));
    EXPECT_NE(ergebnis.find("--CONVERSION into k space"), std::string::npos) << ergebnis;
    EXPECT_EQ(ergebnis.find("MUE_ZERO"), std::string::npos);
    std::vector<double> kx, ky;
    Spalten(AktuellerSlot(Pfad("aus")), &kx, &ky);
    ASSERT_GT(kx.size(), 10u);
    EXPECT_LT(kx.front(), 0.0);
    EXPECT_NEAR(kx.back(), 4.6, 0.3);
}

// The four commands in this process on the measured spectrum, each from the
// same start: where each ends, with its texts; and the messages the menu
// gives when the chain cannot run.
TEST_F(RunMacro, QuickXasCommandsEndWhereTheirMenuItemsSay)
{
    // The measured spectrum as the driver's 843 gives it.
    const std::string cu = Pfad("cu_metal_rt.xdi");
    ASSERT_TRUE(CopyFileA((std::string(XAS) + "cu_metal_rt.xdi").c_str(), cu.c_str(), FALSE));
    const Lauf l = Fahre(cu, Makro("mu.MAK", "Makro\n" + Satz(CU_MU)), Pfad("mu"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    std::vector<double> ex, ey;
    Spalten(AktuellerSlot(Pfad("mu")), &ex, &ey);
    ASSERT_EQ(ex.size(), 408u);
    // A window of this process takes it in its slot 0.
    int w = -1;
    MitDialogen({Druecke(IDCANCEL)}, [&] { w = Oeffne(std::string(XAS) + "Copper.chik"); });
    ASSERT_GE(w, 0);
    grafik_fenster& g = GrafikFenster[w];
    std::snprintf(g.DateiInfo.DateiName, sizeof g.DateiInfo.DateiName, "cu_metal_rt.xdi");
    auto start = [&](size_t n) {
        std::copy(ex.begin(), ex.begin() + n, g.GetXFeld(0));
        std::copy(ey.begin(), ey.begin() + n, g.GetYFeld(0));
        for (int s = 0; s < 4; ++s) {
            g.DateiInfo.PunkteProKurve[s] = s == 0 ? static_cast<int32_t>(n) : 0;
            g.KurvenFlags[s] = 0;
        }
        g.KurvenZaehler = g.NeuesterZaehler = 0;
        g.Multiplot = 0;
        g.SetFullBorder();
        FehlerCode = 0;
    };
    auto texte = [&](int s) { return std::string(g.XText[s & 3]) + " | " + g.YText[s & 3]; };
    const std::string energie = "photon energy [keV] | ", kx = "k [\xC5~{-1}] | ";

    start(ex.size());
    Direkt("Makro\n" + Satz("838"));
    EXPECT_EQ(g.AktuellerSlot(), 2);
    EXPECT_EQ(texte(2), kx + "norm. absorption [a.u.]");
    EXPECT_EQ(texte(1), energie + "norm. absorption [a.u.]");
    EXPECT_EQ(texte(0), energie + "absorption [a.u.]");
    EXPECT_EQ(g.KurvenFlags[2], 0u);
    EXPECT_EQ(g.Multiplot, 1);

    start(ex.size());
    Direkt("Makro\n" + Satz("839"));
    // The ring as 828 left it: chi(k) k^3 after the k curve.
    EXPECT_EQ(g.AktuellerSlot(), 3);
    EXPECT_EQ(texte(3), kx + "^c(k)*k~3");
    EXPECT_EQ(texte(2), kx + "norm. absorption [a.u.]");
    EXPECT_EQ(g.KGewicht, 3.0);
    EXPECT_TRUE(g.KurvenFlags[3] & SLOT_K_GEWICHTET);
    EXPECT_EQ(AutoSplineR, 0.9);
    EXPECT_EQ(RRaum, 1);
    const double kOben = g.GetXFeld(2)[g.DateiInfo.PunkteProKurve[2] - 5];
    const int32_t splines = static_cast<int32_t>((kOben - 2.0) * 1.8 / 3.14159265358979323846 + 1.0);
    EXPECT_EQ(SplineAnzahl, splines);
    EXPECT_EQ(g.PolyGrad, splines);

    start(ex.size());
    Direkt("Makro\n" + Satz("840"));
    // chi k^3 back in the k curve's slot (2), its section (3), the complex
    // transform (0), current and drawn as a normal plot.
    EXPECT_EQ(g.AktuellerSlot(), 0);
    EXPECT_EQ(g.KurvenFlags[0] & 7u, 5u);
    EXPECT_EQ(texte(0), "R [\xC5] | FT(^c(k)*k~3)");
    EXPECT_EQ(texte(2), kx + "^c(k)*k~3");
    EXPECT_EQ(g.Kombinieren, 0);
    EXPECT_EQ(g.DritteSpalte(), 0);

    start(ex.size());
    Direkt("Makro\n" + Satz("835"));
    EXPECT_EQ(g.AktuellerSlot(), 0);
    EXPECT_EQ(texte(0), energie + "norm. absorption [a.u.]");
    EXPECT_EQ(texte(3), energie + "absorption [a.u.]");
    EXPECT_EQ(texte(2), "R [\xC5] | FT(^c(k)*k~3)");
    for (int s : {0, 2, 3}) EXPECT_EQ(g.KurvenFlags[s], 0u) << s;
    EXPECT_EQ(g.Multiplot, 1);

    // From the menu: seven points are refused before anything changes; a
    // k range too short for three splines stops before 828 with a message.
    start(7);
    boxen.clear();
    HAUPTDATEN.Befehl(835, 0);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_NE(boxen[0].text.find("at least 8 points"), std::string::npos) << boxen[0].text;
    EXPECT_EQ(g.KurvenZaehler, 0);
    EXPECT_EQ(g.Punkte(), 7);
    size_t bis = 0;
    while (bis < ex.size() && ex[bis] <= 9.06) ++bis;
    start(bis);
    boxen.clear();
    HAUPTDATEN.Befehl(835, 0);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_NE(boxen[0].text.find("gives 2 splines"), std::string::npos) << boxen[0].text;
    EXPECT_NE(boxen[0].text.find("stopped before the mue(0) fit"), std::string::npos);
    EXPECT_EQ(g.AktuellerSlot(), 2);
    EXPECT_EQ(texte(2), kx + "norm. absorption [a.u.]");
    EXPECT_EQ(FehlerCode, 0);
}

// ---- the linear-combination XANES fit of gold L3 spectra ----

namespace {

// Energy (keV) and ordinate of a two-column text file (lines with "#"
// skipped); the energies of the reference files are in eV.
void LiesZweiSpalten(const std::string& pfad, double faktor, std::vector<double>* x, std::vector<double>* y)
{
    std::istringstream ein(LiesDatei(pfad));
    for (std::string z; std::getline(ein, z);) {
        double a, b;
        if (!z.empty() && z[0] != '#' && std::sscanf(z.c_str(), "%lf %lf", &a, &b) == 2) {
            x->push_back(a * faktor);
            y->push_back(b);
        }
    }
}

double Wert(const std::string& state, const std::string& name)
{
    const size_t p = state.find(name + " = ");
    return p == std::string::npos ? NAN : std::atof(state.c_str() + p + name.size() + 3);
}

}  // namespace

// The unknown 0.3 s1 + 0.7 s2 of the gold references (tests/app/xas/data/
// lcf_au, s2 interpolated onto s1's grid, 11.85-12.0 keV). The 844 records
// are written by the program in this process while it records, then the
// driver plays them on the unknown.
TEST_F(RunMacro, LcXanesFitOfAGoldMixtureThroughTheMacroPlayer)
{
    std::string lcf = KORLAN_TEST_DIR "/app/xas/data/lcf_au/";
    for (char& c : lcf)
        if (c == '/') c = '\\';
    std::vector<double> e1, y1, e2, y2;
    LiesZweiSpalten(lcf + "s1.dat", 1.0, &e1, &y1);
    LiesZweiSpalten(lcf + "s2.dat", 1.0, &e2, &y2);
    ASSERT_GT(e1.size(), 100u);
    std::string text = "# 0.3 s1 + 0.7 s2\n";
    size_t k = 0;
    for (size_t i = 0; i < e1.size(); ++i) {
        if (e1[i] < 11850.0 || e1[i] > 12000.0) continue;
        while (k + 2 < e2.size() && e2[k + 1] < e1[i]) ++k;
        const double t = (e1[i] - e2[k]) / (e2[k + 1] - e2[k]);
        char zeile[80];
        std::snprintf(zeile, sizeof zeile, "%.6f %.10g\n", e1[i] * 0.001,
                      0.3 * y1[i] + 0.7 * (y2[k] + t * (y2[k + 1] - y2[k])));
        text += zeile;
    }
    Schreibe("lc_unknown.dat", text);
    const std::string unbekannt = Pfad("lc_unknown.dat");

    const int w = Oeffne(unbekannt);
    ASSERT_EQ(w, 0);
    ASSERT_LT(std::fabs(GrafikFenster[w].GetXFeld(-1)[0] - 11.85), 0.01);
    grafik_fenster& g = GrafikFenster[w];
    // One 844 record as the program writes it while recording: the model
    // (types) as the set-up leaves it, the mode (DW[1] -1: references in
    // front of profile functions), "true" or "false" for a new run; fest:
    // the parameters fixed before the record.
    auto nimmAuf = [&](const char* datei, std::vector<int32_t> typen, double modus, const char* neu,
                       std::vector<int32_t> fest) {
        Schreibe(datei, "Makro\n");
        std::snprintf(ButtonBar.MakroPfad, sizeof ButtonBar.MakroPfad, "%s", Pfad(datei).c_str());
        HAUPTDATEN.MakroAufnahme = 1;
        g.AnzahlFunktionen = static_cast<int32_t>(typen.size());
        for (size_t i = 0; i < typen.size(); ++i) g.FunktionsTypen[i] = typen[i];
        g.PolyGrad = 0;
        BefehlsFenster(&HAUPTDATEN, false);
        ASSERT_GE(ResetModelTables(), 0);
        for (int32_t p : fest) FixParameter(p);
        std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%ss1.dat,%ss2.dat", lcf.c_str(), lcf.c_str());
        std::snprintf(CommandText2, COMMAND_TEXT2_BYTES, "%s", neu);
        const double dw[5] = {0.0, modus, 11.86, 11.99, 0.0};
        for (int i = 0; i < 14; ++i) HAUPTDATEN.DialogWerte[i] = i < 5 ? dw[i] : 0.0;
        FehlerCode = 0;
        HAUPTDATEN.Befehl(844, LP_PREPARED);
        // The fit it posts is the player's to run, not this process's.
        MSG m;
        while (PeekMessageA(&m, hwnd, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {}
        HAUPTDATEN.MakroAufnahme = 0;
        ButtonBar.MakroPfad[0] = '\0';
        EXPECT_EQ(FehlerCode, 0);
        HAUPTDATEN.FitZustand = 0;
    };
    nimmAuf("lc_neu.MAK", {26, 26}, 1.0, "true", {});
    const std::string neu = LiesDatei(Pfad("lc_neu.MAK"));
    ASSERT_EQ(neu.rfind("Makro\n844,", 0), 0u) << neu;
    nimmAuf("lc_fest.MAK", {26, 26}, 1.0, "false", {0, 2});
    // As the dialog leaves it with " Add profile function": the references
    // in front of the window's constant.
    nimmAuf("lc_profil.MAK", {26, 26, 7}, -1.0, "true", {});

    // The two references: 0.30 and 0.70, E0 shifts within 1e-4 keV.
    Lauf l = Fahre(unbekannt, Pfad("lc_neu.MAK"), Pfad("aus"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    const std::string erst = LiesDatei(Pfad("aus\\state.txt"));
    EXPECT_NEAR(Wert(erst, "FitParameters[0]"), 0.30, 0.01) << erst;
    EXPECT_NEAR(Wert(erst, "FitParameters[2]"), 0.70, 0.01) << erst;
    EXPECT_LT(std::fabs(Wert(erst, "FitParameters[1]")), 1e-4);
    EXPECT_LT(std::fabs(Wert(erst, "FitParameters[3]")), 1e-4);
    std::printf("s1 %.4f s2 %.4f, E0 shifts %.2e %.2e keV\n", Wert(erst, "FitParameters[0]"),
                Wert(erst, "FitParameters[2]"), Wert(erst, "FitParameters[1]"), Wert(erst, "FitParameters[3]"));

    // The same record followed by one with the partial coefficients fixed:
    // the second fit is told "false" by the player and goes on from the
    // first one's coefficients, which it keeps to the last digit (a new
    // run would have started them at 0.3).
    const std::string fest = LiesDatei(Pfad("lc_fest.MAK"));
    ASSERT_EQ(fest.rfind("Makro\n", 0), 0u);
    Schreibe("lc_weiter.MAK", neu + fest.substr(6));
    l = Fahre(unbekannt, Pfad("lc_weiter.MAK"), Pfad("aus"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    const std::string weiter = LiesDatei(Pfad("aus\\state.txt"));
    for (const char* p : {"FitParameters[0]", "FitParameters[2]"}) {
        const size_t a = erst.find(p), b = weiter.find(p);
        ASSERT_NE(b, std::string::npos) << weiter;
        EXPECT_EQ(erst.substr(a, erst.find('\n', a) - a), weiter.substr(b, weiter.find('\n', b) - b));
    }
    EXPECT_EQ(Wert(weiter, "FitErrors[0]"), 0.0);

    // With a constant behind the references: the partial coefficients stay
    // parameters 0 and 2, the constant is 4 and takes nothing.
    l = Fahre(unbekannt, Pfad("lc_profil.MAK"), Pfad("aus"));
    ASSERT_EQ(l.code, 0u) << l.fehler;
    const std::string profil = LiesDatei(Pfad("aus\\state.txt"));
    EXPECT_EQ(Wert(profil, "MaxParameter"), 4.0) << profil;
    EXPECT_NEAR(Wert(profil, "FitParameters[0]"), 0.30, 0.01) << profil;
    EXPECT_NEAR(Wert(profil, "FitParameters[2]"), 0.70, 0.01);
    EXPECT_NEAR(Wert(profil, "FitParameters[4]"), 0.0, 0.005);
}

namespace {

// The natural cubic spline through (xa, ya) at t, written out here as the
// independent check of the difference spectrum's interpolation.
double NatuerlicherSplineWert(const std::vector<double>& xa, const std::vector<double>& ya, double t)
{
    const size_t n = xa.size();
    std::vector<double> y2(n, 0.0), u(n, 0.0);
    for (size_t i = 1; i + 1 < n; ++i) {
        const double sig = (xa[i] - xa[i - 1]) / (xa[i + 1] - xa[i - 1]);
        const double p = sig * y2[i - 1] + 2.0;
        y2[i] = (sig - 1.0) / p;
        const double d = (ya[i + 1] - ya[i]) / (xa[i + 1] - xa[i]) - (ya[i] - ya[i - 1]) / (xa[i] - xa[i - 1]);
        u[i] = (6.0 * d / (xa[i + 1] - xa[i - 1]) - sig * u[i - 1]) / p;
    }
    y2[n - 1] = 0.0;
    for (size_t k = n - 1; k-- > 0;) y2[k] = y2[k] * y2[k + 1] + u[k];
    size_t hi = 1;
    while (hi < n - 1 && xa[hi] < t) ++hi;
    const size_t lo = hi - 1;
    const double h = xa[hi] - xa[lo], a = (xa[hi] - t) / h, b = (t - xa[lo]) / h;
    return a * ya[lo] + b * ya[hi] + ((a * a * a - a) * y2[lo] + (b * b * b - b) * y2[hi]) * h * h / 6.0;
}

}  // namespace

// 831 replayed by the driver: the reference "diffspec.mes" is read from the
// data folder (the spectrum's), not from the driver's current folder.
TEST_F(RunMacro, DifferenceSpectrumReplaysTheReferenceOfTheDataFolder)
{
    std::vector<double> x, y;
    for (int i = 0; i < 90; ++i) {
        x.push_back(1.0 + 0.05 * i);
        y.push_back(std::sin(2.0 * x.back()) + x.back());
    }
    auto schreibe = [&](const char* name, const std::vector<double>& xs, const std::vector<double>& ys) {
        std::string t;
        char z[80];
        for (size_t i = 0; i < xs.size(); ++i) {
            std::snprintf(z, sizeof z, "%.17g %.17g\n", xs[i], ys[i]);
            t += z;
        }
        Schreibe(name, t);
    };
    schreibe("probe.dat", x, y);
    const std::string makro = Makro("diff.MAK", "Makro\n" + Satz("831,-1,-1"));
    auto differenz = [&]() {
        const Lauf l = Fahre(Pfad("probe.dat"), makro, Pfad("aus"));
        EXPECT_EQ(l.code, 0u) << l.fehler;
        const auto z = Zeilen(LiesDatei(Pfad("aus\\slot_2.txt")));
        return Spalte(z, 1);
    };

    // The spectrum minus itself.
    schreibe("diffspec.mes", x, y);
    std::vector<double> d = differenz();
    ASSERT_EQ(d.size(), 90u);
    for (double v : d) EXPECT_EQ(v, 0.0);

    // Another reference on the same grid: index by index.
    std::vector<double> r(90);
    for (int i = 0; i < 90; ++i) r[i] = std::cos(x[i]);
    schreibe("diffspec.mes", x, r);
    d = differenz();
    ASSERT_EQ(d.size(), 90u);
    for (int i = 0; i < 90; ++i) EXPECT_NEAR(d[i], y[i] - r[i], 1e-9) << i;

    // Every third point up to x 4.6: the natural spline of the reference
    // inside its range, the data unchanged beyond it.
    std::vector<double> xr, yr;
    for (int i = 0; i <= 72; i += 3) {
        xr.push_back(x[i]);
        yr.push_back(std::cos(3.0 * x[i]));
    }
    schreibe("diffspec.mes", xr, yr);
    d = differenz();
    ASSERT_EQ(d.size(), 90u);
    for (int i = 0; i < 90; ++i) {
        if (i <= 72)
            EXPECT_NEAR(d[i], y[i] - NatuerlicherSplineWert(xr, yr, x[i]), 1e-9) << i;
        else
            EXPECT_NEAR(d[i], y[i], 1e-9 * std::fabs(y[i])) << i;
    }

    // No reference: the replay stops with 1000 and makes no slot.
    DeleteFileA(Pfad("diffspec.mes").c_str());
    const Lauf l = Fahre(Pfad("probe.dat"), makro, Pfad("aus"));
    EXPECT_EQ(l.code, static_cast<DWORD>(run_macro::EXIT_STEP_FAILED));
    EXPECT_NE(l.fehler.find("FehlerCode 1000"), std::string::npos) << l.fehler;
    EXPECT_EQ(GetFileAttributesA(Pfad("aus\\slot_2.txt").c_str()), INVALID_FILE_ATTRIBUTES);
}
