// The XAFS parameter table on the 14 Cu paths of the FEFF 8.5 example:
// distance shifts, Debye-Waller models, the potential groupings on every
// page, dynamic pages, the multiple-scattering correlation and Cancel.
#include "parameter_dialog_fixture.h"

#include "app/xas/xas_test_support.h"
#include "fit/correlation.h"
#include "fit/exafs_terms.h"
#include "fit/xafs_table.h"
#include "xas/debye_waller.h"
#include "xas/feff_path.h"

namespace {

const int32_t PFADE[14] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 15};

struct EINSTELLUNGEN {
    int32_t dw, deltaR, regel, pot, grad;
    double t, theta;
    bool operator==(const EINSTELLUNGEN& o) const
    {
        return dw == o.dw && deltaR == o.deltaR && regel == o.regel && pot == o.pot && grad == o.grad &&
               t == o.t && theta == o.theta;
    }
};
EINSTELLUNGEN Einstellungen()
{
    return {DebyeWallerModell, DeltaRModus, MsSigmaRegel, PotentialModus, DwPolynomGrad, MessTemperatur,
            DebyeTemperatur};
}

}  // namespace

class XafsTableWin : public ParameterTableWin {
protected:
    EINSTELLUNGEN vorher{};
    int32_t aktiv = 0;
    std::vector<double> koeffizienten;
    void SetUp() override
    {
        ParameterTableWin::SetUp();
        vorher = Einstellungen();
        aktiv = DwPolynomAktiv;
        koeffizienten = DwPolynomKoeffizienten;
        DwPolynomAktiv = 0;
        DwPolynomGrad = 2;
        DebyeWallerModell = 0;
        DeltaRModus = -1;
        PotentialModus = 1;
        MessTemperatur = 300.0;
        DebyeTemperatur = 400.0;
    }
    void TearDown() override
    {
        FeffPfadeLeeren();
        DebyeWallerModell = vorher.dw;
        DeltaRModus = vorher.deltaR;
        MsSigmaRegel = vorher.regel;
        PotentialModus = vorher.pot;
        DwPolynomGrad = vorher.grad;
        DwPolynomAktiv = aktiv;
        DwPolynomKoeffizienten = koeffizienten;
        MessTemperatur = vorher.t;
        DebyeTemperatur = vorher.theta;
        HAUPTDATEN.SchmalesFenster = 0;
        ParameterTableWin::TearDown();
    }
    // [feff-S0, 14 paths] with the records of the example: N = degeneracy,
    // R = Reff, sigma^2 0.003, E0 shift 0.
    void CuModell()
    {
        Modell({25, 21, 21, 21, 21, 21, 21, 21, 21, 21, 21, 21, 21, 21, 21});
        const std::string files = Feff85Ordner() + "files.dat";
        FeffUmgebung u;
        u.McMaster = McMasterTabelle();
        u.Numerik = &Numerik;
        double* p = GrafikFenster[0].Parameter;
        p[0] = 0.9;
        for (int32_t k = 0; k < 14; ++k) {
            FeffPfad& s = FeffPfade[k + 1];
            s.Pfadnummer = PFADE[k];
            std::snprintf(s.FilesDatPfad, sizeof s.FilesDatPfad, "%s", files.c_str());
            ASSERT_GT(LadeFeffPfad(1, &s, 0, nullptr, u), 0) << PFADE[k];
            p[1 + 4 * k] = s.Entartung;
            p[2 + 4 * k] = s.Reff;
            p[3 + 4 * k] = 0.003;
            p[4 + 4 * k] = 0.0;
        }
    }
    static int32_t R(int32_t f) { return 1 + 4 * (f - 2) + 1; }
    static int32_t S2(int32_t f) { return 1 + 4 * (f - 2) + 2; }
    const double* P() const { return GrafikFenster[0].Parameter; }
};

