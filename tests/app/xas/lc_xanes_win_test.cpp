// The linear-combination XANES fit (844) in-process: the set-up with
// prepared values on the gold L3 references (tests/app/xas/data/lcf_au, see
// SOURCES.md there) and an unknown made of two of them, its run to the end,
// and the dialog LC_XANES with its "LCXANES.dat" table.
//
// The fit runs through the program's own chi-square callback, which serves
// the LC model kind 10 as a k-space EXAFS target.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/spectra/data_commands_fixture.h"
#include "fit/fit_model.h"
#include "fit/fit_run.h"
#include "resource_ids.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/spectrum_file.h"
#include "xas/feff_path.h"
#include "xas/section_dialog_win.h"
#include "xas/xanes_fit_win.h"
#include "xas/xas_entries.h"

namespace {

const std::string DATEN = KORLAN_TEST_DIR "/app/xas/data/lcf_au/";

SpektrumDaten LiesReferenz(const char* name)
{
    DateiInfo info;
    DateiInfoLeeren(&info);
    std::string ordner = DATEN;
    for (char& c : ordner)
        if (c == '/') c = '\\';
    std::snprintf(info.Ordner, sizeof info.Ordner, "%s", ordner.c_str());
    std::snprintf(info.DateiName, sizeof info.DateiName, "%s", name);
    SpektrumDaten d;
    int32_t fehler = 0;
    EXPECT_GT(LeseSpektrum(&info, &d, nullptr, nullptr, &fehler), 0) << name;
    return d;
}

std::string Text(HWND dlg, int id)
{
    char t[400] = "";
    GetDlgItemTextA(dlg, id, t, sizeof t);
    return t;
}

std::vector<std::string> Eintraege(HWND dlg)
{
    std::vector<std::string> v;
    const LRESULT n = SendDlgItemMessageA(dlg, IDC_LC_LISTE, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        char t[200] = "";
        SendDlgItemMessageA(dlg, IDC_LC_LISTE, LB_GETTEXT, i, reinterpret_cast<LPARAM>(t));
        v.push_back(t);
    }
    return v;
}

// What the file dialog of button 100 answers: a folder and names, as a
// multiple selection gives them.
std::string Auswahl;
BOOL WINAPI AntwortDatei(LPOPENFILENAMEA ofn)
{
    if (Auswahl.size() + 2 > ofn->nMaxFile) return FALSE;
    std::memcpy(ofn->lpstrFile, Auswahl.data(), Auswahl.size());
    ofn->lpstrFile[Auswahl.size()] = '\0';
    ofn->lpstrFile[Auswahl.size() + 1] = '\0';
    return TRUE;
}

std::string Mehrfach(const std::string& ordner, const std::vector<std::string>& namen)
{
    std::string s = ordner;
    for (const std::string& n : namen) s += std::string(1, '\0') + n;
    return s;
}

}  // namespace

class LcXanesWin : public EditFixture {
protected:
    int32_t alteFrage = 0;
    std::string ordnerWin;
    SpektrumDaten s1, s2;

