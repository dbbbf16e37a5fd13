// The results window's messages and commands.
#include "shell/results_window.h"

#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "fit/exafs_terms.h"
#include "fit/fit_model.h"
#include "fit/fit_run_win.h"
#include "fit/residual_view.h"
#include "fit/ss_path_report.h"
#include "resource_ids.h"
#include "shell/dispatcher.h"
#include "shell/printing_win.h"
#include "shell/shell_globals.h"
#include "spectra/file_commands_win.h"
#include "spectra/spectra_globals.h"


namespace {

const char* const MAUS_HINWEIS = "right mouse button for history/results/fit  -  cut and copy with mouse";
const size_t FIT_TEXT_GEZEIGT = 25000;
const int32_t SYS_VERBERGEN = 18;
const COLORREF RESIDUUM_FARBE = 0x008000;  // green

std::tm Jetzt()
{
    std::time_t t = std::time(nullptr);
    std::tm* lokal = std::localtime(&t);
    return lokal ? *lokal : std::tm{};
}

bool EditSichtbar(HWND edit)
{
    return edit && (GetWindowLongA(edit, GWL_STYLE) & WS_VISIBLE);
}

HWND AktiveGrafik()
{
    if (AktivesFenster < 0 || AktivesFenster > 3) return nullptr;
    return HAUPTDATEN.GrafikHandles[AktivesFenster];
}

int32_t ObereKante() { return 2 * HAUPTDATEN.ButtonZeilenHoehe + 6; }

}  // namespace

void results_fenster::LogPfad(char* ziel, size_t groesse)
{
    ProgrammDatei(ziel, groesse, "results.dat");
}

LRESULT results_fenster::Dispatch(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    SetzeMeldung(Meldungsblock, hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY && Fenster == hwnd) Fenster = nullptr;
    if (Beschaeftigt) return 0;
    switch (msg) {
    case WM_CREATE: Fenster = hwnd; return OnCreate();
    case WM_DESTROY: return OnDestroy();
    case WM_SIZE: return OnSize();
    case WM_PAINT: return OnPaint();
    case WM_MOUSEACTIVATE: return OnMouseActivate();
    case WM_GETMINMAXINFO: return OnGetMinMaxInfo();
    case WM_NCMOUSEMOVE: return 0;
    case WM_COMMAND: return OnCommand();
    case WM_SYSCOMMAND: return OnSysCommand();
    case WM_INITMENUPOPUP: PopupEinstellen(reinterpret_cast<HMENU>(wParam)); return 0;
    case WM_MOUSEMOVE: return OnMouseMove();
    case WM_LBUTTONUP: NachVorn(); return 0;
    case WM_RBUTTONUP: return OnRButtonUp();
    case WM_PARENTNOTIFY: return OnParentNotify();
    default: return 0;
    }
}

LRESULT results_fenster::OnCreate()
{
    HWND hwnd = Fenster;
    const std::tm jetzt = Jetzt();
    BegrenztKopieren(HistorieText, sizeof HistorieText, HistorieZeitZeile(jetzt).c_str());
    ErgebnisText[0] = '\0';
    Ansicht = 0;
    ErgebnisGezeigt = 0;

    // The platform's rich-edit control where it exists, else the plain one.
    // Hidden until a text is shown: command 126 then starts with the history.
    const DWORD stil = WS_CHILD | WS_HSCROLL | WS_VSCROLL | WS_BORDER | ES_MULTILINE |
                       ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL;
    HINSTANCE instanz = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE));
    RichEdit = 0;
    if (LoadLibraryA("RICHED20.DLL"))
        Edit = CreateWindowExA(0, "RichEdit20A", "", stil, 0, 0, 0, 0, hwnd,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(ID_ERGEBNIS_EDIT)), instanz, nullptr);
    if (Edit) {
        RichEdit = 1;
        SendMessageA(Edit, EM_EXLIMITTEXT, 0, static_cast<LPARAM>(ERGEBNIS_EDIT_GRENZE));
    } else {
        Edit = CreateWindowExA(0, "edit", "", stil, 0, 0, 0, 0, hwnd,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(ID_ERGEBNIS_EDIT)), instanz, nullptr);
        SendMessageA(Edit, EM_LIMITTEXT, ERGEBNIS_EDIT_GRENZE, 0);
    }
    SendMessageA(Edit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_FIXED_FONT)), 0);

    if (HMENU system = GetSystemMenu(hwnd, FALSE)) AppendMenuA(system, MF_STRING, SYS_VERBERGEN, "&Hide");
    PopupMenue = LoadMenuA(instanz, "ResultPopup");
    return 0;
}

