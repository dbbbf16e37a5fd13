#include "spectra/data_dialogs_win.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/haupt_fenster.h"
#include "spectra/data_arithmetic.h"
#include "spectra/data_dialogs.h"
#include "spectra/spectra_globals.h"

DATEN_ANWENDEN DatenAnwenden = nullptr;

namespace {

// Edit controls take numbers of up to 39 characters; file names a path.
const int ZAHL_ZEICHEN = 39;

HINSTANCE Modul()
{
    return HAUPTDATEN.Instanz ? HAUPTDATEN.Instanz : GetModuleHandleA(nullptr);
}

double* DW()
{
    return HAUPTDATEN.DialogWerte;
}

grafik_fenster* Fenster(int32_t w)
{
    return w >= 0 && w < DIALOG_FENSTER ? &GrafikFenster[w] : nullptr;
}

bool FensterOffen(int32_t w)
{
    return w >= 0 && w < DIALOG_FENSTER && HAUPTDATEN.GrafikHandles[w] != nullptr;
}

bool Gecheckt(HWND dlg, int id)
{
    return IsDlgButtonChecked(dlg, id) == BST_CHECKED;
}

void Zeige(HWND dlg, int id, bool sichtbar)
{
    ShowWindow(GetDlgItem(dlg, id), sichtbar ? SW_SHOW : SW_HIDE);
}

void SetzeZahl(HWND dlg, int id, double v)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.8G", v);
    SetDlgItemTextA(dlg, id, text);
}

void Fehler(HWND dlg, int id, const char* text)
{
    MeldungsBox(dlg, text, "Error !!", MB_OK | MB_ICONEXCLAMATION);
    if (HWND feld = GetDlgItem(dlg, id)) {
        SetFocus(feld);
        SendMessageA(feld, EM_SETSEL, 0, -1);
    }
}

// Reads a number from an edit control; a wrong entry is shown to the user,
// who corrects it while the dialog stays open.
bool ZahlAus(HWND dlg, int id, double* wert)
{
    char text[ZAHL_ZEICHEN + 2] = "";
    GetDlgItemTextA(dlg, id, text, sizeof text);
    if (LiesZahl(text, wert)) return true;
    char meldung[120];
    std::snprintf(meldung, sizeof meldung, " '%s' is not a valid number !!", text);
    Fehler(dlg, id, meldung);
    return false;
}

bool GanzzahlAus(HWND dlg, int id, int32_t min, int32_t max, const char* name, int32_t* wert)
{
    char text[ZAHL_ZEICHEN + 2] = "";
    GetDlgItemTextA(dlg, id, text, sizeof text);
    if (LiesGanzzahl(text, wert) && *wert >= min && *wert <= max) return true;
    char meldung[160];
    std::snprintf(meldung, sizeof meldung, " %s must be a whole number from %d to %d !!", name,
                  static_cast<int>(min), static_cast<int>(max));
    Fehler(dlg, id, meldung);
    return false;
}

void BegrenzeEdit(HWND dlg, int id, int zeichen)
{
    SendDlgItemMessageA(dlg, id, EM_LIMITTEXT, zeichen, 0);
}

std::string Zeichenkette(UINT id)
{
    char text[128] = "";
    LoadStringA(Modul(), id, text, sizeof text);
    return text;
}

// Function names 220 .. 220 + anzahl - 1 of the string table, entry 0 chosen.
void FuelleFunktionen(HWND dlg, int id, int anzahl)
{
    SendDlgItemMessageA(dlg, id, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < anzahl; ++i) {
        const std::string name = Zeichenkette(IDS_FUNCTION_FIRST + i);
        SendDlgItemMessageA(dlg, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    SendDlgItemMessageA(dlg, id, CB_SETCURSEL, 0, 0);
}

int Auswahl(HWND dlg, int id)
{
    const LRESULT r = SendDlgItemMessageA(dlg, id, CB_GETCURSEL, 0, 0);
    return r == CB_ERR ? 0 : static_cast<int>(r);
}

// Answers help and Cancel, the same in every dialog.
bool Gemeinsam(HWND dlg, WORD befehl, int32_t thema, INT_PTR abbruch)
{
    if (befehl == IDC_DLG_HELP) {
        DialogHilfe(thema);
        return true;
    }
    if (befehl == IDCANCEL) {
        EndDialog(dlg, abbruch);
        return true;
    }
    return false;
}

// ---- COPYFELD ----
int32_t kopierFenster = -1;

}  // namespace

INT_PTR CALLBACK CopyFeldProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        kopierFenster = AktivesFenster;
        CenterDialog(dlg);
        for (int32_t w = 0; w < DIALOG_FENSTER; ++w) {
            const bool offen = FensterOffen(w);
            Zeige(dlg, IDC_WIN_GROUP + 10 * w, offen);
            const grafik_fenster& rec = GrafikFenster[w];
            if (offen) SetDlgItemTextA(dlg, IDC_WIN_GROUP + 10 * w, rec.DateiInfo.DateiName);
            const int32_t slots = offen ? AngeboteneSlots(rec.NeuesterZaehler) : 0;
            for (int32_t s = 0; s < DIALOG_SLOTS; ++s) {
                const int id = IDC_WIN_SLOT + 10 * w + s;
                Zeige(dlg, id, s < slots);
                // Copying a curve onto itself would do nothing.
                if (w == kopierFenster && s == rec.AktuellerSlot())
                    EnableWindow(GetDlgItem(dlg, id), FALSE);
            }
        }
        return TRUE;
    }
    if (msg != WM_COMMAND) return FALSE;
    const WORD befehl = LOWORD(wParam);
    if (Gemeinsam(dlg, befehl, 601, -1)) return TRUE;
    if (befehl >= IDC_WIN_SLOT && befehl < IDC_WIN_SLOT + 10 * DIALOG_FENSTER &&
        HIWORD(wParam) == BN_CLICKED) {
        // One choice over all groups.
        for (int32_t i = 0; i < DIALOG_KURVEN; ++i) {
            const int id = IDC_WIN_SLOT + 10 * (i / DIALOG_SLOTS) + i % DIALOG_SLOTS;
            if (id != befehl) CheckDlgButton(dlg, id, BST_UNCHECKED);
        }
        return TRUE;
    }
    if (befehl == IDOK) {
        bool gewaehlt[DIALOG_KURVEN];
        for (int32_t i = 0; i < DIALOG_KURVEN; ++i)
            gewaehlt[i] = Gecheckt(dlg, IDC_WIN_SLOT + 10 * (i / DIALOG_SLOTS) + i % DIALOG_SLOTS);
        EndDialog(dlg, KopierAuswahl(gewaehlt));
        return TRUE;
    }
    return FALSE;
}

