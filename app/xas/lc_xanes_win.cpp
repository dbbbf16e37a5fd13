// 844: the linear-combination XANES fit. The dialog LC_XANES chooses the
// reference spectra; the set-up reads them onto the sample's grid into the
// records of their model functions (type 26, in front of any profile
// functions), sets the start values, weights the fit range and starts the
// fit run (507 with lParam 2).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "fit/fit_choice_win.h"
#include "fit/fit_model.h"
#include "fit/model_function.h"
#include "fit/parameter_dialogs_win.h"
#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "shell/macro_bar.h"
#include "spectra/data_commands_win.h"
#include "spectra/spectra_globals.h"
#include "spectra/spectrum_file.h"
#include "xas/feff_path.h"
#include "xas/xanes_fit.h"
#include "xas/xanes_fit_win.h"
#include "xas/xas_commands_win.h"
#include "xas/xas_entries.h"

LC_DATEIDIALOG LcDateiDialog = GetOpenFileNameA;

namespace {

const int32_t TYP_LC = 26;
const int32_t FEHLER_BEREICH = 102;
const int32_t FEHLER_MAKRO = 1000;
const int32_t CM_HISTORIE = 2003;
// References are records 1 .. 100.
const int32_t MAX_REFERENZEN = FEFF_PFADE - 1;
const char* const TITEL = "LC XANES";

double* DW() { return HAUPTDATEN.DialogWerte; }

std::string LcDateiText()
{
    std::string text;
    if (std::FILE* f = std::fopen(ProgrammDatei("LCXANES.dat").c_str(), "rb")) {
        char block[4096];
        size_t n;
        while ((n = std::fread(block, 1, sizeof block, f)) > 0) text.append(block, n);
        std::fclose(f);
    }
    return text;
}

// The comma-separated list of CommandText.
std::vector<std::string> Liste(const char* text)
{
    std::vector<std::string> namen;
    std::string s = text ? text : "";
    s = s.substr(0, s.find_first_of("\r\n"));
    size_t von = 0;
    while (von <= s.size()) {
        const size_t bis = std::min(s.find(',', von), s.size());
        std::string name = s.substr(von, bis - von);
        const size_t a = name.find_first_not_of(' ');
        if (a != std::string::npos) namen.push_back(name.substr(a));
        von = bis + 1;
    }
    return namen;
}

struct Referenz {
    std::string Pfad;
    std::vector<double> y;  // on the sample's grid
};

// Reads each reference and puts it on the grid x; false (nothing kept)
// with the name of the file that failed.
bool ReferenzenLesen(const std::vector<std::string>& pfade, const double* x, int32_t n, std::vector<Referenz>* aus,
                     std::string* fehlt)
{
    aus->clear();
    for (const std::string& pfad : pfade) {
        DateiInfo info;
        DateiInfoLeeren(&info);
        const size_t schraeg = pfad.find_last_of("\\/");
        const std::string ordner = schraeg == std::string::npos ? "" : pfad.substr(0, schraeg + 1);
        const std::string name = schraeg == std::string::npos ? pfad : pfad.substr(schraeg + 1);
        SpektrumDaten d;
        int32_t fehler = 0;
        Referenz r;
        r.Pfad = pfad;
        r.y.assign(static_cast<size_t>(n), 0.0);
        const bool passt = ordner.size() < sizeof info.Ordner && name.size() < sizeof info.DateiName;
        if (passt) {
            std::snprintf(info.Ordner, sizeof info.Ordner, "%s", ordner.c_str());
            std::snprintf(info.DateiName, sizeof info.DateiName, "%s", name.c_str());
        }
        if (!passt || LeseSpektrum(&info, &d, nullptr, nullptr, &fehler) <= 0 ||
            !ReferenzAufGitter(Numerik, d.x.data(), d.y.data(), d.Punkte, x, n, ExafsOptionen.EnergieBereich,
                               r.y.data())) {
            *fehlt = pfad;
            aus->clear();
            return false;
        }
        aus->push_back(std::move(r));
    }
    return true;
}

// The reference on the grid into record satz (its table 1), with its names.
bool ReferenzAblegen(int32_t satz, const Referenz& r, double korrektur)
{
    FeffPfad& s = FeffPfade[satz];
    const int32_t n = static_cast<int32_t>(r.y.size());
    if (!s.Pfadtabellen[FEFF_PHASE] || s.TabellenSpeicher[FEFF_PHASE] != n) {
        double* t = new (std::nothrow) double[static_cast<size_t>(n)];
        if (!t) return false;
        delete[] s.Pfadtabellen[FEFF_PHASE];
        s.Pfadtabellen[FEFF_PHASE] = t;
        s.TabellenSpeicher[FEFF_PHASE] = n;
    }
    std::copy(r.y.begin(), r.y.end(), s.Pfadtabellen[FEFF_PHASE]);
    const size_t schraeg = r.Pfad.find_last_of("\\/");
    std::snprintf(s.Dateiname, sizeof s.Dateiname, "%s",
                  (schraeg == std::string::npos ? r.Pfad : r.Pfad.substr(schraeg + 1)).c_str());
    std::snprintf(s.FilesDatPfad, sizeof s.FilesDatPfad, "%s", r.Pfad.c_str());
    s.Entartung = korrektur;
    s.Geladen = 1;
    return true;
}

int32_t LcFunktionen()
{
    int32_t r = 0;
    while (FitFunctionTypes && r < FitFunctionCount && FitFunctionTypes[r] == TYP_LC) ++r;
    return r;
}

void Meldung(const std::string& text)
{
    MeldungsBox(HAUPTDATEN.Hauptfenster, text.c_str(), TITEL, MB_OK | MB_ICONEXCLAMATION);
}

// Weights of the fit range: 1.0 inside (borders included), 0.0 elsewhere,
// and one more entry behind the last point as the chi-square reads it.
std::vector<double> LcGewichte;

}  // namespace

