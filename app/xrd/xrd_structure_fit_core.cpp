// The structure fit's model: index files and the model with its start
// values. No window code.
#include "xrd/xrd_structure_fit.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "fit/fit_model.h"
#include "xrd/xrd_geometry.h"

const char* const XRD_HKL_VORGABE = "1 0 0\r\n1 1 0\r\n1 1 1\r\n2 1 0\r\n";

int32_t XrdGemerkteParameter = 0;

namespace {

std::string Format(const char* f, int a, int b = 0, int c = 0, int d = 0)
{
    char t[300];
    std::snprintf(t, sizeof t, f, a, b, c, d);
    return t;
}

// The lattice constants that the crystal system leaves free (a, b, c,
// alpha, beta, gamma); the others follow a or are fixed angles.
bool GitterFrei(int32_t system, int32_t j)
{
    static const bool FREI[6][6] = {
        {true, false, false, false, false, false},  // cubic
        {true, false, true, false, false, false},   // tetragonal
        {true, false, true, false, false, false},   // hexagonal
        {true, true, true, false, false, false},    // orthorhombic
        {true, true, true, false, true, false},     // monoclinic
        {true, true, true, true, true, true},       // triclinic
    };
    if (system < 0 || system > 5) system = 5;
    return FREI[system][j];
}

// The cell as the crystal system has it: b (and c) equal to a where the
// system ties them, the fixed angles at 90 or 120 degrees.
void ZelleNachSystem(XrdPhase& rec)
{
    double* g = rec.Gitter;
    switch (rec.Kristallsystem) {
    case 0: g[1] = g[2] = g[0]; g[3] = g[4] = g[5] = 90.0; break;
    case 1: g[1] = g[0]; g[3] = g[4] = g[5] = 90.0; break;
    case 2: g[1] = g[0]; g[3] = g[4] = 90.0; g[5] = 120.0; break;
    case 3: g[3] = g[4] = g[5] = 90.0; break;
    case 4: g[3] = g[5] = 90.0; break;
    default: break;
    }
}

void Begrenzen(int32_t p, double unten, double oben)
{
    ParameterFlags[p] |= PF_CONSTRAINED;
    FitParameters[LowerBoundIndex(p)] = unten;
    FitParameters[UpperBoundIndex(p)] = oben;
}

int32_t Anzahl(int32_t code, int32_t grad) { return FunctionParameterCount(code, grad, 0); }

}  // namespace

int32_t HklTextLesen(const std::string& text, XrdPhase& rec)
{
    std::istringstream s(text);
    std::string zeile;
    int32_t n = 0;
    while (std::getline(s, zeile)) {
        if (zeile.find_first_not_of(" \t\r") == std::string::npos) continue;
        int h = 0, k = 0, l = 0;
        std::sscanf(zeile.c_str(), "%d %d %d", &h, &k, &l);
        if (n < XRD_REFLECTIONS) {
            rec.H[n] = h;
            rec.K[n] = k;
            rec.L[n] = l;
        }
        ++n;
    }
    rec.Reflexe = n < XRD_REFLECTIONS ? n : XRD_REFLECTIONS;
    return n;
}

std::string HklText(const XrdPhase& rec, const char* zeile)
{
    std::string t;
    const int32_t n = rec.Reflexe < XRD_REFLECTIONS ? rec.Reflexe : XRD_REFLECTIONS;
    for (int32_t m = 0; m < n; ++m) t += Format("%d %d %d", rec.H[m], rec.K[m], rec.L[m]) + zeile;
    return t;
}

std::string HklDateiName(const std::string& ordner, int32_t phase)
{
    return ordner + Format("\\hkl_%d.txt", phase + 1);
}

int32_t ReadHklFile(const std::string& ordner, int32_t phase)
{
    if (phase < 0 || phase >= XRD_PHASE_RECORDS) return -1;
    std::ifstream f(HklDateiName(ordner, phase), std::ios::binary);
    if (!f) return -1;
    std::ostringstream t;
    t << f.rdbuf();
    return HklTextLesen(t.str(), XrdPhaseTable[phase]);
}

