// The shell working on the graphic-window records: the command prologue,
// the status line, the menu state and the autosave timer.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "../shell/shell_fixture.h"
#include "resource_ids.h"
#include "shell/child_windows.h"
#include "shell/menu_rules.h"
#include "shell/results_window.h"
#include "shell/settings.h"
#include "spectra/ascii_file.h"
#include "spectra/spectra_globals.h"

namespace {

class GrafikShell : public LaufendesProgramm {
protected:

    void SetUp() override
    {
        LaufendesProgramm::SetUp();
        boxen.clear();
    }
    void TearDown() override
    {
        for (int i = 0; i < 4; ++i) {
            if (HWND g = HAUPTDATEN.GrafikHandles[i]) DestroyWindow(g);
            HAUPTDATEN.GrafikHandles[i] = nullptr;
            GrafikFenster[i].FreeFelder();
            GrafikFenster[i].Reset();
        }
        for (HWND& h : ModelessList) h = nullptr;
        AnzahlFenster = 0;
        MakroRunning = 0;
        LaufendesProgramm::TearDown();
    }

    // Opens graphic window i on its record with n points x = 1..n,
    // y = (x - 3)^2 - 3 (so y runs from -3 to (n - 3)^2 - 3) and brings it
    // to the top.
    HWND Oeffne(int i, int n = 10)
    {
        grafik_fenster& g = GrafikFenster[i];
        g.Reset();
        EXPECT_EQ(g.AllocFelder(), 1);
        g.FensterNummer = i;
        double* x = g.GetXFeld(-1);
        double* y = g.GetYFeld(-1);
        for (int k = 0; k < n; ++k) {
            x[k] = k + 1.0;
            y[k] = (x[k] - 3.0) * (x[k] - 3.0) - 3.0;
        }
        g.DateiInfo.PunkteProKurve[g.AktuellerSlot()] = n;
        std::snprintf(g.DateiInfo.DateiName, sizeof g.DateiInfo.DateiName, "w%d.mes", i);
        g.ZeigeDaten = 1;
        typen[i][0] = 7 + i;
        g.FunktionsTypen = typen[i];
        g.AnzahlFunktionen = 1 + i;
        g.Parameter = parameter[i];
        g.PolyGrad = 2 + i;
        g.ModellArt = 20 + i;
        RECT r;
        GetClientRect(hwnd, &r);
        HWND f = CreateWindowA("paint", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CAPTION,
                               0, 70, 300, 200, hwnd, nullptr, GetModuleHandleA(nullptr), nullptr);
        EXPECT_NE(f, nullptr);
        HAUPTDATEN.GrafikHandles[i] = f;
        AddModeless(f);
        ++AnzahlFenster;
        BringWindowToTop(f);
        return f;
    }

    std::string Status400() const
    {
        char text[300] = "";
        GetWindowTextA(HAUPTDATEN.KindFenster[KIND_STATUS400], text, sizeof text);
        return text;
    }

