// The results window inside the running program: results and history
// lines, the result log, trimming, saving, the clipboard, the popup menu
// and the views.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstring>
#include <string>

#include "app/shell/shell_fixture.h"
#include "resource_ids.h"
#include "shell/child_windows.h"
#include "spectra/file_commands_win.h"
#include "spectra/spectra_globals.h"

namespace {

std::string DialogPfad;
std::string DialogFilter;
int DialogAufrufe = 0;

BOOL WINAPI SpeichernDialog(LPOPENFILENAMEA ofn)
{
    ++DialogAufrufe;
    DialogFilter = ofn->lpstrFilter ? ofn->lpstrFilter : "";
    if (DialogPfad.empty()) return FALSE;
    std::strcpy(ofn->lpstrFile, DialogPfad.c_str());
    return TRUE;
}

}  // namespace

class ResultsFenster : public LaufendesProgramm {
protected:
    std::string kopf;  // "results.dat" as the start left it

    void SetUp() override
    {
        LaufendesProgramm::SetUp();
        ASSERT_NE(ResultsWindow.Fenster, nullptr);
        ASSERT_NE(ResultsWindow.Edit, nullptr);
        // The platform's rich-edit control (Wine has it too).
        EXPECT_EQ(ResultsWindow.RichEdit, 1);
        boxen.clear();
        ResultsWindow.FitTextDa = 0;
        ResultsWindow.FitText[0] = '\0';
        ResultsWindow.ErgebnisLog = 1;
        RedrawPerMessage = 1;
        DialogPfad.clear();
        DialogAufrufe = 0;
        SpeichernDateiDialog = SpeichernDialog;
        kopf = Lies("results.dat");
    }
    void TearDown() override
    {
        SpeichernDateiDialog = GetSaveFileNameA;
        RedrawPerMessage = 1;
        LaufendesProgramm::TearDown();
    }

