// Building a multi-column file of several spectra (623) and their average
// (624) through the dispatcher: the file choice and AVERAGEXAS answered as
// a user would, the calibration on synthetic references with "Cu" typed,
// and the runs that must stop without writing anything.
#include <gtest/gtest.h>
#include <windows.h>
#include <commdlg.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/series/series_fixture.h"
#include "app/series/series_test_files.h"
#include "resource_ids.h"
#include "series/series.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/file_commands_win.h"
#include "spectra/spectrum_file.h"
#include "xas/section_dialog_win.h"

namespace {

const std::string DATA = std::string(KORLAN_TEST_DIR) + "/app/series/data/";
const char* const ZEITFOLGE[] = {"series_t0.12.dat", "series_t2.42.dat", "series_t4.73.dat",
                                 "series_t7.03.dat", "series_t9.33.dat", "series_t20.dat",
                                 "series_t33.dat",   "series_t720.dat"};

std::string WinPfad(std::string p)
{
    for (char& c : p)
        if (c == '/') c = '\\';
    return p;
}

SerienKurve LiesKurve(const std::string& pfad)
{
    SerienKurve k;
    std::ifstream in(pfad);
    std::string zeile;
    while (std::getline(in, zeile)) {
        double x, y;
        if (!zeile.empty() && zeile[0] != '#' && std::sscanf(zeile.c_str(), "%lf %lf", &x, &y) == 2) {
            k.x.push_back(x);
            k.y.push_back(y);
        }
    }
    return k;
}

std::string Mehrfach(const std::string& ordner, const std::vector<std::string>& namen)
{
    std::string t = ordner + '\0';
    for (const std::string& n : namen) t += n + '\0';
    return t;
}

// The field's text when the step runs.
DialogSchritt Merke(int id, std::string* text)
{
    return [id, text](HWND dlg) {
        char t[100] = "";
        GetDlgItemTextA(dlg, id, t, sizeof t);
        *text = t;
    };
}

}  // namespace

