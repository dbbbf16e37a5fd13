// The main menu and the key table read back from the program's resources.
#include <gtest/gtest.h>
#include <windows.h>

#include <cctype>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Eintrag {
    std::string text;
    int id;  // -1: a submenu
};

// The menu "korlan" in reading order (separators left out); submenus appear
// as one entry with id -1 followed by their items.
const std::vector<Eintrag>& ErwartetesMenue()
{
    static const std::vector<Eintrag> m = {
        {"&File", -1}, {"&Open...\tF4", 60}, {"&Load...\tSHIFT+F4", 157}, {"&Save File...\tF3", 111},
        {"&Save ASCII File...\tSHIFT+F3", 622}, {"A&verage spectra", 624},
        {"&Create multi column file", 623}, {"Save multi column file to ascii", 625},
        {"Extract multi column file to", -1}, {"binary output", 626}, {"ascii output", 627},
        {"Append to &ascii file", 621}, {"Add to &multi column file", 612}, {"&Print...", 122},
        {"&Edit\tF9", 70}, {"&File Information...\tTAB", 604}, {"A&bout...", 133},
        {"&Convert Data", -1}, {"*.&RM files to *.RXA files", 609}, {"Q&MS mass spectra", 617},
        {"*.jcp to *.mes", 175}, {"E&xit", 173},
        {"&Edit", -1}, {"F&unction --> X/Y-graph...", 603}, {"&Deglitching + Steps...", 613},
        {"&Paste X/Y-graph...", 606}, {"&Copy X/Y-graph...", 601}, {"Modify &Ordinate...\tCTRL+O", 607},
        {"Modify &Abscissa...\tCTRL+A", 608}, {"Noise generator...", 620}, {"Change Feff Angle...", 850},
        {"&Show FT Magnitude", 164}, {"&Extract Imag. Part", 619}, {"Copy to clipboard\tCTRL+INS", 610},
        {"Open &New window\tCTRL+N", 602},
        {"&Show", -1}, {"Show/Hide &Function\tF8", 19}, {"Show/Hide &Data\tSHIFT+F8", 45},
        {"Choose F&unction...", 135}, {"Enter &Parameters... (p)\tCTRL+P", 136},
        {"Change Parameters...\tCTRL+F1", 614}, {"Change &Borders...", 155}, {"Save Parameters...", 171},
        {"Load Parameters...", 187}, {"&Zoom...\tCTRL+F5", 616}, {"&Section...\tF2", 605}, {"&Original", 3},
        {"Show &All X/Y-graphs\tF7", 4}, {"&Combine X/Y-graphs...\tSHIFT+F7", 5},
        {"&Previous \tCTRL+<--", 2}, {"&Next \tCTRL+-->", 1}, {"Record Macro\tCTRL+F3", 12},
        {"Execute Macro\tCTRL+F2", 11},
        {"&Numeric", -1}, {"&Least-Squares Fit...\tCTRL+F", 507}, {"Restore parameters", 521},
        {"Confidence Limits", 523}, {"Automatic F-test", 522}, {"2D Confidence Limits ...", 520},
        {"&Smoothing", -1}, {"&Golay-Savitzky...", 508}, {"&Fourier...", 501}, {"&Integration...", 504},
        {"&Differentiation", -1}, {"&Differentiation...", 505}, {"&Splines...", 510}, {"&Roots...", 502},
        {"Inter&polation", -1}, {"cubic &spline...", 503}, {"&level-out spline...", 510},
        {"&Fourier transformation...", 506}, {"&Convolution...", 514}, {"&level-out polynomials...", 513},
        {"Linear Re&gression", 515}, {"Search &Min-Max...", 517},
        {"&XAFS ", -1}, {"&Energy Calibration", -1}, {"1.-2. &Derivative... (c)", 808},
        {"&XANES-Fit...", 802}, {"Set Reference &E0...", 845}, {"Separate File", 846},
        {"Third Column", 847}, {"Same Spectrum", 848}, {"&Background correction", -1},
        {"&Victoreen-Fit...", 803}, {"&Polynomial-Fit...", 809}, {"&Two-Polynomial-Fit... (b)", 841},
        {"&Normalization...", 804}, {"Set E&0", -1}, {"1.-2. &Derivative... (e)", 811}, {"Set &E0...", 818},
        {"&XANES-Fit...", 812}, {"&Conversion", 810}, {"&mue(0)-Fit", -1}, {"cubic spline-fit... (m)", 828},
        {"advanced spline-fit...", 837}, {"Single polynomial...", 806}, {"k-&Weighting...", 814},
        {"&Fourier transformation...(f)", 815}, {"Show F&T Magnitude", 164}, {"&Phases+Amplitudes...", 816},
        {"Calculate spectrum...", 843}, {"&Difference spectra...", 831}, {"E0 &Normalization...", 830},
        {"&Auto-XAS", -1}, {"edge position", 838}, {"mue(0)fit", 839}, {"FFT", 840}, {"&Quick-XAS", 835},
        {"Factor (PC) Analysis...", 851}, {"&LC XANES Fit...", 844}, {"&Run FEFF...", 834},
        {"Write Feff - \"files.dat\"", 849}, {"EXAFS &simulation... (s)", 817},
        {"E&XAFS refinement... (r)", 807},
        {"&DXAS ", -1}, {"&DXAS calibration", -1}, {"Set by &Foil...", 819}, {"Set &Points...", 820},
        {"&Convert DXAS...", 821}, {"&Show Spectra Header...", 826}, {"Show Odd/Even", 823},
        {"Calculate Spectra (I0/I1)...", 833}, {"Add to DEXFOIL.DAT...", 890},
        {"&Time-resolved ", -1}, {"&Create multi column file...", 623}, {"A&verage Columns...", 827},
        {"Record Macro\tCTRL+F3", 12}, {"Execute Macro\tCTRL+F2", 11}, {"&Automatic Macro Analysis...", 824},
        {"Multi Column &Plot...", 825},
        {"X&RD ", -1}, {"&Peak Search", 904}, {"Fourier &Synthesis...", 903}, {"Stokes &Deconvolution...", 905},
        {"Bkgrd. && Norm.", 911}, {"Convert  into", -1}, {"2 sin(theta)/lambda", 906},
        {"&Kinetic Calculator...", 913}, {"Isoconversional Kinetic ...", 914}, {"XRD Structure Fit...", 915},
        {"&Options", -1}, {"Fit &Options...", 140}, {"&EXAFS Options...", 813}, {"XRD Options", 912},
        {"&Graphic Options...", 112}, {"&Print Options...", 113}, {"&File Options...", 172},
        {"&Default Fonts...", 194}, {"&Inscribe Axis...", 450}, {"Edit Inscription File", 192},
        {"&Window", -1}, {"&Arrange\tSHIFT+F2", 125}, {"&Results\tSHIFT+F9", 126}, {"&Edit\tF9", 70},
        {"Change Parameters...\tCTRL+F1", 614}, {"&Maximize\tF5", 167}, {"&Minimize", 168},
        {"&Change\tF6", 38}, {"&Local Menu\tSHIFT+F5", 159}, {"Help\tF1", 160},
        {"Start Korlan &assistant", 191}, {"Start McMaster Window", 842},
    };
    return m;
}