    int32_t typen[4][4] = {};
    double parameter[4][8] = {};
};

TEST_F(GrafikShell, CommandsTakeTheTopWindowOrTheMacroPlayersWindow)
{
    const ModellCallback alt = HAUPTDATEN.ModellCallback;
    HAUPTDATEN.ModellCallback = [](double, double, double* xs, double* ys, int32_t n) {
        if (xs && ys)
            for (int32_t i = 0; i < n; ++i) ys[i] = xs[i];
        return 1.0;
    };
    struct Zurueck {
        ModellCallback a;
        ~Zurueck() { HAUPTDATEN.ModellCallback = a; }
    } zurueck{alt};
    Oeffne(0);
    Oeffne(1);  // on top
    const struct { int32_t id; LPARAM lParam; bool leert; } faelle[] = {
        {19, 0, true},            // the dispatcher's own command
        {617, 0, true},           // data commands clear the dialog values
        {603, LP_PREPARED, false},
        {501, LP_PREPARED, false},  // the Numeric handler keeps them
        {820, 0, true},           // an XAFS command that answers "not available"
        {915, LP_PREPARED, false},
    };
    for (const auto& f : faelle) {
        for (grafik_fenster& g : GrafikFenster) g.HatDaten = 0;
        AktivesFenster = 0;
        FitFunctionTypes = nullptr;
        HAUPTDATEN.DialogWerte[3] = 7.5;
        HAUPTDATEN.Befehl(f.id, f.lParam);
        EXPECT_EQ(AktivesFenster, 1) << f.id;
        EXPECT_EQ(FitFunctionTypes, typen[1]) << f.id;
        EXPECT_EQ(FitFunctionCount, 2) << f.id;
        EXPECT_EQ(FitParameters, parameter[1]) << f.id;
        EXPECT_EQ(FitPolyDegree, 3) << f.id;
        EXPECT_EQ(FitModellArt, 21) << f.id;
        EXPECT_EQ(GrafikFenster[1].HatDaten, 1) << f.id;
        EXPECT_EQ(GrafikFenster[0].HatDaten, 0) << f.id;
        EXPECT_EQ(HAUPTDATEN.DialogWerte[3], f.leert ? 0.0 : 7.5) << f.id;
    }
    // Command 19 switched the function display of window 1 only.
    EXPECT_EQ(GrafikFenster[1].ZeigeFunktion, 1);
    EXPECT_EQ(GrafikFenster[0].ZeigeFunktion, 0);

    // While a macro plays the player's window is the target, whatever is on top.
    MakroRunning = 1;
    AktivesFenster = 0;
    boxen.clear();
    HAUPTDATEN.DialogWerte[3] = 7.5;
    HAUPTDATEN.Befehl(603, LP_PREPARED);
    EXPECT_EQ(AktivesFenster, 0);
    EXPECT_EQ(FitFunctionTypes, typen[0]);
    EXPECT_EQ(GrafikFenster[0].HatDaten, 1);
    EXPECT_EQ(HAUPTDATEN.DialogWerte[3], 7.5);
    HAUPTDATEN.Befehl(19, LP_PREPARED);
    EXPECT_EQ(GrafikFenster[0].ZeigeFunktion, 1);
    EXPECT_EQ(GrafikFenster[1].ZeigeFunktion, 1);
    EXPECT_TRUE(boxen.empty());
    // A macro naming a closed window reaches no record.
    AktivesFenster = 3;
    GrafikFenster[3].HatDaten = 0;
    HAUPTDATEN.Befehl(19, LP_PREPARED);
    EXPECT_EQ(GrafikFenster[3].HatDaten, 0);
    EXPECT_EQ(GrafikFenster[3].ZeigeFunktion, 0);
}

TEST_F(GrafikShell, StatusFieldShowsTheRangesOfTheActiveCurveAfterACommand)
{
    Oeffne(0, 10);
    Oeffne(1, 4);
    HAUPTDATEN.Befehl(77, 0);  // make window 0 active
    EXPECT_EQ(AktivesFenster, 0);
    EXPECT_EQ(Status400(), "   X :  1  to  10  |  Y :  -3  to  46  |  No :  10");
    HAUPTDATEN.Befehl(78, 0);
    EXPECT_EQ(Status400(), "   X :  1  to  4  |  Y :  -3  to  1  |  No :  4");
    // The window's caption names its file and slot.
    char titel[100] = "";
    GetWindowTextA(HAUPTDATEN.GrafikHandles[1], titel, sizeof titel);
    EXPECT_STREQ(titel, "w1.mes  No.1");

    // The results of window 0 stop following once window 1 is shown.
    ResultsWindow.FensterIndex = 1;
    ResultsWindow.Folgen = 1;
    HAUPTDATEN.Befehl(78, 0);
    EXPECT_EQ(ResultsWindow.Folgen, 1);
    ResultsWindow.FensterIndex = 0;
    HAUPTDATEN.Befehl(78, 0);
    EXPECT_EQ(ResultsWindow.Folgen, 0);
    ResultsWindow.FensterIndex = -1;

    // A curve with an imaginary part counts it in the y range.
    grafik_fenster& g = GrafikFenster[1];
    double* y = g.GetYFeld(-1);
    y[4] = y[3];
    y[5] = -50.0;
    y[6] = 60.5;
    y[7] = 0.0;
    y[8] = 1e-3;
    g.KurvenFlags[g.AktuellerSlot()] |= SLOT_KOMPLEX;
    HAUPTDATEN.Befehl(78, 0);
    EXPECT_EQ(Status400(), "   X :  1  to  4  |  Y :  -50  to  60.5  |  No :  4");
}

TEST_F(GrafikShell, MenuStateComesFromTheRecordOnTop)
{
    Oeffne(0);
    ASSERT_EQ(MenueZustandLeser, &GrafikMenueZustand);
    grafik_fenster& g = GrafikFenster[0];
    g.ZeigeFunktion = 1;
    g.KurvenZaehler = g.NeuesterZaehler = 2;
    g.KurvenFlags[2] = SLOT_KOMPLEX;
    g.DateiInfo.Spalten = 6;
    MENUE_ZUSTAND z;
    ASSERT_TRUE(MenueZustandLeser(0, &z));
    EXPECT_TRUE(z.Daten);
    EXPECT_TRUE(z.Funktion);
    EXPECT_EQ(z.Typ, 7);
    EXPECT_EQ(z.Zaehler, 2);
    EXPECT_EQ(z.SlotFlags, static_cast<int32_t>(SLOT_KOMPLEX));
    EXPECT_EQ(z.Spalten, 6);
    MENUE_ZUSTAND leer;
    EXPECT_FALSE(MenueZustandLeser(1, &leer));
    EXPECT_FALSE(MenueZustandLeser(-1, &leer));
}

TEST_F(GrafikShell, AutosaveWritesExactlyTheMarkedWindowsAndTheyReadBack)
{
    Oeffne(0, 10);
    Oeffne(1, 10);
    Oeffne(2, 12);
    // A stale, longer backup of window 0 must be replaced, not appended to.
    Schreibe("numsave0.mes", std::string(5000, 'x'));
    grafik_fenster& k = GrafikFenster[2];
    k.KurvenFlags[k.AktuellerSlot()] |= SLOT_K_GEWICHTET | SLOT_NICHT_SPEICHERBAR;
    for (grafik_fenster& g : GrafikFenster) g.HatDaten = 0;
    GrafikFenster[0].HatDaten = 1;
    GrafikFenster[2].HatDaten = 1;
    const double vorher = k.GetYFeld(-1)[11];

    SendMessageA(hwnd, WM_TIMER, 6, 0);
    EXPECT_TRUE(boxen.empty());
    EXPECT_FALSE(Existiert("numsave1.mes"));
    EXPECT_FALSE(Existiert("numsave3.mes"));
    for (int i : {0, 2}) {
        char name[20];
        std::snprintf(name, sizeof name, "numsave%d.mes", i);
        ASSERT_TRUE(Existiert(name)) << i;
        DateiInfo info;
        DateiInfoLeeren(&info);
        SpektrumDaten d;
        int32_t fehler = 0;
        const int32_t n = GrafikFenster[i].Punkte();
        ASSERT_EQ(LeseBinaerSpektrumDatei(Pfad(name).c_str(), &info, &d, &fehler), n) << i;
        for (int p = 0; p < n; ++p) {
            EXPECT_EQ(d.x[p], GrafikFenster[i].GetXFeld(-1)[p]) << i << " " << p;
            EXPECT_EQ(d.y[p], GrafikFenster[i].GetYFeld(-1)[p]) << i << " " << p;
        }
        EXPECT_EQ(GrafikFenster[i].HatDaten, 0) << i;
    }
    // The user's curve keeps its weighting and its values.
    EXPECT_EQ(k.GetYFeld(-1)[11], vorher);
    EXPECT_TRUE(k.KurvenFlags[k.AktuellerSlot()] & SLOT_K_GEWICHTET);

    // Nothing marked: the next tick writes nothing. A command marks its window.
    DeleteFileA(Pfad("numsave0.mes").c_str());
    DeleteFileA(Pfad("numsave2.mes").c_str());
    SendMessageA(hwnd, WM_TIMER, 6, 0);
    EXPECT_FALSE(Existiert("numsave0.mes"));
    EXPECT_FALSE(Existiert("numsave2.mes"));
    BringWindowToTop(HAUPTDATEN.GrafikHandles[1]);
    HAUPTDATEN.Befehl(19, 0);
    EXPECT_EQ(AutoSicherung(), 1);
    EXPECT_TRUE(Existiert("numsave1.mes"));
}

TEST_F(GrafikShell, AutosaveOfACurveTooLongForTheBinaryHeaderWritesText)
{
    Oeffne(0);
    grafik_fenster& g = GrafikFenster[0];
    SpektrumDaten d;
    const int32_t n = 40000;
    d.Punkte = n;
    for (int32_t i = 0; i < n; ++i) {
        d.x.push_back(1.0 + 0.01 * i);
        d.y.push_back(0.5 * i);
    }
    ASSERT_EQ(g.SpeichereKurve(d), 1);
    g.DateiInfo.PunkteProKurve[g.AktuellerSlot()] = n;
    ASSERT_EQ(g.Punkte(), n);
    for (grafik_fenster& w : GrafikFenster) w.HatDaten = 0;
    g.HatDaten = 1;
    DeleteFileA(Pfad("numsave0.mes").c_str());
    EXPECT_EQ(AutoSicherung(), 1);
    ASSERT_TRUE(Existiert("numsave0.mes"));
    DateiInfo info;
    DateiInfoLeeren(&info);
    std::snprintf(info.DateiName, sizeof info.DateiName, "%s", Pfad("numsave0.mes").c_str());
    SpektrumDaten r;
    int32_t fehler = 0;
    ASSERT_EQ(LeseSpektrum(&info, &r, nullptr, nullptr, &fehler), n);
    EXPECT_EQ(info.Binaer, 0);
    EXPECT_DOUBLE_EQ(r.y[n - 1], 0.5 * (n - 1));
    EXPECT_EQ(g.HatDaten, 0);
}

TEST_F(GrafikShell, FlipFontAppliesTheOtherProfileToTheWindowAndTheSharedFonts)
{
    Oeffne(0);
    SCHRIFT_PROFIL* p = HAUPTDATEN.SchriftProfile;
    const SCHRIFT_PROFIL alt[2] = {p[0], p[1]};
    const int32_t zweites[10] = {0, 22, 12, 10, 26, 2, 1, 1, 3, 1};
    for (int i = 0; i < 10; ++i) p[1].Wert[i] = zweites[i];
    HAUPTDATEN.AktivesProfil = 1;
    HAUPTDATEN.Befehl(193, 0);
    EXPECT_EQ(HAUPTDATEN.AktivesProfil, 2);
    const PAINTINFO& pi = GrafikFenster[0].Paintinfo;
    EXPECT_EQ(pi.AxisFontHeight, 22);
    EXPECT_EQ(pi.CapitalFontHeight, 26);
    EXPECT_EQ(pi.PlotWidth, 2);
    EXPECT_EQ(pi.FuncWidth, 3);
    EXPECT_EQ(HAUPTDATEN.Schrifthoehen[0], 22);
    EXPECT_EQ(HAUPTDATEN.Schrifthoehen[1], 26);
    LOGFONTA lf{};
    ASSERT_NE(GetObjectA(HAUPTDATEN.Schriften[SCHRIFT_TITEL], sizeof lf, &lf), 0);
    EXPECT_EQ(lf.lfHeight, 26);
    ASSERT_NE(GetObjectA(HAUPTDATEN.Schriften[SCHRIFT_SYMBOL_90], sizeof lf, &lf), 0);
    EXPECT_EQ(lf.lfHeight, 22);
    EXPECT_EQ(lf.lfEscapement, 900);
    EXPECT_STREQ(lf.lfFaceName, "system");
    HAUPTDATEN.Befehl(193, 0);
    EXPECT_EQ(HAUPTDATEN.AktivesProfil, 1);
    p[0] = alt[0];
    p[1] = alt[1];
}

}  // namespace

