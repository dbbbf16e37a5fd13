// EXAFSFIT, the set-up dialog of the EXAFS refinement (807) and simulation
// (817): experimental phases and amplitudes or FEFF paths, the edge, the
// cumulants, k- or R-space with its range, the k weight, E0 per path,
// several FEFF calculations, and whether the previous fit's values stay.
// It leaves its choices in DialogWerte[1..13], CommandText, CommandText2,
// CommandText3 and the path records; Cancel puts everything back.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "fit/exafs_terms.h"
#include "fit/fit_model.h"
#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/data_commands_win.h"
#include "spectra/dialog_plot_win.h"
#include "spectra/file_commands.h"
#include "spectra/file_commands_win.h"
#include "spectra/spectra_globals.h"
#include "xas/exafs_fit.h"
#include "xas/feff_fit_dialog_win.h"
#include "xas/feff_path_win.h"
#include "xas/xas_entries.h"

// The filters of this dialog's path list, kept between openings.
double ExafsFitFilter = 2.0;
int32_t ExafsFitBeine = 4;

namespace {

// Curve flags the Fourier command leaves: a transform, a back transform,
// a complex curve, the section a transform took.
const uint32_t FLAG_FT = 0x01, FLAG_ZURUECK = 0x02, FLAG_KOMPLEX = 0x04, FLAG_SCHNITT = 0x40;
const COLORREF STICK_BLAU = 0xFF0000, STICK_GRUEN = 0x008000, STICK_MAGENTA = 0xFF00FF;
const int32_t STICKS = 1000;
// Type codes a window holds (its type block).
const int32_t MODELL_TYPEN = 2000;
const char* const ACHTUNG = "Caution !!";

// Everything the dialog may change, as it was at opening.
struct Sicherung {
    int32_t anzahl = 0, polyGrad = 0, maxParameter = 0, maxFitParameter = 0;
    std::vector<int32_t> typen, flags, worte, frei;
    std::vector<double> parameter, konstanten;
    std::string text, text2, text3;
    int32_t saetze = 0;
    FEFF_SATZ_EINSTELLUNGEN einstellungen;
    std::vector<int32_t> satzPfade;
    std::vector<unsigned char> pfade;
    EXAFS_ZUSATZ zusatz;
};

struct Zustand {
    HWND dlg = nullptr;
    bool simulation = false;
    bool feffModell = false, experimentell = false;
    bool unveraendert = false;   // FEFF model unchanged since opening
    int32_t gewaehlt = 0;
    int32_t satz = -1;           // data set of the next transfer
    std::string phasen, amplituden;
    Sicherung alt;
    FeffPfad ansicht{};          // scratch record of the shown chosen path
    bool ende = false;
    bool oeffnet = true;         // the dialog's own writes are no edits
};
Zustand* Z = nullptr;

grafik_fenster& G() { return GrafikFenster[AktivesFenster]; }
HWND Ctl(int id) { return GetDlgItem(Z->dlg, id); }
void Zeige(int id, bool an) { ShowWindow(Ctl(id), an ? SW_SHOW : SW_HIDE); }
void Aktiv(int id, bool an) { EnableWindow(Ctl(id), an ? TRUE : FALSE); }
bool Kreuz(int id) { return DialogKreuz(Z->dlg, id); }
void Setze(int id, bool an) { SetzeDialogKreuz(Z->dlg, id, an); }
void Zahl(int id, const char* f, double v) { ZeigeDialogZahl(Z->dlg, id, v, f); }
int32_t Anzahl(int id) { return static_cast<int32_t>(SendMessageA(Ctl(id), LB_GETCOUNT, 0, 0)); }
void Leeren(int id) { SendMessageA(Ctl(id), LB_RESETCONTENT, 0, 0); }
void Eintrag(int id, const std::string& t) { SendMessageA(Ctl(id), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t.c_str())); }
void Post(int id) { PostMessageA(Z->dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Ctl(id))); }
std::string Gross(std::string s)
{
    std::vector<char> b(s.begin(), s.end());
    b.push_back('\0');
    CharUpperA(b.data());
    return b.data();
}
std::string Text(const char* t) { return t ? t : ""; }
void SetzeText(char* ziel, int32_t groesse, const std::string& t)
{
    if (ziel) std::snprintf(ziel, static_cast<size_t>(groesse), "%s", t.c_str());
}

Sicherung Sichern()
{
    Sicherung s;
    grafik_fenster& g = G();
    s.anzahl = g.AnzahlFunktionen;
    s.polyGrad = g.PolyGrad;
    s.typen.assign(g.FunktionsTypen, g.FunktionsTypen + MODELL_TYPEN);
    s.parameter.assign(g.Parameter, g.Parameter + PARAMETER_BLOCK_DOUBLES);
    if (ParameterFlags) s.flags.assign(ParameterFlags, ParameterFlags + PARAMETER_TABLE_ENTRIES);
    if (CorrelationWords) s.worte.assign(CorrelationWords, CorrelationWords + PARAMETER_TABLE_ENTRIES);
    if (CorrelationConstants)
        s.konstanten.assign(CorrelationConstants, CorrelationConstants + PARAMETER_TABLE_ENTRIES);
    if (FreeParameterList) s.frei.assign(FreeParameterList, FreeParameterList + 5000);
    s.maxParameter = MaxParameter;
    s.maxFitParameter = MaxFitParameter;
    s.text = Text(CommandText);
    s.text2 = Text(CommandText2);
    s.text3 = Text(CommandText3);
    s.saetze = HAUPTDATEN.FeffSatzAnzahl;
    s.einstellungen = FeffSatzEinstellungen;
    s.satzPfade.assign(FeffSatzPfade, FeffSatzPfade + FEFF_MAX_SAETZE + 1);
    s.pfade = FeffPfadeSichern();
    s.zusatz = ExafsZusatz;
    return s;
}

