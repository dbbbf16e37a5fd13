#include "shell/haupt_fenster.h"

#include <cstdio>
#include <cstring>

#include "resource_ids.h"
#include "shell/child_windows.h"
#include "spectra/spectra_globals.h"

HFONT SchriftAusDaten(const FONT_DATEN& d, int32_t hoehe, int32_t breite, int32_t escapement)
{
    LOGFONTA lf{};
    lf.lfHeight = hoehe;
    lf.lfWidth = breite + 1;
    lf.lfEscapement = escapement;
    lf.lfOrientation = escapement;
    lf.lfWeight = d.Gewicht;
    lf.lfItalic = static_cast<BYTE>(d.Kursiv);
    lf.lfUnderline = static_cast<BYTE>(d.Unterstrichen);
    lf.lfStrikeOut = d.Durchgestrichen;
    lf.lfCharSet = d.Zeichensatz;
    lf.lfOutPrecision = d.Ausgabe;
    lf.lfClipPrecision = d.Clip;
    lf.lfQuality = d.Qualitaet;
    lf.lfPitchAndFamily = static_cast<BYTE>(d.PitchFamilie);
    std::snprintf(lf.lfFaceName, LF_FACESIZE, "%s", d.Schrift);
    return CreateFontIndirectA(&lf);
}

void SetzeMeldung(MELDUNGSBLOCK& block, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    block.Nachricht = msg;
    block.wParam = wParam;
    block.lParam = lParam;
    block.Fenster = hwnd;
    block.lParamKopie = lParam;
    block.Befehl = LOWORD(wParam);
    block.Notiz = HIWORD(wParam);
}

haupt_fenster::haupt_fenster()
{
    for (FONT_DATEN& d : FontDaten) {
        d = FONT_DATEN{};
        d.Gewicht = 400;
        d.PitchFamilie = 34;
        d.Ausgabe = 3;
        d.Clip = 2;
        d.Qualitaet = 1;
        std::strcpy(d.Schrift, "Arial");
    }
    static const COLORREF palette[12] = {
        RGB(255, 0, 0),   RGB(0, 0, 255),   RGB(0, 255, 0),   RGB(255, 0, 255),
        RGB(128, 128, 0), RGB(0, 0, 128),   RGB(128, 0, 0),   RGB(0, 128, 0),
        RGB(128, 0, 128), RGB(0, 255, 255), RGB(128, 0, 128), RGB(0, 128, 128)};
    std::memcpy(Farbpalette, palette, sizeof palette);
    ErzeugeSchriften();
    // The spectra subsystem's view of this object.
    SpektrenShell.FehlerCode = &FehlerCode;
    SpektrenShell.VollerXBereich = VollerXBereich;
    SpektrenShell.GlitchKorrektur = &GlitchKorrektur;
    SpektrenShell.GlitchProzent = &GlitchProzent;
    SpektrenShell.GlitchPunkte = &GlitchPunkte;
    MenueZustandLeser = GrafikMenueZustand;
}

void haupt_fenster::ErzeugeSchriften(const char* symbolName)
{
    for (HFONT& f : Schriften) {
        if (f) DeleteObject(f);
        f = nullptr;
    }
    const int32_t schraeg = static_cast<int32_t>(SchraegWinkel * 10.0);
    const int32_t winkel[4] = {0, 900, 2700, schraeg};
    for (int k = 0; k < 4; ++k)
        Schriften[SCHRIFT_ACHSE + k] = SchriftAusDaten(FontDaten[0], Schrifthoehen[0], Schriftbreiten[0], winkel[k]);
    for (int i = 1; i < 4; ++i)
        Schriften[SCHRIFT_TITEL + i - 1] = SchriftAusDaten(FontDaten[i], Schrifthoehen[i], Schriftbreiten[i], 0);
    // The symbol fonts: at start-up "Times New Roman" of weight 0, after a
    // change of sizes "system" with font 0's weight, italic and underline.
    const bool anfang = std::strcmp(symbolName, "Times New Roman") == 0;
    const FONT_DATEN& f0 = FontDaten[0];
    for (int k = 0; k < 4; ++k)
        Schriften[SCHRIFT_SYMBOL + k] = CreateFontA(
            Schrifthoehen[0], Schriftbreiten[0] + 1, winkel[k], winkel[k], anfang ? 0 : f0.Gewicht,
            anfang ? 0 : static_cast<DWORD>(f0.Kursiv), anfang ? 0 : static_cast<DWORD>(f0.Unterstrichen), 0,
            SYMBOL_CHARSET, 0, 0, 0, 16, symbolName);
}

int haupt_fenster::Run(HINSTANCE instanz, HINSTANCE vorherige, LPSTR kommandozeile, int anzeige)
{
    Instanz = instanz;
    VorherigeInstanz = vorherige;
    AnzeigeArt = anzeige;
    Kommandozeile = kommandozeile;
    std::strcpy(Klassenname, "Korlan");
    std::strcpy(Titel, "Korlan");
    if (!RegisterFensterKlassen()) return 0;
    if (!ErzeugeHauptfenster()) return 0;
    return Nachrichtenschleife();
}

