// Handlers of the curve conversions of the main menu: the magnitude of a
// Fourier transform, ".jcp" files and angle scans.
#include "spectra/spectrum_conversions_win.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "resource_ids.h"
#include "shell/haupt_fenster.h"
#include "shell/macro_bar.h"
#include "spectra/ascii_file.h"
#include "spectra/spectra_globals.h"
#include "spectra/spectrum_conversions.h"

namespace {

const int32_t FEHLER_SPEICHER = 104;
const int32_t CM_HISTORIE = 2003;

void Historie(haupt_fenster* app, const grafik_fenster& g, const char* zeile)
{
    if (!CommandText) return;
    std::snprintf(CommandText, COMMAND_TEXT_BYTES, "--: %s%s", g.DateiInfo.DateiName, zeile);
    HWND ergebnis = app->KindFenster[KIND_ERGEBNIS];
    if (RedrawPerMessage == 1 && ergebnis) SendMessageA(ergebnis, WM_COMMAND, CM_HISTORIE, 0);
}

void Neuzeichnen(haupt_fenster* app, int32_t fenster)
{
    HWND h = app->GrafikHandles[fenster];
    if (!h) return;
    if (RedrawPerMessage == 0) RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    else PostMessageA(h, WM_COMMAND, CM_REDRAW, 0);
}

// Puts x and y into the next slot of g: a cut of the current curve makes
// the slot (texts and counters), then the new points replace its curve.
bool InNeuenSlot(grafik_fenster& g, const std::vector<double>& x, const std::vector<double>& y)
{
    const int32_t n = static_cast<int32_t>(x.size());
    if (n < 1 || y.size() < x.size()) return false;
    if (n + 4 > g.FeldGroesse() && g.ResizeFelder(n + 4) == 0) {
        FehlerCode = FEHLER_SPEICHER;
        return false;
    }
    if (g.Punkte() < 1 || g.CutSection(0, 0.0, 0.0, 1) <= 0) return false;
    const int32_t t = g.AktuellerSlot();
    std::copy(x.begin(), x.end(), g.XFeld[t]);
    std::copy(y.begin(), y.begin() + n, g.YFeld[t]);
    g.DateiInfo.PunkteProKurve[t] = n;
    g.KurvenFlags[t] = 0;
    return true;
}

// After a new curve: borders, history line with its point count, status
// and redraw.
void Abschluss(haupt_fenster* app, int32_t fenster, const char* was)
{
    grafik_fenster& g = GrafikFenster[fenster];
    g.SetFullBorder();
    char zeile[160];
    std::snprintf(zeile, sizeof zeile, "%s  %d points   - ( active : %d )\r\n", was,
                  static_cast<int>(g.Punkte()), g.AktuellerSlot() + 1);
    Historie(app, g, zeile);
    UpdateFensterStatus();
    Neuzeichnen(app, fenster);
}

}  // namespace