// ---- TAKEFELD ----
namespace {
int32_t einfuegeFenster = -1;
}

INT_PTR CALLBACK TakeFeldProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        einfuegeFenster = AktivesFenster;
        CenterDialog(dlg);
        const grafik_fenster* rec = Fenster(einfuegeFenster);
        const int32_t slots = rec ? AngeboteneSlots(rec->NeuesterZaehler) : 0;
        for (int32_t s = 0; s < DIALOG_SLOTS; ++s) {
            Zeige(dlg, IDC_TAKE_SLOT + s, s < slots);
            if (rec && s == rec->AktuellerSlot()) EnableWindow(GetDlgItem(dlg, IDC_TAKE_SLOT + s), FALSE);
        }
        BegrenzeEdit(dlg, IDC_TAKE_FROM, ZAHL_ZEICHEN);
        BegrenzeEdit(dlg, IDC_TAKE_TO, ZAHL_ZEICHEN);
        SetzeZahl(dlg, IDC_TAKE_FROM, rec ? rec->Grenzen[1] : 0.0);
        SetzeZahl(dlg, IDC_TAKE_TO, rec ? rec->Grenzen[0] : 0.0);
        SetFocus(GetDlgItem(dlg, IDC_TAKE_FROM));
        return FALSE;
    }
    if (msg != WM_COMMAND) return FALSE;
    const WORD befehl = LOWORD(wParam);
    if (Gemeinsam(dlg, befehl, 606, 0)) return TRUE;
    if (befehl == IDOK) {
        double von = 0.0, bis = 0.0;
        if (!ZahlAus(dlg, IDC_TAKE_FROM, &von) || !ZahlAus(dlg, IDC_TAKE_TO, &bis)) return TRUE;
        int32_t slot = -1;
        for (int32_t s = 0; s < DIALOG_SLOTS && slot < 0; ++s)
            if (Gecheckt(dlg, IDC_TAKE_SLOT + s)) slot = s;
        const int32_t ergebnis = EinfuegeErgebnis(Gecheckt(dlg, IDC_TAKE_ORIGINAL), slot);
        if (ergebnis == 0) {
            MeldungsBox(dlg, " Please choose the graph to paste into !!", "Error !!",
                        MB_OK | MB_ICONEXCLAMATION);
            return TRUE;
        }
        DW()[1] = von;
        DW()[2] = bis;
        EndDialog(dlg, ergebnis);
        return TRUE;
    }
    return FALSE;
}

// ---- FUNCFELD ----
INT_PTR CALLBACK FuncFeldProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        CenterDialog(dlg);
        if (grafik_fenster* rec = Fenster(AktivesFenster)) {
            FitFunctionCount = rec->AnzahlFunktionen;
            FitFunctionTypes = rec->FunktionsTypen;
            FitParameters = rec->Parameter;
            FitPolyDegree = rec->PolyGrad;
            FitModellArt = rec->ModellArt;
            SetDlgItemInt(dlg, IDC_FUNC_POINTS, static_cast<UINT>(rec->Punkte()), TRUE);
        }
        BegrenzeEdit(dlg, IDC_FUNC_POINTS, ZAHL_ZEICHEN);
        BegrenzeEdit(dlg, IDC_FUNC_NUMBER, ZAHL_ZEICHEN);
        EnableWindow(GetDlgItem(dlg, IDC_FUNC_SINGLE), FitFunctionCount >= 2);
        const bool fest =
            FitFunctionCount > 0 && FitFunctionTypes && FunktionPunkteFest(FitFunctionTypes[0]);
        EnableWindow(GetDlgItem(dlg, IDC_FUNC_POINTS), !fest);
        return TRUE;
    }
    if (msg != WM_COMMAND) return FALSE;
    const WORD befehl = LOWORD(wParam);
    if (Gemeinsam(dlg, befehl, 603, 0)) return TRUE;
    if (befehl == IDC_FUNC_SINGLE) {
        const bool einzeln = Gecheckt(dlg, IDC_FUNC_SINGLE);
        Zeige(dlg, IDC_FUNC_NUMBER_LABEL, einzeln);
        Zeige(dlg, IDC_FUNC_NUMBER, einzeln);
        return TRUE;
    }
    if (befehl == IDOK) {
        int32_t punkte = 0, nummer = -1;
        if (!GanzzahlAus(dlg, IDC_FUNC_POINTS, FUNKTION_MIN_PUNKTE, FUNKTION_MAX_PUNKTE,
                         "The number of data points", &punkte))
            return TRUE;
        if (Gecheckt(dlg, IDC_FUNC_SINGLE) &&
            !GanzzahlAus(dlg, IDC_FUNC_NUMBER, 1, FitFunctionCount > 1 ? FitFunctionCount : 1,
                         "The number of function", &nummer))
            return TRUE;
        DW()[0] = punkte;
        DW()[1] = nummer;
        EndDialog(dlg, punkte);
        return TRUE;
    }
    return FALSE;
}

