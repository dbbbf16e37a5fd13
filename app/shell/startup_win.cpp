// Start-up and shutdown of the main window.
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

#include "resource_ids.h"
#include "shell/haupt_fenster.h"
#include "shell/child_windows.h"
#include "shell/options_file.h"
#include "shell/plot_dialogs_win.h"
#include "shell/printing_win.h"
#include "xas/exafs_fit_win.h"
#include "xas/feff_path.h"

namespace {

const UINT_PTR TIMER_FEHLER = 5;
const UINT_PTR TIMER_SICHERUNG = 6;
const UINT FEHLER_PERIODE_MS = 4000;

// Opens a file of the program folder.
std::FILE* OeffneProgrammDatei(const char* name, const char* modus)
{
    char pfad[MAX_PATH + ORDNER_BYTES];
    ProgrammDatei(pfad, sizeof pfad, name);
    return std::fopen(pfad, modus);
}

HWND Kind(const char* klasse, const char* text, DWORD stil, int id, HWND eltern, HINSTANCE instanz)
{
    return CreateWindowA(klasse, text, stil, id == 0 ? CW_USEDEFAULT : 0, 0,
                         id == 0 ? CW_USEDEFAULT : 0, 0, eltern,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instanz, nullptr);
}

}  // namespace

LRESULT haupt_fenster::MainOnCreate()
{
    HWND hwnd = Meldungsblock.Fenster;
    Hauptfenster = hwnd;
    // An interactive print asks for its options first.
    DruckOptionenDialog = DruckOptionenVorDruck;
    // 1.
    AnzahlFenster = 0;
    AktivesFenster = -1;

    // 2. The shared work blocks, in their fixed order.
    const size_t D = sizeof(double) * WORK_DOUBLES;
    const size_t I = sizeof(int32_t) * WORK_DOUBLES;
    BrowserPfad = static_cast<char*>(Block(BROWSER_BYTES));
    if (BrowserPfad) std::strcpy(BrowserPfad, "C:\\test.exe");
    StatusText = static_cast<char*>(Block(STATUS_TEXT_BYTES));
    CommandText = static_cast<char*>(Block(COMMAND_TEXT_BYTES));
    CommandText3 = static_cast<char*>(Block(COMMAND_TEXT3_BYTES));
    XTextListe = static_cast<char*>(Block(TEXTLISTE_BYTES));
    YTextListe = static_cast<char*>(Block(TEXTLISTE_BYTES));
    TitelListe = static_cast<char*>(Block(TEXTLISTE_BYTES));
    FitStartWerte = static_cast<double*>(Block(D));
    FitArbeitsFeld = static_cast<double*>(Block(D));
    ParameterFlags = static_cast<int32_t*>(Block(I));
    CorrelationWords = static_cast<int32_t*>(Block(I));
    CorrelationConstants = static_cast<double*>(Block(D));
    FreeParameterList = static_cast<int32_t*>(Block(sizeof(int32_t) * 5000));
    FitResiduen = static_cast<double*>(Block(D));
    FitDifferenzen = static_cast<double*>(Block(D));
    CommandArgs = static_cast<double*>(Block(D));
    for (double*& f : BefehlsFelder) f = static_cast<double*>(Block(D));
    McMasterTable = static_cast<double*>(Block(D));
    for (double*& f : ArbeitsFelder) f = static_cast<double*>(Block(D));
    for (double*& f : ArbeitsSatz1) f = static_cast<double*>(Block(D));
    for (double*& f : ArbeitsSatz2) f = static_cast<double*>(Block(D));
    // The FEFF path records allocate their tables when a path is loaded.
    FeffPfadeLeeren();

    // 3.
    XrdPhasenVorgaben();

    // 4.
    ProgrammOrdner = static_cast<char*>(Block(ORDNER_BYTES));
    CommandText2 = static_cast<char*>(Block(COMMAND_TEXT2_BYTES));
    DatenOrdner = static_cast<char*>(Block(ORDNER_BYTES));
    FeffOrdner = static_cast<char*>(Block(ORDNER_BYTES));

    // 5.-8.
    LoadLibraryA("RICHED32.DLL");
    AendernDialog = nullptr;
    AssistentDialog = nullptr;
    Tastenkuerzel = LoadAcceleratorsA(Instanz, "korlan");
    SetTimer(hwnd, TIMER_FEHLER, FEHLER_PERIODE_MS, nullptr);
    SetzeSicherung(SicherungAn, SicherungsIntervall);
    Hauptmenue = GetMenu(hwnd);
    for (UINT i = 1; i <= 9; ++i) EnableMenuItem(Hauptmenue, i, MF_BYPOSITION | MF_GRAYED);
    DrawMenuBar(hwnd);

    // 9.-11.
    if (FreeParameterList)
        for (int32_t i = 0; i < 1200; ++i) FreeParameterList[i] = i;
    FehlerCode = 0;
    KopierGroesse = 2;
    HDC dc = GetDC(hwnd);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    ZeichenBreite = static_cast<int16_t>(tm.tmAveCharWidth);
    ZeichenHoehe = static_cast<int16_t>(tm.tmHeight + tm.tmExternalLeading);
    KonfidenzFrage = 1;
    KonfidenzNiveau = 0.95;

    // 12. The program folder is where the program was started.
    if (ProgrammOrdner) {
        DWORD n = GetCurrentDirectoryA(ORDNER_BYTES, ProgrammOrdner);
        if (n == 0 || n >= static_cast<DWORD>(ORDNER_BYTES)) std::strcpy(ProgrammOrdner, ".");
    }

    // 13.
    LeseEinstellungen();

    // 14.-16.
    ErzeugeKindFenster();

    // 17.
    ModellCallback = ModellFunktion;
    ChiQuadratCallback = ExafsFitProzedur;
    ExafsFftLeser = ExafsUmfeldLesen;

    // 18.-20.
    Wiederherstellungsangebot();
    ErgebnisDateiAnlegen();
    if (ReadMucal(1) == 0) {
        MeldungsBox(hwnd,
                    "     File 'Mucal.dat' was not found in Korlan folder!\r\nMcMaster window and "
                    "'E/edge' search won't be available.",
                    "Error!", MB_OK | MB_ICONEXCLAMATION);
        if (McMasterTable) McMasterTable[0] = MCMASTER_NOT_LOADED;
    }

    // 21.
    char pfad[MAX_PATH + ORDNER_BYTES];
    ProgrammDatei(pfad, sizeof pfad, "korlan.bmp");
    Willkommensbild = LoadBmpFile(dc, pfad, &BildBreite, &BildHoehe);
    if (!Willkommensbild) {
        Willkommensbild = LoadBitmapA(Instanz, "main3");
        BITMAP bm{};
        if (Willkommensbild && GetObjectA(Willkommensbild, sizeof bm, &bm)) {
            BildBreite = bm.bmWidth;
            BildHoehe = bm.bmHeight;
        }
    }
    ReleaseDC(hwnd, dc);

    // 22.-23.
    HilfeDeutsch = 1;
    CheckMenuItem(Hauptmenue, CM_HELP_GERMAN, MF_BYCOMMAND | MF_CHECKED);
    SendMessageA(hwnd, WM_COMMAND, CM_READ_OPTIONS, LP_SILENT_OPTIONS);
    return 0;
}

