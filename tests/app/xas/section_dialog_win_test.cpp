// The section dialog answered through its test hook: border reading, the
// alternating mouse picks, the E0 proposal on the copper foil, deglitching
// and step removal, the two-polynomial mode, the mu0 preview on the copper
// k curve (pictures for a person to look at), the spline dialogs, and what
// Cancel leaves.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/spectra/data_commands_fixture.h"
#include "fit/fit_model.h"
#include "resource_ids.h"
#include "shell/dispatcher.h"
#include "shell/macro_bar.h"
#include "shell/haupt_fenster.h"
#include "spectra/data_commands_win.h"
#include "spectra/dialog_plot_win.h"
#include "xas/section_dialog_win.h"
#include "xas/xas_background.h"
#include "xas/xas_background_win.h"
#include "xas/xas_commands_win.h"
#include "xas/xas_reduction.h"

namespace {

using Feld = std::vector<double>;

// What the test does inside the open dialog; its result ends the dialog.
std::function<INT_PTR(HWND, int32_t)> Antwort;
INT_PTR Antworten(HWND dlg, int32_t modus) { return Antwort ? Antwort(dlg, modus) : 0; }

std::string Text(HWND dlg, int id)
{
    char t[200] = "";
    GetDlgItemTextA(dlg, id, t, sizeof t);
    return t;
}
double Zahl(HWND dlg, int id) { return std::atof(Text(dlg, id).c_str()); }
void Setze(HWND dlg, int id, double v)
{
    char t[60];
    std::snprintf(t, sizeof t, "%.8G", v);
    SetDlgItemTextA(dlg, id, t);
}
void Druck(HWND dlg, int id) { SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
// A left click at data x of the picture.
void Klick(HWND dlg, double x, int edit = 0)
{
    POINT p{};
    ASSERT_TRUE(SektionsPunkt(dlg, x, 0.0, &p));
    // A mouse click first brings the dialog back to the front when another
    // program's window has taken it (other tests run beside this one), and
    // the edit that had the focus gets it again, as for a user. `edit` is
    // the one the dialog gave the focus last.
    HWND fokus = GetFocus();
    if (edit && (!fokus || GetParent(fokus) != dlg)) {
        SetActiveWindow(dlg);
        fokus = GetFocus();
        if (!fokus || GetParent(fokus) != dlg) SetFocus(GetDlgItem(dlg, edit));
    }
    SendMessageA(dlg, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
}

// Pixels of one colour (pure blue unless given) in a pane of the picture
// control.
int BlauePunkte(HWND dlg, int32_t pane, COLORREF farbe = RGB(0, 0, 255))
{
    HWND v = GetDlgItem(dlg, IDC_SB_VORSCHAU);
    RECT c, r;
    GetClientRect(v, &c);
    DialogPane(pane, c.right, c.bottom, &r);
    HDC dc = GetDC(v);
    int n = 0;
    for (int y = r.top; y < r.bottom; y += 1)
        for (int x = r.left; x < r.right; x += 1)
            if (GetPixel(dc, x, y) == farbe) ++n;
    ReleaseDC(v, dc);
    return n;
}

void Bild(HWND fenster, const char* datei)
{
    RedrawWindow(fenster, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_TRUE(FensterFoto(fenster, datei));
}

}  // namespace

class SektionsDialogTest : public EditFixture {
protected:
    void SetUp() override
    {
        EditFixture::SetUp();
        SektionsAntwort = Antworten;
        FehlerCode = 0;
    }
    void TearDown() override
    {
        SektionsAntwort = nullptr;
        Antwort = nullptr;
        HilfeThema = 0;
        FehlerCode = 0;
        EditFixture::TearDown();
    }
    void Setze0(const Feld& x, const Feld& y)
    {
        grafik_fenster& g = GrafikFenster[0];
        for (size_t i = 0; i < x.size(); ++i) {
            g.GetXFeld(0)[i] = x[i];
            g.GetYFeld(0)[i] = y[i];
        }
        for (int s = 0; s < 4; ++s) {
            g.DateiInfo.PunkteProKurve[s] = s == 0 ? static_cast<int32_t>(x.size()) : 0;
            g.KurvenFlags[s] = 0;
        }
        g.KurvenZaehler = g.NeuesterZaehler = 0;
        g.SetFullBorder();
        AktivesFenster = 0;
    }
    // The room-temperature copper foil (energy in keV, ln(i0/it)).
    void Kupfer()
    {
        std::ifstream f(KORLAN_TEST_DIR "/app/spectra/data/cu_metal_rt.xdi");
        ASSERT_TRUE(f.good());
        Feld e, mu;
        std::string z;
        while (std::getline(f, z)) {
            if (z.empty() || z[0] == '#') continue;
            std::istringstream s(z);
            double a, b, c;
            if (s >> a >> b >> c) e.push_back(a / 1000.0), mu.push_back(std::log(b / c));
        }
        Setze0(e, mu);
    }
    int32_t Oeffne(int32_t modus)
    {
        HilfeThema = modus;
        const int32_t r = SektionsDialog(605);
        HilfeThema = 0;
        return r;
    }
    int Slot() const { return GrafikFenster[0].AktuellerSlot(); }
};

TEST_F(SektionsDialogTest, BordersAndTheAlternatingPicks)
{
    Feld k, y;
    for (int i = 0; i < 300; ++i) k.push_back(-2.5 + 0.05 * i), y.push_back(std::sin(k.back()));
    Setze0(k, y);
    const double oben = k.back();
    Antwort = [&](HWND dlg, int32_t modus) -> INT_PTR {
        EXPECT_EQ(modus, 0);
        struct Fall {
            double u, l;
            int32_t ok;
        } faelle[] = {{oben, -2.5, 1}, {5.0, 5.0, 1}, {0.0, 0.0, 0}, {oben * (1 + 0.5e-5), -2.5, 1}, {oben + 1, 1, 0}};
        for (const Fall& f : faelle) {
            Setze(dlg, IDC_SB_OBEN, f.u);
            Setze(dlg, IDC_SB_UNTEN, f.l);
            double o, u;
            EXPECT_EQ(GetBorderValues(dlg, &o, &u), f.ok) << f.u << " " << f.l;
        }
        // Clicks: the lower edit has the focus at first, then they alternate.
        Druck(dlg, IDC_SB_ZURUECK);
        // A user clicks into a preview that is on the screen: its paint,
        // which may still wait in the queue on a busy machine, comes first.
        RedrawWindow(dlg, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        // The graphic window behind the dialog paints in between (its own
        // scale goes into the shared plotter): picks keep the preview's.
        RedrawWindow(HAUPTDATEN.GrafikHandles[0], nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Klick(dlg, 3.0, IDC_SB_UNTEN);
        Klick(dlg, 9.0, IDC_SB_OBEN);
        const double a = Zahl(dlg, IDC_SB_UNTEN), b = Zahl(dlg, IDC_SB_OBEN);
        EXPECT_NEAR(a, 3.0, 0.1);
        EXPECT_NEAR(b, 9.0, 0.1);
        Klick(dlg, 4.0, IDC_SB_UNTEN);
        EXPECT_NEAR(Zahl(dlg, IDC_SB_UNTEN), 4.0, 0.1);
        EXPECT_EQ(Zahl(dlg, IDC_SB_OBEN), b);
        Druck(dlg, IDOK);
        return 0;
    };
    EXPECT_EQ(Oeffne(0), 1);
    EXPECT_NEAR(HAUPTDATEN.DialogWerte[0], 4.0, 0.1);
    EXPECT_NEAR(HAUPTDATEN.DialogWerte[1], 9.0, 0.1);
    // OK with borders it refuses acts as Cancel.
    Antwort = [](HWND dlg, int32_t) -> INT_PTR {
        SetDlgItemTextA(dlg, IDC_SB_OBEN, "0");
        SetDlgItemTextA(dlg, IDC_SB_UNTEN, "0");
        Druck(dlg, IDOK);
        return 5;
    };
    EXPECT_EQ(Oeffne(0), 0);
}

TEST_F(SektionsDialogTest, E0ProposalOnTheCopperFoil)
{
    Kupfer();
    grafik_fenster& g = GrafikFenster[0];
    // The largest first derivative of the spectrum smoothed as the dialog
    // smooths it.
    HAUPTDATEN.DialogWerte[10] = 3.0;
    const int32_t z = g.KurvenZaehler;
    ASSERT_EQ(AbleitungsSpektrum(g), 1);
    const int32_t s1 = (z + 1) & 3;
    const Feld d1 = Y(0, s1), x1 = X(0, s1);
    g.SetCurveSlots(z, z + 2);
    const double xMax = x1[std::max_element(d1.begin(), d1.end()) - d1.begin()];
    double e0 = 0, unten = 0, oben = 0, erste = 0;
    Antwort = [&](HWND dlg, int32_t modus) -> INT_PTR {
        EXPECT_EQ(modus, 6);
        e0 = Zahl(dlg, IDC_SB_WERT2);
        unten = Zahl(dlg, IDC_SB_UNTEN);
        oben = Zahl(dlg, IDC_SB_OBEN);
        Bild(dlg, "section_dialog_e0.png");
        Druck(dlg, IDC_SB_PARAMETER);  // root of the first derivative
        erste = Zahl(dlg, IDC_SB_WERT2);
        Druck(dlg, IDC_SB_FIT);  // root of the second derivative again
        Druck(dlg, IDOK);
        return 0;
    };
    ASSERT_EQ(Oeffne(6), 1);
    EXPECT_NEAR(e0, xMax, 0.002);
    EXPECT_NEAR(e0, 8.9805, 0.001);
    EXPECT_NEAR(unten, e0 - 0.03, 1e-6);
    EXPECT_NEAR(oben, e0 + 0.04, 1e-6);
    EXPECT_NE(erste, e0);  // the first derivative's root lies elsewhere (its maximum)
    EXPECT_DOUBLE_EQ(HAUPTDATEN.DialogWerte[5], -1.0);
    EXPECT_NEAR(HAUPTDATEN.DialogWerte[2], e0, 1e-6);
    EXPECT_EQ(Slot(), 0);
}

TEST_F(SektionsDialogTest, DeglitchingAndStepRemoval)
{
    Feld x, y;
    for (int i = 0; i < 100; ++i) x.push_back(i), y.push_back(1.0 + 0.01 * i);
    Feld glitch = y;
    glitch[50] += 5.0;
    Setze0(x, glitch);
    FitPolyDegree = GrafikFenster[0].PolyGrad = 1;
    Antwort = [&](HWND dlg, int32_t modus) -> INT_PTR {
        EXPECT_EQ(modus, -1);
        Setze(dlg, IDC_SB_OBEN, 52);
        Setze(dlg, IDC_SB_UNTEN, 48);
        Druck(dlg, IDC_SB_PARAMETER);  // fit and replace
        Druck(dlg, IDOK);
        return 0;
    };
    ASSERT_EQ(Oeffne(-1), 1);
    EXPECT_EQ(HAUPTDATEN.DialogWerte[2], 10.0);
    Feld jetzt = Y(0, 0);
    for (int i = 0; i < 100; ++i) EXPECT_NEAR(jetzt[i], y[i], 1e-9) << i;

    // The deglitching command: the new slot holds the repaired curve, the
    // old one keeps the glitch.
    Setze0(x, glitch);
    EXPECT_TRUE(MitDialogen({Druecke(IDOK)}, [] { HAUPTDATEN.Befehl(613, 0); }));
    ASSERT_EQ(Slot(), 1);
    EXPECT_EQ(Y(0, 0), glitch);
    jetzt = Y(0, 1);
    for (int i = 0; i < 100; ++i) EXPECT_NEAR(jetzt[i], y[i], 1e-9) << i;

    // A step of 2 at x = 60 is removed; a section within 2 points of the
    // end changes nothing.
    Feld stufe = y;
    for (int i = 60; i < 100; ++i) stufe[i] += 2.0;
    Setze0(x, stufe);
    Antwort = [&](HWND dlg, int32_t) -> INT_PTR {
        SendMessageA(GetDlgItem(dlg, IDC_SB_RADIO2), BM_SETCHECK, BST_CHECKED, 0);
        SendMessageA(GetDlgItem(dlg, IDC_SB_RADIO1), BM_SETCHECK, BST_UNCHECKED, 0);
        Setze(dlg, IDC_SB_OBEN, 99);
        Setze(dlg, IDC_SB_UNTEN, 97);
        Druck(dlg, IDC_SB_FIT);
        EXPECT_EQ(Y(0, 0), stufe);
        Setze(dlg, IDC_SB_OBEN, 60);
        Setze(dlg, IDC_SB_UNTEN, 59);
        Druck(dlg, IDC_SB_FIT);
        Druck(dlg, IDOK);
        return 0;
    };
    ASSERT_EQ(Oeffne(-1), 1);
    jetzt = Y(0, 0);
    // y[59] - y[60] = -2.01 is added from x = 60 on: the step is gone.
    for (int i = 0; i < 100; ++i) EXPECT_NEAR(jetzt[i], y[i], 0.011) << i;
}

TEST_F(SektionsDialogTest, TwoPolynomialModeNeedsBothFits)
{
    Kupfer();
    grafik_fenster& g = GrafikFenster[0];
    g.DateiInfo.Koeffizienten[0] = 8.9805;
    int boxenVorher = 0;
    Antwort = [&](HWND dlg, int32_t modus) -> INT_PTR {
        EXPECT_EQ(modus, 8);
        EXPECT_EQ(Text(dlg, IDC_SB_WERT1), " not yet set");
        Setze(dlg, IDC_SB_OBEN, 8.950);
        Setze(dlg, IDC_SB_UNTEN, 8.779);
        Druck(dlg, IDC_SB_FIT);
        EXPECT_EQ(Text(dlg, IDC_SB_WERT1), "  valid");
        boxenVorher = static_cast<int>(boxen.size());
        Druck(dlg, IDOK);  // refused: the second polynomial is missing
        EXPECT_EQ(static_cast<int>(boxen.size()), boxenVorher + 1);
        Setze(dlg, IDC_SB_OBEN, 10.100);
        Setze(dlg, IDC_SB_UNTEN, 9.100);
        Druck(dlg, IDC_SB_FIT);
        EXPECT_EQ(Text(dlg, IDC_SB_WERT2), "  valid");
        Druck(dlg, IDOK);
        return 0;
    };
    const bool ok = MitDialogen({Druecke(IDOK)}, [] { HAUPTDATEN.Befehl(841, 0); });
    EXPECT_TRUE(ok);
    ASSERT_EQ(boxen.size(), static_cast<size_t>(boxenVorher + 1));
    EXPECT_EQ(boxen.back().text, "Polynomials invalid! Set again.");
    EXPECT_EQ(FehlerCode, 0);
    ASSERT_EQ(Slot(), 1);
    EXPECT_EQ(HAUPTDATEN.DialogWerte[2], 10.0);
    const Feld e = X(0, 1), n = Y(0, 1);
    double vor = 0, nach = 0;
    int nv = 0, nn = 0;
    for (size_t i = 0; i < e.size(); ++i) {
        if (e[i] >= 8.779 && e[i] <= 8.95) vor += n[i], ++nv;
        if (e[i] >= 9.1 && e[i] <= 10.1) nach += n[i], ++nn;
    }
    EXPECT_NEAR(vor / nv, 0.0, 0.005);
    EXPECT_NEAR(nach / nn, 1.0, 0.005);
}

TEST_F(SektionsDialogTest, Mu0PreviewOnTheCopperKCurveLeavesTheCurveAsItWas)
{
    Kupfer();
    grafik_fenster& g = GrafikFenster[0];
    Prepared(803, {8.779, 8.950});
    Prepared(804, {9.100, 10.100});
    Prepared(818, {8.9805});
    Prepared(810, {});
    ASSERT_EQ(FehlerCode, 0);
    const int s = Slot();
    const Feld x0 = X(0, s), y0 = Y(0, s);
    const uint32_t flags = g.KurvenFlags[s];
    int blau1 = -1, blau2 = -1, gruen = -1;
    g.FTFenster = FTWINDOW{0, 0.0, 0.0, 0.0, 0.0};
    Antwort = [&](HWND dlg, int32_t modus) -> INT_PTR {
        EXPECT_EQ(modus, 5);
        EXPECT_EQ(Text(dlg, IDC_SB_WERT1), "11");
        Setze(dlg, IDC_SB_OBEN, 17.4);
        Setze(dlg, IDC_SB_UNTEN, 0.5);
        Druck(dlg, IDC_SB_FIT);
        blau1 = BlauePunkte(dlg, PANE_OBEN_RECHTS);
        Setze(dlg, IDC_SB_UNTEN, 1.0);
        Druck(dlg, IDC_SB_FIT);
        blau2 = BlauePunkte(dlg, PANE_OBEN_RECHTS);
        gruen = BlauePunkte(dlg, PANE_OBEN_RECHTS, RGB(0, 255, 0));
        // The window keeps the preview's transform settings.
        EXPECT_EQ(g.FTFenster.windowType, 4);
        EXPECT_EQ(g.FTFenster.shape, 4.0);
        EXPECT_NEAR(g.FTFenster.lower, 1.0, 1e-3);
        EXPECT_NEAR(g.FTFenster.upper, 17.4, 1e-3);
        EXPECT_EQ(g.FTFenster.origin, g.FTFenster.lower);
        Bild(dlg, "section_dialog_mu0.png");
        EXPECT_EQ(X(0, s), x0);
        EXPECT_EQ(Y(0, s), y0);
        EXPECT_EQ(g.KurvenFlags[s], flags);
        EXPECT_EQ(g.Punkte(), static_cast<int32_t>(x0.size()));
        Druck(dlg, IDOK);
        return 0;
    };
    // 828 interactively: SPLINE_FIT proposes its count, then the section
    // dialog in its spline mode.
    const bool ok = MitDialogen({SetzeText(IDC_SF_ANZAHL, "11"), SetzeText(IDC_SF_GEWICHT, "2"), Druecke(IDOK)},
                                [] { HAUPTDATEN.Befehl(828, 0); });
    EXPECT_TRUE(ok);
    EXPECT_EQ(blau1, 0);   // the first preview has nothing to compare with
    EXPECT_GT(blau2, 10);  // the second shows the first in blue
    EXPECT_GT(gruen, 10);  // and the real part over the magnitude
    EXPECT_EQ(FehlerCode, 0);
    EXPECT_EQ(Slot(), (s + 1) & 3);
    EXPECT_STREQ(g.YText[Slot()], "^c(k)*k~2");
}

// "R space" (652) in the spline mode: shown checked as the switch stands,
// Cancel puts the switch back after a preview with it; with it checked
// the preview fits in R space and the command keeps those knots, whose chi
// k^2 has less of its transform below the background distance than the
// chi of the k-space fit of the same knots.
TEST_F(SektionsDialogTest, RSpaceSwitchFitsThePreviewAndTheCommandInRSpace)
{
    Kupfer();
    grafik_fenster& g = GrafikFenster[0];
    Prepared(803, {8.779, 8.950});
    Prepared(804, {9.100, 10.100});
    Prepared(818, {8.9805});
    Prepared(810, {});
    ASSERT_EQ(FehlerCode, 0);
    const int s = Slot();
    const Feld k = X(0, s), mu = Y(0, s);
    const int32_t altRRaum = RRaum;
    const double altAbstand = AutoSplineR;
    g.FTFenster = FTWINDOW{4, 0.0, 0.0, 4.0, 0.0};
    RRaum = -1;
    bool an = false, geschaltet = false;
    Antwort = [&](HWND dlg, int32_t) -> INT_PTR {
        an = IsWindowEnabled(GetDlgItem(dlg, IDC_SB_RRAUM)) != 0;
        geschaltet = IsDlgButtonChecked(dlg, IDC_SB_RRAUM) == BST_CHECKED;
        CheckDlgButton(dlg, IDC_SB_RRAUM, BST_CHECKED);
        // FEFF paths join a k-space background only: the click on "R space"
        // takes their box away.
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dlg, IDC_SB_FEFF)));
        Druck(dlg, IDC_SB_RRAUM);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dlg, IDC_SB_FEFF)));
        Setze(dlg, IDC_SB_OBEN, 17.4);
        Setze(dlg, IDC_SB_UNTEN, 0.5);
        Druck(dlg, IDC_SB_FIT);
        EXPECT_EQ(RRaum, 1);
        Druck(dlg, IDCANCEL);
        return 0;
    };
    HAUPTDATEN.DialogWerte[5] = 2.0;
    g.AnzahlFunktionen = 1;
    g.FunktionsTypen[0] = 53;
    g.PolyGrad = FitPolyDegree = 11;
    EXPECT_EQ(Oeffne(5), 0);
    EXPECT_TRUE(an);
    EXPECT_FALSE(geschaltet);
    EXPECT_EQ(RRaum, -1);

    Antwort = [&](HWND dlg, int32_t) -> INT_PTR {
        EXPECT_EQ(IsDlgButtonChecked(dlg, IDC_SB_RRAUM), BST_UNCHECKED);
        CheckDlgButton(dlg, IDC_SB_RRAUM, BST_CHECKED);
        Setze(dlg, IDC_SB_RWERT, 1.0);
        Setze(dlg, IDC_SB_OBEN, 17.4);
        Setze(dlg, IDC_SB_UNTEN, 0.5);
        Druck(dlg, IDC_SB_FIT);
        Bild(dlg, "section_dialog_r_space.png");
        Druck(dlg, IDOK);
        return 0;
    };
    const bool ok = MitDialogen({SetzeText(IDC_SF_ANZAHL, "11"), SetzeText(IDC_SF_GEWICHT, "2"), Druecke(IDOK)},
                                [] { HAUPTDATEN.Befehl(828, 0); });
    EXPECT_TRUE(ok);
    EXPECT_EQ(FehlerCode, 0);
    EXPECT_EQ(RRaum, 1);
    EXPECT_EQ(AutoSplineR, 1.0);
    const Feld rChi = Y(0, Slot()), rK = X(0, Slot());
    SplineHintergrund h;
    ASSERT_GT(SplineMu0(k.data(), mu.data(), static_cast<int32_t>(k.size()), 0.5, 17.4, 11, 2.0, nullptr, 600, &h), 0);
    Feld kChi(mu.begin() + h.Lo, mu.begin() + h.Hi + 1);
    const Feld kK(k.begin() + h.Lo, k.begin() + h.Hi + 1);
    ChiAusMu(kK.data(), kChi.data(), h.Mu0.data(), static_cast<int32_t>(kK.size()), 2.0);
    ASSERT_EQ(rK, kK);
    auto unten = [](const Feld& x, const Feld& y, double bis) {
        Feld r, b;
        def_zelva z;
        VorschauTransform(z, x.data(), y.data(), static_cast<int32_t>(x.size()), x.front(), x.back(), 2.0, 1024,
                          0.04, 10.0, &r, &b);
        double summe = 0.0;
        for (size_t i = 0; i < r.size() && r[i] <= bis; ++i) summe += b[i] * b[i];
        return summe;
    };
    const double inR = unten(rK, rChi, 1.0), inK = unten(kK, kChi, 1.0);
    std::printf("sum |FT|^2 below 1 A: k-space fit %.6g, R-space fit %.6g\n", inK, inR);
    EXPECT_LT(inR, inK);

    // Replayed (lParam 2) with the switch on and the distance of the
    // automatic chain, 0.9 A: no dialog, the same advantage.
    Kupfer();
    Prepared(803, {8.779, 8.950});
    Prepared(804, {9.100, 10.100});
    Prepared(818, {8.9805});
    Prepared(810, {});
    g.FTFenster = FTWINDOW{4, 0.0, 0.0, 4.0, 0.0};
    AutoSplineR = 0.9;
    Prepared(828, {0.5, 17.4, 0, 11, 0, 2});
    EXPECT_EQ(FehlerCode, 0);
    EXPECT_EQ(RRaum, 1);
    const Feld rChi2 = Y(0, Slot());
    ASSERT_EQ(X(0, Slot()), kK);
    EXPECT_NE(rChi2, rChi);  // another distance, other knots
    const double inR2 = unten(kK, rChi2, 0.9), inK2 = unten(kK, kChi, 0.9);
    std::printf("sum |FT|^2 below 0.9 A: k-space fit %.6g, R-space fit %.6g\n", inK2, inR2);
    EXPECT_LT(inR2, inK2);
    RRaum = altRRaum;
    AutoSplineR = altAbstand;
}

