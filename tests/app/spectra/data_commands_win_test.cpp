// The data commands of the graphic windows through the dispatcher: prepared
// values on a known curve, the refusals, the clipboard picture, macro
// replay on a second window, deglitching and the dialogs they open.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "data_commands_fixture.h"
#include "resource_ids.h"
#include "shell/macro_bar.h"
#include "spectra/data_commands.h"
#include "spectra/data_dialogs_win.h"
#include "spectra/data_commands_win.h"

namespace {

double Quadrat(double x) { return x * x; }

using Feld = std::vector<double>;

Feld Bereich(double von, double bis, double schritt = 1.0)
{
    Feld f;
    for (double v = von; v <= bis + 1e-12; v += schritt) f.push_back(v);
    return f;
}

Feld Abbild(const Feld& x, const std::function<double(double)>& f)
{
    Feld y;
    for (double v : x) y.push_back(f(v));
    return y;
}

void Gleich(const Feld& ist, const Feld& soll, const std::string& was, double tol = 1e-12)
{
    ASSERT_EQ(ist.size(), soll.size()) << was;
    for (size_t i = 0; i < ist.size(); ++i) EXPECT_NEAR(ist[i], soll[i], tol) << was << " [" << i << "]";
}

HDC KeinDrucker() { return nullptr; }

std::string gespeichert;
BOOL WINAPI Speichern(LPOPENFILENAMEA ofn)
{
    if (gespeichert.empty() || gespeichert.size() >= ofn->nMaxFile) return FALSE;
    std::strcpy(ofn->lpstrFile, gespeichert.c_str());
    return TRUE;
}

}  // namespace

class EditBefehle : public EditFixture {};

