// The command dispatcher of the main window.
#include <cstdio>
#include <cstring>

#include "resource_ids.h"
#include "shell/befehle.h"
#include "shell/haupt_fenster.h"
#include "shell/kind_fenster.h"

namespace {

OPTIONEN_ZIELE OptionenZiele(haupt_fenster& app)
{
    return OPTIONEN_ZIELE{&ExafsOptionen, app.FitErneuerung, app.FitZusatz, &app.KopierGroesse,
                          &app.BinaerSpeichern, app.DateiFilter, sizeof app.DateiFilter,
                          app.DatenOrdner, app.DatenOrdner ? static_cast<size_t>(ORDNER_BYTES) : 0};
}

}  // namespace

void BefehlNichtVerfuegbar(haupt_fenster* app)
{
    if (MakroRunning || app->Meldungsblock.lParam == LP_PREPARED) return;
    char text[120];
    std::snprintf(text, sizeof text, "Command %u is not available in this version of Korlan.",
                  static_cast<unsigned>(app->Meldungsblock.Befehl));
    MeldungsBox(app->Hauptfenster, text, "Sorry!", MB_OK | MB_ICONINFORMATION);
}

LRESULT haupt_fenster::MenueBefehl()
{
    const int32_t id = Meldungsblock.Befehl;
    const LPARAM lParam = Meldungsblock.lParam;

    if (id >= 501 && id <= 599) { NumerikBefehl(this); return 0; }
    if (id >= 601 && id <= 699) { EditBefehl(this); return 0; }
    if (id >= 801 && id <= 899) { XafsBefehl(this); return 0; }
    if (id >= 901 && id <= 999) { XrdBefehl(this); return 0; }

    // The target graphic window: the one the macro player chose, else the
    // graphic window on top.
    int32_t fenster = MakroRunning ? AktivesFenster : GetFensterNummer(GetTopWindow(Hauptfenster));
    if (fenster >= 0) {
        AktivesFenster = fenster;
        if (lParam != LP_PREPARED) std::memset(DialogWerte, 0, sizeof DialogWerte);
    }

    switch (id) {
    case CM_WRITE_OPTIONS: {
        if (fenster < 0 && lParam != LP_SILENT_OPTIONS) break;
        char pfad[MAX_PATH + ORDNER_BYTES];
        ProgrammDatei(pfad, sizeof pfad, "numeric.opt");
        std::FILE* f = std::fopen(pfad, "wt");
        if (!f) break;
        SchreibeOptionen(f, OptionenZiele(*this));
        std::fclose(f);
        break;
    }
    case CM_READ_OPTIONS: {
        if (fenster < 0 && lParam != LP_SILENT_OPTIONS) break;
        char pfad[MAX_PATH + ORDNER_BYTES];
        ProgrammDatei(pfad, sizeof pfad, "numeric.opt");
        std::FILE* f = std::fopen(pfad, "rt");
        if (!f) break;
        LeseOptionen(f, OptionenZiele(*this));
        FitZusatz[0] = FitZusatz[1] = 1;
        std::fclose(f);
        break;
    }
    case CM_EXIT:
        PostMessageA(Hauptfenster, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case CM_HELP_GERMAN:
    case CM_HELP_ENGLISH:
        HilfeDeutsch = HilfeDeutsch ? 0 : 1;
        CheckMenuItem(Hauptmenue, CM_HELP_GERMAN, MF_BYCOMMAND | (HilfeDeutsch ? MF_CHECKED : MF_UNCHECKED));
        CheckMenuItem(Hauptmenue, CM_HELP_ENGLISH, MF_BYCOMMAND | (HilfeDeutsch ? MF_UNCHECKED : MF_CHECKED));
        break;
    case CM_OPEN:
        if (AnzahlFenster >= 4) {
            MeldungsBox(Hauptfenster, "Only four windows available at a time.", "Sorry!",
                        MB_OK | MB_ICONINFORMATION);
            break;
        }
        BefehlNichtVerfuegbar(this);
        break;
    default:
        break;
    }
    return 0;
}
