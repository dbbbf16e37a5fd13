// The dialog FTRANSFORMATION as a user meets it: filled from "ini_FT.par"
// and the window, its direction rules, what OK hands to the transform and
// writes back into the file, and the values it refuses.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "app/fit/fourier_fixture.h"
#include "resource_ids.h"

namespace {

std::string IniPfad()
{
    char pfad[MAX_PATH];
    ProgrammDatei(pfad, sizeof pfad, "ini_FT.par");
    return pfad;
}

std::string DateiInhalt(const std::string& pfad)
{
    std::string t;
    if (std::FILE* f = std::fopen(pfad.c_str(), "r")) {
        char b[256];
        size_t n;
        while ((n = std::fread(b, 1, sizeof b, f)) > 0) t.append(b, n);
        std::fclose(f);
    }
    return t;
}

void DateiSchreiben(const std::string& pfad, const std::string& inhalt)
{
    std::FILE* f = std::fopen(pfad.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs(inhalt.c_str(), f);
    std::fclose(f);
}

bool Gesetzt(HWND dlg, int id) { return IsDlgButtonChecked(dlg, id) == BST_CHECKED; }

std::string Text(HWND dlg, int id)
{
    char t[100] = "";
    GetDlgItemTextA(dlg, id, t, sizeof t);
    return t;
}

}  // namespace

class FourierDialog : public FourierBefehl {
protected:
    std::string altIni;
    void SetUp() override
    {
        FourierBefehl::SetUp();
        altIni = DateiInhalt(IniPfad());
    }
    void TearDown() override
    {
        if (altIni.empty()) std::remove(IniPfad().c_str());
        else DateiSchreiben(IniPfad(), altIni);
        FourierBefehl::TearDown();
    }
};

TEST_F(FourierDialog, OpensWithTheWindowOfIniFileAndHandsItsValuesOn)
{
    // A file holding window 5 whose last line has no line end.
    DateiSchreiben(IniPfad(), "5\n20\n12");
    Gitter(0, 1000, 0.0, 0.01, [](double x) { return std::cos(2 * PI * 3 * x); });
    grafik_fenster& g = GrafikFenster[0];
    int gesehen = 0;
    ASSERT_TRUE(MitDialogen(
        {[&](HWND dlg) {
             for (int t = 0; t < 6; ++t) EXPECT_EQ(Gesetzt(dlg, 200 + t), t == 5) << t;
             EXPECT_EQ(Text(dlg, 40), "20");
             EXPECT_TRUE(Gesetzt(dlg, 530));
             // A real curve cannot be transformed back.
             EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dlg, 531)));
             // Numeric mode: the step width, no k weight and no next root.
             EXPECT_TRUE(IsWindowVisible(GetDlgItem(dlg, 300)));
             EXPECT_FALSE(IsWindowVisible(GetDlgItem(dlg, 559)));
             EXPECT_FALSE(IsWindowVisible(GetDlgItem(dlg, 544)));
             EXPECT_EQ(Text(dlg, 220), "1000");
             EXPECT_EQ(Text(dlg, 58), "0");
             EXPECT_EQ(Text(dlg, 59), "9.99");
             EXPECT_NEAR(std::atof(Text(dlg, 300).c_str()), PI / 9.99, 1e-7);
             ++gesehen;
         },
         [](HWND dlg) { EXPECT_TRUE(FensterFoto(dlg, "ftransformation.png")); },
         Waehle(204),  // Bessel puts its default parameter
         [](HWND dlg) { EXPECT_EQ(Text(dlg, 40), "4"); }, Waehle(205),
         [](HWND dlg) { EXPECT_EQ(Text(dlg, 40), "20"); }, SetzeText(502, "1048"), Druecke(IDOK)},
        [] { HAUPTDATEN.Befehl(506, 0); }));
    EXPECT_EQ(gesehen, 1);
    const double* dw = HAUPTDATEN.DialogWerte;
    EXPECT_EQ(dw[0], 1.0);
    EXPECT_EQ(dw[1], 1048.0);
    EXPECT_EQ(dw[2], 5.0);
    EXPECT_EQ(dw[5], 20.0);
    EXPECT_EQ(dw[10], -1.0);
    ASSERT_EQ(g.AktuellerSlot(), 2);
    EXPECT_EQ(g.Punkte(), 2048);
    EXPECT_EQ(g.KurvenFlags[2], 5u);
    // OK of a forward transform writes the file again.
    EXPECT_EQ(DateiInhalt(IniPfad()).substr(0, 5), "5\n20\n");

    // With the transform current the dialog opens for the back transform:
    // square window, parameter 0, the window buttons disabled. Cancel
    // leaves the magnitude beside the complex curve.
    ASSERT_TRUE(MitDialogen({[](HWND dlg) {
                                 EXPECT_TRUE(Gesetzt(dlg, 531));
                                 EXPECT_TRUE(Gesetzt(dlg, 201));
                                 EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dlg, 205)));
                                 EXPECT_EQ(Text(dlg, 40), "0");
                             },
                             Druecke(IDCANCEL)},
                            [] { HAUPTDATEN.Befehl(506, 0); }));
    EXPECT_EQ(g.AktuellerSlot(), 2);
    EXPECT_EQ(g.Kombinieren, 1);
    const std::vector<double> re = Y(0, 2), betrag = Y(0, 3);
    const int n = g.DateiInfo.PunkteProKurve[2];
    ASSERT_EQ(static_cast<int>(betrag.size()), n);
    for (int i = 0; i < n; i += 97)
        EXPECT_NEAR(betrag[i], std::hypot(re[i], g.GetYFeld(2)[n + 1 + i]), 1e-12) << i;
}