LRESULT results_fenster::OnDestroy()
{
    if (PopupMenue) DestroyMenu(PopupMenue);
    PopupMenue = nullptr;
    RemoveModeless(Fenster);
    Edit = nullptr;
    return 0;
}

LRESULT results_fenster::OnSize()
{
    Breite = LOWORD(Meldungsblock.lParam);
    Hoehe = HIWORD(Meldungsblock.lParam);
    if (Edit) MoveWindow(Edit, 0, 0, Breite, Hoehe, TRUE);
    return 0;
}

LRESULT results_fenster::OnPaint()
{
    if (Ansicht != 1) return 0;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Fenster, &ps);
    FitDifferenzZeichnen(dc, Breite, Hoehe);
    EndPaint(Fenster, &ps);
    return 1;
}

LRESULT results_fenster::OnMouseActivate()
{
    NachVorn();
    return 0;
}

LRESULT results_fenster::OnGetMinMaxInfo()
{
    MINMAXINFO* mm = reinterpret_cast<MINMAXINFO*>(Meldungsblock.lParam);
    HWND haupt = HAUPTDATEN.Hauptfenster;
    if (!mm || !haupt) return 0;
    RECT r;
    GetClientRect(haupt, &r);
    const int oben = ObereKante();
    mm->ptMaxPosition.x = 0;
    mm->ptMaxPosition.y = oben;
    mm->ptMaxSize.x = r.right;
    mm->ptMaxSize.y = r.bottom > oben ? r.bottom - oben : 0;
    return 1;
}

LRESULT results_fenster::OnCommand()
{
    Befehl(Meldungsblock.Befehl);
    return 1;
}

LRESULT results_fenster::OnSysCommand()
{
    // Closing would destroy the one results window of the run; it hides.
    if (Meldungsblock.wParam != SYS_VERBERGEN && (Meldungsblock.wParam & 0xFFF0) != SC_CLOSE) return 0;
    Verbergen();
    return 1;
}

LRESULT results_fenster::OnMouseMove()
{
    HAUPTDATEN.StatusZeile(ID_STATUS_HELP, MAUS_HINWEIS);
    return 0;
}

LRESULT results_fenster::OnRButtonUp()
{
    POINT p;
    GetCursorPos(&p);
    Popup(p);
    return 1;
}

LRESULT results_fenster::OnParentNotify()
{
    // A right click in the text control opens the same popup.
    if (LOWORD(Meldungsblock.wParam) != WM_RBUTTONDOWN) return 0;
    POINT p;
    GetCursorPos(&p);
    Popup(p);
    return 0;
}

void results_fenster::Popup(POINT p)
{
    if (!PopupMenue) return;
    HMENU untermenue = GetSubMenu(PopupMenue, 0);
    if (!untermenue) return;
    TrackPopupMenu(untermenue, TPM_LEFTALIGN | TPM_RIGHTBUTTON, p.x, p.y, 0, Fenster, nullptr);
}

void results_fenster::PopupEinstellen(HMENU popup) const
{
    if (!popup) return;
    const UINT fit = MF_BYCOMMAND | (FitTextDa ? MF_ENABLED : MF_GRAYED);
    EnableMenuItem(popup, 120, fit);
    EnableMenuItem(popup, 121, fit);
    bool feff = false;
    if (AktivesFenster >= 0 && AktivesFenster < 4) {
        const grafik_fenster& g = GrafikFenster[AktivesFenster];
        feff = g.FunktionsTypen && g.AnzahlFunktionen > 0 && g.FunktionsTypen[0] == 25;
    }
    EnableMenuItem(popup, 807, MF_BYCOMMAND | (feff ? MF_ENABLED : MF_GRAYED));
}