void Zurueck(const Sicherung& s)
{
    grafik_fenster& g = G();
    g.AnzahlFunktionen = FitFunctionCount = s.anzahl;
    g.PolyGrad = FitPolyDegree = s.polyGrad;
    std::copy(s.typen.begin(), s.typen.end(), g.FunktionsTypen);
    std::copy(s.parameter.begin(), s.parameter.end(), g.Parameter);
    if (ParameterFlags) std::copy(s.flags.begin(), s.flags.end(), ParameterFlags);
    if (CorrelationWords) std::copy(s.worte.begin(), s.worte.end(), CorrelationWords);
    if (CorrelationConstants) std::copy(s.konstanten.begin(), s.konstanten.end(), CorrelationConstants);
    if (FreeParameterList) std::copy(s.frei.begin(), s.frei.end(), FreeParameterList);
    MaxParameter = s.maxParameter;
    MaxFitParameter = s.maxFitParameter;
    SetzeText(CommandText, COMMAND_TEXT_BYTES, s.text);
    SetzeText(CommandText2, COMMAND_TEXT2_BYTES, s.text2);
    SetzeText(CommandText3, COMMAND_TEXT3_BYTES, s.text3);
    HAUPTDATEN.FeffSatzAnzahl = s.saetze;
    FeffSatzEinstellungen = s.einstellungen;
    std::copy(s.satzPfade.begin(), s.satzPfade.end(), FeffSatzPfade);
    FeffPfadeZurueck(s.pfade);
    ExafsZusatz = s.zusatz;
}

bool MehrereFeff() { return Kreuz(IDC_EF_MEHRERE_FEFF); }

// Control 235: what the "&Files.Dat" button does next.
void FeffText()
{
    const char* t = MehrereFeff()                   ? "Add FEFF file"
                    : Anzahl(IDC_EF_DATEIEN) > 0 ? "Change FEFF file"
                                                 : "Select FEFF file";
    SetDlgItemTextA(Z->dlg, IDC_EF_FEFF_TEXT, t);
    Aktiv(IDC_EF_FEFF_TEXT, Kreuz(IDC_EF_FEFF));
}

// The model as one function of type 1 (also in the window).
void EinfachesModell()
{
    grafik_fenster& g = G();
    g.AnzahlFunktionen = FitFunctionCount = 1;
    g.FunktionsTypen[0] = 1;
    g.Parameter[0] = 1.0;
    g.Parameter[1] = 10.0;
    g.Parameter[2] = 0.1;
}

int32_t PfadTyp() { return ExafsTypVerfeinern(21, Kreuz(IDC_EF_DRITTER) ? 1.0 : -1.0, Kreuz(IDC_EF_VIERTER) ? 1.0 : -1.0); }

// The model: S0^2 and one function per chosen path (also in the window).
void FeffModell()
{
    grafik_fenster& g = G();
    const int32_t typ = PfadTyp();
    g.FunktionsTypen[0] = 25;
    for (int32_t i = 1; i <= Z->gewaehlt; ++i) g.FunktionsTypen[i] = typ;
    g.AnzahlFunktionen = FitFunctionCount = Z->gewaehlt + 1;
}

// Reff of each chosen path from its row.
std::vector<double> GewaehlteReff()
{
    std::vector<double> r;
    for (int32_t i = 1; i <= Z->gewaehlt && i < FEFF_PFADE; ++i) {
        FilesDatZeile z;
        const std::string t(FeffPfade[i].ListenZeile, strnlen(FeffPfade[i].ListenZeile, sizeof FeffPfade[i].ListenZeile));
        if (LeseFilesDatZeile(t, &z)) r.push_back(z.Reff);
    }
    return r;
}

void Zaehler() { Zahl(IDC_EF_SCHALEN, "%.0f", Z->gewaehlt); }

void DateiInListe(const std::string& name)
{
    const std::string n = Gross(name);
    if (SendMessageA(Ctl(IDC_EF_DATEIEN), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(n.c_str())) == LB_ERR)
        Eintrag(IDC_EF_DATEIEN, n);
}

// ---- opening ----

