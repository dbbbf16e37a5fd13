// The analysis steps of the principal component analysis on the six Au L3
// references of tests/app/xas/data/lcf_au, with the file choice answered
// through the hook and the messages through the shell's answering box.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/spectra/data_commands_fixture.h"
#include "app/temp_folder.h"
#include "shell/shell_globals.h"
#include "spectra/file_commands.h"
#include "spectra/file_commands_win.h"
#include "xas/pca_analysis_win.h"

namespace {

std::string wahlOrdner, wahlNamen;
bool wahlAbgebrochen = false;
int wahlAufrufe = 0;

int32_t Waehle(HWND, char* pfad, char* titel, int32_t art, int32_t)
{
    ++wahlAufrufe;
    EXPECT_EQ(art, 200);
    if (wahlAbgebrochen) return 0;
    std::snprintf(pfad, DATEI_NAME_PUFFER, "%s", wahlOrdner.c_str());
    std::snprintf(titel, DATEI_TITEL_PUFFER, "%s", wahlNamen.c_str());
    return 1;
}

const char* const REFERENZEN = KORLAN_TEST_DIR "/app/xas/data/lcf_au/";

}  // namespace

class PcaAnalyse : public EditFixture {
protected:
    TempOrdner ordner;
    std::string altOrdner;
    double residuen[PCA_LISTE] = {}, indikator[PCA_LISTE] = {};

    void SetUp() override
    {
        EditFixture::SetUp();
        altOrdner = HAUPTDATEN.DatenOrdner ? HAUPTDATEN.DatenOrdner : "";
        if (HAUPTDATEN.DatenOrdner)
            std::snprintf(HAUPTDATEN.DatenOrdner, ORDNER_BYTES, "%s", ordner.Ordner().c_str());
        PcaDateiWahl = Waehle;
        PcaEingaben.clear();
        PcaStand = PcaZustand();
        wahlOrdner = REFERENZEN;
        wahlNamen = "s1.dat,s2.dat,s3.dat,s4.dat,s5.dat,s6.dat";
        wahlAbgebrochen = false;
        wahlAufrufe = 0;
        boxen.clear();
    }
    void TearDown() override
    {
        PcaDateiWahl = FileDialog;
        if (HAUPTDATEN.DatenOrdner) std::snprintf(HAUPTDATEN.DatenOrdner, ORDNER_BYTES, "%s", altOrdner.c_str());
        EditFixture::TearDown();
    }
    bool Da(const char* name) const { return std::filesystem::exists(ordner.Datei(name)); }
    bool Leer() const { return std::filesystem::is_empty(ordner.Ordner()); }
};

TEST_F(PcaAnalyse, FullAnalysisOfChosenFilesThenReconstructionAndTarget)
{
    // Before any full analysis the later steps have nothing to work on.
    EXPECT_EQ(DoPcAnalysis(10, residuen, indikator, nullptr, nullptr), PCA_KEINE_ANALYSE);

    ASSERT_EQ(DoPcAnalysis(1, residuen, indikator, nullptr, nullptr), 6);
    EXPECT_EQ(wahlAufrufe, 1);
    ASSERT_EQ(PcaEingaben.size(), 6u);
    EXPECT_STREQ(PcaEingaben[0].Name, "s1.dat");
    EXPECT_STREQ(PcaEingaben[5].Name, "s6.dat");
    // Weights descending, every reconstruction with all components exact.
    for (int i = 1; i < 6; ++i) EXPECT_GE(PcaEingaben[i - 1].Gewicht, PcaEingaben[i].Gewicht);
    for (int i = 0; i < 6; ++i) EXPECT_LT(residuen[i], 1e-3) << i;
    for (int i = 6; i < PCA_LISTE; ++i) EXPECT_EQ(residuen[i], 0.0);
    EXPECT_GT(indikator[0], 0.0);
    for (const char* f : {"temp.txt", "A_PCA_components.dat", "mix_coeff.dat", "new_weights.dat",
                          "A_PCA_recon_data.dat", "residuals.dat"})
        EXPECT_TRUE(Da(f)) << f;
    EXPECT_NE(std::string(CommandText).find("s6.dat"), std::string::npos);

    // Reconstruction with the first two components leaves residuals.
    {
        FILE* f = std::fopen(ordner.Datei("new_weights.dat").c_str(), "w");
        ASSERT_TRUE(f);
        std::fputs("1\n1\n0\n0\n0\n0\n", f);
        std::fclose(f);
    }
    ASSERT_EQ(DoPcAnalysis(10, residuen, indikator, nullptr, nullptr), 6);
    double summe = 0.0;
    for (int i = 0; i < 6; ++i) summe += residuen[i];
    EXPECT_GT(summe, 1e-3);

    // The target transformation of a member writes the test files.
    std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%ss3.dat", REFERENZEN);
    EXPECT_EQ(DoPcAnalysis(-1, residuen, indikator, nullptr, nullptr), 6);
    EXPECT_TRUE(Da("A_PCA_Test_Prime.pca"));
    EXPECT_TRUE(Da("A_PCA_Test.dat"));
}

