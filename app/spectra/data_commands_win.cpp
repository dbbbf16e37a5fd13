// The data commands 601-627 of the graphic windows: the handler reads the
// dialog values, works on the curve slots of the target window through the
// plain cores (data_arithmetic, data_commands), writes the history line,
// records the step into a macro being recorded and asks for a redraw.
#include "spectra/data_commands_win.h"
#include "spectra/foreign_files_win.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "resource_ids.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "shell/macro_bar.h"
#include "spectra/data_arithmetic.h"
#include "spectra/data_commands.h"
#include "spectra/data_dialogs.h"
#include "spectra/data_dialogs_win.h"
#include "spectra/file_commands_win.h"
#include "spectra/spectra_globals.h"

EDIT_DATEIDIALOG EditDateiDialog = GetSaveFileNameA;
EDIT_DRUCKER_DC EditDruckerDC = StandardDruckerDC;

namespace {

const int32_t FEHLER_KEIN_FENSTER = 111;
const int32_t FEHLER_MAKRO = 1000;
const int32_t LP_BUTTONLEISTE = 1111;
const int32_t CM_STOP_AUFNAHME = 12;
const int32_t CM_TABELLE_NEU = 2005;
const int32_t CM_ERGEBNIS_KOPIEREN = 7777;
const int32_t CM_HISTORIE = 2003;
const int32_t CM_ERGEBNIS = 2001;
// Menu items that 603 sets.
const UINT MENUE_DATEN = 45, MENUE_FUNKTION = 19;

ModellCallback Modell()
{
    return HAUPTDATEN.ModellCallback ? HAUPTDATEN.ModellCallback : ModellFunktion;
}

INT_PTR Dialog(haupt_fenster* app, const char* vorlage, DLGPROC proc)
{
    HINSTANCE inst = app->Instanz ? app->Instanz : GetModuleHandleA(nullptr);
    return DialogBoxParamA(inst, vorlage, app->Hauptfenster, proc, 0);
}

double* DW()
{
    return HAUPTDATEN.DialogWerte;
}

// "--: " + file name + the formatted line into CommandText, and to the
// results window unless a series runs.
void Historie(haupt_fenster* app, const grafik_fenster& g, const char* format, ...)
{
    if (!CommandText) return;
    int k = std::snprintf(CommandText, COMMAND_TEXT_BYTES, "--: %s", g.DateiInfo.DateiName);
    if (k < 0 || k >= COMMAND_TEXT_BYTES) k = 0;
    va_list args;
    va_start(args, format);
    std::vsnprintf(CommandText + k, COMMAND_TEXT_BYTES - k, format, args);
    va_end(args);
    HWND ergebnis = app->KindFenster[KIND_ERGEBNIS];
    if (RedrawPerMessage == 1 && ergebnis) SendMessageA(ergebnis, WM_COMMAND, CM_HISTORIE, 0);
}

void Aufnehmen(haupt_fenster* app, int32_t befehl, int32_t anzahl, int32_t letzter)
{
    if (app->MakroAufnahme) ButtonBar.MakroRecord(befehl, anzahl, letzter);
}

void Neuzeichnen(HWND fenster)
{
    if (!fenster) return;
    if (RedrawPerMessage == 0) RedrawWindow(fenster, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    else PostMessageA(fenster, WM_COMMAND, CM_REDRAW, 0);
}

void TabelleNeuMalen(haupt_fenster* app)
{
    HWND tabelle = app->KindFenster[KIND_EDITOR];
    if (tabelle && IsWindowVisible(tabelle)) InvalidateRect(tabelle, nullptr, TRUE);
}

// Columns xs and ys of the window's file; false (with the reader's error
// as FehlerCode) when they cannot be read.
bool LiesSpalten(const DateiInfo& info, int32_t xs, int32_t ys, SpektrumDaten* d)
{
    int32_t fehler = 0;
    const double prozent = HAUPTDATEN.GlitchKorrektur ? HAUPTDATEN.GlitchProzent : 0.0;
    const int32_t n = LeseSpalten(info, xs, ys, d, &fehler, prozent, HAUPTDATEN.GlitchPunkte);
    if (n > 0) return true;
    FehlerCode = fehler > 0 ? fehler : 105;
    return false;
}

// Reads columns xs, ys into the next slot and makes it current. The ring
// moves only when the columns could be read.
bool SpaltenInNeuenSlot(grafik_fenster& g, int32_t xs, int32_t ys)
{
    SpektrumDaten d;
    if (!LiesSpalten(g.DateiInfo, xs, ys, &d)) return false;
    const int32_t alt = g.KurvenZaehler, altNeu = g.NeuesterZaehler;
    ++g.KurvenZaehler;
    g.NeuesterZaehler = g.KurvenZaehler;
    if (!g.SpeichereKurve(d)) {
        g.SetCurveSlots(alt, altNeu);
        FehlerCode = 107;
        return false;
    }
    g.KurvenFlags[g.AktuellerSlot()] = d.Komplex ? SLOT_KOMPLEX : 0;
    return true;
}

bool GrenzenPruefen(const grafik_fenster& g, double a, double b, bool vorbereitet)
{
    // Values from a macro are not compared with the curve, but a crossed
    // pair is refused there too.
    const int32_t r = (vorbereitet || MakroRunning) ? PruefeSektionsReihenfolge(a, b)
                                                    : PruefeSektionsGrenzen(a, b, g.Grenzen[1], g.Grenzen[0]);
    if (r == DATEN_OK) return true;
    FehlerCode = FEHLER_BEREICH;
    return false;
}

bool DateiFrage(haupt_fenster* app, char* pfad, DWORD groesse, const char* muster,
                const char* filter, const char* endung, const char* titel, bool neu = true)
{
    std::snprintf(pfad, groesse, "%s", muster);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = app->Hauptfenster;
    ofn.lpstrFilter = filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = pfad;
    ofn.nMaxFile = groesse;
    ofn.lpstrDefExt = endung;
    ofn.lpstrTitle = titel;
    ofn.Flags = (neu ? OFN_OVERWRITEPROMPT : 0) | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    return EditDateiDialog && EditDateiDialog(&ofn) && pfad[0];
}

// ---- the commands ----

void Kopieren(haupt_fenster* app, int32_t quelle, bool vorbereitet)
{
    double v = DW()[0];
    if (!vorbereitet) {
        v = static_cast<double>(Dialog(app, "COPYFELD", CopyFeldProc));
        if (v < 0.0) return;
        DW()[0] = v;
    }
    int32_t w = 0, s = 0;
    if (KopierZiel(v, &w, &s) != DATEN_OK || !app->GrafikHandles[w]) return;
    grafik_fenster& q = GrafikFenster[quelle];
    grafik_fenster& z = GrafikFenster[w];
    const int32_t qs = q.AktuellerSlot();
    const int32_t n = q.Punkte();
    if (!q.XFeld[qs] || n < 1 || n > q.FeldGroesse() || !z.XFeld[0]) return;
    // A copy of the source first: the destination may be the same window,
    // whose arrays the growth replaces.
    std::vector<double> x(q.XFeld[qs], q.XFeld[qs] + n), y(q.YFeld[qs], q.YFeld[qs] + n);
    if (n + 4 > z.FeldGroesse() && z.ResizeFelder(n + 4) == 0) {
        FehlerCode = 107;
        return;
    }
    z.SetCurveSlots(s, 0);
    if (z.NeuesterZaehler < s) z.NeuesterZaehler = s;
    std::copy(x.begin(), x.end(), z.XFeld[s]);
    std::copy(y.begin(), y.end(), z.YFeld[s]);
    z.DateiInfo.PunkteProKurve[s] = n;
    z.KurvenFlags[s] = 0;
    if (&z != &q || s != qs) {
        std::snprintf(z.XText[s], GRAFIK_TEXT, "%s", q.XText[qs]);
        std::snprintf(z.YText[s], GRAFIK_TEXT, "%s", q.YText[qs]);
    }
    z.SetFullBorder();
    z.HatDaten = 1;
    AktivesFenster = w;
    Historie(app, q, " --COPY  to window %d  graph %d   - ( %d points )\r\n", w + 1, s + 1, n);
    if (!vorbereitet) {
        BringWindowToTop(app->GrafikHandles[w]);
        Neuzeichnen(app->GrafikHandles[w]);
        UpdateFensterStatus();
    }
}

bool FunktionAlsKurve(haupt_fenster* app, grafik_fenster& g, bool vorbereitet)
{
    if (!vorbereitet) {
        const INT_PTR r = Dialog(app, "FUNCFELD", FuncFeldProc);
        if (r <= 0) return false;
        DW()[0] = static_cast<double>(r);
    }
    const int32_t s = g.AktuellerSlot();
    const int32_t quellPunkte = g.Punkte();
    const uint32_t flags = g.KurvenFlags[s];
    const bool exafs = (flags & (SLOT_K_FIT | SLOT_FIT_ANSICHT)) != 0;
    int32_t n = DwInt(DW()[0]);
    if (exafs) n = quellPunkte;
    if (n < FUNKTION_MIN_PUNKTE || n > FUNKTION_MAX_PUNKTE || !g.XFeld[s]) return false;
    if (exafs && (n > g.FeldGroesse())) return false;

    const int32_t einzeln = DW()[1] > 0.0 ? DwInt(DW()[1] + 0.1) : 0;
    if (einzeln > FitFunctionCount) return false;
    ModellCallback f = Modell();
    Numerik.SetFunction(f);
    if (einzeln > 0) SetFunktionFlag(einzeln, 1);

    bool ok = true;
    if (!exafs) {
        if (n > g.FeldGroesse() && g.ResizeFelder(n) == 0) {
            FehlerCode = 107;
            ok = false;
        } else {
            const int32_t t = (g.KurvenZaehler + 1) & 3;
            double* xs = g.XFeld[s];
            double* xt = g.XFeld[t];
            if (n == quellPunkte && g.ZeigeDaten) {
                std::copy(xs, xs + n, xt);
            } else {
                const double unten = g.Grenzen[1], oben = g.Grenzen[0];
                const double schritt = (oben - unten) / (n - 1);
                for (int32_t i = 0; i < n; ++i) xt[i] = unten + i * schritt;
            }
            std::fill(g.YFeld[t], g.YFeld[t] + n, 0.0);
            f(0.0, 0.0, xt, g.YFeld[t], n);
            std::snprintf(g.XText[t], GRAFIK_TEXT, "%s", g.XText[s]);
            std::snprintf(g.YText[t], GRAFIK_TEXT, "%s", g.YText[s]);
            ++g.KurvenZaehler;
            g.NeuesterZaehler = g.KurvenZaehler;
            g.DateiInfo.PunkteProKurve[t] = n;
            g.KurvenFlags[t] = 0;
        }
    } else {
        std::vector<double> werte(static_cast<size_t>(n) + 5, 0.0);
        std::vector<double> x(g.XFeld[s], g.XFeld[s] + n);
        f(0.0, 0.0, x.data(), werte.data(), n);
        if (g.CutSection(0, 0.0, 0.0, 1) > 0) {
            std::copy(werte.begin(), werte.begin() + n, g.YFeld[g.AktuellerSlot()]);
            g.DateiInfo.PunkteProKurve[g.AktuellerSlot()] = n;
            g.KurvenFlags[g.AktuellerSlot()] &= ~SLOT_KOMPLEX;
        } else {
            ok = false;
        }
    }
    if (einzeln > 0) SetFunktionFlag(0, 0);
    if (!ok) return false;
    g.SetFullBorder();
    g.ZeigeDaten = 1;
    g.ZeigeFunktion = 0;
    if (app->Hauptmenue) {
        CheckMenuItem(app->Hauptmenue, MENUE_DATEN, MF_BYCOMMAND | MF_CHECKED);
        CheckMenuItem(app->Hauptmenue, MENUE_FUNKTION, MF_BYCOMMAND | MF_UNCHECKED);
    }
    Historie(app, g, " --FUNCTION --> X/Y  %d points  function %d   - ( active : %d )\r\n", n,
             einzeln > 0 ? einzeln : -1, g.AktuellerSlot() + 1);
    Aufnehmen(app, 603, 2, 0);
    return true;
}

// "Diodes" absorption of a dispersive file into the current (new) slot.
void Dioden(grafik_fenster& g)
{
    DateiInfo& info = g.DateiInfo;
    const int32_t ySpalte = info.YSpalte;
    if (!SpaltenInNeuenSlot(g, info.XSpalte, ySpalte)) return;
    SpektrumDaten a, b;
    const int32_t s = g.AktuellerSlot();
    const int32_t n = g.Punkte();
    if (LiesSpalten(info, 1, 2, &a) && LiesSpalten(info, 1, 3, &b)) {
        const int32_t m = std::min({n, a.Punkte, b.Punkte});
        DiodenFeld(g.YFeld[s], a.y.data(), b.y.data(), m);
    }
    info.XSpalte = 1;
    info.YSpalte = ySpalte;
    g.SetGrafikTexte("diodes", "absorption [a.u.]", nullptr, nullptr);
}

bool DateiInformation(haupt_fenster* app, grafik_fenster& g, LPARAM lParam)
{
    const bool vorbereitet = lParam == LP_PREPARED;
    if (!vorbereitet && lParam != LP_BUTTONLEISTE) {
        if (Dialog(app, "GET_FILE_INFORMATION", GetFileInformationProc) <= 0) return false;
    }
    DateiInfo& info = g.DateiInfo;
    const double wahl = DW()[1];
    const double k3 = info.Koeffizienten[3];
    bool ok = false;
    if (!(wahl > 0.0)) {
        ok = SpaltenInNeuenSlot(g, info.XSpalte, info.YSpalte);
        if (ok) g.SetGrafikTexte("X", "Y", nullptr, nullptr);
    } else if ((k3 <= 0.0 && info.Spalten > 3) || (k3 > 0.0 && info.Spalten >= 5)) {
        Dioden(g);
        ok = true;
    } else if (k3 > 0.0) {
        info.YSpalte = DwInt(wahl + 1.0);
        ok = SpaltenInNeuenSlot(g, info.XSpalte, info.YSpalte);
        if (ok) {
            SpektrenShift(1.0, 0.0, FUNK_LN);
            SpektrenShift(1.0, 0.0, FUNK_LN, DwInt(wahl + 2.0), KOMB_MINUS);
        }
    }
    if (!ok) return false;
    g.SetFullBorder();
    Historie(app, g, " -- New column  :  x = %d,  y = %d   - ( active : %d )\r\n",
             static_cast<int>(info.XSpalte), static_cast<int>(info.YSpalte), g.AktuellerSlot() + 1);
    if (app->MakroAufnahme && app->KindFenster[KIND_BUTTONLEISTE])
        SendMessageA(app->KindFenster[KIND_BUTTONLEISTE], WM_COMMAND, CM_STOP_AUFNAHME, 0);
    return lParam != LP_BUTTONLEISTE;
}

bool Sektion(haupt_fenster* app, grafik_fenster& g, int32_t fenster, bool vorbereitet)
{
    const int32_t s = g.AktuellerSlot();
    if (g.KurvenFlags[s] & SLOT_FIT_ANSICHT) {
        g.DreiWorte[0] = 1;
        g.DreiWorte[1] = 0;
        g.DreiWorte[2] = 0;
    }
    if (!vorbereitet && !SektionsDialog(605)) return false;
    if (!GrenzenPruefen(g, DW()[0], DW()[1], vorbereitet)) return false;
    if (g.DreiWorte[1] == 1 && app->GrafikHandles[fenster])
        SendMessageA(app->GrafikHandles[fenster], WM_COMMAND, 5, 100);
    if (g.CutSection(1, DW()[0], DW()[1], DwInt(DW()[2] + 0.1)) <= 0) {
        FehlerCode = FEHLER_BEREICH;
        return false;
    }
    Historie(app, g, " --SECTION  from %.8G  to %.8G   - ( active : %d )\r\n", g.Grenzen[1],
             g.Grenzen[0], s + 1);
    Aufnehmen(app, 605, 3, 0);
    return true;
}

bool Einfuegen(haupt_fenster* app, grafik_fenster& g, bool vorbereitet)
{
    if (!vorbereitet) {
        const INT_PTR r = Dialog(app, "TAKEFELD", TakeFeldProc);
        if (r == 0) return false;
        DW()[0] = static_cast<double>(r - 1);
    }
    const double von = DW()[1], bis = DW()[2];
    if (!GrenzenPruefen(g, von, bis, vorbereitet)) return false;
    const int32_t qs = g.AktuellerSlot();
    const int32_t n = g.Punkte();
    if (!g.XFeld[qs] || n < 2 || n > g.FeldGroesse()) return false;
    int32_t i0 = 0, i1 = 0;
    const int32_t bereich = PasteQuellBereich(g.XFeld[qs], n, von, bis, &i0, &i1);
    if (bereich == FEHLER_BEREICH) {
        FehlerCode = FEHLER_BEREICH;
        return false;
    }
    if (bereich != DATEN_OK) return false;
    const int32_t ziel = PasteZielSlot(DW()[0]);
    if (ziel < 0) return false;
    // The source is kept aside: the destination may be reloaded or grown.
    std::vector<double> qx(g.XFeld[qs], g.XFeld[qs] + n), qy(g.YFeld[qs], g.YFeld[qs] + n);

    const int32_t alt = g.KurvenZaehler, altNeu = g.NeuesterZaehler;
    if (ziel == 10 && g.NeuesterZaehler > 3) {
        if (!SpaltenInNeuenSlot(g, g.DateiInfo.XSpalte, g.DateiInfo.YSpalte)) return false;
    } else {
        // "Original" while the ring has not gone round: the file's curve is
        // still in slot 0.
        const int32_t slot = ziel == 10 ? 0 : ziel;
        int32_t z = g.KurvenZaehler;
        while ((z & 3) != slot && z > 0) --z;
        if ((z & 3) != slot) {
            // A slot the ring never reached holds no curve to paste into:
            // said, not skipped (a replay stops at this step).
            FehlerCode = vorbereitet ? FEHLER_MAKRO : FEHLER_BEREICH;
            return false;
        }
        g.SetCurveSlots(z, g.NeuesterZaehler);
    }
    const int32_t zs = g.AktuellerSlot();
    const int32_t m = g.Punkte();
    const int32_t r = (m >= 1 && m <= g.FeldGroesse())
                          ? PasteFeld(qx.data(), qy.data(), n, i0, i1, g.XFeld[zs], g.YFeld[zs], m)
                          : FEHLER_BEREICH;
    if (r != DATEN_OK) {
        FehlerCode = vorbereitet ? FEHLER_MAKRO : FEHLER_BEREICH;
        g.SetCurveSlots(alt, altNeu);
        g.SetFullBorder();
        return false;
    }
    g.SetFullBorder();
    if (HWND tabelle = app->KindFenster[KIND_EDITOR])
        SendMessageA(tabelle, WM_COMMAND, CM_TABELLE_NEU, MAKELPARAM(0, n));
    Historie(app, g, " --PASTE  from %.8G  to %.8G  into graph %d   - ( active : %d )\r\n", von,
             bis, zs + 1, zs + 1);
    Aufnehmen(app, 606, 3, 0);
    return true;
}

bool Ordinate()
{
    ShiftSchritt schritte[2];
    const int32_t k = OrdinatenSchritte(DW(), schritte);
    bool ok = false;
    for (int32_t i = 0; i < k; ++i)
        ok = SpektrenShift(schritte[i].factor, schritte[i].constant, schritte[i].code,
                           schritte[i].mode, schritte[i].combination) != 0 || ok;
    return ok;
}

bool Abszisse()
{
    if (!AbzissenShift(DW()[1], DW()[2], AbszissenCode(DW()))) return false;
    {
        // The borders follow the new axis; an axis that does not ascend
        // keeps its old borders without an error.
        const int32_t fehler = FehlerCode;
        GrafikFenster[AktivesFenster].SetFullBorder();
        FehlerCode = fehler;
    }
    return true;
}

bool Arithmetik(haupt_fenster* app, grafik_fenster& g, int32_t id, bool vorbereitet)
{
    if (!vorbereitet) {
        DatenAnwenden = EditAnwenden;
        const INT_PTR r = id == 607 ? Dialog(app, "SPEKTRENSHIFT", SpektrenShiftProc)
                                    : Dialog(app, "ABZISSENSHIFT", AbzissenShiftProc);
        DatenAnwenden = nullptr;
        if (r <= 0) return false;
        DW()[0] = static_cast<double>(r);
    }
    if (id == 607) {
        if (!Ordinate()) return false;
        Historie(app, g, " --MODIFY ORDINATE  function %d  factor %.8G  constant %.8G   - ( active : %d )\r\n",
                 static_cast<int>(DwInt(DW()[0])), DW()[1], DW()[2], g.AktuellerSlot() + 1);
        Aufnehmen(app, 607, 8, 20);
    } else {
        if (!Abszisse()) return false;
        Historie(app, g, " --MODIFY ABSCISSA  function %d  factor %.8G  constant %.8G   - ( active : %d )\r\n",
                 static_cast<int>(AbszissenCode(DW())), DW()[1], DW()[2], g.AktuellerSlot() + 1);
        Aufnehmen(app, 608, 5, 20);
    }
    TabelleNeuMalen(app);
    return true;
}

// Measures of the reference device: the default printer, else the screen.
void Referenz(int32_t* zeichenBreite, int32_t* zeilenHoehe, int32_t* aufloesung)
{
    HDC drucker = EditDruckerDC ? EditDruckerDC() : nullptr;
    HDC dc = drucker ? drucker : GetDC(nullptr);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    *zeichenBreite = tm.tmAveCharWidth;
    *zeilenHoehe = tm.tmHeight + tm.tmExternalLeading;
    *aufloesung = GetDeviceCaps(dc, HORZRES);
    if (drucker) DeleteDC(drucker);
    else ReleaseDC(nullptr, dc);
}

void AufZwischenablage(HWND besitzer, UINT format, HANDLE daten)
{
    bool ok = false;
    if (OpenClipboard(besitzer)) {
        EmptyClipboard();
        ok = SetClipboardData(format, daten) != nullptr;
        CloseClipboard();
    }
    if (ok) return;
    if (format == CF_ENHMETAFILE) DeleteEnhMetaFile(static_cast<HENHMETAFILE>(daten));
    else DeleteObject(daten);
    // Another program may hold the clipboard: the user is told, the
    // picture is not silently lost.
    MeldungsBox(HAUPTDATEN.Hauptfenster, "The picture could not be put on the clipboard.\r\n"
                "Another program may be using it; please try again.",
                "Error !!", MB_OK | MB_ICONEXCLAMATION);
}

void Zwischenablage(haupt_fenster* app, grafik_fenster& g, int32_t id, bool vorbereitet)
{
    if (!vorbereitet && Dialog(app, "CLIPBOARDFORMAT", ClipboardFormatProc) <= 0) return;
    char pfad[MAX_PATH] = "";
    if (id == 611 && !DateiFrage(app, pfad, sizeof pfad, "*.WMF", "Metafile (*.WMF)\0*.WMF\0", "WMF",
                                 "Save picture as"))
        return;
    int32_t cw = 0, lh = 0, aufloesung = 0;
    Referenz(&cw, &lh, &aufloesung);
    int32_t b = 0, h = 0;
    KopierBildGroesse(app->KopierGroesse, aufloesung, app->KopierBreite, app->KopierHoehe, DW()[0],
                      DW()[1], &b, &h);

    if (!app->AlsMetafile) {
        HDC fdc = GetDC(app->Hauptfenster);
        HDC mem = CreateCompatibleDC(fdc);
        HBITMAP bild = CreateCompatibleBitmap(fdc, b, h + lh);
        ReleaseDC(app->Hauptfenster, fdc);
        if (!mem || !bild) {
            if (mem) DeleteDC(mem);
            if (bild) DeleteObject(bild);
            return;
        }
        HGDIOBJ alt = SelectObject(mem, bild);
        PatBlt(mem, 0, 0, b, h + lh, WHITENESS);
        app->PrintGrafik(1, mem, b, h, cw, lh, 0);
        SelectObject(mem, alt);
        DeleteDC(mem);
        AufZwischenablage(app->Hauptfenster, CF_BITMAP, bild);
        return;
    }
    HDC bildschirm = GetDC(nullptr);
    const int mmB = GetDeviceCaps(bildschirm, HORZSIZE), pxB = GetDeviceCaps(bildschirm, HORZRES);
    const int mmH = GetDeviceCaps(bildschirm, VERTSIZE), pxH = GetDeviceCaps(bildschirm, VERTRES);
    RECT rahmen{0, 0, pxB > 0 ? MulDiv(b, mmB * 100, pxB) : b, pxH > 0 ? MulDiv(h, mmH * 100, pxH) : h};
    HDC mf = CreateEnhMetaFileA(bildschirm, pfad[0] ? pfad : nullptr, &rahmen, "Korlan\0Graph\0\0");
    ReleaseDC(nullptr, bildschirm);
    if (!mf) return;
    SetWindowExtEx(mf, b, h, nullptr);
    SetWindowOrgEx(mf, 0, 0, nullptr);
    app->PrintGrafik(1, mf, b, h, cw, lh, 0);
    HENHMETAFILE emf = CloseEnhMetaFile(mf);
    if (emf) AufZwischenablage(app->Hauptfenster, CF_ENHMETAFILE, emf);
}

bool Deglitch(haupt_fenster* app, grafik_fenster& g, bool vorbereitet)
{
    if (!vorbereitet) {
        HilfeThema = 0;
        const int32_t grad = PolynomGradDialog();
        if (grad <= 0) return false;
        g.PolyGrad = grad - 1;
        UpdateWindow(app->Hauptfenster);
    }
    const int32_t grad = std::max(0, std::min(g.PolyGrad, DEGLITCH_MAX_GRAD));
    if (g.FunktionsTypen && g.Parameter) {
        g.AnzahlFunktionen = 1;
        g.FunktionsTypen[0] = 7;
        g.PolyGrad = grad;
        for (int32_t i = 0; i <= grad; ++i) g.Parameter[i] = 0.0;
        FitFunctionCount = 1;
        FitPolyDegree = grad;
    }
    const int32_t s = g.AktuellerSlot();
    const int32_t n = g.Punkte();
    if (!g.XFeld[s] || n < 1 || n > g.FeldGroesse()) return false;
    std::vector<double> kopie(g.YFeld[s], g.YFeld[s] + n);
    if (!vorbereitet) {
        HilfeThema = -1;
        const int32_t r = SektionsDialog(613);
        HilfeThema = 0;
        if (!r) {
            std::copy(kopie.begin(), kopie.end(), g.YFeld[s]);
            return false;
        }
    }
    int32_t modus = DwInt(DW()[2]);
    // Deglitched inside the dialog: the result goes to the new slot, the
    // curve it came from gets its values back.
    std::vector<double> imDialog;
    if (modus == 10) {
        imDialog.assign(g.YFeld[s], g.YFeld[s] + n);
        std::copy(kopie.begin(), kopie.end(), g.YFeld[s]);
        DW()[2] = 0.0;
    }
    if (modus != 10) {
        if (!GrenzenPruefen(g, DW()[3], DW()[4], vorbereitet)) return false;
        if (PruefeSektionsReihenfolge(DW()[0], DW()[1]) != DATEN_OK) {
            FehlerCode = FEHLER_BEREICH;
            return false;
        }
    }
    const int32_t marke = g.ZustandsWorte[s];
    if (g.CutSection(0, 0.0, 0.0, 1) <= 0) return false;
    const int32_t t = g.AktuellerSlot();
    if (modus == 10) std::copy(imDialog.begin(), imDialog.end(), g.YFeld[t]);
    else std::copy(kopie.begin(), kopie.end(), g.YFeld[t]);
    g.SetFullBorder();
    g.ZustandsWorte[t] = marke;
    if (modus != 10) {
        const int32_t r = DeglitchFeld(g.XFeld[t], g.YFeld[t], n, DW()[0], DW()[1], modus, DW()[3],
                                       DW()[4], grad + 1);
        if (r != DATEN_OK) return false;
    }
    Historie(app, g, " --DEGLITCHING  from %.8G  to %.8G   - ( active : %d )\r\n", DW()[0], DW()[1],
             t + 1);
    Aufnehmen(app, 613, 5, 0);
    return true;
}

bool Zoom(haupt_fenster* app, grafik_fenster& g, int32_t fenster)
{
    bool neu = false;
    if (g.Multiplot) {
        g.Multiplot = 0;
        neu = true;
    }
    g.Zoom.Bereit = 1;
    g.Zoom.Ziehen = 0;
    g.Zoom.Reserve = 0;
    if (HWND h = app->GrafikHandles[fenster])
        SetClassLongPtrA(h, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(LoadCursor(nullptr, IDC_CROSS)));
    return neu;
}

bool Imaginaerteil(haupt_fenster* app, grafik_fenster& g)
{
    const int32_t s = g.AktuellerSlot();
    const int32_t n = g.Punkte();
    // Only a curve that holds an imaginary part has one to extract.
    if (!(g.KurvenFlags[s] & SLOT_KOMPLEX) || !g.YFeld[s] || n < 1 ||
        2 * static_cast<int64_t>(n) + 1 > g.FeldGroesse())
        return false;
    std::vector<double> imag(g.YFeld[s] + n + 1, g.YFeld[s] + 2 * n + 1);
    std::vector<double> x(g.XFeld[s], g.XFeld[s] + n);
    if (g.CutSection(0, 0.0, 0.0, 1) <= 0) return false;
    const int32_t t = g.AktuellerSlot();
    std::copy(x.begin(), x.end(), g.XFeld[t]);
    std::copy(imag.begin(), imag.end(), g.YFeld[t]);
    g.DateiInfo.PunkteProKurve[t] = n;
    g.KurvenFlags[t] = 0;
    g.SetFullBorder();
    Historie(app, g, " --IMAGINARY PART   - ( active : %d )\r\n", t + 1);
    Aufnehmen(app, 619, 0, 0);
    return true;
}

bool Rauschen(haupt_fenster* app, grafik_fenster& g, bool vorbereitet)
{
    if (!vorbereitet) {
        // Topic 10 turns the dialog into the series' file-name question.
        if (HilfeThema == 10) HilfeThema = 0;
        if (Dialog(app, "NOISEGENERATOR", NoiseGeneratorProc) <= 0) return false;
    }
    const double stufe = DW()[0];
    if (!(stufe > 0.0)) return false;
    if (g.CutSection(0, 0.0, 0.0, 1) <= 0) return false;
    const int32_t t = g.AktuellerSlot();
    const int32_t n = g.Punkte();
    RauschenFeld(g.YFeld[t], n, stufe);
    g.KurvenFlags[t] = 0;
    g.SetFullBorder();
    Historie(app, g, " --NOISE  rms %.8G   - ( active : %d )\r\n", stufe, t + 1);
    Aufnehmen(app, 620, 1, 0);
    return true;
}

// The text table of the current curve into a file (622), or appended to
// an existing one (621), through the save command's own modes: its file
// dialog, the k-weighting question and the warnings of both.
void TextExport(haupt_fenster* app, int32_t id)
{
    if (id == 621) {
        SpeichereDatei(app, 3);
        return;
    }
    const int32_t binaer = app->BinaerSpeichern;
    app->BinaerSpeichern = 0;
    SpeichereDatei(app, 1);
    app->BinaerSpeichern = binaer;
}

// A new graphic window with a copy of the current curve and the file
// information. Returns the new window's index, or -1.
int32_t NeuesFenster(haupt_fenster* app, int32_t quelle)
{
    grafik_fenster& q = GrafikFenster[quelle];
    const int32_t qs = q.AktuellerSlot();
    const int32_t n = q.Punkte();
    if (!q.XFeld[qs] || n < 1 || n > q.FeldGroesse()) return -1;
    const bool komplex = (q.KurvenFlags[qs] & SLOT_KOMPLEX) && 2 * n + 1 <= q.FeldGroesse();
    const int32_t nr = NeuesGrafikFenster(app);
    if (nr <= 0) return -1;
    const int32_t w = nr - 1;
    grafik_fenster& z = GrafikFenster[w];
    KopiereFensterDaten(&q.DateiInfo, &z.DateiInfo);
    const int32_t bedarf = std::max(2 * n + 5, q.DateiInfo.Punkte);
    const bool platz = !(bedarf > z.FeldGroesse() && z.ResizeFelder(bedarf) == 0);
    if (!platz) FehlerCode = 107;
    // The copied information describes the source's arrays; the new
    // window's own size and slots are set here.
    z.DateiInfo.Kapazitaet = z.FeldGroesse();
    for (int32_t k = 0; k < 4; ++k) z.DateiInfo.PunkteProKurve[k] = 0;
    if (!platz) return w;
    const int32_t zs = z.AktuellerSlot();
    const int32_t m = komplex ? 2 * n + 1 : n;
    std::copy(q.XFeld[qs], q.XFeld[qs] + m, z.XFeld[zs]);
    std::copy(q.YFeld[qs], q.YFeld[qs] + m, z.YFeld[zs]);
    if (q.KurvenFlags[qs] & SLOT_K_GEWICHTET) {
        z.KGewicht = q.KGewichtVon(qs);
        z.SlotKGewicht[zs] = z.KGewicht;
    }
    z.Grenzen[0] = q.Grenzen[0];
    z.Grenzen[1] = q.Grenzen[1];
    z.DateiInfo.PunkteProKurve[zs] = n;
    z.KurvenFlags[zs] = komplex ? q.KurvenFlags[qs] : (q.KurvenFlags[qs] & ~SLOT_KOMPLEX);
    std::snprintf(z.XText[zs], GRAFIK_TEXT, "%s", q.XText[qs]);
    std::snprintf(z.YText[zs], GRAFIK_TEXT, "%s", q.YText[qs]);
    z.ZeigeDaten = 1;
    z.ZeigeFunktion = 0;
    z.HatDaten = 1;
    AktivesFenster = w;
    return w;
}

}  // namespace

int32_t SpektrenShift(double factor, double constant, int32_t code, int32_t mode,
                      int32_t combination, int32_t fensterCode, int32_t slotCode,
                      const DateiInfo* info)
{
    int32_t w = AktivesFenster;
    int32_t slot = -1;
    if (fensterCode > 9 && slotCode > 9) {
        w = fensterCode - 10;
        slot = slotCode - 10;
    }
    if (w < 0 || w > 3) return 0;
    grafik_fenster& g = GrafikFenster[w];
    if (slot < 0 || slot > 3) slot = g.AktuellerSlot();
    double* x = g.XFeld[slot];
    double* y = g.YFeld[slot];
    const int32_t n = g.DateiInfo.PunkteProKurve[slot];
    if (!x || !y || n < 1 || n > g.FeldGroesse()) return 0;
    ModellCallback f = Modell();

    std::vector<double> opX, opY;
    int32_t m = 0;
    switch (OperandArtVon(mode)) {
    case OperandArt::Spalte: {
        const DateiInfo& di = info ? *info : g.DateiInfo;
        SpektrumDaten d;
        if (!LiesSpalten(di, di.XSpalte, mode, &d)) return 0;
        m = d.Punkte;
        opX.assign(d.x.begin(), d.x.begin() + m);
        opY.assign(d.y.begin(), d.y.begin() + m);
        break;
    }
    case OperandArt::Kurve: {
        const int32_t k = mode - 101;
        m = g.DateiInfo.PunkteProKurve[k];
        if (!g.XFeld[k] || m < 1 || m > g.FeldGroesse()) return 0;
        opX.assign(g.XFeld[k], g.XFeld[k] + m);
        opY.assign(g.YFeld[k], g.YFeld[k] + m);
        break;
    }
    case OperandArt::Modell:
        m = n;
        opX.assign(x, x + n);
        opY.assign(static_cast<size_t>(n) + 5, 0.0);
        f(0.0, 0.0, opX.data(), opY.data(), n);
        break;
    default:
        break;
    }
    return SpektrenShiftFeld(x, y, n, factor, constant, code, mode, combination,
                             opX.empty() ? nullptr : opX.data(), opY.empty() ? nullptr : opY.data(),
                             m, f, g.Punkte());
}

int32_t AbzissenShift(double factor, double constant, int32_t code)
{
    if (AktivesFenster < 0 || AktivesFenster > 3) return 0;
    grafik_fenster& g = GrafikFenster[AktivesFenster];
    const int32_t s = g.AktuellerSlot();
    const int32_t n = g.Punkte();
    if (!g.XFeld[s] || n < 1 || n > g.FeldGroesse()) return 0;
    return AbzissenShiftFeld(g.XFeld[s], g.YFeld[s], n, factor, constant, code, Modell());
}

void EditAnwenden(int32_t befehl, int32_t fenster)
{
    haupt_fenster* app = &HAUPTDATEN;
    if (fenster < 0 || fenster > 3 || !app->GrafikHandles[fenster]) return;
    AktivesFenster = fenster;
    if (befehl == 607) Ordinate();
    else if (befehl == 608) Abszisse();
    else return;
    Neuzeichnen(app->GrafikHandles[fenster]);
    Aufnehmen(app, befehl, befehl == 607 ? 8 : 5, 20);
}

HDC StandardDruckerDC()
{
    char eintrag[400] = "";
    if (GetProfileStringA("windows", "device", "", eintrag, sizeof eintrag) == 0 || !eintrag[0])
        return nullptr;
    // "name,driver,port"
    char* treiber = std::strchr(eintrag, ',');
    if (!treiber) return nullptr;
    *treiber++ = '\0';
    char* anschluss = std::strchr(treiber, ',');
    if (anschluss) *anschluss++ = '\0';
    return CreateDCA(treiber, eintrag, anschluss, nullptr);
}

void EditBefehl(haupt_fenster* app)
{
    const int32_t id = app->Meldungsblock.Befehl;
    const LPARAM lParam = app->Meldungsblock.lParam;
    const bool vorbereitet = lParam == LP_PREPARED;
    HWND haupt = app->Hauptfenster;

    // The results window on top copies its own text instead of a picture.
    if (id == 610 && haupt && app->KindFenster[KIND_ERGEBNIS] &&
        GetTopWindow(haupt) == app->KindFenster[KIND_ERGEBNIS]) {
        PostMessageA(app->KindFenster[KIND_ERGEBNIS], WM_COMMAND, CM_ERGEBNIS_KOPIEREN, 0);
        return;
    }
    if (id == 609 || id == 615) {
        ImportFio(id == 609 ? 0 : 1);
        return;
    }
    const int32_t fenster = BefehlsFenster(app, true);
    if (fenster < 0) {
        FehlerCode = FEHLER_KEIN_FENSTER;
        return;
    }
    grafik_fenster& g = GrafikFenster[fenster];
    HWND grafik = app->GrafikHandles[fenster];
    // Commands that hand the window's data on to the series subsystem or
    // draw a picture of it end without a redraw.
    bool neu = false;
    switch (id) {
    case 601: Kopieren(app, fenster, vorbereitet); return;
    case 602: {
        const int32_t w = NeuesFenster(app, fenster);
        if (w >= 0 && !vorbereitet) {
            Neuzeichnen(app->GrafikHandles[w]);
            UpdateFensterStatus();
        }
        return;
    }
    case 603:
        neu = FunktionAlsKurve(app, g, vorbereitet);
        break;
    case 604: neu = DateiInformation(app, g, lParam); break;
    case 605: neu = Sektion(app, g, fenster, vorbereitet); break;
    case 606: neu = Einfuegen(app, g, vorbereitet); break;
    case 607:
    case 608: neu = Arithmetik(app, g, id, vorbereitet); break;
    case 610:
    case 611: Zwischenablage(app, g, id, vorbereitet); return;
    case 612: AddToMultiColumnFile(1); return;
    case 613: neu = Deglitch(app, g, vorbereitet); break;
    case 614: AendernDialogOeffnen(); return;
    case 616: neu = Zoom(app, g, fenster); break;
    case 617: NichtVerfuegbar(617); return;  // QMS mass spectra
    case 619: neu = Imaginaerteil(app, g); break;
    case 620: neu = Rauschen(app, g, vorbereitet); break;
    case 621:
    case 622: TextExport(app, id); return;
    case 623:
    case 624:
        if (AverageOrCreateMcFile(id) > 0) {
            g.SetFullBorder();
            if (HWND e = app->KindFenster[KIND_ERGEBNIS]) PostMessageA(e, WM_COMMAND, CM_ERGEBNIS, 0);
            neu = true;
        }
        break;
    case 625: McFileToAscii(1); return;
    case 626:
    case 627: ExtractMcFile(id); return;
    default: return;
    }
    if (!neu || vorbereitet) return;
    Neuzeichnen(grafik);
    UpdateFensterStatus();
}
