// The file commands and the graphic window in the running program: real
// spectra reopened from the autosave name, saved in every mode and read
// back; the reference-foil table; the real file dialogs answered by the
// test; stepping and combining in a graphic window.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "dialog_fixture.h"
#include "../shell/shell_fixture.h"
#include "resource_ids.h"
#include "shell/dispatcher.h"
#include "spectra/file_commands.h"
#include "spectra/ascii_file.h"
#include "spectra/file_commands_win.h"
#include "spectra/spectra_globals.h"
#include "xas/xas_commands_win.h"

namespace {

const char* const DATEN = KORLAN_TEST_DIR "/app/spectra/data/";

void Pumpe(int runden = 30)
{
    MSG m;
    for (int i = 0; i < runden; ++i) {
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        Sleep(2);
    }
}

// The next dialog of this thread ("#32770") is answered by `antwort`, once,
// from a timer inside its modal loop.
std::function<void(HWND)> antwort;
UINT_PTR antwortUhr = 0;
int nachlauf = 0;

BOOL CALLBACK FindeDialog(HWND h, LPARAM lp)
{
    char klasse[16] = "";
    GetClassNameA(h, klasse, sizeof klasse);
    if (std::strcmp(klasse, "#32770") == 0 && IsWindowVisible(h)) {
        *reinterpret_cast<HWND*>(lp) = h;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK AntwortTakt(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dlg = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindeDialog, reinterpret_cast<LPARAM>(&dlg));
    if (!dlg) {
        KillTimer(nullptr, antwortUhr);
        antwortUhr = 0;
        return;
    }
    if (!antwort) {
        // Answered, yet a dialog is still up (a complaint of the dialog):
        // close it so that the test fails instead of hanging.
        if (++nachlauf > 30) PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    nachlauf = 0;
    auto f = antwort;
    antwort = nullptr;
    f(dlg);
}

void Beantworte(std::function<void(HWND)> f)
{
    antwort = std::move(f);
    nachlauf = 0;
    if (antwortUhr) KillTimer(nullptr, antwortUhr);
    antwortUhr = SetTimer(nullptr, 0, 60, AntwortTakt);
}

// Types a path into the file dialog's name box and presses OK.
std::function<void(HWND)> Dateiname(std::string pfad)
{
    for (char& c : pfad)
        if (c == '/') c = '\\';
    return [pfad](HWND dlg) {
        // The name box (control 0x47c, a combo box or an edit) holds an edit.
        HWND name = GetDlgItem(dlg, 0x47c);
        if (!name) name = GetDlgItem(dlg, 0x480);
        HWND edit = name ? FindWindowExA(name, nullptr, "Edit", nullptr) : nullptr;
        if (!edit && name)
            if (HWND combo = FindWindowExA(name, nullptr, "ComboBox", nullptr))
                edit = FindWindowExA(combo, nullptr, "Edit", nullptr);
        SetWindowTextA(edit ? edit : name, pfad.c_str());
        PostMessageA(dlg, WM_COMMAND, IDOK, 0);
    };
}

struct Kurve {
    std::vector<double> x, y;
};

Kurve LiesDatei(const std::string& pfad)
{
    DateiInfo info;
    DateiInfoLeeren(&info);
    const std::string ordner = pfad.substr(0, pfad.find_last_of("\\/") + 1);
    std::snprintf(info.Ordner, sizeof info.Ordner, "%s", ordner.c_str());
    std::snprintf(info.DateiName, sizeof info.DateiName, "%s", pfad.substr(ordner.size()).c_str());
    SpektrumDaten d;
    int32_t fehler = 0;
    const int32_t n = LeseSpektrum(&info, &d, nullptr, nullptr, &fehler);
    Kurve k;
    if (n > 0) {
        k.x.assign(d.x.begin(), d.x.begin() + n);
        k.y.assign(d.y.begin(), d.y.begin() + n);
    }
    return k;
}

Kurve Fensterkurve(int w)
{
    grafik_fenster& g = GrafikFenster[w];
    const int32_t n = g.Punkte();
    Kurve k;
    k.x.assign(g.GetXFeld(-1), g.GetXFeld(-1) + n);
    k.y.assign(g.GetYFeld(-1), g.GetYFeld(-1) + n);
    return k;
}

::testing::AssertionResult Gleich(const Kurve& a, const Kurve& b, double rel)
{
    if (a.x.size() != b.x.size())
        return ::testing::AssertionFailure() << "points " << a.x.size() << " vs " << b.x.size();
    for (size_t i = 0; i < a.x.size(); ++i) {
        const double tx = rel * std::fabs(a.x[i]) + 1e-12, ty = rel * std::fabs(a.y[i]) + 1e-12;
        if (std::fabs(a.x[i] - b.x[i]) > tx || std::fabs(a.y[i] - b.y[i]) > ty)
            return ::testing::AssertionFailure() << "point " << i << ": " << a.x[i] << "," << a.y[i]
                                                 << " vs " << b.x[i] << "," << b.y[i];
    }
    return ::testing::AssertionSuccess();
}

INT_PTR KeineSpaltenWahl(HWND) { return 0; }

class DateiBefehle : public LaufendesProgramm {
protected:
    std::vector<char> text = std::vector<char>(COMMAND_TEXT_BYTES);

    void SetUp() override
    {
        LaufendesProgramm::SetUp();
        Pumpe(5);
        boxen.clear();
        antwort = IDOK;
        XasSpaltenWahl = KeineSpaltenWahl;
    }
    void TearDown() override
    {
        XasSpaltenWahl = CalcXasDialogOeffnen;
        SchliesseAlle();
        HAUPTDATEN.BinaerSpeichern = 1;
        LaufendesProgramm::TearDown();
    }
    void SchliesseAlle()
    {
        for (int i = 0; i < 4; ++i)
            if (HWND g = HAUPTDATEN.GrafikHandles[i]) {
                DestroyWindow(g);
                Pumpe(3);
            }
        EXPECT_EQ(AnzahlFenster, 0);
    }
    // Copies a file to the autosave name of window i and reopens it.
    int Wiederoeffnen(const std::string& quelle, int i)
    {
        EXPECT_TRUE(CopyFileA(quelle.c_str(), Pfad(("numsave" + std::to_string(i) + ".mes").c_str()).c_str(), FALSE));
        HAUPTDATEN.Befehl(CM_OPEN, LP_REOPEN_BACKUP0 + i);
        Pumpe();
        VergissUmrechnung();
        return AktivesFenster;
    }
    // A file of three or more columns is handed on to the XAS conversion
    // (843), whose column choice these tests cancel (KeineSpaltenWahl).
    void VergissUmrechnung()
    {
        for (size_t i = boxen.size(); i-- > 0;)
            if (boxen[i].text == "\"Calculate spectrum\" is not available in this version of Korlan.")
                boxen.erase(boxen.begin() + i);
    }
    void Setze(const std::string& s) { std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", s.c_str()); }
    // Copper chi(k) reopened in window 0, marked as weighted with k^2; its
    // window index.
    int GewichtetesChi()
    {
        const int w = Wiederoeffnen(std::string(DATEN) + "Copper.chik", 0);
        if (w < 0) return w;
        grafik_fenster& g = GrafikFenster[w];
        g.KurvenFlags[g.AktuellerSlot()] |= SLOT_K_GEWICHTET;
        g.KGewicht = 2.0;
        return w;
    }
};

TEST_F(DateiBefehle, RealSpectraReopenedAndSavedInEveryModeReadBackUnchanged)
{
    const char* dateien[] = {"cu.012", "cu_10k.xmu", "fe.060", "fe2o3_rt1.xmu", "cu_metal_rt.xdi",
                             "Copper.chik", "EMG003.txt"};
    for (const char* name : dateien) {
        SCOPED_TRACE(name);
        const std::string quelle = std::string(DATEN) + name;
        const Kurve original = LiesDatei(quelle);
        ASSERT_GT(original.x.size(), 10u);
        const int w = Wiederoeffnen(quelle, 0);
        ASSERT_GE(w, 0);
        ASSERT_NE(HAUPTDATEN.GrafikHandles[w], nullptr);
        EXPECT_TRUE(IsWindowVisible(HAUPTDATEN.GrafikHandles[w]));
        EXPECT_STREQ(GrafikFenster[w].DateiInfo.DateiName, "numsave0.mes");
        EXPECT_TRUE(Gleich(Fensterkurve(w), original, 0.0));

        // Binary and text without a dialog, then appended to a text file.
        HAUPTDATEN.BinaerSpeichern = 1;
        Setze(Pfad("bin.mes"));
        ASSERT_EQ(SpeichereDatei(&HAUPTDATEN, 11), 1);
        {
            const std::string b = Lies("bin.mes", true);
            ASSERT_GT(b.size(), 250u);
            int16_t wort[2];
            std::memcpy(wort, b.data(), sizeof wort);
            EXPECT_EQ(wort[0], 6666);
            EXPECT_EQ(wort[1], 9999);
            EXPECT_EQ(std::string(b.data() + 100), "numsave0.mes");
        }
        HAUPTDATEN.BinaerSpeichern = 0;
        Setze(Pfad("text.xan"));
        ASSERT_EQ(SpeichereDatei(&HAUPTDATEN, 11), 1);
        Schreibe("anhang.txt", "");
        Setze(Pfad("anhang.txt"));
        ASSERT_EQ(SpeichereDatei(&HAUPTDATEN, 13), 1);
        EXPECT_TRUE(boxen.empty()) << boxen[0].text;
        boxen.clear();

        const struct { const char* datei; double rel; } zurueck[] = {
            {"bin.mes", 1e-6}, {"text.xan", 1e-12}, {"anhang.txt", 1e-14}};
        for (const auto& z : zurueck) {
            SCOPED_TRACE(z.datei);
            const int v = Wiederoeffnen(Pfad(z.datei), 1);
            ASSERT_GE(v, 0);
            EXPECT_NE(v, w);
            EXPECT_TRUE(Gleich(Fensterkurve(v), original, z.rel));
            DestroyWindow(HAUPTDATEN.GrafikHandles[v]);
            Pumpe(3);
        }
        SchliesseAlle();
        boxen.clear();
    }
}

TEST_F(DateiBefehle, LongTextFilesKeepEveryRowThroughOpenSaveReopenAndOriginal)
{
    // 1,000 rows through the binary format, 40,000 (beyond the binary
    // header's count) through the text format.
    for (const int n : {1000, 40000}) {
        SCOPED_TRACE(n);
        std::string text = "# energy  mu\n";
        for (int i = 0; i < n; ++i)
            text += std::to_string(8000 + i) + " " + std::to_string(0.25 * i) + "\n";
        Schreibe("lang.txt", text);
        const int w = Wiederoeffnen(Pfad("lang.txt"), 0);
        ASSERT_GE(w, 0);
        ASSERT_EQ(GrafikFenster[w].Punkte(), n);
        EXPECT_EQ(GrafikFenster[w].GetYFeld(-1)[n - 1], 0.25 * (n - 1));
        HAUPTDATEN.BinaerSpeichern = n <= 32767 ? 1 : 0;
        Setze(Pfad("lang.mes"));
        ASSERT_EQ(SpeichereDatei(&HAUPTDATEN, 11), 1);
        HAUPTDATEN.BinaerSpeichern = 1;
        const int v = Wiederoeffnen(Pfad("lang.mes"), 1);
        ASSERT_GE(v, 0);
        ASSERT_EQ(GrafikFenster[v].Punkte(), n);
        FehlerCode = 0;
        SendMessageA(HAUPTDATEN.GrafikHandles[v], WM_COMMAND, 3, 0);  // Original
        EXPECT_EQ(FehlerCode, 0);
        ASSERT_EQ(GrafikFenster[v].Punkte(), n);
        EXPECT_EQ(GrafikFenster[v].GetXFeld(-1)[n - 1], 8000.0 + n - 1);
        EXPECT_EQ(GrafikFenster[v].GetYFeld(-1)[n - 1], 0.25 * (n - 1));
        EXPECT_TRUE(boxen.empty()) << boxen[0].text;
        SchliesseAlle();
        boxen.clear();
    }
}

TEST_F(DateiBefehle, AComplexCurveKeepsItsMarkAndE0ThroughTheTextSave)
{
    // A transform with its imaginary part, E0 = 8.979 keV, as the writer's
    // own header names them.
    std::string text = "40,4,8.979,0,0\n";
    for (int i = 0; i < 40; ++i)
        text += std::to_string(0.1 * i) + " " + std::to_string(std::cos(0.3 * i)) + " " +
                std::to_string(-std::sin(0.3 * i)) + "\n";
    Schreibe("ft.txt", text);
    const int w = Wiederoeffnen(Pfad("ft.txt"), 0);
    ASSERT_GE(w, 0);
    grafik_fenster& g = GrafikFenster[w];
    ASSERT_EQ(g.Punkte(), 40);
    ASSERT_TRUE(g.KurvenFlags[g.AktuellerSlot()] & SLOT_KOMPLEX);
    const std::vector<double> y(g.GetYFeld(-1), g.GetYFeld(-1) + 81);

    HAUPTDATEN.BinaerSpeichern = 0;
    Setze(Pfad("ft2.txt"));
    ASSERT_EQ(SpeichereDatei(&HAUPTDATEN, 11), 1);
    HAUPTDATEN.BinaerSpeichern = 1;
    const int v = Wiederoeffnen(Pfad("ft2.txt"), 1);
    ASSERT_GE(v, 0);
    grafik_fenster& h = GrafikFenster[v];
    ASSERT_EQ(h.Punkte(), 40);
    EXPECT_TRUE(h.KurvenFlags[h.AktuellerSlot()] & SLOT_KOMPLEX);
    EXPECT_DOUBLE_EQ(h.DateiInfo.Koeffizienten[0], 8.979);
    for (int i = 0; i < 81; ++i) EXPECT_NEAR(h.GetYFeld(-1)[i], y[i], 1e-9) << i;
    SchliesseAlle();
}

TEST_F(DateiBefehle, StatusFieldFollowsOpenAndTheLastClose)
{
    auto status = [] {
        char t[300] = "";
        GetWindowTextA(HAUPTDATEN.KindFenster[KIND_STATUS400], t, sizeof t);
        return std::string(t);
    };
    Schreibe("drei.txt", "# x y\n1 5\n2 -4\n3 7\n");
    const int w = Wiederoeffnen(Pfad("drei.txt"), 0);
    ASSERT_GE(w, 0);
    // Shown at once after Open, before any other command.
    EXPECT_EQ(status(), "   X :  1  to  3  |  Y :  -4  to  7  |  No :  3");
    DestroyWindow(HAUPTDATEN.GrafikHandles[w]);
    Pumpe(3);
    EXPECT_EQ(AnzahlFenster, 0);
    EXPECT_EQ(status(), "");
}

TEST_F(DateiBefehle, MultiColumnFileIsWrittenByThreeSaveCalls)
{
    const int n = 50;
    std::vector<double> x(n), y1(n), y2(n);
    for (int i = 0; i < n; ++i) {
        x[i] = 100.0 + i;
        y1[i] = 1.0 + i;
        y2[i] = -2.0 * i;
    }
    HAUPTDATEN.BinaerSpeichern = 1;
    DeleteFileA(Pfad("serie.mes").c_str());
    Setze(Pfad("serie.mes"));
    ASSERT_EQ(SpeichereDatei(&HAUPTDATEN, 11, 3, 1, 0, x.data(), y1.data(), n), 1);  // header
    HilfeThema = 100;
    ASSERT_EQ(SpeichereDatei(&HAUPTDATEN, 11, 3, 0, 0, x.data(), y1.data(), n), 1);  // x, first y
    EXPECT_EQ(HilfeThema, 0);
    HilfeThema = 100;
    ASSERT_EQ(SpeichereDatei(&HAUPTDATEN, 11, 3, 2, 0, x.data(), y2.data(), n), 1);  // next y
    std::vector<double> sx, sy;
    ASSERT_EQ(LeseBinaerSpalten(Pfad("serie.mes").c_str(), 1, 3, -1, &sx, &sy, nullptr), n);
    EXPECT_EQ(sx, x);
    EXPECT_EQ(sy, y2);
    ASSERT_EQ(LeseBinaerSpalten(Pfad("serie.mes").c_str(), 1, 2, -1, &sx, &sy, nullptr), n);
    EXPECT_EQ(sy, y1);
    EXPECT_TRUE(boxen.empty()) << boxen[0].text;
}

TEST_F(DateiBefehle, AFifthWindowIsRefused)
{
    const std::string quelle = std::string(DATEN) + "cu.012";
    for (int i = 0; i < 4; ++i) ASSERT_EQ(Wiederoeffnen(quelle, i), i);
    EXPECT_EQ(AnzahlFenster, 4);
    FehlerCode = 0;
    EXPECT_EQ(NeuesGrafikFenster(&HAUPTDATEN), 0);
    EXPECT_EQ(FehlerCode, 112);
    FehlerCode = 0;
    EXPECT_EQ(AnzahlFenster, 4);
    boxen.clear();
    HAUPTDATEN.Befehl(CM_OPEN, LP_REOPEN_BACKUP0);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].text, "Only four windows available at a time.");
    EXPECT_EQ(AnzahlFenster, 4);
    // A closed window frees its record for the next one.
    DestroyWindow(HAUPTDATEN.GrafikHandles[2]);
    Pumpe(3);
    EXPECT_EQ(AnzahlFenster, 3);
    EXPECT_EQ(Wiederoeffnen(quelle, 0), 2);
}

TEST_F(DateiBefehle, AutosaveModeAsksNothingAndKeepsTheWeighting)
{
    const int w = Wiederoeffnen(std::string(DATEN) + "Copper.chik", 0);
    ASSERT_GE(w, 0);
    grafik_fenster& g = GrafikFenster[w];
    g.KurvenFlags[g.AktuellerSlot()] |= SLOT_K_GEWICHTET | SLOT_NICHT_SPEICHERBAR;
    g.KGewicht = 2.0;
    const Kurve vorher = Fensterkurve(w);
    boxen.clear();
    Setze(Pfad("auto.mes"));
    ASSERT_EQ(SpeichereDatei(&HAUPTDATEN, 11), 1);
    EXPECT_TRUE(boxen.empty());
    EXPECT_TRUE(Gleich(Fensterkurve(w), vorher, 0.0));
    EXPECT_DOUBLE_EQ(g.KGewicht, 2.0);
    EXPECT_TRUE(g.KurvenFlags[g.AktuellerSlot()] & SLOT_K_GEWICHTET);
    EXPECT_TRUE(Gleich(LiesDatei(Pfad("auto.mes")), vorher, 1e-6));
}

TEST_F(DateiBefehle, AFailedWriteIsReportedAndLeavesTheOldFileWhole)
{
    const int w = Wiederoeffnen(std::string(DATEN) + "cu.012", 0);
    ASSERT_GE(w, 0);
    // No such folder: nothing written, a message, result 0.
    Setze(Pfad("fehlt\\x.mes"));
    EXPECT_EQ(SpeichereDatei(&HAUPTDATEN, 11), 0);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].titel, "ERROR !!");
    // A file held open by another reader cannot be replaced: it keeps its
    // contents and the failure is reported.
    Schreibe("gesperrt.mes", "old contents\n");
    HANDLE leser = CreateFileA(Pfad("gesperrt.mes").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(leser, INVALID_HANDLE_VALUE);
    boxen.clear();
    Setze(Pfad("gesperrt.mes"));
    EXPECT_EQ(SpeichereDatei(&HAUPTDATEN, 11), 0);
    EXPECT_EQ(boxen.size(), 1u);
    CloseHandle(leser);
    EXPECT_TRUE(Lies("gesperrt.mes", true) == "old contents\n");
    EXPECT_FALSE(Existiert("gesperrt.mes.~kn"));
    // Saving over the window's own file writes the whole curve.
    const Kurve vorher = Fensterkurve(w);
    Setze(Pfad("numsave0.mes"));
    EXPECT_EQ(SpeichereDatei(&HAUPTDATEN, 11), 1);
    EXPECT_TRUE(Gleich(LiesDatei(Pfad("numsave0.mes")), vorher, 1e-6));
}

TEST_F(DateiBefehle, ReferenceFoilTableGetsANewBlockForTheFifthFoilAndCutsAt1500Rows)
{
    auto kurve = [](int n, double start, std::vector<double>* x, std::vector<double>* y) {
        x->resize(n);
        y->resize(n);
        for (int i = 0; i < n; ++i) {
            (*x)[i] = start + 0.5 * i;
            (*y)[i] = 0.25 * i * i + 1.0 / 3.0;
        }
    };
    auto wert = [](double v) {
        char b[40];
        std::snprintf(b, sizeof b, "%.8G", v);
        return std::string(b);
    };
    std::vector<double> xs[5], ys[5];
    const int punkte[5] = {3, 5, 2, 4, 2000};
    for (int k = 0; k < 5; ++k) {
        kurve(punkte[k], 8979.0 + k, &xs[k], &ys[k]);
        Setze("foil" + std::to_string(k + 1));
        ASSERT_EQ(SpeichereDatei(&HAUPTDATEN, 109, 0, 0, 0, xs[k].data(), ys[k].data(), punkte[k]), 1);
    }
    EXPECT_TRUE(boxen.empty());
    // Built by the table's rule: four foils in the first block, the fifth
    // alone in a second block, 1500 rows each, "-1,-1" beyond a foil's end.
    std::string soll = "foil1,foil2,foil3,foil4\n";
    for (int i = 0; i < 1500; ++i) {
        for (int k = 0; k < 4; ++k) {
            if (k) soll += ",";
            soll += i < punkte[k] ? wert(xs[k][i]) + "," + wert(ys[k][i]) : "-1,-1";
        }
        soll += "\n";
    }
    soll += "foil5\n";
    for (int i = 0; i < 1500; ++i) soll += wert(xs[4][i]) + "," + wert(ys[4][i]) + "\n";
    const std::string ist = Lies("dexfoil.dat");
    EXPECT_EQ(ist.size(), soll.size());
    EXPECT_TRUE(ist == soll);
    // The backup holds the table before the last foil.
    const std::string bak = Lies("dexfoil.bak");
    EXPECT_EQ(bak, soll.substr(0, soll.find("foil5\n")));
}

TEST_F(DateiBefehle, TheRealDialogsOpenAndSave)
{
    const std::string quelle = std::string(DATEN) + "fe.060";
    Beantworte(Dateiname(quelle));
    HAUPTDATEN.Befehl(CM_OPEN, 0);
    Pumpe();
    VergissUmrechnung();
    EXPECT_TRUE(boxen.empty());
    const int w = AktivesFenster;
    ASSERT_GE(w, 0);
    ASSERT_NE(HAUPTDATEN.GrafikHandles[w], nullptr);
    EXPECT_STREQ(GrafikFenster[w].DateiInfo.DateiName, "fe.060");
    EXPECT_TRUE(Gleich(Fensterkurve(w), LiesDatei(quelle), 0.0));
    EXPECT_STREQ(HAUPTDATEN.DateiFilter, "*.060");

    // Save File (111) through the save dialog.
    HAUPTDATEN.BinaerSpeichern = 1;
    Beantworte(Dateiname(Pfad("gesichert.mes")));
    HAUPTDATEN.Befehl(111, 0);
    Pumpe(5);
    ASSERT_TRUE(Existiert("gesichert.mes"));
    EXPECT_TRUE(Gleich(LiesDatei(Pfad("gesichert.mes")), Fensterkurve(w), 1e-6));

    // Load (157): the file becomes the window's next curve.
    Beantworte(Dateiname(std::string(DATEN) + "cu.012"));
    HAUPTDATEN.Befehl(157, 0);
    Pumpe(5);
    EXPECT_EQ(GrafikFenster[w].KurvenZaehler, 1);
    EXPECT_TRUE(Gleich(Fensterkurve(w), LiesDatei(std::string(DATEN) + "cu.012"), 0.0));
    EXPECT_STREQ(GrafikFenster[w].DateiInfo.DateiName, "fe.060");

    // FileDialog of the analysis commands.
    char pfad[DATEI_NAME_PUFFER] = "", titel[DATEI_TITEL_PUFFER] = "";
    Beantworte(Dateiname(quelle));
    EXPECT_EQ(FileDialog(hwnd, pfad, titel, 100, 1), 1);
    EXPECT_STREQ(titel, "fe.060");
    EXPECT_EQ(std::string(pfad).find("fe.060") != std::string::npos, true);
    // Cancel gives 0 and no file.
    Beantworte([](HWND dlg) { PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(FileDialog(hwnd, pfad, titel, 200, 1), 0);
}

TEST_F(DateiBefehle, SaveDialogsAskAboutTheWeightingAndAppendAfterTheWarning)
{
    const int w = GewichtetesChi();
    ASSERT_GE(w, 0);
    grafik_fenster& g = GrafikFenster[w];
    const int32_t s = g.AktuellerSlot();
    const Kurve gewichtet = Fensterkurve(w);
    HAUPTDATEN.BinaerSpeichern = 0;

    // No: the weighted values are saved and the curve keeps its weighting.
    antwort = IDNO;
    boxen.clear();
    Beantworte(Dateiname(Pfad("nein.chi")));
    ASSERT_EQ(SpeichereDatei(&HAUPTDATEN, 1), 1);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].titel, "k weighting not saved with file!");
    EXPECT_TRUE(Gleich(LiesDatei(Pfad("nein.chi")), gewichtet, 1e-12));
    EXPECT_TRUE(g.KurvenFlags[s] & SLOT_K_GEWICHTET);

    // Yes: every y is divided by k squared before it is written.
    antwort = IDYES;
    Beantworte(Dateiname(Pfad("ja.chi")));
    ASSERT_EQ(SpeichereDatei(&HAUPTDATEN, 1), 1);
    Kurve ohne = gewichtet;
    for (size_t i = 0; i < ohne.x.size(); ++i)
        if (ohne.x[i] != 0.0) ohne.y[i] /= ohne.x[i] * ohne.x[i];
    // The text table keeps eleven significant digits.
    EXPECT_TRUE(Gleich(LiesDatei(Pfad("ja.chi")), ohne, 1e-10));
    EXPECT_FALSE(g.KurvenFlags[s] & SLOT_K_GEWICHTET);
    EXPECT_EQ(g.KGewicht, 0.0);

    // Append (mode 3) to an existing file after the warning; Cancel there
    // leaves the file as it was.
    Schreibe("ziel.txt", "");
    boxen.clear();
    antwort = IDCANCEL;
    Beantworte(Dateiname(Pfad("ziel.txt")));
    EXPECT_EQ(SpeichereDatei(&HAUPTDATEN, 3), 0);
    EXPECT_EQ(Lies("ziel.txt"), "");
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].titel, "Attention !!");
    antwort = IDOK;
    Beantworte(Dateiname(Pfad("ziel.txt")));
    ASSERT_EQ(SpeichereDatei(&HAUPTDATEN, 3), 1);
    EXPECT_TRUE(Gleich(LiesDatei(Pfad("ziel.txt")), Fensterkurve(w), 1e-14));

    // The results text (mode 2) is written as it stands.
    Setze("Results\r\n  a = 1\r\n");
    Beantworte(Dateiname(Pfad("fit.ERG")));
    ASSERT_EQ(SpeichereDatei(&HAUPTDATEN, 2), 1);
    EXPECT_TRUE(Lies("fit.ERG", true) == "Results\r\n  a = 1\r\n");
}

