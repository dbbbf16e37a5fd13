// The EXAFS set-up dialog EXAFSFIT driven by messages: opening on a FEFF
// model, transfers and the proposed R range, deletion, the DialogWerte of
// its controls, experimental phase names, the R-space refusal, Cancel
// leaving everything as it was, a picture of the stick diagram, and 817 and
// 807 run interactively to the simulation and the fit. Paths from FEFF 8.5's
// copper example (data/cu_feff85_noSCF, see data/SOURCES.md).
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/spectra/data_commands_fixture.h"
#include "app/temp_folder.h"
#include "fit/exafs_terms.h"
#include "fit/fit_model.h"
#include "resource_ids.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/file_commands.h"
#include "spectra/file_commands_win.h"
#include "xas/exafs_fit.h"
#include "xas/feff_fit_dialog_win.h"
#include "xas/feff_path.h"
#include "xas/section_dialog_win.h"
#include "xas/xas_entries.h"

namespace {

const std::string CU = KORLAN_TEST_DIR "/app/xas/data/cu_feff85_noSCF/";

std::string Text(HWND dlg, int id)
{
    char t[400] = {};
    GetDlgItemTextA(dlg, id, t, sizeof t);
    return t;
}
bool An(HWND d, int id) { return IsDlgButtonChecked(d, id) == BST_CHECKED; }
bool Frei(HWND d, int id) { return IsWindowEnabled(GetDlgItem(d, id)) != 0; }

DialogSchritt Markiere(std::vector<int> zeilen)
{
    return [zeilen](HWND d) {
        SendDlgItemMessageA(d, IDC_FP_ZEILEN, LB_SETSEL, FALSE, -1);
        for (int i : zeilen) SendDlgItemMessageA(d, IDC_FP_ZEILEN, LB_SETSEL, TRUE, i);
    };
}
DialogSchritt Gewaehlt(int zeile)
{
    return [zeile](HWND d) {
        SendDlgItemMessageA(d, IDC_FP_GEWAEHLT, LB_SETCURSEL, zeile, 0);
        PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_FP_GEWAEHLT, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(d, IDC_FP_GEWAEHLT)));
    };
}

// The names the file dialog gives, by kind (1 phase, 2 amplitude, 8
// files.dat), in turn.
std::vector<std::string> antworten[9];
int32_t DateiAntwort(HWND, char* pfad, char* titel, int32_t art, int32_t)
{
    if (art < 0 || art > 8 || antworten[art].empty()) return 0;
    const std::string n = antworten[art].front();
    antworten[art].erase(antworten[art].begin());
    std::snprintf(pfad, DATEI_NAME_PUFFER, "%s", n.c_str());
    std::snprintf(titel, DATEI_TITEL_PUFFER, "%s", n.substr(n.find_last_of("\\/") + 1).c_str());
    return 1;
}

}  // namespace

class ExafsFitDialogTest : public EditFixture {
protected:
    TempOrdner ordner;
    std::vector<char> t1 = std::vector<char>(COMMAND_TEXT_BYTES, '\0'), t2 = std::vector<char>(COMMAND_TEXT2_BYTES, '\0'),
                      t3 = std::vector<char>(COMMAND_TEXT3_BYTES, '\0');
    char *a1 = nullptr, *a2 = nullptr, *a3 = nullptr;
    EXAFS_ZUSATZ altZusatz;
    double altKante = 0;

