// The main window's handlers in the running program: the menu greying read
// back with GetMenuState in each state of the program, the autosave of
// timer 6 inside a modal dialog, and the recovery of the backups after the
// program was killed. (The deferred error box of timer 5 is tested with
// the dispatcher.)
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "app/dialog_watcher.h"
#include "resource_ids.h"
#include "shell/child_windows.h"
#include "shell_fixture.h"
#include "spectra/change_scale_win.h"
#include "spectra/spectra_globals.h"
#include "spectra/spectrum_file.h"

namespace {

void Pumpe(int runden = 5)
{
    MSG m;
    for (int r = 0; r < runden; ++r) {
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        Sleep(5);
    }
}

// One item of the main menu: popup position, command, and whether it is
// expected enabled (and checked, -1 = not looked at).
struct Punkt {
    int popup;
    int32_t id;
    bool an;
    int haken;
};

class Hauptfenster : public LaufendesProgramm {
protected:
    int32_t fenster = -1;
    void TearDown() override
    {
        HAUPTDATEN.FitZustand = 0;
        HAUPTDATEN.MakroAufnahme = 0;
        for (int i = 0; i < 4; ++i) {
            if (HWND g = HAUPTDATEN.GrafikHandles[i]) DestroyWindow(g);
            HAUPTDATEN.GrafikHandles[i] = nullptr;
        }
        LaufendesProgramm::TearDown();
    }

    // Opens each popup as the menu bar does and compares every listed item.
    void Pruefe(const std::vector<Punkt>& tabelle, const char* zustand)
    {
        for (int popup = 0; popup < 10; ++popup) {
            HMENU p = GetSubMenu(HAUPTDATEN.Hauptmenue, popup);
            ASSERT_NE(p, nullptr);
            SendMessageA(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(p), MAKELPARAM(popup, 0));
        }
        for (const Punkt& t : tabelle) {
            HMENU p = GetSubMenu(HAUPTDATEN.Hauptmenue, t.popup);
            const UINT s = GetMenuState(p, static_cast<UINT>(t.id), MF_BYCOMMAND);
            ASSERT_NE(s, static_cast<UINT>(-1)) << zustand << ": " << t.id;
            EXPECT_EQ((s & MF_GRAYED) == 0, t.an) << zustand << ": item " << t.id;
            if (t.haken >= 0) EXPECT_EQ((s & MF_CHECKED) != 0, t.haken == 1) << zustand << ": item " << t.id;
        }
    }
};

// The items whose state follows the graphic window on top, and what they
// show with the Cu foil open (data shown, no function, one curve, four
// columns).
const std::vector<Punkt> MIT_FENSTER = {
    {0, 70, true, -1},   {0, 111, true, -1},  {1, 602, true, -1},  {0, 604, true, -1},
    {0, 157, true, -1},  {0, 122, true, -1},  {0, 175, false, -1},
    {1, 607, true, -1},  {1, 608, true, -1},  {1, 606, true, -1},  {1, 601, true, -1},
    {1, 603, false, -1}, {1, 164, false, -1}, {1, 619, false, -1},
    {2, 45, true, 1},    {2, 19, true, 0},    {2, 605, true, -1},  {2, 3, true, -1},
    {2, 5, true, -1},    {2, 4, false, -1},   {2, 1, false, -1},   {2, 2, false, -1},
    {2, 155, false, -1}, {2, 616, true, -1},  {2, 136, true, -1},  {2, 614, true, -1},
    {3, 515, true, -1},  {3, 521, false, -1}, {3, 523, false, -1},
    {4, 843, true, -1},  {4, 847, true, 1},   {4, 846, true, 0},
    {8, 112, true, -1},  {8, 450, true, -1},
    {9, 125, true, -1},  {9, 614, false, -1},
};

// The same items with no graphic window.
const std::vector<Punkt> OHNE_FENSTER = {
    {0, 70, false, -1},  {0, 111, false, -1}, {1, 602, false, -1}, {0, 604, false, -1},
    {0, 157, false, -1}, {0, 122, false, -1},
    {1, 607, false, -1}, {1, 608, false, -1}, {1, 606, false, -1}, {1, 601, false, -1},
    {2, 45, false, 0},   {2, 605, false, -1}, {2, 3, false, -1},   {2, 5, false, -1},
    {2, 4, false, -1},   {2, 1, true, -1},    {2, 2, false, -1},   {2, 616, true, -1},
    {3, 515, false, -1}, {4, 843, false, -1},
    {8, 112, false, -1}, {8, 450, false, -1},
    {9, 125, false, -1}, {9, 614, false, -1},
};

}  // namespace

