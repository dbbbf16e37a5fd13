// The welcome picture: a bitmap file of the program folder when it can be
// used, else the program's own.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "shell/haupt_fenster.h"
#include "shell_fixture.h"

namespace {

// A 24-bit bitmap file of w x h grey pixels.
std::string Bitmap24(int w, int h)
{
    const int zeile = ((w * 3 + 3) / 4) * 4;
    BITMAPFILEHEADER k{};
    BITMAPINFOHEADER i{};
    k.bfType = 0x4D42;
    k.bfOffBits = sizeof k + sizeof i;
    k.bfSize = k.bfOffBits + zeile * h;
    i.biSize = sizeof i;
    i.biWidth = w;
    i.biHeight = h;
    i.biPlanes = 1;
    i.biBitCount = 24;
    std::string s(reinterpret_cast<const char*>(&k), sizeof k);
    s.append(reinterpret_cast<const char*>(&i), sizeof i);
    s.append(static_cast<size_t>(zeile * h), '\x80');
    return s;
}

std::string Resource(const char* name)
{
    std::string pfad = std::string(KORLAN_TEST_DIR) + "/../app/resources/images/" + name;
    HANDLE f = CreateFileA(pfad.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    std::string s(GetFileSize(f, nullptr), '\0');
    DWORD n = 0;
    ReadFile(f, &s[0], static_cast<DWORD>(s.size()), &n, nullptr);
    CloseHandle(f);
    return s;
}

int32_t ResourceBreite()
{
    HBITMAP b = LoadBitmapA(GetModuleHandleA(nullptr), "main3");
    BITMAP bm{};
    GetObjectA(b, sizeof bm, &bm);
    DeleteObject(b);
    return bm.bmWidth;
}

}  // namespace

using WelcomeBitmap = ShellFixture;

TEST_F(WelcomeBitmap, FileOfSixteenColoursIsShownWithItsSize)
{
    KopiereMucal();
    Schreibe("korlan.bmp", Resource("assist2.bmp"));
    HWND hwnd = Starte();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_TRUE(boxen.empty());
    EXPECT_NE(HAUPTDATEN.Willkommensbild, nullptr);
    EXPECT_EQ(HAUPTDATEN.BildBreite, 150);
    EXPECT_EQ(HAUPTDATEN.BildHoehe, 128);
    EXPECT_EQ(Schliesse(hwnd), 0);
}

TEST_F(WelcomeBitmap, TrueColourFileIsRefusedWithItsMessage)
{
    KopiereMucal();
    Schreibe("korlan.bmp", Bitmap24(64, 32));
    HWND hwnd = Starte();
    ASSERT_NE(hwnd, nullptr);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].text, "Korlan Bitmap exceeds 256 colors!");
    EXPECT_EQ(boxen[0].titel, "Caution");
    EXPECT_NE(HAUPTDATEN.Willkommensbild, nullptr);
    EXPECT_EQ(HAUPTDATEN.BildBreite, ResourceBreite());
    EXPECT_EQ(Schliesse(hwnd), 0);
}

TEST_F(WelcomeBitmap, FileShorterThanItsHeaderSaysFallsBackQuietly)
{
    std::string bild = Resource("assist2.bmp");
    const struct { const char* name; std::string inhalt; } faelle[] = {
        {"cut pixels", bild.substr(0, bild.size() / 2)},
        {"cut palette", bild.substr(0, 60)},
        {"header only", bild.substr(0, 20)},
        {"empty", ""},
    };
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.name);
        int32_t w = -1, h = -1;
        Schreibe("korlan.bmp", fall.inhalt);
        HDC dc = GetDC(nullptr);
        EXPECT_EQ(LoadBmpFile(dc, Pfad("korlan.bmp").c_str(), &w, &h), nullptr);
        ReleaseDC(nullptr, dc);
        EXPECT_EQ(w, -1);
    }
    EXPECT_TRUE(boxen.empty());
}
