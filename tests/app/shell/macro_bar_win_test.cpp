// Recording commands into a macro file and replaying it on a window: the
// file against one written by hand from the record layout, the state each
// replayed command sees, the fit run to its end, and the refusals.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "macro_fixture.h"
#include "resource_ids.h"
#include "shell/macro_bar.h"

namespace {

std::string Datei(const char* pfad)
{
    std::ifstream f(pfad);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

void Werte(std::initializer_list<double> w)
{
    std::memset(HAUPTDATEN.DialogWerte, 0, sizeof HAUPTDATEN.DialogWerte);
    int i = 0;
    for (double v : w) HAUPTDATEN.DialogWerte[i++] = v;
}

// The model line of n Gaussians.
std::string Gaussmodell(int n)
{
    std::string z = std::to_string(n);
    for (int i = 0; i < n; ++i) z += ",1";
    return z + ",0";
}

}  // namespace

class Makro : public MakroFixture {
protected:
    // Records the sequence of the hand-written file, as the handlers call
    // the recorder after their work; the state at each call is kept.
    std::vector<Schritt> Aufnehmen()
    {
        std::vector<Schritt> gesehen;
        FitZustandSetzen();
        auto nimm = [&](int32_t id, int32_t n, int32_t l) {
            gesehen.push_back(Jetzt(id, n));  // lParam holds the value count here
            EXPECT_EQ(ButtonBar.MakroRecord(id, n, l), 1) << id;
        };
        Werte({6.5, 7.25});
        nimm(155, 2, 0);
        Werte({});
        nimm(1, 0, 0);
        Werte({50, 1e-5});
        nimm(507, 2, MaxParameter);
        Werte({2, 0.5, 0, 0, 1, 0, 0, 3});
        nimm(607, 8, 0);
        Werte({});
        nimm(2, 0, 0);
        Werte({3, 14, 0.05, 1, 0, 0, 0, 0, 0, 0, 1});
        std::strcpy(CommandText2, "C:\\data\\weights.dat");
        nimm(815, 11, 0);
        return gesehen;
    }
};

TEST_F(Makro, RecordedSequenceMatchesTheFileAndReplaysToTheSameState)
{
    dialogPfad = Pfad("folge.MAK");
    Knopf(12);
    ASSERT_EQ(HAUPTDATEN.MakroAufnahme, 1);
    EXPECT_EQ(dialogTitel, "Save makro as");
    EXPECT_TRUE(dialogFlags & OFN_OVERWRITEPROMPT);
    const std::vector<Schritt> aufgenommen = Aufnehmen();
    Knopf(12);
    EXPECT_EQ(HAUPTDATEN.MakroAufnahme, 0);
    // Off: nothing more is appended.
    EXPECT_EQ(ButtonBar.MakroRecord(1, 0, 0), 0);
    EXPECT_EQ(Lies("folge.MAK"), Datei(KORLAN_TEST_DIR "/app/shell/data/macro_sequence.MAK"));

    // Another state in the window; the replay through the play button
    // (top graphic window, real dispatcher) brings each command's state back.
    const Schritt amEnde = Jetzt(0, 0);
    for (double& p : parameter) p = 0.0;
    for (int32_t& t : typen) t = 0;
    GrafikFenster[0].AnzahlFunktionen = 0;
    GrafikFenster[0].PolyGrad = 0;
    MaxParameter = MaxFitParameter = 0;
    CommandText2[0] = '\0';
    Numerik.SetFunction(nullptr);
    HAUPTDATEN.FitErneuerung[0] = 0;
    HAUPTDATEN.FitErneuerung[1] = 1;
    // The borders, the fit and the Fourier transform are not built yet.
    gespielt = {155, 507, 815};
    beimSchritt = [](int32_t befehl, LPARAM) {
        if (befehl != 507) return;
        // The fit is prepared before its step.
        EXPECT_EQ(Numerik.function, HAUPTDATEN.ModellCallback);
        EXPECT_EQ(HAUPTDATEN.FitErneuerung[0], 1);
        EXPECT_EQ(HAUPTDATEN.FitErneuerung[1], 0);
        EXPECT_EQ(MakroRunning, 1);
        EXPECT_EQ(HAUPTDATEN.MakroSchrittAktiv, 1);
    };
    dialogPfad = Pfad("folge.MAK");
    Knopf(11);
    EXPECT_EQ(dialogTitel, "begin makro");
    EXPECT_TRUE(boxen.empty()) << boxen[0].text;

    // Six records, the fit's closing command 22 after the fit.
    ASSERT_EQ(schritte.size(), 7u);
    const int32_t folge[7] = {155, 1, 507, 22, 607, 2, 815};
    for (size_t i = 0, k = 0; i < schritte.size(); ++i) {
        const Schritt& s = schritte[i];
        EXPECT_EQ(s.befehl, folge[i]);
        if (s.befehl == 22) {
            EXPECT_EQ(s.lParam, 0);
            continue;
        }
        const Schritt& a = aufgenommen[k++];
        EXPECT_EQ(s.lParam, LP_PREPARED);
        // The command's own values, then the one extra value of L = 0 (the
        // first parameter, 1.5); the places behind them keep what they held.
        const int32_t n = a.lParam;
        for (int j = 0; j < n; ++j) EXPECT_DOUBLE_EQ(s.dialog[j], a.dialog[j]) << s.befehl << " " << j;
        if (s.befehl != 507) {
            EXPECT_DOUBLE_EQ(s.dialog[n], 1.5) << s.befehl;
        }
        EXPECT_EQ(s.anzahl, a.anzahl);
        EXPECT_EQ(s.grad, a.grad);
        EXPECT_EQ(s.maxPar, a.maxPar);
        EXPECT_EQ(s.maxFit, a.maxFit);
        EXPECT_EQ(s.typen, a.typen);
        if (s.befehl == 507) {
            EXPECT_EQ(s.parameter, a.parameter);
            EXPECT_EQ(s.freie, a.freie);
            EXPECT_EQ(s.flags, a.flags);
            EXPECT_EQ(s.worte, a.worte);
            EXPECT_EQ(s.konst, a.konst);
        }
        if (s.befehl == 815) {
            EXPECT_EQ(s.text2, "C:\\data\\weights.dat\n");
        }
    }
    // The window ends with the recorded model and parameters.
    const Schritt jetzt = Jetzt(0, 0);
    EXPECT_EQ(jetzt.anzahl, amEnde.anzahl);
    EXPECT_EQ(jetzt.grad, amEnde.grad);
    EXPECT_EQ(jetzt.typen, amEnde.typen);
    EXPECT_EQ(jetzt.parameter, amEnde.parameter);
    EXPECT_EQ(MakroRunning, 0);
    EXPECT_EQ(HAUPTDATEN.MakroSchrittAktiv, 0);
    EXPECT_EQ(ButtonBar.MakroDatei, nullptr);
}

TEST_F(Makro, ReplayedFitTakesItsOwnPostsUntilItHasFinished)
{
    Schreibe("fit.MAK", "Makro\n507,50,1E-05,!,1,2\n1\n1\n1,1,0\n0,1\n0,0\n0, 5, 0, 5\n-1,-1\n0,0\n19\n-1\n-1\n1,1,0\n");
    ButtonBar.MakroClose();
    std::strcpy(ButtonBar.MakroPfad, Pfad("fit.MAK").c_str());
    ASSERT_EQ(ButtonBar.MakroReopen(), 1);
    static int iterationen;
    iterationen = 0;
    gespielt = {507};
    beimSchritt = [](int32_t befehl, LPARAM lParam) {
        if (befehl != 507) return;
        EXPECT_EQ(lParam, LP_PREPARED);
        // Each iteration posts the next as the fit does; the fourth finishes.
        if (++iterationen < 4) {
            HAUPTDATEN.FitZustand = 1;
            PostMessageA(HAUPTDATEN.Hauptfenster, WM_COMMAND, 507, LP_CONTINUE_FIT);
            PostMessageA(HAUPTDATEN.GrafikHandles[0], WM_COMMAND, 37, 0);
            PostMessageA(HAUPTDATEN.Hauptfenster, WM_COMMAND, 507, LP_CONTINUE_FIT);
        } else {
            HAUPTDATEN.FitZustand = -1;
        }
    };
    // The confidence limits after the fit are not built yet: declined.
    antwort = IDNO;
    EXPECT_EQ(ButtonBar.MakroRun(1, -1), 1);
    ASSERT_EQ(schritte.size(), 6u);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(schritte[i].befehl, 507);
    EXPECT_EQ(schritte[4].befehl, 22);
    EXPECT_EQ(schritte[5].befehl, 19);
    // Command 22 with the fit finished ended fit mode.
    EXPECT_EQ(HAUPTDATEN.FitZustand, 0);
    // None of the fit's posts is left; posts to other windows were kept.
    MSG m{};
    bool zurLeiste = false;
    while (PeekMessageA(&m, nullptr, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {
        EXPECT_NE(m.hwnd, HAUPTDATEN.Hauptfenster) << m.wParam;
        if (m.hwnd == grafik) {
            EXPECT_EQ(m.wParam, 37u);
        }
        zurLeiste = zurLeiste || (m.hwnd == ButtonBar.Fenster && m.wParam == 2004);
    }
    EXPECT_TRUE(zurLeiste);
}

TEST_F(Makro, AStepThatDoesNotFitStopsTheReplay)
{
    // Steps before the failing one keep their work; none after it runs.
    const char* const passtNicht = "Makro is not applicable to this file !!";
    const struct { const char* text; int32_t bisDahin; const char* meldung; } faelle[] = {
        // A number that no handler owns.
        {"Makro\n1,0\n2\n2\n1,1,0\n470,0\n2\n2\n1,1,0\n2,0\n2\n2\n1,1,0\n", 1, passtNicht},
        {"Makro\n1,0\n2\n2\n1,1,0\n65535\n2\n2\n1,1,0\n2,0\n2\n2\n1,1,0\n", 1, passtNicht},
        // A handler that refuses with 1000 (the watcher plays it for 2).
        {"Makro\n1,0\n2\n2\n1,1,0\n2,0\n2\n2\n1,1,0\n1,0\n2\n2\n1,1,0\n", 2, passtNicht},
        // A command this version does not have: the replay stops there and
        // says which step it could not run (the section after it never runs).
        {"Makro\n1,0\n2\n2\n1,1,0\n820,0\n2\n2\n1,1,0\n605,1,2,0\n2\n2\n1,1,0\n", 2,
         "Makro stopped at step 2: \"Set Points\" is not available in this version of Korlan."},
    };
    beimSchritt = [](int32_t befehl, LPARAM) {
        if (befehl == 2) FehlerCode = 1000;
    };
    for (const auto& f : faelle) {
        schritte.clear();
        boxen.clear();
        Schreibe("stop.MAK", f.text);
        std::strcpy(ButtonBar.MakroPfad, Pfad("stop.MAK").c_str());
        ASSERT_EQ(ButtonBar.MakroReopen(), 1);
        EXPECT_EQ(ButtonBar.MakroRun(1, -1), 0) << f.text;
        EXPECT_EQ(static_cast<int32_t>(schritte.size()), f.bisDahin) << f.text;
        ASSERT_EQ(boxen.size(), 1u);
        EXPECT_EQ(boxen[0].text, f.meldung);
        EXPECT_EQ(boxen[0].titel, "Error !!");
        EXPECT_EQ(FehlerCode, 0);
        EXPECT_EQ(MakroRunning, 0);
        EXPECT_EQ(HAUPTDATEN.MakroSchrittAktiv, 0);
        // The model line of the first record reached the window.
        EXPECT_EQ(GrafikFenster[0].AnzahlFunktionen, 1);
        ButtonBar.MakroClose();
    }
}

TEST_F(Makro, TheLargestModelThatFitsTheBlockIsPlayed)
{
    Schreibe("gross.MAK", "Makro\n1,0\n248\n248\n" + Gaussmodell(83) + "\n");
    std::strcpy(ButtonBar.MakroPfad, Pfad("gross.MAK").c_str());
    ASSERT_EQ(ButtonBar.MakroReopen(), 1);
    EXPECT_EQ(ButtonBar.MakroRun(1, -1), 1);
    EXPECT_TRUE(boxen.empty());
    EXPECT_EQ(GrafikFenster[0].AnzahlFunktionen, 83);
    EXPECT_EQ(MaxParameter, 248);
    ButtonBar.MakroClose();
}

TEST_F(Makro, DamagedFilesAreRefusedAndChangeNothing)
{
    const std::string gut = "1,0\n2\n2\n1,7,0\n";
    const struct { std::string text; const char* meldung; } faelle[] = {
        {"Makr\n" + gut, "No NUMERIC makro file !"},
        {"makro\n" + gut, "No NUMERIC makro file !"},
        {"", "No NUMERIC makro file !"},
        // The last record ends after its command line.
        {"Makro\n" + gut + "155,1,2,0\n2\n", "The makro file is damaged in line 7 !\r\nNothing was executed."},
        // Counts beyond the tables they fill.
        {"Makro\n" + gut + "1,0\n2\n2\n999999,1,0\n", "The makro file is damaged in line 9 !\r\nNothing was executed."},
        {"Makro\n" + gut + "1,0\n99999999\n2\n1,1,0\n", "The makro file is damaged in line 7 !\r\nNothing was executed."},
        {"Makro\n" + gut + "1,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15\n2\n2\n1,1,0\n",
         "The makro file is damaged in line 6 !\r\nNothing was executed."},
        // A model beyond the parameter block (250 parameters).
        {"Makro\n" + gut + "1,0\n249\n249\n" + Gaussmodell(84) + "\n",
         "The makro file is damaged in line 9 !\r\nNothing was executed."},
        // A field that is no number.
        {"Makro\n" + gut + "1,x\n2\n2\n1,1,0\n", "The makro file is damaged in line 6 !\r\nNothing was executed."},
    };
    FitZustandSetzen();
    HAUPTDATEN.DialogWerte[0] = 4.5;
    const Schritt vorher = Jetzt(0, 0);
    for (const auto& f : faelle) {
        boxen.clear();
        schritte.clear();
        Schreibe("kaputt.MAK", f.text);
        ButtonBar.MakroClose();
        ButtonBar.MakroDatei = std::fopen(Pfad("kaputt.MAK").c_str(), "r");
        ASSERT_NE(ButtonBar.MakroDatei, nullptr);
        EXPECT_EQ(ButtonBar.MakroRun(1, -1), 0) << f.text;
        EXPECT_TRUE(schritte.empty()) << f.text;
        ASSERT_EQ(boxen.size(), 1u) << f.text;
        EXPECT_EQ(boxen[0].text, f.meldung);
        EXPECT_EQ(boxen[0].titel, "Error !!");
        const Schritt nachher = Jetzt(0, 0);
        EXPECT_EQ(nachher.dialog, vorher.dialog);
        EXPECT_EQ(nachher.typen, vorher.typen);
        EXPECT_EQ(nachher.anzahl, vorher.anzahl);
        EXPECT_EQ(nachher.parameter, vorher.parameter);
        EXPECT_EQ(nachher.freie, vorher.freie);
        EXPECT_EQ(nachher.maxPar, vorher.maxPar);
        EXPECT_EQ(MakroRunning, 0);
    }
}

TEST_F(Makro, OpenAndReopenCheckTheFirstLine)
{
    Schreibe("gut.MAK", "Makro\r\n1,0\r\n2\r\n2\r\n1,1,0\r\n");
    Schreibe("falsch.MAK", "Macro\n1,0\n");
    dialogPfad = Pfad("gut.MAK");
    EXPECT_EQ(ButtonBar.MakroOpen(), 1);
    EXPECT_TRUE(dialogFlags & OFN_FILEMUSTEXIST);
    EXPECT_EQ(ButtonBar.MakroReopen(), 1);
    EXPECT_NE(ButtonBar.MakroDatei, nullptr);
    EXPECT_EQ(ButtonBar.MakroClose(), 1);
    EXPECT_TRUE(boxen.empty());

    dialogPfad = Pfad("falsch.MAK");
    EXPECT_EQ(ButtonBar.MakroOpen(), 0);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].text, "No NUMERIC makro file !");
    EXPECT_EQ(ButtonBar.MakroReopen(), 0);
    EXPECT_EQ(ButtonBar.MakroDatei, nullptr);
    EXPECT_EQ(boxen.size(), 2u);

    // Cancelled: no message; a path that is gone: no message either.
    boxen.clear();
    dialogPfad.clear();
    EXPECT_EQ(ButtonBar.MakroOpen(), 0);
    dialogPfad = Pfad("weg.MAK");
    EXPECT_EQ(ButtonBar.MakroOpen(), 0);
    EXPECT_TRUE(boxen.empty());

    // No graphic window: nothing is played.
    std::strcpy(ButtonBar.MakroPfad, Pfad("gut.MAK").c_str());
    ASSERT_EQ(ButtonBar.MakroReopen(), 1);
    HAUPTDATEN.GrafikHandles[0] = nullptr;
    EXPECT_EQ(ButtonBar.MakroRun(0, -1), 0);
    EXPECT_TRUE(schritte.empty());
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].text, "Makro is not applicable to this file !!");
}

