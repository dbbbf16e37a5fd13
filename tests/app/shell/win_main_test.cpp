// The program itself, started in a temporary program folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "shell_fixture.h"

namespace {

struct Suche {
    DWORD prozess;
    HWND fenster;
};

BOOL CALLBACK FindeHauptfenster(HWND h, LPARAM l)
{
    Suche* s = reinterpret_cast<Suche*>(l);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    char klasse[32] = "";
    GetClassNameA(h, klasse, sizeof klasse);
    if (pid == s->prozess && std::string(klasse) == "Korlan") {
        s->fenster = h;
        return FALSE;
    }
    return TRUE;
}

std::string ProgrammVerzeichnis()
{
    char pfad[MAX_PATH];
    GetModuleFileNameA(nullptr, pfad, sizeof pfad);
    std::string s = pfad;
    return s.substr(0, s.find_last_of("\\/"));
}

}  // namespace

using ProgramRun = ShellFixture;

TEST_F(ProgramRun, StartsInItsFolderAndEndsCleanlyOnClose)
{
    const std::string bin = ProgrammVerzeichnis();
    for (const char* datei : {"korlan.exe", "zelva.dll", "vantor.dll"})
        ASSERT_TRUE(CopyFileA((bin + "\\" + datei).c_str(), Pfad(datei).c_str(), FALSE)) << datei;
    KopiereMucal();

    std::string befehl = "\"" + Pfad("korlan.exe") + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessA(nullptr, &befehl[0], nullptr, nullptr, FALSE, 0, nullptr, ordner.c_str(), &si, &pi));

    Suche s{pi.dwProcessId, nullptr};
    for (int i = 0; i < 200 && !s.fenster; ++i) {
        Sleep(100);
        EnumWindows(FindeHauptfenster, reinterpret_cast<LPARAM>(&s));
    }
    ASSERT_NE(s.fenster, nullptr) << "main window did not appear";
    // Wait until the creation has run to its end (results log written).
    for (int i = 0; i < 100 && !Existiert("results.dat"); ++i) Sleep(50);
    // The window is shown maximised only after its creation has returned.
    for (int i = 0; i < 100 && !IsZoomed(s.fenster); ++i) Sleep(50);
    EXPECT_TRUE(IsZoomed(s.fenster));
    EXPECT_EQ(Lies("results.dat").rfind("Korlan-Results: \n", 0), 0u);

    // Backups written while the program runs are removed by a normal end.
    Schreibe("numsave0.mes", "x");
    Schreibe("numsave2.mes", "x");
    PostMessageA(s.fenster, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(pi.hProcess, 20000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);

    EXPECT_FALSE(Existiert("numsave0.mes"));
    EXPECT_FALSE(Existiert("numsave2.mes"));
    EXPECT_EQ(Lies("numeric.opt"), "8,0.025,2048,0,0,-1\n1,0,1,1,2\n1,*.M*,\n");
}