// ---- GET_FILE_INFORMATION ----
namespace {
int32_t infoFenster = -1;

int32_t ListenLaenge(const int32_t* liste)
{
    const int32_t n = liste[0];
    return n < 0 ? 0 : (n > MAX_SPALTEN ? MAX_SPALTEN : n);
}

void FuelleSpalten(HWND dlg, int id, const int32_t* liste, int32_t aktuell)
{
    const std::string spalte = Zeichenkette(IDS_COLUMN);
    const int32_t n = ListenLaenge(liste);
    int wahl = 0;
    for (int32_t i = 1; i <= n; ++i) {
        const std::string text = std::to_string(liste[i]) + spalte;
        SendDlgItemMessageA(dlg, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (liste[i] == aktuell) wahl = i - 1;
    }
    SendDlgItemMessageA(dlg, id, CB_SETCURSEL, wahl, 0);
}

void SetzeGanzzahl(HWND dlg, int id, int32_t v, const char* anhang = "")
{
    char text[40];
    std::snprintf(text, sizeof text, "%d%s", static_cast<int>(v), anhang);
    SetDlgItemTextA(dlg, id, text);
}
}  // namespace

INT_PTR CALLBACK GetFileInformationProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        infoFenster = AktivesFenster;
        CenterDialog(dlg);
        const grafik_fenster* rec = Fenster(infoFenster);
        if (!rec) return TRUE;
        const DateiInfo& di = rec->DateiInfo;
        char titel[700];
        GetWindowTextA(dlg, titel, 64);
        const size_t l = std::strlen(titel);
        std::snprintf(titel + l, sizeof titel - l, "  - %s", di.DateiName);
        SetWindowTextA(dlg, titel);
        SetDlgItemTextA(dlg, IDC_INFO_NAME, di.DateiName);
        SetDlgItemTextA(dlg, IDC_INFO_FOLDER, di.Ordner);
        SetzeGanzzahl(dlg, IDC_INFO_SIZE, di.DateiGroesse, " Byte");
        SetzeGanzzahl(dlg, IDC_INFO_POINTS, di.Punkte);
        SetzeGanzzahl(dlg, IDC_INFO_TEXTLINES, di.Kopfzeilen);
        SetzeGanzzahl(dlg, IDC_INFO_COLUMNS, di.Spalten);
        SetzeGanzzahl(dlg, IDC_INFO_XCOLUMNS, ListenLaenge(di.XSpalten));
        SetzeGanzzahl(dlg, IDC_INFO_YCOLUMNS, ListenLaenge(di.AlleSpalten));
        FuelleSpalten(dlg, IDC_INFO_XCOMBO, di.XSpalten, di.XSpalte);
        FuelleSpalten(dlg, IDC_INFO_YCOMBO, di.AlleSpalten, di.YSpalte);
        char pfad[2600];
        std::string vorschau;
        if (DateiPfad(di, pfad, sizeof pfad))
            DateiVorschau(pfad, di.Kopfzeilen, di.Punkte, &vorschau);
        SetDlgItemTextA(dlg, IDC_INFO_PREVIEW, vorschau.c_str());
        const bool dxas = ListenLaenge(di.AlleSpalten) >= 4 && di.Punkte >= 30;
        for (int id : {IDC_INFO_DXAS_GROUP, IDC_INFO_NONE, IDC_INFO_SAMPLE, IDC_INFO_INTERPOLATION})
            Zeige(dlg, id, dxas);
        CheckDlgButton(dlg, IDC_INFO_NONE, BST_CHECKED);
        return TRUE;
    }
    if (msg != WM_COMMAND) return FALSE;
    const WORD befehl = LOWORD(wParam);
    if (Gemeinsam(dlg, befehl, 604, 0)) return TRUE;
    if (befehl == IDOK) {
        if (grafik_fenster* rec = Fenster(infoFenster)) {
            DateiInfo& di = rec->DateiInfo;
            const int x = Auswahl(dlg, IDC_INFO_XCOMBO), y = Auswahl(dlg, IDC_INFO_YCOMBO);
            if (x < ListenLaenge(di.XSpalten)) di.XSpalte = di.XSpalten[x + 1];
            if (y < ListenLaenge(di.AlleSpalten)) di.YSpalte = di.AlleSpalten[y + 1];
        }
        DW()[1] = Gecheckt(dlg, IDC_INFO_SAMPLE) ? 1.0
                  : Gecheckt(dlg, IDC_INFO_INTERPOLATION) ? 2.0
                                                          : 0.0;
        EndDialog(dlg, 1);
        return TRUE;
    }
    return FALSE;
}

