// Printing: the default printer, PrintGrafik in its two modes, the abort
// dialog and procedure, and the printer set-up dialog.
#include "shell/printing_win.h"

#include <winspool.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/haupt_fenster.h"
#include "shell/printing.h"
#include "shell/shell_globals.h"
#include "spectra/grafik_fenster.h"
#include "spectra/spectra_globals.h"

DRUCK_OPTIONEN DruckOptionenDialog = nullptr;

namespace {

bool Abbruch = false;
HWND AbbruchDialog = nullptr;

void Meldung(const char* text, const char* titel, UINT art)
{
    if (!MakroRunning) MeldungsBox(HAUPTDATEN.Hauptfenster, text, titel, art);
}

// The nine fonts of a printed graph.
struct DruckSchriften {
    HFONT f[9] = {};
    ~DruckSchriften()
    {
        for (HFONT h : f)
            if (h) DeleteObject(h);
    }
};

HFONT Symbol(int32_t hoehe, int32_t breite, int32_t winkel)
{
    const FONT_DATEN& f0 = HAUPTDATEN.FontDaten[0];
    return CreateFontA(hoehe, breite + 1, winkel, winkel, f0.Gewicht, static_cast<DWORD>(f0.Kursiv),
                       static_cast<DWORD>(f0.Unterstrichen), 0, SYMBOL_CHARSET, OUT_STRING_PRECIS, 0,
                       0, 16, "system");
}

int32_t Winkel(int32_t zehntel, bool hochkant)
{
    return ((hochkant ? zehntel + 900 : zehntel) % 3600 + 3600) % 3600;
}

void DruckeGrafikSeite(haupt_fenster& app, HDC dc, int32_t seitenB, int32_t seitenH, int32_t cw,
                       int32_t lh, bool interaktiv)
{
    if (AktivesFenster < 0 || AktivesFenster > 3) return;
    grafik_fenster& g = GrafikFenster[AktivesFenster];
    const bool dreiD = g.Modus3D != 0;

    Plotter.SetIsPrinting(1, 0, 0);
    g.EinstellungenBehalten = 1;
    int32_t sb[4], sh[4];
    std::copy(app.Schriftbreiten, app.Schriftbreiten + 4, sb);
    std::copy(app.Schrifthoehen, app.Schrifthoehen + 4, sh);

    const DruckFlaeche fl = BerechneDruckFlaeche(interaktiv, app.GanzeSeite != 0, app.KopierGroesse,
                                                 app.KopierBreite, app.KopierHoehe, seitenB, seitenH);
    if (fl.Hochkant) Plotter.SetFullPage(1);
    const double schirmB = app.ClientBreite > 0 ? app.ClientBreite : GetSystemMetrics(SM_CXSCREEN);
    const double schirmH = app.ClientHoehe > 0 ? app.ClientHoehe : GetSystemMetrics(SM_CYSCREEN);
    double fx = fl.Breite / schirmB;
    const double fy = fl.Hoehe / schirmH;
    const int32_t titelB = static_cast<int32_t>(sb[1] * fx), titelH = static_cast<int32_t>(sh[1] * fy);
    PAINTINFO& p = g.Paintinfo;
    const int32_t abstand[3] = {p.XAxisDistance, p.YAxisDistance, p.ZAxisDistance};
    p.XAxisDistance = static_cast<int32_t>(p.XAxisDistance * fy);
    p.YAxisDistance = static_cast<int32_t>(p.YAxisDistance * fy);
    p.ZAxisDistance = static_cast<int32_t>(p.ZAxisDistance * fy);
    Plotter.SetPaintinfo(&p);

    const DruckRand r = BerechneDruckRand(interaktiv, fl.Hochkant, g.FensterText[0] != '\0', fl.Breite,
                                          fl.Hoehe, titelB, titelH, static_cast<int32_t>(sb[0] * fx),
                                          static_cast<int32_t>(sh[0] * fy));
    fx = r.Breite / schirmB;
    int grid, achse, rahmen, daten, funktion, zeigeRahmen;
    Plotter.GetGridBreite(grid, achse, rahmen, daten, funktion, zeigeRahmen);
    Plotter.SetGridBreite(grid, static_cast<int>(achse * fx), static_cast<int>(rahmen * fx),
                          interaktiv ? static_cast<int>(daten * fx) : daten,
                          interaktiv ? static_cast<int>(funktion * fx) : funktion, zeigeRahmen);
    int kreis, dreieck, balken;
    Plotter.GetKreisRadiusTriangleHeight(kreis, dreieck, balken);

    int32_t b[4], h[4];
    for (int i = 0; i < 4; ++i) {
        b[i] = static_cast<int32_t>(sb[i] * r.Breite / schirmB);
        h[i] = static_cast<int32_t>(sh[i] * r.Hoehe / schirmH);
    }
    b[1] = titelB;
    h[1] = titelH;
    Plotter.SetScalExtent(b[0], h[0], b[3], h[3], b[2], h[2], b[1], h[1]);

    int32_t tiefe = 2700;
    if (dreiD) {
        double w = app.SchraegWinkel;
        if (w > 90.0) w += 180.0;
        tiefe = static_cast<int32_t>(w * 10.0);
    }
    const bool hk = fl.Hochkant;
    DruckSchriften s;
    const FONT_DATEN* fd = app.FontDaten;
    s.f[0] = SchriftAusDaten(fd[0], h[0], b[0], Winkel(0, hk));
    s.f[1] = SchriftAusDaten(fd[0], h[0], b[0], Winkel(900, hk));
    s.f[2] = Symbol(h[0], b[0], Winkel(0, hk));
    s.f[3] = Symbol(h[0], b[0], Winkel(900, hk));
    s.f[4] = SchriftAusDaten(fd[2], h[2], b[2], Winkel(0, hk));
    s.f[5] = SchriftAusDaten(fd[3], h[3], b[3], Winkel(0, hk));
    s.f[6] = SchriftAusDaten(fd[1], h[1], b[1], Winkel(0, hk));
    s.f[7] = SchriftAusDaten(fd[0], h[0], b[0], Winkel(tiefe, hk));
    s.f[8] = Symbol(h[0], b[0], Winkel(tiefe, hk));
    Plotter.SetFonts(s.f[0], s.f[1], s.f[2], s.f[3], s.f[4], s.f[5], s.f[6], s.f[7], s.f[8]);

    Plotter.SetKreisRadiusTriangleHeight(static_cast<int>(kreis * fx), static_cast<int>(dreieck * fx),
                                         static_cast<int>(balken * fx));
    g.PaintGrafik(dc, r.Links, r.Oben, r.Breite, r.Hoehe, cw, lh);

    // Everything back as the screen draws it.
    Plotter.SetKreisRadiusTriangleHeight(kreis, dreieck, balken);
    Plotter.SetIsPrinting(0, 0, 0);
    Plotter.SetScalExtent(sb[0], sh[0], sb[3], sh[3], sb[2], sh[2], sb[1], sh[1]);
    g.EinstellungenBehalten = 0;
    p.XAxisDistance = abstand[0];
    p.YAxisDistance = abstand[1];
    p.ZAxisDistance = abstand[2];
    Plotter.SetPaintinfo(&p);
    const HFONT* f = app.Schriften;
    Plotter.SetFonts(f[SCHRIFT_ACHSE], f[SCHRIFT_ACHSE_90], f[SCHRIFT_SYMBOL], f[SCHRIFT_SYMBOL_90],
                     f[SCHRIFT_SKALA], f[SCHRIFT_LEGENDE], f[SCHRIFT_TITEL],
                     f[dreiD ? SCHRIFT_ACHSE_SCHRAEG : SCHRIFT_ACHSE_270],
                     f[dreiD ? SCHRIFT_SYMBOL_SCHRAEG : SCHRIFT_SYMBOL_270]);
    Plotter.SetFullPage(0);
}

void DruckeTextSeiten(HDC dc, int32_t seitenH, int32_t lh, bool interaktiv)
{
    const std::vector<DruckZeile> zeilen = DruckTextSeiten(CommandText ? CommandText : "", lh, seitenH);
    int32_t seite = 0;
    for (const DruckZeile& z : zeilen) {
        if (z.Seite != seite) {
            // Without a job the first page is all there is.
            if (!interaktiv) break;
            EndPage(dc);
            StartPage(dc);
            seite = z.Seite;
        }
        TextOutA(dc, z.X, z.Y, z.Text.c_str(), static_cast<int>(z.Text.size()));
    }
}

}  // namespace

