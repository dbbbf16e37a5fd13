// The fit report: the status text of the finished fit completed by the
// errors, statistics, areas, breadths and the correlation matrix.
#include "fit/fit_report.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <vector>

#include "fit/fit_model.h"
#include "fit/model_function.h"
#include "fit/report_text.h"
#include "xas/feff_path.h"

double FeffPfadFlaechen[FEFF_FLAECHEN] = {};

namespace {

const double PI = 3.14159265358979323846;
const double RAD = PI / 180.0;
const std::size_t STATUS_LESEN = 25000;

struct Texte {
    std::string& kurz;
    std::string& lang;
    void Beide(const std::string& t) { kurz += t; lang += t; }
    bool Frei() const { return lang.size() < FIT_TEXT_GRENZE; }
    void LangBegrenzt(const std::string& t) { if (Frei()) lang += t; }
};

int32_t Typ(int32_t i)
{
    const int32_t t = FitFunctionTypes[i];
    return t > 100 ? t - 100 : t;
}

std::string Ohne2(std::string z)
{
    z.resize(z.size() >= 2 ? z.size() - 2 : 0);
    return z;
}

std::string Auffuellen(std::string z, std::size_t breite)
{
    if (z.size() < breite) z.append(breite - z.size(), ' ');
    return z;
}

// The words of the fit text for the flags of parameter p.
std::string FlagWorte(int32_t p, bool polynom)
{
    const int32_t f = ParameterFlags[p];
    const int32_t w = CorrelationWords[p];
    const double c = CorrelationConstants[p];
    std::string t;
    if (!polynom && (f & PF_DW_POLYNOMIAL)) t += "   DW polynomial";
    if (f & PF_FIXED) t += "   FIXED";
    if (!polynom) {
        if (f & PF_CLUSTER) t += "  xyz lattice correlated";
        if (f & PF_MS) t += "  correlated to SS DW";
        if (f & PF_MS_DISTANCE) t += "  correlated to SS R";
        if (f & PF_E0_POTENTIAL) t += "  correlated to unique pot. E0";
        if (f & PF_E0_TIED) t += "  correlated to SS E0";
    }
    if ((f & PF_CORRELATED) && w > 0) {
        if (!polynom && (w & CW_MULTIPLE_SCATTERING)) {
            t += Format("   MS Path #%d + #%d, > %.4G Deg.", static_cast<int>(WordMsFirst(w) + 1),
                        static_cast<int>(WordMsSecond(w) + 1), c);
        } else {
            t += Format("   CORRELATED to #%i", static_cast<int>(WordMaster(w) + 1));
            if (!polynom) {
                if (w & (CW_TIMES | CW_DIVIDE))
                    t += Format(" * %G", (w & CW_DIVIDE) && c != 0.0 ? 1.0 / c : c);
                else if (w & (CW_PLUS | CW_MINUS))
                    t += Format(" + %G", (w & CW_MINUS) && c != 0.0 ? -c : c);
            }
        }
    }
    if (f & PF_CONSTRAINED)
        t += Format("   CONSTRAIN from : %.8G to : %.8G", FitParameters[LowerBoundIndex(p)],
                    FitParameters[UpperBoundIndex(p)]);
    return t;
}

// Area of function f of the working model, restricted to it. A 300-step
// Simpson sum over the section misses a line much narrower than the
// section, so the peak profiles 1-3 take their closed forms: Gaussian
// p0 p2 sqrt(pi / (4 ln 2)); Lorentzian with exponent p3 > 1/2
// p0 (p2 / 2) sqrt(pi) Gamma(p3 - 1/2) / Gamma(p3); pseudo-Voigt the two
// (exponent 1) weighted by its Gaussian part p3. A Lorentzian of exponent
// up to 1/2 has no finite area: Simpson over the section with at least 20
// steps per width.
double LinienFlaeche(def_zelva& z, const BERICHT_EINGABE& e, int32_t typ, int32_t q)
{
    const double* p = FitParameters + q;
    const double w = std::fabs(p[2]);
    const double gauss = p[0] * w * std::sqrt(PI / (4.0 * std::log(2.0)));
    if (typ == 1) return gauss;
    if (typ == 3) return p[3] * gauss + (1.0 - p[3]) * p[0] * w / 2.0 * PI;
    if (typ == 2 && p[3] > 0.5)
        return p[0] * w / 2.0 * std::sqrt(PI) * std::exp(std::lgamma(p[3] - 0.5) - std::lgamma(p[3]));
    int32_t schritte = 300;
    if (typ == 2 && w > 0.0) {
        const double noetig = std::ceil(20.0 * std::fabs(e.Obergrenze - e.Untergrenze) / w);
        if (noetig > schritte) schritte = noetig > 4e6 ? 4000000 : static_cast<int32_t>(noetig);
        schritte += schritte % 2;
    }
    return z.FuncIntegralSimps(e.Untergrenze, e.Obergrenze, schritte);
}

// Model value of the working model (as restricted) at every x.
void ModellWerte(const BERICHT_EINGABE& e, std::vector<double>& y)
{
    y.assign(static_cast<std::size_t>(e.Punkte), 0.0);
    if (!e.Numerik->function) return;
    for (int32_t i = 0; i < e.Punkte; ++i)
        y[static_cast<std::size_t>(i)] = e.Numerik->function(e.X[i], static_cast<double>(i), nullptr, nullptr, 0);
}

void Breiten(const BERICHT_EINGABE& e, Texte& t, const std::string& punkte)
{
    double* a = e.Ergebnisse;
    int32_t p = 0;
    for (int32_t i = 0; i < FitFunctionCount; ++i) {
        const int32_t typ = Typ(i);
        const int32_t f = i + 1;
        const int32_t anzahl = FunctionParameterCount(typ, FitPolyDegree, SplineKnotCount);
        const double flaeche = FitFunctionCount == 1 ? a[1000] : a[1000 + f];
        const double lambda = e.Wellenlaenge;
        if (typ == 12 && e.X && e.Punkte > 3) {
            SetFunktionFlag(f, 1);
            std::vector<double> y;
            ModellWerte(e, y);
            SetFunktionFlag(0, 0);
            double h = -1e50;
            int32_t i0 = 0;
            for (int32_t k = 0; k < e.Punkte; ++k)
                if (y[static_cast<std::size_t>(k)] > h) { h = y[static_cast<std::size_t>(k)]; i0 = k; }
            // A side that never falls below half height ends at the last
            // point of its walk.
            int32_t links = i0, rechts = i0;
            while (links > 3 && !(y[static_cast<std::size_t>(links)] < h / 2.0)) --links;
            while (rechts < e.Punkte - 1 && !(y[static_cast<std::size_t>(rechts)] < h / 2.0)) ++rechts;
            const double fwhm = e.X[rechts] - e.X[links];
            const double b = flaeche / h;
            const double bl = PI / 2.0 * FitParameters[p + 2];
            const double bg = FitParameters[p + 3] / (2.0 * std::sqrt(std::log(2.0) / PI));
            const double cbl = bl - e.InstrumentL;
            const double cbg = std::sqrt(std::fabs(bg * bg - e.InstrumentG * e.InstrumentG));
            const double theta = FitParameters[p + 1] / 2.0;
            const double groesse = 0.01 * lambda / (std::cos(theta * RAD) * cbl * RAD);
            const double dehnung = cbg * RAD / (4.0 * std::tan(theta * RAD));
            a[2799 + f] = groesse;
            a[2699 + f] = dehnung;
            const int n = static_cast<int>(f);
            std::string z;
            z += Format("#%d  Voigt Height           : %.8G\r\n", n, h);
            z += Format("#%d  FWHM                   : %.8G\r\n", n, fwhm);
            z += Format("#%d  Integral Breadth       : %.8G\r\n", n, b);
            z += Format("#%d  Shape factor           : %.8G\r\n", n, fwhm / b);
            z += Format("#%d  Lorentz  Breadth [b(L)]: %.8G\r\n", n, bl);
            z += Format("#%d  Gaussian Breadth [b(G)]: %.8G\r\n\r\n", n, bg);
            z += Format("#%d  Deconv. Lorentz [cb(L)]: %.8G  (Lorentzian instrum. broadening: %G)\r\n", n, cbl,
                        e.InstrumentL);
            z += Format("#%d  Deconv. Gaussian[cb(G)]: %.8G  (Gaussian   instrum. broadening: %G)\r\n", n, cbg,
                        e.InstrumentG);
            z += Format("    XRD wavelength  [l]    : %.8G pm\r\n", lambda);
            z += Format("#%d  Bragg angle     [T]    : %.8G \xB0\r\n\r\n", n, theta);
            z += Format("#%d  Size   [l/cb(L)cos(T)] : %.8G \xC5\r\n", n, groesse);
            z += Format("#%d  Strain [cb(G)/4tan(T)] : %.8G %% \r\n", n, 100.0 * dehnung);
            t.Beide(z);
        } else if (typ < 14 && typ != 7 && typ != 12) {
            const double b = flaeche / FitParameters[p];
            const double theta = FitParameters[p + 1] / 2.0;
            const double cb = b - e.InstrumentB;
            const double groesse = 0.01 * lambda / (std::cos(theta * RAD) * cb * RAD);
            a[2699 + f] = b;
            a[2799 + f] = groesse;
            const int n = static_cast<int>(f);
            std::string z;
            z += Format("\r\n#%d  Integral Breadth  [B]    : %.8G\r\n", n, b);
            z += Format("    XRD wavelength    [l]    : %.8G pm\r\n", lambda);
            z += Format("#%d  Bragg angle       [T]    : %.8G \xB0\r\n", n, theta);
            z += Format("#%d  Corr. Breadth     [cB]   : %.8G  (Instrumental broadening: %G) \r\n\r\n", n, cb,
                        e.InstrumentB);
            z += Format("#%d  Domain size [l/cB*cos(T)]: %.8G \xC5\r\n\r\n", n, groesse);
            t.Beide(z);
        }
        p += anzahl;
    }
    t.Beide(punkte);
}

// Areas of the path functions 2 .. count: each one's contribution over the
// curve's x, integrated between the second and the third-last point.
void PfadFlaechen(const BERICHT_EINGABE& e, Texte& t)
{
    if (!e.X || e.Punkte < 4) {
        for (double& f : FeffPfadFlaechen) f = 0.0;
        return;
    }
    // One array call over a copy of the curve's x: a model fitted in R space
    // gives its transform only so, point calls give its k-space values.
    std::vector<double> xs(e.X, e.X + e.Punkte);
    const std::vector<std::string> zeilen =
        FeffPfadFlaechenZeilen(*e.Numerik, e.X, e.Punkte, e.Punkte - 3, [&e, &xs](std::vector<double>& y) {
            y.assign(static_cast<std::size_t>(e.Punkte), 0.0);
            if (e.Numerik->function) e.Numerik->function(0.0, 0.0, xs.data(), y.data(), e.Punkte);
        });
    for (const std::string& z1 : zeilen)
        if (t.Frei()) t.Beide(z1);
}

}  // namespace

