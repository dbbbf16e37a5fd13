// The help viewer and the assistant inside the running program: every
// dialog's help button has its topic in both help files, the viewer shows a
// topic or says that the file is missing, and the assistant walks a
// scenario to its end.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/shell/shell_fixture.h"
#include "app/spectra/data_commands_fixture.h"
#include "plotting/plot_test_support.h"
#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/help_viewer.h"
#include "shell/help_viewer_win.h"

namespace {

const char* const PROGRAMM = KORLAN_TEST_DIR "/../app/resources/program/";

BOOL CALLBACK Vorlage(HMODULE, LPCSTR, LPSTR name, LONG_PTR liste)
{
    if (!IS_INTRESOURCE(name)) reinterpret_cast<std::vector<std::string>*>(liste)->push_back(name);
    return TRUE;
}

INT_PTR CALLBACK Leer(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

std::string Text(HWND dlg, int id)
{
    char text[4000] = "";
    GetDlgItemTextA(dlg, id, text, sizeof text);
    return text;
}

class Hilfe : public LaufendesProgramm {
protected:
    void KopiereProgrammDatei(const char* name)
    {
        ASSERT_TRUE(CopyFileA((std::string(PROGRAMM) + name).c_str(), Pfad(name).c_str(), FALSE)) << name;
    }
    void TearDown() override
    {
        if (AssistentDialog) DestroyWindow(AssistentDialog);
        AssistentDialog = nullptr;
        HAUPTDATEN.HilfeDeutsch = 1;
        LaufendesProgramm::TearDown();
    }
    // The help viewer on topic `thema`; its text while it was open.
    std::string Zeige(int32_t thema)
    {
        std::string gezeigt = "(not opened)";
        const bool ok = MitDialogen({[&](HWND dlg) { gezeigt = Text(dlg, IDC_HELP_TEXT); }, Druecke(IDOK)},
                                    [&] { ZeigeHilfe(thema); });
        EXPECT_TRUE(ok);
        return gezeigt;
    }
};

// A dialog added later with a help button needs its row in HILFE_DIALOGE
// and its topic in both help files; the failures name what is missing.
TEST_F(Hilfe, EveryHelpButtonOfEveryDialogHasATopicInBothFiles)
{
    std::vector<std::string> vorlagen;
    EnumResourceNamesA(GetModuleHandleA(nullptr), RT_DIALOG, Vorlage, reinterpret_cast<LONG_PTR>(&vorlagen));
    ASSERT_GE(vorlagen.size(), 10u);
    std::string ohneZeile;
    int mitHilfe = 0;
    for (const std::string& v : vorlagen) {
        HWND dlg = CreateDialogParamA(GetModuleHandleA(nullptr), v.c_str(), hwnd, Leer, 0);
        ASSERT_NE(dlg, nullptr) << v;
        // A table may use the number for one of its edits.
        char klasse[32] = "";
        HWND hilfe = GetDlgItem(dlg, IDC_DLG_HELP);
        if (hilfe) GetClassNameA(hilfe, klasse, sizeof klasse);
        const bool knopf = hilfe && lstrcmpiA(klasse, "Button") == 0;
        DestroyWindow(dlg);
        if (!knopf) continue;
        ++mitHilfe;
        if (HilfeThemaVon(v.c_str()) < 0) ohneZeile += " " + v;
    }
    EXPECT_GE(mitHilfe, 10);
    EXPECT_EQ(ohneZeile, "") << "dialogs with a help button but no row in HILFE_DIALOGE:" << ohneZeile;

    std::string fehlend;
    for (const char* datei : {"n_engl.hlp", "n_german.hlp"}) {
        std::FILE* f = std::fopen((std::string(PROGRAMM) + datei).c_str(), "rt");
        ASSERT_NE(f, nullptr) << datei;
        const std::vector<int32_t> themen = HilfeThemen(f);
        std::fclose(f);
        for (size_t i = 0; i < HILFE_DIALOGE_ANZAHL; ++i) {
            const HILFE_DIALOG& d = HILFE_DIALOGE[i];
            if (std::find(themen.begin(), themen.end(), d.Thema) == themen.end())
                fehlend += std::string(" ") + datei + ": topic " + std::to_string(d.Thema) + " (" + d.Vorlage + ");";
        }
    }
    EXPECT_EQ(fehlend, "") << "help topics missing:" << fehlend;
}

TEST_F(Hilfe, ViewerShowsTheTopicInTheChosenLanguage)
{
    KopiereProgrammDatei("n_engl.hlp");
    KopiereProgrammDatei("n_german.hlp");
    HAUPTDATEN.HilfeDeutsch = 0;
    HilfeThema = 33;
    const std::string englisch = Zeige(607);
    EXPECT_EQ(englisch.rfind("\r\nChanges the y values of the current curve", 0), 0u) << englisch;
    EXPECT_EQ(englisch.find("Modify abscissa"), std::string::npos);
    EXPECT_EQ(HilfeThema, 33);
    HAUPTDATEN.HilfeDeutsch = 1;
    const std::string deutsch = Zeige(607);
    EXPECT_EQ(deutsch.rfind("\r\n\xC4ndert die y-Werte", 0), 0u) << deutsch;
    // A topic the file does not have shows an empty text.
    EXPECT_EQ(Zeige(4711), "\r\n");
    EXPECT_TRUE(boxen.empty());
}

TEST_F(Hilfe, MissingHelpFileIsReportedAndTheViewerStillOpens)
{
    HAUPTDATEN.HilfeDeutsch = 0;
    EXPECT_EQ(Zeige(607), "");
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].titel, "Caution !!");
    EXPECT_EQ(boxen[0].text,
              " The Numeric help file 'n_*.hlp'\r\n        is not available !\r\n  Please copy your help file \r\n"
              " to the NUMERIC root directory.");
}

