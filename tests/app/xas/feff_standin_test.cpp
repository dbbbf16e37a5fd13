// The stand-in FEFF program the Run FEFF tests start: what it lists for the
// copper input, that its files load without a message, its chi.dat, its
// log and its modes. The atoms/viewer/editor stand-ins log their call.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "shell/haupt_fenster.h"
#include "xas/feff_path.h"
#include "xas/mcmaster.h"

namespace {

const std::string DATEN = KORLAN_TEST_DIR "/app/xas/data/";

std::vector<std::string> boxen;
int WINAPI Antworte(HWND, LPCSTR text, LPCSTR titel, UINT)
{
    boxen.push_back(std::string(titel) + "|" + text);
    return IDOK;
}

std::string ProgrammOrdner()
{
    char pfad[MAX_PATH] = {0};
    GetModuleFileNameA(nullptr, pfad, MAX_PATH);
    std::string s(pfad);
    return s.substr(0, s.find_last_of("\\/") + 1);
}

std::string Lies(const std::string& name)
{
    std::ifstream f(name, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

void Schreibe(const std::string& name, const std::string& text)
{
    std::ofstream f(name, std::ios::binary);
    f << text;
}

// A fresh folder with the copper input and a folder holding a copy of the
// stand-in and its settings.
class FeffStandin : public ::testing::Test {
protected:
    std::string lauf, prog;
    void SetUp() override
    {
        boxen.clear();
        char temp[MAX_PATH], name[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        GetTempFileNameA(temp, "kfs", 0, name);
        DeleteFileA(name);
        ASSERT_TRUE(CreateDirectoryA(name, nullptr));
        lauf = std::string(name) + "\\run\\";
        prog = std::string(name) + "\\prog\\";
        ASSERT_TRUE(CreateDirectoryA(lauf.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(prog.c_str(), nullptr));
        ASSERT_TRUE(CopyFileA((DATEN + "cu_feff85_noSCF/feff.inp").c_str(), (lauf + "feff.inp").c_str(), FALSE));
        ASSERT_TRUE(CopyFileA((ProgrammOrdner() + "standins\\feff.exe").c_str(), (prog + "feff.exe").c_str(),
                              FALSE));
    }
    // Runs the stand-in in the run folder; its exit code, or -1 when it
    // was still running after grenzeMs (it is then ended).
    int Starte(const std::string& modi, DWORD grenzeMs = 60000)
    {
        Schreibe(prog + "feff_standin.ini", modi);
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        std::string befehl = "\"" + prog + "feff.exe\"";
        if (!CreateProcessA(nullptr, &befehl[0], nullptr, nullptr, FALSE, 0, nullptr, lauf.c_str(), &si, &pi))
            return -2;
        DWORD code = static_cast<DWORD>(-1);
        if (WaitForSingleObject(pi.hProcess, grenzeMs) == WAIT_OBJECT_0)
            GetExitCodeProcess(pi.hProcess, &code);
        else {
            TerminateProcess(pi.hProcess, 9);
            WaitForSingleObject(pi.hProcess, 5000);
        }
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        return static_cast<int>(code);
    }
    std::vector<FilesDatZeile> Zeilen()
    {
        std::vector<FilesDatZeile> v;
        std::istringstream s(Lies(lauf + "files.dat"));
        std::string z;
        while (std::getline(s, z)) {
            FilesDatZeile r;
            if (LeseFilesDatZeile(z, &r)) v.push_back(r);
        }
        return v;
    }
};

TEST_F(FeffStandin, ListsTheCopperShellsAndTrianglesAndItsFilesLoad)
{
    ASSERT_EQ(Starte(""), 0);
    const std::vector<FilesDatZeile> z = Zeilen();
    ASSERT_GE(z.size(), 5u);
    // The first shells of fcc copper (a = 3.61) and the 60-degree triangle
    // of two nearest neighbours, each triangle followed by its four-leg row.
    EXPECT_EQ(z[0].Reff, 2.5527);
    EXPECT_EQ(z[0].Entartung, 12.0);
    EXPECT_EQ(z[0].Beine, 2);
    EXPECT_EQ(z[1].Reff, 3.61);
    EXPECT_EQ(z[1].Entartung, 6.0);
    EXPECT_EQ(z[2].Reff, 3.829);
    EXPECT_EQ(z[2].Beine, 3);
    EXPECT_EQ(z[3].Beine, 4);
    EXPECT_EQ(z[3].Reff, 3.9056);
    EXPECT_EQ(z[3].Entartung, z[2].Entartung);
    // The other rows are sorted by reff within RPATH 5.2; a four-leg row
    // follows its triangle at 1.02 times its reff.
    double vorige = 0.0;
    for (std::size_t i = 0; i < z.size(); ++i) {
        if (z[i].Beine == 4) {
            ASSERT_GE(i, 1u);
            EXPECT_EQ(z[i - 1].Beine, 3);
            EXPECT_NEAR(z[i].Reff, z[i - 1].Reff * 1.02, 0.00006);
            continue;
        }
        EXPECT_GE(z[i].Reff, vorige);
        EXPECT_LE(z[i].Reff, 5.2);
        vorige = z[i].Reff;
    }

    // Every row loads through the program's loader without a message.
    std::vector<double> tabelle(35000, 0.0);
    ASSERT_EQ(LeseMucalDatei(KORLAN_TEST_DIR "/../app/resources/program/mucal.dat", tabelle.data()), 1);
    double* altTabelle = McMasterTable;
    McMasterTable = tabelle.data();
    MeldungsBox = Antworte;
    FeffPfadeLeeren();
    double gitter[300];
    for (int i = 0; i < 300; ++i) gitter[i] = 0.05 * i;
    for (const FilesDatZeile& r : z) {
        FeffPfad& s = FeffPfade[1];
        FeffPfadFreigeben(&s);
        s.Pfadnummer = r.Pfadnummer;
        std::snprintf(s.FilesDatPfad, sizeof s.FilesDatPfad, "%sfiles.dat", lauf.c_str());
        EXPECT_EQ(LoadFeffPath(1, &s, 300, gitter), 201) << r.Text;
        EXPECT_EQ(s.Beine, r.Beine);
        EXPECT_NEAR(s.Reff, r.Reff, 1e-9);
    }
    FeffPfadeLeeren();
    MeldungsBox = MessageBoxA;
    McMasterTable = altTabelle;
    EXPECT_TRUE(boxen.empty());

    // chi.dat holds the sum of the listed rows of the closed-form tables.
    std::istringstream chi(Lies(lauf + "chi.dat"));
    std::string zeile;
    int punkte = 0;
    double groesste = 0.0;
    while (std::getline(chi, zeile)) {
        if (zeile.empty() || zeile[0] == '#') continue;
        double k = 0.0, wert = 0.0;
        ASSERT_EQ(std::sscanf(zeile.c_str(), "%lf %lf", &k, &wert), 2);
        double summe = 0.0;
        if (k > 0.0)
            for (const FilesDatZeile& r : z) {
                const double betrag = 0.8 * k * std::exp(-k * k / 60.0) * 0.95;
                const double lambda = 6.0 + 0.12 * k * k;
                summe += r.Entartung * betrag * std::exp(-2.0 * r.Reff / lambda) / (k * r.Reff * r.Reff) *
                         std::sin(2.0 * k * r.Reff - 1.0 - 0.5 * k);
            }
        EXPECT_NEAR(wert, summe, 1e-6 * std::fabs(summe) + 1e-12) << zeile;
        groesste = std::max(groesste, std::fabs(wert));
        ++punkte;
    }
    EXPECT_EQ(punkte, 401);
    EXPECT_GT(groesste, 0.01);

    // Its log names the working folder and the input it read.
    const std::string log = Lies(prog + "feff_standin.log");
    EXPECT_NE(log.find("cwd=" + lauf.substr(0, lauf.size() - 1)), std::string::npos) << log;
    EXPECT_NE(log.find(Lies(lauf + "feff.inp")), std::string::npos);
}

TEST_F(FeffStandin, ModesChangeTheRowsTheExitAndChiDat)
{
    struct Fall {
        const char* modi;
        int exitCode;
        bool chi;
        double viererReff;  // 0: no four-leg row after the triangle
        bool dreieck;
    };
    const Fall faelle[] = {
        {"exit=3\n", 3, true, 3.9056, true},
        {"nochi=1\n", 0, false, 3.9056, true},
        {"triangle=drop\n", 0, true, 0.0, false},
        {"fourleg=drop\n", 0, true, 0.0, true},
        {"fourleg=move\n", 0, true, 4.0587, true},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.modi);
        DeleteFileA((lauf + "chi.dat").c_str());
        ASSERT_EQ(Starte(f.modi), f.exitCode);
        EXPECT_EQ(GetFileAttributesA((lauf + "chi.dat").c_str()) != INVALID_FILE_ATTRIBUTES, f.chi);
        bool dreieck = false;
        double vierer = 0.0;
        for (const FilesDatZeile& r : Zeilen()) {
            dreieck = dreieck || r.Beine == 3;
            if (r.Beine == 4 && vierer == 0.0) vierer = r.Reff;
        }
        EXPECT_EQ(dreieck, f.dreieck);
        EXPECT_EQ(vierer, f.viererReff);
    }
}

TEST_F(FeffStandin, DelaysChiDatOrHangs)
{
    const DWORD start = GetTickCount();
    ASSERT_EQ(Starte("delay=1500\n"), 0);
    EXPECT_GE(GetTickCount() - start, 1400u);
    EXPECT_NE(GetFileAttributesA((lauf + "chi.dat").c_str()), INVALID_FILE_ATTRIBUTES);
    DeleteFileA((lauf + "files.dat").c_str());
    EXPECT_EQ(Starte("hang=1\n", 1500), -1);
    EXPECT_EQ(GetFileAttributesA((lauf + "files.dat").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(LogStandins, LogTheirCommandLineAndFolder)
{
    const std::string ordner = ProgrammOrdner();
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string lauf(temp);
    for (const std::string& name : {ordner + "standins\\atoms.exe", ordner + "standins\\raswin.exe",
                                    ordner + "notepad.exe"}) {
        SCOPED_TRACE(name);
        const std::string log = name.substr(0, name.size() - 4) + ".log";
        DeleteFileA(log.c_str());
        STARTUPINFOA si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        std::string befehl = "\"" + name + "\" feff.inp -x";
        ASSERT_TRUE(CreateProcessA(nullptr, &befehl[0], nullptr, nullptr, FALSE, 0, nullptr, lauf.c_str(), &si, &pi));
        ASSERT_EQ(WaitForSingleObject(pi.hProcess, 30000), WAIT_OBJECT_0);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        const std::string text = Lies(log);
        EXPECT_NE(text.find("cmd=" + befehl), std::string::npos) << text;
        EXPECT_NE(text.find("cwd=" + lauf.substr(0, lauf.size() - 1)), std::string::npos) << text;
    }
}

}  // namespace