void results_fenster::Zeige(const char* text, const char* titel)
{
    if (!Edit) return;
    if (Ansicht != 0) {
        Ansicht = 0;
        InvalidateRect(Fenster, nullptr, TRUE);
    }
    ShowWindow(Edit, SW_SHOW);
    SetWindowTextA(Edit, text);
    // The newest lines are at the end.
    const int n = GetWindowTextLengthA(Edit);
    SendMessageA(Edit, EM_SETSEL, n, n);
    SendMessageA(Edit, EM_SCROLLCARET, 0, 0);
    SetWindowTextA(Fenster, titel);
}

void results_fenster::HistorieAnfuegen(const char* text)
{
    const HistorieErgebnis r = HistorieAnhaengen(HistorieText, sizeof HistorieText, text, Jetzt());
    if (r.warnen)
        MeldungsBox(Fenster,
                    "After the next operation the content\r\nof the Resultswindow may exceed the \r\n"
                    "           maximum limit.",
                    "CAUTION !!", MB_OK | MB_ICONEXCLAMATION);
}

void results_fenster::NeuesErgebnis()
{
    if (RedrawPerMessage == 0 || !CommandText) return;
    BegrenztKopieren(ErgebnisText, sizeof ErgebnisText, CommandText);
    HistorieAnfuegen(CommandText);
    if (ErgebnisLog) {
        // The log holds the history's lines as the window shows them.
        char pfad[MAX_PATH + ORDNER_BYTES];
        LogPfad(pfad, sizeof pfad);
        ErgebnisDateiAnhaengen(pfad, (std::string("\r\n") + CommandText).c_str());
    }
    ErgebnisGezeigt = 1;
    if (!Fenster) return;

    // The graphic window in the left two thirds, the results in the right
    // third, between the button bar and the status fields.
    HWND haupt = HAUPTDATEN.Hauptfenster;
    RECT r{};
    if (haupt) GetClientRect(haupt, &r);
    const int oben = ObereKante();
    int hoehe = r.bottom - oben - HAUPTDATEN.StatusHoehe;
    if (hoehe < 0) hoehe = 0;
    const int links = r.right * 2 / 3;
    HWND grafik = AktiveGrafik();
    if (grafik) {
        ShowWindow(grafik, SW_RESTORE);
        MoveWindow(grafik, 0, oben, links, hoehe, TRUE);
    }
    ShowWindow(Fenster, SW_RESTORE);
    MoveWindow(Fenster, links, oben, r.right - links, hoehe, TRUE);
    ShowWindow(Fenster, SW_SHOW);
    AddModeless(Fenster);
    BringWindowToTop(Fenster);
    if (grafik) BringWindowToTop(grafik);
    Zeige(ErgebnisText, "Results");
    SetFocus(Edit);
}

void results_fenster::HistorienZeile()
{
    if (RedrawPerMessage == 0 || !CommandText) return;
    HistorieAnfuegen(CommandText);
    if (ErgebnisLog) {
        char pfad[MAX_PATH + ORDNER_BYTES];
        LogPfad(pfad, sizeof pfad);
        ErgebnisDateiAnhaengen(pfad, (std::string("\r\n") + CommandText).c_str());
    }
    if (Fenster && IsWindowVisible(Fenster) && EditSichtbar(Edit))
        Zeige(HistorieText, "Results / History");
}

void results_fenster::Verbergen()
{
    if (!Fenster) return;
    ShowWindow(Fenster, SW_HIDE);
    RemoveModeless(Fenster);
    if (HWND grafik = AktiveGrafik()) BringWindowToTop(grafik);
}

void results_fenster::NachVorn()
{
    if (!Fenster) return;
    HWND eltern = GetParent(Fenster);
    HWND vorher = eltern ? GetTopWindow(eltern) : nullptr;
    BringWindowToTop(Fenster);
    if (vorher && vorher != Fenster) {
        FlashWindow(vorher, TRUE);
        FlashWindow(vorher, FALSE);
    }
}

