// The FEFF path loader on the program's objects (message box, McMaster
// table) and the files.dat list of the path dialogs.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "shell/haupt_fenster.h"
#include "xas/feff_path_win.h"
#include "xas/mcmaster.h"

namespace {

const std::string DATEN = KORLAN_TEST_DIR "/xas_native/data/";

std::vector<std::string> boxen;
int WINAPI Antworte(HWND, LPCSTR text, LPCSTR titel, UINT art)
{
    boxen.push_back(std::string(titel) + "|" + text + "|" + std::to_string(art));
    return IDOK;
}

class FeffPfadWin : public ::testing::Test {
protected:
    std::vector<double> tabelle = std::vector<double>(35000, 0.0);
    double* altTabelle = nullptr;
    char text[2000] = {};
    char* altText = nullptr;
    int32_t typen[3] = {25, 21, 21};
    int32_t* altTypen = nullptr;
    int32_t altAnzahl = 0;

    void SetUp() override
    {
        boxen.clear();
        MeldungsBox = Antworte;
        ASSERT_EQ(LeseMucalDatei(KORLAN_TEST_DIR "/../app/resources/program/mucal.dat", tabelle.data()), 1);
        altTabelle = McMasterTable;
        McMasterTable = tabelle.data();
        altText = CommandText;
        CommandText = text;
        altTypen = FitFunctionTypes;
        altAnzahl = FitFunctionCount;
        FeffPfadeLeeren();
    }
    void TearDown() override
    {
        FeffPfadeLeeren();
        MeldungsBox = MessageBoxA;
        McMasterTable = altTabelle;
        CommandText = altText;
        FitFunctionTypes = altTypen;
        FitFunctionCount = altAnzahl;
    }
};

std::vector<std::string> Eintraege(HWND liste)
{
    std::vector<std::string> e;
    const int n = static_cast<int>(SendMessageA(liste, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        char z[300] = {};
        SendMessageA(liste, LB_GETTEXT, i, reinterpret_cast<LPARAM>(z));
        e.push_back(z);
    }
    return e;
}

}  // namespace

TEST_F(FeffPfadWin, MissingPathsDatIsReportedOncePerFolder)
{
    // The Feff 6 files lie without paths.dat; a files.dat is written beside
    // a copy of the path file.
    char temp[MAX_PATH], ordner[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    GetTempFileNameA(temp, "kfx", 0, ordner);
    DeleteFileA(ordner);
    ASSERT_TRUE(CreateDirectoryA(ordner, nullptr));
    const std::string o = std::string(ordner) + "\\";
    FILE* f = std::fopen((o + "files.dat").c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs(" title\n    file        sig2   amp ratio    deg    nlegs  r effective\n"
               "feff0001.dat 0.00000 100.000 12.000 2 2.5478\n", f);
    std::fclose(f);
    ASSERT_TRUE(CopyFileA((DATEN + "cu_feff6_larch/feff0001.dat").c_str(), (o + "feff0001.dat").c_str(), FALSE));

    FeffPfad& s = FeffPfade[1];
    s.Pfadnummer = 1;
    std::snprintf(s.FilesDatPfad, sizeof s.FilesDatPfad, "%sfiles.dat", o.c_str());
    double gitter[200];
    for (int i = 0; i < 200; ++i) gitter[i] = 0.05 * i;
    EXPECT_EQ(LoadFeffPath(1, &s, 200, gitter), 59);
    EXPECT_EQ(LoadFeffPath(1, &s, 200, gitter), 59);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0], "Error!|   File 'paths.dat' not found under current directory.\r\n"
                        " Please copy 'paths.dat' in same directory as 'files.dat'\r\n"
                        "      No multiple scattering information available!|" +
                            std::to_string(MB_OK | MB_ICONEXCLAMATION));
    // The weights come from the program's McMaster table.
    EXPECT_EQ(s.AtomGewichte[1], 63.54);
    EXPECT_NEAR(s.ReduzierteMasse, 5.2756e-26, 5.2756e-30);
    EXPECT_EQ(FeffKPunkte, 200);
    EXPECT_EQ(FeffKGitter[199], gitter[199]);

    DeleteFileA((o + "files.dat").c_str());
    DeleteFileA((o + "feff0001.dat").c_str());
    RemoveDirectoryA(ordner);
}

TEST_F(FeffPfadWin, ReadFilesDatFillsTheDialogListsAndLeavesTheFitList)
{
    HWND dialog = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPED, 0, 0, 400, 300, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(dialog, nullptr);
    CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 300, 20, dialog, reinterpret_cast<HMENU>(IDC_FEFF_TITEL),
                    nullptr, nullptr);
    HWND zeilen = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | LBS_EXTENDEDSEL, 0, 20, 300, 100, dialog,
                                  reinterpret_cast<HMENU>(IDC_FEFF_ZEILEN), nullptr, nullptr);
    HWND modell = CreateWindowExA(0, "LISTBOX", "", WS_CHILD, 0, 120, 300, 100, dialog,
                                  reinterpret_cast<HMENU>(IDC_FEFF_GEWAEHLT), nullptr, nullptr);
    ASSERT_NE(zeilen, nullptr);
    ASSERT_NE(modell, nullptr);

    int32_t freieListe[20];
    for (int32_t i = 0; i < 20; ++i) freieListe[i] = 100 + i;
    int32_t* altFrei = FreeParameterList;
    FreeParameterList = freieListe;

    // A model of the amplitude term and paths 2 and 7 of this files.dat.
    const std::string filesDat = DATEN + "cu_feff85_noSCF/files.dat";
    std::strcpy(CommandText, filesDat.c_str());
    FitFunctionTypes = typen;
    FitFunctionCount = 3;
    const int32_t pfade[] = {2, 7};
    for (int32_t k = 1; k <= 2; ++k) {
        FeffPfad& s = FeffPfade[k];
        s.Pfadnummer = pfade[k - 1];
        std::strcpy(s.FilesDatPfad, filesDat.c_str());
        std::snprintf(s.ListenZeile, sizeof s.ListenZeile, "chosen path %d", pfade[k - 1]);
    }

    ASSERT_EQ(ReadFilesDat(dialog, 10, 50.0, 2), 1);
    char titel[200] = {};
    GetDlgItemTextA(dialog, IDC_FEFF_TITEL, titel, sizeof titel);
    EXPECT_STREQ(titel, " Copper example                                                   Feff 8.50L");
    const std::vector<std::string> e = Eintraege(zeilen);
    ASSERT_EQ(e.size(), 4u);
    EXPECT_EQ(e[1], " feff0002.dat 0.00000    23.000     6.000     2   3.6100");
    const int gewaehlt[] = {0, 1, 0, 1};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(SendMessageA(zeilen, LB_GETSEL, i, 0), gewaehlt[i]) << i;
    EXPECT_EQ(Eintraege(modell), (std::vector<std::string>{"chosen path 2", "chosen path 7"}));
    const int32_t liste[] = {4, 1, 2, 5, 7};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(FeffListenPfade[i], liste[i]) << i;
    for (int32_t i = 0; i < 20; ++i) EXPECT_EQ(freieListe[i], 100 + i) << i;

    // Filter only: the model is not asked, list 102 stays.
    ASSERT_EQ(ReadFilesDat(dialog, -1, 10.0, 4), 1);
    EXPECT_EQ(Eintraege(zeilen).size(), 9u);
    EXPECT_EQ(SendMessageA(zeilen, LB_GETSELCOUNT, 0, 0), 0);
    EXPECT_EQ(Eintraege(modell).size(), 2u);
    EXPECT_EQ(FeffListenPfade[0], 9);
    EXPECT_EQ(FeffListenPfade[9], 14);

    // A file that is missing leaves the lists.
    std::strcpy(CommandText, (DATEN + "no_files.dat").c_str());
    EXPECT_EQ(ReadFilesDat(dialog, -1, 10.0, 4), -1);
    EXPECT_EQ(Eintraege(zeilen).size(), 9u);

    FreeParameterList = altFrei;
    DestroyWindow(dialog);
}