TEST_F(DateiBefehle, AsciiSaveAndAppendGoThroughTheSaveCommandsQuestions)
{
    const int w = GewichtetesChi();
    ASSERT_GE(w, 0);
    BringWindowToTop(HAUPTDATEN.GrafikHandles[w]);
    grafik_fenster& g = GrafikFenster[w];
    const int32_t s = g.AktuellerSlot();
    const Kurve gewichtet = Fensterkurve(w);

    // 622: the weighting question (No keeps it), then a text file even
    // though binary saving is on, which stays on.
    HAUPTDATEN.BinaerSpeichern = 1;
    antwort = IDNO;
    boxen.clear();
    Beantworte(Dateiname(Pfad("ascii.chi")));
    HAUPTDATEN.Befehl(622, 0);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].titel, "k weighting not saved with file!");
    EXPECT_EQ(HAUPTDATEN.BinaerSpeichern, 1);
    ASSERT_TRUE(Existiert("ascii.chi"));
    EXPECT_NE(Lies("ascii.chi", true).substr(0, 2), std::string("\x0a\x1a", 2));  // not binary (6666)
    EXPECT_TRUE(Gleich(LiesDatei(Pfad("ascii.chi")), gewichtet, 1e-10));
    g.KurvenFlags[s] &= ~SLOT_K_GEWICHTET;
    g.KurvenFlags[s] |= SLOT_NICHT_SPEICHERBAR;

    // 621 on a curve a file cannot hold: appends to an existing file after
    // the caution box and the warning; Cancel at the caution box writes
    // nothing.
    Schreibe("anhang.txt", "");
    antwort = IDCANCEL;
    boxen.clear();
    Beantworte(Dateiname(Pfad("anhang.txt")));
    HAUPTDATEN.Befehl(621, 0);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].titel, "Caution !!");
    EXPECT_EQ(Lies("anhang.txt"), "");
    antwort = IDOK;
    boxen.clear();
    Beantworte(Dateiname(Pfad("anhang.txt")));
    HAUPTDATEN.Befehl(621, 0);
    ASSERT_EQ(boxen.size(), 2u);
    EXPECT_EQ(boxen[1].titel, "Attention !!");
    EXPECT_TRUE(Gleich(LiesDatei(Pfad("anhang.txt")), gewichtet, 1e-14));
}