void Sammle(HMENU menu, std::vector<Eintrag>& aus)
{
    const int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        MENUITEMINFOA mi{};
        char text[256] = "";
        mi.cbSize = sizeof mi;
        mi.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        mi.dwTypeData = text;
        mi.cch = sizeof text;
        ASSERT_TRUE(GetMenuItemInfoA(menu, i, TRUE, &mi));
        if (mi.fType & MFT_SEPARATOR) continue;
        aus.push_back({text, mi.hSubMenu ? -1 : static_cast<int>(mi.wID)});
        if (mi.hSubMenu) Sammle(mi.hSubMenu, aus);
    }
}

}  // namespace

// Checks the menu of a window (or the resource when hwnd is null) against
// the list; used by the start-up test on the live window too.
void PruefeHauptmenue(HMENU menu)
{
    std::vector<Eintrag> gelesen;
    Sammle(menu, gelesen);
    const auto& erwartet = ErwartetesMenue();
    ASSERT_EQ(gelesen.size(), erwartet.size());
    for (size_t i = 0; i < erwartet.size(); ++i) {
        EXPECT_EQ(gelesen[i].text, erwartet[i].text) << "item " << i;
        EXPECT_EQ(gelesen[i].id, erwartet[i].id) << "item " << i << " " << erwartet[i].text;
    }
    EXPECT_EQ(GetMenuItemCount(menu), 10);
}

