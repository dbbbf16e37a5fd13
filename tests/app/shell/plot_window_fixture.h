// A graphic window with a curve for the plot and axis dialogs: window 0
// holds a parabola over 8950-9050 (an energy scan in eV), is the active
// window and has a hidden stand-in handle; the program folder is a fresh
// temporary folder and the text lists are the fixture's own buffers.
#ifndef KORLAN_TESTS_PLOT_WINDOW_FIXTURE_H
#define KORLAN_TESTS_PLOT_WINDOW_FIXTURE_H

#include <cstring>
#include <string>

#include "app/spectra/dialog_fixture.h"
#include "app/temp_folder.h"
#include "plotting/plot_test_support.h"
#include "shell/settings.h"
#include "spectra/spectra_globals.h"

class PlotFensterFixture : public DialogFixture {
protected:
    TempOrdner ordner;
    std::string ordnerText;
    char* alterOrdner = nullptr;
    char* alteListen[3] = {};
    char listen[3][TEXTLISTE_BYTES] = {};
    SCHRIFT_PROFIL alteProfile[2] = {};
    int32_t alteHoehen[4] = {}, alteBreiten[4] = {};
    FONT_DATEN alteDaten[4];

    void SetUp() override
    {
        DialogFixture::SetUp();
        haupt_fenster& a = HAUPTDATEN;
        ordnerText = ordner.Ordner();
        alterOrdner = a.ProgrammOrdner;
        a.ProgrammOrdner = ordnerText.data();
        char** ziele[3] = {&a.XTextListe, &a.YTextListe, &a.TitelListe};
        for (int i = 0; i < 3; ++i) {
            alteListen[i] = *ziele[i];
            *ziele[i] = listen[i];
        }
        std::memcpy(alteProfile, a.SchriftProfile, sizeof alteProfile);
        std::memcpy(alteHoehen, a.Schrifthoehen, sizeof alteHoehen);
        std::memcpy(alteBreiten, a.Schriftbreiten, sizeof alteBreiten);
        std::memcpy(alteDaten, a.FontDaten, sizeof alteDaten);
        SchriftProfilVorgaben(a.SchriftProfile);
        OeffneFenster(0, "cu_foil.mes", 0, 0);
        grafik_fenster& g = GrafikFenster[0];
        ASSERT_EQ(g.AllocFelder(), 1);
        g.FensterNummer = 0;
        g.ZeigeDaten = 1;
        const int n = 101;
        for (int i = 0; i < n; ++i) {
            g.GetXFeld(0)[i] = 8950.0 + i;
            g.GetYFeld(0)[i] = (i - 50.0) * (i - 50.0) / 2500.0;
        }
        g.DateiInfo.PunkteProKurve[0] = n;
        g.SetFullBorder();
        g.SetFontInfo(HAUPTDATEN.SchriftProfile[0].Wert);
        std::strcpy(g.XText[0], "X");
        std::strcpy(g.YText[0], "Y");
        AktivesFenster = 0;
    }
    void TearDown() override
    {
        haupt_fenster& a = HAUPTDATEN;
        GrafikFenster[0].FreeFelder();
        a.ProgrammOrdner = alterOrdner;
        a.XTextListe = alteListen[0];
        a.YTextListe = alteListen[1];
        a.TitelListe = alteListen[2];
        std::memcpy(a.SchriftProfile, alteProfile, sizeof alteProfile);
        std::memcpy(a.Schrifthoehen, alteHoehen, sizeof alteHoehen);
        std::memcpy(a.Schriftbreiten, alteBreiten, sizeof alteBreiten);
        std::memcpy(a.FontDaten, alteDaten, sizeof alteDaten);
        a.ErzeugeSchriften("system");
        DialogFixture::TearDown();
    }

    // The window's drawing as text records of a metafile.
    plot_test::EmfContent Zeichnung(int breite = 800, int hoehe = 600)
    {
        plot_test::Metafile mf;
        GrafikFenster[0].PaintGrafik(mf.dc, 0, 0, breite, hoehe, 7, 16);
        return mf.Finish();
    }
    // The window's drawing as a picture beside the test program.
    void Bild(const char* datei, int breite = 640, int hoehe = 480)
    {
        plot_test::Canvas cv(breite, hoehe);
        RECT r{0, 0, breite, hoehe};
        FillRect(cv.dc, &r, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
        GrafikFenster[0].PaintGrafik(cv.dc, 0, 0, breite, hoehe, 7, 16);
        EXPECT_TRUE(cv.WritePng(NebenProgramm(datei).c_str()));
    }
    // A dialog as it stands on the screen.
    static void DialogBild(HWND dlg, const char* datei)
    {
        RECT r;
        GetWindowRect(dlg, &r);
        plot_test::Canvas cv(r.right - r.left, r.bottom - r.top);
        RedrawWindow(dlg, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        HDC quelle = GetWindowDC(dlg);
        BitBlt(cv.dc, 0, 0, cv.w, cv.h, quelle, 0, 0, SRCCOPY);
        ReleaseDC(dlg, quelle);
        EXPECT_TRUE(cv.WritePng(NebenProgramm(datei).c_str()));
    }
    static std::string NebenProgramm(const char* datei)
    {
        char pfad[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, pfad, MAX_PATH);
        std::string ziel = pfad;
        return ziel.substr(0, ziel.find_last_of("\\/") + 1) + datei;
    }
};

#endif