// ---- SPEKTRENSHIFT and ABZISSENSHIFT ----
namespace {
int32_t shiftFenster = -1;
int32_t shiftSpalten = 0;  // file-column entries of the operand list

void ShiftVorgaben(HWND dlg, bool ordinate)
{
    SetDlgItemTextA(dlg, IDC_SHIFT_FACTOR, "1");
    SetDlgItemTextA(dlg, IDC_SHIFT_CONSTANT, "0");
    SendDlgItemMessageA(dlg, IDC_SHIFT_FUNCTION, CB_SETCURSEL, 0, 0);
    if (!ordinate) return;
    SetDlgItemTextA(dlg, IDC_SHIFT_FACTOR2, "1");
    SetDlgItemTextA(dlg, IDC_SHIFT_CONSTANT2, "0");
    SendDlgItemMessageA(dlg, IDC_SHIFT_FUNCTION2, CB_SETCURSEL, 0, 0);
    SendDlgItemMessageA(dlg, IDC_SHIFT_OPERAND, CB_SETCURSEL, 0, 0);
}

void ShiftStart(HWND dlg, bool ordinate)
{
    shiftFenster = AktivesFenster;
    CenterDialog(dlg);
    for (int id : {IDC_SHIFT_FACTOR, IDC_SHIFT_CONSTANT, IDC_SHIFT_FACTOR2, IDC_SHIFT_CONSTANT2})
        BegrenzeEdit(dlg, id, ZAHL_ZEICHEN);
    FuelleFunktionen(dlg, IDC_SHIFT_FUNCTION, ordinate ? 8 : 10);
    EnableWindow(GetDlgItem(dlg, IDC_DLG_APPLY), DatenAnwenden != nullptr);
    if (!ordinate) {
        CheckDlgButton(dlg, IDC_ABSZ_WITH_Y, BST_CHECKED);
        ShiftVorgaben(dlg, false);
        return;
    }
    FuelleFunktionen(dlg, IDC_SHIFT_FUNCTION2, 8);
    CheckDlgButton(dlg, IDC_SHIFT_PLUS, BST_CHECKED);
    const HWND liste = GetDlgItem(dlg, IDC_SHIFT_OPERAND);
    SendMessageA(liste, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("none"));
    shiftSpalten = 0;
    if (const grafik_fenster* rec = Fenster(shiftFenster)) {
        const std::string spalte = Zeichenkette(IDS_COLUMN);
        shiftSpalten = ListenLaenge(rec->DateiInfo.AlleSpalten);
        for (int32_t i = 1; i <= shiftSpalten; ++i) {
            const std::string text = std::to_string(rec->DateiInfo.AlleSpalten[i]) + spalte;
            SendMessageA(liste, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
        const int32_t slots = AngeboteneSlots(rec->NeuesterZaehler);
        for (int32_t s = 1; s <= slots; ++s) {
            const std::string text = std::to_string(s) + ". Graph";
            SendMessageA(liste, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
    }
    ShiftVorgaben(dlg, true);
}

// Shows the operand controls that the two check boxes leave.
void OrdinatenSichtbarkeit(HWND dlg)
{
    const bool extern_ = Gecheckt(dlg, IDC_SHIFT_EXTERNAL);
    const bool modell = Gecheckt(dlg, IDC_SHIFT_MODEL);
    Zeige(dlg, IDC_SHIFT_FUNCTION, !extern_);
    Zeige(dlg, IDC_SHIFT_MODEL, !extern_);
    Zeige(dlg, IDC_SHIFT_OPERAND, !extern_ && !modell);
}

// The values of OK and Apply; false (nothing written) on a wrong entry.
bool OrdinatenWerte(HWND dlg, int32_t* code)
{
    double f = 0, c = 0, f2 = 0, c2 = 0;
    if (!ZahlAus(dlg, IDC_SHIFT_FACTOR, &f) || !ZahlAus(dlg, IDC_SHIFT_CONSTANT, &c) ||
        !ZahlAus(dlg, IDC_SHIFT_FACTOR2, &f2) || !ZahlAus(dlg, IDC_SHIFT_CONSTANT2, &c2))
        return false;
    int32_t kombination = 1;
    for (int32_t k = 0; k < 4; ++k)
        if (Gecheckt(dlg, IDC_SHIFT_PLUS + k)) kombination = k + 1;
    *code = FUNK_KEINE + Auswahl(dlg, IDC_SHIFT_FUNCTION);
    double* dw = DW();
    dw[0] = *code;
    dw[1] = f;
    dw[2] = c;
    dw[3] = kombination;
    dw[4] = OrdinatenOperand(Auswahl(dlg, IDC_SHIFT_OPERAND), shiftSpalten,
                             Gecheckt(dlg, IDC_SHIFT_MODEL), Gecheckt(dlg, IDC_SHIFT_EXTERNAL));
    dw[5] = f2;
    dw[6] = c2;
    dw[7] = FUNK_KEINE + Auswahl(dlg, IDC_SHIFT_FUNCTION2);
    return true;
}

bool AbszissenWerte(HWND dlg, int32_t* code)
{
    double f = 0, c = 0;
    if (!ZahlAus(dlg, IDC_SHIFT_FACTOR, &f) || !ZahlAus(dlg, IDC_SHIFT_CONSTANT, &c)) return false;
    *code = AbszissenErgebnis(Auswahl(dlg, IDC_SHIFT_FUNCTION), Gecheckt(dlg, IDC_ABSZ_WITH_Y));
    double* dw = DW();
    dw[0] = *code;
    dw[1] = f;
    dw[2] = c;
    dw[3] = Gecheckt(dlg, IDC_SHIFT_EXTERNAL) ? -1.0 : 1.0;
    return true;
}
}  // namespace

INT_PTR CALLBACK SpektrenShiftProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        ShiftStart(dlg, true);
        return TRUE;
    }
    if (msg != WM_COMMAND) return FALSE;
    const WORD befehl = LOWORD(wParam);
    if (Gemeinsam(dlg, befehl, 607, 0)) return TRUE;
    int32_t code = 0;
    switch (befehl) {
    case IDC_SHIFT_EXTERNAL:
    case IDC_SHIFT_MODEL:
        if (HIWORD(wParam) == BN_CLICKED) OrdinatenSichtbarkeit(dlg);
        return TRUE;
    case IDC_DLG_APPLY:
        if (DatenAnwenden && OrdinatenWerte(dlg, &code)) {
            DatenAnwenden(607, shiftFenster);
            ShiftVorgaben(dlg, true);
        }
        return TRUE;
    case IDOK:
        if (OrdinatenWerte(dlg, &code)) EndDialog(dlg, code);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK AbzissenShiftProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        ShiftStart(dlg, false);
        return TRUE;
    }
    if (msg != WM_COMMAND) return FALSE;
    const WORD befehl = LOWORD(wParam);
    if (Gemeinsam(dlg, befehl, 608, 0)) return TRUE;
    int32_t code = 0;
    switch (befehl) {
    case IDC_SHIFT_EXTERNAL:
        if (HIWORD(wParam) == BN_CLICKED)
            Zeige(dlg, IDC_SHIFT_FUNCTION, !Gecheckt(dlg, IDC_SHIFT_EXTERNAL));
        return TRUE;
    case IDC_DLG_APPLY:
        if (DatenAnwenden && AbszissenWerte(dlg, &code)) {
            DatenAnwenden(608, shiftFenster);
            ShiftVorgaben(dlg, false);
        }
        return TRUE;
    case IDOK:
        if (AbszissenWerte(dlg, &code)) EndDialog(dlg, code);
        return TRUE;
    }
    return FALSE;
}

// ---- NOISEGENERATOR ----
namespace {
bool rauschDateiName = false;  // opened by the series commands for a file name
}

INT_PTR CALLBACK NoiseGeneratorProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        CenterDialog(dlg);
        rauschDateiName = HilfeThema == 10;
        if (rauschDateiName) {
            SetWindowTextA(dlg, "Enter multiple-column file name");
            SetDlgItemTextA(dlg, IDC_NOISE_LABEL, " max. 8 char + extension");
            SetDlgItemTextA(dlg, IDC_NOISE_VALUE, "");
            BegrenzeEdit(dlg, IDC_NOISE_VALUE, MAX_PATH - 1);
        } else {
            SetDlgItemTextA(dlg, IDC_NOISE_VALUE, "1E-3");
            BegrenzeEdit(dlg, IDC_NOISE_VALUE, ZAHL_ZEICHEN);
        }
        return TRUE;
    }
    if (msg != WM_COMMAND) return FALSE;
    const WORD befehl = LOWORD(wParam);
    if (Gemeinsam(dlg, befehl, 620, 0)) return TRUE;
    if (befehl != IDOK) return FALSE;
    if (rauschDateiName) {
        char name[MAX_PATH] = "";
        GetDlgItemTextA(dlg, IDC_NOISE_VALUE, name, sizeof name);
        const char* p = name;
        while (*p == ' ') ++p;
        if (!*p) {
            Fehler(dlg, IDC_NOISE_VALUE, " Please enter a file name !!");
            return TRUE;
        }
        if (CommandText) {
            std::strncpy(CommandText, name, COMMAND_TEXT_BYTES - 1);
            CommandText[COMMAND_TEXT_BYTES - 1] = 0;
        }
        EndDialog(dlg, 1);
        return TRUE;
    }
    double wert = 0.0;
    if (!ZahlAus(dlg, IDC_NOISE_VALUE, &wert)) return TRUE;
    if (wert <= 0.0) {
        Fehler(dlg, IDC_NOISE_VALUE, " The rms of deviation must be above 0 !!");
        return TRUE;
    }
    DW()[0] = wert;
    EndDialog(dlg, 1);
    return TRUE;
}

