// The XRD menu's commands through the dispatcher with prepared values, as
// the macro player runs them, and the options dialog with its settings
// file.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "app/spectra/data_commands_fixture.h"
#include "fit/fit_model.h"
#include "resource_ids.h"
#include "shell/dispatcher.h"
#include "shell/macro_bar.h"
#include "shell/settings.h"
#include "shell/shell_globals.h"
#include "xrd/xrd_commands_win.h"

namespace {

double Stufen(double x) { return 3.0 + std::fmod(x, 5.0); }  // 3 ... 7
double Flach(double) { return 2.5; }

// Gaussian lines of fwhm 0.1 at 2 theta = 3 + 0.01 x on a flat 10.
double Linien(double x)
{
    const double t = 3.0 + 0.01 * x, c = 4.0 * std::log(2.0) / 0.01;
    return 10.0 + 500.0 * std::exp(-c * (t - 4.5) * (t - 4.5)) + 1000.0 * std::exp(-c * (t - 6.25) * (t - 6.25));
}

std::string gespeichert;
BOOL WINAPI MakroDatei(LPOPENFILENAMEA ofn)
{
    if (gespeichert.empty() || gespeichert.size() >= ofn->nMaxFile) return FALSE;
    std::strcpy(ofn->lpstrFile, gespeichert.c_str());
    return TRUE;
}

std::string StatusZeile()
{
    char t[200] = "";
    GetWindowTextA(HAUPTDATEN.KindFenster[KIND_STATUS400], t, sizeof t);
    return t;
}

bool RedrawWartet(HWND fenster)
{
    MSG m;
    return PeekMessageA(&m, fenster, WM_COMMAND, WM_COMMAND, PM_NOREMOVE) && LOWORD(m.wParam) == CM_REDRAW;
}

}  // namespace

class XrdBefehle : public EditFixture {};

TEST_F(XrdBefehle, CommandsWithoutActionRunOnlyThePrologue)
{
    Kurve(0, 50, Stufen);
    const std::vector<double> x = X(0, 0), y = Y(0, 0);
    for (int32_t id : {901, 902, 907, 908, 909, 910, 950}) {
        GrafikFenster[0].HatDaten = 0;
        Prepared(id, {});
        EXPECT_EQ(FehlerCode, 0) << id;
        EXPECT_EQ(GrafikFenster[0].HatDaten, 1) << id;
        EXPECT_EQ(GrafikFenster[0].AktuellerSlot(), 0) << id;
        EXPECT_EQ(X(0, 0), x);
        EXPECT_EQ(Y(0, 0), y);
        EXPECT_FALSE(RedrawWartet(grafik[0])) << id;
    }
    // No window: the deferred error 111.
    MakroRunning = 1;
    AktivesFenster = 3;
    Prepared(901, {});
    EXPECT_EQ(FehlerCode, 111);
    FehlerCode = 0;
    MakroRunning = 0;
}

TEST_F(XrdBefehle, SinThetaOverLambdaIntoTheNextSlot)
{
    Kurve(0, 181, [](double x) { return x; });  // 2 theta 0 ... 180
    HAUPTDATEN.Roentgenwellenlaenge = 71.07;
    Prepared(906, {154.2});
    EXPECT_EQ(FehlerCode, 0);
    grafik_fenster& g = GrafikFenster[0];
    ASSERT_EQ(g.AktuellerSlot(), 1);
    const std::vector<double> x = X(0, 1);
    ASSERT_EQ(x.size(), 181u);
    EXPECT_EQ(x[0], 0.0);
    EXPECT_EQ(x[180], 2.0 / 154.2);
    EXPECT_EQ(Y(0, 1), Y(0, 0));
    EXPECT_EQ(X(0, 0)[180], 180.0);  // the original stays
    EXPECT_EQ(HAUPTDATEN.Roentgenwellenlaenge, 154.2);
    EXPECT_EQ(HAUPTDATEN.DialogWerte[0], 154.2);  // what a record keeps
    EXPECT_NE(Historie().find("2 sin(theta)/lambda"), std::string::npos);
    EXPECT_FALSE(RedrawWartet(grafik[0]));

    // A wavelength of 0 is refused: no new slot, the old wavelength stays.
    Prepared(906, {0.0});
    EXPECT_EQ(FehlerCode, 1000);
    FehlerCode = 0;
    EXPECT_EQ(g.AktuellerSlot(), 1);
    EXPECT_EQ(HAUPTDATEN.Roentgenwellenlaenge, 154.2);
}

