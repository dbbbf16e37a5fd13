// The data-command dialogs opened on their real templates and answered as a
// user would: what they show, what they leave in DialogWerte and the
// records, and that wrong entries keep them open.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "dialog_fixture.h"
#include "resource_ids.h"
#include "shell/help_viewer.h"
#include "spectra/data_dialogs.h"
#include "spectra/data_dialogs_win.h"
#include "spectra/spectra_globals.h"

namespace {

const double* DW()
{
    return HAUPTDATEN.DialogWerte;
}

// Counts that the dialog was still open after a refused entry (steps only
// run while a dialog is up; a dialog that closed leaves steps unrun).
Schritt NochOffen(size_t* anzahl)
{
    return [anzahl](HWND dlg) {
        EXPECT_TRUE(IsWindowVisible(dlg));
        ++*anzahl;
    };
}

}  // namespace

class DatenDialoge : public DialogFixture {};

// Every template opens, centres itself and ends by Cancel without touching
// DialogWerte; Cancel gives 0 (COPYFELD -1, USERSTYLE 1 as it always does).
TEST_F(DatenDialoge, EveryDialogOpensCentredAndCancelLeavesValues)
{
    OeffneFenster(0, "sample.mes", 3, 1);
    AktivesFenster = 0;
    HAUPTDATEN.AlsMetafile = 1;
    HAUPTDATEN.KopierGroesse = 1;
    struct Fall {
        const char* name;
        DLGPROC proc;
        INT_PTR abbruch;
    } faelle[] = {
        {"COPYFELD", CopyFeldProc, -1},
        {"TAKEFELD", TakeFeldProc, 0},
        {"FUNCFELD", FuncFeldProc, 0},
        {"GET_FILE_INFORMATION", GetFileInformationProc, 0},
        {"SPEKTRENSHIFT", SpektrenShiftProc, 0},
        {"ABZISSENSHIFT", AbzissenShiftProc, 0},
        {"NOISEGENERATOR", NoiseGeneratorProc, 0},
        {"COMBINE_GRAFIK", CombineGrafikDlgProc, 0},
        {"USERSTYLE", UserStyleProc, 1},
        {"CLIPBOARDFORMAT", ClipboardFormatProc, 0},
    };
    HDC dc = GetDC(nullptr);
    const int breite = GetDeviceCaps(dc, HORZRES), hoehe = GetDeviceCaps(dc, VERTRES);
    ReleaseDC(nullptr, dc);
    for (const Fall& f : faelle) {
        MarkiereWerte();
        const int32_t listeVorher = GrafikFenster[0].MultiplotListe[0];
        const INT_PTR r = OeffneDialog(f.name, f.proc, {
            Pruefe([&](HWND dlg) {
                RECT rc;
                GetWindowRect(dlg, &rc);
                EXPECT_EQ(rc.left, breite / 2 - (rc.right - rc.left) / 2) << f.name;
                EXPECT_EQ(rc.top, hoehe / 2 - (rc.bottom - rc.top) / 2) << f.name;
                EXPECT_TRUE(IsWindowVisible(dlg)) << f.name;
            }),
            Klick(IDCANCEL),
        });
        EXPECT_EQ(r, f.abbruch) << f.name;
        EXPECT_TRUE(WerteUnveraendert()) << f.name;
        EXPECT_EQ(GrafikFenster[0].MultiplotListe[0], listeVorher) << f.name;
        EXPECT_EQ(HAUPTDATEN.AlsMetafile, 1) << f.name;
        EXPECT_EQ(HAUPTDATEN.KopierGroesse, 1) << f.name;
    }
    EXPECT_TRUE(meldungen.empty());
}

// Each help button shows its dialog's topic of the shipped help file in the
// help viewer and leaves HilfeThema as it was.
TEST_F(DatenDialoge, HelpShowsTheDialogsTopicAndRestoresHilfeThema)
{
    OeffneFenster(0, "a.mes", 0, 0);
    AktivesFenster = 0;
    char ordner[] = KORLAN_TEST_DIR "/../app/resources/program";
    char* alterOrdner = HAUPTDATEN.ProgrammOrdner;
    HAUPTDATEN.ProgrammOrdner = ordner;
    const int32_t alteSprache = HAUPTDATEN.HilfeDeutsch;
    HAUPTDATEN.HilfeDeutsch = 0;
    struct Fall {
        const char* name;
        DLGPROC proc;
    } faelle[] = {
        {"COPYFELD", CopyFeldProc},
        {"TAKEFELD", TakeFeldProc},
        {"FUNCFELD", FuncFeldProc},
        {"GET_FILE_INFORMATION", GetFileInformationProc},
        {"SPEKTRENSHIFT", SpektrenShiftProc},
        {"ABZISSENSHIFT", AbzissenShiftProc},
        {"NOISEGENERATOR", NoiseGeneratorProc},
        {"COMBINE_GRAFIK", CombineGrafikDlgProc},
        {"USERSTYLE", UserStyleProc},
        {"CLIPBOARDFORMAT", ClipboardFormatProc},
    };
    for (const Fall& f : faelle) {
        HilfeThema = 77;
        std::string gezeigt;
        int32_t themaOffen = -1;
        OeffneDialog(f.name, f.proc,
                     {Klick(IDC_DLG_HELP), Pruefe([&](HWND hilfe) {
                          gezeigt = TextVon(hilfe, IDC_HELP_TEXT);
                          themaOffen = HilfeThema;
                      }),
                      Klick(IDOK), Klick(IDCANCEL)});
        const int32_t thema = HilfeThemaVon(f.name);
        EXPECT_EQ(themaOffen, thema) << f.name;
        std::FILE* datei = std::fopen(KORLAN_TEST_DIR "/../app/resources/program/n_engl.hlp", "rt");
        ASSERT_NE(datei, nullptr);
        std::vector<char> text(COMMAND_TEXT_BYTES);
        EXPECT_TRUE(HilfeThemaLesen(datei, thema, text.data(), text.size())) << f.name;
        std::fclose(datei);
        EXPECT_GT(gezeigt.size(), 40u) << f.name;
        EXPECT_EQ(gezeigt, text.data()) << f.name;
        EXPECT_EQ(HilfeThema, 77) << f.name;
    }
    EXPECT_TRUE(meldungen.empty());
    HAUPTDATEN.ProgrammOrdner = alterOrdner;
    HAUPTDATEN.HilfeDeutsch = alteSprache;
}