TEST_F(EditBefehle, PreparedValuesGiveTheExpectedSlotAndHistoryLine)
{
    const Feld x11 = Bereich(0, 10);
    struct Fall {
        const char* name;
        int32_t id;
        Feld dw;
        std::function<void()> vorher;
        int32_t slot;
        Feld x, y;
        const char* zeile;
    };
    const Fall faelle[] = {
        {"function grid", 603, {5, -1}, nullptr, 1, {0, 2.5, 5, 7.5, 10}, {1, 6, 11, 16, 21},
         "--: kurve.dat --FUNCTION --> X/Y  5 points  function -1   - ( active : 2 )\r\n"},
        {"function on the curve's own x", 603, {11, -1}, nullptr, 1, x11,
         Abbild(x11, [](double v) { return 2 * v + 1; }),
         "--: kurve.dat --FUNCTION --> X/Y  11 points  function -1   - ( active : 2 )\r\n"},
        {"section", 605, {2, 6, 0}, nullptr, 1, Bereich(2, 6), Abbild(Bereich(2, 6), Quadrat),
         "--: kurve.dat --SECTION  from 2  to 6   - ( active : 1 )\r\n"},
        {"section with interpolated ends", 605, {2.5, 5.5, 1}, nullptr, 1, {2.5, 3, 4, 5, 5.5},
         {6.5, 9, 16, 25, 30.5}, "--: kurve.dat --SECTION  from 2.5  to 5.5   - ( active : 1 )\r\n"},
        {"ordinate factor and constant", 607, {220, 2, 1}, nullptr, 0, x11,
         Abbild(x11, [](double v) { return 2 * v * v + 1; }),
         "--: kurve.dat --MODIFY ORDINATE  function 220  factor 2  constant 1   - ( active : 1 )\r\n"},
        {"ordinate ln", 607, {222, 1, 1}, nullptr, 0, x11,
         Abbild(x11, [](double v) { return std::log(v * v + 1); }),
         "--: kurve.dat --MODIFY ORDINATE  function 222  factor 1  constant 1   - ( active : 1 )\r\n"},
        {"ordinate minus its own slot", 607, {220, 1, 0, 2, 101, 1, 0, 220}, nullptr, 0, x11,
         Feld(11, 0.0),
         "--: kurve.dat --MODIFY ORDINATE  function 220  factor 1  constant 0   - ( active : 1 )\r\n"},
        {"ordinate plus the model", 607, {220, 1, 0, 1, 1000, 1, 0, 220}, nullptr, 0, x11,
         Abbild(x11, [](double v) { return (v + 1) * (v + 1); }),
         "--: kurve.dat --MODIFY ORDINATE  function 220  factor 1  constant 0   - ( active : 1 )\r\n"},
        {"abscissa mirrored with y", 608, {1220, -1, 10, 1}, nullptr, 0, x11,
         Abbild(x11, [](double v) { return (10 - v) * (10 - v); }),
         "--: kurve.dat --MODIFY ABSCISSA  function 1220  factor -1  constant 10   - ( active : 1 )\r\n"},
        {"abscissa log10", 608, {221, 1, 1, 1}, nullptr, 0,
         Abbild(x11, [](double v) { return std::log10(v + 1); }), Abbild(x11, Quadrat),
         "--: kurve.dat --MODIFY ABSCISSA  function 221  factor 1  constant 1   - ( active : 1 )\r\n"},
        {"imaginary part", 619, {},
         [] {
             grafik_fenster& g = GrafikFenster[0];
             g.KurvenFlags[0] = SLOT_KOMPLEX;
             for (int i = 0; i < 11; ++i) g.GetYFeld(0)[12 + i] = -i;
         },
         1, x11, Abbild(x11, [](double v) { return -v; }),
         "--: kurve.dat --IMAGINARY PART   - ( active : 2 )\r\n"},
        {"paste of equal length", 606, {0, 3, 6},
         [] {
             grafik_fenster& g = GrafikFenster[0];
             for (int i = 0; i < 11; ++i) {
                 g.GetXFeld(1)[i] = i;
                 g.GetYFeld(1)[i] = -1.0;
             }
             g.DateiInfo.PunkteProKurve[1] = 11;
             g.KurvenZaehler = g.NeuesterZaehler = 1;
         },
         0, x11, {0, 1, 4, -1, -1, -1, 36, 49, 64, 81, 100},
         "--: kurve.dat --PASTE  from 3  to 6  into graph 1   - ( active : 1 )\r\n"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        Kurve(0, 11, Quadrat);
        if (f.vorher) f.vorher();
        CommandText[0] = '\0';
        Prepared(f.id, f.dw);
        EXPECT_EQ(FehlerCode, 0);
        const grafik_fenster& g = GrafikFenster[0];
        ASSERT_EQ(g.AktuellerSlot(), f.slot);
        Gleich(X(0, f.slot), f.x, "x");
        Gleich(Y(0, f.slot), f.y, "y", 1e-9);
        EXPECT_STREQ(CommandText, f.zeile);
        EXPECT_NE(Historie().find(f.zeile), std::string::npos);
        FehlerCode = 0;
    }
    // The function grid shows data, not the model.
    Kurve(0, 11, Quadrat);
    GrafikFenster[0].ZeigeFunktion = 1;
    Prepared(603, {4, -1});
    EXPECT_EQ(GrafikFenster[0].ZeigeFunktion, 0);
    EXPECT_EQ(GrafikFenster[0].ZeigeDaten, 1);
}

TEST_F(EditBefehle, RefusedValuesChangeNothing)
{
    struct Fall {
        const char* name;
        int32_t id;
        Feld dw;
        int32_t fehler;
    };
    const Fall faelle[] = {
        {"section with crossed borders", 605, {6, 2, 0}, 102},
        {"paste with crossed borders", 606, {0, 6, 3}, 102},
        {"paste into a slot the ring never reached", 606, {3, 2, 6}, 1000},
        {"noise of level 0", 620, {0}, 0},
        {"noise of a negative level", 620, {-0.01}, 0},
        {"extract imaginary part of a real curve", 619, {}, 0},
        {"function grid of one point", 603, {1, -1}, 0},
        {"single function beyond the model", 603, {5, 3}, 0},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        Kurve(0, 11, Quadrat);
        // A second curve to paste from, current.
        grafik_fenster& g = GrafikFenster[0];
        for (int i = 0; i < 11; ++i) {
            g.GetXFeld(1)[i] = i;
            g.GetYFeld(1)[i] = 5.0;
        }
        g.DateiInfo.PunkteProKurve[1] = 11;
        g.KurvenZaehler = g.NeuesterZaehler = 1;
        FehlerCode = 0;
        CommandText[0] = '\0';
        Prepared(f.id, f.dw);
        EXPECT_EQ(FehlerCode, f.fehler);
        EXPECT_EQ(g.KurvenZaehler, 1);
        EXPECT_EQ(g.NeuesterZaehler, 1);
        Gleich(Y(0, 0), Abbild(Bereich(0, 10), Quadrat), "slot 0");
        Gleich(Y(0, 1), Feld(11, 5.0), "slot 1");
        EXPECT_STREQ(CommandText, "");
    }

    // A paste whose section lies outside the destination: the slots come
    // back, and a prepared command reports that the macro does not fit.
    Kurve(0, 11, Quadrat);
    grafik_fenster& g = GrafikFenster[0];
    for (int i = 0; i < 11; ++i) {
        g.GetXFeld(1)[i] = 5 + i;
        g.GetYFeld(1)[i] = 5.0;
    }
    g.DateiInfo.PunkteProKurve[1] = 11;
    g.KurvenZaehler = g.NeuesterZaehler = 1;
    FehlerCode = 0;
    Prepared(606, {0, 9, 14});
    EXPECT_EQ(FehlerCode, 1000);
    EXPECT_EQ(g.KurvenZaehler, 1);
    Gleich(Y(0, 0), Abbild(Bereich(0, 10), Quadrat), "destination");
    FehlerCode = 0;

    // No graphic window at all.
    for (HWND& h : HAUPTDATEN.GrafikHandles) h = nullptr;
    Prepared(605, {2, 6, 0});
    EXPECT_EQ(FehlerCode, 111);
    HAUPTDATEN.GrafikHandles[0] = grafik[0];
    HAUPTDATEN.GrafikHandles[1] = grafik[1];
}

TEST_F(EditBefehle, CopyPutsTheCurveIntoAnotherWindowsSlot)
{
    Kurve(0, 11, Quadrat);
    Kurve(1, 5, [](double v) { return -v; });
    Prepared(601, {12});
    const grafik_fenster& z = GrafikFenster[1];
    EXPECT_EQ(z.AktuellerSlot(), 2);
    EXPECT_EQ(z.NeuesterZaehler, 2);
    Gleich(X(1, 2), Bereich(0, 10), "x");
    Gleich(Y(1, 2), Abbild(Bereich(0, 10), Quadrat), "y");
    Gleich(Y(1, 0), Abbild(Bereich(0, 4), [](double v) { return -v; }), "untouched slot");
    EXPECT_EQ(AktivesFenster, 1);
    EXPECT_DOUBLE_EQ(z.Grenzen[1], 0.0);
    EXPECT_DOUBLE_EQ(z.Grenzen[0], 10.0);
}

TEST_F(EditBefehle, NoiseIsSmallRepeatableAndLeavesTheSourceAlone)
{
    Kurve(0, 201, Quadrat);
    Kurve(1, 201, Quadrat);
    Prepared(620, {0.01});
    BringWindowToTop(grafik[1]);
    Prepared(620, {0.01});
    ASSERT_EQ(GrafikFenster[0].AktuellerSlot(), 1);
    const Feld a = Y(0, 1), b = Y(1, 1), original = Y(0, 0);
    ASSERT_EQ(a.size(), 201u);
    EXPECT_EQ(0, std::memcmp(a.data(), b.data(), a.size() * sizeof(double)));
    double summe = 0.0;
    int anders = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        const double d = a[i] - original[i];
        summe += d * d;
        if (d != 0.0) ++anders;
    }
    // rms of 1 % of the largest value (40,000).
    EXPECT_NEAR(std::sqrt(summe / a.size()), 400.0, 80.0);
    EXPECT_GT(anders, 190);
    Gleich(original, Abbild(Bereich(0, 200), Quadrat), "source");
    EXPECT_STREQ(CommandText, "--: kurve.dat --NOISE  rms 0.01   - ( active : 2 )\r\n");
}

