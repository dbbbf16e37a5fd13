// FEFF paths in the atomic background fit on the room-temperature copper
// foil taken to k as the background macros take it, with the first three
// paths of the copper FEFF 8.50L run (records filled as FEFF_FIT leaves
// them): the model in the window, the fit with both options of each group,
// its files and table, and the refusals.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/spectra/data_commands_fixture.h"
#include "app/temp_folder.h"
#include "fit/exafs_terms.h"
#include "fit/fit_model.h"
#include "resource_ids.h"
#include "shell/shell_globals.h"
#include "spectra/data_commands_win.h"
#include "xas/debye_waller.h"
#include "xas/feff_path.h"
#include "xas/mcmaster.h"
#include "xas/mue_xafs_win.h"
#include "xas/section_dialog_win.h"
#include "xas/xas_background.h"
#include "xas/xas_background_win.h"
#include "shell/haupt_fenster.h"

namespace {

using Feld = std::vector<double>;
const std::string FEFF = KORLAN_TEST_DIR "/app/xas/data/cu_feff85_noSCF/";
const int32_t KNOTEN = 11;
const double VON = 0.5, BIS = 17.4;

std::string LiesText(const std::string& name)
{
    std::ifstream f(name, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

std::vector<std::string> TextZeilen(const std::string& t)
{
    std::vector<std::string> z;
    std::istringstream s(t);
    std::string l;
    while (std::getline(s, l)) {
        if (!l.empty() && l.back() == '\r') l.pop_back();
        z.push_back(l);
    }
    return z;
}

std::function<INT_PTR(HWND, int32_t)> Antwort;
INT_PTR Antworten(HWND dlg, int32_t modus) { return Antwort ? Antwort(dlg, modus) : 0; }

}  // namespace

class MueXafsFit : public EditFixture {
protected:
    TempOrdner daten;
    std::string altOrdner;
    std::vector<double> mucal = std::vector<double>(MCMASTER_WERTE, 0.0);
    double* altMucal = nullptr;
    int32_t altDw = 0;

    void SetUp() override
    {
        EditFixture::SetUp();
        altOrdner = HAUPTDATEN.DatenOrdner;
        std::snprintf(HAUPTDATEN.DatenOrdner, ORDNER_BYTES, "%s", daten.Ordner().c_str());
        ASSERT_EQ(LeseMucalDatei(KORLAN_TEST_DIR "/../app/resources/program/mucal.dat", mucal.data()), 1);
        altMucal = McMasterTable;
        McMasterTable = mucal.data();
        altDw = DebyeWallerModell;
        FeffPfadeLeeren();
        FehlerCode = 0;
        // The program's own model callback (the fixture puts a test model there).
        HAUPTDATEN.ModellCallback = ModellFunktion;
        Kupfer();
        // The copper k curve of the background macros.
        Prepared(803, {8.779, 8.950});
        Prepared(804, {9.100, 10.100});
        Prepared(818, {8.9805});
        Prepared(810, {});
        ASSERT_EQ(FehlerCode, 0);
        grafik_fenster& g = GrafikFenster[0];
        g.FunktionsTypen[0] = 53;
        g.AnzahlFunktionen = 1;
        g.PolyGrad = KNOTEN;
        g.Parameter[SPLINE_MARKER_INDEX] = 0.0;
        HAUPTDATEN.DialogWerte[5] = 2.0;
        // The first three rows of files.dat, chosen.
        for (int32_t r = 1; r <= 3; ++r) {
            FeffPfad& s = FeffPfade[r];
            s.Pfadnummer = r;
            s.ListenIndex = r - 1;
            s.SatzNummer = 1;
            std::snprintf(s.FilesDatPfad, sizeof s.FilesDatPfad, "%s", (FEFF + "files.dat").c_str());
        }
    }
    void TearDown() override
    {
        FeffPfadeLeeren();
        McMasterTable = altMucal;
        DebyeWallerModell = altDw;
        SektionsAntwort = nullptr;
        Antwort = nullptr;
        std::snprintf(HAUPTDATEN.DatenOrdner, ORDNER_BYTES, "%s", altOrdner.c_str());
        FehlerCode = 0;
        EditFixture::TearDown();
    }
    void Kupfer()
    {
        std::ifstream f(KORLAN_TEST_DIR "/app/spectra/data/cu_metal_rt.xdi");
        ASSERT_TRUE(f.good());
        grafik_fenster& g = GrafikFenster[0];
        std::string z;
        int n = 0;
        while (std::getline(f, z)) {
            if (z.empty() || z[0] == '#') continue;
            std::istringstream s(z);
            double a, b, c;
            if (s >> a >> b >> c) {
                g.GetXFeld(0)[n] = a / 1000.0;
                g.GetYFeld(0)[n++] = std::log(b / c);
            }
        }
        NurSlotNull(0, n);
        AktivesFenster = 0;
    }
    double* P() const { return GrafikFenster[0].Parameter; }
    // Index of parameter i of path j (0-based) behind the knots and S0^2.
    static int32_t I(int32_t j, int32_t i) { return KNOTEN + 1 + 4 * j + i; }
    // The model with the options, the fit, and what it gives.
    struct Ergebnis {
        int32_t N = 0;
        Feld ox, oy, fx, fy;
    };
    Ergebnis Fit(double abstaende, double sigma2)
    {
        HAUPTDATEN.DialogWerte[0] = abstaende;
        HAUPTDATEN.DialogWerte[1] = sigma2;
        EXPECT_EQ(MueXafsModellSetzen(HAUPTDATEN.Hauptfenster, 3, KNOTEN), 3);
        Ergebnis e;
        const int32_t n = GrafikFenster[0].Punkte();
        e.ox.resize(n), e.oy.resize(n), e.fx.resize(n), e.fy.resize(n);
        e.N = MueNullFitRechnen(VON, BIS, KNOTEN, e.ox.data(), e.oy.data(), e.fx.data(), e.fy.data());
        for (Feld* f : {&e.ox, &e.oy, &e.fx, &e.fy}) f->resize(e.N > 0 ? e.N : 0);
        return e;
    }
    // Root mean square of a - b over the section.
    static double Rms(const Feld& a, const Feld& b)
    {
        double s = 0.0;
        for (size_t i = 0; i < a.size(); ++i) s += (a[i] - b[i]) * (a[i] - b[i]);
        return std::sqrt(s / a.size());
    }
    // The same from k0 on, where the paths' EXAFS lies.
    static double RmsAb(const Ergebnis& e, const Feld& a, const Feld& b, double k0)
    {
        Feld a2, b2;
        for (size_t i = 0; i < a.size(); ++i)
            if (e.fx[i] >= k0) a2.push_back(a[i]), b2.push_back(b[i]);
        return Rms(a2, b2);
    }
    Feld Daten(const Ergebnis& e) const
    {
        const Feld x = X(0, GrafikFenster[0].AktuellerSlot()), y = Y(0, GrafikFenster[0].AktuellerSlot());
        size_t lo = 0;
        while (lo < x.size() && x[lo] < e.fx[0] - 1e-12) ++lo;
        return Feld(y.begin() + lo, y.begin() + lo + e.N);
    }
    // The files of the fit: the table's lines and spline_XAS.mue's columns.
    void Dateien(const Ergebnis& e, std::vector<std::string>* tabelle)
    {
        *tabelle = TextZeilen(LiesText(daten.Datei("mue_xafs.txt")));
        const std::vector<std::string> s = TextZeilen(LiesText(daten.Datei("spline_XAS.mue")));
        ASSERT_EQ(s.size(), static_cast<size_t>(e.N));
        for (int i = 0; i < e.N; i += 37) {
            double a = 0, b = 0;
            ASSERT_EQ(std::sscanf(s[i].c_str(), "%lf %lf", &a, &b), 2);
            EXPECT_NEAR(a, e.fx[i], 1e-9 * std::fabs(a));
            EXPECT_NEAR(b, e.fy[i], 1e-9 * std::fabs(b));
        }
    }
};

TEST_F(MueXafsFit, FreeDistancesAndSigma2FitTheFirstShells)
{
    const Ergebnis e = Fit(1.0, 1.0);
    ASSERT_GT(e.N, 100);
    grafik_fenster& g = GrafikFenster[0];
    EXPECT_EQ(g.AnzahlFunktionen, 5);
    EXPECT_EQ(g.ModellArt, 4);
    // Knots over the section, bounds none of them overwritten.
    for (int32_t k = 0; k < KNOTEN; ++k)
        EXPECT_NEAR(P()[SPLINE_KNOT_INDEX + k], e.fx.front() + k * (e.fx.back() - e.fx.front()) / (KNOTEN - 1), 1e-9);
    EXPECT_LT(UpperBoundIndex(MaxParameter), SPLINE_KNOT_INDEX);
    // Copper: the first shell at a / sqrt(2) = 2.553 A with sigma^2 near
    // 0.0086 A^2 at room temperature; within the bounds of the options.
    const double r1 = P()[I(0, 1)], s1 = P()[I(0, 2)], e0 = P()[I(0, 3)];
    EXPECT_NEAR(r1, 2.553, 0.03);
    EXPECT_GE(r1, 0.95 * 2.5527);
    EXPECT_LE(r1, 1.05 * 2.5527);
    EXPECT_GT(s1, 0.005);
    EXPECT_LT(s1, 0.013);
    EXPECT_GE(e0, -15.0);
    EXPECT_LE(e0, 15.0);
    // One E0 for all, S0^2 and N kept.
    EXPECT_NEAR(P()[I(1, 3)], e0, 1e-9);
    EXPECT_NEAR(P()[I(2, 3)], e0, 1e-9);
    EXPECT_EQ(P()[KNOTEN], 1.0);
    EXPECT_EQ(P()[I(0, 0)], 12.0);
    EXPECT_EQ(P()[I(2, 0)], 48.0);
    for (int32_t j = 0; j < 3; ++j) {
        EXPECT_GE(P()[I(j, 2)], 0.0005);
        EXPECT_LE(P()[I(j, 2)], 0.05);
    }
    // The fitted absorption follows the data; with the paths it follows
    // them closer than the background alone.
    const Feld y = Daten(e);
    EXPECT_LT(Rms(e.fy, y), 0.05);
    EXPECT_LT(RmsAb(e, e.fy, y, 3.0), 0.6 * RmsAb(e, e.oy, y, 3.0)) << RmsAb(e, e.fy, y, 3.0) << " " << RmsAb(e, e.oy, y, 3.0);

    std::vector<std::string> t;
    Dateien(e, &t);
    ASSERT_EQ(t.size(), 3u);  // the two single-scattering paths
    EXPECT_EQ(t[0], "  Pair     ;  CN      ;   R        ;   R-Ro     ;  sig^2     ;  E0      ;  w(%)");
    char z[200];
    std::snprintf(z, sizeof z, "  Cu - Cu  ; % -8.3G ; % -10.4G ; % -10.4G ; % -10.3G ; % -8.3G ; % -8.4G", 12.0, r1,
                  r1 - 2.5527, s1, e0, 100.0);
    EXPECT_EQ(t[1], z);
    EXPECT_EQ(std::string(CommandText).rfind(" Pair \tCN \tR \tR-Ro \tsig^2 \tE0 \tw(%)\r\n Cu - Cu \t 12 \t", 0), 0u);
}

TEST_F(MueXafsFit, XyzDistancesAndPotentialDebyeTemperature)
{
    const Ergebnis e = Fit(-1.0, -1.0);
    ASSERT_GT(e.N, 100);
    EXPECT_EQ(DebyeWallerModell, -1);
    // Three paths: the first is the free cluster shift, the other two fixed at 0.
    EXPECT_EQ(ParameterFlags[I(0, 1)], PF_CLUSTER | PF_CONSTRAINED);
    EXPECT_EQ(ParameterFlags[I(1, 1)], PF_CLUSTER | PF_FIXED);
    const double dr = P()[I(0, 1)];
    EXPECT_GE(dr, -0.06);
    EXPECT_LE(dr, 0.06);
    EXPECT_EQ(P()[I(1, 1)], 0.0);
    EXPECT_EQ(P()[I(2, 1)], 0.0);
    // The paths' distances follow the cluster stretched on x by the free
    // coefficient: path 2 lies on x, path 1 in the x-z plane.
    const double c[3] = {dr, 0.0, 0.0};
    EXPECT_NEAR(CommandArgs[5003], 3.61 * (1.0 + dr), 1e-9);
    EXPECT_NEAR(CommandArgs[5002], 2.5527 * std::sqrt(((1.0 + dr) * (1.0 + dr) + 1.0) / 2.0), 1e-9);
    EXPECT_EQ(CommandArgs[5002], ClusterAbstand(FeffPfade[1], c));
    // One Debye temperature for the potential of copper: near copper's
    // correlated-Debye temperature (about 315 K).
    const double theta = P()[I(0, 2)];
    EXPECT_GT(theta, 220.0);
    EXPECT_LT(theta, 450.0);
    EXPECT_EQ(ParameterFlags[I(0, 2)], PF_MS | PF_CONSTRAINED);
    EXPECT_EQ(ParameterFlags[I(1, 2)], PF_MS | PF_FIXED);
    const Feld y = Daten(e);
    EXPECT_LT(Rms(e.fy, y), 0.05);
    EXPECT_LT(RmsAb(e, e.fy, y, 3.0), 0.6 * RmsAb(e, e.oy, y, 3.0));

    std::vector<std::string> t;
    Dateien(e, &t);
    ASSERT_EQ(t.size(), 3u);
    // The temperature is reported as its sigma^2.
    char z[200];
    std::snprintf(z, sizeof z, " % -10.3G ;", CorrDebyeSigma2(FeffPfade[1], MessTemperatur, theta));
    EXPECT_NE(t[1].find(z), std::string::npos) << t[1] << " / " << z;
    // ... and the distances reported are those of the cluster.
    std::snprintf(z, sizeof z, " ; % -10.4G ; % -10.4G ;", CommandArgs[5002], CommandArgs[5002] - 2.5527);
    EXPECT_NE(t[1].find(z), std::string::npos) << t[1] << " / " << z;
    std::snprintf(z, sizeof z, " ; % -10.4G ; % -10.4G ;", CommandArgs[5003], CommandArgs[5003] - 3.61);
    EXPECT_NE(t[2].find(z), std::string::npos) << t[2] << " / " << z;
}

TEST_F(MueXafsFit, RefusedModelsLeaveTheSplineAlone)
{
    struct Fall {
        double abstaende;
        int32_t pfade, knoten;
        const char* text;
    } faelle[] = {{-1.0, 2, KNOTEN, "xyz correlation needs at least three"},
                  {1.0, 3, 40, "at most 2 FEFF paths"}};
    for (const Fall& f : faelle) {
        boxen.clear();
        HAUPTDATEN.DialogWerte[0] = f.abstaende;
        HAUPTDATEN.DialogWerte[1] = 1.0;
        EXPECT_EQ(MueXafsModellSetzen(HAUPTDATEN.Hauptfenster, f.pfade, f.knoten), 0);
        ASSERT_EQ(boxen.size(), 1u);
        EXPECT_NE(boxen[0].text.find(f.text), std::string::npos) << boxen[0].text;
        EXPECT_EQ(GrafikFenster[0].AnzahlFunktionen, 1);
        EXPECT_EQ(GrafikFenster[0].FunktionsTypen[0], 53);
    }
}

TEST_F(MueXafsFit, SectionDialogOffersTheBoxAndTheSplineCommandKeepsTheFit)
{
    // With the paths set, the spline mode of the section dialog shows the
    // box checked and its fit button fits both.
    HAUPTDATEN.DialogWerte[0] = 1.0;
    HAUPTDATEN.DialogWerte[1] = 1.0;
    ASSERT_EQ(MueXafsModellSetzen(HAUPTDATEN.Hauptfenster, 3, KNOTEN), 3);
    const int s = GrafikFenster[0].AktuellerSlot();
    bool an = false, gehakt = false;
    std::string tabelle;
    SektionsAntwort = Antworten;
    Antwort = [&](HWND dlg, int32_t) -> INT_PTR {
        an = IsWindowEnabled(GetDlgItem(dlg, IDC_SB_FEFF)) != 0;
        gehakt = IsDlgButtonChecked(dlg, IDC_SB_FEFF) == BST_CHECKED;
        char t[60];
        std::snprintf(t, sizeof t, "%.8G", BIS);
        SetDlgItemTextA(dlg, IDC_SB_OBEN, t);
        std::snprintf(t, sizeof t, "%.8G", VON);
        SetDlgItemTextA(dlg, IDC_SB_UNTEN, t);
        SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_SB_FIT, BN_CLICKED), 0);
        char e[2000] = "";
        GetDlgItemTextA(dlg, IDC_SB_ERGEBNIS, e, sizeof e);
        tabelle = e;
        RedrawWindow(dlg, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        EXPECT_TRUE(FensterFoto(dlg, "mue_xafs_preview.png"));
        SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return 0;
    };
    HilfeThema = 5;
    const int32_t r = SektionsDialog(828);
    HilfeThema = 0;
    EXPECT_EQ(r, 10);
    EXPECT_TRUE(an);
    EXPECT_TRUE(gehakt);
    EXPECT_EQ(tabelle.rfind(" Pair \tCN \tR \tR-Ro", 0), 0u) << tabelle;
    EXPECT_NEAR(P()[I(0, 1)], 2.553, 0.03);
    EXPECT_EQ(GrafikFenster[0].AktuellerSlot(), s);
}

TEST_F(MueXafsFit, SplineCommandTakesTheBackgroundFittedWithThePaths)
{
    // 828 interactively: the paths join the model inside the section
    // dialog (as the box does after FEFF_FIT), the fit is shown, OK.
    const int s = GrafikFenster[0].AktuellerSlot();
    double r1 = 0.0;
    SektionsAntwort = Antworten;
    Antwort = [&](HWND dlg, int32_t) -> INT_PTR {
        HAUPTDATEN.DialogWerte[0] = 1.0;
        HAUPTDATEN.DialogWerte[1] = 1.0;
        EXPECT_EQ(MueXafsModellSetzen(dlg, 3, KNOTEN), 3);
        char t[60];
        std::snprintf(t, sizeof t, "%.8G", BIS);
        SetDlgItemTextA(dlg, IDC_SB_OBEN, t);
        std::snprintf(t, sizeof t, "%.8G", VON);
        SetDlgItemTextA(dlg, IDC_SB_UNTEN, t);
        SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_SB_FIT, BN_CLICKED), 0);
        r1 = P()[I(0, 1)];
        SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return 0;
    };
    const std::vector<double> knoten(P(), P() + KNOTEN);
    EXPECT_TRUE(MitDialogen({SetzeText(IDC_SF_ANZAHL, "11"), SetzeText(IDC_SF_GEWICHT, "2"), Druecke(IDOK)},
                            [] { HAUPTDATEN.Befehl(828, 0); }));
    EXPECT_EQ(FehlerCode, 0);
    EXPECT_NEAR(r1, 2.553, 0.03);
    grafik_fenster& g = GrafikFenster[0];
    ASSERT_EQ(g.AktuellerSlot(), (s + 1) & 3);
    // chi from the knots the dialog fitted, the spline alone afterwards.
    EXPECT_EQ(g.AnzahlFunktionen, 1);
    EXPECT_EQ(g.FunktionsTypen[0], 1);
    const Feld x = X(0, s), y = Y(0, s), chi = Y(0, g.AktuellerSlot()), k = X(0, g.AktuellerSlot());
    ASSERT_GT(k.size(), 100u);
    Feld kx(P() + SPLINE_KNOT_INDEX, P() + SPLINE_KNOT_INDEX + KNOTEN), ky(P(), P() + KNOTEN), mu0(k.size());
    NatuerlicherSpline(kx.data(), ky.data(), KNOTEN, k.data(), mu0.data(), static_cast<int32_t>(k.size()));
    size_t lo = 0;
    while (x[lo] < k[0] - 1e-12) ++lo;
    for (size_t i = 0; i < k.size(); i += 29)
        EXPECT_NEAR(chi[i], (y[lo + i] - mu0[i]) / mu0[i] * k[i] * k[i], 1e-9 * (1.0 + std::fabs(chi[i])));
    EXPECT_FALSE(LiesText(daten.Datei("spline_XAS.mue")).empty());
    EXPECT_EQ(TextZeilen(LiesText(daten.Datei("mue_xafs.txt"))).size(), 3u);
}