TEST_F(DatenDialoge, CopyOffersTheSlotsOfOpenWindows)
{
    OeffneFenster(0, "first.mes", 2, 1);  // slots 0-2, slot 1 current
    OeffneFenster(2, "third.mes", 7, 3);  // all four slots
    AktivesFenster = 0;
    const INT_PTR r = OeffneDialog("COPYFELD", CopyFeldProc, {
        Pruefe([](HWND dlg) {
            EXPECT_EQ(TextVon(dlg, IDC_WIN_GROUP), "first.mes");
            EXPECT_EQ(TextVon(dlg, IDC_WIN_GROUP + 20), "third.mes");
            EXPECT_FALSE(Sichtbar(dlg, IDC_WIN_GROUP + 10));
            EXPECT_FALSE(Sichtbar(dlg, IDC_WIN_SLOT + 10));
            EXPECT_FALSE(Sichtbar(dlg, IDC_WIN_GROUP + 30));
            EXPECT_TRUE(Sichtbar(dlg, IDC_WIN_SLOT + 2));
            EXPECT_FALSE(Sichtbar(dlg, IDC_WIN_SLOT + 3));
            EXPECT_TRUE(Sichtbar(dlg, IDC_WIN_SLOT + 23));
            EXPECT_FALSE(Aktiv(dlg, IDC_WIN_SLOT + 1));  // the source itself
            EXPECT_TRUE(Aktiv(dlg, IDC_WIN_SLOT + 0));
        }),
        Kreuze(IDC_WIN_SLOT + 0),
        Kreuze(IDC_WIN_SLOT + 22),
        Pruefe([](HWND dlg) { EXPECT_FALSE(Gecheckt(dlg, IDC_WIN_SLOT + 0)); }),
        Klick(IDOK),
    });
    EXPECT_EQ(r, 22);
    EXPECT_TRUE(WerteUnveraendert());

    EXPECT_EQ(OeffneDialog("COPYFELD", CopyFeldProc, {Klick(IDOK)}), -1);
}

TEST_F(DatenDialoge, PasteAsksBordersAndASlot)
{
    OeffneFenster(1, "b.mes", 2, 2);
    AktivesFenster = 1;
    GrafikFenster[1].Grenzen[0] = 9123.456789;  // upper
    GrafikFenster[1].Grenzen[1] = 8900.5;       // lower
    size_t offen = 0;
    const INT_PTR r = OeffneDialog("TAKEFELD", TakeFeldProc, {
        Pruefe([](HWND dlg) {
            EXPECT_EQ(TextVon(dlg, IDC_TAKE_FROM), "8900.5");
            EXPECT_EQ(TextVon(dlg, IDC_TAKE_TO), "9123.4568");
            EXPECT_FALSE(Aktiv(dlg, IDC_TAKE_SLOT + 2));
            EXPECT_FALSE(Sichtbar(dlg, IDC_TAKE_SLOT + 3));
            // Focus is only observable while the dialog is the active
            // window; test programs running side by side take turns at it.
            if (GetActiveWindow() == dlg) {
                EXPECT_EQ(GetFocus(), GetDlgItem(dlg, IDC_TAKE_FROM));
            }
        }),
        Klick(IDOK),  // no graph chosen
        NochOffen(&offen),
        Kreuze(IDC_TAKE_SLOT + 1),
        Text(IDC_TAKE_TO, "9000,5"),
        Klick(IDOK),
        NochOffen(&offen),
        Text(IDC_TAKE_TO, " 9000.5 "),
        Klick(IDOK),
    });
    EXPECT_EQ(offen, 2u);
    ASSERT_EQ(meldungen.size(), 2u);
    EXPECT_NE(meldungen[0].text.find("graph"), std::string::npos);
    EXPECT_NE(meldungen[1].text.find("9000,5"), std::string::npos);
    EXPECT_EQ(r, 2);
    EXPECT_EQ(DW()[1], 8900.5);
    EXPECT_EQ(DW()[2], 9000.5);
    EXPECT_EQ(DW()[0], 100.0);

    const INT_PTR original = OeffneDialog("TAKEFELD", TakeFeldProc, {Kreuze(IDC_TAKE_ORIGINAL), Klick(IDOK)});
    EXPECT_EQ(original, 11);
}

