// CALCXAS: the choice of the energy, I0, I1 and I2 columns of a raw
// beamline file, offered from "favorite.ini", "calc_xas.ini" and the
// layouts of the string table, with a preview of the file's start.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/haupt_fenster.h"
#include "spectra/spectra_globals.h"
#include "xas/xas_commands_win.h"
#include "xas/xas_reduction.h"

namespace {

const int SPALTEN_LISTEN[4] = {IDC_CALC_E, IDC_CALC_I0, IDC_CALC_I1, IDC_CALC_I2};

grafik_fenster* Fenster()
{
    return (AktivesFenster >= 0 && AktivesFenster < 4) ? &GrafikFenster[AktivesFenster] : nullptr;
}

void Eintrag(HWND dlg, const char* text)
{
    SendDlgItemMessageA(dlg, IDC_CALC_LAYOUT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

// The leading number of the selected entry of a column list; -1 without one.
int32_t Gewaehlt(HWND dlg, int id)
{
    const LRESULT i = SendDlgItemMessageA(dlg, id, CB_GETCURSEL, 0, 0);
    if (i == CB_ERR) return -1;
    char text[64] = {};
    if (SendDlgItemMessageA(dlg, id, CB_GETLBTEXTLEN, i, 0) >= static_cast<LRESULT>(sizeof text)) return -1;
    SendDlgItemMessageA(dlg, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    return std::atoi(text);
}

void Waehle(HWND dlg, int id, int32_t spalte)
{
    const LRESULT n = SendDlgItemMessageA(dlg, id, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        char text[64] = {};
        if (SendDlgItemMessageA(dlg, id, CB_GETLBTEXTLEN, i, 0) >= static_cast<LRESULT>(sizeof text)) continue;
        SendDlgItemMessageA(dlg, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        if (std::atoi(text) == spalte) {
            SendDlgItemMessageA(dlg, id, CB_SETCURSEL, i, 0);
            return;
        }
    }
}

void LayoutAnwenden(HWND dlg)
{
    const LRESULT i = SendDlgItemMessageA(dlg, IDC_CALC_LAYOUT, CB_GETCURSEL, 0, 0);
    if (i == CB_ERR) return;
    const LRESULT laenge = SendDlgItemMessageA(dlg, IDC_CALC_LAYOUT, CB_GETLBTEXTLEN, i, 0);
    if (laenge < 0) return;
    std::string text(static_cast<size_t>(laenge) + 1, '\0');
    SendDlgItemMessageA(dlg, IDC_CALC_LAYOUT, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(std::strlen(text.c_str()));
    const SpaltenLayout l = LeseSpaltenLayout(text);
    CheckDlgButton(dlg, IDC_CALC_MITTEL, l.Bereich ? BST_CHECKED : BST_UNCHECKED);
    if (l.Bereich) {
        SetDlgItemInt(dlg, IDC_CALC_VON, static_cast<UINT>(l.Von), FALSE);
        SetDlgItemInt(dlg, IDC_CALC_BIS, static_cast<UINT>(l.Bis), FALSE);
    }
    // Numbers are read from the end: I2 first, the energy last.
    const int32_t werte[4] = {l.Energie, l.I0, l.I1, l.I2};
    for (int k = 0; k < 4; ++k)
        if (l.Gefunden >= 4 - k) Waehle(dlg, SPALTEN_LISTEN[k], werte[k]);
    if (l.Gefunden >= 4) {
        CheckDlgButton(dlg, IDC_CALC_FLUO, l.Fluoreszenz ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(dlg, IDC_CALC_TRANS, l.Fluoreszenz ? BST_UNCHECKED : BST_CHECKED);
    }
}

// The start of the raw file: header lines + 15 lines, at most header +
// points, each ending in CR LF, within CommandText's capacity.
void Vorschau(HWND dlg, const DateiInfo& info)
{
    if (!CommandText) return;
    CommandText[0] = '\0';
    char pfad[2600];
    std::snprintf(pfad, sizeof pfad, "%s%s", info.Ordner, info.DateiName);
    std::FILE* f = std::fopen(pfad, "rb");
    if (f) {
        size_t laenge = 0;
        const int32_t grenze = std::min(info.Kopfzeilen + 15, info.Kopfzeilen + info.Punkte);
        static char zeile[3000];
        for (int32_t nr = 0; nr < grenze && std::fgets(zeile, sizeof zeile, f); ++nr) {
            zeile[std::strcspn(zeile, "\r\n")] = '\0';
            const size_t n = std::strlen(zeile);
            if (laenge + n + 3 > static_cast<size_t>(COMMAND_TEXT_BYTES)) break;
            std::memcpy(CommandText + laenge, zeile, n);
            std::memcpy(CommandText + laenge + n, "\r\n", 3);
            laenge += n + 2;
        }
        std::fclose(f);
    }
    SetDlgItemTextA(dlg, IDC_CALC_VORSCHAU, CommandText);
}

void Oeffnen(HWND dlg)
{
    CenterDialog(dlg);
    int erste = IDS_LAYOUT_ERSTE;
    if (std::FILE* f = std::fopen(ProgrammDatei("favorite.ini").c_str(), "r")) {
        char zeile[80] = {};
        if (std::fgets(zeile, sizeof zeile, f)) {
            zeile[std::strcspn(zeile, "\r\n")] = '\0';
            Eintrag(dlg, zeile);
        }
        std::fclose(f);
        erste = IDS_LAYOUT_ERSTE + 1;
    }
    if (std::FILE* f = std::fopen(ProgrammDatei("calc_xas.ini").c_str(), "r")) {
        char zeile[80];
        while (std::fgets(zeile, sizeof zeile, f)) {
            zeile[std::strcspn(zeile, "\r\n")] = '\0';
            Eintrag(dlg, zeile);
        }
        std::fclose(f);
        erste = IDS_LAYOUT_ERSTE + 1;
    }
    HINSTANCE inst = HAUPTDATEN.Instanz ? HAUPTDATEN.Instanz : GetModuleHandleA(nullptr);
    for (int id = erste; id <= IDS_LAYOUT_LETZTE; ++id) {
        char text[100] = {};
        if (LoadStringA(inst, id, text, sizeof text) > 0) Eintrag(dlg, text);
    }
    SendDlgItemMessageA(dlg, IDC_CALC_LAYOUT, CB_SETCURSEL, 0, 0);
    PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_CALC_LAYOUT, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDC_CALC_LAYOUT)));
    CheckDlgButton(dlg, IDC_CALC_TRANS, BST_CHECKED);
    grafik_fenster* g = Fenster();
    if (!g) return;
    const DateiInfo& info = g->DateiInfo;
    const int32_t anzahl = std::min(std::max(info.AlleSpalten[0], 0), MAX_SPALTEN);
    for (int id : SPALTEN_LISTEN)
        for (int32_t k = 1; k <= anzahl; ++k) {
            char text[32];
            std::snprintf(text, sizeof text, "%d. column", static_cast<int>(info.AlleSpalten[k]));
            SendDlgItemMessageA(dlg, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        }
    Vorschau(dlg, info);
    SetDlgItemInt(dlg, IDC_CALC_KOPF, static_cast<UINT>(info.Kopfzeilen), TRUE);
    SetDlgItemInt(dlg, IDC_CALC_PUNKTE, static_cast<UINT>(info.Punkte), TRUE);
}

// OK: false (end with 0) when the energy, I0 or I1 column is missing.
bool Uebernehmen(HWND dlg)
{
    double* dw = HAUPTDATEN.DialogWerte;
    for (int k = 0; k < 4; ++k) {
        const int32_t s = Gewaehlt(dlg, SPALTEN_LISTEN[k]);
        if (s < 0 && k < 3) return false;
        dw[1 + k] = s < 0 ? 0.0 : s;
    }
    dw[0] = IsDlgButtonChecked(dlg, IDC_CALC_TRANS) == BST_CHECKED ? 1.0 : -1.0;
    dw[5] = -1.0;
    if (IsDlgButtonChecked(dlg, IDC_CALC_MITTEL) == BST_CHECKED) {
        dw[6] = static_cast<double>(static_cast<int>(GetDlgItemInt(dlg, IDC_CALC_VON, nullptr, TRUE)));
        dw[7] = static_cast<double>(static_cast<int>(GetDlgItemInt(dlg, IDC_CALC_BIS, nullptr, TRUE)));
        if (dw[6] != 0.0 && dw[7] != 0.0 && dw[6] < dw[7]) dw[5] = 1.0;
    }
    if (grafik_fenster* g = Fenster()) {
        g->DateiInfo.Kopfzeilen = static_cast<int32_t>(GetDlgItemInt(dlg, IDC_CALC_KOPF, nullptr, TRUE));
        g->DateiInfo.Punkte = static_cast<int32_t>(GetDlgItemInt(dlg, IDC_CALC_PUNKTE, nullptr, TRUE));
    }
    SpaltenLayout l;
    l.Fluoreszenz = dw[0] < 0.0;
    l.Energie = static_cast<int32_t>(dw[1]);
    l.I0 = static_cast<int32_t>(dw[2]);
    l.I1 = static_cast<int32_t>(dw[3]);
    l.I2 = static_cast<int32_t>(dw[4]);
    l.Bereich = dw[5] > 0.0;
    l.Von = static_cast<int32_t>(dw[6]);
    l.Bis = static_cast<int32_t>(dw[7]);
    const std::string zeile = SchreibeSpaltenLayout(l);
    if (zeile.empty()) {
        MeldungsBox(dlg, "Column numbers above 99 cannot be kept as your favorite format.", "Caution !!",
                    MB_OK | MB_ICONEXCLAMATION);
    } else if (std::FILE* f = std::fopen(ProgrammDatei("favorite.ini").c_str(), "wb")) {
        std::fwrite(zeile.data(), 1, zeile.size(), f);
        std::fclose(f);
    }
    return true;
}

INT_PTR CALLBACK CalcXasProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        Oeffnen(dlg);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_CALC_LAYOUT:
            if (HIWORD(wParam) == CBN_SELCHANGE) LayoutAnwenden(dlg);
            return TRUE;
        case IDC_CALC_TRANS:
            if (IsDlgButtonChecked(dlg, IDC_CALC_TRANS) == BST_CHECKED)
                CheckDlgButton(dlg, IDC_CALC_MITTEL, BST_UNCHECKED);
            return TRUE;
        case IDOK: EndDialog(dlg, Uebernehmen(dlg) ? 1 : 0); return TRUE;
        case IDCANCEL: EndDialog(dlg, 0); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

}  // namespace

INT_PTR CalcXasDialogOeffnen(HWND besitzer)
{
    HINSTANCE inst = HAUPTDATEN.Instanz ? HAUPTDATEN.Instanz : GetModuleHandleA(nullptr);
    return DialogBoxParamA(inst, "CALCXAS", besitzer, CalcXasProc, 0);
}
