// The DXAS energy-scale dialogs CONVERTDEX (821) and DEXSCALE (819) and the
// application's foil calibration. The polynomial lives in
// HAUPTDATEN.DxasPolynom; both dialogs hand it back in DialogWerte[0..2].
// The calibration itself (dex_scale_core.cpp) works on plain arrays; the
// window's fit model is not touched.
#include "series/dex_scale_win.h"

#include <cstdio>
#include <memory>

#include "resource_ids.h"
#include "series/dex_scale.h"
#include "shell/dialog_helpers.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/dialog_plot_win.h"
#include "spectra/spectra_globals.h"
#include "xas/xas_entries.h"
#include "zelva.h"

namespace {

std::unique_ptr<DexSkalaStand> Skala;

const int KOEFFIZIENT_EDIT[3] = {IDC_DEX_C0, IDC_DEX_C1, IDC_DEX_C2};

std::string FolienDatei()
{
    char pfad[2 * MAX_PATH];
    ProgrammDatei(pfad, sizeof pfad, "dexfoil.dat");
    return pfad;
}

void ZeigeKoeffizienten(HWND dlg)
{
    for (int i = 0; i < 3; ++i) ZeigeDialogZahl(dlg, KOEFFIZIENT_EDIT[i], HAUPTDATEN.DxasPolynom[i], "%.8G");
}

void LiesKoeffizienten(HWND dlg)
{
    for (int i = 0; i < 3; ++i) HAUPTDATEN.DxasPolynom[i] = DialogZahl(dlg, KOEFFIZIENT_EDIT[i]);
}

void Zurueckgeben()
{
    for (int i = 0; i < 3; ++i) HAUPTDATEN.DialogWerte[i] = HAUPTDATEN.DxasPolynom[i];
}

ModellCallback Modell() { return HAUPTDATEN.ModellCallback ? HAUPTDATEN.ModellCallback : ModellFunktion; }

bool FolieGeladen() { return Skala && Skala->DexFoilPunkte > 0 && !Skala->Referenz.empty(); }

void Loeschen()
{
    if (FolieGeladen() && Skala->Overlay == 0) DexDrawOverlay();
}

void Zeichnen()
{
    if (FolieGeladen() && Skala->Overlay == 1) DexDrawOverlay();
}

void ZeigeStatus()
{
    if (Skala && Skala->Dialog) SetDlgItemTextA(Skala->Dialog, IDC_DEX_STATUS, Skala->Status.c_str());
}

void BalkenEinrichten(HWND dlg)
{
    for (int id : {IDC_DEX_NULL, IDC_DEX_ERSTE, IDC_DEX_ZWEITE, IDC_DEX_VERSATZ}) {
        const DexBalken b = DexBalkenBereich(id);
        HWND balken = GetDlgItem(dlg, id);
        SetScrollRange(balken, SB_CTL, b.Von, b.Bis, FALSE);
        SetScrollPos(balken, SB_CTL, 0, TRUE);
    }
}

RECT KindRechteck(HWND dlg, HWND kind)
{
    RECT r{};
    GetWindowRect(kind, &r);
    MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The dialog grown to the screen with its preview; the controls right of
// and below the preview move with its right and lower edge.
void AufBildschirm(HWND dlg)
{
    HWND vorschau = GetDlgItem(dlg, IDC_DEX_VORSCHAU);
    if (!vorschau) return;
    const RECT vorher = KindRechteck(dlg, vorschau);
    if (!DialogToScreenSize(dlg)) return;
    const RECT nachher = KindRechteck(dlg, vorschau);
    const LONG db = nachher.right - vorher.right, dh = nachher.bottom - vorher.bottom;
    for (HWND k = GetWindow(dlg, GW_CHILD); k; k = GetWindow(k, GW_HWNDNEXT)) {
        if (k == vorschau) continue;
        const RECT r = KindRechteck(dlg, k);
        const LONG dx = r.left >= vorher.right ? db : 0, dy = r.top >= vorher.bottom ? dh : 0;
        // The shift bar spans the preview's width, the offset bar its height.
        const int id = GetDlgCtrlID(k);
        const LONG breite = r.right - r.left + (id == IDC_DEX_NULL ? db : 0);
        const LONG hoehe = r.bottom - r.top + (id == IDC_DEX_VERSATZ ? dh : 0);
        SetWindowPos(k, nullptr, r.left + dx, r.top + dy, breite, hoehe, SWP_NOZORDER);
    }
}

bool Oeffnen(HWND dlg)
{
    std::FILE* f = std::fopen(FolienDatei().c_str(), "r");
    if (!f) return false;
    char keine[64] = "None";
    LoadStringA(ProgrammModul(), IDS_FUNCTION_FIRST, keine, sizeof keine);
    SendDlgItemMessageA(dlg, IDC_DEX_FOLIE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(keine));
    for (const std::string& name : DexFolienNamen(f))
        SendDlgItemMessageA(dlg, IDC_DEX_FOLIE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SendDlgItemMessageA(dlg, IDC_DEX_FOLIE, CB_SETCURSEL, 0, 0);
    std::fclose(f);

    Skala = std::make_unique<DexSkalaStand>();
    DexSkalaStand& s = *Skala;
    s.Dialog = dlg;
    s.Fenster = AktivesFenster;
    if (s.Fenster >= 0 && s.Fenster < 4) {
        grafik_fenster& g = GrafikFenster[s.Fenster];
        s.Grenzen[0] = g.Grenzen[0];
        s.Grenzen[1] = g.Grenzen[1];
        s.Punkte = g.Punkte();
        s.X = g.GetXFeld(-1);
        s.Y = g.GetYFeld(-1);
    }
    for (int i = 0; i < 3; ++i) s.Gesichert[i] = HAUPTDATEN.DxasPolynom[i];
    AufBildschirm(dlg);
    s.Vorschau = GetDlgItem(dlg, IDC_DEX_VORSCHAU);
    ZeigeKoeffizienten(dlg);
    s.Overlay = 1;
    BalkenEinrichten(dlg);
    s.Referenz.assign(static_cast<std::size_t>(s.Punkte > 0 ? s.Punkte : 0), 0.0);
    return true;
}

void Schliessen(HWND dlg, INT_PTR ergebnis)
{
    Skala.reset();
    EndDialog(dlg, ergebnis);
}

// A scroll message of bar `id`.
void Rollen(HWND dlg, int id, WPARAM wParam)
{
    if (!Skala) return;
    int32_t* position = id == IDC_DEX_NULL ? &Skala->Position[0]
                        : id == IDC_DEX_ERSTE ? &Skala->Position[1]
                        : id == IDC_DEX_ZWEITE ? &Skala->Position[2]
                                               : nullptr;
    int32_t versatzPosition = 0;
    if (!position) position = &versatzPosition;
    int32_t einheiten = 0;
    if (!DexBalkenSchritt(id, LOWORD(wParam), static_cast<int16_t>(HIWORD(wParam)), position, &einheiten)) return;
    SetScrollPos(GetDlgItem(dlg, id), SB_CTL, id == IDC_DEX_VERSATZ ? 0 : *position, TRUE);
    Loeschen();
    DexScaleStep(id, einheiten);
    Zeichnen();
    if (id != IDC_DEX_VERSATZ) ZeigeKoeffizienten(dlg);
}

}  // namespace

const DexSkalaStand* DexSkalaZustand() { return Skala.get(); }

void DexScaleStep(int32_t control, int32_t einheiten)
{
    if (!Skala) return;
    DexSkalaStand& s = *Skala;
    double* c = HAUPTDATEN.DxasPolynom;
    switch (control) {
    case IDC_DEX_NULL: DexPolynomSchritt(c, control, einheiten * DEX_SCHRITT_NULL, 0.0); break;
    case IDC_DEX_ERSTE:
    case IDC_DEX_ZWEITE: {
        const int32_t i = s.Referenz.empty() ? 0 : DexPivot(s.Referenz.data(), s.Punkte, s.DexFoilPunkte);
        const double pivot = s.X && s.Punkte > 0 ? s.X[i] : 0.0;
        DexPolynomSchritt(c, control,
                          einheiten * (control == IDC_DEX_ERSTE ? DEX_SCHRITT_ERSTE : DEX_SCHRITT_ZWEITE), pivot);
        break;
    }
    case IDC_DEX_VERSATZ: s.Versatz -= einheiten; break;
    default: break;
    }
    if (s.DexFoilPunkte > 0 && s.X && static_cast<int32_t>(s.Referenz.size()) >= s.Punkte) {
        DexReferenz(Numerik, s.Folie, c, s.X, s.Punkte, s.Versatz, s.Referenz.data());
    }
}

void DexDrawOverlay()
{
    if (!Skala || !Skala->Vorschau || Skala->Referenz.empty() || !Skala->X) return;
    DexSkalaStand& s = *Skala;
    HDC dc = GetDC(s.Vorschau);
    if (!dc) return;
    Plotter.SetFieldFunction(s.X, s.Referenz.data(), Modell(), nullptr, s.Punkte);
    const int alt = SetROP2(dc, R2_NOT);
    Plotter.PlotFieldFunction(dc, 1, 0, 0, 0);
    Plotter.SetFieldFunction(s.X, s.Y, Modell(), nullptr, s.Punkte);
    SetROP2(dc, alt);
    ReleaseDC(s.Vorschau, dc);
    s.Overlay ^= 1;
}

void haupt_fenster::DexCalibrateByFoil(int32_t folie)
{
    // "None" (and any index the table lacks) changes nothing.
    if (!Skala || folie < 0 || !Skala->X || Skala->Punkte < 8) return;
    std::FILE* f = std::fopen(FolienDatei().c_str(), "r");
    if (!f) return;
    HCURSOR alt = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    std::vector<double> e, a;
    const bool gelesen = DexFolieLesen(f, folie, &e, &a);
    std::fclose(f);
    DexSkalaStand& s = *Skala;
    if (!gelesen) {
        s.Status = "The foil could not be read from dexfoil.dat.";
    } else {
        const int32_t proSpalte = s.Fenster >= 0 && s.Fenster < 4 ? GrafikFenster[s.Fenster].DateiInfo.Punkte : 0;
        DexFolie gitter;
        const DexKalibrierung k = DexKalibriere(Numerik, s.X, s.Y, s.Punkte, proSpalte, e, a, &gitter);
        s.Status = k.Status;
        if (!gitter.E.empty()) {
            for (int i = 0; i < 3; ++i) DxasPolynom[i] = k.c[i];
            s.Folie = gitter;
            s.DexFoilPunkte = static_cast<int32_t>(gitter.E.size());
            DexScaleStep(0, 0);
        }
    }
    ZeigeStatus();
    SetCursor(alt);
}

INT_PTR CALLBACK ConvertDexDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        CenterDialog(dlg);
        ZeigeKoeffizienten(dlg);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_DLG_HELP: DialogHilfe(821); return TRUE;
        case IDOK:
            LiesKoeffizienten(dlg);
            Zurueckgeben();
            EndDialog(dlg, 1);
            return TRUE;
        case IDCANCEL: EndDialog(dlg, 0); return TRUE;
        }
        break;
    }
    return FALSE;
}