// ---- COMBINE_GRAFIK ----
namespace {
int32_t kombiFenster = -1;
KombiNummern kombiNummern;

int KurvenId(int32_t basis, int32_t i)
{
    return basis + 10 * (i / DIALOG_SLOTS) + i % DIALOG_SLOTS;
}

void ZeigeNummern(HWND dlg)
{
    for (int32_t i = 0; i < DIALOG_KURVEN; ++i) {
        const int32_t k = kombiNummern.Nummer(i);
        SetDlgItemTextA(dlg, KurvenId(IDC_COMB_ORDER, i), k ? std::to_string(k).c_str() : "");
    }
}

void MultiKaestchen(HWND dlg, bool frei)
{
    for (int id : {IDC_COMB_SYMBOL, IDC_COMB_LINESTYLE, IDC_COMB_LINEWIDTH}) {
        if (!frei) CheckDlgButton(dlg, id, BST_UNCHECKED);
        EnableWindow(GetDlgItem(dlg, id), frei);
    }
}

void GibMultiplot(grafik_fenster& rec)
{
    int32_t liste[VANTOR_MULTIPLOT_MAX + 1] = {};
    liste[0] = rec.MultiplotAnzahl;
    for (int32_t i = 0; i < rec.MultiplotAnzahl && i < DIALOG_KURVEN; ++i)
        liste[i + 1] = rec.MultiplotListe[i];
    Plotter.SetMultiplot(1, liste);
    rec.MultiplotAktiv = 1;
}

void KombiOk(HWND dlg)
{
    // Every entry is checked before anything is written.
    const int versatzIds[4] = {IDC_COMB_SLIGHTLY, IDC_COMB_MEDIUM, IDC_COMB_STRONG, IDC_COMB_VALUE};
    int32_t wahl = 0;
    for (int32_t k = 0; k < 4; ++k)
        if (Gecheckt(dlg, versatzIds[k])) wahl = k + 1;
    double versatz = 0.0, tiefeVon = 0.0, tiefeBis = 0.0;
    if (wahl == 4 && !ZahlAus(dlg, IDC_COMB_VALUE_EDIT, &versatz)) return;
    const bool pseudo3D = Gecheckt(dlg, IDC_COMB_3D);
    if (pseudo3D) {
        if (!ZahlAus(dlg, IDC_COMB_3D_FROM, &tiefeVon) || !ZahlAus(dlg, IDC_COMB_3D_TO, &tiefeBis))
            return;
        if (!(tiefeVon < tiefeBis)) {
            Fehler(dlg, IDC_COMB_3D_FROM, " The first depth value must lie below the second !!");
            return;
        }
    }
    grafik_fenster* rec = Fenster(kombiFenster);
    if (!rec) {
        EndDialog(dlg, 0);
        return;
    }
    bool rechts[DIALOG_KURVEN];
    for (int32_t i = 0; i < DIALOG_KURVEN; ++i) rechts[i] = Gecheckt(dlg, KurvenId(IDC_COMB_RIGHT, i));
    int32_t liste[DIALOG_KURVEN] = {};
    const int32_t anzahl = KombiListeBauen(kombiNummern, rechts, liste);
    if (anzahl < 2) {
        // One curve is no combination: the window of that curve comes forward.
        rec->KombiAnzahl = 0;
        rec->MultiplotAktiv = 0;
        if (anzahl == 1) AktivesFenster = (liste[0] % 100) / 10;
        EndDialog(dlg, 0);
        return;
    }
    rec->KombiAnzahl = anzahl;
    for (int32_t k = 0; k < anzahl; ++k) rec->KombiListe[k] = liste[k];
    if (wahl == 4) DW()[1] = versatz;
    const bool symbole = Gecheckt(dlg, IDC_COMB_SYMBOL), linien = Gecheckt(dlg, IDC_COMB_LINESTYLE),
               breiten = Gecheckt(dlg, IDC_COMB_LINEWIDTH);
    if (symbole || linien || breiten) {
        const PAINTINFO& pi = rec->Paintinfo;
        for (int32_t k = 1; k <= anzahl; ++k)
            rec->MultiplotListe[k - 1] = MultiStilWort(k, symbole, linien, breiten, pi.PlotStyle,
                                                       pi.PlotPenStyle, pi.PlotWidth);
        rec->MultiplotAnzahl = anzahl;
        GibMultiplot(*rec);
    } else if (Gecheckt(dlg, IDC_COMB_USER)) {
        rec->MultiplotAnzahl = anzahl;
        GibMultiplot(*rec);
    }
    if (pseudo3D) {
        rec->Modus3D = 1;
        rec->ZBereich[1] = tiefeVon;
        rec->ZBereich[0] = tiefeBis;
    }
    EndDialog(dlg, VersatzCode(wahl));
}
}  // namespace