TEST_F(DatenDialoge, FunctionToArrayChecksPointsAndFunctionNumber)
{
    OeffneFenster(0, "f.mes", 0, 0);
    AktivesFenster = 0;
    int32_t typen[3] = {1, 2, 3};
    GrafikFenster[0].AnzahlFunktionen = 3;
    GrafikFenster[0].FunktionsTypen = typen;
    GrafikFenster[0].DateiInfo.PunkteProKurve[0] = 250;
    FitFunctionCount = 0;
    size_t offen = 0;
    const INT_PTR r = OeffneDialog("FUNCFELD", FuncFeldProc, {
        Pruefe([](HWND dlg) {
            EXPECT_EQ(FitFunctionCount, 3);  // model loaded from the window
            EXPECT_EQ(TextVon(dlg, IDC_FUNC_POINTS), "250");
            EXPECT_TRUE(Aktiv(dlg, IDC_FUNC_POINTS));
            EXPECT_TRUE(Aktiv(dlg, IDC_FUNC_SINGLE));
            EXPECT_FALSE(Sichtbar(dlg, IDC_FUNC_NUMBER));
        }),
        Kreuze(IDC_FUNC_SINGLE),
        Pruefe([](HWND dlg) { EXPECT_TRUE(Sichtbar(dlg, IDC_FUNC_NUMBER)); }),
        Text(IDC_FUNC_NUMBER, "4"),
        Klick(IDOK),
        NochOffen(&offen),
        Text(IDC_FUNC_NUMBER, "2"),
        Text(IDC_FUNC_POINTS, "1"),
        Klick(IDOK),
        NochOffen(&offen),
        Text(IDC_FUNC_POINTS, "100"),
        Klick(IDOK),
    });
    EXPECT_EQ(offen, 2u);
    EXPECT_EQ(meldungen.size(), 2u);
    EXPECT_EQ(r, 100);
    EXPECT_EQ(DW()[0], 100.0);
    EXPECT_EQ(DW()[1], 2.0);
    EXPECT_EQ(DW()[2], 102.0);

    // All functions: -1. An EXAFS path model fixes the points; one function
    // offers no single choice.
    MarkiereWerte();
    int32_t exafs[1] = {21};
    GrafikFenster[0].AnzahlFunktionen = 1;
    GrafikFenster[0].FunktionsTypen = exafs;
    const INT_PTR alle = OeffneDialog("FUNCFELD", FuncFeldProc, {
        Pruefe([](HWND dlg) {
            EXPECT_FALSE(Aktiv(dlg, IDC_FUNC_POINTS));
            EXPECT_FALSE(Aktiv(dlg, IDC_FUNC_SINGLE));
        }),
        Klick(IDOK),
    });
    EXPECT_EQ(alle, 250);
    EXPECT_EQ(DW()[1], -1.0);
}

TEST_F(DatenDialoge, FileInformationShowsTheFileAndSetsColumns)
{
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    const std::string ordner = temp;
    const std::string datei = "korlan_info.dat";
    {
        std::ofstream f(ordner + datei, std::ios::binary);
        f << "# dispersive scan\r\n# E I0 I1 I2 I3\r\n";
        for (int i = 0; i < 40; ++i) f << 7000 + i << " 1 2 3 4\r\n";
    }
    OeffneFenster(2, datei.c_str(), 0, 0);
    AktivesFenster = 2;
    DateiInfo& di = GrafikFenster[2].DateiInfo;
    std::strncpy(di.Ordner, ordner.c_str(), sizeof di.Ordner - 1);
    di.DateiGroesse = 1234;
    di.Punkte = 40;
    di.Kopfzeilen = 2;
    di.Spalten = 5;
    di.XSpalten[0] = 2; di.XSpalten[1] = 1; di.XSpalten[2] = 3;
    di.AlleSpalten[0] = 5;
    for (int c = 1; c <= 5; ++c) di.AlleSpalten[c] = c;
    di.XSpalte = 1;
    di.YSpalte = 3;
    const INT_PTR r = OeffneDialog("GET_FILE_INFORMATION", GetFileInformationProc, {
        Pruefe([&](HWND dlg) {
            char titel[300];
            GetWindowTextA(dlg, titel, sizeof titel);
            EXPECT_EQ(std::string(titel), "File Information  - " + datei);
            EXPECT_EQ(TextVon(dlg, IDC_INFO_SIZE), "1234 Byte");
            EXPECT_EQ(TextVon(dlg, IDC_INFO_POINTS), "40");
            EXPECT_EQ(TextVon(dlg, IDC_INFO_XCOLUMNS), "2");
            EXPECT_EQ(TextVon(dlg, IDC_INFO_YCOLUMNS), "5");
            EXPECT_EQ(SendDlgItemMessageA(dlg, IDC_INFO_XCOMBO, CB_GETCOUNT, 0, 0), 2);
            EXPECT_EQ(SendDlgItemMessageA(dlg, IDC_INFO_YCOMBO, CB_GETCURSEL, 0, 0), 2);
            char eintrag[64] = "";
            SendDlgItemMessageA(dlg, IDC_INFO_XCOMBO, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(eintrag));
            EXPECT_STREQ(eintrag, "3. Column");
            const std::string vorschau = TextVon(dlg, IDC_INFO_PREVIEW);
            EXPECT_EQ(vorschau.substr(0, 38), "# dispersive scan\r\n# E I0 I1 I2 I3\r\n70");
            int zeilen = 0;
            for (size_t p = vorschau.find("\r\n"); p != std::string::npos; p = vorschau.find("\r\n", p + 2)) ++zeilen;
            EXPECT_EQ(zeilen, 2 + 15);
            EXPECT_TRUE(Sichtbar(dlg, IDC_INFO_SAMPLE));
            EXPECT_TRUE(Gecheckt(dlg, IDC_INFO_NONE));
        }),
        Waehle(IDC_INFO_XCOMBO, 1),
        Waehle(IDC_INFO_YCOMBO, 4),
        Kreuze(IDC_INFO_SAMPLE),
        Klick(IDOK),
    });
    std::remove((ordner + datei).c_str());
    EXPECT_EQ(r, 1);
    EXPECT_EQ(di.XSpalte, 3);
    EXPECT_EQ(di.YSpalte, 5);
    EXPECT_EQ(DW()[1], 1.0);

    // Three y columns: no DXAS choice, DW[1] = 0.
    di.AlleSpalten[0] = 3;
    const INT_PTR r2 = OeffneDialog("GET_FILE_INFORMATION", GetFileInformationProc, {
        Pruefe([](HWND dlg) {
            EXPECT_FALSE(Sichtbar(dlg, IDC_INFO_DXAS_GROUP));
            EXPECT_FALSE(Sichtbar(dlg, IDC_INFO_INTERPOLATION));
            EXPECT_EQ(TextVon(dlg, IDC_INFO_PREVIEW), "");  // the file is gone
        }),
        Klick(IDOK),
    });
    EXPECT_EQ(r2, 1);
    EXPECT_EQ(DW()[1], 0.0);
}

