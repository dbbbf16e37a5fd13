// The XRD structure terms of the evaluator: the zero shift, the lattice
// constants that place the peaks of a phase, the UVW law that gives their
// widths, K-alpha2 partners and the cut-off of far peaks.
#include <cmath>
#include <cstddef>

#include "fit/model_terms.h"
#include "xrd/xrd_geometry.h"
#include "xrd/xrd_phase.h"

namespace {

int32_t Flag(int32_t j) { return ParameterFlags ? ParameterFlags[j] : 0; }

bool IstAn(const MODELL_LAUF& l, int32_t i) { return i < l.anzahl && l.typen[i] > 0 && l.typen[i] < 100; }

// The last angle of every reflection of every phase and wavelength line:
// the fit evaluates the model point by point, and the cell changes only
// between evaluations, so each angle is computed once per cell instead of
// once per point.
struct Winkel {
    double lambda = 0.0;
    double zelle[6] = {};
    int32_t h = 0, k = 0, l = 0;
    double wert = 0.0;
    bool da = false;
};
Winkel WinkelSpeicher[XRD_PHASE_RECORDS][2][XRD_REFLECTIONS];

double GespeicherterWinkel(const XrdPhase& rec, int32_t linie, double lambda, int32_t m)
{
    const double* g = rec.Gitter;
    const std::ptrdiff_t phase = &rec - XrdPhaseTable;
    if (phase < 0 || phase >= XRD_PHASE_RECORDS || m < 0 || m >= XRD_REFLECTIONS)
        return BraggWinkel(lambda, g[0], g[1], g[2], g[3], g[4], g[5], rec.H[m], rec.K[m], rec.L[m], 1);
    Winkel& w = WinkelSpeicher[phase][linie][m];
    bool gleich = w.da && w.lambda == lambda && w.h == rec.H[m] && w.k == rec.K[m] && w.l == rec.L[m];
    for (int32_t j = 0; j < 6 && gleich; ++j) gleich = w.zelle[j] == g[j];
    if (gleich) return w.wert;
    w.wert = BraggWinkel(lambda, g[0], g[1], g[2], g[3], g[4], g[5], rec.H[m], rec.K[m], rec.L[m], 1);
    w.lambda = lambda;
    for (int32_t j = 0; j < 6; ++j) w.zelle[j] = g[j];
    w.h = rec.H[m];
    w.k = rec.K[m];
    w.l = rec.L[m];
    w.da = true;
    return w.wert;
}

// Gives the peaks that follow function `start` (parameters from r) their
// positions from the cell (when `zelle`) and their widths from the UVW law
// (when `uvw`); each peak's K-alpha2 partner follows it when doublets are on.
void PeaksSetzen(MODELL_LAUF& l, const XrdPhase& rec, int32_t start, int32_t r, bool zelle, bool uvw)
{
    double* p = l.p;
    const XrdPhase& satz0 = XrdPhaseTable[0];
    auto winkel = [&](double lambda, int32_t m) {
        return GespeicherterWinkel(rec, lambda == l.u->Wellenlaenge ? 0 : 1, lambda, m);
    };
    auto breite = [&](double position) {
        return XrdFwhm(rec.UVW[0], rec.UVW[1], rec.UVW[2], position, rec.Breitengesetz);
    };
    int32_t m = 0;
    for (int32_t f = start; f < l.anzahl;) {
        const int32_t code = l.typen[f];
        if (code > 3 || code <= 0) break;
        const bool miller = m < XRD_REFLECTIONS && (rec.H[m] != 0 || rec.K[m] != 0 || rec.L[m] != 0);
        if (zelle && miller && (Flag(r + 1) & PF_FIXED)) p[r + 1] = winkel(l.u->Wellenlaenge, m);
        if (uvw && (Flag(r + 2) & PF_FIXED)) p[r + 2] = breite(p[r + 1]);
        const int32_t peak = r;
        r += code == 1 ? 3 : 4;
        ++f;
        if (satz0.KAlphaAufspaltung && f < l.anzahl && l.typen[f] >= 1 && l.typen[f] <= 3) {
            const int32_t partner = l.typen[f];
            if (zelle && miller && (Flag(r + 1) & PF_FIXED)) p[r + 1] = winkel(satz0.KAlpha[1], m);
            if (Flag(r + 2) & PF_FIXED) p[r + 2] = uvw ? breite(p[r + 1]) : p[peak + 2];
            if (Flag(r) & PF_FIXED) p[r] = p[peak] / 2.0;
            if (partner != 1 && code != 1 && (Flag(r + 3) & PF_FIXED)) p[r + 3] = p[peak + 3];
            r += partner == 1 ? 3 : 4;
            ++f;
        }
        ++m;
    }
}

}  // namespace

bool XrdAbschneidenPrueft(const MODELL_LAUF& l, int32_t q, double x)
{
    const XrdPhase& satz0 = XrdPhaseTable[0];
    const int32_t erste = Grundcode(l.typen[0]);
    if (!satz0.Abschneiden || (erste != 29 && erste != 30)) return true;
    const double mitte = l.p[q + 1] + l.nullpunkt;
    return std::fabs(x - mitte) <= std::fabs(l.p[q + 2] * satz0.Abschneidefaktor);
}

void XrdVorbereiten(MODELL_LAUF& l, int32_t i, int32_t q, int32_t code)
{
    double* p = l.p + q;
    if (code == 29) {
        l.nullpunkt = p[0];
        XrdPhaseTable[0].Nullpunkt = p[0];
        return;
    }
    if (code == 30) ++l.phase;
    const bool aktiv = IstAn(l, i) && IstAn(l, i + 1);
    if (code == 31 && l.uvwGenommen) {
        l.uvwGenommen = false;
        return;
    }
    if (!aktiv) return;
    const int32_t k = l.phase < 0 ? 0 : l.phase;
    if (k >= XRD_PHASE_RECORDS) return;
    XrdPhase& rec = XrdPhaseTable[k];
    if (code == 31) {
        for (int32_t j = 0; j < 3; ++j) rec.UVW[j] = p[j];
        PeaksSetzen(l, rec, i + 1, q + 3, false, true);
        return;
    }
    // Lattice constants tied to the crystal system, also in the block.
    const int32_t system = rec.Kristallsystem;
    if (system == 0) p[1] = p[2] = p[0];
    if (system == 1 || system == 2) p[1] = p[0];
    for (int32_t j = 0; j < 3; ++j) rec.Gitter[j] = p[j];
    if (system == 4) rec.Gitter[4] = p[4];
    if (system == 5)
        for (int32_t j = 3; j < 6; ++j) rec.Gitter[j] = p[j];
    bool uvw = false;
    int32_t r = q + 6;
    int32_t start = i + 1;
    if (l.typen[i + 1] == 31) {
        for (int32_t j = 0; j < 3; ++j) rec.UVW[j] = p[6 + j];
        uvw = true;
        l.uvwGenommen = true;
        r = q + 9;
        start = i + 2;
    }
    PeaksSetzen(l, rec, start, r, true, uvw);
}
