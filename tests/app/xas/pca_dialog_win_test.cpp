// The principal component analysis dialog through XAFS command 851 on the
// six Au L3 references of tests/app/xas/data/lcf_au, and the column mode
// of a series file, with both file choices answered through their hooks.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/spectra/data_commands_fixture.h"
#include "app/temp_folder.h"
#include "resource_ids.h"
#include "shell/macro_bar.h"
#include "shell/results_window.h"
#include "shell/shell_globals.h"
#include "spectra/file_commands.h"
#include "spectra/file_commands_win.h"
#include "spectra/spectrum_file.h"
#include "xas/pca_dialog_win.h"

namespace {

const char* const REFERENZEN = KORLAN_TEST_DIR "/app/xas/data/lcf_au/";
bool eingabenAbgebrochen = false;
std::string testDatei = "unknown.dat";

int32_t WaehleEingaben(HWND, char* pfad, char* titel, int32_t, int32_t)
{
    if (eingabenAbgebrochen) return 0;
    std::snprintf(pfad, DATEI_NAME_PUFFER, "%s", REFERENZEN);
    std::snprintf(titel, DATEI_TITEL_PUFFER, "s1.dat,s2.dat,s3.dat,s4.dat,s5.dat,s6.dat");
    return 1;
}

int32_t WaehleTest(HWND, char* pfad, char* titel, int32_t art, int32_t)
{
    EXPECT_EQ(art, 100);
    std::snprintf(pfad, DATEI_NAME_PUFFER, "%s%s", REFERENZEN, testDatei.c_str());
    std::snprintf(titel, DATEI_TITEL_PUFFER, "%s", testDatei.c_str());
    return 1;
}

bool An(HWND dlg, int id) { return IsWindowEnabled(GetDlgItem(dlg, id)) != FALSE; }

DialogSchritt Foto(const char* name)
{
    return [name](HWND d) { EXPECT_TRUE(FensterFoto(d, name)) << name; };
}

DialogSchritt WaehleKomponenten(std::vector<int> welche)
{
    return [welche](HWND d) {
        SendDlgItemMessageA(d, IDC_PCA_KOMPONENTENLISTE, LB_SETSEL, FALSE, -1);
        for (int i : welche) SendDlgItemMessageA(d, IDC_PCA_KOMPONENTENLISTE, LB_SETSEL, TRUE, i);
    };
}

}  // namespace

class PcaDialogTest : public EditFixture {
protected:
    TempOrdner daten;
    std::string altOrdner;

    void SetUp() override
    {
        EditFixture::SetUp();
        altOrdner = HAUPTDATEN.DatenOrdner ? HAUPTDATEN.DatenOrdner : "";
        std::snprintf(HAUPTDATEN.DatenOrdner, ORDNER_BYTES, "%s", daten.Ordner().c_str());
        PcaDateiWahl = WaehleEingaben;
        PcaTestWahl = WaehleTest;
        PcaEingaben.clear();
        PcaStand = PcaZustand();
        eingabenAbgebrochen = false;
        testDatei = "unknown.dat";
        Kurve(0, 50, [](double x) { return std::sin(x / 5.0); });
        ResultsWindow.ErgebnisText[0] = '\0';
    }
    void TearDown() override
    {
        PcaDateiWahl = FileDialog;
        PcaTestWahl = FileDialog;
        std::snprintf(HAUPTDATEN.DatenOrdner, ORDNER_BYTES, "%s", altOrdner.c_str());
        EditFixture::TearDown();
    }
    bool Da(const char* name) const { return std::filesystem::exists(daten.Datei(name)); }
    std::string Inhalt(const char* name) const
    {
        std::ifstream f(daten.Datei(name));
        std::stringstream s;
        s << f.rdbuf();
        return s.str();
    }
    // Command 851 as the menu sends it; true when no dialog stayed open.
    bool Befehl(std::vector<DialogSchritt> schritte)
    {
        boxen.clear();
        return MitDialogen(std::move(schritte), [] { HAUPTDATEN.Befehl(851, 0); });
    }
};