INT_PTR CALLBACK DexScaleDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        if (!Oeffnen(dlg)) EndDialog(dlg, -100);
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(dlg, &ps);
        EndPaint(dlg, &ps);
        if (!Skala) return TRUE;
        PlotIntoDialog(Skala->Vorschau, Skala->Grenzen[0], Skala->Grenzen[1], 0, PANE_GANZ);
        if (Skala->Overlay == 0 && FolieGeladen()) {
            DexDrawOverlay();
            Skala->Overlay = 0;
        }
        return TRUE;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
        Rollen(dlg, GetDlgCtrlID(reinterpret_cast<HWND>(lParam)), wParam);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_DEX_FOLIE:
            if (HIWORD(wParam) == CBN_SELCHANGE && Skala) {
                const int32_t k = static_cast<int32_t>(SendDlgItemMessageA(dlg, IDC_DEX_FOLIE, CB_GETCURSEL, 0, 0)) - 1;
                if (k < 0) return TRUE;
                Loeschen();
                HAUPTDATEN.DexCalibrateByFoil(k);
                Zeichnen();
                ZeigeKoeffizienten(dlg);
            }
            return TRUE;
        case CM_REDRAW:
            LiesKoeffizienten(dlg);
            Loeschen();
            DexScaleStep(0, 0);
            Zeichnen();
            return TRUE;
        case IDC_DLG_HELP: DialogHilfe(819); return TRUE;
        case IDOK:
            LiesKoeffizienten(dlg);
            Zurueckgeben();
            Schliessen(dlg, 1);
            return TRUE;
        case IDCANCEL:
            if (Skala)
                for (int i = 0; i < 3; ++i) HAUPTDATEN.DxasPolynom[i] = Skala->Gesichert[i];
            Schliessen(dlg, 0);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

int32_t DexSkalaDialog()
{
    return static_cast<int32_t>(
        DialogBoxParamA(ProgrammModul(), "DEXSCALE", HAUPTDATEN.Hauptfenster, DexScaleDlgProc, 0));
}

int32_t DexKonvertierDialog()
{
    return static_cast<int32_t>(
        DialogBoxParamA(ProgrammModul(), "CONVERTDEX", HAUPTDATEN.Hauptfenster, ConvertDexDlgProc, 0));
}