TEST_F(XafsTableWin, DeltaRTurnsDistancesIntoShiftsAndBack)
{
    CuModell();
    std::string bild;
    EXPECT_EQ(Tabelle({[&](HWND d) {
                           Bild(d, "set_xafs_parameters.png");
                           char t[80];
                           GetDlgItemTextA(d, IDC_PT_FUNCTION + 3, t, sizeof t);
                           bild = t;
                           GetDlgItemTextA(d, IDC_PT_VALUE + 34, t, sizeof t);
                           bild += std::string("|") + t;
                       },
                       Umschalten(IDC_XT_DELTA_R), Sende(IDOK), Sende(IDOK)}),
              1);
    EXPECT_EQ(bild, " feff-Fit , # 4|feff0003.dat, MS");
    EXPECT_EQ(DeltaRModus, 1);
    for (int32_t f = 2; f <= 15; ++f) EXPECT_NEAR(P()[R(f)], 0.0, 1e-12) << f;

    // Off: only values below 1.0 get Reff back.
    GrafikFenster[0].Parameter[R(3)] = 0.02;
    GrafikFenster[0].Parameter[R(15)] = 5.3;
    EXPECT_EQ(Tabelle({Umschalten(IDC_XT_DELTA_R), Sende(IDOK), Sende(IDOK)}), 1);
    EXPECT_EQ(DeltaRModus, -1);
    EXPECT_NEAR(P()[R(3)], 3.61 + 0.02, 1e-9);
    EXPECT_NEAR(P()[R(2)], 2.5527, 1e-9);
    EXPECT_EQ(P()[R(15)], 5.3);
}

TEST_F(XafsTableWin, CalcSwitchesToDebyeAndCorrTiesEverySigma2)
{
    CuModell();
    EXPECT_EQ(Tabelle({SetzeText(IDC_XT_TEMP, "300"), SetzeText(IDC_XT_DTEMP, "315"), Sende(IDC_XT_CALC),
                       Sende(IDOK), Sende(IDOK)}),
              1);
    EXPECT_EQ(DebyeWallerModell, -1);
    EXPECT_NEAR(P()[S2(2)], 0.0090495, 5e-7);
    EXPECT_NEAR(P()[S2(15)], CorrDebyeSigma2(FeffPfade[14], 300.0, 315.0), 1e-9);
    EXPECT_EQ(DebyeTemperatur, 315.0);

    EXPECT_EQ(Tabelle({Sende(IDC_XT_CORR), Sende(IDOK), Sende(IDOK)}), 1);
    EXPECT_EQ(P()[S2(2)], 315.0);  // the first path holds the temperature
    for (int32_t f = 2; f <= 15; ++f) EXPECT_TRUE(flags[S2(f)] & PF_TEMPERATURE_MODEL) << f;
}