namespace {
struct Anwendung {
    int32_t befehl, fenster;
    double dw[14];
};
std::vector<Anwendung> anwendungen;
void MerkeAnwendung(int32_t befehl, int32_t fenster)
{
    Anwendung a{befehl, fenster, {}};
    std::memcpy(a.dw, HAUPTDATEN.DialogWerte, sizeof a.dw);
    anwendungen.push_back(a);
}
}  // namespace

TEST_F(DatenDialoge, ModifyOrdinateCollectsBothOperations)
{
    OeffneFenster(0, "o.mes", 1, 1);
    AktivesFenster = 0;
    DateiInfo& di = GrafikFenster[0].DateiInfo;
    di.AlleSpalten[0] = 3;
    for (int c = 1; c <= 3; ++c) di.AlleSpalten[c] = c;
    size_t offen = 0;
    const INT_PTR r = OeffneDialog("SPEKTRENSHIFT", SpektrenShiftProc, {
        Pruefe([](HWND dlg) {
            EXPECT_EQ(TextVon(dlg, IDC_SHIFT_FACTOR), "1");
            EXPECT_EQ(TextVon(dlg, IDC_SHIFT_CONSTANT), "0");
            EXPECT_EQ(SendDlgItemMessageA(dlg, IDC_SHIFT_FUNCTION, CB_GETCOUNT, 0, 0), 8);
            // none, three columns, two graphs
            EXPECT_EQ(SendDlgItemMessageA(dlg, IDC_SHIFT_OPERAND, CB_GETCOUNT, 0, 0), 6);
            char eintrag[64] = "";
            SendDlgItemMessageA(dlg, IDC_SHIFT_OPERAND, CB_GETLBTEXT, 5, reinterpret_cast<LPARAM>(eintrag));
            EXPECT_STREQ(eintrag, "2. Graph");
            EXPECT_TRUE(Gecheckt(dlg, IDC_SHIFT_PLUS));
            EXPECT_FALSE(Aktiv(dlg, IDC_DLG_APPLY));  // nothing to apply with
        }),
        Text(IDC_SHIFT_FACTOR, "2.5"),
        Text(IDC_SHIFT_CONSTANT, "-1"),
        Waehle(IDC_SHIFT_FUNCTION, 2),
        Waehle(IDC_SHIFT_OPERAND, 4),
        Kreuze(IDC_SHIFT_PLUS + 1),
        Text(IDC_SHIFT_FACTOR2, "3x"),
        Waehle(IDC_SHIFT_FUNCTION2, 7),
        Klick(IDOK),
        NochOffen(&offen),
        Text(IDC_SHIFT_FACTOR2, "3"),
        Text(IDC_SHIFT_CONSTANT2, "0.5"),
        Klick(IDOK),
    });
    EXPECT_EQ(offen, 1u);
    EXPECT_EQ(meldungen.size(), 1u);
    EXPECT_EQ(r, 222);
    const double erwartet[8] = {222, 2.5, -1, 2, 101, 3, 0.5, 227};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(DW()[i], erwartet[i]) << i;
    EXPECT_EQ(DW()[8], 108.0);

    // The model function as operand hides the operand list; the external
    // function hides the function choice too.
    const INT_PTR modell = OeffneDialog("SPEKTRENSHIFT", SpektrenShiftProc, {
        Kreuze(IDC_SHIFT_MODEL),
        Pruefe([](HWND dlg) { EXPECT_FALSE(Sichtbar(dlg, IDC_SHIFT_OPERAND)); }),
        Klick(IDOK),
    });
    EXPECT_EQ(modell, 220);
    EXPECT_EQ(DW()[4], 1000.0);
    const INT_PTR extern_ = OeffneDialog("SPEKTRENSHIFT", SpektrenShiftProc, {
        Kreuze(IDC_SHIFT_EXTERNAL),
        Pruefe([](HWND dlg) {
            EXPECT_FALSE(Sichtbar(dlg, IDC_SHIFT_FUNCTION));
            EXPECT_FALSE(Sichtbar(dlg, IDC_SHIFT_MODEL));
        }),
        Kreuze(IDC_SHIFT_EXTERNAL, false),
        Pruefe([](HWND dlg) {
            EXPECT_TRUE(Sichtbar(dlg, IDC_SHIFT_FUNCTION));
            EXPECT_TRUE(Sichtbar(dlg, IDC_SHIFT_OPERAND));
        }),
        Kreuze(IDC_SHIFT_EXTERNAL),
        Klick(IDOK),
    });
    EXPECT_EQ(extern_, 220);
    EXPECT_EQ(DW()[4], -1.0);
}