int32_t WriteHklFile(const std::string& ordner, int32_t phase)
{
    if (phase < 0 || phase >= XRD_PHASE_RECORDS) return 0;
    const std::string text = HklText(XrdPhaseTable[phase], "\n");
    std::FILE* f = std::fopen(HklDateiName(ordner, phase).c_str(), "w");
    if (!f) return 0;
    const bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    return std::fclose(f) == 0 && ok ? 1 : 0;
}

XRD_MODELL_ERGEBNIS XrdModellBauen(const XRD_MODELL_EINGABE& e)
{
    XRD_MODELL_ERGEBNIS r;
    r.Titel = "Error!";
    r.Wellenlaenge = e.Wellenlaenge;
    XrdPhase& satz0 = XrdPhaseTable[0];
    const int32_t phasen = satz0.Phasen < 1 ? 1 : (satz0.Phasen > XRD_PHASE_RECORDS ? XRD_PHASE_RECORDS : satz0.Phasen);
    const bool doppel = satz0.KAlphaAufspaltung != 0;
    const double lambda1 = doppel ? satz0.KAlpha[0] : e.Wellenlaenge;
    if (!FitFunctionTypes || !FitParameters || !ParameterFlags || !FreeParameterList || !CorrelationWords ||
        !CorrelationConstants) {
        r.Meldung = "The window has no fit model.";
        return r;
    }

    // Everything is checked before the model changes.
    std::vector<int32_t> typen;
    if (satz0.NullpunktFrei) typen.push_back(29);
    for (int32_t k = 0; k < phasen; ++k) {
        const int32_t zahl = ReadHklFile(e.Ordner, k);
        if (zahl < 0) {
            r.Meldung = Format("File: hkl_%d.txt was not found!", k + 1);
            return r;
        }
        XrdPhase& rec = XrdPhaseTable[k];
        if (zahl > XRD_REFLECTIONS) {
            r.Meldung = Format("Phase %d holds %d reflections: at most %d fit into a phase.", k + 1, zahl,
                               XRD_REFLECTIONS);
            return r;
        }
        if (zahl == 0) {
            r.Meldung = Format("Phase %d has no reflections (hkl_%d.txt is empty).", k + 1, k + 1);
            return r;
        }
        ZelleNachSystem(rec);
        typen.push_back(30);
        if (rec.Breitengesetz > 0) typen.push_back(31);
        for (int32_t m = 0; m < zahl; ++m) {
            const int32_t h = rec.H[m], kk = rec.K[m], l = rec.L[m];
            if (h == 0 && kk == 0 && l == 0) {
                r.Meldung = Format("h k l #%d is 0 0 0!", m + 1);
                return r;
            }
            for (double lambda : {lambda1, doppel ? satz0.KAlpha[1] : lambda1}) {
                const XrdReflexStatus s = XrdReflexPruefen(lambda, rec.Gitter, h, kk, l);
                if (s == XRD_ZELLE_UNGUELTIG) {
                    r.Meldung = Format("Phase %d: the lattice constants describe no cell.", k + 1);
                    return r;
                }
                if (s != XRD_REFLEX_OK) {
                    r.Meldung = Format("Phase %d: h k l #%d (", k + 1, m + 1) + Format("%d %d %d", h, kk, l) +
                                ") has no diffraction angle at this wavelength.";
                    return r;
                }
            }
            typen.push_back(rec.Profil + 1);
            if (doppel) typen.push_back(rec.Profil + 1);
        }
    }
    const int32_t grad = satz0.UntergrundGrad < 0 ? 0 : satz0.UntergrundGrad;
    if (satz0.Untergrund == 1) typen.push_back(7);
    if (satz0.Untergrund == 2) typen.push_back(32);
    const int32_t anzahl = static_cast<int32_t>(typen.size());
    int32_t parameter = 0;
    for (int32_t t : typen) parameter += Anzahl(t, grad);
    if (CheckModelSize(anzahl, typen.data(), grad, 0) < 0) {
        r.Meldung = Format("The model would need %d parameters: at most %d fit into a fit.", parameter,
                           MAX_MODEL_PARAMETERS);
        return r;
    }

    for (int32_t i = 0; i < anzahl; ++i) FitFunctionTypes[i] = typen[static_cast<std::size_t>(i)];
    FitFunctionCount = anzahl;
    FitPolyDegree = grad;
    ResetModelTables();
    r.Wellenlaenge = lambda1;
    r.LayoutNeu = MaxParameter != XrdGemerkteParameter;
    const bool neu = r.LayoutNeu;

    double* P = FitParameters;
    int32_t q = 0, phase = -1, m = 0;
    for (int32_t i = 0; i < anzahl; ++i) {
        const int32_t code = typen[static_cast<std::size_t>(i)];
        const int32_t zahl = Anzahl(code, grad);
        if (code == 29) {
            P[q] = satz0.Nullpunkt;
        } else if (code == 30) {
            ++phase;
            m = 0;
            const XrdPhase& rec = XrdPhaseTable[phase];
            for (int32_t j = 0; j < 6; ++j) {
                P[q + j] = rec.Gitter[j];
                if (!GitterFrei(rec.Kristallsystem, j)) FixParameter(q + j);
            }
        } else if (code == 31) {
            for (int32_t j = 0; j < 3; ++j) P[q + j] = XrdPhaseTable[phase].UVW[j];
        } else if (code == 7 || code == 32) {
            if (neu)
                for (int32_t j = 0; j < zahl; ++j) P[q + j] = 0.0;
        } else {
            const XrdPhase& rec = XrdPhaseTable[phase];
            const double* g = rec.Gitter;
            const double* uvw = rec.UVW;
            const int32_t gesetz = rec.Breitengesetz;
            const double pos =
                BraggWinkel(lambda1, g[0], g[1], g[2], g[3], g[4], g[5], rec.H[m], rec.K[m], rec.L[m], 1);
            P[q + 1] = pos;
            FixParameter(q + 1);
            if (neu) {
                double h = e.Punkte > 0 && e.y ? e.y[0] : 0.0;
                for (int32_t j = 0; j < e.Punkte; ++j)
                    if (e.x[j] < pos) h = e.y[j];
                P[q] = h;
            }
            Begrenzen(q, 0.0, 1e20);
            if (gesetz == 0) {
                if (neu || !(P[q + 2] >= 0.01 && P[q + 2] <= 3.0))
                    P[q + 2] = uvw[2] > 0.01 && uvw[2] < 2.0 ? uvw[2] : 0.5;
            } else {
                P[q + 2] = XrdFwhm(uvw[0], uvw[1], uvw[2], pos, gesetz);
                FixParameter(q + 2);
            }
            if (code == 3) {
                if (!(P[q + 3] >= 0.0 && P[q + 3] <= 1.0)) P[q + 3] = 0.0;
                Begrenzen(q + 3, 0.0, 1.0);
            } else if (code == 2) {
                if (!(P[q + 3] >= 1.0 && P[q + 3] <= 3.0)) P[q + 3] = 1.0;
                Begrenzen(q + 3, 0.1, 3.0);
            }
            if (doppel) {
                const int32_t q2 = q + zahl;
                const double pos2 =
                    BraggWinkel(satz0.KAlpha[1], g[0], g[1], g[2], g[3], g[4], g[5], rec.H[m], rec.K[m], rec.L[m], 1);
                P[q2 + 1] = pos2;
                FixParameter(q2 + 1);
                if (neu) P[q2] = 0.5 * P[q];
                FixParameter(q2);
                const bool breiteFrei = !(ParameterFlags[q + 2] & PF_FIXED);
                P[q2 + 2] = gesetz == 0 || breiteFrei ? P[q + 2] : XrdFwhm(uvw[0], uvw[1], uvw[2], pos2, gesetz);
                FixParameter(q2 + 2);
                if (code != 1) {
                    P[q2 + 3] = P[q + 3];
                    FixParameter(q2 + 3);
                }
                q = q2;
                ++i;
            }
            ++m;
        }
        q += zahl;
    }
    r.Status = 1;
    return r;
}