bool haupt_fenster::RegisterFensterKlassen()
{
    if (VorherigeInstanz) return true;
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = HauptFensterProcStatic;
    wc.hInstance = Instanz;
    wc.hIcon = LoadIconA(Instanz, "NUMERIC");
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszMenuName = "korlan";
    wc.lpszClassName = Klassenname;
    return RegisterClassA(&wc) && RegisterResultsKlasse(Instanz) && RegisterGrafikKlasse(Instanz) &&
           RegisterButtonKlasse(Instanz) && RegisterProgressKlasse(Instanz) &&
           RegisterEditKlasse(Instanz);
}

HWND haupt_fenster::ErzeugeHauptfenster()
{
    HWND hwnd = CreateWindowA(Klassenname, Titel, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                              nullptr, Instanz, nullptr);
    if (!hwnd) return nullptr;
    ShowWindow(hwnd, SW_SHOWMAXIMIZED);
    UpdateWindow(hwnd);
    return hwnd;
}

int haupt_fenster::Nachrichtenschleife()
{
    while (GetMessageA(&Nachricht, nullptr, 0, 0) > 0) {
        // The modeless assistant answers its own keys (Tab, Enter).
        if (AssistentDialog && IsDialogMessageA(AssistentDialog, &Nachricht)) continue;
        if (!Tastenkuerzel || !Hauptfenster ||
            !TranslateAcceleratorA(Hauptfenster, Tastenkuerzel, &Nachricht)) {
            TranslateMessage(&Nachricht);
            DispatchMessageA(&Nachricht);
        }
    }
    return static_cast<int>(Nachricht.wParam);
}

LRESULT CALLBACK haupt_fenster::HauptFensterProcStatic(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT r = HAUPTDATEN.Dispatch(hwnd, msg, wParam, lParam);
    return r ? r : DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT haupt_fenster::Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    SetzeMeldung(Meldungsblock, hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_CREATE: Hauptfenster = hwnd; return MainOnCreate();
    case WM_DESTROY: return MainOnDestroy();
    case WM_SIZE: return MainOnSize();
    case WM_SETFOCUS: return MainOnSetFocus();
    case WM_PAINT: return MainOnPaint();
    case WM_CLOSE: return MainOnClose();
    case WM_NCMOUSEMOVE: return MainOnNcMouseMove();
    case WM_KEYDOWN: return MainOnKeyDown();
    case WM_CHAR: return MainOnChar();
    case WM_COMMAND: return MenueBefehl();
    case WM_TIMER: return MainOnTimer();
    case WM_INITMENUPOPUP: return MainOnInitMenuPopup();
    case WM_MENUSELECT: return MainOnMenuSelect();
    case WM_MOUSEMOVE: return MainOnMouseMove();
    case WM_LBUTTONUP: return MainOnLButtonUp();
    default: return 0;
    }
}

void haupt_fenster::Befehl(int32_t id, LPARAM lParam)
{
    SetzeMeldung(Meldungsblock, Hauptfenster, WM_COMMAND, static_cast<WPARAM>(id), lParam);
    MenueBefehl();
}

int32_t haupt_fenster::GetFensterNummer(HWND handle) const
{
    // A free slot holds null; no window must not match it.
    if (!handle) return -1;
    for (int32_t i = 0; i < 4; ++i)
        if (GrafikHandles[i] == handle) return i;
    return -1;
}

void haupt_fenster::ResetTitel()
{
    if (Hauptfenster) SetWindowTextA(Hauptfenster, "Korlan");
}

void haupt_fenster::StatusZeile(int feld, const char* text)
{
    HWND h = KindFenster[feld == ID_STATUS_HELP ? KIND_STATUS300 : KIND_STATUS400];
    if (!h) return;
    SetWindowTextA(h, text);
    InvalidateRect(h, nullptr, TRUE);
}

void* haupt_fenster::Block(size_t bytes)
{
    if (AnzahlBloecke >= MAX_BLOECKE) return nullptr;
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    if (!h) return nullptr;
    Bloecke[AnzahlBloecke++] = h;
    return GlobalLock(h);
}

void haupt_fenster::FreiBloecke()
{
    while (AnzahlBloecke > 0) {
        HGLOBAL h = Bloecke[--AnzahlBloecke];
        GlobalUnlock(h);
        GlobalFree(h);
        Bloecke[AnzahlBloecke] = nullptr;
    }
}

void ProgrammDatei(char* ziel, size_t groesse, const char* name)
{
    const char* ordner = HAUPTDATEN.ProgrammOrdner ? HAUPTDATEN.ProgrammOrdner : ".";
    std::snprintf(ziel, groesse, "%s\\%s", ordner, name);
}

void FehlerMeldung(int32_t id)
{
    MessageBeep(MB_OK);
    FehlerCode = 0;
    char text[201] = "";
    LoadStringA(HAUPTDATEN.Instanz, static_cast<UINT>(id), text, sizeof text);
    MeldungsBox(HAUPTDATEN.Hauptfenster, text, "Error !!", MB_OK | MB_ICONEXCLAMATION);
    MessageBeep(MB_OK);
}

void AddModeless(HWND handle)
{
    for (HWND& h : ModelessList)
        if (!h) { h = handle; return; }
}

void RemoveModeless(HWND handle)
{
    if (!handle) return;
    for (HWND& h : ModelessList)
        if (h == handle) h = nullptr;
}