TEST_F(PcaAnalyse, ChoicesThatEndWithNothingWritten)
{
    struct Fall {
        const char* was;
        const char* namen;
        bool abbrechen;
        const char* meldung;  // null: no message
    };
    const Fall faelle[] = {
        {"cancelled", "", true, nullptr},
        {"one file", "", false, "Choose at least two spectra."},
        {"unreadable input", "s1.dat,missing.dat,s3.dat", false, "File could not be opened!"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        boxen.clear();
        wahlAbgebrochen = f.abbrechen;
        wahlNamen = f.namen;
        // A single file comes back as its whole path and no names.
        wahlOrdner = std::string(REFERENZEN) + (*f.namen ? "" : "s1.dat");
        EXPECT_EQ(DoPcAnalysis(1, residuen, indikator, nullptr, nullptr), 0);
        EXPECT_TRUE(Leer());
        EXPECT_EQ(residuen[0], 0.0);
        if (f.meldung) {
            ASSERT_EQ(boxen.size(), 1u);
            EXPECT_NE(boxen[0].text.find(f.meldung), std::string::npos) << boxen[0].text;
        } else {
            EXPECT_TRUE(boxen.empty());
        }
    }
}

// An input that ends before the grid does is taken after a caution, with 0
// on the grid beyond its end.
TEST_F(PcaAnalyse, ShortInputIsTakenAfterACaution)
{
    TempOrdner quelle;
    std::filesystem::copy_file(std::string(REFERENZEN) + "s1.dat", quelle.Datei("s1.dat"));
    {
        std::ifstream ein(std::string(REFERENZEN) + "s2.dat");
        std::ofstream aus(quelle.Datei("kurz.dat"));
        std::string zeile;
        while (std::getline(ein, zeile)) {
            double e = 0.0;
            if (!zeile.empty() && zeile[0] != '#' && std::sscanf(zeile.c_str(), "%lf", &e) == 1 && e > 12300.0)
                break;
            aus << zeile << "\n";
        }
    }
    wahlOrdner = quelle.Ordner() + "\\";
    wahlNamen = "s1.dat,kurz.dat";
    ASSERT_EQ(DoPcAnalysis(1, residuen, indikator, nullptr, nullptr), 2);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].text, "Energy range of single spectra not compatible!");
    EXPECT_EQ(boxen[0].titel, "Caution!");
    ASSERT_EQ(PcaEingaben.size(), 2u);
    EXPECT_LT(PcaEingaben[1].Ende, 12301.0);
    EXPECT_EQ(PcaEingaben[1].Gitterspektrum.back(), 0.0);
    EXPECT_GT(PcaEingaben[0].Gitterspektrum.back(), 0.5);
    EXPECT_TRUE(Da("temp.txt"));
}