TEST_F(SektionsDialogTest, SplineDialogsAndTheAutomaticCount)
{
    DeleteFileA(ProgrammDatei("adv_spline.par").c_str());
    Feld k, y;
    for (int i = 0; i < 240; ++i) k.push_back(0.05 * i), y.push_back(1.0 + 0.01 * k.back());
    Setze0(k, y);  // the section ends at 11.95
    GrafikFenster[0].Grenzen[0] = 12.0;
    int32_t n = 0;
    std::string anzahl, gewicht;
    const bool ok = MitDialogen(
        {[&](HWND dlg) {
             char t[40];
             GetDlgItemTextA(dlg, IDC_SF_ANZAHL, t, sizeof t);
             anzahl = t;
             GetDlgItemTextA(dlg, IDC_SF_GEWICHT, t, sizeof t);
             gewicht = t;
         },
         Druecke(IDCANCEL)},
        [&] { n = SplineFitDialog(); });
    EXPECT_TRUE(ok);
    EXPECT_EQ(anzahl, "6");
    EXPECT_EQ(gewicht, "3");
    EXPECT_EQ(n, 0);

    // Sections 1 and 3 become sections 1 and 2 of the layout; k weight 2.5
    // is kept as "2" in the settings file.
    double* p = GrafikFenster[0].Parameter;
    p[1000] = 0.0;
    const bool ok2 = MitDialogen({[](HWND dlg) {
                                      CheckDlgButton(dlg, IDC_AS_ABSCHNITT + 1, BST_UNCHECKED);
                                      SetDlgItemTextA(dlg, IDC_AS_GRAD + 0, "3");
                                      SetDlgItemTextA(dlg, IDC_AS_GRAD + 2, "4");
                                      SetDlgItemTextA(dlg, IDC_AS_WICHTUNG + 2, "1");
                                      SetDlgItemTextA(dlg, IDC_AS_GEWICHT, "2.5");
                                  },
                                  Druecke(IDOK)},
                                 [&] { n = AdSplineFitDialog(); });
    EXPECT_TRUE(ok2);
    EXPECT_EQ(n, 1 + 3 + 4);
    EXPECT_EQ(p[1000], 1111.0);
    EXPECT_EQ(p[1001], 2.0);
    EXPECT_EQ(p[1002], 3.0);
    EXPECT_EQ(p[1003], 4.0);
    EXPECT_EQ(p[1012], 1.0);
    EXPECT_EQ(HAUPTDATEN.DialogWerte[5], 2.5);
    std::ifstream f(ProgrammDatei("adv_spline.par"));
    std::string erste;
    std::getline(f, erste);
    EXPECT_EQ(erste, "2");

    // The automatic count over a section 0.5 wide with R 3.0 is 1, which
    // 828 refuses.
    Setze0(k, y);
    p[1000] = 0.0;
    Antwort = [](HWND dlg, int32_t) -> INT_PTR {
        CheckDlgButton(dlg, IDC_SB_AUTOSPLINE, BST_CHECKED);
        SetDlgItemTextA(dlg, IDC_SB_RWERT, "3.0");
        SetDlgItemTextA(dlg, IDC_SB_OBEN, "5.5");
        SetDlgItemTextA(dlg, IDC_SB_UNTEN, "5.0");
        Druck(dlg, IDC_SB_FIT);
        EXPECT_EQ(Text(dlg, IDC_SB_WERT1), "1");
        Druck(dlg, IDOK);
        return 0;
    };
    const size_t vorher = boxen.size();
    MitDialogen({Druecke(IDOK)}, [] { HAUPTDATEN.Befehl(828, 0); });
    EXPECT_EQ(Slot(), 0);
    ASSERT_GT(boxen.size(), vorher);
    EXPECT_NE(boxen.back().text.find("between 3 and 40"), std::string::npos);
}