void Oeffnen(HWND dlg)
{
    Z->dlg = dlg;
    CenterDialog(dlg);
    if (HilfeThema == 1) SetWindowTextA(dlg, "EXAFS - Simulation");
    grafik_fenster& g = G();
    FitFunctionTypes = g.FunktionsTypen;
    FitParameters = g.Parameter;
    FitFunctionCount = g.AnzahlFunktionen;
    FitPolyDegree = g.PolyGrad;
    Z->alt = Sichern();
    const int32_t erster = FitFunctionCount > 0 ? FitFunctionTypes[0] % 100 : 0;
    const int32_t zweiter = FitFunctionCount > 1 ? FitFunctionTypes[1] % 100 : 0;
    Z->experimentell = erster >= 15 && erster <= 18;
    Z->feffModell = erster == 25 && FitFunctionCount > 1;
    Z->unveraendert = Z->feffModell;
    const int32_t saetze = std::min(HAUPTDATEN.FeffSatzAnzahl, FEFF_MAX_SAETZE);
    const bool mehrere = saetze > 0;

    // 1. Edge and the file texts.
    CheckRadioButton(dlg, IDC_EF_K_KANTE, IDC_EF_L_KANTE, KantenVorzeichen < 0.0 ? IDC_EF_K_KANTE : IDC_EF_L_KANTE);
    if (Z->experimentell && CommandText2 && std::strlen(CommandText2) < 2000) {
        const std::vector<std::string> namen = NamenAusListe(Gross(CommandText2));
        const size_t h = namen.size() / 2;
        for (size_t i = 0; i < namen.size(); ++i)
            NameAnhaengen(i < h ? &Z->phasen : &Z->amplituden, namen[i], i == 0 || i == h, FEFF_NAMENLISTE_BYTES);
    } else if (!(erster == 25)) {
        SetzeText(CommandText2, COMMAND_TEXT2_BYTES, "");
    }
    if (erster == 25 && FitFunctionCount > 1) {
        SetzeText(CommandText2, COMMAND_TEXT2_BYTES, FeffPfade[1].FilesDatPfad);
        SetzeText(CommandText, COMMAND_TEXT_BYTES, FeffPfade[1].FilesDatPfad);
    }

    // 2. Mode.
    if (Z->experimentell) {
        Setze(IDC_EF_DRITTER, zweiter == 16 || zweiter == 18);
        Setze(IDC_EF_VIERTER, zweiter == 17 || zweiter == 18);
        CheckRadioButton(dlg, IDC_EF_EXPERIMENTELL, IDC_EF_FEFF, IDC_EF_EXPERIMENTELL);
        Aktiv(IDC_EF_FEFF, false);
        Zeige(IDC_EF_E0, false);
        Zeige(IDC_FP_FILES_DAT, false);
        Aktiv(IDC_EF_PHASE, true), Aktiv(IDC_EF_AMPLITUDE, true), Aktiv(IDC_EF_BEHALTEN, true);
    } else {
        CheckRadioButton(dlg, IDC_EF_EXPERIMENTELL, IDC_EF_FEFF, IDC_EF_FEFF);
        if (Z->feffModell) Aktiv(IDC_EF_EXPERIMENTELL, false);
        if (!mehrere) {
            CheckRadioButton(dlg, IDC_EF_EIN_FEFF, IDC_EF_MEHRERE_FEFF, IDC_EF_EIN_FEFF);
        } else {
            Aktiv(IDC_EF_EXPERIMENTELL, false), Aktiv(IDC_EF_FEFF, false), Aktiv(IDC_EF_EIN_FEFF, false);
            Aktiv(IDC_EF_DETAILS, true);
            CheckRadioButton(dlg, IDC_EF_EIN_FEFF, IDC_EF_MEHRERE_FEFF, IDC_EF_MEHRERE_FEFF);
            Aktiv(IDC_FP_LOESCHEN, false);
        }
        for (int id : {IDC_EF_K_KANTE, IDC_EF_L_KANTE, IDC_EF_PHASE, IDC_EF_AMPLITUDE}) Zeige(id, false);
        Zeige(IDC_EF_E0, true);
        if (Z->feffModell) {
            Setze(IDC_EF_DRITTER, zweiter == 22 || zweiter == 24);
            Setze(IDC_EF_VIERTER, zweiter == 23 || zweiter == 24);
        }
    }
    if (!mehrere) Aktiv(IDC_EF_DETAILS, false);

    // 3. Refinement space from the curve flags.
    const int32_t s = g.AktuellerSlot();
    const uint32_t jetzt = g.KurvenFlags[s], vorher = g.KurvenFlags[(s + 3) & 3],
                   davor = g.KurvenFlags[(s + 2) & 3];
    if ((vorher & FLAG_FT) && (jetzt & (FLAG_ZURUECK | FLAG_KOMPLEX)) == FLAG_KOMPLEX) {
        CheckRadioButton(dlg, IDC_EF_K_RAUM, IDC_EF_R_RAUM, IDC_EF_R_RAUM);
        Aktiv(IDC_EF_K_RAUM, false);
        Post(IDC_EF_R_RAUM);
        if (!(davor & FLAG_SCHNITT)) {
            MeldungsBox(dlg,
                        "Korlan is missing corresponding CHI(k) to calculate FT.\r\n"
                        "    Refer to Korlan manual for more information.\r\n"
                        "         R-space fit cannot be carried out. ",
                        ACHTUNG, MB_OK | MB_ICONEXCLAMATION);
            PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
        }
    } else {
        CheckRadioButton(dlg, IDC_EF_K_RAUM, IDC_EF_R_RAUM, IDC_EF_K_RAUM);
        Aktiv(IDC_EF_R_RAUM, false);
        Aktiv(IDC_EF_ADD_K, false);
    }

    // 4. k weight, the extra k power, the shells.
    const double w = g.KGewicht;
    Zahl(IDC_EF_K_GEWICHT, "%.0f", w);
    if (ExafsZusatz.PotenzFit >= 0) {
        Setze(IDC_EF_ADD_K, true);
        CheckRadioButton(dlg, IDC_EF_ADD_ZEIGEN, IDC_EF_ADD_FIT, IDC_EF_ADD_FIT);
        Zahl(IDC_EF_ADD_WERT, "%.0f", ExafsZusatz.PotenzFit);
    } else if (ExafsZusatz.PotenzZeigen >= 0) {
        Setze(IDC_EF_ADD_K, true);
        CheckRadioButton(dlg, IDC_EF_ADD_ZEIGEN, IDC_EF_ADD_FIT, IDC_EF_ADD_ZEIGEN);
        Zahl(IDC_EF_ADD_WERT, "%.0f", ExafsZusatz.PotenzZeigen);
    } else {
        Zahl(IDC_EF_ADD_WERT, "%.0f", w - 1.0);
        CheckRadioButton(dlg, IDC_EF_ADD_ZEIGEN, IDC_EF_ADD_FIT, IDC_EF_ADD_ZEIGEN);
        Aktiv(IDC_EF_ADD_ZEIGEN, false), Aktiv(IDC_EF_ADD_FIT, false);
    }
    Zahl(IDC_EF_SCHALEN, "%.0f", ExafsZusatz.SchalenAnzahl);
    for (int id : {IDC_EF_GRAFISCH, IDC_EF_R_VON, IDC_EF_R_BIS}) Zeige(id, false);

    // 5. What can be kept.
    if (Text(CommandText2).empty()) Aktiv(IDC_EF_BEHALTEN, false), Aktiv(IDC_EF_FLAGS, false);
    if (Z->feffModell) Setze(IDC_EF_BEHALTEN, true);
    if (Z->experimentell) {
        Setze(IDC_EF_BEHALTEN, true);
        Aktiv(IDC_EF_DRITTER, false), Aktiv(IDC_EF_VIERTER, false);
        for (int32_t i = 1; i <= ExafsZusatz.SchalenAnzahl && i < FEFF_PFADE; ++i) {
            Eintrag(IDC_EF_PHASEN, FeffPfade[i].Dateiname);
            Eintrag(IDC_EF_AMPLITUDEN, FeffPfade[i].Dateiname);
        }
    }

    // 6. The files.dat names in use.
    if (!mehrere && Z->feffModell) {
        for (int32_t i = 1; i < FitFunctionCount && i < FEFF_PFADE; ++i) DateiInListe(FeffPfade[i].FilesDatPfad);
        CheckRadioButton(dlg, IDC_EF_EIN_FEFF, IDC_EF_MEHRERE_FEFF, IDC_EF_EIN_FEFF);
    } else if (mehrere) {
        for (const std::string& n : NamenAusListe(Text(CommandText3)))
            if (!n.empty()) DateiInListe(n);
    }

    // 7. The path list.
    Zahl(IDC_FP_FILTER, "%G", ExafsFitFilter);
    if (erster == 53 && FitFunctionCount > 1) ExafsFitBeine = 2;
    Zahl(IDC_FP_BEINE, "%.0f", ExafsFitBeine);
    if (Z->feffModell && ReadFilesDat(dlg, 10, ExafsFitFilter, ExafsFitBeine) > 0) FeffZaehler(dlg);
    if (Z->feffModell) {
        Z->gewaehlt = std::min(FitFunctionCount - 1, FEFF_MAX_GEWAEHLT);
    } else if (Z->experimentell) {
        Z->gewaehlt = FitFunctionCount;
    } else {
        Z->gewaehlt = 0;
        Aktiv(IDOK, false);
    }
    if (mehrere) {
        Aktiv(IDC_FP_FILES_DAT, false), Aktiv(IDC_FP_UEBERNEHMEN, false);
        Zeige(IDC_FP_GEWAEHLT, false);
        Z->gewaehlt = 0;
        for (int32_t k = 1; k < saetze; ++k) Z->gewaehlt += FeffSatzPfade[k];
    }
    // A FEFF model counts its own paths, whatever the last set-up stored.
    if (Z->feffModell && !mehrere) Zaehler();
    FeffText();
}