// The Debye-Waller polynomial's "Corr." with the degree from its edit: the
// four single-scattering paths are 1, 2, 5 and 8 (functions 2, 3, 6, 9),
// all of potential 1.
TEST_F(XafsTableWin, DwPolynomialCorrTakesItsDegreeAndTiesEverySigma2)
{
    CuModell();
    const std::vector<int32_t> alt(flags.begin(), flags.end());
    // A degree of 4 or more, a fraction or no number: nothing happens.
    for (const char* grad : {"4", "1.5", "x"}) {
        bool an = false;
        EXPECT_EQ(Tabelle({SetzeText(IDC_XT_POLY_DEGREE, grad), Sende(IDC_XT_POLY_CORR),
                           [&](HWND d) { an = IsWindowEnabled(GetDlgItem(d, IDC_XT_POLY_CORR)); }, Sende(IDOK),
                           Sende(IDOK)}),
                  1);
        EXPECT_TRUE(an) << grad;
        EXPECT_EQ(DwPolynomGrad, 2) << grad;
        EXPECT_EQ(DwPolynomAktiv, 0) << grad;
        EXPECT_TRUE(std::equal(alt.begin(), alt.end(), flags.begin())) << grad;
    }

    std::string grad, aus;
    const int32_t frei = MaxFitParameter;
    EXPECT_EQ(Tabelle({[&](HWND d) {
                           char t[16];
                           GetDlgItemTextA(d, IDC_XT_POLY_DEGREE, t, sizeof t);
                           grad = t;
                       },
                       SetzeText(IDC_XT_POLY_DEGREE, "1.0"), Sende(IDC_XT_POLY_CORR),
                       [&](HWND d) {
                           for (int id : {IDC_XT_CORR, IDC_XT_CALC, IDC_XT_POLY_DEGREE, IDC_XT_POLY_CORR,
                                          IDC_XT_POT_SIGMA, IDC_XT_AVE_SIGMA})
                               aus += IsWindowEnabled(GetDlgItem(d, id)) ? '1' : '0';
                           Bild(d, "set_xafs_parameters_dw_polynomial.png");
                       },
                       Sende(IDOK), Sende(IDOK)}),
              1);
    EXPECT_EQ(grad, "2");
    EXPECT_EQ(aus, "000001");
    EXPECT_EQ(DwPolynomGrad, 1);
    EXPECT_EQ(DwPolynomAktiv, 1);  // "Next" on the last page
    for (int32_t f = 2; f <= 15; ++f) {
        EXPECT_TRUE(flags[S2(f)] & PF_DW_POLYNOMIAL) << f;
        EXPECT_EQ((flags[S2(f)] & PF_FIXED) != 0, f > 3) << f;
    }
    EXPECT_EQ(P()[S2(2)], 0.003);
    EXPECT_EQ(P()[S2(3)], 0.0);
    EXPECT_EQ(MaxFitParameter, frei - 12);

    // In use at degree 1, now 2 and "E&xit" on page 1: orders 0 and 1 from
    // the kept coefficients, order 2 (path 5) starts at 0.
    CuModell();
    DwPolynomKoeffizienten[DW_POLYNOM_ORDNUNGEN] = 0.0021;
    DwPolynomKoeffizienten[DW_POLYNOM_ORDNUNGEN + 1] = 0.0011;
    DwPolynomKoeffizienten[DW_POLYNOM_ORDNUNGEN + 2] = 0.5;
    EXPECT_EQ(Tabelle({SetzeText(IDC_XT_POLY_DEGREE, "2"), Sende(IDC_XT_POLY_CORR), Sende(IDC_XT_EXIT)}), 1);
    EXPECT_EQ(DwPolynomGrad, 2);
    EXPECT_EQ(DwPolynomAktiv, 1);
    EXPECT_EQ(P()[S2(2)], 0.0021);
    EXPECT_EQ(P()[S2(3)], 0.0011);
    EXPECT_EQ(P()[S2(6)], 0.0);
    for (int32_t f : {2, 3, 6}) EXPECT_FALSE(flags[S2(f)] & PF_FIXED) << f;

    // Cancel keeps neither the degree nor the flags; a model without the
    // flag ends the use.
    CuModell();
    EXPECT_EQ(Tabelle({SetzeText(IDC_XT_POLY_DEGREE, "0"), Sende(IDC_XT_POLY_CORR), Sende(IDCANCEL)}), 0);
    EXPECT_EQ(DwPolynomGrad, 2);
    EXPECT_FALSE(flags[S2(2)] & PF_DW_POLYNOMIAL);
    EXPECT_EQ(DwPolynomAktiv, 1);
    EXPECT_EQ(Tabelle({Sende(IDC_XT_EXIT)}), 1);
    EXPECT_EQ(DwPolynomAktiv, 0);
}

