// Start-up and shutdown of the main window in a temporary program folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "resource_ids.h"
#include "shell/haupt_fenster.h"
#include "shell_fixture.h"

void PruefeHauptmenue(HMENU menu);

namespace {

std::string Klasse(HWND h)
{
    char b[64] = "";
    GetClassNameA(h, b, sizeof b);
    return b;
}

// Saves the window with its menu as a bitmap file for a person to look at.
void SpeichereBild(HWND hwnd, const std::string& pfad)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC fenster = GetWindowDC(hwnd);
    HDC speicher = CreateCompatibleDC(fenster);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bild = CreateDIBSection(fenster, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ alt = SelectObject(speicher, bild);
    BitBlt(speicher, 0, 0, w, h, fenster, 0, 0, SRCCOPY);
    GdiFlush();
    const DWORD zeile = ((w * 3 + 3) / 4) * 4;
    BITMAPFILEHEADER kopf{};
    kopf.bfType = 0x4D42;
    kopf.bfOffBits = sizeof kopf + sizeof bi.bmiHeader;
    kopf.bfSize = kopf.bfOffBits + zeile * h;
    std::ofstream f(pfad, std::ios::binary);
    f.write(reinterpret_cast<const char*>(&kopf), sizeof kopf);
    f.write(reinterpret_cast<const char*>(&bi.bmiHeader), sizeof bi.bmiHeader);
    f.write(static_cast<const char*>(bits), zeile * h);
    SelectObject(speicher, alt);
    DeleteObject(bild);
    DeleteDC(speicher);
    ReleaseDC(hwnd, fenster);
}

void Pumpe()
{
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (m.message == WM_QUIT) { PostQuitMessage(static_cast<int>(m.wParam)); return; }
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

}  // namespace

TEST_F(ShellFixture, StartsMaximisedWithMenuChildWindowsAndResultsLog)
{
    KopiereMucal();
    HWND hwnd = Starte();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_TRUE(IsZoomed(hwnd));
    EXPECT_TRUE(IsWindowVisible(hwnd));

    HMENU menu = GetMenu(hwnd);
    ASSERT_NE(menu, nullptr);
    PruefeHauptmenue(menu);
    EXPECT_FALSE(GetMenuState(menu, 0, MF_BYPOSITION) & MF_GRAYED);
    for (UINT i = 1; i <= 9; ++i) EXPECT_TRUE(GetMenuState(menu, i, MF_BYPOSITION) & MF_GRAYED) << i;
    EXPECT_EQ(HAUPTDATEN.HilfeDeutsch, 1);

    // The child windows with their classes, ids and visibility.
    const struct { int index; const char* klasse; bool sichtbar; } kinder[] = {
        {KIND_ERGEBNIS, "results", false}, {KIND_PROGRESS, "progress", false},
        {KIND_EDITOR, "myedit", false},    {KIND_BUTTONLEISTE, "myButt", true},
    };
    for (const auto& k : kinder) {
        HWND h = HAUPTDATEN.KindFenster[k.index];
        ASSERT_NE(h, nullptr) << k.klasse;
        EXPECT_EQ(GetParent(h), hwnd);
        EXPECT_EQ(Klasse(h), k.klasse);
        EXPECT_EQ(IsWindowVisible(h) != 0, k.sichtbar) << k.klasse;
    }
    char titel[32];
    GetWindowTextA(HAUPTDATEN.KindFenster[KIND_ERGEBNIS], titel, sizeof titel);
    EXPECT_STREQ(titel, "Ergebnisse");
    for (int id : {ID_STATUS_HELP, ID_STATUS_CURVE}) {
        HWND h = GetDlgItem(hwnd, id);
        ASSERT_NE(h, nullptr) << id;
        EXPECT_STREQ(Klasse(h).c_str(), "Button");
        EXPECT_TRUE(IsWindowVisible(h));
    }
    const struct { int id; const char* klasse; } panel[] = {
        {ID_FIT_TEXT, "Edit"}, {CM_FIT_CONTINUE, "Button"}, {CM_FIT_INTERRUPT, "Button"}, {CM_FIT_CANCEL, "Button"}};
    for (const auto& p : panel) {
        HWND h = GetDlgItem(hwnd, p.id);
        ASSERT_NE(h, nullptr) << p.id;
        EXPECT_STREQ(Klasse(h).c_str(), p.klasse);
        EXPECT_FALSE(IsWindowVisible(h));
    }
    GetWindowTextA(GetDlgItem(hwnd, CM_FIT_INTERRUPT), titel, sizeof titel);
    EXPECT_STREQ(titel, "&Interrupt");

    // Fresh results log: its two header lines and the time.
    const std::string log = Lies("results.dat");
    ASSERT_EQ(log.rfind("Korlan-Results: \n\n  Current date and time :   ", 0), 0u) << log;
    EXPECT_EQ(log.find('\r'), std::string::npos);
    EXPECT_EQ(Lies("results.dat", true).find("\r\r"), std::string::npos);
    EXPECT_EQ(log.size(), std::strlen("Korlan-Results: \n\n  Current date and time :   ") + 24 + 3);

    // Start-up state.
    EXPECT_EQ(AktivesFenster, -1);
    EXPECT_EQ(AnzahlFenster, 0);
    EXPECT_STREQ(HAUPTDATEN.ProgrammOrdner, ordner.c_str());
    EXPECT_STREQ(HAUPTDATEN.BrowserPfad, "C:\\test.exe");
    EXPECT_EQ(HAUPTDATEN.ModellCallback, &ModellFunktion);
    EXPECT_EQ(HAUPTDATEN.ChiQuadratCallback, &ExafsFitProzedur);
    EXPECT_EQ(FreeParameterList[1199], 1199);
    EXPECT_DOUBLE_EQ(McMasterTable[0], 0.014);  // K edge of hydrogen, keV
    EXPECT_DOUBLE_EQ(XrdPhaseTable[0].Gitter[2], 5.21);
    EXPECT_EQ(XrdPhaseTable[0].Phasen, 1);
    EXPECT_DOUBLE_EQ(XrdPhaseTable[3].KAlpha[1], 154.44);
    EXPECT_EQ(HAUPTDATEN.SchriftProfile[0].Wert[1], 14);
    EXPECT_NE(HAUPTDATEN.Tastenkuerzel, nullptr);
    EXPECT_TRUE(boxen.empty());

    // A picture of the welcome screen for a person to look at.
    Pumpe();
    UpdateWindow(hwnd);
    CreateDirectoryA((std::string(altesVerzeichnis) + "\\artefacts").c_str(), nullptr);
    SpeichereBild(hwnd, std::string(altesVerzeichnis) + "\\artefacts\\main_window.bmp");
    HDC dc = GetDC(hwnd);
    EXPECT_EQ(GetPixel(dc, 5, HAUPTDATEN.ClientHoehe / 2), RGB(224, 224, 128));
    ReleaseDC(hwnd, dc);

    EXPECT_EQ(Schliesse(hwnd), 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_TRUE(Existiert("numeric.opt"));
}

TEST_F(ShellFixture, BackupsOfACrashedRunAreOfferedAndReopenedInOrder)
{
    KopiereMucal();
    Schreibe("numsave1.mes", "x");
    Schreibe("numsave3.mes", "x");
    antwort = IDYES;
    HWND hwnd = Starte();
    ASSERT_NE(hwnd, nullptr);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].titel, "What have you done ??");
    EXPECT_EQ(boxen[0].text, "The program was terminated unnatural !\r\n   Old backup files have been found.\r\n\r\n"
                             "        Shall they be loaded ?");
    EXPECT_EQ(boxen[0].art, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));

    std::vector<LPARAM> befehle;
    MSG m;
    while (PeekMessageA(&m, hwnd, WM_COMMAND, WM_COMMAND, PM_REMOVE))
        if (LOWORD(m.wParam) == CM_OPEN) befehle.push_back(m.lParam);
    EXPECT_EQ(befehle, (std::vector<LPARAM>{112, 114}));

    // A normal end removes the backups.
    EXPECT_EQ(Schliesse(hwnd), 0);
    EXPECT_FALSE(Existiert("numsave1.mes"));
    EXPECT_FALSE(Existiert("numsave3.mes"));
}