    void Befehl(int32_t id, const char* text = nullptr)
    {
        if (text) std::strcpy(CommandText, text);
        SendMessageA(ResultsWindow.Fenster, WM_COMMAND, id, 0);
    }
    // Handles what the window posted to itself.
    void Abarbeiten()
    {
        MSG m;
        while (PeekMessageA(&m, ResultsWindow.Fenster, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    }
    std::string Gezeigt() const
    {
        std::string t(static_cast<size_t>(GetWindowTextLengthA(ResultsWindow.Edit)) + 1, '\0');
        t.resize(GetWindowTextA(ResultsWindow.Edit, &t[0], static_cast<int>(t.size())));
        return t;
    }
    std::string Titel() const
    {
        char t[100] = "";
        GetWindowTextA(ResultsWindow.Fenster, t, sizeof t);
        return t;
    }
    bool EditSichtbar() const { return IsWindowVisible(ResultsWindow.Edit) != 0; }
    // The history without its opening date line.
    static std::string OhneErsteZeile(const std::string& h)
    {
        size_t ende = h.find("\r\n", 2);
        return ende == std::string::npos ? std::string() : h.substr(ende + 2);
    }
    static std::string Textmodus(std::string s)
    {
        for (size_t i; (i = s.find("\r\n")) != std::string::npos;) s.erase(i, 1);
        return s;
    }
};

TEST_F(ResultsFenster, TheLogReceivesExactlyTheHistoryLinesShown)
{
    ASSERT_EQ(kopf.rfind("Korlan-Results: \n", 0), 0u);
    EXPECT_NE(std::string(ResultsWindow.HistorieText).find("  Current date and time :   "), std::string::npos);

    Befehl(CM_HISTORIENZEILE, "-- FILE  : C:\\data\\cu.mes\r\n    data points : 912 , Columns : 2");
    // Hidden window: the history grows, nothing is shown.
    EXPECT_FALSE(IsWindowVisible(ResultsWindow.Fenster));
    Befehl(CM_NEUES_ERGEBNIS, "Integral  :  12.5\r\nfrom 8900 to 9100");
    EXPECT_TRUE(IsWindowVisible(ResultsWindow.Fenster));
    EXPECT_EQ(Titel(), "Results");
    EXPECT_EQ(Gezeigt(), "Integral  :  12.5\r\nfrom 8900 to 9100");
    Befehl(CM_HISTORIENZEILE, "--: cu.mes  Section 8950 - 9050");
    EXPECT_EQ(Titel(), "Results / History");

    const std::string gezeigt = Gezeigt();
    EXPECT_EQ(gezeigt, std::string(ResultsWindow.HistorieText));
    // Each text follows a line end of its own.
    EXPECT_EQ(OhneErsteZeile(gezeigt),
              "\r\n-- FILE  : C:\\data\\cu.mes\r\n    data points : 912 , Columns : 2\r\n"
              "Integral  :  12.5\r\nfrom 8900 to 9100\r\n"
              "--: cu.mes  Section 8950 - 9050");
    const std::string log = Lies("results.dat");
    ASSERT_EQ(log.compare(0, kopf.size(), kopf), 0);
    EXPECT_EQ(log.substr(kopf.size()), Textmodus(OhneErsteZeile(gezeigt)));
}

TEST_F(ResultsFenster, WithoutRedrawPerMessageNewTextsAreIgnored)
{
    const std::string vorher = ResultsWindow.HistorieText;
    RedrawPerMessage = 0;
    Befehl(CM_HISTORIENZEILE, "--: series column 3");
    Befehl(CM_NEUES_ERGEBNIS, "E0 : 8979.0");
    EXPECT_EQ(std::string(ResultsWindow.HistorieText), vorher);
    EXPECT_EQ(ResultsWindow.ErgebnisText[0], '\0');
    EXPECT_FALSE(IsWindowVisible(ResultsWindow.Fenster));
    EXPECT_EQ(Lies("results.dat"), kopf);

    // With the log off the window still keeps its history.
    RedrawPerMessage = 1;
    ResultsWindow.ErgebnisLog = 0;
    Befehl(CM_HISTORIENZEILE, "--: series column 4");
    EXPECT_EQ(std::string(ResultsWindow.HistorieText), vorher + "\r\n--: series column 4");
    EXPECT_EQ(Lies("results.dat"), kopf);
}

TEST_F(ResultsFenster, ANewResultSitsBesideItsGraphicWindowAndHidesAgain)
{
    HWND g = CreateWindowA("static", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, hwnd, nullptr, nullptr, nullptr);
    HAUPTDATEN.GrafikHandles[1] = g;
    AktivesFenster = 1;
    SendMessageA(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(900, 600));
    Befehl(CM_NEUES_ERGEBNIS, "Maximum at 8981.2");
    RECT rg, rr;
    GetWindowRect(g, &rg);
    GetWindowRect(ResultsWindow.Fenster, &rr);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&rg), 2);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&rr), 2);
    RECT client;
    GetClientRect(hwnd, &client);
    const int oben = 2 * HAUPTDATEN.ButtonZeilenHoehe + 6;
    EXPECT_EQ(rg.left, 0);
    EXPECT_EQ(rg.top, oben);
    EXPECT_EQ(rg.right, client.right * 2 / 3);
    EXPECT_EQ(rr.left, client.right * 2 / 3);
    EXPECT_EQ(rr.right, client.right);
    EXPECT_EQ(rr.bottom, client.bottom - HAUPTDATEN.StatusHoehe);
    // The graphic window was brought up last.
    EXPECT_EQ(GetTopWindow(hwnd), g);
    bool gelistet = false;
    for (HWND h : ModelessList) gelistet = gelistet || h == ResultsWindow.Fenster;
    EXPECT_TRUE(gelistet);

    Befehl(18);
    EXPECT_FALSE(IsWindowVisible(ResultsWindow.Fenster));
    for (HWND h : ModelessList) EXPECT_NE(h, ResultsWindow.Fenster);
    // The system menu's "Hide" does the same.
    Befehl(CM_REDRAW);
    EXPECT_TRUE(IsWindowVisible(ResultsWindow.Fenster));
    SendMessageA(ResultsWindow.Fenster, WM_SYSCOMMAND, 18, 0);
    EXPECT_FALSE(IsWindowVisible(ResultsWindow.Fenster));
    // Closing it only hides it: later results still find their window.
    Befehl(CM_REDRAW);
    SendMessageA(ResultsWindow.Fenster, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(IsWindow(ResultsWindow.Fenster));
    EXPECT_FALSE(IsWindowVisible(ResultsWindow.Fenster));
    HAUPTDATEN.GrafikHandles[1] = nullptr;
    DestroyWindow(g);
}