class SerieBauen : public SerienOrdnerFixture {
protected:
    void SetUp() override
    {
        SerienOrdnerFixture::SetUp();
        OeffnenDateiDialog = DialogAntworten;
        Kurve(0, 40, [](double x) { return x; });
        AktivesFenster = 0;
        // The commands work on the window on top.
        SetWindowPos(grafik[0], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    void TearDown() override
    {
        OeffnenDateiDialog = GetOpenFileNameA;
        SerienOrdnerFixture::TearDown();
    }
    // 623 or 624 with prepared values: options DW[1..9], name and files.
    void Vorbereitet(int32_t id, const std::vector<double>& dw, const std::string& name,
                     const std::vector<std::string>& pfade)
    {
        std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", SerienAuftragText(name, pfade).c_str());
        boxen.clear();
        FehlerCode = 0;
        Prepared(id, dw);
    }
};

TEST_F(SerieBauen, EightRealSpectraBecomeANineColumnFileOnTheCommonGrid)
{
    std::vector<std::string> namen(std::begin(ZEITFOLGE), std::end(ZEITFOLGE));
    DialogAntwort() = Mehrfach(WinPfad(DATA.substr(0, DATA.size() - 1)), namen);
    grafik_fenster& g = GrafikFenster[0];
    const std::string ziel = tmp.Datei("serie8");
    std::string titel;
    ASSERT_TRUE(MitDialogen({[&](HWND dlg) {
                                 char t[100] = "";
                                 GetWindowTextA(dlg, t, sizeof t);
                                 titel = t;
                             },
                             SetzeText(IDC_AVX_NAME, ziel.c_str()),
                             [](HWND dlg) { EXPECT_TRUE(FensterFoto(dlg, "averagexas_623.png")); }, Druecke(IDOK)},
                            [] { HAUPTDATEN.Befehl(623, 0); }));
    EXPECT_EQ(titel, " Create Multiple Column File / Options");
    ASSERT_TRUE(std::filesystem::exists(ziel + ".dxa")) << CommandText;
    const McInhalt mc = LiesMc(ziel + ".dxa");
    EXPECT_EQ(mc.kopf.Worte[0], 6666);
    EXPECT_EQ(mc.kopf.Worte[1], 9999);
    EXPECT_EQ(mc.kopf.Worte[2], 0);
    EXPECT_EQ(mc.kopf.Worte[10], 267);
    EXPECT_EQ(mc.kopf.Worte[11], 9);
    for (int k = 0; k < 3; ++k)
        EXPECT_FLOAT_EQ(static_cast<float>(mc.kopf.Koeffizienten[k]), static_cast<float>(g.DateiInfo.Koeffizienten[k]));
    ASSERT_EQ(mc.spalten.size(), 9u);
    EXPECT_EQ(mc.spalten[0].front(), static_cast<float>(11729.950464));
    EXPECT_EQ(mc.spalten[0].back(), static_cast<float>(12460.237571));
    const SerienKurve erste = LiesKurve(DATA + ZEITFOLGE[0]);
    std::vector<double> gitter(erste.x.begin() + 1, erste.x.begin() + 268);
    for (int j = 0; j < 8; ++j) {
        const SerienKurve k = LiesKurve(DATA + ZEITFOLGE[j]);
        std::vector<double> soll(267);
        SplineAufGitter(k.x.data(), k.y.data(), static_cast<int32_t>(k.x.size()), gitter.data(), 267, soll.data());
        for (int i = 0; i < 267; ++i)
            ASSERT_EQ(mc.spalten[j + 1][i], static_cast<double>(static_cast<float>(soll[i]))) << j << " " << i;
    }
    // The report names both files that cut the grid; the window shows all
    // 267 points of the last column.
    const std::string bericht = CommandText;
    EXPECT_NE(bericht.find("grid cut to 11729.95 to 12460.238 by series_t9.33.dat and series_t20.dat"),
              std::string::npos)
        << bericht;
    EXPECT_NE(bericht.find(" 8. file:  series_t720.dat\r\n   -  #"), std::string::npos) << bericht;
    EXPECT_EQ(g.Punkte(), 267);

    // Reopened, the file shows its 267 points of column 2.
    const int32_t w = OeffneOhneDialog((ziel + ".dxa").c_str());
    ASSERT_GE(w, 0);
    grafik_fenster& neu = GrafikFenster[w];
    ASSERT_EQ(neu.Punkte(), 267);
    for (int i = 0; i < 267; ++i)
        ASSERT_EQ(neu.GetYFeld(-1)[i], static_cast<double>(static_cast<float>(erste.y[i + 1]))) << i;
    EXPECT_EQ(neu.DateiInfo.Spalten, 9);
}

TEST_F(SerieBauen, AverageOfTwoCopiesAndOfTheEightFiles)
{
    const std::string a = WinPfad(DATA + ZEITFOLGE[0]);
    grafik_fenster& g = GrafikFenster[0];
    const std::string alt = Bytes(tmp.Datei("test.dxa")).empty() ? "" : "x";
    Vorbereitet(624, {0, 1, -1, 1, 8.979, 0, -1, 0, 0, 5}, "", {a, a});
    ASSERT_EQ(FehlerCode, 0) << (boxen.empty() ? "" : boxen[0].text);
    const SerienKurve k = LiesKurve(DATA + ZEITFOLGE[0]);
    ASSERT_EQ(g.Punkte(), static_cast<int32_t>(k.x.size()));
    for (std::size_t i = 0; i < k.x.size(); ++i) {
        ASSERT_EQ(g.GetXFeld(-1)[i], k.x[i]);
        ASSERT_NEAR(g.GetYFeld(-1)[i], k.y[i], 1e-12);
    }
    // 624 writes no file.
    EXPECT_FALSE(std::filesystem::exists(tmp.Datei("test.dxa")));

    std::vector<std::string> pfade;
    for (const char* n : ZEITFOLGE) pfade.push_back(WinPfad(DATA + n));
    Vorbereitet(624, {0, 1, -1, 1, 8.979, 0, -1, 0, 0, 5}, "", pfade);
    ASSERT_EQ(g.Punkte(), 267);
    std::vector<double> mittel(267, 0.0);
    for (const char* n : ZEITFOLGE) {
        const SerienKurve s = LiesKurve(DATA + n);
        std::vector<double> v(267);
        SplineAufGitter(s.x.data(), s.y.data(), static_cast<int32_t>(s.x.size()), g.GetXFeld(-1), 267, v.data());
        for (int i = 0; i < 267; ++i) mittel[i] += v[i] / 8.0;
    }
    for (int i = 0; i < 267; ++i) ASSERT_NEAR(g.GetYFeld(-1)[i], mittel[i], 1e-6) << i;
    EXPECT_EQ(g.GetXFeld(-1)[0], k.x[1]);
}

TEST_F(SerieBauen, CalibrationOnTheReferencesWithTheTypedElement)
{
    // Ten three-column files (keV, sample, reference): arctangent edges on
    // 0.5 eV steps, the references shifted by known amounts, the samples
    // 3 eV above their references.
    const double verschiebung[10] = {-1.9, -1.4, -0.8, -0.3, 0.0, 0.4, 0.7, 1.2, 1.5, 1.9};
    std::vector<std::string> namen;
    for (int d = 0; d < 10; ++d) {
        const std::string name = "cal_" + std::to_string(d) + ".dat";
        namen.push_back(name);
        std::ofstream f(tmp.Datei(name));
        const double eRef = 8.979 + verschiebung[d] / 1000.0;
        for (int i = 0; i < 240; ++i) {
            const double e = 8.92 + 0.0005 * i;
            char zeile[120];
            std::snprintf(zeile, sizeof zeile, "%.6f %.8f %.8f\n", e,
                          std::atan((e - eRef - 0.003) / 0.002) + 0.2 * (e - 8.9),
                          2.0 * std::atan((e - eRef) / 0.0015) - 0.5 * (e - 8.9));
            f << zeile;
        }
    }
    DialogAntwort() = Mehrfach(tmp.Ordner(), namen);
    std::string gezeigt;
    const std::string ziel = tmp.Datei("cal.dxa");
    ASSERT_TRUE(MitDialogen({Waehle(IDC_AVX_REFERENZ), SetzeText(IDC_AVX_KANTE, "Cu"), Druecke(IDOK),
                             Merke(IDC_AVX_KANTE, &gezeigt), SetzeText(IDC_AVX_NAME, ziel.c_str()),
                             Druecke(IDOK)},
                            [] { HAUPTDATEN.Befehl(623, 0); }));
    EXPECT_EQ(gezeigt, "8.979");
    ASSERT_TRUE(std::filesystem::exists(ziel)) << CommandText;
    const std::string bericht = CommandText;
    const McInhalt mc = LiesMc(ziel);
    ASSERT_EQ(mc.spalten.size(), 11u);
    const int32_t n = static_cast<int32_t>(mc.spalten[0].size());
    for (int d = 0; d < 10; ++d) {
        // Every sample edge lands 3 eV above the tabulated edge.
        double e = 0.0;
        ASSERT_EQ(KantenLage(mc.spalten[0].data(), mc.spalten[d + 1].data(), n, 0, true, false, 0, 0, &e), 1) << d;
        EXPECT_NEAR(e, 8.982, 0.0001) << d;
        char titel[64];
        std::snprintf(titel, sizeof titel, " %d. file:  %12s\r\n", d + 1, namen[d].c_str());
        const std::size_t p = bericht.find(titel);
        ASSERT_NE(p, std::string::npos) << bericht;
        double e0 = 0, delta = 0;
        const std::size_t c = bericht.find("   - Calib: E(0)= ", p);
        ASSERT_NE(c, std::string::npos);
        ASSERT_EQ(std::sscanf(bericht.c_str() + c, "   - Calib: E(0)= %lf, delta[eV]= %lf", &e0, &delta), 2);
        EXPECT_NEAR(delta, -verschiebung[d], 0.1) << d;
    }
}

TEST_F(SerieBauen, FailuresStopBeforeAnythingIsWritten)
{
    grafik_fenster& g = GrafikFenster[0];
    std::vector<std::string> pfade;
    for (const char* n : ZEITFOLGE) pfade.push_back(WinPfad(DATA + n));
    // The fifth file cannot be read: an older "test.dxa" stays as it was.
    { std::ofstream(tmp.Datei("kaputt.dat")) << "no numbers here\n"; }
    pfade[4] = tmp.Datei("kaputt.dat");
    { std::ofstream(tmp.Datei("test.dxa")) << "older file"; }
    const int32_t slot = g.AktuellerSlot();
    const std::vector<double> y = Y(0, slot);
    Vorbereitet(623, {0, 1, -1, 1, 8.979, 0, -1, 0, 0, 5}, "", pfade);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_NE(boxen[0].text.find("kaputt.dat"), std::string::npos) << boxen[0].text;
    EXPECT_EQ(FehlerCode, 1000);
    EXPECT_EQ(LiesBytes(tmp.Datei("test.dxa")), "older file");
    EXPECT_EQ(g.AktuellerSlot(), slot);
    EXPECT_EQ(Y(0, slot), y);
    for (const auto& e : std::filesystem::directory_iterator(tmp.Ordner()))
        EXPECT_EQ(e.path().string().find(".tmp"), std::string::npos) << e.path();

    // One file is a one-column series (in the data folder).
    Vorbereitet(623, {0, 1, -1, 1, 8.979, 0, -1, 0, 0, 5}, "eins", {pfade[0]});
    EXPECT_TRUE(boxen.empty());
    const McInhalt eins = LiesMc(tmp.Datei("eins.dxa"));
    EXPECT_EQ(eins.kopf.Worte[11], 2);
    EXPECT_EQ(eins.kopf.Worte[10], 325);

    // A search interval without a root stops at the first file.
    Vorbereitet(623, {0, 1, 1, 1, 8.979, 0, 1, 11000, 11010, 5}, "ohne", {pfade[0], pfade[1]});
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_NE(boxen[0].text.find("series_t0.12.dat"), std::string::npos) << boxen[0].text;
    EXPECT_FALSE(std::filesystem::exists(tmp.Datei("ohne.dxa")));

    // A smoothing degree of 10,000 is refused in the dialog, which stays open.
    DialogAntwort() = WinPfad(DATA + ZEITFOLGE[0]);
    boxen.clear();
    const int32_t vorher = g.AktuellerSlot();
    bool offen = false;
    ASSERT_TRUE(MitDialogen({Waehle(IDC_AVX_REFERENZ), SetzeText(IDC_AVX_GRAD, "10000"), Druecke(IDOK),
                             [&](HWND dlg) { offen = GetDlgItem(dlg, IDC_AVX_GRAD) != nullptr; },
                             Druecke(IDCANCEL)},
                            [] { HAUPTDATEN.Befehl(624, 0); }));
    EXPECT_TRUE(offen);
    ASSERT_FALSE(boxen.empty());
    EXPECT_NE(boxen[0].text.find("smoothing degree"), std::string::npos) << boxen[0].text;
    EXPECT_EQ(g.AktuellerSlot(), vorher);
    // Without calibration the degree smooths nothing and is not checked.
    boxen.clear();
    ASSERT_TRUE(MitDialogen({SetzeText(IDC_AVX_GRAD, "10000"), Druecke(IDOK)}, [] { HAUPTDATEN.Befehl(624, 0); }));
    EXPECT_TRUE(boxen.empty()) << boxen[0].text;
    EXPECT_NE(g.AktuellerSlot(), vorher);
    EXPECT_EQ(g.Punkte(), 325);
}

// "Calibration" shows the reference of the window on top with its
// derivatives under the section dialog; the range chosen there becomes
// the search interval of the run.
TEST_F(SerieBauen, CalibrationButtonTakesTheRangeOfTheSectionDialog)
{
    const std::string datei = tmp.Datei("ref3.dat");
    {
        std::ofstream f(datei);
        for (int i = 0; i < 400; ++i) {
            const double e = 8.90 + 0.0005 * i;
            char zeile[120];
            std::snprintf(zeile, sizeof zeile, "%.6f %.8f %.8f\n", e, std::atan((e - 8.9836) / 0.002),
                          std::atan((e - 8.9806) / 0.0015));
            f << zeile;
        }
    }
    const int32_t w = OeffneOhneDialog(datei.c_str());
    ASSERT_GE(w, 0);
    grafik_fenster& g = GrafikFenster[w];
    ASSERT_EQ(g.DateiInfo.Spalten, 3);
    DialogAntwort() = datei;
    static int32_t modus = -1;
    SektionsAntwort = [](HWND dlg, int32_t m) -> INT_PTR {
        modus = m;
        SendMessageA(dlg, WM_COMMAND, IDOK, 0);
        return 0;
    };
    bool knopf = false;
    const bool ok = MitDialogen({Waehle(IDC_AVX_REFERENZ),
                                 [&](HWND dlg) {
                                     knopf = IsWindowEnabled(GetDlgItem(dlg, IDC_AVX_KALIBRIERUNG)) != 0;
                                     // The section dialog runs inside the click; OK in the
                                     // same step, so that no step is left to land on it.
                                     SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_AVX_KALIBRIERUNG, BN_CLICKED),
                                                  reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDC_AVX_KALIBRIERUNG)));
                                     Druecke(IDOK)(dlg);
                                 }},
                                [] { HAUPTDATEN.Befehl(623, 0); });
    SektionsAntwort = nullptr;
    ASSERT_TRUE(ok);
    EXPECT_TRUE(knopf);
    EXPECT_EQ(modus, 6);
    EXPECT_FALSE(g.MultiplotAktiv);
    // The borders of the section dialog are the search range of the run.
    EXPECT_EQ(HAUPTDATEN.DialogWerte[6], 1.0);
    EXPECT_LT(HAUPTDATEN.DialogWerte[7], 8.9806);
    EXPECT_GT(HAUPTDATEN.DialogWerte[8], 8.9806);
    // The reference edge found in that range moves the sample by -1.6 eV.
    const std::string bericht = CommandText;
    const std::size_t c = bericht.find("   - Calib: E(0)= ");
    ASSERT_NE(c, std::string::npos) << bericht;
    double e0 = 0, delta = 0;
    ASSERT_EQ(std::sscanf(bericht.c_str() + c, "   - Calib: E(0)= %lf, delta[eV]= %lf", &e0, &delta), 2);
    EXPECT_NEAR(e0, 8.9806, 0.0001);
    EXPECT_NEAR(delta, -1.6, 0.1);
    // The name proposed: the window's file name up to its "." with
    // "_c.dxa", written to the data folder.
    std::string name = g.DateiInfo.DateiName;
    name = name.substr(0, name.find('.')) + "_c.dxa";
    EXPECT_NE(bericht.find("   MC File Name:   " + name + "\r\n"), std::string::npos) << bericht;
    const McInhalt mc = LiesMc(tmp.Datei(name));
    ASSERT_EQ(mc.spalten.size(), 2u);
    EXPECT_NEAR(mc.spalten[0][0], 8.90 - 0.0016, 1e-4);
}

