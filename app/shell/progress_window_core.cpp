#include "shell/progress_window.h"

#include <cmath>

bool ProgressBalken(int32_t breite, int32_t hoehe, double unten, double oben, double aktuell,
                    BALKEN_RECHTECK* r)
{
    const double spanne = oben - unten;
    if (!(spanne != 0.0) || !std::isfinite(spanne) || !std::isfinite(aktuell)) return false;
    double anteil = (aktuell - unten) / spanne;
    if (!std::isfinite(anteil)) return false;
    if (anteil < 0.0) anteil = 0.0;
    if (anteil > 1.0) anteil = 1.0;
    r->Links = breite / 5;
    r->Oben = hoehe / 5;
    r->Rechts = breite / 5 + static_cast<int32_t>(3.0 * breite / 5.0 * anteil);
    r->Unten = 3 * hoehe / 5;
    return true;
}

BALKEN_RECHTECK ProgressRahmen(int32_t breite, int32_t hoehe)
{
    return {breite / 5 - 1, hoehe / 5 - 1, 4 * breite / 5 + 1, 3 * hoehe / 5 + 1};
}