int32_t LcXanesVorbereiten(int32_t)
{
    haupt_fenster& app = HAUPTDATEN;
    const bool vorbereitet = app.Meldungsblock.lParam == LP_PREPARED;
    const int32_t fenster = AktivesFenster;
    if (fenster < 0 || fenster > 3) return 0;
    grafik_fenster& g = GrafikFenster[fenster];
    const int32_t n = g.Punkte();
    const double* x = g.GetXFeld(-1);
    auto fehler = [&](int32_t code) {
        FehlerCode = vorbereitet ? FEHLER_MAKRO : code;
        return 0;
    };
    if (n < 2 || !x) return fehler(FEHLER_BEREICH);

    HilfeThema = 0;
    int32_t r = 0;
    bool wiederholen = false;
    if (!vorbereitet) {
        r = static_cast<int32_t>(DialogBoxParamA(app.Instanz, "LC_XANES", app.Hauptfenster, LcXanesProc, 0));
        if (r == 0) return 0;
        // A repeated fit takes the references of the model as they are.
        wiederholen = r < 0;
        if (wiederholen) {
            r = LcFunktionen();
            std::string liste;
            for (int32_t i = 1; i <= r && i < FEFF_PFADE; ++i)
                liste += (i > 1 ? "," : "") + std::string(FeffPfade[i].FilesDatPfad);
            if (CommandText) std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", liste.c_str());
        }
    } else {
        r = LcFunktionen();
    }
    const double unten = std::min(DW()[2], DW()[3]), oben = std::max(DW()[2], DW()[3]);
    int32_t innen = 0;
    for (int32_t i = 0; i < n; ++i) innen += x[i] >= unten && x[i] <= oben;
    const double tol = 1e-4;
    const bool sichtbar = unten >= g.Grenzen[1] - tol * std::fabs(g.Grenzen[1]) &&
                          oben <= g.Grenzen[0] + tol * std::fabs(g.Grenzen[0]);
    if (r < 1 || innen < 2 || (!MakroRunning && !vorbereitet && !sichtbar)) {
        if (!vorbereitet && r >= 1)
            Meldung("The fit range has to lie inside the range shown.\r\nNothing was changed.");
        return fehler(FEHLER_BEREICH);
    }
    // The profile functions that follow the references: those behind the
    // window's own references, with " Add profile function".
    const bool neuesModell = !vorbereitet && !wiederholen;
    std::vector<int32_t> profil;
    if (neuesModell && DW()[1] < 0.0 && FitFunctionTypes)
        profil.assign(FitFunctionTypes + LcFunktionen(), FitFunctionTypes + std::max(FitFunctionCount, LcFunktionen()));
    const int32_t andere = neuesModell ? static_cast<int32_t>(profil.size()) : FitFunctionCount - r;
    if (r + std::max(andere, 0) > MAX_REFERENZEN) {
        if (!vorbereitet) Meldung("At most 100 functions (references and profile functions) can be fitted.");
        return fehler(FEHLER_BEREICH);
    }

    // Every reference is read before anything changes.
    std::vector<std::string> pfade = Liste(CommandText);
    if (static_cast<int32_t>(pfade.size()) < r) {
        if (!vorbereitet) Meldung("The list of reference files is incomplete.\r\nNothing was changed.");
        return fehler(FEHLER_MAKRO);
    }
    pfade.resize(static_cast<size_t>(r));
    std::vector<Referenz> referenzen;
    std::string fehlt;
    if (!ReferenzenLesen(pfade, x, n, &referenzen, &fehlt)) {
        if (!vorbereitet) Meldung("The reference file\r\n" + fehlt + "\r\ncould not be read. Nothing was changed.");
        return fehler(FEHLER_MAKRO);
    }

    // The model: r references, in front of the profile functions or alone.
    if (neuesModell) {
        FitFunctionCount = r + static_cast<int32_t>(profil.size());
        for (int32_t i = 0; i < r; ++i) FitFunctionTypes[i] = TYP_LC;
        for (size_t k = 0; k < profil.size(); ++k) FitFunctionTypes[r + k] = profil[k];
        g.AnzahlFunktionen = FitFunctionCount;
    }
    if (app.MakroAufnahme && CommandText && CommandText2)
        std::snprintf(CommandText2, COMMAND_TEXT2_BYTES, "%s", CommandText);

    const std::string datei = LcDateiText();
    std::vector<std::string> namen;
    std::vector<double> werte;
    for (int32_t i = 0; i < r; ++i) {
        // The dialog left the correction in the record; a replay takes it
        // from the table.
        const double f = vorbereitet || FeffPfade[i + 1].Entartung == 0.0 ? LcKorrektur(datei, LcName(pfade[i]))
                                                                          : FeffPfade[i + 1].Entartung;
        if (!ReferenzAblegen(i + 1, referenzen[i], f)) return fehler(107);
        namen.push_back(LcName(pfade[i]));
        werte.push_back(f);
    }

    // Start values: a new run, or a replay that starts a new run ("true").
    const bool neu = !vorbereitet || (CommandText2 && std::strcmp(CommandText2, "true") == 0);
    if (neu) {
        for (int32_t i = 0; i < FitFunctionCount; ++i) {
            if (FitFunctionTypes[i] != TYP_LC) {
                // Profile functions start from nothing in the dialog; a
                // replay keeps the values it recorded for them.
                if (!vorbereitet)
                    for (int32_t p = 2 * i; p < 100; ++p) FitParameters[p] = 0.0;
                break;
            }
            FitParameters[2 * i] = 0.3;
            if (!(vorbereitet && ParameterFlags && (ParameterFlags[2 * i + 1] & 1))) FitParameters[2 * i + 1] = 0.001;
        }
    }

    const std::string anhang = LcAnhang(datei, namen, werte);
    if (!anhang.empty())
        if (std::FILE* f = std::fopen(ProgrammDatei("LCXANES.dat").c_str(), "a")) {
            std::fputs(anhang.c_str(), f);
            std::fclose(f);
        }

    if (!vorbereitet) {
        if (ResetModelTables() < 0) return fehler(108);
        if (ParameterTabelle(&app) == 0) return 0;
    } else if (CheckWorkingModelSize() < 0) {
        return fehler(0);
    }
    if (app.MakroAufnahme) ButtonBar.MakroRecord(844, 5, MaxParameter);
    FitModellArt = 10;
    g.ModellArt = 10;
    Numerik.SetFunction(app.ModellCallback ? app.ModellCallback : ModellFunktion);
    Numerik.SetFitProcedure(1, app.ChiQuadratCallback);
    g.ZeigeFunktion = 1;
    const int32_t slot = g.AktuellerSlot();
    std::snprintf(g.XText[slot], GRAFIK_TEXT, "%s", "photon energy [keV]");
    std::snprintf(g.YText[slot], GRAFIK_TEXT, "%s", "norm. absorption [a.u.]");

    LcGewichte.assign(static_cast<size_t>(n) + 1, 0.0);
    for (int32_t i = 0; i < n; ++i) LcGewichte[i] = x[i] >= unten && x[i] <= oben ? 1.0 : 0.0;
    Numerik.SetWeightFunction(LcGewichte.data());
    PostMessageA(app.Hauptfenster, WM_COMMAND, 507, LP_PREPARED);
    return 1;
}