// The autosave switch and period take effect at once, without a restart.
TEST_F(GrafikShell, AutosaveSwitchAndPeriodReArmTheTimer)
{
    Oeffne(1, 10);
    auto warte = [](DWORD ms) {
        const DWORD ende = GetTickCount() + ms;
        MSG m;
        while (static_cast<int32_t>(ende - GetTickCount()) > 0) {
            while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
            Sleep(20);
        }
    };
    const int32_t altIntervall = HAUPTDATEN.SicherungsIntervall;
    DeleteFileA(Pfad("numsave1.mes").c_str());

    SetzeSicherung(0, 1);
    GrafikFenster[1].HatDaten = 1;
    EXPECT_EQ(AutoSicherung(), 0);
    warte(1600);
    EXPECT_FALSE(Existiert("numsave1.mes"));
    EXPECT_EQ(GrafikFenster[1].HatDaten, 1);

    SetzeSicherung(1, 1);
    EXPECT_EQ(HAUPTDATEN.SicherungAn, 1);
    EXPECT_EQ(HAUPTDATEN.SicherungsIntervall, 1);
    warte(1600);
    EXPECT_TRUE(Existiert("numsave1.mes"));
    EXPECT_EQ(GrafikFenster[1].HatDaten, 0);

    // A period out of range is kept within SetTimer's limits.
    SetzeSicherung(1, 0);
    EXPECT_EQ(HAUPTDATEN.SicherungsIntervall, 1);
    SetzeSicherung(1, 2147483647);
    EXPECT_LT(static_cast<int64_t>(HAUPTDATEN.SicherungsIntervall) * 1000, 2147483647LL);
    SetzeSicherung(1, altIntervall);
    DeleteFileA(Pfad("numsave1.mes").c_str());
}

