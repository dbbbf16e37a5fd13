// The principal component analysis's steps with their files and messages;
// the arithmetic and the result files are pca_core.cpp's.
#include "xas/pca_analysis_win.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/ascii_file.h"
#include "spectra/file_commands.h"
#include "spectra/file_commands_win.h"
#include "spectra/grafik_fenster.h"
#include "spectra/spectrum_file.h"

std::vector<PcaEingabe> PcaEingaben;
PcaZustand PcaStand;
PCA_DATEIWAHL PcaDateiWahl = FileDialog;

namespace {

std::string DatenOrdner()
{
    std::string o = HAUPTDATEN.DatenOrdner ? HAUPTDATEN.DatenOrdner : "";
    if (!o.empty() && o.back() != '\\' && o.back() != '/') o += '\\';
    return o;
}

void Melde(HWND owner, const char* text, const char* titel, UINT art)
{
    if (!MakroRunning) MeldungsBox(owner, text, titel, art);
}

void KopiereListe(const std::vector<double>& quelle, double* ziel)
{
    if (!ziel) return;
    for (int32_t i = 0; i < PCA_LISTE; ++i)
        ziel[i] = i < static_cast<int32_t>(quelle.size()) ? quelle[i] : 0.0;
}

// Reads one spectrum file; false (after a message) when it cannot be read.
bool LiesDatei(HWND owner, const std::string& pfad, SpektrumDaten& daten)
{
    DateiInfo info;
    DateiInfoLeeren(&info);
    if (!OeffneDateiGeprueft(pfad.c_str(), &info)) return false;
    int32_t fehler = 0;
    const int32_t n = LeseSpektrum(&info, &daten, nullptr, nullptr, &fehler);
    if (n < 2 || static_cast<int32_t>(daten.x.size()) < n || static_cast<int32_t>(daten.y.size()) < n) {
        const std::string text = "File could not be read!\r\n" + pfad;
        Melde(owner, text.c_str(), "Error!", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    daten.Punkte = n;
    return true;
}

// Inputs from the columns of the window's series file; 0 when one cannot be read.
int32_t SpaltenEingaben(grafik_fenster& g, std::vector<PcaEingabe>& eingaben, std::vector<double>& gitter)
{
    const int32_t c = g.DateiInfo.Spalten - 1;
    if (g.ReadSeriesFrame(nullptr, 0) != 0) return 0;
    std::vector<double> x(MIN_FELD_PUNKTE), y(MIN_FELD_PUNKTE);
    const int32_t n = g.ReadSeriesFrame(x.data(), 1, MIN_FELD_PUNKTE);
    bool ok = n >= 2;
    for (int32_t i = 1; ok && i <= c; ++i) {
        if (g.ReadSeriesFrame(y.data(), i + 1, MIN_FELD_PUNKTE) != n) {
            ok = false;
            break;
        }
        char name[100];
        std::snprintf(name, sizeof name, " %2d. column", static_cast<int>(i));
        PcaEingabe e;
        PcaNimmAuf(x.data(), y.data(), n, name, gitter, e);
        e.Punkte = PCA_GITTERPUNKTE;
        eingaben.push_back(std::move(e));
    }
    g.ReadSeriesFrame(nullptr, -1);
    return ok ? c : 0;
}

int32_t Vollanalyse(double* residuen, double* indikator, grafik_fenster* fenster, HWND owner)
{
    std::vector<PcaEingabe> eingaben;
    std::vector<double> gitter;
    bool spalten = false;
    std::string dateiName;
    const char* titel = nullptr;
    if (fenster && fenster->DateiInfo.Spalten > 3 && fenster->DateiInfo.Binaer &&
        MeldungsBox(owner, "Take columns for PCA?", "Multi Column File!", MB_OKCANCEL | MB_ICONQUESTION) == IDOK) {
        const int32_t c = fenster->DateiInfo.Spalten - 1;
        if (const char* text = PcaAuswahlMeldung(c, titel)) {
            Melde(owner, text, titel, MB_OK | MB_ICONEXCLAMATION);
            return c > PCA_MAX_EINGABEN ? PCA_ZU_VIELE : PCA_ZU_WENIG;
        }
        if (SpaltenEingaben(*fenster, eingaben, gitter) <= 0) {
            Melde(owner, "File could not be read!", "Error!", MB_OK | MB_ICONEXCLAMATION);
            return PCA_ZU_WENIG;
        }
        spalten = true;
        dateiName = fenster->DateiInfo.DateiName;
    } else {
        char ordner[DATEI_NAME_PUFFER] = "";
        char namen[DATEI_TITEL_PUFFER] = "";
        if (!PcaDateiWahl(owner, ordner, namen, 200, 1)) return PCA_ZU_WENIG;
        // One file comes back as its whole path with no names.
        std::vector<std::string> pfade;
        if (namen[0]) pfade = PcaEingabePfade(ordner, namen);
        else if (ordner[0]) pfade.push_back(ordner);
        if (const char* text = PcaAuswahlMeldung(static_cast<int32_t>(pfade.size()), titel)) {
            Melde(owner, text, titel, MB_OK | MB_ICONEXCLAMATION);
            return PCA_ZU_WENIG;
        }
        if (pfade.empty()) return PCA_ZU_WENIG;
        for (const std::string& p : pfade) {
            SpektrumDaten d;
            if (!LiesDatei(owner, p, d)) return PCA_ZU_WENIG;
            const size_t trenner = p.find_last_of("\\/");
            const std::string name = trenner == std::string::npos ? p : p.substr(trenner + 1);
            PcaEingabe e;
            if (!PcaNimmAuf(d.x.data(), d.y.data(), d.Punkte, name.c_str(), gitter, e))
                Melde(owner, "Energy range of single spectra not compatible!", "Caution!",
                      MB_OK | MB_ICONEXCLAMATION);
            eingaben.push_back(std::move(e));
        }
    }
    PcaLauf lauf;
    PcaZustand zustand;
    const int32_t r = PcaVollanalyse(DatenOrdner(), eingaben, gitter, spalten, dateiName, zustand, lauf);
    if (r <= 0) {
        if (r == PCA_SCHREIBFEHLER)
            Melde(owner, "The results could not be written to the data folder!", "Error!", MB_OK | MB_ICONEXCLAMATION);
        return r;
    }
    PcaEingaben = std::move(eingaben);
    PcaStand = zustand;
    KopiereListe(lauf.Residuen, residuen);
    KopiereListe(lauf.Indikator, indikator);
    if (CommandText) std::snprintf(CommandText, COMMAND_TEXT_BYTES, "%s", lauf.Bericht.c_str());
    return r;
}

}  // namespace

int32_t DoPcAnalysis(int32_t modus, double* residuen, double* indikator, grafik_fenster* fenster, HWND owner)
{
    if (modus == 1) return Vollanalyse(residuen, indikator, fenster, owner);
    if (PcaStand.Anzahl < 2 || static_cast<int32_t>(PcaEingaben.size()) != PcaStand.Anzahl) return PCA_KEINE_ANALYSE;
    if (modus == 10) {
        PcaLauf lauf;
        const int32_t r = PcaNeuRekonstruktion(DatenOrdner(), PcaEingaben, PcaStand, lauf);
        if (r > 0) KopiereListe(lauf.Residuen, residuen);
        return r;
    }
    if (modus == -1) {
        const std::string pfad = CommandText ? CommandText : "";
        SpektrumDaten d;
        // A target that cannot be read is not transformed (and the test
        // files of an earlier target must not be taken for it).
        if (!LiesDatei(owner, pfad, d)) return 0;
        const size_t trenner = pfad.find_last_of("\\/");
        const std::string name = trenner == std::string::npos ? pfad : pfad.substr(trenner + 1);
        double rWert = 0.0;
        std::string bericht;
        return PcaZieltransformation(DatenOrdner(), PcaEingaben, PcaStand, d.x.data(), d.y.data(), d.Punkte,
                                     name, rWert, bericht);
    }
    return PCA_KEINE_ANALYSE;
}