TEST_F(EditBefehle, DeglitchingReplacesThePlantedSpikeAndNothingElse)
{
    auto parabel = [](double v) { return 0.5 * v * v - 3 * v + 2; };
    Kurve(0, 41, [](double v) { return 0.5 * v * v - 3 * v + 2; });
    grafik_fenster& g = GrafikFenster[0];
    g.GetYFeld(0)[20] += 50.0;
    g.PolyGrad = 2;
    const Feld vorher = Y(0, 0);
    Prepared(613, {19.8, 20.2, 0, 10, 30});
    EXPECT_EQ(FehlerCode, 0);
    ASSERT_EQ(g.AktuellerSlot(), 1);
    const Feld nachher = Y(0, 1);
    ASSERT_EQ(nachher.size(), 41u);
    for (size_t i = 0; i < nachher.size(); ++i) {
        if (i == 20) EXPECT_NEAR(nachher[i], parabel(20), 1e-6);
        else EXPECT_EQ(nachher[i], vorher[i]) << i;
    }
    Gleich(Y(0, 0), vorher, "source");
    EXPECT_EQ(g.AnzahlFunktionen, 1);
    EXPECT_EQ(g.FunktionsTypen[0], 7);
    EXPECT_STREQ(CommandText, "--: kurve.dat --DEGLITCHING  from 19.8  to 20.2   - ( active : 2 )\r\n");

    // A glitch too close to the end of the fit range: the new slot keeps
    // the curve unchanged and no line is written.
    Kurve(0, 41, [](double v) { return 0.5 * v * v - 3 * v + 2; });
    g.GetYFeld(0)[20] += 50.0;
    CommandText[0] = '\0';
    Prepared(613, {19.8, 20.2, 0, 19, 30});
    EXPECT_EQ(g.AktuellerSlot(), 1);
    Gleich(Y(0, 1), vorher, "unchanged");
    EXPECT_STREQ(CommandText, "");
}