std::vector<std::string> FeffPfadFlaechenZeilen(def_zelva& z, const double* x, int32_t n, int32_t bis,
                                                const std::function<void(std::vector<double>&)>& werte)
{
    for (double& f : FeffPfadFlaechen) f = 0.0;
    std::vector<std::string> zeilen;
    if (FitFunctionCount < 2 || !FitFunctionTypes || !x || n < 4 || bis < 2 || bis >= n) return zeilen;
    std::vector<double> xs(x, x + n), y;
    double* altX = z.GetXField();
    double* altY = z.GetYField();
    const int32_t altN = z.GetAnzahl();
    double groesste = -1e30;
    const int32_t letzte = FitFunctionCount < FEFF_FLAECHEN ? FitFunctionCount : FEFF_FLAECHEN - 1;
    for (int32_t f = 2; f <= letzte; ++f) {
        SetFunktionFlag(f, 1);
        y.assign(static_cast<std::size_t>(n), 0.0);
        werte(y);
        y.resize(static_cast<std::size_t>(n));
        z.SetField(xs.data(), y.data());
        z.SetAnzahl(n, -1, -1);
        FeffPfadFlaechen[f] = z.FeldIntegralSimps(xs[1], xs[static_cast<std::size_t>(bis)]);
        z.SetField(altX, altY);
        z.SetAnzahl(altN, -1, -1);
        if (FeffPfadFlaechen[f] > groesste) groesste = FeffPfadFlaechen[f];
    }
    SetFunktionFlag(0, 0);
    for (int32_t f = 2; f <= letzte; ++f) {
        const int32_t r = f - 1;
        const double prozent = groesste != 0.0 ? 100.0 * FeffPfadFlaechen[f] / groesste : 0.0;
        const std::string marke = std::string(KatalogName(Typ(f - 1))) + ", " + PfadName(r) + " : ";
        std::string z1 = Format("%-20s%5.4G %%  (%.3E)", marke.c_str(), prozent, FeffPfadFlaechen[f]);
        z1 += PfadZusatz(r) + (r < FEFF_PFADE && FeffPfade[r].Beine <= 2 ? " \r\n" : "\r\n");
        zeilen.push_back(z1);
    }
    return zeilen;
}

