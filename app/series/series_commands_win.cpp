// The multi-column file commands of the Edit menu: text export (625),
// split into one file per column (626 binary, 627 text) and one more
// column appended (612); building and averaging several files (623, 624)
// are in series_average_win.cpp. While a macro plays (lParam 2) the file
// names come from CommandText instead of a file dialog.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "series/series.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/data_commands_win.h"
#include "spectra/file_commands.h"
#include "spectra/file_commands_win.h"
#include "spectra/spectra_globals.h"

namespace {

std::string Zeichen(const char* s) { return s ? s : ""; }

grafik_fenster* AktiveGrafik(haupt_fenster* app)
{
    const int32_t f = AktivesFenster;
    if (f < 0 || f > 3 || !app->GrafikHandles[f] || !GrafikFenster[f].GetXFeld(-1)) return nullptr;
    return &GrafikFenster[f];
}

bool AusMakro(haupt_fenster* app) { return app->Meldungsblock.lParam == 2; }

void Meldung(haupt_fenster* app, const std::string& text, const char* titel, UINT art)
{
    MeldungsBox(app->Hauptfenster, text.c_str(), titel, MB_OK | art);
}

// Every column of the window's multi-column file, x first. False (with the
// message shown) when it is not one or cannot be read.
bool LiesAlleSpalten(haupt_fenster* app, grafik_fenster* g, int32_t mindestens,
                     std::vector<std::vector<double>>* spalten)
{
    if (!g || g->DateiInfo.Binaer != 1 || g->DateiInfo.Spalten < mindestens) {
        Meldung(app, "No binary multiple column file!", "Error", MB_ICONINFORMATION);
        return false;
    }
    if (g->ReadSeriesFrame(nullptr, 0) != 0) {
        Meldung(app, "File could not be opened!", "ERROR !!", MB_ICONSTOP);
        return false;
    }
    std::vector<double> puffer(static_cast<std::size_t>(BINAER_MAX_PUNKTE) + 5);
    for (int32_t k = 1; k <= g->DateiInfo.Spalten; ++k) {
        const int32_t n = g->ReadSeriesFrame(puffer.data(), k, static_cast<int32_t>(puffer.size()));
        if (n < 1) {
            g->ReadSeriesFrame(nullptr, -1);
            Meldung(app, "The multiple column file could not be read: " +
                             Zeichen(g->DateiInfo.DateiName), "ERROR !!", MB_ICONSTOP);
            return false;
        }
        spalten->emplace_back(puffer.begin(), puffer.begin() + n);
    }
    g->ReadSeriesFrame(nullptr, -1);
    return true;
}

// The target from CommandText (macro) or the file dialog of kind art.
bool Zielname(haupt_fenster* app, int32_t art, bool oeffnen, std::string* pfad)
{
    if (AusMakro(app)) {
        *pfad = Zeichen(CommandText);
        return !pfad->empty();
    }
    std::vector<char> name(DATEI_NAME_PUFFER, '\0');
    char titel[DATEI_TITEL_PUFFER] = "";
    if (!FileDialog(app->Hauptfenster, name.data(), titel, art, oeffnen ? 1 : 0)) return false;
    *pfad = name.data();
    return !pfad->empty();
}

}  // namespace

// Beamline ".bl8" detector files are not imported; the command says so.
void KonvertiereBl8(int32_t) { NichtVerfuegbar(188, "Importing beamline \".bl8\" detector files"); }

int32_t McFileToAscii(int32_t)
{
    haupt_fenster* app = &HAUPTDATEN;
    grafik_fenster* g = AktiveGrafik(app);
    std::vector<std::vector<double>> spalten;
    if (!LiesAlleSpalten(app, g, 3, &spalten)) return 0;
    std::string pfad;
    if (!Zielname(app, 100, false, &pfad)) return 0;
    std::FILE* f = std::fopen(pfad.c_str(), "wt");
    if (!f) {
        Meldung(app, "The file could not be written: " + pfad, "ERROR !!", MB_ICONSTOP);
        return 0;
    }
    std::time_t jetzt = std::time(nullptr);
    // The standard 24-character form of the date ("Fri Dec  1 09:05:00 2026").
    char zeit[64] = "";
    if (const char* t = std::asctime(std::localtime(&jetzt))) std::snprintf(zeit, sizeof zeit, "%.24s", t);
    bool ok = std::fputs(McTextKopf(zeit, g->DateiInfo.DateiName).c_str(), f) >= 0;
    const std::size_t n = spalten[0].size();
    std::vector<double> zeile(spalten.size());
    for (std::size_t i = 0; ok && i < n; ++i) {
        for (std::size_t k = 0; k < spalten.size(); ++k)
            zeile[k] = i < spalten[k].size() ? spalten[k][i] : 0.0;
        ok = std::fputs(McTextZeile(zeile.data(), static_cast<int32_t>(zeile.size())).c_str(), f) >= 0;
    }
    ok = std::fclose(f) == 0 && ok;
    if (!ok) {
        std::remove(pfad.c_str());
        Meldung(app, "The file could not be written: " + pfad, "ERROR !!", MB_ICONSTOP);
        return 0;
    }
    return 1;
}