    void SetUp() override
    {
        EditFixture::SetUp();
        HAUPTDATEN.ModellCallback = ModellFunktion;
        HAUPTDATEN.ChiQuadratCallback = ExafsFitProzedur;
        LcDateiDialog = AntwortDatei;
        HAUPTDATEN.FitZustand = 0;
        HAUPTDATEN.FitErneuerung[0] = 1;
        HAUPTDATEN.FitErneuerung[1] = 0;
        Numerik.SetExpError(0.001);
        Numerik.SetWichtung(1);
        alteFrage = KonfidenzFrage;
        KonfidenzFrage = -1;
        ordnerWin = DATEN;
        for (char& c : ordnerWin)
            if (c == '/') c = '\\';
        s1 = LiesReferenz("s1.dat");
        s2 = LiesReferenz("s2.dat");
        // The unknown 0.3 s1 + 0.7 s2 on s1's grid in keV (s2 linearly
        // interpolated), from 11.85 to 12.0 keV.
        grafik_fenster& g = GrafikFenster[0];
        int n = 0;
        size_t k = 0;
        for (int i = 0; i < s1.Punkte; ++i) {
            const double e = s1.x[i];
            if (e < 11850.0 || e > 12000.0) continue;
            while (k + 2 < s2.x.size() && s2.x[k + 1] < e) ++k;
            const double t = (e - s2.x[k]) / (s2.x[k + 1] - s2.x[k]);
            g.GetXFeld(0)[n] = e * 0.001;
            g.GetYFeld(0)[n] = 0.3 * s1.y[i] + 0.7 * (s2.y[k] + t * (s2.y[k + 1] - s2.y[k]));
            ++n;
        }
        for (int s = 0; s < 4; ++s) {
            g.DateiInfo.PunkteProKurve[s] = s == 0 ? n : 0;
            g.KurvenFlags[s] = 0;
        }
        g.KurvenZaehler = g.NeuesterZaehler = 0;
        g.SetFullBorder();
        std::remove(Pfad("LCXANES.dat").c_str());
    }
    void TearDown() override
    {
        KonfidenzFrage = alteFrage;
        LcDateiDialog = GetOpenFileNameA;
        HAUPTDATEN.FitZustand = 0;
        Numerik.SetWeightFunction(nullptr);
        Numerik.SetFitProcedure(0, nullptr);
        SetMenu(hwnd, HAUPTDATEN.Hauptmenue);
        FeffPfadeLeeren();
        EditFixture::TearDown();
    }
    // The window's model as a replayed record leaves it.
    void Modell(const std::vector<int32_t>& typen)
    {
        grafik_fenster& g = GrafikFenster[0];
        g.AnzahlFunktionen = static_cast<int32_t>(typen.size());
        for (size_t i = 0; i < typen.size(); ++i) g.FunktionsTypen[i] = typen[i];
        g.PolyGrad = 0;
        BefehlsFenster(&HAUPTDATEN, false);
        ASSERT_GE(ResetModelTables(), 0);
    }
    void Liste(const char* text2)
    {
        std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%ss1.dat,%ss2.dat", ordnerWin.c_str(), ordnerWin.c_str());
        std::snprintf(CommandText2, COMMAND_TEXT2_BYTES, "%s", text2);
    }
    // The fit as the player runs it: 507 with lParam 2 until it ends, then 22.
    int32_t Lauf()
    {
        for (int k = 0; k < 500; ++k) {
            MSG m;
            while (PeekMessageA(&m, hwnd, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {}
            HAUPTDATEN.Befehl(507, LP_PREPARED);
            if (HAUPTDATEN.FitZustand != 1) break;
        }
        const int32_t z = HAUPTDATEN.FitZustand;
        if (z == -1) HAUPTDATEN.Befehl(CM_FIT_CANCEL, 0);
        return z;
    }
    const double* P() const { return GrafikFenster[0].Parameter; }
};

TEST_F(LcXanesWin, TwoReferencesGiveTheirShareOfTheUnknown)
{
    Modell({26, 26});
    Liste("true");
    Prepared(844, {0.0, 1.0, 11.86, 11.99});
    ASSERT_EQ(FehlerCode, 0);
    EXPECT_EQ(FitModellArt, 10);
    EXPECT_EQ(GrafikFenster[0].ModellArt, 10);
    // Start values, the weights over the range, the references on the grid.
    EXPECT_DOUBLE_EQ(P()[0], 0.3);
    EXPECT_DOUBLE_EQ(P()[1], 0.001);
    const int32_t n = GrafikFenster[0].Punkte();
    const double* w = Numerik.GetWeightFunction();
    ASSERT_NE(w, nullptr);
    for (int32_t i = 0; i < n; ++i) {
        const double e = GrafikFenster[0].GetXFeld(-1)[i];
        EXPECT_EQ(w[i], e >= 11.86 && e <= 11.99 ? 1.0 : 0.0) << e;
    }
    ASSERT_EQ(FeffPfade[1].TabellenSpeicher[FEFF_PHASE], n);
    EXPECT_STREQ(FeffPfade[2].Dateiname, "s2.dat");
    EXPECT_EQ(Lies("LCXANES.dat"), "s1, 1\ns2, 1\n");

    ASSERT_EQ(Lauf(), -1);
    EXPECT_NEAR(P()[0], 0.30, 0.01);
    EXPECT_NEAR(P()[2], 0.70, 0.01);
    EXPECT_LT(std::fabs(P()[1]), 1e-4);
    EXPECT_LT(std::fabs(P()[3]), 1e-4);

    // "false": the next fit of the run goes on from these values.
    const double c1 = P()[0];
    Modell({26, 26});
    Liste("false");
    Prepared(844, {0.0, 1.0, 11.86, 11.99});
    EXPECT_DOUBLE_EQ(P()[0], c1);
    EXPECT_EQ(Lauf(), -1);
    // The table keeps one line per name.
    EXPECT_EQ(Lies("LCXANES.dat"), "s1, 1\ns2, 1\n");
}

TEST_F(LcXanesWin, ProfileFunctionsStayBehindTheReferences)
{
    // The profile function the dialog's " Add profile function" chose: a
    // constant; OK in LC_XANES, then OK in the parameter table.
    Modell({7});
    Auswahl = Mehrfach(ordnerWin, {"s1.dat", "s2.dat"});
    const bool ok = MitDialogen({Druecke(IDC_LC_DATEIEN),
                                 [](HWND dlg) { CheckDlgButton(dlg, IDC_LC_PROFIL, BST_CHECKED); },
                                 SetzeText(IDC_LC_VON, "11.86"), SetzeText(IDC_LC_BIS, "11.99"), Druecke(IDOK),
                                 Druecke(IDOK)},
                                [] { HAUPTDATEN.Befehl(844, 0); });
    ASSERT_TRUE(ok);
    ASSERT_EQ(FehlerCode, 0);
    const grafik_fenster& g = GrafikFenster[0];
    ASSERT_EQ(g.AnzahlFunktionen, 3);
    EXPECT_EQ(g.FunktionsTypen[0], 26);
    EXPECT_EQ(g.FunktionsTypen[1], 26);
    EXPECT_EQ(g.FunktionsTypen[2], 7);
    EXPECT_EQ(MaxParameter, 4);
    ASSERT_EQ(Lauf(), -1);
    EXPECT_NEAR(P()[0], 0.30, 0.01);
    EXPECT_NEAR(P()[2], 0.70, 0.01);
    EXPECT_NEAR(P()[4], 0.0, 0.005);

    // "&Repeat Fit" keeps the model, the references and the profile.
    ASSERT_TRUE(MitDialogen({Druecke(IDOK), Druecke(IDOK)}, [] { HAUPTDATEN.Befehl(844, 0); }));
    ASSERT_EQ(FehlerCode, 0);
    ASSERT_EQ(g.AnzahlFunktionen, 3);
    EXPECT_EQ(g.FunktionsTypen[2], 7);
    EXPECT_EQ(std::string(CommandText), ordnerWin + "s1.dat," + ordnerWin + "s2.dat");
    ASSERT_EQ(Lauf(), -1);
    EXPECT_NEAR(P()[2], 0.70, 0.01);
}

TEST_F(LcXanesWin, AReplayStartingANewRunKeepsTheRecordedProfileValues)
{
    // A record of references and a constant: "true" starts the references
    // anew, the constant keeps its recorded value and the recorded flags
    // stay (a fixed E0 shift is not reset).
    Modell({26, 26, 7});
    GrafikFenster[0].Parameter[1] = 0.0;
    GrafikFenster[0].Parameter[4] = 0.05;
    ParameterFlags[1] = PF_FIXED;
    Liste("true");
    Prepared(844, {0.0, 1.0, 11.86, 11.99});
    ASSERT_EQ(FehlerCode, 0);
    EXPECT_DOUBLE_EQ(P()[0], 0.3);
    EXPECT_DOUBLE_EQ(P()[1], 0.0);
    EXPECT_DOUBLE_EQ(P()[3], 0.001);
    EXPECT_DOUBLE_EQ(P()[4], 0.05);
    EXPECT_EQ(ParameterFlags[1], PF_FIXED);
    EXPECT_EQ(MaxParameter, 4);
    ParameterFlags[1] = 0;
}

TEST_F(LcXanesWin, ARangeOutsideTheDataOrAMissingFileChangesNothing)
{
    Modell({26, 26});
    Liste("true");
    Prepared(844, {0.0, 1.0, 13.0, 13.5});
    EXPECT_EQ(FehlerCode, 1000);
    EXPECT_EQ(FitModellArt, 0);
    FehlerCode = 0;
    std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%ss1.dat,%sweg.dat", ordnerWin.c_str(), ordnerWin.c_str());
    Prepared(844, {0.0, 1.0, 11.86, 11.99});
    EXPECT_EQ(FehlerCode, 1000);
    EXPECT_EQ(FeffPfade[1].TabellenSpeicher[FEFF_PHASE], 0);
    EXPECT_FALSE(Existiert("LCXANES.dat"));
    FehlerCode = 0;

    // From the dialog: a range beyond the shown one is refused with 102.
    Auswahl = Mehrfach(ordnerWin, {"s1.dat", "s2.dat"});
    Modell({});
    boxen.clear();
    ASSERT_TRUE(MitDialogen({Druecke(IDC_LC_DATEIEN), SetzeText(IDC_LC_VON, "11.0"), Druecke(IDOK)},
                            [] { HAUPTDATEN.Befehl(844, 0); }));
    EXPECT_EQ(FehlerCode, 102);
    EXPECT_EQ(GrafikFenster[0].AnzahlFunktionen, 0);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_NE(boxen[0].text.find("fit range"), std::string::npos);
    FehlerCode = 0;
}

TEST_F(LcXanesWin, TheDialogTakesCorrectionsFromTheTableByWholeName)
{
    Schreibe("LCXANES.dat", "s1x, 0.5\ns1, 1.25\ns2, 0\n");
    Modell({});
    Auswahl = Mehrfach(ordnerWin, {"s1.dat", "s2.dat"});
    std::vector<std::string> liste;
    std::string korrekturen, anzahl;
    INT_PTR r = -5;
    boxen.clear();
    auto offen = [&] { r = DialogBoxParamA(HAUPTDATEN.Instanz, "LC_XANES", hwnd, LcXanesProc, 0); };
    ASSERT_TRUE(MitDialogen({Druecke(IDC_LC_DATEIEN),
                             [&](HWND dlg) {
                                 liste = Eintraege(dlg);
                                 korrekturen = Text(dlg, IDC_LC_KORREKTUREN);
                                 anzahl = Text(dlg, IDC_LC_ANZAHL);
                                 Auswahl = Mehrfach(ordnerWin, {"s1.dat"});
                             },
                             Druecke(IDC_LC_DATEIEN), SetzeText(IDC_LC_ANZAHL, "5"), SetzeText(IDC_LC_VON, "11.9"),
                             SetzeText(IDC_LC_BIS, "11.95"), Druecke(IDOK)},
                            offen));
    EXPECT_EQ(liste, (std::vector<std::string>{"s1.dat", "s2.dat"}));
    // "s1" takes its own line, not the line of "s1x"; 0 counts as none.
    EXPECT_EQ(korrekturen, "1.25\r\n1.0\r\n");
    EXPECT_EQ(anzahl, "2");
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].text, "File is already selected.");
    EXPECT_EQ(boxen[0].titel, "Error!");
    // The count is the list's, not the edit's.
    EXPECT_EQ(r, 2);
    EXPECT_DOUBLE_EQ(HAUPTDATEN.DialogWerte[1], 1.0);
    EXPECT_DOUBLE_EQ(HAUPTDATEN.DialogWerte[2], 11.9);
    EXPECT_DOUBLE_EQ(HAUPTDATEN.DialogWerte[3], 11.95);
    EXPECT_DOUBLE_EQ(FeffPfade[1].Entartung, 1.25);
    EXPECT_DOUBLE_EQ(FeffPfade[2].Entartung, 1.0);
    EXPECT_EQ(std::string(CommandText), ordnerWin + "s1.dat," + ordnerWin + "s2.dat");
    EXPECT_DOUBLE_EQ(ExafsOptionen.LcGrenze, -1.0);