TEST_F(Hilfe, AssistantWalksAScenarioToItsEnd)
{
    KopiereProgrammDatei("assist.txt");
    HAUPTDATEN.Befehl(191, 0);
    HWND a = AssistentDialog;
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(IsWindowVisible(a));
    // A second start keeps the one assistant.
    HAUPTDATEN.Befehl(191, 0);
    EXPECT_EQ(AssistentDialog, a);
    HWND liste = GetDlgItem(a, IDC_ASSIST_LIST);
    EXPECT_EQ(SendMessageA(liste, CB_GETCOUNT, 0, 0), 5);
    EXPECT_NE(Text(a, IDC_ASSIST_TEXT).find("Welcome to Korlan!"), std::string::npos);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(a, IDC_ASSIST_NEXT)));

    SendMessageA(liste, CB_SETCURSEL, 1, 0);
    SendMessageA(a, WM_COMMAND, MAKEWPARAM(IDC_ASSIST_LIST, CBN_SELCHANGE), reinterpret_cast<LPARAM>(liste));
    EXPECT_EQ(Text(a, IDC_ASSIST_TEXT).rfind("Open a spectrum and look at it.", 0), 0u);
    EXPECT_FALSE(IsWindowVisible(liste));
    HWND weiter = GetDlgItem(a, IDC_ASSIST_NEXT);
    EXPECT_TRUE(IsWindowVisible(weiter));
    std::vector<std::string> schritte;
    while (IsWindowEnabled(weiter) && schritte.size() < 10) {
        SendMessageA(a, WM_COMMAND, MAKEWPARAM(IDC_ASSIST_NEXT, BN_CLICKED), reinterpret_cast<LPARAM>(weiter));
        schritte.push_back(Text(a, IDC_ASSIST_TEXT));
    }
    ASSERT_EQ(schritte.size(), 3u);
    for (size_t k = 0; k < schritte.size(); ++k)
        EXPECT_EQ(schritte[k].rfind("Step " + std::to_string(k + 2) + ":", 0), 0u) << schritte[k];
    EXPECT_NE(schritte.back().find("END of this scenario"), std::string::npos);
    EXPECT_FALSE(IsWindowEnabled(weiter));

    // The assistant over the right of the main window, for a person to look at.
    SendMessageA(a, WM_COMMAND, MAKEWPARAM(IDC_ASSIST_LIST, CBN_SELCHANGE), reinterpret_cast<LPARAM>(liste));
    RECT h, r;
    GetWindowRect(hwnd, &h);
    GetWindowRect(a, &r);
    MoveWindow(a, h.right - (r.right - r.left) - 40, h.top + 260, r.right - r.left, r.bottom - r.top, TRUE);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RedrawWindow(a, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    GetWindowRect(a, &r);
    const int W = h.right - h.left, H = h.bottom - h.top;
    plot_test::Canvas cv(W, H);
    for (HWND f : {hwnd, a}) {
        RECT fr;
        GetWindowRect(f, &fr);
        HDC dc = GetWindowDC(f);
        BitBlt(cv.dc, fr.left - h.left, fr.top - h.top, fr.right - fr.left, fr.bottom - fr.top, dc, 0, 0, SRCCOPY);
        ReleaseDC(f, dc);
    }
    // The assistant's text is drawn (not only its grey face).
    EXPECT_GT(cv.Count(RGB(0, 0, 0)), 200);
    EXPECT_TRUE(cv.WritePng((std::string(altesVerzeichnis) + "\\assistant_beside_main.png").c_str()));

    SendMessageA(a, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(AssistentDialog, nullptr);
    EXPECT_FALSE(IsWindow(a));
}

TEST_F(Hilfe, AssistantWithoutItsFileOffersNoScenario)
{
    HAUPTDATEN.Befehl(191, 0);
    HWND a = AssistentDialog;
    ASSERT_NE(a, nullptr);
    HWND liste = GetDlgItem(a, IDC_ASSIST_LIST);
    ASSERT_EQ(SendMessageA(liste, CB_GETCOUNT, 0, 0), 1);
    char eintrag[100] = "";
    SendMessageA(liste, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(eintrag));
    EXPECT_STREQ(eintrag, "  no assistent scenarios found");
    SendMessageA(a, WM_COMMAND, MAKEWPARAM(IDC_ASSIST_LIST, CBN_SELCHANGE), reinterpret_cast<LPARAM>(liste));
    EXPECT_TRUE(IsWindowVisible(liste));
}

}  // namespace