TEST_F(XafsTableWin, AveAndPotReachEveryPage)
{
    CuModell();
    GrafikFenster[0].Parameter[S2(15)] = 350.0;  // a temperature on page 2
    EXPECT_EQ(Tabelle({Sende(IDC_XT_AVE_SIGMA), Sende(IDOK), Sende(IDOK)}), 1);
    EXPECT_NEAR(P()[S2(15)], CorrDebyeSigma2(FeffPfade[14], 300.0, 350.0), 1e-9);
    EXPECT_EQ(PotentialModus, 0);
    for (int32_t f = 2; f <= 15; ++f)
        EXPECT_EQ((flags[S2(f)] & PF_MS) != 0, FeffPfade[f - 1].Beine > 2) << f;

    CuModell();
    PotentialModus = 1;
    const int32_t frei = MaxFitParameter;
    EXPECT_EQ(Tabelle({Sende(IDC_XT_POT_SIGMA), Sende(IDOK), Sende(IDOK)}), 1);
    EXPECT_EQ(PotentialModus, 2);
    for (int32_t f = 2; f <= 15; ++f) EXPECT_TRUE(flags[S2(f)] & PF_MS) << f;
    // One scattering potential: the first path keeps a free temperature.
    EXPECT_EQ(P()[S2(2)], 400.0);
    EXPECT_FALSE(flags[S2(2)] & PF_FIXED);
    for (int32_t f = 3; f <= 15; ++f) EXPECT_TRUE(flags[S2(f)] & PF_FIXED) << f;
    EXPECT_EQ(MaxFitParameter, frei - 13);
}

TEST_F(XafsTableWin, PagesReachTheEndOfALargeModel)
{
    grafik_fenster& g = GrafikFenster[0];
    g.AnzahlFunktionen = 101;
    for (int32_t i = 0; i < 101; ++i) g.FunktionsTypen[i] = 25;
    Fenster0();
    ASSERT_EQ(ResetModelTables(), 101);
    std::vector<DialogSchritt> s;
    for (int i = 0; i < 10; ++i) s.push_back(Sende(IDOK));
    std::string knopf;
    s.push_back([&](HWND d) {
        char t[16];
        GetDlgItemTextA(d, IDOK, t, sizeof t);
        knopf = t;
    });
    s.push_back(SetzeText(IDC_PT_VALUE, "7"));
    s.push_back(Sende(IDOK));
    EXPECT_EQ(Tabelle(s), 1);
    EXPECT_EQ(knopf, "OK");
    EXPECT_EQ(P()[100], 7.0);
}

TEST_F(XafsTableWin, CancelRestoresEverything)
{
    CuModell();
    const TABELLEN_STAND vorher = TabellenMerken();
    const EINSTELLUNGEN e = Einstellungen();
    EXPECT_EQ(Tabelle({Umschalten(IDC_XT_DELTA_R), Sende(IDC_XT_CALC), Sende(IDC_XT_POT_SIGMA),
                       Sende(IDC_XT_FIX_ALL), Sende(IDC_XT_POT_E0), Sende(IDC_XT_MS_DISTANCE), Sende(IDOK),
                       Sende(IDCANCEL)}),
              0);
    GleicherStand(vorher, TabellenMerken());
    EXPECT_TRUE(Einstellungen() == e);
}

TEST_F(XafsTableWin, NarrowScreenOpensTheProfileTableAndKeepsTheTemperature)
{
    CuModell();
    HAUPTDATEN.SchmalesFenster = 1;
    bool xafs = true;
    std::vector<DialogSchritt> s = {[&](HWND d) { xafs = GetDlgItem(d, IDC_XT_SHOW_MS) != nullptr; }};
    for (int i = 0; i < 4; ++i) s.push_back(Sende(IDOK));
    EXPECT_EQ(Tabelle(s), 1);
    EXPECT_FALSE(xafs);
    EXPECT_EQ(MessTemperatur, 300.0);
    EXPECT_EQ(DebyeTemperatur, 400.0);
}

