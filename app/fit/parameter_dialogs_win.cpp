// The paged parameter table and the constraint dialog.
#include "fit/parameter_dialogs_win.h"

#include <richedit.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fit/correlation_win.h"
#include "fit/fit_choice.h"
#include "fit/fit_model.h"
#include "fit/model_function.h"
#include "fit/parameter_dialogs.h"
#include "fit/parameter_file.h"
#include "fit/exafs_terms.h"
#include "fit/xafs_table.h"
#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/spectra_globals.h"

namespace {

const COLORREF WEISS = RGB(255, 255, 255);
const COLORREF CYAN = RGB(0, 255, 255);
const COLORREF GRAU = RGB(192, 192, 192);

// State of the open table.
struct TABELLEN_ZUSTAND {
    int32_t Gesamt = 0;          // function count of the model
    int32_t Seite = 1;
    int32_t Zeilen = TABELLE_ZEILEN;
    bool Xafs = false;           // the XAFS layout
    bool MsPfade = true;         // " Show MS paths"
    TABELLEN_SEITEN Seiten;
    int32_t Parameter = -1;      // the current parameter index
    int32_t Edit = IDC_PT_VALUE; // the edit that last had the focus
    bool Offen = false;          // set once the opening is done
    bool AusGrafik = false;      // opened by the graphic entry
    bool ZurueckGrafik = false;  // "&Graphic" ended it
    TABELLEN_STAND Stand;
    std::vector<double> Anfang;  // the values at opening
    // Settings of the XAFS layout that Cancel puts back.
    int32_t DwModell = 0, DeltaR = -1, MsRegel = 654, PotModus = 1, PolyGrad = 2;
    double Temperatur = 300.0, Charakteristisch = 400.0;
};
TABELLEN_ZUSTAND T;

HINSTANCE Modul()
{
    return HAUPTDATEN.Instanz ? HAUPTDATEN.Instanz : GetModuleHandleA(nullptr);
}

void Farbe(HWND dlg, int id, COLORREF c) { SendDlgItemMessageA(dlg, id, EM_SETBKGNDCOLOR, 0, c); }

int32_t Anzahl(int32_t f)
{
    return FunctionParameterCount(FitFunctionTypes[f - 1], FitPolyDegree, SplineKnotCount);
}

const std::vector<int32_t>& Seite() { return T.Seiten[static_cast<size_t>(T.Seite - 1)]; }
bool LetzteSeite() { return T.Seite >= static_cast<int32_t>(T.Seiten.size()); }

// Function and parameter index of a value edit on the current page; -1
// when the edit holds no parameter.
int32_t EditParameter(int id, int32_t& f)
{
    const int r = (id - IDC_PT_VALUE) / 10, c = (id - IDC_PT_VALUE) % 10;
    f = 0;
    if (r < 0 || r >= static_cast<int>(Seite().size()) || c >= TABELLE_SPALTEN) return -1;
    f = Seite()[static_cast<size_t>(r)];
    if (c >= Anzahl(f)) return -1;
    FitFunctionCount = T.Gesamt;
    return ParameterIndex(f, c);
}

void SeitenBilden()
{
    std::vector<bool> gelistet;
    if (T.Xafs) {
        FitFunctionCount = T.Gesamt;
        for (int32_t f = 1; f <= T.Gesamt; ++f) gelistet.push_back(XafsGelistet(f, T.MsPfade));
    }
    T.Seiten = TabellenSeiten(T.Gesamt, T.Zeilen, gelistet);
    if (T.Seite > static_cast<int32_t>(T.Seiten.size())) T.Seite = static_cast<int32_t>(T.Seiten.size());
}

void SeiteZeigen(HWND dlg)
{
    ShowParameterRow(dlg, T.Zeilen);
    const std::vector<int32_t>& seite = Seite();
    for (size_t r = 0; r < seite.size(); ++r) {
        FitFunctionCount = seite[r];
        const int rr = static_cast<int>(r);
        SetParameterCaptions(dlg, IDC_PT_VALUE + 10 * rr, IDC_PT_FUNCTION + rr,
                             T.Xafs ? -1 : IDC_PT_CAPTION + 10 * rr);
    }
    FitFunctionCount = T.Gesamt;
    SetDlgItemTextA(dlg, IDOK, LetzteSeite() ? "OK" : "Next");
    EnableWindow(GetDlgItem(dlg, IDC_PT_BACK), T.Seite > 1);
}

void SeiteLesen(HWND dlg)
{
    const std::vector<int32_t>& seite = Seite();
    for (size_t r = 0; r < seite.size(); ++r) {
        FitFunctionCount = seite[r];
        ReadParameterTexts(dlg, IDC_PT_VALUE + 10 * static_cast<int>(r));
    }
    FitFunctionCount = T.Gesamt;
}

// The experimental error, and the two temperatures where the layout has
// their edits (the profile layout has none).
void FehlerLesen(HWND dlg)
{
    char text[40] = "";
    GetDlgItemTextA(dlg, IDC_PT_ERROR, text, sizeof text);
    const double e = std::atof(text);
    if (e != 0.0) Numerik.SetExpError(e);
    if (GetDlgItem(dlg, IDC_XT_TEMP)) {
        GetDlgItemTextA(dlg, IDC_XT_TEMP, text, sizeof text);
        MessTemperatur = std::atof(text);
        GetDlgItemTextA(dlg, IDC_XT_DTEMP, text, sizeof text);
        DebyeTemperatur = std::atof(text);
    }
}

void Boxen(HWND dlg)
{
    const int32_t j = T.Parameter;
    const int32_t fl = j >= 0 ? ParameterFlags[j] : 0;
    CheckDlgButton(dlg, IDC_PT_FIXED, (fl & PF_FIXED) ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dlg, IDC_PT_CONSTRAIN, (fl & PF_CONSTRAINED) ? BST_CHECKED : BST_UNCHECKED);
    const bool korreliert = j >= 0 && (fl & PF_CORRELATED);
    CheckDlgButton(dlg, IDC_PT_CORRELATION, korreliert ? BST_CHECKED : BST_UNCHECKED);
    EnableWindow(GetDlgItem(dlg, IDC_PT_CORRELATION), !korreliert);
    if (T.Xafs) XafsBoxen(dlg, j);
}

void Zurueck(HWND dlg) { SetFocus(GetDlgItem(dlg, T.Edit)); }

std::string SchemaDatei(HWND dlg)
{
    char name[101] = "";
    GetDlgItemTextA(dlg, IDC_PT_SCHEME, name, sizeof name);
    const char* ordner = HAUPTDATEN.ProgrammOrdner ? HAUPTDATEN.ProgrammOrdner : ".";
    return std::string(ordner) + "\\" + name + ".dat";
}

void TabelleOeffnen(HWND dlg, int32_t gesamt)
{
    CenterDialog(dlg);
    const bool ausGrafik = T.AusGrafik;
    T = TABELLEN_ZUSTAND{};
    T.AusGrafik = ausGrafik;
    T.Gesamt = FitFunctionCount = gesamt;
    T.Xafs = GetDlgItem(dlg, IDC_XT_SHOW_MS) != nullptr;
    T.Zeilen = T.Xafs ? XAFS_ZEILEN : TABELLE_ZEILEN;
    T.Stand = TabellenMerken();
    T.Anfang = T.Stand.Block;
    T.DwModell = DebyeWallerModell;
    T.DeltaR = DeltaRModus;
    T.MsRegel = MsSigmaRegel;
    T.PotModus = PotentialModus;
    T.PolyGrad = DwPolynomGrad;
    T.Temperatur = MessTemperatur;
    T.Charakteristisch = DebyeTemperatur;
    SeitenBilden();
    const int32_t w = AktivesFenster;
    double fehler = 1.0E-3;
    if (w >= 0 && w < 4 && HAUPTDATEN.GrafikHandles[w]) {
        grafik_fenster& g = GrafikFenster[w];
        if (g.GetYFeld(-1) && g.Punkte() <= g.FeldGroesse()) fehler = RauschSchaetzung(g.GetYFeld(-1), g.Punkte());
    }
    char text[40];
    std::snprintf(text, sizeof text, "%.8G", fehler);
    SetDlgItemTextA(dlg, IDC_PT_ERROR, text);
    if (HilfeThema == -111) SetWindowTextA(dlg, "Enter Parameters for XAFS Simulation");
    if (HilfeThema == -222) SetWindowTextA(dlg, "Enter Parameters for XAFS Fit");
    // Return to the mouse entry only when the graphic entry opened the table.
    EnableWindow(GetDlgItem(dlg, IDC_PT_GRAPHIC), T.AusGrafik && HilfeThema != 100 && HilfeThema != -111 &&
                                                      HilfeThema != -222);
    for (int i = 1; i <= 3; ++i) {
        std::snprintf(text, sizeof text, "scheme_%d", i);
        SendDlgItemMessageA(dlg, IDC_PT_SCHEME, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendDlgItemMessageA(dlg, IDC_PT_SCHEME, CB_SETCURSEL, 0, 0);
    const bool xrd = T.Gesamt > 0 && FitFunctionTypes[0] == 26;
    ShowWindow(GetDlgItem(dlg, IDC_PT_XRD_SHIFT), xrd ? SW_SHOW : SW_HIDE);
    if (xrd) CheckDlgButton(dlg, IDC_PT_XRD_SHIFT, (ParameterFlags[1] & PF_E0_SHIFT) ? BST_CHECKED : BST_UNCHECKED);
    if (T.Xafs) XafsTabelleOeffnen(dlg);
    SeiteZeigen(dlg);
    T.Offen = true;
    SetFocus(GetDlgItem(dlg, IDC_PT_VALUE));
}

void Festhalten(HWND dlg)
{
    const int32_t j = T.Parameter;
    if (j < 0) return;
    if (T.Xafs) {
        XafsFestBefehl(j);
    } else if (ParameterFlags[j] & PF_FIXED) {
        FreeParameter(j);
    } else {
        FixParameter(j);
    }
    if (ParameterFlags[j] & PF_FIXED) CheckDlgButton(dlg, IDC_PT_CONSTRAIN, BST_UNCHECKED);
    if (T.Xafs) {
        XafsZaehler(dlg);
        SeiteZeigen(dlg);
    }
    Farbe(dlg, T.Edit, ParameterColour(ParameterFlags[j]));
    Zurueck(dlg);
}

void Einschraenken(HWND dlg)
{
    const int32_t j = T.Parameter;
    if (j < 0) return;
    if (ParameterFlags[j] & PF_FIXED) {
        CheckDlgButton(dlg, IDC_PT_CONSTRAIN, BST_UNCHECKED);
        return;
    }
    ParameterFlags[j] ^= PF_CONSTRAINED;
    if (ParameterFlags[j] & PF_CONSTRAINED) {
        const INT_PTR r = DialogBoxParamA(Modul(), "SETCONSTRAIN", dlg, SetConstrainProc, 0);
        const double unten = HAUPTDATEN.DialogWerte[1], oben = HAUPTDATEN.DialogWerte[2];
        if (r != 1 || !(oben > unten)) {
            ParameterFlags[j] &= ~PF_CONSTRAINED;
            CheckDlgButton(dlg, IDC_PT_CONSTRAIN, BST_UNCHECKED);
        } else {
            FitParameters[LowerBoundIndex(j)] = unten;
            FitParameters[UpperBoundIndex(j)] = oben;
        }
    }
    Farbe(dlg, T.Edit, ParameterColour(ParameterFlags[j]));
    Zurueck(dlg);
}

// The correlation boxes: SP takes the correlated bit while the correlation
// dialog is open; OK makes it the master of the rules chosen there (or, for
// the multiple-scattering rule, a dependent of its two paths), Cancel takes
// the bit back.
void Korrelieren(HWND dlg, bool mehrfach)
{
    const int32_t j = T.Parameter;
    if (j < 0 || (ParameterFlags[j] & PF_CORRELATED)) {
        Boxen(dlg);
        return;
    }
    SeiteLesen(dlg);
    ParameterFlags[j] |= PF_CORRELATED;
    int32_t f = 0;
    EditParameter(T.Edit, f);
    const int32_t altesThema = HilfeThema;
    HilfeThema = j - ParameterIndex(f, 0);
    const INT_PTR r = mehrfach ? DialogBoxParamA(Modul(), "SET_MSCORRELATION", dlg, SetMsCorrelationProc, j)
                               : DialogBoxParamA(Modul(), "SET_CORRELATION", dlg, SetCorrelationProc, j);
    HilfeThema = altesThema;
    FitFunctionCount = T.Gesamt;
    if (r != 1) RemoveCorrelation(j);
    if (T.Xafs) XafsZaehler(dlg);
    SeiteZeigen(dlg);
    Boxen(dlg);
    Zurueck(dlg);
}

void Schema(HWND dlg, bool speichern)
{
    SeiteLesen(dlg);
    const std::string pfad = SchemaDatei(dlg);
    std::FILE* f = std::fopen(pfad.c_str(), speichern ? "wt+" : "rt");
    if (!f) return;  // a scheme that cannot be opened does nothing
    std::string fehler;
    const bool nurFlags = IsDlgButtonChecked(dlg, IDC_XT_FLAGS_ONLY) == BST_CHECKED;
    const int32_t gut = speichern ? WriteScheme(f) : ReadScheme(f, nurFlags, fehler);
    std::fclose(f);
    if (!speichern && gut != 1)
        MeldungsBox(dlg, (fehler + "\r\nThe parameters were not changed.").c_str(), "Error !!",
                    MB_OK | MB_ICONSTOP);
    if (T.Xafs) XafsZaehler(dlg);
    SeiteZeigen(dlg);
}

void Beenden(HWND dlg, INT_PTR r)
{
    if (r == 0) {
        TabellenZurueck(T.Stand);
        DebyeWallerModell = T.DwModell;
        DeltaRModus = T.DeltaR;
        MsSigmaRegel = T.MsRegel;
        PotentialModus = T.PotModus;
        DwPolynomGrad = T.PolyGrad;
        MessTemperatur = T.Temperatur;
        DebyeTemperatur = T.Charakteristisch;
    }
    FitFunctionCount = T.Gesamt;
    if (r == 1 && T.Xafs) XafsTabelleBeendet();
    T.Offen = false;
    EndDialog(dlg, r);
}

}  // namespace

void ShowParameterRow(HWND dlg, int32_t n)
{
    for (int r = 0; r < n; ++r) {
        ShowWindow(GetDlgItem(dlg, IDC_PT_FUNCTION + r), SW_HIDE);
        for (int c = 0; c < TABELLE_SPALTEN; ++c) {
            ShowWindow(GetDlgItem(dlg, IDC_PT_VALUE + 10 * r + c), SW_HIDE);
            if (n < 5) ShowWindow(GetDlgItem(dlg, IDC_PT_CAPTION + 10 * r + c), SW_HIDE);
        }
    }
}

void ReadParameterTexts(HWND dlg, int32_t ersteId)
{
    const int32_t f = FitFunctionCount;
    if (f < 1 || !FitFunctionTypes || !FitParameters) return;
    const int32_t n = Anzahl(f);
    const int32_t basis = ParameterIndex(f, 0);
    for (int32_t c = 0; c < n && c < TABELLE_SPALTEN; ++c) {
        char text[36] = "";
        GetDlgItemTextA(dlg, ersteId + c, text, sizeof text);
        FitParameters[basis + c] = text[0] ? std::atof(text) : 0.0;
    }
}

void SetParameterCaptions(HWND dlg, int32_t ersteId, int32_t funktionsText, int32_t zeilenText)
{
    const int32_t f = FitFunctionCount;
    if (f < 1 || !FitFunctionTypes || !FitParameters) return;
    int32_t typ = FitFunctionTypes[f - 1];
    if (typ > 100) typ -= 100;
    const int32_t n = Anzahl(f);
    const int32_t basis = ParameterIndex(f, 0);
    // The graphic entry has a fix box beside each edit.
    const bool grafisch = zeilenText == IDC_SP_CAPTION;
    SetDlgItemTextA(dlg, funktionsText, FunktionsTitel(f).c_str());
    ShowWindow(GetDlgItem(dlg, funktionsText), SW_SHOW);
    const std::vector<ZUSATZ_ZEILE> zusatz = ZusatzZeilen(f, CommandText2);
    for (int32_t c = 0; c < TABELLE_SPALTEN; ++c) {
        const ZUSATZ_ZEILE* z = nullptr;
        for (const ZUSATZ_ZEILE& k : zusatz)
            if (k.Spalte == c) z = &k;
        const bool da = c < n || z;
        HWND edit = GetDlgItem(dlg, ersteId + c);
        ShowWindow(edit, da ? SW_SHOW : SW_HIDE);
        SendMessageA(edit, EM_SETREADONLY, c >= n, 0);
        if (zeilenText != -1) {
            ShowWindow(GetDlgItem(dlg, zeilenText + c), da ? SW_SHOW : SW_HIDE);
            if (da) SetDlgItemTextA(dlg, zeilenText + c, z ? z->Titel.c_str() : ParameterBeschriftung(typ, c).c_str());
        }
        if (grafisch) ShowWindow(GetDlgItem(dlg, IDC_SP_FIX + c), c < n ? SW_SHOW : SW_HIDE);
        if (!da) continue;
        if (c >= n) {
            SetWindowTextA(edit, z->Text.c_str());
            SendMessageA(edit, EM_SETBKGNDCOLOR, 0, z->Grau ? GRAU : WEISS);
            EnableWindow(edit, TRUE);
            continue;
        }
        const int32_t j = basis + c;
        const int32_t fl = ParameterFlags ? ParameterFlags[j] : 0;
        char text[40];
        std::snprintf(text, sizeof text, "%.8G", FitParameters[j]);
        SetWindowTextA(edit, text);
        SendMessageA(edit, EM_SETBKGNDCOLOR, 0, ParameterColour(fl));
        if (grafisch) {
            EnableWindow(edit, !(fl & PF_FIXED));
            CheckDlgButton(dlg, IDC_SP_FIX + c, (fl & PF_FIXED) ? BST_CHECKED : BST_UNCHECKED);
        }
    }
}

INT_PTR CALLBACK SetAllParameterProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        TabelleOeffnen(dlg, static_cast<int32_t>(lParam));
        return FALSE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        // Controls report their focus while the dialog is still being made.
        if (!T.Offen) return FALSE;
        if (id >= IDC_PT_VALUE && id < IDC_PT_VALUE + 10 * T.Zeilen) {
            int32_t f = 0;
            const int32_t j = EditParameter(id, f);
            if (HIWORD(wParam) == EN_SETFOCUS && j >= 0) {
                T.Edit = id;
                T.Parameter = j;
                Boxen(dlg);
            }
            return TRUE;
        }
        switch (id) {
        case IDC_PT_FIXED:
            Festhalten(dlg);
            return TRUE;
        case IDC_PT_CONSTRAIN:
            Einschraenken(dlg);
            return TRUE;
        case IDC_PT_CORRELATION:
            Korrelieren(dlg, false);
            return TRUE;
        case IDC_PT_XRD_SHIFT:
            ParameterFlags[1] ^= PF_E0_SHIFT;
            return TRUE;
        case IDC_PT_SCHEME_SAVE:
            Schema(dlg, true);
            return TRUE;
        case IDC_PT_SCHEME_LOAD:
            Schema(dlg, false);
            return TRUE;
        case IDOK:
            FehlerLesen(dlg);
            SeiteLesen(dlg);
            if (T.Xafs) XafsWeiter(dlg);
            if (!LetzteSeite()) {
                ++T.Seite;
                SeiteZeigen(dlg);
                SetFocus(GetDlgItem(dlg, IDC_PT_VALUE));
                return TRUE;
            }
            Beenden(dlg, 1);
            return TRUE;
        case IDC_PT_BACK:
            SeiteLesen(dlg);
            if (T.Seite > 1) --T.Seite;
            SeiteZeigen(dlg);
            return TRUE;
        case IDC_PT_GRAPHIC:
            SeiteLesen(dlg);
            T.ZurueckGrafik = true;
            Beenden(dlg, 1);
            return TRUE;
        case IDCANCEL:
            Beenden(dlg, 0);
            return TRUE;
        case IDC_XT_MULTIPLE:
            if (T.Xafs) Korrelieren(dlg, true);
            return TRUE;
        case IDC_XT_EXIT:
            SeiteLesen(dlg);
            if (T.Xafs) XafsWeiter(dlg);
            Beenden(dlg, 1);
            return TRUE;
        default:
            return T.Xafs && XafsBefehl(dlg, id, HIWORD(wParam)) ? TRUE : FALSE;
        }
    }
    default:
        return FALSE;
    }
}