TEST_F(DatenDialoge, ApplyRunsTheHookAndKeepsTheDialogOpen)
{
    OeffneFenster(3, "apply.mes", 0, 0);
    AktivesFenster = 3;
    anwendungen.clear();
    DatenAnwenden = MerkeAnwendung;
    const INT_PTR r = OeffneDialog("SPEKTRENSHIFT", SpektrenShiftProc, {
        Text(IDC_SHIFT_FACTOR, "4"),
        Waehle(IDC_SHIFT_FUNCTION, 3),
        Klick(IDC_DLG_APPLY),
        Pruefe([](HWND dlg) {
            EXPECT_TRUE(IsWindow(dlg));
            EXPECT_EQ(TextVon(dlg, IDC_SHIFT_FACTOR), "1");
            EXPECT_EQ(SendDlgItemMessageA(dlg, IDC_SHIFT_FUNCTION, CB_GETCURSEL, 0, 0), 0);
        }),
        Text(IDC_SHIFT_CONSTANT, "?"),
        Klick(IDC_DLG_APPLY),  // refused: no second call
        Klick(IDCANCEL),
    });
    EXPECT_EQ(r, 0);
    ASSERT_EQ(anwendungen.size(), 1u);
    EXPECT_EQ(anwendungen[0].befehl, 607);
    EXPECT_EQ(anwendungen[0].fenster, 3);
    EXPECT_EQ(anwendungen[0].dw[0], 223.0);
    EXPECT_EQ(anwendungen[0].dw[1], 4.0);
    EXPECT_EQ(anwendungen[0].dw[4], 0.0);
    EXPECT_EQ(meldungen.size(), 1u);

    anwendungen.clear();
    OeffneDialog("ABZISSENSHIFT", AbzissenShiftProc, {
        Text(IDC_SHIFT_CONSTANT, "-7000"),
        Kreuze(IDC_SHIFT_EXTERNAL),
        Klick(IDC_DLG_APPLY),
        Klick(IDCANCEL),
    });
    ASSERT_EQ(anwendungen.size(), 1u);
    EXPECT_EQ(anwendungen[0].befehl, 608);
    EXPECT_EQ(anwendungen[0].dw[2], -7000.0);
    EXPECT_EQ(anwendungen[0].dw[3], -1.0);
}

TEST_F(DatenDialoge, ModifyAbscissaCodes)
{
    OeffneFenster(0, "x.mes", 0, 0);
    AktivesFenster = 0;
    const INT_PTR mitY = OeffneDialog("ABZISSENSHIFT", AbzissenShiftProc, {
        Pruefe([](HWND dlg) {
            EXPECT_EQ(SendDlgItemMessageA(dlg, IDC_SHIFT_FUNCTION, CB_GETCOUNT, 0, 0), 10);
            char eintrag[64] = "";
            SendDlgItemMessageA(dlg, IDC_SHIFT_FUNCTION, CB_GETLBTEXT, 8, reinterpret_cast<LPARAM>(eintrag));
            EXPECT_STREQ(eintrag, "Sort bottom-up");
            EXPECT_TRUE(Gecheckt(dlg, IDC_ABSZ_WITH_Y));
        }),
        Waehle(IDC_SHIFT_FUNCTION, 8),
        Text(IDC_SHIFT_FACTOR, "0.001"),
        Klick(IDOK),
    });
    EXPECT_EQ(mitY, 1228);
    EXPECT_EQ(DW()[0], 1228.0);
    EXPECT_EQ(DW()[1], 0.001);
    EXPECT_EQ(DW()[2], 0.0);
    EXPECT_EQ(DW()[3], 1.0);
    const INT_PTR ohneY = OeffneDialog("ABZISSENSHIFT", AbzissenShiftProc, {
        Kreuze(IDC_ABSZ_WITHOUT_Y), Waehle(IDC_SHIFT_FUNCTION, 1), Klick(IDOK)});
    EXPECT_EQ(ohneY, 221);
}

TEST_F(DatenDialoge, NoiseLevelMustBeAPositiveNumber)
{
    OeffneFenster(0, "n.mes", 0, 0);
    AktivesFenster = 0;
    const INT_PTR vorgabe = OeffneDialog("NOISEGENERATOR", NoiseGeneratorProc, {Klick(IDOK)});
    EXPECT_EQ(vorgabe, 1);
    EXPECT_EQ(DW()[0], 1e-3);

    MarkiereWerte();
    size_t offen = 0;
    const INT_PTR r = OeffneDialog("NOISEGENERATOR", NoiseGeneratorProc, {
        Text(IDC_NOISE_VALUE, "0"), Klick(IDOK), NochOffen(&offen),
        Text(IDC_NOISE_VALUE, "-0.1"), Klick(IDOK), NochOffen(&offen),
        Text(IDC_NOISE_VALUE, "lots"), Klick(IDOK), NochOffen(&offen),
        Text(IDC_NOISE_VALUE, "0.02"), Klick(IDOK),
    });
    EXPECT_EQ(offen, 3u);
    EXPECT_EQ(meldungen.size(), 3u);
    EXPECT_EQ(r, 1);
    EXPECT_EQ(DW()[0], 0.02);
}