void haupt_fenster::LeseEinstellungen()
{
    std::FILE* f = OeffneProgrammDatei("xas_E-range.ins", "rt");
    ExafsOptionen.EnergieBereich = LeseXasERange(f);
    if (f) std::fclose(f);

    f = OeffneProgrammDatei("numeric.ins", "rt");
    LeseNumericIns(f, XTextListe, YTextListe, TitelListe, TEXTLISTE_BYTES, SchriftProfile,
                   &AktivesProfil);
    if (f) std::fclose(f);

    f = OeffneProgrammDatei("browser.dat", "rt");
    LeseBrowserDat(f, BrowserPfad, BROWSER_BYTES);
    if (f) std::fclose(f);

    f = OeffneProgrammDatei("XRD.ini", "rt");
    LeseXrdIni(f, &Roentgenwellenlaenge, XrdProfil);
    if (f) std::fclose(f);
}

void haupt_fenster::ErzeugeKindFenster()
{
    HWND h = Hauptfenster;
    const DWORD kind = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    KindFenster[KIND_ERGEBNIS] = Kind("results", "Ergebnisse",
        kind | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX, 0, h, Instanz);
    KindFenster[KIND_PROGRESS] = Kind("progress", "", kind | WS_BORDER | WS_THICKFRAME, 0, h, Instanz);
    KindFenster[KIND_EDITOR] = Kind("myedit", "Edit",
        kind | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0, h, Instanz);
    KindFenster[KIND_BUTTONLEISTE] = Kind("myButt", "", kind | WS_BORDER, 0, h, Instanz);
    KindFenster[KIND_STATUS300] = Kind("button", " ", WS_CHILD | WS_VISIBLE | BS_LEFT, ID_STATUS_HELP, h, Instanz);
    KindFenster[KIND_STATUS400] = Kind("button", " ", WS_CHILD | WS_VISIBLE | BS_LEFT, ID_STATUS_CURVE, h, Instanz);
    FitPanel[FIT_TEXT] = Kind("edit", "", WS_CHILD | WS_BORDER | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE |
                              ES_AUTOVSCROLL | ES_AUTOHSCROLL, ID_FIT_TEXT, h, Instanz);
    FitPanel[FIT_CONTINUE] = Kind("button", "Continue", WS_CHILD | BS_PUSHBUTTON, CM_FIT_CONTINUE, h, Instanz);
    FitPanel[FIT_INTERRUPT] = Kind("button", "&Interrupt", WS_CHILD | BS_PUSHBUTTON, CM_FIT_INTERRUPT, h, Instanz);
    FitPanel[FIT_CANCEL] = Kind("button", "&Cancel", WS_CHILD | BS_DEFPUSHBUTTON, CM_FIT_CANCEL, h, Instanz);
    ShowWindow(KindFenster[KIND_BUTTONLEISTE], SW_SHOW);
    ShowWindow(KindFenster[KIND_STATUS300], SW_SHOW);
    ShowWindow(KindFenster[KIND_STATUS400], SW_SHOW);

    StatusSchrift = CreateFontA(ZeichenHoehe, ZeichenBreite, 0, 0, 400, 0, 0, 0, 0, 0, 0, 2, 16,
                                "MS sans serif");
    StatusHoehe = ZeichenHoehe + 4;
    SendMessageA(KindFenster[KIND_STATUS300], WM_SETFONT, reinterpret_cast<WPARAM>(StatusSchrift), 0);
    SendMessageA(KindFenster[KIND_STATUS400], WM_SETFONT, reinterpret_cast<WPARAM>(StatusSchrift), 0);
    StatusZeile(ID_STATUS_HELP, "    Welcome to Korlan !");
    FitTextSchrift = CreateFontA(ZeichenHoehe * 4 / 5, ZeichenBreite * 4 / 5, 0, 0, 400, 0, 0, 0, 0, 0,
                                 0, 2, 33, "MS sans serif");
    PostMessageA(FitPanel[FIT_TEXT], WM_SETFONT, reinterpret_cast<WPARAM>(FitTextSchrift), 0);
    PostMessageA(FitPanel[FIT_TEXT], EM_LIMITTEXT, 30000, 0);
}

