// Command 833 in the running program: the dialog CALCDEXSPEC with its DEX
// rows, browse buttons and path checks, the run on a detector series built
// from the real dispersive Fe K spectrum EMG003, and the prepared run with
// its question.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/series/dex_series_fixture.h"
#include "app/spectra/data_commands_fixture.h"
#include "resource_ids.h"
#include "series/dex_spectra_win.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"

namespace {

using dex_serie::Serie;
using dex_serie::Spalte;
using dex_serie::SpaltenWort;

class DexSpektren : public EditFixture {
protected:
    std::string o;
    void SetUp() override
    {
        EditFixture::SetUp();
        o = ordner + "\\";
        Kurve(0, 10, [](double x) { return x; });
    }
    std::vector<double> YAktuell() const
    {
        grafik_fenster& g = GrafikFenster[0];
        return std::vector<double>(g.GetYFeld(-1), g.GetYFeld(-1) + g.Punkte());
    }
};

}  // namespace

TEST_F(DexSpektren, SeriesThroughTheDialogIntoOneMultiColumnFile)
{
    const Serie s;
    ASSERT_TRUE(s.SchreibeDateien(o, {1, 2, 3, 4, 5}, {1, 2, 3, 4, 5}));
    // Not of the series, though its short name ends in ".DXA".
    ASSERT_TRUE(CopyFileA((o + "i0_5.dxa").c_str(), (o + "i0_6.dxab").c_str(), FALSE));
    ASSERT_TRUE(MitDialogen({SetzeText(200, (o + "i0_*.dxa").c_str()), SetzeText(210, (o + "i1_*.dxa").c_str()),
                             SetzeText(220, (o + "dark.dxa").c_str()), Waehle(IDC_DEX_MEHRSPALTIG), Druecke(IDOK)},
                            [] { HAUPTDATEN.Befehl(833, 0); }));
    EXPECT_TRUE(boxen.empty());
    EXPECT_EQ(SpaltenWort(o + "i0_.xas"), 6);
    for (int k = 1; k <= 5; ++k) {
        const std::vector<double> y = Spalte(o + "i0_.xas", k + 1);
        ASSERT_EQ(y.size(), 1128u);
        for (int d = 0; d < 1128; d += 47) ASSERT_NEAR(y[d], s.mu[d] * (1.0 + 0.02 * k), 1e-5) << k << " " << d;
    }
    // The window shows the last spectrum with all its points.
    grafik_fenster& g = GrafikFenster[0];
    EXPECT_EQ(g.Punkte(), 1128);
    EXPECT_EQ(g.AktuellerSlot(), 1);
    EXPECT_NEAR(YAktuell()[900], s.mu[900] * 1.1, 1e-5);
    EXPECT_DOUBLE_EQ(g.Grenzen[0], 1127.0);
    EXPECT_DOUBLE_EQ(g.Grenzen[1], 0.0);
    EXPECT_STREQ(HAUPTDATEN.DateiFilter, "*.xas");
    EXPECT_EQ(std::string(HAUPTDATEN.DatenOrdner), ordner);
    EXPECT_STREQ(CommandText, (o + "i0_*.dxa##" + o + "i1_*.dxa##" + o + "dark.dxa").c_str());
    EXPECT_EQ(HAUPTDATEN.DialogWerte[0], -1.0);
    EXPECT_EQ(HAUPTDATEN.DialogWerte[1], 1.0);
    EXPECT_EQ(HAUPTDATEN.DialogWerte[2], -1.0);
}