namespace {

LPARAM Lp(int x, int y) { return MAKELPARAM(x, y); }

// Paints window i so that the plotting object maps its curve.
void Male(int i)
{
    HWND f = HAUPTDATEN.GrafikHandles[i];
    RECT r;
    GetClientRect(f, &r);
    SendMessageA(f, WM_SIZE, 0, MAKELPARAM(r.right, r.bottom));
    InvalidateRect(f, nullptr, TRUE);
    UpdateWindow(f);
}

std::string Status300()
{
    char text[300] = "";
    GetWindowTextA(HAUPTDATEN.KindFenster[KIND_STATUS300], text, sizeof text);
    return text;
}

}  // namespace

TEST_F(GrafikShell, MouseShowsDataCoordinatesAndZoomsInBothDirections)
{
    HWND f = Oeffne(0, 10);
    grafik_fenster& g = GrafikFenster[0];
    Male(0);
    const int w = g.ClientBreite, h = g.ClientHoehe;
    ASSERT_GT(w, 100);
    // Two points inside the plot of the last paint.
    const int links = Plotter.GraphLeft + Plotter.LeftMargin, oben = Plotter.GraphTop;
    const POINT a = {links + Plotter.GraphWidth / 4, oben + Plotter.GraphHeight / 4};
    const POINT b = {links + 3 * Plotter.GraphWidth / 4, oben + 3 * Plotter.GraphHeight / 4};
    double ax, ay, bx, by;
    ASSERT_TRUE(Plotter.GetXYValue(ax, ay, a.x, a.y, 1, 0));
    ASSERT_TRUE(Plotter.GetXYValue(bx, by, b.x, b.y, 1, 0));
    SendMessageA(f, WM_MOUSEMOVE, 0, Lp(a.x, a.y));
    char erwartet[200];
    std::snprintf(erwartet, sizeof erwartet, "    X =  %G  ,   Y =  %G", ax, ay);
    EXPECT_EQ(Status300(), erwartet);
    SendMessageA(f, WM_MOUSEMOVE, 0, Lp(1, 1));
    EXPECT_NE(Status300().find("Click here to change axis scalings"), std::string::npos);

    const POINT wege[2][2] = {{a, b}, {b, a}};
    for (const auto& weg : wege) {
        g.Zoom.Aktiv = 0;
        Male(0);
        HAUPTDATEN.Befehl(616, 0);
        ASSERT_EQ(g.Zoom.Bereit, 1);
        SendMessageA(f, WM_LBUTTONDOWN, MK_LBUTTON, Lp(weg[0].x, weg[0].y));
        SendMessageA(f, WM_MOUSEMOVE, MK_LBUTTON, Lp(weg[1].x, weg[1].y));
        SendMessageA(f, WM_LBUTTONUP, 0, Lp(weg[1].x, weg[1].y));
        EXPECT_EQ(g.Zoom.Aktiv, 1);
        EXPECT_EQ(g.Zoom.Bereit, 0);
        EXPECT_DOUBLE_EQ(g.Zoom.XUnten, ax);
        EXPECT_DOUBLE_EQ(g.Zoom.XOben, bx);
        EXPECT_DOUBLE_EQ(g.Zoom.YUnten, by);
        EXPECT_DOUBLE_EQ(g.Zoom.YOben, ay);
        char titel[100] = "";
        GetWindowTextA(f, titel, sizeof titel);
        EXPECT_STREQ(titel, "--  ZOOM  --");
    }
    // A rectangle without width disarms the zoom and sets nothing.
    g.Zoom.Aktiv = 0;
    Male(0);
    g.Zoom.XUnten = 12345.0;
    HAUPTDATEN.Befehl(616, 0);
    SendMessageA(f, WM_LBUTTONDOWN, MK_LBUTTON, Lp(a.x, a.y));
    SendMessageA(f, WM_LBUTTONUP, 0, Lp(a.x, b.y));
    EXPECT_EQ(g.Zoom.Aktiv, 0);
    EXPECT_EQ(g.Zoom.Bereit, 0);
    EXPECT_EQ(g.Zoom.XUnten, 12345.0);
    EXPECT_TRUE(boxen.empty());
}

