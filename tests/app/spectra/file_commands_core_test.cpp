// Transformations of Open, Load and Save, the tables of the file-name
// dialog, and the small sort and text routines of the file commands.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <pthread.h>
#endif

#include "spectra/file_commands.h"
#include "app/temp_folder.h"

namespace {

#ifdef _WIN32
DWORD WINAPI LaufeAuftrag(LPVOID p)
{
    (*static_cast<std::function<void()>*>(p))();
    return 0;
}
#else
void* LaufeAuftrag(void* p)
{
    (*static_cast<std::function<void()>*>(p))();
    return nullptr;
}
#endif

// Runs f on a thread with a small stack (64 KB; natively 256 KB, as the
// sanitizers make every frame larger): a sort whose recursion grows with
// the count instead of its logarithm overflows it and ends the program.
void MitKleinemStapel(std::function<void()> f)
{
#ifdef _WIN32
    HANDLE h = CreateThread(nullptr, 64 * 1024, LaufeAuftrag, &f,
                            STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    ASSERT_NE(h, nullptr);
    WaitForSingleObject(h, INFINITE);
    CloseHandle(h);
#else
    pthread_attr_t a;
    pthread_attr_init(&a);
    pthread_attr_setstacksize(&a, 256 * 1024);
    pthread_t t;
    const int r = pthread_create(&t, &a, LaufeAuftrag, &f);
    pthread_attr_destroy(&a);
    ASSERT_EQ(r, 0);
    pthread_join(t, nullptr);
#endif
}

}  // namespace

// ---------------------------------------------------------------------------
// Open and Load

TEST(FileOpen, VariantFollowsTheExtensionWhateverItsCase)
{
    struct Fall {
        const char* name;
        int32_t variante;
    } faelle[] = {{"probe.F15", DATEI_LOG_51}, {"C:\\m\\a.m15", DATEI_LOG_51},
                  {"x.dex", DATEI_XED},        {"x.DEX", DATEI_XED},
                  {"probe.51F", DATEI_NORMAL}, {"a.51M", DATEI_NORMAL},
                  {"x.XED", DATEI_NORMAL},     {"x.mes", DATEI_NORMAL},
                  {"F15", DATEI_NORMAL},       {"x.F15X", DATEI_NORMAL},
                  {nullptr, DATEI_NORMAL}};
    for (const auto& f : faelle) EXPECT_EQ(DateiVariante(f.name), f.variante) << (f.name ? f.name : "null");
}

TEST(FileOpen, LogQuotientOfColumnsTwoAndThree)
{
    // ln |e^a s / t| = a + ln|s/t| for any signs; a zero in either column gives 0.
    const double a[] = {0.5, -2.0, 3.0, 1.0, 0.0, 7.0};
    const double s[] = {1.0, -1.0, 2.0, 1.0, 1.0, 0.0};
    const double t[] = {1.0, 1.0, -4.0, 0.0, 5.0, 1.0};
    std::vector<double> c2(6), y(6);
    for (int i = 0; i < 6; ++i) c2[i] = std::exp(a[i]) * s[i];
    c2[4] = 0.0;
    LogQuotient(c2.data(), t, 6, y.data());
    EXPECT_NEAR(y[0], 0.5, 1e-14);
    EXPECT_NEAR(y[1], -2.0, 1e-14);
    EXPECT_NEAR(y[2], 3.0 + std::log(0.5), 1e-14);
    EXPECT_EQ(y[3], 0.0);
    EXPECT_EQ(y[4], 0.0);
    EXPECT_EQ(y[5], 0.0);
    // In place: the result may replace column 2.
    LogQuotient(c2.data(), t, 3, c2.data());
    EXPECT_NEAR(c2[2], 3.0 + std::log(0.5), 1e-14);
}

TEST(FileOpen, XedSpikeFilterTouchesOnlyIsolatedSpikesInsideTheMargins)
{
    const int n = 100;
    std::vector<double> y(n);
    for (int i = 0; i < n; ++i) y[i] = 2.0 + 0.01 * i;
    std::vector<double> erwartet = y;
    y[10] = 50.0;   // inside the first 30 points: kept
    y[40] = 30.0;   // spike
    y[50] = 0.1;    // dip
    y[60] = -30.0;  // spike of the other sign (magnitudes count)
    y[75] = 40.0;   // inside the last 30 points: kept
    y[45] = 3.0;    // 1.5 times its neighbours: kept
    erwartet[10] = 50.0;
    erwartet[75] = 40.0;
    erwartet[45] = 3.0;
    // A replaced point is the mean of its two predecessors.
    erwartet[40] = 0.5 * (y[39] + y[38]);
    erwartet[50] = 0.5 * (y[49] + y[48]);
    erwartet[60] = 0.5 * (y[59] + y[58]);
    XedSpikeFilter(y.data(), n);
    for (int i = 0; i < n; ++i) EXPECT_DOUBLE_EQ(y[i], erwartet[i]) << i;

    // Too short for any point between the margins: nothing happens.
    std::vector<double> kurz(50, 1.0);
    kurz[25] = 100.0;
    XedSpikeFilter(kurz.data(), 50);
    EXPECT_EQ(kurz[25], 100.0);
}

TEST(FileOpen, OneColumnFileGetsTheIndexAsX)
{
    std::vector<double> x = {5.0, 6.5, -1.0, 3.0};
    std::vector<double> y(4);
    EinSpaltenAbszisse(x.data(), 4, x.data(), y.data());
    EXPECT_EQ(y, (std::vector<double>{5.0, 6.5, -1.0, 3.0}));
    EXPECT_EQ(x, (std::vector<double>{0.0, 1.0, 2.0, 3.0}));
}

TEST(FileOpen, ThirdColumnGoesBehindTheRealPart)
{
    const int n = 5;
    const double x[] = {1, 2, 3, 4, 5};
    const double re[] = {10, 20, 30, 40, 50};
    const double im[] = {-1, -2, -3, -4, -5};
    ASSERT_EQ(KomplexKapazitaet(n), 15);
    std::vector<double> sx(15, 99.0), sy(15, 99.0);
    ASSERT_EQ(UebertrageInSlot(x, re, im, nullptr, n, DATEI_NORMAL, sx.data(), sy.data(), 15), n);
    for (int i = 0; i < n; ++i) {
        EXPECT_EQ(sx[i], x[i]);
        EXPECT_EQ(sy[i], re[i]);
        EXPECT_EQ(sx[n + 1 + i], x[i]);
        EXPECT_EQ(sy[n + 1 + i], im[i]);
    }
    EXPECT_EQ(sy[n], 50.0);  // repeats the last real value
    EXPECT_EQ(sx[n], 5.0);
    EXPECT_EQ(sy[2 * n + 1], 99.0);  // nothing written behind 2n

    // A slot below 2n + 1 points is refused untouched.
    std::vector<double> kx(10, 7.0), ky(10, 7.0);
    EXPECT_EQ(UebertrageInSlot(x, re, im, nullptr, n, DATEI_NORMAL, kx.data(), ky.data(), 10), -1);
    EXPECT_EQ(kx, std::vector<double>(10, 7.0));
    EXPECT_EQ(ky, std::vector<double>(10, 7.0));
}

TEST(FileOpen, SlotCopyAppliesTheVariants)
{
    const int n = 80;
    std::vector<double> x(n), y(n), c3(n, 2.0);
    for (int i = 0; i < n; ++i) {
        x[i] = i;
        y[i] = 2.0 * std::exp(0.01 * i);
    }
    std::vector<double> sx(n), sy(n);
    ASSERT_EQ(UebertrageInSlot(x.data(), y.data(), nullptr, c3.data(), n, DATEI_LOG_51, sx.data(),
                               sy.data(), n),
              n);
    for (int i = 0; i < n; ++i) EXPECT_NEAR(sy[i], 0.01 * i, 1e-13) << i;
    EXPECT_EQ(UebertrageInSlot(x.data(), y.data(), nullptr, nullptr, n, DATEI_LOG_51, sx.data(),
                               sy.data(), n),
              -1);

    y[40] = 1000.0;
    ASSERT_EQ(UebertrageInSlot(x.data(), y.data(), nullptr, nullptr, n, DATEI_XED, sx.data(),
                               sy.data(), n),
              n);
    EXPECT_DOUBLE_EQ(sy[40], 0.5 * (y[39] + y[38]));
    EXPECT_EQ(y[40], 1000.0);  // the reader's arrays stay as read
}

// ---------------------------------------------------------------------------
// Save

TEST(FileSave, KWeightRemovalRestoresChi)
{
    // chi(k) = sin(2k) weighted by k^2, real and imaginary part.
    const int n = 50;
    std::vector<double> x(2 * n + 1), y(2 * n + 1);
    for (int i = 0; i < n; ++i) {
        const double k = 0.2 * i;  // k = 0 at i = 0 stays as it is
        x[i] = x[n + 1 + i] = k;
        y[i] = std::sin(2 * k) * k * k + (i == 0 ? 0.25 : 0.0);
        y[n + 1 + i] = std::cos(2 * k) * k * k + (i == 0 ? 0.5 : 0.0);
    }
    x[n] = x[n - 1];
    y[n] = y[n - 1];
    std::vector<double> nurReal = y;
    EntferneKGewichtung(x.data(), nurReal.data(), n, 2.0, false);
    EntferneKGewichtung(x.data(), y.data(), n, 2.0, true);
    EXPECT_EQ(y[0], 0.25);
    EXPECT_EQ(y[n + 1], 0.5);
    for (int i = 1; i < n; ++i) {
        const double k = 0.2 * i;
        EXPECT_NEAR(y[i], std::sin(2 * k), 1e-13) << i;
        EXPECT_NEAR(y[n + 1 + i], std::cos(2 * k), 1e-13) << i;
        EXPECT_EQ(nurReal[i], y[i]);
        EXPECT_NEAR(nurReal[n + 1 + i], std::cos(2 * k) * k * k, 1e-12);  // left weighted
    }
}

TEST(FileSave, AppendLineFormat)
{
    char puffer[80];
    ASSERT_EQ(FormatiereAnhangZeile(1.0, 2.5, puffer, sizeof puffer), 7);
    EXPECT_STREQ(puffer, "1,2.5\r\n");
    ASSERT_GT(FormatiereAnhangZeile(1.0 / 3.0, -1e-20, puffer, sizeof puffer), 0);
    EXPECT_STREQ(puffer, "0.333333333333333,-1E-20\r\n");
    char klein[6];
    EXPECT_EQ(FormatiereAnhangZeile(1.0 / 3.0, 1.0, klein, sizeof klein), -1);
    EXPECT_STREQ(klein, "");
}

TEST(FileSave, AppendWritesExactlyCrLfBehindTheOldText)
{
    TempOrdner t;
    const std::string pfad = t.Datei("kurve.txt");
    SchreibeBytes(pfad, "x,y\r\n");
    const double x[] = {8979.0, 9000.125};
    const double y[] = {0.1, 2.0 / 3.0};
    ASSERT_EQ(HaengeKurveAn(pfad, x, y, 2), SPEICHERN_OK);
    EXPECT_EQ(LiesBytes(pfad), "x,y\r\n8979,0.1\r\n9000.125,0.666666666666667\r\n");
    // Fifteen digits bring the values back within 1e-15 relative.
    const auto z = LiesZeilen(pfad);
    ASSERT_EQ(z.size(), 3u);
    EXPECT_NEAR(std::strtod(z[2].c_str() + z[2].find(',') + 1, nullptr), 2.0 / 3.0, 1e-15);

    EXPECT_EQ(HaengeKurveAn(t.Datei("fehlt/kurve.txt"), x, y, 2), SPEICHERN_FEHLER);
}

TEST(FileSave, ResultsTextIsWrittenAsItStands)
{
    TempOrdner t;
    const std::string text = "Korlan-Results: \r\nE0 = 8979\r\n";
    ASSERT_EQ(SchreibeTextDatei(t.Datei("a.ERG"), text), SPEICHERN_OK);
    EXPECT_EQ(LiesBytes(t.Datei("a.ERG")), text);
    EXPECT_EQ(SchreibeTextDatei(t.Datei("fehlt/a.ERG"), text), SPEICHERN_FEHLER);
}

// ---------------------------------------------------------------------------
// File-name dialog

TEST(FileDialogTable, KindsGiveTitleProposalAndFolder)
{
    struct Fall {
        int32_t art;
        const char* filter;
        const char* feffOrdner;
        const char* feffdir;
        const char* titel;
        const char* vorschlag;
        const char* ordner;
        bool mehrfach;
    } faelle[] = {
        {1, "*.xmu", "", "", "Load phase for conv. EXAFS", "*.pha", "", false},
        {2, "*.xmu", "", "", "Load amplitude for conv. EXAFS", "*.amp", "", false},
        {4, "*.xmu", "", "", "", "*.F15", "", false},
        {5, "*.xmu", "", "", "", "*.WMF", "", false},
        {6, "*.a12", "", "", "Open MC file", "*.a12", "", false},
        {6, "*.a3", "", "", "Open MC file", "*.a3", "", false},
        {6, "*.a", "", "", "Open MC file", "*.a*", "", false},
        {6, "*.ab", "", "", "Open MC file", "*.a*", "", false},
        {6, "*.xmu", "", "", "Open MC file", "*.a*", "", false},
        {7, "*.xmu", "", "", "", "*.bl8", "", false},
        {8, "*.xmu", "D:\\feff\\cu", "C:\\FEFF\\feff.exe", "Open FEFF-dat",
         "fi*.dat;si*.dat;xm*.dat", "D:\\feff\\cu", false},
        {8, "*.xmu", "", "C:\\FEFF\\run1\\feff.exe\r\n", "Open FEFF-dat",
         "fi*.dat;si*.dat;xm*.dat", "C:\\FEFF\\run1\\", false},
        {8, "*.xmu", "", "", "Open FEFF-dat", "fi*.dat;si*.dat;xm*.dat", "", false},
        {100, "*.xmu", "", "", "", "*.xmu", "", false},
        {200, "*.chi", "", "", "Select All Reference Files", "*.chi", "C:\\data\\", true},
        {0, "*.xmu", "", "", "", "*.M*", "", false},
        {3, "*.xmu", "", "", "", "*.M*", "", false},
        {9, "*.xmu", "", "", "", "*.M*", "", false},
    };
    for (const auto& f : faelle) {
        const DateiDialogVorgabe v =
            DateiDialogTabelle(f.art, f.filter, "C:\\data\\", f.feffOrdner, f.feffdir);
        const std::string wo = "kind " + std::to_string(f.art) + " filter " + f.filter;
        EXPECT_EQ(v.titel, f.titel) << wo;
        EXPECT_EQ(v.vorschlag, f.vorschlag) << wo;
        EXPECT_EQ(v.ordner, f.ordner) << wo;
        EXPECT_EQ(v.mehrfach, f.mehrfach) << wo;
    }
}

TEST(FileDialogTable, FilterListHasTheDialogLayout)
{
    const std::string t = FilterText(DATEI_FILTER, DATEI_FILTER_ANZAHL);
    // Nine pairs: eighteen strings, each ended by NUL, then the final NUL.
    EXPECT_EQ(std::count(t.begin(), t.end(), '\0'), 19);
    EXPECT_EQ(t.compare(0, 20, std::string("All Files (*.*)\0*.*\0", 20)), 0);
    EXPECT_EQ(t.substr(t.size() - 34), std::string("Windows Text Files (*.txt)\0*.txt\0\0", 34));
    EXPECT_STREQ(DATEI_FILTER_EIGEN.beschreibung, "current");
    EXPECT_STREQ(DATEI_FILTER[5].muster, "*.dex");
    EXPECT_EQ(FilterText(&ERGEBNIS_FILTER, 1), std::string("Ergebnisse (*.ERG)\0*.ERG\0\0", 26));
}

TEST(FileDialogTable, RememberedFilterAndProposedNames)
{
    EXPECT_EQ(MerkeFilter("C:\\data\\cu_10k.xmu"), "*.xmu");
    EXPECT_EQ(MerkeFilter("C:\\data.v2\\probe"), "*.");
    EXPECT_EQ(MerkeFilter("C:\\data\\a.b.chi"), "*.chi");
    EXPECT_EQ(OrdnerVonPfad("C:\\data\\cu.xmu"), "C:\\data\\");
    EXPECT_EQ(OrdnerOhneSchraegstrich("C:\\feff\\cu\\feff0001.dat"), "C:\\feff\\cu");
    EXPECT_EQ(NameVonPfad("C:\\data\\cu.xmu"), "cu.xmu");

    EXPECT_EQ(OeffnenVorschlag("*.xmu", ""), "*.xmu");
    EXPECT_EQ(OeffnenVorschlag("*.dat1", ""), "");
    EXPECT_EQ(OeffnenVorschlag("", "*.mes"), "*.mes");

    EXPECT_EQ(SpeichernVorschlag("*.xmu", 0, "cu.xmu"), "*.xmu");
    EXPECT_EQ(SpeichernVorschlag("*.xmu1", 0, "cu.xmu"), "*.mes");
    EXPECT_EQ(SpeichernVorschlag("x.xmu", 0, "cu.xmu"), "*.mes");
    EXPECT_EQ(SpeichernVorschlag("*.xmu", 1, "cu_10k.xmu"), "cu_10k.xan");
    EXPECT_EQ(SpeichernVorschlag("*.xmu", 2, "cu_10k.xmu"), "cu_10k.chi");
    EXPECT_EQ(SpeichernVorschlag("*.xmu", 2, "probe"), "probe.chi");
    EXPECT_EQ(SpeichernVorschlag("*.xmu", 1, ""), "*.xan");
}

TEST(FileDialogTable, MultipleSelectionIsSplitIntoFolderAndNames)
{
    std::string pfad, titel;
    int32_t gekuerzt = -1;
    const std::string mehrere("C:\\ref.v2\0cu.xmu\0ni.xmu\0fe.xmu\0\0", 32);
    EXPECT_EQ(TeileMehrfachAuswahl(mehrere.data(), static_cast<int32_t>(mehrere.size()), &pfad,
                                   &titel, &gekuerzt),
              3);
    EXPECT_EQ(pfad, "C:\\ref.v2\\");
    EXPECT_EQ(titel, "cu.xmu,ni.xmu,fe.xmu");
    EXPECT_EQ(gekuerzt, 0);

    const std::string wurzel("C:\\\0a.chi\0b.chi\0\0", 17);
    EXPECT_EQ(TeileMehrfachAuswahl(wurzel.data(), 17, &pfad, &titel, nullptr), 2);
    EXPECT_EQ(pfad, "C:\\");
    EXPECT_EQ(titel, "a.chi,b.chi");

    const std::string eine("C:\\ref\\cu.xmu\0\0", 15);
    EXPECT_EQ(TeileMehrfachAuswahl(eine.data(), 15, &pfad, &titel, nullptr), 1);
    EXPECT_EQ(pfad, "C:\\ref\\cu.xmu");
    EXPECT_EQ(titel, "");

    const std::string lang = std::string(250, 'n');
    const std::string mitLangem = std::string("C:\\r\0", 5) + lang + std::string("\0b\0\0", 4);
    EXPECT_EQ(TeileMehrfachAuswahl(mitLangem.data(), static_cast<int32_t>(mitLangem.size()), &pfad,
                                   &titel, &gekuerzt),
              2);
    EXPECT_EQ(titel, std::string(MEHRFACH_NAME_MAX, 'n') + ",b");
    EXPECT_EQ(gekuerzt, 1);

    // A buffer without its closing NULs ends at its size.
    const char offen[] = {'C', ':', '\\', 'r', '\0', 'a', 'b'};
    EXPECT_EQ(TeileMehrfachAuswahl(offen, 7, &pfad, &titel, nullptr), 1);
    EXPECT_EQ(titel, "ab");
    EXPECT_EQ(TeileMehrfachAuswahl("\0\0", 2, &pfad, &titel, nullptr), 0);
    EXPECT_EQ(pfad, "");
}

// ---------------------------------------------------------------------------
// Small routines

TEST(SmallRoutines, SortsOf35000ValuesInAnyOrder)
{
    const int32_t n = 35000;
    std::mt19937 zufall(4711);
    std::vector<std::vector<double>> eingaben;
    std::vector<double> v(n);
    for (int32_t i = 0; i < n; ++i) v[i] = n - i;
    eingaben.push_back(v);                           // reversed
    eingaben.push_back(std::vector<double>(n, 2.5)); // all equal
    for (int32_t i = 0; i < n; ++i) v[i] = i;
    eingaben.push_back(v);                           // sorted
    for (int32_t i = 0; i < n; ++i) v[i] = (i % 2) ? 1.0 : -1.0;
    eingaben.push_back(v);                           // two values
    std::uniform_real_distribution<double> g(-1e3, 1e3);
    for (auto& w : v) w = g(zufall);
    eingaben.push_back(v);                           // random
    for (const auto& e : eingaben) {
        std::vector<double> d = e;
        std::vector<int32_t> k(e.begin(), e.end());
        MitKleinemStapel([&] {
            SortiereWerte(d.data(), 0, n - 1);
            SortiereFeld(k.data(), 0, n - 1);
        });
        std::vector<double> erwartet = e;
        std::sort(erwartet.begin(), erwartet.end());
        std::vector<int32_t> erwartetK(e.begin(), e.end());
        std::sort(erwartetK.begin(), erwartetK.end());
        EXPECT_EQ(d, erwartet);
        EXPECT_EQ(k, erwartetK);
    }
}

TEST(SmallRoutines, SortStaysInsideItsRange)
{
    std::vector<int32_t> k = {9, 8, 7, 6, 5, 4, 3, 2, 1, 0};
    SortiereFeld(k.data(), 2, 6);
    EXPECT_EQ(k, (std::vector<int32_t>{9, 8, 3, 4, 5, 6, 7, 2, 1, 0}));
    std::vector<double> d = {3.0, 1.0};
    SortiereWerte(d.data(), 1, 1);
    SortiereWerte(d.data(), 1, 0);
    EXPECT_EQ(d, (std::vector<double>{3.0, 1.0}));
    // A NaN leaves the order undefined but the sort inside its range.
    std::vector<double> mitNan = {0.0, 5.0, std::nan(""), 1.0, std::nan(""), -2.0, 7.0};
    SortiereWerte(mitNan.data(), 1, 5);
    EXPECT_EQ(mitNan.front(), 0.0);
    EXPECT_EQ(mitNan.back(), 7.0);
}

TEST(SmallRoutines, GetTokenSplitsAtTheDelimiterAndKeepsIt)
{
    const char* text = "C:\\a,C:\\bb,,last";
    char out[32];
    int32_t pos = 0;
    ASSERT_EQ(GetToken(text, out, ',', &pos, -1, sizeof out), 1);
    EXPECT_STREQ(out, "C:\\a,");
    ASSERT_EQ(GetToken(text, out, ',', &pos, -1, sizeof out), 1);
    EXPECT_STREQ(out, "C:\\bb,");
    ASSERT_EQ(GetToken(text, out, ',', &pos, -1, sizeof out), 1);
    EXPECT_STREQ(out, ",");
    EXPECT_EQ(GetToken(text, out, ',', &pos, -1, sizeof out), 0);  // no delimiter behind it
    EXPECT_STREQ(out, "last");
    EXPECT_EQ(pos, 16);
    EXPECT_EQ(GetToken(text, out, ',', &pos, -1, sizeof out), 0);
    EXPECT_STREQ(out, "");
    pos = 40;  // behind the end of the text
    EXPECT_EQ(GetToken(text, out, ',', &pos, -1, sizeof out), 0);

    // The limit ends the allowed range.
    pos = 0;
    EXPECT_EQ(GetToken(text, out, ',', &pos, 3, sizeof out), 0);
    EXPECT_STREQ(out, "C:\\");
    pos = 5;
    EXPECT_EQ(GetToken(text, out, ',', &pos, 5, sizeof out), 0);

    // A token longer than the output: what fits, result 0, position kept.
    char klein[4];
    pos = 5;
    EXPECT_EQ(GetToken(text, klein, ',', &pos, -1, sizeof klein), 0);
    EXPECT_STREQ(klein, "C:\\");
    EXPECT_EQ(pos, 5);
}

TEST(SmallRoutines, DateiSeekGivesTheSizeAndKeepsThePosition)
{
    TempOrdner t;
    const std::string pfad = t.Datei("groesse.bin");
    SchreibeBytes(pfad, std::string(12345, 'x'));
    std::FILE* f = std::fopen(pfad.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(std::fseek(f, 100, SEEK_SET), 0);
    EXPECT_EQ(DateiSeek(f), 12345);
    EXPECT_EQ(std::ftell(f), 100);
    std::fclose(f);
    EXPECT_EQ(DateiSeek(nullptr), -1);
}

TEST(SmallRoutines, IstZifferClassesCharacters)
{
    for (char c : std::string("0123456789.+-eE")) EXPECT_EQ(IstZiffer(c), 1) << c;
    for (char c : std::string("adzADZx")) EXPECT_EQ(IstZiffer(c), 0) << c;
    for (char c : std::string("\n\r", 2)) EXPECT_EQ(IstZiffer(c), 2);
    EXPECT_EQ(IstZiffer('\0'), 2);
    for (char c : std::string(" \t,;:/()")) EXPECT_EQ(IstZiffer(c), -1) << c;
    EXPECT_EQ(IstZiffer(static_cast<char>(0xE4)), -1);
}

TEST(SmallRoutines, TextLaengeReversesIntoABoundedBuffer)
{
    char puffer[16];
    EXPECT_EQ(TextLaenge("korlan", puffer, sizeof puffer), 6);
    EXPECT_STREQ(puffer, "nalrok");
    char klein[4];
    EXPECT_EQ(TextLaenge("abcdefgh", klein, sizeof klein), 8);
    EXPECT_STREQ(klein, "hgf");
    EXPECT_EQ(TextLaenge("", puffer, sizeof puffer), 0);
    EXPECT_STREQ(puffer, "");
}