// 906 asked in its dialog while a macro is recorded, then the macro played
// on the other window while another wavelength is in use: the replay
// converts with the recorded one.
TEST_F(XrdBefehle, RecordedSinThetaOverLambdaReplaysWithItsWavelength)
{
    Kurve(0, 181, [](double x) { return x; });
    Kurve(1, 181, [](double x) { return x; });
    MakroSpeichernDialog = MakroDatei;
    MakroOeffnenDialog = MakroDatei;
    gespeichert = Pfad("lambda.MAK");
    ButtonBar.MakroSaveAs();
    ASSERT_EQ(HAUPTDATEN.MakroAufnahme, 1);
    HAUPTDATEN.Roentgenwellenlaenge = 71.07;
    std::string gezeigt;
    EXPECT_TRUE(MitDialogen({[&](HWND d) {
                                 char t[64] = "";
                                 GetDlgItemTextA(d, IDC_POLY_FELD, t, sizeof t);
                                 gezeigt = t;
                             },
                             SetzeText(IDC_POLY_FELD, "154.2"), Druecke(IDOK)},
                            [] { HAUPTDATEN.Befehl(906, 0); }));
    ButtonBar.MakroSaveAs();
    ASSERT_EQ(HAUPTDATEN.MakroAufnahme, 0);
    EXPECT_EQ(gezeigt, "71.07");
    ASSERT_EQ(GrafikFenster[0].AktuellerSlot(), 1);
    EXPECT_EQ(X(0, 1)[180], 2.0 / 154.2);
    EXPECT_NE(Lies("lambda.MAK").find("906,154.2"), std::string::npos) << Lies("lambda.MAK");

    HAUPTDATEN.Roentgenwellenlaenge = 229.1;
    BringWindowToTop(grafik[1]);
    ASSERT_EQ(ButtonBar.MakroOpen(), 1);
    ASSERT_EQ(ButtonBar.MakroReopen(), 1);
    EXPECT_EQ(ButtonBar.MakroRun(0, -1), 1);
    ButtonBar.MakroClose();
    MakroSpeichernDialog = GetSaveFileNameA;
    MakroOeffnenDialog = GetOpenFileNameA;
    EXPECT_TRUE(boxen.empty());
    ASSERT_EQ(GrafikFenster[1].AktuellerSlot(), 1);
    EXPECT_EQ(X(1, 1), X(0, 1));
    EXPECT_EQ(HAUPTDATEN.Roentgenwellenlaenge, 154.2);
}

TEST_F(XrdBefehle, BackgroundAndNormalisationMapsOntoZeroToOneAndRefusesAFlatCurve)
{
    Kurve(0, 20, Stufen);
    ASSERT_NE(HAUPTDATEN.KindFenster[KIND_STATUS400], nullptr);
    SetWindowTextA(HAUPTDATEN.KindFenster[KIND_STATUS400], "");
    Prepared(911, {});
    EXPECT_EQ(FehlerCode, 0);
    const std::vector<double> y = Y(0, 0);
    for (size_t i = 0; i < y.size(); ++i) EXPECT_EQ(y[i], std::fmod(double(i), 5.0) / 4.0) << i;
    EXPECT_EQ(GrafikFenster[0].AktuellerSlot(), 0);
    // No redraw waits, but the status line shows the new range.
    EXPECT_FALSE(RedrawWartet(grafik[0]));
    EXPECT_NE(StatusZeile().find("Y :  0  to  1  |  No :  20"), std::string::npos) << StatusZeile();

    Kurve(0, 20, Flach);
    boxen.clear();
    Prepared(911, {});
    EXPECT_EQ(FehlerCode, 1000);
    FehlerCode = 0;
    EXPECT_EQ(Y(0, 0), std::vector<double>(20, 2.5));
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_NE(boxen[0].text.find("flat"), std::string::npos);
}