TEST_F(FourierDialog, RefusesAStepWidthThatGivesNoGrid)
{
    Gitter(0, 200, 0.0, 0.05, [](double x) { return std::sin(x); });
    grafik_fenster& g = GrafikFenster[0];
    for (const char* schritt : {"0", "-2", "0.00001"}) {
        FehlerCode = 0;
        ASSERT_TRUE(MitDialogen({SetzeText(300, schritt), Druecke(IDOK)}, [] { HAUPTDATEN.Befehl(506, 0); }));
        EXPECT_EQ(FehlerCode, 108) << schritt;
        EXPECT_EQ(g.AktuellerSlot(), 0) << schritt;
    }
    // Borders outside the section.
    FehlerCode = 0;
    ASSERT_TRUE(MitDialogen({SetzeText(59, "20"), Druecke(IDOK)}, [] { HAUPTDATEN.Befehl(506, 0); }));
    EXPECT_EQ(FehlerCode, 102);
    EXPECT_EQ(g.AktuellerSlot(), 0);
    FehlerCode = 0;
}

TEST_F(FourierDialog, XafsModeShowsTheKWeightAndAsksForAPhaseFile)
{
    Kupfer();
    grafik_fenster& g = GrafikFenster[0];
    std::remove(IniPfad().c_str());
    ASSERT_TRUE(MitDialogen(
        {[](HWND dlg) {
             EXPECT_TRUE(IsWindowVisible(GetDlgItem(dlg, 559)));
             EXPECT_FALSE(IsWindowVisible(GetDlgItem(dlg, 300)));
             EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dlg, 502)));
             // Without the file: Bessel with parameter 4.
             EXPECT_TRUE(Gesetzt(dlg, 204));
             EXPECT_EQ(Text(dlg, 40), "4");
             EXPECT_EQ(Text(dlg, 559), "0");
         },
         SetzeText(58, "3"), SetzeText(59, "14"), SetzeText(559, "2"), Waehle(205), Druecke(IDOK)},
        [] { HAUPTDATEN.Befehl(506, 815); }));
    EXPECT_EQ(g.AktuellerSlot(), 2);
    EXPECT_EQ(g.KurvenFlags[2], 5u);
    EXPECT_EQ(g.KGewicht, 2.0);
    EXPECT_EQ(DateiInhalt(IniPfad()), "5\n20\n2\n");

    // The corrected transform without a phase file: the dialog says so and
    // stays open.
    Kupfer();
    boxen.clear();
    ASSERT_TRUE(MitDialogen({Waehle(555), Druecke(IDOK),
                             [](HWND dlg) { EXPECT_TRUE(IsWindowVisible(dlg)); }, Druecke(IDCANCEL)},
                            [] { HAUPTDATEN.Befehl(506, 815); }));
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].titel, "Caution");
    EXPECT_EQ(boxen[0].text,
              "Valid file name is needed for phase correction!\r\n        (File name for amplitude optional)");
    EXPECT_EQ(g.AktuellerSlot(), 0);
}
