// The font-profile and option dialogs opened on their real templates and
// answered as a user would: the value rules, Cancel, and the settings
// files that OK writes into the program folder.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "plot_window_fixture.h"
#include "resource_ids.h"
#include "shell/option_dialogs_win.h"
#include "shell/results_window.h"
#include "shell/settings.h"
#include "spectra/spectra_globals.h"

namespace {

std::string Inhalt(const std::string& pfad)
{
    std::ifstream f(pfad, std::ios::binary);
    if (!f) return "(missing)";
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

}  // namespace

class OptionenDialoge : public PlotFensterFixture {
protected:
    char* alterBrowser = nullptr;
    char browser[BROWSER_BYTES] = "C:\\test.exe";
    double alteNumerik[2] = {};
    int32_t alteNumerikWorte[2] = {};
    double alteKonfidenz = 0;
    int32_t alteErneuerung[2] = {}, altesProfil = 1, alteWorte[6] = {};
    double alterGlitch = 0;
    EXAFS_OPTIONEN alteExafs = {};

    void SetUp() override
    {
        PlotFensterFixture::SetUp();
        haupt_fenster& a = HAUPTDATEN;
        alterBrowser = a.BrowserPfad;
        a.BrowserPfad = browser;
        alteNumerik[0] = Numerik.abbruch;
        alteNumerik[1] = Numerik.ableitungsSchritt;
        alteNumerikWorte[0] = Numerik.wichtung;
        alteNumerikWorte[1] = Numerik.maxIterationen;
        alteKonfidenz = a.KonfidenzNiveau;
        std::memcpy(alteErneuerung, a.FitErneuerung, sizeof alteErneuerung);
        altesProfil = a.AktivesProfil;
        alteExafs = ExafsOptionen;
        const int32_t worte[6] = {a.GlitchKorrektur, a.GlitchPunkte, a.BinaerSpeichern,
                                  a.SicherungAn, a.SicherungsIntervall, ResultsWindow.ErgebnisLog};
        std::memcpy(alteWorte, worte, sizeof worte);
        alterGlitch = a.GlitchProzent;
    }
    void TearDown() override
    {
        haupt_fenster& a = HAUPTDATEN;
        a.BrowserPfad = alterBrowser;
        Numerik.abbruch = alteNumerik[0];
        Numerik.ableitungsSchritt = alteNumerik[1];
        Numerik.wichtung = alteNumerikWorte[0];
        Numerik.maxIterationen = alteNumerikWorte[1];
        a.KonfidenzNiveau = alteKonfidenz;
        std::memcpy(a.FitErneuerung, alteErneuerung, sizeof alteErneuerung);
        a.AktivesProfil = altesProfil;
        ExafsOptionen = alteExafs;
        a.GlitchKorrektur = alteWorte[0];
        a.GlitchPunkte = alteWorte[1];
        a.BinaerSpeichern = alteWorte[2];
        a.SicherungAn = alteWorte[3];
        a.SicherungsIntervall = alteWorte[4];
        ResultsWindow.ErgebnisLog = alteWorte[5];
        a.GlitchProzent = alterGlitch;
        PlotFensterFixture::TearDown();
    }
};

TEST_F(OptionenDialoge, FitOptionsStoreTheirValuesAndMendTheConfidence)
{
    const struct { const char* eingabe; double konfidenz; } faelle[] = {
        {"1.01", 0.95}, {"-0.1", 0.95}, {"1.0", 1.0}, {"0.68", 0.68}, {"none", 0.0},
    };
    for (const auto& f : faelle) {
        HAUPTDATEN.KonfidenzNiveau = 0.5;
        HAUPTDATEN.FitErneuerung[0] = 1;
        HAUPTDATEN.FitErneuerung[1] = 0;
        Numerik.wichtung = 2;
        const INT_PTR r = OeffneDialog("FITOPTIONEN", FitOptionenProc, {
            Pruefe([](HWND dlg) {
                EXPECT_EQ(TextVon(dlg, IDC_FITOPT_WICHTUNG), "1 / sqrt ( N )");
                EXPECT_EQ(TextVon(dlg, IDC_FITOPT_KONFIDENZ), "0.5");
                EXPECT_TRUE(Gecheckt(dlg, IDC_FITOPT_KEIN_NEU));
                EXPECT_EQ(SendDlgItemMessageA(dlg, IDC_FITOPT_WICHTUNG, CB_GETCOUNT, 0, 0), 6);
            }),
            Waehle(IDC_FITOPT_WICHTUNG, 4),
            Text(IDC_FITOPT_ABBRUCH, "2E-7"),
            Text(IDC_FITOPT_DELTA, "0.001"),
            Text(IDC_FITOPT_ITERATIONEN, "120"),
            Text(IDC_FITOPT_KONFIDENZ, f.eingabe),
            Kreuze(IDC_FITOPT_AUTO_NEU),
            Klick(IDOK),
        });
        EXPECT_EQ(r, 1);
        EXPECT_DOUBLE_EQ(HAUPTDATEN.KonfidenzNiveau, f.konfidenz) << f.eingabe;
        EXPECT_EQ(Numerik.wichtung, 5);
        EXPECT_DOUBLE_EQ(Numerik.abbruch, 2e-7);
        EXPECT_DOUBLE_EQ(Numerik.ableitungsSchritt, 0.001);
        EXPECT_EQ(Numerik.maxIterationen, 120);
        EXPECT_EQ(HAUPTDATEN.FitErneuerung[0], 0);
        EXPECT_EQ(HAUPTDATEN.FitErneuerung[1], 1);
    }
    // The fifth entry is N followed by the superscript two of code page 1252.
    OeffneDialog("FITOPTIONEN", FitOptionenProc, {
        Pruefe([](HWND dlg) { EXPECT_EQ(TextVon(dlg, IDC_FITOPT_WICHTUNG), "N\xB2"); }),
        Klick(IDCANCEL),
    });
}

TEST_F(OptionenDialoge, CancelLeavesEveryOptionAsItWas)
{
    HAUPTDATEN.KonfidenzNiveau = 0.9;
    Numerik.abbruch = 1e-5;
    const EXAFS_OPTIONEN vorher = ExafsOptionen;
    const SCHRIFT_PROFIL p0 = HAUPTDATEN.SchriftProfile[0];
    const int32_t alteErneuerung0 = HAUPTDATEN.FitErneuerung[0];
    struct Fall { const char* name; DLGPROC proc; int feld; } faelle[] = {
        {"FITOPTIONEN", FitOptionenProc, IDC_FITOPT_KONFIDENZ},
        {"FILEOPTIONEN", FileOptionenProc, IDC_FILEOPT_BROWSER},
        {"OPTEXAFS", OptExafsProc, IDC_EXOPT_BIS},
        {"DEFAULTFONT", DefaultFontProc, IDC_PROFIL1_ERSTES},
    };
    for (const Fall& f : faelle) {
        const INT_PTR r = OeffneDialog(f.name, f.proc, {
            Pruefe([](HWND dlg) {
                // Centred on the screen.
                RECT rc;
                GetWindowRect(dlg, &rc);
                HDC dc = GetDC(nullptr);
                EXPECT_EQ(rc.left, GetDeviceCaps(dc, HORZRES) / 2 - (rc.right - rc.left) / 2);
                ReleaseDC(nullptr, dc);
            }),
            Text(f.feld, "33"), Kreuze(IDC_FITOPT_STOPP), Klick(IDCANCEL),
        });
        EXPECT_EQ(r, 0) << f.name;
    }
    EXPECT_DOUBLE_EQ(HAUPTDATEN.KonfidenzNiveau, 0.9);
    EXPECT_DOUBLE_EQ(Numerik.abbruch, 1e-5);
    EXPECT_EQ(HAUPTDATEN.FitErneuerung[0], alteErneuerung0);
    EXPECT_STREQ(HAUPTDATEN.BrowserPfad, "C:\\test.exe");
    EXPECT_EQ(std::memcmp(&ExafsOptionen, &vorher, sizeof vorher), 0);
    EXPECT_EQ(std::memcmp(&HAUPTDATEN.SchriftProfile[0], &p0, sizeof p0), 0);
    for (const char* datei : {"numeric.ins", "browser.dat", "xas_E-range.ins"})
        EXPECT_EQ(Inhalt(ordner.Datei(datei)), "(missing)") << datei;
    EXPECT_TRUE(meldungen.empty());
}

TEST_F(OptionenDialoge, FileOptionsWriteTheBrowserFileAndKeepThePeriodWhileOff)
{
    HAUPTDATEN.SicherungAn = 1;
    HAUPTDATEN.SicherungsIntervall = 600;
    HAUPTDATEN.BinaerSpeichern = 1;
    ResultsWindow.ErgebnisLog = 1;
    const INT_PTR r = OeffneDialog("FILEOPTIONEN", FileOptionenProc, {
        Pruefe([](HWND dlg) {
            EXPECT_EQ(TextVon(dlg, IDC_FILEOPT_PERIODE), "600");
            EXPECT_EQ(TextVon(dlg, IDC_FILEOPT_PROZENT), "10");
            EXPECT_TRUE(Gecheckt(dlg, IDC_FILEOPT_BINAER));
        }),
        Text(IDC_FILEOPT_PERIODE, "900"),
        Kreuze(IDC_FILEOPT_SICHERUNG, false),
        Pruefe([](HWND dlg) { EXPECT_FALSE(Aktiv(dlg, IDC_FILEOPT_PERIODE)); }),
        Kreuze(IDC_FILEOPT_ASCII),
        Kreuze(IDC_FILEOPT_LOG, false),
        Kreuze(IDC_FILEOPT_GLITCH),
        Text(IDC_FILEOPT_PROZENT, "12.5"),
        Text(IDC_FILEOPT_PUNKTE, "3"),
        Text(IDC_FILEOPT_BROWSER, "C:\\Program Files\\browser\\browse.exe"),
        Klick(IDOK),
    });
    EXPECT_EQ(r, 1);
    EXPECT_EQ(HAUPTDATEN.SicherungAn, 0);
    EXPECT_EQ(HAUPTDATEN.SicherungsIntervall, 600);
    EXPECT_EQ(HAUPTDATEN.BinaerSpeichern, 0);
    EXPECT_EQ(ResultsWindow.ErgebnisLog, 0);
    EXPECT_EQ(HAUPTDATEN.GlitchKorrektur, 1);
    EXPECT_DOUBLE_EQ(HAUPTDATEN.GlitchProzent, 12.5);
    EXPECT_EQ(HAUPTDATEN.GlitchPunkte, 3);
    EXPECT_EQ(Inhalt(ordner.Datei("browser.dat")), "C:\\Program Files\\browser\\browse.exe");
    // What the file holds is what the start-up reads back.
    char gelesen[BROWSER_BYTES] = "";
    std::FILE* f = std::fopen(ordner.Datei("browser.dat").c_str(), "rt");
    LeseBrowserDat(f, gelesen, sizeof gelesen);
    if (f) std::fclose(f);
    EXPECT_STREQ(gelesen, HAUPTDATEN.BrowserPfad);

    // The period shows again; switched on, an unusable period is refused.
    OeffneDialog("FILEOPTIONEN", FileOptionenProc, {
        Pruefe([](HWND dlg) {
            EXPECT_EQ(TextVon(dlg, IDC_FILEOPT_PERIODE), "600");
            EXPECT_FALSE(Gecheckt(dlg, IDC_FILEOPT_SICHERUNG));
        }),
        Kreuze(IDC_FILEOPT_SICHERUNG),
        Text(IDC_FILEOPT_PERIODE, "0"),
        Klick(IDOK),
        Pruefe([](HWND dlg) { EXPECT_TRUE(IsWindowVisible(dlg)); }),
        Text(IDC_FILEOPT_PERIODE, "1200"),
        Klick(IDOK),
    });
    ASSERT_EQ(meldungen.size(), 1u);
    EXPECT_NE(meldungen[0].text.find("between 10 and 86400"), std::string::npos);
    EXPECT_EQ(HAUPTDATEN.SicherungAn, 1);
    EXPECT_EQ(HAUPTDATEN.SicherungsIntervall, 1200);
}

TEST_F(OptionenDialoge, ExafsOptionsFollowTheirRules)
{
    ExafsOptionen = EXAFS_OPTIONEN{8.0, 0.025, 40.0, 1024, 1, 0};
    // "from" follows "to" at once; 0.5 keV is not taken, R values not above
    // 0 are ignored.
    OeffneDialog("OPTEXAFS", OptExafsProc, {
        Pruefe([](HWND dlg) {
            EXPECT_TRUE(Gecheckt(dlg, IDC_EXOPT_K1024));
            EXPECT_TRUE(Gecheckt(dlg, IDC_EXOPT_ANGSTROEM));
            EXPECT_TRUE(Gecheckt(dlg, IDC_EXOPT_DRITTE));
            EXPECT_EQ(TextVon(dlg, IDC_EXOPT_VON), "4");
        }),
        Text(IDC_EXOPT_BIS, "50"),
        Pruefe([](HWND dlg) { EXPECT_EQ(TextVon(dlg, IDC_EXOPT_VON), "5"); }),
        Text(IDC_EXOPT_BIS, "0.5"),
        Text(IDC_EXOPT_MAXR, "-5"),
        Text(IDC_EXOPT_RSCHRITT, "0"),
        Kreuze(IDC_EXOPT_K512),
        Kreuze(IDC_EXOPT_PM),
        Kreuze(IDC_EXOPT_GLEICHES),
        Kreuze(IDC_EXOPT_FT_CHI),
        Klick(IDOK),
    });
    EXPECT_DOUBLE_EQ(ExafsOptionen.EnergieBereich, 40.0);
    EXPECT_EQ(Inhalt(ordner.Datei("xas_E-range.ins")), "(missing)");
    EXPECT_DOUBLE_EQ(ExafsOptionen.MaxR, 8.0);
    EXPECT_DOUBLE_EQ(ExafsOptionen.RSchritt, 0.025);
    EXPECT_EQ(ExafsOptionen.KPunkte, 512);
    EXPECT_EQ(ExafsOptionen.Einheiten, 0);
    EXPECT_EQ(ExafsOptionen.KalibrierQuelle, 1);
    EXPECT_EQ(HAUPTDATEN.ZeigeFtChi, 1);

    OeffneDialog("OPTEXAFS", OptExafsProc, {
        Text(IDC_EXOPT_BIS, "0.6"), Text(IDC_EXOPT_MAXR, "10"), Text(IDC_EXOPT_RSCHRITT, "0.05"),
        Kreuze(IDC_EXOPT_K2048), Klick(IDOK),
    });
    EXPECT_DOUBLE_EQ(ExafsOptionen.EnergieBereich, 0.6);
    EXPECT_EQ(Inhalt(ordner.Datei("xas_E-range.ins")), "0.6");
    EXPECT_DOUBLE_EQ(ExafsOptionen.MaxR, 10.0);
    EXPECT_DOUBLE_EQ(ExafsOptionen.RSchritt, 0.05);
    EXPECT_EQ(ExafsOptionen.KPunkte, 2048);
}

TEST_F(OptionenDialoge, DefaultFontsWriteTheProfilesTheStartUpReadsBack)
{
    std::strcpy(HAUPTDATEN.XTextListe, "E [keV]#k [1/A]");
    std::strcpy(HAUPTDATEN.YTextListe, "mu(E)");
    HAUPTDATEN.SchriftProfile[0].Wert[12] = 77;  // carried unchanged
    const INT_PTR r = OeffneDialog("DEFAULTFONT", DefaultFontProc, {
        Pruefe([](HWND dlg) {
            EXPECT_EQ(TextVon(dlg, IDC_PROFIL1_ERSTES), "14");
            EXPECT_EQ(TextVon(dlg, IDC_PROFIL2_ERSTES + 1), "30");
            EXPECT_TRUE(Gecheckt(dlg, IDC_PROFIL1_RAHMEN));
            EXPECT_FALSE(Gecheckt(dlg, IDC_PROFIL2_RAHMEN));
        }),
        Text(IDC_PROFIL1_ERSTES, "18"),
        Text(IDC_PROFIL1_ERSTES + 6, "3"),   // frame width (index 7)
        Text(IDC_PROFIL1_ERSTES + 7, "4"),   // func width (index 8)
        Text(IDC_PROFIL2_ERSTES + 1, "60"),  // out of range: refused
        Klick(IDOK),
        Pruefe([](HWND dlg) { EXPECT_TRUE(IsWindowVisible(dlg)); }),
        Text(IDC_PROFIL2_ERSTES + 1, "40"),
        Kreuze(IDC_PROFIL2_RAHMEN),
        Klick(IDOK),
    });
    EXPECT_EQ(r, 1);
    ASSERT_EQ(meldungen.size(), 1u);
    EXPECT_EQ(meldungen[0].text, "\"axis\" of the alternative profile must lie between 1 and 59.");
    const SCHRIFT_PROFIL* p = HAUPTDATEN.SchriftProfile;
    EXPECT_EQ(p[0].Wert[1], 18);
    EXPECT_EQ(p[0].Wert[7], 3);
    EXPECT_EQ(p[0].Wert[8], 4);
    EXPECT_EQ(p[1].Wert[2], 40);
    EXPECT_EQ(p[1].Wert[9], 1);

    // Command 194's writer, read back as the start-up does.
    ASSERT_TRUE(SpeichereNumericIns());
    std::FILE* f = std::fopen(ordner.Datei("numeric.ins").c_str(), "rt");
    ASSERT_NE(f, nullptr);
    char x[TEXTLISTE_BYTES] = "", y[TEXTLISTE_BYTES] = "", t[TEXTLISTE_BYTES] = "x";
    SCHRIFT_PROFIL q[2] = {};
    int32_t aktiv = 0;
    LeseNumericIns(f, x, y, t, sizeof x, q, &aktiv);
    std::fclose(f);
    EXPECT_STREQ(x, "E [keV]#k [1/A]");
    EXPECT_STREQ(y, "mu(E)");
    EXPECT_STREQ(t, "");
    EXPECT_EQ(std::memcmp(q, p, sizeof q), 0);
    EXPECT_EQ(q[0].Wert[12], 77);
    EXPECT_EQ(aktiv, 1);
}

TEST_F(OptionenDialoge, AFailedWriteLeavesTheOldFileWhole)
{
    const std::string ziel = ordner.Datei("numeric.ins");
    { std::ofstream(ziel, std::ios::binary) << "old lists\nY\nT\n14,14,\n"; }
    // The temporary file cannot be created: a folder stands in its place.
    std::filesystem::create_directory(ziel + ".tmp");
    EXPECT_FALSE(SpeichereNumericIns());
    EXPECT_EQ(Inhalt(ziel), "old lists\nY\nT\n14,14,\n");
    std::filesystem::remove(ziel + ".tmp");
    // The old file is read-only and cannot be replaced: it stays, and no
    // temporary file is left behind.
    SetFileAttributesA(ziel.c_str(), FILE_ATTRIBUTE_READONLY);
    const bool ersetzt = SpeichereNumericIns();
    SetFileAttributesA(ziel.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!ersetzt) {
        EXPECT_EQ(Inhalt(ziel), "old lists\nY\nT\n14,14,\n");
    }
    EXPECT_FALSE(std::filesystem::exists(ziel + ".tmp"));
    // A writable file is replaced whole.
    ASSERT_TRUE(SpeichereNumericIns());
    EXPECT_EQ(Inhalt(ziel).substr(0, 3), "\r\n\r");
}

TEST_F(OptionenDialoge, FlipFontTwiceReturnsToTheFirstProfile)
{
    HAUPTDATEN.AktivesProfil = 1;
    PAINTINFO& pi = GrafikFenster[0].Paintinfo;
    GrafikFenster[0].SetFontInfo(HAUPTDATEN.SchriftProfile[0].Wert);
    const PAINTINFO erstes = pi;
    SchriftWechseln();
    EXPECT_EQ(HAUPTDATEN.AktivesProfil, 2);
    EXPECT_EQ(pi.AxisFontHeight, 30);
    EXPECT_EQ(pi.AxisFontWidth, 14);
    EXPECT_EQ(pi.PlotWidth, 2);
    EXPECT_EQ(pi.ShowFrame, 0);
    SchriftWechseln();
    EXPECT_EQ(HAUPTDATEN.AktivesProfil, 1);
    EXPECT_EQ(std::memcmp(&pi, &erstes, sizeof pi), 0);
    // Without an open window nothing changes.
    AktivesFenster = -1;
    SchriftWechseln();
    EXPECT_EQ(HAUPTDATEN.AktivesProfil, 1);
}

// The commands open their dialogs; 140 and 172 leave the result in the
// first dialog value, 194 applies profile 1 and writes "numeric.ins".
TEST_F(OptionenDialoge, CommandsOpenTheirDialogsAndKeepTheResult)
{
    HWND alterHaupt = HAUPTDATEN.Hauptfenster;
    HAUPTDATEN.Hauptfenster = nullptr;
    const struct { const char* titel; int32_t (*befehl)(); bool wert; } faelle[] = {
        {"Fit Options", FitOptionen, true},
        {"File Options", DateiOptionen, true},
        {"EXAFS Options", ExafsOptionenDialog, false},
        {"Default Fonts", StandardSchriften, false},
    };
    for (const auto& f : faelle) {
        MarkiereWerte();
        std::string titel;
        const INT_PTR r = MitDialogen(f.titel, [&] { return static_cast<INT_PTR>(f.befehl()); }, {
            Pruefe([&](HWND dlg) {
                char t[80] = "";
                GetWindowTextA(dlg, t, sizeof t);
                titel = t;
            }),
            Klick(IDCANCEL),
        });
        EXPECT_EQ(r, 0) << f.titel;
        EXPECT_EQ(titel, f.titel);
        if (f.wert) {
            EXPECT_EQ(HAUPTDATEN.DialogWerte[0], 0.0) << f.titel;
        } else {
            EXPECT_TRUE(WerteUnveraendert()) << f.titel;
        }
    }
    HAUPTDATEN.AktivesProfil = 2;
    GrafikFenster[0].Paintinfo.AxisFontHeight = 30;
    EXPECT_EQ(MitDialogen("Default Fonts", [] { return static_cast<INT_PTR>(StandardSchriften()); },
                          {Text(IDC_PROFIL1_ERSTES, "20"), Klick(IDOK)}),
              1);
    EXPECT_EQ(GrafikFenster[0].Paintinfo.AxisFontHeight, 20);
    EXPECT_EQ(HAUPTDATEN.AktivesProfil, 1);
    EXPECT_EQ(Inhalt(ordner.Datei("numeric.ins")).substr(0, 6), "\r\n\r\n\r\n");
    HAUPTDATEN.Hauptfenster = alterHaupt;
}
