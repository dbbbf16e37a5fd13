// The model callback as the program installs it: the surroundings come
// from the active graphic window and the application object.
#include "fit/model_function.h"
#include "shell/dispatcher.h"
#include "shell/haupt_fenster.h"
#include "spectra/spectra_globals.h"

namespace {

void AktivesUmfeld(MODELL_UMFELD& u)
{
    u = MODELL_UMFELD{};
    u.Numerik = &Numerik;
    u.Wellenlaenge = HAUPTDATEN.Roentgenwellenlaenge;
    u.FeffSaetze = HAUPTDATEN.FeffSatzAnzahl;
    u.Ergebnisse = CommandArgs;
    if (AktivesFenster < 0 || AktivesFenster > 3) return;
    grafik_fenster& g = GrafikFenster[AktivesFenster];
    const int32_t slot = g.AktuellerSlot();
    u.KurvenFlags = g.KurvenFlags[slot];
    if (g.XFeld[slot] && g.Punkte() > 0 && g.Punkte() <= g.FeldGroesse()) {
        u.KurveX = g.XFeld[slot];
        u.KurvenPunkte = g.Punkte();
    }
}

}  // namespace

double ModellFunktion(double x, double index, double* xs, double* ys, int32_t n)
{
    MODELL_UMFELD u;
    AktivesUmfeld(u);
    return ModellAuswerten(u, x, index, xs, ys, n);
}

void GetModellMinMax(double* minimum, double* maximum, double xUnten, double xOben)
{
    MODELL_UMFELD u;
    AktivesUmfeld(u);
    ModellMinMax(u, HAUPTDATEN.ModellCallback ? HAUPTDATEN.ModellCallback : ModellFunktion, minimum,
                 maximum, xUnten, xOben);
}
