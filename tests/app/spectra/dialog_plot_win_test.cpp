// Drawing a curve into a dialog control and growing a dialog to the screen.
#include <gtest/gtest.h>

#include <cmath>

#include "fit/fit_model.h"
#include "shell/shell_globals.h"
#include "spectra/dialog_plot_win.h"
#include "data_commands_fixture.h"

namespace {

TEST(DialogPane, QuadrantsAndHalvesByIntegerDivision)
{
    struct Fall {
        int32_t pane;
        RECT r;
    } faelle[] = {
        {PANE_GANZ, {0, 0, 301, 201}},         {PANE_UNTEN, {0, 100, 301, 201}},
        {PANE_OBEN_LINKS, {0, 0, 150, 100}},   {PANE_OBEN_RECHTS, {150, 0, 300, 100}},
        {PANE_UNTEN_LINKS, {0, 100, 150, 200}}, {PANE_UNTEN_RECHTS, {150, 100, 300, 200}},
    };
    for (const Fall& f : faelle) {
        RECT r{};
        ASSERT_TRUE(DialogPane(f.pane, 301, 201, &r)) << f.pane;
        EXPECT_EQ(f.r.left, r.left) << f.pane;
        EXPECT_EQ(f.r.top, r.top) << f.pane;
        EXPECT_EQ(f.r.right, r.right) << f.pane;
        EXPECT_EQ(f.r.bottom, r.bottom) << f.pane;
    }
    RECT r{};
    EXPECT_FALSE(DialogPane(1, 301, 201, &r));
    EXPECT_FALSE(DialogPane(15, 301, 201, &r));
}

class DialogPlot : public EditFixture {
protected:
    HWND dialog = nullptr, feld = nullptr;
    void SetUp() override
    {
        EditFixture::SetUp();
        dialog = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 10, 10, 400, 300,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        feld = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 5, 5, 300, 200, dialog,
                               reinterpret_cast<HMENU>(30), GetModuleHandleA(nullptr), nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(dialog);
        EditFixture::TearDown();
    }
    // Pixels of the control that are neither light grey, white nor the
    // control's own background.
    int Gezeichnet(const RECT& r)
    {
        HDC dc = GetDC(feld);
        const COLORREF grund = GetSysColor(COLOR_3DFACE);
        int n = 0;
        for (int y = r.top; y < r.bottom; y += 2)
            for (int x = r.left; x < r.right; x += 2) {
                const COLORREF c = GetPixel(dc, x, y);
                if (c != RGB(0xC0, 0xC0, 0xC0) && c != RGB(0xFF, 0xFF, 0xFF) && c != grund &&
                    c != CLR_INVALID)
                    ++n;
            }
        ReleaseDC(feld, dc);
        return n;
    }
};

TEST_F(DialogPlot, DrawsTheCurveIntoItsPaneOnly)
{
    Kurve(0, 200, [](double x) { return std::sin(x / 20.0); });
    AktivesFenster = 0;
    ASSERT_TRUE(PlotIntoDialog(feld, 199.0, 0.0, 0, PANE_OBEN_LINKS));
    EXPECT_GT(Gezeichnet({0, 0, 150, 100}), 20);
    EXPECT_EQ(0, Gezeichnet({152, 102, 300, 200}));
    EXPECT_FALSE(PlotIntoDialog(feld, 199.0, 0.0, 0, 7));
    AktivesFenster = -1;
    EXPECT_FALSE(PlotIntoDialog(feld, 199.0, 0.0, 0, PANE_GANZ));
}

// A record of the dialog's own: drawn without an active window, and the
// current model stays the window's.
TEST_F(DialogPlot, DrawsARecordOfItsOwnAndLeavesTheModelAlone)
{
    grafik_fenster eigen;
    EXPECT_FALSE(PlotIntoDialog(feld, eigen, 1.0, 0.0, 0, PANE_GANZ));   // no arrays yet
    ASSERT_EQ(eigen.AllocFelder(100), 1);
    for (int i = 0; i < 50; ++i) {
        eigen.XFeld[0][i] = i;
        eigen.YFeld[0][i] = std::cos(i / 8.0);
    }
    eigen.DateiInfo.PunkteProKurve[0] = 50;
    AktivesFenster = -1;
    FitFunctionCount = 3;
    FitFunctionTypes = GrafikFenster[0].FunktionsTypen;
    FitParameters = GrafikFenster[0].Parameter;
    FitPolyDegree = 2;
    ASSERT_TRUE(PlotIntoDialog(feld, eigen, 49.0, 0.0, 0, PANE_GANZ));
    EXPECT_GT(Gezeichnet({0, 0, 300, 200}), 20);
    EXPECT_EQ(FitFunctionCount, 3);
    EXPECT_EQ(FitFunctionTypes, GrafikFenster[0].FunktionsTypen);
    EXPECT_EQ(FitParameters, GrafikFenster[0].Parameter);
    EXPECT_EQ(FitPolyDegree, 2);
    eigen.FreeFelder();
}

TEST_F(DialogPlot, GrowsTheDialogAndControl30ToTheScreen)
{
    const int sb = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    ASSERT_GT(sb, 640);
    ASSERT_TRUE(DialogToScreenSize(dialog));
    RECT d, c;
    GetWindowRect(dialog, &d);
    GetWindowRect(feld, &c);
    EXPECT_EQ(10, d.left);
    EXPECT_EQ(sb, d.right - d.left);
    EXPECT_EQ(sh, d.bottom - d.top);
    EXPECT_EQ(300 + sb - 400, c.right - c.left);
    EXPECT_EQ(200 + sh - 300, c.bottom - c.top);
}

}  // namespace