TEST_F(EditBefehle, ClipboardGetsAnEnhancedMetafileSizedFromTheScreenWithoutPrinter)
{
    EditDruckerDC = KeinDrucker;
    Kurve(0, 50, Quadrat);
    HDC bildschirm = GetDC(nullptr);
    const int aufloesung = GetDeviceCaps(bildschirm, HORZRES);
    const int mm = GetDeviceCaps(bildschirm, HORZSIZE);
    TEXTMETRICA tm{};
    GetTextMetricsA(bildschirm, &tm);
    ReleaseDC(nullptr, bildschirm);

    HAUPTDATEN.AlsMetafile = 1;
    HAUPTDATEN.KopierGroesse = 0;
    Prepared(610, {0, 0});
    ASSERT_TRUE(OpenClipboard(hwnd));
    HENHMETAFILE emf = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
    ASSERT_NE(emf, nullptr);
    ENHMETAHEADER kopf{};
    ASSERT_GT(GetEnhMetaFileHeader(emf, sizeof kopf, &kopf), 0u);
    CloseClipboard();
    const int breite = aufloesung / 4;
    EXPECT_NEAR(kopf.rclFrame.right - kopf.rclFrame.left, MulDiv(breite, mm * 100, aufloesung), 2);
    EXPECT_GT(kopf.nRecords, 20u);  // a frame and a curve, not an empty picture

    // A bitmap of the medium size class: width x (height + a text line),
    // with the graph drawn into it.
    HAUPTDATEN.AlsMetafile = 0;
    HAUPTDATEN.KopierGroesse = 1;
    Prepared(610, {0, 0});
    ASSERT_TRUE(OpenClipboard(hwnd));
    HBITMAP bild = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    ASSERT_NE(bild, nullptr);
    BITMAP bm{};
    ASSERT_NE(GetObjectA(bild, sizeof bm, &bm), 0);
    const int b2 = aufloesung / 2;
    EXPECT_EQ(bm.bmWidth, b2);
    EXPECT_EQ(bm.bmHeight, static_cast<int>(static_cast<float>(b2) / 1.34f) + tm.tmHeight + tm.tmExternalLeading);
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ alt = SelectObject(mem, bild);
    int farbig = 0;
    for (int y = 0; y < bm.bmHeight; y += 3)
        for (int x = 0; x < bm.bmWidth; x += 3)
            if ((GetPixel(mem, x, y) & 0xFFFFFF) != 0xFFFFFF) ++farbig;
    SelectObject(mem, alt);
    DeleteDC(mem);
    CloseClipboard();
    EXPECT_GT(farbig, 100);

    // Sizes from the dialog (above 20) replace the size class.
    HAUPTDATEN.AlsMetafile = 0;
    Prepared(610, {300.1, 200.1});
    ASSERT_TRUE(OpenClipboard(hwnd));
    bild = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    ASSERT_NE(bild, nullptr);
    GetObjectA(bild, sizeof bm, &bm);
    CloseClipboard();
    EXPECT_EQ(bm.bmWidth, 300);
    EXPECT_EQ(bm.bmHeight, 200 + tm.tmHeight + tm.tmExternalLeading);
    // 611 writes the same picture to the file chosen; without a name it
    // ends.
    HAUPTDATEN.AlsMetafile = 1;
    EditDateiDialog = Speichern;
    gespeichert.clear();
    Prepared(611, {0, 0});
    EXPECT_FALSE(Existiert("bild.wmf"));
    gespeichert = Pfad("bild.wmf");
    Prepared(611, {0, 0});
    HENHMETAFILE datei = GetEnhMetaFileA(Pfad("bild.wmf").c_str());
    EXPECT_NE(datei, nullptr);
    if (datei) DeleteEnhMetaFile(datei);
    EditDateiDialog = GetSaveFileNameA;
    HAUPTDATEN.KopierGroesse = 2;
    EditDruckerDC = StandardDruckerDC;
}