TEST_F(Hauptfenster, MenuGreyingFollowsTheStateOfTheProgram)
{
    HWND ergebnis = HAUPTDATEN.KindFenster[KIND_ERGEBNIS];
    ShowWindow(ergebnis, SW_HIDE);
    Pruefe(OHNE_FENSTER, "no window");

    // The results window on top: Arrange works, the window items do not.
    ShowWindow(ergebnis, SW_SHOW);
    BringWindowToTop(ergebnis);
    std::vector<Punkt> ergebnisOben = OHNE_FENSTER;
    for (Punkt& p : ergebnisOben)
        if (p.id == 125) p.an = true;
    Pruefe(ergebnisOben, "results window on top");

    fenster = OeffneOhneDialog(KORLAN_TEST_DIR "/app/spectra/data/cu_metal_rt.xdi");
    ASSERT_GE(fenster, 0);
    Pruefe(MIT_FENSTER, "one window");

    // A second curve (the next column, chosen in the bar): Previous, Show
    // All; at the newest slot Next stays off.
    HWND spalte = ButtonBar.Boxen[BOX_Y_SPALTE - 101];
    SendMessageA(spalte, CB_SETCURSEL, 2, 0);
    SendMessageA(ButtonBar.Fenster, WM_COMMAND, MAKEWPARAM(BOX_Y_SPALTE, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(spalte));
    Pumpe();
    ASSERT_EQ(GrafikFenster[fenster].NeuesterZaehler, 1);
    BringWindowToTop(HAUPTDATEN.GrafikHandles[fenster]);
    std::vector<Punkt> zwei = MIT_FENSTER;
    for (Punkt& p : zwei)
        if (p.popup == 2 && (p.id == 2 || p.id == 4)) p.an = true;
    Pruefe(zwei, "two curves");

    // Recording a macro and a running fit change none of these rules.
    HAUPTDATEN.MakroAufnahme = 1;
    Pruefe(zwei, "macro recording");
    HAUPTDATEN.MakroAufnahme = 0;
    HAUPTDATEN.FitZustand = 1;
    Pruefe(zwei, "fit running");
    HAUPTDATEN.FitZustand = 0;

    // The data hidden (45): the items that need data are greyed, the check goes.
    SendMessageA(hwnd, WM_COMMAND, 45, 0);
    Pumpe();
    std::vector<Punkt> ohneDaten = {{0, 70, false, -1}, {0, 111, false, -1}, {1, 607, false, -1},
                                    {2, 45, true, 0},   {2, 605, false, -1}, {3, 515, false, -1},
                                    {8, 112, false, -1}, {0, 604, true, -1}};
    Pruefe(ohneDaten, "data hidden");
}

namespace {
HWND hauptFuerUhr = nullptr;
bool imDialogGetickt = false;
void CALLBACK TickImDialog(HWND, UINT, UINT_PTR, DWORD)
{
    HWND d = dialog_waechter::ObersterDialog();
    if (!d || !IsWindowVisible(d)) return;
    if (!imDialogGetickt) {
        // The autosave period ends while the modal dialog runs its loop.
        imDialogGetickt = true;
        SendMessageA(hauptFuerUhr, WM_TIMER, 6, 0);
        return;
    }
    PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
}
}  // namespace

TEST_F(Hauptfenster, Timer6InsideAModalDialogWritesACompleteBackup)
{
    fenster = OeffneOhneDialog(KORLAN_TEST_DIR "/app/spectra/data/cu_metal_rt.xdi");
    ASSERT_GE(fenster, 0);
    grafik_fenster& g = GrafikFenster[fenster];
    // A stale longer backup must not survive in the new one.
    Schreibe("numsave0.mes", std::string(20000, 'x'));
    for (grafik_fenster& w : GrafikFenster) w.HatDaten = 0;
    g.HatDaten = 1;

    hauptFuerUhr = hwnd;
    imDialogGetickt = false;
    dialog_waechter::Beginne();
    const UINT_PTR uhr = SetTimer(nullptr, 0, 60, TickImDialog);
    SkalenDialog(fenster);
    KillTimer(nullptr, uhr);
    dialog_waechter::Beende();
    ASSERT_TRUE(imDialogGetickt);

    char name[20];
    std::snprintf(name, sizeof name, "numsave%d.mes", static_cast<int>(fenster));
    ASSERT_TRUE(Existiert(name));
    DateiInfo info;
    DateiInfoLeeren(&info);
    SpektrumDaten d;
    int32_t fehler = 0;
    ASSERT_EQ(LeseBinaerSpektrumDatei(Pfad(name).c_str(), &info, &d, &fehler), g.Punkte());
    // The binary format keeps single precision: every value comes back as
    // the curve's value rounded to it, nothing else.
    for (int32_t i = 0; i < g.Punkte(); ++i) {
        ASSERT_EQ(d.x[i], static_cast<double>(static_cast<float>(g.GetXFeld(-1)[i]))) << i;
        ASSERT_EQ(d.y[i], static_cast<double>(static_cast<float>(g.GetYFeld(-1)[i]))) << i;
    }
    EXPECT_EQ(g.HatDaten, 0);
}

namespace {

struct Suche {
    DWORD prozess;
    const char* titel;
    HWND gefunden;
};

BOOL CALLBACK FensterDesProzesses(HWND h, LPARAM l)
{
    Suche* s = reinterpret_cast<Suche*>(l);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid != s->prozess || !IsWindowVisible(h)) return TRUE;
    char t[200] = "";
    GetWindowTextA(h, t, sizeof t);
    if (std::strcmp(t, s->titel) != 0) return TRUE;
    s->gefunden = h;
    return FALSE;
}

// A visible top-level window of the process with that title, waited for up
// to 20 s.
HWND Warte(DWORD prozess, const char* titel)
{
    for (int i = 0; i < 400; ++i) {
        Suche s{prozess, titel, nullptr};
        EnumWindows(FensterDesProzesses, reinterpret_cast<LPARAM>(&s));
        if (s.gefunden) return s.gefunden;
        Sleep(50);
    }
    return nullptr;
}

struct Kinder {
    std::vector<std::string> titel;
};
BOOL CALLBACK KindSammeln(HWND h, LPARAM l)
{
    Kinder* k = reinterpret_cast<Kinder*>(l);
    char klasse[32] = "", t[300] = "";
    GetClassNameA(h, klasse, sizeof klasse);
    GetWindowTextA(h, t, sizeof t);
    if (std::strcmp(klasse, "paint") == 0) k->titel.push_back(t);
    return TRUE;
}

class Absturz : public ShellFixture {
protected:
    PROCESS_INFORMATION pi{};
    std::string programm;

    void SetUp() override
    {
        ShellFixture::SetUp();
        KopiereMucal();
        char pfad[MAX_PATH];
        GetModuleFileNameA(nullptr, pfad, sizeof pfad);
        programm = pfad;
        programm = programm.substr(0, programm.find_last_of("\\/")) + "\\korlan.exe";
    }
    void TearDown() override
    {
        Ende();
        ShellFixture::TearDown();
    }
    bool Start()
    {
        std::string befehl = "\"" + programm + "\"";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        return CreateProcessA(nullptr, &befehl[0], nullptr, nullptr, FALSE, 0, nullptr, ordner.c_str(), &si,
                              &pi) != 0;
    }
    // Ends the program at once, as kill -9 does: no shutdown code runs.
    void Ende()
    {
        if (!pi.hProcess) return;
        TerminateProcess(pi.hProcess, 9);
        WaitForSingleObject(pi.hProcess, 10000);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
        pi = PROCESS_INFORMATION{};
    }
};

}  // namespace