TEST_F(DexSpektren, DexBoxShowsItsRowsAndLongPathsAreRefused)
{
    struct Stand {
        bool vorher = true, nachher = false, mehrAn = true, bl8An = true, wieder = false;
    } st;
    auto pruefe = [&st](HWND dlg) {
        st.vorher = IsWindowVisible(GetDlgItem(dlg, 205)) != FALSE;
        st.bl8An = IsWindowEnabled(GetDlgItem(dlg, IDC_DEX_BL8)) != FALSE;
        CheckDlgButton(dlg, IDC_DEX_MEHRSPALTIG, BST_CHECKED);
    };
    auto nachDex = [&st](HWND dlg) {
        st.nachher = IsWindowVisible(GetDlgItem(dlg, 235)) && IsWindowVisible(GetDlgItem(dlg, IDC_DEX_FOLIE_2));
        st.mehrAn = IsWindowEnabled(GetDlgItem(dlg, IDC_DEX_MEHRSPALTIG)) ||
                    IsDlgButtonChecked(dlg, IDC_DEX_MEHRSPALTIG) == BST_CHECKED;
    };
    auto nachAus = [&st](HWND dlg) {
        st.wieder = !IsWindowVisible(GetDlgItem(dlg, 205)) && IsWindowEnabled(GetDlgItem(dlg, IDC_DEX_MEHRSPALTIG));
    };
    const std::string lang = o + std::string(120, 'a') + ".dxa";
    auto abwaehlen = [](HWND dlg) {
        CheckDlgButton(dlg, IDC_DEX_DEXFORMAT, BST_UNCHECKED);
        SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_DEX_DEXFORMAT, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDC_DEX_DEXFORMAT)));
    };
    ASSERT_TRUE(MitDialogen({pruefe, Waehle(IDC_DEX_DEXFORMAT), nachDex, abwaehlen, nachAus,
                             SetzeText(200, lang.c_str()), SetzeText(210, "i1.dxa"), Druecke(IDOK),
                             Druecke(IDCANCEL)},
                            [] { HAUPTDATEN.Befehl(833, 0); }));
    EXPECT_FALSE(st.vorher);
    EXPECT_FALSE(st.bl8An);
    EXPECT_TRUE(st.nachher);
    EXPECT_FALSE(st.mehrAn);
    EXPECT_TRUE(st.wieder);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_NE(boxen[0].text.find("109 characters"), std::string::npos);
    // Cancel leaves the window as it was.
    EXPECT_EQ(GrafikFenster[0].AktuellerSlot(), 0);
    EXPECT_EQ(GrafikFenster[0].Punkte(), 10);
}

TEST_F(DexSpektren, PreparedRunAsksAboutNumbersThatDifferAndStoresZeroForI1AtTheDarkLevel)
{
    const Serie s(300);
    ASSERT_TRUE(s.SchreibeDateien(o, {1, 2, 3, 4}, {1, 2, 4}));
    // I1 4 equals the dark signal at diode 7.
    std::vector<double> i1 = s.I1(4);
    i1[7] = s.dunkel[7];
    ASSERT_TRUE(dex_serie::Schreibe(o + "i1_4.dxa", s.x, {i1}));
    std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", (o + "i0_*.dxa##" + o + "i1_*.dxa##" + o + "dark.dxa").c_str());
    HAUPTDATEN.DialogWerte[0] = -1.0;
    HAUPTDATEN.DialogWerte[1] = -1.0;
    antwort = IDIGNORE;
    HAUPTDATEN.Befehl(833, 2);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].text, "Number of I0(3) and I1(4) not identical !\r\n        Try next I1 or continue.");
    EXPECT_EQ(boxen[0].titel, "ERROR !!");
    EXPECT_EQ(boxen[0].art & 0xF, static_cast<UINT>(MB_ABORTRETRYIGNORE));
    // Ignore paired I0 3 with I1 4: its file is the last one written.
    const std::vector<double> y = Spalte(o + "i1_4.xas", 2);
    ASSERT_EQ(y.size(), 300u);
    EXPECT_EQ(y[7], 0.0);
    EXPECT_NEAR(y[100], std::log((s.I0(3)[100] - s.dunkel[100]) / (i1[100] - s.dunkel[100])), 1e-5);
    EXPECT_EQ(GrafikFenster[0].Punkte(), 300);
    EXPECT_EQ(YAktuell()[7], 0.0);
    EXPECT_TRUE(std::isfinite(YAktuell()[7]));
}