TEST_F(XafsTableWin, MultipleScatteringPreselectsTheMatchingPaths)
{
    CuModell();
    // SP: the distance of path 3 (row 3), an equilateral triangle of
    // 2.5527 A legs: path 1 in both lists, 60 degrees.
    std::string auswahl;
    bool okVorher = false, okNachher = false;
    const int32_t frei = MaxFitParameter;
    EXPECT_EQ(Tabelle({Fokus(IDC_PT_VALUE + 31), Klick(IDC_XT_MULTIPLE),
                       [&](HWND d) {
                           int pos = -1;
                           SendDlgItemMessageA(d, IDC_MS_FIRST, LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(&pos));
                           const LRESULT a = SendDlgItemMessageA(d, IDC_MS_FIRST, LB_GETITEMDATA, pos, 0);
                           const LRESULT cur = SendDlgItemMessageA(d, IDC_MS_LAST, LB_GETCURSEL, 0, 0);
                           const LRESULT b = SendDlgItemMessageA(d, IDC_MS_LAST, LB_GETITEMDATA, cur, 0);
                           char t[20];
                           GetDlgItemTextA(d, IDC_MS_ANGLE, t, sizeof t);
                           auswahl = std::to_string(SendDlgItemMessageA(d, IDC_MS_FIRST, LB_GETSELCOUNT, 0, 0)) +
                                     "|" + std::to_string(a) + "|" + std::to_string(b) + "|" + t;
                       },
                       Sende(IDOK), Sende(IDOK), Sende(IDOK)}),
              1);
    EXPECT_EQ(auswahl, "1|" + std::to_string(R(2)) + "|" + std::to_string(R(2)) + "|60");
    EXPECT_EQ(words[R(4)], MsCorrelationWord(R(2), R(2)));
    EXPECT_EQ(constants[R(4)], 60.0);
    EXPECT_TRUE(flags[R(4)] & PF_CORRELATED);
    EXPECT_EQ(MaxFitParameter, frei - 1);

    // Without a preselection OK waits for a choice in both lists.
    CuModell();
    auto waehle = [](int id, int index) {
        return [id, index](HWND d) {
            HWND l = GetDlgItem(d, id);
            if (id == IDC_MS_FIRST) SendMessageA(l, LB_SETSEL, TRUE, index);
            else SendMessageA(l, LB_SETCURSEL, index, 0);
            SendMessageA(d, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(l));
        };
    };
    EXPECT_EQ(Tabelle({Fokus(IDC_PT_VALUE + 21), Klick(IDC_XT_MULTIPLE),
                       [&](HWND d) { okVorher = IsWindowEnabled(GetDlgItem(d, IDOK)); }, waehle(IDC_MS_FIRST, 0),
                       [&](HWND d) { okNachher = IsWindowEnabled(GetDlgItem(d, IDOK)); }, waehle(IDC_MS_LAST, 1),
                       Sende(IDOK), Sende(IDOK), Sende(IDOK)}),
              1);
    EXPECT_FALSE(okVorher);
    EXPECT_FALSE(okNachher);
    EXPECT_TRUE(IsMsWord(words[R(3)]));
    EXPECT_EQ(WordMsFirst(words[R(3)]), R(2));
}

TEST_F(XafsTableWin, CorrelationListsFollowShowMsPaths)
{
    CuModell();
    // SP: N of path 1.
    std::string zahlen;
    auto zaehle = [&](HWND d) {
        zahlen += std::to_string(SendDlgItemMessageA(d, IDC_KO_FREE, LB_GETCOUNT, 0, 0)) + "/" +
                  std::to_string(IsDlgButtonChecked(d, IDC_KO_SHOW_MS)) + " ";
    };
    EXPECT_EQ(Tabelle({Fokus(IDC_PT_VALUE + 10), Klick(IDC_PT_CORRELATION), zaehle, Umschalten(IDC_KO_SHOW_MS),
                       zaehle, Umschalten(IDC_KO_SHOW_MS), zaehle, Sende(IDCANCEL), Sende(IDOK), Sende(IDOK)}),
              1);
    // The column at opening holds S0^2 too; the paths alone are the 13
    // others, of single scattering only paths 2, 5 and 8.
    EXPECT_EQ(zahlen, "14/1 3/0 13/1 ");
    EXPECT_EQ(flags[1], 0);
}

