// The data-table window: painting, scrolling, selecting, editing and
// deleting points of the shown curve.
#include "spectra/data_table_win.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "resource_ids.h"
#include "shell/child_windows.h"
#include "shell/haupt_fenster.h"
#include "spectra/data_table.h"
#include "spectra/file_commands_win.h"
#include "spectra/spectra_globals.h"

namespace {

const int SYS_VERBERGEN = 18;
const char* const MAUS_TEXT =
    "make changes visible with (+) on number pad  -  refer to help for mouse options to change "
    "content of graphic window";

int32_t ObereKante() { return 2 * HAUPTDATEN.ButtonZeilenHoehe + 6; }

HWND AktivesGrafikFenster()
{
    if (AktivesFenster < 0 || AktivesFenster > 3) return nullptr;
    return HAUPTDATEN.GrafikHandles[AktivesFenster];
}

// The row drawn inverted (its y position; 0 = none), one for the program.
int32_t InvertierteZeile = 0;

void ZeileInvertieren(HWND h, int32_t y, int32_t breite, int32_t hoehe)
{
    HDC dc = GetDC(h);
    const RECT r = {0, y, breite, y + hoehe};
    InvertRect(dc, &r);
    ReleaseDC(h, dc);
}

}  // namespace

int32_t editor_fenster::Gewaehlt() const
{
    return std::max(Erste + Zeile - 1, 0);
}

bool editor_fenster::Quelle(int32_t* fenster, int32_t* slot) const
{
    if (!X) return false;
    for (int32_t w = 0; w < 4; ++w)
        for (int32_t s = 0; s < 4; ++s)
            if (GrafikFenster[w].GetXFeld(s) == X) {
                *fenster = w;
                *slot = s;
                return true;
            }
    return false;
}

// The arrays stay valid only while their graphic window is open; a closed
// window leaves the table empty. The count never runs past the slot's.
bool editor_fenster::Pruefen()
{
    int32_t w, s;
    if (!Quelle(&w, &s) || !HAUPTDATEN.GrafikHandles[w]) {
        X = Y = nullptr;
        Anzahl = 0;
        return false;
    }
    Anzahl = std::max(0, std::min(Anzahl, GrafikFenster[w].DateiInfo.PunkteProKurve[s]));
    return true;
}

bool editor_fenster::Komplex() const
{
    int32_t w, s;
    return Quelle(&w, &s) && (GrafikFenster[w].KurvenFlags[s] & SLOT_KOMPLEX) != 0;
}

LRESULT editor_fenster::Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    SetzeMeldung(Meldungsblock, hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY && Fenster == hwnd) Fenster = nullptr;
    if (Beschaeftigt) return 0;
    switch (msg) {
    case WM_CREATE: Fenster = hwnd; return OnCreate();
    case WM_SIZE:
        Breite = LOWORD(lParam);
        Hoehe = HIWORD(lParam);
        return OnSize();
    case WM_PAINT: return OnPaint();
    case WM_COMMAND: return OnCommand();
    case WM_KEYDOWN: return OnKeyDown();
    case WM_VSCROLL: Vertikal(LOWORD(wParam), static_cast<short>(HIWORD(wParam))); return 1;
    case WM_HSCROLL: Horizontal(LOWORD(wParam), static_cast<short>(HIWORD(wParam))); return 1;
    case WM_SETFOCUS: Invertieren(true); return 0;
    case WM_KILLFOCUS: Invertieren(false); return 0;
    case WM_MOUSEACTIVATE:
        Invertieren(false);
        NachVorn();
        UpdateFensterStatus();
        return MA_ACTIVATE;
    case WM_MOUSEMOVE: HAUPTDATEN.StatusZeile(ID_STATUS_HELP, MAUS_TEXT); return 0;
    case WM_LBUTTONUP: {
        Zeile = std::max(0, static_cast<short>(HIWORD(lParam)) / std::max(ZeilenHoehe, 1));
        Spalte = static_cast<short>(LOWORD(lParam)) / std::max(ZeichenBreite, 1) + HPos;
        KopfZeigen();
        Invertieren(true);
        NachVorn();
        return 0;
    }
    case WM_RBUTTONUP: {
        POINT p;
        GetCursorPos(&p);
        if (Kontextmenue) TrackPopupMenu(Kontextmenue, TPM_LEFTALIGN, p.x, p.y, 0, hwnd, nullptr);
        return 0;
    }
    case WM_PARENTNOTIFY:
        if (LOWORD(wParam) == WM_RBUTTONDOWN) PostMessageA(hwnd, WM_RBUTTONUP, 0, 0);
        return 0;
    case WM_SYSCOMMAND:
        // Closing would destroy the one table of the run; it hides.
        if (wParam != SYS_VERBERGEN && (wParam & 0xFFF0) != SC_CLOSE) return 0;
        Verbergen();
        return 1;
    case WM_GETMINMAXINFO: {
        MINMAXINFO* mm = reinterpret_cast<MINMAXINFO*>(lParam);
        HWND haupt = HAUPTDATEN.Hauptfenster;
        if (!mm || !haupt) return 0;
        RECT r;
        GetClientRect(haupt, &r);
        mm->ptMaxPosition.x = 0;
        mm->ptMaxPosition.y = ObereKante();
        mm->ptMaxSize.x = r.right;
        mm->ptMaxSize.y = std::max<LONG>(r.bottom - ObereKante(), 0);
        return 1;
    }
    default:
        return 0;
    }
}

