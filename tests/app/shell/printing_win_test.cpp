// PrintGrafik without a print job into an enhanced metafile (as the
// clipboard and metafile export use it), the plotting object left as it
// was, and a print to the default printer when the test run provides one.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "app/spectra/data_commands_fixture.h"
#include "resource_ids.h"
#include "shell/child_windows.h"
#include "shell/printing.h"
#include "shell/printing_win.h"
#include "shell/shell_globals.h"
#include "spectra/spectra_globals.h"

namespace {

struct Aufzeichnung {
    std::vector<RECT> rechtecke;
    std::vector<std::vector<POINT>> linien;
};

int CALLBACK Sammle(HDC, HANDLETABLE*, const ENHMETARECORD* r, int, LPARAM daten)
{
    auto* a = reinterpret_cast<Aufzeichnung*>(daten);
    if (r->iType == EMR_RECTANGLE) {
        const auto* e = reinterpret_cast<const EMRRECTANGLE*>(r);
        a->rechtecke.push_back(RECT{e->rclBox.left, e->rclBox.top, e->rclBox.right, e->rclBox.bottom});
    } else if (r->iType == EMR_POLYLINE16) {
        const auto* e = reinterpret_cast<const EMRPOLYLINE16*>(r);
        std::vector<POINT> p;
        for (DWORD i = 0; i < e->cpts; ++i) p.push_back(POINT{e->apts[i].x, e->apts[i].y});
        a->linien.push_back(p);
    } else if (r->iType == EMR_POLYLINE) {
        const auto* e = reinterpret_cast<const EMRPOLYLINE*>(r);
        std::vector<POINT> p;
        for (DWORD i = 0; i < e->cptl; ++i) p.push_back(POINT{e->aptl[i].x, e->aptl[i].y});
        a->linien.push_back(p);
    }
    return 1;
}

double Sinus(double x) { return std::sin(x / 20.0); }

}  // namespace

class Drucken : public EditFixture {};

TEST_F(Drucken, GraphWithoutAJobIntoA1200x895MetafileHoldsFrameAndCurve)
{
    Kurve(0, 200, Sinus);
    AktivesFenster = 0;

    HDC ref = GetDC(nullptr);
    HDC mf = CreateEnhMetaFileA(ref, nullptr, nullptr, nullptr);
    ReleaseDC(nullptr, ref);
    ASSERT_NE(mf, nullptr);
    EXPECT_EQ(HAUPTDATEN.PrintGrafik(1, mf, 1200, 895, 8, 16, 0), 0);
    HENHMETAFILE emf = CloseEnhMetaFile(mf);
    ASSERT_NE(emf, nullptr);
    Aufzeichnung a;
    EnumEnhMetaFile(nullptr, emf, Sammle, &a, nullptr);
    DeleteEnhMetaFile(emf);

    // The frame: a rectangle inside the target that spans most of it.
    const RECT* frame = nullptr;
    for (const RECT& r : a.rechtecke)
        if (r.right - r.left > 600 && r.bottom - r.top > 400) frame = &r;
    ASSERT_NE(frame, nullptr) << a.rechtecke.size() << " rectangles";
    EXPECT_GE(frame->left, 0);
    EXPECT_GE(frame->top, 0);
    EXPECT_LE(frame->right, 1200);
    EXPECT_LE(frame->bottom, 895);
    // The curve: a polyline through the 200 points, inside the frame, that
    // rises and falls with the sine.
    const std::vector<POINT>* kurve = nullptr;
    for (const auto& l : a.linien)
        if (l.size() >= 100) kurve = &l;
    ASSERT_NE(kurve, nullptr);
    LONG oben = 1 << 30, unten = -(1 << 30);
    for (const POINT& p : *kurve) {
        EXPECT_GE(p.x, frame->left - 1);
        EXPECT_LE(p.x, frame->right + 1);
        oben = std::min(oben, p.y);
        unten = std::max(unten, p.y);
    }
    EXPECT_GT(unten - oben, (frame->bottom - frame->top) / 2);

    // The plotting object is left as the screen needs it.
    int g2, a2, r2, d2, f2, z2;
    Plotter.GetGridBreite(g2, a2, r2, d2, f2, z2);
    EXPECT_EQ(a2, GrafikFenster[0].Paintinfo.AxisWidth);
    EXPECT_EQ(r2, GrafikFenster[0].Paintinfo.FrameWidth);
    EXPECT_EQ(d2, GrafikFenster[0].Paintinfo.PlotWidth);
    int k2, t2, b2;
    Plotter.GetKreisRadiusTriangleHeight(k2, t2, b2);
    EXPECT_EQ(k2, GrafikFenster[0].Paintinfo.KreisRadius);
    EXPECT_EQ(t2, GrafikFenster[0].Paintinfo.TriangleHeight);
    EXPECT_EQ(b2, GrafikFenster[0].Paintinfo.BarWidth);
    int e2[8];
    Plotter.GetScalExtent(e2[0], e2[1], e2[2], e2[3], e2[4], e2[5], e2[6], e2[7]);
    const int32_t* sb = HAUPTDATEN.Schriftbreiten;
    const int32_t* sh = HAUPTDATEN.Schrifthoehen;
    EXPECT_EQ(e2[0], sb[0]);
    EXPECT_EQ(e2[1], sh[0]);
    EXPECT_EQ(e2[6], sb[1]);
    EXPECT_EQ(e2[7], sh[1]);
    EXPECT_EQ(GrafikFenster[0].EinstellungenBehalten, 0);
}

