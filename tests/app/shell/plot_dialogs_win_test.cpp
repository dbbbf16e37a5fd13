// The plot option dialogs on their real templates: what OK stores in the
// window's plot settings and the print options, what Cancel leaves, the
// sizes PRINTOPT shows, and the palette's capacity.
#include <cstring>

#include "plot_window_fixture.h"
#include "shell_fixture.h"
#include "shell/printing_win.h"
#include "resource_ids.h"
#include "shell/plot_dialogs.h"
#include "shell/plot_dialogs_win.h"
#include "spectra/graphic_drawing.h"

namespace {

bool SeiteA4(int32_t* b, int32_t* h)
{
    *b = 4800;
    *h = 6600;
    return true;
}

bool KeinDrucker(int32_t*, int32_t*)
{
    return false;
}

// The colour entry of a name in a colour box.
Schritt Farbe(int id, const char* name)
{
    std::string n = name;
    return [id, n](HWND dlg) {
        const LRESULT k = SendDlgItemMessageA(dlg, id, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                              reinterpret_cast<LPARAM>(n.c_str()));
        EXPECT_NE(k, CB_ERR) << n;
        SendDlgItemMessageA(dlg, id, CB_SETCURSEL, k, 0);
    };
}

}  // namespace

class PlotDialoge : public PlotFensterFixture {
protected:
    DRUCKER_SEITE alteSeite = nullptr;
    int32_t altesGanz = 0, alteBreite = 0, alteHoehe = 0, alterGrund = 0;
    double alterWinkel = 0, alterFaktor = 0;
    void SetUp() override
    {
        PlotFensterFixture::SetUp();
        alteSeite = DruckerSeite;
        altesGanz = HAUPTDATEN.GanzeSeite;
        alteBreite = HAUPTDATEN.KopierBreite;
        alteHoehe = HAUPTDATEN.KopierHoehe;
        alterGrund = Plotter.PBkgColor;
        alterWinkel = HAUPTDATEN.SchraegWinkel;
        alterFaktor = GrafikAnzeige.Faktor3D;
    }
    void TearDown() override
    {
        DruckerSeite = alteSeite;
        HAUPTDATEN.GanzeSeite = altesGanz;
        HAUPTDATEN.KopierBreite = alteBreite;
        HAUPTDATEN.KopierHoehe = alteHoehe;
        Plotter.SetPBkgColor(alterGrund);
        HAUPTDATEN.SchraegWinkel = alterWinkel;
        GrafikAnzeige.Faktor3D = alterFaktor;
        PlotFensterFixture::TearDown();
    }
};