TEST_F(XrdBefehle, PreparedPeakSearchListsThePeaksWithTheirSpacings)
{
    Kurve(0, 500, Linien);
    grafik_fenster& g = GrafikFenster[0];
    for (int i = 0; i < 500; ++i) g.GetXFeld(0)[i] = 3.0 + 0.01 * i;
    g.SetFullBorder();
    Prepared(904, {41.3128, 10.0, 0, 0, 0, 1});
    ASSERT_EQ(FehlerCode, 0);
    EXPECT_EQ(g.AnzahlFunktionen, 3);
    EXPECT_EQ(g.FunktionsTypen[0], 6);
    EXPECT_EQ(g.FunktionsTypen[2], 7);
    EXPECT_EQ(g.ZeigeFunktion, 1);
    EXPECT_EQ(HAUPTDATEN.Roentgenwellenlaenge, 41.3128);
    ASSERT_EQ(CommandArgs[0], 2.0);
    EXPECT_NEAR(CommandArgs[1], 4.5, 1e-4);
    EXPECT_NEAR(CommandArgs[4], 6.25, 1e-4);
    EXPECT_EQ(CommandArgs[5], 100.0);
    for (int k = 0; k < 2; ++k) {
        const double tt = CommandArgs[1 + 3 * k];
        EXPECT_NEAR(CommandArgs[3 + 3 * k], 41.3128 / (2.0 * std::sin(tt / 2.0 * 3.14159265358979323846 / 180.0)),
                    1e-9 * CommandArgs[3 + 3 * k]);
    }
    EXPECT_EQ(std::strncmp(CommandText, "-- X-RAY DIFFRACTION : PEAK SEARCH", 34), 0);
    EXPECT_STREQ(g.XText[0], "diffraction angle 2^q [~o]");
    EXPECT_STREQ(g.YText[0], "intensity [a.u.]");

    // Unusable values are refused with the model unchanged.
    for (const std::vector<double>& dw : {std::vector<double>{41.3128, 0.0, 0, 0, 0, 1},
                                          std::vector<double>{41.3128, 101.0, 0, 0, 0, 1},
                                          std::vector<double>{0.0, 10.0, 0, 0, 0, 1},
                                          std::vector<double>{41.3128, 10.0, 0, 0, 0, 7}}) {
        Prepared(904, dw);
        EXPECT_EQ(FehlerCode, 1000);
        FehlerCode = 0;
        EXPECT_EQ(g.AnzahlFunktionen, 3);
    }
    // A curve of four points has no lines to find: refused, model unchanged.
    GrafikFenster[0].DateiInfo.PunkteProKurve[0] = 4;
    boxen.clear();
    Prepared(904, {41.3128, 10.0, 0, 0, 0, 1});
    EXPECT_EQ(FehlerCode, 1000);
    FehlerCode = 0;
    EXPECT_EQ(g.AnzahlFunktionen, 3);
    EXPECT_EQ(boxen.size(), 1u);
}

#ifdef KORLAN_SHARED_DATA
// The measured LaB6 pattern (NIST SRM 660a, APS 11-BM, 41.3128 pm) opened
// as the program opens it, x from centidegrees to degrees, then the peak
// search with prepared values: the first ten lines of the cell a = 4.15692
// Angstrom, two of them beyond point 35,000.
TEST_F(XrdBefehle, PreparedPeakSearchOnTheMeasuredLaB6Pattern)
{
    const int32_t w = OeffneOhneDialog(KORLAN_SHARED_DATA "xrd/11bmb_3844.fxye");
    ASSERT_GE(w, 0);
    grafik_fenster& g = GrafikFenster[w];
    ASSERT_EQ(g.Punkte(), 132992);
    Prepared(608, {220, 0.01});
    ASSERT_EQ(FehlerCode, 0);
    const int32_t slot = g.AktuellerSlot();
    EXPECT_NEAR(g.GetXFeld(-1)[132991], 66.995, 1e-9);
    MSG m;  // the redraws of the open
    while (PeekMessageA(&m, HAUPTDATEN.GrafikHandles[w], WM_COMMAND, WM_COMMAND, PM_REMOVE)) {}

    Prepared(904, {41.3128, 10.0, 0, 0, 0, 1});
    ASSERT_EQ(FehlerCode, 0);
    EXPECT_EQ(g.AktuellerSlot(), slot);
    EXPECT_EQ(g.Punkte(), 132992);
    const double soll[10] = {5.6966, 8.0595, 9.8749, 11.4073, 12.7591, 13.9827, 16.1593, 17.1466, 18.0817, 18.9722};
    ASSERT_GE(CommandArgs[0], 10.0);
    EXPECT_EQ(CommandArgs[0], g.AnzahlFunktionen - 1);
    for (int i = 0; i < 10; ++i) {
        const double tt = CommandArgs[1 + 3 * i], d = CommandArgs[3 + 3 * i];
        EXPECT_NEAR(tt, soll[i], 0.002) << i;
        EXPECT_NEAR(d, 41.3128 / (2.0 * std::sin(tt / 2.0 * 3.14159265358979323846 / 180.0)), 1e-9 * d) << i;
    }
    EXPECT_NEAR(CommandArgs[3], 415.7, 0.1);  // d of 100: the cell constant
    EXPECT_EQ(std::strncmp(CommandText, "-- X-RAY DIFFRACTION : PEAK SEARCH", 34), 0);
    EXPECT_STREQ(g.XText[slot], "diffraction angle 2^q [~o]");
    EXPECT_STREQ(g.YText[slot], "intensity [a.u.]");
    EXPECT_FALSE(RedrawWartet(HAUPTDATEN.GrafikHandles[w]));
}
#endif