LRESULT editor_fenster::OnCreate()
{
    HWND h = Fenster;
    HINSTANCE inst = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(h, GWLP_HINSTANCE));
    TextAnsicht = CreateWindowA("edit", "", WS_CHILD | WS_BORDER | WS_HSCROLL | WS_VSCROLL | ES_MULTILINE |
                                ES_AUTOHSCROLL | ES_AUTOVSCROLL, 0, 0, 0, 0, h,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(ID_TABELLE_TEXT)), inst, nullptr);
    SendMessageA(TextAnsicht, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(OEM_FIXED_FONT)), 0);
    SendMessageA(TextAnsicht, EM_LIMITTEXT, 32000, 0);
    const DWORD feld = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_RIGHT;
    XFeld = CreateWindowA("edit", "", feld, 0, 0, 0, 0, h,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(ID_TABELLE_X)), inst, nullptr);
    YFeld = CreateWindowA("edit", "", feld, 0, 0, 0, 0, h,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(ID_TABELLE_Y)), inst, nullptr);
    IndexFeld = CreateWindowA("static", "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, h,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(ID_TABELLE_INDEX)), inst, nullptr);
    HDC dc = GetDC(h);
    HGDIOBJ alt = SelectObject(dc, GetStockObject(SYSTEM_FONT));
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, alt);
    ReleaseDC(h, dc);
    ZeilenHoehe = std::max<int32_t>(tm.tmHeight + tm.tmExternalLeading, 1);
    ZeichenBreite = std::max<int32_t>(tm.tmAveCharWidth, 1);
    const int32_t gross = (tm.tmPitchAndFamily & TMPF_FIXED_PITCH) ? 3 * ZeichenBreite / 2 : ZeichenBreite;
    ZeilenBreite = 40 * ZeichenBreite + 18 * gross;
    if (!Kontextmenue) {
        Kontextmenue = CreatePopupMenu();
        AppendMenuA(Kontextmenue, MF_STRING, 38, "Chan&ge");
        AppendMenuA(Kontextmenue, MF_STRING, 111, "&Save File");
    }
    if (HMENU sys = GetSystemMenu(h, FALSE)) AppendMenuA(sys, MF_STRING, SYS_VERBERGEN, "&Hide");
    return 0;
}

LRESULT editor_fenster::OnSize()
{
    Layout();
    return 0;
}