TEST_F(PlotDialoge, GraphicOptionsStoreTheTableOfValues)
{
    PAINTINFO& p = GrafikFenster[0].Paintinfo;
    p.PlotStyle = 1;
    p.FuncStyle = 1;
    p.BarWidth = -1;
    p.PlotColor = 0x800000;  // "Blue"
    p.BkgColor = 0x123456;   // no entry: the data array's colour is shown
    p.DotScale = 0.4;
    const INT_PTR r = OeffneDialog("OPTIONEN_GRAFIK", OptionenGrafikProc, {
        Pruefe([](HWND dlg) {
            DialogBild(dlg, "optionen_grafik.png");
            EXPECT_TRUE(Gecheckt(dlg, IDC_GRAF_PLOT_CONNECT));
            EXPECT_FALSE(Sichtbar(dlg, IDC_GRAF_KREIS));
            EXPECT_FALSE(Sichtbar(dlg, IDC_GRAF_BALKEN));
            EXPECT_TRUE(Gecheckt(dlg, IDC_GRAF_BALKEN_AUTO));
            EXPECT_TRUE(Gecheckt(dlg, IDC_GRAF_DOT_M));
            EXPECT_EQ(TextVon(dlg, IDC_GRAF_PLOT_FARBE), "Blue");
            EXPECT_EQ(TextVon(dlg, IDC_GRAF_HINTERGRUND), "Blue");
            EXPECT_FALSE(Aktiv(dlg, IDC_GRAF_IMAG));   // no third column
            EXPECT_FALSE(Aktiv(dlg, IDC_GRAF_EINZELN)); // no model of two functions
        }),
        // Circles and triangles for the data array: both size fields, with 4.
        Kreuze(IDC_GRAF_PLOT_CONNECT + 1),
        Kreuze(IDC_GRAF_PLOT_CONNECT + 3),
        Pruefe([](HWND dlg) {
            EXPECT_TRUE(Sichtbar(dlg, IDC_GRAF_KREIS));
            EXPECT_TRUE(Sichtbar(dlg, IDC_GRAF_DREIECK));
            EXPECT_EQ(TextVon(dlg, IDC_GRAF_KREIS), "4");
            EXPECT_EQ(TextVon(dlg, IDC_GRAF_DREIECK), "4");
        }),
        Text(IDC_GRAF_DREIECK, "7"),
        // A spin click below 1 stays at 1.
        Text(IDC_GRAF_KREIS, "1"),
        Pruefe([](HWND dlg) {
            SendMessageA(dlg, WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDC_GRAF_KREIS_SPIN)));
            EXPECT_EQ(TextVon(dlg, IDC_GRAF_KREIS), "1");
            SendMessageA(dlg, WM_VSCROLL, SB_LINEUP, reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDC_GRAF_KREIS_SPIN)));
            SendMessageA(dlg, WM_VSCROLL, SB_LINEUP, reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDC_GRAF_KREIS_SPIN)));
            EXPECT_EQ(TextVon(dlg, IDC_GRAF_KREIS), "3");
        }),
        // Bars for functions open the hatch dialog at once.
        Kreuze(IDC_GRAF_FUNC_CONNECT + 2),
        Pruefe([](HWND dlg) { EXPECT_NE(GetDlgItem(dlg, IDC_BALKEN_ERWEITERT), nullptr); }),
        Kreuze(IDC_BALKEN_HORIZONTAL + 3),
        Kreuze(IDC_BALKEN_ERWEITERT),
        Klick(IDOK),
        Kreuze(IDC_GRAF_BALKEN_AUTO, false),
        Pruefe([](HWND dlg) { EXPECT_TRUE(Sichtbar(dlg, IDC_GRAF_BALKEN)); }),
        Text(IDC_GRAF_BALKEN, "-5"),
        Kreuze(IDC_GRAF_PLOT_GESTRICHELT),
        Kreuze(IDC_GRAF_DOT_S),
        Text(IDC_GRAF_RAHMEN_BREITE, "3"),
        Text(IDC_GRAF_FUNC_BREITE, "4"),
        Farbe(IDC_GRAF_PLOT_FARBE, "Red"),
        Farbe(IDC_GRAF_HINTERGRUND, "White"),
        Kreuze(IDC_GRAF_GITTER),
        Kreuze(IDC_GRAF_KEIN_YTEXT),
        Text(IDC_GRAF_WINKEL, "30"),
        Kreuze(IDC_GRAF_VERH2 + 1),
        Klick(IDOK),
    });
    EXPECT_EQ(r, 1);
    EXPECT_EQ(p.PlotStyle, 1 | 2 | 4);
    EXPECT_EQ(p.FuncStyle, 1 | 64);
    EXPECT_EQ(p.KreisRadius, 3);
    EXPECT_EQ(p.TriangleHeight, 7);
    EXPECT_EQ(p.FuncHatch, 3);
    EXPECT_EQ(p.BarBrush, 1);
    EXPECT_EQ(p.BarWidth, 5);
    EXPECT_EQ(p.PlotPenStyle, 2);
    EXPECT_EQ(p.FuncPenStyle, 0);
    EXPECT_DOUBLE_EQ(p.DotScale, 0.6);
    EXPECT_EQ(p.FrameWidth, 3);
    EXPECT_EQ(p.FuncWidth, 4);
    EXPECT_EQ(p.PlotColor, 0x000080u);
    EXPECT_EQ(p.BkgColor, 0xFFFFFFu);
    EXPECT_EQ(p.ShowGrid, 1);
    EXPECT_EQ(p.ShowYText, 0);
    EXPECT_EQ(p.ShowXText, 1);
    EXPECT_DOUBLE_EQ(HAUPTDATEN.SchraegWinkel, 30.0);
    EXPECT_DOUBLE_EQ(GrafikAnzeige.Faktor3D, 3.0);
    EXPECT_TRUE(meldungen.empty());
}