    void SetUp() override
    {
        EditFixture::SetUp();
        a1 = CommandText, a2 = CommandText2, a3 = CommandText3;
        CommandText = t1.data(), CommandText2 = t2.data(), CommandText3 = t3.data();
        FeffPfadeLeeren();
        HAUPTDATEN.FeffSatzAnzahl = 0;
        FeffDateiWahl = DateiAntwort;
        for (auto& a : antworten) a.clear();
        altZusatz = ExafsZusatz;
        ExafsZusatz = EXAFS_ZUSATZ{};
        altKante = KantenVorzeichen;
        KantenVorzeichen = -1.0;
        HilfeThema = 0;
        // An FT-like magnitude over R 0 .. 6 A in window 0.
        grafik_fenster& g = GrafikFenster[0];
        const int n = 301;
        for (int i = 0; i < n; ++i) {
            const double r = 0.02 * i;
            g.GetXFeld(0)[i] = r;
            g.GetYFeld(0)[i] = 1.2 * std::exp(-std::pow((r - 2.15) / 0.18, 2)) +
                               0.35 * std::exp(-std::pow((r - 3.2) / 0.2, 2)) +
                               0.5 * std::exp(-std::pow((r - 4.1) / 0.2, 2));
        }
        g.ZeigeDaten = 1;
        g.KGewicht = 2.0;
        NurSlotNull(0, n);
    }
    void TearDown() override
    {
        FeffDateiWahl = FileDialog;
        FeffPfadeLeeren();
        CommandText = a1, CommandText2 = a2, CommandText3 = a3;
        ExafsZusatz = altZusatz;
        KantenVorzeichen = altKante;
        HAUPTDATEN.FeffSatzAnzahl = 0;
        EditFixture::TearDown();
    }
    // Window 0's model: S0^2 and the given paths of the copper files.dat,
    // their rows as list 102 shows them.
    void FeffModell(std::vector<int> pfade)
    {
        grafik_fenster& g = GrafikFenster[0];
        g.FunktionsTypen[0] = 25;
        g.Parameter[0] = 0.9;
        const std::string datei = CU + "files.dat";
        for (size_t k = 0; k < pfade.size(); ++k) {
            g.FunktionsTypen[k + 1] = 21;
            FeffPfad& p = FeffPfade[k + 1];
            p.Pfadnummer = pfade[k];
            std::snprintf(p.FilesDatPfad, sizeof p.FilesDatPfad, "%s", datei.c_str());
            std::snprintf(p.ListenZeile, sizeof p.ListenZeile, "row of path %d", pfade[k]);
            for (int j = 0; j < 4; ++j) g.Parameter[1 + 4 * k + j] = 10.0 * (k + 1) + j;
        }
        g.AnzahlFunktionen = static_cast<int32_t>(pfade.size()) + 1;
        FitFunctionTypes = g.FunktionsTypen;
        FitParameters = g.Parameter;
        FitFunctionCount = g.AnzahlFunktionen;
        ResetModelTables();
    }
    int32_t Oeffne(std::vector<DialogSchritt> schritte, int32_t befehl = 807)
    {
        boxen.clear();
        int32_t r = -1;
        EXPECT_TRUE(MitDialogen(std::move(schritte), [&] { r = ExafsFitDialog(befehl); }));
        return r;
    }
    // A files.dat of three single-scattering rows of the given Reff and a
    // fourth at 4.6 A.
    std::string DreiPfade(double r1, double r2, double r3)
    {
        char t[600];
        std::snprintf(t, sizeof t,
                      " test paths\n    file        sig2   amp ratio    deg    nlegs  r effective\n"
                      " feff0001.dat 0.00000   100.000     4.000     2   %.4f\n"
                      " feff0002.dat 0.00000    50.000     4.000     2   %.4f\n"
                      " feff0003.dat 0.00000    30.000     4.000     2   %.4f\n"
                      " feff0004.dat 0.00000    60.000     8.000     2   4.6000\n",
                      r1, r2, r3);
        const std::string p = ordner.Datei("files.dat");
        FILE* f = std::fopen(p.c_str(), "wb");
        std::fputs(t, f);
        std::fclose(f);
        return p;
    }
};

// The state of the model, its tables and the shared texts, to compare.
struct Stand {
    std::vector<int32_t> typen, flags;
    std::vector<double> parameter, tabellen;
    int32_t anzahl;
    std::string t1, t2, t3;
    std::vector<unsigned char> pfade;
    bool operator==(const Stand& o) const
    {
        return typen == o.typen && flags == o.flags && parameter == o.parameter && tabellen == o.tabellen &&
               anzahl == o.anzahl && t1 == o.t1 && t2 == o.t2 && t3 == o.t3 && pfade == o.pfade;
    }
};
Stand Jetzt()
{
    Stand s;
    const grafik_fenster& g = GrafikFenster[0];
    s.typen.assign(g.FunktionsTypen, g.FunktionsTypen + 2000);
    s.parameter.assign(g.Parameter, g.Parameter + 35000);
    s.flags.assign(ParameterFlags, ParameterFlags + 1000);
    s.anzahl = g.AnzahlFunktionen;
    s.t1 = CommandText, s.t2 = CommandText2, s.t3 = CommandText3;
    s.pfade = FeffPfadeSichern();
    for (int i = 1; i < FEFF_PFADE; ++i)
        for (int t = 0; t < FEFF_TABELLEN; ++t)
            if (FeffPfade[i].Pfadtabellen[t])
                s.tabellen.insert(s.tabellen.end(), FeffPfade[i].Pfadtabellen[t],
                                  FeffPfade[i].Pfadtabellen[t] + FeffPfade[i].TabellenSpeicher[t]);
    return s;
}