HWND DruckAbbruchDialog() { return AbbruchDialog; }

HDC GetPrinterDC()
{
    char eintrag[400] = "";
    GetProfileStringA("windows", "device", "...", eintrag, sizeof eintrag);
    std::string teile[3];
    int k = 0;
    for (const char* c = eintrag; *c && k < 3; ++c) {
        if (*c == ',') ++k;
        else teile[k] += *c;
    }
    if (teile[0].empty() || teile[1].empty() || teile[2].empty()) {
        Meldung("No printer installed !", "Error !!", MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }
    HDC dc = CreateDCA(teile[1].c_str(), teile[0].c_str(), teile[2].c_str(), nullptr);
    if (!dc) {
        const std::string text = "The printer " + teile[0] + " could not be opened.";
        Meldung(text.c_str(), "Error !!", MB_OK | MB_ICONEXCLAMATION);
    }
    return dc;
}

int32_t haupt_fenster::PrintGrafik(int32_t modus, HDC dc, int32_t seitenBreite, int32_t seitenHoehe,
                                   int32_t textBreite, int32_t zeilenHoehe, int32_t interaktiv)
{
    if (interaktiv && DruckOptionenDialog && DruckOptionenDialog(Hauptfenster) == IDCANCEL) return -1;
    if (Hauptfenster) EnableWindow(Hauptfenster, FALSE);
    std::string dokument = "Korlan/";
    if (AktivesFenster >= 0 && AktivesFenster < 4) dokument += GrafikFenster[AktivesFenster].DateiInfo.DateiName;
    int32_t ergebnis = 0;
    bool gedruckt = dc != nullptr;
    if (dc && interaktiv) {
        HilfeThema = modus;
        Abbruch = false;
        AbbruchDialog = CreateDialogA(Instanz, "ABORTPRINTING", Hauptfenster, AbortPrintingProc);
        SetAbortProc(dc, PrintAbortProc);
        DOCINFOA info{};
        info.cbSize = sizeof info;
        info.lpszDocName = dokument.c_str();
        const int start = StartDocA(dc, &info);
        if (start <= 0 || StartPage(dc) <= 0) {
            if (start > 0) AbortDoc(dc);
            if (AbbruchDialog) DestroyWindow(AbbruchDialog);
            AbbruchDialog = nullptr;
            gedruckt = false;
        }
    }
    if (gedruckt) {
        if (modus == 1) DruckeGrafikSeite(*this, dc, seitenBreite, seitenHoehe, textBreite, zeilenHoehe, interaktiv != 0);
        else if (modus == 2) DruckeTextSeiten(dc, seitenHoehe, zeilenHoehe, interaktiv != 0);
        if (interaktiv) {
            EndPage(dc);
            ergebnis = EndDoc(dc);
            if (Hauptfenster) EnableWindow(Hauptfenster, TRUE);
            if (AbbruchDialog) DestroyWindow(AbbruchDialog);
            AbbruchDialog = nullptr;
        }
    }
    if (Hauptfenster) {
        EnableWindow(Hauptfenster, TRUE);
        BringWindowToTop(Hauptfenster);
    }
    return ergebnis;
}

BOOL CALLBACK PrintAbortProc(HDC, int)
{
    if (Abbruch) return FALSE;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!AbbruchDialog || !IsDialogMessageA(AbbruchDialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return Abbruch ? FALSE : TRUE;
}

INT_PTR CALLBACK AbortPrintingProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG: {
        CenterDialog(dlg);
        char text[600];
        const int32_t w = AktivesFenster;
        if (HilfeThema == 1 && w >= 0 && w < 4)
            std::snprintf(text, sizeof text, " Graphic No.%d", GrafikFenster[w].AktuellerSlot() + 1);
        else std::snprintf(text, sizeof text, " Results");
        SetDlgItemTextA(dlg, IDC_DRUCK_WAS, text);
        SetDlgItemTextA(dlg, IDC_DRUCK_DATEI, w >= 0 && w < 4 ? GrafikFenster[w].DateiInfo.DateiName : "");
        const int32_t k = std::clamp<int32_t>(HAUPTDATEN.KopierGroesse, 0, 3);
        CheckRadioButton(dlg, IDC_DRUCK_KLEIN, IDC_DRUCK_ANDERE, IDC_DRUCK_KLEIN + k);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            Abbruch = true;
            if (HAUPTDATEN.Hauptfenster) EnableWindow(HAUPTDATEN.Hauptfenster, TRUE);
            DestroyWindow(dlg);
            AbbruchDialog = nullptr;
            return TRUE;
        }
        break;
    }
    return FALSE;
}

