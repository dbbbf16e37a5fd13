// Command 849 on a model of the first three paths of the copper FEFF 8.50L
// run: the dialog's proposal, the rows with the model's values and the
// weights of |chi(k)|, the list read back by the path loader, FEFF's own
// files refused as output and left as they were, and a replay.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/spectra/data_commands_fixture.h"
#include "app/temp_folder.h"
#include "fit/exafs_terms.h"
#include "fit/fit_model.h"
#include "resource_ids.h"
#include "shell/shell_globals.h"
#include "xas/debye_waller.h"
#include "xas/feff_path.h"
#include "xas/mcmaster.h"

namespace {

const std::string FEFF = KORLAN_TEST_DIR "/app/xas/data/cu_feff85_noSCF/";

std::string LiesText(const std::string& name)
{
    std::ifstream f(name);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

std::vector<std::string> TextZeilen(const std::string& t)
{
    std::vector<std::string> z;
    std::istringstream s(t);
    std::string l;
    while (std::getline(s, l)) z.push_back(l);
    return z;
}

}  // namespace

class WriteFiles : public EditFixture {
protected:
    TempOrdner feff;
    std::vector<double> mucal = std::vector<double>(MCMASTER_WERTE, 0.0);
    double* altMucal = nullptr;
    int32_t altDw = 0;

