// The multi-column plot (825, MULTICOLPLOT) on the measured Au L3 time
// series (tests/app/series/data, see SOURCES.md there): the dialog's
// column table, the settings it keeps in the window, and the picture of the
// series drawn as a pseudo-3D view.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "app/series/series_fixture.h"
#include "app/spectra/data_commands_fixture.h"
#include "resource_ids.h"
#include "series/series.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/graphic_drawing.h"

namespace {

SerienKurve LiesKurve(const std::string& name)
{
    SerienKurve k;
    k.Name = name;
    std::ifstream in(std::string(KORLAN_TEST_DIR) + "/app/series/data/" + name);
    for (std::string z; std::getline(in, z);) {
        double a, b;
        if (!z.empty() && z[0] != '#' && std::sscanf(z.c_str(), "%lf %lf", &a, &b) == 2) {
            k.x.push_back(a * 0.001);
            k.y.push_back(b);
        }
    }
    return k;
}

}  // namespace

class MehrspaltenPlot : public SerienOrdnerFixture {
protected:
    int32_t fenster = -1;
    int32_t alteMarke = 0;

    // The eight spectra in time order and t0.12 shifted by 3 eV on the
    // common grid: x and nine data columns.
    void SetUp() override
    {
        SerienOrdnerFixture::SetUp();
        alteMarke = GrafikAnzeige.Hervorhebung;
        std::vector<SerienKurve> kurven;
        for (const char* t : {"0.12", "2.42", "4.73", "7.03", "9.33", "20", "33", "720"})
            kurven.push_back(LiesKurve(std::string("series_t") + t + ".dat"));
        SerienKurve verschoben = kurven[0];
        for (double& x : verschoben.x) x += 0.003;
        kurven.push_back(verschoben);
        SerienGitter gitter;
        ASSERT_GT(BaueSerie(kurven, &gitter), 100);
        std::vector<std::vector<double>> spalten = {gitter.x};
        spalten.insert(spalten.end(), gitter.Spalten.begin(), gitter.Spalten.end());
        ASSERT_EQ(spalten.size(), 10u);
        const std::string pfad = tmp.Datei("series.dxa");
        const double koeff[3] = {0, 0, 0};
        ASSERT_TRUE(SchreibeMcDatei(pfad.c_str(), spalten, koeff, "series.dxa", nullptr));
        fenster = OeffneOhneDialog(pfad.c_str());
        ASSERT_GE(fenster, 0);
        AktivesFenster = fenster;
    }
    void TearDown() override
    {
        GrafikAnzeige.Hervorhebung = alteMarke;
        SerienOrdnerFixture::TearDown();
    }
    grafik_fenster& G() { return GrafikFenster[fenster]; }
    std::vector<int32_t> Liste() { return std::vector<int32_t>(G().SerienListe, G().SerienListe + G().SerienFrames); }
    static DialogSchritt Selektiere(std::vector<int> eintraege)
    {
        return [eintraege](HWND dlg) {
            SendDlgItemMessageA(dlg, IDC_MCP_LISTE, LB_SETSEL, FALSE, -1);
            for (int e : eintraege) SendDlgItemMessageA(dlg, IDC_MCP_LISTE, LB_SETSEL, TRUE, e);
        };
    }
    void Plot(std::vector<DialogSchritt> schritte)
    {
        EXPECT_TRUE(MitDialogen(std::move(schritte), [] { HAUPTDATEN.Befehl(825, 0); }));
    }
};