void TabelleSeiteLesen(HWND dlg) { SeiteLesen(dlg); }

void TabelleSeiteZeigen(HWND dlg) { SeiteZeigen(dlg); }

void TabelleMsPfade(HWND dlg, bool an)
{
    SeiteLesen(dlg);
    T.MsPfade = an;
    // Without the longer paths the pages change: back to the first.
    if (!an) T.Seite = 1;
    SeitenBilden();
    SeiteZeigen(dlg);
}

void TabelleErsteSeite(HWND dlg)
{
    if (!T.MsPfade) T.Seite = 1;
    SeiteZeigen(dlg);
}

int32_t TabelleParameter() { return T.Parameter; }
int32_t TabelleEdit() { return T.Edit; }
int32_t TabelleGesamt() { return T.Gesamt; }
const double* TabelleAnfang() { return T.Anfang.empty() ? nullptr : T.Anfang.data(); }

INT_PTR ParameterTabelleOeffnen(HWND eltern, int32_t gesamt, bool ausGrafik, int32_t* zurueckGrafik)
{
    if (!ParameterFlags || !FitParameters || !FitFunctionTypes) return 0;
    LoadLibraryA("RICHED20.DLL");
    const bool xafs = gesamt > 0 && FitFunctionTypes[0] == 25 && !HAUPTDATEN.SchmalesFenster;
    T.AusGrafik = ausGrafik;
    const INT_PTR r = DialogBoxParamA(Modul(), xafs ? "SET_XAFS_PARAMETERS" : "SET_ALL_PARAMETER", eltern,
                                      SetAllParameterProc, gesamt);
    if (zurueckGrafik) *zurueckGrafik = T.ZurueckGrafik ? 1 : 0;
    T.Offen = false;
    T.AusGrafik = false;
    FitFunctionCount = gesamt;
    return r;
}

INT_PTR CALLBACK SetConstrainProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG: {
        CenterDialog(dlg);
        std::string unten, oben;
        SchrankenVorgaben(HilfeThema, unten, oben);
        SetDlgItemTextA(dlg, IDC_SC_BOTTOM, unten.c_str());
        SetDlgItemTextA(dlg, IDC_SC_TOP, oben.c_str());
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: {
            char text[31] = "";
            GetDlgItemTextA(dlg, IDC_SC_TOP, text, sizeof text);
            const double oben = HilfeThema == 1 && std::strncmp(text, "CN", 2) == 0 ? 9999.0 : std::atof(text);
            GetDlgItemTextA(dlg, IDC_SC_BOTTOM, text, sizeof text);
            HAUPTDATEN.DialogWerte[1] = std::atof(text);
            HAUPTDATEN.DialogWerte[2] = oben;
            EndDialog(dlg, 1);
            return TRUE;
        }
        case IDCANCEL:
            EndDialog(dlg, 0);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

int32_t ParameterTabelle(haupt_fenster* app)
{
    return static_cast<int32_t>(ParameterTabelleOeffnen(app->Hauptfenster, FitFunctionCount, false, nullptr));
}