TEST_F(DatenDialoge, NoiseDialogAsksAFileNameForTheSeriesCommands)
{
    HilfeThema = 10;
    MarkiereWerte();
    const INT_PTR r = OeffneDialog("NOISEGENERATOR", NoiseGeneratorProc, {
        Pruefe([](HWND dlg) {
            char titel[100];
            GetWindowTextA(dlg, titel, sizeof titel);
            EXPECT_STREQ(titel, "Enter multiple-column file name");
            EXPECT_EQ(TextVon(dlg, IDC_NOISE_LABEL), " max. 8 char + extension");
            EXPECT_EQ(TextVon(dlg, IDC_NOISE_VALUE), "");
        }),
        Klick(IDOK),  // empty name refused
        Text(IDC_NOISE_VALUE, "series.mcf"),
        Klick(IDOK),
    });
    EXPECT_EQ(r, 1);
    EXPECT_EQ(meldungen.size(), 1u);
    EXPECT_STREQ(CommandText, "series.mcf");
    EXPECT_TRUE(WerteUnveraendert());
    EXPECT_EQ(HilfeThema, 10);
}

TEST_F(DatenDialoge, CombineNumbersCurvesAndBuildsTheLists)
{
    OeffneFenster(0, "zero.mes", 5, 2);  // current slot 2
    OeffneFenster(1, "one.mes", 1, 0);   // slots 0 and 1
    AktivesFenster = 0;
    GrafikFenster[0].Paintinfo.PlotStyle = 1;  // connect
    GrafikFenster[0].Paintinfo.PlotPenStyle = 0;
    GrafikFenster[0].Paintinfo.PlotWidth = 1;
    const INT_PTR r = OeffneDialog("COMBINE_GRAFIK", CombineGrafikDlgProc, {
        Pruefe([](HWND dlg) {
            EXPECT_EQ(TextVon(dlg, IDC_WIN_GROUP + 10), "one.mes");
            EXPECT_TRUE(Gecheckt(dlg, IDC_WIN_SLOT + 2));
            EXPECT_EQ(TextVon(dlg, IDC_COMB_ORDER + 2), "1");
            EXPECT_FALSE(Sichtbar(dlg, IDC_WIN_SLOT + 12));
            EXPECT_FALSE(Sichtbar(dlg, IDC_COMB_RIGHT + 12));
            EXPECT_FALSE(Sichtbar(dlg, IDC_WIN_GROUP + 20));
            EXPECT_TRUE(Gecheckt(dlg, IDC_COMB_NONE));
        }),
        Kreuze(IDC_WIN_SLOT + 10),
        Kreuze(IDC_WIN_SLOT + 0),
        Kreuze(IDC_WIN_SLOT + 2, false),
        Pruefe([](HWND dlg) {
            EXPECT_EQ(TextVon(dlg, IDC_COMB_ORDER + 2), "");
            EXPECT_EQ(TextVon(dlg, IDC_COMB_ORDER + 10), "1");
            EXPECT_EQ(TextVon(dlg, IDC_COMB_ORDER + 0), "2");
        }),
        Kreuze(IDC_COMB_RIGHT + 0),
        Kreuze(IDC_COMB_VALUE),
        Text(IDC_COMB_VALUE_EDIT, "0.25"),
        Kreuze(IDC_COMB_SYMBOL),
        Kreuze(IDC_COMB_LINEWIDTH),
        Klick(IDOK),
    });
    EXPECT_EQ(r, 14);
    EXPECT_EQ(DW()[1], 0.25);
    const grafik_fenster& rec = GrafikFenster[0];
    ASSERT_EQ(rec.KombiAnzahl, 2);
    EXPECT_EQ(rec.KombiListe[0], 10);
    EXPECT_EQ(rec.KombiListe[1], 100);
    ASSERT_EQ(rec.MultiplotAnzahl, 2);
    // Curve 1: connect | circles, width 1; curve 2: connect | triangles, width 2.
    EXPECT_EQ(rec.MultiplotListe[0], (10 << 16) | 3);
    EXPECT_EQ(rec.MultiplotListe[1], (20 << 16) | 5);
    EXPECT_EQ(rec.MultiplotAktiv, 1);
    EXPECT_EQ(rec.Modus3D, 0);
}

TEST_F(DatenDialoge, CombineWithOneCurveSwitchesToItsWindow)
{
    OeffneFenster(0, "zero.mes", 0, 0);
    OeffneFenster(3, "three.mes", 3, 3);
    AktivesFenster = 0;
    GrafikFenster[0].KombiAnzahl = 2;
    GrafikFenster[0].MultiplotAktiv = 1;
    const INT_PTR r = OeffneDialog("COMBINE_GRAFIK", CombineGrafikDlgProc, {
        Kreuze(IDC_WIN_SLOT + 0, false), Kreuze(IDC_WIN_SLOT + 31), Klick(IDOK)});
    EXPECT_EQ(r, 0);
    EXPECT_EQ(GrafikFenster[0].KombiAnzahl, 0);
    EXPECT_EQ(GrafikFenster[0].MultiplotAktiv, 0);
    EXPECT_EQ(AktivesFenster, 3);
    EXPECT_TRUE(WerteUnveraendert());
}