// ---- the stick diagram ----

void Stick(HWND bild, double reff, double verhaeltnis, double ymax, COLORREF farbe)
{
    double x[2] = {reff - 0.4, reff - 0.4}, y[2] = {0.0, verhaeltnis / 100.0 * ymax};
    KurveDarueber(bild, x, y, 2, farbe);
}

void Zeichnen()
{
    grafik_fenster& g = G();
    HWND bild = Ctl(IDC_EF_BILD);
    if (!PlotIntoDialog(bild, g.Grenzen[0], g.Grenzen[1], 0, PANE_GANZ)) return;
    const int32_t n = g.Punkte();
    const double* y = g.GetYFeld(-1);
    double ymax = -1e300;
    for (int32_t i = 0; i < n; ++i) ymax = std::max(ymax, y[i]);
    auto zeile = [](HWND liste, int i, FilesDatZeile* z) {
        char t[400] = "";
        if (SendMessageA(liste, LB_GETTEXTLEN, i, 0) >= static_cast<LRESULT>(sizeof t)) return false;
        SendMessageA(liste, LB_GETTEXT, i, reinterpret_cast<LPARAM>(t));
        return LeseFilesDatZeile(t, z);
    };
    HWND zeilen = Ctl(IDC_FP_ZEILEN), gewaehlt = Ctl(IDC_FP_GEWAEHLT);
    FilesDatZeile z;
    const int nz = std::min<int>(Anzahl(IDC_FP_ZEILEN), STICKS);
    for (int i = 0; i < nz; ++i)
        if (SendMessageA(zeilen, LB_GETSEL, i, 0) > 0 && zeile(zeilen, i, &z))
            Stick(bild, z.Reff, z.Verhaeltnis, ymax, STICK_BLAU);
    double rmin = 1e300, rmax = -1e300;
    const int ng = std::min<int>(Anzahl(IDC_FP_GEWAEHLT), STICKS);
    for (int i = 0; i < ng; ++i)
        if (zeile(gewaehlt, i, &z)) {
            Stick(bild, z.Reff, z.Verhaeltnis, ymax, STICK_GRUEN);
            rmin = std::min(rmin, z.Reff);
            rmax = std::max(rmax, z.Reff);
        }
    if (ng > 0 && rmax >= rmin) {
        g.Parameter[2000] = rmin;
        g.Parameter[2001] = rmax;
    }
    const int sel = static_cast<int>(SendMessageA(gewaehlt, LB_GETCURSEL, 0, 0));
    if (sel >= 0 && zeile(gewaehlt, sel, &z)) Stick(bild, z.Reff, z.Verhaeltnis, ymax, STICK_MAGENTA);
}

// ---- commands ----

