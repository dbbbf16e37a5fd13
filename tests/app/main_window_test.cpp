#include <gtest/gtest.h>

#include <windows.h>

#include "shell/haupt_fenster.h"

TEST(MainWindow, CreatesVisibleWindowAndQuits)
{
    HWND hwnd = CreateMainWindow(GetModuleHandleA(nullptr), SW_SHOW);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_TRUE(IsWindowVisible(hwnd));
    char title[64] = {};
    GetWindowTextA(hwnd, title, sizeof title);
    EXPECT_STREQ(title, "korlan");
    DestroyWindow(hwnd);
    EXPECT_EQ(RunMessageLoop(), 0);
}