TEST_F(PcaDialogTest, ListsReconstructionTargetFactorAndConcentrations)
{
    std::vector<std::string> eingaben, komponenten, gewichte, residuen, indikator, residuenNachher;
    bool annehmenVorher = true, annehmenNachher = false, realVorher = true, realNachher = false;
    std::string flags, nummerOben, nummerUnten, faktorEins;
    // A macro being recorded gets no step from the dialog.
    TempOrdner makroOrdner;
    const std::string makro = makroOrdner.Datei("pca.MAK");
    std::snprintf(ButtonBar.MakroPfad, sizeof ButtonBar.MakroPfad, "%s", makro.c_str());
    HAUPTDATEN.MakroAufnahme = 1;
    const bool zu = Befehl({
        [&](HWND d) {
            eingaben = ListenZeilen(d, IDC_PCA_EINGABEN), komponenten = ListenZeilen(d, IDC_PCA_KOMPONENTENLISTE);
            gewichte = ListenZeilen(d, IDC_PCA_GEWICHTE), residuen = ListenZeilen(d, IDC_PCA_RESIDUENLISTE);
            indikator = ListenZeilen(d, IDC_PCA_INDIKATOR);
            annehmenVorher = An(d, IDC_PCA_ANNEHMEN), realVorher = An(d, IDC_PCA_REAL);
        },
        Foto("pca_view0.png"),
        // Scrolling never passes the first or the last input.
        [&](HWND d) {
            for (int i = 0; i < 9; ++i)
                SendMessageA(d, WM_VSCROLL, SB_LINEUP, reinterpret_cast<LPARAM>(GetDlgItem(d, IDC_PCA_SCROLL)));
            char t[20] = "";
            GetDlgItemTextA(d, IDC_PCA_NUMMER, t, sizeof t);
            nummerOben = t;
            for (int i = 0; i < 9; ++i)
                SendMessageA(d, WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(GetDlgItem(d, IDC_PCA_SCROLL)));
            GetDlgItemTextA(d, IDC_PCA_NUMMER, t, sizeof t);
            nummerUnten = t;
        },
        WaehleKomponenten({0, 1}), Druecke(IDC_PCA_REKONSTRUIEREN),
        [&](HWND d) {
            flags = Inhalt("new_weights.dat");
            residuenNachher = ListenZeilen(d, IDC_PCA_RESIDUENLISTE);
        },
        Waehle(IDC_PCA_KOMPONENTEN), Foto("pca_view1.png"),
        Waehle(IDC_PCA_RESIDUEN), Foto("pca_view5.png"),
        Waehle(IDC_PCA_KONZENTRATIONEN), Foto("pca_view6.png"),
        Waehle(IDC_PCA_TARGET), [&](HWND d) { annehmenNachher = An(d, IDC_PCA_ANNEHMEN); },
        Foto("pca_view2.png"),
        Druecke(IDC_PCA_ANNEHMEN),
        [&](HWND d) {
            realNachher = An(d, IDC_PCA_REAL);
            faktorEins = Inhalt("A_PCA_Test_Prime.pca");
        },
        // A second target from "F" is transformed at once, then accepted.
        [](HWND) { testDatei = "s1.dat"; }, Druecke(IDC_PCA_TESTDATEI), [](HWND) {}, Druecke(IDC_PCA_ANNEHMEN),
        Waehle(IDC_PCA_REAL), Foto("pca_view7.png"),
        Druecke(IDOK),
    });
    HAUPTDATEN.MakroAufnahme = 0;
    ButtonBar.MakroPfad[0] = '\0';
    ASSERT_TRUE(zu);
    EXPECT_FALSE(std::filesystem::exists(makro));
    EXPECT_TRUE(boxen.empty()) << (boxen.empty() ? "" : boxen[0].text);
    ASSERT_EQ(eingaben.size(), 6u);
    EXPECT_EQ(eingaben[0], "s1.dat");
    EXPECT_EQ(komponenten[5], "  Component # 6");
    ASSERT_EQ(gewichte.size(), 6u);
    EXPECT_GT(std::atof(gewichte[0].c_str()), 10 * std::atof(gewichte[1].c_str()));
    EXPECT_EQ(residuen.size(), 6u);
    EXPECT_EQ(indikator.size(), 6u);
    EXPECT_FALSE(annehmenVorher);
    EXPECT_FALSE(realVorher);
    EXPECT_EQ(nummerOben, "6");
    EXPECT_EQ(nummerUnten, "1");

    // The reconstruction keeps exactly the selected components.
    EXPECT_EQ(flags, "1\n1\n0\n0\n0\n0\n");
    ASSERT_EQ(residuenNachher.size(), 6u);
    EXPECT_NE(residuenNachher, residuen);

    EXPECT_TRUE(annehmenNachher);
    EXPECT_TRUE(realNachher);
    // The accepted factor is the transformed target line by line.
    ASSERT_TRUE(Da("factor_1.pca"));
    ASSERT_TRUE(Da("factor_2.pca"));
    EXPECT_EQ(Inhalt("factor_1.pca"), faktorEins);
    EXPECT_EQ(Inhalt("factor_2.pca"), Inhalt("A_PCA_Test_Prime.pca"));
    EXPECT_NE(Inhalt("factor_1.pca"), Inhalt("factor_2.pca"));
    EXPECT_TRUE(Da("realweight_1.pca"));
    EXPECT_TRUE(Da("realweight_2.pca"));

    // OK shows "temp.txt" in the results window, target lines included.
    const std::string text = ResultsWindow.ErgebnisText;
    EXPECT_NE(text.find("Principal Components Analysis - Results"), std::string::npos);
    EXPECT_NE(text.find("Target Transformation of   unknown.dat"), std::string::npos);
    EXPECT_NE(text.find("Target Transformation of   s1.dat"), std::string::npos);
    // The views used a copy: the window's first curve is unchanged.
    EXPECT_EQ(Y(0, 0).size(), 50u);
    EXPECT_DOUBLE_EQ(Y(0, 0)[10], std::sin(2.0));
}

