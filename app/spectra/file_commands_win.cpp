// The file commands: Open, Load, Save in its modes, the opening of a
// graphic window and the common file-name dialog. The computations are in
// file_commands_core, the readers and writers in ascii_file/spectrum_file.
#include "spectra/file_commands_win.h"

#include <commdlg.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "resource_ids.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "spectra/file_commands.h"
#include "spectra/ascii_file.h"
#include "spectra/data_commands_win.h"
#include "spectra/spectra_globals.h"

STANDARD_DATEIDIALOG OeffnenDateiDialog = GetOpenFileNameA;
STANDARD_DATEIDIALOG SpeichernDateiDialog = GetSaveFileNameA;

namespace {

void KopiereInPuffer(char* ziel, size_t groesse, const std::string& text)
{
    if (!ziel || groesse == 0) return;
    const size_t n = text.size() < groesse - 1 ? text.size() : groesse - 1;
    std::memcpy(ziel, text.data(), n);
    ziel[n] = '\0';
}

std::string Text(const char* s) { return s ? s : ""; }

// The first line of "feffdir.ini" in the program folder, "" when missing.
std::string FeffdirZeile(const haupt_fenster& app)
{
    char pfad[MAX_PATH + ORDNER_BYTES];
    ProgrammDatei(pfad, sizeof pfad, "feffdir.ini");
    std::FILE* f = std::fopen(pfad, "rb");
    if (!f) return "";
    std::string zeile;
    LiesZeile(f, &zeile);
    std::fclose(f);
    (void)app;
    return zeile;
}

// Remembers filter and folder of a file chosen in a dialog.
void MerkeDatei(haupt_fenster* app, const std::string& pfad)
{
    KopiereInPuffer(app->DateiFilter, sizeof app->DateiFilter, MerkeFilter(pfad));
    if (app->DatenOrdner) KopiereInPuffer(app->DatenOrdner, ORDNER_BYTES, OrdnerOhneSchraegstrich(pfad));
}

// The standard open or save dialog. Returns false on Cancel.
bool StandardDialog(haupt_fenster* app, bool oeffnen, const DateiFilterPaar* filter,
                    int32_t filterAnzahl, const std::string& vorschlag, const std::string& ordner,
                    const char* titel, DWORD zusatz, std::string* pfad)
{
    std::vector<char> name(DATEI_NAME_PUFFER, '\0');
    char datei[DATEI_TITEL_PUFFER] = "";
    KopiereInPuffer(name.data(), name.size(), vorschlag);
    const std::string filterText = FilterText(filter, filterAnzahl);
    std::string eigen = FilterText(&DATEI_FILTER_EIGEN, 1);
    eigen.resize(256, '\0');
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = app->Hauptfenster;
    ofn.lpstrFilter = filterText.c_str();
    ofn.lpstrCustomFilter = &eigen[0];
    ofn.nMaxCustFilter = static_cast<DWORD>(eigen.size());
    ofn.nFilterIndex = filter == DATEI_FILTER ? DATEI_FILTER_INDEX : 1;
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.lpstrFileTitle = datei;
    ofn.nMaxFileTitle = sizeof datei;
    ofn.lpstrInitialDir = ordner.empty() ? nullptr : ordner.c_str();
    ofn.lpstrTitle = titel && *titel ? titel : nullptr;
    ofn.Flags = OFN_EXPLORER | zusatz |
                (oeffnen ? OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY
                         : OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY);
    const BOOL ok = oeffnen ? OeffnenDateiDialog(&ofn) : SpeichernDateiDialog(&ofn);
    if (!ok) return false;
    *pfad = name.data();
    return true;
}

// Message of a file the reader refused: string 105 (or the reader's own
// code) with the break row when there is one.
void LeseFehler(haupt_fenster* app, int32_t n, int32_t fehler, bool sofort)
{
    const int32_t id = fehler == FEHLER_ZU_VIELE_PUNKTE ? FEHLER_ZU_VIELE_PUNKTE : FEHLER_FORMAT;
    if (!sofort) {
        FehlerMeldung(id);
        return;
    }
    char text[512] = "";
    LoadStringA(app->Instanz, id, text, 300);
    if (n < 0) {
        char zeile[80];
        std::snprintf(zeile, sizeof zeile, "\r\n\r\nerror : no X-column, break at # %d", -n);
        std::strncat(text, zeile, sizeof text - std::strlen(text) - 1);
    }
    MessageBeep(MB_ICONEXCLAMATION);
    if (!MakroRunning) MeldungsBox(app->Hauptfenster, text, "Error !!", MB_OK | MB_ICONSTOP);
    MessageBeep(MB_ICONEXCLAMATION);
}

// Reads a file into daten with the transformations of its variant. Returns
// the point count, or 0 / a negative break row as the reader gives them.
int32_t LiesMitVariante(DateiInfo* info, SpektrumDaten* daten, int32_t* fehler)
{
    std::vector<double> spalte3, spalte4;
    const int32_t n = LeseSpektrum(info, daten, &spalte3, &spalte4, fehler);
    if (n <= 0) return n;
    const int32_t variante = DateiVariante(info->DateiName);
    if (variante == DATEI_LOG_51 && static_cast<int32_t>(spalte3.size()) >= n)
        LogQuotient(daten->y.data(), spalte3.data(), n, daten->y.data());
    if (variante == DATEI_XED) XedSpikeFilter(daten->y.data(), n);
    return n;
}

// Writes through a file beside the target that then replaces it, so a
// failed write leaves the old file whole and the file being read is never
// cut short.
template <typename Schreiber>
bool SchreibeErsetzend(const std::string& pfad, Schreiber schreiben)
{
    const std::string neu = pfad + ".~kn";
    if (!schreiben(neu.c_str())) {
        DeleteFileA(neu.c_str());
        return false;
    }
    if (!MoveFileExA(neu.c_str(), pfad.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(neu.c_str());
        return false;
    }
    return true;
}

void SchreibFehler(haupt_fenster* app, const std::string& pfad, const char* grund)
{
    std::string text = "File could not be written!\r\n" + pfad;
    if (grund && *grund) text += std::string("\r\n") + grund;
    MessageBeep(MB_ICONEXCLAMATION);
    MeldungsBox(app->Hauptfenster, text.c_str(), "ERROR !!", MB_OK | MB_ICONSTOP);
}

}  // namespace

void KopiereFensterDaten(const DateiInfo* quelle, DateiInfo* ziel)
{
    if (!quelle || !ziel || quelle == ziel) return;
    *ziel = *quelle;
}

int32_t OeffneDateiGeprueft(const char* pfad, DateiInfo* info)
{
    WIN32_FILE_ATTRIBUTE_DATA a{};
    const bool da = pfad && *pfad && GetFileAttributesExA(pfad, GetFileExInfoStandard, &a) &&
                    !(a.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    if (!da) {
        if (!MakroRunning)
            MeldungsBox(HAUPTDATEN.Hauptfenster, "File could not be opened!", "ERROR !!",
                        MB_OK | MB_ICONSTOP);
        return 0;
    }
    const std::string p = pfad;
    KopiereInPuffer(info->Ordner, sizeof info->Ordner, OrdnerVonPfad(p));
    KopiereInPuffer(info->DateiName, sizeof info->DateiName, NameVonPfad(p));
    const uint64_t groesse = (static_cast<uint64_t>(a.nFileSizeHigh) << 32) | a.nFileSizeLow;
    info->DateiGroesse = groesse > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int32_t>(groesse);
    return 1;
}

int32_t NeuesGrafikFenster(haupt_fenster* app)
{
    int32_t frei = -1;
    for (int32_t i = 0; i < 4 && frei < 0; ++i)
        if (!app->GrafikHandles[i]) frei = i;
    if (AnzahlFenster >= 4 || frei < 0) {
        FehlerCode = 112;
        return 0;
    }
    ++AnzahlFenster;
    AktivesFenster = frei;
    if (app->Hauptfenster)
        if (HWND oben = GetTopWindow(app->Hauptfenster)) SendMessageA(oben, WM_NCACTIVATE, FALSE, 0);
    const DWORD stil = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_OVERLAPPEDWINDOW;
    // The record index travels with the creation so that the creation
    // handler can set up the record before the handle is known.
    HWND h = CreateWindowA("paint", "Grafik", stil, 0, 2 * app->ButtonZeilenHoehe + 6, 400, 300,
                           app->Hauptfenster, nullptr, app->Instanz,
                           reinterpret_cast<LPVOID>(static_cast<INT_PTR>(frei + 1)));
    if (!h) {
        --AnzahlFenster;
        return 0;
    }
    grafik_fenster& g = GrafikFenster[frei];
    if (!g.GetXFeld(-1)) {
        // Creation ran out of memory: no window.
        DestroyWindow(h);
        return 0;
    }
    app->GrafikHandles[frei] = h;
    g.FensterNummer = frei;
    g.hWnd = h;
    g.Reset();
    BringWindowToTop(h);
    FlashWindow(h, TRUE);
    g.KGewicht = 0.0;
    return frei + 1;
}

int32_t SpeichereInGrafik(double* x, double* y, DateiInfo* info, int32_t, int32_t art,
                          int32_t kapazitaet)
{
    if (!info || !y) return 0;
    int32_t fehler = 0;
    if (art > 0) {
        char pfad[2600];
        if (!DateiPfad(*info, pfad, sizeof pfad)) return 0;
        std::vector<double> xv, yv;
        const int32_t n = LeseBinaerSpalten(pfad, 1, 2, art, &xv, &yv, &fehler);
        if (n <= 0 || n > kapazitaet) return 0;
        for (int32_t i = 0; i < n; ++i) {
            if (x) x[i] = xv[i];
            y[i] = yv[i];
        }
        return n;
    }
    SpektrumDaten daten;
    const double glitch = SpektrenShell.GlitchKorrektur && *SpektrenShell.GlitchKorrektur &&
                                  SpektrenShell.GlitchProzent
                              ? *SpektrenShell.GlitchProzent
                              : 0.0;
    const int32_t punkte = SpektrenShell.GlitchPunkte ? *SpektrenShell.GlitchPunkte : 2;
    const int32_t n = LeseSpalten(*info, info->XSpalte, info->YSpalte, &daten, &fehler, glitch, punkte);
    if (n <= 0 || n > kapazitaet || static_cast<int32_t>(daten.y.size()) < n) return 0;
    for (int32_t i = 0; i < n; ++i) {
        if (x) x[i] = daten.x[i];
        y[i] = daten.y[i];
    }
    return n;
}

int32_t FileDialog(HWND owner, char* pfad, char* titel, int32_t art, int32_t oeffnen)
{
    haupt_fenster& app = HAUPTDATEN;
    const DateiDialogVorgabe v =
        DateiDialogTabelle(art, app.DateiFilter, Text(app.DatenOrdner), Text(app.FeffOrdner),
                           art == 8 ? FeffdirZeile(app) : std::string());
    std::vector<char> name(DATEI_NAME_PUFFER, '\0');
    char datei[DATEI_TITEL_PUFFER] = "";
    KopiereInPuffer(name.data(), name.size(), v.vorschlag);
    const std::string filterText = FilterText(DATEI_FILTER, DATEI_FILTER_ANZAHL);
    std::string eigen = FilterText(&DATEI_FILTER_EIGEN, 1);
    eigen.resize(256, '\0');
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filterText.c_str();
    ofn.lpstrCustomFilter = &eigen[0];
    ofn.nMaxCustFilter = static_cast<DWORD>(eigen.size());
    ofn.nFilterIndex = DATEI_FILTER_INDEX;
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.lpstrFileTitle = datei;
    ofn.nMaxFileTitle = sizeof datei;
    ofn.lpstrInitialDir = v.ordner.empty() ? nullptr : v.ordner.c_str();
    ofn.lpstrTitle = v.titel.empty() ? nullptr : v.titel.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY |
                (oeffnen ? OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT) |
                (v.mehrfach ? OFN_ALLOWMULTISELECT : 0);
    const BOOL ok = oeffnen ? GetOpenFileNameA(&ofn) : GetSaveFileNameA(&ofn);
    if (!ok) return 0;
    if (v.mehrfach) {
        std::string p, t;
        TeileMehrfachAuswahl(name.data(), static_cast<int32_t>(name.size()), &p, &t, nullptr);
        KopiereInPuffer(pfad, DATEI_NAME_PUFFER, p);
        KopiereInPuffer(titel, DATEI_TITEL_PUFFER, t);
    } else {
        KopiereInPuffer(pfad, DATEI_NAME_PUFFER, name.data());
        KopiereInPuffer(titel, DATEI_TITEL_PUFFER, datei);
    }
    if (art == 8 && app.FeffOrdner)
        KopiereInPuffer(app.FeffOrdner, ORDNER_BYTES, OrdnerOhneSchraegstrich(name.data()));
    return 1;
}

int32_t DateiOeffnen(haupt_fenster* app, int32_t* anzahl)
{
    const LPARAM lp = app->Meldungsblock.lParam;
    std::string pfad;
    bool dialog = false;
    if (lp >= 111 && lp <= 114) {
        char name[32];
        std::snprintf(name, sizeof name, "numsave%d.mes", static_cast<int>(lp - 111));
        char p[MAX_PATH + ORDNER_BYTES];
        ProgrammDatei(p, sizeof p, name);
        pfad = p;
    } else if (lp == LP_FEFF_CHI) {
        std::string ordner = Text(CommandText);
        if (!ordner.empty() && ordner.back() != '\\' && ordner.back() != '/') ordner += '\\';
        pfad = ordner + "CHI.DAT";
    } else {
        if (!StandardDialog(app, true, DATEI_FILTER, DATEI_FILTER_ANZAHL,
                            OeffnenVorschlag(app->DateiFilter, ""), Text(app->DatenOrdner), nullptr,
                            0, &pfad))
            return 0;
        dialog = true;
    }

    ++*anzahl;
    DateiInfo info;
    DateiInfoLeeren(&info);
    if (!OeffneDateiGeprueft(pfad.c_str(), &info)) {
        --*anzahl;
        return 0;
    }
    if (dialog) MerkeDatei(app, pfad);
    SpektrumDaten daten;
    int32_t fehler = 0;
    const int32_t n = LiesMitVariante(&info, &daten, &fehler);
    if (n <= 0) {
        LeseFehler(app, n, fehler, true);
        --*anzahl;
        return 0;
    }
    const int32_t nummer = NeuesGrafikFenster(app);
    if (nummer == 0) {
        --*anzahl;
        return 0;
    }
    grafik_fenster& g = GrafikFenster[nummer - 1];
    const int32_t kapazitaet = g.FeldGroesse();
    KopiereFensterDaten(&info, &g.DateiInfo);
    for (int32_t& p : g.DateiInfo.PunkteProKurve) p = 0;
    g.DateiInfo.Kapazitaet = kapazitaet;
    if (!g.SpeichereKurve(daten)) {
        DestroyWindow(app->GrafikHandles[nummer - 1]);
        return -100;
    }
    g.DateiInfo.Koeffizienten[3] = DateiVariante(info.DateiName) == DATEI_XED ? 1.0 : -1.0;
    g.DateiInfo.Kapazitaet = g.FeldGroesse();
    const double* x = g.GetXFeld(-1);
    g.DateiInfo.ErstesX = x[0];
    g.DateiInfo.LetztesX = x[n - 1];
    app->VollerXBereich[0] = x[0];
    app->VollerXBereich[1] = x[n - 1];
    g.Grenzen[1] = x[0];
    g.Grenzen[0] = x[n - 1];
    g.ZeigeDaten = 1;
    g.ZeigeFunktion = 0;
    if (app->Hauptmenue) {
        CheckMenuItem(app->Hauptmenue, 45, MF_BYCOMMAND | MF_CHECKED);
        CheckMenuItem(app->Hauptmenue, 19, MF_BYCOMMAND | MF_UNCHECKED);
    }
    const int32_t profil = app->AktivesProfil == 2 ? 1 : 0;
    g.SetFontInfo(app->SchriftProfile[profil].Wert);
    AktivesFenster = nummer - 1;
    PostMessageA(app->GrafikHandles[nummer - 1], WM_COMMAND, 37, 0);
    app->DateiGeoeffnet = 1;
    if (daten.UebersprungeneZeilen > 0 && CommandText) {
        std::snprintf(CommandText, COMMAND_TEXT_BYTES, "--: %s  %d line(s) after the table skipped",
                      info.DateiName, daten.UebersprungeneZeilen);
        HWND ergebnis = app->KindFenster[KIND_ERGEBNIS];
        if (ergebnis) SendMessageA(ergebnis, WM_COMMAND, 2003, 0);
    }
    // Every menu, the Window menu included, once a window exists.
    if (app->Hauptmenue) {
        const int menues = GetMenuItemCount(app->Hauptmenue);
        for (int i = 0; i < menues; ++i) EnableMenuItem(app->Hauptmenue, i, MF_BYPOSITION | MF_ENABLED);
        if (app->Hauptfenster) DrawMenuBar(app->Hauptfenster);
    }
    return 1;
}

int32_t LadeMesDatei(haupt_fenster* app)
{
    const int32_t fenster = AktivesFenster;
    if (fenster < 0 || fenster > 3 || !app->GrafikHandles[fenster]) return 0;
    grafik_fenster& g = GrafikFenster[fenster];
    if (!g.GetXFeld(-1)) return 0;
    std::string pfad;
    if (!StandardDialog(app, true, DATEI_FILTER, DATEI_FILTER_ANZAHL,
                        OeffnenVorschlag(app->DateiFilter, "*.mes"), Text(app->DatenOrdner), nullptr, 0,
                        &pfad))
        return 0;
    DateiInfo info;
    DateiInfoLeeren(&info);
    if (!OeffneDateiGeprueft(pfad.c_str(), &info)) return 0;
    SpektrumDaten daten;
    int32_t fehler = 0;
    const int32_t n = LiesMitVariante(&info, &daten, &fehler);
    if (n <= 0) {
        LeseFehler(app, n, fehler, false);
        return 0;
    }
    MerkeDatei(app, pfad);
    // The ring moves on by a whole-curve copy; an empty current slot has
    // nothing to copy, so the counter moves by itself then.
    if (g.CutSection(0, 0.0, 0.0, 0) == 0) {
        ++g.KurvenZaehler;
        g.NeuesterZaehler = g.KurvenZaehler;
        FehlerCode = 0;
    }
    if (!g.SpeichereKurve(daten)) {
        FehlerCode = 104;
        return 0;
    }
    uint32_t& flags = g.KurvenFlags[g.AktuellerSlot()];
    flags &= SLOT_KOMPLEX;
    return 1;
}

int32_t SpeichereDatei(haupt_fenster* app, int32_t modus, int32_t spalten, int32_t teil,
                       int32_t asciiWahl, const double* x, const double* y, int32_t punkte)
{
    const bool ohneDialog = modus >= 10;
    const int32_t m = ohneDialog ? modus - 10 : modus;
    if (m != 1 && m != 2 && m != 3 && m != 99) return 0;
    const int32_t fenster = AktivesFenster;
    grafik_fenster* g = fenster >= 0 && fenster < 4 && app->GrafikHandles[fenster] &&
                                GrafikFenster[fenster].GetXFeld(-1)
                            ? &GrafikFenster[fenster]
                            : nullptr;
    const bool eigeneFelder = x && y;
    if (m != 2 && !g && !eigeneFelder) return 0;
    const int32_t s = g ? g->AktuellerSlot() : 0;
    const double* kx = eigeneFelder ? x : (g ? g->GetXFeld(-1) : nullptr);
    const double* ky = eigeneFelder ? y : (g ? g->GetYFeld(-1) : nullptr);
    const int32_t kn = eigeneFelder ? punkte : (g ? g->Punkte() : 0);

    if (m == 99) {
        const int32_t r = SchreibeDexfoil(Text(app->ProgrammOrdner), Text(CommandText), kx, ky, kn);
        if (r == DEXFOIL_OK) return 1;
        char pfad[MAX_PATH + ORDNER_BYTES];
        ProgrammDatei(pfad, sizeof pfad, "dexfoil.dat");
        SchreibFehler(app, pfad,
                      r == DEXFOIL_FEHLER_SICHERUNG ? "The backup could not be written; the table is unchanged."
                      : r == DEXFOIL_FEHLER_SCHREIBEN ? "The table was restored from its backup."
                                                      : "");
        return 0;
    }

    std::string pfad;
    if (ohneDialog) {
        pfad = Text(CommandText);
        if (pfad.empty()) return 0;
    } else {
        const std::string ordner = Text(app->DatenOrdner);
        bool ok = false;
        if (m == 1)
            ok = StandardDialog(app, false, DATEI_FILTER, DATEI_FILTER_ANZAHL,
                                SpeichernVorschlag(app->DateiFilter, asciiWahl,
                                                   g ? g->DateiInfo.DateiName : ""),
                                ordner, nullptr, 0, &pfad);
        else if (m == 2)
            ok = StandardDialog(app, false, &ERGEBNIS_FILTER, 1, ERGEBNIS_FILTER.muster, ordner,
                                nullptr, 0, &pfad);
        else
            ok = StandardDialog(app, true, DATEI_FILTER, DATEI_FILTER_ANZAHL,
                                OeffnenVorschlag(app->DateiFilter, "*.*"), ordner, nullptr, 0, &pfad);
        if (!ok) return 0;

        if (m != 2 && g && !eigeneFelder) {
            if (g->KurvenFlags[s] & SLOT_K_GEWICHTET) {
                const int a = MeldungsBox(app->Hauptfenster, "Shall the k weighting be removed prior to saving?",
                                          "k weighting not saved with file!", MB_YESNO | MB_ICONQUESTION);
                if (a == IDYES) {
                    EntferneKGewichtung(g->GetXFeld(-1), g->GetYFeld(-1), kn, g->KGewicht,
                                        (g->KurvenFlags[s] & SLOT_KOMPLEX) != 0);
                    g->KGewicht = 0.0;
                    g->KurvenFlags[s] &= ~SLOT_K_GEWICHTET;
                    std::strcpy(g->XText[s], "k [\xC5~{-1}]");
                    std::strcpy(g->YText[s], "^c(k)");
                    PostMessageA(app->GrafikHandles[fenster], WM_COMMAND, 37, 0);
                }
            }
            if (g->KurvenFlags[s] & SLOT_NICHT_SPEICHERBAR) {
                char text[400] = "";
                LoadStringA(app->Instanz, 117, text, sizeof text);
                if (MeldungsBox(app->Hauptfenster, text, "Caution !!", MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK)
                    return 0;
            }
        }
        if (m == 3 &&
            MeldungsBox(app->Hauptfenster,
                        "     Grafik can be appended to ASCII file only !\r\n  Monotonous behaviour of 1.column is NOT checked.",
                        "Attention !!", MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK)
            return 0;
    }

    bool ok = false;
    const char* grund = "";
    if (m == 2) {
        const std::string text = Text(CommandText);
        ok = SchreibeErsetzend(pfad, [&](const char* p) { return SchreibeTextDatei(p, text) == SPEICHERN_OK; });
    } else if (m == 3) {
        ok = kn > 0 && kx && ky && HaengeKurveAn(pfad, kx, ky, kn) == SPEICHERN_OK;
    } else if (app->BinaerSpeichern) {
        // HilfeThema non-zero (the multi-column writers set 100): the
        // columns are appended to the file in place, the header having
        // been written by a first call; a whole file goes through a
        // temporary file.
        const int32_t anhaengen = HilfeThema;
        HilfeThema = 0;
        int32_t code = SPEKTRUM_OK;
        auto schreibe = [&](const char* p) {
            code = g ? g->SchreibeBinaer(p, anhaengen, spalten, teil, x, y, punkte)
                     : [&] {
                           BinaerAuftrag a;
                           a.Anhaengen = anhaengen;
                           a.Spalten = spalten;
                           a.Teil = teil;
                           a.x = x;
                           a.y = y;
                           a.Punkte = punkte;
                           return SchreibeBinaerSpektrum(p, a);
                       }();
            return code == SPEKTRUM_OK;
        };
        ok = anhaengen ? schreibe(pfad.c_str()) : SchreibeErsetzend(pfad, schreibe);
        if (code == FEHLER_ZU_VIELE_PUNKTE) grund = TEXT_BINAER_ZU_GROSS;
    } else {
        ok = SchreibeErsetzend(pfad, [&](const char* p) {
            if (g && !eigeneFelder) {
                ModellAuswertung modell = [](int32_t funktion, const double* mx, double* my, int32_t mn) {
                    ::ModellCallback f = HAUPTDATEN.ModellCallback ? HAUPTDATEN.ModellCallback : ModellFunktion;
                    if (funktion >= 0) SetFunktionFlag(funktion + 1, 1);
                    f(0.0, 0.0, const_cast<double*>(mx), my, mn);
                    if (funktion >= 0) SetFunktionFlag(0, 0);
                };
                return g->SchreibeText(p, modell) == SPEKTRUM_OK;
            }
            TextAuftrag a;
            a.Name = g ? g->DateiInfo.DateiName : "";
            a.x = x;
            a.y = y;
            a.Punkte = punkte;
            return SchreibeTextSpektrum(p, a) == SPEKTRUM_OK;
        });
    }
    if (!ok) {
        SchreibFehler(app, pfad, grund);
        return 0;
    }
    if (!ohneDialog) MerkeDatei(app, pfad);
    return 1;
}
