// The kinetic calculator (KINETIC_CALC): the conversion curve a(t) of the
// active window through one of the g(a) models, with a straight line
// fitted to g(a) against t. The dialog keeps the curve and the window's
// model as they were at opening, so that every model starts from the
// same a(t) and Cancel gives both back.
#include "xrd/kinetics_win.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "fit/fit_model.h"
#include "resource_ids.h"
#include "shell/dialog_helpers.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/ascii_file.h"
#include "spectra/dialog_plot_win.h"
#include "spectra/file_commands.h"
#include "spectra/file_commands_win.h"
#include "spectra/grafik_fenster.h"
#include "spectra/spectra_globals.h"
#include "xrd/kinetics.h"

namespace {

const int32_t CM_HISTORIE = 2003;

// What the open calculator keeps.
struct Rechner {
    HWND Vorschau = nullptr;
    int32_t Fenster = -1;
    std::vector<double> t, a;
    double Grenzen[2] = {0.0, 0.0};
    int32_t Modell = KINETIK_MODELL_KEINES;
    bool Regression = false;
    // The window's model at opening.
    int32_t AnzahlFunktionen = 0;
    std::vector<int32_t> Typen;
    std::vector<double> Parameter;
    int32_t PolyGrad = 0;
};

Rechner R;

grafik_fenster* Fenster()
{
    if (R.Fenster < 0 || R.Fenster > 3) return nullptr;
    return &GrafikFenster[R.Fenster];
}

void Vorschau()
{
    if (R.Vorschau) PlotIntoDialog(R.Vorschau, R.Grenzen[0], R.Grenzen[1], R.Regression ? 1 : 0, 0);
}

void Oeffnen(HWND dlg)
{
    R = Rechner();
    R.Vorschau = GetDlgItem(dlg, IDC_KIN_VORSCHAU);
    R.Fenster = AktivesFenster;
    grafik_fenster* g = Fenster();
    if (!g) return;
    R.AnzahlFunktionen = g->AnzahlFunktionen;
    if (g->FunktionsTypen) R.Typen.assign(g->FunktionsTypen, g->FunktionsTypen + MAX_MODEL_FUNCTIONS);
    if (g->Parameter) R.Parameter.assign(g->Parameter, g->Parameter + PARAMETER_BLOCK_DOUBLES);
    R.PolyGrad = g->PolyGrad;
    R.Grenzen[0] = g->Grenzen[0];
    R.Grenzen[1] = g->Grenzen[1];
    const int32_t s = g->AktuellerSlot(), n = g->Punkte();
    if (n > 0 && g->XFeld[s] && g->YFeld[s]) {
        R.t.assign(g->XFeld[s], g->XFeld[s] + n);
        R.a.assign(g->YFeld[s], g->YFeld[s] + n);
    }
}

// The window's current slot := g(kept a) of the model, defined points only.
void ModellAnwenden(int32_t id)
{
    grafik_fenster* g = Fenster();
    if (!g) return;
    const int32_t s = g->AktuellerSlot();
    const int32_t n = KinetikTransformiere(id, R.t.data(), R.a.data(),
                                           static_cast<int32_t>(R.t.size()), g->XFeld[s], g->YFeld[s]);
    g->DateiInfo.PunkteProKurve[s] = n;
    R.Modell = id;
    R.Regression = false;
}

void ModellZurueck()
{
    grafik_fenster* g = Fenster();
    if (!g) return;
    g->AnzahlFunktionen = R.AnzahlFunktionen;
    if (g->FunktionsTypen && !R.Typen.empty())
        std::memcpy(g->FunktionsTypen, R.Typen.data(), sizeof(int32_t) * R.Typen.size());
    if (g->Parameter && !R.Parameter.empty())
        std::memcpy(g->Parameter, R.Parameter.data(), sizeof(double) * R.Parameter.size());
    g->PolyGrad = R.PolyGrad;
    FitFunctionCount = R.AnzahlFunktionen;
    FitPolyDegree = R.PolyGrad;
}

void Zahl(HWND dlg, int32_t id, double wert)
{
    char text[48];
    std::snprintf(text, sizeof text, "%G", wert);
    SetDlgItemTextA(dlg, id, text);
}

void Regression(HWND dlg)
{
    grafik_fenster* g = Fenster();
    if (!g || !g->FunktionsTypen || !g->Parameter) return;
    const int32_t s = g->AktuellerSlot(), n = g->Punkte();
    double c0 = 0.0, k = 0.0;
    if (n < 3 || !KinetikGerade(g->XFeld[s], g->YFeld[s], n, &c0, &k)) {
        MeldungsBox(dlg,
                    "Linear regression: too few points (at least three with different times are needed).",
                    "Caution !!", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    g->AnzahlFunktionen = 1;
    g->FunktionsTypen[0] = 7;   // polynomial
    g->PolyGrad = 1;
    g->Parameter[0] = c0;
    g->Parameter[1] = k;
    FitFunctionCount = 1;
    FitPolyDegree = 1;
    Zahl(dlg, IDC_KIN_STEIGUNG, k);
    Zahl(dlg, IDC_KIN_ORDINATE, c0);
    R.Regression = true;
    g->ZeigeDaten = 1;
    g->ZeigeFunktion = 1;
    Vorschau();
}

void Schliessen(HWND dlg, bool ok)
{
    grafik_fenster* g = Fenster();
    if (g) {
        if (!ok) {
            const int32_t s = g->AktuellerSlot();
            const int32_t n = static_cast<int32_t>(R.t.size());
            if (n > 0) {
                std::memcpy(g->XFeld[s], R.t.data(), sizeof(double) * n);
                std::memcpy(g->YFeld[s], R.a.data(), sizeof(double) * n);
            }
            g->DateiInfo.PunkteProKurve[s] = n;
            ModellZurueck();
            R.Regression = false;
        }
        g->ZeigeDaten = 1;
        g->ZeigeFunktion = R.Regression ? 1 : 0;
    }
    R.t.clear();
    R.a.clear();
    R.Typen.clear();
    R.Parameter.clear();
    EndDialog(dlg, ok ? 1 : 0);
}

}  // namespace

INT_PTR CALLBACK KineticCalcDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        CenterDialog(dlg);
        Oeffnen(dlg);
        CheckRadioButton(dlg, IDC_KIN_MODELL, IDC_KIN_MODELL + 14, IDC_KIN_MODELL);
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(dlg, &ps);
        EndPaint(dlg, &ps);
        Vorschau();
        return TRUE;
    }
    case WM_COMMAND: {
        const int32_t id = LOWORD(wParam);
        if (id >= KINETIK_MODELL_KEINES && id <= KINETIK_MODELL_LETZTES) {
            CheckRadioButton(dlg, IDC_KIN_MODELL, IDC_KIN_MODELL + 14, id);
            ModellAnwenden(id);
            grafik_fenster* g = Fenster();
            if (g) g->ZeigeFunktion = 0;
            Vorschau();
            return TRUE;
        }
        switch (id) {
        case IDC_KIN_REGRESSION: Regression(dlg); return TRUE;
        case IDOK: Schliessen(dlg, true); return TRUE;
        case IDCANCEL: Schliessen(dlg, false); return TRUE;
        default: break;
        }
        break;
    }
    default: break;
    }
    return FALSE;
}

