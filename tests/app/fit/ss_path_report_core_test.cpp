// The "Feff SS paths" report of the results window on a FEFF model filled
// by hand: the head and path blocks taken from a real fit report, the pair
// table (distance rule, temperatures through the Einstein model, derived
// and polynomial sigma^2) and the correlation matrix under the text limit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "app/fit/model_fixture.h"
#include "fit/fit_report.h"
#include "fit/fit_run.h"
#include "fit/ss_path_report.h"
#include "xas/feff_path.h"

namespace {

const std::string DASHES(63, '-');
const std::string DOTS(63, '.');
// Reduced mass of a Cu-Cu pair in kg.
const double MU_CU = 63.546 / 2.0 * 1.66053907e-27;

std::string Zeile(const std::string& text, const std::string& anfang)
{
    const std::size_t a = text.find(anfang);
    if (a == std::string::npos) return "";
    return text.substr(a, text.find("\r\n", a) - a + 2);
}

void Pfad(int r, int beine, double reff, const char* a, const char* b)
{
    FeffPfad& p = FeffPfade[r];
    p = FeffPfad{};
    p.Beine = beine;
    p.Reff = reff;
    p.ReduzierteMasse = MU_CU;
    p.AbsorberWinkel = 60.0;
    std::snprintf(p.Dateiname, sizeof p.Dateiname, "feff%04d.dat", r);
    std::snprintf(p.AtomSymbole[0], 4, "%s", a);
    std::snprintf(p.AtomSymbole[1], 4, "%s", b);
}

class SsPathReport : public ModelFixture {
protected:
    std::vector<double> x = std::vector<double>(201);
    char status[40000];

    void TearDown() override
    {
        for (int r = 0; r < FEFF_PFADE; ++r) FeffPfade[r] = FeffPfad{};
        for (double& f : FeffPfadFlaechen) f = 0.0;
        ModelFixture::TearDown();
    }

    // The long fit report of the working model as it stands.
    std::string FitText()
    {
        for (int i = 0; i <= 200; ++i) x[i] = 2.0 + i * 0.07;
        FIT_STATUS s;
        s.Strichlinie = DASHES.c_str();
        s.Punktlinie = DOTS.c_str();
        FitStatusTextKern(status, sizeof status, s);
        zelva.SetFunction(Callback);
        BERICHT_EINGABE e;
        e.Punkte = 201;
        e.X = x.data();
        e.Untergrenze = 2.0;
        e.Obergrenze = 16.0;
        e.Status = status;
        e.Numerik = &zelva;
        e.Modell = Callback;
        e.Ergebnisse = results.data();
        e.Strichlinie = DASHES;
        e.Punktlinie = DOTS;
        return FitBericht(e).Lang;
    }

    SS_BERICHT_EINGABE Eingabe(const std::string& fitText)
    {
        SS_BERICHT_EINGABE e;
        e.FitText = fitText;
        e.Ergebnisse = results.data();
        e.MessTemperatur = 300.0;
        e.Strichlinie = DASHES;
        return e;
    }
};

}  // namespace