TEST_F(PcaDialogTest, CancelledChoiceClosesWithNothingWrittenOrShown)
{
    eingabenAbgebrochen = true;
    EXPECT_TRUE(Befehl({}));
    EXPECT_TRUE(std::filesystem::is_empty(daten.Ordner()));
    EXPECT_STREQ(ResultsWindow.ErgebnisText, "");
    EXPECT_TRUE(boxen.empty());
}

// The same target accepted twice gives no concentrations: a message, and
// no "realweight" file.
TEST_F(PcaDialogTest, DependentTargetFactorsAreRefused)
{
    int32_t faktoren = 0;
    bool realGecheckt = false;
    ASSERT_TRUE(Befehl({
        Waehle(IDC_PCA_TARGET), Druecke(IDC_PCA_ANNEHMEN), Druecke(IDC_PCA_ANNEHMEN),
        [&](HWND d) {
            faktoren = static_cast<int32_t>(SendDlgItemMessageA(d, IDC_PCA_FAKTOREN, LB_GETCOUNT, 0, 0));
        },
        Waehle(IDC_PCA_REAL),
        [&](HWND d) { realGecheckt = IsDlgButtonChecked(d, IDC_PCA_REAL) == BST_CHECKED; },
        Druecke(IDCANCEL),
    }));
    EXPECT_EQ(faktoren, 2);
    EXPECT_TRUE(realGecheckt);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].text, "The target factors are linearly dependent!\r\nNo concentrations computed.");
    EXPECT_EQ(Inhalt("factor_1.pca"), Inhalt("factor_2.pca"));
    EXPECT_FALSE(Da("realweight_1.pca"));
    EXPECT_FALSE(Da("realweight_2.pca"));
    // Cancel shows nothing.
    EXPECT_STREQ(ResultsWindow.ErgebnisText, "");
}

