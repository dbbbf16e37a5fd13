#include "shell/help_viewer_win.h"

#include <cstdio>

#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/haupt_fenster.h"
#include "shell/help_viewer.h"

INT_PTR CALLBACK NumericHelpProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        CenterDialog(dlg);
        char pfad[MAX_PATH + ORDNER_BYTES];
        ProgrammDatei(pfad, sizeof pfad, HilfeDateiName(HAUPTDATEN.HilfeDeutsch));
        std::FILE* datei = std::fopen(pfad, "rt");
        if (!datei) {
            MeldungsBox(dlg,
                        " The Numeric help file 'n_*.hlp'\r\n"
                        "        is not available !\r\n"
                        "  Please copy your help file \r\n"
                        " to the NUMERIC root directory.",
                        "Caution !!", MB_OK | MB_ICONEXCLAMATION);
            SetDlgItemTextA(dlg, IDC_HELP_TEXT, "");
        } else {
            char notfall[4];
            char* text = CommandText ? CommandText : notfall;
            const std::size_t groesse = CommandText ? COMMAND_TEXT_BYTES : sizeof notfall;
            HilfeThemaLesen(datei, HilfeThema, text, groesse);
            std::fclose(datei);
            SetDlgItemTextA(dlg, IDC_HELP_TEXT, text);
        }
        SetFocus(GetDlgItem(dlg, IDOK));
        return FALSE;
    }
    if (msg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dlg, 1);
        return TRUE;
    }
    return FALSE;
}

void ZeigeHilfe(int32_t thema)
{
    const int32_t alt = HilfeThema;
    HilfeThema = thema;
    HWND besitzer = GetActiveWindow();
    DialogBoxParamA(GetModuleHandleA(nullptr), "NUMERIC_HELP", besitzer ? besitzer : HAUPTDATEN.Hauptfenster,
                    NumericHelpProc, 0);
    HilfeThema = alt;
}
