// EXAFS shells with tabulated phases and amplitudes, the gate of the X-ray
// absorption terms and the limits of runaway parameters.
#include "fit/exafs_terms.h"

#include <algorithm>
#include <cmath>

#include "fit/model_terms.h"

double ModellKGewicht = 0.0;
double S0Quadrat = 1.0;
double KantenVorzeichen = -1.0;
double* PhasenTabellen[SHELL_TABLES] = {};
double* AmplitudenTabellen[SHELL_TABLES] = {};
int32_t ShellTabellenPunkte = 0;
int32_t DebyeWallerModell = 0;
double MessTemperatur = 300.0;
double DebyeTemperatur = 400.0;
int32_t MsSigmaRegel = 654;
int32_t MsSigmaAusEinzelpfaden = 0;
int32_t DwPolynomGrad = 2;
int32_t DwPolynomAktiv = 0;
std::vector<double> DwPolynomKoeffizienten(static_cast<std::size_t>(DW_POLYNOM_PAARE) * DW_POLYNOM_ORDNUNGEN, 0.0);

double DwPolynomTabellenWert(int32_t potential, double r)
{
    if (potential < 0 || potential >= DW_POLYNOM_PAARE) return 0.0;
    const int32_t grad = std::min(std::max(DwPolynomGrad, 0), DW_POLYNOM_ORDNUNGEN - 1);
    const double* c = DwPolynomKoeffizienten.data() + static_cast<std::size_t>(potential) * DW_POLYNOM_ORDNUNGEN;
    double summe = 0.0;
    for (int32_t m = grad; m >= 0; --m) summe = summe * r + c[m];
    return summe;
}

namespace {

const double E0_FAKTOR = 0.262451;  // k^2 per eV

int32_t Flag(int32_t j) { return ParameterFlags ? ParameterFlags[j] : 0; }

// Parameters that have run away: inside a fit step those among `zahl`
// whose flag word is 0 are set to 0; elsewhere nothing changes. The
// function contributes nothing in this call either way.
bool Zuruecksetzen(const MODELL_LAUF& l, int32_t q, int32_t zahl)
{
    if (FitSchrittAktiv)
        for (int32_t j = 0; j < zahl; ++j)
            if (Flag(q + j) == 0) l.p[q + j] = 0.0;
    return false;
}

bool Ausgerissen(const double* p, bool weiterAbstand)
{
    return p[2] < -0.01 || (std::fabs(p[1]) > 30.0 && !weiterAbstand) || std::fabs(p[0]) > 200.0;
}

bool ShellTabellen(int32_t i)
{
    return i >= 0 && i < SHELL_TABLES && PhasenTabellen[i] && AmplitudenTabellen[i] &&
           AmplitudenTabellen[i][0] > -10.0 && ShellTabellenPunkte > 0;
}

double ShellWert(const MODELL_LAUF& l, int32_t i, int32_t q, int32_t c, double k, int32_t j)
{
    const double* p = l.p + q;
    if (j < 0 || j >= ShellTabellenPunkte) return 0.0;
    const double r = p[1];
    const double k2 = k * k - E0_FAKTOR * p[3];
    if (r == 0.0 || k2 < 0.0 || (k == 0.0 && ModellKGewicht < 1.0)) return 0.0;
    const double kp = std::sqrt(k2);
    double phase = 2.0 * r * kp + PhasenTabellen[i][j];
    if (c == 16 || c == 18) phase -= 4.0 / 3.0 * p[4] * kp * kp * kp;
    double amplitude = std::pow(k, ModellKGewicht - 1.0) * AmplitudenTabellen[i][j] *
                       std::exp(-2.0 * p[2] * k2) * KantenVorzeichen / (r * r) *
                       std::exp(-2.0 * r / 100000.0);
    if (c == 17) amplitude *= std::exp(2.0 / 3.0 * p[4] * k2 * k2);
    if (c == 18) amplitude *= std::exp(2.0 / 3.0 * p[5] * k2 * k2);
    return amplitude * std::sin(phase) * p[0];
}

}  // namespace

bool ExafsTermeAktiv(const MODELL_LAUF& l)
{
    const uint32_t f = l.u->KurvenFlags;
    if (!(f & 0x10u) && !(f & 0x20u)) return false;
    if ((f & 0x20u) && l.art == 0) return false;
    if (l.art == 3 || l.art == 103) {
        if (l.punktModus || l.n < 1) return false;
        if (l.u->FtUntergrenze > 1.1 * l.xs[0]) return false;
    }
    return true;
}

bool ExafsVorbereiten(MODELL_LAUF& l, int32_t i, int32_t q, int32_t code)
{
    if (code == 26) return LcXanesVorbereiten(l, i, q);
    if (!ExafsTermeAktiv(l)) return false;
    double* p = l.p + q;
    if (code == 17 || code == 18 || code == 23 || code == 24) {
        const int32_t c4 = q + ((code == 17 || code == 23) ? 4 : 5);
        if (std::fabs(l.p[c4]) > 0.01) {
            if (!FitSchrittAktiv || Flag(c4) != 0) return false;
            l.p[c4] = 0.0;
        }
    }
    if (code >= 21) {
        if (Ausgerissen(p, (Flag(q + 1) & PF_WIDE) != 0)) return Zuruecksetzen(l, q, 4);
        return FeffPfadVorbereiten(l, i, q, code);
    }
    if (Ausgerissen(p, false)) return Zuruecksetzen(l, q, 3);
    return ShellTabellen(i);
}

double ExafsWert(const MODELL_LAUF& l, int32_t i, int32_t q, int32_t code, double x, int32_t j)
{
    if (code == 26) return LcXanesWert(l, i, q, j);
    if (code >= 21) return FeffPfadWert(l, i, q, code, x, j);
    return ShellWert(l, i, q, code, x, j);
}

void ExafsFunktionFertig(MODELL_LAUF&, int32_t, int32_t code)
{
    if (code == 26) LcXanesFertig();
}

double BegrenzteTemperatur(double theta, double messTemperatur)
{
    return std::fabs(theta) > 520.0 * messTemperatur ? 400.0 : theta;
}

double FeffAbstand(double parameter, double reff)
{
    return std::fabs(parameter) < 1.0 ? reff + parameter : parameter;
}
