// ACHSEN: axis texts, their alignment and the legend placed with the mouse
// on a preview of the active graphic window. Entries placed or picked up
// change a working copy until OK.
#include "shell/axis_dialog_win.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "resource_ids.h"
#include "shell/axis_dialog.h"
#include "shell/dialog_helpers.h"
#include "shell/haupt_fenster.h"
#include "shell/macro_bar.h"
#include "shell/option_dialogs_win.h"
#include "shell/plot_dialogs_win.h"
#include "spectra/spectra_globals.h"

namespace {

const int ACHSEN_TEXT_MAX = 58;
const COLORREF VORSCHAU_GRUND = RGB(0xC0, 0xC0, 0xC0);

// Where the plotting object maps data to the preview's pixels; a graphic
// window drawn meanwhile moves it elsewhere.
struct ABBILDUNG {
    int32_t Werte[6] = {};
    double Skalen[6] = {};
    bool operator==(const ABBILDUNG& a) const
    {
        return std::memcmp(Werte, a.Werte, sizeof Werte) == 0 && std::memcmp(Skalen, a.Skalen, sizeof Skalen) == 0;
    }
};

ABBILDUNG JetzigeAbbildung()
{
    const feld_plot& p = Plotter;
    ABBILDUNG a;
    const int32_t w[6] = {p.GraphLeft, p.GraphTop, p.GraphWidth, p.GraphHeight, p.LeftMargin, 0};
    const double s[6] = {p.XMin, p.XScale, p.YZero, p.YScale, p.YMin, p.YMax};
    std::memcpy(a.Werte, w, sizeof w);
    std::memcpy(a.Skalen, s, sizeof s);
    return a;
}

struct ACHSEN_ARBEIT {
    int32_t Fenster = -1;
    LEGENDE Legende;
    std::string Anstehend;        // legend text waiting to be placed
    bool Rahmen = false;          // an inverted rectangle stands on the preview
    RECT Ecken{};
    HWND Vorschau = nullptr;
    HWND LegendenBox = nullptr;
    ABBILDUNG Abbildung;
};
ACHSEN_ARBEIT A;

grafik_fenster& Fenster()
{
    return GrafikFenster[A.Fenster];
}

// The character cell of the program's inscription (the system font's when
// the main window has not measured it).
void Zeichenzelle(int* cw, int* ch)
{
    *cw = HAUPTDATEN.ZeichenBreite;
    *ch = HAUPTDATEN.ZeichenHoehe;
    if (*cw > 0 && *ch > 0) return;
    TEXTMETRICA tm{};
    HDC dc = GetDC(A.Vorschau);
    GetTextMetricsA(dc, &tm);
    ReleaseDC(A.Vorschau, dc);
    *cw = tm.tmAveCharWidth > 0 ? tm.tmAveCharWidth : 8;
    *ch = tm.tmHeight > 0 ? tm.tmHeight : 16;
}

std::string BoxText(HWND dlg, int id, int maximal = ACHSEN_TEXT_MAX)
{
    char text[256] = "";
    GetDlgItemTextA(dlg, id, text, sizeof text);
    std::string s = text;
    if (s.size() > static_cast<std::size_t>(maximal)) s.resize(maximal);
    return s;
}

std::vector<std::string> BoxItems(HWND dlg, int id)
{
    std::vector<std::string> items;
    const LRESULT n = SendDlgItemMessageA(dlg, id, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        const LRESULT l = SendDlgItemMessageA(dlg, id, CB_GETLBTEXTLEN, i, 0);
        if (l < 0) continue;
        std::string s(static_cast<std::size_t>(l) + 1, '\0');
        SendDlgItemMessageA(dlg, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&s[0]));
        s.resize(static_cast<std::size_t>(l));
        items.push_back(s);
    }
    return items;
}

// A text box with the window's text as item 0, then the entries of a list.
void FuelleTextBox(HWND dlg, int id, const char* aktuell, const char* liste)
{
    SendDlgItemMessageA(dlg, id, CB_LIMITTEXT, ACHSEN_TEXT_MAX, 0);
    std::string t = aktuell ? aktuell : "";
    if (t.size() > static_cast<std::size_t>(ACHSEN_TEXT_MAX)) t.resize(ACHSEN_TEXT_MAX);
    SendDlgItemMessageA(dlg, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t.c_str()));
    for (const std::string& e : TextListeEintraege(liste))
        SendDlgItemMessageA(dlg, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.c_str()));
    SendDlgItemMessageA(dlg, id, CB_SETCURSEL, 0, 0);
}

