// The axis-scaling dialog "CHANGESCALE": every scroll-bar click changes a
// field of the window's PAINTINFO at once and repaints the window.
#include "spectra/change_scale_win.h"

#include <cstdio>

#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "spectra/change_scale.h"
#include "spectra/spectra_globals.h"

namespace {

// The window the open dialog edits (one dialog at a time).
int32_t bearbeitet = -1;

PAINTINFO* Werte()
{
    if (bearbeitet < 0 || bearbeitet > 3 || !HAUPTDATEN.GrafikHandles[bearbeitet]) return nullptr;
    return &GrafikFenster[bearbeitet].Paintinfo;
}

int32_t* Feld(PAINTINFO& p, int32_t i)
{
    int32_t* felder[SKALEN_FELDER] = {&p.XNumbers, &p.YNumbers, &p.ZNumbers, &p.XLines, &p.YLines,
                                      &p.ZLines, &p.XAxisDistance, &p.YAxisDistance, &p.ZAxisDistance};
    return felder[i];
}

void Neuzeichnen()
{
    if (bearbeitet < 0 || bearbeitet > 3) return;
    if (HWND g = HAUPTDATEN.GrafikHandles[bearbeitet]) {
        InvalidateRect(g, nullptr, TRUE);
        UpdateWindow(g);
    }
}

void Zeige(HWND dlg, int32_t i, int32_t wert)
{
    SetDlgItemInt(dlg, SKALEN_TABELLE[i].Edit, static_cast<UINT>(wert), TRUE);
}

void Rollen(HWND dlg, WPARAM wParam, LPARAM lParam)
{
    const int code = LOWORD(wParam);
    const int32_t i = lParam ? SkalenFeld(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)), false) : -1;
    PAINTINFO* p = Werte();
    if (p && i >= 0 && (code == SB_LINEUP || code == SB_LINEDOWN)) {
        // The step starts from what the edit shows, typed or not.
        char text[32] = "";
        GetDlgItemTextA(dlg, SKALEN_TABELLE[i].Edit, text, sizeof text);
        int32_t wert = *Feld(*p, i);
        long getippt = 0;
        char rest = 0;
        if (std::sscanf(text, "%ld %c", &getippt, &rest) == 1 && getippt > -100000 && getippt < 100000)
            wert = static_cast<int32_t>(getippt);
        int32_t neu = 0;
        if (!SkalenSchritt(i, wert, code == SB_LINEUP, &neu)) return;
        *Feld(*p, i) = neu;
        Zeige(dlg, i, neu);
    }
    Neuzeichnen();
}

// OK: the typed values count as well; one out of range keeps the dialog
// open with a message.
bool Uebernehmen(HWND dlg)
{
    PAINTINFO* p = Werte();
    if (!p) return true;
    int32_t werte[SKALEN_FELDER];
    for (int32_t i = 0; i < SKALEN_FELDER; ++i) {
        char text[32] = "";
        GetDlgItemTextA(dlg, SKALEN_TABELLE[i].Edit, text, sizeof text);
        if (!SkalenZahl(i, text, &werte[i])) {
            char meldung[120];
            std::snprintf(meldung, sizeof meldung, "Please enter a whole number from %d to %d.",
                          static_cast<int>(SKALEN_TABELLE[i].Min), static_cast<int>(SKALEN_TABELLE[i].Max));
            MeldungsBox(dlg, meldung, "Change X/Y-graph scaling", MB_OK | MB_ICONEXCLAMATION);
            SetFocus(GetDlgItem(dlg, SKALEN_TABELLE[i].Edit));
            return false;
        }
    }
    for (int32_t i = 0; i < SKALEN_FELDER; ++i) *Feld(*p, i) = werte[i];
    p->SignFactor = IsDlgButtonChecked(dlg, IDC_SCALE_SIGN) == BST_CHECKED ? -1.0 : 1.0;
    return true;
}

}  // namespace

INT_PTR CALLBACK ChangeScaleProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG: {
        bearbeitet = AktivesFenster;
        CenterDialog(dlg);
        if (PAINTINFO* p = Werte()) {
            for (int32_t i = 0; i < SKALEN_FELDER; ++i) Zeige(dlg, i, *Feld(*p, i));
            CheckDlgButton(dlg, IDC_SCALE_SIGN, p->SignFactor < 1.0 ? BST_CHECKED : BST_UNCHECKED);
        }
        return TRUE;
    }
    case WM_VSCROLL:
        Rollen(dlg, wParam, lParam);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            if (!Uebernehmen(dlg)) return TRUE;
            Neuzeichnen();
            EndDialog(dlg, 1);
            return TRUE;
        case IDCANCEL:
            EndDialog(dlg, 0);
            return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

INT_PTR SkalenDialog(int32_t fenster)
{
    if (fenster < 0 || fenster > 3 || !HAUPTDATEN.GrafikHandles[fenster]) return -1;
    AktivesFenster = fenster;
    const INT_PTR r = DialogBoxParamA(HAUPTDATEN.Instanz, "CHANGESCALE", HAUPTDATEN.GrafikHandles[fenster],
                                      ChangeScaleProc, 0);
    bearbeitet = -1;
    return r;
}
