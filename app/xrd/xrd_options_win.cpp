// The XRD options dialog (XRD_OPTIONS): the wavelength and the three
// instrument broadenings, kept in the application object and in "XRD.ini".
#include <cmath>
#include <cstdio>
#include <string>

#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "xrd/xrd_commands.h"
#include "xrd/xrd_commands_win.h"

namespace {

void ZeigeWerte(HWND dlg)
{
    const haupt_fenster& app = HAUPTDATEN;
    ZeigeDialogZahl(dlg, IDC_XRDO_WELLENLAENGE, app.Roentgenwellenlaenge);
    ZeigeDialogZahl(dlg, IDC_XRDO_BREITE, app.XrdProfil[0]);
    ZeigeDialogZahl(dlg, IDC_XRDO_LORENTZ, app.XrdProfil[1]);
    ZeigeDialogZahl(dlg, IDC_XRDO_GAUSS, app.XrdProfil[2]);
}

// OK: false while a value is refused (the dialog stays open).
bool Uebernehmen(HWND dlg)
{
    const double lambda = DialogZahl(dlg, IDC_XRDO_WELLENLAENGE);
    if (!(lambda > 0.0) || !std::isfinite(lambda)) {
        DialogFeldFehler(dlg, IDC_XRDO_WELLENLAENGE, "The wavelength must be larger than 0 pm.");
        return false;
    }
    const int ids[3] = {IDC_XRDO_BREITE, IDC_XRDO_LORENTZ, IDC_XRDO_GAUSS};
    double profil[3];
    for (int i = 0; i < 3; ++i) {
        profil[i] = DialogZahl(dlg, ids[i]);
        if (!std::isfinite(profil[i])) {
            DialogFeldFehler(dlg, ids[i], "Please enter a number.");
            return false;
        }
    }
    haupt_fenster& app = HAUPTDATEN;
    app.Roentgenwellenlaenge = lambda;
    for (int i = 0; i < 3; ++i) app.XrdProfil[i] = profil[i];

    char pfad[MAX_PATH] = "";
    ProgrammDatei(pfad, sizeof pfad, "XRD.ini");
    std::FILE* f = std::fopen(pfad, "wt");
    const std::string text = XrdIniText(lambda, profil);
    bool geschrieben = false;
    if (f) {
        geschrieben = std::fputs(text.c_str(), f) >= 0;
        geschrieben = std::fclose(f) == 0 && geschrieben;
    }
    if (!geschrieben)
        MeldungsBox(dlg,
                    "\"XRD.ini\" cannot be written in the program folder.\r\n"
                    "The values hold until the program ends.",
                    "Caution !!", MB_OK | MB_ICONEXCLAMATION);
    return true;
}

INT_PTR CALLBACK XrdOptionsDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG: {
        CenterDialog(dlg);
        HWND liste = GetDlgItem(dlg, IDC_XRDO_QUELLE);
        for (const char* quelle : XRD_QUELLEN) SendMessageA(liste, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(quelle));
        SendMessageA(liste, CB_SETCURSEL, 0, 0);
        ZeigeWerte(dlg);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_XRDO_QUELLE:
            if (HIWORD(wParam) == CBN_SELCHANGE) {
                const int32_t i = static_cast<int32_t>(SendDlgItemMessageA(dlg, IDC_XRDO_QUELLE, CB_GETCURSEL, 0, 0));
                ZeigeDialogZahl(dlg, IDC_XRDO_WELLENLAENGE,
                                XrdQuellenWellenlaenge(i, HAUPTDATEN.Roentgenwellenlaenge));
            }
            return TRUE;
        case IDOK:
            if (Uebernehmen(dlg)) EndDialog(dlg, 1);
            return TRUE;
        case IDCANCEL:
            EndDialog(dlg, 0);
            return TRUE;
        default: break;
        }
        break;
    default: break;
    }
    return FALSE;
}

}  // namespace

INT_PTR XrdOptionenDialog(HWND besitzer)
{
    return DialogBoxParamA(ProgrammModul(), "XRD_OPTIONS", besitzer, XrdOptionsDlgProc, 0);
}