// ---- LC_XANES ----

namespace {

bool Wiederholung(HWND dlg)
{
    char text[40] = "";
    GetDlgItemTextA(dlg, IDOK, text, sizeof text);
    return std::strcmp(text, "&Repeat Fit") == 0;
}

void Zahl(HWND dlg, int id, const char* format, double v)
{
    char text[60];
    std::snprintf(text, sizeof text, format, v);
    SetDlgItemTextA(dlg, id, text);
}

// A new choice: the references shown so far go.
void NeueWahl(HWND dlg)
{
    if (!Wiederholung(dlg)) return;
    SendDlgItemMessageA(dlg, IDC_LC_LISTE, LB_RESETCONTENT, 0, 0);
    SetDlgItemTextA(dlg, IDC_LC_KORREKTUREN, "");
    SetDlgItemTextA(dlg, IDC_LC_ANZAHL, "0");
    SetDlgItemTextA(dlg, IDOK, "&OK");
}

int32_t ListenAnzahl(HWND dlg)
{
    const LRESULT c = SendDlgItemMessageA(dlg, IDC_LC_LISTE, LB_GETCOUNT, 0, 0);
    return c == LB_ERR ? 0 : static_cast<int32_t>(c);
}

void KorrekturAnhaengen(HWND dlg, double f, bool vorgabe)
{
    char zeile[40];
    if (vorgabe) std::snprintf(zeile, sizeof zeile, "1.0\r\n");
    else std::snprintf(zeile, sizeof zeile, "%G\r\n", f);
    HWND e = GetDlgItem(dlg, IDC_LC_KORREKTUREN);
    const int laenge = GetWindowTextLengthA(e);
    SendMessageA(e, EM_SETSEL, laenge, laenge);
    SendMessageA(e, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(zeile));
}

// The files of a multiple selection: the folder and the names after it, or
// one full path.
std::vector<std::string> Auswahl(const char* puffer)
{
    std::vector<std::string> teile;
    for (const char* p = puffer; *p; p += std::strlen(p) + 1) teile.push_back(p);
    if (teile.size() <= 1) return teile;
    std::vector<std::string> pfade;
    std::string ordner = teile[0];
    if (!ordner.empty() && ordner.back() != '\\') ordner += '\\';
    for (size_t i = 1; i < teile.size(); ++i) pfade.push_back(ordner + teile[i]);
    return pfade;
}

// The profile functions behind the references of the window's model.
int32_t ProfilFunktionen()
{
    return std::max(0, FitFunctionCount - LcFunktionen());
}

void DateienWaehlen(HWND dlg)
{
    NeueWahl(dlg);
    std::vector<char> puffer(64 * 1024, '\0');
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = dlg;
    ofn.lpstrFilter = "Spectra\0*.*\0";
    ofn.lpstrFile = puffer.data();
    ofn.nMaxFile = static_cast<DWORD>(puffer.size() - 2);
    ofn.lpstrTitle = "Reference spectra";
    ofn.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!LcDateiDialog || !LcDateiDialog(&ofn)) return;
    const std::string datei = LcDateiText();
    const bool profile = IsDlgButtonChecked(dlg, IDC_LC_PROFIL) == BST_CHECKED;
    const int32_t grenze = MAX_REFERENZEN - (profile ? ProfilFunktionen() : 0);
    for (const std::string& pfad : Auswahl(puffer.data())) {
        const size_t schraeg = pfad.find_last_of("\\/");
        const std::string name = schraeg == std::string::npos ? pfad : pfad.substr(schraeg + 1);
        if (SendDlgItemMessageA(dlg, IDC_LC_LISTE, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                reinterpret_cast<LPARAM>(name.c_str())) != LB_ERR) {
            MeldungsBox(dlg, "File is already selected.", "Error!", MB_OK | MB_ICONEXCLAMATION);
            break;
        }
        if (ListenAnzahl(dlg) >= grenze) {
            char text[120];
            std::snprintf(text, sizeof text, "At most %d reference spectra can be fitted%s.", static_cast<int>(grenze),
                          profile ? " beside the profile functions" : "");
            MeldungsBox(dlg, text, "Error!", MB_OK | MB_ICONEXCLAMATION);
            break;
        }
        const bool erster = ListenAnzahl(dlg) == 0;
        SendDlgItemMessageA(dlg, IDC_LC_LISTE, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        const int32_t c = ListenAnzahl(dlg);
        if (CommandText) {
            const size_t laenge = erster ? 0 : std::strlen(CommandText);
            std::snprintf(CommandText + laenge, COMMAND_TEXT_BYTES - laenge, "%s%s", erster ? "" : ",", pfad.c_str());
        }
        const std::string kurz = LcName(pfad);
        const double f = LcKorrektur(datei, kurz);
        bool vorgabe = f == 1.0;
        KorrekturAnhaengen(dlg, f, vorgabe);
        FeffPfade[c].Entartung = f;
        std::snprintf(FeffPfade[c].Dateiname, sizeof FeffPfade[c].Dateiname, "%s", name.c_str());
        std::snprintf(FeffPfade[c].FilesDatPfad, sizeof FeffPfade[c].FilesDatPfad, "%s", pfad.c_str());
    }
    Zahl(dlg, IDC_LC_ANZAHL, "%.0f", ListenAnzahl(dlg));
}

void Bereich(HWND dlg)
{
    HilfeThema = 1;
    const int32_t r = SektionsDialog(844);
    HilfeThema = 0;
    if (r <= 0) return;
    Zahl(dlg, IDC_LC_VON, "%.8G", DW()[0]);
    Zahl(dlg, IDC_LC_BIS, "%.8G", DW()[1]);
}

double Lies(HWND dlg, int id)
{
    char text[51] = "";
    GetDlgItemTextA(dlg, id, text, sizeof text);
    return std::atof(text);
}

void Ok(HWND dlg)
{
    const int32_t c = ListenAnzahl(dlg);
    DW()[1] = IsDlgButtonChecked(dlg, IDC_LC_PROFIL) == BST_CHECKED ? -1.0 : 1.0;
    DW()[2] = Lies(dlg, IDC_LC_VON);
    DW()[3] = Lies(dlg, IDC_LC_BIS);
    std::vector<char> text(static_cast<size_t>(GetWindowTextLengthA(GetDlgItem(dlg, IDC_LC_KORREKTUREN))) + 2, '\0');
    GetDlgItemTextA(dlg, IDC_LC_KORREKTUREN, text.data(), static_cast<int>(text.size()));
    const char* p = text.data();
    for (int32_t i = 1; i <= c && i < FEFF_PFADE && *p; ++i) {
        const double f = std::atof(p);
        FeffPfade[i].Entartung = f != 0.0 && std::isfinite(f) ? f : 1.0;
        const char* ende = std::strchr(p, '\n');
        if (!ende) break;
        p = ende + 1;
    }
    ExafsOptionen.LcGrenze =
        IsDlgButtonChecked(dlg, IDC_LC_NULL) == BST_CHECKED ? std::fabs(Lies(dlg, IDC_LC_GRENZE)) : -1.0;
    EndDialog(dlg, Wiederholung(dlg) ? -1 : c >= 1 ? c : 0);
}

}  // namespace

