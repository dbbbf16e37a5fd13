// The button bar window: two rows of owner-drawn bitmap buttons, the
// "Font" button and six combo boxes along the top of the main window. The
// buttons forward their commands to the graphic window on top or to the
// main window; the macro buttons run the recorder and player.
#include "shell/macro_bar.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "resource_ids.h"
#include "shell/dispatcher.h"
#include "spectra/spectra_globals.h"

SCHRIFTDIALOG SchriftDialog = ChooseFontA;

namespace {

const int32_t KNOPF_PLAY = 11;
const int32_t KNOPF_REC = 12;
const int32_t KNOPF_QUICK = 10;
const int32_t KNOPF_PARAMETER = 1014;
const int32_t TEXT_ZEICHEN = 98;  // a label taken from a box
// lParam of command 604 when a column box chose the column: no dialog.
const LPARAM LP_SPALTENBOX = 1111;

HWND Neu(const char* klasse, const char* text, DWORD stil, int32_t id, HWND eltern, HINSTANCE instanz)
{
    return CreateWindowA(klasse, text, stil, 0, 0, 0, 0, eltern,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instanz, nullptr);
}

void Platz(HWND h, const LEISTEN_PLATZ& p)
{
    if (!h) return;
    MoveWindow(h, p.X, p.Y, p.Breite, p.Hoehe, TRUE);
    ShowWindow(h, p.Sichtbar ? SW_SHOW : SW_HIDE);
}

// Selects the entry that is exactly `text`; false when there is none.
bool Waehle(HWND box, const char* text)
{
    const LRESULT i = SendMessageA(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                   reinterpret_cast<LPARAM>(text));
    if (i == CB_ERR) return false;
    SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
    return true;
}

// Appends "text#" to a "#"-separated list when it fits its buffer.
bool AnListe(char* liste, const char* text)
{
    if (!liste) return false;
    const size_t n = std::strlen(liste), t = std::strlen(text);
    if (n + t + 2 > static_cast<size_t>(TEXTLISTE_BYTES)) return false;
    std::memcpy(liste + n, text, t);
    liste[n + t] = '#';
    liste[n + t + 1] = '\0';
    return true;
}

// A slot's axis text in its box: selected when listed, else added to the
// list (when the list has room) and the box refilled.
void TextZeigen(HWND box, char* liste, const char* erster, const char* text)
{
    if (!box || !text || !text[0] || Waehle(box, text)) return;
    if (AnListe(liste, text)) {
        FillComboFromList(box, liste, erster);
    } else {
        SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    Waehle(box, text);
}

void SpaltenFuellen(HWND box, const int32_t* liste, int32_t aktuell, bool x)
{
    if (!box) return;
    SendMessageA(box, CB_RESETCONTENT, 0, 0);
    int32_t position = 0, i = 0;
    for (int32_t spalte : SpaltenAusListe(liste, SPALTEN_LISTE)) {
        SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(SpaltenText(spalte, x).c_str()));
        if (spalte == aktuell) position = i;
        ++i;
    }
    if (i > 0) SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
}

// Whether a first-row switch shows its feature as on.
bool Merkmal(int32_t befehl)
{
    if (befehl == KNOPF_REC) return HAUPTDATEN.MakroAufnahme != 0;
    const int32_t f = AktivesFenster;
    // Without a graphic window the three view switches look pressed.
    if (f < 0 || f > 3 || !HAUPTDATEN.GrafikHandles[f]) return true;
    const grafik_fenster& g = GrafikFenster[f];
    switch (befehl) {
    case 4: return g.Multiplot != 0;
    case 5: return g.Kombinieren != 0;
    default: return g.FunktionenGetrennt != 0;
    }
}

bool IstSchalter(int32_t befehl) { return befehl == 4 || befehl == 5 || befehl == 6 || befehl == KNOPF_REC; }

}  // namespace

void FillComboFromList(HWND combo, const char* liste, const char* erster)
{
    if (!combo) return;
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (const std::string& e : ListenEintraege(liste, erster))
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.c_str()));
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
}

void DrawBitmap(HDC dc, HBITMAP bild, int32_t x, int32_t y)
{
    if (!dc || !bild) return;
    BITMAP bm{};
    GetObjectA(bild, sizeof bm, &bm);
    HDC speicher = CreateCompatibleDC(dc);
    HGDIOBJ alt = SelectObject(speicher, bild);
    BitBlt(dc, x, y, bm.bmWidth, bm.bmHeight, speicher, 0, 0, SRCCOPY);
    SelectObject(speicher, alt);
    DeleteDC(speicher);
}