void editor_fenster::Layout()
{
    HWND h = Fenster;
    if (!h) return;
    MoveWindow(IndexFeld, 0, 0, Breite, ZeilenHoehe + 18, TRUE);
    MoveWindow(XFeld, 5 * ZeichenBreite, 7, 15 * ZeichenBreite, ZeilenHoehe + 4, TRUE);
    MoveWindow(YFeld, 22 * ZeichenBreite, 7, 15 * ZeichenBreite, ZeilenHoehe + 4, TRUE);
    ErsteMax = TabellenVertikalMax(Anzahl, Hoehe, ZeilenHoehe);
    HMax = TabellenHorizontalMax(ZeilenBreite, Breite, ZeichenBreite);
    Erste = std::min(Erste, ErsteMax);
    HPos = std::min(HPos, HMax);
    SetScrollRange(h, SB_VERT, 0, ErsteMax, FALSE);
    SetScrollPos(h, SB_VERT, Erste, TRUE);
    SetScrollRange(h, SB_HORZ, 0, HMax, FALSE);
    SetScrollPos(h, SB_HORZ, HPos, TRUE);
    SpaltenProSeite = Breite / ZeichenBreite;
    ZeilenProSeite = Hoehe / ZeilenHoehe;
    if (TextAn) MoveWindow(TextAnsicht, 0, 0, Breite, Hoehe, TRUE);
}

LRESULT editor_fenster::OnPaint()
{
    HWND h = Fenster;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HGDIOBJ alt = SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
    SetBkMode(dc, TRANSPARENT);
    int32_t von = 0, bis = 0;
    LetzteGemalteZeile = -1;
    if (Pruefen()) {
        TabellenZeilenBereich(ps.rcPaint.top, ps.rcPaint.bottom, ZeilenHoehe, Erste, Anzahl, &von, &bis);
        const bool komplex = Komplex();
        char zeile[160];
        for (int32_t i = von; i < bis; ++i) {
            TabellenZeile(zeile, sizeof zeile, i, X, Y, Anzahl, komplex);
            TextOutA(dc, (1 - HPos) * ZeichenBreite, (i - Erste + 1) * ZeilenHoehe, zeile,
                     static_cast<int>(std::strlen(zeile)));
            LetzteGemalteZeile = i;
        }
    }
    SelectObject(dc, alt);
    EndPaint(h, &ps);
    KopfZeigen();
    InvertierteZeile = 0;
    if (GetFocus() == h) Invertieren(true);
    return 0;
}

void editor_fenster::KopfZeigen()
{
    if (!IndexFeld) return;
    char text[40] = "";
    if (Pruefen() && Anzahl > 0) {
        const int32_t i = std::min(Gewaehlt(), Anzahl - 1);
        TabellenKopfIndex(text, sizeof text, i);
        SetWindowTextA(IndexFeld, text);
        if (Fokus != ID_TABELLE_X) {
            TabellenKopfWert(text, sizeof text, X[i]);
            SetWindowTextA(XFeld, text);
        }
        if (Fokus != ID_TABELLE_Y) {
            TabellenKopfWert(text, sizeof text, Y[i]);
            SetWindowTextA(YFeld, text);
        }
    } else {
        SetWindowTextA(IndexFeld, "");
        SetWindowTextA(XFeld, "");
        SetWindowTextA(YFeld, "");
    }
}

void editor_fenster::Invertieren(bool neu)
{
    HWND h = Fenster;
    if (!h) return;
    if (InvertierteZeile > 0) ZeileInvertieren(h, InvertierteZeile, Breite, ZeilenHoehe);
    InvertierteZeile = 0;
    if (!neu || Zeile < 1 || !IsWindowVisible(h)) return;
    InvertierteZeile = Zeile * ZeilenHoehe;
    ZeileInvertieren(h, InvertierteZeile, Breite, ZeilenHoehe);
}

void editor_fenster::Vertikal(int art, int position)
{
    const int32_t seite = std::max(Hoehe / std::max(ZeilenHoehe, 1), 1);
    int32_t neu = Erste;
    switch (art) {
    case SB_LINEUP: neu -= 1; break;
    case SB_LINEDOWN: neu += 1; break;
    case SB_PAGEUP: neu -= seite; break;
    case SB_PAGEDOWN: neu += seite; break;
    case SB_THUMBPOSITION: case SB_THUMBTRACK: neu = position; break;
    case SB_TOP: neu = 0; break;
    case SB_BOTTOM: neu = ErsteMax; break;
    default: return;
    }
    neu = std::max(0, std::min(neu, ErsteMax));
    if (neu == Erste) return;
    Invertieren(false);
    const int32_t schritt = Erste - neu;
    Erste = neu;
    HWND h = Fenster;
    RECT unterKopf = {0, ZeilenHoehe, Breite, Hoehe};
    ScrollWindow(h, 0, schritt * ZeilenHoehe, &unterKopf, &unterKopf);
    SetScrollPos(h, SB_VERT, Erste, TRUE);
    if (Erste == 0) {
        RECT kopf = {0, 0, Breite, ZeilenHoehe};
        InvalidateRect(h, &kopf, TRUE);
    }
    UpdateWindow(h);
}