void results_fenster::Speichern()
{
    if (!EditSichtbar(Edit) || !CommandText) return;
    std::string text(static_cast<size_t>(GetWindowTextLengthA(Edit)) + 1, '\0');
    GetWindowTextA(Edit, &text[0], static_cast<int>(text.size()));
    BegrenztKopieren(CommandText, COMMAND_TEXT_BYTES, text.c_str(), ERGEBNIS_SPEICHERN_MAX);

    // The one path of ".ERG" files: the save command's mode 2 writes
    // CommandText as it stands.
    SpeichereDatei(&HAUPTDATEN, 2);
}

void results_fenster::Befehl(int32_t id)
{
    switch (id) {
    case CM_NEUES_ERGEBNIS:
        NeuesErgebnis();
        break;
    case CM_HISTORIENZEILE:
        HistorienZeile();
        break;
    case CM_KOPIEREN:
        if (Edit) SendMessageA(Edit, WM_COPY, 0, 0);
        break;
    case 18:
        Verbergen();
        break;
    case CM_REDRAW: {
        if (!Fenster) break;
        if (!IsWindowVisible(Fenster)) {
            RECT r{}, haupt{};
            GetWindowRect(Fenster, &r);
            if (HAUPTDATEN.Hauptfenster) GetClientRect(HAUPTDATEN.Hauptfenster, &haupt);
            int b = r.right - r.left, h = r.bottom - r.top;
            if (b <= 0 || h <= 0) {
                b = haupt.right / 3;
                h = haupt.bottom - ObereKante() - HAUPTDATEN.StatusHoehe;
            }
            MoveWindow(Fenster, 0, ObereKante(), b, h, TRUE);
            ShowWindow(Fenster, SW_SHOW);
        }
        AddModeless(Fenster);
        BringWindowToTop(Fenster);
        SetFocus(EditSichtbar(Edit) ? Edit : Fenster);
        UpdateFensterStatus();
        HilfeThema = 0;
        break;
    }
    case CM_CHANGE:
        if (HAUPTDATEN.Hauptfenster) PostMessageA(HAUPTDATEN.Hauptfenster, WM_COMMAND, CM_CHANGE, 0);
        break;
    case 111:
        Speichern();
        break;
    case 120: {
        std::string fit(FitText, strnlen(FitText, FIT_TEXT_GEZEIGT));
        Zeige(fit.c_str(), "Fit - Results");
        break;
    }
    case 121:
        Ansicht = 1;
        if (Edit) ShowWindow(Edit, SW_HIDE);
        SetWindowTextA(Fenster, "Fit - Difference");
        InvalidateRect(Fenster, nullptr, TRUE);
        break;
    case 123:
        Zeige(ErgebnisText, "Results");
        break;
    case 124:
        HistorieAnfuegen(LaengenZeile(std::strlen(HistorieText)).c_str());
        Zeige(HistorieText, "Results / History");
        break;
    case 126:
        if (!Fenster) break;
        if (!IsWindowVisible(Fenster)) Befehl(CM_REDRAW);
        BringWindowToTop(Fenster);
        if (!EditSichtbar(Edit)) PostMessageA(Fenster, WM_COMMAND, 124, 0);
        break;
    case 122:
        // The text shown is printed; what the fit-difference view should
        // print is not settled yet.
        if (EditSichtbar(Edit)) {
            std::vector<char> text(50001, '\0');
            GetWindowTextA(Edit, text.data(), static_cast<int>(text.size()));
            DruckeErgebnisText(text.data());
        } else if (Ansicht == 1) {
            NichtVerfuegbar(0, "Printing the fit-difference view", Meldungsblock.lParam);
        }
        break;
    case 807:
        FeffSsPfade();
        break;
    default:
        break;
    }
}