TEST(MainMenu, ResourceHoldsTheListedItemsAndNumbers)
{
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), "korlan");
    ASSERT_NE(menu, nullptr);
    PruefeHauptmenue(menu);
    DestroyMenu(menu);
}

TEST(Accelerators, KeysGiveTheirCommands)
{
    HACCEL tabelle = LoadAcceleratorsA(GetModuleHandleA(nullptr), "korlan");
    ASSERT_NE(tabelle, nullptr);
    std::vector<ACCEL> a(CopyAcceleratorTableA(tabelle, nullptr, 0));
    CopyAcceleratorTableA(tabelle, a.data(), static_cast<int>(a.size()));
    ASSERT_EQ(a.size(), 52u);
    auto befehl = [&a](BYTE flags, WORD key) {
        for (const ACCEL& e : a)
            if ((e.fVirt & ~FNOINVERT) == flags && e.key == key) return static_cast<int>(e.cmd);
        return -1;
    };
    const BYTE V = FVIRTKEY;
    // Where the menu's hints disagree (Zoom "F12", Local Menu "F10"), the
    // table holds: F12 is the EXAFS refinement, Ctrl+F5 the zoom.
    EXPECT_EQ(befehl(V, VK_F12), 807);
    EXPECT_EQ(befehl(V | FCONTROL, VK_F5), 616);
    EXPECT_EQ(befehl(V, VK_F10), 808);
    EXPECT_EQ(befehl(V | FSHIFT, VK_F5), 159);
    EXPECT_EQ(befehl(V, VK_F4), 60);
    EXPECT_EQ(befehl(V | FCONTROL, VK_F4), 18);
    EXPECT_EQ(befehl(V | FCONTROL, VK_INSERT), 610);
    EXPECT_EQ(befehl(V | FSHIFT, 'A'), 90);
    EXPECT_EQ(befehl(V | FCONTROL, 'A'), 608);
    EXPECT_EQ(befehl(V, VK_TAB), 604);
    // Single letters are characters, lower case only.
    EXPECT_EQ(befehl(0, 'p'), 136);
    EXPECT_EQ(befehl(0, 'c'), 808);
    EXPECT_EQ(befehl(0, 'b'), 841);
    EXPECT_EQ(befehl(0, 'C'), -1);
}

