// The command dispatcher of the main window.
#include <cstdio>
#include <cstring>
#include <string>

#include "xrd/xrd_size_strain.h"
#include "resource_ids.h"
#include "fit/fit_choice_win.h"
#include "fit/parameter_file_win.h"
#include "fit/fit_run.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "shell/child_windows.h"
#include "shell/help_viewer_win.h"
#include "shell/axis_dialog_win.h"
#include "shell/option_dialogs_win.h"
#include "shell/plot_dialogs_win.h"
#include "shell/printing_win.h"
#include "shell/results_window.h"
#include "spectra/file_commands_win.h"
#include "spectra/foreign_files_win.h"
#include "spectra/spectrum_conversions_win.h"
#include "spectra/graphic_drawing.h"
#include "spectra/spectra_globals.h"

namespace {

void KurvenStatus(haupt_fenster& app, grafik_fenster* g);

// The manual's start page in the program folder.
const char HANDBUCH[] = "manual\\index.htm";

OPTIONEN_ZIELE OptionenZiele(haupt_fenster& app)
{
    return OPTIONEN_ZIELE{&ExafsOptionen, app.FitErneuerung, app.FitZusatz, &app.KopierGroesse,
                          &app.BinaerSpeichern, app.DateiFilter, sizeof app.DateiFilter,
                          app.DatenOrdner, app.DatenOrdner ? static_cast<size_t>(ORDNER_BYTES) : 0};
}

// The About box: OK or Cancel closes it.
INT_PTR CALLBACK AboutProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) return TRUE;
    if (msg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dlg, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

bool KindGelistet()
{
    for (HWND h : ModelessList)
        if (h) return true;
    return false;
}

HWND GrafikHandle(const haupt_fenster& app, int32_t fenster)
{
    return fenster >= 0 && fenster < 4 ? app.GrafikHandles[fenster] : nullptr;
}

}  // namespace

PROGRAMM_START ProgrammStart = WinExec;

BEFEHLS_ZIEL BefehlsZiel(int32_t id)
{
    if (id >= 501 && id <= 599) return ZIEL_NUMERIK;
    if (id >= 601 && id <= 699) return ZIEL_EDIT;
    if (id >= 801 && id <= 899) return ZIEL_XAFS;
    if (id >= 901 && id <= 999) return ZIEL_XRD;
    if (id >= 1 && id <= 450) return ZIEL_HAUPTFENSTER;
    return ZIEL_KEINER;
}

namespace {
char NichtDaText[200] = "";
}  // namespace

void NichtVerfuegbar(int32_t befehl, const char* teil)
{
    NichtVerfuegbar(befehl, teil, HAUPTDATEN.Meldungsblock.lParam);
}

void NichtVerfuegbar(int32_t befehl, const char* teil, LPARAM lParam)
{
    // The menu item's text without its mnemonic, its key and its dots.
    char eintrag[100] = "";
    const HMENU menue = HAUPTDATEN.Hauptmenue;
    if (menue && GetMenuStringA(menue, static_cast<UINT>(befehl), eintrag, sizeof eintrag, MF_BYCOMMAND) > 0) {
        std::string t;
        for (const char* c = eintrag; *c && *c != '\t'; ++c)
            if (*c != '&') t += *c;
        const size_t punkte = t.find("...");
        if (punkte != std::string::npos) t.resize(punkte);
        while (!t.empty() && t.back() == ' ') t.pop_back();
        std::snprintf(eintrag, sizeof eintrag, "\"%s\"", t.c_str());
    } else {
        std::snprintf(eintrag, sizeof eintrag, "Command %d", static_cast<int>(befehl));
        if (teil) eintrag[0] = '\0';
    }
    if (teil && eintrag[0])
        std::snprintf(NichtDaText, sizeof NichtDaText, "%s of %s is not available in this version of Korlan.",
                      teil, eintrag);
    else
        std::snprintf(NichtDaText, sizeof NichtDaText, "%s is not available in this version of Korlan.",
                      teil ? teil : eintrag);
    if (MakroRunning || lParam == LP_PREPARED) {
        FehlerCode = 1000;
        return;
    }
    MeldungsBox(HAUPTDATEN.Hauptfenster, NichtDaText, "Sorry!", MB_OK | MB_ICONINFORMATION);
}