TEST_F(Drucken, OptionsCancelledPrintNothing)
{
    DruckOptionenDialog = [](HWND) -> INT_PTR { return IDCANCEL; };
    Kurve(0, 20, Sinus);
    AktivesFenster = 0;
    HDC ref = GetDC(nullptr);
    HDC mf = CreateEnhMetaFileA(ref, nullptr, nullptr, nullptr);
    ReleaseDC(nullptr, ref);
    EXPECT_EQ(HAUPTDATEN.PrintGrafik(1, mf, 1200, 895, 8, 16, 1), -1);
    DruckOptionenDialog = nullptr;
    DeleteEnhMetaFile(CloseEnhMetaFile(mf));
    EXPECT_TRUE(IsWindowEnabled(HAUPTDATEN.Hauptfenster));
}

TEST_F(Drucken, WithoutADefaultPrinterTheUserIsTold)
{
    char alt[400] = "";
    GetProfileStringA("windows", "device", "", alt, sizeof alt);
    WriteProfileStringA("windows", "device", "");
    boxen.clear();
    EXPECT_EQ(GetPrinterDC(), nullptr);
    // The print command of a graphic window says so too, and prints nothing.
    Kurve(0, 20, Sinus);
    EXPECT_EQ(DruckeGrafikFenster(), 0);
    // And so does the results window's, showing its text.
    SendMessageA(HAUPTDATEN.KindFenster[KIND_ERGEBNIS], WM_COMMAND, 123, 0);
    SendMessageA(HAUPTDATEN.KindFenster[KIND_ERGEBNIS], WM_COMMAND, 122, 0);
    WriteProfileStringA("windows", "device", alt[0] ? alt : nullptr);
    ASSERT_EQ(boxen.size(), 3u);
    for (const GezeigteBox& b : boxen) {
        EXPECT_EQ(b.text, "No printer installed !");
        EXPECT_EQ(b.titel, "Error !!");
    }
    EXPECT_TRUE(IsWindowEnabled(HAUPTDATEN.Hauptfenster));
}

// Run by scripts/test with KORLAN_PRINT_CHECK naming a folder: the graph
// and a 200-line results text go to the default printer (the PDF printer
// of the test run), and the folder receives what the check of the PDFs
// needs: the expected page count and the graph's area on the page.
TEST_F(Drucken, ToTheDefaultPrinter)
{
    const char* ziel = std::getenv("KORLAN_PRINT_CHECK");
    if (!ziel || !*ziel) GTEST_SKIP() << "no printer check in this run";
    HDC dc = GetPrinterDC();
    ASSERT_NE(dc, nullptr) << "no default printer";
    const int seiteB = GetDeviceCaps(dc, HORZRES), seiteH = GetDeviceCaps(dc, VERTRES);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    const int lh = tm.tmHeight + tm.tmExternalLeading;
    DeleteDC(dc);

    // The print runs with the options set here, without asking for them.
    DruckOptionenDialog = nullptr;
    Kurve(0, 200, Sinus);
    AktivesFenster = 0;
    std::snprintf(GrafikFenster[0].DateiInfo.DateiName, sizeof GrafikFenster[0].DateiInfo.DateiName, "graph");
    HAUPTDATEN.KopierGroesse = 2;
    HAUPTDATEN.GanzeSeite = 0;
    EXPECT_GT(DruckeGrafikFenster(), 0);

    std::string text;
    for (int i = 1; i <= 200; ++i) text += "result line " + std::to_string(i) + "\r\n";
    std::snprintf(GrafikFenster[0].DateiInfo.DateiName, sizeof GrafikFenster[0].DateiInfo.DateiName, "text");
    EXPECT_GT(DruckeErgebnisText(text.c_str()), 0);

    // The set-up dialog lists the printer; choosing it and OK keeps it.
    bool okFrei = false;
    const bool zu = MitDialogen(
        {[&](HWND d) {
             HWND liste = GetDlgItem(d, IDC_DRUCKER_LISTE);
             const int n = static_cast<int>(SendMessageA(liste, LB_GETCOUNT, 0, 0));
             for (int i = 0; i < n; ++i) {
                 char zeile[600] = "";
                 SendMessageA(liste, LB_GETTEXT, i, reinterpret_cast<LPARAM>(zeile));
                 if (std::strncmp(zeile, "KorlanPDF an ", 13) != 0) continue;
                 SendMessageA(liste, LB_SETCURSEL, i, 0);
                 SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_DRUCKER_LISTE, LBN_SELCHANGE),
                              reinterpret_cast<LPARAM>(liste));
             }
             okFrei = IsWindowEnabled(GetDlgItem(d, IDOK)) != FALSE;
         },
         Druecke(IDOK)},
        [] { HAUPTDATEN.Befehl(169, 0); });
    EXPECT_TRUE(zu);
    EXPECT_TRUE(okFrei);
    EXPECT_EQ(std::string(GewaehlterDrucker()).rfind("KorlanPDF,", 0), 0u) << GewaehlterDrucker();

    const auto zeilen = DruckTextSeiten(text, lh, seiteH);
    const DruckFlaeche fl = BerechneDruckFlaeche(true, false, 2, 0, 0, seiteB, seiteH);
    std::ofstream aus(std::string("Z:") + ziel + "/expected.txt");
    aus << "pages " << zeilen.back().Seite + 1 << "\n"
        << "page " << seiteB << " " << seiteH << "\n"
        << "graph " << fl.Breite << " " << fl.Hoehe << "\n";
}