TEST_F(DateiBefehle, FeffChiFileAndFeffFolder)
{
    // 1111: "CHI.DAT" from the folder named in CommandText, no dialog and
    // no conversion afterwards.
    ASSERT_TRUE(CreateDirectoryA(Pfad("feff").c_str(), nullptr));
    const std::string quelle = std::string(DATEN) + "Copper.chik";
    ASSERT_TRUE(CopyFileA(quelle.c_str(), Pfad("feff\\CHI.DAT").c_str(), FALSE));
    Setze(Pfad("feff"));
    boxen.clear();
    HAUPTDATEN.Befehl(CM_OPEN, LP_FEFF_CHI);
    Pumpe();
    EXPECT_TRUE(boxen.empty());
    const int w = AktivesFenster;
    ASSERT_GE(w, 0);
    EXPECT_STREQ(GrafikFenster[w].DateiInfo.DateiName, "CHI.DAT");
    EXPECT_TRUE(Gleich(Fensterkurve(w), LiesDatei(quelle), 0.0));

    // Kind 8 remembers the folder of the chosen path file.
    Schreibe("feffdir.ini", Pfad("feff") + "\\feff.inp\n");
    HAUPTDATEN.FeffOrdner[0] = '\0';
    char pfad[DATEI_NAME_PUFFER] = "", titel[DATEI_TITEL_PUFFER] = "";
    Beantworte(Dateiname(Pfad("feff\\CHI.DAT")));
    ASSERT_EQ(FileDialog(hwnd, pfad, titel, 8, 1), 1);
    EXPECT_EQ(_stricmp(HAUPTDATEN.FeffOrdner, Pfad("feff").c_str()), 0) << HAUPTDATEN.FeffOrdner;
    DeleteFileA(Pfad("feff\\CHI.DAT").c_str());
    RemoveDirectoryA(Pfad("feff").c_str());
}

