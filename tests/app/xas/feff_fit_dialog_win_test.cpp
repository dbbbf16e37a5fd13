// FEFF_FIT driven by messages on the copper files.dat of FEFF 8.5
// (data/cu_feff85_noSCF, see data/SOURCES.md): the listed rows against the
// rows the test picks from the file itself, the spins at their limits, the
// transfer into the path records, "&Files.Dat", and the two limits of a
// transfer; FEFF_MULTIPLE_DETAILS.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "app/spectra/data_commands_fixture.h"
#include "fit/fit_model.h"
#include "resource_ids.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/file_commands.h"
#include "spectra/file_commands_win.h"
#include "xas/exafs_fit.h"
#include "xas/feff_fit_dialog_win.h"
#include "xas/feff_path.h"
#include "xas/xas_entries.h"

namespace {

const std::string FILES_DAT = KORLAN_TEST_DIR "/app/xas/data/cu_feff85_noSCF/files.dat";

struct Zeile {
    std::string text;
    double ratio;
    int beine;
};

// The path rows of the file, read here with the layout FEFF documents.
std::vector<Zeile> DateiZeilen()
{
    std::ifstream f(FILES_DAT);
    std::vector<Zeile> z;
    std::string s;
    while (std::getline(f, s)) {
        if (!s.empty() && s.back() == '\r') s.pop_back();
        char name[64];
        double sig2, ratio, deg, nlegs, reff;
        if (s.find("feff0") != std::string::npos &&
            std::sscanf(s.c_str(), "%63s %lf %lf %lf %lf %lf", name, &sig2, &ratio, &deg, &nlegs, &reff) == 6)
            z.push_back({s, ratio, static_cast<int>(nlegs)});
    }
    return z;
}

std::vector<std::string> Erwartet(double filter, int beine, bool alleSS)
{
    std::vector<std::string> e;
    for (const Zeile& z : DateiZeilen())
        if ((z.ratio >= filter && z.beine <= beine) || (alleSS && z.beine == 2)) e.push_back(z.text);
    return e;
}

std::string Text(HWND dlg, int id)
{
    char t[400] = {};
    GetDlgItemTextA(dlg, id, t, sizeof t);
    return t;
}

DialogSchritt Spin(int id, int richtung)
{
    return [id, richtung](HWND d) {
        SendMessageA(d, WM_VSCROLL, richtung > 0 ? SB_LINEUP : SB_LINEDOWN,
                     reinterpret_cast<LPARAM>(GetDlgItem(d, id)));
    };
}

DialogSchritt Markiere(std::vector<int> zeilen)
{
    return [zeilen](HWND d) {
        SendDlgItemMessageA(d, IDC_FP_ZEILEN, LB_SETSEL, FALSE, -1);
        for (int i : zeilen) SendDlgItemMessageA(d, IDC_FP_ZEILEN, LB_SETSEL, TRUE, i);
    };
}

std::string gewaehlteDatei;
int32_t DateiAntwort(HWND, char* pfad, char* titel, int32_t art, int32_t)
{
    if (art != 8) return 0;
    std::snprintf(pfad, DATEI_NAME_PUFFER, "%s", gewaehlteDatei.c_str());
    std::snprintf(titel, 20, "files.dat");
    return 1;
}

}  // namespace

class FeffFitDialog : public EditFixture {
protected:
    std::vector<char> text = std::vector<char>(COMMAND_TEXT_BYTES, '\0');
    char* altText = nullptr;
    std::vector<unsigned char> vorher;