// "xyz" on the 14 Cu paths: every distance follows the cluster, the last
// three hold the coefficients (0: no cluster table yet), all distances but
// the last two are fixed, " Delta R" is cleared and disabled. Opened again
// the table offers "xyz" and " Delta R"; a model of three functions has no
// room for the coefficients.
TEST_F(XafsTableWin, XyzPutsTheDistancesOnTheCluster)
{
    const int32_t altSaetze = HAUPTDATEN.FeffSatzAnzahl, altInGebrauch = ClusterTabelleInGebrauch;
    HAUPTDATEN.FeffSatzAnzahl = 0;
    ClusterTabelleInGebrauch = 0;
    CuModell();
    DeltaRModus = 1;
    bool vorher = false, danach = true, deltaR = true, ms = false, gecheckt = true;
    EXPECT_EQ(Tabelle({[&](HWND d) { vorher = IsWindowEnabled(GetDlgItem(d, IDC_XT_XYZ)); },
                       Sende(IDC_XT_XYZ),
                       [&](HWND d) {
                           danach = IsWindowEnabled(GetDlgItem(d, IDC_XT_XYZ));
                           deltaR = IsWindowEnabled(GetDlgItem(d, IDC_XT_DELTA_R));
                           gecheckt = IsDlgButtonChecked(d, IDC_XT_DELTA_R) == BST_CHECKED;
                           ms = IsWindowVisible(GetDlgItem(d, IDC_XT_MS_DISTANCE));
                           Bild(d, "set_xafs_parameters_xyz.png");
                       },
                       Sende(IDOK), Sende(IDOK)}),
              1);
    EXPECT_TRUE(vorher);
    EXPECT_FALSE(danach);
    EXPECT_FALSE(deltaR);
    EXPECT_FALSE(gecheckt);
    EXPECT_TRUE(ms);
    EXPECT_EQ(DeltaRModus, -1);
    for (int32_t f = 2; f <= 15; ++f) {
        EXPECT_TRUE(ParameterFlags[R(f)] & PF_CLUSTER) << f;
        EXPECT_EQ((ParameterFlags[R(f)] & PF_FIXED) != 0, f <= 13) << f;
    }
    // The last three lengths became the coefficients; the others stay.
    for (int32_t f = 2; f <= 12; ++f) EXPECT_EQ(P()[R(f)], FeffPfade[f - 1].Reff) << f;
    for (int32_t f = 13; f <= 15; ++f) EXPECT_EQ(P()[R(f)], 0.0) << f;
    // Left with the bit on the third-last distance.
    EXPECT_EQ(ClusterTabelleInGebrauch, 1);

    bool xyz = false, delta = false;
    EXPECT_EQ(Tabelle({[&](HWND d) {
                           xyz = IsWindowEnabled(GetDlgItem(d, IDC_XT_XYZ));
                           delta = IsWindowEnabled(GetDlgItem(d, IDC_XT_DELTA_R));
                       },
                       Sende(IDCANCEL)}),
              0);
    EXPECT_TRUE(xyz);
    EXPECT_TRUE(delta);

    Modell({25, 21, 21});
    EXPECT_EQ(Tabelle({[&](HWND d) { xyz = IsWindowEnabled(GetDlgItem(d, IDC_XT_XYZ)); }, Sende(IDCANCEL)}), 0);
    EXPECT_FALSE(xyz);
    HAUPTDATEN.FeffSatzAnzahl = altSaetze;
    ClusterTabelleInGebrauch = altInGebrauch;
}