TEST_F(ResultsFenster, TrimmingKeepsTheHistoryInsideItsBlockAndWarns)
{
    // A history line near the warning range.
    const size_t n = std::strlen(ResultsWindow.HistorieText);
    std::string lang(31900 - n, 'x');
    Befehl(CM_HISTORIENZEILE, lang.c_str());
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].titel, "CAUTION !!");
    // The first half was dropped and a fresh date line (as long as the
    // opening one) put in before the text.
    const std::string h = ResultsWindow.HistorieText;
    EXPECT_EQ(h.size(), (n - n / 2) + 2 + n + 2 + lang.size());
    EXPECT_NE(h.find("  Current date and time :   "), std::string::npos);
    EXPECT_EQ(h.substr(h.size() - lang.size()), lang);

    // A text longer than the whole block: the block is never overrun.
    std::string riesig(COMMAND_TEXT_BYTES - 1, 'y');
    Befehl(CM_HISTORIENZEILE, riesig.c_str());
    EXPECT_LT(strnlen(ResultsWindow.HistorieText, sizeof ResultsWindow.HistorieText),
              sizeof ResultsWindow.HistorieText);
    Befehl(124);
    const std::string mitLaenge = ResultsWindow.HistorieText;
    EXPECT_NE(mitLaenge.rfind("\r\nLength  :  "), std::string::npos);
    EXPECT_LT(mitLaenge.size(), sizeof ResultsWindow.HistorieText);
}

TEST_F(ResultsFenster, SavingWritesTheShownTextAsItStands)
{
    Befehl(CM_NEUES_ERGEBNIS, "line 1\r\nline 2\r\n");
    DialogPfad = Pfad("ergebnis.ERG");
    Befehl(111);
    EXPECT_EQ(DialogAufrufe, 1);
    EXPECT_EQ(DialogFilter, "Ergebnisse (*.ERG)");
    EXPECT_EQ(Lies("ergebnis.ERG", true), "line 1\r\nline 2\r\n");

    // Cancelled: nothing written. In the fit-difference view: no dialog.
    DeleteFileA(Pfad("ergebnis.ERG").c_str());
    DialogPfad.clear();
    Befehl(111);
    EXPECT_FALSE(Existiert("ergebnis.ERG"));
    Befehl(121);
    EXPECT_EQ(Titel(), "Fit - Difference");
    EXPECT_FALSE(EditSichtbar());
    Befehl(111);
    EXPECT_EQ(DialogAufrufe, 2);
    // A folder that is not there: the user is told.
    Befehl(123);
    DialogPfad = Pfad("fehlt\\x.ERG");
    Befehl(111);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].titel, "ERROR !!");
}

TEST_F(ResultsFenster, CopyPutsTheSelectionOnTheClipboard)
{
    Befehl(CM_NEUES_ERGEBNIS, "R = 2.54 A\r\nN = 12");
    SendMessageA(ResultsWindow.Edit, EM_SETSEL, 0, 8);
    ASSERT_TRUE(OpenClipboard(hwnd));
    EmptyClipboard();
    CloseClipboard();
    Befehl(CM_KOPIEREN);
    ASSERT_TRUE(OpenClipboard(hwnd));
    HANDLE h = GetClipboardData(CF_TEXT);
    ASSERT_NE(h, nullptr);
    std::string text = static_cast<const char*>(GlobalLock(h));
    GlobalUnlock(h);
    CloseClipboard();
    EXPECT_EQ(text, "R = 2.54");
}