// A test file that cannot be read is not transformed, and the transform
// of the one before cannot be accepted under its name.
TEST_F(PcaDialogTest, UnreadableTargetLeavesNothingToAccept)
{
    bool annehmenErst = false, annehmenDann = true;
    ASSERT_TRUE(Befehl({
        Waehle(IDC_PCA_TARGET), [&](HWND d) { annehmenErst = An(d, IDC_PCA_ANNEHMEN); },
        [](HWND) { testDatei = "missing.dat"; }, Druecke(IDC_PCA_TESTDATEI), [](HWND) {},
        [&](HWND d) { annehmenDann = An(d, IDC_PCA_ANNEHMEN); },
        Druecke(IDCANCEL),
    }));
    EXPECT_TRUE(annehmenErst);
    EXPECT_FALSE(annehmenDann);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_NE(boxen[0].text.find("File could not be opened!"), std::string::npos) << boxen[0].text;
    EXPECT_EQ(Inhalt("temp.txt").find("missing.dat"), std::string::npos);
}

TEST_F(PcaDialogTest, ReplayStopsWithoutOpeningTheDialog)
{
    FehlerCode = 0;
    const int32_t zaehler = GrafikFenster[0].KurvenZaehler;
    EXPECT_TRUE(MitDialogen({}, [&] { Prepared(851, {}); }));
    EXPECT_EQ(FehlerCode, 1000);
    // No copy of the curve either.
    EXPECT_EQ(GrafikFenster[0].KurvenZaehler, zaehler);
    EXPECT_TRUE(std::filesystem::is_empty(daten.Ordner()));
}

// A series file of n points over 11.85-12.05 keV: column j (0-based) of
// `spalten` mixes two pure edges, with a small shift per column so that no
// two columns are alike; the active window shows it.
namespace {
void SchreibeSerie(const std::string& ordner, const char* name, int spalten, int n)
{
    std::vector<double> x(n);
    std::vector<std::vector<double>> y(spalten, std::vector<double>(n));
    for (int k = 0; k < n; ++k) {
        x[k] = 11.85 + 0.2 * k / (n - 1);
        const double a = std::atan((x[k] - 11.915) / 0.002), b = std::atan((x[k] - 11.925) / 0.004);
        for (int j = 0; j < spalten; ++j) {
            const double f = spalten > 5 ? j / (spalten - 1.0) : 0.2 * j;
            y[j][k] = (1.0 - f) * a + f * b + (spalten > 5 ? 1e-3 * std::sin(0.37 * j * (k + 1)) : 0.0);
        }
    }
    const std::string pfad = ordner + "\\" + name;
    BinaerAuftrag auftrag;
    auftrag.Spalten = spalten + 1;
    auftrag.Punkte = n;
    auftrag.Teil = 1;
    ASSERT_EQ(SchreibeBinaerSpektrum(pfad.c_str(), auftrag), SPEKTRUM_OK);
    auftrag.Anhaengen = 100;
    auftrag.x = x.data();
    for (int j = 0; j < spalten; ++j) {
        auftrag.Teil = j == 0 ? 0 : 10;
        auftrag.y = y[j].data();
        ASSERT_EQ(SchreibeBinaerSpektrum(pfad.c_str(), auftrag), SPEKTRUM_OK);
    }
    grafik_fenster& g = GrafikFenster[0];
    std::snprintf(g.DateiInfo.Ordner, sizeof g.DateiInfo.Ordner, "%s\\", ordner.c_str());
    std::snprintf(g.DateiInfo.DateiName, sizeof g.DateiInfo.DateiName, "%s", name);
    g.DateiInfo.Spalten = spalten + 1;
    g.DateiInfo.Binaer = 1;
}
}  // namespace