TEST_F(PlotDialoge, FixedRangeOnlyWhenMinimaLieBelowMaxima)
{
    grafik_fenster& g = GrafikFenster[0];
    const struct { const char *ymin, *ymax; int32_t flag; } faelle[] = {
        {"0.5", "0.5", 0}, {"0.8", "0.2", 0}, {"0.1", "0.9", 1},
    };
    for (const auto& f : faelle) {
        OeffneDialog("OPTIONEN_GRAFIK", OptionenGrafikProc, {
            Kreuze(IDC_GRAF_BEREICH),
            Pruefe([](HWND dlg) {
                // The current curve's y range and x extent fill the fields.
                EXPECT_TRUE(Sichtbar(dlg, IDC_GRAF_YMIN));
                EXPECT_EQ(TextVon(dlg, IDC_GRAF_YMIN), "0");
                EXPECT_EQ(TextVon(dlg, IDC_GRAF_YMAX), "1");
            }),
            Text(IDC_GRAF_YMIN, f.ymin), Text(IDC_GRAF_YMAX, f.ymax),
            Text(IDC_GRAF_XMIN, "8960"), Text(IDC_GRAF_XMAX, "9040"),
            Klick(IDOK),
        });
        EXPECT_EQ(g.FesterBereich, f.flag) << f.ymin << " " << f.ymax;
    }
    EXPECT_DOUBLE_EQ(g.Zoom.FestY[0], 0.1);
    EXPECT_DOUBLE_EQ(g.Zoom.FestX[1], 9040.0);
    // The stored range shows when the dialog opens again; unchecking clears it.
    OeffneDialog("OPTIONEN_GRAFIK", OptionenGrafikProc, {
        Pruefe([](HWND dlg) { EXPECT_EQ(TextVon(dlg, IDC_GRAF_YMAX), "0.9"); }),
        Kreuze(IDC_GRAF_BEREICH, false), Klick(IDOK),
    });
    EXPECT_EQ(g.FesterBereich, 0);
}

TEST_F(PlotDialoge, CancelLeavesThePlotSettingsAndPrintOptions)
{
    DruckerSeite = SeiteA4;
    const PAINTINFO vorher = GrafikFenster[0].Paintinfo;
    HAUPTDATEN.KopierGroesse = 1;
    const struct { const char* name; DLGPROC proc; std::vector<Schritt> schritte; } faelle[] = {
        {"OPTIONEN_GRAFIK", OptionenGrafikProc,
         {Kreuze(IDC_GRAF_GITTER), Text(IDC_GRAF_XNUM, "9"), Klick(IDCANCEL)}},
        {"FONTS", FontsProc, {Text(IDC_FONTS_ACHSE, "40"), Klick(IDCANCEL)}},
        {"PRINTOPT", PrintOptProc, {Kreuze(IDC_PRINTOPT_KLEIN + 2), Kreuze(IDC_PRINTOPT_SEITE), Klick(IDCANCEL)}},
        {"CHOOSECOLOR", ChooseColorProc,
         {WaehleListe(IDC_FARBE_NAMEN, 4), Klick(IDC_FARBE_NEHMEN), Klick(IDCANCEL)}},
    };
    const COLORREF erste = HAUPTDATEN.Farbpalette[0];
    for (const auto& f : faelle) EXPECT_EQ(OeffneDialog(f.name, f.proc, f.schritte), 0) << f.name;
    EXPECT_EQ(std::memcmp(&GrafikFenster[0].Paintinfo, &vorher, sizeof vorher), 0);
    EXPECT_EQ(HAUPTDATEN.KopierGroesse, 1);
    EXPECT_EQ(HAUPTDATEN.GanzeSeite, altesGanz);
    EXPECT_EQ(HAUPTDATEN.Farbpalette[0], erste);
    EXPECT_TRUE(meldungen.empty());
}