TEST(KopierBild, SizeClassesCustomSizesAndDialogValues)
{
    const struct { int32_t groesse, aufl, eb, eh; double d0, d1; int32_t b, h; } faelle[] = {
        {0, 1000, 0, 0, 0, 0, 250, 186},   {1, 1000, 0, 0, 0, 0, 500, 373},
        {2, 1000, 0, 0, 0, 0, 1000, 746},  {3, 1000, 640, 480, 0, 0, 640, 480},
        {3, 1000, 640, 0, 0, 0, 1000, 746}, {2, 1000, 0, 0, 20, 21, 1000, 21},
        {0, 1000, 0, 0, 1e12, 0, 10000, 186},
    };
    for (const auto& f : faelle) {
        int32_t b = 0, h = 0;
        KopierBildGroesse(f.groesse, f.aufl, f.eb, f.eh, f.d0, f.d1, &b, &h);
        EXPECT_EQ(b, f.b) << f.groesse << " " << f.d0;
        EXPECT_EQ(h, f.h) << f.groesse << " " << f.d1;
    }
}

TEST_F(EditBefehle, AClipboardHeldElsewhereIsReportedNotIgnored)
{
    EditDruckerDC = KeinDrucker;
    Kurve(0, 50, Quadrat);
    HAUPTDATEN.AlsMetafile = 1;
    HAUPTDATEN.KopierGroesse = 0;
    // Another window holds the clipboard open.
    ASSERT_TRUE(OpenClipboard(grafik[1]));
    boxen.clear();
    Prepared(610, {0, 0});
    CloseClipboard();
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_EQ(boxen[0].titel, "Error !!");
    EXPECT_NE(boxen[0].text.find("clipboard"), std::string::npos);
    // Free again: the copy goes through without a message.
    boxen.clear();
    Prepared(610, {0, 0});
    EXPECT_TRUE(boxen.empty());
    ASSERT_TRUE(OpenClipboard(hwnd));
    EXPECT_NE(GetClipboardData(CF_ENHMETAFILE), nullptr);
    CloseClipboard();
}