LRESULT button_leiste::Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    SetzeMeldung(Meldungsblock, hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY && Fenster == hwnd) Zerstoert();
    if (Beschaeftigt) return 0;
    switch (msg) {
    case WM_CREATE: Fenster = hwnd; return OnCreate();
    case WM_SIZE: return OnSize();
    case WM_PAINT: return OnPaint();
    case WM_DRAWITEM: return OnDrawItem();
    case WM_COMMAND: return OnCommand();
    default: return 0;
    }
}

void button_leiste::Zerstoert()
{
    for (LEISTEN_KNOPF& k : Erste)
        for (HBITMAP& b : k.Bild)
            if (b) DeleteObject(b), b = nullptr;
    for (LEISTEN_KNOPF& k : Zweite)
        for (HBITMAP& b : k.Bild)
            if (b) DeleteObject(b), b = nullptr;
    if (BoxSchrift) DeleteObject(BoxSchrift);
    BoxSchrift = nullptr;
    if (SpektrenShell.SchriftCombo == Boxen[BOX_GROESSE - 101]) SpektrenShell.SchriftCombo = nullptr;
    for (LEISTEN_KNOPF& k : Erste) k.Fenster = nullptr;
    for (LEISTEN_KNOPF& k : Zweite) k.Fenster = nullptr;
    for (HWND& b : Boxen) b = nullptr;
    Fenster = RecKnopf = PlayKnopf = SchriftKnopf = nullptr;
    MakroClose();
}

LRESULT button_leiste::OnCreate()
{
    HINSTANCE instanz = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(Fenster, GWLP_HINSTANCE));
    const DWORD stil = WS_CHILD | WS_VISIBLE | BS_OWNERDRAW;
    for (int32_t k = 1; k <= ERSTE_REIHE_ANZAHL; ++k) {
        LEISTEN_KNOPF& b = Erste[k];
        for (int32_t i = 0; i < 3; ++i)
            b.Bild[i] = LoadBitmapA(instanz, KnopfBildName(ERSTE_REIHE[k], false, i).c_str());
        b.Fenster = Neu("button", ERSTE_REIHE[k].Name, stil, ERSTE_REIHE[k].Befehl, Fenster, instanz);
    }
    for (int32_t k = 1; k <= ZWEITE_REIHE_ANZAHL; ++k) {
        LEISTEN_KNOPF& b = Zweite[k];
        for (int32_t i = 0; i < 3; ++i)
            b.Bild[i] = LoadBitmapA(instanz, KnopfBildName(ZWEITE_REIHE[k], true, i).c_str());
        b.Fenster = Neu("button", ZWEITE_REIHE[k].Name, stil, ZWEITE_REIHE[k].Befehl, Fenster, instanz);
        b.An = 1;
    }
    RecKnopf = Erste[KNOPF_REC].Fenster;
    PlayKnopf = Erste[KNOPF_PLAY].Fenster;
    SchriftKnopf = Neu("button", "Font", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, KNOPF_SCHRIFT, Fenster, instanz);
    for (int32_t id = 101; id <= 106; ++id) {
        DWORD boxStil = WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST;
        if (id >= BOX_X_TEXT && id <= BOX_Z_TEXT) boxStil |= CBS_AUTOHSCROLL;
        Boxen[id - 101] = Neu("combobox", "", boxStil, id, Fenster, instanz);
    }
    BoxSchrift = CreateFontA(12, 6, 0, 0, 400, 0, 0, 0, 0, 0, 0, PROOF_QUALITY, FF_ROMAN, "MS sans serif");
    SendMessageA(SchriftKnopf, WM_SETFONT, reinterpret_cast<WPARAM>(BoxSchrift), FALSE);
    for (HWND b : Boxen) SendMessageA(b, WM_SETFONT, reinterpret_cast<WPARAM>(BoxSchrift), FALSE);

    HWND groesse = Boxen[BOX_GROESSE - 101];
    for (int32_t n : SchriftGroessen()) {
        char text[16];
        std::snprintf(text, sizeof text, " %d", static_cast<int>(n));
        SendMessageA(groesse, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendMessageA(groesse, CB_SETCURSEL, 12, 0);
    SpektrenShell.SchriftCombo = groesse;
    FillComboFromList(Boxen[BOX_X_TEXT - 101], HAUPTDATEN.XTextListe, "X");
    FillComboFromList(Boxen[BOX_Y_TEXT - 101], HAUPTDATEN.YTextListe, "Y");
    FillComboFromList(Boxen[BOX_Z_TEXT - 101], HAUPTDATEN.YTextListe, "Z");

    for (int32_t k = 1; k <= 10; ++k) {
        KnopfAn[k] = Erste[k].An = 0;
        EnableWindow(Erste[k].Fenster, FALSE);
    }
    KnopfAn[KNOPF_PLAY] = KnopfAn[KNOPF_REC] = Erste[KNOPF_PLAY].An = Erste[KNOPF_REC].An = 1;
    return 0;
}

LRESULT button_leiste::OnSize()
{
    RECT r{};
    GetClientRect(Fenster, &r);
    Breite = r.right;
    Hoehe = r.bottom;
    const LEISTEN_LAYOUT l = LeistenLayout(Breite, Hoehe);
    for (int32_t k = 1; k <= ERSTE_REIHE_ANZAHL; ++k) Platz(Erste[k].Fenster, l.Erste[k]);
    for (int32_t k = 1; k <= ZWEITE_REIHE_ANZAHL; ++k) Platz(Zweite[k].Fenster, l.Zweite[k]);
    for (int32_t i = 0; i < 6; ++i) Platz(Boxen[i], l.Boxen[i]);
    Platz(SchriftKnopf, l.Schrift);
    return 0;
}

LRESULT button_leiste::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Fenster, &ps);
    RECT r;
    GetClientRect(Fenster, &r);
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    MoveToEx(dc, 0, r.bottom / 2, nullptr);
    LineTo(dc, r.right, r.bottom / 2);
    EndPaint(Fenster, &ps);
    return 1;
}