// The series file of the eight spectra, open in a window, takes
// series_t0.12.dat shifted by +3 eV as its tenth column: the copy ".a9"
// replaces it and the window follows with the new name and column.
TEST_F(SerieBauen, ShiftedSpectrumBecomesTheTenthColumnOfTheSeriesFile)
{
    std::vector<std::string> pfade;
    for (const char* n : ZEITFOLGE) pfade.push_back(WinPfad(DATA + n));
    Vorbereitet(623, {0, 1, -1, 1, 8.979, 0, -1, 0, 0, 5}, "acht", pfade);
    ASSERT_TRUE(boxen.empty()) << boxen[0].text;
    const McInhalt alt = LiesMc(tmp.Datei("acht.dxa"));
    ASSERT_EQ(alt.spalten.size(), 9u);

    const int32_t w = OeffneOhneDialog(tmp.Datei("acht.dxa").c_str());
    ASSERT_GE(w, 0);
    ASSERT_NE(w, 0);
    grafik_fenster& mc = GrafikFenster[w];
    ASSERT_EQ(mc.DateiInfo.Spalten, 9);
    const std::string quelle = std::string(mc.DateiInfo.Ordner) + mc.DateiInfo.DateiName;

    // Window 0 shows the first spectrum 3 eV higher.
    SerienKurve k = LiesKurve(DATA + ZEITFOLGE[0]);
    const int32_t n = static_cast<int32_t>(k.x.size());
    grafik_fenster& g = GrafikFenster[0];
    if (n + 5 > g.FeldGroesse()) ASSERT_NE(g.ResizeFelder(n + 5), 0);
    for (int32_t i = 0; i < n; ++i) {
        k.x[i] += 3.0;
        g.GetXFeld(0)[i] = k.x[i];
        g.GetYFeld(0)[i] = k.y[i];
    }
    NurSlotNull(0, n);
    SetWindowPos(grafik[0], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", quelle.c_str());
    boxen.clear();
    HAUPTDATEN.Befehl(612, LP_PREPARED);
    ASSERT_TRUE(boxen.empty()) << boxen[0].text;

    EXPECT_FALSE(std::filesystem::exists(quelle));
    const std::string neu = quelle.substr(0, quelle.rfind('.')) + ".a9";
    EXPECT_STREQ(mc.DateiInfo.DateiName, (BasisName(mc.DateiInfo.DateiName) + ".a9").c_str());
    EXPECT_EQ(std::string(mc.DateiInfo.Ordner) + mc.DateiInfo.DateiName, neu);
    EXPECT_EQ(mc.DateiInfo.Spalten, 10);
    const McInhalt m = LiesMc(neu);
    EXPECT_EQ(m.kopf.Worte[10], 267);
    EXPECT_EQ(m.kopf.Worte[11], 10);
    ASSERT_EQ(m.spalten.size(), 10u);
    for (std::size_t s = 0; s < 9; ++s) EXPECT_EQ(m.spalten[s], alt.spalten[s]) << s;
    // The shifted spectrum's spline on the file's grid, not its own values.
    std::vector<double> soll(267);
    SplineAufGitter(k.x.data(), k.y.data(), n, m.spalten[0].data(), 267, soll.data());
    for (int i = 0; i < 267; ++i) ASSERT_EQ(m.spalten[9][i], static_cast<double>(static_cast<float>(soll[i]))) << i;
    // The window still draws its column 2 from the new file.
    EXPECT_EQ(mc.Punkte(), 267);
}

// Multiple-column text files (energy, I0, I1, I2 in the default column
// layout): the sample is ln(I0/I1), the reference ln(I1/I2); each file is
// calibrated on its reference before the series is built.
TEST_F(SerieBauen, MultipleColumnFilesAreReadThroughTheirChannels)
{
    const double verschiebung[3] = {-1.5, 0.5, 1.8};
    std::vector<std::string> pfade;
    for (int d = 0; d < 3; ++d) {
        const std::string pfad = tmp.Datei("kanal_" + std::to_string(d) + ".dat");
        pfade.push_back(pfad);
        std::ofstream f(pfad);
        const double eRef = 8.979 + verschiebung[d] / 1000.0;
        for (int i = 0; i < 240; ++i) {
            const double e = 8.92 + 0.0005 * i;
            const double i0 = 1e5 * (1.0 + 0.1 * std::sin(40.0 * e));
            const double i1 = i0 * std::exp(-(0.5 * std::atan((e - eRef - 0.003) / 0.002) + 2.0));
            const double i2 = i1 * std::exp(-(0.4 * std::atan((e - eRef) / 0.0015) + 1.0));
            char zeile[160];
            std::snprintf(zeile, sizeof zeile, "%.6f %.6f %.6f %.6f\n", e, i0, i1, i2);
            f << zeile;
        }
    }
    Vorbereitet(623, {0, -1, 1, 1, 8.979, 0, -1, 0, 0, 5}, "kanal", pfade);
    ASSERT_TRUE(boxen.empty()) << boxen[0].text;
    ASSERT_EQ(FehlerCode, 0);
    const std::string bericht = CommandText;
    const McInhalt mc = LiesMc(tmp.Datei("kanal.dxa"));
    ASSERT_EQ(mc.spalten.size(), 4u);
    const int32_t n = static_cast<int32_t>(mc.spalten[0].size());
    ASSERT_GT(n, 200);
    for (int d = 0; d < 3; ++d) {
        double e = 0.0;
        ASSERT_EQ(KantenLage(mc.spalten[0].data(), mc.spalten[d + 1].data(), n, 0, true, false, 0, 0, &e), 1);
        EXPECT_NEAR(e, 8.982, 0.0001) << d;
        const std::size_t p = bericht.find(" " + std::to_string(d + 1) + ". file:  ");
        ASSERT_NE(p, std::string::npos) << bericht;
        const std::size_t c = bericht.find("   - Calib: E(0)= ", p);
        ASSERT_NE(c, std::string::npos) << bericht;
        double e0 = 0, delta = 0;
        ASSERT_EQ(std::sscanf(bericht.c_str() + c, "   - Calib: E(0)= %lf, delta[eV]= %lf", &e0, &delta), 2);
        EXPECT_NEAR(delta, -verschiebung[d], 0.1) << d;
    }
    // Without calibration two copies average to the sample's own ln(I0/I1).
    Vorbereitet(624, {0, -1, -1, 1, 8.979, 0, -1, 0, 0, 5}, "", {pfade[0], pfade[0]});
    ASSERT_TRUE(boxen.empty()) << boxen[0].text;
    grafik_fenster& g = GrafikFenster[0];
    ASSERT_EQ(g.Punkte(), 240);
    const double eRef = 8.979 - 0.0015;
    for (int i = 0; i < 240; ++i) {
        const double e = g.GetXFeld(-1)[i];
        ASSERT_NEAR(e, 8.92 + 0.0005 * i, 1e-9);
        ASSERT_NEAR(g.GetYFeld(-1)[i], 0.5 * std::atan((e - eRef - 0.003) / 0.002) + 2.0, 1e-5) << i;
    }
}