// Opening on S0^2 and five paths shows them; a chosen path is shown from a
// scratch record; deleting one clears "Keep all flags"; Cancel leaves the
// model, its tables, the path records and the texts as they were.
TEST_F(ExafsFitDialogTest, OpensOnAFeffModelAndCancelLeavesEverything)
{
    FeffModell({1, 2, 5, 8, 3});
    // The chosen paths hold tables on a grid, as after a simulation.
    std::vector<double> gitter(200);
    for (int i = 0; i < 200; ++i) gitter[i] = 2.0 + 0.05 * i;
    for (int k = 1; k <= 5; ++k) {
        ASSERT_GT(LoadFeffPath(1, &FeffPfade[k], 200, gitter.data()), 0);
        FeffPfade[k].Geladen = 1;
    }
    boxen.clear();
    const Stand vorher = Jetzt();
    std::vector<std::string> gewaehlt, dateien;
    std::string schalen, art, atom0, atom1, atom2, schalenNach;
    bool behalten = false, experimentellFrei = true, flagsNach = true, flagsFrei = true, behaltenGesperrt = false;
    int markierte = 0;
    const int32_t r = Oeffne({[&](HWND d) {
                                  gewaehlt = ListenZeilen(d, IDC_FP_GEWAEHLT);
                                  dateien = ListenZeilen(d, IDC_EF_DATEIEN);
                                  schalen = Text(d, IDC_EF_SCHALEN);
                                  behalten = An(d, IDC_EF_BEHALTEN);
                                  experimentellFrei = Frei(d, IDC_EF_EXPERIMENTELL);
                                  markierte = static_cast<int>(SendDlgItemMessageA(d, IDC_FP_ZEILEN, LB_GETSELCOUNT, 0, 0));
                              },
                              Gewaehlt(4),
                              [&](HWND d) {
                                  art = Text(d, IDC_EF_ART);
                                  atom0 = Text(d, IDC_EF_ATOM);
                                  atom1 = Text(d, IDC_EF_ATOM + 10);
                                  atom2 = Text(d, IDC_EF_ATOM + 20);
                              },
                              Waehle(IDC_EF_FLAGS),
                              [&](HWND d) { behaltenGesperrt = An(d, IDC_EF_BEHALTEN) && !Frei(d, IDC_EF_BEHALTEN); },
                              Gewaehlt(1), Druecke(IDC_FP_LOESCHEN),
                              [&](HWND d) {
                                  flagsNach = An(d, IDC_EF_FLAGS);
                                  flagsFrei = Frei(d, IDC_EF_FLAGS);
                                  schalenNach = Text(d, IDC_EF_SCHALEN);
                                  gewaehlt.push_back("--");
                                  for (const std::string& z : ListenZeilen(d, IDC_FP_GEWAEHLT)) gewaehlt.push_back(z);
                              },
                              Druecke(IDCANCEL)});
    EXPECT_EQ(r, 0);
    EXPECT_EQ(gewaehlt, (std::vector<std::string>{"row of path 1", "row of path 2", "row of path 5", "row of path 8",
                                                  "row of path 3", "--", "row of path 1", "row of path 5",
                                                  "row of path 8", "row of path 3"}));
    std::string gross = CU + "files.dat";
    CharUpperA(&gross[0]);
    EXPECT_EQ(dateien, std::vector<std::string>{gross});
    EXPECT_EQ(schalen, "5");
    EXPECT_TRUE(behalten);
    EXPECT_FALSE(experimentellFrei);
    EXPECT_EQ(markierte, 5);
    // Path 3, the 60-degree triangle Cu-Cu-Cu.
    EXPECT_EQ(art, "Multiple scattering path");
    EXPECT_EQ(atom0.substr(0, 8), " Cu  at ") << atom0;
    EXPECT_NE(atom1.find("2.553 A"), std::string::npos) << atom1;
    EXPECT_NE(atom2.find("2.553 A"), std::string::npos) << atom2;
    EXPECT_TRUE(behaltenGesperrt);
    EXPECT_FALSE(flagsNach);
    EXPECT_FALSE(flagsFrei);
    EXPECT_EQ(schalenNach, "4");
    EXPECT_TRUE(Jetzt() == vorher);
    for (int k = 1; k <= 5; ++k) EXPECT_EQ(FeffPfade[k].Geladen, 1);
    EXPECT_TRUE(boxen.empty());
}

