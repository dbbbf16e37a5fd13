// The peak search and the automatic peak fit on measured patterns of the
// shared data: LaB6 (NIST SRM 660a) from the 11-BM synchrotron beamline at
// 41.3128 pm, and the PbSO4 round-robin pattern of a laboratory Cu K-alpha
// diffractometer. Reference positions: the LaB6 cell (a = 4.15692 A) at
// the beamline's wavelength; the PbSO4 lines as published for that data.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/fit/model_fixture.h"
#include "fit/fit_model.h"
#include "xrd/xrd_auto_fit.h"
#include "xrd/xrd_peak_search.h"
#include "xrd/xrd_phase.h"
#include "xrd/xrd_structure_fit.h"
#include "structure_model_helpers.h"

namespace {

std::string SharedData(const char* name)
{
    for (const char* oben : {"/../../shared/data/", "/../../../shared/data/", "/../shared/data/"}) {
        const std::string pfad = std::string(KORLAN_TEST_DIR) + oben + name;
        if (std::ifstream(pfad).good()) return pfad;
    }
    return "";
}

// The FXYE rows after the "BANK" line: 2 theta in centidegrees, intensity.
bool LiesFxye(const std::string& pfad, std::vector<double>& x, std::vector<double>& y)
{
    std::ifstream f(pfad);
    std::string zeile;
    bool daten = false;
    while (std::getline(f, zeile)) {
        if (!daten) {
            daten = zeile.compare(0, 4, "BANK") == 0;
            continue;
        }
        std::istringstream z(zeile);
        double a, b;
        if (z >> a >> b) {
            x.push_back(a * 0.01);
            y.push_back(b);
        }
    }
    return !x.empty();
}

// GSAS STD: the counts after the "BANK" line, ten a line, at 10 + 0.025 i
// degrees; the padding beyond the bank's count is dropped.
bool LiesStd(const std::string& pfad, std::vector<double>& x, std::vector<double>& y)
{
    std::ifstream f(pfad);
    std::string zeile;
    std::getline(f, zeile);
    std::getline(f, zeile);
    std::istringstream kopf(zeile);
    std::string bank;
    int nummer = 0, anzahl = 0;
    if (!(kopf >> bank >> nummer >> anzahl) || bank != "BANK") return false;
    double wert;
    while (static_cast<int>(y.size()) < anzahl && f >> wert) {
        x.push_back(10.0 + 0.025 * static_cast<double>(y.size()));
        y.push_back(wert);
    }
    return static_cast<int>(y.size()) == anzahl;
}

const double LAB6[10] = {5.6966, 8.0595, 9.8749, 11.4073, 12.7591, 13.9827, 16.1593, 17.1466, 18.0817, 18.9722};

class XrdMessdaten : public ModelFixture {};

}  // namespace

TEST_F(XrdMessdaten, LaB6LinesAreFoundAndFitted)
{
    const std::string pfad = SharedData("xrd/11bmb_3844.fxye");
    if (pfad.empty()) GTEST_SKIP() << "shared data not found";
    std::vector<double> x, y;
    ASSERT_TRUE(LiesFxye(pfad, x, y));
    ASSERT_EQ(x.size(), 132992u);
    Model({});
    PeakFund fund;
    const int k = FindPeaks(zelva, PROFIL_PSEUDO_VOIGT, x.data(), y.data(), static_cast<int32_t>(x.size()), 10.0, fund);
    ASSERT_GE(k, 10);
    for (int i = 0; i < 10; ++i) EXPECT_NEAR(fund.positionen[i], LAB6[i], 0.002) << i;

    AutoFitLauf l;
    l.Numerik = &zelva;
    l.Modell = ModelFixture::Callback;
    l.X = x.data();
    l.Y = y.data();
    l.N = static_cast<int32_t>(x.size());
    AutoFitErgebnis e;
    ASSERT_TRUE(XrdAutoPeakFitKern(l, e));
    EXPECT_EQ(e.Fehlgeschlagen, 0);
    EXPECT_EQ(e.Uebersprungen, 0);
    for (int i = 0; i < 10; ++i) EXPECT_NEAR(block[5 * i + 1], LAB6[i], 0.002) << i;
}

TEST_F(XrdMessdaten, PbSO4LinesOfALaboratoryPattern)
{
    const std::string pfad = SharedData("xrd/PBSO4.XRA");
    if (pfad.empty()) GTEST_SKIP() << "shared data not found";
    std::vector<double> x, y;
    ASSERT_TRUE(LiesStd(pfad, x, y));
    ASSERT_EQ(x.size(), 6001u);
    EXPECT_EQ(x.back(), 160.0);
    Model({});
    PeakFund fund;
    const int k = FindPeaks(zelva, PROFIL_GAUSS, x.data(), y.data(), 6001, 10.0, fund);
    ASSERT_GT(k, 8);
    // The K-alpha doublet pulls each top a little towards alpha2.
    for (double soll : {20.775, 23.275, 26.675, 27.650, 29.650, 33.125, 43.700, 44.625}) {
        double naechste = 1e9;
        for (double p : fund.positionen)
            if (std::fabs(p - soll) < std::fabs(naechste - soll)) naechste = p;
        EXPECT_NEAR(naechste, soll, 0.05) << soll;
    }
}