TEST_F(PlotDialoge, PrintOptionsShowTheSizesThePrintoutGets)
{
    DruckerSeite = SeiteA4;
    HAUPTDATEN.KopierGroesse = 2;
    HAUPTDATEN.GanzeSeite = 0;
    Plotter.SetPBkgColor(0);
    // The heights follow the print's own rule, width / 1.34.
    int32_t b = 0, h = 0;
    DruckGroesse(1, 4800, 6600, &b, &h);
    EXPECT_EQ(b, 2400);
    EXPECT_EQ(h, 1791);
    const INT_PTR r = OeffneDialog("PRINTOPT", PrintOptProc, {
        Pruefe([](HWND dlg) {
            EXPECT_EQ(TextVon(dlg, IDC_PRINTOPT_XMAX), " max: 4800");
            EXPECT_EQ(TextVon(dlg, IDC_PRINTOPT_YMAX), " max: 6600");
            EXPECT_TRUE(Gecheckt(dlg, IDC_PRINTOPT_KLEIN + 2));
            EXPECT_EQ(TextVon(dlg, IDC_PRINTOPT_X), "4800");
            EXPECT_EQ(TextVon(dlg, IDC_PRINTOPT_Y), "3582");
            EXPECT_FALSE(Aktiv(dlg, IDC_PRINTOPT_X));
        }),
        Kreuze(IDC_PRINTOPT_KLEIN + 1),
        Pruefe([](HWND dlg) {
            EXPECT_EQ(TextVon(dlg, IDC_PRINTOPT_X), "2400");
            EXPECT_EQ(TextVon(dlg, IDC_PRINTOPT_Y), "1791");
        }),
        Kreuze(IDC_PRINTOPT_KLEIN),
        Pruefe([](HWND dlg) {
            EXPECT_EQ(TextVon(dlg, IDC_PRINTOPT_X), "1200");
            EXPECT_EQ(TextVon(dlg, IDC_PRINTOPT_Y), "895");
        }),
        Kreuze(IDC_PRINTOPT_ANDERE),
        Pruefe([](HWND dlg) { EXPECT_TRUE(Aktiv(dlg, IDC_PRINTOPT_X)); }),
        Text(IDC_PRINTOPT_X, "0"),
        Klick(IDOK),
        Text(IDC_PRINTOPT_X, "2000"),
        Text(IDC_PRINTOPT_Y, "1500"),
        Kreuze(IDC_PRINTOPT_FARBIG),
        Klick(IDOK),
    });
    EXPECT_EQ(r, 1);
    ASSERT_EQ(meldungen.size(), 1u);
    EXPECT_EQ(HAUPTDATEN.KopierGroesse, 3);
    EXPECT_EQ(HAUPTDATEN.KopierBreite, 2000);
    EXPECT_EQ(HAUPTDATEN.KopierHoehe, 1500);
    EXPECT_EQ(Plotter.PBkgColor, 1);

    // Full page disables the sizes; without a printer the labels stay.
    DruckerSeite = KeinDrucker;
    OeffneDialog("PRINTOPT", PrintOptProc, {
        Pruefe([](HWND dlg) {
            EXPECT_EQ(TextVon(dlg, IDC_PRINTOPT_XMAX), "X max");
            EXPECT_EQ(TextVon(dlg, IDC_PRINTOPT_X), "2000");
        }),
        Kreuze(IDC_PRINTOPT_SEITE),
        Pruefe([](HWND dlg) { EXPECT_FALSE(Aktiv(dlg, IDC_PRINTOPT_KLEIN)); }),
        Klick(IDOK),
    });
    EXPECT_EQ(HAUPTDATEN.GanzeSeite, 1);
}