INT_PTR CALLBACK LcXanesProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG: {
        CenterDialog(dlg);
        if (AktivesFenster >= 0 && AktivesFenster < 4) {
            grafik_fenster& g = GrafikFenster[AktivesFenster];
            FitFunctionTypes = g.FunktionsTypen;
            FitFunctionCount = g.AnzahlFunktionen;
            Zahl(dlg, IDC_LC_VON, "%.8G", g.Grenzen[1]);
            Zahl(dlg, IDC_LC_BIS, "%.8G", g.Grenzen[0]);
        }
        SendDlgItemMessageA(dlg, IDC_LC_LISTE, LB_RESETCONTENT, 0, 0);
        const int32_t r = LcFunktionen();
        for (int32_t i = 0; i < r && i + 1 < FEFF_PFADE; ++i) {
            SendDlgItemMessageA(dlg, IDC_LC_LISTE, LB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(FeffPfade[i + 1].Dateiname));
            KorrekturAnhaengen(dlg, FeffPfade[i + 1].Entartung, false);
        }
        if (r > 0) {
            if (FitFunctionCount > r) CheckDlgButton(dlg, IDC_LC_PROFIL, BST_CHECKED);
            SetDlgItemTextA(dlg, IDOK, "&Repeat Fit");
            Zahl(dlg, IDC_LC_ANZAHL, "%.0f", r);
            if (ExafsOptionen.LcGrenze > 0.0) {
                CheckDlgButton(dlg, IDC_LC_NULL, BST_CHECKED);
                Zahl(dlg, IDC_LC_GRENZE, "%.8G", ExafsOptionen.LcGrenze);
            }
        } else {
            SetDlgItemTextA(dlg, IDC_LC_ANZAHL, "0");
            ExafsOptionen.LcGrenze = -1.0;
        }
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_LC_DATEIEN:
            DateienWaehlen(dlg);
            return TRUE;
        case IDC_LC_GRAFISCH:
            Bereich(dlg);
            return TRUE;
        case IDC_LC_PROFIL:
            if (HIWORD(wParam) != BN_CLICKED) return TRUE;
            NeueWahl(dlg);
            // Without a choice of profile functions there are none to add.
            if (IsDlgButtonChecked(dlg, IDC_LC_PROFIL) == BST_CHECKED && FunktionWaehlen(&HAUPTDATEN) == 0)
                CheckDlgButton(dlg, IDC_LC_PROFIL, BST_UNCHECKED);
            return TRUE;
        case IDOK:
            Ok(dlg);
            return TRUE;
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
