// A window as the screen shows it, written as a PNG beside the test program
// for a person to look at.
#ifndef KORLAN_TESTS_WINDOW_PICTURE_H
#define KORLAN_TESTS_WINDOW_PICTURE_H

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "plotting/plot_test_support.h"

inline void FensterBild(HWND fenster, const char* datei)
{
    RECT r;
    GetWindowRect(fenster, &r);
    plot_test::Canvas cv(r.right - r.left, r.bottom - r.top);
    HDC quelle = GetWindowDC(fenster);
    BitBlt(cv.dc, 0, 0, cv.w, cv.h, quelle, 0, 0, SRCCOPY);
    ReleaseDC(fenster, quelle);
    // Beside the test program: the program's start changes the folder.
    char pfad[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, pfad, MAX_PATH);
    std::string ziel = pfad;
    ziel = ziel.substr(0, ziel.find_last_of("\\/") + 1) + datei;
    EXPECT_TRUE(cv.WritePng(ziel.c_str()));
}

#endif