void editor_fenster::Horizontal(int art, int position)
{
    int32_t neu = HPos;
    switch (art) {
    case SB_LINEUP: neu -= 1; break;
    case SB_LINEDOWN: neu += 1; break;
    case SB_PAGEUP: neu -= 8; break;
    case SB_PAGEDOWN: neu += 8; break;
    case SB_THUMBPOSITION: case SB_THUMBTRACK: neu = position; break;
    default: return;
    }
    neu = std::max(0, std::min(neu, HMax));
    if (neu == HPos) return;
    Invertieren(false);
    ScrollWindow(Fenster, ZeichenBreite * (HPos - neu), 0, nullptr, nullptr);
    HPos = neu;
    SetScrollPos(Fenster, SB_HORZ, HPos, TRUE);
    UpdateWindow(Fenster);
}

LRESULT editor_fenster::OnKeyDown()
{
    switch (Meldungsblock.wParam) {
    case VK_PRIOR: Vertikal(SB_PAGEUP, 0); break;
    case VK_NEXT: Vertikal(SB_PAGEDOWN, 0); break;
    case VK_HOME: Vertikal(SB_TOP, 0); break;
    case VK_END: Vertikal(SB_BOTTOM, 0); break;
    case VK_LEFT:
        if (Spalte > 0) --Spalte;
        if (Spalte < HPos) Horizontal(SB_LINEUP, 0);
        break;
    case VK_RIGHT:
        ++Spalte;
        if (Spalte >= HPos + SpaltenProSeite) Horizontal(SB_LINEDOWN, 0);
        break;
    case VK_UP:
        if (Zeile > 1) --Zeile;
        else Vertikal(SB_LINEUP, 0);
        KopfZeigen();
        Invertieren(true);
        break;
    case VK_DOWN:
        if (Gewaehlt() + 1 < Anzahl) {
            if (Zeile + 1 < ZeilenProSeite) ++Zeile;
            else Vertikal(SB_LINEDOWN, 0);
        }
        KopfZeigen();
        Invertieren(true);
        break;
    case VK_DELETE: Loeschen(); break;
    default: return 0;
    }
    return 1;
}

// An edit of x (feld 150) or y (151) of the selected point: the slot
// changes, the history gets a line, the graphic window is redrawn.
void editor_fenster::Aendern(int feld, double wert)
{
    if (!Pruefen() || Anzahl < 1) return;
    const int32_t i = Gewaehlt();
    if (i >= Anzahl) return;
    (feld == ID_TABELLE_X ? X : Y)[i] = wert;
    int32_t w, s;
    const char* name = "";
    if (Quelle(&w, &s)) {
        GrafikFenster[w].HatDaten = 1;
        name = GrafikFenster[w].DateiInfo.DateiName;
    }
    if (CommandText) {
        std::snprintf(CommandText, COMMAND_TEXT_BYTES, "--: %s  -  data table: point %d  x = %G ,  y = %G\r\n",
                      name, static_cast<int>(i), X[i], Y[i]);
        HWND ergebnis = HAUPTDATEN.KindFenster[KIND_ERGEBNIS];
        if (RedrawPerMessage == 1 && ergebnis) SendMessageA(ergebnis, WM_COMMAND, 2003, 0);
    }
    if (HWND g = AktivesGrafikFenster()) SendMessageA(g, WM_COMMAND, CM_REDRAW, 0);
    UpdateFensterStatus();
    InvalidateRect(Fenster, nullptr, TRUE);
    UpdateWindow(Fenster);
}