TEST_F(DateiBefehle, StepsStayInsideTheRing)
{
    const int w = Wiederoeffnen(std::string(DATEN) + "cu.012", 0);
    ASSERT_GE(w, 0);
    HWND h = HAUPTDATEN.GrafikHandles[w];
    grafik_fenster& g = GrafikFenster[w];
    SendMessageA(h, WM_COMMAND, 3, 0);  // Original into a new slot
    EXPECT_EQ(g.KurvenZaehler, 1);
    EXPECT_EQ(g.NeuesterZaehler, 1);
    const struct { int befehl; int zaehler; } schritte[] = {{1, 1}, {2, 0}, {2, 0}, {1, 1}, {1, 1}};
    for (const auto& s : schritte) {
        SendMessageA(h, WM_COMMAND, s.befehl, 0);
        EXPECT_EQ(g.KurvenZaehler, s.zaehler) << s.befehl;
    }
    // Four more curves: Previous stops where the ring has overwritten them.
    for (int i = 0; i < 4; ++i) SendMessageA(h, WM_COMMAND, 3, 0);
    EXPECT_EQ(g.KurvenZaehler, 5);
    for (int i = 0; i < 5; ++i) SendMessageA(h, WM_COMMAND, 2, 0);
    EXPECT_EQ(g.KurvenZaehler, 2);
}