const char* NichtVerfuegbarText() { return NichtDaText; }
void NichtVerfuegbarVergessen() { NichtDaText[0] = '\0'; }

int32_t NextModeless(HWND handle)
{
    int32_t start = -1;
    for (int32_t i = 0; i < MODELESS_COUNT; ++i)
        if (handle && ModelessList[i] == handle) start = i;
    int32_t i = start;
    for (int schritt = 0; schritt < 8; ++schritt) {
        i = (i + 1) % MODELESS_COUNT;
        HWND h = ModelessList[i];
        if (h && IsWindow(h) && !IsIconic(h)) return i;
    }
    return i;
}

int32_t BefehlsFenster(haupt_fenster* app, bool dialogWerteLeeren)
{
    HWND oben = app->Hauptfenster ? GetTopWindow(app->Hauptfenster) : nullptr;
    const int32_t fenster = MakroRunning ? AktivesFenster : app->GetFensterNummer(oben);
    // A macro may name a window that has been closed meanwhile.
    if (fenster < 0 || fenster > 3 || !app->GrafikHandles[fenster]) return -1;
    AktivesFenster = fenster;
    grafik_fenster& g = GrafikFenster[fenster];
    FitFunctionCount = g.AnzahlFunktionen;
    FitFunctionTypes = g.FunktionsTypen;
    FitParameters = g.Parameter;
    FitPolyDegree = g.PolyGrad;
    FitModellArt = g.ModellArt;
    g.HatDaten = 1;
    if (dialogWerteLeeren && app->Meldungsblock.lParam != LP_PREPARED)
        std::memset(app->DialogWerte, 0, sizeof app->DialogWerte);
    return fenster;
}