TEST_F(EditBefehle, ColumnsOfTheFileComeIntoTheNextSlot)
{
    Schreibe("drei.dat", "# x a b\n1 10 100\n2 20 200\n3 30 300\n4 40 400\n");
    Kurve(0, 4, Quadrat);
    grafik_fenster& g = GrafikFenster[0];
    std::strcpy(g.DateiInfo.DateiName, "drei.dat");
    std::snprintf(g.DateiInfo.Ordner, sizeof g.DateiInfo.Ordner, "%s\\", ordner.c_str());
    g.DateiInfo.Spalten = 3;
    g.DateiInfo.XSpalte = 1;
    g.DateiInfo.YSpalte = 3;
    Prepared(604, {0, 0});
    EXPECT_EQ(FehlerCode, 0);
    ASSERT_EQ(g.AktuellerSlot(), 1);
    Gleich(X(0, 1), {1, 2, 3, 4}, "x");
    Gleich(Y(0, 1), {100, 200, 300, 400}, "y");
    EXPECT_STREQ(CommandText, "--: drei.dat -- New column  :  x = 1,  y = 3   - ( active : 2 )\r\n");

    // From the button bar's column boxes: no dialog, the values are cleared.
    g.DateiInfo.YSpalte = 2;
    HAUPTDATEN.DialogWerte[1] = 1.0;
    HAUPTDATEN.Befehl(604, 1111);
    ASSERT_EQ(g.AktuellerSlot(), 2);
    Gleich(Y(0, 2), {10, 20, 30, 40}, "y");

    // Through the dialog: the y column chosen in its list.
    g.DateiInfo.XSpalten[0] = 1;
    g.DateiInfo.XSpalten[1] = 1;
    g.DateiInfo.AlleSpalten[0] = 2;
    g.DateiInfo.AlleSpalten[1] = 2;
    g.DateiInfo.AlleSpalten[2] = 3;
    EXPECT_TRUE(MitDialogen({[](HWND dlg) { SendDlgItemMessageA(dlg, IDC_INFO_YCOMBO, CB_SETCURSEL, 1, 0); },
                             Druecke(IDOK)},
                            [] { HAUPTDATEN.Befehl(604, 0); }));
    EXPECT_EQ(g.DateiInfo.YSpalte, 3);
    ASSERT_EQ(g.AktuellerSlot(), 3);
    Gleich(Y(0, 3), {100, 200, 300, 400}, "y from the dialog");

    // An ordinate operand from a file column of another length is resampled
    // onto the curve's x: column 2 is linear in x, so the spline is exact.
    Kurve(0, 7, Quadrat);
    for (int i = 0; i < 7; ++i) g.GetXFeld(0)[i] = 1.0 + 0.5 * i;
    g.SetFullBorder();
    Prepared(607, {220, 1, 0, 2, 2, 1, 0, 220});
    ASSERT_EQ(g.AktuellerSlot(), 0);
    for (int i = 0; i < 7; ++i) EXPECT_NEAR(g.GetYFeld(0)[i], i * i - 10.0 * (1.0 + 0.5 * i), 1e-9) << i;
}

TEST_F(EditBefehle, RecordedDataCommandsReplayBitIdenticallyOnAnotherWindow)
{
    auto welle = [](double v) { return std::sin(0.1 * v) * 100.0 + v; };
    Kurve(0, 101, [](double v) { return std::sin(0.1 * v) * 100.0 + v; });
    Kurve(1, 101, [](double v) { return std::sin(0.1 * v) * 100.0 + v; });
    (void)welle;
    MakroSpeichernDialog = Speichern;
    MakroOeffnenDialog = Speichern;
    gespeichert = Pfad("daten.MAK");
    ButtonBar.MakroSaveAs();
    ASSERT_EQ(HAUPTDATEN.MakroAufnahme, 1);
    Prepared(605, {10, 80, 0});
    Prepared(607, {222, 1, 200, 0});
    Prepared(608, {1220, -2, 300, 1});
    Prepared(620, {0.02});
    Prepared(603, {40, -1});
    Prepared(619, {});  // a real curve: refused, so not recorded
    ButtonBar.MakroSaveAs();
    ASSERT_EQ(HAUPTDATEN.MakroAufnahme, 0);
    const std::string datei = Lies("daten.MAK");
    EXPECT_EQ(datei.rfind("Makro", 0), 0u);

    BringWindowToTop(grafik[1]);
    ASSERT_EQ(ButtonBar.MakroOpen(), 1);
    ASSERT_EQ(ButtonBar.MakroReopen(), 1);
    EXPECT_EQ(ButtonBar.MakroRun(0, -1), 1);
    ButtonBar.MakroClose();
    EXPECT_TRUE(boxen.empty()) << boxen[0].text;
    MakroSpeichernDialog = GetSaveFileNameA;
    MakroOeffnenDialog = GetOpenFileNameA;

    const grafik_fenster& a = GrafikFenster[0];
    const grafik_fenster& b = GrafikFenster[1];
    EXPECT_EQ(a.KurvenZaehler, 3);
    EXPECT_EQ(b.KurvenZaehler, a.KurvenZaehler);
    EXPECT_EQ(b.NeuesterZaehler, a.NeuesterZaehler);
    for (int s = 0; s < 4; ++s) {
        SCOPED_TRACE(s);
        const Feld ax = X(0, s), bx = X(1, s), ay = Y(0, s), by = Y(1, s);
        ASSERT_EQ(ax.size(), bx.size());
        ASSERT_EQ(ay.size(), by.size());
        EXPECT_EQ(0, std::memcmp(ax.data(), bx.data(), ax.size() * sizeof(double)));
        EXPECT_EQ(0, std::memcmp(ay.data(), by.data(), ay.size() * sizeof(double)));
    }
    EXPECT_EQ(X(0, 3).size(), 40u);
}

