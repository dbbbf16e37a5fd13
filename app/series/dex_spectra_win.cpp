// Command 833: absorption spectra from detector series. The dialog
// CALCDEXSPEC gathers the paths and options; BerechneDexSpektren runs the
// files through BerechneDexDateien with the system's file search and
// questions and puts the last spectrum into a new curve slot.
#include "series/dex_spectra_win.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "resource_ids.h"
#include "series/dex_spectra.h"
#include "shell/dialog_helpers.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/spectra_globals.h"

DEX_DATEIDIALOG DexDateiDialog = GetOpenFileNameA;

namespace {

const int DEX_KNOPF[DEX_PFADE] = {IDC_DEX_I0_1,     IDC_DEX_I0_2,     IDC_DEX_I1,      IDC_DEX_DUNKEL_1,
                                  IDC_DEX_DUNKEL_2, IDC_DEX_FOLIE_1, IDC_DEX_FOLIE_2};
// The rows shown only with "generate DEX file format": group, button, edit.
const int DEX_ZEILEN[][2] = {{IDC_DEX_GRUPPE_I0_2, IDC_DEX_I0_2},
                             {IDC_DEX_GRUPPE_DUNKEL_2, IDC_DEX_DUNKEL_2},
                             {IDC_DEX_GRUPPE_FOLIE_1, IDC_DEX_FOLIE_1},
                             {IDC_DEX_GRUPPE_FOLIE_2, IDC_DEX_FOLIE_2}};
const int PFAD_PUFFER = 300;

void DexZeilenZeigen(HWND dlg, bool dex)
{
    const int zeigen = dex ? SW_SHOW : SW_HIDE;
    for (const auto& z : DEX_ZEILEN) {
        ShowWindow(GetDlgItem(dlg, z[0]), zeigen);
        ShowWindow(GetDlgItem(dlg, z[1]), zeigen);
        ShowWindow(GetDlgItem(dlg, z[1] + IDC_DEX_EDIT_ABSTAND), zeigen);
    }
    if (dex) CheckDlgButton(dlg, IDC_DEX_MEHRSPALTIG, BST_UNCHECKED);
    EnableWindow(GetDlgItem(dlg, IDC_DEX_MEHRSPALTIG), dex ? FALSE : TRUE);
}

void Durchsuchen(HWND dlg, int knopf)
{
    char pfad[PFAD_PUFFER + 1] = "*.dxa";
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = dlg;
    ofn.lpstrFilter = "Korlan format (*.dxa)\0*.dxa\0";
    ofn.lpstrFile = pfad;
    ofn.nMaxFile = PFAD_PUFFER;
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (DexDateiDialog && DexDateiDialog(&ofn)) SetDlgItemTextA(dlg, knopf + IDC_DEX_EDIT_ABSTAND, pfad);
}

// OK: the paths checked and joined into CommandText.
bool Uebernehmen(HWND dlg)
{
    const bool dex = IsDlgButtonChecked(dlg, IDC_DEX_DEXFORMAT) == BST_CHECKED;
    const bool mehr = !dex && IsDlgButtonChecked(dlg, IDC_DEX_MEHRSPALTIG) == BST_CHECKED;
    DexPfade p;
    for (int k = 0; k < DEX_PFADE; ++k) {
        if (!dex && k != DEX_I0_1 && k != DEX_I1 && k != DEX_DUNKEL_1) continue;
        char text[DEX_TEXT_MAX + 2] = "";
        GetDlgItemTextA(dlg, DEX_KNOPF[k] + IDC_DEX_EDIT_ABSTAND, text, sizeof text);
        p.Pfad[k] = text;
        if (p.Pfad[k].size() > DEX_PFAD_MAX) {
            DialogFeldFehler(dlg, DEX_KNOPF[k] + IDC_DEX_EDIT_ABSTAND, DexPfadeZuLang(p, dex).c_str());
            return false;
        }
    }
    if (p.Pfad[DEX_I0_1].empty() || p.Pfad[DEX_I1].empty()) {
        DialogFeldFehler(dlg, p.Pfad[DEX_I0_1].empty() ? 200 : 210, "Please give the paths of I0 (1) and I1.");
        return false;
    }
    const std::string zuLang = DexPfadeZuLang(p, dex);
    if (!zuLang.empty()) {
        DialogFeldFehler(dlg, 200, zuLang.c_str());
        return false;
    }
    std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", DexPfadeVerbinden(p, dex).c_str());
    double* w = HAUPTDATEN.DialogWerte;
    w[0] = dex ? 1.0 : -1.0;
    w[1] = mehr ? 1.0 : -1.0;
    w[2] = -1.0;
    return true;
}

// The file search of the system in one folder. Its matches are checked
// against the long name, since the search also matches short (8.3) names:
// "*.dxa" would take "a.dxab".
std::vector<std::string> Suche(const std::string& ordner, const std::string& muster)
{
    std::vector<std::string> namen;
    WIN32_FIND_DATAA d;
    HANDLE h = FindFirstFileA((ordner + muster).c_str(), &d);
    if (h == INVALID_HANDLE_VALUE) return namen;
    do {
        if (!(d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && DexMusterPasst(d.cFileName, muster))
            namen.push_back(d.cFileName);
    } while (FindNextFileA(h, &d));
    FindClose(h);
    return namen;
}

}  // namespace

INT_PTR CALLBACK CalcDexSpecProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        for (int k = 0; k < DEX_PFADE; ++k)
            SendDlgItemMessageA(dlg, DEX_KNOPF[k] + IDC_DEX_EDIT_ABSTAND, EM_LIMITTEXT, DEX_TEXT_MAX, 0);
        EnableWindow(GetDlgItem(dlg, IDC_DEX_BL8), FALSE);
        CenterDialog(dlg);
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        for (int k = 0; k < DEX_PFADE; ++k)
            if (id == DEX_KNOPF[k]) {
                Durchsuchen(dlg, id);
                return TRUE;
            }
        switch (id) {
        case IDC_DEX_DEXFORMAT:
            DexZeilenZeigen(dlg, IsDlgButtonChecked(dlg, IDC_DEX_DEXFORMAT) == BST_CHECKED);
            return TRUE;
        case IDC_DLG_HELP: DialogHilfe(833); return TRUE;
        case IDOK:
            if (Uebernehmen(dlg)) EndDialog(dlg, 1);
            return TRUE;
        case IDCANCEL: EndDialog(dlg, 0); return TRUE;
        }
        break;
    }
    }
    return FALSE;
}