namespace {

// The structure model of the LaB6 pattern: cubic, a started at 4.157 A,
// the first ten reflections (300 left out: the d of 221), pseudo-Voigt,
// no width law with W = 0.011, zero shift refined, a straight background,
// at 41.3128 pm.
XRD_MODELL_ERGEBNIS Lab6Modell(const std::vector<double>& x, const std::vector<double>& y)
{
    XrdPhasenVorgaben();
    XrdGemerkteParameter = 0;
    XrdPhase& r = XrdPhaseTable[0];
    r.Kristallsystem = 0;
    r.Gitter[0] = r.Gitter[1] = r.Gitter[2] = 4.157;
    r.Profil = 2;
    r.Breitengesetz = 0;
    r.UVW[2] = 0.011;
    r.NullpunktFrei = 1;
    r.Nullpunkt = 0.0;
    r.Untergrund = 1;
    r.UntergrundGrad = 1;
    return StrukturModell("1 0 0\n1 1 0\n1 1 1\n2 0 0\n2 1 0\n2 1 1\n2 2 0\n2 2 1\n3 1 0\n3 1 1\n", 41.3128, x, y);
}

}  // namespace

// The structure fit of the LaB6 pattern over 5.5 ... 19.3 degrees (27,601
// points): the cell of the certificate, a = 4.1569162 A.
TEST_F(XrdMessdaten, LaB6StructureFitGivesTheCertifiedCell)
{
    const std::string pfad = SharedData("xrd/11bmb_3844.fxye");
    if (pfad.empty()) GTEST_SKIP() << "shared data not found";
    std::vector<double> alleX, alleY, x, y;
    ASSERT_TRUE(LiesFxye(pfad, alleX, alleY));
    for (std::size_t i = 0; i < alleX.size(); ++i)
        if (alleX[i] >= 5.5 - 1e-9 && alleX[i] <= 19.3 + 1e-9) {
            x.push_back(alleX[i]);
            y.push_back(alleY[i]);
        }
    ASSERT_EQ(x.size(), 27601u);
    const XRD_MODELL_ERGEBNIS m = Lab6Modell(x, y);
    ASSERT_EQ(m.Status, 1) << m.Meldung;
    ASSERT_EQ(FitFunctionCount, 1 + 1 + 10 + 1);
    env.Wellenlaenge = 41.3128;
    const int32_t zustand = BisZumEnde(zelva, x, y, ModelFixture::Callback);
    ASSERT_EQ(zustand, -1);
    EXPECT_NEAR(block[1], 4.1569, 0.0005);
    // b and c follow a.
    EXPECT_EQ(block[2], block[1]);
    EXPECT_EQ(block[3], block[1]);
}

// The whole pattern, 132,992 points: one step of the same model runs on
// arrays sized from the count.
TEST_F(XrdMessdaten, LaB6StructureFitStepOnTheWholePattern)
{
    const std::string pfad = SharedData("xrd/11bmb_3844.fxye");
    if (pfad.empty()) GTEST_SKIP() << "shared data not found";
    std::vector<double> x, y;
    ASSERT_TRUE(LiesFxye(pfad, x, y));
    ASSERT_EQ(x.size(), 132992u);
    const XRD_MODELL_ERGEBNIS m = Lab6Modell(x, y);
    ASSERT_EQ(m.Status, 1) << m.Meldung;
    env.Wellenlaenge = 41.3128;
    const int32_t zustand = BisZumEnde(zelva, x, y, ModelFixture::Callback, 1);
    EXPECT_TRUE(zustand == 1 || zustand == -1) << zustand;
    EXPECT_TRUE(std::isfinite(block[1]));
}

// The PbSO4 pattern (Cu K-alpha 1 and 2) over 19.5 ... 34.5 degrees:
// orthorhombic, started at the reference cell, with the observed lines
// (the unobserved 200 and 202 of Pnma are left out: their widths run
// away), pseudo-Voigt doublets, W = 0.1, zero shift refined.
TEST_F(XrdMessdaten, PbSO4StructureFitKeepsTheReferenceCell)
{
    const std::string pfad = SharedData("xrd/PBSO4.XRA");
    if (pfad.empty()) GTEST_SKIP() << "shared data not found";
    std::vector<double> alleX, alleY, x, y;
    ASSERT_TRUE(LiesStd(pfad, alleX, alleY));
    for (std::size_t i = 0; i < alleX.size(); ++i)
        if (alleX[i] >= 19.5 - 1e-9 && alleX[i] <= 34.5 + 1e-9) {
            x.push_back(alleX[i]);
            y.push_back(alleY[i]);
        }
    XrdPhasenVorgaben();
    XrdGemerkteParameter = 0;
    XrdPhase& r = XrdPhaseTable[0];
    r.Kristallsystem = 3;
    const double zelle[6] = {8.4824, 5.4001, 6.9620, 90.0, 90.0, 90.0};
    for (int j = 0; j < 6; ++j) r.Gitter[j] = zelle[j];
    r.Profil = 2;
    r.Breitengesetz = 0;
    r.UVW[2] = 0.1;
    r.NullpunktFrei = 1;
    r.Nullpunkt = 0.0;
    r.KAlphaAufspaltung = 1;
    r.KAlpha[0] = 154.05;
    r.KAlpha[1] = 154.43;
    r.Untergrund = 1;
    r.UntergrundGrad = 1;
    const XRD_MODELL_ERGEBNIS m =
        StrukturModell("0 1 1\n1 1 1\n2 0 1\n0 0 2\n2 1 0\n1 0 2\n2 1 1\n1 1 2\n0 2 0\n3 0 1\n", 154.2, x, y);
    ASSERT_EQ(m.Status, 1) << m.Meldung;
    EXPECT_EQ(m.Wellenlaenge, 154.05);
    env.Wellenlaenge = m.Wellenlaenge;
    ASSERT_EQ(BisZumEnde(zelva, x, y, ModelFixture::Callback), -1);
    EXPECT_NEAR(block[1], 8.4824, 0.003);
    EXPECT_NEAR(block[2], 5.4001, 0.003);
    EXPECT_NEAR(block[3], 6.9620, 0.003);
    EXPECT_NEAR(std::fabs(block[0]), 0.03, 0.02);
}
