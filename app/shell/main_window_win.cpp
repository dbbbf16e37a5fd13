// The main window's handlers besides creation, closing, destruction and
// commands: layout, welcome screen, status line, keys and timers.
#include <cstdio>

#include "resource_ids.h"
#include "shell/haupt_fenster.h"
#include "shell/child_windows.h"
#include "shell/menu_rules.h"
#include "spectra/spectra_globals.h"

LRESULT haupt_fenster::MainOnSize()
{
    const int w = LOWORD(Meldungsblock.lParam), h = HIWORD(Meldungsblock.lParam);
    ClientBreite = w;
    ClientHoehe = h;
    SchmalesFenster = w < 650 ? 1 : 0;
    const int cw = ZeichenBreite, ch = ZeichenHoehe, s = StatusHoehe, b = ButtonZeilenHoehe;
    if (FitZustand != 0) {
        const int x = w - 30 * cw, hoch = 7 * ch / 4;
        MoveWindow(FitPanel[FIT_CANCEL], x, h - 7 * ch / 4, 30 * cw, hoch, TRUE);
        MoveWindow(FitPanel[FIT_INTERRUPT], x, h - 14 * ch / 4, 30 * cw, hoch, TRUE);
        MoveWindow(FitPanel[FIT_CONTINUE], x, h - 21 * ch / 4, 30 * cw, hoch, TRUE);
        MoveWindow(FitPanel[FIT_TEXT], x, 0, 30 * cw, h - 21 * ch / 4, TRUE);
        return 0;
    }
    MoveWindow(KindFenster[KIND_BUTTONLEISTE], 0, 0, w, 2 * b + 6, TRUE);
    const int links = w < 850 ? w * 2 / 5 : w / 2;
    MoveWindow(KindFenster[KIND_STATUS300], 0, h - s, links, s, TRUE);
    MoveWindow(KindFenster[KIND_STATUS400], links, h - s, w - links, s, TRUE);
    for (HWND g : GrafikHandles)
        if (g && IsZoomed(g)) MoveWindow(g, 0, 2 * b + 6, w, h - (2 * b + 6) - s, TRUE);
    HWND texte[2] = {FitPanel[FIT_TEXT], KindFenster[KIND_ERGEBNIS]};
    for (HWND t : texte)
        if (t && IsZoomed(t)) MoveWindow(t, 0, b + 3, w, h - b - 3, TRUE);
    return 0;
}

LRESULT haupt_fenster::MainOnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Hauptfenster, &ps);
    RECT r;
    GetClientRect(Hauptfenster, &r);
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    const bool fensterAktiv = AktivesFenster >= 0 && AktivesFenster < 4 && GrafikHandles[AktivesFenster];
    if (!fensterAktiv) {
        const int w = r.right, h = r.bottom;
        SetBkMode(dc, TRANSPARENT);
        HBRUSH gelb = CreateSolidBrush(RGB(224, 224, 128));
        FillRect(dc, &r, gelb);
        DeleteObject(gelb);
        HDC speicher = CreateCompatibleDC(dc);
        if (Willkommensbild) {
            int y = h / 2 - BildHoehe / 2;
            if (w > 810 && h > 610) y += 30;
            HGDIOBJ alt = SelectObject(speicher, Willkommensbild);
            BitBlt(dc, w / 2 - BildBreite / 2, y, BildBreite, BildHoehe, speicher, 0, 0, SRCCOPY);
            SelectObject(speicher, alt);
        }
        if (HBITMAP assistent = LoadBitmapA(Instanz, "assist2")) {
            BITMAP bm{};
            GetObjectA(assistent, sizeof bm, &bm);
            HGDIOBJ alt = SelectObject(speicher, assistent);
            BitBlt(dc, w - 170, 70, bm.bmWidth, bm.bmHeight, speicher, 0, 0, SRCCOPY);
            SelectObject(speicher, alt);
            DeleteObject(assistent);
        }
        DeleteDC(speicher);
    }
    EndPaint(Hauptfenster, &ps);
    return 1;
}

LRESULT haupt_fenster::MainOnSetFocus()
{
    if (EditorSichtbar && KindFenster[KIND_EDITOR]) SetFocus(KindFenster[KIND_EDITOR]);
    return 0;
}

LRESULT haupt_fenster::MainOnKeyDown()
{
    HWND oben = GetTopWindow(Hauptfenster);
    if (oben && oben == KindFenster[KIND_EDITOR])
        PostMessageA(oben, Meldungsblock.Nachricht, Meldungsblock.wParam, Meldungsblock.lParam);
    return 0;
}

LRESULT haupt_fenster::MainOnChar()
{
    if (FitZustand != 1) return 0;
    switch (Meldungsblock.wParam) {
    case 'C': Befehl(CM_FIT_CANCEL, 0); break;
    case 'I': Befehl(CM_FIT_INTERRUPT, 0); break;
    case 'S': {
        int32_t nummer = GetFensterNummer(GetTopWindow(Hauptfenster));
        if (nummer >= 0) {
            AktivesFenster = nummer;
            PostMessageA(GrafikHandles[nummer], WM_COMMAND, CM_REDRAW, 0);
        }
        break;
    }
    default: break;
    }
    return 0;
}