    void SetUp() override
    {
        EditFixture::SetUp();
        for (const char* n : {"files.dat", "paths.dat", "feff0001.dat", "feff0002.dat", "feff0003.dat"})
            ASSERT_TRUE(CopyFileA((FEFF + n).c_str(), feff.Datei(n).c_str(), FALSE));
        ASSERT_EQ(LeseMucalDatei(KORLAN_TEST_DIR "/../app/resources/program/mucal.dat", mucal.data()), 1);
        altMucal = McMasterTable;
        McMasterTable = mucal.data();
        std::snprintf(HAUPTDATEN.FeffOrdner, ORDNER_BYTES, "%s", feff.Ordner().c_str());
        FeffPfadeLeeren();
        // Window 0: a k grid 2 .. 14 (chi itself does not matter).
        grafik_fenster& g = GrafikFenster[0];
        const int n = 241;
        for (int i = 0; i < n; ++i) {
            g.GetXFeld(0)[i] = 2.0 + 0.05 * i;
            g.GetYFeld(0)[i] = 0.0;
        }
        NurSlotNull(0, n);
        // S0^2 and paths 1, 2, 3: a distance shift, a distance, a Debye temperature.
        const int32_t t[4] = {25, 21, 21, 21};
        const double p[13] = {0.9, 12.0, 0.05, 0.003, 1.0, 6.0, 2.48, 0.004, 1.0, 48.0, 0.0, 250.0, 1.0};
        std::copy(t, t + 4, g.FunktionsTypen);
        std::copy(p, p + 13, g.Parameter);
        g.AnzahlFunktionen = 4;
        g.ModellArt = 6;
        for (int32_t r = 1; r <= 3; ++r) {
            FeffPfad& s = FeffPfade[r];
            s.Pfadnummer = r;
            std::snprintf(s.FilesDatPfad, sizeof s.FilesDatPfad, "%s", feff.Datei("files.dat").c_str());
            ASSERT_GT(LoadFeffPath(1, &s, n, g.GetXFeld(0)), 0);
            s.Geladen = 1;
        }
        // The set-up's tables: the third sigma^2 held as a Debye temperature.
        FitFunctionTypes = g.FunktionsTypen;
        FitParameters = g.Parameter;
        FitFunctionCount = 4;
        ASSERT_EQ(ResetModelTables(), 13);
        ParameterFlags[11] = PF_MS;
        altDw = DebyeWallerModell;
        DebyeWallerModell = -1;
        ModellKGewicht = 2.0;
        FehlerCode = 0;
    }
    void TearDown() override
    {
        FeffPfadeLeeren();
        McMasterTable = altMucal;
        DebyeWallerModell = altDw;
        HAUPTDATEN.FeffOrdner[0] = '\0';
        ModellKGewicht = 0.0;
        EditFixture::TearDown();
    }
    // 849 with the name typed in and OK; the proposed name comes back.
    std::string Schreibe(const std::string& name, bool original = false, const char* filter = nullptr)
    {
        std::string vorschlag;
        std::vector<DialogSchritt> s = {[&vorschlag](HWND d) {
            char t[MAX_PATH] = "";
            GetDlgItemTextA(d, IDC_WF_NAME, t, sizeof t);
            vorschlag = t;
        }};
        s.push_back(SetzeText(IDC_WF_NAME, name.c_str()));
        if (original) s.push_back(Waehle(IDC_WF_ORIGINAL));
        if (filter) s.push_back(SetzeText(IDC_WF_FILTER, filter));
        s.push_back(Druecke(IDOK));
        EXPECT_TRUE(MitDialogen(s, [] { HAUPTDATEN.Befehl(849, 0); }));
        return vorschlag;
    }
};

TEST_F(WriteFiles, RowsCarryTheModelsValuesAndReadBack)
{
    const std::string aus = feff.Datei("FILES_2.DAT");
    // The triangle's weight (its sigma^2 from 250 K) lies below the 5 % proposed.
    EXPECT_EQ(Schreibe(aus, false, "1.0"), feff.Ordner() + "\\FILES_2.DAT");
    EXPECT_TRUE(boxen.empty());
    const std::vector<std::string> z = TextZeilen(LiesText(aus));
    ASSERT_GE(z.size(), 14u);
    EXPECT_EQ(z[0].rfind(" Copper example", 0), 0u);
    EXPECT_EQ(z[8], "    file        sig2   amp ratio    deg    nlegs  r effective");
    // Path 1 is the strongest; its R is Reff + 0.05; path 2 keeps 2.48.
    EXPECT_EQ(z[9], " feff0001.dat    0.003000    100.0    12.00     2      2.6027");
    EXPECT_EQ(z[10].rfind(" feff0002.dat    0.004000    ", 0), 0u);
    EXPECT_EQ(z[10].substr(z[10].size() - 27), "    6.000     2      2.4800");
    char s2[40];
    std::snprintf(s2, sizeof s2, " feff0003.dat    %#5.4G    ", CorrDebyeSigma2(FeffPfade[3], MessTemperatur, 250.0));
    EXPECT_EQ(z[11].rfind(s2, 0), 0u) << z[11];
    // The weights of |chi|: every path has one, below the first shell's.
    for (int i = 10; i <= 11; ++i) {
        const double r = std::atof(z[i].c_str() + 28);
        EXPECT_GT(r, 1.0) << z[i];
        EXPECT_LT(r, 100.0) << z[i];
    }
    EXPECT_EQ(z[12], "");
    EXPECT_EQ(z[14], "-----------------------  PATHS  --------------------------------");
    const std::string text = LiesText(aus);
    EXPECT_NE(text.find("     3    3  48.000  index, nleg, degeneracy"), std::string::npos);

    // Through the loader: the new list's values are the model's.
    FeffPfad neu{};
    neu.Pfadnummer = 1;
    std::snprintf(neu.FilesDatPfad, sizeof neu.FilesDatPfad, "%s", aus.c_str());
    ASSERT_GT(LoadFeffPath(1, &neu, 0, nullptr), 0);
    EXPECT_NEAR(neu.Reff, 2.6027, 1e-9);
    EXPECT_NEAR(neu.Entartung, 12.0, 1e-9);
    EXPECT_NEAR(neu.Sigma2, 0.003, 1e-12);
    FeffPfadFreigeben(&neu);

    // FEFF's own values.
    Schreibe(aus, true, "1.0");
    EXPECT_EQ(TextZeilen(LiesText(aus))[9], " feff0001.dat  .00000    100.0    12.00     2      2.5527");
}

TEST_F(WriteFiles, WeightsTakeTheMagnitudeOfChi)
{
    // The triangle with a negative N: its chi changes sign, its weight not.
    const std::string aus = feff.Datei("liste.dat");
    Schreibe(aus, false, "1.0");
    const std::string vorher = TextZeilen(LiesText(aus))[11];
    GrafikFenster[0].Parameter[9] = -48.0;
    Schreibe(aus, false, "1.0");
    const std::vector<std::string> z = TextZeilen(LiesText(aus));
    ASSERT_EQ(z[11].rfind(" feff0003.dat", 0), 0u) << z[11];
    EXPECT_EQ(z[11].substr(0, 35), vorher.substr(0, 35));

    // Above the triangle's weight only the two-leg paths are written.
    Schreibe(aus, false, "99.0");
    const std::vector<std::string> w = TextZeilen(LiesText(aus));
    EXPECT_EQ(w[10].rfind(" feff0002.dat", 0), 0u);
    EXPECT_EQ(w[11], "");
    EXPECT_EQ(LiesText(aus).find("     3    3  48.000  index"), std::string::npos);
}

TEST_F(WriteFiles, InputsAreRefusedAndStayAsTheyWere)
{
    const std::string original = LiesText(feff.Datei("files.dat"));
    for (const std::string& name : {feff.Datei("FILES.DAT"), feff.Datei("files.dat"), feff.Datei("PATHS.DAT")}) {
        boxen.clear();
        // The refusal keeps the dialog open; Cancel then ends it.
        std::vector<DialogSchritt> s = {SetzeText(IDC_WF_NAME, name.c_str()), Druecke(IDOK), Druecke(IDCANCEL)};
        EXPECT_TRUE(MitDialogen(s, [] { HAUPTDATEN.Befehl(849, 0); }));
        ASSERT_EQ(boxen.size(), 1u) << name;
        EXPECT_NE(boxen[0].text.find("cannot be written to a file they are read from"), std::string::npos);
    }
    EXPECT_EQ(LiesText(feff.Datei("files.dat")), original);
    EXPECT_EQ(LiesText(feff.Datei("paths.dat")), LiesText(FEFF + "paths.dat"));

    // A model without paths: header and separator only.
    GrafikFenster[0].AnzahlFunktionen = 1;
    const std::string aus = feff.Datei("leer.dat");
    Schreibe(aus);
    const std::vector<std::string> files = TextZeilen(LiesText(FEFF + "files.dat"));
    std::string erwartet;
    for (int i = 0; i < 9; ++i) erwartet += files[i] + "\n";
    erwartet += "\n\n-----------------------  PATHS  --------------------------------\n\n";
    EXPECT_EQ(LiesText(aus), erwartet);

    // A replay does not open the dialog.
    Prepared(849, {});
    EXPECT_EQ(FehlerCode, 1000);
}

TEST_F(WriteFiles, WithoutAFeffFolderTheProposalComesFromFeffdirIni)
{
    HAUPTDATEN.FeffOrdner[0] = '\0';
    { std::ofstream(Pfad("feffdir.ini")) << "C:\\FEFF85\\bin\\feff.exe\n"; }
    std::string vorschlag, filter;
    EXPECT_TRUE(MitDialogen({[&](HWND d) {
                                 char t[MAX_PATH] = "";
                                 GetDlgItemTextA(d, IDC_WF_NAME, t, sizeof t);
                                 vorschlag = t;
                                 GetDlgItemTextA(d, IDC_WF_FILTER, t, sizeof t);
                                 filter = t;
                             },
                             Druecke(IDCANCEL)},
                            [] { HAUPTDATEN.Befehl(849, 0); }));
    EXPECT_EQ(vorschlag, "C:\\FEFF85\\bin\\FILES_2.DAT");
    EXPECT_EQ(filter, "5.0");
    DeleteFileA(Pfad("feffdir.ini").c_str());
}