// [S0^2, Cu-Cu, a three-leg path, Cu-O]: the head through "#1  S0^2", the
// two single-scattering blocks, no "MS(" block, and the pair lines with
// the fit text's values.
TEST_F(SsPathReport, HeadBlocksAndPairTable)
{
    Pfad(1, 2, 2.5478, "Cu", "Cu");
    Pfad(2, 3, 3.82, "Cu", "Cu");
    Pfad(3, 2, 1.95, "Cu", "O");
    // Path 1 holds its distance as a shift from Reff and sigma^2 as an
    // Einstein temperature; path 3 an absolute distance.
    Model({25, 21, 21, 21}, {0.87, 12.0, -0.012, 232.0, 3.2, 24.0, 3.82, 0.01, 3.2, 4.0, 1.97, 0.0051, -1.5});
    const std::string fit = FitText();
    const std::string t = FeffSsBericht(Eingabe(fit));

    const std::size_t s0 = fit.find("#1  S0^2");
    ASSERT_NE(s0, std::string::npos);
    const std::size_t kopfEnde = fit.find("\r\n", s0) + 2;
    EXPECT_EQ(t.substr(0, kopfEnde), fit.substr(0, kopfEnde));
    // The path blocks: each closed by its dashed line.
    const std::string block1 = fit.substr(fit.find(" feff-Fit  - feff0001.dat"),
                                          fit.find(" feff-Fit  - feff0002.dat") - fit.find(" feff-Fit  - feff0001.dat"));
    EXPECT_NE(t.find(block1), std::string::npos) << t;
    EXPECT_NE(t.find(" feff-Fit  - feff0003.dat, Cu - O \r\n"), std::string::npos);
    EXPECT_EQ(t.find("MS("), std::string::npos);
    EXPECT_EQ(t.find("#6 "), std::string::npos);  // the three-leg path's parameters

    EXPECT_NE(t.find("\r\n\r\n  Pair     ;  CN      ;   R        ;  sig^2     ;  E0      ;  w(%)\r\n"
                     "           ;          ;            ;            ;          ; \r\n"),
              std::string::npos);
    // R from the shift: 2.5478 - 0.012; sigma^2 from theta_E 232 K at 300 K.
    EXPECT_EQ(Zeile(t, "  Cu - Cu "), "  Cu - Cu  ;  12      ;  2.536     ;  0.00893   ;  3.2     ;  0      \r\n");
    EXPECT_EQ(Zeile(t, "  Cu - O  "), "  Cu - O   ;  4       ;  1.97      ;  0.0051    ; -1.5     ;  0      \r\n");
}

// The relative areas of the fit report become "w(%)"; a free sigma^2 under
// the polynomial flag shows its derived value, and with a coefficient table
// the polynomial of R of its group; the correlated Debye model for a
// negative model word.
TEST_F(SsPathReport, AreasDerivedAndPolynomialSigma2)
{
    Pfad(1, 2, 2.5478, "Cu", "Cu");
    Pfad(2, 2, 3.6, "Cu", "Cu");
    FeffPfade[2].Potentiale[1] = 1;
    Model({25, 21, 21}, {0.9, 12.0, 2.55, 0.0071, 1.0, 6.0, 3.61, 0.012, 1.0});
    FeffPfadFlaechen[2] = 4.0;
    FeffPfadFlaechen[3] = 1.0;
    ParameterFlags[7] |= PF_DW_POLYNOMIAL;
    results[6002] = 0.0123;
    SS_BERICHT_EINGABE e = Eingabe("");
    EXPECT_EQ(SsPaarZeile(e, 1, 1, 100.0), "  Cu - Cu  ;  12      ;  2.55      ;  0.0071    ;  1       ;  100    \r\n");
    EXPECT_EQ(SsPaarZeile(e, 2, 5, 25.0), "  Cu - Cu  ;  6       ;  3.61      ;  0.0123    ;  1       ;  25     \r\n");
    const std::string t = FeffSsBericht(e);
    EXPECT_NE(t.find(";  100    \r\n"), std::string::npos) << t;
    EXPECT_NE(t.find(";  25     \r\n"), std::string::npos);

    // Group 1 of the table: 0.001 + 0.002 R + 0.0005 R^2 at R = 3.61.
    std::vector<double> tabelle(14, 0.0);
    tabelle[7] = 0.001;
    tabelle[8] = 0.002;
    tabelle[9] = 0.0005;
    e.DwTabelle = &tabelle;
    e.DwGrad = 2;
    const double erwartet = 0.001 + 0.002 * 3.61 + 0.0005 * 3.61 * 3.61;
    char wert[32];
    std::snprintf(wert, sizeof wert, "% -10.3G", erwartet);
    EXPECT_NE(SsPaarZeile(e, 2, 5, 25.0).find(wert), std::string::npos) << SsPaarZeile(e, 2, 5, 25.0);
    // A fixed sigma^2 under the flag keeps its value without a table.
    e.DwTabelle = nullptr;
    ParameterFlags[7] |= PF_FIXED;
    EXPECT_NE(SsPaarZeile(e, 2, 5, 25.0).find(";  0.012     ;"), std::string::npos);

    // Correlated Debye: a temperature gives a positive sigma^2 other than
    // Einstein's (the masses and positions decide it; here only the sign
    // of the model word chooses).
    block[3] = 300.0;
    e.DebyeModell = 1;
    const std::string einstein = SsPaarZeile(e, 1, 1, 100.0);
    EXPECT_NE(einstein.find(";  0.00"), std::string::npos) << einstein;
    e.DebyeModell = -1;
    EXPECT_NE(SsPaarZeile(e, 1, 1, 100.0), einstein);

    // A path on the cluster shows the distance of the model run, not the
    // coefficient its parameter may hold.
    block[2] = 0.01;
    ParameterFlags[2] |= PF_CLUSTER;
    results[5001] = 2.5734;
    EXPECT_NE(SsPaarZeile(e, 1, 1, 100.0).find(";  2.573     ;"), std::string::npos) << SsPaarZeile(e, 1, 1, 100.0);
}