void AtomZeilen(const FeffPfad* p)
{
    for (int k = 0; k < 4; ++k) SetDlgItemTextA(Z->dlg, IDC_EF_ATOM + 10 * k, " ");
    if (!p) {
        SetDlgItemTextA(Z->dlg, IDC_EF_ART, " ");
        return;
    }
    SetDlgItemTextA(Z->dlg, IDC_EF_ART, p->Beine <= 2 ? "Single scattering path" : "Multiple scattering path");
    auto zeile = [&](int k, int atom, int slot) {
        if (atom < 0 || atom >= FEFF_ATOME || slot < 0 || slot >= FEFF_ATOME) return;
        const double x = p->AtomX[slot], y = p->AtomY[slot], zz = p->AtomZ[slot];
        const double beta = slot < 9 ? p->StreuWinkel[slot] : 0.0;
        char sym[5] = "";
        std::memcpy(sym, p->AtomSymbole[atom], 4);
        char t[160];
        std::snprintf(t, sizeof t, " %s  at  %.4G A  [%.3G  %.3G  %.3G] (%.3G \xB0)", sym,
                      std::sqrt(x * x + y * y + zz * zz), x, y, zz, beta);
        SetDlgItemTextA(Z->dlg, IDC_EF_ATOM + 10 * k, t);
    };
    zeile(0, 0, p->Beine - 1);
    for (int j = 1; j <= 3 && j < p->Beine; ++j) zeile(j, j, j - 1);
}

void GewaehltZeigen()
{
    const int sel = static_cast<int>(SendMessageA(Ctl(IDC_FP_GEWAEHLT), LB_GETCURSEL, 0, 0));
    if (sel < 0 || sel + 1 >= FEFF_PFADE || sel >= Z->gewaehlt) {
        AtomZeilen(nullptr);
        return;
    }
    const FeffPfad& p = FeffPfade[sel + 1];
    const std::string datei = Gross(std::string(p.FilesDatPfad, strnlen(p.FilesDatPfad, sizeof p.FilesDatPfad)));
    SendMessageA(Ctl(IDC_EF_DATEIEN), LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(datei.c_str()));
    // The model's record keeps its tables and grid: a scratch record.
    FeffPfad& a = Z->ansicht;
    a.Pfadnummer = p.Pfadnummer;
    std::memcpy(a.FilesDatPfad, p.FilesDatPfad, sizeof a.FilesDatPfad);
    if (LoadFeffPath(1, &a, 0, nullptr) > 0) AtomZeilen(&a);
    else AtomZeilen(nullptr);
    InvalidateRect(Z->dlg, nullptr, FALSE);
}

void Reset()
{
    Leeren(IDC_EF_DATEIEN);
    SetzeText(CommandText2, COMMAND_TEXT2_BYTES, "");
    SetzeText(CommandText3, COMMAND_TEXT3_BYTES, "");
    EinfachesModell();
    CheckRadioButton(Z->dlg, IDC_EF_EXPERIMENTELL, IDC_EF_FEFF, IDC_EF_FEFF);
    CheckRadioButton(Z->dlg, IDC_EF_EIN_FEFF, IDC_EF_MEHRERE_FEFF, IDC_EF_EIN_FEFF);
    for (int id : {IDC_EF_EXPERIMENTELL, IDC_EF_DRITTER, IDC_EF_VIERTER, IDC_EF_MEHRERE_FEFF}) Aktiv(id, true);
    for (int id : {IDC_EF_FLAGS, IDC_EF_BEHALTEN}) Setze(id, false), Aktiv(id, false);
    Aktiv(IDC_EF_DETAILS, false), Aktiv(IDOK, false);
    SetDlgItemTextA(Z->dlg, IDC_EF_SCHALEN, "0");
    for (int id : {IDC_FP_FILES_DAT, IDC_FP_UEBERNEHMEN, IDC_FP_LOESCHEN}) Aktiv(id, true);
    for (int id : {IDC_FP_GEWAEHLT, IDC_FP_FILES_DAT, IDC_EF_E0}) Zeige(id, true);
    Z->satz = -1;
    for (int id : {IDC_EF_PHASEN, IDC_EF_AMPLITUDEN, IDC_FP_GEWAEHLT, IDC_FP_ZEILEN}) Leeren(id);
    Z->phasen.clear();
    Z->amplituden.clear();
    Z->gewaehlt = 0;
    Z->unveraendert = false;
    HAUPTDATEN.FeffSatzAnzahl = 0;
    FeffListenPfade[0] = 0;
    FeffZaehler(Z->dlg);
    FeffText();
    InvalidateRect(Z->dlg, nullptr, FALSE);
}