int32_t DruckeGrafikFenster()
{
    HDC dc = GetPrinterDC();
    if (!dc) return 0;
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    const int32_t r = HAUPTDATEN.PrintGrafik(1, dc, GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES),
                                             tm.tmAveCharWidth, tm.tmHeight + tm.tmExternalLeading, 1);
    DeleteDC(dc);
    return r;
}

int32_t DruckeErgebnisText(const char* text)
{
    HDC dc = GetPrinterDC();
    if (!dc) return 0;
    if (CommandText) std::snprintf(CommandText, std::min<int32_t>(50001, COMMAND_TEXT_BYTES), "%s", text ? text : "");
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    const int32_t r = HAUPTDATEN.PrintGrafik(2, dc, GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES),
                                             tm.tmAveCharWidth, tm.tmHeight + tm.tmExternalLeading, 1);
    DeleteDC(dc);
    return r;
}

// ---- PRINTERSETUP ----

namespace {

struct DruckerEintrag {
    std::string Name, Treiber, Anschluss;
};

struct Einrichtung {
    std::string Gewaehlt[3];           // device, driver, port of the last OK
    std::vector<BYTE> Gesichert;       // device mode of the chosen printer
    std::string GesichertFuer;         // its list entry
    std::vector<BYTE> Arbeit;          // device mode of this opening
    std::string ArbeitFuer;
    int32_t NurAnwendung = 1;
    std::vector<DruckerEintrag> Liste;
    std::string NullPort;
    std::string Gewaehlt3;             // "%s,%s,%s" of the last OK
} E;

std::string Schluessel(const DruckerEintrag& d) { return d.Name + "," + d.Treiber + "," + d.Anschluss; }

bool BaueListe()
{
    E.Liste.clear();
    char np[256] = "";
    GetProfileStringA("Windows", "NullPort", "", np, sizeof np);
    E.NullPort = np;
    DWORD bytes = 0, anzahl = 0;
    const DWORD art = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    EnumPrintersA(art, nullptr, 2, nullptr, 0, &bytes, &anzahl);
    if (bytes == 0) return false;
    std::vector<BYTE> puffer(bytes);
    if (!EnumPrintersA(art, nullptr, 2, puffer.data(), bytes, &bytes, &anzahl)) return false;
    const PRINTER_INFO_2A* p = reinterpret_cast<const PRINTER_INFO_2A*>(puffer.data());
    for (DWORD i = 0; i < anzahl; ++i) {
        if (!p[i].pPrinterName || !p[i].pDriverName) return false;
        std::string anschluesse = p[i].pPortName ? p[i].pPortName : "";
        std::size_t a = 0;
        do {
            std::size_t k = anschluesse.find(',', a);
            if (k == std::string::npos) k = anschluesse.size();
            E.Liste.push_back({p[i].pPrinterName, p[i].pDriverName, anschluesse.substr(a, k - a)});
            a = k + 1;
        } while (a < anschluesse.size());
    }
    return !E.Liste.empty();
}

int Auswahl(HWND dlg)
{
    const LRESULT i = SendDlgItemMessageA(dlg, IDC_DRUCKER_LISTE, LB_GETCURSEL, 0, 0);
    return i == LB_ERR || i >= static_cast<LRESULT>(E.Liste.size()) ? -1 : static_cast<int>(i);
}

void Knoepfe(HWND dlg, bool auswahlDa)
{
    const int i = Auswahl(dlg);
    const bool da = auswahlDa && i >= 0;
    EnableWindow(GetDlgItem(dlg, IDC_DRUCKER_NUR_ANWENDUNG), da);
    CheckDlgButton(dlg, IDC_DRUCKER_NUR_ANWENDUNG, da && E.NurAnwendung ? BST_CHECKED : BST_UNCHECKED);
    EnableWindow(GetDlgItem(dlg, IDC_DRUCKER_EINRICHTEN), da);
    EnableWindow(GetDlgItem(dlg, IDOK), i >= 0 && E.Liste[i].Anschluss != E.NullPort);
}

void Einrichten(HWND dlg)
{
    const int i = Auswahl(dlg);
    if (i < 0) return;
    const DruckerEintrag& d = E.Liste[i];
    HANDLE h = nullptr;
    if (!OpenPrinterA(const_cast<char*>(d.Name.c_str()), &h, nullptr)) return;
    char* name = const_cast<char*>(d.Name.c_str());
    const LONG groesse = DocumentPropertiesA(dlg, h, name, nullptr, nullptr, 0);
    if (groesse > 0) {
        std::vector<BYTE> neu(groesse);
        const bool mitAlt = E.ArbeitFuer == Schluessel(d) && !E.Arbeit.empty();
        DWORD modus = DM_IN_PROMPT | DM_OUT_BUFFER | (mitAlt ? DM_IN_BUFFER : 0);
        const LONG r = DocumentPropertiesA(dlg, h, name, reinterpret_cast<DEVMODEA*>(neu.data()),
                                           mitAlt ? reinterpret_cast<DEVMODEA*>(E.Arbeit.data()) : nullptr, modus);
        if (r == IDOK) {
            E.Arbeit = neu;
            E.ArbeitFuer = Schluessel(d);
            // Without "Application only" the choice becomes the printer's default.
            if (!E.NurAnwendung) {
                PRINTER_INFO_9A pi{reinterpret_cast<DEVMODEA*>(E.Arbeit.data())};
                SetPrinterA(h, 9, reinterpret_cast<BYTE*>(&pi), 0);
            }
        }
    }
    ClosePrinter(h);
}

}  // namespace