// 100 single-scattering paths: the matrix of 301 free parameters does not
// fit in the 60,000 bytes; the rows that fit are written and a line says
// how many were left out.
TEST_F(SsPathReport, LargeMatrixStaysInsideTheText)
{
    const int pfade = 100;
    types[0] = 25;
    for (int k = 1; k <= pfade; ++k) {
        types[k] = 21;
        Pfad(k, 2, 2.0 + 0.01 * k, "Cu", "Cu");
    }
    FitFunctionCount = pfade + 1;
    MaxParameter = 4 * pfade;
    // N fixed on every path: 301 free, listed first.
    std::vector<int32_t> liste, fest;
    for (int p = 0; p <= MaxParameter; ++p) {
        block[p] = 1.0 + p;
        const bool n = p % 4 == 1;
        ParameterFlags[p] = n ? PF_FIXED : 0;
        (n ? fest : liste).push_back(p);
    }
    MaxFitParameter = static_cast<int32_t>(liste.size()) - 1;
    liste.insert(liste.end(), fest.begin(), fest.end());
    std::copy(liste.begin(), liste.end(), FreeParameterList);
    const size_t breite = MaxParameter + 1;
    std::vector<double> matrix(breite * breite, 0.5);
    for (size_t i = 0; i < breite; ++i) matrix[i * breite + i] = 1.0;
    SS_BERICHT_EINGABE e = Eingabe("");
    e.Korrelation = matrix.data();
    e.KorrelationBreite = breite;
    e.KorrelationWerte = matrix.size();
    e.Grenze = 60000;
    const std::string t = FeffSsBericht(e);
    EXPECT_LT(t.size(), 60000u);
    // Two heading lines and 100 pair lines of five separators each.
    EXPECT_EQ(std::count(t.begin(), t.end(), ';'), 5 * (pfade + 2));
    const std::size_t kopf = t.find("- Correlation matrix  :\r\n" + DASHES + "\r\n");
    ASSERT_NE(kopf, std::string::npos);
    // Count the rows written: lines starting with a parameter number.
    int zeilen = 0;
    std::size_t pos = t.find("\r\n", t.find(DASHES + "\r\n", kopf) + DASHES.size() + 2) + 2;
    while (pos < t.size() && std::isdigit(static_cast<unsigned char>(t[pos]))) {
        ++zeilen;
        pos = t.find("\r\n", pos) + 2;
    }
    EXPECT_GT(zeilen, 5);
    EXPECT_LT(zeilen, 301);
    char erwartet[100];
    std::snprintf(erwartet, sizeof erwartet, "\r\n  %d row(s) of the correlation matrix left out: the text is full.\r\n",
                  301 - zeilen);
    EXPECT_EQ(t.substr(t.size() - std::string(erwartet).size()), erwartet);
    // A row: number, three blanks, 12-character cells; the diagonal 1.
    const std::size_t r1 = t.find("\r\n1   ");
    ASSERT_NE(r1, std::string::npos);
    EXPECT_EQ(t.substr(r1 + 2, 4 + 24), "1   1           0.5         ");

    // With room for all rows nothing is left out.
    e.Grenze = 2000000;
    const std::string ganz = FeffSsBericht(e);
    EXPECT_EQ(ganz.find("left out"), std::string::npos);
}