TEST_F(DatenDialoge, CombinePseudo3DNeedsAnAscendingDepthRange)
{
    OeffneFenster(0, "zero.mes", 3, 0);
    AktivesFenster = 0;
    size_t offen = 0;
    const INT_PTR r = OeffneDialog("COMBINE_GRAFIK", CombineGrafikDlgProc, {
        Pruefe([](HWND dlg) {
            EXPECT_EQ(TextVon(dlg, IDC_COMB_3D_FROM), "0");
            EXPECT_EQ(TextVon(dlg, IDC_COMB_3D_TO), "10");
        }),
        Kreuze(IDC_WIN_SLOT + 1),
        Kreuze(IDC_WIN_SLOT + 3),
        Kreuze(IDC_COMB_3D),
        Text(IDC_COMB_3D_FROM, "5"),
        Text(IDC_COMB_3D_TO, "2"),
        Klick(IDOK),
        NochOffen(&offen),
        Text(IDC_COMB_3D_TO, "8"),
        Kreuze(IDC_COMB_MEDIUM),
        Klick(IDOK),
    });
    EXPECT_EQ(offen, 1u);
    ASSERT_EQ(meldungen.size(), 1u);
    EXPECT_EQ(r, 12);
    const grafik_fenster& rec = GrafikFenster[0];
    EXPECT_EQ(rec.KombiAnzahl, 3);
    EXPECT_EQ(rec.Modus3D, 1);
    EXPECT_EQ(rec.ZBereich[1], 5.0);
    EXPECT_EQ(rec.ZBereich[0], 8.0);
    EXPECT_EQ(rec.MultiplotAktiv, 0);
}

TEST_F(DatenDialoge, UserStyleEditsCurvesAndPaletteWithinItsSize)
{
    OeffneFenster(1, "style.mes", 0, 0);
    AktivesFenster = 1;
    for (int i = 0; i < 12; ++i) HAUPTDATEN.Farbpalette[i] = DialogFarben[i];
    GrafikFenster[1].MultiplotListe[1] = StilWort(STIL_KREISE | STIL_BALKEN, 3, 4);
    size_t offen = 0;
    const INT_PTR r = OeffneDialog("USERSTYLE", UserStyleProc, {
        Pruefe([](HWND dlg) {
            EXPECT_EQ(SendDlgItemMessageA(dlg, IDC_STYLE_CURVES, LB_GETCOUNT, 0, 0), 16);
            EXPECT_TRUE(Gecheckt(dlg, IDC_STYLE_CONNECT));
            EXPECT_TRUE(Gecheckt(dlg, IDC_STYLE_SOLID));
            EXPECT_EQ(TextVon(dlg, IDC_STYLE_WIDTH), "1");
            EXPECT_EQ(SendDlgItemMessageA(dlg, IDC_STYLE_COLOUR, CB_GETCURSEL, 0, 0), 0);
        }),
        Kreuze(IDC_STYLE_STARS),
        Kreuze(IDC_STYLE_DOT),
        Text(IDC_STYLE_WIDTH, "2"),
        Waehle(IDC_STYLE_COLOUR, 2),
        WaehleListe(IDC_STYLE_CURVES, 1),
        Pruefe([](HWND dlg) {
            // Curve 2 decoded from its word.
            EXPECT_TRUE(Gecheckt(dlg, IDC_STYLE_CIRCLES));
            EXPECT_TRUE(Gecheckt(dlg, IDC_STYLE_BARS));
            EXPECT_FALSE(Gecheckt(dlg, IDC_STYLE_CONNECT));
            EXPECT_TRUE(Gecheckt(dlg, IDC_STYLE_DASHDOT));
            EXPECT_EQ(TextVon(dlg, IDC_STYLE_WIDTH), "4");
            EXPECT_EQ(SendDlgItemMessageA(dlg, IDC_STYLE_COLOUR, CB_GETCURSEL, 0, 0), 1);
        }),
        Text(IDC_STYLE_WIDTH, "wide"),
        WaehleListe(IDC_STYLE_CURVES, 13),
        NochOffen(&offen),
        Pruefe([](HWND dlg) {
            EXPECT_EQ(SendDlgItemMessageA(dlg, IDC_STYLE_CURVES, LB_GETCURSEL, 0, 0), 1);
        }),
        Text(IDC_STYLE_WIDTH, "5"),
        WaehleListe(IDC_STYLE_CURVES, 13),
        Pruefe([](HWND dlg) {
            // The palette holds 12 colours: curve 14 has none to choose.
            EXPECT_FALSE(Aktiv(dlg, IDC_STYLE_COLOUR));
        }),
        Kreuze(IDC_STYLE_SQUARES),
        Klick(IDOK),
    });
    EXPECT_EQ(r, 1);
    EXPECT_EQ(offen, 1u);
    const grafik_fenster& rec = GrafikFenster[1];
    EXPECT_EQ(rec.MultiplotListe[0], StilWort(STIL_VERBINDEN | STIL_STERNE, 2, 2));
    EXPECT_EQ(rec.MultiplotListe[1], StilWort(STIL_KREISE | STIL_BALKEN, 3, 5));
    EXPECT_EQ(rec.MultiplotListe[13], StilWort(STIL_VERBINDEN | STIL_QUADRATE, 0, 1));
    EXPECT_EQ(HAUPTDATEN.Farbpalette[0], DialogFarben[2]);
    EXPECT_EQ(HAUPTDATEN.Farbpalette[1], DialogFarben[1]);

    // Cancel keeps every curve as it was.
    const int32_t vorher = rec.MultiplotListe[0];
    const INT_PTR abbruch = OeffneDialog("USERSTYLE", UserStyleProc, {
        Text(IDC_STYLE_WIDTH, "9"), WaehleListe(IDC_STYLE_CURVES, 2), Klick(IDCANCEL)});
    EXPECT_EQ(abbruch, 1);
    EXPECT_EQ(rec.MultiplotListe[0], vorher);
}