namespace {

// The plot settings of the graphic windows, put back when the view is done.
class PlotterGemerkt {
public:
    PlotterGemerkt()
    {
        Plotter.GetPaintinfo(&paint_);
        Plotter.GetPlotOptions(plotFarbe_, funkFarbe_, plotStift_, funkStift_, plotStil_, funkStil_, kreis_,
                               dreieck_, nurX_);
        Plotter.GetX(xText_);
        Plotter.GetY(yText_);
        x_ = Plotter.GetXField();
        y_ = Plotter.GetYField();
        Plotter.GetBorder(min_, max_);
    }
    ~PlotterGemerkt()
    {
        Plotter.SetPaintinfo(&paint_);
        Plotter.SetPlotOptions(plotFarbe_, funkFarbe_, plotStift_, funkStift_, plotStil_, funkStil_, kreis_, dreieck_,
                               nurX_);
        Plotter.SetX(xText_);
        Plotter.SetY(yText_);
        Plotter.SetFieldFunction(x_, y_, nullptr, nullptr, -1);
        Plotter.SetBorder(min_, max_);
    }
    unsigned long FunkFarbe() const { return funkFarbe_; }
    int FunkStift() const { return funkStift_; }
    int FunkStil() const { return funkStil_; }

private:
    PAINTINFO paint_;
    unsigned long plotFarbe_ = 0, funkFarbe_ = 0;
    int plotStift_ = 0, funkStift_ = 0, plotStil_ = 0, funkStil_ = 0, kreis_ = 0, dreieck_ = 0, nurX_ = 0;
    char xText_[VANTOR_LABEL_SIZE] = "", yText_[VANTOR_LABEL_SIZE] = "";
    double* x_ = nullptr;
    double* y_ = nullptr;
    double min_ = 0.0, max_ = 0.0;
};

const COLORREF DUNKELBLAU = 0x800000;
const COLORREF DUNKELROT = 0x000080;

struct KURVE {
    const std::vector<double>* x;
    const std::vector<double>* y;
    COLORREF farbe;
};

// One plot of the view: frame and axes over the range of all curves, the
// curves drawn over it in their colours.
void Teilbild(HDC dc, const PAINTINFO& paint, const RECT& r, const TEXTMETRICA& tm, const char* xText,
              const char* yText, const std::vector<KURVE>& kurven, const PlotterGemerkt& alt)
{
    if (kurven.empty()) return;
    std::vector<double> alle;
    for (const KURVE& k : kurven) alle.insert(alle.end(), k.y->begin(), k.y->end());
    double lo, hi;
    const std::vector<double>& x0 = *kurven[0].x;
    const int32_t n0 = static_cast<int32_t>(std::min(x0.size(), kurven[0].y->size()));
    if (n0 < 2 || !ResidualBereich(alle.data(), static_cast<int32_t>(alle.size()), &lo, &hi)) return;
    PAINTINFO p = paint;
    Plotter.SetPaintinfo(&p);
    Plotter.GraphDimension(r.left, r.top, r.right - r.left, r.bottom - r.top, tm.tmAveCharWidth, tm.tmHeight);
    Plotter.SetBorder(x0[0], x0[static_cast<size_t>(n0 - 1)]);
    Plotter.SetMinMax(lo, hi);
    Plotter.SetX(xText);
    Plotter.SetY(yText);
    bool rahmen = false;
    for (const KURVE& k : kurven) {
        const int32_t n = static_cast<int32_t>(std::min(k.x->size(), k.y->size()));
        if (n < 2) continue;
        Plotter.SetFieldFunction(const_cast<double*>(k.x->data()), const_cast<double*>(k.y->data()), nullptr, nullptr,
                                 n);
        Plotter.SetPlotOptions(k.farbe, alt.FunkFarbe(), 0, alt.FunkStift(), 1, alt.FunkStil(), 0, 0, 0);
        if (!rahmen) {
            if (!Plotter.PlotFrame(dc, 1, 0, 0)) return;
            rahmen = true;
        }
        Plotter.PlotFieldFunction(dc, 1, 0, 0, 0);
    }
}

bool IstExafsModell(const grafik_fenster& g)
{
    if (!g.FunktionsTypen || g.AnzahlFunktionen < 1) return false;
    int32_t t = g.FunktionsTypen[0];
    if (t > 100) t -= 100;
    return (t >= 15 && t <= 18) || t == 25;
}

std::string DatenOrdnerDatei(const char* name)
{
    std::string ordner = HAUPTDATEN.DatenOrdner ? HAUPTDATEN.DatenOrdner : "";
    if (ordner.empty()) {
        char pfad[MAX_PATH + ORDNER_BYTES];
        ProgrammDatei(pfad, sizeof pfad, name);
        return pfad;
    }
    if (ordner.back() != '\\' && ordner.back() != '/') ordner += '\\';
    return ordner + name;
}

void TextSchreiben(const std::string& pfad, const std::string& text)
{
    std::FILE* d = std::fopen(pfad.c_str(), "wt+");
    if (!d) return;
    std::fwrite(text.data(), 1, text.size(), d);
    std::fclose(d);
}

}  // namespace

