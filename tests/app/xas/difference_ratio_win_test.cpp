// The difference spectrum (831) and the ratio method (829) through the
// dispatcher: dialogs answered by the test, reference files written by it,
// the recorded reference read back in a replay.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/spectra/data_commands_fixture.h"
#include "resource_ids.h"
#include "shell/dispatcher.h"
#include "shell/macro_bar.h"
#include "shell/shell_globals.h"

namespace {

using Feld = std::vector<double>;

// A two-column text file with full precision.
void SchreibeKurve(const std::string& pfad, const Feld& x, const Feld& y)
{
    std::FILE* f = std::fopen(pfad.c_str(), "w");
    ASSERT_NE(f, nullptr) << pfad;
    for (size_t i = 0; i < x.size(); ++i) std::fprintf(f, "%.17g %.17g\n", x[i], y[i]);
    std::fclose(f);
}

std::string LiesText(const std::string& pfad)
{
    std::ifstream f(pfad);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

double Amplitude(double k, double n, double r, double s2) { return n * std::exp(-2.0 * s2 * k * k) / (k * r * r); }
double Phase(double k, double r) { return 2.0 * k * r - 1.2 + 0.3 * k - 0.01 * k * k; }

}  // namespace

class VergleichTest : public EditFixture {
protected:
    Feld x, y;
    void SetUp() override
    {
        EditFixture::SetUp();
        // 60 points of a smooth curve on 2 ... 7.9.
        grafik_fenster& g = GrafikFenster[0];
        x.clear();
        y.clear();
        for (int i = 0; i < 60; ++i) {
            x.push_back(2.0 + 0.1 * i);
            y.push_back(std::sin(x.back()) + 0.2 * x.back());
            g.GetXFeld(0)[i] = x.back();
            g.GetYFeld(0)[i] = y.back();
        }
        NurSlotNull(0, 60);
        datenOrdner = HAUPTDATEN.DatenOrdner ? HAUPTDATEN.DatenOrdner : "";
        if (HAUPTDATEN.DatenOrdner) std::snprintf(HAUPTDATEN.DatenOrdner, ORDNER_BYTES, "%s", ordner.c_str());
    }
    void TearDown() override
    {
        if (HAUPTDATEN.DatenOrdner) std::snprintf(HAUPTDATEN.DatenOrdner, ORDNER_BYTES, "%s", datenOrdner.c_str());
        EditFixture::TearDown();
    }
    std::string datenOrdner;
    int Slot() const { return GrafikFenster[0].AktuellerSlot(); }

