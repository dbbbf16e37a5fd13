#include "xrd/xrd_auto_fit.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "fit/fit_model.h"
#include "fit/report_text.h"
#include "xrd/xrd_peak_search.h"

namespace {

const int32_t GESICHERT = 1000;  // parameter values and flags kept aside

// The library's registration, put back after the fit.
struct NumerikZustand {
    def_zelva& z;
    double* x; double* y; double* diff; double* par; int32_t* flags; int32_t* liste;
    int32_t* corrFlags; double* corrWerte; ModellCallback f; ChiQuadratCallback chi;
    int32_t anzahl, maxPar, maxFit, useChi;
    explicit NumerikZustand(def_zelva& n)
        : z(n), x(n.xField), y(n.yField), diff(n.difference), par(n.parameter), flags(n.parameterFlags),
          liste(n.fitListe), corrFlags(n.correlationFlags), corrWerte(n.correlationValues), f(n.function),
          chi(n.fitProcedure), anzahl(n.anzahl), maxPar(n.maxParameter), maxFit(n.maxFitParameter),
          useChi(n.useFitProcedure) {}
    ~NumerikZustand()
    {
        z.SetField(x, y);
        z.SetParameterDifference(par, diff, flags, liste);
        z.SetParameterCorrelation(corrFlags, corrWerte);
        z.SetFunction(f);
        z.SetFitProcedure(useChi, chi);
        z.anzahl = anzahl;
        z.maxParameter = maxPar;
        z.maxFitParameter = maxFit;
    }
};

// The working model as it stood, put back at the end.
struct ModellSicherung {
    int32_t anzahl, grad, maxPar, maxFit;
    std::vector<int32_t> typen, flags, liste, worte;
    std::vector<double> werte, konstanten;
    ModellSicherung()
        : anzahl(FitFunctionCount), grad(FitPolyDegree), maxPar(MaxParameter), maxFit(MaxFitParameter),
          typen(FitFunctionTypes, FitFunctionTypes + FitFunctionCount),
          flags(ParameterFlags, ParameterFlags + GESICHERT),
          liste(FreeParameterList, FreeParameterList + RESET_ENTRIES),
          worte(CorrelationWords, CorrelationWords + RESET_ENTRIES),
          werte(FitParameters, FitParameters + GESICHERT),
          konstanten(CorrelationConstants, CorrelationConstants + RESET_ENTRIES) {}
    void Zurueck() const
    {
        std::copy(typen.begin(), typen.end(), FitFunctionTypes);
        std::copy(flags.begin(), flags.end(), ParameterFlags);
        std::copy(liste.begin(), liste.end(), FreeParameterList);
        std::copy(worte.begin(), worte.end(), CorrelationWords);
        std::copy(werte.begin(), werte.end(), FitParameters);
        std::copy(konstanten.begin(), konstanten.end(), CorrelationConstants);
        FitFunctionCount = anzahl;
        FitPolyDegree = grad;
        MaxParameter = maxPar;
        MaxFitParameter = maxFit;
    }
};

void Begrenzen(int32_t p, double unten, double oben)
{
    ParameterFlags[p] = PF_CONSTRAINED;
    FitParameters[LowerBoundIndex(p)] = unten;
    FitParameters[UpperBoundIndex(p)] = oben;
}

}  // namespace