LRESULT button_leiste::OnDrawItem()
{
    const DRAWITEMSTRUCT* d = reinterpret_cast<const DRAWITEMSTRUCT*>(Meldungsblock.lParam);
    if (!d || !(d->itemAction & (ODA_DRAWENTIRE | ODA_SELECT))) return 0;
    const int32_t id = static_cast<int32_t>(d->CtlID);
    const LEISTEN_KNOPF* k = nullptr;
    if (id >= 1 && id <= ERSTE_REIHE_ANZAHL) k = &Erste[id];
    else if (id > 1000 && id <= 1000 + ZWEITE_REIHE_ANZAHL) k = &Zweite[id - 1000];
    if (!k) return 0;
    const bool gedrueckt = (d->itemState & ODS_SELECTED) != 0;
    const bool schalter = IstSchalter(id) && id < 1000;
    const int32_t bild = KnopfBild(gedrueckt, k->An != 0, schalter, schalter && Merkmal(id),
                                   (d->itemAction & ODA_DRAWENTIRE) != 0);
    HBITMAP b = k->Bild[bild] ? k->Bild[bild] : k->Bild[BILD_NORMAL];
    if (b) {
        DrawBitmap(d->hDC, b, d->rcItem.left, d->rcItem.top);
    } else {
        RECT r = d->rcItem;
        DrawFrameControl(d->hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (bild == BILD_GEDRUECKT ? DFCS_PUSHED : 0));
    }
    // A first-row button held down says what it does.
    if (gedrueckt && id < 1000 && HAUPTDATEN.Hauptfenster) {
        char text[201] = "";
        LoadStringA(HAUPTDATEN.Instanz, 1000 + id, text, sizeof text);
        HAUPTDATEN.StatusZeile(ID_STATUS_HELP, text);
    }
    return 1;
}

int32_t button_leiste::ObererGrafik() const
{
    HWND haupt = HAUPTDATEN.Hauptfenster;
    return haupt ? HAUPTDATEN.GetFensterNummer(GetTopWindow(haupt)) : -1;
}

void button_leiste::NachAenderung(int32_t fenster)
{
    if (fenster >= 0 && fenster < 4 && HAUPTDATEN.GrafikHandles[fenster]) {
        GrafikFenster[fenster].SetFullBorder();
        PostMessageA(HAUPTDATEN.GrafikHandles[fenster], WM_COMMAND, CM_REDRAW, 0);
    }
    UpdateFensterStatus();
}

// The buttons that hand their command on. True when id is one of them.
bool button_leiste::Knopfbefehl(int32_t id)
{
    const bool weiter = (id >= 1 && id <= 9) || (id >= 1001 && id <= 1013);
    const bool anHaupt = id == KNOPF_QUICK || id == KNOPF_PARAMETER;
    if (!weiter && !anHaupt) return false;
    // A first-row button that the status refresh disabled does nothing.
    if (id <= ERSTE_REIHE_ANZAHL && !Erste[id].An) return true;
    const int32_t oben = ObererGrafik();
    if (oben < 0) return true;
    if (id != 7 && id != 8) AktivesFenster = oben;
    if (weiter) {
        SendMessageA(HAUPTDATEN.GrafikHandles[oben], WM_COMMAND, static_cast<WPARAM>(id), 0);
    } else {
        SendMessageA(HAUPTDATEN.Hauptfenster, WM_COMMAND, id == KNOPF_QUICK ? 835 : 614, 0);
    }
    return true;
}