    void SetUp() override
    {
        EditFixture::SetUp();
        altText = CommandText;
        CommandText = text.data();
        std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", FILES_DAT.c_str());
        FeffPfadeLeeren();
        FeffFitFilter = 2.0;
        FeffFitBeine = 4;
        HAUPTDATEN.FeffSatzAnzahl = 0;
        FeffDateiWahl = DateiAntwort;
        SplineKnotCount = 0;
    }
    void TearDown() override
    {
        FeffDateiWahl = FileDialog;
        FeffPfadeLeeren();
        CommandText = altText;
        SplineKnotCount = 0;
        EditFixture::TearDown();
    }
    // Window 0's model: the given first functions, then `pfade` type-21
    // paths whose records name row 1 of the file.
    void Modell(std::vector<int32_t> anfang, int32_t pfade)
    {
        grafik_fenster& g = GrafikFenster[0];
        int32_t n = 0;
        for (int32_t t : anfang) g.FunktionsTypen[n++] = t;
        for (int32_t i = 1; i <= pfade; ++i) {
            g.FunktionsTypen[n++] = 21;
            FeffPfade[i].Pfadnummer = 1;
            std::snprintf(FeffPfade[i].FilesDatPfad, sizeof FeffPfade[i].FilesDatPfad, "%s", FILES_DAT.c_str());
            std::snprintf(FeffPfade[i].ListenZeile, sizeof FeffPfade[i].ListenZeile, "path %d", i);
        }
        g.AnzahlFunktionen = n;
        FitFunctionTypes = g.FunktionsTypen;
        FitParameters = g.Parameter;
        FitFunctionCount = n;
        vorher = FeffPfadeSichern();
    }
    int32_t Oeffne(std::vector<DialogSchritt> schritte)
    {
        boxen.clear();
        int32_t r = -1;
        EXPECT_TRUE(MitDialogen(std::move(schritte), [&] { r = FeffPfadAuswahl(hwnd); }));
        return r;
    }
};

TEST_F(FeffFitDialog, ListsByTheFiltersSpinsAndTransfers)
{
    Modell({1}, 0);
    std::vector<std::string> zuerst, weight20, alleSS, nachSpin;
    std::string filterOben, filterUnten, beineOben, beineUnten, markiert, gesamt;
    bool okAnfangs = true;
    const int32_t r = Oeffne({
        [&](HWND d) {
            zuerst = ListenZeilen(d, IDC_FP_ZEILEN);
            okAnfangs = IsWindowEnabled(GetDlgItem(d, IDOK)) != 0;
            gesamt = Text(d, IDC_FP_ANZAHL);
        },
        SetzeText(IDC_FP_FILTER, "20"),
        [&](HWND d) { weight20 = ListenZeilen(d, IDC_FP_ZEILEN); },
        Waehle(IDC_FP_ALLE_SS),
        [&](HWND d) {
            alleSS = ListenZeilen(d, IDC_FP_ZEILEN);
            markiert = Text(d, IDC_FP_MARKIERT);
        },
        SetzeText(IDC_FP_FILTER, "98"), Spin(IDC_FP_FILTER_SPIN, 1), Spin(IDC_FP_FILTER_SPIN, 1),
        [&](HWND d) { filterOben = Text(d, IDC_FP_FILTER); },
        SetzeText(IDC_FP_FILTER, "1"), Spin(IDC_FP_FILTER_SPIN, -1), Spin(IDC_FP_FILTER_SPIN, -1),
        [&](HWND d) { filterUnten = Text(d, IDC_FP_FILTER); },
        SetzeText(IDC_FP_BEINE, "9"), Spin(IDC_FP_BEINE_SPIN, 1), Spin(IDC_FP_BEINE_SPIN, 1),
        [&](HWND d) { beineOben = Text(d, IDC_FP_BEINE); },
        SetzeText(IDC_FP_BEINE, "3"), Spin(IDC_FP_BEINE_SPIN, -1), Spin(IDC_FP_BEINE_SPIN, -1),
        [&](HWND d) {
            beineUnten = Text(d, IDC_FP_BEINE);
            nachSpin = ListenZeilen(d, IDC_FP_ZEILEN);
        },
        Markiere({0, 2}), Druecke(IDC_FP_UEBERNEHMEN), Druecke(IDOK)});
    EXPECT_EQ(zuerst, Erwartet(2.0, 4, false));
    EXPECT_EQ(gesamt, std::to_string(zuerst.size()));
    EXPECT_FALSE(okAnfangs);
    EXPECT_EQ(weight20, Erwartet(20.0, 4, false));
    EXPECT_EQ(alleSS, Erwartet(20.0, 4, true));
    EXPECT_EQ(markiert, std::to_string(alleSS.size()));
    EXPECT_NE(weight20, alleSS);
    EXPECT_EQ(filterOben, "99");
    EXPECT_EQ(filterUnten, "0");
    EXPECT_EQ(beineOben, "10");
    EXPECT_EQ(beineUnten, "2");
    // Filter 0, two legs, "All SS": the two-leg rows.
    ASSERT_EQ(nachSpin, Erwartet(0.0, 2, true));
    ASSERT_GE(nachSpin.size(), 3u);

    // Two paths transferred, with their fields.
    EXPECT_EQ(r, 2);
    EXPECT_TRUE(boxen.empty());
    const int nummern[] = {FeffPfadnummer(nachSpin[0].substr(1, 12)), FeffPfadnummer(nachSpin[2].substr(1, 12))};
    const int index[] = {0, 2};
    for (int k = 0; k < 2; ++k) {
        const FeffPfad& p = FeffPfade[k + 1];
        EXPECT_EQ(p.Pfadnummer, nummern[k]) << k;
        EXPECT_EQ(p.ListenIndex, index[k]) << k;
        EXPECT_EQ(p.SatzNummer, 1);
        EXPECT_STREQ(p.FilesDatPfad, FILES_DAT.c_str());
        EXPECT_EQ(std::string(p.ListenZeile), nachSpin[index[k]]);
    }
    EXPECT_EQ(FeffPfade[3].Pfadnummer, 0);
    // The filters stay for the next opening.
    EXPECT_EQ(FeffFitFilter, 0.0);
    EXPECT_EQ(FeffFitBeine, 2);
}

