// The automatic macro analysis of a series (824): a recorded macro played
// on every chosen column of the multi-column file in the active window,
// each column first built into a spectrum (plain, averaged, or for
// dispersive series ln(I0 / (I - dark)) with I0 interpolated between two
// I0 columns and optionally convolved), and the outcome kept as lines of
// result tables or as one multi-column file of the processed curves. The
// options dialog AUTODEX.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fit/model_function.h"
#include "fit/xafs_table.h"
#include "resource_ids.h"
#include "series/series.h"
#include "series/series_analysis.h"
#include "series/series_convolution_win.h"
#include "shell/dialog_helpers.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "shell/macro_bar.h"
#include "shell/progress_window_win.h"
#include "shell/shell_globals.h"
#include "spectra/spectra_globals.h"
#include "spectra/spectrum_file.h"
#include "xas/xas_entries.h"

namespace {

const int32_t FEHLER_BEREICH = 102;

double* DW() { return HAUPTDATEN.DialogWerte; }

grafik_fenster* Aktiv()
{
    const int32_t f = AktivesFenster;
    if (f < 0 || f > 3 || !HAUPTDATEN.GrafikHandles[f] || !GrafikFenster[f].GetXFeld(-1)) return nullptr;
    return &GrafikFenster[f];
}

int32_t Ganzzahl(HWND dlg, int id)
{
    char text[64] = "";
    GetDlgItemTextA(dlg, id, text, sizeof text);
    return static_cast<int32_t>(std::atoi(text));
}

void SetzeZahl(HWND dlg, int id, int32_t v) { SetDlgItemInt(dlg, id, static_cast<UINT>(v), TRUE); }

bool Markiert(HWND dlg, int id) { return IsDlgButtonChecked(dlg, id) == BST_CHECKED; }

// Average Spectra only for steps of 2 or more.
void Mittelung(HWND dlg)
{
    const bool moeglich = Ganzzahl(dlg, IDC_AUTO_SCHRITT) >= 2;
    if (!moeglich) CheckDlgButton(dlg, IDC_AUTO_MITTELN, BST_UNCHECKED);
    EnableWindow(GetDlgItem(dlg, IDC_AUTO_MITTELN), moeglich);
}

int32_t SpaltenDerDatei()
{
    const grafik_fenster* g = Aktiv();
    return g ? g->DateiInfo.Spalten : 0;
}

}  // namespace