void editor_fenster::Loeschen()
{
    if (!Pruefen() || Anzahl < 1) return;
    const int32_t i = std::min(Gewaehlt(), Anzahl - 1);
    int32_t w = -1, s = -1;
    const bool quelle = Quelle(&w, &s);
    int32_t n = quelle ? GrafikFenster[w].DateiInfo.PunkteProKurve[s] : Anzahl;
    if (!TabellenPunktLoeschen(X, Y, &n, i, Komplex())) return;
    Anzahl = n;
    if (quelle) {
        GrafikFenster[w].DateiInfo.PunkteProKurve[s] = n;
        GrafikFenster[w].HatDaten = 1;
    }
    if (HWND g = AktivesGrafikFenster()) SendMessageA(g, WM_COMMAND, CM_REDRAW, 0);
    Layout();
    InvalidateRect(Fenster, nullptr, TRUE);
    UpdateWindow(Fenster);
}

void editor_fenster::NachVorn()
{
    if (Fenster) BringWindowToTop(Fenster);
}

void editor_fenster::Verbergen()
{
    HWND h = Fenster;
    if (!h) return;
    if (GetFocus() == h || IsChild(h, GetFocus())) SetFocus(nullptr);
    ShowWindow(h, SW_HIDE);
    RemoveModeless(h);
    if (HWND g = AktivesGrafikFenster()) BringWindowToTop(g);
    InvertierteZeile = 0;
    UpdateFensterStatus();
}

void editor_fenster::Zeigen()
{
    HWND h = Fenster;
    if (!h) return;
    if (!IsWindowVisible(h)) {
        RECT r = {};
        GetClientRect(HAUPTDATEN.Hauptfenster, &r);
        MoveWindow(h, 0, ObereKante(), r.right / 2, r.bottom / 2, TRUE);
        ShowWindow(h, SW_SHOW);
        AddModeless(h);
    }
    NachVorn();
    SetFocus(h);
    UpdateFensterStatus();
}

LRESULT editor_fenster::OnCommand()
{
    HWND h = Fenster;
    const WORD id = Meldungsblock.Befehl;
    const WORD notiz = Meldungsblock.Notiz;
    const LPARAM lp = Meldungsblock.lParam;
    switch (id) {
    case CM_TABELLE_ZEIGEN: {
        Anzahl = HIWORD(lp);
        TextAn = 0;
        ShowWindow(TextAnsicht, SW_HIDE);
        RECT r = {};
        GetClientRect(HAUPTDATEN.Hauptfenster, &r);
        const int32_t oben = ObereKante();
        MoveWindow(h, 2 * r.right / 3, oben, r.right - 2 * r.right / 3,
                   std::max<LONG>(r.bottom - oben - HAUPTDATEN.StatusHoehe, 0), TRUE);
        ShowWindow(h, SW_SHOW);
        AddModeless(h);
        Erste = 0;
        Zeile = 1;
        RECT c;
        GetClientRect(h, &c);
        Breite = c.right;
        Hoehe = c.bottom;
        Layout();
        NachVorn();
        SetFocus(h);
        InvalidateRect(h, nullptr, TRUE);
        UpdateFensterStatus();
        break;
    }
    case CM_TABELLE_KURVE:
        Anzahl = HIWORD(lp);
        if (!IsWindowVisible(h) && LOWORD(lp) == 10) {
            ShowWindow(h, SW_SHOW);
            AddModeless(h);
        }
        Layout();
        if (TextAn && Text) SetWindowTextA(TextAnsicht, Text);
        else InvalidateRect(h, nullptr, TRUE);
        UpdateWindow(h);
        Invertieren(true);
        break;
    case CM_TABELLE_ZEILE:
        Erste = std::min<int32_t>(LOWORD(lp) + 1, std::max(Anzahl, 1));
        Zeile = 0;
        SetScrollPos(h, SB_VERT, Erste, TRUE);
        InvalidateRect(h, nullptr, TRUE);
        UpdateWindow(h);
        break;
    case CM_TABELLE_WERT:
        Aendern(ID_TABELLE_Y, HAUPTDATEN.TabellenWert);
        break;
    case 45:
        TextAn = 1;
        SetWindowTextA(TextAnsicht, Text ? Text : "");
        MoveWindow(TextAnsicht, 0, 0, Breite, Hoehe, TRUE);
        ShowWindow(TextAnsicht, SW_SHOW);
        break;
    case 605:
        TextAn = 0;
        ShowWindow(TextAnsicht, SW_HIDE);
        InvalidateRect(h, nullptr, TRUE);
        break;
    case ID_TABELLE_X:
    case ID_TABELLE_Y:
        if (notiz == EN_SETFOCUS) Fokus = id;
        else if (notiz == EN_KILLFOCUS) Fokus = -1;
        else if (notiz == EN_VSCROLL || notiz == EN_MAXTEXT || notiz == EN_CHANGE) {
            // Enter ends the entry: the one-line field scrolls or refuses the
            // new line, or its text gets a line end.
            HWND feld = id == ID_TABELLE_X ? XFeld : YFeld;
            char text[64] = "";
            GetWindowTextA(feld, text, sizeof text);
            if (notiz == EN_CHANGE && !std::strchr(text, '\n')) break;
            const int32_t fokus = Fokus;
            Fokus = -1;
            Aendern(id, TabellenEingabe(text));
            Fokus = fokus;
            // The field shows the stored value, ready for the next entry.
            const int32_t i = Gewaehlt();
            if (X && Y && i < Anzahl) {
                TabellenKopfWert(text, sizeof text, (id == ID_TABELLE_X ? X : Y)[i]);
                SetWindowTextA(feld, text);
                SendMessageA(feld, EM_SETSEL, 0, -1);
            }
        }
        break;
    case ID_TABELLE_TEXT:
        if (notiz == EN_UPDATE) Geaendert = 1;
        break;
    case 18: Verbergen(); break;
    case 37:
        Zeigen();
        HilfeThema = 0;
        break;
    case 38:
        PostMessageA(HAUPTDATEN.Hauptfenster, WM_COMMAND, 38, 0);
        break;
    case 111:
        if (AktivesGrafikFenster()) SpeichereDatei(&HAUPTDATEN, 1);
        break;
    default:
        return 0;
    }
    return 1;
}