TEST_F(SektionsDialogTest, CancelChangesNothingInAnyMode)
{
    Kupfer();
    grafik_fenster& g = GrafikFenster[0];
    g.AnzahlFunktionen = 1;
    g.FunktionsTypen[0] = 3;
    g.PolyGrad = 4;
    g.Parameter[0] = 1.5;
    const Feld y0 = Y(0, 0);
    for (int32_t id : {803, 804, 809, 806}) {
        SCOPED_TRACE(id);
        Antwort = [](HWND dlg, int32_t) -> INT_PTR {
            SetDlgItemTextA(dlg, IDC_SB_OBEN, "8.95");
            SetDlgItemTextA(dlg, IDC_SB_UNTEN, "8.78");
            Druck(dlg, IDC_SB_FIT);
            Druck(dlg, IDCANCEL);
            return 0;
        };
        // 809 and 806 ask for the degree first; the eV and k-space cautions
        // are answered with OK.
        if (id == 809 || id == 806) MitDialogen({Druecke(IDOK)}, [id] { HAUPTDATEN.Befehl(id, 0); });
        else HAUPTDATEN.Befehl(id, 0);
        EXPECT_EQ(Slot(), 0);
        EXPECT_EQ(g.FunktionsTypen[0], 3);
        EXPECT_EQ(g.PolyGrad, 4);
        EXPECT_EQ(g.Parameter[0], 1.5);
        EXPECT_EQ(Y(0, 0), y0);
    }
    // The section command acts on OK only.
    Antwort = [](HWND dlg, int32_t) -> INT_PTR {
        SetDlgItemTextA(dlg, IDC_SB_OBEN, "9.2");
        SetDlgItemTextA(dlg, IDC_SB_UNTEN, "8.9");
        Druck(dlg, IDCANCEL);
        return 0;
    };
    HAUPTDATEN.Befehl(605, 0);
    EXPECT_EQ(Slot(), 0);
    Antwort = [](HWND dlg, int32_t) -> INT_PTR {
        SetDlgItemTextA(dlg, IDC_SB_OBEN, "9.2");
        SetDlgItemTextA(dlg, IDC_SB_UNTEN, "8.9");
        Druck(dlg, IDOK);
        return 0;
    };
    HAUPTDATEN.Befehl(605, 0);
    ASSERT_EQ(Slot(), 1);
    const Feld x = X(0, 1);
    EXPECT_GE(x.front(), 8.9 - 1e-3);
    EXPECT_LE(x.back(), 9.2 + 1e-3);
}

