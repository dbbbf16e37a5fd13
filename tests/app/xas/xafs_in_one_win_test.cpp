// XAFSINONE (852) on the room-temperature copper foil: the background step
// runs 841 with its own section dialog (answered through the dialog's test
// hook), keeps only a new slot, fills its edits and draws pane 200.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/spectra/data_commands_fixture.h"
#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/haupt_fenster.h"
#include "xas/section_dialog_win.h"
#include "xas/xafs_in_one_win.h"

namespace {

using Feld = std::vector<double>;

std::function<INT_PTR(HWND, int32_t)> Antwort;
INT_PTR Antworten(HWND dlg, int32_t modus) { return Antwort ? Antwort(dlg, modus) : 0; }

void Setze(HWND dlg, int id, double v)
{
    char t[60];
    std::snprintf(t, sizeof t, "%.8G", v);
    SetDlgItemTextA(dlg, id, t);
}
void Druck(HWND dlg, int id) { SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
std::string Text(HWND dlg, int id)
{
    char t[200] = "";
    GetDlgItemTextA(dlg, id, t, sizeof t);
    return t;
}
std::string G6(double v)
{
    char t[60];
    std::snprintf(t, sizeof t, "%.6G", v);
    return t;
}
bool Offen(HWND dlg, int id) { return IsWindowEnabled(GetDlgItem(dlg, id)) != 0; }

}  // namespace

class XafsInOneTest : public EditFixture {
protected:
    HWND dlg = nullptr;
    void SetUp() override
    {
        EditFixture::SetUp();
        SektionsAntwort = Antworten;
        XafsInOneVergessen();
        // The copper foil (energy in keV, ln(i0/it)) in window 0, as a
        // two-column file.
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
                g.GetYFeld(0)[n] = std::log(b / c);
                ++n;
            }
        }
        NurSlotNull(0, n);
        g.DateiInfo.Spalten = 2;
        g.DateiInfo.Koeffizienten[0] = 8.9805;
    }
    void TearDown() override
    {
        if (dlg) DestroyWindow(dlg);
        SektionsAntwort = nullptr;
        Antwort = nullptr;
        XafsInOneVergessen();
        EditFixture::TearDown();
    }
    void Oeffne(int w)
    {
        if (dlg) DestroyWindow(dlg);
        AktivesFenster = w;
        BringWindowToTop(grafik[w]);
        dlg = CreateDialogParamA(ProgrammModul(), "XAFSINONE", hwnd, XafsInOneProc, 0);
        ASSERT_NE(dlg, nullptr);
    }
    int Slot() const { return GrafikFenster[0].AktuellerSlot(); }
    // The two pre-edge and post-edge polynomials of 841's section dialog.
    static INT_PTR Untergrund(HWND s, int32_t)
    {
        Setze(s, IDC_SB_OBEN, 8.950);
        Setze(s, IDC_SB_UNTEN, 8.779);
        Druck(s, IDC_SB_FIT);
        Setze(s, IDC_SB_OBEN, 10.100);
        Setze(s, IDC_SB_UNTEN, 9.100);
        Druck(s, IDC_SB_FIT);
        Druck(s, IDOK);
        return 0;
    }
};