TEST_F(DateiBefehle, CombineShiftsOnlyTheDrawing)
{
    const int w = Wiederoeffnen(std::string(DATEN) + "cu.012", 0);
    ASSERT_EQ(w, 0);
    HWND h = HAUPTDATEN.GrafikHandles[w];
    grafik_fenster& g = GrafikFenster[w];
    SendMessageA(h, WM_COMMAND, 3, 0);
    const Kurve vorher = Fensterkurve(w);
    double ymin = 0, ymax = 0;
    g.GetMinMax(&ymin, &ymax, 0, 0, 1);

    // One curve only: the dialog refuses, nothing changes.
    Beantworte([](HWND dlg) { PostMessageA(dlg, WM_COMMAND, IDOK, 0); });
    SendMessageA(h, WM_COMMAND, 5, 0);
    EXPECT_EQ(g.Kombinieren, 0);
    EXPECT_FALSE(std::isnan(g.KombiVersatz[0]));

    // Slots 0 and 1 with medium displacement.
    Beantworte([](HWND dlg) {
        Kreuze(IDC_WIN_SLOT + 0)(dlg);
        Kreuze(IDC_COMB_MEDIUM)(dlg);
        PostMessageA(dlg, WM_COMMAND, IDOK, 0);
    });
    SendMessageA(h, WM_COMMAND, 5, 0);
    ASSERT_EQ(g.Kombinieren, 1);
    EXPECT_EQ(g.KombiModus, 12);
    EXPECT_EQ(g.KombiAnzahl, 2);
    EXPECT_NEAR(g.KombiVersatz[0], 0.8 * (ymax - ymin), 1e-9 * std::fabs(ymax - ymin));
    Pumpe(5);
    EXPECT_TRUE(Gleich(Fensterkurve(w), vorher, 0.0));
    // Saving mid-combine writes the stored values.
    Setze(Pfad("kombi.mes"));
    ASSERT_EQ(SpeichereDatei(&HAUPTDATEN, 11), 1);
    EXPECT_TRUE(Gleich(LiesDatei(Pfad("kombi.mes")), vorher, 1e-6));
    SendMessageA(h, WM_COMMAND, 5, 0);
    EXPECT_EQ(g.Kombinieren, 0);
    EXPECT_EQ(g.KombiAnzahl, 0);
    EXPECT_EQ(g.KombiVersatz[0], 0.0);
    EXPECT_TRUE(Gleich(Fensterkurve(w), vorher, 0.0));
}