LRESULT haupt_fenster::MainOnTimer()
{
    if (Meldungsblock.wParam == 5) {
        // Errors of functions that run inside other operations are shown
        // here, between commands. 1000 is the macro player's sign, no text.
        if (FehlerCode != 0 && FehlerCode != 1000) FehlerMeldung(FehlerCode);
        FehlerCode = 0;
    }
    if (Meldungsblock.wParam == 6) AutoSicherung();
    return 0;
}

int32_t AutoSicherung()
{
    haupt_fenster& app = HAUPTDATEN;
    int32_t geschrieben = 0;
    if (!app.SicherungAn) return 0;
    for (int32_t i = 0; i < 4; ++i) {
        grafik_fenster& g = GrafikFenster[i];
        if (!app.GrafikHandles[i] || !g.HatDaten) continue;
        if (!g.GetXFeld(-1) || !g.GetYFeld(-1)) continue;
        char name[32];
        std::snprintf(name, sizeof name, "numsave%d.mes", static_cast<int>(i));
        char pfad[MAX_PATH + ORDNER_BYTES];
        ProgrammDatei(pfad, sizeof pfad, name);
        // Always the binary format and always a fresh file: the backup must
        // read back as the one curve, whatever the save options say. Nothing
        // is asked and the curve (its k weighting included) stays as it is.
        // A curve too long for the binary header goes to the text format.
        int32_t code = g.SchreibeBinaer(pfad, 0, 0, 0);
        if (code == FEHLER_ZU_VIELE_PUNKTE) code = g.SchreibeText(pfad);
        if (code == SPEKTRUM_OK) {
            g.HatDaten = 0;
            ++geschrieben;
        }
    }
    return geschrieben;
}

void SetzeSicherung(int32_t an, int32_t sekunden)
{
    haupt_fenster& app = HAUPTDATEN;
    const int32_t groesste = 24 * 24 * 3600;  // below SetTimer's limit of 2^31 ms
    app.SicherungAn = an ? 1 : 0;
    app.SicherungsIntervall = sekunden < 1 ? 1 : (sekunden > groesste ? groesste : sekunden);
    if (!app.Hauptfenster) return;
    KillTimer(app.Hauptfenster, 6);
    if (app.SicherungAn)
        SetTimer(app.Hauptfenster, 6, static_cast<UINT>(app.SicherungsIntervall) * 1000u, nullptr);
}

MENUE_ZUSTAND_LESER MenueZustandLeser = nullptr;

LRESULT haupt_fenster::MainOnInitMenuPopup()
{
    HMENU popup = reinterpret_cast<HMENU>(Meldungsblock.wParam);
    const int position = LOWORD(Meldungsblock.lParam);
    // Submenus and the system menu keep their items as they are.
    if (HIWORD(Meldungsblock.lParam) || GetSubMenu(Hauptmenue, position) != popup) return 0;

    MENUE_ZUSTAND z;
    const int32_t fenster = GetFensterNummer(GetTopWindow(Hauptfenster));
    if (fenster >= 0) {
        AktivesFenster = fenster;
        z.Fenster = MenueZustandLeser && MenueZustandLeser(fenster, &z);
    }
    for (HWND h : ModelessList)
        if (h) z.KindGelistet = true;
    z.ErgebnisSichtbar = KindFenster[KIND_ERGEBNIS] && IsWindowVisible(KindFenster[KIND_ERGEBNIS]);
    z.KalibrierQuelle = KalibrierReferenz;

    MENUE_REGEL regeln[32];
    const int n = MenueRegeln(position, z, regeln);
    for (int i = 0; i < n; ++i) {
        EnableMenuItem(popup, regeln[i].Id, MF_BYCOMMAND | (regeln[i].An ? MF_ENABLED : MF_GRAYED));
        if (regeln[i].Haken >= 0)
            CheckMenuItem(popup, regeln[i].Id, MF_BYCOMMAND | (regeln[i].Haken ? MF_CHECKED : MF_UNCHECKED));
    }
    return 0;
}

LRESULT haupt_fenster::MainOnMenuSelect()
{
    const UINT id = LOWORD(Meldungsblock.wParam);
    const UINT flags = HIWORD(Meldungsblock.wParam);
    if (flags & MF_POPUP) return 0;
    if (id >= 1 && id <= 1999) {
        char text[201] = "";
        LoadStringA(Instanz, id + 1000, text, sizeof text);
        StatusZeile(ID_STATUS_HELP, text);
    }
    return 0;
}

LRESULT haupt_fenster::MainOnMouseMove()
{
    StatusZeile(ID_STATUS_HELP, DateiGeoeffnet ? "Welcome to Korlan for Windows(TM)"
                                               : "Korlan  -  version 1.0  -  December 2026");
    return 0;
}

LRESULT haupt_fenster::MainOnLButtonUp()
{
    const int x = static_cast<short>(LOWORD(Meldungsblock.lParam));
    const int y = static_cast<short>(HIWORD(Meldungsblock.lParam));
    const int w = ClientBreite, h = ClientHoehe;
    bool treffer;
    if (w > 810 && h > 610)
        treffer = w - 170 < x && x < w - 20 && 11 <= y && y <= 139;
    else
        treffer = w / 2 + 210 < x && x < w / 2 + 360 && h / 2 - 210 < y && y < h / 2 - 160;
    if (treffer) PostMessageA(Hauptfenster, WM_COMMAND, CM_ASSISTANT, 0);
    return 0;
}