void button_leiste::BoxGeaendert(int32_t id)
{
    HWND box = Boxen[id - 101];
    const LRESULT wahl = SendMessageA(box, CB_GETCURSEL, 0, 0);
    const int32_t oben = ObererGrafik();
    if (id == BOX_GROESSE) {
        const std::vector<int32_t> groessen = SchriftGroessen();
        if (oben < 0 || wahl < 0 || wahl >= static_cast<LRESULT>(groessen.size())) {
            // Without a window the box shows the size in use.
            const int32_t jetzt = GroessenPosition(HAUPTDATEN.Schrifthoehen[0]);
            SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(jetzt >= 0 ? jetzt : 12), 0);
            return;
        }
        const int32_t n = groessen[static_cast<size_t>(wahl)];
        grafik_fenster& g = GrafikFenster[oben];
        HAUPTDATEN.Schrifthoehen[0] = g.Paintinfo.AxisFontHeight = n;
        HAUPTDATEN.Schriftbreiten[0] = g.Paintinfo.AxisFontWidth = (n - 2) / 2;
        g.CreateFonts();
        NachAenderung(oben);
        return;
    }
    if (oben < 0 || wahl < 0) return;
    grafik_fenster& g = GrafikFenster[oben];
    if (id == BOX_X_SPALTE || id == BOX_Y_SPALTE) {
        const bool x = id == BOX_X_SPALTE;
        const std::vector<int32_t> spalten =
            SpaltenAusListe(x ? g.DateiInfo.XSpalten : g.DateiInfo.AlleSpalten, SPALTEN_LISTE);
        if (wahl >= static_cast<LRESULT>(spalten.size())) return;
        (x ? g.DateiInfo.XSpalte : g.DateiInfo.YSpalte) = spalten[static_cast<size_t>(wahl)];
        std::memset(HAUPTDATEN.DialogWerte, 0, 6 * sizeof HAUPTDATEN.DialogWerte[0]);
        HAUPTDATEN.DialogWerte[0] = 1.0;
        AktivesFenster = oben;
        SendMessageA(HAUPTDATEN.Hauptfenster, WM_COMMAND, 604, LP_SPALTENBOX);
        NachAenderung(oben);
        return;
    }
    char text[TEXT_ZEICHEN + 1] = "";
    const LRESULT laenge = SendMessageA(box, CB_GETLBTEXTLEN, static_cast<WPARAM>(wahl), 0);
    if (laenge == CB_ERR) return;
    if (laenge <= TEXT_ZEICHEN) {
        SendMessageA(box, CB_GETLBTEXT, static_cast<WPARAM>(wahl), reinterpret_cast<LPARAM>(text));
    } else {
        std::string lang(static_cast<size_t>(laenge) + 1, '\0');
        SendMessageA(box, CB_GETLBTEXT, static_cast<WPARAM>(wahl), reinterpret_cast<LPARAM>(&lang[0]));
        std::memcpy(text, lang.data(), TEXT_ZEICHEN);
    }
    const int32_t s = g.AktuellerSlot();
    char* ziel = id == BOX_X_TEXT ? g.XText[s] : id == BOX_Y_TEXT ? g.YText[s] : g.ZText[s];
    std::snprintf(ziel, GRAFIK_TEXT, "%s", text);
    NachAenderung(oben);
}

void button_leiste::SchriftWaehlen()
{
    FONT_DATEN& f = HAUPTDATEN.FontDaten[0];
    LOGFONTA lf{};
    const LRESULT wahl = SendMessageA(Boxen[BOX_GROESSE - 101], CB_GETCURSEL, 0, 0);
    const std::vector<int32_t> groessen = SchriftGroessen();
    const int32_t groesse = wahl >= 0 && wahl < static_cast<LRESULT>(groessen.size())
                                ? groessen[static_cast<size_t>(wahl)] : HAUPTDATEN.Schrifthoehen[0];
    lf.lfHeight = groesse + 6;
    lf.lfWeight = f.Gewicht;
    lf.lfItalic = static_cast<BYTE>(f.Kursiv);
    lf.lfUnderline = static_cast<BYTE>(f.Unterstrichen);
    lf.lfStrikeOut = f.Durchgestrichen;
    lf.lfCharSet = f.Zeichensatz;
    lf.lfOutPrecision = f.Ausgabe;
    lf.lfClipPrecision = f.Clip;
    lf.lfQuality = f.Qualitaet;
    lf.lfPitchAndFamily = static_cast<BYTE>(f.PitchFamilie);
    std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", f.Schrift);
    CHOOSEFONTA cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = Fenster;
    cf.lpLogFont = &lf;
    cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    if (!SchriftDialog(&cf)) return;
    for (FONT_DATEN& d : HAUPTDATEN.FontDaten) {
        d.Gewicht = lf.lfWeight;
        d.Kursiv = lf.lfItalic;
        d.Unterstrichen = lf.lfUnderline;
        d.Durchgestrichen = lf.lfStrikeOut;
        d.Zeichensatz = lf.lfCharSet;
        std::snprintf(d.Schrift, sizeof d.Schrift, "%s", lf.lfFaceName);
    }
    const int32_t oben = ObererGrafik();
    if (oben >= 0) GrafikFenster[oben].CreateFonts();
    NachAenderung(oben);
}