int32_t GruppenWahl(HWND dlg, int erstes)
{
    for (int k = 0; k < 3; ++k)
        if (DialogKreuz(dlg, erstes + k)) return k;
    return 0;
}

void TexteUebernehmen(HWND dlg)
{
    grafik_fenster& g = Fenster();
    g.SetGrafikTexte(BoxText(dlg, IDC_ACHSEN_X).c_str(), BoxText(dlg, IDC_ACHSEN_Y).c_str(),
                     BoxText(dlg, IDC_ACHSEN_TITEL).c_str(), BoxText(dlg, IDC_ACHSEN_DRITTE).c_str());
}

void AusrichtungUebernehmen(HWND dlg)
{
    Fenster().Paintinfo.BeschriftungFlags =
        BeschriftungAusWahl(GruppenWahl(dlg, IDC_ACHSEN_X_LINKS), GruppenWahl(dlg, IDC_ACHSEN_Y_LINKS),
                            GruppenWahl(dlg, IDC_ACHSEN_TITEL_LINKS));
}

// The entries of a legend at their data points, or painted over.
void EintraegeZeichnen(HDC dc, const double* pos, const char* text, int32_t anzahl, bool loeschen)
{
    LEGENDE l;
    l.Text = text ? text : "";
    const int alterModus = SetBkMode(dc, OPAQUE);
    const COLORREF alterGrund = SetBkColor(dc, VORSCHAU_GRUND);
    for (int32_t i = 1; i <= anzahl; ++i) {
        std::string zeile = LegendenZeile(l, i);
        if (zeile.size() > 199) zeile.resize(199);
        int px = 0, py = 0;
        if (!Plotter.GetScreen(pos[2 * i - 2], pos[2 * i - 1], px, py)) continue;
        if (loeschen) {
            int cw = 0, ch = 0;
            Zeichenzelle(&cw, &ch);
            RECT r{px, py, px + cw * (static_cast<int>(zeile.size()) + 1), py + ch};
            HBRUSH b = CreateSolidBrush(VORSCHAU_GRUND);
            FillRect(dc, &r, b);
            DeleteObject(b);
        } else {
            Plotter.InscribeLegend(dc, &zeile[0], px, py);
        }
    }
    SetBkColor(dc, alterGrund);
    SetBkMode(dc, alterModus);
}

// The window's plot into dc of the preview's size, without the window's own
// legend; the plotting object then maps data to the preview.
void PlotZeichnen(HDC dc, int breite, int hoehe)
{
    RECT r{0, 0, breite, hoehe};
    HBRUSH b = CreateSolidBrush(VORSCHAU_GRUND);
    FillRect(dc, &r, b);
    DeleteObject(b);
    grafik_fenster& g = Fenster();
    const double eigene = g.LegendenAnzahl;
    g.LegendenAnzahl = 0;
    Plotter.SetPrintCap(1);
    g.PaintGrafik(dc, 0, 0, breite, hoehe, HAUPTDATEN.ZeichenBreite, HAUPTDATEN.ZeichenHoehe);
    Plotter.SetPrintCap(0);
    g.LegendenAnzahl = eigene;
    A.Abbildung = JetzigeAbbildung();
}

// Puts the plotting object's mapping back on the preview when a graphic
// window has been drawn since.
void AbbildungSichern()
{
    if (JetzigeAbbildung() == A.Abbildung || !A.Vorschau) return;
    RECT r;
    GetClientRect(A.Vorschau, &r);
    HDC schirm = GetDC(A.Vorschau);
    HDC mem = CreateCompatibleDC(schirm);
    HBITMAP bild = CreateCompatibleBitmap(schirm, r.right, r.bottom);
    HGDIOBJ alt = SelectObject(mem, bild);
    PlotZeichnen(mem, r.right, r.bottom);
    SelectObject(mem, alt);
    DeleteObject(bild);
    DeleteDC(mem);
    ReleaseDC(A.Vorschau, schirm);
}

void Rechteck(const RECT& r)
{
    HDC dc = GetDC(A.Vorschau);
    const int alt = SetROP2(dc, R2_NOT);
    HGDIOBJ pinsel = SelectObject(dc, GetStockObject(HOLLOW_BRUSH));
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
    SelectObject(dc, pinsel);
    SetROP2(dc, alt);
    ReleaseDC(A.Vorschau, dc);
}

void RahmenWeg()
{
    if (!A.Rahmen) return;
    Rechteck(A.Ecken);
    A.Rahmen = false;
}