INT_PTR CALLBACK CombineGrafikDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        kombiFenster = AktivesFenster;
        kombiNummern = KombiNummern();
        CenterDialog(dlg);
        for (int32_t w = 0; w < DIALOG_FENSTER; ++w) {
            const bool offen = FensterOffen(w);
            const grafik_fenster& rec = GrafikFenster[w];
            Zeige(dlg, IDC_WIN_GROUP + 10 * w, offen);
            if (offen) SetDlgItemTextA(dlg, IDC_WIN_GROUP + 10 * w, rec.DateiInfo.DateiName);
            const int32_t slots = offen ? AngeboteneSlots(rec.NeuesterZaehler) : 0;
            for (int32_t s = 0; s < DIALOG_SLOTS; ++s) {
                const int32_t i = DIALOG_SLOTS * w + s;
                for (int32_t basis : {IDC_WIN_SLOT, IDC_COMB_ORDER, IDC_COMB_RIGHT})
                    Zeige(dlg, KurvenId(basis, i), s < slots);
                if (w == kombiFenster && s == rec.AktuellerSlot() && s < slots) {
                    CheckDlgButton(dlg, KurvenId(IDC_WIN_SLOT, i), BST_CHECKED);
                    kombiNummern.Setze(i, true);
                }
            }
        }
        ZeigeNummern(dlg);
        CheckDlgButton(dlg, IDC_COMB_NONE, BST_CHECKED);
        for (int id : {IDC_COMB_VALUE_EDIT, IDC_COMB_3D_FROM, IDC_COMB_3D_TO}) BegrenzeEdit(dlg, id, ZAHL_ZEICHEN);
        SetDlgItemTextA(dlg, IDC_COMB_VALUE_EDIT, "0");
        const grafik_fenster* rec = Fenster(kombiFenster);
        SetzeZahl(dlg, IDC_COMB_3D_FROM, rec ? rec->ZBereich[1] : 0.0);
        SetzeZahl(dlg, IDC_COMB_3D_TO, rec ? rec->ZBereich[0] : 10.0);
        return TRUE;
    }
    if (msg != WM_COMMAND) return FALSE;
    const WORD befehl = LOWORD(wParam);
    if (Gemeinsam(dlg, befehl, 5, 0)) return TRUE;
    for (int32_t i = 0; i < DIALOG_KURVEN; ++i) {
        if (befehl == KurvenId(IDC_WIN_SLOT, i)) {
            kombiNummern.Setze(i, Gecheckt(dlg, befehl));
            ZeigeNummern(dlg);
            return TRUE;
        }
    }
    if (befehl == IDC_COMB_USER && HIWORD(wParam) == BN_CLICKED) {
        const bool benutzer = Gecheckt(dlg, IDC_COMB_USER);
        MultiKaestchen(dlg, !benutzer);
        if (benutzer) DialogBoxParamA(Modul(), "USERSTYLE", dlg, UserStyleProc, 0);
        return TRUE;
    }
    if (befehl == IDOK) {
        KombiOk(dlg);
        return TRUE;
    }
    return FALSE;
}