TEST_F(XafsInOneTest, TheBackgroundStepKeepsOnlyANewSlotAndOpensTheNextStep)
{
    Oeffne(0);
    // Two columns: no calibration, the background at once.
    EXPECT_FALSE(Offen(dlg, IDC_XIO_KALIBRIERUNG));
    EXPECT_TRUE(Offen(dlg, IDC_XIO_UNTERGRUND));
    for (int id : {IDC_XIO_KRAUM, IDC_XIO_ATOMAR, IDC_XIO_FOURIER, IDC_XIO_PROFILE, IDC_XIO_PROFIL_SPEICHERN})
        EXPECT_FALSE(Offen(dlg, id)) << id;

    // Cancelled: nothing kept, nothing opened.
    // GETPOLYGRAD comes first and is answered with OK; the section dialog
    // is cancelled.
    Antwort = [](HWND, int32_t) -> INT_PTR { return 0; };
    EXPECT_TRUE(MitDialogen({Druecke(IDOK)}, [this] { Druck(dlg, IDC_XIO_UNTERGRUND); }));
    EXPECT_EQ(Slot(), 0);
    EXPECT_FALSE(Offen(dlg, IDC_XIO_KRAUM));
    EXPECT_EQ(Text(dlg, IDC_XIO_UG_VON1), "");

    Antwort = Untergrund;
    EXPECT_TRUE(MitDialogen({Druecke(IDOK)}, [this] { Druck(dlg, IDC_XIO_UNTERGRUND); }));
    EXPECT_EQ(FehlerCode, 0);
    ASSERT_EQ(Slot(), 1);
    EXPECT_TRUE(Offen(dlg, IDC_XIO_KRAUM));
    EXPECT_FALSE(Offen(dlg, IDC_XIO_ATOMAR));
    const double* dw = HAUPTDATEN.DialogWerte;
    EXPECT_EQ(Text(dlg, IDC_XIO_UG_VON1), G6(dw[0]));
    EXPECT_EQ(Text(dlg, IDC_XIO_UG_BIS1), G6(dw[1]));
    EXPECT_EQ(Text(dlg, IDC_XIO_UG_VON2), G6(dw[6]));
    EXPECT_EQ(Text(dlg, IDC_XIO_UG_BIS2), G6(dw[7]));
    EXPECT_EQ(Text(dlg, IDC_XIO_UG_POLY1), std::to_string(static_cast<int>(dw[3])));
    const Feld normiert = Y(0, 1);

    // Pane 200 shows the kept background result; the window's curve is
    // the same afterwards.
    RedrawWindow(dlg, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_EQ(Y(0, 1), normiert);
    EXPECT_TRUE(FensterFoto(dlg, "xafs_in_one.png"));

    // A second opening on another window restores nothing of the first.
    NurSlotNull(1, 0);
    GrafikFenster[1].DateiInfo.Spalten = 3;
    Oeffne(1);
    EXPECT_TRUE(Offen(dlg, IDC_XIO_KALIBRIERUNG));
    EXPECT_FALSE(Offen(dlg, IDC_XIO_UNTERGRUND));
    EXPECT_FALSE(Offen(dlg, IDC_XIO_ATOMAR));
}

// A synthetic edge of 5,000 points (more than the dialog's former fixed
// arrays held) goes through the background step whole.
TEST_F(XafsInOneTest, AFiveThousandPointSpectrumIsKeptWhole)
{
    grafik_fenster& g = GrafikFenster[0];
    for (int i = 0; i < 5000; ++i) {
        const double e = 8.7 + 1.5 * i / 4999.0;
        g.GetXFeld(0)[i] = e;
        g.GetYFeld(0)[i] = 0.2 - 0.05 * e + 0.5 + std::atan((e - 8.98) / 0.002) / 3.14159265358979;
    }
    NurSlotNull(0, 5000);
    g.DateiInfo.Koeffizienten[0] = 8.98;
    Oeffne(0);
    Antwort = Untergrund;
    EXPECT_TRUE(MitDialogen({Druecke(IDOK)}, [this] { Druck(dlg, IDC_XIO_UNTERGRUND); }));
    ASSERT_EQ(Slot(), 1);
    EXPECT_EQ(g.Punkte(), 5000);
    EXPECT_TRUE(Offen(dlg, IDC_XIO_KRAUM));
    // Normalised: about 0 before the edge and 1 after it.
    EXPECT_NEAR(Y(0, 1)[100], 0.0, 0.02);
    EXPECT_NEAR(Y(0, 1)[4900], 1.0, 0.02);
    const Feld vorher = Y(0, 1);
    RedrawWindow(dlg, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_EQ(Y(0, 1), vorher);
}