TEST_F(GrafikShell, AClickInTheFourCurveViewSelectsTheQuadrantsNewestCurve)
{
    HWND f = Oeffne(0, 10);
    grafik_fenster& g = GrafikFenster[0];
    // Every slot holds the curve.
    for (int s = 1; s < 4; ++s) {
        for (int k = 0; k < 10; ++k) {
            g.GetXFeld(s)[k] = g.GetXFeld(0)[k];
            g.GetYFeld(s)[k] = g.GetYFeld(0)[k] + s;
        }
        g.DateiInfo.PunkteProKurve[s] = 10;
    }
    Male(0);
    const int w = g.ClientBreite, h = g.ClientHoehe;
    // (newest counter, click point, counter selected): the largest counter
    // not above the newest whose slot is the quadrant's.
    struct Fall {
        int32_t neuester;
        POINT p;
        int32_t zaehler;
    };
    const Fall faelle[] = {
        {6, {w / 4, 3 * h / 4}, 6},     {5, {w / 4, 3 * h / 4}, 2},
        {5, {3 * w / 4, h / 4}, 5},     {6, {w / 4, h / 4}, 4},
        {7, {3 * w / 4, 3 * h / 4}, 7}, {1, {3 * w / 4, h / 2}, 1},
    };
    for (const Fall& c : faelle) {
        g.NeuesterZaehler = c.neuester;
        g.KurvenZaehler = c.neuester;
        g.Multiplot = 1;
        Male(0);
        SendMessageA(f, WM_LBUTTONDOWN, MK_LBUTTON, Lp(c.p.x, c.p.y));
        SendMessageA(f, WM_LBUTTONUP, 0, Lp(c.p.x, c.p.y));
        EXPECT_EQ(g.KurvenZaehler, c.zaehler) << c.neuester << " " << c.p.x << "," << c.p.y;
        // The slot is chosen and the four-curve view left.
        EXPECT_EQ(g.Multiplot, 0) << c.neuester;
    }
    EXPECT_TRUE(boxen.empty());
}