int32_t BerechneDexSpektren(int32_t)
{
    haupt_fenster* app = &HAUPTDATEN;
    const bool vorbereitet = app->Meldungsblock.lParam == 2;
    if (!vorbereitet &&
        DialogBoxParamA(ProgrammModul(), "CALCDEXSPEC", app->Hauptfenster, CalcDexSpecProc, 0) <= 0)
        return 0;
    DexPfade p;
    if (!CommandText || !DexPfadeTeilen(CommandText, &p)) {
        MeldungsBox(app->Hauptfenster, "Please give the paths of I0 (1) and I1.", "ERROR !!", MB_OK | MB_ICONSTOP);
        return 0;
    }
    const bool dex = app->DialogWerte[0] > 0.0;
    const bool mehr = app->DialogWerte[1] > 0.0;
    const std::string zuLang = DexPfadeZuLang(p, dex);
    if (!zuLang.empty()) {
        MeldungsBox(app->Hauptfenster, zuLang.c_str(), "ERROR !!", MB_OK | MB_ICONSTOP);
        return 0;
    }

    DexUmgebung u;
    u.Suche = Suche;
    u.Frage = [app](const std::string& text) {
        const int r = MeldungsBox(app->Hauptfenster, text.c_str(), "ERROR !!", MB_ABORTRETRYIGNORE | MB_ICONQUESTION);
        return r == IDRETRY ? DEX_WIEDERHOLEN : r == IDIGNORE ? DEX_IGNORIEREN : DEX_ABBRECHEN;
    };
    u.Meldung = [app](const std::string&, const std::string& text) {
        MeldungsBox(app->Hauptfenster, text.c_str(), "ERROR !!", MB_OK | MB_ICONSTOP);
    };
    // Every file of this command is a binary spectrum file.
    app->BinaerSpeichern = 1;
    HCURSOR alt = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    DexErgebnis e;
    const int32_t n = BerechneDexDateien(p, dex, mehr, u, &e);
    SetCursor(alt);

    if (!e.Geschrieben.empty()) {
        std::snprintf(app->DateiFilter, sizeof app->DateiFilter, "*.xas");
        std::string ordner = DexOrdner(p.Pfad[DEX_I0_1]);
        if (!ordner.empty()) ordner.pop_back();
        if (app->DatenOrdner) std::snprintf(app->DatenOrdner, ORDNER_BYTES, "%s", ordner.c_str());
    }
    const int32_t f = AktivesFenster;
    if (n <= 0 || f < 0 || f > 3) return 0;
    grafik_fenster& g = GrafikFenster[f];
    if (g.CutSection(0, 0.0, 0.0, 0) <= 0) return 0;
    if (n + 5 > g.FeldGroesse() && g.ResizeFelder(n + 5) == 0) return 0;
    const int32_t s = g.AktuellerSlot();
    std::copy(e.x.begin(), e.x.begin() + n, g.XFeld[s]);
    std::copy(e.y.begin(), e.y.begin() + n, g.YFeld[s]);
    g.KurvenFlags[s] = 0;
    return n;
}

void DexSpektrenBefehl()
{
    haupt_fenster* app = &HAUPTDATEN;
    const int32_t n = BerechneDexSpektren(0);
    const int32_t f = AktivesFenster;
    if (f < 0 || f > 3) return;
    grafik_fenster& g = GrafikFenster[f];
    if (n > 0) {
        g.DateiInfo.PunkteProKurve[g.AktuellerSlot()] = n;
        g.SetFullBorder();
    }
    UpdateFensterStatus();
    if (app->Meldungsblock.lParam != 2 && app->GrafikHandles[f])
        PostMessageA(app->GrafikHandles[f], WM_COMMAND, CM_REDRAW, 0);
}
