// Every item of the main menu, chosen as a user would with two graphic
// windows open on a measured spectrum, must show something: a changed
// curve, window, file or setting, a dialog, a menu, a message (the "not
// available" box included) or a started program. An item that does
// nothing visible is a fault.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "resource_ids.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "shell/macro_bar.h"
#include "shell_fixture.h"
#include "spectra/file_commands_win.h"
#include "spectra/spectra_globals.h"

namespace {

const char* const SPEKTRUM = KORLAN_TEST_DIR "/app/spectra/data/cu_10k.xmu";

// What happened during one item.
std::string OeffnenPfad;
int DateiDialoge = 0, Dialoge = 0, Menues = 0, Programme = 0, Beenden = 0;
HHOOK Haken = nullptr;
std::vector<HWND> OffeneDialoge;
int Takte = 0;

BOOL WINAPI DateiDialog(LPOPENFILENAMEA ofn)
{
    if (!OeffnenPfad.empty() && OeffnenPfad.size() < ofn->nMaxFile) {
        std::strcpy(ofn->lpstrFile, OeffnenPfad.c_str());
        return TRUE;
    }
    ++DateiDialoge;
    return FALSE;
}

UINT WINAPI Programm(LPCSTR, UINT)
{
    ++Programme;
    return 33;
}

LRESULT CALLBACK CbtHaken(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        char klasse[16] = "";
        GetClassNameA(reinterpret_cast<HWND>(wParam), klasse, sizeof klasse);
        if (std::strcmp(klasse, "#32770") == 0) {
            ++Dialoge;
            OffeneDialoge.push_back(reinterpret_cast<HWND>(wParam));
        } else if (std::strcmp(klasse, "#32768") == 0) {
            ++Menues;
        }
    }
    return CallNextHookEx(Haken, code, wParam, lParam);
}

// Inside a modal loop: menus are ended, dialogs cancelled, then closed,
// then ended, so that no item can hold the walk.
void CALLBACK Schliesser(HWND, UINT, UINT_PTR, DWORD)
{
    ++Takte;
    if (Menues > 0) EndMenu();
    for (HWND d : OffeneDialoge) {
        if (!IsWindow(d)) continue;
        if (Takte % 12 < 6) PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
        else if (Takte % 12 < 10) PostMessageA(d, WM_CLOSE, 0, 0);
        else EndDialog(d, IDCANCEL);
    }
}

BOOL CALLBACK Kind(HWND h, LPARAM lp)
{
    auto& s = *reinterpret_cast<std::ostringstream*>(lp);
    char klasse[40] = "", text[200] = "";
    GetClassNameA(h, klasse, sizeof klasse);
    GetWindowTextA(h, text, sizeof text);
    RECT r{};
    GetWindowRect(h, &r);
    s << klasse << '|' << text << '|' << IsWindowVisible(h) << IsIconic(h) << IsZoomed(h) << '|' << r.left
      << ',' << r.top << ',' << r.right << ',' << r.bottom << ';';
    if (std::strstr(klasse, "RichEdit") || std::strcmp(klasse, "Edit") == 0)
        s << GetWindowTextLengthA(h) << ';';
    return TRUE;
}

void MenueZustand(HMENU m, std::ostringstream& s)
{
    for (int i = 0; i < GetMenuItemCount(m); ++i) {
        if (HMENU sub = GetSubMenu(m, i)) MenueZustand(sub, s);
        else s << (GetMenuState(m, static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED ? 'x' : '.');
    }
}

struct Eintrag {
    int32_t id;
    std::string text;
    bool aktiv;
};

}  // namespace

class MenueGang : public LaufendesProgramm {
protected:
    void SetUp() override
    {
        LaufendesProgramm::SetUp();
        OeffnenDateiDialog = DateiDialog;
        SpeichernDateiDialog = DateiDialog;
        ProgrammStart = Programm;
        OeffnenPfad = SPEKTRUM;
        for (char& c : OeffnenPfad)
            if (c == '/') c = '\\';
        // A browser that is not there: the help items say so.
        if (HAUPTDATEN.BrowserPfad) std::strcpy(HAUPTDATEN.BrowserPfad, "C:\\nowhere\\browser.exe");
    }
    void TearDown() override
    {
        SchliesseGrafik();
        OeffnenDateiDialog = GetOpenFileNameA;
        SpeichernDateiDialog = GetSaveFileNameA;
        ProgrammStart = WinExec;
        HAUPTDATEN.MakroAufnahme = 0;
        LaufendesProgramm::TearDown();
    }

