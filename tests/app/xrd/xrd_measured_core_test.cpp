// The peak search and the automatic peak fit on measured patterns of the
// shared data: LaB6 (NIST SRM 660a) from the 11-BM synchrotron beamline at
// 41.3128 pm, and the PbSO4 round-robin pattern of a laboratory Cu K-alpha
// diffractometer. Reference positions: the LaB6 cell (a = 4.15692 A) at
// the beamline's wavelength; the PbSO4 lines as published for that data.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/fit/model_fixture.h"
#include "fit/fit_model.h"
#include "xrd/xrd_auto_fit.h"
#include "xrd/xrd_peak_search.h"

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
