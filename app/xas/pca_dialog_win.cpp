// The principal component analysis dialog PCANALYSIS and XAFS command 851:
// lists of inputs, components, weights, residuals and indicator values,
// seven views drawn into the preview, the reconstruction with chosen
// components, target transformation and the real concentrations of the
// accepted target factors. The numbers and files come from pca_core.cpp
// through DoPcAnalysis; the views' data from PcaAnsicht.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/dialog_plot_win.h"
#include "spectra/file_commands.h"
#include "spectra/file_commands_win.h"
#include "spectra/spectra_globals.h"
#include "xas/pca_analysis_win.h"
#include "xas/pca_dialog_win.h"
#include "xas/xas_entries.h"
#include "vantor.h"

PCA_DATEIWAHL PcaTestWahl = FileDialog;

namespace {

const COLORREF BLAU = RGB(0, 0, 255);

// The dialog's state while it is open.
struct PcaDialogZustand {
    HWND dlg = nullptr;
    int32_t Eingaben = 0;                 // result of the last full analysis
    double Flags[100] = {};               // 1.0: component used for the reconstruction
    int32_t KonzentrationenBerechnet = -1;
    std::string TestPfad, TestTitel;
    HWND Vorschau = nullptr;              // null until the first analysis has finished
    double Unten = 0.0, Oben = 0.0;       // borders of the last view
    int32_t Ansicht = -1;                 // last view drawn
    PcaAnsichtDaten Daten;                // its curves
    double Residuen[PCA_LISTE] = {}, Indikator[PCA_LISTE] = {};
};

PcaDialogZustand* Z = nullptr;

std::string DatenOrdner()
{
    std::string o = HAUPTDATEN.DatenOrdner ? HAUPTDATEN.DatenOrdner : "";
    if (!o.empty() && o.back() != '\\' && o.back() != '/') o += '\\';
    return o;
}

grafik_fenster* Fenster()
{
    return AktivesFenster >= 0 && AktivesFenster < 4 ? &GrafikFenster[AktivesFenster] : nullptr;
}

HWND Item(int id) { return GetDlgItem(Z->dlg, id); }
void An(int id, bool an) { EnableWindow(Item(id), an ? TRUE : FALSE); }
bool Gecheckt(int id) { return IsDlgButtonChecked(Z->dlg, id) == BST_CHECKED; }
void Check(int id, bool an) { CheckDlgButton(Z->dlg, id, an ? BST_CHECKED : BST_UNCHECKED); }
LRESULT Liste(int id, UINT msg, WPARAM w = 0, LPARAM l = 0) { return SendDlgItemMessageA(Z->dlg, id, msg, w, l); }

void Zeile(int id, const char* format, double v)
{
    char t[60];
    std::snprintf(t, sizeof t, format, v);
    Liste(id, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
}

int32_t Nummer()
{
    char t[20] = "";
    GetDlgItemTextA(Z->dlg, IDC_PCA_NUMMER, t, sizeof t);
    return std::atoi(t);
}

void Ansicht(int32_t v) { PostMessageA(Z->dlg, WM_COMMAND, CM_PCA_ANSICHT, v); }

// The selection of list 110 from the component flags.
void AuswahlAusFlags()
{
    const int32_t n = static_cast<int32_t>(Liste(IDC_PCA_KOMPONENTENLISTE, LB_GETCOUNT));
    for (int32_t i = 0; i < n && i < 100; ++i)
        Liste(IDC_PCA_KOMPONENTENLISTE, LB_SETSEL, Z->Flags[i] > 0.0 ? TRUE : FALSE, i);
}

void NurErste(int32_t anzahl)
{
    Liste(IDC_PCA_KOMPONENTENLISTE, LB_SETSEL, FALSE, -1);
    for (int32_t i = 0; i < anzahl; ++i) Liste(IDC_PCA_KOMPONENTENLISTE, LB_SETSEL, TRUE, i);
}

int32_t ErsteAuswahl()
{
    const int32_t n = static_cast<int32_t>(Liste(IDC_PCA_KOMPONENTENLISTE, LB_GETCOUNT));
    for (int32_t i = 0; i < n; ++i)
        if (Liste(IDC_PCA_KOMPONENTENLISTE, LB_GETSEL, i) > 0) return i + 1;
    return 1;
}

void RadiosAus()
{
    for (int id : {IDC_PCA_REKON_ANSICHT, IDC_PCA_RESIDUEN, IDC_PCA_KOMPONENTEN, IDC_PCA_KONZENTRATIONEN,
                   IDC_PCA_GRUPPE, IDC_PCA_TARGET, IDC_PCA_REAL})
        Check(id, false);
}

void ListenLeeren()
{
    for (int id : {IDC_PCA_FAKTOREN, IDC_PCA_EINGABEN, IDC_PCA_KOMPONENTENLISTE, IDC_PCA_GEWICHTE,
                   IDC_PCA_RESIDUENLISTE, IDC_PCA_INDIKATOR})
        Liste(id, LB_RESETCONTENT);
}

// A new target list: the concentrations must be computed again.
void ZielListeNeu()
{
    Check(IDC_PCA_REAL, false);
    An(IDC_PCA_REAL, false);
    Liste(IDC_PCA_FAKTOREN, LB_RESETCONTENT);
    Z->KonzentrationenBerechnet = -1;
}

// Command 37: the full analysis with a new choice of inputs.
void Analyse()
{
    const int32_t c = DoPcAnalysis(1, Z->Residuen, Z->Indikator, Fenster(), Z->dlg);
    if (c == 0) {
        PostMessageA(Z->dlg, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    ListenLeeren();
    Z->Eingaben = c;
    if (c < 0) {
        Z->Vorschau = nullptr;
        return;
    }
    std::fill(std::begin(Z->Flags), std::end(Z->Flags), 0.0);
    if (std::FILE* f = std::fopen((DatenOrdner() + "new_weights.dat").c_str(), "r")) {
        char zeile[100];
        for (int32_t i = 0; i < c && std::fgets(zeile, sizeof zeile, f); ++i) Z->Flags[i] = std::atoi(zeile);
        std::fclose(f);
    }
    for (int32_t i = 0; i < c && i < static_cast<int32_t>(PcaEingaben.size()); ++i) {
        Liste(IDC_PCA_EINGABEN, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(PcaEingaben[i].Name));
        char t[40];
        std::snprintf(t, sizeof t, "  Component #%2d", static_cast<int>(i + 1));
        Liste(IDC_PCA_KOMPONENTENLISTE, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
        Zeile(IDC_PCA_GEWICHTE, "%.4G", PcaEingaben[i].Gewicht);
        Zeile(IDC_PCA_RESIDUENLISTE, "%.2G", Z->Residuen[i]);
        Zeile(IDC_PCA_INDIKATOR, "%.4G", Z->Indikator[i]);
    }
    AuswahlAusFlags();
    ZielListeNeu();
    SetDlgItemTextA(Z->dlg, IDC_PCA_NUMMER, "1");
    RadiosAus();
    Check(IDC_PCA_REKON_ANSICHT, true);
    An(IDC_PCA_REKONSTRUIEREN, true);
    An(IDC_PCA_SCROLL, true);
    Z->Vorschau = Item(IDC_PCA_VORSCHAU);
    Ansicht(0);
}

// Button 201: reconstruction with the selected components.
void Rekonstruieren()
{
    std::vector<int32_t> flags;
    for (int32_t i = 0; i < Z->Eingaben && i < 100; ++i) {
        Z->Flags[i] = Liste(IDC_PCA_KOMPONENTENLISTE, LB_GETSEL, i) > 0 ? 1.0 : 0.0;
        flags.push_back(static_cast<int32_t>(Z->Flags[i] + 0.2));
    }
    if (!PcaSchreibeFlags(DatenOrdner(), flags)) {
        MeldungsBox(Z->dlg, "The results could not be written to the data folder!", "Error!",
                    MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (DoPcAnalysis(10, Z->Residuen, Z->Indikator, Fenster(), Z->dlg) > 0) {
        Liste(IDC_PCA_RESIDUENLISTE, LB_RESETCONTENT);
        for (int32_t i = 0; i < Z->Eingaben; ++i) Zeile(IDC_PCA_RESIDUENLISTE, "%.2G", Z->Residuen[i]);
    }
    SetDlgItemTextA(Z->dlg, IDC_PCA_NUMMER, "1");
    RadiosAus();
    Check(IDC_PCA_REKON_ANSICHT, true);
    ZielListeNeu();
    Ansicht(0);
}

bool TestWaehlen()
{
    char pfad[DATEI_NAME_PUFFER] = "", titel[DATEI_TITEL_PUFFER] = "";
    if (!PcaTestWahl(Z->dlg, pfad, titel, 100, 1) || !pfad[0]) return false;
    Z->TestPfad = pfad;
    Z->TestTitel = titel[0] ? titel : pfad;
    SetDlgItemTextA(Z->dlg, IDC_PCA_TESTNAME, Z->TestTitel.c_str());
    return true;
}

// Radio 553: the target transformation of the test file.
void Zieltransformation()
{
    if (!Gecheckt(IDC_PCA_TARGET)) {
        An(IDC_PCA_ANNEHMEN, false);
        return;
    }
    AuswahlAusFlags();
    if (Z->TestPfad.empty() && !TestWaehlen()) return;
    An(IDC_PCA_SCROLL, false);
    An(IDC_PCA_REKONSTRUIEREN, false);
    if (CommandText) std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", Z->TestPfad.c_str());
    // A target that was not transformed cannot be accepted: the test files
    // still hold the one before.
    An(IDC_PCA_ANNEHMEN, false);
    const int32_t r = DoPcAnalysis(-1, Z->Residuen, Z->Indikator, Fenster(), Z->dlg);
    if (r <= 0) return;
    An(IDC_PCA_ANNEHMEN, true);
    Ansicht(2);
}

// Button 650: the transformed target becomes target factor t.
void Annehmen()
{
    const LRESULT t = Liste(IDC_PCA_FAKTOREN, LB_GETCOUNT);
    if (t >= Liste(IDC_PCA_KOMPONENTENLISTE, LB_GETSELCOUNT)) return;
    char name[DATEI_NAME_PUFFER];
    std::snprintf(name, sizeof name, "%sfactor_%d.pca", DatenOrdner().c_str(), static_cast<int>(t + 1));
    std::FILE* q = std::fopen((DatenOrdner() + "A_PCA_Test_Prime.pca").c_str(), "r");
    std::FILE* z = q ? std::fopen(name, "w") : nullptr;
    bool ok = q && z;
    if (ok) {
        char zeile[200];
        for (int i = 0; i < PCA_GITTERPUNKTE && std::fgets(zeile, sizeof zeile, q); ++i) std::fputs(zeile, z);
    }
    if (q) std::fclose(q);
    if (z) ok = std::fclose(z) == 0 && ok;
    if (!ok) {
        MeldungsBox(Z->dlg, "The target factor could not be written to the data folder!", "Error!",
                    MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    char titel[51];
    std::snprintf(titel, sizeof titel, "%s", Z->TestTitel.c_str());
    Liste(IDC_PCA_FAKTOREN, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(titel));
    An(IDC_PCA_REAL, true);
    Z->KonzentrationenBerechnet = -1;
    An(IDC_PCA_REKONSTRUIEREN, false);
    An(IDC_PCA_SCROLL, false);
}

// Radio 300: the concentrations of the accepted target factors.
void Konzentrationen()
{
    AuswahlAusFlags();
    An(IDC_PCA_REKONSTRUIEREN, false);
    An(IDC_PCA_SCROLL, false);
    if (Z->KonzentrationenBerechnet < 0) {
        const int32_t m = static_cast<int32_t>(Liste(IDC_PCA_FAKTOREN, LB_GETCOUNT));
        int32_t fehler = 0;
        const int32_t r = PcaTargetReconstruction(DatenOrdner(), Z->Eingaben, m, fehler);
        if (r != PCA_KONZ_OK) {
            char text[200];
            if (r == PCA_KONZ_FEHLT)
                std::snprintf(text, sizeof text, "Target factor #%d (\"factor_%d.pca\") is missing!",
                              static_cast<int>(fehler), static_cast<int>(fehler));
            else if (r == PCA_KONZ_RANG)
                std::snprintf(text, sizeof text, "The target factors are linearly dependent!\r\n"
                                                 "No concentrations computed.");
            else
                std::snprintf(text, sizeof text, "The concentrations could not be computed!");
            MeldungsBox(Z->dlg, text, "Error!", MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        Z->KonzentrationenBerechnet = 1;
    }
    Ansicht(7);
}

// An extra curve over the last frame, in a colour and a plot style.
void Ueberlagern(std::vector<double>& x, std::vector<double>& y, COLORREF farbe, int32_t stil)
{
    const int32_t n = static_cast<int32_t>(std::min(x.size(), y.size()));
    if (n < 1 || !Z->Vorschau) return;
    HDC dc = GetDC(Z->Vorschau);
    const COLORREF altFarbe = Plotter.PlotColor;
    const int altStil = Plotter.PlotStyle;
    Plotter.PlotColor = farbe;
    if (stil) Plotter.PlotStyle = stil;
    Plotter.SetFieldFunction(x.data(), y.data(), nullptr, nullptr, n);
    Plotter.PlotFieldFunction(dc, 1, 0, 0, n - 1);
    Plotter.PlotColor = altFarbe;
    Plotter.PlotStyle = altStil;
    ReleaseDC(Z->Vorschau, dc);
}

// The window's curve with the remembered borders, and the overlays.
void Zeichnen(bool mitUeberlagerung)
{
    grafik_fenster* g = Fenster();
    if (!g || !Z->Vorschau) return;
    PcaAnsichtDaten& a = Z->Daten;
    const int32_t altFest = g->FesterBereich;
    if (a.Fest) {
        g->FesterBereich = 1;
        g->Zoom.FestX[0] = a.FestX[0], g->Zoom.FestX[1] = a.FestX[1];
        g->Zoom.FestY[0] = a.FestY[0], g->Zoom.FestY[1] = a.FestY[1];
    }
    PlotIntoDialog(Z->Vorschau, Z->Oben, Z->Unten, 0, PANE_GANZ);
    g->FesterBereich = altFest;
    if (mitUeberlagerung) {
        Ueberlagern(a.ux, a.uy, BLAU, a.Stil);
        for (size_t t = 0; t < a.weitereY.size(); ++t)
            Ueberlagern(a.x, a.weitereY[t], HAUPTDATEN.Farbpalette[(t + 1) % 10], 0);
    }
    const int32_t s = g->AktuellerSlot();
    Plotter.SetFieldFunction(g->XFeld[s], g->YFeld[s], nullptr, nullptr, g->Punkte());
}

// Command 533: view v into the window's slot and the preview.
void ZeigeAnsicht(int32_t v)
{
    grafik_fenster* g = Fenster();
    if (!g || !Z->Vorschau) return;
    int32_t s = 1;
    if (v == 0) s = Nummer();
    else if (v == 1 || v == 6) s = ErsteAuswahl();
    const std::vector<double> residuen(Z->Residuen, Z->Residuen + std::max<int32_t>(Z->Eingaben, 0));
    const int32_t faktoren = static_cast<int32_t>(Liste(IDC_PCA_FAKTOREN, LB_GETCOUNT));
    PcaAnsichtDaten a;
    // A missing result file leaves the picture as it was.
    if (!PcaAnsicht(DatenOrdner(), v, s, PcaEingaben, residuen, faktoren, a)) return;
    const int32_t n = static_cast<int32_t>(a.x.size());
    if (n < 1 || a.y.size() != a.x.size()) return;
    if (n > g->FeldGroesse() && g->ResizeFelder(n) == 0) return;
    const int32_t slot = g->AktuellerSlot();
    std::copy(a.x.begin(), a.x.end(), g->XFeld[slot]);
    std::copy(a.y.begin(), a.y.end(), g->YFeld[slot]);
    g->DateiInfo.PunkteProKurve[slot] = n;
    // Scores of the group plot need not rise; the borders then span them.
    if (!g->SetFullBorder()) {
        g->Grenzen[0] = *std::max_element(a.x.begin(), a.x.end());
        g->Grenzen[1] = *std::min_element(a.x.begin(), a.x.end());
    }
    Z->Oben = g->Grenzen[0];
    Z->Unten = g->Grenzen[1];
    g->Paintinfo.BarBrush = 0;
    Z->Daten = a;
    Z->Ansicht = v;
    Zeichnen(true);
    Z->Daten.Fest = false;
}

void Ende(int32_t ergebnis)
{
    EndDialog(Z->dlg, ergebnis);
}

INT_PTR CALLBACK PcAnalysisDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        Z->dlg = dlg;
        CenterDialog(dlg);
        Liste(IDC_PCA_FAKTOREN, LB_RESETCONTENT);
        An(IDC_PCA_REAL, false);
        PostMessageA(dlg, WM_COMMAND, IDC_PCA_DATEIEN, 0);
        return TRUE;
    case WM_PAINT:
        if (Z->Vorschau) {
            PAINTSTRUCT ps;
            BeginPaint(dlg, &ps);
            EndPaint(dlg, &ps);
            Zeichnen(Gecheckt(IDC_PCA_REKON_ANSICHT) || Gecheckt(IDC_PCA_TARGET));
            return TRUE;
        }
        return FALSE;
    case WM_VSCROLL:
        if (reinterpret_cast<HWND>(lParam) == Item(IDC_PCA_SCROLL)) {
            int32_t s = Nummer();
            if (LOWORD(wParam) == SB_LINEUP && s < Z->Eingaben) ++s;
            else if (LOWORD(wParam) == SB_LINEDOWN && s >= 2) --s;
            SetDlgItemInt(dlg, IDC_PCA_NUMMER, static_cast<UINT>(s), FALSE);
            Ansicht(0);
        }
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_PCA_DATEIEN: Analyse(); return FALSE;
        case IDC_PCA_REKON_ANSICHT:
            An(IDC_PCA_REKONSTRUIEREN, true);
            An(IDC_PCA_SCROLL, true);
            SetDlgItemTextA(dlg, IDC_PCA_NUMMER, "1");
            AuswahlAusFlags();
            Ansicht(0);
            return FALSE;
        case IDC_PCA_KOMPONENTEN:
        case IDC_PCA_KONZENTRATIONEN:
        case IDC_PCA_GRUPPE: {
            const int id = LOWORD(wParam);
            An(IDC_PCA_SCROLL, false);
            An(IDC_PCA_REKONSTRUIEREN, false);
            NurErste(id == IDC_PCA_GRUPPE ? 2 : 1);
            SetDlgItemTextA(dlg, IDC_PCA_NUMMER, " ");
            Ansicht(id == IDC_PCA_KOMPONENTEN ? 1 : id == IDC_PCA_KONZENTRATIONEN ? 6 : 3);
            return FALSE;
        }
        case IDC_PCA_RESIDUEN:
            AuswahlAusFlags();
            An(IDC_PCA_REKONSTRUIEREN, false);
            An(IDC_PCA_SCROLL, false);
            SetDlgItemTextA(dlg, IDC_PCA_NUMMER, "1");
            Ansicht(5);
            return FALSE;
        case IDC_PCA_KOMPONENTENLISTE:
            if (HIWORD(wParam) != LBN_SELCHANGE) return FALSE;
            if (Gecheckt(IDC_PCA_KOMPONENTEN)) Ansicht(1);
            else if (Gecheckt(IDC_PCA_KONZENTRATIONEN)) Ansicht(6);
            else if (Gecheckt(IDC_PCA_RESIDUEN) || Gecheckt(IDC_PCA_TARGET) || Gecheckt(IDC_PCA_REAL)) {
                RadiosAus();
                Check(IDC_PCA_REKON_ANSICHT, true);
                PostMessageA(dlg, WM_COMMAND, IDC_PCA_REKON_ANSICHT, 0);
            }
            return FALSE;
        case IDC_PCA_REKONSTRUIEREN: Rekonstruieren(); return FALSE;
        case IDC_PCA_TARGET: Zieltransformation(); return FALSE;
        case IDC_PCA_TESTDATEI:
            if (TestWaehlen() && Gecheckt(IDC_PCA_TARGET)) PostMessageA(dlg, WM_COMMAND, IDC_PCA_TARGET, 0);
            return FALSE;
        case IDC_PCA_ANNEHMEN: Annehmen(); return FALSE;
        case IDC_PCA_REAL:
            if (Gecheckt(IDC_PCA_REAL)) Konzentrationen();
            return FALSE;
        case CM_PCA_ANSICHT: ZeigeAnsicht(static_cast<int32_t>(lParam)); return FALSE;
        case IDC_DLG_HELP: DialogHilfe(851); return FALSE;
        case IDOK: Ende(1); return TRUE;
        case IDCANCEL: Ende(0); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

// "temp.txt" of the data folder, lines of up to 500 characters.
void BerichtLesen()
{
    if (!CommandText) return;
    CommandText[0] = '\0';
    std::FILE* f = std::fopen((DatenOrdner() + "temp.txt").c_str(), "r");
    if (!f) return;
    size_t laenge = 0;
    char zeile[501];
    while (std::fgets(zeile, sizeof zeile, f)) {
        const size_t n = std::strlen(zeile);
        if (laenge + n + 1 > static_cast<size_t>(COMMAND_TEXT_BYTES)) break;
        std::memcpy(CommandText + laenge, zeile, n + 1);
        laenge += n;
    }
    std::fclose(f);
}

}  // namespace

int32_t PcaDialog(HWND owner)
{
    PcaDialogZustand zustand;
    Z = &zustand;
    const INT_PTR r = DialogBoxParamA(GetModuleHandleA(nullptr), "PCANALYSIS", owner, PcAnalysisDlgProc, 0);
    Z = nullptr;
    return r == 1 ? 1 : 0;
}

int32_t PcaBefehl(int32_t befehl)
{
    grafik_fenster* g = Fenster();
    if (!g || g->CutSection(0, 0.0, 0.0, 0) <= 0) return 0;
    HWND haupt = HAUPTDATEN.Hauptfenster;
    if (PcaDialog(haupt) == 1) {
        BerichtLesen();
        if (HWND e = HAUPTDATEN.KindFenster[KIND_ERGEBNIS]) SendMessageA(e, WM_COMMAND, 2001, 0);
    }
    (void)befehl;
    if (HWND w = HAUPTDATEN.GrafikHandles[AktivesFenster]) {
        if (RedrawPerMessage == 0) RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        else PostMessageA(w, WM_COMMAND, CM_REDRAW, 0);
    }
    UpdateFensterStatus();
    return 1;
}