TEST_F(PlotDialoge, ColourPicksFillThePaletteUpToItsTwelveColours)
{
    COLORREF vorher[12];
    std::memcpy(vorher, HAUPTDATEN.Farbpalette, sizeof vorher);
    std::vector<Schritt> schritte;
    // Red, Green, then Lightblue ten times, then a thirteenth pick.
    for (int k : {4, 2, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 5}) {
        schritte.push_back(WaehleListe(IDC_FARBE_NAMEN, k));
        schritte.push_back(Klick(IDC_FARBE_NEHMEN));
    }
    schritte.push_back(Pruefe([](HWND dlg) {
        EXPECT_EQ(SendDlgItemMessageA(dlg, IDC_FARBE_WAHL, LB_GETCOUNT, 0, 0), 12);
    }));
    schritte.push_back(Klick(IDOK));
    EXPECT_EQ(OeffneDialog("CHOOSECOLOR", ChooseColorProc, schritte), 1);
    ASSERT_EQ(meldungen.size(), 1u);
    EXPECT_NE(meldungen[0].text.find("12 colours"), std::string::npos);
    EXPECT_EQ(HAUPTDATEN.Farbpalette[0], 0x000080u);
    EXPECT_EQ(HAUPTDATEN.Farbpalette[1], 0x008000u);
    EXPECT_EQ(HAUPTDATEN.Farbpalette[11], 0xFF0000u);

    // Two picks change the first two colours only.
    meldungen.clear();
    EXPECT_EQ(OeffneDialog("CHOOSECOLOR", ChooseColorProc,
                           {WaehleListe(IDC_FARBE_NAMEN, 0), Klick(IDC_FARBE_NEHMEN), WaehleListe(IDC_FARBE_NAMEN, 13),
                            Klick(IDC_FARBE_NEHMEN), Klick(IDOK)}),
              1);
    EXPECT_EQ(HAUPTDATEN.Farbpalette[0], 0x000000u);
    EXPECT_EQ(HAUPTDATEN.Farbpalette[1], 0xFFFFFFu);
    EXPECT_EQ(HAUPTDATEN.Farbpalette[2], 0xFF0000u);
    EXPECT_TRUE(meldungen.empty());
    std::memcpy(HAUPTDATEN.Farbpalette, vorher, sizeof vorher);
}

// The fonts and colours of a window before and after the two dialogs:
// the heights reach the drawing's text records, the pictures are looked at.
TEST_F(PlotDialoge, FontsAndColoursChangeTheNextDrawing)
{
    grafik_fenster& g = GrafikFenster[0];
    std::strcpy(g.XText[0], "Energy [eV]");
    Bild("grafik_vorher.png");
    auto hoehe = [](const plot_test::EmfContent& c, const char* text) {
        for (const auto& t : c.texts)
            if (t.text == text) return static_cast<int>(t.bounds.bottom - t.bounds.top);
        return -1;
    };
    const int vorher = hoehe(Zeichnung(), "Energy [eV]");
    ASSERT_GT(vorher, 0);

    EXPECT_EQ(OeffneDialog("FONTS", FontsProc, {
        Pruefe([](HWND dlg) { EXPECT_EQ(TextVon(dlg, IDC_FONTS_ACHSE), "14"); }),
        Text(IDC_FONTS_ACHSE, "28"),
        Kreuze(IDC_FONTS_GEWICHT + 3 * 1 + 2),   // "Axis" bold
        Kreuze(IDC_FONTS_KURSIV + 3),            // "Capital" italic
        Text(IDC_FONTS_SKALA, "0"),
        Klick(IDOK),                             // refused: height 0
        Text(IDC_FONTS_SKALA, "18"),
        Klick(IDOK),
    }), 1);
    ASSERT_EQ(meldungen.size(), 1u);
    EXPECT_EQ(g.Paintinfo.AxisFontHeight, 28);
    EXPECT_EQ(g.Paintinfo.AxisFontWidth, 13);
    EXPECT_EQ(g.Paintinfo.ScaleFontHeight, 18);
    EXPECT_EQ(HAUPTDATEN.Schrifthoehen[0], 28);
    // Each row's style goes to the font made for that row's size.
    EXPECT_EQ(HAUPTDATEN.FontDaten[0].Gewicht, 700);
    EXPECT_EQ(HAUPTDATEN.FontDaten[1].Kursiv, 1);
    LOGFONTA lf{};
    ASSERT_NE(GetObjectA(HAUPTDATEN.Schriften[SCHRIFT_ACHSE], sizeof lf, &lf), 0);
    EXPECT_EQ(lf.lfHeight, 28);
    EXPECT_EQ(lf.lfWeight, 700);

    EXPECT_EQ(OeffneDialog("OPTIONEN_GRAFIK", OptionenGrafikProc, {
        Farbe(IDC_GRAF_PLOT_FARBE, "Red"), Farbe(IDC_GRAF_HINTERGRUND, "Lightyellow"),
        Text(IDC_GRAF_PLOT_BREITE, "3"), Klick(IDOK),
    }), 1);
    const int nachher = hoehe(Zeichnung(), "Energy [eV]");
    EXPECT_GT(nachher, vorher + 8);
    Bild("grafik_nachher.png");
}