TEST_F(EditBefehle, DialogsOpenedByTheCommandsAreAnswered)
{
    // Noise: the level typed in.
    Kurve(0, 21, Quadrat);
    EXPECT_TRUE(MitDialogen({SetzeText(IDC_NOISE_VALUE, "0.05"), Druecke(IDOK)},
                            [] { HAUPTDATEN.Befehl(620, 0); }));
    EXPECT_EQ(GrafikFenster[0].AktuellerSlot(), 1);
    EXPECT_DOUBLE_EQ(HAUPTDATEN.DialogWerte[0], 0.05);
    EXPECT_NE(Y(0, 1), Y(0, 0));

    // Ordinate: Apply acts at once and keeps the dialog open, OK acts again.
    Kurve(0, 11, Quadrat);
    EXPECT_TRUE(MitDialogen({SetzeText(IDC_SHIFT_FACTOR, "3"), Druecke(IDC_DLG_APPLY),
                             SetzeText(IDC_SHIFT_FACTOR, "2"), Druecke(IDOK)},
                            [] { HAUPTDATEN.Befehl(607, 0); }));
    Gleich(Y(0, 0), Abbild(Bereich(0, 10), [](double v) { return 6 * v * v; }), "y");
    EXPECT_EQ(DatenAnwenden, nullptr);

    // Abscissa: mirrored, y follows (" with Y axis" is the default).
    Kurve(0, 11, Quadrat);
    EXPECT_TRUE(MitDialogen({SetzeText(IDC_SHIFT_FACTOR, "-1"), SetzeText(IDC_SHIFT_CONSTANT, "10"),
                             Druecke(IDOK)},
                            [] { HAUPTDATEN.Befehl(608, 0); }));
    Gleich(X(0, 0), Bereich(0, 10), "x");
    Gleich(Y(0, 0), Abbild(Bereich(0, 10), [](double v) { return (10 - v) * (10 - v); }), "y");

    // Paste cancelled: nothing changes.
    Kurve(0, 11, Quadrat);
    CommandText[0] = '\0';
    EXPECT_TRUE(MitDialogen({Druecke(IDCANCEL)}, [] { HAUPTDATEN.Befehl(606, 0); }));
    EXPECT_EQ(GrafikFenster[0].KurvenZaehler, 0);
    EXPECT_STREQ(CommandText, "");

    // Copy: window 1, slot 1 chosen.
    Kurve(0, 11, Quadrat);
    Kurve(1, 5, Quadrat);
    GrafikFenster[1].NeuesterZaehler = 1;
    EXPECT_TRUE(MitDialogen({Waehle(IDC_WIN_SLOT + 10 + 1), Druecke(IDOK)},
                            [] { HAUPTDATEN.Befehl(601, 0); }));
    EXPECT_EQ(GrafikFenster[1].AktuellerSlot(), 1);
    Gleich(Y(1, 1), Abbild(Bereich(0, 10), Quadrat), "copied");

    // The picture format dialog cancelled: the clipboard keeps its text.
    BringWindowToTop(grafik[0]);
    ASSERT_TRUE(OpenClipboard(hwnd));
    EmptyClipboard();
    HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, 8);
    std::strcpy(static_cast<char*>(GlobalLock(text)), "bleibt");
    GlobalUnlock(text);
    SetClipboardData(CF_TEXT, text);
    CloseClipboard();
    EXPECT_TRUE(MitDialogen({Druecke(IDCANCEL)}, [] { HAUPTDATEN.Befehl(610, 0); }));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_ENHMETAFILE));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));

    // Function grid: the point count typed in.
    Kurve(0, 11, Quadrat);
    EXPECT_TRUE(MitDialogen({SetzeText(58, "6"), Druecke(IDOK)}, [] { HAUPTDATEN.Befehl(603, 0); }));
    Gleich(X(0, 1), {0, 2, 4, 6, 8, 10}, "grid");
}

