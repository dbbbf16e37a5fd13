// The commands of the XRD menu (901-999): answered through NichtVerfuegbar
// until the diffraction subsystem is built here.
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"

void XrdBefehl(haupt_fenster* app)
{
    BefehlsFenster(app, true);
    NichtVerfuegbar(app->Meldungsblock.Befehl);
}