INT_PTR CALLBACK AutoDexDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG: {
        CenterDialog(dlg);
        const int32_t nc = SpaltenDerDatei();
        DW()[12] = 1.1;
        SetzeZahl(dlg, IDC_AUTO_SPALTEN, nc);
        SetDlgItemTextA(dlg, IDC_AUTO_ERSTE, "2");
        SetzeZahl(dlg, IDC_AUTO_LETZTE, nc);
        SetDlgItemTextA(dlg, IDC_AUTO_SCHRITT, "1");
        SetDlgItemTextA(dlg, IDC_AUTO_I01, "2");
        SetzeZahl(dlg, IDC_AUTO_I02, nc - 2);
        SetDlgItemTextA(dlg, IDC_AUTO_BREITE, "3");
        const grafik_fenster* g = Aktiv();
        std::string name = g ? g->DateiInfo.DateiName : "";
        name = name.substr(0, name.find('.')) + "a";
        SetDlgItemTextA(dlg, IDC_AUTO_NAME, name.c_str());
        CheckRadioButton(dlg, IDC_AUTO_KURVEN, IDC_AUTO_PARAMETER, IDC_AUTO_KURVEN);
        CheckDlgButton(dlg, IDC_AUTO_MITTELN, BST_UNCHECKED);
        EnableWindow(GetDlgItem(dlg, IDC_AUTO_MITTELN), FALSE);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_AUTO_DXAS: {
            int32_t s = Ganzzahl(dlg, IDC_AUTO_SPALTEN), l = Ganzzahl(dlg, IDC_AUTO_LETZTE),
                    f = Ganzzahl(dlg, IDC_AUTO_ERSTE);
            DxasSpaltenUmschalten(Markiert(dlg, IDC_AUTO_DXAS), &s, &l, &f);
            SetzeZahl(dlg, IDC_AUTO_SPALTEN, s);
            SetzeZahl(dlg, IDC_AUTO_LETZTE, l);
            SetzeZahl(dlg, IDC_AUTO_ERSTE, f);
            return TRUE;
        }
        case IDC_AUTO_SCHRITT:
            if (HIWORD(wParam) == EN_CHANGE) Mittelung(dlg);
            return TRUE;
        case IDC_AUTO_S: {
            std::string meldung;
            if (!FaltungsVorschauFuerFenster(AktivesFenster, &meldung)) {
                MeldungsBox(dlg, meldung.c_str(), "Caution !!", MB_OK | MB_ICONINFORMATION);
                return TRUE;
            }
            DW()[0] = Ganzzahl(dlg, IDC_AUTO_I01) + 0.2;
            if (DialogBoxParamA(ProgrammModul(), "SETCONVOLFWHM", dlg, SetConvolFwhmDlgProc, 0) > 0) {
                DW()[12] = DW()[1];
                char text[64];
                std::snprintf(text, sizeof text, "%.8G", DW()[0]);
                SetDlgItemTextA(dlg, IDC_AUTO_BREITE, text);
            }
            return TRUE;
        }
        case IDC_DLG_HELP: {
            DialogHilfe(824);
            return TRUE;
        }
        case IDOK: {
            double breite = 0.0;
            char text[64] = "";
            GetDlgItemTextA(dlg, IDC_AUTO_BREITE, text, sizeof text);
            const bool falten = Markiert(dlg, IDC_AUTO_FALTUNG);
            if (falten && !FaltungsBreiteLesen(text, &breite)) {
                DialogFeldFehler(dlg, IDC_AUTO_BREITE, "The FWHM of the convolution must be a number above 0.");
                return TRUE;
            }
            const int32_t schritt = Ganzzahl(dlg, IDC_AUTO_SCHRITT);
            double* d = DW();
            d[0] = schritt;
            d[1] = Ganzzahl(dlg, IDC_AUTO_ERSTE);
            d[2] = Ganzzahl(dlg, IDC_AUTO_LETZTE);
            d[3] = Markiert(dlg, IDC_AUTO_KURVEN) ? 10.0 : 0.0;
            d[4] = Markiert(dlg, IDC_AUTO_DXAS) ? 1.0 : 0.0;
            d[5] = Markiert(dlg, IDC_AUTO_PARAMETER) ? 1.0 : 0.0;
            d[6] = Markiert(dlg, IDC_AUTO_INTERPOLATION) ? 1.0 : 0.0;
            d[7] = Markiert(dlg, IDC_AUTO_MITTELN) ? 1.0 : 0.0;
            d[8] = Ganzzahl(dlg, IDC_AUTO_I01);
            d[9] = Ganzzahl(dlg, IDC_AUTO_I02);
            d[10] = falten ? 1.0 : 0.0;
            d[11] = breite;
            char name[300] = "";
            GetDlgItemTextA(dlg, IDC_AUTO_NAME, name, sizeof name);
            std::string n = name;
            n = n.substr(0, n.find('.')) + (d[3] > 0.0 ? ".dxa" : ".par");
            std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", n.c_str());
            const int32_t nc = SpaltenDerDatei();
            const bool i0Gut = d[8] >= 2 && d[8] <= nc && d[9] >= 2 && d[9] <= nc;
            EndDialog(dlg, i0Gut && schritt > 0 ? schritt : 0);
            return TRUE;
        }
        case IDCANCEL: EndDialog(dlg, 0); return TRUE;
        }
        break;
    }
    return FALSE;
}

