// Several spectrum files brought onto one grid: their average into the
// active window (624) or a multi-column file of them (623), each file
// optionally calibrated on the edge of its reference first. The options
// dialog AVERAGEXAS with its "Calibration" button, which opens the section
// dialog on the derivatives of the reference. While a macro plays (lParam
// 2) the values come from DialogWerte[1..9] and the output name and the
// files from CommandText (SerienAuftragText).
#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "resource_ids.h"
#include "series/series.h"
#include "shell/dialog_helpers.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "shell/macro_bar.h"
#include "shell/shell_globals.h"
#include "spectra/ascii_file.h"
#include "spectra/data_commands_win.h"
#include "spectra/file_commands_win.h"
#include "spectra/spectra_globals.h"
#include "xas/mcmaster.h"
#include "xas/xas_commands_win.h"

namespace {

const int32_t MAKRO_FEHLER = 1000;
const std::size_t AUSWAHL_BYTES = 20000;

// State of the open AVERAGEXAS dialog.
struct AvxZustand {
    bool mehrspalten = false;   // multi-column mode (623): the output name is asked for
    bool bereich = false;       // "Calibration" chose the search range
};
AvxZustand avx;

haupt_fenster* App() { return &HAUPTDATEN; }
double* DW() { return HAUPTDATEN.DialogWerte; }

void Meldung(const std::string& text, const char* titel = "ERROR !!", UINT art = MB_ICONSTOP)
{
    MeldungsBox(HAUPTDATEN.Hauptfenster, text.c_str(), titel, MB_OK | art);
    if (HAUPTDATEN.Meldungsblock.lParam == 2) FehlerCode = MAKRO_FEHLER;
}

std::string Feld(HWND dlg, int id)
{
    char text[400] = "";
    GetDlgItemTextA(dlg, id, text, sizeof text);
    return text;
}

void Zahl(HWND dlg, int id, const char* format, double v)
{
    char text[64];
    std::snprintf(text, sizeof text, format, v);
    SetDlgItemTextA(dlg, id, text);
}

bool Markiert(HWND dlg, int id) { return IsDlgButtonChecked(dlg, id) == BST_CHECKED; }

grafik_fenster* Aktiv()
{
    const int32_t f = AktivesFenster;
    if (f < 0 || f > 3 || !HAUPTDATEN.GrafikHandles[f] || !GrafikFenster[f].GetXFeld(-1)) return nullptr;
    return &GrafikFenster[f];
}

// Enabling of the calibration controls by the radio buttons.
void Freigeben(HWND dlg)
{
    const bool an = Markiert(dlg, IDC_AVX_REFERENZ);
    for (int id : {IDC_AVX_WENDEPUNKT, IDC_AVX_WEISSLINIE, IDC_AVX_KANTE, IDC_AVX_VON, IDC_AVX_BIS})
        EnableWindow(GetDlgItem(dlg, id), an);
    const grafik_fenster* g = Aktiv();
    const bool knopf = an && (Markiert(dlg, IDC_AVX_MEHRSPALTEN) || (g && g->DateiInfo.Spalten > 2));
    EnableWindow(GetDlgItem(dlg, IDC_AVX_KALIBRIERUNG), knopf);
}

// "Calibration": the reference of the window on top with its derivatives
// under the section dialog in its edge mode; its borders, smoothing and
// method come back into the dialog.
void Kalibrierknopf(HWND dlg)
{
    haupt_fenster* app = App();
    HWND oben = app->Hauptfenster ? GetTopWindow(app->Hauptfenster) : nullptr;
    int32_t f = app->GetFensterNummer(oben);
    if (f < 0) f = AktivesFenster;
    if (f < 0 || f > 3 || !app->GrafikHandles[f]) return;
    AktivesFenster = f;
    grafik_fenster& g = GrafikFenster[f];
    const int32_t altZaehler = g.KurvenZaehler, altNeuester = g.NeuesterZaehler;
    if (g.CutSection(0, 0.0, 0.0, 0) <= 0) return;
    const int32_t s = g.AktuellerSlot();
    bool ok;
    if (Markiert(dlg, IDC_AVX_MEHRSPALTEN)) {
        ok = LadeReferenz(2, g) > 0;
    } else {
        DateiInfo info = g.DateiInfo;
        info.XSpalte = 1;
        info.YSpalte = 3;
        const int32_t n = SpeichereInGrafik(g.XFeld[s], g.YFeld[s], &info, 0, -1, g.FeldGroesse());
        ok = n > 2;
        if (ok) g.DateiInfo.PunkteProKurve[s] = n;
    }
    if (!ok) {
        g.SetCurveSlots(altZaehler, altNeuester);
        MeldungsBox(dlg, "The window on top holds no reference spectrum.", "Error", MB_OK | MB_ICONINFORMATION);
        return;
    }
    const int32_t n = g.DateiInfo.PunkteProKurve[s];
    const double y0 = g.YFeld[s][0];
    for (int32_t i = 0; i < n; ++i) g.YFeld[s][i] -= y0;
    g.KurvenFlags[s] = 0;
    g.SetFullBorder();
    DW()[10] = -1.0;
    const int32_t zaehler = g.KurvenZaehler, neuester = g.NeuesterZaehler;
    if (!AbleitungsSpektrum(g)) return;
    g.SetCurveSlots(zaehler, std::max(neuester, zaehler + 2));
    g.MultiplotAnzahl = 3;
    for (int k = 0; k < 3; ++k) g.MultiplotListe[k] = f * 10 + ((zaehler + k) & 3);
    g.MultiplotAktiv = 1;
    const int32_t alt = HilfeThema;
    HilfeThema = 6;
    const int32_t r = SektionsDialog(623);
    HilfeThema = alt;
    g.MultiplotAktiv = 0;
    g.MultiplotAnzahl = 0;
    if (app->GrafikHandles[f]) InvalidateRect(app->GrafikHandles[f], nullptr, TRUE);
    if (r <= 0) return;
    Zahl(dlg, IDC_AVX_VON, "%.6G", DW()[0]);
    Zahl(dlg, IDC_AVX_BIS, "%.6G", DW()[1]);
    if (DW()[10] > 0.0) Zahl(dlg, IDC_AVX_GRAD, "%.4G", DW()[10]);
    const bool wendepunkt = DW()[5] < 0.0;
    CheckRadioButton(dlg, IDC_AVX_WENDEPUNKT, IDC_AVX_WEISSLINIE,
                     wendepunkt ? IDC_AVX_WENDEPUNKT : IDC_AVX_WEISSLINIE);
    avx.bereich = true;
}

// Points of the reference the smoothing degree is checked against: the
// current curve of the active window.
int32_t ReferenzPunkte()
{
    const grafik_fenster* g = Aktiv();
    return g ? g->Punkte() : 0;
}

bool Ok(HWND dlg)
{
    std::string kante = Feld(dlg, IDC_AVX_KANTE);
    const bool kalibrieren = Markiert(dlg, IDC_AVX_REFERENZ);
    if (kalibrieren && !kante.empty() && !std::isdigit(static_cast<unsigned char>(kante[0])) && kante[0] != '.') {
        // An element symbol (and an edge digit): its tabulated edge.
        char symbol[8] = "";
        std::snprintf(symbol, sizeof symbol, "%s", kante.c_str());
        const double e = kante.size() <= 3 ? GetEdgeEnergy(symbol) : 0.0;
        if (e > 0.0) {
            Zahl(dlg, IDC_AVX_KANTE, "%.5G", e);
            SetFocus(GetDlgItem(dlg, IDC_AVX_KANTE));
        } else {
            DialogFeldFehler(dlg, IDC_AVX_KANTE, "Type the edge energy in keV or an element symbol (Cu, Pt1).");
        }
        return false;
    }
    char* ende = nullptr;
    const std::string gradText = Feld(dlg, IDC_AVX_GRAD);
    const long grad = std::strtol(gradText.c_str(), &ende, 10);
    const int32_t punkte = ReferenzPunkte();
    // The degree only smooths the references: without calibration it is
    // neither used nor checked.
    const bool gradOk = ende != gradText.c_str() && *ende == '\0' && grad >= 0 && grad <= 100000 &&
                        (punkte <= 0 || GlaettungsGradGueltig(static_cast<int32_t>(grad), punkte));
    if (kalibrieren && !gradOk) {
        char text[160];
        std::snprintf(text, sizeof text, "The smoothing degree must lie between 0 and %d.",
                      static_cast<int>(punkte > 0 ? punkte / 4 : 0));
        DialogFeldFehler(dlg, IDC_AVX_GRAD, text);
        return false;
    }
    double* d = DW();
    d[1] = Markiert(dlg, IDC_AVX_ZWEISPALTEN) ? 1.0 : -1.0;
    d[2] = kalibrieren ? 1.0 : -1.0;
    d[3] = Markiert(dlg, IDC_AVX_WEISSLINIE) ? -1.0 : 1.0;
    d[4] = std::atof(kante.c_str());
    d[6] = -1.0;
    if (kalibrieren && avx.bereich) {
        d[6] = 1.0;
        d[7] = std::atof(Feld(dlg, IDC_AVX_VON).c_str());
        d[8] = std::atof(Feld(dlg, IDC_AVX_BIS).c_str());
    }
    d[9] = gradOk ? static_cast<double>(grad) : 5.0;
    if (avx.mehrspalten) std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", Feld(dlg, IDC_AVX_NAME).c_str());
    return true;
}

}  // namespace

