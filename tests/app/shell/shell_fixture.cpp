#include "shell_fixture.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "app/dialog_watcher.h"
#include "resource_ids.h"
#include "spectra/spectra_globals.h"

namespace {

void CALLBACK DialogAbbrechen(HWND, UINT, UINT_PTR, DWORD)
{
    if (HWND d = dialog_waechter::ObersterDialog()) PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
}

}  // namespace

std::vector<GezeigteBox> ShellFixture::boxen;
int ShellFixture::antwort = IDYES;

int WINAPI ShellFixture::Antworte(HWND, LPCSTR text, LPCSTR titel, UINT art)
{
    boxen.push_back({text ? text : "", titel ? titel : "", art});
    return antwort;
}

void ShellFixture::SetUp()
{
    boxen.clear();
    antwort = IDYES;
    MeldungsBox = Antworte;
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    char name[MAX_PATH];
    GetTempFileNameA(temp, "krl", 0, name);
    DeleteFileA(name);
    ASSERT_TRUE(CreateDirectoryA(name, nullptr));
    ordner = name;
    GetCurrentDirectoryA(sizeof altesVerzeichnis, altesVerzeichnis);
    ASSERT_TRUE(SetCurrentDirectoryA(ordner.c_str()));
}

void ShellFixture::TearDown()
{
    SetCurrentDirectoryA(altesVerzeichnis);
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((ordner + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA(Pfad(fd.cFileName).c_str());
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(ordner.c_str());
    MeldungsBox = MessageBoxA;
}

void ShellFixture::Schreibe(const char* name, const std::string& inhalt) const
{
    std::ofstream(Pfad(name), std::ios::binary) << inhalt;
}

std::string ShellFixture::Lies(const char* name, bool binaer) const
{
    std::ifstream f(Pfad(name), binaer ? std::ios::binary : std::ios::in);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

bool ShellFixture::Existiert(const char* name) const
{
    return GetFileAttributesA(Pfad(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void ShellFixture::KopiereMucal() const
{
    ASSERT_TRUE(CopyFileA(KORLAN_TEST_DIR "/../app/resources/program/mucal.dat", Pfad("mucal.dat").c_str(), FALSE));
}

HWND ShellFixture::Starte()
{
    // The classes stay registered for the life of the test program; later
    // starts behave as a second instance, which registers nothing.
    static bool registriert = false;
    HAUPTDATEN.Instanz = GetModuleHandleA(nullptr);
    HAUPTDATEN.VorherigeInstanz = registriert ? HAUPTDATEN.Instanz : nullptr;
    std::strcpy(HAUPTDATEN.Klassenname, "Korlan");
    std::strcpy(HAUPTDATEN.Titel, "Korlan");
    if (!HAUPTDATEN.RegisterFensterKlassen()) return nullptr;
    registriert = true;
    return HAUPTDATEN.ErzeugeHauptfenster();
}

int ShellFixture::Schliesse(HWND hwnd)
{
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
    return HAUPTDATEN.Nachrichtenschleife();
}

void LaufendesProgramm::SetUp()
{
    ShellFixture::SetUp();
    KopiereMucal();
    hwnd = Starte();
    ASSERT_NE(hwnd, nullptr);
    boxen.clear();
}

void LaufendesProgramm::Beende()
{
    if (hwnd && IsWindow(hwnd)) {
        for (HWND& g : HAUPTDATEN.GrafikHandles) g = nullptr;
        AnzahlFenster = 0;
        antwort = IDOK;
        EXPECT_EQ(Schliesse(hwnd), 0);
    }
    hwnd = nullptr;
}

void LaufendesProgramm::TearDown()
{
    Beende();
    ShellFixture::TearDown();
}

int32_t LaufendesProgramm::OeffneOhneDialog(const char* datei)
{
    if (!CopyFileA(datei, Pfad("numsave0.mes").c_str(), FALSE)) return -1;
    dialog_waechter::Beginne();
    const UINT_PTR uhr = SetTimer(nullptr, 0, 100, DialogAbbrechen);
    AktivesFenster = -1;
    SendMessageA(hwnd, WM_COMMAND, CM_OPEN, LP_REOPEN_BACKUP0);
    MSG m;
    for (int runde = 0; runde < 5; ++runde) {
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        Sleep(5);
    }
    KillTimer(nullptr, uhr);
    dialog_waechter::Beende();
    const int32_t f = AktivesFenster;
    if (f < 0 || f > 3 || !HAUPTDATEN.GrafikHandles[f]) return -1;
    BringWindowToTop(HAUPTDATEN.GrafikHandles[f]);
    UpdateFensterStatus();
    return f;
}