namespace {

bool Existiert(const std::string& pfad)
{
    std::FILE* f = std::fopen(pfad.c_str(), "rb");
    if (f) std::fclose(f);
    return f != nullptr;
}

void Anhaengen(const std::string& pfad, const std::string& text, bool neu)
{
    if (std::FILE* f = std::fopen(pfad.c_str(), neu ? "w" : "a")) {
        std::fputs(text.c_str(), f);
        std::fclose(f);
    }
}

struct Lauf {
    haupt_fenster* app;
    grafik_fenster* g;
    int32_t n = 0;
    std::vector<double> x, dunkel, i01, i02, i0;
    std::vector<int32_t> zeit, temperatur;
    bool kopfWerte = false;
};

// Frame c of the open series, n points.
bool Frame(Lauf& l, int32_t c, std::vector<double>* v)
{
    v->assign(static_cast<std::size_t>(l.n) + 5, 0.0);
    return l.g->ReadSeriesFrame(v->data(), c, l.n + 5) >= l.n;
}

// The spectrum of column c (with the columns since vorige when
// averaging) into a new slot of the window.
bool BaueSpalte(Lauf& l, int32_t c, int32_t vorige, bool mitteln, bool dxas, bool interpolieren, bool falten,
                int32_t c1, int32_t c2)
{
    std::vector<std::vector<double>> gelesen;
    const int32_t von = mitteln && vorige > 0 ? vorige + 1 : c;
    for (int32_t k = von; k <= c; ++k) {
        gelesen.emplace_back();
        if (!Frame(l, k, &gelesen.back())) return false;
    }
    std::vector<const double*> frames;
    for (const auto& f : gelesen) frames.push_back(f.data());
    const double* i0 = nullptr;
    if (dxas) {
        if (interpolieren) {
            I0DerSpalte(l.i01.data(), l.i02.data(), l.n, c, c1, c2, l.i0.data());
            i0 = l.i0.data();
        } else {
            i0 = l.i01.data();
        }
    }
    std::vector<double> y(static_cast<std::size_t>(l.n));
    SerienSpalte(frames, l.n, dxas ? l.dunkel.data() : nullptr, falten ? 5 : 0, i0, y.data());
    grafik_fenster& g = *l.g;
    if (g.CutSection(0, 0.0, 0.0, 0) <= 0) return false;
    if (l.n + 5 > g.FeldGroesse() && g.ResizeFelder(l.n + 5) == 0) return false;
    const int32_t s = g.AktuellerSlot();
    std::copy(l.x.begin(), l.x.begin() + l.n, g.XFeld[s]);
    std::copy(y.begin(), y.end(), g.YFeld[s]);
    g.DateiInfo.PunkteProKurve[s] = l.n;
    g.KurvenFlags[s] = 0;
    g.SetFullBorder();
    return true;
}

// The table lines of the column just analysed.
void TabellenZeilen(Lauf& l, int32_t c, const std::string& ordner, const std::string& name, bool erste)
{
    const int32_t anzahl = FitFunctionCount;
    const int32_t* typen = FitFunctionTypes;
    const int32_t typ0 = anzahl > 0 && typen ? typen[0] : 0;
    const std::string kopf = erste ? std::string(l.g->DateiInfo.DateiName) + "\n" : std::string();
    const std::size_t k = static_cast<std::size_t>(c - 2);
    const double zeit = k < l.zeit.size() ? l.zeit[k] : 0.0;
    const double temp = k < l.temperatur.size() ? l.temperatur[k] : 0.0;
    const double r = l.app->FitRFaktor;
    Anhaengen(ordner + name,
              kopf + ParameterTabellenZeile(c, l.kopfWerte, zeit, temp, CommandArgs, MaxParameter, typen, anzahl, r),
              erste);
    if (typ0 == 26 && FitParameters)
        Anhaengen(ordner + "mfeffcoeff.par", kopf + KoeffizientenZeile(c, FitParameters, MaxParameter), erste);
    if (typ0 == 25 && FitParameters && ParameterFlags && CorrelationWords) {
        int32_t typ1 = anzahl > 1 ? typen[1] : 0;
        if (typ1 > 100) typ1 -= 100;
        const int32_t pfad = typ1 > 0 && typ1 < CATALOG_CODES ? static_cast<int32_t>(FitFunctionCatalog[typ1].ParameterZahl) : 0;
        std::vector<double> reff;
        for (int32_t f = 0; f <= anzahl; ++f) reff.push_back(f >= 1 ? PfadReff(f + 1) : 0.0);
        Anhaengen(ordner + "feff_" + name,
                  kopf + FeffTabellenZeile(c, FitParameters, ParameterFlags, CorrelationWords, MaxParameter, pfad,
                                           DeltaRModus > 0, reff, r),
                  erste);
    }
    TabellenWerteLeeren(CommandArgs, anzahl);
}

void Fortschritt(double wert, double oben)
{
    ProgressWindow.Unten = 0.0;
    ProgressWindow.Oben = oben;
    ProgressWindow.Aktuell = wert;
    ProgressWindow.SetProgress();
}

void FortschrittEnde()
{
    if (HWND p = HAUPTDATEN.KindFenster[KIND_PROGRESS]) SendMessageA(p, WM_COMMAND, 37, -1);
}

}  // namespace