LRESULT haupt_fenster::MenueBefehl()
{
    const int32_t id = Meldungsblock.Befehl;
    const LPARAM lParam = Meldungsblock.lParam;

    switch (BefehlsZiel(id)) {
    case ZIEL_NUMERIK: NumerikBefehl(this); return 0;
    case ZIEL_EDIT: EditBefehl(this); return 0;
    case ZIEL_XAFS: XafsBefehl(this); return 0;
    case ZIEL_XRD: XrdBefehl(this); return 0;
    case ZIEL_KEINER: return 0;
    case ZIEL_HAUPTFENSTER: break;
    }

    if (id == CM_WINDOW_CLOSED) { FensterGeschlossen(); return 0; }
    if (id == 125 || id == 7) {
        if (HWND g = GrafikHandle(*this, AktivesFenster)) PostMessageA(g, WM_COMMAND, 7, 0);
        return 0;
    }

    HWND oben = GetTopWindow(Hauptfenster);
    if (id == 18) {
        if (oben) {
            if (GetFensterNummer(oben) >= 0) SendMessageA(oben, WM_CLOSE, 0, 0);
            else SendMessageA(oben, WM_SYSCOMMAND, 18, 0);
        }
        return 0;
    }
    // The target graphic window: the one the macro player chose, else the
    // graphic window on top.
    const int32_t fenster = BefehlsFenster(this, true);
    HWND grafik = GrafikHandle(*this, fenster);

    switch (id) {
    case 1:
    case 2:
        if (!grafik) break;
        if (lParam == LP_PREPARED) SendMessageA(grafik, WM_COMMAND, id, 0);
        else PostMessageA(grafik, WM_COMMAND, id, 0);
        break;
    case 3:
    case 4:
    case 5:
        if (grafik) PostMessageA(grafik, WM_COMMAND, id, 0);
        break;
    case 11:
    case 12:
        PostMessageA(KindFenster[KIND_BUTTONLEISTE], WM_COMMAND, id, 0);
        break;
    case CM_FIT_CONTINUE:
        PostMessageA(Hauptfenster, WM_COMMAND, 507, LP_CONTINUE_FIT);
        break;
    case CM_FIT_INTERRUPT:
        FitUnterbrechen();
        break;
    case CM_FIT_CANCEL:
        FitAbbrechen();
        break;
    case CM_CHANGE:
        if (KindGelistet()) {
            HWND ziel = ModelessList[NextModeless(oben)];
            if (ziel && ziel != oben && !IsIconic(ziel)) {
                HilfeThema = 100;
                PostMessageA(ziel, WM_COMMAND, CM_REDRAW, 0);
                if (ziel != KindFenster[KIND_ERGEBNIS] && CommandText2) CommandText2[0] = '\0';
            }
        }
        if (AendernDialog) SendMessageA(AendernDialog, WM_COMMAND, 2, 0);
        break;
    case CM_OPEN:
        if (AnzahlFenster >= 4) {
            MeldungsBox(Hauptfenster, "Only four windows available at a time.", "Sorry!",
                        MB_OK | MB_ICONINFORMATION);
            break;
        }
        NachOeffnen(DateiOeffnen(this, &GeoeffneteDateien), lParam);
        HilfeThema = 0;
        break;
    case 111:
        if (grafik) SpeichereDatei(this, 1, 0, 0, 0);
        break;
    case 157:
        if (!grafik || LadeMesDatei(this) != 1) break;
        if (MakroAufnahme) SendMessageA(KindFenster[KIND_BUTTONLEISTE], WM_COMMAND, 12, 0);
        if (CommandText2) CommandText2[0] = '\0';
        {
            grafik_fenster& g = GrafikFenster[fenster];
            std::strcpy(g.XText[g.AktuellerSlot()], "X");
            std::strcpy(g.YText[g.AktuellerSlot()], "Y");
            g.SetFullBorder();
        }
        UpdateFensterStatus();
        PostMessageA(grafik, WM_COMMAND, CM_REDRAW, 0);
        break;
    case 122:
        if (KindGelistet() && oben) PostMessageA(oben, WM_COMMAND, 122, 0);
        break;
    case 126:
        PostMessageA(KindFenster[KIND_ERGEBNIS], WM_COMMAND, 126, 0);
        break;
    case 155:
        // The borders come from the dialog, or prepared by the macro player.
        FunktionsGrenzen(this, fenster, lParam);
        break;
    case 135:
        FunktionWaehlen(this);
        break;
    case 136:
        HilfeThema = 100;
        ParameterDialog(this);
        HilfeThema = 0;
        if (grafik) PostMessageA(grafik, WM_COMMAND, CM_REDRAW, 0);
        break;
    case 159:
        if (KindGelistet() && oben) PostMessageA(oben, WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
        break;
    case 160:
    case 178: case 179: case 180: case 181: case 182: case 183: {
        char zeile[BROWSER_BYTES + ORDNER_BYTES + 64];
        std::snprintf(zeile, sizeof zeile, "%s %s\\%s", BrowserPfad ? BrowserPfad : "",
                      ProgrammOrdner ? ProgrammOrdner : ".", HANDBUCH);
        if (ProgrammStart(zeile, SW_SHOWNORMAL) < 32)
            MeldungsBox(Hauptfenster,
                        "Korlan could not find your Web Browser.\r\n      Please enter path in FILE-OPTIONS.",
                        "Error", MB_OK | MB_ICONQUESTION);
        break;
    }
    case CM_WRITE_OPTIONS: {
        if (fenster < 0 && lParam != LP_SILENT_OPTIONS) break;
        char pfad[MAX_PATH + ORDNER_BYTES];
        ProgrammDatei(pfad, sizeof pfad, "numeric.opt");
        std::FILE* f = std::fopen(pfad, "wt");
        if (!f) break;
        SchreibeOptionen(f, OptionenZiele(*this));
        std::fclose(f);
        break;
    }
    case CM_READ_OPTIONS: {
        if (fenster < 0 && lParam != LP_SILENT_OPTIONS) break;
        char pfad[MAX_PATH + ORDNER_BYTES];
        ProgrammDatei(pfad, sizeof pfad, "numeric.opt");
        std::FILE* f = std::fopen(pfad, "rt");
        if (!f) break;
        LeseOptionen(f, OptionenZiele(*this));
        FitZusatz[0] = FitZusatz[1] = 1;
        std::fclose(f);
        if (lParam != LP_SILENT_OPTIONS && grafik && IsWindowVisible(grafik)) {
            PostMessageA(grafik, WM_COMMAND, CM_REDRAW, 0);
            UpdateFensterStatus();
        }
        break;
    }
    case 167:
        if (KindGelistet() && oben)
            SendMessageA(oben, WM_SYSCOMMAND, IsZoomed(oben) ? SC_RESTORE : SC_MAXIMIZE, 0);
        break;
    case 168:
        if (KindGelistet() && oben) PostMessageA(oben, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        break;
    case CM_EXIT:
        PostMessageA(Hauptfenster, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case CM_HELP_GERMAN:
    case CM_HELP_ENGLISH:
        HilfeDeutsch = HilfeDeutsch ? 0 : 1;
        CheckMenuItem(Hauptmenue, CM_HELP_GERMAN, MF_BYCOMMAND | (HilfeDeutsch ? MF_CHECKED : MF_UNCHECKED));
        CheckMenuItem(Hauptmenue, CM_HELP_ENGLISH, MF_BYCOMMAND | (HilfeDeutsch ? MF_UNCHECKED : MF_CHECKED));
        break;
    case 192: {
        char zeile[ORDNER_BYTES + 64];
        std::snprintf(zeile, sizeof zeile, "notepad.exe %s\\numeric.ins", ProgrammOrdner ? ProgrammOrdner : ".");
        UINT r = ProgrammStart(zeile, SW_SHOWNORMAL);
        if (r < 32) {
            char text[64];
            std::snprintf(text, sizeof text, "WinExec failed; error code = %u", r);
            MeldungsBox(Hauptfenster, text, "Error", MB_OK | MB_ICONSTOP);
        }
        break;
    }
    // Commands whose dialogs or windows belong to parts not built yet.
    case 191:
        AssistentOeffnen();
        break;
    case 169:
        DialogBoxParamA(Instanz, "PRINTERSETUP", Hauptfenster, PrinterSetupProc, 0);
        break;
    case 133:
        DialogBoxParamA(Instanz, "ABOUT", Hauptfenster, AboutProc, 0);
        break;
    case 161:
        NichtVerfuegbar(id);
        break;
    // Plot options and the axis inscription (plot_dialogs_win.cpp,
    // axis_dialog_win.cpp).
    case 112:
        GrafikOptionen();
        break;
    case 113:
        DruckOptionen();
        break;
    case 450:
        AchsenBeschriften();
        break;
    // Option dialogs and font profiles (option_dialogs_win.cpp).
    case 140:
        FitOptionen();
        break;
    case 172:
        if (grafik) DateiOptionen();
        break;
    case 194:
        StandardSchriften();
        break;
    case 19: {
        if (fenster < 0) break;
        grafik_fenster& g = GrafikFenster[fenster];
        const bool vorher = g.ZeigeFunktion != 0;
        g.ZeigeFunktion = vorher ? 0 : 1;
        CheckMenuItem(Hauptmenue, 19, MF_BYCOMMAND | (g.ZeigeFunktion ? MF_CHECKED : MF_UNCHECKED));
        UpdateFensterStatus();
        if (vorher && AendernDialog) SendMessageA(AendernDialog, WM_COMMAND, 2, 0);
        PostMessageA(grafik, WM_COMMAND, CM_REDRAW, 0);
        break;
    }
    case 45: {
        if (fenster < 0) break;
        grafik_fenster& g = GrafikFenster[fenster];
        g.ZeigeDaten = g.ZeigeDaten ? 0 : 1;
        CheckMenuItem(Hauptmenue, 45, MF_BYCOMMAND | (g.ZeigeDaten ? MF_CHECKED : MF_UNCHECKED));
        g.SetFullBorder();
        ResetTitel();
        PostMessageA(grafik, WM_COMMAND, CM_REDRAW, 0);
        break;
    }
    case 77: case 78: case 79: case 80: {
        const int32_t w = id - 77;
        if (!GrafikHandles[w]) break;
        AktivesFenster = w;
        GrafikFenster[w].SetFullBorder();
        ResetTitel();
        // On top before the status is refreshed, which reads the top window;
        // the redraw would bring it forward only afterwards.
        BringWindowToTop(GrafikHandles[w]);
        PostMessageA(GrafikHandles[w], WM_COMMAND, CM_REDRAW, 0);
        UpdateFensterStatus();
        if (MakroAufnahme) SendMessageA(KindFenster[KIND_BUTTONLEISTE], WM_COMMAND, 12, 0);
        break;
    }
    case 193:
        SchriftWechseln();
        break;
    // Commands that work on the data of a graphic window.
    case 70:
        if (grafik) TabelleOeffnen(fenster);
        break;
    case 90:
        if (grafik) SplitAnkaFile(Hauptfenster);
        break;
    case 164:
        if (grafik) FtBetragZeigen(this, fenster, lParam);
        break;
    case 175:
        if (grafik) JcpNachMes(this, fenster);
        break;
    case 189:
        if (grafik) WinkelNachEnergie(this, fenster);
        break;
    case 171:
        if (grafik) SaveParameterFile();
        break;
    case 187:
        if (LoadParameterFile(nullptr, Hauptfenster) != 1 || fenster < 0) break;
        GrafikFenster[fenster].ZeigeFunktion = 1;
        CheckMenuItem(Hauptmenue, 19, MF_BYCOMMAND | MF_CHECKED);
        UpdateFensterStatus();
        PostMessageA(grafik, WM_COMMAND, CM_REDRAW, 0);
        break;
    case 188:
        KonvertiereBl8(0);
        break;
    default:
        break;
    }
    return 0;
}

void haupt_fenster::NachOeffnen(int32_t ergebnis, LPARAM lParam)
{
    if (ergebnis == 0) return;
    if (ergebnis == -100) {
        FehlerCode = 104;
        return;
    }
    if (MakroAufnahme) SendMessageA(KindFenster[KIND_BUTTONLEISTE], WM_COMMAND, 12, 0);
    const int32_t w = AktivesFenster;
    if (w < 0 || w > 3 || !GrafikHandles[w]) return;
    grafik_fenster& g = GrafikFenster[w];
    FitFunctionCount = g.AnzahlFunktionen;
    FitFunctionTypes = g.FunktionsTypen;
    FitParameters = g.Parameter;
    FitPolyDegree = g.PolyGrad;
    FitModellArt = g.ModellArt;
    const int32_t n = g.Punkte();
    const double* x = g.GetXFeld(-1);
    if (CommandText && x && n > 0)
        std::snprintf(CommandText, COMMAND_TEXT_BYTES,
                      "-- FILE  : %s\r\n    data points : %d , Columns : %d\r\n    from %.8G , to %.8G\r\n",
                      g.DateiInfo.DateiName, n, g.DateiInfo.Spalten, x[0], x[n - 1]);
    if (CommandText2) CommandText2[0] = '\0';
    if (KindFenster[KIND_ERGEBNIS]) SendMessageA(KindFenster[KIND_ERGEBNIS], WM_COMMAND, 2003, 0);
    ResetTitel();
    if (AendernDialog) SendMessageA(AendernDialog, WM_COMMAND, 2, 0);
    // The new curve's ranges at once, not only after the next command.
    KurvenStatus(*this, &g);
    if (!g.DateiInfo.Binaer && g.DateiInfo.Spalten > 2 && lParam != LP_FEFF_CHI)
        PostMessageA(Hauptfenster, WM_COMMAND, 843, 10);
}

void haupt_fenster::FensterGeschlossen()
{
    // The closing window made itself the active one before posting 170.
    if (AktivesFenster >= 0 && AktivesFenster < 4) {
        RemoveModeless(GrafikHandles[AktivesFenster]);
        GrafikHandles[AktivesFenster] = nullptr;
        if (AnzahlFenster > 0) --AnzahlFenster;
    }
    int32_t i = 3;
    while (i > 0 && !GrafikHandles[i]) --i;
    // With no window left there is no active one.
    AktivesFenster = GrafikHandles[i] ? i : -1;
    if (AktivesFenster >= 0) {
        HWND g = GrafikHandles[AktivesFenster];
        BringWindowToTop(g);
        FlashWindow(g, TRUE);
        PostMessageA(g, WM_COMMAND, CM_REDRAW, 0);
        UpdateFensterStatus();
        return;
    }
    if (KindFenster[KIND_EDITOR] && IsWindowVisible(KindFenster[KIND_EDITOR]))
        SendMessageA(KindFenster[KIND_EDITOR], WM_SYSCOMMAND, 18, 0);
    InvalidateRect(Hauptfenster, nullptr, TRUE);
    UpdateWindow(Hauptfenster);
    UpdateFensterStatus();
    // The closed curve's ranges go with it.
    KurvenStatus(*this, nullptr);
}

void haupt_fenster::FitUnterbrechen()
{
    HilfeThema = 100;
    // A click or command that arrived during the fit step is dropped.
    MSG m;
    while (PeekMessageA(&m, Hauptfenster, WM_INITDIALOG, WM_SYSCOMMAND, PM_REMOVE)) {}
    while (PeekMessageA(&m, nullptr, WM_LBUTTONUP, WM_LBUTTONUP, PM_REMOVE)) {}
    if (ParameterDialog(this) == 0) {
        HilfeThema = 0;
        PostMessageA(Hauptfenster, WM_COMMAND, CM_FIT_CANCEL, 0);
        return;
    }
    HilfeThema = 0;
    if (StatusText) SetWindowTextA(FitPanel[FIT_TEXT], StatusText);
    if (HWND g = GrafikHandle(*this, AktivesFenster)) SendMessageA(g, WM_COMMAND, CM_REDRAW, 0);
    for (HWND h : FitPanel) UpdateWindow(h);
    FitChi2 = 1e30;
    PostMessageA(Hauptfenster, WM_COMMAND, 507, LP_CONTINUE_FIT);
}

void haupt_fenster::FitModusBeenden()
{
    for (HWND h : FitPanel) ShowWindow(h, SW_HIDE);
    ShowWindow(KindFenster[KIND_STATUS300], SW_SHOW);
    ShowWindow(KindFenster[KIND_STATUS400], SW_SHOW);
    for (int i = 0; i < 4; ++i)
        if (GrafikHandles[i] && i != AktivesFenster) ShowWindow(GrafikHandles[i], SW_SHOW);
    SetMenu(Hauptfenster, Hauptmenue);
    PostMessageA(KindFenster[KIND_BUTTONLEISTE], WM_COMMAND, 2004, 0);
    InvalidateRect(KindFenster[KIND_STATUS400], nullptr, TRUE);
}

void haupt_fenster::FitAbbrechen()
{
    if (FitZustand != -1) {
        // Still iterating: the next iteration ends the fit.
        FitIterationen += 10000;
        return;
    }
    Numerik.fitProcedure = nullptr;
    Numerik.useFitProcedure = 0;
    ExafsProzedurModus = -1;
    ExafsFitAnsicht.Anzeige = -1;
    FitModusBeenden();
    if (CommandText) WriteResultsReport(CommandText, 507, FitZustand, 0, 0);
    // A structure fit ends with its size and strain table.
    if (FitFunctionTypes && FitFunctionCount > 0 &&
        (FitFunctionTypes[0] % 100 == 29 || FitFunctionTypes[0] % 100 == 30)) {
        Numerik.SetAbleitung(4);
        WritePhaseSizeStrain(1);
    }
    // Fit mode is over: the layout and the drawing no longer show the panel.
    FitZustand = 0;
    RECT r;
    GetClientRect(Hauptfenster, &r);
    SendMessageA(Hauptfenster, WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(r.right, r.bottom));
    UpdateFensterStatus();
    if (HWND g = GrafikHandle(*this, AktivesFenster)) {
        if (RedrawPerMessage == 0) RedrawWindow(g, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        else PostMessageA(g, WM_COMMAND, CM_REDRAW, 0);
        SetFocus(g);
    }
    if (FitParameters && !(FitFunctionTypes && FitFunctionCount > 0 && FitFunctionTypes[0] == 25))
        for (int i = 200; i < 300; ++i) FitParameters[i] = 0.0;
    // A replayed fit goes on with the macro's next step: the question is
    // for a fit the user ran.
    if (KonfidenzFrage > 0 && !MakroRunning) {
        int antwort = MeldungsBox(Hauptfenster,
            "Calculate confidence limits and automated F tests for the last refinement?\r\n"
            "              (Note that this may take considerable time.) \r\n"
            "              Press CANCEL to skip box after next fit.",
            "Confidence limits and F test?", MB_YESNOCANCEL | MB_ICONQUESTION);
        if (antwort == IDYES) {
            SendMessageA(Hauptfenster, WM_COMMAND, 523, 0);
            if (HWND g = GrafikHandle(*this, AktivesFenster)) SendMessageA(g, WM_COMMAND, CM_REDRAW, 0);
            SendMessageA(Hauptfenster, WM_COMMAND, 522, 0);
        } else if (antwort == IDCANCEL) {
            KonfidenzFrage = -1;
        }
    }
}

namespace {

// Status field 400: the ranges of g's current curve, or empty without one.
void KurvenStatus(haupt_fenster& app, grafik_fenster* g)
{
    char text[200] = "";
    if (g && g->GetXFeld(-1)) {
        double ymin = 0.0, ymax = 0.0;
        g->GetMinMax(&ymin, &ymax, 0.0, 0.0, 1);
        StatusText400(text, sizeof text, g->XAusdehnung[0], g->XAusdehnung[1], ymin, ymax,
                      g->Punkte());
    }
    app.StatusZeile(ID_STATUS_CURVE, text);
    if (HWND feld = app.KindFenster[KIND_STATUS400]) UpdateWindow(feld);
}

}  // namespace

void UpdateFensterStatus()
{
    haupt_fenster& app = HAUPTDATEN;
    HWND oben = app.Hauptfenster ? GetTopWindow(app.Hauptfenster) : nullptr;
    int32_t fenster = MakroRunning ? AktivesFenster : app.GetFensterNummer(oben);
    if (fenster < 0 || fenster > 3 || !app.GrafikHandles[fenster]) fenster = -1;
    grafik_fenster* g = fenster >= 0 ? &GrafikFenster[fenster] : nullptr;
    // A record without arrays (its window still being created) has no curve.
    if (g && !g->GetXFeld(-1)) g = nullptr;

    if (g) {
        AktivesFenster = fenster;
        FitFunctionCount = g->AnzahlFunktionen;
        KurvenStatus(app, g);
    }

    HWND leiste = app.KindFenster[KIND_BUTTONLEISTE];
    if (leiste) {
        const bool kinder = KindGelistet();
        bool an[11] = {};
        if (g) {
            const int32_t z = g->KurvenZaehler, neu = g->NeuesterZaehler, n = g->Punkte();
            const double* x = g->GetXFeld(-1);
            an[1] = z != neu;
            an[2] = z > 0 && z > neu - 3;
            an[3] = an[5] = true;
            an[4] = neu >= 1;
            an[6] = g->ZeigeFunktion && g->AnzahlFunktionen >= 2;
            an[9] = g->DateiInfo.Spalten >= 3;
            an[10] = n >= 3 && x[n - 2] - x[1] < 3.0 && x[2] > 0.0 && x[2] < 50.0;
        }
        an[7] = an[8] = kinder;
        for (int knopf = 1; knopf <= 10; ++knopf)
            SendMessageA(leiste, WM_COMMAND, 2002, knopf + (an[knopf] ? 65536 : 0));
        // The view switches show the state of the window now on top.
        for (int knopf : {5, 4, 6}) ButtonBar.KnopfZeichnen(knopf);
        if (g) ButtonBar.FensterZeigen(fenster);
    }
    if (g && app.GrafikHandles[fenster]) {
        char titel[600];
        std::snprintf(titel, sizeof titel, "%s  No.%d", g->DateiInfo.DateiName, g->AktuellerSlot() + 1);
        SetWindowTextA(app.GrafikHandles[fenster], titel);
    }
    // Results of another window no longer follow this one.
    if (g && ResultsWindow.FensterIndex != fenster) ResultsWindow.Folgen = 0;
    TabelleFolgen();
    HWND tabelle = app.KindFenster[KIND_EDITOR];
    if (tabelle && IsWindowVisible(tabelle) && AnzahlFenster == 0)
        PostMessageA(tabelle, WM_SYSCOMMAND, 18, 0);
    HilfeThema = 0;
}