TEST_F(DateiBefehle, StyleTogglesAndShowAll)
{
    const int w = Wiederoeffnen(std::string(DATEN) + "cu.012", 0);
    ASSERT_GE(w, 0);
    HWND h = HAUPTDATEN.GrafikHandles[w];
    PAINTINFO& p = GrafikFenster[w].Paintinfo;
    const int grid = p.ShowGrid, stil = p.PlotStyle;
    SendMessageA(h, WM_COMMAND, 1008, 0);
    EXPECT_EQ(p.ShowGrid, !grid);
    EXPECT_EQ(GrafikFenster[w].BereichNeu, 1);
    SendMessageA(h, WM_COMMAND, 1002, 0);
    EXPECT_EQ(p.PlotStyle, stil ^ 2);
    SendMessageA(h, WM_COMMAND, 1006, 0);
    EXPECT_EQ(p.AxisWidth, 2);
    EXPECT_EQ(p.FrameWidth, 2);
    SendMessageA(h, WM_COMMAND, 4, 0);
    EXPECT_EQ(GrafikFenster[w].Multiplot, 1);
    // The popup menu marks Combine while combining and greys Zoom for an
    // EXAFS model on show.
    HMENU wurzel = LoadMenuA(GetModuleHandleA(nullptr), "PaintPopup");
    ASSERT_NE(wurzel, nullptr);
    HMENU popup = GetSubMenu(wurzel, 0);
    ASSERT_NE(popup, nullptr);
    grafik_fenster& g = GrafikFenster[w];
    g.Kombinieren = 1;
    g.ZeigeFunktion = 1;
    g.FunktionsTypen[0] = 25;
    SendMessageA(h, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    EXPECT_TRUE(GetMenuState(popup, 5, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(GetMenuState(popup, 616, MF_BYCOMMAND) & MF_GRAYED);
    g.Kombinieren = 0;
    g.FunktionsTypen[0] = 1;
    SendMessageA(h, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    EXPECT_FALSE(GetMenuState(popup, 5, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(GetMenuState(popup, 616, MF_BYCOMMAND) & MF_GRAYED);
    g.ZeigeFunktion = 0;
    DestroyMenu(wurzel);

    // Print without a default printer says so.
    char drucker[400] = "";
    GetProfileStringA("windows", "device", "", drucker, sizeof drucker);
    WriteProfileStringA("windows", "device", "");
    boxen.clear();
    SendMessageA(h, WM_COMMAND, 122, 0);
    WriteProfileStringA("windows", "device", drucker[0] ? drucker : nullptr);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].text, "No printer installed !");
}

}  // namespace