LRESULT button_leiste::OnCommand()
{
    const int32_t id = Meldungsblock.Befehl;
    if (id >= 101 && id <= 106) {
        if (Meldungsblock.Notiz == CBN_SELCHANGE) BoxGeaendert(id);
        return 1;
    }
    if (Knopfbefehl(id)) return 1;
    switch (id) {
    case KNOPF_PLAY:
        Abspielen();
        break;
    case KNOPF_REC:
        MakroSaveAs();
        break;
    case 18:
        ShowWindow(Fenster, SW_HIDE);
        break;
    case KNOPF_SCHRIFT:
        SchriftWaehlen();
        break;
    case 2002: {
        const int32_t knopf = LOWORD(Meldungsblock.lParam);
        const int32_t an = HIWORD(Meldungsblock.lParam) ? 1 : 0;
        if (knopf >= 1 && knopf <= ERSTE_REIHE_ANZAHL && Erste[knopf].An != an) {
            Erste[knopf].An = an;
            if (Erste[knopf].Fenster) EnableWindow(Erste[knopf].Fenster, an);
        }
        if (knopf >= 1 && knopf <= ERSTE_REIHE_ANZAHL) KnopfAn[knopf] = an;
        break;
    }
    case 2004: {
        RECT r{};
        if (HAUPTDATEN.Hauptfenster) GetClientRect(HAUPTDATEN.Hauptfenster, &r);
        MoveWindow(Fenster, 0, 0, r.right, 2 * HAUPTDATEN.ButtonZeilenHoehe + 6, TRUE);
        ShowWindow(Fenster, SW_SHOW);
        InvalidateRect(Fenster, nullptr, TRUE);
        break;
    }
    default:
        break;
    }
    return 1;
}

void button_leiste::KnopfZeichnen(int32_t nummer)
{
    if (nummer < 1 || nummer > ERSTE_REIHE_ANZAHL || !Erste[nummer].Fenster) return;
    InvalidateRect(Erste[nummer].Fenster, nullptr, FALSE);
    UpdateWindow(Erste[nummer].Fenster);
}

void button_leiste::TexteNeu()
{
    if (!Fenster) return;
    FillComboFromList(Boxen[BOX_X_TEXT - 101], HAUPTDATEN.XTextListe, "X");
    FillComboFromList(Boxen[BOX_Y_TEXT - 101], HAUPTDATEN.YTextListe, "Y");
    FillComboFromList(Boxen[BOX_Z_TEXT - 101], HAUPTDATEN.YTextListe, "Z");
    FensterZeigen(AktivesFenster);
}

void button_leiste::FensterZeigen(int32_t fenster)
{
    if (!Fenster || fenster < 0 || fenster > 3 || !HAUPTDATEN.GrafikHandles[fenster]) return;
    grafik_fenster& g = GrafikFenster[fenster];
    SpaltenFuellen(Boxen[BOX_X_SPALTE - 101], g.DateiInfo.XSpalten, g.DateiInfo.XSpalte, true);
    SpaltenFuellen(Boxen[BOX_Y_SPALTE - 101], g.DateiInfo.AlleSpalten, g.DateiInfo.YSpalte, false);
    const int32_t s = g.AktuellerSlot();
    TextZeigen(Boxen[BOX_X_TEXT - 101], HAUPTDATEN.XTextListe, "X", g.XText[s]);
    TextZeigen(Boxen[BOX_Y_TEXT - 101], HAUPTDATEN.YTextListe, "Y", g.YText[s]);
    if (g.ZText[s][0]) Waehle(Boxen[BOX_Z_TEXT - 101], g.ZText[s]);
}