// Transfers propose the R range; OK gives the DialogWerte of the controls,
// the model of S0^2 and the chosen paths.
TEST_F(ExafsFitDialogTest, TransferSetsTheRRangeAndOkGivesTheValues)
{
    antworten[8] = {DreiPfade(1.9, 2.6, 3.5)};
    GrafikFenster[0].FunktionsTypen[0] = 1;
    GrafikFenster[0].AnzahlFunktionen = 1;
    std::string von1, bis1, von2, bis2, schalen, text235a, text235b;
    bool okVorher = true, okNachher = false;
    int blau = 0, gruen = 0, magenta = 0;
    const int32_t r = Oeffne({[&](HWND d) {
                                  okVorher = Frei(d, IDOK);
                                  text235a = Text(d, IDC_EF_FEFF_TEXT);
                              },
                              Druecke(IDC_FP_FILES_DAT), Markiere({0, 1}), Druecke(IDC_FP_UEBERNEHMEN),
                              [&](HWND d) {
                                  von1 = Text(d, IDC_EF_R_VON);
                                  bis1 = Text(d, IDC_EF_R_BIS);
                                  okNachher = Frei(d, IDOK);
                                  text235b = Text(d, IDC_EF_FEFF_TEXT);
                              },
                              Markiere({2}), Druecke(IDC_FP_UEBERNEHMEN),
                              [&](HWND d) {
                                  von2 = Text(d, IDC_EF_R_VON);
                                  bis2 = Text(d, IDC_EF_R_BIS);
                                  schalen = Text(d, IDC_EF_SCHALEN);
                              },
                              // Rows of the list in blue, chosen paths in green, the
                              // selected chosen path in magenta.
                              Markiere({3}), Gewaehlt(1),
                              [&](HWND d) {
                                  InvalidateRect(d, nullptr, FALSE);
                                  UpdateWindow(d);
                                  EXPECT_TRUE(FensterFoto(d, "exafs_fit_dialog.png"));
                                  HWND bild = GetDlgItem(d, IDC_EF_BILD);
                                  RECT rc;
                                  GetClientRect(bild, &rc);
                                  HDC dc = GetDC(bild);
                                  for (int y = 0; y < rc.bottom; ++y)
                                      for (int x = 0; x < rc.right; ++x) {
                                          const COLORREF c = GetPixel(dc, x, y);
                                          blau += c == 0xFF0000, gruen += c == 0x008000, magenta += c == 0xFF00FF;
                                      }
                                  ReleaseDC(bild, dc);
                              },
                              Waehle(IDC_EF_DRITTER), SetzeText(IDC_EF_K_GEWICHT, "3"), Waehle(IDC_EF_E0),
                              Druecke(IDOK)});
    EXPECT_FALSE(okVorher);
    EXPECT_TRUE(okNachher);
    EXPECT_EQ(text235a, "Select FEFF file");
    EXPECT_EQ(text235b, "Change FEFF file");
    EXPECT_EQ(von1, "1.1");
    EXPECT_EQ(bis1, "2.8");
    EXPECT_EQ(von2, "1.1");
    EXPECT_EQ(bis2, "3.5");
    EXPECT_EQ(schalen, "3");
    // The sticks of the stick diagram in their three colours.
    EXPECT_GT(blau, 10);
    EXPECT_GT(gruen, 10);
    EXPECT_GT(magenta, 10);
    EXPECT_EQ(r, 22);
    const double erwartet[14] = {0, -1, 3, 3, -1, -1, 1, 1, -1, 1, -1, 1, -1, 0};
    for (int i = 1; i < 14; ++i) EXPECT_NEAR(HAUPTDATEN.DialogWerte[i], erwartet[i], 1e-12) << i;
    const grafik_fenster& g = GrafikFenster[0];
    ASSERT_EQ(g.AnzahlFunktionen, 4);
    EXPECT_EQ(g.FunktionsTypen[0], 25);
    const int nummern[] = {1, 2, 3};
    for (int k = 0; k < 3; ++k) EXPECT_EQ(FeffPfade[k + 1].Pfadnummer, nummern[k]);
    std::string gross = ordner.Datei("files.dat");
    CharUpperA(&gross[0]);
    EXPECT_STREQ(FeffPfade[1].FilesDatPfad, gross.c_str());
}