bool FitDifferenzBerechnen(DIFFERENZ_ANSICHT* aus)
{
    if (!aus || AktivesFenster < 0 || AktivesFenster > 3) return false;
    grafik_fenster& g = GrafikFenster[AktivesFenster];
    const int32_t slot = g.AktuellerSlot();
    const int32_t n = g.Punkte();
    double* x = g.GetXFeld(slot);
    double* y = g.GetYFeld(slot);
    if (!x || !y || n < 2 || !Numerik.function || !IstExafsModell(g)) return false;
    // The model on the curve's x through the fit's model callback, in the
    // window's own model kind.
    FitModellLaden(g);
    const int32_t alteArt = FitModellArt;
    FitModellArt = g.ModellArt;
    std::vector<double> xs(x, x + n), modell(4 * static_cast<size_t>(n) + 2, 0.0);
    Numerik.function(0.0, 0.0, xs.data(), modell.data(), n);
    FitModellArt = alteArt;
    const bool kRaum = (g.KurvenFlags[slot] & SLOT_K_FIT) != 0;
    if (!DifferenzAnsichtBerechnen(Numerik, x, y, modell.data(), n, kRaum, ExafsOptionen.KPunkte,
                                   ExafsOptionen.RSchritt, ExafsOptionen.MaxR, aus))
        return false;
    if (kRaum) TextSchreiben(DatenOrdnerDatei("resid_c.dat"), ResidCText(x, *aus));
    TextSchreiben(DatenOrdnerDatei("resid_f.dat"), ResidFText(*aus));
    return true;
}

void results_fenster::FitDifferenzZeichnen(HDC dc, int breite, int hoehe)
{
    RECT r{0, 0, breite, hoehe};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (AktivesFenster < 0 || AktivesFenster > 3) return;
    grafik_fenster& g = GrafikFenster[AktivesFenster];
    const int32_t slot = g.AktuellerSlot();
    double* x = g.GetXFeld(slot);
    const int32_t n = g.Punkte();
    if (!x || n < 2) return;
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    const PlotterGemerkt alt;
    const std::vector<double> xs(x, x + n);

    if (!IstExafsModell(g)) {
        if (!FitDifferenzen) return;
        // The difference array holds the last fit's points (at least the
        // shared block's).
        int32_t gueltig = WORK_DOUBLES;
        if (Numerik.difference == FitDifferenzen && Numerik.anzahl > gueltig) gueltig = Numerik.anzahl;
        const int32_t nr = std::min(n, gueltig);
        const std::vector<double> residuum(FitDifferenzen, FitDifferenzen + nr);
        Teilbild(dc, g.Paintinfo, r, tm, g.XText[slot], "residual", {{&xs, &residuum, RESIDUUM_FARBE}}, alt);
        return;
    }

    // Four quadrants: the residual at the top left, the transforms or the
    // R-space curves in the other three.
    DIFFERENZ_ANSICHT a;
    if (!FitDifferenzBerechnen(&a)) return;
    const int b2 = breite / 2, h2 = hoehe / 2;
    const RECT q[4] = {{0, 0, b2, h2}, {b2, 0, breite, h2}, {0, h2, b2, hoehe}, {b2, h2, breite, hoehe}};
    Teilbild(dc, g.Paintinfo, q[0], tm, g.XText[slot], "residual", {{&xs, &a.Residuum, RESIDUUM_FARBE}}, alt);
    const char* rText = "R [A]";
    if (a.KRaum) {
        const std::vector<double>&daten = a.Kurve[0], &resid = a.Kurve[1], &modell = a.Kurve[2];
        Teilbild(dc, g.Paintinfo, q[1], tm, rText, "FT(residual)", {{&a.R, &resid, DUNKELBLAU}}, alt);
        Teilbild(dc, g.Paintinfo, q[2], tm, rText, "FT(exp. + theoret.)",
                 {{&a.R, &daten, DUNKELROT}, {&a.R, &modell, RESIDUUM_FARBE}}, alt);
        Teilbild(dc, g.Paintinfo, q[3], tm, rText, "FT (exp.+theo.+resid.)",
                 {{&a.R, &daten, DUNKELROT}, {&a.R, &resid, DUNKELBLAU}, {&a.R, &modell, RESIDUUM_FARBE}}, alt);
    } else {
        const std::vector<double>&kurve = a.Kurve[0], &modell = a.Kurve[1], &resid = a.Kurve[2];
        Teilbild(dc, g.Paintinfo, q[1], tm, rText, "FT(exp.)", {{&a.R, &kurve, DUNKELBLAU}}, alt);
        Teilbild(dc, g.Paintinfo, q[2], tm, rText, "FT(theoret.)", {{&a.R, &modell, DUNKELROT}}, alt);
        Teilbild(dc, g.Paintinfo, q[3], tm, rText, "FT (exp.+theo.+resid.)",
                 {{&a.R, &kurve, DUNKELBLAU}, {&a.R, &modell, DUNKELROT}, {&a.R, &resid, RESIDUUM_FARBE}}, alt);
    }
}