    // Runs posted messages; the main window's close (Exit) is noted, not run.
    void Pumpe(int runden = 6)
    {
        MSG m;
        for (int i = 0; i < runden; ++i) {
            while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
                if (m.hwnd == hwnd && m.message == WM_SYSCOMMAND && (m.wParam & 0xFFF0) == SC_CLOSE) {
                    ++Beenden;
                    continue;
                }
                if (m.message == WM_QUIT) continue;
                TranslateMessage(&m);
                DispatchMessageA(&m);
            }
            Sleep(2);
        }
    }
    void SchliesseGrafik()
    {
        for (HWND& g : HAUPTDATEN.GrafikHandles)
            if (g && IsWindow(g)) {
                DestroyWindow(g);
                Pumpe(2);
            }
    }
    // Two graphic windows on the spectrum, nothing else open.
    void Frisch()
    {
        SchliesseGrafik();
        for (HWND d : OffeneDialoge)
            if (IsWindow(d)) DestroyWindow(d);
        OffeneDialoge.clear();
        HAUPTDATEN.MakroAufnahme = 0;
        for (int i = 0; i < 2; ++i) {
            HAUPTDATEN.Befehl(CM_OPEN, 0);
            Pumpe(2);
        }
        ASSERT_EQ(AnzahlFenster, 2);
        FehlerCode = 0;
        boxen.clear();
    }

    std::string Zustand()
    {
        std::ostringstream s;
        s << AnzahlFenster << '/' << AktivesFenster << '/' << (GetMenu(hwnd) != nullptr) << '/'
          << GetClipboardSequenceNumber() << '/' << HAUPTDATEN.MakroAufnahme << '/'
          << HAUPTDATEN.HilfeDeutsch << ';';
        for (int i = 0; i < 4; ++i) {
            if (!HAUPTDATEN.GrafikHandles[i]) continue;
            grafik_fenster& g = GrafikFenster[i];
            s << 'w' << i << ':' << g.KurvenZaehler << ',' << g.NeuesterZaehler << ',' << g.ZeigeDaten << ','
              << g.ZeigeFunktion << ',' << g.Multiplot << ',' << g.Kombinieren << ',' << g.KombiAnzahl << ','
              << g.FunktionenGetrennt << ',' << g.AnzahlFunktionen << ',' << g.Zoom.Bereit << ','
              << g.Grenzen[0] << ',' << g.Grenzen[1] << ',' << g.KGewicht << ',' << g.DateiInfo.XSpalte << ','
              << g.DateiInfo.YSpalte << ',' << g.DateiInfo.Koeffizienten[0] << ',' << g.AktuellerSlot();
            for (int k = 0; k < 4; ++k) s << ',' << g.DateiInfo.PunkteProKurve[k] << '.' << g.KurvenFlags[k];
            const int32_t n = g.Punkte();
            double summe = 0.0;
            if (const double* y = g.GetYFeld(-1))
                for (int32_t k = 0; k < n && k < g.FeldGroesse(); ++k) summe += y[k] * (k + 1);
            s << ',' << summe << ',';
            const unsigned char* p = reinterpret_cast<const unsigned char*>(&g.Paintinfo);
            unsigned long h = 5381;
            for (size_t k = 0; k < sizeof g.Paintinfo; ++k) h = h * 33 + p[k];
            s << h << ';';
        }
        EnumChildWindows(hwnd, Kind, reinterpret_cast<LPARAM>(&s));
        EnumThreadWindows(GetCurrentThreadId(), [](HWND h, LPARAM lp) -> BOOL {
            if (IsWindowVisible(h)) Kind(h, lp);
            return TRUE;
        }, reinterpret_cast<LPARAM>(&s));
        // Check marks as the next opening of each popup shows them.
        for (int i = 0; i < GetMenuItemCount(HAUPTDATEN.Hauptmenue); ++i)
            if (HMENU sub = GetSubMenu(HAUPTDATEN.Hauptmenue, i)) Regeln(sub, i);
        MenueZustand(HAUPTDATEN.Hauptmenue, s);
        WIN32_FIND_DATAA fd;
        HANDLE f = FindFirstFileA((ordner + "\\*").c_str(), &fd);
        if (f != INVALID_HANDLE_VALUE) {
            do s << fd.cFileName << ':' << fd.nFileSizeLow << ';';
            while (FindNextFileA(f, &fd));
            FindClose(f);
        }
        return s.str();
    }

    void Regeln(HMENU m, int position)
    {
        SendMessageA(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(m), MAKELPARAM(position, FALSE));
        for (int i = 0; i < GetMenuItemCount(m); ++i)
            if (HMENU sub = GetSubMenu(m, i)) Regeln(sub, i);
    }

    // The items of top-level popup `position` with their state after the
    // popup's own rules ran, as opening it by mouse would run them.
    void Sammle(HMENU m, int position, std::vector<Eintrag>& eintraege)
    {
        SendMessageA(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(m), MAKELPARAM(position, FALSE));
        for (int i = 0; i < GetMenuItemCount(m); ++i) {
            if (HMENU sub = GetSubMenu(m, i)) {
                Sammle(sub, i, eintraege);
                continue;
            }
            MENUITEMINFOA info{};
            char text[100] = "";
            info.cbSize = sizeof info;
            info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
            info.dwTypeData = text;
            info.cch = sizeof text;
            GetMenuItemInfoA(m, static_cast<UINT>(i), TRUE, &info);
            if (info.fType & MFT_SEPARATOR) continue;
            eintraege.push_back({static_cast<int32_t>(info.wID), text, !(info.fState & MFS_GRAYED)});
        }
    }

    void Gehe(int position)
    {
        Frisch();
        HMENU menue = GetSubMenu(HAUPTDATEN.Hauptmenue, position);
        if (!menue) GTEST_SKIP() << "no popup at " << position;
        char titel[60] = "";
        GetMenuStringA(HAUPTDATEN.Hauptmenue, static_cast<UINT>(position), titel, sizeof titel, MF_BYPOSITION);
        SCOPED_TRACE(titel);
        std::vector<Eintrag> eintraege;
        Sammle(menue, position, eintraege);
        int gewaehlt = 0;
        for (const Eintrag& e : eintraege) {
            if (!e.aktiv) continue;  // a grey item cannot be chosen
            ++gewaehlt;
            Frisch();
            const std::string vorher = Zustand();
            DateiDialoge = Dialoge = Menues = Programme = Beenden = 0;
            Takte = 0;
            OffeneDialoge.clear();
            const std::string pfad = OeffnenPfad;
            OeffnenPfad.clear();  // file dialogs of the item are cancelled
            Haken = SetWindowsHookExA(WH_CBT, CbtHaken, nullptr, GetCurrentThreadId());
            const UINT_PTR uhr = SetTimer(nullptr, 0, 20, Schliesser);
            SendMessageA(hwnd, WM_COMMAND, static_cast<WPARAM>(e.id), 0);
            Pumpe();
            KillTimer(nullptr, uhr);
            UnhookWindowsHookEx(Haken);
            OeffnenPfad = pfad;
            const bool gemeldet = !boxen.empty() || FehlerCode != 0;
            const bool sichtbar = gemeldet || DateiDialoge || Dialoge || Menues || Programme || Beenden ||
                                  Zustand() != vorher;
            EXPECT_TRUE(sichtbar) << "item " << e.id << " \"" << e.text << "\" shows nothing";
            FehlerCode = 0;
            boxen.clear();
        }
        EXPECT_GT(gewaehlt, 0);
    }
};

TEST_F(MenueGang, FileItemsShowSomething) { Gehe(0); }
TEST_F(MenueGang, EditItemsShowSomething) { Gehe(1); }
TEST_F(MenueGang, ShowItemsShowSomething) { Gehe(2); }
TEST_F(MenueGang, NumericItemsShowSomething) { Gehe(3); }
TEST_F(MenueGang, XafsItemsShowSomething) { Gehe(4); }
TEST_F(MenueGang, DxasItemsShowSomething) { Gehe(5); }
TEST_F(MenueGang, TimeResolvedItemsShowSomething) { Gehe(6); }
TEST_F(MenueGang, XrdItemsShowSomething) { Gehe(7); }
TEST_F(MenueGang, OptionsItemsShowSomething) { Gehe(8); }
TEST_F(MenueGang, WindowItemsShowSomething) { Gehe(9); }
TEST_F(MenueGang, TheMenuHasNoFurtherPopup) { EXPECT_EQ(GetMenuItemCount(HAUPTDATEN.Hauptmenue), 10); }