// The mouse position of a dialog message in the preview's pixels; false
// outside the preview.
bool VorschauPunkt(HWND dlg, LPARAM lParam, POINT* p)
{
    p->x = static_cast<short>(LOWORD(lParam));
    p->y = static_cast<short>(HIWORD(lParam));
    MapWindowPoints(dlg, A.Vorschau, p, 1);
    RECT r;
    GetClientRect(A.Vorschau, &r);
    return PtInRect(&r, *p) != FALSE;
}

bool ImPlot(POINT p, double* x, double* y)
{
    double dx = 0, dy = 0;
    const int ok = Plotter.GetXYValue(x ? *x : dx, y ? *y : dy, p.x, p.y, 1, 1);
    return ok != 0;
}

void MausBewegt(HWND dlg, LPARAM lParam)
{
    POINT p;
    const bool drin = VorschauPunkt(dlg, lParam, &p);
    AbbildungSichern();
    if (!drin || A.Anstehend.empty() || !ImPlot(p, nullptr, nullptr)) {
        RahmenWeg();
        return;
    }
    RahmenWeg();
    int cw = 0, ch = 0;
    Zeichenzelle(&cw, &ch);
    RECT r{p.x, p.y, p.x + (cw + 1) * static_cast<int>(A.Anstehend.size()), p.y + ch + 1};
    if (!ImPlot(POINT{r.right, r.bottom}, nullptr, nullptr)) return;
    A.Ecken = r;
    Rechteck(r);
    A.Rahmen = true;
}

void LegendenBoxLeeren(HWND dlg)
{
    SetDlgItemTextA(dlg, IDC_ACHSEN_LEGENDE, "");
    A.Anstehend.clear();
}

void MausLos(HWND dlg, LPARAM lParam)
{
    POINT p;
    const bool drin = VorschauPunkt(dlg, lParam, &p);
    AbbildungSichern();
    double x = 0, y = 0;
    if (A.Rahmen && drin && ImPlot(p, &x, &y)) {
        RahmenWeg();
        if (A.Legende.Anzahl >= LEGENDE_MAX) {
            char text[120];
            std::snprintf(text, sizeof text, "A legend holds at most %d entries.", static_cast<int>(LEGENDE_MAX));
            MeldungsBox(dlg, text, "Caution !!", MB_OK | MB_ICONINFORMATION);
            return;
        }
        LegendeAnfuegen(A.Legende, A.Anstehend, x, y);
        // Placed texts are offered again, also at the next opening.
        if (SendDlgItemMessageA(dlg, IDC_ACHSEN_LEGENDE, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                reinterpret_cast<LPARAM>(A.Anstehend.c_str())) == CB_ERR)
            SendDlgItemMessageA(dlg, IDC_ACHSEN_LEGENDE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(A.Anstehend.c_str()));
        HDC dc = GetDC(A.Vorschau);
        EintraegeZeichnen(dc, A.Legende.Pos + 2 * (A.Legende.Anzahl - 1), (A.Anstehend + "\n").c_str(), 1, false);
        ReleaseDC(A.Vorschau, dc);
        LegendenBoxLeeren(dlg);
        return;
    }
    if (!drin) return;
    // Picking an entry up.
    int cw = 0, ch = 0;
    Zeichenzelle(&cw, &ch);
    for (int32_t i = 1; i <= A.Legende.Anzahl; ++i) {
        const std::string zeile = LegendenZeile(A.Legende, i);
        int px = 0, py = 0;
        Plotter.GetScreen(A.Legende.Pos[2 * i - 2], A.Legende.Pos[2 * i - 1], px, py);
        const RECT box{px, py, px + cw * (static_cast<int>(zeile.size()) + 1), py + ch};
        if (!(p.x > box.left && p.x < box.right && p.y > box.top && p.y < box.bottom)) continue;
        LRESULT k = SendDlgItemMessageA(dlg, IDC_ACHSEN_LEGENDE, CB_FINDSTRING, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(zeile.c_str()));
        if (k == CB_ERR)
            k = SendDlgItemMessageA(dlg, IDC_ACHSEN_LEGENDE, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(zeile.c_str()));
        SendDlgItemMessageA(dlg, IDC_ACHSEN_LEGENDE, CB_SETCURSEL, k, 0);
        SetDlgItemTextA(dlg, IDC_ACHSEN_LEGENDE, zeile.c_str());
        A.Anstehend = zeile;
        LegendeEntfernen(A.Legende, i);
        HDC dc = GetDC(A.Vorschau);
        HBRUSH b = CreateSolidBrush(VORSCHAU_GRUND);
        FillRect(dc, &box, b);
        DeleteObject(b);
        ReleaseDC(A.Vorschau, dc);
        return;
    }
}