TEST_F(ShellFixture, BackupsDeclinedPostNothing)
{
    KopiereMucal();
    Schreibe("numsave0.mes", "x");
    antwort = IDNO;
    HWND hwnd = Starte();
    ASSERT_NE(hwnd, nullptr);
    ASSERT_EQ(boxen.size(), 1u);
    MSG m;
    EXPECT_FALSE(PeekMessageA(&m, hwnd, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(Schliesse(hwnd), 0);
}

TEST_F(ShellFixture, MissingMcMasterTableIsReportedAndMarked)
{
    HWND hwnd = Starte();
    ASSERT_NE(hwnd, nullptr);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].titel, "Error!");
    EXPECT_NE(boxen[0].text.find("File 'Mucal.dat' was not found in Korlan folder!"), std::string::npos);
    EXPECT_DOUBLE_EQ(McMasterTable[0], MCMASTER_NOT_LOADED);
    EXPECT_EQ(Schliesse(hwnd), 0);
}

TEST_F(ShellFixture, SettingsFilesOfTheProgramFolderAreReadAndOptionsWrittenAtTheEnd)
{
    KopiereMucal();
    Schreibe("xas_E-range.ins", "45");
    Schreibe("browser.dat", std::string(700, 'b'));
    Schreibe("XRD.ini", "70.93\n0.1\n0.3\n0.6\n");
    Schreibe("numeric.ins", "E#k\nmu\nCu\n0,20,20,20,20,1,1,1,1,1,5,6,7,8,9,0,30,31,30,30,2,2,1,1,0,1,2,3,4,5,\n");
    Schreibe("numeric.opt", "9,0.05,3000,1,3\n0,0,0,0,0\n0,*.dat,D:\\data, run 1\n");
    HWND hwnd = Starte();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_DOUBLE_EQ(ExafsOptionen.EnergieBereich, 45.0);
    EXPECT_EQ(std::strlen(HAUPTDATEN.BrowserPfad), 399u);
    EXPECT_DOUBLE_EQ(HAUPTDATEN.Roentgenwellenlaenge, 70.93);
    EXPECT_DOUBLE_EQ(HAUPTDATEN.XrdProfil[2], 0.6);
    EXPECT_STREQ(HAUPTDATEN.XTextListe, "E#k");
    EXPECT_EQ(HAUPTDATEN.SchriftProfile[0].Wert[1], 20);
    EXPECT_EQ(HAUPTDATEN.SchriftProfile[1].Wert[2], 31);
    EXPECT_DOUBLE_EQ(ExafsOptionen.MaxR, 9.0);
    EXPECT_EQ(ExafsOptionen.KPunkte, 4096);
    EXPECT_EQ(ExafsOptionen.KalibrierQuelle, 3);
    EXPECT_STREQ(HAUPTDATEN.DateiFilter, "*.dat");
    EXPECT_STREQ(HAUPTDATEN.DatenOrdner, "D:\\data, run 1");
    EXPECT_EQ(HAUPTDATEN.BinaerSpeichern, 1);

    EXPECT_EQ(Schliesse(hwnd), 0);
    EXPECT_EQ(Lies("numeric.opt"), "9,0.05,4096,1,3,-1\n1,1,1,1,2\n1,*.dat,D:\\data, run 1\n");
}