int32_t FtBetragZeigen(haupt_fenster* app, int32_t fenster, LPARAM lParam)
{
    if (fenster < 0 || fenster > 3) return 0;
    grafik_fenster& g = GrafikFenster[fenster];
    const int32_t s = g.AktuellerSlot();
    const int32_t n = g.Punkte();
    if (!(g.KurvenFlags[s] & SLOT_KOMPLEX) || n < 1 || 2 * static_cast<int64_t>(n) + 1 > g.FeldGroesse()) {
        // A replay on a curve without a transform does not go on as if it
        // had one.
        if (lParam == LP_PREPARED) FehlerCode = 1000;
        return 0;
    }
    if (app->MakroAufnahme) ButtonBar.MakroRecord(164, 1, 0);
    const uint32_t alteFlags = g.KurvenFlags[s];
    // The whole curve with its imaginary part: both parts are switched on
    // for the cut, whatever the window shows.
    const int32_t real = g.Paintinfo.KomplexReal, imag = g.Paintinfo.KomplexImag;
    g.Paintinfo.KomplexReal = 1;
    g.Paintinfo.KomplexImag = 1;
    const int32_t m = g.CutSection(0, 0.0, 0.0, 1);
    g.Paintinfo.KomplexReal = real;
    g.Paintinfo.KomplexImag = imag;
    if (m <= 0) return 0;
    const int32_t t = g.AktuellerSlot();
    FtBetrag(g.YFeld[t], n);
    if (alteFlags & SLOT_NICHT_SPEICHERBAR) {
        g.DreiWorte[0] = g.DreiWorte[1] = g.DreiWorte[2] = 0;
        g.KurvenFlags[t] = alteFlags & ~SLOT_NICHT_SPEICHERBAR;
    } else {
        // The transform and its magnitude in one frame.
        g.Kombinieren = 1;
        g.KombiAnzahl = 2;
        g.KombiListe[0] = fenster * 10 + s;
        g.KombiListe[1] = fenster * 10 + t;
    }
    g.SetFullBorder();
    char zeile[100];
    std::snprintf(zeile, sizeof zeile, " --FT MAGNITUDE   - ( active : %d )\r\n", t + 1);
    Historie(app, g, zeile);
    if (lParam != LP_PREPARED) {
        Neuzeichnen(app, fenster);
        UpdateFensterStatus();
    }
    return 1;
}

int32_t JcpNachMes(haupt_fenster* app, int32_t fenster)
{
    if (fenster < 0 || fenster > 3) return 0;
    grafik_fenster& g = GrafikFenster[fenster];
    const DateiInfo& info = g.DateiInfo;
    std::vector<double> x;
    std::vector<std::vector<double>> spalten(JCP_SPALTEN);
    int32_t n = 0;
    for (int32_t k = 0; k < JCP_SPALTEN; ++k) {
        SpektrumDaten daten;
        int32_t fehler = 0;
        const int32_t m = info.Spalten >= 2 + k ? LeseSpalten(info, 1, 2 + k, &daten, &fehler) : 0;
        // Every column has to give the rows of the first one.
        if (m < 2 || (k > 0 && m != n) || static_cast<int32_t>(daten.y.size()) < m) {
            FehlerCode = FEHLER_FORMAT;
            return 0;
        }
        n = m;
        if (k == 0) x.assign(daten.x.begin(), daten.x.begin() + m);
        spalten[k].assign(daten.y.begin(), daten.y.begin() + m);
    }
    const double* zeiger[JCP_SPALTEN];
    for (int32_t k = 0; k < JCP_SPALTEN; ++k) zeiger[k] = spalten[k].data();
    std::vector<double> xAus(static_cast<size_t>(JCP_SPALTEN) * n), yAus(xAus.size());
    if (JcpVerschachteln(x.data(), zeiger, n, xAus.data(), yAus.data()) <= 0) {
        FehlerCode = FEHLER_FORMAT;
        return 0;
    }
    if (!InNeuenSlot(g, xAus, yAus)) return 0;
    Abschluss(app, fenster, " --JCP -> MES");
    return 1;
}

int32_t WinkelNachEnergie(haupt_fenster* app, int32_t fenster)
{
    if (fenster < 0 || fenster > 3) return 0;
    grafik_fenster& g = GrafikFenster[fenster];
    char pfad[2600];
    if (!DateiPfad(g.DateiInfo, pfad, sizeof pfad)) return 0;
    std::ifstream datei(pfad, std::ios::binary);
    if (!datei) {
        FehlerCode = FEHLER_FORMAT;
        return 0;
    }
    const std::string text((std::istreambuf_iterator<char>(datei)), std::istreambuf_iterator<char>());
    std::vector<double> x, y;
    if (EnergieAusWinkeln(text.data(), text.size(), &x, &y) < 2) {
        FehlerCode = FEHLER_FORMAT;
        return 0;
    }
    if (!InNeuenSlot(g, x, y)) return 0;
    g.SetGrafikTexte("energy [keV]", "ln(I0/I1)", nullptr, nullptr);
    Abschluss(app, fenster, " --ENERGY FROM ANGLES");
    return 1;
}
