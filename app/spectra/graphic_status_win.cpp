// What the shell reads of a graphic-window record for its menus and its
// status line.
#include <cstdio>

#include "fit/fit_model.h"
#include "fit/fit_run.h"
#include "shell/haupt_fenster.h"
#include "shell/menu_rules.h"
#include "spectra/spectra_globals.h"

bool GrafikMenueZustand(int32_t fenster, MENUE_ZUSTAND* z)
{
    if (fenster < 0 || fenster > 3 || !z || !HAUPTDATEN.GrafikHandles[fenster]) return false;
    grafik_fenster& g = GrafikFenster[fenster];
    if (!g.GetXFeld(-1)) return false;
    z->Daten = g.ZeigeDaten != 0;
    z->Funktion = g.ZeigeFunktion != 0;
    z->Typ = (g.FunktionsTypen && g.AnzahlFunktionen > 0) ? g.FunktionsTypen[0] : 0;
    z->Zaehler = g.KurvenZaehler;
    z->Neuester = g.NeuesterZaehler;
    z->SlotFlags = static_cast<int32_t>(g.KurvenFlags[g.AktuellerSlot()]);
    z->ImagGezeichnet = g.Paintinfo.KomplexImag != 0;
    z->Spalten = g.DateiInfo.Spalten;
    z->Wiederherstellbar =
        g.FunktionsTypen && StartwerteFuer(fenster, g.Parameter,
                                           CheckModelSize(g.AnzahlFunktionen, g.FunktionsTypen, g.PolyGrad,
                                                          SplineKnotCount));
    return true;
}

void StatusText400(char* aus, size_t groesse, double xErstes, double xLetztes, double yMin,
                   double yMax, int32_t punkte)
{
    std::snprintf(aus, groesse, "   X :  %.5G  to  %.5G  |  Y :  %.5G  to  %.5G  |  No :  %d",
                  xErstes, xLetztes, yMin, yMax, static_cast<int>(punkte));
}
