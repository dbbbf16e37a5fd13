// The assistant ASSIST: a modeless dialog that leads through the scenarios
// of "assist.txt" one step at a time.
#include <cstdio>
#include <string>
#include <vector>

#include "resource_ids.h"
#include "shell/assistant.h"
#include "shell/dialog_helpers.h"
#include "shell/haupt_fenster.h"
#include "shell/help_viewer_win.h"

int32_t AssistSzenarioNummer = 0;
int32_t AssistSchrittNummer = 0;

namespace {

// The lines of "assist.txt"; false when it cannot be opened.
bool Lies(std::vector<std::string>* zeilen)
{
    char pfad[MAX_PATH + ORDNER_BYTES];
    ProgrammDatei(pfad, sizeof pfad, "assist.txt");
    std::FILE* datei = std::fopen(pfad, "rt");
    if (!datei) return false;
    *zeilen = AssistZeilen(datei);
    std::fclose(datei);
    return true;
}

void Anfang(HWND dlg)
{
    CenterDialog(dlg);
    HWND liste = GetDlgItem(dlg, IDC_ASSIST_LIST);
    std::vector<std::string> zeilen;
    if (Lies(&zeilen)) {
        std::vector<std::string> titel;
        std::string einleitung;
        AssistAnfang(zeilen, &titel, &einleitung);
        SendMessageA(liste, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("  choose Korlan scenario"));
        for (const std::string& t : titel) SendMessageA(liste, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t.c_str()));
        SetDlgItemTextA(dlg, IDC_ASSIST_TEXT, einleitung.c_str());
    } else {
        SendMessageA(liste, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("  no assistent scenarios found"));
    }
    SendMessageA(liste, CB_SETCURSEL, 0, 0);
}

void Szenario(HWND dlg, int32_t n)
{
    std::vector<std::string> zeilen;
    if (n < 1 || !Lies(&zeilen)) return;
    AssistSzenarioNummer = n;
    AssistSchrittNummer = 1;
    SetDlgItemTextA(dlg, IDC_ASSIST_TEXT, AssistSzenario(zeilen, n).c_str());
    ShowWindow(GetDlgItem(dlg, IDC_ASSIST_LIST), SW_HIDE);
    ShowWindow(GetDlgItem(dlg, IDC_ASSIST_NEXT), SW_SHOW);
    EnableWindow(GetDlgItem(dlg, IDC_ASSIST_NEXT), TRUE);
}

void NaechsterSchritt(HWND dlg)
{
    std::vector<std::string> zeilen;
    ++AssistSchrittNummer;
    if (!Lies(&zeilen)) zeilen.clear();
    bool ende = false;
    const std::string text = AssistSchritt(zeilen, AssistSzenarioNummer, AssistSchrittNummer, &ende);
    SetDlgItemTextA(dlg, IDC_ASSIST_TEXT, text.c_str());
    if (ende) {
        // The focus leaves the button before it goes grey.
        SetFocus(GetDlgItem(dlg, IDOK));
        EnableWindow(GetDlgItem(dlg, IDC_ASSIST_NEXT), FALSE);
    }
}

}  // namespace

INT_PTR CALLBACK AssistProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        Anfang(dlg);
        return TRUE;
    }
    if (msg == WM_DESTROY) {
        // Also when its owner, the main window, goes.
        if (AssistentDialog == dlg) AssistentDialog = nullptr;
        return FALSE;
    }
    if (msg != WM_COMMAND) return FALSE;
    const WORD id = LOWORD(wParam);
    if (id > 160) return TRUE;
    switch (id) {
    case IDC_ASSIST_LIST:
        if (HIWORD(wParam) == CBN_SELCHANGE) {
            const LRESULT n = SendDlgItemMessageA(dlg, IDC_ASSIST_LIST, CB_GETCURSEL, 0, 0);
            if (n != CB_ERR && n >= 1) Szenario(dlg, static_cast<int32_t>(n));
        }
        return TRUE;
    case IDC_ASSIST_NEXT:
        NaechsterSchritt(dlg);
        return TRUE;
    case IDOK:
    case IDCANCEL:
        DestroyWindow(dlg);
        if (AssistentDialog == dlg) AssistentDialog = nullptr;
        return TRUE;
    case 160:
        ZeigeHilfe(191);
        return TRUE;
    default:
        return FALSE;
    }
}

void AssistentOeffnen()
{
    if (AssistentDialog) return;
    AssistentDialog = CreateDialogParamA(GetModuleHandleA(nullptr), "ASSIST", HAUPTDATEN.Hauptfenster, AssistProc, 0);
    if (!AssistentDialog) return;
    ShowWindow(AssistentDialog, SW_SHOW);
    UpdateWindow(AssistentDialog);
}