// A section the command refuses after the dialog (here outside the data)
// is neither applied nor written to the macro being recorded; the same
// command on a section inside the data is both.
TEST_F(SektionsDialogTest, ARefusedSectionIsNeitherRecordedNorApplied)
{
    Kupfer();
    char ordner[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, ordner), 0u);
    const std::string makro = std::string(ordner) + "korlan_abschnitt_test.MAK";
    DeleteFileA(makro.c_str());
    std::snprintf(ButtonBar.MakroPfad, sizeof ButtonBar.MakroPfad, "%s", makro.c_str());
    HAUPTDATEN.MakroAufnahme = 1;
    auto inhalt = [&] {
        std::ifstream f(makro);
        std::stringstream s;
        s << f.rdbuf();
        return s.str();
    };
    for (int32_t id : {803, 804}) {
        SCOPED_TRACE(id);
        Antwort = [](HWND, int32_t) -> INT_PTR {
            HAUPTDATEN.DialogWerte[0] = 7.5;  // below the first point at 8.779 keV
            HAUPTDATEN.DialogWerte[1] = 8.95;
            return 1;
        };
        FehlerCode = 0;
        HAUPTDATEN.Befehl(id, 0);
        EXPECT_NE(FehlerCode, 0);
        EXPECT_EQ(Slot(), 0);
        EXPECT_EQ(inhalt().find(std::to_string(id)), std::string::npos);
    }
    Antwort = [](HWND, int32_t) -> INT_PTR {
        HAUPTDATEN.DialogWerte[0] = 8.779;
        HAUPTDATEN.DialogWerte[1] = 8.95;
        return 1;
    };
    FehlerCode = 0;
    HAUPTDATEN.Befehl(803, 0);
    EXPECT_EQ(FehlerCode, 0);
    EXPECT_EQ(Slot(), 1);
    EXPECT_NE(inhalt().find("803"), std::string::npos);
    HAUPTDATEN.MakroAufnahme = 0;
    ButtonBar.MakroPfad[0] = '\0';
    DeleteFileA(makro.c_str());
}