INT_PTR CALLBACK AverageXasDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG: {
        avx.bereich = false;
        avx.mehrspalten = HilfeThema == 1;
        const grafik_fenster* g = Aktiv();
        const int32_t spalten = g ? g->DateiInfo.Spalten : 0;
        CheckRadioButton(dlg, IDC_AVX_ZWEISPALTEN, IDC_AVX_MEHRSPALTEN,
                         spalten < 4 ? IDC_AVX_ZWEISPALTEN : IDC_AVX_MEHRSPALTEN);
        CheckRadioButton(dlg, IDC_AVX_KEINE, IDC_AVX_KEINE, IDC_AVX_KEINE);
        CheckRadioButton(dlg, IDC_AVX_WENDEPUNKT, IDC_AVX_WEISSLINIE, IDC_AVX_WENDEPUNKT);
        SetDlgItemTextA(dlg, IDC_AVX_KANTE, "8.979");
        SetDlgItemTextA(dlg, IDC_AVX_GRAD, "5");
        ShowWindow(GetDlgItem(dlg, IDC_AVX_NAMETEXT), avx.mehrspalten ? SW_SHOW : SW_HIDE);
        ShowWindow(GetDlgItem(dlg, IDC_AVX_NAME), avx.mehrspalten ? SW_SHOW : SW_HIDE);
        if (avx.mehrspalten) {
            SetWindowTextA(dlg, " Create Multiple Column File / Options");
            std::string name = g ? g->DateiInfo.DateiName : "";
            const std::size_t punkt = name.find('.');
            if (punkt != std::string::npos) name.resize(punkt);
            SetDlgItemTextA(dlg, IDC_AVX_NAME, (name + "_c.dxa").c_str());
        }
        Freigeben(dlg);
        CenterDialog(dlg);
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_AVX_ZWEISPALTEN:
        case IDC_AVX_MEHRSPALTEN:
        case IDC_AVX_KEINE:
        case IDC_AVX_REFERENZ:
            Freigeben(dlg);
            return TRUE;
        case IDC_AVX_KALIBRIERUNG:
            Kalibrierknopf(dlg);
            return TRUE;
        case IDOK:
            if (Ok(dlg)) EndDialog(dlg, 1);
            return TRUE;
        case IDCANCEL:
            EndDialog(dlg, 0);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

namespace {

// The files of a multiple selection in the platform's open dialog; false
// for Cancel.
bool DateiAuswahl(int32_t befehl, std::vector<std::string>* pfade)
{
    haupt_fenster* app = App();
    std::vector<char> puffer(AUSWAHL_BYTES, '\0');
    const char* filter = app->DateiFilter;
    const char* start = (filter[0] == '*' && std::strlen(filter) >= 6) ? filter : "*.dat";
    std::snprintf(puffer.data(), puffer.size(), "%s", start);
    static const char FILTER[] =
        "current\0*.*\0All Files (*.*)\0*.*\0XAFS chi(k) (*.chi)\0*.chi\0XAFS Spectra(*.xan)\0*.xan\0"
        "Mess-Files (*.M*)\0*.M*\0Feff Files (*.dat)\0*.dat\0DXAS Files(*.DEX)\0*.dex\0"
        "Multiple Column files (*.dxa)\0*.dxa\0Exp. XAS-Files (*.rxa)\0*.rxa\0"
        "Windows Text Files (*.txt)\0*.txt\0";
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = app->Hauptfenster;
    ofn.lpstrFilter = FILTER;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = puffer.data();
    ofn.nMaxFile = static_cast<DWORD>(puffer.size() / 2);
    ofn.lpstrInitialDir = app->DatenOrdner && app->DatenOrdner[0] ? app->DatenOrdner : nullptr;
    ofn.lpstrTitle = befehl == 624 ? "Select all files for averaging" : "Select all files for MC file";
    ofn.Flags = OFN_ALLOWMULTISELECT | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (!OeffnenDateiDialog || !OeffnenDateiDialog(&ofn)) return false;
    *pfade = MehrfachAuswahl(puffer.data(), puffer.size());
    return true;
}

std::string NurName(const std::string& pfad)
{
    const std::size_t s = pfad.find_last_of("\\/");
    return s == std::string::npos ? pfad : pfad.substr(s + 1);
}

bool Relativ(const std::string& name)
{
    return !(name.size() > 1 && name[1] == ':') && !name.empty() && name[0] != '\\' && name[0] != '/';
}

// Sample and reference of one file. Multi-column text files are read
// through the column layout of the spectrum construction, in the window's
// slot s with the window's file information standing for the file's.
bool LiesDatei(grafik_fenster& g, const std::string& pfad, bool zweispalten, bool referenz,
               SerienKurve* probe, SerienKurve* ref)
{
    DateiInfo info{};
    if (!OeffneDateiGeprueft(pfad.c_str(), &info)) return false;
    probe->Name = ref->Name = NurName(pfad);
    if (zweispalten) {
        SpektrumDaten d;
        std::vector<double> spalte3;
        int32_t fehler = 0;
        const int32_t n = LeseSpektrum(&info, &d, &spalte3, nullptr, &fehler);
        if (n < 2) return false;
        probe->x.assign(d.x.begin(), d.x.begin() + n);
        probe->y.assign(d.y.begin(), d.y.begin() + n);
        if (referenz) {
            if (static_cast<int32_t>(spalte3.size()) < n) return false;
            ref->x = probe->x;
            ref->y.assign(spalte3.begin(), spalte3.begin() + n);
        }
        return true;
    }
    SpektrumDaten kopf;
    int32_t fehler = 0;
    if (LeseSpektrum(&info, &kopf, nullptr, nullptr, &fehler) < 2) return false;
    const DateiInfo alt = g.DateiInfo;
    const int32_t s = g.AktuellerSlot();
    std::memcpy(info.PunkteProKurve, alt.PunkteProKurve, sizeof info.PunkteProKurve);
    g.DateiInfo = info;
    auto slot = [&](SerienKurve* k) {
        const int32_t n = g.DateiInfo.PunkteProKurve[s];
        k->x.assign(g.XFeld[s], g.XFeld[s] + n);
        k->y.assign(g.YFeld[s], g.YFeld[s] + n);
        return n >= 2;
    };
    bool ok = true;
    if (referenz) ok = LadeReferenz(2, g) > 0 && slot(ref);
    if (ok) ok = LadeReferenz(1, g) > 0 && slot(probe);
    const int32_t n = g.DateiInfo.PunkteProKurve[s];
    g.DateiInfo = alt;
    g.DateiInfo.PunkteProKurve[s] = n;
    return ok;
}

}  // namespace

int32_t AverageOrCreateMcFile(int32_t befehl)
{
    haupt_fenster* app = App();
    grafik_fenster* g = Aktiv();
    if (!g) return 0;
    const bool vorbereitet = app->Meldungsblock.lParam == 2;
    std::vector<std::string> pfade;
    std::string ausgabe;
    if (vorbereitet) {
        if (!SerienAuftragLesen(CommandText ? CommandText : "", &ausgabe, &pfade)) {
            Meldung("No files are named for the series.");
            return 0;
        }
        if (befehl == 624) ausgabe.clear();
    } else {
        if (!DateiAuswahl(befehl, &pfade)) return 0;
        const int32_t alt = HilfeThema;
        if (befehl == 623) HilfeThema = 1;
        if (CommandText) CommandText[0] = '\0';
        const INT_PTR r = DialogBoxParamA(ProgrammModul(), "AVERAGEXAS", app->Hauptfenster, AverageXasDlgProc, 0);
        HilfeThema = befehl == 623 ? 0 : alt;
        if (r <= 0) return 0;
        if (befehl == 623 && CommandText) ausgabe = CommandText;
    }
    if (pfade.empty()) {
        Meldung("No file was chosen.");
        return 0;
    }
    for (const std::string& p : pfade)
        if (NurName(p).size() >= MC_NAME_GRENZE) {
            Meldung("The file name is too long (199 characters at most): " + NurName(p).substr(0, 60) + "...");
            return 0;
        }
    std::string name;
    if (!McAusgabeName(ausgabe, &name)) {
        Meldung("The name of the multiple column file is too long (199 characters at most).");
        return 0;
    }
    std::string ziel = name;
    if (befehl == 623 && Relativ(ziel) && app->DatenOrdner && app->DatenOrdner[0]) {
        std::string ordner = app->DatenOrdner;
        if (ordner.back() != '\\' && ordner.back() != '/') ordner += '\\';
        ziel = ordner + ziel;
    }

    const double* d = DW();
    SerienKalibrierung k;
    k.An = d[2] > 0.0;
    k.Wendepunkt = d[3] > 0.0;
    k.Kante = d[4];
    k.Bereich = d[6] > 0.0;
    k.Von = d[7];
    k.Bis = d[8];
    k.Grad = static_cast<int32_t>(d[9]);
    const bool zweispalten = d[1] > 0.0;

    // The result goes into the next slot; the files are read (the
    // multi-column text files through that slot) before anything is written.
    const int32_t altZaehler = g->KurvenZaehler, altNeuester = g->NeuesterZaehler;
    if (g->CutSection(0, 0.0, 0.0, 0) <= 0) return 0;
    auto zurueck = [&] { g->SetCurveSlots(altZaehler, altNeuester); };
    std::vector<SerienKurve> kurven(pfade.size()), referenzen(k.An ? pfade.size() : 0);
    for (std::size_t i = 0; i < pfade.size(); ++i) {
        SerienKurve leer;
        if (!LiesDatei(*g, pfade[i], zweispalten, k.An, &kurven[i], k.An ? &referenzen[i] : &leer)) {
            zurueck();
            Meldung("The file " + pfade[i] + (k.An && zweispalten ? " could not be read or holds no reference column"
                                                                   : " could not be read") +
                    "; nothing was written.");
            return 0;
        }
    }
    SerienGitter serie;
    std::string bericht;
    int32_t datei = -1;
    const int32_t r = SerieAusKurven(&kurven, referenzen, k, name, &serie, &bericht, &datei);
    if (r != SERIE_OK) {
        zurueck();
        const std::string wer = datei >= 0 ? pfade[static_cast<std::size_t>(datei)] : std::string();
        if (r == SERIE_KEINE_KANTE)
            Meldung("No edge of the reference was found in the search interval of " + wer +
                    ".\r\nThe run was stopped; nothing was written.");
        else if (r == SERIE_GRAD)
            Meldung("The smoothing degree is too large for the reference of " + wer + ".");
        else
            Meldung("The files share no common energy range; nothing was written.");
        return 0;
    }
    const int32_t nG = static_cast<int32_t>(serie.x.size());
    if (befehl == 623) {
        std::vector<std::vector<double>> spalten;
        spalten.push_back(serie.x);
        for (const auto& s : serie.Spalten) spalten.push_back(s);
        double koeff[3];
        for (int i = 0; i < 3; ++i) koeff[i] = g->DateiInfo.Koeffizienten[i];
        if (!SchreibeMcDatei(ziel.c_str(), spalten, koeff, g->DateiInfo.DateiName, nullptr)) {
            zurueck();
            Meldung("The multiple column file " + ziel + " could not be written; an older file of that name is unchanged.");
            return 0;
        }
    }
    if (nG + 5 > g->FeldGroesse() && g->ResizeFelder(std::max(nG + 5, 10005)) == 0) {
        zurueck();
        Meldung("There is not enough memory for the series.");
        return 0;
    }
    const int32_t s = g->AktuellerSlot();
    const std::vector<double>& y = befehl == 624 ? serie.Mittel : serie.Spalten.back();
    std::copy(serie.x.begin(), serie.x.end(), g->XFeld[s]);
    std::copy(y.begin(), y.end(), g->YFeld[s]);
    g->DateiInfo.PunkteProKurve[s] = nG;
    g->KurvenFlags[s] = 0;
    g->SetFullBorder();
    if (CommandText) std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", bericht.c_str());
    if (app->MakroAufnahme && CommandText2) {
        std::snprintf(CommandText2, COMMAND_TEXT2_BYTES, "%s", SerienAuftragText(ausgabe, pfade).c_str());
        ButtonBar.MakroRecord(befehl, 10, -1);
    }
    return 1;
}
