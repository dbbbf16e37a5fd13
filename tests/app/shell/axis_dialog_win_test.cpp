// ACHSEN on a graphic window with a curve: the text lists with their
// prefix rule, the texts reaching the next drawing, alignment, and the
// legend placed and picked up with the mouse on the preview.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "plot_window_fixture.h"
#include "resource_ids.h"
#include "shell/axis_dialog.h"
#include "shell/axis_dialog_win.h"

namespace {

// A legend text typed into the legend box, as a user's typing reports it.
Schritt LegendenText(const char* text)
{
    std::string t = text;
    return [t](HWND dlg) {
        SetDlgItemTextA(dlg, IDC_ACHSEN_LEGENDE, t.c_str());
        SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_ACHSEN_LEGENDE, CBN_EDITCHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDC_ACHSEN_LEGENDE)));
    };
}

// The mouse at a fraction of the preview's width and height (and dx, dy
// pixels further): moved there, then released.
Schritt Klicke(double fx, double fy, int dx = 0, int dy = 0)
{
    return [fx, fy, dx, dy](HWND dlg) {
        HWND v = GetDlgItem(dlg, IDC_ACHSEN_VORSCHAU);
        RECT r;
        GetClientRect(v, &r);
        POINT p{static_cast<LONG>(r.right * fx) + dx, static_cast<LONG>(r.bottom * fy) + dy};
        MapWindowPoints(v, dlg, &p, 1);
        SendMessageA(dlg, WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
        SendMessageA(dlg, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    };
}

int Eintraege(HWND dlg, int id)
{
    return static_cast<int>(SendDlgItemMessageA(dlg, id, CB_GETCOUNT, 0, 0));
}

}  // namespace

class AchsenDialog : public PlotFensterFixture {
protected:
    std::string Datei(const char* name) const
    {
        std::ifstream f(ordner.Datei(name));
        std::stringstream s;
        s << f.rdbuf();
        return s.str();
    }
};

TEST_F(AchsenDialog, TheListOfTwentyTwoTakesNewTextsByPrefixAndTheDrawingShowsThem)
{
    std::string liste;
    for (int i = 1; i <= 21; ++i) liste += "Energy " + std::to_string(i) + " [keV]#";
    std::strcpy(HAUPTDATEN.XTextListe, liste.c_str());
    std::strcpy(HAUPTDATEN.YTextListe, "mu(E)#");
    // A text an entry begins with enters no list.
    EXPECT_EQ(OeffneDialog("ACHSEN", AchsenProc, {
        Pruefe([](HWND dlg) {
            EXPECT_EQ(Eintraege(dlg, IDC_ACHSEN_X), 22);
            EXPECT_EQ(TextVon(dlg, IDC_ACHSEN_X), "X");
            EXPECT_EQ(Eintraege(dlg, IDC_ACHSEN_DRITTE), 2);  // the ordinate texts
            // The radio buttons show the record's alignment word.
            int32_t wahl[3];
            WahlAusBeschriftung(GrafikFenster[0].Paintinfo.BeschriftungFlags, wahl);
            EXPECT_TRUE(Gecheckt(dlg, IDC_ACHSEN_X_LINKS + wahl[0]));
            EXPECT_TRUE(Gecheckt(dlg, IDC_ACHSEN_Y_LINKS + wahl[1]));
        }),
        Text(IDC_ACHSEN_X, "energy 1"), Text(IDC_ACHSEN_Y, "MU"), Klick(IDOK),
    }), 1);
    EXPECT_EQ(std::string(HAUPTDATEN.XTextListe), liste);
    EXPECT_STREQ(HAUPTDATEN.YTextListe, "mu(E)#");

    // A new one: the new text and the first 20 old ones (abscissa), the old
    // ones and then the new text (ordinate); "numeric.ins" holds them.
    EXPECT_EQ(OeffneDialog("ACHSEN", AchsenProc, {
        Text(IDC_ACHSEN_X, "k [1/A]"), Text(IDC_ACHSEN_Y, "chi(k)"), Text(IDC_ACHSEN_TITEL, "Cu foil"),
        Kreuze(IDC_ACHSEN_X_LINKS + 2), Kreuze(IDC_ACHSEN_Y_LINKS), Kreuze(IDC_ACHSEN_TITEL_LINKS + 1),
        Pruefe([](HWND dlg) { PlotFensterFixture::DialogBild(dlg, "achsen.png"); }),
        Klick(IDOK),
    }), 1);
    const std::vector<std::string> x = TextListeEintraege(HAUPTDATEN.XTextListe);
    ASSERT_EQ(x.size(), 21u);
    EXPECT_EQ(x[0], "k [1/A]");
    EXPECT_EQ(x[20], "Energy 20 [keV]");
    EXPECT_STREQ(HAUPTDATEN.YTextListe, "mu(E)#chi(k)#");
    EXPECT_STREQ(HAUPTDATEN.TitelListe, "Cu foil#");
    const std::string ins = Datei("numeric.ins");
    EXPECT_EQ(ins.substr(0, ins.find('\n')), HAUPTDATEN.XTextListe);
    EXPECT_NE(ins.find("\nmu(E)#chi(k)#\nCu foil#\n0,14,14,"), std::string::npos) << ins;

    grafik_fenster& g = GrafikFenster[0];
    EXPECT_STREQ(g.XText[0], "k [1/A]");
    EXPECT_STREQ(g.FensterText, "Cu foil");
    EXPECT_EQ(g.Paintinfo.BeschriftungFlags, 0x4 | 0x10 | 0x200);
    // The next drawing writes the texts: the abscissa's below the plot and
    // right-aligned, the ordinate's turned by 90 degrees.
    const plot_test::EmfContent c = Zeichnung();
    bool xText = false, yText = false;
    for (const auto& t : c.texts) {
        if (t.text == "k [1/A]") {
            xText = true;
            EXPECT_GT(t.at.y, 500) << "below the plot";
            EXPECT_GT(t.at.x, 400) << "right-aligned";
        }
        if (t.text == "chi(k)") {
            yText = true;
            EXPECT_EQ(t.angle, 900);
        }
    }
    EXPECT_TRUE(xText);
    EXPECT_TRUE(yText);
    EXPECT_TRUE(meldungen.empty());
}

TEST_F(AchsenDialog, LegendEntriesArePlacedWithTheMouseAndKeptOnOk)
{
    EXPECT_EQ(OeffneDialog("ACHSEN", AchsenProc, {
        LegendenText("Cu foil"), Klicke(0.5, 0.4),
        LegendenText("CuO"), Klicke(0.5, 0.6),
        Pruefe([](HWND dlg) { EXPECT_EQ(TextVon(dlg, IDC_ACHSEN_LEGENDE), ""); }),
        // Outside the preview nothing is placed.
        LegendenText("outside"), Klicke(1.5, 0.5),
        LegendenText(""),
        Pruefe([](HWND dlg) { PlotFensterFixture::DialogBild(dlg, "achsen_legende.png"); }),
        Klick(IDOK),
    }), 1);
    grafik_fenster& g = GrafikFenster[0];
    ASSERT_EQ(g.LegendenAnzahl, 2.0);
    EXPECT_STREQ(g.LegendenText, "Cu foil\nCuO\n");
    // Data coordinates of the two clicks: the same energy near the middle
    // of the scan, the first one higher.
    EXPECT_GT(g.LegendenPos[0], 8960.0);
    EXPECT_LT(g.LegendenPos[0], 9040.0);
    EXPECT_NEAR(g.LegendenPos[0], g.LegendenPos[2], 1.0);
    EXPECT_GT(g.LegendenPos[1], g.LegendenPos[3]);
    // The drawing writes the entries.
    int gefunden = 0;
    for (const auto& t : Zeichnung().texts)
        gefunden += t.text.rfind("Cu foil", 0) == 0 || t.text.rfind("CuO", 0) == 0;
    EXPECT_EQ(gefunden, 2);
    // The legend texts are offered again next time.
    EXPECT_EQ(std::string(CommandText), "Legende\nCu foil\nCuO\n");

    // Picking the first entry up and placing it elsewhere; "&V" aligns.
    EXPECT_EQ(OeffneDialog("ACHSEN", AchsenProc, {
        Pruefe([](HWND dlg) { EXPECT_EQ(Eintraege(dlg, IDC_ACHSEN_LEGENDE), 2); }),
        Klicke(0.5, 0.4, 4, 4),
        Pruefe([](HWND dlg) { EXPECT_EQ(TextVon(dlg, IDC_ACHSEN_LEGENDE), "Cu foil"); }),
        Klicke(0.3, 0.3),
        Klick(IDC_ACHSEN_BUENDIG),
        Klick(IDOK),
    }), 1);
    ASSERT_EQ(g.LegendenAnzahl, 2.0);
    EXPECT_STREQ(g.LegendenText, "CuO\nCu foil\n");
    EXPECT_LT(g.LegendenPos[2], 9000.0);
    EXPECT_DOUBLE_EQ(g.LegendenPos[0], g.LegendenPos[2]);
    EXPECT_TRUE(meldungen.empty());
}

TEST_F(AchsenDialog, AFifteenthEntryIsRefusedAndCancelKeepsTheLegend)
{
    grafik_fenster& g = GrafikFenster[0];
    g.LegendenAnzahl = 14;
    std::string text;
    for (int i = 0; i < 14; ++i) {
        text += "e" + std::to_string(i) + "\n";
        g.LegendenPos[2 * i] = 8960.0;
        g.LegendenPos[2 * i + 1] = 0.9 - 0.01 * i;
    }
    std::strcpy(g.LegendenText, text.c_str());
    EXPECT_EQ(OeffneDialog("ACHSEN", AchsenProc, {
        LegendenText("fifteenth"), Klicke(0.7, 0.5), Klick(IDOK),
    }), 1);
    ASSERT_EQ(meldungen.size(), 1u);
    EXPECT_EQ(meldungen[0].text, "A legend holds at most 14 entries.");
    EXPECT_EQ(g.LegendenAnzahl, 14.0);
    EXPECT_EQ(std::string(g.LegendenText), text);

    // "&C" and "&Apply", then Cancel: the texts applied stay, the legend
    // changes go.
    meldungen.clear();
    EXPECT_EQ(OeffneDialog("ACHSEN", AchsenProc, {
        Text(IDC_ACHSEN_X, "E [eV]"), Klick(IDC_ACHSEN_ANWENDEN), Klick(IDC_ACHSEN_LOESCHEN), Klick(IDCANCEL),
    }), 0);
    EXPECT_STREQ(g.XText[0], "E [eV]");
    EXPECT_EQ(g.LegendenAnzahl, 14.0);
    EXPECT_EQ(std::string(HAUPTDATEN.XTextListe), "");
    EXPECT_TRUE(meldungen.empty());
}