void NameDazu(int art)
{
    char pfad[DATEI_NAME_PUFFER] = "", titel[DATEI_TITEL_PUFFER] = "";
    if (!FeffDateiWahl || !FeffDateiWahl(Z->dlg, pfad, titel, art, 1)) return;
    if (Kreuz(IDC_EF_BEHALTEN)) {
        Setze(IDC_EF_BEHALTEN, false);
        Leeren(IDC_EF_PHASEN), Leeren(IDC_EF_AMPLITUDEN);
        Z->phasen.clear(), Z->amplituden.clear();
    }
    const int liste = art == 1 ? IDC_EF_PHASEN : IDC_EF_AMPLITUDEN;
    std::string& namen = art == 1 ? Z->phasen : Z->amplituden;
    if (!NameAnhaengen(&namen, pfad, Anzahl(liste) == 0, FEFF_NAMENLISTE_BYTES) ||
        Anzahl(liste) >= EXAFS_MAX_SCHALEN) {
        MeldungsBox(Z->dlg, "The list of file names is full!\r\n     The file was not added.", ACHTUNG,
                    MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    Eintrag(liste, titel[0] ? titel : pfad);
    SendMessageA(Ctl(liste), LB_SETCURSEL, 0, 0);
    Zahl(IDC_EF_SCHALEN, "%.0f", Anzahl(liste));
    if (Anzahl(liste == IDC_EF_PHASEN ? IDC_EF_AMPLITUDEN : IDC_EF_PHASEN) > 0) Aktiv(IDOK, true);
}

void FeffDatei()
{
    char pfad[DATEI_NAME_PUFFER] = "", titel[DATEI_TITEL_PUFFER] = "";
    const bool mehrere = MehrereFeff();
    if (mehrere && Anzahl(IDC_EF_DATEIEN) >= FEFF_MAX_SAETZE) {
        MeldungsBox(Z->dlg, "At most four FEFF calculations can be fitted together!", ACHTUNG,
                    MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (!FeffDateiWahl || !FeffDateiWahl(Z->dlg, pfad, titel, 8, 1)) return;
    const std::string name = Gross(pfad);
    if (mehrere) {
        std::string liste = Text(CommandText3);
        if (!SatzNameAnhaengen(&liste, name, Anzahl(IDC_EF_DATEIEN), COMMAND_TEXT3_BYTES)) {
            MeldungsBox(Z->dlg, "At most four FEFF calculations can be fitted together!", ACHTUNG,
                        MB_OK | MB_ICONEXCLAMATION);
            return;
        }
        SetzeText(CommandText3, COMMAND_TEXT3_BYTES, liste);
        Z->satz = Anzahl(IDC_EF_DATEIEN) + 1;
    } else {
        Z->satz = -1;
    }
    SetzeText(CommandText, COMMAND_TEXT_BYTES, name);
    if (ReadFilesDat(Z->dlg, -1, DialogZahl(Z->dlg, IDC_FP_FILTER), DialogGanzzahl(Z->dlg, IDC_FP_BEINE)) > 0) {
        Zahl(IDC_FP_ANZAHL, "%.0f", Anzahl(IDC_FP_ZEILEN));
        SetDlgItemTextA(Z->dlg, IDC_FP_MARKIERT, "0");
        Aktiv(IDC_FP_UEBERNEHMEN, true);
    } else {
        Setze(IDC_FP_ALLE_SS, false);
        CheckRadioButton(Z->dlg, IDC_EF_EXPERIMENTELL, IDC_EF_FEFF, IDC_EF_EXPERIMENTELL);
        Leeren(IDC_EF_DATEIEN);
        Post(IDC_EF_EXPERIMENTELL);
        SetzeText(CommandText2, COMMAND_TEXT2_BYTES, "");
        SetzeText(CommandText3, COMMAND_TEXT3_BYTES, "");
        EinfachesModell();
    }
    FeffText();
    InvalidateRect(Z->dlg, nullptr, FALSE);
}

void Uebernehmen()
{
    const bool mehrere = MehrereFeff();
    const int32_t satz = std::max(Z->satz, 1);
    const int32_t saetze = mehrere ? std::max(satz, Anzahl(IDC_EF_DATEIEN)) : 0;
    const int32_t max = FeffMaxPfade({25}, PfadTyp(), saetze);
    const int32_t vorher = Z->gewaehlt;
    if (FeffUebernehmen(Z->dlg, &Z->gewaehlt, satz, max) > 0) DateiInListe(Text(CommandText));
    Zaehler();
    if (!mehrere) {
        if (FitFunctionCount > 0 && FitFunctionTypes[0] % 100 == 25 && FitFunctionCount != Z->gewaehlt + 1)
            Setze(IDC_EF_BEHALTEN, false);
        FeffModell();
        Setze(IDC_EF_FLAGS, false), Aktiv(IDC_EF_FLAGS, false);
        Aktiv(IDOK, Z->gewaehlt > 0);
        Aktiv(IDC_EF_MEHRERE_FEFF, false);
        double von, bis;
        if (RBereichAusReff(GewaehlteReff(), &von, &bis)) Zahl(IDC_EF_R_VON, "%.8G", von), Zahl(IDC_EF_R_BIS, "%.8G", bis);
    } else {
        FeffModell();
        if (satz <= FEFF_MAX_SAETZE) {
            FeffSatzPfade[satz] += Z->gewaehlt - vorher;
            FeffSatzEinstellungen.Koeffizienten[satz - 1] = 0.5;
            FeffSatzEinstellungen.Flags[satz - 1] &= ~1;
        }
        HAUPTDATEN.FeffSatzAnzahl = std::max(HAUPTDATEN.FeffSatzAnzahl, satz);
        Aktiv(IDC_EF_DETAILS, true);
        for (int id : {IDC_EF_EXPERIMENTELL, IDC_EF_EIN_FEFF, IDC_FP_LOESCHEN}) Aktiv(id, false);
        Setze(IDC_EF_BEHALTEN, true);
        Aktiv(IDOK, Z->gewaehlt > 0 && Anzahl(IDC_EF_DATEIEN) > 1);
        Aktiv(IDC_FP_UEBERNEHMEN, false);
    }
    Z->unveraendert = false;
    SendMessageA(Ctl(IDC_FP_ZEILEN), LB_SETSEL, FALSE, -1);
    FeffZaehler(Z->dlg);
    FeffText();
}

void Loeschen()
{
    const int sel = static_cast<int>(SendMessageA(Ctl(IDC_FP_GEWAEHLT), LB_GETCURSEL, 0, 0));
    if (!FeffPfadEntfernen(Z->dlg, sel, &Z->gewaehlt)) return;
    FeffModell();
    const int n = Anzahl(IDC_FP_GEWAEHLT);
    if (n > 0) {
        SendMessageA(Ctl(IDC_FP_GEWAEHLT), LB_SETCURSEL, std::min(sel, n - 1), 0);
        PostMessageA(Z->dlg, WM_COMMAND, MAKEWPARAM(IDC_FP_GEWAEHLT, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Ctl(IDC_FP_GEWAEHLT)));
    } else {
        AtomZeilen(nullptr);
        Aktiv(IDOK, false);
    }
    Z->unveraendert = false;
    Zaehler();
    Setze(IDC_EF_FLAGS, false), Aktiv(IDC_EF_FLAGS, false);
    InvalidateRect(Z->dlg, nullptr, FALSE);
}

void RBereich()
{
    if (!Kreuz(IDC_EF_R_RAUM) || Z->simulation) {
        Zeige(IDC_EF_GRAFISCH, false);
        return;
    }
    for (int id : {IDC_EF_GRAFISCH, IDC_EF_R_VON, IDC_EF_R_BIS}) Zeige(id, true);
    const double* dw = HAUPTDATEN.DialogWerte;
    if (dw[4] > 0.0 && dw[5] > 0.0) Zahl(IDC_EF_R_VON, "%.8G", dw[4]), Zahl(IDC_EF_R_BIS, "%.8G", dw[5]);
    else Zahl(IDC_EF_R_VON, "%.8G", G().Grenzen[1]), Zahl(IDC_EF_R_BIS, "%.8G", G().Grenzen[0]);
}

void Grafisch()
{
    grafik_fenster& g = G();
    g.Parameter[2000] = DialogZahl(Z->dlg, IDC_EF_R_VON);
    g.Parameter[2001] = DialogZahl(Z->dlg, IDC_EF_R_BIS);
    const int32_t alt = HilfeThema;
    HilfeThema = 9;
    const int32_t r = SektionsDialog(807);
    HilfeThema = alt;
    if (r > 0) {
        Zahl(IDC_EF_R_VON, "%.8G", HAUPTDATEN.DialogWerte[0]);
        Zahl(IDC_EF_R_BIS, "%.8G", HAUPTDATEN.DialogWerte[1]);
    }
}

void Beenden(INT_PTR r)
{
    if (Z->ende) return;
    Z->ende = true;
    FeffPfadFreigeben(&Z->ansicht);
    EndDialog(Z->dlg, r);
}

void Abbrechen()
{
    Zurueck(Z->alt);
    const int32_t f = AktivesFenster;
    if (HAUPTDATEN.GrafikHandles[f]) {
        InvalidateRect(HAUPTDATEN.GrafikHandles[f], nullptr, TRUE);
        PostMessageA(HAUPTDATEN.GrafikHandles[f], WM_COMMAND, CM_REDRAW, 0);
    }
    Beenden(0);
}

void Ok()
{
    double* dw = HAUPTDATEN.DialogWerte;
    const bool experimentell = Kreuz(IDC_EF_EXPERIMENTELL);
    ExafsDialogZustand z;
    z.KKante = Kreuz(IDC_EF_K_KANTE);
    z.Schalen = DialogGanzzahl(Z->dlg, IDC_EF_SCHALEN);
    z.KGewicht = DialogGanzzahl(Z->dlg, IDC_EF_K_GEWICHT);
    z.RVon = DialogZahl(Z->dlg, IDC_EF_R_VON);
    z.RBis = DialogZahl(Z->dlg, IDC_EF_R_BIS);
    z.KRaum = Kreuz(IDC_EF_K_RAUM);
    z.Dritter = Kreuz(IDC_EF_DRITTER);
    z.Vierter = Kreuz(IDC_EF_VIERTER);
    z.Behalten = Kreuz(IDC_EF_BEHALTEN);
    z.Flags = Kreuz(IDC_EF_FLAGS);
    z.Simulation = Z->simulation;
    z.EinzelE0 = Kreuz(IDC_EF_E0);
    z.AddK = Kreuz(IDC_EF_ADD_K);
    z.AddKFit = Kreuz(IDC_EF_ADD_FIT);
    z.ExtraPotenz = DialogGanzzahl(Z->dlg, IDC_EF_ADD_WERT);
    if (experimentell && !z.Behalten) {
        std::string t;
        if (!PhasenAmplitudenText(NamenAusListe(Z->phasen), NamenAusListe(Z->amplituden), z.Schalen,
                                  COMMAND_TEXT2_BYTES, &t)) {
            FehlerCode = 108;
            Abbrechen();
            return;
        }
        SetzeText(CommandText2, COMMAND_TEXT2_BYTES, t);
        const std::vector<std::string> p = NamenAusListe(Z->phasen);
        for (int32_t i = 0; i < z.Schalen && i + 1 < FEFF_PFADE; ++i)
            SetzeText(FeffPfade[i + 1].Dateiname, sizeof FeffPfade[i + 1].Dateiname, BloserName(p[i]));
    }
    if (!(z.Behalten && !experimentell)) Z->unveraendert = false;
    z.FeffUnveraendert = Z->unveraendert;
    ExafsDialogWerte(z, dw);
    ExafsZusatz.PotenzZeigen = z.AddK && !z.AddKFit ? z.ExtraPotenz : -1;
    if (MehrereFeff()) SetzeText(CommandText, COMMAND_TEXT_BYTES, Text(CommandText3));
    Beenden(experimentell ? 16 : 22);
}

void Befehl(int id, int code)
{
    switch (id) {
    case IDC_EF_EXPERIMENTELL:
        if (!Kreuz(id)) return;
        Reset();
        CheckRadioButton(Z->dlg, IDC_EF_EXPERIMENTELL, IDC_EF_FEFF, IDC_EF_EXPERIMENTELL);
        Zeige(IDC_FP_FILES_DAT, false), Zeige(IDC_EF_E0, false);
        for (int k : {IDC_EF_K_KANTE, IDC_EF_L_KANTE, IDC_EF_PHASE, IDC_EF_AMPLITUDE}) Zeige(k, true), Aktiv(k, true);
        FeffText();
        return;
    case IDC_EF_FEFF:
        if (!Kreuz(id)) return;
        for (int k : {IDC_EF_K_KANTE, IDC_EF_L_KANTE, IDC_EF_PHASE, IDC_EF_AMPLITUDE}) Zeige(k, false);
        for (int k : {IDC_EF_E0, IDC_EF_RESET, IDC_FP_FILES_DAT}) Zeige(k, true);
        FeffText();
        return;
    case IDC_EF_EIN_FEFF:
    case IDC_EF_MEHRERE_FEFF: FeffText(); return;
    case IDC_EF_PHASE: NameDazu(1); return;
    case IDC_EF_AMPLITUDE: NameDazu(2); return;
    case IDC_EF_FLAGS:
        if (Kreuz(id)) {
            Setze(IDC_EF_BEHALTEN, true), Setze(IDC_EF_E0, true);
            Aktiv(IDC_EF_BEHALTEN, false), Aktiv(IDC_EF_E0, false);
        } else {
            Aktiv(IDC_EF_BEHALTEN, true), Aktiv(IDC_EF_E0, true);
            Setze(IDC_EF_E0, true);
        }
        Post(IDC_EF_BEHALTEN);
        return;
    case IDC_EF_BEHALTEN:
        if (!Kreuz(id)) Aktiv(IDC_EF_DRITTER, true), Aktiv(IDC_EF_VIERTER, true);
        else if (Z->experimentell) Zahl(IDC_EF_SCHALEN, "%.0f", ExafsZusatz.SchalenAnzahl);
        return;
    case IDC_EF_R_RAUM:
    case IDC_EF_K_RAUM: RBereich(); return;
    case IDC_EF_ADD_K:
        Aktiv(IDC_EF_ADD_ZEIGEN, Kreuz(id)), Aktiv(IDC_EF_ADD_FIT, Kreuz(id));
        return;
    case IDC_EF_GRAFISCH: Grafisch(); return;
    case IDC_EF_DETAILS:
        DialogBoxParamA(ProgrammModul(), "FEFF_MULTIPLE_DETAILS", Z->dlg, FeffMultipleDetailsProc, 0);
        return;
    case IDC_FP_FILES_DAT: FeffDatei(); return;
    case IDC_FP_UEBERNEHMEN: Uebernehmen(); return;
    case IDC_FP_LOESCHEN: Loeschen(); return;
    case IDC_FP_GEWAEHLT:
        if (code == LBN_SELCHANGE) GewaehltZeigen();
        return;
    case IDC_FP_ZEILEN:
        if (code == LBN_SELCHANGE) {
            FeffZaehler(Z->dlg);
            InvalidateRect(Z->dlg, nullptr, FALSE);
        }
        return;
    case IDC_FP_ALLE_SS:
    case CM_EF_NEU_LISTEN:
        // Nothing to list before a files.dat is chosen.
        if (Text(CommandText).empty()) return;
        ExafsFitFilter = DialogZahl(Z->dlg, IDC_FP_FILTER);
        ExafsFitBeine = DialogGanzzahl(Z->dlg, IDC_FP_BEINE);
        if (FeffZeilenNeu(Z->dlg) < 0) Abbrechen();
        return;
    case IDC_FP_ALLE:
        SendMessageA(Ctl(IDC_FP_ZEILEN), LB_SETSEL, TRUE, -1);
        FeffZaehler(Z->dlg);
        InvalidateRect(Z->dlg, nullptr, FALSE);
        return;
    case IDC_FP_FILTER:
        if (code == EN_CHANGE && !Z->oeffnet) {
            const double v = DialogZahl(Z->dlg, IDC_FP_FILTER);
            if (v >= FEFF_FILTER_MIN && v <= FEFF_FILTER_MAX) PostMessageA(Z->dlg, WM_COMMAND, CM_EF_NEU_LISTEN, 0);
        }
        return;
    case IDC_EF_RESET: Reset(); return;
    case IDC_DLG_HELP: DialogHilfe(807); return;
    case IDOK: Ok(); return;
    case IDCANCEL: Abbrechen(); return;
    default: return;
    }
}

INT_PTR CALLBACK ExafsFitDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!Z) return FALSE;
    switch (msg) {
    case WM_INITDIALOG:
        Oeffnen(dlg);
        Z->oeffnet = false;
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(dlg, &ps);
        EndPaint(dlg, &ps);
        Zeichnen();
        return TRUE;
    }
    case WM_VSCROLL: {
        const int spin = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
        const int s = LOWORD(wParam) == SB_LINEUP ? 1 : LOWORD(wParam) == SB_LINEDOWN ? -1 : 0;
        if ((spin == IDC_FP_FILTER_SPIN || spin == IDC_FP_BEINE_SPIN) && s && FeffFilterSpin(dlg, spin, s))
            PostMessageA(dlg, WM_COMMAND, CM_EF_NEU_LISTEN, 0);
        return TRUE;
    }
    case WM_COMMAND:
        if (!Z->ende) Befehl(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_CLOSE: Abbrechen(); return TRUE;
    default: return FALSE;
    }
}

}  // namespace

int32_t ExafsFitDialog(int32_t befehl)
{
    if (Z || AktivesFenster < 0 || AktivesFenster > 3 || !G().FunktionsTypen || !G().Parameter) return 0;
    Zustand z;
    z.simulation = befehl == 817 || HilfeThema == 1;
    Z = &z;
    const INT_PTR r = DialogBoxParamA(ProgrammModul(), "EXAFSFIT", HAUPTDATEN.Hauptfenster, ExafsFitDlgProc, 0);
    FeffPfadFreigeben(&z.ansicht);
    Z = nullptr;
    return r > 0 ? static_cast<int32_t>(r) : 0;
}
