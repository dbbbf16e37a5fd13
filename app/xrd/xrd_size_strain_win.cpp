// The size and strain table at the end of a structure fit.
#include <windows.h>

#include <string>

#include "shell/haupt_fenster.h"
#include "shell/shell_globals.h"
#include "xrd/xrd_phase.h"
#include "xrd/xrd_size_strain.h"

void WritePhaseSizeStrain(int32_t)
{
    haupt_fenster& app = HAUPTDATEN;
    const std::vector<std::string> tabellen =
        XrdPhasenTabellen(CommandArgs, app.Roentgenwellenlaenge, XrdPhaseTable[0].KAlphaAufspaltung != 0);
    std::string fehler;
    const std::string ordner = app.DatenOrdner && *app.DatenOrdner ? app.DatenOrdner : ".";
    if (XrdPhasenTabellenSchreiben(ordner, tabellen, &fehler) < static_cast<int32_t>(tabellen.size())) {
        const std::string text = "The size and strain table could not be written:\r\n" + fehler;
        MeldungsBox(app.Hauptfenster, text.c_str(), "Error!", MB_OK | MB_ICONEXCLAMATION);
    }
}