TEST_F(MehrspaltenPlot, ColumnTableOfTheDialog)
{
    std::vector<std::string> zeilen;
    std::string anzahl, ende;
    Plot({[&](HWND dlg) {
              zeilen = ListenZeilen(dlg, IDC_MCP_LISTE);
              char t[32];
              GetDlgItemTextA(dlg, IDC_MCP_ANZAHL, t, sizeof t);
              anzahl = t;
              GetDlgItemTextA(dlg, IDC_MCP_OBEN, t, sizeof t);
              ende = t;
          },
          SetzeText(IDC_MCP_START, "1"), SetzeText(IDC_MCP_ENDE, "5"), SetzeText(IDC_MCP_SCHRITT, "2"),
          Waehle(IDC_MCP_INVERS), Druecke(IDOK)});
    ASSERT_EQ(zeilen.size(), 9u);
    EXPECT_EQ(zeilen[0], "1. Column");
    EXPECT_EQ(anzahl, "9");
    EXPECT_EQ(ende, "9");
    // Inverse, no selection, 1 to 5 in steps of 2: columns 6, 4, 2.
    EXPECT_EQ(Liste(), (std::vector<int32_t>{6, 4, 2}));
    EXPECT_EQ(G().Kombinieren, 1);

    struct Fall {
        const char* name;
        std::vector<DialogSchritt> schritte;
        std::vector<int32_t> liste;
        int32_t modus, drei;
    };
    Fall faelle[] = {
        // One or two selected entries count as none.
        {"two selected", {Selektiere({0, 8}), SetzeText(IDC_MCP_START, "2"), SetzeText(IDC_MCP_ENDE, "4")},
         {3, 4, 5}, 0, 0},
        {"three selected", {Selektiere({7, 1, 4})}, {3, 6, 9}, 0, 0},
        {"three inverse", {Selektiere({7, 1, 4}), Waehle(IDC_MCP_INVERS)}, {9, 6, 3}, 0, 0},
        // The radios give 10 .. 40; pseudo-3D wins over them.
        {"medium", {Waehle(IDC_MCP_MITTEL)}, {2, 3, 4, 5, 6, 7, 8, 9, 10}, 20, 0},
        {"value", {Waehle(IDC_MCP_WERTWAHL), SetzeText(IDC_MCP_WERT, "0.25")}, {2, 3, 4, 5, 6, 7, 8, 9, 10}, 40, 0},
        {"3D wins", {Waehle(IDC_MCP_STARK), Waehle(IDC_MCP_PSEUDO3D), SetzeText(IDC_MCP_UNTEN, "2"),
                     SetzeText(IDC_MCP_OBEN, "7")},
         {2, 3, 4, 5, 6, 7, 8, 9, 10}, 1, 1},
    };
    for (Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        // Each case starts from a plain choice of all columns.
        G().SerienModus = 0;
        G().Modus3D = 0;
        G().SerienFrames = 0;
        f.schritte.insert(f.schritte.begin(), {SetzeText(IDC_MCP_START, "1"), SetzeText(IDC_MCP_ENDE, "9")});
        f.schritte.push_back(Druecke(IDOK));
        Plot(f.schritte);
        EXPECT_EQ(Liste(), f.liste);
        EXPECT_EQ(G().SerienModus, f.modus);
        EXPECT_EQ(G().Modus3D, f.drei);
    }
    EXPECT_DOUBLE_EQ(G().ZBereich[1], 2.0);
    EXPECT_DOUBLE_EQ(G().ZBereich[0], 7.0);

    // Reopened, the dialog shows what the window keeps.
    bool dreiD = false;
    std::string unten;
    std::vector<int> gewaehlt;
    Plot({[&](HWND dlg) {
              dreiD = IsDlgButtonChecked(dlg, IDC_MCP_PSEUDO3D) == BST_CHECKED;
              char t[32];
              GetDlgItemTextA(dlg, IDC_MCP_UNTEN, t, sizeof t);
              unten = t;
              for (int i = 0; i < 9; ++i)
                  if (SendDlgItemMessageA(dlg, IDC_MCP_LISTE, LB_GETSEL, i, 0) > 0) gewaehlt.push_back(i);
          },
          Druecke(IDCANCEL)});
    EXPECT_TRUE(dreiD);
    EXPECT_EQ(unten, "2");
    EXPECT_EQ(gewaehlt.size(), 9u);
    // Cancel clears the displacement and the pseudo-3D view, not the list.
    EXPECT_EQ(G().SerienModus, 0);
    EXPECT_EQ(G().Modus3D, 0);
    EXPECT_EQ(Liste().size(), 9u);

    // "Mark every": the number, -1 for 0.
    Plot({SetzeText(IDC_MCP_MARKE, "3"), Druecke(IDOK)});
    EXPECT_EQ(GrafikAnzeige.Hervorhebung, 3);
    Plot({SetzeText(IDC_MCP_MARKE, "0"), Druecke(IDOK)});
    EXPECT_EQ(GrafikAnzeige.Hervorhebung, -1);
}

TEST_F(MehrspaltenPlot, MoreThanAHundredColumnsOrNoneAreRefused)
{
    // A file of 101 data columns: 116 before the list is changed.
    std::vector<std::vector<double>> s(1);
    for (int i = 0; i < 20; ++i) s[0].push_back(i);
    for (int c = 0; c < 101; ++c) s.push_back(std::vector<double>(20, c));
    const std::string pfad = tmp.Datei("viele.dxa");
    const double koeff[3] = {0, 0, 0};
    ASSERT_TRUE(SchreibeMcDatei(pfad.c_str(), s, koeff, "viele.dxa", nullptr));
    const int32_t w = OeffneOhneDialog(pfad.c_str());
    ASSERT_GE(w, 0);
    AktivesFenster = w;
    GrafikFenster[w].SerienFrames = 2;
    GrafikFenster[w].SerienListe[0] = 5;
    FehlerCode = 0;
    Plot({Druecke(IDOK)});
    EXPECT_EQ(FehlerCode, 116);
    EXPECT_EQ(GrafikFenster[w].SerienFrames, 0);
    EXPECT_EQ(GrafikFenster[w].SerienListe[0], 5);
    FehlerCode = 0;

    // End before start gives no column: the dialog says so and stays open.
    boxen.clear();
    Plot({SetzeText(IDC_MCP_START, "5"), SetzeText(IDC_MCP_ENDE, "2"), Druecke(IDOK), Druecke(IDCANCEL)});
    ASSERT_FALSE(boxen.empty());
    EXPECT_NE(boxen[0].text.find("at least one column"), std::string::npos);
    EXPECT_EQ(GrafikFenster[w].SerienFrames, 0);
}

TEST_F(MehrspaltenPlot, PseudoThreeDViewOfTheTimeSeries)
{
    Plot({Waehle(IDC_MCP_PSEUDO3D), SetzeText(IDC_MCP_MARKE, "4"), Druecke(IDOK)});
    ASSERT_EQ(Liste().size(), 9u);
    ASSERT_EQ(G().Modus3D, 1);
    HWND h = HAUPTDATEN.GrafikHandles[fenster];
    ShowWindow(h, SW_SHOWMAXIMIZED);
    InvalidateRect(h, nullptr, TRUE);
    UpdateWindow(h);
    EXPECT_TRUE(FensterFoto(h, "multicolplot_pseudo3d.png"));
    // The Combine button ends the view.
    SendMessageA(h, WM_COMMAND, 5, 0);
    EXPECT_EQ(G().Kombinieren, 0);
    EXPECT_EQ(G().SerienFrames, 0);
}