// Every key a menu item names after its tab gives that item's command.
TEST(Accelerators, MenuKeyTextsAreTheKeysThatWork)
{
    HACCEL tabelle = LoadAcceleratorsA(GetModuleHandleA(nullptr), "korlan");
    ASSERT_NE(tabelle, nullptr);
    std::vector<ACCEL> a(CopyAcceleratorTableA(tabelle, nullptr, 0));
    CopyAcceleratorTableA(tabelle, a.data(), static_cast<int>(a.size()));
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), "korlan");
    ASSERT_NE(menu, nullptr);
    std::vector<Eintrag> eintraege;
    Sammle(menu, eintraege);
    DestroyMenu(menu);
    int geprueft = 0;
    for (const Eintrag& e : eintraege) {
        const size_t tab = e.text.find('\t');
        if (tab == std::string::npos) continue;
        std::string taste = e.text.substr(tab + 1);
        BYTE flags = FVIRTKEY;
        for (const auto& [vorsatz, bit] : {std::pair<const char*, BYTE>{"SHIFT+", FSHIFT}, {"CTRL+", FCONTROL}})
            if (taste.rfind(vorsatz, 0) == 0) {
                flags |= bit;
                taste = taste.substr(std::strlen(vorsatz));
            }
        WORD key = 0;
        if (taste.size() >= 2 && taste[0] == 'F' && std::isdigit(static_cast<unsigned char>(taste[1])))
            key = static_cast<WORD>(VK_F1 + std::stoi(taste.substr(1)) - 1);
        else if (taste == "TAB") key = VK_TAB;
        else if (taste == "INS") key = VK_INSERT;
        else if (taste == "<--") key = VK_LEFT;
        else if (taste == "-->") key = VK_RIGHT;
        else if (taste.size() == 1) key = static_cast<WORD>(taste[0]);
        ASSERT_NE(key, 0) << e.text;
        int befehl = -1;
        for (const ACCEL& k : a)
            if ((k.fVirt & ~FNOINVERT) == flags && k.key == key) befehl = k.cmd;
        EXPECT_EQ(befehl, e.id) << e.text;
        ++geprueft;
    }
    EXPECT_GE(geprueft, 25);
}

TEST(StringTable, FixedEntriesHoldTheirTexts)
{
    HINSTANCE inst = GetModuleHandleA(nullptr);
    auto text = [inst](UINT id) {
        char b[512] = "";
        LoadStringA(inst, id, b, sizeof b);
        return std::string(b);
    };
    EXPECT_EQ(text(20), std::string(63, '-'));
    EXPECT_EQ(text(21), std::string(63, '.'));
    EXPECT_EQ(text(25), ". Column");
    EXPECT_EQ(text(101), "Error in fit algorithm!\r\n Parameters may exceed limits.");
    EXPECT_EQ(text(117), "      Certain information\r\n       will not be saved !!\r\n(i.e. FT range, k weighting "
                         "etc.) !!\r\n\r\nShall the file be stored on disk ?");
    EXPECT_EQ(text(118), "chi(k) is needed for R-space fit !\r\n    Operation was canceled.");
    for (UINT id = 101; id <= 118; ++id) EXPECT_FALSE(text(id).empty()) << id;
    const char* farben[] = {"Black", "Blue", "Green", "Cyan", "Red", "Magenta", "Yellow", "Lightblue",
                            "Lightgreen", "Lightcyan", "Lightred", "Lightmagenta", "Lightyellow", "White",
                            "Lightgray"};
    for (UINT i = 0; i < 15; ++i) EXPECT_EQ(text(200 + i), farben[i]);
    const char* funktionen[] = {"None", "Logarithm", "nat.Logarithm", "e-Function", "Inversion",
                                "Squareroot", "3rd root", "Square", "Sort bottom-up", "Sort top-down"};
    for (UINT i = 0; i < 10; ++i) EXPECT_EQ(text(220 + i), funktionen[i]);
}

TEST(Pictures, IconsAndBitmapsLoad)
{
    HINSTANCE inst = GetModuleHandleA(nullptr);
    EXPECT_NE(LoadIconA(inst, "NUMERIC"), nullptr);
    EXPECT_NE(LoadIconA(inst, "WGRAFIK"), nullptr);
    for (const char* name : {"main3", "assist2"}) {
        HBITMAP b = LoadBitmapA(inst, name);
        ASSERT_NE(b, nullptr) << name;
        BITMAP bm{};
        GetObjectA(b, sizeof bm, &bm);
        EXPECT_GT(bm.bmWidth, 100) << name;
        DeleteObject(b);
    }
}
