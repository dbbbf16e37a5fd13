// The series items of the XAFS/DXAS menu with their dialogs answered
// through the dialog watcher: header values, column average (also on a
// dispersive file built from the real Fe K spectrum EMG003) and foil names.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/series/dex_series_fixture.h"
#include "app/series/series_fixture.h"
#include "app/spectra/data_commands_fixture.h"
#include "app/temp_folder.h"
#include "resource_ids.h"
#include "series/series.h"
#include "shell/macro_bar.h"
#include "shell/macro_file.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"

namespace {

using Spalten = std::vector<std::vector<double>>;

using dex_serie::LiesEmg;

}  // namespace

class SerienDialoge : public EditFixture {
protected:
    TempOrdner tmp;

    int32_t OeffneMc(const Spalten& s, const std::vector<std::vector<int16_t>>* bloecke = nullptr)
    {
        const std::string pfad = tmp.Datei("serie.dxa");
        const double koeff[3] = {0, 0, 0};
        EXPECT_TRUE(SchreibeMcDatei(pfad.c_str(), s, koeff, "serie.dxa", bloecke));
        const int32_t w = OeffneOhneDialog(pfad.c_str());
        if (w >= 0) AktivesFenster = w;
        return w;
    }
    std::vector<double> YAktuell(int32_t w) const
    {
        grafik_fenster& g = GrafikFenster[w];
        return std::vector<double>(g.GetYFeld(-1), g.GetYFeld(-1) + g.Punkte());
    }
};

TEST_F(SerienDialoge, HeaderValueOfEverySpectrum)
{
    Spalten s(1);
    for (int i = 0; i < 20; ++i) s[0].push_back(i);
    std::vector<std::vector<int16_t>> bloecke;
    for (int j = 0; j < 6; ++j) {
        s.push_back(std::vector<double>(20, j));
        std::vector<int16_t> b(20, 0);
        b[1] = static_cast<int16_t>(100 + 30 * j);  // time
        b[2] = static_cast<int16_t>(25 + j);        // temperature
        b[19] = static_cast<int16_t>(-7 * j);
        bloecke.push_back(b);
    }
    const int32_t w = OeffneMc(s, &bloecke);
    ASSERT_GE(w, 0);
    grafik_fenster& g = GrafikFenster[w];
    struct Fall { DialogSchritt wahl; std::vector<double> y; const char* text; };
    const Fall faelle[] = {
        {Waehle(IDC_KOPF_ZEIT), {100, 130, 160, 190, 220, 250}, "time [s]"},
        {Waehle(IDC_KOPF_TEMPERATUR), {25, 26, 27, 28, 29, 30}, "temperature [~oC]"},
        {SetzeText(IDC_KOPF_NUMMER, "20"), {0, -7, -14, -21, -28, -35}, "intensity [a.u.]"},
    };
    for (const Fall& f : faelle) {
        ASSERT_TRUE(MitDialogen({f.wahl, Druecke(IDOK)}, [] { HAUPTDATEN.Befehl(826, 0); }));
        EXPECT_EQ(YAktuell(w), f.y);
        EXPECT_EQ(std::vector<double>(g.GetXFeld(-1), g.GetXFeld(-1) + 6),
                  (std::vector<double>{1, 2, 3, 4, 5, 6}));
        EXPECT_STREQ(g.XText[g.AktuellerSlot()], "spectra no.");
        EXPECT_STREQ(g.YText[g.AktuellerSlot()], f.text);
    }
    for (const char* falsch : {"21", "0", "x"}) {
        const int32_t slot = g.AktuellerSlot();
        ASSERT_TRUE(MitDialogen({SetzeText(IDC_KOPF_NUMMER, falsch), Druecke(IDOK)},
                                [] { HAUPTDATEN.Befehl(826, 0); }));
        EXPECT_EQ(g.AktuellerSlot(), slot) << falsch;
    }
}