int32_t AutoMakroAnalyse(int32_t)
{
    haupt_fenster* app = &HAUPTDATEN;
    grafik_fenster* g = Aktiv();
    if (!g || g->DateiInfo.Binaer != 1) {
        MeldungsBox(app->Hauptfenster, "No binary multiple column file!", "Error", MB_OK | MB_ICONINFORMATION);
        return 0;
    }
    if (app->MakroAufnahme) ButtonBar.MakroSaveAs();
    HilfeThema = 0;
    const INT_PTR r = DialogBoxParamA(ProgrammModul(), "AUTODEX", app->Hauptfenster, AutoDexDlgProc, 0);
    DW()[0] = static_cast<double>(r);
    if (r <= 0) return 0;
    const int32_t nc = g->DateiInfo.Spalten;
    const int32_t schritt = static_cast<int32_t>(DW()[0]);
    const int32_t erste = static_cast<int32_t>(DW()[1]), letzte = static_cast<int32_t>(DW()[2]);
    if (erste < 2 || letzte > nc || erste > letzte) {
        FehlerCode = FEHLER_BEREICH;
        return 0;
    }
    const bool kurven = DW()[3] > 0.0, dxas = DW()[4] > 0.0, tabellen = DW()[5] > 0.0;
    const bool interpolieren = DW()[6] > 0.0, mitteln = DW()[7] > 0.0, falten = DW()[10] > 0.0;
    const int32_t c1 = static_cast<int32_t>(DW()[8] + 0.1), c2 = static_cast<int32_t>(DW()[9] + 0.1);
    const double breite = DW()[11];
    const int32_t art = static_cast<int32_t>(DW()[12] + 0.1);
    const std::string name = CommandText;
    std::string ordner = app->DatenOrdner ? app->DatenOrdner : "";
    if (!ordner.empty() && ordner.back() != '\\' && ordner.back() != '/') ordner += '\\';
    const std::string ziel = ordner + name;
    if (kurven && Existiert(ziel) &&
        MeldungsBox(app->Hauptfenster, "File exist. Overwrite?", "Caution", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return 0;
    if (!ButtonBar.MakroOpen()) return 0;

    Lauf l{app, g};
    char pfad[sizeof g->DateiInfo.Ordner + sizeof g->DateiInfo.DateiName];
    if (g->ReadSeriesFrame(nullptr, 0) != 0 || !DateiPfad(g->DateiInfo, pfad, sizeof pfad)) {
        ButtonBar.MakroClose();
        MeldungsBox(app->Hauptfenster, "File could not be opened!", "ERROR !!", MB_OK | MB_ICONSTOP);
        return 0;
    }
    std::vector<double> puffer(static_cast<std::size_t>(BINAER_MAX_PUNKTE) + 5);
    l.n = g->ReadSeriesFrame(puffer.data(), 1, static_cast<int32_t>(puffer.size()));
    bool ok = l.n >= 2;
    if (ok) l.x.assign(puffer.begin(), puffer.begin() + l.n);
    if (ok && dxas) {
        ok = Frame(l, 3, &l.dunkel) && Frame(l, c1, &l.i01) && (!interpolieren || Frame(l, c2, &l.i02));
        const double dx = ok ? l.x[1] - l.x[0] : 0.0;
        for (int32_t i = 0; ok && i < l.n; ++i) {
            l.i01[i] -= l.dunkel[i];
            if (interpolieren) l.i02[i] -= l.dunkel[i];
        }
        if (ok && falten)
            ok = FalteMitProfil(l.i01.data(), l.n, dx, art, breite) &&
                 (!interpolieren || FalteMitProfil(l.i02.data(), l.n, dx, art, breite));
        l.i0.assign(static_cast<std::size_t>(l.n) + 5, 0.0);
    }
    if (!ok) {
        g->ReadSeriesFrame(nullptr, -1);
        ButtonBar.MakroClose();
        MeldungsBox(app->Hauptfenster, "The columns of the file could not be read.", "ERROR !!", MB_OK | MB_ICONSTOP);
        return 0;
    }
    // Times and temperatures of the columns, for the parameter table.
    if (tabellen) {
        std::vector<double> nr, werte;
        int32_t fehler = 0;
        for (int32_t wort : {1, 2})
            if (LeseBinaerSpalten(pfad, 1, 2, wort, &nr, &werte, &fehler) > 0) {
                std::vector<int32_t>& ziel = wort == 1 ? l.zeit : l.temperatur;
                for (double v : werte) {
                    ziel.push_back(static_cast<int32_t>(v));
                    l.kopfWerte = l.kopfWerte || v != 0.0;
                }
            }
    }

    int32_t K = 0;
    for (int32_t c = erste; c <= letzte; c += schritt) ++K;
    std::vector<std::vector<double>> spalten;   // grid, then one curve per column done
    const int32_t altRedraw = RedrawPerMessage;
    RedrawPerMessage = 0;
    int32_t vorige = 0, fertig = 0;
    for (int32_t c = erste; c <= letzte; c += schritt) {
        Fortschritt(fertig, K + 1);
        if (!BaueSpalte(l, c, vorige, mitteln, dxas, interpolieren, falten, c1, c2)) break;
        vorige = c;
        if (!ButtonBar.MakroReopen() || !ButtonBar.MakroRun(1, c - 1)) break;
        const int32_t s = g->AktuellerSlot();
        const int32_t m = g->DateiInfo.PunkteProKurve[s];
        if (kurven && m >= 2) {
            if (spalten.empty()) spalten.emplace_back(g->XFeld[s], g->XFeld[s] + m);
            const std::vector<double>& gitter = spalten[0];
            std::vector<double> y(gitter.size());
            SplineAufGitter(g->XFeld[s], g->YFeld[s], m, gitter.data(), static_cast<int32_t>(gitter.size()), y.data());
            spalten.push_back(std::move(y));
        }
        if (tabellen) TabellenZeilen(l, c, ordner, name, fertig == 0);
        ++fertig;
    }
    g->ReadSeriesFrame(nullptr, -1);
    ButtonBar.MakroClose();
    FortschrittEnde();
    RedrawPerMessage = altRedraw;
    // The curves file holds the columns done, and says so in its header.
    if (kurven && spalten.size() >= 2) {
        double koeff[3];
        for (int i = 0; i < 3; ++i) koeff[i] = g->DateiInfo.Koeffizienten[i];
        if (!SchreibeMcDatei(ziel.c_str(), spalten, koeff, g->DateiInfo.DateiName, nullptr))
            MeldungsBox(app->Hauptfenster, ("The file " + ziel + " could not be written.").c_str(), "ERROR !!",
                        MB_OK | MB_ICONSTOP);
    }
    if (HWND h = app->GrafikHandles[AktivesFenster]) {
        BringWindowToTop(h);
        PostMessageA(h, WM_COMMAND, CM_REDRAW, 0);
    }
    UpdateFensterStatus();
    return fertig > 0 ? 1 : 0;
}