void Oeffnen(HWND dlg)
{
    CenterDialog(dlg);
    A = ACHSEN_ARBEIT{};
    const int32_t w = AktivesFenster;
    if (w < 0 || w > 3 || !HAUPTDATEN.GrafikHandles[w]) {
        EndDialog(dlg, 0);
        return;
    }
    A.Fenster = w;
    A.Vorschau = GetDlgItem(dlg, IDC_ACHSEN_VORSCHAU);
    A.LegendenBox = GetDlgItem(dlg, IDC_ACHSEN_LEGENDE);
    grafik_fenster& g = Fenster();
    HAUPTDATEN.BearbeitetePaintinfo = &g.Paintinfo;
    const int32_t s = g.AktuellerSlot();
    FuelleTextBox(dlg, IDC_ACHSEN_X, g.XText[s], HAUPTDATEN.XTextListe);
    FuelleTextBox(dlg, IDC_ACHSEN_Y, g.YText[s], HAUPTDATEN.YTextListe);
    FuelleTextBox(dlg, IDC_ACHSEN_DRITTE, g.ZText[s], HAUPTDATEN.YTextListe);
    FuelleTextBox(dlg, IDC_ACHSEN_TITEL, g.FensterText, HAUPTDATEN.TitelListe);
    SetFocus(GetDlgItem(dlg, IDC_ACHSEN_X));
    A.Legende = LegendeLesen(g.LegendenAnzahl, g.LegendenPos, 2 * LEGENDE_ZEILEN, g.LegendenText);
    SendDlgItemMessageA(dlg, IDC_ACHSEN_LEGENDE, CB_LIMITTEXT, LEGENDE_TEXT_MAX, 0);
    // The legend texts of the last use, which OK left in CommandText.
    if (CommandText && std::strncmp(CommandText, "Legende\n", 8) == 0) {
        const char* z = CommandText + 8;
        while (*z) {
            const char* ende = std::strchr(z, '\n');
            std::string zeile(z, ende ? static_cast<std::size_t>(ende - z) : std::strlen(z));
            if (zeile.size() > 299) zeile.resize(299);
            if (!zeile.empty())
                SendDlgItemMessageA(dlg, IDC_ACHSEN_LEGENDE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(zeile.c_str()));
            if (!ende) break;
            z = ende + 1;
        }
    }
    int32_t wahl[3];
    WahlAusBeschriftung(g.Paintinfo.BeschriftungFlags, wahl);
    SetzeDialogKreuz(dlg, IDC_ACHSEN_X_LINKS + wahl[0], true);
    SetzeDialogKreuz(dlg, IDC_ACHSEN_Y_LINKS + wahl[1], true);
    SetzeDialogKreuz(dlg, IDC_ACHSEN_TITEL_LINKS + wahl[2], true);
}

void Ok(HWND dlg)
{
    haupt_fenster& app = HAUPTDATEN;
    TexteUebernehmen(dlg);
    AusrichtungUebernehmen(dlg);
    struct { int box; char* liste; bool vorne; } listen[3] = {
        {IDC_ACHSEN_X, app.XTextListe, true},
        {IDC_ACHSEN_Y, app.YTextListe, false},
        {IDC_ACHSEN_TITEL, app.TitelListe, false},
    };
    for (const auto& l : listen)
        if (l.liste) TextListeAufnehmen(BoxItems(dlg, l.box), BoxText(dlg, l.box), l.vorne, l.liste, TEXTLISTE_BYTES);
    grafik_fenster& g = Fenster();
    LegendeSchreiben(A.Legende, &g.LegendenAnzahl, g.LegendenPos, 2 * LEGENDE_ZEILEN, g.LegendenText,
                     LEGENDE_BYTES);
    const std::vector<std::string> legenden = BoxItems(dlg, IDC_ACHSEN_LEGENDE);
    if (!legenden.empty() && CommandText) {
        std::string text = "Legende\n";
        for (const std::string& e : legenden) text += e + "\n";
        std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", text.c_str());
    }
    SpeichereNumericIns();
}

}  // namespace

void DrawLegend(HWND control, const double* positions, const char* text, int32_t count, int32_t redraw)
{
    if (!control) return;
    if (redraw) {
        InvalidateRect(control, nullptr, FALSE);
        UpdateWindow(control);
        return;
    }
    if (count < 1 || !positions) return;
    AbbildungSichern();
    HDC dc = GetDC(control);
    EintraegeZeichnen(dc, positions, text, count, true);
    ReleaseDC(control, dc);
}