TEST_F(FeffFitDialog, FilesDatButtonListsTheChosenFileAndCancelKeepsTheRecords)
{
    Modell({25}, 2);
    gewaehlteDatei = FILES_DAT;
    std::vector<std::string> liste, gewaehlt;
    std::string titel;
    const int32_t r = Oeffne({[&](HWND d) { gewaehlt = ListenZeilen(d, IDC_FP_GEWAEHLT); },
                              Druecke(IDC_FP_FILES_DAT),
                              [&](HWND d) {
                                  liste = ListenZeilen(d, IDC_FP_ZEILEN);
                                  titel = Text(d, IDC_FP_TITEL);
                              },
                              Markiere({1}), Druecke(IDC_FP_UEBERNEHMEN), Druecke(IDCANCEL)});
    EXPECT_EQ(r, 0);
    EXPECT_EQ(gewaehlt, (std::vector<std::string>{"path 1", "path 2"}));
    // Upper case, mode 1: the rows of the filter and every two-leg row.
    std::string gross = FILES_DAT;
    CharUpperA(&gross[0]);
    EXPECT_EQ(std::string(CommandText), gross);
    EXPECT_EQ(liste, Erwartet(2.0, 4, true));
    EXPECT_EQ(titel, " Copper example                                                   Feff 8.50L");
    EXPECT_EQ(FeffPfadeSichern(), vorher);
}