// Each command opens its dialog on the active window; the window is
// redrawn after the plot options whatever the answer.
TEST_F(PlotDialoge, CommandsOpenTheirDialogs)
{
    DruckerSeite = SeiteA4;
    HWND alterHaupt = HAUPTDATEN.Hauptfenster;
    HAUPTDATEN.Hauptfenster = nullptr;
    const struct { const char* titel; int32_t (*befehl)(); int steuerung; } faelle[] = {
        {"Change Plot Options", GrafikOptionen, IDC_GRAF_BEREICH},
        {"Printer Options", DruckOptionen, IDC_PRINTOPT_SEITE},
        {"Colours of the curves", FarbWahl, IDC_FARBE_NEHMEN},
    };
    for (const auto& f : faelle) {
        std::string titel;
        bool steuerung = false;
        const INT_PTR r = MitDialogen(f.titel, [&] { return static_cast<INT_PTR>(f.befehl()); }, {
            Pruefe([&](HWND dlg) {
                char t[80] = "";
                GetWindowTextA(dlg, t, sizeof t);
                titel = t;
                steuerung = GetDlgItem(dlg, f.steuerung) != nullptr;
            }),
            Klick(IDCANCEL),
        });
        EXPECT_EQ(r, 0) << f.titel;
        EXPECT_EQ(titel, f.titel);
        EXPECT_TRUE(steuerung) << f.titel;
    }
    // Without an open window the plot options do not open.
    AktivesFenster = -1;
    EXPECT_EQ(GrafikOptionen(), 0);
    HAUPTDATEN.Hauptfenster = alterHaupt;
}

// The running program asks for the print options before an interactive
// print; Cancel there prints nothing.
class DruckStart : public LaufendesProgramm {};

TEST_F(DruckStart, AnInteractivePrintOpensThePrintOptionsFirst)
{
    ASSERT_EQ(DruckOptionenDialog, DruckOptionenVorDruck);
    DRUCKER_SEITE alteSeite = DruckerSeite;
    DruckerSeite = SeiteA4;
    HDC ref = GetDC(nullptr);
    HDC mf = CreateEnhMetaFileA(ref, nullptr, nullptr, nullptr);
    ReleaseDC(nullptr, ref);
    std::string titel;
    const INT_PTR r = MitDialogen("PRINTOPT", [&] { return static_cast<INT_PTR>(HAUPTDATEN.PrintGrafik(1, mf, 1200, 895, 8, 16, 1)); }, {
        Pruefe([&](HWND dlg) {
            char t[80] = "";
            GetWindowTextA(dlg, t, sizeof t);
            titel = t;
            EXPECT_EQ(GetParent(dlg), HAUPTDATEN.Hauptfenster);
        }),
        Klick(IDCANCEL),
    });
    EXPECT_EQ(r, -1);
    EXPECT_EQ(titel, "Printer Options");
    DeleteEnhMetaFile(CloseEnhMetaFile(mf));
    DruckerSeite = alteSeite;
    DruckOptionenDialog = nullptr;
}