TEST_F(EditBefehle, NewWindowTakesACopyOfTheCurrentCurve)
{
    Kurve(0, 11, Quadrat);
    grafik_fenster& q = GrafikFenster[0];
    std::strcpy(q.XText[0], "E [eV]");
    q.ZeigeFunktion = 1;
    Prepared(602, {});
    ASSERT_NE(HAUPTDATEN.GrafikHandles[2], nullptr);
    EXPECT_EQ(AktivesFenster, 2);
    const grafik_fenster& z = GrafikFenster[2];
    ASSERT_EQ(z.AktuellerSlot(), 0);
    Gleich(X(2, 0), Bereich(0, 10), "x");
    Gleich(Y(2, 0), Abbild(Bereich(0, 10), Quadrat), "y");
    for (int s = 1; s < 4; ++s) EXPECT_EQ(z.DateiInfo.PunkteProKurve[s], 0) << s;
    EXPECT_STREQ(z.DateiInfo.DateiName, "kurve.dat");
    EXPECT_STREQ(z.XText[0], "E [eV]");
    EXPECT_EQ(z.ZeigeDaten, 1);
    EXPECT_EQ(z.ZeigeFunktion, 0);
    EXPECT_DOUBLE_EQ(z.Grenzen[0], 10.0);
    // The source is unchanged.
    Gleich(Y(0, 0), Abbild(Bereich(0, 10), Quadrat), "source");
}

TEST_F(EditBefehle, ZoomArmsTheWindowAndLeavesTheMultiplot)
{
    Kurve(0, 11, Quadrat);
    grafik_fenster& g = GrafikFenster[0];
    g.Multiplot = 1;
    g.Zoom.Ziehen = 1;
    MSG m;
    while (PeekMessageA(&m, grafik[0], WM_COMMAND, WM_COMMAND, PM_REMOVE)) {}
    HAUPTDATEN.Befehl(616, 0);
    EXPECT_EQ(g.Multiplot, 0);
    EXPECT_EQ(g.Zoom.Bereit, 1);
    EXPECT_EQ(g.Zoom.Ziehen, 0);
    EXPECT_EQ(GetClassLongPtrA(grafik[0], GCLP_HCURSOR),
              reinterpret_cast<LONG_PTR>(LoadCursor(nullptr, IDC_CROSS)));
    // The multiplot went off, so the window is redrawn.
    ASSERT_TRUE(PeekMessageA(&m, grafik[0], WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(m.wParam, static_cast<WPARAM>(CM_REDRAW));
    // Armed again without a multiplot: nothing to redraw.
    HAUPTDATEN.Befehl(616, 0);
    EXPECT_FALSE(PeekMessageA(&m, grafik[0], WM_COMMAND, WM_COMMAND, PM_REMOVE));
}

TEST_F(EditBefehle, CopyWithTheResultsWindowOnTopCopiesItsText)
{
    HWND ergebnis = HAUPTDATEN.KindFenster[KIND_ERGEBNIS];
    ASSERT_NE(ergebnis, nullptr);
    ShowWindow(ergebnis, SW_SHOW);
    BringWindowToTop(ergebnis);
    ASSERT_EQ(GetTopWindow(hwnd), ergebnis);
    MSG m;
    while (PeekMessageA(&m, ergebnis, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {}
    // No dialog opens: the command hands over at once.
    EXPECT_TRUE(MitDialogen({}, [] { HAUPTDATEN.Befehl(610, 0); }));
    ASSERT_TRUE(PeekMessageA(&m, ergebnis, WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(m.wParam, 7777u);
}