// The 101st path and the parameter limits (249; the smaller one of a
// spline background) refuse the transfer with a message.
TEST_F(FeffFitDialog, TransfersStopAtTheLimits)
{
    Modell({25}, 100);
    int32_t r = Oeffne({Druecke(IDC_FP_UEBERNEHMEN), Druecke(IDOK)});
    EXPECT_EQ(r, 100);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_NE(boxen[0].text.find("At most 100 paths"), std::string::npos) << boxen[0].text;
    EXPECT_EQ(FeffPfadeSichern(), vorher);

    // S0^2 and 60 paths of four parameters: room for two more (249).
    FeffPfadeLeeren();
    Modell({25}, 60);
    r = Oeffne({Markiere({0, 1, 2, 3, 4}), Druecke(IDC_FP_UEBERNEHMEN), Druecke(IDOK)});
    EXPECT_EQ(r, 62);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_NE(boxen[0].text.find("more paths"), std::string::npos) << boxen[0].text;
    EXPECT_EQ(FeffPfade[62].ListenIndex, 1);
    EXPECT_EQ(FeffPfade[63].Pfadnummer, 0);
    const int32_t typen62[] = {25};
    std::vector<int32_t> t(typen62, typen62 + 1);
    t.insert(t.end(), 62, 21);
    EXPECT_GE(CheckModelSize(63, t.data(), 0, 0), 0);
    t.push_back(21);
    EXPECT_LT(CheckModelSize(64, t.data(), 0, 0), 0);

    // A spline of 20 knots with S0^2: seven paths.
    FeffPfadeLeeren();
    SplineKnotCount = 20;
    Modell({53, 25}, 0);
    r = Oeffne({SetzeText(IDC_FP_BEINE, "4"), SetzeText(IDC_FP_FILTER, "3"), Druecke(IDC_FP_UEBERNEHMEN),
                Druecke(IDCANCEL)});
    EXPECT_EQ(r, 0);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_NE(boxen[0].text.find("(7 paths)"), std::string::npos) << boxen[0].text;
}

TEST_F(FeffFitDialog, MultipleDetailsShowsAndTakesTheFactors)
{
    HAUPTDATEN.FeffSatzAnzahl = 2;
    FEFF_SATZ_EINSTELLUNGEN alt = FeffSatzEinstellungen;
    FeffSatzEinstellungen.Koeffizienten[0] = 0.5;
    FeffSatzEinstellungen.Koeffizienten[1] = 0.25;
    FeffSatzEinstellungen.Flags[0] = 0;
    FeffSatzEinstellungen.Flags[1] = 1;
    FeffSatzEinstellungen.Modus = 0;
    std::string f1, f2;
    bool dritteSichtbar = true, fest2 = false, einzeln = false;
    INT_PTR r = -1;
    ASSERT_TRUE(MitDialogen(
        {[&](HWND d) {
             f1 = Text(d, IDC_FMD_FAKTOR);
             f2 = Text(d, IDC_FMD_FAKTOR + 1);
             dritteSichtbar = IsWindowVisible(GetDlgItem(d, IDC_FMD_FAKTOR + 2)) != 0;
             fest2 = IsDlgButtonChecked(d, IDC_FMD_FEST + 1) == BST_CHECKED;
             einzeln = IsDlgButtonChecked(d, IDC_FMD_EINZELN) == BST_CHECKED;
         },
         SetzeText(IDC_FMD_FAKTOR, "0.7"), Waehle(IDC_FMD_FEST), Waehle(IDC_FMD_MEHRERE), Druecke(IDOK)},
        [&] {
            r = DialogBoxParamA(GetModuleHandleA(nullptr), "FEFF_MULTIPLE_DETAILS", hwnd, FeffMultipleDetailsProc, 0);
        }));
    EXPECT_EQ(r, 1);
    EXPECT_EQ(f1, "0.5");
    EXPECT_EQ(f2, "0.25");
    EXPECT_FALSE(dritteSichtbar);
    EXPECT_TRUE(fest2);
    EXPECT_TRUE(einzeln);
    EXPECT_EQ(FeffSatzEinstellungen.Koeffizienten[0], 0.7);
    EXPECT_EQ(FeffSatzEinstellungen.Flags[0] & 1, 1);
    EXPECT_EQ(FeffSatzEinstellungen.Modus, 1);
    FeffSatzEinstellungen = alt;
    HAUPTDATEN.FeffSatzAnzahl = 0;
}