TEST_F(DatenDialoge, CombineUserDefinedOpensUserStyle)
{
    OeffneFenster(0, "zero.mes", 3, 0);
    AktivesFenster = 0;
    const INT_PTR r = OeffneDialog("COMBINE_GRAFIK", CombineGrafikDlgProc, {
        Kreuze(IDC_WIN_SLOT + 1),
        Kreuze(IDC_COMB_SYMBOL),
        Kreuze(IDC_COMB_USER),
        // now USERSTYLE is on top
        Pruefe([](HWND dlg) { EXPECT_NE(GetDlgItem(dlg, IDC_STYLE_CURVES), nullptr); }),
        Kreuze(IDC_STYLE_BARS),
        Klick(IDOK),
        // back in COMBINE_GRAFIK
        Pruefe([](HWND dlg) {
            EXPECT_FALSE(Aktiv(dlg, IDC_COMB_SYMBOL));
            EXPECT_FALSE(Gecheckt(dlg, IDC_COMB_SYMBOL));
        }),
        Klick(IDOK),
    });
    EXPECT_EQ(r, 1);
    const grafik_fenster& rec = GrafikFenster[0];
    EXPECT_EQ(rec.KombiAnzahl, 2);
    EXPECT_EQ(rec.MultiplotAnzahl, 2);
    EXPECT_EQ(rec.MultiplotAktiv, 1);
    EXPECT_EQ(rec.MultiplotListe[0], StilWort(STIL_VERBINDEN | STIL_BALKEN, 0, 1));
}

TEST_F(DatenDialoge, ClipboardFormatSizeClassOrPixels)
{
    OeffneFenster(0, "clip.mes", 0, 0);
    MoveWindow(fenster[0], 0, 0, 321, 207, FALSE);
    AktivesFenster = 0;
    HAUPTDATEN.AlsMetafile = 1;
    HAUPTDATEN.KopierGroesse = 1;
    size_t offen = 0;
    const INT_PTR bitmap = OeffneDialog("CLIPBOARDFORMAT", ClipboardFormatProc, {
        Pruefe([](HWND dlg) {
            EXPECT_TRUE(Gecheckt(dlg, IDC_CLIP_METAFILE));
            EXPECT_TRUE(Gecheckt(dlg, IDC_CLIP_SMALL + 1));
            EXPECT_FALSE(Gecheckt(dlg, IDC_CLIP_CUSTOM));
            EXPECT_EQ(TextVon(dlg, IDC_CLIP_WIDTH), "321");
            EXPECT_EQ(TextVon(dlg, IDC_CLIP_HEIGHT), "207");
        }),
        Kreuze(IDC_CLIP_BITMAP),
        Pruefe([](HWND dlg) {
            EXPECT_TRUE(Gecheckt(dlg, IDC_CLIP_CUSTOM));
            EXPECT_FALSE(Gecheckt(dlg, IDC_CLIP_SMALL + 1));
            EXPECT_FALSE(Aktiv(dlg, IDC_CLIP_SMALL));
        }),
        Text(IDC_CLIP_WIDTH, "abc"),
        Klick(IDOK),
        NochOffen(&offen),
        Text(IDC_CLIP_WIDTH, "5"),  // the copy command would ignore it
        Klick(IDOK),
        NochOffen(&offen),
        Text(IDC_CLIP_WIDTH, "640"),
        Klick(IDOK),
    });
    EXPECT_EQ(bitmap, 1);
    EXPECT_EQ(offen, 2u);
    EXPECT_EQ(meldungen.size(), 2u);
    EXPECT_EQ(HAUPTDATEN.AlsMetafile, 0);
    EXPECT_EQ(HAUPTDATEN.KopierGroesse, 1);
    EXPECT_DOUBLE_EQ(DW()[0], 640.1);
    EXPECT_DOUBLE_EQ(DW()[1], 207.1);
    EXPECT_EQ(DW()[2], 102.0);

    const INT_PTR klasse = OeffneDialog("CLIPBOARDFORMAT", ClipboardFormatProc, {
        Pruefe([](HWND dlg) { EXPECT_TRUE(Gecheckt(dlg, IDC_CLIP_BITMAP)); }),
        Kreuze(IDC_CLIP_METAFILE),
        Pruefe([](HWND dlg) {
            EXPECT_TRUE(Aktiv(dlg, IDC_CLIP_SMALL));
            EXPECT_TRUE(Gecheckt(dlg, IDC_CLIP_SMALL + 1));
        }),
        Kreuze(IDC_CLIP_SMALL + 2),
        Text(IDC_CLIP_WIDTH, "not used"),
        Klick(IDOK),
    });
    EXPECT_EQ(klasse, 1);
    EXPECT_EQ(HAUPTDATEN.AlsMetafile, 1);
    EXPECT_EQ(HAUPTDATEN.KopierGroesse, 2);
    EXPECT_EQ(DW()[0], 0.0);
    EXPECT_EQ(DW()[1], 0.0);
}