TEST_F(MueXafsFit, OptionsDialogGivesBothGroupsInDialogWerte)
{
    struct Fall {
        std::vector<int> wahl;
        int knopf;
        int32_t ergebnis;
        double r, s;
    } faelle[] = {
        {{}, IDOK, 1, 1.0, 1.0},   // the free options are proposed
        {{IDC_MX_R_XYZ, IDC_MX_S_DEBYE}, IDOK, 1, -1.0, -1.0},
        {{IDC_MX_S_DEBYE}, IDOK, 1, 1.0, -1.0},
        {{IDC_MX_R_XYZ}, IDCANCEL, 0, 7.0, 7.0},  // Cancel leaves the values
    };
    for (const Fall& f : faelle) {
        HAUPTDATEN.DialogWerte[0] = HAUPTDATEN.DialogWerte[1] = 7.0;
        std::vector<DialogSchritt> schritte;
        for (int id : f.wahl) schritte.push_back(Waehle(id));
        schritte.push_back(Druecke(f.knopf));
        int32_t r = -1;
        EXPECT_TRUE(MitDialogen(schritte, [&r] { r = MueXafsDialog(HAUPTDATEN.Hauptfenster); }));
        EXPECT_EQ(r, f.ergebnis);
        EXPECT_EQ(HAUPTDATEN.DialogWerte[0], f.r);
        EXPECT_EQ(HAUPTDATEN.DialogWerte[1], f.s);
    }
}