// Experimental phases: a shell without an amplitude name gives 108 and
// changes nothing; with both names CommandText2 and the records get them.
TEST_F(ExafsFitDialogTest, ExperimentalPhaseNames)
{
    GrafikFenster[0].FunktionsTypen[0] = 1;
    GrafikFenster[0].AnzahlFunktionen = 1;
    antworten[1] = {"C:\\PH\\CU1.PHA", "C:\\PH\\CU2.PHA"};
    antworten[2] = {"C:\\PH\\CU1.AMP"};
    FehlerCode = 0;
    int32_t r = Oeffne({Waehle(IDC_EF_EXPERIMENTELL), Druecke(IDC_EF_PHASE), Druecke(IDC_EF_PHASE),
                        Druecke(IDC_EF_AMPLITUDE), SetzeText(IDC_EF_SCHALEN, "2"), Druecke(IDOK)});
    EXPECT_EQ(r, 0);
    EXPECT_EQ(FehlerCode, 108);
    EXPECT_STREQ(CommandText2, "");
    FehlerCode = 0;

    antworten[1] = {"C:\\PH\\CU1.PHA", "C:\\PH\\CU2.PHA"};
    antworten[2] = {"C:\\PH\\CU1.AMP", "C:\\PH\\CU2.AMP"};
    std::vector<std::string> phasen;
    r = Oeffne({Waehle(IDC_EF_EXPERIMENTELL), Druecke(IDC_EF_PHASE), Druecke(IDC_EF_PHASE),
                Druecke(IDC_EF_AMPLITUDE), Druecke(IDC_EF_AMPLITUDE),
                [&](HWND d) { phasen = ListenZeilen(d, IDC_EF_PHASEN); }, Druecke(IDOK)});
    EXPECT_EQ(r, 16);
    EXPECT_EQ(FehlerCode, 0);
    EXPECT_EQ(phasen, (std::vector<std::string>{"CU1.PHA", "CU2.PHA"}));
    EXPECT_STREQ(CommandText2, "C:\\PH\\CU1.PHA,C:\\PH\\CU2.PHA,C:\\PH\\CU1.AMP,C:\\PH\\CU2.AMP,");
    EXPECT_STREQ(FeffPfade[1].Dateiname, "CU1");
    EXPECT_STREQ(FeffPfade[2].Dateiname, "CU2");
    EXPECT_EQ(HAUPTDATEN.DialogWerte[2], 2.0);
}