TEST_F(XrdBefehle, DialogsThatWaitForAPersonStopAReplay)
{
    Kurve(0, 20, Stufen);
    for (int32_t id : {903, 912, 913, 914, 915}) {
        Prepared(id, {});
        EXPECT_EQ(FehlerCode, 1000) << id;
        FehlerCode = 0;
    }
}

TEST_F(XrdBefehle, OptionsWriteTheSettingsFile)
{
    Kurve(0, 20, Stufen);
    HAUPTDATEN.Roentgenwellenlaenge = 154.2;
    const double alt[3] = {HAUPTDATEN.XrdProfil[0], HAUPTDATEN.XrdProfil[1], HAUPTDATEN.XrdProfil[2]};
    auto waehleQuelle = [](int i) {
        return [i](HWND dlg) {
            SendDlgItemMessageA(dlg, IDC_XRDO_QUELLE, CB_SETCURSEL, i, 0);
            SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_XRDO_QUELLE, CBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDC_XRDO_QUELLE)));
        };
    };
    std::string gezeigt;
    auto lies = [&gezeigt](HWND dlg) {
        char t[64] = "";
        GetDlgItemTextA(dlg, IDC_XRDO_WELLENLAENGE, t, sizeof t);
        gezeigt += std::string(t) + ";";
    };
    // "Custom" after another entry shows the wavelength in use again.
    EXPECT_TRUE(MitDialogen({waehleQuelle(2), lies, waehleQuelle(0), lies, Druecke(IDCANCEL)},
                            [&] { HAUPTDATEN.Befehl(912, 0); }));
    EXPECT_EQ(gezeigt, "71.07;154.2;");
    EXPECT_EQ(HAUPTDATEN.Roentgenwellenlaenge, 154.2);

    EXPECT_TRUE(MitDialogen({waehleQuelle(3), SetzeText(IDC_XRDO_BREITE, "0.0125"), Druecke(IDOK)},
                            [&] { HAUPTDATEN.Befehl(912, 0); }));
    EXPECT_EQ(HAUPTDATEN.Roentgenwellenlaenge, 179.1);
    EXPECT_EQ(HAUPTDATEN.XrdProfil[0], 0.0125);
    const std::string ini = Lies("XRD.ini");
    EXPECT_EQ(ini.substr(0, ini.find('\n')), "179.1");
    // A start reads the four values back.
    double lambda = 0.0, profil[3] = {};
    std::FILE* f = std::fopen(Pfad("XRD.ini").c_str(), "rt");
    ASSERT_TRUE(f);
    LeseXrdIni(f, &lambda, profil);
    std::fclose(f);
    EXPECT_EQ(lambda, 179.1);
    EXPECT_EQ(profil[0], 0.0125);
    EXPECT_EQ(profil[1], alt[1]);
    EXPECT_EQ(profil[2], alt[2]);

    // A settings file that cannot be written: a message, the values hold.
    DeleteFileA(Pfad("XRD.ini").c_str());
    CreateDirectoryA(Pfad("XRD.ini").c_str(), nullptr);
    boxen.clear();
    EXPECT_TRUE(MitDialogen({SetzeText(IDC_XRDO_WELLENLAENGE, "229.1"), Druecke(IDOK)},
                            [&] { HAUPTDATEN.Befehl(912, 0); }));
    RemoveDirectoryA(Pfad("XRD.ini").c_str());
    EXPECT_EQ(HAUPTDATEN.Roentgenwellenlaenge, 229.1);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_NE(boxen[0].text.find("XRD.ini"), std::string::npos);
    for (int i = 0; i < 3; ++i) HAUPTDATEN.XrdProfil[i] = alt[i];
    HAUPTDATEN.Roentgenwellenlaenge = 154.2;
}
