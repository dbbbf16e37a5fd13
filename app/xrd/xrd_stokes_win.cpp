// Command 905: the Stokes deconvolution of the active window's pattern by
// an instrument pattern read from a file.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "spectra/ascii_file.h"
#include "spectra/file_commands.h"
#include "spectra/file_commands_win.h"
#include "spectra/spectra_globals.h"
#include "spectra/spectrum_file.h"
#include "xrd/xrd_stokes.h"
#include "xrd/xrd_stokes_win.h"

namespace {

const int32_t FEHLER_MAKRO = 1000;
std::string LetztesInstrument;

// A refused replay step stops the macro here.
void Stopp(int32_t mode)
{
    if (mode < 0) FehlerCode = FEHLER_MAKRO;
}

}  // namespace

int32_t StokesDeconvolution(int32_t mode)
{
    haupt_fenster& app = HAUPTDATEN;
    const int32_t w = AktivesFenster;
    if (w < 0 || w > 3) return 1;
    grafik_fenster& g = GrafikFenster[w];
    const int32_t n = g.Punkte();
    if (n < 1 || !g.GetXFeld(-1)) return 1;

    std::string pfad;
    if (mode < 0) {
        pfad = CommandText2 ? CommandText2 : "";
        while (!pfad.empty() && (pfad.back() == '\n' || pfad.back() == '\r')) pfad.pop_back();
    } else {
        std::vector<char> puffer(DATEI_NAME_PUFFER, 0), titel(DATEI_TITEL_PUFFER, 0);
        if (!FileDialog(app.Hauptfenster, puffer.data(), titel.data(), 100, 1)) return 1;
        pfad = puffer.data();
    }
    DateiInfo info;
    DateiInfoLeeren(&info);
    if (!OeffneDateiGeprueft(pfad.c_str(), &info)) {
        // The check keeps quiet while a macro plays; the replay stops with
        // the same words.
        if (MakroRunning)
            MeldungsBox(app.Hauptfenster, "File could not be opened!", "ERROR !!", MB_OK | MB_ICONSTOP);
        Stopp(mode);
        return 1;
    }
    SpektrumDaten instrument;
    int32_t fehler = 0;
    const int32_t m = LeseSpektrum(&info, &instrument, nullptr, nullptr, &fehler);
    std::vector<double> xo, yo;
    HCURSOR alt = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    const bool ok = m >= 2 && XrdStokes(Numerik, g.GetXFeld(-1), g.GetYFeld(-1), n, instrument.x.data(),
                                        instrument.y.data(), m, xo, yo);
    SetCursor(alt);
    if (!ok) {
        MeldungsBox(app.Hauptfenster,
                    "The instrument file holds no usable pattern\r\n(at least 2 points with rising x).",
                    "ERROR !!", MB_OK | MB_ICONSTOP);
        Stopp(mode);
        return 1;
    }
    if (g.CutSection(0, 0.0, 0.0, 0) <= 0) return 1;
    double* x = g.GetXFeld(-1);
    double* y = g.GetYFeld(-1);
    const int32_t k = g.Punkte() < n ? g.Punkte() : n;
    for (int32_t i = 0; i < k; ++i) {
        x[i] = xo[static_cast<std::size_t>(i)];
        y[i] = yo[static_cast<std::size_t>(i)];
    }
    g.SetFullBorder();
    if (mode == 0 && CommandText2) std::snprintf(CommandText2, 5000, "%s", pfad.c_str());
    LetztesInstrument = pfad;
    return 2;
}

const char* StokesInstrument() { return LetztesInstrument.c_str(); }