TEST_F(Makro, RecordingIsOnOnlyWithAFileThatTakesTheRecords)
{
    // Cancelled dialog, then a folder that does not exist: recording stays
    // off and says so in the second case.
    dialogPfad.clear();
    Knopf(12);
    EXPECT_EQ(HAUPTDATEN.MakroAufnahme, 0);
    EXPECT_TRUE(boxen.empty());
    dialogPfad = Pfad("fehlt\\neu.MAK");
    Knopf(12);
    EXPECT_EQ(HAUPTDATEN.MakroAufnahme, 0);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].titel, "Error !!");
    EXPECT_EQ(ButtonBar.MakroRecord(1, 0, 0), 0);

    // An existing file is replaced and starts with "Makro".
    Schreibe("alt.MAK", "Makro\n1,0\n2\n2\n1,1,0\n");
    dialogPfad = Pfad("alt.MAK");
    Knopf(12);
    EXPECT_EQ(HAUPTDATEN.MakroAufnahme, 1);
    EXPECT_EQ(Lies("alt.MAK"), "Makro\n");
    // The record button looks pressed exactly while recording is on.
    EXPECT_EQ(KnopfBild(false, true, true, HAUPTDATEN.MakroAufnahme != 0, true), BILD_GEDRUECKT);
    EXPECT_EQ(KnopfBild(false, true, true, false, true), BILD_NORMAL);
    EXPECT_EQ(KnopfBild(false, true, true, false, false), BILD_GEDRUECKT);  // the click about to switch it on
    EXPECT_EQ(KnopfBild(true, true, true, false, true), BILD_GEDRUECKT);
    Knopf(12);
    EXPECT_EQ(HAUPTDATEN.MakroAufnahme, 0);
    EXPECT_EQ(KnopfBild(false, true, true, HAUPTDATEN.MakroAufnahme != 0, true), BILD_NORMAL);
}
