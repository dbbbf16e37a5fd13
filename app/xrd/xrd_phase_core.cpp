#include "xrd/xrd_phase.h"

XrdPhase XrdPhaseTable[XRD_PHASE_RECORDS] = {};

void XrdPhasenVorgaben()
{
    for (int i = 0; i < XRD_PHASE_RECORDS; ++i) {
        XrdPhase& p = XrdPhaseTable[i];
        p = XrdPhase{};
        p.Kristallsystem = 0;
        p.Reflexe = -1;
        p.Profil = 0;
        p.Phasen = 1;
        p.UntergrundGrad = 0;
        p.Breitengesetz = 1;
        p.Untergrund = 1;
        p.Gitter[0] = p.Gitter[1] = p.Gitter[2] = 5.21;
        p.Gitter[3] = p.Gitter[4] = p.Gitter[5] = 90.0;
        p.Abschneidefaktor = 5.0;
        p.UVW[0] = 0.0;
        p.UVW[1] = 0.0;
        p.UVW[2] = 0.1;
        p.KAlpha[0] = 154.06;
        p.KAlpha[1] = 154.44;
        p.NullpunktFrei = 1;
        p.KAlphaAufspaltung = 0;
        p.Abschneiden = 0;
    }
}