TEST_F(Absturz, KilledAfterAnAutosaveTheNextStartOffersAndReopensTheBackup)
{
    ASSERT_TRUE(Start());
    HWND haupt = Warte(pi.dwProcessId, "Korlan");
    ASSERT_NE(haupt, nullptr);
    // A two-column measurement, handed to the running program through the
    // backup route of Open.
    ASSERT_TRUE(CopyFileA(KORLAN_TEST_DIR "/app/spectra/data/EMG003.txt", Pfad("numsave3.mes").c_str(), FALSE));
    PostMessageA(haupt, WM_COMMAND, CM_OPEN, LP_REOPEN_BACKUP0 + 3);
    Kinder k;
    for (int i = 0; i < 200 && k.titel.empty(); ++i) {
        Sleep(50);
        k = Kinder{};
        EnumChildWindows(haupt, KindSammeln, reinterpret_cast<LPARAM>(&k));
    }
    ASSERT_EQ(k.titel.size(), 1u);
    DeleteFileA(Pfad("numsave3.mes").c_str());
    // A command marks the window, the autosave period ends.
    PostMessageA(haupt, WM_COMMAND, 19, 0);
    PostMessageA(haupt, WM_TIMER, 6, 0);
    for (int i = 0; i < 200 && !Existiert("numsave0.mes"); ++i) Sleep(50);
    ASSERT_TRUE(Existiert("numsave0.mes"));
    Sleep(300);
    Ende();
    ASSERT_TRUE(Existiert("numsave0.mes"));

    // The next start asks; Yes reopens the backup in a window.
    ASSERT_TRUE(Start());
    HWND frage = Warte(pi.dwProcessId, "What have you done ??");
    ASSERT_NE(frage, nullptr);
    SendMessageA(GetDlgItem(frage, IDYES), BM_CLICK, 0, 0);
    haupt = Warte(pi.dwProcessId, "Korlan");
    ASSERT_NE(haupt, nullptr);
    // The window is created under its class's title and named after the
    // file once the file is read: wait for the name.
    k = Kinder{};
    for (int i = 0; i < 200 && (k.titel.empty() || k.titel[0].rfind("numsave0.mes", 0) != 0); ++i) {
        Sleep(50);
        k = Kinder{};
        EnumChildWindows(haupt, KindSammeln, reinterpret_cast<LPARAM>(&k));
    }
    ASSERT_EQ(k.titel.size(), 1u);
    EXPECT_EQ(k.titel[0].rfind("numsave0.mes", 0), 0u) << k.titel[0];
    // Its curve is the measurement: the backup holds the 1128 points of
    // the file (in the binary format's single precision).
    DateiInfo info;
    DateiInfoLeeren(&info);
    SpektrumDaten d;
    int32_t fehler = 0;
    ASSERT_EQ(LeseBinaerSpektrumDatei(Pfad("numsave0.mes").c_str(), &info, &d, &fehler), 1128);
    std::ifstream f(KORLAN_TEST_DIR "/app/spectra/data/EMG003.txt");
    std::string zeile;
    int32_t i = 0;
    while (std::getline(f, zeile)) {
        double e = 0.0, mu = 0.0;
        if (zeile.empty() || zeile[0] == '#' || std::sscanf(zeile.c_str(), "%lf %lf", &e, &mu) != 2) continue;
        ASSERT_LT(i, 1128);
        EXPECT_EQ(d.x[i], static_cast<double>(static_cast<float>(e))) << i;
        EXPECT_EQ(d.y[i], static_cast<double>(static_cast<float>(mu))) << i;
        ++i;
    }
    EXPECT_EQ(i, 1128);
}
