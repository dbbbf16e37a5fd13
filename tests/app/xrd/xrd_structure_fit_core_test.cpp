// The structure fit's model: index files, the functions and start values
// of the model, the ties of the crystal systems and the refusals that
// leave the model as it was.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/fit/model_fixture.h"
#include "xrd/xrd_geometry.h"
#include "xrd/xrd_phase.h"
#include "xrd/xrd_structure_fit.h"
#include "structure_model_helpers.h"

class XrdStructure : public ModelFixture {
protected:
    std::string folder;
    std::vector<double> x, y;

    void SetUp() override
    {
        ModelFixture::SetUp();
        XrdPhasenVorgaben();
        XrdGemerkteParameter = 0;
        folder = (std::filesystem::temp_directory_path() /
                  ("xrd_structure_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name()))
                     .string();
        std::filesystem::create_directories(folder);
        // A flat pattern of height 7 from 10 to 80 degrees.
        for (int i = 0; i <= 700; ++i) {
            x.push_back(10.0 + 0.1 * i);
            y.push_back(7.0 + 0.01 * i);
        }
    }
    void TearDown() override
    {
        std::filesystem::remove_all(folder);
        XrdPhasenVorgaben();
        ModelFixture::TearDown();
    }
    void Hkl(int phase, const std::string& text)
    {
        std::ofstream(HklDateiName(folder, phase), std::ios::binary) << text;
    }
    XRD_MODELL_ERGEBNIS Build()
    {
        XRD_MODELL_EINGABE e;
        e.Ordner = folder;
        e.Wellenlaenge = 154.06;
        e.x = x.data();
        e.y = y.data();
        e.Punkte = static_cast<int32_t>(x.size());
        return XrdModellBauen(e);
    }
    // 2 theta in degrees of the d spacing d (Angstrom) at lambda (pm).
    static double TwoTheta(double d, double lambda)
    {
        return 2.0 * std::asin(lambda / 100.0 / (2.0 * d)) * 180.0 / 3.14159265358979323846;
    }
    bool Free(int p)
    {
        for (int j = 0; j <= MaxFitParameter; ++j)
            if (freeList[j] == p) return true;
        return false;
    }
};

TEST_F(XrdStructure, CrystalSystemsLeaveTheirOwnLatticeConstantsFreeAndTheEvaluatorTiesTheRest)
{
    // a, b, c, alpha, beta, gamma free per system.
    const struct {
        int system;
        bool frei[6];
    } faelle[] = {
        {0, {true, false, false, false, false, false}}, {1, {true, false, true, false, false, false}},
        {2, {true, false, true, false, false, false}},  {3, {true, true, true, false, false, false}},
        {4, {true, true, true, false, true, false}},    {5, {true, true, true, true, true, true}},
    };
    Hkl(0, "1 1 1\n");
    for (const auto& f : faelle) {
        XrdPhase& r = XrdPhaseTable[0];
        r.Kristallsystem = f.system;
        r.NullpunktFrei = 0;
        r.Untergrund = 0;
        r.Breitengesetz = 0;
        const double zelle[6] = {5.0, 5.5, 6.0, 88.0, 95.0, 100.0};
        for (int j = 0; j < 6; ++j) r.Gitter[j] = zelle[j];
        ASSERT_EQ(Build().Status, 1) << f.system;
        ASSERT_EQ(types[0], 30);
        for (int j = 0; j < 6; ++j) EXPECT_EQ(Free(j), f.frei[j]) << "system " << f.system << ", constant " << j;
        // One step of the library's fit, started from a moved a.
        block[0] = 5.1;
        env.Wellenlaenge = 154.06;
        BisZumEnde(zelva, x, y, ModelFixture::Callback, 1);
        EXPECT_NE(block[0], 5.0) << f.system;
        if (f.system == 0) {
            EXPECT_EQ(block[1], block[0]);
            EXPECT_EQ(block[2], block[0]);
            EXPECT_EQ(block[3] + block[4] + block[5], 270.0);
        }
        if (f.system == 2) {
            EXPECT_EQ(block[1], block[0]);
            EXPECT_EQ(block[5], 120.0);
            EXPECT_EQ(block[3], 90.0);
            EXPECT_EQ(block[4], 90.0);
        }
    }
}

TEST_F(XrdStructure, TypesAndStartValuesWithoutAndWithDoublets)
{
    Hkl(0, "1 1 1\n2 0 0\n\n2 2 0\n");  // the blank line is no reflection
    XrdPhase& r = XrdPhaseTable[0];
    r.Kristallsystem = 0;
    r.Gitter[0] = 5.4312;
    r.Breitengesetz = 1;
    r.UVW[0] = 0.02;
    r.UVW[1] = -0.01;
    r.UVW[2] = 0.03;
    r.UntergrundGrad = 2;
    r.Untergrund = 1;
    r.Nullpunkt = 0.015;
    r.Profil = 2;
    const double d[3] = {5.4312 / std::sqrt(3.0), 5.4312 / 2.0, 5.4312 / std::sqrt(8.0)};
    for (int doppel = 0; doppel <= 1; ++doppel) {
        r.KAlphaAufspaltung = doppel;
        XrdGemerkteParameter = 0;
        const XRD_MODELL_ERGEBNIS e = Build();
        ASSERT_EQ(e.Status, 1) << e.Meldung;
        const int linien = doppel ? 6 : 3;
        ASSERT_EQ(FitFunctionCount, 3 + linien + 1);
        EXPECT_EQ(types[0], 29);
        EXPECT_EQ(types[1], 30);
        EXPECT_EQ(types[2], 31);
        for (int i = 0; i < linien; ++i) EXPECT_EQ(types[3 + i], 3);
        EXPECT_EQ(types[3 + linien], 7);
        EXPECT_EQ(FitPolyDegree, 2);
        EXPECT_EQ(MaxParameter, 1 + 6 + 3 + 4 * linien + 3 - 1);
        EXPECT_EQ(block[0], 0.015);
        EXPECT_EQ(block[7], 0.02);
        EXPECT_EQ(block[9], 0.03);
        const double lambda1 = doppel ? 154.06 : 154.06, lambda2 = 154.44;
        for (int m = 0; m < 3; ++m) {
            const int q = 10 + 4 * (doppel ? 2 * m : m);
            EXPECT_NEAR(block[q + 1], TwoTheta(d[m], lambda1), 1e-9) << m;
            EXPECT_FALSE(Free(q + 1));
            EXPECT_TRUE(Free(q));
            EXPECT_TRUE(flags[q] & PF_CONSTRAINED);
            EXPECT_EQ(block[LowerBoundIndex(q)], 0.0);
            EXPECT_EQ(block[UpperBoundIndex(q)], 1e20);
            // Height: the last pattern point below the line.
            const int below = static_cast<int>(std::floor((block[q + 1] - 10.0) / 0.1 - 1e-9));
            EXPECT_EQ(block[q], y[below]) << m;
            EXPECT_NEAR(block[q + 2], XrdFwhm(0.02, -0.01, 0.03, block[q + 1], 1), 1e-15);
            EXPECT_FALSE(Free(q + 2));
            EXPECT_EQ(block[q + 3], 0.0);
            if (doppel) {
                const int q2 = q + 4;
                EXPECT_NEAR(block[q2 + 1], TwoTheta(d[m], lambda2), 1e-9) << m;
                EXPECT_EQ(block[q2], 0.5 * block[q]);
                EXPECT_NEAR(block[q2 + 2], XrdFwhm(0.02, -0.01, 0.03, block[q2 + 1], 1), 1e-15);
                for (int j = 0; j < 4; ++j) EXPECT_FALSE(Free(q2 + j)) << j;
            }
        }
        const int b = 10 + 4 * linien;
        for (int j = 0; j < 3; ++j) EXPECT_EQ(block[b + j], 0.0);
    }
}

TEST_F(XrdStructure, SameLayoutKeepsHeightsAndBackgroundOneLineMoreResetsThem)
{
    Hkl(0, "1 1 1\n2 0 0\n");
    XrdPhase& r = XrdPhaseTable[0];
    r.Breitengesetz = 0;
    r.UVW[2] = 0.2;
    r.Untergrund = 1;
    r.UntergrundGrad = 1;
    ASSERT_EQ(Build().Status, 1);
    EXPECT_TRUE(XrdGemerkteParameter != MaxParameter);
    XrdGemerkteParameter = MaxParameter;  // as the start of the fit does
    const int q = 1 + 6;                  // first line after zero shift and cell
    EXPECT_EQ(block[q + 2], 0.2);
    block[q] = 123.0;
    block[q + 2] = 0.07;
    block[MaxParameter] = 4.5;
    const XRD_MODELL_ERGEBNIS gleich = Build();
    EXPECT_FALSE(gleich.LayoutNeu);
    EXPECT_EQ(block[q], 123.0);
    EXPECT_EQ(block[q + 2], 0.07);
    EXPECT_EQ(block[MaxParameter], 4.5);
    Hkl(0, "1 1 1\n2 0 0\n2 2 0\n");
    const XRD_MODELL_ERGEBNIS neu = Build();
    EXPECT_TRUE(neu.LayoutNeu);
    EXPECT_NE(block[q], 123.0);
    EXPECT_EQ(block[q + 2], 0.2);
    EXPECT_EQ(block[MaxParameter], 0.0);
}

TEST_F(XrdStructure, RefusalsNameTheirCauseAndLeaveTheModelAsItWas)
{
    Model({1, 7}, {5.0, 30.0, 0.2, 1.0});
    const std::vector<double> vorher(block.begin(), block.begin() + 20);
    const struct {
        const char* name;
        std::string hkl;  // empty: no file
        int phasen;
        int doppel;
        const char* meldung;
    } faelle[] = {
        {"no file", "", 1, 0, "File: hkl_1.txt was not found!"},
        {"0 0 0", "1 1 1\n\n0 0 0\n", 1, 0, "h k l #2 is 0 0 0!"},
        {"51 reflections", "", 1, 0, "Phase 1 holds 51 reflections: at most 50 fit into a phase."},
        {"beyond the wavelength", "1 1 1\n9 9 9\n", 1, 0, "has no diffraction angle"},
        {"second phase without file", "1 1 1\n", 2, 0, "File: hkl_2.txt was not found!"},
        {"250 parameters", "", 1, 1, "The model would need 250 parameters"},
    };
    for (const auto& f : faelle) {
        std::filesystem::remove(HklDateiName(folder, 0));
        std::filesystem::remove(HklDateiName(folder, 1));
        XrdPhasenVorgaben();
        XrdPhase& r = XrdPhaseTable[0];
        r.Phasen = f.phasen;
        r.KAlphaAufspaltung = f.doppel;
        r.Breitengesetz = 0;
        std::string hkl = f.hkl;
        if (std::string(f.name) == "51 reflections")
            for (int m = 1; m <= 51; ++m) hkl += std::to_string(m) + " 0 0\n";
        if (std::string(f.name) == "250 parameters") {
            // zero shift 1 + cell 6 + 30 doublets of 4 + 4 + background 1
            // = 248 ... with degree 2: 250.
            for (int m = 1; m <= 30; ++m) hkl += "1 0 " + std::to_string(m % 7) + "\n";
            r.Profil = 2;
            r.UntergrundGrad = 2;
            r.Gitter[0] = r.Gitter[1] = r.Gitter[2] = 30.0;
        }
        if (!hkl.empty()) Hkl(0, hkl);
        const XRD_MODELL_ERGEBNIS e = Build();
        EXPECT_EQ(e.Status, 0) << f.name;
        EXPECT_NE(e.Meldung.find(f.meldung), std::string::npos) << f.name << ": " << e.Meldung;
        EXPECT_EQ(FitFunctionCount, 2) << f.name;
        EXPECT_EQ(types[0], 1);
        EXPECT_EQ(std::vector<double>(block.begin(), block.begin() + 20), vorher) << f.name;
    }
    // One parameter fewer (degree 1) fits: 249.
    XrdPhaseTable[0].UntergrundGrad = 1;
    const XRD_MODELL_ERGEBNIS passt = Build();
    EXPECT_EQ(passt.Status, 1) << passt.Meldung;
    EXPECT_EQ(MaxParameter, 248);
}

TEST_F(XrdStructure, IndexFilesRoundTripAndTheTextSkipsBlankLines)
{
    XrdPhase& r = XrdPhaseTable[2];
    EXPECT_EQ(ReadHklFile(folder, 2), -1);
    EXPECT_EQ(r.Reflexe, -1);
    EXPECT_EQ(HklTextLesen(XRD_HKL_VORGABE, r), 4);
    EXPECT_EQ(HklText(r, "\r\n"), XRD_HKL_VORGABE);
    EXPECT_EQ(HklTextLesen("\r\n1 2 3\r\n  \r\n-1 0 2\r\n4\r\n", r), 3);
    EXPECT_EQ(r.H[2], 4);
    EXPECT_EQ(r.K[2], 0);
    EXPECT_EQ(r.L[1], 2);
    ASSERT_EQ(WriteHklFile(folder, 2), 1);
    std::ifstream f(HklDateiName(folder, 2), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "1 2 3\n-1 0 2\n4 0 0\n");
    XrdPhaseTable[2] = XrdPhase{};
    EXPECT_EQ(ReadHklFile(folder, 2), 3);
    EXPECT_EQ(XrdPhaseTable[2].H[1], -1);
    EXPECT_EQ(XrdPhaseTable[2].Reflexe, 3);
    // A text of 60 lines keeps 50 and says 60.
    std::string lang;
    for (int m = 0; m < 60; ++m) lang += "1 1 " + std::to_string(m) + "\n";
    EXPECT_EQ(HklTextLesen(lang, r), 60);
    EXPECT_EQ(r.Reflexe, XRD_REFLECTIONS);
    EXPECT_EQ(r.L[49], 49);
    EXPECT_EQ(WriteHklFile("/nonexistent/folder", 2), 0);
}
