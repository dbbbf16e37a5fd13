// The automatic macro analysis (824) end to end on measured data, in this
// process with the dialogs answered by the test's watcher:
// - the Au L3 time series (tests/app/series/data, see SOURCES.md there)
//   built by 623 with a copy shifted by 3 eV, a macro recorded on column 2
//   (608 to keV, 841 with its E0 search), then run over every column into
//   the parameter table and into a curves file, and stopped by a column of
//   zeros;
// - a series of five mixtures of two gold references
//   (tests/app/xas/data/lcf_au) run through a recorded LC-XANES fit (844),
//   whose coefficients come back in "mfeffcoeff.par".
#include <gtest/gtest.h>
#include <windows.h>
#include <commdlg.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "app/series/series_fixture.h"
#include "app/series/series_test_files.h"
#include "fit/fit_model.h"
#include "fit/fit_run.h"
#include "resource_ids.h"
#include "series/series.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "shell/macro_bar.h"
#include "shell/shell_globals.h"
#include "spectra/file_commands_win.h"
#include "xas/feff_path.h"

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

std::string Text(const std::string& pfad)
{
    std::ifstream in(pfad, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> Zeilen(const std::string& pfad)
{
    std::vector<std::string> z;
    std::ifstream in(pfad);
    for (std::string t; std::getline(in, t);) z.push_back(t);
    return z;
}

std::vector<double> Zahlen(const std::string& zeile, char trenner)
{
    std::vector<double> v;
    std::stringstream ein(zeile);
    for (std::string f; std::getline(ein, f, trenner);)
        if (f.find_first_not_of(' ') != std::string::npos) v.push_back(std::atof(f.c_str()));
    return v;
}

// bkg_e0 (eV) and bkg_step of line 2 of a file of the time series.
void Athena(const std::string& pfad, double* e0, double* stufe)
{
    const std::vector<std::string> z = Zeilen(pfad);
    ASSERT_GE(z.size(), 2u);
    const size_t a = z[1].find("bkg_e0="), b = z[1].find("bkg_step=");
    ASSERT_NE(a, std::string::npos);
    ASSERT_NE(b, std::string::npos);
    *e0 = std::atof(z[1].c_str() + a + 7);
    *stufe = std::atof(z[1].c_str() + b + 9);
}

}  // namespace

class SerieEndeZuEnde : public SerienOrdnerFixture {
protected:
    int32_t alteFrage = 0;

    void SetUp() override
    {
        SerienOrdnerFixture::SetUp();
        OeffnenDateiDialog = DialogAntworten;
        MakroOeffnenDialog = DialogAntworten;
        alteFrage = KonfidenzFrage;
        KonfidenzFrage = -1;
        HAUPTDATEN.ModellCallback = ModellFunktion;
        HAUPTDATEN.ChiQuadratCallback = ExafsFitProzedur;
        Kurve(0, 40, [](double x) { return x; });
        AktivesFenster = 0;
        SetWindowPos(grafik[0], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    void TearDown() override
    {
        KonfidenzFrage = alteFrage;
        OeffnenDateiDialog = GetOpenFileNameA;
        MakroOeffnenDialog = GetOpenFileNameA;
        HAUPTDATEN.MakroAufnahme = 0;
        ButtonBar.MakroPfad[0] = '\0';
        HAUPTDATEN.FitZustand = 0;
        Numerik.SetWeightFunction(nullptr);
        Numerik.SetFitProcedure(0, nullptr);
        FeffPfadeLeeren();
        SerienOrdnerFixture::TearDown();
    }

    // 623 with prepared values: no calibration, the files in this order.
    void Baue(const std::string& name, const std::vector<std::string>& pfade)
    {
        std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", SerienAuftragText(name, pfade).c_str());
        FehlerCode = 0;
        Prepared(623, {0, 1, -1, 1, 8.979, 0, -1, 0, 0, 5});
        ASSERT_EQ(FehlerCode, 0);
    }
    int32_t Oeffne(const std::string& name)
    {
        const int32_t w = OeffneOhneDialog(tmp.Datei(name).c_str());
        EXPECT_GE(w, 0) << name;
        if (w >= 0) {
            AktivesFenster = w;
            SetWindowPos(HAUPTDATEN.GrafikHandles[w], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        }
        return w;
    }
    void Aufnahme(const std::string& makro, bool an)
    {
        if (an) {
            std::ofstream(makro) << "Makro\n";
            std::snprintf(ButtonBar.MakroPfad, sizeof ButtonBar.MakroPfad, "%s", makro.c_str());
        } else {
            ButtonBar.MakroPfad[0] = '\0';
        }
        HAUPTDATEN.MakroAufnahme = an ? 1 : 0;
    }
    // 824 over columns erste..letzte with the macro, into tables or a
    // curves file of the name.
    bool Analyse(const char* erste, const char* letzte, int ausgabe, const char* name, const std::string& makro)
    {
        DialogAntwort() = makro;
        boxen.clear();
        return MitDialogen({SetzeText(IDC_AUTO_ERSTE, erste), SetzeText(IDC_AUTO_LETZTE, letzte), Waehle(ausgabe),
                            SetzeText(IDC_AUTO_NAME, name), Druecke(IDOK)},
                           [] { HAUPTDATEN.Befehl(824, 0); });
    }
};

TEST_F(SerieEndeZuEnde, TimeSeriesThroughARecordedBackgroundMacro)
{
    // The eight spectra in time order and t0.12 shifted by +3.0 eV.
    std::string kopie;
    for (const std::string& z : Zeilen(DATA + ZEITFOLGE[0])) {
        double e, mu;
        if (!z.empty() && z[0] != '#' && std::sscanf(z.c_str(), "%lf %lf", &e, &mu) == 2) {
            char t[80];
            std::snprintf(t, sizeof t, "%.6f %.8f\n", e + 3.0, mu);
            kopie += t;
        } else {
            kopie += z + "\n";
        }
    }
    std::ofstream(tmp.Datei("shifted.dat")) << kopie;
    std::vector<std::string> pfade;
    for (const char* n : ZEITFOLGE) pfade.push_back(WinPfad(DATA + n));
    pfade.push_back(tmp.Datei("shifted.dat"));
    Baue("series", pfade);
    const McInhalt serie = LiesMc(tmp.Datei("series.dxa"));
    ASSERT_EQ(serie.spalten.size(), 10u);
    EXPECT_EQ(serie.kopf.Worte[10], 267);

    // Recorded on column 2: x to keV, then the two-polynomial background
    // with its E0 search.
    int32_t w = Oeffne("series.dxa");
    ASSERT_GE(w, 0);
    const std::string makro = tmp.Datei("bkg.MAK");
    Aufnahme(makro, true);
    FehlerCode = 0;
    Prepared(608, {220, 0.001, 0, 0, 0});
    Prepared(841, {11.769, 11.889, 0, 1, 2, 0, 11.969, 12.460});
    Aufnahme(makro, false);
    ASSERT_EQ(FehlerCode, 0);
    // Edge jump and E0 of column 2 as the recording step itself gave them.
    char sprung2[32], kante2[32];
    std::snprintf(sprung2, sizeof sprung2, "%.8G", CommandArgs[0]);
    std::snprintf(kante2, sizeof kante2, "%.8G", CommandArgs[1]);
    const std::vector<double> spalte2(GrafikFenster[w].GetYFeld(-1),
                                      GrafikFenster[w].GetYFeld(-1) + GrafikFenster[w].Punkte());
    const std::vector<std::string> saetze = Zeilen(makro);
    ASSERT_GE(saetze.size(), 3u);
    EXPECT_EQ(saetze[1].rfind("608,", 0), 0u);

    // Tables: the file name, then one row per column 2 .. 10.
    ASSERT_TRUE(Analyse("2", "10", IDC_AUTO_PARAMETER, "series", makro));
    std::vector<std::string> tabelle = Zeilen(tmp.Datei("series.par"));
    ASSERT_EQ(tabelle.size(), 10u) << Text(tmp.Datei("series.par"));
    // Line 1: the window's file name (the test opens files through the
    // backup route, which names them so).
    EXPECT_EQ(tabelle[0], GrafikFenster[w].DateiInfo.DateiName);
    std::vector<double> e0(11, 0.0);
    for (int c = 2; c <= 10; ++c) {
        SCOPED_TRACE("column " + std::to_string(c));
        const std::string& z = tabelle[static_cast<size_t>(c - 1)];
        ASSERT_EQ(z.rfind(std::to_string(c) + ", ", 0), 0u) << z;
        const std::vector<double> v = Zahlen(z, ',');
        ASSERT_GE(v.size(), 3u);
        double athenaE0 = 0.0, stufe = 0.0;
        Athena(DATA + ZEITFOLGE[c == 10 ? 0 : c - 2], &athenaE0, &stufe);
        if (c == 10) athenaE0 += 3.0;
        EXPECT_NEAR(v[1], stufe, 0.02 * stufe) << z;
        EXPECT_NEAR(v[2] * 1000.0, athenaE0, 2.0) << z;
        e0[static_cast<size_t>(c)] = v[2];
        if (c == 2) EXPECT_EQ(z.substr(0, z.find(", ", z.find(", ", 3) + 2)), std::string("2, ") + sprung2 + ", " + kante2);
        std::printf("column %d: J %.5f (Athena %.5f, %+.2f %%)  E0 %.2f eV (Athena %.2f)\n", c, v[1], stufe,
                    100.0 * (v[1] / stufe - 1.0), v[2] * 1000.0, athenaE0);
    }
    EXPECT_NEAR((e0[10] - e0[2]) * 1000.0, 3.0, 0.7);

    // Curves: ten columns; the first is column 2's curve of the recording.
    ASSERT_TRUE(Analyse("2", "10", IDC_AUTO_KURVEN, "kurven", makro));
    const McInhalt kurven = LiesMc(tmp.Datei("kurven.dxa"));
    ASSERT_EQ(kurven.spalten.size(), 10u);
    EXPECT_EQ(kurven.kopf.Worte[11], 10);
    ASSERT_EQ(kurven.spalten[1].size(), spalte2.size());
    for (size_t i = 0; i < spalte2.size(); ++i)
        ASSERT_EQ(kurven.spalten[1][i], static_cast<double>(static_cast<float>(spalte2[i]))) << i;

    // The split-file replay: 626 writes one file per column; each of them,
    // opened and played with the macro, gives its row's J and E0 to the
    // digits of the table and the column of the curves file.
    const std::vector<std::string> zeilen = tabelle;
    SetWindowPos(HAUPTDATEN.GrafikHandles[w], HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    AktivesFenster = w;
    HAUPTDATEN.Befehl(626, 0);
    for (int c = 2; c <= 10; ++c) {
        SCOPED_TRACE("split file of column " + std::to_string(c));
        char name[40];
        std::snprintf(name, sizeof name, "%s_%03d.dat", "numsave0", c - 1);
        ASSERT_TRUE(std::filesystem::exists(tmp.Datei(name)));
        const int32_t t = Oeffne(name);
        ASSERT_GE(t, 0);
        DialogAntwort() = makro;
        ASSERT_EQ(ButtonBar.MakroOpen(), 1);
        ASSERT_EQ(ButtonBar.MakroReopen(), 1);
        const int32_t gespielt = ButtonBar.MakroRun(1, c - 1);
        ButtonBar.MakroClose();
        ASSERT_EQ(gespielt, 1);
        char j[32], e[32];
        std::snprintf(j, sizeof j, "%.8G", CommandArgs[0]);
        std::snprintf(e, sizeof e, "%.8G", CommandArgs[1]);
        const std::string& z = zeilen[static_cast<size_t>(c - 1)];
        EXPECT_EQ(z.substr(0, z.find(", ", z.find(", ", 3) + 2)), std::to_string(c) + ", " + j + ", " + e);
        grafik_fenster& gt = GrafikFenster[t];
        ASSERT_EQ(static_cast<size_t>(gt.Punkte()), kurven.spalten[static_cast<size_t>(c - 1)].size());
        for (int32_t i = 0; i < gt.Punkte(); ++i)
            ASSERT_FLOAT_EQ(static_cast<float>(kurven.spalten[static_cast<size_t>(c - 1)][static_cast<size_t>(i)]),
                            static_cast<float>(gt.GetYFeld(-1)[i]))
                << i;
        DestroyWindow(HAUPTDATEN.GrafikHandles[t]);
        for (MSG m; PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }

    // A column of zeros as column 5: 841 refuses its zero edge jump, the
    // run stops there with the player's message.
    std::vector<std::vector<double>> mitNull = serie.spalten;
    mitNull.insert(mitNull.begin() + 4, std::vector<double>(mitNull[0].size(), 0.0));
    const double koeff[3] = {0, 0, 0};
    ASSERT_TRUE(SchreibeMcDatei(tmp.Datei("null.dxa").c_str(), mitNull, koeff, "null.dxa", nullptr));
    w = Oeffne("null.dxa");
    ASSERT_GE(w, 0);
    Analyse("2", "11", IDC_AUTO_PARAMETER, "series", makro);
    bool gemeldet = false;
    for (const GezeigteBox& b : boxen) gemeldet = gemeldet || b.text.find("not applicable") != std::string::npos;
    EXPECT_TRUE(gemeldet);
    tabelle = Zeilen(tmp.Datei("series.par"));
    ASSERT_EQ(tabelle.size(), 4u) << Text(tmp.Datei("series.par"));
    EXPECT_EQ(tabelle[3].rfind("4, ", 0), 0u);
    Analyse("2", "11", IDC_AUTO_KURVEN, "kurzkurven", makro);
    // The curves file announces the columns it holds, and the reader
    // takes every one of them.
    const McInhalt kurz = LiesMc(tmp.Datei("kurzkurven.dxa"));
    EXPECT_EQ(kurz.kopf.Worte[11], static_cast<int16_t>(kurz.spalten.size()));
    EXPECT_GE(kurz.spalten.size(), 4u);
    for (const std::vector<double>& s : kurz.spalten) EXPECT_EQ(s.size(), kurven.spalten[0].size());
}

TEST_F(SerieEndeZuEnde, LcXanesSeriesGivesTheMixtureOfEveryColumn)
{
    // Five mixtures a s1 + (1 - a) s2 on s1's grid, 11.85-12.0 keV (s2
    // interpolated linearly), each a file of its own.
    const std::string lcf = WinPfad(std::string(KORLAN_TEST_DIR) + "/app/xas/data/lcf_au/");
    std::vector<double> e1, y1, e2, y2;
    for (const auto& [datei, e, y] : {std::make_tuple("s1.dat", &e1, &y1), std::make_tuple("s2.dat", &e2, &y2)})
        for (const std::string& z : Zeilen(lcf + datei)) {
            double a, b;
            if (!z.empty() && z[0] != '#' && std::sscanf(z.c_str(), "%lf %lf", &a, &b) == 2) {
                e->push_back(a);
                y->push_back(b);
            }
        }
    ASSERT_GT(e1.size(), 100u);
    const double anteile[] = {0.1, 0.3, 0.5, 0.7, 0.9};
    std::vector<std::string> pfade;
    for (double a : anteile) {
        std::string text = "# mixture of s1 and s2\n";
        size_t k = 0;
        for (size_t i = 0; i < e1.size(); ++i) {
            if (e1[i] < 11850.0 || e1[i] > 12000.0) continue;
            while (k + 2 < e2.size() && e2[k + 1] < e1[i]) ++k;
            const double t = (e1[i] - e2[k]) / (e2[k + 1] - e2[k]);
            char zeile[80];
            std::snprintf(zeile, sizeof zeile, "%.6f %.10g\n", e1[i],
                          a * y1[i] + (1.0 - a) * (y2[k] + t * (y2[k + 1] - y2[k])));
            text += zeile;
        }
        const std::string name = "mix_" + std::to_string(static_cast<int>(a * 10 + 0.5)) + ".dat";
        std::ofstream(tmp.Datei(name)) << text;
        pfade.push_back(tmp.Datei(name));
    }
    Baue("lcserie", pfade);

    // Recorded on column 2: x to keV, then the LC-XANES fit of s1 and s2.
    const int32_t w = Oeffne("lcserie.dxa");
    ASSERT_GE(w, 0);
    const std::string makro = tmp.Datei("lc.MAK");
    Aufnahme(makro, true);
    FehlerCode = 0;
    Prepared(608, {220, 0.001, 0, 0, 0});
    grafik_fenster& g = GrafikFenster[w];
    g.AnzahlFunktionen = 2;
    g.FunktionsTypen[0] = g.FunktionsTypen[1] = 26;
    g.PolyGrad = 0;
    BefehlsFenster(&HAUPTDATEN, false);
    ASSERT_GE(ResetModelTables(), 0);
    std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%ss1.dat,%ss2.dat", lcf.c_str(), lcf.c_str());
    std::snprintf(CommandText2, COMMAND_TEXT2_BYTES, "true");
    Prepared(844, {0.0, 1.0, 11.86, 11.99, 0.0});
    MSG m;
    while (PeekMessageA(&m, hwnd, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {}
    HAUPTDATEN.FitZustand = 0;
    Aufnahme(makro, false);
    ASSERT_EQ(FehlerCode, 0);

    ASSERT_TRUE(Analyse("2", "6", IDC_AUTO_PARAMETER, "lc", makro));
    const std::vector<std::string> z = Zeilen(tmp.Datei("mfeffcoeff.par"));
    ASSERT_EQ(z.size(), 6u) << Text(tmp.Datei("mfeffcoeff.par"));
    EXPECT_EQ(z[0], GrafikFenster[w].DateiInfo.DateiName);
    for (int c = 2; c <= 6; ++c) {
        SCOPED_TRACE("column " + std::to_string(c));
        const std::vector<double> v = Zahlen(z[static_cast<size_t>(c - 1)], ' ');
        ASSERT_EQ(v.size(), 3u) << z[static_cast<size_t>(c - 1)];
        EXPECT_EQ(v[0], c);
        EXPECT_NEAR(v[1], anteile[c - 2], 0.01);
        EXPECT_NEAR(v[2], 1.0 - anteile[c - 2], 0.01);
        std::printf("column %d: a %.4f (%.1f), 1 - a %.4f\n", c, v[1], anteile[c - 2], v[2]);
    }
}