void haupt_fenster::Wiederherstellungsangebot()
{
    bool gefunden[4] = {};
    bool eines = false;
    for (int i = 0; i < 4; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "numsave%d.mes", i);
        if (std::FILE* f = OeffneProgrammDatei(name, "rb+")) {
            std::fclose(f);
            gefunden[i] = eines = true;
        }
    }
    if (!eines) return;
    MessageBeep(MB_OK);
    int antwort = MeldungsBox(Hauptfenster,
                              "The program was terminated unnatural !\r\n"
                              "   Old backup files have been found.\r\n\r\n"
                              "        Shall they be loaded ?",
                              "What have you done ??", MB_YESNO | MB_ICONQUESTION);
    if (antwort != IDYES) return;
    for (int i = 0; i < 4; ++i)
        if (gefunden[i]) PostMessageA(Hauptfenster, WM_COMMAND, CM_OPEN, LP_REOPEN_BACKUP0 + i);
}

void haupt_fenster::ErgebnisDateiAnlegen()
{
    std::FILE* f = OeffneProgrammDatei("results.dat", "wt");
    if (!f) return;
    std::time_t jetzt = std::time(nullptr);
    const char* zeit = std::asctime(std::localtime(&jetzt));
    std::fprintf(f, "Korlan-Results: \n");
    std::fprintf(f, "\n  Current date and time :   %s \n", zeit ? zeit : "\n");
    std::fclose(f);
}

LRESULT haupt_fenster::MainOnClose()
{
    if (AnzahlFenster > 0) {
        int antwort = MeldungsBox(Hauptfenster,
                                  "Unsaved data in open graphic windows will be lost.\r\n"
                                  "          Do you want to exit?",
                                  "Caution !!", MB_OKCANCEL | MB_ICONQUESTION);
        if (antwort != IDOK) return -1;
    }
    DestroyWindow(Hauptfenster);
    return 1;
}