TEST_F(ResultsFenster, PopupAndViews)
{
    ASSERT_NE(ResultsWindow.PopupMenue, nullptr);
    HMENU popup = GetSubMenu(ResultsWindow.PopupMenue, 0);
    ASSERT_NE(popup, nullptr);
    auto grau = [&](UINT id) { return (GetMenuState(popup, id, MF_BYCOMMAND) & MF_GRAYED) != 0; };
    ResultsWindow.PopupEinstellen(popup);
    EXPECT_TRUE(grau(120));
    EXPECT_TRUE(grau(121));
    EXPECT_TRUE(grau(807));
    EXPECT_FALSE(grau(124));

    // A fit report exists; the active window holds an EXAFS refinement.
    std::string fit(26000, 'f');
    std::memcpy(ResultsWindow.FitText, fit.c_str(), fit.size() + 1);
    ResultsWindow.FitTextDa = 1;
    int32_t typen[2] = {25, 25};
    int32_t* alt = GrafikFenster[0].FunktionsTypen;
    GrafikFenster[0].FunktionsTypen = typen;
    GrafikFenster[0].AnzahlFunktionen = 2;
    AktivesFenster = 0;
    ResultsWindow.PopupEinstellen(popup);
    EXPECT_FALSE(grau(120));
    EXPECT_FALSE(grau(121));
    EXPECT_FALSE(grau(807));
    GrafikFenster[0].FunktionsTypen = alt;
    GrafikFenster[0].AnzahlFunktionen = 0;

    Befehl(CM_REDRAW);
    Befehl(120);
    EXPECT_EQ(Titel(), "Fit - Results");
    EXPECT_EQ(Gezeigt().size(), 25000u);
    Befehl(121);
    EXPECT_FALSE(EditSichtbar());
    EXPECT_EQ(ResultsWindow.Ansicht, 1);
    UpdateWindow(ResultsWindow.Fenster);  // paints the view
    // Shift+F9 from the view returns to the history.
    Befehl(126);
    Abarbeiten();
    EXPECT_TRUE(EditSichtbar());
    EXPECT_EQ(ResultsWindow.Ansicht, 0);
    EXPECT_EQ(Titel(), "Results / History");
    EXPECT_NE(Gezeigt().find("Length  :  "), std::string::npos);
}

TEST(ResidualRange, WidensTheValuesAndRefusesWhatCannotBeDrawn)
{
    const double r[4] = {-1.0, 3.0, 0.5, 1.0};
    double lo = 0, hi = 0;
    ASSERT_TRUE(ResidualBereich(r, 4, &lo, &hi));
    EXPECT_DOUBLE_EQ(lo, -1.2);
    EXPECT_DOUBLE_EQ(hi, 3.2);
    const double flach[2] = {0.0, 0.0};
    ASSERT_TRUE(ResidualBereich(flach, 2, &lo, &hi));
    EXPECT_DOUBLE_EQ(lo, -1.0);
    EXPECT_DOUBLE_EQ(hi, 1.0);
    const double unendlich[2] = {0.0, HUGE_VAL};
    EXPECT_FALSE(ResidualBereich(unendlich, 2, &lo, &hi));
    EXPECT_FALSE(ResidualBereich(r, 0, &lo, &hi));
}

TEST_F(ResultsFenster, TheFitDifferenceViewDrawsTheResidualInGreenAndLeavesPlotterAsItWas)
{
    grafik_fenster& g = GrafikFenster[0];
    ASSERT_EQ(g.AllocFelder(), 1);
    const int32_t n = 200;
    double* x = g.GetXFeld(g.AktuellerSlot());
    for (int32_t i = 0; i < n; ++i) {
        x[i] = 8900.0 + i;
        FitDifferenzen[i] = std::sin(i / 10.0);
    }
    g.DateiInfo.PunkteProKurve[g.AktuellerSlot()] = n;
    AktivesFenster = 0;

    PAINTINFO vorher;
    Plotter.GetPaintinfo(&vorher);
    Plotter.SetY("y of a graphic window");

    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = 400;
    bi.bmiHeader.biHeight = -300;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ alt = SelectObject(dc, bmp);
    ResultsWindow.FitDifferenzZeichnen(dc, 400, 300);
    GdiFlush();
    int gruen = 0;
    const uint32_t* p = static_cast<const uint32_t*>(bits);
    for (int i = 0; i < 400 * 300; ++i) gruen += (p[i] & 0xFFFFFF) == 0x008000;  // DIB order BGR
    SelectObject(dc, alt);
    DeleteObject(bmp);
    DeleteDC(dc);
    g.FreeFelder();
    g.DateiInfo.PunkteProKurve[g.AktuellerSlot()] = 0;

    // A sine over two hundred points leaves a long green trace.
    EXPECT_GT(gruen, 200);
    PAINTINFO nachher;
    Plotter.GetPaintinfo(&nachher);
    EXPECT_EQ(std::memcmp(&vorher, &nachher, sizeof vorher), 0);
    char y[VANTOR_LABEL_SIZE] = "";
    Plotter.GetY(y);
    EXPECT_STREQ(y, "y of a graphic window");
}