INT_PTR CALLBACK AchsenProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        Oeffnen(dlg);
        return FALSE;  // the focus stays on the abscissa text
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (d->CtlID != IDC_ACHSEN_VORSCHAU || A.Fenster < 0) return FALSE;
        PlotZeichnen(d->hDC, d->rcItem.right - d->rcItem.left, d->rcItem.bottom - d->rcItem.top);
        EintraegeZeichnen(d->hDC, A.Legende.Pos, A.Legende.Text.c_str(), A.Legende.Anzahl, false);
        A.Rahmen = false;
        return TRUE;
    }
    case WM_MOUSEMOVE:
        if (A.Fenster >= 0) MausBewegt(dlg, lParam);
        return TRUE;
    case WM_LBUTTONUP:
        if (A.Fenster >= 0) MausLos(dlg, lParam);
        return TRUE;
    case WM_COMMAND:
        break;
    default:
        return FALSE;
    }
    const WORD befehl = LOWORD(wParam);
    const WORD notiz = HIWORD(wParam);
    switch (befehl) {
    case IDC_ACHSEN_LEGENDE:
        if (notiz == CBN_SELCHANGE) {
            // The edit text follows the selection only after this message.
            PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_ACHSEN_LEGENDE, CBN_EDITCHANGE),
                         reinterpret_cast<LPARAM>(A.LegendenBox));
        } else if (notiz == CBN_EDITCHANGE) {
            A.Anstehend = BoxText(dlg, IDC_ACHSEN_LEGENDE, LEGENDE_TEXT_MAX);
        }
        return TRUE;
    case IDC_ACHSEN_BUENDIG:
        if (LegendeBuendig(A.Legende)) DrawLegend(A.Vorschau, A.Legende.Pos, A.Legende.Text.c_str(), A.Legende.Anzahl, 1);
        return TRUE;
    case IDC_ACHSEN_LOESCHEN:
        DrawLegend(A.Vorschau, A.Legende.Pos, A.Legende.Text.c_str(), A.Legende.Anzahl, 0);
        A.Legende = LEGENDE{};
        return TRUE;
    case IDC_ACHSEN_FONTS:
        DialogBoxParamA(ProgrammModul(), "FONTS", dlg, FontsProc, 0);
        DrawLegend(A.Vorschau, A.Legende.Pos, A.Legende.Text.c_str(), A.Legende.Anzahl, 1);
        return TRUE;
    case IDC_ACHSEN_ANWENDEN:
        TexteUebernehmen(dlg);
        DrawLegend(A.Vorschau, A.Legende.Pos, A.Legende.Text.c_str(), A.Legende.Anzahl, 1);
        return TRUE;
    case IDC_DLG_HELP:
        DialogHilfe(450);
        return TRUE;
    case IDOK:
        Ok(dlg);
        ButtonBar.TexteNeu();
        HAUPTDATEN.BearbeitetePaintinfo = nullptr;
        A.Fenster = -1;
        EndDialog(dlg, 1);
        return TRUE;
    case IDCANCEL:
        HAUPTDATEN.BearbeitetePaintinfo = nullptr;
        A.Fenster = -1;
        EndDialog(dlg, 0);
        return TRUE;
    default:
        break;
    }
    if ((befehl >= IDC_ACHSEN_X_LINKS && befehl < IDC_ACHSEN_X_LINKS + 3) ||
        (befehl >= IDC_ACHSEN_Y_LINKS && befehl < IDC_ACHSEN_Y_LINKS + 3) ||
        (befehl >= IDC_ACHSEN_TITEL_LINKS && befehl < IDC_ACHSEN_TITEL_LINKS + 3)) {
        AusrichtungUebernehmen(dlg);
        return TRUE;
    }
    return FALSE;
}

int32_t AchsenBeschriften()
{
    const int32_t w = AktivesFenster;
    if (w < 0 || w > 3 || !HAUPTDATEN.GrafikHandles[w]) return 0;
    const INT_PTR r = DialogBoxParamA(ProgrammModul(), "ACHSEN", HAUPTDATEN.Hauptfenster, AchsenProc, 0);
    PostMessageA(HAUPTDATEN.GrafikHandles[w], WM_COMMAND, CM_REDRAW, 0);
    return r > 0 ? static_cast<int32_t>(r) : 0;
}
