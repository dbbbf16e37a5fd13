// The progress window of the running program: SetProgress in a loop that
// dispatches no messages still shows the bar and the text of each step.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "app/shell/shell_fixture.h"
#include "plotting/plot_test_support.h"
#include "shell/child_windows.h"

namespace {

const COLORREF BLAU = RGB(0, 0, 255);
const COLORREF ROT = RGB(255, 0, 0);

class Fortschritt : public LaufendesProgramm {
protected:
    void SetUp() override
    {
        LaufendesProgramm::SetUp();
        ASSERT_NE(ProgressWindow.Fenster, nullptr);
        ProgressWindow.Gezeigt = 1;
        ProgressWindow.Unterdrueckt = 0;
        ProgressWindow.Unten = 0.0;
        ProgressWindow.Oben = 100.0;
        ProgressWindow.Aktuell = 0.0;
    }
    void TearDown() override
    {
        SendMessageA(ProgressWindow.Fenster, WM_COMMAND, 37, 0);
        ProgressWindow.Gezeigt = 0;
        LaufendesProgramm::TearDown();
    }
    // The window's client area as it stands on the screen.
    plot_test::Canvas* Aufnahme()
    {
        auto* cv = new plot_test::Canvas(ProgressWindow.Breite, ProgressWindow.Hoehe);
        HDC dc = GetDC(ProgressWindow.Fenster);
        BitBlt(cv->dc, 0, 0, ProgressWindow.Breite, ProgressWindow.Hoehe, dc, 0, 0, SRCCOPY);
        ReleaseDC(ProgressWindow.Fenster, dc);
        return cv;
    }
    // Blue pixels on the middle row of the bar.
    static int BalkenBreite(const plot_test::Canvas& cv)
    {
        const int y = (cv.h / 5 + 3 * cv.h / 5) / 2;
        int n = 0;
        for (int x = 0; x < cv.w; ++x)
            if (cv.Pixel(x, y) == BLAU) ++n;
        return n;
    }
    // Pixels of the text line that are not the red ground.
    static int TextPunkte(const plot_test::Canvas& cv, int von, int bis)
    {
        const int y0 = cv.h - 3 * HAUPTDATEN.ZeichenHoehe;
        int n = 0;
        for (int y = y0; y < y0 + HAUPTDATEN.ZeichenHoehe && y < cv.h; ++y)
            for (int x = von; x < bis && x < cv.w; ++x)
                if (cv.Pixel(x, y) != ROT) ++n;
        return n;
    }
};

TEST_F(Fortschritt, BarAndTextFollowEachStepOfALoop)
{
    ASSERT_FALSE(IsWindowVisible(ProgressWindow.Fenster));
    EXPECT_EQ(ProgressWindow.SetProgress(), 1);
    ASSERT_TRUE(IsWindowVisible(ProgressWindow.Fenster));
    const int W = ProgressWindow.Breite;
    ASSERT_GT(W, 50);
    for (int p = 0; p <= 100; p += 10) {
        ProgressWindow.Aktuell = p;
        std::snprintf(ProgressWindow.Text, sizeof ProgressWindow.Text, "%s", p < 50 ? "first half of the work" : "end");
        EXPECT_EQ(ProgressWindow.SetProgress(), 1);
        // No message is dispatched between the steps.
        std::unique_ptr<plot_test::Canvas> cv(Aufnahme());
        const int erwartet = static_cast<int>(3.0 * W / 5.0 * p / 100.0);
        EXPECT_NEAR(BalkenBreite(*cv), erwartet, 1) << p;
        if (p == 50) cv->WritePng((std::string(altesVerzeichnis) + "\\progress_half.png").c_str());
        // The short text of the second half leaves nothing of the long one
        // at the left end of the line.
        const int z = HAUPTDATEN.ZeichenBreite;
        const int textLinks = (W - z * 22) / 2;
        if (p < 50)
            EXPECT_GT(TextPunkte(*cv, textLinks, textLinks + 4 * z), 0) << p;
        else
            EXPECT_EQ(TextPunkte(*cv, textLinks, textLinks + 4 * z), 0) << p;
    }
}

TEST_F(Fortschritt, EmptyRangeAndSuppressedWindowDrawNoBar)
{
    ProgressWindow.Oben = ProgressWindow.Unten = 5.0;
    ProgressWindow.Aktuell = 5.0;
    ProgressWindow.SetProgress();
    std::unique_ptr<plot_test::Canvas> cv(Aufnahme());
    EXPECT_EQ(BalkenBreite(*cv), 0);
    // The frame is there (drawn with the default pen).
    EXPECT_NE(cv->Pixel(cv->w / 5 - 1, cv->h / 3), ROT);

    ProgressWindow.Oben = 10.0;
    ProgressWindow.Unterdrueckt = 1;
    SendMessageA(ProgressWindow.Fenster, WM_COMMAND, 37, 1);
    InvalidateRect(ProgressWindow.Fenster, nullptr, TRUE);
    UpdateWindow(ProgressWindow.Fenster);
    cv.reset(Aufnahme());
    EXPECT_EQ(cv->Count(ROT), cv->w * cv->h);
    // Command 37 with lParam 0 hides it.
    SendMessageA(ProgressWindow.Fenster, WM_COMMAND, 37, 0);
    EXPECT_FALSE(IsWindowVisible(ProgressWindow.Fenster));
}

}  // namespace