int32_t ExtractMcFile(int32_t befehl)
{
    haupt_fenster* app = &HAUPTDATEN;
    grafik_fenster* g = AktiveGrafik(app);
    std::vector<std::vector<double>> spalten;
    if (!LiesAlleSpalten(app, g, 2, &spalten)) return 0;
    std::string ordner = Zeichen(app->DatenOrdner);
    if (ordner.empty()) ordner = g->DateiInfo.Ordner;
    const std::string basis = BasisName(g->DateiInfo.DateiName);
    const bool binaer = befehl == 626;
    std::string fehler;
    for (std::size_t j = 1; j < spalten.size(); ++j) {
        const std::string pfad = TeilDateiPfad(ordner, basis, static_cast<int32_t>(j), binaer);
        const std::vector<double>& y = spalten[j];
        const int32_t n = static_cast<int32_t>(std::min(y.size(), spalten[0].size()));
        bool ok;
        if (binaer) {
            ok = g->SchreibeBinaer(pfad.c_str(), 0, 2, 0, spalten[0].data(), y.data(), n) == SPEKTRUM_OK;
        } else {
            std::FILE* f = std::fopen(pfad.c_str(), "wt");
            ok = f != nullptr;
            for (int32_t i = 0; ok && i < n; ++i)
                ok = std::fprintf(f, "%.10E  %.10E\n", spalten[0][i], y[i]) > 0;
            if (f) ok = std::fclose(f) == 0 && ok;
        }
        if (!ok) fehler += "\n" + pfad;
    }
    if (!fehler.empty()) {
        Meldung(app, "These files could not be written:" + fehler, "ERROR !!", MB_ICONSTOP);
        return 0;
    }
    return 1;
}

int32_t AddToMultiColumnFile(int32_t)
{
    haupt_fenster* app = &HAUPTDATEN;
    grafik_fenster* g = AktiveGrafik(app);
    if (!g || g->Punkte() < 2) {
        Meldung(app, "There is no spectrum to add.", "Error", MB_ICONINFORMATION);
        return 0;
    }
    std::string quelle;
    if (!Zielname(app, 6, true, &quelle)) return 0;

    // S from the header: the spectra the file holds.
    int16_t worte[13] = {};
    std::FILE* f = std::fopen(quelle.c_str(), "rb");
    const bool gelesen = f && std::fread(worte, sizeof worte, 1, f) == 1;
    if (f) std::fclose(f);
    if (!gelesen) {
        Meldung(app, "File could not be opened!", "ERROR !!", MB_ICONSTOP);
        return 0;
    }
    const int32_t s = worte[11] - (worte[12] != 0 ? 1 : 0);
    const std::string ziel = AnhangName(quelle, s);
    if (ziel.size() >= MAX_PATH) {
        Meldung(app, "The file name is too long: " + ziel, "ERROR !!", MB_ICONSTOP);
        return 0;
    }
    int32_t spalten = 0;
    const int32_t r = SpalteAnhaengen(quelle.c_str(), ziel.c_str(), g->GetXFeld(-1), g->GetYFeld(-1),
                                      g->Punkte(), &spalten);
    if (r == ANHANG_KEIN_BINAER) {
        Meldung(app, "No binary multiple column file!", "Error", MB_ICONINFORMATION);
        return -1;
    }
    if (r == ANHANG_GANZZAHL) {
        Meldung(app, "Only files of 32-bit values take another column; this file holds 16-bit values.",
                "Error", MB_ICONINFORMATION);
        return 0;
    }
    if (r == ANHANG_VOLL) {
        char text[160];
        std::snprintf(text, sizeof text, "The file already holds %d columns, the most a file may have.",
                      static_cast<int>(MAX_SPALTEN));
        Meldung(app, text, "Error", MB_ICONINFORMATION);
        return 0;
    }
    if (r != ANHANG_OK) {
        Meldung(app, "The column could not be added to " + quelle + "; the file is unchanged.",
                "ERROR !!", MB_ICONSTOP);
        return 0;
    }
    const std::size_t punkt = ziel.rfind('.');
    std::snprintf(app->DateiFilter, sizeof app->DateiFilter, "*.%s", ziel.c_str() + punkt + 1);

    // Windows that show the file take the new name and column.
    const std::size_t trenner = ziel.find_last_of("\\/");
    const std::string neuerName = trenner == std::string::npos ? ziel : ziel.substr(trenner + 1);
    for (int32_t w = 0; w < 4; ++w) {
        if (!app->GrafikHandles[w]) continue;
        DateiInfo& info = GrafikFenster[w].DateiInfo;
        char pfad[sizeof info.Ordner + sizeof info.DateiName];
        if (!DateiPfad(info, pfad, sizeof pfad) || lstrcmpiA(pfad, quelle.c_str()) != 0) continue;
        std::snprintf(info.DateiName, sizeof info.DateiName, "%s", neuerName.c_str());
        info.Spalten = spalten;
        const int32_t k = info.AlleSpalten[0];
        if (k >= 0 && k + 1 < SPALTEN_LISTE) {
            info.AlleSpalten[k + 1] = spalten;
            info.AlleSpalten[0] = k + 1;
        }
    }
    return 1;
}
