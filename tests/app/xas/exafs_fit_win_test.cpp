// The EXAFS refinement 807 in-process, as the macro player runs it: the
// synthetic chi(k) of exafs_fit_fixture.h is refined back in k space and in
// R space; the set-up's refusals; the FEFF part of the macro record.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/spectra/data_commands_fixture.h"
#include "app/xas/exafs_fit_fixture.h"
#include "app/temp_folder.h"
#include "fit/exafs_terms.h"
#include "fit/fit_model.h"
#include "fit/fit_run.h"
#include "fit/model_function.h"
#include "fit/xafs_table.h"
#include "resource_ids.h"
#include "shell/haupt_fenster.h"
#include "shell/macro_bar.h"
#include "shell/macro_file.h"
#include "shell/macro_player.h"
#include "shell/shell_globals.h"
#include "spectra/spectra_globals.h"
#include "xas/exafs_fit_win.h"
#include "xas/feff_path.h"
#include "xas/model_fft.h"
#include "xas/xas_entries.h"

namespace {

using namespace exafs_fixture;

class ExafsFitWin : public ExafsFitFixture {};

TEST_F(ExafsFitWin, KSpaceRefinementRecoversTheSyntheticPath)
{
    Chi();
    Verfeinern(1.0, -1.0, -1.0);
    Pruefen();
    EXPECT_NEAR(CommandArgs[1000], 2.0 + 2.0 / PI * (379 * Dk()), 1e-9);
    EXPECT_EQ(CommandArgs[1004], 1.0);
    EXPECT_EQ(CommandArgs[1001], 3.0);
}

TEST_F(ExafsFitWin, RSpaceRefinementRecoversTheSyntheticPath)
{
    Chi();
    RRaum();
    Verfeinern(-1.0, 1.4, 3.0);
    Pruefen();
    EXPECT_EQ(CommandArgs[1004], -1.0);
    EXPECT_NEAR(CommandArgs[1000], 2.0 + 2.0 / PI * 1.6 * (379 * Dk()), 1e-9);
    // The weights select the fit range of the magnitude.
    grafik_fenster& g = GrafikFenster[0];
    for (int i = 0; i < g.Punkte(); ++i) {
        const double r = g.GetXFeld(2)[i];
        EXPECT_EQ(FitGewichte[i], r >= 1.4 && r <= 3.0 ? 1.0 : 0.0) << r;
    }
}

// "Add k" for the fit: the data's transform for k^3 is fitted beside
// the k^2 one; exact data are still recovered.
TEST_F(ExafsFitWin, RSpaceRefinementWithAnExtraKWeight)
{
    Chi();
    RRaum();
    extraK = 3.0;
    Verfeinern(-1.0, 1.4, 3.0);
    Pruefen();
    EXPECT_EQ(ExafsZusatz.PotenzFit, 3);
    ASSERT_EQ(ExafsZusatz.ExtraDaten.size(), 2 * static_cast<size_t>(GrafikFenster[0].Punkte()));
    EXPECT_GT(ExafsZusatz.Skalierung, 0.0);
}

TEST_F(ExafsFitWin, RefusalsOfTheSetUp)
{
    Chi();
    HAUPTDATEN.Meldungsblock.lParam = LP_PREPARED;
    HAUPTDATEN.Meldungsblock.Befehl = 807;
    struct Fall { int index; double wert; int32_t fehler; };
    const double dw0[14] = {21, -1, 1, 2, -1, -1, 1, -1, -1, 1, 1, -1, -1, 0};
    // Shells beyond 100, a k weight beyond 10, R space with one curve.
    for (const Fall& f : {Fall{2, 101.0, 108}, Fall{3, 11.0, 108}, Fall{6, -1.0, 118}}) {
        std::copy(std::begin(dw0), std::end(dw0), HAUPTDATEN.DialogWerte);
        HAUPTDATEN.DialogWerte[f.index] = f.wert;
        FehlerCode = 0;
        EXPECT_EQ(ExafsFitVorbereiten(0, 0), 0);
        EXPECT_EQ(FehlerCode, f.fehler) << f.index;
    }
    // R space without the transform's slot on the magnitude's R points.
    RRaum();
    GrafikFenster[0].DateiInfo.PunkteProKurve[1] -= 5;
    HAUPTDATEN.DialogWerte[6] = -1.0;
    FehlerCode = 0;
    EXPECT_EQ(ExafsFitVorbereiten(0, 0), 0);
    EXPECT_EQ(FehlerCode, 118);
    Chi();
    // 63 paths of four parameters and S0^2: 253 parameters.
    Modell(WAHR);
    FitFunctionCount = 64;
    for (int i = 1; i < 64; ++i) FitFunctionTypes[i] = 21;
    std::copy(std::begin(dw0), std::end(dw0), HAUPTDATEN.DialogWerte);
    boxen.clear();
    FehlerCode = 0;
    EXPECT_EQ(ExafsFitVorbereiten(0, 0), 0);
    EXPECT_EQ(FehlerCode, 108);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_NE(boxen[0].text.find("more than 249 parameters"), std::string::npos) << boxen[0].text;
    FehlerCode = 0;
    // A negative coordination number.
    const double dw[14] = {21, -1, 1, 2, -1, -1, 1, -1, -1, 1, 1, -1, -1, 0};
    std::copy(dw, dw + 14, HAUPTDATEN.DialogWerte);
    const double schlecht[5] = {0.9, -2.0, 2.55, 0.005, 0.0};
    Modell(schlecht);
    EXPECT_EQ(ExafsFitVorbereiten(0, 0), 0);
    EXPECT_EQ(FehlerCode, 108);
    FehlerCode = 0;
}

// A missing path file or files.dat: the message, the model reset to one
// Gaussian, no EXAFS fit, 108.
TEST_F(ExafsFitWin, MissingFilesResetTheModel)
{
    Chi();
    struct Fall { const char* loeschen; const char* text; };
    for (const Fall& f : {Fall{"feff0001.dat", ">feffnnnn.dat< file not found in folder!"},
                          Fall{"files.dat", ">files.dat< file not found in folder!"}}) {
        Modell(WAHR);
        DeleteFileA(ordner.Datei(f.loeschen).c_str());
        FeffPfadFreigeben(&FeffPfade[1]);
        FeffPfade[1].Pfadnummer = 1;
        std::snprintf(FeffPfade[1].FilesDatPfad, sizeof FeffPfade[1].FilesDatPfad, "%s",
                      ordner.Datei("files.dat").c_str());
        const double dw[14] = {21, -1, 1, 2, -1, -1, 1, -1, -1, 1, 1, -1, -1, 0};
        std::copy(dw, dw + 14, HAUPTDATEN.DialogWerte);
        HAUPTDATEN.Meldungsblock.lParam = LP_PREPARED;
        HAUPTDATEN.Meldungsblock.Befehl = 807;
        boxen.clear();
        FehlerCode = 0;
        EXPECT_EQ(ExafsFitVorbereiten(0, 0), 0);
        EXPECT_EQ(FehlerCode, 108);
        ASSERT_FALSE(boxen.empty());
        EXPECT_EQ(boxen.back().text, f.text);
        EXPECT_EQ(boxen.back().titel, "Error");
        EXPECT_EQ(FitFunctionCount, 1);
        EXPECT_EQ(FitFunctionTypes[0], 1);
        EXPECT_EQ(FitModellArt, 0);
        EXPECT_EQ(Numerik.useFitProcedure, 0);
    }
    FehlerCode = 0;
}

// The record of an 807 on a FEFF model carries its paths; replayed, the
// paths, start values and the numbers for the report come back, and 817
// shows the model.
TEST_F(ExafsFitWin, MacroRecordCarriesTheFeffPaths)
{
    Chi();
    Modell(WAHR);
    FeffPfade[1].ListenIndex = 3;
    FeffPfade[1].SatzNummer = 1;
    MakroFeffTeil teil;
    ExafsMakroFeffAufnehmen(&teil);
    ASSERT_EQ(teil.Quelltexte.size(), 1u);
    EXPECT_EQ(teil.Quelltexte[0], ordner.Datei("files.dat"));
    EXPECT_EQ(teil.PfadNummern, std::vector<int32_t>{1});
    EXPECT_EQ(teil.ListenPositionen, std::vector<int32_t>{3});

    // Written and read back as a macro file.
    MakroSatz s;
    const double dw[14] = {21, -1, 1, 2, -1, -1, 1, -1, -1, 1, 1, -1, -1, 0};
    MakroQuellen q{dw, FitParameters, FitFunctionTypes, FitFunctionCount, FitPolyDegree, MaxParameter,
                   MaxFitParameter, FreeParameterList, ParameterFlags, CorrelationWords,
                   CorrelationConstants, CommandText2};
    ASSERT_EQ(MakroSatzAufnehmen(s, 807, 14, MaxParameter, q), MAKRO_SATZ);
    ASSERT_TRUE(MakroHatFeffTeil(s));
    s.Feff = teil;
    const std::string pfad = ordner.Datei("feff.MAK");
    SchreibeBytes(pfad, "Makro\n");
    ASSERT_EQ(MakroSatzAnhaengen(pfad.c_str(), s), MAKRO_SATZ);
    std::vector<MakroSatz> gelesen;
    int32_t zeile = 0;
    ASSERT_EQ(MakroTextLesen(LiesBytes(pfad), gelesen, &zeile), MAKRO_SATZ);
    ASSERT_EQ(gelesen.size(), 1u);
    EXPECT_EQ(gelesen[0].Feff, teil);

    // Replayed onto cleared records.
    FeffPfadFreigeben(&FeffPfade[1]);
    ExafsMakroFeffSetzen(gelesen[0].Feff);
    EXPECT_STREQ(FeffPfade[1].FilesDatPfad, ordner.Datei("files.dat").c_str());
    EXPECT_EQ(FeffPfade[1].Pfadnummer, 1);
    EXPECT_EQ(FeffPfade[1].ListenIndex, 3);

    // 817 shows the model with the record's values.
    std::copy(dw, dw + 14, HAUPTDATEN.DialogWerte);
    HAUPTDATEN.Befehl(817, LP_PREPARED);
    EXPECT_EQ(FehlerCode, 0);
    const grafik_fenster& g = GrafikFenster[0];
    EXPECT_EQ(g.ZeigeFunktion, 1);
    for (int p = 0; p < 5; ++p) EXPECT_EQ(g.Parameter[p], WAHR[p]);
    EXPECT_EQ(FeffPfade[1].Geladen, 1);
    EXPECT_EQ(CommandArgs[1004], 1.0);
    EXPECT_EQ(CommandArgs[1001], MaxFitParameter);
    MSG m;
    while (PeekMessageA(&m, nullptr, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {}
}

// An 807 in R space recorded while recording is on, then replayed by the
// macro player on a window whose model was spoiled and whose path records
// were cleared: the path comes back from the record's files.dat, the
// recorded start values (N fixed at 12) are taken, the fit runs to its end
// at the truth, and CommandArgs[1000..1004] hold the numbers of the set-up.
TEST_F(ExafsFitWin, RecordedRefinementReplaysThroughThePlayer)
{
    Chi();
    RRaum();
    const double start[5] = {0.8, 12.0, 2.5478, 0.005, 0.0};
    Modell(start);
    FixParameter(1);
    Numerik.SetAnzahl(-1, MaxParameter, MaxFitParameter);
    const double dw[14] = {21, -1, 1, 2, 1.4, 3.0, -1.0, -1, -1, 1, 1, -1, -1, 0};
    std::copy(dw, dw + 14, HAUPTDATEN.DialogWerte);
    const std::string mak = ordner.Datei("r807.MAK");
    SchreibeBytes(mak, "Makro\n");
    std::snprintf(ButtonBar.MakroPfad, sizeof ButtonBar.MakroPfad, "%s", mak.c_str());
    HAUPTDATEN.MakroAufnahme = 1;
    HAUPTDATEN.Befehl(807, LP_PREPARED);
    HAUPTDATEN.MakroAufnahme = 0;
    ButtonBar.MakroPfad[0] = '\0';
    ASSERT_EQ(FehlerCode, 0);
    MSG m;
    while (PeekMessageA(&m, nullptr, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {}
    Numerik.SetFitProcedure(0, nullptr);
    std::vector<MakroSatz> saetze;
    ASSERT_EQ(MakroTextLesen(LiesBytes(mak), saetze), MAKRO_SATZ);
    ASSERT_EQ(saetze.size(), 1u);
    ASSERT_EQ(saetze[0].Befehl, 807);
    ASSERT_TRUE(MakroHatFeffTeil(saetze[0]));
    EXPECT_EQ(saetze[0].Feff.PfadNummern, std::vector<int32_t>{1});

    // The window spoiled, the records cleared, the numbers forgotten.
    const double falsch[5] = {2.0, 3.0, 2.2, 0.02, -5.0};
    Modell(falsch);
    FeffPfadFreigeben(&FeffPfade[1]);
    for (int i = 1000; i <= 1004; ++i) CommandArgs[i] = -999.0;
    const int32_t altFrage = KonfidenzFrage;
    KonfidenzFrage = -1;
    ButtonBar.MakroDatei = std::fopen(mak.c_str(), "r");
    ASSERT_NE(ButtonBar.MakroDatei, nullptr);
    boxen.clear();
    EXPECT_EQ(ButtonBar.MakroRun(1, -1), 1);
    ButtonBar.MakroClose();
    KonfidenzFrage = altFrage;
    for (const GezeigteBox& b : boxen) EXPECT_EQ(b.text.find("stopped"), std::string::npos) << b.text;
    EXPECT_EQ(FeffPfade[1].Geladen, 1);
    EXPECT_NE(std::string(FeffPfade[1].Dateiname).find("feff0001.dat"), std::string::npos);
    Pruefen();
    EXPECT_NEAR(CommandArgs[1000], 2.0 + 2.0 / PI * 1.6 * (379 * Dk()), 1e-9);
    EXPECT_EQ(CommandArgs[1001], 3.0);
    EXPECT_EQ(CommandArgs[1002], 1.4);
    EXPECT_EQ(CommandArgs[1003], 3.0);
    EXPECT_EQ(CommandArgs[1004], -1.0);
}

// Interactively: the set-up dialog, the parameter table, then 817 shows
// the model with the parameters kept and 807 starts the refinement.
TEST_F(ExafsFitWin, InteractiveSimulationAndRefinementThroughTheDialogs)
{
    Chi();
    std::snprintf(FeffPfade[1].ListenZeile, sizeof FeffPfade[1].ListenZeile, "%s",
                  " feff0001.dat 0.00500 100.000 12.000 2 2.5478");
    boxen.clear();
    FehlerCode = 0;
    EXPECT_TRUE(MitDialogen({Druecke(IDOK), Druecke(IDOK)}, [&] { HAUPTDATEN.Befehl(817, 0); }));
    EXPECT_EQ(FehlerCode, 0);
    const grafik_fenster& g = GrafikFenster[0];
    EXPECT_EQ(g.ZeigeFunktion, 1);
    EXPECT_EQ(ExafsZusatz.Modus, -1);
    EXPECT_EQ(FeffPfade[1].Geladen, 1);
    for (int p = 0; p < 5; ++p) EXPECT_EQ(g.Parameter[p], WAHR[p]) << p;
    EXPECT_EQ(HAUPTDATEN.DialogWerte[13], 1.0);
    MSG m;
    while (PeekMessageA(&m, nullptr, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {}

    EXPECT_TRUE(MitDialogen({Druecke(IDOK), Druecke(IDOK)}, [&] { HAUPTDATEN.Befehl(807, 0); }));
    EXPECT_EQ(FehlerCode, 0);
    EXPECT_EQ(FitModellArt, 6);
    EXPECT_EQ(ExafsZusatz.Modus, 1);
    bool fit = false;
    while (PeekMessageA(&m, hwnd, WM_COMMAND, WM_COMMAND, PM_REMOVE)) fit = fit || LOWORD(m.wParam) == 507;
    EXPECT_TRUE(fit);
    EXPECT_TRUE(boxen.empty()) << boxen[0].text;
}

}  // namespace