LRESULT haupt_fenster::MainOnDestroy()
{
    HWND hwnd = Hauptfenster;
    for (int i = 0; i < 4; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "numsave%d.mes", i);
        char pfad[MAX_PATH + ORDNER_BYTES];
        ProgrammDatei(pfad, sizeof pfad, name);
        DeleteFileA(pfad);
    }
    Befehl(CM_WRITE_OPTIONS, LP_SILENT_OPTIONS);
    KillTimer(hwnd, TIMER_FEHLER);
    KillTimer(hwnd, TIMER_SICHERUNG);

    FreiBloecke();
    BrowserPfad = StatusText = CommandText = CommandText3 = nullptr;
    XTextListe = YTextListe = TitelListe = nullptr;
    ProgrammOrdner = CommandText2 = DatenOrdner = FeffOrdner = nullptr;
    FitStartWerte = FitArbeitsFeld = CorrelationConstants = nullptr;
    FitResiduen = FitDifferenzen = CommandArgs = McMasterTable = nullptr;
    ParameterFlags = CorrelationWords = FreeParameterList = nullptr;
    for (double*& f : BefehlsFelder) f = nullptr;
    for (double*& f : ArbeitsFelder) f = nullptr;
    for (double*& f : ArbeitsSatz1) f = nullptr;
    for (double*& f : ArbeitsSatz2) f = nullptr;
    FeffPfadeLeeren();

    if (Willkommensbild) DeleteObject(Willkommensbild);
    Willkommensbild = nullptr;
    for (HFONT& s : Schriften) {
        if (s) DeleteObject(s);
        s = nullptr;
    }
    if (StatusSchrift) DeleteObject(StatusSchrift);
    if (FitTextSchrift) DeleteObject(FitTextSchrift);
    StatusSchrift = FitTextSchrift = nullptr;
    if (EditorWindow.Kontextmenue) DestroyMenu(EditorWindow.Kontextmenue);
    EditorWindow.Kontextmenue = nullptr;
    for (HWND& k : KindFenster) k = nullptr;
    for (HWND& k : FitPanel) k = nullptr;
    Hauptfenster = nullptr;
    PostQuitMessage(0);
    return 0;
}

HBITMAP LoadBmpFile(HDC dc, const char* pfad, int32_t* breite, int32_t* hoehe)
{
    HANDLE datei = CreateFileA(pfad, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (datei == INVALID_HANDLE_VALUE) return nullptr;
    std::vector<unsigned char> inhalt;
    DWORD groesse = GetFileSize(datei, nullptr);
    if (groesse != INVALID_FILE_SIZE && groesse >= 54 && groesse < (64u << 20)) {
        inhalt.resize(groesse);
        DWORD gelesen = 0;
        if (!ReadFile(datei, inhalt.data(), groesse, &gelesen, nullptr) || gelesen != groesse)
            inhalt.clear();
    }
    CloseHandle(datei);
    if (inhalt.size() < 54 || inhalt[0] != 'B' || inhalt[1] != 'M') return nullptr;

    BITMAPFILEHEADER kopf;
    BITMAPINFOHEADER info;
    std::memcpy(&kopf, inhalt.data(), sizeof kopf);
    std::memcpy(&info, inhalt.data() + 14, sizeof info);
    if (info.biBitCount > 8 || info.biClrUsed > 256) {
        MeldungsBox(nullptr, "Korlan Bitmap exceeds 256 colors!", "Caution", MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }
    if (info.biSize != 40 || info.biWidth <= 0 || info.biHeight == 0 || info.biCompression != BI_RGB ||
        (info.biBitCount != 1 && info.biBitCount != 4 && info.biBitCount != 8))
        return nullptr;
    // The colour table and the pixel rows must lie inside the file.
    const size_t farben = info.biClrUsed ? info.biClrUsed : (size_t(1) << info.biBitCount);
    const size_t zeile = ((size_t(info.biWidth) * info.biBitCount + 31) / 32) * 4;
    const size_t hoeheBetrag = info.biHeight < 0 ? size_t(-info.biHeight) : size_t(info.biHeight);
    const size_t pixelBytes = zeile * hoeheBetrag;
    if (54 + farben * 4 > inhalt.size() || kopf.bfOffBits > inhalt.size() ||
        pixelBytes > inhalt.size() - kopf.bfOffBits)
        return nullptr;

    std::vector<unsigned char> bi(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    std::memcpy(bi.data(), &info, sizeof info);
    std::memcpy(bi.data() + sizeof info, inhalt.data() + 54, farben * 4);
    HBITMAP bild = CreateDIBitmap(dc, &info, CBM_INIT, inhalt.data() + kopf.bfOffBits,
                                  reinterpret_cast<BITMAPINFO*>(bi.data()), DIB_RGB_COLORS);
    if (bild) {
        *breite = info.biWidth;
        *hoehe = static_cast<int32_t>(hoeheBetrag);
    }
    return bild;
}