void KinetikRechner(haupt_fenster* app, int32_t fenster, bool vorbereitet)
{
    if (vorbereitet) {
        NichtVerfuegbar(913, "The kinetic calculator during a replay");
        return;
    }
    grafik_fenster& g = GrafikFenster[fenster];
    if (g.Punkte() < 1 || g.CutSection(0, 0.0, 0.0, 1) <= 0) {
        MeldungsBox(app->Hauptfenster, "   The active window holds no curve a(t) for the kinetic calculator.",
                    "Error !!", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    g.SetFullBorder();
    const INT_PTR r = DialogBoxParamA(ProgrammModul(), "KINETIC_CALC", app->Hauptfenster,
                                      KineticCalcDlgProc, 0);
    if (CommandText) {
        std::snprintf(CommandText, COMMAND_TEXT_BYTES, "--: %s --KINETIC CALCULATOR %s - ( active : %d )\r\n",
                      g.DateiInfo.DateiName, r == 1 ? "g(a) v. t" : "(cancelled)", g.AktuellerSlot() + 1);
        HWND ergebnis = app->KindFenster[KIND_ERGEBNIS];
        if (RedrawPerMessage == 1 && ergebnis) SendMessageA(ergebnis, WM_COMMAND, CM_HISTORIE, 0);
    }
    if (g.hWnd) PostMessageA(g.hWnd, WM_COMMAND, CM_REDRAW, 0);
    UpdateFensterStatus();
}

// ---- isoconversional analysis ----

ISOCONV_DATEIWAHL IsoconvDateiWahl = FileDialog;

namespace {

// What the open analysis keeps: its own list of curves and the results.
struct Analyse {
    std::vector<KinetikKurve> Kurven;
    IsoconvErgebnis Ergebnis;
    bool Gerechnet = false;
    int32_t Art = 0;   // plot kind 1-5, 0 none
};

Analyse A;

// The analysis' own graphic-window record: the plots are drawn from it,
// so that the user's windows and curves stay as they are.
std::unique_ptr<grafik_fenster> Bild;

void BildFreigeben()
{
    if (Bild) Bild->FreeFelder();
    Bild.reset();
}

// Sizes the record for the longest series of the plots. False when memory
// ran out.
bool BildAnlegen(const Analyse& a)
{
    std::size_t laengste = a.Kurven.size() + a.Ergebnis.Stufen.size();
    for (const KinetikKurve& k : a.Kurven) laengste = std::max(laengste, k.t.size());
    const int32_t noetig = static_cast<int32_t>(laengste) + 5;
    if (!Bild) Bild.reset(new grafik_fenster());
    if (!Bild->GetXFeld(0)) return Bild->AllocFelder(noetig) != 0;
    return noetig <= Bild->FeldGroesse() || Bild->ResizeFelder(noetig) != 0;
}

// Repaints the dialog now, the plot last.
void Neu(HWND dlg)
{
    InvalidateRect(dlg, nullptr, TRUE);
    UpdateWindow(dlg);
}

void Hinweis(HWND dlg, const std::string& text)
{
    MeldungsBox(dlg, text.c_str(), "Caution !!", MB_OK | MB_ICONEXCLAMATION);
}

std::string Zahltext(double wert)
{
    char text[48];
    std::snprintf(text, sizeof text, "%G", wert);
    return text;
}

// Loads the chosen files (at most ISOCONV_MAX_KURVEN). Returns the count.
int32_t Laden(HWND dlg)
{
    std::vector<char> pfad(DATEI_NAME_PUFFER, 0), titel(DATEI_TITEL_PUFFER, 0);
    if (!IsoconvDateiWahl(dlg, pfad.data(), titel.data(), 200, 1)) return 0;
    std::vector<std::string> namen;
    std::string ordner = pfad.data();
    const std::string liste = titel.data();
    if (liste.empty()) {
        namen.push_back(ordner);
        ordner.clear();
    } else {
        std::size_t a = 0;
        while (a <= liste.size()) {
            std::size_t e = liste.find(',', a);
            if (e == std::string::npos) e = liste.size();
            if (e > a) namen.push_back(liste.substr(a, e - a));
            a = e + 1;
        }
    }
    std::string weg;
    // A list that fills the name buffer was cut: its last name is partial,
    // and the names after it are lost.
    if (!liste.empty() && liste.size() >= static_cast<std::size_t>(DATEI_TITEL_PUFFER - 1) && !namen.empty()) {
        namen.pop_back();
        Hinweis(dlg, "The list of chosen files is too long; only the files up to " +
                         (namen.empty() ? std::string("the first") : namen.back()) +
                         " are taken. Choose fewer files or shorter names.");
    }
    std::vector<KinetikKurve> kurven;
    for (std::size_t i = 0; i < namen.size(); ++i) {
        if (i >= static_cast<std::size_t>(ISOCONV_MAX_KURVEN)) {
            weg += "\n" + namen[i];
            continue;
        }
        DateiInfo info;
        DateiInfoLeeren(&info);
        const std::string voll = ordner + namen[i];
        if (!OeffneDateiGeprueft(voll.c_str(), &info)) continue;
        SpektrumDaten daten;
        int32_t fehler = 0;
        if (LeseSpektrum(&info, &daten, nullptr, nullptr, &fehler) <= 0 || daten.Punkte < 1) {
            Hinweis(dlg, "No curve could be read from " + voll + ".");
            continue;
        }
        KinetikKurve k;
        k.Name = info.DateiName;
        k.t.assign(daten.x.begin(), daten.x.begin() + daten.Punkte);
        k.a.assign(daten.y.begin(), daten.y.begin() + daten.Punkte);
        kurven.push_back(k);
    }
    if (!weg.empty())
        Hinweis(dlg, "At most 20 curves are analysed; these files were left out:" + weg);
    if (kurven.empty()) return 0;
    A = Analyse();
    A.Kurven = kurven;
    ShowWindow(GetDlgItem(dlg, IDC_ISO_HINWEIS1), SW_HIDE);
    ShowWindow(GetDlgItem(dlg, IDC_ISO_HINWEIS2), SW_HIDE);
    EnableWindow(GetDlgItem(dlg, IDC_ISO_RECHNEN), TRUE);
    EnableWindow(GetDlgItem(dlg, IDC_ISO_KURVEN), TRUE);
    SendDlgItemMessageA(dlg, IDC_ISO_LISTE, LB_RESETCONTENT, 0, 0);
    std::string temperaturen;
    for (std::size_t j = 0; j < A.Kurven.size(); ++j) {
        SendDlgItemMessageA(dlg, IDC_ISO_LISTE, LB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(A.Kurven[j].Name.c_str()));
        temperaturen += Zahltext(373.0 + 25.0 * j) + "\r\n";
    }
    SetDlgItemTextA(dlg, IDC_ISO_TEMPERATUREN, temperaturen.c_str());
    SetDlgItemTextA(dlg, IDC_ISO_SCHRITT, "0.05");
    SetDlgItemTextA(dlg, IDC_ISO_SCHRITT_GEZEIGT, "0.05");
    CheckRadioButton(dlg, IDC_ISO_KURVEN, IDC_ISO_LNK, 0);
    for (int32_t id : {IDC_ISO_HALBWERT, IDC_ISO_NORMIERT, IDC_ISO_EA, IDC_ISO_LNK})
        EnableWindow(GetDlgItem(dlg, id), FALSE);
    A.Art = 0;
    Neu(dlg);
    return static_cast<int32_t>(A.Kurven.size());
}

std::string DlgText(HWND dlg, int32_t id)
{
    HWND c = GetDlgItem(dlg, id);
    const int32_t n = c ? GetWindowTextLengthA(c) : 0;
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    if (n > 0) GetWindowTextA(c, &text[0], n + 1);
    text.resize(std::strlen(text.c_str()));
    return text;
}

void Rechnen(HWND dlg)
{
    if (A.Kurven.empty()) return;
    std::vector<double> T;
    const int32_t zeile = IsoconvTemperaturen(DlgText(dlg, IDC_ISO_TEMPERATUREN),
                                              static_cast<int32_t>(A.Kurven.size()), &T);
    if (zeile != 0) {
        Hinweis(dlg, "Temperature line " + std::to_string(zeile) + " (" +
                         A.Kurven[zeile - 1].Name +
                         "): every curve needs a temperature above 0 K. Nothing was calculated.");
        return;
    }
    const double getippt = std::atof(DlgText(dlg, IDC_ISO_SCHRITT).c_str());
    const double s = IsoconvSchritt(getippt);
    if (s != getippt) SetDlgItemTextA(dlg, IDC_ISO_SCHRITT, Zahltext(s).c_str());
    SetDlgItemTextA(dlg, IDC_ISO_SCHRITT_GEZEIGT, s != getippt ? Zahltext(s).c_str()
                                                                : DlgText(dlg, IDC_ISO_SCHRITT).c_str());
    for (std::size_t j = 0; j < A.Kurven.size(); ++j) A.Kurven[j].T = T[j];
    int32_t fehler = 0;
    if (!IsoconvRechne(A.Kurven, s, &A.Ergebnis, &fehler)) {
        Hinweis(dlg, "The curve " + (fehler >= 0 ? A.Kurven[fehler].Name : std::string()) +
                         " has fewer than 5 points. Nothing was calculated.");
        A.Gerechnet = false;
        return;
    }
    A.Gerechnet = true;
    if (!BildAnlegen(A)) Hinweis(dlg, "Not enough memory to draw the plots; the files are still written.");
    std::string ohne;
    for (std::size_t j = 0; j < A.Kurven.size(); ++j)
        if (!A.Ergebnis.HatHalbwert[j]) ohne += "\n" + A.Kurven[j].Name;
    if (!ohne.empty())
        Hinweis(dlg, "These curves start at or above a = 0.5 or never reach it and have no half-life:" + ohne);
    const std::string ordner = HAUPTDATEN.DatenOrdner ? HAUPTDATEN.DatenOrdner : "";
    const std::vector<std::string> nicht = IsoconvSchreibe(ordner, A.Kurven, A.Ergebnis);
    if (!nicht.empty()) {
        std::string text = "These files could not be written:";
        for (const std::string& p : nicht) text += "\n" + p;
        Hinweis(dlg, text);
    }
    for (int32_t id : {IDC_ISO_KURVEN, IDC_ISO_HALBWERT, IDC_ISO_NORMIERT, IDC_ISO_EA, IDC_ISO_LNK})
        EnableWindow(GetDlgItem(dlg, id), TRUE);
    if (A.Art == 0) {
        A.Art = 1;
        CheckRadioButton(dlg, IDC_ISO_KURVEN, IDC_ISO_LNK, IDC_ISO_KURVEN);
    }
    Neu(dlg);
}

using Reihe = std::vector<std::pair<double, double>>;

// The series, axis texts and whether points are marked, of plot kind art.
void PlotDaten(HWND dlg, int32_t art, std::vector<Reihe>* reihen, std::string* xText,
               std::string* yText, bool* punkte)
{
    const IsoconvErgebnis& e = A.Ergebnis;
    *punkte = art == 2 || art == 4 || art == 5;
    switch (art) {
    case 1:
    case 3:
        *xText = art == 1 ? "t" : "t / t@{1/2}";
        *yText = "^a";
        for (std::size_t j = 0; j < A.Kurven.size(); ++j) {
            if (art == 3 && !e.HatHalbwert[j]) continue;
            Reihe r;
            for (std::size_t i = 0; i < A.Kurven[j].t.size(); ++i)
                r.push_back({art == 1 ? A.Kurven[j].t[i] : e.Normiert[j][i], A.Kurven[j].a[i]});
            reihen->push_back(r);
        }
        break;
    case 2: {
        *xText = "T [K]";
        *yText = "t@{1/2}";
        Reihe r;
        for (std::size_t j = 0; j < A.Kurven.size(); ++j)
            if (e.HatHalbwert[j]) r.push_back({A.Kurven[j].T, e.Halbwert[j]});
        reihen->push_back(r);
        break;
    }
    case 4: {
        *xText = "^a";
        *yText = "E@{a} [kJ/mol]";
        Reihe r;
        for (const IsoconvStufe& s : e.Stufen)
            if (s.Gueltig) r.push_back({s.a, s.Ea});
        reihen->push_back(r);
        break;
    }
    case 5: {
        *xText = "1000/T [1/K]";
        *yText = "ln|d^a/dt|";
        const double v = std::atof(DlgText(dlg, IDC_ISO_SCHRITT_GEZEIGT).c_str());
        for (const IsoconvStufe& s : e.Stufen) {
            if (std::fabs(s.a - v) > 0.25 * e.Schritt) continue;
            Reihe r;
            for (std::size_t i = 0; i < s.x.size(); ++i) r.push_back({s.x[i], s.y[i]});
            reihen->push_back(r);
            *yText += "  (^a = " + Zahltext(s.a) + ")";
        }
        break;
    }
    default: break;
    }
}

void Zeichnen(HWND dlg)
{
    HWND bild = GetDlgItem(dlg, IDC_ISO_BILD);
    if (!bild || !A.Gerechnet || A.Art == 0) return;
    std::vector<Reihe> reihen;
    std::string xText, yText;
    bool punkte = false;
    PlotDaten(dlg, A.Art, &reihen, &xText, &yText, &punkte);
    reihen.erase(std::remove_if(reihen.begin(), reihen.end(), [](const Reihe& r) { return r.empty(); }),
                 reihen.end());
    if (reihen.empty()) {
        // Nothing to show (no curve has a half-life, no level a line).
        InvalidateRect(bild, nullptr, TRUE);
        UpdateWindow(bild);
        return;
    }
    double x0 = 1e300, x1 = -1e300, y0 = 1e300, y1 = -1e300;
    std::size_t laengste = 0;
    for (const Reihe& r : reihen) {
        laengste = std::max(laengste, r.size());
        for (const auto& p : r) {
            x0 = std::min(x0, p.first);
            x1 = std::max(x1, p.first);
            y0 = std::min(y0, p.second);
            y1 = std::max(y1, p.second);
        }
    }
    if (A.Art == 1) {
        x0 = 0.0;
        y0 = 0.0;
        y1 = 1.0;
    }
    if (x1 == x0) x0 -= 0.5, x1 += 0.5;
    if (y1 == y0) y0 -= 0.5, y1 += 0.5;
    if (A.Art != 1) {
        const double dy = 0.05 * (y1 - y0), dx = 0.05 * (x1 - x0);
        y0 -= dy, y1 += dy, x0 -= dx, x1 += dx;
    }

    // The record was sized for the longest series by the computation.
    if (!Bild || !Bild->GetXFeld(0) || static_cast<int32_t>(laengste) > Bild->FeldGroesse()) return;
    grafik_fenster& g = *Bild;
    // The first series is the record's curve, drawn with frame and axis
    // texts in the fixed ranges; the others go over it.
    const Reihe& erste = reihen[0];
    g.SetCurveSlots(0, 0);
    for (std::size_t i = 0; i < erste.size(); ++i) {
        g.XFeld[0][i] = erste[i].first;
        g.YFeld[0][i] = erste[i].second;
    }
    g.DateiInfo.PunkteProKurve[0] = static_cast<int32_t>(erste.size());
    g.SetGrafikTexte(xText.c_str(), yText.c_str(), "", nullptr);
    const COLORREF farben[] = {RGB(200, 0, 0), RGB(0, 0, 200), RGB(0, 140, 0), RGB(160, 0, 160),
                               RGB(0, 140, 140)};
    g.Paintinfo.PlotStyle = punkte ? 3 : 1;   // line, with circles at the points
    g.Paintinfo.KreisRadius = 3;
    g.Paintinfo.PlotColor = farben[0];
    g.AnzahlFunktionen = 0;
    g.ZeigeDaten = 1;
    g.ZeigeFunktion = 0;
    g.FesterBereich = 1;
    g.Zoom.FestX[0] = x0;
    g.Zoom.FestX[1] = x1;
    g.Zoom.FestY[0] = y0;
    g.Zoom.FestY[1] = y1;
    if (!PlotIntoDialog(bild, g, x1, x0, 0, PANE_GANZ)) return;
    for (std::size_t k = 1; k < reihen.size(); ++k) {
        std::vector<double> x, y;
        for (const auto& p : reihen[k]) {
            x.push_back(p.first);
            y.push_back(p.second);
        }
        KurveDarueber(bild, x.data(), y.data(), static_cast<int32_t>(x.size()), farben[k % 5]);
    }
}

void Blaettern(HWND dlg, int32_t code)
{
    const double s = A.Ergebnis.Schritt;
    double v = std::atof(DlgText(dlg, IDC_ISO_SCHRITT_GEZEIGT).c_str());
    if (code == SB_LINEUP && v < 1.0 - s - 1e-12) v += s;
    else if (code == SB_LINEDOWN && v > s + 1e-12) v -= s;
    else return;
    SetDlgItemTextA(dlg, IDC_ISO_SCHRITT_GEZEIGT, Zahltext(v).c_str());
    CheckRadioButton(dlg, IDC_ISO_KURVEN, IDC_ISO_LNK, IDC_ISO_LNK);
    A.Art = 5;
    Neu(dlg);
}

}  // namespace

INT_PTR CALLBACK IsoconvKineticDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_INITDIALOG:
        CenterDialog(dlg);
        A = Analyse();
        CheckRadioButton(dlg, IDC_ISO_KURVEN, IDC_ISO_LNK, IDC_ISO_KURVEN);
        SetDlgItemTextA(dlg, IDC_ISO_SCHRITT, "0.05");
        SetDlgItemTextA(dlg, IDC_ISO_SCHRITT_GEZEIGT, "0.05");
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(dlg, &ps);
        EndPaint(dlg, &ps);
        Zeichnen(dlg);
        return TRUE;
    }
    case WM_VSCROLL:
        if (reinterpret_cast<HWND>(lParam) == GetDlgItem(dlg, IDC_ISO_BALKEN) && A.Gerechnet)
            Blaettern(dlg, LOWORD(wParam));
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_ISO_DATEIEN:
            if (Laden(dlg) == 0) PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
            return TRUE;
        case IDC_ISO_RECHNEN: Rechnen(dlg); return TRUE;
        case IDC_ISO_KURVEN: A.Art = 1; Neu(dlg); return TRUE;
        case IDC_ISO_HALBWERT: A.Art = 2; Neu(dlg); return TRUE;
        case IDC_ISO_NORMIERT: A.Art = 3; Neu(dlg); return TRUE;
        case IDC_ISO_EA: A.Art = 4; Neu(dlg); return TRUE;
        case IDC_ISO_LNK:
            A.Art = 5;
            SetDlgItemTextA(dlg, IDC_ISO_SCHRITT_GEZEIGT, Zahltext(A.Ergebnis.Schritt).c_str());
            Neu(dlg);
            return TRUE;
        case IDOK:
        case IDCANCEL:
            A = Analyse();
            BildFreigeben();
            EndDialog(dlg, LOWORD(wParam) == IDOK ? 1 : 0);
            return TRUE;
        default: break;
        }
        break;
    default: break;
    }
    return FALSE;
}

void IsoconvAnalyse(haupt_fenster* app, bool vorbereitet)
{
    if (vorbereitet) {
        NichtVerfuegbar(914, "The isoconversional analysis during a replay");
        return;
    }
    DialogBoxParamA(ProgrammModul(), "ISOCONV_KINETIC", app->Hauptfenster, IsoconvKineticDlgProc, 0);
    A = Analyse();
    BildFreigeben();
}