// The spectrum columns of the window's series file as inputs: named by
// column, one report line for the file, and the columns' own mixtures.
TEST_F(PcaDialogTest, ColumnModeTakesTheSeriesColumns)
{
    const int spalten = 5;
    SchreibeSerie(daten.Ordner(), "serie.dxa", spalten, 120);
    grafik_fenster& g = GrafikFenster[0];
    antwort = IDOK;

    double residuen[PCA_LISTE] = {}, indikator[PCA_LISTE] = {};
    ASSERT_EQ(DoPcAnalysis(1, residuen, indikator, &g, nullptr), spalten);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].text, "Take columns for PCA?");
    ASSERT_EQ(PcaEingaben.size(), static_cast<size_t>(spalten));
    EXPECT_STREQ(PcaEingaben[0].Name, "  1. column");
    EXPECT_STREQ(PcaEingaben[4].Name, "  5. column");
    const std::string bericht = Inhalt("temp.txt");
    EXPECT_NE(bericht.find("  Multiple column file            serie.dxa, col:    5   ndp:  300"), std::string::npos)
        << bericht;
    EXPECT_EQ(bericht.find("File #"), std::string::npos);
    // Two pure edges mix the five columns: two weights carry them.
    EXPECT_LT(PcaEingaben[2].Gewicht, 1e-6 * PcaEingaben[0].Gewicht);
    EXPECT_GT(PcaEingaben[1].Gewicht, 1e-4 * PcaEingaben[0].Gewicht);

    // Cancel takes the files instead.
    antwort = IDCANCEL;
    boxen.clear();
    EXPECT_EQ(DoPcAnalysis(1, residuen, indikator, &g, nullptr), 6);
    EXPECT_STREQ(PcaEingaben[0].Name, "s1.dat");
}

// 99 columns are the most an analysis takes; 100 are refused before
// anything is read or written.
TEST_F(PcaDialogTest, NinetyNineColumnsAreTakenAHundredRefused)
{
    TempOrdner serien;
    grafik_fenster& g = GrafikFenster[0];
    double residuen[PCA_LISTE] = {}, indikator[PCA_LISTE] = {};
    antwort = IDOK;

    SchreibeSerie(serien.Ordner(), "hundert.dxa", 100, 60);
    boxen.clear();
    EXPECT_EQ(DoPcAnalysis(1, residuen, indikator, &g, nullptr), -1);
    ASSERT_EQ(boxen.size(), 2u);
    EXPECT_EQ(boxen[1].text, "Too many files or columns!\r\n Max. no. of columns = 100");
    EXPECT_EQ(boxen[1].titel, "Error!");
    EXPECT_TRUE(std::filesystem::is_empty(daten.Ordner()));
    EXPECT_TRUE(PcaEingaben.empty());

    // In the dialog: the lists stay empty and the dialog stays open.
    int32_t zeilen = -1;
    ASSERT_TRUE(Befehl({
        [&](HWND d) {
            zeilen = 0;
            for (int id : {IDC_PCA_EINGABEN, IDC_PCA_KOMPONENTENLISTE, IDC_PCA_GEWICHTE, IDC_PCA_RESIDUENLISTE,
                           IDC_PCA_INDIKATOR, IDC_PCA_FAKTOREN})
                zeilen += static_cast<int32_t>(SendDlgItemMessageA(d, id, LB_GETCOUNT, 0, 0));
        },
        Druecke(IDCANCEL),
    }));
    EXPECT_EQ(zeilen, 0);
    ASSERT_EQ(boxen.size(), 2u);
    EXPECT_EQ(boxen[1].titel, "Error!");
    EXPECT_TRUE(std::filesystem::is_empty(daten.Ordner()));

    SchreibeSerie(serien.Ordner(), "neunundneunzig.dxa", 99, 60);
    boxen.clear();
    EXPECT_EQ(DoPcAnalysis(1, residuen, indikator, &g, nullptr), 99);
    EXPECT_EQ(boxen.size(), 1u);
    ASSERT_EQ(PcaEingaben.size(), 99u);
    EXPECT_STREQ(PcaEingaben[98].Name, " 99. column");
    const std::string bericht = Inhalt("temp.txt");
    EXPECT_NE(bericht.find("   WARNING: max. # of files: 99"), std::string::npos);
    EXPECT_NE(bericht.find("col:   99   ndp:  300"), std::string::npos);
    const std::string v = Inhalt("mix_coeff.dat");
    EXPECT_EQ(std::count(v.begin(), v.end(), '\n'), 99 * 99);
}