    // Without the file every correction is 1.0.
    std::remove(Pfad("LCXANES.dat").c_str());
    Auswahl = Mehrfach(ordnerWin, {"s1.dat"});
    ASSERT_TRUE(MitDialogen({Druecke(IDC_LC_DATEIEN), [&](HWND dlg) { korrekturen = Text(dlg, IDC_LC_KORREKTUREN); },
                             Druecke(IDCANCEL)},
                            offen));
    EXPECT_EQ(korrekturen, "1.0\r\n");
    EXPECT_EQ(r, 0);
}

TEST_F(LcXanesWin, AfterAFitTheDialogOffersToRepeatItUntilANewChoice)
{
    Modell({26, 26, 7});
    std::snprintf(FeffPfade[1].Dateiname, sizeof FeffPfade[1].Dateiname, "s1.dat");
    std::snprintf(FeffPfade[2].Dateiname, sizeof FeffPfade[2].Dateiname, "s2.dat");
    FeffPfade[1].Entartung = 1.25;
    FeffPfade[2].Entartung = 0.8;
    ExafsOptionen.LcGrenze = 2.5;
    std::vector<std::string> liste, nachher;
    std::string korrekturen, ok, okNachher, grenze;
    bool profil = false, null = false;
    INT_PTR r = -5;
    auto offen = [&] { r = DialogBoxParamA(HAUPTDATEN.Instanz, "LC_XANES", hwnd, LcXanesProc, 0); };
    ASSERT_TRUE(MitDialogen({[&](HWND dlg) {
                                 liste = Eintraege(dlg);
                                 korrekturen = Text(dlg, IDC_LC_KORREKTUREN);
                                 ok = Text(dlg, IDOK);
                                 profil = IsDlgButtonChecked(dlg, IDC_LC_PROFIL) == BST_CHECKED;
                                 null = IsDlgButtonChecked(dlg, IDC_LC_NULL) == BST_CHECKED;
                                 grenze = Text(dlg, IDC_LC_GRENZE);
                             },
                             Druecke(IDOK)},
                            offen));
    EXPECT_EQ(liste, (std::vector<std::string>{"s1.dat", "s2.dat"}));
    EXPECT_EQ(korrekturen, "1.25\r\n0.8\r\n");
    EXPECT_EQ(ok, "&Repeat Fit");
    EXPECT_TRUE(profil);
    EXPECT_TRUE(null);
    EXPECT_EQ(grenze, "2.5");
    EXPECT_EQ(r, -1);
    EXPECT_DOUBLE_EQ(ExafsOptionen.LcGrenze, 2.5);

    // A new choice clears the old references.
    Auswahl = Mehrfach(ordnerWin, {"s3.dat"});
    ASSERT_TRUE(MitDialogen({Druecke(IDC_LC_DATEIEN),
                             [&](HWND dlg) {
                                 nachher = Eintraege(dlg);
                                 okNachher = Text(dlg, IDOK);
                                 korrekturen = Text(dlg, IDC_LC_KORREKTUREN);
                             },
                             Druecke(IDOK)},
                            offen));
    EXPECT_EQ(nachher, (std::vector<std::string>{"s3.dat"}));
    EXPECT_EQ(okNachher, "&OK");
    EXPECT_EQ(korrekturen, "1.0\r\n");
    EXPECT_EQ(r, 1);
}