TEST_F(DexSpektren, ASevenThousandPointTripleFillsTheWindowWithEveryPoint)
{
    const Serie s(7000);
    ASSERT_TRUE(s.SchreibeDateien(o, {1}, {1}));
    const std::string pfade = o + "i0_1.dxa##" + o + "i1_1.dxa##" + o + "dark.dxa";
    std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", pfade.c_str());
    HAUPTDATEN.DialogWerte[0] = -1.0;
    HAUPTDATEN.DialogWerte[1] = 1.0;  // no series: one two-column file all the same
    HAUPTDATEN.DialogWerte[2] = -1.0;
    HAUPTDATEN.Befehl(833, 2);
    EXPECT_TRUE(boxen.empty());
    grafik_fenster& g = GrafikFenster[0];
    ASSERT_EQ(g.Punkte(), 7000);
    EXPECT_EQ(g.GetXFeld(-1)[6999], 6999.0);
    EXPECT_NEAR(YAktuell()[6999], s.mu[6999] * 1.02, 1e-5);
    EXPECT_EQ(Spalte(o + "i1_1.xas", 2).size(), 7000u);
    EXPECT_FALSE(std::filesystem::exists(o + "i0_.xas"));
}

TEST_F(DexSpektren, Bl8FilesAreNotImportedAndTheCommandSaysSo)
{
    HAUPTDATEN.Befehl(188, 0);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].text, "Importing beamline \".bl8\" detector files is not available in this version of Korlan.");
}

namespace {

// What the browse buttons handed to the file-open dialog.
struct Durchsucht {
    std::string vorgabe, filter;
    DWORD flags = 0, laenge = 0;
    int aufrufe = 0;
};
Durchsucht& Gesehen()
{
    static Durchsucht d;
    return d;
}
BOOL WINAPI DateiGewaehlt(OPENFILENAMEA* ofn)
{
    Durchsucht& d = Gesehen();
    ++d.aufrufe;
    d.vorgabe = ofn->lpstrFile;
    d.filter.assign(ofn->lpstrFilter, ofn->lpstrFilter + std::strlen(ofn->lpstrFilter));
    d.flags = ofn->Flags;
    d.laenge = ofn->nMaxFile;
    std::snprintf(ofn->lpstrFile, ofn->nMaxFile, "C:\\mess\\i%d.dxa", d.aufrufe);
    return TRUE;
}

}  // namespace

TEST_F(DexSpektren, BrowseButtonsOfferDxaFilesAndFillTheirOwnEdit)
{
    Gesehen() = Durchsucht{};
    DexDateiDialog = DateiGewaehlt;
    std::string i1, foil2;
    auto lies = [&](HWND dlg) {
        char t[300] = "";
        GetDlgItemTextA(dlg, 210, t, sizeof t);
        i1 = t;
        GetDlgItemTextA(dlg, 235, t, sizeof t);
        foil2 = t;
    };
    const bool ok = MitDialogen({Druecke(IDC_DEX_I1), Waehle(IDC_DEX_DEXFORMAT), Druecke(IDC_DEX_FOLIE_2), lies,
                                 Druecke(IDCANCEL)},
                                [] { HAUPTDATEN.Befehl(833, 0); });
    DexDateiDialog = GetOpenFileNameA;
    ASSERT_TRUE(ok);
    const Durchsucht& d = Gesehen();
    EXPECT_EQ(d.aufrufe, 2);
    EXPECT_EQ(d.vorgabe, "*.dxa");
    EXPECT_EQ(d.filter, "Korlan format (*.dxa)");
    EXPECT_EQ(d.flags & (OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY),
              static_cast<DWORD>(OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY));
    EXPECT_EQ(d.laenge, 300u);
    EXPECT_EQ(i1, "C:\\mess\\i1.dxa");
    EXPECT_EQ(foil2, "C:\\mess\\i2.dxa");
    EXPECT_EQ(GrafikFenster[0].AktuellerSlot(), 0);  // Cancel
}