    // 831 from the menu with the name typed into the dialog.
    bool Differenz(const std::string& name, bool interpolieren)
    {
        std::vector<DialogSchritt> s = {SetzeText(IDC_VGL_NAME, name.c_str())};
        if (interpolieren) s.push_back(Waehle(IDC_DIFF_INTERPOLIEREN));
        s.push_back(Druecke(IDOK));
        return MitDialogen(s, [] { HAUPTDATEN.Befehl(831, 0); });
    }
};

TEST_F(VergleichTest, DifferenceOfEqualCountsIsIndexByIndexAndOfOtherCountsByX)
{
    // Same count, other x: index by index.
    Feld xr, yr;
    for (int i = 0; i < 60; ++i) {
        xr.push_back(50.0 + i);
        yr.push_back(0.01 * i);
    }
    SchreibeKurve(Pfad("gleich.dat"), xr, yr);
    ASSERT_TRUE(Differenz(Pfad("gleich.dat"), false));
    ASSERT_EQ(Slot(), 1);
    Feld d = Y(0, 1);
    ASSERT_EQ(d.size(), 60u);
    for (int i = 0; i < 60; ++i) EXPECT_NEAR(d[i], y[i] - 0.01 * i, 1e-12) << i;

    // Every third point up to x 6.5: at those points the spline of the
    // reference is the reference itself; beyond 6.5 the data stay.
    xr.clear();
    yr.clear();
    for (int i = 0; i <= 45; i += 3) {
        xr.push_back(x[i]);
        yr.push_back(std::cos(x[i]));
    }
    SchreibeKurve(Pfad("drittel.dat"), xr, yr);
    NurSlotNull(0, 60);
    ASSERT_TRUE(Differenz(Pfad("drittel.dat"), false));
    ASSERT_EQ(Slot(), 1);
    d = Y(0, 1);
    for (int i = 0; i < 60; ++i) {
        if (i > 45)
            EXPECT_EQ(d[i], y[i]) << i;
        else if (i % 3 == 0)
            EXPECT_NEAR(d[i], y[i] - std::cos(x[i]), 1e-12) << i;
        else
            EXPECT_NEAR(d[i], y[i] - std::cos(x[i]), 1e-2) << i;  // the spline between the knots
    }
}

TEST_F(VergleichTest, DifferenceWithoutAReadableReferenceChangesNothing)
{
    // A missing file and an empty one: a message from the menu, 1000 in a
    // replay, and no slot either way.
    Schreibe("leer.dat", "");
    for (const std::string& name : {Pfad("fehlt.dat"), Pfad("leer.dat")}) {
        boxen.clear();
        ASSERT_TRUE(Differenz(name, false));
        EXPECT_EQ(Slot(), 0) << name;
        ASSERT_EQ(boxen.size(), 1u) << name;
        EXPECT_NE(boxen[0].text.find("could not be read"), std::string::npos);
    }
    // No name: OK acts as Cancel.
    boxen.clear();
    ASSERT_TRUE(Differenz("", false));
    EXPECT_EQ(Slot(), 0);
    EXPECT_TRUE(boxen.empty());

    DeleteFileA(Pfad("diffspec.mes").c_str());
    FehlerCode = 0;
    Prepared(831, {-1.0, -1.0});
    EXPECT_EQ(FehlerCode, 1000);
    EXPECT_EQ(Slot(), 0);
    EXPECT_TRUE(boxen.empty());
}

TEST_F(VergleichTest, RecordedDifferenceReplaysFromTheDataFolder)
{
    Feld xr, yr;
    for (int i = 3; i <= 57; i += 3) {
        xr.push_back(x[i]);
        yr.push_back(0.5 * std::cos(2.0 * x[i]));
    }
    SchreibeKurve(Pfad("ref.dat"), xr, yr);
    const std::string makro = Pfad("diff.MAK");
    std::snprintf(ButtonBar.MakroPfad, sizeof ButtonBar.MakroPfad, "%s", makro.c_str());
    HAUPTDATEN.MakroAufnahme = 1;
    ASSERT_TRUE(Differenz(Pfad("ref.dat"), true));
    HAUPTDATEN.MakroAufnahme = 0;
    ButtonBar.MakroPfad[0] = '\0';
    ASSERT_EQ(Slot(), 1);
    const Feld erst = Y(0, 1);
    EXPECT_NE(LiesText(makro).find("831,0,1\n"), std::string::npos) << LiesText(makro);
    ASSERT_TRUE(Existiert("diffspec.mes"));

    // The replay after the current folder changed: the same slot.
    char alt[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, alt);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    SetCurrentDirectoryA(temp);
    NurSlotNull(0, 60);
    FehlerCode = 0;
    Prepared(831, {-1.0, 1.0});
    SetCurrentDirectoryA(alt);
    EXPECT_EQ(FehlerCode, 0);
    ASSERT_EQ(Slot(), 1);
    const Feld wieder = Y(0, 1);
    ASSERT_EQ(wieder.size(), erst.size());
    for (size_t i = 0; i < erst.size(); ++i) EXPECT_NEAR(wieder[i], erst[i], 1e-9) << i;
    // Outside the reference (before x[3], after x[57]) nothing was taken.
    for (int i : {0, 1, 2, 58, 59}) EXPECT_EQ(wieder[i], y[i]) << i;
    // Unchecked, with the recorded count equal to the data's: the same.
    NurSlotNull(0, 60);
    Prepared(831, {-1.0, -1.0});
    ASSERT_EQ(Slot(), 1);
    for (size_t i = 0; i < erst.size(); ++i) EXPECT_NEAR(Y(0, 1)[i], erst[i], 1e-9) << i;
}

class RatioTest : public VergleichTest {
protected:
    // The sample's amplitude or phase on k 3-13 in window 0, the
    // reference's in a file.
    void Schalen(bool phase, int nullStelle = -1)
    {
        grafik_fenster& g = GrafikFenster[0];
        Feld kr, yr;
        for (int i = 0; i <= 200; ++i) {
            const double k = 3.0 + 0.05 * i;
            g.GetXFeld(0)[i] = k;
            g.GetYFeld(0)[i] = phase ? Phase(k, 2.60) : Amplitude(k, 9, 2.60, 0.005);
            kr.push_back(k);
            yr.push_back(phase ? Phase(k, 2.55) : Amplitude(k, 12, 2.55, 0.003));
        }
        if (nullStelle >= 0) yr[nullStelle] = 0.0;
        NurSlotNull(0, 201);
        SchreibeKurve(Pfad("ref.amp"), kr, yr);
    }
    bool Ratio(bool phase, bool struktur)
    {
        std::vector<DialogSchritt> s = {SetzeText(IDC_VGL_NAME, Pfad("ref.amp").c_str()),
                                        Waehle(phase ? IDC_RATIO_PHASE : IDC_RATIO_AMPLITUDE)};
        if (struktur) {
            s.push_back(Waehle(IDC_RATIO_STRUKTUR));
            s.push_back(SetzeText(IDC_RATIO_R, "2.55"));
            s.push_back(SetzeText(IDC_RATIO_N, "12"));
            s.push_back(SetzeText(IDC_RATIO_R_PROBE, "2.60"));
        }
        s.push_back(Druecke(IDOK));
        return MitDialogen(s, [] { HAUPTDATEN.Befehl(829, 0); });
    }
    // The number after "text" in the history line.
    static double Wert(const std::string& h, const char* text)
    {
        const size_t p = h.find(text);
        return p == std::string::npos ? NAN : std::atof(h.c_str() + p + std::strlen(text));
    }
};

TEST_F(RatioTest, AmplitudeAndPhaseOfSyntheticShells)
{
    Schalen(false);
    ASSERT_TRUE(Ratio(false, true));
    ASSERT_EQ(Slot(), 1);
    std::string h = CommandText;
    EXPECT_EQ(h.rfind("--: kurve.dat --XAS-RATIO - METHOD -  File : " + Pfad("ref.amp") + "   -   ( active : 2 )\r\n"
                      "   Results of Linear Regression (Ax+B=y) :  A = ",
                      0),
              0u)
        << h;
    EXPECT_NEAR(Wert(h, "ds\xB2 = "), 0.002, 1e-4) << h;
    EXPECT_NEAR(Wert(h, "N   = "), 9.0, 1e-4) << h;
    EXPECT_NE(Historie().find("--XAS-RATIO - METHOD -"), std::string::npos);
    // The slot holds ln of the ratio over k^2.
    EXPECT_DOUBLE_EQ(X(0, 1)[0], 9.0);
    EXPECT_NEAR(Y(0, 1)[0], std::log(Amplitude(3, 9, 2.6, 0.005) / Amplitude(3, 12, 2.55, 0.003)), 1e-12);

    // A zero of the reference amplitude changes no result.
    Schalen(false, 77);
    ASSERT_TRUE(Ratio(false, true));
    const std::string mitNull = CommandText;
    EXPECT_NEAR(Wert(mitNull, "ds\xB2 = "), Wert(h, "ds\xB2 = "), 1e-9);
    EXPECT_NEAR(Wert(mitNull, "N   = "), Wert(h, "N   = "), 1e-7);
    EXPECT_EQ(Y(0, 1).size(), 200u);

    Schalen(true);
    ASSERT_TRUE(Ratio(true, true));
    h = CommandText;
    EXPECT_NEAR(Wert(h, "Distance    R = "), 2.60, 1e-4) << h;
    EXPECT_DOUBLE_EQ(X(0, 1)[0], 3.0);
}

TEST_F(RatioTest, TheDialogShowsInAReplayAndTooFewPointsAreRefused)
{
    // Only two sample points inside the reference's range.
    grafik_fenster& g = GrafikFenster[0];
    for (int i = 0; i < 10; ++i) {
        g.GetXFeld(0)[i] = 1.0 + i;
        g.GetYFeld(0)[i] = 1.0;
    }
    NurSlotNull(0, 10);
    SchreibeKurve(Pfad("ref.amp"), {1.5, 2.0, 3.0}, {1.0, 1.0, 1.0});
    boxen.clear();
    ASSERT_TRUE(Ratio(true, false));
    EXPECT_EQ(Slot(), 0);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_NE(boxen[0].text.find("Fewer than three points"), std::string::npos);

    // With lParam 2 the dialog still opens (the steps answer it); a refusal
    // gives 1000 then. Cancel ends it without anything.
    boxen.clear();
    FehlerCode = 0;
    ASSERT_TRUE(MitDialogen({SetzeText(IDC_VGL_NAME, Pfad("ref.amp").c_str()), Druecke(IDOK)},
                            [] { HAUPTDATEN.Befehl(829, LP_PREPARED); }));
    EXPECT_EQ(FehlerCode, 1000);
    EXPECT_TRUE(boxen.empty());
    FehlerCode = 0;
    ASSERT_TRUE(MitDialogen({Druecke(IDCANCEL)}, [] { HAUPTDATEN.Befehl(829, 0); }));
    EXPECT_EQ(Slot(), 0);
    EXPECT_EQ(FehlerCode, 0);
}
