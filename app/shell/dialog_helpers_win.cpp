#include "shell/dialog_helpers.h"

#include <cstdio>
#include <cstdlib>

#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"

void CenterDialog(HWND fenster)
{
    if (!fenster) return;
    RECT r;
    if (!GetWindowRect(fenster, &r)) return;
    int breite = 0, hoehe = 0;
    if (HDC dc = GetDC(nullptr)) {
        breite = GetDeviceCaps(dc, HORZRES);
        hoehe = GetDeviceCaps(dc, VERTRES);
        ReleaseDC(nullptr, dc);
    }
    const int links = breite / 2 - (r.right - r.left) / 2;
    const int oben = hoehe / 2 - (r.bottom - r.top) / 2;
    SetWindowPos(fenster, nullptr, links, oben, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
}

void DialogHilfe(int32_t thema)
{
    const int32_t alt = HilfeThema;
    HilfeThema = thema;
    ZeigeHilfe(HilfeThema);
    HilfeThema = alt;
}

double DialogZahl(HWND dlg, int id)
{
    char text[64] = "";
    GetDlgItemTextA(dlg, id, text, sizeof text);
    return std::strtod(text, nullptr);
}

int32_t DialogGanzzahl(HWND dlg, int id)
{
    char text[64] = "";
    GetDlgItemTextA(dlg, id, text, sizeof text);
    const long v = std::strtol(text, nullptr, 10);
    if (v > INT32_MAX) return INT32_MAX;
    if (v < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(v);
}

void ZeigeDialogZahl(HWND dlg, int id, double wert, const char* format)
{
    char text[64];
    if (format[0] == '%' && format[1] == 'd')
        std::snprintf(text, sizeof text, format, static_cast<int>(wert));
    else
        std::snprintf(text, sizeof text, format, wert);
    SetDlgItemTextA(dlg, id, text);
}

bool DialogKreuz(HWND dlg, int id)
{
    return IsDlgButtonChecked(dlg, id) == BST_CHECKED;
}

void SetzeDialogKreuz(HWND dlg, int id, bool an)
{
    CheckDlgButton(dlg, id, an ? BST_CHECKED : BST_UNCHECKED);
}

void DialogFeldFehler(HWND dlg, int id, const char* text)
{
    MeldungsBox(dlg, text, "Error !!", MB_OK | MB_ICONEXCLAMATION);
    if (HWND feld = GetDlgItem(dlg, id)) {
        SetFocus(feld);
        SendMessageA(feld, EM_SETSEL, 0, -1);
    }
}

HINSTANCE ProgrammModul()
{
    return HAUPTDATEN.Instanz ? HAUPTDATEN.Instanz : GetModuleHandleA(nullptr);
}

std::string DialogText(HWND dlg, int id)
{
    HWND h = GetDlgItem(dlg, id);
    const int n = h ? GetWindowTextLengthA(h) : 0;
    std::string t(static_cast<std::size_t>(n) + 1, '\0');
    if (n > 0) t.resize(static_cast<std::size_t>(GetWindowTextA(h, &t[0], n + 1)));
    else t.clear();
    return t;
}