void results_fenster::FeffSsPfade()
{
    if (!CommandText) return;
    const bool feff = AktivesFenster >= 0 && AktivesFenster < 4 && [] {
        const grafik_fenster& g = GrafikFenster[AktivesFenster];
        return g.FunktionsTypen && g.AnzahlFunktionen > 1 && g.FunktionsTypen[0] == 25;
    }();
    if (!feff || !FitTextDa) {
        MeldungsBox(Fenster, "The report needs a finished fit of a FEFF model in the active window.",
                    "Feff SS paths", MB_OK | MB_ICONINFORMATION);
        return;
    }
    FitModellLaden(GrafikFenster[AktivesFenster]);
    SS_BERICHT_EINGABE e;
    e.FitText.assign(FitText, strnlen(FitText, sizeof FitText));
    e.Ergebnisse = CommandArgs;
    // The library's matrix by free-list position, rows of its own width.
    const int32_t groesste = std::max({MaxParameter, Numerik.maxParameter, Numerik.maxFitParameter, 0});
    const size_t m = static_cast<size_t>(groesste) + 10;
    std::vector<double> matrix(m * m, 0.0);
    Numerik.GetCorrelation(matrix.data());
    e.Korrelation = matrix.data();
    e.KorrelationBreite = static_cast<size_t>(std::max(Numerik.maxParameter, 0)) + 1;
    e.KorrelationWerte = matrix.size();
    e.MessTemperatur = MessTemperatur;
    e.DebyeModell = DebyeWallerModell;
    // A sigma^2 under the Debye-Waller polynomial shows the value the
    // evaluator derived from the polynomial of the path's Reff (its
    // coefficient table is not handed over: the table's polynomial of the
    // fitted distance would differ from the value that entered the fit).
    e.DwTabelle = nullptr;
    char strich[201] = "";
    LoadStringA(HAUPTDATEN.Instanz, IDS_DASH_RULE, strich, sizeof strich);
    e.Strichlinie = strich;
    e.Grenze = COMMAND_TEXT_BYTES;
    const std::string text = FeffSsBericht(e);
    std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", text.c_str());
    if (!Fenster) return;
    if (!IsWindowVisible(Fenster)) Befehl(CM_REDRAW);
    Zeige(CommandText, "Feff SS paths");
    BringWindowToTop(Fenster);
    if (Edit) SetFocus(Edit);
}

bool ResidualBereich(const double* r, int32_t n, double* lo, double* hi)
{
    if (!r || n < 1) return false;
    double a = r[0], b = r[0];
    for (int32_t i = 1; i < n; ++i) {
        if (r[i] < a) a = r[i];
        if (r[i] > b) b = r[i];
    }
    if (!(a == a) || !(b == b) || b - a > 1e300) return false;
    // A flat residual still gets a range around it.
    const double rand = b > a ? 0.05 * (b - a) : (a != 0.0 ? 0.05 * (a < 0 ? -a : a) : 1.0);
    *lo = a - rand;
    *hi = b + rand;
    return true;
}