bool XrdAutoPeakFitKern(const AutoFitLauf& lauf, AutoFitErgebnis& ergebnis)
{
    ergebnis = AutoFitErgebnis{};
    if (!lauf.Numerik || !lauf.X || !lauf.Y || FitFunctionCount < 2 || !FitFunctionTypes) return false;
    const int32_t typ = FitFunctionTypes[0];
    const int32_t profil = PeakProfilVonTyp(typ);
    const int32_t s = PeakStride(profil);
    const int32_t peaks = FitFunctionCount - 1;
    if (s == 0 || peaks * s > GESICHERT) return false;
    for (int32_t i = 0; i < peaks; ++i)
        if (FitFunctionTypes[i] != typ) return false;

    def_zelva& z = *lauf.Numerik;
    NumerikZustand registrierung(z);
    const ModellSicherung alt;
    std::vector<double> werte = alt.werte;  // receives the fitted peaks
    ergebnis.Peaks = peaks;
    ergebnis.Datei = "#  XRD auto peak fit routine, Korlan v2.0, 2000\n\n";

    auto fenster = [&](int32_t c, double& unten, double& oben) {
        const double pos = werte[c * s + 1], w = werte[c * s + 2];
        unten = pos - 7.0 * w;
        oben = pos + 7.0 * w;
        return std::isfinite(unten) && std::isfinite(oben) && oben > unten;
    };

    int32_t c = 0;
    while (c < peaks) {
        double unten, oben;
        if (!fenster(c, unten, oben)) {
            unten = oben = werte[c * s + 1];
        }
        int32_t g = 1;
        while (c + g < peaks) {
            double u2, o2;
            if (!fenster(c + g, u2, o2) || u2 >= oben) break;
            oben = std::max(oben, o2);
            ++g;
        }
        std::vector<double> gx, gy;
        for (int32_t j = 0; j < lauf.N; ++j)
            if (lauf.X[j] > unten && lauf.X[j] < oben) {
                gx.push_back(lauf.X[j]);
                gy.push_back(lauf.Y[j]);
            }
        if (gx.empty()) {
            for (int32_t k = 0; k < g; ++k) {
                ergebnis.Liste += Format("#%-2d\t%#10.6G\tskipped: no point of the pattern within its window\r\n",
                                         static_cast<int>(c + k + 1), werte[(c + k) * s + 1]);
                ergebnis.Datei += Format("# peak %d at %.10E skipped: no point within its window\n",
                                         static_cast<int>(c + k + 1), werte[(c + k) * s + 1]);
            }
            ergebnis.Uebersprungen += g;
            c += g;
            continue;
        }
        ++ergebnis.Gruppen;

        // The group's model: its peaks and a local straight background.
        const int32_t np = g * s;
        for (int32_t k = 0; k < g; ++k) FitFunctionTypes[k] = typ;
        FitFunctionTypes[g] = 7;
        FitFunctionCount = g + 1;
        FitPolyDegree = 1;
        for (int32_t i = 0; i < np; ++i) FitParameters[i] = werte[c * s + i];
        FitParameters[np] = 0.0;
        FitParameters[np + 1] = 0.0;
        ResetModelTables();
        for (int32_t k = 0; k < g; ++k) {
            if (profil == PROFIL_PSEUDO_VOIGT) Begrenzen(k * s + 4, 0.0, 1.0);
            if (profil == PROFIL_PEARSON7) {
                Begrenzen(k * s + 3, 0.0, 10.0);
                Begrenzen(k * s + 5, 0.0, 10.0);
            }
        }
        std::vector<double> differenz(gx.size() + 2, 0.0);
        z.SetField(gx.data(), gy.data());
        z.SetAnzahl(static_cast<int32_t>(gx.size()), np + 1, np + 1);
        z.SetParameterDifference(FitParameters, differenz.data(), ParameterFlags, FreeParameterList);
        z.SetParameterCorrelation(CorrelationWords, CorrelationConstants);
        z.SetFunction(lauf.Modell);
        z.SetFitProcedure(0, nullptr);
        if (lauf.NachAufbau) lauf.NachAufbau(ergebnis.Gruppen);

        double r = 0.0, chi2 = 0.0;
        int32_t iterationen = 0, zustand = 1, aufrufe = 0;
        while (zustand == 1 && aufrufe < AUTO_FIT_AUFRUFE) {
            zustand = z.LeastSquareFit(r, chi2, iterationen);
            ++aufrufe;
        }
        bool gut = zustand == -1;
        for (int32_t i = 0; i < np && gut; ++i) gut = std::isfinite(FitParameters[i]);
        if (gut)
            for (int32_t i = 0; i < np; ++i) werte[c * s + i] = FitParameters[i];
        else
            ergebnis.Fehlgeschlagen += g;

        for (int32_t k = 0; k < g; ++k) {
            const double* p = &werte[(c + k) * s];
            const int nummer = static_cast<int>(c + k + 1);
            if (gut) {
                if (profil == PROFIL_GAUSS)
                    ergebnis.Datei += Format("%.10E  %.10E  %.10E  %.10E\n", p[1], p[0], p[2], r);
                else if (profil == PROFIL_PSEUDO_VOIGT)
                    ergebnis.Datei += Format("%.10E  %.10E  %.10E  %.10E  %.10E  %.10E\n", p[1], p[0], p[2], p[3], p[4], r);
                else
                    ergebnis.Datei += Format("%.10E  %.10E  %.10E  %.10E  %.10E  %.10E  %.10E\n", p[1], p[0], p[2], p[3],
                                             p[4], p[5], r);
            } else {
                ergebnis.Datei += Format("# peak %d at %.10E: fit failed, the search's values kept\n", nummer, p[1]);
            }
            std::string zeile = Format("#%-2d\t%#10.6G\t%#10.6G\t%#10.6G", nummer, p[0], p[1], p[2]);
            if (profil == PROFIL_PEARSON7) zeile += Format("\t%#10.6G\t%#10.6G\t%#10.6G", p[3], p[4], p[5]);
            if (profil == PROFIL_PSEUDO_VOIGT) zeile += Format("\t%#10.6G\t%#10.6G", p[3], p[4]);
            zeile += gut ? Format("\t%-2d\t%#10.6G\r\n", static_cast<int>(iterationen), r) : std::string("\tfailed\r\n");
            ergebnis.Liste += zeile;
        }
        c += g;
    }

    alt.Zurueck();
    for (int32_t i = 0; i < peaks * s; ++i) FitParameters[i] = werte[i];
    return true;
}