TEST_F(GrafikShell, DraggingACurveOntoAnotherWindowCombinesIt)
{
    HWND f1 = Oeffne(1, 10);
    HWND f2 = Oeffne(2, 12);
    grafik_fenster& g1 = GrafikFenster[1];
    grafik_fenster& g2 = GrafikFenster[2];
    Male(2);
    Male(1);
    const int w = g1.ClientBreite, h = g1.ClientHoehe;
    // Dropped on its own start: nothing is combined.
    SendMessageA(f1, WM_LBUTTONDOWN, MK_LBUTTON, Lp(w / 2, h / 2));
    SendMessageA(f1, WM_LBUTTONUP, 0, Lp(w / 2 + 3, h / 2));
    EXPECT_EQ(g1.Kombinieren, 0);
    EXPECT_EQ(g1.KombiAnzahl, 0);

    // From window 1 onto the right half of window 2.
    Male(1);
    SendMessageA(f1, WM_LBUTTONDOWN, MK_LBUTTON, Lp(w / 2, h / 2));
    SendMessageA(f2, WM_MOUSEMOVE, MK_LBUTTON, Lp(3 * g2.ClientBreite / 4, h / 2));
    SendMessageA(f2, WM_LBUTTONUP, 0, Lp(3 * g2.ClientBreite / 4, h / 2));
    EXPECT_EQ(g2.Kombinieren, 1);
    ASSERT_EQ(g2.KombiAnzahl, 2);
    EXPECT_EQ(g2.KombiListe[0], 20);
    EXPECT_EQ(g2.KombiListe[1], 110);
    EXPECT_EQ(g1.Kombinieren, 0);
    EXPECT_TRUE(boxen.empty());
}