std::string ReduziertesChi2(double chi2, int32_t punkte, int32_t freieParameter)
{
    const int32_t frei = punkte - freieParameter;
    if (frei <= 0) return Format("%-15s%s\r\n", "reduced chi2:", "undefined");
    return Format("%-15s%.8G\r\n", "reduced chi2:", chi2 / frei);
}

BERICHT FitBericht(const BERICHT_EINGABE& e)
{
    BERICHT b;
    Texte t{b.Kurz, b.Lang};
    if (!FitFunctionTypes || !FitParameters || !ParameterFlags || !FreeParameterList || !e.Numerik ||
        !e.Ergebnisse)
        return b;
    const std::string punkte = RegelZeile(e.Punktlinie.c_str(), BERICHT_REGEL_ZEICHEN);
    const std::string striche = RegelZeile(e.Strichlinie.c_str(), BERICHT_REGEL_ZEICHEN);
    def_zelva& z = *e.Numerik;
    double* a = e.Ergebnisse;
    const int32_t erster = FitFunctionCount > 0 ? Typ(0) : 0;

    if (e.Fehlschlag) t.Beide(" FIT FAILED: " + e.FehlerText + "\r\n");
    t.Beide(Format("--LEAST-SQUARES FIT     ( active : %d )\r\n", static_cast<int>(e.Slot)));
    t.Beide("-- FILE :  " + e.Datei + "\r\n\r\n");

    // The library writes by its own counts, which a model changed since the
    // fit may exceed.
    const int32_t groesste = std::max({MaxParameter, z.maxParameter, z.maxFitParameter, 0});
    const std::size_t m = static_cast<std::size_t>(groesste) + 10;
    const std::size_t breite = static_cast<std::size_t>(std::max(z.maxParameter, 0)) + 1;
    std::vector<double> fehler(m, 0.0), matrix(m * m, 0.0);
    z.GetError(fehler.data());
    z.GetCorrelation(matrix.data());

    std::size_t pos = 0;
    auto zeile = [&]() { return NaechsteZeile(e.Status, pos, STATUS_LESEN); };
    for (int k = 0; k < 4; ++k) t.Beide(zeile());

    double rFaktor = 0.0, summe = 0.0;
    z.GetResidual(rFaktor, summe);
    b.Lang += Format("%-15s%.3E\r\n", "Exp.Error:", z.expError);
    b.Lang += Format("%-15s%.8G\r\n", "chi2 w/o err:", summe);
    b.Lang += ReduziertesChi2(e.Chi2, e.Punkte, MaxFitParameter + 1);
    t.Beide(Format("%-15s%d\r\n", "data points:", static_cast<int>(e.Punkte)));
    b.Lang += Format("%-15s%.8G\r\n", "Lambda:", z.lambdaEnd);
    b.Lang += Format("%-15s%.8G\r\n", "termination:", z.abbruch);
    b.Lang += Format("%-15s%.8G\r\n", "Delta(part.):", z.ableitungsSchritt);

    const bool feff = erster == 25;
    if (((erster >= 13 && erster <= 18) || feff) && a[1000] > 1.0) {
        if (a[1004] > 0.0) {
            b.Lang += "\r\nFit carried out in k space.\r\n";
            b.Lang += Format("   k range from %.5G  to %.5G\r\n", e.Untergrenze, e.Obergrenze);
        } else {
            b.Lang += "\r\nFit carried out in R space.\r\n";
            b.Lang += Format("   Bottom border: %.6G\r\n", a[1002]);
            b.Lang += Format("   Top border:    %.6G\r\n", a[1003]);
            if (e.KBereichBekannt)
                b.Lang += Format("   k range from   %.5G  to  %.5G\r\n", e.KBereich[0], e.KBereich[1]);
        }
        b.Lang += Format("Number of independent parameters   :  %.3G\r\n", a[1000]);
        b.Lang += Format("Number of free running parameters  :  %d\r\n\r\n", static_cast<int>(MaxFitParameter + 1));
        int32_t einfach = 0, mehrfach = 0;
        for (int32_t i = 1; i < FitFunctionCount && i < FEFF_PFADE; ++i) {
            if (FeffPfade[i].Beine == 2) ++einfach;
            else ++mehrfach;
        }
        b.Lang += Format("Number of single scattering paths  :  %d\r\n", static_cast<int>(einfach));
        b.Lang += Format("Number of multiple scattering paths:  %d\r\n\r\n", static_cast<int>(mehrfach));
        if (a[1001] > a[1000]) b.Lang += "  CAUTION :  !! parameters will be strongly correlated  !!\r\n\r\n";
    }
    if (feff) {
        for (int32_t i = 1; i <= e.FeffSaetze; ++i) {
            const int32_t q = MaxParameter - e.FeffSaetze + i;
            b.Lang += Format("  Weight for FEFF file No. %d :  %G\r\n", static_cast<int>(i), q >= 0 ? FitParameters[q] : 0.0);
        }
        b.Lang += "\r\n";
        // The blocks of the status text before the parameters: the cluster
        // coefficients, one common temperature, the paths' own temperatures.
        if (FitFunctionCount > 3) {
            const int32_t k = FunctionParameterCount(Typ(1), FitPolyDegree, SplineKnotCount);
            const int32_t f = (FitFunctionCount - 4) * k + 2;
            if (k > 1 && f >= 0 && f <= MaxParameter && (ParameterFlags[f] & PF_CLUSTER))
                for (int n = 0; n < 6; ++n) t.Beide(zeile());
        }
        if (MaxParameter >= 3 && (ParameterFlags[3] & PF_TEMPERATURE_MODEL))
            for (int k = 0; k < 4; ++k) t.Beide(zeile());
        if (MaxParameter >= 3 && (ParameterFlags[3] & PF_MS) && !(ParameterFlags[3] & PF_FIXED) &&
            FitFunctionCount > 1) {
            std::string letzte;
            const int n = e.FeffSaetze > 0 && e.MehrereFeffSaetze ? 4 : 3;
            for (int k = 0; k < n; ++k) t.Beide(letzte = zeile());
            while (letzte.find("Debye") != std::string::npos || letzte.find("Einstein") != std::string::npos) {
                letzte = zeile();
                if (letzte.empty()) break;
                t.Beide(letzte);
            }
        }
    }

    // A transform fitted in R space: measured and model transforms and the
    // chi(k) of the last model evaluation for the side files.
    if (e.Komplex && e.X && e.Y && e.Punkte > 0 && z.function) {
        const std::size_t n = static_cast<std::size_t>(e.Punkte);
        std::vector<double> xs(e.X, e.X + n), modell(4 * n + 2, 0.0);
        z.function(0.0, 0.0, xs.data(), modell.data(), e.Punkte);
        b.FtDateien = true;
        t.Beide("  FT Mag + Imag. saved as 4-col ascii file:\r\n");
        t.Beide("   'XAFS_FT_i_mag.dat'\r\n\r\n");
        for (std::size_t i = 0; i < n; ++i) {
            const bool im = static_cast<int32_t>(i) < e.ImagLaenge;
            b.FtBetragText += Format("%.10E   %.10E   %.10E   %.10E   %.10E\n", e.X[i], e.Y[i],
                                     im && e.ImagDaten ? e.ImagDaten[i] : 0.0, modell[i],
                                     im && e.ImagModell ? e.ImagModell[i] : 0.0);
        }
        t.Beide("  chi(k) Exp. + Theo. saved as 3-col ascii file:\r\n");
        t.Beide("   'XAFS_chi_exp_theo.dat'\r\n\r\n");
        if (e.ChiTabelle[0] && e.ChiTabelle[1] && e.ChiTabelle[2] && e.ChiTabelle[3]) {
            const double anzahl = e.ChiTabelle[0][BERICHT_TABELLE_ANZAHL];
            const int32_t m = anzahl >= 0.0 && anzahl <= BERICHT_TABELLE_ANZAHL ? static_cast<int32_t>(anzahl) : 0;
            for (int32_t i = 0; i < m; ++i)
                b.ChiText += Format("%.10E   %.10E   %.10E   %.10E\n", e.ChiTabelle[0][i], e.ChiTabelle[1][i],
                                    e.ChiTabelle[2][i], e.ChiTabelle[3][i]);
        }
    }

    const std::string titel = zeile();
    b.Kurz += titel;
    b.Lang += Ohne2(titel) + "                  initial parameter\r\n";

    int32_t p = 0;
    for (int32_t i = 0; i < FitFunctionCount; ++i) {
        const int32_t typ = Typ(i);
        const bool polynom = typ == 7;
        const int32_t anzahl = FunctionParameterCount(typ, FitPolyDegree, SplineKnotCount);
        t.Beide(zeile());
        t.Beide(zeile());
        for (int32_t j = 0; j < anzahl; ++j, ++p) {
            std::string l = Ohne2(zeile());
            const int32_t f = ParameterFlags[p];
            const bool fest = (f & PF_FIXED) || ((f & PF_CORRELATED) && CorrelationWords[p] > 0);
            const int32_t stelle = FreeListPosition(p);
            const double err = fest || stelle < 0 || static_cast<std::size_t>(stelle) >= m
                ? 0.0 : fehler[static_cast<std::size_t>(stelle)];
            const double wert = FitParameters[p];
            if (std::fabs(0.75 * wert) > std::fabs(err))
                l += Format(" +- %.6G", err);
            else if (!fest)
                l += polynom ? "   CHECK Exp.Error! " : "   CHECK Error or Correl.! ";
            b.Kurz += l + "\r\n";
            const double anfang = feff && i > 0 && j == 1 && i < FEFF_PFADE ? FeffPfade[i].Reff : a[p];
            std::string start = Format("%-6.7G", anfang);
            if (!polynom) start = start.substr(0, 7);
            const std::string lang = Auffuellen(l, 55) + start + FlagWorte(p, polynom) + "\r\n";
            if (polynom) b.Lang += lang;
            else t.LangBegrenzt(lang);
        }
        t.Beide(zeile());
    }

    // LC-XANES: the references' weights corrected by their absorption.
    if (erster == 26) {
        double summe = 0.0;
        for (int32_t i = 0; i < FitFunctionCount; ++i) {
            const int32_t j = i + 1;
            const double mu = j < FEFF_PFADE ? FeffPfade[j].Entartung : 0.0;
            if (Typ(i) == 26 && mu != 0.0) summe += FitParameters[ParameterIndex(j, 0)] / mu;
        }
        t.Beide("\r\n" + std::string(68, '-') + "\r\n");
        t.Beide("Absorption Correction for LC XANES Fit\r\n\r\n");
        for (int32_t i = 0; i < FitFunctionCount; ++i) {
            if (Typ(i) != 26) continue;
            const int32_t j = i + 1;
            const double c = FitParameters[ParameterIndex(j, 0)];
            const double mu = j < FEFF_PFADE ? FeffPfade[j].Entartung : 0.0;
            // A reference without absorption, or no total, has no weight.
            const double gewicht = mu != 0.0 && summe != 0.0 ? c / mu / summe * 100.0 : 0.0;
            const std::string name = PfadName(j);
            t.Beide(Format(" Specie #%d [%-9s]: c'(%d)=% -10.5G ", static_cast<int>(j), name.c_str(),
                           static_cast<int>(j), c) +
                    Format("mue(%d)=% -10.6G c(%d)=% -8.5G Weight-%%\r\n", static_cast<int>(j), mu,
                           static_cast<int>(j), gewicht));
        }
        t.Beide("\r\n");
    }

    const bool profil = erster < 14 || erster > 28;
    if (profil || feff) {
        t.Beide("\r\n");
        t.Beide(feff ? " area under XAFS paths:\r\n" : " area under profile functions   :\r\n");
        b.Lang += punkte;
        if (t.Frei() && e.Modell) z.SetFunction(e.Modell);
    }
    if (profil && z.function) {
        const double gesamt = z.FuncIntegralSimps(e.Untergrenze, e.Obergrenze, 300);
        a[1000] = gesamt;
        b.Kurz += punkte;
        t.Beide(Format("%-15s%.8G\r\n", " total:    ", gesamt));
        if (FitFunctionCount > 1) {
            for (int32_t f = 1; f <= FitFunctionCount; ++f) {
                SetFunktionFlag(f, 1);
                const double fl = LinienFlaeche(z, e, Typ(f - 1), ParameterIndex(f, 0));
                a[1000 + f] = fl;
                const std::string name = std::string(KatalogName(Typ(f - 1))) + ":";
                t.Beide(Format("%-15s%.8G\r\n", name.c_str(), fl));
            }
            SetFunktionFlag(0, 0);
        }
        t.Beide(punkte);
        Breiten(e, t, punkte);
    } else if (feff) {
        PfadFlaechen(e, t);
        t.Beide(punkte);
    }

    static const char* const GEWICHTE[7] = {"", "  1", "  1 / sqrt ( N )", "  1 / N", "  sqrt ( N )",
                                            "  N\xB2", "  N\xB3"};
    b.Lang += "\r\n weight  :";
    if (z.wichtung >= 1 && z.wichtung <= 6) b.Lang += GEWICHTE[z.wichtung];
    b.Lang += "\r\n";

    if (FitFunctionCount < 25 && t.Frei()) {
        b.Lang += "\r\n- Correlation matrix  :\r\n";
        b.Lang += striche;
        std::vector<int32_t> gezeigt;
        for (int32_t q = 0; q <= MaxParameter; ++q)
            if (!(ParameterFlags[q] & (PF_FIXED | PF_CORRELATED))) gezeigt.push_back(q);
        std::string kopf(12, ' ');
        for (int32_t c : gezeigt) kopf += Format("%d", static_cast<int>(c + 1)) + std::string(10, ' ');
        t.LangBegrenzt(kopf + "\r\n\r\n");
        for (int32_t r : gezeigt) {
            std::string zeileR = Format(" %d   ", static_cast<int>(r + 1));
            const int32_t pr = FreeListPosition(r);
            for (int32_t c : gezeigt) {
                const int32_t pc = FreeListPosition(c);
                const bool da = pr >= 0 && pc >= 0 && static_cast<std::size_t>(pr) < breite &&
                                static_cast<std::size_t>(pc) < breite;
                const double k = da ? matrix[static_cast<std::size_t>(pr) * breite + static_cast<std::size_t>(pc)] : 0.0;
                zeileR += Auffuellen(Format("%.4G", k), 12);
            }
            t.LangBegrenzt(zeileR + "\r\n");
        }
    }

    for (int32_t q = 0; q <= MaxParameter; ++q) a[q] = FitParameters[q];
    return b;
}
