// The McMaster calculator MUCAL (command 842): an element and a photon
// energy in, the element's tabulated data and the absorption of a gas-filled
// ion chamber out. The look-ups are in mcmaster_calc_core.cpp.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/haupt_fenster.h"
#include "xas/mcmaster_calc.h"
#include "xas/xas_entries.h"

namespace {

const char* const KEINE_DATEN = "  No data found for that element!  ";

// Button 1 searches while this is set, and closes the dialog otherwise.
bool suchen = true;
// Set while the dialog writes its own fields, so that their EN_CHANGE does
// not count as the user's edit.
bool schreibt = false;

std::string Text(HWND dlg, int id, int laenge)
{
    std::vector<char> t(static_cast<std::size_t>(laenge) + 1, '\0');
    GetDlgItemTextA(dlg, id, t.data(), laenge + 1);
    return t.data();
}

void Setze(HWND dlg, int id, const char* text)
{
    schreibt = true;
    SetDlgItemTextA(dlg, id, text);
    schreibt = false;
}

void Zahl(HWND dlg, int id, const char* format, double wert)
{
    char t[64];
    std::snprintf(t, sizeof t, format, wert);
    Setze(dlg, id, t);
}

void Modus(HWND dlg, bool suche)
{
    suchen = suche;
    SetDlgItemTextA(dlg, IDOK, suche ? "Search" : "EXIT");
}

void Liste(HWND dlg, int id, const std::vector<std::string>& zeilen)
{
    SendDlgItemMessageA(dlg, id, LB_RESETCONTENT, 0, 0);
    for (const std::string& z : zeilen) SendDlgItemMessageA(dlg, id, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(z.c_str()));
}

std::vector<std::string> Zahlen(const double* werte, std::size_t n)
{
    std::vector<std::string> zeilen;
    for (std::size_t i = 0; i < n; ++i) {
        char t[40];
        std::snprintf(t, sizeof t, "%.6G", werte[i]);
        zeilen.push_back(t);
    }
    return zeilen;
}

std::vector<std::string> Beschriftungen(UINT eintrag)
{
    char t[341] = "";
    LoadStringA(ProgrammModul(), eintrag, t, sizeof t);
    return TeileBeschriftungen(t);
}

// An element or gas the table does not know: the element field goes back
// to copper and the two value lists are emptied.
void NichtGefunden(HWND dlg)
{
    MeldungsBox(dlg, KEINE_DATEN, "Error!", MB_OK | MB_ICONEXCLAMATION);
    Setze(dlg, IDC_MC_ELEMENT, "Cu");
    SendDlgItemMessageA(dlg, IDC_MC_KANTEN, LB_RESETCONTENT, 0, 0);
    SendDlgItemMessageA(dlg, IDC_MC_WERTE, LB_RESETCONTENT, 0, 0);
}

void Suche(HWND dlg)
{
    const double e = std::atof(Text(dlg, IDC_MC_ENERGIE, 40).c_str());
    McMasterElement el;
    switch (McMasterSuche(McMasterTable, Text(dlg, IDC_MC_ELEMENT, 10), e, &el)) {
    case McMasterFehler::Energie:
        MeldungsBox(dlg, "Energy must be above 0 keV.", "Error!", MB_OK | MB_ICONEXCLAMATION);
        return;
    case McMasterFehler::Element: NichtGefunden(dlg); return;
    case McMasterFehler::Keiner: break;
    }
    Modus(dlg, false);
    Zahl(dlg, IDC_MC_Z, "%.5G", el.Z);
    Zahl(dlg, IDC_MC_GEWICHT, "%.5G", el.Gewicht());
    Zahl(dlg, IDC_MC_DICHTE, "%.5G", el.Dichte());
    Zahl(dlg, IDC_MC_ABSORPTION, "%.5G", el.Absorption());
    Zahl(dlg, IDC_MC_MASSE, "%.5G", el.Massenabsorption());
    Liste(dlg, IDC_MC_KANTEN_TEXT, Beschriftungen(IDS_MC_KANTEN));
    Liste(dlg, IDC_MC_KANTEN, Zahlen(el.Kanten, 9));
    Liste(dlg, IDC_MC_WERTE_TEXT, Beschriftungen(IDS_MC_WERTE));
    const std::vector<double> werte = McMasterListenWerte(el);
    Liste(dlg, IDC_MC_WERTE, Zahlen(werte.data(), werte.size()));

    const double laenge = std::atof(Text(dlg, IDC_MC_LAENGE, 40).c_str());
    const double prozent = std::atof(Text(dlg, IDC_MC_PROZENT1, 10).c_str());
    IonenKammer k;
    const bool gefunden = IonenKammerAbsorption(McMasterTable, Text(dlg, IDC_MC_GAS1, 10),
                                                Text(dlg, IDC_MC_GAS2, 10), e, laenge, prozent, &k);
    if (prozent > 100.0 || prozent < 0.0) Setze(dlg, IDC_MC_PROZENT1, "100");
    Zahl(dlg, IDC_MC_PROZENT2, "%G", 100.0 - (prozent > 100.0 || prozent < 0.0 ? 100.0 : prozent));
    if (!gefunden) {
        NichtGefunden(dlg);
        return;
    }
    Zahl(dlg, IDC_MC_KAMMER, "%G", k.Absorption);
}

INT_PTR CALLBACK McMasterProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        CenterDialog(dlg);
        Setze(dlg, IDC_MC_ELEMENT, "Cu");
        Setze(dlg, IDC_MC_ENERGIE, "9.2");
        Setze(dlg, IDC_MC_LAENGE, "25.0");
        Setze(dlg, IDC_MC_GAS1, "N");
        Setze(dlg, IDC_MC_PROZENT1, "95");
        Setze(dlg, IDC_MC_GAS2, "Ar");
        Setze(dlg, IDC_MC_PROZENT2, "5");
        Modus(dlg, true);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_MC_ELEMENT: case IDC_MC_ENERGIE: case IDC_MC_LAENGE:
        case IDC_MC_GAS1: case IDC_MC_GAS2: case IDC_MC_PROZENT1:
            if (HIWORD(wParam) == EN_CHANGE && !schreibt && !suchen) Modus(dlg, true);
            return TRUE;
        case IDOK:
            if (!suchen) EndDialog(dlg, 1);
            else Suche(dlg);
            return TRUE;
        case IDCANCEL: EndDialog(dlg, 0); return TRUE;
        default: return FALSE;
        }
    default: return FALSE;
    }
}

}  // namespace

int32_t McMasterDialog()
{
    suchen = true;
    return static_cast<int32_t>(
        DialogBoxParamA(GetModuleHandleA(nullptr), "MUCAL", HAUPTDATEN.Hauptfenster, McMasterProc, 0));
}