// R space from the curve flags: without the chi(k) the transform was made
// from, the caution and Cancel; with it, the R range from the section.
TEST_F(ExafsFitDialogTest, RSpaceNeedsTheChiOfTheTransform)
{
    FeffModell({1});
    grafik_fenster& g = GrafikFenster[0];
    g.KurvenZaehler = g.NeuesterZaehler = 2;
    for (int s = 1; s <= 2; ++s) {
        std::copy(g.GetXFeld(0), g.GetXFeld(0) + 301, g.GetXFeld(s));
        std::copy(g.GetYFeld(0), g.GetYFeld(0) + 301, g.GetYFeld(s));
        g.DateiInfo.PunkteProKurve[s] = 301;
    }
    g.KurvenFlags[0] = 0;
    g.KurvenFlags[1] = 0x05;
    g.KurvenFlags[2] = 0x05;
    g.Grenzen[0] = 5.0;
    g.Grenzen[1] = 1.0;
    const Stand vorher = Jetzt();
    int32_t r = Oeffne({});
    EXPECT_EQ(r, 0);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].titel, "Caution !!");
    EXPECT_EQ(boxen[0].text, "Korlan is missing corresponding CHI(k) to calculate FT.\r\n"
                             "    Refer to Korlan manual for more information.\r\n"
                             "         R-space fit cannot be carried out. ");
    EXPECT_TRUE(Jetzt() == vorher);

    g.KurvenFlags[0] = 0x40;
    HAUPTDATEN.DialogWerte[4] = HAUPTDATEN.DialogWerte[5] = -1.0;
    bool rRaum = false, kFrei = true, sichtbar = false;
    std::string von, bis;
    r = Oeffne({[&](HWND d) {
                    rRaum = An(d, IDC_EF_R_RAUM);
                    kFrei = Frei(d, IDC_EF_K_RAUM);
                    sichtbar = IsWindowVisible(GetDlgItem(d, IDC_EF_GRAFISCH)) != 0;
                    von = Text(d, IDC_EF_R_VON);
                    bis = Text(d, IDC_EF_R_BIS);
                },
                Druecke(IDOK)});
    EXPECT_TRUE(boxen.empty());
    EXPECT_TRUE(rRaum);
    EXPECT_FALSE(kFrei);
    EXPECT_TRUE(sichtbar);
    EXPECT_EQ(von, "1");
    EXPECT_EQ(bis, "5");
    EXPECT_EQ(r, 22);
    EXPECT_EQ(HAUPTDATEN.DialogWerte[6], -1.0);
    EXPECT_EQ(HAUPTDATEN.DialogWerte[13], 1.0);
}

namespace {
int32_t sektionsModus = -1;
std::string sektionsAngebot;
INT_PTR SektionBeantworten(HWND dlg, int32_t modus)
{
    sektionsModus = modus;
    char o[40] = {}, u[40] = {};
    GetDlgItemTextA(dlg, IDC_SB_OBEN, o, sizeof o);
    GetDlgItemTextA(dlg, IDC_SB_UNTEN, u, sizeof u);
    sektionsAngebot = std::string(u) + " " + o;
    SetDlgItemTextA(dlg, IDC_SB_OBEN, "4.5");
    SetDlgItemTextA(dlg, IDC_SB_UNTEN, "1.5");
    SendMessageA(dlg, WM_COMMAND, IDOK, 0);
    return 1;
}
}  // namespace

// "&G" opens the section dialog in mode 9 with the range of the edits
// offered; its borders come back into the edits.
TEST_F(ExafsFitDialogTest, GButtonTakesTheRangeFromTheSectionDialog)
{
    FeffModell({1});
    grafik_fenster& g = GrafikFenster[0];
    g.KurvenZaehler = g.NeuesterZaehler = 2;
    for (int s = 1; s <= 2; ++s) {
        std::copy(g.GetXFeld(0), g.GetXFeld(0) + 301, g.GetXFeld(s));
        std::copy(g.GetYFeld(0), g.GetYFeld(0) + 301, g.GetYFeld(s));
        g.DateiInfo.PunkteProKurve[s] = 301;
    }
    g.KurvenFlags[0] = 0x40;
    g.KurvenFlags[1] = g.KurvenFlags[2] = 0x05;
    g.SetFullBorder();
    HAUPTDATEN.DialogWerte[4] = 1.8;
    HAUPTDATEN.DialogWerte[5] = 3.1;
    SektionsAntwort = SektionBeantworten;
    std::string von, bis, vorVon, vorBis;
    const int32_t r = Oeffne({[&](HWND d) {
        vorVon = Text(d, IDC_EF_R_VON);
        vorBis = Text(d, IDC_EF_R_BIS);
        SendMessageA(d, WM_COMMAND, IDC_EF_GRAFISCH, 0);
        von = Text(d, IDC_EF_R_VON);
        bis = Text(d, IDC_EF_R_BIS);
        PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
    }});
    SektionsAntwort = nullptr;
    EXPECT_EQ(r, 0);
    EXPECT_EQ(vorVon, "1.8");
    EXPECT_EQ(vorBis, "3.1");
    EXPECT_EQ(sektionsModus, 9);
    EXPECT_EQ(sektionsAngebot, "1.8 3.1");
    EXPECT_NEAR(std::atof(von.c_str()), 1.5, 1e-3) << von;
    EXPECT_NEAR(std::atof(bis.c_str()), 4.5, 1e-3) << bis;
    EXPECT_EQ(HilfeThema, 0);
}