// ---- USERSTYLE ----
namespace {
int32_t stilFenster = -1;
int32_t stilWorte[DIALOG_KURVEN];
uint32_t stilFarben[DIALOG_KURVEN];
int32_t stilGezeigt = 0;
const int STIL_SYMBOL_IDS[6] = {IDC_STYLE_CONNECT, IDC_STYLE_CIRCLES, IDC_STYLE_TRIANGLES,
                                IDC_STYLE_SQUARES, IDC_STYLE_STARS, IDC_STYLE_BARS};
const int32_t STIL_SYMBOL_BITS[6] = {STIL_VERBINDEN, STIL_KREISE, STIL_DREIECKE,
                                     STIL_QUADRATE, STIL_STERNE, STIL_BALKEN};
const int STIL_LINIEN_IDS[4] = {IDC_STYLE_SOLID, IDC_STYLE_DASHED, IDC_STYLE_DOT, IDC_STYLE_DASHDOT};
// The palette has room for the colours of the first curves only.
const int32_t FARB_KURVEN = static_cast<int32_t>(sizeof HAUPTDATEN.Farbpalette /
                                                 sizeof HAUPTDATEN.Farbpalette[0]);

void LadeStil(HWND dlg, int32_t i)
{
    int32_t symbole = 0, linie = 0, breite = 0;
    StilWortLesen(stilWorte[i], &symbole, &linie, &breite);
    for (int k = 0; k < 6; ++k)
        CheckDlgButton(dlg, STIL_SYMBOL_IDS[k], (symbole & STIL_SYMBOL_BITS[k]) ? BST_CHECKED : BST_UNCHECKED);
    for (int k = 0; k < 4; ++k)
        CheckDlgButton(dlg, STIL_LINIEN_IDS[k], linie == k ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemInt(dlg, IDC_STYLE_WIDTH, static_cast<UINT>(breite), TRUE);
    const bool farbe = i < FARB_KURVEN;
    SendDlgItemMessageA(dlg, IDC_STYLE_COLOUR, CB_SETCURSEL, farbe ? FarbEintrag(stilFarben[i]) : -1, 0);
    EnableWindow(GetDlgItem(dlg, IDC_STYLE_COLOUR), farbe);
}

bool MerkeStil(HWND dlg, int32_t i)
{
    int32_t breite = 0;
    if (!GanzzahlAus(dlg, IDC_STYLE_WIDTH, STIL_MIN_BREITE, STIL_MAX_BREITE, "The line width", &breite))
        return false;
    int32_t symbole = 0, linie = 0;
    for (int k = 0; k < 6; ++k)
        if (Gecheckt(dlg, STIL_SYMBOL_IDS[k])) symbole |= STIL_SYMBOL_BITS[k];
    for (int k = 0; k < 4; ++k)
        if (Gecheckt(dlg, STIL_LINIEN_IDS[k])) linie = k;
    stilWorte[i] = StilWort(symbole, linie, breite);
    if (i < FARB_KURVEN) stilFarben[i] = DialogFarben[Auswahl(dlg, IDC_STYLE_COLOUR)];
    return true;
}
}  // namespace

INT_PTR CALLBACK UserStyleProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        stilFenster = AktivesFenster;
        CenterDialog(dlg);
        const grafik_fenster* rec = Fenster(stilFenster);
        for (int32_t i = 0; i < DIALOG_KURVEN; ++i) {
            stilWorte[i] = rec ? rec->MultiplotListe[i] : StilWort(STIL_VERBINDEN, 0, 1);
            stilFarben[i] = i < FARB_KURVEN ? HAUPTDATEN.Farbpalette[i] : 0;
            const std::string nummer = std::to_string(i + 1);
            SendDlgItemMessageA(dlg, IDC_STYLE_CURVES, LB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(nummer.c_str()));
        }
        for (int k = 0; k < DIALOG_FARBEN; ++k) {
            const std::string name = Zeichenkette(IDS_COLOUR_FIRST + k);
            SendDlgItemMessageA(dlg, IDC_STYLE_COLOUR, CB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(name.c_str()));
        }
        BegrenzeEdit(dlg, IDC_STYLE_WIDTH, ZAHL_ZEICHEN);
        stilGezeigt = 0;
        SendDlgItemMessageA(dlg, IDC_STYLE_CURVES, LB_SETCURSEL, 0, 0);
        LadeStil(dlg, 0);
        return TRUE;
    }
    if (msg != WM_COMMAND) return FALSE;
    const WORD befehl = LOWORD(wParam);
    if (Gemeinsam(dlg, befehl, 581, 1)) return TRUE;
    if (befehl == IDC_STYLE_CURVES && HIWORD(wParam) == LBN_SELCHANGE) {
        const LRESULT neu = SendDlgItemMessageA(dlg, IDC_STYLE_CURVES, LB_GETCURSEL, 0, 0);
        if (neu == LB_ERR || neu == stilGezeigt) return TRUE;
        if (!MerkeStil(dlg, stilGezeigt)) {
            SendDlgItemMessageA(dlg, IDC_STYLE_CURVES, LB_SETCURSEL, stilGezeigt, 0);
            return TRUE;
        }
        stilGezeigt = static_cast<int32_t>(neu);
        LadeStil(dlg, stilGezeigt);
        return TRUE;
    }
    if (befehl == IDOK) {
        if (!MerkeStil(dlg, stilGezeigt)) return TRUE;
        if (grafik_fenster* rec = Fenster(stilFenster))
            for (int32_t i = 0; i < DIALOG_KURVEN; ++i) rec->MultiplotListe[i] = stilWorte[i];
        for (int32_t i = 0; i < FARB_KURVEN; ++i) HAUPTDATEN.Farbpalette[i] = stilFarben[i];
        EndDialog(dlg, 1);
        return TRUE;
    }
    return FALSE;
}