TEST_F(SerienDialoge, ColumnAverageAndCancel)
{
    Spalten s(1);
    for (int i = 0; i < 50; ++i) s[0].push_back(i);
    for (int j = 0; j < 4; ++j) {
        std::vector<double> y;
        for (int i = 0; i < 50; ++i) y.push_back(std::cos(0.1 * i) * (j + 1) + 0.25 * j);
        s.push_back(y);
    }
    const int32_t w = OeffneMc(s);
    ASSERT_GE(w, 0);
    grafik_fenster& g = GrafikFenster[w];
    auto waehle = [](std::vector<int> zeilen) {
        return [zeilen](HWND dlg) {
            for (int z : zeilen) SendDlgItemMessageA(dlg, IDC_MITTEL_LISTE, LB_SETSEL, TRUE, z);
        };
    };
    // Item 2 is column 3.
    ASSERT_TRUE(MitDialogen({waehle({2}), Druecke(IDOK)}, [] { HAUPTDATEN.Befehl(827, 0); }));
    std::vector<double> soll;
    for (int i = 0; i < 50; ++i) soll.push_back(static_cast<float>(s[2][i]));
    EXPECT_EQ(YAktuell(w), soll);
    EXPECT_STREQ(g.XText[g.AktuellerSlot()], "diodes");
    EXPECT_STREQ(g.YText[g.AktuellerSlot()], "intensity [a.u.]");

    ASSERT_TRUE(MitDialogen({waehle({1, 4}), Druecke(IDOK)}, [] { HAUPTDATEN.Befehl(827, 0); }));
    std::vector<double> y = YAktuell(w);
    ASSERT_EQ(y.size(), 50u);
    for (int i = 0; i < 50; ++i)
        EXPECT_DOUBLE_EQ(y[i], (static_cast<double>(static_cast<float>(s[1][i])) +
                                static_cast<float>(s[4][i])) / 2.0);

    // Cancel and an empty choice change nothing.
    const int32_t slot = g.AktuellerSlot();
    ASSERT_TRUE(MitDialogen({waehle({1}), Druecke(IDCANCEL)}, [] { HAUPTDATEN.Befehl(827, 0); }));
    ASSERT_TRUE(MitDialogen({Druecke(IDOK)}, [] { HAUPTDATEN.Befehl(827, 0); }));
    EXPECT_EQ(g.AktuellerSlot(), slot);
    EXPECT_EQ(YAktuell(w), y);
}

TEST_F(SerienDialoge, DispersiveAverageGivesTheAbsorptionBack)
{
    std::vector<double> e, mu;
    LiesEmg(&e, &mu);
    const int n = static_cast<int>(mu.size());
    ASSERT_EQ(n, 1128);
    const int K = 20, c1 = 2, c2 = K - 2;
    Spalten s(K);
    std::vector<double> i0a(n), i0b(n), dunkel(n);
    for (int i = 0; i < n; ++i) {
        s[0].push_back(i);
        i0a[i] = 20000.0 + 3000.0 * std::sin(0.004 * i);
        i0b[i] = 1.08 * i0a[i];
        dunkel[i] = 150.0 + 0.01 * i;
    }
    for (int k = 2; k <= K; ++k) {
        std::vector<double>& c = s[k - 1];
        for (int i = 0; i < n; ++i) {
            const double i0 = i0a[i] + (i0b[i] - i0a[i]) * (k - c1) / double(c2 - c1);
            if (k == 2) c.push_back(dunkel[i] + i0a[i]);
            else if (k == 3) c.push_back(dunkel[i]);
            else if (k == K - 2) c.push_back(dunkel[i] + i0b[i]);
            else c.push_back(dunkel[i] + i0 * std::exp(-mu[i]));
        }
    }
    const int32_t w = OeffneMc(s);
    ASSERT_GE(w, 0);
    grafik_fenster& g = GrafikFenster[w];
    auto dxas = [](std::vector<int> zeilen) {
        return std::vector<DialogSchritt>{
            [zeilen](HWND dlg) {
                for (int z : zeilen) SendDlgItemMessageA(dlg, IDC_MITTEL_LISTE, LB_SETSEL, TRUE, z);
            },
            Waehle(IDC_MITTEL_DXAS), Druecke(IDOK)};
    };
    for (std::vector<int> wahl : {std::vector<int>{3}, std::vector<int>{8, 14}, std::vector<int>{4, 10, 18}}) {
        ASSERT_TRUE(MitDialogen(dxas(wahl), [] { HAUPTDATEN.Befehl(827, 0); }));
        const std::vector<double> y = YAktuell(w);
        ASSERT_EQ(y.size(), static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) ASSERT_NEAR(y[i], mu[i], 1e-5) << wahl[0] << " " << i;
        EXPECT_STREQ(g.YText[g.AktuellerSlot()], "absorption [a.u.]");
    }
    // The dark-current column itself gives 0.
    ASSERT_TRUE(MitDialogen(dxas({2}), [] { HAUPTDATEN.Befehl(827, 0); }));
    for (double v : YAktuell(w)) ASSERT_EQ(v, 0.0);
}