const char* GewaehlterDrucker() { return E.Gewaehlt3.c_str(); }

INT_PTR CALLBACK PrinterSetupProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG: {
        CenterDialog(dlg);
        if (!BaueListe()) {
            E.Liste.clear();
            Meldung("No Printer available !", "Error !", MB_OK | MB_ICONSTOP);
            EndDialog(dlg, 2);
            return TRUE;
        }
        int gewaehlt = -1;
        for (std::size_t i = 0; i < E.Liste.size(); ++i) {
            char zeile[600];
            std::snprintf(zeile, sizeof zeile, "%s an %s", E.Liste[i].Name.c_str(), E.Liste[i].Anschluss.c_str());
            SendDlgItemMessageA(dlg, IDC_DRUCKER_LISTE, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(zeile));
            if (E.Liste[i].Name == E.Gewaehlt[0] && E.Liste[i].Anschluss == E.Gewaehlt[2]) gewaehlt = static_cast<int>(i);
        }
        if (gewaehlt >= 0) SendDlgItemMessageA(dlg, IDC_DRUCKER_LISTE, LB_SETCURSEL, gewaehlt, 0);
        E.Arbeit = E.Gesichert;
        E.ArbeitFuer = E.GesichertFuer;
        E.NurAnwendung = 1;
        Knoepfe(dlg, false);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_DRUCKER_LISTE:
            if (HIWORD(wParam) == LBN_SELCHANGE) Knoepfe(dlg, true);
            return TRUE;
        case IDC_DRUCKER_NUR_ANWENDUNG:
            E.NurAnwendung = IsDlgButtonChecked(dlg, IDC_DRUCKER_NUR_ANWENDUNG) == BST_CHECKED;
            return TRUE;
        case IDC_DRUCKER_EINRICHTEN:
            Einrichten(dlg);
            return TRUE;
        case IDOK: {
            const int i = Auswahl(dlg);
            if (i >= 0) {
                const DruckerEintrag& d = E.Liste[i];
                if (!d.Name.empty() && !d.Treiber.empty() && !d.Anschluss.empty()) {
                    E.Gewaehlt[0] = d.Name;
                    E.Gewaehlt[1] = d.Treiber;
                    E.Gewaehlt[2] = d.Anschluss;
                    E.Gewaehlt3 = Schluessel(d);
                    if (E.ArbeitFuer == Schluessel(d)) {
                        E.Gesichert = E.Arbeit;
                        E.GesichertFuer = E.ArbeitFuer;
                    }
                }
            }
        }
            [[fallthrough]];
        case IDCANCEL:
            E.Liste.clear();
            E.Arbeit.clear();
            E.ArbeitFuer.clear();
            EndDialog(dlg, LOWORD(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}
