// Phases and amplitudes of one shell: the unwrapped total phase, the
// reduction with N and R, the branch check and the history text.
#include "xas/phases_amplitudes.h"

#include <cmath>
#include <cstdio>

namespace {

const double PI = 3.14159265358979323846;

}  // namespace

std::vector<double> GesamtPhase(const double* re, const double* im, int32_t n, double kante)
{
    std::vector<double> p(n > 0 ? n : 0, 0.0);
    int32_t viertel = -1, lauf = 0;
    for (int32_t i = 0; i < n; ++i) {
        if (re[i] == 0.0 && im[i] == 0.0) {
            // No phase at a zero of the signal.
            p[i] = i > 0 ? p[i - 1] : 0.0;
            continue;
        }
        const double a = std::atan(im[i] / re[i]);
        const double d = std::fabs(-PI / 2.0 - a);
        p[i] = a;
        if (a < 0.0) {
            if (++lauf == 1) viertel += 2;
            p[i] = viertel * PI / 2.0 + d;
        } else if (viertel >= 1) {
            lauf = 0;
            p[i] = viertel * PI / 2.0 + d;
        }
    }
    if (kante > 0.0)
        for (double& v : p) v -= PI;
    return p;
}

int32_t FalscheVorzeichen(const double* k, const double* re, const double* a, const double* p,
                          int32_t n, double r, double kante)
{
    int32_t falsch = 0;
    double m = 0.0;
    for (int32_t i = 0; i < n; ++i) {
        if (k[i] != 0.0) m = kante / k[i] * a[i] * std::sin(2.0 * k[i] * r + p[i]);
        if (re[i] != 0.0 && m / re[i] < 0.0) ++falsch;
    }
    return falsch;
}

void PhasenAmplitudenKomplex(const double* k, const double* re, const double* im, int32_t n,
                             const PA_EINSTELLUNG& e, PA_ERGEBNIS* r)
{
    *r = PA_ERGEBNIS{};
    if (n < 1) return;
    r->Amplitude.resize(n);
    for (int32_t i = 0; i < n; ++i) r->Amplitude[i] = std::sqrt(re[i] * re[i] + im[i] * im[i]);
    r->Phase = GesamtPhase(re, im, n, e.Kante);
    if (!e.Modifiziert) return;

    for (int32_t i = 0; i < n; ++i) {
        if (k[i] != 0.0) r->Amplitude[i] = k[i] * r->Amplitude[i] * e.R * e.R / e.N;
        r->Phase[i] -= 2.0 * e.R * k[i];
    }
    r->ZweigGeprueft = true;
    std::vector<double>& p = r->Phase;
    while (FalscheVorzeichen(k, re, r->Amplitude.data(), p.data(), n, e.R, e.Kante) * 100 / n >= 40) {
        if (r->Viertel == PA_MAX_VIERTEL) {
            // A full turn gave no consistent branch: the phase as it was.
            for (double& v : p) v += PA_MAX_VIERTEL * PI / 2.0;
            r->Viertel = 0;
            r->ZweigGefunden = false;
            return;
        }
        for (double& v : p) v -= PI / 2.0;
        ++r->Viertel;
    }
}

std::vector<double> PhasenAmplitudenReell(const double* k, const double* y, int32_t n,
                                          const PA_EINSTELLUNG& e, int32_t art)
{
    std::vector<double> aus(y, y + (n > 0 ? n : 0));
    for (int32_t i = 0; i < n; ++i) {
        if (art > 0) {
            if (k[i] != 0.0) aus[i] = k[i] * aus[i] * e.R * e.R / e.N;
        } else {
            aus[i] -= 2.0 * e.R * k[i] + PI;
            if (e.Kante > 0.0) aus[i] -= PI;
        }
    }
    return aus;
}

std::string PhasenAmplitudenHistorie(const char* dateiName, int32_t slot, const double* dw,
                                     const std::string& gespeichert, bool zweigAufgegeben)
{
    char zeile[600];
    std::string t = "--: ";
    t += dateiName ? dateiName : "";
    std::snprintf(zeile, sizeof zeile, " --XAS-PHASE AND AMPLITUDE DETERMINATION  -  ( active : %d )\r\n", slot);
    t += zeile;
    if (dw[0] > 1.0) {
        std::snprintf(zeile, sizeof zeile,
                      "    modified phase und amplitude.\r\n      coordination number N : %.8G\r\n"
                      "      distance R            : %.8G\r\n",
                      dw[1], dw[2]);
        t += zeile;
        t += dw[3] < 1.0 ? "      K-, L1-Edge\r\n" : "      L2-, L3-Edge\r\n";
    } else {
        t += "    phase and amplitude determined.\r\n";
    }
    if (zweigAufgegeben)
        t += "    no consistent branch of the phase after four quarter turns: phase kept as determined.\r\n";
    if (!gespeichert.empty()) {
        std::snprintf(zeile, sizeof zeile, "    phase and amplitude saved as %s and -.amp\r\n", gespeichert.c_str());
        t += zeile;
    } else {
        t += "    phase und amplitude not saved !\r\n";
    }
    return t;
}