TEST_F(SerienDialoge, FoilNamesWithoutCommas)
{
    Kurve(0, 30, [](double x) { return 0.1 * x; });
    AktivesFenster = 0;
    // The table of the program folder: here the test's own folder.
    const std::string alterOrdner = HAUPTDATEN.ProgrammOrdner ? HAUPTDATEN.ProgrammOrdner : "";
    ASSERT_NE(HAUPTDATEN.ProgrammOrdner, nullptr);
    std::snprintf(HAUPTDATEN.ProgrammOrdner, ORDNER_BYTES, "%s", ordner.c_str());
    struct Zurueck {
        std::string o;
        ~Zurueck() { std::snprintf(HAUPTDATEN.ProgrammOrdner, ORDNER_BYTES, "%s", o.c_str()); }
    } zurueck{alterOrdner};
    const std::string tabelle = Pfad("dexfoil.dat");
    std::filesystem::remove(tabelle);
    boxen.clear();
    // The comma is refused and the dialog stays open for the next name.
    ASSERT_TRUE(MitDialogen({SetzeText(IDC_FOLIE_NAME, "Fe, K"), Druecke(IDOK),
                             SetzeText(IDC_FOLIE_NAME, "Fe K"), Druecke(IDOK)},
                            [] { HAUPTDATEN.Befehl(890, 0); }));
    ASSERT_FALSE(boxen.empty());
    EXPECT_NE(boxen[0].text.find("commas"), std::string::npos);
    ASSERT_TRUE(std::filesystem::exists(tabelle));
    EXPECT_NE(LiesBytes(tabelle).find("Fe K"), std::string::npos);

    // 45 characters are cut to 39.
    const std::string lang(45, 'P');
    ASSERT_TRUE(MitDialogen({SetzeText(IDC_FOLIE_NAME, lang.c_str()), Druecke(IDOK)},
                            [] { HAUPTDATEN.Befehl(890, 0); }));
    const std::string inhalt = LiesBytes(tabelle);
    EXPECT_NE(inhalt.find(std::string(39, 'P')), std::string::npos);
    EXPECT_EQ(inhalt.find(std::string(40, 'P')), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(Pfad("dexfoil.bak")));
}

// What the dialogs chose goes into the records: the value number of 826,
// the columns and the DEXAFS switch of 827, the foil name of 890; a
// cancelled dialog records nothing.
TEST_F(SerienDialoge, RecordsCarryTheChoices)
{
    Spalten s(1);
    for (int i = 0; i < 30; ++i) s[0].push_back(i);
    for (int j = 0; j < 6; ++j) s.push_back(std::vector<double>(30, 100.0 + j));
    const int32_t w = OeffneMc(s);
    ASSERT_GE(w, 0);
    const std::string alterOrdner = HAUPTDATEN.ProgrammOrdner;
    std::snprintf(HAUPTDATEN.ProgrammOrdner, ORDNER_BYTES, "%s", tmp.Ordner().c_str());
    const std::string makroZiel = tmp.Datei("serie.MAK");
    DialogAntwort() = makroZiel;
    MakroSpeichernDialog = DialogAntworten;
    ButtonBar.MakroSaveAs();
    ASSERT_EQ(HAUPTDATEN.MakroAufnahme, 1);
    ASSERT_TRUE(MitDialogen({SetzeText(IDC_KOPF_NUMMER, "20"), Druecke(IDOK)}, [] { HAUPTDATEN.Befehl(826, 0); }));
    ASSERT_TRUE(MitDialogen({Druecke(IDCANCEL)}, [] { HAUPTDATEN.Befehl(826, 0); }));
    ASSERT_TRUE(MitDialogen({[](HWND dlg) {
                                 for (int z : {2, 4, 5}) SendDlgItemMessageA(dlg, IDC_MITTEL_LISTE, LB_SETSEL, TRUE, z);
                             },
                             Druecke(IDOK)},
                            [] { HAUPTDATEN.Befehl(827, 0); }));
    ASSERT_TRUE(MitDialogen({Druecke(IDCANCEL)}, [] { HAUPTDATEN.Befehl(827, 0); }));
    ASSERT_TRUE(MitDialogen({SetzeText(IDC_FOLIE_NAME, "Cu K"), Druecke(IDOK)}, [] { HAUPTDATEN.Befehl(890, 0); }));
    ButtonBar.MakroSaveAs();
    MakroSpeichernDialog = GetSaveFileNameA;
    std::snprintf(HAUPTDATEN.ProgrammOrdner, ORDNER_BYTES, "%s", alterOrdner.c_str());
    EXPECT_EQ(HAUPTDATEN.MakroAufnahme, 0);

    std::vector<MakroSatz> saetze;
    ASSERT_EQ(MakroTextLesen(LiesBytes(makroZiel), saetze), MAKRO_SATZ);
    ASSERT_EQ(saetze.size(), 3u);
    EXPECT_EQ(saetze[0].Befehl, 826);
    EXPECT_EQ(saetze[0].Werte, std::vector<double>{19.0});
    EXPECT_EQ(saetze[1].Befehl, 827);
    EXPECT_EQ(saetze[1].Werte, (std::vector<double>{0.0, -1.0}));
    EXPECT_EQ(saetze[1].Text, "3,5,6");
    EXPECT_EQ(saetze[2].Befehl, 890);
    EXPECT_EQ(saetze[2].Text, "Cu K");
}