void SetEditQuelle(double* x, double* y, int32_t modus, int32_t befehl, int32_t breite, int32_t hoehe)
{
    EditorWindow.X = x;
    EditorWindow.Y = y;
    if (breite && hoehe) {
        EditorWindow.Modus = modus;
        EditorWindow.Befehl = befehl;
        EditorWindow.FlaecheBreite = breite;
        EditorWindow.FlaecheHoehe = hoehe;
    }
}

void TabelleFolgen()
{
    HWND t = EditorWindow.Fenster;
    if (!t || !IsWindowVisible(t) || AnzahlFenster < 1) return;
    HWND oben = HAUPTDATEN.Hauptfenster ? GetTopWindow(HAUPTDATEN.Hauptfenster) : nullptr;
    int32_t w = MakroRunning ? AktivesFenster : HAUPTDATEN.GetFensterNummer(oben);
    if (w < 0 || w > 3 || !HAUPTDATEN.GrafikHandles[w]) w = AktivesFenster;
    if (w < 0 || w > 3 || !HAUPTDATEN.GrafikHandles[w]) return;
    grafik_fenster& g = GrafikFenster[w];
    double* x = g.GetXFeld(-1);
    if (!x || x == EditorWindow.X) return;
    SetEditQuelle(x, g.GetYFeld(-1), 0, 0, 0, 0);
    SendMessageA(t, WM_COMMAND, CM_TABELLE_KURVE, MAKELPARAM(0, g.Punkte()));
}

void TabelleOeffnen(int32_t fenster)
{
    haupt_fenster& app = HAUPTDATEN;
    if (fenster < 0 || fenster > 3 || !app.GrafikHandles[fenster]) return;
    grafik_fenster& g = GrafikFenster[fenster];
    if (!g.GetXFeld(-1) || g.Punkte() < 1) return;
    SetEditQuelle(g.GetXFeld(-1), g.GetYFeld(-1), 0, 70, app.ClientBreite, app.ClientHoehe - 100);
    PostMessageA(app.KindFenster[KIND_EDITOR], WM_COMMAND, CM_TABELLE_ZEIGEN, MAKELPARAM(0, g.Punkte()));
    app.EditorSichtbar = 1;
    const int32_t oben = 2 * app.ButtonZeilenHoehe + 6;
    MoveWindow(app.GrafikHandles[fenster], 0, oben, 2 * app.ClientBreite / 3,
               std::max(app.ClientHoehe - app.StatusHoehe - oben, 0), TRUE);
}