// ---- CLIPBOARDFORMAT ----
namespace {
void ZeigeFenstergroesse(HWND dlg)
{
    int32_t breite = 0, hoehe = 0;
    if (FensterOffen(AktivesFenster)) {
        RECT r;
        GetClientRect(HAUPTDATEN.GrafikHandles[AktivesFenster], &r);
        breite = r.right - r.left;
        hoehe = r.bottom - r.top;
    }
    SetDlgItemInt(dlg, IDC_CLIP_WIDTH, static_cast<UINT>(breite), TRUE);
    SetDlgItemInt(dlg, IDC_CLIP_HEIGHT, static_cast<UINT>(hoehe), TRUE);
}

void KlasseWaehlbar(HWND dlg, bool metafile)
{
    for (int k = 0; k < 3; ++k) {
        EnableWindow(GetDlgItem(dlg, IDC_CLIP_SMALL + k), metafile);
        const int32_t groesse = HAUPTDATEN.KopierGroesse;
        CheckDlgButton(dlg, IDC_CLIP_SMALL + k, metafile && groesse == k ? BST_CHECKED : BST_UNCHECKED);
    }
    // A stored custom size has no class to check: the custom box stands.
    const bool angepasst = !metafile || HAUPTDATEN.KopierGroesse < 0 || HAUPTDATEN.KopierGroesse > 2;
    CheckDlgButton(dlg, IDC_CLIP_CUSTOM, angepasst ? BST_CHECKED : BST_UNCHECKED);
    if (!metafile) ZeigeFenstergroesse(dlg);
}
}  // namespace

INT_PTR CALLBACK ClipboardFormatProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        CenterDialog(dlg);
        BegrenzeEdit(dlg, IDC_CLIP_WIDTH, ZAHL_ZEICHEN);
        BegrenzeEdit(dlg, IDC_CLIP_HEIGHT, ZAHL_ZEICHEN);
        const bool metafile = HAUPTDATEN.AlsMetafile != 0;
        CheckDlgButton(dlg, metafile ? IDC_CLIP_METAFILE : IDC_CLIP_BITMAP, BST_CHECKED);
        KlasseWaehlbar(dlg, metafile);
        ZeigeFenstergroesse(dlg);
        return TRUE;
    }
    if (msg != WM_COMMAND) return FALSE;
    const WORD befehl = LOWORD(wParam);
    if (Gemeinsam(dlg, befehl, 610, 0)) return TRUE;
    if ((befehl == IDC_CLIP_METAFILE || befehl == IDC_CLIP_BITMAP) && HIWORD(wParam) == BN_CLICKED) {
        KlasseWaehlbar(dlg, befehl == IDC_CLIP_METAFILE);
        return TRUE;
    }
    if (befehl != IDOK) return FALSE;
    const bool metafile = Gecheckt(dlg, IDC_CLIP_METAFILE);
    const bool angepasst = Gecheckt(dlg, IDC_CLIP_CUSTOM);
    int32_t breite = 0, hoehe = 0;
    if (!metafile || angepasst) {
        if (!GanzzahlAus(dlg, IDC_CLIP_WIDTH, KOPIER_MIN_PIXEL, KOPIER_MAX_PIXEL, "The width", &breite) ||
            !GanzzahlAus(dlg, IDC_CLIP_HEIGHT, KOPIER_MIN_PIXEL, KOPIER_MAX_PIXEL, "The height", &hoehe))
            return TRUE;
    }
    for (int k = 0; k < 3; ++k)
        if (Gecheckt(dlg, IDC_CLIP_SMALL + k)) HAUPTDATEN.KopierGroesse = k;
    HAUPTDATEN.AlsMetafile = metafile ? 1 : 0;
    KopierMasse(metafile, angepasst, breite, hoehe, &DW()[0], &DW()[1]);
    EndDialog(dlg, 1);
    return TRUE;
}