TEST_F(LcXanesWin, TheRangeComesFromTheSectionDialogInItsSecondMode)
{
    Modell({});
    SektionsAntwort = [](HWND, int32_t modus) -> INT_PTR {
        HAUPTDATEN.DialogWerte[0] = 11.9;
        HAUPTDATEN.DialogWerte[1] = modus == 1 ? 11.95 : 0.0;
        return 1;
    };
    std::string von, bis;
    INT_PTR r = -5;
    // The section dialog answers itself once it has painted; the steps
    // wait for it to be gone.
    std::vector<DialogSchritt> schritte{Druecke(IDC_LC_GRAFISCH)};
    for (int k = 0; k < 10; ++k) schritte.push_back([](HWND) {});
    schritte.push_back([&](HWND dlg) {
        von = Text(dlg, IDC_LC_VON);
        bis = Text(dlg, IDC_LC_BIS);
    });
    schritte.push_back(Druecke(IDCANCEL));
    ASSERT_TRUE(MitDialogen(schritte,
                            [&] { r = DialogBoxParamA(HAUPTDATEN.Instanz, "LC_XANES", hwnd, LcXanesProc, 0); }));
    SektionsAntwort = nullptr;
    EXPECT_EQ(von, "11.9");
    EXPECT_EQ(bis, "11.95");
    EXPECT_EQ(HilfeThema, 0);
    EXPECT_EQ(r, 0);
}

TEST_F(LcXanesWin, TheHundredAndFirstReferenceIsRefused)
{
    Modell({});
    std::vector<std::string> namen;
    for (int i = 1; i <= 101; ++i) namen.push_back("ref" + std::to_string(i) + ".dat");
    Auswahl = Mehrfach("C:\\refs", namen);
    std::vector<std::string> liste;
    boxen.clear();
    INT_PTR r = -5;
    ASSERT_TRUE(MitDialogen({Druecke(IDC_LC_DATEIEN), [&](HWND dlg) { liste = Eintraege(dlg); }, Druecke(IDCANCEL)},
                            [&] { r = DialogBoxParamA(HAUPTDATEN.Instanz, "LC_XANES", hwnd, LcXanesProc, 0); }));
    EXPECT_EQ(liste.size(), 100u);
    EXPECT_EQ(liste.back(), "ref100.dat");
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_NE(boxen[0].text.find("At most 100 reference spectra"), std::string::npos) << boxen[0].text;
}
