// Writers of the settings files of the program folder.
#include <windows.h>

#include <cstdio>
#include <string>

#include "shell/haupt_fenster.h"
#include "shell/option_dialogs_win.h"
#include "shell/settings.h"
#include "shell/shell_globals.h"

bool ErsetzeDatei(const char* pfad, const std::string& inhalt)
{
    if (!pfad || !*pfad) return false;
    const std::string neu = std::string(pfad) + ".tmp";
    std::FILE* f = std::fopen(neu.c_str(), "wt");
    if (!f) return false;
    bool gut = std::fwrite(inhalt.data(), 1, inhalt.size(), f) == inhalt.size();
    gut = std::fflush(f) == 0 && gut;
    gut = std::fclose(f) == 0 && gut;
    if (gut) gut = MoveFileExA(neu.c_str(), pfad, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!gut) DeleteFileA(neu.c_str());
    return gut;
}

namespace {

bool ErsetzeProgrammDatei(const char* name, const std::string& inhalt)
{
    char pfad[MAX_PATH + ORDNER_BYTES];
    ProgrammDatei(pfad, sizeof pfad, name);
    return ErsetzeDatei(pfad, inhalt);
}

}  // namespace

bool SpeichereNumericIns()
{
    const haupt_fenster& app = HAUPTDATEN;
    return ErsetzeProgrammDatei("numeric.ins", NumericInsText(app.XTextListe ? app.XTextListe : "",
                                                              app.YTextListe ? app.YTextListe : "",
                                                              app.TitelListe ? app.TitelListe : "",
                                                              app.SchriftProfile));
}

bool SpeichereXasERange()
{
    return ErsetzeProgrammDatei("xas_E-range.ins", XasERangeText(ExafsOptionen.EnergieBereich));
}

bool SpeichereBrowserDat()
{
    return ErsetzeProgrammDatei("browser.dat", HAUPTDATEN.BrowserPfad ? HAUPTDATEN.BrowserPfad : "");
}
